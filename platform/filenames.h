// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// File names: paths use "/", a "\" read from an older file is a separator. To open a file the
// program looks for the exact name first, then for a case-insensitive match in that folder. Bare
// names resolve in the program folder; the process's current folder is never changed.
namespace qfile {

// "\" becomes "/".
QString Normalize(const QString& path);

// A bare name or relative path is taken in the program folder; absolute paths (a leading "/") stay.
// Names are file names only: ":name" is a file in the program folder, never a resource.
QString Absolute(const QString& path);

// The existing file meant by path: the exact name, else a case-insensitive match of each missing
// component. When nothing matches, the absolute, normalised path.
QString Resolve(const QString& path);

// The name to write under: an existing file of the same name in another case is replaced rather
// than doubled ("device.cfg" writes over "DEVICE.CFG").
QString ForWriting(const QString& path);

// Folder part with its closing "/", and bare file name.
QString FolderOf(const QString& path);
QString NameOf(const QString& path);

} // namespace qfile
