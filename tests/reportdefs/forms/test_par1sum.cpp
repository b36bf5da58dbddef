// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/frmdatagrid.h"
#include "platform/gui/forms.h"
#include "platform/gui/spreadgrid.h"
#include "project/modgw.h"
#include "reportdefs/forms/frmpar1sum.h"
#include "reportdefs/forms/frmwellnotes.h"
#include "reportdefs/par1sumfile.h"
#include "support/scriptedui.h"
#include "reportformtest.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString kNew = QStringLiteral(QMAR_TEST_DATA "/reportdefs/psf_new.psf");
const QString kDeleted = QStringLiteral(QMAR_TEST_DATA "/reportdefs/psf_deleted.psf");

class Par1SumForm : public ReportFormTest<frmPar1Sum> {
protected:
    // Picks parameter k (1-based) with the caret in row r of SS.
    static void pick(frmPar1Sum& f, int r, int k) {
        f.SS->setActiveCell(r, 1);
        f.List1->setCurrentRow(k - 1);
        f.List1_Click();
    }
    // Types text into a cell of grid as a user does, and commits it.
    static void typeInto(SpreadGrid* grid, int row, const QString& text) {
        grid->setActiveCell(row, 1);
        grid->setFocus();
        QTest::keyClicks(grid, text);
        grid->commitEdit();
    }

    static const Par1SumDefinition& def() { return modgw().Par1Sum; }
};

} // namespace

TEST_F(Par1SumForm, ControlsListsAndGridsCarryTheirCaptions) {
    frmPar1Sum& f = form();
    expectMenus(f, "Parameter Summary Report", "&Return to Data Editor", "&Delete Parameter");
    EXPECT_EQ(f.Label1->text(), "Master Parameter List");
    EXPECT_EQ(f.Label2->text(), "Master Source List");
    EXPECT_EQ(f.Label3->text(), "Chosen Parameters");
    EXPECT_EQ(f.Label4->text(), "Chosen Sources");
    EXPECT_EQ(f.Label5->text(), "Report Information");
    EXPECT_EQ(f.Command1->text(), "Edit Notes");
    EXPECT_EQ(f.Command2->text(), "Edit Mode");
    ASSERT_EQ(f.List1->count(), 5);
    EXPECT_EQ(f.List1->item(2)->text(), "3) TCE");
    ASSERT_EQ(f.List2->count(), 4);
    EXPECT_EQ(f.List2->item(0)->text(), "1) MW-1");
    EXPECT_EQ(f.List2->item(2)->text(), "3) O'Brien 3");
    EXPECT_EQ(f.SS->maxRows(), 200);
    EXPECT_EQ(f.SS->maxCols(), 1);
    EXPECT_EQ(f.SS->columnHeader(1), "Par. Name");
    EXPECT_EQ(f.SS2->maxRows(), 9);
    EXPECT_EQ(f.SS2->columnHeader(1), "Source Name");
    ASSERT_EQ(f.SS3->maxRows(), 5);
    EXPECT_EQ(f.SS3->rowHeader(1), "Main Title");
    EXPECT_EQ(f.SS3->rowHeader(2), "Sec. Title, Line 1");
    EXPECT_EQ(f.SS3->rowHeader(4), "Sec. Title, Line 3");
    EXPECT_EQ(f.SS3->rowHeader(5), "Label for Standard");
    // Only the information grid is prepared.
    EXPECT_EQ(f.SS3->enterAction(), SpreadGrid::EnterRight);
    EXPECT_NE(f.SS->enterAction(), SpreadGrid::EnterRight);
    EXPECT_NE(f.SS2->enterAction(), SpreadGrid::EnterRight);
    for (QWidget* w : std::initializer_list<QWidget*>{f.SS, f.SS2, f.SS3, f.List1, f.List2})
        EXPECT_EQ(w->accessibleName(), w->objectName());
}

TEST_F(Par1SumForm, OnlyTheInformationGridFollowsCellEditMode) {
    expectReplaceOnEdit<frmPar1Sum>({&frmPar1Sum::SS3}, {&frmPar1Sum::SS, &frmPar1Sum::SS2});
}

