// SPDX-License-Identifier: GPL-3.0-or-later
// Contouring timings on a 100 by 100 grid: the contour lines alone, the filled bands, and a whole
// contour map and wireframe laid out on a plot page as the contour run sizes them.
#include "platform/contour/contouring.h"
#include "platform/contour/plotdoc.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

ContourGrid surface() {
    ContourGrid g;
    g.nx = g.ny = 100;
    g.xMin = g.yMin = 0;
    g.xMax = g.yMax = 1000;
    g.z.resize(size_t(g.nx) * g.ny);
    for (int j = 0; j < g.ny; ++j)
        for (int i = 0; i < g.nx; ++i) {
            const double x = g.xAt(i), y = g.yAt(j);
            g.at(i, j) = 40 * std::exp(-((x - 300) * (x - 300) + (y - 600) * (y - 600)) / 40000) -
                         25 * std::exp(-((x - 700) * (x - 700) + (y - 300) * (y - 300)) / 30000) +
                         5 * std::sin(x / 90) * std::cos(y / 70) + 0.01 * x;
        }
    return g;
}

// The median of runs, in milliseconds.
double median(int runs, const std::function<void()>& f) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const ContourGrid g = surface();
    size_t lines = 0, bands = 0;
    contour::contourLines(g, contour::chooseLevels(g)); // GDAL's drivers registered outside the timing
    const double tLines =
        median(21, [&] { lines = contour::contourLines(g, contour::chooseLevels(g)).size(); });
    const double tBands =
        median(21, [&] { bands = contour::contourBands(g, contour::chooseLevels(g)).size(); });
    const double tMap = median(11, [&] {
        contour::PlotDocument doc(1);
        contour::Shape& map = doc.addContourMap(g);
        map.Width(7.3);
        map.Height(6.9);
        map.left(0.8);
        map.top(7.6);
        map.Overlays(1).FillContours(true);
    });
    int wireObjects = 0;
    const double tWire = median(5, [&] {
        contour::PlotDocument doc(1);
        doc.Windows(1).AutoRedraw(false);
        contour::Shape& wire = doc.addWireFrame(g);
        wire.ViewRotation(45);
        wire.ViewTilt(30);
        wire.Width(7.3);
        wire.Height(3.5 * 1.4);
        wire.top(2.25 + wire.Height() / 2);
        wire.left(4.4 - wire.Width() / 2);
        wireObjects = doc.drawing().count();
    });
    std::printf("100 x 100 grid, %zu line pieces, %zu band polygons\n", lines, bands);
    std::printf("contour lines (levels chosen, GDAL, clipped):   %7.2f ms  (limit 50 ms)\n", tLines);
    std::printf("filled bands:                                   %7.2f ms\n", tBands);
    std::printf("contour map placed, sized, filled (6 layouts):  %7.2f ms\n", tMap);
    std::printf("wireframe turned, tilted, sized (%d cells):   %7.2f ms\n", wireObjects, tWire);
    return tLines < 50 ? 0 : 1;
}
