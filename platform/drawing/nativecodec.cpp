// SPDX-License-Identifier: GPL-3.0-or-later
// The native drawing file: versioned JSON that keeps every field of the model (docs/drawing-format.md).
#include "platform/drawing/drawcodecs.h"
#include "platform/drawing/drawmodel.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"

#include <QBuffer>
#include <QHash>
#include <QMultiHash>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <span>

namespace draw {

namespace {

constexpr QLatin1StringView FormatName("Kalvex Drawing Format");
constexpr int FormatVersion = 1;

// ---- writing --------------------------------------------------------------------------------------

// JSON written straight into bytes: a page of 10,000 objects is saved while the user waits, and
// one object a line keeps a file readable and comparable as text.
class JsonOut {
public:
    QByteArray bytes;

    void begin(char bracket) {
        separate();
        bytes += bracket;
        first_ = true;
    }
    void end(char bracket) {
        if (break_) bytes += "\r\n";
        break_ = false;
        bytes += bracket;
        first_ = false;
    }
    // The next member or element starts a line of its own.
    void breakLine() { break_ = true; }
    void key(const char* name) {
        separate();
        bytes += '"';
        bytes += name;
        bytes += "\":";
        first_ = true;
    }
    void value(qint64 v) {
        separate();
        char text[24];
        bytes.append(text, std::to_chars(text, text + sizeof text, v).ptr - text);
    }
    void value(int v) { value(qint64(v)); }
    void value(double v) {
        separate();
        // JSON has no infinity or NaN; no sound drawing holds one.
        if (!std::isfinite(v)) v = 0;
        char text[32]; // the shortest text that reads back as the same double
        bytes.append(text, std::to_chars(text, text + sizeof text, v).ptr - text);
    }
    void value(bool v) {
        separate();
        bytes += v ? "true" : "false";
    }
    void value(const QString& s) {
        separate();
        bytes += '"';
        for (const char c : s.toUtf8()) {
            switch (c) {
            case '"':
                bytes += "\\\"";
                break;
            case '\\':
                bytes += "\\\\";
                break;
            case '\n':
                bytes += "\\n";
                break;
            case '\r':
                bytes += "\\r";
                break;
            case '\t':
                bytes += "\\t";
                break;
            default:
                if (uchar(c) < 0x20) {
                    static const char hex[] = "0123456789abcdef";
                    bytes += "\\u00";
                    bytes += hex[uchar(c) >> 4];
                    bytes += hex[uchar(c) & 15];
                } else {
                    bytes += c;
                }
            }
        }
        bytes += '"';
    }
    void value(const char* s) { value(QString::fromLatin1(s)); }
    // A value already written as JSON.
    void raw(const QByteArray& json) {
        separate();
        bytes += json;
    }
    // A text known to need no escapes (base64).
    void plainString(const QByteArray& ascii) {
        separate();
        bytes += '"';
        bytes += ascii;
        bytes += '"';
    }
    template <typename T> void member(const char* name, const T& v) {
        key(name);
        value(v);
    }
    void longs(const char* name, std::initializer_list<Long> values) {
        key(name);
        begin('[');
        for (Long v : values)
            value(qint64(v));
        end(']');
    }

private:
    void separate() {
        if (!first_) bytes += ',';
        if (break_) bytes += "\r\n";
        first_ = false;
        break_ = false;
    }
    bool first_ = true;
    bool break_ = false;
};

// Each distinct picture once: copies of one picture share their data and are found by its key at
// once; equal pictures made apart are found by their content.
class PictureTable {
public:
    int indexOf(const QImage& image) {
        const auto byKey = byKey_.constFind(image.cacheKey());
        if (byKey != byKey_.cend()) return *byKey;
        const size_t h = contentHash(image);
        for (auto it = byContent_.constFind(h); it != byContent_.cend() && it.key() == h; ++it)
            if (images_[*it] == image) {
                byKey_.insert(image.cacheKey(), *it);
                return *it;
            }
        const int index = int(images_.size());
        images_.append(image);
        byKey_.insert(image.cacheKey(), index);
        byContent_.insert(h, index);
        return index;
    }
    const QVector<QImage>& images() const { return images_; }

private:
    static size_t contentHash(const QImage& image) {
        size_t h = qHashMulti(0, image.width(), image.height(), int(image.format()));
        // Whole bytes of each line only: the padding after a line is not part of the picture.
        const qsizetype lineBytes = qsizetype(image.width()) * image.depth() / 8;
        for (int y = 0; y < image.height(); ++y)
            h = qHashBits(image.constScanLine(y), size_t(lineBytes), h);
        return h;
    }
    QHash<qint64, int> byKey_;
    QMultiHash<size_t, int> byContent_;
    QVector<QImage> images_;
};

const char* fillName(FillMode f) {
    switch (f) {
    case FillMode::Solid:
        break;
    case FillMode::None:
        return "none";
    case FillMode::Picture:
        return "picture";
    }
    return "solid";
}

void writeStyle(JsonOut& j, const Style& s, PictureTable& pictures) {
    j.begin('{');
    j.member("lineStyle", s.lineStyle);
    j.member("lineWidth", s.lineWidth);
    j.member("lineColor", qint64(s.lineColor));
    j.member("fill", fillName(s.fill));
    j.member("fillColor", qint64(s.fillColor));
    if (!s.fillPicture.isNull()) j.member("fillPicture", pictures.indexOf(s.fillPicture));
    j.member("pictureStyle", s.pictureStyle);
    j.member("pictureBackColor", qint64(s.pictureBackColor));
    j.member("fontName", s.fontName);
    j.member("textHeight", s.textHeight);
    j.member("textAngle", s.textAngle);
    j.member("textAlign", s.textAlign);
    j.member("textMode", s.textMode);
    j.member("textBold", s.textBold);
    j.member("textItalic", s.textItalic);
    j.member("textStrikeout", s.textStrikeout);
    j.member("textUnderline", s.textUnderline);
    j.member("textColor", qint64(s.textColor));
    j.end('}');
}

// Doubles compare by their bits, so that a file keeps even the sign of a zero.
bool sameBits(double a, double b) {
    return std::bit_cast<quint64>(a) == std::bit_cast<quint64>(b);
}

// Every field but the fill picture.
bool sameFields(const Style& a, const Style& b) {
    return a.lineStyle == b.lineStyle && a.lineWidth == b.lineWidth && a.lineColor == b.lineColor &&
           a.fill == b.fill && a.fillColor == b.fillColor && a.pictureStyle == b.pictureStyle &&
           a.pictureBackColor == b.pictureBackColor && a.fontName == b.fontName &&
           sameBits(a.textHeight, b.textHeight) && sameBits(a.textAngle, b.textAngle) &&
           a.textAlign == b.textAlign && a.textMode == b.textMode && a.textBold == b.textBold &&
           a.textItalic == b.textItalic && a.textStrikeout == b.textStrikeout &&
           a.textUnderline == b.textUnderline && a.textColor == b.textColor;
}

// Each distinct style once: a page holds thousands of objects in a handful of styles, and a file a
// quarter the size opens in a quarter of the time.
class StyleTable {
public:
    explicit StyleTable(PictureTable& pictures) : pictures_(pictures) {}
    int indexOf(const Style& s) {
        // Objects drawn one after another mostly share their style.
        if (last_ >= 0 && sameFields(s, lastStyle_) && s.fillPicture.cacheKey() == lastStyle_.fillPicture.cacheKey())
            return last_;
        const int picture = s.fillPicture.isNull() ? -1 : pictures_.indexOf(s.fillPicture);
        const size_t h = qHashMulti(size_t(picture), s.lineStyle, s.lineWidth, s.lineColor, int(s.fill), s.fillColor,
                                    s.pictureStyle, s.pictureBackColor, s.fontName, s.textHeight, s.textAngle,
                                    s.textAlign, s.textMode, s.textColor);
        int found = -1;
        for (auto it = byHash_.constFind(h); it != byHash_.cend() && it.key() == h; ++it)
            if (pictureOf_[*it] == picture && sameFields(styles_[*it], s)) {
                found = *it;
                break;
            }
        if (found < 0) {
            found = int(styles_.size());
            styles_.append(s);
            pictureOf_.append(picture);
            byHash_.insert(h, found);
            JsonOut j;
            writeStyle(j, s, pictures_);
            texts_.append(j.bytes);
        }
        last_ = found;
        lastStyle_ = s;
        return last_;
    }
    const QVector<QByteArray>& texts() const { return texts_; }

private:
    PictureTable& pictures_;
    QMultiHash<size_t, int> byHash_;
    QVector<Style> styles_;
    QVector<int> pictureOf_;
    QVector<QByteArray> texts_;
    int last_ = -1;
    Style lastStyle_;
};

// The kinds as the file names them, as bytes ready to write.
const QByteArray& kindText(Kind kind) {
    static const QHash<int, QByteArray> texts = [] {
        QHash<int, QByteArray> t;
        for (Kind k : {Line, Rectangle, RoundRect, Ellipse, Polyline, Polygon, Text, Bitmap})
            t.insert(k, kindName(k).toLatin1());
        return t;
    }();
    return *texts.constFind(kind);
}

void writeObject(JsonOut& j, const DrawObject& o, StyleTable& styles, PictureTable& pictures) {
    j.begin('{');
    j.key("kind");
    j.plainString(kindText(o.kind));
    j.longs("frame", {o.x1, o.y1, o.x2, o.y2});
    if (!o.vertices.isEmpty()) {
        j.key("vertices");
        j.begin('[');
        for (const QPoint& v : o.vertices) {
            j.value(v.x());
            j.value(v.y());
        }
        j.end(']');
    }
    if (!o.vertices.isEmpty() || o.vx1 || o.vy1 || o.vx2 || o.vy2)
        j.longs("vertexBounds", {o.vx1, o.vy1, o.vx2, o.vy2});
    j.member("angle", o.angle);
    j.member("style", styles.indexOf(o.style));
    if (!o.text.isEmpty()) j.member("text", o.text);
    if (!o.tags.isEmpty()) {
        j.key("tags");
        j.begin('[');
        for (const auto& [k, v] : o.tags) {
            j.begin('[');
            j.value(k);
            j.value(v);
            j.end(']');
        }
        j.end(']');
    }
    if (o.group) j.member("group", o.group);
    if (!o.picture.isNull()) j.member("picture", pictures.indexOf(o.picture));
    j.end('}');
}

QByteArray pngBase64(const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) raiseError(qmerr::PathFileAccess, QStringLiteral("a picture PNG cannot hold"));
    return png.toBase64();
}

// ---- reading --------------------------------------------------------------------------------------

// A JSON reader that walks the bytes in place: a document tree of a large page would cost more to
// build and to free than the page itself. It takes what JSON allows, and anything else raises 321
// with the byte where it went wrong.
class JsonIn {
public:
    JsonIn(const QByteArray& bytes, const QString& path)
        : begin_(bytes.constData()), p_(begin_), end_(begin_ + bytes.size()), path_(path) {}

