// SPDX-License-Identifier: GPL-3.0-or-later
// The Stiff page's scale rows and diagrams, and the date summary table.
//
// Positions are worked out by hand from the page origin (270, 270) that Z(0.7, 7.8) gives on the
// 6300 by 4800 unit sheet of an 11 by 8.5 inch paper: a point X inches right of it and Y inches up
// is (270 + 600 X, 270 - 600 Y), rounded half to even (at() below). On the Stiff page set 1 is
// centred at paper x 2.5 (1.8 from the origin: x 1350), set 2 at 6.2 (x 3570); the first axis is at
// paper y 7.4 (y 510), the next 0.4 lower (750); the first box hangs from paper y 6.05 (y 1320), the
// next 1.1 lower (1980). A row's maximum lies 1 inch (600 units) from the centre line; levels of
// the outline are 0.2 apart (120 units). Text heights: 6 points 50 units, 8 points 66.67.
//
// The goldens hold only the body (what the page draws between its column and its stamp). They
// were checked line by line:
// - stiff_three_rows: rows 1 and 2 share the axis (750,510)-(1950,510) with its centre tick to 480
//   and "0" at (1350,450); row 1's ticks of 250 at x 1200, 1050, 900, 750 (labels 60 above the
//   axis, at 450), its name 0.4 beyond the last tick and 0.2 up at (510,390), units 0.15 lower at
//   (510,480); row 2's ticks at 1500, 1650, 1800, 1950, name at (2190,390); row 3 on the axis at 750
//   (ticks as row 1, name (510,630), units (510,720)). The box (750..1950, 1320..1680) in line style
//   2, the centre line (1350,1320)-(1350,1680), then the outline and its circles of radius 12 as in
//   ThreeRowOutline, the name at (1350,1770).
// - datetable_small (2 columns, 3 sources, W = 2.3): rules from x 300 to 1680 at y 570, 666, 762,
//   774, then under the rows at 870, 966, 1062; the top rule (840,282)-(1680,282); the left border
//   (300,570)-(300,1062); column rules at x 840, 1260, 1680 from 282 to 1062; "Units:" at
//   (360,618), "MCL:" at (360,714); column 1 centred at x 1050: label lines at y 360, 432, 504,
//   units 612, standard 708; column 2 at x 1470; rows at y 816, 912, 1008 with names at x 360 and
//   values at 1050 and 1470.
#include "drawcmd/pagecanvas.h"
#include "platform/drawing/drawdump.h"
#include "platform/drawing/objecttags.h"
#include "platform/textfile.h"
#include "project/modgw.h"
#include "reportdefs/headings.h"
#include "reports/gwgraph.h"
#include "reports/pages.h"
#include "reports/runreaders.h"
#include "pagefixture.h"
#include "support/golden.h"
#include "support/programstate.h"
#include "support/scriptedui.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

// Points read as points in failure messages.
[[maybe_unused]] static void PrintTo(const QPoint& p, std::ostream* os) {
    *os << "(" << p.x() << ", " << p.y() << ")";
}

namespace {

using draw::DrawObject;

QPoint at(double x, double y) {
    return {int(std::nearbyint(270 + 600 * x)), int(std::nearbyint(270 - 600 * y))};
}

struct Row {
    QString name, units;
    float max, step;
};

class BodyPage : public ProgramStateTest {
protected:
    ScriptedUi ui_; // any box fails the test: none of these pages may end in an error

