// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawcmd/editingsession.h"
#include "drawcmd/pagecanvas.h"
#include "drawwin/drawwinstate.h"
#include "drawwin/palette.h"
#include "drawwin/shippedpictures.h"
#include "platform/drawing/objecttags.h"
#include "platform/drawing/picture.h"
#include "platform/textfile.h"
#include "project/modgw.h"
#include "support/programstate.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <gtest/gtest.h>

namespace {

class Palette : public ProgramStateTest {
protected:
    void SetUp() override {
        modgw().FillPath = pf.file("fills/");
        QDir().mkpath(modgw().FillPath);
    }
    const draw::DrawObject& byId(int id) { return *pal.find(id); }
    static QRect frame(const draw::DrawObject& o) { return QRect(QPoint(o.x1, o.y1), QPoint(o.x2, o.y2)); }

    TempProgramFolder pf;
    MDrawPro pal;
    MDrawPro page;
};

} // namespace

TEST_F(Palette, AFirstRunWritesTenPatternsAndFourteenColoursAndShowsThem) {
    shipped::WriteMissing();
    int fits = 0;
    createFillPalette(pal, page, [&] { ++fits; });
    EXPECT_EQ(fits, 1);
    const QStringList lines = qtext::ReadLines(pf.file("fillpalette.txt"));
    ASSERT_EQ(lines.size(), 24);
    EXPECT_EQ(lines[0], "F0_sc.bmp");
    EXPECT_EQ(lines[9], "F9_sc.bmp");
    EXPECT_EQ(lines[10], "16777215");
    EXPECT_EQ(lines[17], "0");
    EXPECT_EQ(readRaw(pf.file("fillpalette.txt")).left(11), QByteArray("F0_sc.bmp\r\n"));
    EXPECT_EQ(QSet<QString>(lines.begin(), lines.begin() + 10).size(), 10);
    EXPECT_EQ(QSet<QString>(lines.begin() + 10, lines.end()).size(), 14);
    // White fill and black lines to begin with; the sample shows the fill in its colour.
    EXPECT_EQ(editingSession().CurrentFillPattern, "F0_sc.bmp");
    EXPECT_EQ(editingSession().CurrentFillColor, draw::White);
    EXPECT_EQ(pageCanvas().CurrentLineColor, draw::Black);
    EXPECT_TRUE(QFileInfo::exists(pf.file("fills/Temp.bmp")));
    ASSERT_EQ(pal.count(), 40);
    EXPECT_EQ(byId(1).style.fillPicture.pixelColor(0, 0), QColor(Qt::white));
    // Every fill swatch shows its own pattern.
    for (int i = 3; i <= 12; ++i) EXPECT_EQ(byId(i).style.fill, draw::FillMode::Picture) << i;
    EXPECT_NE(byId(3).style.fillPicture, byId(4).style.fillPicture);
    EXPECT_EQ(byId(20).style.fillColor, draw::Black);
}

TEST_F(Palette, ObjectsLieWhereTheHandlersLookForThem) {
    createFillPalette(pal, page, nullptr);
    EXPECT_EQ(pal.PageWidth(), 500);
    EXPECT_EQ(pal.PageHeight(), 11000);
    // The frame lies one place behind the sample, so the sample is second in stacking order.
    EXPECT_EQ(pal.at(0).id, 2);
    EXPECT_EQ(pal.at(1).id, 1);
    EXPECT_EQ(frame(byId(2)), QRect(QPoint(0, -30), QPoint(500, 370)));
    EXPECT_EQ(byId(2).style.fillColor, draw::RGB(0, 0, 125));
    EXPECT_EQ(frame(byId(3)), QRect(QPoint(50, 400), QPoint(450, 660)));
    EXPECT_EQ(byId(12).tag("selected"), "fill10");
    EXPECT_EQ(frame(byId(12)), QRect(QPoint(50, 3010), QPoint(450, 3270)));
    EXPECT_EQ(byId(13).tag("selected"), "color1");
    EXPECT_EQ(frame(byId(19)), QRect(QPoint(55, 4370), QPoint(230, 4510)));
    EXPECT_EQ(byId(20).tag("selected"), "color8");
    EXPECT_EQ(frame(byId(20)), QRect(QPoint(270, 3350), QPoint(445, 3490)));
    EXPECT_EQ(frame(byId(29)), QRect(QPoint(60, 5000), QPoint(460, 5100)));
    EXPECT_EQ(byId(30).kind, draw::Line);
    EXPECT_EQ(byId(30).tag("selected"), "linewidth0");
    EXPECT_EQ(frame(byId(32)), QRect(QPoint(90, 5140), QPoint(430, 5164)));
    EXPECT_EQ(frame(byId(33)), QRect(QPoint(90, 5224), QPoint(430, 5260)));
    EXPECT_EQ(byId(38).style.lineStyle, 0);
    EXPECT_EQ(byId(38).x2, 390);
    EXPECT_EQ(byId(40).tag("selected"), "linestyle3");
    EXPECT_EQ(byId(40).style.lineStyle, 1);
    EXPECT_EQ(pal.selectedCount(), 0);
}

