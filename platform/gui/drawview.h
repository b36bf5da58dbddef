// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drawing/drawmodel.h"

#include <QHash>
#include <QPixmap>
#include <QPointer>
#include <QSet>
#include <QTransform>
#include <QWidget>
#include <optional>
#include <vector>

// Shows the sheet of a drawing model and carries out its mouse modes. The view values are in this
// widget's pixels, measured from its outer top left corner: ViewWidth and ViewHeight the size at
// which the whole page is displayed, ViewLeft and ViewTop the position of the widget over that page
// (negative values move the page right and down). Until a view width is set the whole page is fitted
// and centred. The widget has a one-pixel border; ClientWidth and ClientHeight are its inside. While
// the model's redrawing is off the widget keeps showing what it showed.
//
// Mouse modes by the model's edit mode: 11 selects (a click, or a band dragged around objects), moves
// the selection by dragging it and resizes it by dragging a corner handle of the box drawn around all
// selected objects (the opposite corner stays; dragged past it, the objects are mirrored); 13 selects
// the same way and turns the selection about its box's centre by the angle the mouse sweeps around
// that centre, dragged from a selected object or a handle; 2, 3, 4 and 12 draw a rectangle, rounded
// rectangle, ellipse or bitmap frame by dragging; 9 and 8 draw a polygon or polyline, a vertex a
// click with a rubber segment to the mouse, ended by a double click (its point the last vertex) or by
// Escape (the vertices placed; at least 3 for a polygon, 2 for a polyline, else nothing) which is then
// raised as key down 27; 10 adds an empty text at a click and takes typed characters (Backspace
// deletes), ended silently by Enter or a click elsewhere and by Escape, raised as key down 27; a text
// left empty is removed and keys typed into it are not raised. Every other mode only reports clicks.
// A new shape takes the defaults' style, is current and is announced by objectDrawn. Objects deleted
// in the window (tag "Change" set) are never hit, band-selected, moved, resized or turned. The view
// deletes nothing: Delete is only raised as key down 46.
//
// While a shape is drawn or the selection dragged the page is not rendered again: the page without
// the moving objects is rendered once when the drag starts, and each move paints the moving objects
// and the marks over it. Selection marks are painted over the cached page, so a click that only
// selects renders nothing again. The model's events are raised in this order: edit action 1 when a
// move, resize or turn starts (before anything changes), 3 when a move ends, 4 when a resize or turn
// ends; for a click of any button, object clicked (with the clicked object current) and then point
// clicked; after a drawn frame, point clicked with the new object current. Point clicked reports the
// widget pixel; object clicked carries no button, clickButton() tells it.
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
    // The topmost object at a widget pixel that is not deleted, 0 for none.
    draw::Long objectAt(const QPointF& px) const;
    // The box around the selected objects that a resize or turn acts on (drawing units); none when
    // nothing that can be edited is selected.
    std::optional<QRectF> selectionBox() const;
    // The corner handle of the selection's box at a widget pixel in modes 11 and 13: 0 top left,
    // 1 top right, 2 bottom left, 3 bottom right; -1 for none.
    int handleAt(const QPointF& px) const;
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
    enum class Gesture { None, Click, Band, Move, Resize, Turn, Frame };

    // A text's extent relative to its anchor, kept while what shapes it stays the same: measuring
    // every text again at each click would cost more than the click may take.
    struct TextExtent {
        QString text, font;
        double height = 0, textAngle = 0, angle = 0;
        int align = 0, flags = 0;
        draw::Long w = 0, h = 0;
        QRectF rel;
        bool shapes(const draw::DrawObject& o) const;
        void take(const draw::DrawObject& o);
    };

    void modelChanged();
    void viewChanged();
    double unitsPerPixel() const;
    QPointF toUnits(const QPointF& px) const { return {PixelToUnitsX(px.x()), PixelToUnitsY(px.y())}; }
    QRectF pixelRect(const QRectF& units) const;
    bool isFrameMode() const;
    QRectF boundsOf(const draw::DrawObject& o) const; // objectBounds, texts from the cache
    static bool isDeleted(const draw::DrawObject& o);
    bool isSelectMode() const; // 11 or 13
    // The units box of the editable selection and, when each is given, every object's pixel box.
    std::optional<QRectF> collectSelection(QVector<QRectF>* each) const;
    QTransform unitsTransform() const;
    void renderFrame(const QSize& size, qreal dpr);
    void paintMarks(QPainter& p);
    void updateCursor(const QPointF& px);
    bool beginEdit(Gesture g); // false when the selection holds nothing to edit
    void endEdit();
    void restoreSnapshot();
    void finishGesture(const QPointF& px);
    void applyEdit(Gesture g, const QPointF& px); // the move, resize or turn as far as the mouse is
    void moveSelectionTo(const QPointF& px);
    void resizeSelectionTo(const QPointF& px);
    void turnSelectionTo(const QPointF& px);
    double sweepAngle(const QPointF& units) const;
    void selectInBand();
    bool isVertexMode() const;
    QPoint unitsAt(const QPointF& px) const;
    void placeVertex(const QPointF& px);
    bool finishVertices(); // true when an object was added
    bool finishTyping();   // true when a text was kept
    void typeKey(QKeyEvent* event);

    QPointer<draw::DrawModel> model_;
    QRectF view_;   // left, top, width, height; width 0 = fitted
    QPixmap frame_; // the page; while an edit runs, without the objects it moves
    bool stale_ = true;
    bool quiet_ = false; // the view changes the selection: marks are repainted, the page is not
    mutable QHash<draw::Long, TextExtent> textExtents_;
    // Marks as last painted while redrawing was on (widget pixels): each object's box when more than
    // one is selected, and the box with the handles.
    QVector<QRectF> markRects_;
    std::optional<QRectF> markBox_;

    Gesture gesture_ = Gesture::None;
    bool dragging_ = false;
    Qt::MouseButton button_ = Qt::NoButton;
    Qt::KeyboardModifiers pressMods_;
    QPointF pressPx_, currentPx_;
    draw::Long pressHit_ = 0;
    int pressCorner_ = -1; // handle under the press
    QPoint moved_;         // units the selection has been moved by in this drag
    // The edit being dragged: the objects it changes (stacking order) as they were at its start;
    // each move puts them back and applies the whole change again, so no rounding builds up.
    bool editing_ = false;
    QVector<draw::Long> editIds_;
    QSet<draw::Long> editSet_;
    std::vector<draw::DrawObject> snapshot_;
    QRectF fromBox_;
    QPointF fixedCorner_, dragCorner_;
    double lastAngle_ = 0, turned_ = 0; // degrees, the sweep unwrapped across the half turn
    draw::Long lastDrawn_ = 0;
    int clickButton_ = 0;
    QVector<QPoint> vertices_; // polygon or polyline being drawn
    int vertexKind_ = 0;
    bool swallowRelease_ = false; // the release after a double click
    draw::Long typing_ = 0;       // text being typed
};
