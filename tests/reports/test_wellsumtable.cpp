// SPDX-License-Identifier: GPL-3.0-or-later
// The results table of a source summary page.
//
// Pages are drawn on 11 by 8.5 inch paper with no margin offset: the page origin is the sheet point
// (270, 270) and an inch position (X, Y) from it is the sheet point (270 + 600 X, 270 - 600 Y).
// Positions worked out by hand with that rule:
// - the date column's left edge x 0.05 = 300, the value columns' left edge 0.95 = 840, the column
//   lines 0.95 + j 0.573 = 840 + 343.8 j: 1184, 1528, 1871 (j = 3, the right edge of three slots,
//   also the end of the rules W = 0.9 + 3 x 0.573 = 2.619 wide) and 4622 (j = 11, W = 7.203);
// - column centres 1.2365 + (j - 1) 0.573 = 1011.9 + 343.8 (j - 1): 1012, 1356, 1699.5 for j = 3
//   (the half falls to 1700 in single precision) and 4450 for j = 11; the date texts at x 0.2 = 390,
//   the date column's headings at x 0.15 = 360;
// - heading parts at y -0.17, -0.29, -0.41 = 372, 444, 516; units and standard texts at -0.59 and
//   -0.75 = 624 and 720; the rules at -0.5, -0.66, -0.82, -0.84 = 570, 666, 762, 774; the value
//   columns' top at -0.02 = 282;
// - row r's texts at -0.93 - (r - 1) 0.16 = 828 + 96 (r - 1) (row 39: 4476) and its lower rule at
//   -0.84 - r 0.16 = 774 + 96 r (row 39: 4518, row 4: 1158, row 6: 1350);
// - the band's grey is Int((1 - 0.1) x 255) = 229 in each of red, green and blue.
// tests/data/pages/table_head_rows.dump (three slots, four rows, the band from row 3: 966 to 1158)
// was compared line by line with these numbers. Set QMAR_PAGE_SHOTS to a folder to get the pages as
// PNG files for a look.
#include "drawcmd/metaugl.h"
#include "platform/dates.h"
#include "platform/drawing/drawdump.h"
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
#include <QLine>
#include <QList>
#include <QPoint>
#include <QStringList>
#include <gtest/gtest.h>

#include <optional>

namespace {

constexpr draw::Long BandGrey = draw::RGB(229, 229, 229);
constexpr double EightPoints = -600.0 * 8 / 72;

class WellSumTable : public ProgramStateTest {
protected:
    void SetUp() override {
        ModGW& mg = modgw();
        mg.DefaultFont = QStringLiteral("Arial");
        mg.DateStampOption = QStringLiteral("0");
        HeadingLogo& h = headinglogo();
        const char* headings[] = {"SOURCE", "Sampling Dates", "NOTES", "Units"};
        for (int i = 1; i <= 4; ++i)
            h.HeadingLines[i] = QString::fromLatin1(headings[i - 1]);
        h.LogoKind = 0;
        h.LogoText = {QString(), QStringLiteral("Dune & Fell"), QStringLiteral("Hydrogeology"),
                      QStringLiteral("since 1971")};
        h.LogoTextSize = {0, 11, 11, 8};
        GwGraph& g = gwgraph();
        g.StandardLabel = QStringLiteral("MCL");
        g.ItemName = QStringLiteral("MW-1");
        g.ItemCaption = QStringLiteral("Source 1 of 1");
        g.CurPage = 1;
        metaugl().PaperWidth = 11;
        metaugl().PaperHeight = 8.5f;
        NewDrawing();
        LT(1);
        LW(1);
    }

    static QDate dateOf(int record) { return QDate(1998, 3, 21).addDays(7 * (record - 1)); }

    // n records a week apart from 03/21/1998 in the current day/month order, each followed by its
    // duplicate code; value j of record r is "r.j".
    static void source(int n, int columns) {
        GwGraph& g = gwgraph();
        g.SlotCount = int16_t(columns);
        for (int j = 1; j <= columns; ++j) {
            g.SlotParts[j] = {QString(), QStringLiteral("P%1").arg(j), QStringLiteral("mid"), QStringLiteral("low")};
            g.SlotUnits[j] = QStringLiteral("mg/L");
            g.SlotStandard[j] = QStringLiteral("%1").arg(j * 10);
        }
        g.RecordCount = int16_t(n);
        for (int r = 1; r <= n; ++r) {
            g.RecordDates[r] = qdate::Format(dateOf(r)) + (r % 2 ? QStringLiteral("A") : QStringLiteral("B"));
            for (int j = 1; j <= columns; ++j)
                g.RecordValues[r][j] = QStringLiteral("%1.%2").arg(r).arg(j);
        }
    }

    static void page(int n) {
        NewDrawing();
        gwgraph().CurPage = int16_t(n);
        drawwellsumtable();
    }

    static int count() { return pageDrawing().count(); }
    static const draw::DrawObject& obj(int i) { return pageDrawing().at(i); }

