// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportdefs/windowhooks.h"

#include <utility>

ReportDefHooks& reportDefHooks() {
    static ReportDefHooks hooks;
    return hooks;
}

std::function<void()> DateContourRun(std::function<bool()> dataStep, std::function<void()> mapStep) {
    return [data = std::move(dataStep), maps = std::move(mapStep)] {
        if (data && data() && maps) maps();
    };
}
