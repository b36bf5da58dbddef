// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

class QAction;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// Controls carry the names the windows give them, so code, tests and assistive technology find them.

// A push button that Enter presses while it has the focus. It never becomes a dialog's default by
// itself: a dialog names its default (its OK) with setDefault.
QPushButton* NamedButton(QWidget* parent, const QString& name, const QString& caption);
// A multi-line text box, its name also its accessible name. Tab, Shift+Tab and Ctrl+Tab move to the
// next or previous control and never type a tab character.
QPlainTextEdit* NamedMultiLineBox(QWidget* parent, const QString& name);
// Makes Ctrl+Tab and Ctrl+Shift+Tab leave a multi-line box as Tab and Shift+Tab do.
void CtrlTabLeaves(QWidget* box);
// A text box, its name also its accessible name (it has no caption of its own).
QLineEdit* NamedTextBox(QWidget* parent, const QString& name);
QMenu* NamedMenu(QMenuBar* bar, const QString& name, const QString& caption);
// A command on the menu bar itself, with no drop-down.
QAction* NamedBarCommand(QMenuBar* bar, const QString& name, const QString& caption);
QAction* NamedMenuItem(QMenu* menu, const QString& name, const QString& caption, const QString& keys = {});

// Tab goes through the controls in this order.
void SetTabOrder(const QList<QWidget*>& order);
