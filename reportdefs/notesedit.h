// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "project/modgw.h"

#include <QString>
#include <QStringList>
#include <optional>

// What the report notes editor decides, apart from its window: its texts per notes kind, the item
// list it builds from the definition variables, the box text it builds from stored lines, the
// storing rules with their 30-line limits, and the width of its boxes.
namespace notesedit {

// The notes kind the editor is shown for (ReportCode): 1 source summary, 2 parameter summary,
// 3 date summary, 5 Stiff diagram, 6 groundwater elevation; 0 for any other code.
int NotesKindOf(float reportCode);

struct KindTexts {
    QString caption;
    QString listLabel; // lblList
    QString typeLabel; // lblType
    int helpContext;   // the calling form's page
};
std::optional<KindTexts> TextsOf(int kind);

// The entries of the item list for a kind, from the current definition. Kinds 3, 5 and 6 count
// their items in DateEpisodeCount, StiffEpisodeCount and GWElevSetCount, which the calling form
// sets from its grid before it shows the editor.
QStringList ItemsOf(const ModGW& m, int kind);

// A box's text from stored lines: empty lines are skipped, a line that ends with the pilcrow ends
// its paragraph (CR LF), any other line runs on into the next.
QString BoxTextOf(const QString* lines, int count);
QString GeneralTextOf(const ReportNotesBlock& notes);
QString ItemTextOf(const ReportNotesBlock& notes, int item);

// What Text2Wrap32 gave: TextLineCount, and the lines it could store (fewer after its error).
struct Wrapped {
    int count = 0;
    QStringList lines;
};
Wrapped TakeWrapped(const ModGW& m);

enum class Store {
    Done,            // stored
    TogetherTooLong, // general and item lines together exceed 30 (OK: item not stored; switch: stored)
    ItemTooLong,     // the item's own lines exceed 30: item not stored, the switch is refused
};

// The general lines (at most 30; the caller refuses more before it wraps the item box).
void StoreGeneral(ReportNotesBlock& notes, const Wrapped& general);
// OK: the general lines are stored; the item's only when both fit in 30 lines together.
Store StoreOnOk(ReportNotesBlock& notes, int item, const Wrapped& general, const Wrapped& itemLines);
// An item switch: the general lines are stored, the item's too unless they alone exceed 30.
Store StoreOnSwitch(ReportNotesBlock& notes, int item, const Wrapped& general, const Wrapped& itemLines);

QString GeneralTooLongText();
QString TogetherOnOkText();
QString TogetherOnSwitchText(const QString& itemName);

// Width of both boxes in twips for the shared TextAdjust(6), and the adjustments of the margin
// buttons. The buttons stop where the box would get narrower than MinBoxTwips, or where the
// adjustment would leave its 16 bits.
constexpr int BaseBoxTwips = 3500;
constexpr int MarginStep = 50;
constexpr int MinBoxTwips = 1500;
int BoxTwips(int16_t adjust);
int16_t Narrower(int16_t adjust);
int16_t Wider(int16_t adjust);

} // namespace notesedit
