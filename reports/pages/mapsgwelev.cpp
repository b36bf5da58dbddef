// SPDX-License-Identifier: GPL-3.0-or-later
// The date summary maps and the groundwater elevation graph. Positions are inches with y upwards,
// from the page origin (the frame's upper left corner), the map's lower left corner or the
// graph's lower left corner, each moved by the printer's margin offsets.
#include "reports/pages/episodebodies.h"

#include "drawcmd/pagecanvas.h"
#include "platform/numbers.h"
#include "project/modgw.h"
#include "reportdefs/headings.h"
#include "reports/pageparts.h"

#include <QList>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

QString heading(int slot) {
    return headinglogo().HeadingLines[slot];
}

void pageOrigin(PageCanvas& c) {
    const ModGW& mg = modgw();
    c.Z(0.7f + mg.MarginOffsetX, 7.8f + mg.MarginOffsetY);
    c.SH(1);
    c.SV(1);
}

// Whether a point relative to the origin, in the current scales, lies on the sheet: the pen moves
// only to points that do, so a point beyond it would be drawn wherever the pen last stood.
bool onSheet(PageCanvas& c, float x, float y) {
    const Metaugl& m = c;
    const double tx = m.OriginX + m.UnitsPerInch * double(x) / m.HorizontalScale;
    const double ty = m.OriginY - m.UnitsPerInch * double(y) / m.VerticalScale;
    return tx >= 0 && tx <= m.DrawableWidth && ty >= 0 && ty <= m.DrawableHeight;
}

constexpr float Gap = 0.03f; // the least room between a text and a line

// ---- date summary maps

constexpr float MapSize = 5.6f; // the map square, inches
constexpr float NameWidth = 0.95f - Gap - 0.15f;         // the heading band's first column, from 0.15
constexpr float YLabelWidth = 0.9f - 0.07f - 0.1f - Gap; // from the turned axis label to 0.1 off the map
constexpr float SourceLabelWidth = 1.2f;

// The map's lower left corner, with the sheet's scales.
void mapOrigin(PageCanvas& c) {
    const ModGW& mg = modgw();
    c.Z(1.8f + mg.MarginOffsetX, 1.2f + mg.MarginOffsetY);
    c.SH(1);
    c.SV(1);
}

struct MapAxis {
    float start;
    float end;
    float inc;
    int ticks;
    float range() const { return end - start; }
    // Map units per inch.
    float scale() const { return float(double(range()) / MapSize); }
};

// An axis the map can be drawn on: a range and an increment above 0 and at most 100 ticks. Any
// other would divide by 0 or draw lines without end; the map then uses 0 to 100 by 10.
MapAxis usableAxis(float start, float end, float inc) {
    const float range = end - start;
    if (std::isfinite(start) && std::isfinite(range) && range > 0 && std::isfinite(inc) && inc > 0) {
        const float steps = std::floor(range / inc);
        if (steps < 100) return {start, end, inc, int(steps) + 1};
    }
    return {0, 100, 10, 11};
}

MapAxis xAxis(const DateSumRun& g) {
    return usableAxis(g.MapXStart, g.MapXEnd, g.MapXInc);
}

MapAxis yAxis(const DateSumRun& g) {
    return usableAxis(g.MapYStart, g.MapYEnd, g.MapYInc);
}

// The columns of the page's map that name a column of the table; any other number is left out of
// the framing, the shading and the label.
QList<int> mapColumns(const DateSumRunPage& p) {
    const DateSumRun& g = p.run;
    QList<int> columns;
    const int m = p.page;
    if (m < 1 || m > GwGraph::MaxMaps) return columns;
    for (int k = 1; k <= g.MapParCount[m]; ++k) {
        const int c = g.MapParams[m][k];
        if (c >= 1 && c <= g.ItemParCount) columns << c;
    }
    return columns;
}

// A value as the map weighs it: a "<" reading counts its number times the project's factor, any
// other text the number it starts with ("-" and words 0).
float mapValue(const QString& text) {
    if (text.startsWith(u'<'))
        return float(qnum::LeadingNumber(QStringView(text).mid(1)) *
                     qnum::LeadingNumber(modgw().LessThanFactor));
    return float(qnum::LeadingNumber(text));
}

