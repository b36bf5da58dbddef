// SPDX-License-Identifier: GPL-3.0-or-later
// The frame and right-hand column of the date summary's table and map pages, the Stiff page and
// the groundwater elevation page, with their progress steps and error trap.
//
// Positions were worked out by hand: the 11 by 8.5 inch paper gives a 6300 by 4800 unit sheet, and
// Z(0.7, 7.8) puts the page origin at (270, 270), so a point X inches right of it and Y inches up
// (Y is negative on the page) is the sheet point (270 + 600 X, 270 - 600 Y), rounded half to even.
// at() below is that sum. The golden dumps tests/data/pages/episode_table.dump and
// episode_gwelev.dump were compared with it line by line: the border 9.6 by 7.1 from (270, 270) to
// (6030, 4530); the divider at x 7.3 = 4650; the heading rule at -0.3 = 450; the episode heading at
// (8.45, -0.14) = (5340, 354); the notes heading at (7.4, -0.4) = (4710, 510) and its lines 0.2
// below, then 0.12 apart (630, 702, 774, 846); the double rules at -4.5, -4.55, -4.75, -4.8 (2970,
// 3000, 3120, 3150); the titles at -4.64, -4.94, -5.09, -5.24 and the caption at -5.44 (3054, 3234,
// 3324, 3414, 3534); the client lines at -5.77 to -6.22 (3732, 3822, 3912, 4002); the logo's three
// lines at (8.45, -6.575), -6.725 and, with the 0.05 gap, -6.925 (5340; 4215, 4305, 4425); the logo
// box rules at -5.6 and -6.4 (3630, 4110); the stamp at (0.1, -7.17) = (330, 4572). On the
// groundwater page the notes heading stands at (7.4, -0.1) = (4710, 330) and there is no heading
// rule. Text heights: 8 points are 66.67 units, 9 points 75, 6 points 50. Between the column and
// the stamp, episode_table.dump holds the table of no columns and three sources (W = 0.9): rules
// from x 0.05 to 0.95 (300 to 840) at -0.5, -0.66, -0.82, -0.84 and under the rows at -1, -1.16,
// -1.32 (570, 666, 762, 774, 870, 966, 1062), the empty top rule at (0.95, -0.02) = (840, 282), the
// left border and the one column rule down to 1062, the row headings at (0.15, -0.58) and -0.74
// (360; 618, 714) and the three rows at -0.91, -1.07, -1.23 (816, 912, 1008). Between the column
// and the stamp, episode_gwelev.dump holds two source blocks without readings as test_mapsgwelev.cpp
// places them, the twelve row rules, no bands, the graph frame (750, 2010)-(4530, 4350) and the
// default scale 100 to 500 by 50: ticks 0.4875 inch (292.5 units) apart from 4350 up to 2010.
#include "drawcmd/pagecanvas.h"
#include "platform/drawing/drawdump.h"
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

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using draw::DrawObject;

QPoint at(double x, double y) {
    return {int(std::nearbyint(270 + 600 * x)), int(std::nearbyint(270 - 600 * y))};
}

class EpisodePage : public ProgramStateTest {
protected:
    ScriptedUi ui_;
    QStringList progress;

    void SetUp() override {
        ModGW& mg = modgw();
        mg.ThickDashedLines = QStringLiteral("0");
        mg.DefaultFont = QStringLiteral("Arial");
        mg.DateStampOption = QStringLiteral("2"); // the file name alone: no date of today
        mg.ClientInfo[1] = QStringLiteral("Harrow & Lind Consulting");
        mg.ClientInfo[2] = QStringLiteral("14 Quarry Road");
        mg.ClientInfo[3] = QStringLiteral("Millbrook");
        mg.ClientInfo[4] = QStringLiteral("Project 98-114");
        mg.ClientInfo[5] = QStringLiteral("not on the page");

        HeadingLogo& h = headinglogo();
        h.HeadingLines[1] = QStringLiteral("EPISODE");
        h.HeadingLines[2] = QStringLiteral("NOTES");
        h.HeadingLines[10] = QStringLiteral("REMARKS");
        h.LogoKind = 0;
        h.LogoText = {QString(), QStringLiteral("Harrow & Lind"), QStringLiteral("Environmental"),
                      QStringLiteral("555-0100")};
        h.LogoTextSize = {0, 11, 11, 8};

        gwgraph().ReportFile = QStringLiteral("/data/site/MILLBROOK.DSD");
        each([](auto& g) {
            g.ReportFile = QStringLiteral("/data/site/MILLBROOK.DSD");
            g.ReportTitles = {QString(), QStringLiteral("Millbrook Landfill"), QStringLiteral("Date Summary"),
                              QStringLiteral("Quarterly Monitoring"), QStringLiteral("Spring 1998")};
            g.ItemTitle = QStringLiteral("Episode 1 of 2");
            g.ItemCaption = QStringLiteral("01/05/1998 - 03/31/1998");
            setNotes(g.RunGeneralNotes, g.RunGeneralNoteCount, {"All values in mg/L.", "- no sample"});
            setNotes(g.RunItemNotes, g.RunItemNoteCount, {"MW-3 dry.", "Duplicate at MW-1."});
        });
        ds.ItemSourceCount = 3;
        gw.ItemSourceCount = 3;

        reportHooks().showProgress = [this](const QString& text) { progress << text; };
        newPage();
    }

