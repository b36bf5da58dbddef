// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>
#include <cstdint>

// The notes of the current report definition: general note lines, and note lines per item of its
// item list (sources, parameters, episodes or source sets by kind). Item notes belong to the item's
// position in that list, not to the item. Lines are stored as the notes editor wraps them, a line
// that ends a paragraph marked with U+00B6.
struct ReportNotesBlock {
    static constexpr int MaxLines = 30;
    static constexpr int MaxItems = 200;

    int16_t GeneralNoteCount = 0;
    std::array<QString, MaxLines + 1> GeneralNotes;
    std::array<int16_t, MaxItems + 1> ItemNoteCount{};
    std::array<std::array<QString, MaxLines + 1>, MaxItems + 1> ItemNotes; // [item][line]
};

// A source summary definition: the report's sources, eleven parameter slots (the table's columns;
// slots 2 to 10 are also the nine graphs) of eight fields each, and the report information rows.
struct WellSumDefinition {
    static constexpr int MaxWellList = 200;
    static constexpr int Slots = 11;
    static constexpr int SlotFields = 8; // number, parts 1-3, units, standard, graph label, scale
    static constexpr int InfoRows = 7;

    int16_t NumWellList = 0;
    std::array<QString, MaxWellList + 1> WellList;
    std::array<std::array<QString, SlotFields + 1>, Slots + 1> WellSumGrid; // [slot][field]
    std::array<QString, InfoRows + 1> WellSumInfo;
};

// The data module: the open project, the settings, the colour table and the hand-over variables of
// the dialogs. Arrays are 1-based as the procedures address them; element 0 is unused.
struct ModGW {
    static constexpr int MaxParams = 500;
    static constexpr int MaxSources = 500;
    static constexpr int MaxColors = 150;
    static constexpr int MaxTextLines = 200;

    // ---- the open project
    QString ProjectFile;   // "" when no project is open
    QString DatabaseFile;
    QString DataFolder;    // ends with "/"
    std::array<QString, 11> ClientInfo;
    std::array<std::array<QString, 5>, MaxSources + 1> SourceTable;   // name, X, Y, reference elevation
    std::array<std::array<QString, 11>, MaxParams + 1> ParamTable;    // the ten parameter fields
    int NumSources = 0;
    int NumParams = 0;
    QString ReportStartDate;
    QString ReportEndDate;
    QString LessThanFactor;
    int CurrentSource = 0;
    int GoToSource = 0;
    int NewProjectMode = 0;

    // ---- hand-over of the project form and the redefine dialog
    std::array<QString, MaxParams + 1> OldParamNames;
    int OldParamCount = 0;
    std::array<QString, MaxParams + 1> NewParamNames;
    int NewParamCount = 0;
    int ParamsChanged = 0;
    int RedefineConfirmed = 0;
    int ProjInfoActiveGrid = 0;

    // ---- device settings (the 20 lines of "DEVICE.CFG")
    QString MarginOffsets;
    float MarginOffsetX = 0;
    float MarginOffsetY = 0;
    QString DefaultFont;
    QString TextAdjustFile;
    QString FillPath;
    QString SymbolPath;
    QString CentralDataPath;
    QString HeadingFile;
    QString DeviceLine9;
    QString ColorFile;
    QString PromptFile;
    QString ZoomAfterOpen;
    QString DateStampOption;
    int16_t BitmapWidth = 0;
    int16_t BitmapHeight = 0;
    QString LastPageSize;
    int16_t DeviceLine17 = 0;
    QString DeviceLine18;
    QString CellEditMode;
    QString ThickDashedLines;

    std::array<int16_t, 7> TextAdjust{};
    QString HelpFile;
    QString CrLf = QStringLiteral("\r\n");
    int32_t HelpResult = 0;
    std::array<QString, 11> RecentProjects;

    // ---- colour table: name and "R G B" text
    std::array<std::array<QString, 3>, MaxColors + 1> ColorTable;
    int ColorCount = 0;

    // ---- shared line array of the text splitters
    std::array<QString, MaxTextLines + 1> TextLines;
    int16_t TextLineCount = 0;

    // ---- report definitions: the six forms' variables. Runs and the notes editor read these, never
    // a form's grids.
    int16_t ReportDirty = 0; // 1 = the definition on the open form changed since saved or declined
    float ReportCode = 0;    // hand-over to the run dialog and the notes editor; 6.1 is a code too
    QString WellSumFile;     // current definition paths, "" = none
    QString Par1SumFile;
    QString GWElevFile;
    QString StiffFile;
    QString DateSumFile;     // the date summary's and the date contour's
    QString LastWellSumFile; // each form's path when it last closed, reopened at its next load
    QString LastPar1SumFile;
    QString LastGWElevFile;
    QString LastStiffFile;
    QString LastDateSumFile;
    QString LastDateContourFile;
    ReportNotesBlock ReportNotes;
    WellSumDefinition WellSum;

    // ---- hand-over of the file dialogs
    QString DialogFileName;
    int ExchangeFormat = 0; // import and export: 1 Tab-separated, 2 comma-separated, 3 one value a line

    void reset() { *this = ModGW{}; }
};

ModGW& modgw();
