// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class MDrawPro;

// The style palette down the drawing window's left edge, on its own drawing control, and the fill
// palette file "fillpalette.txt" (ten pattern names, then fourteen colours).

// Reads the fill palette file, or writes the default one, sets the current fill and line styles and
// builds the palette's 40 objects on pal. fitView is called once the palette's sheet is set, to fit
// the view to the control's width. Reports its own errors; the palette is then left as far as it got.
void createFillPalette(MDrawPro& pal, const MDrawPro& page, const std::function<void()>& fitView);

// Writes the fill palette file from PaletteFills and PaletteColors.
void SaveFillPalette();
