// SPDX-License-Identifier: GPL-3.0-or-later
// The time-series graphs of the source and parameter summary pages.
//
// Pages are 11 by 8.5 inches without margin offsets, so the page origin is the sheet point
// (270, 270) and an inch position (X, Y) from it is the sheet point (270 + 600 X, 270 - 600 Y).
// Most checks draw one graph alone with its box's lower left corner at (0.55, -2.0): the box runs
// from (600, 1470) to (1620, 570), the axis base 0.05 up is y 1440, and a height h above the base
// is y 1440 - 600 h. Ticks run from x 600 to 570, labels end at 540 (logarithmic exponents at 570,
// 30 units higher), grid lines to 1620 (dotted, width 1), captions are centred on x 1110.
//
// tests/data/pages/graph_linear.dump was checked line by line against these numbers for the
// scale "0,10,3", standard 8 and the records of linearRecords() with a "<" factor of .5:
//   ticks 0, 3, 6, 9 at heights 0, .42, .84, 1.26: y 1440, 1188, 936, 684; the units 0.2 above 1.26
//   would sit on the box's top (1.45, y 570), so the captions stand over the end 1.4: "Chloride"
//   1.75: y 390, "(mg/L)" 1.6: y 480; the standard 8 at 1.12: y 768 on x 1620, its
//   stroke to 1680 and the diamond through 1650,738 1680,768 1650,798;
//   dates 01/15/1998 to 04/15/1999 span 455 days (DTN 72931.5 to 72977): 07/15/1998 lies 180 days
//   in, x 600 + 180 x 1020 / 455 = 1003.5 -> 1004, 01/15/1999 365 days in, 1418.2 -> 1418, the last
//   on 1620; values 4 -> y 1104, the pair "<2" and "12" -> mean of 1 and 10 (held), 5.5 -> y 978,
//   "15" held to 10 -> y 600, "-2" held to 0 -> y 1440; line 600,1104 -> 1004,978 -> 1418,600 ->
//   1620,1440; circles of 12 units on every record with a value at its own point (the "<2" at 1,
//   y 1356; the "12" at 10, y 600); year end 12/31/1998 (DTN 72966.1) is 346 days in: the label
//   '98 at 173 days, x 987.8 -> 988, y 1530 (0.1 below the box), the year line at x 1375.6 -> 1376
//   from 1470 up to 570; L2 = 365 - (73002.6 - 72977) x 10 = 109, so '99 at 400.5 days, x 1498.
// tests/data/pages/graph_log.dump likewise for the scale "LOG", standard 300 and logRecords():
//   ticks at exponents 0 to 5, 168 units apart: y 1440, 1272, 1104, 936, 768, 600, "10" at 540 in
//   8 points and the exponent at (570, y - 30) in 6 points; "Iron" 1.75 above the base: y 390,
//   "(ug/L)" 1.6: y 480; the standard at log10(300) x 0.28 = .6936: y 1023.8 -> 1024; dates
//   03/01/2000 to 12/01/2000 span 270 days: 06/01 at 90 days, x 940, 09/01 at 180, x 1280; values
//   .5 held to 1 -> y 1440, 1000 -> y 936, "<20" x .5 = 10 -> y 1272, 250000 held to 100000 ->
//   y 600; one year: the label '00 at the middle, x 1110, y 1530, and no year line.
// Set QMAR_PAGE_SHOTS to a folder to get the whole pages drawn here as PNG files.
#include "drawcmd/pagecanvas.h"
#include "platform/dates.h"
#include "platform/drawing/drawrender.h"
#include "project/modgw.h"
#include "reportdefs/headings.h"
#include "reports/gwgraph.h"
#include "reports/pages.h"
#include "reports/pages/summarybodies.h"
#include "pagefixture.h"
#include "support/golden.h"
#include "support/programstate.h"
#include "support/scriptedui.h"

#include <QDate>
#include <QDir>
#include <QPoint>
#include <QStringList>
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

