// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drawing/drawobject.h"

#include <QByteArray>
#include <QImage>
#include <QPolygonF>
#include <QString>
#include <QTransform>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

// What the WMF and EMF codecs share: little-endian bytes, the logical pens, brushes and fonts both
// carry, device-independent bitmaps, the text spacing of the renderer, the walk that writes a
// drawing as graphics-device calls, and the one player that turns what a metafile draws back into
// drawing objects. The codecs keep only their record layouts.
namespace draw {
class DrawModel;
}

namespace draw::meta {

// ---- bytes

// The two formats hold the same structures, with 16-bit fields in a WMF and 32-bit ones in an EMF.
enum class Format { Wmf, Emf };

class Out {
public:
    void u8(quint32 v) { bytes.append(char(v & 0xFF)); }
    void u16(quint32 v);
    void i16(qint32 v) { u16(quint32(v) & 0xFFFF); }
    void u32(quint32 v);
    void i32(qint32 v) { u32(quint32(v)); }
    void f32(float v);
    void field(qint32 v, Format f) { f == Format::Wmf ? i16(v) : i32(v); }
    void raw(const QByteArray& b) { bytes.append(b); }
    void zeros(qsizetype n) { bytes.append(n, '\0'); }
    void setU16(qsizetype at, quint32 v);
    void setU32(qsizetype at, quint32 v);
    qsizetype size() const { return bytes.size(); }
    QByteArray bytes;
};

// Reads one stretch of a file; a read beyond its end means the file is damaged (error 321).
class In {
public:
    In(const QByteArray& data, qsizetype begin, qsizetype end, const QString& path);
    quint32 u8();
    quint32 u16();
    qint32 i16() { return qint16(u16()); }
    quint32 u32();
    qint32 i32() { return qint32(u32()); }
    float f32();
    qint32 field(Format f) { return f == Format::Wmf ? i16() : i32(); }
    quint32 ufield(Format f) { return f == Format::Wmf ? u16() : u32(); }
    // n points of x then y, 16-bit or 32-bit each; the count is checked against the bytes left.
    QPolygonF points(qint64 n, bool wide);
    QByteArray raw(qsizetype n);
    void skip(qsizetype n);
    // Moves to an offset from the start of the stretch.
    void seek(qsizetype offset);
    qsizetype left() const { return end_ - pos_; }
    // Raises 321 unless n more bytes are there, so that counts read from a file are checked before
    // anything is reserved for them.
    void need(qsizetype n) const;
    const QString& path() const { return path_; }

private:
    const QByteArray& data_;
    qsizetype begin_, pos_, end_;
    QString path_;
};

// Latin-1 text up to its first NUL, as the narrow fields hold it.
QString latin1Text(const QByteArray& bytes);

// ---- device-independent bitmaps

// A header (40 bytes) and 24-bit rows bottom up, with the picture's resolution; transparent parts
// come out white, as they would paint on the sheet.
QByteArray dibOf(const QImage& image);
constexpr int DibHeaderSize = 40;
// The picture of a DIB given as header with colour table (info) and pixel rows (bits); damaged
// bits raise 321, a picture too large to hold 61706.
QImage imageOfDib(const QByteArray& info, const QByteArray& bits, const QString& path);
// The same for a DIB held in one piece: header, colour table, rows.
QImage imageOfPackedDib(const QByteArray& dib, const QString& path);

// ---- text

// Advances of the text's UTF-16 code units in drawing units, adding up to the width the renderer
// gives the whole text.
std::vector<double> advances(const Style& s, const QString& text);

// ---- graphics-device constants both formats use

namespace gdi {
enum MapMode { MmText = 1, MmLoMetric, MmHiMetric, MmLoEnglish, MmHiEnglish, MmTwips, MmIsotropic, MmAnisotropic };
enum TextAlign { TaLeft = 0, TaUpdateCp = 1, TaRight = 2, TaCenter = 6, TaTop = 0, TaBottom = 8, TaBaseline = 24 };
enum BrushStyle { BsSolid = 0, BsNull = 1, BsHatched = 2, BsPattern = 3, BsDibPattern = 5, BsDibPatternPt = 6 };
constexpr int BkTransparent = 1;
constexpr int PolyFillAlternate = 1;
constexpr int FwNormal = 400, FwBold = 700;
constexpr quint32 SrcCopy = 0x00CC0020;
constexpr quint32 PatCopy = 0x00F00021;
constexpr quint32 Blackness = 0x00000042;
constexpr quint32 Whiteness = 0x00FF0062;
} // namespace gdi

// ---- logical pens, brushes and fonts

// The sheet and the coordinate window mapped onto it: the drawing's extent when it sets one, else
// the sheet itself.
struct SheetFrame {
    Long width = 1, height = 1;
    QRectF window;
};
SheetFrame sheetFrame(const DrawModel& model);

// A pen of the given width (the format's units) in the style's style and colour; styles we do not
// have draw solid.
void writeLogPen(Out& out, const Style& s, qint32 width, Format f);
// A solid or hollow brush; a picture brush has a record of its own.
void writeLogBrush(Out& out, const Style& s, Format f);
// A font of the given height (the format's units; never 0, which would be the default size), the
// face cut to what the field holds.
void writeLogFont(Out& out, const Style& s, qint32 height, Format f);

// ---- writing: the drawing walked as graphics-device calls

// What one format writes. Coordinates are drawing units; a sink scales them to its own.
class RecordSink {
public:
    virtual ~RecordSink() = default;
    // The pen, brush or font of the following shapes; called only when it changes.
    virtual void pen(const Style& s) = 0;
    virtual void brush(const Style& s) = 0; // fill None, Solid or Picture with a picture
    virtual void font(const Style& s) = 0;
    virtual void textColor(Long color) = 0;
    virtual void textAlign(int flags) = 0;
    // Whether the format turns shapes by a world transform; without one, turned frames are written
    // as polygons and turned bitmaps as turned pixels.
    virtual bool turns() const = 0;
    virtual void setTurn(const QTransform&) {}
    virtual void clearTurn() {}
    virtual void line(const QPointF& a, const QPointF& b) = 0;
    virtual void rectangle(const QRectF& r) = 0;
    virtual void roundRect(const QRectF& r, const QSizeF& corner) = 0;
    virtual void ellipse(const QRectF& r) = 0;
    virtual void polyline(const QPolygonF& points) = 0;
    virtual void polygon(const QPolygonF& points) = 0;
    // The reference point lies on the baseline, placed by the text alignment set before.
    virtual void text(const QPointF& reference, const QString& text, const Style& s, const QRectF& bounds) = 0;
    virtual void bitmap(const QRectF& r, const QImage& picture) = 0;
};

// A sink whose pens, brushes and fonts are objects in a table: a new one takes the lowest free slot,
// is selected, then the one it replaces is deleted, so the table stays at a few slots.
class TableSink : public RecordSink {
public:
    int tableSize() const { return size_; } // the most slots in use at once, reserved ones included

protected:
    enum class Role { Pen, Brush, Font };
    // The first slots may stand for something else (an EMF's index 0 is the file itself).
    explicit TableSink(int reserved) : used_(size_t(reserved), true), size_(reserved) {}
    virtual void selectObject(int slot) = 0;
    virtual void deleteObject(int slot) = 0;
    // create writes the record that makes the object in the slot it is given.
    void replace(Role role, const std::function<void(int slot)>& create);

private:
    std::vector<bool> used_;
    int size_;
    int current_[3] = {-1, -1, -1};
};

// Writes the objects a drawing file shows, back to front.
void writeObjects(const DrawModel& model, RecordSink& sink);

// ---- reading: one player of the graphics-device records

struct Pen {
    int style = Solid; // our line styles share the device's numbers 0 to 6
    double width = 0;  // logical units; 0 one device pixel
    bool cosmetic = true;
    Long color = Black;
};
struct Brush {
    FillMode fill = FillMode::Solid;
    Long color = White;
    QImage picture;
};
struct Font {
    QString name = QStringLiteral("Arial");
    double height = 0; // logical units, negative the em; 0 the default size
    double escapement = 0; // tenths of a degree
    int weight = gdi::FwNormal;
    bool italic = false, underline = false, strikeout = false;
};
using GdiObject = std::variant<std::monostate, Pen, Brush, Font>;

Pen penFrom(quint32 style, double width, Long color);
Brush brushFrom(quint32 style, Long color, quint32 hatch);
// The logical structures as the records hold them; a font's face is read up to its first NUL.
Pen readLogPen(In& in, Format f);
Brush readLogBrush(In& in, Format f);
Font readLogFont(In& in, Format f);
// A colour reference's red, green and blue as R + 256 G + 65536 B.
inline Long colorRef(quint32 c) {
    return Long(c & 0xFFFFFF);
}

struct DcState {
    Pen pen;
    Brush brush;
    Font font;
    Long textColor = Black;
    int textAlign = gdi::TaLeft | gdi::TaTop;
    int mapMode = gdi::MmText;
    QPointF windowOrg, viewportOrg;
    QSizeF windowExt{1, 1}, viewportExt{1, 1};
    bool windowExtSet = false, viewportExtSet = false;
    QTransform world;
    QPointF position; // logical
};

class Player {
public:
    // How the device space of a file meets the sheet.
    struct Device {
        double pixelsPerInch = 96; // device pixels an inch, for the fixed mapping modes
        QTransform toUnits;        // device pixels to drawing units
        // Placeable WMF: the viewport is the bounding box until the file sets one. Plain WMF: an
        // unset viewport takes the window's extent, so the window is the picture's frame.
        std::optional<QRectF> viewport;
        bool viewportFollowsWindow = false;
        DcState start;
    };

