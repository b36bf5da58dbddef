// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/modgw.h"
#include "reportdefs/datesumfile.h"
#include "reportdefs/reportdeftest.h"
#include "support/scriptedui.h"

#include <QFile>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace {

const QString kTwoEpisodes = QStringLiteral(QMAR_TEST_DATA "/reportdefs/dsf_twoepisodes.dsf");
const QString kAllMaps = QStringLiteral(QMAR_TEST_DATA "/reportdefs/dsf_allmaps.dsf");

class DateSumFile : public ReportDefTest {};

void setSource(DateSumDefinition& d, int i, const QStringList& fields) {
    for (int f = 1; f <= 4; ++f)
        d.DateSources[i][f] = fields.value(f - 1);
}

// The definition of dsf_twoepisodes.dsf as the form leaves it before the save: stray blanks, both
// axis rows empty and "Pars. on Map 1" empty, so the save fills them.
std::unique_ptr<DateSumFileData> twoEpisodes() {
    auto data = std::make_unique<DateSumFileData>();
    DateSumDefinition& d = data->Definition;
    d.DateEpisodeCount = 2;
    d.DateEpisodes[1][1] = QStringLiteral("01/15/1998");
    d.DateEpisodes[2][1] = QStringLiteral("03/31/1998");
    d.DateEpisodes[1][2] = QStringLiteral("07/01/1998 ");
    d.DateEpisodes[2][2] = QStringLiteral(" 09/30/1998");
    d.DateParCount = 3;
    d.DateParams[1] = 2;
    d.DateParams[2] = 5;
    d.DateParams[3] = 1;
    d.DateSourceCount = 3;
    setSource(d, 1, {"MW-1", "A", "123", "4500.5"});
    setSource(d, 2, {" MW-2 ", "Blw", "987", "-20"});
    setSource(d, 3, {"O'Brien 3", "", " 540.25", "1200 "});
    const QStringList info{"  Riverside Plating Works", "Quarterly Monitoring ", "1998", "  ", "MCL"};
    for (int r = 1; r <= 5; ++r)
        d.DateInfo[r] = info[r - 1];
    d.DateMapInfo[3] = QStringLiteral("ft");
    d.DateMapInfo[4] = QStringLiteral(" 1.5");
    ReportNotesBlock& n = data->Notes;
    n.GeneralNoteCount = 2;
    n.GeneralNotes[1] = QStringLiteral("Samples were filtered in the ");
    n.GeneralNotes[2] = QStringLiteral("field.") + kMark;
    n.ItemNoteCount[1] = 1;
    n.ItemNotes[1][1] = QStringLiteral("Dry in January.") + kMark;
    n.ItemNoteCount[2] = 2;
    n.ItemNotes[2][1] = QStringLiteral("  Lab changed ");
    n.ItemNotes[2][2] = QStringLiteral("in August.") + kMark;
    return data;
}

QStringList contentOf(const ModGW& m) { return dateSumFileLines(m.DateSum, m.ReportNotes); }

void setProject(ModGW& m) {
    m.NumParams = 5;
    const QStringList names{"Iron", "Sulfate", "Chloride", "Nitrate", "Depth"};
    for (int p = 1; p <= 5; ++p)
        m.ParamTable[p][1] = names[p - 1];
}

} // namespace

TEST(DateAxisRule, GivesTheRowForEachCase) {
    struct Case {
        QStringList positions;
        const char* row;
    };
    const QList<Case> cases{
        {{}, "-45,55,20"},                    // no sources: both ends 0
        {{"0", "0", "0"}, "-45,55,20"},
        {{"123", "987"}, "105,1005,180"},
        {{"987", "555", "123"}, "105,1005,180"}, // order does not matter
        {{"12.5", "47.3"}, "-20,80,20"},
        {{"0", "90"}, "-50,150,40"},          // a span of exactly 100 gains a full 100
        {{"-15", "33"}, "-40,60,20"},         // rounded down, not towards 0
        {{"0", "40000"}, "-45,40055,8020"},   // beyond 16 bits
        {{"-40000", "40000"}, "-40045,40055,16020"},
        {{"12abc", "", "x"}, "-40,60,20"},    // leading numbers, 0 when none
        {{"1e3", "2D3"}, "955,2055,220"},
        {{"1e16"}, ""},                       // beyond what the row can hold exactly
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.positions.join(' ').toStdString());
        EXPECT_EQ(DateAxisRow(c.positions), QString::fromLatin1(c.row));
    }
}

