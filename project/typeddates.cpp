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
        if (!typedDate(text))
            return QStringLiteral("You must enter at least one valid date for the sampling episode.");
        return fourDigitYear(text) ? QString() : century;
    }
    const QString first = text.left(comma).trimmed();
    const QString second = text.mid(comma + 1).trimmed();
    if (twoDigitYear(first) || twoDigitYear(second)) return century;
    if (!typedDate(first)) return QStringLiteral("The first date of your sampling episode is not valid.");
    if (!typedDate(second)) return QStringLiteral("The second date of your sampling episode is not valid.");
    return fourDigitYear(first) && fourDigitYear(second) ? QString() : century;
}

namespace {
QString fieldProblem(Field field, const QString& text) {
    if (field == Field::ContourEpisode) return EpisodeProblem(text);
    if (typedDate(text)) return {};
    switch (field) {
    case Field::EpisodeStart: return QStringLiteral("The first date of your sampling episode is not valid.");
    case Field::EpisodeEnd: return QStringLiteral("The second date of your sampling episode is not valid.");
    case Field::ReportStart:
        return QStringLiteral("The Start Date of the Date Range for Reports is not valid.");
    default: return QStringLiteral("The End Date of the Date Range for Reports is not valid.");
    }
}
} // namespace

QString Problem(Field field, const QString& raw) {
    const QString text = raw.trimmed();
    const QString why = text.isEmpty() ? text : fieldProblem(field, text);
    return why.isEmpty() ? why : why + QStringLiteral("  Use ") + qdate::order().DateFormat + u'.';
}

} // namespace typeddates
