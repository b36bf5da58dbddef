// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "project/modgw.h"

#include <QString>
#include <QStringList>
#include <optional>

// The source summary definition file (".wsf"): the source count and the sources, the eleven slots of
// eight fields, the seven report information rows, the general notes and one notes block per
// source. One value a line; values are written without leading and trailing blanks, note lines as
// stored.

// What one ".wsf" holds: the definition and its notes.
struct WellSumFileData {
    WellSumDefinition Definition;
    ReportNotesBlock Notes;
};

// ---- typed core: no module variables, failures raise QmError

// Raises 53 when the file cannot be opened, 62 when it ends early, 6 for a count beyond 16 bits and
// 9 for more than 200 sources, more than 30 lines in a notes block or a negative count.
WellSumFileData readWellSumFile(const QString& path);
// The file's lines. Raises 9 for counts out of range and 5 for a value holding a line break.
QStringList wellSumFileLines(const WellSumDefinition& def, const ReportNotesBlock& notes);
// Writes the whole file or leaves the old one (75 and 61 as qtext::WriteLines).
void writeWellSumFile(const QString& path, const WellSumDefinition& def, const ReportNotesBlock& notes);

// The three grids of the source summary form as their cells show the definition, (row, col) 1-based
// as the grids address them: SS rows 1..6 are slot fields 1..6 of slots (columns) 1..11; SS2 row
// pair g holds the graph labels (row 2g-1) and scales (row 2g) of slots 3(g-1)+c+1, c = 1..3;
// SSRepInfo rows 1..7 are the information rows.
struct WellSumGrids {
    std::array<std::array<QString, WellSumDefinition::Slots + 1>, 7> SS;
    std::array<std::array<QString, 4>, 7> SS2;
    std::array<QString, WellSumDefinition::InfoRows + 1> SSRepInfo;
};

// Where a graph slot (2..10) shows in SS2: its column and its label and scale rows.
struct GraphCell {
    int col;
    int labelRow;
    int scaleRow;
};
std::optional<GraphCell> GraphCellOf(int slot); // none for slots 1 and 11, which have no graph

WellSumGrids WellSumGridsOf(const WellSumDefinition& def);
// Takes the grids into def. The sources stay, and so do the graph label and scale of slots 1 and 11,
// which no grid shows: they are written back as they were read.
void TakeWellSumGrids(const WellSumGrids& grids, WellSumDefinition& def);

// ---- the data module's procedures over modgw(); each reports its own failure with the common
// error message naming it.

// Reads path whole. A failure is reported as "Error N in OpenWellFile." and gives nothing; the
// module variables are never touched.
std::optional<WellSumFileData> LoadWellFile(const QString& path);
// Puts a definition read whole into the definition variables and ReportNotes (not WellSumFile).
void CommitWellSum(const WellSumFileData& data);

// Reads the file named by WellSumFile into the definition variables. A file that fails to read is
// reported and changes nothing; the result is false then.
bool OpenWellFile();
// Writes the definition variables to WellSumFile, or to path when given (Save As adopts the path
// only after this succeeds). A failure is reported as "Error N in SaveWellFile.", leaves the old
// file as it was and gives false, so the caller keeps the definition marked changed. The caller
// takes its grids into the variables first (TakeWellSumGrids).
bool SaveWellFile();
bool SaveWellFile(const QString& path);
// Empties the sources, slots, information rows and ReportNotes; WellSumFile stays.
void ClearWellFile();
