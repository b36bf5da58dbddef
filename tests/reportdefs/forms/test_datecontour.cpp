// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gui/forms.h"
#include "platform/gui/spreadgrid.h"
#include "project/modgw.h"
#include "reportdefs/datecontourfile.h"
#include "reportdefs/datesumfile.h"
#include "reportdefs/forms/frmdatecontour.h"
#include "reportdefs/forms/frmdatesum.h"
#include "reportdefs/windowhooks.h"
#include "support/scriptedui.h"
#include "reportformtest.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString kTooManyNotes = QStringLiteral(
    "You have written more that 20 lines of Notes.  The box containing the notes can only fit 20 lines "
    "of notes.  Please reduce the number of lines and try again.");
const QString kViewWarning = QStringLiteral("When viewing in 3-D, you must choose just 1 parameter.");

QStringList linesOf(const QString& path) {
    QString text = QString::fromLatin1(readRaw(path));
    text.chop(2);
    return text.split("\r\n");
}

QString numberedLines(int n) {
    QStringList l;
    for (int i = 1; i <= n; ++i)
        l << QStringLiteral("Note %1: Fe & Mn (ug/L)").arg(i);
    return l.join("\n");
}

} // namespace

// MW-1 lies at X 1200.5, Y 830.
class DateContourForm : public ReportFormTest<frmDateContour> {
protected:
    // A saved contour definition with TCE, MW-2 and the main title "Plume".
    QString savedDefinition(const QString& name) {
        DateContourDefinition d;
        d.DateParCount = 1;
        d.DateParams[1] = 3;
        d.DateSourceCount = 1;
        d.DateSources[1] = {"", "MW-2", "1410", "955.5", ""};
        d.DateInfo[1] = "Plume";
        d.DateMapInfo[4] = "Kriging";
        d.DateMapInfo[5] = "Exaggerated";
        d.DateMapInfo[7] = "2D";
        ReportNotesBlock n;
        n.GeneralNoteCount = 2;
        n.GeneralNotes[1] = "First note";
        n.GeneralNotes[2] = "Second note";
        writeDateContourFile(pf.file(name), d, n);
        return pf.file(name);
    }
};

TEST_F(DateContourForm, MenusGridsDropDownsAndTheNotesBox) {
    frmDateContour& f = form();
    expectMenus(f, "Date Contour Report", "&Return to Main Menu", "&Delete Parameter");
    EXPECT_EQ(f.Command1->text(), "Edit Mode");
    EXPECT_TRUE(f.findChildren<QPushButton*>().size() == 1); // no Edit Notes
    const QList<std::pair<QLabel*, const char*>> labels = {
        {f.Label1, "Master Parameter List"}, {f.Label2, "Master Source List"}, {f.Label3, "Chosen Parameter(s)"},
        {f.Label4, "Chosen Sources"},        {f.Label5, "Report Information"}, {f.Label6, "Map Information"},
        {f.Label7, "Notes"}};
    for (const auto& [label, text] : labels)
        EXPECT_EQ(label->text(), text);
    EXPECT_EQ(f.List2->item(3)->text(), "4) SP-4");
    const QList<std::tuple<SpreadGrid*, int, int>> sizes = {
        {f.SS1, 4, 1}, {f.SS2, 200, 3}, {f.SS3, 6, 1}, {f.SS4, 7, 1}};
    for (const auto& [g, rows, cols] : sizes) {
        EXPECT_EQ(g->maxRows(), rows) << g->objectName().toStdString();
        EXPECT_EQ(g->maxCols(), cols) << g->objectName().toStdString();
        EXPECT_EQ(g->accessibleName(), g->objectName());
    }
    EXPECT_EQ(f.Text1->accessibleName(), "Text1");
    EXPECT_EQ(f.SS2->columnHeader(2), "X Pos.");
    EXPECT_EQ(f.SS3->rowHeader(5), "Episode Start,End");
    EXPECT_EQ(f.SS3->rowHeader(6), "Page Text");
    EXPECT_EQ(f.SS4->rowHeader(1), "Base Map File");
    EXPECT_EQ(f.SS4->rowHeader(7), "View (2D/3D,Rot,Tilt)");
    EXPECT_EQ(f.SS4->dropDownItems(4, 1), DateContourMethods());
    EXPECT_EQ(f.SS4->dropDownItems(4, 1).value(3), "Modified Shepard's Method");
    EXPECT_EQ(f.SS4->dropDownItems(5, 1), QStringList({"Proportional", "Exaggerated"}));
    EXPECT_TRUE(f.SS4->dropDownItems(6, 1).isEmpty());
    EXPECT_TRUE(f.SS1->isLocked(4, 1));

    // Print Setup opens the one printer dialog, as on the other forms.
    ScriptedUi ui;
    ui.printer(std::nullopt);
    f.mnuPrintSetup->trigger();
    EXPECT_EQ(ui.printerRequests.size(), 1);
    EXPECT_TRUE(ui.texts.isEmpty());
}

