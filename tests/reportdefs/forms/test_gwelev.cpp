// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/frmdatagrid.h"
#include "platform/gui/forms.h"
#include "platform/gui/spreadgrid.h"
#include "project/modgw.h"
#include "reportdefs/forms/frmgwelev.h"
#include "reportdefs/forms/frmwellnotes.h"
#include "reportdefs/gwelevfile.h"
#include "reportdefs/notesedit.h"
#include "support/scriptedui.h"
#include "reportformtest.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

// The sources' reference elevations: MW-1 101.25, MW-2 99.8, O'Brien 3 100.02, SP-4 none.
class GWElevForm : public ReportFormTest<frmGWElev> {
protected:
    // A saved definition: Elev as elevations, set 1 MW-1 and MW-2 with a scale, a title and notes.
    QString savedDefinition(const QString& name = QStringLiteral("saved.gwf")) {
        GWElevDefinition d;
        d.GWElevParameter = 5;
        d.GWElevKind = "E";
        d.GWElevSetCount = 1;
        d.GWElevSetSources[1][1] = "MW-1";
        d.GWElevSetValues[1][1] = "101.25";
        d.GWElevSetSources[1][2] = "MW-2";
        d.GWElevSetValues[1][2] = "99.8";
        d.GWElevSetScales[1] = "95,105,1";
        d.GWElevInfo[1] = "Water levels";
        ReportNotesBlock n;
        n.GeneralNoteCount = 1;
        n.GeneralNotes[1] = "Measured from top of casing.";
        n.ItemNoteCount[1] = 1;
        n.ItemNotes[1][1] = "Pair upgradient";
        writeGWElevFile(pf.file(name), d, n);
        return pf.file(name);
    }
};

TEST_F(GWElevForm, MenusListsAndGridsCarryTheirCaptions) {
    frmGWElev& f = form();
    expectMenus(f, "Groundwater Elevation Graph", "&Return to Main Menu", "&Delete Well");
    EXPECT_EQ(f.Command1->text(), "Edit Mode");
    EXPECT_EQ(f.Command2->text(), "Edit Notes");
    EXPECT_EQ(f.Label1->text(), "Master Parameter List");
    EXPECT_EQ(f.Label2->text(), "Master Source List");
    EXPECT_EQ(f.Label3->text(), "Parameter Information");
    EXPECT_EQ(f.Label4->text(), "Source Sets");
    EXPECT_EQ(f.Label5->text(), "Report Information");
    ASSERT_EQ(f.List1->count(), 5);
    EXPECT_EQ(f.List1->item(4)->text(), "5) Elev");
    ASSERT_EQ(f.List2->count(), 4);
    EXPECT_EQ(f.List2->item(2)->text(), "3) O'Brien 3");
    EXPECT_EQ(f.SS1->maxRows(), 50);
    EXPECT_EQ(f.SS1->maxCols(), 5);
    EXPECT_EQ(f.SS1->columnHeader(1), "Source 1");
    EXPECT_EQ(f.SS1->columnHeader(4), "Source 4");
    EXPECT_EQ(f.SS1->columnHeader(5), "Scale: St, End, Inc");
    EXPECT_EQ(f.SS2->maxRows(), 2);
    EXPECT_EQ(f.SS2->maxCols(), 1);
    EXPECT_EQ(f.SS2->rowHeader(1), "Parameter #");
    EXPECT_EQ(f.SS2->rowHeader(2), "Depth/Elev. (D/E)");
    EXPECT_EQ(f.SS3->maxRows(), 4);
    EXPECT_EQ(f.SS3->rowHeader(1), "Main Title");
    EXPECT_EQ(f.SS3->rowHeader(4), "Sec. Title, Line 3");
    for (QWidget* w : std::initializer_list<QWidget*>{f.SS1, f.SS2, f.SS3, f.List1, f.List2})
        EXPECT_EQ(w->accessibleName(), w->objectName());
    // Every column in full view: a grid that scrolls sideways hides the start of its texts.
    f.show();
    for (SpreadGrid* g : {f.SS1, f.SS2, f.SS3}) {
        g->setActiveCell(g->maxRows(), g->maxCols());
        EXPECT_EQ(g->horizontalScrollBar()->maximum(), 0) << g->objectName().toStdString();
    }
    f.hide();
    EXPECT_EQ(f.Kind().openFilter, "Groundwater Graph Files (*.gwf)|*.gwf|");
    EXPECT_EQ(f.Kind().saveFilter, "Grounwater Graph Files (*.gwf)|*.gwf|");
}

