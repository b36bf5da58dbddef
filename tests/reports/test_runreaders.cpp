// SPDX-License-Identifier: GPL-3.0-or-later
// The run readers: what the run-data step writes reads back into the run state. Source summary,
// parameter summary and groundwater elevation are written here by the run-data step on the fixture
// site (tests/data/rundata/site); the date summary and Stiff files are the run-data goldens, which
// the run-data tests hold byte for byte to what that step writes. Edge cases use small files
// written in the test.
#include "platform/qmerror.h"
#include "platform/uiservice.h"
#include "project/importexport.h"
#include "project/modgw.h"
#include "project/projectfile.h"
#include "project/sampledbops.h"
#include "reportdefs/par1sumfile.h"
#include "reportdefs/wellsumfile.h"
#include "reports/rundata.h"
#include "reports/runreaders.h"
#include "runsitefixture.h"
#include "support/errorof.h"
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

const QString Pilcrow = QString(QChar(0x00B6));

QStringList values(const OneBased<QString>& list, int n) {
    QStringList out;
    for (int i = 1; i <= n; ++i)
        out << list[i];
    return out;
}

// The fixture site of the run-data tests: sources MW-1, "O'Brien 3" and MW-2; parameters pH, Cond,
// Lead and Level; report window 1998 to 2000; "<" factor .5.
class RunReaders : public ProgramStateTest {
protected:
    void SetUp() override {
        dir = program.path() + QStringLiteral("proj");
        QDir().mkpath(dir);
        ASSERT_NO_FATAL_FAILURE(runsite::open(dir + QStringLiteral("/")));
    }

    // A run-data golden copied beside the project.
    RunFile golden(const QString& name) {
        const QString path = dir + QStringLiteral("/") + name;
        QFile::copy(QStringLiteral(QMAR_TEST_DATA "/rundata/") + name, path);
        return {path, 0};
    }

