// SPDX-License-Identifier: GPL-3.0-or-later
// Editing in the drawing window: gestures on the page with the toolbar's modes, the Delete key and
// the Edit menu's entries triggered as the user picks them. The sheet (10.5 by 8 inches, 6300 by
// 4800 units) is shown at 630 by 480 pixels with its corner on pixel (1, 1), so unit u lies on pixel
// 1 + u / 10. The three shapes span the box (1500, 2000)-(4000, 3000) with its centre (2750, 2500);
// the text's extent (about 300 by 140 units round its anchor) lies inside it. Every expected frame,
// vertex and anchor below was worked out by hand from that box: a resize from the top left corner
// by 500 units each way maps it onto (1000, 1500)-(4000, 3000), x' = 4000 - 1.2 (4000 - x) and
// y' = 3000 - 1.5 (3000 - y); a quarter turn counter-clockwise about the centre takes (x, y) to
// (y + 250, 5250 - x).
#include "drawareafixture.h"

#include "drawcmd/undorecord.h"
#include "platform/drawing/objecttags.h"
#include "support/scriptedui.h"

#include <QAction>
#include <gtest/gtest.h>

namespace {

using draw::Long;
constexpr Long Green = draw::RGB(0, 160, 0);

class DrawEdit : public ShownDrawArea {
protected:
    static draw::DrawObject& obj(Long id) { return *page().find(id); }
    static QRect frame(Long id) { return frameOf(obj(id)); }
    static QVector<QPoint> vertices(Long id) { return placedPointsOf(obj(id)); }
    static QPoint anchor(Long id) { return QPoint(obj(id).x1, obj(id).y1); }
    static Long rect(Long x1, Long y1, Long x2, Long y2) {
        page().AddObject(draw::Rectangle, x1, y1, x2, y2);
        return page().ObjectId();
    }

    // The rectangle (green), the polygon and the text, selected by a band dragged round them.
    void addShapes() {
        r = rect(1500, 2000, 2500, 2500);
        page().FillColor(Green);
        page().AddObject(draw::Polygon, 0, 0, 0, 0);
        p = page().ObjectId();
        const Long pts[] = {3000, 2000, 4000, 2000, 3500, 3000};
        page().SetVertices(0, 3, pts, 0);
        page().AddObject(draw::Text, 2000, 2750, 2000, 2750);
        t = page().ObjectId();
        page().TextString(QStringLiteral("Ab"));
        page().TextHeight(-250);
        press(3);
        drag(at(1000, 1500), at(4500, 3500));
        ASSERT_EQ(page().selectedCount(), 3);
        ASSERT_EQ(view()->selectionBox(), QRectF(QPointF(1500, 2000), QPointF(4000, 3000)));
        for (Long id : {r, p, t})
            before << draw::placementOf(obj(id));
        drawwin().DrawingModified = 0;
    }
    void expectAllBack() {
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(draw::placementOf(obj(QList<Long>{r, p, t}[i])), before[i]) << i;
    }

    ScriptedUi ui;
    Long r = 0, p = 0, t = 0;
    QList<draw::Placement> before;
};

} // namespace

