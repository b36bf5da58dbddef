// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing tools driven by the mouse and keyboard in the drawing window. The sheet (10.5 by 8
// inches, 6300 by 4800 units) is shown at 630 by 480 pixels with its corner on pixel (1, 1), so a
// pixel (px, py) is the unit point (10 (px - 1), 10 (py - 1)): every expected unit below is worked
// out from the pixels clicked by that rule.
#include "drawareafixture.h"

#include "platform/drawing/objecttags.h"
#include "support/scriptedui.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

class DrawTools : public ShownDrawArea {
protected:
    static void clickAt(QPoint px) { QTest::mouseClick(view(), Qt::LeftButton, {}, px); }
    static void key(Qt::Key k) { QTest::keyClick(view(), k); }
    static draw::DrawObject& last() { return pageDrawing().at(pageDrawing().count() - 1); }
    static QVector<QPoint> pts(std::initializer_list<QPoint> l) { return QVector<QPoint>(l); }

    ScriptedUi ui;
};

} // namespace

TEST_F(DrawTools, APolygonByClicksEndsOnADoubleClickAndEscapeFillsIt) {
    editingSession().CurrentFillColor = draw::RGB(0, 160, 0);
    press(11);
    EXPECT_EQ(pageDrawing().EditMode(), 9);
    clickAt({101, 101});
    clickAt({201, 101});
    EXPECT_EQ(pageDrawing().count(), 0) << "nothing is added before the shape ends";
    EXPECT_EQ(view()->pendingVertices(), pts({{1000, 1000}, {2000, 1000}}));
    QTest::mouseDClick(view(), Qt::LeftButton, {}, QPoint(151, 201));
    ASSERT_EQ(pageDrawing().count(), 1);
    EXPECT_EQ(last().kind, draw::Polygon);
    EXPECT_EQ(last().vertices, pts({{1000, 1000}, {2000, 1000}, {1500, 2000}}));
    EXPECT_EQ(drawwin().DrawingModified, 1);
    EXPECT_EQ(pageDrawing().currentId(), last().id);
    key(Qt::Key_Escape);
    EXPECT_EQ(last().style.fillColor, draw::RGB(0, 160, 0));
    EXPECT_EQ(last().style.lineWidth, 4);
    EXPECT_EQ(last().tag(draw::tags::Color), QString::number(draw::RGB(0, 160, 0)));
}

TEST_F(DrawTools, APolylineEndedByEscapeGoesToTheBackInTheLineColour) {
    pageDrawing().AddObject(draw::Rectangle, 0, 0, 600, 600); // a page object the line goes behind
    pageCanvas().CurrentLineColor = draw::RGB(0, 0, 255);
    press(12);
    clickAt({101, 301});
    clickAt({301, 351});
    QTest::mouseMove(view(), QPoint(400, 400)); // the rubber segment follows; nothing is added
    EXPECT_EQ(pageDrawing().count(), 1);
    key(Qt::Key_Escape);
    ASSERT_EQ(pageDrawing().count(), 2);
    const draw::DrawObject& line = pageDrawing().at(0);
    EXPECT_EQ(line.kind, draw::Polyline);
    EXPECT_EQ(line.vertices, pts({{1000, 3000}, {3000, 3500}}));
    EXPECT_EQ(line.style.lineColor, draw::RGB(0, 0, 255));

    // One vertex is no line: Escape adds nothing.
    clickAt({101, 451});
    key(Qt::Key_Escape);
    EXPECT_EQ(pageDrawing().count(), 2);
}

TEST_F(DrawTools, FramesAreDrawnByDraggingEachInItsKind) {
    const int kinds[][2] = {{13, draw::Rectangle}, {14, draw::RoundRect}, {15, draw::Ellipse}};
    int row = 0;
    for (const auto& k : kinds) {
        press(k[0]);
        drag({101, 101 + 100 * row}, {301, 151 + 100 * row});
        ASSERT_EQ(pageDrawing().count(), row + 1);
        EXPECT_EQ(last().kind, k[1]);
        EXPECT_EQ(frameOf(last()), QRect(QPoint(1000, 1000 + 1000 * row), QPoint(3000, 1500 + 1000 * row)));
        ++row;
    }
    EXPECT_EQ(drawwin().DrawingModified, 1);
}

