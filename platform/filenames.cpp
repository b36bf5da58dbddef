// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/filenames.h"

#include "platform/progfolder.h"

#include <QDir>
#include <QFileInfo>

namespace qfile {

QString Normalize(const QString& path) {
    QString p = path;
    p.replace(u'\\', u'/');
    return p;
}

QString Absolute(const QString& path) {
    const QString p = Normalize(path);
    if (p.isEmpty()) return p;
    // Only a leading "/" makes a path absolute: Qt would also take ":name" as absolute, a resource.
    if (p.startsWith(u'/')) return p;
    return ProgramFolder() + p;
}

namespace {
// Case-insensitive lookup of one name inside an existing folder.
QString matchIn(const QString& folder, const QString& name) {
    QDir dir(folder);
    if (!dir.exists()) return {};
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0) return e;
    return {};
}
} // namespace

QString Resolve(const QString& path) {
    const QString abs = Absolute(path);
    if (abs.isEmpty() || QFileInfo::exists(abs)) return abs;
    // Walk the components, replacing each missing one by its case-insensitive match.
    const bool rooted = abs.startsWith(u'/');
    const QStringList parts = abs.split(u'/', Qt::SkipEmptyParts);
    QString cur = rooted ? QStringLiteral("/") : QString();
    for (int i = 0; i < parts.size(); ++i) {
        QString next = cur + parts[i];
        if (!QFileInfo::exists(next)) {
            const QString m = matchIn(cur.isEmpty() ? QStringLiteral(".") : cur, parts[i]);
            if (m.isEmpty()) return abs;
            next = cur + m;
        }
        cur = i + 1 < parts.size() ? next + u'/' : next;
    }
    return cur;
}

QString ForWriting(const QString& path) {
    const QString abs = Absolute(path);
    if (abs.isEmpty()) return abs;
    const QString folder = Resolve(FolderOf(abs));
    const QString name = NameOf(abs);
    const QString m = matchIn(folder, name);
    return (folder.endsWith(u'/') ? folder : folder + u'/') + (m.isEmpty() ? name : m);
}

QString FolderOf(const QString& path) {
    const QString p = Normalize(path);
    const qsizetype i = p.lastIndexOf(u'/');
    return i < 0 ? QString() : p.left(i + 1);
}

QString NameOf(const QString& path) {
    const QString p = Normalize(path);
    return p.mid(p.lastIndexOf(u'/') + 1);
}

} // namespace qfile
