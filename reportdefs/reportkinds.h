// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "project/modgw.h"

#include <QString>
#include <functional>

// The six kinds of report definition and what their forms put in the common pattern: captions,
// file types, hand-over codes, notes, help and the names their error messages give.
enum class ReportKind { WellSum = 1, Par1Sum = 2, DateSum = 3, Stiff = 4, GWElev = 5, DateContour = 6 };

struct ReportKindInfo {
    ReportKind kind;
    QString formName;      // frmWellSum
    QString caption;       // the window's caption
    QString extension;     // of its files, without the dot
    QString openFilter;    // the file dialogs' filters, "Description (*.ext)|*.ext|"
    QString saveFilter;
    QString mustOpenText;  // Preview or Batch Print without a current file
    float previewCode;     // ReportCode for the run dialog; 0: Preview runs the kind itself
    float batchPrintCode;
    int notesKind;         // ReportCode for the notes editor; 0: the kind has none
    QString notesGuardText; // Edit Notes on a definition without items
    int helpContext;
    QString openErrorName; // the procedures named by the handlers' error messages
    QString printSetupErrorName;
    QString saveAsErrorName;
    QString exitCaption;   // the File menu's last entry
    QString deleteCaption; // the Edit menu's entry
    QString ModGW::*path;     // the current definition's path, "" = none
    QString ModGW::*lastPath; // the path when the form last closed
    QString printTitle;       // a printed run's PDF is named after it and its one item
};

const ReportKindInfo& ReportKindOf(ReportKind kind);

// The actions that offer to save a changed definition first.
enum class SaveFirstAction { New, Open, Preview, BatchPrint, Quit };
QString SaveFirstText(SaveFirstAction action);

// The save-first prompt. It asks only while ReportDirty is 1. Cancel stops the action. Yes runs save
// (the form's Save, which falls through to Save As); a save that wrote nothing (Save As cancelled,
// the write failed) stops the action as Cancel does, so nothing is lost unasked. After Yes or No
// ReportDirty is 0 and the action goes on. True when it goes on.
bool SaveFirst(SaveFirstAction action, const std::function<bool()>& save);
