// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/dates.h"
#include "platform/sampledb.h"
#include "project/modgw.h"
#include "project/sampledbops.h"
#include "support/datatable.h"
#include "support/programstate.h"

#include <QSqlQuery>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>

// Readable failure output for texts and records.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

// A project in a temporary folder: "<folder>/site.qlp" with parameters of the given names (Def. Text
// "-"), its database created empty.
class DbTest : public ProgramStateTest {
protected:
    QString file(const QString& name) const { return dir.path() + u'/' + name; }
    QString folder() const { return dir.path() + u'/'; }

    void useProject(const QStringList& params, bool create = true) {
        ModGW& m = modgw();
        m.ProjectFile = file("site.qlp");
        m.DatabaseFile = file("site.mdb");
        m.DataFolder = folder();
        setParams(params);
        if (create) {
            SampleDb db;
            db.create(m.DatabaseFile, params);
        }
    }
    static void setParams(const QStringList& params) {
        ModGW& m = modgw();
        m.NumParams = int(params.size());
        for (int i = 1; i <= m.NumParams; ++i) {
            m.ParamTable[i] = {};
            m.ParamTable[i][1] = params[i - 1];
            m.ParamTable[i][5] = QStringLiteral("-");
        }
    }
    static void insert(const QString& path, const QList<QStringList>& records) {
        SampleDb db;
        db.open(path);
        db.begin();
        for (const QStringList& r : records)
            db.insert(r);
        db.commit();
    }
    // Every record as stored, in the order of storing; NULL shows as "(null)".
    static QList<QStringList> dump(const QString& path) { return dataRecords(path); }
    static QStringList fieldsOf(const QString& path) { return dataFields(path); }
    QTemporaryDir dir;
};
