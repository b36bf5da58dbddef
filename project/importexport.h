// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// Import and export of the sample records as text files without a header, the fields of a record in
// table order (Source, Samp_Date, Dup, the parameters): Tab-separated (".txt"), comma-separated
// (".csv") or one value a line (".ldl"). The typed calls take the file, the layout and the database
// and return what came of it; ImportGWData and ExportGWData run them on DialogFileName in the layout
// ExchangeFormat for the open project and report what went wrong.

namespace exchange {
constexpr int Tab = 1;
constexpr int Comma = 2;
constexpr int Lines = 3;
// The layout named by the last three characters of the path, letter case ignored; 0 for none.
int FormatOf(const QString& path);

// What an import or an export came to: done, or not done with the message that tells the user why.
// Not done, nothing changed: no record of the file is stored, no file is written.
struct Result {
    bool done = false;
    QString message;
    qint64 stored = 0; // the records stored, when done
};

// Writes every record of the database's table Data (Source, Samp_Date, Dup and the first params
// parameter fields) to path, ordered by Source, Samp_Date and Dup, dates in the current date order,
// so that the import reads the file back to the same records. A value the import would not read back
// as it is (a separator, double quote or line break in it, blanks the import trims, a "/" where the
// one-value-a-line import looks for dates) refuses the export. A database that cannot be opened or
// read to the end, or a file that cannot be written, raises QmError; the file is written whole or not
// at all.
Result ExportRecords(const QString& path, int layout, const QString& databaseFile, int params);

// The records of an import file whose sources the project does not have: how many, and the first
// few names in file order with the line of each one's first record (more: there are others).
struct UnknownSources {
    static constexpr int Named = 5;
    qint64 records = 0;
    QStringList first;
    QList<int> lines;
    bool more = false;
    int layout = Tab;
};
// Asked once when a file holds records of unknown sources: true stores only the records of the
// project's sources, false nothing.
using AskUnknownSources = std::function<bool(const UnknownSources&)>;
// The question ImportGWData puts.
QString UnknownSourcesQuestion(const UnknownSources& unknown);

// Appends the records of the file at path to table Data of the database in one transaction, taking
// up to params parameter values a record. The file is streamed, never held whole. A refused file or
// a fault on one of its lines (a value too long for its field among them) stores no record of it,
// and the message names the line. With knownSources (the project's, compared as the database does,
// letter case aside), a file holding records of other sources is first put to askUnknown; its No
// (or no askUnknown) stores nothing and gives not done with no message. A file or database that
// cannot be opened raises QmError.
Result ImportRecords(const QString& path, int layout, const QString& databaseFile, int params,
                     const std::optional<QStringList>& knownSources = std::nullopt,
                     const AskUnknownSources& askUnknown = {});
} // namespace exchange

// ExportRecords for the open project; a refusal is warned, a fault shown as "Error N in
// ExportGWData.". True when the file was written.
bool ExportGWData();

// ImportRecords for the open project and its sources; the question about unknown sources is a Yes/No
// box, No by default; whatever else stops it is warned ("Cannot Import: ..."). True when the records
// were stored, and then a box says how many.
bool ImportGWData();
