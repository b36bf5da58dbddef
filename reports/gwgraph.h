// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/windowhooks.h"

#include <cstdint>

// The run state of the report generators.
struct GwGraph {
    int16_t PrintToPrinter = 0; // 1: pages go straight to the printer
    int16_t CancelReport = 0;   // 1: the user left the preview; no further page is drawn
    void reset() { *this = GwGraph{}; }
};

GwGraph& gwgraph();

// Hands the page just drawn on, as every driver does after drawing a page: printed when
// PrintToPrinter is 1, else previewed through the page sink (reportHooks()). Leaving the preview
// sets CancelReport; this is the one place that does. Returns how the preview was left (NextPage
// for a printed page).
PreviewResult HandOverPage();
