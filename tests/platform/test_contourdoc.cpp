// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/contour/contourdoc.h"
#include "platform/contour/contouring.h"
#include "platform/contour/plotdoc.h"
#include "platform/drawing/drawdump.h"
#include "platform/drawing/drawrender.h"
#include "platform/qmerror.h"
#include "platform/windowhooks.h"
#include "support/contourrecorder.h"
#include "support/errorof.h"
#include "support/programstate.h"
#include "support/testenv.h"

#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <set>

using namespace contour;

static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

ContourGrid makeGrid(int nx, int ny, double x0, double x1, double y0, double y1,
                     const std::function<double(double, double)>& f) {
    ContourGrid g;
    g.nx = nx;
    g.ny = ny;
    g.xMin = x0;
    g.xMax = x1;
    g.yMin = y0;
    g.yMax = y1;
    g.z.resize(size_t(nx) * ny);
    for (int j = 0; j < ny; ++j)
        for (int i = 0; i < nx; ++i)
            g.at(i, j) = f(g.xAt(i), g.yAt(j));
    return g;
}

// z = x over 100 by 50.
ContourGrid rampGrid() {
    return makeGrid(101, 51, 0, 100, 0, 50, [](double x, double) { return x; });
}

// A hill, a hollow and a slope: bands with holes and islands.
double hillAndHollow(double x, double y) {
    return 50 * std::exp(-((x - 30) * (x - 30) + (y - 40) * (y - 40)) / 400) -
           30 * std::exp(-((x - 70) * (x - 70) + (y - 25) * (y - 25)) / 300) + 0.2 * x;
}

// The object dump without the ids, which every new layout of a shape renews.
QStringList dump(const PlotDocument& d) {
    QStringList out;
    for (const QString& line : draw::dumpDrawing(d.drawing()))
        out << line.section(QLatin1Char(' '), 1);
    return out;
}

// The objects of one kind, in stacking order.
std::vector<const draw::DrawObject*> objectsOf(const PlotDocument& d, draw::Kind kind) {
    std::vector<const draw::DrawObject*> out;
    for (int i = 0; i < d.drawing().count(); ++i)
        if (d.drawing().at(i).kind == kind) out.push_back(&d.drawing().at(i));
    return out;
}

// A label set into a contour line: centred, turned along the line.
const draw::DrawObject* contourLabel(const PlotDocument& d, const QString& text) {
    for (const auto* o : objectsOf(d, draw::Text))
        if (o->text == text && o->style.textAlign == 1 && o->style.textAngle != 0) return o;
    return nullptr;
}

bool inRing(const Ring& r, QPointF p) {
    bool in = false;
    for (size_t i = 0, j = r.size() - 1; i < r.size(); j = i++) {
        if ((r[i].y() > p.y()) != (r[j].y() > p.y()) &&
            p.x() < (r[j].x() - r[i].x()) * (p.y() - r[i].y()) / (r[j].y() - r[i].y()) + r[i].x())
            in = !in;
    }
    return in;
}

bool inPolygon(const BandPolygon& b, QPointF p) {
    bool in = false;
    for (const Ring& r : b.rings)
        in ^= inRing(r, p);
    return in;
}

int bandOf(const Levels& l, double z) {
    int b = 0;
    while (b < l.count && l.at(b) < z)
        ++b;
    return b;
}

class ContourDocTest : public ProgramStateTest {
protected:
    PlotDocument doc{1};
    QTemporaryDir dir;
};

// ---- page, rectangles, texts, polylines, pictures ----------------------------------------------------