// The mean of the columns' value / scale maximum, in single precision, held to 1 as the circle's
// shade is. A column without a scale maximum above 0 counts 0; a map without columns is white.
float meanRatio(const DateSumRunPage& p, int s, const QList<int>& columns) {
    if (columns.isEmpty()) return 0;
    const DateSumRun& g = p.run;
    float sum = 0;
    for (int c : columns) {
        const float max = float(qnum::LeadingNumber(g.ParScaleMax[c]));
        if (max > 0) sum += mapValue(p.item.RecordValues[s][c]) / max;
    }
    float mean = sum / float(columns.size());
    // Values beyond single precision must not reach the shade as a non-number.
    if (!std::isfinite(mean)) mean = mean > 0 ? 1 : 0;
    return std::min(mean, 1.0f);
}

// One column: its text as the file holds it; several: the whole per cent of the mean (" 29%").
QString valueLabel(const DateSumItem& g, int s, const QList<int>& columns, float mean) {
    if (columns.size() == 1) return g.RecordValues[s][columns[0]];
    const float percent = std::floor(mean * 100.0f) + 0.0f; // no "-0"
    return qnum::CaptionNum(percent) + QStringLiteral("%");
}

// ---- groundwater elevation page

constexpr int GWBlocks = 4; // sources with a block, a symbol and a line on the page
constexpr float BlockWidth = 1.825f;
// The room of a block's texts, 0.03 off its rules: the first column (0 to 0.9), the depth column
// (0.9 to 1.3), the elevation column (1.3 to 1.825) and both of these (the reference elevation).
constexpr float FirstWidth = 0.9f - 2 * Gap;
constexpr float DepthWidth = 0.4f - 2 * Gap;
constexpr float ElevationWidth = 0.525f - 2 * Gap;
constexpr float RefWidth = 0.925f - 2 * Gap;
constexpr float GraphWidth = 6.3f;
constexpr float GraphHeight = 3.9f;

void graphOrigin(PageCanvas& c) {
    const ModGW& mg = modgw();
    c.Z(1.5f + mg.MarginOffsetX, 1.0f + mg.MarginOffsetY);
    c.SH(1);
    c.SV(1);
}

int sourcesOnPage(const GWElevItem& item) {
    return std::clamp<int>(item.ItemSourceCount, 0, GWBlocks);
}

void tableSymbol(PageCanvas& c, int j) {
    switch (j) {
    case 1: c.C(0.05f); break;
    case 2: c.TRI(0.06f); break;
    case 3: c.EF(0.05f); break;
    default: c.TRIF(0.06f); break;
    }
}

void graphSymbol(PageCanvas& c, int j) {
    switch (j) {
    case 1: c.C(0.04f); break;
    case 2: c.TRI(0.05f); break;
    case 3: c.EF(0.04f); break;
    default: c.TRIF(0.05f); break;
    }
}

struct GWScale {
    int low;
    int high;
    int step;
    int ticks;
};

// The set's value scale, or 100 to 500 by 50 for a scale starting at 0 (the definition's "none")
// and for one that cannot be drawn: no range, no step, or more than 100 ticks.
GWScale gwScale(const GWElevItem& g) {
    const int low = g.GWScaleLow, high = g.GWScaleHigh, step = g.GWScaleStep;
    if (low != 0 && high > low && step > 0 && (high - low) / step < 100)
        return {low, high, step, (high - low) / step + 1};
    return {100, 500, 50, 9};
}

// The year a date's axis number falls in. Axis numbers count 365 a year with 1 January of a year
// at 31 past its start (DTN: month × 3 + day / 10 on top of year × 36.5, times 10), so the year
// is taken from the number itself and every point lands inside the years the axis draws.
int axisYear(double dtn) {
    const double days = std::round(dtn * 10);
    return int(std::floor((days - 31) / 365));
}

struct GWYears {
    int first = 0;
    int last = -1;
    bool any() const { return last >= first; }
    int count() const { return last - first + 1; }
    float axisStart() const { return float(first) * 36.5f; }
    float axisEnd() const { return float(last + 1) * 36.5f; }
};

// The years of every dated reading of the sources on the page.
GWYears gwYears(const GWElevItem& g) {
    GWYears years;
    bool found = false;
    for (int j = 1; j <= sourcesOnPage(g); ++j)
        for (int r = 1; r <= g.GWRecordCount[j]; ++r) {
            const std::optional<double> d = DTN(g.GWDate[j][r]);
            if (!d) continue;
            const int y = axisYear(*d);
            years.first = found ? std::min(years.first, y) : y;
            years.last = found ? std::max(years.last, y) : y;
            found = true;
        }
    return years;
}

} // namespace

// ---- date summary maps

