// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing control timings: adding objects and finding each by id (should grow linearly), and
// rendering a full page of mixed objects to a 300-dpi image.
#include "bench/benchsupport.h"
#include "platform/drawing/drawrender.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double addAndFind(int n) {
    MDrawPro d;
    QElapsedTimer t;
    t.start();
    d.Redraw(false);
    for (int i = 0; i < n; ++i)
        d.AddObject(1 + (i % 2), i % 6000, i % 4000, i % 6000 + 50, i % 4000 + 50);
    long long kinds = 0;
    for (int id = 1; id <= n; ++id) {
        d.ObjectId(id);
        kinds += d.ObjectType();
    }
    const double ms = t.nsecsElapsed() / 1e6;
    if (kinds == 0) std::printf("?");
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    std::printf("add + look up by id\n");
    for (int n : {12500, 25000, 50000, 100000, 200000}) {
        std::vector<double> runs;
        for (int r = 0; r < 3; ++r)
            runs.push_back(addAndFind(n));
        const double best = *std::min_element(runs.begin(), runs.end());
        std::printf("  %7d objects: %8.2f ms  (%.0f ns per object)\n", n, best, best * 1e6 / n);
    }

    // Every kind the report pages use.
    using bench::Piece;
    bench::fillPage(10000, {Piece::Rule, Piece::Rule, Piece::Rule, Piece::StyledRise, Piece::DashedAcross,
                            Piece::Label, Piece::Label, Piece::Label, Piece::Dot, Piece::FilledBox});
    std::printf("render %d mixed objects to a 300-dpi image (%lld objects on the page)\n", 10000,
                (long long)pageDrawing().count());
    draw::renderImage(pageDrawing(), 300); // warm the font and glyph caches
    std::vector<double> times;
    for (int r = 0; r < 7; ++r) {
        QElapsedTimer t;
        t.start();
        const QImage image = draw::renderImage(pageDrawing(), 300);
        times.push_back(t.nsecsElapsed() / 1e6);
        if (image.isNull()) return 1;
    }
    std::sort(times.begin(), times.end());
    std::printf("  median %.1f ms, best %.1f ms, worst %.1f ms\n", times[times.size() / 2], times.front(),
                times.back());
    if (argc > 1) draw::writePng(pageDrawing(), QString::fromLocal8Bit(argv[1]), 300);
    return 0;
}