TEST_F(ContourDocTest, PageInchesFromTheLowerEdgeBecomeDrawingUnits) {
    EXPECT_EQ(doc.drawing().pageWidth(), 6600);
    EXPECT_EQ(doc.drawing().pageHeight(), 5100);
    Shape& r = doc.Shapes().AddRectangle(0.5, 8, 10.5, 0.5);
    doc.Shapes().AddRectangle(8.3, 8, 10.5, 0.5);
    EXPECT_EQ(dump(doc), QStringList({"rect frame=300,300,6300,4800 line=0,1,0 fill=none",
                                      "rect frame=4980,300,6300,4800 line=0,1,0 fill=none"}));
    EXPECT_DOUBLE_EQ(r.Width(), 10);
    EXPECT_DOUBLE_EQ(r.Height(), 7.5);
    EXPECT_DOUBLE_EQ(r.left(), 0.5);
    EXPECT_DOUBLE_EQ(r.top(), 8);
    // Moving and sizing keep the first shape beneath the second.
    r.left(1);
    r.top(7);
    r.Width(2);
    EXPECT_EQ(dump(doc).first(), "rect frame=600,900,1800,5400 line=0,1,0 fill=none");
    EXPECT_TRUE(dump(doc).last().contains("frame=4980,300,6300,4800"));

    // Portrait keeps the shapes' distances from the lower edge.
    doc.PageSetup().Orientation(1);
    EXPECT_EQ(doc.drawing().pageWidth(), 5100);
    EXPECT_EQ(doc.drawing().pageHeight(), 6600);
    EXPECT_TRUE(dump(doc).first().contains("frame=600,2400,1800,6900"));
}

TEST_F(ContourDocTest, TextsSitByTheirAlignments) {
    ShapeCollection& s = doc.Shapes();
    Shape& plain = s.AddText(1, 7, "Plain");
    Shape& title = s.AddText(9.4, 3.0, "Title");
    title.Font().HAlign(2);
    title.Font().VAlign(4);
    Shape& right = s.AddText(5, 2, "Right");
    right.Font().HAlign(3);
    right.Font().VAlign(3);
    Shape& base = s.AddText(5, 1, "Base");
    base.Font().VAlign(2);
    Shape& big = s.AddText(1, 7.5, "Big");
    big.Font().Size(24);

    const auto texts = objectsOf(doc, draw::Text);
    ASSERT_EQ(texts.size(), 5u);
    // Unset: 10 points, left-aligned, the top of the line at y ((8.5 - 7) * 600 = 900).
    const QRectF p = draw::objectBounds(*texts[0]);
    EXPECT_NEAR(p.left(), 600, 1);
    EXPECT_NEAR(p.top(), 900, 1);
    EXPECT_EQ(texts[0]->style.textAlign, 0);
    EXPECT_NEAR(texts[0]->style.textHeight, -10.0 / 72 * 600, 1e-9);
    EXPECT_DOUBLE_EQ(plain.Font().Size(), 10);
    EXPECT_NEAR(plain.left(), 1, 1e-3);
    EXPECT_NEAR(plain.top(), 7, 1e-3);
    EXPECT_NEAR(plain.Height(), p.height() / 600, 1e-9);
    // Centred both ways: the drawing's anchor is the line's middle, so it is the point itself.
    EXPECT_EQ(dump(doc)[1],
              R"(text frame=5640,3300,5640,3300 text="Title" font="Arial",-83.3333,0,1 color=0)");
    // Right-aligned on its bottom: the right edge at x = 3000, the bottom at (8.5 - 2) * 600 = 3900.
    const QRectF r = draw::objectBounds(*texts[2]);
    EXPECT_NEAR(r.right(), 3000, 1);
    EXPECT_NEAR(r.bottom(), 3900, 1);
    // On its baseline: more of the line above y than below.
    const QRectF b = draw::objectBounds(*texts[3]);
    EXPECT_LT(b.top(), 4500);
    EXPECT_GT(b.bottom(), 4500);
    EXPECT_GT(4500 - b.top(), 2 * (b.bottom() - 4500));
    EXPECT_NEAR(texts[4]->style.textHeight, -200, 1e-9);
    EXPECT_NEAR(draw::objectBounds(*texts[4]).top(), 600, 1);

    // Moving by the box.
    plain.left(2);
    plain.top(6);
    const QRectF moved = draw::objectBounds(*objectsOf(doc, draw::Text)[0]);
    EXPECT_NEAR(moved.left(), 1200, 1);
    EXPECT_NEAR(moved.top(), 1500, 1);
}

