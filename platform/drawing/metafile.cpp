// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drawing/metafile.h"

#include "platform/drawing/drawcodecs.h"
#include "platform/drawing/drawmodel.h"
#include "platform/drawing/drawrender.h"
#include "platform/numbers.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>

namespace draw::meta {

// ---- bytes

void Out::u16(quint32 v) {
    u8(v);
    u8(v >> 8);
}

void Out::u32(quint32 v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
}

void Out::f32(float v) {
    quint32 bits;
    std::memcpy(&bits, &v, 4);
    u32(bits);
}

void Out::setU16(qsizetype at, quint32 v) {
    bytes[at] = char(v & 0xFF);
    bytes[at + 1] = char((v >> 8) & 0xFF);
}

void Out::setU32(qsizetype at, quint32 v) {
    setU16(at, v & 0xFFFF);
    setU16(at + 2, v >> 16);
}

In::In(const QByteArray& data, qsizetype begin, qsizetype end, const QString& path)
    : data_(data), begin_(begin), pos_(begin), end_(std::min(end, data.size())), path_(path) {}

void In::need(qsizetype n) const {
    if (n < 0 || n > end_ - pos_) damagedFile(path_, QStringLiteral("a record that runs past its end"));
}

quint32 In::u8() {
    need(1);
    return quint8(data_[pos_++]);
}

quint32 In::u16() {
    need(2);
    const quint32 v = qFromLittleEndian<quint16>(data_.constData() + pos_);
    pos_ += 2;
    return v;
}

quint32 In::u32() {
    need(4);
    const quint32 v = qFromLittleEndian<quint32>(data_.constData() + pos_);
    pos_ += 4;
    return v;
}

float In::f32() {
    const quint32 bits = u32();
    float v;
    std::memcpy(&v, &bits, 4);
    return v;
}

QByteArray In::raw(qsizetype n) {
    need(n);
    const QByteArray out = data_.mid(pos_, n);
    pos_ += n;
    return out;
}

void In::skip(qsizetype n) {
    need(n);
    pos_ += n;
}

void In::seek(qsizetype offset) {
    if (offset < 0 || offset > end_ - begin_) damagedFile(path_, QStringLiteral("an offset beyond its record"));
    pos_ = begin_ + offset;
}

QString latin1Text(const QByteArray& bytes) {
    const qsizetype nul = bytes.indexOf('\0');
    return QString::fromLatin1(nul < 0 ? bytes : bytes.left(nul));
}

// ---- bitmaps

QByteArray dibOf(const QImage& image) {
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    {
        QPainter p(&flat);
        p.drawImage(0, 0, image);
    }
    const QImage bgr = flat.convertToFormat(QImage::Format_BGR888);
    const int w = bgr.width(), h = bgr.height();
    const int stride = (w * 3 + 3) / 4 * 4;
    Out o;
    o.u32(DibHeaderSize);
    o.i32(w);
    o.i32(h); // bottom up
    o.u16(1);
    o.u16(24);
    o.u32(0); // no compression
    o.u32(quint32(stride) * h);
    o.i32(image.dotsPerMeterX());
    o.i32(image.dotsPerMeterY());
    o.u32(0);
    o.u32(0);
    o.bytes.reserve(o.size() + qsizetype(stride) * h);
    for (int y = h - 1; y >= 0; --y) {
        o.bytes.append(reinterpret_cast<const char*>(bgr.constScanLine(y)), w * 3);
        o.zeros(stride - w * 3);
    }
    return o.bytes;
}

QImage imageOfDib(const QByteArray& info, const QByteArray& bits, const QString& path) {
    if (info.size() >= 20) {
        // Compressed pictures carry a whole PNG or JPEG file as their bits.
        const quint32 compression = qFromLittleEndian<quint32>(info.constData() + 16);
        if (compression == 4 || compression == 5) return decodeImage(bits, nullptr, path);
    }
    Out file;
    file.u8('B');
    file.u8('M');
    file.u32(quint32(14 + info.size() + bits.size()));
    file.u32(0);
    file.u32(quint32(14 + info.size()));
    file.raw(info);
    file.raw(bits);
    return decodeImage(file.bytes, "BMP", path);
}

QImage imageOfPackedDib(const QByteArray& dib, const QString& path) {
    In in(dib, 0, dib.size(), path);
    const quint32 headerSize = in.u32();
    qint64 infoSize = 0;
    if (headerSize == 12) {
        in.skip(6);
        const quint32 bitCount = in.u16();
        infoSize = 12 + 3 * (bitCount <= 8 ? qint64(1) << bitCount : 0);
    } else if (headerSize >= 40) {
        in.skip(10);
        const quint32 bitCount = in.u16();
        const quint32 compression = in.u32();
        in.skip(12);
        const quint32 used = in.u32();
        const qint64 colours = used ? qint64(used) : bitCount <= 8 ? qint64(1) << bitCount : 0;
        const qint64 masks = headerSize == 40 ? (compression == 3 ? 12 : compression == 6 ? 16 : 0) : 0;
        infoSize = qint64(headerSize) + masks + 4 * colours;
    } else {
        damagedFile(path, QStringLiteral("a bitmap with an unknown header"));
    }
    if (infoSize > dib.size()) damagedFile(path, QStringLiteral("a bitmap cut short"));
    return imageOfDib(dib.left(infoSize), dib.mid(infoSize), path);
}

QPolygonF In::points(qint64 n, bool wide) {
    if (n < 0) damagedFile(path_, QStringLiteral("a negative point count"));
    need(n * (wide ? 8 : 4));
    QPolygonF out;
    out.reserve(n);
    for (qint64 i = 0; i < n; ++i) {
        const qint32 x = wide ? i32() : i16();
        const qint32 y = wide ? i32() : i16();
        out << QPointF(x, y);
    }
    return out;
}

// ---- text

namespace {

// From the anchor (the middle of the line) down to the baseline, in drawing units.
double baselineBelowAnchor(const Style& s) {
    const TextFace face = textFace(s);
    return face.baseline() * face.scale;
}

} // namespace

std::vector<double> advances(const Style& s, const QString& text) {
    const TextFace face = textFace(s);
    std::vector<double> out(size_t(text.size()), 0.0);
    double sum = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isLowSurrogate() && i > 0 && text[i - 1].isHighSurrogate()) continue;
        const qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        out[size_t(i)] = face.advance(text.mid(i, n));
        sum += out[size_t(i)];
    }
    // Kerning: the characters share out the width of the whole text.
    const double k = (sum > 0 ? face.advance(text) / sum : 1.0) * face.scale;
    for (double& a : out)
        a *= k;
    return out;
}

