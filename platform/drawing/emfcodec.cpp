// SPDX-License-Identifier: GPL-3.0-or-later
// Enhanced metafiles: written for a reference device of 600 pixels an inch, so that one device pixel
// is one drawing unit, turned shapes by a world transform; read at whatever device they name.
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

constexpr quint32 Signature = 0x464D4520; // " EMF"
constexpr int HeaderSize = 108;          // with both extensions, the second giving micrometres
constexpr int BaseHeaderSize = 88;
constexpr double UnitsPerInch = 600;
constexpr double MmPerInch = 25.4;

// Record types.
namespace rec {
enum : quint32 {
    Header = 1,
    PolyBezier = 2,
    Polygon = 3,
    Polyline = 4,
    PolyBezierTo = 5,
    PolylineTo = 6,
    PolyPolyline = 7,
    PolyPolygon = 8,
    SetWindowExtEx = 9,
    SetWindowOrgEx = 10,
    SetViewportExtEx = 11,
    SetViewportOrgEx = 12,
    Eof = 14,
    SetMapMode = 17,
    SetBkMode = 18,
    SetPolyFillMode = 19,
    SetTextAlign = 22,
    SetTextColor = 24,
    MoveToEx = 27,
    ScaleViewportExtEx = 31,
    ScaleWindowExtEx = 32,
    SaveDc = 33,
    RestoreDc = 34,
    SetWorldTransform = 35,
    ModifyWorldTransform = 36,
    SelectObject = 37,
    CreatePen = 38,
    CreateBrushIndirect = 39,
    DeleteObject = 40,
    Ellipse = 42,
    Rectangle = 43,
    RoundRect = 44,
    LineTo = 54,
    BeginPath = 59,
    EndPath = 60,
    CloseFigure = 61,
    FillPath = 62,
    StrokeAndFillPath = 63,
    StrokePath = 64,
    AbortPath = 68,
    GdiComment = 70,
    BitBlt = 76,
    StretchBlt = 77,
    SetDiBitsToDevice = 80,
    StretchDiBits = 81,
    ExtCreateFontIndirectW = 82,
    ExtTextOutA = 83,
    ExtTextOutW = 84,
    PolyBezier16 = 85,
    Polygon16 = 86,
    Polyline16 = 87,
    PolyBezierTo16 = 88,
    PolylineTo16 = 89,
    PolyPolyline16 = 90,
    PolyPolygon16 = 91,
    CreateMonoBrush = 93,
    CreateDibPatternBrushPt = 94,
    ExtCreatePen = 95,
};
} // namespace rec

enum WorldMode { MwtIdentity = 1, MwtLeftMultiply = 2, MwtRightMultiply = 3, MwtSet = 4 };
constexpr quint32 EtoNoRect = 0x100;
constexpr int LogFontSize = 92, LogFontPanoseSize = 320;

// ---- writing

class EmfSink final : public TableSink {
public:
    // Index 0 of the object table stands for the metafile itself.
    explicit EmfSink(const QTransform& toDevice) : TableSink(1), toDevice_(toDevice) {}

    Out out;
    quint32 records = 0;

    static qint32 c(double v) { return qint32(std::clamp(std::round(v), -2e9, 2e9)); }
    void begin(quint32 type) {
        start_ = out.size();
        out.u32(type);
        out.u32(0);
    }
    void end() {
        while (out.size() % 4)
            out.u8(0);
        out.setU32(start_ + 4, quint32(out.size() - start_));
        ++records;
    }
    void record(quint32 type, std::initializer_list<qint32> params) {
        begin(type);
        for (qint32 v : params)
            out.i32(v);
        end();
    }
    // A drawing record's bounds, inclusive device pixels.
    void bounds(const QRectF& units) {
        const QRectF d = (turn_ * toDevice_).mapRect(units);
        out.i32(c(std::floor(d.left())));
        out.i32(c(std::floor(d.top())));
        out.i32(c(std::ceil(d.right())));
        out.i32(c(std::ceil(d.bottom())));
    }
    void xform(const QTransform& t) {
        for (double v : {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()})
            out.f32(float(v));
    }

