// SPDX-License-Identifier: GPL-3.0-or-later
// The group pairs of a DXF file to entity records.
#include "platform/drawing/dxfrecords.h"

#include "platform/drawing/drawcodecs.h"
#include "platform/drawing/dxfmap.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-copy"
#include <dl_creationadapter.h>
#include <dl_dxf.h>
#pragma GCC diagnostic pop

#include <QStringDecoder>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <sstream>

namespace draw::dxf {

namespace {

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

QString handleKey(const std::string& h) {
    QString s = QString::fromStdString(h).trimmed().toUpper();
    while (s.size() > 1 && s.startsWith(u'0'))
        s.remove(0, 1);
    return s;
}

// Values that most entities give in one pair: a view into the file, joined in a copy kept with the
// records only when they come in more.
class Joined {
public:
    void append(std::string_view v, std::deque<std::string>& copies) {
        if (!joined_ && view_.empty()) {
            view_ = v;
            return;
        }
        if (!joined_) joined_ = &copies.emplace_back(view_);
        *joined_ += v;
    }
    std::string_view get() const { return joined_ ? std::string_view(*joined_) : view_; }

private:
    std::string_view view_;
    std::string* joined_ = nullptr;
};

// What the feeder takes of an entity itself.
struct Taken {
    bool hasData = false;
    Joined data;
    bool invisible = false;
    Joined text;
    std::string_view raw;
};

Attributes attributesOf(const DL_Attributes& a) {
    return {a.getLayer(), a.getColor(), a.getColor24(), a.getWidth(), a.getLinetype(), a.isInPaperSpace()};
}

// dxflib's entities, and this program's kinds built from their pairs, as records.
class Collector : public DL_CreationAdapter {
public:
    Records out;
    Store<Taken> taken; // by the number the reading pass gives each entity

    void setVariableVector(const std::string& key, double v1, double v2, double, int) override {
        if (key == "$LIMMIN") out.limMin = QPointF(v1, v2);
        if (key == "$LIMMAX") out.limMax = QPointF(v1, v2);
    }
    void setVariableInt(const std::string& key, int value, int) override {
        if (key == "$INSUNITS") out.insUnits = value;
    }
    void setVariableString(const std::string& key, const std::string& value, int) override {
        if (key == "$ACADVER") out.acadVersion = QString::fromStdString(value).trimmed().toUpper();
    }

    void addLayer(const DL_LayerData& d) override {
        const DL_Attributes a = getAttributes();
        LayerInfo l;
        l.color = a.getColor24() >= 0 ? fromRgb24(a.getColor24()) : indexColor(a.getColor());
        l.linetype = QString::fromStdString(a.getLinetype());
        l.weight = a.getWidth();
        l.hidden = a.getColor() < 0 || (d.flags & 1);
        out.layers.insert(out.decode(d.name).toUpper(), l);
    }

