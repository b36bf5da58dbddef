// SPDX-License-Identifier: GPL-3.0-or-later
// The run dialog as the definition forms' Preview and Batch Print show it: its captions and list,
// how clicks choose, and what OK, a double click and Cancel leave behind; and whole runs from its
// OK through a driver and the drawing window.
#include "drawcmd/pagecanvas.h"
#include "drawwin/drawwinstate.h"
#include "drawwin/forms/drawarea.h"
#include "drawwin/shippedpictures.h"
#include "platform/gui/forms.h"
#include "platform/printer.h"
#include "project/modgw.h"
#include "reportdefs/windowhooks.h"
#include "reports/drivers.h"
#include "reports/forms/frmdrawprint.h"
#include "reports/gwgraph.h"
#include "reports/rundata.h"
#include "reports/runsteps.h"
#include "reports/windowhooks.h"
#include "support/programstate.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

class DrawPrintForm : public ProgramStateTest {
protected:
    DrawPrintForm() {
        RegisterRunDialog();
        SystemPrinter().setOutputFileName(QStringLiteral("unused.pdf")); // somewhere to print: no Print Setup first
        ModGW& m = modgw();
        m.NumParams = 2;
        m.ParamTable[1][1] = "pH";
        m.ParamTable[2][1] = "Chloride";
        m.WellSum.NumWellList = 4;
        m.WellSum.WellList[1] = "MW-1";
        m.WellSum.WellList[2] = "O'Brien 3";
        m.WellSum.WellList[3] = "MW-9";
        m.WellSum.WellList[4] = "MW-12";
        m.Par1Sum.Par1ParCount = 3;
        m.Par1Sum.Par1Params = {0, 2, 0, 1};
        m.DateSum.DateEpisodeCount = 1;
        m.DateSum.DateEpisodes[1][1] = "01/01/1998";
        m.DateSum.DateEpisodes[2][1] = "03/31/1998";
        m.Stiff.StiffEpisodeCount = 2;
        m.Stiff.StiffEpisodes[1][1] = "05/01/1999";
        m.Stiff.StiffEpisodes[2][1] = "05/31/1999";
        m.Stiff.StiffEpisodes[1][2] = "06/01/1999";
        m.Stiff.StiffEpisodes[2][2] = "06/30/1999";
        m.GWElev.GWElevSetCount = 2;
        for (ReportRange r : {ReportRange::WellSum, ReportRange::Par1Sum, ReportRange::DateSum,
                              ReportRange::Stiff, ReportRange::GWElev})
        {
            runDataStep(r) = [this, r] {
                steps << r;
                return stepSucceeds;
            };
            runDriver(r) = [this, r] {
                EXPECT_TRUE(forms::isLoaded<frmDrawPrint>()); // the dialog stays for the run
                drivers << r;
            };
        }
    }

    // Shows the dialog for the code as a definition form does, driving it with the given actions.
    void run(float code, const std::function<void(frmDrawPrint&)>& drive) {
        modgw().ReportCode = code;
        bool shown = false;
        forms::setModalHook([&](QDialog& d) {
            shown = true;
            drive(static_cast<frmDrawPrint&>(d));
        });
        reportDefHooks().showRunDialog();
        forms::setModalHook({});
        EXPECT_TRUE(shown);
        EXPECT_FALSE(forms::isLoaded<frmDrawPrint>()); // unloaded after every run
    }
    static void click(frmDrawPrint& f, int row) {
        const QRect r = f.List1->visualItemRect(f.List1->item(row));
        QTest::mouseClick(f.List1->viewport(), Qt::LeftButton, {}, r.center());
    }
    static QStringList items(const frmDrawPrint& f) {
        QStringList out;
        for (int i = 0; i < f.List1->count(); ++i)
            out << f.List1->item(i)->text();
        return out;
    }

    ScriptedUi ui;
    QList<ReportRange> steps;
    QList<ReportRange> drivers;
    bool stepSucceeds = true;
};

} // namespace