    void pen(const Style& s) override {
        replace(Role::Pen, [&](int h) {
            begin(rec::CreatePen);
            out.i32(h);
            writeLogPen(out, s, std::max(0, s.lineWidth), Format::Emf);
            end();
        });
    }
    void brush(const Style& s) override {
        replace(Role::Brush, [&](int h) {
            if (s.fill != FillMode::Picture) {
                begin(rec::CreateBrushIndirect);
                out.i32(h);
                writeLogBrush(out, s, Format::Emf);
                end();
                return;
            }
            const QByteArray dib = dibOf(s.fillPicture);
            constexpr int Fixed = 32;
            begin(rec::CreateDibPatternBrushPt);
            for (qint32 v : {h, 0, Fixed, DibHeaderSize, Fixed + DibHeaderSize, qint32(dib.size() - DibHeaderSize)})
                out.i32(v);
            out.raw(dib);
            end();
        });
    }
    void font(const Style& s) override {
        replace(Role::Font, [&](int h) {
            begin(rec::ExtCreateFontIndirectW);
            out.i32(h);
            writeLogFont(out, s, c(s.textHeight), Format::Emf);
            out.zeros(LogFontPanoseSize - LogFontSize);
            end();
        });
    }
    void textColor(Long color) override { record(rec::SetTextColor, {qint32(color & 0xFFFFFF)}); }
    void textAlign(int flags) override { record(rec::SetTextAlign, {flags}); }
    bool turns() const override { return true; }
    void setTurn(const QTransform& t) override {
        begin(rec::SetWorldTransform);
        xform(t);
        end();
        turn_ = t;
    }
    void clearTurn() override {
        begin(rec::ModifyWorldTransform);
        xform(QTransform());
        out.u32(MwtIdentity);
        end();
        turn_ = QTransform();
    }

    void line(const QPointF& a, const QPointF& b) override {
        record(rec::MoveToEx, {c(a.x()), c(a.y())});
        record(rec::LineTo, {c(b.x()), c(b.y())});
    }
    void rectangle(const QRectF& r) override { box(rec::Rectangle, r); }
    void ellipse(const QRectF& r) override { box(rec::Ellipse, r); }
    void roundRect(const QRectF& r, const QSizeF& corner) override {
        record(rec::RoundRect, {c(r.left()), c(r.top()), c(r.right()), c(r.bottom()), c(corner.width()), c(corner.height())});
    }
    void polyline(const QPolygonF& points) override { poly(rec::Polyline, points); }
    void polygon(const QPolygonF& points) override { poly(rec::Polygon, points); }
    void text(const QPointF& reference, const QString& text, const Style& s, const QRectF& area) override {
        const qint32 chars = qint32(text.size());
        constexpr int StringAt = 76;
        const int dxAt = StringAt + (2 * chars + 3) / 4 * 4;
        begin(rec::ExtTextOutW);
        bounds(area);
        out.u32(1); // compatible graphics mode
        out.f32(0);
        out.f32(0);
        out.i32(c(reference.x()));
        out.i32(c(reference.y()));
        out.u32(quint32(chars));
        out.u32(StringAt);
        out.u32(0);
        for (qint32 v : {0, 0, -1, -1}) // no clipping rectangle
            out.i32(v);
        out.u32(quint32(dxAt));
        for (QChar ch : text)
            out.u16(ch.unicode());
        while (out.size() - start_ < dxAt)
            out.u8(0);
        // Where each character starts, from the renderer's measure, so other programs space the
        // text as we do.
        double at = 0;
        qint32 placed = 0;
        for (double a : advances(s, text)) {
            at += a;
            const qint32 next = c(at);
            out.i32(next - placed);
            placed = next;
        }
        end();
    }
    void bitmap(const QRectF& r, const QImage& picture) override {
        const QByteArray dib = dibOf(picture);
        constexpr int Fixed = 80;
        const qint32 left = c(r.left()), top = c(r.top());
        begin(rec::StretchDiBits);
        bounds(r);
        for (qint32 v : {left, top, 0, 0, picture.width(), picture.height(), Fixed, DibHeaderSize,
                         Fixed + DibHeaderSize, qint32(dib.size() - DibHeaderSize), 0, qint32(gdi::SrcCopy),
                         c(r.right()) - left, c(r.bottom()) - top})
            out.i32(v);
        out.raw(dib);
        end();
    }

private:
    void box(quint32 type, const QRectF& r) { record(type, {c(r.left()), c(r.top()), c(r.right()), c(r.bottom())}); }
    void poly(quint32 type, const QPolygonF& points) {
        begin(type);
        bounds(points.boundingRect());
        out.u32(quint32(points.size()));
        for (const QPointF& p : points) {
            out.i32(c(p.x()));
            out.i32(c(p.y()));
        }
        end();
    }
    void selectObject(int h) override { record(rec::SelectObject, {h}); }
    void deleteObject(int h) override { record(rec::DeleteObject, {h}); }

