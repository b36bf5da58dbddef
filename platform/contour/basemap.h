// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/contour/contouring.h"

#include <QImage>
#include <QRectF>
#include <vector>

// What a base map file holds, in the file's own coordinates: the lines and polygon rings of a vector
// file that OGR reads, or the picture of a raster image.
namespace contour {

struct BaseMapData {
    QRectF extent; // x, y the lowest corner; width and height above 0
    std::vector<Ring> lines;
    std::vector<Ring> rings; // polygon outlines and holes, each closed
    std::vector<QPointF> points;
    QImage picture; // a raster file: covers the extent
};

// Raises 432 when the file cannot be read or holds nothing to draw.
BaseMapData readBaseMap(const QString& path);

} // namespace contour
