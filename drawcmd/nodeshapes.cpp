// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawcmd/nodeshapes.h"

#include "drawcmd/editingsession.h"
#include "drawcmd/pagecanvas.h"
#include "platform/drawing/objecttags.h"
#include "platform/drawing/picture.h"
#include "platform/numbers.h"
#include "platform/qmerror.h"
#include "platform/uiservice.h"
#include "project/modgw.h"

#include <QImage>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

using Long = draw::Long;
namespace tags = draw::tags;

constexpr double Pi = 3.1415926536;
constexpr double ThreeHalfTurns = 9.4247779608;
constexpr int AlignThreshold = 25; // units: a segment more level than this is straightened
constexpr int LensSidePoints = 10;
const QString SolidPattern = QStringLiteral("F0_sc.bmp");

struct Pt {
    Long x = 0;
    Long y = 0;
};

int unitsPerInch() {
    return pageCanvas().UnitsPerInch > 0 ? pageCanvas().UnitsPerInch : 600;
}

// The selected nodes as points, in the order picked.
std::vector<Pt> selectedNodes() {
    const EditingSession& m = editingSession();
    std::vector<Pt> pts;
    for (int k = 1; 2 * k <= m.SelectedNodeCount; ++k)
        pts.push_back({m.SelectedNodes[size_t(2 * k - 1)], m.SelectedNodes[size_t(2 * k)]});
    return pts;
}

// A coordinate difference as the 16-bit integer the construction works in; out of range is error 6.
int16_t diff16(Long a, Long b) {
    const int64_t d = int64_t(a) - b;
    if (d < std::numeric_limits<int16_t>::min() || d > std::numeric_limits<int16_t>::max())
        raiseError(qmerr::Overflow, QStringLiteral("node coordinate difference"));
    return int16_t(d);
}

// |a - b| as a 16-bit integer: the absolute value must fit as well.
int abs16(Long a, Long b) {
    const int d = diff16(a, b);
    if (d == std::numeric_limits<int16_t>::min())
        raiseError(qmerr::Overflow, QStringLiteral("node coordinate difference"));
    return d < 0 ? -d : d;
}

// |a - b| of two Long coordinates, in the Long range.
int64_t absLong(Long a, Long b) {
    const int64_t d = int64_t(a) - b;
    if (d > std::numeric_limits<int32_t>::max() || d < -int64_t(std::numeric_limits<int32_t>::max()))
        raiseError(qmerr::Overflow, QStringLiteral("node coordinate difference"));
    return d < 0 ? -d : d;
}

Pt roundPt(double x, double y) {
    return {qnum::CLng(x), qnum::CLng(y)};
}

// Adds a polygon (9) or polyline (8) through pts, started on the rounded pen as every shape of the
// drawing commands is; it becomes the current object.
void addShape(int kind, const std::vector<Pt>& pts) {
    const Metaugl& m = pageCanvas();
    const Long x = qnum::CLng(m.PenX), y = qnum::CLng(m.PenY);
    std::vector<Long> values;
    values.reserve(pts.size() * 2);
    for (const Pt& p : pts) {
        values.push_back(p.x);
        values.push_back(p.y);
    }
    MDrawPro& d = pageDrawing();
    d.AddObject(kind, x, y, x, y);
    d.SetVertices(0, int(pts.size()), values.data(), 0);
}

// The fill a node polygon takes from the palette, worked out before the polygon is added so that a
// missing picture or a bad name adds nothing.
struct FillPlan {
    bool solid = true;
    QImage picture;
    QString printName;
    int32_t color = 0;
};

FillPlan planFill() {
    const EditingSession& m = editingSession();
    FillPlan plan;
    plan.color = m.CurrentFillColor;
    const QString pattern = m.CurrentFillPattern.isEmpty() ? SolidPattern : m.CurrentFillPattern;
    plan.solid = pattern.startsWith(QLatin1String("F0"));
    if (!plan.solid) {
        plan.picture = LoadPicture(modgw().FillPath + QStringLiteral("Temp.bmp"));
        plan.printName = PrintPatternName(pattern);
    }
    return plan;
}

