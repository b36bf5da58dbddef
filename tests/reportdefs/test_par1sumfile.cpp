// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qmerror.h"
#include "project/modgw.h"
#include "reportdefs/par1sumfile.h"
#include "reportdefs/reportdeftest.h"
#include "support/scriptedui.h"

#include <QFile>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace {

const QString kNew = QStringLiteral(QMAR_TEST_DATA "/reportdefs/psf_new.psf");
const QString kDeleted = QStringLiteral(QMAR_TEST_DATA "/reportdefs/psf_deleted.psf");
const QString kSources = QStringLiteral(QMAR_TEST_DATA "/reportdefs/psf_sources.psf");

class Par1SumFile : public ReportDefTest {};

// The definition of psf_sources.psf as the form leaves it: values with stray blanks around them.
std::unique_ptr<Par1SumFileData> withSources() {
    auto data = std::make_unique<Par1SumFileData>();
    Par1SumDefinition& d = data->Definition;
    PickPar1Param(d, 1, 1);
    PickPar1Param(d, 2, 3);
    d.Par1SourceCount = 3;
    d.Par1Sources[1] = QStringLiteral(" MW-1");
    d.Par1Sources[2] = QStringLiteral("O'Brien 3  ");
    d.Par1Sources[3] = QStringLiteral("MW-12");
    const QStringList info{"Millbrook Landfill ", "Quarterly Monitoring", "  Groundwater Quality", "1998",
                           "Standard (MCL)"};
    for (int r = 1; r <= 5; ++r)
        d.Par1Info[r] = info[r - 1];
    ReportNotesBlock& n = data->Notes;
    n.GeneralNoteCount = 2;
    n.GeneralNotes[1] = QStringLiteral("Samples were filtered in the ");
    n.GeneralNotes[2] = QStringLiteral("field.") + kMark;
    n.ItemNoteCount[1] = 1;
    n.ItemNotes[1][1] = QStringLiteral("Dry in August.") + kMark;
    return data;
}

QStringList contentOf(const ModGW& m) {
    return par1SumFileLines(m.Par1Sum, m.ReportNotes);
}

QByteArray sourcesWith(int line, const QByteArray& replacement) {
    return fileWith(kSources, line, replacement);
}

void setParams(ModGW& m, int count) {
    m.NumParams = count;
    for (int k = 1; k <= count; ++k)
        m.ParamTable[k][1] = QStringLiteral("Par %1").arg(k);
}

} // namespace

TEST_F(Par1SumFile, WritesTheHandWrittenFilesByteForByte) {
    const auto sources = withSources();
    writePar1SumFile(pf.file("sources.psf"), sources->Definition, sources->Notes);
    const QByteArray bytes = readRaw(pf.file("sources.psf"));
    EXPECT_EQ(bytes, readRaw(kSources));
    EXPECT_TRUE(bytes.contains("field.\xB6\r\n")); // Latin-1, one byte for the mark

    // After New: both counts 0, five empty information rows and an empty general block.
    auto empty = std::make_unique<Par1SumFileData>();
    empty->Notes.ItemNoteCount[1] = 1; // notes past the parameter rows are not written
    empty->Notes.ItemNotes[1][1] = QStringLiteral("stale");
    writePar1SumFile(pf.file("new.psf"), empty->Definition, empty->Notes);
    EXPECT_EQ(readRaw(pf.file("new.psf")), readRaw(kNew));

    // Rows 1 to 3 picked, then row 2 deleted: the count still runs to row 3, row 2 writes 0 and
    // keeps its notes block.
    auto deleted = std::make_unique<Par1SumFileData>();
    Par1SumDefinition& d = deleted->Definition;
    PickPar1Param(d, 1, 4);
    PickPar1Param(d, 2, 7);
    PickPar1Param(d, 3, 2);
    DeletePar1Param(d, 2);
    EXPECT_EQ(d.Par1ParCount, 3);
    d.Par1Info[1] = QStringLiteral("Quarterly Report");
    d.Par1Info[5] = QStringLiteral(" MCL ");
    writePar1SumFile(pf.file("deleted.psf"), d, deleted->Notes);
    EXPECT_EQ(readRaw(pf.file("deleted.psf")), readRaw(kDeleted));
}

