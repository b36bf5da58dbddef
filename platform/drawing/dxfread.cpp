// SPDX-License-Identifier: GPL-3.0-or-later
// Reading DXF drawing files. An entity this program wrote takes its object back from the extended
// data while the entity still has the shape it was written with; an entity changed in another
// program, and every entity of a foreign file, is read from its geometry alone.
#include "platform/drawing/drawcodecs.h"
#include "platform/drawing/drawmodel.h"
#include "platform/drawing/drawrender.h"
#include "platform/drawing/dxfmap.h"
#include "platform/filenames.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-copy"
#include <dl_creationadapter.h>
#include <dl_dxf.h>
#pragma GCC diagnostic pop

#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>
#include <sstream>

namespace draw {

namespace {

using namespace dxf;

// ---- numbers ------------------------------------------------------------------------------------------

std::string_view trimmed(std::string_view v) {
    while (!v.empty() && (v.front() == ' ' || v.front() == '\t'))
        v.remove_prefix(1);
    while (!v.empty() && (v.back() == ' ' || v.back() == '\t'))
        v.remove_suffix(1);
    return v;
}

std::optional<long long> parseInt(std::string_view v) {
    v = trimmed(v);
    if (!v.empty() && v.front() == '+') v.remove_prefix(1);
    long long n = 0;
    const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
    if (ec != std::errc() || end != v.data() + v.size() || v.empty()) return std::nullopt;
    return n;
}

std::optional<double> parseReal(std::string_view v) {
    v = trimmed(v);
    if (!v.empty() && v.front() == '+') v.remove_prefix(1);
    if (v.empty()) return std::nullopt;
    double d = 0;
    auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), d);
    if (ec != std::errc() || end != v.data() + v.size()) {
        // Files written under a comma locale.
        std::string s(v);
        std::replace(s.begin(), s.end(), ',', '.');
        auto [end2, ec2] = std::from_chars(s.data(), s.data() + s.size(), d);
        if (ec2 != std::errc() || end2 != s.data() + s.size()) return std::nullopt;
    }
    if (!std::isfinite(d)) return std::nullopt;
    return d;
}

bool isRealCode(int c) {
    return (c >= 10 && c <= 59) || (c >= 110 && c <= 149) || (c >= 210 && c <= 239) ||
           (c >= 460 && c <= 469) || (c >= 1010 && c <= 1059);
}
bool isIntCode(int c) {
    return (c >= 60 && c <= 99) || (c >= 170 && c <= 179) || (c >= 270 && c <= 289) ||
           (c >= 370 && c <= 389) || (c >= 400 && c <= 409) || (c >= 420 && c <= 429) ||
           (c >= 440 && c <= 459) || (c >= 1060 && c <= 1071);
}

// ---- geometry -----------------------------------------------------------------------------------------

// The arc a bulge makes from p to q, as points after p up to and including q.
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

// ---- reading ------------------------------------------------------------------------------------------

struct LayerInfo {
    Long color = Black;
    QString linetype;
    int weight = -3;
    bool hidden = false;
};

// One entity as dxflib hands it over, in file coordinates.
struct Entity {
    enum Type { LineE, PolyE, CircleE, ArcE, EllipseE, TextE, MTextE, SolidE, HatchE, ImageE } type = LineE;
    DL_Attributes attrib;
    bool mirrored = false; // extrusion along -z: x of the entity's own coordinates runs the other way
    bool invisible = false;
    bool hasData = false;
    QByteArrayView data;
    QVector<QPointF> pts;
    QVector<double> bulges;
    bool closed = false, mesh = false;
    QPointF c, axis;
    double r = 0, a1 = 0, a2 = 0, ratio = 1;
    QPointF ip, ap;
    double height = 0, rotation = 0, spacing = 1;
    int hjust = 0, vjust = 0, attach = 1;
    QString text;
    bool solid = true;
    std::vector<std::vector<DL_HatchEdgeData>> edges; // of each loop of a hatch
    std::string_view raw; // this program's fill: its pairs in the file, read only when its shape is gone
    QPointF u, v;
    int pw = 1, ph = 1;
    QString ref;
};

