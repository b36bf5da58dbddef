// SPDX-License-Identifier: GPL-3.0-or-later
// The run dialog's logic: what a code lists and how a choice is recorded and run.
#include "project/modgw.h"
#include "reports/drawprint.h"
#include "reports/gwgraph.h"
#include "reports/windowhooks.h"
#include "support/programstate.h"

#include <gtest/gtest.h>

namespace {

class DrawPrint : public ProgramStateTest {
protected:
    DrawPrint() {
        for (ReportRange r : kRanges)
            runDriver(r) = [this, r] { drivers << qMakePair(r, gwgraph().PrintToPrinter); };
        ModGW& m = modgw();
        m.NumParams = 3;
        m.ParamTable[1][1] = "pH";
        m.ParamTable[2][1] = "Chloride";
        m.ParamTable[3][1] = "Sulfate";
        m.WellSum.NumWellList = 3;
        m.WellSum.WellList[1] = "MW-1";
        m.WellSum.WellList[2] = "O'Brien 3";
        m.WellSum.WellList[3] = "MW-9";
        m.Par1Sum.Par1ParCount = 4;
        m.Par1Sum.Par1Params = {0, 3, 0, 1, 7};
        m.DateSum.DateEpisodeCount = 2;
        m.DateSum.DateEpisodes[1][1] = "01/01/1998";
        m.DateSum.DateEpisodes[2][1] = "03/31/1998";
        m.DateSum.DateEpisodes[1][2] = "04/01/1998";
        m.DateSum.DateEpisodes[2][2] = "06/30/1998";
        m.Stiff.StiffEpisodeCount = 1;
        m.Stiff.StiffEpisodes[1][1] = "05/01/1999";
        m.Stiff.StiffEpisodes[2][1] = "05/31/1999";
        m.GWElev.GWElevSetCount = 3;
    }

    static constexpr ReportRange kRanges[] = {ReportRange::WellSum, ReportRange::Par1Sum,
                                              ReportRange::DateSum, ReportRange::Stiff,
                                              ReportRange::GWElev};
    QList<QPair<ReportRange, int>> drivers; // each driver run, with PrintToPrinter as it found it
};

} // namespace

TEST_F(DrawPrint, CaptionsByTheExactCode) {
    EXPECT_EQ(RunDialogCaption(1), "Select Sources to Preview");
    EXPECT_EQ(RunDialogCaption(2), "Select Sources to Print");
    EXPECT_EQ(RunDialogCaption(3), "Select Parameters to Preview");
    EXPECT_EQ(RunDialogCaption(4), "Select Parameters to Print");
    EXPECT_EQ(RunDialogCaption(5), "Select Episodes to Preview");
    EXPECT_EQ(RunDialogCaption(6), "Select Episodes to Print");
    EXPECT_EQ(RunDialogCaption(7), "Select Episodes to Preview");
    EXPECT_EQ(RunDialogCaption(8), "Select Episodes to Print");
    EXPECT_EQ(RunDialogCaption(9), "Select Source Sets to Preview");
    EXPECT_EQ(RunDialogCaption(10), "Select Source Sets to Print");
    EXPECT_EQ(RunDialogCaption(6.1f), "Draw/Print");
}

TEST_F(DrawPrint, ListsTheDefinitionsItemsByRange) {
    EXPECT_EQ(RunDialogItems(2), QStringList({"MW-1", "O'Brien 3", "MW-9"}));
    // Number 0 and a number past the table are empty entries, not another row's name.
    EXPECT_EQ(RunDialogItems(3), QStringList({"Sulfate", "", "pH", ""}));
    EXPECT_EQ(RunDialogItems(5), QStringList({"01/01/1998 - 03/31/1998", "04/01/1998 - 06/30/1998"}));
    EXPECT_EQ(RunDialogItems(8), QStringList({"05/01/1999 - 05/31/1999"}));
    EXPECT_EQ(RunDialogItems(10), QStringList({"Set 1", "Set 2", "Set 3"}));
    // The date contour's batch code lists its definition's episodes, not the date summary's.
    modgw().DateSum.DateInfo[5] = QStringLiteral("01/01/1998,03/31/1998; 04/01/1998");
    EXPECT_EQ(RunDialogItems(6.1f), QStringList({"01/01/1998 - 03/31/1998", "04/01/1998"}));
    // A count past the arrays is held to them.
    modgw().GWElev.GWElevSetCount = 999;
    EXPECT_EQ(RunDialogItems(9).size(), GWElevDefinition::MaxSets);
}

