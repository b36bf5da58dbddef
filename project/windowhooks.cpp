// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/windowhooks.h"

ProjectHooks& projectHooks() {
    static ProjectHooks hooks;
    return hooks;
}
