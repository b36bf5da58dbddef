// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/drawfiles.h"

#include "drawcmd/editingsession.h"
#include "drawcmd/pagecanvas.h"
#include "drawcmd/printdrawing.h"
#include "drawwin/devicesettings.h"
#include "drawwin/drawwinstate.h"
#include "drawwin/toolbar.h"
#include "platform/drawing/drawformats.h"
#include "platform/drawing/mdrawpro.h"
#include "platform/filenames.h"
#include "platform/numbers.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"
#include "platform/uiservice.h"
#include "project/modgw.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

using draw::DrawingFormat;

// Beyond this a sheet's drawing units no longer fit the control's Long coordinates.
constexpr double MaxPaperInches = 3'000'000;

const QString kOpenTitle = QStringLiteral("Open Drawing File");
const QString kSaveAsTitle = QStringLiteral("Save Drawing As");

// Ends every mouse mode: the mode off, no mode button down, no zoom frame awaited.
void releaseTools(ToolButtons& b) {
    pageDrawing().EditMode(0);
    b.releaseRange(toolbar::AddNode, toolbar::RotateObjects);
    b.releaseRange(toolbar::FreePolygon, toolbar::FreeImage);
    drawwin().ZoomWindowPending = 0;
}

// The save question of New Drawing and Open; true to go on. Yes goes on only once the drawing is
// saved: a cancelled or failed save must not let the drawing be replaced.
bool offerToSave(const QString& question, ToolButtons& b, const DrawingFileDialogs& d) {
    if (drawwin().DrawingModified != 1) return true;
    switch (ui().MsgBox(question, vb::YesNoCancel | vb::Question, titleEmpty)) {
    case vb::Yes:
        return FileSaveDrawing(b, d) == SaveOutcome::Saved;
    case vb::No:
        return true;
    default:
        return false;
    }
}

// What belonged to the page that was replaced: its undo record, its node markers and their
// selection, the shape Escape would style. Ids start again at 1, so any of them would now name
// unrelated objects.
void forgetReplacedPage() {
    editingSession().clear();
    DrawWin& w = drawwin();
    w.LastDrawnId = 0;
    w.DrawingModified = 0;
}

int16_t proposedSide(double drawableUnits) {
    const double v = qnum::RoundHalfEven(drawableUnits / 10);
    return int16_t(std::clamp(std::isfinite(v) ? v : 0.0, 0.0, 32767.0));
}

// Held to 100..2000 before it is rounded, so that no value can overflow.
int16_t storedSide(double v) {
    if (std::isnan(v)) v = 0;
    return int16_t(qnum::RoundHalfEven(std::clamp(v, 100.0, 2000.0)));
}

// The format of a save dialog type entry; an entry past the list is native.
const DrawingFormat& formatOfEntry(int entry) {
    const auto formats = draw::drawingFormats();
    return entry >= 0 && entry < int(formats.size()) ? formats[size_t(entry)] : formats.front();
}

// The dialogs' filter: every format's entry, then for Open "All Drawing Files" of their extensions.
QString drawingFilter(bool allEntry) {
    QStringList entries, listed;
    for (const DrawingFormat& f : draw::drawingFormats()) {
        entries << QLatin1String(f.filter);
        listed << QStringLiteral("*") + QLatin1String(f.extension);
    }
    if (allEntry)
        entries << QStringLiteral("All Drawing Files (%1)|%2").arg(listed.join(u','), listed.join(u';'));
    return entries.join(u'|');
}

void writeDrawing(const QString& path, const DrawingFormat& format) {
    MDrawPro& page = pageDrawing();
    if (format.raster) {
        // Printing leaves its own output size behind; a bitmap always gets the chosen one.
        const std::array<int, 2> size = BitmapOutputSize();
        page.OutputMode(34);
        page.OutputLeft(0);
        page.OutputTop(0);
        page.OutputWidth(size[0]);
        page.OutputHeight(size[1]);
    }
    page.SaveDrawing(path, 0, format.code);
}

void reportSaveError(const QmError& e, const QString& where) {
    if (e.number() == qmerr::ImageTooLarge)
        ui().MsgBox(QStringLiteral("Not enough memory to create file, reduce the size in pixels."));
    else
        showError(e, where);
}

} // namespace

const QString kOpenDrawingFilter = drawingFilter(true);
const QString kSaveDrawingFilter = drawingFilter(false);

const std::array<PaperSizeEntry, 15> kPaperSizes = {{
    {"A 8.5 x 11 in.", "8.5", "11", "inches"},
    {"LGL 8.5 x 14 in.", "8.5", "14", "inches"},
    {"B 11 x 17 in.", "11", "17", "inches"},
    {"C 17 x 22 in.", "17", "22", "inches"},
    {"D 22 x 34 in.", "22", "34", "inches"},
    {"E 34 x 44 in.", "34", "44", "inches"},
    {"F 28 x 40 in.", "28", "40", "inches"},
    {"ARCH C 18 x 24 in.", "18", "24", "inches"},
    {"ARCH D 24 x 36 in.", "24", "36", "inches"},
    {"ARCH E 35 x 48 in.", "35", "48", "inches"},
    {"A0 841 x 1189 mm", "841", "1189", "mm"},
    {"A1 594 x 841 mm", "594", "841", "mm"},
    {"A2 420 x 594 mm", "420", "594", "mm"},
    {"A3 297 x 420 mm", "297", "420", "mm"},
    {"A4 210 x 297 mm", "210", "297", "mm"},
}};

