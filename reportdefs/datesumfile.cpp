// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportdefs/datesumfile.h"

#include "platform/numbers.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"
#include "reportdefs/notesblock.h"

#include <algorithm>
#include <cmath>

using notesblock::CountStyle;

namespace {

using Def = DateSumDefinition;
using Grids = DateSumGrids;

constexpr int SumInfoRows = Grids::InfoRows; // row 6 is the contour's "Page Text"
constexpr double AxisLimit = 1e15;           // positions beyond cannot give an exact row

} // namespace

DateSumFileData readDateSumFile(const QString& path) {
    qtext::LineReader in(path);
    DateSumFileData data;
    Def& d = data.Definition;
    d.DateEpisodeCount = notesblock::ReadCount(in, Grids::EpisodeRows);
    for (int i = 1; i <= d.DateEpisodeCount; ++i) {
        d.DateEpisodes[1][i] = in.next();
        d.DateEpisodes[2][i] = in.next();
    }
    d.DateParCount = notesblock::ReadCount(in, Grids::ParamRows);
    for (int i = 1; i <= d.DateParCount; ++i)
        d.DateParams[i] = qnum::ReadInt16(in.next());
    d.DateSourceCount = notesblock::ReadCount(in, Grids::SourceRows);
    for (int i = 1; i <= d.DateSourceCount; ++i)
        for (int f = 1; f <= Def::SourceFields; ++f)
            d.DateSources[i][f] = in.next();
    for (int r = 1; r <= SumInfoRows; ++r)
        d.DateInfo[r] = in.next();
    for (int r = 1; r <= Def::MapRows; ++r)
        d.DateMapInfo[r] = in.next();
    notesblock::ReadGeneralNotes(in, data.Notes);
    notesblock::ReadItemNotes(in, data.Notes, d.DateEpisodeCount);
    return data;
}

QStringList dateSumFileLines(const DateSumDefinition& d, const ReportNotesBlock& notes) {
    using notesblock::CountLine;
    using notesblock::ValueLine;
    QStringList out;
    out << CountLine(d.DateEpisodeCount, CountStyle::Bare, Grids::EpisodeRows);
    for (int i = 1; i <= d.DateEpisodeCount; ++i)
        out << ValueLine(d.DateEpisodes[1][i]) << ValueLine(d.DateEpisodes[2][i]);
    out << CountLine(d.DateParCount, CountStyle::Bare, Grids::ParamRows);
    for (int i = 1; i <= d.DateParCount; ++i)
        out << QString::number(d.DateParams[i]);
    out << CountLine(d.DateSourceCount, CountStyle::Bare, Grids::SourceRows);
    for (int i = 1; i <= d.DateSourceCount; ++i)
        for (int f = 1; f <= Def::SourceFields; ++f)
            out << ValueLine(d.DateSources[i][f]);
    for (int r = 1; r <= SumInfoRows; ++r)
        out << ValueLine(d.DateInfo[r]);
    for (int r = 1; r <= Def::MapRows; ++r)
        out << ValueLine(d.DateMapInfo[r]);
    notesblock::AppendGeneralNotes(out, notes, CountStyle::Bare);
    notesblock::AppendItemNotes(out, notes, d.DateEpisodeCount, CountStyle::Bare);
    return out;
}

void writeDateSumFile(const QString& path, const DateSumDefinition& def, const ReportNotesBlock& notes) {
    const QStringList lines = dateSumFileLines(def, notes);
    if (path.isEmpty()) raiseError(qmerr::PathFileAccess);
    qtext::WriteLines(path, lines);
}

QString DateAxisRow(const QStringList& positions) {
    double lo = 0;
    double hi = 0;
    for (qsizetype k = 0; k < positions.size(); ++k) {
        const double n = qnum::LeadingNumber(positions[k]);
        if (std::fabs(n) > AxisLimit) return {};
        const double v = static_cast<float>(n);
        lo = k == 0 ? v : std::min(lo, v);
        hi = k == 0 ? v : std::max(hi, v);
    }
    // Whole numbers from here on, well inside 64 bits.
    const int64_t first = int64_t(std::floor(lo / 10)) * 10;
    const int64_t last = int64_t(std::floor((hi + 10) / 10)) * 10;
    const int64_t span = last - first;             // at least 10
    const int64_t widened = (span + 100) / 100 * 100;
    const int64_t half = (widened - span) / 2;     // a multiple of 5: both are multiples of 10
    return QStringLiteral("%1,%2,%3").arg(first - half).arg(last + half).arg(widened / 5);
}

void FillDateAxisRows(DateSumDefinition& def) {
    auto empty = [](const QString& s) { return notesblock::TrimBlanks(s).isEmpty(); };
    const int sources = std::clamp<int>(def.DateSourceCount, 0, Def::MaxSources);
    for (const auto& [row, field] : {std::pair{1, 3}, std::pair{2, 4}}) {
        if (!empty(def.DateMapInfo[row]) || !empty(def.DateMapInfo[5])) continue;
        QStringList positions;
        for (int i = 1; i <= sources; ++i)
            positions << def.DateSources[i][field];
        def.DateMapInfo[row] = DateAxisRow(positions);
    }
}

