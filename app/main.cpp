// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/frmdatagrid.h"
#include "drawcmd/printdrawing.h"
#include "drawwin/forms/drawarea.h"
#include "platform/gui/application.h"
#include "platform/gui/forms.h"
#include "platform/gui/guiui.h"
#include "platform/gui/plotwindow.h"
#include "platform/progfolder.h"
#include "reports/contourrun.h"
#include "reports/forms/frmdrawprint.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>

int main(int argc, char** argv) {
    Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmare 2002"));
    GuiUi gui;
    setUi(&gui);
    if (!SeedProgramFolder()) {
        QMessageBox::critical(nullptr, QStringLiteral("Quillmare 2002"),
                              QStringLiteral("The program folder %1 cannot be created.").arg(ProgramFolder()));
        return 1;
    }
    RegisterDrawingWindow();
    RegisterPlotWindow(SystemPrinter);
    RegisterRunDialog();
    RegisterContourRun();
    frmDatAGrid& main = forms::form<frmDatAGrid>();
    main.Form_Load();
    // Maximised by the window manager, which keeps the title bar; restored, a window on the screen.
    if (const QScreen* s = main.screen()) main.resize(s->availableGeometry().size() * 3 / 4);
    forms::fitToScreen(main);
    main.showMaximized();
    const int rc = app.exec();
    forms::unloadAll();
    setUi(nullptr);
    return rc;
}
