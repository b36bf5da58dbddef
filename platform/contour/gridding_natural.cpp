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
double convexArea(std::vector<Pt>& poly, std::vector<std::pair<double, Pt>>& byAngle) {
    double mx = 0, my = 0;
    for (const Pt& q : poly) mx += q.x, my += q.y;
    mx /= double(poly.size());
    my /= double(poly.size());
    byAngle.clear();
    for (const Pt& q : poly) byAngle.push_back({std::atan2(q.y - my, q.x - mx), q});
    std::stable_sort(byAngle.begin(), byAngle.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    double a = 0;
    for (size_t i = 0; i < byAngle.size(); ++i) {
        const Pt& p = byAngle[i].second;
        const Pt& q = byAngle[(i + 1) % byAngle.size()].second;
        a += p.x * q.y - q.x * p.y;
    }
    return std::abs(a) / 2;
}

struct TriangulationDeleter {
    void operator()(GDALTriangulation* t) const { GDALTriangulationFree(t); }
};

// The facet holding q, walked to from the facet start across the edges q lies beyond; -1 when q
// lies outside the hull. The walk ends in a Delaunay triangulation; the step limit only guards
// against a triangulation that is not quite one, where the facets are then searched one by one.
int locate(const GDALTriFacet* facets, int nf, const std::vector<Pt>& p, const std::vector<char>& ccw,
           int start, Pt q) {
    // Each edge is taken in one direction from both its facets, so that rounding never puts a node
    // on an edge beyond it from both sides.
    auto beyond = [&](int t, int k) {
        const int* v = facets[t].anVertexIdx;
        const int a = v[(k + 1) % 3], b = v[(k + 2) % 3];
        const double o = a < b ? orient(p[a], p[b], q) : -orient(p[b], p[a], q);
        return ccw[t] ? o < 0 : o > 0;
    };
    int t = start;
    for (int steps = 0; steps < 4 * nf + 16; ++steps) {
        int across = -1;
        for (int k = 0; k < 3 && across < 0; ++k)
            if (beyond(t, k)) across = k;
        if (across < 0) return t;
        const int nb = facets[t].anNeighborIdx[across];
        if (nb < 0) return -1; // beyond a hull edge: outside the (convex) hull
        t = nb;
    }
    for (t = 0; t < nf; ++t)
        if (!beyond(t, 0) && !beyond(t, 1) && !beyond(t, 2)) return t;
    return -1;
}

} // namespace