TEST_F(GWElevForm, FourSourcePicksFillASetAndMoveOnToTheNextRow) {
    frmGWElev& f = form();
    f.SS1->setActiveCell(1, 1);
    for (int s : {1, 2, 3, 4})
        pickSource(f, s);
    EXPECT_EQ(f.SS1->text(1, 1), "MW-1");
    EXPECT_EQ(f.SS1->text(1, 3), "O'Brien 3");
    EXPECT_EQ(f.SS1->text(1, 4), "SP-4");
    EXPECT_EQ(f.SS1->activeRow(), 2);
    EXPECT_EQ(f.SS1->activeCol(), 1);
    const GWElevDefinition& d = modgw().GWElev;
    EXPECT_EQ(d.GWElevSetSources[1][2], "MW-2");
    EXPECT_EQ(d.GWElevSetValues[1][1], "101.25");
    EXPECT_EQ(d.GWElevSetValues[1][4], "");
    EXPECT_EQ(d.GWElevSetCount, 0); // picks do not count sets
    EXPECT_EQ(modgw().ReportDirty, 1);

    // The reference elevation is the one of the moment of the pick.
    modgw().SourceTable[1][4] = "102";
    pickSource(f, 1);
    EXPECT_EQ(d.GWElevSetValues[2][1], "102");
    EXPECT_EQ(d.GWElevSetValues[1][1], "101.25");

    // In the scale column a pick and Delete Well do nothing: there is no fifth position.
    f.SS1->setText(2, 5, "90,110,5");
    f.SS1->setActiveCell(2, 5);
    modgw().ReportDirty = 0;
    pickSource(f, 2);
    f.mnuDelete->trigger();
    EXPECT_EQ(f.SS1->text(2, 5), "90,110,5");
    EXPECT_EQ(f.SS1->activeRow(), 2);
    EXPECT_EQ(f.SS1->activeCol(), 5);
    EXPECT_EQ(modgw().ReportDirty, 0);

    // The last set: after its fourth position the caret stays in that row.
    f.SS1->setActiveCell(50, 4);
    pickSource(f, 3);
    EXPECT_EQ(f.SS1->text(50, 4), "O'Brien 3");
    EXPECT_EQ(f.SS1->activeRow(), 50);
    EXPECT_EQ(f.SS1->activeCol(), 4);
}

TEST_F(GWElevForm, DeleteWellEmptiesOnePositionAndMovesNothing) {
    frmGWElev& f = form();
    f.SS1->setActiveCell(1, 1);
    for (int s : {1, 2, 3})
        pickSource(f, s);
    modgw().ReportDirty = 0;
    f.SS1->setActiveCell(1, 2);
    f.mnuDelete->trigger();
    const GWElevDefinition& d = modgw().GWElev;
    EXPECT_EQ(f.SS1->text(1, 2), "");
    EXPECT_EQ(d.GWElevSetSources[1][2], "");
    EXPECT_EQ(d.GWElevSetValues[1][2], "");
    EXPECT_EQ(f.SS1->text(1, 3), "O'Brien 3");
    EXPECT_EQ(d.GWElevSetValues[1][3], "100.02");
    EXPECT_EQ(f.SS1->activeCol(), 2);
    EXPECT_EQ(modgw().ReportDirty, 1);
}

TEST_F(GWElevForm, TheParameterPickFillsOnlyEmptyScalesOfTheUsedRows) {
    frmGWElev& f = form();
    f.SS1->setActiveCell(1, 1);
    pickSource(f, 1);
    f.SS1->setActiveCell(3, 1);
    pickSource(f, 2);
    f.SS1->setText(2, 5, "typed");
    pickParameter(f, 5);
    EXPECT_EQ(f.SS2->text(1, 1), "5");
    EXPECT_EQ(modgw().GWElev.GWElevParameter, 5);
    EXPECT_EQ(modgw().GWElev.GWElevSetCount, 3);
    EXPECT_EQ(f.SS1->text(1, 5), "90,110,5");
    EXPECT_EQ(f.SS1->text(2, 5), "typed"); // an empty row inside the sets still counts
    EXPECT_EQ(f.SS1->text(3, 5), "90,110,5");

    // A set added later gets no scale until the next pick; then the other scales stay.
    f.SS1->setActiveCell(4, 1);
    pickSource(f, 3);
    EXPECT_EQ(f.SS1->text(4, 5), "");
    pickParameter(f, 1);
    EXPECT_EQ(f.SS2->text(1, 1), "1");
    EXPECT_EQ(f.SS1->text(1, 5), "90,110,5");
    EXPECT_EQ(f.SS1->text(4, 5), "6,9,.5");
    EXPECT_EQ(modgw().GWElev.GWElevSetCount, 4);
}

