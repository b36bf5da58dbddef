// SPDX-License-Identifier: GPL-3.0-or-later
// The parts every report page carries: run file and heading texts, logo, date stamp, date axis
// numbers and the progress line.
//
// Positions were worked out by hand. The pages put their origin at the paper point (0.7, 7.8), which
// on the 11 by 8.5 inch paper is the sheet point (600 x 0.45, 600 x (8 - 7.55)) = (270, 270); from
// there a point (X, Y) inches is (270 + 600 X, 270 - 600 Y). The logo is drawn with the pen at
// (7.3, -6.4), that is (4650, 4110). The bitmap goes 0.025 right and down, (4665, 4125), and spans
// 2.25 by 0.65 inch downwards to (6015, 4515). The text logo is centred 1.15 right, x = 5340, its
// first line 0.175 down (4215), then 0.15 a line (4305) and 0.05 more before the third (4425); with
// line 2 empty the 0.05 comes first: 4245, 4335, 4425. Sizes in points are 600 / 72 units each
// (24 pt 200, 12 pt 100, 6 pt 50, 11 pt 91.67, 8 pt 66.67). The stamp is S(0.1, -7.17) from the
// origin: (330, 4572); with margin offsets (0.5, -0.25) the origin moves to (570, 420) and the
// stamp to (630, 4722).
#include "drawcmd/metaugl.h"
#include "platform/dates.h"
#include "platform/drawing/drawdump.h"
#include "project/modgw.h"
#include "reports/gwgraph.h"
#include "reports/pageparts.h"
#include "support/programstate.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QDate>
#include <QImage>
#include <gtest/gtest.h>

namespace {

const QString kHeadings = QStringLiteral(QMAR_TEST_DATA "/pageparts/headings.qlh");
const QString kTextLogo = QStringLiteral(QMAR_TEST_DATA "/pageparts/logo_text.txt");
const QString kTwoLineLogo = QStringLiteral(QMAR_TEST_DATA "/pageparts/logo_twolines.txt");

class PageParts : public ProgramStateTest {
protected:
    void SetUp() override {
        modgw().ThickDashedLines = QStringLiteral("0");
        metaugl().PaperWidth = 11;
        metaugl().PaperHeight = 8.5f;
        NewDrawing();
        modgw().HeadingFile = kHeadings;
    }

    static void earlierHeadings() {
        for (int i = 1; i <= HeadingLogo::MaxHeadingLines; ++i)
            headinglogo().HeadingLines[i] = QStringLiteral("earlier %1").arg(i);
    }
    static QStringList headingLines() {
        const auto& h = headinglogo().HeadingLines;
        return QStringList(h.begin() + 1, h.end());
    }
    static QStringList dump() { return draw::dumpDrawing(pageDrawing()); }
    // The pen where the pages draw the logo.
    static void penAtLogo() {
        SH(1);
        SV(1);
        Z(0.7f, 7.8f);
        S(7.3f, -6.4f);
    }

    ScriptedUi ui;
    TempProgramFolder pf;
};

} // namespace