void drawDateSumMapHeadingBand(PageCanvas& c, const DateSumRunPage& p) {
    const DateSumRun& g = p.run;
    const int P = std::max<int>(g.ItemParCount, 0);
    const float W = 0.7f * float(P) + 0.9f;
    pageOrigin(c);
    c.LT(1);
    // The table's heading band without its rows: rules at -0.5, -0.66, -0.82 and -0.84, the top
    // rule over the columns, the left border and a rule either side of every column.
    drawDateSumBandRules(c, W);
    c.S(0.95f, -0.02f);
    c.LR(W - 0.9f);
    c.S(0.05f, -0.5f);
    c.LD(0.34f);
    c.SR(0.9f);
    c.SU(0.82f);
    for (int p = 1; p <= P; ++p) {
        c.LD(0.82f);
        c.SR(0.7f);
        c.SU(0.82f);
    }
    c.LD(0.82f);

    // The map's own columns in a double frame.
    c.LW(3);
    for (int column : mapColumns(p)) {
        c.S(0.95f + 0.7f * float(column - 1), -0.02f);
        c.RE(0.7f, -0.82f);
        c.SR(0.01f);
        c.SD(0.01f);
        c.RE(0.68f, -0.8f);
    }
    c.LW(1);

    c.AF(modgw().DefaultFont);
    c.AP(8);
    c.AD(0);
    c.S(0.15f, -0.58f);
    c.AL();
    FitA(c, heading(3) + QStringLiteral(":"), NameWidth);
    c.SD(0.16f);
    FitA(c, heading(4) + QStringLiteral(":"), NameWidth);

    // Column headings as on the table page, with the scale maximum in place of the standard.
    c.S(1.3f, -0.14f);
    drawDateSumColumnHeadings(c, g, g.ParScaleMax);
}

void drawDateSumMapGrid(PageCanvas& c, const DateSumRun& run) {
    const MapAxis x = xAxis(run);
    const MapAxis y = yAxis(run);
    const QString label = heading(5) + QStringLiteral(" (") + run.MapDistanceUnit + QStringLiteral(")");
    mapOrigin(c);
    c.AF(modgw().DefaultFont);
    c.AP(8);
    c.AD(0);
    c.AC();
    c.SR(MapSize / 2);
    c.SD(0.35f);
    FitA(c, label, MapSize);

    // A broken grid line up the map at every tick, a tick below the edge and its value under it.
    c.S(0, 0);
    c.SH(x.scale());
    const float pitch = MapSize * x.inc / x.range(); // inches between the ticks' labels
    for (int i = 0; i < x.ticks; ++i) {
        c.LT(5);
        c.LU(MapSize);
        c.SD(MapSize);
        c.LT(1);
        c.LD(0.05f);
        c.SD(0.05f);
        FitA(c, NumberText(float(i) * x.inc + x.start), pitch - Gap);
        c.SR(x.inc);
        c.SU(0.1f);
    }

    c.SH(1);
    c.S(0, 0);
    c.SU(MapSize / 2);
    c.SL(0.9f);
    c.AD(90);
    FitA(c, label, MapSize);

    c.S(0, 0);
    c.AD(0);
    c.AR();
    c.SV(y.scale());
    for (int i = 0; i < y.ticks; ++i) {
        c.LT(5);
        c.LR(MapSize);
        c.SL(MapSize);
        c.LT(1);
        c.LL(0.05f);
        c.SL(0.05f);
        FitA(c, NumberText(float(i) * y.inc + y.start), YLabelWidth);
        c.SU(y.inc);
        c.SR(0.1f);
    }
}

void drawDateSumMapSource(PageCanvas& c, const DateSumRunPage& p, int s) {
    const DateSumRun& g = p.run;
    const MapAxis x = xAxis(g);
    const MapAxis y = yAxis(g);
    const QList<int> columns = mapColumns(p);
    const float mean = meanRatio(p, s, columns);
    const float r = g.MapRadiusMult > 0 ? 0.15f * g.MapRadiusMult : 0.15f;

    mapOrigin(c);
    c.SH(x.scale());
    c.SV(y.scale());
    const float px = g.RunSourceX[s] - x.start;
    const float py = g.RunSourceY[s] - y.start;
    if (!onSheet(c, px, py)) return;
    c.S(px, py);
    c.EFS(r, mean);
    c.C(r);

    c.SV(1);
    c.SH(1);
    c.AF(modgw().DefaultFont);
    c.AP(8);
    c.AD(0);
    c.AC();
    if (g.RunSourceAbove[s] == 0)
        c.SD(r + 0.08f);
    else
        c.SU(r + 0.27f);
    // Each line on a white knock-out, so that no grid line runs through it.
    for (const QString& text : {g.RunSourceName[s], valueLabel(p.item, s, columns, mean)}) {
        const QString fitted = FitTextSize(c, text, SourceLabelWidth);
        KnockOut(c, fitted);
        c.A(fitted);
        c.AP(8);
        c.SD(0.15f);
    }
}

