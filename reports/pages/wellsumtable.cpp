// SPDX-License-Identifier: GPL-3.0-or-later
// The results table of a source.
#include "reports/pages/summarybodies.h"

void drawWellSumTableHead(const TablePageRows&) {}

void drawWellSumTableRow(int, int) {}
