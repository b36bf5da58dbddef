// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/frmdatagrid.h"
#include "platform/gui/forms.h"
#include "platform/gui/spreadgrid.h"
#include "project/modgw.h"
#include "reportdefs/forms/frmstiff.h"
#include "reportdefs/forms/frmwellnotes.h"
#include "reportdefs/notesedit.h"
#include "reportdefs/stifffile.h"
#include "reportdefs/windowhooks.h"
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

// The run dialog's hand-over records the set row counts too.
class StiffForm : public ReportFormTest<frmStiff> {
protected:
    void SetUp() override {
        ReportFormTest::SetUp();
        reportDefHooks().showRunDialog = [this] {
            const StiffDefinition& d = modgw().Stiff;
            runs << Run{modgw().ReportCode, d.StiffParCount[1], d.StiffSourceCount[1], d.StiffParCount[2],
                        d.StiffSourceCount[2]};
        };
    }

    // A saved definition: one episode, Cl and TCE in set 1 with MW-1, SP-4 in set 2, a title, notes.
    QString savedDefinition(const QString& name = QStringLiteral("saved.stf")) {
        StiffDefinition d;
        d.StiffEpisodeCount = 1;
        d.StiffEpisodes[1][1] = "01/01/2001";
        d.StiffEpisodes[2][1] = "03/31/2001";
        d.StiffParams[1][1] = 2;
        d.StiffParams[1][2] = 3;
        d.StiffSources[1][1] = "MW-1";
        d.StiffSources[2][1] = "SP-4";
        d.StiffInfo[1] = "Major ions";
        ReportNotesBlock n;
        n.GeneralNoteCount = 1;
        n.GeneralNotes[1] = "Field filtered.";
        n.ItemNoteCount[1] = 1;
        n.ItemNotes[1][1] = "Dry quarter";
        writeStiffFile(pf.file(name), d, n);
        return pf.file(name);
    }

    struct Run {
        float code;
        int par1, src1, par2, src2;
        bool operator==(const Run&) const = default;
    };
    QList<Run> runs;
};

TEST_F(StiffForm, MenusListsAndGridsCarryTheirCaptions) {
    frmStiff& f = form();
    expectMenus(f, "Stiff Graph Report", "&Return to Main Menu", "&Delete Parameter");
    EXPECT_EQ(f.Command1->text(), "Edit Mode");
    EXPECT_EQ(f.Command2->text(), "Edit Notes");
    EXPECT_EQ(f.Label1->text(), "Master Parameter List");
    EXPECT_EQ(f.Label2->text(), "Master Source List");
    EXPECT_EQ(f.lblSet1->text(), "SET 1");
    EXPECT_EQ(f.lblSet2->text(), "SET 2");
    for (QLabel* l : {f.lblPar1, f.lblPar2})
        EXPECT_EQ(l->text(), "Chosen Parameters");
    for (QLabel* l : {f.lblSrc1, f.lblSrc2})
        EXPECT_EQ(l->text(), "Chosen Sources");
    EXPECT_EQ(f.Label3->text(), "Sampling Episodes");
    EXPECT_EQ(f.Label4->text(), "Report Information");
    EXPECT_EQ(f.List1->item(2)->text(), "3) TCE");
    EXPECT_EQ(f.List2->item(3)->text(), "4) SP-4");
    EXPECT_EQ(f.SS5->maxRows(), 50);
    EXPECT_EQ(f.SS5->maxCols(), 2);
    EXPECT_EQ(f.SS5->columnHeader(1), "Start Date");
    EXPECT_EQ(f.SS5->columnHeader(2), "End Date");
    for (SpreadGrid* g : {f.SS1, f.SS3}) {
        EXPECT_EQ(g->maxRows(), 8);
        EXPECT_EQ(g->maxCols(), 1);
        EXPECT_EQ(g->columnHeader(1), "Par. Name");
    }
    for (SpreadGrid* g : {f.SS2, f.SS4}) {
        EXPECT_EQ(g->maxRows(), 5);
        EXPECT_EQ(g->maxCols(), 1);
        EXPECT_EQ(g->columnHeader(1), "Source");
    }
    EXPECT_EQ(f.SS6->maxRows(), 4);
    EXPECT_EQ(f.SS6->rowHeader(1), "Main Title");
    EXPECT_EQ(f.SS6->rowHeader(3), "Sec. Title, Line 2");
    for (QWidget* w : std::initializer_list<QWidget*>{f.SS1, f.SS2, f.SS3, f.SS4, f.SS5, f.SS6, f.List1, f.List2})
        EXPECT_EQ(w->accessibleName(), w->objectName());
    // Every column in full view: a grid that scrolls sideways hides the start of its texts.
    f.show();
    for (SpreadGrid* g : {f.SS1, f.SS2, f.SS3, f.SS4, f.SS5, f.SS6}) {
        g->setActiveCell(g->maxRows(), g->maxCols());
        EXPECT_EQ(g->horizontalScrollBar()->maximum(), 0) << g->objectName().toStdString();
    }
    f.hide();
}

