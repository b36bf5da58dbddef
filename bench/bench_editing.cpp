// SPDX-License-Identifier: GPL-3.0-or-later
// Editing a 10,000-object page with the mouse: a click, a band selection, and each mouse move while
// 1,000 selected objects are moved, resized and turned must each take under 16 ms (one frame at
// 60 Hz), the repaint included. The page is rendered once when a drag starts (the page without the
// objects it moves); that start is timed beside the moves, with a full render for comparison.
#include "bench/benchsupport.h"
#include "platform/drawing/drawrender.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using namespace bench;

struct Bench {
    DrawView& view;
    PaintCounter& counter;
    QElapsedTimer t;
    bool unpainted = false;

    // One event and the whole widget painted at once, the worst a window system can ask.
    double timed(const std::function<void()>& event) {
        const int before = counter.paints;
        t.restart();
        event();
        view.repaint();
        const double ms = t.nsecsElapsed() / 1e6;
        if (counter.paints == before) unpainted = true;
        return ms;
    }
};

struct Drag {
    double start = 0, release = 0;
    Figures moves;
};

// Press, the first move (which starts the drag), then the path, then the release.
Drag drag(Bench& b, QPointF from, const std::vector<QPointF>& path) {
    Drag d;
    b.timed([&] { send(b.view, QEvent::MouseButtonPress, from, Qt::LeftButton); });
    d.start = b.timed([&] { send(b.view, QEvent::MouseMove, from + QPointF(12, 12), Qt::LeftButton); });
    std::vector<double> moves;
    for (const QPointF& px : path)
        moves.push_back(b.timed([&] { send(b.view, QEvent::MouseMove, px, Qt::LeftButton); }));
    d.release = b.timed([&] { send(b.view, QEvent::MouseButtonRelease, path.back(), Qt::NoButton); });
    d.moves = figures(moves);
    return d;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    constexpr int objects = 10000, selected = 1000, moves = 200;
    constexpr double limit = 16;
    fillPage(objects);
    MDrawPro& page = pageDrawing();

    DrawView view;
    showView(view);
    PaintCounter counter;
    view.installEventFilter(&counter);
    Bench b{view, counter, {}};

    std::vector<double> renders;
    for (int r = 0; r < 3; ++r)
        renders.push_back(b.timed([&] { page.touched(); }));
    const double fullRender = figures(renders).median;

    // Clicks on objects and on empty paper across the page.
    page.EditMode(11);
    const QRectF sheet = view.sheetRect();
    std::vector<double> clicks;
    int hits = 0;
    for (int i = 0; i < 200; ++i) {
        const QPointF px =
            sheet.topLeft() + QPointF(sheet.width() * (0.05 + 0.9 * ((i * 37) % 200) / 200.0),
                                      sheet.height() * (0.05 + 0.9 * ((i * 53) % 200) / 200.0));
        hits += view.objectAt(px) ? 1 : 0;
        clicks.push_back(b.timed([&] {
            send(view, QEvent::MouseButtonPress, px, Qt::LeftButton);
            send(view, QEvent::MouseButtonRelease, px, Qt::NoButton);
        }));
    }

    // Bands from small to half the page, timed at the release, where the selection is made.
    std::vector<double> bands, bandMoves;
    for (int i = 0; i < 40; ++i) {
        const QPointF from =
            sheet.topLeft() + QPointF(sheet.width() * 0.02 * (i % 10), sheet.height() * 0.01 * i);
        const QPointF to =
            from + QPointF(sheet.width() * (0.05 + 0.012 * i), sheet.height() * (0.05 + 0.01 * i));
        if (view.objectAt(from)) continue; // a press on an object would move it
        b.timed([&] { send(view, QEvent::MouseButtonPress, from, Qt::LeftButton); });
        bandMoves.push_back(b.timed([&] { send(view, QEvent::MouseMove, (from + to) / 2, Qt::LeftButton); }));
        bandMoves.push_back(b.timed([&] { send(view, QEvent::MouseMove, to, Qt::LeftButton); }));
        bands.push_back(b.timed([&] { send(view, QEvent::MouseButtonRelease, to, Qt::NoButton); }));
    }

    // Every tenth object selected: 1,000 objects spread over the whole page.
    page.clearSelection();
    for (int i = 0; i < objects; i += objects / selected)
        page.selectGroupOf(page.at(i).id);
    b.timed([] {});
    // A press point on a selected object that lies on top there; each drag leaves them elsewhere.
    auto onSelected = [&] {
        for (int i = objects - 1; i >= 0; --i) {
            const draw::DrawObject& o = page.at(i);
            if (!o.selected) continue;
            const QPointF px = view.unitsToPixel(draw::objectBounds(o).center());
            const draw::DrawObject* top = page.find(view.objectAt(px));
            if (top && top->selected) return px;
        }
        return QPointF();
    };
    auto circle = [&](QPointF around, double radius) {
        std::vector<QPointF> path;
        for (int i = 0; i < moves; ++i) {
            const double a = i * 0.05, r = radius * (0.6 + 0.4 * ((i % 30) / 30.0));
            path.push_back(around + QPointF(std::cos(a) * r, std::sin(a) * r));
        }
        return path;
    };

    const QPointF pressed = onSelected();
    if (pressed.isNull()) {
        std::fprintf(stderr, "no selected object lies on top anywhere\n");
        return 1;
    }
    const QRectF before = *view.selectionBox();
    const std::vector<QPointF> round = circle(pressed, 120);
    const Drag moved = drag(b, pressed, round);
    // The model holds the move as the release left it.
    const QPointF shift = view.selectionBox()->topLeft() - before.topLeft();
    const QPointF dragged(view.PixelToUnitsX(round.back().x()) - view.PixelToUnitsX(pressed.x()),
                          view.PixelToUnitsY(round.back().y()) - view.PixelToUnitsY(pressed.y()));
    if (std::fabs(shift.x() - dragged.x()) > 1 || std::fabs(shift.y() - dragged.y()) > 1) {
        std::fprintf(stderr, "the selection moved by %g, %g, not %g, %g\n", shift.x(), shift.y(), dragged.x(),
                     dragged.y());
        return 1;
    }

    const QPointF corner = view.unitsToPixel(view.selectionBox()->bottomRight());
    std::vector<QPointF> inward;
    for (int i = 0; i < moves; ++i) {
        const double f = 0.3 * std::sin(i * 0.04);
        inward.push_back(corner - QPointF(f * sheet.width(), f * 0.8 * sheet.height()));
    }
    const Drag resized = drag(b, corner, inward);

    page.EditMode(13);
    const QPointF grip = onSelected();
    const QPointF centre = view.unitsToPixel(view.selectionBox()->center());
    const Drag turned =
        drag(b, grip, circle(centre, std::hypot(grip.x() - centre.x(), grip.y() - centre.y())));

    if (b.unpainted) {
        std::fprintf(stderr, "an event was not painted\n");
        return 1;
    }
    if (page.count() != objects || page.selectedCount() != selected) {
        std::fprintf(stderr, "the edits changed what the page holds: %d objects, %d selected\n", page.count(),
                     page.selectedCount());
        return 1;
    }

    const Figures c = figures(clicks), bd = figures(bands), bm = figures(bandMoves);
    std::printf("page of %d objects, view %dx%d: full render %.1f ms\n", objects, view.width(), view.height(),
                fullRender);
    std::printf("click (press, release, repaint) (%zu, %d on objects): median %6.3f ms, max %6.3f ms\n",
                clicks.size(), hits, c.median, c.max);
    std::printf("band, each move (%zu):                     median %6.3f ms, max %6.3f ms\n",
                bandMoves.size(), bm.median, bm.max);
    std::printf("band, release selects (%zu):               median %6.3f ms, max %6.3f ms\n", bands.size(),
                bd.median, bd.max);
    bool fast = c.max < limit && bd.max < limit && bm.max < limit;
    for (const auto& [name, d] :
         {std::pair("move", moved), std::pair("resize", resized), std::pair("turn", turned)}) {
        std::printf(
            "%-6s %d objects, each move (%d):      median %6.3f ms, max %6.3f ms; drag start %.1f ms, "
            "release %.1f ms\n",
            name, selected, moves, d.moves.median, d.moves.max, d.start, d.release);
        fast = fast && d.moves.max < limit;
    }
    std::printf("limit %.0f ms for clicks, bands and moves\n", limit);
    return fast ? 0 : 1;
}
