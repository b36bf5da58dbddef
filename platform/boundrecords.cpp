// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/boundrecords.h"

#include "platform/dates.h"
#include "platform/qmerror.h"

#include <QSqlRecord>

using sampledb::QuoteIdent;

void BoundRecords::setDatabaseName(const QString& path) {
    if (path == databaseName_) return;
    release();
    databaseName_ = path;
}

void BoundRecords::release() {
    rows_.clear();
    ids_.clear();
    fieldNames_.clear();
    db_.close();
}

void BoundRecords::refresh() {
    rows_.clear();
    ids_.clear();
    try {
        if (!db_.isOpen()) db_.open(databaseName_);
        fieldNames_ = db_.fields();
        rowId_ = db_.rowIdName();
        QSqlQuery q = db_.prepare(QStringLiteral("SELECT %1, * FROM \"Data\" WHERE \"Source\" = ? "
                                                 "ORDER BY \"Samp_Date\", \"Dup\"")
                                      .arg(rowId_));
        q.addBindValue(source_);
        SampleDb::exec(q);
        const int n = int(fieldNames_.size());
        while (q.next()) {
            ids_ << q.value(0).toLongLong();
            QStringList row;
            row.reserve(n);
            for (int i = 0; i < n; ++i)
                row << q.value(i + 1).toString();
            rows_ << std::move(row);
        }
        SampleDb::checkRead(q);
    } catch (...) {
        release();
        throw;
    }
}

QString BoundRecords::text(int record, int field) const {
    if (record < 1 || record > recordCount() || field < 1 || field > fieldCount()) return {};
    const QString& s = rows_[record - 1][field - 1];
    return field == 2 ? qdate::IsoToDisplay(s) : s;
}

qint64 BoundRecords::id(int record) const {
    if (record < 1 || record > recordCount()) raiseError(qmerr::Subscript);
    return ids_[record - 1];
}

void BoundRecords::setText(int record, int field, const QString& text) {
    const qint64 rid = id(record);
    if (field < 1 || field > fieldCount()) raiseError(qmerr::Subscript);
    QString stored = text;
    if (field == 2) {
        // A record without a date drops out of every report: the date cannot be emptied here.
        const auto d = qdate::Parse(text);
        if (!d) raiseError(dberr::BadDate, QStringLiteral("Bad Date Format"));
        stored = qdate::ToIso(*d);
    }
    sampledb::CheckField(field - 1, stored);
    QSqlQuery q = db_.prepare(QStringLiteral("UPDATE \"Data\" SET %1 = ? WHERE %2 = ?")
                                  .arg(QuoteIdent(fieldNames_[field - 1]), rowId_));
    q.addBindValue(sampledb::StoredValue(stored));
    q.addBindValue(rid);
    SampleDb::exec(q);
    rows_[record - 1][field - 1] = stored;
}

void BoundRecords::deleteRecord(int record) {
    const qint64 rid = id(record);
    QSqlQuery q = db_.prepare(QStringLiteral("DELETE FROM \"Data\" WHERE %1 = ?").arg(rowId_));
    q.addBindValue(rid);
    SampleDb::exec(q);
    rows_.removeAt(record - 1);
    ids_.removeAt(record - 1);
}