// A hatch edge's points, after those of the edges before it.
void appendEdge(QVector<QPointF>& loop, const DL_HatchEdgeData& d) {
    switch (d.type) {
    case 0: { // a closed polyline: x, y and the bulge of each vertex
        QVector<QPointF> pts;
        QVector<double> bulges;
        for (const auto& v : d.vertices)
            if (v.size() >= 2) pts << QPointF(v[0], v[1]), bulges << (v.size() > 2 ? v[2] : 0.0);
        if (pts.isEmpty()) break;
        loop << pts[0];
        for (qsizetype i = 0; i < pts.size(); ++i)
            appendBulge(loop, pts[i], pts[(i + 1) % pts.size()], bulges[i]);
        break;
    }
    case 1:
        if (loop.isEmpty()) loop << QPointF(d.x1, d.y1);
        loop << QPointF(d.x2, d.y2);
        break;
    case 2:
    case 3: {
        // Clockwise edges give their angles as counter-clockwise ones would be.
        const double a1 = d.ccw ? d.angle1 : -d.angle1, a2 = d.ccw ? d.angle2 : -d.angle2;
        const QPointF axis = d.type == 2 ? QPointF(d.radius, 0) : QPointF(d.mx, d.my);
        appendArc(loop, QPointF(d.cx, d.cy), axis, d.type == 2 ? 1 : d.ratio, a1, a2, d.ccw);
        break;
    }
    case 4:
        for (const auto& p : d.controlPoints)
            if (p.size() >= 2) loop << QPointF(p[0], p[1]);
        break;
    }
}

// The outlines of a hatch's loops, each without its closing point.
QVector<QVector<QPointF>> loopsOf(const std::vector<std::vector<DL_HatchEdgeData>>& hatchEdges) {
    QVector<QVector<QPointF>> loops;
    for (const auto& edges : hatchEdges) {
        QVector<QPointF> loop;
        for (const DL_HatchEdgeData& d : edges)
            appendEdge(loop, d);
        if (loop.size() > 1 && near(loop.first(), loop.last(), 1e-9)) loop.removeLast();
        loops << loop;
    }
    return loops;
}

QString handleKey(const std::string& h) {
    QString s = QString::fromStdString(h).trimmed().toUpper();
    while (s.size() > 1 && s.startsWith(u'0'))
        s.remove(0, 1);
    return s;
}

// Values that most entities give in one pair: a view into the file, joined in a copy only when
// they come in more.
class Joined {
public:
    void append(std::string_view v) {
        if (joined_.empty() && view_.empty()) {
            view_ = v;
            return;
        }
        if (joined_.empty()) joined_ = view_;
        joined_ += v;
    }
    std::string_view get() const { return joined_.empty() ? view_ : std::string_view(joined_); }

private:
    std::string_view view_;
    std::string joined_;
};

// What the feeder takes of an entity itself.
struct EntityRecord {
    bool hasData = false;
    Joined data;
    bool invisible = false;
    Joined text;
    std::string_view raw;
};

// A page's entities by the thousand: the store grows without moving what it holds, allocating once
// for many.
template <typename T>
class Store {
public:
    T& emplace_back() {
        if (size_ % Chunk == 0) chunks_.push_back(std::make_unique<T[]>(Chunk));
        return (*this)[size_++];
    }
    T& operator[](size_t i) { return chunks_[i / Chunk][i % Chunk]; }
    const T& operator[](size_t i) const { return chunks_[i / Chunk][i % Chunk]; }
    T& back() { return (*this)[size_ - 1]; }
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

private:
    static constexpr size_t Chunk = 1024;
    std::vector<std::unique_ptr<T[]>> chunks_;
    size_t size_ = 0;
};

class Collector : public DL_CreationAdapter {
public:
    Store<EntityRecord> records;
    bool utf8 = false;

    Store<Entity> entities;
    QHash<QString, LayerInfo> layers;
    QHash<QString, QString> imageFiles; // IMAGEDEF handle -> file
    std::optional<QPointF> limMin, limMax;
    int insUnits = 0;
    QString acadVersion;

    QString decode(std::string_view s) const {
        const QByteArrayView b(s.data(), qsizetype(s.size()));
        if (utf8 || acadVersion >= QLatin1StringView("AC1021")) return QString::fromUtf8(b);
        QString out(b.size(), Qt::Uninitialized);
        for (qsizetype i = 0; i < b.size(); ++i) {
            const uchar c = uchar(b[i]);
            out[i] = QChar(c >= 0x80 && c < 0xA0 ? Cp1252High[c - 0x80] : char16_t(c));
        }
        return out;
    }