    // A data file written by the test (lines joined by CR LF).
    RunFile file(const QString& name, const QStringList& lines) {
        const QString path = dir + QStringLiteral("/") + name;
        writeRaw(path, (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
        return {path, 0};
    }

    TempProgramFolder program;
    ScriptedUi ui;
    QString dir;
};

// Slots 1 and 3 with parameters, 2 empty between them, 4 holding 0 (a column with no values); the
// scale texts of every shape the split knows; a print choice in small letters; notes with the
// line-end mark. Source 3 has no records in the window and is read after source 1, whose records
// must not show through.
TEST_F(RunReaders, SourceSummaryRoundTrip) {
    ModGW& m = modgw();
    m.WellSumFile = dir + QStringLiteral("/plant.wsf");
    WellSumDefinition& d = m.WellSum;
    d.NumWellList = 3;
    d.WellList[1] = QStringLiteral("MW-1");
    d.WellList[2] = QStringLiteral("O'Brien 3");
    d.WellList[3] = QStringLiteral("MW-2");
    const QStringList numbers{"1", "", "3", "0"};
    const QStringList scales{"0,14,2", "0,100", "LOG", "0, 500, 50"};
    for (int j = 1; j <= 4; ++j) {
        d.WellSumGrid[j][1] = numbers[j - 1];
        d.WellSumGrid[j][8] = scales[j - 1];
    }
    d.WellSumGrid[1][2] = QStringLiteral("pH");
    d.WellSumGrid[1][5] = QStringLiteral("SU");
    d.WellSumGrid[1][6] = QStringLiteral("8.5");
    d.WellSumGrid[3][7] = QStringLiteral("Lead, total");
    const QStringList info{"Riverside", "Sub 1", "", "Sub 3", "b", "MCL", "06/15/1998"};
    for (int i = 1; i <= 7; ++i)
        d.WellSumInfo[i] = info[i - 1];
    m.ReportNotes.GeneralNoteCount = 2;
    m.ReportNotes.GeneralNotes[1] = QStringLiteral("Values as reported") + Pilcrow;
    m.ReportNotes.GeneralNotes[2] = QStringLiteral("in mg/L");
    itemNotes(1, {"Screened 10-20 ft", "Dry" + Pilcrow});
    itemNotes(3, {"No samples" + Pilcrow});
    writeWellSumFile(m.WellSumFile, d, m.ReportNotes);
    select({{"MW-1", 1}, {"O'Brien 3", 2}, {"MW-2", 3}});
    ASSERT_TRUE(CreateWellData());

    const auto run = readWellSumRun({m.WellSumFile, 3});
    ASSERT_TRUE(run);
    const WellSumRun& g = *run;
    EXPECT_EQ(g.SlotCount, 4);
    EXPECT_EQ(g.SlotParts[1][1], "pH");
    EXPECT_EQ(g.SlotUnits[1], "SU");
    EXPECT_EQ(g.SlotStandard[1], "8.5");
    EXPECT_EQ(g.SlotLabel[3], "Lead, total");
    auto scale = [&](int j) { return QStringList{g.SlotScale[j][1], g.SlotScale[j][2], g.SlotScale[j][3]}; };
    EXPECT_EQ(scale(1), QStringList({"0", "14", "2"}));
    EXPECT_EQ(scale(2), QStringList({"0", "", ""})); // one comma: no end
    EXPECT_EQ(scale(3), QStringList({"LOG", "", ""}));
    EXPECT_EQ(scale(4), QStringList({"0", "500", "50"}));
    EXPECT_EQ(QStringList(g.ReportTitles.begin() + 1, g.ReportTitles.begin() + 5),
              QStringList({"Riverside", "Sub 1", "", "Sub 3"}));
    EXPECT_EQ(g.TableGraphOption, "B");
    EXPECT_EQ(g.StandardLabel, "MCL");
    EXPECT_EQ(g.HighlightDate, "06/15/1998");
    EXPECT_EQ(g.RunGeneralNoteCount, 2);
    EXPECT_EQ(values(g.RunGeneralNotes, 2), QStringList({"Values as reported", "in mg/L"}));

    auto item = readWellSumItem(g, 1);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->ItemName, "MW-1");
    EXPECT_EQ(item->ItemCaption, "Source 1 of 3");
    ASSERT_EQ(item->RecordCount, 3);
    EXPECT_EQ(values(item->RecordDates, 3), QStringList({"03/21/1998", "03/21/1998A", "06/15/1998"}));
    EXPECT_EQ(values(item->RecordValues[2], 4), QStringList({"7.2", "", "-", ""}));
    EXPECT_EQ(values(item->RecordValues[1], 4), QStringList({"7.1", "", "<.005", ""}));
    EXPECT_EQ(values(item->RunItemNotes, 2), QStringList({"Screened 10-20 ft", "Dry"}));

    item = readWellSumItem(g, 3);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->ItemName, "MW-2");
    EXPECT_EQ(item->ItemCaption, "Source 3 of 3");
    EXPECT_EQ(item->RecordCount, 0);
    EXPECT_EQ(item->RecordDates.size(), 0);
    EXPECT_EQ(item->RecordValues.size(), 0);
    EXPECT_EQ(item->RunItemNoteCount, 1);
    EXPECT_EQ(item->RunItemNotes[1], "No samples");
    EXPECT_TRUE(ui.texts.isEmpty());
}

// Record lines as the reader splits them into SlotCount values: a gap, fewer fields than slots
// (the rest empty), no comma at all (a date only), more fields than slots (the last slot takes them).
TEST_F(RunReaders, SourceRecordLinesOfEveryShape) {
    file(QStringLiteral("plant.WSD"), {"MW-1", "Source 1 of 1", "5", "03/21/1998A,1.2,,3.4", "03/22/1998,5",
                                       "03/23/1998", "03/24/1998,1,2,3,4", "03/25/1998,,,", "0"});
    WellSumRun run;
    run.ReportFile = dir + QStringLiteral("/plant.wsf");
    run.SlotCount = 3;
    const auto item = readWellSumItem(run, 1);
    ASSERT_TRUE(item);
    const WellSumItem& g = *item;
    ASSERT_EQ(g.RecordCount, 5);
    EXPECT_EQ(values(g.RecordDates, 5),
              QStringList({"03/21/1998A", "03/22/1998", "03/23/1998", "03/24/1998", "03/25/1998"}));
    EXPECT_EQ(values(g.RecordValues[1], 3), QStringList({"1.2", "", "3.4"}));
    EXPECT_EQ(values(g.RecordValues[2], 3), QStringList({"5", "", ""}));
    EXPECT_EQ(values(g.RecordValues[3], 3), QStringList({"", "", ""}));
    EXPECT_EQ(values(g.RecordValues[4], 3), QStringList({"1", "2", "3,4"}));
    EXPECT_EQ(values(g.RecordValues[5], 3), QStringList({"", "", ""}));
}