QString DateParamName(const ModGW& project, int n) {
    if (n < 1 || n > project.NumParams || n > ModGW::MaxParams) return {};
    return project.ParamTable[n][1];
}

DateSumGrids DateSumGridsOf(const DateSumDefinition& def, const ModGW& project) {
    Grids g;
    for (int i = 1; i <= std::min<int>(def.DateEpisodeCount, Grids::EpisodeRows); ++i) {
        g.SS5[i][1] = def.DateEpisodes[1][i];
        g.SS5[i][2] = def.DateEpisodes[2][i];
    }
    for (int i = 1; i <= std::min<int>(def.DateParCount, Grids::ParamRows); ++i)
        g.SS1[i] = DateParamName(project, def.DateParams[i]);
    for (int i = 1; i <= std::min<int>(def.DateSourceCount, Grids::SourceRows); ++i)
        for (int f = 1; f <= Def::SourceFields; ++f)
            g.SS2[i][f] = def.DateSources[i][f];
    for (int r = 1; r <= Grids::InfoRows; ++r)
        g.SS3[r] = def.DateInfo[r];
    for (int r = 1; r <= Grids::MapRows; ++r)
        g.SS4[r] = def.DateMapInfo[r];
    return g;
}

void TakeDateSumGrids(const DateSumGrids& grids, DateSumDefinition& def) {
    def.DateEpisodeCount = int16_t(UsedRows(grids.SS5));
    for (int i = 1; i <= def.DateEpisodeCount; ++i) {
        def.DateEpisodes[1][i] = grids.SS5[i][1];
        def.DateEpisodes[2][i] = grids.SS5[i][2];
    }
    def.DateParCount = int16_t(UsedRows(grids.SS1));
    for (int i = 1; i <= def.DateParCount; ++i)
        if (grids.SS1[i].isEmpty()) def.DateParams[i] = 0;
    def.DateSourceCount = int16_t(UsedRows(grids.SS2));
    for (int i = 1; i <= def.DateSourceCount; ++i)
        for (int f = 1; f <= Def::SourceFields; ++f)
            def.DateSources[i][f] = grids.SS2[i][f];
    for (int r = 1; r <= Grids::InfoRows; ++r)
        def.DateInfo[r] = grids.SS3[r];
    for (int r = 1; r <= Grids::MapRows; ++r)
        def.DateMapInfo[r] = grids.SS4[r];
}

std::optional<DateSumFileData> LoadDateFile(const QString& path) {
    std::optional<DateSumFileData> read;
    trap(QStringLiteral("OpenDateFile"), [&] { read = readDateSumFile(path); });
    return read;
}

void CommitDateSum(const DateSumFileData& data) {
    ModGW& m = modgw();
    const QString pageText = m.DateSum.DateInfo[6];
    m.DateSum = data.Definition;
    m.DateSum.DateInfo[6] = pageText;
    m.ReportNotes = data.Notes;
}

bool OpenDateFile() {
    const auto data = LoadDateFile(modgw().DateSumFile);
    if (!data) return false;
    CommitDateSum(*data);
    return true;
}

bool SaveDateFile() { return SaveDateFile(modgw().DateSumFile); }

bool SaveDateFile(const QString& path) {
    return trap(QStringLiteral("SaveDateFile"), [&] {
        ModGW& m = modgw();
        // The rule works on a copy so that a failed write leaves the rows as the grid gave them.
        Def filled = m.DateSum;
        FillDateAxisRows(filled);
        writeDateSumFile(path, filled, m.ReportNotes);
        m.DateSum.DateMapInfo[1] = filled.DateMapInfo[1];
        m.DateSum.DateMapInfo[2] = filled.DateMapInfo[2];
    });
}

void ClearDateFile() {
    ModGW& m = modgw();
    Def& d = m.DateSum;
    for (int i = 1; i <= std::clamp<int>(d.DateEpisodeCount, 0, Def::MaxEpisodes); ++i) {
        d.DateEpisodes[1][i].clear();
        d.DateEpisodes[2][i].clear();
    }
    d.DateEpisodeCount = 0;
    d.DateParCount = 0;
    for (int i = 1; i <= Grids::ParamRows; ++i)
        d.DateParams[i] = 0;
    for (int i = 1; i <= std::clamp<int>(d.DateSourceCount, 0, Def::MaxSources); ++i)
        for (int f = 1; f <= Def::SourceFields; ++f)
            d.DateSources[i][f].clear();
    for (int r = 1; r <= SumInfoRows; ++r)
        d.DateInfo[r].clear();
    for (int r = 1; r <= Def::MapRows; ++r)
        d.DateMapInfo[r].clear();
    notesblock::ClearNotes(m.ReportNotes);
}
