// SPDX-License-Identifier: GPL-3.0-or-later
// Turning and scaling objects in the model, their bounds, hit tests and painting when turned, and
// the placement snapshots an undo restores. Expected positions are worked out by hand: a turn of 90
// degrees counter-clockwise on the sheet (y down) takes (dx, dy) from the centre to (dy, -dx).
#include "platform/drawing/drawdump.h"
#include "platform/drawing/drawmodel.h"
#include "platform/drawing/drawrender.h"
#include "platform/qmerror.h"
#include "support/errorof.h"

#include <QImage>
#include <gtest/gtest.h>

using draw::DrawModel;
using draw::DrawObject;
using draw::Long;

namespace {

struct Frame {
    Long x1, y1, x2, y2;
    bool operator==(const Frame&) const = default;
};
Frame frameOf(const DrawObject& o) {
    return {o.x1, o.y1, o.x2, o.y2};
}
std::ostream& operator<<(std::ostream& os, const Frame& f) {
    return os << f.x1 << ',' << f.y1 << ',' << f.x2 << ',' << f.y2;
}

void expectRect(const QRectF& r, double x1, double y1, double x2, double y2) {
    EXPECT_NEAR(r.left(), x1, 1e-9);
    EXPECT_NEAR(r.top(), y1, 1e-9);
    EXPECT_NEAR(r.right(), x2, 1e-9);
    EXPECT_NEAR(r.bottom(), y2, 1e-9);
}

DrawObject& polygon(DrawModel& m, const QVector<QPoint>& pts) {
    DrawObject& o = m.add(draw::Polygon, 0, 0, 0, 0);
    m.setVertices(o, pts);
    return o;
}

DrawObject& text(DrawModel& m, Long x, Long y, double height, const QString& s = QStringLiteral("Well 7")) {
    DrawObject& o = m.add(draw::Text, x, y, x, y);
    o.text = s;
    o.style.textHeight = height;
    return o;
}

QVector<QPoint> rounded(const QVector<QPointF>& pts) {
    QVector<QPoint> out;
    for (const QPointF& p : pts)
        out << p.toPoint();
    return out;
}

} // namespace

TEST(DrawTransform, QuarterTurnOfRectangleKeepsFrameAndTurnsItsBounds) {
    DrawModel m;
    DrawObject& r = m.add(draw::Rectangle, 100, 100, 300, 200);
    m.rotate({r.id}, QPointF(200, 150), 90);
    EXPECT_EQ(frameOf(r), (Frame{100, 100, 300, 200}));
    EXPECT_EQ(r.angle, 90);
    expectRect(draw::objectBounds(r), 150, 50, 250, 250);
    expectRect(m.boundsOf({r.id}), 150, 50, 250, 250);

    // Four quarter turns and a turn back come home exactly.
    for (int i = 0; i < 3; ++i)
        m.rotate({r.id}, QPointF(200, 150), 90);
    EXPECT_EQ(r.angle, 0);
    m.rotate({r.id}, QPointF(200, 150), -90);
    EXPECT_EQ(r.angle, 270);
    m.rotate({r.id}, QPointF(200, 150), 90);
    EXPECT_EQ(r.angle, 0);
    EXPECT_EQ(frameOf(r), (Frame{100, 100, 300, 200}));

    // About a centre elsewhere the frame moves whole: its centre (200, 150) goes to (150, -200).
    DrawObject& e = m.add(draw::Ellipse, 100, 100, 300, 200);
    m.rotate({e.id}, QPointF(0, 0), 90);
    EXPECT_EQ(frameOf(e), (Frame{50, -250, 250, -150}));
    EXPECT_EQ(e.kind, draw::Ellipse);
    expectRect(draw::objectBounds(e), 100, -300, 200, -100);
}

