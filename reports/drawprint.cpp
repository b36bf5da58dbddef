// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/drawprint.h"

#include "platform/numbers.h"
#include "project/modgw.h"
#include "reportdefs/reportkinds.h"
#include "reports/contourrun.h"
#include "reports/gwgraph.h"
#include "reports/windowhooks.h"

#include <algorithm>
#include <cmath>

namespace {

// The codes the definition forms' Preview and Batch Print set for a driver's run.
bool IsRunCode(float code) {
    return code >= 1 && code <= 10 && std::floor(code) == code;
}

bool IsContourBatch(float code) {
    return code == ReportKindOf(ReportKind::DateContour).batchPrintCode;
}

int Bounded(int count, int max) {
    return std::clamp(count, 0, max);
}

QString ParamName(int p) {
    const ModGW& m = modgw();
    if (p < 1 || p > std::min(m.NumParams, ModGW::MaxParams)) return {};
    return m.ParamTable[size_t(p)][1];
}

QStringList Episodes(const std::array<std::array<QString, 51>, 3>& episodes, int count) {
    QStringList items;
    for (int i = 1; i <= Bounded(count, 50); ++i)
        items << episodes[1][size_t(i)] + QStringLiteral(" - ") + episodes[2][size_t(i)];
    return items;
}

} // namespace

ReportRange RangeOf(float reportCode) {
    if (reportCode < 3) return ReportRange::WellSum;
    if (reportCode < 5) return ReportRange::Par1Sum;
    if (reportCode < 7) return ReportRange::DateSum;
    if (reportCode < 9) return ReportRange::Stiff;
    return ReportRange::GWElev;
}

QString RunDialogCaption(float reportCode) {
    if (reportCode == 1) return QStringLiteral("Select Sources to Preview");
    if (reportCode == 2) return QStringLiteral("Select Sources to Print");
    if (reportCode == 3) return QStringLiteral("Select Parameters to Preview");
    if (reportCode == 4) return QStringLiteral("Select Parameters to Print");
    if (reportCode == 5 || reportCode == 7) return QStringLiteral("Select Episodes to Preview");
    if (reportCode == 6 || reportCode == 8) return QStringLiteral("Select Episodes to Print");
    if (reportCode == 9) return QStringLiteral("Select Source Sets to Preview");
    if (reportCode == 10) return QStringLiteral("Select Source Sets to Print");
    return QStringLiteral("Draw/Print");
}

QStringList RunDialogItems(float reportCode) {
    if (IsContourBatch(reportCode))
        return ContourEpisodes(modgw().DateSum.DateInfo[5]).replaceInStrings(QStringLiteral(","), QStringLiteral(" - "));
    if (!IsRunCode(reportCode)) return {};
    const ModGW& m = modgw();
    QStringList items;
    switch (RangeOf(reportCode)) {
    case ReportRange::WellSum:
        for (int i = 1; i <= Bounded(m.WellSum.NumWellList, WellSumDefinition::MaxWellList); ++i)
            items << m.WellSum.WellList[size_t(i)];
        break;
    case ReportRange::Par1Sum:
        for (int i = 1; i <= Bounded(m.Par1Sum.Par1ParCount, Par1SumDefinition::MaxPar1Params); ++i)
            items << ParamName(m.Par1Sum.Par1Params[size_t(i)]);
        break;
    case ReportRange::DateSum:
        items = Episodes(m.DateSum.DateEpisodes, m.DateSum.DateEpisodeCount);
        break;
    case ReportRange::Stiff:
        items = Episodes(m.Stiff.StiffEpisodes, m.Stiff.StiffEpisodeCount);
        break;
    case ReportRange::GWElev:
        for (int i = 1; i <= Bounded(m.GWElev.GWElevSetCount, GWElevDefinition::MaxSets); ++i)
            items << QStringLiteral("Set") + qnum::CaptionNum(i);
        break;
    }
    return items;
}

int16_t PrintToPrinterFor(float reportCode) {
    const bool preview = reportCode == 1 || reportCode == 3 || reportCode == 5 || reportCode == 7 ||
                         reportCode == 9;
    return preview ? 0 : 1;
}

int RecordSelection(float reportCode, const QList<int>& positions) {
    const QStringList items = RunDialogItems(reportCode);
    QList<int> chosen;
    for (int p : positions)
        if (p >= 0 && p < items.size() && !chosen.contains(p)) chosen << p;
    std::sort(chosen.begin(), chosen.end());
    if (chosen.size() > GwGraph::MaxSelected) chosen.resize(GwGraph::MaxSelected);

    GwGraph& g = gwgraph();
    const ModGW& m = modgw();
    const ReportRange range = RangeOf(reportCode);
    g.NumSelected = 0;
    for (int p : chosen) {
        const size_t n = size_t(++g.NumSelected);
        if (range == ReportRange::WellSum)
            g.SelectedNames[n] = m.WellSum.WellList[size_t(p + 1)];
        else if (range == ReportRange::Par1Sum)
            g.SelectedParam[n] = m.Par1Sum.Par1Params[size_t(p + 1)];
        else
            g.SelectedNames[n] = items[p];
        g.SelectedIndex[n] = int16_t(p + 1);
    }
    return g.NumSelected;
}

bool RunChosen(float reportCode, const QList<int>& positions) {
    const qsizetype count = RunDialogItems(reportCode).size();
    if (std::none_of(positions.begin(), positions.end(), [count](int p) { return p >= 0 && p < count; }))
        return false;
    RecordSelection(reportCode, positions);
    if (IsContourBatch(reportCode)) {
        PrintContourMaps();
        return true;
    }
    const ReportRange range = RangeOf(reportCode);
    // A failed step wrote nothing: a driver would draw an earlier run's files.
    if (!RunDataStep(range)) return false;
    gwgraph().PrintToPrinter = PrintToPrinterFor(reportCode);
    RunDriver(range);
    return true;
}

PrintName RunPrintName() {
    const float code = modgw().ReportCode;
    const ReportRange range = RangeOf(code);
    // The ranges run in the order of the kinds.
    const ReportKind kind = IsContourBatch(code) ? ReportKind::DateContour : ReportKind(int(range) + 1);
    QString title = ReportKindOf(kind).printTitle;
    const GwGraph& g = gwgraph();
    if (g.NumSelected == 1)
        title += u' ' + (range == ReportRange::Par1Sum ? ParamName(g.SelectedParam[1]) : g.SelectedNames[1]);
    return {title, modgw().DataFolder};
}

void LoadDrawingWindowOnce() {
    ReportHooks& hooks = reportHooks();
    if (hooks.DrawAreaLoaded != 0) return;
    hooks.DrawAreaLoaded = 1;
    if (hooks.loadDrawingWindow) hooks.loadDrawingWindow();
}
