// SPDX-License-Identifier: GPL-3.0-or-later
// The sample database through the main window, as a user works with it: a new project, records added
// in the add-records form, export, Clear Database, import, and a restructure through the redefine
// dialog.
#include "app/forms/frmdatagrid.h"
#include "app/forms/frmgwadd.h"
#include "app/forms/frmgwredef.h"
#include "app/forms/frmprojinfo.h"
#include "app/startup.h"
#include "drawwin/windowhooks.h"
#include "platform/dates.h"
#include "platform/gui/forms.h"
#include "platform/gui/spreadgrid.h"
#include "platform/progfolder.h"
#include "platform/qmerror.h"
#include "platform/sampledb.h"
#include "platform/textfile.h"
#include "project/modgw.h"
#include "project/sampledbops.h"
#include "support/datatable.h"
#include "support/programstate.h"
#include "support/scriptedui.h"
#include "support/testenv.h"
#include "sitefixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTimer>
#include <gtest/gtest.h>
#include <ostream>

// Readable failure output for texts and records.
static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

// Every record as stored, in storing order; NULL shows as "(null)".
QList<QStringList> dump(const QString& path) { return dataRecords(path); }

QList<QStringList> sorted(QList<QStringList> rows) {
    std::sort(rows.begin(), rows.end());
    return rows;
}

QStringList fieldsOf(const QString& path) { return dataFields(path); }

class Database : public ProgramStateTest {
protected:
    void SetUp() override {
        qtext::WriteLines(pf.file("defcolor.col"), {"1", "Black", "0 0 0"});
        // Each window the test meets is driven by the handler set for it.
        forms::setModalHook([this](QDialog& d) {
            if (auto* f = qobject_cast<frmProjInfo*>(&d); f && onProjInfo) return onProjInfo(*f);
            if (auto* f = qobject_cast<frmGWAdd*>(&d); f && onAdd) return onAdd(*f);
            if (auto* f = qobject_cast<frmGWRedef*>(&d); f && onRedef) return onRedef(*f);
            ADD_FAILURE() << "unexpected window " << qPrintable(d.objectName());
            d.reject();
        });
        w = &forms::form<frmDatAGrid>();
        w->Form_Load();
        w->Timer1->stop();
        w->show();
        qdate::SetDayFirst(0);
        w->SetupDataGrid();
    }
    QString db() const { return modgw().DatabaseFile; }
    // The main grid's rows as shown.
    QList<QStringList> shown() const {
        QList<QStringList> out;
        for (int r = 1; r <= w->SS->maxRows(); ++r) {
            QStringList row;
            for (int c = 1; c <= w->SS->maxCols(); ++c)
                row << w->SS->text(r, c);
            out << row;
        }
        return out;
    }
    void clearDatabase(ScriptedUi& ui) {
        ui.answer(vb::Yes,
                  "This function clears all the data from the project .MDB file.  A copy of the old .MDB "
                  "file is saved in TEMP.MDB.  Do you wish to continue?");
        w->mnuClearDatabase->trigger();
    }

    TempProgramFolder pf;
    frmDatAGrid* w = nullptr;
    std::function<void(frmProjInfo&)> onProjInfo;
    std::function<void(frmGWAdd&)> onAdd;
    std::function<void(frmGWRedef&)> onRedef;
};

} // namespace

