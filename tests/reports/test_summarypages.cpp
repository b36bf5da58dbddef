// SPDX-License-Identifier: GPL-3.0-or-later
// The frames and right-hand columns of the source and parameter summary pages.
//
// The pages are drawn on 11 by 8.5 inch paper (sheet 6300 by 4800 units) with no margin offset, so
// the page origin Z(0.7, 7.8) is the sheet point (270, 270) and an inch position (X, Y) from it is
// the sheet point (270 + 600 X, 270 - 600 Y). Every line of the dumps tests/data/pages/
// wellsumtable_frame.dump, wellsumgraph_frame.dump and parsum_frame.dump was compared by hand with
// that rule: the frame (0, 0) to (9.6, -7.1) is 270,270 to 6030,4530; the column line x = 7.3 is
// 4650; the rules at -0.3, -0.65, -4.5, -4.55, -4.75, -4.8, -5.6 and -6.4 are 450, 660, 2970, 3000,
// 3120, 3150, 3630 and 4110, each from 4650 to 6030; texts centred on 8.45 are at x 5340, the
// heading at -0.15 / -0.16 at y 360 / 366, -0.40 at 510, -0.55 / -0.54 at 600 / 594; the notes at
// x 7.4 = 4710 from -0.75 = 720, the first note at -0.95 = 840 and each next one 72 lower; titles
// at -4.65 3060, -4.95 3240, -5.10 3330, -5.25 3420, caption -5.45 3540; client lines -5.78 3738,
// -5.93 3828, -6.08 3918, -6.23 4008; the text logo centred 1.15 right of (7.3, -6.4) on 5340 with
// its lines at -6.575 4215, -6.725 4305 and -6.925 4425; the legend box (7.9, -3.65) 1 by 0.8 is
// 5010,2460 to 5610,2940, the standard marker inside it with its point (8.05, -4.25) 5100,2820,
// the stroke to 5160 and the diamond through 5130,2790 5160,2820 5130,2850, its label (8.35, -4.23)
// 5280,2808; the source heading (8.4, -3.55) 5310,2400; the circle of radius 0.02 (12 units) at
// (8.1, -3.85) 5130,2580; "=" (8.2, -3.83) 5190,2568; the split sampled heading (8.35, -3.83 /
// -3.98) 5280,2568 and 5280,2658; the graph page's legend heading (7.4, -3.25) 4710,2220; the
// stamp (0.1, -7.17) 330,4572. Text heights are points x 600 / 72: 10 points 83.33, 9 points 75,
// 8 points 66.67, 6 points 50. The graph boxes in the two graph-page dumps follow the positions checked in
// test_summarygraphs.cpp (boxes at x 600, 2040, 3480 and lower edges 1470, 2910; year labels and
// lines of the window 01/15/1998 to 11/30/2000, 1045 days, in the first column at 769, 938, 1116,
// 1294 and 1457). Set QMAR_PAGE_SHOTS to a folder to get the three pages as PNG files for a look.
#include "drawcmd/metaugl.h"
#include "platform/drawing/drawrender.h"
#include "platform/drawing/objecttags.h"
#include "project/modgw.h"
#include "reportdefs/headings.h"
#include "reports/gwgraph.h"
#include "reports/pages.h"
#include "reports/windowhooks.h"
#include "pagefixture.h"
#include "support/golden.h"
#include "support/programstate.h"
#include "support/scriptedui.h"

#include <QDate>
#include <QDir>
#include <QPoint>
#include <QRect>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

class SummaryPages : public ProgramStateTest {
protected:
    void SetUp() override {
        ModGW& mg = modgw();
        mg.ThickDashedLines = QStringLiteral("0");
        mg.DefaultFont = QStringLiteral("Arial");
        mg.DateStampOption = QStringLiteral("0"); // the stamp holds no date, so the dumps stay put
        const char* client[] = {"Harbour Water Co.", "12 Quay Street", "Port Ellen", "Job 2291"};
        for (int i = 1; i <= 4; ++i)
            mg.ClientInfo[i] = QString::fromLatin1(client[i - 1]);

        HeadingLogo& h = headinglogo();
        h.LogoKind = 0;
        h.LogoText = {QString(), QStringLiteral("Dune & Fell"), QStringLiteral("Hydrogeology"),
                      QStringLiteral("since 1971")};
        h.LogoTextSize = {0, 11, 11, 8};

        runTexts(gwgraph());
        itemNote(gwgraph());

        reportHooks().showProgress = [this](const QString& text) { progress << text; };

        metaugl().PaperWidth = 11;
        metaugl().PaperHeight = 8.5f;
        NewDrawing();
        LT(1);
        LW(1);
    }