    Player(DrawModel& into, const QString& path, const Device& device);

    DcState& dc() { return dc_; }
    void changed() { mapped_.reset(); } // after any change of the mapping
    // Logical coordinates to drawing units, as the state is now.
    const QTransform& toUnits() const;

    // The mapping of logical coordinates onto the device.
    void setMapMode(int mode);
    void setWindowOrg(const QPointF& p);
    void offsetWindowOrg(const QPointF& d);
    void setWindowExt(const QSizeF& e);
    void scaleWindowExt(qint32 xNum, qint32 xDenom, qint32 yNum, qint32 yDenom);
    void setViewportOrg(const QPointF& p);
    void offsetViewportOrg(const QPointF& d);
    void setViewportExt(const QSizeF& e);
    void scaleViewportExt(qint32 xNum, qint32 xDenom, qint32 yNum, qint32 yDenom);

    // Object table: WMF fills the lowest free slot, EMF names the index; stock objects carry bit 31.
    int createInFreeSlot(GdiObject object);
    void create(quint32 index, GdiObject object);
    void select(quint32 index);
    void remove(quint32 index);

    void saveDc();
    void restoreDc(int which);

    void moveTo(const QPointF& p);
    void lineTo(const QPointF& p);
    void polyline(const QPolygonF& points);
    void polygon(const QPolygonF& points);
    // Cubic pieces from the current point (to) or from the first point, flattened.
    void polyBezier(const QPolygonF& points, bool fromCurrent);
    void polylineTo(const QPolygonF& points);
    void rectangle(const QRectF& box);
    void roundRect(const QRectF& box);
    void ellipse(const QRectF& box);
    void text(const QPointF& reference, const QString& text);
    // Blits: the part of a picture at x, y, w by h stretched over dest, its rows counted from the
    // foot for a bottom-up bitmap; a blit without a picture fills dest as its raster operation says.
    void blit(const QRectF& dest, const QImage& picture, qint32 x, qint32 y, qint32 w, qint32 h, bool fromFoot);
    void blitFill(quint32 rop, const QRectF& dest);

