// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/textfile.h"
#include "project/modgw.h"
#include "reportdefs/datecontourfile.h"
#include "reportdefs/datesumfile.h"
#include "reportdefs/reportdeftest.h"
#include "support/scriptedui.h"

#include <QFile>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString kSite = QStringLiteral(QMAR_TEST_DATA "/reportdefs/dcf_site.dcf");
const QString kAllMaps = QStringLiteral(QMAR_TEST_DATA "/reportdefs/dsf_allmaps.dsf");

const QString kTooManyNotes = QStringLiteral(
    "You have written more that 20 lines of Notes.  The box containing the notes can only fit 20 lines "
    "of notes.  Please reduce the number of lines and try again.");
const QString kViewWarning = QStringLiteral("When viewing in 3-D, you must choose just 1 parameter.");

class DateContourFile : public ReportDefTest {
protected:
    void SetUp() override {
        ModGW& m = modgw();
        m.NumParams = 5;
        const QStringList names{"Iron", "Sulfate", "Chloride", "Nitrate", "Depth"};
        for (int p = 1; p <= 5; ++p)
            m.ParamTable[p][1] = names[p - 1];
    }
};

// The form of dcf_site.dcf as the user left it, values with stray blanks; the parameter numbers
// are what the picks stored.
std::unique_ptr<DateContourGrids> siteForm() {
    auto g = std::make_unique<DateContourGrids>();
    ModGW& m = modgw();
    g->SS1[1] = QStringLiteral("Sulfate");
    m.DateSum.DateParams[1] = 2;
    g->SS1[2] = QStringLiteral("Chloride");
    m.DateSum.DateParams[2] = 3;
    g->SS2[1] = {"", " MW-1", "123", "4500.5 "};
    g->SS2[2] = {"", "MW-2", "987", "-20"};
    g->SS3 = {"", "Millbrook Site", "Depth to water ", "", " ", "1/15/1998,3/31/1998", "Page 1"};
    g->SS4 = {"", "base.bln", "0,1000", "-100,5000", "Kriging", "Proportional", "Y", "2D"};
    g->Text1 = QStringLiteral("Contours drawn by kriging.\r\nValues in mg/l.  \r\n \r\n");
    return g;
}

QStringList notesText(int lines) {
    QStringList l;
    for (int i = 1; i <= lines; ++i)
        l << QStringLiteral("line %1").arg(i);
    return l;
}

} // namespace

TEST_F(DateContourFile, SaveCarriesTheDateSummarysMapRows8To14) {
    ScriptedUi ui;
    ModGW& m = modgw();
    m.DateSumFile = kAllMaps;
    ASSERT_TRUE(OpenDateFile());
    const QString path = pf.file("site.dcf");
    ASSERT_TRUE(SaveDateContourForm(*siteForm(), path));
    EXPECT_EQ(readRaw(path), readRaw(kSite));
    EXPECT_EQ(m.ReportNotes.GeneralNoteCount, 2);
    EXPECT_EQ(m.ReportNotes.GeneralNotes[2], "Values in mg/l.  ");
    // Saving to a path leaves the current one: Save As adopts it itself.
    EXPECT_EQ(m.DateSumFile, kAllMaps);
}

TEST_F(DateContourFile, ReopenedAndSavedUnchanged) {
    ScriptedUi ui;
    ModGW& m = modgw();
    m.DateSumFile = kSite;
    ASSERT_TRUE(OpenDateContourFile());
    const auto g = std::make_unique<DateContourGrids>(DateContourGridsOf(m.DateSum, m.ReportNotes, m));
    EXPECT_EQ(g->SS1[1], "Sulfate");
    EXPECT_EQ(g->SS1[2], "Chloride");
    EXPECT_EQ(g->SS2[2][3], "-20");
    EXPECT_EQ(g->SS3[5], "1/15/1998,3/31/1998");
    EXPECT_EQ(g->SS4[4], "Kriging");
    EXPECT_EQ(g->Text1, "Contours drawn by kriging.\r\nValues in mg/l.  \r\n");
    EXPECT_EQ(m.DateSum.DateMapInfo[8], "2,3");
    EXPECT_EQ(m.DateSum.DateMapInfo[14], "3,2");

    m.DateSumFile = pf.file("again.dcf");
    ASSERT_TRUE(SaveDateContourForm(*g, m.DateSumFile));
    EXPECT_EQ(readRaw(m.DateSumFile), readRaw(kSite));
}

