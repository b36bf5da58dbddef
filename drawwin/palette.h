// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawwin/zoom.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

class MDrawPro;

// The style palette down the drawing window's left edge, on its own drawing control, and the fill
// palette file "fillpalette.txt" (ten pattern names, then fourteen colours). Objects by id: 1 the fill
// sample, 2 its frame, 3 to 12 fill swatches 1 to 10, 13 to 26 colour swatches 1 to 14, 27 and 28
// the fill and line colour indicators, 29 the line-width marker, 30 to 35 widths 0 to 5, 36 the
// line-style marker, 37 to 40 styles 0 to 3.

// The palette's view in its control: the part of the sheet that holds swatches (its width, from the top
// to below the line styles) fills the control's width, or, in a control too short for that (a high
// screen scale), the control's height and stands centred across, so that every swatch stays in view.
// nullopt for a control without room.
std::optional<zoom::View> PaletteView(const zoom::Geometry& control);

// Reads the fill palette file, or writes the default one, sets the current fill and line styles and
// builds the palette's 40 objects on pal. fitView is called once the palette's sheet is set, to fit
// the view to the control (PaletteView). A file of fewer than 24 lines is reported (error 62) and its
// missing lines take the defaults; other faults are reported and leave the palette as far as it got.
void createFillPalette(MDrawPro& pal, const MDrawPro& page, const std::function<void()>& fitView);

// Writes the fill palette file from PaletteFills and PaletteColors. A failure is reported
// ("SaveFillPalette") and leaves the old file; false then.
bool SaveFillPalette();

// What a click on the palette asks of the window's click timer.
enum class PaletteTimer { Leave, Start, Stop };

// A left click on pal's current object. Line widths and styles apply at once to the page's defaults
// and selection. Fill and colour swatches wait for a second click: the first starts the timer, the
// second stops it and, on a fill or colour swatch, leaves Choose Fill (35) or Choose Colors (40) for
// the deferred timer. Faults end it silently.
PaletteTimer PaletteObjectClicked(MDrawPro& pal, MDrawPro& page);

// The single click, once the timer ran out: a fill or colour swatch becomes the current fill pattern
// or colour, shows in the sample and fills the page's selected objects. Faults are reported ("Timer").
void PaletteSingleClick(MDrawPro& pal, MDrawPro& page);

// A right click at a palette point (drawing units): in the colour rows it makes the colour swatch
// there the line colour of new objects and of the selection.
void PaletteRightClick(MDrawPro& pal, MDrawPro& page, double x, double y);

// Puts the line-width marker back on width 1; the line tools call it when they reset the pen.
void RefreshStyleSample(MDrawPro& pal);

// The picks of the colour and fill choosers for swatch PaletteSwatchIndex: the swatch, its palette
// entry and the file change; the current styles do not. Before any swatch was double-clicked there is
// no swatch to change and nothing happens.
void ApplyChosenColor(MDrawPro& pal, int32_t color);
void ApplyChosenFill(MDrawPro& pal, const QString& fill);
