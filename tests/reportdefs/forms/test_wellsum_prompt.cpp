// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/faultydisk.h"
#include "support/scriptedui.h"
#include "wellsumfixture.h"

#include <QAction>
#include <tuple>

// The save-first prompt before New, Open, Preview, Batch Print and closing, and Save and Save As
// behind it.

namespace {

enum class Action { New, Open, Preview, BatchPrint, Close };

const char* name(Action a) {
    switch (a) {
    case Action::New: return "New";
    case Action::Open: return "Open";
    case Action::Preview: return "Preview";
    case Action::BatchPrint: return "BatchPrint";
    case Action::Close: return "Close";
    }
    return "";
}

QString promptOf(Action a) {
    switch (a) {
    case Action::New: return "Would you like to save the current file before starting a new file?";
    case Action::Open: return "Would you like to save the current file before opening another file?";
    case Action::Preview: return "Would you like to save the current file before drawing to the screen?";
    case Action::BatchPrint: return "Would you like to save the current file before printing?";
    case Action::Close: return "Would you like to save the current file before quitting?";
    }
    return {};
}

class SaveFirstMatrix : public WellSumForm, public ::testing::WithParamInterface<std::tuple<Action, int>> {};

// Runs the action; Open's dialog, when it comes, is planned cancelled. True when the form is still
// open.
bool run(frmWellSum& f, Action a, ScriptedUi& ui, bool goesOn = true) {
    switch (a) {
    case Action::New: f.mnuNew->trigger(); break;
    case Action::Open:
        if (goesOn) ui.file(QString(), "Open");
        f.mnuOpen->trigger();
        break;
    case Action::Preview: f.mnuDraw->trigger(); break;
    case Action::BatchPrint: f.mnuBatchPrint->trigger(); break;
    case Action::Close: return !f.close();
    }
    return true;
}

} // namespace

TEST_P(SaveFirstMatrix, TheAnswerDecidesWhatIsSavedAndWhetherTheActionGoesOn) {
    const auto [action, answer] = GetParam();
    const QString path = savedDefinition();
    modgw().LastWellSumFile = path;
    frmWellSum& f = form();
    ASSERT_EQ(modgw().WellSumFile, path);
    pick(f, 5, 1); // pH into slot 5: the definition is changed
    ASSERT_EQ(modgw().ReportDirty, 1);
    const QByteArray before = readRaw(path);

    ScriptedUi ui;
    ui.answer(answer, promptOf(action));
    const bool goesOn = answer != vb::Cancel;
    const bool open = run(f, action, ui, goesOn);

    EXPECT_EQ(ui.styles.value(0), vb::YesNoCancel | vb::Question);
    EXPECT_EQ(ui.titles.value(0), titleEmpty);
    const ModGW& m = modgw();
    EXPECT_EQ(m.ReportDirty, goesOn ? 0 : 1);
    // Yes writes the changed definition to its file first; No and Cancel leave the file.
    if (answer == vb::Yes) EXPECT_EQ(readWellSumFile(path).Definition.WellSumGrid[5][1], "1");
    else EXPECT_EQ(readRaw(path), before);
    EXPECT_EQ(m.WellSumFile, path);

    switch (action) {
    case Action::New: EXPECT_EQ(f.SS->text(1, 3), goesOn ? "" : "3"); break;
    case Action::Open: EXPECT_EQ(ui.fileRequests.size(), goesOn ? 1 : 0); break;
    case Action::Preview: EXPECT_EQ(runCodes, goesOn ? QList<float>{1} : QList<float>{}); break;
    case Action::BatchPrint: EXPECT_EQ(runCodes, goesOn ? QList<float>{2} : QList<float>{}); break;
    case Action::Close:
        EXPECT_EQ(open, !goesOn);
        EXPECT_EQ(m.LastWellSumFile, path);
        break;
    }
    if (!goesOn) EXPECT_EQ(f.SS->text(1, 5), "1"); // Cancel keeps the changes on the form
}

INSTANTIATE_TEST_SUITE_P(WellSum, SaveFirstMatrix,
                         ::testing::Combine(::testing::Values(Action::New, Action::Open, Action::Preview,
                                                              Action::BatchPrint, Action::Close),
                                            ::testing::Values(vb::Yes, vb::No, vb::Cancel)),
                         [](const auto& info) {
                             const int a = std::get<1>(info.param);
                             return std::string(name(std::get<0>(info.param))) +
                                    (a == vb::Yes ? "Yes" : a == vb::No ? "No" : "Cancel");
                         });

TEST_F(WellSumForm, AnUnchangedDefinitionAsksNothing) {
    modgw().LastWellSumFile = savedDefinition();
    for (const Action a : {Action::New, Action::Open, Action::Preview, Action::BatchPrint, Action::Close}) {
        SCOPED_TRACE(name(a));
        frmWellSum& f = form();
        ScriptedUi ui;
        const bool open = run(f, a, ui);
        EXPECT_EQ(ui.titles.size(), 0);
        if (a == Action::Close) EXPECT_FALSE(open);
        forms::unload<frmWellSum>();
    }
    EXPECT_EQ(runCodes, QList<float>({1, 2}));
}

