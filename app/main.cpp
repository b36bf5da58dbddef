// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/frmdatagrid.h"
#include "drawcmd/printdrawing.h"
#include "drawwin/forms/drawarea.h"
#include "platform/gui/application.h"
#include "platform/gui/forms.h"
#include "platform/gui/guiui.h"
#include "platform/gui/plotwindow.h"
#include "platform/progfolder.h"
#include "project/modgw.h"
#include "reports/contourrun.h"
#include "reports/forms/frmdrawprint.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <cstdio>

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
    RegisterPlotWindow(SystemPrinter, [] { return modgw().DataFolder; });
    RegisterRunDialog();
    RegisterContourRun();
    frmDatAGrid& main = forms::form<frmDatAGrid>();
    main.Form_Load();
    // Maximised by the window manager, which keeps the title bar; restored, a window on the screen.
    if (const QScreen* s = main.screen()) main.resize(s->availableGeometry().size() * 3 / 4);
    forms::fitToScreen(main);
    main.showMaximized();
    // For timing start-up as a whole: say when the main window is on the screen, and leave.
    QTimer shown;
    if (qEnvironmentVariableIsSet("QMAR_QUIT_WHEN_SHOWN")) {
        QObject::connect(&shown, &QTimer::timeout, &app, [&] {
            if (!main.windowHandle() || !main.windowHandle()->isExposed()) return;
            std::puts("main window shown");
            std::fflush(stdout);
            QApplication::quit();
        });
        shown.start(1);
    }
    const int rc = app.exec();
    forms::unloadAll();
    setUi(nullptr);
    return rc;
}
