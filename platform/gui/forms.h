// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QMargins>
#include <QPointer>
#include <QRect>
#include <functional>
#include <optional>
#include <typeindex>

class QPushButton;

// Single-instance windows: each form is created the first time code touches it and lives until it is
// unloaded. Forms are reached through form<T>().
namespace forms {

QWidget*& slot(std::type_index type);

template <class T> T& form() {
    QWidget*& w = slot(typeid(T));
    if (!w) {
        auto* f = new T();
        w = f;
        QObject::connect(f, &QObject::destroyed, [t = std::type_index(typeid(T))] { slot(t) = nullptr; });
    }
    return *static_cast<T*>(w);
}

template <class T> bool isLoaded() { return slot(typeid(T)) != nullptr; }

// Destroys the form; the next form<T>() makes a new one.
template <class T> void unload() {
    QWidget*& w = slot(typeid(T));
    if (w) {
        QWidget* old = w;
        w = nullptr;
        delete old;
    }
}

// Unloads every form (shut-down and tests).
void unloadAll();

// Where a window goes so that it, frame included, lies inside the screen's available area: the wanted
// size shrinks to the room there is and the wanted frame position (centred when none) moves inside.
// A window whose smallest size does not fit gets the room there is and must scroll its content.
struct Placement {
    QPoint framePos; // as QWidget::move takes it
    QSize size;      // of the client area
    bool scroll = false;
};
Placement place(const QRect& available, const QMargins& frame, QSize wanted, QSize minimum,
                std::optional<QPoint> framePos);

// Places a top-level window on its screen before it is shown; a window that cannot shrink enough has
// its content put in a scroll area, its command buttons (keepInView) in a row below it. Maximised and
// full-screen windows are left to the window manager.
void fitToScreen(QWidget& window);

// The buttons that confirm, leave or act on the whole form (OK, Cancel, Help, a report form's Edit
// Mode): when the form must scroll they stay in view, so that it can be confirmed or left unscrolled.
void keepInView(const QList<QPushButton*>& buttons);

// Moves a window by the share of the room its screen leaves round it: 0.5 across and down centres
// it; most forms stand at 0.35 down, a little above the middle.
void moveOnScreen(QWidget& window, double across, double down);

// Runs a form modally, fitted to the screen, and returns the dialog's result. While a test hook is
// installed the hook is called instead, with the form shown; it drives the controls and closes the form.
int showModal(QDialog& form);
using ModalHook = std::function<void(QDialog& form)>;
void setModalHook(ModalHook hook);

} // namespace forms
