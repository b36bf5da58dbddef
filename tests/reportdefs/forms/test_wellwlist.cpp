// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportdefs/forms/frmwellwlist.h"

#include "platform/gui/forms.h"
#include "platform/gui/helpviewer.h"
#include "platform/textfile.h"
#include "project/modgw.h"
#include "reportdefs/reportdeftest.h"
#include "support/scriptedui.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

QStringList entries(const QListWidget& l) {
    QStringList out;
    for (int i = 0; i < l.count(); ++i)
        out << l.item(i)->text();
    return out;
}

void select(QListWidget& l, const QList<int>& rows) {
    l.clearSelection();
    for (int r : rows)
        l.item(r)->setSelected(true);
}

class WellWList : public ReportDefTest {
protected:
    void SetUp() override {
        ModGW& m = modgw();
        m.NumSources = 6;
        const QStringList names{"MW-1", "MW-2", "MW-3", "MW-4", "MW-5", "O'Brien 3"};
        for (int i = 1; i <= 6; ++i)
            m.SourceTable[i][1] = names[i - 1];
        m.WellSum.NumWellList = 3;
        m.WellSum.WellList[1] = "old 1";
        m.WellSum.WellList[2] = "old 2";
        m.WellSum.WellList[3] = "old 3";
        m.ReportNotes.ItemNoteCount[2] = 1;
        m.ReportNotes.ItemNotes[2][1] = "second position";
    }
    // Shows the picker as the source summary form does; drive runs while it is up.
    int show(const std::function<void(frmWellWList&)>& drive) {
        forms::setModalHook([&](QDialog& d) { drive(static_cast<frmWellWList&>(d)); });
        const int r = forms::showModal(forms::form<frmWellWList>());
        forms::unload<frmWellWList>();
        return r;
    }
};

} // namespace

TEST_F(WellWList, StartsWithTheProjectSourcesAndAnEmptyReportList) {
    show([](frmWellWList& f) {
        EXPECT_EQ(f.windowTitle(), "Create Well List");
        EXPECT_EQ(f.Label1->text(), "Master Source List");
        EXPECT_EQ(f.Label2->text(), "Table Source List");
        EXPECT_EQ(entries(*f.List1), QStringList({"MW-1", "MW-2", "MW-3", "MW-4", "MW-5", "O'Brien 3"}));
        EXPECT_TRUE(entries(*f.List2).isEmpty()); // not the definition's current list
        EXPECT_EQ(f.List1->accessibleName(), "List1");
        EXPECT_EQ(f.List2->accessibleName(), "List2");
        EXPECT_EQ(f.btnOK->text(), "OK");
        EXPECT_EQ(f.btnCancel->text(), "Cancel");
        EXPECT_EQ(f.btnHelp->text(), "Help");
        f.btnCancel->click();
    });
}

TEST_F(WellWList, MovesKeepTheOrderOfTheMovesAndNeverCopy) {
    show([](frmWellWList& f) {
        // Entries 2 and 4 selected: appended in that order, the rest stay in place.
        select(*f.List1, {3, 1});
        f.Command3->click();
        EXPECT_EQ(entries(*f.List2), QStringList({"MW-2", "MW-4"}));
        EXPECT_EQ(entries(*f.List1), QStringList({"MW-1", "MW-3", "MW-5", "O'Brien 3"}));
        // Back to the end of the master list.
        select(*f.List2, {0});
        f.Command4->click();
        EXPECT_EQ(entries(*f.List1), QStringList({"MW-1", "MW-3", "MW-5", "O'Brien 3", "MW-2"}));
        EXPECT_EQ(entries(*f.List2), QStringList({"MW-4"}));
        // Nothing selected moves nothing.
        f.List1->clearSelection();
        f.Command3->click();
        EXPECT_EQ(f.List1->count(), 5);
        f.Command1->click();
        EXPECT_TRUE(entries(*f.List1).isEmpty());
        EXPECT_EQ(entries(*f.List2), QStringList({"MW-4", "MW-1", "MW-3", "MW-5", "O'Brien 3", "MW-2"}));
        f.Command2->click();
        EXPECT_TRUE(entries(*f.List2).isEmpty());
        EXPECT_EQ(entries(*f.List1), QStringList({"MW-4", "MW-1", "MW-3", "MW-5", "O'Brien 3", "MW-2"}));
        f.btnCancel->click();
    });
}

TEST_F(WellWList, OkReplacesTheSourcesAndNotesStayWithPositions) {
    const int r = show([](frmWellWList& f) {
        select(*f.List1, {4, 0});
        f.Command3->click();
        f.btnOK->click();
    });
    EXPECT_EQ(r, QDialog::Accepted);
    const ModGW& m = modgw();
    EXPECT_EQ(m.WellSum.NumWellList, 2);
    EXPECT_EQ(m.WellSum.WellList[1], "MW-1");
    EXPECT_EQ(m.WellSum.WellList[2], "MW-5");
    EXPECT_EQ(m.WellSum.WellList[3], ""); // nothing left of the old list
    EXPECT_EQ(m.ReportDirty, 1);
    EXPECT_EQ(m.ReportNotes.ItemNotes[2][1], "second position");
}

TEST_F(WellWList, OkOnTheEmptyListClearsTheSourcesAndCancelChangesNothing) {
    EXPECT_EQ(show([](frmWellWList& f) {
                  f.Command1->click();
                  f.btnCancel->click();
              }),
              QDialog::Rejected);
    EXPECT_EQ(modgw().WellSum.NumWellList, 3);
    EXPECT_EQ(modgw().ReportDirty, 0);
    show([](frmWellWList& f) { f.btnOK->click(); });
    EXPECT_EQ(modgw().WellSum.NumWellList, 0);
    EXPECT_EQ(modgw().WellSum.WellList[1], "");
    EXPECT_EQ(modgw().ReportDirty, 1);
}

TEST_F(WellWList, MoreThan200SourcesAreRefusedAndThePickerStaysOpen) {
    ModGW& m = modgw();
    m.NumSources = 201;
    for (int i = 1; i <= 201; ++i)
        m.SourceTable[i][1] = QStringLiteral("S%1").arg(i);
    ScriptedUi ui;
    ui.answer(vb::OK, "A source summary can list at most 200 sources.");
    const int r = show([](frmWellWList& f) {
        f.Command1->click();
        f.btnOK->click();
        EXPECT_TRUE(f.isVisible());
        EXPECT_EQ(modgw().WellSum.NumWellList, 3);
        EXPECT_EQ(modgw().ReportDirty, 0);
        select(*f.List2, {200});
        f.Command4->click();
        f.btnOK->click();
    });
    EXPECT_EQ(ui.styles.value(0), vb::Exclamation);
    EXPECT_EQ(ui.titles.value(0), titleEmpty);
    EXPECT_EQ(r, QDialog::Accepted);
    EXPECT_EQ(m.WellSum.NumWellList, 200);
    EXPECT_EQ(m.WellSum.WellList[200], "S200");
}

TEST_F(WellWList, HelpShowsTheSourceSummaryPage) {
    QDir().mkpath(pf.file("help"));
    qtext::WriteLines(pf.file("help/1013.html"), {"<p>Source summary</p>"});
    qtext::WriteLines(pf.file("help/index.html"), {"<p>Contents</p>"});
    show([](frmWellWList& f) {
        f.btnHelp->click();
        EXPECT_EQ(HelpPageShown(), "1013.html");
        WinHelpA(nullptr, {}, help::HELP_QUIT, 0);
        f.btnCancel->click();
    });
}
