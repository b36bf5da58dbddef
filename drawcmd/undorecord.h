// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drawing/drawobject.h"

#include <array>
#include <cstdint>

class MDrawPro;

// The drawing window's undo record, one step deep: the objects the last edit moved, resized, turned
// or deleted, each with the placement it had before (frame, vertices, angles, text height), so that
// Undo of a turn or a resize is exact. It lives in the page's editing session, beside the drawing
// control, because printing, which drops objects, empties it. Entries are 1 to UndoCount().
class UndoRecord {
public:
    static constexpr int MaxUndo = 1000;

    // 0 before any edit, 1 after the recorded objects were moved, resized, turned or deleted (Undo
    // applies), 2 after the control deleted objects itself (Undo does nothing). Emptying the record
    // leaves it: Undo of an empty record restores nothing anyway.
    int16_t kind = 0;

    // Records the selected objects of d, the first MaxUndo in stacking order, and returns how many
    // were selected. Nothing selected: the record stays as it was.
    int record(const MDrawPro& d);
    // Gives every recorded object that still exists its recorded placement and takes back its soft
    // delete; returns how many were restored. The record stays.
    int restore(MDrawPro& d) const;
    // Forgets the entries: ids start again at 1 after a new or printed page, and an old entry would
    // move an unrelated object.
    void clear() { count_ = 0; }
    void reset() { *this = UndoRecord{}; }

    int16_t UndoCount() const { return count_; }
    int16_t LastActionKind() const { return kind; }
    // Entry i (1 to MaxUndo); past UndoCount() it is what an earlier record left there.
    int32_t UndoIds(int i) const { return entries_[size_t(i)].id; }
    const draw::Placement& UndoPlacements(int i) const { return entries_[size_t(i)].placement; }

private:
    struct Entry {
        int32_t id = 0;
        draw::Placement placement;
    };
    std::array<Entry, MaxUndo + 1> entries_{};
    int16_t count_ = 0;
};

// The record of the page's drawing control, pageDrawing(): editingSession().undo.
UndoRecord& undoRecord();