    QTransform toDevice_, turn_;
    qsizetype start_ = 0;
};

// ---- reading

struct EmfReader {
    const QString& path;
    Player& player;

    DcState& dc() { return player.dc(); }

    QPointF point32(In& r) {
        const qint32 x = r.i32(), y = r.i32();
        return QPointF(x, y);
    }
    QRectF rect32(In& r) {
        const qint32 left = r.i32(), top = r.i32(), right = r.i32(), bottom = r.i32();
        return QRectF(QPointF(left, top), QPointF(right, bottom));
    }
    QSizeF size32(In& r) {
        const qint32 cx = r.i32(), cy = r.i32();
        return QSizeF(cx, cy);
    }
    QTransform xform(In& r) {
        double v[6];
        for (double& x : v) {
            x = r.f32();
            if (!std::isfinite(x)) x = 0;
        }
        return QTransform(v[0], v[1], v[2], v[3], v[4], v[5]);
    }
    void scale(In& r, bool viewport) {
        const qint32 xNum = r.i32(), xDenom = r.i32(), yNum = r.i32(), yDenom = r.i32();
        if (viewport)
            player.scaleViewportExt(xNum, xDenom, yNum, yDenom);
        else
            player.scaleWindowExt(xNum, xDenom, yNum, yDenom);
    }
    QImage dib(In& r, quint32 offBmi, quint32 cbBmi, quint32 offBits, quint32 cbBits) {
        r.seek(offBmi);
        const QByteArray info = r.raw(cbBmi);
        r.seek(offBits);
        return imageOfDib(info, r.raw(cbBits), path);
    }
    void polyRecord(quint32 type, In& r) {
        r.skip(16);
        const bool small = type >= rec::PolyBezier16;
        const QPolygonF pts = r.points(r.u32(), !small);
        switch (small ? type - rec::PolyBezier16 + rec::PolyBezier : type) {
        case rec::PolyBezier:
            player.polyBezier(pts, false);
            break;
        case rec::Polygon:
            player.polygon(pts);
            break;
        case rec::Polyline:
            player.polyline(pts);
            break;
        case rec::PolyBezierTo:
            player.polyBezier(pts, true);
            break;
        default:
            player.polylineTo(pts);
            break;
        }
    }
    void polyPolyRecord(bool polygons, bool small, In& r) {
        r.skip(16);
        const quint32 parts = r.u32(), total = r.u32();
        r.need(qsizetype(parts) * 4);
        std::vector<quint32> sizes(parts);
        quint64 sum = 0;
        for (quint32& n : sizes) {
            n = r.u32();
            sum += n;
        }
        if (sum > total) damagedFile(path, QStringLiteral("more points than the record holds"));
        for (quint32 n : sizes) {
            const QPolygonF pts = r.points(n, !small);
            if (polygons)
                player.polygon(pts);
            else
                player.polyline(pts);
        }
    }
    void textRecord(In& r, bool wide) {
        r.skip(16 + 12); // bounds, graphics mode and scales
        const QPointF at = point32(r);
        const quint32 chars = r.u32(), offString = r.u32(), options = r.u32();
        if (!(options & EtoNoRect)) r.skip(16);
        r.seek(offString);
        QString text;
        if (wide) {
            r.need(qsizetype(chars) * 2);
            text.reserve(qsizetype(chars));
            for (quint32 i = 0; i < chars; ++i)
                text.append(QChar(char16_t(r.u16())));
        } else {
            text = QString::fromLatin1(r.raw(chars));
        }
        player.text(at, text);
    }