    void setVariableVector(const std::string& key, double v1, double v2, double, int) override {
        if (key == "$LIMMIN") limMin = QPointF(v1, v2);
        if (key == "$LIMMAX") limMax = QPointF(v1, v2);
    }
    void setVariableInt(const std::string& key, int value, int) override {
        if (key == "$INSUNITS") insUnits = value;
    }
    void setVariableString(const std::string& key, const std::string& value, int) override {
        if (key == "$ACADVER") acadVersion = QString::fromStdString(value).trimmed().toUpper();
    }

    void addLayer(const DL_LayerData& d) override {
        const DL_Attributes a = getAttributes();
        LayerInfo l;
        l.color = a.getColor24() >= 0 ? fromRgb24(a.getColor24()) : indexColor(a.getColor());
        l.linetype = QString::fromStdString(a.getLinetype());
        l.weight = a.getWidth();
        l.hidden = a.getColor() < 0 || (d.flags & 1);
        layers.insert(decode(d.name).toUpper(), l);
    }

    void addLine(const DL_LineData& d) override {
        Entity& e = begin(Entity::LineE, false);
        e.pts = {QPointF(d.x1, d.y1), QPointF(d.x2, d.y2)};
    }
    void addPolyline(const DL_PolylineData& d) override {
        Entity& e = begin(Entity::PolyE, true);
        e.closed = d.flags & 1;
        e.mesh = d.flags & (16 | 64);
        open_ = int(entities.size()) - 1;
    }
    void addVertex(const DL_VertexData& d) override {
        if (open_ < 0 || entities[size_t(open_)].type != Entity::PolyE) return;
        Entity& e = entities[size_t(open_)];
        e.pts << QPointF(d.x, d.y);
        e.bulges << d.bulge;
    }
    void addCircle(const DL_CircleData& d) override {
        Entity& e = begin(Entity::CircleE, true);
        e.c = QPointF(d.cx, d.cy);
        e.r = d.radius;
    }
    void addArc(const DL_ArcData& d) override {
        Entity& e = begin(Entity::ArcE, true);
        e.c = QPointF(d.cx, d.cy);
        e.r = d.radius;
        e.a1 = qDegreesToRadians(d.angle1);
        e.a2 = qDegreesToRadians(d.angle2);
    }
    void addEllipse(const DL_EllipseData& d) override {
        Entity& e = begin(Entity::EllipseE, false);
        e.c = QPointF(d.cx, d.cy);
        e.axis = QPointF(d.mx, d.my);
        e.ratio = d.ratio;
        e.a1 = d.angle1;
        e.a2 = d.angle2;
    }
    void addText(const DL_TextData& d) override {
        Entity& e = begin(Entity::TextE, true);
        e.ip = QPointF(d.ipx, d.ipy);
        e.ap = QPointF(d.apx, d.apy);
        e.height = d.height;
        e.rotation = qRadiansToDegrees(d.angle);
        e.hjust = d.hJustification;
        e.vjust = d.vJustification;
    }
    void addMText(const DL_MTextData& d) override {
        Entity& e = begin(Entity::MTextE, false);
        e.ip = QPointF(d.ipx, d.ipy);
        e.height = d.height;
        e.rotation = (d.dirx != 0 || d.diry != 0) ? qRadiansToDegrees(std::atan2(d.diry, d.dirx))
                                                  : qRadiansToDegrees(d.angle);
        e.attach = d.attachmentPoint;
        e.spacing = d.lineSpacingFactor > 0 ? d.lineSpacingFactor : 1;
    }
    void addSolid(const DL_SolidData& d) override {
        Entity& e = begin(Entity::SolidE, true);
        e.pts = {QPointF(d.x[0], d.y[0]), QPointF(d.x[1], d.y[1]), QPointF(d.x[3], d.y[3]),
                 QPointF(d.x[2], d.y[2])};
    }
    void addHatch(const DL_HatchData& d) override {
        Entity& e = begin(Entity::HatchE, true);
        e.solid = d.solid;
        open_ = int(entities.size()) - 1;
    }
    void addHatchLoop(const DL_HatchLoopData&) override {
        if (open_ >= 0 && entities[size_t(open_)].type == Entity::HatchE)
            entities[size_t(open_)].edges.emplace_back();
    }
    void addHatchEdge(const DL_HatchEdgeData& d) override {
        if (open_ < 0 || entities[size_t(open_)].type != Entity::HatchE ||
            entities[size_t(open_)].edges.empty())
            return;
        entities[size_t(open_)].edges.back().push_back(d);
    }
    void addImage(const DL_ImageData& d) override {
        Entity& e = begin(Entity::ImageE, false);
        e.ip = QPointF(d.ipx, d.ipy);
        e.u = QPointF(d.ux, d.uy);
        e.v = QPointF(d.vx, d.vy);
        e.pw = d.width;
        e.ph = d.height;
        e.ref = handleKey(d.ref);
    }
    void linkImage(const DL_ImageDefData& d) override { imageFiles.insert(handleKey(d.ref), decode(d.file)); }
    void endEntity() override { open_ = -1; }
    void addComment(const std::string& comment) override {
        if (comment.rfind("QMAR-", 0) == 0) record_ = std::atoi(comment.c_str() + 5);
    }
    void endSequence() override { open_ = -1; }