TEST_F(DateContourForm, PicksFillTheCaretsRowAndDeleteEmptiesIt) {
    frmDateContour& f = form();
    pickParam(f, 1, 4);
    EXPECT_EQ(f.SS1->text(1, 1), "Nitrate");
    EXPECT_EQ(modgw().DateSum.DateParams[1], 4);
    EXPECT_EQ(f.SS1->activeRow(), 2);
    pickParam(f, 4, 2);
    EXPECT_EQ(f.SS1->activeRow(), 4);
    pickSource(f, 3, 3);
    EXPECT_EQ(f.SS2->text(3, 1), "O'Brien 3");
    EXPECT_EQ(f.SS2->text(3, 2), "1620");
    EXPECT_EQ(f.SS2->text(3, 3), "700");
    EXPECT_EQ(modgw().DateSum.DateSources[3][2], "1620");
    EXPECT_EQ(f.SS2->activeRow(), 4);
    modgw().ReportDirty = 0;
    f.SS1->setActiveCell(1, 1);
    f.mnuDelete->trigger();
    EXPECT_EQ(f.SS1->text(1, 1), "");
    EXPECT_EQ(modgw().DateSum.DateParams[1], 0);
    EXPECT_EQ(f.SS1->text(4, 1), "Cl");
    EXPECT_EQ(modgw().ReportDirty, 1);
}

TEST_F(DateContourForm, ParametersLeftByADateSummaryAreNotSavedForAnEmptyRow) {
    DateSumDefinition d;
    d.DateParCount = 3;
    d.DateParams = {0, 2, 3, 4};
    writeDateSumFile(pf.file("three.dsf"), d, ReportNotesBlock{});
    modgw().LastDateSumFile = pf.file("three.dsf");
    forms::form<frmDateSum>().mnuExit->trigger();
    forms::unload<frmDateSum>();

    frmDateContour& f = form();
    pickParam(f, 1, 1);
    pickParam(f, 3, 5);
    ScriptedUi ui;
    ui.file(pf.file("c.dcf"), "Save As");
    f.mnuSaveAs->trigger();
    EXPECT_EQ(linesOf(pf.file("c.dcf")).mid(0, 4), QStringList({"3", "1", "0", "5"}));
}

