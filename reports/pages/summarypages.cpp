// SPDX-License-Identifier: GPL-3.0-or-later
// The pages of the source and parameter summaries: the frame, the right-hand column (heading block,
// notes, legend, titles, client lines, logo) and the stamp, around the bodies of summarybodies.h.
// Positions are inches from the page origin, the frame's upper left corner, with y upwards.
#include "reports/pages.h"

#include "drawcmd/pagecanvas.h"
#include "project/modgw.h"
#include "reportdefs/headings.h"
#include "reports/gwgraph.h"
#include "reports/pageparts.h"
#include "reports/pages/summarybodies.h"

#include <algorithm>
#include <initializer_list>

namespace {

constexpr float FrameWidth = 9.6f;
constexpr float FrameHeight = 7.1f;
constexpr float ColumnX = 7.3f; // the right-hand column runs from here to the frame's right edge
constexpr float ColumnWidth = FrameWidth - ColumnX;
constexpr float ColumnCentre = 8.45f;
constexpr float NotesX = 7.4f;
constexpr float NotesWidth = FrameWidth - 0.1f - NotesX; // as far from the frame as from the column rule
constexpr float TitleBandY = -4.5f;
constexpr float LegendHeadingY = -3.55f;
constexpr float TextHalfHeight = 0.07f; // an 8-point line reaches this far above its middle
constexpr float Gap = 0.03f;            // the least room between a text and a rule
constexpr float ColumnTextWidth = ColumnWidth - 2 * Gap;
constexpr float HeadingBand = 0.3f; // the item heading's band, from the frame's top to its rule

constexpr int TableRowsPerPage = 39;
constexpr int GraphsPerRow = 3;
constexpr int MaxParSumGraphs = 9; // three rows of three fill the page left of the column

// The frame's upper left corner: 0.7 inch from the paper's left edge, 7.8 above its lower edge,
// moved by the printer's margin offsets.
void setPageOrigin(PageCanvas& c) {
    const ModGW& mg = modgw();
    c.Z(0.7f + mg.MarginOffsetX, 7.8f + mg.MarginOffsetY);
    c.SH(1);
    c.SV(1);
}

void textAt(PageCanvas& c, float x, float y, const QString& text) {
    c.S(x, y);
    c.A(text);
}

// A text of the user's, as large as its room (width inches) lets it be; in a heading band of
// bandHeight on two lines where one will not do.
void fittedAt(PageCanvas& c, float x, float y, const QString& text, float width, float bandHeight = 0) {
    c.S(x, y);
    FitA(c, text, width, {}, bandHeight);
}

// A rule across the right-hand column.
void columnRule(PageCanvas& c, float y) {
    c.S(ColumnX, y);
    c.LR(ColumnWidth);
}

void drawFrame(PageCanvas& c) {
    c.S(0, 0);
    c.RE(FrameWidth, -FrameHeight);
    c.S(ColumnX, 0);
    c.LD(FrameHeight);
    columnRule(c, -0.3f);
    columnRule(c, -0.65f);
}

// The heading block: the item in 10 points, the dates' label and the dates in 8 points.
void drawHeadingBlock(PageCanvas& c, const QString& item, float itemY, const QString& datesLabel, const QString& dates,
                      float datesY) {
    c.AC();
    c.AP(10);
    fittedAt(c, ColumnCentre, itemY, item, ColumnTextWidth, HeadingBand);
    c.AP(8);
    fittedAt(c, ColumnCentre, -0.40f, datesLabel + QStringLiteral(":"), ColumnTextWidth);
    fittedAt(c, ColumnCentre, datesY, dates, ColumnTextWidth);
}

// The notes heading, then 0.2 lower the general notes and the item's notes, 0.12 apart, wrapped
// to the column and as many as stand clear above bottomY, the top of what follows below.
void drawNotes(PageCanvas& c, const RunHead& run, const ItemHead& item, const QString& heading, float bottomY) {
    c.AL();
    c.AP(8);
    fittedAt(c, NotesX, -0.75f, heading, NotesWidth);
    QStringList lines;
    for (int i = 1; i <= run.RunGeneralNoteCount; ++i)
        lines << run.RunGeneralNotes[i];
    for (int i = 1; i <= item.RunItemNoteCount; ++i)
        lines << item.RunItemNotes[i];
    constexpr float FirstNoteY = -0.95f;
    int line = 0;
    for (const QString& text : FitNoteLines(c, lines, NotesWidth, NoteLinesAbove(FirstNoteY, bottomY)))
        textAt(c, NotesX, FirstNoteY - 0.12f * float(line++), text);
}

// The legend box: the source heading over it; inside it a circle standing for a sample, explained
// by the sampled-heading split at its first comma over two lines, and under them the standard's
// marker with its label. Every mark and text keeps within the box.
void drawLegend(PageCanvas& c, const RunHead& run, bool showStandard, const QString& sourceHeading,
                const QString& sampledHeading) {
    constexpr float BoxLeft = 7.9f, BoxRight = 8.9f, TextX = 8.35f;
    c.S(BoxLeft, -3.65f);
    c.RE(BoxRight - BoxLeft, -0.8f);
    c.AP(8);
    c.AL();
    if (showStandard) {
        // The marker 0.1 wide, centred under the sample's circle; its label under the sample's.
        c.S(8.05f, -4.25f);
        drawStandardMarker(c);
        fittedAt(c, TextX, -4.23f, run.StandardLabel, BoxRight - Gap - TextX);
    }
    c.AC();
    fittedAt(c, 8.4f, LegendHeadingY, sourceHeading, 2 * (8.4f - ColumnX - Gap));
    c.S(8.1f, -3.85f);
    c.C(0.02f);
    c.AL();
    textAt(c, 8.2f, -3.83f, QStringLiteral("="));
    const qsizetype comma = sampledHeading.indexOf(u',');
    QString first = sampledHeading, second;
    if (comma >= 0) {
        first = sampledHeading.left(comma);
        second = sampledHeading.mid(comma + 1);
        qsizetype blanks = 0;
        while (blanks < second.size() && second[blanks] == u' ')
            ++blanks;
        second.remove(0, blanks);
    }
    fittedAt(c, TextX, -3.83f, first, BoxRight - Gap - TextX);
    fittedAt(c, TextX, -3.98f, second, BoxRight - Gap - TextX);
}

// The title band, the report titles with the item's caption, the client lines and the logo between
// the client box's rules.
void drawTitleBlock(PageCanvas& c, const RunHead& g, const QString& caption) {
    const ModGW& mg = modgw();
    for (const float y : {-4.5f, -4.55f, -4.75f, -4.8f})
        columnRule(c, y);
    c.AC();
    c.AP(9);
    fittedAt(c, ColumnCentre, -4.65f, g.ReportTitles[1], ColumnTextWidth);
    c.AP(8);
    fittedAt(c, ColumnCentre, -4.95f, g.ReportTitles[2], ColumnTextWidth);
    fittedAt(c, ColumnCentre, -5.10f, g.ReportTitles[3], ColumnTextWidth);
    fittedAt(c, ColumnCentre, -5.25f, g.ReportTitles[4], ColumnTextWidth);
    fittedAt(c, ColumnCentre, -5.45f, caption, ColumnTextWidth);
    const float clientY[] = {-5.78f, -5.93f, -6.08f, -6.23f};
    for (int i = 1; i <= 4; ++i)
        fittedAt(c, ColumnCentre, clientY[i - 1], mg.ClientInfo[i], ColumnTextWidth);
    c.S(ColumnX, -6.4f);
    drawlogo(c);
    columnRule(c, -5.6f);
    columnRule(c, -6.4f);
}

// The lower left corner of graph n (0-based) of a page: three to a row, 2.4 apart each way.
void graphCorner(int n, float& x, float& y) {
    x = 0.55f + 2.4f * float(n % GraphsPerRow);
    y = -2.0f - 2.4f * float(n / GraphsPerRow);
}

// Puts the pen on a graph's corner from the page origin (a graph moves the origin to its data).
void penToGraph(PageCanvas& c, int n, float& x, float& y) {
    graphCorner(n, x, y);
    setPageOrigin(c);
    c.S(x, y);
}

void startProgress(int total) {
    GwGraph& g = gwgraph();
    g.ProgressCount = 0;
    g.ProgressTotal = total;
}

// A record's date text; empty for a source without records.
QString recordDate(const WellSumItem& item, int r) {
    return r >= 1 ? item.RecordDates[r] : QString();
}

// The frame and heading block of a source's pages: the source and the span of its records, by date
// alone.
void drawSourceHeading(PageCanvas& c, const WellSumItem& g, float itemY, float datesY) {
    const HeadingLogo& h = headinglogo();
    setPageOrigin(c);
    c.AF(modgw().DefaultFont);
    drawFrame(c);
    drawHeadingBlock(c, h.HeadingLines[1] + QStringLiteral(": ") + g.ItemName, itemY, h.HeadingLines[2],
                     recordDate(g, 1).left(10) + QStringLiteral(" - ") + recordDate(g, g.RecordCount).left(10),
                     datesY);
}

TablePageRows tablePageRows(int page, int recordCount) {
    TablePageRows p;
    p.first = (std::max(page, 1) - 1) * TableRowsPerPage + 1;
    p.last = std::min(p.first + TableRowsPerPage - 1, recordCount);
    p.rows = std::max(0, p.last - p.first + 1);
    return p;
}

} // namespace

