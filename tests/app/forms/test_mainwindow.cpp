// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/frmabout200x.h"
#include "app/forms/frmdatagrid.h"
#include "app/forms/frmgotowell.h"
#include "app/forms/frmprojinfo.h"
#include "app/startup.h"
#include "drawwin/windowhooks.h"
#include "platform/boundrecords.h"
#include "platform/dates.h"
#include "platform/gui/datacontrol.h"
#include "platform/gui/forms.h"
#include "platform/gui/helpviewer.h"
#include "platform/gui/spreadgrid.h"
#include "platform/progfolder.h"
#include "platform/textfile.h"
#include "project/modgw.h"
#include "support/datatable.h"
#include "support/menus.h"
#include "support/programstate.h"
#include "support/scriptedui.h"
#include "support/testenv.h"
#include "sitefixture.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QListWidget>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class MainWindow : public ProgramStateTest {
protected:
    void SetUp() override { qtext::WriteLines(pf.file("defcolor.col"), {"1", "Black", "0 0 0"}); }
    TempProgramFolder pf;
};


} // namespace

TEST_F(MainWindow, MenusCarryTheirCaptionsAndShortcuts) {
    frmDatAGrid& w = forms::form<frmDatAGrid>();
    EXPECT_EQ(w.windowTitle(), "Quillmare 2002");
    EXPECT_EQ(menuCaptions(w.menuBar()->actions()),
              QStringList({"&File", "&Edit", "&Reports", "&Utilities", "&Help", "&About"}));
    EXPECT_EQ(menuCaptions(w.mnuFile->actions()),
              QStringList({"&New Project", "&Open Project", "E&dit  Project Info", "-", "&Import", "&Export",
                           "-", "E&xit"}));
    EXPECT_EQ(menuCaptions(w.mnuEdit->actions()), QStringList({"Cu&t", "&Copy", "&Paste"}));
    EXPECT_EQ(w.mnuCut->shortcut(), QKeySequence("Ctrl+X"));
    EXPECT_EQ(w.mnuCopy->shortcut(), QKeySequence("Ctrl+C"));
    EXPECT_EQ(w.mnuPaste->shortcut(), QKeySequence("Ctrl+V"));
    EXPECT_EQ(menuCaptions(w.mnuReports->actions()),
              QStringList({"&Source Summary", "&Parameter Summary", "&Date Summary", "Date &Contour",
                           "S&tiff Graph", "&Groundwater Elevation Graph"}));
    EXPECT_EQ(menuCaptions(w.mnuUtilities->actions()),
              QStringList({"&Clear Database", "&Graphics/System Setup", "&Define Headings/Logo"}));
    EXPECT_EQ(w.mnuHelp->menu(), nullptr); // a command on the bar, not a drop-down
    EXPECT_EQ(w.Command3->text(), "&Prev");
    EXPECT_EQ(w.Command4->text(), "&Next");
    EXPECT_EQ(w.Command6->text(), "&GoTo");
    EXPECT_EQ(w.Command1->text(), "A&dd");
    EXPECT_EQ(w.Command2->text(), "De&lete");
    EXPECT_EQ(w.Label1->text(), "Source:");
    EXPECT_EQ(w.Label2->text(), "Record");
    EXPECT_EQ(w.SS->accessibleName(), "SS");
}

TEST_F(MainWindow, StartUpShowsTheSplashOnceAndAClickClosesIt) {
    int shown = 0;
    forms::setModalHook([&](QDialog& d) {
        ++shown;
        auto* about = qobject_cast<frmAbout200x*>(&d);
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(about->Label5->text(), "v. 2002.5");
        QTest::mouseClick(about->Label5, Qt::LeftButton);
        EXPECT_FALSE(about->isVisible());
    });
    frmDatAGrid& w = forms::form<frmDatAGrid>();
    w.Form_Load();
    EXPECT_EQ(qtext::ReadLines(pf.file("DEVICE.CFG")).size(), 20);
    QTest::qWait(30);
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_FALSE(forms::isLoaded<frmAbout200x>());
}