    // The same change to the values of every episode kind.
    template <typename Change> void each(Change change) {
        change(ds);
        change(st);
        change(gw);
    }

    // The page of the routine named, built from the values here as the page step builds it.
    void draw(const std::string& routine) {
        if (routine == "drawdatesumtable")
            buildPage("drawdatesumtable", buildDateSumTablePage, ds);
        else if (routine == "drawdatesummaps")
            buildPage("drawdatesummaps", buildDateSumMapPage, ds, map);
        else if (routine == "drawstiff")
            buildPage("drawstiff", buildStiffPage, st);
        else
            buildPage("drawgwelev", buildGWElevPage, gw);
    }

    PageValues<DateSumRun, DateSumItem> ds;
    PageValues<StiffRun, StiffItem> st;
    PageValues<GWElevRun, GWElevItem> gw;
    int map = 1;

    static void setNotes(OneBased<QString>& notes, int16_t& count, const QStringList& lines) {
        notes.clear();
        for (int i = 0; i < lines.size(); ++i) notes[i + 1] = lines[i];
        count = int16_t(lines.size());
    }

    // Every text object with this text.
    static QList<DrawObject> texts(const QString& text) {
        QList<DrawObject> found;
        for (const DrawObject& o : pageObjects())
            if (o.kind == draw::Text && o.text == text) found << o;
        return found;
    }

    static QPoint anchorOf(const QString& text) {
        const QList<DrawObject> found = texts(text);
        if (found.size() != 1) {
            ADD_FAILURE() << "text \"" << text.toStdString() << "\" drawn " << found.size() << " times";
            return {};
        }
        return {found[0].x1, found[0].y1};
    }

    // Lines from one point to the other, either way round.
    static int linesBetween(QPoint a, QPoint b) {
        int n = 0;
        for (const DrawObject& o : pageObjects()) {
            if (o.kind != draw::Line) continue;
            const QPoint p(o.x1, o.y1), q(o.x2, o.y2);
            if ((p == a && q == b) || (p == b && q == a)) ++n;
        }
        return n;
    }

    // The dump of the column alone (the objects from the divider rightwards), without the object
    // numbers, so that pages whose bodies differ compare by their columns.
    static QStringList columnDump() {
        QStringList dump;
        for (const DrawObject& o : pageObjects())
            if (std::min(o.x1, o.x2) >= at(7.3, 0).x()) dump << draw::dumpObject(o).section(u' ', 1);
        return dump;
    }

    // The texts of the column between two heights (inches from the origin), top first.
    static QStringList columnTexts(double top, double bottom) {
        QStringList found;
        for (const DrawObject& o : pageObjects())
            if (o.kind == draw::Text && o.x1 >= at(7.3, 0).x() && o.y1 > at(0, top).y() &&
                o.y1 < at(0, bottom).y())
                found << o.text;
        return found;
    }
};

const std::string routines[] = {"drawdatesumtable", "drawdatesummaps", "drawstiff", "drawgwelev"};

} // namespace

