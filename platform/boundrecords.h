// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/sampledb.h"

#include <QList>
#include <QString>
#include <QStringList>

// The data control of the main window: the records of one source of table Data, in date and Dup
// order, held as the grid shows them, with edits and deletes written straight through to the
// database. Records and fields are 1-based as the grid addresses them (field 1 Source, 2 Samp_Date,
// 3 Dup, then the parameters). Faults raise QmError (see sampledb.h).
class BoundRecords {
public:
    // A new name lets go of the database that was open.
    void setDatabaseName(const QString& path);
    const QString& databaseName() const { return databaseName_; }
    // The record source: the records whose Source equals this name (letter case ignored).
    void setSource(const QString& source) { source_ = source; }
    const QString& source() const { return source_; }

    // Opens the database when it is not open and reads the records again. On a failure, a row that
    // cannot be read included, no records are held.
    void refresh();
    // Lets go of the database file and of the records.
    void release();
    bool isOpen() const { return db_.isOpen(); }

    int recordCount() const { return int(rows_.size()); }
    const QStringList& fieldNames() const { return fieldNames_; }
    int fieldCount() const { return int(fieldNames_.size()); }
    // The records as stored (Samp_Date as ISO text), NULL as "".
    const QList<QStringList>& rows() const { return rows_; }
    // One field as shown: Samp_Date in the current day/month order.
    QString text(int record, int field) const;

    // Writes one field of a record after the checks of sampledb::CheckField; the date field takes
    // a date in the current day/month order (or ISO) and refuses an empty one (3421). A refused
    // value changes nothing.
    void setText(int record, int field, const QString& text);
    // Deletes one record; the rest keep their order.
    void deleteRecord(int record);

private:
    qint64 id(int record) const;
    SampleDb db_;
    QString databaseName_;
    QString source_;
    QString rowId_;
    QStringList fieldNames_;
    QList<QStringList> rows_;
    QList<qint64> ids_;
};