TEST_F(Palette, TheFileGivesTheCurrentStylesAndTheSwatches) {
    shipped::FillPattern(3, false).save(pf.file("fills/F3_sc.bmp"));
    QStringList lines = {"F3_sc.bmp", "gone_sc.bmp"};
    for (int i = 3; i <= 10; ++i) lines << "F0_sc.bmp";
    for (int i = 1; i <= 14; ++i) lines << QStringLiteral(" %1 ").arg(i * 1000);
    qtext::WriteLines(pf.file("fillpalette.txt"), lines);
    shipped::FillPattern(0, false).save(pf.file("fills/F0_sc.bmp"));

    createFillPalette(pal, page, nullptr);
    EXPECT_EQ(editingSession().CurrentFillPattern, "F3_sc.bmp");
    EXPECT_EQ(editingSession().CurrentFillColor, 1000);
    EXPECT_EQ(pageCanvas().CurrentLineColor, 8000);
    EXPECT_EQ(byId(1).style.fill, draw::FillMode::Picture);
    EXPECT_EQ(byId(21).style.fillColor, 9000);
    // A missing pattern shows the solid one of the fills folder.
    EXPECT_EQ(byId(4).style.fill, draw::FillMode::Picture);
    EXPECT_EQ(byId(4).style.fillPicture.pixelColor(0, 0), QColor(Qt::black));
}

TEST_F(Palette, AShortFileIsReportedAndItsMissingLinesTakeTheDefaults) {
    shipped::WriteMissing();
    qtext::WriteLines(pf.file("fillpalette.txt"), {"F3_sc.bmp", "F4_sc.bmp", "F5_sc.bmp"});
    ScriptedUi ui;
    ui.answer(1, "Error 62 in createFillPalette.  Please contact Kalvex");
    createFillPalette(pal, page, nullptr);
    ASSERT_EQ(pal.count(), 40); // built whole
    EXPECT_EQ(editingSession().PaletteFills[2], "F4_sc.bmp");
    EXPECT_EQ(editingSession().PaletteFills[4], "F0_sc.bmp");
    EXPECT_EQ(editingSession().PaletteColors[14], draw::White);
    EXPECT_EQ(editingSession().CurrentFillPattern, "F3_sc.bmp");
    // The file is left for the choosers to rewrite.
    EXPECT_EQ(qtext::ReadLines(pf.file("fillpalette.txt")).size(), 3);
}

TEST_F(Palette, SavingWritesColoursInTheNumericPrintForm) {
    for (int i = 1; i <= 10; ++i) editingSession().PaletteFills[size_t(i)] = QStringLiteral("F%1_sc.bmp").arg(i);
    for (int i = 1; i <= 14; ++i) editingSession().PaletteColors[size_t(i)] = i;
    editingSession().PaletteColors[14] = 16777215;
    SaveFillPalette();
    const QStringList lines = qtext::ReadLines(pf.file("fillpalette.txt"));
    ASSERT_EQ(lines.size(), 24);
    EXPECT_EQ(lines[9], "F10_sc.bmp");
    EXPECT_EQ(lines[10], " 1 ");
    EXPECT_EQ(lines[23], " 16777215 ");

    // A file that cannot be written is reported in the saver's name and leaves what was there.
    QFile::remove(pf.file("fillpalette.txt"));
    QDir().mkpath(pf.file("fillpalette.txt"));
    ScriptedUi ui;
    ui.answer(1, "in SaveFillPalette.  Please contact Kalvex");
    EXPECT_FALSE(SaveFillPalette());
    EXPECT_TRUE(QFileInfo(pf.file("fillpalette.txt")).isDir());
}

