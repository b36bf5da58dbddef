// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/programstate.h"

#include "drawcmd/metaugl.h"
#include "drawcmd/undorecord.h"
#include "drawwin/drawwinstate.h"
#include "drawwin/windowhooks.h"
#include "platform/contour/contourdoc.h"
#include "platform/contour/plotdoc.h"
#include "platform/dates.h"
#include "platform/printer.h"
#include "platform/textfile.h"
#include "platform/timings.h"
#include "platform/uiservice.h"
#include "project/modgw.h"
#include "project/sampledbops.h"
#include "project/windowhooks.h"
#include "reportdefs/headings.h"
#include "reportdefs/windowhooks.h"
#include "reports/gwgraph.h"
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

} // namespace

void resetProgramState() {
    // Module variables.
    modgw().reset();
    gwgraph().reset();
    headinglogo().reset();
    metaugl().reset();
    ResetPageDrawing();
    undoRecord().reset();
    drawwin().reset();

    // What windows and tests hooked in.
    projectHooks().reset();
    dbFaultHook() = nullptr;
    qtext::saveStepHook() = nullptr;
    reportHooks().reset();
    EndPrintRun(false); // a run's print job a test left open
    reportDefHooks().reset();
    startupHooks().reset();
    contour::plotSink().reset();
    contour::setApplication(nullptr);
    contour::engine().reset();
    setUi(nullptr);

    // Settings that start-up or the user fix.
    timings().reset();
    qdate::order() = qdate::DateOrder{};
    resetSystemPrinter();
}
