// SPDX-License-Identifier: GPL-3.0-or-later
// Lines and rectangles from the pen, and the dashes of line type 6.
#include "drawtest.h"

#include <cmath>

using Lines = DrawCmdTest;

TEST_F(Lines, EachLineStartsAtThePenAndLeavesThePenAtItsEnd) {
    Metaugl& m = pageCanvas();
    penAt(600, 600);
    c.LW(2);
    c.LR(1);
    ASSERT_EQ(objects(), 1);
    EXPECT_EQ(last().kind, draw::Line);
    expectFrame(last(), 600, 600, 1200, 600);
    EXPECT_EQ(last().style.lineStyle, 0);
    EXPECT_EQ(last().style.lineWidth, 8);
    c.LU(1);
    expectFrame(last(), 1200, 600, 1200, 0);
    c.LD(0.5f);
    expectFrame(last(), 1200, 0, 1200, 300);
    c.LL(2);
    expectFrame(last(), 1200, 300, 0, 300);
    EXPECT_FLOAT_EQ(m.PenX, 0);
    EXPECT_FLOAT_EQ(m.PenY, 300);
}

TEST_F(Lines, OffsetsGoUpForPositiveDyAndLtoMeasuresFromTheOrigin) {
    Metaugl& m = pageCanvas();
    penAt(600, 1200);
    c.SH(2);
    c.LRTO(1, 1);
    expectFrame(last(), 600, 1200, 900, 600);
    c.LTO(4, 0.5f); // from the pen at (900, 600) to the origin plus (1200, -300)
    expectFrame(last(), 900, 600, 1800, 900);
    EXPECT_FLOAT_EQ(m.PenX, 1800);
    EXPECT_FLOAT_EQ(m.PenY, 900);
    c.LRTO(-1, -1);
    expectFrame(last(), 1800, 900, 1500, 1500);
}

TEST_F(Lines, RectangleGoesRightAndUpFromThePenUnfilledAndLeavesThePen) {
    Metaugl& m = pageCanvas();
    penAt(600, 1200);
    c.LW(5); // rectangles take the control's line defaults, not the line state
    c.RE(2, 1);
    ASSERT_EQ(objects(), 1);
    EXPECT_EQ(last().kind, draw::Rectangle);
    expectFrame(last(), 600, 1200, 1800, 600);
    EXPECT_EQ(last().style.fill, draw::FillMode::None);
    EXPECT_EQ(last().style.lineWidth, 4);
    EXPECT_FLOAT_EQ(m.PenX, 600);
    EXPECT_FLOAT_EQ(m.PenY, 1200);
    c.RE(-1, -0.5f);
    expectFrame(last(), 600, 1200, 0, 1500);
}

TEST_F(Lines, LineTypeSixDrawsDashesOfATenthWithGapsOfATenth) {
    Metaugl& m = pageCanvas();
    penAt(600, 600);
    c.LT(6);
    c.LR(0.5f);
    ASSERT_EQ(objects(), 3);
    expectFrame(obj(0), 600, 600, 660, 600);
    expectFrame(obj(1), 720, 600, 780, 600);
    expectFrame(obj(2), 840, 600, 900, 600);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(obj(i).style.lineStyle, 0);
    EXPECT_FLOAT_EQ(m.PenX, 900);
    EXPECT_EQ(m.CurrentLineType, 6);
    EXPECT_EQ(m.CurrentLineWidth, 4); // what c.LT(1) left with thick dashes off

    c.NewDrawing();
    penAt(600, 600);
    c.LR(0.35f); // two dashes, then a gap of 0.05
    ASSERT_EQ(objects(), 2);
    expectFrame(obj(1), 720, 600, 780, 600);
    EXPECT_NEAR(m.PenX, 810, 0.01);

    c.NewDrawing();
    penAt(600, 600);
    c.LR(0.05f);
    ASSERT_EQ(objects(), 1);
    expectFrame(obj(0), 600, 600, 630, 600);

    c.NewDrawing();
    penAt(600, 600);
    c.LR(0.4f); // the rest of 0 still adds a line of length 0
    ASSERT_EQ(objects(), 3);
    expectFrame(obj(2), 840, 600, 840, 600);
}

TEST_F(Lines, DashesFollowTheUserScaleAndANegativeLengthDashesLeftwards) {
    Metaugl& m = pageCanvas();
    penAt(1200, 600);
    c.SH(0.5f);
    c.LT(6);
    c.LR(0.25f); // 0.1 user unit is 120 units: one dash, one gap, a last dash of 0.05
    ASSERT_EQ(objects(), 2);
    expectFrame(obj(0), 1200, 600, 1320, 600);
    expectFrame(obj(1), 1440, 600, 1500, 600);

    c.NewDrawing();
    penAt(1200, 600);
    c.SH(1);
    c.LR(-0.5f);
    ASSERT_EQ(objects(), 3);
    expectFrame(obj(0), 1200, 600, 1140, 600);
    expectFrame(obj(2), 960, 600, 900, 600);
    EXPECT_FLOAT_EQ(m.PenX, 900);
    EXPECT_EQ(m.CurrentLineType, 6);
}

TEST_F(Lines, OtherLineCommandsHandTypeSixToTheControlUnchanged) {
    penAt(600, 600);
    c.LT(6);
    c.LL(0.5f);
    c.LD(0.5f);
    c.LU(0.5f);
    c.LRTO(0.5f, 0.5f);
    c.LTO(0, 0);
    ASSERT_EQ(objects(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(obj(i).style.lineStyle, 6) << i;
}

TEST_F(Lines, ADashedLineThatFailsLeavesLineTypeSix) {
    penAt(600, 600);
    c.LT(6);
    c.SH(0);
    EXPECT_EQ(errorOf([&] { c.LR(1); }), 11);
    EXPECT_EQ(objects(), 0);
    EXPECT_EQ(pageCanvas().CurrentLineType, 6);

    // More dashes than a Long counts: an overflow, not a single stray dash.
    c.SH(1e12f);
    EXPECT_EQ(errorOf([&] { c.LR(1e9f); }), 6);
    EXPECT_EQ(errorOf([&] { c.LR(std::nanf("")); }), 6);
    EXPECT_EQ(objects(), 0);
    EXPECT_EQ(pageCanvas().CurrentLineType, 6);
    EXPECT_FLOAT_EQ(pageCanvas().PenX, 600);
}