void buildWellSumTablePage(const WellSumRun& run, const WellSumItem& g, int pageNumber, PageCanvas& c) {
    const WellSumRunPage p{run, g, pageNumber};
    const HeadingLogo& h = headinglogo();
    drawSourceHeading(c, g, -0.16f, -0.54f);
    drawNotes(c, run, g, h.HeadingLines[3] + QStringLiteral(":"), TitleBandY);
    drawTitleBlock(c, run, pageNumber > 1 ? g.ItemCaption + QStringLiteral(" (cont.)") : g.ItemCaption);

    const TablePageRows page = tablePageRows(pageNumber, g.RecordCount);
    startProgress(page.rows + 1);
    setPageOrigin(c);
    drawWellSumTableHead(c, p, page);
    incseg();
    for (int r = 1; r <= page.rows; ++r) {
        drawWellSumTableRow(c, p, r, page.first + r - 1);
        incseg();
    }
    DrawDateStamp(c, 0);
}

namespace {

// The highest slot from 2 to 10 with a scale; 0 when none has one. Slots 1 and 11 are table-only.
int lastGraphSlot(const WellSumRun& g) {
    for (int k = 10; k >= 2; --k)
        if (!g.SlotScale[k][1].isEmpty()) return k;
    return 0;
}

} // namespace

