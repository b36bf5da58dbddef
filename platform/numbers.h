// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>

// Locale-free number reading and writing shared by every file reader and writer.
namespace qnum {

// The text's leading decimal number: leading blanks skipped, an optional sign, digits with at most
// one decimal point, an optional exponent (E or D); reading stops at the first character that cannot
// continue the number. No number gives 0. "12.5abc" -> 12.5, "-.5" -> -0.5, "1e3" -> 1000.
double LeadingNumber(QStringView text);

// Rounds to the nearest whole number, halves to the even neighbour.
double RoundHalfEven(double v);

// Half-even rounding into 16-bit and 32-bit integers; out of range raises error 6 (overflow).
int16_t CInt16(double v);
int32_t CLng(double v);

// Leading number of a text, rounded half-even to a 16-bit integer (error 6 when out of range).
int16_t ReadInt16(QStringView text);

// The short number text: no leading blank, no leading zero before the point (".5", "-.5"), no
// trailing zeros, single precision with at most seven significant digits ("1.234568E+07" beyond).
QString ShortNum(double v);

// A number for a caption: a leading blank when it is not negative (" 2", "-2").
QString CaptionNum(double v);

} // namespace qnum