TEST_F(DateContourForm, ADateSummarysMapRows8To14AreCarriedAndKeptOnReopening) {
    modgw().LastDateSumFile = QStringLiteral(QMAR_TEST_DATA "/reportdefs/dsf_allmaps.dsf");
    frmDateSum& sum = forms::form<frmDateSum>();
    ASSERT_EQ(sum.SS4->text(14, 1), "3,2");
    sum.mnuExit->trigger();
    forms::unload<frmDateSum>();

    frmDateContour& f = form();
    pickParam(f, 1, 2);
    f.SS4->setText(4, 1, "Kriging");
    ScriptedUi ui;
    ui.file(pf.file("maps.dcf"), "Save As");
    f.mnuSave->trigger();
    const QStringList carried = {"2,3", "1,3", "2", "3,1", "1,2,3", "2,1", "3,2"};
    QStringList lines = linesOf(pf.file("maps.dcf"));
    // 1 parameter, no sources, six information rows, map rows 1..7, then 8..14.
    EXPECT_EQ(lines.mid(2 + 1 + 6 + 7, 7), carried);
    EXPECT_EQ(lines[2 + 1 + 6 + 3], "Kriging");
    f.mnuExit->trigger();
    forms::unload<frmDateContour>();

    // Reopened and saved unchanged.
    const QByteArray before = readRaw(pf.file("maps.dcf"));
    frmDateContour& again = form();
    EXPECT_EQ(again.SS4->text(4, 1), "Kriging");
    again.mnuSave->trigger();
    EXPECT_EQ(readRaw(pf.file("maps.dcf")), before);
}

TEST_F(DateContourForm, NotesTypedMarkTheChangeAndMoreThanTwentyLinesAreNotWritten) {
    frmDateContour& f = form();
    f.show();
    f.Text1->setFocus();
    QTest::keyClicks(f.Text1, "Plume: NE & SW");
    EXPECT_EQ(modgw().ReportDirty, 1);
    // Only notes typed: closing asks.
    {
        ScriptedUi ui;
        ui.answer(vb::Cancel, "before quitting?");
        EXPECT_FALSE(f.close());
    }

    // Exactly 20 lines, and blank lines after them, save.
    f.Text1->setPlainText(numberedLines(20) + "\n\n\n");
    ScriptedUi ui;
    ui.file(pf.file("notes.dcf"), "Save As");
    f.mnuSave->trigger();
    ASSERT_EQ(modgw().DateSumFile, pf.file("notes.dcf"));
    EXPECT_EQ(modgw().ReportDirty, 0);
    const QByteArray twenty = readRaw(pf.file("notes.dcf"));
    const QStringList lines = linesOf(pf.file("notes.dcf"));
    EXPECT_EQ(lines[lines.size() - 21], "20");
    EXPECT_EQ(lines.last(), "Note 20: Fe & Mn (ug/L)");

    // 21 lines: the message, nothing written, the change still to be saved, the form stays open.
    f.Text1->setPlainText(numberedLines(21));
    ASSERT_EQ(modgw().ReportDirty, 1);
    ui.answer(vb::OK, kTooManyNotes);
    f.mnuSave->trigger();
    EXPECT_EQ(ui.styles.last() & vb::Exclamation, vb::Exclamation);
    EXPECT_EQ(ui.titles.last(), titleEmpty);
    EXPECT_EQ(readRaw(pf.file("notes.dcf")), twenty);
    EXPECT_EQ(modgw().ReportDirty, 1);
    EXPECT_EQ(modgw().ReportNotes.GeneralNoteCount, 20);
    ui.answer(vb::Yes, "before quitting?").answer(vb::OK, kTooManyNotes);
    EXPECT_FALSE(f.close());
    ui.answer(vb::No, "before quitting?");
    EXPECT_TRUE(f.close());
}

TEST_F(DateContourForm, AThreeDViewOfTwoParametersWarnsAndStillSaves) {
    frmDateContour& f = form();
    pickParam(f, 1, 1);
    pickParam(f, 2, 3);
    ScriptedUi ui;
    f.SS4->setText(7, 1, "3D");
    ui.file(pf.file("view.dcf"), "Save As").answer(vb::OK, kViewWarning);
    f.mnuSave->trigger();
    EXPECT_EQ(ui.styles.last(), vb::OKOnly);
    EXPECT_EQ(ui.titles.last(), QString());
    EXPECT_EQ(linesOf(pf.file("view.dcf")).mid(0, 3), QStringList({"2", "1", "3"}));
    EXPECT_EQ(modgw().ReportDirty, 0);

    f.SS4->setText(7, 1, "3D,30,45");
    const int boxes = int(ui.texts.size());
    f.mnuSave->trigger();
    EXPECT_EQ(ui.texts.size(), boxes);
    EXPECT_EQ(linesOf(pf.file("view.dcf"))[2 + 2 + 6 + 6], "3D,30,45");
}

