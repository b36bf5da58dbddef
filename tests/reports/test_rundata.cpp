// SPDX-License-Identifier: GPL-3.0-or-later
// The run-data step: the run file and the data files of the source summary, the parameter summary
// and the groundwater elevation report, compared byte for byte with hand-written files.
#include "platform/dates.h"
#include "platform/qmerror.h"
#include "platform/sampledb.h"
#include "platform/uiservice.h"
#include "project/modgw.h"
#include "reports/gwgraph.h"
#include "reports/rundata.h"
#include "support/programstate.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

QByteArray expectedBytes(const QString& name, const QString& dir) {
    QFile f(QStringLiteral(QMAR_TEST_DATA "/rundata/") + name);
    if (!f.open(QIODevice::ReadOnly)) return "missing golden file " + name.toUtf8();
    QByteArray bytes = f.readAll();
    bytes.replace("@DIR@", dir.toUtf8());
    bytes.replace("\n", "\r\n"); // the files are kept with plain line ends; the writer ends in CR LF
    return bytes;
}

class RunData : public ProgramStateTest {
protected:
    void SetUp() override {
        dir = program.path() + QStringLiteral("proj");
        QDir().mkpath(dir + QStringLiteral("/reports.v2"));
        ModGW& g = modgw();
        g.DatabaseFile = dir + QStringLiteral("/site.mdb");
        const QStringList names{"pH", "Cond", "Lead", "Level"};
        const QList<QStringList> params{
            {"pH", "SU", "8.5", "0,14,2", "", "pH Value"},
            {"Cond", "umhos", "", "0,1000,100", "", "Conductivity"},
            {"Lead", "mg/L", ".015", "LOG", "", "Lead, total"},
            {"Level", "ft", "", "0,50,10", "", "Water Level"},
        };
        g.NumParams = 4;
        for (int p = 1; p <= 4; ++p)
            for (int f = 1; f <= 6; ++f) g.ParamTable[p][f] = params[p - 1][f - 1];
        g.ReportStartDate = QStringLiteral("01/01/1998");
        g.ReportEndDate = QStringLiteral("12/31/2000");

        SampleDb db;
        db.create(g.DatabaseFile, names);
        db.begin();
        // Stored out of order: the run writes by date, then duplicate code.
        db.insert({"MW-1", "1998-03-21", "A", "7.2", "515", "-", "12.4"});
        db.insert({"MW-1", "1998-06-15", "", "6.9", "", ".012", "13.1"});
        db.insert({"MW-1", "1998-03-21", "", "7.1", "520", "<.005", "12.5"});
        db.insert({"MW-1", "2001-01-10", "", "7", "600", ".02", "14"}); // after the window
        db.insert({"MW-1", "", "", "8", "1", "1", "1"});                 // no date
        db.insert({"O'Brien 3", "1997-11-02", "", "6.5", "300", "", "20.2"}); // before it
        db.insert({"O'Brien 3", "1999-09-09", "B", "", "", "", "22.5"});
        db.insert({"O'Brien 3", "1998-03-21", "", "6.6", "310", ".008", "21"});
        db.insert({"MW-2", "2002-05-05", "", "7.5", "400", "", "9"});
        db.commit();
        db.close();
    }

    void select(const QList<std::pair<QString, int>>& items) {
        GwGraph& r = gwgraph();
        r.NumSelected = int16_t(items.size());
        for (int i = 1; i <= items.size(); ++i) {
            r.SelectedNames[i] = items[i - 1].first;
            r.SelectedIndex[i] = int16_t(items[i - 1].second);
        }
    }

    void itemNotes(int item, const QStringList& lines) {
        auto& n = modgw().ReportNotes;
        n.ItemNoteCount[item] = int16_t(lines.size());
        for (int k = 1; k <= lines.size(); ++k) n.ItemNotes[item][k] = lines[k - 1];
    }

    void sourceSummary(const QStringList& slotNumbers) {
        ModGW& g = modgw();
        g.WellSumFile = dir + QStringLiteral("/reports.v2/plant.wsf");
        g.WellSum.NumWellList = 3;
        for (int j = 1; j <= slotNumbers.size(); ++j) g.WellSum.WellSumGrid[j][1] = slotNumbers[j - 1];
    }

    static QByteArray readFile(const QString& path) { return readRaw(path); }

    TempProgramFolder program;
    ScriptedUi ui;
    QString dir;
};

