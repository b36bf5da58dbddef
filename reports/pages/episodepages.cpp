// SPDX-License-Identifier: GPL-3.0-or-later
// The pages of the episode and source-set reports: the date summary's table and map pages, the
// Stiff page and the groundwater elevation page. They share one frame and right-hand column;
// the summaries draw their own, which differ in places, so the two families stay apart.
#include "reports/pages.h"

#include "drawcmd/pagecanvas.h"
#include "platform/numbers.h"
#include "platform/qmerror.h"
#include "project/modgw.h"
#include "reportdefs/headings.h"
#include "reports/gwgraph.h"
#include "reports/pageparts.h"
#include "reports/pages/episodebodies.h"

#include <algorithm>
#include <limits>

namespace {

QString heading(int slot) {
    return headinglogo().HeadingLines[slot];
}

// The page origin, scales 1: the frame's top left corner, margin offsets applied. Every body part
// starts from here or from an origin of its own, never from where the column left the pen.
void pageOrigin(PageCanvas& c) {
    c.Z(0.7f + modgw().MarginOffsetX, 7.8f + modgw().MarginOffsetY);
    c.SH(1);
    c.SV(1);
}

// The border and the divider between the body (x 0 to 7.3) and the column (x 7.3 to 9.6); with
// headingRule, the rule 0.3 below the top of the column that the episode heading sits above.
void drawFrame(PageCanvas& c, bool headingRule) {
    pageOrigin(c);
    c.RE(9.6f, -7.1f);
    c.SR(7.3f);
    c.LD(7.1f);
    if (headingRule) {
        c.SU(6.8f);
        c.LR(2.3f);
    }
}

constexpr float NotesX = 7.4f;
constexpr float NotesWidth = 2.1f; // to 0.1 inside the frame, as the notes stand 0.1 off the column rule
constexpr float ColumnTextWidth = 2.3f - 2 * 0.03f; // centred in the column, 0.03 off its rules

// Centred above the heading rule, 0.14 below the top, on two lines in the band where one will not
// do; the pen stands at the rule's right end.
void drawEpisodeHeading(PageCanvas& c, const ItemHead& item) {
    c.SU(0.16f);
    c.SL(1.15f);
    c.AF(modgw().DefaultFont);
    c.AP(8);
    c.AC();
    FitA(c, heading(1) + QStringLiteral(": ") + item.ItemCaption, ColumnTextWidth, {}, 0.3f);
}
constexpr float TitleBandY = -4.5f;

// The notes heading at (7.4, headingY), then each line 0.12 below the last, the first 0.2 below the
// heading: wrapped to the column, at most maxLines and as many as stand clear above the titles.
void drawNotes(PageCanvas& c, float headingY, const QString& notesHeading, const QStringList& lines,
               int maxLines = std::numeric_limits<int>::max()) {
    c.S(NotesX, headingY);
    c.AL();
    FitA(c, notesHeading + QStringLiteral(":"), NotesWidth);
    c.SD(0.2f);
    const float firstY = headingY - 0.2f;
    for (const QString& line :
         FitNoteLines(c, lines, NotesWidth, std::min(maxLines, NoteLinesAbove(firstY, TitleBandY)))) {
        c.A(line);
        c.SD(0.12f);
    }
}

QStringList noteLines(const OneBased<QString>& notes, int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i) lines << notes[i];
    return lines;
}

QStringList generalNotes(const RunHead& run) {
    return noteLines(run.RunGeneralNotes, run.RunGeneralNoteCount);
}

QStringList itemNotes(const ItemHead& item) {
    return noteLines(item.RunItemNotes, item.RunItemNoteCount);
}

// Two double rules, the titles centred in the column, the caption and the client lines, the logo
// box at the bottom with the logo in it.
void drawTitlesAndLogo(PageCanvas& c, const RunHead& g, const QString& caption) {
    c.S(7.3f, -4.5f);
    c.LR(2.3f);
    c.SD(0.05f);
    c.LL(2.3f);
    c.SD(0.2f);
    c.LR(2.3f);
    c.SD(0.05f);
    c.LL(2.3f);
    c.SU(0.16f);
    c.SR(1.15f);
    c.AP(9);
    c.AC();
    FitA(c, g.ReportTitles[1], ColumnTextWidth);
    c.AP(8);
    c.SD(0.3f);
    FitA(c, g.ReportTitles[2], ColumnTextWidth);
    c.SD(0.15f);
    FitA(c, g.ReportTitles[3], ColumnTextWidth);
    c.SD(0.15f);
    FitA(c, g.ReportTitles[4], ColumnTextWidth);
    c.SD(0.2f);
    FitA(c, caption, ColumnTextWidth);
    c.SD(0.33f);
    for (int i = 1; i <= 4; ++i) {
        FitA(c, modgw().ClientInfo[i], ColumnTextWidth);
        c.SD(0.15f);
    }

    c.S(7.3f, -6.4f);
    drawlogo(c);
    c.S(7.3f, -5.6f);
    c.LR(2.3f);
    c.SD(0.8f);
    c.LL(2.3f);
}

