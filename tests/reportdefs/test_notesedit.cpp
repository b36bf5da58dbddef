// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/helpers.h"
#include "project/modgw.h"
#include "reportdefs/notesedit.h"
#include "support/programstate.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

using namespace notesedit;

namespace {

const QString P = QString(Pilcrow);

Wrapped lines(int n, const QString& stem = QStringLiteral("line ")) {
    Wrapped w;
    w.count = n;
    for (int i = 1; i <= n; ++i)
        w.lines << stem + QString::number(i);
    return w;
}

class NotesEdit : public ProgramStateTest {};

} // namespace

TEST_F(NotesEdit, OnlyTheFiveNotesKindsOpenTheEditorForAKind) {
    EXPECT_EQ(NotesKindOf(1.0f), 1);
    EXPECT_EQ(NotesKindOf(6.0f), 6);
    EXPECT_EQ(NotesKindOf(4.0f), 0);
    EXPECT_EQ(NotesKindOf(6.1f), 0);
    EXPECT_FALSE(TextsOf(4));
    EXPECT_EQ(TextsOf(5)->helpContext, 1017);
}

TEST_F(NotesEdit, ItemListsComeFromTheDefinitionVariables) {
    ModGW& m = modgw();
    m.WellSum.NumWellList = 2;
    m.WellSum.WellList[1] = "MW-1";
    m.WellSum.WellList[2] = "MW-2";
    m.WellSum.WellList[3] = "left over";
    EXPECT_EQ(ItemsOf(m, 1), QStringList({"MW-1", "MW-2"}));

    m.NumParams = 3;
    m.ParamTable[2][1] = "Chloride";
    m.ParamTable[3][1] = "TCE";
    m.ParamTable[4][1] = "not in the project";
    m.Par1Sum.Par1ParCount = 4;
    m.Par1Sum.Par1Params = {0, 3, 0, 2, 4}; // a blank row and a number past NumParams show empty
    EXPECT_EQ(ItemsOf(m, 2), QStringList({"TCE", "", "Chloride", ""}));

    m.DateSum.DateEpisodeCount = 2;
    m.DateSum.DateEpisodes[1][1] = "1/1/1998";
    m.DateSum.DateEpisodes[2][1] = "3/31/1998";
    m.DateSum.DateEpisodes[2][2] = "12/31/1998"; // an episode without a start date
    EXPECT_EQ(ItemsOf(m, 3), QStringList({"1/1/1998-3/31/1998", "-12/31/1998"}));

    m.Stiff.StiffEpisodeCount = 1;
    m.Stiff.StiffEpisodes[1][1] = "5/1/1999";
    m.Stiff.StiffEpisodes[2][1] = "5/9/1999";
    EXPECT_EQ(ItemsOf(m, 5), QStringList({"5/1/1999-5/9/1999"}));

    m.GWElev.GWElevSetCount = 3;
    EXPECT_EQ(ItemsOf(m, 6), QStringList({"Set 1", "Set 2", "Set 3"}));

    // Counts beyond what the definitions hold list what they hold.
    m.GWElev.GWElevSetCount = 500;
    m.Stiff.StiffEpisodeCount = 999;
    m.WellSum.NumWellList = 300;
    EXPECT_EQ(ItemsOf(m, 6).size(), GWElevDefinition::MaxSets);
    EXPECT_EQ(ItemsOf(m, 5).size(), StiffDefinition::MaxEpisodes);
    EXPECT_EQ(ItemsOf(m, 1).size(), WellSumDefinition::MaxWellList);
    EXPECT_TRUE(ItemsOf(m, 4).isEmpty());
}

TEST_F(NotesEdit, BoxTextJoinsWrappedLinesAndEndsParagraphsAtTheMark) {
    std::array<QString, 31> l;
    l[1] = "First paragraph" + P;
    l[2] = "a wrapped ";
    l[3] = "";          // skipped
    l[4] = "paragraph" + P;
    l[5] = P;           // an empty paragraph stays
    l[6] = "last line";
    l[7] = "beyond the count";
    EXPECT_EQ(BoxTextOf(l.data(), 6), "First paragraph\r\na wrapped paragraph\r\n\r\nlast line");
    ReportNotesBlock n;
    n.ItemNoteCount[3] = 2;
    n.ItemNotes[3][1] = "trailing blanks stay  " + P;
    n.ItemNotes[3][2] = "x";
    EXPECT_EQ(ItemTextOf(n, 3), "trailing blanks stay  \r\nx");
    EXPECT_EQ(ItemTextOf(n, 201), "");
    EXPECT_EQ(GeneralTextOf(n), "");
}