void buildWellSumGraphPage(const WellSumRun& run, const WellSumItem& g, int pageNumber, PageCanvas& c) {
    const WellSumRunPage p{run, g, pageNumber};
    const HeadingLogo& h = headinglogo();
    drawSourceHeading(c, g, -0.15f, -0.55f);
    // A graph-only report has no table page to carry the notes.
    constexpr float SymbolsHeadingY = -3.25f;
    if (run.TableGraphOption == QStringLiteral("G"))
        drawNotes(c, run, g, h.HeadingLines[3] + QStringLiteral(":"), SymbolsHeadingY + TextHalfHeight);
    c.AL();
    c.AP(8);
    fittedAt(c, NotesX, SymbolsHeadingY, h.HeadingLines[7] + QStringLiteral(":"), NotesWidth);
    drawLegend(c, run, true, h.HeadingLines[5], h.HeadingLines[6]);
    drawTitleBlock(c, run, g.ItemCaption + QStringLiteral(", Graph"));

    const int last = lastGraphSlot(run);
    startProgress(last);
    incseg();
    for (int k = 2; k <= last; ++k) {
        float x = 0, y = 0;
        penToGraph(c, k - 2, x, y);
        drawWellSumGraphBox(c, p, k, x, y);
        c.SH(1);
        c.SV(1);
        incseg();
    }
    DrawDateStamp(c, 0);
}