// Readable texts in failure messages.
static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

constexpr int BoxLeft = 600;
constexpr int BoxBottom = 1470;
constexpr int BoxTop = 570;
constexpr int Base = 1440;
constexpr int ColumnX = 4650; // the right-hand column, with the legend, starts here

class SummaryGraphs : public ProgramStateTest {
protected:
    void SetUp() override {
        ModGW& mg = modgw();
        mg.ThickDashedLines = QStringLiteral("0");
        mg.DefaultFont = QStringLiteral("Arial");
        mg.DateStampOption = QStringLiteral("0");
        mg.LessThanFactor = QStringLiteral(".5");
        qdate::SetDayFirst(0);
        newPage();
    }

    // Records of the current source, dates as the graph page leaves them (10 characters).
    void records(const std::vector<std::pair<QString, QString>>& dateValue, int slot = 2) {
        auto& g = ws;
        g.ItemName = QStringLiteral("MW-1");
        g.RecordCount = int16_t(dateValue.size());
        for (int r = 1; r <= g.RecordCount; ++r) {
            g.RecordDates[r] = dateValue[r - 1].first;
            g.RecordValues[r][slot] = dateValue[r - 1].second;
        }
    }
    void slot(int k, const QString& scale, const QString& standard = {}, const QString& label = {},
              const QString& units = {}) {
        auto& g = ws;
        const QStringList parts = scale.split(u',');
        for (int i = 1; i <= 3; ++i)
            g.SlotScale[k][i] = parts.value(i - 1);
        g.SlotStandard[k] = standard;
        g.SlotLabel[k] = label;
        g.SlotUnits[k] = units;
    }
    // One graph alone, its box's lower left corner at (0.55, -2.0), as the page hands it over.
    void drawOne(int k = 2) {
        PageCanvas& c = pageCanvas();
        c.Z(0.7f, 7.8f);
        c.SH(1);
        c.SV(1);
        c.S(0.55f, -2.0f);
        drawWellSumGraphBox(c, {ws, ws, 0, RunPageContext()}, k, 0.55f, -2.0f);
    }

    void linearRecords() {
        records({{"01/15/1998", "4"},
                 {"04/15/1998", "-"},
                 {"07/15/1998", "<2"},
                 {"07/15/1998", "12"},
                 {"10/15/1998", ""},
                 {"01/15/1999", "15"},
                 {"04/15/1999", "-2"}});
    }
    void logRecords() {
        records(
            {{"03/01/2000", ".5"}, {"06/01/2000", "1000"}, {"09/01/2000", "<20"}, {"12/01/2000", "250000"}},
            3);
    }

