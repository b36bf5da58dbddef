// SPDX-License-Identifier: GPL-3.0-or-later
// The methods GDAL's gridder does itself: inverse distance, nearest neighbour, linear over the
// Delaunay triangulation.
#include "platform/contour/gdalsupport.h"
#include "platform/contour/gridding_methods.h"

#include <cpl_conv.h>
#include <gdal_alg.h>

#include <algorithm>
#include <cmath>

namespace gridding {

Frame::Frame(const std::vector<ScatterPoint>& pts) {
    double x0 = pts[0].x, x1 = x0, y0 = pts[0].y, y1 = y0;
    for (const auto& p : pts) {
        x0 = std::min(x0, p.x);
        x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y);
        y1 = std::max(y1, p.y);
    }
    cx = (x0 + x1) / 2;
    cy = (y0 + y1) / 2;
    scale = std::max(x1 - x0, y1 - y0) / 2;
    if (!(scale > 0)) scale = 1;
}

bool collinear(const std::vector<ScatterPoint>& pts) {
    const ScatterPoint& a = pts[0];
    size_t far = 0;
    double d2 = 0;
    for (size_t i = 1; i < pts.size(); ++i) {
        const double e = std::hypot(pts[i].x - a.x, pts[i].y - a.y);
        if (e > d2) d2 = e, far = i;
    }
    if (far == 0) return true;
    const double ux = pts[far].x - a.x, uy = pts[far].y - a.y;
    const double len = std::hypot(ux, uy);
    for (const auto& p : pts)
        if (std::abs(ux * (p.y - a.y) - uy * (p.x - a.x)) / len > 1e-9 * len) return false;
    return true;
}

namespace {

// GDAL's vectorised inverse distance works in single precision; the values at the points must come
// back as they were, so the double-precision path is used.
struct DoublePrecision {
    DoublePrecision() {
        CPLSetThreadLocalConfigOption("GDAL_USE_AVX", "NO");
        CPLSetThreadLocalConfigOption("GDAL_USE_SSE", "NO");
    }
    ~DoublePrecision() {
        CPLSetThreadLocalConfigOption("GDAL_USE_AVX", nullptr);
        CPLSetThreadLocalConfigOption("GDAL_USE_SSE", nullptr);
    }
};

void gdalGrid(GDALGridAlgorithm alg, const void* options, const std::vector<ScatterPoint>& pts,
              ContourGrid& g) {
    std::vector<double> x, y, z;
    x.reserve(pts.size());
    y.reserve(pts.size());
    z.reserve(pts.size());
    for (const auto& p : pts) {
        x.push_back(p.x);
        y.push_back(p.y);
        z.push_back(p.z);
    }
    // GDAL takes cell edges and values cell centres; ours are nodes on the limits.
    const double dx = (g.xMax - g.xMin) / (g.nx - 1), dy = (g.yMax - g.yMin) / (g.ny - 1);
    contour::QuietGdal quiet;
    DoublePrecision exact;
    const CPLErr err = GDALGridCreate(alg, options, GUInt32(pts.size()), x.data(), y.data(), z.data(),
                                      g.xMin - dx / 2, g.xMax + dx / 2, g.yMin - dy / 2,
                                      g.yMax + dy / 2, GUInt32(g.nx), GUInt32(g.ny), GDT_Float64,
                                      g.z.data(), nullptr, nullptr);
    if (err != CE_None) contour::raiseGdalFailure(QStringLiteral("gridding failed"));
}

} // namespace

void inverseDistance(const std::vector<ScatterPoint>& pts, ContourGrid& g) {
    GDALGridInverseDistanceToAPowerOptions o{};
    o.nSizeOfStructure = sizeof(o);
    o.dfPower = 2;
    o.dfSmoothing = 0;
    o.dfRadius1 = o.dfRadius2 = 0; // no search ellipse: every point
    o.nMaxPoints = 0;
    o.nMinPoints = 0;
    o.dfNoDataValue = g.nodata;
    gdalGrid(GGA_InverseDistanceToAPower, &o, pts, g);
}

void nearestNeighbor(const std::vector<ScatterPoint>& pts, ContourGrid& g) {
    GDALGridNearestNeighborOptions o{};
    o.nSizeOfStructure = sizeof(o);
    o.dfRadius1 = o.dfRadius2 = 0;
    o.dfNoDataValue = g.nodata;
    gdalGrid(GGA_NearestNeighbor, &o, pts, g);
}

void triangulationLinear(const std::vector<ScatterPoint>& pts, ContourGrid& g) {
    // Points on one line have no triangles: every node lies outside the (flat) hull.
    if (collinear(pts)) {
        std::fill(g.z.begin(), g.z.end(), g.nodata);
        return;
    }
    GDALGridLinearOptions o{};
    o.nSizeOfStructure = sizeof(o);
    o.dfRadius = 0; // outside the hull stays blank
    o.dfNoDataValue = g.nodata;
    gdalGrid(GGA_Linear, &o, pts, g);
}

} // namespace gridding