TEST_F(DrawPrintForm, CaptionsControlsAndListPerCode) {
    struct Case {
        float code;
        QString caption;
        QStringList items;
    };
    const QList<Case> cases = {
        {1, "Select Sources to Preview", {"MW-1", "O'Brien 3", "MW-9", "MW-12"}},
        {2, "Select Sources to Print", {"MW-1", "O'Brien 3", "MW-9", "MW-12"}},
        {3, "Select Parameters to Preview", {"Chloride", "", "pH"}},
        {4, "Select Parameters to Print", {"Chloride", "", "pH"}},
        {5, "Select Episodes to Preview", {"01/01/1998 - 03/31/1998"}},
        {6, "Select Episodes to Print", {"01/01/1998 - 03/31/1998"}},
        {7, "Select Episodes to Preview", {"05/01/1999 - 05/31/1999", "06/01/1999 - 06/30/1999"}},
        {8, "Select Episodes to Print", {"05/01/1999 - 05/31/1999", "06/01/1999 - 06/30/1999"}},
        {9, "Select Source Sets to Preview", {"Set 1", "Set 2"}},
        {10, "Select Source Sets to Print", {"Set 1", "Set 2"}},
        {6.1f, "Draw/Print", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        run(c.code, [&](frmDrawPrint& f) {
            EXPECT_EQ(f.windowTitle(), c.caption);
            EXPECT_EQ(items(f), c.items);
            EXPECT_EQ(f.Option1->text(), "Select All");
            EXPECT_FALSE(f.Option1->isChecked());
            EXPECT_EQ(f.Command1->text(), "OK");
            EXPECT_EQ(f.Command2->text(), "Cancel");
            EXPECT_EQ(f.Label1->text(), "% Complete:");
            f.Command2->click();
        });
    }
    EXPECT_TRUE(steps.isEmpty());
}

TEST_F(DrawPrintForm, ClicksToggleAndOkPassesListOrder) {
    gwgraph().PrintToPrinter = 1;
    run(1, [&](frmDrawPrint& f) {
        click(f, 3);
        click(f, 0);
        click(f, 2);
        click(f, 2); // a second click takes it out again
        click(f, 1);
        f.Command1->click();
    });
    const GwGraph& g = gwgraph();
    EXPECT_EQ(steps, QList<ReportRange>({ReportRange::WellSum}));
    EXPECT_EQ(drivers, QList<ReportRange>({ReportRange::WellSum}));
    ASSERT_EQ(g.NumSelected, 3);
    EXPECT_EQ(g.SelectedNames[1], "MW-1");
    EXPECT_EQ(g.SelectedNames[2], "O'Brien 3");
    EXPECT_EQ(g.SelectedNames[3], "MW-12");
    EXPECT_EQ(g.SelectedIndex[3], 4);
    EXPECT_EQ(g.PrintToPrinter, 0);
}

TEST_F(DrawPrintForm, SelectAllThenAClickClearsTheOptionOnly) {
    run(8, [&](frmDrawPrint& f) {
        f.Option1->click();
        EXPECT_TRUE(f.Option1->isChecked());
        EXPECT_EQ(f.List1->selectedItems().size(), 2);
        click(f, 0);
        EXPECT_FALSE(f.Option1->isChecked());
        EXPECT_EQ(f.List1->selectedItems().size(), 1); // the clicked item left the choice
        f.Command1->click();
    });
    EXPECT_EQ(steps, QList<ReportRange>({ReportRange::Stiff}));
    ASSERT_EQ(gwgraph().NumSelected, 1);
    EXPECT_EQ(gwgraph().SelectedNames[1], "06/01/1999 - 06/30/1999");
    EXPECT_EQ(gwgraph().SelectedIndex[1], 2);
    EXPECT_EQ(gwgraph().PrintToPrinter, 1);
}

TEST_F(DrawPrintForm, DoubleClickRunsWithTheChoiceSoFar) {
    modgw().WellSum.WellList[2] = "keep";
    gwgraph().SelectedNames[1] = "keep";
    run(4, [&](frmDrawPrint& f) {
        click(f, 2);
        // The first press of a double click chooses the item, the second runs.
        const QRect r = f.List1->visualItemRect(f.List1->item(0));
        QTest::mousePress(f.List1->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseRelease(f.List1->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(f.List1->viewport(), Qt::LeftButton, {}, r.center());
    });
    const GwGraph& g = gwgraph();
    EXPECT_EQ(steps, QList<ReportRange>({ReportRange::Par1Sum}));
    ASSERT_EQ(g.NumSelected, 2);
    EXPECT_EQ(g.SelectedParam[1], 2);
    EXPECT_EQ(g.SelectedParam[2], 1);
    EXPECT_EQ(g.SelectedIndex[2], 3);
    EXPECT_EQ(g.SelectedNames[1], "keep"); // a parameter summary leaves the names alone
    EXPECT_EQ(g.PrintToPrinter, 1);
}

TEST_F(DrawPrintForm, AFailedStepLeavesPrintToPrinter) {
    stepSucceeds = false;
    gwgraph().PrintToPrinter = 1;
    run(9, [&](frmDrawPrint& f) {
        click(f, 1);
        f.Command1->click();
    });
    EXPECT_EQ(steps, QList<ReportRange>({ReportRange::GWElev}));
    EXPECT_TRUE(drivers.isEmpty());
    EXPECT_EQ(gwgraph().SelectedNames[1], "Set 2");
    EXPECT_EQ(gwgraph().PrintToPrinter, 1);
}

TEST_F(DrawPrintForm, NothingChosenOrCancelChangesNothing) {
    GwGraph& g = gwgraph();
    g.NumSelected = 5;
    g.SelectedNames[1] = "before";
    g.PrintToPrinter = 1;
    run(1, [&](frmDrawPrint& f) { f.Command1->click(); });
    run(5, [&](frmDrawPrint& f) {
        click(f, 0);
        f.Command2->click();
    });
    // The date contour's batch code lists nothing, so OK only closes.
    run(6.1f, [&](frmDrawPrint& f) {
        f.Option1->click();
        f.Command1->click();
    });
    EXPECT_TRUE(steps.isEmpty());
    EXPECT_TRUE(drivers.isEmpty());
    EXPECT_EQ(g.NumSelected, 5);
    EXPECT_EQ(g.SelectedNames[1], "before");
    EXPECT_EQ(g.PrintToPrinter, 1);
}

TEST_F(DrawPrintForm, TheRunsProgressShowsInTheDialog) {
    run(2, [&](frmDrawPrint& f) {
        reportHooks().showProgress("% Complete: 50");
        EXPECT_EQ(f.Label1->text(), "% Complete: 50");
        f.Command2->click();
    });
    reportHooks().showProgress("after"); // no dialog: nothing to show it in
    EXPECT_FALSE(forms::isLoaded<frmDrawPrint>());
}

TEST_F(DrawPrintForm, TheDialogHasTheDrawingWindowLoadedOnce) {
    int loads = 0;
    reportHooks().loadDrawingWindow = [&loads] { ++loads; };
    run(1, [&](frmDrawPrint& f) {
        EXPECT_EQ(loads, 1);
        f.Command2->click();
    });
    run(2, [&](frmDrawPrint& f) { f.Command2->click(); });
    EXPECT_EQ(loads, 1);
}

namespace {

// A whole run from the dialog's OK through the real driver and the real drawing window: the step
// writes a groundwater elevation run of two source sets, as the run-data step does.
class DrawPrintRun : public DrawPrintForm {
protected:
    void SetUp() override {
        modgw().FillPath = program.file("fills/");
        shipped::WriteMissing();
        QFile::copy(QStringLiteral(QMAR_RESOURCE_DIR "/usqmar.qlh"), program.file("usqmar.qlh"));
        QFile::copy(QStringLiteral(QMAR_RESOURCE_DIR "/logo.txt"), program.file("logo.txt"));
        modgw().HeadingFile = program.file("usqmar.qlh");
        RegisterDrawingWindow();
        runDataStep(ReportRange::GWElev) = [this] {
            const QString data = program.file("plant.GWD");
            QStringList lines{"E", "ft", "Plant", "", "", "", "0", "2"};
            for (int t = 1; t <= 2; ++t)
                lines << QStringLiteral("Source Set %1 of 2").arg(t) << "90,110,5" << "1" << "MW-1"
                      << "100" << "2" << "03/21/1998,4.5" << "06/15/1998,5" << "0";
            writeRaw(data, (lines.join("\r\n") + "\r\n").toUtf8());
            writeRaw(rundata::RunFilePath(), (data + "\r\n2\r\n").toUtf8());
            return true;
        };
        runDriver(ReportRange::GWElev) = gwelevstart;
    }

    // Chooses both sets and runs; each preview page is answered by `page` (its 1-based number).
    void runBoth(float code, const std::function<void(DrawArea&, int)>& page) {
        modgw().ReportCode = code;
        forms::setModalHook([&](QDialog& d) {
            if (auto* w = qobject_cast<DrawArea*>(&d)) {
                EXPECT_TRUE(forms::isLoaded<frmDrawPrint>());
                page(*w, ++shown);
                return;
            }
            auto& f = static_cast<frmDrawPrint&>(d);
            f.Option1->click();
            f.Command1->click();
        });
        reportDefHooks().showRunDialog();
        forms::setModalHook({});
        EXPECT_FALSE(forms::isLoaded<frmDrawPrint>());
    }

    TempProgramFolder program;
    int shown = 0;
};

} // namespace

TEST_F(DrawPrintRun, PreviewPagesOneAfterAnotherByNextPage) {
    runBoth(9, [](DrawArea& w, int) {
        EXPECT_TRUE(w.isVisible());
        EXPECT_GT(pageDrawing().count(), 0);
        drawwin().DrawingFileName = QStringLiteral("edited.qdr"); // saved from the preview
        w.nextpage();
    });
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(drawwin().DrawingFileName, ""); // the next page is no saved drawing
    EXPECT_TRUE(ui.texts.isEmpty());
}

TEST_F(DrawPrintRun, ExitScreenPreviewOnTheFirstPageEndsTheRun) {
    runBoth(9, [](DrawArea& w, int) { w.mnuExit_Click(); });
    EXPECT_EQ(shown, 1);
}

TEST_F(DrawPrintRun, APrintedRunNeverShowsTheWindowNorForgetsItsDrawingFile) {
    QPrinter& printer = SystemPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(program.file("run.pdf"));
    ui.file(program.file("run.pdf"));
    drawwin().DrawingFileName = QStringLiteral("kept.qdr");
    runBoth(10, [](DrawArea&, int) { ADD_FAILURE() << "a printed run previewed a page"; });
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(drawwin().DrawingFileName, "kept.qdr");
    EXPECT_GT(QFileInfo(program.file("run.pdf")).size(), 0);
}
