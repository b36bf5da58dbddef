// SPDX-License-Identifier: GPL-3.0-or-later
// The undo record on a 10,000-object page: recording 1,000 selected objects when an edit starts,
// and Undo of those 1,000 after a move, must each stay under 16 ms (one frame at 60 Hz). The full
// render of the page that follows an Undo is timed beside them for comparison.
#include "drawcmd/metaugl.h"
#include "drawwin/drawwinstate.h"
#include "drawwin/editing.h"
#include "platform/drawing/mdrawpro.h"
#include "platform/gui/drawview.h"
#include "project/modgw.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// 10,000 objects of the kinds the report pages use, spread over an 11 by 8.5 inch page.
void fillPage(int n) {
    metaugl().reset();
    modgw().ThickDashedLines = QStringLiteral("0");
    metaugl().PaperWidth = 11;
    metaugl().PaperHeight = 8.5f;
    NewDrawing();
    pageDrawing().Redraw(false);
    SH(1);
    SV(1);
    AP(8);
    for (int i = 0; pageDrawing().count() < n; ++i) {
        const float x = 0.3f + float(i % 97) / 97 * 9.5f;
        const float y = 0.3f + float((i * 7) % 89) / 89 * 7.2f;
        Z(x + 0.25f, y + 0.25f);
        switch (i % 5) {
        case 0:
        case 1:
            LT(1);
            LR(0.4f);
            break;
        case 2:
            A(QStringLiteral("MW-%1").arg(i));
            break;
        case 3:
            EFS(0.05f, 0.3f);
            break;
        case 4:
            PR(0.2f);
            PU(0.1f);
            PL(0.2f);
            PFC(0xC0C0FF);
            break;
        }
    }
    pageDrawing().Redraw(true);
}

// Every tenth object, spread through the stacking order.
void selectEveryTenth() {
    MDrawPro& d = pageDrawing();
    d.clearSelection();
    for (int i = 0; i < d.count(); i += 10)
        d.at(i).selected = true;
}

struct Figures {
    double median = 0, max = 0;
};

Figures figures(std::vector<double> runs) {
    std::sort(runs.begin(), runs.end());
    return {runs[runs.size() / 2], runs.back()};
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
    view.setModel(&d);
    view.resize(1100, 860);
    view.show();
    QApplication::processEvents();

    QElapsedTimer t;
    std::vector<double> records, undos, repaints;
    for (int r = 0; r < rounds; ++r) {
        t.restart();
        EditAction(1);
        records.push_back(t.nsecsElapsed() / 1e6);
        if (metaugl().UndoCount != 1000) {
            std::fprintf(stderr, "recorded %d objects, not 1000\n", int(metaugl().UndoCount));
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
