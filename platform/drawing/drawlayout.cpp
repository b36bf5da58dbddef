// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drawing/drawlayout.h"

#include "platform/drawing/drawmodel.h"
#include "platform/drawing/drawrender.h"

#include <QLineF>
#include <QPolygonF>
#include <QRectF>
#include <algorithm>
#include <optional>
#include <vector>

namespace draw {

namespace {

constexpr double Tolerance = 0.5; // drawing units: boxes that only touch do not cross

// A painted stroke: a line, a side of a polyline, polygon or rectangle, in any direction and pen.
struct Stroke {
    QLineF line;
    int index; // stacking place of its object
};

struct PlacedText {
    QRectF box;
    const DrawObject* o;
    int index;
};

// What hides the strokes below it: a shape filled solid, by its bounds.
struct KnockOut {
    QRectF box;
    int index;
};

QString describe(const DrawObject& o) {
    return QStringLiteral("text \"%1\" at (%2,%3)").arg(o.text).arg(o.x1).arg(o.y1);
}

QString describe(const QLineF& l) {
    const bool rule = l.x1() == l.x2() || l.y1() == l.y2();
    return QStringLiteral("%1 (%2,%3)-(%4,%5)")
        .arg(rule ? QStringLiteral("rule") : QStringLiteral("line"))
        .arg(l.x1(), 0, 'f', 0)
        .arg(l.y1(), 0, 'f', 0)
        .arg(l.x2(), 0, 'f', 0)
        .arg(l.y2(), 0, 'f', 0);
}

void addStroke(std::vector<Stroke>& strokes, QPointF a, QPointF b, int index) {
    if (a != b) strokes.push_back({QLineF(a, b), index});
}

std::vector<Stroke> strokesOf(const DrawModel& m) {
    std::vector<Stroke> strokes;
    for (int i = 0; i < m.count(); ++i) {
        const DrawObject& o = m.at(i);
        if (o.style.lineStyle == NoLine) continue;
        if (o.kind == Line) {
            addStroke(strokes, QPointF(o.x1, o.y1), QPointF(o.x2, o.y2), i);
        } else if (o.kind == Rectangle && o.angle == 0) {
            const QRectF r = o.frameRect();
            addStroke(strokes, r.topLeft(), r.topRight(), i);
            addStroke(strokes, r.topRight(), r.bottomRight(), i);
            addStroke(strokes, r.bottomRight(), r.bottomLeft(), i);
            addStroke(strokes, r.bottomLeft(), r.topLeft(), i);
        } else if (o.kind == Polyline || o.kind == Polygon) {
            const QVector<QPointF> v = o.placedVertices();
            for (qsizetype k = 1; k < v.size(); ++k)
                addStroke(strokes, v[k - 1], v[k], i);
            if (o.kind == Polygon && v.size() > 2) addStroke(strokes, v.last(), v.first(), i);
        }
    }
    return strokes;
}

std::vector<KnockOut> knockOutsOf(const DrawModel& m) {
    std::vector<KnockOut> out;
    for (int i = 0; i < m.count(); ++i) {
        const DrawObject& o = m.at(i);
        if (o.style.fill != FillMode::Solid) continue;
        if (o.kind == Rectangle && o.angle == 0) out.push_back({o.frameRect(), i});
        if (o.kind == Polygon) out.push_back({QPolygonF(o.placedVertices()).boundingRect(), i});
    }
    return out;
}

// The part of a stroke inside a box (Liang-Barsky); nullopt when none of it lies inside.
std::optional<QLineF> clipped(const QLineF& l, const QRectF& box) {
    const double dx = l.dx(), dy = l.dy();
    double t0 = 0, t1 = 1;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {l.x1() - box.left(), box.right() - l.x1(), l.y1() - box.top(), box.bottom() - l.y1()};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] <= 0) return std::nullopt; // along an edge or outside it
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t1 - t0 <= 1e-9) return std::nullopt;
    return QLineF(l.pointAt(t0), l.pointAt(t1));
}

// A stroke crosses a text unless a filled shape painted after it, and before the text, hides the
// part of it that runs through the text (a label's knock-out).
bool crosses(const PlacedText& t, const Stroke& s, const std::vector<KnockOut>& knockOuts) {
    const QRectF in = t.box.adjusted(Tolerance, Tolerance, -Tolerance, -Tolerance);
    if (in.isEmpty()) return false;
    const std::optional<QLineF> part = clipped(s.line, in);
    if (!part) return false;
    for (const KnockOut& k : knockOuts)
        if (k.index > s.index && k.index < t.index && k.box.contains(part->p1()) &&
            k.box.contains(part->p2()))
            return false;
    return true;
}

} // namespace

QStringList layoutFaults(const DrawModel& m, const QRectF& frame) {
    std::vector<PlacedText> texts;
    for (int i = 0; i < m.count(); ++i) {
        const DrawObject& o = m.at(i);
        if (o.kind != Text) continue;
        const QRectF box = textInkBounds(o);
        if (!box.isEmpty()) texts.push_back({box, &o, i});
    }
    const std::vector<Stroke> strokes = strokesOf(m);
    const std::vector<KnockOut> knockOuts = knockOutsOf(m);
    QStringList faults;
    for (size_t a = 0; a < texts.size(); ++a) {
        const PlacedText& t = texts[a];
        if (!frame.isEmpty() && !frame.contains(t.box))
            faults << describe(*t.o) + QStringLiteral(" leaves the frame");
        for (const Stroke& s : strokes)
            if (crosses(t, s, knockOuts))
                faults << describe(*t.o) + QStringLiteral(" crosses ") + describe(s.line);
        for (size_t b = a + 1; b < texts.size(); ++b) {
            const PlacedText& u = texts[b];
            if (t.o->text == u.o->text && t.box == u.box) continue;
            const QRectF in = t.box.adjusted(Tolerance, Tolerance, -Tolerance, -Tolerance);
            if (in.intersects(u.box))
                faults << describe(*t.o) + QStringLiteral(" overlaps ") + describe(*u.o);
        }
    }
    return faults;
}

} // namespace draw
