// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/windowhooks.h"

#include <QString>

#include <array>
#include <cstdint>

// The run state of the report generators.
struct GwGraph {
    int16_t PrintToPrinter = 0; // 1: pages go straight to the printer
    int16_t CancelReport = 0;   // 1: the user left the preview; no further page is drawn

    // The items chosen in the run dialog, in list order, 1..NumSelected; entries above keep old
    // values that nothing reads.
    static constexpr int MaxSelected = 200;
    int16_t NumSelected = 0;
    std::array<QString, MaxSelected + 1> SelectedNames; // not set by a parameter summary run
    std::array<int16_t, MaxSelected + 1> SelectedIndex{}; // 1-based list position
    std::array<int16_t, MaxSelected + 1> SelectedParam{}; // parameter number; parameter summary only
    void reset() { *this = GwGraph{}; }
};

GwGraph& gwgraph();

// Hands the page just drawn on, as every driver does after drawing a page: printed when
// PrintToPrinter is 1, else previewed through the page sink (reportHooks()). Leaving the preview
// sets CancelReport; this is the one place that does. Returns how the preview was left (NextPage
// for a printed page).
PreviewResult HandOverPage();
