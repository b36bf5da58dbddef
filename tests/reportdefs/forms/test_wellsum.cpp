// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/frmdatagrid.h"
#include "drawcmd/printdrawing.h"
#include "platform/gui/helpviewer.h"
#include "platform/gui/printersetup.h"
#include "reportdefs/forms/frmwellnotes.h"
#include "reportdefs/forms/frmwellwlist.h"
#include "reportdefs/wellwlist.h"
#include "support/scriptedui.h"
#include "wellsumfixture.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

TEST_F(WellSumForm, MenusListsAndGridsCarryTheirCaptions) {
    frmWellSum& f = form();
    expectMenus(f, "Source Summary Report", "&Return to Data Editor", "&Delete Parameter");
    EXPECT_EQ(f.Command1->text(), "Edit Source List");
    EXPECT_EQ(f.Command2->text(), "Edit Notes");
    EXPECT_EQ(f.Command3->text(), "Edit Mode");
    EXPECT_EQ(f.Label1->text(), "Master Parameters");
    EXPECT_EQ(f.Label2->text(), "Source List");
    ASSERT_EQ(f.List1->count(), 5);
    EXPECT_EQ(f.List1->item(0)->text(), "1) pH");
    EXPECT_EQ(f.List1->item(4)->text(), "5) Elev");
    EXPECT_EQ(f.SS->maxCols(), 11);
    EXPECT_EQ(f.SS->rowHeader(1), "Parameter#");
    EXPECT_EQ(f.SS->rowHeader(6), "Standard");
    EXPECT_DOUBLE_EQ(f.SS->colWidth(11), 9);
    EXPECT_EQ(f.SS2->rowHeader(2), "Scale: St,End,Inc");
    EXPECT_EQ(f.SS2->rowHeader(5), "Parameters 7,8,9");
    EXPECT_EQ(f.SSRepInfo->rowHeader(5), "Print Table/Graph/Both (T/G/B) ");
    EXPECT_EQ(f.SSRepInfo->rowHeader(7), "Date to Begin Highlight");
    for (QWidget* w : std::initializer_list<QWidget*>{f.SS, f.SS2, f.SSRepInfo, f.List1, f.List2})
        EXPECT_EQ(w->accessibleName(), w->objectName());
}

TEST_F(WellSumForm, APickFillsTheSlotAtTheCaretAndMovesOn) {
    frmWellSum& f = form();
    pick(f, 3, 3); // TCE into slot 3, the second graph of the first row
    EXPECT_EQ(f.SS->text(1, 3), "3");
    EXPECT_EQ(f.SS->text(2, 3), "Trichloro");
    EXPECT_EQ(f.SS->text(3, 3), "ethene");
    EXPECT_EQ(f.SS->text(4, 3), "");
    EXPECT_EQ(f.SS->text(5, 3), "ug/L");
    EXPECT_EQ(f.SS->text(6, 3), "5");
    EXPECT_EQ(f.SS2->text(1, 2), "Trichloroethene");
    EXPECT_EQ(f.SS2->text(2, 2), "LOG,.1,1000");
    EXPECT_EQ(f.SS->activeRow(), 2);
    EXPECT_EQ(f.SS->activeCol(), 4);
    EXPECT_EQ(modgw().ReportDirty, 1);

    // The next pick goes where the caret went; slot 10 is the last graph.
    f.List1->setCurrentRow(1);
    f.List1_Click();
    EXPECT_EQ(f.SS->text(1, 4), "2");
    pick(f, 10, 3);
    EXPECT_EQ(f.SS2->text(5, 3), "Trichloroethene");
    EXPECT_EQ(f.SS2->text(6, 3), "LOG,.1,1000");
    EXPECT_EQ(f.SS->text(1, 3), "3"); // the same parameter twice fills both

    // Slots 1 and 11 are table columns only; after 11 the caret stays in it.
    const QString graphs = f.SS2->text(1, 1) + f.SS2->text(2, 1);
    pick(f, 1, 5);
    EXPECT_EQ(f.SS->text(5, 1), "ft");
    pick(f, 11, 4);
    EXPECT_EQ(f.SS->text(1, 11), "4");
    EXPECT_EQ(f.SS->activeCol(), 11);
    EXPECT_EQ(f.SS->activeRow(), 2);
    EXPECT_EQ(f.SS2->text(1, 1) + f.SS2->text(2, 1), graphs);
}

