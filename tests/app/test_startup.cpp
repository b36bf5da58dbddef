// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"
#include "drawwin/windowhooks.h"
#include "platform/filenames.h"
#include "platform/progfolder.h"
#include "platform/textfile.h"
#include "project/modgw.h"
#include "support/faultydisk.h"
#include "support/programstate.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class Startup : public ProgramStateTest {
protected:
    void SetUp() override {
        // a colour file, so that start-up shows no box unless a test wants one
        qtext::WriteLines(pf.file("defcolor.col"), {"2", "Black", "0 0 0", "White", "255 255 255"});
    }
    QStringList device() { return qtext::ReadLines(pf.file("DEVICE.CFG")); }
    static QStringList twenty() {
        QStringList l;
        for (int i = 1; i <= 20; ++i) l << QStringLiteral("v%1").arg(i);
        return l;
    }
    TempProgramFolder pf;
};

} // namespace

TEST_F(Startup, NoDeviceFileGivesTheDefaultsAndWritesTwentyLines) {
    InitializeSystem();
    const ModGW& m = modgw();
    const QStringList d = device();
    ASSERT_EQ(d.size(), 20);
    EXPECT_EQ(d[0], pf.path());
    EXPECT_EQ(d[1], "0,0");
    EXPECT_EQ(d[2], "Arial");
    EXPECT_EQ(d[4], pf.path() + "fills/");
    EXPECT_EQ(d[5], pf.path() + "symbols/");
    EXPECT_EQ(d[10], "prompt.txt");
    EXPECT_EQ(d[13], "0");
    EXPECT_EQ(d[14], "0");
    EXPECT_EQ(d[16], "1");
    for (int i : {3, 6, 7, 8, 9, 11, 12, 15, 17, 18, 19}) EXPECT_EQ(d[i], "") << "line " << i + 1;
    EXPECT_EQ(m.HelpFile, "qmar2002.HLP");
    EXPECT_EQ(m.ColorCount, 2);
    EXPECT_EQ(m.ColorTable[2][1], "White");
    EXPECT_EQ(m.ColorTable[2][2], "255 255 255");
}

TEST_F(Startup, TheFirstStartReplacesTextOnEditALaterLostFileGetsThePlainDefaults) {
    SetProgramFolder(pf.file("first/qmar2002"));
    ASSERT_TRUE(SeedProgramFolder(0));
    InitializeSystem();
    QStringList d = qtext::ReadLines(pf.file("first/qmar2002/DEVICE.CFG"));
    ASSERT_EQ(d.size(), 20);
    EXPECT_EQ(d[18], "1");
    EXPECT_EQ(d[0], pf.file("first/qmar2002/"));

    // A later start that finds the file gone, and one whose file stops before line 19.
    for (const QStringList& kept : {QStringList(), QStringList({pf.path(), "0,0", "Arial"})}) {
        modgw().reset();
        if (kept.isEmpty())
            ASSERT_TRUE(QFile::remove(qfile::Resolve(pf.file("first/qmar2002/DEVICE.CFG"))));
        else
            qtext::WriteLines(pf.file("first/qmar2002/DEVICE.CFG"), kept);
        ASSERT_TRUE(SeedProgramFolder(0));
        InitializeSystem();
        d = qtext::ReadLines(pf.file("first/qmar2002/DEVICE.CFG"));
        ASSERT_EQ(d.size(), 20);
        EXPECT_EQ(d[18], "");
    }
    SetProgramFolder(pf.path());
}

