// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drawing/drawmodel.h"

#include "platform/drawing/drawrender.h"

#include "platform/numbers.h"
#include "platform/qmerror.h"

#include <QSet>
#include <algorithm>
#include <cmath>
#include <limits>

namespace draw {

DrawModel::DrawModel(QObject* parent) : QObject(parent) {}
DrawModel::~DrawModel() = default;

void DrawModel::clear() {
    stack_.clear();
    byId_.clear();
    nextId_ = 1;
    nextGroup_ = 1;
    current_ = 0;
    touched();
}

void DrawModel::replaceWith(DrawModel&& loaded) {
    if (&loaded == this) return;
    stack_ = std::move(loaded.stack_);
    byId_ = std::move(loaded.byId_);
    loaded.stack_.clear();
    loaded.byId_.clear();
    nextId_ = loaded.nextId_;
    // Group numbers read from a file may lie beyond the other model's counter.
    qint64 next = loaded.nextGroup_;
    for (auto& o : stack_) {
        o->selected = false;
        next = std::max(next, qint64(o->group) + 1);
    }
    nextGroup_ = int(std::min<qint64>(next, std::numeric_limits<int>::max()));
    loaded.nextId_ = 1;
    loaded.nextGroup_ = 1;
    loaded.current_ = 0;
    current_ = 0;
    defaults_ = loaded.defaults_;
    pageWidth_ = loaded.pageWidth_;
    pageHeight_ = loaded.pageHeight_;
    unitsLeft_ = loaded.unitsLeft_;
    unitsTop_ = loaded.unitsTop_;
    unitsWidth_ = loaded.unitsWidth_;
    unitsHeight_ = loaded.unitsHeight_;
    coordinateMode_ = loaded.coordinateMode_;
    drawOptions_ = loaded.drawOptions_;
    backgroundColor_ = loaded.backgroundColor_;
    touched();
}

DrawObject& DrawModel::add(Kind kind, Long x1, Long y1, Long x2, Long y2) {
    if (!isKind(kind)) raiseError(qmerr::InvalidArgument, QStringLiteral("object kind %1").arg(int(kind)));
    auto o = std::make_unique<DrawObject>();
    o->id = nextId_++;
    o->kind = kind;
    o->setFrame(x1, y1, x2, y2);
    o->style = defaults_;
    if (kind == Bitmap) o->picture = nextPicture;
    DrawObject& ref = *o;
    byId_.insert(ref.id, &ref);
    stack_.push_back(std::move(o));
    touched();
    return ref;
}

DrawObject* DrawModel::find(Long id) {
    return byId_.value(id, nullptr);
}
const DrawObject* DrawModel::find(Long id) const {
    return byId_.value(id, nullptr);
}

int DrawModel::indexOf(Long id) const {
    const DrawObject* o = find(id);
    if (!o) return -1;
    for (size_t i = 0; i < stack_.size(); ++i)
        if (stack_[i].get() == o) return int(i);
    return -1;
}

int DrawModel::removeIf(const std::function<bool(const DrawObject&)>& pick) {
    int removed = 0;
    auto keep = std::stable_partition(stack_.begin(), stack_.end(), [&](const auto& o) { return !pick(*o); });
    for (auto it = keep; it != stack_.end(); ++it) {
        byId_.remove((*it)->id);
        ++removed;
    }
    stack_.erase(keep, stack_.end());
    if (current_ && !byId_.contains(current_)) current_ = 0;
    if (removed) touched();
    return removed;
}

bool DrawModel::remove(Long id) {
    const DrawObject* o = find(id);
    if (!o) return false;
    return removeIf([o](const DrawObject& x) { return &x == o; }) == 1;
}

void DrawModel::setVertices(DrawObject& o, const QVector<QPoint>& points) {
    o.vertices = points;
    if (points.isEmpty()) {
        o.vx1 = o.vx2 = o.x1;
        o.vy1 = o.vy2 = o.y1;
    } else {
        Long minX = points[0].x(), maxX = minX, minY = points[0].y(), maxY = minY;
        for (const QPoint& p : points) {
            minX = std::min<Long>(minX, p.x());
            maxX = std::max<Long>(maxX, p.x());
            minY = std::min<Long>(minY, p.y());
            maxY = std::max<Long>(maxY, p.y());
        }
        o.vx1 = minX, o.vy1 = minY, o.vx2 = maxX, o.vy2 = maxY;
        o.setFrame(minX, minY, maxX, maxY);
    }
    touched();
}

int DrawModel::selectedCount() const {
    return int(std::count_if(stack_.begin(), stack_.end(), [](const auto& o) { return o->selected; }));
}

QVector<Long> DrawModel::selectedIds() const {
    QVector<Long> ids;
    for (const auto& o : stack_)
        if (o->selected) ids.append(o->id);
    return ids;
}

void DrawModel::clearSelection() {
    for (auto& o : stack_)
        o->selected = false;
    touched();
}

void DrawModel::selectGroupOf(Long id) {
    DrawObject* o = find(id);
    if (!o) return;
    o->selected = true;
    if (o->group)
        for (auto& x : stack_)
            if (x->group == o->group) x->selected = true;
    touched();
}

void DrawModel::groupSelected() {
    QSet<int> groups;
    bool any = false;
    for (const auto& o : stack_) {
        if (!o->selected) continue;
        any = true;
        if (o->group) groups.insert(o->group);
    }
    if (!any) return;
    const int g = nextGroup_++;
    for (auto& o : stack_)
        if (o->selected || (o->group && groups.contains(o->group))) o->group = g;
    touched();
}

void DrawModel::ungroupSelected() {
    QSet<int> groups;
    for (const auto& o : stack_)
        if (o->selected && o->group) groups.insert(o->group);
    for (auto& o : stack_)
        if (o->group && groups.contains(o->group)) o->group = 0;
    touched();
}

void DrawModel::restack(const QVector<Long>& ids, Restack how) {
    if (ids.isEmpty()) return;
    QSet<const DrawObject*> moving;
    for (Long id : ids)
        if (const DrawObject* o = find(id)) moving.insert(o);
    if (moving.isEmpty()) return;
    auto isMoving = [&](const std::unique_ptr<DrawObject>& o) { return moving.contains(o.get()); };
    switch (how) {
    case Restack::ToBack:
        std::stable_partition(stack_.begin(), stack_.end(), isMoving);
        break;
    case Restack::ToFront:
        std::stable_partition(stack_.begin(), stack_.end(), [&](const auto& o) { return !isMoving(o); });
        break;
    case Restack::BackOne:
        // Front to back would let one object pass several; going from the back keeps the block's order.
        for (size_t i = 1; i < stack_.size(); ++i)
            if (isMoving(stack_[i]) && !isMoving(stack_[i - 1])) std::swap(stack_[i], stack_[i - 1]);
        break;
    case Restack::ForwardOne:
        for (size_t i = stack_.size() - 1; i-- > 0;)
            if (isMoving(stack_[i]) && !isMoving(stack_[i + 1])) std::swap(stack_[i], stack_[i + 1]);
        break;
    }
    touched();
}

void DrawModel::offset(const QVector<Long>& ids, Long dx, Long dy) {
    for (Long id : ids)
        if (DrawObject* o = find(id)) o->offset(dx, dy);
    touched();
}

namespace {

// One axis of a box-to-box map; a box with no extent on the axis only moves along it.
struct AxisMap {
    double from, to, factor;
    AxisMap(double fromStart, double fromSize, double toStart, double toSize)
        : from(fromStart), to(toStart), factor(fromSize != 0 ? toSize / fromSize : 1.0) {}
    double operator()(double v) const { return to + (v - from) * factor; }
};

// The new placement of each object is worked out before any is applied, so that a coordinate out
// of range (error 6 from CLng) leaves every object as it was.
template <typename F>
void transformAll(DrawModel& m, const QVector<Long>& ids, F place) {
    std::vector<std::pair<DrawObject*, Placement>> out;
    out.reserve(size_t(ids.size()));
    for (Long id : ids)
        if (DrawObject* o = m.find(id)) out.emplace_back(o, place(*o));
    for (auto& [o, p] : out)
        applyPlacement(*o, p);
}

void boundVertices(Placement& p) {
    if (p.vertices.isEmpty()) return;
    Long minX = p.vertices[0].x(), maxX = minX, minY = p.vertices[0].y(), maxY = minY;
    for (const QPoint& v : p.vertices) {
        minX = std::min<Long>(minX, v.x());
        maxX = std::max<Long>(maxX, v.x());
        minY = std::min<Long>(minY, v.y());
        maxY = std::max<Long>(maxY, v.y());
    }
    p.vx1 = p.x1 = minX;
    p.vy1 = p.y1 = minY;
    p.vx2 = p.x2 = maxX;
    p.vy2 = p.y2 = maxY;
}

} // namespace

void DrawModel::scale(const QVector<Long>& ids, const QRectF& from, const QRectF& to) {
    const AxisMap mx(from.left(), from.width(), to.left(), to.width());
    const AxisMap my(from.top(), from.height(), to.top(), to.height());
    if (!std::isfinite(mx.factor) || !std::isfinite(my.factor)) return;
    // A box dragged past its fixed corner mirrors what it holds.
    const bool flipX = mx.factor < 0, flipY = my.factor < 0;
    const double ax = std::abs(mx.factor), ay = std::abs(my.factor);
    const double heightFactor = from.height() != 0 ? std::abs(to.height() / from.height()) : 1.0;
    transformAll(*this, ids, [&](const DrawObject& o) {
        Placement p = placementOf(o);
        if (turnsByAngle(o.kind) && std::fmod(o.angle, 180.0) != 0) {
            // A turned frame keeps its shape: its centre follows the map, its sides scale by how
            // much the map stretches the directions they lie along.
            const auto [c, s] = cosSinDegrees(o.angle);
            const double fw = std::hypot(ax * c, ay * s), fh = std::hypot(ax * s, ay * c);
            const double cx = (double(o.x1) + o.x2) / 2, cy = (double(o.y1) + o.y2) / 2;
            const double ncx = mx(cx), ncy = my(cy);
            p.x1 = qnum::CLng(ncx + (o.x1 - cx) * fw);
            p.x2 = qnum::CLng(ncx + (o.x2 - cx) * fw);
            p.y1 = qnum::CLng(ncy + (o.y1 - cy) * fh);
            p.y2 = qnum::CLng(ncy + (o.y2 - cy) * fh);
            if (flipX != flipY) p.angle = normalAngle(-o.angle);
            return p;
        }
        p.x1 = qnum::CLng(mx(o.x1));
        p.y1 = qnum::CLng(my(o.y1));
        p.x2 = qnum::CLng(mx(o.x2));
        p.y2 = qnum::CLng(my(o.y2));
        if (turnsByAngle(o.kind)) {
            // The frame keeps the corner order it had; a half-turned frame is its own mirror image.
            if (flipX) std::swap(p.x1, p.x2);
            if (flipY) std::swap(p.y1, p.y2);
        } else if (o.kind == Text) {
            p.textHeight = o.style.textHeight * heightFactor;
        }
        // Lines keep their mapped corners; polylines and polygons follow their frame, mirrored
        // through it when the box turned over.
        return p;
    });
    touched();
}

void DrawModel::rotate(const QVector<Long>& ids, const QPointF& centre, double degrees) {
    if (!std::isfinite(degrees) || !std::isfinite(centre.x()) || !std::isfinite(centre.y())) return;
    const auto [c, s] = cosSinDegrees(degrees);
    // Counter-clockwise on a sheet whose y runs down.
    auto turn = [&, c = c, s = s](double x, double y) {
        const double dx = x - centre.x(), dy = y - centre.y();
        return QPointF(centre.x() + c * dx + s * dy, centre.y() - s * dx + c * dy);
    };
    transformAll(*this, ids, [&](const DrawObject& o) {
        Placement p = placementOf(o);
        switch (o.kind) {
        case Line:
        case Text: {
            const QPointF a = turn(o.x1, o.y1), b = turn(o.x2, o.y2);
            p.x1 = qnum::CLng(a.x());
            p.y1 = qnum::CLng(a.y());
            p.x2 = qnum::CLng(b.x());
            p.y2 = qnum::CLng(b.y());
            if (o.kind == Text) p.textAngle = normalAngle(o.style.textAngle + degrees);
            break;
        }
        case Polyline:
        case Polygon: {
            const QVector<QPointF> placed = o.placedVertices();
            if (placed.isEmpty()) {
                const QPointF a = turn(o.x1, o.y1);
                p.x1 = p.x2 = qnum::CLng(a.x());
                p.y1 = p.y2 = qnum::CLng(a.y());
                break;
            }
            p.vertices.resize(placed.size());
            for (qsizetype i = 0; i < placed.size(); ++i) {
                const QPointF v = turn(placed[i].x(), placed[i].y());
                p.vertices[i] = QPoint(qnum::CLng(v.x()), qnum::CLng(v.y()));
            }
            boundVertices(p);
            break;
        }
        default: {
            // The frame moves whole with its centre, so its size stays exact.
            const double cx = (double(o.x1) + o.x2) / 2, cy = (double(o.y1) + o.y2) / 2;
            const QPointF n = turn(cx, cy);
            const Long dx = qnum::CLng(n.x() - cx), dy = qnum::CLng(n.y() - cy);
            p.x1 = qnum::CLng(double(o.x1) + dx);
            p.x2 = qnum::CLng(double(o.x2) + dx);
            p.y1 = qnum::CLng(double(o.y1) + dy);
            p.y2 = qnum::CLng(double(o.y2) + dy);
            p.angle = normalAngle(o.angle + degrees);
            break;
        }
        }
        return p;
    });
    touched();
}

QRectF DrawModel::boundsOf(const QVector<Long>& ids) const {
    QRectF r;
    for (Long id : ids)
        if (const DrawObject* o = find(id)) r = r.isNull() ? objectBounds(*o) : r.united(objectBounds(*o));
    return r;
}

void DrawModel::copyToClipboard(const QVector<Long>& ids) {
    QSet<Long> wanted(ids.begin(), ids.end());
    clipboard_.clear();
    for (const auto& o : stack_)
        if (wanted.contains(o->id)) clipboard_.push_back(*o);
}

QVector<Long> DrawModel::pasteClipboard() {
    for (auto& o : stack_)
        o->selected = false;
    QHash<int, int> newGroup;
    QVector<Long> ids;
    for (const DrawObject& c : clipboard_) {
        auto o = std::make_unique<DrawObject>(c);
        o->id = nextId_++;
        o->selected = true;
        if (o->group) {
            auto it = newGroup.find(o->group);
            if (it == newGroup.end()) it = newGroup.insert(o->group, nextGroup_++);
            o->group = it.value();
        }
        ids.append(o->id);
        byId_.insert(o->id, o.get());
        stack_.push_back(std::move(o));
    }
    touched();
    return ids;
}

void DrawModel::setRedraw(bool on) {
    const bool was = redraw_;
    redraw_ = on;
    if (on && !was) emit changed();
}

} // namespace draw