TEST_F(Par1SumFile, ReadsTheHandWrittenFileAndWritesItBackUnchanged) {
    const Par1SumFileData d = readPar1SumFile(kSources);
    const Par1SumDefinition& def = d.Definition;
    ASSERT_EQ(def.Par1ParCount, 2);
    EXPECT_EQ(def.Par1Params[1], 1);
    EXPECT_EQ(def.Par1Params[2], 3);
    ASSERT_EQ(def.Par1SourceCount, 3);
    EXPECT_EQ(def.Par1Sources[2], "O'Brien 3");
    EXPECT_EQ(def.Par1Info[1], "Millbrook Landfill");
    EXPECT_EQ(def.Par1Info[5], "Standard (MCL)");
    EXPECT_EQ(d.Notes.GeneralNoteCount, 2);
    EXPECT_EQ(d.Notes.GeneralNotes[1], "Samples were filtered in the ");
    EXPECT_EQ(d.Notes.GeneralNotes[2], QStringLiteral("field.") + kMark);
    EXPECT_EQ(d.Notes.ItemNoteCount[1], 1);
    EXPECT_EQ(d.Notes.ItemNotes[1][1], QStringLiteral("Dry in August.") + kMark);
    EXPECT_EQ(d.Notes.ItemNoteCount[2], 0);
    writePar1SumFile(pf.file("copy.psf"), d.Definition, d.Notes);
    EXPECT_EQ(readRaw(pf.file("copy.psf")), readRaw(kSources));

    const Par1SumFileData del = readPar1SumFile(kDeleted);
    EXPECT_EQ(del.Definition.Par1ParCount, 3);
    EXPECT_EQ(del.Definition.Par1Params[2], 0);
    EXPECT_EQ(del.Definition.Par1Info[5], "MCL");
    writePar1SumFile(pf.file("copy2.psf"), del.Definition, del.Notes);
    EXPECT_EQ(readRaw(pf.file("copy2.psf")), readRaw(kDeleted));

    // Counts are leading numbers, rounded; bare and padded count lines read alike.
    writeRaw(pf.file("loose.psf"),
             "2.5 parameters\r\n1\r\n3\r\n 3 \r\na\r\nb\r\nc\r\n\r\n\r\n\r\n\r\n\r\n1\r\nn\r\n0\r\n0\r\n");
    const Par1SumFileData loose = readPar1SumFile(pf.file("loose.psf"));
    EXPECT_EQ(loose.Definition.Par1ParCount, 2);
    EXPECT_EQ(loose.Definition.Par1SourceCount, 3);
    EXPECT_EQ(loose.Notes.GeneralNotes[1], "n");
}

TEST_F(Par1SumFile, OpenPar1FileReplacesTheWholeDefinition) {
    ScriptedUi ui;
    ModGW& m = modgw();
    PickPar1Param(m.Par1Sum, 5, 9);
    m.Par1Sum.Par1SourceCount = 9;
    m.Par1Sum.Par1Sources[9] = QStringLiteral("MW-9");
    m.ReportNotes.ItemNoteCount[5] = 1;
    m.ReportNotes.ItemNotes[5][1] = QStringLiteral("old");
    m.Par1SumFile = QStringLiteral(QMAR_TEST_DATA "/REPORTDEFS/Psf_Sources.PSF"); // any case finds it
    ASSERT_TRUE(OpenPar1File());
    EXPECT_EQ(m.Par1Sum.Par1Params[5], 0);
    EXPECT_EQ(m.Par1Sum.Par1Sources[9], "");
    EXPECT_EQ(m.ReportNotes.ItemNoteCount[5], 0);
    EXPECT_EQ(m.ReportNotes.ItemNotes[5][1], "");
    const Par1SumFileData file = readPar1SumFile(kSources);
    EXPECT_EQ(contentOf(m), par1SumFileLines(file.Definition, file.Notes));
}

