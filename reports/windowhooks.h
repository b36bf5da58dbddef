// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

// How the user left a preview page: Next Page, or out of the preview (Exit Screen Preview or the
// close box), which ends the run.
enum class PreviewResult { NextPage, Left };

// What windows do for report generation: the page sink the drivers hand each page to, and the run
// dialog's progress line. The window layer fills it in; the drivers reach it through HandOverPage
// (reports/gwgraph.h), never directly.
struct ReportHooks {
    // Shows the page just drawn in the drawing window, modally; unset, the run goes on as after
    // Next Page.
    std::function<PreviewResult()> previewPage;
    // Prints the page just drawn; unset, PrintDrawArea prints it.
    std::function<void()> printPage;
    // Shows the progress text of the page being drawn; unset, nothing shows.
    std::function<void(const QString& text)> showProgress;
    void reset() { *this = ReportHooks{}; }
};
ReportHooks& reportHooks();
