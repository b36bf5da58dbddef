// SPDX-License-Identifier: GPL-3.0-or-later
// A palette click applied to 10,000 selected objects of the page: a colour with the solid pattern, a
// pattern (its coloured picture and the print tags on every object) and a line width. Limit 50 ms each.
#include "drawcmd/editingsession.h"
#include "drawcmd/pagecanvas.h"
#include "drawwin/palette.h"
#include "drawwin/shippedpictures.h"
#include "platform/drawing/objecttags.h"
#include "platform/progfolder.h"
#include "project/modgw.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double median(const std::function<void()>& work) {
    std::vector<double> runs;
    for (int r = 0; r < 11; ++r) {
        QElapsedTimer t;
        t.start();
        work();
        runs.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir home;
    SetProgramFolder(home.path() + QStringLiteral("/qmar2002"));
    QDir().mkpath(home.path() + QStringLiteral("/qmar2002"));
    modgw().FillPath = ProgramFolder() + QStringLiteral("fills/");
    shipped::WriteMissing();

    constexpr int objects = 10000;
    MDrawPro pal;
    MDrawPro page;
    createFillPalette(pal, page, nullptr);
    page.Redraw(false);
    for (int i = 0; i < objects; ++i) {
        page.AddObject(2, (i % 100) * 60, (i / 100) * 48, (i % 100) * 60 + 50, (i / 100) * 48 + 40);
        page.ObjectSelected(true);
    }
    page.Redraw(true);

    // The view makes the clicked swatch current, then the click timer runs the single click.
    auto single = [&](int swatch) {
        pal.setCurrent(swatch);
        PaletteObjectClicked(pal, page);
        PaletteSingleClick(pal, page);
    };
    int failed = 0;
    auto report = [&](const char* what, double ms) {
        std::printf("%-34s %d selected: median %6.2f ms (limit 50 ms)\n", what, objects, ms);
        if (ms >= 50) ++failed;
    };
    report("colour, solid pattern", median([&] { single(14); }));
    if (page.find(objects)->style.fillColor != editingSession().PaletteColors[2]) {
        std::fprintf(stderr, "the colour did not reach the selection\n");
        return 1;
    }
    report("pattern in the current colour", median([&] { single(6); }));
    if (page.find(objects)->tag(draw::tags::Fill) != QStringLiteral("F3.bmp")) {
        std::fprintf(stderr, "the pattern did not reach the selection\n");
        return 1;
    }
    report("line width", median([&] {
               pal.setCurrent(33);
               PaletteObjectClicked(pal, page);
           }));
    return failed ? 1 : 0;
}
