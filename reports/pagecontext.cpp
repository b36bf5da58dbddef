// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/pagecontext.h"

#include "platform/dates.h"
#include "platform/numbers.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"
#include "project/modgw.h"
#include "reports/gwgraph.h"
#include "reports/rundata.h"

#include <QDate>

namespace {

int16_t& itemCountOf(GwGraph& g, int kind) {
    switch (kind) {
    case 1:
        return g.ItemSourceCount;
    case 2:
        return g.ParItemCount;
    case 3:
        return g.DateItemCount;
    case 4:
        return g.StiffItemCount;
    default:
        return g.GWElevItemCount;
    }
}

constexpr int DateContourKind = 6;

} // namespace

bool getheadingdata(int kind) {
    const QString where = QStringLiteral("getheadingdata");
    const bool read = trap(where, [&] {
        if (kind < 1 || kind > DateContourKind) raiseError(qmerr::InvalidArgument);
        if (kind != DateContourKind) {
            // Both lines are read before either is taken, so a broken run file leaves the last run's
            // values whole; the caller ends the run rather than draw another run's report.
            qtext::LineReader run(rundata::RunFilePath());
            const QString reportFile = run.next();
            const int16_t count = qnum::ReadInt16(run.next());
            GwGraph& g = gwgraph();
            g.ReportFile = reportFile;
            itemCountOf(g, kind) = count;
        }
    });
    if (!read) return false;
    // The pages are drawn with the heading texts they had.
    trap(where, [&] { ReadRunHeadings(kind); });
    return true;
}

PageContext RunPageContext() {
    const ModGW& mg = modgw();
    GwGraph& g = gwgraph();
    PageContext ctx;
    ctx.DefaultFont = mg.DefaultFont;
    ctx.MarginOffsetX = mg.MarginOffsetX;
    ctx.MarginOffsetY = mg.MarginOffsetY;
    ctx.LessThanFactor = qnum::LeadingNumber(mg.LessThanFactor);
    ctx.ClientInfo = mg.ClientInfo;
    const QString today = qdate::FormatShort(QDate::currentDate());
    const double option = qnum::LeadingNumber(mg.DateStampOption);
    if (option == 1)
        ctx.DateStamp = today;
    else if (option == 2)
        ctx.DateStamp = g.ReportFile;
    else if (option == 3)
        ctx.DateStamp = today + QStringLiteral("  ") + g.ReportFile;
    ctx.Headings = headinglogo();
    ctx.Progress = &g.Progress;
    return ctx;
}