TEST(DrawTransform, QuarterTurnOfPointsLinesAndTexts) {
    DrawModel m;
    // A right angle at the top left with legs right and down; about (100, 100) the right leg turns up
    // and the lower leg turns right.
    DrawObject& p = polygon(m, {{0, 0}, {100, 0}, {0, 50}});
    DrawObject& l = m.add(draw::Line, 100, 100, 300, 100);
    DrawObject& t = text(m, 400, 100, -100);
    m.rotate({p.id, l.id, t.id}, QPointF(100, 100), 90);

    EXPECT_EQ(p.vertices, (QVector<QPoint>{{0, 200}, {0, 100}, {50, 200}}));
    EXPECT_EQ(frameOf(p), (Frame{0, 100, 50, 200}));
    EXPECT_EQ((Frame{p.vx1, p.vy1, p.vx2, p.vy2}), (Frame{0, 100, 50, 200}));
    EXPECT_EQ(p.angle, 0); // the points turned, not the object

    EXPECT_EQ(frameOf(l), (Frame{100, 100, 100, -100}));
    EXPECT_EQ(l.angle, 0);

    // The anchor (400, 100) is 300 right of the centre: it goes 300 up; the text stands upright.
    EXPECT_EQ(frameOf(t), (Frame{100, -200, 100, -200}));
    EXPECT_EQ(t.style.textAngle, 90);
    EXPECT_EQ(t.angle, 0);
    t.style.textAngle = 300;
    m.rotate({t.id}, QPointF(100, -200), 90);
    EXPECT_EQ(t.style.textAngle, 30);
    EXPECT_EQ(frameOf(t), (Frame{100, -200, 100, -200}));
}

TEST(DrawTransform, TurningAPolygonPlacesItsVerticesAsShown) {
    DrawModel m;
    // Vertices set in a 0..10 box but shown stretched onto the frame 100,100-300,200.
    DrawObject& p = polygon(m, {{0, 0}, {10, 0}, {10, 10}});
    p.setFrame(100, 100, 300, 200);
    m.rotate({p.id}, QPointF(200, 150), 90);
    EXPECT_EQ(p.vertices, (QVector<QPoint>{{150, 250}, {150, 50}, {250, 50}}));
    EXPECT_EQ(frameOf(p), (Frame{150, 50, 250, 250}));
    EXPECT_EQ(rounded(p.placedVertices()), p.vertices);

    // A turn back gives the shown shape again, now with vertices as placed.
    m.rotate({p.id}, QPointF(200, 150), -90);
    EXPECT_EQ(p.vertices, (QVector<QPoint>{{100, 100}, {300, 100}, {300, 200}}));
}

TEST(DrawTransform, OddTurnsRoundToWholeUnits) {
    DrawModel m;
    DrawObject& l = m.add(draw::Line, 0, 0, 100, 0);
    m.rotate({l.id}, QPointF(0, 0), 45);
    // (100, 0) to (70.71, -70.71), rounded.
    EXPECT_EQ(frameOf(l), (Frame{0, 0, 71, -71}));

    DrawObject& r = m.add(draw::Rectangle, 0, 0, 201, 101);
    m.rotate({r.id}, QPointF(0, 0), 30);
    EXPECT_EQ(r.x2 - r.x1, 201); // a turned frame keeps its size exactly
    EXPECT_EQ(r.y2 - r.y1, 101);
    EXPECT_DOUBLE_EQ(r.angle, 30);
    m.rotate({r.id}, QPointF(0, 0), 20.25);
    m.rotate({r.id}, QPointF(0, 0), 39.75);
    EXPECT_EQ(r.angle, 90); // mouse sweeps that add up to a quarter turn are one

    // Nothing happens for a turn that is not a number.
    const Frame before = frameOf(r);
    m.rotate({r.id}, QPointF(0, 0), std::nan(""));
    EXPECT_EQ(frameOf(r), before);
    EXPECT_EQ(r.angle, 90);
}

