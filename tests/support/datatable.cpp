// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/datatable.h"

#include "platform/boundrecords.h"
#include "platform/sampledb.h"

#include <QSqlQuery>

QList<QStringList> dataRecords(const QString& databaseFile, const QString& where, const QString& orderBy) {
    SampleDb db;
    db.open(databaseFile);
    QString sql = QStringLiteral("SELECT * FROM \"Data\"");
    if (!where.isEmpty()) sql += QStringLiteral(" WHERE ") + where;
    sql += QStringLiteral(" ORDER BY ") + (orderBy.isEmpty() ? QStringLiteral("rowid") : orderBy);
    QSqlQuery q = db.prepare(sql);
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

QStringList dataFields(const QString& databaseFile) {
    SampleDb db;
    db.open(databaseFile);
    return db.fields();
}

QList<QStringList> boundRecords(const QString& databaseFile, const QString& source) {
    BoundRecords r;
    r.setDatabaseName(databaseFile);
    r.setSource(source);
    r.refresh();
    return r.rows();
}