    static int count() { return pageDrawing().count(); }
    static const draw::DrawObject& obj(int i) { return pageDrawing().at(i); }
    static QString seg(const draw::DrawObject& o) {
        return QStringLiteral("%1,%2-%3,%4").arg(o.x1).arg(o.y1).arg(o.x2).arg(o.y2);
    }
    // Lines of a pen style, as "x1,y1-x2,y2".
    static QStringList lines(int style) {
        QStringList out;
        for (int i = 0; i < count(); ++i)
            if (obj(i).kind == draw::Line && obj(i).style.lineStyle == style) out << seg(obj(i));
        return out;
    }
    // The solid lines of the graphs that are neither ticks (ending 30 to the left), year lines (900
    // up) nor standard markers (within 60 right of a box's right edge): the series lines.
    static QStringList seriesLines() {
        QStringList out;
        for (int i = 0; i < count(); ++i) {
            const draw::DrawObject& o = obj(i);
            if (o.kind != draw::Line || o.style.lineStyle != draw::Solid) continue;
            const int left = std::min(o.x1, o.x2), right = std::max(o.x1, o.x2);
            if (right >= ColumnX) continue;
            const bool tick = o.y1 == o.y2 && o.x2 == o.x1 - 30;
            const bool yearLine = o.x1 == o.x2 && o.y1 - o.y2 == 900;
            bool marker = false;
            for (const int edge : {1620, 3060, 4500})
                marker = marker || (left >= edge && right > edge && right <= edge + 60);
            if (!tick && !yearLine && !marker) out << seg(o);
        }
        return out;
    }
    static QStringList yearLines() {
        QStringList out;
        for (int i = 0; i < count(); ++i)
            if (obj(i).kind == draw::Line && obj(i).x1 == obj(i).x2 && obj(i).y1 - obj(i).y2 == 900)
                out << QString::number(obj(i).x1);
        return out;
    }
    static QList<QPoint> circles() {
        QList<QPoint> out;
        for (int i = 0; i < count(); ++i)
            if (obj(i).kind == draw::Ellipse && obj(i).x2 < ColumnX)
                out << QPoint((obj(i).x1 + obj(i).x2) / 2, (obj(i).y1 + obj(i).y2) / 2);
        return out;
    }
    static QList<QRect> boxes() {
        QList<QRect> out;
        for (int i = 0; i < count(); ++i)
            if (obj(i).kind == draw::Rectangle && obj(i).x2 - obj(i).x1 == 1020)
                out << QRect(QPoint(obj(i).x1, obj(i).y2), QPoint(obj(i).x2, obj(i).y1));
        return out;
    }
    // Texts of a size (points), as "text@x,y".
    static QStringList texts(double points, int align) {
        QStringList out;
        for (int i = 0; i < count(); ++i) {
            const draw::DrawObject& o = obj(i);
            if (o.kind == draw::Text && qFuzzyCompare(-o.style.textHeight, points * 600 / 72) &&
                o.style.textAlign == align)
                out << QStringLiteral("%1@%2,%3").arg(o.text).arg(o.x1).arg(o.y1);
        }
        return out;
    }

    PageValues<WellSumRun, WellSumItem> ws;
    PageValues<ParSumRun, ParSumItem> ps;
    ScriptedUi ui; // any box fails the test: ordinary data never ends a page in an error
};

QStringList at(const QStringList& labels, int x, const std::vector<int>& ys) {
    QStringList out;
    for (size_t i = 0; i < ys.size(); ++i)
        out << QStringLiteral("%1@%2,%3").arg(labels[qsizetype(i)]).arg(x).arg(ys[i]);
    return out;
}

} // namespace

TEST_F(SummaryGraphs, LinearGraphPlacesTicksCaptionsStandardLineCirclesAndYears) {
    slot(2, QStringLiteral("0,10,3"), QStringLiteral("8"), QStringLiteral("Chloride"),
         QStringLiteral("mg/L"));
    linearRecords();
    drawOne();
    EXPECT_TRUE(matchesGoldenPage(pageDrawing(), QStringLiteral("graph_linear")));

    EXPECT_EQ(boxes(), QList<QRect>({QRect(QPoint(BoxLeft, BoxTop), QPoint(1620, BoxBottom))}));
    // "0,10,3": four ticks. Units 0.2 above the tick 9 would sit on the box's top (570), so label
    // and units stand over the scale's end instead: 0.3 and 0.15 above the box.
    EXPECT_EQ(texts(8, 2), at({"0", "3", "6", "9"}, 540, {1440, 1188, 936, 684}));
    EXPECT_EQ(lines(draw::Dot), QStringList({"600,1440-1620,1440", "600,1188-1620,1188", "600,936-1620,936",
                                             "600,684-1620,684"}));
    EXPECT_EQ(texts(10, 1), QStringList({"Chloride@1110,390", "(mg/L)@1110,480"}));
    // Gaps are bridged; the same-date pair makes one point; values are held to the range.
    EXPECT_EQ(seriesLines(), QStringList({"600,1104-1004,978", "1004,978-1418,600", "1418,600-1620,1440"}));
    // A circle on each record with a value, the pair's two apart.
    EXPECT_EQ(circles(), QList<QPoint>({{600, 1104}, {1004, 1356}, {1004, 600}, {1418, 600}, {1620, 1440}}));
    EXPECT_EQ(texts(7, 1), QStringList({"'98@988,1530", "'99@1498,1530"}));
    EXPECT_EQ(yearLines(), QStringList({"1376"}));
}

