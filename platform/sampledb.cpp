// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sampledb.h"

#include "platform/dates.h"
#include "platform/filenames.h"
#include "platform/qmerror.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QUrl>
#include <atomic>
#include <limits>
#include <sqlite3.h>

namespace sampledb {

QString QuoteIdent(const QString& name) {
    QString s = name;
    s.replace(u'"', QStringLiteral("\"\""));
    return u'"' + s + u'"';
}

bool IsSqliteFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    static const QByteArray header("SQLite format 3\0", 16);
    return f.read(16) == header;
}

void CheckField(int field, const QString& value) {
    switch (field) {
    case 0:
        if (value.isEmpty())
            raiseError(dberr::ZeroLengthSource, QStringLiteral("A record needs a source name."));
        if (value.size() > SourceSize)
            raiseError(dberr::FieldTooSmall,
                       QStringLiteral("Source Name, %1, is longer than 10 characters.").arg(value));
        break;
    case 1:
        if (!value.isEmpty() && !qdate::FromIso(value))
            raiseError(dberr::BadDate, QStringLiteral("Bad Date Format"));
        break;
    case 2:
        if (value.size() > DupSize)
            raiseError(dberr::FieldTooSmall,
                       QStringLiteral("Dup Code, %1, is longer than 3 characters.").arg(value));
        break;
    default:
        if (value.size() > ValueSize)
            raiseError(dberr::FieldTooSmall,
                       QStringLiteral("Data, %1, is longer than 8 characters.").arg(value));
        break;
    }
}

QVariant StoredValue(const QString& value) {
    if (value.isEmpty()) return QVariant(QMetaType::fromType<QString>());
    return value;
}

std::optional<qint32> HeaderUserVersion(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray h = f.read(100);
    if (h.size() < 64 || !h.startsWith(QByteArray("SQLite format 3\0", 16))) return std::nullopt;
    const auto b = [&h](int i) { return quint32(quint8(h[i])); };
    return qint32(b(60) << 24 | b(61) << 16 | b(62) << 8 | b(63));
}

qint32 NextUserVersion(qint32 v) {
    return v < std::numeric_limits<qint32>::max() ? v + 1 : 0;
}

} // namespace sampledb

namespace {
QString nextConnectionName() {
    static std::atomic<int> n{0};
    return QStringLiteral("qmar-sampledb-%1").arg(++n);
}

// SQLITE_BUSY and SQLITE_LOCKED, with their extended codes: another connection holds the lock.
bool isLockFault(int code) {
    return (code & 0xff) == SQLITE_BUSY || (code & 0xff) == SQLITE_LOCKED;
}

QString inUseText(const QString& file) {
    return (file.isEmpty() ? QStringLiteral("The sample database") : QStringLiteral("The sample database ") + file) +
           QStringLiteral(" is in use by another program.  Close it there and try again.");
}

[[noreturn]] void raiseEngine(const QSqlError& e, const QString& file = {}) {
    // SQLite's constraint codes: a unique index refusing a record is the classic duplicate key.
    const QString code = e.nativeErrorCode();
    if (code == QLatin1String("2067") || code == QLatin1String("1555"))
        raiseError(dberr::DuplicateKey, QStringLiteral("Duplicate Record Found"));
    if (isLockFault(code.toInt()))
        raiseError(dberr::InUse, inUseText(file));
    raiseError(dberr::Engine, e.text());
}

// A database whose schema cannot be read: locked by another program, or damaged. Either way the
// engine's reason is what the user needs, not that the table is missing.
[[noreturn]] void raiseUnreadable(const QSqlError& e, const QString& file) {
    if (isLockFault(e.nativeErrorCode().toInt())) raiseError(dberr::InUse, inUseText(file));
    raiseError(dberr::NotADatabase,
               QStringLiteral("The sample database %1 cannot be read: %2").arg(file, e.text()));
}
} // namespace

SampleDb::SampleDb() = default;

SampleDb::~SampleDb() {
    close();
}

bool SampleDb::isOpen() const {
    return !connection_.isEmpty();
}

QSqlDatabase SampleDb::database() const {
    return QSqlDatabase::database(connection_, false);
}

void SampleDb::close() {
    sqlite3_finalize(insert_); // before the connection goes
    insert_ = nullptr;
    fields_.clear();
    if (connection_.isEmpty()) return;
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
    connection_.clear();
    path_.clear();
}

