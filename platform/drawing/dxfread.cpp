// SPDX-License-Identifier: GPL-3.0-or-later
// Reading DXF drawing files: the entity records of the file (dxfrecords.h) become the drawing. An
// entity this program wrote takes its object back from the extended data while the entity still has
// the shape it was written with; an entity changed in another program, and every entity of a
// foreign file, is read from its geometry alone.
#include "platform/drawing/drawcodecs.h"
#include "platform/drawing/drawmodel.h"
#include "platform/drawing/dxfmap.h"
#include "platform/drawing/dxfrecords.h"
#include "platform/filenames.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"

#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace draw {

namespace {

using namespace dxf;

// The extended data of an object written by this program.
struct Written {
    bool fill = false; // the HATCH of a filled shape
    DrawObject object;
    QString longText;
    bool hasLongText = false;
    int patternId = 0;
    QByteArray patternPng;
};

std::optional<Written> parseData(QByteArrayView data) {
    Written w;
    bool version = false, kind = false, frame = false;
    DrawObject& o = w.object;
    Style& s = o.style;
    // Views into the data: a page has hundreds of thousands of items.
    const QByteArrayView all(data);
    for (qsizetype from = 0; from <= all.size();) {
        qsizetype amp = all.indexOf('&', from);
        if (amp < 0) amp = all.size();
        const QByteArrayView item = all.sliced(from, amp - from);
        from = amp + 1;
        const qsizetype eq = item.indexOf('=');
        if (eq < 0) continue;
        const std::string_view key(item.data(), size_t(eq));
        const QByteArrayView raw = item.sliced(eq + 1);
        bool ok = true;
        auto integer = [&] { return raw.toLongLong(&ok); };
        auto real = [&] { return raw.toDouble(&ok); };
        auto text = [&] { return QString::fromUtf8(QByteArray::fromPercentEncoding(raw.toByteArray())); };
        if (key == "v") {
            version = integer() == DataVersion && ok;
        } else if (key == "r") {
            w.fill = std::string_view(raw.data(), size_t(raw.size())) == "fill";
        } else if (key == "k") {
            const int k = int(integer());
            kind = ok && isKind(k);
            if (kind) o.kind = Kind(k);
        } else if (key == "f") {
            std::array<QByteArrayView, 4> v;
            qsizetype parts = 0;
            for (qsizetype at = 0; at <= raw.size() && parts <= 4; ++parts) {
                qsizetype comma = raw.indexOf(',', at);
                if (comma < 0) comma = raw.size();
                if (parts < 4) v[size_t(parts)] = raw.sliced(at, comma - at);
                at = comma + 1;
            }
            frame = parts == 4;
            Long f[4] = {};
            for (int i = 0; frame && i < 4; ++i) {
                const qlonglong n = v[size_t(i)].toLongLong(&ok);
                frame = ok && n >= INT32_MIN && n <= INT32_MAX;
                f[i] = Long(n);
            }
            if (frame) o.setFrame(f[0], f[1], f[2], f[3]);
        } else if (key == "t") {
            const qsizetype colon = raw.indexOf(':');
            if (colon > 0)
                o.setTag(QString::fromUtf8(QByteArray::fromPercentEncoding(raw.first(colon).toByteArray())),
                         QString::fromUtf8(QByteArray::fromPercentEncoding(raw.sliced(colon + 1).toByteArray())));
        } else if (key == "fn") {
            s.fontName = text();
        } else if (key == "x") {
            w.longText = text();
            w.hasLongText = true;
        } else if (key == "pp") {
            w.patternPng = QByteArray::fromBase64(raw.toByteArray(), QByteArray::Base64UrlEncoding);
        } else if (key == "a" || key == "th" || key == "ta") {
            const double d = real();
            if (!ok || !std::isfinite(d)) continue;
            (key == "a" ? o.angle : key == "th" ? s.textHeight : s.textAngle) = d;
        } else {
            const qlonglong n = integer();
            if (!ok || n < INT32_MIN || n > INT32_MAX) continue;
            const int v = int(n);
            if (key == "ls")
                s.lineStyle = v;
            else if (key == "lw")
                s.lineWidth = v;
            else if (key == "lc")
                s.lineColor = v;
            else if (key == "fm")
                s.fill = v == 0 ? FillMode::Solid : v == 1 ? FillMode::None : FillMode::Picture;
            else if (key == "fc")
                s.fillColor = v;
            else if (key == "ps")
                s.pictureStyle = v;
            else if (key == "pb")
                s.pictureBackColor = v;
            else if (key == "al")
                s.textAlign = v;
            else if (key == "tm")
                s.textMode = v;
            else if (key == "tf") {
                s.textBold = v & 1;
                s.textItalic = v & 2;
                s.textStrikeout = v & 4;
                s.textUnderline = v & 8;
            } else if (key == "tc")
                s.textColor = v;
            else if (key == "g")
                o.group = std::max(0, v);
            else if (key == "pi")
                w.patternId = v;
        }
    }
    if (!version) return std::nullopt;
    if (!w.fill && !(kind && frame)) return std::nullopt;
    return w;
}

// Builds the drawing from the entities once the sheet is known.
class Builder {
public:
    Builder(const QString& path, const Records& c, DrawModel& model) : path_(path), c_(c), model_(model) {}