// Item 3 of a parameter summary with two sources: found past two blocks whose record and note
// counts differ. The record dates lose the duplicate code; the scale splits into its parts.
TEST_F(RunReaders, ParameterSummaryItemThree) {
    ModGW& m = modgw();
    m.Par1SumFile = dir + QStringLiteral("/levels.psf");
    Par1SumDefinition& d = m.Par1Sum;
    d.Par1ParCount = 5;
    const int params[] = {1, 2, 3, 4, 0};
    for (int i = 1; i <= 5; ++i)
        d.Par1Params[i] = int16_t(params[i - 1]);
    d.Par1SourceCount = 2;
    d.Par1Sources[1] = QStringLiteral("MW-1");
    d.Par1Sources[2] = QStringLiteral("O'Brien 3");
    const QStringList info{"Riverside", "Levels", "", "", "Limit"};
    for (int i = 1; i <= 5; ++i)
        d.Par1Info[i] = info[i - 1];
    m.ReportNotes.GeneralNoteCount = 1;
    m.ReportNotes.GeneralNotes[1] = QStringLiteral("General") + Pilcrow;
    itemNotes(1, {"pH one", "pH two", "pH three"});
    itemNotes(4, {"Level note" + Pilcrow});
    writePar1SumFile(m.Par1SumFile, d, m.ReportNotes);
    select({{"", 1}, {"", 2}, {"", 4}});
    for (int i = 1; i <= 3; ++i)
        gwgraph().SelectedParam[i] = int16_t(d.Par1Params[gwgraph().SelectedIndex[i]]);
    ASSERT_TRUE(CreatePar1Data());

    const auto run = readParSumRun({m.Par1SumFile, 3});
    ASSERT_TRUE(run);
    EXPECT_EQ(run->RunSourceCount, 2);
    EXPECT_EQ(run->ReportTitles[2], "Levels");
    EXPECT_EQ(run->StandardLabel, "Limit");
    EXPECT_EQ(values(run->RunGeneralNotes, run->RunGeneralNoteCount), QStringList({"General"}));

    auto item = readParSumItem(*run, 3);
    ASSERT_TRUE(item);
    const ParSumItem& g = *item;
    EXPECT_EQ(g.ItemSourceCount, 2);
    EXPECT_EQ(g.ParFullName, "Water Level");
    EXPECT_EQ(g.ParUnits, "ft");
    EXPECT_EQ(g.ParStandard, "");
    EXPECT_EQ(QStringList({g.ParScaleStart, g.ParScaleEnd, g.ParScaleInc}), QStringList({"0", "50", "10"}));
    EXPECT_EQ(g.ItemCaption, "Parameter 4 of 5");
    EXPECT_EQ(values(g.ParSourceNames, 2), QStringList({"MW-1", "O'Brien 3"}));
    ASSERT_EQ(g.ParRecordCount[1], 3);
    EXPECT_EQ(values(g.ParRecordDates[1], 3), QStringList({"03/21/1998", "03/21/1998", "06/15/1998"}));
    EXPECT_EQ(values(g.ParRecordValues[1], 3), QStringList({"12.5", "12.4", "13.1"}));
    ASSERT_EQ(g.ParRecordCount[2], 2);
    EXPECT_EQ(values(g.ParRecordDates[2], 2), QStringList({"03/21/1998", "09/09/1999"}));
    EXPECT_EQ(values(g.ParRecordValues[2], 2), QStringList({"21", "22.5"}));
    EXPECT_EQ(values(g.RunItemNotes, g.RunItemNoteCount), QStringList({"Level note"}));

    // The first item's pH scale, and its three notes.
    item = readParSumItem(*run, 1);
    ASSERT_TRUE(item);
    EXPECT_EQ(QStringList({g.ParScaleStart, g.ParScaleEnd, g.ParScaleInc}), QStringList({"0", "14.0", "2"}));
    EXPECT_EQ(g.RunItemNoteCount, 3);
}

