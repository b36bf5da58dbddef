// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/printer.h"

#include "platform/drawing/drawrender.h"
#include "platform/drawing/mdrawpro.h"
#include "platform/filenames.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"
#include "platform/uiservice.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>

const QString kAddPrinterMessage =
    QStringLiteral("You must add a printer before printing: add one in the desktop's printer settings, or choose "
                   "Print to File (PDF) in Print Setup.");

namespace {
bool toFile(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::PdfFormat;
}
QString pendingName(const QString& file) {
    return file + QStringLiteral(".pending");
}
} // namespace

QPrinter& SystemPrinter() {
    static QPrinter* printer = new QPrinter(QPrinter::HighResolution); // lives as long as the program
    return *printer;
}

bool HasPrintTarget(const QPrinter& printer) {
    return !(toFile(printer) && printer.outputFileName().isEmpty());
}

QString PrintTargetName(const QPrinter& printer) {
    return toFile(printer) ? printer.outputFileName() : printer.printerName();
}

QString PrintedText(int pages, const QString& target) {
    if (pages == 1) return QStringLiteral("1 page printed to %1").arg(target);
    return QStringLiteral("%1 pages printed to %2").arg(pages).arg(target);
}

QString PrintFileTitle(const QString& title) {
    QString name;
    for (const QChar c : title)
        name += c.category() == QChar::Other_Control || QStringLiteral("/\\:*?\"<>|").contains(c) ? u'-' : c;
    // A leading dot would hide the file; trailing dots and blanks some file systems drop.
    while (!name.isEmpty() && (name.front() == u'.' || name.front().isSpace()))
        name.remove(0, 1);
    while (!name.isEmpty() && (name.back() == u'.' || name.back().isSpace()))
        name.chop(1);
    name.truncate(120);
    return name.trimmed().isEmpty() ? QStringLiteral("Print") : name.trimmed();
}

QString& LastPrintFile() {
    static QString file;
    return file;
}

void PrintFittedSheet(PrintJob& job, const MDrawPro& d, QPageLayout::Orientation orientation) {
    QPainter& p = job.newPage(orientation);
    const double w = job.printer().width(), h = job.printer().height();
    const double s = std::min(w / d.pageWidth(), h / d.pageHeight());
    draw::paintSheet(p, d,
                     QRectF((w - d.pageWidth() * s) / 2, (h - d.pageHeight() * s) / 2, d.pageWidth() * s,
                            d.pageHeight() * s));
}

PrintJob::PrintJob(QPrinter& printer) : printer_(printer) {}

bool PrintJob::open(const PrintName& name) {
    if (!toFile(printer_)) return true;
    const QString chosen = printer_.outputFileName();
    QString proposal;
    if (!chosen.isEmpty() && chosen != LastPrintFile()) {
        proposal = chosen; // Print Setup's name, not printed to yet
    } else {
        QString folder = chosen.isEmpty() ? qfile::Normalize(name.folder) : qfile::FolderOf(chosen);
        if (!folder.isEmpty() && !folder.endsWith(u'/')) folder += u'/';
        proposal = folder + PrintFileTitle(name.title) + QStringLiteral(".pdf");
    }
    FileDialogRequest request;
    request.save = true;
    request.title = QStringLiteral("Print to File");
    request.filter = QStringLiteral("PDF Files (*.pdf)|*.pdf|");
    request.defaultExt = QStringLiteral("pdf");
    request.initDir = qfile::FolderOf(proposal);
    request.fileName = proposal;
    const QString file = ui().FileDialog(request);
    if (file.isEmpty()) return false;
    printer_.setOutputFileName(file);
    LastPrintFile() = file;
    return true;
}

PrintJob::~PrintJob() {
    close(false);
}

QPainter& PrintJob::newPage(QPageLayout::Orientation orientation) {
    if (painter_) {
        // Takes effect from the page started next.
        printer_.setPageOrientation(orientation);
        if (!printer_.newPage()) raiseError(qmerr::Printer, QStringLiteral("the page did not start"));
        ++pages_;
        return *painter_;
    }
    // With no printer installed the printer falls back to a PDF with nowhere to go.
    if (!HasPrintTarget(printer_)) raiseError(qmerr::Printer, QStringLiteral("no printer"));
    target_ = PrintTargetName(printer_);
    printer_.setPageOrientation(orientation);
    auto painter = std::make_unique<QPainter>();
    if (toFile(printer_)) {
        pdfFile_ = printer_.outputFileName();
        QFile::remove(pendingName(pdfFile_)); // left by a program that died while printing
        printer_.setOutputFileName(pendingName(pdfFile_));
        if (!painter->begin(&printer_)) {
            printer_.setOutputFileName(pdfFile_);
            pdfFile_.clear();
            raiseError(qmerr::PathFileAccess, target_);
        }
    } else if (!painter->begin(&printer_)) {
        raiseError(qmerr::Printer, target_);
    }
    painter_ = std::move(painter);
    pages_ = 1;
    return *painter_;
}

void PrintJob::end(bool complete) {
    close(complete);
}

void PrintJob::close(bool complete) {
    if (!painter_) return;
    const std::unique_ptr<QPainter> painter = std::move(painter_);
    const bool ended = painter->end();
    if (pdfFile_.isEmpty()) {
        if (complete && !ended) raiseError(qmerr::Printer, QStringLiteral("the job did not print"));
        return;
    }
    const QString file = pdfFile_, pending = pendingName(file);
    pdfFile_.clear();
    printer_.setOutputFileName(file); // the choice the user made holds for the next print
    struct Removed {
        QString path;
        ~Removed() { QFile::remove(path); }
    } removed{pending};
    if (!complete) return;
    if (!ended) raiseError(qmerr::PathFileAccess, file);
    // Through the one file writer: the earlier file is replaced whole or kept as it was.
    qtext::WriteBytes(file, qtext::ReadBytes(pending));
}
