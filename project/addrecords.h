// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QStringList>

// The records typed into the add-records grid, one a column: row 1 the source, row 2 the date,
// row 3 the duplicate code, row 3 + i the value of parameter i.
using AddColumn = QStringList;

enum class AddResult {
    Nothing, // no column holds anything
    Added,   // every record was stored
    Refused, // a message was shown and no record was stored
};

// Appends the records to table Data of DatabaseFile in one transaction. An empty date takes the
// date of the nearest column to its left that has one; a date must hold "/" and be a valid date in
// the current order (else "Bad Date Format"); a two-digit year is widened; an empty value stores
// the parameter's Def. Text. Any failure is shown and undoes the whole transaction.
AddResult AddRecords(const QList<AddColumn>& columns);
