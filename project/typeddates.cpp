// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/typeddates.h"

#include "platform/dates.h"

#include <QStringList>

namespace typeddates {

namespace {
// The contour run asks for the century, since it takes the dates as they stand.
bool twoDigitYear(const QString& t) { return t.size() >= 3 && t[t.size() - 3] == u'/'; }

// The date reader passes over what follows a blank (a time of day in a file); typed, it is no date.
bool typedDate(const QString& t) {
    for (QChar c : t)
        if (c.isSpace()) return false;
    return qdate::IsDate(t);
}

// Of a date the reader takes: its year written with four digits, first or last.
bool fourDigitYear(const QString& t) {
    for (QChar sep : {u'/', u'-', u'.'}) {
        const QStringList parts = t.split(sep);
        if (parts.size() == 3) return parts[0].size() == 4 || parts[2].size() == 4;
    }
    return false;
}

const QString century = QStringLiteral("Please specify the century when entering episode dates.");
} // namespace

QString EpisodeProblem(const QString& raw) {
    const QString text = raw.trimmed();
    const qsizetype comma = text.indexOf(u',');
    if (comma < 0) {
        if (twoDigitYear(text)) return century;
        if (!typedDate(text)) return QStringLiteral("You must enter at least one valid date for the sampling episode.");
        return fourDigitYear(text) ? QString() : century;
    }
    const QString first = text.left(comma).trimmed();
    const QString second = text.mid(comma + 1).trimmed();
    if (twoDigitYear(first) || twoDigitYear(second)) return century;
    if (!typedDate(first)) return QStringLiteral("The first date of your sampling episode is not valid.");
    if (!typedDate(second)) return QStringLiteral("The second date of your sampling episode is not valid.");
    return fourDigitYear(first) && fourDigitYear(second) ? QString() : century;
}

QString Problem(Field field, const QString& raw) {
    const QString text = raw.trimmed();
    if (text.isEmpty()) return {};
    QString why;
    if (field == Field::ContourEpisode) why = EpisodeProblem(text);
    else if (!typedDate(text)) switch (field) {
        case Field::EpisodeStart: why = QStringLiteral("The first date of your sampling episode is not valid."); break;
        case Field::EpisodeEnd: why = QStringLiteral("The second date of your sampling episode is not valid."); break;
        case Field::ReportStart: why = QStringLiteral("The Start Date of the Date Range for Reports is not valid."); break;
        default: why = QStringLiteral("The End Date of the Date Range for Reports is not valid.");
        }
    return why.isEmpty() ? why : why + QStringLiteral("  Use ") + qdate::order().DateFormat + u'.';
}

} // namespace typeddates
