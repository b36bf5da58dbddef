// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gui/application.h"

#include "platform/qmerror.h"

#include <QPointer>
#include <QWidget>

namespace {

QString nameOf(const QObject* o) {
    return o->objectName().isEmpty() ? QString::fromLatin1(o->metaObject()->className()) : o->objectName();
}

} // namespace

QString EscapedFrom(const QObject* receiver) {
    if (!receiver) return QStringLiteral("the program");
    const QObject* o = receiver;
    while (o && !o->isWidgetType()) o = o->parent();
    const QWidget* window = o ? static_cast<const QWidget*>(o)->window() : nullptr;
    // A menu is a window of its own; the one it belongs to is meant.
    while (window && window->windowType() == Qt::Popup && window->parentWidget())
        window = window->parentWidget()->window();
    if (!window || window == receiver) return nameOf(receiver);
    return nameOf(window) + u'.' + nameOf(receiver);
}

#if defined(__SANITIZE_ADDRESS__)
// An exception that escapes a handler unwinds through Qt's own frames, which are built without
// exception support: their destructors do not run, so a QPointer there (QAction::activate holds one
// to the action over its signal) never gives back its weak count, and the count block of that object
// outlives it. The guard below is released; the block is Qt's, 16 bytes for each such fault.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:QtSharedPointer::ExternalRefCountData::getAndRef\n";
}
#endif

bool Application::notify(QObject* receiver, QEvent* event) {
    // The handler may have deleted the receiver before it failed.
    const QPointer<QObject> guard(receiver);
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        const int number = CaughtErrorNumber();
        // One box at a time: a fault that repeats while its message is up (a paint) adds none.
        static bool showing = false;
        if (showing) return true;
        showing = true;
        try {
            showError(number, EscapedFrom(guard.data()));
        } catch (...) {
        }
        showing = false;
        return true;
    }
}
