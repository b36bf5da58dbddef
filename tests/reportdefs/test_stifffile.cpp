// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qmerror.h"
#include "platform/textfile.h"
#include "project/modgw.h"
#include "reportdefs/reportdeftest.h"
#include "reportdefs/stifffile.h"
#include "support/scriptedui.h"

#include <QFile>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString kTwoEpisodes = QStringLiteral(QMAR_TEST_DATA "/reportdefs/stf_twoepisodes.stf");
const QString kNew = QStringLiteral(QMAR_TEST_DATA "/reportdefs/stf_new.stf");

class StiffFile : public ReportDefTest {};

// The definition of stf_twoepisodes.stf as the form leaves it: values with stray blanks, set 2 empty.
std::unique_ptr<StiffFileData> twoEpisodes() {
    auto data = std::make_unique<StiffFileData>();
    StiffDefinition& d = data->Definition;
    d.StiffEpisodeCount = 2;
    d.StiffEpisodes[1][1] = QStringLiteral(" 01/01/1998");
    d.StiffEpisodes[2][1] = QStringLiteral("03/31/1998 ");
    d.StiffEpisodes[1][2] = QStringLiteral("04/01/1998");
    d.StiffEpisodes[2][2] = QStringLiteral("06/30/1998");
    d.StiffParams[1] = {0, 3, 5, 0, 7, 0, 0, 0, 0};
    d.StiffSources[1] = {"", "MW-1", " MW-2", "  ", "O'Neil 6", ""};
    d.StiffInfo = {"", "Millbrook Landfill", "Stiff Diagrams ", "First half of 1998", ""};
    ReportNotesBlock& n = data->Notes;
    n.GeneralNoteCount = 1;
    n.GeneralNotes[1] = QStringLiteral("Major ions in meq/l.") + kMark;
    n.ItemNoteCount[1] = 2;
    n.ItemNotes[1][1] = QStringLiteral("Dry season; ");
    n.ItemNotes[1][2] = QStringLiteral("low water.") + kMark;
    return data;
}

QStringList contentOf(const ModGW& m) { return stiffFileLines(m.Stiff, m.ReportNotes); }

QByteArray twoEpisodesWith(int line, const QByteArray& replacement) {
    return fileWith(kTwoEpisodes, line, replacement);
}

// The table keeps names past the count, as a smaller project read after a larger one leaves it.
void giveProjectParams(ModGW& m, int count) {
    m.NumParams = count;
    for (int k = 1; k <= 10; ++k)
        m.ParamTable[k][1] = QStringLiteral("Par%1").arg(k);
}

} // namespace

TEST_F(StiffFile, WritesTheHandWrittenFilesByteForByte) {
    auto data = twoEpisodes();
    // Episodes and notes past the episode count are not written.
    data->Definition.StiffEpisodes[1][3] = QStringLiteral("stale");
    data->Notes.ItemNoteCount[3] = 1;
    data->Notes.ItemNotes[3][1] = QStringLiteral("stale");
    writeStiffFile(pf.file("two.stf"), data->Definition, data->Notes);
    const QByteArray bytes = readRaw(pf.file("two.stf"));
    EXPECT_EQ(bytes, readRaw(kTwoEpisodes));
    EXPECT_TRUE(bytes.contains("meq/l.\xB6\r\n"));
}

TEST_F(StiffFile, ADefinitionSavedAfterNewWritesBothSetsEmptyAndKeepsTheActiveSet) {
    ModGW& m = modgw();
    EXPECT_EQ(m.StiffActiveSet, 0); // program start: picks go to set 2
    m.StiffActiveSet = 1;
    m.StiffFile = kTwoEpisodes;
    ScriptedUi ui;
    ASSERT_TRUE(OpenStiffFile());
    m.Stiff.StiffParCount[1] = 3;
    m.StiffFile = pf.file("new.stf");
    ClearStiffFile();
    EXPECT_EQ(m.StiffFile, pf.file("new.stf"));
    EXPECT_EQ(m.Stiff.StiffParCount[1], 0);
    EXPECT_EQ(m.ReportNotes.ItemNoteCount[1], 0);
    ASSERT_TRUE(SaveStiffFile(StiffGrids{}));
    EXPECT_EQ(readRaw(m.StiffFile), readRaw(kNew));
    EXPECT_EQ(m.StiffActiveSet, 1);
}