TEST(DrawTransform, ScaleFromEachCorner) {
    // The box 100,100-300,200 holds a rectangle filling it, a polygon with vertices on its edges,
    // a line and a text in its middle; each case drags one corner with the opposite one fixed.
    struct Case {
        const char* corner;
        QRectF to;
        Frame rect, line;
        QPoint anchor;
        double height;
    };
    const Case cases[] = {
        {"bottom right", QRectF(QPointF(100, 100), QPointF(500, 300)), {100, 100, 500, 300}, {200, 140, 400, 260},
         {300, 200}, -200},
        {"top left", QRectF(QPointF(200, 150), QPointF(300, 200)), {200, 150, 300, 200}, {225, 160, 275, 190},
         {250, 175}, -50},
        {"top right", QRectF(QPointF(100, 50), QPointF(400, 200)), {100, 50, 400, 200}, {175, 80, 325, 170},
         {250, 125}, -150},
        {"bottom left", QRectF(QPointF(0, 100), QPointF(300, 250)), {0, 100, 300, 250}, {75, 130, 225, 220},
         {150, 175}, -150},
        {"flattened", QRectF(QPointF(100, 100), QPointF(500, 150)), {100, 100, 500, 150}, {200, 110, 400, 140},
         {300, 125}, -50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.corner);
        DrawModel m;
        DrawObject& r = m.add(draw::Rectangle, 100, 100, 300, 200);
        DrawObject& p = polygon(m, {{100, 100}, {300, 150}, {200, 200}});
        DrawObject& l = m.add(draw::Line, 150, 120, 250, 180);
        DrawObject& t = text(m, 200, 150, -100);
        const QVector<QPoint> vertices = p.vertices;
        m.scale({r.id, p.id, l.id, t.id}, QRectF(100, 100, 200, 100), c.to);
        EXPECT_EQ(frameOf(r), c.rect);
        EXPECT_EQ(frameOf(p), c.rect);
        EXPECT_EQ(p.vertices, vertices); // only the frame changes
        EXPECT_EQ(draw::objectBounds(p), c.to);
        EXPECT_EQ(frameOf(l), c.line);
        EXPECT_EQ(QPoint(t.x1, t.y1), c.anchor);
        EXPECT_EQ(QPoint(t.x2, t.y2), c.anchor);
        EXPECT_DOUBLE_EQ(t.style.textHeight, c.height);
    }
}

TEST(DrawTransform, ScalePastTheFixedCornerMirrors) {
    // The bottom right corner dragged past the top left one to (0, 50): half size, mirrored.
    DrawModel m;
    DrawObject& r = m.add(draw::Rectangle, 100, 100, 300, 200);
    DrawObject& p = polygon(m, {{100, 100}, {300, 150}, {200, 200}});
    DrawObject& l = m.add(draw::Line, 150, 120, 250, 180);
    DrawObject& t = text(m, 200, 150, -100);
    DrawObject& cell = text(m, 200, 150, 120); // a positive (cell) height stays positive
    m.scale({r.id, p.id, l.id, t.id, cell.id}, QRectF(100, 100, 200, 100), QRectF(QPointF(100, 100), QPointF(0, 50)));

    EXPECT_EQ(frameOf(r), (Frame{0, 50, 100, 100})); // a frame keeps its corner order
    EXPECT_EQ(rounded(p.placedVertices()), (QVector<QPoint>{{100, 100}, {0, 75}, {50, 50}}));
    expectRect(draw::objectBounds(p), 0, 50, 100, 100);
    EXPECT_EQ(frameOf(l), (Frame{75, 90, 25, 60}));
    EXPECT_EQ(QPoint(t.x1, t.y1), QPoint(50, 75));
    EXPECT_DOUBLE_EQ(t.style.textHeight, -50);
    EXPECT_DOUBLE_EQ(cell.style.textHeight, 60);

    // Dragged back, everything is where it was.
    m.scale({r.id, p.id, l.id, t.id}, QRectF(QPointF(100, 100), QPointF(0, 50)), QRectF(100, 100, 200, 100));
    EXPECT_EQ(frameOf(r), (Frame{100, 100, 300, 200}));
    EXPECT_EQ(rounded(p.placedVertices()), (QVector<QPoint>{{100, 100}, {300, 150}, {200, 200}}));
    EXPECT_EQ(frameOf(l), (Frame{150, 120, 250, 180}));
    EXPECT_DOUBLE_EQ(t.style.textHeight, -100);
}

