// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/devicesettings.h"
#include "drawwin/graphicssetup.h"
#include "platform/progfolder.h"
#include "platform/textfile.h"
#include "project/modgw.h"
#include "support/errorof.h"
#include "support/programstate.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

class GraphicsSetup : public ProgramStateTest {
protected:
    void SetUp() override {
        ModGW& m = modgw();
        m.DataFolder = pf.path();
        m.MarginOffsets = "0,0";
        m.DefaultFont = "Arial";
        m.FillPath = pf.file("fills/");
        m.SymbolPath = pf.file("symbols/");
        m.DeviceLine17 = 1;
    }
    QStringList device() { return qtext::ReadLines(pf.file("DEVICE.CFG")); }
    GraphicsSetupResult apply(const GraphicsSetupFields& f) { return ApplyGraphicsSetup(f, modgw().FillPath); }
    TempProgramFolder pf;
    ScriptedUi ui; // fails the test on any box not planned
};

} // namespace

TEST_F(GraphicsSetup, MarginOffsetsAreParsedAndHeldToTwoInchesOnlyWhenTheTextChanged) {
    struct Case {
        const char* text;
        float x, y;
    };
    for (const Case& c : {Case{"1.5,-3", 1.5f, -2.0f}, Case{"3", 0, 0}, Case{"x,1", 0, 1.0f},
                          Case{" -2.5 , 2.25", -2.0f, 2.0f}}) {
        modgw().MarginOffsetX = modgw().MarginOffsetY = 0.75f;
        GraphicsSetupFields f = GraphicsSetupFromSettings();
        f.marginOffsets = c.text;
        apply(f);
        EXPECT_EQ(modgw().MarginOffsets, c.text);
        EXPECT_FLOAT_EQ(modgw().MarginOffsetX, c.x) << c.text;
        EXPECT_FLOAT_EQ(modgw().MarginOffsetY, c.y) << c.text;
        EXPECT_EQ(device()[1], c.text);
    }
    // The text as it was: the offsets stay, though the text would give others.
    modgw().MarginOffsetX = 1.25f;
    modgw().MarginOffsetY = -0.5f;
    apply(GraphicsSetupFromSettings());
    EXPECT_FLOAT_EQ(modgw().MarginOffsetX, 1.25f);
    EXPECT_FLOAT_EQ(modgw().MarginOffsetY, -0.5f);
}

TEST_F(GraphicsSetup, OkStoresEveryFieldAndWritesTheSettingsFile) {
    GraphicsSetupFields f = GraphicsSetupFromSettings();
    f.defaultFont = "Courier New";
    f.textAdjustFile = "/data/wide.txb";
    f.fillPath = "/data/fills";
    f.symbolPath = "C:\\old\\symbols\\";
    f.centralDataPath = "/data";
    f.headingFile = "/data/usqmar.qlh";
    f.zoomScreenWidth = true;
    f.replaceText = true;
    f.thickDashed = true;
    const GraphicsSetupResult r = apply(f);
    EXPECT_TRUE(r.replaceOnEdit);
    const QStringList d = device();
    ASSERT_EQ(d.size(), 20);
    EXPECT_EQ(d.mid(2, 6), QStringList({"Courier New", "/data/wide.txb", "/data/fills/", "C:\\old\\symbols\\",
                                        "/data", "/data/usqmar.qlh"}));
    EXPECT_EQ(d[11], "SW");
    EXPECT_EQ(d[12], " 0");
    EXPECT_EQ(d[16], "1"); // carried through
    EXPECT_EQ(d[18], "1");
    EXPECT_EQ(d[19], "1");

    f.zoomScreenWidth = f.replaceText = f.thickDashed = false;
    EXPECT_FALSE(apply(f).replaceOnEdit);
    EXPECT_EQ(device()[11], "PAGE");
    EXPECT_EQ(device()[18], "0");
    EXPECT_EQ(device()[19], "0");
}

TEST_F(GraphicsSetup, DateStampIsABlankAndTheDigitAndReadsBackAsTheSameTicks) {
    for (int n = 0; n <= 3; ++n) {
        GraphicsSetupFields f = GraphicsSetupFromSettings();
        f.labelDate = n & 1;
        f.labelFilename = n & 2;
        apply(f);
        EXPECT_EQ(device()[12], " " + QString::number(n));
        const GraphicsSetupFields back = GraphicsSetupFromSettings();
        EXPECT_EQ(back.labelDate, f.labelDate) << n;
        EXPECT_EQ(back.labelFilename, f.labelFilename) << n;
    }
}

TEST_F(GraphicsSetup, DateStampTicksRoundTheSettingAndNeverOverflow) {
    struct Case {
        const char* option;
        bool date, file;
    };
    for (const Case& c : {Case{"", false, false}, Case{"1", true, false}, Case{" 2", false, true},
                          Case{"3", true, true}, Case{"0.5", false, false}, Case{"1.5", false, true},
                          Case{"2.5", false, true}, Case{"x", false, false}, Case{"7", false, true},
                          Case{"1e12", false, true}, Case{"-1", false, false}}) {
        bool date = !c.date, file = !c.file;
        DateStampTicks(c.option, date, file);
        EXPECT_EQ(date, c.date) << c.option;
        EXPECT_EQ(file, c.file) << c.option;
    }
}

