// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/drawwinstate.h"
#include "drawwin/forms/frmfill.h"
#include "drawwin/forms/frmfolderpick.h"
#include "drawwin/forms/frmgraphicssystem.h"
#include "drawwin/shippedpictures.h"
#include "platform/drawing/mdrawpro.h"
#include "platform/gui/forms.h"
#include "platform/gui/helpviewer.h"
#include "platform/progfolder.h"
#include "platform/textfile.h"
#include "project/modgw.h"
#include "project/windowhooks.h"
#include "support/programstate.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class SetupWindow : public ProgramStateTest {
protected:
    void SetUp() override {
        ModGW& m = modgw();
        m.DataFolder = pf.path();
        m.MarginOffsets = "0.5,0.25";
        m.MarginOffsetX = 0.5f;
        m.MarginOffsetY = 0.25f;
        m.DefaultFont = "Arial";
        m.TextAdjustFile = pf.file("std.txb");
        m.FillPath = pf.file("fills/");
        m.SymbolPath = pf.file("symbols/");
        m.CentralDataPath = pf.file("central");
        m.HeadingFile = pf.file("usqmar.qlh");
        m.ZoomAfterOpen = "SW";
        m.CellEditMode = "1";
        m.DateStampOption = " 2";
        m.ThickDashedLines = "1";
        m.DeviceLine17 = 1;
        m.HelpFile = "qmar2002.HLP";
        projectHooks().setCellEditMode = [this](bool replace) { gridReplaces.push_back(replace); };
    }
    // Shows the setup through the Utilities command and runs steps on it while it is up.
    // The folder picker, when a Browse button shows it, is handed to onPicker.
    void withSetup(const std::function<void(frmGraphicsSystem&)>& steps) {
        forms::setModalHook([&](QDialog& d) {
            if (auto* s = qobject_cast<frmGraphicsSystem*>(&d)) steps(*s);
            else if (auto* p = qobject_cast<frmFolderPick*>(&d)) onPicker(*p);
            else ADD_FAILURE() << "unexpected window " << qPrintable(d.objectName());
        });
        ShowGraphicsSystemSetup();
        forms::setModalHook(nullptr);
        EXPECT_FALSE(forms::isLoaded<frmGraphicsSystem>());
    }
    QStringList device() { return qtext::ReadLines(pf.file("DEVICE.CFG")); }
    TempProgramFolder pf;
    std::vector<bool> gridReplaces;
    std::function<void(frmFolderPick&)> onPicker;
    ScriptedUi ui; // fails the test on any box not planned
};

} // namespace

TEST_F(SetupWindow, OpensOnTheSettings) {
    withSetup([&](frmGraphicsSystem& s) {
        EXPECT_EQ(s.windowTitle(), "Graphics/System Setup");
        QStringList texts;
        for (int i = 1; i <= 7; ++i) texts << s.Text1[i]->text();
        EXPECT_EQ(texts, QStringList({"0.5,0.25", "Arial", pf.file("std.txb"), pf.file("fills/"), pf.file("symbols/"),
                                      pf.file("central"), pf.file("usqmar.qlh")}));
        EXPECT_EQ(s.Text1[4]->accessibleName(), "Text1(4)");
        EXPECT_TRUE(s.Option1->isChecked());
        EXPECT_EQ(s.Option1->text(), "Screen Width");
        EXPECT_EQ(s.Option2->text(), "Full Page");
        EXPECT_EQ(s.FrameZoom->title(), "After Opening A File, Zoom To...");
        EXPECT_TRUE(s.OptionReplaceText->isChecked());
        EXPECT_FALSE(s.Check1->isChecked());
        EXPECT_TRUE(s.Check2->isChecked());
        EXPECT_TRUE(s.chkThickDashed->isChecked());
        s.Command9->click();
    });
    EXPECT_FALSE(QFile::exists(pf.file("DEVICE.CFG")));
    EXPECT_TRUE(gridReplaces.empty());
}

TEST_F(SetupWindow, OkStoresTheFieldsWritesTheFileAndSetsTheMainGrid) {
    withSetup([&](frmGraphicsSystem& s) {
        s.Text1[1]->setText("1.5,-3");
        s.Text1[2]->setText("Times New Roman");
        s.Option2->setChecked(true);
        s.OptionAddText->setChecked(true);
        s.Check1->setChecked(true);
        s.Check2->setChecked(true);
        s.chkThickDashed->setChecked(false);
        s.Command10->click();
    });
    const ModGW& m = modgw();
    EXPECT_FLOAT_EQ(m.MarginOffsetX, 1.5f);
    EXPECT_FLOAT_EQ(m.MarginOffsetY, -2.0f);
    const QStringList d = device();
    ASSERT_EQ(d.size(), 20);
    EXPECT_EQ(d[1], "1.5,-3");
    EXPECT_EQ(d[2], "Times New Roman");
    EXPECT_EQ(d[11], "PAGE");
    EXPECT_EQ(d[12], " 3");
    EXPECT_EQ(d[18], "0");
    EXPECT_EQ(d[19], "0");
    EXPECT_EQ(gridReplaces, std::vector<bool>({false}));
}