    void SetUp() override {
        ModGW& mg = modgw();
        mg.ThickDashedLines = QStringLiteral("0");
        mg.DefaultFont = QStringLiteral("Arial");
        mg.DateStampOption = QStringLiteral("2");
        HeadingLogo& h = headinglogo();
        h.HeadingLines[1] = QStringLiteral("EPISODE");
        h.HeadingLines[2] = QStringLiteral("NOTES");
        h.HeadingLines[3] = QStringLiteral("Units");
        h.LogoKind = 0;
        h.LogoText = {QString(), QStringLiteral("Harrow & Lind"), QString(), QStringLiteral("555-0100")};
        h.LogoTextSize = {0, 11, 11, 14};
        gwgraph().ReportFile = QStringLiteral("/data/site/MILLBROOK.STD");
        for (RunHead* run : std::initializer_list<RunHead*>{&st, &ds})
            run->ReportFile = QStringLiteral("/data/site/MILLBROOK.STD");
        st.ItemCaption = ds.ItemCaption = QStringLiteral("03/01/1998 - 03/31/1998");
        st.ItemTitle = ds.ItemTitle = QStringLiteral("Episode 1 of 2");
    }

    PageValues<StiffRun, StiffItem> st;
    PageValues<DateSumRun, DateSumItem> ds;
    // The pages, built as the page step builds them.
    void stiff() { buildPage("drawstiff", buildStiffPage, st); }
    void table() { buildPage("drawdatesumtable", buildDateSumTablePage, ds); }

    // The objects of the column: the Stiff page with nothing to list draws the column and the stamp
    // alone, and the table page's column is the same.
    qsizetype columnSize() {
        PageValues<StiffRun, StiffItem> empty = st;
        empty.StiffParCount = {0, 0, 0};
        empty.StiffSourceCount = {0, 0, 0};
        newPage();
        buildPage("drawstiff", buildStiffPage, empty);
        return pageDrawing().count() - 1;
    }

    // What a page routine draws between its column and its stamp.
    QList<DrawObject> body(const std::function<void()>& routine) {
        const qsizetype column = columnSize();
        newPage();
        routine();
        const QList<DrawObject> page = pageObjects();
        EXPECT_EQ(page.last().tag(draw::tags::ObjName), draw::tags::DateStampObj);
        return page.mid(column, page.size() - column - 1);
    }
    QList<DrawObject> stiffBody() { return body([this] { stiff(); }); }
    QList<DrawObject> tableBody() { return body([this] { table(); }); }

    static QStringList dump(const QList<DrawObject>& objs) {
        QStringList lines;
        for (const DrawObject& o : objs) lines << draw::dumpObject(o).section(u' ', 1);
        return lines;
    }

    void setRows(int set, const QList<Row>& rows) {
        auto& g = st;
        g.StiffParCount[set] = int16_t(rows.size());
        for (int j = 1; j <= rows.size(); ++j) {
            g.StiffParName[j][set] = rows[j - 1].name;
            g.StiffParUnits[j][set] = rows[j - 1].units;
            g.StiffScaleMax[j][set] = rows[j - 1].max;
            g.StiffScaleStep[j][set] = rows[j - 1].step;
        }
    }
    void setSources(int set, const QList<QStringList>& sources) {
        auto& g = st;
        g.StiffSourceCount[set] = int16_t(sources.size());
        for (int r = 1; r <= sources.size(); ++r) {
            g.StiffSourceName[r][set] = sources[r - 1].first();
            for (int j = 1; j < sources[r - 1].size(); ++j) g.StiffValue[r][j][set] = sources[r - 1][j];
        }
    }

    // A point of a Stiff diagram: set's centre line, dx inches right and dy up from box r's top.
    static QPoint stiffAt(int set, int r, double dx, double dy) {
        return at((set == 1 ? 1.8 : 5.5) + dx, -1.75 - 1.1 * (r - 1) + dy);
    }

    // The solid lines of the diagram area as one chain of points; empty when they do not join.
    static QList<QPoint> outline(const QList<DrawObject>& objs, int set, int r) {
        QList<QPoint> chain;
        const QPoint top = stiffAt(set, r, 0, 0);
        for (const DrawObject& o : objs) {
            if (o.kind != draw::Line || o.style.lineStyle != draw::Solid) continue;
            if (std::min(o.y1, o.y2) < top.y() || std::max(o.y1, o.y2) > top.y() + 360) continue;
            if (std::abs(o.x1 - top.x()) > 700 || std::abs(o.x2 - top.x()) > 700) continue;
            if (chain.isEmpty()) chain << QPoint(o.x1, o.y1);
            if (chain.last() != QPoint(o.x1, o.y1)) return {};
            chain << QPoint(o.x2, o.y2);
        }
        return chain;
    }

