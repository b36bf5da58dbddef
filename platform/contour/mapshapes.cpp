// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/contour/mapshapes.h"

#include "platform/contour/basemap.h"
#include "platform/contour/contouring.h"
#include "platform/contour/plotdoc.h"
#include "platform/contour/plotshape.h"

#include <QTransform>
#include <algorithm>
#include <cmath>
#include <utility>

namespace contour {

namespace {

using draw::Long;

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

// Degrees, exact at the quarter turns so that a plan view stays exactly a plan view.
void cosSin(double degrees, double& c, double& s) {
    const double q = degrees / 90;
    if (q == std::round(q)) {
        const int k = ((int(std::fmod(q, 4)) % 4) + 4) % 4;
        const double cs[4] = {1, 0, -1, 0}, sn[4] = {0, 1, 0, -1};
        c = cs[k];
        s = sn[k];
        return;
    }
    const double r = degrees * M_PI / 180;
    c = std::cos(r);
    s = std::sin(r);
}

constexpr double TickLength = 0.05;    // inches
constexpr double TickLabelGap = 0.08;  // from the frame to the label's near edge
// Under the frame the label's line box has room above the digits: the label stands closer, midway
// between the tick's end and a report's border 0.2 below the frame.
constexpr double BelowLabelGap = 0.06;
constexpr double LabelOverhang = 0.1;  // how far a label under the frame may reach past its corners
constexpr double TickLabelSize = 8;    // points
constexpr double ContourLabelSize = 7; // points
constexpr double DefaultMapSide = 6;   // the longer side of a new map, inches
constexpr double PrintableMargin = 0.53; // labels keep clear of a report's border 0.5 in from the edge

// A map: data over a rectangle of its own coordinates, laid out in plan inches (X east, Y north, Z up,
// origin at the rectangle's lower left corner) and then seen from the view. In the plan view the box
// is the data rectangle at the map's scale; in any other view it is the bounding box of the
// projected map, stretched by Width and Height as they are set.
class MapShape : public PlotShape {
public:
    MapShape(PlotDocument& doc, const QRectF& data) : PlotShape(doc), data_(data) {
        const double side = std::max(data.width(), data.height());
        sx_ = sy_ = DefaultMapSide / side;
        left_ = 1;
        top_ = std::min(7.5, doc.pageHeightInches() - 0.5);
    }

    double Width() const override { return bounds().width() * kx_; }
    void Width(double v) override {
        checkSize(v, "Width");
        if (isPlan()) {
            sx_ = v / data_.width();
        } else {
            const double w = bounds().width();
            if (w <= 0) raiseCallFailed(QStringLiteral("the map has no width in this view"));
            kx_ = v / w;
        }
        relayout();
    }
    double Height() const override { return bounds().height() * ky_; }
    void Height(double v) override {
        checkSize(v, "Height");
        if (isPlan()) {
            sy_ = v / data_.height();
        } else {
            const double h = bounds().height();
            if (h <= 0) raiseCallFailed(QStringLiteral("the map has no height in this view"));
            ky_ = v / h;
        }
        relayout();
    }
    double left() const override { return left_; }
    void left(double v) override {
        if (!std::isfinite(v)) raiseCallFailed(QStringLiteral("left is not a number"));
        left_ = v;
        relayout();
    }
    double top() const override { return top_; }
    void top(double v) override {
        if (!std::isfinite(v)) raiseCallFailed(QStringLiteral("top is not a number"));
        top_ = v;
        relayout();
    }

