// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drawing/drawobject.h"

#include <QString>
#include <array>
#include <cstdint>

// Module variables of the drawing window and its dialogs.
struct DrawWin {
    QString DrawingFileName;          // the drawing's file; the report drivers empty it after each page
    int16_t TextPointSize = 10;       // point size of new free text
    int16_t PendingPreviewCommand = 0; // 35 Choose Fill, 40 Choose Colors, run by the deferred timer
    int16_t ZoomWindowPending = 0;    // 1 while the next drag in the drawing is the zoom frame
    int16_t EditModeBeforeZoom = 0;
    int16_t PaletteSwatchIndex = 0;   // the fill or colour swatch the choosers change
    QString ChosenFill;               // bare file name picked in the fill chooser, "" for none
    int16_t PaletteClickPending = 0;  // 1 while the palette's click timer waits for a second click
    int32_t ChosenColor = -1;         // colour picked in the colour chooser, -1 when it was cancelled
    QString PickedFolder;             // the folder the folder picker opens on (its result: DialogFileName)
    int16_t FreeShapeTool = 0;        // free tool last chosen: 1 polygon .. 7 image; kept when released
    QString SymbolFile;               // the bitmap "Free Image" places; "" until one is chosen
    int16_t DrawingModified = 0;      // 1 once the drawing was changed since it was last saved
    int32_t LastDrawnId = 0;          // the object the mouse drew last and Escape may still style; 0 none
    QString LastFontName;             // the font dialog opens on it when no object is selected
    int16_t NewDrawingConfirmed = 0;  // 1 once the new-drawing dialog confirmed PaperWidth, PaperHeight
    QString FileDialogName;           // the name the window's file dialog last returned; Open starts on it

    // The undo record, the node markers and the palette are the page's editing session,
    // editingSession() (drawcmd/editingsession.h), beside the page's drawing control.

    // ---- node centres of the last node-mode Copy, x then y, entries 1 to CopiedCount
    static constexpr int MaxCopied = 101;
    std::array<int32_t, MaxCopied + 1> CopiedPoints{};
    int32_t CopiedCount = 0;

    void reset() { *this = DrawWin{}; }
};

DrawWin& drawwin();