TEST_F(WellSumForm, YesWithACancelledSaveAsStopsTheActionAsCancelDoes) {
    frmWellSum& f = form();
    pick(f, 2, 3);
    ScriptedUi ui;
    for (QAction* a : {f.mnuDraw, f.mnuNew}) {
        ui.answer(vb::Yes).file(QString(), "Save As");
        a->trigger();
    }
    ui.answer(vb::Yes).file(QString(), "Save As");
    EXPECT_FALSE(f.close());
    EXPECT_TRUE(runCodes.isEmpty()); // and no "You must create or open ..." either
    EXPECT_EQ(modgw().ReportDirty, 1);
    EXPECT_EQ(modgw().DialogFileName, "");
    EXPECT_EQ(f.SS->text(1, 2), "3");
    EXPECT_EQ(ui.texts.size(), 6);
}

TEST_F(WellSumForm, YesWithAFailedWriteStopsTheActionAndKeepsTheFileAndPath) {
    const QString path = savedDefinition();
    modgw().LastWellSumFile = path;
    frmWellSum& f = form();
    pick(f, 4, 2);
    const QByteArray before = readRaw(path);
    ScriptedUi ui;
    ui.answer(vb::Yes, "before quitting").answer(vb::OK, "in SaveWellFile.");
    {
        FileSizeLimit limit(64);
        EXPECT_FALSE(f.close());
    }
    EXPECT_EQ(readRaw(path), before);
    EXPECT_EQ(modgw().ReportDirty, 1);
    EXPECT_EQ(modgw().LastWellSumFile, path); // as it was: the form did not close
    ui.answer(vb::No, "before quitting");
    EXPECT_TRUE(f.close());
}

TEST_F(WellSumForm, SaveAsTakesThePathOnlyOnceWrittenAndAddsTheExtension) {
    const QString path = savedDefinition();
    modgw().LastWellSumFile = path;
    frmWellSum& f = form();
    pick(f, 2, 1);
    ScriptedUi ui;
    ui.file(pf.file("missing/elsewhere.wsf"), "Save As").answer(vb::OK, "in SaveWellFile.");
    f.mnuSaveAs->trigger();
    EXPECT_EQ(modgw().WellSumFile, path);
    EXPECT_EQ(modgw().ReportDirty, 1);
    ASSERT_EQ(ui.fileRequests.size(), 1);
    const FileDialogRequest r = ui.fileRequests[0];
    EXPECT_TRUE(r.save);
    EXPECT_TRUE(r.overwritePrompt);
    EXPECT_EQ(r.filter, "Well/Source Summary Files (*.wsf)|*.wsf|");
    EXPECT_EQ(r.fileName, path); // the current path is proposed
    EXPECT_EQ(r.defaultExt, "");

    ui.file(pf.file("quarterly"), "Save As");
    f.mnuSaveAs->trigger();
    EXPECT_EQ(modgw().WellSumFile, pf.file("quarterly.wsf"));
    EXPECT_EQ(modgw().DialogFileName, pf.file("quarterly.wsf"));
    EXPECT_EQ(modgw().ReportDirty, 0);
    EXPECT_EQ(readWellSumFile(pf.file("quarterly.wsf")).Definition.WellSumGrid[2][6], "6.5-8.5");
}

TEST_F(WellSumForm, SaveWithoutAPathIsSaveAsAndAfterNewOverwritesWithoutADialog) {
    frmWellSum& f = form();
    f.SSRepInfo->setText(1, 1, "  Quarterly report ");
    ScriptedUi ui;
    ui.file(pf.file("q.wsf"), "Save As");
    f.mnuSave->trigger();
    EXPECT_EQ(modgw().WellSumFile, pf.file("q.wsf"));
    EXPECT_EQ(readWellSumFile(pf.file("q.wsf")).Definition.WellSumInfo[1], "Quarterly report");

    f.mnuNew->trigger();
    EXPECT_EQ(modgw().WellSumFile, pf.file("q.wsf"));
    EXPECT_EQ(f.SSRepInfo->text(1, 1), "");
    f.mnuSave->trigger(); // no dialog: the empty definition goes over the file
    EXPECT_EQ(readWellSumFile(pf.file("q.wsf")).Definition.WellSumInfo[1], "");
    EXPECT_EQ(ui.fileRequests.size(), 1);
}

TEST_F(WellSumForm, PreviewWithoutAFileAnsweredNoSaysSoAndLeavesNothingToAsk) {
    frmWellSum& f = form();
    pick(f, 1, 2);
    ScriptedUi ui;
    ui.answer(vb::No, "before drawing to the screen")
        .answer(vb::OK, "You must create or open a source/well summary file.");
    f.mnuDraw->trigger();
    EXPECT_EQ(ui.styles.value(1), vb::OKOnly);
    EXPECT_EQ(ui.titles.value(1), ""); // the default title
    EXPECT_TRUE(runCodes.isEmpty());
    EXPECT_EQ(modgw().ReportDirty, 0);
    EXPECT_TRUE(f.close()); // nothing asked
}

