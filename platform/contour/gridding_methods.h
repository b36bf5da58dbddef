// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/contour/contourgrid.h"

#include <vector>

// The gridding methods behind gridPoints(), as GriddingMethod::grid (contourgrid.h) names them.
namespace gridding {

void inverseDistance(const std::vector<ScatterPoint>& pts, ContourGrid& grid);
void nearestNeighbor(const std::vector<ScatterPoint>& pts, ContourGrid& grid);
void triangulationLinear(const std::vector<ScatterPoint>& pts, ContourGrid& grid);

void kriging(const std::vector<ScatterPoint>& pts, ContourGrid& grid);
void minimumCurvature(const std::vector<ScatterPoint>& pts, ContourGrid& grid);
void modifiedShepard(const std::vector<ScatterPoint>& pts, ContourGrid& grid);
void naturalNeighbor(const std::vector<ScatterPoint>& pts, ContourGrid& grid);
void polynomialRegression(const std::vector<ScatterPoint>& pts, ContourGrid& grid);
void radialBasis(const std::vector<ScatterPoint>& pts, ContourGrid& grid);

// True when the points span no area (all on one line), so there is no hull to interpolate in.
bool collinear(const std::vector<ScatterPoint>& pts);

// Coordinates moved to the points' centre and scaled to about unit size, so that the solvers see
// well-conditioned numbers whatever the map units.
struct Frame {
    double cx = 0, cy = 0, scale = 1;
    explicit Frame(const std::vector<ScatterPoint>& pts);
    double u(double x) const { return (x - cx) / scale; }
    double v(double y) const { return (y - cy) / scale; }
};

} // namespace gridding
