// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>
#include <functional>

// How the user left a preview page: Next Page, or out of the preview (Exit Screen Preview or the
// close box), which ends the run.
enum class PreviewResult { NextPage, Left };

// What windows do for report generation: the page sink the drivers hand each page to, the run
// dialog's progress line, and loading the drawing window before a run. The window layer fills it
// in; the drivers reach the page sink through HandOverPage (reports/gwgraph.h), never directly.
struct ReportHooks {
    // Shows the page just drawn in the drawing window, modally; unset, the run goes on as after
    // Next Page.
    std::function<PreviewResult()> previewPage;
    // Prints the page just drawn, false when it could not be printed, which ends the run; unset,
    // PrintRunPage prints it.
    std::function<bool()> printPage;
    // Shows the progress text of the page being drawn; unset, nothing shows.
    std::function<void(const QString& text)> showProgress;
    // Loads the drawing window without showing it, before a run's first page; unset, nothing.
    std::function<void()> loadDrawingWindow;
    // 1 once the run dialog had the drawing window loaded; it is not asked again, a window closed
    // since comes back with the next preview page.
    int16_t DrawAreaLoaded = 0;
    void reset() { *this = ReportHooks{}; }
};
ReportHooks& reportHooks();