namespace {

// The default palette beside a page of three boxes, the first two selected.
class PaletteClicks : public Palette {
protected:
    void SetUp() override {
        Palette::SetUp();
        shipped::WriteMissing();
        createFillPalette(pal, page, nullptr);
        for (int i = 0; i < 3; ++i) page.AddObject(draw::Rectangle, 100 * i, 0, 100 * i + 50, 50);
        select({1, 2});
    }
    void select(const QVector<int>& ids) {
        page.clearSelection();
        for (int id : ids) page.find(id)->selected = true;
    }
    // A click on palette object id, as the view reports it: the object becomes current.
    PaletteTimer click(int id) {
        pal.setCurrent(id);
        return PaletteObjectClicked(pal, page);
    }
    void singleClick(int id) {
        EXPECT_EQ(click(id), PaletteTimer::Start);
        PaletteSingleClick(pal, page);
    }
    const draw::Style& pageStyle(int id) { return page.find(id)->style; }
    QRect markerAt(int id) { return frame(byId(id)); }
};

} // namespace

TEST_F(PaletteClicks, LineWidthsApplyAtOnceToNewObjectsAndTheSelection) {
    EXPECT_EQ(click(33), PaletteTimer::Leave); // width 3
    EXPECT_EQ(page.defaults().lineStyle, 0);
    EXPECT_EQ(page.defaults().lineWidth, 12);
    EXPECT_EQ(pageStyle(1).lineWidth, 12);
    EXPECT_EQ(pageStyle(2).lineWidth, 12);
    EXPECT_EQ(pageStyle(3).lineWidth, 1);
    EXPECT_EQ(markerAt(29), QRect(QPoint(60, 5200), QPoint(460, 5300)));

    // Width 0 hides the pen and keeps the width.
    click(30);
    EXPECT_EQ(page.defaults().lineStyle, 5);
    EXPECT_EQ(page.defaults().lineWidth, 12);
    EXPECT_EQ(pageStyle(1).lineStyle, 5);
    EXPECT_EQ(markerAt(29), QRect(QPoint(60, 4900), QPoint(460, 5000)));
    RefreshStyleSample(pal);
    EXPECT_EQ(markerAt(29), QRect(QPoint(60, 5000), QPoint(460, 5100)));
    EXPECT_EQ(drawwin().PaletteClickPending, 0);
}

TEST_F(PaletteClicks, LineStylesReachOnlyASingleSelectedObjectAndThinTheLineWithoutThickDashes) {
    page.find(1)->style.lineWidth = 8;
    page.find(2)->style.lineWidth = 8;
    page.defaults().lineWidth = 8;
    modgw().ThickDashedLines = "0";
    click(40); // style 3, two selected: the defaults alone
    EXPECT_EQ(page.defaults().lineStyle, 3);
    EXPECT_EQ(page.defaults().lineWidth, 1);
    EXPECT_EQ(pageStyle(1).lineStyle, 0);
    EXPECT_EQ(pageStyle(1).lineWidth, 8);
    EXPECT_EQ(markerAt(36), QRect(QPoint(60, 5850), QPoint(460, 5950)));

    select({2});
    click(39); // style 2, one selected
    EXPECT_EQ(pageStyle(2).lineStyle, 2);
    EXPECT_EQ(pageStyle(2).lineWidth, 1);

    modgw().ThickDashedLines = "1";
    page.find(2)->style.lineWidth = 8;
    page.defaults().lineWidth = 8;
    click(40);
    EXPECT_EQ(pageStyle(2).lineStyle, 3);
    EXPECT_EQ(pageStyle(2).lineWidth, 8);
    EXPECT_EQ(page.defaults().lineWidth, 8);
}

