// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/windowhooks.h"

ReportHooks& reportHooks() {
    static ReportHooks hooks;
    return hooks;
}
