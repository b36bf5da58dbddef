// SPDX-License-Identifier: GPL-3.0-or-later
// The date summary maps and the groundwater elevation graph.
#include "reports/pages/episodebodies.h"

void drawDateSumMapHeadingBand() {}
void drawDateSumMapGrid() {}
void drawDateSumMapSource(int /*s*/) {}
void drawGWElevBlock(int /*j*/) {}
void drawGWElevBlockReadings(int /*j*/) {}
void drawGWElevGraphStart() {}
void drawGWElevGraphAxes() {}
void drawGWElevReadings(int /*j*/) {}