TEST_F(Database, ANewProjectsRecordsGoOutAndComeBackAndSurviveARestructure) {
    ScriptedUi ui;
    ModGW& m = modgw();

    // ---- a new project of three sources and three parameters
    onProjInfo = [](frmProjInfo& f) {
        f.Text3->setPlainText("Acme Metals");
        for (int i = 1; i <= 3; ++i)
            f.SSWell->setText(i, 1, QString("MW-%1").arg(i));
        f.SS->setRows(
            {{"pH", "units", "", "", "-"}, {"Cl", "mg/L", "250", "", "-"}, {"TCE", "ug/L", "5", "", "<1"}});
        f.btnOK->click();
    };
    ui.file(pf.file("acme.qlp"), "Save Project As...");
    w->mnuNewProject->trigger();
    ASSERT_EQ(m.ProjectFile, pf.file("acme.qlp"));
    EXPECT_EQ(w->Label1->text(), "Source: MW-1");

    // ---- Add: every refusal leaves the database as it was and the dialog open
    {
        SampleDb d;
        d.open(db());
        QSqlQuery q(d.database());
        // Standing in for an engine that keeps duplicates out.
        ASSERT_TRUE(
            q.exec("CREATE UNIQUE INDEX \"strict\" ON \"Data\" (\"Source\", \"Samp_Date\", \"Dup\")"));
    }
    QByteArray empty = readRaw(db());
    onAdd = [&](frmGWAdd& f) {
        SpreadGrid& g = *f.SSAdd;
        g.setText(1, 1, "MW-1");
        ui.answer(vb::OK, "Bad Date Format");
        f.btnOK->click();
        g.setText(2, 1, "4/7/95");
        g.setText(4, 1, "123456789");
        ui.answer(vb::OK,
                  "Cannot Add: Either source name is longer than 10 characters or data is longer than 8 "
                  "characters.  Shorten one of these and try again.");
        f.btnOK->click();
        g.setText(4, 1, "6.5");
        g.setText(3, 2, "D"); // a column without a source
        ui.answer(vb::OK, "Cannot Add: error #  3315 occured: ");
        f.btnOK->click();
        g.setText(1, 2, "mw-1");
        g.setText(3, 1, "A");
        g.setText(3, 2, "a");
        ui.answer(vb::OK, "Cannot Add:  Duplicate Record Found");
        f.btnOK->click();
        EXPECT_TRUE(f.isVisible());
        EXPECT_EQ(readRaw(db()), empty);
        f.btnCancel->click();
    };
    w->Command1->click();
    {
        SampleDb d;
        d.open(db());
        QSqlQuery q(d.database());
        ASSERT_TRUE(q.exec("DROP INDEX \"strict\""));
    }

    // ---- Add: dates carried from the left, two-digit years, Def. Text for empty cells
    onAdd = [](frmGWAdd& f) {
        const QList<QStringList> cols = {{"MW-1", "4/7/95", "", "6.5", "", "2.5"},
                                         {"MW-2", "", "D", "7.1", "12", "8"},
                                         {"MW-3", "", "", "", "30", "<1"},
                                         {"MW-1", "1/15/05", "", "6.7", "14", ""},
                                         {"MW-1", "11/2/1925", "", "7", "-", "-"}};
        for (int c = 0; c < cols.size(); ++c)
            f.SSAdd->setColumnData(c + 1, cols[c]);
        f.btnOK->click();
    };
    w->Command1->click();
    const QList<QStringList> added = dump(db());
    EXPECT_EQ(added, QList<QStringList>({{"MW-1", "1995-04-07", "(null)", "6.5", "-", "2.5"},
                                         {"MW-2", "1995-04-07", "D", "7.1", "12", "8"},
                                         {"MW-3", "1995-04-07", "(null)", "-", "30", "<1"},
                                         {"MW-1", "2005-01-15", "(null)", "6.7", "14", "<1"},
                                         {"MW-1", "1925-11-02", "(null)", "7", "-", "-"}}));
    // The main grid shows the current source's new records in date order.
    EXPECT_EQ(shown(), QList<QStringList>({{"MW-1", "11/02/1925", "", "7", "-", "-"},
                                           {"MW-1", "04/07/1995", "", "6.5", "-", "2.5"},
                                           {"MW-1", "01/15/2005", "", "6.7", "14", "<1"}}));

    // ---- Export in each layout
    for (const char* name : {"all.txt", "all.csv", "all.ldl"}) {
        ui.file(pf.file(name), "Export Data");
        w->mnuExport->trigger();
        EXPECT_TRUE(QFile::exists(pf.file(name))) << name;
    }
    const FileDialogRequest& r = ui.fileRequests.last();
    EXPECT_TRUE(r.save);
    EXPECT_EQ(r.filter,
              "Tab Separated (*.txt)|*.txt|Comma Separated (*.csv)|*.csv|Line Delimited (*.ldl)|*.ldl");
    EXPECT_EQ(r.initDir, pf.path());
    EXPECT_EQ(qtext::ReadLines(pf.file("all.csv")).value(0), "MW-1,11/02/1925,,7,-,-");
    ui.file(pf.file("all.dat")).answer(vb::OK, "Please choose one of the 3 file formats listed.");
    w->mnuExport->trigger();
    EXPECT_FALSE(QFile::exists(pf.file("all.dat")));

    // ---- Clear, then each file imports back to the same records
    const QByteArray full = readRaw(db());
    w->SS->setActiveCell(2, 3);
    m.CurrentSource = 2;
    clearDatabase(ui);
    EXPECT_TRUE(dump(db()).isEmpty());
    EXPECT_EQ(readRaw(pf.file("TEMP.MDB")), full);
    EXPECT_EQ(m.CurrentSource, 1);
    EXPECT_EQ(w->Label1->text(), "Source: MW-1");
    EXPECT_EQ(w->SS->maxRows(), 0);
    for (const char* name : {"all.txt", "all.csv", "all.ldl"}) {
        SCOPED_TRACE(name);
        ui.file(pf.file(name), "Import Data").answer(vb::OK, "5 records imported from " + QString(name));
        w->mnuImport->trigger();
        EXPECT_FALSE(ui.fileRequests.last().save);
        EXPECT_EQ(sorted(dump(db())), sorted(added));
        EXPECT_EQ(w->SS->maxRows(), 3);
        clearDatabase(ui);
    }
    ui.file(pf.file("all.ldl"), "Import Data").answer(vb::OK, "5 records imported from all.ldl.");
    w->mnuImport->trigger();
    const QList<QStringList> before = dump(db());
    const QByteArray beforeBytes = readRaw(db());

    // ---- Cl renamed to Chloride through "Comes From", Zinc added
    onProjInfo = [](frmProjInfo& f) {
        f.SS->setText(2, 1, "Chloride");
        f.SS->setText(4, 1, "Zinc");
        f.btnOK->click();
    };
    int redefShown = 0;
    onRedef = [&](frmGWRedef& f) {
        ++redefShown;
        EXPECT_EQ(f.windowTitle(), "Redefine Quillmare Database");
        EXPECT_EQ(f.SS->columnHeader(1), "New Param.");
        EXPECT_EQ(f.SS->columnHeader(2), "Comes From");
        EXPECT_EQ(f.SS->maxRows(), 4);
        EXPECT_EQ(QStringList({f.SS->text(1, 1), f.SS->text(2, 1), f.SS->text(3, 1), f.SS->text(4, 1)}),
                  QStringList({"pH", "Chloride", "TCE", "Zinc"}));
        EXPECT_EQ(QStringList({f.SS->text(1, 2), f.SS->text(2, 2), f.SS->text(3, 2), f.SS->text(4, 2)}),
                  QStringList({"pH", "", "TCE", ""}));
        EXPECT_TRUE(f.SS->isLocked(2, 1));
        EXPECT_FALSE(f.SS->isLocked(2, 2));
        EXPECT_TRUE(
            f.Label1->text().startsWith("NOTE:  After your database is redefined, a copy of the old format "
                                        "is saved as 'TEMP.MDB.'"));
        f.SS->setText(2, 2, " cl ");
        ui.answer(vb::OK, "Parameter 'cl' was not found in Database");
        f.Command1->click();
        EXPECT_TRUE(f.isVisible());
        f.SS->setText(2, 2, "Cl");
        f.Command1->click();
    };
    w->mnuEditProject->trigger();
    EXPECT_EQ(redefShown, 1);
    EXPECT_EQ(m.NumParams, 4);
    EXPECT_EQ(fieldsOf(db()), QStringList({"Source", "Samp_Date", "Dup", "pH", "Chloride", "TCE", "Zinc"}));
    QList<QStringList> expected = before;
    for (QStringList& rec : expected)
        rec << "(null)";
    EXPECT_EQ(dump(db()), expected);
    EXPECT_EQ(readRaw(pf.file("TEMP.MDB")), beforeBytes);
    EXPECT_EQ(fieldsOf(pf.file("TEMP.MDB")), QStringList({"Source", "Samp_Date", "Dup", "pH", "Cl", "TCE"}));
    EXPECT_EQ(qtext::ReadLines(m.ProjectFile).mid(16, 4).value(1).section('|', 0, 0), "Chloride");
    EXPECT_EQ(w->Label1->text(), "Source: MW-1");
    EXPECT_EQ(w->SS->columnHeader(5), "Chloride");
    EXPECT_EQ(w->SS->text(3, 5), "14");
}