TEST_F(SummaryGraphs, LogarithmicTicksStandAtTheirExponentsWhereDataOfThatPowerPlot) {
    slot(3, QStringLiteral("LOG"), QStringLiteral("300"), QStringLiteral("Iron"), QStringLiteral("ug/L"));
    logRecords();
    drawOne(3);
    EXPECT_TRUE(matchesGoldenPage(pageDrawing(), QStringLiteral("graph_log")));

    const std::vector<int> ys = {1440, 1272, 1104, 936, 768, 600}; // 168 units apart
    EXPECT_EQ(texts(8, 2), at({"10", "10", "10", "10", "10", "10"}, 540, ys));
    EXPECT_EQ(texts(6, 2), at({"0", "1", "2", "3", "4", "5"}, 570, {1410, 1242, 1074, 906, 738, 570}));
    // A value of 10 (<20 times .5) plots on the tick 10^1, 1000 on 10^3.
    EXPECT_EQ(seriesLines(), QStringList({"600,1440-940,936", "940,936-1280,1272", "1280,1272-1620,600"}));
    EXPECT_EQ(texts(7, 1), QStringList({"'00@1110,1530"}));
    EXPECT_TRUE(yearLines().isEmpty());

    // Fewer exponents take the same places: 10^1 at 0.28 inch, not spread over the axis; exponents
    // beyond 5 are left out. The case of "log" does not matter.
    for (const auto& [scale, exponents] :
         {std::pair{QStringLiteral("LOG,3,1"), QStringList({"0", "1", "2", "3"})},
          std::pair{QStringLiteral("log,8,1"), QStringList({"0", "1", "2", "3", "4", "5"})},
          std::pair{QStringLiteral("Log,5,2"), QStringList({"0", "2", "4"})}}) {
        pageCanvas().NewDrawing();
        slot(3, scale, {}, QStringLiteral("Iron"));
        drawOne(3);
        std::vector<int> expected;
        for (const QString& e : exponents)
            expected.push_back(1410 - 168 * e.toInt());
        EXPECT_EQ(texts(6, 2), at(exponents, 570, expected)) << qPrintable(scale);
        // The label goes 0.35 above the highest tick drawn; above 10^4 (1.12 + 0.35 = 1.47) it would
        // sit on the box's top at 1.45, so it goes 0.35 above the scale's end, 10^5, instead.
        const draw::DrawObject* label = textObject(QStringLiteral("Iron"));
        ASSERT_NE(label, nullptr);
        const int over = exponents.last() == "4" ? 5 : exponents.last().toInt();
        EXPECT_EQ(label->y1, Base - 168 * over - 210) << qPrintable(scale);
    }
}

TEST_F(SummaryGraphs, ScalesThatCannotBeDrawnTakeZeroToFiveByOne) {
    records({{"05/05/2000", "2"}});
    // No end, no range, a falling range, no step, a negative step, and more ticks than fit.
    const QStringList scales = {",,", "0,0,1", "3,3,1", "10,0,2", "0,10,0", "0,10,-1", "0,1000,1", "0,10,"};
    for (const QString& scale : scales) {
        pageCanvas().NewDrawing();
        slot(2, scale, QStringLiteral("4"));
        drawOne();
        EXPECT_EQ(texts(8, 2), at({"0", "1", "2", "3", "4", "5"}, 540, {1440, 1272, 1104, 936, 768, 600}))
            << qPrintable(scale);
    }
    // A logarithmic scale without a step shows the full axis too.
    pageCanvas().NewDrawing();
    slot(2, QStringLiteral("LOG,5,0"));
    drawOne();
    EXPECT_EQ(texts(6, 2).size(), 6);
    // 100 ticks still fit.
    pageCanvas().NewDrawing();
    slot(2, QStringLiteral("0,99,1"));
    drawOne();
    EXPECT_EQ(texts(8, 2).size(), 100);
}

