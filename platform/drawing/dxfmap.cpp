// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drawing/dxfmap.h"

#include "platform/drawing/drawrender.h"

#include <QColor>
#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <cmath>

namespace draw::dxf {

namespace {

// The 255 index colours of CAD programs: seven named colours, two greys, 24 hues in five shades
// at full and a third of the saturation, and six greys.
const std::array<QRgb, 256>& indexPalette() {
    static const std::array<QRgb, 256> palette = [] {
        std::array<QRgb, 256> p{};
        const QRgb named[10] = {qRgb(0, 0, 0),      qRgb(255, 0, 0),     qRgb(255, 255, 0),
                                qRgb(0, 255, 0),    qRgb(0, 255, 255),   qRgb(0, 0, 255),
                                qRgb(255, 0, 255),  qRgb(255, 255, 255), qRgb(128, 128, 128),
                                qRgb(192, 192, 192)};
        for (int i = 0; i < 10; ++i)
            p[size_t(i)] = named[i];
        const int levels[5] = {255, 189, 129, 104, 79};
        for (int i = 10; i < 250; ++i) {
            const int k = (i - 10) % 10;
            const QColor c =
                QColor::fromHsvF(((i - 10) / 10) * 15 / 360.0, k % 2 ? 1.0 / 3 : 1.0, levels[k / 2] / 255.0);
            p[size_t(i)] = c.rgb();
        }
        const int greys[6] = {51, 80, 105, 130, 190, 255};
        for (int i = 0; i < 6; ++i)
            p[size_t(250 + i)] = qRgb(greys[i], greys[i], greys[i]);
        return p;
    }();
    return palette;
}

// Lineweights in hundredths of a millimetre, the only ones CAD programs take.
constexpr int LineWeights[] = {0,  5,  9,  13, 15, 18,  20,  25,  30,  35,  40,  50,
                               53, 60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211};

bool isHex4(const QString& s, qsizetype at) {
    if (at + 4 > s.size()) return false;
    for (qsizetype k = at; k < at + 4; ++k)
        if (!isxdigit(s[k].toLatin1())) return false;
    return true;
}

} // namespace

int toRgb24(Long c) {
    return int((c & 0xFF) << 16 | (c & 0xFF00) | ((c >> 16) & 0xFF));
}
Long fromRgb24(int v) {
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

int nearestIndex(Long c) {
    if ((c & 0xFFFFFF) == Black) return 7;
    const int r = int(c & 0xFF), g = int((c >> 8) & 0xFF), b = int((c >> 16) & 0xFF);
    int best = 7, bestDistance = INT_MAX;
    for (int i = 1; i < 256; ++i) {
        if (i == 7) continue;
        const QRgb p = indexPalette()[size_t(i)];
        const int dr = qRed(p) - r, dg = qGreen(p) - g, db = qBlue(p) - b;
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) best = i, bestDistance = d;
    }
    return best;
}

Long indexColor(int index) {
    index = std::abs(index);
    if (index < 1 || index > 255 || index == 7) return Black;
    const QRgb p = indexPalette()[size_t(index)];
    return RGB(qRed(p), qGreen(p), qBlue(p));
}
int lineWeightOf(int width) {
    if (width <= 0) return 0;
    const double hundredths = width * 2540.0 / UnitsPerInch;
    int best = LineWeights[1];
    for (int w : LineWeights)
        if (w > 0 && std::abs(w - hundredths) < std::abs(best - hundredths)) best = w;
    return best;
}

int widthOfLineWeight(int weight) {
    return int(std::lround(weight * UnitsPerInch / 2540.0));
}

const char* linetypeOf(int style) {
    switch (style) {
    case Dash:
        return "DASHED";
    case Dot:
        return "DOT";
    case DashDot:
        return "DASHDOT";
    case DashDotDot:
        return "DIVIDE";
    default:
        return "CONTINUOUS";
    }
}

int styleOfLinetype(QString name) {
    name = name.toUpper();
    if (name.contains(QLatin1StringView("DIVIDE")) || name.contains(QLatin1StringView("DASHDOTDOT")))
        return DashDotDot;
    if (name.contains(QLatin1StringView("DASHDOT")) || name.contains(QLatin1StringView("CENTER")) ||
        name.contains(QLatin1StringView("PHANTOM")))
        return DashDot;
    if (name.contains(QLatin1StringView("DASH")) || name.contains(QLatin1StringView("HIDDEN"))) return Dash;
    if (name.contains(QLatin1StringView("DOT"))) return Dot;
    return Solid;
}
QByteArray encodeText(const QString& s) {
    QByteArray out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        if (c == u'%' && i + 1 < s.size() && s[i + 1] == u'%') {
            out += "%%%";
        } else if (c == u'\\' || c < 0x20 || (c >= 0x7F && c < 0xA0) || c > 0xFF) {
            out += "\\U+";
            out += QByteArray::number(c, 16).toUpper().rightJustified(4, '0');
        } else {
            out += char(c);
        }
    }
    return out;
}
// \U+XXXX escapes and the %% codes of TEXT entities.
QString unescapeText(const QString& s, bool percentCodes) {
    if (!s.contains(u'\\') && !s.contains(u'%')) return s;
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'\\' && i + 2 < s.size() && (s[i + 1] == u'U' || s[i + 1] == u'u') && s[i + 2] == u'+' &&
            isHex4(s, i + 3)) {
            out += QChar(char16_t(s.mid(i + 3, 4).toUInt(nullptr, 16)));
            i += 6;
        } else if (percentCodes && s[i] == u'%' && i + 2 < s.size() && s[i + 1] == u'%') {
            const QChar c = s[i + 2].toLower();
            if (c == u'%')
                out += u'%';
            else if (c == u'd')
                out += QChar(0x00B0);
            else if (c == u'p')
                out += QChar(0x00B1);
            else if (c == u'c')
                out += QChar(0x2300);
            else if (c == u'u' || c == u'o') {
                // underline and overline switches: no characters
            } else {
                out += s.mid(i, 3);
            }
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

// The lines of an MTEXT value without its formatting codes.
QStringList mtextLines(const QString& s) {
    QStringList lines;
    QString line;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == u'{' || c == u'}') continue;
        if (c != u'\\' || i + 1 >= s.size()) {
            line += c;
            continue;
        }
        const QChar code = s[++i];
        switch (code.unicode()) {
        case u'P':
            lines << line;
            line.clear();
            break;
        case u'~':
            line += QChar(0x00A0);
            break;
        case u'\\':
        case u'{':
        case u'}':
            line += code;
            break;
        case u'U':
        case u'u':
            if (i + 1 < s.size() && s[i + 1] == u'+' && isHex4(s, i + 2)) {
                line += QChar(char16_t(s.mid(i + 2, 4).toUInt(nullptr, 16)));
                i += 5;
            }
            break;
        case u'S': { // a stacked fraction "a^b;" or "a/b;" shows as a/b
            const qsizetype end = s.indexOf(u';', i);
            QString part = s.mid(i + 1, (end < 0 ? s.size() : end) - i - 1);
            part.replace(u'^', u'/').replace(u'#', u'/');
            line += part;
            i = end < 0 ? s.size() : end;
            break;
        }
        case u'L':
        case u'l':
        case u'O':
        case u'o':
        case u'K':
        case u'k':
            break;
        default: { // \f..; \H..; \C..; and the like run to a semicolon
            const qsizetype end = s.indexOf(u';', i);
            i = end < 0 ? s.size() : end;
        }
        }
    }
    lines << line;
    for (QString& l : lines)
        l = unescapeText(l, true);
    return lines;
}
QSize pixelsOf(const QImage& picture) {
    return picture.isNull() ? QSize(1, 1) : picture.size();
}

