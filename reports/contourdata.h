// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The data step of the date contour maps: one data file per chosen parameter, written to the data
// folder before the maps are gridded and drawn.

// The file of chosen parameter k (1-based) with extension ext ("TXT" the data, "GRD" the grid), in
// DataFolder. Parameter 1 is named after the current definition: ContourFileTitle (the bare name of
// DateSumFile when that is empty) up to and including its first ".", then ext ("SITE.DCF" gives
// "SITE.TXT"; a name without "." gets one; a definition named like a later parameter's file, "F2.DCF",
// gives "F1.TXT"). Parameter k >= 2 is "F" k "." ext ("F2.TXT"). A file already there under another
// spelling of the name is meant by it. Both steps of the run name their files here only, so they
// write and read one spelling.
QString ContourFilePath(int k, const QString& ext);

// Writes the data file of every chosen parameter of the date contour definition in memory: a line
// per chosen source, "X<Tab>Y<Tab>value", the value the source's mean over the sampling episode
// (DateInfo(5)). False, after its message through ui(), when the episode is refused or a fault
// stopped it; the files of the last run then stay as they were.
bool CreateDateContourData();