    // Plays one record; true at the end record.
    bool play(quint32 type, In& r) {
        switch (type) {
        case rec::Eof:
            return true;
        case rec::PolyBezier:
        case rec::Polygon:
        case rec::Polyline:
        case rec::PolyBezierTo:
        case rec::PolylineTo:
        case rec::PolyBezier16:
        case rec::Polygon16:
        case rec::Polyline16:
        case rec::PolyBezierTo16:
        case rec::PolylineTo16:
            polyRecord(type, r);
            break;
        case rec::PolyPolyline:
        case rec::PolyPolygon:
            polyPolyRecord(type == rec::PolyPolygon, false, r);
            break;
        case rec::PolyPolyline16:
        case rec::PolyPolygon16:
            polyPolyRecord(type == rec::PolyPolygon16, true, r);
            break;
        case rec::SetWindowExtEx:
            player.setWindowExt(size32(r));
            break;
        case rec::SetWindowOrgEx:
            player.setWindowOrg(point32(r));
            break;
        case rec::SetViewportExtEx:
            player.setViewportExt(size32(r));
            break;
        case rec::SetViewportOrgEx:
            player.setViewportOrg(point32(r));
            break;
        case rec::ScaleViewportExtEx:
            scale(r, true);
            break;
        case rec::ScaleWindowExtEx:
            scale(r, false);
            break;
        case rec::SetMapMode:
            player.setMapMode(int(r.u32()));
            break;
        case rec::SetTextAlign:
            dc().textAlign = int(r.u32());
            break;
        case rec::SetTextColor:
            dc().textColor = colorRef(r.u32());
            break;
        case rec::MoveToEx:
            player.moveTo(point32(r));
            break;
        case rec::LineTo:
            player.lineTo(point32(r));
            break;
        case rec::SaveDc:
            player.saveDc();
            break;
        case rec::RestoreDc:
            player.restoreDc(r.i32());
            break;
        case rec::SetWorldTransform:
            dc().world = xform(r);
            player.changed();
            break;
        case rec::ModifyWorldTransform: {
            const QTransform t = xform(r);
            switch (r.u32()) {
            case MwtIdentity:
                dc().world = QTransform();
                break;
            case MwtLeftMultiply:
                dc().world = t * dc().world;
                break;
            case MwtRightMultiply:
                dc().world = dc().world * t;
                break;
            case MwtSet:
                dc().world = t;
                break;
            default:
                break;
            }
            player.changed();
            break;
        }
        case rec::SelectObject:
            player.select(r.u32());
            break;
        case rec::DeleteObject:
            player.remove(r.u32());
            break;
        case rec::CreatePen: {
            const quint32 handle = r.u32();
            player.create(handle, readLogPen(r, Format::Emf));
            break;
        }
        case rec::ExtCreatePen: {
            const quint32 handle = r.u32();
            r.skip(16); // a pattern of the pen's brush: we stroke in its colour
            const quint32 style = r.u32(), width = r.u32(), brushStyle = r.u32();
            const Long color = colorRef(r.u32());
            const bool geometric = (style & 0x000F0000) == 0x00010000;
            Pen p = penFrom(style, geometric ? double(width) : 0.0, color);
            if (brushStyle == gdi::BsNull) p.style = NoLine;
            player.create(handle, p);
            break;
        }
        case rec::CreateBrushIndirect: {
            const quint32 handle = r.u32();
            player.create(handle, readLogBrush(r, Format::Emf));
            break;
        }
        case rec::CreateDibPatternBrushPt:
        case rec::CreateMonoBrush: {
            const quint32 handle = r.u32();
            r.u32();
            const quint32 offBmi = r.u32(), cbBmi = r.u32(), offBits = r.u32(), cbBits = r.u32();
            player.create(handle, Brush{FillMode::Picture, White, dib(r, offBmi, cbBmi, offBits, cbBits)});
            break;
        }
        case rec::ExtCreateFontIndirectW: {
            const quint32 handle = r.u32();
            player.create(handle, readLogFont(r, Format::Emf));
            break;
        }
        case rec::Ellipse:
            player.ellipse(rect32(r));
            break;
        case rec::Rectangle:
            player.rectangle(rect32(r));
            break;
        case rec::RoundRect:
            player.roundRect(rect32(r));
            break;
        case rec::ExtTextOutA:
        case rec::ExtTextOutW:
            textRecord(r, type == rec::ExtTextOutW);
            break;
        case rec::StretchDiBits: {
            r.skip(16);
            const qint32 x = r.i32(), y = r.i32(), xSrc = r.i32(), ySrc = r.i32(), cxSrc = r.i32(), cySrc = r.i32();
            const quint32 offBmi = r.u32(), cbBmi = r.u32(), offBits = r.u32(), cbBits = r.u32();
            r.u32();
            const quint32 rop = r.u32();
            const qint32 cx = r.i32(), cy = r.i32();
            if (cbBmi == 0) {
                player.blitFill(rop, QRectF(x, y, cx, cy));
                break;
            }
            const QImage image = dib(r, offBmi, cbBmi, offBits, cbBits);
            r.seek(offBmi + 8);
            const bool bottomUp = cbBmi >= 40 && r.i32() > 0;
            player.blit(QRectF(x, y, cx, cy), image, xSrc, ySrc, cxSrc, cySrc, bottomUp);
            break;
        }
        case rec::BitBlt:
        case rec::StretchBlt: {
            r.skip(16);
            const qint32 x = r.i32(), y = r.i32(), cx = r.i32(), cy = r.i32();
            const quint32 rop = r.u32();
            const qint32 xSrc = r.i32(), ySrc = r.i32();
            r.skip(24 + 4 + 4); // the source's transform, background colour and colour usage
            const quint32 offBmi = r.u32(), cbBmi = r.u32(), offBits = r.u32(), cbBits = r.u32();
            qint32 cxSrc = cx, cySrc = cy;
            if (type == rec::StretchBlt) {
                cxSrc = r.i32();
                cySrc = r.i32();
            }
            if (cbBmi == 0)
                player.blitFill(rop, QRectF(x, y, cx, cy));
            else
                player.blit(QRectF(x, y, cx, cy), dib(r, offBmi, cbBmi, offBits, cbBits), xSrc, ySrc, cxSrc,
                            cySrc, false);
            break;
        }
        case rec::SetDiBitsToDevice: {
            r.skip(16);
            const qint32 x = r.i32(), y = r.i32(), xSrc = r.i32(), ySrc = r.i32(), cx = r.i32(), cy = r.i32();
            const quint32 offBmi = r.u32(), cbBmi = r.u32(), offBits = r.u32(), cbBits = r.u32();
            if (cbBmi != 0)
                player.blit(QRectF(x, y, cx, cy), dib(r, offBmi, cbBmi, offBits, cbBits), xSrc, ySrc, cx, cy,
                            false);
            break;
        }
        case rec::BeginPath:
            player.beginPath();
            break;
        case rec::EndPath:
            player.endPath();
            break;
        case rec::CloseFigure:
            player.closeFigure();
            break;
        case rec::AbortPath:
            player.abortPath();
            break;
        case rec::FillPath:
            player.fillPath(false, true);
            break;
        case rec::StrokePath:
            player.fillPath(true, false);
            break;
        case rec::StrokeAndFillPath:
            player.fillPath(true, true);
            break;
        default:
            break; // comments, clipping, palettes, modes that change nothing we keep
        }
        return false;
    }
};

} // namespace