TEST_F(ContourDocTest, PolylinesStretchFromTheirBounds) {
    Shape& rule = doc.Shapes().AddPolyline({8.3, 1.25, 10.5, 1.25});
    EXPECT_EQ(dump(doc),
              QStringList({"polyline frame=4980,4350,6300,4350 vertices=4980,4350;6300,4350 line=0,1,0"}));
    EXPECT_NEAR(rule.Width(), 2.2, 1e-12);
    EXPECT_EQ(rule.Height(), 0);
    EXPECT_DOUBLE_EQ(rule.top(), 1.25);

    Shape& vee = doc.Shapes().AddPolyline({1, 1, 2, 3, 3, 1});
    vee.Width(4); // from x = 1 on: 1, 3, 5 inches
    vee.top(4);   // the top from 3 to 4 inches up
    EXPECT_TRUE(dump(doc).last().contains("vertices=600,3900;1800,2700;3000,3900"));
}

TEST_F(ContourDocTest, PicturesImportAtTheirSizeAndTakeTheirBox) {
    QImage img(200, 100, QImage::Format_RGB32);
    img.fill(Qt::blue);
    img.setDotsPerMeterX(3937); // 100 dots per inch
    img.setDotsPerMeterY(3937);
    const QString path = dir.filePath("logo.png");
    ASSERT_TRUE(img.save(path));
    Shape& logo = doc.Import(path);
    EXPECT_NEAR(logo.Width(), 2, 0.001);
    EXPECT_NEAR(logo.Height(), 1, 0.001);
    logo.left(8.35);
    logo.top(1.2);
    logo.Height(0.65);
    logo.Width(2.1);
    EXPECT_EQ(dump(doc), QStringList({"bitmap frame=5010,4380,6270,4770 picture=200x100"}));
}

// ---- contour lines and bands ---------------------------------------------------------------------------

TEST_F(ContourDocTest, RoundIntervalsGiveEightToFifteenLevels) {
    for (auto [lo, hi] :
         std::vector<std::pair<double, double>>{{0, 1}, {3.2, 97.1}, {-12, 430}, {1000, 1003.7}, {0, 15.5}}) {
        const double step = roundStep(lo, hi, 8, 15);
        const double mantissa = step / std::pow(10, std::floor(std::log10(step) + 1e-9));
        EXPECT_TRUE(std::fabs(mantissa - 1) < 1e-9 || std::fabs(mantissa - 2) < 1e-9 ||
                    std::fabs(mantissa - 5) < 1e-9)
            << step;
        const int n = multiplesIn(lo, hi, step);
        EXPECT_GE(n, 8) << lo << ".." << hi;
        EXPECT_LE(n, 15) << lo << ".." << hi;
    }
    // 0.2 gives 19 levels over 0.1..3.9, 0.5 gives 7: the nearer miss wins.
    EXPECT_DOUBLE_EQ(roundStep(0.1, 3.9, 8, 15), 0.5);
    EXPECT_EQ(stepLabel(-1e-17, 0.5), "0.0");
    EXPECT_EQ(stepLabel(2500, 500), "2500");
}

TEST_F(ContourDocTest, ContoursOfARampAreStraightParallelAndEvenlySpaced) {
    const ContourGrid g = rampGrid();
    const Levels l = chooseLevels(g);
    EXPECT_DOUBLE_EQ(l.interval, 10);
    EXPECT_EQ(l.count, 11);
    std::set<long> xs;
    for (const ContourLine& c : contourLines(g, l)) {
        double y0 = 1e9, y1 = -1e9;
        for (const QPointF& p : c.points) {
            EXPECT_NEAR(p.x(), l.at(c.level), 1e-4); // straight along y at its own level
            y0 = std::min(y0, p.y());
            y1 = std::max(y1, p.y());
        }
        EXPECT_DOUBLE_EQ(y0, 0); // across the whole grid, no farther
        EXPECT_DOUBLE_EQ(y1, 50);
        xs.insert(std::lround(l.at(c.level)));
    }
    ASSERT_GE(xs.size(), 9u);
    long step = 0;
    for (auto it = std::next(xs.begin()); it != xs.end(); ++it) {
        if (!step) step = *it - *std::prev(it);
        EXPECT_EQ(*it - *std::prev(it), step);
    }
    EXPECT_EQ(step, 10);
}

