// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>
#include <QStringList>

namespace draw {

class DrawModel;

// What a page holding any data keeps to: no text crosses a line (a line, or a side of a polyline,
// polygon or rectangle, in any pen but none and any direction: the page frame, column rules, table
// rules, axes, dotted grid lines, markers) or another text; with a frame given (drawing units),
// every text lies inside it. A line hidden where it runs through a text, by a solid-filled shape
// painted over it and under the text (a label's knock-out), does not cross. Texts are
// measured as the renderer paints their glyphs (textInkBounds); a text drawn twice at one place
// prints once and counts once. One line per fault, naming what crosses; empty when the page keeps
// to it. Page tests run it on every page they draw.
QStringList layoutFaults(const DrawModel& model, const QRectF& frame = {});

} // namespace draw
