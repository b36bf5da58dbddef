// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Start-up and the settings files: "DEVICE.CFG", the text adjustment values, "qmarrecent.txt" and the
// colour table.
void InitializeSystem();
void SaveDevice();
void AddRecentProject();
void loadcolors();