    // A new view is seen at the plan's scale; a stretch set in the old view is let go.
    double ViewRotation() const override { return rotation_; }
    void ViewRotation(double degrees) override {
        if (!std::isfinite(degrees)) raiseCallFailed(QStringLiteral("the rotation is not a number"));
        rotation_ = degrees;
        cosSin(rotation_, cr_, sr_);
        kx_ = ky_ = 1;
        relayout();
    }
    double ViewTilt() const override { return tilt_; }
    void ViewTilt(double degrees) override {
        if (!(degrees >= 0 && degrees <= 90))
            raiseCallFailed(QStringLiteral("the tilt must lie from 0 to 90 degrees"));
        tilt_ = degrees;
        cosSin(tilt_, ct_, st_);
        kx_ = ky_ = 1;
        relayout();
    }

protected:
    static void checkSize(double v, const char* what) {
        if (!(v > 0) || !std::isfinite(v))
            raiseCallFailed(QStringLiteral("a map's %1 must be above 0").arg(QLatin1String(what)));
    }

    bool isPlan() const { return tilt_ == 90 && std::fmod(rotation_, 360) == 0; }
    double planWidth() const { return data_.width() * sx_; }
    double planHeight() const { return data_.height() * sy_; }
    Vec3 plan(double x, double y, double z = 0) const {
        return {(x - data_.left()) * sx_, (y - data_.top()) * sy_, z};
    }
    Vec3 plan(QPointF p) const { return plan(p.x(), p.y()); }

    // The view before the box: rotation about the plan's centre, then the tilt. Seen from the south
    // of the rotated plan, so that its northern part lies farther away and higher up.
    QPointF project(const Vec3& p) const {
        const double x = p.x - planWidth() / 2, y = p.y - planHeight() / 2;
        const double xr = x * cr_ - y * sr_, yr = x * sr_ + y * cr_;
        return {xr, yr * st_ + p.z * ct_};
    }
    // How far away a point lies, across the ground.
    double depth(const Vec3& p) const {
        const double x = p.x - planWidth() / 2, y = p.y - planHeight() / 2;
        return x * sr_ + y * cr_;
    }
    // Page inches of a plan point.
    QPointF page(const Vec3& p) const {
        const QPointF s = project(p);
        return {left_ + (s.x() - box_.left()) * kx_, top_ - (box_.bottom() - s.y()) * ky_};
    }

    // The points whose projection makes the box.
    virtual std::vector<Vec3> body() const {
        return {plan(data_.left(), data_.top()), plan(data_.right(), data_.top()),
                plan(data_.left(), data_.bottom()), plan(data_.right(), data_.bottom())};
    }
    virtual void draw() = 0;

    void layOut() override {
        box_ = bounds();
        draw();
    }

    // ---- drawing in plan coordinates

    // Rings as one polygon: holes joined to the outline by a path there and back, which the even-odd
    // fill leaves out.
    void polygon(const std::vector<std::vector<Vec3>>& rings, Long fill, bool outline) {
        std::vector<QPointF> pts;
        QPointF start;
        for (size_t r = 0; r < rings.size(); ++r) {
            if (rings[r].empty()) continue;
            const size_t mark = pts.size();
            const auto& ring = rings[r];
            const bool closed = ring.size() > 1 && ring.front().x == ring.back().x &&
                                ring.front().y == ring.back().y && ring.front().z == ring.back().z;
            for (size_t i = 0; i + (closed ? 1 : 0) < ring.size(); ++i)
                pts.push_back(page(ring[i]));
            pts.push_back(pts[mark]);
            if (r == 0)
                start = pts[0];
            else
                pts.push_back(start);
        }
        if (pts.size() < 4) return;
        draw::DrawObject& o = addPath(draw::Polygon, pts);
        o.style.fill = fill < 0 ? draw::FillMode::None : draw::FillMode::Solid;
        if (fill >= 0) o.style.fillColor = fill;
        if (!outline) o.style.lineStyle = draw::NoLine;
    }

    void line(const std::vector<Vec3>& pts) {
        std::vector<QPointF> p;
        p.reserve(pts.size());
        for (const Vec3& v : pts)
            p.push_back(page(v));
        if (p.size() >= 2) addPath(draw::Polyline, p);
    }

    void text(QPointF centre, const QString& s, double points, int hAlign, double angle = 0) {
        const QPoint a = units(centre);
        draw::DrawObject& o = addObject(draw::Text, a.x(), a.y(), a.x(), a.y());
        o.style = textStyle(points, hAlign);
        o.style.textAngle = angle;
        o.text = s;
    }

