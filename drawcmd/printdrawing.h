// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drawing/outputoptions.h"
#include "platform/printer.h" // the printer every print goes to

#include <QImage>
#include <QString>
#include <cstdint>

class MDrawPro;
class QPrinter;
class QmError;

// Printing the page's drawing, one print job of one page each time.

// Drops the objects deleted in the window (tagged "Change" = "T") and those lying wholly outside the
// sheet and its 100-unit margin, cuts a "Fill" tag that holds a folder to its file name and empties
// the undo record. Reports its own errors.
void removedeletedobjects();

// The pattern with its black in the colour and its white kept white.
QImage ColoredPattern(const QImage& pattern, int32_t color);

// The pattern file of the fills folder coloured as above; the solid pattern ("F0...") gives the plain
// colour. An empty or missing name becomes "F0_sc.BMP", and the caller sees the new name. Raises
// the picture loader's errors.
QImage ColoredFill(QString& patternFile, int32_t color);

// Writes ColoredFill as the work file "Temp.bmp" of the fills folder. Reports its own errors.
void createcoloredFPtemp(QString& patternFile, int32_t& color);

// The output options of a print: the print pattern of every pattern-filled object in its colour
// from the fills folder, node markers and deleted objects left out. missingPattern names the last
// pattern file that is missing; a missing pattern prints as the solid one. Raises the picture
// loader's errors.
draw::OutputOptions PrintOutputOptions(const MDrawPro& d, QString& missingPattern);

// Prints the page on the system printer as one job of one page: deleted and off-sheet objects
// dropped, pattern fills printed from their print patterns in their colours, node markers left off
// the paper. The drawing itself keeps its screen patterns and markers. Reports its own errors
// (ShowPrintError); returns what the progress line says of it, "" when it failed.
QString PrintDrawArea(const QString& routine = QStringLiteral("PrintDrawArea"));

// The same page as the next page of a job (in the orientation of its sheet), raising its errors.
void PrintDrawing(PrintJob& job);
// The same print, one job of one page, raising its errors to the caller; returns what the progress
// line says of it.
QString PrintDrawing();

// A print's fault as the user is told of it: no printer as kAddPrinterMessage, any other as an
// error in routine.
void ShowPrintError(const QmError& e, const QString& routine);
