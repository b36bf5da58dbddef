// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windowhooks.h"

namespace contour {

PlotHooks& plotHooks() {
    static PlotHooks hooks;
    return hooks;
}

} // namespace contour
