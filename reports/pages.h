// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawcmd/pagecanvas.h"
#include "platform/qmerror.h"
#include "reports/pagecontext.h"
#include "reports/runvalues.h"

// One page of a run: the run, the item it shows, for kinds with more than one page per item which
// page (the table page of a source, the map of an episode; 0 for the graph and the episode's table
// page), and the run's page context.
template <typename Run, typename Item> struct RunPage {
    const Run& run;
    const Item& item;
    int page;
    const PageContext& ctx;
};
using WellSumRunPage = RunPage<WellSumRun, WellSumItem>;
using ParSumRunPage = RunPage<ParSumRun, ParSumItem>;
using DateSumRunPage = RunPage<DateSumRun, DateSumItem>;
using StiffRunPage = RunPage<StiffRun, StiffItem>;
using GWElevRunPage = RunPage<GWElevRun, GWElevItem>;

// The page builders: each draws one page from the run and the item in the run's page context on
// the canvas, whose drawing was started by NewDrawing, and raises its faults to its caller.
void buildWellSumTablePage(const WellSumRun& run, const WellSumItem& item, int page, const PageContext& ctx, PageCanvas& c);
void buildWellSumGraphPage(const WellSumRun& run, const WellSumItem& item, int page, const PageContext& ctx, PageCanvas& c);
void buildParSumPage(const ParSumRun& run, const ParSumItem& item, int page, const PageContext& ctx, PageCanvas& c);
void buildDateSumTablePage(const DateSumRun& run, const DateSumItem& item, int page, const PageContext& ctx, PageCanvas& c);
void buildDateSumMapPage(const DateSumRun& run, const DateSumItem& item, int map, const PageContext& ctx, PageCanvas& c);
void buildStiffPage(const StiffRun& run, const StiffItem& item, int page, const PageContext& ctx, PageCanvas& c);
void buildGWElevPage(const GWElevRun& run, const GWElevItem& item, int page, const PageContext& ctx, PageCanvas& c);

// What a page routine's trap catches: a fault of ours ends the page where it is, shown as the
// routine's own, and the driver still shows or prints what was drawn. Lack of memory, or any other
// exception, goes on to the trap around the page: in a run the driver's, which ends the run.
using PageFault = QmError;
