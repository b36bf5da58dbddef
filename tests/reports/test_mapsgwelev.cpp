// SPDX-License-Identifier: GPL-3.0-or-later
// The bodies of the date summary's map pages and of the groundwater elevation page.
//
// Positions were worked out by hand. The 11 by 8.5 inch paper gives a 6300 by 4800 unit sheet;
// the page origin Z(0.7, 7.8) is the sheet point (270, 270), so a point X inches right of it and
// Y up (negative on the page) is (270 + 600 X, 270 - 600 Y), rounded half to even: at() below.
// The map's corner Z(1.8, 1.2) is (930, 4230), the page origin's (1.1, -6.6), and the map square
// reaches (4290, 870); a map point of X, Y map units on an axis of range R lies 5.6 X / R inches
// across. The graph's corner Z(1.5, 1.0) is (750, 4350), the page origin's (0.8, -6.8); the graph
// is 6.3 by 3.9 inches, to (4530, 2010).
//
// tests/data/pages/map_page.dump was compared with MapPage.PageMatchesItsHandCheckedDump line by
// line: the band rules at y -0.5, -0.66, -0.82, -0.84 (570, 666, 762, 774) from x 0.05 (300) over
// W = 0.7 x 2 + 0.9 = 2.3 inches (to 1680); the top rule from 0.95 (840) at -0.02 (282); the
// column rules at 840, 1260, 1680 from 282 to 774 and the left border from 570 to 774; the framed
// columns (840, 282)-(1260, 774) inset by 0.01 (6 units); "Units:" and "SCALE MAX:" at 0.15 (360),
// -0.58 and -0.74 (618, 714); column heading lines centred at 1.3 and 2.0 (1050, 1470), at -0.14,
// -0.26, -0.38 (354, 426, 498), units at -0.56 (606), scale maxima at -0.72 (702). The axes run
// 0 to 1000 by 500 and 200 to 1200 by 500: grid lines every 2.8 inches (1680 units) at x 930, 2610,
// 4290 and y 4230, 2550, 870, ticks 0.05 (30) outside, values 0.1 (60) outside; the axis labels
// at (2.8, -0.35) and (-0.9, 2.8) from the corner (2610, 4440) and (390, 2550). MW-1 at (250, 950)
// is (1.4, 4.2) inches into the map (1770, 1710), radius 0.15 (90), its name 0.42 above (1458) and
// its value 0.15 lower (1548); MW-2 at (500, 450) is (2.8, 1.4) inches in (2610, 3390), its name
// 0.23 below (3528), its value at 3618. Each line stands on a white knock-out drawn before it, its
// line box (1.117 of 66.67 units high) and 6 units round it: "MW-1", 2.666 em wide, 1675..1865 by 1414..1502.
//
// tests/data/pages/gwelev_page.dump was compared with GWElevPage.PageMatchesItsHandCheckedDump:
// the blocks 1.825 inches (1095 units) wide from x 270 and 1365; in a block the headings at
// (0.45, -0.2) (540, 390), (1.3625, -0.1) and (1.3625, -0.2) (1088, 330 and 390), (0.45, -0.8)
// (540, 750), (1.1, -0.7) and (1.1, -0.8) (930, 690 and 750), (1.5625, -0.8) and (1.5625, -0.7)
// (1208, 750 and 690; 2302 in block 2); the rules at -0.3, -0.6 (broken), -0.9 and -0.95 (450,
// 630, 810, 840), the rule at x 0.9 (810) and the thick right edge (1365) from 270 to -2.75
// (1920), the depth/elevation rule at x 1.3 (1050) from -0.6 (630); the name at (0.45, -0.45)
// (540, 540) in 9 points, the symbol at (0.77, -0.47) (732, 552), the reference elevation at
// (1088, 540); the readings' rows from -1.025 (885) 0.15 (90) apart at x 540, 930 and 1208; twelve
// row rules from -1.1 (930) to -2.75 (1920) across 7.3 inches (to 4650). The graph: two years,
// so quarter bands 0.7875 inches (472.5 units) wide, each starting where the pen was put back on
// the last band's first corner, rounded (750, 1222, 1694, ... 4054), shaded white, 233, 212 and
// 191 grey; the polygons' frames are the control's own; year labels 0.1 below the graph at
// the middle of each year (1695, 3585; 4410) and rules at each year's end (2640, 4530); the value
// scale 100 to 139 by 13 puts 10 units in an inch: ticks at 4350, 3570, 2790, 2010, the tick 0.1
// (60) long and the value at -0.15 (660), right-aligned; the axis label at (-0.6, 1.95) (390,
// 3180) turned 90 degrees. Readings: the date scale is (2 x 365 + 1) / 6.3 days an inch, and a
// date lies (365 (year - 1997) + 30 month + day - 31) days from the left edge: 03/15/1997 at 74
// days (1133), 09/20/1997 at 259 (2089), 01/10/1998 at 374 (2684), 03/15/1998 at 439 (3020),
// 06/01/1998 at 515 (3413), 08/01/1998 at 575 (3723); an elevation e stands at 4350 - 60 (e - 100).
#include "drawcmd/metaugl.h"
#include "platform/drawing/drawdump.h"
#include "platform/drawing/drawrender.h"
#include "project/modgw.h"
#include "reportdefs/headings.h"
#include "reports/gwgraph.h"
#include "reports/pages.h"
#include "pagefixture.h"
#include "support/golden.h"
#include "support/programstate.h"
#include "support/scriptedui.h"

