// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drawing/mdrawpro.h"

#include "platform/drawing/drawrender.h"
#include "platform/qmerror.h"

#include <QPaintDevice>
#include <QPainter>

using namespace draw;

namespace {
// Handles above 10 tell an object from the addressing codes 2, 4 and 5.
constexpr int HandleBase = 10;
} // namespace

// ---- addressing -------------------------------------------------------------------------------

int MDrawPro::CurrentObject() const {
    switch (target_) {
    case Target::Selection:
        return 2;
    case Target::Defaults:
        return 4;
    case Target::Current:
        break;
    }
    const DrawObject* o = current();
    return o ? HandleBase + int(o->id) : 5;
}

void MDrawPro::CurrentObject(int code) {
    switch (code) {
    case 2:
        target_ = Target::Selection;
        break;
    case 4:
        target_ = Target::Defaults;
        break;
    case 5:
        target_ = Target::Current;
        break;
    default:
        raiseError(qmerr::InvalidArgument, QStringLiteral("CurrentObject %1").arg(code));
    }
}

void MDrawPro::ObjectCursor(int code) {
    // Where the walk stands now; a reorder since the last step is followed by id.
    auto standing = [this]() -> int {
        if (cursorId_ == 0) return cursor_;
        if (cursor_ >= 0 && cursor_ < count() && at(cursor_).id == cursorId_) return cursor_;
        const int idx = indexOf(cursorId_);
        return idx >= 0 ? idx : cursor_ - 1; // removed: the next object has moved into its place
    };
    auto firstSelectedFrom = [this](int from) {
        for (int i = std::max(from, 0); i < count(); ++i)
            if (at(i).selected) return i;
        return count();
    };
    int pos;
    switch (code) {
    case 13:
        cursor_ = -1;
        cursorId_ = 0;
        return;
    case 14:
        pos = 0;
        break;
    case 0:
        pos = standing() + 1;
        break;
    case 10:
        pos = firstSelectedFrom(0);
        break;
    case 7:
        pos = firstSelectedFrom(standing() + 1);
        break;
    default:
        raiseError(qmerr::InvalidArgument, QStringLiteral("ObjectCursor %1").arg(code));
    }
    if (pos >= 0 && pos < count()) {
        cursor_ = pos;
        cursorId_ = at(pos).id;
    } else {
        cursor_ = count();
        cursorId_ = 0;
    }
    setCurrent(cursorId_);
}

Long MDrawPro::ObjectId() const {
    return readObject().id;
}

void MDrawPro::ObjectId(Long id) {
    if (!find(id)) raiseError(qmerr::NoSuchObject, QStringLiteral("no object %1").arg(id));
    setCurrent(id);
}

int MDrawPro::ObjectType() const {
    return int(readObject().kind);
}

bool MDrawPro::ObjectSelected() const {
    const DrawObject* o = current();
    if (!o) raiseError(qmerr::NoSuchObject);
    return o->selected;
}

void MDrawPro::ObjectSelected(bool on) {
    DrawObject* o = current();
    if (!o) raiseError(qmerr::NoSuchObject);
    o->selected = on;
    touched();
}

int MDrawPro::CountObjects(int what) const {
    return what == 2 ? selectedCount() : count();
}

DrawObject* MDrawPro::current() const {
    return currentId() ? const_cast<MDrawPro*>(this)->find(currentId()) : nullptr;
}

// ---- objects ----------------------------------------------------------------------------------

void MDrawPro::ClearDrawing() {
    clear();
    cursor_ = -1;
    cursorId_ = 0;
    target_ = Target::Current;
}

void MDrawPro::AddObject(int kind, Long x1, Long y1, Long x2, Long y2) {
    if (!isKind(kind)) raiseError(qmerr::NoSuchObject, QStringLiteral("object kind %1").arg(kind));
    setCurrent(add(Kind(kind), x1, y1, x2, y2).id);
}

void MDrawPro::SetVertices(int, int n, const Long* values, int) {
    DrawObject* o = current();
    if (!o) raiseError(qmerr::NoSuchObject);
    if (n < 0 || (n > 0 && !values)) raiseError(qmerr::InvalidArgument, QStringLiteral("SetVertices"));
    QVector<QPoint> pts;
    pts.reserve(n);
    for (int k = 0; k < n; ++k)
        pts.append(QPoint(values[2 * k], values[2 * k + 1]));
    setVertices(*o, pts);
}

const DrawObject& MDrawPro::readObject() const {
    const DrawObject* o = nullptr;
    if (target_ == Target::Current) {
        o = current();
    } else if (target_ == Target::Selection) {
        for (int i = 0; i < count() && !o; ++i)
            if (at(i).selected) o = &at(i);
    }
    if (!o) raiseError(qmerr::NoSuchObject);
    return *o;
}

