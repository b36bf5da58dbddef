// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportdefs/gwelevfile.h"

#include "platform/numbers.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"
#include "platform/uiservice.h"
#include "reportdefs/notesblock.h"

#include <QRegularExpression>

using notesblock::CountStyle;

namespace {

constexpr int MaxSets = GWElevDefinition::MaxSets;
constexpr int Positions = GWElevDefinition::Positions;
constexpr int InfoRows = GWElevDefinition::InfoRows;

} // namespace

GWElevFileData readGWElevFile(const QString& path) {
    qtext::LineReader in(path);
    GWElevFileData data;
    GWElevDefinition& d = data.Definition;
    d.GWElevParameter = qnum::ReadInt16(in.next());
    d.GWElevKind = in.next();
    d.GWElevSetCount = notesblock::ReadCount(in, MaxSets);
    for (int i = 1; i <= d.GWElevSetCount; ++i) {
        for (int p = 1; p <= Positions; ++p) {
            d.GWElevSetSources[i][p] = in.next();
            d.GWElevSetValues[i][p] = in.next();
        }
        d.GWElevSetScales[i] = in.next();
    }
    for (int r = 1; r <= InfoRows; ++r)
        d.GWElevInfo[r] = in.next();
    notesblock::ReadGeneralNotes(in, data.Notes);
    notesblock::ReadItemNotes(in, data.Notes, d.GWElevSetCount);
    return data;
}

QStringList gwElevFileLines(const GWElevDefinition& d, const ReportNotesBlock& notes) {
    using notesblock::ValueLine;
    QStringList out;
    out << QString::number(d.GWElevParameter);
    out << ValueLine(d.GWElevKind);
    out << notesblock::CountLine(d.GWElevSetCount, CountStyle::Bare, MaxSets);
    for (int i = 1; i <= d.GWElevSetCount; ++i) {
        for (int p = 1; p <= Positions; ++p)
            out << ValueLine(d.GWElevSetSources[i][p]) << ValueLine(d.GWElevSetValues[i][p]);
        out << ValueLine(d.GWElevSetScales[i]);
    }
    for (int r = 1; r <= InfoRows; ++r)
        out << ValueLine(d.GWElevInfo[r]);
    notesblock::AppendGeneralNotes(out, notes, CountStyle::Bare);
    notesblock::AppendItemNotes(out, notes, d.GWElevSetCount, CountStyle::Bare);
    return out;
}

void writeGWElevFile(const QString& path, const GWElevDefinition& def, const ReportNotesBlock& notes) {
    const QStringList lines = gwElevFileLines(def, notes);
    if (path.isEmpty()) raiseError(qmerr::PathFileAccess);
    qtext::WriteLines(path, lines);
}

int16_t ParameterNumberOf(const QString& cell) {
    // The leading-number reader would take "7x" as 7 and "" as 0; a typed number must be all there is.
    static const QRegularExpression number(
        QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eEdD][+-]?\\d+)?$"));
    const QString text = notesblock::TrimBlanks(cell);
    if (!number.match(text).hasMatch()) raiseError(qmerr::TypeMismatch);
    return qnum::CInt16(qnum::LeadingNumber(text));
}

GWScaleParts ParseGWScale(QStringView text) {
    GWScaleParts parts;
    const qsizetype first = text.indexOf(u',');
    if (first < 0) return parts;
    QStringView low = text.left(first);
    while (!low.isEmpty() && low.back() == u' ')
        low.chop(1);
    parts.low = qnum::ReadInt16(low);
    const qsizetype second = text.indexOf(u',', first + 1);
    if (second >= 0) {
        parts.high = qnum::ReadInt16(text.mid(first + 1, second - first - 1));
        parts.step = qnum::ReadInt16(text.mid(second + 1));
    }
    return parts;
}