    void build() {
        sheet();
        for (size_t i = 0; i < c_.entities.size(); ++i)
            entity(c_.entities[i]);
        flushFill();
    }

private:
    void sheet() {
        switch (c_.insUnits) { // to inches
        case 2:
            fileToInch_ = 12;
            break;
        case 3:
            fileToInch_ = 63360;
            break;
        case 4:
            fileToInch_ = 1 / 25.4;
            break;
        case 5:
            fileToInch_ = 1 / 2.54;
            break;
        case 6:
            fileToInch_ = 1 / 0.0254;
            break;
        case 10:
            fileToInch_ = 36;
            break;
        default:
            fileToInch_ = 1;
        }
        map_.perUnit = 1 / (UnitsPerInch * fileToInch_);
        std::optional<QRectF> found;
        if (c_.limMin && c_.limMax && c_.limMax->x() > c_.limMin->x() && c_.limMax->y() > c_.limMin->y())
            found = QRectF(*c_.limMin, *c_.limMax);
        else
            found = extent();
        if (!found) { // nothing gives a sheet: the model's own, from the origin
            map_.y0 = model_.pageHeight() * map_.perUnit;
            return;
        }
        const QRectF box = *found; // y up: top() is the lowest y
        map_.x0 = box.left();
        map_.y0 = box.bottom();
        const Long w = std::max<Long>(1, toLong(box.width() / map_.perUnit));
        const Long h = std::max<Long>(1, toLong(box.height() / map_.perUnit));
        model_.setPageWidth(w);
        model_.setPageHeight(h);
        model_.setUnitsLeft(0);
        model_.setUnitsTop(0);
        model_.setUnitsWidth(w);
        model_.setUnitsHeight(h);
    }

    // The box of every point the drawing's entities reach, in file coordinates.
    std::optional<QRectF> extent() const {
        double x1 = INFINITY, y1 = INFINITY, x2 = -INFINITY, y2 = -INFINITY;
        auto take = [&](QPointF p) {
            x1 = std::min(x1, p.x()), y1 = std::min(y1, p.y()), x2 = std::max(x2, p.x()),
            y2 = std::max(y2, p.y());
        };
        for (size_t i = 0; i < c_.entities.size(); ++i) {
            const Entity& e = c_.entities[i];
            auto own = [&](QPointF p) { return e.mirrored ? QPointF(-p.x(), p.y()) : p; };
            for (const QPointF& p : e.pts)
                take(own(p));
            for (const auto& loop : hatchLoops(e))
                for (const QPointF& p : loop)
                    take(own(p));
            switch (e.type) {
            case Entity::CircleE:
            case Entity::ArcE:
                take(own(e.c) - QPointF(e.r, e.r));
                take(own(e.c) + QPointF(e.r, e.r));
                break;
            case Entity::EllipseE: {
                const double a = std::hypot(e.axis.x(), e.axis.y());
                take(e.c - QPointF(a, a));
                take(e.c + QPointF(a, a));
                break;
            }
            case Entity::TextE:
                take(own(e.hjust || e.vjust ? e.ap : e.ip));
                break;
            case Entity::MTextE:
                take(e.ip);
                break;
            case Entity::ImageE:
                take(e.ip);
                take(e.ip + e.u * e.pw + e.v * e.ph);
                break;
            default:
                break;
            }
        }
        if (x1 > x2) return std::nullopt;
        return QRectF(QPointF(x1, y1), QPointF(x2, y2));
    }