TEST_F(WellSumForm, ClosingAnsweredNoReopensTheLastSavedFileNextTime) {
    const QString path = savedDefinition();
    modgw().LastWellSumFile = path;
    {
        frmWellSum& f = form();
        pick(f, 3, 1);
        ScriptedUi ui;
        ui.answer(vb::No, "before quitting");
        f.mnuExit->trigger();
        EXPECT_FALSE(f.isVisible());
        forms::unload<frmWellSum>();
    }
    frmWellSum& again = form();
    EXPECT_EQ(modgw().WellSumFile, path);
    EXPECT_EQ(again.SS->text(1, 3), "3"); // TCE as saved, not pH as picked
    EXPECT_EQ(again.SSRepInfo->text(1, 1), "Site report");
    EXPECT_EQ(modgw().ReportDirty, 0);
}

TEST_F(WellSumForm, OpenReadsTheFileWholeOrChangesNothing) {
    frmWellSum& f = form();
    ScriptedUi ui;
    ui.file(QStringLiteral(QMAR_TEST_DATA "/reportdefs/twosources.wsf"), "Open");
    f.mnuOpen->trigger();
    ASSERT_EQ(ui.fileRequests.size(), 1);
    EXPECT_EQ(ui.fileRequests[0].filter, "Well/Source Summary Files (*.wsf)|*.wsf|");
    EXPECT_EQ(ui.fileRequests[0].initDir, pf.path());
    EXPECT_FALSE(ui.fileRequests[0].save);
    EXPECT_EQ(modgw().WellSumFile, QStringLiteral(QMAR_TEST_DATA "/reportdefs/twosources.wsf"));
    ASSERT_EQ(f.List2->count(), 2);
    EXPECT_EQ(f.List2->item(1)->text(), "O'Brien 3");
    EXPECT_EQ(f.SS->text(2, 1), "Total");
    EXPECT_EQ(f.SS2->text(2, 1), "0,500,100"); // slot 2's scale
    EXPECT_EQ(f.SSRepInfo->text(5, 1), "T");
    EXPECT_EQ(modgw().ReportDirty, 0);

    // A file that ends early: reported under the reader's name, and the form, the definition and
    // its path stay as they were.
    const QStringList kept = wellSumFileLines(modgw().WellSum, modgw().ReportNotes);
    writeRaw(pf.file("short.wsf"), "1\r\nMW-1\r\n");
    ui.file(pf.file("short.wsf"), "Open").answer(vb::OK, "Error 62 in OpenWellFile.");
    f.mnuOpen->trigger();
    EXPECT_EQ(modgw().WellSumFile, QStringLiteral(QMAR_TEST_DATA "/reportdefs/twosources.wsf"));
    EXPECT_EQ(wellSumFileLines(modgw().WellSum, modgw().ReportNotes), kept);
    EXPECT_EQ(f.List2->count(), 2);
    EXPECT_EQ(f.SS->text(2, 1), "Total");

    ui.file(QString(), "Open"); // cancelled: nothing
    f.mnuOpen->trigger();
    EXPECT_EQ(f.SS->text(2, 1), "Total");
}

TEST_F(WellSumForm, ALoadWithoutReopeningStartsFromAnEmptyDefinition) {
    // Sources, slots and notes left in the variables by an earlier definition.
    ModGW& m = modgw();
    m.WellSum.NumWellList = 1;
    m.WellSum.WellList[1] = "MW-9";
    m.WellSum.WellSumGrid[2][1] = "4";
    m.ReportNotes.GeneralNoteCount = 1;
    m.ReportNotes.GeneralNotes[1] = "Old note";
    m.LastWellSumFile = pf.file("deleted.wsf"); // no longer there
    frmWellSum& f = form();
    EXPECT_EQ(m.WellSumFile, "");
    EXPECT_EQ(f.List2->count(), 0);
    ScriptedUi ui;
    ui.file(pf.file("fresh.wsf"), "Save As");
    f.mnuSave->trigger();
    const WellSumFileData saved = readWellSumFile(pf.file("fresh.wsf"));
    EXPECT_EQ(saved.Definition.NumWellList, 0);
    EXPECT_EQ(saved.Definition.WellSumGrid[2][1], "");
    EXPECT_EQ(saved.Notes.GeneralNoteCount, 0);
}

TEST_F(WellSumForm, ALastFileThatNoLongerReadsIsReportedAndTheFormOpensEmpty) {
    writeRaw(pf.file("broken.wsf"), "70000\r\n");
    modgw().LastWellSumFile = pf.file("broken.wsf");
    modgw().WellSum.WellSumInfo[1] = "Earlier title";
    ScriptedUi ui;
    ui.answer(vb::OK, "Error 6 in OpenWellFile.");
    frmWellSum& f = form();
    EXPECT_EQ(modgw().WellSumFile, "");
    EXPECT_EQ(modgw().WellSum.WellSumInfo[1], "");
    EXPECT_EQ(f.SSRepInfo->text(1, 1), "");
}