    // The run's titles, standard label and notes, in the run state or a run value.
    template <typename Run> static void runTexts(Run& g) {
        g.ReportFile = QStringLiteral("/site/reports/annual.wsf");
        g.ReportTitles = {QString(), QStringLiteral("Annual Groundwater Report"),
                          QStringLiteral("North Landfill"), QStringLiteral("Monitoring Wells"),
                          QStringLiteral("2001")};
        g.StandardLabel = QStringLiteral("MCL");
        g.RunGeneralNoteCount = 2;
        g.RunGeneralNotes[1] = QStringLiteral("Values in mg/L.");
        g.RunGeneralNotes[2] = QStringLiteral("- not sampled");
    }
    template <typename Item> static void itemNote(Item& g) {
        g.RunItemNoteCount = 1;
        g.RunItemNotes[1] = QStringLiteral("Well repaired 1999.");
    }

    // The heading slots a source summary run fills, with the heading file's default texts.
    static void sourceSummaryHeadings() {
        const char* texts[] = {"SOURCE",    "Sampling Dates", "NOTES", "Units",
                               "PARAMETER", "Date, Sampled",  "LEGEND"};
        for (int i = 1; i <= 7; ++i)
            headinglogo().HeadingLines[i] = QString::fromLatin1(texts[i - 1]);
    }

    // Source MW-1 with n records, dated a week apart from 03/21/1998, each with a duplicate code.
    static void sourceWithRecords(int n) { sourceWithRecords(gwgraph(), n); }
    template <typename Item> static void sourceWithRecords(Item& g, int n) {
        g.ItemName = QStringLiteral("MW-1");
        g.ItemCaption = QStringLiteral("Source 1 of 3");
        g.RecordCount = int16_t(n);
        const QDate first(1998, 3, 21);
        for (int r = 1; r <= n; ++r)
            g.RecordDates[r] = first.addDays(7 * (r - 1)).toString(QStringLiteral("MM/dd/yyyy")) +
                               (r % 2 ? QStringLiteral("A") : QStringLiteral("B"));
    }

    static int count() { return pageDrawing().count(); }
    static const draw::DrawObject& obj(int i) { return pageDrawing().at(i); }

    static void expectAt(const QString& text, int x, int y, int align) {
        const draw::DrawObject* o = textObject(text);
        ASSERT_NE(o, nullptr) << qPrintable(text);
        EXPECT_EQ(o->x1, x) << qPrintable(text);
        EXPECT_EQ(o->y1, y) << qPrintable(text);
        EXPECT_EQ(o->style.textAlign, align) << qPrintable(text);
    }

    ScriptedUi ui;
    QStringList progress;
};

QStringList percents(std::initializer_list<int> values) {
    QStringList out;
    for (int v : values)
        out << QStringLiteral("% Complete: ") + (v ? QString::number(v) : QString());
    return out;
}

} // namespace

TEST_F(SummaryPages, TablePageFrameColumnAndStampStandWhereTheLayoutPutsThem) {
    sourceSummaryHeadings();
    sourceWithRecords(3);
    gwgraph().CurPage = 1;
    drawwellsumtable();
    shootPage(QStringLiteral("wellsumtable"));
    EXPECT_TRUE(matchesGoldenPage(pageDrawing(), QStringLiteral("wellsumtable_frame")));

    const draw::DrawObject& frame = obj(0);
    EXPECT_EQ(frame.kind, draw::Rectangle);
    EXPECT_EQ(QRect(frame.x1, frame.y1, frame.x2 - frame.x1, frame.y2 - frame.y1),
              QRect(270, 270, 5760, 4260));
    // Table headings sit a little higher than the graph page's; the dates drop the duplicate code.
    expectAt(QStringLiteral("SOURCE: MW-1"), 5340, 366, 1);
    expectAt(QStringLiteral("03/21/1998 - 04/04/1998"), 5340, 594, 1);
    expectAt(QStringLiteral("Source 1 of 3"), 5340, 3540, 1);
    // The table page has no legend.
    EXPECT_EQ(textObject(QStringLiteral("LEGEND:")), nullptr);

    // The stamp is the page's last object, under its names.
    const draw::DrawObject& stamp = obj(count() - 1);
    EXPECT_EQ(stamp.kind, draw::Text);
    EXPECT_EQ(QPoint(stamp.x1, stamp.y1), QPoint(330, 4572));
    EXPECT_EQ(stamp.tag(draw::tags::ObjName), draw::tags::DateStampObj);
    EXPECT_EQ(stamp.tag(draw::tags::GroupName), draw::tags::GraphicsSystemGroup);

    // One step for the column headings and one a row.
    EXPECT_EQ(gwgraph().ProgressTotal, 4);
    EXPECT_EQ(progress, percents({25, 50, 75, 100}));
}

