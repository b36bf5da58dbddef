// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gui/drawview.h"

#include "platform/drawing/drawrender.h"
#include "platform/drawing/objecttags.h"
#include "platform/numbers.h"
#include "platform/qmerror.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QWheelEvent>
#include <cmath>
#include <numbers>
#include <utility>

namespace {
const QColor Surround(128, 128, 128);
const QColor Border(64, 64, 64);
const QColor Marks(0, 90, 220);
constexpr double HitPixels = 3;   // how near a click must come to an object
constexpr double MarkMargin = 2;  // pixels between an object and the box drawn around it
constexpr double HandleReach = 4; // how near a press must come to a handle's centre
constexpr double WheelStep = 48;  // pixels per notch of the wheel

// Shift state as the control's events report it: 1 Shift, 2 Ctrl, 4 Alt.
int shiftState(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
           (m & Qt::AltModifier ? 4 : 0);
}

int buttonCode(Qt::MouseButton b) {
    return b == Qt::LeftButton ? 1 : b == Qt::RightButton ? 2 : b == Qt::MiddleButton ? 4 : 0;
}

// Virtual key codes for the keys the drawing code tests; letters and digits share their codes.
int virtualKey(int key) {
    switch (key) {
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    default:
        break;
    }
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return key;
    return 0;
}

} // namespace

DrawView::DrawView(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setContentsMargins(1, 1, 1, 1);
    setMouseTracking(true); // the rubber segment follows the mouse between clicks
}

void DrawView::setModel(draw::DrawModel* model) {
    if (model_) disconnect(model_, nullptr, this, nullptr);
    if (editing_) endEdit();
    gesture_ = Gesture::None;
    dragging_ = false;
    textExtents_.clear();
    model_ = model;
    if (model_) connect(model_, &draw::DrawModel::changed, this, &DrawView::modelChanged);
    modelChanged();
}

void DrawView::ViewLeft(double v) {
    view_.moveLeft(v);
    viewChanged();
}
void DrawView::ViewTop(double v) {
    view_.moveTop(v);
    viewChanged();
}
void DrawView::ViewWidth(double v) {
    view_.setWidth(v);
    viewChanged();
}
void DrawView::ViewHeight(double v) {
    view_.setHeight(v);
    viewChanged();
}

QRectF DrawView::sheetRect() const {
    if (view_.width() > 0 && view_.height() > 0)
        return QRectF(-view_.left(), -view_.top(), view_.width(), view_.height());
    const QRectF area = contentsRect();
    if (!model_ || model_->pageWidth() <= 0 || model_->pageHeight() <= 0 || area.isEmpty()) return {};
    const double r = double(model_->pageWidth()) / model_->pageHeight();
    QSizeF size(area.width(), area.width() / r);
    if (size.height() > area.height()) size = QSizeF(area.height() * r, area.height());
    return QRectF(area.center().x() - size.width() / 2, area.center().y() - size.height() / 2, size.width(),
                  size.height());
}

double DrawView::PixelToUnitsX(double px) const {
    const QRectF s = sheetRect();
    if (!model_ || s.width() <= 0) return 0;
    const double extent = model_->unitsWidth() ? model_->unitsWidth() : model_->pageWidth();
    return model_->unitsLeft() + (px - s.left()) / s.width() * extent;
}

double DrawView::PixelToUnitsY(double py) const {
    const QRectF s = sheetRect();
    if (!model_ || s.height() <= 0) return 0;
    const double extent = model_->unitsHeight() ? model_->unitsHeight() : model_->pageHeight();
    return model_->unitsTop() + (py - s.top()) / s.height() * extent;
}

