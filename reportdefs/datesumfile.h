// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "project/modgw.h"

#include <QString>
#include <QStringList>
#include <optional>

// The date summary definition file (".dsf"): the episodes, the chosen parameters' numbers, the
// sources with four fields, information rows 1..5, map rows 1..14, the general notes and one notes
// block per episode. One value a line, counts bare; values written without leading and trailing
// blanks, note lines as stored. The date contour file (datecontourfile.h) keeps the same variables.

// What one ".dsf" holds: the definition and its notes.
struct DateSumFileData {
    DateSumDefinition Definition;
    ReportNotesBlock Notes;
};

// What the form's grids hold: more than this is refused by the reader and the writer, since the next
// save from the form would drop it without a word.
struct DateSumGrids {
    static constexpr int EpisodeRows = 50; // SS5: start date, end date
    static constexpr int ParamRows = 9;    // SS1: parameter names
    static constexpr int SourceRows = 39;  // SS2: source, Abv/Blw, X, Y
    static constexpr int InfoRows = 5;     // SS3
    static constexpr int MapRows = 14;     // SS4

    std::array<std::array<QString, 3>, EpisodeRows + 1> SS5; // [row][col], 1-based
    std::array<QString, ParamRows + 1> SS1;
    std::array<std::array<QString, 5>, SourceRows + 1> SS2;  // [row][col]
    std::array<QString, InfoRows + 1> SS3;
    std::array<QString, MapRows + 1> SS4;
};

// ---- typed core: no module variables, failures raise QmError

// Raises 53 when the file cannot be opened, 62 when it ends early, 6 for a number beyond 16 bits and
// 9 for more than 50 episodes, 9 parameters, 39 sources or 30 lines in a notes block, or a negative
// count.
DateSumFileData readDateSumFile(const QString& path);
// The file's lines as the definition stands (the axis rule is the save's, not the writer's). Raises
// 9 for counts the reader would refuse and 5 for a value holding a line break.
QStringList dateSumFileLines(const DateSumDefinition& def, const ReportNotesBlock& notes);
// Writes the whole file or leaves the old one (75 and 61 as qtext::WriteLines).
void writeDateSumFile(const QString& path, const DateSumDefinition& def, const ReportNotesBlock& notes);

// The axis row the save fills in from the sources' positions, each read as its text's leading number
// in single precision: the range rounded out to tens, widened to the next multiple of 100 above its
// span (a span already a multiple of 100 gains 100) and centred, with five intervals: "lo,hi,inc".
// No positions count as one at 0. Computed wide, so any span gives its row; "" only for a position
// beyond 10^15, past which the row could not be exact (the report then uses its default range).
QString DateAxisRow(const QStringList& positions);
// Fills the X row (DateMapInfo 1, from source field 3) and then the Y row (DateMapInfo 2, from field
// 4) over sources 1..DateSourceCount, each only when it and "Pars. on Map 1" (row 5) are both empty
// (blanks only count as empty: the file would hold an empty line).
void FillDateAxisRows(DateSumDefinition& def);

// The name of parameter row n of the project's ParamTable; "" for 0 and for any number outside
// 1..NumParams, so a definition made for another project still shows.
QString DateParamName(const ModGW& project, int n);
// The last row holding any text: the grid's used row count.
template <size_t Rows, size_t Cols>
int UsedRows(const std::array<std::array<QString, Cols>, Rows>& rows) {
    for (int r = int(Rows) - 1; r >= 1; --r)
        for (size_t c = 1; c < Cols; ++c)
            if (!rows[r][c].isEmpty()) return r;
    return 0;
}
template <size_t Rows>
int UsedRows(const std::array<QString, Rows>& rows) {
    for (int r = int(Rows) - 1; r >= 1; --r)
        if (!rows[r].isEmpty()) return r;
    return 0;
}

// The grids as FillDateForm fills them.
DateSumGrids DateSumGridsOf(const DateSumDefinition& def, const ModGW& project);
// The save's reading of the grids: the counts are the grids' used rows. The parameter numbers stay
// as the picks and deletes stored them, except that a row whose name cell is empty saves 0: the
// variables may still hold a number the other date form or an earlier definition left there.
void TakeDateSumGrids(const DateSumGrids& grids, DateSumDefinition& def);

// ---- the data module's procedures over modgw(); each reports its own failure with the common
// error message naming it.

// Reads path whole. A failure is reported as "Error N in OpenDateFile." and gives nothing; the module
// variables are never touched.
std::optional<DateSumFileData> LoadDateFile(const QString& path);
// Puts a definition read whole into the date variables and ReportNotes (information row 6, which a
// ".dsf" does not hold, and DateSumFile stay).
void CommitDateSum(const DateSumFileData& data);

// Reads the file named by DateSumFile into the variables. A file that fails to read is reported and
// changes nothing; the result is false then.
bool OpenDateFile();
// Fills the axis rows (FillDateAxisRows) and writes the variables to DateSumFile, or to path when
// given. The filled rows go into DateMapInfo only when the file is written. A failure is reported as
// "Error N in SaveDateFile.", leaves the old file and gives false. The caller takes its grids into the
// variables first (TakeDateSumGrids).
bool SaveDateFile();
bool SaveDateFile(const QString& path);
// Empties episodes 1..DateEpisodeCount (the count becomes 0), parameter slots 1..9 and the count,
// the four fields of sources 1..DateSourceCount, information rows 1..5, map rows 1..14 and
// ReportNotes. DateSourceCount and DateSumFile stay; the next save sets the count from the grid.
void ClearDateFile();
