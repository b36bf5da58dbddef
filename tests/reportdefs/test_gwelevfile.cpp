// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qmerror.h"
#include "platform/textfile.h"
#include "project/modgw.h"
#include "reportdefs/gwelevfile.h"
#include "reportdefs/reportdeftest.h"
#include "support/scriptedui.h"

#include <QFile>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString kPositions = QStringLiteral(QMAR_TEST_DATA "/reportdefs/gwf_positions.gwf");

class GWElevFile : public ReportDefTest {};

void setSet(GWElevDefinition& d, int set, const QStringList& nineLines) {
    for (int p = 1; p <= 4; ++p) {
        d.GWElevSetSources[set][p] = nineLines.value(2 * p - 2);
        d.GWElevSetValues[set][p] = nineLines.value(2 * p - 1);
    }
    d.GWElevSetScales[set] = nineLines.value(8);
}

// The definition of gwf_positions.gwf as picks and typing leave it: values with stray blanks.
std::unique_ptr<GWElevFileData> positions() {
    auto data = std::make_unique<GWElevFileData>();
    GWElevDefinition& d = data->Definition;
    d.GWElevParameter = 4;
    d.GWElevKind = QStringLiteral(" E ");
    d.GWElevSetCount = 2;
    setSet(d, 1, {"MW-1", "812.40", "", "", "MW-3 ", " 809.75", "", "", " 800,820,5"});
    setSet(d, 2, {"MW-2", "811.1", "MW-4", "807", "MW-5", "", "O'Neil 6", "805.5", "  "});
    const QStringList info{"Millbrook Landfill ", "  Groundwater Elevations", "1998 - 1999", ""};
    for (int r = 1; r <= 4; ++r)
        d.GWElevInfo[r] = info[r - 1];
    ReportNotesBlock& n = data->Notes;
    n.GeneralNoteCount = 2;
    n.GeneralNotes[1] = QStringLiteral("Elevations in feet above mean sea level.") + kMark;
    n.GeneralNotes[2] = QStringLiteral("  Depths where marked.  ");
    n.ItemNoteCount[1] = 1;
    n.ItemNotes[1][1] = QStringLiteral("Set 1 straddles the creek.") + kMark;
    return data;
}

QStringList contentOf(const ModGW& m) { return gwElevFileLines(m.GWElev, m.ReportNotes); }

QByteArray positionsWith(int line, const QByteArray& replacement) {
    return fileWith(kPositions, line, replacement);
}

QString saveError(int n) {
    return routineError("SaveGWElevFile", n);
}

} // namespace

TEST_F(GWElevFile, WritesTheHandWrittenFileByteForByte) {
    auto data = positions();
    // Sets and notes past the set count are not written.
    setSet(data->Definition, 3, {"MW-9", "799", "", "", "", "", "", "", "0,1,1"});
    data->Notes.ItemNoteCount[3] = 1;
    data->Notes.ItemNotes[3][1] = QStringLiteral("stale");
    writeGWElevFile(pf.file("pos.gwf"), data->Definition, data->Notes);
    const QByteArray bytes = readRaw(pf.file("pos.gwf"));
    EXPECT_EQ(bytes, readRaw(kPositions));
    EXPECT_TRUE(bytes.contains("level.\xB6\r\n"));
}

