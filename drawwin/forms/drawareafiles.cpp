// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing window's File and Drawing menus: new drawing, open, save, save as, print, print setup.
#include "drawwin/drawfiles.h"
#include "drawwin/forms/drawarea.h"
#include "drawwin/forms/frmbitmapsize.h"
#include "drawwin/forms/frmnewdrawing.h"
#include "drawwin/forms/frmprinting.h"
#include "platform/gui/drawview.h"
#include "platform/gui/forms.h"
#include "platform/gui/printersetup.h"
#include "platform/qmerror.h"

#include <QAction>
#include <QLabel>

namespace {

DrawingFileDialogs fileDialogs() {
    DrawingFileDialogs d;
    d.newDrawingSize = [] {
        forms::showModal(forms::form<frmNewDrawing>());
        forms::unload<frmNewDrawing>();
    };
    d.bitmapSize = [] {
        const int result = forms::showModal(forms::form<frmBitmapSize>());
        forms::unload<frmBitmapSize>();
        return result == QDialog::Accepted;
    };
    return d;
}

// Runs a command over the toolbar's buttons: a shape half drawn ends first, as a click elsewhere
// would end it, and the buttons show what the command left.
template <typename Command> auto withButtons(DrawArea& w, Command command) {
    w.MDraw->finishShape();
    ToolButtons states = w.buttonStates();
    const auto result = command(states);
    w.setButtonStates(states);
    return result;
}

void follow(DrawArea& w, PageZoom zoom) {
    switch (zoom) {
    case PageZoom::Default:
        w.Form_Activate(); // the zoom the window opens a page at
        break;
    case PageZoom::Whole:
        w.zoompage();
        break;
    case PageZoom::Keep:
        break;
    }
}

} // namespace

void DrawArea::connectFileCommands() {
    connect(mnuNewDrawing, &QAction::triggered, this, &DrawArea::mnuNewDrawing_Click);
    connect(mnuOpenDrawing, &QAction::triggered, this, &DrawArea::mnuOpen_Click);
    connect(mnuSaveDrawing, &QAction::triggered, this, &DrawArea::mnuSave_Click);
    connect(mnuSaveDrawingAs, &QAction::triggered, this, &DrawArea::mnuSaveAs_Click);
    connect(mnuPrint, &QAction::triggered, this, &DrawArea::mnuPrint_Click);
    connect(mnuPrintSetup, &QAction::triggered, this, &DrawArea::mnuPrintSetup_Click);
}

void DrawArea::mnuNewDrawing_Click() {
    follow(*this, withButtons(*this, [](ToolButtons& b) { return FileNewDrawing(b, fileDialogs()); }));
}

void DrawArea::mnuOpen_Click() {
    follow(*this, withButtons(*this, [](ToolButtons& b) { return FileOpenDrawing(b, fileDialogs()); }));
}

void DrawArea::mnuSave_Click() {
    withButtons(*this, [](ToolButtons& b) { return FileSaveDrawing(b, fileDialogs()); });
}

void DrawArea::mnuSaveAs_Click() {
    withButtons(*this, [](ToolButtons& b) { return FileSaveDrawingAs(b, fileDialogs()); });
}

void DrawArea::mnuPrint_Click() {
    if (!EnsurePrintTarget()) return;
    const QString sent = FilePrintDrawing([] {
        forms::showModal(forms::form<frmPrinting>());
        forms::unload<frmPrinting>();
    });
    if (!sent.isEmpty()) lblStatus->setText(sent);
}

void DrawArea::mnuPrintSetup_Click() {
    // The report forms say nothing of a printer that is not installed; this window does.
    if (RunPrinterSetup() == PrinterSetupOutcome::NotInstalled)
        showError(qmerr::Printer, QStringLiteral("DrawArea-PrintSetup"));
}