// The date-summary golden: five columns (one without a parameter), three sources, an X axis, an
// empty Y axis, two maps; episode 3 past two blocks with one and no notes.
TEST_F(RunReaders, DateSummaryEpisodeThree) {
    const auto run = readDateSumRun(golden(QStringLiteral("datesum.DSD")));
    ASSERT_TRUE(run);
    const DateSumRun& g = *run;
    EXPECT_EQ(g.ItemParCount, 5);
    EXPECT_EQ(QStringList({g.ParLabel[1][2], g.ParLabel[2][2], g.ParLabel[3][2]}),
              QStringList({"Sp.", "Cond.", ""}));
    EXPECT_EQ(values(g.DateParUnits, 5), QStringList({"SU", "umhos", "", "mg/L", "ft"}));
    EXPECT_EQ(values(g.DateParStandard, 5), QStringList({"8.5", "", "", ".015", ""}));
    EXPECT_EQ(values(g.ParScaleMax, 5), QStringList({"14", "1000", "100", "100", "50"}));
    EXPECT_EQ(g.RunSourceCount, 3);
    EXPECT_EQ(values(g.RunSourceName, 3), QStringList({"MW-1", "O'Brien 3", "MW-2"}));
    EXPECT_EQ(g.RunSourceAbove[1], 1);
    EXPECT_EQ(g.RunSourceAbove[2], 0);
    EXPECT_FLOAT_EQ(g.RunSourceX[2], 1620);
    EXPECT_FLOAT_EQ(g.RunSourceY[3], 955.5f);
    EXPECT_EQ(g.ReportTitles[1], "Riverside Plating");
    EXPECT_EQ(g.StandardLabel, "MCL");
    EXPECT_FLOAT_EQ(g.MapXStart, 1100);
    EXPECT_FLOAT_EQ(g.MapXEnd, 1700);
    EXPECT_FLOAT_EQ(g.MapXInc, 100);
    EXPECT_FLOAT_EQ(g.MapYStart, 0);
    EXPECT_FLOAT_EQ(g.MapYEnd, 100);
    EXPECT_FLOAT_EQ(g.MapYInc, 10);
    EXPECT_EQ(g.MapDistanceUnit, "ft");
    EXPECT_FLOAT_EQ(g.MapRadiusMult, 1);
    EXPECT_EQ(g.DateMapCount, 2);
    EXPECT_EQ(g.MapParCount[1], 2);
    EXPECT_EQ(g.MapParams[1][2], 2);
    EXPECT_EQ(g.MapParCount[2], 1);
    EXPECT_EQ(g.MapParams[2][1], 4);
    EXPECT_EQ(values(g.RunGeneralNotes, g.RunGeneralNoteCount), QStringList({"Values as reported"}));
    EXPECT_EQ(g.HeaderLineCount, 22 + 6 * 5 + 4 * 3 + 1);
    EXPECT_EQ(g.ItemBlockLines, 3 * 5 + 2);

    const auto item = readDateSumItem(g, 3);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->ItemSourceCount, 3);
    EXPECT_EQ(item->ItemCaption, "05/01/2002 - 05/31/2002");
    EXPECT_EQ(item->ItemTitle, "Episode 3 of 4");
    EXPECT_EQ(values(item->RecordValues[1], 5), QStringList({"-", "-", "", "-", "-"}));
    EXPECT_EQ(values(item->RecordValues[3], 5), QStringList({"5.7", ".6", "", "0", "-5.67"}));
    EXPECT_EQ(values(item->RunItemNotes, item->RunItemNoteCount),
              QStringList({"Lead below detection", "Level below datum"}));
}

// A header of one column and one source with the given axis and map lines.
QStringList dateHeader(const QString& xAxis, const QString& yAxis, const QStringList& maps) {
    QStringList h{"1", "A",  "",   "",   "mg/L", "1",   "10",  "1",   "S1", "a", "5",
                  "6", "T1", "T2", "T3", "T4",   "Std", xAxis, yAxis, "m",  "0"};
    h << maps;
    while (h.size() < 31)
        h << QString();
    h << "1" << ("Note" + Pilcrow);
    return h;
}

