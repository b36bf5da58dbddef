// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/contour/contourgrid.h"
#include "platform/contour/gridding_methods.h"
#include "platform/qmerror.h"
#include "support/errorof.h"
#include "support/testenv.h"

#include <QFileInfo>
#include <gdal.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <random>

namespace {

// Scattered points over [0, w] x [0, h] with the four corners among them, so that the hull is the
// whole grid and no method has a reason to leave a node blank.
std::vector<ScatterPoint> scattered(int n, const std::function<double(double, double)>& z, double w = 100,
                                    double h = 60, unsigned seed = 7) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> ux(0, w), uy(0, h);
    std::vector<ScatterPoint> pts;
    for (auto [x, y] : {std::pair{0.0, 0.0}, {w, 0.0}, {0.0, h}, {w, h}}) pts.push_back({x, y, z(x, y)});
    while (int(pts.size()) < n) {
        const double x = ux(rng), y = uy(rng);
        pts.push_back({x, y, z(x, y)});
    }
    return pts;
}

ContourGrid grid(const std::vector<ScatterPoint>& pts, int method) {
    GridDataArgs a;
    a.Algorithm = method;
    return gridPoints(pts, a);
}

int blanks(const ContourGrid& g) {
    int n = 0;
    for (int j = 0; j < g.ny; ++j)
        for (int i = 0; i < g.nx; ++i) n += g.isBlank(i, j);
    return n;
}

void writeText(const QString& path, const char* text) { writeRaw(path, QByteArray(text)); }

std::string methodName(const testing::TestParamInfo<int>& info) {
    static const char* names[] = {"Unnamed",       "InverseDistance", "Kriging",
                                  "MinCurvature",  "ModifiedShepard", "NaturalNeighbor",
                                  "NearestNeighbor", "Polynomial",    "RadialBasis",
                                  "Triangulation"};
    return names[info.param];
}

} // namespace

// ---- every method --------------------------------------------------------------------------------

class EveryMethod : public testing::TestWithParam<int> {};

TEST_P(EveryMethod, ReproducesAConstantFieldAtEveryNode) {
    const auto g = grid(scattered(40, [](double, double) { return 7.25; }), GetParam());
    ASSERT_EQ(blanks(g), 0);
    for (double v : g.z) ASSERT_NEAR(v, 7.25, 1e-9);
}

// The data file path: "-" values are skipped, so a file that is 5 everywhere grids as 5 everywhere,
// and what is written reads back as gridded.
TEST_P(EveryMethod, SkipsLinesWithoutAValueAndWritesTheGridItReadsBack) {
    TempProgramFolder pf;
    QByteArray text = "50\t30\t-\r\n-\t10\t5\r\n20\t-\t5\r\n";
    for (const auto& p : scattered(30, [](double, double) { return 5.0; }))
        text += QByteArray::number(p.x, 'g', 17) + '\t' + QByteArray::number(p.y, 'g', 17) + "\t5\r\n";
    writeRaw(pf.file("SITE.TXT"), text);
    GridDataArgs a;
    a.DataFile = pf.file("site.txt"); // names match without regard to case
    a.OutGrid = pf.file("SITE.GRD");
    a.Algorithm = GetParam();
    GridData(a);
    const ContourGrid g = readGridFile(a.OutGrid);
    EXPECT_EQ(g.nx, 100);
    EXPECT_EQ(g.ny, 60);
    EXPECT_EQ(blanks(g), 0);
    for (double v : g.z) ASSERT_NEAR(v, 5.0, 1e-9);
    const ContourGrid direct = gridPoints(readScatterPoints(a.DataFile), a);
    EXPECT_EQ(g.z, direct.z);
}

INSTANTIATE_TEST_SUITE_P(Gridding, EveryMethod, testing::Range(0, 10), methodName);

// ---- interpolating methods -----------------------------------------------------------------------

class InterpolatingMethod : public testing::TestWithParam<int> {};