    // A line with its label set into it halfway along, upright and along the line; a line too
    // short for its label goes without.
    void labelledLine(const std::vector<Vec3>& pts, const QString& label) {
        std::vector<QPointF> p;
        for (const Vec3& v : pts)
            p.push_back(page(v));
        std::vector<double> at(p.size(), 0);
        for (size_t i = 1; i < p.size(); ++i)
            at[i] = at[i - 1] + std::hypot(p[i].x() - p[i - 1].x(), p[i].y() - p[i - 1].y());
        const double length = p.empty() ? 0 : at.back();
        const QRectF box = textBox(label, ContourLabelSize, 2);
        const double gap = box.width() / UnitsPerInch / 2 + 0.03;
        if (p.size() < 2 || length < 6 * gap) {
            if (p.size() >= 2) addPath(draw::Polyline, p);
            return;
        }
        auto pointAt = [&](double s, size_t& seg) {
            seg = size_t(std::upper_bound(at.begin(), at.end(), s) - at.begin());
            seg = std::clamp<size_t>(seg, 1, p.size() - 1);
            const double len = at[seg] - at[seg - 1];
            const double t = len > 0 ? (s - at[seg - 1]) / len : 0;
            return p[seg - 1] + (p[seg] - p[seg - 1]) * t;
        };
        size_t s0, s1, sm;
        const QPointF a = pointAt(length / 2 - gap, s0), b = pointAt(length / 2 + gap, s1);
        const QPointF mid = pointAt(length / 2, sm);
        std::vector<QPointF> first(p.begin(), p.begin() + long(s0));
        first.push_back(a);
        std::vector<QPointF> second{b};
        second.insert(second.end(), p.begin() + long(s1), p.end());
        addPath(draw::Polyline, first);
        addPath(draw::Polyline, second);
        const QPointF d = b - a;
        double angle = std::atan2(d.y(), d.x()) * 180 / M_PI;
        if (angle > 90) angle -= 180;
        if (angle <= -90) angle += 180;
        text(mid, label, ContourLabelSize, 2, std::round(angle * 10) / 10);
    }

    // A tick on the frame at a plan point, pointing outwards, and its label beyond it, aligned by
    // the way the tick points on the page.
    // along: the side the tick stands on, from one end to the other; a label turned to run along
    // it stays between its ends, clear of the labels round the corner.
    void tick(const Vec3& at, const Vec3& outward, const QString& label, const std::pair<Vec3, Vec3>& along) {
        const QPointF p = page(at);
        QPointF u = page({at.x + outward.x, at.y + outward.y, at.z + outward.z}) - p;
        const double len = std::hypot(u.x(), u.y());
        u = len > 1e-9 ? u / len : QPointF(0, -1);
        addPath(draw::Polyline, {p, p + u * TickLength});
        const int hAlign = u.x() < -0.35 ? 3 : u.x() > 0.35 ? 1 : 2;
        const QRectF box = textBox(label, TickLabelSize, hAlign);
        const double half = box.height() / UnitsPerInch / 2;
        QPointF c = p + u * (u.y() < -0.35 ? BelowLabelGap : TickLabelGap);
        if (u.y() < -0.35) c.ry() -= half;
        if (u.y() > 0.35) c.ry() += half;
        // A label centred under its tick keeps within the side's ends and a little past them, clear
        // of what stands beside the map (a report's column rule 0.2 inch off).
        if (hAlign == 2) c += alongSide(along, c, box.width() / UnitsPerInch / 2, -LabelOverhang);
        // A label beside the map too long for the room between the map and the page's printable
        // edge runs along the side instead, reading upwards on the left, downwards on the right.
        if (hAlign != 2 && !printable(box.translated(units(c)))) {
            const double reach = box.width() / UnitsPerInch / 2;
            const QPointF centre = p + u * (TickLabelGap + half);
            text(centre + alongSide(along, centre, reach, 0), label, TickLabelSize, 2, u.x() < 0 ? 90 : -90);
            return;
        }
        text(c, label, TickLabelSize, hAlign);
    }