TEST_F(WellSumForm, APickByKeyboardAndOverACellOpenForEditing) {
    frmWellSum& f = form();
    f.show();
    // SS starts in edit mode: the active cell is open, with what the user typed in it.
    f.SS->setActiveCell(1, 6);
    f.SS->setFocus();
    QTest::keyClicks(f.SS, "typed");
    f.List1->setFocus();
    f.List1->setCurrentRow(4);
    QTest::keyClick(f.List1, Qt::Key_Return);
    f.SS->commitEdit();
    EXPECT_EQ(f.SS->text(1, 6), "5");
    EXPECT_EQ(f.SS->text(5, 6), "ft");
    EXPECT_EQ(f.SS->activeCol(), 7);
    f.hide();
}

TEST_F(WellSumForm, DeleteBlanksTheSlotAtTheCaretAndMarksTheChange) {
    frmWellSum& f = form();
    pick(f, 3, 1);
    pick(f, 4, 2);
    modgw().ReportDirty = 0;
    f.SS->setActiveCell(4, 3);
    f.mnuDelete->trigger();
    for (int r = 1; r <= 6; ++r)
        EXPECT_EQ(f.SS->text(r, 3), "") << r;
    EXPECT_EQ(f.SS2->text(1, 2), "");
    EXPECT_EQ(f.SS2->text(2, 2), "");
    EXPECT_EQ(f.SS->text(1, 4), "2"); // no slot moves up
    EXPECT_EQ(f.SS2->text(1, 3), "Chloride");
    EXPECT_EQ(modgw().ReportDirty, 1);
}

TEST_F(WellSumForm, EveryUserEditOfAGridMarksTheChange) {
    frmWellSum& f = form();
    f.show();
    for (SpreadGrid* g : {f.SS, f.SS2, f.SSRepInfo}) {
        SCOPED_TRACE(g->objectName().toStdString());
        g->setText(1, 1, "x");
        modgw().ReportDirty = 0;
        g->setGridEditMode(false);
        g->setActiveCell(1, 1);
        g->setFocus();
        QTest::keyClick(g, Qt::Key_Delete);
        EXPECT_EQ(g->text(1, 1), "");
        EXPECT_EQ(modgw().ReportDirty, 1);
        modgw().ReportDirty = 0;
        QTest::keyClicks(g, "Site");
        QTest::keyClick(g, Qt::Key_Return);
        EXPECT_EQ(modgw().ReportDirty, 1);
    }
    f.hide();
    // Text written by the form itself is no edit.
    modgw().ReportDirty = 0;
    f.FillWellForm();
    EXPECT_EQ(modgw().ReportDirty, 0);
}

TEST_F(WellSumForm, EditModeSwitchesTheThreeGridsTogether) {
    frmWellSum& f = form();
    EXPECT_TRUE(f.SS->gridEditMode());
    EXPECT_FALSE(f.SS2->gridEditMode());
    expectEditModeSwitches(f.Command3, {f.SS, f.SS2, f.SSRepInfo}, {});
}

TEST_F(WellSumForm, GridsReplaceOnEditAsTheSettingSays) {
    using F = frmWellSum;
    expectReplaceOnEdit<F>({&F::SS, &F::SS2, &F::SSRepInfo}, {});
}

TEST_F(WellSumForm, EditNotesNeedsSourcesAndHandsTheNotesKindOver) {
    frmWellSum& f = form();
    int shown = 0;
    forms::setModalHook([&](QDialog& d) {
        ++shown;
        EXPECT_NE(qobject_cast<frmWellNotes*>(&d), nullptr);
        EXPECT_EQ(modgw().ReportCode, 1.0f);
        d.reject();
    });
    ScriptedUi ui;
    ui.answer(vb::OK, "You must select sources before editing notes.");
    f.Command2->click();
    EXPECT_EQ(ui.styles.value(0), vb::Exclamation);
    EXPECT_EQ(ui.titles.value(0), titleEmpty);
    EXPECT_EQ(shown, 0);
    modgw().WellSum.NumWellList = 1;
    modgw().WellSum.WellList[1] = "MW-1";
    f.Command2->click();
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(forms::isLoaded<frmWellNotes>());
}