// ---- file types ---------------------------------------------------------------------------------

QString SaveAsName(const QString& chosen, int typeEntry) {
    const QLatin1String ext(formatOfEntry(typeEntry).extension);
    if (chosen.endsWith(ext, Qt::CaseInsensitive)) return chosen;
    const QString tail = chosen.right(4);
    const bool ownExtension = tail.size() == 4 && tail[0] == u'.' && !tail.mid(1).contains(u'.') &&
                              !tail.contains(u'/') && !tail.contains(u'\\');
    return (ownExtension ? chosen.left(chosen.size() - 4) : chosen) + ext;
}

// ---- the commands -------------------------------------------------------------------------------

PageZoom FileNewDrawing(ToolButtons& buttons, const DrawingFileDialogs& dialogs) {
    if (!offerToSave(QStringLiteral("Would you like to save the current DRAWING before creating a new one?"), buttons,
                     dialogs))
        return PageZoom::Keep;
    releaseTools(buttons);
    DrawWin& w = drawwin();
    w.NewDrawingConfirmed = 0;
    if (dialogs.newDrawingSize) dialogs.newDrawingSize();
    if (w.NewDrawingConfirmed != 1) return PageZoom::Keep;
    pageCanvas().NewDrawing();
    forgetReplacedPage();
    w.DrawingFileName.clear();
    return PageZoom::Default;
}

PageZoom FileOpenDrawing(ToolButtons& buttons, const DrawingFileDialogs& dialogs) {
    PageCanvas& m = pageCanvas();
    if (m.PaperWidth == 0) m.NewDrawing();
    if (!offerToSave(QStringLiteral("Would you like to save the current DRAWING before opening another?"), buttons,
                     dialogs))
        return PageZoom::Keep;
    releaseTools(buttons);

    DrawWin& w = drawwin();
    FileDialogRequest r;
    r.title = kOpenTitle;
    r.filter = kOpenDrawingFilter;
    r.initDir = modgw().DataFolder;
    r.fileName = w.FileDialogName;
    const QString path = ui().FileDialog(r);
    if (path.isEmpty()) return PageZoom::Keep;
    w.FileDialogName = path;

    const DrawingFormat* format = draw::formatOfName(path);
    if (!format) {
        warn(qfile::NameOf(path) + QStringLiteral(" is not a drawing file."));
        return PageZoom::Keep;
    }
    MDrawPro& page = pageDrawing();
    // A set saved into that folder and cut short (a drawing and its bitmaps) is finished first.
    qtext::RemoveLeftovers(qfile::FolderOf(qfile::Resolve(path)));
    try {
        page.LoadDrawing(path, 0, format->code);
    } catch (const QmError& e) {
        if (e.number() == qmerr::ImageTooLarge)
            ui().MsgBox(QStringLiteral("Not enough memory to open file, reduce the size in pixels."));
        else
            showError(e, QStringLiteral("Preview Open"));
        return PageZoom::Keep;
    }

    // The page model follows the file's sheet; the paper of the next new drawing stays.
    m.DrawableWidth = float(page.PageWidth());
    m.DrawableHeight = float(page.PageHeight());
    const int perInch = m.UnitsPerInch > 0 ? m.UnitsPerInch : 600;
    m.DrawableWidthInches = m.DrawableWidth / float(perInch);
    m.DrawableHeightInches = m.DrawableHeight / float(perInch);
    forgetReplacedPage();
    w.DrawingFileName = path;
    return format->raster ? PageZoom::Whole : PageZoom::Default;
}

SaveOutcome FileSaveDrawing(ToolButtons& buttons, const DrawingFileDialogs& dialogs) {
    DrawWin& w = drawwin();
    // A page never saved (a report page, a new drawing) has no name, and so no format, yet.
    const DrawingFormat* format = draw::formatOfName(w.DrawingFileName);
    if (!format) return FileSaveDrawingAs(buttons, dialogs);
    releaseTools(buttons);
    removedeletedobjects();
    try {
        writeDrawing(w.DrawingFileName, *format);
    } catch (const QmError& e) {
        reportSaveError(e, QStringLiteral("Preview Save"));
        return SaveOutcome::Failed;
    }
    w.DrawingModified = 0;
    return SaveOutcome::Saved;
}