TEST(RunDataFile, NamesTheDataFileBesideTheDefinition) {
    using rundata::DataFilePath;
    EXPECT_EQ(DataFilePath("/a/plant.wsf", "WSD"), "/a/plant.WSD");
    EXPECT_EQ(DataFilePath("/a/b.v2/plant.gwf", "GWD"), "/a/b.v2/plant.GWD");
    // No extension of four characters: the data extension is appended, never cut into the name
    // or into a folder whose name holds a dot.
    EXPECT_EQ(DataFilePath("/a/plant", "PSD"), "/a/plant.PSD");
    EXPECT_EQ(DataFilePath("/a/b.v2/plant", "WSD"), "/a/b.v2/plant.WSD");
    EXPECT_EQ(DataFilePath("/a/plant.ab", "WSD"), "/a/plant.ab.WSD");
    EXPECT_EQ(DataFilePath("/a.wsf/p", "WSD"), "/a.wsf/p.WSD");
    EXPECT_TRUE(rundata::RunFilePath().endsWith("/log.mas"));
}

// Slots 1 and 3 used, slot 2 empty (an empty field between commas), slot 4 holding 0 (an empty
// last column, never the duplicate code); records outside the window and without a date left out;
// a source without records in the window; a name with a quote; a definition in a dotted folder.
TEST_F(RunData, SourceSummaryWithAGapSlot) {
    sourceSummary({"1", "", "3", "0"});
    select({{"MW-1", 1}, {"O'Brien 3", 2}, {"MW-2", 3}});
    itemNotes(1, {"Screened 10-20 ft", "Dry in summer"});
    itemNotes(3, {"No samples"});
    ASSERT_TRUE(CreateWellData());
    EXPECT_EQ(readFile(dir + "/reports.v2/plant.WSD"), expectedBytes("wellsum_gap.WSD", dir));
    EXPECT_EQ(readFile(rundata::RunFilePath()), expectedBytes("wellsum_log.mas", dir));
}

TEST_F(RunData, SourceSummaryOfSlotOneOnly) {
    sourceSummary({"2"});
    select({{"O'Brien 3", 2}});
    ASSERT_TRUE(CreateWellData());
    EXPECT_EQ(readFile(dir + "/reports.v2/plant.WSD"), expectedBytes("wellsum_slot1.WSD", dir));
}

TEST_F(RunData, WindowTextsThatAreNoDatesSelectEveryDatedRecord) {
    modgw().ReportStartDate.clear();
    modgw().ReportEndDate = QStringLiteral("soon");
    sourceSummary({"4"});
    select({{"MW-1", 1}});
    ASSERT_TRUE(CreateWellData());
    const QByteArray lines = readFile(dir + "/reports.v2/plant.WSD");
    EXPECT_EQ(lines, "MW-1\r\nSource 1 of 3\r\n4\r\n03/21/1998,12.5\r\n03/21/1998A,12.4\r\n"
                     "06/15/1998,13.1\r\n01/10/2001,14\r\n0\r\n");
}

// Every record is written: the run files are transient and hold no fixed number of lines.
TEST_F(RunData, WritesMoreThanTwoHundredRecordsOfASource) {
    {
        SampleDb db;
        db.open(modgw().DatabaseFile);
        const QDate first(1999, 1, 1);
        db.begin();
        for (int d = 0; d < 250; ++d)
            db.insert({"Many", qdate::ToIso(first.addDays(d)), "", "1"});
        db.commit();
    }
    sourceSummary({"1"});
    select({{"Many", 1}});
    ASSERT_TRUE(CreateWellData());
    const QStringList lines = QString::fromLatin1(readFile(dir + "/reports.v2/plant.WSD")).split("\r\n");
    EXPECT_EQ(lines.value(2), "250");
    EXPECT_EQ(lines.value(252), "09/07/1999,1");
}

// A parameter with its records per source; a parameter number 0 gives empty heading fields and
// empty values.
TEST_F(RunData, ParameterSummary) {
    ModGW& g = modgw();
    g.Par1SumFile = dir + QStringLiteral("/lead.psf");
    g.Par1Sum.Par1ParCount = 5;
    g.Par1Sum.Par1SourceCount = 2;
    g.Par1Sum.Par1Sources[1] = QStringLiteral("MW-1");
    g.Par1Sum.Par1Sources[2] = QStringLiteral("O'Brien 3");
    select({{"", 2}, {"", 4}});
    gwgraph().SelectedParam[1] = 3;
    gwgraph().SelectedParam[2] = 0;
    itemNotes(2, {"Lead note"});
    ASSERT_TRUE(CreatePar1Data());
    EXPECT_EQ(readFile(dir + "/lead.PSD"), expectedBytes("par1.PSD", dir));
    EXPECT_EQ(readFile(rundata::RunFilePath()), expectedBytes("par1_log.mas", dir));
}