TEST_F(StiffForm, PicksGoToSetTwoUntilASetOneGridIsClicked) {
    frmStiff& f = form();
    f.show();
    ASSERT_EQ(modgw().StiffActiveSet, 0);
    pickParameter(f, 2);
    pickSource(f, 1);
    EXPECT_EQ(f.SS3->text(1, 1), "Cl");
    EXPECT_EQ(f.SS4->text(1, 1), "MW-1");
    EXPECT_EQ(f.SS1->text(1, 1), "");
    EXPECT_EQ(modgw().Stiff.StiffParams[2][1], 2);
    EXPECT_EQ(modgw().Stiff.StiffSources[2][1], "MW-1");
    EXPECT_TRUE(f.lblSet2->font().bold());

    // A parameter grid chooses its set without marking a change; a source grid marks one too.
    modgw().ReportDirty = 0;
    click(f.SS1, 3, 1);
    EXPECT_EQ(modgw().StiffActiveSet, 1);
    EXPECT_EQ(modgw().ReportDirty, 0);
    EXPECT_TRUE(f.lblSet1->font().bold());
    EXPECT_FALSE(f.lblSet2->font().bold());
    pickParameter(f, 3);
    EXPECT_EQ(f.SS1->text(3, 1), "TCE");
    EXPECT_EQ(modgw().Stiff.StiffParams[1][3], 3);
    modgw().ReportDirty = 0;
    click(f.SS4, 2, 1);
    EXPECT_EQ(modgw().StiffActiveSet, 2);
    EXPECT_EQ(modgw().ReportDirty, 1);
    modgw().ReportDirty = 0;
    click(f.SS2, 1, 1);
    EXPECT_EQ(modgw().StiffActiveSet, 1);
    EXPECT_EQ(modgw().ReportDirty, 1);
    modgw().ReportDirty = 0;
    click(f.SS3, 1, 1);
    EXPECT_EQ(modgw().StiffActiveSet, 2);
    EXPECT_EQ(modgw().ReportDirty, 0);
    for (SpreadGrid* g : {f.SS5, f.SS6}) {
        modgw().ReportDirty = 0;
        click(g, 1, 1);
        EXPECT_EQ(modgw().ReportDirty, 1);
    }
    EXPECT_EQ(modgw().StiffActiveSet, 2);

    // The active set outlives the form, New and Open; a click after a save asks again at closing.
    click(f.SS1, 1, 1);
    ScriptedUi ui;
    ui.answer(vb::No, "before starting a new file");
    f.mnuNew->trigger();
    EXPECT_EQ(modgw().StiffActiveSet, 1);
    click(f.SS2, 1, 1);
    f.hide();
    ui.answer(vb::No, "before quitting");
    EXPECT_TRUE(f.close());
    forms::unload<frmStiff>();
    frmStiff& g = form();
    EXPECT_EQ(modgw().StiffActiveSet, 1);
    EXPECT_TRUE(g.lblSet1->font().bold());
    pickParameter(g, 4);
    EXPECT_EQ(g.SS1->text(1, 1), "Nitrate");
}