    [[noreturn]] void fail(const char* what) const {
        damagedFile(path_, QStringLiteral("%1 at byte %2").arg(QLatin1StringView(what)).arg(p_ - begin_));
    }
    qsizetype offset() const { return p_ - begin_; }
    void seek(qsizetype offset) { p_ = begin_ + offset; }
    char peek() {
        while (p_ < end_ && (*p_ == ' ' || *p_ == '\t' || *p_ == '\n' || *p_ == '\r'))
            ++p_;
        return p_ < end_ ? *p_ : '\0';
    }
    void expectEnd() {
        if (peek() != '\0' || p_ != end_) fail("more after the drawing");
    }

    // Calls f(name) for each member of an object, the reader standing at the member's value, which f
    // reads or skips.
    template <typename F> void members(F&& f) {
        enter('{');
        if (peek() == '}') {
            ++p_;
            return leave();
        }
        for (;;) {
            const QByteArray name = key();
            if (peek() != ':') fail("expected :");
            ++p_;
            f(name);
            const char c = peek();
            ++p_;
            if (c == '}') return leave();
            if (c != ',') fail("expected , or }");
        }
    }
    // Calls f(index) for each element of an array.
    template <typename F> void elements(F&& f) {
        enter('[');
        if (peek() == ']') {
            ++p_;
            return leave();
        }
        for (qsizetype i = 0;; ++i) {
            f(i);
            const char c = peek();
            ++p_;
            if (c == ']') return leave();
            if (c != ',') fail("expected , or ]");
        }
    }