    // An entity built from its pairs as read, without dxflib.
    Entity& add(Entity::Type type, const DL_Attributes& attrib, bool mirrored, int record) {
        open_ = -1;
        return entity(type, attrib, mirrored, record);
    }

private:
    Entity& begin(Entity::Type type, bool ownCoordinates) {
        open_ = -1;
        return entity(type, getAttributes(), ownCoordinates && getExtrusion()->getDirection()[2] < 0, record_);
    }

    Entity& entity(Entity::Type type, const DL_Attributes& attrib, bool mirrored, int record) {
        entities.emplace_back();
        Entity& e = entities.back();
        e.type = type;
        e.attrib = attrib;
        e.mirrored = mirrored;
        if (record >= 0 && size_t(record) < records.size()) {
            EntityRecord& r = records[size_t(record)];
            e.invisible = r.invisible;
            e.hasData = r.hasData;
            const std::string_view data = r.data.get();
            e.data = QByteArrayView(data.data(), qsizetype(data.size()));
            if (type == Entity::TextE || type == Entity::MTextE) e.text = decode(r.text.get());
            e.raw = r.raw;
        }
        return e;
    }

    int open_ = -1;
    int record_ = -1;
};

// A group pair as read: the value is a view into the file's bytes.
struct Pair {
    int code;
    std::string_view value;
};

// dxflib over pairs gathered as "code\nvalue\n" text, read when a flush asks for them.
class DxflibFeed {
public:
    explicit DxflibFeed(Collector& c) : c_(c) {
        std::istringstream none;
        dxf_.in(none, &c); // sets dxflib's reading state up
    }
    void operator()(int code, std::string_view value) {
        char digits[12];
        pending_.append(digits, std::to_chars(digits, digits + sizeof digits, code).ptr);
        pending_ += '\n';
        pending_ += value;
        pending_ += '\n';
    }
    // dxflib completes what it holds, so that an entity built after this one follows it.
    void flush() {
        if (pending_.empty()) return;
        pending_ += "0\nENDSEC\n";
        std::istringstream in(pending_);
        while (dxf_.readDxfGroups(in, &c_)) {
        }
        pending_.clear();
    }

private:
    Collector& c_;
    DL_Dxf dxf_;
    std::string pending_;
};

// The lines of a file's bytes, each without its end (CR LF, LF or CR).
struct Lines {
    const char* p;
    const char* end;
    int line = 0;

    bool next(std::string_view& text) {
        if (p >= end) return false;
        const char* s = p;
        while (p < end && *p != '\n' && *p != '\r')
            ++p;
        text = std::string_view(s, size_t(p - s));
        if (p < end && *p++ == '\r' && p < end && *p == '\n') ++p;
        ++line;
        return true;
    }
};

// Handles, class markers, owners, heights above the plane and line type scales are not used here.
bool unused(int code, bool entities) {
    return (code == 5 && entities) || code == 100 || code == 102 || code == 330 || code == 360 || code == 48 ||
           (code >= 30 && code <= 39);
}