TEST_F(SummaryGraphs, StandardMarkersShowOnlyForStandardsOnTheAxis) {
    records({{"05/05/2000", "2"}});
    // The marker's stroke starts on the box's right edge at the standard's height.
    const auto markerY = [] {
        QList<int> ys;
        for (int i = 0; i < count(); ++i)
            if (obj(i).kind == draw::Line && obj(i).x1 == 1620 && obj(i).x2 == 1680) ys << obj(i).y1;
        return ys;
    };
    const struct {
        const char* scale;
        const char* standard;
        QList<int> ys;
    } cases[] = {
        {"0,10,2", "0", {}},          // no standard
        {"0,10,2", "", {}},           // none
        {"0,10,2", "12", {}},         // above the end
        {"0,10,2", "10", {600}},      // on the end
        {"0,10,2", "6.5-8.5", {894}}, // the leading number: 6.5 x 0.14 = .91
        {"5,9,.5", "3", {1860}},      // below a raised start: (3 - 5) x 1.4 / 4 = -.7, under the base
        {"LOG", "300", {1024}},       // log10(300) x .28
        {"LOG", ".5", {1440}},        // held to 1
        {"LOG", "100000", {600}},     // on the end
        {"LOG", "200000", {}},        // above the end
    };
    for (const auto& c : cases) {
        pageCanvas().NewDrawing();
        slot(2, QString::fromLatin1(c.scale), QString::fromLatin1(c.standard));
        drawOne();
        EXPECT_EQ(markerY(), c.ys) << c.scale << " / " << c.standard;
    }
}

TEST_F(SummaryGraphs, ValuesAreReadConvertedAndHeldToTheAxis) {
    // On "5,9,.5": 7 is 2 above the start, .7 up; "<20" with the factor .5 is 10, held to the top;
    // " 6" reads past its blank; a text with no number is 0, held to the base.
    slot(2, QStringLiteral("5,9,.5"));
    records({{"01/01/2001", "7"}, {"04/01/2001", "<20"}, {"07/01/2001", " 6"}, {"10/01/2001", "n/a"}});
    drawOne();
    QList<int> ys;
    for (const QPoint& p : circles())
        ys << p.y();
    EXPECT_EQ(ys, QList<int>({1020, 600, 1230, 1440}));

    // The factor is the leading number of its text; none makes a "<" value 0.
    pageCanvas().NewDrawing();
    modgw().LessThanFactor = QStringLiteral("x");
    slot(2, QStringLiteral("0,10,2"));
    records({{"01/01/2001", "<8"}, {"04/01/2001", "5"}});
    drawOne();
    EXPECT_EQ(circles(), QList<QPoint>({{600, 1440}, {1620, 1020}}));
}

TEST_F(SummaryGraphs, SameDateRecordsMergeByOneRule) {
    slot(2, QStringLiteral("0,20,5"));
    const auto linePointYs = [] {
        QList<int> ys;
        const QStringList segs = seriesLines();
        for (qsizetype i = 0; i < segs.size(); ++i) {
            const QStringList ends = segs[i].split(u'-');
            if (i == 0) ys << ends[0].section(u',', 1).toInt();
            ys << ends[1].section(u',', 1).toInt();
        }
        return ys;
    };
    // Factor .5: "10" and "<4" make 6 (.42 up), not the 5 of a "<" read as 0; "10" and "-" make 10.
    records({{"01/01/2001", "0"},
             {"03/01/2001", "10"},
             {"03/01/2001", "<4"},
             {"06/01/2001", "10"},
             {"06/01/2001", "-"},
             {"09/01/2001", "20"}});
    drawOne();
    EXPECT_EQ(linePointYs(), QList<int>({1440, 1188, 1020, 600}));
    // Circles stand for the records, not the points: five values, five circles.
    EXPECT_EQ(circles().size(), 5);

    // Three records on one date make two points there; a missing first one leaves the pair to the
    // next two.
    pageCanvas().NewDrawing();
    records({{"01/01/2001", "4"},
             {"01/01/2001", "8"},
             {"01/01/2001", "20"},
             {"06/01/2001", "-"},
             {"06/01/2001", "0"},
             {"06/01/2001", "4"}});
    drawOne();
    EXPECT_EQ(linePointYs(), QList<int>({1188, 600, 1356}));
}

