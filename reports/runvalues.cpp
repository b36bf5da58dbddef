// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/runvalues.h"

#include <type_traits>

namespace {

// Each copy names its fields once and serves both ways, run state to value and back, since the
// fields keep one name on both sides.

template <typename To, typename From> void copyRunHead(To& t, const From& f) {
    t.ReportFile = f.ReportFile;
    for (int i = 1; i <= 4; ++i)
        t.ReportTitles[i] = f.ReportTitles[i];
    t.StandardLabel = f.StandardLabel;
    t.RunGeneralNoteCount = f.RunGeneralNoteCount;
    t.RunGeneralNotes = f.RunGeneralNotes;
}

template <typename To, typename From> void copyItemHead(To& t, const From& f) {
    t.ItemCaption = f.ItemCaption;
    t.RunItemNoteCount = f.RunItemNoteCount;
    t.RunItemNotes = f.RunItemNotes;
}

template <typename To, typename From> void copy(To& t, const From& f, const WellSumRun*) {
    copyRunHead(t, f);
    t.SlotCount = f.SlotCount;
    t.SlotParts = f.SlotParts;
    t.SlotUnits = f.SlotUnits;
    t.SlotStandard = f.SlotStandard;
    t.SlotLabel = f.SlotLabel;
    t.SlotScale = f.SlotScale;
    t.TableGraphOption = f.TableGraphOption;
    t.HighlightDate = f.HighlightDate;
}

template <typename To, typename From> void copy(To& t, const From& f, const WellSumItem*) {
    copyItemHead(t, f);
    t.ItemName = f.ItemName;
    t.RecordCount = f.RecordCount;
    t.RecordDates = f.RecordDates;
    t.RecordValues = f.RecordValues;
}

template <typename To, typename From> void copy(To& t, const From& f, const ParSumRun*) {
    copyRunHead(t, f);
    t.RunSourceCount = f.RunSourceCount;
}

template <typename To, typename From> void copy(To& t, const From& f, const ParSumItem*) {
    copyItemHead(t, f);
    t.ItemSourceCount = f.ItemSourceCount;
    t.ParFullName = f.ParFullName;
    t.ParUnits = f.ParUnits;
    t.ParStandard = f.ParStandard;
    t.ParScaleStart = f.ParScaleStart;
    t.ParScaleEnd = f.ParScaleEnd;
    t.ParScaleInc = f.ParScaleInc;
    t.ParSourceNames = f.ParSourceNames;
    t.ParRecordCount = f.ParRecordCount;
    t.ParRecordDates = f.ParRecordDates;
    t.ParRecordValues = f.ParRecordValues;
}

template <typename To, typename From> void copy(To& t, const From& f, const DateSumRun*) {
    copyRunHead(t, f);
    t.HeaderLineCount = f.HeaderLineCount;
    t.ItemBlockLines = f.ItemBlockLines;
    t.ItemParCount = f.ItemParCount;
    t.ParLabel = f.ParLabel;
    t.DateParUnits = f.DateParUnits;
    t.DateParStandard = f.DateParStandard;
    t.ParScaleMax = f.ParScaleMax;
    t.RunSourceCount = f.RunSourceCount;
    t.RunSourceName = f.RunSourceName;
    t.RunSourceAbove = f.RunSourceAbove;
    t.RunSourceX = f.RunSourceX;
    t.RunSourceY = f.RunSourceY;
    t.MapXStart = f.MapXStart;
    t.MapXEnd = f.MapXEnd;
    t.MapXInc = f.MapXInc;
    t.MapYStart = f.MapYStart;
    t.MapYEnd = f.MapYEnd;
    t.MapYInc = f.MapYInc;
    t.MapDistanceUnit = f.MapDistanceUnit;
    t.MapRadiusMult = f.MapRadiusMult;
    t.DateMapCount = f.DateMapCount;
    t.MapParCount = f.MapParCount;
    t.MapParams = f.MapParams;
}

template <typename To, typename From> void copy(To& t, const From& f, const DateSumItem*) {
    copyItemHead(t, f);
    t.ItemSourceCount = f.ItemSourceCount;
    t.RecordValues = f.RecordValues;
}

template <typename To, typename From> void copy(To& t, const From& f, const StiffRun*) {
    copyRunHead(t, f);
    t.HeaderLineCount = f.HeaderLineCount;
    t.ItemBlockLines = f.ItemBlockLines;
    t.StiffParCount = f.StiffParCount;
    t.StiffSourceCount = f.StiffSourceCount;
    t.StiffParName = f.StiffParName;
    t.StiffParUnits = f.StiffParUnits;
    t.StiffScaleMax = f.StiffScaleMax;
    t.StiffScaleStep = f.StiffScaleStep;
}

template <typename To, typename From> void copy(To& t, const From& f, const StiffItem*) {
    copyItemHead(t, f);
    t.StiffSourceName = f.StiffSourceName;
    t.StiffValue = f.StiffValue;
}

template <typename To, typename From> void copy(To& t, const From& f, const GWElevRun*) {
    copyRunHead(t, f);
    t.HeaderLineCount = f.HeaderLineCount;
    t.GWElevIsElevation = f.GWElevIsElevation;
    t.GWUnits = f.GWUnits;
}

template <typename To, typename From> void copy(To& t, const From& f, const GWElevItem*) {
    copyItemHead(t, f);
    t.ItemBlockLines = f.ItemBlockLines;
    t.GWScaleLow = f.GWScaleLow;
    t.GWScaleHigh = f.GWScaleHigh;
    t.GWScaleStep = f.GWScaleStep;
    t.ItemSourceCount = f.ItemSourceCount;
    t.GWSourceName = f.GWSourceName;
    t.GWRefElev = f.GWRefElev;
    t.GWRecordCount = f.GWRecordCount;
    t.GWDate = f.GWDate;
    t.GWValueText = f.GWValueText;
    t.GWValue = f.GWValue;
    t.GWMissing = f.GWMissing;
}

// The fields named differently on the two sides: the run's item count, which the run state keeps
// per kind, and title 5 of the episode kinds.
template <typename G> auto& itemCount(G& g, const WellSumRun*) { return g.ItemSourceCount; }
template <typename G> auto& itemCount(G& g, const ParSumRun*) { return g.ParItemCount; }
template <typename G> auto& itemCount(G& g, const DateSumRun*) { return g.DateItemCount; }
template <typename G> auto& itemCount(G& g, const StiffRun*) { return g.StiffItemCount; }
template <typename G> auto& itemCount(G& g, const GWElevRun*) { return g.GWElevItemCount; }

template <typename V> constexpr bool hasItemTitle = requires(V v) { v.ItemTitle; };

template <typename V> void put(GwGraph& g, const V& v) {
    copy(g, v, &v);
    if constexpr (std::is_base_of_v<RunHead, V>) itemCount(g, &v) = v.ItemCount;
    if constexpr (hasItemTitle<V>) g.ReportTitles[5] = v.ItemTitle;
}

template <typename V> V take(const GwGraph& g) {
    V v;
    copy(v, g, &v);
    if constexpr (std::is_base_of_v<RunHead, V>) v.ItemCount = itemCount(g, &v);
    if constexpr (hasItemTitle<V>) v.ItemTitle = g.ReportTitles[5];
    return v;
}

} // namespace