// The frame and column of the date summary's table page and of the Stiff page: the episode
// heading, every general note and then the episode's notes.
template <typename Item> void drawEpisodeColumn(PageCanvas& c, const RunHead& run, const Item& item) {
    drawFrame(c, true);
    drawEpisodeHeading(c, item);
    c.AP(8);
    drawNotes(c, -0.4f, heading(2), generalNotes(run) + itemNotes(item));
    drawTitlesAndLogo(c, run, item.ItemTitle);
}

void startProgress(int total) {
    gwgraph().ProgressCount = 0;
    gwgraph().ProgressTotal = total;
    incseg();
}

int count(int n) {
    return std::max(n, 0);
}

} // namespace

void buildDateSumTablePage(const DateSumRun& run, const DateSumItem& item, int page, PageCanvas& c) {
    const DateSumRunPage p{run, item, page};
    drawEpisodeColumn(c, run, item);
    const int sources = count(item.ItemSourceCount);
    startProgress(sources + 2);
    drawDateSumTableGrid(c, p);
    incseg();
    for (int s = 1; s <= sources; ++s) {
        drawDateSumTableRow(c, p, s);
        incseg();
    }
    DrawDateStamp(c, 0);
}

void buildDateSumMapPage(const DateSumRun& run, const DateSumItem& item, int map, PageCanvas& c) {
    const DateSumRunPage p{run, item, map};
    drawFrame(c, true);
    drawEpisodeHeading(c, item);
    // Map pages repeat only the episode's own notes, at most 25 lines.
    c.AP(8);
    drawNotes(c, -0.4f, heading(2), itemNotes(item), 25);
    // The map number keeps its leading blank: "Episode 1 of 2, Map  1".
    const QString caption = item.ItemTitle.isEmpty()
                                ? QString()
                                : item.ItemTitle + QStringLiteral(", Map ") + qnum::CaptionNum(map);
    drawTitlesAndLogo(c, run, caption);

    const int sources = count(item.ItemSourceCount);
    startProgress(sources + 2);
    drawDateSumMapHeadingBand(c, p);
    drawDateSumMapGrid(c, run);
    incseg();
    for (int s = 1; s <= sources; ++s) {
        drawDateSumMapSource(c, p, s);
        incseg();
    }
    DrawDateStamp(c, 0);
}

void buildStiffPage(const StiffRun& run, const StiffItem& item, int page, PageCanvas& c) {
    const StiffRunPage p{run, item, page};
    drawEpisodeColumn(c, run, item);
    // One step for the start, one per scale row and one per set's diagrams, so that the line
    // ends at 100 whatever the row counts.
    const int rows1 = count(run.StiffParCount[1]);
    const int rows2 = count(run.StiffParCount[2]);
    startProgress(3 + rows1 + rows2);
    for (int set = 1; set <= 2; ++set) {
        for (int j = 1; j <= count(run.StiffParCount[set]); ++j) {
            drawStiffScaleRow(c, run, set, j);
            incseg();
        }
        for (int r = 1; r <= count(run.StiffSourceCount[set]); ++r) drawStiffDiagram(c, p, set, r);
        incseg();
    }
    DrawDateStamp(c, 0);
}

void buildGWElevPage(const GWElevRun& run, const GWElevItem& item, int page, PageCanvas& c) {
    const GWElevRunPage p{run, item, page};
    drawFrame(c, false);
    // No episode heading here: the notes start near the top of the column.
    c.AF(modgw().DefaultFont);
    c.AP(8);
    drawNotes(c, -0.1f, heading(10), generalNotes(run) + itemNotes(item));
    drawTitlesAndLogo(c, run, item.ItemTitle);

    const int sources = count(item.ItemSourceCount);
    startProgress(3 * sources + 3);
    for (int j = 1; j <= sources; ++j) {
        drawGWElevBlock(c, j);
        incseg();
    }
    for (int j = 1; j <= sources; ++j) {
        drawGWElevBlockReadings(c, p, j);
        incseg();
    }
    drawGWElevGraphStart(c);
    incseg();
    drawGWElevGraphAxes(c, p);
    incseg();
    for (int j = 1; j <= sources; ++j) {
        drawGWElevReadings(c, p, j);
        incseg();
    }
    DrawDateStamp(c, 0);
}

void drawdatesumtable() {
    DrawFromGwGraph("drawdatesumtable", buildDateSumTablePage, 0);
}

void drawdatesummaps() {
    DrawFromGwGraph("drawdatesummaps", buildDateSumMapPage, gwgraph().CurMap);
}

void drawstiff() {
    DrawFromGwGraph("drawstiff", buildStiffPage, 0);
}

void drawgwelev() {
    DrawFromGwGraph("drawgwelev", buildGWElevPage, 0);
}