// ---- logical pens, brushes and fonts

SheetFrame sheetFrame(const DrawModel& m) {
    SheetFrame f;
    f.width = std::max<Long>(1, m.pageWidth());
    f.height = std::max<Long>(1, m.pageHeight());
    const bool extentSet = m.unitsWidth() != 0 && m.unitsHeight() != 0;
    f.window = extentSet ? QRectF(m.unitsLeft(), m.unitsTop(), m.unitsWidth(), m.unitsHeight())
                         : QRectF(0, 0, f.width, f.height);
    return f;
}

void writeLogPen(Out& out, const Style& s, qint32 width, Format f) {
    const int style = s.lineStyle >= Solid && s.lineStyle <= InsideFrame ? s.lineStyle : Solid;
    out.field(style, f);
    out.field(width, f);
    out.field(0, f);
    out.u32(quint32(s.lineColor) & 0xFFFFFF);
}

void writeLogBrush(Out& out, const Style& s, Format f) {
    const bool hollow = s.fill == FillMode::None;
    out.field(hollow ? gdi::BsNull : gdi::BsSolid, f);
    out.u32(hollow ? 0 : quint32(s.fillColor) & 0xFFFFFF);
    out.field(0, f); // no hatch
}

void writeLogFont(Out& out, const Style& s, qint32 height, Format f) {
    if (height == 0) height = s.textHeight < 0 ? -1 : 1;
    const qint32 tenths = qint32(std::lround(normalAngle(s.textAngle) * 10)) % 3600;
    // Width 0: the face's own; escapement and orientation alike.
    for (qint32 v : {height, 0, tenths, tenths, s.textBold ? gdi::FwBold : gdi::FwNormal})
        out.field(v, f);
    out.u8(s.textItalic);
    out.u8(s.textUnderline);
    out.u8(s.textStrikeout);
    out.u8(f == Format::Wmf ? 0 : 1); // ANSI characters; an EMF's text is Unicode, its set the default
    out.zeros(4);
    const QString face = s.fontName.left(31);
    if (f == Format::Wmf) {
        QByteArray bytes = face.toLatin1();
        bytes.append(32 - bytes.size(), '\0');
        out.raw(bytes);
    } else {
        for (QChar ch : face)
            out.u16(ch.unicode());
        out.zeros(2 * (32 - face.size()));
    }
}

void TableSink::replace(Role role, const std::function<void(int slot)>& create) {
    int slot = 0;
    while (slot < int(used_.size()) && used_[size_t(slot)])
        ++slot;
    if (slot == int(used_.size())) used_.push_back(false);
    create(slot);
    used_[size_t(slot)] = true;
    size_ = std::max(size_, slot + 1);
    selectObject(slot);
    int& current = current_[int(role)];
    if (current >= 0) {
        deleteObject(current);
        used_[size_t(current)] = false;
    }
    current = slot;
}

// ---- writing

