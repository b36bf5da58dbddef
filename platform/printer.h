// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPageLayout>
#include <QString>
#include <memory>

class MDrawPro;
class QPainter;
class QPrinter;

// The system printer every print goes to: the default printer until the user picks another or
// "Print to File (PDF)"; tests point it at a PDF file.
QPrinter& SystemPrinter();

// False when the printer has nowhere to print: no printer installed and no PDF file chosen.
bool HasPrintTarget(const QPrinter& printer);

// Where a printer's pages go, as the user knows it: the PDF file's name, else the printer's name.
QString PrintTargetName(const QPrinter& printer);

// What the progress line says once a print has ended: "N pages printed to <target>".
QString PrintedText(int pages, const QString& target);

// The message for a print with no printer to print on.
extern const QString kAddPrinterMessage;

// What a print is called, for the name its PDF is proposed under: the report and its items
// ("Source Summary MW-3"), and the folder proposed while nothing has been printed to a file yet
// (the project's).
struct PrintName {
    QString title;
    QString folder;
};

// The file name a title gives: characters a file name cannot hold become "-", blanks and dots at
// either end go; "Print" for a title that leaves nothing.
QString PrintFileTitle(const QString& title);

// The PDF file the last print went to, so that the next proposes its folder with a name of its own
// ("" until a print to a file was opened).
QString& LastPrintFile();

// One print job of any number of pages on a printer. The job opens with its first page; each page
// takes its own orientation. A PDF target is written to a pending file beside it ("<name>.pending")
// and put in place only when the job ends complete, so that a job dropped part-way leaves no file
// that looks whole and an earlier file of that name as it was. The printer's settings are as before
// afterwards.
class PrintJob {
public:
    explicit PrintJob(QPrinter& printer);
    ~PrintJob(); // a job still open is dropped
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    // Where a job's pages go, asked before its first page: every printed run opens its job here.
    // To a PDF the Save dialog asks for the file, proposing the name chosen in Print Setup while no
    // print has gone to it, else the title as a file name in the folder last printed to (else
    // name.folder); the dialog asks before an existing file is replaced. False when the user
    // cancels: nothing is printed and every file stays as it was. A printer asks nothing.
    bool open(const PrintName& name);

    // Starts the next page and returns the painter on it. Raises 482 when there is no printer to
    // print on or the page cannot start, 75 when the PDF file cannot be written.
    QPainter& newPage(QPageLayout::Orientation orientation);
    // Ends the job: complete hands it to the printer (a PDF file renamed into place); otherwise a
    // PDF is dropped and a printer gets the pages it had. Nothing when no page started. Raises 482
    // when the printer refuses the job, 75 when the PDF cannot be put in place.
    void end(bool complete);

    QPrinter& printer() const { return printer_; }
    int pages() const { return pages_; }
    QString target() const { return target_; }

private:
    void close(bool complete);

    QPrinter& printer_;
    std::unique_ptr<QPainter> painter_;
    QString target_;
    QString pdfFile_; // the file the PDF goes to, empty for a printer
    int pages_ = 0;
};

// Paints a drawing's sheet as the job's next page, fitted into the printable area and centred.
void PrintFittedSheet(PrintJob& job, const MDrawPro& drawing, QPageLayout::Orientation orientation);