#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using draw::DrawObject;

QPoint at(double x, double y) {
    return {int(std::nearbyint(270 + 600 * x)), int(std::nearbyint(270 - 600 * y))};
}

QList<DrawObject> ofKind(draw::Kind kind) {
    QList<DrawObject> found;
    for (const DrawObject& o : pageObjects())
        if (o.kind == kind) found << o;
    return found;
}

QList<DrawObject> texts(const QString& text) {
    QList<DrawObject> found;
    for (const DrawObject& o : ofKind(draw::Text))
        if (o.text == text) found << o;
    return found;
}

QList<QPoint> anchorsOf(const QString& text) {
    QList<QPoint> found;
    for (const DrawObject& o : texts(text)) found << QPoint(o.x1, o.y1);
    return found;
}

QPoint anchorOf(const QString& text) {
    const QList<QPoint> found = anchorsOf(text);
    if (found.size() != 1) {
        ADD_FAILURE() << "text \"" << text.toStdString() << "\" drawn " << found.size() << " times";
        return {};
    }
    return found[0];
}

// Lines from one point to the other, either way round.
QList<DrawObject> linesBetween(QPoint a, QPoint b) {
    QList<DrawObject> found;
    for (const DrawObject& o : ofKind(draw::Line)) {
        const QPoint p(o.x1, o.y1), q(o.x2, o.y2);
        if ((p == a && q == b) || (p == b && q == a)) found << o;
    }
    return found;
}

QRect frameOf(const DrawObject& o) {
    return QRect(QPoint(std::min(o.x1, o.x2), std::min(o.y1, o.y2)),
                 QPoint(std::max(o.x1, o.x2), std::max(o.y1, o.y2)));
}

// Ellipses framed by exactly this rectangle.
QList<DrawObject> ellipsesAt(QRect frame) {
    QList<DrawObject> found;
    for (const DrawObject& o : ofKind(draw::Ellipse))
        if (frameOf(o) == frame) found << o;
    return found;
}

// A polygon's vertices' bounds.
QRect boundsOf(const DrawObject& o) {
    if (o.vertices.isEmpty()) return {};
    QPoint low = o.vertices[0], high = o.vertices[0];
    for (const QPoint& p : o.vertices) {
        low = QPoint(std::min(low.x(), p.x()), std::min(low.y(), p.y()));
        high = QPoint(std::max(high.x(), p.x()), std::max(high.y(), p.y()));
    }
    return QRect(low, high);
}

QRect around(QPoint centre, int radius) {
    return QRect(centre - QPoint(radius, radius), centre + QPoint(radius, radius));
}

draw::Long grey(int g) {
    return draw::RGB(g, g, g);
}

class PageBody : public ProgramStateTest {
protected:
    ScriptedUi ui_;

    void SetUp() override {
        ModGW& mg = modgw();
        mg.ThickDashedLines = QStringLiteral("0");
        mg.DefaultFont = QStringLiteral("Arial");
        mg.DateStampOption = QStringLiteral("2");
        mg.LessThanFactor = QStringLiteral("0.5");
        headinglogo().LogoKind = 0;
        GwGraph& g = gwgraph();
        g.ReportFile = QStringLiteral("/data/site/MILLBROOK");
        g.ReportTitles = {QString(), QStringLiteral("Millbrook Landfill"), QStringLiteral("Monitoring"),
                          QString(), QString(), QStringLiteral("Episode 1 of 1")};
        newPage();
    }

};

// ---- date summary maps

class MapPage : public PageBody {
protected:
    void SetUp() override {
        PageBody::SetUp();
        HeadingLogo& h = headinglogo();
        h.HeadingLines[1] = QStringLiteral("EPISODE");
        h.HeadingLines[2] = QStringLiteral("NOTES");
        h.HeadingLines[3] = QStringLiteral("Units");
        h.HeadingLines[4] = QStringLiteral("SCALE MAX");
        h.HeadingLines[5] = QStringLiteral("Distance");

        GwGraph& g = gwgraph();
        g.ItemCaption = QStringLiteral("03/01/1998 - 03/31/1998");
        g.ItemParCount = 2;
        column(1, {"Chloride", "(dissolved)", ""}, "mg/L", "100");
        column(2, {"Sulfate", "", ""}, "ug/L", "300");
        g.MapXStart = 0;
        g.MapXEnd = 1000;
        g.MapXInc = 500;
        g.MapYStart = 200;
        g.MapYEnd = 1200;
        g.MapYInc = 500;
        g.MapDistanceUnit = QStringLiteral("ft");
        g.MapRadiusMult = 1;
        g.DateMapCount = 1;
        g.CurMap = 1;
        setMap({1, 2});
        g.ItemSourceCount = 0;
        addSource("MW-1", true, 250, 950, {"50", "150"});
        addSource("MW-2", false, 500, 450, {"<20", "-"});
    }

