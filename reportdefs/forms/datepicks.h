// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <utility>

class SpreadGrid;

// What the date summary and the date contour form share: both edit the one date definition. Each
// pick writes into the caret's row of grid (rows in all) and moves the caret on to the next row;
// after the last one it stays.

// Project parameter p: its name into the grid, its number into that slot of the definition.
void PickDateParameter(SpreadGrid& grid, int p, int rows);

// Project source s: for each (column, field) of colField, the source's field into that column of
// the grid and of that row of the definition's sources.
void PickDateSource(SpreadGrid& grid, int s, int rows, const QList<std::pair<int, int>>& colField);
