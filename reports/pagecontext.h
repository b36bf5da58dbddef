// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reportdefs/headings.h"

#include <QString>

#include <array>

// The progress line of the page being drawn: the page's steps and the steps done (incseg).
struct PageProgress {
    int ProgressTotal = 0;
    int ProgressCount = 0;
};

// What the pages of a run draw besides the run's data, taken once as the run starts: the font,
// the margin offsets, the "<" factor, the client lines, the date/file stamp, the heading texts and
// the logo. Pages read these and no module state; the progress they advance is the run's.
struct PageContext {
    QString DefaultFont;
    float MarginOffsetX = 0;
    float MarginOffsetY = 0;
    double LessThanFactor = 0;
    std::array<QString, 11> ClientInfo; // 1..4 shown
    QString DateStamp;                  // the stamp's text by DateStampOption
    HeadingLogo Headings;               // heading lines and logo settings
    PageProgress* Progress = nullptr;
};

// Reads "log.mas" (kinds 1..5: ReportFile and the kind's item count) and the kind's heading lines
// (1 source summary, 2 parameter summary, 3 date summary, 4 Stiff, 5 groundwater elevation,
// 6 date contour). False when the run file is missing or unreadable: the run must end. A heading
// file that cannot be used is reported and the run goes on with the texts it had.
bool getheadingdata(int kind);

// The context of a run's pages from the project's settings, the headings and logo read for the
// run, today's date and the run file; its progress is the run state's.
PageContext RunPageContext();
