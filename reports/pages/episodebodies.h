// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The bodies of the episode and source-set pages, inside the frame and right-hand column that
// episodepages.cpp draws. Each part sets its own origin and scales (its own Z from the page origin
// and the margin offsets) and leaves the column alone; faults go to the trap of the page routine.

#include "reports/pages.h"

#include <QString>

// Date summary table and map: the heading band's rules at -0.5, -0.66, -0.82 and -0.84 inches,
// width inches long from 0.05; the pen stays at the left end of the last.
void drawDateSumBandRules(PageCanvas& c, float width);
// Date summary table: the rules of the heading band and of every row, the row and column headings.
void drawDateSumTableGrid(PageCanvas& c, const DateSumRunPage& p);
// Date summary table: the name and the values of source s, on its row.
void drawDateSumTableRow(PageCanvas& c, const DateSumRunPage& p, int s);

// Date summary table and map: the parameters' column headings from the current spot, centred,
// one column a step right; the last line of each is lastLine (standard or scale maximum).
void drawDateSumColumnHeadings(PageCanvas& c, const DateSumRun& run, const OneBased<QString>& lastLine);

// Map page: the parameter heading band with the map's columns framed.
void drawDateSumMapHeadingBand(PageCanvas& c, const DateSumRunPage& p);
// Map page: the map's axis labels and grid.
void drawDateSumMapGrid(PageCanvas& c, const PageContext& ctx, const DateSumRun& run);
// Map page: the symbol, name and value label of source s.
void drawDateSumMapSource(PageCanvas& c, const DateSumRunPage& p, int s);

// Stiff page: scale row j of set s with its ticks, parameter name and units.
void drawStiffScaleRow(PageCanvas& c, const PageContext& ctx, const StiffRun& run, int set, int j);
// Stiff page: the diagram of source r of set s, with its box and name.
void drawStiffDiagram(PageCanvas& c, const StiffRunPage& p, int set, int r);

// Groundwater page: the heading block of source j (name, symbol and reference elevation headings,
// rules).
void drawGWElevBlock(PageCanvas& c, const PageContext& ctx, int j);
// Groundwater page: source j's name, symbol, reference elevation and its last twelve readings.
void drawGWElevBlockReadings(PageCanvas& c, const GWElevRunPage& p, int j);
// Groundwater page: the row rules of the table and the graph's origin and date axis.
void drawGWElevGraphStart(PageCanvas& c, const PageContext& ctx);
// Groundwater page: quarter bands, year labels, frame and value scale of the graph.
void drawGWElevGraphAxes(PageCanvas& c, const GWElevRunPage& p);
// Groundwater page: source j's readings in the graph.
void drawGWElevReadings(PageCanvas& c, const GWElevRunPage& p, int j);