TEST_F(SummaryGraphs, CirclesOnlyBelowFortyRecords) {
    slot(2, QStringLiteral("0,100,20"));
    for (const int n : {39, 40}) {
        pageCanvas().NewDrawing();
        std::vector<std::pair<QString, QString>> rs;
        for (int r = 0; r < n; ++r)
            rs.push_back({QDate(1995, 1, 15).addMonths(3 * r).toString(QStringLiteral("MM/dd/yyyy")),
                          QString::number(r * 2)});
        records(rs);
        drawOne();
        EXPECT_EQ(circles().size(), n < 40 ? n : 0) << n;
        EXPECT_EQ(seriesLines().size(), n - 1) << n;
    }
}

TEST_F(SummaryGraphs, YearAxisLabelsOneYearAndStaggersLongSpans) {
    slot(2, QStringLiteral("0,10,2"));
    // Within one year: one label under the middle, no year line.
    records({{"02/01/2001", "1"}, {"11/01/2001", "2"}});
    drawOne();
    EXPECT_EQ(texts(7, 1), QStringList({"'01@1110,1530"}));
    EXPECT_TRUE(yearLines().isEmpty());

    // 1990 to 1999: eight full years between, so the labels alternate 0.1 and 0.2 below the box,
    // the last one low as the count of full years is even; nine year lines.
    pageCanvas().NewDrawing();
    records({{"06/15/1990", "1"}, {"06/15/1999", "2"}});
    drawOne();
    const QStringList labels = texts(7, 1);
    ASSERT_EQ(labels.size(), 10);
    for (int i = 0; i < 10; ++i) {
        EXPECT_TRUE(labels[i].startsWith(QStringLiteral("'9%1@").arg(i))) << qPrintable(labels[i]);
        EXPECT_TRUE(labels[i].endsWith(i % 2 ? QStringLiteral(",1590") : QStringLiteral(",1530")))
            << qPrintable(labels[i]);
    }
    EXPECT_EQ(yearLines().size(), 9);

    // Six full years or fewer stay on one line.
    pageCanvas().NewDrawing();
    records({{"06/15/1990", "1"}, {"06/15/1997", "2"}});
    drawOne();
    for (const QString& l : texts(7, 1))
        EXPECT_TRUE(l.endsWith(QStringLiteral(",1530"))) << qPrintable(l);

    // Day-first dates find the ends of their years too.
    pageCanvas().NewDrawing();
    qdate::SetDayFirst(1);
    records({{"15/01/1998", "1"}, {"15/04/1999", "2"}});
    drawOne();
    EXPECT_EQ(texts(7, 1), QStringList({"'98@988,1530", "'99@1498,1530"}));
    EXPECT_EQ(yearLines(), QStringList({"1376"}));
}