TEST_P(InterpolatingMethod, ReturnsTheDataValueAtANodeOnAPoint) {
    // 0..99 by 0..49 puts the nodes on whole numbers; the points sit on nodes with rough values.
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> ix(0, 99), iy(0, 49);
    std::uniform_real_distribution<double> val(-50, 250);
    std::vector<ScatterPoint> pts = {{0, 0, 1}, {99, 0, 2}, {0, 49, 3}, {99, 49, 4}};
    while (pts.size() < 60) {
        const ScatterPoint p{double(ix(rng)), double(iy(rng)), val(rng)};
        bool taken = false;
        for (const auto& q : pts) taken |= q.x == p.x && q.y == p.y;
        if (!taken) pts.push_back(p);
    }
    const auto g = grid(pts, GetParam());
    ASSERT_EQ(g.nx, 100);
    ASSERT_EQ(g.ny, 50);
    for (const auto& p : pts) EXPECT_NEAR(g.at(int(p.x), int(p.y)), p.z, 1e-8) << p.x << "," << p.y;
}

INSTANTIATE_TEST_SUITE_P(Gridding, InterpolatingMethod, testing::Values(1, 2, 4, 5, 6, 8, 9), methodName);

// ---- plane reproduction --------------------------------------------------------------------------

class PlaneMethod : public testing::TestWithParam<int> {};

TEST_P(PlaneMethod, ReproducesAPlane) {
    auto plane = [](double x, double y) { return 12 + 0.3 * x - 0.7 * y; };
    const auto g = grid(scattered(60, plane), GetParam());
    ASSERT_EQ(blanks(g), 0);
    for (int j = 0; j < g.ny; ++j)
        for (int i = 0; i < g.nx; ++i) ASSERT_NEAR(g.at(i, j), plane(g.xAt(i), g.yAt(j)), 1e-9) << i << "," << j;
}

INSTANTIATE_TEST_SUITE_P(Gridding, PlaneMethod, testing::Values(3, 4, 5, 7, 8, 9), methodName);

// The quadratic fits (Shepard's nodal functions, the regression surface) carry a quadratic whole.
class QuadraticMethod : public testing::TestWithParam<int> {};

TEST_P(QuadraticMethod, ReproducesAQuadratic) {
    auto quad = [](double x, double y) { return 3 + 0.2 * x - 0.1 * y + 0.004 * x * x - 0.003 * x * y + 0.01 * y * y; };
    const auto g = grid(scattered(80, quad), GetParam());
    for (int j = 0; j < g.ny; ++j)
        for (int i = 0; i < g.nx; ++i) ASSERT_NEAR(g.at(i, j), quad(g.xAt(i), g.yAt(j)), 1e-8) << i << "," << j;
}

INSTANTIATE_TEST_SUITE_P(Gridding, QuadraticMethod, testing::Values(4, 7), methodName);

// ---- values particular to one method -------------------------------------------------------------

TEST(GriddingMethod, NaturalNeighbourWeighsFourCocircularPointsEquallyWhereTrianglesWouldNot) {
    // At the centre of a square every corner owns a quarter of the stolen area; linear interpolation
    // would see only the two ends of whichever diagonal the triangulation chose (giving 0 or 2).
    const std::vector<ScatterPoint> square = {{0, 0, 0}, {98, 0, 0}, {0, 98, 0}, {98, 98, 4}};
    GridDataArgs a;
    a.Algorithm = 5;
    a.xMin = a.yMin = 0.0;
    a.xMax = a.yMax = 99.0;
    EXPECT_NEAR(gridPoints(square, a).at(49, 49), 1.0, 1e-9);
    a.Algorithm = 9;
    const double linear = gridPoints(square, a).at(49, 49);
    EXPECT_TRUE(std::abs(linear) < 1e-9 || std::abs(linear - 2) < 1e-9) << linear;
}

TEST(GriddingMethod, KrigingWithALinearVariogramInterpolatesLinearlyAlongALine) {
    // Along one line the linear variogram's estimate between two neighbours is their straight line.
    const std::vector<ScatterPoint> line = {{0, 0, 0}, {33, 0, 10}, {99, 0, 0}};
    GridDataArgs a;
    a.Algorithm = 2;
    a.xMin = 0.0;
    a.xMax = 99.0;
    a.yMin = -10.0;
    a.yMax = 10.0;
    const ContourGrid g = gridPoints(line, a);
    ASSERT_EQ(g.ny, 21);
    EXPECT_NEAR(g.at(66, 10), 5.0, 1e-9);
    EXPECT_NEAR(g.at(11, 10), 10.0 / 3, 1e-9);
}