    static void column(int p, const QStringList& label, const QString& units, const QString& max) {
        GwGraph& g = gwgraph();
        for (int line = 1; line <= 3; ++line) g.ParLabel[line][p] = label[line - 1];
        g.DateParUnits[p] = units;
        g.ParScaleMax[p] = max;
    }

    static void setMap(const QList<int>& columns) {
        GwGraph& g = gwgraph();
        g.MapParams[1].clear();
        for (int k = 1; k <= columns.size(); ++k) g.MapParams[1][k] = int16_t(columns[k - 1]);
        g.MapParCount[1] = int16_t(columns.size());
    }

    static void addSource(const char* name, bool above, float x, float y, const QStringList& values) {
        GwGraph& g = gwgraph();
        const int s = ++g.ItemSourceCount;
        g.RunSourceName[s] = QString::fromLatin1(name);
        g.RunSourceAbove[s] = above ? 1 : 0;
        g.RunSourceX[s] = x;
        g.RunSourceY[s] = y;
        for (int p = 1; p <= values.size(); ++p) g.RecordValues[s][p] = values[p - 1];
    }

    // The filled circle of a source whose centre is at c (drawing units), radius r units.
    static DrawObject disc(QPoint c, int r = 90) {
        for (const DrawObject& o : ellipsesAt(around(c, r)))
            if (o.style.fill == draw::FillMode::Solid) return o;
        ADD_FAILURE() << "no filled circle at " << c.x() << "," << c.y();
        return {};
    }

    // The shade and label a lone source gets at the first source's place.
    static std::pair<draw::Long, QString> shadeAndLabel(const QStringList& values) {
        GwGraph& g = gwgraph();
        g.ItemSourceCount = 0;
        addSource("MW-9", false, 250, 950, values);
        newPage();
        drawdatesummaps();
        const QList<QPoint> name = anchorsOf(QStringLiteral("MW-9"));
        if (name.size() != 1) return {-1, QString()};
        // The value label is the text 0.15 inch under the name.
        QString label = QStringLiteral("<none>");
        for (const DrawObject& o : ofKind(draw::Text))
            if (QPoint(o.x1, o.y1) == name[0] + QPoint(0, 90)) label = o.text;
        return {disc(QPoint(1770, 1710)).style.fillColor, label};
    }
};

} // namespace

TEST_F(MapPage, PageMatchesItsHandCheckedDump) {
    drawdatesummaps();
    shootPage(QStringLiteral("map_page"));
    EXPECT_TRUE(matchesGoldenPage(pageDrawing(), QStringLiteral("map_page")));

    // The dump pins every position; what it shows less plainly is checked here.
    EXPECT_EQ(anchorOf(QStringLiteral("100")), at(1.3, -0.72)); // the scale maximum, not a standard
    const QList<DrawObject> labels = texts(QStringLiteral("Distance (ft)"));
    ASSERT_EQ(labels.size(), 2);
    EXPECT_EQ(labels[1].style.textAngle, 90);
    EXPECT_EQ(linesBetween({2610, 4230}, {2610, 870}).value(0).style.lineStyle, draw::Dot);
    EXPECT_EQ(linesBetween({2610, 4230}, {2610, 4260}).value(0).style.lineStyle, draw::Solid);
    EXPECT_EQ(texts(QStringLiteral("700")).value(0).style.textAlign, 2);
    const DrawObject d1 = disc({1770, 1710});
    EXPECT_EQ(d1.style.fillColor, grey(127)); // (50 / 100 + 150 / 300) / 2
    EXPECT_EQ(d1.style.lineColor, grey(127));
    EXPECT_EQ(ellipsesAt(around({1770, 1710}, 90)).value(1).style.fill, draw::FillMode::None);
    EXPECT_EQ(disc({2610, 3390}).style.fillColor, grey(242)); // (20 x 0.5 / 100 + 0) / 2
}

TEST_F(MapPage, ShadeAndLabelFollowTheMeanOfTheColumnsRatios) {
    using R = std::pair<draw::Long, QString>;
    // Two columns: the mean of value / scale maximum, the whole per cent in single precision.
    EXPECT_EQ(shadeAndLabel({"50", "150"}), R(grey(127), " 50%"));
    EXPECT_EQ(shadeAndLabel({"29", "87"}), R(grey(181), " 29%")); // 0.29 x 100 is 29, not 28
    EXPECT_EQ(shadeAndLabel({"180", "540"}), R(grey(0), " 100%")); // 1.8 is held to 1
    EXPECT_EQ(shadeAndLabel({"-", "ND"}), R(grey(255), " 0%"));
    EXPECT_EQ(shadeAndLabel({"-10", "0"}), R(grey(255), "-5%"));

    // One column: the text as the file holds it.
    setMap({1});
    EXPECT_EQ(shadeAndLabel({"<5", "300"}), R(grey(248), "<5")); // 5 x 0.5 / 100
    EXPECT_EQ(shadeAndLabel({"-", "300"}), R(grey(255), "-"));
    EXPECT_EQ(shadeAndLabel({"250", "0"}), R(grey(0), "250"));
}