TEST_F(GWElevFile, ReadsTheHandWrittenFileAndWritesItBackUnchanged) {
    const auto d = std::make_unique<GWElevFileData>(readGWElevFile(kPositions));
    const GWElevDefinition& def = d->Definition;
    EXPECT_EQ(def.GWElevParameter, 4);
    EXPECT_EQ(def.GWElevKind, "E");
    ASSERT_EQ(def.GWElevSetCount, 2);
    EXPECT_EQ(def.GWElevSetSources[1][1], "MW-1");
    EXPECT_EQ(def.GWElevSetValues[1][1], "812.40");
    EXPECT_EQ(def.GWElevSetSources[1][2], "");
    EXPECT_EQ(def.GWElevSetValues[1][2], "");
    EXPECT_EQ(def.GWElevSetSources[1][3], "MW-3");
    EXPECT_EQ(def.GWElevSetValues[1][3], "809.75");
    EXPECT_EQ(def.GWElevSetSources[1][4], "");
    EXPECT_EQ(def.GWElevSetScales[1], "800,820,5");
    EXPECT_EQ(def.GWElevSetSources[2][4], "O'Neil 6");
    EXPECT_EQ(def.GWElevSetValues[2][3], "");
    EXPECT_EQ(def.GWElevSetScales[2], "");
    EXPECT_EQ(def.GWElevInfo[3], "1998 - 1999");
    EXPECT_EQ(d->Notes.GeneralNotes[2], "  Depths where marked.  ");
    EXPECT_EQ(d->Notes.ItemNotes[1][1], QStringLiteral("Set 1 straddles the creek.") + kMark);
    EXPECT_EQ(d->Notes.ItemNoteCount[2], 0);

    writeGWElevFile(pf.file("copy.gwf"), d->Definition, d->Notes);
    EXPECT_EQ(readRaw(pf.file("copy.gwf")), readRaw(kPositions));
}

TEST_F(GWElevFile, AFileThatFailsToReadIsReportedAndChangesNothing) {
    QByteArray sets51 = "4\r\nE\r\n51\r\n";
    for (int i = 1; i <= 51 * 9 + 4; ++i) sets51 += "x\r\n";
    sets51 += "0\r\n";
    for (int i = 1; i <= 51; ++i) sets51 += "0\r\n";
    const QByteArray full = readRaw(kPositions);
    const qsizetype notesAt = full.indexOf("2\r\nElevations");

    const QList<BadFile> cases{
        {"51 sets", sets51, 9},
        {"31 general note lines", full.left(notesAt) + countedLines(31) + "\r\n0\r\n0\r\n", 9},
        {"31 note lines for a set", positionsWith(29, "31"), 9},
        {"a set count of 70000", positionsWith(3, "70000"), 6},
        {"a parameter number of 70000", positionsWith(1, "70000"), 6},
        {"a negative set count", positionsWith(3, "-1"), 9},
        {"a file that ends within a set", full.left(full.indexOf("MW-4")), 62},
        {"a file that ends before the last set's notes", full.left(full.size() - 3), 62},
        {"no file", std::nullopt, 53},
    };
    ModGW& m = modgw();
    const auto before = positions();
    expectEachRefused(
        cases, "OpenGWElevFile", "bad.gwf", m.GWElevFile,
        [&] {
            CommitGWElev(*before);
            m.GWElev.GWElevSetSources[30][2] = QStringLiteral("kept");
        },
        [&] { return contentOf(m) << m.GWElev.GWElevSetSources[30][2]; }, OpenGWElevFile);
}

TEST_F(GWElevFile, OpenReplacesTheDefinitionAndFillShowsIt) {
    ScriptedUi ui;
    ModGW& m = modgw();
    m.GWElev.GWElevSetCount = 3;
    m.GWElev.GWElevSetScales[3] = QStringLiteral("old");
    m.ReportNotes.ItemNoteCount[3] = 1;
    m.GWElevFile = kPositions;
    ASSERT_TRUE(OpenGWElevFile());
    EXPECT_EQ(m.GWElev.GWElevSetScales[3], "");
    EXPECT_EQ(m.ReportNotes.ItemNoteCount[3], 0);

    const GWElevGrids g = GWElevGridsOf(m.GWElev);
    EXPECT_EQ(g.SS2[1], "4");
    EXPECT_EQ(g.SS2[2], "E");
    EXPECT_EQ(g.SS1[1][1], "MW-1");
    EXPECT_EQ(g.SS1[1][2], "");
    EXPECT_EQ(g.SS1[1][3], "MW-3");
    EXPECT_EQ(g.SS1[1][5], "800,820,5");
    EXPECT_EQ(g.SS1[2][4], "O'Neil 6");
    EXPECT_EQ(g.SS1UsedRows(), 2);
    EXPECT_EQ(g.SS3[2], "Groundwater Elevations");

    // A number the project has no parameter for is shown and kept, not refused.
    m.GWElev.GWElevParameter = 999;
    EXPECT_EQ(GWElevGridsOf(m.GWElev).SS2[1], "999");
}

