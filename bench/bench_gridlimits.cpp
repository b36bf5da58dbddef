// SPDX-License-Identifier: GPL-3.0-or-later
// What the gridding limits cost and spare: the peak memory of refusing far more points than a method
// takes (it must stay near the points' own size, not the method's need), then the time and peak
// memory of each method at its limit on the 100 x 100 grid, where the time should stay within a
// few seconds. The peak is the process's high-water mark, so the refusals are measured first.
#include "platform/contour/contourgrid.h"
#include "platform/contour/gridding_methods.h"
#include "platform/qmerror.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cmath>
#include <cstdio>
#include <random>
#include <sys/resource.h>

namespace {

double peakMb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024.0;
}

std::vector<ScatterPoint> points(int n) {
    std::mt19937 rng(2002);
    std::uniform_real_distribution<double> u(0, 1000);
    std::vector<ScatterPoint> pts;
    pts.reserve(size_t(n));
    while (int(pts.size()) < n) {
        const double x = u(rng), y = u(rng);
        pts.push_back({x, y, 50 + 20 * std::sin(x / 150) * std::cos(y / 200)});
    }
    return pts;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int failures = 0;
    const int n = 50'000;
    const std::vector<ScatterPoint> many = points(n);
    std::printf("Refusing %d points (the points themselves: %.1f MB)\n", n, n * sizeof(ScatterPoint) / 1e6);
    std::printf("  %-42s %12s %16s %s\n", "method", "peak grew MB", "dense need MB", "");
    for (int m : {2, 8}) {
        const double before = peakMb();
        GridDataArgs a;
        a.Algorithm = m;
        QString why;
        try {
            gridPoints(many, a);
        } catch (const QmError& e) {
            why = e.detail();
        }
        const double grew = peakMb() - before;
        const double dense = 2.0 * (n + 3.0) * (n + 3.0) * 8 / 1e6;
        const bool ok = !why.isEmpty() && grew < 50;
        failures += !ok;
        std::printf("  %d %-40s %12.1f %16.0f %s (%s)\n", m, GriddingMethodOf(m).name, grew, dense,
                    ok ? "refused under 50 MB" : "NOT REFUSED CHEAPLY", qPrintable(why));
    }

    std::printf("Each method at its limit onto a 100 x 100 grid\n");
    std::printf("  %-42s %9s %9s %12s %s\n", "method", "points", "seconds", "peak MB", "");
    for (int m = 1; m <= 9; ++m) {
        const int most = GriddingMethodOf(m).points;
        const std::vector<ScatterPoint> pts = points(most);
        GridDataArgs a;
        a.Algorithm = m;
        QElapsedTimer t;
        t.start();
        const ContourGrid g = gridPoints(pts, a);
        const double s = t.nsecsElapsed() / 1e9;
        const bool ok = s < 10 && g.nx * g.ny == 10000;
        failures += !ok;
        std::printf("  %d %-40s %9d %9.2f %12.0f %s\n", m, GriddingMethodOf(m).name, most, s, peakMb(),
                    ok ? "under 10 s" : "OVER 10 s");
    }
    std::printf("%s\n", failures ? "some limits missed their mark" : "all limits within their marks");
    return failures ? 1 : 0;
}
