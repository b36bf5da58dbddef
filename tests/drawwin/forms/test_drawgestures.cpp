// SPDX-License-Identifier: GPL-3.0-or-later
// Resizing and turning the selection with the mouse. The sheet is 1000 by 800 units shown at 500 by
// 400 pixels from pixel (1, 1), so unit u lies at pixel 1 + u / 2 and a pixel step is 2 units. The
// three objects below span the box (100, 100)-(600, 300); the text lies inside it (its extent is
// about 60 by 56 units round its anchor). Every expected frame, vertex and anchor was worked out by
// hand from that box: a resize maps the box onto the new one with the opposite corner fixed, a 90
// degree turn about the box's centre (350, 200) takes (x, y) to (350 + y - 200, 200 - x + 350).
#include "viewfixture.h"

#include <gtest/gtest.h>

namespace {

class Gestures : public SheetViewTest {
protected:
    void SetUp() override {
        SheetViewTest::SetUp();
        QObject::connect(&d, &draw::DrawModel::editAction, [this](int code) { events << code; });
    }

    // A rectangle, a polygon and a text, all selected.
    void addShapes() {
        d.AddObject(draw::Rectangle, 100, 100, 300, 200);
        rect = d.ObjectId();
        d.AddObject(draw::Polygon, 0, 0, 0, 0);
        poly = d.ObjectId();
        const draw::Long pts[] = {400, 100, 600, 100, 500, 300};
        d.SetVertices(0, 3, pts, 0);
        d.AddObject(draw::Text, 200, 250, 200, 250);
        text = d.ObjectId();
        d.TextString("Ab");
        d.TextHeight(-50);
        for (draw::Long id : {rect, poly, text})
            d.selectGroupOf(id);
        ASSERT_EQ(v.selectionBox(), QRectF(QPointF(100, 100), QPointF(600, 300)));
    }

    QList<int> events;
    draw::Long rect = 0, poly = 0, text = 0;
};

struct Resize {
    const char* corner;
    QPoint press; // units of the corner pressed
    QPoint by;    // pixels dragged
    QRect rect;   // rectangle's frame after, as x1, y1, x2, y2
    QVector<QPoint> poly;
    QPoint anchor;
};

} // namespace

TEST_F(Gestures, ACornerHandleResizesEverySelectedObjectWithTheOppositeCornerFixed) {
    // Each drag stretches the box by 100 units across (500 to 600: x 1.2) and 100 down (200 to 300:
    // y 1.5); the text's height grows with the box's, from 50 to 75.
    // clang-format off
    const Resize cases[] = {
        {"bottom right", {600, 300}, {50, 50}, QRect(QPoint(100, 100), QPoint(340, 250)),
         {{460, 100}, {700, 100}, {580, 400}}, {220, 325}},
        {"top left", {100, 100}, {-50, -50}, QRect(QPoint(0, 0), QPoint(240, 150)),
         {{360, 0}, {600, 0}, {480, 300}}, {120, 225}},
        {"top right", {600, 100}, {50, -50}, QRect(QPoint(100, 0), QPoint(340, 150)),
         {{460, 0}, {700, 0}, {580, 300}}, {220, 225}},
        {"bottom left", {100, 300}, {-50, 50}, QRect(QPoint(0, 100), QPoint(240, 250)),
         {{360, 100}, {600, 100}, {480, 400}}, {120, 325}},
    };
    // clang-format on
    d.EditMode(11);
    for (const Resize& c : cases) {
        SCOPED_TRACE(c.corner);
        d.ClearDrawing();
        addShapes();
        events.clear();
        const QPoint from = at(c.press.x(), c.press.y());
        EXPECT_GE(v.handleAt(from), 0);
        drag(from, from + c.by);
        EXPECT_EQ(events, QList<int>({1, 4}));
        EXPECT_EQ(frame(rect), c.rect);
        EXPECT_EQ(vertices(poly), c.poly);
        EXPECT_EQ(anchor(text), c.anchor);
        EXPECT_DOUBLE_EQ(d.find(text)->style.textHeight, -75);
        EXPECT_EQ(d.selectedCount(), 3); // the selection stays
    }
}