TEST_F(MapPage, ColumnsThatCannotBeWeighedCountNothing) {
    GwGraph& g = gwgraph();
    using R = std::pair<draw::Long, QString>;
    // Column numbers outside the table are left out of the frame, the mean and the label.
    setMap({0, 2, 15});
    EXPECT_EQ(shadeAndLabel({"50", "150"}), R(grey(127), "150"));
    int framed = 0;
    for (const DrawObject& o : ofKind(draw::Rectangle))
        if (frameOf(o).top() == 282 || frameOf(o).top() == 288) ++framed;
    EXPECT_EQ(framed, 2); // column 2's double frame only

    // A scale maximum not above 0 counts its column 0.
    g.ParScaleMax[1] = QStringLiteral("0");
    setMap({1, 2});
    EXPECT_EQ(shadeAndLabel({"50", "150"}), R(grey(191), " 25%"));
    g.ParScaleMax[1] = QStringLiteral("-100");
    EXPECT_EQ(shadeAndLabel({"50", "150"}), R(grey(191), " 25%"));

    // A map without a usable column is white.
    setMap({12});
    EXPECT_EQ(shadeAndLabel({"50", "150"}), R(grey(255), " 0%"));
    setMap({});
    EXPECT_EQ(shadeAndLabel({"50", "150"}), R(grey(255), " 0%"));
}

TEST_F(MapPage, AxisTicksAndTheFallbackForAnAxisThatCannotBeDrawn) {
    GwGraph& g = gwgraph();
    // The grid lines up the map: the X ticks.
    const auto xTicks = [] {
        QList<int> xs;
        for (const DrawObject& o : ofKind(draw::Line))
            if (o.y1 == 4230 && o.y2 == 870 && o.x1 == o.x2) xs << o.x1;
        return xs;
    };
    const auto tickLabels = [] {
        QStringList found;
        for (const DrawObject& o : ofKind(draw::Text))
            if (o.y1 == 4290) found << o.text;
        return found;
    };

    g.MapXStart = 0;
    g.MapXEnd = 100;
    g.MapXInc = 10;
    newPage();
    drawdatesummaps();
    QList<int> expected;
    for (int i = 0; i <= 10; ++i) expected << int(std::nearbyint(930 + 336 * i)); // 0.56 inch apart
    EXPECT_EQ(xTicks(), expected);
    EXPECT_EQ(tickLabels(),
              QStringList({"0", "10", "20", "30", "40", "50", "60", "70", "80", "90", "100"}));

    // An increment that does not divide the range stops at the last tick inside it.
    g.MapXInc = 30;
    newPage();
    drawdatesummaps();
    EXPECT_EQ(tickLabels(), QStringList({"0", "30", "60", "90"}));

    // No range, no increment, or too many ticks: 0 to 100 by 10, with the sources placed on it.
    const float broken[][3] = {{0, 0, 10}, {100, 50, 10}, {0, 100, 0}, {0, 100, -10}, {0, 1000, 1}};
    for (const auto& axis : broken) {
        g.MapXStart = axis[0];
        g.MapXEnd = axis[1];
        g.MapXInc = axis[2];
        newPage();
        drawdatesummaps();
        EXPECT_EQ(xTicks(), expected) << axis[0] << "," << axis[1] << "," << axis[2];
        EXPECT_EQ(tickLabels().size(), 11);
        // MW-2 at x 500 lies beyond 100: 28 inches across, off the sheet, so it is left out.
        EXPECT_TRUE(texts(QStringLiteral("MW-2")).isEmpty());
    }
    g.MapYInc = 0;
    g.MapXEnd = 1000;
    g.MapXInc = 500;
    newPage();
    drawdatesummaps();
    QList<int> ys;
    for (const DrawObject& o : ofKind(draw::Line))
        if (o.x1 == 930 && o.x2 == 4290 && o.y1 == o.y2) ys << o.y1;
    EXPECT_EQ(ys.size(), 11);
    EXPECT_EQ(ys.first(), 4230);
    EXPECT_EQ(ys.last(), 870);
}