Shape shapeOf(const DrawObject& o, const Mapping& m, bool writing) {
    Shape s;
    const QRectF r = o.frameRect();
    const double w = r.width(), h = r.height();
    const Turn turn(r.center(), o.angle);
    switch (o.kind) {
    case Line:
        s.type = Shape::Segment;
        s.pts = {m.toFile(QPointF(o.x1, o.y1)), m.toFile(QPointF(o.x2, o.y2))};
        break;
    case Rectangle:
    case RoundRect: {
        s.type = Shape::Poly;
        s.closed = true;
        const double rr = o.kind == RoundRect ? std::min(w, h) * 0.2 : 0;
        const double a = w / 2, b = h / 2;
        if (rr <= 0) {
            for (const auto& [lx, ly] : {std::pair(-a, -b), {a, -b}, {a, b}, {-a, b}})
                s.pts << m.toFile(turn.at(lx, ly));
            s.bulges.fill(0, 4);
        } else {
            // Counter-clockwise from the bottom edge; each corner is a quarter circle.
            const double q = std::tan(M_PI / 8);
            const std::pair<double, double> pts[8] = {{-a + rr, -b}, {a - rr, -b}, {a, -b + rr},
                                                      {a, b - rr},   {a - rr, b},  {-a + rr, b},
                                                      {-a, b - rr},  {-a, -b + rr}};
            for (int i = 0; i < 8; ++i) {
                s.pts << m.toFile(turn.at(pts[i].first, pts[i].second));
                s.bulges << (i % 2 ? q : 0.0);
            }
        }
        break;
    }
    case Ellipse:
        if (w <= 0 || h <= 0) { // a flat ellipse is the segment it paints
            s.type = Shape::Segment;
            s.pts = {m.toFile(turn.at(-w / 2, -h / 2)), m.toFile(turn.at(w / 2, h / 2))};
        } else {
            s.type = Shape::EllipseShape;
            s.centre = m.toFile(r.center());
            s.major = m.vectorToFile(w >= h ? turn.vec(w / 2, 0) : turn.vec(0, h / 2));
            s.ratio = w >= h ? h / w : w / h;
        }
        break;
    case Polyline:
    case Polygon: {
        s.type = Shape::Poly;
        s.closed = o.kind == Polygon;
        const QVector<QPointF> placed = o.placedVertices();
        for (const QPointF& p : placed)
            s.pts << m.toFile(p);
        if (s.pts.isEmpty()) s.pts << m.toFile(QPointF(o.x1, o.y1));
        s.bulges.fill(0, s.pts.size());
        break;
    }
    case Text: {
        s.type = Shape::TextShape;
        const double em = o.style.textHeight < 0 ? -o.style.textHeight : o.style.textHeight / CellPerEm;
        s.pts = {m.toFile(QPointF(o.x1, o.y1))};
        s.height = m.length(em * CapPerEm);
        s.rotation = normalAngle(o.style.textAngle);
        s.hjust = std::clamp(o.style.textAlign, 0, 2);
        if (!writing) break;
        // The start of the baseline, for programs that place text by it alone.
        // A text that starts at its anchor needs no measuring.
        double left = 0;
        if (o.style.textAlign == 1 || o.style.textAlign == 2) {
            DrawObject flat = o;
            flat.style.textAngle = 0;
            left = objectBounds(flat).left() - o.x1;
        }
        s.insert = m.toFile(Turn(QPointF(o.x1, o.y1), o.style.textAngle).at(left, -AnchorPerEm * em));
        break;
    }
    case Bitmap: {
        s.type = Shape::Image;
        const QSize px = pixelsOf(o.picture);
        s.pw = px.width();
        s.ph = px.height();
        s.pts = {m.toFile(turn.at(-w / 2, -h / 2))};
        s.u = m.vectorToFile(turn.vec(w / s.pw, 0));
        s.v = m.vectorToFile(turn.vec(0, h / s.ph));
        break;
    }
    }
    return s;
}

