// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <optional>

// The one date module: day/month order fixed at start-up, parsing and formatting in that order,
// the two-digit-year rule, and the ISO text the database stores.
namespace qdate {

struct DateOrder {
    int DayFirst = 0;                          // 0 month first, 1 day first
    QString DateFormat = QStringLiteral("mm/dd/yyyy");
};

DateOrder& order();

// Sets the order from a short-date pattern such as "M/d/yyyy" or "dd.MM.yyyy": month before day gives
// month first; day before month, and year-first patterns, give day first.
void SetOrderFromPattern(const QString& shortDatePattern);
// The order of the system's short date (the current locale).
void SetOrderFromSystem();
void SetDayFirst(int dayFirst);

// The two-digit-year rule: when the third character from the end is "/", the year y becomes 19y for
// y > 30 and 20y otherwise. Other texts are returned as they are.
QString FixTwoDigitYear(const QString& text);

// Parses a date typed or read from a file in the current order: parts separated by "/", "-" or ".";
// a four-digit first part is read year-first. Two-digit years follow FixTwoDigitYear. Time-of-day and
// anything after a blank are ignored. nullopt when the text is no valid date.
std::optional<QDate> Parse(const QString& text);
// The same in a given order (1 day first), for controls that keep an order of their own.
std::optional<QDate> Parse(const QString& text, int dayFirst);
bool IsDate(const QString& text);

// "mm/dd/yyyy" or "dd/mm/yyyy" with leading zeros, as DateFormat says.
QString Format(const QDate& d);
QString Format(const QDate& d, int dayFirst);
// The short display of the system: month and day without leading zeros ("5/1/2002").
QString FormatShort(const QDate& d);

// Database text.
QString ToIso(const QDate& d);
std::optional<QDate> FromIso(const QString& iso);
// ISO text to the display format; a text that is not ISO is returned as it is.
QString IsoToDisplay(const QString& iso);

} // namespace qdate