TEST_F(WellSumForm, EditSourceListShowsThePickerAndThenItsList) {
    frmWellSum& f = form();
    forms::setModalHook([](QDialog& d) {
        ASSERT_NE(qobject_cast<frmWellWList*>(&d), nullptr);
        ASSERT_TRUE(wellwlist::TakeWellList({"SP-4", "MW-1"}));
        d.accept();
    });
    f.Command1->click();
    ASSERT_EQ(f.List2->count(), 2);
    EXPECT_EQ(f.List2->item(0)->text(), "SP-4");
    EXPECT_EQ(modgw().ReportDirty, 1);
    EXPECT_FALSE(forms::isLoaded<frmWellWList>());
    // Cancelled, the list stays.
    forms::setModalHook([](QDialog& d) { d.reject(); });
    f.Command1->click();
    EXPECT_EQ(f.List2->count(), 2);
}

TEST_F(WellSumForm, HelpShowsTheFormsPageAndEscapeDoesNotClose) {
    frmWellSum& f = form();
    f.show();
    expectHelpPage(f, "1013.html");
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    f.SS->setFocus();
    QTest::keyClick(f.SS, Qt::Key_F1);
    EXPECT_EQ(HelpPageShown(), "1013.html");
    WinHelpA(nullptr, QString(), help::HELP_QUIT, 0);
    QTest::keyClick(&f, Qt::Key_Escape);
    EXPECT_TRUE(f.isVisible());
    f.hide();
}

namespace {
// The system printer's settings, put back after the test.
class SavedPrinter {
public:
    SavedPrinter() : before_(PrinterSettingsOf(SystemPrinter())) {}
    ~SavedPrinter() {
        QPrinter& p = SystemPrinter();
        p.setCopyCount(before_.copies);
        p.setPageOrientation(before_.orientation);
        p.setPageSize(QPageSize(before_.paperSize));
        SetPrinterNames(nullptr);
    }
    PrinterSetupChoice before_;
};
} // namespace

TEST_F(WellSumForm, PrintSetupHandsAMatchedChoiceToTheSystemPrinter) {
    SavedPrinter saved;
    SetPrinterNames([] { return QStringList{"Office Laser", "Plotter"}; });
    QPrinter& p = SystemPrinter();
    p.setCopyCount(1);
    p.setPageOrientation(QPageLayout::Portrait);
    p.setPageSize(QPageSize(QPageSize::Letter));
    frmWellSum& f = form();
    ScriptedUi ui;
    ui.printer(PrinterSetupChoice{"Plotter", 3, QPageLayout::Landscape, QPageSize::A4});
    f.mnuPrintSetup->trigger();
    ASSERT_EQ(ui.printerRequests.size(), 1);
    EXPECT_EQ(ui.printerRequests[0].copies, 1); // the dialog opens on the printer's settings
    EXPECT_EQ(p.copyCount(), 3);
    EXPECT_EQ(p.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(p.pageLayout().pageSize().id(), QPageSize::A4);

    // A name no installed printer has, and a cancelled dialog, change nothing and show nothing.
    ui.printer(PrinterSetupChoice{"Gone Printer", 5, QPageLayout::Portrait, QPageSize::Legal});
    f.mnuPrintSetup->trigger();
    ui.printer(std::nullopt);
    f.mnuPrintSetup->trigger();
    EXPECT_EQ(p.copyCount(), 3);
    EXPECT_EQ(p.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(p.pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_TRUE(ui.texts.isEmpty());
}

TEST_F(WellSumForm, TheMainWindowShowsTheFormOnlyWithAProject) {
    expectShownFromMainWindow<frmWellSum>(&frmDatAGrid::mnuSourceSummary);
}