TEST_F(PageParts, EachKindTakesItsRunFileCountAndHeadingSlots) {
    struct Case {
        int kind;
        QList<std::pair<int, QString>> taken;
    };
    const QList<Case> cases{
        {1,
         {{1, "line 2"},
          {2, "line 3"},
          {3, "line 4"},
          {4, "line 5"},
          {5, "line 6"},
          {6, "line 7"},
          {7, "line 15"}}},
        {2, {{4, "line 2"}, {2, "line 4"}, {5, "line 7"}, {1, "line 8"}, {3, "line 15"}}},
        {3, {{2, "line 4"}, {3, "line 5"}, {1, "line 9"}, {4, "line 10"}, {5, "line 16"}}},
        {4, {{2, "line 4"}, {1, "line 9"}}},
        // Lines 11..14 split at their first comma, the value left-trimmed; no comma gives "".
        {5,
         {{1, "line 2"},
          {2, "label 11"},
          {3, "value 11"},
          {4, "label 12"},
          {5, "value 12"},
          {6, "no comma 13"},
          {7, ""},
          {8, "label 14"},
          {9, "value, 14"},
          {10, "line 4"},
          {11, "line 17"}}},
        {6, {{1, "line 4"}}},
    };
    // The run file is found whatever the case of its name.
    writeRaw(pf.file("LOG.MAS"), "/defs/plant.wsf\r\n3.6\r\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        GwGraph& g = gwgraph();
        g.reset();
        g.ReportFile = QStringLiteral("earlier.wsf");
        earlierHeadings();
        ASSERT_TRUE(getheadingdata(c.kind));

        QStringList expected;
        for (int i = 1; i <= HeadingLogo::MaxHeadingLines; ++i)
            expected << QStringLiteral("earlier %1").arg(i);
        for (const auto& [slot, text] : c.taken)
            expected[slot - 1] = text;
        EXPECT_EQ(headingLines(), expected);

        const QList<int16_t> counts{g.ItemSourceCount, g.ParItemCount, g.DateItemCount, g.StiffItemCount,
                                    g.GWElevItemCount};
        QList<int16_t> expectedCounts(5, 0);
        if (c.kind <= 5) expectedCounts[c.kind - 1] = 4; // 3.6 as a whole number
        EXPECT_EQ(counts, expectedCounts);
        // The date contour run has no run file.
        EXPECT_EQ(g.ReportFile, c.kind == 6 ? "earlier.wsf" : "/defs/plant.wsf");
    }
}

TEST_F(PageParts, ARunFileThatCannotBeReadEndsTheRun) {
    GwGraph& g = gwgraph();
    g.ReportFile = QStringLiteral("earlier.wsf");
    g.ItemSourceCount = 7;
    earlierHeadings();
    ui.answer(vb::OK, QStringLiteral("Error 53 in getheadingdata.  Please contact Kalvex"));
    EXPECT_FALSE(getheadingdata(1));

    // Half a run file takes nothing, not even its first line.
    writeRaw(pf.file("log.mas"), "/defs/plant.wsf\r\n");
    ui.answer(vb::OK, QStringLiteral("Error 62 in getheadingdata.  Please contact Kalvex"));
    EXPECT_FALSE(getheadingdata(1));
    writeRaw(pf.file("log.mas"), "/defs/plant.wsf\r\n40000\r\n");
    ui.answer(vb::OK, QStringLiteral("Error 6 in getheadingdata.  Please contact Kalvex"));
    EXPECT_FALSE(getheadingdata(1));
    EXPECT_EQ(g.ReportFile, "earlier.wsf");
    EXPECT_EQ(g.ItemSourceCount, 7);
    EXPECT_EQ(headinglogo().HeadingLines[1], "earlier 1");

    // The date contour run needs none.
    EXPECT_TRUE(getheadingdata(6));
    EXPECT_EQ(headinglogo().HeadingLines[1], "line 4");
}

