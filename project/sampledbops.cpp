// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/sampledbops.h"

#include "platform/filenames.h"
#include "platform/qmerror.h"
#include "platform/sampledb.h"
#include "platform/uiservice.h"
#include "project/modgw.h"
#include "project/windowhooks.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlQuery>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

FaultHook& dbFaultHook() {
    static FaultHook h;
    return h;
}

void DbFaultPoint(QStringView step, qint64 n) {
    if (dbFaultHook()) dbFaultHook()(step, n);
}

void ReportDbFault(const QmError& e, const QString& where) {
    const int n = e.number();
    if ((n == dberr::FileNotFound || n == dberr::NotADatabase || n == dberr::TableNotFound ||
         n == dberr::InUse) &&
        !e.detail().isEmpty())
        warn(e.detail());
    else
        showError(e, where);
}

namespace {

QStringList paramNames() {
    const ModGW& m = modgw();
    QStringList names;
    for (int i = 1; i <= m.NumParams; ++i)
        names << m.ParamTable[i][1];
    return names;
}

const QString kBackupName = QStringLiteral("TEMP.MDB");
// The live table while its records are copied into the new one, inside the rebuild's transaction.
const QString kOldTable = QStringLiteral("qmar-old-Data");

// The copy of the live file taken before a rebuild: ".qmar-backup-<process>-<live name>". Once the
// rebuild has committed it becomes "TEMP.MDB".
QString backupCopyName(const QString& live) {
    return qfile::FolderOf(live) + QStringLiteral(".qmar-backup-%1-%2")
                                       .arg(QCoreApplication::applicationPid())
                                       .arg(qfile::NameOf(live));
}

[[noreturn]] void raiseFileFault(const QString& what, const QString& why) {
    raiseError(qmerr::PathFileAccess, QStringLiteral("%1: %2").arg(what, why));
}

// A byte copy, on the disk before it counts: a rebuild that commits must find its backup whole
// after a crash.
void copyWhole(const QString& from, const QString& to) {
    QFile in(from);
    QFile out(to);
    const QString what = QStringLiteral("%1 cannot be copied to %2").arg(from, to);
    if (!in.open(QIODevice::ReadOnly)) raiseFileFault(what, in.errorString());
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        raiseFileFault(what, out.errorString());
    // Written on the descriptor itself, so that the system's reason (a full disk) is what is told.
    const auto systemError = [] { return QString::fromLocal8Bit(std::strerror(errno)); };
    QString failed;
    while (failed.isEmpty()) {
        const QByteArray chunk = in.read(1 << 20);
        if (chunk.isEmpty()) {
            if (in.error() != QFileDevice::NoError) failed = in.errorString();
            break;
        }
        for (qsizetype done = 0; done < chunk.size();) {
            const ssize_t n = ::write(out.handle(), chunk.constData() + done, size_t(chunk.size() - done));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                failed = systemError();
                break;
            }
            done += n;
        }
    }
    if (failed.isEmpty() && ::fsync(out.handle()) != 0) failed = systemError();
    out.close();
    if (!failed.isEmpty()) {
        QFile::remove(to);
        raiseFileFault(what, failed);
    }
}

// Puts the backup copy in place of "TEMP.MDB" in one step (a rename over it), then removes a
// "TEMP.MDB" of another letter case, so that one backup remains.
void placeBackup(const QString& copy, const QString& live) {
    const QString folder = qfile::FolderOf(live);
    const QString target = folder + kBackupName;
    if (::rename(QFile::encodeName(copy).constData(), QFile::encodeName(target).constData()) != 0)
        raiseFileFault(QStringLiteral("%1 cannot be renamed to %2").arg(copy, target),
                       QString::fromLocal8Bit(std::strerror(errno)));
    const QStringList others = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : others)
        if (name != kBackupName && name.compare(kBackupName, Qt::CaseInsensitive) == 0)
            QFile::remove(folder + name);
}