    void addLine(const DL_LineData& d) override {
        Entity& e = begin(Entity::LineE, false);
        e.pts = {QPointF(d.x1, d.y1), QPointF(d.x2, d.y2)};
    }
    void addPolyline(const DL_PolylineData& d) override {
        Entity& e = begin(Entity::PolyE, true);
        e.closed = d.flags & 1;
        e.mesh = d.flags & (16 | 64);
        open_ = int(out.entities.size()) - 1;
    }
    void addVertex(const DL_VertexData& d) override {
        if (open_ < 0 || out.entities[size_t(open_)].type != Entity::PolyE) return;
        Entity& e = out.entities[size_t(open_)];
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
        open_ = int(out.entities.size()) - 1;
    }
    void addHatchLoop(const DL_HatchLoopData&) override {
        if (open_ >= 0 && out.entities[size_t(open_)].type == Entity::HatchE) edges_.emplace_back();
    }
    void addHatchEdge(const DL_HatchEdgeData& d) override {
        if (open_ >= 0 && out.entities[size_t(open_)].type == Entity::HatchE && !edges_.empty())
            edges_.back().push_back(d);
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
    void linkImage(const DL_ImageDefData& d) override {
        out.imageFiles.insert(handleKey(d.ref), out.decode(d.file));
    }
    void endEntity() override { close(); }
    void addComment(const std::string& comment) override {
        if (comment.rfind("QMAR-", 0) == 0) record_ = std::atoi(comment.c_str() + 5);
    }
    void endSequence() override { close(); }

    // The entity open ends: a hatch gets the outlines of its edges.
    void close() {
        if (open_ >= 0 && out.entities[size_t(open_)].type == Entity::HatchE) {
            QVector<QVector<QPointF>>& loops = out.entities[size_t(open_)].loops;
            for (const auto& edges : edges_) {
                QVector<QPointF> loop;
                for (const DL_HatchEdgeData& d : edges)
                    appendEdge(loop, d);
                if (loop.size() > 1 && near(loop.first(), loop.last(), 1e-9)) loop.removeLast();
                loops << loop;
            }
        }
        edges_.clear();
        open_ = -1;
    }

    // A new entity, with what the reading pass took of it as its record.
    Entity& add(Entity::Type type, const Attributes& attrib, bool mirrored, int record) {
        close();
        Entity& e = out.entities.emplace_back();
        e.type = type;
        e.attrib = attrib;
        e.mirrored = mirrored;
        if (record >= 0 && size_t(record) < taken.size()) {
            Taken& r = taken[size_t(record)];
            e.invisible = r.invisible;
            e.hasData = r.hasData;
            const std::string_view data = r.data.get();
            e.data = QByteArrayView(data.data(), qsizetype(data.size()));
            if (type == Entity::TextE || type == Entity::MTextE) e.text = out.decode(r.text.get());
            e.raw = r.raw;
        }
        return e;
    }

private:
    Entity& begin(Entity::Type type, bool ownCoordinates) {
        return add(type, attributesOf(getAttributes()),
                   ownCoordinates && getExtrusion()->getDirection()[2] < 0, record_);
    }

    int open_ = -1;
    int record_ = -1;
    std::vector<std::vector<DL_HatchEdgeData>> edges_; // of each loop of the hatch open
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

// The entities this program writes (and the same kinds from other programs), built straight from
// their pairs as dxflib would build them: the file is read once, and most of a page is these.
class OwnKinds {
public:
    static bool handles(std::string_view type) {
        return type == "LINE" || type == "LWPOLYLINE" || type == "ELLIPSE" || type == "TEXT" || type == "IMAGE";
    }

    OwnKinds(const std::vector<Pair>& pairs, Collector& c) : pairs_(pairs), c_(c) {}

    void build(std::string_view type, int record) {
        const Attributes attrib = attributes();
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
    Attributes attributes() const {
        Attributes a{std::string(has(8) ? text(8) : "0"), integer(62, 256), integer(420, -1),
                     integer(370, -1)};
        if (!text(6).empty()) a.linetype = text(6);
        a.paperSpace = integer(67, 0) != 0;
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
            if (code == 60 && record_ >= 0) c_.taken[size_t(record_)].invisible = *n != 0;
        }
        if (code >= 1000) {
            if (code == 1001) ours_ = trimmed(value) == AppName;
            if (ours_ && record_ >= 0) {
                Taken& r = c_.taken[size_t(record_)];
                r.hasData = true;
                if (code == 1000) r.data.append(value, c_.out.joined);
            }
            return false;
        }
        if (record_ >= 0 &&
            ((code == 1 && (type_ == "TEXT" || type_ == "MTEXT")) || (code == 3 && type_ == "MTEXT")))
            c_.taken[size_t(record_)].text.append(value, c_.out.joined);
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
            record_ = int(c_.taken.size());
            c_.taken.emplace_back();
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
        Taken& r = c_.taken[size_t(record_)];
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

// Files of 2007 and after are UTF-8; older ones are taken as Windows 1252 unless their bytes read
// as UTF-8.
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

QString Records::decode(std::string_view s) const {
    const QByteArrayView b(s.data(), qsizetype(s.size()));
    if (utf8 || acadVersion >= QLatin1StringView("AC1021")) return QString::fromUtf8(b);
    QString out(b.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < b.size(); ++i) {
        const uchar c = uchar(b[i]);
        out[i] = QChar(c >= 0x80 && c < 0xA0 ? Cp1252High[c - 0x80] : char16_t(c));
    }
    return out;
}

Records readRecords(QByteArrayView bytes, const QString& path) {
    Collector c;
    c.out.utf8 = validUtf8(bytes);
    Feeder(path, c).run(bytes);
    c.close();
    return std::move(c.out);
}

QVector<QVector<QPointF>> fillLoops(std::string_view raw) {
    // dxflib over the fill's pairs, as the reading pass hands them on.
    Collector c;
    DxflibFeed feed(c);
    Lines lines{raw.data(), raw.data() + raw.size()};
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
    c.close();
    return c.out.entities.empty() ? QVector<QVector<QPointF>>() : c.out.entities[0].loops;
}

} // namespace draw::dxf
