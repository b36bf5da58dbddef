// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "project/modgw.h"

#include <QString>
#include <QStringList>
#include <optional>

// The parameter summary definition file (".psf"): the parameter count and the chosen parameter
// numbers, the source count and the source names, the five report information rows, the general
// notes and one notes block per chosen-parameter row. One value a line; the two counts and the
// numbers bare, values without leading and trailing blanks, the notes' count lines padded (" 3 "),
// note lines as stored.

// What one ".psf" holds: the definition and its notes.
struct Par1SumFileData {
    Par1SumDefinition Definition;
    ReportNotesBlock Notes;
};

// ---- typed core: no module variables, failures raise QmError

// Raises 53 when the file cannot be opened, 62 when it ends early, 6 for a count or parameter
// number beyond 16 bits and 9 for more than 200 parameters, more than 9 sources, more than 30 lines
// in a notes block or a negative count. Parameter numbers are kept as read, whatever they are.
Par1SumFileData readPar1SumFile(const QString& path);
// The file's lines. Raises 9 for counts out of range and 5 for a value holding a line break.
QStringList par1SumFileLines(const Par1SumDefinition& def, const ReportNotesBlock& notes);
// Writes the whole file or leaves the old one (75 and 61 as qtext::WriteLines).
void writePar1SumFile(const QString& path, const Par1SumDefinition& def, const ReportNotesBlock& notes);

// The name a chosen-parameter row shows: field 1 of the parameter table for numbers 1..NumParams;
// blank for 0 and for a number the project does not have (kept in the definition all the same).
QString Par1ParamName(const ModGW& project, int number);

// The three grids of the parameter summary form as FillPar1Form writes them: SS rows 1..SSRows the
// chosen parameters' names, SS2 rows 1..SS2Rows the sources, SS3 rows 1..5 the information rows.
// FillPar1Form writes no other cell.
struct Par1SumGrids {
    std::array<QString, Par1SumDefinition::MaxPar1Params + 1> SS;
    int SSRows = 0;
    std::array<QString, Par1SumDefinition::MaxPar1Sources + 1> SS2;
    int SS2Rows = 0;
    std::array<QString, Par1SumDefinition::InfoRows + 1> SS3;
};

Par1SumGrids Par1SumGridsOf(const Par1SumDefinition& def, const ModGW& project);
// SavePar1File's first step: the sources (as many as SS2's used rows) and the information rows from
// the grids. The chosen parameters are never taken from SS, whose names only show the numbers; the
// count is recounted from the numbers (Par1ParCountOf).
void TakePar1SumGrids(const Par1SumGrids& grids, Par1SumDefinition& def);

// The chosen-parameter rows counted as SS's used rows: up to the last row with a parameter number.
// A number the project lacks shows a blank cell but still counts, so it is never dropped.
int16_t Par1ParCountOf(const Par1SumDefinition& def);
// The list pick: row gets parameter number, and the count is recounted. Rows between the last one
// and row stay as they are (blank rows hold 0). Raises 9 for a row outside 1..200.
void PickPar1Param(Par1SumDefinition& def, int row, int number);
// Delete Parameter: row's number becomes 0 and the count is recounted; no row moves, and the row's
// notes stay with it. Raises 9 for a row outside 1..200.
void DeletePar1Param(Par1SumDefinition& def, int row);

// ---- the data module's procedures over modgw(); each reports its own failure with the common
// error message naming it.

// Reads path whole. A failure is reported as "Error N in OpenPar1File." and gives nothing; the
// module variables are never touched.
std::optional<Par1SumFileData> LoadPar1File(const QString& path);
// Puts a definition read whole into the definition variables and ReportNotes (not Par1SumFile).
void CommitPar1Sum(const Par1SumFileData& data);

// Reads the file named by Par1SumFile into the definition variables. A file that fails to read is
// reported and changes nothing; the result is false then.
bool OpenPar1File();
// Writes the definition variables to Par1SumFile, or to path when given (Save As adopts the path
// only after this succeeds). A failure is reported as "Error N in SavePar1File.", leaves the old
// file as it was and gives false. The caller takes its grids into the variables first
// (TakePar1SumGrids).
bool SavePar1File();
bool SavePar1File(const QString& path);
// Empties the parameters, sources, information rows and ReportNotes; Par1SumFile stays.
void ClearPar1File();
