// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/zoom.h"

#include <gtest/gtest.h>

namespace {

// The report sheet, 10.5 by 8 inches, in a control with a one-pixel border.
zoom::Geometry control(double clientW, double clientH, int32_t pageW = 6300, int32_t pageH = 4800) {
    return {pageW, pageH, clientW, clientH, clientW + 2, clientH + 2};
}

} // namespace

TEST(Zoom, PageInAWideControlFitsTheHeightAndCentresAcross) {
    // 600 * 1.3125 = 787.5, rounded to the even 788.
    const auto v = zoom::Page(control(1000, 600));
    ASSERT_TRUE(v);
    EXPECT_EQ(v->width, 788);
    EXPECT_EQ(v->height, 600);
    EXPECT_EQ(v->left, (788 - 1002) / 2.0);
    EXPECT_EQ(v->top, -1);
    EXPECT_TRUE(v->setsLeft);
}

TEST(Zoom, PageInATallControlFitsTheWidth) {
    const auto v = zoom::Page(control(800, 900));
    ASSERT_TRUE(v);
    EXPECT_EQ(v->width, 800);
    EXPECT_EQ(v->height, 610); // 800 / 1.3125 = 609.52
    EXPECT_EQ(v->left, -1);
    EXPECT_EQ(v->top, (610 - 902) / 2.0);
}

TEST(Zoom, PageInAControlOfTheSameProportionTakesTheWidthBranch) {
    // 800 * 1.3125 is exactly 1050: not less than the width, so the height is worked out from it.
    const auto v = zoom::Page(control(1050, 799.6));
    ASSERT_TRUE(v);
    EXPECT_EQ(v->width, 1050);
    EXPECT_EQ(v->height, 800);
}

TEST(Zoom, ScreenWidthFitsTheWidthAndLeavesTheHorizontalPosition) {
    const auto v = zoom::ScreenWidth(control(1000, 300));
    ASSERT_TRUE(v);
    EXPECT_EQ(v->width, 1000);
    EXPECT_EQ(v->height, 762); // 1000 / 1.3125 = 761.9
    EXPECT_EQ(v->top, 0);
    EXPECT_FALSE(v->setsLeft);
}

TEST(Zoom, QuotientsWithTheRatioAreSinglePrecisionBeforeRounding) {
    // A portrait sheet: 376 / (4800 / 6300) is 493.49999... exactly, 493.5 in single precision, which
    // rounds to the even 494.
    const auto wide = zoom::ScreenWidth(control(376, 300, 4800, 6300));
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->height, 494);
    const auto page = zoom::Page(control(376, 1000, 4800, 6300));
    ASSERT_TRUE(page);
    EXPECT_EQ(page->width, 376);
    EXPECT_EQ(page->height, 494);
}

TEST(Zoom, SizesBeyondSixteenBitsDoNotFail) {
    // A very wide control over a tall, narrow page: the height comes out far past 32767.
    const auto page = zoom::Page(control(30000, 100000, 100, 10000));
    ASSERT_TRUE(page);
    EXPECT_EQ(page->height, 100000);
    EXPECT_EQ(page->width, 1000);
    const auto wide = zoom::ScreenWidth(control(30000, 500, 100, 10000));
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->height, 3000000);
}

TEST(Zoom, AnEmptyPageOrControlGivesNoView) {
    EXPECT_FALSE(zoom::Page(control(1000, 600, 0, 4800)));
    EXPECT_FALSE(zoom::Page(control(1000, 600, 6300, 0)));
    EXPECT_FALSE(zoom::Page(control(0, 600)));
    EXPECT_FALSE(zoom::ScreenWidth(control(0, 600)));
}

TEST(Zoom, InStretchesTheFrameOverTheInsideAcrossAndDownApart) {
    const zoom::Extent sheet{0, 0, 6300, 4800};
    const auto g = control(1000, 600); // control 1002 by 602: inside 1000 by 600
    const auto v = zoom::In(1000, 1000, 2000, 1500, g, sheet);
    ASSERT_TRUE(v);
    EXPECT_DOUBLE_EQ(v->width, 1000.0 * 6300 / 1000);
    EXPECT_DOUBLE_EQ(v->height, 600.0 * 4800 / 500);
    EXPECT_DOUBLE_EQ(v->left, 6300.0 * 1000 / 6300);
    EXPECT_DOUBLE_EQ(v->top, 5760.0 * 1000 / 4800);

    // The other order: the same sizes, the view starting at the corner passed first.
    const auto back = zoom::In(2000, 1500, 1000, 1000, g, sheet);
    ASSERT_TRUE(back);
    EXPECT_DOUBLE_EQ(back->width, v->width);
    EXPECT_DOUBLE_EQ(back->height, v->height);
    EXPECT_DOUBLE_EQ(back->left, 2000);
    EXPECT_DOUBLE_EQ(back->top, 1800);
}

TEST(Zoom, InCountsFromTheExtentsOrigin) {
    const auto v = zoom::In(150, 250, 250, 350, control(100, 100), zoom::Extent{100, 200, 1000, 1000});
    ASSERT_TRUE(v);
    EXPECT_DOUBLE_EQ(v->width, 1000);
    EXPECT_DOUBLE_EQ(v->left, 50);
    EXPECT_DOUBLE_EQ(v->top, 50);
}

TEST(Zoom, AZeroSizeFrameIsIgnored) {
    const zoom::Extent sheet{0, 0, 6300, 4800};
    EXPECT_FALSE(zoom::In(1000, 1000, 1000, 1500, control(1000, 600), sheet));
    EXPECT_FALSE(zoom::In(1000, 1000, 2000, 1000, control(1000, 600), sheet));
    EXPECT_FALSE(zoom::In(1000, 1000, 2000, 1500, control(1000, 600), zoom::Extent{0, 0, 0, 4800}));
}