TEST_F(PaletteClicks, ASecondClickLeavesTheChooserForTheDeferredTimerAndChangesNoStyle) {
    drawwin().ChosenFill = "F7_sc.bmp";
    EXPECT_EQ(click(5), PaletteTimer::Start); // fill swatch 3
    EXPECT_EQ(drawwin().PaletteClickPending, 1);
    EXPECT_EQ(click(5), PaletteTimer::Stop);
    EXPECT_EQ(drawwin().PaletteClickPending, 0);
    EXPECT_EQ(drawwin().PendingPreviewCommand, 35);
    EXPECT_EQ(drawwin().PaletteSwatchIndex, 3);
    EXPECT_EQ(drawwin().ChosenFill, "");
    EXPECT_EQ(editingSession().CurrentFillPattern, "F0_sc.bmp");
    EXPECT_EQ(pageStyle(1).fill, draw::FillMode::Solid);

    drawwin().PendingPreviewCommand = 0;
    click(21);
    click(21); // colour swatch 9
    EXPECT_EQ(drawwin().PendingPreviewCommand, 40);
    EXPECT_EQ(drawwin().PaletteSwatchIndex, 9);

    // Twice on something that is no swatch: the timer stops, nothing is left pending.
    drawwin().PendingPreviewCommand = 0;
    click(27);
    EXPECT_EQ(click(27), PaletteTimer::Stop);
    EXPECT_EQ(drawwin().PendingPreviewCommand, 0);
    EXPECT_EQ(drawwin().PaletteSwatchIndex, 9);
}

TEST_F(PaletteClicks, AColourClickWithTheSolidPatternFillsTheSelectionPlainWithAColorTag) {
    page.find(1)->setTag(draw::tags::Fill, "F3.bmp");
    singleClick(14); // colour 2, red
    const int32_t red = draw::RGB(255, 0, 0);
    EXPECT_EQ(editingSession().CurrentFillColor, red);
    EXPECT_EQ(drawwin().PaletteClickPending, 0);
    EXPECT_EQ(byId(27).style.fillColor, red);
    for (int id : {1, 2}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(pageStyle(id).fill, draw::FillMode::Solid);
        EXPECT_EQ(pageStyle(id).fillColor, red);
        EXPECT_EQ(page.find(id)->tag(draw::tags::Fill), "");
        EXPECT_EQ(page.find(id)->tag(draw::tags::Color), "255");
    }
    EXPECT_EQ(page.find(3)->tag(draw::tags::Color), "");
    // The sample shows the new colour.
    EXPECT_EQ(byId(1).style.fillPicture.pixelColor(0, 0), QColor(255, 0, 0));
}

TEST_F(PaletteClicks, APatternClickFillsTheSelectionWithThePatternInTheCurrentColour) {
    singleClick(14); // red
    singleClick(6);  // fill swatch 4: F3_sc.bmp
    EXPECT_EQ(editingSession().CurrentFillPattern, "F3_sc.bmp");
    EXPECT_EQ(pageStyle(1).fill, draw::FillMode::Picture);
    EXPECT_EQ(page.find(1)->tag(draw::tags::Fill), "F3.bmp");
    EXPECT_EQ(page.find(2)->tag(draw::tags::Color), "255");
    const QImage shown = pageStyle(2).fillPicture;
    EXPECT_TRUE(shown.pixelColor(0, 0) == QColor(Qt::white) || shown.pixelColor(0, 0) == QColor(255, 0, 0));
    EXPECT_EQ(byId(1).style.fillPicture, shown);
    // Nothing selected: only the current pattern changes.
    select({});
    singleClick(3);
    EXPECT_EQ(editingSession().CurrentFillPattern, "F0_sc.bmp");
    EXPECT_EQ(page.find(1)->tag(draw::tags::Fill), "F3.bmp");
}

TEST_F(PaletteClicks, ARightClickSetsTheLineColourOfTheSwatchAboveIt) {
    for (int i = 1; i <= 14; ++i) editingSession().PaletteColors[size_t(i)] = 1000 + i;
    const int32_t fill = editingSession().CurrentFillColor;
    struct { double x, y; int32_t want; } cases[] = {
        {100, 3519, 1001}, {100, 3520, 1002}, {250, 3350, 1001}, {251, 3350, 1008}, {400, 4510, 1014},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.y);
        PaletteRightClick(pal, page, c.x, c.y);
        EXPECT_EQ(pageCanvas().CurrentLineColor, c.want);
        EXPECT_EQ(page.defaults().lineColor, c.want);
        EXPECT_EQ(pageStyle(1).lineColor, c.want);
        EXPECT_EQ(byId(28).style.fillColor, c.want);
    }
    EXPECT_EQ(pageStyle(3).lineColor, draw::Black);
    // Outside the colour rows nothing changes.
    PaletteRightClick(pal, page, 100, 3349);
    PaletteRightClick(pal, page, 100, 4511);
    EXPECT_EQ(pageCanvas().CurrentLineColor, 1014);
    EXPECT_EQ(editingSession().CurrentFillColor, fill);
}

