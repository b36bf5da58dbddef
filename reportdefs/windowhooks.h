// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// Windows the report-definition forms hand over to, which belong to report generation; that layer
// fills them in. Unset, the hand-over does nothing.
struct ReportDefHooks {
    std::function<void()> showRunDialog;  // the preview/print dialog for ReportCode, shown modally
    std::function<void()> runDateContour; // the date contour run of the current definition
    void reset() { *this = ReportDefHooks{}; }
};
ReportDefHooks& reportDefHooks();
