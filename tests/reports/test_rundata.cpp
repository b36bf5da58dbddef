// SPDX-License-Identifier: GPL-3.0-or-later
// The run-data step: the run file and the data files of the five report kinds on the fixture site
// (tests/data/rundata/site: the project file and its records), compared byte for byte with files
// written by hand from the records listed in that folder's runsite.txt.
#include "drawwin/drawfiles.h"
#include "drawwin/toolbar.h"
#include "platform/dates.h"
#include "platform/drawing/drawcodecs.h"
#include "platform/drawing/drawmodel.h"
#include "platform/qmerror.h"
#include "platform/sampledb.h"
#include "platform/textfile.h"
#include "platform/uiservice.h"
#include "project/importexport.h"
#include "project/modgw.h"
#include "project/projectfile.h"
#include "project/sampledbops.h"
#include "reports/gwgraph.h"
#include "reports/rundata.h"
#include "runsitefixture.h"
#include "support/faultydisk.h"
#include "support/programstate.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

using runsite::itemNotes;
using runsite::select;

QByteArray expectedBytes(const QString& name, const QString& dir) {
    QFile f(QStringLiteral(QMAR_TEST_DATA "/rundata/") + name);
    if (!f.open(QIODevice::ReadOnly)) return "missing golden file " + name.toUtf8();
    QByteArray bytes = f.readAll();
    bytes.replace("@DIR@", dir.toUtf8());
    bytes.replace("\n", "\r\n"); // the files are kept with plain line ends; the writer ends in CR LF
    return bytes;
}

// The fixture site: sources MW-1, "O'Brien 3" and MW-2; parameters pH, Cond, Lead and Level; report
// window 01/01/1998 to 12/31/2000; "<" factor .5. Its records are imported from runsite.txt, and one
// record without a date is added as older databases may hold one.
class RunData : public ProgramStateTest {
protected:
    void SetUp() override {
        dir = program.path() + QStringLiteral("proj");
        QDir().mkpath(dir + QStringLiteral("/reports.v2"));
        ASSERT_NO_FATAL_FAILURE(runsite::open(dir + QStringLiteral("/")));
        SampleDb db;
        db.open(modgw().DatabaseFile);
        db.insert({"MW-1", "", "", "8", "1", "1", "1"});
    }

    void sourceSummary(const QStringList& slotNumbers) {
        ModGW& g = modgw();
        g.WellSumFile = dir + QStringLiteral("/reports.v2/plant.wsf");
        g.WellSum.NumWellList = 3;
        for (int j = 1; j <= slotNumbers.size(); ++j) g.WellSum.WellSumGrid[j][1] = slotNumbers[j - 1];
    }

    // Episodes 1 to 4; parameters pH, Cond, an empty column, Lead, Level; the three sources.
    void dateSummary() {
        ModGW& g = modgw();
        g.DateSumFile = dir + QStringLiteral("/reports.v2/quarterly.dsf");
        auto& d = g.DateSum;
        const QStringList episodes{"03/01/1998", "03/21/1998", "09/01/1999", "09/30/1999",
                                   "05/01/2002", "05/31/2002", "10/01/1997", "11/01/1997"};
        d.DateEpisodeCount = 4;
        for (int e = 1; e <= 4; ++e) {
            d.DateEpisodes[1][e] = episodes[2 * e - 2];
            d.DateEpisodes[2][e] = episodes[2 * e - 1];
        }
        d.DateParCount = 5;
        const int params[] = {1, 2, 0, 3, 4};
        for (int j = 1; j <= 5; ++j) d.DateParams[j] = int16_t(params[j - 1]);
        const QList<QStringList> sources{
            {"MW-1", "A", "1200", "830"}, {"O'Brien 3", "B", "1620", "700"}, {"MW-2", "A", "1410", "955.5"}};
        d.DateSourceCount = 3;
        for (int k = 1; k <= 3; ++k)
            for (int f = 1; f <= 4; ++f) d.DateSources[k][f] = sources[k - 1][f - 1];
        const QStringList info{"Riverside Plating", "Quarterly Summary", "", "", "MCL"};
        for (int k = 1; k <= 5; ++k) d.DateInfo[k] = info[k - 1];
        const QStringList map{"1100,1700,100", "", "ft", "1", "1,2", "4"};
        for (int k = 1; k <= map.size(); ++k) d.DateMapInfo[k] = map[k - 1];
        g.ReportNotes.GeneralNoteCount = 1;
        g.ReportNotes.GeneralNotes[1] = QStringLiteral("Values as reported");
    }

