// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qmerror.h"
#include "platform/textfile.h"
#include "reportdefs/notesblock.h"
#include "support/errorof.h"

#include <gtest/gtest.h>
#include <functional>
#include <memory>

using namespace notesblock;

namespace {

QStringList lines(int count, const QString& prefix) {
    QStringList out;
    for (int i = 1; i <= count; ++i)
        out << prefix + QString::number(i);
    return out;
}

} // namespace

TEST(NotesBlock, CountLinesAreBareOrPaddedAndReadBackEitherWay) {
    auto notes = std::make_unique<ReportNotesBlock>();
    notes->GeneralNoteCount = 2;
    notes->GeneralNotes[1] = QStringLiteral("  indented, wrapped ");
    notes->GeneralNotes[2] = QStringLiteral("end.") + QChar(0xB6);
    notes->ItemNoteCount[1] = 0;
    notes->ItemNoteCount[2] = 1;
    notes->ItemNotes[2][1] = QStringLiteral(" x ");

    QStringList bare, padded;
    AppendGeneralNotes(bare, *notes, CountStyle::Bare);
    AppendItemNotes(bare, *notes, 2, CountStyle::Bare);
    AppendGeneralNotes(padded, *notes, CountStyle::Padded);
    AppendItemNotes(padded, *notes, 2, CountStyle::Padded);
    EXPECT_EQ(bare, QStringList({"2", "  indented, wrapped ", QStringLiteral("end.") + QChar(0xB6), "0", "1", " x "}));
    EXPECT_EQ(padded, QStringList({" 2 ", "  indented, wrapped ", QStringLiteral("end.") + QChar(0xB6), " 0 ", " 1 ", " x "}));

    for (const QStringList& written : {bare, padded}) {
        auto back = std::make_unique<ReportNotesBlock>();
        qtext::LineReader in(written);
        ReadGeneralNotes(in, *back);
        ReadItemNotes(in, *back, 2);
        EXPECT_TRUE(in.atEnd());
        EXPECT_EQ(back->GeneralNoteCount, 2);
        EXPECT_EQ(back->GeneralNotes[1], notes->GeneralNotes[1]); // blanks kept
        EXPECT_EQ(back->GeneralNotes[2], notes->GeneralNotes[2]);
        EXPECT_EQ(back->ItemNoteCount[1], 0);
        EXPECT_EQ(back->ItemNoteCount[2], 1);
        EXPECT_EQ(back->ItemNotes[2][1], " x ");
    }
}

TEST(NotesBlock, ReadingFillsTheBlockExactlyAndEmptiesWhatLiesPastIt) {
    auto notes = std::make_unique<ReportNotesBlock>();
    notes->GeneralNoteCount = 3;
    notes->GeneralNotes[3] = QStringLiteral("old");
    notes->ItemNoteCount[1] = 2;
    notes->ItemNotes[1][2] = QStringLiteral("old");
    notes->ItemNoteCount[5] = 1;
    notes->ItemNotes[5][1] = QStringLiteral("old");
    qtext::LineReader in(QStringList({"1", "new", "1", "first", "0"}));
    ReadGeneralNotes(in, *notes);
    ReadItemNotes(in, *notes, 2);
    EXPECT_EQ(notes->GeneralNoteCount, 1);
    EXPECT_EQ(notes->GeneralNotes[3], "");
    EXPECT_EQ(notes->ItemNotes[1][1], "first");
    EXPECT_EQ(notes->ItemNotes[1][2], "");
    EXPECT_EQ(notes->ItemNoteCount[5], 0);
    EXPECT_EQ(notes->ItemNotes[5][1], "");
}

TEST(NotesBlock, CountsAreRoundedLeadingNumbersWithinTheirLimits) {
    auto count = [](const QString& line, int limit) {
        qtext::LineReader in(QStringList{line});
        return int(ReadCount(in, limit));
    };
    EXPECT_EQ(count("2.5", 30), 2);  // halves to the even neighbour
    EXPECT_EQ(count("3.5", 30), 4);
    EXPECT_EQ(count(" 7 ", 30), 7);
    EXPECT_EQ(count("none", 30), 0);
    EXPECT_EQ(count("30", 30), 30);
    EXPECT_EQ(errorOf([&] { count("31", 30); }), 9);
    EXPECT_EQ(errorOf([&] { count("-1", 30); }), 9);
    EXPECT_EQ(errorOf([&] { count("70000", 32767); }), 6);
    EXPECT_EQ(errorOf([] {
        qtext::LineReader in(QStringList{});
        ReadCount(in, 30);
    }), 62);
}

TEST(NotesBlock, ThirtyLinesFitAndTheTwoHundredFirstItemDoesNot) {
    auto notes = std::make_unique<ReportNotesBlock>();
    qtext::LineReader full(QStringList{"30"} + lines(30, "g"));
    ReadGeneralNotes(full, *notes);
    EXPECT_EQ(notes->GeneralNotes[30], "g30");
    QStringList zeros;
    for (int i = 0; i < 201; ++i) zeros << "0";
    EXPECT_EQ(errorOf([&] {
        qtext::LineReader in(zeros);
        ReadItemNotes(in, *notes, 201);
    }), 9);
}

TEST(NotesBlock, WritersRefuseWhatCouldNotBeReadBack) {
    auto notes = std::make_unique<ReportNotesBlock>();
    QStringList out;
    notes->GeneralNoteCount = 31;
    EXPECT_EQ(errorOf([&] { AppendGeneralNotes(out, *notes, CountStyle::Bare); }), 9);
    notes->GeneralNoteCount = 1;
    notes->GeneralNotes[1] = QStringLiteral("two\r\nlines");
    EXPECT_EQ(errorOf([&] { AppendGeneralNotes(out, *notes, CountStyle::Bare); }), 5);
    EXPECT_EQ(errorOf([&] { AppendItemNotes(out, *notes, 201, CountStyle::Bare); }), 9);
    EXPECT_EQ(errorOf([] { CountLine(-1, CountStyle::Bare); }), 9);
    EXPECT_EQ(errorOf([] { ValueLine(QStringLiteral("a\nb")); }), 5);
    EXPECT_EQ(ValueLine(QStringLiteral("  MW 1\t ")), "MW 1\t"); // blanks go, a Tab is text
}