TEST_F(ContourDocTest, BandsCoverTheGridOnceWithoutGaps) {
    for (const ContourGrid& g : {rampGrid(), makeGrid(101, 71, 0, 100, 0, 70, hillAndHollow)}) {
        const Levels l = chooseLevels(g);
        const std::vector<BandPolygon> bands = contourBands(g, l);
        double area = 0;
        for (const BandPolygon& b : bands)
            area += b.area();
        EXPECT_NEAR(area, (g.xMax - g.xMin) * (g.yMax - g.yMin), 1e-6 * area);
        // Inside every cell whose corners share a band, each point lies in exactly one polygon,
        // of that band.
        int checked = 0;
        for (int j = 0; j + 1 < g.ny; j += 3)
            for (int i = 0; i + 1 < g.nx; i += 3) {
                const int band = bandOf(l, g.at(i, j));
                if (bandOf(l, g.at(i + 1, j)) != band || bandOf(l, g.at(i, j + 1)) != band ||
                    bandOf(l, g.at(i + 1, j + 1)) != band)
                    continue;
                const QPointF p((g.xAt(i) + g.xAt(i + 1)) / 2, (g.yAt(j) + g.yAt(j + 1)) / 2);
                int hits = 0, hitBand = -1;
                for (const BandPolygon& b : bands)
                    if (inPolygon(b, p)) {
                        ++hits;
                        hitBand = b.band;
                    }
                ASSERT_EQ(hits, 1) << p.x() << "," << p.y();
                EXPECT_EQ(hitBand, band);
                ++checked;
            }
        EXPECT_GT(checked, 100);
    }
}

TEST_F(ContourDocTest, BlankNodesStayOutOfLinesAndBands) {
    ContourGrid g = rampGrid();
    for (int j = 20; j <= 30; ++j)
        for (int i = 40; i <= 60; ++i)
            g.at(i, j) = g.nodata;
    const Levels l = chooseLevels(g);
    EXPECT_EQ(l.count, 11); // the blank value is no height
    for (const ContourLine& c : contourLines(g, l))
        for (const QPointF& p : c.points)
            EXPECT_FALSE(p.x() > 41 && p.x() < 59 && p.y() > 21 && p.y() < 29);
    double area = 0;
    for (const BandPolygon& b : contourBands(g, l))
        area += b.area();
    EXPECT_LT(area, 5000 - 18 * 8);
}

// ---- maps on the page ------------------------------------------------------------------------------

TEST_F(ContourDocTest, ContourMapLaysItsDataIntoItsBox) {
    const QString grd = dir.filePath("ramp.grd");
    writeGridFile(grd, rampGrid());
    Shape& map = doc.Shapes().AddContourMap(grd);
    map.Width(7.3);
    map.Height(3.65);
    map.left(0.8);
    map.top(4.5);
    EXPECT_DOUBLE_EQ(map.Width(), 7.3);
    EXPECT_DOUBLE_EQ(map.Height(), 3.65);
    const QStringList d = dump(doc);
    // The frame: x 0.8 to 8.1 inches, y 0.85 to 4.5 from the lower edge.
    EXPECT_TRUE(d.filter(QRegularExpression(
                             "polygon frame=480,2400,4860,4590 "
                             "vertices=480,4590;4860,4590;4860,2400;480,2400;480,4590 line=0,1,0 fill=none$"))
                    .size() == 1)
        << d.join('\n').toStdString();

    // Contour lines run straight up the map, 10 data units = 0.73 inch = 438 units apart; the lines
    // at 20, 40, ... are broken for their labels.
    std::map<int, int> piecesAtX;
    for (const auto* o : objectsOf(doc, draw::Polyline)) {
        if (o->x1 != o->x2 || o->y2 - o->y1 < 200) continue; // ticks are short
        EXPECT_EQ(o->y1 >= 2400 && o->y2 <= 4590, true);
        ++piecesAtX[o->x1];
    }
    for (int level = 10; level <= 90; level += 10) {
        const int x = 480 + int(std::lround(level * 43.8));
        ASSERT_TRUE(piecesAtX.count(x)) << level;
        EXPECT_EQ(piecesAtX[x], level % 20 == 0 ? 2 : 1) << level;
        const auto* label = contourLabel(doc, QString::number(level));
        EXPECT_EQ(label != nullptr, level % 20 == 0) << level;
        if (label) EXPECT_EQ(label->x1, x);
    }
    // Tick labels stand upright: every 20 along the bottom, centred under their ticks 0.06 inch (36
    // units) below the frame, and every 10 up the left side, right-aligned 0.08 inch (48 units) off it.
    QStringList bottom, side;
    for (const auto* o : objectsOf(doc, draw::Text)) {
        if (o->style.textAngle != 0) continue;
        const double v = o->text.toDouble();
        if (o->style.textAlign == 1) {
            bottom << o->text;
            EXPECT_EQ(o->x1, 480 + std::lround(v * 43.8)) << o->text.toStdString();
            EXPECT_NEAR(draw::objectBounds(*o).top(), 4590 + 36, 1);
        } else {
            side << o->text;
            EXPECT_EQ(o->style.textAlign, 2);
            EXPECT_EQ(o->y1, 4590 - std::lround(v * 43.8)) << o->text.toStdString();
            EXPECT_NEAR(draw::objectBounds(*o).right(), 480 - 48, 1);
        }
    }
    EXPECT_EQ(bottom, QStringList({"0", "20", "40", "60", "80", "100"}));
    EXPECT_EQ(side, QStringList({"0", "10", "20", "30", "40", "50"}));
}

