// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The check of a date the user types into a form, made when the cell or box is left, in the user's
// date order. Each gives the message that says what is wrong, "" when the text will do; an empty
// entry is no date typed yet and passes. A date is typed alone: text after it is refused.
namespace typeddates {

// Which date a form's cell or box holds.
enum class Field {
    EpisodeStart,   // the start of a sampling episode (its own cell)
    EpisodeEnd,     // the end of a sampling episode (its own cell)
    ContourEpisode, // a date contour episode, "start,end" or one date, each with a four-digit year
    ReportStart,    // the project's date range for reports
    ReportEnd,
};

// The message ends with the form the user's date order expects ("  Use mm/dd/yyyy.").
QString Problem(Field field, const QString& text);

// The date contour episode's check as the contour run makes it on a definition written elsewhere:
// the run's own message, without the typing hint.
QString EpisodeProblem(const QString& text);

} // namespace typeddates
