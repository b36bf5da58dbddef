// SPDX-License-Identifier: GPL-3.0-or-later
// Writing DXF drawing files. A drawing is written as a DXF file of release 2000 (AC1015) in inches
// with y up, the sheet in the drawing limits, each object as the entity a CAD program shows (LINE,
// LWPOLYLINE, ELLIPSE, TEXT, IMAGE, a HATCH before a filled shape) carrying the rest of the object
// (kind, frame, angle, style, tags, group) as extended data of the application QMAR2002.
#include "platform/drawing/drawcodecs.h"
#include "platform/drawing/drawmodel.h"
#include "platform/drawing/drawrender.h"
#include "platform/drawing/dxfmap.h"
#include "platform/filenames.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-copy"
#include <dl_dxf.h>
#include <dl_writer_ascii.h>
#pragma GCC diagnostic pop

#include <QBuffer>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <future>

namespace draw {

namespace {

using namespace dxf;

// ---- numbers ------------------------------------------------------------------------------------------

// Numbers are written through std::to_chars: the same shortest round-trip digits as Qt's
// formatting, a good deal faster, and a third of writing a file is numbers.

// Room for any real as putReal writes it: the smallest doubles take 330 characters in plain notation.
constexpr size_t RealRoom = 400;

// A real in plain notation with the fewest digits that read back as it, always with a point; at p,
// returning its end.
char* putReal(char* p, double v) {
    if (!std::isfinite(v) || v == 0) {
        std::memcpy(p, "0.0", 3);
        return p + 3;
    }
    // From 1e15 on std::to_chars writes every digit of the binary value where Qt pads the shortest
    // digits with zeros; such numbers stay Qt's, so that every file is written as it always was.
    if (std::abs(v) >= 1e15) {
        QByteArray s = QByteArray::number(v, 'f', QLocale::FloatingPointShortest);
        if (!s.contains('.')) s += ".0";
        std::memcpy(p, s.constData(), size_t(s.size()));
        return p + s.size();
    }
    char* end = std::to_chars(p, p + RealRoom, v, std::chars_format::fixed).ptr;
    if (std::find(p, end, '.') == end) {
        *end++ = '.';
        *end++ = '0';
    }
    return end;
}

void appendReal(std::string& out, double v) {
    char buf[RealRoom];
    out.append(buf, size_t(putReal(buf, v) - buf));
}

void appendInt(std::string& out, long long v) {
    char buf[24];
    out.append(buf, size_t(std::to_chars(buf, buf + sizeof buf, v).ptr - buf));
}

QByteArray shortReal(double v) {
    return std::isfinite(v) ? QByteArray::number(v, 'g', QLocale::FloatingPointShortest) : QByteArray("0");
}
// ---- writing ------------------------------------------------------------------------------------------

// dxflib's writer into a buffer that goes to the one file writer piece by piece, in CR LF lines,
// numbers the same under every locale. The file is millions of short appends, which a std::string
// takes quicker than a QByteArray.
class ByteWriter final : public DL_WriterA {
public:
    explicit ByteWriter(std::string& out) : DL_WriterA("", DL_VERSION_2000), out_(out) {}
    // Each pair goes into the buffer in one piece.
    void dxfReal(int gc, double value) const override {
        char buf[RealRoom + 16];
        char* p = putReal(putCode(buf, gc), value);
        *p++ = '\r';
        *p++ = '\n';
        out_.append(buf, size_t(p - buf));
    }
    void dxfInt(int gc, int value) const override { whole(gc, value, 10); }
    void dxfHex(int gc, int value) const override { whole(gc, uint(value), 16); }
    void dxfString(int gc, const char* value) const override { dxfText(gc, value); }
    void dxfString(int gc, const std::string& value) const override { dxfText(gc, value); }
    void dxfText(int gc, std::string_view value) const {
        char buf[256];
        char* p = putCode(buf, gc);
        if (value.size() > sizeof buf - 16) {
            out_.append(buf, size_t(p - buf));
            out_ += value;
            out_ += "\r\n";
            return;
        }
        std::memcpy(p, value.data(), value.size());
        p += value.size();
        *p++ = '\r';
        *p++ = '\n';
        out_.append(buf, size_t(p - buf));
    }

private:
    void whole(int gc, long long value, int base) const {
        char buf[48];
        char* const start = putCode(buf, gc);
        char* p = std::to_chars(start, start + 24, value, base).ptr;
        if (base == 16) std::transform(start, p, start, [](char c) { return char(std::toupper(uchar(c))); });
        *p++ = '\r';
        *p++ = '\n';
        out_.append(buf, size_t(p - buf));
    }

