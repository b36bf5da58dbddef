// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/contour/contourgrid.h"
#include "platform/contour/gridding_methods.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr int LongSideNodes = 100;
constexpr int MinNodes = 10;

// A whole field that is a number; "-", "" or "12 ft" is none (not 0, which would be a made-up value).
std::optional<double> fieldNumber(const QString& field) {
    const QString f = field.trimmed();
    if (f.isEmpty()) return std::nullopt;
    bool ok = false;
    const double v = f.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

// Fields separated by a Tab or a comma (blanks around it belong to the separator), or by a run of
// blanks. Two separators in a row leave an empty field between them, so "1,,3" has no Y.
QStringList splitFields(const QString& line) {
    const QString s = line.trimmed();
    QStringList fields;
    QString cur;
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = s[i];
        if (c == u',' || c == u'\t') {
            fields << cur;
            cur.clear();
            ++i;
        } else if (c == u' ') {
            qsizetype k = i;
            while (k < n && s[k] == u' ') ++k;
            const bool beforeSeparator = k < n && (s[k] == u',' || s[k] == u'\t');
            if (!beforeSeparator && !cur.isEmpty()) {
                fields << cur;
                cur.clear();
            }
            i = k;
        } else {
            cur += c;
            ++i;
        }
    }
    fields << cur;
    return fields;
}

// One point per location: repeated locations would make the interpolating systems singular, and
// their mean is the only value that honours them all equally.
std::vector<ScatterPoint> distinctPoints(std::vector<ScatterPoint> pts) {
    std::sort(pts.begin(), pts.end(), [](const ScatterPoint& a, const ScatterPoint& b) {
        return a.x != b.x ? a.x < b.x : a.y < b.y;
    });
    std::vector<ScatterPoint> out;
    for (size_t i = 0; i < pts.size();) {
        size_t k = i;
        double sum = 0;
        while (k < pts.size() && pts[k].x == pts[i].x && pts[k].y == pts[i].y) sum += pts[k++].z;
        out.push_back({pts[i].x, pts[i].y, k - i == 1 ? pts[i].z : sum / double(k - i)});
        i = k;
    }
    return out;
}

} // namespace

namespace {

// Each grids its limit onto 100 x 100 nodes within a few seconds and a few hundred megabytes. The
// dense systems of Kriging and radial basis functions need 2 (n + 3)^2 doubles and n^3 time; the
// others grow with points times nodes, or points squared for Shepard's nodal fits.
constexpr GriddingMethod methods[] = {
    {1, "Inverse Distance", 200'000, 1'000'000, gridding::inverseDistance},
    {2, "Kriging", 2'000, 1'000'000, gridding::kriging},
    {3, "Minimum Curvature", 500'000, 250'000, gridding::minimumCurvature},
    {4, "Modified Shepard's Method", 6'000, 1'000'000, gridding::modifiedShepard},
    // Natural neighbour walks the triangulation, as linear interpolation does.
    {5, "Natural Neighbor", 100'000, 1'000'000, gridding::naturalNeighbor},
    {6, "Nearest Neighbor", 100'000, 1'000'000, gridding::nearestNeighbor},
    {7, "Polynomial Regression", 500'000, MaxGridNodes, gridding::polynomialRegression},
    {8, "Radial Basis Functions", 2'000, 1'000'000, gridding::radialBasis},
    {9, "Triangulation with Linear Interpolation", 100'000, 1'000'000, gridding::triangulationLinear},
};

} // namespace

std::span<const GriddingMethod> GriddingMethods() {
    return methods;
}

const GriddingMethod& GriddingMethodOf(int number) {
    return number >= 1 && number <= 9 ? methods[number - 1] : methods[1];
}

int GriddingMethodNumber(const QString& name) {
    for (const GriddingMethod& m : methods)
        if (name == QLatin1String(m.name)) return m.number;
    return 0;
}

std::vector<ScatterPoint> readScatterPoints(const QString& path) {
    std::vector<ScatterPoint> pts;
    for (const QString& line : qtext::ReadLines(path)) {
        const QStringList f = splitFields(line);
        if (f.size() < 3) continue;
        const auto x = fieldNumber(f[0]), y = fieldNumber(f[1]), z = fieldNumber(f[2]);
        if (x && y && z) pts.push_back({*x, *y, *z});
    }
    return pts;
}

ContourGrid gridPoints(const std::vector<ScatterPoint>& points, const GridDataArgs& args) {
    const QString tooFew = QStringLiteral("fewer than 3 points with values");
    if (points.size() < 3) raiseError(qmerr::EngineCallFailed, tooFew);
    const std::vector<ScatterPoint> pts = distinctPoints(points);
    if (pts.size() < 3) raiseError(qmerr::EngineCallFailed, tooFew);

    const auto [xLo, xHi] = std::minmax_element(pts.begin(), pts.end(),
                                                [](auto& a, auto& b) { return a.x < b.x; });
    const auto [yLo, yHi] = std::minmax_element(pts.begin(), pts.end(),
                                                [](auto& a, auto& b) { return a.y < b.y; });
    ContourGrid g;
    g.xMin = args.xMin.value_or(xLo->x);
    g.xMax = args.xMax.value_or(xHi->x);
    g.yMin = args.yMin.value_or(yLo->y);
    g.yMax = args.yMax.value_or(yHi->y);
    if (g.xMin > g.xMax) std::swap(g.xMin, g.xMax);
    if (g.yMin > g.yMax) std::swap(g.yMin, g.yMax);
    const double w = g.xMax - g.xMin, h = g.yMax - g.yMin;
    if (!(w > 0) || !(h > 0) || !std::isfinite(w) || !std::isfinite(h))
        raiseError(qmerr::EngineCallFailed, QStringLiteral("the grid has no extent in X or in Y"));

    if (w >= h) {
        g.nx = LongSideNodes;
        g.ny = std::max(MinNodes, int(std::lround(h / (w / (LongSideNodes - 1)))) + 1);
    } else {
        g.ny = LongSideNodes;
        g.nx = std::max(MinNodes, int(std::lround(w / (h / (LongSideNodes - 1)))) + 1);
    }
    const GriddingMethod& most = GriddingMethodOf(args.Algorithm);
    if (pts.size() > size_t(most.points))
        raiseError(qmerr::EngineCallFailed, QStringLiteral("%1 points, more than %2 can take (%3)")
                                                .arg(pts.size())
                                                .arg(QLatin1String(most.name))
                                                .arg(most.points));
    if (qint64(g.nx) * g.ny > most.nodes)
        raiseError(qmerr::EngineCallFailed, QStringLiteral("%1 nodes, more than %2 can take (%3)")
                                                .arg(qint64(g.nx) * g.ny)
                                                .arg(QLatin1String(most.name))
                                                .arg(most.nodes));
    g.z.assign(size_t(g.nx) * size_t(g.ny), g.nodata);

    most.grid(pts, g);
    // A solver that broke down must not leave NaN or infinity for the contourer to trip on.
    for (double& v : g.z)
        if (!std::isfinite(v)) v = g.nodata;
    return g;
}

void GridData(const GridDataArgs& args) {
    const std::vector<ScatterPoint> pts = readScatterPoints(args.DataFile);
    const ContourGrid g = gridPoints(pts, args);
    if (args.OutGrid.isEmpty()) raiseError(qmerr::EngineCallFailed, QStringLiteral("no grid file named"));
    writeGridFile(args.OutGrid, g);
}
