// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawcmd/undorecord.h"

#include <QString>
#include <array>
#include <cstdint>

// What the drawing window's editing keeps about the page's drawing control, beside it: the undo
// record, the node markers hidden and picked, the node lines stacked at the back, and the style
// palette. Reports draw through the drawing commands and never read it.
struct EditingSession {
    UndoRecord undo;

    // ---- node markers: centres of hidden markers (rows 1 to NodeCount, x then y, drawing units)
    static constexpr int MaxNodes = 500;
    std::array<std::array<float, 2>, MaxNodes + 1> NodeTable{};
    int16_t NodeCount = 0;
    int16_t NodesHidden = 0; // 1 while "ShowHide Nodes" keeps the markers hidden

    // The selected nodes, x then y in the order picked, entries 1 to SelectedNodeCount; a list of its
    // own, so that drawing commands and node picking never share a buffer.
    static constexpr int MaxSelectedValues = 500; // 250 nodes
    std::array<int32_t, MaxSelectedValues + 2> SelectedNodes{};
    int32_t SelectedNodeCount = 0;

    // Lines stacked at the back since the drawing was started; each new one goes above them.
    int16_t ShapeCounter = 0;

    // ---- style palette: pattern file names and colours, 1-based (entry 0 is never saved), and the
    // fill of node polygons and of the selection
    std::array<QString, 11> PaletteFills;
    std::array<int32_t, 15> PaletteColors{};
    QString CurrentFillPattern;
    int32_t CurrentFillColor = 0;

    // Appends a node's centre; false when the list already holds 250 nodes, and the node is not listed.
    bool AppendSelectedNode(int32_t x, int32_t y);
    // Takes a deselected node's own centre off the list: the last pair equal to (x, y), or the last pair
    // when none is (the marker has moved since it was picked). Nothing when the list is empty.
    void RemoveSelectedNode(int32_t x, int32_t y);

    // The page was replaced: the undo entries, hidden markers and picked nodes would name objects of
    // the old drawing, as ids start again at 1.
    void clear() {
        undo.clear();
        NodeCount = 0;
        SelectedNodeCount = 0;
    }
    void reset() { *this = EditingSession{}; }
};

// The session of the page's drawing control, pageDrawing().
EditingSession& editingSession();

bool AppendSelectedNode(int32_t x, int32_t y);
void RemoveSelectedNode(int32_t x, int32_t y);
