// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "project/modgw.h"

#include <QString>
#include <QStringList>
#include <optional>

// The date contour definition file (".dcf"): the chosen parameters' numbers, the sources with three
// fields (name, X, Y), information rows 1..6, map rows 1..7, then map rows 8..14 carried through as
// the date variables hold them (the date summary's "Pars. on Map 4" to 10, from whatever date
// definition was last read, saved or cleared), and the general notes. No item notes. One value a
// line, counts bare.

// What one ".dcf" holds. Only the general notes of Notes are used.
struct DateContourFileData {
    DateContourDefinition Definition;
    ReportNotesBlock Notes;
};

// What the form shows: its grids and its notes box Text1.
struct DateContourGrids {
    static constexpr int ParamRows = 4;    // SS1: parameter names
    static constexpr int SourceRows = 200; // SS2: source, X, Y
    static constexpr int InfoRows = 6;     // SS3
    static constexpr int MapRows = 7;      // SS4
    static constexpr int MaxNoteLines = 20;

    std::array<QString, ParamRows + 1> SS1;
    std::array<std::array<QString, 4>, SourceRows + 1> SS2; // [row][col], 1-based
    std::array<QString, InfoRows + 1> SS3;
    std::array<QString, MapRows + 1> SS4;
    QString Text1; // the general notes, each line followed by CR LF
};

// The gridding methods of map row 4, in the order of the drop-down list.
QStringList DateContourMethods();

// The bare name of a definition path, as the contour run names its files after it: what follows the
// last "/" or "\" (all of it when there is none), in capitals.
QString ContourFileTitleOf(const QString& path);

// ---- typed core: no module variables, failures raise QmError

// Raises 53 when the file cannot be opened, 62 when it ends early, 6 for a number beyond 16 bits and
// 9 for more than 4 parameters, 200 sources or 30 note lines, or a negative count.
DateContourFileData readDateContourFile(const QString& path);
// The file's lines. Raises 9 for counts the reader would refuse and 5 for a value holding a line break.
QStringList dateContourFileLines(const DateContourDefinition& def, const ReportNotesBlock& notes);
// Writes the whole file or leaves the old one (75 and 61 as qtext::WriteLines).
void writeDateContourFile(const QString& path, const DateContourDefinition& def,
                          const ReportNotesBlock& notes);

// The grids and notes box as FillDateContourForm fills them; a parameter number outside
// 1..NumParams shows an empty name.
DateContourGrids DateContourGridsOf(const DateContourDefinition& def, const ReportNotesBlock& notes,
                                    const ModGW& project);
// The save's reading of the grids (not of Text1): counts from the used rows; a parameter row whose
// name cell is empty saves 0, as on the date summary form. Source field 4 and map rows 8..14 stay.
void TakeDateContourGrids(const DateContourGrids& grids, DateContourDefinition& def);

// ---- the save's checks, over modgw()

// True when map row 7 is exactly "3D" with more than one parameter: the save warns and goes on.
bool DateContourViewNeedsWarning(const DateContourDefinition& def);
// Shows the 3-D warning (OK, default title) when DateContourViewNeedsWarning.
void WarnDateContourView();
// Splits the notes box's text with Text2Array (trailing blank lines do not count) into the general
// notes. More than 20 lines, or more than Text2Array can split, shows the 20-line message (exclamation,
// empty title) and gives false; the general notes then keep what they held, and nothing else changes.
bool TakeDateContourNotes(const QString& text);

// ---- the data module's procedures over modgw(); each reports its own failure with the common
// error message naming it.

// Reads path whole. A failure is reported as "Error N in OpenDateContourFile." and gives nothing.
std::optional<DateContourFileData> LoadDateContourFile(const QString& path);
// Puts a definition read whole into the date variables: parameters, source fields 1..3, information
// rows 1..6, map rows 1..14 and the general notes. Episodes, item notes, source field 4 and
// DateSumFile stay.
void CommitDateContour(const DateContourFileData& data);

// Reads the file named by DateSumFile. A file that fails to read is reported and changes nothing;
// the result is false then.
bool OpenDateContourFile();
// Writes the variables to DateSumFile, or to path when given. A failure is reported as "Error N in
// SaveDateContourFile.", leaves the old file and gives false.
bool SaveDateContourFile();
bool SaveDateContourFile(const QString& path);
// The form's whole save: takes the grids into the variables, warns about a 3-D view of several
// parameters, takes the notes and writes path. False when the notes were refused (nothing written)
// or the write failed.
bool SaveDateContourForm(const DateContourGrids& grids, const QString& path);
// Empties parameter slots 1..DateParCount and the count, fields 1..3 of sources 1..DateSourceCount,
// information rows 1..6, map rows 1..7 and the general notes. DateSourceCount, map rows 8..14, the
// episodes, the item notes and DateSumFile stay.
void ClearDateContourFile();