void applyFill(const FillPlan& plan) {
    MDrawPro& d = pageDrawing();
    d.TagTarget(5);
    if (plan.solid) {
        d.FillStyle(0);
        d.FillColor(plan.color);
        d.ObjectTag(tags::Fill, QString());
    } else {
        d.FillPictureFile(plan.picture);
        d.ObjectTag(tags::Fill, plan.printName);
    }
    d.ObjectTag(tags::Color, QString::number(plan.color));
    d.LineWidth(4);
    d.LineStyle(0);
    d.LineColor(draw::Black);
}

// One curved side pair of a lens from tip T towards the centre M with half height h: the points lie on
// a parabola with its vertex on the tip that would reach h at the centre. `fromLeft` picks the
// construction for a tip left of the centre; the other mirrors it.
struct LensHalf {
    std::array<Pt, LensSidePoints> upper;
    std::array<Pt, LensSidePoints> lower;
};

LensHalf lensHalf(Pt t, Pt mid, Long h, bool fromLeft) {
    const int64_t dx = fromLeft ? int64_t(mid.x) - t.x : int64_t(t.x) - mid.x;
    const int64_t dy = int64_t(mid.y) - t.y;
    if (dx == 0) raiseError(qmerr::DivisionByZero, QStringLiteral("lens tip above or below its centre"));
    if (h == 0) raiseError(qmerr::DivisionByZero, QStringLiteral("lens of no height"));
    const int64_t sq = dx * dx + dy * dy; // a 32-bit sum in the construction
    if (sq > std::numeric_limits<int32_t>::max())
        raiseError(qmerr::Overflow, QStringLiteral("lens too long"));
    const double theta = std::atan(double(dy) / double(dx));
    const double r = double(qnum::CLng(std::sqrt(double(sq))));
    const double k = r / (double(h) * double(h));
    const double c = std::cos(theta), s = std::sin(theta);
    LensHalf out;
    double f = 0;
    for (int i = 1; i <= LensSidePoints; ++i) {
        f += i * 0.01;
        const double dist = r * f;
        const double w = std::sqrt(dist / k);
        const size_t j = size_t(i - 1);
        if (fromLeft) {
            const double ax = t.x + dist * c, ay = t.y + dist * s;
            out.upper[j] = roundPt(ax + w * s, ay - w * c);
            out.lower[j] = roundPt(ax - w * s, ay + w * c);
        } else {
            const double ax = t.x - dist * c, ay = t.y + dist * s;
            out.upper[j] = roundPt(ax - w * s, ay - w * c);
            out.lower[j] = roundPt(ax + w * s, ay + w * c);
        }
    }
    return out;
}

// The centre of the top and bottom nodes and the half height.
Pt centreOf(Pt q1, Pt q2) {
    return roundPt((double(q1.x) + q2.x) / 2, (double(q1.y) + q2.y) / 2);
}

// The index of the first smallest of the values: a later one wins only when strictly smaller.
size_t firstSmallest(const std::vector<int64_t>& dist) {
    size_t best = 0;
    for (size_t i = 1; i < dist.size(); ++i)
        if (dist[i] < dist[best]) best = i;
    return best;
}

// A lens polygon through the vertices, filled and outlined like a node polygon.
void addLens(const std::vector<Pt>& vertices, const FillPlan& fill) {
    addShape(draw::Polygon, vertices);
    applyFill(fill);
    editingSession().SelectedNodeCount = 0;
}

bool lensCountOk(int values) {
    if (values >= 6 && values <= 8) return true;
    ui().MsgBox(QStringLiteral("You must select 3-4 nodes to create a lens."));
    return false;
}

FreeToolResult setTool(int16_t tool, int kind, bool penReset) {
    MDrawPro& d = pageDrawing();
    FreeToolResult r;
    r.FreeShapeTool = tool;
    r.EditMode = kind;
    if (penReset) {
        d.CurrentObject(4);
        if (d.LineStyle() == draw::NoLine) {
            d.LineStyle(0);
            d.LineWidth(4);
            r.PenReset = true;
        }
    }
    d.EditMode(kind);
    d.CurrentObject(4);
    return r;
}

} // namespace

