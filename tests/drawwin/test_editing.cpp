// SPDX-License-Identifier: GPL-3.0-or-later
// The Edit menu and the page's edit events without the window: selections are made on the model as
// a click (one object and its group) or a band (several) would make them, moves, resizes and turns
// are the model's own, and the events are raised as the view raises them.
#include "drawcmd/drawtest.h"
#include "drawcmd/printdrawing.h"
#include "drawcmd/undorecord.h"
#include "drawwin/drawwinstate.h"
#include "drawwin/editing.h"
#include "drawwin/nodemarkers.h"
#include "drawwin/toolbar.h"
#include "platform/drawing/objecttags.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

namespace {

namespace tags = draw::tags;
using draw::Long;
constexpr int32_t Red = draw::RGB(255, 0, 0);
constexpr int32_t Blue = draw::RGB(0, 0, 255);
const QString kTooMany =
    QStringLiteral("The number of selected objects is greater than 1000.  If you move or "
                   "delete the objects, you will be able to Undo the change for 1000 "
                   "objects.  You may want to select a smaller group of objects.");

class Editing : public DrawCmdTest {
protected:
    static draw::DrawObject& obj(Long id) { return *page().find(id); }
    static Long rect(Long x1, Long y1, Long x2, Long y2) {
        return page().add(draw::Rectangle, x1, y1, x2, y2).id;
    }
    static Long text(Long x, Long y, double height) {
        draw::DrawObject& t = page().add(draw::Text, x, y, x, y);
        t.text = QStringLiteral("MW-1");
        t.style.textHeight = height;
        return t.id;
    }
    static Long polygon(std::initializer_list<QPoint> pts) {
        draw::DrawObject& p = page().add(draw::Polygon, 0, 0, 0, 0);
        page().setVertices(p, QVector<QPoint>(pts));
        return p.id;
    }
    // A click selects one object (and its group mates); a band several.
    static void clickSelect(Long id) {
        page().clearSelection();
        page().selectGroupOf(id);
    }
    static void bandSelect(std::initializer_list<Long> ids) {
        page().clearSelection();
        for (Long id : ids)
            page().selectGroupOf(id);
    }
    // A drag of the selection as the view carries it out.
    static void moveSelection(Long dx, Long dy) {
        EditAction(1);
        page().offset(page().selectedIds(), dx, dy);
        EditAction(3);
    }
    static std::string dump() { return draw::dumpDrawing(page()).join(QLatin1Char('\n')).toStdString(); }
    static QList<Long> order() {
        QList<Long> out;
        for (int i = 0; i < page().count(); ++i)
            out << page().at(i).id;
        return out;
    }
    static QRect frame(Long id) {
        const draw::DrawObject& o = obj(id);
        return QRect(QPoint(o.x1, o.y1), QPoint(o.x2, o.y2));
    }
    static bool collapsed(Long id) {
        return frame(id) == QRect(QPoint(-1000, -1000), QPoint(-1000, -1000)) &&
               obj(id).tag(tags::Change) == tags::Yes;
    }
    // Node markers picked as a click with "Add Node" up picks them.
    static Long marker(int x, int y) {
        AddNodeMarker(x, y);
        return page().ObjectId();
    }
    static void pick(Long id) {
        page().ObjectId(id);
        NodeObjectClicked();
    }
    static QList<int> nodes() {
        QList<int> out;
        for (int k = 1; k <= editingSession().SelectedNodeCount; ++k)
            out << editingSession().SelectedNodes[size_t(k)];
        return out;
    }

    ScriptedUi ui;
};

} // namespace

// ---- edit actions and Undo ------------------------------------------------------------------------

