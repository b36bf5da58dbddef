// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportdefs/par1sumfile.h"

#include "platform/numbers.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"
#include "reportdefs/notesblock.h"

using notesblock::CountStyle;

namespace {

constexpr int MaxRows = Par1SumDefinition::MaxPar1Params;
constexpr int MaxSources = Par1SumDefinition::MaxPar1Sources;
constexpr int InfoRows = Par1SumDefinition::InfoRows;

void checkRow(int row) {
    if (row < 1 || row > MaxRows) raiseError(qmerr::Subscript);
}

} // namespace

Par1SumFileData readPar1SumFile(const QString& path) {
    qtext::LineReader in(path);
    Par1SumFileData data;
    Par1SumDefinition& d = data.Definition;
    d.Par1ParCount = notesblock::ReadCount(in, MaxRows);
    for (int i = 1; i <= d.Par1ParCount; ++i)
        d.Par1Params[i] = qnum::ReadInt16(in.next());
    d.Par1SourceCount = notesblock::ReadCount(in, MaxSources);
    for (int i = 1; i <= d.Par1SourceCount; ++i)
        d.Par1Sources[i] = in.next();
    for (int r = 1; r <= InfoRows; ++r)
        d.Par1Info[r] = in.next();
    notesblock::ReadGeneralNotes(in, data.Notes);
    notesblock::ReadItemNotes(in, data.Notes, d.Par1ParCount);
    return data;
}

QStringList par1SumFileLines(const Par1SumDefinition& d, const ReportNotesBlock& notes) {
    using notesblock::ValueLine;
    QStringList out;
    out << notesblock::CountLine(d.Par1ParCount, CountStyle::Bare, MaxRows);
    for (int i = 1; i <= d.Par1ParCount; ++i)
        out << QString::number(d.Par1Params[i]);
    out << notesblock::CountLine(d.Par1SourceCount, CountStyle::Bare, MaxSources);
    for (int i = 1; i <= d.Par1SourceCount; ++i)
        out << ValueLine(d.Par1Sources[i]);
    for (int r = 1; r <= InfoRows; ++r)
        out << ValueLine(d.Par1Info[r]);
    notesblock::AppendGeneralNotes(out, notes, CountStyle::Padded);
    notesblock::AppendItemNotes(out, notes, d.Par1ParCount, CountStyle::Padded);
    return out;
}

void writePar1SumFile(const QString& path, const Par1SumDefinition& def, const ReportNotesBlock& notes) {
    const QStringList lines = par1SumFileLines(def, notes);
    if (path.isEmpty()) raiseError(qmerr::PathFileAccess);
    qtext::WriteLines(path, lines);
}

QString Par1ParamName(const ModGW& project, int number) {
    if (number < 1 || number > project.NumParams || number > ModGW::MaxParams) return {};
    return project.ParamTable[number][1];
}

Par1SumGrids Par1SumGridsOf(const Par1SumDefinition& def, const ModGW& project) {
    Par1SumGrids g;
    g.SSRows = def.Par1ParCount;
    for (int i = 1; i <= g.SSRows; ++i)
        g.SS[i] = Par1ParamName(project, def.Par1Params[i]);
    g.SS2Rows = def.Par1SourceCount;
    for (int i = 1; i <= g.SS2Rows; ++i)
        g.SS2[i] = def.Par1Sources[i];
    for (int r = 1; r <= InfoRows; ++r)
        g.SS3[r] = def.Par1Info[r];
    return g;
}

void TakePar1SumGrids(const Par1SumGrids& grids, Par1SumDefinition& def) {
    int used = 0;
    for (int i = 1; i <= MaxSources; ++i)
        if (!grids.SS2[i].isEmpty()) used = i;
    def.Par1SourceCount = int16_t(used);
    for (int i = 1; i <= used; ++i)
        def.Par1Sources[i] = grids.SS2[i];
    for (int r = 1; r <= InfoRows; ++r)
        def.Par1Info[r] = grids.SS3[r];
    def.Par1ParCount = Par1ParCountOf(def);
}

int16_t Par1ParCountOf(const Par1SumDefinition& def) {
    for (int r = MaxRows; r >= 1; --r)
        if (def.Par1Params[r] != 0) return int16_t(r);
    return 0;
}

void PickPar1Param(Par1SumDefinition& def, int row, int number) {
    checkRow(row);
    def.Par1Params[row] = qnum::CInt16(number);
    def.Par1ParCount = Par1ParCountOf(def);
}

void DeletePar1Param(Par1SumDefinition& def, int row) {
    checkRow(row);
    def.Par1Params[row] = 0;
    def.Par1ParCount = Par1ParCountOf(def);
}

std::optional<Par1SumFileData> LoadPar1File(const QString& path) {
    std::optional<Par1SumFileData> read;
    trap(QStringLiteral("OpenPar1File"), [&] { read = readPar1SumFile(path); });
    return read;
}

void CommitPar1Sum(const Par1SumFileData& data) {
    ModGW& m = modgw();
    m.Par1Sum = data.Definition;
    m.ReportNotes = data.Notes;
}

bool OpenPar1File() {
    const auto data = LoadPar1File(modgw().Par1SumFile);
    if (!data) return false;
    CommitPar1Sum(*data);
    return true;
}

bool SavePar1File() {
    return SavePar1File(modgw().Par1SumFile);
}

bool SavePar1File(const QString& path) {
    return trap(QStringLiteral("SavePar1File"), [&] {
        const ModGW& m = modgw();
        writePar1SumFile(path, m.Par1Sum, m.ReportNotes);
    });
}

void ClearPar1File() {
    ModGW& m = modgw();
    m.Par1Sum = Par1SumDefinition{};
    notesblock::ClearNotes(m.ReportNotes);
}
