// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gui/printersetup.h"

#include "platform/printer.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace {
std::function<QStringList()>& namesSource() {
    static std::function<QStringList()> f;
    return f;
}
} // namespace

QStringList PrinterNames() {
    if (namesSource()) return namesSource()();
    return QPrinterInfo::availablePrinterNames();
}

void SetPrinterNames(std::function<QStringList()> names) { namesSource() = std::move(names); }

PrinterSetupChoice PrinterSettingsOf(const QPrinter& printer) {
    const QPageLayout layout = printer.pageLayout();
    return {printer.printerName(), printer.copyCount(), layout.orientation(), layout.pageSize().id()};
}

bool ApplyPrinterChoice(QPrinter& printer, const PrinterSetupChoice& choice) {
    const QStringList names = PrinterNames();
    const qsizetype at = names.indexOf(choice.printerName);
    if (choice.printerName.isEmpty() || at < 0) return false;
    // A printer the system no longer knows keeps the device it has.
    if (printer.printerName() != names[at] && !QPrinterInfo::printerInfo(names[at]).isNull())
        printer.setPrinterName(names[at]);
    if (choice.copies >= 1) printer.setCopyCount(choice.copies);
    printer.setPageOrientation(choice.orientation);
    printer.setPageSize(QPageSize(choice.paperSize));
    return true;
}

PrinterSetupOutcome RunPrinterSetup() {
    QPrinter& printer = SystemPrinter();
    const std::optional<PrinterSetupChoice> choice = ui().PrinterDialog(PrinterSettingsOf(printer));
    if (!choice) return PrinterSetupOutcome::Cancelled;
    return ApplyPrinterChoice(printer, *choice) ? PrinterSetupOutcome::Applied : PrinterSetupOutcome::NotInstalled;
}

bool ShowPrinterDialog() { return RunPrinterSetup() == PrinterSetupOutcome::Applied; }
