// SPDX-License-Identifier: GPL-3.0-or-later
// Gridding methods that fit a function to the points with dense linear algebra: Kriging, modified
// Shepard, polynomial regression and radial basis functions.
#include "platform/contour/gridding_methods.h"

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace gridding {

namespace {

using Eigen::MatrixXd;
using Eigen::VectorXd;

// One LU factorisation and one solve; a system that proves singular (points on one line leave a
// linear term undetermined) gets the least-norm solution instead of garbage.
VectorXd solveSquare(const MatrixXd& a, const VectorXd& b) {
    VectorXd x = a.partialPivLu().solve(b);
    const double scale = a.cwiseAbs().maxCoeff() * x.cwiseAbs().maxCoeff() + b.cwiseAbs().maxCoeff();
    if (x.allFinite() && (a * x - b).cwiseAbs().maxCoeff() <= 1e-9 * scale) return x;
    return a.completeOrthogonalDecomposition().solve(b);
}

template <class F>
void forEachNode(ContourGrid& g, const Frame& f, F value) {
    for (int j = 0; j < g.ny; ++j) {
        const double v = f.v(g.yAt(j));
        for (int i = 0; i < g.nx; ++i) g.at(i, j) = value(f.u(g.xAt(i)), v);
    }
}

struct Scaled {
    std::vector<double> u, v, z;
};

Scaled scaled(const std::vector<ScatterPoint>& pts, const Frame& f) {
    Scaled s;
    for (const auto& p : pts) {
        s.u.push_back(f.u(p.x));
        s.v.push_back(f.v(p.y));
        s.z.push_back(p.z);
    }
    return s;
}

} // namespace

// Ordinary Kriging with a linear variogram and no nugget. The system matrix is symmetric, so the
// estimate w'z at a node equals g'(A^-1 [z; 0]) with g the node's variogram column: one solve for
// all nodes gives the same values as solving for each node's weights.
void kriging(const std::vector<ScatterPoint>& pts, ContourGrid& g) {
    const Frame f(pts);
    const Scaled s = scaled(pts, f);
    const int n = int(pts.size());
    MatrixXd a(n + 1, n + 1);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) a(i, j) = std::hypot(s.u[i] - s.u[j], s.v[i] - s.v[j]);
        a(i, n) = a(n, i) = 1;
    }
    a(n, n) = 0;
    VectorXd b(n + 1);
    for (int i = 0; i < n; ++i) b(i) = s.z[i];
    b(n) = 0;
    const VectorXd lam = solveSquare(a, b);
    forEachNode(g, f, [&](double u, double v) {
        double sum = lam(n);
        for (int i = 0; i < n; ++i) {
            const double du = u - s.u[i], dv = v - s.v[i];
            sum += lam(i) * std::sqrt(du * du + dv * dv);
        }
        return sum;
    });
}

// Least-squares quadratic surface; with fewer than 6 points a plane.
void polynomialRegression(const std::vector<ScatterPoint>& pts, ContourGrid& g) {
    const Frame f(pts);
    const Scaled s = scaled(pts, f);
    const int n = int(pts.size());
    const int terms = n >= 6 ? 6 : 3;
    auto row = [terms](double u, double v) {
        Eigen::Matrix<double, 1, 6> r;
        r << 1, u, v, u * u, u * v, v * v;
        return VectorXd(r.head(terms).transpose());
    };
    MatrixXd a(n, terms);
    VectorXd b(n);
    for (int i = 0; i < n; ++i) {
        a.row(i) = row(s.u[i], s.v[i]).transpose();
        b(i) = s.z[i];
    }
    const VectorXd c = a.completeOrthogonalDecomposition().solve(b);
    forEachNode(g, f, [&](double u, double v) { return row(u, v).dot(c); });
}

// Multiquadric radial basis functions plus a linear term; the shape parameter is the mean spacing
// of the points (the side of the square each point would have to itself).
void radialBasis(const std::vector<ScatterPoint>& pts, ContourGrid& g) {
    const Frame f(pts);
    const Scaled s = scaled(pts, f);
    const int n = int(pts.size());
    const auto [u0, u1] = std::minmax_element(s.u.begin(), s.u.end());
    const auto [v0, v1] = std::minmax_element(s.v.begin(), s.v.end());
    const double w = *u1 - *u0, h = *v1 - *v0;
    double c = w > 0 && h > 0 ? std::sqrt(w * h / n) : std::max(w, h) / n;
    if (!(c > 0)) c = 1;
    const double c2 = c * c;
    MatrixXd a = MatrixXd::Zero(n + 3, n + 3);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            const double du = s.u[i] - s.u[j], dv = s.v[i] - s.v[j];
            a(i, j) = std::sqrt(du * du + dv * dv + c2);
        }
        a(i, n) = a(n, i) = 1;
        a(i, n + 1) = a(n + 1, i) = s.u[i];
        a(i, n + 2) = a(n + 2, i) = s.v[i];
    }
    VectorXd b = VectorXd::Zero(n + 3);
    for (int i = 0; i < n; ++i) b(i) = s.z[i];
    const VectorXd lam = solveSquare(a, b);
    forEachNode(g, f, [&](double u, double v) {
        double sum = lam(n) + lam(n + 1) * u + lam(n + 2) * v;
        for (int i = 0; i < n; ++i) {
            const double du = u - s.u[i], dv = v - s.v[i];
            sum += lam(i) * std::sqrt(du * du + dv * dv + c2);
        }
        return sum;
    });
}

