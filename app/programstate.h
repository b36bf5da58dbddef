// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Returns the program's core to its start, as tests need between cases: every module struct, the
// page's drawing control, every window hook and test seam, the run-data steps, the message service,
// the contouring engine, the timings, the date order and the system printer's settings and output.
// The program folder stays as it is. Windows have their own part, resetGuiState (platform/gui/guistate.h),
// to be run first where there are windows.
void resetProgramState();
