// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/frmdatagrid.h"
#include "platform/gui/forms.h"
#include "platform/gui/spreadgrid.h"
#include "project/modgw.h"
#include "reportdefs/datecontourfile.h"
#include "reportdefs/datesumfile.h"
#include "reportdefs/forms/frmdatecontour.h"
#include "reportdefs/forms/frmdatesum.h"
#include "reportdefs/forms/frmwellnotes.h"
#include "support/scriptedui.h"
#include "reportformtest.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

// The sources' positions: MW-1 (X 1200.5, Y 830), MW-2 (1410, 955.5), O'Brien 3 (1620, 700),
// SP-4 (980, 1010).
class DateSumForm : public ReportFormTest<frmDateSum> {};

namespace {
QStringList linesOf(const QString& path) {
    QString text = QString::fromLatin1(readRaw(path));
    EXPECT_TRUE(text.endsWith("\r\n"));
    text.chop(2);
    return text.split("\r\n");
}
} // namespace

TEST_F(DateSumForm, MenusListsAndGridsCarryTheirCaptions) {
    frmDateSum& f = form();
    expectMenus(f, "Date Summary Report", "&Return to Main Menu", "&Delete Parameter");
    EXPECT_EQ(f.Command1->text(), "Edit Notes");
    EXPECT_EQ(f.Command2->text(), "Edit Mode");
    const QList<std::pair<QLabel*, const char*>> labels = {
        {f.Label1, "Master Parameter List"}, {f.Label2, "Master Source List"}, {f.Label3, "Sampling Episodes"},
        {f.Label4, "Chosen Parameters"},     {f.Label5, "Chosen Sources"},     {f.Label6, "Report Information"},
        {f.Label7, "Map Information"}};
    for (const auto& [label, text] : labels)
        EXPECT_EQ(label->text(), text);
    ASSERT_EQ(f.List1->count(), 5);
    EXPECT_EQ(f.List1->item(2)->text(), "3) TCE");
    ASSERT_EQ(f.List2->count(), 4);
    EXPECT_EQ(f.List2->item(2)->text(), "3) O'Brien 3");

    const QList<std::tuple<SpreadGrid*, int, int>> sizes = {
        {f.SS5, 50, 2}, {f.SS1, 9, 1}, {f.SS2, 39, 4}, {f.SS3, 5, 1}, {f.SS4, 14, 1}};
    for (const auto& [g, rows, cols] : sizes) {
        EXPECT_EQ(g->maxRows(), rows) << g->objectName().toStdString();
        EXPECT_EQ(g->maxCols(), cols) << g->objectName().toStdString();
        EXPECT_EQ(g->accessibleName(), g->objectName());
    }
    EXPECT_EQ(f.SS5->columnHeader(1), "Start Date");
    EXPECT_EQ(f.SS5->columnHeader(2), "End Date");
    EXPECT_EQ(f.SS1->columnHeader(1), "Par. Name");
    EXPECT_EQ(f.SS2->columnHeader(2), "Abv/Blw");
    EXPECT_EQ(f.SS2->columnHeader(4), "Y Pos.");
    EXPECT_EQ(f.SS3->rowHeader(2), "Sec. Title, Line 1");
    EXPECT_EQ(f.SS3->rowHeader(5), "Label for Standard");
    EXPECT_EQ(f.SS4->rowHeader(1), "X: St, End, Inc");
    EXPECT_EQ(f.SS4->rowHeader(4), "Source Radius Mult.");
    EXPECT_EQ(f.SS4->rowHeader(5), "Pars. on Map 1");
    EXPECT_EQ(f.SS4->rowHeader(14), "Pars. on Map 10");
    // Names reach SS1 only through picks: a typed name would have no parameter number behind it.
    EXPECT_TRUE(f.SS1->isLocked(1, 1));
    EXPECT_FALSE(f.SS2->isLocked(1, 2));
}

