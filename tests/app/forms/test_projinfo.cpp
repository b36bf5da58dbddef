// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/frmgwredef.h"
#include "app/forms/frmprojinfo.h"
#include "platform/gui/forms.h"
#include "platform/gui/helpviewer.h"
#include "platform/gui/spreadgrid.h"
#include "platform/progfolder.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"
#include "project/modgw.h"
#include "project/projectfile.h"
#include "project/sampledbops.h"
#include "support/menus.h"
#include "support/programstate.h"
#include "support/scriptedui.h"
#include "support/testenv.h"
#include "sitefixture.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class ProjInfo : public ProgramStateTest {
protected:
    void SetUp() override {
        site = makeSite(pf.path());
        ModGW& m = modgw();
        m.ProjectFile = site;
        m.DatabaseFile = pf.file("site.mdb");
        m.DataFolder = pf.path();
        ASSERT_TRUE(OpenProjectInfo());
        original = readRaw(site);
    }
    // The redefine dialog, reached through the modal hook, answered OK (which leaves RedefineConfirmed
    // at -1) or Cancel; shown counts how often it came up.
    void answerRedefine(bool confirm, int* shown = nullptr) {
        forms::setModalHook([confirm, shown](QDialog& d) {
            EXPECT_TRUE(qobject_cast<frmGWRedef*>(&d)) << qPrintable(d.objectName());
            if (shown) ++*shown;
            if (confirm) modgw().RedefineConfirmed = -1;
            confirm ? d.accept() : d.reject();
        });
    }
    frmProjInfo& form() { return forms::form<frmProjInfo>(); }
    // The form was closed by OK (accepted) or stays open.
    bool accepted(frmProjInfo& f) { return f.result() == QDialog::Accepted; }
    TempProgramFolder pf;
    QString site;
    QByteArray original;
};


} // namespace

TEST_F(ProjInfo, LoadFillsTheFormFromTheOpenProject) {
    modgw().ClientInfo[2] = "Groundwater Monitoring Program   ";
    modgw().ClientInfo[10] = "last line  ";
    frmProjInfo& f = form();
    EXPECT_EQ(f.windowTitle(), "Project Information");
    EXPECT_EQ(menuCaptions(f.MenuBar->actions()), QStringList({"&Parameters", "&Edit"}));
    EXPECT_EQ(menuCaptions(f.mnuParameters->actions()), QStringList({"&Open Set", "&Save Set"}));
    EXPECT_EQ(menuCaptions(f.mnuEdit->actions()),
              QStringList({"&Cut       Shift+Del", "Cop&y     Ctrl+Ins", "&Paste    Shift+Ins", "-",
                           "&Insert Row", "&Delete Row"}));
    const QStringList lines = f.Text3->toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 10);
    EXPECT_EQ(lines[1], "Groundwater Monitoring Program"); // lines 1 to 9 right-trimmed
    EXPECT_EQ(lines[9], "last line  ");
    EXPECT_EQ(f.SSWell->usedRowCount(), 4);
    EXPECT_EQ(f.SSWell->text(3, 1), "O'Brien 3");
    EXPECT_EQ(f.SSWell->columnHeader(4), "Ref. Elev.");
    EXPECT_EQ(f.SS->usedRowCount(), 5);
    EXPECT_EQ(f.SS->text(3, 4), "LOG,.1,1000");
    EXPECT_EQ(f.SS->columnHeader(4), "Scale St.,End,Inc.");
    EXPECT_EQ(f.txtStartDate->text(), "01/01/1998");
    EXPECT_EQ(f.txtLessThan->text(), ".5");
    EXPECT_EQ(f.SS->enterAction(), SpreadGrid::EnterRight);
    EXPECT_EQ(modgw().OldParamCount, 5);
    EXPECT_EQ(modgw().OldParamNames[5], "Elev");
    EXPECT_EQ(f.SS->accessibleName(), "SS");
    EXPECT_EQ(f.SSWell->accessibleName(), "SSWell");
    EXPECT_EQ(f.txtEndDate->accessibleName(), "txtEndDate");
    EXPECT_FALSE(f.List1->isVisible());
}

