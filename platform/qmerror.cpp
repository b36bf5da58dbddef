// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qmerror.h"

#include "platform/uiservice.h"

#include <new>

QmError::QmError(int number, const QString& detail)
    : std::runtime_error(QStringLiteral("Error %1 %2").arg(number).arg(detail).toStdString()),
      number_(number), detail_(detail) {}

void raiseError(int number, const QString& detail) { throw QmError(number, detail); }

QString errorText(int number, const QString& where) {
    return QStringLiteral("Error %1 in %2.  Please contact Kalvex").arg(number).arg(where);
}

void showError(int number, const QString& where) { ui().MsgBox(errorText(number, where)); }

void showError(const QmError& e, const QString& where) { showError(e.number(), where); }

int CaughtErrorNumber() {
    try {
        throw;
    } catch (const QmError& e) {
        return e.number();
    } catch (const std::bad_alloc&) {
        return qmerr::OutOfMemory;
    } catch (...) {
        return qmerr::InvalidArgument;
    }
}
