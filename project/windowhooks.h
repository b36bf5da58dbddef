// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// What windows do for the project's core; the window layer fills these in.
struct ProjectHooks {
    // The main window's bound records, which must let go of the database file while a rebuild or a
    // clear takes it, and be bound again afterwards. Unset, nothing is bound.
    std::function<void()> releaseDatabase;
    std::function<void()> rebindDatabase;
    // The main window grid's edit mode (true: typing replaces a cell), which the graphics/system setup
    // changes at once. Unset, there is no main window.
    std::function<void(bool replace)> setCellEditMode;
    // The notes editor's two boxes (1 general notes, 2 item notes): the box's whole text and the
    // lines it displays. False, or unset, when the box is not available.
    std::function<bool(int kind, QString& text, QStringList& displayedLines)> memoBox;
    void reset() { *this = ProjectHooks{}; }
};
ProjectHooks& projectHooks();