    static QList<QPoint> circleCentres(const QList<DrawObject>& objs) {
        QList<QPoint> centres;
        for (const DrawObject& o : objs)
            if (o.kind == draw::Ellipse) {
                EXPECT_EQ(o.x2 - o.x1, 24);
                EXPECT_EQ(o.y2 - o.y1, 24);
                centres << QPoint((o.x1 + o.x2) / 2, (o.y1 + o.y2) / 2);
            }
        return centres;
    }

    static QList<DrawObject> textsOf(const QList<DrawObject>& objs, const QString& text) {
        QList<DrawObject> found;
        for (const DrawObject& o : objs)
            if (o.kind == draw::Text && o.text == text) found << o;
        return found;
    }
    static QPoint anchor(const QList<DrawObject>& objs, const QString& text) {
        const QList<DrawObject> found = textsOf(objs, text);
        if (found.size() != 1) {
            ADD_FAILURE() << "\"" << text.toStdString() << "\" drawn " << found.size() << " times";
            return {};
        }
        return {found[0].x1, found[0].y1};
    }
    static int lines(const QList<DrawObject>& objs, QPoint a, QPoint b, int style = draw::Solid) {
        int n = 0;
        for (const DrawObject& o : objs)
            if (o.kind == draw::Line && o.style.lineStyle == style &&
                ((QPoint(o.x1, o.y1) == a && QPoint(o.x2, o.y2) == b) ||
                 (QPoint(o.x1, o.y1) == b && QPoint(o.x2, o.y2) == a)))
                ++n;
        return n;
    }
    static int count(const QList<DrawObject>& objs, draw::Kind kind) {
        return int(std::count_if(objs.begin(), objs.end(), [kind](const DrawObject& o) { return o.kind == kind; }));
    }
};

const Row ion1000[] = {{"Calcium", "mg/L", 1000, 250}, {"Sodium", "mg/L", 1000, 250},
                       {"Magnesium", "mg/L", 1000, 250}};

} // namespace

// ---- Stiff

TEST_F(BodyPage, ThreeRowOutlineGoesDownTheLeftAndUpTheRight) {
    setRows(1, {ion1000[0], ion1000[1], ion1000[2]});
    setSources(1, {{"MW-1", "500", "250", "1000"}});
    const QList<DrawObject> b = stiffBody();
    EXPECT_TRUE(matchesGoldenFile(dump(b), goldenPagePath(QStringLiteral("stiff_three_rows"))));

    EXPECT_EQ(outline(b, 1, 1), QList<QPoint>({{1350, 1320}, {1050, 1320}, {750, 1440}, {1350, 1440},
                                               {1500, 1320}, {1350, 1320}}));
    EXPECT_EQ(circleCentres(b), QList<QPoint>({{1050, 1320}, {750, 1440}, {1500, 1320}}));
    // The broken-line box 2 by 0.6 and its centre line.
    EXPECT_EQ(lines(b, {750, 1320}, {1950, 1320}, draw::Dot), 1);
    EXPECT_EQ(lines(b, {750, 1680}, {1950, 1680}, draw::Dot), 1);
    EXPECT_EQ(lines(b, {750, 1320}, {750, 1680}, draw::Dot), 1);
    EXPECT_EQ(lines(b, {1950, 1320}, {1950, 1680}, draw::Dot), 1);
    EXPECT_EQ(lines(b, {1350, 1320}, {1350, 1680}, draw::Dot), 1);
    EXPECT_EQ(anchor(b, "MW-1"), QPoint(1350, 1770));
    EXPECT_EQ(textsOf(b, "MW-1")[0].style.textAlign, 1);
    // The box style does not stay behind for what the page draws next.
    EXPECT_EQ(pageCanvas().CurrentLineType, 0);
}