TEST_F(SetupWindow, CancelAndTheCloseBoxStoreNothing) {
    for (int way = 0; way < 2; ++way) {
        withSetup([&](frmGraphicsSystem& s) {
            s.Text1[2]->setText("Courier New");
            s.Option2->setChecked(true);
            if (way == 0) s.Command9->click();
            else s.close();
        });
        EXPECT_EQ(modgw().DefaultFont, "Arial");
        EXPECT_EQ(modgw().ZoomAfterOpen, "SW");
    }
    EXPECT_FALSE(QFile::exists(pf.file("DEVICE.CFG")));
}

TEST_F(SetupWindow, ANewFillsFolderRebuildsTheFillChooserTheSameFolderDoesNot) {
    shipped::WriteMissing();
    frmFill* before = &forms::form<frmFill>();
    const int beforeSwatches = before->canvas().count();
    // The stored folder typed without its "/": no change.
    withSetup([&](frmGraphicsSystem& s) {
        s.Text1[4]->setText(pf.file("fills"));
        s.Text1[5]->setText(pf.file("other symbols"));
        s.Command10->click();
    });
    ASSERT_TRUE(forms::isLoaded<frmFill>());
    EXPECT_EQ(&forms::form<frmFill>(), before);

    QDir().mkpath(pf.file("newfills"));
    withSetup([&](frmGraphicsSystem& s) {
        s.Text1[4]->setText(pf.file("newfills"));
        s.Command10->click();
    });
    EXPECT_EQ(modgw().FillPath, pf.file("newfills/"));
    ASSERT_TRUE(forms::isLoaded<frmFill>());
    frmFill& after = forms::form<frmFill>();
    EXPECT_NE(&after, before);
    EXPECT_FALSE(after.isVisible());
    EXPECT_GT(beforeSwatches, 0);
    EXPECT_EQ(after.canvas().count(), 0); // the new folder holds no patterns
}

TEST_F(SetupWindow, TextAdjustmentOpenTakesEffectAtOnceItsNameOnlyThroughOk) {
    qtext::WriteLines(pf.file("wide.txb"), {"Arial", "100", "200", "300"});
    ui.file(pf.file("wide.txb"), "Open Text Adjustment File");
    withSetup([&](frmGraphicsSystem& s) {
        s.btnOpenTextAdj->click();
        EXPECT_EQ(s.Text1[3]->text(), pf.file("wide.txb"));
        s.Command9->click();
    });
    ASSERT_EQ(ui.fileRequests.size(), 1);
    EXPECT_EQ(ui.fileRequests[0].filter, "TextBox Adj. Files (*.txb)|*.txb");
    EXPECT_EQ(ui.fileRequests[0].defaultExt, "txb");
    EXPECT_EQ(ui.fileRequests[0].initDir, pf.file("central"));
    EXPECT_FALSE(ui.fileRequests[0].save);
    EXPECT_EQ(modgw().TextAdjust, (std::array<int16_t, 7>{0, 100, 200, 300, 300, 300, 300}));
    EXPECT_EQ(modgw().TextAdjustFile, pf.file("std.txb"));

    ui.file(pf.file("wide.txb"), "Open Text Adjustment File");
    withSetup([&](frmGraphicsSystem& s) {
        s.btnOpenTextAdj->click();
        s.Command10->click();
    });
    EXPECT_EQ(modgw().TextAdjustFile, pf.file("wide.txb"));
    EXPECT_EQ(device()[3], pf.file("wide.txb"));
}

TEST_F(SetupWindow, ATextAdjustmentValueOutOfRangeIsReportedAndTheFieldKept) {
    qtext::WriteLines(pf.file("bad.txb"), {"Arial", "5", "40000"});
    ui.file(pf.file("bad.txb"), "Open Text Adjustment File");
    ui.answer(vb::OK, "Error 6 in Open File.  Please contact Kalvex");
    ui.file("", "Open Text Adjustment File"); // a cancelled dialog shows nothing
    withSetup([&](frmGraphicsSystem& s) {
        s.btnOpenTextAdj->click();
        s.btnOpenTextAdj->click();
        EXPECT_EQ(s.Text1[3]->text(), pf.file("std.txb"));
        s.Command9->click();
    });
    EXPECT_EQ(modgw().TextAdjust[1], 5);
    EXPECT_EQ(modgw().TextAdjust[2], 0);
}