TEST_F(MainWindow, StartUpReopensTheMostRecentProject) {
    qtext::WriteLines(pf.file("qmarrecent.txt"), {makeSite(pf.path())});
    forms::setModalHook([](QDialog& d) { d.accept(); });
    frmDatAGrid& w = forms::form<frmDatAGrid>();
    w.Form_Load();
    const ModGW& m = modgw();
    EXPECT_EQ(m.ProjectFile, pf.file("site.qlp"));
    EXPECT_EQ(m.DatabaseFile, pf.file("site.mdb"));
    EXPECT_EQ(m.DataFolder, pf.path());
    EXPECT_EQ(m.CurrentSource, 1);
    EXPECT_EQ(w.windowTitle(), "Quillmare 2002: " + pf.file("site.qlp"));
    EXPECT_EQ(w.Label1->text(), "Source: MW-1");
    EXPECT_EQ(w.SS->maxRows(), 3);
}

TEST_F(MainWindow, StartUpOpensNoProjectWhenItsDatabaseIsMissing) {
    ScriptedUi ui;
    const QString site = makeSite(pf.path());
    QFile::remove(pf.file("site.mdb"));
    qtext::WriteLines(pf.file("qmarrecent.txt"), {site});
    ui.answer(vb::OK, "The sample database " + pf.file("site.mdb") + " is missing.");
    frmDatAGrid& w = forms::form<frmDatAGrid>();
    w.Form_Load();
    w.Timer1->stop();
    const ModGW& m = modgw();
    EXPECT_EQ(m.ProjectFile, "");
    EXPECT_EQ(m.NumSources, 0);
    EXPECT_EQ(w.windowTitle(), "Quillmare 2002");
    EXPECT_EQ(w.Label1->text(), "Source:");
    EXPECT_EQ(w.SS->maxRows(), 0);
    EXPECT_FALSE(QFile::exists(pf.file("site.mdb"))); // never created by opening
    EXPECT_EQ(qtext::ReadLines(pf.file("qmarrecent.txt")).first(), site);
}

TEST_F(MainWindow, ClosingWritesTheSettingsClosesHelpAndUnloadsTheFillChooser) {
    bool fillUnloaded = false;
    startupHooks().unloadFillChooser = [&] { fillUnloaded = true; };
    forms::setModalHook([](QDialog& d) { d.accept(); });
    frmDatAGrid& w = forms::form<frmDatAGrid>();
    w.Form_Load();
    QTest::qWait(10);
    ASSERT_TRUE(SeedProgramFolder()); // brings the help pages
    w.mnuHelp->trigger();
    EXPECT_EQ(HelpPageShown(), "index.html");
    QFile::remove(pf.file("device.cfg"));
    modgw().ZoomAfterOpen = "PAGE";
    w.close();
    const QStringList d = qtext::ReadLines(pf.file("DEVICE.CFG"));
    ASSERT_EQ(d.size(), 20);
    EXPECT_EQ(d[11], "PAGE");
    EXPECT_EQ(HelpPageShown(), "");
    EXPECT_TRUE(fillUnloaded);
}

// ---- with the test site open ------------------------------------------------------------------

namespace {

class MainProject : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        site = makeSite(pf.path());
        qtext::WriteLines(pf.file("qmarrecent.txt"), {site});
        w = &forms::form<frmDatAGrid>();
        w->Form_Load();
        w->Timer1->stop(); // no splash
        w->show();
        EXPECT_FALSE(w->SS->replaceOnEdit()); // CellEditMode is not "1"
        w->SS->setReplaceOnEdit(true);
        setOrder(0);
    }
    // Start-up fixed the order from the system; the tests choose it.
    void setOrder(int dayFirst) {
        qdate::SetDayFirst(dayFirst);
        w->SetupDataGrid();
        w->BindSource(modgw().CurrentSource);
    }
    // What the database holds for a source, as stored.
    QList<QStringList> stored(const QString& source) { return boundRecords(pf.file("site.mdb"), source); }
    void pasteAt(int row, int col, const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        w->SS->setSelectedBlock({row, col, row, col});
        w->SS->paste();
    }
    QString site;
    frmDatAGrid* w = nullptr;
};

} // namespace

