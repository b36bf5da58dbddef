// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The per-user program folder, $XDG_DATA_HOME/qmar2002/ (default ~/.local/share/qmar2002/), always
// with its closing "/". Bare file names such as "DEVICE.CFG" live here.
QString ProgramFolder();
// Points the program folder elsewhere (tests); an empty text restores the default.
void SetProgramFolder(const QString& folder);

// Where the shipped resources are: $QMAR_RESOURCES, else the build's resources/ folder.
QString ResourceFolder();

// Where the build leaves the resources it makes (the demo project's database):
// $QMAR_BUILT_RESOURCES, else the build's resources-built/ folder; "" when the build names none.
QString BuiltResourceFolder();

// Creates the program folder when missing and copies in the shipped and the built resources without
// overwriting any file that exists. The demo's text files (demo/*.qlp, demo/*.txt) ship their dates
// month first; their copies get them in the order dayFirst gives (1 day first), so that the demo
// reads and imports in the user's order. When there is no recent-projects list yet and every file is
// in place, one is written that names the demo project's copy (demo/*.qlp), so that a first start
// opens onto real data. Files that cannot be written are reported in one message and left for the
// next start. Returns false when the folder cannot be created.
bool SeedProgramFolder(int dayFirst);
// The same in the day order of the system's short date.
bool SeedProgramFolder();

// True when the seeding of this run created the program folder: the program's first start.
bool ProgramFolderIsNew();
