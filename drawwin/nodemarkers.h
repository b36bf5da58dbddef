// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

class MDrawPro;

// Node markers: small red discs on the page, told from the drawing's own objects by their tag
// "nodeselected" ("F" unselected, "T" selected, blue). They work on the page's drawing control and
// keep their data in the page's editing session (NodeTable, NodeCount, NodesHidden).

// Adds one unselected marker centred on (x, y), drawing units.
void AddNodeMarker(int32_t x, int32_t y);
// Adds an unselected marker for each hidden centre in NodeTable.
void ShowNodeMarkers();
// Stores the centre of every marker in NodeTable and deletes the markers; the selection of the
// drawing's other objects is cleared on the way.
void HideNodeMarkers();
// Makes every selected marker unselected.
void DeselectNodeMarkers();

// True for an object that is a node marker: reads the tag of the control's current object.
bool IsNodeMarker(const MDrawPro& control);

// What a click on an object does to the node selection (PickNodeMarker).
enum class NodePick {
    NotAMarker, // the object is no node marker: nothing changed
    Selected,   // a red marker turned blue and its centre was appended to the selected-node list
    Deselected, // a blue marker turned red and its own centre left the list
    ListFull,   // a 251st node: it stays red and unlisted
};
// Node picking on the current object of the page's control.
NodePick PickNodeMarker();
