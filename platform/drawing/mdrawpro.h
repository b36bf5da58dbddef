// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drawing/drawmodel.h"

class QPaintDevice;

// The drawing control as the drawing code addresses it: members named as the drawing code uses them,
// each property a getter (no argument) and a setter (the value), numeric codes mapped onto the typed
// model. Errors: qmerr::NoSuchObject when a member addresses no object, qmerr::FontRefused for a font
// name the control cannot use.
class MDrawPro : public draw::DrawModel {
    Q_OBJECT
public:
    using Long = draw::Long;

    explicit MDrawPro(QObject* parent = nullptr) : DrawModel(parent) {}

    // ---- addressing
    // 2 the selected objects, 4 the defaults for new objects, 5 the object the cursor stands on.
    // Read: a number above 10 while an object is current, else the addressing code.
    int CurrentObject() const;
    void CurrentObject(int code);
    // 13 start, 14 first object, 0 next, 10 first selected, 7 next selected.
    void ObjectCursor(int code);
    Long ObjectId() const;
    void ObjectId(Long id); // that object becomes current
    int ObjectType() const;
    bool ObjectSelected() const;
    void ObjectSelected(bool on);
    int CountObjects(int what) const; // 2: the selected objects; otherwise all

    // ---- objects
    void ClearDrawing();
    void AddObject(int kind, Long x1, Long y1, Long x2, Long y2);
    // values holds x, y pairs; n is the number of vertices.
    void SetVertices(int mode, int n, const Long* values, int flags);
    void Picture(const QImage& picture) { nextPicture = picture; }
    void GetObjectCoords(Long& x1, Long& y1, Long& x2, Long& y2, int mode = 0) const;
    void SetObjectCoords(Long x1, Long y1, Long x2, Long y2, int mode = 0);
    void DeleteObjects(int what); // 2 the selected objects, 4 the current object
    // 0 group, 1 ungroup, 2 to back, 3 to front, 4 back one, 5 forward one.
    void ObjectAction(int code);
    void OffsetObjects(Long dx, Long dy, int flags);
    void CopyObjects(int flags, int what);
    void PasteObjects(int flags, int what);

    // ---- style of the addressed objects
    int LineStyle() const;
    void LineStyle(int v);
    int LineWidth() const;
    void LineWidth(int v);
    Long LineColor() const;
    void LineColor(Long v);
    int FillStyle() const; // 0 solid (or a picture), 1 none
    void FillStyle(int v);
    Long FillColor() const;
    void FillColor(Long v);
    void FillPictureFile(const QImage& picture); // tiles the picture; a null picture fills solid
    int PictureStyle() const;
    void PictureStyle(int v);
    Long PictureBackColor() const;
    void PictureBackColor(Long v);
    QString TextString() const;
    void TextString(const QString& v);
    double TextHeight() const;
    void TextHeight(double v);
    double TextAngle() const;
    void TextAngle(double v);
    int TextAlign() const;
    void TextAlign(int v);
    int TextMode() const;
    void TextMode(int v);
    QString FontName() const;
    void FontName(const QString& v);
    bool TextBold() const;
    void TextBold(bool v);
    bool TextItalic() const;
    void TextItalic(bool v);
    bool TextStrikeout() const;
    void TextStrikeout(bool v);
    bool TextUnderline() const;
    void TextUnderline(bool v);
    Long TextColor() const;
    void TextColor(Long v);

    // ---- tags: TagTarget 5 the current object, 2 the selected objects
    void TagTarget(int code) { tagTarget_ = code; }
    int TagTarget() const { return tagTarget_; }
    QString ObjectTag(const QString& key) const;
    void ObjectTag(const QString& key, const QString& value);

    // ---- sheet
    Long PageWidth() const { return pageWidth(); }
    void PageWidth(Long v) { setPageWidth(v); }
    Long PageHeight() const { return pageHeight(); }
    void PageHeight(Long v) { setPageHeight(v); }
    Long UnitsLeft() const { return unitsLeft(); }
    void UnitsLeft(Long v) { setUnitsLeft(v); }
    Long UnitsTop() const { return unitsTop(); }
    void UnitsTop(Long v) { setUnitsTop(v); }
    Long UnitsWidth() const { return unitsWidth(); }
    void UnitsWidth(Long v) { setUnitsWidth(v); }
    Long UnitsHeight() const { return unitsHeight(); }
    void UnitsHeight(Long v) { setUnitsHeight(v); }
    int CoordinateMode() const { return coordinateMode(); }
    void CoordinateMode(int v) { setCoordinateMode(v); }
    Long DrawOptions() const { return drawOptions(); }
    void DrawOptions(Long v) { setDrawOptions(v); }
    Long BackgroundColor() const { return backgroundColor(); }
    void BackgroundColor(Long v) { setBackgroundColor(v); }
    bool Redraw() const { return redraw(); }
    void Redraw(bool on) { setRedraw(on); }
    void Refresh() { refresh(); }
    int EditMode() const { return editMode(); }
    void EditMode(int v) { setEditMode(v); }

    // An object made current, here or by a view, is the one the members address.
    void setCurrent(Long id) override {
        DrawModel::setCurrent(id);
        target_ = Target::Current;
    }

    // ---- files: code 1 BMP (at OutputWidth x OutputHeight pixels), 2 WMF, 4 EMF, 10 native, 13 DXF;
    // mode is kept for callers. A load reads the whole file into a new model before it replaces this
    // drawing; a failure (QmError 321, 53, 61706; 75 on save) leaves the drawing as it was.
    void LoadDrawing(const QString& file, int mode, int code);
    void SaveDrawing(const QString& file, int mode, int code);

    // ---- output: OutputDC renders the sheet into the output rectangle of the device (its pixels);
    // an output size of 0 takes the whole device.
    int OutputMode() const { return outputMode_; }
    void OutputMode(int v) { outputMode_ = v; }
    Long OutputLeft() const { return output_[0]; }
    void OutputLeft(Long v) { output_[0] = v; }
    Long OutputTop() const { return output_[1]; }
    void OutputTop(Long v) { output_[1] = v; }
    Long OutputWidth() const { return output_[2]; }
    void OutputWidth(Long v) { output_[2] = v; }
    Long OutputHeight() const { return output_[3]; }
    void OutputHeight(Long v) { output_[3] = v; }
    void OutputDC(QPaintDevice* device);

private:
    enum class Target { Selection, Defaults, Current };
    // The objects a style member addresses (empty for the defaults).
    QVector<draw::DrawObject*> targets() const;
    draw::DrawObject* current() const; // nullptr when no object is current
    // What a style read looks at: the defaults, the first selected or the current object.
    const draw::Style& readStyle() const;
    const draw::DrawObject& readObject() const;
    template <typename F> void writeStyle(F apply);

    Target target_ = Target::Current;
    int cursor_ = -1;   // stacking position of the walk
    Long cursorId_ = 0; // the object the walk stands on, to survive reorders
    int tagTarget_ = 5;
    int outputMode_ = 0;
    Long output_[4] = {0, 0, 0, 0};
};