TEST_F(ProjInfo, OkRefusesBadInputBeforeAnythingChanges) {
    struct Case {
        const char* expected;
        std::function<void(frmProjInfo&)> edit;
    };
    const QList<Case> cases = {
        {"Parameter Name #2 is invalid because it contains a period.",
         [](frmProjInfo& f) { f.SS->setText(2, 1, "Cl.1"); }},
        {"Duplicate Parameters Found - Rename and Try Again.",
         [](frmProjInfo& f) { f.SS->setText(6, 1, "tce"); }},
        {"Source row 2 holds a \"|\", a Tab or a line break.",
         [](frmProjInfo& f) { f.SSWell->setText(2, 4, "99|8"); }},
        {"Parameter row 3 holds a \"|\", a Tab or a line break.",
         [](frmProjInfo& f) { f.SS->setText(3, 6, "a\tb"); }},
        {"Source row 5 holds", [](frmProjInfo& f) { f.SSWell->setText(5, 2, "1\r\n2"); }},
        {"Parameter Name #6 is empty.", [](frmProjInfo& f) { f.SS->setText(7, 1, "Extra"); }},
        {"Parameter Name #6 is empty.", [](frmProjInfo& f) { f.SS->setText(6, 2, "mg/L"); }},
        {"Parameter Name #1 is invalid because Source, Samp_Date and Dup",
         [](frmProjInfo& f) { f.SS->setText(1, 1, "SOURCE"); }},
        {"Parameter Name #2 is invalid because Source",
         [](frmProjInfo& f) { f.SS->setText(2, 1, "samp_date"); }},
        {"Parameter Name #6 is invalid because Source", [](frmProjInfo& f) { f.SS->setText(6, 1, "Dup"); }},
        {"The End Date holds a line break.", [](frmProjInfo& f) { f.txtEndDate->setText("1/1/2000\n2"); }},
    };
    ModGW& m = modgw();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        ScriptedUi ui;
        ui.answer(vb::OK, c.expected);
        frmProjInfo& f = form();
        f.Text3->setPlainText("changed client");
        f.txtLessThan->setText("3");
        c.edit(f);
        int redefine = 0;
        answerRedefine(false, &redefine);
        f.btnOK->click();
        EXPECT_EQ(ui.styles.value(0), vb::Exclamation);
        EXPECT_EQ(redefine, 0);
        EXPECT_FALSE(accepted(f));
        EXPECT_EQ(m.ClientInfo[1], "Riverside Plating Works");
        EXPECT_EQ(m.LessThanFactor, ".5");
        EXPECT_EQ(m.NumParams, 5);
        EXPECT_EQ(m.SourceTable[2][4], "99.8");
        EXPECT_EQ(readRaw(site), original);
        forms::unload<frmProjInfo>();
    }
}

TEST_F(ProjInfo, OkWritesTheProjectFileWithTenClientLines) {
    frmProjInfo& f = form();
    f.Text3->setPlainText("Acme\nSite B");
    f.SSWell->setText(5, 1, "MW-5");
    f.SS->setText(1, 2, "pH units");
    f.txtStartDate->setText("1/1/2000");
    f.btnOK->click();
    EXPECT_TRUE(accepted(f));
    const ModGW& m = modgw();
    EXPECT_EQ(m.ClientInfo[2], "Site B");
    EXPECT_EQ(m.ClientInfo[3], "");
    EXPECT_EQ(m.NumSources, 5);
    EXPECT_EQ(m.SourceTable[5][1], "MW-5");
    EXPECT_EQ(m.ParamTable[1][2], "pH units");
    EXPECT_EQ(m.ReportStartDate, "1/1/2000");
    EXPECT_EQ(m.ParamsChanged, 0);
    const QStringList lines = qtext::ReadLines(site);
    EXPECT_EQ(lines.mid(0, 13), QStringList({"", "Acme", "Site B", "", "", "", "", "", "", "", "", "5",
                                             "MW-1|1200.5|830|101.25"}));
    EXPECT_EQ(lines.size(), 1 + 10 + 1 + 5 + 1 + 5 + 3);
    EXPECT_EQ(readRaw(site).count("\r\n"), lines.size());
}

TEST_F(ProjInfo, AChangedParameterListNeedsTheRedefineDialog) {
    ModGW& m = modgw();
    int redefine = 0;
    answerRedefine(false, &redefine);
    // Letter case alone is a change; unconfirmed, the parameters stay and the rest is saved.
    frmProjInfo& f = form();
    f.SS->setText(1, 1, "PH");
    f.SS->setText(1, 2, "std");
    f.Text3->setPlainText("New client");
    f.btnOK->click();
    EXPECT_TRUE(accepted(f));
    EXPECT_EQ(redefine, 1);
    EXPECT_EQ(m.ParamsChanged, -1);
    EXPECT_EQ(m.NewParamNames[1], "PH");
    EXPECT_EQ(m.ParamTable[1][1], "pH");
    EXPECT_EQ(m.ParamTable[1][2], "units");
    EXPECT_EQ(m.ClientInfo[1], "New client");
    forms::unload<frmProjInfo>();

    // Reordering is a change even with the same names.
    frmProjInfo& g = form();
    g.SS->setText(1, 1, "Cl");
    g.SS->setText(2, 1, "pH");
    g.btnOK->click();
    EXPECT_EQ(redefine, 2);
    forms::unload<frmProjInfo>();

    // Confirmed, but the rebuild fails: the project file and the tables are as they were.
    const QByteArray before = readRaw(site);
    ScriptedUi ui;
    ui.answer(vb::OK, "in RedefineDb.");
    dbFaultHook() = [](QStringView step, qint64) {
        if (step == u"rotate") raiseError(qmerr::PathFileAccess);
    };
    answerRedefine(true);
    frmProjInfo& h = form();
    h.SS->setText(6, 1, "Zinc");
    h.Text3->setPlainText("Other client");
    h.btnOK->click();
    EXPECT_FALSE(accepted(h));
    EXPECT_EQ(readRaw(site), before);
    EXPECT_EQ(m.NumParams, 5);
    EXPECT_EQ(m.ClientInfo[1], "New client");
}

