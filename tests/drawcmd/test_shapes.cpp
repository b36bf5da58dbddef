// SPDX-License-Identifier: GPL-3.0-or-later
// Circles, the polygon buffer and its fills, markers, triangles and bitmaps.
#include "drawtest.h"

#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QImage>
#include <limits>

using Shapes = DrawCmdTest;

namespace {
QVector<QPoint> pts(std::initializer_list<QPoint> l) {
    return QVector<QPoint>(l);
}
constexpr draw::Long Grey127 = draw::RGB(127, 127, 127);
} // namespace

TEST_F(Shapes, CirclesAreMeasuredInInchesWhateverTheScales) {
    penAt(600, 600);
    c.SH(5);
    c.SV(0.1f);
    pageCanvas().CurrentLineColor = draw::RGB(255, 0, 0);
    c.C(0.1f);
    c.EF(0.05f);
    ASSERT_EQ(objects(), 2);
    EXPECT_EQ(obj(0).kind, draw::Ellipse);
    expectFrame(obj(0), 540, 540, 660, 660);
    EXPECT_EQ(obj(0).style.fill, draw::FillMode::None);
    expectFrame(obj(1), 570, 570, 630, 630);
    EXPECT_EQ(obj(1).style.fill, draw::FillMode::Solid);
    EXPECT_EQ(obj(1).style.fillColor, draw::RGB(255, 0, 0));
    EXPECT_EQ(obj(1).style.lineColor, draw::Black); // the outline keeps the default
    EXPECT_FLOAT_EQ(pageCanvas().PenX, 600);
}

TEST_F(Shapes, GreyShadesRunFromWhiteToBlackAndAreClamped) {
    penAt(600, 600);
    const float shades[] = {0, 1, 0.5f, 2, -1};
    const draw::Long greys[] = {draw::White, draw::Black, Grey127, draw::Black, draw::White};
    for (float s : shades)
        c.EFS(0.1f, s);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(obj(i).style.fillColor, greys[i]) << i;
        EXPECT_EQ(obj(i).style.lineColor, greys[i]) << i;
    }
    EXPECT_EQ(GreyOf(0.3f), draw::RGB(178, 178, 178)); // rounded down
}

TEST_F(Shapes, VertexCommandsBufferThePenAndMoveIt) {
    Metaugl& m = pageCanvas();
    penAt(600, 1200);
    c.PU(1);
    EXPECT_EQ(m.PolyCount, 4);
    EXPECT_EQ(m.PolyPoints[1], 600);
    EXPECT_EQ(m.PolyPoints[2], 1200);
    EXPECT_EQ(m.PolyPoints[3], 600);
    EXPECT_EQ(m.PolyPoints[4], 600);
    EXPECT_FLOAT_EQ(m.PenY, 600);
    c.SH(2);
    c.PR(1);
    c.PRTO(-1, -0.5f);
    c.PL(0.5f);
    EXPECT_EQ(m.PolyCount, 10);
    EXPECT_EQ(m.PolyPoints[5], 900);
    EXPECT_EQ(m.PolyPoints[7], 600);
    EXPECT_EQ(m.PolyPoints[8], 900);
    EXPECT_EQ(m.PolyPoints[9], 450);
    EXPECT_EQ(objects(), 0);
}

