// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the tests of the drawing view and of the drawing window share: a drag as a hand makes it,
// where an object lies, and a small sheet in a view with an easy scale.
#include "platform/drawing/mdrawpro.h"
#include "platform/gui/drawview.h"
#include "support/programstate.h"

#include <QApplication>
#include <QTest>

// A press, two moves and a release of the left button.
inline void dragMouse(QWidget* w, QPoint from, QPoint to, Qt::KeyboardModifiers mods = {}) {
    QTest::mousePress(w, Qt::LeftButton, mods, from);
    QTest::mouseMove(w, (from + to) / 2);
    QTest::mouseMove(w, to);
    QTest::mouseRelease(w, Qt::LeftButton, mods, to);
}

inline QRect frameOf(const draw::DrawObject& o) { return QRect(QPoint(o.x1, o.y1), QPoint(o.x2, o.y2)); }

// The vertices where they lie on the sheet, turned and scaled.
inline QVector<QPoint> placedPointsOf(const draw::DrawObject& o) {
    QVector<QPoint> out;
    for (const QPointF& p : o.placedVertices())
        out << p.toPoint();
    return out;
}

// A 1000 by 800 unit sheet shown at 500 by 400 pixels from pixel (1, 1): unit u lies at pixel
// 1 + u / 2.
inline void showSheet(DrawView& v, draw::DrawModel& m) {
    m.setPageWidth(1000);
    m.setPageHeight(800);
    m.setUnitsWidth(1000);
    m.setUnitsHeight(800);
    v.setModel(&m);
    v.resize(502, 402);
    v.ViewWidth(500);
    v.ViewHeight(400);
    v.ViewLeft(-1);
    v.ViewTop(-1);
    v.show();
    QApplication::processEvents();
}

// A drawing on that sheet in a view of its own, without the window.
class SheetViewTest : public ProgramStateTest {
protected:
    void SetUp() override { showSheet(v, d); }

    // A pixel of the view for a sheet point.
    QPoint at(double ux, double uy) const { return v.unitsToPixel(QPointF(ux, uy)).toPoint(); }
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods = {}) { dragMouse(&v, from, to, mods); }
    QRect frame(draw::Long id) const { return frameOf(*d.find(id)); }
    QVector<QPoint> vertices(draw::Long id) const { return placedPointsOf(*d.find(id)); }
    QPoint anchor(draw::Long id) const { return QPoint(d.find(id)->x1, d.find(id)->y1); }

    MDrawPro d;
    DrawView v;
};