TEST_F(PageParts, AHeadingFileThatCannotBeUsedIsReportedAndTheRunGoesOn) {
    writeRaw(pf.file("log.mas"), "/defs/plant.wsf\r\n2\r\n");
    ModGW& m = modgw();

    // An older heading file's name stands for the shipped file of the program folder.
    writeRaw(pf.file("usqmar.qlh"), readRaw(kHeadings));
    m.HeadingFile = QStringLiteral("/old/site.hdg");
    earlierHeadings();
    EXPECT_TRUE(getheadingdata(4));
    EXPECT_EQ(m.HeadingFile, "usqmar.qlh");
    EXPECT_EQ(headinglogo().HeadingLines[1], "line 9");
    // So does no heading file at all, as on a first start.
    m.HeadingFile.clear();
    earlierHeadings();
    EXPECT_TRUE(getheadingdata(4));
    EXPECT_EQ(m.HeadingFile, "usqmar.qlh");
    EXPECT_EQ(headinglogo().HeadingLines[1], "line 9");

    struct Case {
        const char* what;
        QString file;
        QByteArray bytes; // none: no such file
        QString message;
    };
    const QString missing = pf.file("missing.qlh");
    const QString banner = pf.file("banner.qlh");
    const QString shortFile = pf.file("short.qlh");
    const QList<Case> cases{
        {"missing", missing, {}, "Heading file: " + missing + " could not be found"},
        {"banner in another case", banner, "quillmare 5.0.3\r\n" + readRaw(kHeadings).mid(17),
         "Incorrect format in Heading File: " + banner},
        {"ends before line 9", shortFile, "Quillmare 5.0.3\r\nA\r\nB\r\n",
         "Error 62 in getheadingdata.  Please contact Kalvex"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (!c.bytes.isEmpty()) writeRaw(c.file, c.bytes);
        m.HeadingFile = c.file;
        gwgraph().StiffItemCount = 0;
        earlierHeadings();
        ui.answer(vb::OK, c.message);
        EXPECT_TRUE(getheadingdata(4));
        EXPECT_EQ(gwgraph().StiffItemCount, 2);
        EXPECT_EQ(headinglogo().HeadingLines[1], "earlier 1");
        EXPECT_EQ(headinglogo().HeadingLines[2], "earlier 2");
    }
}

TEST_F(PageParts, TheTextLogoStacksItsLinesBelowThePen) {
    // Sizes 30, 12 and 4 are held within 6..24; line 1 fits the column (2.24 inches) at 22 points.
    writeRaw(pf.file("logo.txt"), readRaw(kTextLogo));
    GetLogoData();
    penAtLogo();
    drawlogo();
    EXPECT_EQ(
        dump(),
        QStringList({
            R"(1 text frame=5340,4215,5340,4215 text="Riverside Works" font="Arial",-183.333,0,1 color=0 tags={groupname=logo})",
            R"(2 text frame=5340,4305,5340,4305 text="Environmental Group" font="Arial",-100,0,1 color=0 tags={groupname=logo})",
            R"(3 text frame=5340,4425,5340,4425 text="Since 1952" font="Arial",-50,0,1 color=0 tags={groupname=logo})",
        }));
    EXPECT_EQ(metaugl().CurrentGroupName, "");

    // Line 2 empty: the gap moves above the first line, and the sizes default to 11, 11 and 8.
    NewDrawing();
    writeRaw(pf.file("logo.txt"), readRaw(kTwoLineLogo));
    GetLogoData();
    penAtLogo();
    drawlogo();
    EXPECT_EQ(
        dump(),
        QStringList({
            R"(1 text frame=5340,4245,5340,4245 text="Riverside Works" font="Arial",-91.6667,0,1 color=0 tags={groupname=logo})",
            R"(2 text frame=5340,4335,5340,4335 text="" font="Arial",-91.6667,0,1 color=0 tags={groupname=logo})",
            R"(3 text frame=5340,4425,5340,4425 text="Since 1952" font="Arial",-66.6667,0,1 color=0 tags={groupname=logo})",
        }));
}

TEST_F(PageParts, TheBitmapLogoIsABmpFileBelowAndRightOfThePen) {
    HeadingLogo& h = headinglogo();
    h.LogoKind = 1;
    h.LogoFile = pf.file("river.Bmp"); // the type is compared upper-cased
    QImage image(90, 26, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    ASSERT_TRUE(image.save(h.LogoFile, "BMP"));
    penAtLogo();
    drawlogo();
    EXPECT_EQ(dump(),
              QStringList({"1 bitmap frame=4665,4125,6015,4515 picture=90x26 tags={groupname=logo}"}));

    NewDrawing();
    h.LogoFile = pf.file("river.jpg");
    ui.answer(vb::OK, QStringLiteral("Unsupported Logo File Format: JPG"));
    penAtLogo();
    drawlogo();
    EXPECT_TRUE(dump().isEmpty());
    EXPECT_EQ(metaugl().CurrentGroupName, "");

    // A fault part-way is reported, and what the page draws next is not tagged as the logo.
    h.LogoFile = pf.file("river.Bmp");
    penAtLogo();
    SH(0);
    ui.answer(vb::OK, QStringLiteral("Error 11 in drawlogo.  Please contact Kalvex"));
    drawlogo();
    EXPECT_TRUE(dump().isEmpty());
    EXPECT_EQ(metaugl().CurrentGroupName, "");
}

TEST_F(PageParts, TheStampIsASixPointTextNearTheBottomLeftCorner) {
    ModGW& m = modgw();
    gwgraph().ReportFile = QStringLiteral("/defs/plant.wsf");
    const QString today = qdate::FormatShort(QDate::currentDate());
    const QList<std::pair<QString, QString>> options{
        {"0", ""}, {"", ""}, {"1", today}, {"2.0", "/defs/plant.wsf"}, {"3", today + "  /defs/plant.wsf"},
        {"4", ""}};
    for (const auto& [option, text] : options) {
        SCOPED_TRACE(option.toStdString());
        NewDrawing();
        m.DateStampOption = option;
        DrawDateStamp(0);
        EXPECT_EQ(
            dump(),
            QStringList(
                {R"(1 text frame=330,4572,330,4572 text=")" + text +
                 R"(" font="Arial",-50,0,0 color=0 tags={groupname=graphicssystem;objname=datefile})"}));
    }
    // It leaves the origin where the page's own drawing starts, and no names behind.
    EXPECT_NEAR(metaugl().OriginX, 270, 0.01);
    EXPECT_NEAR(metaugl().OriginY, 270, 0.01);
    EXPECT_EQ(metaugl().CurrentGroupName, "");
    EXPECT_EQ(metaugl().CurrentObjName, "");

    NewDrawing();
    m.MarginOffsetX = 0.5f;
    m.MarginOffsetY = -0.25f;
    DrawDateStamp(0);
    ASSERT_EQ(pageDrawing().count(), 1);
    EXPECT_EQ(pageDrawing().at(0).x1, 630);
    EXPECT_EQ(pageDrawing().at(0).y1, 4722);
}

TEST_F(PageParts, DTNGivesDatesTheirAxisNumberAndNoDateNone) {
    const double march21 = 1998 * 36.5 + 3 * 3 + 2.1;
    EXPECT_DOUBLE_EQ(*DTN("03/21/1998"), march21);
    // A duplicate code behind the year is no part of it, even one that looks like an exponent.
    EXPECT_DOUBLE_EQ(*DTN("03/21/1998A"), march21);
    EXPECT_DOUBLE_EQ(*DTN("03/21/1998E2"), march21);
    qdate::SetDayFirst(1);
    EXPECT_DOUBLE_EQ(*DTN("21/03/1998"), march21);
    // No message box for any of these: the caller skips the record.
    for (const char* text : {"", "1998", "03/21", "03-21-1998", "1/1/99999"})
        EXPECT_EQ(DTN(QString::fromLatin1(text)), std::nullopt) << text;
}

TEST_F(PageParts, IncsegShowsTheShareOfStepsDone) {
    QStringList shown;
    reportHooks().showProgress = [&shown](const QString& text) { shown << text; };
    GwGraph& g = gwgraph();
    g.ProgressTotal = 3;
    incseg();
    incseg();
    incseg();
    // No steps to count: the bare label, never an error.
    g.ProgressTotal = 0;
    incseg();
    // Under half a percent shows no figure at all.
    g.ProgressTotal = 1000;
    g.ProgressCount = 0;
    incseg();
    EXPECT_EQ(shown, QStringList({"% Complete: 33", "% Complete: 67", "% Complete: 100",
                                  "% Complete: ", "% Complete: "}));
    EXPECT_EQ(g.ProgressCount, 1);
}