namespace {

struct PenKey {
    int style;
    int width;
    Long color;
    bool operator==(const PenKey&) const = default;
};

struct BrushKey {
    FillMode fill;
    Long color;
    qint64 picture;
    bool operator==(const BrushKey&) const = default;
};

bool sameFont(const Style& a, const Style& b) {
    return a.fontName == b.fontName && a.textHeight == b.textHeight && a.textAngle == b.textAngle &&
           a.textBold == b.textBold && a.textItalic == b.textItalic && a.textUnderline == b.textUnderline &&
           a.textStrikeout == b.textStrikeout;
}

int alignFlags(int align) {
    return gdi::TaBaseline | (align == 1 ? gdi::TaCenter : align == 2 ? gdi::TaRight : gdi::TaLeft);
}

QPainterPath outlineOf(Kind kind, const QRectF& r) {
    QPainterPath path;
    if (kind == Ellipse) {
        path.addEllipse(r);
    } else if (kind == RoundRect) {
        const double radius = std::min(r.width(), r.height()) * 0.2;
        path.addRoundedRect(r, radius, radius);
    } else {
        path.addRect(r);
    }
    return path;
}

QPolygonF closedPolygon(const QPainterPath& path, const QTransform& t) {
    QPolygonF poly = path.toFillPolygon(t);
    if (poly.size() > 1 && poly.first() == poly.last()) poly.removeLast();
    return poly;
}

// A turned picture as upright pixels covering the box it turns into, at its own pixel density.
QImage turnedPicture(const QImage& picture, const QRectF& frame, const QTransform& t, QRectF& box) {
    box = t.mapRect(frame);
    double density = std::max(picture.width() / frame.width(), picture.height() / frame.height());
    // A picture squeezed into a sliver would turn into a huge one: keep to a few times its own size.
    const double most = 4.0 * picture.width() * picture.height() + 1e6;
    if (box.width() * box.height() * density * density > most) density = std::sqrt(most / (box.width() * box.height()));
    const QSize size(std::max(1, int(std::ceil(box.width() * density))), std::max(1, int(std::ceil(box.height() * density))));
    QImage out(size, QImage::Format_RGB32);
    out.fill(Qt::white);
    out.setDotsPerMeterX(picture.dotsPerMeterX());
    out.setDotsPerMeterY(picture.dotsPerMeterY());
    QPainter p(&out);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.scale(size.width() / box.width(), size.height() / box.height());
    p.translate(-box.topLeft());
    p.setTransform(t, true);
    p.drawImage(frame, picture);
    return out;
}

} // namespace

void writeObjects(const DrawModel& m, RecordSink& sink) {
    const OutputOptions options = fileOutputOptions();
    DrawObject scratch;
    std::optional<PenKey> pen;
    std::optional<BrushKey> brush;
    std::optional<Style> font;
    std::optional<Long> textColor;
    std::optional<int> align;
    auto usePen = [&](const Style& s) {
        const PenKey k{s.lineStyle, s.lineWidth, s.lineColor};
        if (pen == k) return;
        sink.pen(s);
        pen = k;
    };
    auto useBrush = [&](const Style& s) {
        Style b = s;
        if (b.fill == FillMode::Picture && b.fillPicture.isNull()) b.fill = FillMode::Solid;
        const BrushKey k{b.fill, b.fill == FillMode::Solid ? b.fillColor : 0,
                         b.fill == FillMode::Picture ? b.fillPicture.cacheKey() : 0};
        if (brush == k) return;
        sink.brush(b);
        brush = k;
    };
    for (int i = 0; i < m.count(); ++i) {
        const DrawObject* shown = options.shown(m.at(i), scratch);
        if (!shown) continue;
        const DrawObject& o = *shown;
        const Style& s = o.style;
        switch (o.kind) {
        case Line:
            usePen(s);
            sink.line(QPointF(o.x1, o.y1), QPointF(o.x2, o.y2));
            break;
        case Polyline:
        case Polygon: {
            const QPolygonF points(o.placedVertices());
            if (points.isEmpty()) break;
            usePen(s);
            if (o.kind == Polyline) {
                sink.polyline(points);
            } else {
                useBrush(s);
                sink.polygon(points);
            }
            break;
        }
        case Rectangle:
        case RoundRect:
        case Ellipse: {
            usePen(s);
            useBrush(s);
            const QRectF r = o.frameRect();
            const bool turned = o.angle != 0;
            if (turned && !sink.turns()) {
                sink.polygon(closedPolygon(outlineOf(o.kind, r), objectTransform(o)));
                break;
            }
            if (turned) sink.setTurn(objectTransform(o));
            if (o.kind == Rectangle) {
                sink.rectangle(r);
            } else if (o.kind == Ellipse) {
                sink.ellipse(r);
            } else {
                const double corner = std::min(r.width(), r.height()) * 0.4;
                sink.roundRect(r, QSizeF(corner, corner));
            }
            if (turned) sink.clearTurn();
            break;
        }
        case Text: {
            // The renderer shows nothing for these; a font of height 0 would show the default size.
            if (s.textHeight == 0) break;
            if (!font || !sameFont(*font, s)) {
                sink.font(s);
                font = s;
            }
            if (textColor != s.textColor) {
                sink.textColor(s.textColor);
                textColor = s.textColor;
            }
            const int flags = alignFlags(s.textAlign);
            if (align != flags) {
                sink.textAlign(flags);
                align = flags;
            }
            const QPointF reference = QPointF(o.x1, o.y1) + turn(s.textAngle).map(QPointF(0, baselineBelowAnchor(s)));
            sink.text(reference, o.text, s, objectBounds(o));
            break;
        }
        case Bitmap: {
            const QRectF r = o.frameRect();
            if (o.picture.isNull() || r.width() <= 0 || r.height() <= 0) break;
            if (o.angle == 0) {
                sink.bitmap(r, o.picture);
            } else if (sink.turns()) {
                sink.setTurn(objectTransform(o));
                sink.bitmap(r, o.picture);
                sink.clearTurn();
            } else {
                QRectF box;
                const QImage turned = turnedPicture(o.picture, r, objectTransform(o), box);
                if (!turned.isNull()) sink.bitmap(box, turned);
            }
            break;
        }
        }
    }
}