QPointF DrawView::unitsToPixel(const QPointF& u) const {
    const QRectF s = sheetRect();
    if (!model_ || s.isEmpty()) return {};
    const double ew = model_->unitsWidth() ? model_->unitsWidth() : model_->pageWidth();
    const double eh = model_->unitsHeight() ? model_->unitsHeight() : model_->pageHeight();
    if (ew == 0 || eh == 0) return {};
    return {s.left() + (u.x() - model_->unitsLeft()) / ew * s.width(),
            s.top() + (u.y() - model_->unitsTop()) / eh * s.height()};
}

QRectF DrawView::pixelRect(const QRectF& units) const {
    return QRectF(unitsToPixel(units.topLeft()), unitsToPixel(units.bottomRight())).normalized();
}

double DrawView::unitsPerPixel() const {
    const QRectF s = sheetRect();
    if (!model_ || s.width() <= 0) return 0;
    const double extent = model_->unitsWidth() ? model_->unitsWidth() : model_->pageWidth();
    return std::fabs(extent) / s.width();
}

namespace {
int fontFlags(const draw::Style& s) {
    return int(s.textBold) | int(s.textItalic) << 1 | int(s.textUnderline) << 2 | int(s.textStrikeout) << 3;
}
} // namespace

bool DrawView::TextExtent::shapes(const draw::DrawObject& o) const {
    return height == o.style.textHeight && textAngle == o.style.textAngle && angle == o.angle &&
           align == o.style.textAlign && flags == fontFlags(o.style) && w == o.x2 - o.x1 &&
           h == o.y2 - o.y1 && text == o.text && font == o.style.fontName;
}

void DrawView::TextExtent::take(const draw::DrawObject& o) {
    text = o.text;
    font = o.style.fontName;
    height = o.style.textHeight;
    textAngle = o.style.textAngle;
    angle = o.angle;
    align = o.style.textAlign;
    flags = fontFlags(o.style);
    w = o.x2 - o.x1;
    h = o.y2 - o.y1;
    // A text's extent moves with its anchor and changes with nothing else of its frame.
    rel = draw::objectBounds(o).translated(-o.x1, -o.y1);
}

QRectF DrawView::boundsOf(const draw::DrawObject& o) const {
    if (o.kind != draw::Text) return draw::objectBounds(o);
    if (!textExtents_.contains(o.id) && textExtents_.size() > 2 * qsizetype(model_->count()) + 64)
        textExtents_.clear(); // ids of objects long gone
    TextExtent& e = textExtents_[o.id];
    if (!e.shapes(o)) e.take(o);
    return e.rel.translated(o.x1, o.y1);
}

bool DrawView::isDeleted(const draw::DrawObject& o) {
    return o.tag(draw::tags::Change) == draw::tags::Yes;
}

draw::Long DrawView::objectAt(const QPointF& px) const {
    if (!model_) return 0;
    const QPointF u = toUnits(px);
    const double tol = HitPixels * unitsPerPixel();
    for (int i = model_->count() - 1; i >= 0; --i) {
        const draw::DrawObject& o = model_->at(i);
        // A text is measured only when the click comes near it.
        if (o.kind == draw::Text && !boundsOf(o).adjusted(-tol, -tol, tol, tol).contains(u)) continue;
        if (draw::hitTest(o, u, tol) && !isDeleted(o)) return o.id;
    }
    return 0;
}

bool DrawView::isSelectMode() const {
    const int m = model_ ? model_->editMode() : 0;
    return m == 11 || m == 13;
}

std::optional<QRectF> DrawView::collectSelection(QVector<QRectF>* each) const {
    if (!model_) return std::nullopt;
    double l = 0, t = 0, r = 0, b = 0;
    bool any = false;
    for (int i = 0; i < model_->count(); ++i) {
        const draw::DrawObject& o = model_->at(i);
        if (!o.selected || isDeleted(o)) continue;
        const QRectF box = boundsOf(o);
        if (each) each->append(pixelRect(box).adjusted(-MarkMargin, -MarkMargin, MarkMargin, MarkMargin));
        // Unions by hand: QRectF::united drops boxes without area, such as a level line's.
        if (!any) {
            l = box.left(), t = box.top(), r = box.right(), b = box.bottom();
            any = true;
        } else {
            l = std::min(l, box.left()), t = std::min(t, box.top());
            r = std::max(r, box.right()), b = std::max(b, box.bottom());
        }
    }
    if (!any) return std::nullopt;
    return QRectF(QPointF(l, t), QPointF(r, b));
}