TEST_F(NotesEdit, OkStoresTheGeneralLinesAndTheItemsOnlyWhenBothFit) {
    ReportNotesBlock n;
    n.GeneralNoteCount = 5;
    n.GeneralNotes[5] = "stale";
    n.ItemNoteCount[2] = 1;
    n.ItemNotes[2][1] = "kept";
    // 30 general lines and one item line: the general lines stay stored, the item's do not.
    EXPECT_EQ(StoreOnOk(n, 2, lines(30, "g"), lines(1)), Store::TogetherTooLong);
    EXPECT_EQ(n.GeneralNoteCount, 30);
    EXPECT_EQ(n.GeneralNotes[30], "g30");
    EXPECT_EQ(n.ItemNoteCount[2], 1);
    EXPECT_EQ(n.ItemNotes[2][1], "kept");

    EXPECT_EQ(StoreOnOk(n, 2, lines(3, "g"), lines(27)), Store::Done);
    EXPECT_EQ(n.GeneralNoteCount, 3);
    EXPECT_EQ(n.GeneralNotes[4], ""); // no stale lines past the count
    EXPECT_EQ(n.ItemNoteCount[2], 27);
    EXPECT_EQ(n.ItemNotes[2][27], "line 27");

    EXPECT_EQ(StoreOnOk(n, 2, lines(0), lines(0)), Store::Done);
    EXPECT_EQ(n.GeneralNoteCount, 0);
    EXPECT_EQ(n.ItemNoteCount[2], 0);
    EXPECT_EQ(n.ItemNotes[2][1], "");
}

TEST_F(NotesEdit, ASwitchStoresUnlessTheItemAloneExceeds30Lines) {
    ReportNotesBlock n;
    // Together over 30: stored all the same, and the switch goes on.
    EXPECT_EQ(StoreOnSwitch(n, 1, lines(25, "g"), lines(10)), Store::TogetherTooLong);
    EXPECT_EQ(n.GeneralNoteCount, 25);
    EXPECT_EQ(n.ItemNoteCount[1], 10);
    // The item's own lines over 30: nothing of the item is stored, nor cut to 30.
    EXPECT_EQ(StoreOnSwitch(n, 1, lines(2, "g"), lines(31)), Store::ItemTooLong);
    EXPECT_EQ(n.GeneralNoteCount, 2);
    EXPECT_EQ(n.ItemNoteCount[1], 10);
    EXPECT_EQ(StoreOnSwitch(n, 1, lines(2, "g"), lines(28)), Store::Done);
    EXPECT_EQ(n.ItemNoteCount[1], 28);
}

TEST_F(NotesEdit, WrappedLinesAfterAnOverlongTextKeepTheirCount) {
    // Text2Wrap32 reports a 201st line but leaves the count, which the editor then refuses.
    ScriptedUi ui;
    ui.answer(vb::OK, "Error 9 in Text2Wrap32.");
    QStringList shown;
    QString text;
    for (int i = 1; i <= 205; ++i) {
        shown << QString::number(i);
        text += QString::number(i) + (i < 205 ? "\r\n" : "");
    }
    Text2Wrap32(text, shown);
    const Wrapped w = TakeWrapped(modgw());
    EXPECT_EQ(w.count, 205);
    EXPECT_EQ(w.lines.size(), 200);
    ReportNotesBlock n;
    EXPECT_EQ(StoreOnOk(n, 1, lines(0), w), Store::TogetherTooLong);
    EXPECT_EQ(n.ItemNoteCount[1], 0);
}

TEST_F(NotesEdit, MessagesAreWordedAsTheUserKnowsThem) {
    const QString tail = "  The box containing the notes can only fit 30 lines of notes.  Please reduce the number of "
                         "lines and try again.";
    EXPECT_EQ(GeneralTooLongText(), "You have written more that 30 lines of General Notes." + tail);
    EXPECT_EQ(TogetherOnOkText(), "Together, the Source Notes and General Notes exceed 30 lines." + tail);
    EXPECT_EQ(TogetherOnSwitchText("MW-3"),
              "Together, the Source Notes for source MW-3 and General Notes exceed 30 lines." + tail);
}

TEST_F(NotesEdit, MarginsStopAtAUsableWidthAndInsideSixteenBits) {
    EXPECT_EQ(BoxTwips(0), 3500);
    EXPECT_EQ(BoxTwips(150), 3650);
    EXPECT_EQ(Wider(100), 150);
    EXPECT_EQ(Narrower(100), 50);
    int16_t a = 0;
    for (int i = 0; i < 100; ++i)
        a = Narrower(a);
    EXPECT_EQ(BoxTwips(a), MinBoxTwips);
    EXPECT_EQ(Narrower(a), a);
    // A setting read from a file below the minimum still gives a usable box.
    EXPECT_EQ(BoxTwips(-5000), MinBoxTwips);
    EXPECT_EQ(Narrower(-5000), -5000);
    EXPECT_EQ(Wider(32700), 32750);
    EXPECT_EQ(Wider(32750), 32750);
}
