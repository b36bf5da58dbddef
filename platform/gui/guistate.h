// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Returns the windows to the program's start, as tests need between cases: every form unloaded, the
// plot windows and the help viewer closed, the modal hook and the printer list given back to the
// system. Runs before resetProgramState (app/programstate.h), while the core the windows use is
// still as they left it.
void resetGuiState();