// dxflib over the pairs of one entity in the file, as the reading pass hands them on.
void feedEntity(std::string_view pairs, Collector& c) {
    DxflibFeed feed(c);
    Lines lines{pairs.data(), pairs.data() + pairs.size()};
    std::string_view codeLine, value;
    for (bool first = true; lines.next(codeLine) && lines.next(value); first = false) {
        const int code = int(parseInt(codeLine).value_or(0));
        if (first)
            feed(code, trimmed(value));
        else if (code < 1000 && !unused(code, true))
            feed(code, value.substr(0, 1000));
    }
    feed(0, "EOF");
    feed.flush();
}

// The entities this program writes (and the same kinds from other programs), built straight from
// their pairs as dxflib would build them: the file is read once, and most of a page is these.
class OwnKinds {
public:
    static bool handles(std::string_view type) {
        return type == "LINE" || type == "LWPOLYLINE" || type == "ELLIPSE" || type == "TEXT" || type == "IMAGE";
    }

    OwnKinds(const std::vector<Pair>& pairs, Collector& c) : pairs_(pairs), c_(c) {}

    void build(std::string_view type, int record) {
        const DL_Attributes attrib = attributes();
        const bool mirrored = real(230, 1.0) < 0;
        if (type == "LINE") {
            Entity& e = c_.add(Entity::LineE, attrib, false, record);
            e.pts = {QPointF(real(10, 0), real(20, 0)), QPointF(real(11, 0), real(21, 0))};
        } else if (type == "LWPOLYLINE") {
            Entity& e = c_.add(Entity::PolyE, attrib, mirrored, record);
            const int flags = integer(70, 0);
            e.closed = flags & 1;
            e.mesh = flags & (16 | 64);
            vertices(e);
        } else if (type == "ELLIPSE") {
            Entity& e = c_.add(Entity::EllipseE, attrib, false, record);
            e.c = QPointF(real(10, 0), real(20, 0));
            e.axis = QPointF(real(11, 0), real(21, 0));
            e.ratio = real(40, 1);
            e.a1 = real(41, 0);
            e.a2 = real(42, 2 * M_PI);
        } else if (type == "TEXT") {
            Entity& e = c_.add(Entity::TextE, attrib, mirrored, record);
            e.ip = QPointF(real(10, 0), real(20, 0));
            e.ap = QPointF(real(11, DL_NANDOUBLE), real(21, DL_NANDOUBLE));
            e.height = real(40, 2.5);
            e.rotation = qRadiansToDegrees((real(50, 0) * 2 * M_PI) / 360.0);
            e.hjust = integer(72, 0);
            e.vjust = integer(73, 0);
        } else if (type == "IMAGE") {
            Entity& e = c_.add(Entity::ImageE, attrib, false, record);
            e.ip = QPointF(real(10, 0), real(20, 0));
            e.u = QPointF(real(11, 1), real(21, 0));
            e.v = QPointF(real(12, 0), real(22, 1));
            e.pw = integer(13, 1);
            e.ph = integer(23, 1);
            e.ref = handleKey(std::string(text(340)));
        }
    }

    // This program's fill without its boundary: the boundary stays as pairs for when it is needed.
    void buildFill(int record) {
        Entity& e = c_.add(Entity::HatchE, attributes(), real(230, 1.0) < 0, record);
        e.solid = integer(70, 0) != 0;
    }

private:
    DL_Attributes attributes() const {
        DL_Attributes a(has(8) ? std::string(text(8)) : std::string("0"), integer(62, 256), integer(420, -1),
                        integer(370, -1), has(6) ? std::string(text(6)) : std::string("BYLAYER"));
        a.setInPaperSpace(integer(67, 0) != 0);
        return a;
    }

    // A light polyline's vertices: as many as its count says, each begun by its x.
    void vertices(Entity& e) const {
        int count = 0, at = -1;
        QVector<double> v; // x, y, bulge of each
        for (const Pair& p : pairs_) {
            if (p.code == 90) {
                count = std::max(0, int(parseInt(p.value).value_or(0)));
                v.fill(0, 3 * qsizetype(count));
                at = -1;
            } else if (p.code == 10 || p.code == 20 || p.code == 42) {
                if (p.code == 10 && at < count - 1) ++at;
                if (at >= 0 && at < count) v[3 * at + (p.code == 10 ? 0 : p.code == 20 ? 1 : 2)] = number(p.value);
            }
        }
        const int n = std::min(count, at + 1);
        e.pts.reserve(std::max(0, n));
        e.bulges.reserve(std::max(0, n));
        for (int i = 0; i < n; ++i) {
            e.pts << QPointF(v[3 * i], v[3 * i + 1]);
            e.bulges << v[3 * i + 2];
        }
    }