    static QVector<QVector<QPointF>> hatchLoops(const Entity& e) {
        return !e.loops.isEmpty() || e.raw.empty() ? e.loops : fillLoops(e.raw);
    }

    Long toLong(double v) const {
        if (!std::isfinite(v) || std::abs(v) > 2.0e9)
            damagedFile(path_, QStringLiteral("a coordinate beyond the drawing's range"));
        return Long(std::lround(v));
    }
    QPoint sheetPoint(const QPointF& f) const {
        const QPointF u = map_.toSheet(f);
        return QPoint(toLong(u.x()), toLong(u.y()));
    }
    double units(double fileLength) const { return fileLength / map_.perUnit; }

    void entity(const Entity& e) {
        std::optional<Written> w;
        if (e.hasData) w = parseData(e.data);
        if (w && w->fill) {
            flushFill();
            fill_ = &e;
            return;
        }
        if (w && ours(e, *w)) return;
        flushFill();
        const int before = model_.count();
        foreign(e);
        if (w) // moved or changed elsewhere: the shape as it is now, with its names
            for (int i = before; i < model_.count(); ++i) {
                model_.at(i).tags = w->object.tags;
                model_.at(i).group = w->object.group;
            }
    }

    // An object written by this program whose entity is as it was written: back as it was.
    bool ours(const Entity& e, const Written& w) {
        const DrawObject& src = w.object;
        const bool poly = src.kind == Polyline || src.kind == Polygon;
        QVector<QPoint> vertices;
        if (poly) {
            // The points are the shape; they must still span the frame.
            if (e.type != Entity::PolyE || e.mirrored || e.closed != (src.kind == Polygon) || e.pts.isEmpty())
                return false;
            for (double b : e.bulges)
                if (b != 0) return false;
            vertices = sheetPoints(e.pts, false);
            const QRect span = QPolygon(vertices).boundingRect();
            const QRectF frame = src.frameRect();
            if (std::abs(span.left() - frame.left()) > 1 || std::abs(span.top() - frame.top()) > 1 ||
                std::abs(span.left() + span.width() - 1 - frame.right()) > 1 ||
                std::abs(span.top() + span.height() - 1 - frame.bottom()) > 1)
                return false;
        } else if (!sameShape(shapeOf(src, map_, false), shapeFromEntity(e), 0.5 * map_.perUnit)) {
            return false;
        }
        DrawObject& o = model_.add(src.kind, src.x1, src.y1, src.x2, src.y2);
        o.angle = src.angle;
        o.style = src.style;
        o.tags = src.tags;
        o.group = src.group;
        if (poly) {
            model_.setVertices(o, vertices);
            o.setFrame(src.x1, src.y1, src.x2, src.y2); // the vertices are placed onto the frame
        }
        if (src.kind == Text) o.text = w.hasLongText ? w.longText : unescapeText(e.text, true);
        if (src.kind == Bitmap) o.picture = pictureOf(e);
        const int rgb = e.attrib.color24;
        if (rgb >= 0 && src.kind != Bitmap)
            (src.kind == Text ? o.style.textColor : o.style.lineColor) = fromRgb24(rgb);
        if (!w.patternPng.isEmpty()) patterns_.insert(w.patternId, decodeImage(w.patternPng, "png", path_));
        if (o.style.fill == FillMode::Picture) o.style.fillPicture = patterns_.value(w.patternId);
        if (fill_) {
            if (o.style.fill != FillMode::None && fill_->attrib.color24 >= 0)
                o.style.fillColor = fromRgb24(fill_->attrib.color24);
            fill_ = nullptr;
        }
        return true;
    }