TEST_F(Shapes, FilledPolygonsTakeTheBufferEmptyItAndPutThePenOnTheFirstVertex) {
    Metaugl& m = pageCanvas();
    penAt(600, 1200);
    c.PR(1);
    c.PU(1);
    c.PL(1);
    c.SR(3);
    c.PFC(draw::RGB(0, 0, 255));
    ASSERT_EQ(objects(), 1);
    EXPECT_EQ(last().kind, draw::Polygon);
    EXPECT_EQ(last().vertices, pts({{600, 1200}, {1200, 1200}, {1200, 600}, {600, 600}}));
    expectFrame(last(), 600, 600, 1200, 1200);
    EXPECT_EQ(last().style.fillColor, draw::RGB(0, 0, 255));
    EXPECT_EQ(last().style.lineColor, draw::Black);
    EXPECT_EQ(last().style.lineWidth, 4);
    EXPECT_EQ(last().style.lineStyle, 0);
    EXPECT_EQ(m.PolyCount, 0);
    EXPECT_FLOAT_EQ(m.PenX, 600);
    EXPECT_FLOAT_EQ(m.PenY, 1200);

    c.PU(0.5f);
    c.PR(0.5f);
    c.PFS(0.5f);
    EXPECT_EQ(last().vertices, pts({{600, 1200}, {600, 900}, {900, 900}}));
    EXPECT_EQ(last().style.fillColor, Grey127);
    EXPECT_EQ(last().style.lineColor, Grey127);
    EXPECT_EQ(m.PolyCount, 0);
    EXPECT_FLOAT_EQ(m.PenY, 1200);
}

TEST_F(Shapes, TidyingDropsRepeatedCornersOnly) {
    Metaugl& m = pageCanvas();
    penAt(600, 600);
    // Closed back to the start, with a repeated second vertex.
    c.PR(0);
    c.PR(1);
    c.PU(-1);
    c.PL(1);
    c.PU(1);
    c.PFC(0);
    EXPECT_EQ(last().vertices, pts({{600, 600}, {1200, 600}, {1200, 1200}, {600, 1200}}));

    // A repeated fourth corner goes; the real vertices after it stay.
    penAt(600, 600);
    c.PR(1);
    c.PU(-1);
    c.PRTO(0, 0);
    c.PL(0.5f);
    c.PL(0.5f);
    c.PFC(0);
    EXPECT_EQ(last().vertices, pts({{600, 600}, {1200, 600}, {1200, 1200}, {900, 1200}, {600, 1200}}));

    // Values an earlier polygon left beyond the buffered ones do not count.
    ASSERT_EQ(m.PolyPoints[7], 900);
    ASSERT_EQ(m.PolyPoints[8], 1200);
    penAt(900, 600);
    c.PRTO(-0.5f, -1);
    c.PR(0.5f);
    c.PFC(0);
    EXPECT_EQ(last().vertices, pts({{900, 600}, {600, 1200}, {900, 1200}}));
}

TEST_F(Shapes, TheBufferHoldsTwoHundredFiftyVerticesAndAnEmptyBufferCannotBeFilled) {
    Metaugl& m = pageCanvas();
    EXPECT_EQ(errorOf([&] { c.PFC(0); }), 9);
    EXPECT_EQ(errorOf([&] { c.PFS(0); }), 9);
    EXPECT_EQ(objects(), 0);

    penAt(600, 600);
    c.SH(100);
    for (int i = 0; i < 249; ++i)
        c.PR(1);
    EXPECT_EQ(m.PolyCount, 500);
    const float penX = m.PenX;
    EXPECT_EQ(errorOf([&] { c.PR(1); }), 9);
    EXPECT_EQ(m.PolyCount, 500);
    EXPECT_FLOAT_EQ(m.PenX, penX);
    c.PFS(0);
    EXPECT_EQ(last().vertices.size(), 250);
}

TEST_F(Shapes, SquareMarkerIsAShadedBoxAboveAndRightOfThePen) {
    Metaugl& m = pageCanvas();
    penAt(600, 1200);
    c.DrawSquareMarker(0.005f, 1, 0.5f);
    c.DrawSquareMarker(1, -0.01f, 0.5f);
    EXPECT_EQ(objects(), 0);
    EXPECT_EQ(m.PolyCount, 0);
    c.DrawSquareMarker(0.2f, 0.1f, 1);
    ASSERT_EQ(objects(), 1);
    EXPECT_EQ(last().vertices, pts({{600, 1200}, {720, 1200}, {720, 1140}, {600, 1140}}));
    EXPECT_EQ(last().style.fillColor, draw::Black);
    EXPECT_FLOAT_EQ(m.PenX, 600);
    EXPECT_FLOAT_EQ(m.PenY, 1200);
}

