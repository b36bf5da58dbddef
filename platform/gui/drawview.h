// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drawing/drawmodel.h"

#include <QPixmap>
#include <QPointer>
#include <QWidget>

// Shows the sheet of a drawing model and carries out its mouse modes. The view values are in this
// widget's pixels, measured from its outer top left corner: ViewWidth and ViewHeight the size at
// which the whole page is displayed, ViewLeft and ViewTop the position of the widget over that page
// (negative values move the page right and down). Until a view width is set the whole page is fitted
// and centred. The widget has a one-pixel border; ClientWidth and ClientHeight are its inside. While
// the model's redrawing is off the widget keeps showing what it showed.
//
// Mouse modes by the model's edit mode: 11 selects (a click, or a band dragged around objects) and
// moves the selection by dragging it; 2, 3, 4 and 12 draw a rectangle, rounded rectangle, ellipse or
// bitmap frame by dragging; 9 and 8 draw a polygon or polyline, a vertex a click with a rubber segment
// to the mouse, ended by a double click (its point the last vertex) or by Escape (the vertices placed;
// at least 3 for a polygon, 2 for a polyline, else nothing) which is then raised as key down 27;
// 10 adds an empty text at a click and takes typed characters (Backspace deletes), ended silently by
// Enter or a click elsewhere and by Escape, raised as key down 27; a text left empty is removed and
// keys typed into it are not raised. Every other mode only reports clicks. A new shape takes the
// defaults' style, is current and is announced by objectDrawn. While a shape is drawn the page is
// not rendered again: the gesture is painted over the cached page image. The model's events are raised in
// this order: edit action 1 when a move starts and 3 when it ends; for a click of any button, object
// clicked (with the clicked object current) and then point clicked; after a drawn frame, point clicked
// with the new object current. Point clicked reports the widget pixel; object clicked carries no
// button, clickButton() tells it.
class DrawView : public QWidget {
    Q_OBJECT
public:
    explicit DrawView(QWidget* parent = nullptr);

    void setModel(draw::DrawModel* model);
    draw::DrawModel* model() const { return model_; }

    double ViewLeft() const { return view_.left(); }
    void ViewLeft(double v);
    double ViewTop() const { return view_.top(); }
    void ViewTop(double v);
    double ViewWidth() const { return view_.width(); }
    void ViewWidth(double v);
    double ViewHeight() const { return view_.height(); }
    void ViewHeight(double v);
    int ClientWidth() const { return contentsRect().width(); }
    int ClientHeight() const { return contentsRect().height(); }
    // A widget pixel as drawing units, and back.
    double PixelToUnitsX(double px) const;
    double PixelToUnitsY(double py) const;
    QPointF unitsToPixel(const QPointF& units) const;
    // Where the page lies, in widget pixels.
    QRectF sheetRect() const;

    // The button of the click last reported: 1 left, 2 right, 4 middle; 0 before any.
    int clickButton() const { return clickButton_; }
    // The object the last mouse gesture drew, 0 when it drew none.
    draw::Long lastDrawnId() const { return lastDrawn_; }
    // The topmost object at a widget pixel, 0 for none.
    draw::Long objectAt(const QPointF& px) const;
    // Moves the view over the page; a page larger than the view is kept covering it.
    void scrollBy(double dx, double dy);
    // Ends a polygon, polyline or text being drawn as Escape would, without raising the key.
    void finishShape();
    // The vertices placed so far of a polygon or polyline being drawn (drawing units).
    const QVector<QPoint>& pendingVertices() const { return vertices_; }
    // The text being typed, 0 for none.
    draw::Long typingId() const { return typing_; }

signals:
    // The mouse finished a new object of the page (a frame, polygon, polyline or a text with text).
    void objectDrawn(draw::Long id);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum class Gesture { None, Click, Band, Move, Frame };

    void modelChanged();
    void viewChanged();
    double unitsPerPixel() const;
    QPointF toUnits(const QPointF& px) const { return {PixelToUnitsX(px.x()), PixelToUnitsY(px.y())}; }
    QRectF pixelRect(const QRectF& units) const;
    bool isFrameMode() const;
    void moveSelectionTo(const QPointF& px);
    void selectInBand();
    bool isVertexMode() const;
    QPoint unitsAt(const QPointF& px) const;
    void placeVertex(const QPointF& px);
    bool finishVertices(); // true when an object was added
    bool finishTyping();   // true when a text was kept
    void typeKey(QKeyEvent* event);

    QPointer<draw::DrawModel> model_;
    QRectF view_; // left, top, width, height; width 0 = fitted
    QPixmap frame_;
    bool stale_ = true;

    Gesture gesture_ = Gesture::None;
    bool dragging_ = false;
    Qt::MouseButton button_ = Qt::NoButton;
    Qt::KeyboardModifiers pressMods_;
    QPointF pressPx_, currentPx_;
    draw::Long pressHit_ = 0;
    QPoint moved_; // units the selection has been moved by in this drag
    draw::Long lastDrawn_ = 0;
    int clickButton_ = 0;
    QVector<QPoint> vertices_;   // polygon or polyline being drawn
    int vertexKind_ = 0;
    bool swallowRelease_ = false; // the release after a double click
    draw::Long typing_ = 0;       // text being typed
};