    // A code line, right-aligned in three places as dxflib writes it.
    static char* putCode(char* p, int gc) {
        char digits[12];
        char* d = digits + sizeof digits;
        do {
            *--d = char('0' + gc % 10);
            gc /= 10;
        } while (gc > 0);
        const size_t n = size_t(digits + sizeof digits - d);
        for (size_t i = n; i < 3; ++i)
            *p++ = ' ';
        std::memcpy(p, d, n);
        p += n;
        *p++ = '\r';
        *p++ = '\n';
        return p;
    }

    std::string& out_;
};

std::string str(const QByteArray& b) {
    return std::string(b.constData(), size_t(b.size()));
}

// A text in UTF-8, percent-encoded as QByteArray::toPercentEncoding does: letters, digits and
// "-._~" as they are, every other byte as %XX.
void appendPct(std::string& out, const QString& s) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    auto put = [&out](uchar c) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
            c == '_' || c == '~') {
            out += char(c);
        } else {
            out += '%';
            out += Hex[c >> 4];
            out += Hex[c & 15];
        }
    };
    bool ascii = true;
    for (const QChar c : s)
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii) {
        for (const QChar c : s)
            put(uchar(c.unicode()));
        return;
    }
    for (const char c : s.toUtf8())
        put(uchar(c));
}

// A picture's bytes in a file format; false when it cannot be written so.
bool imageBytes(const QImage& image, const char* format, QByteArray& bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, format);
}

