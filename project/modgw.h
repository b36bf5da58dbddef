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

// A groundwater elevation definition: the graphed parameter, depth or elevation ("E" in either case
// draws elevations), up to 50 source sets of four positions each with the reference elevation taken
// when the source was picked and the set's scale text, and the title rows.
struct GWElevDefinition {
    static constexpr int MaxSets = 50;
    static constexpr int Positions = 4;
    static constexpr int InfoRows = 4;

    int16_t GWElevParameter = 0; // row of ParamTable
    QString GWElevKind;
    int16_t GWElevSetCount = 0;
    std::array<std::array<QString, Positions + 1>, MaxSets + 1> GWElevSetSources; // [set][position]
    std::array<std::array<QString, Positions + 1>, MaxSets + 1> GWElevSetValues;  // [set][position]
    std::array<QString, MaxSets + 1> GWElevSetScales;
    std::array<QString, InfoRows + 1> GWElevInfo;
};

// A Stiff diagram definition: the sampling episodes, two sets of up to eight parameters and five
// sources, and the title rows.
struct StiffDefinition {
    static constexpr int MaxEpisodes = 50;
    static constexpr int Sets = 2;
    static constexpr int ParamRows = 8;
    static constexpr int SourceRows = 5;
    static constexpr int InfoRows = 4;

    int16_t StiffEpisodeCount = 0;
    std::array<std::array<QString, MaxEpisodes + 1>, 3> StiffEpisodes; // [1 start, 2 end][episode]
    std::array<std::array<int16_t, ParamRows + 1>, Sets + 1> StiffParams{}; // [set][row], 0 = empty row
    std::array<std::array<QString, SourceRows + 1>, Sets + 1> StiffSources; // [set][row]
    std::array<QString, InfoRows + 1> StiffInfo;
    // How many parameter and source rows of each set the run takes: the used rows of the form's set
    // grids, stored by Preview and Batch Print just before the run, so the run never reads the form.
    std::array<int16_t, Sets + 1> StiffParCount{};
    std::array<int16_t, Sets + 1> StiffSourceCount{};
};

// The date definition: one set of variables for both date forms. The date summary uses the episodes,
// parameters, sources of four fields (name, Abv/Blw, X, Y), information rows 1..5 and map rows 1..14
// ("X: St, End, Inc", "Y: St, End, Inc", unit, radius, "Pars. on Map 1" to 10). The date contour uses
// the parameters, sources of three fields (name, X, Y), information rows 1..6 and map rows 1..7, and
// carries rows 8..14 (the summary's "Pars. on Map 4" to 10) through its file untouched.
struct DateSumDefinition {
    static constexpr int MaxEpisodes = 50;
    static constexpr int MaxParams = 50;
    static constexpr int MaxSources = 200;
    static constexpr int SourceFields = 4;
    static constexpr int InfoRows = 6;
    static constexpr int MapRows = 14;

    int16_t DateEpisodeCount = 0;
    std::array<std::array<QString, MaxEpisodes + 1>, 3> DateEpisodes; // [1 start, 2 end][episode]
    int16_t DateParCount = 0;
    std::array<int16_t, MaxParams + 1> DateParams{};                  // rows of ParamTable, 0 = none
    int16_t DateSourceCount = 0;
    std::array<std::array<QString, SourceFields + 1>, MaxSources + 1> DateSources; // [source][field]
    std::array<QString, InfoRows + 1> DateInfo;
    std::array<QString, MapRows + 1> DateMapInfo;
};
using DateContourDefinition = DateSumDefinition;

// A parameter summary definition: the chosen parameters (by number in the parameter table, 0 for
// a blank row), the chosen sources (by name) and the report information rows.
struct Par1SumDefinition {
    static constexpr int MaxPar1Params = 200;
    static constexpr int MaxPar1Sources = 9;
    static constexpr int InfoRows = 5; // main title, secondary title lines 1-3, label for standard

    int16_t Par1ParCount = 0;
    std::array<int16_t, MaxPar1Params + 1> Par1Params{};
    int16_t Par1SourceCount = 0;
    std::array<QString, MaxPar1Sources + 1> Par1Sources;
    std::array<QString, InfoRows + 1> Par1Info;
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
    QString ContourFileTitle; // the current .dcf's bare name in capitals, for the contour run
    QString LastWellSumFile; // each form's path when it last closed, reopened at its next load
    QString LastPar1SumFile;
    QString LastGWElevFile;
    QString LastStiffFile;
    QString LastDateSumFile;
    QString LastDateContourFile;
    ReportNotesBlock ReportNotes;
    WellSumDefinition WellSum;
    Par1SumDefinition Par1Sum;
    DateSumDefinition DateSum; // the date summary's and the date contour's
    GWElevDefinition GWElev;
    StiffDefinition Stiff;
    // The Stiff set that list picks and Delete Parameter act on: 1 = set 1, anything else set 2. It
    // lives for the whole run of the program: no New, Open or closing of the form resets it.
    int16_t StiffActiveSet = 0;

    // ---- hand-over of the file dialogs
    QString DialogFileName;
    int ExchangeFormat = 0; // import and export: 1 Tab-separated, 2 comma-separated, 3 one value a line

    void reset() { *this = ModGW{}; }
};

ModGW& modgw();
