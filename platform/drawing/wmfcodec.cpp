// SPDX-License-Identifier: GPL-3.0-or-later
// Windows metafiles: written placeable, 600 units an inch, the sheet as bounding box; read with or
// without the placeable header (1440 units an inch without one).
#include "platform/drawing/drawcodecs.h"
#include "platform/drawing/drawmodel.h"
#include "platform/drawing/metafile.h"
#include "platform/textfile.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>

namespace draw {

namespace {

using namespace meta;

constexpr quint32 PlaceableKey = 0x9AC6CDD7;
constexpr int PlaceableSize = 22;
constexpr int HeaderWords = 9;
constexpr double UnitsPerInch = 600;
constexpr int NoBitmapWords = 3; // a blit without a bitmap is (function >> 8) + 3 words long

// Record functions.
namespace rec {
enum : quint16 {
    Eof = 0x0000,
    SaveDc = 0x001E,
    CreatePalette = 0x00F7,
    SetBkMode = 0x0102,
    SetMapMode = 0x0103,
    SetPolyFillMode = 0x0106,
    RestoreDc = 0x0127,
    SelectObject = 0x012D,
    SetTextAlign = 0x012E,
    DibCreatePatternBrush = 0x0142,
    DeleteObject = 0x01F0,
    CreatePatternBrush = 0x01F9,
    SetTextColor = 0x0209,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    SetViewportOrg = 0x020D,
    SetViewportExt = 0x020E,
    OffsetWindowOrg = 0x020F,
    OffsetViewportOrg = 0x0211,
    LineTo = 0x0213,
    MoveTo = 0x0214,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
    Polygon = 0x0324,
    Polyline = 0x0325,
    ScaleWindowExt = 0x0410,
    ScaleViewportExt = 0x0412,
    Ellipse = 0x0418,
    Rectangle = 0x041B,
    TextOut = 0x0521,
    PolyPolygon = 0x0538,
    RoundRect = 0x061C,
    PatBlt = 0x061D,
    CreateRegion = 0x06FF,
    DibBitBlt = 0x0940,
    ExtTextOut = 0x0A32,
    DibStretchBlt = 0x0B41,
    StretchDib = 0x0F43,
};
} // namespace rec

// ---- writing

class WmfSink final : public TableSink {
public:
    explicit WmfSink(double scale) : TableSink(0), k_(scale) {}

    Out out;
    quint32 maxRecord = 3;

    qint32 c(double units) const {
        return qint32(std::clamp(std::round(units * k_), -32768.0, 32767.0));
    }
    void begin(quint16 function) {
        start_ = out.size();
        out.u32(0);
        out.u16(function);
    }
    void end() {
        if ((out.size() - start_) % 2) out.u8(0);
        const quint32 words = quint32((out.size() - start_) / 2);
        out.setU32(start_, words);
        maxRecord = std::max(maxRecord, words);
    }
    void record16(quint16 function, std::initializer_list<qint32> params) {
        begin(function);
        for (qint32 v : params)
            out.i16(v);
        end();
    }

    // A create record fills the lowest free slot of the reader's table, the slot replace picks.
    void pen(const Style& s) override {
        const qint32 width = s.lineWidth <= 0 ? 0 : std::max(1, c(s.lineWidth));
        replace(Role::Pen, [&](int) {
            begin(rec::CreatePenIndirect);
            writeLogPen(out, s, width, Format::Wmf);
            end();
        });
    }
    void brush(const Style& s) override {
        replace(Role::Brush, [&](int) {
            if (s.fill == FillMode::Picture) {
                begin(rec::DibCreatePatternBrush);
                out.u16(gdi::BsDibPattern);
                out.u16(0); // colours as RGB
                out.raw(dibOf(s.fillPicture));
            } else {
                begin(rec::CreateBrushIndirect);
                writeLogBrush(out, s, Format::Wmf);
            }
            end();
        });
    }
    void font(const Style& s) override {
        replace(Role::Font, [&](int) {
            begin(rec::CreateFontIndirect);
            writeLogFont(out, s, c(s.textHeight), Format::Wmf);
            end();
        });
    }
    void textColor(Long color) override {
        begin(rec::SetTextColor);
        out.u32(quint32(color) & 0xFFFFFF);
        end();
    }
    void textAlign(int flags) override { record16(rec::SetTextAlign, {flags}); }
    bool turns() const override { return false; }

