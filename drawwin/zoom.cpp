// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/zoom.h"

#include "platform/numbers.h"

#include <cmath>
#include <cstdlib>

namespace zoom {

namespace {

// Sizes are whole numbers, halves to even, with no 16-bit limit: a wide control over a tall page
// gives sizes beyond that range, which must not fail.
double whole(double v) {
    return qnum::RoundHalfEven(v);
}

bool usable(const Geometry& g) {
    return g.pageWidth > 0 && g.pageHeight > 0 && std::isfinite(g.clientWidth) && g.clientWidth > 0;
}

} // namespace

std::optional<View> Page(const Geometry& g) {
    if (!usable(g) || !(g.clientHeight > 0)) return std::nullopt;
    const float r = float(g.pageWidth) / float(g.pageHeight);
    double cw = whole(g.clientWidth);
    double ch = whole(g.clientHeight);
    // Products and quotients with the single-precision ratio stay single precision before rounding.
    if (float(ch * r) < float(cw))
        cw = whole(float(ch) * r);
    else
        ch = whole(float(cw) / r);
    View v;
    v.width = cw;
    v.height = ch;
    // Negative when the page is smaller than the control: that centres it.
    v.left = float(cw - g.controlWidth) / 2;
    v.top = float(ch - g.controlHeight) / 2;
    return v;
}

std::optional<View> ScreenWidth(const Geometry& g) {
    if (!usable(g)) return std::nullopt;
    const float r = float(g.pageWidth) / float(g.pageHeight);
    View v;
    v.width = whole(g.clientWidth);
    v.height = whole(float(v.width) / r);
    v.top = 0;
    v.setsLeft = false;
    return v;
}

std::optional<View> In(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const Geometry& g, const Extent& e,
                       double pixel) {
    const double dx = std::fabs(double(x2) - double(x1));
    const double dy = std::fabs(double(y2) - double(y1));
    // A frame without width or height is no zoom; neither is an extent without size.
    if (dx == 0 || dy == 0 || e.width == 0 || e.height == 0) return std::nullopt;
    View v;
    v.width = (g.controlWidth - 2 * pixel) * e.width / dx;
    v.height = (g.controlHeight - 2 * pixel) * e.height / dy;
    if (!(v.width > 0) || !(v.height > 0)) return std::nullopt;
    v.left = v.width * (double(x1) - e.left) / e.width;
    v.top = v.height * (double(y1) - e.top) / e.height;
    return v;
}

} // namespace zoom