TEST(GriddingMethod, PolynomialRegressionFitsAPlaneToFewerThanSixPoints) {
    // The least-squares plane of a flat square and a raised centre is level at the mean.
    const std::vector<ScatterPoint> five = {{0, 0, 0}, {10, 0, 0}, {0, 10, 0}, {10, 10, 0}, {5, 5, 5}};
    const ContourGrid g = grid(five, 7);
    for (double v : g.z) ASSERT_NEAR(v, 1.0, 1e-9);
}

TEST(GriddingMethod, MinimumCurvatureHoldsThePointsOnACurvedSurface) {
    auto bump = [](double x, double y) { return 10 * std::exp(-((x - 50) * (x - 50) + (y - 30) * (y - 30)) / 800); };
    const auto pts = scattered(60, bump);
    const ContourGrid g = grid(pts, 3);
    const double dx = (g.xMax - g.xMin) / (g.nx - 1), dy = (g.yMax - g.yMin) / (g.ny - 1);
    for (const auto& p : pts) {
        const double s = (p.x - g.xMin) / dx, t = (p.y - g.yMin) / dy;
        const int i = std::min(int(s), g.nx - 2), j = std::min(int(t), g.ny - 2);
        const double fs = s - i, ft = t - j;
        const double at = (1 - fs) * (1 - ft) * g.at(i, j) + fs * (1 - ft) * g.at(i + 1, j) +
                          (1 - fs) * ft * g.at(i, j + 1) + fs * ft * g.at(i + 1, j + 1);
        EXPECT_NEAR(at, p.z, 1e-3) << p.x << "," << p.y;
    }
    // Smooth between them: no node strays far beyond the data's range.
    for (double v : g.z) ASSERT_TRUE(v > -2 && v < 12) << v;
}

// ---- hull, blanks and the grid file --------------------------------------------------------------

class HullMethod : public testing::TestWithParam<int> {};

TEST_P(HullMethod, LeavesNodesOutsideTheHullBlankAndTheFileKeepsThem) {
    // A triangle over the lower left half of the grid.
    const std::vector<ScatterPoint> pts = {{0, 0, 1}, {90, 0, 2}, {0, 90, 3}, {20, 20, 4}, {30, 10, 0}};
    GridDataArgs a;
    a.Algorithm = GetParam();
    a.xMax = a.yMax = 99.0;
    a.xMin = a.yMin = 0.0;
    const ContourGrid g = gridPoints(pts, a);
    ASSERT_EQ(g.nx, 100);
    EXPECT_NE(g.nodata, 0.0);
    for (int j = 0; j < g.ny; ++j)
        for (int i = 0; i < g.nx; ++i) {
            if (i + j < 89) ASSERT_FALSE(g.isBlank(i, j)) << i << "," << j;
            if (i + j > 91) ASSERT_EQ(g.at(i, j), g.nodata) << i << "," << j;
        }
    EXPECT_NEAR(g.at(30, 10), 0.0, 1e-12); // a real zero stays a value, not a blank

    TempProgramFolder pf;
    writeGridFile(pf.file("hull.grd"), g);
    const ContourGrid back = readGridFile(pf.file("hull.grd"));
    EXPECT_EQ(back.nx, g.nx);
    EXPECT_EQ(back.ny, g.ny);
    EXPECT_EQ(back.xMin, g.xMin);
    EXPECT_EQ(back.xMax, g.xMax);
    EXPECT_EQ(back.yMin, g.yMin);
    EXPECT_EQ(back.yMax, g.yMax);
    EXPECT_EQ(std::memcmp(&back.nodata, &g.nodata, sizeof(double)), 0);
    ASSERT_EQ(back.z.size(), g.z.size());
    EXPECT_EQ(std::memcmp(back.z.data(), g.z.data(), g.z.size() * sizeof(double)), 0);
    EXPECT_EQ(blanks(back), blanks(g));
}