// ---- reading

namespace {

Long toLong(double v) {
    if (!std::isfinite(v)) return 0;
    return Long(qnum::RoundHalfEven(std::clamp(v, -1e9, 1e9)));
}

QPoint toPoint(const QPointF& p) {
    return QPoint(toLong(p.x()), toLong(p.y()));
}

constexpr double Tolerance = 1e-6;

// Hatches as eight-pixel tiles in the brush's colour on white, at a screen's resolution.
QImage hatchPicture(quint32 hatch, Long color) {
    QImage tile(8, 8, QImage::Format_RGB32);
    tile.fill(Qt::white);
    const QRgb ink = toQColor(color).rgb();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool h = y == 7, v = x == 0, f = x == y, b = x + y == 7;
            bool on = false;
            switch (hatch) {
            case 0: on = h; break;
            case 1: on = v; break;
            case 2: on = f; break;
            case 3: on = b; break;
            case 4: on = h || v; break;
            case 5: on = f || b; break;
            default: break;
            }
            if (on) tile.setPixel(x, y, ink);
        }
    tile.setDotsPerMeterX(3780);
    tile.setDotsPerMeterY(3780);
    return tile;
}

GdiObject stockObject(quint32 n) {
    switch (n) {
    case 0: return Brush{FillMode::Solid, White, {}};
    case 1: return Brush{FillMode::Solid, RGB(192, 192, 192), {}};
    case 2: return Brush{FillMode::Solid, RGB(128, 128, 128), {}};
    case 3: return Brush{FillMode::Solid, RGB(64, 64, 64), {}};
    case 4: return Brush{FillMode::Solid, Black, {}};
    case 5: return Brush{FillMode::None, White, {}};
    case 6: return Pen{Solid, 0, true, White};
    case 7: return Pen{Solid, 0, true, Black};
    case 8: return Pen{NoLine, 0, true, Black};
    case 10:
    case 11:
    case 16: {
        Font f;
        f.name = QStringLiteral("Courier New");
        return f;
    }
    case 12:
    case 13:
    case 14:
    case 17: return Font{};
    case 18: return Brush{FillMode::Solid, White, {}};
    case 19: return Pen{Solid, 0, true, Black};
    default: return std::monostate{};
    }
}

} // namespace

Pen penFrom(quint32 style, double width, Long color) {
    Pen p;
    const int s = int(style & 0xF);
    // A user's dashes and the alternate style come closest to our dashes and dots.
    p.style = s <= InsideFrame ? s : s == 7 ? Dash : s == 8 ? Dot : Solid;
    p.width = width;
    p.cosmetic = width <= 0;
    p.color = color;
    return p;
}

Brush brushFrom(quint32 style, Long color, quint32 hatch) {
    switch (style) {
    case gdi::BsNull:
        return Brush{FillMode::None, White, {}};
    case gdi::BsHatched:
        return Brush{FillMode::Picture, color, hatchPicture(hatch, color)};
    default:
        return Brush{FillMode::Solid, color, {}};
    }
}

Pen readLogPen(In& in, Format f) {
    const quint32 style = in.ufield(f);
    const qint32 width = in.field(f);
    in.field(f); // the height a pen's width is given with: unused
    return penFrom(style, width, colorRef(in.u32()));
}

Brush readLogBrush(In& in, Format f) {
    const quint32 style = in.ufield(f);
    const Long color = colorRef(in.u32());
    return brushFrom(style, color, in.ufield(f));
}

Font readLogFont(In& in, Format f) {
    Font font;
    font.height = in.field(f);
    in.field(f); // width: the face's own
    font.escapement = in.field(f);
    in.field(f); // orientation: the same as the escapement
    font.weight = in.field(f);
    font.italic = in.u8();
    font.underline = in.u8();
    font.strikeout = in.u8();
    in.skip(5);
    QString face;
    if (f == Format::Wmf) {
        face = latin1Text(in.raw(std::min<qsizetype>(32, in.left())));
    } else {
        for (int i = 0; i < 32; ++i) {
            const char16_t ch = char16_t(in.u16());
            if (ch == 0) break;
            face.append(QChar(ch));
        }
    }
    if (!face.isEmpty()) font.name = face;
    return font;
}