TEST_F(SummaryPages, TablePagesTakeThirtyNineRowsAndMarkTheCaptionOnLaterPages) {
    sourceSummaryHeadings();
    sourceWithRecords(79);
    const struct {
        int page, total;
        bool cont;
    } pages[] = {{1, 40, false}, {2, 40, true}, {3, 2, true}};
    for (const auto& p : pages) {
        NewDrawing();
        progress.clear();
        gwgraph().CurPage = int16_t(p.page);
        drawwellsumtable();
        EXPECT_EQ(gwgraph().ProgressTotal, p.total) << "page " << p.page;
        EXPECT_EQ(progress.size(), p.total) << "page " << p.page;
        const QString caption =
            p.cont ? QStringLiteral("Source 1 of 3 (cont.)") : QStringLiteral("Source 1 of 3");
        expectAt(caption, 5340, 3540, 1);
        // Every page shows the source's whole date range and the notes.
        EXPECT_NE(textObject(QStringLiteral("03/21/1998 - 09/18/1999")), nullptr) << "page " << p.page;
        EXPECT_NE(textObject(QStringLiteral("Well repaired 1999.")), nullptr) << "page " << p.page;
    }
}

TEST_F(SummaryPages, ASourceWithoutRecordsStillGetsItsFrame) {
    sourceSummaryHeadings();
    sourceWithRecords(0);
    gwgraph().CurPage = 1;
    drawwellsumtable();
    expectAt(QStringLiteral(" - "), 5340, 594, 1);
    EXPECT_EQ(progress, percents({100}));

    NewDrawing();
    progress.clear();
    drawwellsumgraph();
    expectAt(QStringLiteral(" - "), 5340, 600, 1);
    EXPECT_EQ(obj(count() - 1).tag(draw::tags::ObjName), draw::tags::DateStampObj);
}

TEST_F(SummaryPages, GraphPageColumnCarriesTheLegendAndCutsTheDatesForTheSource) {
    sourceSummaryHeadings();
    sourceWithRecords(3);
    GwGraph& g = gwgraph();
    g.TableGraphOption = QStringLiteral("G");
    for (int k = 2; k <= 5; ++k)
        g.SlotScale[k][1] = QStringLiteral("0");
    drawwellsumgraph();
    shootPage(QStringLiteral("wellsumgraph"));
    EXPECT_TRUE(matchesGoldenPage(pageDrawing(), QStringLiteral("wellsumgraph_frame")));

    EXPECT_EQ(std::as_const(g.RecordDates)[2], QStringLiteral("03/28/1998"));
    expectAt(QStringLiteral("SOURCE: MW-1"), 5340, 360, 1);
    expectAt(QStringLiteral("03/21/1998 - 04/04/1998"), 5340, 600, 1);
    expectAt(QStringLiteral("Source 1 of 3, Graph"), 5340, 3540, 1);
    // A graph-only report puts the notes here; the sampled heading splits at its comma.
    EXPECT_NE(textObject(QStringLiteral("Well repaired 1999.")), nullptr);
    expectAt(QStringLiteral("Date"), 5280, 2568, 0);
    expectAt(QStringLiteral("Sampled"), 5280, 2658, 0);

    // Slots 2 to 5 have scales: one step before the graphs and one after each.
    EXPECT_EQ(g.ProgressTotal, 5);
    EXPECT_EQ(progress, percents({20, 40, 60, 80, 100}));
}