TEST_F(EpisodePage, TableColumnStandsWhereThePageDrawsIt) {
    draw("drawdatesumtable");
    EXPECT_TRUE(matchesGoldenPage(pageDrawing(), QStringLiteral("episode_table")));

    // Border, divider and the rule under the episode heading.
    const QList<DrawObject> all = pageObjects();
    ASSERT_FALSE(all.isEmpty());
    EXPECT_EQ(all[0].kind, draw::Rectangle);
    EXPECT_EQ(QRect(QPoint(all[0].x1, all[0].y1), QPoint(all[0].x2, all[0].y2)),
              QRect(at(0, 0), at(9.6, -7.1)));
    EXPECT_EQ(linesBetween(at(7.3, 0), at(7.3, -7.1)), 1);
    EXPECT_EQ(linesBetween(at(7.3, -0.3), at(9.6, -0.3)), 1);
    EXPECT_EQ(anchorOf(QStringLiteral("EPISODE: 01/05/1998 - 03/31/1998")), at(8.45, -0.14));
    EXPECT_EQ(anchorOf(QStringLiteral("NOTES:")), at(7.4, -0.4));

    const char* lines[] = {"Millbrook Landfill", "Date Summary", "Quarterly Monitoring",
                           "Spring 1998", "Episode 1 of 2", "Harrow & Lind Consulting",
                           "14 Quarry Road", "Millbrook", "Project 98-114"};
    const double heights[] = {-4.64, -4.94, -5.09, -5.24, -5.44, -5.77, -5.92, -6.07, -6.22};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(anchorOf(QString::fromLatin1(lines[i])), at(8.45, heights[i])) << lines[i];
        EXPECT_EQ(texts(QString::fromLatin1(lines[i]))[0].style.textAlign, 1);
    }
    EXPECT_TRUE(texts(QStringLiteral("not on the page")).isEmpty());
    EXPECT_EQ(texts(QStringLiteral("Millbrook Landfill"))[0].style.textHeight, -75); // 9 points

    // The logo in its box, the stamp last, each under its own names; the frame under none.
    EXPECT_EQ(anchorOf(QStringLiteral("Harrow & Lind")), at(8.45, -6.575));
    EXPECT_EQ(texts(QStringLiteral("Harrow & Lind"))[0].tag(draw::tags::GroupName),
              draw::tags::LogoGroup);
    const DrawObject& stamp = all.last();
    EXPECT_EQ(stamp.text, gwgraph().ReportFile);
    EXPECT_EQ(QPoint(stamp.x1, stamp.y1), at(0.1, -7.17));
    EXPECT_EQ(stamp.tag(draw::tags::GroupName), draw::tags::GraphicsSystemGroup);
    EXPECT_EQ(stamp.tag(draw::tags::ObjName), draw::tags::DateStampObj);
    for (int i = 0; i < 20; ++i) EXPECT_TRUE(all[i].tags.isEmpty()) << i;
    EXPECT_TRUE(pageCanvas().CurrentGroupName.isEmpty());
}

TEST_F(EpisodePage, NotesRunGeneralFirstThenTheEpisodesAndAnEmptyListKeepsItsHeading) {
    auto& g = ds;
    draw("drawdatesumtable");
    EXPECT_EQ(columnTexts(-0.3, -4.5),
              QStringList({"NOTES:", "All values in mg/L.", "- no sample", "MW-3 dry.",
                           "Duplicate at MW-1."}));

    setNotes(g.RunGeneralNotes, g.RunGeneralNoteCount, {});
    newPage();
    draw("drawdatesumtable");
    EXPECT_EQ(anchorOf(QStringLiteral("MW-3 dry.")), at(7.4, -0.6));

    setNotes(g.RunItemNotes, g.RunItemNoteCount, {});
    newPage();
    draw("drawdatesumtable");
    EXPECT_EQ(columnTexts(-0.3, -4.5), QStringList({"NOTES:"}));

    // Counts the reader never filled give empty lines rather than stale or missing ones.
    g.RunItemNoteCount = 2;
    newPage();
    draw("drawdatesumtable");
    EXPECT_EQ(columnTexts(-0.3, -4.5), QStringList({"NOTES:", "", ""}));
}

