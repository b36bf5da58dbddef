// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing control's view: what mouse gestures do to the drawing and which events they raise, in
// which order.
#include "viewfixture.h"

#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

class View : public SheetViewTest {
protected:
    void SetUp() override {
        SheetViewTest::SetUp();
        QObject::connect(&d, &draw::DrawModel::editAction, [this](int code) { events << QStringLiteral("edit%1").arg(code); });
        QObject::connect(&d, &draw::DrawModel::objectClicked,
                         [this] { events << QStringLiteral("object%1").arg(d.ObjectId()); });
        QObject::connect(&d, &draw::DrawModel::pointClicked, [this](int button, int, double x, double y) {
            events << QStringLiteral("point%1@%2,%3").arg(button).arg(x).arg(y);
        });
    }
    draw::Long box(int x1, int y1, int x2, int y2) {
        d.AddObject(draw::Rectangle, x1, y1, x2, y2);
        return d.ObjectId();
    }

    QStringList events;
};

} // namespace

TEST_F(View, PixelsAndUnitsMapBothWays) {
    EXPECT_EQ(v.ClientWidth(), 500);
    EXPECT_DOUBLE_EQ(v.PixelToUnitsX(1), 0);
    EXPECT_DOUBLE_EQ(v.PixelToUnitsY(201), 400);
    EXPECT_EQ(at(1000, 800), QPoint(501, 401));
}

TEST_F(View, AClickOnAnObjectMakesItCurrentThenReportsThePoint) {
    box(100, 100, 300, 300);
    const draw::Long top = box(200, 200, 400, 400);
    QTest::mouseClick(&v, Qt::LeftButton, {}, at(250, 250));
    EXPECT_EQ(events, QStringList({QStringLiteral("object%1").arg(top), "point1@126,126"}));
    EXPECT_EQ(d.ObjectId(), top);
    EXPECT_EQ(d.selectedCount(), 0); // without the select mode a click selects nothing

    events.clear();
    QTest::mouseClick(&v, Qt::RightButton, {}, at(700, 700));
    EXPECT_EQ(events, QStringList({"point2@351,351"}));

    // Any button clicks an object; the view tells which.
    events.clear();
    EXPECT_EQ(v.clickButton(), 2);
    QTest::mouseClick(&v, Qt::RightButton, {}, at(150, 150));
    EXPECT_EQ(events, QStringList({QStringLiteral("object%1").arg(top - 1), "point2@76,76"}));
    EXPECT_EQ(v.clickButton(), 2);
    QTest::mouseClick(&v, Qt::LeftButton, {}, at(150, 150));
    EXPECT_EQ(v.clickButton(), 1);
}