TEST_F(Gestures, ACornerDraggedPastTheFixedOneMirrorsButNeverMeetsIt) {
    d.EditMode(11);
    d.AddObject(draw::Polygon, 0, 0, 0, 0);
    const draw::Long tri = d.ObjectId();
    const draw::Long pts[] = {100, 100, 300, 100, 200, 300};
    d.SetVertices(0, 3, pts, 0);
    d.selectGroupOf(tri);
    // The bottom right corner from x 300 to 0, past the fixed left side at 100: mirrored, half as wide.
    drag(at(300, 300), at(0, 300));
    EXPECT_EQ(vertices(tri), QVector<QPoint>({{100, 100}, {0, 100}, {50, 300}}));
    EXPECT_EQ(events, QList<int>({1, 4}));

    // Dropped on the fixed side, the dragged one stays a unit off it: the rectangle keeps an extent.
    d.ClearDrawing();
    d.AddObject(draw::Rectangle, 100, 100, 300, 200);
    d.selectGroupOf(d.ObjectId());
    drag(at(300, 200), at(100, 100));
    EXPECT_EQ(frame(d.ObjectId()), QRect(QPoint(100, 100), QPoint(101, 101)));
}

TEST_F(Gestures, ASmallSelectionMovesFromInsideAndResizesFromOutside) {
    // 10 units are 5 pixels: handles reaching 4 pixels round each corner would cover the whole box.
    d.EditMode(11);
    d.AddObject(draw::Rectangle, 200, 200, 210, 210);
    const draw::Long small = d.ObjectId();
    d.selectGroupOf(small);
    drag(at(206, 206), at(306, 306));
    EXPECT_EQ(events, QList<int>({1, 3}));
    EXPECT_EQ(frame(small), QRect(QPoint(300, 300), QPoint(310, 310)));
    events.clear();
    drag(at(310, 310) + QPoint(2, 2), at(330, 330) + QPoint(2, 2));
    EXPECT_EQ(events, QList<int>({1, 4}));
    EXPECT_EQ(frame(small), QRect(QPoint(300, 300), QPoint(330, 330)));
}

TEST_F(Gestures, APressOnAHandleWithoutADragChangesNothing) {
    d.EditMode(11);
    addShapes();
    QTest::mouseClick(&v, Qt::LeftButton, {}, at(600, 300));
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(d.selectedCount(), 3);
    EXPECT_EQ(frame(rect), QRect(QPoint(100, 100), QPoint(300, 200)));
}

TEST_F(Gestures, RotateModeTurnsTheSelectionAboutItsBoxsCentreByTheSweptAngle) {
    d.EditMode(13);
    addShapes();
    // From right of the centre (on the polygon) round to straight above it: a quarter turn
    // counter-clockwise, by way of an eighth.
    QTest::mousePress(&v, Qt::LeftButton, {}, at(500, 200));
    QTest::mouseMove(&v, at(456, 94));
    QTest::mouseMove(&v, at(350, 50));
    QTest::mouseRelease(&v, Qt::LeftButton, {}, at(350, 50));
    EXPECT_EQ(events, QList<int>({1, 4}));

    // The rectangle keeps its kind and size; its centre (200, 150) goes to (300, 350).
    const draw::DrawObject& r = *d.find(rect);
    EXPECT_EQ(r.kind, draw::Rectangle);
    EXPECT_EQ(frame(rect), QRect(QPoint(200, 300), QPoint(400, 400)));
    EXPECT_NEAR(r.angle, 90, 1e-9);
    EXPECT_EQ(vertices(poly), QVector<QPoint>({{250, 150}, {250, -50}, {450, 50}}));
    EXPECT_EQ(anchor(text), QPoint(400, 350));
    EXPECT_NEAR(d.find(text)->style.textAngle, 90, 1e-9);
    EXPECT_DOUBLE_EQ(d.find(text)->style.textHeight, -50);
}

TEST_F(Gestures, ATurnSweptPastAHalfTurnKeepsCounting) {
    d.EditMode(13);
    d.AddObject(draw::Line, 100, 200, 300, 200); // centre (200, 200)
    const draw::Long line = d.ObjectId();
    d.selectGroupOf(line);
    // Once round clockwise and a quarter more, through every quadrant: minus 450 degrees turns as
    // minus 90, a quarter turn clockwise (right end to the bottom).
    QTest::mousePress(&v, Qt::LeftButton, {}, at(300, 200));
    for (const QPoint& u :
         {QPoint(200, 300), QPoint(100, 200), QPoint(200, 100), QPoint(300, 200), QPoint(200, 300)})
        QTest::mouseMove(&v, at(u.x(), u.y()));
    QTest::mouseRelease(&v, Qt::LeftButton, {}, at(200, 300));
    EXPECT_EQ(frame(line), QRect(QPoint(200, 100), QPoint(200, 300)));
}