TEST_F(BodyPage, EightRowOutlineTakesEveryRowInItsOwnScale) {
    // Row j: maximum 100 j, value 10 j * j, so that each vertex lies j / 10 inch from the centre.
    QList<Row> rows;
    QStringList source{QStringLiteral("MW-4")};
    for (int j = 1; j <= 8; ++j) {
        rows << Row{QStringLiteral("P%1").arg(j), QStringLiteral("meq/L"), 100.f * j, 50.f * j};
        source << QString::number(10 * j * j);
    }
    setRows(2, rows);
    setSources(2, {{"MW-3", "0", "0"}, source}); // the second box, in set 2
    const QList<DrawObject> b = stiffBody();
    const int c = 3570, top = 1320 + 660;
    EXPECT_EQ(outline(b, 2, 2), QList<QPoint>({{c, top},
                                               {c - 60, top},
                                               {c - 180, top + 120},
                                               {c - 300, top + 240},
                                               {c - 420, top + 360},
                                               {c, top + 360},
                                               {c + 480, top + 360},
                                               {c + 360, top + 240},
                                               {c + 240, top + 120},
                                               {c + 120, top},
                                               {c, top}}));
    EXPECT_EQ(anchor(b, "MW-4"), QPoint(c, top + 450));
    // Eight scale rows on four axes 0.4 apart.
    for (int axis = 0; axis < 4; ++axis)
        EXPECT_EQ(lines(b, {c - 600, 510 + 240 * axis}, {c + 600, 510 + 240 * axis}), 2) << axis;
    EXPECT_EQ(anchor(b, "P7"), QPoint(c - 600 - 240, 510 + 720 - 120));
    EXPECT_EQ(anchor(b, "P8"), QPoint(c + 600 + 240, 510 + 720 - 120));
}

