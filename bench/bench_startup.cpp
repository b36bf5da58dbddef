// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up time: from the application object to the main window shown and painted, with a fresh
// program folder (first start, seeding included) and again with the folder in place.
#include "app/forms/frmdatagrid.h"
#include "drawwin/forms/drawarea.h"
#include "platform/gui/forms.h"
#include "platform/gui/guiui.h"
#include "platform/progfolder.h"
#include "platform/timings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QWindow>
#include <cstdio>

int main(int argc, char** argv) {
    QTemporaryDir home;
    SetProgramFolder(home.path() + "/qmar2002");
    QElapsedTimer t;
    t.start();
    QApplication app(argc, argv);
    setUi(nullptr);
    timings().splashDelayMs = 60000; // the splash is not part of start-up
    RegisterDrawingWindow();
    for (int run = 1; run <= 3; ++run) {
        if (run > 1) t.restart();
        SeedProgramFolder();
        frmDatAGrid& w = forms::form<frmDatAGrid>();
        w.Form_Load();
        w.show();
        while (!w.isVisible() || !w.windowHandle() || !w.windowHandle()->isExposed())
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        QApplication::processEvents();
        std::printf("start-up %d (%s): %.1f ms\n", run, run == 1 ? "first start, with the application object" : "again",
                    t.nsecsElapsed() / 1e6);
        forms::unloadAll();
    }
    return 0;
}