TEST_F(SummaryPages, GraphPageLeavesTheNotesToTheTableAndCountsUpToTheLastScaledSlot) {
    sourceSummaryHeadings();
    sourceWithRecords(2);
    GwGraph& g = gwgraph();
    g.TableGraphOption = QStringLiteral("B");
    // A gap in the slots still counts; slots 1 and 11 never get a graph.
    g.SlotScale[1][1] = QStringLiteral("0");
    g.SlotScale[3][1] = QStringLiteral("LOG");
    g.SlotScale[11][1] = QStringLiteral("0");
    drawwellsumgraph();
    EXPECT_EQ(textObject(QStringLiteral("NOTES:")), nullptr);
    EXPECT_EQ(textObject(QStringLiteral("Values in mg/L.")), nullptr);
    EXPECT_EQ(g.ProgressTotal, 3);
    EXPECT_EQ(progress.size(), 3);

    // No slot with a scale: no graph, the one step shows the bare label.
    NewDrawing();
    progress.clear();
    g.SlotScale[3][1].clear();
    drawwellsumgraph();
    EXPECT_EQ(g.ProgressTotal, 0);
    EXPECT_EQ(progress, percents({0}));
    EXPECT_EQ(obj(count() - 1).tag(draw::tags::ObjName), draw::tags::DateStampObj);
}

namespace {

void parameterHeadings() {
    const char* headings[] = {"Project Dates", "NOTES", "LEGEND", "SOURCE", "Date Sampled"};
    for (int i = 1; i <= 5; ++i)
        headinglogo().HeadingLines[i] = QString::fromLatin1(headings[i - 1]);
}

template <typename Item> void chlorideAtFourSources(Item& g) {
    g.ParFullName = QStringLiteral("Chloride");
    g.ParUnits = QStringLiteral("mg/L");
    g.ParStandard = QString(); // no standard: no marker and no label in the legend
    g.ItemCaption = QStringLiteral("Parameter 2 of 4");
    g.ItemSourceCount = 4;
    // Source 2 starts first and source 1 ends last; source 3 has no records and source 4 only
    // records without a date, so neither moves the window.
    const QStringList dates[] = {{"05/02/1998", "11/30/2000"}, {"01/15/1998", "07/01/1999"}, {}, {"-", "?"}};
    for (int i = 1; i <= 4; ++i) {
        g.ParSourceNames[i] = QStringLiteral("MW-%1").arg(i);
        g.ParRecordCount[i] = int16_t(dates[i - 1].size());
        for (int r = 1; r <= dates[i - 1].size(); ++r)
            g.ParRecordDates[i][r] = dates[i - 1][r - 1];
    }
}

} // namespace

TEST_F(SummaryPages, ParameterPageSpansTheDatesOfAllItsSources) {
    parameterHeadings();
    GwGraph& g = gwgraph();
    chlorideAtFourSources(g);
    drawparsum();
    shootPage(QStringLiteral("parsum"));
    EXPECT_TRUE(matchesGoldenPage(pageDrawing(), QStringLiteral("parsum_frame")));

    expectAt(QStringLiteral("Chloride  (mg/L)"), 5340, 360, 1);
    expectAt(QStringLiteral("01/15/1998 - 11/30/2000"), 5340, 600, 1);
    // Without a comma the sampled heading takes the first line and the second stays empty.
    expectAt(QStringLiteral("Date Sampled"), 5280, 2568, 0);
    expectAt(QString(), 5280, 2658, 0);
    EXPECT_EQ(textObject(QStringLiteral("MCL")), nullptr);
    EXPECT_EQ(textObject(QStringLiteral("LEGEND:")), nullptr);
    EXPECT_EQ(g.ProgressTotal, 5);
    EXPECT_EQ(progress, percents({20, 40, 60, 80, 100}));
}

TEST_F(SummaryPages, AParameterHeadingOfAnyLengthStaysInItsBand) {
    // Smaller on one line down to 5 points, then two lines between the frame's top and the rule
    // at -0.3 (270 to 450), inside the column (4650 to 6030), then the second line cut.
    parameterHeadings();
    chlorideAtFourSources(gwgraph());
    const QString tds = QStringLiteral("Total Dissolved Solids (mg/L as CaCO3)");
    const QString longer = tds + ", filtered in the field and as reported by the lab";
    for (const auto& [name, lines] : {std::pair{tds, 1}, {longer, 2}, {tds.repeated(6), 2}}) {
        NewDrawing();
        gwgraph().ParFullName = name;
        drawparsum();
        EXPECT_TRUE(pageIsClear());
        QStringList shown;
        for (const draw::DrawObject& o : pageObjects()) // within the band
            if (o.kind == draw::Text && QRectF(4650, 270, 1380, 180).contains(draw::textInkBounds(o)))
                shown << o.text;
        EXPECT_EQ(shown.size(), lines);
        EXPECT_EQ(shown.join(u' ').endsWith("..."), name.size() > 200) << qPrintable(shown.join(u' '));
    }
}

