// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/errors.h"

#include <QString>
#include <exception>
#include <new>
#include <stdexcept>
#include <utility>

// A run-time fault carrying the classic error number (platform/errors.h). The routine that owns the
// error trap catches it and reports it with errorText().
class QmError : public std::runtime_error {
public:
    explicit QmError(int number, const QString& detail = {});
    int number() const { return number_; }
    const QString& detail() const { return detail_; }

private:
    int number_;
    QString detail_;
};

[[noreturn]] void raiseError(int number, const QString& detail = {});

// "Error N in <where>.  Please contact Kalvex"
QString errorText(int number, const QString& where);

// Shows errorText() through the message service.
void showError(int number, const QString& where);
void showError(const QmError& e, const QString& where);

// The number of the exception being handled: a QmError's own, OutOfMemory for lack of memory, else
// InvalidArgument. Only inside a catch block.
int CaughtErrorNumber();

// A routine's error trap: a fault in work ends it and is shown as "Error N in <routine>.  Please
// contact Kalvex", N as CaughtErrorNumber() gives it; false then. What is no Caught (by default any
// std::exception) goes on to the trap around this one, or to that of the event loop.
template <class Caught = std::exception, class F> bool trap(const QString& routine, F&& work) {
    try {
        std::forward<F>(work)();
        return true;
    } catch (const Caught&) {
        showError(CaughtErrorNumber(), routine);
    }
    return false;
}