void SampleDb::openConnection(const QString& file, bool mustExist) {
    const QString name = nextConnectionName();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        // mode=rw: the engine itself refuses to create a file that is missing.
        QUrl url = QUrl::fromLocalFile(file);
        if (mustExist) url.setQuery(QStringLiteral("mode=rw"));
        db.setDatabaseName(url.toString(QUrl::FullyEncoded));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=2000"));
        if (!db.open()) {
            const QString text = db.lastError().text();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            raiseError(dberr::NotADatabase,
                       QStringLiteral("The sample database %1 cannot be opened: %2").arg(file, text));
        }
    }
    connection_ = name;
    path_ = file;
}

void SampleDb::open(const QString& path) {
    close();
    const QString file = qfile::Resolve(path);
    if (path.isEmpty() || !QFileInfo(file).isFile())
        raiseError(dberr::FileNotFound,
                   QStringLiteral("The sample database %1 is missing.").arg(qfile::Normalize(path)));
    if (!sampledb::IsSqliteFile(file))
        raiseError(
            dberr::NotADatabase,
            QStringLiteral("The file %1 is not a sample database (it is not an SQLite database).").arg(file));
    openConnection(file, true);
    try {
        fields_ = fields();
    } catch (...) {
        close();
        throw;
    }
    if (fields_.isEmpty()) {
        close();
        raiseError(dberr::TableNotFound,
                   QStringLiteral("The sample database %1 holds no table Data.").arg(file));
    }
}

void SampleDb::create(const QString& path, const QStringList& paramNames) {
    close();
    const QString existing = qfile::Resolve(path);
    if (path.isEmpty() || QFileInfo::exists(existing))
        raiseError(dberr::DatabaseExists,
                   QStringLiteral("The database %1 already exists.").arg(qfile::Normalize(path)));
    const QString file = qfile::Absolute(path);
    try {
        openConnection(file, false);
        begin();
        createTable(paramNames);
        commit();
    } catch (...) {
        close();
        QFile::remove(file);
        throw;
    }
}

void SampleDb::createTable(const QStringList& paramNames) {
    QString sql = QStringLiteral("CREATE TABLE \"Data\" (\"Source\" TEXT COLLATE NOCASE, \"Samp_Date\" TEXT, "
                                 "\"Dup\" TEXT COLLATE NOCASE");
    for (const QString& p : paramNames)
        sql += QStringLiteral(", ") + sampledb::QuoteIdent(p) + QStringLiteral(" TEXT");
    sql += u')';
    // The statement prepared for the table that was may not outlive it.
    sqlite3_finalize(insert_);
    insert_ = nullptr;
    fields_.clear();
    execute(sql);
    execute(QStringLiteral("CREATE INDEX \"Well-Date-Dup\" ON \"Data\" (\"Source\", \"Samp_Date\", \"Dup\")"));
    fields_ = fields();
}

QStringList SampleDb::fields() const {
    if (!fields_.isEmpty()) return fields_;
    QStringList out;
    if (!isOpen()) return out;
    QSqlQuery q(database());
    if (!q.exec(QStringLiteral("PRAGMA table_info(\"Data\")"))) raiseUnreadable(q.lastError(), path_);
    while (q.next())
        out << q.value(1).toString();
    if (q.lastError().isValid()) raiseUnreadable(q.lastError(), path_);
    return out;
}

QString SampleDb::rowIdName() const {
    const QStringList f = fields();
    for (const QString& n : {QStringLiteral("rowid"), QStringLiteral("_rowid_"), QStringLiteral("oid")})
        if (!f.contains(n, Qt::CaseInsensitive)) return n;
    raiseError(dberr::Engine, QStringLiteral("Table Data has no usable row id."));
}

void SampleDb::begin() {
    QSqlDatabase db = database();
    if (!db.transaction()) raiseEngine(db.lastError(), path_);
}

void SampleDb::commit() {
    QSqlDatabase db = database();
    if (!db.commit()) raiseEngine(db.lastError(), path_);
}

void SampleDb::rollback() {
    database().rollback();
}

void SampleDb::execute(const QString& sql) {
    QSqlQuery q(database());
    if (!q.exec(sql)) raiseEngine(q.lastError(), path_);
}

