// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/pages.h"

#include <QString>

#include <optional>

// The bodies of the summary pages: the results table of a source and the time-series graphs of a
// source and of a parameter, inside the frame and right-hand column that summarypages.cpp draws.
// Each is called with the page origin set (the frame's upper left corner), both user scales 1 and
// the font chosen; it may leave the drawing state changed and raises its faults to the trap of the
// page routine, which ends the page there.

// The records one table page shows: first..last, `rows` of them (0 for a source without records).
struct TablePageRows {
    int first = 1;
    int last = 0;
    int rows = 0;
};

// The span of sampling dates that every graph of a parameter page shares: the earliest and latest
// date numbers (DTN) with the texts they came from. An end is empty when no source has a record
// with a date.
struct ParSumDateWindow {
    std::optional<double> earliest;
    std::optional<double> latest;
    QString earliestText;
    QString latestText;
};

// Table page: the highlight band, the grid lines and the column headings.
void drawWellSumTableHead(PageCanvas& c, const WellSumRunPage& p, const TablePageRows& page);
// Table page: row r of the page (1 to 39), showing record `record` of the source.
void drawWellSumTableRow(PageCanvas& c, const WellSumRunPage& p, int r, int record);
// The highlight date as a table page shows it: read in the current day/month order, as the short
// date; a text that is no date as it is.
QString HighlightDateShown(const QString& text);
// Source graph page: the graph of slot `slot`; (x, y) is the lower left corner of its box in inches
// from the page origin, and the pen stands there.
void drawWellSumGraphBox(PageCanvas& c, const WellSumRunPage& p, int slot, float x, float y);
// Parameter page: the graph of source `source` (1-based), placed as above.
void drawParSumGraphBox(PageCanvas& c, const ParSumRunPage& p, int source, float x, float y, const ParSumDateWindow& dates);

// The standard marker with its point at the pen: a stroke 0.1 to the right and a diamond over it,
// 0.1 wide and 0.1 high (user scales 1). The legends show it; the graphs mark each standard with it.
void drawStandardMarker(PageCanvas& c);