TEST_F(DrawEdit, AMoveAResizeAndATurnThroughTheWindowAreEachUndoneExactly) {
    addShapes();

    drag(at(2000, 2250), at(2500, 2750)); // on the rectangle: 500 right, 500 down
    EXPECT_EQ(frame(r), QRect(QPoint(2000, 2500), QPoint(3000, 3000)));
    EXPECT_EQ(vertices(p), QVector<QPoint>({{3500, 2500}, {4500, 2500}, {4000, 3500}}));
    EXPECT_EQ(anchor(t), QPoint(2500, 3250));
    EXPECT_EQ(undoRecord().UndoCount(), 3);
    EXPECT_EQ(undoRecord().LastActionKind(), 1);
    EXPECT_EQ(drawwin().DrawingModified, 1);
    win().mnuUndo->trigger();
    expectAllBack();
    win().mnuUndo->trigger();
    expectAllBack();

    const QPoint corner = at(1500, 2000);
    ASSERT_GE(view()->handleAt(corner), 0);
    drag(corner, corner - QPoint(50, 50));
    EXPECT_EQ(frame(r), QRect(QPoint(1000, 1500), QPoint(2200, 2250)));
    EXPECT_EQ(vertices(p), QVector<QPoint>({{2800, 1500}, {4000, 1500}, {3400, 3000}}));
    EXPECT_EQ(anchor(t), QPoint(1600, 2625));
    EXPECT_DOUBLE_EQ(obj(t).style.textHeight, -375);
    win().mnuUndo->trigger();
    expectAllBack();

    press(4);
    ASSERT_EQ(page().EditMode(), 13);
    // From right of the centre, on the polygon, round to straight above it by way of an eighth.
    QTest::mousePress(view(), Qt::LeftButton, {}, at(3500, 2500));
    QTest::mouseMove(view(), at(3280, 1970));
    QTest::mouseMove(view(), at(2750, 1250));
    QTest::mouseRelease(view(), Qt::LeftButton, {}, at(2750, 1250));
    EXPECT_EQ(obj(r).kind, draw::Rectangle);
    EXPECT_EQ(frame(r), QRect(QPoint(2000, 3000), QPoint(3000, 3500)));
    EXPECT_NEAR(obj(r).angle, 90, 1e-9);
    EXPECT_EQ(vertices(p), QVector<QPoint>({{2250, 2250}, {2250, 1250}, {3250, 1750}}));
    EXPECT_EQ(anchor(t), QPoint(3000, 3250));
    EXPECT_NEAR(obj(t).style.textAngle, 90, 1e-9);

    // The turned rectangle stands upright: 500 wide and 1000 high round (2500, 3250).
    QApplication::processEvents();
    const QImage shot = view()->grab().toImage();
    if (!qEnvironmentVariableIsEmpty("QMAR_SHOTS"))
        shot.save(qEnvironmentVariable("QMAR_SHOTS") + QStringLiteral("/turned.png"));
    EXPECT_EQ(shot.pixelColor(at(2500, 3650)), draw::toQColor(Green)) << "below the frame as it was";
    EXPECT_NE(shot.pixelColor(at(2100, 3250)), draw::toQColor(Green)) << "inside the frame as it was";

    win().mnuUndo->trigger();
    expectAllBack();
    EXPECT_EQ(obj(r).angle, 0);
}

TEST_F(DrawEdit, TheDeleteKeyCollapsesTheClickedObjectAndUndoBringsItBack) {
    const Long a = rect(1000, 1000, 2000, 1500), b = rect(3000, 1000, 4000, 1500);
    press(3);
    drag(at(1500, 1250), at(1600, 1250)); // the last drag recorded a
    QTest::mouseClick(view(), Qt::LeftButton, {}, at(3500, 1250));
    ASSERT_EQ(page().selectedIds(), QVector<Long>({b}));
    QTest::keyClick(view(), Qt::Key_Delete);
    EXPECT_EQ(frame(b), QRect(QPoint(-1000, -1000), QPoint(-1000, -1000)));
    EXPECT_EQ(obj(b).tag(draw::tags::Change), draw::tags::Yes);
    EXPECT_EQ(frame(a), QRect(QPoint(1100, 1000), QPoint(2100, 1500)));
    EXPECT_EQ(page().count(), 2) << "the control itself deletes nothing";
    win().mnuUndo->trigger();
    EXPECT_EQ(frame(b), QRect(QPoint(3000, 1000), QPoint(4000, 1500)));
    EXPECT_EQ(obj(b).tag(draw::tags::Change), QString());
}