TEST_F(Par1SumFile, AFileThatFailsToReadIsReportedAndChangesNothing) {
    QList<QByteArray> params201{"201"};
    for (int i = 1; i <= 201; ++i)
        params201 << "1";
    QList<QByteArray> sources10{"0", "10"};
    for (int i = 1; i <= 10; ++i)
        sources10 << "MW-" + QByteArray::number(i);
    QList<QByteArray> general31{" 31 "};
    for (int i = 1; i <= 31; ++i)
        general31 << "line";
    const QByteArray full = readRaw(kSources);
    const QByteArray head = full.left(full.indexOf(" 2 \r\n"));

    const QList<BadFile> cases{
        {"201 parameters", params201.join("\r\n") + "\r\n", 9},
        {"10 sources", sources10.join("\r\n") + "\r\n", 9},
        {"31 general note lines", head + general31.join("\r\n") + "\r\n 0 \r\n 0 \r\n", 9},
        {"31 note lines for a parameter", sourcesWith(16, " 31 "), 9},
        {"a parameter number beyond 16 bits", sourcesWith(2, "40000"), 6},
        {"a negative source count", sourcesWith(4, "-1"), 9},
        {"a file that ends within the titles", full.left(full.indexOf("1998")), 62},
        {"a file that ends before the last notes block", full.left(full.size() - 5), 62},
        {"an empty file", QByteArray(), 62},
        {"no file", std::nullopt, 53},
    };
    ModGW& m = modgw();
    const auto before = withSources();
    expectEachRefused(
        cases, "OpenPar1File", "bad.psf", m.Par1SumFile,
        [&] {
            CommitPar1Sum(*before);
            m.ReportNotes.ItemNoteCount[7] = 1; // notes kept at a row past the list stay too
            m.ReportNotes.ItemNotes[7][1] = QStringLiteral("kept");
        },
        [&] { return contentOf(m) << m.ReportNotes.ItemNotes[7][1]; }, OpenPar1File);
}

TEST_F(Par1SumFile, ANumberTheProjectLacksShowsBlankAndIsKept) {
    ModGW& m = modgw();
    setParams(m, 4);
    writeRaw(pf.file("odd.psf"), sourcesWith(2, "999"));
    m.Par1SumFile = pf.file("odd.psf");
    {
        ScriptedUi ui;
        ASSERT_TRUE(OpenPar1File());
    }
    ASSERT_EQ(m.Par1Sum.Par1Params[1], 999);

    Par1SumGrids g = Par1SumGridsOf(m.Par1Sum, m);
    EXPECT_EQ(g.SSRows, 2);
    EXPECT_EQ(g.SS[1], "");
    EXPECT_EQ(g.SS[2], "Par 3");
    EXPECT_EQ(g.SS2Rows, 3);
    EXPECT_EQ(g.SS2[2], "O'Brien 3");
    EXPECT_EQ(g.SS3[4], "1998");

    // Deleting the last row leaves the blank-looking row 1 counted and saved.
    DeletePar1Param(m.Par1Sum, 2);
    EXPECT_EQ(m.Par1Sum.Par1ParCount, 1);
    g = Par1SumGridsOf(m.Par1Sum, m);
    TakePar1SumGrids(g, m.Par1Sum);
    EXPECT_EQ(m.Par1Sum.Par1ParCount, 1);
    {
        ScriptedUi ui;
        ASSERT_TRUE(SavePar1File());
    }
    EXPECT_EQ(readPar1SumFile(m.Par1SumFile).Definition.Par1Params[1], 999);

    // Names outside the table: 0, negative and past NumParams all show blank.
    EXPECT_EQ(Par1ParamName(m, 0), "");
    EXPECT_EQ(Par1ParamName(m, -3), "");
    EXPECT_EQ(Par1ParamName(m, 5), "");
    EXPECT_EQ(Par1ParamName(m, 4), "Par 4");
}