TEST_F(StiffFile, ReadsTheHandWrittenFilesAndWritesThemBackUnchanged) {
    for (const QString& path : {kTwoEpisodes, kNew}) {
        const auto d = std::make_unique<StiffFileData>(readStiffFile(path));
        writeStiffFile(pf.file("copy.stf"), d->Definition, d->Notes);
        EXPECT_EQ(readRaw(pf.file("copy.stf")), readRaw(path));
    }
    const auto d = std::make_unique<StiffFileData>(readStiffFile(kTwoEpisodes));
    const StiffDefinition& def = d->Definition;
    ASSERT_EQ(def.StiffEpisodeCount, 2);
    EXPECT_EQ(def.StiffEpisodes[1][1], "01/01/1998");
    EXPECT_EQ(def.StiffEpisodes[2][2], "06/30/1998");
    EXPECT_EQ(def.StiffParams[1], (std::array<int16_t, 9>{0, 3, 5, 0, 7, 0, 0, 0, 0}));
    EXPECT_EQ(def.StiffParams[2], (std::array<int16_t, 9>{}));
    EXPECT_EQ(def.StiffSources[1][3], "");
    EXPECT_EQ(def.StiffSources[1][4], "O'Neil 6");
    EXPECT_EQ(def.StiffSources[2][1], "");
    EXPECT_EQ(def.StiffInfo[3], "First half of 1998");
    EXPECT_EQ(d->Notes.ItemNoteCount[1], 2);
    EXPECT_EQ(d->Notes.ItemNotes[1][1], "Dry season; ");
    EXPECT_EQ(d->Notes.ItemNoteCount[2], 0);
}

TEST_F(StiffFile, AFileThatFailsToReadIsReportedAndChangesNothing) {
    QByteArray episodes51 = "51\r\n";
    for (int i = 1; i <= 51 * 2 + 26 + 4; ++i) episodes51 += "1\r\n";
    for (int i = 1; i <= 52; ++i)
        episodes51 += "0\r\n";
    const QByteArray full = readRaw(kTwoEpisodes);

    const QList<BadFile> cases{
        {"51 episodes", episodes51, 9},
        {"31 general note lines", full.left(full.indexOf("1\r\nMajor")) + countedLines(31) + "\r\n0\r\n0\r\n",
         9},
        {"31 note lines for an episode", twoEpisodesWith(38, "31"), 9},
        {"an episode count of 70000", twoEpisodesWith(1, "70000"), 6},
        {"a parameter number of 70000", twoEpisodesWith(7, "70000"), 6},
        {"a file that ends within the sets", full.left(full.indexOf("O'Neil")), 62},
        {"a file that ends before the last episode's notes", full.left(full.size() - 3), 62},
        {"no file", std::nullopt, 53},
    };
    ModGW& m = modgw();
    const auto before = twoEpisodes();
    expectEachRefused(
        cases, "OpenStiffFile", "bad.stf", m.StiffFile,
        [&] {
            CommitStiff(*before);
            m.Stiff.StiffParCount[2] = 4;
            m.StiffActiveSet = 1;
        },
        [&] {
            return contentOf(m) << QString::number(m.Stiff.StiffParCount[2])
                                << QString::number(m.StiffActiveSet);
        },
        OpenStiffFile);
}

TEST_F(StiffFile, AParameterTheProjectLacksShowsNoNameAndIsKept) {
    ModGW& m = modgw();
    giveProjectParams(m, 6);
    writeRaw(pf.file("other.stf"), twoEpisodesWith(7, "999"));  // set 1, row 2
    writeRaw(pf.file("neg.stf"), twoEpisodesWith(20, "-2"));    // set 2, row 2
    m.StiffFile = pf.file("other.stf");
    ScriptedUi ui;
    ASSERT_TRUE(OpenStiffFile());
    EXPECT_EQ(m.Stiff.StiffParams[1][2], 999);

    StiffGrids g = StiffGridsOf(m.Stiff, m);
    EXPECT_EQ(g.SS1[1], "Par3");
    EXPECT_EQ(g.SS1[2], "");
    EXPECT_EQ(g.SS1[3], "");   // row number 0
    EXPECT_EQ(g.SS1[4], "");   // 7: beyond the project's six parameters
    EXPECT_EQ(g.SS2[4], "O'Neil 6");
    EXPECT_EQ(g.SS5[2][2], "06/30/1998");
    EXPECT_EQ(g.SS6[1], "Millbrook Landfill");

    giveProjectParams(m, 8);
    EXPECT_EQ(StiffGridsOf(m.Stiff, m).SS1[4], "Par7");

    ASSERT_TRUE(SaveStiffFile(g, pf.file("back.stf")));
    EXPECT_EQ(readRaw(pf.file("back.stf")), readRaw(pf.file("other.stf")));

    m.StiffFile = pf.file("neg.stf");
    ASSERT_TRUE(OpenStiffFile());
    EXPECT_EQ(m.Stiff.StiffParams[2][2], -2);
    EXPECT_EQ(StiffGridsOf(m.Stiff, m).SS3[2], "");
}

