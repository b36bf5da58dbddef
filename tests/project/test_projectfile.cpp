// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qmerror.h"
#include "platform/sampledb.h"
#include "platform/textfile.h"
#include "project/modgw.h"
#include "project/projectfile.h"
#include "project/sampledbops.h"
#include "support/faultydisk.h"
#include "support/programstate.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

const QString kSite = QStringLiteral(QMAR_TEST_DATA "/site.qlp");

class ProjectFile : public ProgramStateTest {
protected:
    TempProgramFolder pf;
};

} // namespace

TEST_F(ProjectFile, ReadsTheTablesAndWritesThemBackByteForByte) {
    ScriptedUi ui;
    ModGW& m = modgw();
    m.ProjectFile = kSite;
    ASSERT_TRUE(OpenProjectInfo());
    EXPECT_EQ(m.ClientInfo[1], "Riverside Plating Works");
    EXPECT_EQ(m.ClientInfo[10], "Prepared by Kalvex");
    ASSERT_EQ(m.NumSources, 4);
    EXPECT_EQ(m.SourceTable[3][1], "O'Brien 3");
    EXPECT_EQ(m.SourceTable[4][4], "");
    ASSERT_EQ(m.NumParams, 5);
    EXPECT_EQ(m.ParamTable[3][4], "LOG,.1,1000");
    EXPECT_EQ(m.ParamTable[2][10], " 16887-00-6"); // the last field is not trimmed
    EXPECT_EQ(m.ReportStartDate, "01/01/1998");
    EXPECT_EQ(m.LessThanFactor, ".5");

    WriteProjectFile(pf.file("copy.qlp"));
    EXPECT_EQ(readRaw(pf.file("copy.qlp")), readRaw(kSite));
}

TEST_F(ProjectFile, AProjectFileThatCannotBeWrittenWholeStaysAsItWas) {
    ScriptedUi ui;
    ModGW& m = modgw();
    m.ProjectFile = kSite;
    ASSERT_TRUE(OpenProjectInfo());
    const QString path = pf.file("site.qlp");
    WriteProjectFile(path);
    const QByteArray before = readRaw(path);
    m.NumSources = 200; // some 6 kB of sources, more than the disk takes
    for (int i = 5; i <= m.NumSources; ++i)
        m.SourceTable[i] = {QString(), QStringLiteral("MW-%1").arg(i), "1250", "2840", "118.42"};
    try {
        FileSizeLimit limit(4096);
        WriteProjectFile(path);
        ADD_FAILURE() << "written past the limit";
    } catch (const QmError& e) {
        EXPECT_EQ(e.number(), 61);
    }
    EXPECT_EQ(readRaw(path), before);
    m.ProjectFile = path;
    EXPECT_TRUE(OpenProjectInfo());
}

TEST_F(ProjectFile, TabsReadLikeBarsAndTrailingBlanksGoButOnTheLastField) {
    writeRaw(pf.file("tabs.qlp"), "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
                                  "2\r\n"
                                  "MW-1  \t1  \t2\t3  \r\n"
                                  "MW-2|4\t5|6|7\r\n" // a Tab only where the rest holds no "|"
                                  "1\r\n"
                                  "pH \tunits\t\t\t\t\t\t\t\tcode  \r\n"
                                  "a\r\nb\r\nc\r\n");
    ModGW& m = modgw();
    m.ProjectFile = pf.file("tabs.qlp");
    ASSERT_TRUE(OpenProjectInfo());
    EXPECT_EQ(m.SourceTable[1][1], "MW-1");
    EXPECT_EQ(m.SourceTable[1][2], "1");
    EXPECT_EQ(m.SourceTable[1][4], "3  ");
    EXPECT_EQ(m.SourceTable[2][2], "4\t5");
    EXPECT_EQ(m.SourceTable[2][4], "7");
    EXPECT_EQ(m.ParamTable[1][1], "pH");
    EXPECT_EQ(m.ParamTable[1][10], "code  ");
    const QStringList out = ProjectFileLines();
    EXPECT_EQ(out[12], "MW-1|1|2|3  ");
    EXPECT_EQ(out[15], "pH|units||||||||code  ");
}