    static void expectText(const QString& text, int x, int y, int align, double height = EightPoints) {
        const draw::DrawObject* o = textObject(text);
        ASSERT_NE(o, nullptr) << qPrintable(text);
        EXPECT_EQ(QPoint(o->x1, o->y1), QPoint(x, y)) << qPrintable(text);
        EXPECT_EQ(o->style.textAlign, align) << qPrintable(text);
        EXPECT_NEAR(o->style.textHeight, height, 1e-3) << qPrintable(text);
    }
    static bool hasLine(int x1, int y1, int x2, int y2) {
        for (int i = 0; i < count(); ++i)
            if (obj(i).kind == draw::Line && QLine(obj(i).x1, obj(i).y1, obj(i).x2, obj(i).y2) == QLine(x1, y1, x2, y2))
                return true;
        return false;
    }
    // The highlight band as its top and bottom edge, when the page has one.
    static std::optional<QPoint> band(int right) {
        std::optional<QPoint> found;
        for (int i = 0; i < count(); ++i) {
            const draw::DrawObject& o = obj(i);
            if (o.kind != draw::Polygon) continue;
            EXPECT_FALSE(found) << "a second band";
            EXPECT_EQ(o.style.fillColor, BandGrey);
            const int top = o.vertices.value(0).y(), bottom = o.vertices.value(2).y();
            EXPECT_EQ(o.vertices, QVector<QPoint>({{300, top}, {right, top}, {right, bottom}, {300, bottom}}));
            found = QPoint(top, bottom);
        }
        return found;
    }

    ScriptedUi ui;
};

} // namespace

TEST_F(WellSumTable, HeadingsRulesBandAndRowsStandWhereTheLayoutPutsThem) {
    source(4, 3);
    GwGraph& g = gwgraph();
    g.HighlightDate = qdate::Format(dateOf(3));
    // The bodies alone, on the origin the page routine sets.
    Z(0.7f, 7.8f);
    SH(1);
    SV(1);
    AF(QStringLiteral("Arial"));
    const WellSumRun run = fromGwGraph<WellSumRun>(g);
    const WellSumItem item = fromGwGraph<WellSumItem>(g);
    drawWellSumTableHead(currentCanvas(), {run, item, 1}, TablePageRows{1, 4, 4});
    for (int r = 1; r <= 4; ++r)
        drawWellSumTableRow(currentCanvas(), {run, item, 1}, r, r);
    EXPECT_TRUE(matchesGoldenFile(draw::dumpDrawing(pageDrawing()), goldenPagePath(QStringLiteral("table_head_rows"))));

    // The band lies under every rule and text of the table.
    EXPECT_EQ(obj(0).kind, draw::Polygon);
    EXPECT_EQ(band(1871), QPoint(966, 1158));
}

TEST_F(WellSumTable, ThirtyNineRowsOfElevenSlotsFillThePageInsideItsFrame) {
    source(40, 11);
    page(1);
    shootPage(QStringLiteral("table_page1"));
    const QString last = qdate::Format(dateOf(39)) + QStringLiteral("A");
    expectText(last, 390, 4476, 0);
    expectText(QStringLiteral("39.11"), 4450, 4476, 1);
    EXPECT_EQ(textObject(qdate::Format(dateOf(40)) + QStringLiteral("B")), nullptr);
    // Row 39's rule is the last; the grid reaches it and ends left of the column line at 4650.
    EXPECT_TRUE(hasLine(300, 4518, 4622, 4518));
    EXPECT_FALSE(hasLine(300, 4614, 4622, 4614));
    EXPECT_TRUE(hasLine(840, 282, 4622, 282));
    EXPECT_TRUE(hasLine(300, 570, 300, 4518));
    EXPECT_TRUE(hasLine(840, 282, 840, 4518));
    EXPECT_TRUE(hasLine(4622, 282, 4622, 4518));
    expectText(QStringLiteral("P11"), 4450, 372, 1);
    expectText(QStringLiteral("110"), 4450, 720, 1);

    // The 40th record opens page 2 on the first row; the grid stops under it.
    page(2);
    shootPage(QStringLiteral("table_page2"));
    expectText(qdate::Format(dateOf(40)) + QStringLiteral("B"), 390, 828, 0);
    expectText(QStringLiteral("40.1"), 1012, 828, 1);
    EXPECT_TRUE(hasLine(300, 870, 4622, 870));
    EXPECT_TRUE(hasLine(4622, 282, 4622, 870));
    EXPECT_EQ(textObject(last), nullptr);
}