TEST_F(ContourDocTest, FilledContoursLieBeneathTheLinesLightToDark) {
    Shape& map = doc.addContourMap(rampGrid());
    doc.Shapes().AddText(1, 1, "after");
    const int before = doc.drawing().count();
    map.Overlays(1).FillContours(true);
    EXPECT_TRUE(map.Overlays(1).FillContours());
    EXPECT_GT(doc.drawing().count(), before);
    // Bands first, then lines; the text added after the map stays in front.
    EXPECT_EQ(doc.drawing().at(0).kind, draw::Polygon);
    EXPECT_EQ(doc.drawing().at(0).style.lineStyle, draw::NoLine);
    EXPECT_EQ(doc.drawing().at(doc.drawing().count() - 1).text, "after");
    // Lighter at the low end (left) than at the high end (right).
    const draw::DrawObject *lowest = nullptr, *highest = nullptr;
    for (const auto* o : objectsOf(doc, draw::Polygon)) {
        if (o->style.fill != draw::FillMode::Solid) continue;
        if (!lowest || o->x1 < lowest->x1) lowest = o;
        if (!highest || o->x2 > highest->x2 || (o->x2 == highest->x2 && o->x1 > highest->x1)) highest = o;
    }
    ASSERT_TRUE(lowest && highest);
    EXPECT_GT(lowest->style.fillColor & 0xFF, highest->style.fillColor & 0xFF);
    map.Overlays(1).FillContours(false);
    EXPECT_EQ(doc.drawing().count(), before);
}

TEST_F(ContourDocTest, RotatedAndTiltedMapReadsBackItsProjectedBox) {
    Shape& map = doc.addContourMap(rampGrid());
    map.Width(7.3);
    map.Height(3.65);
    map.left(0.8);
    map.top(4.5);
    map.ViewRotation(45);
    // Turned a quarter of a right angle, the 7.3 by 3.65 plan spans (7.3 + 3.65) / sqrt 2 each way.
    EXPECT_NEAR(map.Width(), 10.95 / std::sqrt(2), 1e-9);
    EXPECT_NEAR(map.Height(), 10.95 / std::sqrt(2), 1e-9);
    map.ViewTilt(30);
    EXPECT_NEAR(map.Width(), 10.95 / std::sqrt(2), 1e-9);
    EXPECT_NEAR(map.Height(), 10.95 / std::sqrt(2) / 2, 1e-9); // sin 30
    EXPECT_DOUBLE_EQ(map.ViewRotation(), 45);
    EXPECT_DOUBLE_EQ(map.ViewTilt(), 30);
    // As the contour run fits a three-dimensional view: 3.5 high, centred on 4.4, 5.75.
    const double w = map.Width() * 3.5 / map.Height();
    map.Width(w);
    map.Height(3.5);
    map.top(5.75 + map.Height() / 2);
    map.left(4.4 - map.Width() / 2);
    EXPECT_NEAR(map.Width(), 7, 1e-9);
    // The frame's corners: the plan's lower left corner lowest, a third of the way across; the
    // lower right corner at the right edge, a third of the way down; and so on round.
    EXPECT_EQ(dump(doc)
                  .filter(QRegularExpression(
                      "polygon frame=540,600,4740,2700 "
                      "vertices=1940,2700;4740,1300;3340,600;540,2000;1940,2700 line=0,1,0 fill=none$"))
                  .size(),
              1)
        << dump(doc).join('\n').toStdString();
    // Every contour line runs across the turned map, none off it.
    for (const auto* o : objectsOf(doc, draw::Polyline)) {
        EXPECT_GE(o->x1, 540 - 60);
        EXPECT_LE(o->x2, 4740 + 60);
    }
    // Back to the plan: the box is the plan at its old scale.
    map.ViewRotation(0);
    map.ViewTilt(90);
    EXPECT_NEAR(map.Width(), 7.3, 1e-9);
    EXPECT_NEAR(map.Height(), 3.65, 1e-9);
}

