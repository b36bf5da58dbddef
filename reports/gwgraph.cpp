// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/gwgraph.h"

#include "drawcmd/printdrawing.h"
#include "reports/drawprint.h"
#include "platform/qmerror.h"

#include <memory>

namespace {
std::unique_ptr<PrintJob>& runJob() {
    static std::unique_ptr<PrintJob> job;
    return job;
}
QString& runSummary() {
    static QString text;
    return text;
}
} // namespace

GwGraph& gwgraph() {
    static GwGraph g;
    return g;
}

PreviewResult HandOverPage() {
    GwGraph& g = gwgraph();
    const ReportHooks& hooks = reportHooks();
    if (g.PrintToPrinter == 1) {
        if (hooks.printPage)
            hooks.printPage();
        else
            PrintRunPage();
        return PreviewResult::NextPage;
    }
    const PreviewResult result = hooks.previewPage ? hooks.previewPage() : PreviewResult::NextPage;
    if (result == PreviewResult::Left) g.CancelReport = 1;
    return result;
}

bool BeginPrintRun() {
    runSummary().clear();
    auto job = std::make_unique<PrintJob>(SystemPrinter());
    if (!job->open(RunPrintName())) return false;
    runJob() = std::move(job);
    return true;
}

void PrintRunPage() {
    if (!runJob()) {
        PrintDrawArea();
        return;
    }
    try {
        PrintDrawing(*runJob());
    } catch (const QmError& e) {
        // A job with a page missing is no sound print of the run.
        ShowPrintError(e, QStringLiteral("PrintDrawArea"));
        gwgraph().CancelReport = 1;
    }
}

void EndPrintRun(bool completed) {
    const std::unique_ptr<PrintJob> job = std::move(runJob());
    if (!job) return;
    try {
        job->end(completed);
    } catch (const QmError& e) {
        ShowPrintError(e, QStringLiteral("PrintDrawArea"));
        return;
    }
    if (!completed || job->pages() == 0) return;
    runSummary() = PrintedText(job->pages(), job->target());
    if (reportHooks().showProgress) reportHooks().showProgress(runSummary());
}

QString PrintRunSummary() {
    return runSummary();
}
