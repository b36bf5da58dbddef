// SPDX-License-Identifier: GPL-3.0-or-later
// Minimum curvature: the grid surface of least total squared curvature that passes through the
// points, without tension. Its biharmonic equations are solved by sparse Cholesky: exact and tens of
// milliseconds on 100 x 100 nodes, where relaxing them takes thousands of sweeps when few points
// hold the surface's long waves.
#include "platform/contour/gridding_methods.h"

#include <Eigen/Dense>
#include <Eigen/IterativeLinearSolvers>
#include <Eigen/Sparse>
#include <Eigen/SparseCholesky>

#include <algorithm>
#include <cmath>

namespace gridding {

namespace {

using Eigen::VectorXd;
using Triplet = Eigen::Triplet<double>;
using Sparse = Eigen::SparseMatrix<double>;

// Weight of a point's equation against the curvature terms (in grid-cell units): large enough that
// the surface passes through the points to within about 1e-4 of the local change across a cell.
constexpr double PointWeight = 100;
// A faint pull towards the least-squares plane keeps the system definite when the points inside
// the grid cannot fix a plane on their own (all on one line); a plane is left untouched by it.
constexpr double PlanePull = 1e-8;
// Points beyond the grid farther than this many cells do not constrain it.
constexpr double Reach = 2;

} // namespace

void minimumCurvature(const std::vector<ScatterPoint>& pts, ContourGrid& g) {
    const int nx = g.nx, ny = g.ny, nodes = nx * ny;
    auto id = [nx](int i, int j) { return j * nx + i; };

    // Least-squares plane of all points: the pull's target.
    const Frame f(pts);
    Eigen::MatrixXd a(pts.size(), 3);
    VectorXd b(pts.size());
    for (size_t k = 0; k < pts.size(); ++k) {
        a.row(Eigen::Index(k)) << 1, f.u(pts[k].x), f.v(pts[k].y);
        b(Eigen::Index(k)) = pts[k].z;
    }
    const VectorXd c = a.completeOrthogonalDecomposition().solve(b);
    VectorXd g0(nodes);
    for (int j = 0; j < ny; ++j)
        for (int i = 0; i < nx; ++i) g0(id(i, j)) = c(0) + c(1) * f.u(g.xAt(i)) + c(2) * f.v(g.yAt(j));

    const double dx = (g.xMax - g.xMin) / (nx - 1), dy = (g.yMax - g.yMin) / (ny - 1);
    const double r = dy / dx; // cell aspect; lengths are in units of dx

    // The energy as rows of squared terms: second differences along x and y at the nodes, the
    // twist at the cells (counted twice, as in xx + 2 xy + yy), and each point's bilinear value.
    // Only differences inside the grid are counted, which gives the free edges of the method.
    std::vector<Triplet> rows;
    int row = 0;
    const double ry = 1 / (r * r), rxy = std::sqrt(2.0) / r;
    for (int j = 0; j < ny; ++j)
        for (int i = 1; i + 1 < nx; ++i, ++row) {
            rows.emplace_back(row, id(i - 1, j), 1);
            rows.emplace_back(row, id(i, j), -2);
            rows.emplace_back(row, id(i + 1, j), 1);
        }
    for (int j = 1; j + 1 < ny; ++j)
        for (int i = 0; i < nx; ++i, ++row) {
            rows.emplace_back(row, id(i, j - 1), ry);
            rows.emplace_back(row, id(i, j), -2 * ry);
            rows.emplace_back(row, id(i, j + 1), ry);
        }
    for (int j = 0; j + 1 < ny; ++j)
        for (int i = 0; i + 1 < nx; ++i, ++row) {
            rows.emplace_back(row, id(i, j), rxy);
            rows.emplace_back(row, id(i + 1, j), -rxy);
            rows.emplace_back(row, id(i, j + 1), -rxy);
            rows.emplace_back(row, id(i + 1, j + 1), rxy);
        }
    const int curvatureRows = row;
    std::vector<double> target;
    for (const auto& p : pts) {
        const double s = (p.x - g.xMin) / dx, t = (p.y - g.yMin) / dy;
        const double out = std::max({0.0, -s, s - (nx - 1), -t, t - (ny - 1)});
        if (out > Reach) continue;
        // The cell holding the point, or the border cell nearest to it (extrapolated bilinearly).
        const int i0 = std::clamp(int(std::floor(s)), 0, nx - 2);
        const int j0 = std::clamp(int(std::floor(t)), 0, ny - 2);
        const double fs = s - i0, ft = t - j0;
        const double w = PointWeight / (1 + out);
        rows.emplace_back(row, id(i0, j0), w * (1 - fs) * (1 - ft));
        rows.emplace_back(row, id(i0 + 1, j0), w * fs * (1 - ft));
        rows.emplace_back(row, id(i0, j0 + 1), w * (1 - fs) * ft);
        rows.emplace_back(row, id(i0 + 1, j0 + 1), w * fs * ft);
        target.push_back(w * p.z);
        ++row;
    }
    Sparse d(row, nodes);
    d.setFromTriplets(rows.begin(), rows.end());
    VectorXd rhsRows = VectorXd::Zero(row);
    for (size_t k = 0; k < target.size(); ++k) rhsRows(curvatureRows + Eigen::Index(k)) = target[k];

    // Normal equations: the biharmonic stencil in the interior, the point equations around points.
    Sparse m = d.transpose() * d;
    const VectorXd rhs = d.transpose() * rhsRows + PlanePull * g0;
    for (int k = 0; k < nodes; ++k) m.coeffRef(k, k) += PlanePull;
    m.makeCompressed();

    VectorXd z;
    Eigen::SimplicialLDLT<Sparse> ldlt(m);
    if (ldlt.info() == Eigen::Success) z = ldlt.solve(rhs);
    if (ldlt.info() != Eigen::Success || !z.allFinite()) {
        // Not expected (the matrix is positive definite), but relaxation still gets close.
        Eigen::ConjugateGradient<Sparse, Eigen::Lower | Eigen::Upper, Eigen::IncompleteCholesky<double>> cg;
        cg.setTolerance(1e-12);
        cg.setMaxIterations(4000);
        cg.compute(m);
        z = cg.solveWithGuess(rhs, g0);
    }
    for (int k = 0; k < nodes; ++k) g.z[size_t(k)] = z(k);
}

} // namespace gridding