    // How far a label centred at c, reaching `reach` inches either way along a side, must move along
    // it to keep between the side's ends drawn in by `inset` (negative: let out); nothing when the
    // side is too short for it.
    QPointF alongSide(const std::pair<Vec3, Vec3>& along, QPointF c, double reach, double inset) const {
        const QPointF a = page(along.first), e = page(along.second);
        const double length = std::hypot(e.x() - a.x(), e.y() - a.y());
        if (length + 2 * -inset <= 2 * reach || length <= 0) return {};
        const QPointF d = (e - a) / length;
        const double s = QPointF::dotProduct(c - a, d);
        return d * (std::clamp(s, reach + inset, length - inset - reach) - s);
    }

    // Whether a box in drawing units lies inside the page's printable area.
    bool printable(const QRectF& units) const {
        const double m = PrintableMargin * UnitsPerInch;
        return units.left() >= m && units.right() <= doc_.pageWidthInches() * UnitsPerInch - m &&
               units.top() >= m && units.bottom() <= doc_.pageHeightInches() * UnitsPerInch - m;
    }

    void frameWithTicks() {
        polygon({{plan(data_.left(), data_.top()), plan(data_.right(), data_.top()),
                  plan(data_.right(), data_.bottom()), plan(data_.left(), data_.bottom())}},
                -1, true);
        const double xs = roundStep(data_.left(), data_.right(), 3, 6);
        const double ys = roundStep(data_.top(), data_.bottom(), 3, 6);
        const std::pair<Vec3, Vec3> bottom{plan(data_.left(), data_.top()), plan(data_.right(), data_.top())};
        const std::pair<Vec3, Vec3> side{plan(data_.left(), data_.top()), plan(data_.left(), data_.bottom())};
        for (double k = std::ceil(data_.left() / xs - 1e-9); k * xs <= data_.right() + xs * 1e-9; ++k)
            tick(plan(k * xs, data_.top()), {0, -1, 0}, stepLabel(k * xs, xs), bottom);
        for (double k = std::ceil(data_.top() / ys - 1e-9); k * ys <= data_.bottom() + ys * 1e-9; ++k)
            tick(plan(data_.left(), k * ys), {-1, 0, 0}, stepLabel(k * ys, ys), side);
    }

    // A picture covering the data rectangle: in the plan view as it is; in another view drawn
    // through the view's affine map, clear where the rectangle does not reach.
    void picture(const QImage& image) {
        const QPointF c00 = page(plan(data_.left(), data_.top())),
                      c10 = page(plan(data_.right(), data_.top()));
        const QPointF c01 = page(plan(data_.left(), data_.bottom()));
        auto u = [&](QPointF in) {
            return QPointF(in.x() * UnitsPerInch, (doc_.pageHeightInches() - in.y()) * UnitsPerInch);
        };
        const QPointF u00 = u(c00), u10 = u(c10), u01 = u(c01), u11 = u10 + u01 - u00;
        QImage img = image;
        if (!isPlan()) {
            // Pixels across the page as many as the picture has along its sides.
            const double f =
                std::max(image.width() / std::max(1.0, std::hypot(u10.x() - u00.x(), u10.y() - u00.y())),
                         image.height() / std::max(1.0, std::hypot(u00.x() - u01.x(), u00.y() - u01.y())));
            const QPointF ax = (u10 - u00) / image.width() * f, ay = (u00 - u01) / image.height() * f;
            img =
                image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                    .transformed(QTransform(ax.x(), ax.y(), ay.x(), ay.y(), 0, 0), Qt::SmoothTransformation);
        }
        const double x0 = std::min({u00.x(), u10.x(), u01.x(), u11.x()}),
                     x1 = std::max({u00.x(), u10.x(), u01.x(), u11.x()});
        const double y0 = std::min({u00.y(), u10.y(), u01.y(), u11.y()}),
                     y1 = std::max({u00.y(), u10.y(), u01.y(), u11.y()});
        doc_.drawing().nextPicture = img;
        addObject(draw::Bitmap, Long(std::lround(x0)), Long(std::lround(y0)), Long(std::lround(x1)),
                  Long(std::lround(y1)));
        doc_.drawing().nextPicture = QImage();
    }

