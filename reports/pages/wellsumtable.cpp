// SPDX-License-Identifier: GPL-3.0-or-later
// The results table of a source: a date column and one column per slot, 39 rows to a page.
// Positions are inches from the page origin with y upwards.
#include "reports/pages/summarybodies.h"

#include "drawcmd/pagecanvas.h"
#include "platform/dates.h"
#include "reportdefs/headings.h"
#include "reports/gwgraph.h"
#include "reports/pageparts.h"

#include <QDate>

#include <algorithm>
#include <optional>

namespace {

constexpr float TableLeft = 0.05f;
constexpr float DateColumnWidth = 0.9f;
constexpr float ValuesLeft = TableLeft + DateColumnWidth; // 0.95
constexpr float ColumnWidth = 0.573f;
constexpr float FirstColumnCentre = 1.2365f;
constexpr float RowPitch = 0.16f;
constexpr float ValuesTop = -0.02f;  // the value columns carry their heading parts above the grid
constexpr float HeaderTop = -0.5f;   // the date column starts at the units row
constexpr float HeaderRule = -0.82f; // with the rule below it, the double line under the header
constexpr float RowsTop = -0.84f;
constexpr float FirstRowText = -0.93f;
constexpr float BandShade = 0.1f;
constexpr float TextPoints = 8;
constexpr float Gap = 0.03f; // the least room between a text and a rule
constexpr float CellWidth = ColumnWidth - 2 * Gap;

// SlotCount as the reader sets it (1 to 11); held to the table's slots so a bad count draws no
// column past the arrays.
int slotCount(const WellSumRun& run) {
    return std::clamp<int>(run.SlotCount, 0, GwGraph::Slots);
}

float tableWidth(int columns) {
    return DateColumnWidth + float(columns) * ColumnWidth;
}

float columnCentre(int j) {
    return FirstColumnCentre + float(j - 1) * ColumnWidth;
}

float rowTop(int r) {
    return RowsTop - float(r - 1) * RowPitch;
}

// A text of the user's, as large as its room (width inches) lets it be.
void textAt(PageCanvas& c, float x, float y, const QString& text, float width) {
    c.S(x, y);
    FitA(c, text, width);
}

void ruleAcross(PageCanvas& c, float y, float width) {
    c.S(TableLeft, y);
    c.LR(width);
}

// The first row of the page whose record lies on or after the highlight date; 0 for none. The
// highlight is read in the current day/month order. Dates are compared as days: the axis numbers
// of the graphs give the 31st of a month and the 1st of the next the same number.
int highlightRow(const WellSumRunPage& p, const TablePageRows& page) {
    if (p.run.HighlightDate.isEmpty()) return 0;
    const std::optional<QDate> highlight = qdate::Parse(p.run.HighlightDate);
    if (!highlight) return 0;
    int row = 0;
    for (int i = page.last; i >= page.first; --i) {
        // The date is the record's first ten characters; the duplicate code follows.
        const std::optional<QDate> date = qdate::Parse(p.item.RecordDates[i].left(10));
        if (date && *date >= *highlight) row = i - page.first + 1;
    }
    return row;
}

} // namespace

QString HighlightDateShown(const QString& text) {
    if (text.isEmpty()) return text;
    const std::optional<QDate> highlight = qdate::Parse(text);
    return highlight ? qdate::FormatShort(*highlight) : text;
}

void drawWellSumTableHead(PageCanvas& c, const WellSumRunPage& p, const TablePageRows& page) {
    const WellSumRun& g = p.run;
    const int columns = slotCount(g);
    const float width = tableWidth(columns);
    const int rows = std::max(page.rows, 0);
    const float bottom = RowsTop - float(rows) * RowPitch;

    // The band goes first so that the rules and texts stand on it.
    if (const int from = highlightRow(p, page); from > 0) {
        c.S(TableLeft, rowTop(from));
        c.DrawSquareMarker(width, -(float(rows - from + 1) * RowPitch), BandShade);
    }

    for (const float y : {HeaderTop, -0.66f, HeaderRule, RowsTop})
        ruleAcross(c, y, width);
    for (int r = 1; r <= rows; ++r)
        ruleAcross(c, RowsTop - float(r) * RowPitch, width);
    c.S(ValuesLeft, ValuesTop);
    c.LR(float(columns) * ColumnWidth);
    c.S(TableLeft, HeaderTop);
    c.LD(HeaderTop - bottom);
    for (int j = 0; j <= columns; ++j) {
        c.S(ValuesLeft + float(j) * ColumnWidth, ValuesTop);
        c.LD(ValuesTop - bottom);
    }

    // The logo before the table may have left any size in force.
    c.AP(TextPoints);
    c.AL();
    const HeadingLogo& h = headinglogo();
    constexpr float HeadingWidth = ValuesLeft - Gap - 0.15f;
    textAt(c, 0.15f, -0.59f, h.HeadingLines[4] + QStringLiteral(":"), HeadingWidth);
    textAt(c, 0.15f, -0.75f, g.StandardLabel + QStringLiteral(":"), HeadingWidth);
    c.AC();
    for (int j = 1; j <= columns; ++j) {
        const float x = columnCentre(j);
        textAt(c, x, -0.17f, g.SlotParts[j][1], CellWidth);
        textAt(c, x, -0.29f, g.SlotParts[j][2], CellWidth);
        textAt(c, x, -0.41f, g.SlotParts[j][3], CellWidth);
        textAt(c, x, -0.59f, g.SlotUnits[j], CellWidth);
        textAt(c, x, -0.75f, g.SlotStandard[j], CellWidth);
    }
}

void drawWellSumTableRow(PageCanvas& c, const WellSumRunPage& p, int r, int record) {
    const WellSumItem& g = p.item;
    const float y = FirstRowText - float(r - 1) * RowPitch;
    c.AP(TextPoints);
    c.AL();
    // Shown as stored: the date with its duplicate code, a non-detect with its "<", a gap as "-".
    textAt(c, 0.2f, y, g.RecordDates[record], ValuesLeft - Gap - 0.2f);
    c.AC();
    const OneBased<QString>& values = g.RecordValues[record];
    for (int j = 1; j <= slotCount(p.run); ++j)
        textAt(c, columnCentre(j), y, values[j], CellWidth);
}
