// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

struct ToolButtons;

// The Edit menu and the page's edit events without the window: the one-step undo record, the soft
// delete, the clipboard in select and node mode, groups and stacking order. All of it works on the
// page's drawing control; the undo record is undoRecord(), in the page's editing session.
//
// The soft delete removes nothing: it collapses an object to (-1000, -1000) and tags it "Change" =
// "T", so that Undo can give it back; printing and saving drop what is still deleted.

// The control's edit action: 1 an edit of the selection begins (the selection is recorded, the
// first 1000 in stacking order, with one message when there are more; nothing selected keeps the
// record), 3 moved and 4 resized or turned (Undo applies; the drawing changed unless the zoom frame
// is being dragged), 6 the control deleted objects itself (Undo does nothing). Other codes: nothing.
void EditAction(int code);

// Records the selected objects as an edit start does: the first 1000 in stacking order. warn shows
// the message when there are more. Returns how many were selected; with none the record stays.
int RecordSelection(bool warn);

// The Delete key: every selected object is soft-deleted and let go of, the first 1000 recorded so
// that Undo restores them. Nothing selected: nothing happens.
void EditDelete();

// Edit > Undo: the recorded objects get back their places (frame, vertices, angles, text height)
// and lose their "Change" tag; objects that are gone are skipped. Only after a move, resize, turn or
// soft delete; the record stays, so a second Undo changes nothing more. Returns how many objects
// were restored. Faults are reported as "mnuUndo".
int EditUndo();

// Edit > Cut, select mode only: the selection goes to the control's clipboard and is soft-deleted
// as the Delete key does. Faults: "mnuCut".
void EditCut();

// Edit > Copy. Select mode: the selected objects to the control's clipboard (nothing selected keeps
// it). Node mode (edit mode 0): the selected node markers are tagged "Copied" (stale tags cleared) and
// their centres kept in CopiedPoints; more than 101 values are refused with error 9 before anything
// changes. Other modes: nothing. Faults: "mnuCopy".
void EditCopy();

// Edit > Paste. With no nodes copied in node mode, Tools > Select runs first (buttons go in and come
// back). Select mode: the clipboard's objects are pasted and selected, two or more grouped, and moved
// so that their box starts at (100, 100); an empty clipboard does nothing. Node mode: the copied
// centres join the selected-node list and the copied markers turn selected again; a list that would
// pass 500 values is refused with error 9 before anything changes. Faults: "mnuPaste".
void EditPaste(ToolButtons& buttons);

// Edit > Group: the selection becomes one group and is recorded anew for Undo (no message).
void EditGroup();
// Edit > UnGroup: the selected groups are dissolved and the undo record emptied.
void EditUnGroup();
// The stacking entries with their control codes: 2 to the back, 3 to the front, 4 back one, 5 up one.
// Nothing selected: nothing happens.
void EditRestack(int code);
// Zoom > Refresh: the page is painted anew, once.
void EditRefresh();
