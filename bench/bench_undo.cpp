// SPDX-License-Identifier: GPL-3.0-or-later
// The undo record on a 10,000-object page: recording 1,000 selected objects when an edit starts,
// and Undo of those 1,000 after a move, must each stay under 16 ms (one frame at 60 Hz). The full
// render of the page that follows an Undo is timed beside them for comparison.
#include "bench/benchsupport.h"
#include "drawcmd/undorecord.h"
#include "drawwin/drawwinstate.h"
#include "drawwin/editing.h"
#include "platform/drawing/mdrawpro.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <vector>

namespace {

using namespace bench;

// Every tenth object, spread through the stacking order.
void selectEveryTenth() {
    MDrawPro& d = pageDrawing();
    d.clearSelection();
    for (int i = 0; i < d.count(); i += 10)
        d.at(i).selected = true;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    constexpr int objects = 10000;
    constexpr int rounds = 50;
    constexpr double limit = 16;
    fillPage(objects);
    selectEveryTenth();
    MDrawPro& d = pageDrawing();

    DrawView view;
    showView(view);

    QElapsedTimer t;
    std::vector<double> records, undos, repaints;
    for (int r = 0; r < rounds; ++r) {
        t.restart();
        EditAction(1);
        records.push_back(t.nsecsElapsed() / 1e6);
        if (undoRecord().UndoCount() != 1000) {
            std::fprintf(stderr, "recorded %d objects, not 1000\n", int(undoRecord().UndoCount()));
            return 1;
        }
        d.offset(d.selectedIds(), 37, 23);
        EditAction(3);
        QApplication::processEvents();

        t.restart();
        const int restored = EditUndo();
        undos.push_back(t.nsecsElapsed() / 1e6);
        if (restored != 1000) {
            std::fprintf(stderr, "Undo restored %d objects, not 1000\n", restored);
            return 1;
        }
        t.restart();
        view.repaint();
        repaints.push_back(t.nsecsElapsed() / 1e6);
    }

    const Figures rec = figures(records), und = figures(undos), rep = figures(repaints);
    std::printf("page of %d objects, 1000 selected, %d rounds\n", objects, rounds);
    std::printf("edit start, recording 1000: median %6.3f ms, max %6.3f ms (limit %.0f ms)\n", rec.median,
                rec.max, limit);
    std::printf("Undo of 1000:               median %6.3f ms, max %6.3f ms (limit %.0f ms)\n", und.median,
                und.max, limit);
    std::printf("full repaint after Undo:    median %6.3f ms, max %6.3f ms (for comparison)\n", rep.median,
                rep.max);
    return rec.max < limit && und.max < limit ? 0 : 1;
}
