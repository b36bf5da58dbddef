// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportdefs/windowhooks.h"

ReportDefHooks& reportDefHooks() {
    static ReportDefHooks hooks;
    return hooks;
}