// Axis lines with parts missing take them from "0,100,10"; blanks around the parts are skipped;
// maps end at the first empty line though later lines are read; a small "a" puts the label below.
TEST_F(RunReaders, DateSummaryAxesAndMaps) {
    auto run = readDateSumRun(file(QStringLiteral("a.DSD"), dateHeader(QStringLiteral("50"), QStringLiteral(" 0, 500, 50 "),
                                                                      {"1, 2", "3", "", "4"})));
    ASSERT_TRUE(run);
    const DateSumRun& g = *run;
    EXPECT_FLOAT_EQ(g.MapXStart, 50);
    EXPECT_FLOAT_EQ(g.MapXEnd, 100);
    EXPECT_FLOAT_EQ(g.MapXInc, 10);
    EXPECT_FLOAT_EQ(g.MapYStart, 0);
    EXPECT_FLOAT_EQ(g.MapYEnd, 500);
    EXPECT_FLOAT_EQ(g.MapYInc, 50);
    EXPECT_EQ(g.DateMapCount, 2);
    EXPECT_EQ(g.MapParCount[1], 2);
    EXPECT_EQ(g.MapParams[1][2], 2);
    EXPECT_EQ(g.MapParCount[4], 1);
    EXPECT_EQ(g.RunSourceAbove[1], 0);
    EXPECT_EQ(g.RunGeneralNotes[1], "Note");

    run = readDateSumRun(file(QStringLiteral("b.DSD"), dateHeader(QStringLiteral("0,,5"), QStringLiteral("10,20"), {})));
    ASSERT_TRUE(run);
    EXPECT_FLOAT_EQ(g.MapXEnd, 100);
    EXPECT_FLOAT_EQ(g.MapXInc, 5);
    EXPECT_FLOAT_EQ(g.MapYEnd, 20);
    EXPECT_FLOAT_EQ(g.MapYInc, 10);
    EXPECT_EQ(g.DateMapCount, 0);
    EXPECT_EQ(g.MapParCount[1], 0);
}

// The Stiff golden: two sets of three rows; page 2 past page 1, which has no notes.
TEST_F(RunReaders, StiffPageTwo) {
    const auto run = readStiffRun(golden(QStringLiteral("stiff.STD")));
    ASSERT_TRUE(run);
    const StiffRun& g = *run;
    EXPECT_EQ(g.StiffParCount[1], 3);
    EXPECT_EQ(g.StiffParCount[2], 3);
    EXPECT_EQ(g.StiffSourceCount[1], 2);
    EXPECT_EQ(g.StiffSourceCount[2], 1);
    EXPECT_EQ(g.StiffParName[1][1], "Conductivity");
    EXPECT_EQ(g.StiffParUnits[3][1], "mg/L");
    EXPECT_EQ(g.StiffParName[1][2], "Water Level");
    // "0,1000,100"; an empty and a "LOG" scale run to 1000 by 250; "0,14.0,2".
    EXPECT_FLOAT_EQ(g.StiffScaleMax[1][1], 1000);
    EXPECT_FLOAT_EQ(g.StiffScaleStep[1][1], 100);
    EXPECT_FLOAT_EQ(g.StiffScaleMax[2][1], 1000);
    EXPECT_FLOAT_EQ(g.StiffScaleStep[2][1], 250);
    EXPECT_FLOAT_EQ(g.StiffScaleStep[3][1], 250);
    EXPECT_FLOAT_EQ(g.StiffScaleMax[2][2], 14);
    EXPECT_FLOAT_EQ(g.StiffScaleStep[2][2], 2);
    EXPECT_EQ(values(g.RunGeneralNotes, g.RunGeneralNoteCount),
              QStringList({"Means of the episode's samples"}));
    EXPECT_EQ(g.ReportTitles[4], "Quarterly");
    EXPECT_EQ(g.HeaderLineCount, 3 * 6 + 1 + 9);
    EXPECT_EQ(g.ItemBlockLines, 4 * 2 + 4 * 1 + 2);

    const auto item = readStiffItem(g, 2);
    ASSERT_TRUE(item);
    const StiffItem& v = *item;
    EXPECT_EQ(v.ItemCaption, "05/01/2002 - 05/31/2002");
    EXPECT_EQ(v.ItemTitle, "Episode 3 of 3");
    EXPECT_EQ(v.StiffSourceName[2][1], "O'Brien 3");
    EXPECT_EQ(v.StiffSourceName[1][2], "MW-2");
    EXPECT_EQ(QStringList({v.StiffValue[1][1][2], v.StiffValue[1][2][2], v.StiffValue[1][3][2]}),
              QStringList({"-5.678", "5.7", ".85"}));
    EXPECT_EQ(v.StiffValue[2][3][1], "0");
    EXPECT_EQ(values(v.RunItemNotes, v.RunItemNoteCount), QStringList({"After the report window"}));
}