TEST_F(MapPage, RadiusMultiplierAndLabelPlaces) {
    GwGraph& g = gwgraph();
    for (float mult : {0.0f, -1.0f}) {
        g.MapRadiusMult = mult;
        newPage();
        drawdatesummaps();
        EXPECT_EQ(ellipsesAt(around({1770, 1710}, 90)).size(), 2) << mult; // 0.15 inch
    }
    g.MapRadiusMult = 2;
    newPage();
    drawdatesummaps();
    EXPECT_EQ(ellipsesAt(around({1770, 1710}, 180)).size(), 2); // 0.3 inch
    // Above: r + 0.27 over the centre; below: r + 0.08 under it; the value 0.15 lower.
    EXPECT_EQ(anchorOf(QStringLiteral("MW-1")), QPoint(1770, 1710 - 342));
    EXPECT_EQ(anchorOf(QStringLiteral(" 50%")), QPoint(1770, 1710 - 342 + 90));
    EXPECT_EQ(anchorOf(QStringLiteral("MW-2")), QPoint(2610, 3390 + 228));
    EXPECT_EQ(anchorOf(QStringLiteral(" 5%")), QPoint(2610, 3390 + 318));
}

TEST_F(MapPage, ASourceOffTheSheetIsLeftOutAndTheOthersStayInPlace) {
    GwGraph& g = gwgraph();
    g.ItemSourceCount = 0;
    addSource("MW-1", true, 250, 950, {"50", "150"});
    addSource("FAR", false, -2000, 950, {"50", "150"}); // 11.2 inches left of the map
    addSource("MW-2", false, 500, 450, {"<20", "-"});
    drawdatesummaps();
    EXPECT_TRUE(texts(QStringLiteral("FAR")).isEmpty());
    EXPECT_EQ(ofKind(draw::Ellipse).size(), 4);
    EXPECT_EQ(anchorOf(QStringLiteral("MW-2")), QPoint(2610, 3528));
    // A source off the map but on the sheet is still drawn where it lies.
    g.RunSourceX[2] = -100;
    newPage();
    drawdatesummaps();
    EXPECT_EQ(anchorOf(QStringLiteral("FAR")), QPoint(930 - 336, 1710 + 138));
}

TEST_F(MapPage, TwentySixNotesShowTwentyFiveAndTheBodyStaysInPlace) {
    GwGraph& g = gwgraph();
    g.RunItemNotes.clear();
    for (int i = 1; i <= 26; ++i) g.RunItemNotes[i] = QStringLiteral("Note %1").arg(i);
    g.RunItemNoteCount = 26;
    drawdatesummaps();
    EXPECT_EQ(anchorOf(QStringLiteral("Note 25")), at(7.4, -0.6 - 0.12 * 24));
    EXPECT_TRUE(texts(QStringLiteral("Note 26")).isEmpty());
    EXPECT_EQ(anchorOf(QStringLiteral("Chloride")), at(1.3, -0.14));
    EXPECT_EQ(anchorOf(QStringLiteral("MW-1")), QPoint(1770, 1458));
    EXPECT_TRUE(ui_.texts.isEmpty());
}

// ---- groundwater elevation page

namespace {

class GWElevPage : public PageBody {
protected:
    void SetUp() override {
        PageBody::SetUp();
        HeadingLogo& h = headinglogo();
        const char* texts[] = {"", "SOURCE", "Ref", "Elevation", "Dates", "", "Water", "Depth",
                               "Water.", "Elev.", "NOTES", "Groundwater Elevation"};
        for (int i = 1; i <= 11; ++i) h.HeadingLines[i] = QString::fromLatin1(texts[i]);
        GwGraph& g = gwgraph();
        g.ReportTitles[5] = QStringLiteral("Source Set 1 of 1");
        g.GWElevIsElevation = 0;
        g.GWUnits = QStringLiteral("ft");
        setScale(100, 139, 13);
        g.ItemSourceCount = 0;
        addSource("MW-1", 118.5f, {{"03/15/1997", "12.5"}, {"09/20/1997", "12.0"}, {"11/25/1997", "-"},
                                   {"01/10/1998", "11.5"}, {"03/15/1998", "11.0"}});
        addSource("MW-2", 117.25f, {{"06/01/1998", "10.0"}, {"08/01/1998", "11.0"}});
    }

    static void setScale(int low, int high, int step) {
        GwGraph& g = gwgraph();
        g.GWScaleLow = int16_t(low);
        g.GWScaleHigh = int16_t(high);
        g.GWScaleStep = int16_t(step);
    }

    // As the reader stores a source: depths turned into elevations, a text without a number missing.
    static void addSource(const char* name, float ref, const QList<std::pair<QString, QString>>& readings) {
        GwGraph& g = gwgraph();
        const int j = ++g.ItemSourceCount;
        g.GWSourceName[j] = QString::fromLatin1(name);
        g.GWRefElev[j] = ref;
        g.GWRecordCount[j] = int16_t(readings.size());
        g.GWDate[j].clear();
        g.GWValueText[j].clear();
        g.GWValue[j].clear();
        g.GWMissing[j].clear();
        for (int r = 1; r <= readings.size(); ++r) {
            const QString& text = readings[r - 1].second;
            bool number = false;
            const float v = text.toFloat(&number);
            g.GWDate[j][r] = readings[r - 1].first;
            g.GWValueText[j][r] = text;
            g.GWMissing[j][r] = !number;
            g.GWValue[j][r] = number ? (g.GWElevIsElevation == 1 ? v : ref - v) : 0;
        }
    }