TEST(DrawTransform, ScaleOfTurnedFrames) {
    // A rectangle 200 by 100 turned a quarter shows as 150,50-250,250.
    DrawModel m;
    DrawObject& r = m.add(draw::Rectangle, 100, 100, 300, 200);
    m.rotate({r.id}, QPointF(200, 150), 90);
    const QRectF shown(QPointF(150, 50), QPointF(250, 250));

    // Twice the size from the top left: centre (250, 250), sides doubled.
    m.scale({r.id}, shown, QRectF(QPointF(150, 50), QPointF(350, 450)));
    EXPECT_EQ(frameOf(r), (Frame{50, 150, 450, 350}));
    EXPECT_EQ(r.angle, 90);
    expectRect(draw::objectBounds(r), 150, 50, 350, 450);

    // Stretched only down the sheet: that is along the turned frame's width.
    DrawObject& q = m.add(draw::Rectangle, 100, 100, 300, 200);
    m.rotate({q.id}, QPointF(200, 150), 90);
    m.scale({q.id}, shown, QRectF(QPointF(150, 50), QPointF(250, 450)));
    EXPECT_EQ(frameOf(q), (Frame{0, 200, 400, 300}));
    expectRect(draw::objectBounds(q), 150, 50, 250, 450);

    // Mirrored across: the angle mirrors too, the frame stays the same size.
    DrawObject& s = m.add(draw::Rectangle, 0, 0, 200, 100);
    m.rotate({s.id}, QPointF(100, 50), 30);
    const QRectF before = draw::objectBounds(s);
    m.scale({s.id}, before, QRectF(before.topRight(), before.bottomLeft()));
    EXPECT_DOUBLE_EQ(s.angle, 330);
    EXPECT_EQ(s.x2 - s.x1, 200);
    EXPECT_EQ(s.y2 - s.y1, 100);
    const QRectF after = draw::objectBounds(s);
    EXPECT_NEAR(after.left(), before.left(), 1);
    EXPECT_NEAR(after.right(), before.right(), 1);
}

TEST(DrawTransform, ScaleWithAFlatBoxOnlyMoves) {
    // A vertical line has no width to scale: dragging sideways moves it.
    DrawModel m;
    DrawObject& l = m.add(draw::Line, 100, 100, 100, 300);
    m.scale({l.id}, QRectF(100, 100, 0, 200), QRectF(150, 100, 50, 100));
    EXPECT_EQ(frameOf(l), (Frame{150, 100, 150, 200}));
}

TEST(DrawTransform, OutOfRangeChangesNothing) {
    DrawModel m;
    DrawObject& a = m.add(draw::Rectangle, 0, 0, 100, 100);
    DrawObject& b = m.add(draw::Rectangle, 2000000000, 2000000000, 2000000100, 2000000100);
    EXPECT_EQ(errorOf([&] { m.rotate({a.id, b.id}, QPointF(0, 0), 45); }), qmerr::Overflow);
    EXPECT_EQ(frameOf(a), (Frame{0, 0, 100, 100}));
    EXPECT_EQ(a.angle, 0);
    EXPECT_EQ(errorOf([&] { m.scale({a.id, b.id}, QRectF(0, 0, 100, 100), QRectF(0, 0, 200, 200)); }),
              qmerr::Overflow);
    EXPECT_EQ(frameOf(a), (Frame{0, 0, 100, 100}));
}

