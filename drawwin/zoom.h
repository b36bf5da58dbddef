// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

// The view values of the three zooms, worked out from the page and the control's size. All sizes are
// in the view's own units (pixels of the drawing control); the page and the coordinate extent are in
// drawing units. An operation that cannot give a sensible view (an empty page, a zero-size frame)
// gives nullopt and the view stays as it is.
namespace zoom {

struct Geometry {
    int32_t pageWidth = 0; // the sheet, drawing units
    int32_t pageHeight = 0;
    double clientWidth = 0; // inside of the control
    double clientHeight = 0;
    double controlWidth = 0; // the control as placed, border included
    double controlHeight = 0;
};

struct View {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    bool setsLeft = true; // Zoom Screen Width leaves the horizontal position alone
};

// The whole page fitted into the control and centred; the height decides when the page is
// relatively wider than the control, ties go to the width.
std::optional<View> Page(const Geometry& g);

// The page width fitted to the control, top edge at the top.
std::optional<View> ScreenWidth(const Geometry& g);

struct Extent {
    int32_t left = 0, top = 0, width = 0, height = 0; // the drawing's coordinate extent
};

// The rectangle (x1, y1)-(x2, y2), in drawing coordinates, stretched over the control's inside (its
// size less one pixel each side), across and down independently; (x1, y1) lands in the top left.
std::optional<View> In(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const Geometry& g, const Extent& e,
                       double pixel = 1);

} // namespace zoom