    void marker(const Vec3& at) {
        const QPointF p = page(at);
        constexpr double r = 0.03;
        addPath(draw::Polyline, {p + QPointF(-r, 0), p + QPointF(r, 0)});
        addPath(draw::Polyline, {p + QPointF(0, -r), p + QPointF(0, r)});
    }

    QRectF data_; // y up: top() is the lowest y

private:
    // The projected body at the plan's scale, y up (bottom() is the highest).
    QRectF bounds() const {
        double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
        for (const Vec3& v : body()) {
            const QPointF s = project(v);
            x0 = std::min(x0, s.x());
            x1 = std::max(x1, s.x());
            y0 = std::min(y0, s.y());
            y1 = std::max(y1, s.y());
        }
        if (x0 > x1) return {};
        return QRectF(x0, y0, x1 - x0, y1 - y0);
    }

    double sx_ = 1, sy_ = 1; // plan inches per data unit
    double kx_ = 1, ky_ = 1; // stretch of the projected map
    double left_ = 0, top_ = 0;
    double rotation_ = 0, tilt_ = 90;
    double cr_ = 1, sr_ = 0, ct_ = 0, st_ = 1;
    QRectF box_;
};

QRectF gridRect(const ContourGrid& g) {
    if (g.nx < 2 || g.ny < 2 || g.z.size() != size_t(g.nx) * size_t(g.ny))
        raiseCallFailed(QStringLiteral("the grid has fewer than 2 nodes a side"));
    if (!(g.xMax > g.xMin) || !(g.yMax > g.yMin) || !std::isfinite(g.xMax - g.xMin) ||
        !std::isfinite(g.yMax - g.yMin))
        raiseCallFailed(QStringLiteral("the grid has no extent"));
    return QRectF(g.xMin, g.yMin, g.xMax - g.xMin, g.yMax - g.yMin);
}

class ContourMapShape : public MapShape, public Overlay {
public:
    ContourMapShape(PlotDocument& doc, const ContourGrid& grid)
        : MapShape(doc, gridRect(grid)), grid_(grid), levels_(chooseLevels(grid)),
          lines_(contourLines(grid, levels_)) {}

