// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>
#include <span>
#include <vector>

// A regular grid of values over a rectangle of data coordinates, as the contouring engine makes it
// from scattered points and as its grid files hold it. Node (i, j) lies at x = xMin + i * (xMax -
// xMin) / (nx - 1), y = yMin + j * (yMax - yMin) / (ny - 1); row j = 0 is the lowest y. A blank node
// holds `nodata`, never a made-up value.
struct ContourGrid {
    int nx = 0;
    int ny = 0;
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    double nodata = 1.70141e38;
    std::vector<double> z; // nx * ny values, row by row from the lowest y

    double& at(int i, int j) { return z[static_cast<size_t>(j) * nx + i]; }
    double at(int i, int j) const { return z[static_cast<size_t>(j) * nx + i]; }
    bool isBlank(int i, int j) const { return at(i, j) == nodata; }
    double xAt(int i) const { return nx > 1 ? xMin + i * (xMax - xMin) / (nx - 1) : xMin; }
    double yAt(int j) const { return ny > 1 ? yMin + j * (yMax - yMin) / (ny - 1) : yMin; }
};

// The named arguments of the application's GridData call. Limits not given are taken from the points.
struct GridDataArgs {
    QString DataFile;
    std::optional<double> xMin, xMax, yMin, yMax;
    int Algorithm = 0; // 1..9 by method; 0 (no known name) grids as Kriging
    bool ShowReport = false;
    QString OutGrid;
};

struct ScatterPoint {
    double x, y, z;
};

// One gridding method: its number (GridDataArgs::Algorithm), its name as the date-contour form lists
// it and the run looks it up, what it can take in points (distinct locations) and nodes (beyond
// either, gridPoints refuses before the method allocates anything), and the function that fills
// grid.z (sized nx * ny, geometry set) from at least 3 distinct points, nodata where it has no value.
struct GriddingMethod {
    int number;
    const char* name;
    int points;
    long long nodes;
    void (*grid)(const std::vector<ScatterPoint>& pts, ContourGrid& grid);
};
// The nine methods, numbered 1 to 9 in the order the form lists them.
std::span<const GriddingMethod> GriddingMethods();
// The method of a number; any other number (0 for a name nobody knows) grids as Kriging.
const GriddingMethod& GriddingMethodOf(int number);
// The number of the method of exactly that name; 0 for a name nobody knows.
int GriddingMethodNumber(const QString& name);

// Reads X, Y, Z a line (Tab, comma or blanks between); a line whose X, Y or Z is not a number is
// skipped. Raises QmError 53 when the file cannot be read.
std::vector<ScatterPoint> readScatterPoints(const QString& path);

// Grids the points by the algorithm number over the given limits (else the points' extent): 100 nodes
// along the longer side, the same spacing across, at least 10. Raises QmError 432 with a reason when
// it cannot be done (fewer than 3 points with values, a degenerate extent).
ContourGrid gridPoints(const std::vector<ScatterPoint>& points, const GridDataArgs& args);

// GridData as the contour run calls it: read the data file, grid it, write the grid file.
void GridData(const GridDataArgs& args);

// The most nodes a grid may have (a 5,000 by 5,000 grid): grid files and gridding refuse more before
// allocating.
constexpr long long MaxGridNodes = 25'000'000;

// Grid files: one raster format that keeps every value and the nodata mark exactly (GeoTIFF, one
// band of 64-bit floats with its nodata value, whatever the file's extension). Writing goes through
// QSaveFile (raises 75 when it fails); a file that is missing or not such a raster, a grid of more than
// MaxGridNodes values (nodes times the samples each pixel holds), and a geotransform that is not
// finite or has no positive pixel width raise 432.
// Every grid written reads back with the same limits and values, bit for bit.
void writeGridFile(const QString& path, const ContourGrid& grid);
ContourGrid readGridFile(const QString& path);
