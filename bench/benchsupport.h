// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the report benches share: a program folder a report page can be drawn in, and the system
// printer writing PDF. Header-only, as every bench is a program of its own file.
#include "platform/printer.h"
#include "platform/progfolder.h"
#include "project/modgw.h"

#include <QFile>
#include <QPrinter>
#include <QString>

namespace bench {

// Makes folder the program folder, with the heading file and logo a page's heading draws and the
// date stamp a run prints.
inline void setUpReportFolder(const QString& folder) {
    SetProgramFolder(folder);
    QFile::copy(QStringLiteral(QMAR_RESOURCE_DIR "/usqmar.qlh"), folder + QStringLiteral("/usqmar.qlh"));
    QFile::copy(QStringLiteral(QMAR_RESOURCE_DIR "/logo.txt"), folder + QStringLiteral("/logo.txt"));
    modgw().HeadingFile = folder + QStringLiteral("/usqmar.qlh");
    modgw().DateStampOption = QStringLiteral("3");
}

// Sends what the system printer prints to the PDF file pdf.
inline void printToPdf(const QString& pdf) {
    QPrinter& printer = SystemPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
}

} // namespace bench
