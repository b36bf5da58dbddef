// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The project file (".qlp") and parameter set file (".par").

// Reads the project file named by ProjectFile into the client lines, the source and parameter tables,
// the report date window and the "<" factor.
void OpenProjectInfo();
// Empties the project's tables.
void ClearProjArrays();