TEST_F(Database, ClearNeedsAProjectAndAYes) {
    ScriptedUi ui;
    // No project: the message only.
    ui.answer(vb::OK, "You must first open a project before you can CLEAR THE DATABASE.");
    w->mnuClearDatabase->trigger();
    ui.answer(vb::OK, "You must first open a project before you can IMPORT DATA.");
    w->mnuImport->trigger();
    ui.answer(vb::OK, "You must first open a project before you can EXPORT DATA.");
    w->mnuExport->trigger();
    EXPECT_EQ(ui.texts.size(), 3);
    EXPECT_EQ(ui.styles.value(0), vb::Exclamation);
    EXPECT_EQ(QDir(pf.path()).entryList({"*.MDB", "*.mdb"}, QDir::Files), QStringList());

    // Answered No: nothing changes.
    const QString site = makeSite(pf.path());
    ui.file(site, "Open");
    w->mnuOpenProject->trigger();
    const QByteArray bytes = readRaw(pf.file("site.mdb"));
    ui.answer(vb::No, "Do you wish to continue?");
    w->mnuClearDatabase->trigger();
    EXPECT_EQ(ui.styles.last(), vb::YesNo | vb::Question | vb::DefaultButton2);
    EXPECT_EQ(ui.titles.last(), titleEmpty);
    EXPECT_EQ(readRaw(pf.file("site.mdb")), bytes);
    EXPECT_FALSE(QFile::exists(pf.file("TEMP.MDB")));
    EXPECT_EQ(w->SS->maxRows(), 3);
}

