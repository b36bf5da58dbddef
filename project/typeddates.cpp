// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/typeddates.h"

#include "platform/dates.h"

namespace typeddates {

namespace {
// The contour run asks for the century, since it takes the dates as they stand.
bool twoDigitYear(const QString& t) { return t.size() >= 3 && t[t.size() - 3] == u'/'; }

QString contourEpisode(const QString& text) {
    const qsizetype comma = text.indexOf(u',');
    if (comma < 0)
        return qdate::IsDate(text) ? QString()
                                   : QStringLiteral("You must enter at least one valid date for the sampling episode.");
    const QString first = text.left(comma).trimmed();
    const QString second = text.mid(comma + 1).trimmed();
    if (twoDigitYear(first) || twoDigitYear(second))
        return QStringLiteral("Please specify the century when entering episode dates.");
    if (!qdate::IsDate(first)) return QStringLiteral("The first date of your sampling episode is not valid.");
    if (!qdate::IsDate(second)) return QStringLiteral("The second date of your sampling episode is not valid.");
    return {};
}
} // namespace

QString Problem(Field field, const QString& text) {
    if (text.trimmed().isEmpty()) return {};
    if (field == Field::ContourEpisode) return contourEpisode(text);
    if (qdate::IsDate(text.trimmed())) return {};
    switch (field) {
    case Field::EpisodeStart: return QStringLiteral("The first date of your sampling episode is not valid.");
    case Field::EpisodeEnd: return QStringLiteral("The second date of your sampling episode is not valid.");
    case Field::ReportStart:
        return QStringLiteral("The Start Date of the Date Range for Reports is not valid.");
    default: return QStringLiteral("The End Date of the Date Range for Reports is not valid.");
    }
}

} // namespace typeddates