TEST_F(SetupWindow, TextAdjustmentSaveWritesTheFontSettingNotTheField) {
    modgw().TextAdjust = {0, 1, 2, 3, 4, 5, 6};
    ui.file(pf.file("mine"), "Save Text Adjustment File"); // the type's extension is added
    withSetup([&](frmGraphicsSystem& s) {
        s.Text1[2]->setText("Courier New");
        s.btnSaveTextAdj->click();
        EXPECT_EQ(s.Text1[3]->text(), pf.file("mine.txb"));
        s.Command9->click();
    });
    ASSERT_EQ(ui.fileRequests.size(), 1);
    EXPECT_TRUE(ui.fileRequests[0].save);
    EXPECT_EQ(ui.fileRequests[0].fileName, pf.file("std.txb"));
    EXPECT_EQ(readRaw(pf.file("mine.txb")), "Arial\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n");
}

TEST_F(SetupWindow, AFailedTextAdjustmentSaveIsReportedAndTheFieldKept) {
    QDir().mkpath(pf.file("taken.txb"));
    ui.file(pf.file("taken.txb"), "Save Text Adjustment File");
    ui.answer(vb::OK, " in Save File.  Please contact Kalvex");
    withSetup([&](frmGraphicsSystem& s) {
        s.btnSaveTextAdj->click();
        EXPECT_EQ(s.Text1[3]->text(), pf.file("std.txb"));
        s.Command9->click();
    });
    EXPECT_TRUE(QFileInfo(pf.file("taken.txb")).isDir());
}

TEST_F(SetupWindow, FontHeadingFileAndHelp) {
    QDir().mkpath(pf.file("help"));
    writeRaw(pf.file("help/1023.html"), "<html><body>setup</body></html>");
    FontChoice courier;
    courier.family = "Courier New";
    courier.size = 12;
    ui.font(courier);
    ui.font(std::nullopt);
    ui.file(pf.file("central/other.qlh"), "Choose Quillmare Heading File");
    withSetup([&](frmGraphicsSystem& s) {
        s.btnFontChoose->click();
        EXPECT_EQ(s.Text1[2]->text(), "Courier New");
        s.btnFontChoose->click(); // cancelled: the field stays
        EXPECT_EQ(s.Text1[2]->text(), "Courier New");
        s.Command1->click();
        EXPECT_EQ(s.Text1[7]->text(), pf.file("central/other.qlh"));
        s.Command8->click();
        EXPECT_EQ(HelpPageShown(), "1023.html");
        s.Command10->click();
    });
    ASSERT_EQ(ui.fontRequests.size(), 2);
    EXPECT_EQ(ui.fontRequests[0].family, "Arial");
    EXPECT_EQ(ui.fontRequests[1].family, "Courier New");
    EXPECT_EQ(ui.fontFlags[0], 1);
    ASSERT_EQ(ui.fileRequests.size(), 1);
    EXPECT_EQ(ui.fileRequests[0].filter, "Quillmare Heading Files (*.qlh)|*.qlh");
    EXPECT_EQ(ui.fileRequests[0].initDir, pf.file("central"));
    EXPECT_EQ(modgw().DefaultFont, "Courier New");
    EXPECT_EQ(modgw().HeadingFile, pf.file("central/other.qlh"));
}

TEST_F(SetupWindow, BrowseOpensThePickerOnTheSettingAndTakesOnlyAChoice) {
    QDir().mkpath(pf.file("symbols"));
    QDir().mkpath(pf.file("mysymbols"));
    QStringList pickedFrom;
    withSetup([&](frmGraphicsSystem& s) {
        s.Text1[5]->setText("typed, not stored");
        onPicker = [&](frmFolderPick& p) {
            pickedFrom << drawwin().PickedFolder;
            EXPECT_EQ(p.Text1->text(), drawwin().PickedFolder);
            p.Text1->setText(pf.file("mysymbols"));
            p.Command1->click();
        };
        s.btnSymbolPath->click();
        EXPECT_EQ(s.Text1[5]->text(), pf.file("mysymbols"));

        onPicker = [&](frmFolderPick& p) {
            pickedFrom << drawwin().PickedFolder;
            p.close(); // the close box: no choice
        };
        s.btnCentralPath->click();
        EXPECT_EQ(s.Text1[6]->text(), pf.file("central"));
        EXPECT_FALSE(forms::isLoaded<frmFolderPick>());
        s.Command10->click();
    });
    EXPECT_EQ(pickedFrom, QStringList({pf.file("symbols/"), pf.file("central")}));
    EXPECT_EQ(modgw().SymbolPath, pf.file("mysymbols/"));
}
