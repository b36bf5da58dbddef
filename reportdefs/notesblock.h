// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "project/modgw.h"

#include <QString>
#include <QStringList>

namespace qtext {
class LineReader;
}

// The notes blocks of the report-definition files, and the line rules all definition codecs share.
//
// Every definition file ends with its notes: the general block (a count line, then that many lines)
// and then one item block per item of the definition, in item order (a count line, then that many
// lines). How the kinds use them:
//   .wsf  general, then items 1..NumWellList        count lines Bare ("3")
//   .psf  general, then items 1..Par1ParCount       count lines Padded (" 3 ")
//   .gwf  general, then items 1..GWElevSetCount     Bare
//   .stf  general, then items 1..StiffEpisodeCount  Bare
//   .dsf  general, then items 1..DateEpisodeCount   Bare
//   .dcf  general only                              Bare; its form writes at most 20 lines, the
//         reader takes up to 30, and reading one leaves the item notes as they are
// A reader takes its values with LineReader::next(), its counts with ReadCount(), then
// ReadGeneralNotes() and ReadItemNotes() into a ReportNotesBlock of its own. Only when the whole file
// has read does it put the definition and that block into modgw(), so a file that fails part way
// changes nothing. A writer appends ValueLine() for each value, CountLine() for each count, then
// AppendGeneralNotes() and AppendItemNotes(), and hands the lines to qtext::WriteLines. Readers take
// either count style; only writers choose.
namespace notesblock {

enum class CountStyle { Bare, Padded };

// s without leading and trailing blanks.
QString TrimBlanks(const QString& s);

// A value as written: trimmed. Raises 5 when it holds a line break, which would shift every line
// after it and make the file read back as something else.
QString ValueLine(const QString& s);
// A note line as written: as stored, blanks kept; raises 5 on a line break as ValueLine does.
QString NoteLine(const QString& s);
// A count as written; raises 9 below 0 or above limit, so nothing is written that cannot be read.
QString CountLine(int n, CountStyle style, int limit = 32767);

// Reads a count line: its leading number rounded half to even, 0 when it holds none. Raises 62 at
// the end of the file, 6 beyond 16 bits, 9 below 0 or above limit.
int16_t ReadCount(qtext::LineReader& in, int limit);

// Reads the general block into notes; general lines past the count are emptied.
void ReadGeneralNotes(qtext::LineReader& in, ReportNotesBlock& notes);
// Reads the blocks of items 1..items (raises 9 for more than 200 items); lines and items past what
// was read are emptied.
void ReadItemNotes(qtext::LineReader& in, ReportNotesBlock& notes, int items);

void AppendGeneralNotes(QStringList& out, const ReportNotesBlock& notes, CountStyle style);
// The blocks of items 1..items, however many lines the items past them hold.
void AppendItemNotes(QStringList& out, const ReportNotesBlock& notes, int items, CountStyle style);

// Every count 0 and every line empty.
void ClearNotes(ReportNotesBlock& notes);

} // namespace notesblock
