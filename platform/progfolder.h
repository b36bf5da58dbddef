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
// overwriting any file that exists. When there is no recent-projects list yet, one is written that
// names the demo project's copy (demo/*.qlp), so that a first start opens onto real data. Returns
// false when the folder cannot be created.
bool SeedProgramFolder();
