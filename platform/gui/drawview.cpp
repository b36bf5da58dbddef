// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gui/drawview.h"

#include "platform/drawing/drawrender.h"
#include "platform/numbers.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>
#include <utility>

namespace {
const QColor Surround(128, 128, 128);
const QColor Border(64, 64, 64);
const QColor Marks(0, 90, 220);
constexpr double HitPixels = 3;   // how near a click must come to an object
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

draw::Long DrawView::objectAt(const QPointF& px) const {
    if (!model_) return 0;
    const QPointF u = toUnits(px);
    const double tol = HitPixels * unitsPerPixel();
    for (int i = model_->count() - 1; i >= 0; --i)
        if (draw::hitTest(model_->at(i), u, tol)) return model_->at(i).id;
    return 0;
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
    stale_ = true;
    update();
}

void DrawView::viewChanged() {
    stale_ = true;
    if (!model_ || model_->redraw()) update();
}

void DrawView::paintEvent(QPaintEvent*) {
    const qreal dpr = devicePixelRatioF();
    const QSize want = (QSizeF(size()) * dpr).toSize();
    const bool redrawOn = !model_ || model_->redraw();
    if (frame_.size() != want || (stale_ && redrawOn)) {
        frame_ = QPixmap(want);
        frame_.setDevicePixelRatio(dpr);
        frame_.fill(Surround);
        QPainter fp(&frame_);
        if (model_) {
            fp.setClipRect(contentsRect());
            draw::paintSheet(fp, *model_, sheetRect());
            // Selection marks: the box of each selected object with its corner handles.
            fp.setRenderHint(QPainter::Antialiasing, false);
            fp.setPen(QPen(Marks, 0, Qt::DotLine));
            fp.setBrush(Qt::NoBrush);
            for (int i = 0; i < model_->count(); ++i) {
                const draw::DrawObject& o = model_->at(i);
                if (!o.selected) continue;
                const QRectF r = pixelRect(draw::objectBounds(o)).adjusted(-2, -2, 2, 2);
                fp.drawRect(r);
                for (const QPointF& c : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
                    fp.fillRect(QRectF(c.x() - 2, c.y() - 2, 5, 5), Marks);
            }
        }
        fp.setClipping(false);
        fp.setPen(Border);
        fp.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
        stale_ = false;
    }
    QPainter p(this);
    p.drawPixmap(0, 0, frame_);
    if (dragging_ && (gesture_ == Gesture::Band || gesture_ == Gesture::Frame)) {
        p.setPen(QPen(gesture_ == Gesture::Band ? Marks : Qt::black, 0, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(pressPx_, currentPx_).normalized());
    }
    if (!vertices_.isEmpty()) {
        // The vertices placed so far and the rubber segment, over the cached page.
        QPolygonF poly;
        for (const QPoint& v : vertices_) poly << unitsToPixel(QPointF(v));
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
    lastDrawn_ = 0;
    moved_ = QPoint();
    dragging_ = false;
    gesture_ = Gesture::Click;
    if (button_ != Qt::LeftButton) return;
    if (model_->editMode() == 11) {
        if (pressHit_) {
            const draw::DrawObject* o = model_->find(pressHit_);
            if (o && !o->selected) {
                if (!(pressMods_ & Qt::ShiftModifier)) model_->clearSelection();
                model_->selectGroupOf(pressHit_);
            }
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
    if (!model_ || gesture_ == Gesture::None || button_ != Qt::LeftButton) return;
    currentPx_ = event->position();
    if (!dragging_) {
        if ((currentPx_ - pressPx_).manhattanLength() < QApplication::startDragDistance()) return;
        dragging_ = true;
        if (model_->editMode() == 11 && pressHit_) {
            gesture_ = Gesture::Move;
            emit model_->editAction(1); // the selection is about to change: its handler records it
        } else if (model_->editMode() == 11) {
            gesture_ = Gesture::Band;
        } else if (isFrameMode()) {
            gesture_ = Gesture::Frame;
        } else {
            dragging_ = false; // other modes take clicks only
            return;
        }
    }
    if (gesture_ == Gesture::Move) moveSelectionTo(currentPx_);
    update();
}

void DrawView::moveSelectionTo(const QPointF& px) {
    const QPointF d = toUnits(px) - toUnits(pressPx_);
    const QPoint want(qnum::CLng(d.x()), qnum::CLng(d.y()));
    const QPoint step = want - moved_;
    if (step.isNull()) return;
    model_->offset(model_->selectedIds(), step.x(), step.y());
    moved_ = want;
}

void DrawView::selectInBand() {
    const QRectF band = QRectF(toUnits(pressPx_), toUnits(currentPx_)).normalized();
    if (!(pressMods_ & Qt::ShiftModifier)) model_->clearSelection();
    QVector<draw::Long> inside;
    for (int i = 0; i < model_->count(); ++i) {
        const draw::DrawObject& o = model_->at(i);
        if (band.contains(draw::objectBounds(o))) inside.append(o.id);
    }
    for (draw::Long id : inside) model_->selectGroupOf(id);
    model_->touched();
}

void DrawView::mouseReleaseEvent(QMouseEvent* event) {
    if (swallowRelease_ && event->button() == Qt::LeftButton) {
        swallowRelease_ = false;
        return;
    }
    if (!model_ || gesture_ == Gesture::None || event->button() != button_) return;
    currentPx_ = event->position();
    const Gesture g = dragging_ ? gesture_ : Gesture::Click;
    gesture_ = Gesture::None;
    dragging_ = false;
    QPointer<DrawView> alive(this);
    clickButton_ = buttonCode(button_);
    switch (g) {
    case Gesture::Move:
        moveSelectionTo(currentPx_);
        emit model_->editAction(3);
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
        emit model_->pointClicked(buttonCode(button_), shiftState(pressMods_), currentPx_.x(), currentPx_.y());
        break;
    }
    case Gesture::Click:
        if (model_->editMode() == 11 && !pressHit_ && !(pressMods_ & Qt::ShiftModifier)) model_->clearSelection();
        if (pressHit_ && model_->find(pressHit_)) {
            model_->setCurrent(pressHit_);
            emit model_->objectClicked();
        }
        if (alive && model_)
            emit model_->pointClicked(buttonCode(button_), shiftState(pressMods_), currentPx_.x(), currentPx_.y());
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