TEST_F(StiffForm, PicksMoveDownTheSetAndStayInItsLastRow) {
    modgw().StiffActiveSet = 1;
    frmStiff& f = form();
    for (int p = 1; p <= 5; ++p)
        pickParameter(f, p);
    EXPECT_EQ(f.SS1->text(5, 1), "Elev");
    EXPECT_EQ(f.SS1->activeRow(), 6);
    f.SS1->setActiveCell(8, 1);
    pickParameter(f, 1);
    pickParameter(f, 2); // the caret stayed in row 8
    EXPECT_EQ(f.SS1->text(8, 1), "Cl");
    EXPECT_EQ(f.SS1->activeRow(), 8);
    EXPECT_EQ(modgw().Stiff.StiffParams[1][8], 2);

    f.SS2->setActiveCell(4, 1);
    pickSource(f, 3);
    pickSource(f, 4);
    EXPECT_EQ(f.SS2->text(4, 1), "O'Brien 3");
    EXPECT_EQ(f.SS2->text(5, 1), "SP-4");
    EXPECT_EQ(f.SS2->activeRow(), 5);
    pickSource(f, 1);
    EXPECT_EQ(f.SS2->text(5, 1), "MW-1");
    EXPECT_EQ(modgw().Stiff.StiffSources[1][5], "MW-1");
}

TEST_F(StiffForm, DeleteParameterEmptiesTheRowOfTheActiveSetOnly) {
    modgw().StiffActiveSet = 1;
    frmStiff& f = form();
    pickParameter(f, 1);
    pickParameter(f, 2);
    pickParameter(f, 3);
    pickSource(f, 2);
    modgw().StiffActiveSet = 2;
    pickParameter(f, 4);
    modgw().ReportDirty = 0;
    modgw().StiffActiveSet = 1;
    f.SS1->setActiveCell(2, 1);
    f.mnuDelete->trigger();
    const StiffDefinition& d = modgw().Stiff;
    EXPECT_EQ(f.SS1->text(2, 1), "");
    EXPECT_EQ(d.StiffParams[1][2], 0);
    EXPECT_EQ(f.SS1->text(3, 1), "TCE"); // rows do not move
    EXPECT_EQ(d.StiffParams[1][3], 3);
    EXPECT_EQ(f.SS2->text(1, 1), "MW-2"); // sources are not deleted
    EXPECT_EQ(d.StiffParams[2][1], 4);
    EXPECT_EQ(modgw().ReportDirty, 1);
}

TEST_F(StiffForm, ParameterNamesTakeNoTypingWhileSourcesAndEpisodesAreSavedAsTyped) {
    const QString path = pf.file("typed.stf");
    modgw().StiffActiveSet = 1;
    frmStiff& f = form();
    f.show();
    pickParameter(f, 2);
    f.SS1->setActiveCell(1, 1);
    f.SS1->setFocus();
    QTest::keyClicks(f.SS1, "Na");
    QTest::keyClick(f.SS1, Qt::Key_Return);
    f.SS1->setActiveCell(1, 1);
    QTest::keyClick(f.SS1, Qt::Key_Delete);
    EXPECT_EQ(f.SS1->text(1, 1), "Cl");
    f.SS4->setActiveCell(2, 1);
    f.SS4->setFocus();
    QTest::keyClicks(f.SS4, "Spring B");
    QTest::keyClick(f.SS4, Qt::Key_Return);
    f.SS5->setActiveCell(1, 1);
    f.SS5->setFocus();
    QTest::keyClicks(f.SS5, "3/21/2001");
    QTest::keyClick(f.SS5, Qt::Key_Tab);
    QTest::keyClicks(f.SS5, "6/30/01");
    QTest::keyClick(f.SS5, Qt::Key_Return);
    f.SS5->setText(3, 2, " 12/31/2001 "); // an empty row inside the episodes is an episode too
    f.SS6->setText(1, 1, "Ions");
    ScriptedUi ui;
    ui.file(path, "Save As");
    f.mnuSave->trigger();
    f.hide();
    EXPECT_EQ(ui.fileRequests.value(0).filter, "Stiff Graph Files (*.stf)|*.stf|");
    QStringList lines = {"3", "3/21/2001", "6/30/01", "", "", "", "12/31/2001"};
    lines << "2" << "0" << "0" << "0" << "0" << "0" << "0" << "0" << "" << "" << "" << "" << "";
    lines << "0" << "0" << "0" << "0" << "0" << "0" << "0" << "0" << "" << "Spring B" << "" << "" << "";
    lines << "Ions" << "" << "" << "" << "0" << "0" << "0" << "0";
    EXPECT_EQ(readRaw(path), (lines.join("\r\n") + "\r\n").toLatin1());
    EXPECT_EQ(modgw().ReportDirty, 0);
}