TEST(DrawTransform, PlacementRestoresEveryEdit) {
    DrawModel m;
    DrawObject& r = m.add(draw::Bitmap, 100, 100, 300, 200);
    DrawObject& p = polygon(m, {{0, 0}, {100, 30}, {40, 90}});
    p.setFrame(10, 20, 210, 120);
    DrawObject& t = text(m, 50, 60, -83.3);
    t.style.textAngle = 15;
    const QVector<Long> ids{r.id, p.id, t.id};
    QList<draw::Placement> before;
    for (Long id : ids)
        before << draw::placementOf(*m.find(id));

    m.rotate(ids, QPointF(123, 45), 33.3);
    m.scale(ids, m.boundsOf(ids), QRectF(QPointF(400, 400), QPointF(-20, 70)));
    m.offset(ids, 17, -4);
    for (int i = 0; i < ids.size(); ++i)
        EXPECT_NE(draw::placementOf(*m.find(ids[i])), before[i]);

    const QStringList dumped = draw::dumpDrawing(m);
    for (int i = 0; i < ids.size(); ++i)
        draw::applyPlacement(*m.find(ids[i]), before[i]);
    for (int i = 0; i < ids.size(); ++i)
        EXPECT_EQ(draw::placementOf(*m.find(ids[i])), before[i]);
    EXPECT_EQ(t.style.textHeight, -83.3);
    EXPECT_EQ(t.style.textAngle, 15);
    EXPECT_EQ(r.angle, 0);
    EXPECT_NE(draw::dumpDrawing(m), dumped);
}

TEST(DrawTransform, HitTestInsideTheTurnedShape) {
    DrawModel m;
    DrawObject& r = m.add(draw::Rectangle, 100, 100, 300, 200);
    m.rotate({r.id}, QPointF(200, 150), 90);
    EXPECT_TRUE(draw::hitTest(r, QPointF(200, 60), 0));   // only in the turned frame
    EXPECT_FALSE(draw::hitTest(r, QPointF(120, 150), 0)); // only in the frame as given
    EXPECT_TRUE(draw::hitTest(r, QPointF(145, 150), 5));  // within the tolerance of its side

    // A thin bar turned 45 degrees runs from the lower left to the upper right; the corners of its
    // bounding box are not on it.
    DrawObject& bar = m.add(draw::Rectangle, -100, -10, 100, 10);
    m.rotate({bar.id}, QPointF(0, 0), 45);
    EXPECT_TRUE(draw::hitTest(bar, QPointF(50, -50), 0));
    EXPECT_TRUE(draw::hitTest(bar, QPointF(-60, 60), 0));
    EXPECT_FALSE(draw::hitTest(bar, QPointF(50, 50), 0));
    EXPECT_TRUE(draw::objectBounds(bar).contains(QPointF(50, 50)));
}

TEST(DrawTransform, HitTestOfATurnedTextFollowsItsLine) {
    DrawModel m;
    DrawObject& t = text(m, 1000, 1000, -100, QStringLiteral("WWWWWWWWWW"));
    t.style.textAngle = 45;
    const QRectF box = draw::objectBounds(t);
    ASSERT_GT(box.width(), 500);
    EXPECT_TRUE(draw::hitTest(t, QPointF(1000 + 300, 1000 - 300), 0)); // along the baseline, up right
    EXPECT_FALSE(draw::hitTest(t, box.topLeft() + QPointF(20, 20), 2));
    EXPECT_FALSE(draw::hitTest(t, box.bottomRight() - QPointF(20, 20), 2));
}

