// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing control timings: adding objects and finding each by id (should grow linearly), and
// rendering a full page of mixed objects to a 300-dpi image.
#include "drawcmd/metaugl.h"
#include "platform/drawing/drawrender.h"
#include "project/modgw.h"

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

// 10,000 objects of every kind the report pages use, spread over an 11 by 8.5 inch page.
void mixedPage(int n) {
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
        switch (i % 10) {
        case 0:
        case 1:
        case 2:
            LT(1);
            LR(0.4f);
            break;
        case 3:
            LT(5);
            LU(0.3f);
            break;
        case 4:
            LT(6);
            LR(0.5f);
            break;
        case 5:
        case 6:
        case 7:
            A(QStringLiteral("MW-%1").arg(i));
            break;
        case 8:
            EFS(0.05f, 0.3f);
            break;
        case 9:
            PR(0.2f);
            PU(0.1f);
            PL(0.2f);
            PFC(0xC0C0FF);
            break;
        }
    }
    pageDrawing().Redraw(true);
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

    mixedPage(10000);
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