TEST_F(View, SelectModeSelectsByClickAndByBand) {
    d.EditMode(11);
    const draw::Long a = box(100, 100, 200, 200);
    const draw::Long b = box(300, 100, 400, 200);
    const draw::Long c = box(200, 500, 900, 700);
    QTest::mouseClick(&v, Qt::LeftButton, {}, at(150, 150));
    EXPECT_EQ(d.selectedIds(), QVector<draw::Long>({a}));
    QTest::mouseClick(&v, Qt::LeftButton, Qt::ShiftModifier, at(350, 150));
    EXPECT_EQ(d.selectedIds(), QVector<draw::Long>({a, b}));
    QTest::mouseClick(&v, Qt::LeftButton, {}, at(600, 350)); // empty sheet
    EXPECT_EQ(d.selectedCount(), 0);

    // A band selects what lies wholly inside it: b and c, not a (cut by the band).
    events.clear();
    drag(at(150, 50), at(950, 750));
    EXPECT_EQ(d.selectedIds(), QVector<draw::Long>({b, c}));
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(View, DraggingTheSelectionMovesItBetweenEditStartAndMoved) {
    d.EditMode(11);
    const draw::Long a = box(100, 100, 200, 200);
    box(600, 600, 700, 700);
    int moveStartSelection = -1;
    QObject::connect(&d, &draw::DrawModel::editAction, [&](int code) {
        if (code == 1) moveStartSelection = d.selectedCount();
    });
    drag(at(150, 150), at(250, 190));
    EXPECT_EQ(events, QStringList({"edit1", "edit3"}));
    EXPECT_EQ(moveStartSelection, 1); // the object was selected before the edit started
    const draw::DrawObject& o = *d.find(a);
    EXPECT_EQ(QRect(QPoint(o.x1, o.y1), QPoint(o.x2, o.y2)), QRect(QPoint(200, 140), QPoint(300, 240)));
    EXPECT_EQ(d.find(2)->x1, 600);
}

TEST_F(View, FrameModesDrawTheShapeThenReportThePointWithItCurrent) {
    d.EditMode(draw::Ellipse);
    d.CurrentObject(4);
    d.FillStyle(1);
    draw::Long current = 0;
    QObject::connect(&d, &draw::DrawModel::pointClicked, [&] { current = d.ObjectId(); });
    drag(at(500, 400), at(300, 200)); // dragged up and to the left
    ASSERT_EQ(d.count(), 1);
    const draw::DrawObject& e = d.at(0);
    EXPECT_EQ(e.kind, draw::Ellipse);
    EXPECT_EQ(QRect(QPoint(e.x1, e.y1), QPoint(e.x2, e.y2)), QRect(QPoint(300, 200), QPoint(500, 400)));
    EXPECT_EQ(e.style.fill, draw::FillMode::None);
    EXPECT_EQ(current, e.id);
    EXPECT_EQ(v.lastDrawnId(), e.id);
    EXPECT_EQ(events.size(), 1);

    // A click draws nothing.
    QTest::mouseClick(&v, Qt::LeftButton, {}, at(800, 700));
    EXPECT_EQ(d.count(), 1);
    EXPECT_EQ(v.lastDrawnId(), 0);
}

TEST_F(View, AClickAfterThePasteAddressesTheClickedObjectNotTheSelection) {
    const draw::Long a = box(100, 100, 300, 300);
    d.ObjectSelected(true);
    d.CopyObjects(0, 2);
    d.PasteObjects(0, 2); // the pasted copy is selected and addressed as the selection
    const draw::Long b = box(600, 600, 800, 800);
    d.CurrentObject(2);
    QTest::mouseClick(&v, Qt::LeftButton, {}, at(700, 700));
    EXPECT_EQ(d.ObjectId(), b);
    d.LineWidth(7);
    EXPECT_EQ(d.find(b)->style.lineWidth, 7);
    EXPECT_NE(d.find(a + 1)->style.lineWidth, 7);
}

// The view needs no more than the typed model: frames and clicks make their object current there.
TEST(ViewOfTypedModel, DrawsFramesAndReportsClicksOnAPlainModel) {
    draw::DrawModel m;
    DrawView v;
    showSheet(v, m);
    QStringList events;
    QObject::connect(&m, &draw::DrawModel::objectClicked,
                     [&] { events << QStringLiteral("object%1").arg(m.currentId()); });
    QObject::connect(&m, &draw::DrawModel::pointClicked,
                     [&] { events << QStringLiteral("point%1").arg(m.currentId()); });
    auto at = [&](double x, double y) { return v.unitsToPixel(QPointF(x, y)).toPoint(); };

    m.setEditMode(draw::Rectangle);
    QTest::mousePress(&v, Qt::LeftButton, {}, at(100, 100));
    QTest::mouseMove(&v, at(200, 200));
    QTest::mouseMove(&v, at(300, 300));
    QTest::mouseRelease(&v, Qt::LeftButton, {}, at(300, 300));
    ASSERT_EQ(m.count(), 1);
    EXPECT_EQ(m.at(0).kind, draw::Rectangle);
    EXPECT_EQ(QRect(QPoint(m.at(0).x1, m.at(0).y1), QPoint(m.at(0).x2, m.at(0).y2)),
              QRect(QPoint(100, 100), QPoint(300, 300)));
    EXPECT_EQ(events, QStringList({"point1"}));

    const draw::Long other = m.add(draw::Ellipse, 500, 500, 700, 700).id;
    m.setCurrent(0);
    m.setEditMode(0);
    events.clear();
    QTest::mouseClick(&v, Qt::LeftButton, {}, at(600, 600));
    EXPECT_EQ(events,
              QStringList({QStringLiteral("object%1").arg(other), QStringLiteral("point%1").arg(other)}));
}

TEST_F(View, TheWheelScrollsAZoomedPageButNotPastItsEdges) {
    v.ViewWidth(2000);
    v.ViewHeight(1600);
    v.ViewLeft(0);
    v.ViewTop(0);
    auto wheel = [&](QPoint delta, Qt::KeyboardModifiers mods = {}) {
        QWheelEvent e(QPointF(100, 100), v.mapToGlobal(QPointF(100, 100)), QPoint(), delta, Qt::NoButton, mods,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(&v, &e);
    };
    wheel(QPoint(0, -120 * 3));
    EXPECT_EQ(v.ViewTop(), 144);
    wheel(QPoint(0, 120 * 10));
    EXPECT_EQ(v.ViewTop(), 0);
    wheel(QPoint(0, -120 * 100));
    EXPECT_EQ(v.ViewTop(), 1600 - 400);
    wheel(QPoint(0, -120), Qt::ShiftModifier);
    EXPECT_EQ(v.ViewLeft(), 48);

    // A fitted page does not scroll.
    v.ViewWidth(400);
    v.ViewHeight(320);
    v.ViewTop(-40);
    wheel(QPoint(0, -120));
    EXPECT_EQ(v.ViewTop(), -40);
}

TEST_F(View, DeletedObjectsAreNeverHitNorBandSelected) {
    d.EditMode(11);
    const draw::Long below = box(100, 100, 300, 300);
    const draw::Long gone = box(100, 100, 300, 300); // on top, deleted in the window
    d.TagTarget(5);
    d.ObjectTag("Change", "T");
    const draw::Long other = box(500, 100, 600, 200);

    QTest::mouseClick(&v, Qt::LeftButton, {}, at(200, 200));
    EXPECT_EQ(events.first(), QStringLiteral("object%1").arg(below));
    EXPECT_EQ(d.selectedIds(), QVector<draw::Long>({below}));
    EXPECT_EQ(v.objectAt(at(200, 200)), below);

    drag(at(50, 50), at(700, 350));
    EXPECT_EQ(d.selectedIds(), QVector<draw::Long>({below, other}));
    EXPECT_FALSE(d.find(gone)->selected);
}

TEST_F(View, DeleteIsOnlyRaisedAsAKeyTheViewRemovesNothing) {
    d.EditMode(11);
    const draw::Long a = box(100, 100, 300, 300);
    QTest::mouseClick(&v, Qt::LeftButton, {}, at(200, 200));
    QList<int> keys;
    QObject::connect(&d, &draw::DrawModel::keyDown, [&](int key, int) { keys << key; });
    QTest::keyClick(&v, Qt::Key_Delete);
    EXPECT_EQ(keys, QList<int>({46}));
    ASSERT_EQ(d.count(), 1);
    EXPECT_EQ(d.find(a)->x1, 100);
    EXPECT_TRUE(d.find(a)->selected);
}

TEST_F(View, ADragWhoseReleaseWentElsewhereEndsAtTheNextMove) {
    // A message box at the edit start can take the release; the move is still finished and announced.
    d.EditMode(11);
    const draw::Long a = box(100, 100, 200, 200);
    QTest::mousePress(&v, Qt::LeftButton, {}, at(150, 150));
    QTest::mouseMove(&v, at(250, 150));
    QMouseEvent lost(QEvent::MouseMove, at(350, 150), v.mapToGlobal(at(350, 150)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&v, &lost);
    EXPECT_EQ(events, QStringList({"edit1", "edit3"}));
    EXPECT_EQ(d.find(a)->x1, 300);
    QTest::mouseMove(&v, at(450, 150)); // nothing is dragged any more
    EXPECT_EQ(d.find(a)->x1, 300);
}

TEST_F(View, SelectionMarksFollowAClickWithTheHandlesOnTheBoxOfAllSelected) {
    d.EditMode(11);
    box(100, 100, 200, 200);
    box(400, 300, 500, 400);
    const QColor marks(0, 90, 220);
    auto pixel = [&](QPoint p) { return v.grab().toImage().pixelColor(p); };
    QTest::mouseClick(&v, Qt::LeftButton, {}, at(150, 150));
    EXPECT_EQ(pixel(at(100, 100) - QPoint(2, 2)), marks);
    QTest::mouseClick(&v, Qt::LeftButton, Qt::ShiftModifier, at(450, 350));
    ASSERT_EQ(v.selectionBox(), QRectF(QPointF(100, 100), QPointF(500, 400)));
    EXPECT_EQ(pixel(at(500, 400) + QPoint(2, 2)), marks);
    EXPECT_EQ(v.handleAt(at(500, 400)), 3);
    EXPECT_EQ(v.handleAt(at(100, 400)), 2);
    EXPECT_EQ(v.handleAt(at(200, 200)), -1); // a corner of one object only
    QTest::mouseClick(&v, Qt::LeftButton, {}, at(800, 100));
    EXPECT_NE(pixel(at(500, 400) + QPoint(2, 2)), marks);
    EXPECT_FALSE(v.selectionBox());
}

TEST_F(View, ATextIsHitWhereItsTextNowReaches) {
    d.AddObject(draw::Text, 100, 400, 100, 400);
    const draw::Long t = d.ObjectId();
    d.TextString("A");
    d.TextHeight(-100);
    EXPECT_EQ(v.objectAt(at(130, 400)), t);
    EXPECT_EQ(v.objectAt(at(500, 400)), 0);
    d.TextString("AAAAAAAA");
    EXPECT_EQ(v.objectAt(at(500, 400)), t);
    d.offset({t}, 0, 300);
    EXPECT_EQ(v.objectAt(at(500, 400)), 0);
    EXPECT_EQ(v.objectAt(at(500, 700)), t);
}
