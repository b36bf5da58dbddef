// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/sampledb.h"

#include <QFile>
#include <QString>

// The test site: tests/data/site.qlp copied into a folder, with a sample database beside it.
// MW-1 has three records, MW-2 one, "O'Brien 3" two, SP-4 none.
inline QString makeSite(const QString& folder, const QString& name = QStringLiteral("site")) {
    const QString qlp = folder + name + QStringLiteral(".qlp");
    QFile::copy(QStringLiteral(QMAR_TEST_DATA "/site.qlp"), qlp);
    QFile::setPermissions(qlp, QFile::ReadOwner | QFile::WriteOwner);
    SampleDb db;
    db.create(folder + name + QStringLiteral(".mdb"), {"pH", "Cl", "TCE", "Nitrate", "Elev"});
    db.begin();
    db.insert({"MW-1", "1999-03-04", "", "6.5", "12", "<1", "2.1", "98.5"});
    db.insert({"MW-1", "1998-11-20", "", "6.6", "14", "3", "2.4", "97.9"});
    db.insert({"MW-1", "1999-03-04", "A", "6.5", "13", "<1", "2.0", "98.5"});
    db.insert({"MW-2", "2000-06-15", "", "7.2", "250", "-", "", "99.1"});
    db.insert({"O'Brien 3", "2002-05-01", "", "7.0", "31", "12", "5.5", "99.7"});
    db.insert({"o'brien 3", "2001-01-09", "", "7.1", "30", "9.8", "5.0", "99.6"});
    db.commit();
    return qlp;
}
