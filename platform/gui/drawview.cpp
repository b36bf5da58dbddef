// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gui/drawview.h"

#include "platform/drawing/drawrender.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {
const QColor Surround(128, 128, 128);

// Shift state as the control's events report it: 1 Shift, 2 Ctrl, 4 Alt.
int shiftState(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
           (m & Qt::AltModifier ? 4 : 0);
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
}

void DrawView::setModel(MDrawPro* model) {
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
    if (!model_ || model_->pageWidth <= 0 || model_->pageHeight <= 0 || area.isEmpty()) return {};
    const double r = double(model_->pageWidth) / model_->pageHeight;
    QSizeF size(area.width(), area.width() / r);
    if (size.height() > area.height()) size = QSizeF(area.height() * r, area.height());
    return QRectF(area.center().x() - size.width() / 2, area.center().y() - size.height() / 2, size.width(),
                  size.height());
}

double DrawView::PixelToUnitsX(double px) const {
    const QRectF s = sheetRect();
    if (!model_ || s.width() <= 0) return 0;
    const double extent = model_->unitsWidth ? model_->unitsWidth : model_->pageWidth;
    return model_->unitsLeft + (px - s.left()) / s.width() * extent;
}

double DrawView::PixelToUnitsY(double py) const {
    const QRectF s = sheetRect();
    if (!model_ || s.height() <= 0) return 0;
    const double extent = model_->unitsHeight ? model_->unitsHeight : model_->pageHeight;
    return model_->unitsTop + (py - s.top()) / s.height() * extent;
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
        if (model_) {
            QPainter fp(&frame_);
            draw::paintSheet(fp, *model_, sheetRect());
        }
        stale_ = false;
    }
    QPainter p(this);
    p.drawPixmap(0, 0, frame_);
}

void DrawView::mousePressEvent(QMouseEvent* event) {
    if (!model_) return;
    const int button = event->button() == Qt::LeftButton     ? 1
                       : event->button() == Qt::RightButton  ? 2
                       : event->button() == Qt::MiddleButton ? 4
                                                             : 0;
    emit model_->pointClicked(button, shiftState(event->modifiers()), event->position().x(),
                              event->position().y());
}

void DrawView::keyPressEvent(QKeyEvent* event) {
    if (!model_) return QWidget::keyPressEvent(event);
    emit model_->keyDown(virtualKey(event->key()), shiftState(event->modifiers()));
}
