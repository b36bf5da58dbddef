// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>

// The run state of the report generators.
struct GwGraph {
    int16_t PrintToPrinter = 0; // 1: pages go straight to the printer
    int16_t CancelReport = 0;   // 1: the user left the preview; no further page is drawn
    void reset() { *this = GwGraph{}; }
};

GwGraph& gwgraph();

// Where the report drivers hand each preview page. The window layer fills it in; the call returns
// when the user goes on to the next page or leaves the preview.
struct PageSink {
    std::function<void()> showPreviewPage;
    void reset() { *this = PageSink{}; }
};

PageSink& pageSink();
