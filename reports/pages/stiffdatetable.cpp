// SPDX-License-Identifier: GPL-3.0-or-later
// The Stiff diagrams and the date summary table.
#include "reports/pages/episodebodies.h"

#include "drawcmd/pagecanvas.h"
#include "platform/numbers.h"
#include "project/modgw.h"
#include "reportdefs/headings.h"
#include "reports/pageparts.h"

#include <algorithm>
#include <cmath>

namespace {

// ---- date summary table

// The frame's top left corner, scales 1, as the frame itself starts.
void pageOrigin(PageCanvas& c) {
    c.Z(0.7f + modgw().MarginOffsetX, 7.8f + modgw().MarginOffsetY);
    c.SH(1);
    c.SV(1);
}

int columns(const DateSumRun& run) {
    return std::max<int>(run.ItemParCount, 0);
}

// The room of the table's texts, 0.03 off the rules: a column's, and the name column's from 0.15.
constexpr float CellWidth = 0.7f - 2 * 0.03f;
constexpr float NameWidth = 0.95f - 0.03f - 0.15f;

// ---- Stiff

constexpr int MaxTicks = 100;

struct StiffRowScale {
    float max;  // one inch from the centre line
    float step; // between ticks
    int ticks;
};

// A row's maximum and step as its scale row and its diagrams use them. A maximum that is not above 0
// reads 10 by 2; a step that is not above 0, or one that would make more than 100 ticks, becomes a
// quarter of the maximum.
StiffRowScale stiffRowScale(const StiffRun& g, int set, int j) {
    float max = g.StiffScaleMax[j][set];
    float step = g.StiffScaleStep[j][set];
    if (!(max > 0) || !std::isfinite(max)) {
        max = 10;
        step = 2;
    }
    float ticks = (step > 0 && std::isfinite(step)) ? std::floor(max / step) : float(MaxTicks + 1);
    if (ticks > MaxTicks) {
        step = max / 4;
        ticks = 4;
    }
    return {max, step, int(ticks)};
}

// Centre of a set's column on the paper; the margin offsets move it with the frame.
float setCentre(int set) {
    return (set == 1 ? 2.5f : 6.2f) + modgw().MarginOffsetX;
}

// ---- fitting the scale rows' texts (inches from the set's centre line)

constexpr float AxisHalf = 1;       // the axis runs 1 inch either side of the centre
constexpr float NameOffset = 0.4f;  // name and units stand this far beyond the last tick
constexpr float TextGap = 0.03f;    // the least room between a text and its neighbour

// How far out from the centre a row's name and units may reach before the next element: the frame
// (set 1's left side), the title column's rule (set 2's right side), or halfway to the other set.
float outerLimit(int set, bool left) {
    constexpr float Frame = 1.8f;   // set 1's centre from the frame, set 2's from the column rule
    constexpr float Between = 1.85f; // halfway between the two centres, 3.7 apart
    return (set == 1) == left ? Frame : Between;
}

// A tick label's width at the scale's 6 points; the "0" of tick 0 is drawn by the row itself.
float labelWidth(PageCanvas& c, float value) {
    return float(c.TextWidth(NumberText(value)));
}

// 1, 2, 5, 10, 20, 50, ...
int nextRoundStep(int n) {
    int decade = 1;
    while (decade * 10 <= n)
        decade *= 10;
    return n / decade == 2 ? n * 5 / 2 : n * 2;
}

// Every how many ticks a label is drawn: the first of 1, 2, 5, 10, 20, 50 ... at which no label
// comes within TextGap of its neighbour, the "0" at the centre included; labels are 6 points.
int tickLabelStep(PageCanvas& c, const StiffRowScale& sc) {
    const float pitch = sc.step / sc.max; // inches between ticks
    for (int every = 1;; every = nextRoundStep(every)) {
        if (every > sc.ticks) return every;
        bool fits = true;
        float prevWidth = labelWidth(c, 0);
        for (int i = every; i <= sc.ticks && fits; i += every) {
            const float w = labelWidth(c, float(i) * sc.step);
            fits = (prevWidth + w) / 2 + TextGap <= pitch * float(every);
            prevWidth = w;
        }
        if (fits) return every;
    }
}

// A value held to its row's maximum; a text that is no number counts as 0.
float stiffValue(const StiffItem& item, int set, int r, int j, float max) {
    const float v = float(qnum::LeadingNumber(item.StiffValue[r][j][set]));
    return v > max ? max : v;
}

// One vertex of the outline: x is measured in the row's scale (its maximum one inch from the centre
// line), y in inches below the top.
void vertex(PageCanvas& c, const StiffRunPage& p, int set, int r, int j, bool left, float level) {
    const StiffRowScale sc = stiffRowScale(p.run, set, j);
    const float v = stiffValue(p.item, set, r, j, sc.max);
    c.SH(sc.max);
    c.LTO(left ? -v : v, -0.2f * level);
    c.C(0.02f);
}

// Odd rows down the left, back to the centre line at the lowest odd level, even rows up the right,
// back to the top centre. Rows the set does not have are left out, so that one row goes out to
// row 1 and back and no row draws no outline.
void drawOutline(PageCanvas& c, const StiffRunPage& p, int set, int r, int rows) {
    if (rows < 1) return;
    const int lastOdd = rows % 2 == 1 ? rows : rows - 1;
    for (int j = 1; j <= lastOdd; j += 2)
        vertex(c, p, set, r, j, true, float((j - 1) / 2));
    c.SH(1);
    c.LTO(0, -0.2f * float((lastOdd - 1) / 2));
    if (rows < 2) return;
    const int lastEven = rows - rows % 2;
    for (int j = lastEven; j >= 2; j -= 2)
        vertex(c, p, set, r, j, false, float((j - 1) / 2));
    c.SH(1);
    c.LTO(0, 0);
}

} // namespace

