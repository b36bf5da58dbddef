// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "project/modgw.h"

#include <QString>
#include <QStringList>
#include <optional>

// The groundwater elevation definition file (".gwf"): the parameter number, depth or elevation, the
// set count, nine lines per set (name and reference elevation of positions 1 to 4, then the scale),
// the four title rows, the general notes and one notes block per set. One value a line; values are
// written without leading and trailing blanks, note lines as stored.

// What one ".gwf" holds: the definition and its notes.
struct GWElevFileData {
    GWElevDefinition Definition;
    ReportNotesBlock Notes;
};

// ---- typed core: no module variables, failures raise QmError

// Raises 53 when the file cannot be opened, 62 when it ends early, 6 for a number beyond 16 bits and
// 9 for more than 50 sets, more than 30 lines in a notes block or a negative count.
GWElevFileData readGWElevFile(const QString& path);
// The file's lines: always 9 a set. Raises 9 for counts out of range, 5 for a value holding a line
// break.
QStringList gwElevFileLines(const GWElevDefinition& def, const ReportNotesBlock& notes);
// Writes the whole file or leaves the old one (75 and 61 as qtext::WriteLines).
void writeGWElevFile(const QString& path, const GWElevDefinition& def, const ReportNotesBlock& notes);

// The "Parameter #" cell as a parameter number: the whole text must be one number (blanks around it
// allowed), rounded half to even. Raises 13 when it is empty or not a number ("7x"), 6 beyond 16 bits.
int16_t ParameterNumberOf(const QString& cell);

// The three grids of the form as their cells show the definition, [row][col] 1-based as the grids
// address them: SS2 rows 1 "Parameter #" and 2 "Depth/Elev. (D/E)"; SS1 one set a row, columns 1..4
// the source names and 5 the scale; SS3 the title rows. Reference elevations are not shown.
struct GWElevGrids {
    static constexpr int ScaleCol = GWElevDefinition::Positions + 1;

    std::array<QString, 3> SS2;
    std::array<std::array<QString, ScaleCol + 1>, GWElevDefinition::MaxSets + 1> SS1;
    std::array<QString, GWElevDefinition::InfoRows + 1> SS3;

    // The last row of SS1 holding text in any column, as the grid counts its used rows.
    int SS1UsedRows() const;
};

// A set's "Scale: St, End, Inc" text as the run reads it: bottom, top and step, each part rounded to
// a whole number, a part 0 unless its comma is there ("250,300" gives 250, 0, 0; "45" gives 0, 0,
// 0). Raises 6 for a part beyond 16 bits.
struct GWScaleParts {
    int low = 0;
    int high = 0;
    int step = 0;
};
GWScaleParts ParseGWScale(QStringView text);
// Why the scales of the definition's sets would not be drawn as typed, naming the first such set;
// "" when every one would. An empty scale, or one whose first number rounds to 0, asks for the
// page's own scale (100 to 500 by 50) and is no fault; any other must give a top above its bottom
// and a step of 1 or more, for at most 100 ticks.
QString GWElevScaleRefusal(const GWElevDefinition& def);

// What FillGWElevForm shows: the parameter number as a number, whatever it is (a number outside the
// project's parameters is shown and kept), and sets 1..GWElevSetCount; rows past them are empty.
GWElevGrids GWElevGridsOf(const GWElevDefinition& def);
// Takes the grids into def as a save does: the parameter number (raising as ParameterNumberOf before
// anything changes), the kind, the set count from the used rows of SS1, the scales and the titles.
// Source names and reference elevations are not taken: only picks, Delete Well and Open set them.
void TakeGWElevGrids(const GWElevGrids& grids, GWElevDefinition& def);

// ---- the data module's procedures over modgw(); each reports its own failure with the common
// error message naming it.

// Reads path whole. A failure is reported as "Error N in OpenGWElevFile." and gives nothing; the
// module variables are never touched.
std::optional<GWElevFileData> LoadGWElevFile(const QString& path);
// Puts a definition read whole into the definition variables and ReportNotes (not GWElevFile).
void CommitGWElev(const GWElevFileData& data);

// Reads the file named by GWElevFile into the definition variables. A file that fails to read is
// reported and changes nothing; the result is false then.
bool OpenGWElevFile();
// Takes the grids into the definition variables, then writes them to GWElevFile, or to path when
// given (Save As adopts the path only after this succeeds). An unusable "Parameter #" is reported as
// "Error N in SaveGWElevFile.", a scale that would not draw as typed is warned with
// GWElevScaleRefusal's text; either before any file is opened and changing no variable; a failed write is
// reported the same way and leaves the old file. Either gives false, so the caller keeps the
// definition marked changed.
bool SaveGWElevFile(const GWElevGrids& grids);
bool SaveGWElevFile(const GWElevGrids& grids, const QString& path);
// Empties every one of the 50 sets (so a row filled later never brings back names or reference
// elevations of an earlier definition), the parameter, kind, titles and ReportNotes; GWElevFile
// stays.
void ClearGWElevFile();
