// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/errorof.h"

#include "platform/qmerror.h"

int errorOf(const std::function<void()>& f, QString* detail) {
    try {
        f();
    } catch (const QmError& e) {
        if (detail) *detail = e.detail();
        return e.number();
    }
    return 0;
}