QPolygonF flattenBezier(const QPolygonF& points) {
    QPolygonF out;
    if (points.isEmpty()) return out;
    out << points[0];
    constexpr int Steps = 16;
    for (qsizetype i = 1; i + 2 < points.size(); i += 3) {
        const QPointF p0 = out.last(), p1 = points[i], p2 = points[i + 1], p3 = points[i + 2];
        for (int k = 1; k <= Steps; ++k) {
            const double t = double(k) / Steps, u = 1 - t;
            out << p0 * (u * u * u) + p1 * (3 * u * u * t) + p2 * (3 * u * t * t) + p3 * (t * t * t);
        }
    }
    return out;
}

Player::Player(DrawModel& into, const QString& path, const Device& device)
    : into_(into), path_(path), device_(device), dc_(device.start) {}

QTransform Player::pageTransform() const {
    const DcState& s = dc_;
    double sx = 1, sy = 1;
    const double ppi = device_.pixelsPerInch;
    switch (s.mapMode) {
    case gdi::MmLoMetric:
        sx = ppi / 254.0;
        sy = -sx;
        break;
    case gdi::MmHiMetric:
        sx = ppi / 2540.0;
        sy = -sx;
        break;
    case gdi::MmLoEnglish:
        sx = ppi / 100.0;
        sy = -sx;
        break;
    case gdi::MmHiEnglish:
        sx = ppi / 1000.0;
        sy = -sx;
        break;
    case gdi::MmTwips:
        sx = ppi / 1440.0;
        sy = -sx;
        break;
    case gdi::MmIsotropic:
    case gdi::MmAnisotropic: {
        const QSizeF we = s.windowExt;
        const QSizeF ve = viewportExtent();
        sx = we.width() != 0 ? ve.width() / we.width() : 1;
        sy = we.height() != 0 ? ve.height() / we.height() : 1;
        if (s.mapMode == gdi::MmIsotropic) {
            const double k = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(k, sx);
            sy = std::copysign(k, sy);
        }
        break;
    }
    default:
        break;
    }
    const QPointF wo = s.windowOrg, vo = s.viewportOrg;
    return QTransform(sx, 0, 0, sy, vo.x() - wo.x() * sx, vo.y() - wo.y() * sy);
}

QSizeF Player::viewportExtent() const {
    if (dc_.viewportExtSet) return dc_.viewportExt;
    if (device_.viewport) return device_.viewport->size();
    if (device_.viewportFollowsWindow) return QSizeF(std::abs(dc_.windowExt.width()), std::abs(dc_.windowExt.height()));
    return dc_.viewportExt;
}

const QTransform& Player::toUnits() const {
    if (!mapped_) mapped_ = dc_.world * pageTransform() * device_.toUnits;
    return *mapped_;
}

namespace {

void scaleExtent(QSizeF& e, qint32 xNum, qint32 xDenom, qint32 yNum, qint32 yDenom) {
    if (xDenom != 0) e.setWidth(e.width() * xNum / xDenom);
    if (yDenom != 0) e.setHeight(e.height() * yNum / yDenom);
}

} // namespace

void Player::setMapMode(int mode) {
    dc_.mapMode = mode;
    changed();
}

void Player::setWindowOrg(const QPointF& p) {
    dc_.windowOrg = p;
    changed();
}

void Player::offsetWindowOrg(const QPointF& d) {
    dc_.windowOrg += d;
    changed();
}

void Player::setWindowExt(const QSizeF& e) {
    dc_.windowExt = e;
    dc_.windowExtSet = true;
    changed();
}

void Player::scaleWindowExt(qint32 xNum, qint32 xDenom, qint32 yNum, qint32 yDenom) {
    scaleExtent(dc_.windowExt, xNum, xDenom, yNum, yDenom);
    changed();
}

void Player::setViewportOrg(const QPointF& p) {
    dc_.viewportOrg = p;
    changed();
}

void Player::offsetViewportOrg(const QPointF& d) {
    dc_.viewportOrg += d;
    changed();
}

void Player::setViewportExt(const QSizeF& e) {
    dc_.viewportExt = e;
    dc_.viewportExtSet = true;
    changed();
}

void Player::scaleViewportExt(qint32 xNum, qint32 xDenom, qint32 yNum, qint32 yDenom) {
    // An unset viewport scales from the extent the mapping gives it.
    QSizeF e = viewportExtent();
    scaleExtent(e, xNum, xDenom, yNum, yDenom);
    setViewportExt(e);
}

int Player::createInFreeSlot(GdiObject object) {
    size_t i = 0;
    while (i < table_.size() && used_[i])
        ++i;
    if (i == table_.size()) {
        table_.emplace_back();
        used_.push_back(false);
    }
    table_[i] = std::move(object);
    used_[i] = true;
    return int(i);
}

void Player::create(quint32 index, GdiObject object) {
    // Handles are small numbers; a wild one is a damaged record and is left out.
    if (index >= 65536) return;
    if (index >= table_.size()) {
        table_.resize(index + 1);
        used_.resize(index + 1, false);
    }
    table_[index] = std::move(object);
    used_[index] = true;
}