TEST_F(GWElevForm, SourceCellsTakeNoTypingAndSaveWhatWasPicked) {
    const QString path = pf.file("typed.gwf");
    frmGWElev& f = form();
    f.show();
    f.SS1->setActiveCell(1, 1);
    pickSource(f, 2);
    pickSource(f, 1);
    // Typing over a source is refused; the scale, the parameter and the titles take it.
    f.SS1->setActiveCell(1, 1);
    f.SS1->setFocus();
    QTest::keyClicks(f.SS1, "Typed");
    QTest::keyClick(f.SS1, Qt::Key_Return);
    f.SS1->setActiveCell(1, 1);
    QTest::keyClick(f.SS1, Qt::Key_Delete);
    EXPECT_EQ(f.SS1->text(1, 1), "MW-2");
    f.SS1->setActiveCell(1, 5);
    QTest::keyClicks(f.SS1, "0,10,2");
    QTest::keyClick(f.SS1, Qt::Key_Return);
    f.SS2->setActiveCell(1, 1);
    f.SS2->setFocus();
    QTest::keyClicks(f.SS2, "7");
    QTest::keyClick(f.SS2, Qt::Key_Return);
    QTest::keyClicks(f.SS2, "d");
    QTest::keyClick(f.SS2, Qt::Key_Return);
    f.SS3->setText(2, 1, "  Q3 ");
    ScriptedUi ui;
    ui.file(path, "Save As");
    f.mnuSave->trigger();
    f.hide();
    EXPECT_EQ(ui.fileRequests.value(0).filter, "Grounwater Graph Files (*.gwf)|*.gwf|");
    QStringList lines = {"7", "d", "1", "MW-2", "99.8", "MW-1", "101.25", "", "", "", "", "0,10,2",
                         "", "Q3", "", "", "0", "0"};
    EXPECT_EQ(readRaw(path), (lines.join("\r\n") + "\r\n").toLatin1());
    EXPECT_EQ(modgw().GWElevFile, path);
    EXPECT_EQ(modgw().ReportDirty, 0);
}

TEST_F(GWElevForm, AnUnusableParameterNumberIsReportedAndKeepsTheDefinitionChanged) {
    const QString path = savedDefinition();
    modgw().LastGWElevFile = path;
    frmGWElev& f = form();
    ASSERT_EQ(f.SS2->text(1, 1), "5");
    const QByteArray before = readRaw(path);
    for (const auto& [cell, error] : {std::pair{"", 13}, {"7x", 13}, {"70000", 6}}) {
        SCOPED_TRACE(cell);
        f.SS2->setText(1, 1, cell);
        modgw().ReportDirty = 1;
        ScriptedUi ui;
        ui.answer(vb::OK, QStringLiteral("Error %1 in SaveGWElevFile.  Please contact Kalvex").arg(error));
        f.mnuSave->trigger();
        EXPECT_EQ(readRaw(path), before);
        EXPECT_EQ(modgw().ReportDirty, 1);
        EXPECT_EQ(modgw().GWElev.GWElevParameter, 5);
    }
    // Closing asks; Yes shows the error again and the form stays; No closes without saving.
    {
        ScriptedUi ui;
        ui.answer(vb::Yes, "before quitting").answer(vb::OK, "Error 6 in SaveGWElevFile.");
        EXPECT_FALSE(f.close());
        EXPECT_TRUE(forms::isLoaded<frmGWElev>());
        ui.answer(vb::No, "before quitting");
        EXPECT_TRUE(f.close());
    }
    EXPECT_EQ(readRaw(path), before);
    // Blanks around a number are allowed.
    forms::unload<frmGWElev>();
    frmGWElev& g = form();
    g.SS2->setText(1, 1, " 3 ");
    g.mnuSave->trigger();
    EXPECT_EQ(readGWElevFile(path).Definition.GWElevParameter, 3);
    EXPECT_EQ(modgw().ReportDirty, 0);
}