TEST_F(Database, AFailedRestructureOrImportLeavesTheDatabaseAndTheGridAsTheyWere) {
    ScriptedUi ui;
    const QString site = makeSite(pf.path());
    ui.file(site, "Open");
    w->mnuOpenProject->trigger();
    const QByteArray bytes = readRaw(pf.file("site.mdb"));
    const QByteArray project = readRaw(site);
    const QList<QStringList> grid = shown();

    dbFaultHook() = [](QStringView step, qint64 n) {
        if ((step == u"copy" && n == 3) || (step == u"import" && n == 2)) raiseError(qmerr::PathFileAccess);
    };
    onProjInfo = [](frmProjInfo& f) {
        f.SS->setText(6, 1, "Zinc");
        f.btnOK->click();
    };
    onRedef = [](frmGWRedef& f) { f.Command1->click(); };
    ui.answer(vb::OK,
              "Error 75 in RedefineDb.  Please contact Kalvex\r\n\r\nThe database site.mdb has not been "
              "changed.");
    w->mnuEditProject->trigger();
    EXPECT_EQ(readRaw(pf.file("site.mdb")), bytes);
    EXPECT_EQ(readRaw(site), project);
    EXPECT_EQ(modgw().NumParams, 5);
    EXPECT_FALSE(QFile::exists(pf.file("TEMP.MDB")));
    EXPECT_EQ(shown(), grid);

    writeRaw(pf.file("in.txt"), "MW-1\t1/1/2003\t\t7\r\nMW-1\t1/2/2003\t\t7\r\nMW-1\t1/3/2003\t\t7\r\n");
    ui.file(pf.file("in.txt"), "Import Data")
        .answer(vb::OK, "Line 2 of the file.  No record of the file has been "
                        "imported.");
    w->mnuImport->trigger();
    EXPECT_EQ(readRaw(pf.file("site.mdb")), bytes);
    EXPECT_EQ(shown(), grid);
}