    // Readings on the 15th of each month from a start, one a month.
    static QList<std::pair<QString, QString>> monthly(int month, int year, int count, double value) {
        QList<std::pair<QString, QString>> list;
        for (int i = 0; i < count; ++i) {
            const int m = (month - 1 + i) % 12 + 1, y = year + (month - 1 + i) / 12;
            list.append({QStringLiteral("%1/15/%2").arg(m, 2, 10, QChar(u'0')).arg(y), QString::number(value)});
        }
        return list;
    }

    // The graph's quarter bands: polygons, left to right.
    static QList<DrawObject> bands() {
        QList<DrawObject> found = ofKind(draw::Polygon);
        found.erase(std::remove_if(found.begin(), found.end(),
                                   [](const DrawObject& o) { return boundsOf(o).top() != 2010; }),
                    found.end());
        return found;
    }

    // The value labels left of the graph, bottom first.
    static QStringList valueLabels() {
        QStringList found;
        for (const DrawObject& o : ofKind(draw::Text))
            if (o.x1 == 660 && o.style.textAlign == 2) found << o.text;
        return found;
    }

    // Lines of the readings: inside the graph, neither vertical nor level.
    static QList<DrawObject> joins() {
        QList<DrawObject> found;
        for (const DrawObject& o : ofKind(draw::Line))
            if (o.y1 != o.y2 && o.x1 != o.x2 && std::min(o.y1, o.y2) > 2010 && o.style.lineWidth != 0) {
                const QRect f = frameOf(o);
                if (f.width() > 60) found << o; // triangle sides are shorter
            }
        return found;
    }
};

} // namespace

TEST_F(GWElevPage, PageMatchesItsHandCheckedDump) {
    drawgwelev();
    shootPage(QStringLiteral("gwelev_page"));
    EXPECT_TRUE(matchesGoldenPage(pageDrawing(), QStringLiteral("gwelev_page")));

    // The dump pins every position; what it shows less plainly is checked here.
    EXPECT_EQ(linesBetween({270, 630}, {1365, 630}).value(0).style.lineStyle, draw::Dot);
    EXPECT_EQ(linesBetween({1365, 270}, {1365, 1920}).value(0).style.lineWidth, 12);
    EXPECT_EQ(linesBetween({2460, 270}, {2460, 1920}).value(0).style.lineWidth, 12);
    EXPECT_EQ(anchorsOf(QStringLiteral("-")), QList<QPoint>({{930, 1065}, {1208, 1065}}));
    const QList<DrawObject> quarter = bands();
    ASSERT_EQ(quarter.size(), 8);
    const draw::Long shades[] = {grey(255), grey(233), grey(212), grey(191)};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(quarter[i].style.fillColor, shades[i % 4]) << i;
    const DrawObject axis = texts(QStringLiteral("Groundwater Elevation (ft)")).value(0);
    EXPECT_EQ(axis.style.textAngle, 90);
    EXPECT_DOUBLE_EQ(axis.style.textHeight, -600.0 * 10 / 72);
    EXPECT_EQ(valueLabels(), QStringList({" 100", " 113", " 126", " 139"}));
    EXPECT_EQ(linesBetween({750, 3570}, {4530, 3570}).value(0).style.lineStyle, draw::Dot);

    // Readings: a broken join over 185 days, a break at the missing reading, a solid join.
    EXPECT_EQ(linesBetween({1133, 3990}, {2089, 3960}).value(0).style.lineStyle, draw::Dash);
    EXPECT_EQ(linesBetween({2089, 3960}, {2684, 3930}).size(), 0);
    EXPECT_EQ(linesBetween({2684, 3930}, {3020, 3900}).value(0).style.lineStyle, draw::Solid);
    for (QPoint p : {QPoint(1133, 3990), QPoint(2089, 3960), QPoint(2684, 3930), QPoint(3020, 3900)})
        EXPECT_EQ(ellipsesAt(around(p, 24)).size(), 1) << p.x();
    EXPECT_EQ(linesBetween({3413, 3915}, {3723, 3975}).value(0).style.lineStyle, draw::Solid);
    EXPECT_EQ(joins().size(), 3);
}

