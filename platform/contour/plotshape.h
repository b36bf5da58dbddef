// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/contour/contourdoc.h"
#include "platform/drawing/drawobject.h"

#include <QPointF>
#include <vector>

// The base of the engine's shapes: a shape is a run of objects in its document's drawing, made anew
// from the shape's own data whenever a member changes its box or look.
namespace contour {

class PlotDocument;

constexpr double UnitsPerInch = 600;
constexpr double PointsPerInch = 72;

class PlotShape : public Shape {
public:
    explicit PlotShape(PlotDocument& doc) : doc_(doc) {}
    const std::vector<draw::Long>& objectIds() const { return ids_; }
    // Replaces the shape's objects with new ones at the same place in the stacking order.
    void relayout();

protected:
    // Adds the shape's objects through addObject().
    virtual void layOut() = 0;
    draw::DrawObject& addObject(draw::Kind kind, draw::Long x1, draw::Long y1, draw::Long x2, draw::Long y2);
    // A polyline or polygon through page points (inches).
    draw::DrawObject& addPath(draw::Kind kind, const std::vector<QPointF>& inches);
    // Page inches to drawing units and back.
    QPoint units(QPointF inches) const;
    QPointF inches(QPointF units) const;

    PlotDocument& doc_;

private:
    std::vector<draw::Long> ids_;
};

// A text's box relative to its anchor, in drawing units, for a text of the given size (points).
QRectF textBox(const QString& text, double points, int hAlign);
draw::Style textStyle(double points, int hAlign);

} // namespace contour
