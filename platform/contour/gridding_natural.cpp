// SPDX-License-Identifier: GPL-3.0-or-later
// Natural neighbour interpolation: Sibson weights over GDAL's Delaunay triangulation.
#include "platform/contour/gdalsupport.h"
#include "platform/contour/gridding_methods.h"

#include <gdal_alg.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace gridding {

namespace {

struct Pt {
    double x, y;
};

double orient(Pt a, Pt b, Pt c) { return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x); }

Pt circumcentre(Pt a, Pt b, Pt c) {
    const double bx = b.x - a.x, by = b.y - a.y, cx = c.x - a.x, cy = c.y - a.y;
    const double d = 2 * (bx * cy - by * cx);
    const double b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
    return {a.x + (cy * b2 - by * c2) / d, a.y + (bx * c2 - cx * b2) / d};
}

// Area of a convex polygon given by its corners in any order.
double convexArea(std::vector<Pt>& poly) {
    double mx = 0, my = 0;
    for (const Pt& q : poly) mx += q.x, my += q.y;
    mx /= double(poly.size());
    my /= double(poly.size());
    std::sort(poly.begin(), poly.end(), [&](Pt a, Pt b) {
        return std::atan2(a.y - my, a.x - mx) < std::atan2(b.y - my, b.x - mx);
    });
    double a = 0;
    for (size_t i = 0; i < poly.size(); ++i) {
        const Pt& p = poly[i];
        const Pt& q = poly[(i + 1) % poly.size()];
        a += p.x * q.y - q.x * p.y;
    }
    return std::abs(a) / 2;
}

struct TriangulationDeleter {
    void operator()(GDALTriangulation* t) const { GDALTriangulationFree(t); }
};

} // namespace

void naturalNeighbor(const std::vector<ScatterPoint>& pts, ContourGrid& g) {
    std::fill(g.z.begin(), g.z.end(), g.nodata);
    if (collinear(pts)) return; // no hull with an inside

    const Frame f(pts);
    const int n = int(pts.size());
    std::vector<double> u(n), v(n);
    std::vector<Pt> p(n);
    for (int i = 0; i < n; ++i) {
        u[i] = f.u(pts[i].x);
        v[i] = f.v(pts[i].y);
        p[i] = {u[i], v[i]};
    }
    std::unique_ptr<GDALTriangulation, TriangulationDeleter> dt;
    {
        contour::QuietGdal quiet;
        dt.reset(GDALTriangulationCreateDelaunay(n, u.data(), v.data()));
        if (!dt || !GDALTriangulationComputeBarycentricCoefficients(dt.get(), u.data(), v.data()))
            contour::raiseGdalFailure(QStringLiteral("the points could not be triangulated"));
    }

    const int nf = dt->nFacets;
    const GDALTriFacet* facets = dt->pasFacets;
    std::vector<Pt> cc(nf);
    std::vector<double> r2(nf);
    for (int t = 0; t < nf; ++t) {
        const int* vi = facets[t].anVertexIdx;
        cc[t] = circumcentre(p[vi[0]], p[vi[1]], p[vi[2]]);
        r2[t] = std::pow(cc[t].x - p[vi[0]].x, 2) + std::pow(cc[t].y - p[vi[0]].y, 2);
    }

    std::vector<char> inCavity(nf, 0);
    std::vector<int> cavity, next(n, -1), boundaryStart;
    int hint = 0;
    for (int j = 0; j < g.ny; ++j) {
        for (int i = 0; i < g.nx; ++i) {
            const Pt q{f.u(g.xAt(i)), f.v(g.yAt(j))};
            int facet = -1;
            if (!GDALTriangulationFindFacetDirected(dt.get(), hint, q.x, q.y, &facet) &&
                !GDALTriangulationFindFacetBruteForce(dt.get(), q.x, q.y, &facet))
                continue; // outside the hull: blank
            if (facet < 0) continue;
            hint = facet;
            const int* fv = facets[facet].anVertexIdx;

            // On a point: its own value.
            int at = -1;
            for (int k = 0; k < 3; ++k)
                if (std::hypot(q.x - p[fv[k]].x, q.y - p[fv[k]].y) <= 1e-12) at = fv[k];
            if (at >= 0) {
                g.at(i, j) = pts[at].z;
                continue;
            }

            // The triangles whose circumcircle holds the node: inserting it would remove them.
            cavity.assign(1, facet);
            inCavity[facet] = 1;
            for (size_t c = 0; c < cavity.size(); ++c) {
                for (int nb : facets[cavity[c]].anNeighborIdx) {
                    if (nb < 0 || inCavity[nb]) continue;
                    const double dx = q.x - cc[nb].x, dy = q.y - cc[nb].y;
                    if (dx * dx + dy * dy < r2[nb]) {
                        inCavity[nb] = 1;
                        cavity.push_back(nb);
                    }
                }
            }

            // The cavity's rim, anticlockwise, as next[a] = b.
            boundaryStart.clear();
            bool onHullEdge = false;
            for (int t : cavity) {
                const int* tv = facets[t].anVertexIdx;
                const bool ccw = orient(p[tv[0]], p[tv[1]], p[tv[2]]) > 0;
                for (int k = 0; k < 3; ++k) {
                    const int nb = facets[t].anNeighborIdx[k];
                    if (nb >= 0 && inCavity[nb]) continue;
                    int a = tv[(k + 1) % 3], b = tv[(k + 2) % 3];
                    if (!ccw) std::swap(a, b);
                    const double len2 = std::pow(p[b].x - p[a].x, 2) + std::pow(p[b].y - p[a].y, 2);
                    if (orient(p[a], p[b], q) <= 1e-10 * len2) onHullEdge = true;
                    next[a] = b;
                    boundaryStart.push_back(a);
                }
            }

            double value = 0;
            bool done = false;
            if (!onHullEdge) {
                // Sibson: the share of the node's new Voronoi cell taken from each neighbour's cell.
                // That piece is convex, cornered by the two new Voronoi vertices it shares with the
                // node and the old vertices (circumcentres) of the removed triangles around the
                // neighbour.
                std::vector<Pt> poly;
                double total = 0, sum = 0;
                for (int a : boundaryStart) {
                    int prev = -1;
                    for (int s : boundaryStart)
                        if (next[s] == a) prev = s;
                    if (prev < 0) {
                        total = 0;
                        break;
                    }
                    poly.clear();
                    poly.push_back(circumcentre(q, p[prev], p[a]));
                    poly.push_back(circumcentre(q, p[a], p[next[a]]));
                    for (int t : cavity) {
                        const int* tv = facets[t].anVertexIdx;
                        if (tv[0] == a || tv[1] == a || tv[2] == a) poly.push_back(cc[t]);
                    }
                    const double area = convexArea(poly);
                    total += area;
                    sum += area * pts[a].z;
                }
                if (total > 0 && std::isfinite(sum / total)) {
                    value = sum / total;
                    done = true;
                }
            }
            if (!done) {
                // On the hull's edge the Sibson weights become the linear ones along that edge.
                double l1, l2, l3;
                GDALTriangulationComputeBarycentricCoordinates(dt.get(), facet, q.x, q.y, &l1, &l2, &l3);
                value = l1 * pts[fv[0]].z + l2 * pts[fv[1]].z + l3 * pts[fv[2]].z;
            }
            g.at(i, j) = value;

            for (int t : cavity) inCavity[t] = 0;
            for (int a : boundaryStart) next[a] = -1;
        }
    }
}

} // namespace gridding
