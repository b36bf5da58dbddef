// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/programstate.h"

#include "drawcmd/editingsession.h"
#include "drawcmd/pagecanvas.h"
#include "drawwin/drawwinstate.h"
#include "drawwin/windowhooks.h"
#include "platform/contour/contourdoc.h"
#include "platform/contour/plotdoc.h"
#include "platform/dates.h"
#include "platform/printer.h"
#include "platform/textfile.h"
#include "platform/timings.h"
#include "platform/uiservice.h"
#include "platform/windowhooks.h"
#include "project/modgw.h"
#include "project/sampledbops.h"
#include "project/windowhooks.h"
#include "reportdefs/headings.h"
#include "reportdefs/windowhooks.h"
#include "reports/gwgraph.h"
#include "reports/runsteps.h"
#include "reports/windowhooks.h"

#include <QPrinter>

namespace {

// The system printer as a new one is: no output file, the default printer and its page and copies.
void resetSystemPrinter() {
    QPrinter& p = SystemPrinter();
    const QPrinter fresh(QPrinter::HighResolution);
    p.setOutputFileName(QString());
    p.setOutputFormat(fresh.outputFormat());
    if (fresh.outputFormat() == QPrinter::NativeFormat) p.setPrinterName(fresh.printerName());
    p.setPageLayout(fresh.pageLayout());
    p.setCopyCount(fresh.copyCount());
}

// One piece of program state: the function that holds it and what returns it to the start (none
// for state kept on purpose).
struct StateEntry {
    const char* holder;
    void (*reset)();
};

// Every piece of program state, walked in this order. scripts/check-layers fails when a core
// function holding a static (a function-local singleton) is missing here, so new state cannot be
// left out of the reset unnoticed.
constexpr StateEntry programState[] = {
    // Module variables.
    {"modgw", [] { modgw().reset(); }},
    {"gwgraph", [] { gwgraph().reset(); }},
    {"headinglogo", [] { headinglogo().reset(); }},
    {"pageCanvas", [] { pageCanvas().reset(); }},
    {"pageControl", ResetPageDrawing},
    {"editingSession", [] { editingSession().reset(); }},
    {"drawwin", [] { drawwin().reset(); }},

    // What windows and tests hooked in.
    {"projectHooks", [] { projectHooks().reset(); }},
    {"dbFaultHook", [] { dbFaultHook() = nullptr; }},
    {"saveStepHook", [] { qtext::saveStepHook() = nullptr; }},
    {"renameFaultHook", [] { qtext::renameFaultHook() = nullptr; }},
    {"reportHooks", [] { reportHooks().reset(); }},
    {"runJob", [] { EndPrintRun(false); }}, // a run's print job a test left open
    {"runDataSteps", [] { runDataSteps().reset(); }},
    {"reportDefHooks", [] { reportDefHooks().reset(); }},
    {"startupHooks", [] { startupHooks().reset(); }},
    {"plotHooks", [] { contour::plotHooks().reset(); }},
    {"setApplication", [] { contour::setApplication(nullptr); }},
    {"engine", [] { contour::engine().reset(); }},
    {"setUi", [] { setUi(nullptr); }},

    // Settings that start-up or the user fix.
    {"timings", [] { timings().reset(); }},
    {"order", [] { qdate::order() = qdate::DateOrder{}; }},
    {"SystemPrinter", resetSystemPrinter},
    {"LastPrintFile", [] { LastPrintFile().clear(); }},

    // Kept as they are.
    {"runSummary", nullptr},         // each print run clears it first
    {"overrideFolder", nullptr},     // the program folder stays
    {"folderIsNew", nullptr},        // whether start-up made the program folder
    {"nextConnectionName", nullptr}, // a counter: connection names stay unique
    {"faceFor", nullptr},            // a cache of font measures
    {"writeGridFile", nullptr},      // a counter: names of grids in memory stay unique
    {"ensureGdal", nullptr},         // GDAL's drivers are registered once
};

} // namespace

void resetProgramState() {
    for (const StateEntry& e : programState)
        if (e.reset) e.reset();
}
