// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QVector>
#include <cstdint>
#include <utility>

// The data of the drawing control: plain structs that the model keeps, the renderer paints and the
// file codecs will write. Coordinates are drawing units (600 per inch, y down) held as Long.
namespace draw {

using Long = int32_t;

// Object kinds by their control codes.
enum Kind : int {
    Line = 1,
    Rectangle = 2,
    RoundRect = 3,
    Ellipse = 4,
    Polyline = 8,
    Polygon = 9,
    Text = 10,
    Bitmap = 12,
};
bool isKind(int code);
QString kindName(Kind kind);

// Colours stay R + 256 G + 65536 B until painted.
constexpr Long RGB(int r, int g, int b) {
    return Long(r) + 256 * Long(g) + 65536 * Long(b);
}
constexpr Long White = RGB(255, 255, 255);
constexpr Long Black = 0;
inline QColor toQColor(Long c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// Pen styles: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 none, 6 solid inside the frame.
enum PenStyle : int {
    Solid = 0,
    Dash = 1,
    Dot = 2,
    DashDot = 3,
    DashDotDot = 4,
    NoLine = 5,
    InsideFrame = 6
};

enum class FillMode { Solid, None, Picture };

struct Style {
    int lineStyle = Solid;
    int lineWidth = 1; // drawing units, at least a device pixel; 0 paints as a hairline
    Long lineColor = Black;
    FillMode fill = FillMode::Solid;
    Long fillColor = White;
    QImage fillPicture; // tiled over the shape when fill is Picture
    int pictureStyle = 0;
    Long pictureBackColor = White;
    QString fontName = QStringLiteral("Arial");
    double textHeight = -83.3; // negative: em height; positive: cell height (ascent + descent)
    double textAngle = 0;      // degrees, counter-clockwise, about the anchor
    int textAlign = 0;         // 0 left, 1 centre, 2 right
    int textMode = 1;
    bool textBold = false;
    bool textItalic = false;
    bool textStrikeout = false;
    bool textUnderline = false;
    Long textColor = Black;
};

struct DrawObject {
    Long id = 0;
    Kind kind = Line;
    // The frame as given: a line runs from the first corner to the second, a text is anchored at
    // the first corner, the other kinds fill the normalised rectangle.
    Long x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    // Polyline and polygon vertices as set; they are placed by mapping their own bounds onto the
    // frame, so collapsing a frame and restoring it gives the same shape back.
    QVector<QPoint> vertices;
    Long vx1 = 0, vy1 = 0, vx2 = 0, vy2 = 0; // bounds of the vertices as set
    // Rectangles, rounded rectangles, ellipses and bitmaps turned about the frame's centre, degrees
    // counter-clockwise; lines, polylines and polygons turn their points, texts their anchor and angle.
    double angle = 0;
    Style style;
    QString text;
    QImage picture;
    QList<std::pair<QString, QString>> tags; // in the order first set; never holds an empty value
    bool selected = false;
    int group = 0; // 0: not grouped

    QRectF frameRect() const; // normalised; width and height are the corner differences
    QVector<QPointF> placedVertices() const;
    QString tag(const QString& key) const;
    void setTag(const QString& key, const QString& value); // an empty value removes the tag
    void setFrame(Long nx1, Long ny1, Long nx2, Long ny2) {
        x1 = nx1;
        y1 = ny1;
        x2 = nx2;
        y2 = ny2;
    }
    void offset(Long dx, Long dy) {
        x1 += dx;
        y1 += dy;
        x2 += dx;
        y2 += dy;
    }
};

// Cosine and sine of a turn in degrees, exact at multiples of 90 so that quarter turns stay whole.
std::pair<double, double> cosSinDegrees(double degrees);
// An angle brought into [0, 360); one within a hair of a quarter turn is taken as that quarter turn.
double normalAngle(double degrees);
// Whether the kind keeps its frame and paints turned by its angle.
inline bool turnsByAngle(Kind k) {
    return k == Rectangle || k == RoundRect || k == Ellipse || k == Bitmap;
}

// Everything an edit (move, resize, turn) changes on an object, so that a snapshot restores it
// exactly: the frame, the vertices with their bounds, the angle, the text's height and angle.
struct Placement {
    Long x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    QVector<QPoint> vertices;
    Long vx1 = 0, vy1 = 0, vx2 = 0, vy2 = 0;
    double angle = 0;
    double textHeight = 0;
    double textAngle = 0;
    bool operator==(const Placement&) const = default;
};
Placement placementOf(const DrawObject& o);
void applyPlacement(DrawObject& o, const Placement& p);

} // namespace draw