TEST(DateAxisRule, FillsXFromField3AndYFromField4OnlyWhenEmpty) {
    auto d = std::make_unique<DateSumDefinition>();
    d->DateSourceCount = 2;
    setSource(*d, 1, {"MW-1", "5000", "123", "-15"});
    setSource(*d, 2, {"MW-2", "-5000", "987", "33"});
    setSource(*d, 3, {"MW-3", "", "99999", "99999"}); // past the count: not a source
    FillDateAxisRows(*d);
    EXPECT_EQ(d->DateMapInfo[1], "105,1005,180");
    EXPECT_EQ(d->DateMapInfo[2], "-40,60,20");

    // A typed row stays; the other is still filled. Blanks alone are empty (the file holds "").
    d->DateMapInfo[1] = QStringLiteral("0,2000,500");
    d->DateMapInfo[2] = QStringLiteral("  ");
    FillDateAxisRows(*d);
    EXPECT_EQ(d->DateMapInfo[1], "0,2000,500");
    EXPECT_EQ(d->DateMapInfo[2], "-40,60,20");

    // "Pars. on Map 1" filled: both rows stay as typed, empty included.
    d->DateMapInfo[1].clear();
    d->DateMapInfo[2].clear();
    d->DateMapInfo[5] = QStringLiteral("1,2");
    FillDateAxisRows(*d);
    EXPECT_EQ(d->DateMapInfo[1], "");
    EXPECT_EQ(d->DateMapInfo[2], "");
}

TEST_F(DateSumFile, SaveFillsTheAxisRowsAndWritesTheHandWrittenFile) {
    ScriptedUi ui;
    ModGW& m = modgw();
    CommitDateSum(*twoEpisodes());
    m.DateSumFile = pf.file("site.dsf");
    ASSERT_TRUE(SaveDateFile());
    const QByteArray bytes = readRaw(pf.file("site.dsf"));
    EXPECT_EQ(bytes, readRaw(kTwoEpisodes));
    EXPECT_TRUE(bytes.contains("field.\xB6\r\n"));
    // The filled rows are the variables' too; the rest keeps its blanks until the next reading.
    EXPECT_EQ(m.DateSum.DateMapInfo[1], "105,1005,180");
    EXPECT_EQ(m.DateSum.DateMapInfo[2], "-55,4545,920");
    EXPECT_EQ(m.DateSum.DateSources[2][1], " MW-2 ");
}

TEST_F(DateSumFile, ReadsTheHandWrittenFileAndWritesItBackUnchanged) {
    const DateSumFileData d = readDateSumFile(kTwoEpisodes);
    const DateSumDefinition& def = d.Definition;
    ASSERT_EQ(def.DateEpisodeCount, 2);
    EXPECT_EQ(def.DateEpisodes[1][2], "07/01/1998");
    EXPECT_EQ(def.DateEpisodes[2][2], "09/30/1998");
    ASSERT_EQ(def.DateParCount, 3);
    EXPECT_EQ((std::array{def.DateParams[1], def.DateParams[2], def.DateParams[3]}),
              (std::array<int16_t, 3>{2, 5, 1}));
    ASSERT_EQ(def.DateSourceCount, 3);
    EXPECT_EQ(def.DateSources[2][2], "Blw");
    EXPECT_EQ(def.DateSources[3][2], "");
    EXPECT_EQ(def.DateSources[3][3], "540.25");
    EXPECT_EQ(def.DateInfo[5], "MCL");
    EXPECT_EQ(def.DateMapInfo[2], "-55,4545,920");
    EXPECT_EQ(def.DateMapInfo[4], "1.5");
    EXPECT_EQ(def.DateMapInfo[14], "");
    EXPECT_EQ(d.Notes.GeneralNoteCount, 2);
    EXPECT_EQ(d.Notes.ItemNoteCount[2], 2);
    EXPECT_EQ(d.Notes.ItemNotes[2][1], "  Lab changed ");
    EXPECT_EQ(d.Notes.ItemNotes[2][2], QStringLiteral("in August.") + kMark);

    writeDateSumFile(pf.file("copy.dsf"), d.Definition, d.Notes);
    EXPECT_EQ(readRaw(pf.file("copy.dsf")), readRaw(kTwoEpisodes));
    const DateSumFileData all = readDateSumFile(kAllMaps);
    writeDateSumFile(pf.file("all.dsf"), all.Definition, all.Notes);
    EXPECT_EQ(readRaw(pf.file("all.dsf")), readRaw(kAllMaps));
}

