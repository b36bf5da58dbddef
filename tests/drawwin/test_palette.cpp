// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawcmd/metaugl.h"
#include "drawwin/palette.h"
#include "drawwin/shippedpictures.h"
#include "platform/textfile.h"
#include "project/modgw.h"
#include "support/programstate.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QDir>
#include <QFileInfo>
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

TEST_F(Palette, AFirstRunWritesTheDefaultFileAndShowsWhiteSwatches) {
    shipped::FillPattern(0, false).save(pf.file("fills/F0_sc.bmp"));
    int fits = 0;
    createFillPalette(pal, page, [&] { ++fits; });
    EXPECT_EQ(fits, 1);
    QStringList want;
    for (int i = 0; i < 10; ++i) want << "F0_sc.bmp";
    for (int i = 0; i < 14; ++i) want << "16777215";
    EXPECT_EQ(qtext::ReadLines(pf.file("fillpalette.txt")), want);
    EXPECT_EQ(readRaw(pf.file("fillpalette.txt")).left(11), QByteArray("F0_sc.bmp\r\n"));
    EXPECT_EQ(metaugl().PaletteFills[10], "F0_sc.bmp");
    EXPECT_EQ(metaugl().PaletteColors[14], draw::White);
    EXPECT_EQ(metaugl().CurrentFillPattern, "F0_sc.bmp");
    EXPECT_EQ(metaugl().CurrentFillColor, draw::White);
    EXPECT_TRUE(QFileInfo::exists(pf.file("fills/Temp.bmp")));
    ASSERT_EQ(pal.count(), 40);
    for (int i = 13; i <= 26; ++i) EXPECT_EQ(byId(i).style.fillColor, draw::White) << i;
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
    EXPECT_EQ(metaugl().CurrentFillPattern, "F3_sc.bmp");
    EXPECT_EQ(metaugl().CurrentFillColor, 1000);
    EXPECT_EQ(metaugl().CurrentLineColor, 8000);
    EXPECT_EQ(byId(1).style.fill, draw::FillMode::Picture);
    EXPECT_EQ(byId(21).style.fillColor, 9000);
    // A missing pattern shows the solid one of the fills folder.
    EXPECT_EQ(byId(4).style.fill, draw::FillMode::Picture);
    EXPECT_EQ(byId(4).style.fillPicture.pixelColor(0, 0), QColor(Qt::black));
}

TEST_F(Palette, AShortFileIsReportedAndLeavesThePaletteUnbuilt) {
    qtext::WriteLines(pf.file("fillpalette.txt"), {"F0_sc.bmp", "F0_sc.bmp"});
    ScriptedUi ui;
    ui.answer(1, "Error 62 in createFillPalette.");
    createFillPalette(pal, page, nullptr);
    EXPECT_EQ(pal.count(), 0);
}

TEST_F(Palette, SavingWritesColoursInTheNumericPrintForm) {
    for (int i = 1; i <= 10; ++i) metaugl().PaletteFills[size_t(i)] = QStringLiteral("F%1_sc.bmp").arg(i);
    for (int i = 1; i <= 14; ++i) metaugl().PaletteColors[size_t(i)] = i;
    metaugl().PaletteColors[14] = 16777215;
    SaveFillPalette();
    const QStringList lines = qtext::ReadLines(pf.file("fillpalette.txt"));
    ASSERT_EQ(lines.size(), 24);
    EXPECT_EQ(lines[9], "F10_sc.bmp");
    EXPECT_EQ(lines[10], " 1 ");
    EXPECT_EQ(lines[23], " 16777215 ");
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