TEST_F(GWElevPage, DateAxisSpansTheYearsOfEveryReading) {
    GwGraph& g = gwgraph();
    g.ItemSourceCount = 0;
    addSource("MW-1", 118.5f, monthly(3, 1997, 28, 12)); // March 1997 to June 1999
    drawgwelev();
    const QList<DrawObject> quarter = bands();
    ASSERT_EQ(quarter.size(), 12);
    const draw::Long shades[] = {grey(255), grey(233), grey(212), grey(191)};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(quarter[i].style.fillColor, shades[i % 4]) << i;
    // Each year is 2.1 inches; its label under its middle.
    EXPECT_EQ(anchorOf(QStringLiteral("1997")), at(0.8 + 1.05, -6.9));
    EXPECT_EQ(anchorOf(QStringLiteral("1998")), at(0.8 + 3.15, -6.9));
    EXPECT_EQ(anchorOf(QStringLiteral("1999")), at(0.8 + 5.25, -6.9));
    EXPECT_TRUE(texts(QStringLiteral("2000")).isEmpty());

    // The first source without readings, the second in 2002 alone: the third's years widen the
    // axis, and every point lies inside.
    g.ItemSourceCount = 0;
    addSource("MW-1", 118.5f, {});
    addSource("MW-2", 117, {{"06/15/2002", "12"}});
    addSource("MW-3", 117, {{"12/31/2001", "10"}, {"01/01/2003", "10"}});
    newPage();
    drawgwelev();
    EXPECT_EQ(bands().size(), 12);
    EXPECT_EQ(anchorOf(QStringLiteral("2001")), at(0.8 + 1.05, -6.9));
    EXPECT_EQ(anchorOf(QStringLiteral("2003")), at(0.8 + 5.25, -6.9));
    // The third source's readings, a year apart, are joined by a broken level line in the frame.
    int inside = 0;
    for (const DrawObject& o : ofKind(draw::Line))
        if (o.y1 == 3930 && o.y2 == 3930 && o.x1 > 750 && o.x2 < 4530) {
            EXPECT_EQ(o.style.lineStyle, draw::Dash);
            ++inside;
        }
    EXPECT_EQ(inside, 1);
    EXPECT_TRUE(ui_.texts.isEmpty());
}

TEST_F(GWElevPage, JoinsBreakAfter150DaysAndAtAMissingReading) {
    GwGraph& g = gwgraph();
    g.ItemSourceCount = 0;
    // 200 days, then 100 days, then a missing reading, then two more.
    addSource("MW-1", 118.5f, {{"01/01/1998", "12"}, {"07/20/1998", "12"}, {"10/28/1998", "13"},
                               {"11/15/1998", "dry"}, {"12/01/1998", "12"}, {"12/20/1998", "13"}});
    drawgwelev();
    QList<DrawObject> lines;
    for (const DrawObject& o : ofKind(draw::Line))
        if (o.x1 != o.x2 && o.x1 >= 750 && o.x2 < 4530 && o.y1 >= 3900 && o.y1 <= 4050 && o.y2 >= 3900 &&
            o.y2 <= 4050 && std::abs(o.x2 - o.x1) > 60)
            lines << o;
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].x1, 750);                      // 1 January on the left edge
    EXPECT_EQ(lines[0].style.lineStyle, draw::Dash);  // 200 days
    EXPECT_EQ(lines[1].style.lineStyle, draw::Solid); // 100 days
    EXPECT_EQ(lines[2].style.lineStyle, draw::Solid); // after the break, a new line of two
    EXPECT_GT(lines[2].x1, lines[1].x2);              // nothing spans the missing reading
    EXPECT_EQ(ofKind(draw::Ellipse).size(), 1 + 5);   // the table's symbol and five points
    // The missing reading reads "-" in the elevation column, its text in the depth column.
    EXPECT_EQ(anchorOf(QStringLiteral("dry")), QPoint(930, 885 + 3 * 90));
    EXPECT_EQ(anchorOf(QStringLiteral("-")), QPoint(1208, 885 + 3 * 90));
}

TEST_F(GWElevPage, TableShowsTheLastTwelveReadingsAndTheGraphAll) {
    GwGraph& g = gwgraph();
    g.ItemSourceCount = 0;
    addSource("MW-1", 118.5f, monthly(1, 1998, 20, 12));
    drawgwelev();
    EXPECT_TRUE(texts(QStringLiteral("08/15/1998")).isEmpty()); // reading 8
    EXPECT_EQ(anchorOf(QStringLiteral("09/15/1998")), QPoint(540, 885));
    EXPECT_EQ(anchorOf(QStringLiteral("08/15/1999")), QPoint(540, 885 + 11 * 90));
    EXPECT_EQ(anchorsOf(QStringLiteral("106.5")).size(), 12);
    EXPECT_EQ(ofKind(draw::Ellipse).size(), 1 + 20);

    // Elevation data: "-" in every depth cell, the value itself as elevation.
    g.GWElevIsElevation = 1;
    g.ItemSourceCount = 0;
    addSource("MW-1", 118.5f, {{"01/15/1998", "106.5"}, {"02/15/1998", "-"}});
    newPage();
    drawgwelev();
    EXPECT_EQ(anchorsOf(QStringLiteral("-")), QList<QPoint>({{930, 885}, {930, 975}, {1208, 975}}));
    EXPECT_EQ(anchorOf(QStringLiteral("106.5")), QPoint(1208, 885));
}

