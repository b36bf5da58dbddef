// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/contour/contourgrid.h"

#include <QString>
#include <memory>

// The map shapes of a plot document: contour maps, base maps and wireframes. Each lays its data out
// in a box on the page, seen from above or, with a view rotation and tilt, in an orthographic view.
namespace contour {

class PlotDocument;
class PlotShape;

std::unique_ptr<PlotShape> makeContourMap(PlotDocument& doc, const ContourGrid& grid);
std::unique_ptr<PlotShape> makeWireFrame(PlotDocument& doc, const ContourGrid& grid);
std::unique_ptr<PlotShape> makeBaseMap(PlotDocument& doc, const QString& file);

} // namespace contour