TEST_F(ProjectFile, AFileThatFailsToReadLeavesTheOpenProjectAlone) {
    ModGW& m = modgw();
    m.ProjectFile = kSite;
    ASSERT_TRUE(OpenProjectInfo());

    ScriptedUi ui;
    ui.answer(vb::OK, "Cannot open project because " + pf.file("gone.qlp") + " file is missing");
    m.ProjectFile = pf.file("gone.qlp");
    EXPECT_FALSE(OpenProjectInfo());

    // The second source line lacks a field.
    writeRaw(pf.file("short.qlp"),
             "\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n2\r\nA|1|2|3\r\nB|1|2\r\n0\r\n");
    ui.answer(vb::OK, "Error 5 in OpenProjectInfo.  Please contact Kalvex");
    m.ProjectFile = pf.file("short.qlp");
    EXPECT_FALSE(OpenProjectInfo());
    // A count that does not fit 16 bits.
    writeRaw(pf.file("big.qlp"), "\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n99999\r\n");
    ui.answer(vb::OK, "Error 6 in OpenProjectInfo.");
    m.ProjectFile = pf.file("big.qlp");
    EXPECT_FALSE(OpenProjectInfo());
    EXPECT_EQ(m.NumSources, 4);
    EXPECT_EQ(m.ClientInfo[1], "Riverside Plating Works");

    // A file that ends before its last three lines keeps the values held before.
    writeRaw(pf.file("early.qlp"), "\r\nc1\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n0\r\n0\r\n02/02/2002\r\n");
    m.ProjectFile = pf.file("early.qlp");
    ASSERT_TRUE(OpenProjectInfo());
    EXPECT_EQ(m.NumSources, 0);
    EXPECT_EQ(m.ReportStartDate, "02/02/2002");
    EXPECT_EQ(m.ReportEndDate, "12/31/2002");
    EXPECT_EQ(m.LessThanFactor, ".5");
}

TEST_F(ProjectFile, ClearingKeepsTheDateWindowAndAlwaysWritesTenClientLines) {
    ModGW& m = modgw();
    m.ProjectFile = kSite;
    ASSERT_TRUE(OpenProjectInfo());
    ClearProjArrays();
    EXPECT_EQ(m.NumSources, 0);
    EXPECT_EQ(m.NumParams, 0);
    EXPECT_EQ(m.SourceTable[1][1], "");
    EXPECT_EQ(m.ParamTable[5][1], "");
    EXPECT_EQ(m.ClientInfo[1], "");
    EXPECT_EQ(m.ReportEndDate, "12/31/2002");
    m.ClientInfo[2] = "only line two";
    EXPECT_EQ(ProjectFileLines(), QStringList({"", "", "only line two", "", "", "", "", "", "", "", "", "0",
                                               "0", "01/01/1998", "12/31/2002", ".5"}));
}

TEST_F(ProjectFile, ParameterSetsRoundTripAndLoadParametersAppends) {
    QList<ParamRow> rows;
    rows << ParamRow{"pH", "units", "6.5", "6,9,.5", "-", "pH", "", "", "", ""}
         << ParamRow{"Cl", "mg/L", "250", "", "", "Chloride", "", "", "", " 16887"};
    WriteParameterSet(pf.file("a.par"), rows);
    EXPECT_EQ(readRaw(pf.file("a.par")),
              "2\r\npH|units|6.5|6,9,.5|-|pH||||\r\nCl|mg/L|250|||Chloride|||| 16887\r\n");
    EXPECT_EQ(ReadParameterSet(pf.file("a.par")), rows);

    QList<ParamRow> list{ParamRow{"TCE"}};
    modgw().DialogFileName = pf.file("a.par");
    ASSERT_TRUE(LoadParameters(list));
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list[0][0], "TCE");
    EXPECT_EQ(list[2][9], " 16887");

    // Set files take "|" only.
    writeRaw(pf.file("tab.par"), "1\r\npH\tunits\t\t\t\t\t\t\t\t\r\n");
    modgw().DialogFileName = pf.file("tab.par");
    ScriptedUi ui;
    ui.answer(vb::OK, "Error 5 in LoadParameters.");
    EXPECT_FALSE(LoadParameters(list));
    EXPECT_EQ(list.size(), 3);
}

