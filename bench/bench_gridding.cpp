// SPDX-License-Identifier: GPL-3.0-or-later
// Gridding timings: 500 scattered points onto a 100 x 100 grid by every method. The methods GDAL
// grids itself (1, 6, 9) are timed against the gdal_grid command on the same points and nodes (the
// whole job each way: read the points, grid, write the grid file), and should take at most twice
// its time; every method of our own should take under a second.
#include "platform/contour/contourgrid.h"
#include "platform/textfile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <gdal.h>

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

// The same points as GeoJSON with Z, which gdal_grid grids without further options.
void writeGeoJson(const QString& path, const std::vector<ScatterPoint>& pts) {
    QByteArray s = "{\"type\":\"FeatureCollection\",\"features\":[\n";
    for (size_t k = 0; k < pts.size(); ++k) {
        s += "{\"type\":\"Feature\",\"properties\":{},\"geometry\":{\"type\":\"Point\",\"coordinates\":[" +
             QByteArray::number(pts[k].x, 'g', 17) + "," + QByteArray::number(pts[k].y, 'g', 17) + "," +
             QByteArray::number(pts[k].z, 'g', 17) + "]}}" + (k + 1 < pts.size() ? ",\n" : "\n");
    }
    s += "]}\n";
    qtext::WriteBytes(path, s);
}

// gdal_grid's output (top row first) against our grid (lowest row first): the largest difference.
double largestDifference(const QString& tif, const ContourGrid& g) {
    GDALDatasetH ds = GDALOpen(tif.toUtf8().constData(), GA_ReadOnly);
    if (!ds) return NAN;
    std::vector<double> z(size_t(g.nx) * g.ny);
    const CPLErr e = GDALRasterIO(GDALGetRasterBand(ds, 1), GF_Read, 0, 0, g.nx, g.ny, z.data(), g.nx, g.ny,
                                  GDT_Float64, 0, 0);
    GDALClose(ds);
    if (e != CE_None) return NAN;
    double worst = 0;
    for (int j = 0; j < g.ny; ++j)
        for (int i = 0; i < g.nx; ++i) {
            const double theirs = z[size_t(g.ny - 1 - j) * g.nx + i];
            if (g.isBlank(i, j) != (theirs == g.nodata)) return INFINITY;
            if (!g.isBlank(i, j)) worst = std::max(worst, std::abs(theirs - g.at(i, j)));
        }
    return worst;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    GDALAllRegister();
    QTemporaryDir dir;
    const QString data = dir.filePath("POINTS.TXT"), json = dir.filePath("points.geojson");

    // A smooth surface with some relief, sampled at 500 places over a square with its corners.
    std::mt19937 rng(2002);
    std::uniform_real_distribution<double> u(0, 1000);
    auto surface = [](double x, double y) {
        return 50 + 20 * std::sin(x / 150) * std::cos(y / 200) + 0.01 * x;
    };
    std::vector<ScatterPoint> pts;
    for (auto [x, y] : {std::pair{0.0, 0.0}, {1000.0, 0.0}, {0.0, 1000.0}, {1000.0, 1000.0}})
        pts.push_back({x, y, surface(x, y)});
    while (pts.size() < 500) {
        const double x = u(rng), y = u(rng);
        pts.push_back({x, y, surface(x, y)});
    }
    QStringList lines;
    for (const auto& p : pts)
        lines << QString::number(p.x, 'g', 17) + '\t' + QString::number(p.y, 'g', 17) + '\t' +
                     QString::number(p.z, 'g', 17);
    qtext::WriteLines(data, lines);
    writeGeoJson(json, pts);

    std::printf("500 points onto a 100 x 100 grid (median of 5 runs)\n");
    std::printf("  %-42s %9s %9s %9s %9s %s\n", "method", "grid ms", "job ms", "gdal_grid", "ratio", "");
    int failures = 0;
    for (int m = 1; m <= 9; ++m) {
        GridDataArgs a;
        a.Algorithm = m;
        a.DataFile = data;
        a.OutGrid = dir.filePath(QStringLiteral("M%1.GRD").arg(m));
        ContourGrid g;
        const double gridMs = median([&] { g = gridPoints(pts, a); }, 5);
        const double jobMs = median([&] { GridData(a); }, 5);
        if (g.nx != 100 || g.ny != 100) {
            std::printf("  unexpected grid %d x %d\n", g.nx, g.ny);
            return 1;
        }
        if (m != 1 && m != 6 && m != 9) {
            const bool ok = gridMs < 1000;
            failures += !ok;
            std::printf("  %d %-40s %9.1f %9.1f %9s %9s %s\n", m, Names[m], gridMs, jobMs, "", "",
                        ok ? "under 1 s" : "OVER 1 s");
            continue;
        }
        // gdal_grid takes cell edges; our nodes sit on the limits, half a cell inside them.
        const double dx = (g.xMax - g.xMin) / (g.nx - 1), dy = (g.yMax - g.yMin) / (g.ny - 1);
        const QString nodata = QString::number(g.nodata, 'g', 17);
        const QString alg = m == 1 ? "invdist:power=2:smoothing=0:radius1=0:radius2=0:nodata=" + nodata
                            : m == 6 ? "nearest:radius1=0:radius2=0:nodata=" + nodata
                                     : "linear:radius=0:nodata=" + nodata;
        const QString tif = dir.filePath(QStringLiteral("gdal%1.tif").arg(m));
        const QStringList args = {"-q", "-a", alg, "-txe", QString::number(g.xMin - dx / 2, 'g', 17),
                                  QString::number(g.xMax + dx / 2, 'g', 17), "-tye",
                                  QString::number(g.yMax + dy / 2, 'g', 17), QString::number(g.yMin - dy / 2, 'g', 17),
                                  "-outsize", "100", "100", "-ot", "Float64", "-of", "GTiff", json, tif};
        bool ran = true;
        const double theirMs = median(
            [&] {
                QProcess p;
                p.start("gdal_grid", args);
                ran = p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 && ran;
            },
            5);
        if (!ran) {
            std::printf("  %d %-40s gdal_grid did not run\n", m, Names[m]);
            ++failures;
            continue;
        }
        const double ratio = jobMs / theirMs;
        const bool ok = ratio <= 2;
        failures += !ok;
        std::printf("  %d %-40s %9.1f %9.1f %9.1f %9.2f %s (largest difference %.3g)\n", m, Names[m], gridMs,
                    jobMs, theirMs, ratio, ok ? "within 2x" : "SLOWER THAN 2x", largestDifference(tif, g));
    }
    std::printf("%s\n", failures ? "some timings missed their mark" : "all timings within their marks");
    return failures ? 1 : 0;
}
