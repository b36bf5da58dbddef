// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// What a run of each report kind does once the run dialog has recorded the choice: the run-data
// step, which writes the run files, then the driver, which draws the pages from them. The dialog
// reaches both through this table, which holds the real ones from the start (and again after
// reset()); tests put their own in.
enum class ReportRange { WellSum, Par1Sum, DateSum, Stiff, GWElev };

struct RunDataSteps {
    struct Kind {
        std::function<bool()> step;   // true when it wrote its files
        std::function<void()> driver; // runs the whole report
    };
    Kind wellSum;
    Kind par1Sum;
    Kind dateSum;
    Kind stiff;
    Kind gwElev;

    RunDataSteps();
    void reset() { *this = RunDataSteps{}; }
};
RunDataSteps& runDataSteps();

// The step and the driver of one report kind, to be filled or called.
std::function<bool()>& runDataStep(ReportRange range);
std::function<void()>& runDriver(ReportRange range);

// Runs the step of the kind; false when it failed or there is none (nothing was written, so no
// driver may read the files).
bool RunDataStep(ReportRange range);
// Runs the driver of the kind, if there is one.
void RunDriver(ReportRange range);