TEST_F(ContourDocTest, WireFrameHidesTheFarCellsBehindTheNear) {
    // Two cells, the far one (north) higher: z = y over x 0..1, y 0..2. A new map's longer side is
    // 6 inches: 3 inches a data unit, relief 2 inches, at left 1, top 7.5.
    Shape& wire = doc.addWireFrame(makeGrid(2, 3, 0, 1, 0, 2, [](double, double y) { return y; }));
    EXPECT_DOUBLE_EQ(wire.Width(), 3);
    EXPECT_DOUBLE_EQ(wire.Height(), 6);
    EXPECT_EQ(dump(doc),
              QStringList(
                  {"polygon frame=600,600,2400,2400 vertices=600,2400;2400,2400;2400,600;600,600;600,2400 "
                   "line=0,1,0 fill=16777215",
                   "polygon frame=600,2400,2400,4200 vertices=600,4200;2400,4200;2400,2400;600,2400;600,4200 "
                   "line=0,1,0 fill=16777215"}));
    // Seen from 30 degrees up from the south: screen height y sin 30 + z cos 30, so the rows stand at
    // -1.5, 0.866 and 3.232 inches about the middle; the far cell is painted first.
    wire.ViewTilt(30);
    EXPECT_NEAR(wire.Height(), 3 + std::sqrt(3), 1e-9);
    EXPECT_EQ(dump(doc),
              QStringList(
                  {"polygon frame=600,600,2400,2020 vertices=600,2020;2400,2020;2400,600;600,600;600,2020 "
                   "line=0,1,0 fill=16777215",
                   "polygon frame=600,2020,2400,3439 vertices=600,3439;2400,3439;2400,2020;600,2020;600,3439 "
                   "line=0,1,0 fill=16777215"}));
    // From the north the order turns round: the southern cell is the far one now, and the higher
    // northern cell hangs below it on the page.
    wire.ViewRotation(180);
    const QStringList d = dump(doc);
    ASSERT_EQ(d.size(), 2);
    EXPECT_TRUE(d[0].contains("vertices=2400,600;600,600;600,980;2400,980;2400,600")) << d[0].toStdString();
}

