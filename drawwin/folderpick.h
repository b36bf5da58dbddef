// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The folder picker's Create New Folder.
namespace folderpick {

extern const QString kEnterName;     // no name given
extern const QString kAlreadyExists; // the folder is there and takes files
extern const QString kInvalid;       // anything else that stops the creation

struct NewFolderResult {
    bool created = false;
    QString folder;  // the folder meant: the path, a "/" unless it ends in one, and the name
    QString message; // the message to show, "" when created
};

// Creates the folder name inside the folder path. Nothing is created without a name, without a path
// (never at the root), where the folder already exists, or where the path does not exist.
NewFolderResult CreateNewFolder(const QString& path, const QString& name);

} // namespace folderpick