void SampleDb::lockExclusive(bool untilClose) {
    // In exclusive locking mode the lock, once taken, stays until the connection closes.
    if (untilClose) execute(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE"));
    QSqlQuery q(database());
    if (!q.exec(QStringLiteral("BEGIN EXCLUSIVE"))) raiseUnreadable(q.lastError(), path_);
}

void SampleDb::setBusyTimeout(int ms) {
    execute(QStringLiteral("PRAGMA busy_timeout = %1").arg(ms));
}

int SampleDb::userVersion() {
    QSqlQuery q(database());
    if (!q.exec(QStringLiteral("PRAGMA user_version"))) raiseEngine(q.lastError(), path_);
    if (!q.next()) raiseEngine(q.lastError(), path_);
    return q.value(0).toInt();
}

void SampleDb::setUserVersion(int version) {
    execute(QStringLiteral("PRAGMA user_version = %1").arg(version));
}

QSqlQuery SampleDb::prepare(const QString& sql) {
    QSqlQuery q(database());
    q.setForwardOnly(true);
    if (!q.prepare(sql)) raiseEngine(q.lastError(), path_);
    return q;
}

namespace {
// The file a query runs on, for the messages.
QString fileOf(const QSqlQuery& query) {
    const QSqlDriver* driver = query.driver();
    const QVariant h = driver ? driver->handle() : QVariant();
    if (!h.isValid() || qstrcmp(h.typeName(), "sqlite3*") != 0) return {};
    sqlite3* handle = *static_cast<sqlite3* const*>(h.constData());
    const char* name = handle ? sqlite3_db_filename(handle, "main") : nullptr;
    return name ? QString::fromUtf8(name) : QString();
}
} // namespace

void SampleDb::exec(QSqlQuery& query) {
    if (!query.exec()) raiseEngine(query.lastError(), fileOf(query));
}

void SampleDb::checkRead(const QSqlQuery& query) {
    if (query.lastError().isValid()) raiseEngine(query.lastError(), fileOf(query));
}

namespace {
sqlite3* engineHandle(const QSqlDatabase& db) {
    const QVariant h = db.driver()->handle();
    if (!h.isValid() || qstrcmp(h.typeName(), "sqlite3*") != 0)
        raiseError(dberr::Engine, QStringLiteral("The database driver is not SQLite."));
    sqlite3* handle = *static_cast<sqlite3* const*>(h.constData());
    if (!handle) raiseError(dberr::Engine, QStringLiteral("The database is not open."));
    return handle;
}

[[noreturn]] void raiseNative(sqlite3* handle, const QString& file) {
    const int code = sqlite3_extended_errcode(handle);
    if (code == SQLITE_CONSTRAINT_UNIQUE || code == SQLITE_CONSTRAINT_PRIMARYKEY)
        raiseError(dberr::DuplicateKey, QStringLiteral("Duplicate Record Found"));
    if (isLockFault(code)) raiseError(dberr::InUse, inUseText(file));
    raiseError(dberr::Engine, QString::fromUtf8(sqlite3_errmsg(handle)));
}
} // namespace

void SampleDb::insert(const QStringList& values) {
    const QStringList f = fields();
    if (values.size() > f.size())
        raiseError(dberr::Engine, QStringLiteral("Too many values for table Data."));
    if (values.isEmpty()) sampledb::CheckField(0, {});
    for (int i = 0; i < values.size(); ++i)
        sampledb::CheckField(i, values[i]);
    sqlite3* handle = engineHandle(database());
    if (!insert_) {
        QString names, marks;
        for (int i = 0; i < f.size(); ++i) {
            if (i) names += u',', marks += u',';
            names += sampledb::QuoteIdent(f[i]);
            marks += u'?';
        }
        const QByteArray sql =
            QStringLiteral("INSERT INTO \"Data\" (%1) VALUES (%2)").arg(names, marks).toUtf8();
        if (sqlite3_prepare_v2(handle, sql.constData(), int(sql.size()), &insert_, nullptr) != SQLITE_OK) {
            insert_ = nullptr;
            raiseNative(handle, path_);
        }
    }
    // The texts live in values until the step is done, so the engine need not copy them; an empty
    // text is stored as NULL, as a cleared field holds.
    for (int i = 0; i < f.size(); ++i) {
        const QString* v = i < values.size() ? &values[i] : nullptr;
        if (!v || v->isEmpty())
            sqlite3_bind_null(insert_, i + 1);
        else
            sqlite3_bind_text16(insert_, i + 1, v->constData(), int(v->size() * sizeof(QChar)),
                                SQLITE_STATIC);
    }
    const int rc = sqlite3_step(insert_);
    sqlite3_reset(insert_);
    sqlite3_clear_bindings(insert_);
    if (rc != SQLITE_DONE) raiseNative(handle, path_);
}