// ---- groundwater elevation page

void drawGWElevBlock(PageCanvas& c, int j) {
    if (j < 1 || j > GWBlocks) return;
    pageOrigin(c);
    c.S(BlockWidth * float(j - 1), 0);
    c.ZC();
    c.LT(1);
    c.AF(modgw().DefaultFont);
    c.AP(8);
    c.AD(0);
    c.AC();
    c.S(0.45f, -0.2f);
    FitA(c, heading(1), FirstWidth);
    c.SR(0.9125f);
    c.SU(0.1f);
    FitA(c, heading(2), RefWidth);
    c.SD(0.1f);
    FitA(c, heading(3), RefWidth);
    c.S(0.9f, 0);
    c.LD(2.75f);

    // A solid rule under the name, a broken one under the reference elevation.
    c.S(0, -0.3f);
    c.LR(BlockWidth);
    c.LT(5);
    c.SD(0.3f);
    c.LL(BlockWidth);
    c.LT(1);

    c.S(0.45f, -0.8f);
    FitA(c, heading(4), FirstWidth);
    c.SU(0.1f);
    c.SR(0.65f);
    FitA(c, heading(6), DepthWidth);
    c.SD(0.1f);
    FitA(c, heading(7), DepthWidth);
    c.SR(0.4625f);
    FitA(c, heading(9), ElevationWidth);
    c.SU(0.1f);
    FitA(c, heading(8), ElevationWidth);
    c.S(0, -0.9f);
    c.LR(BlockWidth);
    c.SD(0.05f);
    c.LL(BlockWidth);

    // A thick rule between blocks, none at the last; then the rule between depth and elevation.
    c.S(BlockWidth, 0);
    if (j < GWBlocks) {
        c.LW(3);
        c.LD(2.75f);
        c.LW(1);
    } else {
        c.SD(2.75f);
    }
    c.SU(2.15f);
    c.SL(0.525f);
    c.LD(2.15f);
}

void drawGWElevBlockReadings(PageCanvas& c, const GWElevRunPage& p, int j) {
    if (j < 1 || j > GWBlocks) return;
    const GWElevItem& g = p.item;
    const float x0 = BlockWidth * float(j - 1);
    pageOrigin(c);
    c.LT(1); // the triangle symbols are drawn as lines
    c.AF(modgw().DefaultFont);
    c.AD(0);
    c.AC();
    c.S(x0, -0.45f);
    c.SR(0.45f);
    c.AP(9);
    // Centred at 0.45, clear of the symbol at 0.77; a name too wide for that is centred on all the
    // room left of the symbol instead.
    constexpr float NameRight = 0.77f - 0.06f - Gap;
    const float nameShift =
        c.TextWidth(g.GWSourceName[j]) > 2 * (NameRight - 0.45f) ? 0.45f - (Gap + NameRight) / 2 : 0;
    c.SL(nameShift);
    FitA(c, g.GWSourceName[j], NameRight - Gap);
    c.SR(nameShift + 0.32f);
    c.SD(0.02f);
    tableSymbol(c, j);
    c.SU(0.02f);
    c.SR(0.5925f);
    c.AP(8);
    FitA(c, NumberText(g.GWRefElev[j]), RefWidth);

    // The last twelve readings, oldest at the top.
    c.S(x0, -1.025f);
    c.SR(0.45f);
    c.AP(7);
    const int count = g.GWRecordCount[j];
    for (int r = std::max(1, count - 11); r <= count; ++r) {
        FitA(c, g.GWDate[j][r], FirstWidth);
        c.SR(0.65f);
        FitA(c, p.run.GWElevIsElevation == 1 ? QStringLiteral("-") : g.GWValueText[j][r], DepthWidth);
        c.SR(0.4625f);
        FitA(c, g.GWMissing[j][r] ? QStringLiteral("-") : NumberText(g.GWValue[j][r]), ElevationWidth);
        c.SD(0.15f);
        c.SL(1.1125f);
    }
}

