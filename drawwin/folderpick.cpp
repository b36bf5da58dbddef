// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/folderpick.h"

#include "platform/filenames.h"
#include "platform/files.h"

#include <QDir>

namespace folderpick {

const QString kEnterName = QStringLiteral("Enter a New Folder Name and try again.");
const QString kAlreadyExists =
    QStringLiteral("The New Folder Name that you have entered already exists.  Edit it and try again.");
const QString kInvalid =
    QStringLiteral("Invalid Path or Folder Already Exists -- you cannot create new folder here");

NewFolderResult CreateNewFolder(const QString& path, const QString& name) {
    NewFolderResult r;
    r.folder = path;
    if (!r.folder.endsWith(u'/') && !r.folder.endsWith(u'\\')) r.folder += u'/';
    r.folder += name;
    if (name.isEmpty()) {
        r.message = kEnterName;
        return r;
    }
    // An empty path would put the folder at the root.
    if (path.trimmed().isEmpty()) {
        r.message = kInvalid;
        return r;
    }
    if (FolderIsWritable(r.folder)) {
        r.message = kAlreadyExists;
        return r;
    }
    // One level only: a path that does not exist is refused, not made.
    if (!QDir().mkdir(qfile::Absolute(r.folder))) {
        r.message = kInvalid;
        return r;
    }
    r.created = true;
    return r;
}

} // namespace folderpick