TEST_F(ProjInfo, ANewProjectIsSavedOnlyUnderAFreeName) {
    ModGW& m = modgw();
    m.NewProjectMode = -1;
    m.CentralDataPath = pf.file("central/");
    ClearProjArrays();
    ScriptedUi ui;

    // The save dialog cancelled: the form closes and nothing is written.
    frmProjInfo& f = form();
    EXPECT_EQ(f.SS->usedRowCount(), 0);
    EXPECT_EQ(f.txtEndDate->text(), "12/31/2002"); // the date window of the project open before
    f.SS->setText(1, 1, "pH");
    ui.file("", "Save Project As...");
    f.btnOK->click();
    EXPECT_FALSE(accepted(f));
    EXPECT_FALSE(f.isVisible());
    const FileDialogRequest& r = ui.fileRequests.last();
    EXPECT_TRUE(r.save);
    EXPECT_TRUE(r.overwritePrompt);
    EXPECT_EQ(r.filter, "Quillmare Project Files (*.qlp)|*.qlp|");
    EXPECT_EQ(r.initDir, pf.file("central/"));
    EXPECT_EQ(m.ProjectFile, site);
    forms::unload<frmProjInfo>();

    // A name whose database exists is refused; the form stays open.
    frmProjInfo& g = form();
    g.SSWell->setText(1, 1, "NEW-1");
    g.SS->setText(1, 1, "pH");
    g.SS->setText(2, 1, "Cl");
    ui.file(pf.file("site.qlp")).answer(vb::OK, "site.mdb already exists");
    g.btnOK->click();
    EXPECT_FALSE(accepted(g));
    EXPECT_EQ(readRaw(site), original);
    EXPECT_EQ(m.NumSources, 0);

    ui.file(pf.file("gamma.qlp"));
    g.btnOK->click();
    EXPECT_TRUE(accepted(g));
    EXPECT_EQ(m.ProjectFile, pf.file("gamma.qlp"));
    EXPECT_EQ(m.DatabaseFile, pf.file("gamma.mdb"));
    EXPECT_EQ(m.DataFolder, pf.path());
    SampleDb db;
    db.open(m.DatabaseFile);
    EXPECT_EQ(db.fields(), QStringList({"Source", "Samp_Date", "Dup", "pH", "Cl"}));
    EXPECT_EQ(qtext::ReadLines(m.ProjectFile).mid(11, 4), QStringList({"1", "NEW-1|||", "2", "pH|||||||||"}));
}

TEST_F(ProjInfo, TheEditMenuWorksOnTheGridThatHadTheFocus) {
    frmProjInfo& f = form();
    emit f.SS->gotFocus();
    EXPECT_EQ(modgw().ProjInfoActiveGrid, 1);
    emit f.SS->cellClicked(2, 1);
    f.mnuInsertRow->trigger();
    EXPECT_EQ(f.SS->text(2, 1), "");
    EXPECT_EQ(f.SS->text(3, 1), "Cl");
    f.mnuDeleteRow->trigger();
    EXPECT_EQ(f.SS->text(2, 1), "Cl");
    EXPECT_EQ(f.SS->usedRowCount(), 5);

    f.SS->setSelectedBlock({1, 1, 2, 2});
    emit f.SS->blockSelected(1, 1, 2, 2);
    f.mnuCopy->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "pH\tunits\r\nCl\tmg/L\r\n");

    emit f.SSWell->gotFocus();
    EXPECT_EQ(modgw().ProjInfoActiveGrid, 2);
    f.SSWell->setSelectedBlock({6, 1, 6, 1});
    f.mnuPaste->trigger();
    EXPECT_EQ(f.SSWell->text(7, 2), "mg/L");
    f.SSWell->setSelectedBlock({7, 1, 7, 2});
    f.mnuCut->trigger();
    EXPECT_EQ(f.SSWell->usedRowCount(), 6);
    EXPECT_EQ(f.SS->usedRowCount(), 5); // the other grid is untouched

    EXPECT_FALSE(f.SS->gridEditMode());
    f.Command1->click();
    EXPECT_TRUE(f.SS->gridEditMode());
    EXPECT_TRUE(f.SSWell->gridEditMode());
    f.Command1->click();
    EXPECT_FALSE(f.SSWell->gridEditMode());
}

