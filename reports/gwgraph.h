// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/windowhooks.h"

#include "platform/qmerror.h"

#include <QList>
#include <QString>

#include <array>
#include <cstdint>

// A table indexed from 1, like the fixed tables of the run state, for tables whose length the data
// file decides. Index 0 or below raises error 9. Reading past the end gives an empty value; writing
// past the end makes room, so a table never limits what a file holds.
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

// The run state of the report generators.
struct GwGraph {
    int16_t PrintToPrinter = 0; // 1: pages go straight to the printer
    int16_t CancelReport = 0;   // 1: the user left the preview; no further page is drawn

    // The items chosen in the run dialog, in list order, 1..NumSelected; entries above keep old
    // values that nothing reads.
    static constexpr int MaxSelected = 200;
    int16_t NumSelected = 0;
    std::array<QString, MaxSelected + 1> SelectedNames; // not set by a parameter summary run
    std::array<int16_t, MaxSelected + 1> SelectedIndex{}; // 1-based list position
    std::array<int16_t, MaxSelected + 1> SelectedParam{}; // parameter number; parameter summary only

    // From the run file "log.mas": the definition or data file of the run and its item count.
    QString ReportFile;
    int16_t ItemSourceCount = 0; // source summary: chosen sources
    int16_t ParItemCount = 0;
    int16_t DateItemCount = 0;
    int16_t StiffItemCount = 0;
    int16_t GWElevItemCount = 0;

    // Where the run is: item (1-based), table page of a source, map of an episode.
    int16_t CurItem = 0;
    int16_t CurPage = 0;
    int16_t CurMap = 0;

    // Steps of the page being drawn and steps done (incseg).
    int ProgressTotal = 0;
    int ProgressCount = 0;

    // The readers' run state (runreaders.h). Texts are kept as read; counts and the numbers the
    // pages compute with are converted. Where two report kinds name one thing twice there is one
    // variable: TableGraphOption (WellSumPrintMode), RecordDates/RecordValues/RecordCount (ItemDates,
    // ItemValues, WellSumRowCount), RunGeneralNotes (RunNotes), DateMapCount (MapCount),
    // RunSourceCount (HeaderSourceCount). ItemSourceCount is also set per item: the sources of a
    // parameter or the sources of a date-summary episode or a source set.

    // Every kind: titles 1..4; 5 the item's caption on date summary, Stiff and groundwater pages.
    std::array<QString, 6> ReportTitles;
    QString StandardLabel;
    int16_t RunGeneralNoteCount = 0;
    OneBased<QString> RunGeneralNotes;
    // Per item: the "k of n" line of the summaries, the episode text of date summary and Stiff.
    QString ItemCaption;
    int16_t RunItemNoteCount = 0;
    OneBased<QString> RunItemNotes;
    // Where an item's block starts in a date summary or Stiff data file: header lines, and lines of
    // one block before its notes.
    int HeaderLineCount = 0;
    int ItemBlockLines = 0;

    // Source summary: eleven slots, SlotCount the last with a parameter (11 when none has one).
    static constexpr int Slots = 11;
    int16_t SlotCount = 0;
    std::array<std::array<QString, 4>, Slots + 1> SlotParts; // [slot][part 1..3]
    std::array<QString, Slots + 1> SlotUnits;
    std::array<QString, Slots + 1> SlotStandard;
    std::array<QString, Slots + 1> SlotLabel;
    std::array<std::array<QString, 4>, Slots + 1> SlotScale; // [slot][1 start, 2 end, 3 increment]
    QString TableGraphOption; // upper-cased: "T" table, "G" graph, else both
    QString HighlightDate;
    // The current source: its records, date text with the duplicate code behind it, and values
    // [record][slot 1..SlotCount]. The date summary keeps its episode values here too:
    // RecordValues[source][column].
    QString ItemName;
    int16_t RecordCount = 0;
    OneBased<QString> RecordDates;
    OneBased<OneBased<QString>> RecordValues;

    // Parameter summary: sources of the definition; per item the parameter and, per source, its
    // records (date without the duplicate code, value) [source][record].
    int16_t RunSourceCount = 0; // also the date summary's source count
    QString ParFullName;
    QString ParUnits;
    QString ParStandard;
    QString ParScaleStart; // "LOG" in any case: logarithmic axis
    QString ParScaleEnd;
    QString ParScaleInc;
    OneBased<QString> ParSourceNames;
    OneBased<int16_t> ParRecordCount;
    OneBased<OneBased<QString>> ParRecordDates;
    OneBased<OneBased<QString>> ParRecordValues;

