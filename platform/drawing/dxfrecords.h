// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The first stage of reading a DXF file: its group pairs become entity records, plain values in the
// file's coordinates and units, beside the header settings, layers and image files they refer to.
// The second stage (readDxf) makes the drawing of them.
#include "platform/drawing/drawobject.h"

#include <QByteArrayView>
#include <QHash>
#include <QPointF>
#include <QString>
#include <QVector>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace draw::dxf {

// What every entity may give, as the file gives it.
struct Attributes {
    std::string layer = "0";
    int color = 256;  // index colour; 256 by layer
    int color24 = -1; // true colour; -1 none
    int weight = -1;  // lineweight; -1 by layer
    std::string linetype = "BYLAYER";
    bool paperSpace = false;
};

struct LayerInfo {
    Long color = Black;
    QString linetype;
    int weight = -3;
    bool hidden = false;
};

// One entity. What its kind does not give keeps its default.
struct Entity {
    enum Type { LineE, PolyE, CircleE, ArcE, EllipseE, TextE, MTextE, SolidE, HatchE, ImageE } type = LineE;
    Attributes attrib;
    bool mirrored = false; // extrusion along -z: x of the entity's own coordinates runs the other way
    bool invisible = false;
    bool hasData = false; // it carries this program's extended data
    QByteArrayView data;  // those strings, joined
    QVector<QPointF> pts; // line: its ends; polylines: the vertices; solid: the corners around
    QVector<double> bulges;
    bool closed = false, mesh = false;
    QPointF c, axis;                              // circle, arc, ellipse: centre, major axis
    double r = 0, a1 = 0, a2 = 0, ratio = 1;      // radius, start and end (radians), minor over major
    QPointF ip, ap;                               // text: insertion and alignment points; image: insertion
    double height = 0, rotation = 0, spacing = 1; // rotation in degrees
    int hjust = 0, vjust = 0, attach = 1;
    QString text;
    bool solid = true;               // hatch
    QVector<QVector<QPointF>> loops; // hatch: each loop's outline, without its closing point
    std::string_view raw; // this program's fill: its pairs in the file, read only when its shape is gone
    QPointF u, v;         // image: one pixel along the bottom and the left side
    int pw = 1, ph = 1;
    QString ref; // image: the handle of its IMAGEDEF
};

// A page's entities by the thousand: the store grows without moving what it holds, allocating once
// for many.
template <typename T> class Store {
public:
    T& emplace_back() {
        if (size_ % Chunk == 0) chunks_.push_back(std::make_unique<T[]>(Chunk));
        return (*this)[size_++];
    }
    T& operator[](size_t i) { return chunks_[i / Chunk][i % Chunk]; }
    const T& operator[](size_t i) const { return chunks_[i / Chunk][i % Chunk]; }
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

private:
    static constexpr size_t Chunk = 1024;
    std::vector<std::unique_ptr<T[]>> chunks_;
    size_t size_ = 0;
};

// What a file holds for the drawing. Its views point into the file's bytes, which must outlive it.
struct Records {
    Store<Entity> entities;
    QHash<QString, LayerInfo> layers;   // by name in capitals
    QHash<QString, QString> imageFiles; // IMAGEDEF handle -> file
    std::optional<QPointF> limMin, limMax;
    int insUnits = 0;
    bool utf8 = false; // the bytes read as UTF-8
    QString acadVersion;
    std::deque<std::string> joined; // values given in more than one pair

    // A string of the file: UTF-8 from 2007 on, before that Windows 1252 unless it read as UTF-8.
    QString decode(std::string_view s) const;
};

// Raises 321 naming the file for a file that is not DXF text or is damaged.
Records readRecords(QByteArrayView bytes, const QString& path);
// The loops of this program's fill, from the pairs kept for it.
QVector<QVector<QPointF>> fillLoops(std::string_view raw);

} // namespace draw::dxf
