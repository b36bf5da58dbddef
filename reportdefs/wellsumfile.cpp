// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportdefs/wellsumfile.h"

#include "platform/qmerror.h"
#include "platform/textfile.h"
#include "reportdefs/notesblock.h"

using notesblock::CountStyle;

namespace {

constexpr int Slots = WellSumDefinition::Slots;
constexpr int Fields = WellSumDefinition::SlotFields;
constexpr int InfoRows = WellSumDefinition::InfoRows;
constexpr int TableRows = 6; // slot fields 1..6 show in SS; 7 and 8 in SS2

void clearDefinition(WellSumDefinition& d) {
    d.NumWellList = 0;
    for (QString& s : d.WellList)
        s.clear();
    for (auto& slot : d.WellSumGrid)
        for (QString& f : slot)
            f.clear();
    for (QString& s : d.WellSumInfo)
        s.clear();
}

} // namespace

WellSumFileData readWellSumFile(const QString& path) {
    qtext::LineReader in(path);
    WellSumFileData data;
    WellSumDefinition& d = data.Definition;
    d.NumWellList = notesblock::ReadCount(in, WellSumDefinition::MaxWellList);
    for (int i = 1; i <= d.NumWellList; ++i)
        d.WellList[i] = in.next();
    for (int s = 1; s <= Slots; ++s)
        for (int f = 1; f <= Fields; ++f)
            d.WellSumGrid[s][f] = in.next();
    for (int r = 1; r <= InfoRows; ++r)
        d.WellSumInfo[r] = in.next();
    notesblock::ReadGeneralNotes(in, data.Notes);
    notesblock::ReadItemNotes(in, data.Notes, d.NumWellList);
    return data;
}

QStringList wellSumFileLines(const WellSumDefinition& d, const ReportNotesBlock& notes) {
    using notesblock::ValueLine;
    QStringList out;
    out << notesblock::CountLine(d.NumWellList, CountStyle::Bare, WellSumDefinition::MaxWellList);
    for (int i = 1; i <= d.NumWellList; ++i)
        out << ValueLine(d.WellList[i]);
    for (int s = 1; s <= Slots; ++s)
        for (int f = 1; f <= Fields; ++f)
            out << ValueLine(d.WellSumGrid[s][f]);
    for (int r = 1; r <= InfoRows; ++r)
        out << ValueLine(d.WellSumInfo[r]);
    notesblock::AppendGeneralNotes(out, notes, CountStyle::Bare);
    notesblock::AppendItemNotes(out, notes, d.NumWellList, CountStyle::Bare);
    return out;
}

void writeWellSumFile(const QString& path, const WellSumDefinition& def, const ReportNotesBlock& notes) {
    const QStringList lines = wellSumFileLines(def, notes);
    if (path.isEmpty()) raiseError(qmerr::PathFileAccess);
    qtext::WriteLines(path, lines);
}

std::optional<GraphCell> GraphCellOf(int slot) {
    if (slot < 2 || slot > 10) return std::nullopt;
    const int k = slot - 1;          // graph 1..9
    const int g = (k - 1) / 3 + 1;   // its row of graphs
    return GraphCell{k - 3 * (g - 1), 2 * g - 1, 2 * g};
}

WellSumGrids WellSumGridsOf(const WellSumDefinition& def) {
    WellSumGrids g;
    for (int s = 1; s <= Slots; ++s) {
        for (int f = 1; f <= TableRows; ++f)
            g.SS[f][s] = def.WellSumGrid[s][f];
        if (const auto c = GraphCellOf(s)) {
            g.SS2[c->labelRow][c->col] = def.WellSumGrid[s][7];
            g.SS2[c->scaleRow][c->col] = def.WellSumGrid[s][8];
        }
    }
    for (int r = 1; r <= InfoRows; ++r)
        g.SSRepInfo[r] = def.WellSumInfo[r];
    return g;
}

void TakeWellSumGrids(const WellSumGrids& grids, WellSumDefinition& def) {
    for (int s = 1; s <= Slots; ++s) {
        for (int f = 1; f <= TableRows; ++f)
            def.WellSumGrid[s][f] = grids.SS[f][s];
        if (const auto c = GraphCellOf(s)) {
            def.WellSumGrid[s][7] = grids.SS2[c->labelRow][c->col];
            def.WellSumGrid[s][8] = grids.SS2[c->scaleRow][c->col];
        }
    }
    for (int r = 1; r <= InfoRows; ++r)
        def.WellSumInfo[r] = grids.SSRepInfo[r];
}

std::optional<WellSumFileData> LoadWellFile(const QString& path) {
    std::optional<WellSumFileData> read;
    trap(QStringLiteral("OpenWellFile"), [&] { read = readWellSumFile(path); });
    return read;
}

void CommitWellSum(const WellSumFileData& data) {
    ModGW& m = modgw();
    m.WellSum = data.Definition;
    m.ReportNotes = data.Notes;
}

bool OpenWellFile() {
    const auto data = LoadWellFile(modgw().WellSumFile);
    if (!data) return false;
    CommitWellSum(*data);
    return true;
}

bool SaveWellFile() { return SaveWellFile(modgw().WellSumFile); }

bool SaveWellFile(const QString& path) {
    return trap(QStringLiteral("SaveWellFile"), [&] {
        const ModGW& m = modgw();
        writeWellSumFile(path, m.WellSum, m.ReportNotes);
    });
}

void ClearWellFile() {
    ModGW& m = modgw();
    clearDefinition(m.WellSum);
    notesblock::ClearNotes(m.ReportNotes);
}
