// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing files: saving and opening a page of 10,000 objects of every kind in each format, through
// the control's SaveDrawing and LoadDrawing. One row per codec; a codec adds its row to the table.
// Then DXF beside the native format on a page of 100,000 objects: reading should take at most 5
// times, writing at most 4 times the native format's time on the same page.
// Usage: bench_drawfiles [folder to keep the files in]
#include "platform/drawing/mdrawpro.h"
#include "platform/drawing/objecttags.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <ctime>
#include <cstdio>
#include <functional>
#include <vector>

using namespace draw;

namespace {

struct Codec {
    const char* name;
    int code;
    const char* extension;
    QSize pixels;    // for bitmaps: the output size; empty for the others
    double budgetMs; // each of save and load
};

// The formats timed, with the time each save and each load may take.
const std::vector<Codec> codecs = {
    {"native", 10, ".kdf", {}, 100},
    {"BMP 2000x2000", 1, ".bmp", {2000, 2000}, 1000},
    {"WMF", 2, ".wmf", {}, 500},
    {"EMF", 4, ".emf", {}, 500},
    {"DXF", 13, ".dxf", {}, 500},
};

QImage symbol() {
    QImage image(32, 32, QImage::Format_RGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            image.setPixel(x, y, qRgb(x * 8, y * 8, 128));
    return image;
}

QImage fillPattern() {
    QImage p(8, 8, QImage::Format_Mono);
    p.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    p.fill(0);
    for (int i = 0; i < 8; ++i)
        p.setPixel(i, i, 1);
    return p;
}

// n objects cycling through the eight kinds over an 11 by 8.5 inch page, tagged as report pages
// tag them, with pattern fills, turned texts and shapes, and groups of ten.
void fillPage(MDrawPro& d, int n) {
    d.ClearDrawing();
    d.Redraw(false);
    d.PageWidth(6300);
    d.PageHeight(4800);
    d.UnitsWidth(6300);
    d.UnitsHeight(4800);
    const QImage pic = symbol();
    const QImage pattern = fillPattern();
    const Kind kinds[] = {Line, Rectangle, RoundRect, Ellipse, Polyline, Polygon, Text, Bitmap};
    for (int i = 0; i < n; ++i) {
        const Long x = 100 + (i * 61) % 6000, y = 100 + (i * 37) % 4500;
        DrawObject& o = d.add(kinds[i % 8], x, y, x + 150, y + 90);
        o.style.lineWidth = 4 * (i % 4);
        o.style.lineColor = RGB(i % 256, 0, 128);
        o.setTag(tags::GroupName, QStringLiteral("graph"));
        o.setTag(tags::ObjName, QStringLiteral("item%1").arg(i % 200));
        switch (o.kind) {
        case Polyline:
        case Polygon:
            d.setVertices(o, {QPoint(x, y), QPoint(x + 40, y + 90), QPoint(x + 150, y + 10), QPoint(x + 75, y)});
            break;
        case Text:
            o.text = QStringLiteral("MW-%1 12.5 mg/L").arg(i);
            o.style.textAngle = (i % 3) * 45;
            o.style.textAlign = i % 3;
            break;
        case Bitmap:
            o.picture = pic;
            break;
        case Rectangle:
            o.angle = (i % 5) * 15;
            if (i % 3 == 0) {
                o.style.fill = FillMode::Picture;
                o.style.fillPicture = pattern;
                o.setTag(tags::Fill, QStringLiteral("Diag.bmp"));
                o.setTag(tags::Color, QString::number(RGB(0, 0, 255)));
            }
            break;
        default:
            break;
        }
        if (i % 10 < 4) o.group = 1 + i / 10;
    }
    d.Redraw(true);
}

double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// The best of some runs, on the clock and in processor time (which a busy machine inflates less).
struct Timing {
    double wall = 1e300;
    double cpu = 1e300;
};

Timing bestOf(int runs, const std::function<void()>& f) {
    Timing best;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer t;
        const double c0 = cpuMs();
        t.start();
        f();
        best.wall = std::min(best.wall, t.nsecsElapsed() / 1e6);
        best.cpu = std::min(best.cpu, cpuMs() - c0);
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir temp;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temp.path();

    int failures = 0;
    constexpr int Objects = 10000;
    MDrawPro page;
    fillPage(page, Objects);
    std::printf("%d objects, best of 5 runs each\n", Objects);
    std::printf("%-16s %16s %16s %8s %12s\n", "codec", "save ms (cpu)", "load ms (cpu)", "budget", "file bytes");
    for (const Codec& c : codecs) {
        const QString file = folder + QStringLiteral("/bench") + QLatin1String(c.extension);
        page.OutputWidth(c.pixels.width());
        page.OutputHeight(c.pixels.height());
        MDrawPro loaded;
        try {
            const Timing save = bestOf(5, [&] { page.SaveDrawing(file, 0, c.code); });
            const Timing load = bestOf(5, [&] { loaded.LoadDrawing(file, 0, c.code); });
            const bool over = save.wall > c.budgetMs || load.wall > c.budgetMs;
            failures += over;
            std::printf("%-16s %7.1f (%6.1f) %7.1f (%6.1f) %8.0f %12lld%s\n", c.name, save.wall, save.cpu, load.wall,
                        load.cpu, c.budgetMs, (long long)QFileInfo(file).size(), over ? "  OVER BUDGET" : "");
        } catch (const std::exception& e) {
            std::printf("%-16s failed: %s\n", c.name, e.what());
            ++failures;
        }
    }

    constexpr int Many = 100000;
    fillPage(page, Many);
    std::printf("\n%d objects, best of 3 runs each: DXF beside the native format\n", Many);
    std::printf("%-8s %16s %16s %12s\n", "codec", "save ms (cpu)", "load ms (cpu)", "file bytes");
    Timing native[2];
    for (const Codec& c : {codecs.front(), codecs.back()}) {
        const QString file = folder + QStringLiteral("/many") + QLatin1String(c.extension);
        MDrawPro loaded;
        const Timing save = bestOf(3, [&] { page.SaveDrawing(file, 0, c.code); });
        const Timing load = bestOf(3, [&] { loaded.LoadDrawing(file, 0, c.code); });
        if (loaded.count() != page.count()) {
            std::printf("%-8s read back %d objects of %d\n", c.extension, loaded.count(), page.count());
            ++failures;
        }
        std::printf("%-8s %7.1f (%6.1f) %7.1f (%6.1f) %12lld", c.extension, save.wall, save.cpu, load.wall, load.cpu,
                    (long long)QFileInfo(file).size());
        if (c.code == codecs.front().code) {
            native[0] = save;
            native[1] = load;
            std::printf("  (the reference)\n");
            continue;
        }
        const double saveRatio = save.wall / native[0].wall, loadRatio = load.wall / native[1].wall;
        const bool ok = saveRatio <= 4 && loadRatio <= 5;
        failures += !ok;
        std::printf("  save %.1fx, load %.1fx the native's (marks 4x, 5x)%s\n", saveRatio, loadRatio,
                    ok ? "" : "  MISSED");
    }
    std::printf("%s\n", failures ? "some figures missed their mark" : "all figures within their marks");
    return failures ? 1 : 0;
}