TEST_F(DateSumFile, AWideSpanStillGivesItsRowAndTheWholeFile) {
    ScriptedUi ui;
    ModGW& m = modgw();
    auto data = twoEpisodes();
    data->Definition.DateSources[1][3] = QStringLiteral("0");
    data->Definition.DateSources[2][3] = QStringLiteral("40000");
    data->Definition.DateSources[3][3] = QStringLiteral("20000");
    CommitDateSum(*data);
    m.DateSumFile = pf.file("wide.dsf");
    ASSERT_TRUE(SaveDateFile());
    const DateSumFileData back = readDateSumFile(m.DateSumFile);
    EXPECT_EQ(back.Definition.DateMapInfo[1], "-45,40055,8020");
    EXPECT_EQ(back.Notes.ItemNotes[2][2], QStringLiteral("in August.") + kMark);
    EXPECT_EQ(readRaw(m.DateSumFile).count('\n'), 49);
}

TEST_F(DateSumFile, NoEpisodesWritesZeroFirstAndNoEpisodeNotes) {
    auto data = twoEpisodes();
    data->Definition.DateEpisodeCount = 0;
    const QStringList lines = dateSumFileLines(data->Definition, data->Notes);
    EXPECT_EQ(lines.first(), "0");
    EXPECT_EQ(lines.last(), QStringLiteral("field.") + kMark); // the general block ends the file
    EXPECT_EQ(lines.size(), 49 - 4 - 5);
}

TEST_F(DateSumFile, AFileThatFailsToReadIsReportedAndChangesNothing) {
    auto count = [](int n, int linesEach) {
        QByteArray b = QByteArray::number(n) + "\r\n";
        for (int i = 0; i < n * linesEach; ++i) b += "v\r\n";
        return b;
    };
    const QByteArray full = readRaw(kTwoEpisodes);
    const QList<BadFile> cases{
        {"10 parameters, more than the form shows", "0\r\n" + count(10, 1), 9},
        {"40 sources, more than the form shows", "0\r\n0\r\n" + count(40, 4), 9},
        {"51 episodes", count(51, 2), 9},
        {"31 notes lines for an episode", fileWith(kTwoEpisodes, 45, "31"), 9},
        {"a parameter number beyond 16 bits", fileWith(kTwoEpisodes, 7, "40000"), 6},
        {"a negative episode count", fileWith(kTwoEpisodes, 1, "-1"), 9},
        {"a file that ends within the map rows", full.left(full.indexOf("ft\r\n")), 62},
        {"a file that ends before the last episode's notes", full.left(full.size() - 13), 62},
        {"no file", std::nullopt, 53},
    };
    ModGW& m = modgw();
    expectEachRefused(
        cases, "OpenDateFile", "bad.dsf", m.DateSumFile,
        [&] {
            CommitDateSum(*twoEpisodes());
            m.DateSum.DateInfo[6] = QStringLiteral("page text");
            m.ReportNotes.ItemNoteCount[9] = 1; // notes at a position past the episodes stay too
            m.ReportNotes.ItemNotes[9][1] = QStringLiteral("kept");
        },
        [&] { return contentOf(m) << m.DateSum.DateInfo[6] << m.ReportNotes.ItemNotes[9][1]; },
        OpenDateFile);

    // Nine parameters and 39 sources, what the form holds, read.
    writeRaw(pf.file("full.dsf"), "0\r\n" + count(9, 1) + count(39, 4) + count(0, 0).repeated(20));
    m.DateSumFile = pf.file("full.dsf");
    ScriptedUi ui;
    ASSERT_TRUE(OpenDateFile());
    EXPECT_EQ(m.DateSum.DateParCount, 9);
    EXPECT_EQ(m.DateSum.DateSourceCount, 39);
}

TEST_F(DateSumFile, OpenReplacesTheDefinitionButKeepsThePageText) {
    ScriptedUi ui;
    ModGW& m = modgw();
    m.DateSum.DateInfo[6] = QStringLiteral("page text");
    m.DateSum.DateSourceCount = 120; // a date contour definition's sources
    m.DateSum.DateSources[120][1] = QStringLiteral("MW-120");
    m.ReportNotes.ItemNoteCount[5] = 1;
    m.ReportNotes.ItemNotes[5][1] = QStringLiteral("old");
    m.DateSumFile = kTwoEpisodes;
    ASSERT_TRUE(OpenDateFile());
    EXPECT_EQ(m.DateSum.DateSourceCount, 3);
    EXPECT_EQ(m.DateSum.DateSources[120][1], "");
    EXPECT_EQ(m.ReportNotes.ItemNoteCount[5], 0);
    EXPECT_EQ(m.DateSum.DateInfo[6], "page text");
    EXPECT_EQ(m.DateSumFile, kTwoEpisodes);
    const DateSumFileData file = readDateSumFile(kTwoEpisodes);
    EXPECT_EQ(contentOf(m), dateSumFileLines(file.Definition, file.Notes));
}