TEST_F(Editing, MovingMoreThan1000WarnsOnceAndUndoReturnsTheFirst1000InStackingOrder) {
    for (int i = 0; i < 1200; ++i)
        rect(10 * i, 100, 10 * i + 5, 200);
    page().restack({1}, draw::DrawModel::Restack::ToFront); // id 1 is now the last in stacking order
    for (int i = 0; i < page().count(); ++i)
        page().at(i).selected = true;

    ui.answer(1, kTooMany);
    moveSelection(30, 40);
    EXPECT_EQ(ui.texts.size(), 1);
    EXPECT_EQ(undoRecord().UndoCount(), 1000);
    EXPECT_EQ(undoRecord().LastActionKind(), 1);
    EXPECT_EQ(drawwin().DrawingModified, 1);

    EXPECT_EQ(EditUndo(), 1000);
    const QList<Long> stack = order();
    for (int i = 0; i < 1200; ++i) {
        const Long id = stack[i];
        const Long x = 10 * (id - 1);
        const QRect at = i < 1000 ? QRect(QPoint(x, 100), QPoint(x + 5, 200))
                                  : QRect(QPoint(x + 30, 140), QPoint(x + 35, 240));
        ASSERT_EQ(frame(id), at) << "stacking position " << i << ", id " << id;
    }
    EXPECT_EQ(stack.last(), 1) << "the first made is the last stacked and stays moved";
}

TEST_F(Editing, AnEditStartWithNothingSelectedKeepsTheRecordButMarksTheDrawing) {
    const Long a = rect(0, 0, 100, 100), b = rect(200, 0, 300, 100);
    bandSelect({a, b});
    EditAction(1);
    ASSERT_EQ(undoRecord().UndoCount(), 2);
    page().clearSelection();
    drawwin().DrawingModified = 0;
    EditAction(1);
    EXPECT_EQ(undoRecord().UndoCount(), 2);
    EXPECT_EQ(undoRecord().UndoIds(1), a);
    EXPECT_EQ(undoRecord().UndoIds(2), b);
    EXPECT_EQ(drawwin().DrawingModified, 1);
    EXPECT_EQ(undoRecord().LastActionKind(), 0) << "an edit start alone is nothing to undo";
    EXPECT_EQ(EditUndo(), 0);
}

TEST_F(Editing, TheEndOfAnEditMarksTheDrawingUnlessTheZoomFrameIsDragged) {
    drawwin().ZoomWindowPending = 1;
    EditAction(3);
    EXPECT_EQ(undoRecord().LastActionKind(), 1);
    EXPECT_EQ(drawwin().DrawingModified, 0);
    EditAction(4);
    EXPECT_EQ(drawwin().DrawingModified, 0);
    drawwin().ZoomWindowPending = 0;
    EditAction(4);
    EXPECT_EQ(drawwin().DrawingModified, 1);

    // After the control deleted objects itself there is nothing to undo.
    const Long a = rect(0, 0, 100, 100);
    clickSelect(a);
    moveSelection(50, 0);
    EditAction(6);
    EXPECT_EQ(undoRecord().LastActionKind(), 2);
    EXPECT_EQ(EditUndo(), 0);
    EXPECT_EQ(frame(a), QRect(QPoint(50, 0), QPoint(150, 100)));
    EditAction(2); // codes without a meaning change nothing
    EditAction(5);
    EXPECT_EQ(undoRecord().LastActionKind(), 2);
}

TEST_F(Editing, UndoOfAResizeAndATurnPutsEveryPlacementBackExactly) {
    const Long r = rect(100, 100, 300, 200);
    const Long p = polygon({{400, 100}, {600, 100}, {500, 300}});
    const Long t = text(700, 150, -100);
    obj(t).style.textAngle = 15;
    const QVector<Long> all = {r, p, t};
    QList<draw::Placement> before;
    for (Long id : all)
        before << draw::placementOf(obj(id));
    bandSelect({r, p, t});
    const std::string start = dump();
    EditAction(1);
    page().scale(all, QRectF(100, 100, 600, 200), QRectF(100, 100, 1200, 300));
    EditAction(4);
    page().rotate(all, QPointF(400, 200), 90); // a second drag without a new start: the record stays
    EditAction(4);
    ASSERT_NE(dump(), start);
    ASSERT_NE(obj(r).angle, 0);

    EXPECT_EQ(EditUndo(), 3);
    for (int i = 0; i < all.size(); ++i)
        EXPECT_EQ(draw::placementOf(obj(all[i])), before[i]) << "object " << all[i];
    EXPECT_EQ(dump(), start);
    EXPECT_EQ(EditUndo(), 3);
    EXPECT_EQ(dump(), start) << "Undo twice is Undo once";
}