    const Pair* last(int code) const {
        for (auto it = pairs_.rbegin(); it != pairs_.rend(); ++it)
            if (it->code == code) return &*it;
        return nullptr;
    }
    bool has(int code) const { return last(code) != nullptr; }
    std::string_view text(int code) const {
        const Pair* p = last(code);
        return p ? p->value : std::string_view();
    }
    static double number(std::string_view v) { return parseReal(v).value_or(0); }
    double real(int code, double otherwise) const {
        const Pair* p = last(code);
        return p ? number(p->value) : otherwise;
    }
    // A whole number as dxflib takes it: the leading digits, whatever follows.
    int integer(int code, int otherwise) const {
        const Pair* p = last(code);
        if (!p) return otherwise;
        std::string_view v = trimmed(p->value);
        if (!v.empty() && v.front() == '+') v.remove_prefix(1);
        long long n = 0;
        std::from_chars(v.data(), v.data() + v.size(), n);
        return int(n);
    }

    const std::vector<Pair>& pairs_;
    Collector& c_;
};

// Reads the group pairs once. The kinds above are built here; dxflib is handed the pairs of the
// other parts read: header variables, layers, other entities and image definitions. The file's
// structure and numbers are checked on the way. What dxflib does not hand on is taken here for
// each entity: this program's extended data, the visibility and the texts as they are; a comment
// after each entity names its record, so that the record is known when dxflib completes the entity.
class Feeder {
public:
    Feeder(const QString& path, Collector& collector) : path_(path), c_(collector), feed_(collector) {}

    void run(QByteArrayView bytes) {
        if (bytes.startsWith("AutoCAD Binary DXF")) damagedFile(path_, QStringLiteral("a binary DXF file"));
        Lines lines{bytes.data(), bytes.data() + bytes.size()};
        const int& line = lines.line;
        std::string_view codeLine, value;
        bool sawEof = false;
        for (pairStart_ = lines.p; lines.next(codeLine); pairStart_ = lines.p) {
            const auto code = parseInt(codeLine);
            if (!code || *code < 0 || *code > 1071)
                damagedFile(path_, QStringLiteral("no group code on line %1").arg(line));
            if (!lines.next(value)) damagedFile(path_, QStringLiteral("the file ends in a group"));
            if (pair(int(*code), value, lines.end - lines.p, line)) {
                sawEof = true;
                break;
            }
        }
        if (!sawEof) damagedFile(path_, QStringLiteral("the file ends before its end mark"));
        feed_.flush();
    }

private:
    enum class Section { None, Header, Tables, Blocks, Entities, Objects, Other };