TEST_F(DrawEdit, TheClipboardEntriesCopyCutAndPasteTheSelection) {
    const Long a = rect(1000, 1000, 2000, 1500), b = rect(3000, 2000, 4000, 2500);
    press(3);
    drag(at(500, 500), at(4500, 3000));
    ASSERT_EQ(page().selectedCount(), 2);
    win().mnuCopy->trigger();
    win().mnuPaste->trigger();
    ASSERT_EQ(page().count(), 4);
    EXPECT_EQ(QRect(QPoint(page().at(2).x1, page().at(2).y1), QPoint(page().at(2).x2, page().at(2).y2)),
              QRect(QPoint(100, 100), QPoint(1100, 600)));
    EXPECT_EQ(page().at(3).x1, 2100);
    EXPECT_NE(page().at(2).group, 0);
    EXPECT_EQ(page().at(2).group, page().at(3).group);
    EXPECT_EQ(drawwin().DrawingModified, 1);

    QTest::mouseClick(view(), Qt::LeftButton, {}, at(1500, 1250));
    win().mnuCut->trigger();
    EXPECT_EQ(frame(a), QRect(QPoint(-1000, -1000), QPoint(-1000, -1000)));
    EXPECT_EQ(frame(b), QRect(QPoint(3000, 2000), QPoint(4000, 2500)));
    win().mnuUndo->trigger();
    EXPECT_EQ(frame(a), QRect(QPoint(1000, 1000), QPoint(2000, 1500)));
}

TEST_F(DrawEdit, PasteWithNoNodesCopiedUnderAddNodeSwitchesToSelectAndPastes) {
    rect(1000, 1000, 2000, 1500);
    press(3);
    QTest::mouseClick(view(), Qt::LeftButton, {}, at(1500, 1250));
    win().mnuCopy->trigger();
    press(1);
    ASSERT_EQ(page().EditMode(), 0);
    win().mnuPaste->trigger();
    EXPECT_TRUE(win().Button(3)->isChecked());
    EXPECT_FALSE(win().Button(1)->isChecked());
    EXPECT_EQ(page().EditMode(), 11);
    EXPECT_EQ(page().count(), 2);
}

TEST_F(DrawEdit, GroupUnGroupAndTheStackingEntries) {
    const Long a = rect(1000, 1000, 2000, 1500), b = rect(3000, 1000, 4000, 1500),
               c = rect(1000, 2000, 2000, 2500);
    auto order = [] {
        QList<Long> out;
        for (int i = 0; i < page().count(); ++i)
            out << page().at(i).id;
        return out;
    };
    press(3);
    drag(at(500, 500), at(4500, 1800)); // round a and b
    win().mnuGroup->trigger();
    EXPECT_NE(obj(a).group, 0);
    EXPECT_EQ(obj(a).group, obj(b).group);
    EXPECT_EQ(undoRecord().UndoCount(), 2);
    win().mnuMoveToFront->trigger();
    EXPECT_EQ(order(), (QList<Long>{c, a, b})) << "the two keep their order";

    QTest::mouseClick(view(), Qt::LeftButton, {}, at(1500, 2250));
    ASSERT_EQ(page().selectedIds(), QVector<Long>({c}));
    win().mnuMoveUp->trigger();
    EXPECT_EQ(order(), (QList<Long>{a, c, b}));
    win().mnuMoveBack->trigger();
    EXPECT_EQ(order(), (QList<Long>{c, a, b}));
    win().mnuMoveToFront->trigger();
    EXPECT_EQ(order(), (QList<Long>{a, b, c}));
    win().mnuMoveToBack->trigger();
    EXPECT_EQ(order(), (QList<Long>{c, a, b}));

    // A click on one takes its group along; after UnGroup the move cannot be undone.
    drag(at(1500, 1250), at(1500, 1350));
    EXPECT_EQ(frame(b), QRect(QPoint(3000, 1100), QPoint(4000, 1600)));
    win().mnuUnGroup->trigger();
    EXPECT_EQ(obj(a).group, 0);
    EXPECT_EQ(undoRecord().UndoCount(), 0);
    win().mnuUndo->trigger();
    EXPECT_EQ(frame(b), QRect(QPoint(3000, 1100), QPoint(4000, 1600)));
}

TEST_F(DrawEdit, DraggingTheZoomFrameIsNoChangeToTheDrawing) {
    rect(1000, 1000, 2000, 1500);
    win().mnuZoomWindow->trigger();
    drag(at(500, 500), at(2500, 2000));
    EXPECT_EQ(page().count(), 1) << "the frame went";
    EXPECT_EQ(drawwin().ZoomWindowPending, 0);
    EXPECT_EQ(drawwin().DrawingModified, 0);
    win().mnuRefresh->trigger();
    EXPECT_EQ(drawwin().DrawingModified, 0);
}