TEST_F(Startup, SettingsThatCannotBeWrittenWholeAreReportedAndTheOldFilesStay) {
    QStringList l = twenty();
    l[0] = pf.path();
    qtext::WriteLines(pf.file("DEVICE.CFG"), l);
    qtext::WriteLines(pf.file("qmarrecent.txt"), {"/x/a.qlp"});
    InitializeSystem();
    const QByteArray device = readRaw(pf.file("DEVICE.CFG"));
    const QByteArray recent = readRaw(pf.file("qmarrecent.txt"));
    modgw().ProjectFile = "/x/b.qlp";
    {
        ScriptedUi ui;
        ui.answer(vb::OK, "Error 61 in SaveDevice.  Please contact Kalvex");
        ui.answer(vb::OK, "Error 61 in AddRecentProject.  Please contact Kalvex");
        FileSizeLimit limit(16);
        EXPECT_FALSE(SaveDevice());
        AddRecentProject();
    }
    EXPECT_EQ(readRaw(pf.file("DEVICE.CFG")), device);
    EXPECT_EQ(readRaw(pf.file("qmarrecent.txt")), recent);
    EXPECT_EQ(modgw().RecentProjects[1], "/x/b.qlp"); // the settings in memory stand
}

TEST_F(Startup, ShortFileIsCompletedAndCarriedLinesSurvive) {
    QStringList l = twenty();
    l[0] = pf.path();
    l[1] = "3,-2.5";
    l[13] = "640";
    l[14] = "480";
    l[16] = "7";
    qtext::WriteLines(pf.file("device.cfg"), l);
    InitializeSystem();
    QStringList d = device();
    ASSERT_EQ(d.size(), 20);
    EXPECT_EQ(d, [&] { QStringList e = l; return e; }());
    EXPECT_FLOAT_EQ(modgw().MarginOffsetX, 2.0f);
    EXPECT_FLOAT_EQ(modgw().MarginOffsetY, -2.0f);
    EXPECT_EQ(modgw().BitmapWidth, 640);
    EXPECT_EQ(modgw().DeviceLine17, 7);

    modgw().reset();
    qtext::WriteLines(pf.file("DEVICE.CFG"), l.mid(0, 12));
    InitializeSystem();
    d = device();
    ASSERT_EQ(d.size(), 20);
    EXPECT_EQ(d.mid(0, 12), l.mid(0, 12)); // lines 9 and 11 carried through
    EXPECT_EQ(d[12], "");
    EXPECT_EQ(d[13], "0");
    EXPECT_EQ(d[16], "1");
    EXPECT_EQ(d[17], "");
}

TEST_F(Startup, MarginWithoutCommaGivesZeroAndStaysAsRead) {
    qtext::WriteLines(pf.file("DEVICE.CFG"), {pf.path(), "1.5"});
    InitializeSystem();
    EXPECT_FLOAT_EQ(modgw().MarginOffsetX, 0.0f);
    EXPECT_FLOAT_EQ(modgw().MarginOffsetY, 0.0f);
    EXPECT_EQ(device()[1], "1.5");
}

TEST_F(Startup, UnwritableDataFolderFallsBackToTheProgramFolder) {
    qtext::WriteLines(pf.file("DEVICE.CFG"), {"/no/such/folder/", "0,0"});
    InitializeSystem();
    EXPECT_EQ(modgw().DataFolder, pf.path());
}

TEST_F(Startup, AnEmptyOrOneLineDeviceFileIsReportedAndStartUpGoesOn) {
    for (const QByteArray& content : {QByteArray(), QByteArray("/tmp/\r\n")}) {
        modgw().reset();
        writeRaw(pf.file("DEVICE.CFG"), content);
        qtext::WriteLines(pf.file("qmarrecent.txt"), {"/x/a.qlp"});
        {
            ScriptedUi ui;
            ui.answer(vb::OK, "Error 62 in initialize system.  Please contact Kalvex");
            InitializeSystem();
        }
        EXPECT_EQ(device().size(), 20);
        EXPECT_EQ(modgw().DefaultFont, "Arial");
        EXPECT_EQ(modgw().RecentProjects[1], "/x/a.qlp"); // later steps still ran
        EXPECT_EQ(modgw().ColorCount, 2);
    }
}

TEST_F(Startup, ABadNumberIsReportedAndTheRestIsRead) {
    QStringList l = twenty();
    l[0] = pf.path();
    l[13] = "99999";
    l[14] = "480";
    qtext::WriteLines(pf.file("DEVICE.CFG"), l);
    {
        ScriptedUi ui;
        ui.answer(vb::OK, "Error 6 in initialize system.");
        InitializeSystem();
    }
    EXPECT_EQ(modgw().BitmapWidth, 0);
    EXPECT_EQ(modgw().BitmapHeight, 480);
    EXPECT_EQ(modgw().ThickDashedLines, "v20");
    EXPECT_EQ(device()[13], "0");
}

