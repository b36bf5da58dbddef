// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gui/controls.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

QPushButton* NamedButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QLineEdit* NamedTextBox(QWidget* parent, const QString& name) {
    auto* t = new QLineEdit(parent);
    t->setObjectName(name);
    t->setAccessibleName(name);
    return t;
}

QMenu* NamedMenu(QMenuBar* bar, const QString& name, const QString& caption) {
    QMenu* m = bar->addMenu(caption);
    m->setObjectName(name);
    return m;
}

QAction* NamedMenuItem(QMenu* menu, const QString& name, const QString& caption, const QString& keys) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    if (!keys.isEmpty()) a->setShortcut(QKeySequence(keys));
    return a;
}

QAction* NamedBarCommand(QMenuBar* bar, const QString& name, const QString& caption) {
    QAction* a = bar->addAction(caption);
    a->setObjectName(name);
    return a;
}
