// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

class MDrawPro;

// The fill chooser's swatches: which pattern files it shows and where. Layout numbers are twips, one
// drawing unit of the chooser's canvas each.
namespace fillchooser {

constexpr int MaxListed = 500;
constexpr int ColumnWidth = 700;   // window width per column of swatches
constexpr int DesignHeight = 7800; // inner height of the window as designed

extern const QString kTooManyMessage;

// File names in natural order: runs of digits compare by their value (F2 before F10), the rest
// without regard to case; names equal so compare by their characters.
bool NaturalLess(const QString& a, const QString& b);

// The bitmap files of a folder as the chooser lists them, in natural order; a folder that cannot be
// listed lists nothing.
QStringList ListBitmaps(const QString& folder);

// The screen versions among the listed files, in list order: names ending in "_SC.BMP" in any case,
// less the work file ("TEMP...", any case) and the pictures of other uses ("cutt", "quicksoil",
// "samp", "well" as exactly so written).
QStringList SwatchFiles(const QStringList& listed);

// A pattern's label: its file name up to its first "_".
QString Label(const QString& file);

// The window width for n swatches: one 700-twip column per ten swatches, plus one.
int WindowWidth(int n);
// True when the window is centred across the screen rather than placed a quarter in.
bool Centred(int n);

// Swatch i (1-based) of n: its square, 500 twips a side, on the canvas.
QRect SwatchRect(int i, int n);

// The swatch an arrow key moves to from swatch i of n: dy steps within a column, dx to the same place
// in the next or previous column (the last swatch where the last column is shorter). A step off the
// swatches stays on i; 0 when there are none.
int StepSwatch(int i, int n, int dx, int dy);

// Sets up the canvas (sheet width by height twips, its left edge at unitsLeft) and adds a tagged,
// labelled swatch for each file.
void BuildSwatches(MDrawPro& canvas, const QStringList& files, const QString& fillPath, int width, int height,
                   int32_t drawOptions, int unitsLeft = 0);

} // namespace fillchooser
