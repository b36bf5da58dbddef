// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/numbers.h"
#include "platform/qmerror.h"

#include <gtest/gtest.h>

using namespace qnum;

TEST(LeadingNumber, ReadsTheNumberAtTheStartOfATextAndStopsAtTheFirstOtherCharacter) {
    EXPECT_DOUBLE_EQ(LeadingNumber(u"12.5abc"), 12.5);
    EXPECT_DOUBLE_EQ(LeadingNumber(u"-.5"), -0.5);
    EXPECT_DOUBLE_EQ(LeadingNumber(u""), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(u"1e3"), 1000.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(u"  7,3"), 7.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(u"3,-2.5"), 3.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(u"abc"), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(u"1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(LeadingNumber(u"2e"), 2.0);      // an exponent with no digits is not read
    EXPECT_DOUBLE_EQ(LeadingNumber(u"-"), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(u"<5"), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(u"1e999"), 0.0);   // no infinities leak out
}

TEST(Rounding, HalvesGoToTheEvenNeighbourAndOutOfRangeIsOverflow) {
    EXPECT_EQ(CInt16(2.5), 2);
    EXPECT_EQ(CInt16(3.5), 4);
    EXPECT_EQ(CInt16(-2.5), -2);
    EXPECT_EQ(CInt16(0.49999), 0);
    EXPECT_EQ(CInt16(32767.4), 32767);
    EXPECT_EQ(CInt16(-32768), -32768);
    EXPECT_EQ(ReadInt16(u"12.5 colours"), 12);
    try {
        CInt16(32767.5);
        FAIL() << "no overflow";
    } catch (const QmError& e) {
        EXPECT_EQ(e.number(), 6);
    }
    EXPECT_THROW(ReadInt16(u"40000"), QmError);
    EXPECT_THROW(CLng(3e9), QmError);
    EXPECT_EQ(CLng(2147483647.0), 2147483647);
}

TEST(ShortNum, HasNoLeadingZeroNoTrailingZerosAndSevenDigits) {
    EXPECT_EQ(ShortNum(0.5), ".5");
    EXPECT_EQ(ShortNum(-0.5), "-.5");
    EXPECT_EQ(ShortNum(3.0), "3");
    EXPECT_EQ(ShortNum(12.25), "12.25");
    EXPECT_EQ(ShortNum(0), "0");
    EXPECT_EQ(ShortNum(1.0 / 3.0), ".3333333");
    EXPECT_EQ(ShortNum(12345678), "1.234568E+07");
    EXPECT_EQ(ShortNum(0.00001), "1E-05");
    EXPECT_EQ(ShortNum(100), "100");
    EXPECT_EQ(CaptionNum(2), " 2");
    EXPECT_EQ(CaptionNum(-2), "-2");
}