void appendBulge(QVector<QPointF>& out, const QPointF& p, const QPointF& q, double bulge) {
    if (std::abs(bulge) < 1e-9 || p == q) {
        out << q;
        return;
    }
    const double theta = 4 * std::atan(bulge); // signed sweep, counter-clockwise when positive
    const QPointF d = q - p;
    const double chord = std::hypot(d.x(), d.y());
    const double radius = chord / (2 * std::sin(std::abs(theta) / 2));
    const QPointF mid = (p + q) / 2;
    const QPointF left(-d.y() / chord, d.x() / chord);
    const double h = chord / (2 * std::tan(theta / 2)); // signed: a clockwise arc has its centre to the right
    const QPointF c = mid + left * h;
    const double a0 = std::atan2(p.y() - c.y(), p.x() - c.x());
    const int steps = std::max(2, int(std::ceil(std::abs(theta) / (M_PI / 36))));
    for (int k = 1; k < steps; ++k) {
        const double a = a0 + theta * k / steps;
        out << c + QPointF(std::cos(a), std::sin(a)) * radius;
    }
    out << q;
}

void appendArc(QVector<QPointF>& out, const QPointF& c, const QPointF& axis, double ratio, double a1,
               double a2, bool ccw) {
    // Points of the elliptic arc c + axis cos t + ratio (axis turned a quarter) sin t.
    const QPointF minor(-axis.y() * ratio, axis.x() * ratio);
    double sweep = ccw ? a2 - a1 : a1 - a2;
    while (sweep <= 1e-12)
        sweep += 2 * M_PI;
    const int steps = std::max(2, int(std::ceil(sweep / (M_PI / 36))));
    for (int k = 0; k <= steps; ++k) {
        const double t = ccw ? a1 + sweep * k / steps : a1 - sweep * k / steps;
        out << c + axis * std::cos(t) + minor * std::sin(t);
    }
}

bool near(const QPointF& a, const QPointF& b, double tol) {
    return std::abs(a.x() - b.x()) <= tol && std::abs(a.y() - b.y()) <= tol;
}

bool sameShape(const Shape& a, const Shape& b, double tol) {
    if (a.type != b.type || a.pts.size() != b.pts.size()) return false;
    for (qsizetype i = 0; i < a.pts.size(); ++i)
        if (!near(a.pts[i], b.pts[i], tol)) return false;
    switch (a.type) {
    case Shape::Poly:
        if (a.closed != b.closed || a.bulges.size() != b.bulges.size()) return false;
        for (qsizetype i = 0; i < a.bulges.size(); ++i)
            if (std::abs(a.bulges[i] - b.bulges[i]) > 1e-6) return false;
        return true;
    case Shape::EllipseShape:
        return near(a.centre, b.centre, tol) && near(a.major, b.major, tol) &&
               std::abs(a.ratio - b.ratio) <= 1e-6;
    case Shape::TextShape:
        return a.hjust == b.hjust && std::abs(a.height - b.height) <= tol &&
               std::abs(normalAngle(a.rotation - b.rotation + 180) - 180) <= 1e-6;
    case Shape::Image:
        return near(a.u * a.pw, b.u * b.pw, tol) && near(a.v * a.ph, b.v * b.ph, tol);
    default:
        return true;
    }
}

} // namespace draw::dxf