TEST_F(Editing, UndoSkipsRecordedObjectsThatAreGone) {
    const Long a = rect(0, 0, 100, 100), b = rect(200, 0, 300, 100), c = rect(400, 0, 500, 100);
    bandSelect({a, b, c});
    moveSelection(0, 1000);
    page().remove(b);
    EXPECT_EQ(EditUndo(), 2);
    EXPECT_EQ(frame(a), QRect(QPoint(0, 0), QPoint(100, 100)));
    EXPECT_EQ(frame(c), QRect(QPoint(400, 0), QPoint(500, 100)));
    EXPECT_TRUE(ui.texts.isEmpty());
}

TEST_F(Editing, ANewDrawingEmptiesTheRecordSoUndoMovesNoUnrelatedObject) {
    clickSelect(rect(0, 0, 100, 100));
    moveSelection(500, 500);
    ASSERT_EQ(undoRecord().LastActionKind(), 1);
    pageCanvas().NewDrawing();
    EXPECT_EQ(undoRecord().UndoCount(), 0);
    const Long fresh = rect(1000, 1000, 1100, 1100); // id 1 again
    ASSERT_EQ(fresh, undoRecord().UndoIds(1));
    EXPECT_EQ(EditUndo(), 0);
    EXPECT_EQ(frame(fresh), QRect(QPoint(1000, 1000), QPoint(1100, 1100)));
}

// ---- Delete --------------------------------------------------------------------------------------

TEST_F(Editing, DeleteAfterAClickCollapsesThatTextAndUndoGivesBackItsRectangleAndHeight) {
    const Long r = rect(100, 100, 300, 200), t = text(700, 150, -100),
               l = page().add(draw::Line, 0, 0, 50, 50).id;
    // The last drag recorded the rectangle; the click then picks the text.
    clickSelect(r);
    moveSelection(10, 10);
    clickSelect(t);
    obj(t).style.textHeight = -100;
    const QStringList others = {draw::dumpObject(obj(r)), draw::dumpObject(obj(l))};
    drawwin().DrawingModified = 0;

    DrawingKeyDown(46);
    EXPECT_TRUE(collapsed(t));
    EXPECT_FALSE(obj(t).selected) << "a deleted object is let go of";
    EXPECT_EQ((QStringList{draw::dumpObject(obj(r)), draw::dumpObject(obj(l))}), others)
        << "nothing else moves";
    EXPECT_EQ(undoRecord().UndoCount(), 1);
    EXPECT_EQ(undoRecord().UndoIds(1), t);
    EXPECT_EQ(undoRecord().UndoPlacements(1).textHeight, -100);
    EXPECT_EQ(undoRecord().LastActionKind(), 1);
    EXPECT_EQ(drawwin().DrawingModified, 1);

    obj(t).style.textHeight = -40; // what a collapse may leave of a height
    EXPECT_EQ(EditUndo(), 1);
    EXPECT_EQ(frame(t), QRect(QPoint(700, 150), QPoint(700, 150)));
    EXPECT_EQ(obj(t).style.textHeight, -100);
    EXPECT_EQ(obj(t).tag(tags::Change), QString());
    EXPECT_TRUE(obj(t).tags.isEmpty()) << "the tag is emptied, not left as an empty value";
}