TEST_F(WellSumTable, HighlightShadesFromTheFirstRecordOnOrAfterItsDateAcrossPages) {
    source(45, 3); // page 2 holds records 40 to 45 in rows 1 to 6
    const QString shortDate42 = QStringLiteral("%1/%2/%3").arg(dateOf(42).month()).arg(dateOf(42).day()).arg(dateOf(42).year());
    const struct {
        QString highlight;
        std::optional<QPoint> page1, page2;
        QString rewritten;
    } cases[] = {
        {QString(), std::nullopt, std::nullopt, QString()},
        {qdate::Format(dateOf(45).addDays(1)), std::nullopt, std::nullopt, {}},
        {qdate::Format(dateOf(1)), QPoint(774, 4518), QPoint(774, 1350), QStringLiteral("3/21/1998")},
        {QStringLiteral("1/1/1990"), QPoint(774, 4518), QPoint(774, 1350), QStringLiteral("1/1/1990")},
        // The day after record 10: record 11 (row 11, top -2.44 = 1734) starts the band.
        {qdate::Format(dateOf(10).addDays(1)), QPoint(1734, 4518), QPoint(774, 1350), {}},
        // On record 42's day: nothing on page 1, rows 3 to 6 of page 2.
        {qdate::Format(dateOf(42)), std::nullopt, QPoint(966, 1350), shortDate42},
        // A two-digit year: 5/1/98 falls before record 7 (05/02/1998), row 7 from -1.8 = 1350.
        {QStringLiteral("5/1/98"), QPoint(1350, 4518), QPoint(774, 1350), QStringLiteral("5/1/1998")},
        // No date: no band, and the text stays.
        {QStringLiteral("spring"), std::nullopt, std::nullopt, QStringLiteral("spring")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(qPrintable(c.highlight));
        gwgraph().HighlightDate = c.highlight;
        page(1);
        EXPECT_EQ(band(1871), c.page1);
        page(2);
        EXPECT_EQ(band(1871), c.page2);
        if (!c.rewritten.isEmpty()) EXPECT_EQ(gwgraph().HighlightDate, c.rewritten);
    }
}

TEST_F(WellSumTable, HighlightIsReadInTheDayFirstOrderAndComparedByDay) {
    qdate::SetDayFirst(1);
    source(8, 3);
    // 4 May 1998: record 7 (2 May) is before it, record 8 (9 May) starts the band (-1.96 = 1446 to
    // row 8's rule at 1542). Read month first it would be 5 April, from record 4.
    gwgraph().HighlightDate = QStringLiteral("04/05/1998");
    page(1);
    shootPage(QStringLiteral("table_highlight"));
    EXPECT_EQ(band(1871), QPoint(1446, 1542));
    EXPECT_EQ(gwgraph().HighlightDate, QStringLiteral("4/5/1998"));

    // The 31st of a month and the 1st of the next are different days: only the 1st is shaded.
    qdate::SetDayFirst(0);
    GwGraph& g = gwgraph();
    g.RecordCount = 2;
    g.RecordDates[1] = QStringLiteral("01/31/1998A");
    g.RecordDates[2] = QStringLiteral("02/01/1998A");
    g.HighlightDate = QStringLiteral("2/1/1998");
    page(1);
    EXPECT_EQ(band(1871), QPoint(870, 966));
}

TEST_F(WellSumTable, ValuesAndDatesAreShownAsStored) {
    source(1, 5);
    GwGraph& g = gwgraph();
    g.RecordDates[1] = QStringLiteral("03/21/1998DUP");
    const QString values[] = {"<0.5", "-", "", "12.50", "ND"};
    for (int j = 1; j <= 5; ++j)
        g.RecordValues[1][j] = values[j - 1];
    page(1);
    // A three-letter code makes the date wider than its column at 8 points: it is drawn at 7.
    expectText(QStringLiteral("03/21/1998DUP"), 390, 828, 0, EightPoints * 7 / 8);
    EXPECT_TRUE(pageIsClear());
    expectText(QStringLiteral("<0.5"), 1012, 828, 1);
    expectText(QStringLiteral("-"), 1356, 828, 1);
    expectText(QStringLiteral("12.50"), 2043, 828, 1);
    expectText(QStringLiteral("ND"), 2387, 828, 1);
    int empties = 0;
    for (int i = 0; i < count(); ++i)
        if (obj(i).kind == draw::Text && obj(i).text.isEmpty() && QPoint(obj(i).x1, obj(i).y1) == QPoint(1700, 828))
            ++empties;
    EXPECT_EQ(empties, 1);
}

TEST_F(WellSumTable, HeadingsAndCellsKeepEightPointsUnderALargeTextLogo) {
    headinglogo().LogoTextSize = {0, 20, 20, 20};
    source(2, 2);
    page(1);
    shootPage(QStringLiteral("table_biglogo"));
    EXPECT_NEAR(textObject(QStringLiteral("since 1971"))->style.textHeight, -600.0 * 20 / 72, 1e-3);
    expectText(QStringLiteral("Units:"), 360, 624, 0);
    expectText(QStringLiteral("MCL:"), 360, 720, 0);
    expectText(QStringLiteral("P2"), 1356, 372, 1);
    expectText(QStringLiteral("2.2"), 1356, 924, 1);
    expectText(qdate::Format(dateOf(2)) + QStringLiteral("B"), 390, 924, 0);
}
