// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// The pictures the program ships, drawn by the program itself: fill patterns (a screen version
// "F<n>_sc.bmp" and a finer print version "F<n>.bmp" covering the same area of paper), symbol bitmaps
// and the tool pictures of the drawing window, each named by its key.
namespace shipped {

// The keys of the tool pictures, in the order the image list takes them.
const QStringList& ToolKeys();
// The built-in picture of a tool key (a blank tile for an unknown key).
QImage ToolPicture(const QString& key);

int FillPatternCount();
// Pattern n (0 the solid pattern): black on white, one tile.
QImage FillPattern(int n, bool print);
QString FillPatternName(int n, bool print); // "F3_sc.bmp" or "F3.bmp"

QStringList SymbolNames(); // file names
QImage SymbolPicture(const QString& name);

// Writes every shipped picture that the program folder lacks: patterns into "fills/", symbols into
// "symbols/", tool pictures beside the settings. A file that exists is never replaced.
void WriteMissing();

} // namespace shipped