std::optional<QRectF> DrawView::selectionBox() const {
    return collectSelection(nullptr);
}

int DrawView::handleAt(const QPointF& px) const {
    if (!isSelectMode()) return -1;
    const std::optional<QRectF> box = selectionBox();
    if (!box) return -1;
    const QRectF inner = pixelRect(*box);
    // On a box a few pixels across the handles would cover it: there a press inside it moves.
    if ((inner.width() < 4 * HandleReach || inner.height() < 4 * HandleReach) && inner.contains(px))
        return -1;
    const QRectF r = inner.adjusted(-MarkMargin, -MarkMargin, MarkMargin, MarkMargin);
    const QPointF corners[4] = {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()};
    for (int c = 0; c < 4; ++c)
        if (std::fabs(px.x() - corners[c].x()) <= HandleReach &&
            std::fabs(px.y() - corners[c].y()) <= HandleReach)
            return c;
    return -1;
}

void DrawView::scrollBy(double dx, double dy) {
    if (view_.width() <= 0) return; // a fitted page shows whole
    // Within the page the view may go anywhere; it does not move further off a page edge.
    auto clampAxis = [](double pos, double delta, double pageSize, double client) {
        if (pageSize <= client) return pos;
        const double lo = std::min(0.0, pos), hi = std::max(pageSize - client, pos);
        return std::clamp(pos + delta, lo, hi);
    };
    view_.moveLeft(clampAxis(view_.left(), dx, view_.width(), ClientWidth()));
    view_.moveTop(clampAxis(view_.top(), dy, view_.height(), ClientHeight()));
    viewChanged();
}

void DrawView::modelChanged() {
    // A selection the view changed itself shows in the marks; an edit being dragged paints its
    // objects over the page rendered at its start.
    if (!quiet_ && !editing_) stale_ = true;
    update();
}

void DrawView::viewChanged() {
    stale_ = true;
    if (!model_ || model_->redraw()) update();
}

QTransform DrawView::unitsTransform() const {
    // As paintSheet places the drawing on its target.
    const QRectF s = sheetRect();
    QTransform t;
    if (!model_ || model_->pageWidth() <= 0 || model_->pageHeight() <= 0 || s.isEmpty()) return t;
    t.translate(s.left(), s.top());
    t.scale(s.width() / model_->pageWidth(), s.height() / model_->pageHeight());
    if (model_->unitsWidth() != 0 && model_->unitsHeight() != 0) {
        t.scale(double(model_->pageWidth()) / model_->unitsWidth(),
                double(model_->pageHeight()) / model_->unitsHeight());
        t.translate(-model_->unitsLeft(), -model_->unitsTop());
    }
    return t;
}

namespace {
void setSheetHints(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}
} // namespace

void DrawView::renderFrame(const QSize& size, qreal dpr) {
    frame_ = QPixmap(size);
    frame_.setDevicePixelRatio(dpr);
    frame_.fill(Surround);
    QPainter fp(&frame_);
    if (model_) {
        fp.setClipRect(contentsRect());
        const QRectF sheet = sheetRect();
        if (!editing_) {
            draw::paintSheet(fp, *model_, sheet);
        } else if (model_->pageWidth() > 0 && model_->pageHeight() > 0 && !sheet.isEmpty()) {
            // The page as paintSheet paints it, less the objects the edit moves.
            fp.save();
            setSheetHints(fp);
            fp.fillRect(sheet, draw::toQColor(model_->backgroundColor()));
            fp.setTransform(unitsTransform(), true);
            const draw::OutputOptions screen;
            draw::DrawObject scratch;
            for (int i = 0; i < model_->count(); ++i) {
                const draw::DrawObject& o = model_->at(i);
                if (editSet_.contains(o.id)) continue;
                if (const draw::DrawObject* shown = screen.shown(o, scratch)) draw::paintObject(fp, *shown);
            }
            fp.restore();
        }
    }
    fp.setClipping(false);
    fp.setPen(Border);
    fp.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    stale_ = false;
}

