// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qmerror.h"
#include "project/modgw.h"
#include "reportdefs/reportdeftest.h"
#include "reportdefs/wellsumfile.h"
#include "support/scriptedui.h"

#include <QFile>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace {

const QString kNoSources = QStringLiteral(QMAR_TEST_DATA "/reportdefs/nosources.wsf");
const QString kTwoSources = QStringLiteral(QMAR_TEST_DATA "/reportdefs/twosources.wsf");

class WellSumFile : public ReportDefTest {};

void setSlot(WellSumDefinition& d, int slot, const QStringList& fields) {
    for (int f = 1; f <= 8; ++f)
        d.WellSumGrid[slot][f] = fields.value(f - 1);
}

// The definition of twosources.wsf as the forms leave it: values with stray blanks around them.
std::unique_ptr<WellSumFileData> twoSources() {
    auto data = std::make_unique<WellSumFileData>();
    WellSumDefinition& d = data->Definition;
    d.NumWellList = 2;
    d.WellList[1] = QStringLiteral(" MW-1");
    d.WellList[2] = QStringLiteral("O'Brien 3  ");
    setSlot(d, 1, {"1 ", " Total", "Iron", "", "mg/l", "0.3", "Iron, total", "0,5,1"});
    setSlot(d, 2, {"3", "Sulfate  ", "", "  ", "mg/l", "250", "Sulfate", " 0,500,100 "});
    setSlot(d, 3, {"", "", "", "", "", "", "Old label", "0,10,2"});
    setSlot(d, 5, {"5", "Chloride", "", "", "mg/l", "250", "Chloride", "LOG,.1,1000"});
    setSlot(d, 11, {"4", "Depth", "to", "Water", "ft", "", "", ""});
    const QStringList info{"  Riverside Plating Works", "Quarterly Monitoring ", "1998", "   ", " T", "MCL", "01/01/1998"};
    for (int r = 1; r <= 7; ++r)
        d.WellSumInfo[r] = info[r - 1];
    ReportNotesBlock& n = data->Notes;
    n.GeneralNoteCount = 3;
    n.GeneralNotes[1] = QStringLiteral("Samples were filtered in the ");
    n.GeneralNotes[2] = QStringLiteral("field.") + kMark;
    n.GeneralNotes[3] = QStringLiteral("  Values in mg/l.  ");
    n.ItemNoteCount[1] = 1;
    n.ItemNotes[1][1] = QStringLiteral("Dry in August.") + kMark;
    return data;
}

// Everything a definition holds, as its file's lines.
QStringList contentOf(const ModGW& m) { return wellSumFileLines(m.WellSum, m.ReportNotes); }

QByteArray twoSourcesWith(int line, const QByteArray& replacement) {
    return fileWith(kTwoSources, line, replacement);
}

} // namespace

TEST_F(WellSumFile, WritesTheHandWrittenFilesByteForByte) {
    const auto two = twoSources();
    writeWellSumFile(pf.file("two.wsf"), two->Definition, two->Notes);
    const QByteArray bytes = readRaw(pf.file("two.wsf"));
    EXPECT_EQ(bytes, readRaw(kTwoSources));
    EXPECT_TRUE(bytes.contains("field.\xB6\r\n")); // Latin-1, one byte for the mark

    auto none = std::make_unique<WellSumFileData>();
    none->Definition.WellSumInfo[1] = QStringLiteral("Site overview ");
    none->Definition.WellSumInfo[5] = QStringLiteral("G");
    none->Notes.GeneralNoteCount = 1;
    none->Notes.GeneralNotes[1] = QStringLiteral("No sources chosen yet.") + kMark;
    // Notes left at positions past the source list are not written.
    none->Notes.ItemNoteCount[1] = 1;
    none->Notes.ItemNotes[1][1] = QStringLiteral("stale");
    writeWellSumFile(pf.file("none.wsf"), none->Definition, none->Notes);
    EXPECT_EQ(readRaw(pf.file("none.wsf")), readRaw(kNoSources));
}

TEST_F(WellSumFile, ReadsTheHandWrittenFileAndWritesItBackUnchanged) {
    const WellSumFileData d = readWellSumFile(kTwoSources);
    const WellSumDefinition& def = d.Definition;
    ASSERT_EQ(def.NumWellList, 2);
    EXPECT_EQ(def.WellList[2], "O'Brien 3");
    EXPECT_EQ(def.WellSumGrid[1][7], "Iron, total");
    EXPECT_EQ(def.WellSumGrid[3][1], "");
    EXPECT_EQ(def.WellSumGrid[3][7], "Old label");
    EXPECT_EQ(def.WellSumGrid[5][8], "LOG,.1,1000");
    EXPECT_EQ(def.WellSumGrid[11][4], "Water");
    EXPECT_EQ(def.WellSumInfo[7], "01/01/1998");
    EXPECT_EQ(d.Notes.GeneralNoteCount, 3);
    EXPECT_EQ(d.Notes.GeneralNotes[1], "Samples were filtered in the ");
    EXPECT_EQ(d.Notes.GeneralNotes[2], QStringLiteral("field.") + kMark);
    EXPECT_EQ(d.Notes.GeneralNotes[3], "  Values in mg/l.  ");
    EXPECT_EQ(d.Notes.ItemNoteCount[1], 1);
    EXPECT_EQ(d.Notes.ItemNotes[1][1], QStringLiteral("Dry in August.") + kMark);
    EXPECT_EQ(d.Notes.ItemNoteCount[2], 0);

    writeWellSumFile(pf.file("copy.wsf"), d.Definition, d.Notes);
    EXPECT_EQ(readRaw(pf.file("copy.wsf")), readRaw(kTwoSources));
}

