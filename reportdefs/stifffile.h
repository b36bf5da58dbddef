// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "project/modgw.h"

#include <QString>
#include <QStringList>
#include <optional>

// The Stiff diagram definition file (".stf"): the episode count and the episodes' start and end
// dates, the two sets (eight parameter numbers and five source names each: always 26 lines), the four
// title rows, the general notes and one notes block per episode. One value a line; values are written
// without leading and trailing blanks, note lines as stored.

// What one ".stf" holds: the definition and its notes. The run's row counts are not part of it.
struct StiffFileData {
    StiffDefinition Definition;
    ReportNotesBlock Notes;
};

// ---- typed core: no module variables, failures raise QmError

// Raises 53 when the file cannot be opened, 62 when it ends early, 6 for a number beyond 16 bits and
// 9 for more than 50 episodes, more than 30 lines in a notes block or a negative count. Parameter
// numbers are read as they stand, whatever project they name.
StiffFileData readStiffFile(const QString& path);
// The file's lines. Raises 9 for counts out of range and 5 for a value holding a line break.
QStringList stiffFileLines(const StiffDefinition& def, const ReportNotesBlock& notes);
// Writes the whole file or leaves the old one (75 and 61 as qtext::WriteLines).
void writeStiffFile(const QString& path, const StiffDefinition& def, const ReportNotesBlock& notes);

// The six grids of the form as their cells show the definition, [row][col] or [row] 1-based as the
// grids address them: SS5 one episode a row (start, end); SS1 and SS3 the parameter names of sets 1
// and 2; SS2 and SS4 their sources; SS6 the title rows.
struct StiffGrids {
    using ParamColumn = std::array<QString, StiffDefinition::ParamRows + 1>;
    using SourceColumn = std::array<QString, StiffDefinition::SourceRows + 1>;

    std::array<std::array<QString, 3>, StiffDefinition::MaxEpisodes + 1> SS5;
    ParamColumn SS1;
    SourceColumn SS2;
    ParamColumn SS3;
    SourceColumn SS4;
    std::array<QString, StiffDefinition::InfoRows + 1> SS6;

    // The last row holding text, as the grids count their used rows.
    int SS5UsedRows() const;
};

// The name of parameter k (field 1 of ParamTable); empty for a number outside 1..NumParams.
QString StiffParamName(const ModGW& project, int k);

// What FillStiffForm shows: episodes 1..StiffEpisodeCount, each set's parameter names from the
// project's table (empty for row number 0 and for a number the project does not have, which the
// definition keeps), the sources and the titles.
StiffGrids StiffGridsOf(const StiffDefinition& def, const ModGW& project);
// Takes the grids into def as a save does: the episode count from the used rows of SS5 (an empty row
// inside them is an episode with two empty dates), the episodes, the sources as typed or picked and
// the titles. Parameter numbers are not taken: only picks, Delete Parameter and Open set them.
void TakeStiffGrids(const StiffGrids& grids, StiffDefinition& def);
// Stores the used rows of SS1 to SS4 as the counts the run takes (Preview and Batch Print).
void TakeStiffRowCounts(const StiffGrids& grids, StiffDefinition& def);

// ---- the data module's procedures over modgw(); each reports its own failure with the common
// error message naming it.

// Reads path whole. A failure is reported as "Error N in OpenStiffFile." and gives nothing; the
// module variables are never touched.
std::optional<StiffFileData> LoadStiffFile(const QString& path);
// Puts a definition read whole into the definition variables and ReportNotes (not StiffFile, and
// never StiffActiveSet).
void CommitStiff(const StiffFileData& data);

// Reads the file named by StiffFile into the definition variables. A file that fails to read is
// reported and changes nothing; the result is false then.
bool OpenStiffFile();
// Takes the grids into the definition variables, then writes them to StiffFile, or to path when
// given (Save As adopts the path only after this succeeds). A failure is reported as "Error N in
// SaveStiffFile.", leaves the old file as it was and gives false, so the caller keeps the definition
// marked changed.
bool SaveStiffFile(const StiffGrids& grids);
bool SaveStiffFile(const StiffGrids& grids, const QString& path);
// Empties the episodes, both sets, the titles, the run's row counts and ReportNotes; StiffFile and
// StiffActiveSet stay.
void ClearStiffFile();