TEST_F(ProjInfo, ParameterSetsAreSavedAndAppended) {
    ScriptedUi ui;
    frmProjInfo& f = form();
    f.SS->setText(1, 2, "pH units"); // an edit on the form survives Open Set
    ui.file(pf.file("five.par"), "Save Parameter Set File As");
    f.mnuSaveSet->trigger();
    EXPECT_TRUE(ui.fileRequests.last().save);
    EXPECT_EQ(ui.fileRequests.last().filter, "Parameter Set Files (*.par)|*.par|");
    const QStringList set = qtext::ReadLines(pf.file("five.par"));
    ASSERT_EQ(set.size(), 6);
    EXPECT_EQ(set[0], "5");
    EXPECT_EQ(set[1], "pH|pH units|6.5-8.5|6,9,.5|-|pH (field)||||");

    writeRaw(pf.file("two.par"), "2\r\nZn|ug/L|5000|||Zinc||||\r\nFe|ug/L|300|||Iron|||| 7439\r\n");
    ui.file(pf.file("two.par"), "Open Parameter Set File");
    f.mnuOpenSet->trigger();
    EXPECT_EQ(ui.fileRequests.last().initDir, ProgramFolder());
    EXPECT_EQ(f.SS->usedRowCount(), 7);
    EXPECT_EQ(f.SS->text(1, 2), "pH units");
    EXPECT_EQ(f.SS->text(6, 1), "Zn");
    EXPECT_EQ(f.SS->text(7, 10), " 7439");
    EXPECT_EQ(modgw().NumParams, 5); // only OK changes the project
    f.btnCancel->click();
    EXPECT_EQ(modgw().NumParams, 5);
    EXPECT_EQ(readRaw(site), original);
    forms::unload<frmProjInfo>();

    // An empty set into an empty list leaves the grid alone.
    writeRaw(pf.file("none.par"), "0\r\n");
    modgw().NewProjectMode = -1;
    frmProjInfo& g = form();
    ui.file(pf.file("none.par"));
    g.mnuOpenSet->trigger();
    EXPECT_EQ(g.SS->usedRowCount(), 0);
    ui.file("");
    g.mnuOpenSet->trigger();
}

TEST_F(ProjInfo, HelpShowsItsTopic) {
    ASSERT_TRUE(SeedProgramFolder());
    modgw().HelpFile = "qmar2002.HLP";
    frmProjInfo& f = form();
    f.btnHelp->click();
    EXPECT_EQ(HelpPageShown(), "1003.html");
    WinHelpA(nullptr, {}, help::HELP_QUIT, 0);
}

TEST_F(ProjInfo, AGridGrownPastTheTableLimitIsRefused) {
    ScriptedUi ui;
    frmProjInfo& f = form();
    QList<QStringList> rows;
    for (int i = 1; i <= 500; ++i) rows << QStringList{QStringLiteral("P%1").arg(i)};
    f.SS->setRows(rows);
    emit f.SS->gotFocus();
    emit f.SS->cellClicked(1, 1);
    f.mnuInsertRow->trigger(); // the grid keeps every text and grows a row
    ASSERT_EQ(f.SS->usedRowCount(), 501);
    ui.answer(vb::OK, "The Parameter List holds more than 500 rows.  Please delete some and try again.");
    f.btnOK->click();
    EXPECT_FALSE(accepted(f));
    EXPECT_EQ(modgw().NumParams, 5);
    EXPECT_EQ(readRaw(site), original);
}

TEST_F(ProjInfo, AFailedRebuildPutsBackAProjectFileThatCouldNotBeRead) {
    ScriptedUi ui;
    ui.answer(vb::OK, "in RedefineDb.");
    dbFaultHook() = [](QStringView step, qint64) {
        if (step == u"rotate") raiseError(qmerr::PathFileAccess);
    };
    answerRedefine(true);
    frmProjInfo& f = form();
    f.SS->setText(6, 1, "Zinc");
    f.Text3->setPlainText("Other client");
    QFile::remove(site); // gone while the project is open
    f.btnOK->click();
    EXPECT_FALSE(accepted(f));
    // Not an empty file: the project as it stood before OK.
    EXPECT_EQ(readRaw(site), original);
    EXPECT_EQ(modgw().ClientInfo[1], "Riverside Plating Works");
}