TEST_F(StiffForm, EditModeSwitchesEpisodesAndTitlesTogether) {
    frmStiff& f = form();
    for (SpreadGrid* g : {f.SS1, f.SS2, f.SS3, f.SS4})
        EXPECT_FALSE(g->gridEditMode());
    expectEditModeSwitches(f.Command1, {f.SS5, f.SS6}, {f.SS1, f.SS2, f.SS3, f.SS4});
    forms::unload<frmStiff>();
    using F = frmStiff;
    expectReplaceOnEdit<F>({&F::SS5, &F::SS6}, {&F::SS1, &F::SS2, &F::SS3, &F::SS4});
}

TEST_F(StiffForm, EditNotesRecountsTheEpisodesFromTheGridAndHandsKindFiveOver) {
    frmStiff& f = form();
    QStringList listed;
    forms::setModalHook([&](QDialog& d) {
        EXPECT_NE(qobject_cast<frmWellNotes*>(&d), nullptr);
        EXPECT_EQ(modgw().ReportCode, 5.0f);
        listed = notesedit::ItemsOf(modgw(), 5);
        d.reject();
    });
    ScriptedUi ui;
    ui.answer(vb::OK, "You must enter at least one sampling episode before editing notes.");
    f.Command2->click();
    EXPECT_EQ(ui.styles.value(0), vb::Exclamation);
    EXPECT_EQ(ui.titles.value(0), titleEmpty);
    EXPECT_TRUE(listed.isEmpty());
    f.SS5->setText(1, 1, "1/1/01");
    f.SS5->setText(1, 2, "3/1/01");
    f.SS5->setText(3, 1, "7/1/01");
    f.Command2->click();
    EXPECT_EQ(listed, QStringList({"1/1/01-3/1/01", "-", "7/1/01-"}));
    EXPECT_EQ(modgw().Stiff.StiffEpisodeCount, 3);
    EXPECT_EQ(modgw().Stiff.StiffEpisodes[1][3], "7/1/01");
    EXPECT_FALSE(forms::isLoaded<frmWellNotes>());
}

TEST_F(StiffForm, PreviewAndBatchPrintStoreTheSetRowCountsBeforeTheHandOver) {
    modgw().LastStiffFile = savedDefinition();
    frmStiff& f = form();
    // The file gives set 1 two parameters and one source, set 2 one source.
    f.mnuDraw->trigger();
    // Rows picked since, and a source typed into row 4 of set 2, count at the next run.
    modgw().StiffActiveSet = 2;
    f.SS3->setActiveCell(6, 1);
    pickParameter(f, 1);
    f.SS4->setText(4, 1, "Spring B");
    ScriptedUi ui;
    ui.answer(vb::No, "before printing");
    f.mnuBatchPrint->trigger();
    EXPECT_EQ(runs, QList<Run>({{7, 2, 1, 0, 1}, {8, 2, 1, 6, 4}}));
    // Cancelled at the prompt, nothing is handed over.
    modgw().ReportDirty = 1;
    ui.answer(vb::Cancel, "before drawing to the screen");
    f.mnuDraw->trigger();
    EXPECT_EQ(runs.size(), 2);
    // Without a current file: the kind's message and no run.
    modgw().ReportDirty = 0;
    modgw().StiffFile.clear();
    ui.answer(vb::OK, "You must create or open a stiff graph file.");
    f.mnuDraw->trigger();
    EXPECT_EQ(runs.size(), 2);
}