TEST_F(MainProject, PrevAndNextStepThroughTheSourcesAndStopAtEachEnd) {
    ScriptedUi ui;
    ModGW& m = modgw();
    EXPECT_EQ(w->Label1->text(), "Source: MW-1");
    ui.answer(vb::OK, "This is the first source.");
    w->Command3->click();
    EXPECT_EQ(m.CurrentSource, 1);
    EXPECT_EQ(ui.styles.last(), vb::Exclamation);
    EXPECT_EQ(ui.titles.last(), titleEmpty);

    w->SS->setActiveCell(2, 3);
    w->Command4->click();
    EXPECT_EQ(m.CurrentSource, 2);
    EXPECT_EQ(w->Label1->text(), "Source: MW-2");
    EXPECT_EQ(w->SS->maxRows(), 1);
    EXPECT_EQ(w->SS->activeRow(), 1);
    EXPECT_EQ(w->SS->activeCol(), 1);
    w->Command4->click(); // a name holding a single quote
    EXPECT_EQ(w->Label1->text(), "Source: O'Brien 3");
    ASSERT_EQ(w->SS->maxRows(), 2);
    EXPECT_EQ(w->SS->text(1, 1), "o'brien 3");
    EXPECT_EQ(w->SS->text(2, 2), "05/01/2002");
    w->Command4->click();
    EXPECT_EQ(w->SS->maxRows(), 0); // SP-4 has no records
    ui.answer(vb::OK, "This is the last source.");
    w->Command4->click();
    EXPECT_EQ(m.CurrentSource, 4);
    EXPECT_EQ(w->Label1->text(), "Source: SP-4");
    w->Command3->click();
    EXPECT_EQ(w->Label1->text(), "Source: O'Brien 3");
}

TEST_F(MainWindow, WithNoProjectPrevNextAndGoToChooseNothing) {
    ScriptedUi ui;
    forms::form<frmDatAGrid>().Form_Load();
    frmDatAGrid& w = forms::form<frmDatAGrid>();
    w.Timer1->stop();
    ui.answer(vb::OK, "This is the first source.").answer(vb::OK, "This is the last source.");
    w.Command3->click();
    EXPECT_EQ(modgw().CurrentSource, 1);
    w.Command4->click();
    EXPECT_EQ(modgw().CurrentSource, 0);
    int shown = 0;
    forms::setModalHook([&](QDialog& d) {
        ++shown;
        auto* g = qobject_cast<frmGoToWell*>(&d);
        ASSERT_NE(g, nullptr);
        EXPECT_EQ(g->List1->count(), 0);
        g->Command1->click();
    });
    w.Command6->click();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(modgw().GoToSource, 0);
    EXPECT_EQ(w.Label1->text(), "Source:");
}

TEST_F(MainProject, GoToShowsTheChosenSourceAndOtherwiseNothingChanges) {
    ModGW& m = modgw();
    auto goTo = [&](const std::function<void(frmGoToWell&)>& act) {
        forms::setModalHook([&](QDialog& d) {
            auto* g = qobject_cast<frmGoToWell*>(&d);
            ASSERT_NE(g, nullptr);
            EXPECT_EQ(g->windowTitle(), "Go To Source");
            ASSERT_EQ(g->List1->count(), 4);
            EXPECT_EQ(g->List1->item(2)->text(), "O'Brien 3"); // table order, not sorted
            act(*g);
        });
        w->Command6->click();
    };
    goTo([](frmGoToWell& g) {
        g.List1->setCurrentRow(1);
        g.Command1->click();
    });
    EXPECT_EQ(m.GoToSource, 2);
    EXPECT_EQ(w->Label1->text(), "Source: MW-2");

    goTo([](frmGoToWell& g) {
        g.List1->setCurrentRow(3);
        g.Command2->click();
    });
    goTo([](frmGoToWell& g) { g.Command1->click(); }); // nothing selected
    goTo([](frmGoToWell& g) {
        g.List1->setCurrentRow(0);
        g.close(); // the close box chooses nothing
    });
    EXPECT_EQ(m.GoToSource, 0);
    EXPECT_EQ(m.CurrentSource, 2);
    EXPECT_EQ(w->Label1->text(), "Source: MW-2");

    goTo([](frmGoToWell& g) {
        QListWidgetItem* third = g.List1->item(2);
        g.List1->setCurrentItem(third);
        emit g.List1->itemDoubleClicked(third);
    });
    EXPECT_EQ(m.CurrentSource, 3);
    EXPECT_EQ(w->Label1->text(), "Source: O'Brien 3");
    EXPECT_FALSE(forms::isLoaded<frmGoToWell>());
}