TEST_F(ContourDocTest, BaseMapsFitTheirExtentToTheBox) {
    const QString json = dir.filePath("site.geojson");
    writeRaw(json, R"({"type": "FeatureCollection", "features": [
        {"type": "Feature", "properties": {}, "geometry": {"type": "LineString", "coordinates": [[100, 200], [300, 400]]}},
        {"type": "Feature", "properties": {}, "geometry": {"type": "Polygon",
         "coordinates": [[[100, 200], [300, 200], [300, 400], [100, 400], [100, 200]]]}}]})");
    Shape& vec = doc.Shapes().AddBaseMap(json);
    vec.Width(4);
    vec.Height(2);
    vec.left(1);
    vec.top(6);
    EXPECT_EQ(dump(doc),
              QStringList(
                  {"polygon frame=600,1500,3000,2700 vertices=600,2700;3000,2700;3000,1500;600,1500;600,2700 "
                   "line=0,1,0 fill=none",
                   "polyline frame=600,1500,3000,2700 vertices=600,2700;3000,1500 line=0,1,0"}));

    // A drawing file: a line and a half circle, which arrives as short straight pieces.
    const QString dxf = dir.filePath("site.dxf");
    writeRaw(dxf, "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n0.0\n20\n0.0\n11\n10.0\n21\n5.0\n"
                  "0\nARC\n8\n0\n10\n5.0\n20\n0.0\n40\n2.0\n50\n0.0\n51\n180.0\n0\nENDSEC\n0\nEOF\n");
    PlotDocument drawing(2);
    Shape& plan = drawing.Shapes().AddBaseMap(dxf);
    plan.Width(4);
    plan.Height(2);
    plan.left(1);
    plan.top(6);
    const QStringList d = dump(drawing);
    ASSERT_EQ(d.size(), 2);
    EXPECT_EQ(d[0], "polyline frame=600,1500,3000,2700 vertices=600,2700;3000,1500 line=0,1,0");
    // From (3, 0) over the top at (5, 2) to (7, 0): 2.2 to 3.8 inches across, 4 to 4.8 up.
    EXPECT_TRUE(d[1].startsWith("polyline frame=1320,2220,2280,2700 vertices=1320,2700;"))
        << d[1].toStdString();
    EXPECT_TRUE(d[1].endsWith(";2280,2700 line=0,1,0")) << d[1].toStdString();

    QImage img(40, 20, QImage::Format_RGB32);
    img.fill(Qt::green);
    const QString png = dir.filePath("air.png");
    ASSERT_TRUE(img.save(png));
    Shape& air = doc.Shapes().AddBaseMap(png);
    air.Width(4);
    air.Height(2);
    air.left(1);
    air.top(6);
    EXPECT_EQ(dump(doc).last(), "bitmap frame=600,1500,3000,2700 picture=40x20");
    // Turned, the picture is drawn through the view and its frame is the turned box.
    air.ViewRotation(90);
    EXPECT_NEAR(air.Width(), 2, 1e-9);
    EXPECT_NEAR(air.Height(), 4, 1e-9);
    EXPECT_EQ(dump(doc).last(), "bitmap frame=600,1500,1800,3900 picture=20x40");
}

