// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/runvalues.h"

#include <optional>

// The readers of a run. Each kind's run reader reads the run's definition or data-file header
// once, its item reader item i (1-based) of the data file. A reader that fails shows its message
// under its routine's name ("Error 62 in getwellsumdata.  ...") and returns nothing: a failed run
// reader ends the run, a failed item reader skips that item's pages. A groundwater data file
// counts its own sets, which the run takes in place of the run file's count.
std::optional<WellSumRun> readWellSumRun(const RunFile& file);
std::optional<WellSumItem> readWellSumItem(const WellSumRun& run, int item);
std::optional<ParSumRun> readParSumRun(const RunFile& file);
std::optional<ParSumItem> readParSumItem(const ParSumRun& run, int item);
std::optional<DateSumRun> readDateSumRun(const RunFile& file);
std::optional<DateSumItem> readDateSumItem(const DateSumRun& run, int item);
std::optional<StiffRun> readStiffRun(const RunFile& file);
std::optional<StiffItem> readStiffItem(const StiffRun& run, int item);
std::optional<GWElevRun> readGWElevRun(const RunFile& file);
std::optional<GWElevItem> readGWElevItem(const GWElevRun& run, int item);
