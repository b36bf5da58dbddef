// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The graphics/system setup: the shared drawing and system settings as the dialog shows them, and
// its OK, which stores them and writes "DEVICE.CFG".

struct GraphicsSetupFields {
    QString marginOffsets;   // "X,Y" in inches
    QString defaultFont;
    QString textAdjustFile;
    QString fillPath;
    QString symbolPath;
    QString centralDataPath;
    QString headingFile;
    bool zoomScreenWidth = false; // else Full Page
    bool replaceText = false;     // else Add to Text
    bool labelDate = false;
    bool labelFilename = false;
    bool thickDashed = false;
};

// The fields as the dialog opens on the settings.
GraphicsSetupFields GraphicsSetupFromSettings();

// The date and file-name stamp setting as two ticks: its value rounded, 2 and up ticks the file name
// and counts 2 less, then 1 ticks the date.
void DateStampTicks(const QString& option, bool& labelDate, bool& labelFilename);

struct GraphicsSetupResult {
    bool replaceOnEdit = false;      // the main window grid's edit mode from now on
    bool fillChooserReload = false;  // the fills folder changed: the fill chooser is built anew
    bool saved = false;              // "DEVICE.CFG" was written
};

// OK: stores every field into its setting and writes "DEVICE.CFG" (a write failure is reported by
// SaveDevice; the settings stand, and the result says it). The margin offsets are parsed only when their text changed. An
// empty fills or symbols folder stores the program folder's "fills/" or "symbols/"; any other gets a
// closing "/" unless it ends in "/" or "\". fillPathAtLoad is FillPath as the dialog opened.
GraphicsSetupResult ApplyGraphicsSetup(const GraphicsSetupFields& fields, const QString& fillPathAtLoad);
