// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files.h"

#include "platform/filenames.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"

#include <QFile>
#include <QFileInfo>

bool FileExists(const QString& path) {
    if (path.isEmpty()) return false;
    const QString p = qfile::Resolve(path);
    if (QFileInfo(p).isDir()) return false;
    QFile f(p);
    return f.open(QIODevice::ReadOnly);
}

bool FolderIsWritable(const QString& folder) {
    if (folder.isEmpty()) return false;
    QString dir = qfile::Absolute(folder);
    if (!dir.endsWith(u'/')) dir += u'/';
    const QString test = qfile::ForWriting(dir + QStringLiteral("testzzz.who"));
    bool ok = true;
    // Through the checked writer: a buffered write reports success before the disk has said no, and a
    // full disk would pass for a writable folder.
    try {
        qtext::WriteBytes(test, QByteArrayLiteral("test\r\n"));
    } catch (const QmError&) {
        ok = false;
    }
    if (QFile::exists(test) && !QFile::remove(test)) ok = false;
    return ok;
}
