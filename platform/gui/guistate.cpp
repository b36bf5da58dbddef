// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gui/guistate.h"

#include "platform/gui/forms.h"
#include "platform/gui/helpviewer.h"
#include "platform/gui/plotwindow.h"
#include "platform/gui/printersetup.h"

void resetGuiState() {
    forms::setModalHook(nullptr);
    forms::unloadAll();
    for (PlotWindow* w : PlotWindow::openWindows()) delete w;
    WinHelpA(nullptr, QString(), help::HELP_QUIT, 0);
    SetPrinterNames(nullptr);
}
