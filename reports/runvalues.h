// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/qmerror.h"

#include <QList>
#include <QString>

#include <array>
#include <cstdint>

// The data of one report run as values: per kind what its format reader reads once (the run) and
// what its data reader reads per item. Pages are built from these values alone. Texts are kept as
// read; counts and the numbers the pages compute with are converted.

// A table indexed from 1, like the fixed tables of the module structs, for tables whose length
// the data file decides. Index 0 or below raises error 9. Reading past the end gives an empty
// value; writing past the end makes room, so a table never limits what a file holds.
template <typename T>
class OneBased {
public:
    T& operator[](qsizetype i) {
        if (i < 1) raiseError(qmerr::Subscript);
        if (i > items_.size()) items_.resize(i);
        return items_[i - 1];
    }
    const T& operator[](qsizetype i) const {
        if (i < 1) raiseError(qmerr::Subscript);
        static const T empty{};
        return i > items_.size() ? empty : items_[i - 1];
    }
    qsizetype size() const { return items_.size(); }
    void clear() { items_.clear(); }
    void resize(qsizetype n) { items_.resize(n); }
    void append(const T& v) { items_.append(v); }

private:
    QList<T> items_;
};

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

// Source summary: eleven slots, SlotCount the last with a parameter (11 when none has one);
// parts [slot][1..3], scale [slot][1 start, 2 end, 3 increment]; the print choice upper-cased:
// "T" table, "G" graph, else both. An item's records: date text with the duplicate code behind
// it, values [record][slot].
struct WellSumRun : RunHead {
    static constexpr int Slots = 11;
    int16_t SlotCount = 0;
    std::array<std::array<QString, 4>, Slots + 1> SlotParts;
    std::array<QString, Slots + 1> SlotUnits;
    std::array<QString, Slots + 1> SlotStandard;
    std::array<QString, Slots + 1> SlotLabel;
    std::array<std::array<QString, 4>, Slots + 1> SlotScale;
    QString TableGraphOption;
    QString HighlightDate;
};
struct WellSumItem : ItemHead {
    QString ItemName;
    int16_t RecordCount = 0;
    OneBased<QString> RecordDates;
    OneBased<OneBased<QString>> RecordValues;
};

// Parameter summary: per item the parameter and, per source, its records (date without the
// duplicate code, value) [source][record]; a scale start "LOG" in any case is a logarithmic axis.
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

// Date summary: where an item's block starts (header lines, lines of one block before its notes),
// the parameter columns (ParLabel [line 1..3][column]), the sources and the map axes; up to ten
// maps, MapParams [map][k] a column number. An item's values are [source][column].
struct DateSumRun : RunHead {
    static constexpr int MaxMaps = 10;
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
    std::array<int16_t, MaxMaps + 1> MapParCount{};
    std::array<OneBased<int16_t>, MaxMaps + 1> MapParams;
};
struct DateSumItem : ItemHead {
    QString ItemTitle; // title 5
    int16_t ItemSourceCount = 0;
    OneBased<OneBased<QString>> RecordValues; // [source][column]
};

// Stiff: two sets [set 1..2] of parameter rows and sources; rows [row][set], sources
// [source][set], values [source][row][set] as written.
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

// Groundwater elevation: GWElevIsElevation 1 for elevations, 0 for depths below the reference
// elevation; per set its sources [source] and readings [source][reading]. A reading that is no
// number is missing: GWMissing is set and GWValue is 0; GWValue holds elevations.
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