    Overlay& Overlays(int index) override {
        if (index != 1) raiseCallFailed(QStringLiteral("a contour map has overlay 1 only"));
        return *this;
    }
    bool FillContours() const override { return fill_; }
    void FillContours(bool on) override {
        if (on && !bandsMade_) {
            bands_ = contourBands(grid_, levels_);
            bandsMade_ = true;
        }
        fill_ = on;
        relayout();
    }

protected:
    void draw() override {
        if (fill_) {
            // Light for the lowest values to dark for the highest.
            const int n = levels_.count + 1;
            for (const BandPolygon& b : bands_) {
                const int grey = n > 1 ? int(std::lround(240 - 130.0 * b.band / (n - 1))) : 240;
                std::vector<std::vector<Vec3>> rings;
                for (const Ring& r : b.rings) {
                    rings.emplace_back();
                    for (const QPointF& q : r)
                        rings.back().push_back(plan(q));
                }
                polygon(rings, draw::RGB(grey, grey, grey), false);
            }
        }
        for (const ContourLine& l : lines_) {
            std::vector<Vec3> pts;
            pts.reserve(l.points.size());
            for (const QPointF& q : l.points)
                pts.push_back(plan(q));
            if (levels_.labelled(l.level))
                labelledLine(pts, stepLabel(levels_.at(l.level), levels_.interval));
            else
                line(pts);
        }
        frameWithTicks();
    }

private:
    ContourGrid grid_;
    Levels levels_;
    std::vector<ContourLine> lines_;
    std::vector<BandPolygon> bands_;
    bool bandsMade_ = false;
    bool fill_ = false;
};

class BaseMapShape : public MapShape {
public:
    BaseMapShape(PlotDocument& doc, BaseMapData data) : MapShape(doc, data.extent), map_(std::move(data)) {}

protected:
    void draw() override {
        if (!map_.picture.isNull()) picture(map_.picture);
        auto toPlan = [&](const Ring& r) {
            std::vector<Vec3> out;
            out.reserve(r.size());
            for (const QPointF& q : r)
                out.push_back(plan(q));
            return out;
        };
        // Outlines only: the maps beneath stay seen.
        for (const Ring& r : map_.rings)
            polygon({toPlan(r)}, -1, true);
        for (const Ring& r : map_.lines)
            line(toPlan(r));
        for (const QPointF& q : map_.points)
            marker(plan(q));
    }

private:
    BaseMapData map_;
};

// The grid's surface as lines along its rows and columns, raised by its values: the highest value
// stands a third of the plan's longer side above the lowest. Each cell is painted white, from the
// farthest to the nearest, so that nearer parts hide what lies behind them.
class WireFrameShape : public MapShape {
public:
    WireFrameShape(PlotDocument& doc, const ContourGrid& grid) : MapShape(doc, gridRect(grid)), grid_(grid) {
        if (!valueRange(grid_, lo_, hi_)) lo_ = hi_ = 0;
    }

protected:
    Vec3 node(int i, int j) const {
        const double relief = std::max(planWidth(), planHeight()) / 3;
        const double z = hi_ > lo_ ? (grid_.at(i, j) - lo_) / (hi_ - lo_) * relief : 0;
        return plan(grid_.xAt(i), grid_.yAt(j), z);
    }

    std::vector<Vec3> body() const override {
        std::vector<Vec3> pts;
        for (int j = 0; j < grid_.ny; ++j)
            for (int i = 0; i < grid_.nx; ++i)
                if (!grid_.isBlank(i, j)) pts.push_back(node(i, j));
        if (pts.empty()) return MapShape::body();
        return pts;
    }

    void draw() override {
        struct Cell {
            double depth;
            int i, j;
        };
        std::vector<Cell> cells;
        for (int j = 0; j + 1 < grid_.ny; ++j)
            for (int i = 0; i + 1 < grid_.nx; ++i) {
                if (grid_.isBlank(i, j) || grid_.isBlank(i + 1, j) || grid_.isBlank(i, j + 1) ||
                    grid_.isBlank(i + 1, j + 1))
                    continue;
                const Vec3 c =
                    plan((grid_.xAt(i) + grid_.xAt(i + 1)) / 2, (grid_.yAt(j) + grid_.yAt(j + 1)) / 2);
                cells.push_back({depth(c), i, j});
            }
        std::stable_sort(cells.begin(), cells.end(),
                         [](const Cell& a, const Cell& b) { return a.depth > b.depth; });
        for (const Cell& c : cells)
            polygon({{node(c.i, c.j), node(c.i + 1, c.j), node(c.i + 1, c.j + 1), node(c.i, c.j + 1)}},
                    draw::White, true);
    }

private:
    ContourGrid grid_;
    double lo_ = 0, hi_ = 0;
};

} // namespace

std::unique_ptr<PlotShape> makeContourMap(PlotDocument& doc, const ContourGrid& grid) {
    return std::make_unique<ContourMapShape>(doc, grid);
}

std::unique_ptr<PlotShape> makeWireFrame(PlotDocument& doc, const ContourGrid& grid) {
    return std::make_unique<WireFrameShape>(doc, grid);
}

std::unique_ptr<PlotShape> makeBaseMap(PlotDocument& doc, const QString& file) {
    return std::make_unique<BaseMapShape>(doc, readBaseMap(file));
}

} // namespace contour
