// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/errors.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

struct sqlite3_stmt;

// The sample database: an SQLite file (named as the system names it, "<project>.mdb", "TEMP.MDB")
// holding table Data: Source, Samp_Date (ISO text), Dup, then one text column per parameter.
// Every value goes in as a bound parameter and every identifier is double-quoted, so names with
// quotes of any kind are safe. Faults raise QmError with the engine numbers of dberr
// (platform/errors.h); the detail is a message fit to show the user.

namespace sampledb {

constexpr int SourceSize = 10;
constexpr int DupSize = 3;
constexpr int ValueSize = 8;
constexpr int FixedFields = 3; // Source, Samp_Date, Dup

// "name" with inner double quotes doubled.
QString QuoteIdent(const QString& name);
// True when the file starts with the SQLite header.
bool IsSqliteFile(const QString& path);
// Checks a value for field index i (0 Source, 1 Samp_Date as ISO text or empty, 2 Dup, 3.. the
// parameters): sizes 10, 3 and 8, a non-empty Source, a valid date. Raises QmError 3163, 3315 or 3421.
void CheckField(int field, const QString& value);
// The database text of an empty value: NULL, as a cleared field holds.
QVariant StoredValue(const QString& value);
// The user version in the header of a database file, read from the bytes themselves (the file may
// be a copy cut short); nullopt when the file is too short or not SQLite.
std::optional<qint32> HeaderUserVersion(const QString& path);
// The version a rebuild gives the database after version v.
qint32 NextUserVersion(qint32 v);

} // namespace sampledb

// One connection to one database file; the connection closes with the object.
class SampleDb {
public:
    SampleDb();
    ~SampleDb();
    SampleDb(const SampleDb&) = delete;
    SampleDb& operator=(const SampleDb&) = delete;

    // Opens an existing database; a missing file is never created. Raises 3024 (missing),
    // 3343 (not SQLite, or unreadable: the detail gives the engine's reason), 3045 (locked by another
    // program) or 3078 (no table Data).
    void open(const QString& path);
    // Makes a new database with an empty table Data for these parameter names and its index on
    // (Source, Samp_Date, Dup), and opens it. Raises 3204 when the file exists; a failed create
    // leaves no file behind.
    void create(const QString& path, const QStringList& paramNames);
    void close();
    bool isOpen() const;
    const QString& path() const { return path_; }
    QSqlDatabase database() const;

    // Column names of table Data in table order; raises as open() does when they cannot be read.
    QStringList fields() const;
    // A name of the row id that no parameter column shadows.
    QString rowIdName() const;

    void begin();
    void commit();
    void rollback();
    // Opens a transaction that has the database for this connection alone: no other connection
    // reads or writes it meanwhile. The lock ends with the transaction, or with untilClose only when
    // the connection closes, commits notwithstanding. Raises 3045 when another one holds it.
    void lockExclusive(bool untilClose = false);
    // How long a statement waits for another connection's lock before it gives up.
    void setBusyTimeout(int ms);
    int userVersion();
    void setUserVersion(int version);
    // Makes table Data with its index for these parameter names; a table Data must not exist.
    void createTable(const QStringList& paramNames);
    // Runs one statement that takes no values.
    void execute(const QString& sql);

    // A prepared statement; raises 3000 when it does not prepare.
    QSqlQuery prepare(const QString& sql);
    // Executes a prepared statement; raises 3000 with the engine's text on failure.
    static void exec(QSqlQuery& query);
    // After the last next() of a query: raises 3000 with the engine's text when a row could not be
    // read, so that a failed read never passes for the end of the records.
    static void checkRead(const QSqlQuery& query);

    // Appends one record: values in table order (Samp_Date as ISO text or empty); missing trailing
    // values stay empty. Every field is checked first (CheckField). The insert statement is
    // prepared once per connection, on the engine itself: imports and restructures run it for every
    // record, and binding through QSqlQuery costs several times what the engine's own work does.
    void insert(const QStringList& values);

private:
    void openConnection(const QString& path, bool mustExist);
    QString connection_;
    QString path_;
    QStringList fields_;
    sqlite3_stmt* insert_ = nullptr;
};