TEST_F(Shapes, TrianglesAreInscribedInACircleOfTheirSizeWhateverTheScales) {
    Metaugl& m = pageCanvas();
    penAt(1200, 1200);
    c.SH(3);
    c.SV(0.5f);
    m.CurrentLineColor = draw::RGB(0, 128, 0);
    c.TRIF(0.1f);
    ASSERT_EQ(objects(), 1);
    EXPECT_EQ(last().vertices, pts({{1252, 1230}, {1148, 1230}, {1200, 1140}}));
    EXPECT_EQ(last().style.fillColor, draw::RGB(0, 128, 0));
    EXPECT_EQ(last().style.lineColor, draw::Black);
    EXPECT_EQ(last().style.lineWidth, 4);
    EXPECT_FLOAT_EQ(m.HorizontalScale, 3);
    EXPECT_FLOAT_EQ(m.VerticalScale, 0.5f);
    EXPECT_NEAR(m.PenX, 1200, 0.5);
    EXPECT_NEAR(m.PenY, 1200, 0.5);

    c.NewDrawing();
    penAt(1200, 1200);
    c.LW(1);
    c.TRI(0.1f);
    ASSERT_EQ(objects(), 3);
    expectFrame(obj(0), 1252, 1230, 1148, 1230);
    expectFrame(obj(1), 1148, 1230, 1200, 1140);
    expectFrame(obj(2), 1200, 1140, 1252, 1230);
    EXPECT_EQ(obj(0).style.lineWidth, 4);
}

TEST_F(Shapes, ATriangleThatFailsStillPutsTheScalesBack) {
    Metaugl& m = pageCanvas();
    penAt(1200, 1200);
    c.SH(2);
    for (int i = 0; i < 248; ++i)
        c.PR(0.001f);
    EXPECT_EQ(errorOf([&] { c.TRIF(0.1f); }), 9);
    EXPECT_FLOAT_EQ(m.HorizontalScale, 2);
    EXPECT_FLOAT_EQ(m.VerticalScale, 1);
}

TEST_F(Shapes, BitmapsFillAFrameUpAndRightOfThePen) {
    TempProgramFolder folder;
    QImage logo(40, 20, QImage::Format_RGB32);
    logo.fill(Qt::blue);
    ASSERT_TRUE(logo.save(folder.file(QStringLiteral("logo.bmp")), "BMP"));
    penAt(600, 1200);
    pageCanvas().CurrentObjName = QStringLiteral("logo");
    c.DrawBMP(folder.file(QStringLiteral("LOGO.BMP")), 2.25f, 0.65f);
    ASSERT_EQ(objects(), 1);
    EXPECT_EQ(dumpObject(last()), "1 bitmap frame=600,1200,1950,810 picture=40x20 tags={objname=logo}");
    EXPECT_FALSE(last().selected);

    ScriptedUi ui;
    ui.answer(vb::OK, QStringLiteral("BMP File Not Found: nothere.bmp"));
    c.DrawBMP(QStringLiteral("nothere.bmp"), 1, 1);
    EXPECT_EQ(objects(), 1);
}

TEST_F(Shapes, AShadeThatIsNotFiniteIsAnOverflowAndChangesNothing) {
    Metaugl& m = pageCanvas();
    penAt(600, 1200);
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (float s : {nan, inf, -inf}) {
        EXPECT_EQ(errorOf([&] { c.EFS(0.1f, s); }), qmerr::Overflow) << s;
        EXPECT_EQ(errorOf([&] { c.DrawSquareMarker(0.2f, 0.1f, s); }), qmerr::Overflow) << s;
        EXPECT_EQ(errorOf([&] { GreyOf(s); }), qmerr::Overflow) << s;
    }
    EXPECT_EQ(objects(), 0);
    EXPECT_EQ(m.PolyCount, 0);
    EXPECT_FLOAT_EQ(m.PenX, 600);
    EXPECT_FLOAT_EQ(m.PenY, 1200);
    c.PU(1);
    c.PR(1);
    EXPECT_EQ(errorOf([&] { c.PFS(nan); }), qmerr::Overflow);
    EXPECT_EQ(objects(), 0);
}