void MDrawPro::GetObjectCoords(Long& x1, Long& y1, Long& x2, Long& y2, int) const {
    if (target_ == Target::Selection) {
        // The selection reports the rectangle around all its objects.
        bool any = false;
        for (int i = 0; i < count(); ++i) {
            const DrawObject& o = at(i);
            if (!o.selected) continue;
            const Long ax = std::min(o.x1, o.x2), bx = std::max(o.x1, o.x2);
            const Long ay = std::min(o.y1, o.y2), by = std::max(o.y1, o.y2);
            if (!any) {
                x1 = ax, y1 = ay, x2 = bx, y2 = by;
                any = true;
            } else {
                x1 = std::min(x1, ax), y1 = std::min(y1, ay), x2 = std::max(x2, bx), y2 = std::max(y2, by);
            }
        }
        if (!any) raiseError(qmerr::NoSuchObject);
        return;
    }
    const DrawObject& o = readObject();
    x1 = o.x1, y1 = o.y1, x2 = o.x2, y2 = o.y2;
}

void MDrawPro::SetObjectCoords(Long x1, Long y1, Long x2, Long y2, int) {
    DrawObject* o = current();
    if (!o) raiseError(qmerr::NoSuchObject);
    o->setFrame(x1, y1, x2, y2);
    touched();
}

void MDrawPro::DeleteObjects(int what) {
    if (what == 2) {
        removeIf([](const DrawObject& o) { return o.selected; });
    } else if (what == 4) {
        if (currentId()) remove(currentId());
    } else {
        raiseError(qmerr::InvalidArgument, QStringLiteral("DeleteObjects %1").arg(what));
    }
}

void MDrawPro::ObjectAction(int code) {
    if (code == 0) return groupSelected();
    if (code == 1) return ungroupSelected();
    static const Restack moves[] = {Restack::ToBack, Restack::ToFront, Restack::BackOne, Restack::ForwardOne};
    if (code < 2 || code > 5) raiseError(qmerr::InvalidArgument, QStringLiteral("ObjectAction %1").arg(code));
    QVector<Long> ids;
    if (target_ == Target::Selection)
        ids = selectedIds();
    else if (target_ == Target::Current && currentId())
        ids = {currentId()};
    restack(ids, moves[code - 2]);
}

void MDrawPro::OffsetObjects(Long dx, Long dy, int) {
    offset(selectedIds(), dx, dy);
}

void MDrawPro::CopyObjects(int, int) {
    copyToClipboard(selectedIds());
}

void MDrawPro::PasteObjects(int, int) {
    const QVector<Long> ids = pasteClipboard();
    if (!ids.isEmpty()) DrawModel::setCurrent(ids.last());
    target_ = Target::Selection;
}

// ---- style ------------------------------------------------------------------------------------

QVector<DrawObject*> MDrawPro::targets() const {
    QVector<DrawObject*> out;
    if (target_ == Target::Selection) {
        for (int i = 0; i < count(); ++i)
            if (at(i).selected) out.append(const_cast<DrawObject*>(&at(i)));
    } else if (target_ == Target::Current) {
        DrawObject* o = current();
        if (!o) raiseError(qmerr::NoSuchObject);
        out.append(o);
    }
    return out;
}

const Style& MDrawPro::readStyle() const {
    if (target_ == Target::Defaults) return defaults();
    return readObject().style;
}

template <typename F> void MDrawPro::writeStyle(F apply) {
    if (target_ == Target::Defaults) {
        apply(defaults());
        return;
    }
    for (DrawObject* o : targets())
        apply(o->style);
    touched();
}

int MDrawPro::LineStyle() const {
    return readStyle().lineStyle;
}
void MDrawPro::LineStyle(int v) {
    writeStyle([v](Style& s) { s.lineStyle = v; });
}
int MDrawPro::LineWidth() const {
    return readStyle().lineWidth;
}
void MDrawPro::LineWidth(int v) {
    writeStyle([v](Style& s) { s.lineWidth = v; });
}
MDrawPro::Long MDrawPro::LineColor() const {
    return readStyle().lineColor;
}
void MDrawPro::LineColor(Long v) {
    writeStyle([v](Style& s) { s.lineColor = v; });
}

