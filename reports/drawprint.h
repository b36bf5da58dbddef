// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/printer.h"
#include "reports/runsteps.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

// The run dialog's logic: what it lists for a report code, what a choice records, and the run.

// The report kind a code belongs to, by its thresholds (6.1 falls among the date summaries).
ReportRange RangeOf(float reportCode);
// The dialog's caption for the exact code; any other code keeps "Draw/Print".
QString RunDialogCaption(float reportCode);
// The items of the current definition the run can cover, in definition order. The date contour's
// batch code (6.1) lists the episodes of its definition, each as start " - " end.
QStringList RunDialogItems(float reportCode);
// 0 (preview) for the preview codes 1, 3, 5, 7 and 9, else 1 (print).
int16_t PrintToPrinterFor(float reportCode);

// Records the chosen list positions (0-based, in any order) as the SelectedItem entries, in list
// order. A parameter summary records parameter numbers and leaves SelectedNames alone. Positions
// outside the list are ignored. Returns NumSelected.
int RecordSelection(float reportCode, const QList<int>& positions);

// The OK of the dialog: with something chosen, records it, runs the kind's run-data step and, when
// that succeeded, sets PrintToPrinter and runs the kind's driver; the date contour's batch code
// prints the maps of the chosen episodes. Returns whether the step ran and
// succeeded. Nothing chosen changes nothing.
bool RunChosen(float reportCode, const QList<int>& positions);

// What a printed run of ReportCode is called: the kind, and its item when the run has one
// ("Source Summary MW-3", "Parameter Summary"), in the project's folder.
PrintName RunPrintName();

// The dialog's load has the drawing window loaded, hidden, the first time only (DrawAreaLoaded).
void LoadDrawingWindowOnce();