TEST_F(ProjectFile, ASnapshotPutsTheWholeProjectBack) {
    ModGW& m = modgw();
    m.ProjectFile = kSite;
    m.DatabaseFile = "site.mdb";
    ASSERT_TRUE(OpenProjectInfo());
    m.CurrentSource = 3;
    const ProjectSnapshot before;
    ClearProjArrays();
    m.ProjectFile = "other.qlp";
    m.LessThanFactor = "2";
    m.NumSources = 1;
    m.SourceTable[1][1] = "X";
    before.restore();
    EXPECT_EQ(m.ProjectFile, kSite);
    EXPECT_EQ(m.DatabaseFile, "site.mdb");
    EXPECT_EQ(m.CurrentSource, 3);
    EXPECT_EQ(m.LessThanFactor, ".5");
    EXPECT_EQ(m.NumSources, 4);
    EXPECT_EQ(m.SourceTable[1][1], "MW-1");
    EXPECT_EQ(m.NumParams, 5);
    EXPECT_EQ(ProjectFileLines(), qtext::ReadLines(kSite));
}

TEST_F(ProjectFile, CreateDbMakesTheTableForTheParameterTableOnce) {
    ModGW& m = modgw();
    m.NumParams = 2;
    m.ParamTable[1][1] = "pH";
    m.ParamTable[2][1] = "Cl";
    m.DatabaseFile = pf.file("new.mdb");
    ASSERT_TRUE(CreateDb());
    SampleDb db;
    db.open(m.DatabaseFile);
    EXPECT_EQ(db.fields(), QStringList({"Source", "Samp_Date", "Dup", "pH", "Cl"}));
    db.close();

    ScriptedUi ui;
    ui.answer(vb::OK, "Error 3204 in CreateDb.");
    EXPECT_FALSE(CreateDb());
}

TEST_F(ProjectFile, TheTablesGoIntoTheOneBasedArraysAndBackWhole) {
    ModGW& m = modgw();
    m.ProjectFile = kSite;
    ASSERT_TRUE(OpenProjectInfo());
    const ProjectData d = ProjectData::fromModGW(m);
    EXPECT_EQ(d, ReadProjectFile(kSite));

    // Fewer rows: those past the new counts are emptied; settings left absent stay as they were.
    ProjectData fewer;
    fewer.clientInfo[9] = "last";
    fewer.sources = {SourceRow{"A", "1", "2", "3"}};
    fewer.params = {ParamRow{"Zn"}};
    fewer.reportEndDate = "1/1/2010";
    fewer.toModGW(m);
    EXPECT_EQ(m.ClientInfo[1], "");
    EXPECT_EQ(m.ClientInfo[10], "last");
    EXPECT_EQ(m.NumSources, 1);
    EXPECT_EQ(m.SourceTable[1][4], "3");
    EXPECT_EQ(m.SourceTable[2][1], "");
    EXPECT_EQ(m.SourceTable[4][3], "");
    EXPECT_EQ(m.NumParams, 1);
    EXPECT_EQ(m.ParamTable[1][2], "");
    EXPECT_EQ(m.ParamTable[2][10], "");
    EXPECT_EQ(m.ReportStartDate, "01/01/1998");
    EXPECT_EQ(m.ReportEndDate, "1/1/2010");
    EXPECT_EQ(m.LessThanFactor, ".5");

    d.toModGW(m);
    EXPECT_EQ(ProjectFileLines(), qtext::ReadLines(kSite));
    ClearProjArrays();
    EXPECT_EQ(m.NumSources + m.NumParams, 0);
    EXPECT_EQ(m.SourceTable[1][1], "");
    EXPECT_EQ(m.ParamTable[5][4], "");
    EXPECT_EQ(m.ReportEndDate, "12/31/2002");
}