int MDrawPro::FillStyle() const {
    return readStyle().fill == FillMode::None ? 1 : 0;
}
void MDrawPro::FillStyle(int v) {
    writeStyle([v](Style& s) {
        s.fill = v == 1 ? FillMode::None : FillMode::Solid;
        s.fillPicture = QImage();
    });
}
MDrawPro::Long MDrawPro::FillColor() const {
    return readStyle().fillColor;
}
void MDrawPro::FillColor(Long v) {
    writeStyle([v](Style& s) { s.fillColor = v; });
}
void MDrawPro::FillPictureFile(const QImage& picture) {
    writeStyle([&picture](Style& s) {
        s.fillPicture = picture;
        s.fill = picture.isNull() ? FillMode::Solid : FillMode::Picture;
    });
}
int MDrawPro::PictureStyle() const {
    return readStyle().pictureStyle;
}
void MDrawPro::PictureStyle(int v) {
    writeStyle([v](Style& s) { s.pictureStyle = v; });
}
MDrawPro::Long MDrawPro::PictureBackColor() const {
    return readStyle().pictureBackColor;
}
void MDrawPro::PictureBackColor(Long v) {
    writeStyle([v](Style& s) { s.pictureBackColor = v; });
}

QString MDrawPro::TextString() const {
    return readObject().text;
}
void MDrawPro::TextString(const QString& v) {
    for (DrawObject* o : targets())
        o->text = v;
    touched();
}
double MDrawPro::TextHeight() const {
    return readStyle().textHeight;
}
void MDrawPro::TextHeight(double v) {
    writeStyle([v](Style& s) { s.textHeight = v; });
}
double MDrawPro::TextAngle() const {
    return readStyle().textAngle;
}
void MDrawPro::TextAngle(double v) {
    writeStyle([v](Style& s) { s.textAngle = v; });
}
int MDrawPro::TextAlign() const {
    return readStyle().textAlign;
}
void MDrawPro::TextAlign(int v) {
    writeStyle([v](Style& s) { s.textAlign = v; });
}
int MDrawPro::TextMode() const {
    return readStyle().textMode;
}
void MDrawPro::TextMode(int v) {
    writeStyle([v](Style& s) { s.textMode = v; });
}
QString MDrawPro::FontName() const {
    return readStyle().fontName;
}
void MDrawPro::FontName(const QString& v) {
    if (v.trimmed().isEmpty()) raiseError(qmerr::FontRefused, QStringLiteral("empty font name"));
    writeStyle([&v](Style& s) { s.fontName = v; });
}
bool MDrawPro::TextBold() const {
    return readStyle().textBold;
}
void MDrawPro::TextBold(bool v) {
    writeStyle([v](Style& s) { s.textBold = v; });
}
bool MDrawPro::TextItalic() const {
    return readStyle().textItalic;
}
void MDrawPro::TextItalic(bool v) {
    writeStyle([v](Style& s) { s.textItalic = v; });
}
bool MDrawPro::TextStrikeout() const {
    return readStyle().textStrikeout;
}
void MDrawPro::TextStrikeout(bool v) {
    writeStyle([v](Style& s) { s.textStrikeout = v; });
}
bool MDrawPro::TextUnderline() const {
    return readStyle().textUnderline;
}
void MDrawPro::TextUnderline(bool v) {
    writeStyle([v](Style& s) { s.textUnderline = v; });
}
MDrawPro::Long MDrawPro::TextColor() const {
    return readStyle().textColor;
}
void MDrawPro::TextColor(Long v) {
    writeStyle([v](Style& s) { s.textColor = v; });
}

// ---- tags -------------------------------------------------------------------------------------

QString MDrawPro::ObjectTag(const QString& key) const {
    if (tagTarget_ == 2) {
        for (int i = 0; i < count(); ++i)
            if (at(i).selected) return at(i).tag(key);
        return {};
    }
    const DrawObject* o = current();
    if (!o) raiseError(qmerr::NoSuchObject);
    return o->tag(key);
}

void MDrawPro::ObjectTag(const QString& key, const QString& value) {
    if (tagTarget_ == 2) {
        for (int i = 0; i < count(); ++i)
            if (at(i).selected) at(i).setTag(key, value);
        return;
    }
    DrawObject* o = current();
    if (!o) raiseError(qmerr::NoSuchObject);
    o->setTag(key, value);
}

// ---- output -----------------------------------------------------------------------------------

void MDrawPro::OutputDC(QPaintDevice* device) {
    if (!device) raiseError(qmerr::InvalidArgument, QStringLiteral("OutputDC"));
    QPainter p(device);
    if (!p.isActive()) raiseError(qmerr::Printer);
    QRectF target(output_[0], output_[1], output_[2], output_[3]);
    if (output_[2] <= 0 || output_[3] <= 0) target = QRectF(0, 0, device->width(), device->height());
    paintSheet(p, *this, target);
}
