// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The writer of "DEVICE.CFG" and the reader of text adjustment files are shared with the
// graphics/system setup, below this layer.
#include "drawwin/devicesettings.h"
// The colour table's reader is shared with the colour definition window.
#include "drawwin/colors.h"

// Start-up and the settings files: "DEVICE.CFG", the text adjustment values, "qmarrecent.txt" and the
// colour table.
void InitializeSystem();
void AddRecentProject();
