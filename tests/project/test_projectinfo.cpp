// SPDX-License-Identifier: GPL-3.0-or-later
// The project form's OK without the form: refusals, saving, the redefine question, a new project and
// the roll-back of every failure.
#include "dbtest.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"
#include "project/projectinfo.h"
#include "support/faultydisk.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QDir>
#include <QFile>

namespace {

class ProjectInfoCore : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        useProject({"pH", "Cl", "TCE", "Nitrate", "Elev"});
        insert(file("site.mdb"), {{"MW-1", "1999-03-04", "", "6.5", "12", "<1", "2.1", "98.5"}});
        QFile::copy(QStringLiteral(QMAR_TEST_DATA "/site.qlp"), file("site.qlp"));
        QFile::setPermissions(file("site.qlp"), QFile::ReadOwner | QFile::WriteOwner);
        ASSERT_TRUE(OpenProjectInfo());
        fields = LoadProjectInfo();
        project = readRaw(file("site.qlp"));
        database = readRaw(file("site.mdb"));
    }
    // OK with the fields, the redefine question answered by confirm (counted in asked).
    ProjectInfoResult ok(bool confirm = false) {
        return ApplyProjectInfo(fields, [this, confirm] {
            ++asked;
            return confirm;
        });
    }
    // The open project is as it was before OK: file, database and tables.
    void expectUnchanged() {
        const ModGW& m = modgw();
        EXPECT_EQ(readRaw(file("site.qlp")), project);
        EXPECT_EQ(readRaw(file("site.mdb")), database);
        EXPECT_EQ(m.ProjectFile, file("site.qlp"));
        EXPECT_EQ(m.ClientInfo[1], "Riverside Plating Works");
        EXPECT_EQ(m.NumParams, 5);
        EXPECT_EQ(m.NumSources, 4);
        EXPECT_EQ(m.LessThanFactor, ".5");
        EXPECT_EQ(ProjectFileLines(), qtext::ReadLines(QStringLiteral(QMAR_TEST_DATA "/site.qlp")));
    }
    ProjectInfoFields fields;
    QByteArray project, database;
    int asked = 0;
};

} // namespace

TEST_F(ProjectInfoCore, LoadGivesTheOpenProjectOrOnlyTheSettingsOfANewOne) {
    ModGW& m = modgw();
    EXPECT_TRUE(fields.clientText.startsWith("Riverside Plating Works\nGroundwater Monitoring Program\n"));
    EXPECT_EQ(fields.clientText.count(u'\n'), 9);
    ASSERT_EQ(fields.sources.size(), 4);
    EXPECT_EQ(fields.sources[2][0], "O'Brien 3");
    ASSERT_EQ(fields.params.size(), 5);
    EXPECT_EQ(fields.params[1][9], " 16887-00-6");
    EXPECT_EQ(fields.reportEndDate, "12/31/2002");
    EXPECT_EQ(m.OldParamCount, 5);
    EXPECT_EQ(m.OldParamNames[5], "Elev");

    m.NewProjectMode = -1;
    m.OldParamCount = 0;
    const ProjectInfoFields blank = LoadProjectInfo();
    EXPECT_TRUE(blank.clientText.isEmpty());
    EXPECT_TRUE(blank.sources.isEmpty());
    EXPECT_TRUE(blank.params.isEmpty());
    EXPECT_EQ(blank.lessThanFactor, ".5");
    EXPECT_EQ(m.OldParamCount, 0);
}

