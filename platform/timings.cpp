// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/timings.h"

Timings& timings() {
    static Timings t;
    return t;
}
