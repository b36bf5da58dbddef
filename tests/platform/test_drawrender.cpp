// SPDX-License-Identifier: GPL-3.0-or-later
// The renderer: text placement, dashes in drawing units, hairlines, pattern fills and bitmaps,
// checked on rendered pixels.
#include "platform/drawing/drawdump.h"
#include "platform/drawing/drawrender.h"
#include "platform/drawing/mdrawpro.h"

#include <QImage>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// A small sheet, 3000 by 1800 units (5 by 3 inches).
struct Sheet : MDrawPro {
    Sheet() {
        PageWidth(3000);
        PageHeight(1800);
        UnitsWidth(3000);
        UnitsHeight(1800);
    }
};

bool dark(QRgb c) {
    return qGray(c) < 128;
}

// Lengths of the dark and light runs along a row, from the first dark pixel.
QList<int> runs(const QImage& image, int row) {
    QList<int> out;
    int x = 0;
    while (x < image.width() && !dark(image.pixel(x, row)))
        ++x;
    while (x < image.width()) {
        const bool d = dark(image.pixel(x, row));
        int n = 0;
        while (x < image.width() && dark(image.pixel(x, row)) == d)
            ++x, ++n;
        out << n;
    }
    return out;
}

QRect inkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (dark(image.pixel(x, y))) box |= QRect(x, y, 1, 1);
    return box;
}

void text(MDrawPro& d, const QString& s, int align, double angle, double height = -100) {
    d.AddObject(10, 1500, 900, 1500, 900);
    d.TextString(s);
    d.TextAlign(align);
    d.TextAngle(angle);
    d.TextHeight(height);
}

} // namespace

TEST(DrawRender, TextIsAnchoredAtTheVerticalCentreOfItsLineWithXByAlignment) {
    Sheet d;
    for (int align = 0; align < 3; ++align) {
        text(d, QStringLiteral("Groundwater"), align, 0);
        const QRectF b = draw::objectBounds(d.at(d.count() - 1));
        EXPECT_NEAR(b.center().y(), 900, 0.5) << align;
        const double x = align == 0 ? b.left() : align == 1 ? b.center().x() : b.right();
        EXPECT_NEAR(x, 1500, 0.5) << align;
        EXPECT_GT(b.width(), 400);
    }
    // Turned counter-clockwise about the anchor: a left-aligned text runs up from it.
    text(d, QStringLiteral("Groundwater"), 0, 90);
    const QRectF up = draw::objectBounds(d.at(d.count() - 1));
    EXPECT_NEAR(up.center().x(), 1500, 0.5);
    EXPECT_NEAR(up.bottom(), 900, 0.5);
    EXPECT_GT(up.height(), 400);
    // Centred it straddles the anchor, right-aligned it ends there; turned the other way it runs down.
    text(d, QStringLiteral("Groundwater"), 1, 90);
    EXPECT_NEAR(draw::objectBounds(d.at(d.count() - 1)).center().y(), 900, 0.5);
    text(d, QStringLiteral("Groundwater"), 2, 90);
    EXPECT_NEAR(draw::objectBounds(d.at(d.count() - 1)).top(), 900, 0.5);
    text(d, QStringLiteral("Groundwater"), 0, -90);
    const QRectF downwards = draw::objectBounds(d.at(d.count() - 1));
    EXPECT_NEAR(downwards.top(), 900, 0.5);
    EXPECT_NEAR(downwards.center().x(), 1500, 0.5);
}

TEST(DrawRender, NegativeHeightsAreEmHeightsPositiveOnesCellHeights) {
    Sheet d;
    text(d, QStringLiteral("Hg"), 0, 0, 100);
    EXPECT_NEAR(draw::objectBounds(d.at(0)).height(), 100, 0.5);
    text(d, QStringLiteral("Hg"), 0, 0, -100);
    const double cell = draw::objectBounds(d.at(1)).height();
    EXPECT_GT(cell, 105);
    EXPECT_LT(cell, 125);
}

TEST(DrawRender, PaintedTextLiesWhereItsBoundsSay) {
    Sheet d;
    text(d, QStringLiteral("HHHH"), 1, 0, -200);
    const QImage image = draw::renderImage(d, 600); // one pixel a unit
    const QRect ink = inkBox(image);
    const QRectF b = draw::objectBounds(d.at(0));
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_TRUE(b.adjusted(-2, -2, 2, 2).contains(QRectF(ink))) << ink.x() << "," << ink.y();
    EXPECT_NEAR(ink.center().x(), 1500, 4); // centred across
    EXPECT_LT(ink.top(), 900);              // capitals stand above the centre line
    EXPECT_GT(ink.bottom(), 900);           // and reach below it to the baseline
}