// The span of dates all graphs of a parameter page share: the earliest first record and the latest
// last record over the sources, the first source winning ties. A source without records, or whose
// record holds no date, adds nothing to that end.
namespace {

ParSumDateWindow parSumDateWindow(const ParSumItem& g, int sources) {
    ParSumDateWindow w;
    for (int i = 1; i <= sources; ++i) {
        const int count = g.ParRecordCount[i];
        if (count < 1) continue;
        const QString& firstText = g.ParRecordDates[i][1];
        const QString& lastText = g.ParRecordDates[i][count];
        const std::optional<double> first = DTN(firstText);
        const std::optional<double> last = DTN(lastText);
        if (first && (!w.earliest || *first < *w.earliest)) {
            w.earliest = first;
            w.earliestText = firstText;
        }
        if (last && (!w.latest || *last > *w.latest)) {
            w.latest = last;
            w.latestText = lastText;
        }
    }
    return w;
}

} // namespace

void buildParSumPage(const ParSumRun& run, const ParSumItem& g, int pageNumber, PageCanvas& c) {
    const ParSumRunPage p{run, g, pageNumber};
    const HeadingLogo& h = headinglogo();
    const int graphs = std::clamp(int(g.ItemSourceCount), 0, MaxParSumGraphs);
    setPageOrigin(c);
    c.AF(modgw().DefaultFont);
    drawFrame(c);
    const ParSumDateWindow dates = parSumDateWindow(g, graphs);
    drawHeadingBlock(c, g.ParFullName + QStringLiteral("  (") + g.ParUnits + QStringLiteral(")"), -0.15f,
                     h.HeadingLines[1], dates.earliestText + QStringLiteral(" - ") + dates.latestText,
                     -0.55f);
    drawNotes(c, run, g, h.HeadingLines[2] + QStringLiteral("/") + h.HeadingLines[3] + QStringLiteral(":"),
              LegendHeadingY + TextHalfHeight);
    drawLegend(c, run, !g.ParStandard.isEmpty(), h.HeadingLines[4], h.HeadingLines[5]);
    drawTitleBlock(c, run, g.ItemCaption);

    startProgress(graphs + 1);
    incseg();
    for (int i = 1; i <= graphs; ++i) {
        float x = 0, y = 0;
        penToGraph(c, i - 1, x, y);
        drawParSumGraphBox(c, p, i, x, y, dates);
        c.SH(1);
        c.SV(1);
        incseg();
    }
    DrawDateStamp(c, 0);
}


void drawStandardMarker(PageCanvas& c) {
    c.LR(0.1f);
    c.SL(0.1f);
    c.LRTO(0.05f, 0.05f);
    c.LRTO(0.05f, -0.05f);
    c.LRTO(-0.05f, -0.05f);
    c.LRTO(-0.05f, 0.05f);
}

void drawwellsumtable() {
    GwGraph& g = gwgraph();
    DrawFromGwGraph("drawwellsumtable", buildWellSumTablePage, g.CurPage);
    g.HighlightDate = HighlightDateShown(g.HighlightDate);
}

void drawwellsumgraph() {
    DrawFromGwGraph("drawwellsumgraph", buildWellSumGraphPage, 0);
    // The cut dates stay for the rest of this source.
    GwGraph& g = gwgraph();
    for (int r = 1; r <= g.RecordCount; ++r)
        g.RecordDates[r] = std::as_const(g.RecordDates)[r].left(10);
}

void drawparsum() {
    DrawFromGwGraph("drawparsum", buildParSumPage, 0);
}