TEST_F(DateSumForm, PicksFillTheRowAtTheCaretAndKeepTheAbvBlwText) {
    frmDateSum& f = form();
    pickParam(f, 2, 3);
    EXPECT_EQ(f.SS1->text(2, 1), "TCE");
    EXPECT_EQ(modgw().DateSum.DateParams[2], 3);
    EXPECT_EQ(f.SS1->activeRow(), 3);
    EXPECT_EQ(modgw().ReportDirty, 1);
    f.List1->setCurrentRow(4); // the next pick goes where the caret went
    f.List1_Click();
    EXPECT_EQ(f.SS1->text(3, 1), "Elev");
    pickParam(f, 9, 1); // after the last row the caret stays there
    EXPECT_EQ(f.SS1->activeRow(), 9);

    modgw().ReportDirty = 0;
    f.SS2->setText(1, 2, "A");
    pickSource(f, 1, 3);
    EXPECT_EQ(f.SS2->text(1, 1), "O'Brien 3");
    EXPECT_EQ(f.SS2->text(1, 2), "A");
    EXPECT_EQ(f.SS2->text(1, 3), "1620");
    EXPECT_EQ(f.SS2->text(1, 4), "700");
    EXPECT_EQ(f.SS2->activeRow(), 2);
    EXPECT_EQ(f.SS2->activeCol(), 1);
    EXPECT_EQ(modgw().ReportDirty, 1);
    // Another source over it replaces name and positions; its Abv/Blw text stays.
    pickSource(f, 1, 1);
    EXPECT_EQ(f.SS2->text(1, 1), "MW-1");
    EXPECT_EQ(f.SS2->text(1, 2), "A");
    EXPECT_EQ(f.SS2->text(1, 3), "1200.5");
    const auto& src = modgw().DateSum.DateSources[1];
    EXPECT_EQ(src[1], "MW-1");
    EXPECT_EQ(src[3], "1200.5");
    EXPECT_EQ(src[4], "830");

    // Delete empties the row at the caret and its slot; the rows below keep their places.
    modgw().ReportDirty = 0;
    f.SS1->setActiveCell(2, 1);
    f.mnuDelete->trigger();
    EXPECT_EQ(f.SS1->text(2, 1), "");
    EXPECT_EQ(modgw().DateSum.DateParams[2], 0);
    EXPECT_EQ(f.SS1->text(3, 1), "Elev");
    EXPECT_EQ(modgw().DateSum.DateParams[3], 5);
    EXPECT_EQ(modgw().ReportDirty, 1);
}

TEST_F(DateSumForm, SaveWritesTheWholeFileWithTheAxisRowsThatTheGridDoesNotShow) {
    frmDateSum& f = form();
    f.SS5->setText(1, 1, "3/1/1998");
    f.SS5->setText(1, 2, "3/31/1998");
    f.SS5->setText(2, 1, " 6/1/1998 ");
    f.SS5->setText(2, 2, "6/30/1998");
    pickParam(f, 1, 2);
    pickParam(f, 2, 3);
    pickSource(f, 1, 1);
    pickSource(f, 2, 2);
    f.SS2->setText(2, 2, "B");
    f.SS3->setText(1, 1, "Quarterly & Annual");
    f.SS4->setText(3, 1, "ft");
    modgw().ReportNotes.GeneralNoteCount = 1;
    modgw().ReportNotes.GeneralNotes[1] = "All values in mg/L.\u00b6";
    modgw().ReportNotes.ItemNoteCount[2] = 1;
    modgw().ReportNotes.ItemNotes[2][1] = " Dry well ";

    ScriptedUi ui;
    ui.file(pf.file("quarters"), "Save As");
    f.mnuSave->trigger();
    ASSERT_EQ(modgw().DateSumFile, pf.file("quarters.dsf"));
    EXPECT_EQ(modgw().ReportDirty, 0);
    EXPECT_EQ(ui.fileRequests.value(0).filter, "Date Summary Files (*.dsf)|*.dsf|");
    // X 1200.5 and 1410 round out to 1200..1420, a span of 220 widened to 300 about its middle;
    // Y 830 and 955.5 to 830..960, 130 widened to 200.
    const QStringList expected = {"2", "3/1/1998", "3/31/1998", "6/1/1998", "6/30/1998",
                                  "2", "2", "3",
                                  "2", "MW-1", "", "1200.5", "830", "MW-2", "B", "1410", "955.5",
                                  "Quarterly & Annual", "", "", "", "",
                                  "1160,1460,60", "795,995,40", "ft", "", "", "", "", "", "", "", "", "", "", "",
                                  "1", "All values in mg/L.\u00b6",
                                  "0", "1", " Dry well "};
    EXPECT_EQ(linesOf(pf.file("quarters.dsf")), expected);
    // The grid shows the rows only once the file is opened again.
    EXPECT_EQ(f.SS4->text(1, 1), "");
    EXPECT_EQ(modgw().DateSum.DateMapInfo[1], "1160,1460,60");

    // A typed X row, or a filled "Pars. on Map 1", is kept as it stands.
    f.SS4->setText(1, 1, "0,2000,500");
    f.SS4->setText(5, 1, "2");
    f.SS4->setText(2, 1, "");
    f.mnuSave->trigger();
    const QStringList lines = linesOf(pf.file("quarters.dsf"));
    EXPECT_EQ(lines[22], "0,2000,500");
    EXPECT_EQ(lines[23], "");
}