TEST(DrawRender, DashLengthsAreDrawingUnitsAtAnyResolutionAndWidth) {
    Sheet d;
    d.AddObject(1, 300, 600, 2700, 600);
    d.LineStyle(1);
    d.LineWidth(1);
    d.AddObject(1, 300, 1200, 2700, 1200);
    d.LineStyle(1);
    d.LineWidth(12);
    const auto pattern = draw::dashPattern(1, 1);
    ASSERT_EQ(pattern.size(), 2);
    for (double dpi : {600.0, 300.0}) {
        const QImage image = draw::renderImage(d, dpi);
        const double px = dpi / 600;
        for (int row : {600, 1200}) {
            const QList<int> r = runs(image, int(row * px));
            ASSERT_GT(r.size(), 4) << dpi;
            EXPECT_NEAR(r[0], pattern[0] * px, 2) << dpi << " row " << row;
            EXPECT_NEAR(r[2], pattern[0] * px, 2) << dpi << " row " << row;
            EXPECT_NEAR(r[1], (row == 600 ? pattern[1] : draw::dashPattern(1, 12)[1]) * px, 2) << dpi;
        }
    }
}

TEST(DrawRender, DashesRunOnAcrossCornersAndHairlineDashesAreDrawingUnitsToo) {
    // Dots 8 on, 16 off; the corner falls 4 units into a gap, so the way down starts with the
    // remaining 12 of that gap rather than a fresh dot.
    Sheet d;
    d.AddObject(8, 0, 0, 0, 0);
    const int32_t v[] = {300, 600, 300 + 24 * 20 + 12, 600, 300 + 24 * 20 + 12, 1200};
    d.SetVertices(0, 3, v, 0);
    d.LineStyle(2);
    d.LineWidth(4);
    // A hairline keeps dash lengths in drawing units, not device pixels.
    d.AddObject(1, 300, 1500, 2700, 1500);
    d.LineStyle(1);
    d.LineWidth(0);
    const QImage image = draw::renderImage(d, 600);
    const int corner = 300 + 24 * 20 + 12;
    EXPECT_TRUE(dark(image.pixel(corner - 8, 600)));   // the last dot before the corner
    EXPECT_FALSE(dark(image.pixel(corner - 2, 600)));  // then the gap
    EXPECT_FALSE(dark(image.pixel(corner, 605)));      // running on round the corner
    EXPECT_TRUE(dark(image.pixel(corner, 616)));       // to the next dot, 12 units down
    EXPECT_FALSE(dark(image.pixel(corner, 625)));
    const QImage coarse = draw::renderImage(d, 300);
    const QList<int> r = runs(coarse, 750);
    ASSERT_GT(r.size(), 4);
    EXPECT_NEAR(r[2], draw::dashPattern(1, 0)[0] / 2, 2);
    EXPECT_NEAR(r[3], draw::dashPattern(1, 0)[1] / 2, 2);
}

// Ink across a row between two columns, in pixels: partly covered pixels count in part.
double ink(const QImage& image, int row, int from, int to) {
    double n = 0;
    for (int c = from; c <= to; ++c)
        n += (255 - qGray(image.pixel(c, row))) / 255.0;
    return n;
}

TEST(DrawRender, WidthsAreDrawingUnitsOnPaperAndZeroIsAHairline) {
    Sheet d;
    const int widths[] = {0, 1, 4, 40};
    for (int i = 0; i < 4; ++i) {
        d.AddObject(1, 600 + 600 * i, 300, 600 + 600 * i, 1500);
        d.LineWidth(widths[i]);
        d.LineStyle(0);
    }
    d.AddObject(1, 2700, 300, 2700, 1500);
    d.LineStyle(5);
    d.LineWidth(40);
    // On a 1200-dpi printer a unit is two pixels: width 1 is 1/600 inch, not one pixel.
    const QImage fine = draw::renderImage(d, 1200);
    auto across = [&](const QImage& image, double dpi, int x) {
        const int c = int(x * dpi / 600);
        return ink(image, int(900 * dpi / 600), c - 60, c + 60);
    };
    EXPECT_NEAR(across(fine, 1200, 600), 1, 0.2); // hairline: one device pixel
    EXPECT_NEAR(across(fine, 1200, 1200), 2, 0.2);
    EXPECT_NEAR(across(fine, 1200, 1800), 8, 0.2);
    EXPECT_NEAR(across(fine, 1200, 2400), 80, 0.5);
    EXPECT_NEAR(across(fine, 1200, 2700), 0, 0.01); // style 5: no line
    // Where a unit is less than a pixel a line still shows one pixel, as the hairline does.
    const QImage coarse = draw::renderImage(d, 100);
    EXPECT_NEAR(across(coarse, 100, 600), 1, 0.2);
    EXPECT_NEAR(across(coarse, 100, 1200), 1, 0.2);
    EXPECT_NEAR(across(coarse, 100, 1800), 1, 0.2);
    EXPECT_NEAR(across(coarse, 100, 2400), 40.0 / 6, 0.3);
}

