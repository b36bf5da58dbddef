// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/gwgraph.h"

#include <QString>

#include <array>
#include <cstdint>

// The data of one report run as values: per kind what its format reader reads once (the run) and
// what its data reader reads per item. Fields keep the names of the run state (gwgraph.h), which
// holds a copy of them for whoever reads it there; pages are built from these values.

// What the run file "log.mas" names: the definition or data file and the items chosen.
struct RunFile {
    QString ReportFile;
    int16_t ItemCount = 0;
};

// What every run reads once: the definition or data file, the items to draw, titles 1..4, the
// standard's label and the general notes.
struct RunHead {
    QString ReportFile;
    int16_t ItemCount = 0;
    std::array<QString, 6> ReportTitles; // 1..4
    QString StandardLabel;
    int16_t RunGeneralNoteCount = 0;
    OneBased<QString> RunGeneralNotes;
};

// What every item carries: its caption line and its own notes.
struct ItemHead {
    QString ItemCaption;
    int16_t RunItemNoteCount = 0;
    OneBased<QString> RunItemNotes;
};

struct WellSumRun : RunHead {
    int16_t SlotCount = 0;
    std::array<std::array<QString, 4>, GwGraph::Slots + 1> SlotParts;
    std::array<QString, GwGraph::Slots + 1> SlotUnits;
    std::array<QString, GwGraph::Slots + 1> SlotStandard;
    std::array<QString, GwGraph::Slots + 1> SlotLabel;
    std::array<std::array<QString, 4>, GwGraph::Slots + 1> SlotScale;
    QString TableGraphOption;
    QString HighlightDate;
};
struct WellSumItem : ItemHead {
    QString ItemName;
    int16_t RecordCount = 0;
    OneBased<QString> RecordDates;
    OneBased<OneBased<QString>> RecordValues;
};

struct ParSumRun : RunHead {
    int16_t RunSourceCount = 0;
};
struct ParSumItem : ItemHead {
    int16_t ItemSourceCount = 0;
    QString ParFullName;
    QString ParUnits;
    QString ParStandard;
    QString ParScaleStart;
    QString ParScaleEnd;
    QString ParScaleInc;
    OneBased<QString> ParSourceNames;
    OneBased<int16_t> ParRecordCount;
    OneBased<OneBased<QString>> ParRecordDates;
    OneBased<OneBased<QString>> ParRecordValues;
};

struct DateSumRun : RunHead {
    int HeaderLineCount = 0;
    int ItemBlockLines = 0;
    int16_t ItemParCount = 0;
    std::array<OneBased<QString>, 4> ParLabel;
    OneBased<QString> DateParUnits;
    OneBased<QString> DateParStandard;
    OneBased<QString> ParScaleMax;
    int16_t RunSourceCount = 0;
    OneBased<QString> RunSourceName;
    OneBased<int16_t> RunSourceAbove;
    OneBased<float> RunSourceX;
    OneBased<float> RunSourceY;
    float MapXStart = 0, MapXEnd = 0, MapXInc = 0;
    float MapYStart = 0, MapYEnd = 0, MapYInc = 0;
    QString MapDistanceUnit;
    float MapRadiusMult = 0;
    int16_t DateMapCount = 0;
    std::array<int16_t, GwGraph::MaxMaps + 1> MapParCount{};
    std::array<OneBased<int16_t>, GwGraph::MaxMaps + 1> MapParams;
};
struct DateSumItem : ItemHead {
    QString ItemTitle; // title 5
    int16_t ItemSourceCount = 0;
    OneBased<OneBased<QString>> RecordValues; // [source][column]
};

struct StiffRun : RunHead {
    int HeaderLineCount = 0;
    int ItemBlockLines = 0;
    std::array<int16_t, 3> StiffParCount{};
    std::array<int16_t, 3> StiffSourceCount{};
    OneBased<std::array<QString, 3>> StiffParName;
    OneBased<std::array<QString, 3>> StiffParUnits;
    OneBased<std::array<float, 3>> StiffScaleMax;
    OneBased<std::array<float, 3>> StiffScaleStep;
};
struct StiffItem : ItemHead {
    QString ItemTitle;
    OneBased<std::array<QString, 3>> StiffSourceName;
    OneBased<OneBased<std::array<QString, 3>>> StiffValue;
};

struct GWElevRun : RunHead {
    int HeaderLineCount = 0;
    int16_t GWElevIsElevation = 0;
    QString GWUnits;
};
struct GWElevItem : ItemHead {
    QString ItemTitle;
    int ItemBlockLines = 0; // lines of the sets up to this one
    int16_t GWScaleLow = 0, GWScaleHigh = 0, GWScaleStep = 0;
    int16_t ItemSourceCount = 0;
    OneBased<QString> GWSourceName;
    OneBased<float> GWRefElev;
    OneBased<int16_t> GWRecordCount;
    OneBased<OneBased<QString>> GWDate;
    OneBased<OneBased<QString>> GWValueText;
    OneBased<OneBased<float>> GWValue;
    OneBased<OneBased<bool>> GWMissing;
};

// The run state's copy: a run or item value put into gwgraph(), and taken back from it for the
// page routines and readers that work over gwgraph().
void toGwGraph(GwGraph& g, const WellSumRun& v);
void toGwGraph(GwGraph& g, const WellSumItem& v);
void toGwGraph(GwGraph& g, const ParSumRun& v);
void toGwGraph(GwGraph& g, const ParSumItem& v);
void toGwGraph(GwGraph& g, const DateSumRun& v);
void toGwGraph(GwGraph& g, const DateSumItem& v);
void toGwGraph(GwGraph& g, const StiffRun& v);
void toGwGraph(GwGraph& g, const StiffItem& v);
void toGwGraph(GwGraph& g, const GWElevRun& v);
void toGwGraph(GwGraph& g, const GWElevItem& v);
template <typename V> V fromGwGraph(const GwGraph& g);