// ---- date summary table

void drawDateSumBandRules(PageCanvas& c, float width) {
    c.S(0.05f, -0.5f);
    c.LR(width);
    c.SD(0.16f);
    c.LL(width);
    c.SD(0.16f);
    c.LR(width);
    c.SD(0.02f);
    c.LL(width);
}

void drawDateSumTableGrid(PageCanvas& c, const DateSumRunPage& p) {
    const DateSumRun& g = p.run;
    const int P = columns(g);
    const int sources = std::max<int>(p.item.ItemSourceCount, 0);
    const float W = 0.7f * float(P) + 0.9f;
    pageOrigin(c);

    // The heading band's rules, then one under every row.
    drawDateSumBandRules(c, W);
    for (int s = 1; s <= sources; ++s) {
        c.SD(0.16f);
        c.LR(W);
        c.SL(W);
    }
    c.S(0.95f, -0.02f);
    c.LR(W - 0.9f);

    // The left border from the heading band down, then a rule either side of every column.
    const float H = 0.16f * float(sources);
    c.S(0.05f, -0.5f);
    c.LD(H + 0.34f);
    c.SR(0.9f);
    c.SU(H + 0.82f);
    for (int p = 1; p <= P; ++p) {
        c.LD(H + 0.82f);
        c.SR(0.7f);
        c.SU(H + 0.82f);
    }
    c.LD(H + 0.82f);

    // The logo before the table leaves its own text size behind.
    c.AP(8);
    c.S(0.15f, -0.58f);
    c.AL();
    FitA(c, headinglogo().HeadingLines[3] + QStringLiteral(":"), NameWidth);
    c.SD(0.16f);
    FitA(c, g.StandardLabel + QStringLiteral(":"), NameWidth);

    c.S(1.3f, -0.15f);
    drawDateSumColumnHeadings(c, g, g.DateParStandard);
}

void drawDateSumColumnHeadings(PageCanvas& c, const DateSumRun& g, const OneBased<QString>& lastLine) {
    c.AC();
    for (int p = 1; p <= columns(g); ++p) {
        for (int line = 1; line <= 3; ++line) {
            FitA(c, g.ParLabel[line][p], CellWidth);
            c.SD(0.12f);
        }
        c.SD(0.06f);
        FitA(c, g.DateParUnits[p], CellWidth);
        c.SD(0.16f);
        FitA(c, lastLine[p], CellWidth);
        c.SR(0.7f);
        c.SU(0.58f);
    }
}

