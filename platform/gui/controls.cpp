// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gui/controls.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

class EnterButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
        if (enter && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            click();
            return;
        }
        QPushButton::keyPressEvent(e);
    }
};

// Ctrl+Tab is sent on as a plain Tab, which the box takes as a move to the next control.
class CtrlTabFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* k = static_cast<QKeyEvent*>(event);
        if (!(k->modifiers() & Qt::ControlModifier) || (k->key() != Qt::Key_Tab && k->key() != Qt::Key_Backtab))
            return false;
        QKeyEvent plain(QEvent::KeyPress, k->key(), k->modifiers() & ~Qt::ControlModifier);
        QCoreApplication::sendEvent(watched, &plain);
        return true;
    }
};

} // namespace

QPushButton* NamedButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* b = new EnterButton(caption, parent);
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

QPlainTextEdit* NamedMultiLineBox(QWidget* parent, const QString& name) {
    auto* t = new QPlainTextEdit(parent);
    t->setObjectName(name);
    t->setAccessibleName(name);
    t->setTabChangesFocus(true);
    CtrlTabLeaves(t);
    return t;
}

void CtrlTabLeaves(QWidget* box) {
    box->installEventFilter(new CtrlTabFilter(box));
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

void SetTabOrder(const QList<QWidget*>& order) {
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}
