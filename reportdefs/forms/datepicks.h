// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class SpreadGrid;

// What the date summary and the date contour form share: both edit the one date definition.

// A pick of project parameter p from the parameter list: its name into the caret's row of grid
// (rows in all), its number into that slot of the definition, and the caret on to the next row (after
// the last one it stays). False when p is no parameter of the project.
bool PickDateParameter(SpreadGrid& grid, int p, int rows);

// Closing either date form: a later run must see no notes or episodes of it.
void ForgetDateNotes();
