// SPDX-License-Identifier: GPL-3.0-or-later
// Handing a drawn page on: printed or previewed by PrintToPrinter, and how the preview was left
// handed back to the run, whatever window shows it.
#include "drawcmd/pagecanvas.h"
#include "platform/printer.h"
#include "reports/gwgraph.h"
#include "support/programstate.h"
#include "support/testenv.h"

#include <QFileInfo>
#include <QPrinter>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

class PageStep : public ProgramStateTest {
protected:
    // A sink that records what it was asked and leaves the preview as told.
    void recordInto(QStringList& calls, PreviewResult answer = PreviewResult::NextPage) {
        reportHooks().previewPage = [&calls, answer] {
            calls << "preview";
            return answer;
        };
        reportHooks().printPage = [&calls] {
            calls << "print";
            return calls.size() != 3; // the third page cannot be printed
        };
    }
};

} // namespace

TEST_F(PageStep, HowThePreviewWasLeftIsHandedBack) {
    QStringList calls;
    recordInto(calls);
    EXPECT_EQ(HandOverPage(), PreviewResult::NextPage);
    recordInto(calls, PreviewResult::Left);
    EXPECT_EQ(HandOverPage(), PreviewResult::Left);
    EXPECT_EQ(calls, QStringList({"preview", "preview"}));
}

TEST_F(PageStep, APrintedRunPrintsEveryPageAndNeverShowsAndStopsOnlyAtAPageNotPrinted) {
    QStringList calls;
    recordInto(calls, PreviewResult::Left);
    gwgraph().PrintToPrinter = 1;
    EXPECT_EQ(HandOverPage(), PreviewResult::NextPage);
    EXPECT_EQ(HandOverPage(), PreviewResult::NextPage);
    EXPECT_EQ(HandOverPage(), PreviewResult::Left);
    EXPECT_EQ(calls, QStringList({"print", "print", "print"}));
    // Any other value previews.
    gwgraph().PrintToPrinter = 2;
    HandOverPage();
    EXPECT_EQ(calls.last(), "preview");
}

TEST_F(PageStep, WithNoWindowAPreviewGoesOnAndAPrintGoesToTheSystemPrinter) {
    EXPECT_EQ(HandOverPage(), PreviewResult::NextPage);

    TempProgramFolder pf;
    pageCanvas().PaperWidth = 11;
    pageCanvas().PaperHeight = 8.5f;
    pageCanvas().NewDrawing();
    pageCanvas().SH(1);
    pageCanvas().SV(1);
    pageCanvas().Z(1, 1);
    pageCanvas().RE(2, 1);
    QPrinter& printer = SystemPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pf.file("page.pdf"));
    gwgraph().PrintToPrinter = 1;
    EXPECT_EQ(HandOverPage(), PreviewResult::NextPage);
    EXPECT_GT(QFileInfo(pf.file("page.pdf")).size(), 0);
}
