// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing a polygon over a 10,000-object page: each mouse move of the rubber segment, with the
// repaint it triggers, must stay under 16 ms (one frame at 60 Hz). The segment is painted over the
// cached page image; a full render of the page is timed beside it for comparison.
#include "bench/benchsupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

using namespace bench;

void click(DrawView& view, QPointF px) {
    send(view, QEvent::MouseButtonPress, px, Qt::LeftButton);
    send(view, QEvent::MouseButtonRelease, px, Qt::NoButton);
    QApplication::processEvents();
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    constexpr int objects = 10000;
    constexpr double limit = 16;
    fillPage(objects);

    DrawView view;
    showView(view);

    // A change of the page renders it into the cache again; that is what a move must not repeat.
    PaintCounter counter;
    view.installEventFilter(&counter);
    QElapsedTimer t;
    std::vector<double> renders;
    for (int r = 0; r < 3; ++r) {
        pageDrawing().touched();
        t.restart();
        view.repaint();
        renders.push_back(t.nsecsElapsed() / 1e6);
    }
    const double fullRender = figures(renders).median;

    pageDrawing().setEditMode(9);
    const QRectF sheet = view.sheetRect();
    const QPointF a = sheet.topLeft() + QPointF(sheet.width() * 0.2, sheet.height() * 0.3);
    const QPointF b = sheet.topLeft() + QPointF(sheet.width() * 0.6, sheet.height() * 0.25);
    click(view, a);
    click(view, b);
    if (view.pendingVertices().size() != 2) {
        std::fprintf(stderr, "two clicks placed %lld vertices, not 2\n", (long long)view.pendingVertices().size());
        return 1;
    }

    // The mouse circles around the page, long segments and short, as a hand moves it.
    constexpr int moves = 400;
    std::vector<double> queued, forced;
    const QPointF centre = sheet.center();
    for (int i = 0; i < moves; ++i) {
        const double angle = i * 0.07, radius = (0.1 + 0.35 * ((i % 40) / 40.0)) * sheet.height();
        const QPointF px = centre + QPointF(std::cos(angle) * radius * 1.3, std::sin(angle) * radius);
        const int before = counter.paints;
        t.restart();
        send(view, QEvent::MouseMove, px, Qt::NoButton);
        QApplication::processEvents(); // the move's update is painted here
        queued.push_back(t.nsecsElapsed() / 1e6);
        if (counter.paints == before) {
            std::fprintf(stderr, "move %d was not painted\n", i);
            return 1;
        }
        // The same move with the whole widget painted at once, the worst a window system can ask.
        t.restart();
        send(view, QEvent::MouseMove, px + QPointF(1, 1), Qt::NoButton);
        view.repaint();
        forced.push_back(t.nsecsElapsed() / 1e6);
    }
    if (view.pendingVertices().size() != 2 || pageDrawing().count() != objects) {
        std::fprintf(stderr, "the moves changed the drawing\n");
        return 1;
    }

    const Figures q = figures(queued), f = figures(forced);
    std::printf("page of %d objects, view %dx%d: full render %.1f ms\n", objects, view.width(), view.height(),
                fullRender);
    std::printf("rubber segment, move + queued repaint  (%d): median %6.3f ms, max %6.3f ms (limit %.0f ms)\n",
                moves, q.median, q.max, limit);
    std::printf("rubber segment, move + whole repaint() (%d): median %6.3f ms, max %6.3f ms (limit %.0f ms)\n",
                moves, f.median, f.max, limit);
    return q.max < limit && f.max < limit ? 0 : 1;
}