TEST_F(MainProject, TheDateColumnCoversEveryRowInEitherOrder) {
    {
        SampleDb db;
        db.open(pf.file("site.mdb"));
        db.begin();
        for (int i = 0; i < 600; ++i)
            db.insert({"SP-4", qdate::ToIso(QDate(2000, 1, 1).addDays(i)), ""});
        db.commit();
    }
    modgw().CurrentSource = 4;
    setOrder(0);
    ASSERT_EQ(w->SS->maxRows(), 600);
    EXPECT_TRUE(w->SS->isDateColumn(2));
    EXPECT_EQ(w->SS->text(600, 2), "08/22/2001");
    EXPECT_EQ(w->SS->date(600, 2), QDate(2001, 8, 22));
    EXPECT_EQ(w->SS->columnHeader(2), "Samp_Date");
    setOrder(1);
    EXPECT_EQ(w->SS->text(600, 2), "22/08/2001");
    EXPECT_EQ(w->SS->text(1, 2), "01/01/2000");
    // A typed date in row 600 is read day first and stored as a date.
    pasteAt(600, 2, "5/1/2003");
    EXPECT_EQ(stored("SP-4").last()[1], "2003-01-05");
}

TEST_F(MainProject, GridEditsAreCheckedAndWrittenThrough) {
    ScriptedUi ui;
    // Row 2 of MW-1 is the record of 1999-03-04 without Dup.
    pasteAt(2, 4, "7.7\t15");
    EXPECT_EQ(stored("MW-1")[1], QStringList({"MW-1", "1999-03-04", "", "7.7", "15", "<1", "2.1", "98.5"}));

    ui.answer(vb::OK, "Data, 123456789, is longer than 8 characters.");
    pasteAt(2, 5, "123456789\t<2");
    EXPECT_EQ(w->SS->text(2, 5), "15"); // refused: the cell shows what is stored
    EXPECT_EQ(w->SS->text(2, 6), "<2"); // the rest of the block is written
    EXPECT_EQ(stored("MW-1")[1][5], "<2");

    ui.answer(vb::OK, "Dup Code, ABCD, is longer than 3 characters.");
    pasteAt(2, 3, "ABCD");
    ui.answer(vb::OK, "Source Name, MW-1-LONGER, is longer than 10 characters.");
    pasteAt(2, 1, "MW-1-LONGER");
    ui.answer(vb::OK, "A record needs a source name.");
    w->SS->setSelectedBlock({2, 1, 2, 1});
    QTest::keyClick(w->SS, Qt::Key_Delete);
    EXPECT_EQ(w->SS->text(2, 1), "MW-1");

    // Typed into a cell and confirmed with Enter.
    w->SS->setActiveCell(1, 2);
    QTest::keyClicks(w->SS, "3/5/99");
    QTest::keyClick(w->SS, Qt::Key_Return);
    EXPECT_EQ(w->SS->text(1, 2), "03/05/1999");
    EXPECT_EQ(stored("MW-1").last()[1], "1999-03-05"); // it now sorts last
    // A source name with a quote is written as it is.
    pasteAt(1, 1, "O'Brien 3");
    EXPECT_EQ(stored("O'Brien 3").size(), 3u);
    EXPECT_EQ(ui.texts.size(), 4) << qPrintable(ui.texts.join(" / "));
}

TEST_F(MainProject, AnEditStillOpenIsWrittenBeforeTheGridIsBoundAgainOrCloses) {
    w->SS->setActiveCell(1, 4);
    QTest::keyClicks(w->SS, "9.9");
    w->Command4->click();
    EXPECT_EQ(w->Label1->text(), "Source: MW-2");
    EXPECT_EQ(stored("MW-1")[0][3], "9.9");

    w->SS->setActiveCell(1, 5);
    QTest::keyClicks(w->SS, "251");
    w->close();
    EXPECT_EQ(stored("MW-2")[0][4], "251");
}

