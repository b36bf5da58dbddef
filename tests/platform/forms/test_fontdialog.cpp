// SPDX-License-Identifier: GPL-3.0-or-later
// The program's font dialog and the platform's colour dialog behind the message service.
#include "platform/gui/fontdialog.h"
#include "platform/gui/forms.h"
#include "platform/gui/guiui.h"
#include "support/programstate.h"
#include "support/scriptedui.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {
class Dialogs : public ProgramStateTest {};

FontChoice arial10() {
    FontChoice c;
    c.family = "Arial";
    c.size = 10;
    c.color = 255;
    return c;
}
} // namespace

TEST_F(Dialogs, TheFontDialogOpensOnTheChoiceAndGivesBackEveryField) {
    GuiUi gui;
    FontChoice got;
    forms::setModalHook([&](QDialog& d) {
        auto* f = qobject_cast<FontDialog*>(&d);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->windowTitle(), "Font");
        EXPECT_EQ(f->cboFontName->currentText(), "Arial"); // as given, though the system maps it
        EXPECT_EQ(f->cboFontSize->currentText(), "10");
        f->cboFontName->setEditText("Courier New");
        f->cboFontSize->setEditText("14.5");
        f->chkBold->setChecked(true);
        f->chkItalic->setChecked(true);
        f->chkUnderline->setChecked(true);
        f->chkStrikeout->setChecked(true);
        EXPECT_EQ(f->lblSample->font().family(), "Courier New");
        EXPECT_TRUE(f->lblSample->font().bold());
        f->btnOK->click();
    });
    const std::optional<FontChoice> c = gui.FontDialog(arial10(), 1);
    forms::setModalHook(nullptr);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->family, "Courier New");
    EXPECT_DOUBLE_EQ(c->size, 14.5);
    EXPECT_TRUE(c->bold && c->italic && c->underline && c->strikeout);
    EXPECT_EQ(c->color, 255);
}

TEST_F(Dialogs, TheFontDialogCancelledGivesNothingAndABadSizeKeepsTheOldOne) {
    GuiUi gui;
    forms::setModalHook([](QDialog& d) { static_cast<FontDialog&>(d).btnCancel->click(); });
    EXPECT_FALSE(gui.FontDialog(arial10(), 0));
    forms::setModalHook([](QDialog& d) { d.close(); }); // the close box
    EXPECT_FALSE(gui.FontDialog(arial10(), 0));
    forms::setModalHook(nullptr);

    FontDialog f(arial10());
    for (const char* bad : {"", "x", "-3", "0"}) {
        f.cboFontSize->setEditText(bad);
        EXPECT_DOUBLE_EQ(f.choice().size, 10) << bad;
    }
}

TEST_F(Dialogs, TheFontDialogsColourComesFromTheColourDialog) {
    ScriptedUi ui;
    ui.color(0x00FFFF); // yellow: red 255, green 255
    ui.color(std::nullopt);
    FontDialog f(arial10());
    f.cmdColor->click();
    EXPECT_EQ(f.choice().color, 0x00FFFF);
    EXPECT_EQ(f.lblSample->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    f.cmdColor->click(); // cancelled: the colour stays
    EXPECT_EQ(f.choice().color, 0x00FFFF);
    EXPECT_EQ(ui.colorRequests, QList<int>({255, 0x00FFFF}));
}

TEST_F(Dialogs, TheColourDialogTakesAndGivesRedPlus256GreenPlus65536Blue) {
    GuiUi gui;
    forms::setModalHook([](QDialog& d) {
        auto* c = qobject_cast<QColorDialog*>(&d);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->currentColor(), QColor(1, 2, 3));
        c->setCurrentColor(QColor(10, 20, 30));
        c->accept();
    });
    EXPECT_EQ(gui.ColorDialog(1 + 256 * 2 + 65536 * 3), std::optional<int>(10 + 256 * 20 + 65536 * 30));
    forms::setModalHook([](QDialog& d) { d.reject(); });
    EXPECT_FALSE(gui.ColorDialog(0));
    forms::setModalHook(nullptr);
}
