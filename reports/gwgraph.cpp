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
    const ReportHooks& hooks = reportHooks();
    if (gwgraph().PrintToPrinter == 1) {
        const bool printed = hooks.printPage ? hooks.printPage() : PrintRunPage();
        return printed ? PreviewResult::NextPage : PreviewResult::Left;
    }
    return hooks.previewPage ? hooks.previewPage() : PreviewResult::NextPage;
}

bool BeginPrintRun() {
    runSummary().clear();
    auto job = std::make_unique<PrintJob>(SystemPrinter());
    if (!job->open(RunPrintName())) return false;
    runJob() = std::move(job);
    return true;
}

bool PrintRunPage() {
    if (!runJob()) {
        PrintDrawArea();
        return true;
    }
    try {
        PrintDrawing(*runJob());
    } catch (const QmError& e) {
        // A job with a page missing is no sound print of the run.
        ShowPrintError(e, QStringLiteral("PrintDrawArea"));
        return false;
    }
    return true;
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
