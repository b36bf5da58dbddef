// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAction>
#include <QStringList>

// The captions of a menu's items in order, "-" for a separator; with shortcuts, a key sequence
// follows its caption in brackets ("Zoom &Window [Ctrl+W]").
inline QStringList menuCaptions(const QList<QAction*>& actions, bool withShortcuts = false) {
    QStringList out;
    for (QAction* a : actions) {
        QString c = a->isSeparator() ? QStringLiteral("-") : a->text();
        if (withShortcuts && !a->shortcut().isEmpty()) c += " [" + a->shortcut().toString() + "]";
        out << c;
    }
    return out;
}