// A scale with one comma takes a quarter of its maximum as the step, and the header reads on.
TEST_F(RunReaders, StiffScaleWithoutStep) {
    const auto run = readStiffRun(file(QStringLiteral("s.STD"), {"2", "A", "u", "0,40", "B", "u", "x,0", "0", "0", "0",
                                                                  "1", "n" + Pilcrow, "T1", "T2", "T3", "T4"}));
    ASSERT_TRUE(run);
    const StiffRun& g = *run;
    EXPECT_FLOAT_EQ(g.StiffScaleMax[1][1], 40);
    EXPECT_FLOAT_EQ(g.StiffScaleStep[1][1], 10);
    EXPECT_FLOAT_EQ(g.StiffScaleMax[2][1], 0);
    EXPECT_FLOAT_EQ(g.StiffScaleStep[2][1], 0);
    EXPECT_EQ(g.RunGeneralNotes[1], "n");
    EXPECT_EQ(g.ReportTitles[4], "T4");
}

// Set 3 written by the run-data step past two sets of other sizes: its scale "100.6,200,20" read
// as whole numbers, its elevations as read.
TEST_F(RunReaders, GroundwaterSetThree) {
    ModGW& m = modgw();
    m.GWElevFile = dir + QStringLiteral("/levels.gwf");
    auto& d = m.GWElev;
    d.GWElevParameter = 4;
    d.GWElevKind = QStringLiteral("E");
    d.GWElevInfo[1] = QStringLiteral("Main");
    d.GWElevSetCount = 5;
    d.GWElevSetSources[2][1] = QStringLiteral("MW-1");
    d.GWElevSetSources[2][3] = QStringLiteral("O'Brien 3");
    d.GWElevSetSources[5][1] = QStringLiteral("O'Brien 3");
    d.GWElevSetValues[5][1] = QStringLiteral("98.25");
    d.GWElevSetScales[5] = QStringLiteral("100.6,200,20");
    m.ReportNotes.GeneralNoteCount = 1;
    m.ReportNotes.GeneralNotes[1] = QStringLiteral("ft MSL") + Pilcrow;
    itemNotes(2, {"Two", "notes"});
    itemNotes(5, {"Last set" + Pilcrow});
    select({{"Set 2", 2}, {"Set 4", 4}, {"Set 5", 5}});
    ASSERT_TRUE(CreateGWElevData());

    const auto run = readGWElevRun({rundata::DataFilePath(m.GWElevFile, QStringLiteral("GWD")), 0});
    ASSERT_TRUE(run);
    EXPECT_EQ(run->GWElevIsElevation, 1);
    EXPECT_EQ(run->GWUnits, "ft");
    EXPECT_EQ(run->ReportTitles[1], "Main");
    EXPECT_EQ(values(run->RunGeneralNotes, run->RunGeneralNoteCount), QStringList({"ft MSL"}));
    EXPECT_EQ(run->ItemCount, 3);

    auto item = readGWElevItem(*run, 3);
    ASSERT_TRUE(item);
    const GWElevItem& g = *item;
    EXPECT_EQ(g.ItemTitle, "Source Set 5 of 5");
    EXPECT_EQ(g.GWScaleLow, 101);
    EXPECT_EQ(g.GWScaleHigh, 200);
    EXPECT_EQ(g.GWScaleStep, 20);
    ASSERT_EQ(g.ItemSourceCount, 1);
    EXPECT_EQ(g.GWSourceName[1], "O'Brien 3");
    EXPECT_FLOAT_EQ(g.GWRefElev[1], 98.25f);
    ASSERT_EQ(g.GWRecordCount[1], 2);
    EXPECT_EQ(values(g.GWDate[1], 2), QStringList({"03/21/1998", "09/09/1999B"}));
    EXPECT_FLOAT_EQ(g.GWValue[1][2], 22.5f);
    EXPECT_FALSE(g.GWMissing[1][2]);
    EXPECT_EQ(values(g.RunItemNotes, g.RunItemNoteCount), QStringList({"Last set"}));

    // Set 1: three sources, the second an empty position without readings.
    item = readGWElevItem(*run, 1);
    ASSERT_TRUE(item);
    EXPECT_EQ(g.ItemSourceCount, 3);
    EXPECT_EQ(g.GWSourceName[2], "");
    EXPECT_EQ(g.GWRecordCount[2], 0);
    EXPECT_EQ(g.GWRecordCount[3], 2);
}