TEST(DrawTransform, TurnedObjectsPaintTurned) {
    DrawModel m;
    m.setPageWidth(600);
    m.setPageHeight(600);
    m.setUnitsWidth(600);
    m.setUnitsHeight(600);
    // A black rectangle 200 by 100 turned a quarter about its centre.
    DrawObject& r = m.add(draw::Rectangle, 100, 100, 300, 200);
    r.style.fillColor = draw::Black;
    r.style.lineStyle = draw::NoLine;
    m.rotate({r.id}, QPointF(200, 150), 90);
    // A picture red on the left and blue on the right, turned a quarter counter-clockwise: blue on top.
    QImage picture(2, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    picture.setPixel(1, 0, qRgb(0, 0, 255));
    m.nextPicture = picture;
    DrawObject& b = m.add(draw::Bitmap, 300, 400, 500, 500);
    m.rotate({b.id}, QPointF(400, 450), 90);

    const QImage image = draw::renderImage(m, 60.0); // 10 units a pixel
    auto at = [&](double ux, double uy) { return image.pixel(int(ux / 10), int(uy / 10)); };
    EXPECT_EQ(at(205, 75), qRgb(0, 0, 0));
    EXPECT_EQ(at(205, 225), qRgb(0, 0, 0));
    EXPECT_EQ(at(125, 155), qRgb(255, 255, 255));
    EXPECT_EQ(at(275, 155), qRgb(255, 255, 255));

    EXPECT_EQ(qBlue(at(405, 385)), 255);
    EXPECT_EQ(qRed(at(405, 385)), 0);
    EXPECT_EQ(qRed(at(405, 515)), 255);
    EXPECT_EQ(at(305, 455), qRgb(255, 255, 255)); // the unturned frame's left end stays empty
}

TEST(DrawTransform, DumpShowsAnAngleOnlyWhenTurned) {
    DrawModel m;
    DrawObject& r = m.add(draw::Rectangle, 100, 100, 300, 200);
    EXPECT_FALSE(draw::dumpObject(r).contains(QStringLiteral("angle")));
    m.rotate({r.id}, QPointF(200, 150), 90);
    EXPECT_TRUE(draw::dumpObject(r).startsWith(QStringLiteral("1 rect frame=100,100,300,200 angle=90 ")));
    m.rotate({r.id}, QPointF(200, 150), -90);
    EXPECT_FALSE(draw::dumpObject(r).contains(QStringLiteral("angle")));
}

TEST(DrawTransform, ScaleAndTurnTouchOnlyTheChosenObjects) {
    DrawModel m;
    QVector<Long> ids;
    for (int i = 0; i < 10000; ++i) {
        const Long x = (i % 100) * 60, y = (i / 100) * 45;
        DrawObject* o = nullptr;
        switch (i % 4) {
        case 0:
            o = &m.add(draw::Rectangle, x, y, x + 40, y + 30);
            break;
        case 1:
            o = &polygon(m, {{x, y}, {x + 40, y + 10}, {x + 20, y + 30}});
            break;
        case 2:
            o = &m.add(draw::Line, x, y, x + 40, y + 30);
            break;
        default:
            o = &text(m, x, y, -60, QStringLiteral("T%1").arg(i % 50));
        }
        if (i % 10 == 0) ids << o->id;
    }
    ASSERT_EQ(ids.size(), 1000);
    // Speed is measured by bench_editing; here the other 9,000 objects must stay where they were.
    std::vector<draw::Placement> before;
    for (int i = 0; i < m.count(); ++i) before.push_back(draw::placementOf(m.at(i)));
    const QRectF box = m.boundsOf(ids);
    m.scale(ids, box, box.adjusted(0, 0, 30, 20));
    m.rotate(ids, box.center(), 7.5);
    int changed = 0;
    for (int i = 0; i < m.count(); ++i) {
        const bool chosen = i % 10 == 0;
        if (!(draw::placementOf(m.at(i)) == before[size_t(i)])) ++changed;
        else EXPECT_FALSE(chosen) << i;
        if (!chosen) EXPECT_EQ(draw::placementOf(m.at(i)), before[size_t(i)]) << i;
    }
    EXPECT_EQ(changed, 1000);
}