TEST_F(StiffFile, SaveTakesEpisodesSourcesAndTitlesButNotParameterNames) {
    ScriptedUi ui;
    ModGW& m = modgw();
    giveProjectParams(m, 8);
    CommitStiff(*twoEpisodes());
    StiffGrids g = StiffGridsOf(m.Stiff, m);
    g.SS5[4][2] = QStringLiteral("12/31/1998"); // row 3 stays empty inside the list
    g.SS1[1] = QStringLiteral("typed over");    // the row keeps its picked number
    g.SS3[5] = QStringLiteral("typed");
    g.SS4[2] = QStringLiteral("MW-7 ");          // typed source names are saved
    g.SS6[4] = QStringLiteral("Line 3");
    ASSERT_TRUE(SaveStiffFile(g, pf.file("out.stf")));
    EXPECT_EQ(m.Stiff.StiffEpisodeCount, 4);
    const QStringList lines = qtext::ReadLines(pf.file("out.stf"));
    EXPECT_EQ(lines.mid(0, 9), (QStringList{"4", "01/01/1998", "03/31/1998", "04/01/1998", "06/30/1998",
                                            "", "", "", "12/31/1998"}));
    EXPECT_EQ(lines.mid(9, 8), (QStringList{"3", "5", "0", "7", "0", "0", "0", "0"}));
    EXPECT_EQ(lines.mid(22, 8), QStringList(8, QStringLiteral("0")));
    EXPECT_EQ(lines.mid(30, 5), (QStringList{"", "MW-7", "", "", ""}));
    EXPECT_EQ(lines[38], "Line 3");
    // Episodes 3 and 4 get empty notes blocks; episode 1 keeps its notes.
    EXPECT_EQ(lines.mid(41), (QStringList{"2", "Dry season; ", QStringLiteral("low water.") + kMark,
                                          "0", "0", "0"}));
}

TEST_F(StiffFile, AFailedSaveIsReportedAndLeavesTheOldFile) {
    ModGW& m = modgw();
    CommitStiff(*twoEpisodes());
    const QString path = pf.file("site.stf");
    writeRaw(path, readRaw(kTwoEpisodes));
    m.StiffFile = path;
    StiffGrids g = StiffGridsOf(m.Stiff, m);
    const auto fine = [&] { g.SS6[2] = QStringLiteral("fine"); };
    const QList<FailedSave> cases{
        {"a line break inside a title", [&] { g.SS6[2] = QStringLiteral("two\nlines"); }, path, 5},
        {"a folder that does not exist", fine, pf.file("gone/site.stf"), 75},
        {"no path", fine, QString(), 75},
    };
    expectEachSaveFails(cases, "SaveStiffFile", path, m.StiffFile,
                        [&](const QString& target) { return SaveStiffFile(g, target); });
}

TEST_F(StiffFile, RowCountsForTheRunAreTheUsedRowsOfTheSetGrids) {
    StiffGrids g;
    g.SS1[1] = QStringLiteral("Calcium");
    g.SS1[4] = QStringLiteral("Sodium"); // rows 2 and 3 empty inside the list still count
    g.SS2[5] = QStringLiteral("MW-5");
    g.SS3[8] = QStringLiteral("Sulfate");
    auto def = std::make_unique<StiffDefinition>();
    TakeStiffRowCounts(g, *def);
    EXPECT_EQ(def->StiffParCount[1], 4);
    EXPECT_EQ(def->StiffSourceCount[1], 5);
    EXPECT_EQ(def->StiffParCount[2], 8);
    EXPECT_EQ(def->StiffSourceCount[2], 0);
}