TEST_F(DrawTools, TypedTextIsAnchoredAtTheClickAndEscapeGivesItTheFontDialogsSize) {
    FontChoice twelve;
    twelve.family = "Arial";
    twelve.size = 12;
    ui.font(twelve);
    press(18);
    press(16);
    clickAt({101, 301});
    QTest::keyClicks(view(), "MW-7a");
    key(Qt::Key_Backspace);
    ASSERT_EQ(pageDrawing().count(), 1);
    EXPECT_EQ(last().text, "MW-7");
    EXPECT_EQ(QPoint(last().x1, last().y1), QPoint(1000, 3000));
    key(Qt::Key_Escape);
    EXPECT_DOUBLE_EQ(last().style.textHeight, -100);

    // Enter ends silently; a text left empty goes.
    clickAt({101, 401});
    QTest::keyClicks(view(), "B");
    key(Qt::Key_Return);
    EXPECT_EQ(last().text, "B");
    clickAt({101, 451});
    clickAt({301, 451}); // a click elsewhere ends the empty text
    EXPECT_EQ(pageDrawing().count(), 2);
}

TEST_F(DrawTools, ASymbolIsPlacedByADragOnTheFrame) {
    const QString sym = pf.file("well.bmp");
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(Qt::red);
    ASSERT_TRUE(img.save(sym, "BMP"));
    ui.file(sym, "Select Symbol File");
    press(19);
    press(17);
    EXPECT_EQ(pageDrawing().EditMode(), 12);
    drag({201, 201}, {251, 261});
    ASSERT_EQ(pageDrawing().count(), 1);
    EXPECT_EQ(last().kind, draw::Bitmap);
    EXPECT_EQ(frameOf(last()), QRect(QPoint(2000, 2000), QPoint(2500, 2600)));
    EXPECT_EQ(last().picture.pixelColor(0, 0), QColor(Qt::red));
    clickAt({401, 401});
    EXPECT_EQ(pageDrawing().count(), 1) << "a click draws no frame and deletes nothing";
}

TEST_F(DrawTools, MarkersPlacedAndPickedByClicksMakeAnArrowAndALens) {
    press(1);
    for (QPoint p : {QPoint(101, 101), QPoint(201, 101)}) clickAt(p);
    ASSERT_EQ(pageDrawing().count(), 2);
    EXPECT_EQ(frameOf(pageDrawing().at(0)), QRect(QPoint(976, 976), QPoint(1024, 1024)));
    press(1); // Add Node up: clicks now pick
    clickAt({101, 101});
    clickAt({201, 101});
    EXPECT_EQ(editingSession().SelectedNodeCount, 4);
    EXPECT_EQ(pageDrawing().at(1).style.fillColor, draw::RGB(0, 0, 255));
    press(9);
    ASSERT_EQ(pageDrawing().count(), 4);
    EXPECT_EQ(pageDrawing().at(3).vertices, pts({{2000, 1000}, {1910, 964}, {1910, 1036}}));
    EXPECT_EQ(pageDrawing().at(1).style.fillColor, draw::RGB(255, 0, 0));

    // A lens through four nodes, placed and picked by clicks, patterned from the palette.
    press(1);
    for (QPoint p : {QPoint(101, 301), QPoint(201, 281), QPoint(301, 301), QPoint(201, 321)}) clickAt(p);
    press(1);
    for (QPoint p : {QPoint(101, 301), QPoint(201, 281), QPoint(301, 301), QPoint(201, 321)}) clickAt(p);
    EXPECT_EQ(editingSession().SelectedNodeCount, 8);
    editingSession().CurrentFillPattern = "F12_sc.bmp";
    editingSession().CurrentFillColor = draw::RGB(0, 0, 200);
    QFile::remove(modgw().FillPath + "Temp.bmp");
    ASSERT_TRUE(QFile::copy(modgw().FillPath + "F12_sc.bmp", modgw().FillPath + "Temp.bmp"));
    press(7);
    const draw::DrawObject& lens = last();
    EXPECT_EQ(lens.tag(draw::tags::Fill), "F12.bmp");
    ASSERT_EQ(lens.kind, draw::Polygon);
    ASSERT_EQ(lens.vertices.size(), 44);
    EXPECT_EQ(lens.vertices[0], QPoint(1000, 3000));
    EXPECT_EQ(lens.vertices[11], QPoint(2000, 2800));
    EXPECT_EQ(lens.vertices[22], QPoint(3000, 3000));

    // A polygon and free text beside them, then the page as it shows, for the eye.
    press(11);
    for (QPoint p : {QPoint(401, 101), QPoint(501, 101)}) clickAt(p);
    QTest::mouseDClick(view(), Qt::LeftButton, {}, QPoint(451, 181));
    press(16);
    clickAt({401, 301});
    QTest::keyClicks(view(), "Lens");
    key(Qt::Key_Escape);
    press(1);
    clickAt({551, 401});
    const QString shot = qEnvironmentVariable("QMAR_SCREENSHOT");
    if (!shot.isEmpty()) view()->grab().save(shot);
    EXPECT_EQ(drawwin().DrawingModified, 1);
}