TEST_F(WellSumFile, OpenWellFileReplacesTheWholeDefinition) {
    ScriptedUi ui;
    ModGW& m = modgw();
    m.WellSum.NumWellList = 3;
    m.WellSum.WellList[3] = QStringLiteral("MW-9");
    m.ReportNotes.ItemNoteCount[3] = 1;
    m.ReportNotes.ItemNotes[3][1] = QStringLiteral("old");
    m.WellSumFile = QStringLiteral(QMAR_TEST_DATA "/REPORTDEFS/TwoSources.WSF"); // any case finds it
    ASSERT_TRUE(OpenWellFile());
    EXPECT_EQ(m.WellSum.NumWellList, 2);
    EXPECT_EQ(m.WellSum.WellList[3], "");
    EXPECT_EQ(m.ReportNotes.ItemNoteCount[3], 0);
    EXPECT_EQ(m.ReportNotes.ItemNotes[3][1], "");
    EXPECT_EQ(m.WellSumFile, QStringLiteral(QMAR_TEST_DATA "/REPORTDEFS/TwoSources.WSF"));
    const WellSumFileData file = readWellSumFile(kTwoSources);
    EXPECT_EQ(contentOf(m), wellSumFileLines(file.Definition, file.Notes));
}

TEST_F(WellSumFile, AFileThatFailsToReadIsReportedAndChangesNothing) {
    QList<QByteArray> sources201{"201"};
    for (int i = 1; i <= 201; ++i)
        sources201 << "MW-" + QByteArray::number(i);
    const QByteArray full = readRaw(kTwoSources);

    const QList<BadFile> cases{
        {"a file that ends within the slots", full.left(full.indexOf("Chloride")), 62},
        {"a file that ends before the last notes block", full.left(full.size() - 3), 62},
        {"a file of one blank line", " \r\n", 62},
        {"31 general note lines",
         full.left(full.indexOf("3\r\nSamples")) + countedLines(31) + "\r\n0\r\n0\r\n", 9},
        {"31 note lines for a source", twoSourcesWith(103, "31"), 9},
        {"201 sources", sources201.join("\r\n") + "\r\n", 9},
        {"a source count beyond 16 bits", twoSourcesWith(1, "70000"), 6},
        {"a negative source count", twoSourcesWith(1, "-1"), 9},
        {"a negative note count", twoSourcesWith(99, "-1"), 9},
        {"no file", std::nullopt, 53},
    };
    ModGW& m = modgw();
    const auto before = twoSources();
    expectEachRefused(
        cases, "OpenWellFile", "bad.wsf", m.WellSumFile,
        [&] {
            CommitWellSum(*before);
            m.ReportNotes.ItemNoteCount[7] = 1; // notes kept at a position past the list stay too
            m.ReportNotes.ItemNotes[7][1] = QStringLiteral("kept");
        },
        [&] { return contentOf(m) << m.ReportNotes.ItemNotes[7][1]; }, OpenWellFile);
}

TEST_F(WellSumFile, CountsReadAsRoundedLeadingNumbers) {
    QByteArray bytes = twoSourcesWith(1, "2.5");
    writeRaw(pf.file("half.wsf"), bytes);
    WellSumFileData d = readWellSumFile(pf.file("half.wsf"));
    EXPECT_EQ(d.Definition.NumWellList, 2);
    EXPECT_EQ(d.Definition.WellList[2], "O'Brien 3");
    EXPECT_EQ(d.Notes.ItemNoteCount[1], 1);

    // No number at all is 0 sources; the lines after it are slot fields.
    QByteArray words = "none\r\n";
    for (int i = 1; i <= 95; ++i) words += "v" + QByteArray::number(i) + "\r\n";
    words += "0\r\n";
    writeRaw(pf.file("words.wsf"), words);
    d = readWellSumFile(pf.file("words.wsf"));
    EXPECT_EQ(d.Definition.NumWellList, 0);
    EXPECT_EQ(d.Definition.WellSumGrid[1][1], "v1");
    EXPECT_EQ(d.Definition.WellSumGrid[11][8], "v88");
    EXPECT_EQ(d.Definition.WellSumInfo[7], "v95");
}

