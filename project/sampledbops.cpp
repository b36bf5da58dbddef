// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/sampledbops.h"

#include "platform/filenames.h"
#include "platform/qmerror.h"
#include "platform/sampledb.h"
#include "platform/uiservice.h"
#include "project/modgw.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

BindingHooks& bindingHooks() {
    static BindingHooks h;
    return h;
}

FaultHook& dbFaultHook() {
    static FaultHook h;
    return h;
}

void DbFaultPoint(QStringView step, qint64 n) {
    if (dbFaultHook()) dbFaultHook()(step, n);
}

void ReportDbFault(const QmError& e, const QString& where) {
    const int n = e.number();
    if ((n == dberr::FileNotFound || n == dberr::NotADatabase || n == dberr::TableNotFound) &&
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

// A name of our own beside the live file; a leftover of an earlier run under it is ours to remove.
QString scratchName(const QString& folder, const char* what) {
    const QString name =
        folder +
        QStringLiteral(".qmar-%1-%2.mdb").arg(QLatin1String(what)).arg(QCoreApplication::applicationPid());
    QFile::remove(name);
    return name;
}

void renameOrRaise(const QString& from, const QString& to) {
    if (!QFile::rename(from, to))
        raiseError(qmerr::PathFileAccess, QStringLiteral("%1 cannot be renamed to %2").arg(from, to));
}

// Live file to backup and new file to live. Each step is undone when a later one fails, so the
// live file and the previous backup stay as they were.
void rotate(const QString& live, const QString& fresh, const QString& backup) {
    const QString oldBackup = qfile::Resolve(backup);
    const bool hadBackup = QFileInfo(oldBackup).isFile();
    const QString aside = scratchName(qfile::FolderOf(live), "oldbackup");
    DbFaultPoint(u"rotate", 1);
    if (hadBackup) renameOrRaise(oldBackup, aside);
    try {
        DbFaultPoint(u"rotate", 2);
        renameOrRaise(live, backup);
        try {
            DbFaultPoint(u"rotate", 3);
            renameOrRaise(fresh, live);
        } catch (...) {
            QFile::rename(backup, live);
            throw;
        }
    } catch (...) {
        if (hadBackup) QFile::rename(aside, oldBackup);
        throw;
    }
    QFile::remove(aside);
}

// Builds the database for the current parameter table under a temporary name, fills it in one
// transaction and rotates the files. The main window lets go of the live file only for the renames.
void rebuild(const std::function<void(SampleDb& live, SampleDb& fresh)>& fill) {
    const ModGW& m = modgw();
    SampleDb live;
    live.open(m.DatabaseFile); // the file to replace must be a sample database
    const QString livePath = live.path();
    const QString folder = qfile::FolderOf(livePath);
    const QString freshPath = scratchName(folder, "new");
    try {
        {
            SampleDb fresh;
            fresh.create(freshPath, paramNames());
            fresh.begin();
            fill(live, fresh);
            fresh.commit();
        }
        live.close();
        BindingHooks& hooks = bindingHooks();
        if (hooks.release) hooks.release();
        try {
            rotate(livePath, freshPath, folder + QStringLiteral("TEMP.MDB"));
        } catch (...) {
            if (hooks.rebind) hooks.rebind();
            throw;
        }
        if (hooks.rebind) hooks.rebind();
    } catch (...) {
        QFile::remove(freshPath);
        throw;
    }
}

void reportUnchanged(const QmError& e, const QString& where) {
    ui().MsgBox(errorText(e.number(), where) + QStringLiteral("\r\n\r\nThe database %1 has not been changed.")
                                                   .arg(qfile::NameOf(modgw().DatabaseFile)));
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
        rebuild([&m](SampleDb& live, SampleDb& fresh) {
            const QStringList old = live.fields();
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
            QSqlQuery q = live.prepare(
                QStringLiteral("SELECT %1 FROM \"Data\" ORDER BY %2").arg(columns, live.rowIdName()));
            SampleDb::exec(q);
            const int n = sampledb::FixedFields + m.NumParams;
            QStringList values;
            qint64 copied = 0;
            while (q.next()) {
                values.clear();
                for (int k = 0; k < n; ++k)
                    values << q.value(k).toString();
                fresh.insert(values);
                DbFaultPoint(u"copy", ++copied);
            }
        });
        return true;
    } catch (const QmError& e) {
        reportUnchanged(e, QStringLiteral("RedefineDb"));
        return false;
    }
}

bool ClearDB() {
    try {
        rebuild([](SampleDb&, SampleDb&) {});
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
