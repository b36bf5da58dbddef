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
// Copies (only a count of at least 1), orientation and paper go with any choice.
void applyPage(QPrinter& printer, const PrinterSetupChoice& choice) {
    if (choice.copies >= 1) printer.setCopyCount(choice.copies);
    printer.setPageOrientation(choice.orientation);
    printer.setPageSize(QPageSize(choice.paperSize));
}
} // namespace

QStringList PrinterNames() {
    if (namesSource()) return namesSource()();
    return QPrinterInfo::availablePrinterNames();
}

void SetPrinterNames(std::function<QStringList()> names) { namesSource() = std::move(names); }

PrinterSetupChoice PrinterSettingsOf(const QPrinter& printer) {
    const QPageLayout layout = printer.pageLayout();
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
    return {toFile ? QString() : printer.printerName(), printer.copyCount(), layout.orientation(),
            layout.pageSize().id(), toFile ? printer.outputFileName() : QString()};
}

bool ApplyPrinterChoice(QPrinter& printer, const PrinterSetupChoice& choice) {
    if (!choice.outputFile.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(choice.outputFile);
        applyPage(printer, choice);
        return true;
    }
    const QStringList names = PrinterNames();
    const qsizetype at = names.indexOf(choice.printerName);
    if (choice.printerName.isEmpty() || at < 0) return false;
    // A printer the system no longer knows keeps the device it has.
    if (!QPrinterInfo::printerInfo(names[at]).isNull()) {
        if (!printer.outputFileName().isEmpty()) printer.setOutputFileName(QString()); // back from a file
        if (printer.printerName() != names[at]) printer.setPrinterName(names[at]);
    }
    applyPage(printer, choice);
    return true;
}

PrinterSetupOutcome RunPrinterSetup(QPrinter& printer) {
    std::optional<PrinterSetupChoice> choice = ui().PrinterDialog(PrinterSettingsOf(printer));
    if (!choice) return PrinterSetupOutcome::Cancelled;
    if (!choice->outputFile.isEmpty()) {
        // A bare name gets ".pdf"; the dialog asked only about the name as typed.
        choice->outputFile = filedialog::CompletedName(choice->outputFile, QStringLiteral("PDF Files (*.pdf)|*.pdf|"),
                                                       0, QStringLiteral("pdf"), QStringLiteral("Print Setup"));
        if (choice->outputFile.isEmpty()) return PrinterSetupOutcome::Cancelled;
    }
    return ApplyPrinterChoice(printer, *choice) ? PrinterSetupOutcome::Applied : PrinterSetupOutcome::NotInstalled;
}

bool EnsurePrintTarget(QPrinter& printer) {
    if (HasPrintTarget(printer)) return true;
    return RunPrinterSetup(printer) == PrinterSetupOutcome::Applied && HasPrintTarget(printer);
}

bool ShowPrinterDialog() { return RunPrinterSetup() == PrinterSetupOutcome::Applied; }