TEST_F(BodyPage, ScaleRowsTickEveryStepAndFallBackOnUnusableScales) {
    // Through the reader: the scale texts as the run data holds them.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("SCALES.STD"));
    const QStringList scales = {"",         // no comma: 1000 by 250
                                "0,1000,300", // ends between ticks
                                "0,0,5",    // maximum 0: 10 by 2
                                "0,100,0",  // step 0: a quarter
                                "0,100,.5", // 200 ticks: a quarter
                                "LOG"};     // no comma
    const QStringList names = {"Chloride", "Sulfate", "Nitrate", "Iron", "Boron", "Silica"};
    QStringList file{"6"};
    for (int j = 0; j < 6; ++j) file << names[j] << "mg/L" << scales[j];
    file << "1" << "0" << "0" << "0" << "Site" << "Stiff" << "" << "";
    file << "03/01/1998 - 03/31/1998" << "Episode 1 of 1" << "MW-1";
    // Above the maximum, negative, above the fallback maximum, half, no number, a quarter.
    file << "2000" << "-500" << "12" << "50" << "-" << "250" << "0";
    qtext::WriteLines(path, file);
    gwgraph().ReportFile = path;
    const auto run = readStiffRun({path, 1});
    ASSERT_TRUE(run);
    const auto item = readStiffItem(*run, 1);
    ASSERT_TRUE(item);
    static_cast<StiffRun&>(st) = *run;
    static_cast<StiffItem&>(st) = *item;

    const QList<DrawObject> b = stiffBody();
    auto anchors = [&b](const char* text) {
        QList<QPoint> found;
        for (const DrawObject& o : textsOf(b, QString::fromLatin1(text))) found << QPoint(o.x1, o.y1);
        return found;
    };
    // Row 1 to the left on the first axis, row 6 to the right on the third (y 990).
    EXPECT_EQ(anchors("250"), QList<QPoint>({{1200, 450}, {1500, 930}}));
    EXPECT_EQ(anchors("500"), QList<QPoint>({{1050, 450}, {1650, 930}}));
    EXPECT_EQ(anchors("750"), QList<QPoint>({{900, 450}, {1800, 930}}));
    EXPECT_EQ(anchors("1000"), QList<QPoint>({{750, 450}, {1950, 930}}));
    EXPECT_EQ(lines(b, {750, 510}, {750, 480}), 1);
    EXPECT_EQ(anchor(b, "Chloride"), QPoint(510, 390));
    EXPECT_EQ(anchor(b, "Chloride").y() + 90, textsOf(b, "(mg/L)")[0].y1);
    // 1000 by 300: three ticks, the name 0.4 beyond the last.
    EXPECT_EQ(anchors("300"), QList<QPoint>({{1530, 450}}));
    EXPECT_EQ(anchors("900"), QList<QPoint>({{1890, 450}}));
    EXPECT_EQ(anchor(b, "Sulfate"), QPoint(2130, 390));
    // The next axis stays centred although the last one ended between ticks.
    EXPECT_EQ(lines(b, {750, 750}, {1950, 750}), 2);
    EXPECT_EQ(lines(b, {1350, 750}, {1350, 720}), 2);
    EXPECT_EQ(anchors("2"), QList<QPoint>({{1230, 690}}));
    EXPECT_EQ(anchors("10"), QList<QPoint>({{750, 690}}));
    EXPECT_EQ(anchor(b, "Nitrate"), QPoint(510, 630));
    EXPECT_EQ(anchors("25"), QList<QPoint>({{1500, 690}, {1200, 930}}));
    EXPECT_EQ(anchors("100"), QList<QPoint>({{1950, 690}, {750, 930}}));
    EXPECT_TRUE(anchors(".5").isEmpty());
    EXPECT_EQ(anchors("0").size(), 6);

    // Values held to their maximum (the fallback's too), a negative one across the centre line.
    EXPECT_EQ(outline(b, 1, 1), QList<QPoint>({{1350, 1320},
                                               {750, 1320},  // 2000 of 1000
                                               {750, 1440},  // 12 of 10
                                               {1350, 1560}, // "-" counts 0
                                               {1350, 1560},
                                               {1500, 1560}, // 250 of 1000
                                               {1650, 1440}, // 50 of 100
                                               {1050, 1320}, // -500: left of the centre line
                                               {1350, 1320}}));
}

TEST_F(BodyPage, SetsWithoutSourcesOrRows) {
    // Set 1 has scale rows and no sources, set 2 sources and no rows.
    setRows(1, {ion1000[0], ion1000[1]});
    setSources(2, {{"MW-7"}, {"MW-8"}});
    QList<DrawObject> b = stiffBody();
    EXPECT_EQ(count(b, draw::Ellipse), 0);
    int dotted = 0;
    for (const DrawObject& o : b)
        if (o.kind == draw::Line && o.style.lineStyle == draw::Dot) {
            EXPECT_GE(std::min(o.x1, o.x2), 2970) << "a box in set 1";
            ++dotted;
        }
    EXPECT_EQ(dotted, 10);
    EXPECT_EQ(anchor(b, "MW-7"), QPoint(3570, 1770));
    EXPECT_EQ(anchor(b, "MW-8"), QPoint(3570, 2430));
    EXPECT_TRUE(outline(b, 2, 1).isEmpty());
    EXPECT_EQ(anchor(b, "Sodium"), QPoint(2190, 390));

    // One row: out to it and back.
    st.StiffParCount = {0, 1, 0};
    st.StiffSourceCount = {0, 1, 0};
    setSources(1, {{"MW-1", "500"}});
    b = stiffBody();
    EXPECT_EQ(outline(b, 1, 1), QList<QPoint>({{1350, 1320}, {1050, 1320}, {1350, 1320}}));
    EXPECT_EQ(circleCentres(b), QList<QPoint>({{1050, 1320}}));

    // Nothing to list: nothing drawn.
    st.StiffParCount = {0, 0, 0};
    st.StiffSourceCount = {0, 0, 0};
    EXPECT_TRUE(stiffBody().isEmpty());
}

