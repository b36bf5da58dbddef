// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportdefs/datecontourfile.h"

#include "platform/contour/contourgrid.h"
#include "platform/numbers.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"
#include "platform/uiservice.h"
#include "project/helpers.h"
#include "reportdefs/datesumfile.h"
#include "reportdefs/notesblock.h"

#include <algorithm>

using notesblock::CountStyle;

namespace {

using Def = DateContourDefinition;
using Grids = DateContourGrids;

constexpr int SourceFields = 3;

const QString ViewWarning = QStringLiteral("When viewing in 3-D, you must choose just 1 parameter.");

QString tooManyNotesText() {
    return QStringLiteral("You have written more that 20 lines of Notes.") +
           QStringLiteral("  The box containing the notes can only fit") +
           QStringLiteral(" 20 lines of notes.  Please reduce the number") +
           QStringLiteral(" of lines and try again.");
}

// The box's text with every line break as CR LF, the only break Text2Array knows. The box may give
// LF, CR or the paragraph and line separators of a rich text edit.
QString withCrLf(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    for (const QChar c : {QChar(u'\r'), QChar(0x2028), QChar(0x2029)})
        text.replace(c, u'\n');
    text.replace(u'\n', QLatin1String("\r\n"));
    return text;
}

} // namespace

QStringList DateContourMethods() {
    QStringList names;
    for (const GriddingMethod& m : GriddingMethods())
        names << QLatin1String(m.name);
    return names;
}

QString ContourFileTitleOf(const QString& path) {
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(cut + 1).toUpper();
}

DateContourFileData readDateContourFile(const QString& path) {
    qtext::LineReader in(path);
    DateContourFileData data;
    Def& d = data.Definition;
    d.DateParCount = notesblock::ReadCount(in, Grids::ParamRows);
    for (int i = 1; i <= d.DateParCount; ++i)
        d.DateParams[i] = qnum::ReadInt16(in.next());
    d.DateSourceCount = notesblock::ReadCount(in, Grids::SourceRows);
    for (int i = 1; i <= d.DateSourceCount; ++i)
        for (int f = 1; f <= SourceFields; ++f)
            d.DateSources[i][f] = in.next();
    for (int r = 1; r <= Def::InfoRows; ++r)
        d.DateInfo[r] = in.next();
    for (int r = 1; r <= Def::MapRows; ++r)
        d.DateMapInfo[r] = in.next();
    notesblock::ReadGeneralNotes(in, data.Notes);
    return data;
}

QStringList dateContourFileLines(const DateContourDefinition& d, const ReportNotesBlock& notes) {
    using notesblock::CountLine;
    using notesblock::ValueLine;
    QStringList out;
    out << CountLine(d.DateParCount, CountStyle::Bare, Grids::ParamRows);
    for (int i = 1; i <= d.DateParCount; ++i)
        out << QString::number(d.DateParams[i]);
    out << CountLine(d.DateSourceCount, CountStyle::Bare, Grids::SourceRows);
    for (int i = 1; i <= d.DateSourceCount; ++i)
        for (int f = 1; f <= SourceFields; ++f)
            out << ValueLine(d.DateSources[i][f]);
    for (int r = 1; r <= Def::InfoRows; ++r)
        out << ValueLine(d.DateInfo[r]);
    for (int r = 1; r <= Def::MapRows; ++r)
        out << ValueLine(d.DateMapInfo[r]);
    notesblock::AppendGeneralNotes(out, notes, CountStyle::Bare);
    return out;
}

void writeDateContourFile(const QString& path, const DateContourDefinition& def,
                          const ReportNotesBlock& notes) {
    const QStringList lines = dateContourFileLines(def, notes);
    if (path.isEmpty()) raiseError(qmerr::PathFileAccess);
    qtext::WriteLines(path, lines);
}

DateContourGrids DateContourGridsOf(const DateContourDefinition& def, const ReportNotesBlock& notes,
                                    const ModGW& project) {
    Grids g;
    for (int i = 1; i <= std::min<int>(def.DateParCount, Grids::ParamRows); ++i)
        g.SS1[i] = DateParamName(project, def.DateParams[i]);
    for (int i = 1; i <= std::min<int>(def.DateSourceCount, Grids::SourceRows); ++i)
        for (int f = 1; f <= SourceFields; ++f)
            g.SS2[i][f] = def.DateSources[i][f];
    for (int r = 1; r <= Grids::InfoRows; ++r)
        g.SS3[r] = def.DateInfo[r];
    for (int r = 1; r <= Grids::MapRows; ++r)
        g.SS4[r] = def.DateMapInfo[r];
    for (int k = 1; k <= std::clamp<int>(notes.GeneralNoteCount, 0, ReportNotesBlock::MaxLines); ++k)
        g.Text1 += notes.GeneralNotes[k] + QLatin1String("\r\n");
    return g;
}

