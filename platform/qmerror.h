// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <new>
#include <stdexcept>

// A run-time fault carrying the classic error number. The procedure that owns the error trap catches
// it and reports it with errorText().
class QmError : public std::runtime_error {
public:
    explicit QmError(int number, const QString& detail = {});
    int number() const { return number_; }
    const QString& detail() const { return detail_; }

private:
    int number_;
    QString detail_;
};

// The numbers the program raises.
namespace qmerr {
constexpr int Overflow = 6;
constexpr int Subscript = 9;
constexpr int DivisionByZero = 11;
constexpr int TypeMismatch = 13;
constexpr int InvalidArgument = 5; // also any exception of a library, which has no number of ours
constexpr int OutOfMemory = 7;
constexpr int FileNotFound = 53;
constexpr int DiskFull = 61;
constexpr int PastEndOfFile = 62;
constexpr int PathFileAccess = 75;
constexpr int PathNotFound = 76;
constexpr int Printer = 482;
} // namespace qmerr

[[noreturn]] void raiseError(int number, const QString& detail = {});

// "Error N in <where>.  Please contact Kalvex"
QString errorText(int number, const QString& where);

// Shows errorText() through the message service.
void showError(int number, const QString& where);
void showError(const QmError& e, const QString& where);

// The number of the exception being handled: a QmError's own, 7 for lack of memory, else 5. Only
// inside a catch block.
int CaughtErrorNumber();

// A procedure's error trap: a QmError or lack of memory in work is shown as "Error N in <where>."
// and ends it; false then. Any other exception goes on to the trap of the event loop.
template <class F> bool Trapped(const QString& where, F&& work) {
    try {
        work();
        return true;
    } catch (const QmError& e) {
        showError(e, where);
    } catch (const std::bad_alloc&) {
        showError(qmerr::OutOfMemory, where);
    }
    return false;
}