TEST_F(EpisodePage, LongNoteLinesWrapAtBlanksInsideTheColumn) {
    // Three stored lines each far wider than the column; the map page shows the episode's only.
    const QStringList general = {"All values in mg/L unless marked; a dash marks a source not sampled."};
    const QStringList episode = {"MW-3 was dry on both visits, so its row holds the last episode's readings.",
                                 "Duplicates at MW-1 and MW-6 agree within ten per cent; the note is on file."};
    each([&](auto& g) {
        setNotes(g.RunGeneralNotes, g.RunGeneralNoteCount, general);
        setNotes(g.RunItemNotes, g.RunItemNoteCount, episode);
    });
    for (const std::string& r : routines) {
        newPage();
        draw(r);
        EXPECT_TRUE(pageIsClear()) << r; // so no note crosses the frame's right edge either
        QStringList shown = columnTexts(0, -4.5);
        shown = shown.mid(std::max(shown.indexOf("NOTES:"), shown.indexOf("REMARKS:")) + 1);
        EXPECT_EQ(shown.join(u' '), (r == "drawdatesummaps" ? episode : general + episode).join(u' ')) << r;
    }
}

TEST_F(EpisodePage, StiffPageHasTheTableColumnExactly) {
    st.StiffParCount = {0, 3, 2};
    st.StiffSourceCount = {0, 2, 1};
    draw("drawdatesumtable");
    const QStringList table = columnDump();
    newPage();
    draw("drawstiff");
    EXPECT_EQ(columnDump(), table);
}

TEST_F(EpisodePage, MapColumnShowsTheEpisodesFirst25NotesAndNumbersTheMap) {
    auto& g = ds;
    QStringList many;
    for (int i = 1; i <= 30; ++i) many << QStringLiteral("Note %1").arg(i);
    setNotes(g.RunItemNotes, g.RunItemNoteCount, many);
    map = 2;
    draw("drawdatesummaps");

    const QStringList notes = columnTexts(-0.3, -4.5);
    ASSERT_EQ(notes.size(), 26);
    EXPECT_EQ(notes.first(), "NOTES:");
    EXPECT_EQ(notes.last(), "Note 25");
    EXPECT_EQ(anchorOf(QStringLiteral("Note 1")), at(7.4, -0.6));
    EXPECT_TRUE(texts(QStringLiteral("All values in mg/L.")).isEmpty());
    EXPECT_EQ(anchorOf(QStringLiteral("Episode 1 of 2, Map  2")), at(8.45, -5.44));
    EXPECT_TRUE(texts(QStringLiteral("Episode 1 of 2")).isEmpty());
    EXPECT_EQ(anchorOf(QStringLiteral("EPISODE: 01/05/1998 - 03/31/1998")), at(8.45, -0.14));
    EXPECT_EQ(linesBetween(at(7.3, -0.3), at(9.6, -0.3)), 1);

    // Below the notes the column is the table page's, caption aside.
    const QStringList map = columnDump();
    setNotes(g.RunGeneralNotes, g.RunGeneralNoteCount, {});
    g.ItemTitle = QStringLiteral("Episode 1 of 2, Map  2");
    newPage();
    draw("drawdatesumtable");
    const QStringList table = columnDump();
    EXPECT_EQ(map.mid(0, 4 + 25), table.mid(0, 4 + 25));
    EXPECT_EQ(map.mid(4 + 25), table.mid(4 + 30));

    // No caption, no ", Map" either.
    g.ItemTitle.clear();
    newPage();
    draw("drawdatesummaps");
    EXPECT_EQ(columnTexts(-5.3, -5.5), QStringList({QString()})); // the caption line at -5.44
}

TEST_F(EpisodePage, GroundwaterColumnHasNoHeadingAndStartsItsNotesAtTheTop) {
    gw.ItemTitle = QStringLiteral("Source Set 1 of 3");
    gw.ItemCaption = QStringLiteral("not on this page");
    gw.ItemSourceCount = 2;
    draw("drawgwelev");
    EXPECT_TRUE(matchesGoldenPage(pageDrawing(), QStringLiteral("episode_gwelev")));

    EXPECT_EQ(linesBetween(at(7.3, -0.3), at(9.6, -0.3)), 0);
    EXPECT_EQ(linesBetween(at(7.3, 0), at(7.3, -7.1)), 1);
    EXPECT_TRUE(texts(QStringLiteral("EPISODE: not on this page")).isEmpty());
    EXPECT_EQ(columnTexts(0, -4.5), QStringList({"REMARKS:", "All values in mg/L.", "- no sample",
                                                 "MW-3 dry.", "Duplicate at MW-1."}));
    EXPECT_EQ(anchorOf(QStringLiteral("REMARKS:")), at(7.4, -0.1));
    EXPECT_EQ(anchorOf(QStringLiteral("All values in mg/L.")), at(7.4, -0.3));
    EXPECT_EQ(anchorOf(QStringLiteral("Source Set 1 of 3")), at(8.45, -5.44));
    EXPECT_EQ(anchorOf(QStringLiteral("Project 98-114")), at(8.45, -6.22));
    EXPECT_EQ(pageObjects().last().tag(draw::tags::ObjName), draw::tags::DateStampObj);
}