// Depth readings against the reference elevation, "<" readings by the factor, and what counts as
// missing: no leading number after an optional "<". A real 5000 stays a reading.
TEST_F(RunReaders, GroundwaterReadingsAndScales) {
    modgw().LessThanFactor = QStringLiteral(".5");
    const QStringList head{"d", "ft", "T1", "T2", "T3", "T4", "0", "3"};
    const QStringList set1{"Source Set 1 of 3",
                           "250,300",
                           "1",
                           "MW-1",
                           "100",
                           "9",
                           "01/01/1998 ,12.5",
                           "01/02/1998,<10",
                           "01/03/1998,",
                           "01/04/1998,-",
                           "01/05/1998,dry",
                           "01/06/1998,<",
                           "01/07/1998",
                           "01/08/1998, .5",
                           "01/09/1998,-3",
                           "0"};
    const QStringList set2{"Source Set 2 of 3", "99999,1,1", "0", "0"}; // a scale past 16 bits
    const QStringList set3{"Source Set 3 of 3", "", "1", "MW-2", "0", "1", "01/01/1999,5000", "0"};
    QStringList lines = head + set1 + set2 + set3;
    auto run = readGWElevRun(file(QStringLiteral("w.GWD"), lines));
    ASSERT_TRUE(run);
    EXPECT_EQ(run->GWElevIsElevation, 0);

    auto item = readGWElevItem(*run, 1);
    ASSERT_TRUE(item);
    const GWElevItem& g = *item;
    EXPECT_EQ(QList<int>({g.GWScaleLow, g.GWScaleHigh, g.GWScaleStep}), QList<int>({250, 0, 0}));
    EXPECT_EQ(g.GWDate[1][1], "01/01/1998");
    EXPECT_EQ(g.GWDate[1][7], "01/07/1998");
    EXPECT_EQ(g.GWValueText[1][8], ".5");
    const bool missing[] = {false, false, true, true, true, true, true, false, false};
    const float value[] = {87.5f, 95, 0, 0, 0, 0, 0, 99.5f, 103};
    for (int r = 1; r <= 9; ++r) {
        EXPECT_EQ(g.GWMissing[1][r], missing[r - 1]) << r;
        EXPECT_FLOAT_EQ(g.GWValue[1][r], value[r - 1]) << r;
    }

    // A set that fails leaves the next one readable: each set is found by the counts before it.
    ui.answer(vb::OK, QStringLiteral("Error 6 in getgwelevdata.  Please contact Kalvex"));
    EXPECT_FALSE(readGWElevItem(*run, 2));
    item = readGWElevItem(*run, 3);
    ASSERT_TRUE(item);
    EXPECT_EQ(QList<int>({g.GWScaleLow, g.GWScaleHigh, g.GWScaleStep}), QList<int>({0, 0, 0}));
    EXPECT_EQ(g.GWSourceName[1], "MW-2");
    EXPECT_FALSE(g.GWMissing[1][1]);
    EXPECT_FLOAT_EQ(g.GWValue[1][1], 0 - 5000); // depth below a reference of 0

    lines[0] = QStringLiteral("e");
    run = readGWElevRun(file(QStringLiteral("w.GWD"), lines));
    ASSERT_TRUE(run);
    EXPECT_EQ(run->GWElevIsElevation, 1);
    item = readGWElevItem(*run, 3);
    ASSERT_TRUE(item);
    EXPECT_FLOAT_EQ(g.GWValue[1][1], 5000);
}