    // Episodes 1 to 3. Set 1: Cond, a number the project lacks, Lead at MW-1 and "O'Brien 3"; set 2:
    // Level, pH, Cond at MW-2. The row counts are what the form's set grids showed.
    void stiff() {
        ModGW& g = modgw();
        g.StiffFile = dir + QStringLiteral("/ions.stf");
        auto& d = g.Stiff;
        const QStringList episodes{"03/01/1998", "03/21/1998", "09/01/1999", "09/30/1999",
                                   "05/01/2002", "05/31/2002"};
        d.StiffEpisodeCount = 3;
        for (int e = 1; e <= 3; ++e) {
            d.StiffEpisodes[1][e] = episodes[2 * e - 2];
            d.StiffEpisodes[2][e] = episodes[2 * e - 1];
        }
        const int params[2][3] = {{2, 9, 3}, {4, 1, 2}};
        for (int s = 1; s <= 2; ++s) {
            for (int r = 1; r <= 3; ++r) d.StiffParams[s][r] = int16_t(params[s - 1][r - 1]);
            d.StiffParCount[s] = 3;
        }
        d.StiffSources[1][1] = QStringLiteral("MW-1");
        d.StiffSources[1][2] = QStringLiteral("O'Brien 3");
        d.StiffSources[2][1] = QStringLiteral("MW-2");
        d.StiffSourceCount[1] = 2;
        d.StiffSourceCount[2] = 1;
        d.StiffInfo[1] = QStringLiteral("Riverside Plating");
        d.StiffInfo[2] = QStringLiteral("Stiff Diagrams");
        d.StiffInfo[4] = QStringLiteral("Quarterly");
        g.ReportNotes.GeneralNoteCount = 1;
        g.ReportNotes.GeneralNotes[1] = QStringLiteral("Means of the episode's samples");
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

// Two or more records of an episode give their mean cut to three digits, as its seven significant
// digits read and whatever its sign.
TEST(RunDataMean, CutsTheMeanToThreeDigits) {
    using rundata::CutMean;
    const std::pair<float, const char*> cases[] = {
        {0.012345f, ".0123"}, {5.678f, "5.67"},  {12.345f, "12.3"},      {123.45f, "123"},
        {12345.6f, "12300"},  {0.5f, ".5"},      {0.0000012f, "0"},      {0.00012345f, ".00012"},
        {0.6f, ".6"},         {5.7f, "5.7"},     {(7.1f + 7.2f) / 2, "7.15"},    {1.15f, "1.15"},
        {-5.678f, "-5.67"},   {-0.5f, "-.5"},    {0.0f, "0"},            {99.999f, "99.9"},
        {100.0f, "100"},      {1.0f, "1"},       {123456789.0f, "1.23E+08"},
    };
    for (const auto& [mean, text] : cases) EXPECT_EQ(CutMean(mean), text) << mean;
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

// Three of four episodes, in the order chosen. Episode 1 ends on the day of three records: MW-1's two
// give means (7.15, 517, "0" for "<.005" with "-", 12.4), "O'Brien 3"'s one its stored texts, MW-2
// none ("-"). Episode 2: one record's "-", empty value and "<.005" as stored. Episode 3, after the
// report window, which episodes do not use: 5.7 twice stays 5.7, 1.2 with "<1" gives .6, .0000012
// twice gives "0", -5.678 twice -5.67. The third column has no parameter: its heading fields are
// empty, its scale end "100" and its values empty. MW-1's record without a date is in no episode.
TEST_F(RunData, DateSummary) {
    dateSummary();
    select({{"03/01/1998 - 03/21/1998", 1}, {"09/01/1999 - 09/30/1999", 2}, {"05/01/2002 - 05/31/2002", 3}});
    itemNotes(1, {"Dry season"});
    itemNotes(3, {"Lead below detection", "Level below datum"});
    ASSERT_TRUE(CreateDateData());
    EXPECT_EQ(readFile(dir + "/reports.v2/quarterly.DSD"), expectedBytes("datesum.DSD", dir));
    EXPECT_EQ(readFile(rundata::RunFilePath()), expectedBytes("datesum_log.mas", dir));
}

// Means per source and row: "<.005" counts as .005 x .5, "<1" as .5; a row whose number the project
// lacks is "0" with empty heading lines; a source without records in the episode "0" throughout.
TEST_F(RunData, StiffDiagram) {
    stiff();
    select({{"03/01/1998 - 03/21/1998", 1}, {"05/01/2002 - 05/31/2002", 3}});
    itemNotes(3, {"After the report window"});
    ASSERT_TRUE(CreateStiffData());
    EXPECT_EQ(readFile(dir + "/ions.STD"), expectedBytes("stiff.STD", dir));
    EXPECT_EQ(readFile(rundata::RunFilePath()), expectedBytes("stiff_log.mas", dir));
}

// The lines of an episode block that follow its caption, up to its note count.
QStringList blockValues(const QByteArray& file, const QString& caption, int count) {
    const QStringList lines = QString::fromLatin1(file).split(QStringLiteral("\r\n"));
    const qsizetype at = lines.indexOf(caption);
    return at < 0 ? QStringList{} : lines.mid(at + 1, count);
}

// An episode mean is taken over the records that hold a value: pH "7.0" with a record without pH
// stays "7.0" (a Stiff 7), never 3.5; Cond, in neither record, is empty (a Stiff "0"); Lead "<.005"
// with .01 is .005 in the date summary and (.0025 + .01) / 2 in the Stiff diagram; Level 3 and 4 is
// 3.5. A record after the episode changes nothing.
TEST_F(RunData, EpisodeMeansCountOnlyRecordsHoldingAValue) {
    {
        SampleDb db;
        db.open(modgw().DatabaseFile);
        db.insert({"MW-9", "2003-01-05", "", "7.0", "", "<.005", "3"});
        db.insert({"MW-9", "2003-01-20", "B", "", "", ".01", "4"});
        db.insert({"MW-9", "2003-02-10", "", "9", "8", "1", "9"});
    }
    select({{"01/01/2003 - 01/31/2003", 1}});

    dateSummary();
    auto& d = modgw().DateSum;
    d.DateEpisodes[1][1] = QStringLiteral("01/01/2003");
    d.DateEpisodes[2][1] = QStringLiteral("01/31/2003");
    d.DateSourceCount = 2;
    d.DateSources[1][1] = QStringLiteral("MW-9");
    ASSERT_TRUE(CreateDateData());
    // pH, Cond, the empty column, Lead, Level of MW-9; then "O'Brien 3" without records.
    EXPECT_EQ(blockValues(readFile(dir + "/reports.v2/quarterly.DSD"), "Episode 1 of 4", 10),
              QStringList({"7.0", "", "", ".005", "3.5", "-", "-", "", "-", "-"}));

    stiff();
    auto& st = modgw().Stiff;
    st.StiffEpisodes[1][1] = QStringLiteral("01/01/2003");
    st.StiffEpisodes[2][1] = QStringLiteral("01/31/2003");
    st.StiffSources[1][1] = QStringLiteral("MW-9");
    st.StiffSourceCount[1] = 1;
    st.StiffSources[2][1] = QStringLiteral("MW-9");
    ASSERT_TRUE(CreateStiffData());
    // Set 1: Cond, the number the project lacks, Lead; set 2: Level, pH, Cond.
    EXPECT_EQ(blockValues(readFile(dir + "/ions.STD"), "Episode 1 of 3", 9),
              QStringList({"MW-9", "0", "0", ".00625", "MW-9", "3.5", "7", "0", "0"}));
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

// Killed after any step of a save of two files (run file and data file, drawing and bitmap), the
// next start, or the Open of the drawing in a folder that is neither the program's nor the data
// folder, finds the old pair or the new one, never one with the other, and no pending file.
TEST_F(RunData, AKilledSaveLeavesTheOldPairOrTheNew) {
    const QString folder = dir + "/reports.v2/";
    draw::DrawModel page;
    page.nextPicture = QImage(4, 4, QImage::Format_RGB32);
    page.nextPicture.fill(Qt::red);
    page.add(draw::Bitmap, 0, 0, 600, 600);
    sourceSummary({"1"});
    select({{"MW-1", 1}});
    ToolButtons buttons;
    const struct { std::function<void()> save, change, recover; QStringList files; } cases[] = {
        {[] { CreateWellData(); }, [] { select({{"MW-1", 1}, {"MW-2", 3}}); },
         [&] { qtext::RemoveLeftovers(program.path()); qtext::RemoveLeftovers(folder); }, // the next start and run
         {rundata::RunFilePath(), folder + "plant.WSD"}},
        {[&] { draw::writeDxf(page, folder + "page.dxf"); }, [&] { page.at(0).picture.fill(Qt::blue); },
         [&] { ui.file(folder + "page.dxf"), FileOpenDrawing(buttons, {}); },
         {folder + "page.dxf", folder + "page-1.bmp"}},
    };
    for (const auto& c : cases) {
        auto pair = [&] { return QByteArrayList{readFile(c.files[0]), readFile(c.files[1])}; };
        c.save();
        const QByteArrayList old = pair();
        c.change();
        QList<QByteArrayList> found;
        const int steps = KillAtEachStep(c.save, [&](int) {
            c.recover();
            found << pair();
            for (const QString& f : {program.path(), folder})
                EXPECT_EQ(QDir(f).entryList({"*.qmpending-*", "qmcommit-*"}, QDir::Files), QStringList());
        });
        ASSERT_EQ(steps, 12); // each file made, on disk; the note in place; each old one aside, new one in; note gone
        ASSERT_NE(pair(), old);
        for (int k = 0; k < found.size(); ++k) EXPECT_TRUE(found[k] == (k < 6 ? old : pair())) << "step " << k + 1;
    }
}

// The date summary and the Stiff diagram refuse what their readers cannot hold, and fail like the
// others, before either file changes. The date summary's message has no "in".
TEST_F(RunData, EpisodeFailuresChangeNoFile) {
    const QString runFile = rundata::RunFilePath();
    const QString dateFile = dir + "/reports.v2/quarterly.DSD";
    const QString stiffFile = dir + "/ions.STD";
    writeRaw(runFile, "old run\r\n");
    writeRaw(dateFile, "old dates\r\n");
    writeRaw(stiffFile, "old stiff\r\n");
    dateSummary();
    stiff();
    select({{"03/01/1998 - 03/21/1998", 1}});
    auto dateError = [](int n) { return QStringLiteral("Error %1 CreateDateData.  Please contact Kalvex").arg(n); };
    auto stiffError = [](int n) { return QStringLiteral("Error %1 in CreateStiffData.  Please contact Kalvex").arg(n); };
    ModGW& g = modgw();
    auto& d = g.DateSum;

    // Ten parameters, or forty sources: refused before the database is even opened.
    const QString database = g.DatabaseFile;
    g.DatabaseFile = dir + QStringLiteral("/gone.mdb");
    d.DateParCount = 10;
    ui.answer(vb::OK, dateError(9));
    EXPECT_FALSE(CreateDateData());
    d.DateParCount = 5;
    d.DateSourceCount = 40;
    ui.answer(vb::OK, dateError(9));
    EXPECT_FALSE(CreateDateData());
    d.DateSourceCount = 3;
    ui.answer(vb::OK, dateError(3024));
    EXPECT_FALSE(CreateDateData());
    g.DatabaseFile = database;

    // An episode whose date is no date; an episode the list does not have.
    d.DateEpisodes[2][1] = QStringLiteral("spring");
    ui.answer(vb::OK, dateError(13));
    EXPECT_FALSE(CreateDateData());
    d.DateEpisodes[2][1] = QStringLiteral("03/21/1998");
    select({{"03/01/1998 - 03/21/1998", 1}, {"", 5}});
    ui.answer(vb::OK, dateError(9));
    EXPECT_FALSE(CreateDateData());
    select({{"03/01/1998 - 03/21/1998", 1}});

    g.DateSumFile = dir + QStringLiteral("/nowhere/quarterly.dsf");
    ui.answer(vb::OK, dateError(75));
    EXPECT_FALSE(CreateDateData());

    g.Stiff.StiffParCount[2] = 9;
    ui.answer(vb::OK, stiffError(9));
    EXPECT_FALSE(CreateStiffData());
    g.Stiff.StiffParCount[2] = 3;
    g.Stiff.StiffSourceCount[1] = 6;
    ui.answer(vb::OK, stiffError(9));
    EXPECT_FALSE(CreateStiffData());
    g.Stiff.StiffSourceCount[1] = 2;
    g.DatabaseFile = dir + QStringLiteral("/gone.mdb");
    ui.answer(vb::OK, stiffError(3024));
    EXPECT_FALSE(CreateStiffData());
    g.DatabaseFile = database;
    g.StiffFile = dir + QStringLiteral("/nowhere/ions.stf");
    ui.answer(vb::OK, stiffError(75));
    EXPECT_FALSE(CreateStiffData());

    EXPECT_EQ(readFile(runFile), "old run\r\n");
    EXPECT_EQ(readFile(dateFile), "old dates\r\n");
    EXPECT_EQ(readFile(stiffFile), "old stiff\r\n");
    EXPECT_EQ(ui.texts.size(), 10);
}

} // namespace
