// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawcmd/pagecanvas.h"
#include "reportdefs/headings.h" // GetLogoData: the logo settings of a run, beside the file it reads

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// What every report page carries besides its body: the heading texts and the run file, the logo,
// the date/file stamp, date axes and the run dialog's progress line.

// Reads "log.mas" (kinds 1..5: ReportFile and the kind's item count) and the kind's heading lines
// (1 source summary, 2 parameter summary, 3 date summary, 4 Stiff, 5 groundwater elevation,
// 6 date contour). False when the run file is missing or unreadable: the run must end. A heading
// file that cannot be used is reported and the run goes on with the texts it had.
bool getheadingdata(int kind);
// The logo block at the pen position: the bitmap (only a ".bmp" file) or three centred text lines,
// tagged with the group "logo". The drawing parts draw on the canvas given, or on the current one.
void drawlogo(PageCanvas& c);
void drawlogo();
// The date/file stamp at its fixed place near the bottom left corner, by DateStampOption (mode 0,
// which every page passes; other modes draw nothing).
void DrawDateStamp(PageCanvas& c, int16_t mode);
void DrawDateStamp(int16_t mode);
// The axis number of a date text; nullopt for a text that is no date (the caller skips it).
std::optional<double> DTN(const QString& dateText);
// Advances the page's progress and shows "% Complete: n" through the run dialog's progress line.
void incseg();

// Note lines as a notes box shows them in the current font and size: the stored lines of a
// paragraph flow together (a line the editor wrapped ends in a blank; a paragraph ends at a line
// without one or at a pilcrow, which is dropped) and each paragraph is wrapped once to the box
// (width in inches) at its blanks, a word wider than the box at its characters; the box holds
// maxLines lines and what lies beyond them is left off.
QStringList FitNoteLines(PageCanvas& c, const QStringList& lines, double width, int maxLines);
// How many 8-point lines 0.12 inch apart, the first at firstY, stand clear above bottomY (inches, y up).
int NoteLinesAbove(float firstY, float bottomY);
// A text at the largest size from the current one down to 5 points, in half points, at which it is
// at most width inches wide. Where the room is a heading band (bandHeight inches high, 0 for
// none), a text too wide even at 5 points goes on two lines, split at a blank, at the largest size
// at which both fit and the pair stands in the band; the two are joined by "\N" for A, and the pen
// is raised half a line so that A centres the pair where the one line would stand. What is still
// too wide at 5 points loses characters at its end for "...". With brackets (two characters) the
// text stands between them and they stay whole. The size is left set for A; a text that fits is
// returned as it is, at the size it had.
QString FitTextSize(PageCanvas& c, const QString& text, double width, const QString& brackets = {},
                    double bandHeight = 0);
// A(text) as FitTextSize fits it; the pen and the text size are left as they were, so that a page
// goes on from where it stood.
void FitA(PageCanvas& c, const QString& text, double width, const QString& brackets = {},
          double bandHeight = 0);
// A white box without an outline just round the line of text that A would draw at the pen now, so
// that the lines drawn before it (a map's grid) stop short of the text drawn over it.
void KnockOut(PageCanvas& c, const QString& text);