TEST(DrawRender, LinesChainedAtACornerLeaveNoNotchAndEndRound) {
    // A line right and a line down from its end, 20 units wide, as LW 5 with LR then LD draws them.
    Sheet d;
    d.AddObject(1, 600, 600, 1200, 600);
    d.LineWidth(20);
    d.AddObject(1, 1200, 600, 1200, 1200);
    d.LineWidth(20);
    const QImage image = draw::renderImage(d, 600); // one pixel a unit
    // The outer corner, just beyond both lines' ends, is inked.
    EXPECT_TRUE(dark(image.pixel(1203, 596)));
    EXPECT_TRUE(dark(image.pixel(1205, 594)));
    // Round ends: half the width beyond the end along the line, nothing at the square's corner.
    EXPECT_TRUE(dark(image.pixel(597, 600)));
    EXPECT_TRUE(dark(image.pixel(1200, 1207)));
    EXPECT_FALSE(dark(image.pixel(591, 591)));
    EXPECT_FALSE(dark(image.pixel(1209, 1209)));
    // Polylines join round too.
    Sheet p;
    p.AddObject(8, 0, 0, 0, 0);
    const int32_t v[] = {600, 600, 1200, 600, 1200, 1200};
    p.SetVertices(0, 3, v, 0);
    p.LineWidth(20);
    const QImage joined = draw::renderImage(p, 600);
    EXPECT_TRUE(dark(joined.pixel(1205, 594)));
    EXPECT_FALSE(dark(joined.pixel(1209, 591)));
}

TEST(DrawRender, CurvedOutlinesKeepTheirWidthAllRoundAndDashedOnesTheirPattern) {
    // Circles 600 across about (600, 600) and (600, 1300): solid 20 wide, and dashed 8 wide; a
    // hairline circle about (1500, 600); a rounded box 800 by 400 turned a quarter about (2300, 600).
    Sheet d;
    d.AddObject(4, 300, 300, 900, 900);
    d.LineWidth(20);
    d.AddObject(4, 300, 1000, 900, 1600);
    d.LineWidth(8);
    d.LineStyle(1);
    d.AddObject(4, 1200, 300, 1800, 900);
    d.LineWidth(0);
    d.AddObject(3, 1900, 400, 2700, 800);
    d.LineWidth(20);
    d.at(d.count() - 1).angle = 90;
    const QImage image = draw::renderImage(d, 600); // one pixel a unit
    auto onCircle = [&](double cy, int degrees) {
        const double a = degrees * M_PI / 180;
        return dark(image.pixel(int(std::lround(600 + 300 * std::cos(a))), int(std::lround(cy + 300 * std::sin(a)))));
    };
    int solid = 0, dashed = 0;
    for (int deg = 0; deg < 360; ++deg) {
        solid += onCircle(600, deg);
        dashed += onCircle(1300, deg);
    }
    EXPECT_EQ(solid, 360); // closed all round, where the outline starts too
    const auto pattern = draw::dashPattern(1, 8);
    EXPECT_NEAR(dashed / 360.0, pattern[0] / (pattern[0] + pattern[1]), 0.08);
    // The pen's width across the left and top of the solid circle, the hairline's one pixel, and
    // the turned box's long sides now upright.
    EXPECT_NEAR(ink(image, 600, 250, 350), 20, 0.5);
    double top = 0;
    for (int row = 250; row <= 350; ++row)
        top += (255 - qGray(image.pixel(600, row))) / 255.0;
    EXPECT_NEAR(top, 20, 0.5);
    EXPECT_NEAR(ink(image, 600, 1150, 1250), 1, 0.3);
    EXPECT_NEAR(ink(image, 600, 2050, 2150), 20, 0.5);
    EXPECT_NEAR(ink(image, 600, 2450, 2550), 20, 0.5);
    EXPECT_FALSE(dark(image.pixel(2300, 600)));
}

TEST(DrawRender, PatternFillsTileAtThePicturesOwnResolution) {
    Sheet d;
    QImage checker(2, 2, QImage::Format_RGB32);
    checker.setPixel(0, 0, qRgb(0, 0, 0));
    checker.setPixel(1, 1, qRgb(0, 0, 0));
    checker.setPixel(1, 0, qRgb(255, 255, 255));
    checker.setPixel(0, 1, qRgb(255, 255, 255));
    checker.setDotsPerMeterX(3780); // 96 dpi: a pattern pixel is 6.25 units
    checker.setDotsPerMeterY(3780);
    d.AddObject(2, 0, 0, 600, 600);
    d.LineStyle(5);
    d.FillPictureFile(checker);
    const QImage image = draw::renderImage(d, 600);
    EXPECT_TRUE(dark(image.pixel(3, 3)));
    EXPECT_FALSE(dark(image.pixel(9, 3)));
    EXPECT_TRUE(dark(image.pixel(9, 9)));
    EXPECT_TRUE(dark(image.pixel(503, 503))); // 80 whole tiles on
    EXPECT_FALSE(dark(image.pixel(700, 3)));  // outside the rectangle
}

