// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/contour/contourgrid.h"

#include <QPointF>
#include <QString>
#include <vector>

// Contour lines and filled bands of a grid, in the grid's data coordinates, drawn by GDAL's contour
// generator and clipped to the grid's rectangle.
namespace contour {

using Ring = std::vector<QPointF>;

// A round step (1, 2 or 5 times a power of ten) whose multiples in [lo, hi] number between minCount
// and maxCount; when no step does, the one whose count comes nearest. hi <= lo gives 1.
double roundStep(double lo, double hi, int minCount, int maxCount);

// The number of the step's multiples in [lo, hi].
int multiplesIn(double lo, double hi, double step);

// Decimals that show every multiple of the step.
int stepDecimals(double step);

// A multiple of a step as a label.
QString stepLabel(double value, double step);

// The contour levels: the multiples of interval from first on, count of them.
struct Levels {
    double first = 0;
    double interval = 1;
    int count = 0;
    double at(int k) const { return first + k * interval; }
    // Every other line carries its value: the multiples of twice the interval.
    bool labelled(int k) const;
};

// The lowest and highest value of the grid's non-blank nodes; false when every node is blank.
bool valueRange(const ContourGrid& grid, double& lo, double& hi);

// 8 to 15 levels at a round interval over the grid's values.
Levels chooseLevels(const ContourGrid& grid);

struct ContourLine {
    int level = 0; // index into the levels
    std::vector<QPointF> points;
};

// One polygon of a band: its outline first, then its holes.
struct BandPolygon {
    int band = 0; // 0 below the first level, k between levels k - 1 and k, count above the last
    std::vector<Ring> rings;
    double area() const;
};

std::vector<ContourLine> contourLines(const ContourGrid& grid, const Levels& levels);
std::vector<BandPolygon> contourBands(const ContourGrid& grid, const Levels& levels);

// Signed area of a closed ring (positive counter-clockwise with y up).
double ringArea(const Ring& ring);

} // namespace contour
