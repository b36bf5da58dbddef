// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/fillchooser.h"
#include "drawwin/shippedpictures.h"
#include "platform/drawing/mdrawpro.h"
#include "support/testenv.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(FillChooser, ArrowsStepDownAColumnAndAcrossToTheSamePlaceButNeverOffTheSwatches) {
    const int cases[][5] = {/* {from, count, dx, dy, to} */ {1, 25, 0, 1, 2},   {10, 25, 0, 1, 10}, {1, 25, 0, -1, 1},  {3, 25, 1, 0, 13}, {19, 25, 1, 0, 25},
                            {13, 25, -1, 0, 3}, {3, 25, -1, 0, 3},  {21, 25, 1, 0, 21}, {5, 5, 0, 1, 5},   {1, 0, 0, 1, 0}};
    for (const auto& c : cases) EXPECT_EQ(fillchooser::StepSwatch(c[0], c[1], c[2], c[3]), c[4]) << c[0] << " by " << c[2] << "," << c[3];
}

TEST(FillChooser, OnlyScreenPatternsOfTheirOwnBecomeSwatches) {
    const QStringList listed = {"brick_sc.bmp", "brick.bmp",        "TEMP_sc.bmp",    "temp_SC.BMP",
                                "Temp.bmp",     "cuttings_sc.bmp",  "quicksoil1_sc.bmp", "sample_sc.bmp",
                                "well2_sc.bmp", "Cuttings_sc.bmp",  "Well3_sc.bmp",   "clay_SC.BMP",
                                "x_sc.bmpx",    "my_brick_sc.bmp"};
    EXPECT_EQ(fillchooser::SwatchFiles(listed),
              QStringList({"brick_sc.bmp", "Cuttings_sc.bmp", "Well3_sc.bmp", "clay_SC.BMP", "my_brick_sc.bmp"}));
}

TEST(FillChooser, ALabelIsTheNameUpToItsFirstUnderscore) {
    EXPECT_EQ(fillchooser::Label("brick_sc.bmp"), "brick");
    EXPECT_EQ(fillchooser::Label("my_brick_sc.bmp"), "my");
    EXPECT_EQ(fillchooser::Label("F12_sc.bmp"), "F12");
}

TEST(FillChooser, WindowWidthAndPlaceFollowTheSwatchCount) {
    EXPECT_EQ(fillchooser::WindowWidth(0), 700);
    EXPECT_EQ(fillchooser::WindowWidth(9), 700);
    EXPECT_EQ(fillchooser::WindowWidth(10), 1400);
    EXPECT_EQ(fillchooser::WindowWidth(25), 2100);
    EXPECT_FALSE(fillchooser::Centred(119));
    EXPECT_TRUE(fillchooser::Centred(120));
}

TEST(FillChooser, SwatchesFillColumnsOfTenLeftToRight) {
    // 25 swatches: k = 2, so x starts at 250 + 50 * (2 - 6) = 50.
    EXPECT_EQ(fillchooser::SwatchRect(1, 25), QRect(50, 500, 500, 500));
    EXPECT_EQ(fillchooser::SwatchRect(10, 25), QRect(50, 6800, 500, 500));
    EXPECT_EQ(fillchooser::SwatchRect(11, 25), QRect(650, 500, 500, 500));
    EXPECT_EQ(fillchooser::SwatchRect(25, 25), QRect(1250, 3300, 500, 500));
    EXPECT_EQ(fillchooser::SwatchRect(1, 14), QRect(0, 500, 500, 500));
}

TEST(FillChooser, EachSwatchIsATaggedPictureRectangleUnderItsLabel) {
    TempProgramFolder pf;
    const QString fills = pf.file("fills/");
    QDir().mkpath(fills);
    writeRaw(fills + "F3_sc.bmp", QByteArray());             // listed but unreadable
    shipped::FillPattern(5, false).save(fills + "F5_sc.bmp"); // a real pattern

    MDrawPro canvas;
    fillchooser::BuildSwatches(canvas, {"F5_sc.bmp", "F3_sc.bmp", "gone_sc.bmp"}, fills, 700, 7800, 16);
    EXPECT_EQ(canvas.PageWidth(), 700);
    EXPECT_EQ(canvas.UnitsHeight(), 7800);
    EXPECT_EQ(canvas.DrawOptions(), 16 | 4096);
    ASSERT_EQ(canvas.count(), 6);
    const draw::DrawObject& sw = canvas.at(0);
    EXPECT_EQ(sw.kind, draw::Rectangle);
    EXPECT_EQ(QRect(QPoint(sw.x1, sw.y1), QPoint(sw.x2, sw.y2)), QRect(QPoint(-50, 500), QPoint(450, 1000)));
    EXPECT_EQ(sw.tag("selected"), "F5_sc.bmp");
    EXPECT_EQ(sw.style.fill, draw::FillMode::Picture);
    const draw::DrawObject& label = canvas.at(1);
    EXPECT_EQ(label.kind, draw::Text);
    EXPECT_EQ(label.text, "F5");
    EXPECT_EQ(QPoint(label.x1, label.y1), QPoint(-50, 420));
    EXPECT_EQ(label.style.textHeight, -150);
    EXPECT_EQ(label.style.textColor, draw::RGB(0, 64, 128));
    EXPECT_EQ(label.tag("selected"), "");
    // Unreadable and missing patterns still get their swatch, without picture.
    EXPECT_EQ(canvas.at(2).tag("selected"), "F3_sc.bmp");
    EXPECT_NE(canvas.at(2).style.fill, draw::FillMode::Picture);
    EXPECT_EQ(canvas.at(4).tag("selected"), "gone_sc.bmp");
    EXPECT_EQ(canvas.at(5).text, "gone");
}

TEST(FillChooser, PatternsAreListedInNaturalOrder) {
    TempProgramFolder pf;
    const QString fills = pf.file("fills/");
    QDir().mkpath(fills);
    for (const char* name : {"F10_sc.bmp", "F2_sc.bmp", "f1_SC.BMP", "F0_sc.bmp", "F11_sc.bmp", "brick_sc.bmp",
                             "F2.bmp", "F02a_sc.bmp", "notes.txt"})
        writeRaw(fills + name, "x");
    EXPECT_EQ(fillchooser::ListBitmaps(fills),
              QStringList({"brick_sc.bmp", "F0_sc.bmp", "f1_SC.BMP", "F2.bmp", "F2_sc.bmp", "F02a_sc.bmp",
                           "F10_sc.bmp", "F11_sc.bmp"}));
    EXPECT_TRUE(fillchooser::ListBitmaps(fills + "missing/").isEmpty());

    EXPECT_TRUE(fillchooser::NaturalLess("F9_sc.bmp", "F10_sc.bmp"));
    EXPECT_FALSE(fillchooser::NaturalLess("F10_sc.bmp", "F9_sc.bmp"));
    EXPECT_TRUE(fillchooser::NaturalLess("F99999999999999999999_sc.bmp", "F100000000000000000000_sc.bmp"));
    EXPECT_TRUE(fillchooser::NaturalLess("F1", "F1_sc.bmp")); // a name before its longer self
    EXPECT_FALSE(fillchooser::NaturalLess("F1", "F1"));
}
