// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

struct ToolButtons;

// The drawing window's Drawing menu (New Drawing, Open, Save, Save As) and File > Print without the
// window: the save questions, the file dialogs, the format codes and the page model that follows the
// sheet, over the page's drawing control. The window hands in its buttons' states (every command
// releases the tools) and the two dialogs the commands show part-way; it applies the zoom a command
// asks for.

// ---- file types (the formats are the table of platform/drawing/drawformats.h)

// The name Save As writes for the name chosen with a type entry (0-based, in the table's order; an
// entry past the list is native): kept when it ends in the type's extension (any case); its last four
// characters replaced when they are "." and three more; else the type's extension appended ("report"
// as DXF is "report.dxf").
QString SaveAsName(const QString& chosen, int typeEntry);

// The filters of the window's file dialogs, in the classic "Description|*.ext|" form: one entry a
// format, and for Open a last one of all drawing files.
extern const QString kOpenDrawingFilter;
extern const QString kSaveDrawingFilter;

// ---- the commands

// The dialogs a command shows part-way.
struct DrawingFileDialogs {
    // "Choose New Drawing Size": sets PaperWidth, PaperHeight and NewDrawingConfirmed on OK.
    std::function<void()> newDrawingSize;
    // "Size of Bitmap": sets BitmapWidth and BitmapHeight on OK; false when it was closed without.
    std::function<bool()> bitmapSize;
};

// How the window's view follows a command.
enum class PageZoom {
    Keep,    // the page was not replaced
    Default, // Zoom Screen Width when ZoomAfterOpen is "SW", else Zoom Page
    Whole,   // a bitmap opened: the whole sheet in view
};

enum class SaveOutcome { Saved, Cancelled, Failed };

// Drawing > New Drawing. A changed drawing is offered for saving first (Yes saves, and a save that
// is cancelled or fails ends the command; Cancel ends it). The tools are released, then the size
// dialog; only a confirmed size replaces the page, empties the name and the undo record.
PageZoom FileNewDrawing(ToolButtons& buttons, const DrawingFileDialogs& dialogs);

// Drawing > Open Drawing. As New Drawing up to the tools, then "Open Drawing File". A name with none
// of the five extensions is refused with a message; a failed load leaves the page as it was. A
// loaded page takes the name, sets the drawable area from its sheet and empties the undo record
// and the node selection.
PageZoom FileOpenDrawing(ToolButtons& buttons, const DrawingFileDialogs& dialogs);

// Drawing > Save Drawing: under the drawing's name in the format its extension names; without a
// name (a report page) through Save As. A bitmap is written at BitmapWidth x BitmapHeight. Deleted
// objects are dropped first and the tools released. A failure keeps DrawingModified and says so.
SaveOutcome FileSaveDrawing(ToolButtons& buttons, const DrawingFileDialogs& dialogs);

// Drawing > Save Drawing As: "Save Drawing As", the chosen type decides the format and the
// extension; a bitmap asks its size first. "File Saved:  " and the name after writing.
SaveOutcome FileSaveDrawingAs(ToolButtons& buttons, const DrawingFileDialogs& dialogs);

// File > Print: where a PDF goes asked first (PrintJob::open, named after the drawing's file, else
// "Drawing"; cancelled there, nothing more), the notice (shown for a moment and gone before
// printing), then the page printed as a report page prints. No printer: the message to add one; other faults "Error N in mnuPrint".
// Returns what the status line says of the print, "" when it failed.
QString FilePrintDrawing(const std::function<void()>& notice);

// ---- "Choose New Drawing Size"

struct PaperSizeEntry {
    const char* caption;
    const char* width;
    const char* height;
    const char* unit; // "inches" or "mm"
};
// The list of paper sizes, each portrait.
extern const std::array<PaperSizeEntry, 15> kPaperSizes;

struct PaperInches {
    float width = 0;
    float height = 0;
};
// The paper of the texts typed: their leading numbers, in millimetres when the unit is exactly "mm".
// A side not above 0.5 inch (no drawable area would be left) or too large for the drawing's
// coordinates gives the default 8.5 by 11 inches.
PaperInches NewDrawingPaper(const QString& width, const QString& height, const QString& unit);

// Whether a click on "Landscape" (or "Portrait") swaps the two texts: when the height is greater
// (less) than the width, by their leading numbers.
bool OrientationSwaps(const QString& width, const QString& height, bool landscape);

// ---- "Size of Bitmap"

// Load: after a change of paper size BitmapWidth and BitmapHeight become the drawable area at 60
// pixels an inch, once (PageSizeChanged is cleared).
void ProposeBitmapSize();

// The other side while proportions are kept: the typed side's leading number as a whole number
// times the drawable area's proportion (other / typed). Nothing when the typed side is not above 0
// or either value leaves the Integer range, or the area has no size.
std::optional<int16_t> ProportionalSide(const QString& typed, double typedExtent, double otherExtent);

// OK: each side's leading number held to 100..2000 and then rounded becomes BitmapWidth and
// BitmapHeight; the settings file is written.
void StoreBitmapSize(const QString& width, const QString& height);

// The size a bitmap is written at: BitmapWidth x BitmapHeight, or while they are 0 what the dialog
// would propose and store.
std::array<int, 2> BitmapOutputSize();