void naturalNeighbor(const std::vector<ScatterPoint>& pts, ContourGrid& g) {
    std::fill(g.z.begin(), g.z.end(), g.nodata);
    if (collinear(pts)) return; // no hull with an inside

    const Frame f(pts);
    const int n = int(pts.size());
    std::vector<double> x(n), y(n);
    std::vector<Pt> p(n);
    for (int i = 0; i < n; ++i) {
        x[i] = pts[i].x;
        y[i] = pts[i].y;
        p[i] = {f.u(pts[i].x), f.v(pts[i].y)};
    }
    // Triangulated in the points' own coordinates: GDAL gives up facets it finds too small, which
    // at unit size would be most facets of a dense set. Facets are found by walking them, never by
    // GDAL's own (size-limited) search.
    std::unique_ptr<GDALTriangulation, TriangulationDeleter> dt;
    {
        contour::QuietGdal quiet;
        dt.reset(GDALTriangulationCreateDelaunay(n, x.data(), y.data()));
        if (!dt || dt->nFacets <= 0)
            contour::raiseGdalFailure(QStringLiteral("the points could not be triangulated"));
    }

    const int nf = dt->nFacets;
    const GDALTriFacet* facets = dt->pasFacets;
    std::vector<Pt> cc(nf);
    std::vector<double> r2(nf);
    std::vector<char> ccw(nf);
    for (int t = 0; t < nf; ++t) {
        const int* vi = facets[t].anVertexIdx;
        cc[t] = circumcentre(p[vi[0]], p[vi[1]], p[vi[2]]);
        r2[t] = std::pow(cc[t].x - p[vi[0]].x, 2) + std::pow(cc[t].y - p[vi[0]].y, 2);
        ccw[t] = orient(p[vi[0]], p[vi[1]], p[vi[2]]) > 0;
    }

    std::vector<char> inCavity(nf, 0);
    std::vector<int> cavity, next(n, -1), prev(n, -1), boundaryStart, boundaryEnd;
    std::vector<double> stolen(n, 0);
    std::vector<int> slot(n, -1); // a rim vertex's piece of the new cell in pieces
    std::vector<std::vector<Pt>> pieces;
    std::vector<std::pair<double, Pt>> byAngle;
    int hint = 0;
    for (int j = 0; j < g.ny; ++j) {
        for (int i = 0; i < g.nx; ++i) {
            const Pt q{f.u(g.xAt(i)), f.v(g.yAt(j))};
            const int facet = locate(facets, nf, p, ccw, hint, q);
            if (facet < 0) continue; // outside the hull: blank
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

            // The cavity's rim, anticlockwise, as next[a] = b and prev[b] = a.
            boundaryStart.clear();
            boundaryEnd.clear();
            bool onHullEdge = false;
            for (int t : cavity) {
                const int* tv = facets[t].anVertexIdx;
                for (int k = 0; k < 3; ++k) {
                    const int nb = facets[t].anNeighborIdx[k];
                    if (nb >= 0 && inCavity[nb]) continue;
                    int a = tv[(k + 1) % 3], b = tv[(k + 2) % 3];
                    if (!ccw[t]) std::swap(a, b);
                    const double len2 = std::pow(p[b].x - p[a].x, 2) + std::pow(p[b].y - p[a].y, 2);
                    if (orient(p[a], p[b], q) <= 1e-10 * len2) onHullEdge = true;
                    next[a] = b;
                    prev[b] = a;
                    boundaryStart.push_back(a);
                    boundaryEnd.push_back(b);
                }
            }

            double value = 0;
            bool done = false;
            if (!onHullEdge) {
                // Sibson: the share of the node's new Voronoi cell taken from each neighbour's cell.
                // That piece is convex, cornered by the two new Voronoi vertices it shares with the
                // node and the old vertices (circumcentres) of the removed triangles around the
                // neighbour.
                double total = 0, sum = 0;
                // Each piece is the fan of triangles (g(a, u), circumcentre of t, g(a, w)) over the
                // removed triangles t = (a, u, w) around a, g(a, u) being the circumcentre of the
                // node, a and u: these lie on the bisector of node and a, so the signed areas add up
                // to the piece without ordering its corners.
                for (int a : boundaryStart) stolen[a] = 0;
                bool steady = true;
                for (int t : cavity) {
                    const int* tv = facets[t].anVertexIdx;
                    const double sign = ccw[t] ? 1 : -1;
                    const Pt g[3] = {circumcentre(q, p[tv[1]], p[tv[2]]), circumcentre(q, p[tv[2]], p[tv[0]]),
                                     circumcentre(q, p[tv[0]], p[tv[1]])};
                    for (int k = 0; k < 3; ++k) {
                        stolen[tv[k]] += sign * orient(g[(k + 2) % 3], cc[t], g[(k + 1) % 3]) / 2;
                        // Far corners (the node almost on an edge) cancel out, and their digits go.
                        const double dx = g[k].x - cc[t].x, dy = g[k].y - cc[t].y;
                        steady = steady && dx * dx + dy * dy < 1e4 * r2[t];
                    }
                }
                for (int a : boundaryStart) {
                    const double area = std::abs(stolen[a]);
                    total += area;
                    sum += area * pts[a].z;
                }
                // A node on or near an edge inside the cavity puts g at or near infinity: the pieces
                // are then put together corner by corner.
                if (steady && std::isfinite(sum / total) && total > 0) {
                    g.at(i, j) = sum / total;
                    for (int t : cavity) inCavity[t] = 0;
                    for (int a : boundaryStart) next[a] = -1;
                    for (int b : boundaryEnd) prev[b] = -1;
                    continue;
                }
                total = sum = 0;
                bool closed = true;
                if (pieces.size() < boundaryStart.size()) pieces.resize(boundaryStart.size());
                for (size_t k = 0; k < boundaryStart.size() && closed; ++k) {
                    const int a = boundaryStart[k];
                    closed = prev[a] >= 0;
                    slot[a] = int(k);
                    pieces[k].clear();
                    if (closed) {
                        pieces[k].push_back(circumcentre(q, p[prev[a]], p[a]));
                        pieces[k].push_back(circumcentre(q, p[a], p[next[a]]));
                    }
                }
                for (int t : cavity)
                    for (int v : facets[t].anVertexIdx)
                        if (closed && slot[v] >= 0) pieces[size_t(slot[v])].push_back(cc[t]);
                for (size_t k = 0; k < boundaryStart.size() && closed; ++k) {
                    const double area = convexArea(pieces[k], byAngle);
                    total += area;
                    sum += area * pts[boundaryStart[k]].z;
                }
                for (int a : boundaryStart) slot[a] = -1;
                if (!closed) total = 0;
                if (total > 0 && std::isfinite(sum / total)) {
                    value = sum / total;
                    done = true;
                }
            }
            if (!done) {
                // On the hull's edge the Sibson weights become the linear ones along that edge.
                const Pt a = p[fv[0]], b = p[fv[1]], c = p[fv[2]];
                const double d = orient(a, b, c);
                const double l1 = orient(q, b, c) / d, l2 = orient(a, q, c) / d;
                value = l1 * pts[fv[0]].z + l2 * pts[fv[1]].z + (1 - l1 - l2) * pts[fv[2]].z;
            }
            g.at(i, j) = value;

            for (int t : cavity) inCavity[t] = 0;
            for (int a : boundaryStart) next[a] = -1;
            for (int b : boundaryEnd) prev[b] = -1;
        }
    }
}

} // namespace gridding