TEST_F(GWElevForm, AClickInAnyGridMarksTheChangeAndClosingThenAsks) {
    modgw().LastGWElevFile = savedDefinition();
    frmGWElev& f = form();
    f.show();
    for (SpreadGrid* g : {f.SS1, f.SS2, f.SS3}) {
        SCOPED_TRACE(g->objectName().toStdString());
        modgw().ReportDirty = 0;
        click(g, 1, 1);
        EXPECT_EQ(modgw().ReportDirty, 1);
    }
    ScriptedUi ui;
    ui.answer(vb::Cancel, "before quitting");
    EXPECT_FALSE(f.close());
    ui.answer(vb::No, "before quitting");
    EXPECT_TRUE(f.close());
}

TEST_F(GWElevForm, EditModeSwitchesTheSetsAndTheTitlesTogether) {
    frmGWElev& f = form();
    EXPECT_FALSE(f.SS1->gridEditMode());
    expectEditModeSwitches(f.Command1, {f.SS1, f.SS3}, {f.SS2});
    forms::unload<frmGWElev>();
    using F = frmGWElev;
    expectReplaceOnEdit<F>({&F::SS1, &F::SS3}, {&F::SS2});
}

TEST_F(GWElevForm, EditNotesRecountsTheSetsAndHandsKindSixOver) {
    frmGWElev& f = form();
    QStringList listed;
    forms::setModalHook([&](QDialog& d) {
        EXPECT_NE(qobject_cast<frmWellNotes*>(&d), nullptr);
        EXPECT_EQ(modgw().ReportCode, 6.0f);
        listed = notesedit::ItemsOf(modgw(), 6);
        d.reject();
    });
    ScriptedUi ui;
    ui.answer(vb::OK, "You must enter at least one source set before editing notes.");
    f.Command2->click();
    EXPECT_EQ(ui.styles.value(0), vb::Exclamation);
    EXPECT_EQ(ui.titles.value(0), titleEmpty);
    EXPECT_TRUE(listed.isEmpty());
    // Sets entered since the last save count; an empty row inside them is a set.
    f.SS1->setText(3, 5, "0,1,1");
    f.SS1->setActiveCell(1, 1);
    pickSource(f, 1);
    f.Command2->click();
    EXPECT_EQ(listed, QStringList({"Set 1", "Set 2", "Set 3"}));
    EXPECT_EQ(modgw().GWElev.GWElevSetCount, 3);
    EXPECT_FALSE(forms::isLoaded<frmWellNotes>());
}

TEST_F(GWElevForm, ClosingEmptiesTheNotesAndReopensTheLastFileOnlyWhileItExists) {
    const QString path = savedDefinition();
    modgw().LastGWElevFile = path;
    {
        frmGWElev& f = form();
        EXPECT_EQ(modgw().GWElevFile, path);
        EXPECT_EQ(f.SS1->text(1, 2), "MW-2");
        EXPECT_EQ(f.SS2->text(2, 1), "E");
        EXPECT_EQ(modgw().ReportNotes.GeneralNoteCount, 1);
        EXPECT_TRUE(f.close());
        forms::unload<frmGWElev>();
    }
    const ModGW& m = modgw();
    expectNotesForgotten(m.GWElev.GWElevSetCount);
    EXPECT_EQ(m.LastGWElevFile, path);

    // Reopened, the file is read again.
    {
        frmGWElev& f = form();
        EXPECT_EQ(f.SS1->text(1, 1), "MW-1");
        EXPECT_EQ(m.ReportNotes.ItemNotes[1][1], "Pair upgradient");
        EXPECT_TRUE(f.close());
        forms::unload<frmGWElev>();
    }

    // With the file gone the form opens empty and without notes, and nothing of the last definition
    // comes back through a save: a set row filled now has only what is picked into it.
    ASSERT_TRUE(QFile::remove(path));
    frmGWElev& f = form();
    EXPECT_EQ(m.GWElevFile, "");
    for (int c = 1; c <= 5; ++c)
        EXPECT_EQ(f.SS1->text(1, c), "") << c;
    EXPECT_EQ(f.SS2->text(1, 1), "");
    EXPECT_EQ(m.ReportNotes.GeneralNoteCount, 0);
    EXPECT_EQ(m.GWElev.GWElevSetSources[1][2], "");
    f.SS1->setActiveCell(1, 1);
    pickSource(f, 3);
    pickParameter(f, 2);
    const QString other = pf.file("other.gwf");
    ScriptedUi ui;
    ui.file(other, "Save As");
    f.mnuSaveAs->trigger();
    const GWElevFileData saved = readGWElevFile(other);
    EXPECT_EQ(saved.Definition.GWElevSetSources[1][1], "O'Brien 3");
    EXPECT_EQ(saved.Definition.GWElevSetSources[1][2], "");
    EXPECT_EQ(saved.Definition.GWElevSetValues[1][2], "");
    EXPECT_EQ(saved.Definition.GWElevKind, "");
    EXPECT_EQ(saved.Definition.GWElevInfo[1], "");
    EXPECT_EQ(saved.Notes.GeneralNoteCount, 0);
}