TEST_F(MainProject, DeleteRemovesTheCurrentRecordAndKeepsThePlace) {
    ScriptedUi ui;
    w->SS->setActiveCell(2, 5);
    w->Command2->click();
    ASSERT_EQ(w->SS->maxRows(), 2);
    EXPECT_EQ(stored("MW-1").size(), 2u);
    EXPECT_EQ(w->SS->text(2, 3), "A"); // the record after the deleted one moved up
    EXPECT_EQ(w->SS->activeRow(), 2);
    EXPECT_EQ(w->SS->activeCol(), 5);
    // The last record deleted: the place moves up with it.
    w->Command2->click();
    EXPECT_EQ(w->SS->activeRow(), 1);

    modgw().CurrentSource = 4;
    w->BindSource(4);
    w->Command2->click(); // no records: nothing, and no message
    EXPECT_TRUE(ui.texts.isEmpty());
}

TEST_F(MainProject, CutCopyAndPasteWorkOnTheSelectedBlock) {
    w->SS->setSelectedBlock({1, 4, 2, 5});
    w->mnuCopy->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "6.6\t14\r\n6.5\t12\r\n");
    w->SS->setSelectedBlock({3, 4, 3, 4});
    w->mnuPaste->trigger();
    EXPECT_EQ(stored("MW-1")[2][3], "6.6");
    EXPECT_EQ(stored("MW-1")[2][4], "14");
    w->SS->setSelectedBlock({1, 7, 1, 8});
    w->mnuCut->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "2.4\t97.9\r\n");
    EXPECT_EQ(stored("MW-1")[0][6], "");
    EXPECT_EQ(w->SS->text(1, 7), "");
}

TEST_F(MainProject, ACancelledNewProjectLeavesTheOpenProjectAsItWas) {
    ScriptedUi ui;
    const QByteArray file = readRaw(site);
    int shown = 0;
    forms::setModalHook([&](QDialog& d) {
        auto* f = qobject_cast<frmProjInfo*>(&d);
        ASSERT_NE(f, nullptr);
        ++shown;
        EXPECT_EQ(modgw().NewProjectMode, -1);
        EXPECT_EQ(f->SS->usedRowCount(), 0); // a new project starts empty
        f->SSWell->setText(1, 1, "NEW-1");
        f->SS->setText(1, 1, "pH");
        if (shown == 1)
            f->btnCancel->click();
        else
            f->btnOK->click(); // and the save dialog is cancelled
    });
    ui.file("", "Save Project As...");
    w->mnuNewProject->trigger();
    w->mnuNewProject->trigger();
    EXPECT_EQ(shown, 2);
    const ModGW& m = modgw();
    EXPECT_EQ(m.NewProjectMode, 0);
    EXPECT_EQ(m.ProjectFile, site);
    EXPECT_EQ(m.NumSources, 4);
    EXPECT_EQ(m.NumParams, 5);
    EXPECT_EQ(m.ClientInfo[1], "Riverside Plating Works");
    EXPECT_EQ(w->SS->maxRows(), 3);
    // Editing the project afterwards writes the tables it really has.
    forms::setModalHook([](QDialog& d) { qobject_cast<frmProjInfo*>(&d)->btnOK->click(); });
    w->mnuEditProject->trigger();
    EXPECT_EQ(readRaw(site), file);
}

TEST_F(MainProject, ANewProjectIsCreatedAndShown) {
    ScriptedUi ui;
    forms::setModalHook([&](QDialog& d) {
        auto* f = qobject_cast<frmProjInfo*>(&d);
        f->SSWell->setText(1, 1, "NEW-1");
        f->SS->setText(1, 1, "pH");
        f->SS->setText(2, 1, "Cl");
        f->btnOK->click();
    });
    ui.file(pf.file("new/alpha.qlp"), "Save Project As...");
    QDir(pf.path()).mkdir("new");
    w->mnuNewProject->trigger();
    const ModGW& m = modgw();
    EXPECT_EQ(m.ProjectFile, pf.file("new/alpha.qlp"));
    EXPECT_EQ(m.DatabaseFile, pf.file("new/alpha.mdb"));
    EXPECT_EQ(m.DataFolder, pf.file("new/"));
    EXPECT_EQ(w->windowTitle(), "Quillmare 2002: " + pf.file("new/alpha.qlp"));
    EXPECT_EQ(w->Label1->text(), "Source: NEW-1");
    EXPECT_EQ(w->SS->maxRows(), 0);
    EXPECT_EQ(w->SS->maxCols(), 5);
    EXPECT_EQ(w->SS->columnHeader(5), "Cl");
    EXPECT_EQ(qtext::ReadLines(pf.file("new/alpha.qlp")).size(), 1 + 10 + 2 + 3 + 3);
    // A new project is not added to the recent list.
    EXPECT_EQ(qtext::ReadLines(pf.file("qmarrecent.txt")).first(), site);
}

