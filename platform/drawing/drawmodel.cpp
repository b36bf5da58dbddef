// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drawing/drawmodel.h"

#include "platform/drawing/drawrender.h"

#include "platform/qmerror.h"

#include <QSet>
#include <algorithm>

namespace draw {

bool isKind(int code) {
    switch (code) {
    case Line:
    case Rectangle:
    case RoundRect:
    case Ellipse:
    case Polyline:
    case Polygon:
    case Text:
    case Bitmap:
        return true;
    default:
        return false;
    }
}

QString kindName(Kind kind) {
    switch (kind) {
    case Line:
        return QStringLiteral("line");
    case Rectangle:
        return QStringLiteral("rect");
    case RoundRect:
        return QStringLiteral("roundrect");
    case Ellipse:
        return QStringLiteral("ellipse");
    case Polyline:
        return QStringLiteral("polyline");
    case Polygon:
        return QStringLiteral("polygon");
    case Text:
        return QStringLiteral("text");
    case Bitmap:
        return QStringLiteral("bitmap");
    }
    return QString::number(int(kind));
}

QRectF DrawObject::frameRect() const {
    return QRectF(QPointF(std::min(x1, x2), std::min(y1, y2)), QPointF(std::max(x1, x2), std::max(y1, y2)));
}

QVector<QPointF> DrawObject::placedVertices() const {
    // Each axis maps the vertices' own span onto the frame's; a span of 0 only moves.
    const double bw = double(vx2) - vx1, bh = double(vy2) - vy1;
    const double sx = bw != 0 ? (double(x2) - x1) / bw : 1.0;
    const double sy = bh != 0 ? (double(y2) - y1) / bh : 1.0;
    QVector<QPointF> out;
    out.reserve(vertices.size());
    for (const QPoint& v : vertices)
        out.append(QPointF(x1 + (v.x() - vx1) * sx, y1 + (v.y() - vy1) * sy));
    return out;
}

QString DrawObject::tag(const QString& key) const {
    for (const auto& [k, v] : tags)
        if (k == key) return v;
    return {};
}

void DrawObject::setTag(const QString& key, const QString& value) {
    for (qsizetype i = 0; i < tags.size(); ++i) {
        if (tags[i].first == key) {
            if (value.isEmpty())
                tags.removeAt(i);
            else
                tags[i].second = value;
            return;
        }
    }
    if (!value.isEmpty()) tags.append({key, value});
}

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

void DrawModel::scale(const QVector<Long>&, const QRectF&, const QRectF&) {
    touched();
}

void DrawModel::rotate(const QVector<Long>&, const QPointF&, double) {
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
