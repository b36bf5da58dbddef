// SPDX-License-Identifier: GPL-3.0-or-later
// Gridding timings, each beside GDAL's C API called in this process on the same points and nodes.
// 1. 500 scattered points onto the 100 x 100 grid gridPoints makes, by every method. The methods
//    GDAL grids itself (1, 6, 9) are timed against GDALGridCreate with GDAL's default settings and
//    with its exact (double precision, no SSE/AVX) path, which ours takes; they should take at most
//    twice the exact path's time. Every method of our own should take under a second.
// 2. Natural neighbour against GDAL's linear method on the same Delaunay triangulation: larger and
//    clustered point sets onto 500 x 500 nodes. Natural neighbour should leave blank only the nodes
//    linear leaves blank (outside the hull; a few nodes either way on the hull's edge) and take at
//    most 8 times linear's time.
// Usage: bench_gridding [folder]: natural neighbour's grids of part 2 are written there when missing
// and compared with when present, to show that a change left the values as they were.
#include "platform/contour/contourgrid.h"
#include "platform/contour/gridding_methods.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cpl_conv.h>
#include <gdal.h>
#include <gdal_alg.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>

namespace {

const char* const Names[] = {"", "Inverse Distance", "Kriging", "Minimum Curvature",
                             "Modified Shepard's Method", "Natural Neighbor", "Nearest Neighbor",
                             "Polynomial Regression", "Radial Basis Functions",
                             "Triangulation with Linear Interpolation"};

double median(const std::function<void()>& job, int runs) {
    std::vector<double> ms;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer t;
        t.start();
        job();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

double surface(double x, double y) { return 50 + 20 * std::sin(x / 150) * std::cos(y / 200) + 0.01 * x; }

// n points over 1000 x 1000: uniform, or in 40 clusters of about 15 units' spread.
std::vector<ScatterPoint> points(int n, bool clustered, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> u(0, 1000);
    std::normal_distribution<double> spread(0, 15);
    std::vector<std::pair<double, double>> centres(40);
    for (auto& c : centres) c = {u(rng), u(rng)};
    std::vector<ScatterPoint> pts;
    while (int(pts.size()) < n) {
        double x = u(rng), y = u(rng);
        if (clustered) {
            const auto& c = centres[size_t(rng() % centres.size())];
            x = c.first + spread(rng);
            y = c.second + spread(rng);
        }
        pts.push_back({x, y, surface(x, y)});
    }
    return pts;
}

// GDAL's gridder on our nodes (GDAL takes cell edges and values cell centres), rows as ours.
void gdalGrid(GDALGridAlgorithm alg, const void* options, const std::vector<ScatterPoint>& pts, ContourGrid& g,
              bool exact) {
    std::vector<double> x, y, z;
    for (const auto& p : pts) x.push_back(p.x), y.push_back(p.y), z.push_back(p.z);
    const double dx = (g.xMax - g.xMin) / (g.nx - 1), dy = (g.yMax - g.yMin) / (g.ny - 1);
    CPLSetThreadLocalConfigOption("GDAL_USE_AVX", exact ? "NO" : nullptr);
    CPLSetThreadLocalConfigOption("GDAL_USE_SSE", exact ? "NO" : nullptr);
    GDALGridCreate(alg, options, GUInt32(pts.size()), x.data(), y.data(), z.data(), g.xMin - dx / 2,
                   g.xMax + dx / 2, g.yMin - dy / 2, g.yMax + dy / 2, GUInt32(g.nx), GUInt32(g.ny), GDT_Float64,
                   g.z.data(), nullptr, nullptr);
    CPLSetThreadLocalConfigOption("GDAL_USE_AVX", nullptr);
    CPLSetThreadLocalConfigOption("GDAL_USE_SSE", nullptr);
}

void gdalMethod(int m, const std::vector<ScatterPoint>& pts, ContourGrid& g, bool exact) {
    if (m == 1) {
        GDALGridInverseDistanceToAPowerOptions o{};
        o.nSizeOfStructure = sizeof(o);
        o.dfPower = 2;
        o.dfNoDataValue = g.nodata;
        gdalGrid(GGA_InverseDistanceToAPower, &o, pts, g, exact);
    } else if (m == 6) {
        GDALGridNearestNeighborOptions o{};
        o.nSizeOfStructure = sizeof(o);
        o.dfNoDataValue = g.nodata;
        gdalGrid(GGA_NearestNeighbor, &o, pts, g, exact);
    } else {
        GDALGridLinearOptions o{};
        o.nSizeOfStructure = sizeof(o);
        o.dfNoDataValue = g.nodata;
        gdalGrid(GGA_Linear, &o, pts, g, exact);
    }
}

double largestDifference(const ContourGrid& a, const ContourGrid& b) {
    double worst = 0;
    for (size_t k = 0; k < a.z.size(); ++k)
        if (a.z[k] != a.nodata && b.z[k] != b.nodata) worst = std::max(worst, std::abs(a.z[k] - b.z[k]));
    return worst;
}

int blanks(const ContourGrid& g) { return int(std::count(g.z.begin(), g.z.end(), g.nodata)); }

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    GDALAllRegister();
    int failures = 0;

    // A square with its corners, sampled at 500 places.
    std::vector<ScatterPoint> pts;
    for (auto [x, y] : {std::pair{0.0, 0.0}, {1000.0, 0.0}, {0.0, 1000.0}, {1000.0, 1000.0}})
        pts.push_back({x, y, surface(x, y)});
    for (const ScatterPoint& p : points(496, false, 2002)) pts.push_back(p);

    std::printf("500 points onto a 100 x 100 grid, median of 5 runs; GDAL = GDALGridCreate in this process\n");
    std::printf("  %-42s %8s %12s %10s %7s %s\n", "method", "ours ms", "GDAL default", "GDAL exact", "ratio", "");
    for (int m = 1; m <= 9; ++m) {
        GridDataArgs a;
        a.Algorithm = m;
        ContourGrid g;
        const double ours = median([&] { g = gridPoints(pts, a); }, 5);
        if (m != 1 && m != 6 && m != 9) {
            const bool ok = ours < 1000;
            failures += !ok;
            std::printf("  %d %-40s %8.1f %12s %10s %7s %s\n", m, Names[m], ours, "-", "-", "-",
                        ok ? "under 1 s" : "OVER 1 s");
            continue;
        }
        ContourGrid theirs = g, exact = g;
        const double fast = median([&] { gdalMethod(m, pts, theirs, false); }, 5);
        const double slow = median([&] { gdalMethod(m, pts, exact, true); }, 5);
        const double ratio = ours / slow;
        const bool ok = ratio <= 2;
        failures += !ok;
        std::printf("  %d %-40s %8.1f %12.1f %10.1f %7.2f %s (largest difference from exact %.3g, from default %.3g)\n",
                    m, Names[m], ours, fast, slow, ratio, ok ? "within 2x exact" : "SLOWER THAN 2x EXACT",
                    largestDifference(g, exact), largestDifference(g, theirs));
    }

    const QString keep = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (!keep.isEmpty()) QDir().mkpath(keep);
    std::printf("\nNatural neighbour against GDAL linear (GDALGridCreate) onto 500 x 500 nodes, median of 3 runs\n");
    std::printf("  %-20s %9s %9s %7s %8s %8s %8s %s\n", "points", "NN ms", "linear ms", "ratio", "NN blank",
                "lin blank", "differ", "");
    struct Set {
        const char* name;
        int n;
        bool clustered;
    };
    for (const Set& s : {Set{"5,000 clustered", 5000, true}, Set{"50,000 random", 50000, false},
                         Set{"50,000 clustered", 50000, true}}) {
        const std::vector<ScatterPoint> set = points(s.n, s.clustered, 33);
        ContourGrid g;
        g.nx = g.ny = 500;
        g.xMin = g.yMin = 1e300;
        g.xMax = g.yMax = -1e300;
        for (const auto& p : set) {
            g.xMin = std::min(g.xMin, p.x), g.xMax = std::max(g.xMax, p.x);
            g.yMin = std::min(g.yMin, p.y), g.yMax = std::max(g.yMax, p.y);
        }
        g.z.assign(size_t(g.nx) * g.ny, g.nodata);
        ContourGrid linear = g;
        const double nn = median([&] { gridding::naturalNeighbor(set, g); }, 3);
        const double lin = median([&] { gdalMethod(9, set, linear, true); }, 3);
        int differ = 0; // nodes blank in one and not the other
        for (size_t k = 0; k < g.z.size(); ++k) differ += (g.z[k] == g.nodata) != (linear.z[k] == linear.nodata);
        const bool ok = nn <= 8 * lin && differ <= 20;
        failures += !ok;
        std::printf("  %-20s %9.1f %9.1f %7.2f %8d %8d %8d %s\n", s.name, nn, lin, nn / lin, blanks(g),
                    blanks(linear), differ, ok ? "within 8x, same blanks" : "MISSED");
        if (keep.isEmpty()) continue;
        const QString file = keep + QStringLiteral("/nn%1%2.grd").arg(s.n).arg(s.clustered ? "c" : "r");
        if (!QFileInfo::exists(file)) {
            writeGridFile(file, g);
            continue;
        }
        const ContourGrid before = readGridFile(file);
        int newlyValued = 0;
        for (size_t k = 0; k < g.z.size(); ++k) newlyValued += before.z[k] == before.nodata && g.z[k] != g.nodata;
        const double d = largestDifference(g, before);
        failures += !(d <= 1e-9) || blanks(g) > blanks(before);
        std::printf("  %-20s against %s: largest difference %.3g, %d nodes newly valued, %d newly blank\n", "",
                    qPrintable(QFileInfo(file).fileName()), d, newlyValued,
                    std::max(0, blanks(g) - blanks(before) + newlyValued));
    }
    std::printf("%s\n", failures ? "some figures missed their mark" : "all figures within their marks");
    return failures ? 1 : 0;
}
