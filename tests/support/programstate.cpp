// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/programstate.h"

#include "app/programstate.h"

namespace {
void (*guiReset)() = nullptr;
} // namespace

void registerGuiReset(void (*reset)()) { guiReset = reset; }

void resetTestProgram() {
    if (guiReset) guiReset();
    resetProgramState();
}
