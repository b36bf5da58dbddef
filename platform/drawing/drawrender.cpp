// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drawing/drawrender.h"

#include "platform/drawing/drawmodel.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QHash>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <cmath>
#include <map>
#include <optional>
#include <utility>

namespace draw {

namespace {

constexpr double UnitsPerInch = 600.0;

// Text is laid out at a fixed reference size and scaled, so that its shape does not depend on the
// output's resolution.
constexpr int ReferencePixels = 256;

} // namespace

struct FontFace {
    QFont font;
    QFontMetricsF metrics{QFont()};
    double ascent = 0;
    double descent = 0;
    // Advances of texts already measured: a printed page is measured once to drop what lies off
    // the sheet and again to paint, axis labels repeat from page to page, and file writers space
    // characters one by one.
    QHash<QString, double> widths;
};

namespace {

FontFace& faceFor(const Style& s) {
    using Key = std::pair<QString, int>;
    static std::map<Key, FontFace> cache; // nodes stay put, so a face's address holds
    static const Key* lastKey = nullptr;
    static FontFace* last = nullptr;
    const int flags = int(s.textBold) | int(s.textItalic) << 1 | int(s.textUnderline) << 2 |
                      int(s.textStrikeout) << 3;
    if (last && lastKey->second == flags && lastKey->first == s.fontName) return *last;
    auto it = cache.find(Key(s.fontName, flags));
    if (it == cache.end()) {
        FontFace f;
        f.font = QFont(s.fontName);
        f.font.setPixelSize(ReferencePixels);
        f.font.setBold(s.textBold);
        f.font.setItalic(s.textItalic);
        f.font.setUnderline(s.textUnderline);
        f.font.setStrikeOut(s.textStrikeout);
        f.font.setHintingPreference(QFont::PreferNoHinting);
        f.font.setKerning(true);
        f.metrics = QFontMetricsF(f.font);
        f.ascent = f.metrics.ascent();
        f.descent = f.metrics.descent();
        it = cache.emplace(Key(s.fontName, flags), std::move(f)).first;
    }
    lastKey = &it->first;
    last = &it->second;
    return *last;
}

// Where a text sits, in the reference coordinates of its face: the line's box relative to the
// anchor, before scaling and rotation.
struct TextPlacement {
    TextFace face;
    QPointF baseline; // start of the baseline
    double width;
};

TextPlacement placeText(const DrawObject& o) {
    const TextFace face = textFace(o.style);
    const double width = face.advance(o.text);
    double x = 0;
    if (o.style.textAlign == 1)
        x = -width / 2;
    else if (o.style.textAlign == 2)
        x = -width;
    return {face, QPointF(x, face.baseline()), width};
}

QTransform textTransform(const DrawObject& o, double scale) {
    return QTransform::fromScale(scale, scale) * turn(o.style.textAngle) * QTransform::fromTranslate(o.x1, o.y1);
}

// The line's box of a text in its face's reference pixels, relative to the anchor.
QRectF textBox(const TextPlacement& t) {
    return QRectF(t.baseline.x(), t.baseline.y() - t.face.ascent(), t.width, t.face.ascent() + t.face.descent());
}

// One device pixel in drawing units, along the axis the painter scales least.
double devicePixelUnits(const QPainter& p) {
    const QTransform t = p.combinedTransform();
    const double sx = std::hypot(t.m11(), t.m12()), sy = std::hypot(t.m21(), t.m22());
    const double scale = std::min(sx, sy);
    return scale > 0 ? 1 / scale : 0;
}

// Width 0 is a hairline, one device pixel; any other width is drawing units on the sheet, never
// thinner than a device pixel. Ends and joins are round, so lines chained end to end meet without a
// notch; the dashes of a broken line keep their lengths, with flat ends.
QPen makePen(const QPainter& p, const Style& s, const QVector<double>& pattern) {
    QPen pen(toQColor(s.lineColor));
    if (s.lineWidth <= 0) {
        pen.setWidthF(0);
        pen.setCosmetic(true);
    } else {
        pen.setWidthF(std::max(double(s.lineWidth), devicePixelUnits(p)));
        // A pen's dashes are in units of its width; each line is then one stroke, and one dash
        // array in a PDF, rather than a stroke per dash.
        if (!pattern.isEmpty()) {
            QList<qreal> dashes;
            dashes.reserve(pattern.size());
            for (double d : pattern)
                dashes << d / pen.widthF();
            pen.setDashPattern(dashes);
        }
    }
    pen.setCapStyle(pattern.isEmpty() ? Qt::RoundCap : Qt::FlatCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

QBrush makeBrush(const Style& s) {
    switch (s.fill) {
    case FillMode::None:
        return Qt::NoBrush;
    case FillMode::Solid:
        return QBrush(toQColor(s.fillColor));
    case FillMode::Picture:
        break;
    }
    if (s.fillPicture.isNull()) return QBrush(toQColor(s.fillColor));
    // A pattern pixel covers as much of the sheet as it did at the picture's own resolution.
    QBrush brush(s.fillPicture);
    const double dpmX = s.fillPicture.dotsPerMeterX() > 0 ? s.fillPicture.dotsPerMeterX() : 3780;
    const double dpmY = s.fillPicture.dotsPerMeterY() > 0 ? s.fillPicture.dotsPerMeterY() : 3780;
    brush.setTransform(QTransform::fromScale(UnitsPerInch / (dpmX * 0.0254), UnitsPerInch / (dpmY * 0.0254)));
    return brush;
}

// Strokes the polyline with the dash pattern laid along it in drawing units; the pattern runs on
// across corners. For hairlines, whose pen dashes would be device pixels.
void strokeDashed(QPainter& p, const QPolygonF& line, const QVector<double>& pattern) {
    if (line.size() < 2) return;
    int k = 0;
    double left = pattern[0];
    bool on = true;
    QPolygonF dash;
    dash.append(line[0]);
    for (qsizetype i = 1; i < line.size(); ++i) {
        QPointF a = line[i - 1];
        const QPointF b = line[i];
        double seg = std::hypot(b.x() - a.x(), b.y() - a.y());
        while (seg > 0) {
            if (left >= seg) {
                left -= seg;
                if (on) dash.append(b);
                seg = 0;
            } else {
                const double t = left / seg;
                const QPointF m = a + (b - a) * t;
                if (on) {
                    dash.append(m);
                    p.drawPolyline(dash);
                    dash.clear();
                } else {
                    dash.append(m);
                }
                seg -= left;
                a = m;
                on = !on;
                k = (k + 1) % int(pattern.size());
                left = pattern[k];
            }
        }
    }
    if (on && dash.size() > 1) p.drawPolyline(dash);
}

// Sets the pen and no brush for an outline; gives the dashes still to be laid out by hand, if any,
// or nullopt when the style draws no line.
std::optional<QVector<double>> setOutlinePen(QPainter& p, const Style& s) {
    if (s.lineStyle == NoLine) return std::nullopt;
    QVector<double> pattern = dashPattern(s.lineStyle, s.lineWidth);
    const QPen pen = makePen(p, s, pattern);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    if (pen.style() == Qt::CustomDashLine) pattern.clear();
    return pattern;
}

void strokeLines(QPainter& p, const QList<QPolygonF>& lines, const QVector<double>& handDashes) {
    const bool dashed = p.pen().style() == Qt::CustomDashLine;
    for (const QPolygonF& l : lines) {
        if (!handDashes.isEmpty()) {
            strokeDashed(p, l, handDashes);
        } else if (!dashed && l.size() > 2 && l.isClosed()) {
            p.drawPolygon(l.data(), int(l.size() - 1)); // joined all round, no notch where it starts
        } else {
            p.drawPolyline(l); // a dashed outline's pattern starts at its first point
        }
    }
}

void strokeOutline(QPainter& p, const Style& s, const QList<QPolygonF>& lines) {
    if (const auto handDashes = setOutlinePen(p, s)) strokeLines(p, lines, *handDashes);
}

// A solid outline of a curve is stroked as the curve: flattened, it would be joined at each of its
// many corners, which is most of the time a page of circles takes. Dashes are laid along the
// flattened outline, so that their pattern starts where the outline does.
void strokeCurve(QPainter& p, const Style& s, const QPainterPath& path) {
    const auto handDashes = setOutlinePen(p, s);
    if (!handDashes) return;
    if (handDashes->isEmpty() && p.pen().style() == Qt::SolidLine)
        p.drawPath(path);
    else
        strokeLines(p, path.toSubpathPolygons(), *handDashes);
}

void fillPath(QPainter& p, const Style& s, const QPainterPath& path) {
    const QBrush brush = makeBrush(s);
    if (brush.style() == Qt::NoBrush) return;
    p.setBrushOrigin(0, 0); // patterns line up across objects
    p.fillPath(path, brush);
}

void paintText(QPainter& p, const DrawObject& o) {
    if (o.text.isEmpty() || o.style.textHeight == 0) return;
    const TextPlacement t = placeText(o);
    p.save();
    p.setTransform(textTransform(o, t.face.scale), true);
    p.setFont(t.face.font());
    p.setPen(toQColor(o.style.textColor));
    p.drawText(t.baseline, o.text);
    p.restore();
}

} // namespace

TextFace textFace(const Style& s) {
    FontFace& face = faceFor(s);
    const double h = s.textHeight;
    // A negative height is the em height, a positive one the cell height.
    const double cell = face.ascent + face.descent;
    const double em = h < 0 ? -h : cell > 0 ? h * ReferencePixels / cell : h;
    return {&face, em / ReferencePixels};
}

const QFont& TextFace::font() const {
    return face->font;
}

double TextFace::ascent() const {
    return face->ascent;
}

double TextFace::descent() const {
    return face->descent;
}

double TextFace::advance(const QString& text) const {
    QHash<QString, double>& widths = face->widths;
    const auto it = widths.constFind(text);
    if (it != widths.cend()) return *it;
    if (widths.size() >= 4096) widths.clear(); // a bound, not a working set: pages reuse few texts
    const double w = face->metrics.horizontalAdvance(text);
    widths.insert(text, w);
    return w;
}

QTransform turn(double degrees) {
    const auto [c, s] = cosSinDegrees(degrees);
    return QTransform(c, -s, s, c, 0, 0);
}

QVector<double> dashPattern(int lineStyle, int lineWidth) {
    // Lengths in drawing units (600 per inch): dashes 0.08 inch, dots at least the pen's width.
    const double dot = std::max(8.0, double(lineWidth));
    const double gap = std::max(20.0, 2.0 * lineWidth);
    switch (lineStyle) {
    case Dash:
        return {48, gap};
    case Dot:
        return {dot, std::max(16.0, 2.0 * lineWidth)};
    case DashDot:
        return {48, gap, dot, gap};
    case DashDotDot:
        return {48, gap, dot, gap, dot, gap};
    default:
        return {};
    }
}

QTransform objectTransform(const DrawObject& o) {
    if (!turnsByAngle(o.kind) || o.angle == 0) return {};
    const QPointF c = o.frameRect().center();
    return QTransform::fromTranslate(-c.x(), -c.y()) * turn(o.angle) * QTransform::fromTranslate(c.x(), c.y());
}

namespace {

// The object as if unturned; paintObject sets the turn around it.
void paintUpright(QPainter& p, const DrawObject& o) {
    const Style& s = o.style;
    const QRectF r = o.frameRect();
    switch (o.kind) {
    case Line: {
        const auto handDashes = setOutlinePen(p, s);
        if (!handDashes) break;
        const QPointF ends[2] = {QPointF(o.x1, o.y1), QPointF(o.x2, o.y2)};
        if (handDashes->isEmpty())
            p.drawPolyline(ends, 2);
        else
            strokeDashed(p, QPolygonF({ends[0], ends[1]}), *handDashes);
        break;
    }
    case Rectangle: {
        QPolygonF box({r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft(), r.topLeft()});
        QPainterPath path;
        path.addPolygon(box);
        fillPath(p, s, path);
        strokeOutline(p, s, {box});
        break;
    }
    case RoundRect:
    case Ellipse: {
        QPainterPath path;
        if (o.kind == Ellipse) {
            path.addEllipse(r);
        } else {
            const double radius = std::min(r.width(), r.height()) * 0.2;
            path.addRoundedRect(r, radius, radius);
        }
        fillPath(p, s, path);
        strokeCurve(p, s, path);
        break;
    }
    case Polyline:
    case Polygon: {
        QPolygonF pts(o.placedVertices());
        if (pts.isEmpty()) break;
        if (o.kind == Polygon) {
            QPainterPath path;
            path.addPolygon(pts);
            path.closeSubpath();
            fillPath(p, s, path);
            pts.append(pts.first());
        }
        strokeOutline(p, s, {pts});
        break;
    }
    case Text:
        paintText(p, o);
        break;
    case Bitmap:
        if (!o.picture.isNull() && r.width() > 0 && r.height() > 0) p.drawImage(r, o.picture);
        break;
    }
}

} // namespace

void paintObject(QPainter& p, const DrawObject& o) {
    if (!turnsByAngle(o.kind) || o.angle == 0) {
        paintUpright(p, o);
        return;
    }
    p.save();
    p.setTransform(objectTransform(o), true);
    paintUpright(p, o);
    p.restore();
}

namespace {
double segmentDistance(const QPointF& p, const QPointF& a, const QPointF& b) {
    const QPointF d = b - a;
    const double len2 = QPointF::dotProduct(d, d);
    const double t = len2 > 0 ? std::clamp(QPointF::dotProduct(p - a, d) / len2, 0.0, 1.0) : 0.0;
    const QPointF q = a + d * t;
    return std::hypot(p.x() - q.x(), p.y() - q.y());
}

} // namespace

bool hitTest(const DrawObject& o, const QPointF& u, double tol) {
    if (o.kind == Line || o.kind == Polyline) {
        QVector<QPointF> pts = o.kind == Line ? QVector<QPointF>{QPointF(o.x1, o.y1), QPointF(o.x2, o.y2)}
                                                     : o.placedVertices();
        const double reach = tol + o.style.lineWidth / 2.0;
        if (pts.size() == 1) return std::hypot(u.x() - pts[0].x(), u.y() - pts[0].y()) <= reach;
        for (qsizetype i = 1; i < pts.size(); ++i)
            if (segmentDistance(u, pts[i - 1], pts[i]) <= reach) return true;
        return false;
    }
    if (turnsByAngle(o.kind) && o.angle != 0) {
        // Back into the upright frame; a turn keeps distances, so tol stays as it is.
        const QPointF local = objectTransform(o).inverted().map(u);
        return o.frameRect().adjusted(-tol, -tol, tol, tol).contains(local);
    }
    if (o.kind == Text && o.style.textAngle != 0 && !o.text.isEmpty() && o.style.textHeight != 0) {
        const TextPlacement t = placeText(o);
        if (t.face.scale <= 0) return false;
        const QPointF local = textTransform(o, t.face.scale).inverted().map(u);
        const double r = tol / t.face.scale;
        return textBox(t).adjusted(-r, -r, r, r).contains(local);
    }
    return objectBounds(o).adjusted(-tol, -tol, tol, tol).contains(u);
}

QRectF objectBounds(const DrawObject& o) {
    if (o.kind == Text) {
        if (o.text.isEmpty() || o.style.textHeight == 0) return QRectF(o.x1, o.y1, 0, 0);
        const TextPlacement t = placeText(o);
        return textTransform(o, t.face.scale).mapRect(textBox(t));
    }
    if (o.kind == Polyline || o.kind == Polygon) {
        const QPolygonF pts(o.placedVertices());
        if (!pts.isEmpty()) return pts.boundingRect();
    }
    if (turnsByAngle(o.kind) && o.angle != 0) return objectTransform(o).mapRect(o.frameRect());
    return o.frameRect();
}

QRectF textInkBounds(const DrawObject& o) {
    if (o.kind != Text || o.text.isEmpty() || o.style.textHeight == 0) return {};
    const TextPlacement t = placeText(o);
    const QRectF ink = t.face.face->metrics.tightBoundingRect(o.text);
    if (ink.isEmpty()) return {};
    return textTransform(o, t.face.scale).mapRect(ink.translated(t.baseline));
}

void paintSheet(QPainter& p, const DrawModel& m, const QRectF& target, const OutputOptions& options) {
    if (m.pageWidth() <= 0 || m.pageHeight() <= 0 || target.isEmpty()) return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.fillRect(target, toQColor(m.backgroundColor()));
    p.translate(target.topLeft());
    p.scale(target.width() / m.pageWidth(), target.height() / m.pageHeight());
    // The coordinate extent maps onto the sheet; an unset extent leaves units as they are.
    if (m.unitsWidth() != 0 && m.unitsHeight() != 0) {
        p.scale(double(m.pageWidth()) / m.unitsWidth(), double(m.pageHeight()) / m.unitsHeight());
        p.translate(-m.unitsLeft(), -m.unitsTop());
    }
    DrawObject scratch;
    for (int i = 0; i < m.count(); ++i)
        if (const DrawObject* o = options.shown(m.at(i), scratch)) paintObject(p, *o);
    p.restore();
}

QImage renderImage(const DrawModel& m, const OutputOptions& options) {
    const double dpi = options.dotsPerInch;
    const int w = std::max(1, int(std::lround(m.pageWidth() / UnitsPerInch * dpi)));
    const int h = std::max(1, int(std::lround(m.pageHeight() / UnitsPerInch * dpi)));
    QImage image(w, h, QImage::Format_RGB32);
    image.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
    image.fill(Qt::white);
    QPainter p(&image);
    paintSheet(p, m, QRectF(0, 0, w, h), options);
    return image;
}

QByteArray renderPdf(const DrawModel& m, const OutputOptions& options, double marginInches) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(int(UnitsPerInch)); // one device pixel per drawing unit
        const QSizeF inches(m.pageWidth() / UnitsPerInch + 2 * marginInches,
                            m.pageHeight() / UnitsPerInch + 2 * marginInches);
        writer.setPageSize(QPageSize(inches, QPageSize::Inch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter p(&writer);
        const double margin = marginInches * UnitsPerInch;
        paintSheet(p, m, QRectF(margin, margin, m.pageWidth(), m.pageHeight()), options);
    }
    return bytes;
}

void writePng(const DrawModel& m, const QString& path, const OutputOptions& options) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!renderImage(m, options).save(&buffer, "PNG")) raiseError(qmerr::PathFileAccess, path);
    qtext::WriteBytes(path, bytes);
}

void writePdf(const DrawModel& m, const QString& path, const OutputOptions& options, double marginInches) {
    qtext::WriteBytes(path, renderPdf(m, options, marginInches));
}

} // namespace draw