void drawDateSumTableRow(PageCanvas& c, const DateSumRunPage& page, int s) {
    const DateSumRun& g = page.run;
    pageOrigin(c);
    c.AP(8);
    c.S(0.15f, -0.91f);
    c.SD(0.16f * float(s - 1));
    c.AL();
    FitA(c, g.RunSourceName[s], NameWidth);
    c.SR(1.15f);
    c.AC();
    const OneBased<QString>& values = page.item.RecordValues[s];
    for (int p = 1; p <= columns(g); ++p) {
        FitA(c, values[p], CellWidth);
        c.SR(0.7f);
    }
}

// ---- Stiff

void drawStiffScaleRow(PageCanvas& c, const StiffRun& g, int set, int j) {
    // Each row starts from the set's own origin: two rows to an axis, axes 0.4 apart. Counting from
    // the origin rather than from where the last row left the pen keeps every axis on the centre
    // even when a maximum is no whole number of steps.
    c.Z(setCentre(set), 7.4f + modgw().MarginOffsetY);
    c.SH(1);
    c.SV(1);
    c.SD(0.4f * float((j - 1) / 2));

    c.AP(6);
    c.AC();
    c.SL(1);
    c.LR(2);
    c.SL(1);
    c.LU(0.05f);
    c.SU(0.05f);
    c.A(QStringLiteral("0"));
    c.SD(0.1f);

    const bool left = j % 2 == 1;
    const StiffRowScale sc = stiffRowScale(g, set, j);
    const int every = tickLabelStep(c, sc);
    c.SH(sc.max);
    int lastLabel = 0;
    for (int i = 1; i <= sc.ticks; ++i) {
        if (left)
            c.SL(sc.step);
        else
            c.SR(sc.step);
        c.LU(0.05f);
        c.SU(0.05f);
        if (i % every == 0) {
            c.AN(float(i) * sc.step);
            lastLabel = i;
        }
        c.SD(0.1f);
    }

    // Name and units 0.4 beyond the last tick, each as large as its room lets it be.
    const float lastTick = float(sc.ticks) * sc.step / sc.max;
    const float anchor = lastTick + NameOffset;
    const float outer = outerLimit(set, left) - TextGap;
    const float labelEdge = float(lastLabel) * sc.step / sc.max + labelWidth(c, float(lastLabel) * sc.step) / 2;
    const float unitsInner = std::max(AxisHalf, labelEdge) + TextGap;
    c.SH(1);
    if (left)
        c.SL(NameOffset);
    else
        c.SR(NameOffset);
    c.SU(0.2f);
    c.AP(8);
    c.A(FitTextSize(c, g.StiffParName[j][set], 2 * (outer - anchor)));
    c.SD(0.15f);
    c.AP(8);
    const float unitsWidth = 2 * std::min(outer - anchor, anchor - unitsInner);
    c.A(FitTextSize(c, g.StiffParUnits[j][set], unitsWidth, QStringLiteral("()")));
}

void drawStiffDiagram(PageCanvas& c, const StiffRunPage& p, int set, int r) {
    // Boxes hang 1.1 apart from the first one's top centre.
    c.Z(setCentre(set), 6.05f - 1.1f * float(r - 1) + modgw().MarginOffsetY);
    c.SH(1);
    c.SV(1);

    // The broken-line box 2 by 0.6 with its centre line; the pen ends at the top centre.
    c.LT(5);
    c.SL(1);
    c.LR(2);
    c.SD(0.6f);
    c.LU(0.6f);
    c.SD(0.6f);
    c.SL(2);
    c.LR(2);
    c.SL(2);
    c.LU(0.6f);
    c.SR(1);
    c.LD(0.6f);
    c.SU(0.6f);
    c.LT(1);

    drawOutline(c, p, set, r, std::max<int>(p.run.StiffParCount[set], 0));

    c.SH(1);
    c.SD(0.75f);
    c.AP(8);
    c.AC();
    // Centred under the box, as far either way as the nearer of the frame and the other set.
    FitA(c, p.item.StiffSourceName[r][set],
         2 * (std::min(outerLimit(set, true), outerLimit(set, false)) - TextGap));
}
