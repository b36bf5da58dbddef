// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/drawwinstate.h"
#include "drawwin/forms/frmfolderpick.h"
#include "platform/gui/forms.h"
#include "project/modgw.h"
#include "support/programstate.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {
class FolderPicker : public ProgramStateTest {
protected:
    void SetUp() override {
        QDir().mkpath(pf.file("data/sub"));
        drawwin().PickedFolder = pf.file("data/");
        modgw().DialogFileName = "left from before";
    }
    // Shows the picker and runs steps on it while it is up, as a Browse button does.
    QString pick(const std::function<void(frmFolderPick&)>& steps) {
        forms::setModalHook([&](QDialog& d) { steps(static_cast<frmFolderPick&>(d)); });
        forms::showModal(forms::form<frmFolderPick>());
        forms::setModalHook(nullptr);
        forms::unload<frmFolderPick>();
        return modgw().DialogFileName;
    }
    TempProgramFolder pf;
    ScriptedUi ui; // fails the test on any box not planned
};
} // namespace

TEST_F(FolderPicker, OpensOnThePickedFolderAndOkGivesThePathAsTyped) {
    const QString chosen = pick([&](frmFolderPick& p) {
        EXPECT_EQ(p.windowTitle(), "Select a Folder");
        EXPECT_EQ(p.Text1->text(), pf.file("data/"));
        EXPECT_EQ(p.SelectedPath(), pf.file("data"));
        EXPECT_EQ(p.Command4->text(), "Create New Folder");
        EXPECT_EQ(p.Text2->accessibleName(), "Text2");
        // A folder chosen in the tree fills the path field; typing there is taken unchecked.
        p.setSelectedPath(pf.file("data/sub"));
        EXPECT_EQ(p.Text1->text(), pf.file("data/sub"));
        p.Text1->setText(pf.file("no such folder"));
        p.Command1->click();
    });
    EXPECT_EQ(chosen, pf.file("no such folder"));
}

TEST_F(FolderPicker, CancelTheCloseBoxAndOkOnAnEmptyPathGiveNoChoice) {
    EXPECT_EQ(pick([](frmFolderPick& p) { p.Command2->click(); }), "");
    modgw().DialogFileName = "x";
    EXPECT_EQ(pick([](frmFolderPick& p) { p.close(); }), "");
    EXPECT_EQ(pick([](frmFolderPick& p) {
                  p.Text1->clear();
                  p.Command1->click();
              }),
              "");
}

TEST_F(FolderPicker, CreateNewFolderMakesItOnceAndLeavesTheWindowAsItWas) {
    ui.answer(vb::OK, "The New Folder Name that you have entered already exists.  Edit it and try again.");
    ui.answer(vb::OK, "Enter a New Folder Name and try again.");
    ui.answer(vb::OK, "Invalid Path or Folder Already Exists -- you cannot create new folder here");
    pick([&](frmFolderPick& p) {
        p.Text2->setText("plots");
        p.Command4->click(); // made, silently
        EXPECT_TRUE(QFileInfo(pf.file("data/plots")).isDir());
        EXPECT_EQ(p.Text1->text(), pf.file("data/"));
        EXPECT_EQ(p.Text2->text(), "plots");
        p.Command4->click(); // a second press
        p.Text2->clear();
        p.Command4->click();
        p.Text1->clear();
        p.Text2->setText("plots");
        p.Command4->click(); // no path: nothing at the root
        p.Command2->click();
    });
    EXPECT_EQ(ui.texts.size(), 3);
}