TEST_F(Database, OpeningAProjectPutsBackTheDatabaseARestructureWasKilledBeforeRenaming) {
    ScriptedUi ui;
    const QString site = makeSite(pf.path());
    const QList<QStringList> records = dump(pf.file("site.mdb"));
    // Killed between the two renames of the rotation: the new database never took the live name.
    QFile::copy(pf.file("site.mdb"), pf.file(".qmar-new-31337.mdb"));
    QFile::rename(pf.file("site.mdb"), pf.file("TEMP.MDB"));
    writeRaw(pf.file(".qmar-oldbackup-31337.mdb"), "the backup before");
    ui.file(site, "Open");
    w->mnuOpenProject->trigger();
    EXPECT_EQ(modgw().ProjectFile, site);
    EXPECT_EQ(w->SS->maxRows(), 3);
    EXPECT_EQ(dump(pf.file("site.mdb")), records);
    EXPECT_TRUE(QDir(pf.path()).entryList({".qmar-*"}, QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(Database, ClearRefusesWhileAnotherProgramHoldsTheDatabase) {
    ScriptedUi ui;
    const QString site = makeSite(pf.path());
    ui.file(site, "Open");
    w->mnuOpenProject->trigger();
    const QByteArray bytes = readRaw(pf.file("site.mdb"));
    {
        SampleDb other;
        other.open(pf.file("site.mdb"));
        QSqlQuery reading(other.database());
        ASSERT_TRUE(reading.exec("BEGIN"));
        ASSERT_TRUE(reading.exec("SELECT COUNT(*) FROM \"Data\""));
        ASSERT_TRUE(reading.next());
        ui.answer(vb::Yes, "Do you wish to continue?")
            .answer(vb::OK, "is in use by another program.  Close it there and try again.\r\n\r\nThe database "
                            "site.mdb has not been changed.");
        w->mnuClearDatabase->trigger();
        reading.finish();
    }
    EXPECT_EQ(readRaw(pf.file("site.mdb")), bytes);
    EXPECT_FALSE(QFile::exists(pf.file("TEMP.MDB")));
    EXPECT_EQ(w->SS->maxRows(), 3); // bound again to what is there
}

TEST(DemoProject, TheFirstStartOpensTheDemoSiteWithItsRecords) {
    modgw().reset();
    startupHooks().reset();
    TempProgramFolder pf;
    ASSERT_TRUE(SeedProgramFolder());
    const QString demo = pf.file("demo/millbrook.qlp");
    EXPECT_EQ(qtext::ReadLines(pf.file("qmarrecent.txt")).value(0), demo);
    forms::setModalHook([](QDialog& d) { d.reject(); });
    frmDatAGrid& w = forms::form<frmDatAGrid>();
    w.Form_Load();
    w.Timer1->stop();
    const ModGW& m = modgw();
    EXPECT_EQ(m.ProjectFile, demo);
    EXPECT_EQ(m.NumSources, 10);
    EXPECT_EQ(m.NumParams, 20);
    EXPECT_EQ(w.Label1->text(), "Source: MW-1");
    EXPECT_EQ(w.SS->maxCols(), 23);
    EXPECT_EQ(w.SS->columnHeader(4), "WL_Elev");
    // Six years of quarterly samples.
    EXPECT_GE(w.SS->maxRows(), 24);
    EXPECT_EQ(dump(pf.file("demo/millbrook.mdb")).size(),
              qtext::ReadLines(pf.file("demo/millbrook.txt")).size());
    // A second start copies nothing over what the user has.
    qtext::WriteLines(pf.file("qmarrecent.txt"), {"/elsewhere/x.qlp"});
    ASSERT_TRUE(SeedProgramFolder());
    EXPECT_EQ(qtext::ReadLines(pf.file("qmarrecent.txt")).value(0), "/elsewhere/x.qlp");
    forms::setModalHook(nullptr);
    forms::unloadAll();
}
