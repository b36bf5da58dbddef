// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QAction;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QWidget;

// Controls carry the names the windows give them, so code, tests and assistive technology find them.

// A push button that does not press itself on Enter.
QPushButton* NamedButton(QWidget* parent, const QString& name, const QString& caption);
// A text box, its name also its accessible name (it has no caption of its own).
QLineEdit* NamedTextBox(QWidget* parent, const QString& name);
QMenu* NamedMenu(QMenuBar* bar, const QString& name, const QString& caption);
// A command on the menu bar itself, with no drop-down.
QAction* NamedBarCommand(QMenuBar* bar, const QString& name, const QString& caption);
QAction* NamedMenuItem(QMenu* menu, const QString& name, const QString& caption, const QString& keys = {});
