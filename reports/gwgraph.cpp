// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/gwgraph.h"

#include "drawcmd/printdrawing.h"

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
            PrintDrawArea();
        return PreviewResult::NextPage;
    }
    const PreviewResult result = hooks.previewPage ? hooks.previewPage() : PreviewResult::NextPage;
    if (result == PreviewResult::Left) g.CancelReport = 1;
    return result;
}