void toGwGraph(GwGraph& g, const WellSumRun& v) { put(g, v); }
void toGwGraph(GwGraph& g, const WellSumItem& v) { put(g, v); }
void toGwGraph(GwGraph& g, const ParSumRun& v) {
    put(g, v);
    g.ItemSourceCount = v.RunSourceCount; // every parameter has the run's sources
}
void toGwGraph(GwGraph& g, const ParSumItem& v) { put(g, v); }
void toGwGraph(GwGraph& g, const DateSumRun& v) {
    put(g, v);
    g.ItemSourceCount = v.RunSourceCount;
}
void toGwGraph(GwGraph& g, const DateSumItem& v) { put(g, v); }
void toGwGraph(GwGraph& g, const StiffRun& v) { put(g, v); }
void toGwGraph(GwGraph& g, const StiffItem& v) { put(g, v); }
void toGwGraph(GwGraph& g, const GWElevRun& v) { put(g, v); }
void toGwGraph(GwGraph& g, const GWElevItem& v) { put(g, v); }

template <> WellSumRun fromGwGraph(const GwGraph& g) { return take<WellSumRun>(g); }
template <> WellSumItem fromGwGraph(const GwGraph& g) { return take<WellSumItem>(g); }
template <> ParSumRun fromGwGraph(const GwGraph& g) { return take<ParSumRun>(g); }
template <> ParSumItem fromGwGraph(const GwGraph& g) { return take<ParSumItem>(g); }
template <> DateSumRun fromGwGraph(const GwGraph& g) { return take<DateSumRun>(g); }
template <> DateSumItem fromGwGraph(const GwGraph& g) { return take<DateSumItem>(g); }
template <> StiffRun fromGwGraph(const GwGraph& g) { return take<StiffRun>(g); }
template <> StiffItem fromGwGraph(const GwGraph& g) { return take<StiffItem>(g); }
template <> GWElevRun fromGwGraph(const GwGraph& g) { return take<GWElevRun>(g); }
template <> GWElevItem fromGwGraph(const GwGraph& g) { return take<GWElevItem>(g); }