TEST_F(GWElevFile, ParameterNumberIsTheWholeCellAsANumber) {
    struct Case {
        QString text;
        int number; // -1: refused with error
        int error;
    };
    const QList<Case> cases{
        {" 7 ", 7, 0}, {"12", 12, 0}, {"2.5", 2, 0}, {"3.5", 4, 0}, {"+3", 3, 0}, {"1e2", 100, 0},
        {"", -1, 13}, {"   ", -1, 13}, {"7x", -1, 13}, {"x7", -1, 13}, {"7 7", -1, 13}, {".", -1, 13},
        {"70000", -1, 6}, {"32768", -1, 6}, {"32767", 32767, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        if (c.error == 0) {
            EXPECT_EQ(ParameterNumberOf(c.text), c.number);
        } else {
            try {
                ParameterNumberOf(c.text);
                ADD_FAILURE() << "accepted";
            } catch (const QmError& e) {
                EXPECT_EQ(e.number(), c.error);
            }
        }
    }
}

TEST_F(GWElevFile, AnUnusableParameterNumberStopsTheSaveBeforeTheFile) {
    ModGW& m = modgw();
    CommitGWElev(*positions());
    const QString path = pf.file("site.gwf");
    m.GWElevFile = path;
    GWElevGrids g = GWElevGridsOf(m.GWElev);
    {
        ScriptedUi ui;
        ASSERT_TRUE(SaveGWElevFile(g));
    }
    const QByteArray saved = readRaw(path);
    ASSERT_EQ(saved, readRaw(kPositions));

    const QList<std::pair<const char*, int>> refused{{"", 13}, {"7x", 13}, {"70000", 6}};
    for (const auto& [text, error] : refused) {
        SCOPED_TRACE(text);
        g.SS2[1] = QString::fromLatin1(text);
        g.SS3[1] = QStringLiteral("New title");
        const QStringList content = contentOf(m);
        for (const QString& target : {path, pf.file("new.gwf")}) {
            ScriptedUi ui;
            ui.answer(1, saveError(error));
            EXPECT_FALSE(SaveGWElevFile(g, target));
            EXPECT_EQ(ui.texts.value(0), saveError(error));
        }
        EXPECT_EQ(readRaw(path), saved);
        EXPECT_FALSE(QFile::exists(pf.file("new.gwf")));
        EXPECT_EQ(contentOf(m), content); // nothing taken from the grids either
    }

    g.SS2[1] = QStringLiteral(" 7 ");
    ScriptedUi ui;
    ASSERT_TRUE(SaveGWElevFile(g));
    EXPECT_EQ(m.GWElev.GWElevParameter, 7);
    EXPECT_TRUE(readRaw(path).startsWith("7\r\nE\r\n2\r\n"));
    EXPECT_EQ(m.GWElev.GWElevInfo[1], "New title");
}

TEST_F(GWElevFile, AScaleThatWouldNotDrawAsTypedIsRefusedNamingItsSetAndSavesNothing) {
    // Empty or starting at 0: the page's own scale, as the help says. Parts are rounded, 0.5 to 0.
    const QList<std::pair<const char*, bool>> cases{
        {"", false}, {"  ", false}, {"0,50,10", false}, {"0.4,5,1", false}, {"x", false}, {"45,50,1", false},
        {" 45 ,50, 0.6", false}, {"1,100,1", false}, {"45,50,0.5", true}, {"45,50", true}, {"45", true},
        {"50,45,1", true}, {"45,45,1", true}, {"45,50,-1", true}, {"1,101,1", true}, {"45,70000,1", true}};
    GWElevDefinition d;
    d.GWElevSetCount = 3;
    d.GWElevSetScales[1] = QStringLiteral("800,820,5");
    for (const auto& [scale, refused] : cases) {
        SCOPED_TRACE(scale);
        d.GWElevSetScales[3] = QString::fromLatin1(scale);
        const QString why = GWElevScaleRefusal(d);
        EXPECT_EQ(!why.isEmpty(), refused) << qPrintable(why);
        if (refused) EXPECT_TRUE(why.startsWith(QStringLiteral("Source Set 3: the scale \"%1\"").arg(scale)));
    }
    ModGW& m = modgw();
    CommitGWElev(*positions());
    const QStringList content = contentOf(m);
    GWElevGrids g = GWElevGridsOf(m.GWElev);
    g.SS1[2][5] = QStringLiteral("45,50,0.5");
    ScriptedUi ui;
    ui.answer(vb::OK, "Source Set 2: the scale \"45,50,0.5\" cannot be drawn as typed.  The scale is three");
    EXPECT_FALSE(SaveGWElevFile(g, pf.file("out.gwf")));
    EXPECT_EQ(ui.styles.value(0), vb::Exclamation);
    EXPECT_FALSE(QFile::exists(pf.file("out.gwf")));
    EXPECT_EQ(contentOf(m), content);
}

TEST_F(GWElevFile, SaveTakesScalesAndTitlesButNotTypedSourceNames) {
    ScriptedUi ui;
    ModGW& m = modgw();
    CommitGWElev(*positions());
    GWElevGrids g = GWElevGridsOf(m.GWElev);
    g.SS2[2] = QStringLiteral("d");
    g.SS1[1][2] = QStringLiteral("typed"); // shown but never stored: the picks set the sources
    g.SS1[4][5] = QStringLiteral("0,50,10"); // a row below an empty one makes rows 3 and 4 sets
    g.SS3[4] = QStringLiteral("Line 3");
    ASSERT_TRUE(SaveGWElevFile(g, pf.file("out.gwf")));
    const QStringList lines = qtext::ReadLines(pf.file("out.gwf"));
    ASSERT_EQ(lines.size(), 3 + 4 * 9 + 4 + 3 + 5);
    EXPECT_EQ(lines.mid(1, 2), (QStringList{"d", "4"}));
    EXPECT_EQ(lines[5], "");  // set 1, position 2
    EXPECT_EQ(lines.mid(21, 18), QStringList(17, QString()) << "0,50,10"); // sets 3 and 4
    EXPECT_EQ(lines[42], "Line 3");
    EXPECT_EQ(lines.mid(43 + 3), (QStringList{"1", QStringLiteral("Set 1 straddles the creek.") + kMark, "0", "0", "0"}));
}

TEST_F(GWElevFile, ClearEmptiesEverySetSoNoneComesBackInALaterFile) {
    ModGW& m = modgw();
    CommitGWElev(*positions());
    // Left by an earlier definition beyond the current count.
    setSet(m.GWElev, 7, {"MW-7", "801", "MW-8", "802", "", "", "", "", "1,2,1"});
    m.GWElevFile = QStringLiteral("/data/site.gwf");
    m.StiffActiveSet = 1;
    ClearGWElevFile();
    EXPECT_EQ(m.GWElevFile, "/data/site.gwf");
    EXPECT_EQ(m.StiffActiveSet, 1);
    EXPECT_EQ(m.GWElev.GWElevParameter, 0);
    EXPECT_EQ(m.GWElev.GWElevKind, "");
    EXPECT_EQ(m.GWElev.GWElevSetCount, 0);
    EXPECT_EQ(m.ReportNotes.GeneralNoteCount, 0);
    EXPECT_EQ(m.ReportNotes.ItemNoteCount[1], 0);

    // Only position 1 of row 7 is picked afresh; the rest of the row stays empty in the file.
    m.GWElev.GWElevSetSources[7][1] = QStringLiteral("MW-1");
    m.GWElev.GWElevSetValues[7][1] = QStringLiteral("812.40");
    GWElevGrids g;
    g.SS2[1] = QStringLiteral("4");
    g.SS1[7][1] = QStringLiteral("MW-1");
    ScriptedUi ui;
    ASSERT_TRUE(SaveGWElevFile(g, pf.file("later.gwf")));
    const QStringList lines = qtext::ReadLines(pf.file("later.gwf"));
    EXPECT_EQ(lines.mid(3 + 6 * 9, 9), QStringList({"MW-1", "812.40"}) << QStringList(7, QString()));
    for (int i = 3; i < 3 + 6 * 9; ++i)
        EXPECT_EQ(lines[i], "") << "line " << i + 1;
}