void Player::select(quint32 index) {
    const GdiObject* object = nullptr;
    GdiObject stock;
    if (index & 0x80000000u) {
        stock = stockObject(index & 0x7FFFFFFFu);
        object = &stock;
    } else if (index < table_.size() && used_[index]) {
        object = &table_[index];
    }
    if (!object) return;
    if (const Pen* p = std::get_if<Pen>(object))
        dc_.pen = *p;
    else if (const Brush* b = std::get_if<Brush>(object))
        dc_.brush = *b;
    else if (const Font* f = std::get_if<Font>(object))
        dc_.font = *f;
}

void Player::remove(quint32 index) {
    if (index < table_.size()) {
        table_[index] = std::monostate{};
        used_[index] = false;
    }
}

void Player::saveDc() {
    saved_.push_back(dc_);
}

void Player::restoreDc(int which) {
    // Negative: that many saves back; positive: the n-th save counted from the first.
    const qint64 k = which < 0 ? qint64(saved_.size()) + which : qint64(which) - 1;
    if (which == 0 || k < 0 || k >= qint64(saved_.size())) return;
    dc_ = saved_[size_t(k)];
    saved_.resize(size_t(k));
    changed();
}

QPolygonF Player::mapped(const QPolygonF& logical) const {
    return toUnits().map(logical);
}

double Player::widthUnits(const Pen& p) const {
    if (p.cosmetic || p.width <= 0) return 0;
    const QTransform& m = toUnits();
    const double scale = std::sqrt(std::abs(m.m11() * m.m22() - m.m12() * m.m21()));
    // A wild width from a damaged file stays within what a style holds.
    return std::clamp(qnum::RoundHalfEven(p.width * scale), 1.0, 1e6);
}

Style Player::lineStyle() const {
    Style s;
    s.lineStyle = dc_.pen.style;
    s.lineWidth = int(widthUnits(dc_.pen));
    s.lineColor = dc_.pen.color;
    s.fill = FillMode::None;
    return s;
}

Style Player::fillStyle() const {
    Style s = lineStyle();
    s.fill = dc_.brush.fill;
    s.fillColor = dc_.brush.color;
    s.fillPicture = dc_.brush.picture;
    if (s.fill == FillMode::Picture && s.fillPicture.isNull()) s.fill = FillMode::Solid;
    return s;
}

void Player::addOutline(const QPolygonF& units, bool closed, bool filled) {
    if (units.isEmpty()) return;
    QVector<QPoint> points;
    points.reserve(units.size());
    for (const QPointF& p : units)
        points.append(toPoint(p));
    if (closed && points.size() > 1 && points.first() == points.last()) points.removeLast();
    DrawObject& o = into_.add(closed ? Polygon : Polyline, 0, 0, 0, 0);
    into_.setVertices(o, points);
    o.style = filled ? fillStyle() : lineStyle();
}

void Player::addFigure(const QPolygonF& units, bool closed) {
    figures_.push_back({units, closed});
    figureOpen_ = !closed;
}

void Player::moveTo(const QPointF& p) {
    dc_.position = p;
    if (inPath_) addFigure(QPolygonF({toUnits().map(p)}), false);
}

void Player::lineTo(const QPointF& p) {
    if (inPath_) {
        if (figures_.empty() || !figureOpen_) addFigure(QPolygonF({toUnits().map(dc_.position)}), false);
        figures_.back().points.append(toUnits().map(p));
    } else {
        const QPointF a = toUnits().map(dc_.position), b = toUnits().map(p);
        DrawObject& o = into_.add(Line, toLong(a.x()), toLong(a.y()), toLong(b.x()), toLong(b.y()));
        o.style = lineStyle();
    }
    dc_.position = p;
}

void Player::polyline(const QPolygonF& points) {
    if (inPath_)
        addFigure(mapped(points), false);
    else
        addOutline(mapped(points), false, false);
}

void Player::polygon(const QPolygonF& points) {
    if (inPath_)
        addFigure(mapped(points), true);
    else
        addOutline(mapped(points), true, true);
}

void Player::polylineTo(const QPolygonF& points) {
    if (points.isEmpty()) return;
    if (inPath_) {
        if (figures_.empty() || !figureOpen_) addFigure(QPolygonF({toUnits().map(dc_.position)}), false);
        figures_.back().points << mapped(points);
    } else {
        QPolygonF all({dc_.position});
        all << points;
        addOutline(mapped(all), false, false);
    }
    dc_.position = points.last();
}

void Player::polyBezier(const QPolygonF& points, bool fromCurrent) {
    if (points.isEmpty()) return;
    QPolygonF all;
    if (fromCurrent) all << dc_.position;
    all << points;
    const QPolygonF curve = flattenBezier(all);
    if (fromCurrent) {
        dc_.position = points.last();
        if (inPath_) {
            if (figures_.empty() || !figureOpen_) addFigure(QPolygonF({toUnits().map(curve.first())}), false);
            figures_.back().points << mapped(curve.mid(1));
            return;
        }
    }
    if (inPath_)
        addFigure(mapped(curve), false);
    else
        addOutline(mapped(curve), false, false);
}