TEST_F(ContourDocTest, CallsThatCannotBeDoneRaise432AndChangeNothing) {
    Shape& rect = doc.Shapes().AddRectangle(1, 2, 3, 1);
    Shape& text = doc.Shapes().AddText(1, 1, "t");
    Shape& map = doc.addContourMap(rampGrid());
    QFile junk(dir.filePath("junk.dat"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("no map here\n");
    junk.close();
    const QStringList before = dump(doc);
    const std::vector<std::pair<const char*, std::function<void()>>> calls = {
        {"rectangle font", [&] { rect.Font(); }},
        {"rectangle overlays", [&] { rect.Overlays(1); }},
        {"rectangle view", [&] { rect.ViewTilt(30); }},
        {"text view", [&] { text.ViewRotation(30); }},
        {"overlay 2", [&] { map.Overlays(2); }},
        {"tilt past 90", [&] { map.ViewTilt(91); }},
        {"map width 0", [&] { map.Width(0); }},
        {"width not a number", [&] { rect.Width(std::nan("")); }},
        {"alignment 5", [&] { text.Font().HAlign(5); }},
        {"text size 0", [&] { text.Font().Size(0); }},
        {"odd polyline",
         [&] {
             doc.Shapes().AddPolyline({1, 2, 3});
         }},
        {"one point",
         [&] {
             doc.Shapes().AddPolyline({1, 2});
         }},
        {"missing grid", [&] { doc.Shapes().AddContourMap(dir.filePath("none.grd")); }},
        {"missing wireframe grid", [&] { doc.Shapes().AddWireFrame(dir.filePath("none.grd")); }},
        {"missing base map", [&] { doc.Shapes().AddBaseMap(dir.filePath("none.dxf")); }},
        {"unreadable base map", [&] { doc.Shapes().AddBaseMap(junk.fileName()); }},
        {"missing picture", [&] { doc.Import(dir.filePath("none.bmp")); }},
        {"unreadable picture", [&] { doc.Import(junk.fileName()); }},
        {"window 2", [&] { doc.Windows(2); }},
        {"orientation 3", [&] { doc.PageSetup().Orientation(3); }},
        {"one-node grid",
         [&] { doc.addContourMap(makeGrid(1, 5, 0, 0, 0, 4, [](double, double) { return 1.0; })); }},
    };
    for (const auto& [what, call] : calls) {
        QString reason;
        EXPECT_EQ(errorOf(call, &reason), qmerr::EngineCallFailed) << what;
        EXPECT_FALSE(reason.isEmpty()) << what;
    }
    EXPECT_EQ(dump(doc), before);
    QString reason;
    errorOf([&] { doc.Import(dir.filePath("none.bmp")); }, &reason);
    EXPECT_EQ(reason, "file not found: " + dir.filePath("none.bmp"));
}

TEST_F(ContourDocTest, AFlatGridIsOneBandAndNoLines) {
    const ContourGrid flat = makeGrid(11, 11, 0, 10, 0, 10, [](double, double) { return 3.0; });
    const Levels l = chooseLevels(flat);
    EXPECT_TRUE(contourLines(flat, l).empty());
    double area = 0;
    for (const BandPolygon& b : contourBands(flat, l))
        area += b.area();
    EXPECT_NEAR(area, 100, 1e-6);
    Shape& map = doc.addContourMap(flat);
    map.Overlays(1).FillContours(true);
    EXPECT_EQ(doc.addWireFrame(flat).Height(), 6); // no relief: the plan itself
}

// ---- the application ----------------------------------------------------------------------------------

TEST_F(ContourDocTest, TheApplicationHandsVisibleDocumentsToTheSink) {
    std::vector<int> shown;
    plotHooks().showDocument = [&](std::shared_ptr<PlotDocument> d) { shown.push_back(d->number()); };
    Application& app = application();
    EXPECT_EQ(&app, &engine());
    app.Documents().Add(); // hidden: kept back
    EXPECT_TRUE(shown.empty());
    app.WindowState(1);
    app.Visible(true);
    EXPECT_EQ(shown, std::vector<int>({1}));
    Document& second = app.Documents().Add();
    EXPECT_EQ(shown, std::vector<int>({1, 2}));
    // The window switches redrawing off and on through the document's drawing.
    second.Windows(1).AutoRedraw(false);
    EXPECT_FALSE(engine().documents()[1]->drawing().redraw());
    second.Windows(1).AutoRedraw(true);
    EXPECT_TRUE(engine().documents()[1]->drawing().redraw());
    // A closed document is let go at the next Add.
    std::weak_ptr<PlotDocument> first = engine().documents()[0];
    engine().closeDocument(first.lock().get());
    EXPECT_EQ(engine().documents().size(), 1u);
    EXPECT_FALSE(first.expired());
    app.Documents().Add();
    EXPECT_TRUE(first.expired());
    // A gridding failure is the call's failure.
    GridDataArgs args;
    args.DataFile = dir.filePath("none.txt");
    args.OutGrid = dir.filePath("none.grd");
    EXPECT_EQ(errorOf([&] { app.GridData(args); }), qmerr::EngineCallFailed);
}

TEST_F(ContourDocTest, ARecorderTakesTheEnginesPlace) {
    ContourRecorder rec;
    rec.failing << "AddBaseMap";
    Application& app = application();
    EXPECT_EQ(&app, &rec);
    Document& d = app.Documents().Add();
    Shape& t = d.Shapes().AddText(9.4, 3, "Title");
    t.Font().HAlign(2);
    Shape& map = d.Shapes().AddContourMap("/data/SITE.GRD");
    map.Width(7.3);
    EXPECT_DOUBLE_EQ(map.Width(), 7.3);
    EXPECT_EQ(errorOf([&] { d.Shapes().AddBaseMap("/data/BASE.DXF"); }), qmerr::EngineCallFailed);
    EXPECT_EQ(rec.calls,
              QStringList({"Documents.Add", "Shapes.AddText(9.4, 3, \"Title\") = shape 1",
                           "shape 1.Font.HAlign = 2", "Shapes.AddContourMap(\"/data/SITE.GRD\") = shape 2",
                           "shape 2.Width = 7.3", "Shapes.AddBaseMap(\"/data/BASE.DXF\") failed"}));
}

} // namespace