TEST_F(StiffForm, ClosingEmptiesTheNotesAndReopensTheLastFileOnlyWhileItExists) {
    const QString path = savedDefinition();
    modgw().LastStiffFile = path;
    {
        frmStiff& f = form();
        EXPECT_EQ(modgw().StiffFile, path);
        EXPECT_EQ(f.SS1->text(2, 1), "TCE");
        EXPECT_EQ(f.SS4->text(1, 1), "SP-4");
        EXPECT_EQ(f.SS5->text(1, 2), "03/31/2001");
        EXPECT_EQ(modgw().ReportNotes.ItemNoteCount[1], 1);
        EXPECT_TRUE(f.close());
        forms::unload<frmStiff>();
    }
    const ModGW& m = modgw();
    expectNotesForgotten(m.Stiff.StiffEpisodeCount);
    EXPECT_EQ(m.LastStiffFile, path);

    // With the file gone the form opens empty and without notes, and a save writes nothing of the
    // last definition: its parameter numbers are not behind the empty rows.
    ASSERT_TRUE(QFile::remove(path));
    frmStiff& f = form();
    EXPECT_EQ(m.StiffFile, "");
    EXPECT_EQ(f.SS1->text(1, 1), "");
    EXPECT_EQ(f.SS5->text(1, 1), "");
    EXPECT_EQ(m.ReportNotes.GeneralNoteCount, 0);
    EXPECT_EQ(m.Stiff.StiffParams[1][2], 0);
    EXPECT_EQ(m.Stiff.StiffSources[2][1], "");
    const QString other = pf.file("other.stf");
    ScriptedUi ui;
    ui.file(other, "Save As");
    f.mnuSaveAs->trigger();
    QStringList lines = {"0"};
    for (int s = 0; s < 2; ++s)
        lines << "0" << "0" << "0" << "0" << "0" << "0" << "0" << "0" << "" << "" << "" << "" << "";
    lines << "" << "" << "" << "" << "0";
    EXPECT_EQ(readRaw(other), (lines.join("\r\n") + "\r\n").toLatin1());
}

TEST_F(StiffForm, AParameterTheProjectLacksShowsNoNameAndTheRestIsFilled) {
    StiffDefinition d;
    d.StiffParams[1][1] = 999;
    d.StiffParams[1][2] = 1;
    d.StiffSources[1][1] = "MW-2";
    d.StiffInfo[1] = "Old project";
    writeStiffFile(pf.file("old.stf"), d, ReportNotesBlock{});
    modgw().LastStiffFile = pf.file("old.stf");
    frmStiff& f = form();
    EXPECT_EQ(f.SS1->text(1, 1), "");
    EXPECT_EQ(f.SS1->text(2, 1), "pH");
    EXPECT_EQ(f.SS2->text(1, 1), "MW-2");
    EXPECT_EQ(f.SS6->text(1, 1), "Old project");
    EXPECT_EQ(modgw().Stiff.StiffParams[1][1], 999);
}

TEST_F(StiffForm, HelpShowsItsPageAndTheMainWindowShowsTheForm) {
    frmStiff& f = form();
    f.show();
    expectHelpPage(f, "1017.html");
    f.hide();
    forms::unload<frmStiff>();
    expectShownFromMainWindow<frmStiff>(&frmDatAGrid::mnuStiff);
}