TEST_P(HullMethod, DenseSetLeavesNoNodeInsideTheHullBlank) {
    // Thousands of points in a small patch make triangles too small for a size-limited search.
    auto plane = [](double x, double y) { return 12 + 0.3 * x - 0.7 * y; };
    auto pts = scattered(200, plane);
    for (const auto& p : scattered(3000, plane, 8, 8, 11)) pts.push_back({p.x + 40, p.y + 20, plane(p.x + 40, p.y + 20)});
    const auto g = grid(pts, GetParam());
    for (int j = 0; j < g.ny; ++j)
        for (int i = 0; i < g.nx; ++i) ASSERT_NEAR(g.at(i, j), plane(g.xAt(i), g.yAt(j)), 1e-9) << i << "," << j;
}

INSTANTIATE_TEST_SUITE_P(Gridding, HullMethod, testing::Values(5, 9), methodName);

TEST(GridFile, KeepsAwkwardValuesLimitsAndAnOwnNodataBitForBit) {
    ContourGrid g;
    g.nx = 3;
    g.ny = 2;
    g.xMin = 0.1;
    g.xMax = 0.7;
    g.yMin = -1e-7;
    g.yMax = 1.0 / 3;
    g.nodata = -99999.123456789;
    g.z = {1.0 / 3, -0.0, 1e-300, 6.02214076e23, g.nodata, std::nextafter(1.0, 2.0)};
    TempProgramFolder pf;
    writeGridFile(pf.file("odd.GRD"), g);
    const ContourGrid back = readGridFile(pf.file("ODD.grd"));
    EXPECT_EQ(back.nodata, g.nodata);
    EXPECT_EQ(std::memcmp(back.z.data(), g.z.data(), g.z.size() * sizeof(double)), 0);
    EXPECT_EQ(back.xMax, 0.7);
    EXPECT_EQ(back.yMax, 1.0 / 3);
    EXPECT_TRUE(back.isBlank(1, 1));
    EXPECT_EQ(back.at(0, 1), 6.02214076e23); // row 0 is the lowest y in the file too

    // Limits whose cell is too small or large for a double, none, reversed or -0 come back exactly.
    const double most = std::numeric_limits<double>::max();
    const std::array<double, 4> limits[] = {
        {0, 1e-320, 0, 1}, {5, 5, 2, 2}, {0, 1, 1, 0}, {-most, most, -most, most}, {-0.0, 1, -0.0, -0.0}};
    for (const auto& [x0, x1, y0, y1] : limits) {
        g.xMin = x0, g.xMax = x1, g.yMin = y0, g.yMax = y1;
        writeGridFile(pf.file("odd.grd"), g);
        const ContourGrid again = readGridFile(pf.file("odd.grd"));
        EXPECT_EQ(std::memcmp(&again.xMin, &g.xMin, 4 * sizeof(double)), 0) << x0 << " " << x1 << " " << y0;
        EXPECT_EQ(std::memcmp(again.z.data(), g.z.data(), g.z.size() * sizeof(double)), 0) << x0 << " " << y0;
    }
}

// A TIFF of 142 bytes claiming 100,000 x 100,000 doubles: its tags (code, type, count, value) with
// one strip of 8 bytes.
const QByteArray HugeGridFile = QByteArray::fromHex(
    "49492a00 08000000 0a00 000104000100 0000a0860100 010104000100 0000a0860100 020103000100 000040000000"
    "030103000100 000001000000 060103000100 000001000000 110104000100 000086000000 150103000100 000001000000"
    "160104000100 0000a0860100 170104000100 000008000000 530103000100 000003000000 00000000 0000000000000000");

