// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>
#include <typeindex>

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

// Runs a form modally and returns the dialog's result. While a test hook is installed the hook is
// called instead, with the form shown; it drives the controls and closes the form.
int showModal(QDialog& form);
using ModalHook = std::function<void(QDialog& form)>;
void setModalHook(ModalHook hook);

} // namespace forms
