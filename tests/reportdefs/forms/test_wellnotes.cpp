// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportdefs/forms/frmwellnotes.h"

#include "platform/gui/forms.h"
#include "platform/gui/helpviewer.h"
#include "platform/gui/memobox.h"
#include "platform/textfile.h"
#include "project/helpers.h"
#include "project/modgw.h"
#include "reportdefs/notesedit.h"
#include "reportdefs/reportdeftest.h"
#include "support/scriptedui.h"

#include <QDir>
#include <QFontInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString P = QString(Pilcrow);
const QString Tail = "  The box containing the notes can only fit 30 lines of notes.  Please reduce the number of "
                     "lines and try again.";

QStringList entries(const QListWidget& l) {
    QStringList out;
    for (int i = 0; i < l.count(); ++i)
        out << l.item(i)->text();
    return out;
}

// n short paragraphs: n lines in any box.
QString paragraphs(int n, const QString& stem) {
    QStringList p;
    for (int i = 1; i <= n; ++i)
        p << stem + QString::number(i);
    return p.join("\r\n");
}

QStringList storedGeneral() {
    const ReportNotesBlock& n = modgw().ReportNotes;
    QStringList out;
    for (int i = 1; i <= n.GeneralNoteCount; ++i)
        out << n.GeneralNotes[i];
    return out;
}

QStringList storedItem(int item) {
    const ReportNotesBlock& n = modgw().ReportNotes;
    QStringList out;
    for (int i = 1; i <= n.ItemNoteCount[item]; ++i)
        out << n.ItemNotes[item][i];
    return out;
}

// What the box shows, with the marks the store puts on lines that end a paragraph.
QStringList marked(const MemoBox& box) {
    QStringList shown = box.displayedLines();
    const QString text = box.text();
    qsizetype p = 0;
    for (QString& l : shown) {
        p += l.size();
        if (text.mid(p, 2) == "\r\n") {
            l += Pilcrow;
            p += 2;
        }
    }
    return shown;
}

class WellNotes : public ReportDefTest {
protected:
    void SetUp() override {
        ModGW& m = modgw();
        m.DefaultFont = "Arial";
        m.ReportCode = 1;
        m.WellSum.NumWellList = 3;
        m.WellSum.WellList[1] = "MW-1";
        m.WellSum.WellList[2] = "MW-2";
        m.WellSum.WellList[3] = "O'Brien 3";
    }
    // Shows the editor as a report form's Edit Notes does; drive runs while it is up.
    int show(const std::function<void(frmWellNotes&)>& drive) {
        forms::setModalHook([&](QDialog& d) { drive(static_cast<frmWellNotes&>(d)); });
        const int r = forms::showModal(forms::form<frmWellNotes>());
        forms::unload<frmWellNotes>();
        return r;
    }
};

} // namespace