// Positions 1 and 3 of a set filled: three sources, the second empty without records; a set with
// no source at all.
TEST_F(RunData, GroundwaterElevation) {
    ModGW& g = modgw();
    g.GWElevFile = dir + QStringLiteral("/levels.gwf");
    auto& d = g.GWElev;
    d.GWElevParameter = 4;
    d.GWElevKind = QStringLiteral("E");
    d.GWElevInfo[1] = QStringLiteral("Main");
    d.GWElevInfo[3] = QStringLiteral("Sub 2");
    d.GWElevInfo[4] = QStringLiteral("Sub 3");
    d.GWElevSetCount = 5;
    d.GWElevSetSources[2][1] = QStringLiteral("MW-1");
    d.GWElevSetValues[2][1] = QStringLiteral("100.5");
    d.GWElevSetSources[2][3] = QStringLiteral("O'Brien 3");
    d.GWElevSetValues[2][3] = QStringLiteral("98.25");
    d.GWElevSetScales[2] = QStringLiteral("0,50,10");
    g.ReportNotes.GeneralNoteCount = 1;
    g.ReportNotes.GeneralNotes[1] = QStringLiteral("Elevations in ft MSL");
    select({{"Set 2", 2}, {"Set 5", 5}});
    itemNotes(5, {"Empty set"});
    ASSERT_TRUE(CreateGWElevData());
    EXPECT_EQ(readFile(dir + "/levels.GWD"), expectedBytes("gwelev.GWD", dir));
    EXPECT_EQ(readFile(rundata::RunFilePath()), expectedBytes("gwelev_log.mas", dir));
}

// A failed step says so, returns false and leaves the run file and the data file as they were.
TEST_F(RunData, FailuresChangeNoFile) {
    const QString runFile = rundata::RunFilePath();
    const QString dataFile = dir + "/reports.v2/plant.WSD";
    writeRaw(runFile, "old run\r\n");
    writeRaw(dataFile, "old data\r\n");
    sourceSummary({"1"});
    select({{"MW-1", 1}});

    const QString database = modgw().DatabaseFile;
    modgw().DatabaseFile = dir + QStringLiteral("/gone.mdb");
    ui.answer(vb::OK, QStringLiteral("Error 3024 in CreateWellData.  Please contact Kalvex"));
    EXPECT_FALSE(CreateWellData());
    modgw().DatabaseFile = database;

    // The definition's folder cannot take the data file.
    modgw().WellSumFile = dir + QStringLiteral("/nowhere/plant.wsf");
    ui.answer(vb::OK, QStringLiteral("Error 75 in CreateWellData.  Please contact Kalvex"));
    EXPECT_FALSE(CreateWellData());

    // A parameter the project has but the database lacks a field for.
    modgw().WellSumFile = dir + QStringLiteral("/reports.v2/plant.wsf");
    modgw().NumParams = 5;
    sourceSummary({"5"});
    ui.answer(vb::OK, QStringLiteral("Error 3265 in CreateWellData.  Please contact Kalvex"));
    EXPECT_FALSE(CreateWellData());
    modgw().NumParams = 4;

    modgw().Par1SumFile = dir + QStringLiteral("/nowhere/lead.psf");
    gwgraph().SelectedParam[1] = 1;
    ui.answer(vb::OK, QStringLiteral("Error 75 in CreatePar1Data.  Please contact Kalvex"));
    EXPECT_FALSE(CreatePar1Data());

    modgw().DatabaseFile = dir + QStringLiteral("/gone.mdb");
    modgw().GWElevFile = dir + QStringLiteral("/levels.gwf");
    ui.answer(vb::OK, QStringLiteral("Error 3024 in CreateGWElevData.  Please contact Kalvex"));
    EXPECT_FALSE(CreateGWElevData());

    EXPECT_EQ(readFile(runFile), "old run\r\n");
    EXPECT_EQ(readFile(dataFile), "old data\r\n");
    EXPECT_FALSE(QFile::exists(dir + "/levels.GWD"));
    EXPECT_EQ(ui.texts.size(), 5);
}

} // namespace