TEST_F(PaletteClicks, TheChoosersChangeTheDoubleClickedSwatchAndNothingBeforeTheFirst) {
    const QByteArray before = readRaw(pf.file("fillpalette.txt"));
    ApplyChosenColor(pal, 255);
    ApplyChosenFill(pal, "F5_sc.bmp");
    EXPECT_EQ(readRaw(pf.file("fillpalette.txt")), before);
    EXPECT_EQ(byId(12).style.fill, draw::FillMode::Picture);
    EXPECT_EQ(byId(2).style.fillColor, draw::RGB(0, 0, 125));
    EXPECT_EQ(editingSession().PaletteColors[0], 0);
    EXPECT_EQ(editingSession().PaletteFills[0], "");

    drawwin().PaletteSwatchIndex = 9;
    ApplyChosenColor(pal, -1); // cancelled
    EXPECT_EQ(readRaw(pf.file("fillpalette.txt")), before);
    ApplyChosenColor(pal, 255);
    EXPECT_EQ(byId(21).style.fillColor, 255);
    EXPECT_EQ(editingSession().PaletteColors[9], 255);
    EXPECT_EQ(qtext::ReadLines(pf.file("fillpalette.txt")).at(18), " 255 ");
    EXPECT_EQ(editingSession().CurrentFillColor, draw::White);

    drawwin().PaletteSwatchIndex = 2;
    ApplyChosenFill(pal, "F5_sc.bmp");
    EXPECT_EQ(byId(4).style.fillPicture, LoadPicture(pf.file("fills/F5_sc.bmp")));
    EXPECT_EQ(qtext::ReadLines(pf.file("fillpalette.txt")).at(1), "F5_sc.bmp");
    EXPECT_EQ(editingSession().CurrentFillPattern, "F0_sc.bmp");
    // A colour swatch number beyond the ten fills changes no fill.
    drawwin().PaletteSwatchIndex = 12;
    ApplyChosenFill(pal, "F6_sc.bmp");
    EXPECT_EQ(qtext::ReadLines(pf.file("fillpalette.txt")).at(9), "F9_sc.bmp");
}

TEST(ShippedPictures, WrittenOnceAndNeverReplaced) {
    TempProgramFolder pf;
    writeRaw(pf.file("nextarrow.bmp"), "mine");
    shipped::WriteMissing();
    EXPECT_EQ(readRaw(pf.file("nextarrow.bmp")), QByteArray("mine"));
    for (const QString& key : shipped::ToolKeys()) EXPECT_TRUE(QFileInfo::exists(pf.file(key + ".bmp"))) << key.toStdString();
    EXPECT_EQ(shipped::ToolKeys().size(), 21);
    EXPECT_TRUE(QFileInfo::exists(pf.file("fills/F0_sc.bmp")));
    EXPECT_TRUE(QFileInfo::exists(pf.file("fills/F0.bmp")));
    EXPECT_FALSE(QDir(pf.file("symbols")).entryList(QDir::Files).isEmpty());
}

TEST(ShippedPictures, ScreenAndPrintPatternsCoverTheSameAreaOfPaper) {
    for (int n = 0; n < shipped::FillPatternCount(); ++n) {
        const QImage sc = shipped::FillPattern(n, false), pr = shipped::FillPattern(n, true);
        EXPECT_NEAR(sc.width() / (sc.dotsPerMeterX() * 0.0254), pr.width() / (pr.dotsPerMeterX() * 0.0254), 0.001);
    }
    // The solid pattern is all black, so that colouring it gives the plain colour.
    const QImage solid = shipped::FillPattern(0, true);
    EXPECT_EQ(solid.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(solid.pixelColor(99, 99), QColor(Qt::black));
}