    void line(const QPointF& a, const QPointF& b) override {
        record16(rec::MoveTo, {c(a.y()), c(a.x())});
        record16(rec::LineTo, {c(b.y()), c(b.x())});
    }
    void rectangle(const QRectF& r) override {
        record16(rec::Rectangle, {c(r.bottom()), c(r.right()), c(r.top()), c(r.left())});
    }
    void roundRect(const QRectF& r, const QSizeF& corner) override {
        record16(rec::RoundRect, {c(corner.height()), c(corner.width()), c(r.bottom()), c(r.right()), c(r.top()),
                                  c(r.left())});
    }
    void ellipse(const QRectF& r) override {
        record16(rec::Ellipse, {c(r.bottom()), c(r.right()), c(r.top()), c(r.left())});
    }
    void polyline(const QPolygonF& points) override {
        // Counts are 16-bit: a longer line goes in pieces that share their end points.
        constexpr qsizetype Most = 32767;
        for (qsizetype first = 0; first == 0 || first + 1 < points.size(); first += Most - 1) {
            points16(rec::Polyline, points.mid(first, Most));
            if (points.size() <= Most) break;
        }
    }
    void polygon(const QPolygonF& points) override { points16(rec::Polygon, points.mid(0, 32767)); }
    void text(const QPointF& reference, const QString& text, const Style&, const QRectF&) override {
        const QByteArray bytes = text.left(32767).toLatin1();
        begin(rec::TextOut);
        out.i16(qint32(bytes.size()));
        out.raw(bytes);
        if (bytes.size() % 2) out.u8(0);
        out.i16(c(reference.y()));
        out.i16(c(reference.x()));
        end();
    }
    void bitmap(const QRectF& r, const QImage& picture) override {
        QImage image = picture;
        if (image.width() > 32767 || image.height() > 32767) image = image.scaled(32767, 32767, Qt::KeepAspectRatio);
        const qint32 left = c(r.left()), top = c(r.top());
        begin(rec::StretchDib);
        out.u32(gdi::SrcCopy);
        out.u16(0); // colours as RGB
        out.i16(image.height());
        out.i16(image.width());
        out.i16(0);
        out.i16(0);
        out.i16(c(r.bottom()) - top);
        out.i16(c(r.right()) - left);
        out.i16(top);
        out.i16(left);
        out.raw(dibOf(image));
        end();
    }

private:
    void points16(quint16 function, const QPolygonF& points) {
        begin(function);
        out.i16(qint32(points.size()));
        for (const QPointF& p : points) {
            out.i16(c(p.x()));
            out.i16(c(p.y()));
        }
        end();
    }
    void selectObject(int slot) override { record16(rec::SelectObject, {slot}); }
    void deleteObject(int slot) override { record16(rec::DeleteObject, {slot}); }

    double k_;
    qsizetype start_ = 0;
};

// ---- reading

struct WmfReader {
    const QString& path;
    Player& player;
    std::optional<QSizeF> firstWindow; // a plain file's picture frame

    DcState& dc() { return player.dc(); }

