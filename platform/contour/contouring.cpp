// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/contour/contouring.h"

#include "platform/contour/contourdoc.h"
#include "platform/contour/gdalsupport.h"

#include <QRectF>
#include <algorithm>
#include <cmath>
#include <cpl_string.h>
#include <gdal.h>
#include <gdal_alg.h>
#include <ogr_api.h>

namespace contour {

namespace {

// A tolerance for comparing values with multiples of a step, so that 0.3 counts as a multiple of 0.1.
double slack(double step) {
    return step * 1e-9;
}

// The grid as a one-band raster whose pixel centres are the nodes (GDAL contours pixel centres).
GdalDataset gridRaster(const ContourGrid& grid) {
    if (grid.nx < 2 || grid.ny < 2 || grid.z.size() != size_t(grid.nx) * size_t(grid.ny))
        raiseCallFailed(QStringLiteral("the grid has fewer than 2 nodes a side"));
    if (!(grid.xMax > grid.xMin) || !(grid.yMax > grid.yMin))
        raiseCallFailed(QStringLiteral("the grid has no extent"));
    ensureGdal();
    GdalDataset ds(GDALCreate(GDALGetDriverByName("MEM"), "", grid.nx, grid.ny, 1, GDT_Float64, nullptr));
    if (!ds) raiseGdalFailure(QStringLiteral("cannot make a raster of the grid"));
    const double dx = (grid.xMax - grid.xMin) / (grid.nx - 1);
    const double dy = (grid.yMax - grid.yMin) / (grid.ny - 1);
    double transform[6] = {grid.xMin - dx / 2, dx, 0, grid.yMax + dy / 2, 0, -dy};
    GDALSetGeoTransform(ds.get(), transform);
    GDALRasterBandH band = GDALGetRasterBand(ds.get(), 1);
    GDALSetRasterNoDataValue(band, grid.nodata);
    // Raster rows run from the top, grid rows from the lowest y.
    for (int j = 0; j < grid.ny; ++j) {
        const double* row = grid.z.data() + size_t(j) * size_t(grid.nx);
        if (GDALRasterIO(band, GF_Write, 0, grid.ny - 1 - j, grid.nx, 1, const_cast<double*>(row), grid.nx, 1,
                         GDT_Float64, 0, 0) != CE_None)
            raiseGdalFailure(QStringLiteral("cannot make a raster of the grid"));
    }
    return ds;
}

struct ContourOutput {
    GdalDataset ds;
    OGRLayerH layer = nullptr;
};

ContourOutput runContours(const ContourGrid& grid, const Levels& levels, bool polygons) {
    GdalDataset raster = gridRaster(grid);
    ContourOutput out;
    out.ds = GdalDataset(GDALCreate(GDALGetDriverByName("Memory"), "", 0, 0, 0, GDT_Unknown, nullptr));
    if (!out.ds) raiseGdalFailure(QStringLiteral("cannot hold the contours"));
    out.layer = GDALDatasetCreateLayer(out.ds.get(), "contours", nullptr,
                                       polygons ? wkbMultiPolygon : wkbLineString, nullptr);
    const char* fields[] = {"ELEV", "ELEV_MIN", "ELEV_MAX"};
    for (const char* name : fields) {
        OGRFieldDefnH f = OGR_Fld_Create(name, OFTReal);
        OGR_L_CreateField(out.layer, f, 0);
        OGR_Fld_Destroy(f);
    }
    CplOptions opts;
    opts.set("LEVEL_INTERVAL", QString::number(levels.interval, 'g', 17));
    opts.set("LEVEL_BASE", QStringLiteral("0"));
    opts.set("NODATA", QString::number(grid.nodata, 'g', 17));
    if (polygons) {
        opts.set("POLYGONIZE", QStringLiteral("YES"));
        opts.set("ELEV_FIELD_MIN", QStringLiteral("1"));
        opts.set("ELEV_FIELD_MAX", QStringLiteral("2"));
    } else {
        opts.set("ELEV_FIELD", QStringLiteral("0"));
    }
    QuietGdal quiet;
    if (GDALContourGenerateEx(GDALGetRasterBand(raster.get(), 1), out.layer, opts.list(), nullptr, nullptr) !=
        CE_None)
        raiseGdalFailure(QStringLiteral("the contours cannot be drawn"));
    return out;
}

int levelIndex(const Levels& levels, double value) {
    return int(std::lround((value - levels.first) / levels.interval));
}

Ring ringPoints(OGRGeometryH g) {
    const int n = OGR_G_GetPointCount(g);
    Ring r;
    r.reserve(size_t(n));
    for (int i = 0; i < n; ++i)
        r.emplace_back(OGR_G_GetX(g, i), OGR_G_GetY(g, i));
    return r;
}

// Liang-Barsky: the part of segment a-b inside r as parameters t0 <= t1; false when none.
bool clipSegment(QPointF a, QPointF b, const QRectF& r, double& t0, double& t1) {
    t0 = 0;
    t1 = 1;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    return true;
}

// The runs of a polyline inside r (r in data coordinates: top() is the lowest y).
std::vector<Ring> clipPolyline(const Ring& pts, const QRectF& r) {
    std::vector<Ring> runs;
    Ring run;
    for (size_t i = 1; i < pts.size(); ++i) {
        double t0, t1;
        const QPointF a = pts[i - 1], b = pts[i];
        if (!clipSegment(a, b, r, t0, t1)) continue;
        const QPointF s = a + (b - a) * t0, e = a + (b - a) * t1;
        if (run.empty() || t0 > 0) {
            if (run.size() > 1) runs.push_back(run);
            run = {s};
        }
        run.push_back(e);
        if (t1 < 1) {
            if (run.size() > 1) runs.push_back(run);
            run.clear();
        }
    }
    if (run.size() > 1) runs.push_back(run);
    return runs;
}

// Sutherland-Hodgman against the four sides of r; an open ring (no repeated first point) back.
Ring clipRing(Ring ring, const QRectF& r) {
    if (ring.size() > 1 && ring.front() == ring.back()) ring.pop_back();
    auto clipSide = [](const Ring& in, auto inside, auto cross) {
        Ring out;
        for (size_t i = 0; i < in.size(); ++i) {
            const QPointF a = in[(i + in.size() - 1) % in.size()], b = in[i];
            const bool ia = inside(a), ib = inside(b);
            if (ib) {
                if (!ia) out.push_back(cross(a, b));
                out.push_back(b);
            } else if (ia) {
                out.push_back(cross(a, b));
            }
        }
        return out;
    };
    auto atX = [](double x) {
        return [x](QPointF a, QPointF b) {
            return QPointF(x, a.y() + (b.y() - a.y()) * (x - a.x()) / (b.x() - a.x()));
        };
    };
    auto atY = [](double y) {
        return [y](QPointF a, QPointF b) {
            return QPointF(a.x() + (b.x() - a.x()) * (y - a.y()) / (b.y() - a.y()), y);
        };
    };
    const double x0 = r.left(), x1 = r.right(), y0 = r.top(), y1 = r.bottom();
    ring = clipSide(
        ring, [x0](QPointF p) { return p.x() >= x0; }, atX(x0));
    if (!ring.empty())
        ring = clipSide(
            ring, [x1](QPointF p) { return p.x() <= x1; }, atX(x1));
    if (!ring.empty())
        ring = clipSide(
            ring, [y0](QPointF p) { return p.y() >= y0; }, atY(y0));
    if (!ring.empty())
        ring = clipSide(
            ring, [y1](QPointF p) { return p.y() <= y1; }, atY(y1));
    return ring;
}

QRectF gridRect(const ContourGrid& g) {
    return QRectF(g.xMin, g.yMin, g.xMax - g.xMin, g.yMax - g.yMin);
}

} // namespace

double roundStep(double lo, double hi, int minCount, int maxCount) {
    if (!(hi > lo) || !std::isfinite(hi - lo)) return 1;
    const int top = int(std::floor(std::log10(hi - lo)));
    double best = 0;
    int bestMiss = 0;
    // From small steps to large: the first that fits gives the most levels within the limits.
    for (int e = top - 3; e <= top + 1; ++e) {
        for (double m : {1.0, 2.0, 5.0}) {
            const double step = m * std::pow(10.0, e);
            const int n = multiplesIn(lo, hi, step);
            if (n >= minCount && n <= maxCount) return step;
            const int miss = n < minCount ? minCount - n : n - maxCount;
            if (best == 0 || miss < bestMiss) {
                best = step;
                bestMiss = miss;
            }
        }
    }
    return best;
}

int multiplesIn(double lo, double hi, double step) {
    if (!(step > 0) || hi < lo) return 0;
    const double first = std::ceil(lo / step - 1e-9);
    const double last = std::floor(hi / step + 1e-9);
    return std::max(0, int(last - first) + 1);
}

int stepDecimals(double step) {
    if (!(step > 0)) return 0;
    return std::max(0, int(-std::floor(std::log10(step) + 1e-9)));
}

QString stepLabel(double value, double step) {
    if (std::fabs(value) < slack(step)) value = 0; // never "-0"
    return QString::number(value, 'f', stepDecimals(step));
}

bool Levels::labelled(int k) const {
    return std::lround(at(k) / interval) % 2 == 0;
}

bool valueRange(const ContourGrid& grid, double& lo, double& hi) {
    bool any = false;
    for (double v : grid.z) {
        if (v == grid.nodata || !std::isfinite(v)) continue;
        if (!any) {
            lo = hi = v;
            any = true;
        } else {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    }
    return any;
}

Levels chooseLevels(const ContourGrid& grid) {
    Levels l;
    double lo = 0, hi = 0;
    if (!valueRange(grid, lo, hi)) return l;
    l.interval = roundStep(lo, hi, 8, 15);
    l.first = std::ceil(lo / l.interval - 1e-9) * l.interval;
    l.count = multiplesIn(lo, hi, l.interval);
    return l;
}

double BandPolygon::area() const {
    double a = 0;
    for (size_t i = 0; i < rings.size(); ++i)
        a += i == 0 ? std::fabs(ringArea(rings[i])) : -std::fabs(ringArea(rings[i]));
    return a;
}

double ringArea(const Ring& ring) {
    double a = 0;
    for (size_t i = 0; i < ring.size(); ++i) {
        const QPointF& p = ring[i];
        const QPointF& q = ring[(i + 1) % ring.size()];
        a += p.x() * q.y() - q.x() * p.y();
    }
    return a / 2;
}

std::vector<ContourLine> contourLines(const ContourGrid& grid, const Levels& levels) {
    std::vector<ContourLine> out;
    if (levels.count == 0) return out;
    ContourOutput c = runContours(grid, levels, false);
    const QRectF rect = gridRect(grid);
    OGR_L_ResetReading(c.layer);
    while (OGRFeatureH f = OGR_L_GetNextFeature(c.layer)) {
        const int k = levelIndex(levels, OGR_F_GetFieldAsDouble(f, 0));
        OGRGeometryH g = OGR_F_GetGeometryRef(f);
        if (g && k >= 0 && k < levels.count) {
            // The generator runs its lines on to the raster's edge, half a cell past the outer nodes.
            for (Ring& run : clipPolyline(ringPoints(g), rect))
                out.push_back({k, std::move(run)});
        }
        OGR_F_Destroy(f);
    }
    return out;
}

std::vector<BandPolygon> contourBands(const ContourGrid& grid, const Levels& levels) {
    std::vector<BandPolygon> out;
    Levels l = levels;
    if (l.count == 0) {
        // A flat grid is one band.
        double lo = 0, hi = 0;
        if (!valueRange(grid, lo, hi)) return out;
        l.first = lo;
        l.count = 1;
    }
    ContourOutput c = runContours(grid, l, true);
    const QRectF rect = gridRect(grid);
    OGR_L_ResetReading(c.layer);
    while (OGRFeatureH f = OGR_L_GetNextFeature(c.layer)) {
        const int band = std::clamp(levelIndex(l, OGR_F_GetFieldAsDouble(f, 2)), 0, l.count);
        OGRGeometryH g = OGR_F_GetGeometryRef(f);
        const int polys = g ? OGR_G_GetGeometryCount(g) : 0;
        for (int p = 0; p < polys; ++p) {
            OGRGeometryH poly = OGR_G_GetGeometryRef(g, p);
            BandPolygon bp;
            bp.band = band;
            for (int r = 0; r < OGR_G_GetGeometryCount(poly); ++r) {
                Ring ring = clipRing(ringPoints(OGR_G_GetGeometryRef(poly, r)), rect);
                if (ring.size() >= 3) {
                    bp.rings.push_back(std::move(ring));
                } else if (r == 0) {
                    break; // the outline lies in the margin: so do its holes
                }
            }
            if (!bp.rings.empty()) out.push_back(std::move(bp));
        }
        OGR_F_Destroy(f);
    }
    return out;
}

} // namespace contour