    Shape shapeFromEntity(const Entity& e) const {
        Shape s;
        if (e.mirrored) return s;
        switch (e.type) {
        case Entity::LineE:
            s.type = Shape::Segment;
            s.pts = e.pts;
            break;
        case Entity::PolyE:
            s.type = Shape::Poly;
            s.pts = e.pts;
            s.bulges = e.bulges;
            s.closed = e.closed;
            break;
        case Entity::EllipseE:
            if (std::abs(e.a1) > 1e-9 || std::abs(e.a2 - 2 * M_PI) > 1e-9) break;
            s.type = Shape::EllipseShape;
            s.centre = e.c;
            s.major = e.axis;
            s.ratio = e.ratio;
            break;
        case Entity::TextE:
            if (e.vjust != 2) break;
            s.type = Shape::TextShape;
            s.pts = {e.ap};
            s.height = e.height;
            s.rotation = e.rotation;
            s.hjust = e.hjust;
            break;
        case Entity::ImageE:
            s.type = Shape::Image;
            s.pts = {e.ip};
            s.u = e.u;
            s.v = e.v;
            s.pw = e.pw;
            s.ph = e.ph;
            break;
        default:
            break;
        }
        return s;
    }

    // A fill whose shape did not follow it stands as a filled polygon of its own.
    void flushFill() {
        if (!fill_) return;
        const Entity* e = fill_;
        fill_ = nullptr;
        foreign(*e);
    }

    LayerInfo layerOf(const Entity& e) const {
        return c_.layers.value(c_.decode(e.attrib.layer).toUpper());
    }

    Long colorOf(const Entity& e) const {
        if (e.attrib.color24 >= 0) return fromRgb24(e.attrib.color24);
        const int index = e.attrib.color;
        if (index == 256) return layerOf(e).color;
        return indexColor(index);
    }

    Style styleOf(const Entity& e) const {
        Style s = model_.defaults();
        const LayerInfo layer = layerOf(e);
        s.lineColor = colorOf(e);
        s.textColor = s.lineColor;
        s.fill = FillMode::None;
        QString linetype = QString::fromStdString(e.attrib.linetype);
        if (linetype.compare(QLatin1StringView("BYLAYER"), Qt::CaseInsensitive) == 0)
            linetype = layer.linetype;
        s.lineStyle = styleOfLinetype(linetype);
        int weight = e.attrib.weight;
        if (weight == -1) weight = layer.weight;
        if (weight >= 0) s.lineWidth = widthOfLineWeight(weight);
        return s;
    }

    QVector<QPoint> sheetPoints(const QVector<QPointF>& pts, bool mirrored) const {
        QVector<QPoint> out;
        out.reserve(pts.size());
        for (const QPointF& p : pts)
            out << sheetPoint(mirrored ? QPointF(-p.x(), p.y()) : p);
        return out;
    }

    void addPoly(Kind kind, const QVector<QPoint>& points, const Style& style) {
        if (points.isEmpty()) return;
        DrawObject& o = model_.add(kind, points[0].x(), points[0].y(), points[0].x(), points[0].y());
        o.style = style;
        model_.setVertices(o, points);
    }

    void addText(const QString& text, QPointF anchor, double heightFile, double rotation, int align,
                 const Style& s) {
        const QPoint a = sheetPoint(anchor);
        DrawObject& o = model_.add(Text, a.x(), a.y(), a.x(), a.y());
        o.style = s;
        o.style.textHeight = -units(heightFile) / CapPerEm;
        o.style.textAngle = normalAngle(rotation);
        o.style.textAlign = align;
        o.text = text;
    }