TEST_F(MainProject, OpenProjectOpensOrPutsThePreviousProjectBack) {
    ScriptedUi ui;
    QDir(pf.path()).mkdir("b");
    const QString other = makeSite(pf.file("b/"), "beta");
    ui.file(other, "Open");
    w->mnuOpenProject->trigger();
    ModGW& m = modgw();
    EXPECT_EQ(ui.fileRequests.last().filter, "Quillmare Project Files (*.qlp)|*.qlp|");
    EXPECT_EQ(ui.fileRequests.last().initDir, pf.path());
    EXPECT_EQ(m.ProjectFile, other);
    EXPECT_EQ(m.DatabaseFile, pf.file("b/beta.mdb"));
    EXPECT_EQ(m.DataFolder, pf.file("b/"));
    EXPECT_EQ(qtext::ReadLines(pf.file("qmarrecent.txt")).mid(0, 2), QStringList({other, site}));

    // A database that is not SQLite: a clear message, and beta stays open.
    QDir(pf.path()).mkdir("c");
    QFile::copy(QMAR_TEST_DATA "/site.qlp", pf.file("c/gamma.qlp"));
    writeRaw(pf.file("c/gamma.mdb"), "Standard Jet DB");
    w->SS->setActiveCell(2, 2);
    modgw().CurrentSource = 1;
    ui.file(pf.file("c/gamma.qlp")).answer(vb::OK, "is not a sample database");
    w->mnuOpenProject->trigger();
    EXPECT_EQ(m.ProjectFile, other);
    EXPECT_EQ(m.DatabaseFile, pf.file("b/beta.mdb"));
    EXPECT_EQ(w->windowTitle(), "Quillmare 2002: " + other);
    EXPECT_EQ(w->SS->maxRows(), 3);

    // A project file that fails to read does not open.
    writeRaw(pf.file("c/delta.qlp"),
             "\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n1\r\nno separators\r\n");
    ui.file(pf.file("c/delta.qlp")).answer(vb::OK, "Error 5 in OpenProjectInfo.");
    w->mnuOpenProject->trigger();
    EXPECT_EQ(m.ProjectFile, other);
    EXPECT_EQ(m.NumSources, 4);
    EXPECT_EQ(m.SourceTable[1][1], "MW-1");
    // Cancelled: nothing happens.
    ui.file("");
    w->mnuOpenProject->trigger();
    EXPECT_EQ(qtext::ReadLines(pf.file("qmarrecent.txt")).mid(0, 2), QStringList({other, site}));
}

TEST_F(MainWindow, WithoutAProjectEditProjectInfoAndTheReportsOnlyWarn) {
    ScriptedUi ui;
    frmDatAGrid& w = forms::form<frmDatAGrid>();
    w.Form_Load();
    w.Timer1->stop();
    forms::setModalHook(
        [](QDialog& d) { ADD_FAILURE() << "a window opened: " << qPrintable(d.objectName()); });
    ui.answer(vb::OK, "You must first open a project before you can EDIT PROJECT INFORMATION.");
    w.mnuEditProject->trigger();
    for (QAction* a : w.mnuReports->actions()) {
        ui.answer(vb::OK, "You must first open a project before producing reports.");
        a->trigger();
    }
    EXPECT_EQ(ui.texts.size(), 7);
    EXPECT_EQ(w.datGW->accessibleName(), "datGW");
    w.Command1->click(); // Add without a project: nothing
}