    // Points and sizes stand y first.
    QPointF yx(In& r) {
        const qint32 y = r.i16(), x = r.i16();
        return QPointF(x, y);
    }
    QSizeF extent(In& r) {
        const QPointF e = yx(r);
        return QSizeF(e.x(), e.y());
    }
    QRectF box(In& r) {
        const qint32 bottom = r.i16(), right = r.i16(), top = r.i16(), left = r.i16();
        return QRectF(QPointF(left, top), QPointF(right, bottom));
    }
    void scale(In& r, bool viewport) {
        const qint32 yDenom = r.i16(), yNum = r.i16(), xDenom = r.i16(), xNum = r.i16();
        if (viewport)
            player.scaleViewportExt(xNum, xDenom, yNum, yDenom);
        else
            player.scaleWindowExt(xNum, xDenom, yNum, yDenom);
    }
    static bool bottomUp(const QByteArray& dib) {
        return dib.size() >= 12 && qFromLittleEndian<quint32>(dib.constData()) >= 40 &&
               qFromLittleEndian<qint32>(dib.constData() + 8) > 0;
    }

    // Plays one record; true at the end record.
    bool play(quint16 function, In& r, qsizetype words) {
        switch (function) {
        case rec::Eof:
            return true;
        case rec::SaveDc:
            player.saveDc();
            break;
        case rec::RestoreDc:
            player.restoreDc(r.i16());
            break;
        case rec::SetMapMode:
            player.setMapMode(int(r.u16()));
            break;
        case rec::SetWindowOrg:
            player.setWindowOrg(yx(r));
            break;
        case rec::SetWindowExt: {
            const QSizeF e = extent(r);
            player.setWindowExt(e);
            if (!firstWindow) firstWindow = QSizeF(std::abs(e.width()), std::abs(e.height()));
            break;
        }
        case rec::SetViewportOrg:
            player.setViewportOrg(yx(r));
            break;
        case rec::SetViewportExt:
            player.setViewportExt(extent(r));
            break;
        case rec::OffsetWindowOrg:
            player.offsetWindowOrg(yx(r));
            break;
        case rec::OffsetViewportOrg:
            player.offsetViewportOrg(yx(r));
            break;
        case rec::ScaleWindowExt:
            scale(r, false);
            break;
        case rec::ScaleViewportExt:
            scale(r, true);
            break;
        case rec::SetTextColor:
            dc().textColor = colorRef(r.u32());
            break;
        case rec::SetTextAlign:
            dc().textAlign = int(r.u16());
            break;
        case rec::MoveTo:
            player.moveTo(yx(r));
            break;
        case rec::LineTo:
            player.lineTo(yx(r));
            break;
        case rec::Polyline:
            player.polyline(r.points(r.i16(), false));
            break;
        case rec::Polygon:
            player.polygon(r.points(r.i16(), false));
            break;
        case rec::PolyPolygon: {
            const quint32 count = r.u16();
            r.need(qsizetype(count) * 2);
            std::vector<qint32> sizes(count);
            for (qint32& n : sizes)
                n = qint32(r.u16());
            for (qint32 n : sizes)
                player.polygon(r.points(n, false));
            break;
        }
        case rec::Rectangle:
            player.rectangle(box(r));
            break;
        case rec::Ellipse:
            player.ellipse(box(r));
            break;
        case rec::RoundRect:
            r.skip(4); // the corner's size: ours keep their own
            player.roundRect(box(r));
            break;
        case rec::TextOut: {
            const qint32 length = r.i16();
            if (length < 0) damagedFile(path, QStringLiteral("a text of negative length"));
            const QByteArray bytes = r.raw(length);
            if (length % 2) r.skip(1);
            const QPointF at = yx(r);
            player.text(at, latin1Text(bytes));
            break;
        }
        case rec::ExtTextOut: {
            const QPointF at = yx(r);
            const qint32 length = r.i16();
            const quint32 options = r.u16();
            if (length < 0) damagedFile(path, QStringLiteral("a text of negative length"));
            if (options & 0x0006) r.skip(8); // clipping or opaque rectangle
            player.text(at, latin1Text(r.raw(length)));
            break;
        }
        case rec::CreatePenIndirect:
            player.createInFreeSlot(readLogPen(r, Format::Wmf));
            break;
        case rec::CreateBrushIndirect:
            player.createInFreeSlot(readLogBrush(r, Format::Wmf));
            break;
        case rec::DibCreatePatternBrush: {
            r.u16();
            r.u16();
            player.createInFreeSlot(Brush{FillMode::Picture, White, imageOfPackedDib(r.raw(r.left()), path)});
            break;
        }
        case rec::CreateFontIndirect:
            player.createInFreeSlot(readLogFont(r, Format::Wmf));
            break;
        case rec::CreatePatternBrush:
        case rec::CreatePalette:
        case rec::CreateRegion:
            // Objects we do not draw with still take their slot in the table.
            player.createInFreeSlot(std::monostate{});
            break;
        case rec::SelectObject:
            player.select(r.u16());
            break;
        case rec::DeleteObject:
            player.remove(r.u16());
            break;
        case rec::StretchDib: {
            r.u32();
            r.u16();
            const qint32 srcH = r.i16(), srcW = r.i16(), ySrc = r.i16(), xSrc = r.i16();
            const qint32 destH = r.i16(), destW = r.i16();
            const QPointF at = yx(r);
            const QByteArray dib = r.raw(r.left());
            player.blit(QRectF(at.x(), at.y(), destW, destH), imageOfPackedDib(dib, path), xSrc, ySrc, srcW,
                        srcH, bottomUp(dib));
            break;
        }
        case rec::DibStretchBlt: {
            const quint32 rop = r.u32();
            const bool withBitmap = words != (function >> 8) + NoBitmapWords;
            const qint32 srcH = r.i16(), srcW = r.i16(), ySrc = r.i16(), xSrc = r.i16();
            if (!withBitmap) r.i16();
            const qint32 destH = r.i16(), destW = r.i16();
            const QPointF at = yx(r);
            const QRectF dest(at.x(), at.y(), destW, destH);
            if (withBitmap)
                player.blit(dest, imageOfPackedDib(r.raw(r.left()), path), xSrc, ySrc, srcW, srcH, false);
            else
                player.blitFill(rop, dest);
            break;
        }
        case rec::DibBitBlt: {
            const quint32 rop = r.u32();
            const bool withBitmap = words != (function >> 8) + NoBitmapWords;
            const qint32 ySrc = r.i16(), xSrc = r.i16();
            if (!withBitmap) r.i16();
            const qint32 h = r.i16(), w = r.i16();
            const QPointF at = yx(r);
            const QRectF dest(at.x(), at.y(), w, h);
            if (withBitmap)
                player.blit(dest, imageOfPackedDib(r.raw(r.left()), path), xSrc, ySrc, w, h, false);
            else
                player.blitFill(rop, dest);
            break;
        }
        case rec::PatBlt: {
            const quint32 rop = r.u32();
            const qint32 h = r.i16(), w = r.i16();
            const QPointF at = yx(r);
            player.blitFill(rop, QRectF(at.x(), at.y(), w, h));
            break;
        }
        default:
            break; // escapes (comments among them), clipping, palettes: nothing the drawing keeps
        }
        return false;
    }
};

} // namespace

void writeWmf(const DrawModel& model, const QString& path) {
    const SheetFrame sheet = sheetFrame(model);
    const double pageW = sheet.width, pageH = sheet.height;
    const QRectF& window = sheet.window;
    // Coordinates are 16-bit: a sheet too large for them at 600 units an inch gets fewer.
    const double largest = std::max({pageW, pageH, std::abs(window.left()) + std::abs(window.width()),
                                     std::abs(window.top()) + std::abs(window.height())});
    const int inch = largest > 32000 ? std::max(1, int(UnitsPerInch * 32000 / largest)) : int(UnitsPerInch);
    WmfSink sink(inch / UnitsPerInch);
    sink.record16(rec::SetMapMode, {gdi::MmAnisotropic});
    sink.record16(rec::SetWindowOrg, {sink.c(window.top()), sink.c(window.left())});
    sink.record16(rec::SetWindowExt, {sink.c(window.height()), sink.c(window.width())});
    sink.record16(rec::SetBkMode, {gdi::BkTransparent});
    sink.record16(rec::SetPolyFillMode, {gdi::PolyFillAlternate});
    writeObjects(model, sink);
    sink.record16(rec::Eof, {});

    Out file;
    file.u32(PlaceableKey);
    file.u16(0);
    file.i16(0);
    file.i16(0);
    file.i16(sink.c(pageW));
    file.i16(sink.c(pageH));
    file.u16(quint32(inch));
    file.u32(0);
    quint32 checksum = 0;
    for (int i = 0; i < 20; i += 2)
        checksum ^= qFromLittleEndian<quint16>(file.bytes.constData() + i);
    file.u16(checksum);
    file.u16(1); // in memory
    file.u16(HeaderWords);
    file.u16(0x0300);
    file.u32(quint32((HeaderWords * 2 + sink.out.size()) / 2));
    file.u16(quint32(sink.tableSize()));
    file.u32(sink.maxRecord);
    file.u16(0);
    file.raw(sink.out.bytes);
    qtext::WriteBytes(path, file.bytes);
}

void readWmf(const QString& path, DrawModel& into) {
    const QByteArray data = qtext::ReadBytes(path);
    Player::Device device;
    device.start.mapMode = gdi::MmAnisotropic;
    std::optional<QRectF> box;
    qsizetype pos = 0;
    if (data.size() >= 4 && qFromLittleEndian<quint32>(data.constData()) == PlaceableKey) {
        In in(data, 0, data.size(), path);
        in.skip(6);
        const qint32 left = in.i16(), top = in.i16(), right = in.i16(), bottom = in.i16();
        const quint32 inch = in.u16();
        if (inch == 0) damagedFile(path, QStringLiteral("a placeable header without units"));
        const QRectF b = QRectF(QPointF(left, top), QPointF(right, bottom)).normalized();
        device.pixelsPerInch = inch;
        device.toUnits = QTransform::fromTranslate(-b.left(), -b.top()) *
                         QTransform::fromScale(UnitsPerInch / inch, UnitsPerInch / inch);
        if (!b.isEmpty()) {
            box = b;
            device.viewport = b;
            device.start.windowOrg = device.start.viewportOrg = b.topLeft();
            device.start.windowExt = b.size();
        }
        pos = PlaceableSize;
    } else {
        device.pixelsPerInch = 1440;
        device.toUnits = QTransform::fromScale(UnitsPerInch / 1440, UnitsPerInch / 1440);
        device.viewportFollowsWindow = true;
    }
    In head(data, pos, data.size(), path);
    const quint32 type = head.u16(), headerWords = head.u16(), version = head.u16();
    if ((type != 1 && type != 2) || headerWords != HeaderWords || (version != 0x0100 && version != 0x0300))
        damagedFile(path, QStringLiteral("no Windows metafile"));
    pos += HeaderWords * 2;

    Player player(into, path, device);
    WmfReader reader{path, player, std::nullopt};
    for (bool ended = false; !ended;) {
        if (data.size() - pos < 6) damagedFile(path, QStringLiteral("no end record"));
        const qsizetype words = qFromLittleEndian<quint32>(data.constData() + pos);
        const quint16 function = qFromLittleEndian<quint16>(data.constData() + pos + 4);
        if (words < 3 || words > (data.size() - pos) / 2) damagedFile(path, QStringLiteral("a record cut short"));
        In r(data, pos + 6, pos + words * 2, path);
        ended = reader.play(function, r, words);
        pos += words * 2;
    }
    std::optional<QRectF> frame;
    if (box)
        frame = device.toUnits.mapRect(*box);
    else if (reader.firstWindow)
        frame = device.toUnits.mapRect(QRectF(QPointF(0, 0), *reader.firstWindow));
    player.finish(frame);
}

} // namespace draw