    // Date summary header: parameter columns [column] (ParLabel [line 1..3][column]); units and
    // standard carry a Date prefix, as the parameter summary's ParUnits and ParStandard are one text.
    int16_t ItemParCount = 0;
    std::array<OneBased<QString>, 4> ParLabel;
    OneBased<QString> DateParUnits;
    OneBased<QString> DateParStandard;
    OneBased<QString> ParScaleMax;
    OneBased<QString> RunSourceName;
    OneBased<int16_t> RunSourceAbove; // 1: label above the symbol
    OneBased<float> RunSourceX;
    OneBased<float> RunSourceY;
    float MapXStart = 0, MapXEnd = 0, MapXInc = 0;
    float MapYStart = 0, MapYEnd = 0, MapYInc = 0;
    QString MapDistanceUnit;
    float MapRadiusMult = 0;
    static constexpr int MaxMaps = 10;
    int16_t DateMapCount = 0; // maps drawn per episode, 0..10
    std::array<int16_t, MaxMaps + 1> MapParCount{};
    std::array<OneBased<int16_t>, MaxMaps + 1> MapParams; // [map][k]: a column number

    // Stiff: two sets [set 1..2] of parameter rows and sources; rows [row][set], sources
    // [source][set], values [source][row][set] as written.
    std::array<int16_t, 3> StiffParCount{};
    std::array<int16_t, 3> StiffSourceCount{};
    OneBased<std::array<QString, 3>> StiffParName;
    OneBased<std::array<QString, 3>> StiffParUnits;
    OneBased<std::array<float, 3>> StiffScaleMax;
    OneBased<std::array<float, 3>> StiffScaleStep;
    OneBased<std::array<QString, 3>> StiffSourceName;
    OneBased<OneBased<std::array<QString, 3>>> StiffValue;

    // Groundwater elevation: header, then the current set's sources [source] and readings
    // [source][reading]. A reading that is no number is missing: GWMissing is set and GWValue is 0.
    int16_t GWElevIsElevation = 0; // 1 elevations, 0 depths below the reference elevation
    QString GWUnits;
    int16_t GWScaleLow = 0, GWScaleHigh = 0, GWScaleStep = 0;
    OneBased<QString> GWSourceName;
    OneBased<float> GWRefElev;
    OneBased<int16_t> GWRecordCount;
    OneBased<OneBased<QString>> GWDate;      // date text, the duplicate code may follow
    OneBased<OneBased<QString>> GWValueText; // as stored
    OneBased<OneBased<float>> GWValue;       // elevation (depths turned into elevations)
    OneBased<OneBased<bool>> GWMissing;

    void reset() { *this = GwGraph{}; }
    // Back to the start of a run: everything but how pages go out, the cancel the run dialog
    // clears, and the items the run dialog chose.
    void resetRun() {
        GwGraph run;
        run.PrintToPrinter = PrintToPrinter;
        run.CancelReport = CancelReport;
        run.NumSelected = NumSelected;
        run.SelectedNames = std::move(SelectedNames);
        run.SelectedIndex = SelectedIndex;
        run.SelectedParam = SelectedParam;
        *this = std::move(run);
    }
};

GwGraph& gwgraph();

// Hands the page just drawn on, as every driver does after drawing a page: printed when
// PrintToPrinter is 1, else previewed through the page sink (reportHooks()). Leaving the preview,
// or a page that could not be printed, sets CancelReport; this is the one place that does. Returns
// how the preview was left (NextPage for a printed page).
PreviewResult HandOverPage();

// A printed run is one print job on the system printer. BeginPrintRun opens it, asking where a PDF
// goes (PrintJob::open, under RunPrintName); false when the user cancelled there, and the run prints
// nothing. PrintRunPage prints the page just drawn as the job's next page,
// or as a job of its own outside a run, and reports its own fault, which stops the run.
bool BeginPrintRun();
void PrintRunPage();
// Closes the run's job: handed to the printer when the run completed, dropped when it stopped
// (cancel, fault), a PDF file then left as it was. When a completed run printed pages the progress
// line says how many and where. Reports its own fault. Nothing without a job.
void EndPrintRun(bool completed);
// What the end of the last printed run said ("N pages printed to ..."); "" when it sent nothing.
QString PrintRunSummary();
