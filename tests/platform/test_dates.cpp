// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dates.h"
#include "support/programstate.h"

#include <gtest/gtest.h>

using namespace qdate;

class Dates : public ProgramStateTest {};

TEST_F(Dates, OrderComesFromTheShortDatePattern) {
    SetOrderFromPattern("M/d/yyyy");
    EXPECT_EQ(order().DayFirst, 0);
    EXPECT_EQ(order().DateFormat, "mm/dd/yyyy");
    SetOrderFromPattern("MM/dd/yyyy"); // month first with a leading zero stays month first
    EXPECT_EQ(order().DayFirst, 0);
    SetOrderFromPattern("d/M/yyyy");
    EXPECT_EQ(order().DayFirst, 1);
    EXPECT_EQ(order().DateFormat, "dd/mm/yyyy");
    SetOrderFromPattern("dd.MM.yyyy");
    EXPECT_EQ(order().DayFirst, 1);
    SetOrderFromPattern("yyyy-MM-dd"); // year first stays day first
    EXPECT_EQ(order().DayFirst, 1);
    SetOrderFromPattern("'Day' d 'of' M yyyy"); // quoted letters are not fields
    EXPECT_EQ(order().DayFirst, 1);
}

TEST_F(Dates, ParseFollowsTheOrder) {
    SetDayFirst(0);
    EXPECT_EQ(Parse("5/1/2002"), QDate(2002, 5, 1));
    EXPECT_EQ(Parse("05/01/2002"), QDate(2002, 5, 1));
    EXPECT_EQ(Format(QDate(2002, 5, 1)), "05/01/2002");
    EXPECT_FALSE(Parse("13/1/2002"));
    SetDayFirst(1);
    EXPECT_EQ(Parse("5/1/2002"), QDate(2002, 1, 5));
    EXPECT_EQ(Parse("13/1/2002"), QDate(2002, 1, 13));
    EXPECT_EQ(Format(QDate(2002, 5, 1)), "01/05/2002");
    EXPECT_EQ(FormatShort(QDate(2002, 5, 1)), "1/5/2002");
    EXPECT_EQ(Parse("2002-05-01"), QDate(2002, 5, 1)); // ISO is read whatever the order
}

TEST_F(Dates, TwoDigitYears) {
    SetDayFirst(0);
    EXPECT_EQ(FixTwoDigitYear("1/5/31"), "1/5/1931");
    EXPECT_EQ(FixTwoDigitYear("1/5/30"), "1/5/2030");
    EXPECT_EQ(FixTwoDigitYear("1/5/10"), "1/5/2010");
    EXPECT_EQ(FixTwoDigitYear("1/5/05"), "1/5/2005");
    EXPECT_EQ(FixTwoDigitYear("1/5/1925"), "1/5/1925"); // four digits left alone
    EXPECT_EQ(FixTwoDigitYear("ab"), "ab");
    EXPECT_EQ(FixTwoDigitYear("5/1/-2"), "5/1/-2"); // a sign is no part of a year
    EXPECT_EQ(FixTwoDigitYear("5/1/+2"), "5/1/+2");
    EXPECT_FALSE(Parse("5/1/-2"));
    EXPECT_FALSE(Parse("5/1/+2"));
    EXPECT_EQ(Parse("1/5/99"), QDate(1999, 1, 5));
    EXPECT_EQ(Parse("1/5/1925"), QDate(1925, 1, 5));
}

TEST_F(Dates, RejectsWhatIsNoDate) {
    for (const char* t : {"", "-", "<5", "1/2", "2/30/2001", "a/b/2001", "1/2/3/4", "1//2002", "1/1/12345"})
        EXPECT_FALSE(IsDate(t)) << t;
}

TEST_F(Dates, IsoRoundTrip) {
    EXPECT_EQ(ToIso(QDate(1925, 3, 7)), "1925-03-07");
    EXPECT_EQ(FromIso("1925-03-07"), QDate(1925, 3, 7));
    EXPECT_FALSE(FromIso("03/07/1925"));
    SetDayFirst(0);
    EXPECT_EQ(IsoToDisplay("1925-03-07"), "03/07/1925");
    EXPECT_EQ(IsoToDisplay("junk"), "junk");
}