TEST_F(DateSumFile, AFailedSaveIsReportedAndLeavesTheOldFileAndTheRows) {
    ModGW& m = modgw();
    const QString path = pf.file("site.dsf");
    writeRaw(path, readRaw(kAllMaps));
    const QList<FailedSave> cases{
        {"a folder that does not exist", [] {}, pf.file("gone/site.dsf"), 75},
        {"no path", [] {}, QString(), 75},
        {"a line break inside a value", [&] { m.DateSum.DateInfo[2] = "two\r\nlines"; }, path, 5},
        {"ten parameters", [&] { m.DateSum.DateParCount = 10; }, path, 9},
        {"40 sources", [&] { m.DateSum.DateSourceCount = 40; }, path, 9},
    };
    expectEachSaveFails(
        cases, "SaveDateFile", path, m.DateSumFile, [](const QString& target) { return SaveDateFile(target); },
        [] { CommitDateSum(*twoEpisodes()); }, [&] { EXPECT_EQ(m.DateSum.DateMapInfo[1], ""); });
}

TEST_F(DateSumFile, ClearDateFileEmptiesTheSummarysVariables) {
    ModGW& m = modgw();
    CommitDateSum(*twoEpisodes());
    m.DateSum.DateMapInfo[14] = QStringLiteral("3,2");
    m.DateSum.DateInfo[6] = QStringLiteral("page text");
    m.ReportNotes.ItemNoteCount[60] = 1;
    m.ReportNotes.ItemNotes[60][1] = QStringLiteral("far");
    m.DateSumFile = QStringLiteral("/data/site.dsf");
    ClearDateFile();
    const DateSumDefinition& d = m.DateSum;
    EXPECT_EQ(d.DateEpisodeCount, 0);
    EXPECT_EQ(d.DateEpisodes[2][2], "");
    EXPECT_EQ(d.DateParCount, 0);
    EXPECT_EQ(d.DateParams[3], 0);
    EXPECT_EQ(d.DateSourceCount, 3); // the next save sets it from the grid
    EXPECT_EQ(d.DateSources[3][1], "");
    EXPECT_EQ(d.DateSources[2][2], "");
    EXPECT_EQ(d.DateInfo[1], "");
    EXPECT_EQ(d.DateInfo[6], "page text");
    EXPECT_EQ(d.DateMapInfo[14], "");
    EXPECT_EQ(m.ReportNotes.GeneralNoteCount, 0);
    EXPECT_EQ(m.ReportNotes.ItemNoteCount[60], 0);
    EXPECT_EQ(m.ReportNotes.ItemNotes[60][1], "");
    EXPECT_EQ(m.DateSumFile, "/data/site.dsf");
}

TEST_F(DateSumFile, GridsShowTheDefinitionAndGiveItBack) {
    ModGW& m = modgw();
    setProject(m);
    auto d = std::make_unique<DateSumDefinition>(readDateSumFile(kTwoEpisodes).Definition);
    d->DateParams[2] = 7; // a parameter the project does not have
    d->DateParams[3] = 0;
    d->DateParCount = 4;
    d->DateParams[4] = 4;
    DateSumGrids g = DateSumGridsOf(*d, m);
    EXPECT_EQ(g.SS5[2][1], "07/01/1998");
    EXPECT_EQ((std::array{g.SS1[1], g.SS1[2], g.SS1[3], g.SS1[4]}),
              (std::array<QString, 4>{"Sulfate", "", "", "Nitrate"}));
    EXPECT_EQ(g.SS2[2][2], "Blw");
    EXPECT_EQ(g.SS2[3][4], "1200");
    EXPECT_EQ(g.SS3[1], "Riverside Plating Works");
    EXPECT_EQ(g.SS4[1], "105,1005,180");

    // The save: counts are the used rows, blank rows before them included; a parameter row without
    // a name saves 0 whatever the variables held.
    g.SS5[2][1].clear();
    g.SS5[2][2].clear();
    g.SS5[4][2] = QStringLiteral("12/31/1999");
    g.SS2[3] = {};
    g.SS4[1].clear();
    TakeDateSumGrids(g, *d);
    EXPECT_EQ(d->DateEpisodeCount, 4);
    EXPECT_EQ(d->DateEpisodes[1][2], "");
    EXPECT_EQ(d->DateEpisodes[2][4], "12/31/1999");
    EXPECT_EQ(d->DateParCount, 4);
    EXPECT_EQ((std::array{d->DateParams[1], d->DateParams[2], d->DateParams[3], d->DateParams[4]}),
              (std::array<int16_t, 4>{2, 0, 0, 4}));
    EXPECT_EQ(d->DateSourceCount, 2);
    EXPECT_EQ(d->DateMapInfo[1], "");
}