void Player::addBox(Kind kind, const QRectF& box) {
    const QRectF b = box.normalized();
    const QTransform& m = toUnits();
    const QPointF p0 = m.map(b.topLeft());
    const QPointF ex = m.map(b.topRight()) - p0, ey = m.map(b.bottomLeft()) - p0;
    const double lx = std::hypot(ex.x(), ex.y()), ly = std::hypot(ey.x(), ey.y());
    if (std::abs(ex.y()) <= Tolerance * lx && std::abs(ey.x()) <= Tolerance * ly) {
        const QRectF f = QRectF(p0, p0 + ex + ey).normalized();
        DrawObject& o = into_.add(kind, toLong(f.left()), toLong(f.top()), toLong(f.right()), toLong(f.bottom()));
        o.style = fillStyle();
    } else if (std::abs(QPointF::dotProduct(ex, ey)) <= Tolerance * lx * ly) {
        // Turned but not skewed: the upright frame about the same centre, turned by the angle.
        const QPointF c = p0 + (ex + ey) / 2;
        DrawObject& o = into_.add(kind, toLong(c.x() - lx / 2), toLong(c.y() - ly / 2), toLong(c.x() + lx / 2),
                                  toLong(c.y() + ly / 2));
        const double degrees = std::atan2(-ex.y(), ex.x()) * 180 / M_PI;
        o.angle = normalAngle(std::round(degrees * 1e4) / 1e4);
        o.style = fillStyle();
    } else {
        addOutline(closedPolygon(outlineOf(kind, b), m), true, true);
    }
}

void Player::rectangle(const QRectF& box) {
    if (inPath_)
        addFigure(closedPolygon(outlineOf(Rectangle, box.normalized()), toUnits()), true);
    else
        addBox(Rectangle, box);
}

void Player::roundRect(const QRectF& box) {
    if (inPath_)
        addFigure(closedPolygon(outlineOf(RoundRect, box.normalized()), toUnits()), true);
    else
        addBox(RoundRect, box);
}

void Player::ellipse(const QRectF& box) {
    if (inPath_)
        addFigure(closedPolygon(outlineOf(Ellipse, box.normalized()), toUnits()), true);
    else
        addBox(Ellipse, box);
}

void Player::fillBox(const QRectF& box, std::optional<Long> color) {
    const Pen pen = dc_.pen;
    const Brush brush = dc_.brush;
    dc_.pen.style = NoLine;
    if (color) dc_.brush = Brush{FillMode::Solid, *color, {}};
    addBox(Rectangle, box);
    dc_.pen = pen;
    dc_.brush = brush;
}

void Player::text(const QPointF& reference, const QString& text) {
    const Font& f = dc_.font;
    const QTransform& m = toUnits();
    Style s;
    if (!f.name.trimmed().isEmpty()) s.fontName = f.name;
    s.textBold = f.weight >= 600;
    s.textItalic = f.italic;
    s.textUnderline = f.underline;
    s.textStrikeout = f.strikeout;
    s.textColor = dc_.textColor;
    const double yScale = std::hypot(m.m21(), m.m22());
    if (f.height != 0 && yScale > 0) s.textHeight = f.height * yScale;
    const double mapTurn = std::atan2(-m.m12(), m.m11()) * 180 / M_PI;
    s.textAngle = normalAngle(std::round((f.escapement / 10.0 + mapTurn) * 1e4) / 1e4);
    const int ta = dc_.textAlign;
    s.textAlign = (ta & gdi::TaCenter) == gdi::TaCenter ? 1 : (ta & gdi::TaRight) ? 2 : 0;
    const QPointF ref = m.map((ta & gdi::TaUpdateCp) ? dc_.position : reference);
    // From the reference point to the middle of the line, along the text's own up direction.
    const TextFace face = textFace(s);
    const double halfCell = (face.ascent() + face.descent()) / 2 * face.scale;
    double down = 0; // how far the reference lies below the anchor
    switch (ta & gdi::TaBaseline) {
    case gdi::TaBaseline:
        down = face.baseline() * face.scale;
        break;
    case gdi::TaBottom:
        down = halfCell;
        break;
    default:
        down = -halfCell;
        break;
    }
    const QPointF anchor = ref - turn(s.textAngle).map(QPointF(0, down));
    DrawObject& o = into_.add(draw::Text, toLong(anchor.x()), toLong(anchor.y()), toLong(anchor.x()), toLong(anchor.y()));
    o.style = s;
    o.text = text;
}