void DrawView::paintMarks(QPainter& p) {
    if (!markBox_) return;
    p.save();
    p.setClipRect(contentsRect());
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Marks, 0, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    for (const QRectF& r : markRects_)
        p.drawRect(r);
    const QRectF& r = *markBox_;
    p.drawRect(r);
    for (const QPointF& c : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
        p.fillRect(QRectF(c.x() - 2, c.y() - 2, 5, 5), Marks);
    p.restore();
}

void DrawView::paintEvent(QPaintEvent*) {
    const qreal dpr = devicePixelRatioF();
    const QSize want = (QSizeF(size()) * dpr).toSize();
    const bool redrawOn = !model_ || model_->redraw();
    if (frame_.size() != want || (stale_ && redrawOn)) renderFrame(want, dpr);
    QPainter p(this);
    p.drawPixmap(0, 0, frame_);
    if (editing_ && model_) {
        // The objects being dragged, where they are now, over the page without them.
        p.save();
        p.setClipRect(contentsRect());
        setSheetHints(p);
        p.setTransform(unitsTransform(), true);
        const draw::OutputOptions screen;
        draw::DrawObject scratch;
        for (draw::Long id : std::as_const(editIds_))
            if (const draw::DrawObject* o = model_->find(id))
                if (const draw::DrawObject* shown = screen.shown(*o, scratch)) draw::paintObject(p, *shown);
        p.restore();
    }
    // The marks follow the selection unless redrawing is off, when the view keeps what it showed.
    if (redrawOn) {
        markRects_.clear();
        markBox_ = collectSelection(&markRects_);
        if (markBox_)
            markBox_ = pixelRect(*markBox_).adjusted(-MarkMargin, -MarkMargin, MarkMargin, MarkMargin);
        if (markRects_.size() < 2) markRects_.clear(); // one object's box is the selection's box
    }
    paintMarks(p);
    if (dragging_ && (gesture_ == Gesture::Band || gesture_ == Gesture::Frame)) {
        p.setPen(QPen(gesture_ == Gesture::Band ? Marks : Qt::black, 0, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(pressPx_, currentPx_).normalized());
    }
    if (!vertices_.isEmpty()) {
        // The vertices placed so far and the rubber segment, over the cached page.
        QPolygonF poly;
        for (const QPoint& v : vertices_)
            poly << unitsToPixel(QPointF(v));
        p.setPen(QPen(Qt::black, 0));
        p.drawPolyline(poly);
        p.setPen(QPen(Qt::black, 0, Qt::DashLine));
        p.drawLine(poly.last(), currentPx_);
    }
    if (typing_) {
        if (const draw::DrawObject* o = model_ ? model_->find(typing_) : nullptr) {
            const QRectF r = pixelRect(draw::objectBounds(*o)).adjusted(-2, -2, 2, 2);
            p.setPen(QPen(Marks, 0, Qt::DotLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(r.width() < 4 ? r.adjusted(0, 0, 4, 0) : r);
        }
    }
}

bool DrawView::isVertexMode() const {
    const int m = model_ ? model_->editMode() : 0;
    return m == draw::Polygon || m == draw::Polyline;
}

QPoint DrawView::unitsAt(const QPointF& px) const {
    const QPointF u = toUnits(px);
    return {qnum::CLng(u.x()), qnum::CLng(u.y())};
}

void DrawView::placeVertex(const QPointF& px) {
    if (vertexKind_ != model_->editMode()) vertices_.clear();
    vertexKind_ = model_->editMode();
    const QPoint u = unitsAt(px);
    // As many as a vertex list holds; a second click on the same unit adds no vertex.
    if (vertices_.size() >= 250 || (!vertices_.isEmpty() && vertices_.last() == u)) return;
    vertices_.append(u);
    currentPx_ = px;
    update();
}

bool DrawView::finishVertices() {
    const QVector<QPoint> pts = std::exchange(vertices_, {});
    update();
    if (!model_) return false;
    const int kind = vertexKind_;
    if (pts.size() < (kind == draw::Polygon ? 3 : 2)) return false;
    draw::DrawObject& o = model_->add(draw::Kind(kind), pts[0].x(), pts[0].y(), pts[0].x(), pts[0].y());
    model_->setVertices(o, pts);
    const draw::Long id = o.id;
    model_->setCurrent(id);
    model_->touched();
    lastDrawn_ = id;
    emit objectDrawn(id);
    return true;
}

bool DrawView::finishTyping() {
    const draw::Long id = std::exchange(typing_, 0);
    update();
    if (!model_ || !id) return false;
    const draw::DrawObject* o = model_->find(id);
    if (!o) return false;
    if (o->text.isEmpty()) {
        model_->remove(id);
        model_->touched();
        return false;
    }
    model_->setCurrent(id);
    lastDrawn_ = id;
    emit objectDrawn(id);
    return true;
}

void DrawView::finishShape() {
    finishVertices();
    finishTyping();
}

void DrawView::typeKey(QKeyEvent* event) {
    draw::DrawObject* o = model_->find(typing_);
    if (!o) {
        typing_ = 0;
        return;
    }
    switch (event->key()) {
    case Qt::Key_Escape:
        finishTyping();
        emit model_->keyDown(27, shiftState(event->modifiers()));
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        finishTyping();
        return;
    case Qt::Key_Backspace:
        o->text.chop(1);
        break;
    default: {
        QString typed = event->text();
        typed.removeIf([](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
        if (typed.isEmpty()) return;
        o->text += typed;
    }
    }
    model_->touched();
}

bool DrawView::isFrameMode() const {
    const int m = model_ ? model_->editMode() : 0;
    return m == draw::Rectangle || m == draw::RoundRect || m == draw::Ellipse || m == draw::Bitmap;
}

void DrawView::mousePressEvent(QMouseEvent* event) {
    if (!model_ || gesture_ != Gesture::None) return;
    setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton) {
        // A click while a text is typed ends it, and does nothing else.
        if (typing_) {
            finishTyping();
            swallowRelease_ = true;
            return;
        }
        if (isVertexMode()) {
            placeVertex(event->position());
            swallowRelease_ = true;
            return;
        }
        if (model_->editMode() == draw::Text) {
            const QPoint u = unitsAt(event->position());
            lastDrawn_ = 0;
            typing_ = model_->add(draw::Text, u.x(), u.y(), u.x(), u.y()).id;
            model_->setCurrent(typing_);
            swallowRelease_ = true;
            return;
        }
    }
    button_ = event->button();
    pressMods_ = event->modifiers();
    pressPx_ = currentPx_ = event->position();
    pressHit_ = objectAt(pressPx_);
    pressCorner_ = -1;
    lastDrawn_ = 0;
    moved_ = QPoint();
    dragging_ = false;
    gesture_ = Gesture::Click;
    if (button_ != Qt::LeftButton || !isSelectMode()) return;
    // A handle of the selection's box comes before the object under it.
    pressCorner_ = handleAt(pressPx_);
    if (pressCorner_ < 0 && pressHit_) {
        const draw::DrawObject* o = model_->find(pressHit_);
        if (o && !o->selected) {
            QScopedValueRollback quiet(quiet_, true);
            if (!(pressMods_ & Qt::ShiftModifier)) model_->clearSelection();
            model_->selectGroupOf(pressHit_);
        }
    }
}

void DrawView::mouseMoveEvent(QMouseEvent* event) {
    if (!vertices_.isEmpty()) {
        // Only the rubber segment's strip needs painting.
        const QPointF last = unitsToPixel(QPointF(vertices_.last()));
        const QRectF before = QRectF(last, currentPx_).normalized();
        currentPx_ = event->position();
        update(before.united(QRectF(last, currentPx_).normalized()).adjusted(-2, -2, 2, 2).toAlignedRect());
        return;
    }
    if (!model_) return;
    if (gesture_ == Gesture::None) return updateCursor(event->position());
    if (!(event->buttons() & button_)) {
        // The release went elsewhere (a message box took it): a drag ends here, a click is dropped.
        if (dragging_)
            finishGesture(event->position());
        else
            gesture_ = Gesture::None;
        return;
    }
    if (button_ != Qt::LeftButton) return;
    currentPx_ = event->position();
    if (!dragging_) {
        if ((currentPx_ - pressPx_).manhattanLength() < QApplication::startDragDistance()) return;
        dragging_ = true;
        Gesture g = Gesture::None;
        if (isSelectMode() && (pressCorner_ >= 0 || pressHit_))
            g = model_->editMode() == 13 ? Gesture::Turn
                : pressCorner_ >= 0      ? Gesture::Resize
                                         : Gesture::Move;
        else if (isSelectMode())
            g = Gesture::Band;
        else if (isFrameMode())
            g = Gesture::Frame;
        if (g == Gesture::None) {
            dragging_ = false; // other modes take clicks only
            return;
        }
        gesture_ = g;
        if ((g == Gesture::Move || g == Gesture::Resize || g == Gesture::Turn) && !beginEdit(g)) {
            gesture_ = Gesture::None;
            dragging_ = false;
            return;
        }
    }
    applyEdit(gesture_, currentPx_);
    update();
}

void DrawView::applyEdit(Gesture g, const QPointF& px) {
    try {
        switch (g) {
        case Gesture::Move:
            moveSelectionTo(px);
            break;
        case Gesture::Resize:
            resizeSelectionTo(px);
            break;
        case Gesture::Turn:
            turnSelectionTo(px);
            break;
        default:
            break;
        }
    } catch (const QmError&) {
        // A coordinate past the drawing's range (error 6): the model takes none of the step, and
        // a resize or turn shows the objects as the edit found them.
    }
}

void DrawView::updateCursor(const QPointF& px) {
    // The handles as last painted tell where a resize can start.
    int corner = -1;
    if (markBox_ && model_->editMode() == 11) {
        const QRectF& r = *markBox_;
        const QPointF corners[4] = {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()};
        for (int c = 0; c < 4 && corner < 0; ++c)
            if (std::fabs(px.x() - corners[c].x()) <= HandleReach &&
                std::fabs(px.y() - corners[c].y()) <= HandleReach)
                corner = c;
    }
    if (corner < 0)
        unsetCursor();
    else
        setCursor(corner == 0 || corner == 3 ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor);
}

bool DrawView::beginEdit(Gesture g) {
    // The selection is about to change: the edit-start handler records it as it is.
    QPointer<DrawView> alive(this);
    emit model_->editAction(1);
    if (!alive || !model_ || gesture_ != g) return false;
    editIds_.clear();
    for (int i = 0; i < model_->count(); ++i) {
        const draw::DrawObject& o = model_->at(i);
        if (o.selected && !isDeleted(o)) editIds_.append(o.id);
    }
    if (editIds_.isEmpty()) return false;
    editSet_ = QSet<draw::Long>(editIds_.cbegin(), editIds_.cend());
    snapshot_.clear();
    snapshot_.reserve(size_t(editIds_.size()));
    for (draw::Long id : std::as_const(editIds_))
        snapshot_.push_back(*model_->find(id));
    fromBox_ = model_->boundsOf(editIds_);
    static constexpr int opposite[4] = {3, 2, 1, 0};
    const QPointF corners[4] = {fromBox_.topLeft(), fromBox_.topRight(), fromBox_.bottomLeft(),
                                fromBox_.bottomRight()};
    if (pressCorner_ >= 0) {
        dragCorner_ = corners[pressCorner_];
        fixedCorner_ = corners[opposite[pressCorner_]];
    }
    turned_ = 0;
    lastAngle_ = sweepAngle(toUnits(pressPx_));
    editing_ = true;
    stale_ = true; // the page is rendered once without the objects the edit moves
    return true;
}

void DrawView::endEdit() {
    editing_ = false;
    editIds_.clear();
    editSet_.clear();
    snapshot_.clear();
    stale_ = true;
    update();
}

void DrawView::restoreSnapshot() {
    for (size_t i = 0; i < snapshot_.size(); ++i)
        if (draw::DrawObject* o = model_->find(editIds_[qsizetype(i)])) *o = snapshot_[i];
}

void DrawView::moveSelectionTo(const QPointF& px) {
    const QPointF d = toUnits(px) - toUnits(pressPx_);
    const QPoint want(qnum::CLng(d.x()), qnum::CLng(d.y()));
    const QPoint step = want - moved_;
    if (step.isNull()) return;
    model_->offset(editIds_, step.x(), step.y());
    moved_ = want;
}

void DrawView::resizeSelectionTo(const QPointF& px) {
    const QPointF want = dragCorner_ + (toUnits(px) - toUnits(pressPx_));
    // Per axis, the new ends of the box's sides: the fixed side stays, the dragged one follows the
    // mouse and may pass the fixed one, which mirrors the objects, but never meets it (no extent
    // would flatten them). An axis the box has no extent on keeps none.
    auto axis = [](double fixed, double start, double to) -> std::pair<double, double> {
        if (start == fixed) return {fixed, fixed};
        double extent = to - fixed;
        if (std::fabs(extent) < 1) extent = start > fixed ? 1 : -1;
        return start < fixed ? std::pair(fixed + extent, fixed) : std::pair(fixed, fixed + extent);
    };
    const auto [left, right] = axis(fixedCorner_.x(), dragCorner_.x(), want.x());
    const auto [top, bottom] = axis(fixedCorner_.y(), dragCorner_.y(), want.y());
    restoreSnapshot();
    model_->scale(editIds_, fromBox_, QRectF(QPointF(left, top), QPointF(right, bottom)));
}

double DrawView::sweepAngle(const QPointF& u) const {
    // Counter-clockwise on the sheet, whose y runs down.
    const QPointF c = fromBox_.center();
    return std::atan2(-(u.y() - c.y()), u.x() - c.x()) * 180 / std::numbers::pi;
}

void DrawView::turnSelectionTo(const QPointF& px) {
    const double a = sweepAngle(toUnits(px));
    double step = a - lastAngle_;
    if (step > 180)
        step -= 360;
    else if (step <= -180)
        step += 360;
    lastAngle_ = a;
    turned_ += step;
    restoreSnapshot();
    if (turned_ != 0)
        model_->rotate(editIds_, fromBox_.center(), turned_);
    else
        model_->touched();
}

void DrawView::selectInBand() {
    QScopedValueRollback quiet(quiet_, true);
    const QRectF band = QRectF(toUnits(pressPx_), toUnits(currentPx_)).normalized();
    if (!(pressMods_ & Qt::ShiftModifier)) model_->clearSelection();
    QVector<draw::Long> inside;
    for (int i = 0; i < model_->count(); ++i) {
        const draw::DrawObject& o = model_->at(i);
        // A text is not measured when its anchor, which its extent holds, lies outside the band.
        if (o.kind == draw::Text && !band.contains(QPointF(o.x1, o.y1))) continue;
        if (band.contains(boundsOf(o)) && !isDeleted(o)) inside.append(o.id);
    }
    for (draw::Long id : inside)
        model_->selectGroupOf(id);
    model_->touched();
}

void DrawView::mouseReleaseEvent(QMouseEvent* event) {
    if (swallowRelease_ && event->button() == Qt::LeftButton) {
        swallowRelease_ = false;
        return;
    }
    if (!model_ || gesture_ == Gesture::None || event->button() != button_) return;
    finishGesture(event->position());
}

void DrawView::finishGesture(const QPointF& px) {
    currentPx_ = px;
    const Gesture g = dragging_ ? gesture_ : Gesture::Click;
    gesture_ = Gesture::None;
    dragging_ = false;
    QPointer<DrawView> alive(this);
    clickButton_ = buttonCode(button_);
    switch (g) {
    case Gesture::Move:
    case Gesture::Resize:
    case Gesture::Turn:
        applyEdit(g, currentPx_);
        endEdit();
        emit model_->editAction(g == Gesture::Move ? 3 : 4);
        break;
    case Gesture::Band:
        selectInBand();
        break;
    case Gesture::Frame: {
        const QRectF r = QRectF(toUnits(pressPx_), toUnits(currentPx_)).normalized();
        const draw::Long x1 = qnum::CLng(r.left()), y1 = qnum::CLng(r.top());
        const draw::Long x2 = qnum::CLng(r.right()), y2 = qnum::CLng(r.bottom());
        if (x1 != x2 || y1 != y2) {
            lastDrawn_ = model_->add(draw::Kind(model_->editMode()), x1, y1, x2, y2).id;
            model_->setCurrent(lastDrawn_);
            emit objectDrawn(lastDrawn_);
        }
        if (alive && model_)
            emit model_->pointClicked(buttonCode(button_), shiftState(pressMods_), currentPx_.x(),
                                      currentPx_.y());
        break;
    }
    case Gesture::Click:
        if (isSelectMode() && !pressHit_ && pressCorner_ < 0 && !(pressMods_ & Qt::ShiftModifier)) {
            QScopedValueRollback quiet(quiet_, true);
            model_->clearSelection();
        }
        if (pressHit_ && model_->find(pressHit_)) {
            model_->setCurrent(pressHit_);
            emit model_->objectClicked();
        }
        if (alive && model_)
            emit model_->pointClicked(buttonCode(button_), shiftState(pressMods_), currentPx_.x(),
                                      currentPx_.y());
        break;
    case Gesture::None:
        break;
    }
    if (alive) update();
}

void DrawView::wheelEvent(QWheelEvent* event) {
    QPointF steps = QPointF(event->angleDelta()) / 120.0;
    if (event->modifiers() & Qt::ShiftModifier) steps = QPointF(steps.y(), steps.x());
    scrollBy(-steps.x() * WheelStep, -steps.y() * WheelStep);
    event->accept();
}

void DrawView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (model_ && event->button() == Qt::LeftButton && isVertexMode() && !vertices_.isEmpty()) {
        // The first click of the pair placed a vertex; the second places the last one unless it
        // falls on the same unit.
        const QPoint u = unitsAt(event->position());
        if (u != vertices_.last() && vertices_.size() < 250) vertices_.append(u);
        finishVertices();
        swallowRelease_ = true;
        return;
    }
    mousePressEvent(event);
}

void DrawView::keyPressEvent(QKeyEvent* event) {
    if (!model_) return QWidget::keyPressEvent(event);
    if (typing_) return typeKey(event); // keys typed into a text are not raised
    if (!vertices_.isEmpty() && event->key() == Qt::Key_Escape) {
        if (!isVertexMode()) vertices_.clear(); // the mode was left meanwhile
        finishVertices();
    }
    emit model_->keyDown(virtualKey(event->key()), shiftState(event->modifiers()));
}