TEST_F(Gestures, RotateModeSelectsAsSelectModeDoesAndTurnsWhatThePressSelected) {
    d.EditMode(13);
    d.AddObject(draw::Rectangle, 100, 100, 300, 200);
    const draw::Long a = d.ObjectId();
    d.AddObject(draw::Rectangle, 500, 500, 700, 700);
    const draw::Long b = d.ObjectId();
    QTest::mouseClick(&v, Qt::LeftButton, {}, at(200, 150));
    EXPECT_EQ(d.selectedIds(), QVector<draw::Long>({a}));
    QTest::mouseClick(&v, Qt::LeftButton, {}, at(900, 100));
    EXPECT_EQ(d.selectedCount(), 0);
    EXPECT_TRUE(events.isEmpty());

    // A drag from an object not yet selected selects it alone and turns it about its own centre.
    d.selectGroupOf(a);
    QTest::mousePress(&v, Qt::LeftButton, {}, at(700, 600));
    QTest::mouseMove(&v, at(650, 510));
    QTest::mouseMove(&v, at(600, 500));
    QTest::mouseRelease(&v, Qt::LeftButton, {}, at(600, 500));
    EXPECT_EQ(events, QList<int>({1, 4}));
    EXPECT_EQ(d.selectedIds(), QVector<draw::Long>({b}));
    EXPECT_NEAR(d.find(b)->angle, 90, 1e-9);
    EXPECT_EQ(d.find(a)->angle, 0);
    EXPECT_EQ(frame(a), QRect(QPoint(100, 100), QPoint(300, 200)));
}

TEST_F(Gestures, AMoveTakesTheWholeSelectionButNoDeletedObject) {
    d.EditMode(11);
    addShapes();
    d.AddObject(draw::Rectangle, -1000, -1000, -1000, -1000);
    const draw::Long gone = d.ObjectId();
    d.TagTarget(5);
    d.ObjectTag("Change", "T");
    d.selectGroupOf(gone);
    drag(at(200, 150), at(300, 200)); // 100 right, 50 down
    EXPECT_EQ(events, QList<int>({1, 3}));
    EXPECT_EQ(frame(rect), QRect(QPoint(200, 150), QPoint(400, 250)));
    EXPECT_EQ(vertices(poly), QVector<QPoint>({{500, 150}, {700, 150}, {600, 350}}));
    EXPECT_EQ(anchor(text), QPoint(300, 300));
    EXPECT_EQ(frame(gone), QRect(QPoint(-1000, -1000), QPoint(-1000, -1000)));
}

TEST_F(Gestures, TheModelIsAsItWasAtEachMoveWhenTheEditStartHandlerRuns) {
    // The edit-start handler records the selection before anything moves, whatever the gesture.
    d.EditMode(11);
    addShapes();
    QRect seen;
    QObject::connect(&d, &draw::DrawModel::editAction, [&](int code) {
        if (code == 1) seen = frame(rect);
    });
    drag(at(600, 300), at(700, 400));
    EXPECT_EQ(seen, QRect(QPoint(100, 100), QPoint(300, 200)));
    d.EditMode(13);
    const QRect before = frame(rect);
    drag(at(200, 150), at(100, 350));
    EXPECT_EQ(seen, before);
}

TEST_F(Gestures, WhileDraggedTheObjectsShowWhereTheyAreNowAndNotWhereTheyWere) {
    d.EditMode(11);
    d.AddObject(draw::Rectangle, 100, 100, 300, 300);
    d.FillColor(draw::Black);
    d.selectGroupOf(d.ObjectId());
    auto pixel = [&](double ux, double uy) { return v.grab().toImage().pixelColor(at(ux, uy)); };
    QTest::mousePress(&v, Qt::LeftButton, {}, at(200, 200));
    QTest::mouseMove(&v, at(250, 250));
    EXPECT_EQ(pixel(320, 320), QColor(Qt::black)); // painted once the drag has started
    QTest::mouseMove(&v, at(600, 500));
    EXPECT_EQ(pixel(150, 150), QColor(Qt::white)); // where it was
    EXPECT_EQ(pixel(320, 320), QColor(Qt::white)); // where the last move had it
    EXPECT_EQ(pixel(550, 450), QColor(Qt::black));
    QTest::mouseRelease(&v, Qt::LeftButton, {}, at(600, 500));
    EXPECT_EQ(pixel(150, 150), QColor(Qt::white));
    EXPECT_EQ(pixel(550, 450), QColor(Qt::black));
}
