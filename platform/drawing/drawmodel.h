// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drawing/drawobject.h"

#include <QHash>
#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace draw {

// The typed core of the drawing control: objects in stacking order (first = back), found by id in
// constant time, with selection, groups, the defaults for new objects and the sheet.
class DrawModel : public QObject {
    Q_OBJECT
public:
    explicit DrawModel(QObject* parent = nullptr);
    ~DrawModel() override;

    // ---- objects
    void clear(); // ids start again at 1
    // Takes over the sheet, extent, defaults and objects of another model (a drawing file just read
    // into it), which is left empty; ids and groups go on from the other's, nothing is selected or
    // current. The clipboard, the edit mode and redrawing stay this model's.
    void replaceWith(DrawModel&& loaded);
    // A new object with the defaults' style; kind must be one of the Kind codes.
    DrawObject& add(Kind kind, Long x1, Long y1, Long x2, Long y2);
    DrawObject* find(Long id);
    const DrawObject* find(Long id) const;
    int count() const { return int(stack_.size()); }
    DrawObject& at(int index) { return *stack_[size_t(index)]; }
    const DrawObject& at(int index) const { return *stack_[size_t(index)]; }
    int indexOf(Long id) const; // stacking position, -1 when absent
    // Removes the objects the predicate picks; returns how many went.
    int removeIf(const std::function<bool(const DrawObject&)>& pick);
    bool remove(Long id);
    // Sets the vertices and makes their bounds the frame.
    void setVertices(DrawObject& o, const QVector<QPoint>& points);

    // ---- selection
    int selectedCount() const;
    QVector<Long> selectedIds() const; // stacking order
    void clearSelection();
    void selectGroupOf(Long id); // the object and its group mates

    // ---- groups: grouping merges every group a selected object belongs to
    void groupSelected();
    void ungroupSelected();

    // ---- stacking order, for the given objects as a block
    enum class Restack { ToBack, ToFront, BackOne, ForwardOne };
    void restack(const QVector<Long>& ids, Restack how);

    void offset(const QVector<Long>& ids, Long dx, Long dy);
    // Scales the objects from one box onto another (drawing units): frames and line ends map, polygons
    // and polylines follow their frame, a text's anchor follows and its height scales with the box's
    // height; a turned frame keeps its shape about its mapped centre. A box of negative width or
    // height mirrors. Results are whole units; one out of range raises 6 and changes nothing.
    void scale(const QVector<Long>& ids, const QRectF& from, const QRectF& to);
    // Turns the objects about a centre by degrees counter-clockwise (on the sheet, y down): frames keep
    // their size and turn by their angle, lines, polylines and polygons turn their points, texts their
    // anchor and angle. Whole units as in scale; quarter turns are exact.
    void rotate(const QVector<Long>& ids, const QPointF& centre, double degrees);
    // The painted extent of the objects together (drawing units); empty for none.
    QRectF boundsOf(const QVector<Long>& ids) const;

    // ---- clipboard of the control: copies keep their stacking order, pasting gives fresh ids,
    // selects the pasted objects and keeps copied groups together under new group numbers.
    void copyToClipboard(const QVector<Long>& ids);
    QVector<Long> pasteClipboard();
    int clipboardCount() const { return int(clipboard_.size()); }

    // ---- defaults for new objects and the picture of the next bitmap
    Style& defaults() { return defaults_; }
    const Style& defaults() const { return defaults_; }
    QImage nextPicture;

    // ---- the current object: the one the member-name facade addresses; a view makes current the
    // object it reports a click on and the frame it drew. 0 for none, and 0 again once it is removed.
    Long currentId() const { return current_; }
    virtual void setCurrent(Long id) { current_ = id; }

    // ---- sheet and coordinate extent (drawing units); setting any of them is a change like any other
    Long pageWidth() const { return pageWidth_; }
    void setPageWidth(Long v) { setSheet(pageWidth_, v); }
    Long pageHeight() const { return pageHeight_; }
    void setPageHeight(Long v) { setSheet(pageHeight_, v); }
    Long unitsLeft() const { return unitsLeft_; }
    void setUnitsLeft(Long v) { setSheet(unitsLeft_, v); }
    Long unitsTop() const { return unitsTop_; }
    void setUnitsTop(Long v) { setSheet(unitsTop_, v); }
    Long unitsWidth() const { return unitsWidth_; }
    void setUnitsWidth(Long v) { setSheet(unitsWidth_, v); }
    Long unitsHeight() const { return unitsHeight_; }
    void setUnitsHeight(Long v) { setSheet(unitsHeight_, v); }
    int coordinateMode() const { return coordinateMode_; }
    void setCoordinateMode(int v) { setSheet(coordinateMode_, v); }
    Long drawOptions() const { return drawOptions_; }
    void setDrawOptions(Long v) { setSheet(drawOptions_, v); }
    Long backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(Long v) { setSheet(backgroundColor_, v); }

    // The mouse mode of the views (the Kind code of a frame to draw, 11 select); it changes no drawing.
    int editMode() const { return editMode_; }
    void setEditMode(int v) { editMode_ = v; }

    // Redrawing: while off, views keep what they show; switching it on repaints once.
    bool redraw() const { return redraw_; }
    void setRedraw(bool on);
    void refresh() { emit changed(); }
    // Views call this after every change made through the model's members.
    void touched() {
        if (redraw_) emit changed();
    }

signals:
    void changed();
    // Events of the control, raised by the view.
    void editAction(int code);
    void objectClicked();
    void keyDown(int keyCode, int shift);
    void pointClicked(int button, int shift, double x, double y);

private:
    template <typename T> void setSheet(T& field, T v) {
        field = v;
        touched();
    }

    std::vector<std::unique_ptr<DrawObject>> stack_;
    QHash<Long, DrawObject*> byId_;
    std::vector<DrawObject> clipboard_;
    Style defaults_;
    Long nextId_ = 1;
    int nextGroup_ = 1;
    Long current_ = 0;
    bool redraw_ = true;

    Long pageWidth_ = 6300;
    Long pageHeight_ = 4800;
    Long unitsLeft_ = 0;
    Long unitsTop_ = 0;
    Long unitsWidth_ = 6300;
    Long unitsHeight_ = 4800;
    int coordinateMode_ = 3;
    Long drawOptions_ = 0;
    Long backgroundColor_ = White;
    int editMode_ = 0;
};

} // namespace draw
