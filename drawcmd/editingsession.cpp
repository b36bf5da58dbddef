// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawcmd/editingsession.h"

bool EditingSession::AppendSelectedNode(int32_t x, int32_t y) {
    if (SelectedNodeCount + 2 > MaxSelectedValues) return false;
    SelectedNodes[size_t(SelectedNodeCount + 1)] = x;
    SelectedNodes[size_t(SelectedNodeCount + 2)] = y;
    SelectedNodeCount += 2;
    return true;
}

void EditingSession::RemoveSelectedNode(int32_t x, int32_t y) {
    if (SelectedNodeCount < 2) return;
    int at = SelectedNodeCount - 1; // x of the last pair, unless the node's own centre is found
    for (int k = SelectedNodeCount - 1; k >= 1; k -= 2) {
        if (SelectedNodes[size_t(k)] == x && SelectedNodes[size_t(k + 1)] == y) {
            at = k;
            break;
        }
    }
    for (int k = at; k + 2 <= SelectedNodeCount; ++k)
        SelectedNodes[size_t(k)] = SelectedNodes[size_t(k + 2)];
    SelectedNodeCount -= 2;
}

EditingSession& editingSession() {
    static EditingSession s;
    return s;
}

UndoRecord& undoRecord() {
    return editingSession().undo;
}

bool AppendSelectedNode(int32_t x, int32_t y) {
    return editingSession().AppendSelectedNode(x, y);
}

void RemoveSelectedNode(int32_t x, int32_t y) {
    editingSession().RemoveSelectedNode(x, y);
}