QByteArray pictureKey(const QImage& image) {
    QCryptographicHash h(QCryptographicHash::Sha1);
    const int dims[3] = {image.width(), image.height(), int(image.format())};
    h.addData(QByteArrayView(reinterpret_cast<const char*>(dims), sizeof dims));
    h.addData(QByteArrayView(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
    return h.result();
}

class DxfWriter {
public:
    DxfWriter(const DrawModel& model, const QString& path) : model_(model), path_(path), dw_(out_) {
        out_.reserve(2 * Piece);
        written_.reserve(2 * Piece);
        const QFileInfo info(path);
        folder_ = qfile::FolderOf(qfile::Normalize(path));
        base_ = info.completeBaseName();
        // The coordinate extent maps onto the sheet.
        map_.y0 = model.pageHeight() / UnitsPerInch;
        map_.left = model.unitsLeft();
        map_.top = model.unitsTop();
        if (model.unitsWidth() != 0 && model.unitsHeight() != 0) {
            map_.sx = double(model.pageWidth()) / model.unitsWidth();
            map_.sy = double(model.pageHeight()) / model.unitsHeight();
        }
    }

    // Every file is on disk beside its name before any replaces its old one; the drawing goes last.
    // It is written in pieces as it is made: a large page's file is tens of megabytes.
    void write() {
        for (int i = 0; i < model_.count(); ++i)
            if (model_.at(i).kind == Bitmap && !shows_.leavesOut(model_.at(i))) bitmapFor(model_.at(i).picture);
        qtext::PendingSet files;
        for (const auto& [name, image] : bitmaps_) {
            QByteArray bmp;
            if (!imageBytes(image, "BMP", bmp)) raiseError(qmerr::PathFileAccess, folder_ + name);
            files.add(folder_ + name, bmp);
        }
        files.add(path_, [this](const qtext::ByteSink& put) { drawing(put); });
        files.commit();
    }

private:
    static constexpr size_t Piece = size_t(1) << 20;

    // Each piece goes to disk while the next is made.
    void drawing(const qtext::ByteSink& put) {
        std::future<void> writing;
        auto flush = [&] {
            if (writing.valid()) writing.get();
            std::swap(out_, written_);
            out_.clear();
            // On a thread of its own; where none can be started, when it is waited for.
            writing = std::async(std::launch::async | std::launch::deferred,
                                 [&put, this] { put(QByteArrayView(written_.data(), qsizetype(written_.size()))); });
        };
        header();
        tables();
        blocks();
        dw_.sectionEntities();
        for (int i = 0; i < model_.count(); ++i) {
            if (!shows_.leavesOut(model_.at(i))) object(model_.at(i));
            if (out_.size() >= Piece) flush();
        }
        dw_.sectionEnd();
        dxf_.writeObjects(dw_);
        for (const ImageDef& d : imageDefs_)
            dxf_.writeImageDef(dw_, int(d.handle),
                               DL_ImageData(str(d.file.toUtf8()), 0, 0, 0, 0, 0, 0, 0, 0, 0, d.pw, d.ph, 50, 50, 0));
        dxf_.writeObjectsEnd(dw_);
        dw_.dxfEOF();
        flush();
        writing.get();
    }

    void header() {
        const double w = model_.pageWidth() / UnitsPerInch, h = model_.pageHeight() / UnitsPerInch;
        dxf_.writeHeader(dw_);
        dw_.dxfString(9, "$INSUNITS");
        dw_.dxfInt(70, 1); // inches
        dw_.dxfString(9, "$MEASUREMENT");
        dw_.dxfInt(70, 0);
        dw_.dxfString(9, "$DWGCODEPAGE");
        dw_.dxfString(3, "ANSI_1252");
        for (const char* name : {"$LIMMIN", "$EXTMIN"}) {
            dw_.dxfString(9, name);
            dw_.coord(10, 0, 0);
        }
        for (const char* name : {"$LIMMAX", "$EXTMAX"}) {
            dw_.dxfString(9, name);
            dw_.coord(10, w, h);
        }
        dw_.sectionEnd();
    }

    void tables() {
        dw_.sectionTables();
        dxf_.writeVPort(dw_);
        dw_.tableLinetypes(7);
        dxf_.writeLinetype(dw_, DL_LinetypeData("BYBLOCK", "", 0, 0, 0));
        dxf_.writeLinetype(dw_, DL_LinetypeData("BYLAYER", "", 0, 0, 0));
        dxf_.writeLinetype(dw_, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0));
        for (int style : {Dash, Dot, DashDot, DashDotDot}) {
            // The dashes the renderer draws, in inches; gaps are negative, dots 0.
            std::vector<double> pattern;
            double total = 0;
            const QVector<double> lengths = dashPattern(style, 0);
            for (qsizetype i = 0; i < lengths.size(); ++i) {
                const double inches = lengths[i] / UnitsPerInch;
                const bool dot = i % 2 == 0 && (style == Dot || (i > 0 && style >= DashDot));
                pattern.push_back(i % 2 ? -inches : dot ? 0.0 : inches);
                total += std::abs(pattern.back());
            }
            dxf_.writeLinetype(
                dw_, DL_LinetypeData(linetypeOf(style), "", 0, int(pattern.size()), total, pattern.data()));
        }
        dw_.tableEnd();
        dw_.tableLayers(2);
        dxf_.writeLayer(dw_, DL_LayerData("0", 0), DL_Attributes("", 7, -1, -1, "CONTINUOUS"));
        dxf_.writeLayer(dw_, DL_LayerData(HiddenLayer, 0), DL_Attributes("", -7, -1, -1, "CONTINUOUS"));
        dw_.tableEnd();
        dw_.tableStyle(1);
        dxf_.writeStyle(dw_, DL_StyleData("Standard", 0, 0, 1, 0, 0, 0.1, "arial.ttf", ""));
        dw_.tableEnd();
        dxf_.writeView(dw_);
        dxf_.writeUcs(dw_);
        dw_.tableAppid(2);
        dxf_.writeAppid(dw_, "ACAD");
        dxf_.writeAppid(dw_, AppName);
        dw_.tableEnd();
        dxf_.writeDimStyle(dw_, 0.18, 0.18, 0.0625, 0.09, 0.18);
        dxf_.writeBlockRecord(dw_);
        dw_.tableEnd();
        dw_.sectionEnd();
    }

    void blocks() {
        dw_.sectionBlocks();
        for (const char* name : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
            dxf_.writeBlock(dw_, DL_BlockData(name, 0, 0, 0, 0));
            dxf_.writeEndBlock(dw_, name);
        }
        dw_.sectionEnd();
    }

    // An entity's layer, colour, line weight and line type.
    struct Look {
        const char* layer = "0";
        int index = 256;
        int rgb = -1;
        int weight = -1;
        const char* linetype = "BYLAYER";
    };

    Look look(Long color, const Style& s, bool outline) const {
        const bool hidden = outline && s.lineStyle == NoLine;
        return {hidden ? HiddenLayer : "0", indexOf(color), toRgb24(color), outline ? lineWeightOf(s.lineWidth) : -1,
                outline ? linetypeOf(s.lineStyle) : "CONTINUOUS"};
    }

    // A page has few colours; the search of the palette is done once for each.
    int indexOf(Long color) const {
        auto it = indexes_.constFind(color);
        if (it == indexes_.cend()) it = indexes_.insert(color, nearestIndex(color));
        return *it;
    }

    // An entity's head, as dxflib writes it for release 2000, straight into the file: a page's
    // entities are most of writing it.
    void entity(const char* type, const Look& l, const char* subclass) {
        dw_.dxfText(0, type);
        dw_.handle();
        dw_.dxfText(100, "AcDbEntity");
        dw_.dxfText(8, l.layer);
        dw_.dxfInt(62, l.index);
        if (l.rgb != -1) dw_.dxfInt(420, l.rgb);
        dw_.dxfInt(370, l.weight);
        dw_.dxfText(48, "1.0");
        dw_.dxfText(6, l.linetype);
        dw_.dxfText(100, subclass);
    }

    void point(int code, const QPointF& p) {
        dw_.dxfReal(code, p.x());
        dw_.dxfReal(code + 10, p.y());
        dw_.dxfText(code + 20, "0.0");
    }

    // A shape's coordinates, each formatted once: a fill repeats its outline's points, and numbers
    // are most of writing a file. x and y of each point, then those of the ellipse's centre and axis.
    void formatNumbers(const Shape& s) {
        numbers_.clear();
        spans_.clear();
        auto add = [this](double v) {
            const size_t at = numbers_.size();
            appendReal(numbers_, v);
            spans_.emplace_back(at, numbers_.size() - at);
        };
        for (const QPointF& p : s.pts)
            add(p.x()), add(p.y());
        for (const QPointF& p : {s.centre, s.major})
            add(p.x()), add(p.y());
    }
    std::string_view number(size_t i) const { return {numbers_.data() + spans_[i].first, spans_[i].second}; }
    // The point's x and y as formatted; the ellipse's centre and axis follow the points.
    void formatted(int code, size_t point) {
        dw_.dxfText(code, number(2 * point));
        dw_.dxfText(code + 10, number(2 * point + 1));
    }

    static double degrees(double radians) { return radians / (2 * M_PI) * 360.0; }

    void object(const DrawObject& o) {
        const Shape shape = shapeOf(o, map_, true);
        formatNumbers(shape);
        const bool fillable =
            o.kind == Rectangle || o.kind == RoundRect || o.kind == Ellipse || o.kind == Polygon;
        if (fillable && o.style.fill != FillMode::None && shape.type != Shape::Segment) hatch(o, shape);
        bool longText = false;
        switch (shape.type) {
        case Shape::Segment:
            entity("LINE", look(o.style.lineColor, o.style, true), "AcDbLine");
            point(10, shape.pts[0]);
            point(11, shape.pts[1]);
            break;
        case Shape::Poly:
            entity("LWPOLYLINE", look(o.style.lineColor, o.style, true), "AcDbPolyline");
            dw_.dxfInt(90, int(shape.pts.size()));
            dw_.dxfInt(70, shape.closed ? 1 : 0);
            for (qsizetype i = 0; i < shape.pts.size(); ++i) {
                formatted(10, size_t(i));
                if (shape.bulges[i] != 0) dw_.dxfReal(42, shape.bulges[i]);
            }
            break;
        case Shape::EllipseShape:
            entity("ELLIPSE", look(o.style.lineColor, o.style, true), "AcDbEllipse");
            formatted(10, size_t(shape.pts.size()));
            dw_.dxfText(30, "0.0");
            formatted(11, size_t(shape.pts.size()) + 1);
            dw_.dxfText(31, "0.0");
            dw_.dxfReal(40, shape.ratio);
            dw_.dxfReal(41, 0.0);
            dw_.dxfReal(42, 2 * M_PI);
            break;
        case Shape::TextShape: {
            QByteArray text = encodeText(o.text);
            longText = text.size() > MaxTextBytes;
            if (longText) {
                // Cut before an escape, never inside one.
                qsizetype cut = MaxTextBytes;
                const qsizetype esc = text.lastIndexOf("\\U+", cut);
                if (esc >= 0 && esc + 7 > cut) cut = esc;
                text.truncate(cut);
            }
            entity("TEXT", look(o.style.textColor, o.style, false), "AcDbText");
            point(10, shape.insert);
            dw_.dxfReal(40, shape.height);
            dw_.dxfText(1, std::string_view(text.constData(), size_t(text.size())));
            dw_.dxfReal(50, degrees(qDegreesToRadians(shape.rotation)));
            dw_.dxfReal(41, 1.0);
            dw_.dxfText(7, "Standard");
            dw_.dxfInt(71, 0);
            dw_.dxfInt(72, shape.hjust);
            point(11, shape.pts[0]);
            dw_.dxfText(100, "AcDbText");
            dw_.dxfInt(73, 2);
            break;
        }
        case Shape::Image: {
            entity("IMAGE", Look(), "AcDbRasterImage");
            dw_.dxfInt(90, 0);
            point(10, shape.pts[0]);
            point(11, shape.u);
            point(12, shape.v);
            dw_.dxfReal(13, shape.pw);
            dw_.dxfReal(23, shape.ph);
            // The image's definition, written among the objects, takes the next handle.
            imageDefs_.push_back({dw_.handle(340), bitmapFor(o.picture), shape.pw, shape.ph});
            dw_.dxfInt(70, 15);
            dw_.dxfInt(280, 0);
            dw_.dxfInt(281, 50);
            dw_.dxfInt(282, 50);
            dw_.dxfInt(283, 0);
            break;
        }
        case Shape::None:
            return;
        }
        extendedData(payload(o, longText));
    }

    // A filled shape's fill: a HATCH just before its outline, solid, or hatched for a pattern.
    void hatch(const DrawObject& o, const Shape& shape) {
        const bool solid = o.style.fill != FillMode::Picture;
        entity("HATCH", look(o.style.fillColor, o.style, false), "AcDbHatch");
        point(10, QPointF());
        dw_.dxfReal(210, 0.0);
        dw_.dxfReal(220, 0.0);
        dw_.dxfReal(230, 1.0);
        dw_.dxfText(2, solid ? "SOLID" : "ANSI31");
        dw_.dxfInt(70, solid ? 1 : 0);
        dw_.dxfInt(71, 0);
        dw_.dxfInt(91, 1);
        dw_.dxfInt(92, 1);
        if (shape.type == Shape::EllipseShape) {
            dw_.dxfInt(93, 1);
            dw_.dxfInt(72, 3);
            formatted(10, size_t(shape.pts.size()));
            formatted(11, size_t(shape.pts.size()) + 1);
            dw_.dxfReal(40, shape.ratio);
            dw_.dxfReal(50, degrees(0));
            dw_.dxfReal(51, degrees(2 * M_PI));
            dw_.dxfInt(73, 1);
        } else {
            const qsizetype n = shape.pts.size();
            int edges = 0;
            for (qsizetype i = 0; i < n; ++i)
                edges += shape.bulges[i] != 0 || shape.pts[i] != shape.pts[(i + 1) % n];
            dw_.dxfInt(93, edges);
            for (qsizetype i = 0; i < n; ++i) {
                const QPointF p = shape.pts[i], q = shape.pts[(i + 1) % n];
                const double b = shape.bulges[i];
                if (b == 0) {
                    if (p == q) continue;
                    dw_.dxfInt(72, 1);
                    formatted(10, size_t(i));
                    formatted(11, size_t((i + 1) % n));
                    continue;
                }
                const double theta = 4 * std::atan(b);
                const QPointF d = q - p;
                const double chord = std::hypot(d.x(), d.y());
                const QPointF c = (p + q) / 2 + QPointF(-d.y() / chord, d.x() / chord) *
                                                    (chord / (2 * std::tan(theta / 2)));
                const double radius = chord / (2 * std::sin(std::abs(theta) / 2));
                dw_.dxfInt(72, 2);
                dw_.dxfReal(10, c.x());
                dw_.dxfReal(20, c.y());
                dw_.dxfReal(40, radius);
                dw_.dxfReal(50, degrees(std::atan2(p.y() - c.y(), p.x() - c.x())));
                dw_.dxfReal(51, degrees(std::atan2(q.y() - c.y(), q.x() - c.x())));
                dw_.dxfInt(73, 1);
            }
        }
        dw_.dxfInt(97, 0);
        dw_.dxfInt(75, 0);
        dw_.dxfInt(76, 1);
        if (!solid) {
            // One family of lines at 45 degrees, an eighth of an inch apart.
            dw_.dxfReal(52, 0.0);
            dw_.dxfReal(41, 1.0);
            dw_.dxfInt(77, 0);
            dw_.dxfInt(78, 1);
            dw_.dxfReal(53, 45.0);
            dw_.dxfReal(43, 0.0);
            dw_.dxfReal(44, 0.0);
            dw_.dxfReal(45, -0.0883883476483184);
            dw_.dxfReal(46, 0.0883883476483185);
            dw_.dxfInt(79, 0);
        }
        dw_.dxfInt(98, 0);
        dw_.dxfText(1001, "ACAD");
        dw_.dxfReal(1010, 0.0);
        dw_.dxfReal(1020, 0.0);
        dw_.dxfInt(1030, 0);
        extendedData("v=" + std::to_string(DataVersion) + "&r=fill");
    }

    // Into one buffer kept from object to object.
    const std::string& payload(const DrawObject& o, bool longText) {
        const Style& s = o.style;
        std::string& p = payload_;
        p.clear();
        auto key = [&p](const char* name) {
            p += '&';
            p += name;
            p += '=';
        };
        auto add = [&](const char* name, const QByteArray& value) {
            key(name);
            p.append(value.constData(), size_t(value.size()));
        };
        auto addText = [&](const char* name, const QString& value) {
            key(name);
            appendPct(p, value);
        };
        auto addInt = [&](const char* name, long long value) {
            key(name);
            appendInt(p, value);
        };
        p += "v=";
        appendInt(p, DataVersion);
        addInt("k", int(o.kind));
        addInt("f", o.x1);
        for (const Long v : {o.y1, o.x2, o.y2}) {
            p += ',';
            appendInt(p, v);
        }
        if (o.angle != 0) add("a", shortReal(o.angle));
        addInt("ls", s.lineStyle);
        addInt("lw", s.lineWidth);
        addInt("lc", s.lineColor);
        addInt("fm", s.fill == FillMode::Solid ? 0 : s.fill == FillMode::None ? 1 : 2);
        addInt("fc", s.fillColor);
        if (s.pictureStyle != 0) addInt("ps", s.pictureStyle);
        if (s.pictureBackColor != White) addInt("pb", s.pictureBackColor);
        if (s.fill == FillMode::Picture && !s.fillPicture.isNull()) {
            const QByteArray key = keyOf(s.fillPicture);
            auto it = patterns_.constFind(key);
            if (it == patterns_.cend()) {
                it = patterns_.insert(key, int(patterns_.size()) + 1);
                QByteArray png;
                imageBytes(s.fillPicture, "PNG", png);
                add("pp", png.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
            }
            addInt("pi", *it);
        }
        if (o.kind == Text) {
            addText("fn", s.fontName);
            add("th", shortReal(s.textHeight));
            add("ta", shortReal(s.textAngle));
            addInt("al", s.textAlign);
            addInt("tm", s.textMode);
            addInt("tf", int(s.textBold) | int(s.textItalic) << 1 | int(s.textStrikeout) << 2 |
                             int(s.textUnderline) << 3);
            addInt("tc", s.textColor);
            if (longText) addText("x", o.text);
        }
        for (const auto& [name, value] : o.tags) {
            addText("t", name);
            p += ':';
            appendPct(p, value);
        }
        if (o.group) addInt("g", o.group);
        return p;
    }

    void extendedData(std::string_view payload) {
        dw_.dxfString(1001, AppName);
        for (size_t i = 0; i < payload.size(); i += ChunkBytes)
            dw_.dxfText(1000, payload.substr(i, ChunkBytes));
    }

    // Objects share their picture's data: each shared image is hashed once.
    QByteArray keyOf(const QImage& image) {
        auto it = keys_.constFind(image.cacheKey());
        if (it == keys_.cend()) it = keys_.insert(image.cacheKey(), pictureKey(image));
        return *it;
    }

    // Each distinct picture once, as a BMP beside the drawing.
    QString bitmapFor(const QImage& picture) {
        QImage image = picture;
        if (image.isNull()) {
            image = QImage(1, 1, QImage::Format_RGB32);
            image.fill(Qt::white);
        }
        const QByteArray key = keyOf(image);
        auto it = bitmapNames_.constFind(key);
        if (it != bitmapNames_.cend()) return *it;
        const QString name = QStringLiteral("%1-%2.bmp").arg(base_).arg(bitmaps_.size() + 1);
        bitmaps_.emplace_back(name, image);
        bitmapNames_.insert(key, name);
        return name;
    }

    const DrawModel& model_;
    const OutputOptions shows_ = fileOutputOptions();
    QString path_, folder_, base_;
    std::string out_, written_;
    ByteWriter dw_;
    DL_Dxf dxf_;
    Mapping map_;
    struct ImageDef {
        unsigned long handle;
        QString file;
        int pw, ph;
    };
    std::vector<ImageDef> imageDefs_;
    std::vector<std::pair<QString, QImage>> bitmaps_;
    QHash<QByteArray, QString> bitmapNames_;
    QHash<QByteArray, int> patterns_;
    QHash<qint64, QByteArray> keys_;
    std::string payload_;
    std::string numbers_;
    std::vector<std::pair<size_t, size_t>> spans_;
    mutable QHash<Long, int> indexes_;
};

} // namespace

void writeDxf(const DrawModel& model, const QString& path) {
    DxfWriter writer(model, path);
    writer.write();
}

} // namespace draw