TEST_F(Startup, TextAdjustmentRepeatsTheLastValueRead) {
    qtext::WriteLines(pf.file("adj.txb"), {"Arial", "10", "20", "30"});
    QStringList l = twenty();
    l[0] = pf.path();
    l[3] = pf.file("adj.txb");
    qtext::WriteLines(pf.file("DEVICE.CFG"), l);
    InitializeSystem();
    const auto& t = modgw().TextAdjust;
    EXPECT_EQ(QList<int>({t[1], t[2], t[3], t[4], t[5], t[6]}), QList<int>({10, 20, 30, 30, 30, 30}));

    modgw().reset();
    qtext::WriteLines(pf.file("adj.txb"), {"Arial"});
    InitializeSystem();
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(modgw().TextAdjust[i], 0);
}

TEST_F(Startup, RecentProjectsKeepOrderAndDuplicates) {
    qtext::WriteLines(pf.file("qmarrecent.txt"), {"/gone/old.qlp", "/x/b.qlp"});
    InitializeSystem();
    EXPECT_EQ(modgw().RecentProjects[1], "/gone/old.qlp");
    EXPECT_EQ(qtext::ReadLines(pf.file("qmarrecent.txt")).size(), 2); // left as it was
    for (const char* p : {"/x/a.qlp", "/x/b.qlp", "/x/a.qlp"}) {
        modgw().ProjectFile = p;
        AddRecentProject();
    }
    const QStringList r = qtext::ReadLines(pf.file("qmarrecent.txt"));
    ASSERT_EQ(r.size(), 10);
    EXPECT_EQ(r.mid(0, 5), QStringList({"/x/a.qlp", "/x/b.qlp", "/x/a.qlp", "/gone/old.qlp", "/x/b.qlp"}));
    EXPECT_EQ(r[5], "");
}

TEST_F(Startup, ColourFileLimitsAndFallbacks) {
    ModGW& m = modgw();
    QStringList many{"151"};
    for (int i = 1; i <= 151; ++i) many << QStringLiteral("c%1").arg(i) << "1 2 3";
    qtext::WriteLines(pf.file("many.col"), many);
    m.ColorFile = pf.file("many.col");
    {
        ScriptedUi ui;
        ui.answer(vb::OK, "in loadcolors.");
        loadcolors();
    }
    EXPECT_EQ(m.ColorCount, 150);

    qtext::WriteLines(pf.file("short.col"), {"5", "Red", "255 0 0"});
    m.ColorFile = pf.file("short.col");
    {
        ScriptedUi ui;
        ui.answer(vb::OK, "Error 62 in loadcolors.");
        loadcolors();
    }
    EXPECT_EQ(m.ColorCount, 1);

    m.ColorFile = "nothere.col"; // falls back to defcolor.col
    loadcolors();
    EXPECT_EQ(m.ColorCount, 2);
    QFile::remove(pf.file("defcolor.col"));
    {
        ScriptedUi ui;
        ui.answer(vb::OK, "Color File not Found: nothere.col");
        loadcolors();
    }
    EXPECT_EQ(m.ColorCount, 2); // the table keeps what it had
}

TEST_F(Startup, TheFillChooserIsLoadedLast) {
    bool loaded = false;
    startupHooks().loadFillChooser = [&] {
        loaded = true;
        EXPECT_EQ(modgw().ColorCount, 2);
    };
    InitializeSystem();
    EXPECT_TRUE(loaded);
}

// A FIFO named like a pending file in the data folder is neither opened nor removed.
TEST_F(Startup, AFifoNamedLikeAPendingFileDoesNotHoldStartUp) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(pf.file("site.mdb.qmpending-1-1")).constData(), 0600), 0);
    QElapsedTimer clock;
    clock.start();
    InitializeSystem();
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_TRUE(QFileInfo::exists(pf.file("site.mdb.qmpending-1-1")));
}