    // An entity of another program, from its geometry.
    void foreign(const Entity& e) {
        if (e.invisible || e.mesh || e.attrib.paperSpace) return;
        if (layerOf(e).hidden && !e.hasData) return;
        Style s = styleOf(e);
        const bool m = e.mirrored;
        auto own = [m](QPointF p) { return m ? QPointF(-p.x(), p.y()) : p; };
        switch (e.type) {
        case Entity::LineE: {
            const QPoint a = sheetPoint(e.pts[0]), b = sheetPoint(e.pts[1]);
            model_.add(Line, a.x(), a.y(), b.x(), b.y()).style = s;
            break;
        }
        case Entity::PolyE: {
            if (e.pts.isEmpty()) break;
            QVector<QPointF> pts{e.pts[0]};
            const qsizetype n = e.pts.size();
            for (qsizetype i = 0; i + 1 < n || (e.closed && i < n && n > 1); ++i) {
                const double bulge = i < e.bulges.size() ? e.bulges[i] : 0;
                appendBulge(pts, e.pts[i], e.pts[(i + 1) % n], m ? -bulge : bulge);
            }
            if (e.closed && pts.size() > 1) pts.removeLast(); // back at the start
            addPoly(e.closed ? Polygon : Polyline, sheetPoints(pts, m), s);
            break;
        }
        case Entity::CircleE: {
            const QPoint a = sheetPoint(own(e.c) + QPointF(-e.r, e.r)),
                         b = sheetPoint(own(e.c) + QPointF(e.r, -e.r));
            model_.add(Ellipse, a.x(), a.y(), b.x(), b.y()).style = s;
            break;
        }
        case Entity::ArcE: {
            QVector<QPointF> pts;
            appendArc(pts, e.c, QPointF(e.r, 0), 1, e.a1, e.a2, true);
            addPoly(Polyline, sheetPoints(pts, m), s);
            break;
        }
        case Entity::EllipseE: {
            const bool whole = std::abs(std::abs(e.a2 - e.a1) - 2 * M_PI) < 1e-9;
            const double a = std::hypot(e.axis.x(), e.axis.y());
            if (whole && a > 0) {
                const QPointF c = map_.toSheet(e.c);
                const double rx = units(a), ry = units(a * e.ratio);
                const QPoint p1(toLong(c.x() - rx), toLong(c.y() - ry)),
                    p2(toLong(c.x() + rx), toLong(c.y() + ry));
                DrawObject& o = model_.add(Ellipse, p1.x(), p1.y(), p2.x(), p2.y());
                o.style = s;
                o.angle = normalAngle(qRadiansToDegrees(std::atan2(e.axis.y(), e.axis.x())));
            } else {
                QVector<QPointF> pts;
                appendArc(pts, e.c, e.axis, e.ratio, e.a1, e.a2, true);
                addPoly(Polyline, sheetPoints(pts, false), s);
            }
            break;
        }
        case Entity::TextE: {
            if (e.height <= 0) break;
            double rotation = m ? 180 - e.rotation : e.rotation;
            QPointF p = own(e.hjust || e.vjust ? e.ap : e.ip);
            int align = std::clamp(e.hjust, 0, 2);
            int vjust = e.vjust;
            if (e.hjust == 3 || e.hjust == 5) { // aligned or fitted between the two points
                p = (own(e.ip) + own(e.ap)) / 2;
                const QPointF d = own(e.ap) - own(e.ip);
                if (d != QPointF()) rotation = qRadiansToDegrees(std::atan2(d.y(), d.x()));
                align = 1;
                vjust = 0;
            } else if (e.hjust == 4) {
                align = 1;
                vjust = 2;
            }
            const double em = e.height / CapPerEm;
            const auto [cs, sn] = cosSinDegrees(rotation);
            const QPointF up(-sn, cs);
            const double lift = vjust == 1   ? (AnchorPerEm + DescentPerEm) * em
                                : vjust == 2 ? (AnchorPerEm - CapPerEm / 2) * em
                                : vjust == 3 ? (AnchorPerEm - CapPerEm) * em
                                             : AnchorPerEm * em;
            addText(unescapeText(e.text, true), p + up * lift, e.height, rotation, align, s);
            break;
        }
        case Entity::MTextE: {
            if (e.height <= 0) break;
            const QStringList lines = mtextLines(e.text);
            const int column = std::clamp((e.attach - 1) % 3, 0, 2),
                      row = std::clamp((e.attach - 1) / 3, 0, 2);
            const double h = e.height, step = h * 5 / 3 * e.spacing;
            const double block = h + (lines.size() - 1) * step;
            const double top = row == 0   ? 0
                               : row == 1 ? block / 2
                                          : block; // cap top of the first line above the point
            const auto [cs, sn] = cosSinDegrees(e.rotation);
            const QPointF up(-sn, cs);
            for (qsizetype i = 0; i < lines.size(); ++i) {
                if (lines[i].isEmpty()) continue;
                const double em = h / CapPerEm;
                const double capTop = top - i * step;
                addText(lines[i], e.ip + up * (capTop - CapPerEm * em + AnchorPerEm * em), h, e.rotation,
                        column, s);
            }
            break;
        }
        case Entity::SolidE: {
            QVector<QPointF> pts = e.pts;
            if (near(pts[2], pts[3], 1e-12)) pts.removeLast();
            s.fill = FillMode::Solid;
            s.fillColor = s.lineColor;
            s.lineStyle = NoLine;
            addPoly(Polygon, sheetPoints(pts, m), s);
            break;
        }
        case Entity::HatchE:
            if (!e.solid) break; // a pattern of lines has no shape here
            s.fill = FillMode::Solid;
            s.fillColor = s.lineColor;
            s.lineStyle = NoLine;
            for (const QVector<QPointF>& loop : hatchLoops(e))
                if (loop.size() >= 3) addPoly(Polygon, sheetPoints(loop, m), s);
            break;
        case Entity::ImageE: {
            if (e.pw <= 0 || e.ph <= 0) break;
            const QPointF uw = e.u * e.pw, vh = e.v * e.ph;
            const QPointF c = map_.toSheet(e.ip + (uw + vh) / 2);
            const double w = units(std::hypot(uw.x(), uw.y())), h = units(std::hypot(vh.x(), vh.y()));
            DrawObject& o = model_.add(Bitmap, toLong(c.x() - w / 2), toLong(c.y() - h / 2),
                                       toLong(c.x() + w / 2), toLong(c.y() + h / 2));
            o.angle = normalAngle(qRadiansToDegrees(std::atan2(e.u.y(), e.u.x())));
            o.picture = pictureOf(e);
            break;
        }
        }
    }

