// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>

namespace contour {

class PlotDocument;

// What windows do for the contouring engine: show each new plot document. The plot window fills it
// in (RegisterPlotWindow); unset, a document is only drawn.
struct PlotHooks {
    std::function<void(std::shared_ptr<PlotDocument>)> showDocument;
    void reset() { *this = PlotHooks{}; }
};
PlotHooks& plotHooks();

} // namespace contour
