// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QStringList>

// The source-list picker's rules, apart from its window.
namespace wellwlist {

// Moves the entries at rows (0-based, any order) from one list to the end of the other, in list
// order; nothing is sorted or merged.
void MoveEntries(QStringList& from, QStringList& to, QList<int> rows);

QString TooManySourcesText();

// Makes names the report's sources (NumWellList, WellList) and marks the definition changed. Item
// notes stay with their positions. More than the definition holds changes nothing: false.
bool TakeWellList(const QStringList& names);

} // namespace wellwlist