QString GWElevScaleRefusal(const GWElevDefinition& def) {
    for (int i = 1; i <= def.GWElevSetCount && i <= MaxSets; ++i) {
        const QString& scale = def.GWElevSetScales[i];
        if (notesblock::TrimBlanks(scale).isEmpty() || qnum::RoundHalfEven(qnum::LeadingNumber(scale)) == 0)
            continue;
        bool draws = false;
        try {
            const GWScaleParts p = ParseGWScale(scale);
            draws = p.low != 0 && p.high > p.low && p.step > 0 && (p.high - p.low) / p.step < 100;
        } catch (const QmError&) {
            // A part beyond 16 bits cannot be drawn either.
        }
        if (!draws)
            return QStringLiteral("Source Set %1: the scale \"%2\" cannot be drawn as typed.  The scale is three "
                                  "whole numbers, bottom, top and step, e.g. \"45,50,1\": the top above the "
                                  "bottom and a step of 1 or more, for at most 100 ticks.")
                .arg(i)
                .arg(scale);
    }
    return {};
}

int GWElevGrids::SS1UsedRows() const {
    for (int r = MaxSets; r >= 1; --r)
        for (int c = 1; c <= ScaleCol; ++c)
            if (!SS1[r][c].isEmpty()) return r;
    return 0;
}

GWElevGrids GWElevGridsOf(const GWElevDefinition& def) {
    GWElevGrids g;
    g.SS2[1] = QString::number(def.GWElevParameter);
    g.SS2[2] = def.GWElevKind;
    for (int i = 1; i <= def.GWElevSetCount && i <= MaxSets; ++i) {
        for (int p = 1; p <= Positions; ++p)
            g.SS1[i][p] = def.GWElevSetSources[i][p];
        g.SS1[i][GWElevGrids::ScaleCol] = def.GWElevSetScales[i];
    }
    for (int r = 1; r <= InfoRows; ++r)
        g.SS3[r] = def.GWElevInfo[r];
    return g;
}

void TakeGWElevGrids(const GWElevGrids& grids, GWElevDefinition& def) {
    const int16_t parameter = ParameterNumberOf(grids.SS2[1]);
    def.GWElevParameter = parameter;
    def.GWElevKind = grids.SS2[2];
    def.GWElevSetCount = int16_t(grids.SS1UsedRows());
    for (int i = 1; i <= def.GWElevSetCount; ++i)
        def.GWElevSetScales[i] = grids.SS1[i][GWElevGrids::ScaleCol];
    for (int r = 1; r <= InfoRows; ++r)
        def.GWElevInfo[r] = grids.SS3[r];
}

std::optional<GWElevFileData> LoadGWElevFile(const QString& path) {
    std::optional<GWElevFileData> read;
    trap(QStringLiteral("OpenGWElevFile"), [&] { read = readGWElevFile(path); });
    return read;
}

void CommitGWElev(const GWElevFileData& data) {
    ModGW& m = modgw();
    m.GWElev = data.Definition;
    m.ReportNotes = data.Notes;
}

bool OpenGWElevFile() {
    const auto data = LoadGWElevFile(modgw().GWElevFile);
    if (!data) return false;
    CommitGWElev(*data);
    return true;
}

bool SaveGWElevFile(const GWElevGrids& grids) { return SaveGWElevFile(grids, modgw().GWElevFile); }

bool SaveGWElevFile(const GWElevGrids& grids, const QString& path) {
    bool saved = false;
    trap(QStringLiteral("SaveGWElevFile"), [&] {
        ModGW& m = modgw();
        GWElevDefinition taken = m.GWElev;
        TakeGWElevGrids(grids, taken);
        if (const QString refusal = GWElevScaleRefusal(taken); !refusal.isEmpty()) {
            warn(refusal);
            return;
        }
        m.GWElev = taken;
        writeGWElevFile(path, m.GWElev, m.ReportNotes);
        saved = true;
    });
    return saved;
}

void ClearGWElevFile() {
    ModGW& m = modgw();
    m.GWElev = GWElevDefinition{};
    notesblock::ClearNotes(m.ReportNotes);
}