TEST(GridFile, AMissingForeignOrHostileFileIsRefusedWith432BeforeAllocating) {
    TempProgramFolder pf;
    writeText(pf.file("text.grd"), "1 2 3\r\n");
    writeRaw(pf.file("huge.grd"), HugeGridFile);
    QByteArray deep = HugeGridFile; // 2,689 x 100 nodes of 50,688 samples each
    deep.replace(18, 4, "\x81\n\0\0", 4).replace(30, 4, "d\0\0\0", 4).replace(90, 2, "\0\xc6", 2);
    writeRaw(pf.file("deep.grd"), deep);
    const ContourGrid g{3, 2, 0, 1, 0, 1, 1e38, std::vector<double>(6, 1.0)};
    auto withGeoTransform = [&](const char* name, std::array<double, 6> gt) {
        writeGridFile(pf.file(name), g);
        GDALDatasetH ds = GDALOpen(pf.file(name).toUtf8(), GA_Update);
        GDALSetGeoTransform(ds, gt.data());
        GDALClose(ds);
    };
    withGeoTransform("nan.grd", {0, 1, 0, std::nan(""), 0, -1});
    withGeoTransform("mirror.grd", {0, -1, 0, 1, 0, -1});
    const std::pair<const char*, const char*> cases[] = {
        {"none.grd", "not found"}, {"text.grd", "not a grid file"}, {"huge.grd", "more than 25000000 values"},
        {"deep.grd", "more than 25000000 values"},
        {"nan.grd", "no usable geotransform"}, {"mirror.grd", "no usable geotransform"}};
    for (const auto& [name, reason] : cases) {
        QString why;
        EXPECT_EQ(errorOf([&] { readGridFile(pf.file(name)); }, &why), 432) << name;
        EXPECT_TRUE(why.contains(reason)) << why.toStdString();
    }
}

// ---- reading the data file -----------------------------------------------------------------------

TEST(ScatterPoints, ReadTabsCommasAndBlanksAndSkipLinesWithoutThreeNumbers) {
    TempProgramFolder pf;
    writeText(pf.file("pts.txt"),
              "X\tY\tZ\r\n"        // a heading
              "1\t2\t3\r\n"
              "4,5,6\n"
              "  7   8   9  \r"
              "10, 11 ,12\r\n"
              ".5\t-.5\t1.234568E+07\r\n"
              "13\t14\t15\tMW-1\r\n" // more fields than three: the rest is not read
              "\r\n"
              "16\t17\t-\r\n"
              "-\t18\t19\r\n"
              "20,,21\r\n"          // no Y
              "22\t23\r\n"
              "24\t25\t26ft\r\n");
    const auto pts = readScatterPoints(pf.file("pts.txt"));
    const std::vector<std::array<double, 3>> want = {
        {1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}, {0.5, -0.5, 1.234568e7}, {13, 14, 15}};
    ASSERT_EQ(pts.size(), want.size());
    for (size_t k = 0; k < want.size(); ++k) {
        EXPECT_EQ(pts[k].x, want[k][0]);
        EXPECT_EQ(pts[k].y, want[k][1]);
        EXPECT_EQ(pts[k].z, want[k][2]);
    }
    EXPECT_EQ(errorOf([&] { readScatterPoints(pf.file("absent.txt")); }), 53);
}

// ---- grid geometry -------------------------------------------------------------------------------

TEST(GridGeometry, HundredNodesAlongTheLongerSideTheSameSpacingAcrossAtLeastTen) {
    auto flat = [](double, double) { return 1.0; };
    ContourGrid g = grid(scattered(10, flat, 200, 50), 6);
    EXPECT_EQ(g.nx, 100);
    EXPECT_EQ(g.ny, 26); // 50 / (200 / 99) = 24.75 spacings
    EXPECT_EQ(g.xMin, 0);
    EXPECT_EQ(g.xMax, 200);
    EXPECT_EQ(g.yMax, 50);

    g = grid(scattered(10, flat, 30, 300), 6);
    EXPECT_EQ(g.ny, 100);
    EXPECT_EQ(g.nx, 11);

    g = grid(scattered(10, flat, 500, 2), 6);
    EXPECT_EQ(g.nx, 100);
    EXPECT_EQ(g.ny, 10);

    // Given limits win over the points' extent; reversed ones are put right.
    GridDataArgs a;
    a.Algorithm = 1;
    a.xMin = 1000.0;
    a.xMax = -1000.0;
    a.yMin = -10.0;
    a.yMax = 490.0;
    g = gridPoints(scattered(10, flat), a);
    EXPECT_EQ(g.xMin, -1000);
    EXPECT_EQ(g.xMax, 1000);
    EXPECT_EQ(g.yMin, -10);
    EXPECT_EQ(g.nx, 100);
    EXPECT_EQ(g.ny, 26);
    EXPECT_EQ(blanks(g), 0);
}

