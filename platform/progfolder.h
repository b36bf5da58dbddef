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

// Creates the program folder when missing and copies in the shipped resources without overwriting
// any file that exists. Returns false when the folder cannot be created.
bool SeedProgramFolder();