    // The picture an IMAGE shows: its file as named, beside the drawing, or by its bare name there.
    QImage pictureOf(const Entity& e) const {
        const QString file = qfile::Normalize(c_.imageFiles.value(e.ref));
        if (file.isEmpty()) return {};
        // Many images name one file: it is looked for once.
        const auto named = named_.constFind(file);
        if (named != named_.cend()) return *named;
        return *named_.insert(file, findPicture(file));
    }

    QImage findPicture(const QString& file) const {
        const QString folder = qfile::FolderOf(qfile::Normalize(path_));
        QStringList candidates;
        if (QFileInfo(file).isAbsolute())
            candidates << file;
        else
            candidates << folder + file;
        candidates << folder + qfile::NameOf(file);
        for (const QString& c : candidates) {
            const QString found = qfile::Resolve(c);
            const auto known = pictures_.constFind(found);
            if (known != pictures_.cend()) return *known;
            if (!QFileInfo(found).isFile()) continue;
            QImage image;
            try {
                image = readImageFile(found);
            } catch (const QmError& e) { // a linked picture that is damaged shows as an empty frame
                if (e.number() != qmerr::DamagedFile) throw;
            }
            pictures_.insert(found, image);
            return image;
        }
        return {};
    }

    QString path_;
    const Records& c_;
    DrawModel& model_;
    Mapping map_;
    double fileToInch_ = 1;
    const Entity* fill_ = nullptr;
    QHash<int, QImage> patterns_;
    mutable QHash<QString, QImage> pictures_; // each file read once
    mutable QHash<QString, QImage> named_;    // by the name the file gives
};

} // namespace

void readDxf(const QString& path, DrawModel& into) {
    const qtext::WholeFile file(path);
    const Records records = readRecords(file.bytes(), path);
    DrawModel loaded;
    loaded.setRedraw(false);
    Builder(path, records, loaded).build();
    adoptLoaded(into, std::move(loaded), path);
}

} // namespace draw