TEST_F(DateContourForm, NewKeepsTheMethodAndScaleAndEmptiesTheRest) {
    const QString path = savedDefinition("plume.dcf");
    modgw().LastDateContourFile = path;
    frmDateContour& f = form();
    for (int r : {1, 2, 3, 6, 7})
        f.SS4->setText(r, 1, QStringLiteral("row %1").arg(r));
    pickSource(f, 2, 1);
    ASSERT_EQ(f.SS4->text(4, 1), "Kriging");
    ScriptedUi ui;
    ui.answer(vb::No, "before starting a new file?");
    f.mnuNew->trigger();
    EXPECT_EQ(f.SS4->text(4, 1), "Kriging");
    EXPECT_EQ(f.SS4->text(5, 1), "Exaggerated");
    for (int r : {1, 2, 3, 6, 7})
        EXPECT_EQ(f.SS4->text(r, 1), "") << r;
    EXPECT_EQ(f.SS1->usedRowCount(), 0);
    EXPECT_EQ(f.SS2->usedRowCount(), 0);
    EXPECT_EQ(f.SS3->text(1, 1), "");
    EXPECT_EQ(f.Text1->toPlainText(), "");
    EXPECT_EQ(modgw().ReportDirty, 0); // New writes nothing the user changed
    EXPECT_EQ(modgw().DateSumFile, path);
    EXPECT_EQ(modgw().ContourFileTitle, "PLUME.DCF");
    // The method and scale the form kept are saved with the next definition.
    f.mnuSave->trigger();
    const QStringList lines = linesOf(path);
    EXPECT_EQ(lines.mid(2 + 6, 7), QStringList({"", "", "", "Kriging", "Exaggerated", "", ""}));
}

TEST_F(DateContourForm, TheFileTitleFollowsReopeningOpenAndSaveAs) {
    modgw().LastDateContourFile = savedDefinition("Site Plume.dcf");
    frmDateContour& f = form();
    EXPECT_EQ(modgw().ContourFileTitle, "SITE PLUME.DCF");
    EXPECT_EQ(f.SS1->text(1, 1), "TCE");
    EXPECT_EQ(f.Text1->toPlainText(), "First note\nSecond note\n");
    EXPECT_EQ(modgw().ReportDirty, 0); // filling the notes box is no edit

    ScriptedUi ui;
    ui.file(savedDefinition("north.dcf"), "Open");
    f.mnuOpen->trigger();
    EXPECT_EQ(ui.fileRequests.value(0).filter, "Date Contour Files (*.dcf)|*.dcf|");
    EXPECT_EQ(modgw().ContourFileTitle, "NORTH.DCF");

    ui.file(pf.file("east"), "Save As");
    f.mnuSaveAs->trigger();
    EXPECT_EQ(modgw().DateSumFile, pf.file("east.dcf"));
    EXPECT_EQ(modgw().ContourFileTitle, "EAST.DCF");

    // Cancelled, nothing changes.
    ui.file(QString(), "Save As");
    f.mnuSaveAs->trigger();
    ui.file(QString(), "Open");
    f.mnuOpen->trigger();
    EXPECT_EQ(modgw().ContourFileTitle, "EAST.DCF");
}