TEST_F(DateSumForm, OpenShowsTheFileAndAFileTheFormCannotShowChangesNothing) {
    frmDateSum& f = form();
    ScriptedUi ui;
    ui.file(QStringLiteral(QMAR_TEST_DATA "/reportdefs/dsf_twoepisodes.dsf"), "Open");
    f.mnuOpen->trigger();
    const QString opened = modgw().DateSumFile;
    ASSERT_FALSE(opened.isEmpty());
    const QString episode = f.SS5->text(1, 1);
    EXPECT_FALSE(episode.isEmpty());
    EXPECT_EQ(ui.fileRequests.value(0).filter, "Date Summary Files (*.dsf)|*.dsf|");

    // Ten parameters: SS1 holds nine, so the next save would drop one without a word.
    QStringList ten = {"0", "10"};
    for (int p = 1; p <= 10; ++p)
        ten << "1";
    ten << "0";
    for (int k = 0; k < 5 + 14; ++k)
        ten << "";
    ten << "0";
    writeRaw(pf.file("ten.dsf"), (ten.join("\r\n") + "\r\n").toLatin1());
    ui.file(pf.file("ten.dsf"), "Open").answer(vb::OK, "Error 9 in OpenDateFile");
    f.mnuOpen->trigger();
    EXPECT_EQ(modgw().DateSumFile, opened);
    EXPECT_EQ(f.SS5->text(1, 1), episode);
}

TEST_F(DateSumForm, AStoredParameterOutsideTheProjectShowsNoNameAndTheRestFills) {
    DateSumDefinition d;
    d.DateParCount = 3;
    d.DateParams = {0, 2, 7, 4};
    d.DateInfo[1] = "Still shown";
    writeDateSumFile(pf.file("other.dsf"), d, ReportNotesBlock{});
    modgw().LastDateSumFile = pf.file("other.dsf");
    frmDateSum& f = form();
    EXPECT_EQ(f.SS1->text(1, 1), "Cl");
    EXPECT_EQ(f.SS1->text(2, 1), "");
    EXPECT_EQ(f.SS1->text(3, 1), "Nitrate");
    EXPECT_EQ(f.SS3->text(1, 1), "Still shown");
}

TEST_F(DateSumForm, ClicksInTheDefinitionsGridsButNotInTheParameterNamesAskBeforeClosing) {
    expectClicksAskBeforeClosing<frmDateSum>({"SS1", "SS2", "SS3", "SS4", "SS5"}, {"SS1"});
}

TEST_F(DateSumForm, EditModeSwitchesTheThreeGridsByTheFirstOne) {
    frmDateSum& f = form();
    expectEditModeSwitches(f.Command2, {f.SS3, f.SS4, f.SS5}, {f.SS1, f.SS2});
    // Replace-on-edit follows the setting on the same three.
    forms::unload<frmDateSum>();
    using F = frmDateSum;
    expectReplaceOnEdit<F>({&F::SS3, &F::SS4, &F::SS5}, {&F::SS1, &F::SS2});
}

TEST_F(DateSumForm, EditNotesListsTheEpisodesOnTheFormAsStartDashEnd) {
    frmDateSum& f = form();
    QStringList listed;
    int shown = 0;
    forms::setModalHook([&](QDialog& d) {
        ++shown;
        auto* notes = qobject_cast<frmWellNotes*>(&d);
        ASSERT_NE(notes, nullptr);
        EXPECT_EQ(notes->windowTitle(), "Date Summary Notes");
        EXPECT_EQ(modgw().ReportCode, 3.0f);
        for (int i = 0; i < notes->List1->count(); ++i)
            listed << notes->List1->item(i)->text();
        d.reject();
    });
    ScriptedUi ui;
    ui.answer(vb::OK, "You must enter at least one sampling episode before editing notes.");
    f.Command1->click();
    EXPECT_EQ(ui.styles.value(0), vb::Exclamation);
    EXPECT_EQ(ui.titles.value(0), titleEmpty);
    EXPECT_EQ(shown, 0);

    // Typed and not yet saved, with a blank row between: every used row is an episode.
    f.show();
    f.SS5->setText(1, 1, "1/5/1999");
    f.SS5->setText(1, 2, "1/9/1999");
    f.SS5->setText(3, 1, "4/2/1999");
    f.SS5->setGridEditMode(true);
    f.SS5->setActiveCell(3, 2);
    f.SS5->setFocus();
    QTest::keyClicks(f.SS5, "4/30/1999"); // still open in its cell when the button is pressed
    f.Command1->click();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(listed, QStringList({"1/5/1999-1/9/1999", "-", "4/2/1999-4/30/1999"}));
    EXPECT_EQ(modgw().DateSum.DateEpisodeCount, 3);
    EXPECT_FALSE(forms::isLoaded<frmWellNotes>());
}