// Scratch files beside the live database, with the process number that made them:
// ours now (".qmar-backup-N-<live name>") and those of the rotation of earlier versions, which built
// the new database as ".qmar-new-N.mdb" and set the old backup aside as ".qmar-oldbackup-N.mdb".
const QRegularExpression& backupCopyPattern() {
    static const QRegularExpression re(QStringLiteral("^\\.qmar-backup-\\d+-(.+)$"));
    return re;
}
const QRegularExpression& rotationPattern() {
    static const QRegularExpression re(QStringLiteral("^\\.qmar-(new|oldbackup)-\\d+\\.mdb(-journal)?$"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

QStringList scratchFiles(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral(".qmar-*")}, QDir::Files | QDir::Hidden | QDir::System,
                                  QDir::Time);
}

// An earlier rotation killed between its renames left no live file: the new database, built and
// closed before the renames began, takes the live name.
void finishEarlierRotation(const QString& live) {
    const QString folder = qfile::FolderOf(live);
    for (const QString& name : scratchFiles(folder)) { // newest first
        const auto m = rotationPattern().match(name);
        if (!m.hasMatch() || m.captured(1).compare(QLatin1String("new"), Qt::CaseInsensitive) != 0 ||
            !m.captured(2).isEmpty())
            continue;
        const QString path = folder + name;
        // A database with a journal beside it was still being filled.
        if (QFileInfo::exists(path + QStringLiteral("-journal")) || !sampledb::IsSqliteFile(path)) continue;
        if (QFile::rename(path, live)) return;
    }
}

// With the live database locked (no rebuild is running on it): a backup copy whose rebuild
// committed becomes "TEMP.MDB"; a copy whose rebuild did not, and every other scratch file of ours,
// goes. An old backup set aside by an earlier rotation goes back when "TEMP.MDB" is missing.
void settleScratchFiles(SampleDb& live) {
    const QString livePath = live.path();
    const QString folder = qfile::FolderOf(livePath);
    const QString liveName = qfile::NameOf(livePath);
    const int version = live.userVersion();
    for (const QString& name : scratchFiles(folder)) {
        const QString path = folder + name;
        if (const auto m = backupCopyPattern().match(name); m.hasMatch()) {
            if (m.captured(1) != liveName) continue; // another database's
            // A rebuild marks the live file one version on, in its own transaction.
            const auto copied = sampledb::HeaderUserVersion(path);
            if (copied && sampledb::NextUserVersion(*copied) == version) {
                try {
                    placeBackup(path, livePath);
                    continue;
                } catch (const QmError&) {
                }
            }
            QFile::remove(path);
            continue;
        }
        const auto m = rotationPattern().match(name);
        if (!m.hasMatch()) continue;
        const bool oldBackup = m.captured(1).compare(QLatin1String("oldbackup"), Qt::CaseInsensitive) == 0;
        if (oldBackup && m.captured(2).isEmpty() && !QFileInfo::exists(qfile::Resolve(folder + kBackupName)) &&
            QFile::rename(path, folder + kBackupName))
            continue;
        QFile::remove(path);
    }
}

// Rebuilds table Data of the live database in place, in one transaction under an exclusive lock:
// a copy of the file is taken first (the backup to be), the table is renamed aside, the new table
// made and filled, the old one dropped. Another program that has the file open sees the new table
// and writes into it; a kill at any point leaves the engine's journal, which rolls the file back at
// the next open. The main window lets go of the file meanwhile and is bound again after.
void rebuild(const std::function<void(SampleDb& live, const QStringList& oldFields, const QString& oldTable)>& fill) {
    const ProjectHooks& hooks = projectHooks();
    if (hooks.releaseDatabase) hooks.releaseDatabase();
    try {
        SampleDb live;
        live.open(modgw().DatabaseFile); // the file to rebuild must be a sample database
        // Held past the commit, until the copy has become the backup.
        live.lockExclusive(true);
        settleScratchFiles(live);
        const QString livePath = live.path();
        const QString copy = backupCopyName(livePath);
        try {
            copyWhole(livePath, copy);
            DbFaultPoint(u"backup", 1);
            const QStringList oldFields = live.fields();
            const int version = live.userVersion();
            live.execute(QStringLiteral("ALTER TABLE \"Data\" RENAME TO ") + sampledb::QuoteIdent(kOldTable));
            live.execute(QStringLiteral("DROP INDEX IF EXISTS \"Well-Date-Dup\""));
            live.createTable(paramNames());
            fill(live, oldFields, kOldTable);
            live.execute(QStringLiteral("DROP TABLE ") + sampledb::QuoteIdent(kOldTable));
            // Tells the next open whether this rebuild committed, should it be killed after.
            live.setUserVersion(sampledb::NextUserVersion(version));
            DbFaultPoint(u"rotate", 1);
            live.commit();
        } catch (...) {
            live.rollback();
            QFile::remove(copy);
            throw;
        }
        // Committed: from here on the rebuild stands. A copy that cannot be put in place stays for
        // the next open to settle.
        try {
            DbFaultPoint(u"rotate", 2);
            placeBackup(copy, livePath);
        } catch (const QmError& e) {
            ui().MsgBox(QStringLiteral("The database %1 has been rebuilt, but the copy of the old one could "
                                       "not be saved as TEMP.MDB: %2")
                            .arg(qfile::NameOf(livePath), e.detail()),
                        vb::OKOnly | vb::Exclamation, titleEmpty);
        }
        // The old table's pages go back to the file system; it is no loss when this fails.
        try {
            live.execute(QStringLiteral("VACUUM"));
        } catch (const QmError&) {
        }
    } catch (...) {
        if (hooks.rebindDatabase) hooks.rebindDatabase();
        throw;
    }
    if (hooks.rebindDatabase) hooks.rebindDatabase();
}

// The engine's or the file system's own reason goes with the message; a database another program
// holds is a warning, not a fault to report to Kalvex.
void reportUnchanged(const QmError& e, const QString& where) {
    const QString unchanged =
        QStringLiteral("The database %1 has not been changed.").arg(qfile::NameOf(modgw().DatabaseFile));
    if (e.number() == dberr::InUse) {
        warn(e.detail() + QStringLiteral("\r\n\r\n") + unchanged);
        return;
    }
    QString text = errorText(e.number(), where);
    if (!e.detail().isEmpty()) text += QStringLiteral("\r\n\r\n") + e.detail();
    ui().MsgBox(text + QStringLiteral("\r\n\r\n") + unchanged);
}

} // namespace