TEST_F(WellSumFile, AFailedSaveIsReportedAndLeavesTheOldFile) {
    ModGW& m = modgw();
    CommitWellSum(*twoSources());
    const QString path = pf.file("site.wsf");
    m.WellSumFile = path;
    {
        ScriptedUi ui;
        ASSERT_TRUE(SaveWellFile());
    }
    ASSERT_EQ(readRaw(path), readRaw(kTwoSources));

    const QList<FailedSave> cases{
        {"a folder that does not exist", [] {}, pf.file("gone/site.wsf"), 75},
        {"no path", [] {}, QString(), 75},
        {"a line break inside a value", [&] { m.WellSum.WellSumInfo[2] = "two\nlines"; }, path, 5},
        {"more than 200 sources", [&] { m.WellSum.NumWellList = 201; }, path, 9},
        {"more than 30 general note lines", [&] { m.ReportNotes.GeneralNoteCount = 31; }, path, 9},
    };
    expectEachSaveFails(cases, "SaveWellFile", path, m.WellSumFile,
                        [](const QString& target) { return SaveWellFile(target); }, [&] {
                            CommitWellSum(*twoSources());
                            m.WellSum.WellList[1] = QStringLiteral("changed");
                        });
}

TEST_F(WellSumFile, SaveToAPathLeavesTheCurrentPath) {
    ScriptedUi ui;
    ModGW& m = modgw();
    CommitWellSum(*twoSources());
    m.WellSumFile = pf.file("current.wsf");
    ASSERT_TRUE(SaveWellFile(pf.file("other.wsf")));
    EXPECT_EQ(m.WellSumFile, pf.file("current.wsf"));
    EXPECT_FALSE(QFile::exists(pf.file("current.wsf")));
    EXPECT_EQ(readRaw(pf.file("other.wsf")), readRaw(kTwoSources));
}

TEST_F(WellSumFile, ClearWellFileEmptiesAllButThePath) {
    ModGW& m = modgw();
    CommitWellSum(*twoSources());
    m.ReportNotes.ItemNoteCount[150] = 2;
    m.ReportNotes.ItemNotes[150][2] = QStringLiteral("far");
    m.WellSumFile = QStringLiteral("/data/site.wsf");
    m.ReportDirty = 1;
    ClearWellFile();
    EXPECT_EQ(m.WellSumFile, "/data/site.wsf");
    EXPECT_EQ(m.ReportDirty, 1);
    EXPECT_EQ(m.WellSum.NumWellList, 0);
    EXPECT_EQ(m.WellSum.WellList[1], "");
    EXPECT_EQ(m.WellSum.WellSumGrid[5][8], "");
    EXPECT_EQ(m.WellSum.WellSumInfo[1], "");
    EXPECT_EQ(m.ReportNotes.GeneralNoteCount, 0);
    EXPECT_EQ(m.ReportNotes.GeneralNotes[2], "");
    EXPECT_EQ(m.ReportNotes.ItemNoteCount[150], 0);
    EXPECT_EQ(m.ReportNotes.ItemNotes[150][2], "");
}

TEST_F(WellSumFile, GridsShowTheSlotsAndGiveThemBack) {
    EXPECT_FALSE(GraphCellOf(1));
    EXPECT_FALSE(GraphCellOf(11));
    const GraphCell first = *GraphCellOf(2), fifth = *GraphCellOf(6), last = *GraphCellOf(10);
    EXPECT_EQ((std::array{first.col, first.labelRow, first.scaleRow}), (std::array{1, 1, 2}));
    EXPECT_EQ((std::array{fifth.col, fifth.labelRow, fifth.scaleRow}), (std::array{2, 3, 4}));
    EXPECT_EQ((std::array{last.col, last.labelRow, last.scaleRow}), (std::array{3, 5, 6}));

    const WellSumFileData d = readWellSumFile(kTwoSources);
    WellSumGrids g = WellSumGridsOf(d.Definition);
    EXPECT_EQ(g.SS[1][1], "1");           // row = field, column = slot
    EXPECT_EQ(g.SS[4][11], "Water");
    EXPECT_EQ(g.SS2[1][1], "Sulfate");    // slot 2
    EXPECT_EQ(g.SS2[1][2], "Old label");  // slot 3
    EXPECT_EQ(g.SS2[4][1], "LOG,.1,1000"); // slot 5
    EXPECT_EQ(g.SSRepInfo[5], "T");

    auto def = std::make_unique<WellSumDefinition>(d.Definition);
    g.SS2[1][2].clear();
    g.SS[1][3] = QStringLiteral("2");
    g.SSRepInfo[1] = QStringLiteral("New title");
    TakeWellSumGrids(g, *def);
    EXPECT_EQ(def->WellSumGrid[3][1], "2");
    EXPECT_EQ(def->WellSumGrid[3][7], "");
    EXPECT_EQ(def->WellSumGrid[3][8], "0,10,2");
    EXPECT_EQ(def->WellSumInfo[1], "New title");
    // Slots 1 and 11 have no graph cells: their label and scale are kept as read.
    EXPECT_EQ(def->WellSumGrid[1][7], "Iron, total");
    EXPECT_EQ(def->WellSumGrid[1][8], "0,5,1");
    EXPECT_EQ(def->NumWellList, 2);
}