TEST_F(DateContourFile, Rows8To14FollowTheLastDateDefinitionReadSavedOrCleared) {
    ScriptedUi ui;
    ModGW& m = modgw();
    m.DateSumFile = kAllMaps;
    ASSERT_TRUE(OpenDateFile());
    ClearDateContourFile(); // the contour form's New keeps them
    EXPECT_EQ(m.DateSum.DateMapInfo[8], "2,3");
    EXPECT_EQ(m.DateSum.DateMapInfo[7], "");
    ClearDateFile(); // the summary form's New empties them
    ASSERT_TRUE(SaveDateContourForm(*siteForm(), pf.file("cleared.dcf")));
    const DateContourFileData back = readDateContourFile(pf.file("cleared.dcf"));
    for (int r = 8; r <= 14; ++r)
        EXPECT_EQ(back.Definition.DateMapInfo[r], "") << r;
    EXPECT_EQ(back.Definition.DateMapInfo[7], "2D");
}

TEST_F(DateContourFile, NotesOfTwentyLinesSaveAndMoreDoNot) {
    ModGW& m = modgw();
    const QString path = pf.file("notes.dcf");
    auto g = siteForm();

    // 20 lines, trailing blank lines not counted; the box's LF breaks are breaks too.
    g->Text1 = notesText(20).join(QStringLiteral("\n")) + QStringLiteral("\n  \n\n");
    {
        ScriptedUi ui;
        ASSERT_TRUE(SaveDateContourForm(*g, path));
    }
    const QByteArray saved = readRaw(path);
    const DateContourFileData back = readDateContourFile(path);
    EXPECT_EQ(back.Notes.GeneralNoteCount, 20);
    EXPECT_EQ(back.Notes.GeneralNotes[20], "line 20");

    struct Case {
        const char* what;
        QString text;
    };
    const QList<Case> cases{
        {"21 lines", notesText(21).join(QStringLiteral("\r\n"))},
        {"20 lines after a blank one", QStringLiteral("\r\n") + notesText(20).join(QStringLiteral("\r\n"))},
        {"more lines than can be split, most of them blank",
         notesText(3).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n").repeated(250)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // General notes as an earlier save left them: three lines, and stale ones past them.
        m.ReportNotes.GeneralNoteCount = 3;
        for (int k = 1; k <= 30; ++k)
            m.ReportNotes.GeneralNotes[k] = QStringLiteral("old %1").arg(k);
        g->Text1 = c.text;
        g->SS3[1] = QStringLiteral("Retitled");
        ScriptedUi ui;
        ui.answer(vb::OK, kTooManyNotes);
        EXPECT_FALSE(SaveDateContourForm(*g, path));
        ASSERT_EQ(ui.texts.size(), 1);
        EXPECT_EQ(ui.texts[0], kTooManyNotes);
        EXPECT_EQ(ui.styles[0] & vb::Exclamation, vb::Exclamation);
        EXPECT_EQ(ui.titles[0], titleEmpty);
        EXPECT_EQ(readRaw(path), saved);
        EXPECT_EQ(m.ReportNotes.GeneralNoteCount, 3);
        EXPECT_EQ(m.ReportNotes.GeneralNotes[4], "old 4");
        EXPECT_EQ(m.DateSum.DateInfo[1], "Retitled"); // the grids were taken all the same
    }

    // Fewer lines than before empty the lines past them.
    g->Text1 = QStringLiteral("one\r\ntwo");
    ScriptedUi ui;
    ASSERT_TRUE(SaveDateContourForm(*g, path));
    EXPECT_EQ(m.ReportNotes.GeneralNoteCount, 2);
    EXPECT_EQ(m.ReportNotes.GeneralNotes[2], "two");
    EXPECT_EQ(m.ReportNotes.GeneralNotes[3], "");
}

TEST_F(DateContourFile, AThreeDViewOfTwoParametersWarnsAndStillSaves) {
    ModGW& m = modgw();
    auto g = siteForm();
    g->SS4[7] = QStringLiteral("3D");
    {
        ScriptedUi ui;
        ui.answer(vb::OK, kViewWarning);
        ASSERT_TRUE(SaveDateContourForm(*g, pf.file("3d.dcf")));
        ASSERT_EQ(ui.texts.size(), 1);
        EXPECT_EQ(ui.styles[0], vb::OKOnly);
        EXPECT_EQ(ui.titles[0], ""); // the default title
    }
    const DateContourFileData back = readDateContourFile(pf.file("3d.dcf"));
    EXPECT_EQ(back.Definition.DateParCount, 2);
    EXPECT_EQ(back.Definition.DateMapInfo[7], "3D");

    // Only exactly "3D" with more than one parameter asks.
    for (const char* view : {"3D,30,45", "3d", " 3D"}) {
        SCOPED_TRACE(view);
        g->SS4[7] = QString::fromLatin1(view);
        ScriptedUi ui;
        EXPECT_TRUE(SaveDateContourForm(*g, pf.file("3d.dcf")));
    }
    g->SS4[7] = QStringLiteral("3D");
    g->SS1[2].clear();
    ScriptedUi ui;
    EXPECT_TRUE(SaveDateContourForm(*g, pf.file("3d.dcf")));
    EXPECT_EQ(m.DateSum.DateParCount, 1);
}

TEST_F(DateContourFile, ParameterRowsWithoutANameSaveZero) {
    ScriptedUi ui;
    ModGW& m = modgw();
    // A date summary with parameters 2, 3 and 4 was read; the contour form starts empty.
    auto dsf = std::make_unique<DateSumFileData>();
    dsf->Definition.DateParCount = 3;
    dsf->Definition.DateParams[1] = 2;
    dsf->Definition.DateParams[2] = 3;
    dsf->Definition.DateParams[3] = 4;
    CommitDateSum(*dsf);
    auto g = std::make_unique<DateContourGrids>();
    g->SS1[1] = QStringLiteral("Iron"); // picks into rows 1 and 3
    m.DateSum.DateParams[1] = 1;
    g->SS1[3] = QStringLiteral("Depth");
    m.DateSum.DateParams[3] = 5;
    ASSERT_TRUE(SaveDateContourForm(*g, pf.file("picks.dcf")));
    const QStringList lines = qtext::ReadLines(pf.file("picks.dcf"));
    EXPECT_EQ(lines.mid(0, 5), (QStringList{"3", "1", "0", "5", "0"}));
}

TEST_F(DateContourFile, AFileTheFormCannotShowIsRefusedAndChangesNothing) {
    auto withCount = [](int n, int linesEach) {
        QByteArray b = QByteArray::number(n) + "\r\n";
        for (int i = 0; i < n * linesEach; ++i) b += "v\r\n";
        return b;
    };
    const QByteArray tail = QByteArray("\r\n").repeated(6 + 14);
    const QByteArray full = readRaw(kSite);
    const QList<BadFile> cases{
        {"five parameters", withCount(5, 1) + "0\r\n" + tail + "0\r\n", 9},
        {"201 sources", "0\r\n" + withCount(201, 3) + tail + "0\r\n", 9},
        {"31 note lines", "0\r\n0\r\n" + tail + withCount(31, 1), 9},
        {"a file that ends within the notes", full.left(full.indexOf("Values")), 62},
        {"a file without its carried rows", full.left(full.indexOf("2,3\r\n")), 62},
        {"no file", std::nullopt, 53},
    };
    ModGW& m = modgw();
    expectEachRefused(
        cases, "OpenDateContourFile", "bad.dcf", m.DateSumFile,
        [&] {
            m.DateSumFile = kSite;
            ScriptedUi ui;
            ASSERT_TRUE(OpenDateContourFile());
        },
        [&] { return dateContourFileLines(m.DateSum, m.ReportNotes); }, OpenDateContourFile);

    // What the form holds reads: 4 parameters, 200 sources and up to 30 note lines.
    writeRaw(pf.file("full.dcf"), withCount(4, 1) + withCount(200, 3) + tail + withCount(30, 1));
    const DateContourFileData d = readDateContourFile(pf.file("full.dcf"));
    EXPECT_EQ(d.Definition.DateParCount, 4);
    EXPECT_EQ(d.Definition.DateSourceCount, 200);
    EXPECT_EQ(d.Notes.GeneralNoteCount, 30);
}

TEST_F(DateContourFile, OpenAndClearKeepWhatTheContourDoesNotHold) {
    ScriptedUi ui;
    ModGW& m = modgw();
    m.DateSum.DateEpisodeCount = 2; // the date summary's, as the run dialog reads them
    m.DateSum.DateEpisodes[1][2] = QStringLiteral("7/1/1998");
    m.DateSum.DateSources[1][4] = QStringLiteral("4500.5");
    m.ReportNotes.ItemNoteCount[2] = 1;
    m.ReportNotes.ItemNotes[2][1] = QStringLiteral("episode note");
    m.DateSumFile = kSite;
    ASSERT_TRUE(OpenDateContourFile());
    EXPECT_EQ(m.DateSum.DateParCount, 2);
    EXPECT_EQ(m.DateSum.DateSources[2][1], "MW-2");
    EXPECT_EQ(m.DateSum.DateInfo[6], "Page 1");
    EXPECT_EQ(m.ReportNotes.GeneralNoteCount, 2);

    ClearDateContourFile();
    const DateSumDefinition& d = m.DateSum;
    EXPECT_EQ(d.DateParCount, 0);
    EXPECT_EQ(d.DateParams[2], 0);
    EXPECT_EQ(d.DateSourceCount, 2); // the next save sets it from the grid
    EXPECT_EQ(d.DateSources[2][1], "");
    EXPECT_EQ(d.DateSources[2][3], "");
    EXPECT_EQ(d.DateInfo[6], "");
    EXPECT_EQ(d.DateMapInfo[4], "");
    EXPECT_EQ(m.ReportNotes.GeneralNoteCount, 0);
    EXPECT_EQ(m.ReportNotes.GeneralNotes[1], "");
    // Neither touches the summary's episodes, item notes or fourth source field, nor the path.
    EXPECT_EQ(d.DateEpisodeCount, 2);
    EXPECT_EQ(d.DateEpisodes[1][2], "7/1/1998");
    EXPECT_EQ(d.DateSources[1][4], "4500.5");
    EXPECT_EQ(m.ReportNotes.ItemNotes[2][1], "episode note");
    EXPECT_EQ(m.DateSumFile, kSite);
}

TEST_F(DateContourFile, AFailedSaveIsReportedAndLeavesTheOldFile) {
    ModGW& m = modgw();
    const QString path = pf.file("site.dcf");
    writeRaw(path, readRaw(kSite));
    const auto params = [&m](int n) { return [&m, n] { m.DateSum.DateParCount = int16_t(n); }; };
    const QList<FailedSave> cases{
        {"a folder that does not exist", params(2), pf.file("gone/x.dcf"), 75},
        {"no path", params(2), QString(), 75},
        {"five parameters", params(5), path, 9},
    };
    expectEachSaveFails(cases, "SaveDateContourFile", path, m.DateSumFile,
                        [](const QString& target) { return SaveDateContourFile(target); });
}

TEST(ContourFileTitle, IsTheBareNameInCapitals) {
    EXPECT_EQ(ContourFileTitleOf("/home/ann/Millbrook/site.dcf"), "SITE.DCF");
    EXPECT_EQ(ContourFileTitleOf("C:\\QMAR\\Data\\Site 2.dcf"), "SITE 2.DCF");
    EXPECT_EQ(ContourFileTitleOf("/data/old\\north.Dcf"), "NORTH.DCF");
    EXPECT_EQ(ContourFileTitleOf("C:\\data/south.dcf"), "SOUTH.DCF");
    EXPECT_EQ(ContourFileTitleOf("bare.dcf"), "BARE.DCF");
    EXPECT_EQ(ContourFileTitleOf(""), "");
}