TEST_F(Par1SumForm, AParameterPickBelowTheUsedRowsLeavesBlankRowsThatCount) {
    frmPar1Sum& f = form();
    pick(f, 4, 3);
    EXPECT_EQ(f.SS->text(4, 1), "TCE");
    EXPECT_EQ(def().Par1Params[4], 3);
    EXPECT_EQ(def().Par1ParCount, 4);
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(def().Par1Params[r], 0) << r;
    EXPECT_EQ(f.SS->activeRow(), 5);
    EXPECT_EQ(modgw().ReportDirty, 1);

    // The next pick goes where the caret went; one above the last row leaves the count.
    f.List1->setCurrentRow(0);
    f.List1_Click();
    EXPECT_EQ(f.SS->text(5, 1), "pH");
    EXPECT_EQ(def().Par1ParCount, 5);
    pick(f, 2, 5);
    EXPECT_EQ(def().Par1ParCount, 5);
    EXPECT_EQ(def().Par1Params[2], 5);
    // A pick over a row replaces its parameter.
    pick(f, 2, 2);
    EXPECT_EQ(f.SS->text(2, 1), "Cl");
    EXPECT_EQ(def().Par1Params[2], 2);

    // The last row keeps the caret.
    pick(f, 200, 4);
    EXPECT_EQ(def().Par1ParCount, 200);
    EXPECT_EQ(f.SS->activeRow(), 200);
}

TEST_F(Par1SumForm, APickByKeyboardFromEitherList) {
    frmPar1Sum& f = form();
    f.show();
    f.SS->setActiveCell(1, 1);
    f.List1->setFocus();
    f.List1->setCurrentRow(3);
    QTest::keyClick(f.List1, Qt::Key_Return);
    EXPECT_EQ(f.SS->text(1, 1), "Nitrate");
    f.SS2->setActiveCell(2, 1);
    f.List2->setFocus();
    f.List2->setCurrentRow(1);
    QTest::keyClick(f.List2, Qt::Key_Space);
    EXPECT_EQ(f.SS2->text(2, 1), "MW-2");
    f.hide();
}

TEST_F(Par1SumForm, ASourcePickFillsTheRowAndSaveCountsTheRows) {
    frmPar1Sum& f = form();
    pickSource(f, 3, 3);
    EXPECT_EQ(f.SS2->text(3, 1), "O'Brien 3");
    EXPECT_EQ(def().Par1Sources[3], "O'Brien 3");
    EXPECT_EQ(def().Par1SourceCount, 0); // counted when saved
    EXPECT_EQ(f.SS2->activeRow(), 4);
    EXPECT_EQ(modgw().ReportDirty, 1);
    f.show();
    typeInto(f.SS2, 1, QStringLiteral("  MW-12 "));
    f.hide();
    pickSource(f, 9, 4);
    EXPECT_EQ(f.SS2->activeRow(), 9);

    ScriptedUi ui;
    ui.file(pf.file("sources.psf"), "Save As");
    f.mnuSave->trigger();
    EXPECT_EQ(def().Par1SourceCount, 9);
    const QList<QByteArray> lines = readRaw(pf.file("sources.psf")).split('\n');
    EXPECT_EQ(lines.mid(0, 11),
              QList<QByteArray>({"0\r", "9\r", "MW-12\r", "\r", "O'Brien 3\r", "\r", "\r", "\r", "\r", "\r",
                                 "SP-4\r"}));
}

TEST_F(Par1SumForm, DeleteBlanksTheRowAtTheCaretAndRecountsButMovesNothing) {
    frmPar1Sum& f = form();
    pick(f, 1, 4);
    pick(f, 2, 1);
    pick(f, 3, 2);
    f.show();
    typeInto(f.SS3, 1, QStringLiteral("Quarterly Report"));
    typeInto(f.SS3, 5, QStringLiteral(" MCL "));
    f.hide();
    modgw().ReportDirty = 0;
    f.SS->setActiveCell(2, 1);
    f.SS2->setActiveCell(5, 1); // the other grids' carets do not matter
    f.mnuDelete->trigger();
    EXPECT_EQ(f.SS->text(2, 1), "");
    EXPECT_EQ(f.SS->text(3, 1), "Cl");
    EXPECT_EQ(def().Par1Params[2], 0);
    EXPECT_EQ(def().Par1ParCount, 3);
    EXPECT_EQ(modgw().ReportDirty, 1);

    // P = 3, row 2 written as 0 with its notes block.
    ScriptedUi ui;
    ui.file(pf.file("deleted.psf"), "Save As");
    f.mnuSave->trigger();
    EXPECT_EQ(readRaw(pf.file("deleted.psf")), readRaw(kDeleted));

    // Deleting the last row lowers the count.
    f.SS->setActiveCell(3, 1);
    f.mnuDelete->trigger();
    EXPECT_EQ(def().Par1ParCount, 1);
    EXPECT_EQ(f.SS->text(1, 1), "Nitrate");
}

