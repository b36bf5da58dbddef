// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/windowhooks.h"

StartupHooks& startupHooks() {
    static StartupHooks hooks;
    return hooks;
}
