// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>
#include <cstdint>

class MDrawPro;

// The drawing window's tool chest without its widgets: the toolbar's commands, the two Tools menu
// commands, and what the page's drawing events add on top of the control (node picking, markers,
// symbols, Escape after a free shape). The window hands in the buttons' states and takes them back.
namespace toolbar {
enum Position : int {
    AddNode = 1,
    ShowHideNodes = 2,
    SelectObjects = 3,
    RotateObjects = 4,
    AddNodePolygon = 6,
    AddNodeLens = 7,
    AddNodeLine = 8,
    AddNodeArrow = 9,
    FreePolygon = 11,
    FreeImage = 17,
    FreeTextDialog = 18,
    FreeImageDialog = 19,
    NextPage = 22,
    ButtonCount = 23,
};
} // namespace toolbar

// Pressed state of the toolbar's buttons by position 1 to 23 (a check button is toggled before its
// command runs) and the picture key of "ShowHide Nodes".
struct ToolButtons {
    std::array<int16_t, toolbar::ButtonCount + 1> Value{};
    QString NodesImage = QStringLiteral("shownode");

    bool down(int b) const { return Value[size_t(b)] != 0; }
    void release(int b) { Value[size_t(b)] = 0; }
    void releaseRange(int from, int to) {
        for (int b = from; b <= to; ++b) release(b);
    }
};

enum class ToolbarOutcome { Done, NextPage };

// Carries out the button with this key on the page's control; palette is the style strip whose
// line-style sample a pen reset redraws. Every fault is trapped here: a font the control cannot use
// and an object that cannot take a change get their messages, a cancelled dialog none, any other
// "Error N in Toolbar1-ButtonClick". Unknown keys ("Previous Page", "Goto Page") do nothing.
ToolbarOutcome ToolbarButtonClick(const QString& key, ToolButtons& buttons, MDrawPro& palette);

// Tools > Add Nodes and Tools > Select - Move - Resize: they set the buttons themselves.
void AddNodesMenu(ToolButtons& buttons);
void SelectMenu(ToolButtons& buttons);

// The symbol-file dialog: every mode button comes up first; Cancel keeps SymbolFile. Faults are
// reported as "Preview Open".
void ChooseSymbolFile(ToolButtons& buttons);

// The font preset of a text height: its size in points (halves to even), whatever its sign.
int PointsOfTextHeight(double textHeight, int unitsPerInch);

// ---- events of the page's control

// The mouse finished drawing object id: it may still be styled by Escape, and the drawing changed.
void ObjectDrawn(int32_t id);
// An object was clicked with "Add Node" up: a marker turns blue and its centre joins the selected
// nodes, or turns red and its own centre leaves them. Other objects are left alone.
void NodeObjectClicked();
// A key reached the page (not one typed into a text). Escape styles the object the free tool just
// drew, once; Delete soft-deletes the selection (EditDelete); every key marks the drawing changed.
void DrawingKeyDown(int keyCode);
// A click with "Add Node" down, in drawing units.
void AddNodeAt(double x, double y);
// The "Free Image" branch of a click: frameId is the frame the gesture drew (0 none). The frame
// makes way for the symbol bitmap; without a symbol file the message is shown. Faults are reported.
void PlaceSymbol(int32_t frameId);
