// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/dates.h"
#include "platform/sampledb.h"
#include "project/modgw.h"
#include "project/sampledbops.h"

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
// "-"), its database created empty. The hooks are cleared again after the test.
class DbTest : public ::testing::Test {
protected:
    void SetUp() override {
        modgw().reset();
        qdate::SetDayFirst(0);
        bindingHooks().reset();
        dbFaultHook() = nullptr;
    }
    void TearDown() override {
        bindingHooks().reset();
        dbFaultHook() = nullptr;
        qdate::SetDayFirst(0);
    }
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
    static QList<QStringList> dump(const QString& path) {
        SampleDb db;
        db.open(path);
        QSqlQuery q = db.prepare(QStringLiteral("SELECT * FROM \"Data\" ORDER BY rowid"));
        SampleDb::exec(q);
        QList<QStringList> out;
        const int n = int(db.fields().size());
        while (q.next()) {
            QStringList r;
            for (int k = 0; k < n; ++k)
                r << (q.value(k).isNull() ? QStringLiteral("(null)") : q.value(k).toString());
            out << r;
        }
        return out;
    }
    static QStringList fieldsOf(const QString& path) {
        SampleDb db;
        db.open(path);
        return db.fields();
    }
    QTemporaryDir dir;
};