TEST(GridGeometry, RepeatedLocationsGridAsTheirMean) {
    std::vector<ScatterPoint> pts = scattered(20, [](double, double) { return 3.0; });
    pts.push_back({40, 30, 2});
    pts.push_back({40, 30, 6});
    pts.push_back({40, 30, 4});
    for (int m : {1, 2, 4, 5, 8, 9}) {
        GridDataArgs a;
        a.Algorithm = m;
        a.xMin = a.yMin = 0.0;
        a.xMax = 99.0;
        a.yMax = 60.0;
        EXPECT_NEAR(gridPoints(pts, a).at(40, 30), 4.0, 1e-9) << m;
    }
}

// ---- what cannot be gridded ----------------------------------------------------------------------

TEST(GriddingFails, FewerThanThreePointsWithValuesOrNoExtentRaise432) {
    QString why;
    const std::vector<ScatterPoint> two = {{0, 0, 1}, {10, 10, 2}};
    EXPECT_EQ(errorOf([&] { grid(two, 2); }, &why), 432);
    EXPECT_EQ(why, "fewer than 3 points with values");

    // Three lines, but one without a value and two at one place.
    TempProgramFolder pf;
    writeText(pf.file("few.txt"), "0\t0\t1\r\n5\t5\t-\r\n0\t0\t3\r\n0\t0\t2\r\n");
    GridDataArgs a;
    a.DataFile = pf.file("few.txt");
    a.OutGrid = pf.file("few.grd");
    EXPECT_EQ(errorOf([&] { GridData(a); }, &why), 432);
    EXPECT_EQ(why, "fewer than 3 points with values");
    EXPECT_FALSE(QFileInfo::exists(a.OutGrid));

    const std::vector<ScatterPoint> row = {{0, 5, 1}, {10, 5, 2}, {20, 5, 3}};
    EXPECT_EQ(errorOf([&] { grid(row, 1); }), 432);

    a.DataFile = pf.file("missing.txt");
    EXPECT_EQ(errorOf([&] { GridData(a); }), 53);
}

// One point more than a method takes is refused before it starts (peak memory: bench_gridlimits).
TEST(GriddingFails, MorePointsThanAMethodTakesRaise432) {
    const auto many = scattered(500'001, [](double x, double y) { return x - y; }, 1e4, 1e4);
    for (int m = 0; m <= 9; ++m) {
        const int most = GriddingMethodOf(m).points;
        QString why;
        EXPECT_EQ(errorOf([&] { grid({many.begin(), many.begin() + most + 1}, m); }, &why), 432) << m;
        EXPECT_EQ(why, QStringLiteral("%1 points, more than %2 can take (%3)").arg(most + 1).arg(GriddingMethodOf(m).name).arg(most));
    }
}

// Points on one line with limits given: the methods that need area leave blanks, the rest give
// finite values; nothing crashes or writes NaN.
TEST(GriddingFails, PointsOnALineStillGridSafely) {
    const std::vector<ScatterPoint> line = {{0, 0, 1}, {10, 10, 2}, {20, 20, 3}, {30, 30, 5}};
    for (int m = 0; m <= 9; ++m) {
        GridDataArgs a;
        a.Algorithm = m;
        a.xMin = a.yMin = 0.0;
        a.xMax = a.yMax = 30.0;
        const ContourGrid g = gridPoints(line, a);
        for (double v : g.z) ASSERT_TRUE(std::isfinite(v)) << m;
        if (m == 5 || m == 9) EXPECT_EQ(blanks(g), g.nx * g.ny) << m;
        else EXPECT_EQ(blanks(g), 0) << m;
    }
}