TEST_F(GraphicsSetup, FoldersAreClosedAndAnEmptyOneIsTheProgramFoldersDefault) {
    GraphicsSetupFields f = GraphicsSetupFromSettings();
    f.fillPath = "";
    f.symbolPath = "";
    apply(f);
    EXPECT_EQ(modgw().FillPath, ProgramFolder() + "fills/");
    EXPECT_EQ(modgw().SymbolPath, ProgramFolder() + "symbols/");
    f.fillPath = "C:\\fills";
    f.symbolPath = "/x/sym/";
    apply(f);
    EXPECT_EQ(modgw().FillPath, "C:\\fills/");
    EXPECT_EQ(modgw().SymbolPath, "/x/sym/");
}

TEST_F(GraphicsSetup, TheFillChooserIsRebuiltOnlyForAnotherFillsFolder) {
    const QString atLoad = modgw().FillPath;
    GraphicsSetupFields f = GraphicsSetupFromSettings();
    f.symbolPath = "/elsewhere/symbols";
    EXPECT_FALSE(ApplyGraphicsSetup(f, atLoad).fillChooserReload);
    f.fillPath = pf.file("fills"); // the same folder without its "/"
    EXPECT_FALSE(ApplyGraphicsSetup(f, atLoad).fillChooserReload);
    f.fillPath = pf.file("newfills");
    EXPECT_TRUE(ApplyGraphicsSetup(f, atLoad).fillChooserReload);
    EXPECT_EQ(modgw().FillPath, pf.file("newfills/"));
}

TEST_F(GraphicsSetup, AFailedWriteIsReportedAndTheSettingsStand) {
    QDir().mkpath(pf.file("DEVICE.CFG")); // a folder where the file goes
    ui.answer(vb::OK, "in SaveDevice.  Please contact Kalvex");
    GraphicsSetupFields f = GraphicsSetupFromSettings();
    f.zoomScreenWidth = true;
    EXPECT_FALSE(apply(f).saved); // the dialog stays open
    EXPECT_EQ(modgw().ZoomAfterOpen, "SW");
}

// ---- text adjustment files

TEST_F(GraphicsSetup, ATextAdjustmentFileThatEndsEarlyRepeatsTheLastLineRead) {
    std::array<int16_t, 7> v{};
    qtext::WriteLines(pf.file("a.txb"), {"Arial", "10", "20.5", "30"});
    ReadTextAdjustFile(pf.file("a.txb"), v);
    EXPECT_EQ(v, (std::array<int16_t, 7>{0, 10, 20, 30, 30, 30, 30}));
    qtext::WriteLines(pf.file("a.txb"), {"12 Point Font"});
    ReadTextAdjustFile(pf.file("a.txb"), v);
    EXPECT_EQ(v, (std::array<int16_t, 7>{0, 12, 12, 12, 12, 12, 12})); // the font line's number
    qtext::WriteLines(pf.file("a.txb"), {"Arial"});
    ReadTextAdjustFile(pf.file("a.txb"), v);
    EXPECT_EQ(v, (std::array<int16_t, 7>{}));
}

TEST_F(GraphicsSetup, ABadTextAdjustmentFileRaisesAndKeepsTheValuesReadSoFar) {
    std::array<int16_t, 7> v{0, 1, 2, 3, 4, 5, 6};
    qtext::WriteLines(pf.file("a.txb"), {"Arial", "-7", "40000", "9"});
    EXPECT_EQ(errorOf([&] { ReadTextAdjustFile(pf.file("a.txb"), v); }), 6);
    EXPECT_EQ(v, (std::array<int16_t, 7>{0, -7, 2, 3, 4, 5, 6}));
    writeRaw(pf.file("empty.txb"), "");
    EXPECT_EQ(errorOf([&] { ReadTextAdjustFile(pf.file("empty.txb"), v); }), 62);
    EXPECT_EQ(errorOf([&] { ReadTextAdjustFile(pf.file("none.txb"), v); }), 53);
}

TEST_F(GraphicsSetup, ATextAdjustmentFileReadsBackAsWritten) {
    const std::array<int16_t, 7> v{0, -32768, 0, 1, 250, 32767, -5};
    WriteTextAdjustFile(pf.file("b.txb"), "Times New Roman", v);
    EXPECT_EQ(readRaw(pf.file("b.txb")), "Times New Roman\r\n-32768\r\n0\r\n1\r\n250\r\n32767\r\n-5\r\n");
    std::array<int16_t, 7> back{};
    ReadTextAdjustFile(pf.file("b.txb"), back);
    EXPECT_EQ(back, v);
}
