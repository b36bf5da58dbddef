// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// What the drawing windows do for the program's core. Start-up lives above this layer, so these
// hooks live here, where the drawing windows that fill them in can reach them. Unset, a step does
// nothing.
struct StartupHooks {
    std::function<void()> loadFillChooser;   // loads the fill chooser hidden at start-up
    std::function<void()> unloadFillChooser; // unloads it at shut-down
    void reset() { *this = StartupHooks{}; }
};
StartupHooks& startupHooks();