TEST_F(Par1SumForm, ATypedNameInTheParameterGridIsRefused) {
    frmPar1Sum& f = form();
    pick(f, 1, 3);
    f.show();
    typeInto(f.SS, 1, QStringLiteral("Benzene"));
    typeInto(f.SS, 2, QStringLiteral("Toluene"));
    f.SS->setActiveCell(1, 1);
    QTest::keyClick(f.SS, Qt::Key_Delete);
    f.hide();
    EXPECT_EQ(f.SS->text(1, 1), "TCE");
    EXPECT_EQ(f.SS->text(2, 1), "");
    EXPECT_EQ(def().Par1Params[1], 3);
    EXPECT_EQ(def().Par1ParCount, 1);
}

TEST_F(Par1SumForm, ClicksInTheSourceAndInformationGridsMarkTheChange) {
    frmPar1Sum& f = form();
    f.show();
    QApplication::processEvents();
    for (SpreadGrid* g : {f.SS, f.SS2, f.SS3}) {
        modgw().ReportDirty = 0;
        const QRect cell = g->visualRect(g->model()->index(0, 0));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell.center());
        EXPECT_EQ(modgw().ReportDirty, g == f.SS ? 0 : 1) << g->objectName().toStdString();
    }
    // And typing in them too.
    modgw().ReportDirty = 0;
    f.SS3->setActiveCell(2, 1);
    f.SS3->setFocus();
    QTest::keyClicks(f.SS3, "x");
    f.SS3->commitEdit();
    EXPECT_EQ(modgw().ReportDirty, 1);
    f.hide();
}

TEST_F(Par1SumForm, EnterInTheInformationGridGoesOnToTheNextRow) {
    modgw().CellEditMode = QStringLiteral("1"); // typing replaces a cell's text
    frmPar1Sum& f = form();
    f.show();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    for (const bool editMode : {false, true}) {
        f.SS3->setGridEditMode(editMode);
        f.SS3->setActiveCell(1, 1);
        f.SS3->setFocus();
        QTest::keyClicks(QApplication::focusWidget(), editMode ? "Site B" : "Site A");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(f.SS3->text(1, 1), editMode ? "Site B" : "Site A");
        EXPECT_EQ(f.SS3->activeRow(), 2);
        QTest::keyClicks(QApplication::focusWidget(), "Line 1");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(f.SS3->text(2, 1), "Line 1");
        EXPECT_EQ(f.SS3->activeRow(), 3);
        // The last row keeps the caret.
        f.SS3->setActiveCell(5, 1);
        QTest::keyClicks(QApplication::focusWidget(), "MCL");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        f.SS3->commitEdit();
        EXPECT_EQ(f.SS3->text(5, 1), "MCL");
        EXPECT_EQ(f.SS3->activeRow(), 5);
    }
    // Enter elsewhere is the grids' own.
    f.SS2->setActiveCell(1, 1);
    f.SS2->setFocus();
    QTest::keyClick(f.SS2, Qt::Key_Return);
    EXPECT_EQ(f.SS2->activeRow(), 2);
    f.hide();
}

TEST_F(Par1SumForm, EditNotesNeedsAChosenParameter) {
    frmPar1Sum& f = form();
    int shown = 0;
    forms::setModalHook([&](QDialog& d) {
        ++shown;
        EXPECT_NE(qobject_cast<frmWellNotes*>(&d), nullptr);
        EXPECT_EQ(modgw().ReportCode, 2.0f);
        d.reject();
    });
    pickSource(f, 1, 1);
    f.SS3->setText(1, 1, QStringLiteral("Title"));
    ScriptedUi ui;
    ui.answer(vb::OK, "You must select parameters before editing notes.");
    f.Command1->click();
    EXPECT_EQ(ui.styles.value(0), vb::Exclamation);
    EXPECT_EQ(ui.titles.value(0), titleEmpty);
    EXPECT_EQ(shown, 0);
    pick(f, 2, 1);
    f.Command1->click();
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(forms::isLoaded<frmWellNotes>());
}

TEST_F(Par1SumForm, EditModeSwitchesOnlyTheInformationGrid) {
    frmPar1Sum& f = form();
    f.SS->setGridEditMode(true);
    expectEditModeSwitches(f.Command2, {f.SS3}, {f.SS, f.SS2});
}

