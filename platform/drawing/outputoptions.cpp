// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drawing/outputoptions.h"

#include "platform/drawing/objecttags.h"

namespace draw {

OutputOptions OutputOptions::screen(double dotsPerInch) {
    OutputOptions o;
    o.dotsPerInch = dotsPerInch;
    return o;
}

bool OutputOptions::leavesOut(const DrawObject& o) const {
    // A marker carries its tag whether selected or not.
    if (hideNodeMarkers && !o.tag(tags::NodeSelected).isEmpty()) return true;
    return dropDeleted && o.tag(tags::Change) == tags::Yes;
}

const DrawObject* OutputOptions::shown(const DrawObject& o, DrawObject& scratch) const {
    if (leavesOut(o)) return nullptr;
    if (patterns != Patterns::Print) return &o;
    const auto it = printPatterns.find(o.id);
    if (it == printPatterns.end()) return &o;
    scratch = o;
    scratch.style.fillPicture = it.value();
    scratch.style.fill = FillMode::Picture;
    return &scratch;
}

} // namespace draw
