// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drawing/drawobject.h"

#include <QHash>
#include <QImage>

// What an output of a drawing shows, for the renderer (screen, printer, PDF, images) and the file
// writers alike, so that every output leaves out and substitutes the same objects. The drawing
// itself is never changed by it.
namespace draw {

struct OutputOptions {
    // Pattern fills as the screen shows them (each object's own fill picture), or as they print:
    // the picture printPatterns holds for the object's id, the object's own where it holds none.
    enum class Patterns { Screen, Print };
    Patterns patterns = Patterns::Screen;
    QHash<Long, QImage> printPatterns;
    bool hideNodeMarkers = false; // objects tagged as node markers stay out
    bool dropDeleted = false;     // objects tagged as deleted stay out
    double dotsPerInch = 150;     // raster outputs; vector outputs keep drawing units

    // The screen as it is: every object, screen patterns.
    static OutputOptions screen(double dotsPerInch = 150);

    bool leavesOut(const DrawObject& o) const;
    // The object as this output shows it: nullptr when it stays out, else o itself or, with its
    // print pattern, a copy made in scratch.
    const DrawObject* shown(const DrawObject& o, DrawObject& scratch) const;
};

} // namespace draw