void Player::blit(const QRectF& dest, const QImage& picture, qint32 x, qint32 y, qint32 w, qint32 h, bool fromFoot) {
    // In 64 bits: a damaged file's numbers may lie anywhere.
    const qint64 pw = std::abs(qint64(w)), ph = std::abs(qint64(h));
    if (pw == 0 || ph == 0 || (x == 0 && y == 0 && pw == picture.width() && ph == picture.height())) {
        bitmap(dest, picture);
        return;
    }
    const qint64 top = fromFoot ? picture.height() - y - ph : y;
    const qint64 l = std::max<qint64>(x, 0), t = std::max<qint64>(top, 0);
    const qint64 r = std::min<qint64>(x + pw, picture.width()), b = std::min<qint64>(top + ph, picture.height());
    // A part wholly outside the picture takes the whole.
    bitmap(dest, r <= l || b <= t ? picture : picture.copy(int(l), int(t), int(r - l), int(b - t)));
}

void Player::blitFill(quint32 rop, const QRectF& dest) {
    if (rop == gdi::PatCopy)
        fillBox(dest);
    else if (rop == gdi::Blackness)
        fillBox(dest, Black);
    else if (rop == gdi::Whiteness)
        fillBox(dest, White);
}

void Player::bitmap(const QRectF& dest, const QImage& picture) {
    if (picture.isNull()) return;
    const QTransform& m = toUnits();
    // Corners as given: a negative width or height mirrors the picture.
    const QPointF p0 = m.map(dest.topLeft());
    const QPointF ex = m.map(QPointF(dest.x() + dest.width(), dest.y())) - p0;
    const QPointF ey = m.map(QPointF(dest.x(), dest.y() + dest.height())) - p0;
    const double lx = std::hypot(ex.x(), ex.y()), ly = std::hypot(ey.x(), ey.y());
    if (lx == 0 || ly == 0) return;
    QRectF frame;
    double angle = 0;
    bool mirrorX = false, mirrorY = false;
    if (std::abs(ex.y()) <= Tolerance * lx && std::abs(ey.x()) <= Tolerance * ly) {
        frame = QRectF(p0, p0 + ex + ey).normalized();
        mirrorX = ex.x() < 0;
        mirrorY = ey.y() < 0;
    } else if (std::abs(QPointF::dotProduct(ex, ey)) <= Tolerance * lx * ly) {
        const QPointF c = p0 + (ex + ey) / 2;
        frame = QRectF(c.x() - lx / 2, c.y() - ly / 2, lx, ly);
        angle = normalAngle(std::round(std::atan2(-ex.y(), ex.x()) * 180 / M_PI * 1e4) / 1e4);
        mirrorY = ex.x() * ey.y() - ex.y() * ey.x() < 0;
    } else {
        // A skewed picture stands upright in the box it covers.
        frame = QPolygonF({p0, p0 + ex, p0 + ex + ey, p0 + ey}).boundingRect();
    }
    DrawObject& o = into_.add(Bitmap, toLong(frame.left()), toLong(frame.top()), toLong(frame.right()), toLong(frame.bottom()));
    o.angle = angle;
    o.picture = (mirrorX || mirrorY) ? picture.mirrored(mirrorX, mirrorY) : picture;
}

void Player::beginPath() {
    inPath_ = true;
    figures_.clear();
    figureOpen_ = false;
}

void Player::abortPath() {
    inPath_ = false;
    figures_.clear();
}

void Player::closeFigure() {
    if (!figures_.empty()) figures_.back().closed = true;
    figureOpen_ = false;
}

void Player::fillPath(bool stroke, bool fill) {
    const Pen pen = dc_.pen;
    const Brush brush = dc_.brush;
    if (!stroke) dc_.pen.style = NoLine;
    if (!fill) dc_.brush = Brush{FillMode::None, White, {}};
    for (const Figure& f : figures_) {
        if (f.points.size() < 2) continue;
        if (f.closed || fill)
            addOutline(f.points, true, true);
        else
            addOutline(f.points, false, false);
    }
    dc_.pen = pen;
    dc_.brush = brush;
    figures_.clear();
    inPath_ = false;
}

void Player::finish(std::optional<QRectF> frame) {
    QRectF f;
    if (frame && frame->width() > 0 && frame->height() > 0) {
        f = *frame;
    } else {
        for (int i = 0; i < into_.count(); ++i) {
            const QRectF b = objectBounds(into_.at(i));
            f = f.isNull() ? b : f.united(b);
        }
    }
    if (f.isNull()) return; // nothing to go by: the sheet stays as a new drawing has it
    const Long dx = toLong(-f.left()), dy = toLong(-f.top());
    if (dx != 0 || dy != 0) {
        QVector<Long> ids;
        ids.reserve(into_.count());
        for (int i = 0; i < into_.count(); ++i)
            ids.append(into_.at(i).id);
        into_.offset(ids, dx, dy);
    }
    const Long w = std::max<Long>(1, toLong(f.width())), h = std::max<Long>(1, toLong(f.height()));
    into_.setPageWidth(w);
    into_.setPageHeight(h);
    into_.setUnitsLeft(0);
    into_.setUnitsTop(0);
    into_.setUnitsWidth(w);
    into_.setUnitsHeight(h);
}

} // namespace draw::meta
