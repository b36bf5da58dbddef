// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drawing/drawlayout.h"

#include "platform/drawing/drawmodel.h"
#include "platform/drawing/drawrender.h"

#include <QLineF>
#include <QRectF>
#include <algorithm>
#include <vector>

namespace draw {

namespace {

constexpr double Tolerance = 0.5; // drawing units: boxes that only touch do not cross

struct Rule {
    QLineF line;
    QString what;
};

struct PlacedText {
    QRectF box;
    const DrawObject* o;
};

QString describe(const DrawObject& o) {
    return QStringLiteral("text \"%1\" at (%2,%3)").arg(o.text).arg(o.x1).arg(o.y1);
}

QString describe(const QLineF& l) {
    return QStringLiteral("rule (%1,%2)-(%3,%4)")
        .arg(l.x1(), 0, 'f', 0)
        .arg(l.y1(), 0, 'f', 0)
        .arg(l.x2(), 0, 'f', 0)
        .arg(l.y2(), 0, 'f', 0);
}

void addRule(std::vector<Rule>& rules, QPointF a, QPointF b) {
    if (a == b || (a.x() != b.x() && a.y() != b.y())) return; // level and upright lines only
    const QLineF l(a, b);
    rules.push_back({l, describe(l)});
}

std::vector<Rule> rulesOf(const DrawModel& m) {
    std::vector<Rule> rules;
    for (int i = 0; i < m.count(); ++i) {
        const DrawObject& o = m.at(i);
        if (o.style.lineStyle != Solid && o.style.lineStyle != InsideFrame) continue;
        if (o.kind == Line) {
            addRule(rules, QPointF(o.x1, o.y1), QPointF(o.x2, o.y2));
        } else if (o.kind == Rectangle && o.angle == 0) {
            const QRectF r = o.frameRect();
            addRule(rules, r.topLeft(), r.topRight());
            addRule(rules, r.topRight(), r.bottomRight());
            addRule(rules, r.bottomRight(), r.bottomLeft());
            addRule(rules, r.bottomLeft(), r.topLeft());
        } else if (o.kind == Polyline || o.kind == Polygon) {
            const QVector<QPointF> v = o.placedVertices();
            for (qsizetype k = 1; k < v.size(); ++k) addRule(rules, v[k - 1], v[k]);
        }
    }
    return rules;
}

bool crosses(const QRectF& box, const QLineF& l) {
    const QRectF in = box.adjusted(Tolerance, Tolerance, -Tolerance, -Tolerance);
    if (in.isEmpty()) return false;
    if (l.y1() == l.y2())
        return l.y1() > in.top() && l.y1() < in.bottom() && std::max(l.x1(), l.x2()) > in.left() &&
               std::min(l.x1(), l.x2()) < in.right();
    return l.x1() > in.left() && l.x1() < in.right() && std::max(l.y1(), l.y2()) > in.top() &&
           std::min(l.y1(), l.y2()) < in.bottom();
}

} // namespace

QStringList layoutFaults(const DrawModel& m, const QRectF& frame) {
    std::vector<PlacedText> texts;
    for (int i = 0; i < m.count(); ++i) {
        const DrawObject& o = m.at(i);
        if (o.kind != Text) continue;
        const QRectF box = textInkBounds(o);
        if (!box.isEmpty()) texts.push_back({box, &o});
    }
    const std::vector<Rule> rules = rulesOf(m);
    QStringList faults;
    for (size_t a = 0; a < texts.size(); ++a) {
        const PlacedText& t = texts[a];
        if (!frame.isEmpty() && !frame.contains(t.box))
            faults << describe(*t.o) + QStringLiteral(" leaves the frame");
        for (const Rule& r : rules)
            if (crosses(t.box, r.line)) faults << describe(*t.o) + QStringLiteral(" crosses ") + r.what;
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