bool CreateDb() {
    try {
        SampleDb db;
        db.create(modgw().DatabaseFile, paramNames());
        return true;
    } catch (const QmError& e) {
        // The engine could not make the file at all (a missing or read-only folder).
        if (e.number() == dberr::NotADatabase)
            ui().MsgBox(QStringLiteral("Could not create database"), vb::OKOnly | vb::Critical, titleEmpty);
        else
            showError(e, QStringLiteral("CreateDb"));
        return false;
    }
}

bool RedefineDb() {
    const ModGW& m = modgw();
    try {
        rebuild([&m](SampleDb& live, const QStringList& old, const QString& oldTable) {
            // Fixed fields first, then for each new parameter the old field it comes from.
            QString columns = QStringLiteral("\"Source\", \"Samp_Date\", \"Dup\"");
            for (int i = 1; i <= m.NumParams; ++i) {
                const QString from = i <= m.OldParamCount ? m.OldParamNames[i] : QString();
                if (from.isEmpty()) {
                    columns += QStringLiteral(", NULL");
                    continue;
                }
                if (!old.mid(sampledb::FixedFields).contains(from, Qt::CaseSensitive))
                    raiseError(dberr::ItemNotFound,
                               QStringLiteral("Parameter '%1' was not found in Database").arg(from));
                columns += QStringLiteral(", ") + sampledb::QuoteIdent(from);
            }
            // The old table's own row id, whatever the parameters are called.
            QString rowId = QStringLiteral("rowid");
            for (const QString& n : {QStringLiteral("rowid"), QStringLiteral("_rowid_"), QStringLiteral("oid")})
                if (!old.contains(n, Qt::CaseInsensitive)) {
                    rowId = n;
                    break;
                }
            QSqlQuery q = live.prepare(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
                                           .arg(columns, sampledb::QuoteIdent(oldTable), rowId));
            SampleDb::exec(q);
            const int n = sampledb::FixedFields + m.NumParams;
            QStringList values;
            qint64 copied = 0;
            while (q.next()) {
                values.clear();
                for (int k = 0; k < n; ++k)
                    values << q.value(k).toString();
                live.insert(values);
                DbFaultPoint(u"copy", ++copied);
            }
            SampleDb::checkRead(q); // a record that cannot be read must not go missing quietly
        });
        return true;
    } catch (const QmError& e) {
        reportUnchanged(e, QStringLiteral("RedefineDb"));
        return false;
    }
}

bool ClearDB() {
    try {
        rebuild([](SampleDb&, const QStringList&, const QString&) {});
        return true;
    } catch (const QmError& e) {
        reportUnchanged(e, QStringLiteral("ClearDB"));
        return false;
    }
}

std::optional<QString> FirstUnknownField(const QString& databaseFile, const QStringList& names) {
    SampleDb db;
    db.open(databaseFile);
    const QStringList params = db.fields().mid(sampledb::FixedFields);
    for (const QString& n : names)
        if (!n.isEmpty() && !params.contains(n, Qt::CaseSensitive)) return n;
    return std::nullopt;
}

void RecoverInterruptedRebuild(const QString& databaseFile) {
    if (databaseFile.isEmpty()) return;
    const QString live = qfile::Resolve(databaseFile);
    if (!QFileInfo(live).isFile()) finishEarlierRotation(live);
    if (!QFileInfo(live).isFile()) return;
    try {
        SampleDb db;
        db.open(live);
        // A rebuild running elsewhere holds the lock; its files are its own.
        db.setBusyTimeout(0);
        db.lockExclusive();
        settleScratchFiles(db);
        // The engine has rolled back a rebuild killed before its commit, but keeps the spent
        // journal beside the file until it next writes: a write of nothing lets it go.
        if (QFileInfo::exists(db.path() + QStringLiteral("-journal"))) {
            db.setUserVersion(db.userVersion());
            db.commit();
        } else {
            db.rollback();
        }
    } catch (const QmError&) {
        // In use or unreadable: the open that follows reports it.
    }
}