TEST_F(EpisodePage, MarginOffsetsMoveTheWholePageAndTheStamp) {
    modgw().MarginOffsetX = 0.5f;
    modgw().MarginOffsetY = -0.25f;
    const QPoint shift(300, 150); // half an inch right, a quarter down
    for (const std::string& r : routines) {
        newPage();
        draw(r);
        const QList<DrawObject> all = pageObjects();
        ASSERT_FALSE(all.isEmpty()) << r;
        EXPECT_EQ(QPoint(all[0].x1, all[0].y1), at(0, 0) + shift) << r;
        EXPECT_EQ(anchorOf(QStringLiteral("Millbrook Landfill")), at(8.45, -4.64) + shift) << r;
        EXPECT_EQ(QPoint(all.last().x1, all.last().y1), at(0.1, -7.17) + shift) << r;
    }
}

TEST_F(EpisodePage, EveryPageCountsItsProgressUpTo100) {
    const GwGraph& g = gwgraph();
    st.StiffParCount = {0, 8, 3};
    st.StiffSourceCount = {0, 5, 0};
    ds.ItemSourceCount = gw.ItemSourceCount = 4;
    // Sources + 2 on the date summary pages, a start, each scale row and each set's diagrams on
    // the Stiff page, three a source and three more on the groundwater page.
    const int steps[] = {6, 6, 14, 15};
    int i = 0;
    for (const std::string& r : routines) {
        progress.clear();
        newPage();
        draw(r);
        ASSERT_EQ(progress.size(), steps[i]) << r;
        EXPECT_EQ(progress.last(), "% Complete: 100") << r;
        EXPECT_EQ(g.Progress.ProgressCount, g.Progress.ProgressTotal) << r;
        ++i;
    }

    // Pages with nothing to list still step through the frame's own steps.
    ds.ItemSourceCount = gw.ItemSourceCount = 0;
    st.StiffParCount = {0, 0, 0};
    st.StiffSourceCount = {0, 0, 0};
    for (const std::string& r : routines) {
        progress.clear();
        newPage();
        draw(r);
        EXPECT_EQ(progress.last(), "% Complete: 100") << r;
    }
}

TEST_F(EpisodePage, AFaultEndsThePageWithItsRoutinesMessage) {
    // An origin beyond the drawing's coordinate range: the border cannot be drawn.
    modgw().MarginOffsetX = 1e9f;
    for (const std::string& r : routines) {
        ui_.answer(1, QStringLiteral("Error 6 in ") + QString::fromStdString(r) +
                          QStringLiteral(".  Please contact Kalvex"));
        newPage();
        progress.clear();
        draw(r);
        EXPECT_EQ(pageDrawing().count(), 0) << r;
        EXPECT_TRUE(progress.isEmpty()) << r;
        EXPECT_TRUE(pageCanvas().CurrentGroupName.isEmpty()) << r;
    }
    EXPECT_EQ(ui_.texts.size(), 4);
}

TEST_F(EpisodePage, RendersEachPageToPng) {
    // Set QMAR_PAGE_SHOTS to a folder to keep the pictures for a look.
    QTemporaryDir tmp;
    const QString out = qEnvironmentVariable("QMAR_PAGE_SHOTS", tmp.path());
    QDir().mkpath(out);
    for (const std::string& r : routines) {
        newPage();
        draw(r);
        const QImage image = draw::renderImage(pageDrawing(), 100);
        ASSERT_FALSE(image.isNull());
        ASSERT_TRUE(image.save(out + QStringLiteral("/") + QString::fromStdString(r) + ".png"));
        // The divider, 7.75 inches across the sheet, is drawn halfway down.
        int darkest = 255;
        for (int x = 770; x <= 780; ++x) darkest = std::min(darkest, image.pixelColor(x, 400).lightness());
        EXPECT_LT(darkest, 128) << r;
    }
}