TEST_F(Par1SumFile, PicksAndDeleteCountRowsUpToTheLastChosenOne) {
    auto d = std::make_unique<Par1SumDefinition>();
    PickPar1Param(*d, 4, 2); // the caret below the used rows
    EXPECT_EQ(d->Par1ParCount, 4);
    EXPECT_EQ(d->Par1Params[1], 0);
    PickPar1Param(*d, 1, 3);
    EXPECT_EQ(d->Par1ParCount, 4);
    DeletePar1Param(*d, 1);
    EXPECT_EQ(d->Par1ParCount, 4);
    DeletePar1Param(*d, 4);
    EXPECT_EQ(d->Par1ParCount, 0);
    PickPar1Param(*d, 200, 1);
    EXPECT_EQ(d->Par1ParCount, 200);
    EXPECT_THROW(PickPar1Param(*d, 201, 1), QmError);
    EXPECT_THROW(DeletePar1Param(*d, 0), QmError);
    EXPECT_EQ(d->Par1ParCount, 200);

    // The grids give back sources up to the last used row, and the information rows.
    Par1SumGrids g;
    g.SS[1] = QStringLiteral("typed over"); // never taken: rows are their numbers
    g.SS2[1] = QStringLiteral("MW-1");
    g.SS2[3] = QStringLiteral(" MW-3 ");
    g.SS3[2] = QStringLiteral("Line 1");
    DeletePar1Param(*d, 200);
    PickPar1Param(*d, 2, 6);
    TakePar1SumGrids(g, *d);
    EXPECT_EQ(d->Par1ParCount, 2);
    EXPECT_EQ(d->Par1Params[1], 0);
    EXPECT_EQ(d->Par1SourceCount, 3);
    EXPECT_EQ(d->Par1Sources[2], "");
    EXPECT_EQ(d->Par1Sources[3], " MW-3 ");
    EXPECT_EQ(d->Par1Info[2], "Line 1");
    EXPECT_EQ(par1SumFileLines(*d, ReportNotesBlock{}).mid(0, 8),
              (QStringList{"2", "0", "6", "3", "MW-1", "", "MW-3", ""}));
}

TEST_F(Par1SumFile, AFailedSaveIsReportedAndLeavesTheOldFile) {
    ModGW& m = modgw();
    CommitPar1Sum(*withSources());
    const QString path = pf.file("site.psf");
    m.Par1SumFile = path;
    {
        ScriptedUi ui;
        ASSERT_TRUE(SavePar1File());
    }
    ASSERT_EQ(readRaw(path), readRaw(kSources));

    const QList<FailedSave> cases{
        {"a folder that does not exist", [] {}, pf.file("gone/site.psf"), 75},
        {"no path", [] {}, QString(), 75},
        {"a line break inside a title", [&] { m.Par1Sum.Par1Info[2] = "two\nlines"; }, path, 5},
        {"more than 9 sources", [&] { m.Par1Sum.Par1SourceCount = 10; }, path, 9},
        {"more than 30 note lines", [&] { m.ReportNotes.ItemNoteCount[2] = 31; }, path, 9},
    };
    expectEachSaveFails(cases, "SavePar1File", path, m.Par1SumFile,
                        [](const QString& target) { return SavePar1File(target); }, [&] {
                            CommitPar1Sum(*withSources());
                            m.Par1Sum.Par1Sources[1] = QStringLiteral("changed");
                        });
}

TEST_F(Par1SumFile, ClearPar1FileEmptiesAllButThePath) {
    ModGW& m = modgw();
    CommitPar1Sum(*withSources());
    m.ReportNotes.ItemNoteCount[150] = 2;
    m.ReportNotes.ItemNotes[150][2] = QStringLiteral("far");
    m.Par1SumFile = pf.file("site.psf");
    m.ReportDirty = 1;
    ClearPar1File();
    EXPECT_EQ(m.Par1SumFile, pf.file("site.psf"));
    EXPECT_EQ(m.ReportDirty, 1);
    EXPECT_EQ(m.ReportNotes.ItemNotes[150][2], "");
    // Save after New writes the empty definition over the file it still names.
    {
        ScriptedUi ui;
        ASSERT_TRUE(SavePar1File());
    }
    EXPECT_EQ(readRaw(m.Par1SumFile), readRaw(kNew));
}