void drawGWElevGraphStart(PageCanvas& c) {
    pageOrigin(c);
    c.LT(1);
    // Twelve row rules across the blocks, from -1.1 to -2.75.
    c.S(0, -1.1f);
    for (int i = 0; i < 12; ++i) {
        c.LR(7.3f);
        c.SD(0.15f);
        c.SL(7.3f);
    }
}

void drawGWElevGraphAxes(PageCanvas& c, const GWElevRunPage& p) {
    const GWYears years = gwYears(p.item);
    graphOrigin(c);
    c.AF(modgw().DefaultFont);
    c.AD(0);
    if (years.any()) {
        const float qw = float(GraphWidth / double(years.count()) / 4);
        const float hw = 2 * qw;
        // Four bands a year, a shade darker each quarter.
        for (int y = years.first; y <= years.last; ++y) {
            c.LT(5);
            for (int q = 0; q <= 3; ++q) {
                c.DrawSquareMarker(qw, GraphHeight, float(q) / 12);
                c.SR(qw);
            }
        }
        // The year under its middle, a rule at its end.
        c.S(0, 0);
        c.AP(8);
        c.AC();
        c.LT(1);
        for (int y = years.first; y <= years.last; ++y) {
            c.SR(hw);
            c.SD(0.1f);
            c.A(QString::number(y));
            c.SR(hw);
            c.SU(0.1f);
            c.LU(GraphHeight);
            c.SD(GraphHeight);
        }
    }

    c.LT(1);
    c.AC();
    c.S(0, GraphHeight);
    c.RE(GraphWidth, -GraphHeight);
    c.SD(GraphHeight / 2);
    c.SL(0.6f);
    c.AD(90);
    c.AP(10);
    FitA(c, heading(11) + QStringLiteral(" (") + p.run.GWUnits + QStringLiteral(")"), GraphHeight - 2 * Gap);
    c.AD(0);
    c.AR();
    c.AP(8);
    c.SR(0.6f);
    c.SD(GraphHeight / 2);

    // A broken grid line across the graph at every value, a tick left of the frame and the value.
    const GWScale scale = gwScale(p.item);
    c.SV(float(double(scale.high - scale.low) / GraphHeight));
    int value = scale.low;
    for (int i = 0; i < scale.ticks; ++i, value += scale.step) {
        c.LT(5);
        c.LR(GraphWidth);
        c.SL(GraphWidth);
        c.LT(1);
        c.LL(0.1f);
        c.SL(0.05f);
        // From the frame's left edge to the turned axis label 0.6 further left.
        FitA(c, qnum::CaptionNum(value), 0.6f - 0.05f - 0.08f - Gap);
        c.SR(0.15f);
        c.SU(float(scale.step));
    }
}

void drawGWElevReadings(PageCanvas& c, const GWElevRunPage& p, int j) {
    if (j < 1 || j > GWBlocks) return;
    const GWElevItem& g = p.item;
    const GWYears years = gwYears(g);
    if (!years.any()) return;
    const GWScale scale = gwScale(g);
    const float axisStart = years.axisStart();
    graphOrigin(c);
    c.SV(float(double(scale.high - scale.low) / GraphHeight));
    c.SH(float(((years.axisEnd() - axisStart) * 10 + 1) / GraphWidth));
    c.LT(1);
    double cur = axisStart;
    int points = 0;
    for (int r = 1; r <= g.GWRecordCount[j]; ++r) {
        const std::optional<double> date = DTN(g.GWDate[j][r]);
        if (!date) continue; // no place on the date axis
        const double prev = cur;
        cur = *date;
        if (g.GWMissing[j][r]) {
            points = 0; // the line breaks at a missing reading
            continue;
        }
        // 1 January of the first year on the left edge.
        const float x = float((cur - axisStart) * 10 - 31);
        // A reading beyond the scale stands on the graph's edge, as the summary graphs draw theirs.
        const float y = std::clamp(g.GWValue[j][r] - float(scale.low), 0.0f, float(scale.high - scale.low));
        // A reading too far off the date axis to stand on the sheet cannot be shown; the line breaks.
        if (!onSheet(c, x, y)) {
            points = 0;
            continue;
        }
        // More than 150 days since the last reading: a broken join.
        if ((cur - prev) * 10 > 150) c.LT(2);
        if (++points == 1)
            c.S(x, y);
        else
            c.LTO(x, y);
        c.LT(1);
        graphSymbol(c, j);
    }
}
