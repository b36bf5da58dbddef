// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drawing/drawobject.h"

#include <algorithm>
#include <cmath>

namespace draw {

namespace {
// Mouse sweeps add up fractions; a sum within this of a quarter turn is that quarter turn.
constexpr double AngleHair = 1e-9;
} // namespace

bool isKind(int code) {
    switch (code) {
    case Line:
    case Rectangle:
    case RoundRect:
    case Ellipse:
    case Polyline:
    case Polygon:
    case Text:
    case Bitmap:
        return true;
    default:
        return false;
    }
}

QString kindName(Kind kind) {
    switch (kind) {
    case Line:
        return QStringLiteral("line");
    case Rectangle:
        return QStringLiteral("rect");
    case RoundRect:
        return QStringLiteral("roundrect");
    case Ellipse:
        return QStringLiteral("ellipse");
    case Polyline:
        return QStringLiteral("polyline");
    case Polygon:
        return QStringLiteral("polygon");
    case Text:
        return QStringLiteral("text");
    case Bitmap:
        return QStringLiteral("bitmap");
    }
    return QString::number(int(kind));
}

QRectF DrawObject::frameRect() const {
    return QRectF(QPointF(std::min(x1, x2), std::min(y1, y2)), QPointF(std::max(x1, x2), std::max(y1, y2)));
}

QVector<QPointF> DrawObject::placedVertices() const {
    // Each axis maps the vertices' own span onto the frame's; a span of 0 only moves.
    const double bw = double(vx2) - vx1, bh = double(vy2) - vy1;
    const double sx = bw != 0 ? (double(x2) - x1) / bw : 1.0;
    const double sy = bh != 0 ? (double(y2) - y1) / bh : 1.0;
    QVector<QPointF> out;
    out.reserve(vertices.size());
    for (const QPoint& v : vertices)
        out.append(QPointF(x1 + (v.x() - vx1) * sx, y1 + (v.y() - vy1) * sy));
    return out;
}

QString DrawObject::tag(const QString& key) const {
    for (const auto& [k, v] : tags)
        if (k == key) return v;
    return {};
}

void DrawObject::setTag(const QString& key, const QString& value) {
    for (qsizetype i = 0; i < tags.size(); ++i) {
        if (tags[i].first == key) {
            if (value.isEmpty())
                tags.removeAt(i);
            else
                tags[i].second = value;
            return;
        }
    }
    if (!value.isEmpty()) tags.append({key, value});
}

double normalAngle(double degrees) {
    double a = std::fmod(degrees, 360.0);
    if (a < 0) a += 360.0;
    const double quarter = std::round(a / 90.0) * 90.0;
    if (std::abs(a - quarter) < AngleHair) a = quarter;
    return a >= 360.0 || a == 0 ? 0.0 : a; // no -0
}

std::pair<double, double> cosSinDegrees(double degrees) {
    const double a = normalAngle(degrees);
    if (a == 0) return {1.0, 0.0};
    if (a == 90) return {0.0, 1.0};
    if (a == 180) return {-1.0, 0.0};
    if (a == 270) return {0.0, -1.0};
    const double r = a * M_PI / 180.0;
    return {std::cos(r), std::sin(r)};
}

Placement placementOf(const DrawObject& o) {
    Placement p;
    p.x1 = o.x1;
    p.y1 = o.y1;
    p.x2 = o.x2;
    p.y2 = o.y2;
    p.vertices = o.vertices;
    p.vx1 = o.vx1;
    p.vy1 = o.vy1;
    p.vx2 = o.vx2;
    p.vy2 = o.vy2;
    p.angle = o.angle;
    p.textHeight = o.style.textHeight;
    p.textAngle = o.style.textAngle;
    return p;
}

void applyPlacement(DrawObject& o, const Placement& p) {
    o.setFrame(p.x1, p.y1, p.x2, p.y2);
    o.vertices = p.vertices;
    o.vx1 = p.vx1;
    o.vy1 = p.vy1;
    o.vx2 = p.vx2;
    o.vy2 = p.vy2;
    o.angle = p.angle;
    o.style.textHeight = p.textHeight;
    o.style.textAngle = p.textAngle;
}

} // namespace draw