QString PrintPatternName(const QString& screenPattern) {
    const QString p = screenPattern.isEmpty() ? SolidPattern : screenPattern;
    if (p.startsWith(QLatin1String("F0"))) return {};
    if (p.size() < 7) raiseError(qmerr::InvalidArgument, QStringLiteral("pattern name ") + p);
    return p.left(p.size() - 7) + QStringLiteral(".bmp");
}

void ApplyNodePolygonFill() {
    applyFill(planFill());
}

void MakeNodePolygon() {
    Metaugl& m = pageCanvas();
    EditingSession& s = editingSession();
    if (s.SelectedNodeCount <= 0) return;
    const std::vector<Pt> nodes = selectedNodes();
    const FillPlan fill = planFill();
    addShape(draw::Polygon, nodes);
    applyFill(fill);
    m.PenX = float(nodes.front().x);
    m.PenY = float(nodes.front().y);
    s.SelectedNodeCount = 0;
}

void MakeNodeLine() {
    Metaugl& m = pageCanvas();
    EditingSession& s = editingSession();
    if (s.SelectedNodeCount <= 0) return;
    addShape(draw::Polyline, selectedNodes());
    MDrawPro& d = pageDrawing();
    d.LineColor(m.CurrentLineColor);
    // The current object alone is restacked, never the rest of the selection: node and free lines
    // gather at the back in the order made.
    d.ObjectSelected(true);
    d.ObjectAction(2);
    for (int i = 0; i < s.ShapeCounter; ++i)
        d.ObjectAction(5);
    if (s.ShapeCounter < std::numeric_limits<int16_t>::max()) ++s.ShapeCounter;
    d.ObjectSelected(false);
    s.SelectedNodeCount = 0;
}

void MakeNodeArrow() {
    Metaugl& m = pageCanvas();
    EditingSession& s = editingSession();
    if (s.SelectedNodeCount < 4 || s.SelectedNodeCount > 6) {
        ui().MsgBox(QStringLiteral("You must select 2-3 nodes to create an arrow."));
        return;
    }
    // The node picked last is the tip, so the shaft runs backwards through the selection.
    std::vector<Pt> v = selectedNodes();
    std::reverse(v.begin(), v.end());
    for (size_t i = 1; i < v.size(); ++i) {
        if (abs16(v[i - 1].x, v[i].x) < AlignThreshold) v[i].x = v[i - 1].x;
        if (abs16(v[i - 1].y, v[i].y) < AlignThreshold) v[i].y = v[i - 1].y;
    }
    const int dx = diff16(v[0].x, v[1].x);
    const int dy = diff16(v[1].y, v[0].y); // y up the page
    double a;
    if (dy == 0)
        a = dx > 0 ? 0 : Pi;
    else if (dx == 0)
        a = dy > 0 ? Pi / 2 : ThreeHalfTurns / 2;
    else
        a = std::atan(double(dy) / dx) + (dx < 0 ? Pi : 0);

    const double len = 0.15 * unitsPerInch();
    const double bx = v[0].x - len * std::cos(a), by = v[0].y + len * std::sin(a);
    const double w = 0.4 * len;
    const double a1 = a + Pi / 2, a2 = a1 + Pi;
    const std::vector<Pt> head = {v[0], roundPt(bx + w * std::cos(a1), by - w * std::sin(a1)),
                                  roundPt(bx + w * std::cos(a2), by - w * std::sin(a2))};

    MDrawPro& d = pageDrawing();
    addShape(draw::Polyline, v);
    d.LineColor(m.CurrentLineColor);
    d.ObjectSelected(true);
    addShape(draw::Polygon, head);
    d.FillStyle(0);
    d.FillColor(m.CurrentLineColor);
    d.LineStyle(draw::NoLine);
    d.ObjectSelected(true);
    s.SelectedNodeCount = 0;
}

