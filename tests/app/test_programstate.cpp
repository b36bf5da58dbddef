// SPDX-License-Identifier: GPL-3.0-or-later
// One reset returns the whole core to the program's start, and the test base runs it around every
// test without pulling a fixture's own message service out from under it.
#include "app/programstate.h"
#include "drawcmd/pagecanvas.h"
#include "drawwin/drawwinstate.h"
#include "drawwin/windowhooks.h"
#include "platform/contour/plotdoc.h"
#include "platform/dates.h"
#include "platform/printer.h"
#include "platform/timings.h"
#include "platform/windowhooks.h"
#include "project/modgw.h"
#include "project/sampledbops.h"
#include "project/windowhooks.h"
#include "reportdefs/headings.h"
#include "reportdefs/windowhooks.h"
#include "reports/gwgraph.h"
#include "reports/runsteps.h"
#include "support/programstate.h"
#include "support/scriptedui.h"

#include <QPrinter>
#include <gtest/gtest.h>

TEST(ProgramState, OneResetReturnsEveryModuleHookAndSettingToTheStart) {
    modgw().DataFolder = "/somewhere/";
    gwgraph().PrintToPrinter = 1;
    headinglogo().LogoKind = 1;
    pageCanvas().PaperWidth = 11;
    pageDrawing().AddObject(draw::Rectangle, 0, 0, 10, 10);
    pageDrawing().setPageWidth(100);
    drawwin().TextPointSize = 14;
    projectHooks().memoBox = [](int, QString&, QStringList&) { return true; };
    dbFaultHook() = [](QStringView, qint64) {};
    reportHooks().previewPage = [] { return PreviewResult::Left; };
    reportDefHooks().showRunDialog = [] {};
    runDataStep(ReportRange::Stiff) = {};
    startupHooks().loadFillChooser = [] {};
    contour::plotHooks().showDocument = [](std::shared_ptr<contour::PlotDocument>) {};
    auto* scripted = new ScriptedUi;
    timings().printNoticeMs = 1;
    qdate::SetDayFirst(1);
    SystemPrinter().setOutputFileName("/tmp/never.pdf");
    SystemPrinter().setCopyCount(3);

    resetProgramState();

    EXPECT_EQ(modgw().DataFolder, "");
    EXPECT_EQ(gwgraph().PrintToPrinter, 0);
    EXPECT_EQ(headinglogo().LogoKind, 0);
    EXPECT_EQ(pageCanvas().PaperWidth, 0);
    EXPECT_EQ(pageDrawing().count(), 0);
    EXPECT_EQ(pageDrawing().pageWidth(), MDrawPro().pageWidth());
    EXPECT_EQ(drawwin().TextPointSize, 10);
    EXPECT_FALSE(projectHooks().memoBox);
    EXPECT_FALSE(dbFaultHook());
    EXPECT_FALSE(reportHooks().previewPage);
    EXPECT_FALSE(reportDefHooks().showRunDialog);
    EXPECT_TRUE(runDataStep(ReportRange::Stiff));
    EXPECT_FALSE(startupHooks().loadFillChooser);
    EXPECT_FALSE(contour::plotHooks().showDocument);
    EXPECT_NE(&ui(), scripted);
    EXPECT_EQ(timings().printNoticeMs, Timings{}.printNoticeMs);
    EXPECT_EQ(qdate::order().DayFirst, 0);
    EXPECT_EQ(qdate::order().DateFormat, "mm/dd/yyyy");
    EXPECT_EQ(SystemPrinter().outputFileName(), "");
    EXPECT_EQ(SystemPrinter().copyCount(), 1);
    delete scripted;
}

namespace {

class StateBase : public ProgramStateTest {
protected:
    ScriptedUi scripted; // made after the base's reset, so it stays installed
};

} // namespace

TEST_F(StateBase, AFixturesOwnMessageServiceStaysInstalledThroughTheTest) {
    EXPECT_EQ(&ui(), &scripted);
    modgw().DataFolder = "/left/behind/";
    TearDown();
    EXPECT_EQ(modgw().DataFolder, "");
}