TEST_F(BodyPage, LongNamesAndDenseScalesKeepClearOfRulesAndEachOther) {
    // A 24-character name and 0 to 800 by 100 in every row: every second tick label shows, and the
    // names, wider at 8 points than their 0.74 or 0.84 inch, are drawn smaller or cut, in place.
    const QString name = QStringLiteral("Hardness, total as CaCO3");
    setRows(1, {{name, "mg/L as CaCO3", 800, 100}, {name, "mg/L as CaCO3", 800, 100}, {name, "mg/L", 800, 100}});
    setRows(2, {{name, "mg/L as CaCO3", 800, 100}, {name, "mg/L as CaCO3", 800, 100}});
    newPage();
    stiff();
    shootPage(QStringLiteral("stiff_longnames"));
    EXPECT_TRUE(pageIsClear());
    const QList<DrawObject> all = pageObjects();
    for (int v = 100; v <= 800; v += 100) EXPECT_EQ(textsOf(all, QString::number(v)).size(), v % 200 ? 0 : 5) << v;
    QList<QPoint> nameAnchors;
    for (const DrawObject& o : all)
        if (o.kind == draw::Text && o.text.startsWith(QStringLiteral("Hardn"))) {
            EXPECT_TRUE(o.text == name || (o.text.endsWith("...") && name.startsWith(o.text.chopped(3))));
            EXPECT_GE(-o.style.textHeight, 5.0 / 72 * 600 - 0.01);
            nameAnchors << QPoint(o.x1, o.y1);
        }
    EXPECT_EQ(nameAnchors, QList<QPoint>({{510, 390}, {2190, 390}, {510, 630}, {2730, 390}, {4410, 390}}));
    EXPECT_EQ(textsOf(all, "(mg/L)").size(), 1); // fits at 8 points beside row 3's scale
}

TEST_F(BodyPage, StiffColumnShowsThePagesOwnNotesAfterTheGeneralOnes) {
    auto& g = st;
    setRows(1, {ion1000[0]});
    g.RunGeneralNoteCount = 1;
    g.RunGeneralNotes[1] = QStringLiteral("Major ions in meq/l.");
    g.RunItemNoteCount = 1;
    g.RunItemNotes[1] = QStringLiteral("MW-3 dry.");
    newPage();
    stiff();
    QList<DrawObject> all = pageObjects();
    EXPECT_EQ(anchor(all, "Major ions in meq/l."), at(7.4, -0.6));
    EXPECT_EQ(anchor(all, "MW-3 dry."), at(7.4, -0.72));

    g.RunItemNoteCount = 0;
    newPage();
    stiff();
    all = pageObjects();
    EXPECT_EQ(anchor(all, "Major ions in meq/l."), at(7.4, -0.6));
    EXPECT_TRUE(textsOf(all, "MW-3 dry.").isEmpty());
    EXPECT_EQ(anchor(all, "Calcium"), QPoint(510, 390));
}