TEST_F(DrawPrint, ChoiceIsRecordedInListOrder) {
    EXPECT_EQ(RecordSelection(1, {2, 0}), 2);
    const GwGraph& g = gwgraph();
    EXPECT_EQ(g.SelectedNames[1], "MW-1");
    EXPECT_EQ(g.SelectedNames[2], "MW-9");
    EXPECT_EQ(g.SelectedIndex[1], 1);
    EXPECT_EQ(g.SelectedIndex[2], 3);

    EXPECT_EQ(RecordSelection(6, {1}), 1);
    EXPECT_EQ(g.SelectedNames[1], "04/01/1998 - 06/30/1998");
    EXPECT_EQ(g.SelectedIndex[1], 2);
    EXPECT_EQ(g.SelectedNames[2], "MW-9"); // above NumSelected: left as it was

    EXPECT_EQ(RecordSelection(9, {2}), 1);
    EXPECT_EQ(g.SelectedNames[1], "Set 3");
}

TEST_F(DrawPrint, AParameterSummaryRecordsNumbersAndLeavesTheNames) {
    RecordSelection(1, {1});
    EXPECT_EQ(RecordSelection(4, {3, 0, 1}), 3);
    const GwGraph& g = gwgraph();
    EXPECT_EQ(g.SelectedParam[1], 3);
    EXPECT_EQ(g.SelectedParam[2], 0);
    EXPECT_EQ(g.SelectedParam[3], 7);
    EXPECT_EQ(g.SelectedIndex[3], 4);
    EXPECT_EQ(g.SelectedNames[1], "O'Brien 3");
}

TEST_F(DrawPrint, RunStepsThenSetsPrintToPrinterThenDrives) {
    QList<ReportRange> ran;
    for (ReportRange r : kRanges)
        runDataStep(r) = [&ran, r, this] {
            EXPECT_TRUE(drivers.isEmpty()); // the step comes first
            ran << r;
            return true;
        };
    const QList<QPair<float, ReportRange>> codes = {
        {1, ReportRange::WellSum}, {2, ReportRange::WellSum}, {3, ReportRange::Par1Sum},
        {4, ReportRange::Par1Sum}, {5, ReportRange::DateSum}, {6, ReportRange::DateSum},
        {7, ReportRange::Stiff},   {8, ReportRange::Stiff},   {9, ReportRange::GWElev},
        {10, ReportRange::GWElev}};
    for (const auto& [code, range] : codes) {
        SCOPED_TRACE(code);
        ran.clear();
        drivers.clear();
        gwgraph().PrintToPrinter = 7;
        EXPECT_TRUE(RunChosen(code, {0}));
        EXPECT_EQ(ran, QList<ReportRange>({range}));
        const int printToPrinter = int(code) % 2 == 1 ? 0 : 1;
        EXPECT_EQ(gwgraph().PrintToPrinter, printToPrinter);
        EXPECT_EQ(drivers, (QList<QPair<ReportRange, int>>{{range, printToPrinter}}));
    }
}

TEST_F(DrawPrint, AFailedStepStartsNoDriver) {
    // A failing step leaves PrintToPrinter as it was, and the run files of an earlier run undrawn.
    runDataStep(ReportRange::Stiff) = [] { return false; };
    gwgraph().PrintToPrinter = 7;
    EXPECT_FALSE(RunChosen(7, {0}));
    EXPECT_EQ(gwgraph().PrintToPrinter, 7);
    EXPECT_EQ(gwgraph().NumSelected, 1);
    // No step at all wrote nothing either.
    runDataStep(ReportRange::GWElev) = {};
    EXPECT_FALSE(RunChosen(9, {1}));
    EXPECT_TRUE(drivers.isEmpty());
}

TEST_F(DrawPrint, TheTableHoldsTheRealStepsAndDrivers) {
    runDataSteps().reset();
    for (ReportRange r : kRanges) {
        EXPECT_TRUE(runDriver(r));
        EXPECT_TRUE(runDataStep(r));
    }
}

TEST_F(DrawPrint, TheDrawingWindowIsLoadedOnce) {
    int loads = 0;
    reportHooks().loadDrawingWindow = [&loads] { ++loads; };
    LoadDrawingWindowOnce();
    LoadDrawingWindowOnce();
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(reportHooks().DrawAreaLoaded, 1);
}

TEST_F(DrawPrint, NothingChosenChangesNothing) {
    int steps = 0;
    runDataStep(ReportRange::WellSum) = [&steps] { return ++steps > 0; };
    runDataStep(ReportRange::DateSum) = [&steps] { return ++steps > 0; };
    RecordSelection(1, {0, 1});
    gwgraph().PrintToPrinter = 7;
    EXPECT_FALSE(RunChosen(1, {}));
    EXPECT_FALSE(RunChosen(1, {5, -1})); // positions off the list choose nothing
    EXPECT_FALSE(RunChosen(6.1f, {0}));
    EXPECT_EQ(steps, 0);
    EXPECT_TRUE(drivers.isEmpty());
    EXPECT_EQ(gwgraph().NumSelected, 2);
    EXPECT_EQ(gwgraph().PrintToPrinter, 7);
}
