// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/printer.h"
#include "platform/uiservice.h"

#include <QStringList>
#include <functional>

class QPrinter;

// The printer set-up of the report forms and the drawing window: the printer dialog through the
// message service, its choice handed to the system printer that every print uses.

// The installed printers' device names, in the system's order.
QStringList PrinterNames();
// Replaces where the names come from (tests); nullptr gives the system's list again.
void SetPrinterNames(std::function<QStringList()> names);

// The settings a printer has now, as the dialog opens on them.
PrinterSetupChoice PrinterSettingsOf(const QPrinter& printer);

// Hands a choice to printer when it names a PDF file or the first installed printer of that name:
// that file or printer becomes the one printed on, with the copies (only a count of at least 1),
// the orientation and the paper size. A name no installed printer has changes nothing. True when
// applied.
bool ApplyPrinterChoice(QPrinter& printer, const PrinterSetupChoice& choice);

// What became of a printer set-up: cancelled, handed to the system printer, or refused because no
// installed printer has the chosen name (the system printer keeps what it had).
enum class PrinterSetupOutcome { Cancelled, Applied, NotInstalled };

// Shows the printer dialog on the printer's settings and applies what the user chose there. A PDF
// file named without an extension gets ".pdf", with the question before an existing file of that
// name is replaced (No cancels).
PrinterSetupOutcome RunPrinterSetup(QPrinter& printer = SystemPrinter());

// Before a print: with nowhere to print (no printer installed, no file chosen), Print Setup opens on
// "Print to File (PDF)". False when there is still nowhere to print: the print is not made.
bool EnsurePrintTarget(QPrinter& printer = SystemPrinter());

// The report forms' Print Setup: as RunPrinterSetup, and they say nothing when the name matches no
// printer. True when applied.
bool ShowPrinterDialog();