void TakeDateContourGrids(const DateContourGrids& grids, DateContourDefinition& def) {
    def.DateParCount = int16_t(UsedRows(grids.SS1));
    for (int i = 1; i <= def.DateParCount; ++i)
        if (grids.SS1[i].isEmpty()) def.DateParams[i] = 0;
    def.DateSourceCount = int16_t(UsedRows(grids.SS2));
    for (int i = 1; i <= def.DateSourceCount; ++i)
        for (int f = 1; f <= SourceFields; ++f)
            def.DateSources[i][f] = grids.SS2[i][f];
    for (int r = 1; r <= Grids::InfoRows; ++r)
        def.DateInfo[r] = grids.SS3[r];
    for (int r = 1; r <= Grids::MapRows; ++r)
        def.DateMapInfo[r] = grids.SS4[r];
}

bool DateContourViewNeedsWarning(const DateContourDefinition& def) {
    return def.DateMapInfo[7] == QLatin1String("3D") && def.DateParCount > 1;
}

void WarnDateContourView() {
    if (DateContourViewNeedsWarning(modgw().DateSum)) ui().MsgBox(ViewWarning, vb::OKOnly);
}

bool TakeDateContourNotes(const QString& text) {
    const QString crlf = QStringLiteral("\r\n");
    const QString t = withCrLf(text);
    // Text2Array stops at its 200th line; a longer text is refused here, before it tries.
    const qsizetype pieces = t.count(crlf) + (t.endsWith(crlf) ? 0 : 1);
    ModGW& m = modgw();
    if (pieces <= ModGW::MaxTextLines) {
        Text2Array(t);
        if (m.TextLineCount <= Grids::MaxNoteLines) {
            ReportNotesBlock& n = m.ReportNotes;
            n.GeneralNoteCount = m.TextLineCount;
            for (int k = 1; k <= ReportNotesBlock::MaxLines; ++k)
                n.GeneralNotes[k] = k <= n.GeneralNoteCount ? m.TextLines[k] : QString();
            return true;
        }
    }
    warn(tooManyNotesText());
    return false;
}

std::optional<DateContourFileData> LoadDateContourFile(const QString& path) {
    std::optional<DateContourFileData> read;
    trap(QStringLiteral("OpenDateContourFile"), [&] { read = readDateContourFile(path); });
    return read;
}

void CommitDateContour(const DateContourFileData& data) {
    ModGW& m = modgw();
    Def& d = m.DateSum;
    const Def& f = data.Definition;
    d.DateParCount = f.DateParCount;
    d.DateParams = f.DateParams;
    d.DateSourceCount = f.DateSourceCount;
    for (int i = 1; i <= Def::MaxSources; ++i)
        for (int k = 1; k <= SourceFields; ++k)
            d.DateSources[i][k] = f.DateSources[i][k];
    d.DateInfo = f.DateInfo;
    d.DateMapInfo = f.DateMapInfo;
    m.ReportNotes.GeneralNoteCount = data.Notes.GeneralNoteCount;
    m.ReportNotes.GeneralNotes = data.Notes.GeneralNotes;
}

bool OpenDateContourFile() {
    const auto data = LoadDateContourFile(modgw().DateSumFile);
    if (!data) return false;
    CommitDateContour(*data);
    return true;
}

bool SaveDateContourFile() { return SaveDateContourFile(modgw().DateSumFile); }

bool SaveDateContourFile(const QString& path) {
    return trap(QStringLiteral("SaveDateContourFile"), [&] {
        const ModGW& m = modgw();
        writeDateContourFile(path, m.DateSum, m.ReportNotes);
    });
}

bool SaveDateContourForm(const DateContourGrids& grids, const QString& path) {
    TakeDateContourGrids(grids, modgw().DateSum);
    WarnDateContourView();
    if (!TakeDateContourNotes(grids.Text1)) return false;
    return SaveDateContourFile(path);
}

void ClearDateContourFile() {
    ModGW& m = modgw();
    Def& d = m.DateSum;
    for (int i = 1; i <= std::clamp<int>(d.DateParCount, 0, Def::MaxParams); ++i)
        d.DateParams[i] = 0;
    d.DateParCount = 0;
    for (int i = 1; i <= std::clamp<int>(d.DateSourceCount, 0, Def::MaxSources); ++i)
        for (int f = 1; f <= SourceFields; ++f)
            d.DateSources[i][f].clear();
    for (int r = 1; r <= Def::InfoRows; ++r)
        d.DateInfo[r].clear();
    for (int r = 1; r <= Grids::MapRows; ++r)
        d.DateMapInfo[r].clear();
    ReportNotesBlock& n = m.ReportNotes;
    for (QString& l : n.GeneralNotes)
        l.clear();
    n.GeneralNoteCount = 0;
}