TEST_F(Editing, DeleteAfterABandCollapsesEveryObjectInItAndPrintingDropsWhatIsStillDeleted) {
    const Long a = rect(100, 100, 300, 200), b = polygon({{400, 100}, {600, 100}, {500, 300}});
    const Long c = rect(1000, 1000, 1200, 1200);
    const std::string start = dump();
    bandSelect({a, b});
    DrawingKeyDown(46);
    EXPECT_TRUE(collapsed(a));
    EXPECT_TRUE(collapsed(b));
    EXPECT_EQ(frame(c), QRect(QPoint(1000, 1000), QPoint(1200, 1200)));
    EditUndo();
    EXPECT_EQ(dump(), start);

    // Deleted again, one at a time: the second Delete's record holds only c, so a stays deleted.
    clickSelect(a);
    DrawingKeyDown(46);
    clickSelect(c);
    DrawingKeyDown(46);
    EditUndo();
    EXPECT_TRUE(collapsed(a));
    EXPECT_FALSE(collapsed(c));
    removedeletedobjects();
    EXPECT_EQ(page().find(a), nullptr);
    EXPECT_NE(page().find(b), nullptr);
    EXPECT_NE(page().find(c), nullptr);
    EXPECT_EQ(undoRecord().UndoCount(), 0);
}

TEST_F(Editing, DeleteWithNothingSelectedDeletesNothingAndKeepsTheRecord) {
    const Long a = rect(100, 100, 300, 200), b = rect(400, 100, 600, 200);
    clickSelect(a);
    moveSelection(0, 100);
    page().clearSelection();
    undoRecord().kind = 2;
    DrawingKeyDown(46);
    EXPECT_FALSE(collapsed(a));
    EXPECT_FALSE(collapsed(b));
    EXPECT_EQ(undoRecord().UndoCount(), 1);
    EXPECT_EQ(undoRecord().UndoIds(1), a);
    EXPECT_EQ(undoRecord().LastActionKind(), 2) << "nothing was deleted, so nothing becomes undoable";
    EXPECT_EQ(drawwin().DrawingModified, 1);
}

TEST_F(Editing, DeletingMoreThan1000DeletesThemAllAndUndoesTheFirst1000) {
    for (int i = 0; i < 1200; ++i)
        rect(10 * i, 100, 10 * i + 5, 200);
    for (int i = 0; i < page().count(); ++i)
        page().at(i).selected = true;
    ui.answer(1, kTooMany);
    DrawingKeyDown(46);
    for (int i = 0; i < 1200; ++i)
        ASSERT_TRUE(collapsed(page().at(i).id)) << i;
    EXPECT_EQ(EditUndo(), 1000);
    EXPECT_FALSE(collapsed(1000));
    EXPECT_TRUE(collapsed(1001));
}

// ---- groups and stacking order -----------------------------------------------------------------------

TEST_F(Editing, GroupRecordsTheSelectionAnewWithoutAMessage) {
    for (int i = 0; i < 1200; ++i)
        rect(10 * i, 100, 10 * i + 5, 200);
    for (int i = 0; i < page().count(); ++i)
        page().at(i).selected = true;
    undoRecord().kind = 2;
    EditGroup(); // the unplanned message would fail the test
    EXPECT_EQ(undoRecord().UndoCount(), 1000);
    EXPECT_EQ(undoRecord().UndoIds(1000), 1000);
    EXPECT_EQ(undoRecord().LastActionKind(), 2);
    EXPECT_EQ(drawwin().DrawingModified, 1);
    const int g = page().at(0).group;
    EXPECT_NE(g, 0);
    for (int i = 0; i < page().count(); ++i)
        ASSERT_EQ(page().at(i).group, g);
}

TEST_F(Editing, GroupWithNothingSelectedLeavesEverythingAsItWas) {
    const Long a = rect(0, 0, 100, 100);
    clickSelect(a);
    moveSelection(10, 0);
    page().clearSelection();
    EditGroup();
    EditUnGroup();
    EXPECT_EQ(undoRecord().UndoCount(), 1);
    EXPECT_EQ(obj(a).group, 0);
    EXPECT_EQ(drawwin().DrawingModified, 1); // from the move only
    drawwin().DrawingModified = 0;
    EditGroup();
    EXPECT_EQ(drawwin().DrawingModified, 0);
}

