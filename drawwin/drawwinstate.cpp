// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/drawwinstate.h"

DrawWin& drawwin() {
    static DrawWin d;
    return d;
}