void MakeNodeLens() {
    const EditingSession& m = editingSession();
    if (!lensCountOk(m.SelectedNodeCount)) return;
    if (m.SelectedNodeCount == 6) return MakeThreeNodeLens();

    const std::vector<Pt> n = selectedNodes();
    // The two nodes closest together horizontally are top and bottom; the other two are the tips.
    static constexpr std::array<std::array<int, 4>, 6> order = {{
        {0, 1, 2, 3},
        {0, 2, 1, 3},
        {0, 3, 1, 2},
        {1, 2, 0, 3},
        {1, 3, 0, 2},
        {2, 3, 0, 1},
    }};
    std::vector<int64_t> dist;
    for (const auto& o : order)
        dist.push_back(absLong(n[size_t(o[0])].x, n[size_t(o[1])].x));
    const auto& pick = order[firstSmallest(dist)];
    Pt q1 = n[size_t(pick[0])], q2 = n[size_t(pick[1])], q3 = n[size_t(pick[2])], q4 = n[size_t(pick[3])];
    if (q1.y > q2.y) std::swap(q1, q2);
    if (q3.x > q4.x) std::swap(q3, q4);

    const Pt mid = centreOf(q1, q2);
    const Long h = mid.y - q1.y;
    const LensHalf left = lensHalf(q3, mid, h, true);
    const LensHalf right = lensHalf(q4, mid, h, false);

    // Left tip, along the top to the right tip, back along the bottom.
    std::vector<Pt> vx;
    vx.push_back(q3);
    vx.insert(vx.end(), left.upper.begin(), left.upper.end());
    vx.push_back(q1);
    vx.insert(vx.end(), right.upper.rbegin(), right.upper.rend());
    vx.push_back(q4);
    vx.insert(vx.end(), right.lower.begin(), right.lower.end());
    vx.push_back(q2);
    vx.insert(vx.end(), left.lower.rbegin(), left.lower.rend());
    addLens(vx, planFill());
}

void MakeThreeNodeLens() {
    const EditingSession& m = editingSession();
    if (m.SelectedNodeCount != 6) {
        lensCountOk(0);
        return;
    }
    const std::vector<Pt> n = selectedNodes();
    static constexpr std::array<std::array<int, 3>, 3> order = {{{0, 1, 2}, {0, 2, 1}, {1, 2, 0}}};
    std::vector<int64_t> dist;
    for (const auto& o : order)
        dist.push_back(absLong(n[size_t(o[0])].x, n[size_t(o[1])].x));
    const auto& pick = order[firstSmallest(dist)];
    Pt q1 = n[size_t(pick[0])], q2 = n[size_t(pick[1])];
    const Pt tip = n[size_t(pick[2])];
    if (q1.y > q2.y) std::swap(q1, q2);

    const Pt mid = centreOf(q1, q2);
    const LensHalf half = lensHalf(tip, mid, mid.y - q1.y, tip.x < mid.x);

    // Top node, down the upper side to the tip, up the lower side to the bottom node; the straight
    // side closes the polygon.
    std::vector<Pt> vx;
    vx.push_back(q1);
    vx.insert(vx.end(), half.upper.rbegin(), half.upper.rend());
    vx.push_back(tip);
    vx.insert(vx.end(), half.lower.begin(), half.lower.end());
    vx.push_back(q2);
    addLens(vx, planFill());
}

FreeToolResult SetToolPolygon() {
    return setTool(1, draw::Polygon, false);
}
FreeToolResult SetToolLine() {
    return setTool(2, draw::Polyline, true);
}
FreeToolResult SetToolRectangle() {
    return setTool(3, draw::Rectangle, true);
}
FreeToolResult SetToolRoundedRect() {
    return setTool(4, draw::RoundRect, true);
}
FreeToolResult SetToolEllipse() {
    return setTool(5, draw::Ellipse, true);
}
FreeToolResult SetToolText() {
    return setTool(6, draw::Text, false);
}
FreeToolResult SetToolImage() {
    return setTool(7, draw::Bitmap, false);
}

FreeToolResult SetFreeTool(int tool) {
    switch (tool) {
    case 1:
        return SetToolPolygon();
    case 2:
        return SetToolLine();
    case 3:
        return SetToolRectangle();
    case 4:
        return SetToolRoundedRect();
    case 5:
        return SetToolEllipse();
    case 6:
        return SetToolText();
    case 7:
        return SetToolImage();
    default:
        return {};
    }
}