TEST_F(BodyPage, BodiesMoveWithTheMarginOffsets) {
    setRows(1, {ion1000[0], ion1000[1], ion1000[2]});
    setSources(1, {{"MW-1", "500", "250", "1000"}});
    setRows(2, {ion1000[0]});
    setSources(2, {{"MW-2", "-100"}});
    ds.ItemParCount = 2;
    ds.ItemSourceCount = 3;
    for (const std::function<void()>& routine :
         {std::function<void()>([this] { stiff(); }), std::function<void()>([this] { table(); })}) {
        modgw().MarginOffsetX = 0;
        modgw().MarginOffsetY = 0;
        const QList<DrawObject> plain = body(routine);
        // Left, where set 2 would otherwise stand nearer the column, and down.
        modgw().MarginOffsetX = -0.4f;
        modgw().MarginOffsetY = -0.25f;
        const QList<DrawObject> moved = body(routine);
        ASSERT_EQ(moved.size(), plain.size());
        ASSERT_FALSE(plain.isEmpty());
        for (qsizetype i = 0; i < plain.size(); ++i) {
            EXPECT_EQ(QPoint(moved[i].x1, moved[i].y1), QPoint(plain[i].x1 - 240, plain[i].y1 + 150)) << i;
            EXPECT_EQ(QPoint(moved[i].x2, moved[i].y2), QPoint(plain[i].x2 - 240, plain[i].y2 + 150)) << i;
        }
    }
}

// ---- date summary table

namespace {

void setTable(PageValues<DateSumRun, DateSumItem>& g, const QList<QStringList>& columns,
              const QList<QStringList>& sources) {
    g.ItemParCount = int16_t(columns.size());
    for (int p = 1; p <= columns.size(); ++p) {
        const QStringList& c = columns[p - 1];
        for (int line = 1; line <= 3; ++line) g.ParLabel[line][p] = c[line - 1];
        g.DateParUnits[p] = c[3];
        g.DateParStandard[p] = c[4];
    }
    g.ItemSourceCount = int16_t(sources.size());
    g.RecordValues.clear();
    for (int s = 1; s <= sources.size(); ++s) {
        g.RunSourceName[s] = sources[s - 1].first();
        for (int p = 1; p < sources[s - 1].size(); ++p) g.RecordValues[s][p] = sources[s - 1][p];
    }
    g.StandardLabel = QStringLiteral("MCL");
}

} // namespace

TEST_F(BodyPage, TableOfTwoColumnsAndThreeSources) {
    setTable(ds, {{"Specific", "Cond.", "", "umhos", "1000"}, {"Lead", "(total)", "", "mg/L", ".015"}},
             {{"MW-1", "517", "-"}, {"O'Brien 3", "310", ".008"}, {"MW-2", "-", "-"}});
    const QList<DrawObject> b = tableBody();
    EXPECT_TRUE(matchesGoldenFile(dump(b), goldenPagePath(QStringLiteral("datetable_small"))));

    for (double y : {-0.5, -0.66, -0.82, -0.84, -1.0, -1.16, -1.32})
        EXPECT_EQ(lines(b, at(0.05, y), at(2.35, y)), 1) << y;
    EXPECT_EQ(lines(b, at(0.95, -0.02), at(2.35, -0.02)), 1);
    EXPECT_EQ(lines(b, at(0.05, -0.5), at(0.05, -1.32)), 1);
    for (double x : {0.95, 1.65, 2.35}) EXPECT_EQ(lines(b, at(x, -0.02), at(x, -1.32)), 1) << x;
    EXPECT_EQ(count(b, draw::Line), 12);

    EXPECT_EQ(anchor(b, "Units:"), at(0.15, -0.58));
    EXPECT_EQ(anchor(b, "MCL:"), at(0.15, -0.74));
    EXPECT_EQ(anchor(b, "Cond."), at(1.3, -0.27));
    EXPECT_EQ(anchor(b, "mg/L"), at(2.0, -0.57));
    EXPECT_EQ(anchor(b, ".015"), at(2.0, -0.73));
    EXPECT_EQ(anchor(b, "O'Brien 3"), at(0.15, -1.07));
    EXPECT_EQ(anchor(b, ".008"), at(2.0, -1.07));
    // Cells as the file holds them, centred under their headings; names to the left.
    QList<QPoint> dashes;
    for (const DrawObject& o : textsOf(b, "-")) {
        EXPECT_EQ(o.style.textAlign, 1);
        dashes << QPoint(o.x1, o.y1);
    }
    EXPECT_EQ(dashes, QList<QPoint>({at(2.0, -0.91), at(1.3, -1.23), at(2.0, -1.23)}));
    EXPECT_EQ(textsOf(b, "MW-2")[0].style.textAlign, 0);
    // 8 points, whatever size the logo's last line left behind.
    for (const DrawObject& o : b)
        if (o.kind == draw::Text) EXPECT_NEAR(o.style.textHeight, -600 * 8 / 72.0, 0.01) << o.text.toStdString();
}