void writeEmf(const DrawModel& model, const QString& path) {
    const SheetFrame sheet = sheetFrame(model);
    const Long pageW = sheet.width, pageH = sheet.height;
    const QRectF& window = sheet.window;
    const QTransform toDevice = QTransform::fromTranslate(-window.left(), -window.top()) *
                                QTransform::fromScale(pageW / window.width(), pageH / window.height());
    EmfSink sink(toDevice);
    sink.record(rec::SetMapMode, {gdi::MmAnisotropic});
    sink.record(rec::SetWindowOrgEx, {EmfSink::c(window.left()), EmfSink::c(window.top())});
    sink.record(rec::SetWindowExtEx, {EmfSink::c(window.width()), EmfSink::c(window.height())});
    sink.record(rec::SetViewportOrgEx, {0, 0});
    sink.record(rec::SetViewportExtEx, {pageW, pageH});
    sink.record(rec::SetBkMode, {gdi::BkTransparent});
    sink.record(rec::SetPolyFillMode, {gdi::PolyFillAlternate});
    writeObjects(model, sink);
    sink.record(rec::Eof, {0, 16, 20});

    // The reference device is the sheet at 600 pixels an inch; the frame is the sheet in hundredths
    // of a millimetre, both inclusive of their far edge.
    auto hundredths = [](Long units) { return qint32(std::lround(units * MmPerInch * 100 / UnitsPerInch)); };
    auto millimetres = [](Long units) { return std::max(1, int(std::lround(units * MmPerInch / UnitsPerInch))); };
    auto micrometres = [](Long units) { return qint32(std::lround(units * MmPerInch * 1000 / UnitsPerInch)); };
    Out file;
    file.u32(rec::Header);
    file.u32(HeaderSize);
    for (qint32 v : {0, 0, pageW - 1, pageH - 1, 0, 0, hundredths(pageW) - 1, hundredths(pageH) - 1})
        file.i32(v);
    file.u32(Signature);
    file.u32(0x10000);
    file.u32(quint32(HeaderSize + sink.out.size()));
    file.u32(sink.records + 1);
    file.u16(quint32(sink.tableSize()));
    file.u16(0);
    file.zeros(12); // no description, no palette
    for (qint32 v : {pageW, pageH, millimetres(pageW), millimetres(pageH), 0, 0, 0, micrometres(pageW), micrometres(pageH)})
        file.i32(v);
    file.raw(sink.out.bytes);
    qtext::WriteBytes(path, file.bytes);
}

