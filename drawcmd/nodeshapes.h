// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>

// The drawing window's tools that live below it: shapes made through the selected nodes
// (editingSession().SelectedNodes / SelectedNodeCount, x then y in the order picked), and the free-shape
// tools that put the page's drawing control into a mouse-drawing mode.
//
// Node shapes work on pageDrawing(). Each raises QmError for a fault and, when it does, has added
// nothing and left the selected-node list as it was, so the nodes stay selected (the caller then skips
// DeselectNodeMarkers). On success the list is empty and the new object is the control's current one.
// Faults: 6 a coordinate difference or sum of squares out of range, 11 a lens whose tip lies straight
// above or below its centre or whose half height is 0, 53 a pattern fill without the fills folder's
// "Temp.bmp", 481 a "Temp.bmp" that is no picture, 5 a pattern name too short to name its print file.

// A polygon through the selected nodes, filled from the palette's pattern and colour (tags "Fill",
// "Color"), black outline of width 4; the pen moves to the first node. Nothing when no node is selected.
void MakeNodePolygon();
// A polyline through the selected nodes in the palette's line colour, stacked at the back above the
// lines stacked there before it (ShapeCounter). Nothing when no node is selected.
void MakeNodeLine();
// An arrow through two or three nodes, the tip on the node selected last: a polyline shaft and a
// solid triangular head, both left selected. Another count shows "You must select 2-3 nodes to create
// an arrow." and changes nothing.
void MakeNodeArrow();
// A lens through four nodes (two tips, top and bottom), or a half lens through three
// (MakeThreeNodeLens); filled and outlined like a node polygon. Another count shows
// "You must select 3-4 nodes to create a lens." and changes nothing.
void MakeNodeLens();
void MakeThreeNodeLens();

// The print file a screen pattern's name stands for ("F12_sc.bmp" gives "F12.bmp", a solid "F0..."
// or empty pattern gives ""); error 5 for a pattern name of fewer than 7 characters.
QString PrintPatternName(const QString& screenPattern);

// Fills the current object of the page's control from the palette as a node polygon is filled: solid
// for an empty or "F0..." pattern, else the coloured pattern "Temp.bmp" of the fills folder; tags
// "Fill" and "Color"; black outline of width 4. The picture and the name are checked before anything
// is written, so a fault leaves the object as it was. Also styles a free polygon on Escape.
void ApplyNodePolygonFill();

// ---- free-shape tools

// What a tool procedure did. The caller keeps FreeShapeTool (a window variable) and, after a pen
// reset, redraws the palette's line-style sample.
struct FreeToolResult {
    int16_t FreeShapeTool =
        0;                 // 1 polygon, 2 line, 3 rectangle, 4 rounded rectangle, 5 ellipse, 6 text, 7 image
    int EditMode = 0;      // the kind the control now draws: 9, 8, 2, 3, 4, 10, 12
    bool PenReset = false; // an invisible default pen (style 5) was made solid, width 4
};

// Each sets the control's EditMode to its kind and leaves CurrentObject at 4 (the defaults for new
// objects). Line, rectangle, rounded rectangle and ellipse first make an invisible default pen visible.
FreeToolResult SetToolPolygon();
FreeToolResult SetToolLine();
FreeToolResult SetToolRectangle();
FreeToolResult SetToolRoundedRect();
FreeToolResult SetToolEllipse();
FreeToolResult SetToolText();
FreeToolResult SetToolImage();
// The procedure of a tool by its number 1 to 7; any other number does nothing and returns {}.
FreeToolResult SetFreeTool(int tool);
