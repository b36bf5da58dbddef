// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// Start-up and the settings files: "DEVICE.CFG", the text adjustment values, "qmarrecent.txt" and the
// colour table.
void InitializeSystem();
void SaveDevice();
void AddRecentProject();
void loadcolors();

// Steps of start-up and shut-down that belong to windows; the window layer fills them in.
struct StartupHooks {
    std::function<void()> loadFillChooser;   // loads the fill chooser hidden
    std::function<void()> unloadFillChooser;
    void reset() { *this = StartupHooks{}; }
};
StartupHooks& startupHooks();
