// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/forms/drawareafixture.h"
#include "platform/drawing/drawdump.h"
#include "reportdefs/forms/frmwellsum.h"
#include "support/scriptedui.h"

#include <QAction>

namespace {
// File dialogs that fail inside, as a library under them would: of memory, in a library, or of none we know.
struct FailingUi : ScriptedUi {
    bool memory = true, library = false;
    FileDialogChoice chooseFile(const FileDialogRequest&) override {
        if (library) throw std::runtime_error("library");
        if (memory) throw std::bad_alloc();
        throw 42;
    }
};
using HandlerFaults = DrawAreaFixture;
} // namespace

// What escapes a handler is shown once, by the form's own trap or the event loop's, and the window
// goes on with its data as it was.
TEST_F(HandlerFaults, AnEscapedExceptionIsShownOnceAndTheWindowGoesOnWithItsData) {
    drawwin().DrawingFileName = pf.file("site.kdf");
    modgw().WellSum.WellSumInfo[1] = QStringLiteral("Site report");
    const struct {
        bool drawing, memory;
        const char* message;
        bool library = false;
    } cases[] = {
        {true, true, "Error 7 in DrawArea.mnuSaveDrawingAs.  Please contact Kalvex"},
        {true, false, "Error 5 in DrawArea.mnuSaveDrawingAs.  Please contact Kalvex"},
        {false, true, "Error 7 in Open Source Summary File.  Please contact Kalvex"},
        {false, false, "Error 5 in frmWellSum.mnuOpen.  Please contact Kalvex"},
        {false, false, "Error 5 in Open Source Summary File.  Please contact Kalvex", true},
    };
    for (const auto& c : cases) {
        auto data = [&] {
            return c.drawing ? dumpDrawing(pageDrawing()).join(u'\n') + drawwin().DrawingFileName
                             : modgw().WellSumFile + modgw().WellSum.WellSumInfo[1];
        };
        QAction* action = c.drawing ? win().mnuSaveDrawingAs : forms::form<frmWellSum>().mnuOpen;
        const QString before = data();
        FailingUi ui;
        ui.memory = c.memory;
        ui.library = c.library;
        ui.answer(vb::OK, c.message);
        bool goesOn = false; // an event after the failed one still runs
        QMetaObject::invokeMethod(action, &QAction::trigger, Qt::QueuedConnection);
        QMetaObject::invokeMethod(action, [&] { goesOn = true; }, Qt::QueuedConnection);
        QApplication::processEvents();
        EXPECT_EQ(ui.texts, QStringList{c.message});
        EXPECT_EQ(data(), before);
        EXPECT_TRUE(goesOn);
    }
}