    double number() {
        const char c = peek();
        if (c != '-' && (c < '0' || c > '9')) fail("expected a number");
        double v = 0;
        const auto [next, error] = std::from_chars(p_, end_, v);
        if (error != std::errc()) fail("a number out of range");
        p_ = next;
        return v;
    }
    bool boolean() {
        if (literal("true")) return true;
        if (literal("false")) return false;
        fail("expected true or false");
    }
    QString string() {
        if (peek() != '"') fail("expected a text");
        const char* start = ++p_;
        while (p_ < end_ && *p_ != '"' && *p_ != '\\' && uchar(*p_) >= 0x20)
            ++p_;
        if (p_ < end_ && *p_ == '"') return QString::fromUtf8(start, (p_++) - start);
        QByteArray utf8(start, p_ - start);
        for (;;) {
            if (p_ >= end_) fail("a text without its end");
            const char c = *p_++;
            if (c == '"') break;
            if (uchar(c) < 0x20) fail("a control character in a text");
            if (c != '\\') {
                utf8 += c;
                continue;
            }
            if (p_ >= end_) fail("a text without its end");
            switch (const char e = *p_++) {
            case '"':
            case '\\':
            case '/':
                utf8 += e;
                break;
            case 'b':
                utf8 += '\b';
                break;
            case 'f':
                utf8 += '\f';
                break;
            case 'n':
                utf8 += '\n';
                break;
            case 'r':
                utf8 += '\r';
                break;
            case 't':
                utf8 += '\t';
                break;
            case 'u': {
                char32_t cp = hex4();
                if (cp >= 0xD800 && cp < 0xDC00) {
                    if (end_ - p_ < 2 || p_[0] != '\\' || p_[1] != 'u') fail("half a character");
                    p_ += 2;
                    const char32_t low = hex4();
                    if (low < 0xDC00 || low > 0xDFFF) fail("half a character");
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
                    fail("half a character");
                }
                utf8 += QString::fromUcs4(&cp, 1).toUtf8();
                break;
            }
            default:
                fail("an unknown escape in a text");
            }
        }
        return QString::fromUtf8(utf8);
    }
    // Passes over a value of any kind.
    void skip() {
        switch (peek()) {
        case '{':
            members([this](const QByteArray&) { skip(); });
            break;
        case '[':
            elements([this](qsizetype) { skip(); });
            break;
        case '"':
            string();
            break;
        case 't':
        case 'f':
            boolean();
            break;
        case 'n':
            if (!literal("null")) fail("expected a value");
            break;
        default:
            number();
        }
    }

private:
    void enter(char bracket) {
        if (peek() != bracket) fail(bracket == '{' ? "expected {" : "expected [");
        ++p_;
        // Nesting a drawing never needs; a deeper file would only run the stack out.
        if (++depth_ > 64) fail("nested too deep");
    }
    void leave() { --depth_; }
    QByteArray key() {
        if (peek() != '"') fail("expected a name");
        const char* start = p_ + 1;
        const char* q = start;
        while (q < end_ && *q != '"' && *q != '\\' && uchar(*q) >= 0x20)
            ++q;
        if (q < end_ && *q == '"') {
            p_ = q + 1;
            return QByteArray::fromRawData(start, q - start);
        }
        return string().toUtf8();
    }
    bool literal(const char* word) {
        const qsizetype n = qsizetype(std::strlen(word));
        if (peek() && end_ - p_ >= n && std::memcmp(p_, word, size_t(n)) == 0) {
            p_ += n;
            return true;
        }
        return false;
    }
    char32_t hex4() {
        if (end_ - p_ < 4) fail("a text without its end");
        char32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = *p_++;
            v <<= 4;
            if (c >= '0' && c <= '9')
                v |= char32_t(c - '0');
            else if (c >= 'a' && c <= 'f')
                v |= char32_t(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                v |= char32_t(c - 'A' + 10);
            else
                fail("a bad character code");
        }
        return v;
    }