TEST_F(DateSumForm, PreviewAndBatchPrintHandTheirCodesToTheRunDialog) {
    frmDateSum& f = form();
    ScriptedUi ui;
    ui.answer(vb::OK, "You must create or open a date summary file.");
    f.mnuDraw->trigger();
    EXPECT_TRUE(runCodes.isEmpty());

    writeDateSumFile(pf.file("d.dsf"), DateSumDefinition{}, ReportNotesBlock{});
    ui.file(pf.file("d.dsf"), "Open");
    f.mnuOpen->trigger();
    f.mnuDraw->trigger();
    f.mnuBatchPrint->trigger();
    EXPECT_EQ(runCodes, QList<float>({5, 6}));

    // A changed definition is offered for saving first; Cancel runs nothing.
    f.show();
    click(f.SS3, 1, 1);
    ui.answer(vb::Cancel, "before printing?");
    f.mnuBatchPrint->trigger();
    EXPECT_EQ(runCodes.size(), 2);
    ui.answer(vb::No, "before drawing to the screen?");
    f.mnuDraw->trigger();
    EXPECT_EQ(runCodes, QList<float>({5, 6, 5}));
}

TEST_F(DateSumForm, ClosingEmptiesTheNotesAndEpisodesAndTheFormReopensOnlyItsOwnFile) {
    DateSumDefinition d;
    d.DateEpisodeCount = 1;
    d.DateEpisodes[1][1] = "1/1/2000";
    d.DateEpisodes[2][1] = "2/1/2000";
    ReportNotesBlock n;
    n.GeneralNoteCount = 1;
    n.GeneralNotes[1] = "General";
    n.ItemNoteCount[1] = 1;
    n.ItemNotes[1][1] = "Item";
    writeDateSumFile(pf.file("mine.dsf"), d, n);
    modgw().LastDateContourFile = pf.file("mine.dsf"); // the contour form's, not this one's
    frmDateSum& f = form();
    EXPECT_EQ(modgw().DateSumFile, "");
    EXPECT_EQ(f.SS5->text(1, 1), "");

    ScriptedUi ui;
    ui.file(pf.file("mine.dsf"), "Open");
    f.mnuOpen->trigger();
    ASSERT_EQ(modgw().DateSum.DateEpisodeCount, 1);
    ASSERT_EQ(modgw().ReportNotes.ItemNoteCount[1], 1);
    f.mnuExit->trigger();
    forms::unload<frmDateSum>();
    expectNotesForgotten(modgw().DateSum.DateEpisodeCount);
    EXPECT_EQ(modgw().LastDateSumFile, pf.file("mine.dsf"));

    frmDateSum& again = form();
    EXPECT_EQ(modgw().DateSumFile, pf.file("mine.dsf"));
    EXPECT_EQ(again.SS5->text(1, 2), "2/1/2000");
    EXPECT_EQ(modgw().ReportNotes.GeneralNotes[1], "General");
}

TEST_F(DateSumForm, TheReportsMenuShowsBothDateFormsOnlyWithAProject) {
    frmDatAGrid& w = forms::form<frmDatAGrid>();
    QStringList shown;
    forms::setModalHook([&](QDialog& d) {
        shown << d.objectName();
        if (auto* r = qobject_cast<ReportForm*>(&d)) r->mnuExit->trigger();
    });
    w.mnuDateSummary->trigger();
    w.mnuDateContour->trigger();
    EXPECT_EQ(shown, QStringList({"frmDateSum", "frmDateContour"}));
    EXPECT_FALSE(forms::isLoaded<frmDateSum>());
    EXPECT_FALSE(forms::isLoaded<frmDateContour>());
    modgw().ProjectFile.clear();
    ScriptedUi ui;
    ui.answer(vb::OK, "You must first open a project before producing reports.");
    ui.answer(vb::OK, "You must first open a project before producing reports.");
    w.mnuDateSummary->trigger();
    w.mnuDateContour->trigger();
    EXPECT_EQ(shown.size(), 2);
}

TEST_F(DateSumForm, HelpShowsEachDateFormsOwnPage) {
    expectHelpPage(form(), "1015.html");
    expectHelpPage(forms::form<frmDateContour>(), "1016.html");
}
