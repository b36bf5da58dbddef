// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// Printed pages are checked by reading the PDF back with poppler's tools (poppler-utils).

// What program writes to standard output when run with args; empty when it cannot be run.
QString runTool(const QString& program, const QStringList& args);

// One field of pdfinfo's report ("Pages", "Page size"), trimmed; empty when it gives none.
QString pdfInfo(const QString& pdf, const QString& field);

// The text of every page, as pdftotext lays it out.
QString pdfText(const QString& pdf);

// The first page at dpi dots per inch, drawn by pdftoppm into base + ".png".
QImage pdfPageImage(const QString& pdf, const QString& base, int dpi);