TEST_F(GWElevForm, PreviewAndBatchPrintHandOverNineAndTen) {
    modgw().LastGWElevFile = savedDefinition();
    frmGWElev& f = form();
    f.mnuDraw->trigger();
    f.mnuBatchPrint->trigger();
    EXPECT_EQ(runCodes, QList<float>({9, 10}));
    // Without a current file: the kind's message and no run.
    f.mnuNew->trigger();
    modgw().GWElevFile.clear();
    ScriptedUi ui;
    ui.answer(vb::OK, "You must create or open a groundwater elevation file.");
    f.mnuDraw->trigger();
    EXPECT_EQ(runCodes.size(), 2);
}

TEST_F(GWElevForm, AScaleThatCannotDrawStopsSavePreviewAndBatchPrint) {
    // A site in metres: "45,50,0.5" would be drawn 100 to 500 by 50, every reading off the graph.
    const QString path = savedDefinition();
    modgw().LastGWElevFile = path;
    frmGWElev& f = form();
    const QByteArray before = readRaw(path);
    const QString refusal = "Source Set 1: the scale \"45,50,0.5\" cannot be drawn as typed.  The scale is "
                            "three whole numbers, bottom, top and step, e.g. \"45,50,1\"";
    f.SS1->setText(1, 5, QStringLiteral("45,50,0.5"));
    modgw().ReportDirty = 1;
    {
        ScriptedUi ui; // Save, and Save before Preview: no run
        ui.answer(vb::OK, refusal).answer(vb::Yes, "before drawing to the screen").answer(vb::OK, refusal);
        f.mnuSave->trigger();
        f.mnuDraw->trigger();
    }
    EXPECT_EQ(readRaw(path), before);
    EXPECT_EQ(modgw().ReportDirty, 1);
    EXPECT_TRUE(runCodes.isEmpty());

    // A file written elsewhere holds such a scale: opened, it is refused at the run too.
    GWElevFileData written = readGWElevFile(path);
    written.Definition.GWElevSetScales[1] = QStringLiteral("45,50");
    writeGWElevFile(path, written.Definition, written.Notes);
    {
        ScriptedUi ui;
        ui.answer(vb::No, "before opening").file(path, "Open");
        f.mnuOpen->trigger();
        ui.answer(vb::OK, "Source Set 1: the scale \"45,50\" cannot be drawn as typed.");
        f.mnuBatchPrint->trigger();
    }
    EXPECT_TRUE(runCodes.isEmpty());
    f.SS1->setText(1, 5, QStringLiteral("45,50,1"));
    modgw().ReportDirty = 1;
    ScriptedUi ui;
    ui.answer(vb::Yes, "before printing");
    f.mnuBatchPrint->trigger();
    EXPECT_EQ(runCodes, QList<float>({10}));
}

TEST_F(GWElevForm, HelpShowsItsPageAndTheMainWindowShowsTheForm) {
    frmGWElev& f = form();
    f.show();
    expectHelpPage(f, "1018.html");
    f.hide();
    forms::unload<frmGWElev>();
    expectShownFromMainWindow<frmGWElev>(&frmDatAGrid::mnuGWElev);
}
