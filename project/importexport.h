// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Import and export of the sample records as text files without a header, the fields of a record in
// table order (Source, Samp_Date, Dup, the parameters): Tab-separated (".txt"), comma-separated
// (".csv") or one value a line (".ldl"). Both work on DialogFileName in the layout ExchangeFormat
// and report their own failures.

namespace exchange {
constexpr int Tab = 1;
constexpr int Comma = 2;
constexpr int Lines = 3;
// The layout named by the last three characters of the path, letter case ignored; 0 for none.
int FormatOf(const QString& path);
} // namespace exchange

// Writes every record, ordered by Source, Samp_Date and Dup, dates in DateFormat, so that the import
// reads the file back to the same records. The file is written whole or not at all: a value the
// import would not read back as it is (a separator, double quote or line break in it, blanks the
// import trims, a "/" where the one-value-a-line import looks for dates) is reported and nothing is
// written. True when the file was written.
bool ExportGWData();

// Appends the records of the file to table Data in one transaction: on any failure (a value too long
// for its field among them) no record of the file remains, and the message names the line. True
// when the records were stored.
bool ImportGWData();
