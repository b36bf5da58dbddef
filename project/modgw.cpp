// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/modgw.h"

ModGW& modgw() {
    static ModGW m;
    return m;
}