// Modified Shepard's method: each point carries a quadratic through its own value, fitted by
// weighted least squares to its nearest 13 neighbours; a node blends the quadratics of its nearest
// 19 points with inverse-distance weights that fall to zero at the next point out, so the surface
// is continuous and passes through every point.
void modifiedShepard(const std::vector<ScatterPoint>& pts, ContourGrid& g) {
    constexpr int NQ = 13, NW = 19;
    const Frame f(pts);
    const Scaled s = scaled(pts, f);
    const int n = int(pts.size());

    struct Nodal {
        double r = 1;              // the coefficients are in units of this radius
        double c[5] = {0, 0, 0, 0, 0}; // du, dv, du^2, du dv, dv^2
    };
    std::vector<Nodal> q(n);
    std::vector<int> idx(n);
    std::vector<double> d(n);
    for (int k = 0; k < n; ++k) {
        for (int i = 0; i < n; ++i) d[i] = std::hypot(s.u[i] - s.u[k], s.v[i] - s.v[k]);
        d[k] = std::numeric_limits<double>::infinity();
        std::iota(idx.begin(), idx.end(), 0);
        const int m = std::min(NQ, n - 1);
        const int take = std::min(m + 1, n - 1);
        std::partial_sort(idx.begin(), idx.begin() + take, idx.end(),
                          [&](int a, int b) { return d[a] < d[b]; });
        const double rq = take > m ? d[idx[m]] : 1.1 * d[idx[m - 1]];
        const int terms = m >= 5 ? 5 : 2;
        MatrixXd a(m, terms);
        VectorXd b(m);
        for (int r = 0; r < m; ++r) {
            const int i = idx[r];
            const double w = std::max(rq - d[i], 0.0) / (rq * d[i]) * rq; // sqrt of the weight, scaled
            const double su = (s.u[i] - s.u[k]) / rq, sv = (s.v[i] - s.v[k]) / rq;
            const double cols[5] = {su, sv, su * su, su * sv, sv * sv};
            for (int t = 0; t < terms; ++t) a(r, t) = w * cols[t];
            b(r) = w * (s.z[i] - s.z[k]);
        }
        const VectorXd c = a.completeOrthogonalDecomposition().solve(b);
        q[k].r = rq;
        for (int t = 0; t < terms; ++t) q[k].c[t] = c(t);
    }
    auto nodal = [&](int k, double u, double v) {
        const Nodal& nk = q[k];
        const double su = (u - s.u[k]) / nk.r, sv = (v - s.v[k]) / nk.r;
        return s.z[k] + nk.c[0] * su + nk.c[1] * sv + nk.c[2] * su * su + nk.c[3] * su * sv +
               nk.c[4] * sv * sv;
    };

    const int m = std::min(NW, n);
    forEachNode(g, f, [&](double u, double v) {
        for (int i = 0; i < n; ++i) d[i] = std::hypot(u - s.u[i], v - s.v[i]);
        std::iota(idx.begin(), idx.end(), 0);
        const int take = std::min(m + 1, n);
        std::nth_element(idx.begin(), idx.begin() + (take - 1), idx.end(),
                         [&](int a, int b) { return d[a] < d[b]; });
        double rw;
        if (take > m) {
            rw = d[idx[take - 1]]; // the next point out: its weight and beyond are zero
        } else {
            rw = 1.1 * *std::max_element(d.begin(), d.end());
        }
        double sw = 0, sz = 0, plain = 0;
        int inside = 0;
        for (int r = 0; r < take; ++r) {
            const int k = idx[r];
            if (d[k] <= 1e-12) return s.z[k];
            if (d[k] >= rw) continue;
            const double w0 = (rw - d[k]) / (rw * d[k]);
            const double w = w0 * w0;
            const double qk = nodal(k, u, v);
            sw += w;
            sz += w * qk;
            plain += qk;
            ++inside;
        }
        if (sw > 0 && std::isfinite(sz / sw)) return sz / sw;
        return inside ? plain / inside : g.nodata;
    });
}

} // namespace gridding
