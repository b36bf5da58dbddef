// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/progfolder.h"

#include "platform/qmerror.h"
#include "platform/textfile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {
QString& overrideFolder() {
    static QString f;
    return f;
}
} // namespace

QString ProgramFolder() {
    QString f = overrideFolder();
    if (f.isEmpty()) {
        QString base = qEnvironmentVariable("XDG_DATA_HOME");
        if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.local/share");
        f = base + QStringLiteral("/qmar2002");
    }
    if (!f.endsWith(u'/')) f += u'/';
    return f;
}

void SetProgramFolder(const QString& folder) { overrideFolder() = folder; }

QString ResourceFolder() {
    const QString env = qEnvironmentVariable("QMAR_RESOURCES");
    QString f = env.isEmpty() ? QStringLiteral(QMAR_RESOURCE_DIR) : env;
    if (!f.endsWith(u'/')) f += u'/';
    return f;
}

QString BuiltResourceFolder() {
    QString f = qEnvironmentVariable("QMAR_BUILT_RESOURCES");
#ifdef QMAR_BUILT_RESOURCE_DIR
    if (f.isEmpty()) f = QStringLiteral(QMAR_BUILT_RESOURCE_DIR);
#endif
    if (!f.isEmpty() && !f.endsWith(u'/')) f += u'/';
    return f;
}

namespace {
void copyMissing(const QString& src, const QString& dest) {
    if (src.isEmpty() || !QFileInfo(src).isDir()) return;
    QDirIterator it(src, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString rel = QDir(src).relativeFilePath(from);
        const QString to = dest + rel;
        if (QFileInfo::exists(to)) continue;
        QDir().mkpath(QFileInfo(to).absolutePath());
        QFile::copy(from, to);
        QFile(to).setPermissions(QFile(to).permissions() | QFile::WriteOwner);
    }
}
} // namespace

bool SeedProgramFolder() {
    const QString dest = ProgramFolder();
    if (!QDir().mkpath(dest)) return false;
    copyMissing(ResourceFolder(), dest);
    copyMissing(BuiltResourceFolder(), dest);
    const QString recent = dest + QStringLiteral("qmarrecent.txt");
    const QStringList demos =
        QDir(dest + QStringLiteral("demo")).entryList({QStringLiteral("*.qlp")}, QDir::Files, QDir::Name);
    if (!demos.isEmpty() && !QFileInfo::exists(recent)) {
        QStringList lines(10);
        lines[0] = dest + QStringLiteral("demo/") + demos.first();
        try {
            qtext::WriteLines(recent, lines);
        } catch (const QmError&) {
            // Without the list the program starts with no project open.
        }
    }
    return true;
}
