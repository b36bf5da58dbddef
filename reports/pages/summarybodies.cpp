// SPDX-License-Identifier: GPL-3.0-or-later
// The time-series graphs of the source and parameter pages.
#include "reports/pages/summarybodies.h"

void drawWellSumGraphBox(int, float, float) {}

void drawParSumGraphBox(int, float, float, const ParSumDateWindow&) {}