TEST_F(ProjectInfoCore, EveryRefusalNamesItsWarningAndChangesNothing) {
    struct Case {
        const char* warning;
        std::function<void(ProjectInfoFields&)> edit;
    };
    const QList<Case> cases = {
        {"The Start Date holds a line break.  Please remove it and try again.",
         [](ProjectInfoFields& f) { f.reportStartDate = "1/1/2000\r"; }},
        {"The \"<\" Factor holds a line break.  Please remove it and try again.",
         [](ProjectInfoFields& f) { f.lessThanFactor = "\n.5"; }},
        {"The Source List holds more than 500 rows.  Please delete some and try again.",
         [](ProjectInfoFields& f) { f.sources.resize(501); }},
        {"The Parameter List holds more than 500 rows.  Please delete some and try again.",
         [](ProjectInfoFields& f) { f.params.resize(501); }},
        {"Source row 3 holds a \"|\", a Tab or a line break.  Please remove it and try again.",
         [](ProjectInfoFields& f) { f.sources[2][1] = "1|2"; }},
        {"Parameter row 5 holds a \"|\", a Tab or a line break.  Please remove it and try again.",
         [](ProjectInfoFields& f) { f.params[4][9] = "a\nb"; }},
        {"Parameter Name #2 is empty.  Please name it and try again.",
         [](ProjectInfoFields& f) { f.params[1][0].clear(); }},
        {"Parameter Name #1 is invalid because it contains a period.  Please rename it and try again.",
         [](ProjectInfoFields& f) { f.params[0][0] = "p.H"; }},
        {"Parameter Name #3 is invalid because Source, Samp_Date and Dup are fields of the database.  "
         "Please rename it and try again.",
         [](ProjectInfoFields& f) { f.params[2][0] = "SAMP_DATE"; }},
        {"Duplicate Parameters Found - Rename and Try Again.",
         [](ProjectInfoFields& f) { f.params[4][0] = "ph"; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.warning);
        ScriptedUi ui; // the core itself shows nothing
        ProjectInfoFields f = fields;
        f.clientText = "Changed client";
        c.edit(f);
        const ProjectInfoResult r = ApplyProjectInfo(f, [this] { return ++asked, true; });
        EXPECT_EQ(r.outcome, ProjectInfoOutcome::Refused);
        EXPECT_EQ(r.warning, c.warning);
        EXPECT_FALSE(r.closesForm());
        EXPECT_EQ(asked, 0);
        expectUnchanged();
    }
}

TEST_F(ProjectInfoCore, ClientTextTheSplitterRefusesIsReportedThere) {
    ScriptedUi ui;
    ui.answer(vb::OK, "Error 9 in Text2Array.");
    fields.clientText = QString("line\n").repeated(201);
    const ProjectInfoResult r = ok();
    EXPECT_EQ(r.outcome, ProjectInfoOutcome::Failed);
    EXPECT_FALSE(r.error);
    expectUnchanged();
}

TEST_F(ProjectInfoCore, TheSameParametersSaveTheRestWithoutAsking) {
    fields.clientText = "Acme\nSite B";
    fields.sources.append(SourceRow{"MW-5", "1", "2", ""});
    fields.params[0][1] = "pH units"; // not a name: no question
    fields.reportStartDate = "1/1/2000";
    const ProjectInfoResult r = ok();
    EXPECT_EQ(r.outcome, ProjectInfoOutcome::Saved);
    EXPECT_TRUE(r.closesForm());
    EXPECT_EQ(asked, 0);
    const ModGW& m = modgw();
    EXPECT_EQ(m.ParamsChanged, 0);
    EXPECT_EQ(m.ClientInfo[2], "Site B");
    EXPECT_EQ(m.ClientInfo[3], "");
    EXPECT_EQ(m.SourceTable[5][1], "MW-5");
    EXPECT_EQ(m.ParamTable[1][2], "pH units");
    EXPECT_EQ(ProjectFileLines(), qtext::ReadLines(file("site.qlp")));
    EXPECT_EQ(readRaw(file("site.mdb")), database);
}

TEST_F(ProjectInfoCore, AChangedParameterListIsRebuiltWhenConfirmedAndKeptWhenNot) {
    ModGW& m = modgw();
    fields.params.append(ParamRow{"Zinc", "ug/L"});
    fields.clientText = "New client";
    ProjectInfoResult r = ok(false);
    EXPECT_EQ(r.outcome, ProjectInfoOutcome::KeptParameters);
    EXPECT_TRUE(r.closesForm());
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(m.ParamsChanged, -1);
    EXPECT_EQ(m.RedefineConfirmed, 0);
    EXPECT_EQ(m.NewParamNames[6], "Zinc");
    EXPECT_EQ(m.NumParams, 5);
    EXPECT_EQ(m.ClientInfo[1], "New client");
    EXPECT_EQ(ProjectFileLines(), qtext::ReadLines(file("site.qlp")));
    EXPECT_EQ(readRaw(file("site.mdb")), database);

    r = ok(true);
    EXPECT_EQ(r.outcome, ProjectInfoOutcome::Redefined);
    EXPECT_FALSE(r.error);
    EXPECT_EQ(m.RedefineConfirmed, -1);
    EXPECT_EQ(m.NumParams, 6);
    EXPECT_EQ(fieldsOf(file("site.mdb")).last(), "Zinc");
    EXPECT_EQ(dump(file("site.mdb")).value(0).value(3), "6.5");
    EXPECT_EQ(ReadProjectFile(file("site.qlp")).params.value(5)[0], "Zinc");
    EXPECT_TRUE(QFile::exists(file("TEMP.MDB")));
}

TEST_F(ProjectInfoCore, AFailedRebuildPutsTheProjectBack) {
    ScriptedUi ui;
    dbFaultHook() = [](QStringView step, qint64) {
        if (step == u"rotate") raiseError(qmerr::PathFileAccess);
    };
    fields.params.append(ParamRow{"Zinc"});
    fields.clientText = "Other client";
    ui.answer(vb::OK, "Error 75 in RedefineDb.");
    ProjectInfoResult r = ok(true);
    EXPECT_EQ(r.outcome, ProjectInfoOutcome::Failed);
    EXPECT_FALSE(r.error);
    expectUnchanged();
    EXPECT_EQ(QDir(folder()).entryList({"*.qlp*"}, QDir::Files | QDir::Hidden), QStringList{"site.qlp"});

    // A project file gone meanwhile is written anew, as the project stood before OK.
    QFile::remove(file("site.qlp"));
    ui.answer(vb::OK, "Error 75 in RedefineDb.");
    r = ok(true);
    EXPECT_EQ(r.outcome, ProjectInfoOutcome::Failed);
    expectUnchanged();
}

TEST_F(ProjectInfoCore, AProjectFileThatCannotBeWrittenComesBackAsTheError) {
    ScriptedUi ui; // the error is the caller's to show
    fields.clientText = QString("a long client line\n").repeated(9);
    ProjectInfoResult r;
    {
        FileSizeLimit limit(256);
        r = ok();
    }
    EXPECT_EQ(r.outcome, ProjectInfoOutcome::Failed);
    ASSERT_TRUE(r.error);
    EXPECT_EQ(r.error->number(), qmerr::DiskFull);
    expectUnchanged();
}

TEST_F(ProjectInfoCore, ANewProjectGetsAFreeNameItsFileAndItsDatabaseOrNothing) {
    ModGW& m = modgw();
    m.NewProjectMode = -1;
    m.CentralDataPath = folder();
    fields = {};
    fields.clientText = "Acme";
    fields.sources = {SourceRow{"NEW-1"}};
    fields.params = {ParamRow{"pH"}, ParamRow{"Cl"}};
    ScriptedUi ui;

    ui.file("", "Save Project As...");
    EXPECT_EQ(ok().outcome, ProjectInfoOutcome::SaveCancelled);
    EXPECT_EQ(ui.fileRequests.last().initDir, folder());
    EXPECT_EQ(m.ProjectFile, file("site.qlp"));
    EXPECT_EQ(m.NumParams, 5);

    ui.file(file("site.qlp"));
    ProjectInfoResult r = ok();
    EXPECT_EQ(r.outcome, ProjectInfoOutcome::Refused);
    EXPECT_EQ(r.warning,
              "The database " + file("site.mdb") + " already exists.  Please choose another project name.");
    expectUnchanged();

    // The database cannot be made: the open project stays.
    ui.file(file("nowhere/new.qlp")).answer(vb::OK, "Could not create database");
    EXPECT_EQ(ok().outcome, ProjectInfoOutcome::Failed);
    expectUnchanged();

    // The project file cannot be written: its new database goes again.
    QDir(folder()).mkdir("taken.qlp");
    ui.file(file("taken.qlp"));
    r = ok();
    EXPECT_EQ(r.outcome, ProjectInfoOutcome::Failed);
    EXPECT_TRUE(r.error);
    EXPECT_FALSE(QFile::exists(file("taken.mdb")));
    expectUnchanged();

    ui.file(file("gamma.qlp"));
    r = ok();
    EXPECT_EQ(r.outcome, ProjectInfoOutcome::Created);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(m.ProjectFile, file("gamma.qlp"));
    EXPECT_EQ(m.DatabaseFile, file("gamma.mdb"));
    EXPECT_EQ(m.DataFolder, folder());
    EXPECT_EQ(fieldsOf(file("gamma.mdb")), QStringList({"Source", "Samp_Date", "Dup", "pH", "Cl"}));
    EXPECT_EQ(
        qtext::ReadLines(file("gamma.qlp")).mid(0, 15),
        QStringList({"", "Acme", "", "", "", "", "", "", "", "", "", "1", "NEW-1|||", "2", "pH|||||||||"}));
}