    const char* begin_;
    const char* p_;
    const char* end_;
    QString path_;
    int depth_ = 0;
};

// Reads a drawing file: every member is checked, and anything out of place raises 321 naming it.
class NativeReader {
public:
    NativeReader(const QByteArray& bytes, const QString& path) : in_(bytes, path), path_(path) {}

    void read(DrawModel& model) {
        // The places of the top members first: the tables may follow the objects that use them.
        QHash<QByteArray, qsizetype> at;
        in_.members([&](const QByteArray& name) {
            at.insert(QByteArray(name.constData(), name.size()), in_.offset());
            in_.skip();
        });
        in_.expectEnd();
        auto seek = [&](const char* name, bool required) {
            const auto it = at.constFind(QByteArray(name));
            if (it == at.cend()) {
                if (required) damagedFile(path_, QStringLiteral("no %1").arg(QLatin1StringView(name)));
                return false;
            }
            in_.seek(*it);
            return true;
        };

        if (!seek("format", false) || in_.peek() != '"' || in_.string() != FormatName)
            damagedFile(path_, QStringLiteral("not a drawing file of this program"));
        seek("version", true);
        const double version = in_.number();
        if (version > FormatVersion)
            damagedFile(path_, QStringLiteral("a drawing of a newer version (%1)").arg(version));
        if (version != FormatVersion) damagedFile(path_, QStringLiteral("version %1").arg(version));

        if (seek("pictures", false))
            in_.elements([&](qsizetype i) {
                where_ = QStringLiteral("picture %1: ").arg(i + 1);
                pictures_.append(readPicture());
            });
        seek("styles", true);
        in_.elements([&](qsizetype i) {
            where_ = QStringLiteral("style %1: ").arg(i + 1);
            styles_.append(readStyle());
        });
        where_.clear();
        seek("sheet", true);
        readSheet(model);
        seek("defaults", true);
        where_ = QStringLiteral("defaults: ");
        model.defaults() = readStyle();
        seek("objects", true);
        in_.elements([&](qsizetype i) {
            where_ = QStringLiteral("object %1: ").arg(i + 1);
            readObject(model);
        });
    }

private:
    [[noreturn]] void bad(const char* name, const char* what) const {
        damagedFile(path_, where_ + QLatin1StringView(name) + QLatin1Char(' ') + QLatin1StringView(what));
    }
    // Checks that every member named in names (a bit each) came.
    void complete(quint32 seen, std::span<const char* const> names) const {
        int bit = 0;
        for (const char* name : names)
            if (!(seen & (1u << bit++))) bad(name, "missing");
    }
    qint64 whole(const char* name, qint64 lo, qint64 hi) {
        const double d = in_.number();
        if (!(d >= double(lo) && d <= double(hi)) || d != std::floor(d)) bad(name, "out of range");
        return qint64(d);
    }
    Long toLong(const char* name) {
        return Long(whole(name, std::numeric_limits<Long>::min(), std::numeric_limits<Long>::max()));
    }
    int toInt(const char* name) {
        return int(whole(name, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    }
    // n whole numbers (n = 0: any even count).
    QVector<Long> longs(const char* name, qsizetype n) {
        QVector<Long> out;
        in_.elements([&](qsizetype) { out.append(toLong(name)); });
        if (n ? out.size() != n : out.size() % 2 != 0) bad(name, "of the wrong length");
        return out;
    }
    int index(const char* name, qsizetype count) {
        const int i = toInt(name);
        if (i < 0 || i >= count) bad(name, "refers to nothing");
        return i;
    }

    QImage readPicture() {
        QByteArray png;
        int format = QImage::Format_Invalid;
        bool hasPng = false;
        in_.members([&](const QByteArray& name) {
            if (name == "png") {
                const auto decoded = QByteArray::fromBase64Encoding(in_.string().toLatin1(),
                                                                    QByteArray::AbortOnBase64DecodingErrors);
                if (!decoded) bad("png", "not base64");
                png = *decoded;
                hasPng = true;
            } else if (name == "format") {
                format = toInt("format");
            } else {
                in_.skip();
            }
        });
        if (!hasPng) bad("png", "missing");
        QImage image = decodeImage(png, "png", path_);
        // PNG brings some formats back as their nearest kin; the recorded one is restored.
        if (format > QImage::Format_Invalid && format < QImage::NImageFormats && format != int(image.format()))
            image = image.convertToFormat(QImage::Format(format));
        return image;
    }

    void readSheet(DrawModel& model) {
        quint32 seen = 0;
        in_.members([&](const QByteArray& name) {
            if (name == "pageWidth")
                model.setPageWidth(toLong("pageWidth")), seen |= 1u << 0;
            else if (name == "pageHeight")
                model.setPageHeight(toLong("pageHeight")), seen |= 1u << 1;
            else if (name == "unitsLeft")
                model.setUnitsLeft(toLong("unitsLeft")), seen |= 1u << 2;
            else if (name == "unitsTop")
                model.setUnitsTop(toLong("unitsTop")), seen |= 1u << 3;
            else if (name == "unitsWidth")
                model.setUnitsWidth(toLong("unitsWidth")), seen |= 1u << 4;
            else if (name == "unitsHeight")
                model.setUnitsHeight(toLong("unitsHeight")), seen |= 1u << 5;
            else if (name == "coordinateMode")
                model.setCoordinateMode(toInt("coordinateMode")), seen |= 1u << 6;
            else if (name == "drawOptions")
                model.setDrawOptions(toLong("drawOptions")), seen |= 1u << 7;
            else if (name == "backgroundColor")
                model.setBackgroundColor(toLong("backgroundColor")), seen |= 1u << 8;
            else
                in_.skip();
        });
        static const char* const names[] = {"pageWidth",  "pageHeight",     "unitsLeft",
                                            "unitsTop",   "unitsWidth",     "unitsHeight",
                                            "coordinateMode", "drawOptions", "backgroundColor"};
        complete(seen, names);
    }

    Style readStyle() {
        static const char* const names[] = {"lineStyle",    "lineWidth",     "lineColor",    "fill",
                                            "fillColor",    "pictureStyle",  "pictureBackColor",
                                            "fontName",     "textHeight",    "textAngle",    "textAlign",
                                            "textMode",     "textBold",      "textItalic",   "textStrikeout",
                                            "textUnderline", "textColor",    "fillPicture"};
        Style s;
        quint32 seen = 0;
        in_.members([&](const QByteArray& name) {
            int field = -1;
            for (int i = 0; i < int(std::size(names)); ++i)
                if (name == names[i]) {
                    field = i;
                    break;
                }
            if (field >= 0) seen |= 1u << field;
            switch (field) {
            case 0:
                s.lineStyle = toInt(names[field]);
                break;
            case 1:
                s.lineWidth = toInt(names[field]);
                break;
            case 2:
                s.lineColor = toLong(names[field]);
                break;
            case 3: {
                const QString fill = in_.string();
                if (fill == QLatin1StringView("solid"))
                    s.fill = FillMode::Solid;
                else if (fill == QLatin1StringView("none"))
                    s.fill = FillMode::None;
                else if (fill == QLatin1StringView("picture"))
                    s.fill = FillMode::Picture;
                else
                    bad("fill", "not solid, none or picture");
                break;
            }
            case 4:
                s.fillColor = toLong(names[field]);
                break;
            case 5:
                s.pictureStyle = toInt(names[field]);
                break;
            case 6:
                s.pictureBackColor = toLong(names[field]);
                break;
            case 7:
                s.fontName = in_.string();
                break;
            case 8:
                s.textHeight = in_.number();
                break;
            case 9:
                s.textAngle = in_.number();
                break;
            case 10:
                s.textAlign = toInt(names[field]);
                break;
            case 11:
                s.textMode = toInt(names[field]);
                break;
            case 12:
                s.textBold = in_.boolean();
                break;
            case 13:
                s.textItalic = in_.boolean();
                break;
            case 14:
                s.textStrikeout = in_.boolean();
                break;
            case 15:
                s.textUnderline = in_.boolean();
                break;
            case 16:
                s.textColor = toLong(names[field]);
                break;
            case 17:
                s.fillPicture = pictures_[index("fillPicture", pictures_.size())];
                break;
            default:
                in_.skip();
            }
        });
        complete(seen, std::span(names, 17)); // all but the picture
        return s;
    }

    void readObject(DrawModel& model) {
        static const QHash<QString, Kind> kinds = [] {
            QHash<QString, Kind> k;
            for (Kind kind : {Line, Rectangle, RoundRect, Ellipse, Polyline, Polygon, Text, Bitmap})
                k.insert(kindName(kind), kind);
            return k;
        }();
        Kind kind = Line;
        QVector<Long> frame, bounds, vertices;
        double angle = 0;
        int style = 0, group = 0, picture = -1;
        QString text;
        QList<std::pair<QString, QString>> tags;
        quint32 seen = 0;
        in_.members([&](const QByteArray& name) {
            if (name == "kind") {
                const auto it = kinds.constFind(in_.string());
                if (it == kinds.cend()) bad("kind", "unknown");
                kind = *it;
                seen |= 1;
            } else if (name == "frame") {
                frame = longs("frame", 4);
                seen |= 2;
            } else if (name == "angle") {
                angle = in_.number();
                seen |= 4;
            } else if (name == "style") {
                style = index("style", styles_.size());
                seen |= 8;
            } else if (name == "vertices") {
                vertices = longs("vertices", 0);
            } else if (name == "vertexBounds") {
                bounds = longs("vertexBounds", 4);
            } else if (name == "text") {
                text = in_.string();
            } else if (name == "tags") {
                in_.elements([&](qsizetype) {
                    QStringList pair;
                    in_.elements([&](qsizetype) { pair << in_.string(); });
                    if (pair.size() != 2) bad("tag", "not a name and a value");
                    tags.append({pair[0], pair[1]});
                });
            } else if (name == "group") {
                group = toInt("group");
                if (group < 0) bad("group", "below 0");
            } else if (name == "picture") {
                picture = index("picture", pictures_.size());
            } else {
                in_.skip();
            }
        });
        static const char* const required[] = {"kind", "frame", "angle", "style"};
        complete(seen, required);

        DrawObject& o = model.add(kind, frame[0], frame[1], frame[2], frame[3]);
        o.vertices.reserve(vertices.size() / 2);
        for (qsizetype i = 0; i < vertices.size(); i += 2)
            o.vertices.append(QPoint(vertices[i], vertices[i + 1]));
        if (!bounds.isEmpty()) o.vx1 = bounds[0], o.vy1 = bounds[1], o.vx2 = bounds[2], o.vy2 = bounds[3];
        o.angle = angle;
        o.style = styles_[style];
        o.text = text;
        for (const auto& [k, v] : tags)
            o.setTag(k, v);
        o.group = group;
        if (picture >= 0) o.picture = pictures_[picture];
    }

    JsonIn in_;
    QString path_;
    QString where_;
    QVector<QImage> pictures_;
    QVector<Style> styles_;
};

} // namespace

void writeNative(const DrawModel& model, const QString& path) {
    PictureTable pictures;
    StyleTable styles(pictures);
    JsonOut j;
    j.bytes.reserve(4096 + qsizetype(model.count()) * 160);
    j.begin('{');
    j.member("format", QString(FormatName));
    j.member("version", FormatVersion);
    j.breakLine();
    j.key("sheet");
    j.begin('{');
    j.member("pageWidth", qint64(model.pageWidth()));
    j.member("pageHeight", qint64(model.pageHeight()));
    j.member("unitsLeft", qint64(model.unitsLeft()));
    j.member("unitsTop", qint64(model.unitsTop()));
    j.member("unitsWidth", qint64(model.unitsWidth()));
    j.member("unitsHeight", qint64(model.unitsHeight()));
    j.member("coordinateMode", model.coordinateMode());
    j.member("drawOptions", qint64(model.drawOptions()));
    j.member("backgroundColor", qint64(model.backgroundColor()));
    j.end('}');
    j.breakLine();
    j.key("defaults");
    writeStyle(j, model.defaults(), pictures);
    j.breakLine();
    j.key("objects");
    j.begin('[');
    for (int i = 0; i < model.count(); ++i) {
        j.breakLine();
        writeObject(j, model.at(i), styles, pictures);
    }
    j.breakLine();
    j.end(']');
    // The tables after the objects that fill them; a reader takes the members in any order.
    j.breakLine();
    j.key("styles");
    j.begin('[');
    for (const QByteArray& style : styles.texts()) {
        j.breakLine();
        j.raw(style);
    }
    j.breakLine();
    j.end(']');
    j.breakLine();
    j.key("pictures");
    j.begin('[');
    for (const QImage& image : pictures.images()) {
        j.breakLine();
        j.begin('{');
        j.member("format", int(image.format()));
        j.key("png");
        j.plainString(pngBase64(image));
        j.end('}');
    }
    j.breakLine();
    j.end(']');
    j.breakLine();
    j.end('}');
    j.bytes += "\r\n";
    qtext::WriteBytes(path, j.bytes);
}

void readNative(const QString& path, DrawModel& into) {
    const QByteArray bytes = qtext::ReadBytes(path);
    DrawModel loaded;
    loaded.setRedraw(false);
    NativeReader(bytes, path).read(loaded);
    adoptLoaded(into, std::move(loaded), path);
}

} // namespace draw