TEST_F(SummaryPages, LongNoteLinesWrapInsideTheColumnAndStopAboveWhatFollows) {
    // Three stored lines three times the column's width, then twenty more than a box holds: lines
    // 0.12 apart from -0.95 down to the titles, the symbols heading or the legend's heading.
    sourceSummaryHeadings();
    sourceWithRecords(3);
    GwGraph& g = gwgraph();
    g.CurPage = 1;
    g.TableGraphOption = QStringLiteral("G"); // the graph page then carries the notes
    const QStringList stored = {"Values are in mg/L unless the column heading says otherwise; a value below the "
                                "detection limit of the laboratory shows that limit after its less-than sign.",
                                "The well was redeveloped in May 1999 and that quarter's samples are left out.",
                                "Duplicates agree within ten per cent; the laboratory's report is kept on file."};
    // The first paragraph as the notes editor stores it: lines wider than the box, wrapped at blanks.
    const QStringList editor = {"Values are in mg/L unless the column heading says ",
                                "otherwise; a value below the detection limit of the ",
                                "laboratory shows that limit after its less-than sign."};
    for (int i = 1; i <= 3; ++i) g.RunGeneralNotes[i] = editor[i - 1];
    g.RunGeneralNoteCount = 3;
    for (const int more : {0, 20}) {
        for (int i = 1; i <= 2 + more; ++i) g.RunItemNotes[i] = stored[std::min(i, 2)];
        g.RunItemNoteCount = int16_t(2 + more);
        for (const auto& [page, lines] :
             {std::pair{&drawwellsumtable, 30}, std::pair{&drawwellsumgraph, 19}, std::pair{&drawparsum, 21}}) {
            NewDrawing();
            page();
            EXPECT_TRUE(pageIsClear()) << lines; // so no note crosses the frame's right edge either
            QStringList shown; // left-aligned at 7.4 below the heading
            for (const draw::DrawObject& o : pageObjects())
                if (o.kind == draw::Text && o.x1 == 4710 && o.y1 >= 840 && !o.text.endsWith(u':')) shown << o.text;
            const QString all = (stored.mid(0, 2) + QStringList(more + 1, stored[2])).join(u' ');
            EXPECT_TRUE((all + u' ').startsWith(shown.join(u' ') + u' ')) << lines;
            if (more) EXPECT_EQ(shown.size(), lines);
            else EXPECT_EQ(shown.join(u' '), all);
            // Flowed once: no line could have taken the first word of the next line of its paragraph.
            pageCanvas().AP(8);
            for (qsizetype k = 0; k + 1 < shown.size(); ++k)
                if (const QString next = shown[k + 1].section(u' ', 0, 0); !shown[k].endsWith(u'.'))
                    EXPECT_GT(pageCanvas().TextWidth(shown[k] + u' ' + next), 2.1) << qPrintable(shown[k]);
        }
    }
}

TEST_F(SummaryPages, ParameterStandardShowsItsLegendEntryAndEqualDatesKeepTheFirstSourcesText) {
    headinglogo().HeadingLines[5] = QStringLiteral("Date,   Sampled");
    GwGraph& g = gwgraph();
    g.ParStandard = QStringLiteral("0"); // shown in the legend even where no graph marks it
    g.ItemSourceCount = 2;
    // One day, written two ways: the first source's texts stand.
    const QStringList dates[] = {{"3/1/1999", "3/9/1999"}, {"03/01/1999", "03/09/1999"}};
    for (int i = 1; i <= 2; ++i) {
        g.ParRecordCount[i] = 2;
        g.ParRecordDates[i][1] = dates[i - 1][0];
        g.ParRecordDates[i][2] = dates[i - 1][1];
    }
    drawparsum();
    EXPECT_NE(textObject(QStringLiteral("3/1/1999 - 3/9/1999")), nullptr);
    expectAt(QStringLiteral("MCL"), 5280, 2808, 0);
    expectAt(QStringLiteral("Sampled"), 5280, 2658, 0);
    // The marker inside the legend box, its point at (8.05, -4.25): a stroke 0.1 right, a diamond over it.
    QStringList strokes;
    for (int i = 0; i < count(); ++i)
        if (obj(i).kind == draw::Line && obj(i).x1 >= 5100 && obj(i).x1 <= 5160 && obj(i).y1 >= 2790 && obj(i).y1 <= 2850)
            strokes
                << QStringLiteral("%1,%2-%3,%4").arg(obj(i).x1).arg(obj(i).y1).arg(obj(i).x2).arg(obj(i).y2);
    EXPECT_EQ(strokes, QStringList({"5100,2820-5160,2820", "5100,2820-5130,2790", "5130,2790-5160,2820",
                                    "5160,2820-5130,2850", "5130,2850-5100,2820"}));
}