TEST_F(GWElevPage, ValueScaleFallsBackToTheDefaultForAnyScaleItCannotDraw) {
    const QStringList fallback = {" 100", " 150", " 200", " 250", " 300", " 350", " 400", " 450", " 500"};
    const int cases[][3] = {{0, 50, 5},    {0, 0, 0},    {250, 0, 0},   {200, 100, 10},
                            {100, 100, 5}, {100, 500, 0}, {100, 500, -5}, {100, 20000, 1}};
    for (const auto& c : cases) {
        setScale(c[0], c[1], c[2]);
        newPage();
        drawgwelev();
        EXPECT_EQ(valueLabels(), fallback) << c[0] << "," << c[1] << "," << c[2];
    }
    setScale(100, 120, 5);
    newPage();
    drawgwelev();
    EXPECT_EQ(valueLabels(), QStringList({" 100", " 105", " 110", " 115", " 120"}));
    setScale(-20, 10, 10);
    newPage();
    drawgwelev();
    EXPECT_EQ(valueLabels(), QStringList({"-20", "-10", " 0", " 10"}));
    EXPECT_TRUE(ui_.texts.isEmpty()); // no scale ends the page in an error
}

TEST_F(GWElevPage, ReadingsBeyondTheScaleStandOnTheGraphsEdge) {
    // Elevations in metres on a typed scale 45 to 50, and on "45,50,0.5", which the run reads as
    // 45, 50, 0 and draws 100 to 500. The graph runs from y 4350 (bottom) to 2010 (top).
    gwgraph().GWElevIsElevation = 1;
    gwgraph().ItemSourceCount = 0;
    addSource("MW-1", 52.f, {{"01/15/1998", "40"}, {"04/15/1998", "47"}, {"07/15/1998", "60"}});
    for (const auto& [step, ys] : {std::pair{1, QList<int>{4350, 3414, 2010}}, std::pair{0, QList<int>(3, 4350)}}) {
        setScale(45, 50, step);
        newPage();
        drawgwelev();
        QList<int> centres;
        for (const DrawObject& o : ofKind(draw::Ellipse))
            if (o.y1 > 1950) centres << (o.y1 + o.y2) / 2; // the graph's, not the table's symbol
        EXPECT_EQ(centres, ys) << step;
    }
}

TEST_F(GWElevPage, ASetWithoutReadingsDrawsBlocksAndFrameWithoutBands) {
    GwGraph& g = gwgraph();
    g.ItemSourceCount = 0;
    addSource("MW-1", 118.5f, {});
    addSource("MW-2", 117, {{"no date", "10"}});
    drawgwelev();
    EXPECT_TRUE(bands().isEmpty());
    EXPECT_EQ(anchorsOf(QStringLiteral("SOURCE")).size(), 2);
    QList<QRect> frames;
    for (const DrawObject& o : ofKind(draw::Rectangle)) frames << frameOf(o);
    EXPECT_TRUE(frames.contains(QRect(QPoint(750, 2010), QPoint(4530, 4350))));
    EXPECT_EQ(valueLabels().size(), 4);
    EXPECT_EQ(ofKind(draw::Ellipse).size(), 1); // MW-1's table symbol only
    EXPECT_TRUE(ui_.texts.isEmpty());
}

TEST_F(GWElevPage, FourSourcesEachWithTheirSymbolAndNoThickRuleAfterTheLast) {
    GwGraph& g = gwgraph();
    g.ItemSourceCount = 0;
    for (const char* name : {"MW-1", "MW-2", "MW-3", "MW-4", "MW-5"})
        addSource(name, 118.5f, {{"06/15/1998", "12"}});
    drawgwelev();
    // Table symbols 0.32 right of the name's centre, 0.02 below it; graph symbols at the reading.
    const int xs[] = {732, 1827, 2922, 4017};
    EXPECT_EQ(ellipsesAt(around({xs[0], 552}, 30)).size(), 1);
    EXPECT_EQ(ellipsesAt(around({xs[2], 552}, 30)).value(0).style.fill, draw::FillMode::Solid);
    EXPECT_EQ(ellipsesAt(around({xs[0], 552}, 30)).value(0).style.fill, draw::FillMode::None);
    // Source 2's triangle outline: three lines round (1827, 552); source 4's filled triangle.
    const double w = 0.866 * 0.06 * 600;
    EXPECT_EQ(linesBetween({int(std::nearbyint(xs[1] + w)), 570}, {int(std::nearbyint(xs[1] - w)), 570}).size(), 1);
    const QList<DrawObject> polys = ofKind(draw::Polygon);
    int triangles = 0;
    for (const DrawObject& o : polys)
        if (o.vertices.size() == 3) ++triangles;
    EXPECT_EQ(triangles, 2); // table and graph symbol of source 4
    EXPECT_EQ(linesBetween({3555, 270}, {3555, 1920}).value(0).style.lineWidth, 12);
    EXPECT_TRUE(linesBetween({4650, 270}, {4650, 1920}).isEmpty() ||
                linesBetween({4650, 270}, {4650, 1920}).value(0).style.lineWidth != 12);
    // A fifth source has no block, no column and no symbol on the page.
    EXPECT_TRUE(texts(QStringLiteral("MW-5")).isEmpty());
    EXPECT_EQ(anchorsOf(QStringLiteral("SOURCE")).size(), 4);
}
