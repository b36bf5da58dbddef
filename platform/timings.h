// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Timer lengths whose value matters, in one place so that tests can shorten them.
struct Timings {
    int splashDelayMs = 1;       // main window's one-shot splash timer
    int paletteClickMs = 250;    // tells one click on a palette swatch from a double click
    int deferredCommandMs = 10;  // drawing window's deferred-command timer
    int printNoticeMs = 500;     // how long the printing notice stays up
    void reset() { *this = Timings{}; }
};

Timings& timings();