TEST_F(WellNotes, CaptionsAndItemListsForEveryNotesKind) {
    ModGW& m = modgw();
    m.NumParams = 2;
    m.ParamTable[1][1] = "Chloride";
    m.ParamTable[2][1] = "TCE";
    m.Par1Sum.Par1ParCount = 3;
    m.Par1Sum.Par1Params[1] = 2;
    m.Par1Sum.Par1Params[3] = 1;
    // What the date summary and Stiff forms copy from their episode grids, and the elevation form's
    // set count.
    m.DateSum.DateEpisodeCount = 2;
    m.DateSum.DateEpisodes[1][1] = "1/1/1998";
    m.DateSum.DateEpisodes[2][1] = "3/31/1998";
    m.DateSum.DateEpisodes[1][2] = "4/1/1998";
    m.DateSum.DateEpisodes[2][2] = "6/30/1998";
    m.Stiff.StiffEpisodeCount = 1;
    m.Stiff.StiffEpisodes[1][1] = "5/1/1999";
    m.Stiff.StiffEpisodes[2][1] = "5/9/1999";
    m.GWElev.GWElevSetCount = 2;
    struct Case {
        int kind;
        QString caption, list, type;
        QStringList items;
    };
    const QList<Case> cases = {
        {1, "Source Summary Notes", "Source List", "Source Notes", {"MW-1", "MW-2", "O'Brien 3"}},
        {2, "Parameter Summary Notes", "Parameter List", "Parameter Notes", {"TCE", "", "Chloride"}},
        {3, "Date Summary Notes", "Episode List", "Sampling Episode Notes",
         {"1/1/1998-3/31/1998", "4/1/1998-6/30/1998"}},
        {5, "Stiff Graph Notes", "Episode List", "Sampling Episode Notes", {"5/1/1999-5/9/1999"}},
        {6, "Groundwater Elevation Graph Notes", "Source List", "Source Notes", {"Set 1", "Set 2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        m.ReportCode = float(c.kind);
        show([&](frmWellNotes& f) {
            EXPECT_EQ(f.windowTitle(), c.caption);
            EXPECT_EQ(f.lblList->text(), c.list);
            EXPECT_EQ(f.lblType->text(), c.type);
            EXPECT_EQ(f.Label1->text(), "General Notes");
            EXPECT_EQ(entries(*f.List1), c.items);
            EXPECT_EQ(f.List1->currentRow(), 0);
            EXPECT_EQ(f.currentItem(), 1);
            f.Command3->click();
        });
    }
    m.ReportCode = 1;
    show([](frmWellNotes& f) {
        EXPECT_EQ(f.List1->accessibleName(), "List1");
        EXPECT_EQ(f.MemoGenNotes->accessibleName(), "MemoGenNotes");
        EXPECT_EQ(f.memoSourceNotes->accessibleName(), "memoSourceNotes");
        EXPECT_EQ(f.Label2->text(), " rt. margin");
        EXPECT_EQ(f.Command5->text(), "reset");
        EXPECT_EQ(f.Command1->text(), "OK");
        EXPECT_EQ(f.Command3->text(), "Cancel");
        EXPECT_EQ(f.Command2->text(), "Help");
        for (const MemoBox* b : {f.MemoGenNotes, f.memoSourceNotes}) {
            EXPECT_EQ(b->font().pointSize(), 8);
            EXPECT_EQ(b->font().family(), "Arial");
            EXPECT_EQ(b->boxWidthTwips(), 3500);
        }
        f.Command3->click();
    });
}

TEST_F(WellNotes, LoadReflowsStoredLinesAndOkWithoutEditsChangesNothing) {
    ReportNotesBlock& n = modgw().ReportNotes;
    n.GeneralNoteCount = 3;
    n.GeneralNotes[1] = "Purged three volumes." + P;
    n.GeneralNotes[2] = "Values below the ";
    n.GeneralNotes[3] = "limit show <.";
    n.ItemNoteCount[1] = 2;
    n.ItemNotes[1][1] = "Dry in July." + P;
    n.ItemNotes[1][2] = P;
    const int r = show([](frmWellNotes& f) {
        EXPECT_EQ(f.MemoGenNotes->text(), "Purged three volumes.\r\nValues below the limit show <.");
        EXPECT_EQ(f.memoSourceNotes->text(), "Dry in July.\r\n\r\n");
        EXPECT_EQ(f.notesChanged(), 0); // filling the boxes is no edit
        f.Command1->click();
    });
    EXPECT_EQ(r, QDialog::Accepted);
    EXPECT_EQ(modgw().ReportDirty, 0);
    // The store takes the lines as the box shows them: the wrapped paragraph is one line now.
    EXPECT_EQ(storedGeneral(), QStringList({"Purged three volumes." + P, "Values below the limit show <."}));
    EXPECT_EQ(storedItem(1), QStringList({"Dry in July." + P, P, ""}));
}

TEST_F(WellNotes, StoredLinesAreTheShownLinesAtTwoWidths) {
    const QString text = "Samples were taken after three well volumes were purged and the field readings "
                         "had settled.\r\nDuplicates are shown as reported by the laboratory.";
    for (int narrower : {0, 20}) {
        SCOPED_TRACE(narrower);
        QStringList shown;
        show([&](frmWellNotes& f) {
            for (int i = 0; i < narrower; ++i)
                f.cmdAdj1->click();
            EXPECT_EQ(f.MemoGenNotes->boxWidthTwips(), 3500 - 50 * narrower);
            EXPECT_EQ(f.memoSourceNotes->boxWidthTwips(), 3500 - 50 * narrower);
            f.MemoGenNotes->setText(text);
            f.memoSourceNotes->setText(text);
            shown = marked(*f.MemoGenNotes);
            EXPECT_EQ(marked(*f.memoSourceNotes), shown);
            f.Command1->click();
        });
        EXPECT_GE(shown.size(), 4);
        EXPECT_EQ(storedGeneral(), shown);
        EXPECT_EQ(storedItem(1), shown);
        EXPECT_EQ(modgw().ReportDirty, 1);
        modgw().ReportDirty = 0;
    }
    EXPECT_EQ(modgw().TextAdjust[6], -1000);
}

TEST_F(WellNotes, MoreThan30GeneralLinesAreRefusedOnOkAndNothingIsStored) {
    ScriptedUi ui;
    ui.answer(vb::OK, "You have written more that 30 lines of General Notes." + Tail);
    show([](frmWellNotes& f) {
        f.MemoGenNotes->setText(paragraphs(31, "g"));
        f.memoSourceNotes->setText("item");
        f.Command1->click();
        EXPECT_TRUE(f.isVisible());
        f.Command3->click();
    });
    EXPECT_EQ(ui.styles.value(0), vb::Exclamation);
    EXPECT_EQ(ui.titles.value(0), titleEmpty);
    EXPECT_EQ(modgw().ReportNotes.GeneralNoteCount, 0);
    EXPECT_EQ(modgw().ReportNotes.ItemNoteCount[1], 0);
    EXPECT_EQ(modgw().ReportDirty, 0);
}

TEST_F(WellNotes, TogetherOver30OnOkKeepsTheEditorOpenAndTheGeneralNotesMarkTheChange) {
    ScriptedUi ui;
    ui.answer(vb::OK, "Together, the Source Notes and General Notes exceed 30 lines." + Tail);
    show([](frmWellNotes& f) {
        f.MemoGenNotes->setText(paragraphs(30, "g"));
        f.memoSourceNotes->setText("one item line");
        f.Command1->click();
        EXPECT_TRUE(f.isVisible());
        // The general lines are stored already; leaving now must not lose them unseen.
        EXPECT_EQ(modgw().ReportNotes.GeneralNoteCount, 30);
        EXPECT_EQ(modgw().ReportNotes.ItemNoteCount[1], 0);
        EXPECT_EQ(modgw().ReportDirty, 1);
        f.Command3->click();
    });
}

TEST_F(WellNotes, ASwitchStoresTheItemAndShowsTheNext) {
    ReportNotesBlock& n = modgw().ReportNotes;
    n.ItemNoteCount[2] = 1;
    n.ItemNotes[2][1] = "second";
    show([](frmWellNotes& f) {
        // A switch without edits changes nothing.
        f.List1->setCurrentRow(1);
        EXPECT_EQ(f.memoSourceNotes->text(), "second");
        EXPECT_EQ(f.currentItem(), 2);
        EXPECT_EQ(modgw().ReportDirty, 0);
        f.List1->setCurrentRow(0);
        f.memoSourceNotes->setFocus();
        QTest::keyClicks(f.memoSourceNotes, "first source");
        f.List1->setCurrentRow(2);
        EXPECT_EQ(f.currentItem(), 3);
        EXPECT_EQ(f.memoSourceNotes->text(), "");
        EXPECT_EQ(storedItem(1), QStringList({"first source"}));
        EXPECT_EQ(modgw().ReportDirty, 1); // stored by the switch: Cancel keeps it
        EXPECT_EQ(f.notesChanged(), 1);    // showing the next item is no edit, the typing was
        f.memoSourceNotes->setText("dropped by Cancel");
        f.Command3->click();
    });
    EXPECT_EQ(storedItem(1), QStringList({"first source"}));
    EXPECT_EQ(storedItem(2), QStringList({"second"}));
    EXPECT_TRUE(storedItem(3).isEmpty());
}

TEST_F(WellNotes, ASwitchOver30TogetherGoesOnButAnItemOver30IsRefused) {
    ScriptedUi ui;
    const QString together = "Together, the Source Notes for source MW-1 and General Notes exceed 30 lines." + Tail;
    ui.answer(vb::OK, together);
    show([](frmWellNotes& f) {
        f.MemoGenNotes->setText(paragraphs(25, "g"));
        f.memoSourceNotes->setText(paragraphs(10, "i"));
        f.List1->setCurrentRow(1);
        EXPECT_EQ(f.currentItem(), 2);
        EXPECT_EQ(storedItem(1).size(), 10);
        EXPECT_EQ(modgw().ReportNotes.GeneralNoteCount, 25);
        f.Command3->click();
    });
    ui.answer(vb::OK, "Together, the Source Notes for source O'Brien 3 and General Notes exceed 30 lines.");
    modgw().ReportNotes = ReportNotesBlock{};
    modgw().ReportDirty = 0;
    show([](frmWellNotes& f) {
        f.List1->setCurrentRow(2);
        f.MemoGenNotes->setText(paragraphs(2, "g"));
        f.memoSourceNotes->setText(paragraphs(31, "i"));
        f.List1->setCurrentRow(0);
        // Refused: the entry, the item and its box stay; nothing of the item is stored or cut.
        EXPECT_EQ(f.List1->currentRow(), 2);
        EXPECT_EQ(f.currentItem(), 3);
        EXPECT_EQ(f.memoSourceNotes->text(), paragraphs(31, "i"));
        EXPECT_TRUE(storedItem(3).isEmpty());
        EXPECT_EQ(modgw().ReportNotes.GeneralNoteCount, 2);
        EXPECT_EQ(modgw().ReportDirty, 1);
        f.Command3->click();
    });
}

TEST_F(WellNotes, ASwitchWithTooManyGeneralLinesStoresNothingAndKeepsTheEntry) {
    ScriptedUi ui;
    ui.answer(vb::OK, "You have written more that 30 lines of General Notes.");
    show([](frmWellNotes& f) {
        f.MemoGenNotes->setText(paragraphs(31, "g"));
        f.memoSourceNotes->setText("kept in the box");
        f.List1->setCurrentRow(1);
        EXPECT_EQ(f.List1->currentRow(), 0);
        EXPECT_EQ(f.currentItem(), 1);
        EXPECT_EQ(f.memoSourceNotes->text(), "kept in the box");
        f.Command3->click();
    });
    EXPECT_EQ(modgw().ReportNotes.GeneralNoteCount, 0);
    EXPECT_TRUE(storedItem(1).isEmpty());
    EXPECT_EQ(modgw().ReportDirty, 0);
}

TEST_F(WellNotes, MarginButtonsMoveBothBoxesAndTheWidthHoldsForTheNextShowing) {
    show([](frmWellNotes& f) {
        for (int i = 0; i < 3; ++i)
            f.cmdAdj2->click();
        EXPECT_EQ(f.MemoGenNotes->boxWidthTwips(), 3650);
        f.Command1->click();
    });
    EXPECT_EQ(modgw().TextAdjust[6], 150);
    show([](frmWellNotes& f) {
        EXPECT_EQ(f.MemoGenNotes->boxWidthTwips(), 3650);
        EXPECT_EQ(f.memoSourceNotes->boxWidthTwips(), 3650);
        f.Command5->click();
        EXPECT_EQ(f.memoSourceNotes->boxWidthTwips(), 3500);
        EXPECT_EQ(modgw().TextAdjust[6], 0);
        for (int i = 0; i < 100; ++i)
            f.cmdAdj1->click();
        EXPECT_EQ(f.MemoGenNotes->boxWidthTwips(), notesedit::MinBoxTwips);
        EXPECT_GT(f.MemoGenNotes->wrapWidthPixels(), 50);
        f.Command3->click();
    });
    EXPECT_EQ(modgw().TextAdjust[6], notesedit::MinBoxTwips - 3500);
    EXPECT_EQ(modgw().ReportDirty, 0);
}

TEST_F(WellNotes, HelpShowsTheCallingFormsPage) {
    QDir().mkpath(pf.file("help"));
    qtext::WriteLines(pf.file("help/index.html"), {"<p>Contents</p>"});
    qtext::WriteLines(pf.file("help/1014.html"), {"<p>Parameter summary</p>"});
    qtext::WriteLines(pf.file("help/1018.html"), {"<p>Groundwater elevation</p>"});
    modgw().Par1Sum.Par1ParCount = 1;
    modgw().GWElev.GWElevSetCount = 1;
    for (auto [kind, page] : {std::pair{2, "1014.html"}, std::pair{6, "1018.html"}}) {
        modgw().ReportCode = float(kind);
        show([&](frmWellNotes& f) {
            f.Command2->click();
            EXPECT_EQ(HelpPageShown(), page);
            WinHelpA(nullptr, {}, help::HELP_QUIT, 0);
            f.Command3->click();
        });
    }
}
