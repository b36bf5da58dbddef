// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// The run-data step of each report kind, which writes the run files the driver reads. The steps
// are filled in by the layer that builds them; the run dialog calls them through this table so it
// need not know them. An unset step counts as success.
enum class ReportRange { WellSum, Par1Sum, DateSum, Stiff, GWElev };

struct RunDataSteps {
    std::function<bool()> wellSum;  // CreateWellData
    std::function<bool()> par1Sum;  // CreatePar1Data
    std::function<bool()> dateSum;  // CreateDateData
    std::function<bool()> stiff;    // CreateStiffData
    std::function<bool()> gwElev;   // CreateGWElevData
    void reset() { *this = RunDataSteps{}; }
};
RunDataSteps& runDataSteps();

// The step of one report kind, to be filled or called.
std::function<bool()>& runDataStep(ReportRange range);

// Runs the step of the kind; true when it wrote its files (or is not there to run).
bool RunDataStep(ReportRange range);
