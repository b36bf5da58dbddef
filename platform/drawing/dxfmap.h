// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What DXF reading and writing share: the file's units and this program's extended data, the
// mapping of colours, line types and texts between the drawing and the file, an object's shape in
// the file, which the reader compares with what it finds, and the arcs both stages of reading trace.
#include "platform/drawing/drawobject.h"

#include <QByteArray>
#include <QImage>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVector>
#include <tuple>

namespace draw::dxf {

constexpr double UnitsPerInch = 600.0;
constexpr char AppName[] = "QMAR2002";
constexpr int DataVersion = 1;
// Outlines that draw no line go on a layer that is off, so that other programs do not show them.
constexpr char HiddenLayer[] = "QMAR-HIDDEN";
// A TEXT value longer than this goes whole into the extended data.
constexpr int MaxTextBytes = 250;
constexpr int ChunkBytes = 250;

// Text sizes: DXF gives the capital height, the drawing the em height (Arial's proportions); the
// drawing's anchor is the middle of the line, this far above the baseline.
constexpr double CapPerEm = 0.716;
constexpr double CellPerEm = 1.117;
constexpr double DescentPerEm = 0.212;
constexpr double AnchorPerEm = 0.3465;

// ---- colours --------------------------------------------------------------------------------------

int toRgb24(Long c);
Long fromRgb24(int v);
// Index 7 is the foreground colour of CAD programs, black on paper.
int nearestIndex(Long c);
Long indexColor(int index);

// ---- line weights and types -------------------------------------------------------------------------

// Lineweights in hundredths of a millimetre, the only ones CAD programs take.
int lineWeightOf(int width);
int widthOfLineWeight(int weight);
const char* linetypeOf(int style);
int styleOfLinetype(QString name);

// ---- text values ------------------------------------------------------------------------------------

// A text as a DXF value: Latin-1 bytes, every other character (and the backslash and control
// characters, which would break the file) as \U+XXXX; a "%" before another "%" as "%%%", so that
// no control code of the format is read into it.
QByteArray encodeText(const QString& s);
// Windows code page 1252 where Latin-1 has control characters.
constexpr char16_t Cp1252High[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                     0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
// \U+XXXX escapes and the %% codes of TEXT entities.
QString unescapeText(const QString& s, bool percentCodes);
// The lines of an MTEXT value without its formatting codes.
QStringList mtextLines(const QString& s);

// ---- geometry -----------------------------------------------------------------------------------------

// Drawing units (y down) to file coordinates (y up, the file's unit).
struct Mapping {
    double x0 = 0, y0 = 0;             // file coordinates of the sheet's upper left corner
    double perUnit = 1 / UnitsPerInch; // file length of a drawing unit
    // The drawing's coordinate extent, when it is not the sheet.
    double left = 0, top = 0, sx = 1, sy = 1;

    QPointF toFile(const QPointF& u) const {
        return {x0 + (u.x() - left) * sx * perUnit, y0 - (u.y() - top) * sy * perUnit};
    }
    QPointF vectorToFile(const QPointF& v) const { return {v.x() * sx * perUnit, -v.y() * sy * perUnit}; }
    QPointF toSheet(const QPointF& f) const { return {(f.x() - x0) / perUnit, (y0 - f.y()) / perUnit}; }
    double length(double units) const { return units * sy * perUnit; }
};

// What an object is in the file, in file coordinates: written from it, and compared with what is
// read back to tell whether the entity was changed elsewhere.
struct Shape {
    enum Type { None, Segment, Poly, EllipseShape, TextShape, Image } type = None;
    QVector<QPointF> pts; // text: the alignment point; image: the lower left corner
    QVector<double> bulges;
    bool closed = false;
    QPointF centre, major; // ellipse
    double ratio = 1;
    QPointF insert; // text: the start of the baseline
    double height = 0, rotation = 0;
    int hjust = 0;
    QPointF u, v; // image: one pixel along the bottom and the left side
    int pw = 1, ph = 1;
};

// Turns a point given about the centre (units, y up) by the angle and puts it on the sheet.
struct Turn {
    QPointF c;
    double cs = 1, sn = 0;
    Turn(const QPointF& centre, double degrees) : c(centre) { std::tie(cs, sn) = cosSinDegrees(degrees); }
    QPointF vec(double lx, double ly) const { return {lx * cs - ly * sn, -(lx * sn + ly * cs)}; }
    QPointF at(double lx, double ly) const { return c + vec(lx, ly); }
};

QSize pixelsOf(const QImage& picture);
Shape shapeOf(const DrawObject& o, const Mapping& m, bool writing);
bool near(const QPointF& a, const QPointF& b, double tol);
// The arc a bulge makes from p to q, as points after p up to and including q.
void appendBulge(QVector<QPointF>& out, const QPointF& p, const QPointF& q, double bulge);
// The points of an elliptic arc from angle a1 to a2 (radians), both ends included.
void appendArc(QVector<QPointF>& out, const QPointF& c, const QPointF& axis, double ratio, double a1,
               double a2, bool ccw);
bool sameShape(const Shape& a, const Shape& b, double tol);

} // namespace draw::dxf
