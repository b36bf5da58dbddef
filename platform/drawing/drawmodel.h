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

    // ---- clipboard of the control: copies keep their stacking order, pasting gives fresh ids,
    // selects the pasted objects and keeps copied groups together under new group numbers.
    void copyToClipboard(const QVector<Long>& ids);
    QVector<Long> pasteClipboard();
    int clipboardCount() const { return int(clipboard_.size()); }

    // ---- defaults for new objects and the picture of the next bitmap
    Style& defaults() { return defaults_; }
    const Style& defaults() const { return defaults_; }
    QImage nextPicture;

    // ---- sheet and coordinate extent (drawing units)
    Long pageWidth = 6300;
    Long pageHeight = 4800;
    Long unitsLeft = 0;
    Long unitsTop = 0;
    Long unitsWidth = 6300;
    Long unitsHeight = 4800;
    int coordinateMode = 3;
    Long drawOptions = 0;
    Long backgroundColor = White;
    int editMode = 0;

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
    std::vector<std::unique_ptr<DrawObject>> stack_;
    QHash<Long, DrawObject*> byId_;
    std::vector<DrawObject> clipboard_;
    Style defaults_;
    Long nextId_ = 1;
    int nextGroup_ = 1;
    bool redraw_ = true;
};

} // namespace draw
