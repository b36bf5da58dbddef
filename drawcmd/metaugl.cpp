// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawcmd/metaugl.h"

Metaugl& metaugl() {
    return currentCanvas();
}
