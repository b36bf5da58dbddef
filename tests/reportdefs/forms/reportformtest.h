// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/forms/frmdatagrid.h"
#include "platform/gui/forms.h"
#include "platform/gui/helpviewer.h"
#include "platform/gui/spreadgrid.h"
#include "project/modgw.h"
#include "reportdefs/forms/reportform.h"
#include "reportdefs/reportdeftest.h"
#include "reportdefs/windowhooks.h"
#include "support/menus.h"
#include "support/scriptedui.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <gtest/gtest.h>

// What the report form tests share.

// The form's title and menus: File ends with exitCaption, Edit holds deleteCaption alone.
inline void expectMenus(const ReportForm& f, const char* title, const char* exitCaption,
                        const char* deleteCaption) {
    EXPECT_EQ(f.windowTitle(), title);
    EXPECT_EQ(menuCaptions(f.MenuBar->actions()), QStringList({"&File", "&Edit", "Previe&w", "&Help"}));
    EXPECT_EQ(menuCaptions(f.mnuFile->actions()),
              QStringList({"&New", "&Open", "&Save", "Save &As", "-", "&Batch Print", "&Print Setup", "-",
                           exitCaption}));
    EXPECT_EQ(menuCaptions(f.mnuEdit->actions()), QStringList({deleteCaption}));
}

// Closing the form forgot the shared notes, and its own items: itemCount is their count now.
inline void expectNotesForgotten(int itemCount) {
    const ReportNotesBlock& n = modgw().ReportNotes;
    EXPECT_EQ(itemCount, 0);
    EXPECT_EQ(n.GeneralNoteCount, 0);
    EXPECT_EQ(n.GeneralNotes[1], "");
    EXPECT_EQ(n.ItemNoteCount[1], 0);
    EXPECT_EQ(n.ItemNotes[1][1], "");
}

// The main window's menu item shows the form modally, and the form is gone once it returns;
// without a project the item only says so.
template <class Form> void expectShownFromMainWindow(QAction* frmDatAGrid::*item) {
    frmDatAGrid& w = forms::form<frmDatAGrid>();
    int shown = 0;
    forms::setModalHook([&](QDialog& d) {
        ++shown;
        EXPECT_EQ(d.objectName(), Form::staticMetaObject.className());
        static_cast<Form&>(d).mnuExit->trigger();
    });
    (w.*item)->trigger();
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(forms::isLoaded<Form>());
    modgw().ProjectFile.clear();
    ScriptedUi ui;
    ui.answer(vb::OK, "You must first open a project before producing reports.");
    (w.*item)->trigger();
    EXPECT_EQ(shown, 1);
}

// Edit Mode (button) switches the typed grids together, the first one's mode deciding, and leaves
// the other grids as they are.
inline void expectEditModeSwitches(QPushButton* button, const QList<SpreadGrid*>& typed,
                                   const QList<SpreadGrid*>& others) {
    QList<bool> othersBefore;
    for (SpreadGrid* g : others)
        othersBefore << g->gridEditMode();
    const bool on = !typed.first()->gridEditMode();
    if (typed.size() > 1) typed.last()->setGridEditMode(on); // already as the click makes it
    for (const bool mode : {on, !on}) {
        button->click();
        for (SpreadGrid* g : typed)
            EXPECT_EQ(g->gridEditMode(), mode) << g->objectName().toStdString();
    }
    for (int i = 0; i < others.size(); ++i)
        EXPECT_EQ(others[i]->gridEditMode(), othersBefore[i]) << others[i]->objectName().toStdString();
}

// As the form loads, the typed grids' replace-on-edit follows CellEditMode; the other grids keep
// theirs on.
template <class Form>
void expectReplaceOnEdit(const QList<SpreadGrid* Form::*>& typed, const QList<SpreadGrid* Form::*>& others) {
    for (const char* mode : {"1", "0"}) {
        SCOPED_TRACE(mode);
        modgw().CellEditMode = mode;
        Form& f = forms::form<Form>();
        for (SpreadGrid* Form::*g : typed)
            EXPECT_EQ((f.*g)->replaceOnEdit(), QString(mode) == "1") << (f.*g)->objectName().toStdString();
        for (SpreadGrid* Form::*g : others)
            EXPECT_TRUE((f.*g)->replaceOnEdit()) << (f.*g)->objectName().toStdString();
        forms::unload<Form>();
    }
}

// A click in any of the named grids of a fresh form marks the definition changed, so that closing
// asks; a click in one of silent does not.
template <class Form> void expectClicksAskBeforeClosing(const QStringList& grids, const QStringList& silent) {
    for (const QString& name : grids) {
        SCOPED_TRACE(name.toStdString());
        Form& f = forms::form<Form>();
        f.show();
        click(f.template findChild<SpreadGrid*>(name), 1, 1);
        const bool asks = !silent.contains(name);
        EXPECT_EQ(modgw().ReportDirty, asks ? 1 : 0);
        ScriptedUi ui;
        if (asks) ui.answer(vb::No, "before quitting?");
        EXPECT_TRUE(f.close());
        forms::unload<Form>();
    }
}

// A report form on the test site's project: parameters pH, Cl, TCE, Nitrate, Elev; sources MW-1,
// MW-2, O'Brien 3, SP-4. Hand-overs are recorded instead of run: the run dialog's ReportCode, and
// -1 for a contour run.
template <class Form> class ReportFormTest : public SiteProjectTest {
protected:
    void SetUp() override {
        SiteProjectTest::SetUp();
        reportDefHooks().showRunDialog = [this] { runCodes << modgw().ReportCode; };
        reportDefHooks().runDateContour = [this] { runCodes << -1; };
    }

    static Form& form() { return forms::form<Form>(); }

    // Help on f shows its page, the program folder's help/page.
    void expectHelpPage(ReportForm& f, const char* page) {
        QDir().mkpath(pf.file("help"));
        writeRaw(pf.file(QStringLiteral("help/") + page), "<html><body>Help</body></html>");
        f.mnuHelp->trigger();
        EXPECT_EQ(HelpPageShown(), page);
        WinHelpA(nullptr, QString(), help::HELP_QUIT, 0);
    }

    QList<float> runCodes;
};