TEST_F(SummaryGraphs, OneDayOrNoRecordsStillDrawTheGraph) {
    slot(2, QStringLiteral("0,10,2"), {}, QStringLiteral("pH"), QStringLiteral("units"));
    // One date: the points stand at the box's middle.
    records({{"05/05/2000", "4"}, {"05/05/2000", "6"}, {"05/05/2000", "2"}});
    drawOne();
    EXPECT_EQ(seriesLines(), QStringList({"1110,1020-1110,1272"}));
    EXPECT_EQ(circles().size(), 3);
    EXPECT_EQ(texts(7, 1), QStringList({"'00@1110,1530"}));

    // No records: the box, its scale and captions, no line and no year axis.
    pageCanvas().NewDrawing();
    records({});
    drawOne();
    EXPECT_EQ(boxes().size(), 1);
    EXPECT_EQ(texts(8, 2).size(), 6);
    EXPECT_EQ(texts(10, 1), QStringList({"pH@1110,390", "(units)@1110,480"}));
    EXPECT_TRUE(seriesLines().isEmpty());
    EXPECT_TRUE(circles().isEmpty());
    EXPECT_TRUE(texts(7, 1).isEmpty());
}

TEST_F(SummaryGraphs, SourcePageDrawsSlotsTwoToTheLastScaledOneInThreeRows) {
    auto& g = ws;
    for (int k = 1; k <= 11; ++k)
        slot(k, QStringLiteral("0,10,2"), {}, QStringLiteral("P%1").arg(k));
    slot(6, QString(), {}, QStringLiteral("P6")); // an empty scale inside the run still gets its graph
    // The page cuts the duplicate codes off the dates before plotting.
    records({{"01/15/1998A", "1"}, {"01/15/1998B", "3"}, {"07/15/1999A", "5"}});
    for (int r = 1; r <= 3; ++r)
        for (int k = 1; k <= 11; ++k)
            g.RecordValues[r][k] = std::as_const(g.RecordValues)[r][2];
    buildPage("drawwellsumgraph", buildWellSumGraphPage, ws);
    shootPage(QStringLiteral("graph_sourcepage"));

    QList<QRect> expected;
    for (const int y : {1470, 2910, 4350})
        for (const int x : {600, 2040, 3480})
            expected << QRect(QPoint(x, y - 900), QPoint(x + 1020, y));
    EXPECT_EQ(boxes(), expected);
    EXPECT_EQ(textObject(QStringLiteral("P1")), nullptr);
    EXPECT_EQ(textObject(QStringLiteral("P11")), nullptr);
    ASSERT_NE(textObject(QStringLiteral("P10")), nullptr);
    EXPECT_EQ(QPoint(textObject(QStringLiteral("P10"))->x1, textObject(QStringLiteral("P10"))->y1), QPoint(3990, 3270));
    // The empty scale of slot 6 (middle row, middle column) shows 0 to 5.
    QStringList middle;
    for (const QString& t : texts(8, 2))
        if (t.contains(QStringLiteral("@1980,")) && t.section(u',', 1).toInt() > 1470 &&
            t.section(u',', 1).toInt() < 2910)
            middle << t;
    EXPECT_EQ(middle, at({"0", "1", "2", "3", "4", "5"}, 1980, {2880, 2712, 2544, 2376, 2208, 2040}));
    // Each graph has its pair of 01/15/1998 merged into one point.
    EXPECT_EQ(circles().size(), 27);
    EXPECT_EQ(seriesLines().size(), 9);
}

