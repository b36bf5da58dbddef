// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/frmabout200x.h"
#include "app/forms/frmdatagrid.h"
#include "app/startup.h"
#include "platform/gui/forms.h"
#include "platform/gui/helpviewer.h"
#include "platform/progfolder.h"
#include "platform/textfile.h"
#include "project/modgw.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        modgw().reset();
        startupHooks().reset();
        qtext::WriteLines(pf.file("defcolor.col"), {"1", "Black", "0 0 0"});
    }
    void TearDown() override {
        forms::setModalHook(nullptr);
        forms::unloadAll();
    }
    TempProgramFolder pf;
};

QStringList captions(const QList<QAction*>& actions) {
    QStringList out;
    for (QAction* a : actions) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

} // namespace

TEST_F(MainWindow, MenusCarryTheirCaptionsAndShortcuts) {
    frmDatAGrid& w = forms::form<frmDatAGrid>();
    EXPECT_EQ(w.windowTitle(), "Quillmare 2002");
    EXPECT_EQ(captions(w.menuBar()->actions()),
              QStringList({"&File", "&Edit", "&Reports", "&Utilities", "&Help", "&About"}));
    EXPECT_EQ(captions(w.mnuFile->actions()), QStringList({"&New Project", "&Open Project", "E&dit  Project Info",
                                                           "-", "&Import", "&Export", "-", "E&xit"}));
    EXPECT_EQ(captions(w.mnuEdit->actions()), QStringList({"Cu&t", "&Copy", "&Paste"}));
    EXPECT_EQ(w.mnuCut->shortcut(), QKeySequence("Ctrl+X"));
    EXPECT_EQ(w.mnuCopy->shortcut(), QKeySequence("Ctrl+C"));
    EXPECT_EQ(w.mnuPaste->shortcut(), QKeySequence("Ctrl+V"));
    EXPECT_EQ(captions(w.mnuReports->actions()),
              QStringList({"&Source Summary", "&Parameter Summary", "&Date Summary", "Date &Contour",
                           "S&tiff Graph", "&Groundwater Elevation Graph"}));
    EXPECT_EQ(captions(w.mnuUtilities->actions()),
              QStringList({"&Clear Database", "&Graphics/System Setup", "&Define Headings/Logo"}));
    EXPECT_EQ(w.mnuHelp->menu(), nullptr); // a command on the bar, not a drop-down
    EXPECT_EQ(w.Command3->text(), "Prev");
    EXPECT_EQ(w.Command4->text(), "Next");
    EXPECT_EQ(w.Command6->text(), "GoTo");
    EXPECT_EQ(w.Command1->text(), "Add");
    EXPECT_EQ(w.Command2->text(), "Delete");
    EXPECT_EQ(w.Label1->text(), "Source:");
    EXPECT_EQ(w.Label2->text(), "Record");
    EXPECT_EQ(w.SS->accessibleName(), "SS");
}

TEST_F(MainWindow, StartUpShowsTheSplashOnceAndAClickClosesIt) {
    int shown = 0;
    forms::setModalHook([&](QDialog& d) {
        ++shown;
        auto* about = qobject_cast<frmAbout200x*>(&d);
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(about->Label5->text(), "v. 2002.5");
        QTest::mouseClick(about->Label5, Qt::LeftButton);
        EXPECT_FALSE(about->isVisible());
    });
    frmDatAGrid& w = forms::form<frmDatAGrid>();
    w.Form_Load();
    EXPECT_EQ(qtext::ReadLines(pf.file("DEVICE.CFG")).size(), 20);
    QTest::qWait(30);
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_FALSE(forms::isLoaded<frmAbout200x>());
}

TEST_F(MainWindow, StartUpReopensTheMostRecentProject) {
    qtext::WriteLines(pf.file("qmarrecent.txt"), {pf.file("site.qlp")});
    writeRaw(pf.file("site.qlp"), "");
    forms::setModalHook([](QDialog& d) { d.accept(); });
    frmDatAGrid& w = forms::form<frmDatAGrid>();
    w.Form_Load();
    const ModGW& m = modgw();
    EXPECT_EQ(m.ProjectFile, pf.file("site.qlp"));
    EXPECT_EQ(m.DatabaseFile, pf.file("site.mdb"));
    EXPECT_EQ(m.DataFolder, pf.path());
    EXPECT_EQ(m.CurrentSource, 1);
    EXPECT_EQ(w.windowTitle(), "Quillmare 2002: " + pf.file("site.qlp"));
}

TEST_F(MainWindow, ClosingWritesTheSettingsClosesHelpAndUnloadsTheFillChooser) {
    bool fillUnloaded = false;
    startupHooks().unloadFillChooser = [&] { fillUnloaded = true; };
    forms::setModalHook([](QDialog& d) { d.accept(); });
    frmDatAGrid& w = forms::form<frmDatAGrid>();
    w.Form_Load();
    QTest::qWait(10);
    ASSERT_TRUE(SeedProgramFolder()); // brings the help pages
    w.mnuHelp->trigger();
    EXPECT_EQ(HelpPageShown(), "index.html");
    QFile::remove(pf.file("device.cfg"));
    modgw().ZoomAfterOpen = "PAGE";
    w.close();
    const QStringList d = qtext::ReadLines(pf.file("DEVICE.CFG"));
    ASSERT_EQ(d.size(), 20);
    EXPECT_EQ(d[11], "PAGE");
    EXPECT_EQ(HelpPageShown(), "");
    EXPECT_TRUE(fillUnloaded);
}