SaveOutcome FileSaveDrawingAs(ToolButtons& buttons, const DrawingFileDialogs& dialogs) {
    releaseTools(buttons);
    removedeletedobjects();

    DrawWin& w = drawwin();
    const DrawingFormat* current = draw::formatOfName(w.DrawingFileName);
    FileDialogRequest r;
    r.save = true;
    r.title = kSaveAsTitle;
    r.filter = kSaveDrawingFilter;
    r.fileName = current ? w.DrawingFileName.chopped(4) : w.DrawingFileName;
    // The type it has now, so that Enter keeps it.
    r.filterIndex = current ? int(current - draw::drawingFormats().data()) : 0;
    r.overwritePrompt = true;
    const FileDialogChoice chosen = ui().FileDialogWithType(r);
    if (chosen.path.isEmpty()) return SaveOutcome::Cancelled;
    w.FileDialogName = chosen.path;

    const QString name = SaveAsName(chosen.path, chosen.filterIndex);
    // The dialog asked about the name it returned, not about the one the type made of it.
    if (name != chosen.path && QFileInfo::exists(qfile::Resolve(name)) && !AskToReplace(name, kSaveAsTitle))
        return SaveOutcome::Cancelled;
    const DrawingFormat& format = formatOfEntry(chosen.filterIndex);
    if (format.raster && dialogs.bitmapSize && !dialogs.bitmapSize()) return SaveOutcome::Cancelled;

    try {
        writeDrawing(name, format);
    } catch (const QmError& e) {
        reportSaveError(e, QStringLiteral("Preview SaveAs"));
        return SaveOutcome::Failed;
    }
    ui().MsgBox(QStringLiteral("File Saved:  ") + name);
    w.DrawingFileName = name;
    w.DrawingModified = 0;
    return SaveOutcome::Saved;
}

QString FilePrintDrawing(const std::function<void()>& notice) {
    // Named after the drawing's file; a report page shown is no saved drawing.
    const QString file = drawwin().DrawingFileName;
    const QString title = file.isEmpty() ? QStringLiteral("Drawing") : QFileInfo(qfile::NameOf(file)).completeBaseName();
    try {
        PrintJob job(SystemPrinter());
        if (!job.open({title, modgw().DataFolder})) return {};
        if (notice) notice();
        PrintDrawing(job);
        job.end(true);
        return PrintedText(job.pages(), job.target());
    } catch (const QmError& e) {
        ShowPrintError(e, QStringLiteral("mnuPrint"));
        return {};
    }
}

// ---- "Choose New Drawing Size" ------------------------------------------------------------------

PaperInches NewDrawingPaper(const QString& width, const QString& height, const QString& unit) {
    double w = qnum::LeadingNumber(width);
    double h = qnum::LeadingNumber(height);
    if (unit == QLatin1String("mm")) {
        w /= 25.4;
        h /= 25.4;
    }
    // The drawable area is the paper less half an inch each way: it must be left with a size.
    auto usable = [](double side) { return std::isfinite(side) && side > 0.5 && side <= MaxPaperInches; };
    if (!usable(w) || !usable(h)) return {8.5f, 11.f};
    return {float(w), float(h)};
}

bool OrientationSwaps(const QString& width, const QString& height, bool landscape) {
    const double w = qnum::LeadingNumber(width), h = qnum::LeadingNumber(height);
    return landscape ? h > w : h < w;
}

// ---- "Size of Bitmap" ---------------------------------------------------------------------------

void ProposeBitmapSize() {
    Metaugl& m = pageCanvas();
    if (m.PageSizeChanged != 1) return;
    modgw().BitmapWidth = proposedSide(m.DrawableWidth);
    modgw().BitmapHeight = proposedSide(m.DrawableHeight);
    m.PageSizeChanged = 0;
}

std::optional<int16_t> ProportionalSide(const QString& typed, double typedExtent, double otherExtent) {
    constexpr double IntMax = std::numeric_limits<int16_t>::max();
    constexpr double IntMin = std::numeric_limits<int16_t>::min();
    const double side = qnum::RoundHalfEven(qnum::LeadingNumber(typed));
    if (!(side >= IntMin && side <= IntMax) || side <= 0) return std::nullopt;
    if (!(typedExtent > 0) || !(otherExtent > 0)) return std::nullopt;
    const double other = qnum::RoundHalfEven(otherExtent / typedExtent * side);
    if (!(other <= IntMax)) return std::nullopt;
    return int16_t(other);
}

void StoreBitmapSize(const QString& width, const QString& height) {
    modgw().BitmapWidth = storedSide(qnum::LeadingNumber(width));
    modgw().BitmapHeight = storedSide(qnum::LeadingNumber(height));
    (void)SaveDevice(); // a failure is reported; the size holds for this run all the same
}

std::array<int, 2> BitmapOutputSize() {
    const ModGW& g = modgw();
    if (g.BitmapWidth > 0 && g.BitmapHeight > 0) return {g.BitmapWidth, g.BitmapHeight};
    const Metaugl& m = pageCanvas();
    return {storedSide(proposedSide(m.DrawableWidth)), storedSide(proposedSide(m.DrawableHeight))};
}