    // True at the end mark.
    bool pair(int code, std::string_view value, qsizetype bytesLeft, int line) {
        if (awaitingName_) {
            if (code != 2)
                damagedFile(path_, QStringLiteral("a section without a name on line %1").arg(line));
            const std::string_view name = trimmed(value);
            section_ = name == "HEADER"     ? Section::Header
                       : name == "TABLES"   ? Section::Tables
                       : name == "BLOCKS"   ? Section::Blocks
                       : name == "ENTITIES" ? Section::Entities
                       : name == "OBJECTS"  ? Section::Objects
                                            : Section::Other;
            awaitingName_ = false;
            return false;
        }
        if (code == 0) {
            const std::string_view name = trimmed(value);
            if (name == "SECTION") {
                if (section_ != Section::None)
                    damagedFile(path_, QStringLiteral("a section inside a section on line %1").arg(line));
                awaitingName_ = true;
                return false;
            }
            if (name == "ENDSEC") {
                if (section_ == Section::None)
                    damagedFile(path_,
                                QStringLiteral("a section end outside a section on line %1").arg(line));
                start(false, {});
                section_ = Section::None;
                return false;
            }
            if (name == "EOF") {
                if (section_ != Section::None)
                    damagedFile(path_, QStringLiteral("the end mark inside a section"));
                start(false, {});
                put(0, "EOF");
                return true;
            }
            if (section_ == Section::None)
                damagedFile(path_, QStringLiteral("data outside a section on line %1").arg(line));
            start(wanted(name), name);
            return false;
        }
        if (section_ == Section::Header && code == 9) {
            start(true, value);
            return false;
        }
        if (!fed_) return false;
        if (isRealCode(code) && !parseReal(value))
            damagedFile(path_, QStringLiteral("no number on line %1").arg(line));
        if (isIntCode(code)) {
            const auto n = parseInt(value);
            if (!n) damagedFile(path_, QStringLiteral("no whole number on line %1").arg(line));
            // dxflib makes room for the vertices a light polyline announces.
            if (code == 90 && type_ == "LWPOLYLINE" && (*n < 0 || *n > bytesLeft / 4))
                damagedFile(path_, QStringLiteral("a polyline of %1 vertices on line %2").arg(*n).arg(line));
            if (code == 60 && record_ >= 0) c_.records[size_t(record_)].invisible = *n != 0;
        }
        if (code >= 1000) {
            if (code == 1001) ours_ = trimmed(value) == AppName;
            if (ours_ && record_ >= 0) {
                EntityRecord& r = c_.records[size_t(record_)];
                r.hasData = true;
                if (code == 1000) r.data.append(value);
            }
            return false;
        }
        if (record_ >= 0 &&
            ((code == 1 && (type_ == "TEXT" || type_ == "MTEXT")) || (code == 3 && type_ == "MTEXT")))
            c_.records[size_t(record_)].text.append(value);
        if (unused(code, section_ == Section::Entities)) return false;
        // dxflib reads lines of up to 1024 bytes; a longer value is of no use here.
        put(code, value.substr(0, 1000));
        return false;
    }

    bool wanted(std::string_view name) const {
        switch (section_) {
        case Section::Tables:
            return name == "LAYER";
        case Section::Entities:
            return name == "LINE" || name == "LWPOLYLINE" || name == "POLYLINE" || name == "VERTEX" ||
                   name == "SEQEND" || name == "CIRCLE" || name == "ARC" || name == "ELLIPSE" ||
                   name == "TEXT" || name == "MTEXT" || name == "SOLID" || name == "HATCH" || name == "IMAGE";
        case Section::Objects:
            return name == "IMAGEDEF";
        default:
            return false;
        }
    }

    // A new entity, setting or table entry begins: the one before is built, or closed in dxflib's
    // pairs with the comment that names its record.
    void start(bool fed, std::string_view name) {
        if (record_ >= 0) {
            if (type_ == "HATCH") {
                endHatch();
            } else if (own_.empty()) {
                feed_(999, "QMAR-" + std::to_string(record_));
            } else {
                feed_.flush();
                OwnKinds(own_, c_).build(type_, record_);
            }
            own_.clear();
            record_ = -1;
        }
        ours_ = false;
        fed_ = fed;
        type_ = std::string(name);
        if (!fed) return;
        if (section_ == Section::Header) {
            put(9, name);
            return;
        }
        if (section_ == Section::Entities) {
            record_ = int(c_.records.size());
            c_.records.emplace_back();
            if (OwnKinds::handles(name) || name == "HATCH") own_.push_back({0, name});
            entityStart_ = pairStart_;
            if (!own_.empty()) return;
        }
        put(0, name);
    }

    void put(int code, std::string_view value) {
        if (own_.empty()) {
            feed_(code, value);
            return;
        }
        if (type_ == "HATCH" && code == 91 && hatchHead_ < 0) hatchHead_ = qsizetype(own_.size());
        own_.push_back({code, value});
    }

    // This program's fill is built without its boundary, which only a fill whose shape is gone
    // needs: most of a page's pairs are boundaries. Any other fill goes to dxflib.
    void endHatch() {
        EntityRecord& r = c_.records[size_t(record_)];
        if (r.hasData && r.data.get().find("r=fill") != std::string_view::npos && hatchHead_ >= 0) {
            r.raw = std::string_view(entityStart_, size_t(pairStart_ - entityStart_));
            own_.resize(size_t(hatchHead_));
            feed_.flush();
            OwnKinds(own_, c_).buildFill(record_);
        } else {
            for (const Pair& pair : own_)
                feed_(pair.code, pair.value);
            feed_(999, "QMAR-" + std::to_string(record_));
        }
        hatchHead_ = -1;
    }

