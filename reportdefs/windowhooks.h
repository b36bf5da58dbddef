// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// Windows the report-definition forms hand over to, which belong to report generation; that layer
// fills them in. Unset, the hand-over does nothing.
struct ReportDefHooks {
    std::function<void()> showRunDialog;  // the preview/print dialog for ReportCode, shown modally
    // The date contour run of the current definition: its data files, then the maps drawn from
    // them. Fill it with DateContourRun, which keeps the two steps in order and together.
    std::function<void()> runDateContour;
    void reset() { *this = ReportDefHooks{}; }
};
ReportDefHooks& reportDefHooks();

// The date contour run made of its two steps. The map run follows only when the data step says it
// wrote the data files: otherwise the maps would be drawn from an earlier run's files.
std::function<void()> DateContourRun(std::function<bool()> dataStep, std::function<void()> mapStep);