TEST_F(Editing, AfterUnGroupUndoDoesNothingUntilTheNextEdit) {
    const Long a = rect(0, 0, 100, 100), b = rect(200, 0, 300, 100);
    bandSelect({a, b});
    EditGroup();
    moveSelection(0, 500);
    drawwin().DrawingModified = 0;
    EditUnGroup();
    EXPECT_EQ(obj(a).group, 0);
    EXPECT_EQ(obj(b).group, 0);
    EXPECT_EQ(undoRecord().UndoCount(), 0);
    EXPECT_EQ(drawwin().DrawingModified, 1);
    EXPECT_EQ(EditUndo(), 0);
    EXPECT_EQ(frame(a), QRect(QPoint(0, 500), QPoint(100, 600)));

    clickSelect(b);
    moveSelection(0, 100);
    EXPECT_EQ(EditUndo(), 1);
    EXPECT_EQ(frame(b), QRect(QPoint(200, 500), QPoint(300, 600)));
}

TEST_F(Editing, EachStackingEntryWithNoneOneAndTwoSelected) {
    struct Case {
        int code;
        QList<Long> one, two; // the order after moving object 3, and after moving 2 and 4
    };
    const Case cases[] = {
        {5, {1, 2, 4, 3, 5}, {1, 3, 2, 5, 4}},
        {4, {1, 3, 2, 4, 5}, {2, 1, 4, 3, 5}},
        {3, {1, 2, 4, 5, 3}, {1, 3, 5, 2, 4}},
        {2, {3, 1, 2, 4, 5}, {2, 4, 1, 3, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        pageCanvas().NewDrawing();
        for (int i = 0; i < 5; ++i)
            rect(100 * i, 0, 100 * i + 50, 50);
        drawwin().DrawingModified = 0;
        page().clearSelection();
        EditRestack(c.code);
        EXPECT_EQ(order(), (QList<Long>{1, 2, 3, 4, 5}));
        EXPECT_EQ(drawwin().DrawingModified, 0);

        clickSelect(3);
        EditRestack(c.code);
        EXPECT_EQ(order(), c.one);
        EXPECT_EQ(drawwin().DrawingModified, 1);

        pageCanvas().NewDrawing();
        for (int i = 0; i < 5; ++i)
            rect(100 * i, 0, 100 * i + 50, 50);
        bandSelect({2, 4});
        EditRestack(c.code);
        EXPECT_EQ(order(), c.two);
    }
}

// ---- clipboard -------------------------------------------------------------------------------------

TEST_F(Editing, CopyAndPasteInSelectModeGroupTheCopiesAtTheCorner) {
    page().EditMode(11);
    const Long a = rect(1000, 1200, 1300, 1400), b = text(1500, 1300, -100);
    bandSelect({a, b});
    EditCopy();
    EXPECT_EQ(drawwin().DrawingModified, 0) << "a copy changes no drawing";
    ToolButtons buttons;
    EditPaste(buttons);
    ASSERT_EQ(page().count(), 4);
    const draw::DrawObject &ra = page().at(2), &tb = page().at(3);
    EXPECT_EQ(QRect(QPoint(ra.x1, ra.y1), QPoint(ra.x2, ra.y2)), QRect(QPoint(100, 100), QPoint(400, 300)));
    EXPECT_EQ(QPoint(tb.x1, tb.y1), QPoint(600, 200));
    EXPECT_TRUE(ra.selected && tb.selected);
    EXPECT_FALSE(obj(a).selected);
    EXPECT_NE(ra.group, 0);
    EXPECT_EQ(ra.group, tb.group);
    EXPECT_EQ(drawwin().DrawingModified, 1);
    EXPECT_EQ(frame(a), QRect(QPoint(1000, 1200), QPoint(1300, 1400)));

    // One object is pasted alone, ungrouped, its first corner at the same place.
    clickSelect(b);
    EditCopy();
    EditPaste(buttons);
    EXPECT_EQ(QPoint(page().at(4).x1, page().at(4).y1), QPoint(100, 100));
    EXPECT_EQ(page().at(4).group, 0);
}

TEST_F(Editing, PasteWithAnEmptyClipboardDoesNothing) {
    page().EditMode(11);
    const Long a = rect(0, 0, 100, 100);
    clickSelect(a);
    ToolButtons buttons;
    EditPaste(buttons); // no message, no error
    EXPECT_EQ(page().count(), 1);
    EXPECT_TRUE(obj(a).selected);
    EXPECT_EQ(drawwin().DrawingModified, 0);
    // Copy with nothing selected keeps what the clipboard holds.
    EditCopy();
    page().clearSelection();
    EditCopy();
    EditPaste(buttons);
    EXPECT_EQ(page().count(), 2);
}

TEST_F(Editing, CutCopiesTheSelectionSoftDeletesItAndUndoBringsItBack) {
    page().EditMode(11);
    const Long a = rect(1000, 1000, 1200, 1200), b = rect(2000, 1000, 2200, 1200);
    clickSelect(b);
    moveSelection(0, 10); // the last drag recorded b
    clickSelect(a);
    drawwin().DrawingModified = 0;
    EditCut();
    EXPECT_TRUE(collapsed(a));
    EXPECT_FALSE(collapsed(b));
    EXPECT_EQ(undoRecord().UndoIds(1), a);
    EXPECT_EQ(undoRecord().LastActionKind(), 1);
    EXPECT_EQ(drawwin().DrawingModified, 1) << "a New Drawing after a Cut must ask";

    ToolButtons buttons;
    EditPaste(buttons);
    ASSERT_EQ(page().count(), 3);
    EXPECT_EQ(QRect(QPoint(page().at(2).x1, page().at(2).y1), QPoint(page().at(2).x2, page().at(2).y2)),
              QRect(QPoint(100, 100), QPoint(300, 300)));
    EXPECT_EQ(page().at(2).tag(tags::Change), QString()) << "the copy was taken before the delete";
    EditUndo();
    EXPECT_EQ(frame(a), QRect(QPoint(1000, 1000), QPoint(1200, 1200)));
    EXPECT_EQ(frame(b), QRect(QPoint(2000, 1010), QPoint(2200, 1210)));
}

TEST_F(Editing, CutInNodeModeAndCopyOrPasteInRotateModeDoNothing) {
    const Long a = rect(0, 0, 100, 100);
    clickSelect(a);
    page().EditMode(0);
    EditCut();
    EXPECT_FALSE(collapsed(a));
    EXPECT_EQ(page().clipboardCount(), 0);

    page().EditMode(11);
    EditCopy();
    page().EditMode(13);
    const Long m = marker(3000, 3000);
    pick(m);
    EditCopy();
    EXPECT_EQ(drawwin().CopiedCount, 0);
    EXPECT_EQ(obj(m).tag(tags::Copied), QString());
    ToolButtons buttons;
    buttons.Value[toolbar::RotateObjects] = 1;
    EditPaste(buttons);
    EXPECT_EQ(page().count(), 2);
    EXPECT_TRUE(buttons.down(toolbar::RotateObjects));
    EXPECT_EQ(drawwin().DrawingModified, 1); // from picking the node only
    EXPECT_EQ(page().EditMode(), 13);
}

TEST_F(Editing, NodeModeCopyTagsTheSelectedMarkersAndASecondCopyClearsStaleTags) {
    page().EditMode(0);
    const Long m1 = marker(1000, 1000), m2 = marker(2000, 1000), m3 = marker(3000, 1000);
    pick(m1);
    pick(m2);
    EditCopy();
    EXPECT_EQ(obj(m1).tag(tags::Copied), tags::Yes);
    EXPECT_EQ(obj(m2).tag(tags::Copied), tags::Yes);
    EXPECT_EQ(obj(m3).tag(tags::Copied), QString());
    EXPECT_EQ(drawwin().CopiedCount, 4);
    EXPECT_EQ(QList<int>(drawwin().CopiedPoints.begin() + 1, drawwin().CopiedPoints.begin() + 5),
              (QList<int>{1000, 1000, 2000, 1000}));

    pick(m1); // deselected
    pick(m3);
    EditCopy();
    EXPECT_EQ(obj(m1).tag(tags::Copied), QString());
    EXPECT_EQ(obj(m2).tag(tags::Copied), tags::Yes);
    EXPECT_EQ(obj(m3).tag(tags::Copied), tags::Yes);
    EXPECT_EQ(QList<int>(drawwin().CopiedPoints.begin() + 1, drawwin().CopiedPoints.begin() + 5),
              (QList<int>{2000, 1000, 3000, 1000}));

    // Paste selects the copied markers again and appends their centres.
    DeselectNodeMarkers();
    editingSession().SelectedNodeCount = 0;
    pick(m1);
    drawwin().DrawingModified = 0;
    ToolButtons buttons;
    EditPaste(buttons);
    EXPECT_EQ(nodes(), (QList<int>{1000, 1000, 2000, 1000, 3000, 1000}));
    EXPECT_EQ(obj(m2).tag(tags::NodeSelected), tags::Yes);
    EXPECT_EQ(obj(m2).style.fillColor, Blue);
    EXPECT_EQ(obj(m3).style.fillColor, Blue);
    EXPECT_EQ(page().count(), 3) << "no marker is made";
    EXPECT_EQ(page().EditMode(), 0);
    EXPECT_EQ(drawwin().DrawingModified, 1);
}

TEST_F(Editing, NodeCopyOrPastePastTheListsIsRefusedWithNothingChanged) {
    page().EditMode(0);
    const Long m1 = marker(1000, 1000);
    pick(m1);
    EditCopy();
    ASSERT_EQ(drawwin().CopiedCount, 2);
    // 51 nodes are 102 values: one more than the copied list holds.
    const Long m2 = marker(2000, 1000);
    pick(m2);
    EditingSession& m = editingSession();
    for (int k = 5; k <= 102; ++k)
        m.SelectedNodes[size_t(k)] = k;
    m.SelectedNodeCount = 102;
    ui.answer(1, QStringLiteral("Error 9 in mnuCopy.  Please contact Kalvex"));
    EditCopy();
    EXPECT_EQ(drawwin().CopiedCount, 2);
    EXPECT_EQ(obj(m2).tag(tags::Copied), QString());
    EXPECT_EQ(obj(m1).tag(tags::Copied), tags::Yes);

    // 101 values are the most a copy takes.
    m.SelectedNodeCount = 101;
    EditCopy();
    EXPECT_EQ(drawwin().CopiedCount, 101);
    EXPECT_EQ(drawwin().CopiedPoints[101], 101);

    // 420 selected and 101 copied would pass 500.
    m.SelectedNodeCount = 420;
    drawwin().DrawingModified = 0;
    pick(m1); // red again; the paste must not turn it blue
    const int held = m.SelectedNodeCount;
    ui.answer(1, QStringLiteral("Error 9 in mnuPaste.  Please contact Kalvex"));
    ToolButtons buttons;
    EditPaste(buttons);
    EXPECT_EQ(m.SelectedNodeCount, held);
    EXPECT_EQ(obj(m1).style.fillColor, Red);
    EXPECT_EQ(obj(m1).tag(tags::NodeSelected), tags::No);
    EXPECT_EQ(drawwin().DrawingModified, 0);
}

TEST_F(Editing, PasteWithNoNodesCopiedInNodeModeSwitchesToSelectModeAndPastes) {
    page().EditMode(11);
    const Long a = rect(1000, 1000, 1200, 1200);
    clickSelect(a);
    EditCopy();
    ToolButtons buttons;
    buttons.Value[toolbar::AddNode] = 1;
    page().EditMode(0);
    EditPaste(buttons);
    EXPECT_EQ(page().EditMode(), 11);
    EXPECT_TRUE(buttons.down(toolbar::SelectObjects));
    EXPECT_FALSE(buttons.down(toolbar::AddNode));
    ASSERT_EQ(page().count(), 2);
    EXPECT_EQ(QPoint(page().at(1).x1, page().at(1).y1), QPoint(100, 100));
}

TEST_F(Editing, RefreshPaintsThePageAgainAndLeavesRedrawingOn) {
    int repaints = 0;
    QObject::connect(&page(), &draw::DrawModel::changed, [&] { ++repaints; });
    EditRefresh();
    EXPECT_GE(repaints, 1);
    EXPECT_TRUE(page().Redraw());
}