TEST(DrawRender, BitmapsAreStretchedIntoTheirFrame) {
    Sheet d;
    QImage two(2, 1, QImage::Format_RGB32);
    two.setPixel(0, 0, qRgb(255, 0, 0));
    two.setPixel(1, 0, qRgb(0, 0, 255));
    d.Picture(two);
    d.AddObject(12, 600, 1200, 1800, 600); // given bottom-up, as the page commands do
    const QImage image = draw::renderImage(d, 100);
    EXPECT_EQ(image.pixel(120, 150), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(280, 150), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(50, 150), qRgb(255, 255, 255));
}

TEST(DrawRender, TheCoordinateExtentMapsOntoTheSheet) {
    Sheet d;
    d.UnitsWidth(6000); // twice the sheet: every coordinate counts half
    d.UnitsHeight(3600);
    d.AddObject(2, 2000, 1200, 4000, 2400);
    d.FillColor(0);
    const QImage image = draw::renderImage(d, 600);
    EXPECT_TRUE(dark(image.pixel(1500, 900)));
    EXPECT_FALSE(dark(image.pixel(2100, 900)));

    // A device context renders the same sheet into the output rectangle.
    QImage device(400, 300, QImage::Format_RGB32);
    device.fill(Qt::green);
    d.OutputLeft(100);
    d.OutputTop(50);
    d.OutputWidth(200);
    d.OutputHeight(120);
    d.OutputDC(&device);
    EXPECT_EQ(device.pixel(50, 20), qRgb(0, 255, 0));      // outside the output rectangle
    EXPECT_EQ(device.pixel(120, 60), qRgb(255, 255, 255)); // sheet background
    EXPECT_TRUE(dark(device.pixel(200, 110)));             // the rectangle, a third of the sheet in
}

TEST(DrawRender, OutputOptionsLeaveOutMarkersAndDeletedObjectsAndSwapInPrintPatterns) {
    Sheet d;
    d.AddObject(2, 0, 0, 600, 600); // solid black, printed with a white pattern
    d.FillColor(0);
    d.LineStyle(5);
    const draw::Long patterned = d.ObjectId();
    d.AddObject(2, 1200, 0, 1800, 600); // a node marker
    d.FillColor(0);
    d.TagTarget(5);
    d.ObjectTag(QStringLiteral("nodeselected"), QStringLiteral("F"));
    d.AddObject(2, 2400, 0, 3000, 600); // deleted in the window
    d.FillColor(0);
    d.ObjectTag(QStringLiteral("Change"), QStringLiteral("T"));
    const QStringList before = draw::dumpDrawing(d);

    const QImage screen = draw::renderImage(d, 100);
    EXPECT_TRUE(dark(screen.pixel(50, 50)));
    EXPECT_TRUE(dark(screen.pixel(250, 50)));
    EXPECT_TRUE(dark(screen.pixel(450, 50)));

    QImage white(4, 4, QImage::Format_RGB32);
    white.fill(Qt::white);
    draw::OutputOptions print;
    print.patterns = draw::OutputOptions::Patterns::Print;
    print.printPatterns.insert(patterned, white);
    print.hideNodeMarkers = true;
    print.dropDeleted = true;
    print.dotsPerInch = 50;
    const QImage paper = draw::renderImage(d, print);
    EXPECT_EQ(paper.size(), QSize(250, 150));
    EXPECT_FALSE(dark(paper.pixel(25, 25)));
    EXPECT_FALSE(dark(paper.pixel(125, 25)));
    EXPECT_FALSE(dark(paper.pixel(225, 25)));
    EXPECT_EQ(draw::dumpDrawing(d), before); // the drawing keeps its own fills and objects

    // The same choice for writers that walk the objects themselves; screen patterns ignore the map.
    draw::DrawObject scratch;
    EXPECT_EQ(print.shown(d.at(1), scratch), nullptr);
    EXPECT_EQ(print.shown(d.at(2), scratch), nullptr);
    EXPECT_EQ(print.shown(d.at(0), scratch), &scratch);
    EXPECT_EQ(scratch.style.fill, draw::FillMode::Picture);
    print.patterns = draw::OutputOptions::Patterns::Screen;
    EXPECT_EQ(print.shown(d.at(0), scratch), &d.at(0));
    EXPECT_EQ(draw::OutputOptions::screen().shown(d.at(1), scratch), &d.at(1));
}
