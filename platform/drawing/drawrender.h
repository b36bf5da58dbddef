// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drawing/drawobject.h"

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <functional>

class QPainter;

// The one renderer of drawings: screen, printer, PDF and images all paint through paintSheet.
namespace draw {

class DrawModel;

// Paints the sheet (background and objects, back to front) so that it fills target, given in the
// painter's current coordinates.
void paintSheet(QPainter& p, const DrawModel& model, const QRectF& target);

// The same, with every object passed through substitute first: it gives the object to paint in its
// place, or nullptr to leave it out. Printing uses it to paint print patterns without touching the
// drawing.
using ObjectSubstitute = std::function<const DrawObject*(const DrawObject&)>;
void paintSheet(QPainter& p, const DrawModel& model, const QRectF& target, const ObjectSubstitute& substitute);

// Paints one object with the painter in drawing units.
void paintObject(QPainter& p, const DrawObject& o);

// The extent an object paints, in drawing units (a text measured with its font; pen width left out).
QRectF objectBounds(const DrawObject& o);

// Dash lengths of a pen style in drawing units, alternately on and off; empty for a solid line.
QVector<double> dashPattern(int lineStyle, int lineWidth);

// The sheet as an image at the given resolution (dots per inch), and as a one-page PDF whose page is
// the sheet with the given margin around it.
QImage renderImage(const DrawModel& model, double dpi);
QByteArray renderPdf(const DrawModel& model, double marginInches = 0);
// The same, written whole or not at all; a failed write raises error 75.
void writePng(const DrawModel& model, const QString& path, double dpi);
void writePdf(const DrawModel& model, const QString& path, double marginInches = 0);

} // namespace draw
