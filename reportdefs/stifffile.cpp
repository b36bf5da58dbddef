// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportdefs/stifffile.h"

#include "platform/numbers.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"
#include "reportdefs/notesblock.h"

using notesblock::CountStyle;

namespace {

constexpr int MaxEpisodes = StiffDefinition::MaxEpisodes;
constexpr int Sets = StiffDefinition::Sets;
constexpr int ParamRows = StiffDefinition::ParamRows;
constexpr int SourceRows = StiffDefinition::SourceRows;
constexpr int InfoRows = StiffDefinition::InfoRows;

template <std::size_t N>
int16_t usedRows(const std::array<QString, N>& column) {
    for (int r = int(N) - 1; r >= 1; --r)
        if (!column[r].isEmpty()) return int16_t(r);
    return 0;
}

} // namespace

StiffFileData readStiffFile(const QString& path) {
    qtext::LineReader in(path);
    StiffFileData data;
    StiffDefinition& d = data.Definition;
    d.StiffEpisodeCount = notesblock::ReadCount(in, MaxEpisodes);
    for (int e = 1; e <= d.StiffEpisodeCount; ++e) {
        d.StiffEpisodes[1][e] = in.next();
        d.StiffEpisodes[2][e] = in.next();
    }
    for (int s = 1; s <= Sets; ++s) {
        for (int r = 1; r <= ParamRows; ++r)
            d.StiffParams[s][r] = qnum::ReadInt16(in.next());
        for (int r = 1; r <= SourceRows; ++r)
            d.StiffSources[s][r] = in.next();
    }
    for (int k = 1; k <= InfoRows; ++k)
        d.StiffInfo[k] = in.next();
    notesblock::ReadGeneralNotes(in, data.Notes);
    notesblock::ReadItemNotes(in, data.Notes, d.StiffEpisodeCount);
    return data;
}

QStringList stiffFileLines(const StiffDefinition& d, const ReportNotesBlock& notes) {
    using notesblock::ValueLine;
    QStringList out;
    out << notesblock::CountLine(d.StiffEpisodeCount, CountStyle::Bare, MaxEpisodes);
    for (int e = 1; e <= d.StiffEpisodeCount; ++e)
        out << ValueLine(d.StiffEpisodes[1][e]) << ValueLine(d.StiffEpisodes[2][e]);
    for (int s = 1; s <= Sets; ++s) {
        for (int r = 1; r <= ParamRows; ++r)
            out << QString::number(d.StiffParams[s][r]);
        for (int r = 1; r <= SourceRows; ++r)
            out << ValueLine(d.StiffSources[s][r]);
    }
    for (int k = 1; k <= InfoRows; ++k)
        out << ValueLine(d.StiffInfo[k]);
    notesblock::AppendGeneralNotes(out, notes, CountStyle::Bare);
    notesblock::AppendItemNotes(out, notes, d.StiffEpisodeCount, CountStyle::Bare);
    return out;
}

void writeStiffFile(const QString& path, const StiffDefinition& def, const ReportNotesBlock& notes) {
    const QStringList lines = stiffFileLines(def, notes);
    if (path.isEmpty()) raiseError(qmerr::PathFileAccess);
    qtext::WriteLines(path, lines);
}

int StiffGrids::SS5UsedRows() const {
    for (int r = MaxEpisodes; r >= 1; --r)
        if (!SS5[r][1].isEmpty() || !SS5[r][2].isEmpty()) return r;
    return 0;
}

QString StiffParamName(const ModGW& project, int k) {
    // A file from another project may name parameters this one does not have: the row shows no name
    // and keeps its number, rather than stopping the fill or reading past the table.
    if (k < 1 || k > project.NumParams || k > ModGW::MaxParams) return {};
    return project.ParamTable[k][1];
}

StiffGrids StiffGridsOf(const StiffDefinition& def, const ModGW& project) {
    StiffGrids g;
    for (int e = 1; e <= def.StiffEpisodeCount && e <= MaxEpisodes; ++e) {
        g.SS5[e][1] = def.StiffEpisodes[1][e];
        g.SS5[e][2] = def.StiffEpisodes[2][e];
    }
    for (int r = 1; r <= ParamRows; ++r) {
        g.SS1[r] = StiffParamName(project, def.StiffParams[1][r]);
        g.SS3[r] = StiffParamName(project, def.StiffParams[2][r]);
    }
    for (int r = 1; r <= SourceRows; ++r) {
        g.SS2[r] = def.StiffSources[1][r];
        g.SS4[r] = def.StiffSources[2][r];
    }
    for (int k = 1; k <= InfoRows; ++k)
        g.SS6[k] = def.StiffInfo[k];
    return g;
}

void TakeStiffGrids(const StiffGrids& grids, StiffDefinition& def) {
    def.StiffEpisodeCount = int16_t(grids.SS5UsedRows());
    for (int e = 1; e <= def.StiffEpisodeCount; ++e) {
        def.StiffEpisodes[1][e] = grids.SS5[e][1];
        def.StiffEpisodes[2][e] = grids.SS5[e][2];
    }
    for (int r = 1; r <= SourceRows; ++r) {
        def.StiffSources[1][r] = grids.SS2[r];
        def.StiffSources[2][r] = grids.SS4[r];
    }
    for (int k = 1; k <= InfoRows; ++k)
        def.StiffInfo[k] = grids.SS6[k];
}

void TakeStiffRowCounts(const StiffGrids& grids, StiffDefinition& def) {
    def.StiffParCount[1] = usedRows(grids.SS1);
    def.StiffSourceCount[1] = usedRows(grids.SS2);
    def.StiffParCount[2] = usedRows(grids.SS3);
    def.StiffSourceCount[2] = usedRows(grids.SS4);
}

std::optional<StiffFileData> LoadStiffFile(const QString& path) {
    std::optional<StiffFileData> read;
    trap(QStringLiteral("OpenStiffFile"), [&] { read = readStiffFile(path); });
    return read;
}

void CommitStiff(const StiffFileData& data) {
    ModGW& m = modgw();
    m.Stiff = data.Definition;
    m.ReportNotes = data.Notes;
}

bool OpenStiffFile() {
    const auto data = LoadStiffFile(modgw().StiffFile);
    if (!data) return false;
    CommitStiff(*data);
    return true;
}

bool SaveStiffFile(const StiffGrids& grids) { return SaveStiffFile(grids, modgw().StiffFile); }

bool SaveStiffFile(const StiffGrids& grids, const QString& path) {
    return trap(QStringLiteral("SaveStiffFile"), [&] {
        ModGW& m = modgw();
        TakeStiffGrids(grids, m.Stiff);
        writeStiffFile(path, m.Stiff, m.ReportNotes);
    });
}

void ClearStiffFile() {
    ModGW& m = modgw();
    m.Stiff = StiffDefinition{};
    notesblock::ClearNotes(m.ReportNotes);
}