void readEmf(const QString& path, DrawModel& into) {
    const QByteArray data = qtext::ReadBytes(path);
    In head(data, 0, data.size(), path);
    if (data.size() < BaseHeaderSize || head.u32() != rec::Header)
        damagedFile(path, QStringLiteral("no enhanced metafile"));
    const quint32 headerSize = head.u32();
    const qint32 bl = head.i32(), bt = head.i32(), br = head.i32(), bb = head.i32();
    const QRectF bounds(QPointF(bl, bt), QPointF(br, bb));
    const qint32 fl = head.i32(), ft = head.i32(), fr = head.i32(), fb = head.i32();
    if (head.u32() != Signature) damagedFile(path, QStringLiteral("no enhanced metafile"));
    head.u32();
    const quint32 bytes = head.u32();
    head.skip(4 + 4);
    const quint32 descriptionChars = head.u32(), descriptionAt = head.u32();
    head.u32();
    const qint32 deviceW = head.i32(), deviceH = head.i32(), mmW = head.i32(), mmH = head.i32();
    if (headerSize < BaseHeaderSize || headerSize % 4 || headerSize > quint64(data.size()))
        damagedFile(path, QStringLiteral("a header of the wrong size"));
    // The extensions are there when the header reaches past them before its description begins.
    quint64 fixedEnd = headerSize;
    if (descriptionChars > 0) fixedEnd = std::min<quint64>(fixedEnd, descriptionAt);
    double microW = 0, microH = 0;
    if (fixedEnd >= HeaderSize - 8) {
        const quint32 pixelFormatSize = head.u32(), pixelFormatAt = head.u32();
        head.u32();
        if (pixelFormatSize > 0) fixedEnd = std::min<quint64>(fixedEnd, pixelFormatAt);
        if (fixedEnd >= HeaderSize) {
            microW = head.i32();
            microH = head.i32();
        }
    }
    if (bytes > quint64(data.size())) damagedFile(path, QStringLiteral("cut short"));

    // Device pixels a millimetre, from the reference device; a screen's when it names none.
    auto perMm = [](qint32 pixels, double micro, qint32 mm) {
        const double size = micro > 0 ? micro / 1000 : mm;
        return pixels > 0 && size > 0 ? pixels / size : 96 / MmPerInch;
    };
    const double pxX = perMm(deviceW, microW, mmW), pxY = perMm(deviceH, microH, mmH);
    const double upX = UnitsPerInch / MmPerInch / pxX, upY = UnitsPerInch / MmPerInch / pxY;
    Player::Device device;
    device.pixelsPerInch = pxX * MmPerInch;
    std::optional<QRectF> frame;
    if (fr > fl && fb > ft) {
        device.toUnits = QTransform::fromTranslate(-double(fl) * pxX / 100, -double(ft) * pxY / 100) * QTransform::fromScale(upX, upY);
        frame = QRectF(0, 0, (double(fr) - fl + 1) * UnitsPerInch / (MmPerInch * 100),
                       (double(fb) - ft + 1) * UnitsPerInch / (MmPerInch * 100));
    } else if (bounds.right() > bounds.left() && bounds.bottom() > bounds.top()) {
        device.toUnits = QTransform::fromTranslate(-bounds.left(), -bounds.top()) * QTransform::fromScale(upX, upY);
        frame = QRectF(0, 0, (bounds.width() + 1) * upX, (bounds.height() + 1) * upY);
    } else {
        device.toUnits = QTransform::fromScale(upX, upY);
    }

    Player player(into, path, device);
    EmfReader reader{path, player};
    qsizetype pos = headerSize;
    for (bool ended = false; !ended;) {
        if (data.size() - pos < 8) damagedFile(path, QStringLiteral("no end record"));
        const quint32 type = qFromLittleEndian<quint32>(data.constData() + pos);
        const quint32 size = qFromLittleEndian<quint32>(data.constData() + pos + 4);
        if (size < 8 || size % 4 || size > quint64(data.size() - pos)) damagedFile(path, QStringLiteral("a record cut short"));
        In r(data, pos, pos + size, path);
        r.skip(8);
        ended = reader.play(type, r);
        pos += size;
    }
    player.finish(frame);
}

} // namespace draw
