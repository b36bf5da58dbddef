// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
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
constexpr int InvalidArgument = 5;
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
