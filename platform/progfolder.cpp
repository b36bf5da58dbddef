// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/progfolder.h"

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

bool SeedProgramFolder() {
    const QString dest = ProgramFolder();
    if (!QDir().mkpath(dest)) return false;
    const QString src = ResourceFolder();
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
    return true;
}
