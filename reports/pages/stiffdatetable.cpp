// SPDX-License-Identifier: GPL-3.0-or-later
// The Stiff diagrams and the date summary table.
#include "reports/pages/episodebodies.h"

void drawDateSumTableGrid() {}
void drawDateSumTableRow(int /*s*/) {}
void drawStiffScaleRow(int /*set*/, int /*j*/) {}
void drawStiffDiagram(int /*set*/, int /*r*/) {}