    QString path_;
    Collector& c_;
    DxflibFeed feed_;
    Section section_ = Section::None;
    bool awaitingName_ = false;
    bool fed_ = false;
    std::string type_;
    bool ours_ = false;
    int record_ = -1;
    std::vector<Pair> own_; // the pairs of an entity built here, from its type on
    const char* pairStart_ = nullptr;   // where the pair read last begins in the file
    const char* entityStart_ = nullptr; // where the entity read now begins
    qsizetype hatchHead_ = -1;
};

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
    Builder(const QString& path, const Collector& c, DrawModel& model) : path_(path), c_(c), model_(model) {}

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
        if (!e.edges.empty() || e.raw.empty()) return loopsOf(e.edges);
        Collector c;
        feedEntity(e.raw, c);
        return c.entities.empty() ? QVector<QVector<QPointF>>() : loopsOf(c.entities[0].edges);
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
        const int rgb = e.attrib.getColor24();
        if (rgb >= 0 && src.kind != Bitmap)
            (src.kind == Text ? o.style.textColor : o.style.lineColor) = fromRgb24(rgb);
        if (!w.patternPng.isEmpty()) patterns_.insert(w.patternId, decodeImage(w.patternPng, "png", path_));
        if (o.style.fill == FillMode::Picture) o.style.fillPicture = patterns_.value(w.patternId);
        if (fill_) {
            if (o.style.fill != FillMode::None && fill_->attrib.getColor24() >= 0)
                o.style.fillColor = fromRgb24(fill_->attrib.getColor24());
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
        return c_.layers.value(c_.decode(e.attrib.getLayer()).toUpper());
    }

    Long colorOf(const Entity& e) const {
        if (e.attrib.getColor24() >= 0) return fromRgb24(e.attrib.getColor24());
        const int index = e.attrib.getColor();
        if (index == 256) return layerOf(e).color;
        return indexColor(index);
    }

    Style styleOf(const Entity& e) const {
        Style s = model_.defaults();
        const LayerInfo layer = layerOf(e);
        s.lineColor = colorOf(e);
        s.textColor = s.lineColor;
        s.fill = FillMode::None;
        QString linetype = QString::fromStdString(e.attrib.getLinetype());
        if (linetype.compare(QLatin1StringView("BYLAYER"), Qt::CaseInsensitive) == 0)
            linetype = layer.linetype;
        s.lineStyle = styleOfLinetype(linetype);
        int weight = e.attrib.getWidth();
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
        if (e.invisible || e.mesh || e.attrib.isInPaperSpace()) return;
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
    const Collector& c_;
    DrawModel& model_;
    Mapping map_;
    double fileToInch_ = 1;
    const Entity* fill_ = nullptr;
    QHash<int, QImage> patterns_;
    mutable QHash<QString, QImage> pictures_; // each file read once
    mutable QHash<QString, QImage> named_;    // by the name the file gives
};

bool validUtf8(QByteArrayView bytes) {
    // Eight bytes at a time to the first byte above ASCII; the ASCII before it is valid UTF-8 and
    // need not be decoded.
    const char* p = bytes.constData();
    const char* const end = p + bytes.size();
    for (; end - p >= 8; p += 8) {
        quint64 word;
        std::memcpy(&word, p, 8);
        if (word & 0x8080808080808080ULL) break;
    }
    while (p < end && uchar(*p) < 0x80)
        ++p;
    if (p == end) return false;
    QStringDecoder decoder(QStringDecoder::Utf8);
    (void)QString(decoder.decode(QByteArrayView(p, end - p)));
    return !decoder.hasError();
}

} // namespace

void readDxf(const QString& path, DrawModel& into) {
    const qtext::WholeFile file(path);
    const QByteArrayView bytes = file.bytes();
    Collector collector;
    // Files of 2007 and after are UTF-8; older ones are taken as Windows 1252 unless their bytes read
    // as UTF-8.
    collector.utf8 = validUtf8(bytes);
    Feeder(path, collector).run(bytes);
    DrawModel loaded;
    loaded.setRedraw(false);
    Builder(path, collector, loaded).build();
    adoptLoaded(into, std::move(loaded), path);
}

} // namespace draw
