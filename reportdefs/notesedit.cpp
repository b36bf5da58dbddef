// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportdefs/notesedit.h"

#include "project/helpers.h"
#include "reportdefs/reportkinds.h"

#include <algorithm>

namespace notesedit {

namespace {

constexpr int MaxLines = ReportNotesBlock::MaxLines;

const QString kTail = QStringLiteral("  The box containing the notes can only fit 30 lines of notes.  Please reduce "
                                     "the number of lines and try again.");

void storeLines(int16_t& count, QString* lines, const Wrapped& w) {
    const int n = std::clamp(w.count, 0, MaxLines);
    for (int i = 1; i <= MaxLines; ++i)
        lines[i] = i <= n && i <= w.lines.size() ? w.lines[i - 1] : QString();
    count = int16_t(n);
}

bool validItem(int item) { return item >= 1 && item <= ReportNotesBlock::MaxItems; }

// Start, "-" and end of each episode ([1 start, 2 end][episode]).
template <class Episodes> QStringList episodes(const Episodes& e, int count) {
    QStringList out;
    for (int i = 1; i <= std::min<int>(count, int(e[1].size()) - 1); ++i)
        out << e[1][i] + u'-' + e[2][i];
    return out;
}

} // namespace

int NotesKindOf(float reportCode) {
    for (int k : {1, 2, 3, 5, 6})
        if (reportCode == float(k)) return k;
    return 0;
}

std::optional<KindTexts> TextsOf(int kind) {
    // The help is the calling form's.
    int help = 0;
    for (int k = 1; k <= 6; ++k)
        if (const ReportKindInfo& info = ReportKindOf(ReportKind(k)); info.notesKind == kind) help = info.helpContext;
    switch (kind) {
    case 1:
        return KindTexts{"Source Summary Notes", "Source List", "Source Notes", help};
    case 2:
        return KindTexts{"Parameter Summary Notes", "Parameter List", "Parameter Notes", help};
    case 3:
        return KindTexts{"Date Summary Notes", "Episode List", "Sampling Episode Notes", help};
    case 5:
        return KindTexts{"Stiff Graph Notes", "Episode List", "Sampling Episode Notes", help};
    case 6:
        return KindTexts{"Groundwater Elevation Graph Notes", "Source List", "Source Notes", help};
    default:
        return std::nullopt;
    }
}

QStringList ItemsOf(const ModGW& m, int kind) {
    QStringList out;
    switch (kind) {
    case 1:
        for (int i = 1; i <= std::min<int>(m.WellSum.NumWellList, WellSumDefinition::MaxWellList); ++i)
            out << m.WellSum.WellList[i];
        break;
    case 2:
        for (int i = 1; i <= std::min<int>(m.Par1Sum.Par1ParCount, Par1SumDefinition::MaxPar1Params); ++i) {
            const int p = m.Par1Sum.Par1Params[i];
            // A blank row (0) or a number the project has no parameter for shows an empty entry.
            out << (p >= 1 && p <= std::min(m.NumParams, ModGW::MaxParams) ? m.ParamTable[p][1] : QString());
        }
        break;
    case 3:
        out = episodes(m.DateSum.DateEpisodes, m.DateSum.DateEpisodeCount);
        break;
    case 5:
        out = episodes(m.Stiff.StiffEpisodes, m.Stiff.StiffEpisodeCount);
        break;
    case 6:
        for (int i = 1; i <= std::min<int>(m.GWElev.GWElevSetCount, GWElevDefinition::MaxSets); ++i)
            out << QStringLiteral("Set ") + QString::number(i);
        break;
    default:
        break;
    }
    return out;
}

QString BoxTextOf(const QString* lines, int count) {
    QString text;
    for (int i = 1; i <= std::min(count, MaxLines); ++i) {
        const QString& l = lines[i];
        if (l.isEmpty()) continue;
        if (l.endsWith(Pilcrow))
            text += l.left(l.size() - 1) + QLatin1String("\r\n");
        else
            text += l;
    }
    return text;
}

QString GeneralTextOf(const ReportNotesBlock& notes) {
    return BoxTextOf(notes.GeneralNotes.data(), notes.GeneralNoteCount);
}

QString ItemTextOf(const ReportNotesBlock& notes, int item) {
    if (!validItem(item)) return {};
    return BoxTextOf(notes.ItemNotes[item].data(), notes.ItemNoteCount[item]);
}

Wrapped TakeWrapped(const ModGW& m) {
    Wrapped w;
    w.count = m.TextLineCount;
    for (int i = 1; i <= std::min<int>(m.TextLineCount, ModGW::MaxTextLines); ++i)
        w.lines << m.TextLines[i];
    return w;
}

void StoreGeneral(ReportNotesBlock& notes, const Wrapped& general) {
    storeLines(notes.GeneralNoteCount, notes.GeneralNotes.data(), general);
}

Store StoreOnOk(ReportNotesBlock& notes, int item, const Wrapped& general, const Wrapped& itemLines) {
    StoreGeneral(notes, general);
    if (notes.GeneralNoteCount + itemLines.count > MaxLines) return Store::TogetherTooLong;
    if (validItem(item)) storeLines(notes.ItemNoteCount[item], notes.ItemNotes[item].data(), itemLines);
    return Store::Done;
}

Store StoreOnSwitch(ReportNotesBlock& notes, int item, const Wrapped& general, const Wrapped& itemLines) {
    StoreGeneral(notes, general);
    if (itemLines.count > MaxLines) return Store::ItemTooLong;
    if (validItem(item)) storeLines(notes.ItemNoteCount[item], notes.ItemNotes[item].data(), itemLines);
    return notes.GeneralNoteCount + itemLines.count > MaxLines ? Store::TogetherTooLong : Store::Done;
}

QString GeneralTooLongText() { return QStringLiteral("You have written more that 30 lines of General Notes.") + kTail; }

QString TogetherOnOkText() {
    return QStringLiteral("Together, the Source Notes and General Notes exceed 30 lines.") + kTail;
}

QString TogetherOnSwitchText(const QString& itemName) {
    return QStringLiteral("Together, the Source Notes for source ") + itemName +
           QStringLiteral(" and General Notes exceed 30 lines.") + kTail;
}

int BoxTwips(int16_t adjust) { return std::max(MinBoxTwips, BaseBoxTwips + adjust); }

int16_t Narrower(int16_t adjust) {
    return BaseBoxTwips + adjust - MarginStep < MinBoxTwips ? adjust : int16_t(adjust - MarginStep);
}

int16_t Wider(int16_t adjust) {
    return adjust > INT16_MAX - MarginStep ? adjust : int16_t(adjust + MarginStep);
}

} // namespace notesedit
