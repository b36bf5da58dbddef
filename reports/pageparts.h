// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reportdefs/headings.h" // GetLogoData: the logo settings of a run, beside the file it reads

#include <QString>

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
// tagged with the group "logo".
void drawlogo();
// The date/file stamp at its fixed place near the bottom left corner, by DateStampOption (mode 0,
// which every page passes; other modes draw nothing).
void DrawDateStamp(int16_t mode);
// The axis number of a date text; nullopt for a text that is no date (the caller skips it).
std::optional<double> DTN(const QString& dateText);
// Advances the page's progress and shows "% Complete: n" through the run dialog's progress line.
void incseg();
