// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What the program asks of the file system before it reads or writes.

// True when the file can be opened for reading (bare names resolve in the program folder).
bool FileExists(const QString& path);
// True when a test file can be written whole into the folder and removed again.
bool FolderIsWritable(const QString& folder);