TEST_F(SummaryPages, MarginOffsetsMoveTheWholePage) {
    sourceSummaryHeadings();
    sourceWithRecords(1);
    modgw().MarginOffsetX = 0.1f;
    modgw().MarginOffsetY = -0.05f;
    gwgraph().CurPage = 1;
    drawwellsumtable();
    EXPECT_EQ(QPoint(obj(0).x1, obj(0).y1), QPoint(330, 300));
    expectAt(QStringLiteral("SOURCE: MW-1"), 5400, 396, 1);
    EXPECT_EQ(QPoint(obj(count() - 1).x1, obj(count() - 1).y1), QPoint(390, 4602));
}

TEST_F(SummaryPages, AFaultEndsThePageWithTheRoutinesMessage) {
    sourceSummaryHeadings();
    sourceWithRecords(2);
    gwgraph().CurPage = 1;
    // An offset no sheet holds: the frame's corner lies beyond any coordinate.
    modgw().MarginOffsetX = 1e9f;
    const struct {
        void (*page)();
        const char* name;
    } routines[] = {{drawwellsumtable, "drawwellsumtable"},
                    {drawwellsumgraph, "drawwellsumgraph"},
                    {drawparsum, "drawparsum"}};
    for (const auto& r : routines) {
        NewDrawing();
        ui.answer(1, QStringLiteral("Error 6 in %1.  Please contact Kalvex").arg(QLatin1String(r.name)));
        r.page();
        // Nothing after the fault is drawn: no stamp.
        EXPECT_EQ(count(), 0) << r.name;
    }
    EXPECT_EQ(ui.texts.size(), 3);
}

// The page builders draw from the run and item values alone, on the canvas they are given: each
// page below is built from values made here, on a canvas of its own with the run state and the
// page's drawing control left at their start, and matches the dump its page routine draws above.
TEST_F(SummaryPages, BuildersDrawTheGoldenPagesFromRunValuesAlone) {
    gwgraph().reset();
    NewDrawing();
    WellSumRun tables;
    runTexts(tables);
    WellSumRun graphs = tables;
    graphs.TableGraphOption = QStringLiteral("G");
    for (int k = 2; k <= 5; ++k)
        graphs.SlotScale[k][1] = QStringLiteral("0");
    WellSumItem source;
    itemNote(source);
    sourceWithRecords(source, 3);
    ParSumRun parameters;
    runTexts(parameters);
    ParSumItem chloride;
    itemNote(chloride);
    chlorideAtFourSources(chloride);
    const struct {
        const char* golden;
        void (*headings)();
        std::function<void(PageCanvas&)> build;
    } pages[] = {
        {"wellsumtable_frame", sourceSummaryHeadings, [&](PageCanvas& c) { buildWellSumTablePage(tables, source, 1, c); }},
        {"wellsumgraph_frame", sourceSummaryHeadings, [&](PageCanvas& c) { buildWellSumGraphPage(graphs, source, 0, c); }},
        {"parsum_frame", parameterHeadings, [&](PageCanvas& c) { buildParSumPage(parameters, chloride, 0, c); }},
    };
    for (const auto& page : pages) {
        page.headings();
        MDrawPro drawing;
        PageCanvas canvas(drawing);
        canvas.PaperWidth = 11;
        canvas.PaperHeight = 8.5f;
        canvas.NewDrawing();
        canvas.LT(1);
        canvas.LW(1);
        page.build(canvas);
        EXPECT_TRUE(matchesGoldenPage(drawing, QString::fromLatin1(page.golden)));
    }
    EXPECT_EQ(count(), 0);
}