TEST_F(BodyPage, NineColumnsAndThirtyNineSourcesEndJustAboveTheBorder) {
    QList<QStringList> columns, sources;
    for (int p = 1; p <= 9; ++p)
        columns << QStringList{QStringLiteral("Par %1").arg(p), "", "", "mg/L", QString::number(p)};
    for (int s = 1; s <= 39; ++s) {
        QStringList row{QStringLiteral("Source %1").arg(s)};
        for (int p = 1; p <= 9; ++p) row << QStringLiteral("%1.%2").arg(s).arg(p);
        sources << row;
    }
    setTable(ds, columns, sources);
    const QList<DrawObject> b = tableBody();

    // The last rule 0.02 inch (12 units) above the border's bottom at 4530.
    const int bottom = at(0, -7.1).y();
    EXPECT_EQ(at(0, -7.08).y(), bottom - 12);
    EXPECT_EQ(lines(b, at(0.05, -7.08), at(7.25, -7.08)), 1);
    EXPECT_EQ(lines(b, at(0.05, -0.5), at(0.05, -7.08)), 1);
    for (int k = 0; k <= 9; ++k) EXPECT_EQ(lines(b, at(0.95 + 0.7 * k, -0.02), at(0.95 + 0.7 * k, -7.08)), 1) << k;
    EXPECT_EQ(count(b, draw::Line), 4 + 39 + 1 + 1 + 10);
    int lowest = 0, rightmost = 0;
    for (const DrawObject& o : b) {
        lowest = std::max({lowest, o.y1, o.y2});
        rightmost = std::max({rightmost, o.x1, o.x2});
    }
    EXPECT_EQ(lowest, bottom - 12);
    EXPECT_LT(rightmost, at(7.3, 0).x()); // left of the column's divider

    EXPECT_EQ(anchor(b, "Par 9"), at(6.9, -0.15));
    EXPECT_EQ(anchor(b, "Source 39"), at(0.15, -6.99));
    EXPECT_EQ(anchor(b, "39.9"), at(6.9, -6.99));
    EXPECT_EQ(count(b, draw::Text), 2 + 9 * 5 + 39 * 10);
}

TEST_F(BodyPage, TableFromTheRunDataFile) {
    const QString path = QStringLiteral(QMAR_TEST_DATA "/rundata/datesum.DSD");
    gwgraph().ReportFile = path;
    const auto run = readDateSumRun({path, 1});
    ASSERT_TRUE(run);
    const auto item = readDateSumItem(*run, 1);
    ASSERT_TRUE(item);
    static_cast<DateSumRun&>(ds) = *run;
    static_cast<DateSumItem&>(ds) = *item;
    const QList<DrawObject> b = tableBody();
    EXPECT_EQ(anchor(b, "MCL:"), at(0.15, -0.74));
    EXPECT_EQ(anchor(b, "Lead"), at(3.4, -0.15));
    EXPECT_EQ(anchor(b, "O'Brien 3"), at(0.15, -1.07));
    EXPECT_EQ(anchor(b, "517"), at(2.0, -0.91));
    EXPECT_EQ(anchor(b, ".008"), at(3.4, -1.07));
    EXPECT_EQ(lines(b, at(0.05, -1.32), at(4.45, -1.32)), 1); // three rows, five columns
}