    // Paths: between begin and end the drawing records lay out figures instead of drawing.
    void beginPath();
    void endPath() { inPath_ = false; }
    void abortPath();
    void closeFigure();
    void fillPath(bool stroke, bool fill);

    // The frame (drawing units) the sheet is cut to: its corner becomes the sheet's corner. Without
    // one the sheet is what the objects cover.
    void finish(std::optional<QRectF> frame);

private:
    struct Figure {
        QPolygonF points; // drawing units
        bool closed = false;
    };
    QTransform pageTransform() const;
    QSizeF viewportExtent() const; // as the mapping uses it, set or not
    void bitmap(const QRectF& dest, const QImage& picture);
    // Fills a box with the brush only; color overrides the brush when given.
    void fillBox(const QRectF& box, std::optional<Long> color = std::nullopt);
    Style lineStyle() const;
    Style fillStyle() const;
    void addOutline(const QPolygonF& units, bool closed, bool filled);
    void addBox(Kind kind, const QRectF& box);
    QPolygonF mapped(const QPolygonF& logical) const;
    double widthUnits(const Pen& p) const;
    void addFigure(const QPolygonF& units, bool closed);

    DrawModel& into_;
    QString path_;
    Device device_;
    DcState dc_;
    std::vector<DcState> saved_;
    std::vector<GdiObject> table_;
    std::vector<bool> used_; // a slot may hold an object the player has no use for
    mutable std::optional<QTransform> mapped_;
    bool inPath_ = false;
    bool figureOpen_ = false;
    std::vector<Figure> figures_;
};

// Cubic Bezier pieces (start, then three points a piece) as points along the curve.
QPolygonF flattenBezier(const QPolygonF& points);

} // namespace draw::meta
