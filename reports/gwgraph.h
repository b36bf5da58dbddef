// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/pagecontext.h"
#include "reports/windowhooks.h"

#include <QString>

#include <array>
#include <cstdint>

// What drives a report run: the items chosen, whether pages are printed or previewed, the run
// file's definition and item count, where the run is, and the progress of the page being drawn.
// The run's data are values (runvalues.h) the drivers hand to the pages.
struct GwGraph {
    int16_t PrintToPrinter = 0; // 1: pages go straight to the printer

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

    // The progress of the page being drawn.
    PageProgress Progress;

    void reset() { *this = GwGraph{}; }
    // Back to the start of a run: everything but how pages go out and the items the run dialog
    // chose.
    void resetRun() {
        GwGraph run;
        run.PrintToPrinter = PrintToPrinter;
        run.NumSelected = NumSelected;
        run.SelectedNames = std::move(SelectedNames);
        run.SelectedIndex = SelectedIndex;
        run.SelectedParam = SelectedParam;
        *this = std::move(run);
    }
};

GwGraph& gwgraph();

// Hands the page just drawn on, as every driver does after drawing a page: printed when
// PrintToPrinter is 1, else previewed through the page sink (reportHooks()). Returns how the
// preview was left, which the driver's run follows: NextPage for a printed page, Left for a page
// that could not be printed, which ends the run as leaving the preview does.
PreviewResult HandOverPage();

// A printed run is one print job on the system printer. BeginPrintRun opens it, asking where a PDF
// goes (PrintJob::open, under RunPrintName); false when the user cancelled there, and the run prints
// nothing. PrintRunPage prints the page just drawn as the job's next page, or as a job of its own
// outside a run, and reports its own fault: false then, which stops the run.
bool BeginPrintRun();
bool PrintRunPage();
// Closes the run's job: handed to the printer when the run completed, dropped when it stopped
// (cancel, fault), a PDF file then left as it was. When a completed run printed pages the progress
// line says how many and where. Reports its own fault. Nothing without a job.
void EndPrintRun(bool completed);
// What the end of the last printed run said ("N pages printed to ..."); "" when it sent nothing.
QString PrintRunSummary();