TEST_F(Par1SumForm, SaveAfterNewWritesTheEmptyDefinitionOverTheFile) {
    const QString path = pf.file("site.psf");
    frmPar1Sum& f = form();
    pick(f, 1, 2);
    pickSource(f, 1, 1);
    ScriptedUi ui;
    ui.file(path, "Save As");
    f.mnuSaveAs->trigger();
    ASSERT_TRUE(QFile::exists(path));
    f.mnuNew->trigger();
    EXPECT_EQ(f.SS->text(1, 1), "");
    EXPECT_EQ(f.SS2->text(1, 1), "");
    EXPECT_EQ(f.List1->count(), 5); // the master lists stay
    EXPECT_EQ(f.List2->count(), 4);
    EXPECT_EQ(modgw().Par1SumFile, path);
    f.mnuSave->trigger();
    EXPECT_EQ(readRaw(path), readRaw(kNew));
}

TEST_F(Par1SumForm, ANumberTheProjectLacksShowsBlankAndIsSavedAsRead) {
    const QString path = pf.file("odd.psf");
    writeRaw(path, "3\r\n2\r\n999\r\n5\r\n1\r\nMW-1\r\nTitle\r\n\r\n\r\n\r\n\r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n");
    modgw().LastPar1SumFile = path;
    frmPar1Sum& f = form();
    EXPECT_EQ(modgw().Par1SumFile, path);
    EXPECT_EQ(f.SS->text(1, 1), "Cl");
    EXPECT_EQ(f.SS->text(2, 1), "");
    EXPECT_EQ(f.SS->text(3, 1), "Elev");
    EXPECT_EQ(f.SS2->text(1, 1), "MW-1");
    EXPECT_EQ(f.SS3->text(1, 1), "Title");
    const QByteArray before = readRaw(path);
    f.SS3->setText(2, 1, QStringLiteral("Line 1"));
    f.mnuSave->trigger();
    QList<QByteArray> expected = before.split('\n');
    expected[7] = "Line 1\r";
    EXPECT_EQ(readRaw(path), expected.join('\n'));
}

TEST_F(Par1SumForm, PreviewAndBatchPrintHandOverThreeAndFour) {
    const QString path = pf.file("site.psf");
    writeRaw(path, readRaw(kNew));
    modgw().LastPar1SumFile = path;
    frmPar1Sum& f = form();
    f.mnuDraw->trigger();
    f.mnuBatchPrint->trigger();
    EXPECT_EQ(runCodes, QList<float>({3, 4}));
    forms::unload<frmPar1Sum>();

    modgw().LastPar1SumFile.clear();
    frmPar1Sum& g = form();
    ScriptedUi ui;
    ui.answer(vb::OK, "You must create or open a parameter summary file.");
    g.mnuDraw->trigger();
    EXPECT_EQ(runCodes.size(), 2);
}

TEST_F(Par1SumForm, AFileThatFailsToReadIsReportedUnderItsReaderAndChangesNothing) {
    frmPar1Sum& f = form();
    pick(f, 1, 3);
    modgw().ReportDirty = 0;
    writeRaw(pf.file("bad.psf"), "201\r\n");
    ScriptedUi ui;
    ui.file(pf.file("bad.psf"), "Open").answer(vb::OK, "Error 9 in OpenPar1File.");
    f.mnuOpen->trigger();
    EXPECT_EQ(f.SS->text(1, 1), "TCE");
    EXPECT_EQ(def().Par1Params[1], 3);
    EXPECT_EQ(modgw().Par1SumFile, "");
    EXPECT_EQ(ui.fileRequests.value(0).filter, "Parameter Summary Files (*.psf)|*.psf|");
}

TEST_F(Par1SumForm, HelpShowsItsPage) { expectHelpPage(form(), "1014.html"); }

TEST_F(Par1SumForm, TheMainWindowShowsTheFormOnlyWithAProjectAndReopensTheLastFile) {
    frmDatAGrid& w = forms::form<frmDatAGrid>();
    const QString path = pf.file("site.psf");
    int shown = 0;
    forms::setModalHook([&](QDialog& d) {
        ++shown;
        ASSERT_EQ(d.objectName(), "frmPar1Sum");
        auto& f = static_cast<frmPar1Sum&>(d);
        if (shown == 1) {
            pick(f, 1, 4);
            ScriptedUi ui;
            ui.answer(vb::Yes, "before quitting").file(path, "Save As");
            f.mnuExit->trigger();
        } else {
            EXPECT_EQ(f.SS->text(1, 1), "Nitrate");
            f.mnuExit->trigger();
        }
    });
    w.mnuParameterSummary->trigger();
    w.mnuParameterSummary->trigger();
    EXPECT_EQ(shown, 2);
    EXPECT_FALSE(forms::isLoaded<frmPar1Sum>());
    modgw().ProjectFile.clear();
    ScriptedUi ui;
    ui.answer(vb::OK, "You must first open a project before producing reports.");
    w.mnuParameterSummary->trigger();
    EXPECT_EQ(shown, 2);
}
