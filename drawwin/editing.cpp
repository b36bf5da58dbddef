// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/editing.h"

#include "drawcmd/editingsession.h"
#include "drawcmd/pagecanvas.h"
#include "drawcmd/undorecord.h"
#include "drawwin/drawwinstate.h"
#include "drawwin/toolbar.h"
#include "platform/drawing/mdrawpro.h"
#include "platform/drawing/objecttags.h"
#include "platform/qmerror.h"
#include "platform/uiservice.h"

namespace {

namespace tags = draw::tags;
using draw::DrawObject;
using draw::Long;

constexpr int SelectMode = 11;
constexpr int NodeMode = 0;
constexpr Long Collapsed = -1000; // a soft-deleted object's four coordinates: off every sheet
constexpr Long PasteCorner = 100; // pasted objects start 1/6 inch from the sheet's top left corner
constexpr int32_t Blue = draw::RGB(0, 0, 255);

const QString kTooManySelected = QStringLiteral(
    "The number of selected objects is greater than 1000.  If you move or delete the objects, you will "
    "be able to Undo the change for 1000 objects.  You may want to select a smaller group of objects.");

// Collapses every selected object and lets go of it: a deleted object left selected would be
// recorded again, collapsed, by the next edit and could no longer be given back.
void softDeleteSelection(MDrawPro& d) {
    for (int i = 0; i < d.count(); ++i) {
        DrawObject& o = d.at(i);
        if (!o.selected) continue;
        o.setFrame(Collapsed, Collapsed, Collapsed, Collapsed);
        o.setTag(tags::Change, tags::Yes);
        o.selected = false;
    }
    d.touched();
}

// The soft delete of Delete and Cut: the selection recorded (with the message past 1000), then
// collapsed. False when nothing was selected.
bool deleteSelection(MDrawPro& d) {
    if (RecordSelection(true) == 0) return false;
    softDeleteSelection(d);
    undoRecord().kind = 1;
    drawwin().DrawingModified = 1;
    return true;
}

} // namespace

int RecordSelection(bool warn) {
    const int selected = undoRecord().record(pageDrawing());
    if (warn && selected > UndoRecord::MaxUndo) ui().MsgBox(kTooManySelected);
    return selected;
}

void EditAction(int code) {
    DrawWin& w = drawwin();
    switch (code) {
    case 1:
        RecordSelection(true);
        w.DrawingModified = 1;
        break;
    case 3:
    case 4:
        undoRecord().kind = 1;
        // The zoom frame is dragged as an object; moving it changes no drawing.
        if (w.ZoomWindowPending != 1) w.DrawingModified = 1;
        break;
    case 6:
        undoRecord().kind = 2;
        break;
    default:
        break;
    }
}

void EditDelete() {
    deleteSelection(pageDrawing());
}

int EditUndo() {
    const UndoRecord& r = undoRecord();
    if (r.kind != 1) return 0;
    MDrawPro& d = pageDrawing();
    int restored = 0;
    trap(QStringLiteral("mnuUndo"), [&] { restored = r.restore(d); });
    if (restored) {
        d.touched();
        drawwin().DrawingModified = 1;
    }
    return restored;
}

void EditCut() {
    MDrawPro& d = pageDrawing();
    if (d.EditMode() != SelectMode) return;
    trap(QStringLiteral("mnuCut"), [&] {
        // Nothing selected: the clipboard and the record stay as they were.
        if (d.selectedCount() == 0) return;
        d.CopyObjects(257, 2);
        deleteSelection(d);
    });
}

void EditCopy() {
    MDrawPro& d = pageDrawing();
    trap(QStringLiteral("mnuCopy"), [&] {
        const int mode = d.EditMode();
        if (mode == SelectMode) {
            if (d.selectedCount() > 0) d.CopyObjects(257, 2);
            return;
        }
        if (mode != NodeMode) return;
        const EditingSession& m = editingSession();
        DrawWin& w = drawwin();
        const int n = m.SelectedNodeCount;
        if (n < 1) return;
        // Refused before any tag changes, so the last Copy stays whole.
        if (n > DrawWin::MaxCopied)
            raiseError(qmerr::Subscript, QStringLiteral("%1 node values to copy").arg(n));
        for (int i = 0; i < d.count(); ++i) {
            DrawObject& o = d.at(i);
            if (o.tag(tags::Copied) == tags::Yes) o.setTag(tags::Copied, QString());
            if (o.tag(tags::NodeSelected) == tags::Yes) o.setTag(tags::Copied, tags::Yes);
        }
        for (int k = 1; k <= n; ++k)
            w.CopiedPoints[size_t(k)] = m.SelectedNodes[size_t(k)];
        w.CopiedCount = n;
    });
}

void EditPaste(ToolButtons& buttons) {
    MDrawPro& d = pageDrawing();
    DrawWin& w = drawwin();
    trap(QStringLiteral("mnuPaste"), [&] {
        if (w.CopiedCount == 0 && d.EditMode() == NodeMode) SelectMenu(buttons);
        const int mode = d.EditMode();
        if (mode == SelectMode) {
            if (d.clipboardCount() == 0) return; // nothing to paste is not an object error
            d.PasteObjects(3, 2);
            d.CurrentObject(2);
            if (d.CountObjects(2) > 1) d.ObjectAction(0);
            Long x1, y1, x2, y2;
            d.GetObjectCoords(x1, y1, x2, y2, 0);
            d.OffsetObjects(PasteCorner - x1, PasteCorner - y1, 12288);
            w.DrawingModified = 1;
            return;
        }
        if (mode != NodeMode || w.CopiedCount < 1) return;
        EditingSession& m = editingSession();
        if (m.SelectedNodeCount + w.CopiedCount > EditingSession::MaxSelectedValues)
            raiseError(qmerr::Subscript,
                       QStringLiteral("%1 node values").arg(m.SelectedNodeCount + w.CopiedCount));
        for (int k = 1; k <= w.CopiedCount; ++k)
            m.SelectedNodes[size_t(m.SelectedNodeCount + k)] = w.CopiedPoints[size_t(k)];
        m.SelectedNodeCount += w.CopiedCount;
        for (int i = 0; i < d.count(); ++i) {
            DrawObject& o = d.at(i);
            if (o.tag(tags::Copied) != tags::Yes) continue;
            o.setTag(tags::NodeSelected, tags::Yes);
            o.style.fillColor = Blue;
        }
        d.touched();
        w.DrawingModified = 1;
    });
}

void EditGroup() {
    MDrawPro& d = pageDrawing();
    if (d.CountObjects(2) == 0) return;
    d.CurrentObject(2);
    d.ObjectAction(0);
    RecordSelection(false);
    drawwin().DrawingModified = 1;
}

void EditUnGroup() {
    MDrawPro& d = pageDrawing();
    if (d.CountObjects(2) == 0) return;
    d.CurrentObject(2);
    d.ObjectAction(1);
    undoRecord().clear(); // the groups the record knew are gone
    drawwin().DrawingModified = 1;
}

void EditRestack(int code) {
    MDrawPro& d = pageDrawing();
    if (d.CountObjects(2) == 0) return;
    d.CurrentObject(2);
    d.ObjectAction(code);
    drawwin().DrawingModified = 1;
}

void EditRefresh() {
    MDrawPro& d = pageDrawing();
    d.Redraw(false);
    d.Refresh();
    d.Redraw(true);
}