TEST_F(DateContourForm, PreviewRunsTheContourMapsAndBatchPrintHandsOverSixPointOne) {
    frmDateContour& f = form();
    ScriptedUi ui;
    ui.answer(vb::OK, "You must create or open a date contour file.");
    ui.answer(vb::OK, "You must create or open a date contour file.");
    f.mnuDraw->trigger();
    f.mnuBatchPrint->trigger();
    EXPECT_TRUE(runCodes.isEmpty());

    ui.file(savedDefinition("p.dcf"), "Open");
    f.mnuOpen->trigger();
    modgw().ReportCode = 2;
    f.mnuDraw->trigger();
    EXPECT_EQ(runCodes, QList<float>({-1}));
    EXPECT_EQ(modgw().ReportCode, 2.0f); // Preview hands no code over
    f.mnuBatchPrint->trigger();
    ASSERT_EQ(runCodes.size(), 2);
    EXPECT_FLOAT_EQ(runCodes[1], 6.1f);

    // A change is offered for saving before the run; Yes writes it first, so the run reads it.
    f.show();
    click(f.SS3, 1, 1);
    f.SS3->setText(1, 1, "Revised");
    reportDefHooks().runDateContour = [this] {
        runCodes << -1;
        EXPECT_EQ(readDateContourFile(pf.file("p.dcf")).Definition.DateInfo[1], "Revised");
    };
    ui.answer(vb::Yes, "before drawing to the screen?");
    f.mnuDraw->trigger();
    EXPECT_EQ(runCodes.size(), 3);
    EXPECT_EQ(modgw().ReportDirty, 0);
}

TEST(DateContourRun, DrawsTheMapsOnlyAfterTheDataStepSucceeded) {
    QStringList steps;
    bool dataWritten = true;
    const auto run = DateContourRun(
        [&] {
            steps << "data";
            return dataWritten;
        },
        [&] { steps << "maps"; });
    run();
    EXPECT_EQ(steps, QStringList({"data", "maps"}));
    dataWritten = false;
    steps.clear();
    run();
    EXPECT_EQ(steps, QStringList({"data"}));
    // Unfilled steps do nothing.
    DateContourRun(nullptr, [&] { steps << "maps"; })();
    DateContourRun([] { return true; }, nullptr)();
    EXPECT_EQ(steps, QStringList({"data"}));
}

TEST_F(DateContourForm, EditModeSwitchesTheTwoInformationGridsAndClicksAskBeforeClosing) {
    frmDateContour& f = form();
    expectEditModeSwitches(f.Command1, {f.SS3, f.SS4}, {f.SS1, f.SS2});
    forms::unload<frmDateContour>();
    using F = frmDateContour;
    expectReplaceOnEdit<F>({&F::SS3, &F::SS4}, {&F::SS1, &F::SS2});
    expectClicksAskBeforeClosing<frmDateContour>({"SS1", "SS2", "SS3", "SS4"}, {"SS1"});
}

TEST_F(DateContourForm, ClosingEmptiesTheNotesAndEpisodesAndKeepsItsOwnLastFile) {
    const QString path = savedDefinition("last.dcf");
    modgw().LastDateSumFile = path; // the date summary's: this form does not reopen it
    frmDateContour& f = form();
    EXPECT_EQ(modgw().DateSumFile, "");
    EXPECT_EQ(f.SS1->text(1, 1), "");
    ScriptedUi ui;
    ui.file(path, "Open");
    f.mnuOpen->trigger();
    modgw().DateSum.DateEpisodeCount = 2;
    modgw().ReportNotes.ItemNoteCount[1] = 1;
    modgw().ReportNotes.ItemNotes[1][1] = "item";
    f.mnuExit->trigger();
    forms::unload<frmDateContour>();
    expectNotesForgotten(modgw().DateSum.DateEpisodeCount);
    EXPECT_EQ(modgw().LastDateContourFile, path);
    frmDateContour& again = form();
    EXPECT_EQ(again.SS1->text(1, 1), "TCE");
}

TEST_F(DateContourForm, AStoredParameterOutsideTheProjectShowsNoNameAndTheRestFills) {
    DateContourDefinition d;
    d.DateParCount = 2;
    d.DateParams = {0, 9, 1};
    d.DateInfo[6] = "Page 2";
    writeDateContourFile(pf.file("odd.dcf"), d, ReportNotesBlock{});
    modgw().LastDateContourFile = pf.file("odd.dcf");
    frmDateContour& f = form();
    EXPECT_EQ(f.SS1->text(1, 1), "");
    EXPECT_EQ(f.SS1->text(2, 1), "pH");
    EXPECT_EQ(f.SS3->text(6, 1), "Page 2");
}