TEST_F(SummaryGraphs, ParameterPageSharesThePageWindowAndNamesEachSource) {
    headinglogo().HeadingLines[5] = QStringLiteral("Date, Sampled");
    auto& g = ps;
    g.ParFullName = QStringLiteral("Chloride");
    g.ParUnits = QStringLiteral("mg/L");
    g.ParScaleStart = QStringLiteral("0");
    g.ParScaleEnd = QStringLiteral("500");
    g.ParScaleInc = QStringLiteral("100");
    g.StandardLabel = QStringLiteral("MCL");
    const auto sources = [&g](const std::vector<QStringList>& dates) {
        g.ItemSourceCount = int16_t(dates.size());
        for (int i = 1; i <= g.ItemSourceCount; ++i) {
            g.ParSourceNames[i] = QStringLiteral("MW-%1").arg(i);
            g.ParRecordCount[i] = int16_t(dates[i - 1].size());
            for (int r = 1; r <= g.ParRecordCount[i]; ++r) {
                g.ParRecordDates[i][r] = dates[i - 1][r - 1];
                g.ParRecordValues[i][r] = QStringLiteral("250");
            }
        }
    };

    // One source: the upper left box, its name 0.2 above the top tick (500 at 1.4).
    g.ParStandard = QString();
    sources({{"01/15/1998", "01/15/2000"}});
    buildPage("drawparsum", buildParSumPage, ps);
    EXPECT_EQ(boxes(), QList<QRect>({QRect(QPoint(600, 570), QPoint(1620, 1470))}));
    EXPECT_EQ(texts(10, 1).filter(QStringLiteral("MW-")), QStringList({"MW-1@1110,480"}));
    EXPECT_EQ(textObject(QStringLiteral("MCL")), nullptr);

    // Seven sources fill the third row from the left; a later source starts right of its box's left
    // edge, since all share the page's window; a source without records keeps its box and name.
    pageCanvas().NewDrawing();
    g.ParStandard = QStringLiteral("250");
    std::vector<QStringList> seven(7, QStringList({"01/15/1998", "01/15/2000"}));
    seven[1] = QStringList({"01/15/1999", "01/15/2000"});
    seven[2] = QStringList();
    sources(seven);
    buildPage("drawparsum", buildParSumPage, ps);
    shootPage(QStringLiteral("graph_parameterpage"));
    const QList<QRect> seen = boxes();
    ASSERT_EQ(seen.size(), 7);
    EXPECT_EQ(seen[6], QRect(QPoint(600, 2010), QPoint(1620, 2910)).translated(0, 1440));
    EXPECT_EQ(seen[5], QRect(QPoint(3480, 2010), QPoint(4500, 2910)));
    EXPECT_NE(textObject(QStringLiteral("MW-3")), nullptr);
    // 250 halfway up: y 1440 - 420; source 2 from 01/15/1999, 365 of 730 days in: x 2040 + 510.
    const QStringList line = seriesLines();
    EXPECT_TRUE(line.contains(QStringLiteral("2550,1020-3060,1020"))) << qPrintable(line.join(u' '));
    EXPECT_EQ(line.size(), 6);
    // The legend shows the standard, and every graph marks it on its right edge.
    EXPECT_NE(textObject(QStringLiteral("MCL")), nullptr);
    int markers = 0;
    for (int i = 0; i < count(); ++i)
        if (obj(i).kind == draw::Line && obj(i).x2 - obj(i).x1 == 60 && obj(i).y1 == obj(i).y2) ++markers;
    EXPECT_EQ(markers, 7 + 1);

    // Nine fill the page; a standard of 0 is in the legend but marks no graph.
    pageCanvas().NewDrawing();
    g.ParStandard = QStringLiteral("0");
    sources(std::vector<QStringList>(9, QStringList({"01/15/1998", "01/15/2000"})));
    buildPage("drawparsum", buildParSumPage, ps);
    EXPECT_EQ(boxes().size(), 9);
    EXPECT_EQ(boxes().last(), QRect(QPoint(3480, 3450), QPoint(4500, 4350)));
    EXPECT_NE(textObject(QStringLiteral("MCL")), nullptr);
    markers = 0;
    for (int i = 0; i < count(); ++i)
        if (obj(i).kind == draw::Line && obj(i).x2 - obj(i).x1 == 60 && obj(i).y1 == obj(i).y2) ++markers;
    EXPECT_EQ(markers, 1);

    // No source with records: boxes and names, no line, and still no message.
    pageCanvas().NewDrawing();
    sources({{}, {}});
    buildPage("drawparsum", buildParSumPage, ps);
    EXPECT_EQ(boxes().size(), 2);
    EXPECT_TRUE(seriesLines().isEmpty());
}