// A reader that fails names itself, returns false and leaves no earlier item's data behind.
TEST_F(RunReaders, FailuresReportAndLeaveNoStaleData) {
    ui.answer(vb::OK, QStringLiteral("Error 53 in getwellsumformat.  Please contact Kalvex"));
    EXPECT_FALSE(readWellSumRun({dir + QStringLiteral("/gone.wsf"), 1}));

    file(QStringLiteral("plant.WSD"), {"MW-1", "Source 1 of 2", "1", "03/21/1998,1", "0", "MW-2"});
    WellSumRun wellSum;
    wellSum.ReportFile = dir + QStringLiteral("/plant.wsf");
    wellSum.SlotCount = 1;
    const auto source = readWellSumItem(wellSum, 1);
    ASSERT_TRUE(source);
    EXPECT_EQ(source->RecordCount, 1);
    // The file ends inside the block.
    ui.answer(vb::OK, QStringLiteral("Error 62 in getwellsumdata.  Please contact Kalvex"));
    EXPECT_FALSE(readWellSumItem(wellSum, 2));

    const RunFile gone{dir + QStringLiteral("/gone.psf"), 1};
    ui.answer(vb::OK, QStringLiteral("Error 53 in getparsumdata.  Please contact Kalvex"));
    EXPECT_FALSE(readParSumItem(ParSumRun{{gone.ReportFile, 1}}, 1));
    ui.answer(vb::OK, QStringLiteral("Error 53 in getparsumformat.  Please contact Kalvex"));
    EXPECT_FALSE(readParSumRun(gone));

    const QString goneData = dir + QStringLiteral("/gone.DSD");
    ui.answer(vb::OK, QStringLiteral("Error 53 in getdatesumformat.  Please contact Kalvex"));
    EXPECT_FALSE(readDateSumRun({goneData, 1}));
    ui.answer(vb::OK, QStringLiteral("Error 53 in getdatesumdata.  Please contact Kalvex"));
    EXPECT_FALSE(readDateSumItem(DateSumRun{{goneData, 1}}, 1));
    ui.answer(vb::OK, QStringLiteral("Error 53 in getstiffformat.  Please contact Kalvex"));
    EXPECT_FALSE(readStiffRun({goneData, 1}));
    ui.answer(vb::OK, QStringLiteral("Error 53 in getstiffdata.  Please contact Kalvex"));
    EXPECT_FALSE(readStiffItem(StiffRun{{goneData, 1}}, 1));
    ui.answer(vb::OK, QStringLiteral("Error 53 in getgwelevformat.  Please contact Kalvex"));
    EXPECT_FALSE(readGWElevRun({goneData, 1}));
    ui.answer(vb::OK, QStringLiteral("Error 53 in getgwelevdata.  Please contact Kalvex"));
    EXPECT_FALSE(readGWElevItem(GWElevRun{{goneData, 1}}, 1));

    // Episode 4 of a file that holds three.
    const auto stiff = readStiffRun(golden(QStringLiteral("stiff.STD")));
    ASSERT_TRUE(stiff);
    ASSERT_TRUE(readStiffItem(*stiff, 2));
    ui.answer(vb::OK, QStringLiteral("Error 62 in getstiffdata.  Please contact Kalvex"));
    EXPECT_FALSE(readStiffItem(*stiff, 3));
    EXPECT_EQ(ui.texts.size(), 11);
}

TEST(OneBasedTable, IndexesFromOneAndGrowsOnWrite) {
    OneBased<QString> t;
    const OneBased<QString>& read = t;
    EXPECT_EQ(read[3], "");
    EXPECT_EQ(t.size(), 0);
    t[2] = QStringLiteral("b");
    EXPECT_EQ(t.size(), 2);
    EXPECT_EQ(read[1], "");
    EXPECT_EQ(read[2], "b");
    EXPECT_EQ(errorOf([&] { (void)read[0]; }), qmerr::Subscript);
    EXPECT_EQ(errorOf([&] { t[0] = QString(); }), qmerr::Subscript);
}

} // namespace
