// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawcmd/pagecanvas.h"

#include "drawcmd/editingsession.h"
#include "platform/drawing/drawrender.h"
#include "platform/drawing/objecttags.h"
#include "platform/drawing/picture.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/qmerror.h"
#include "platform/uiservice.h"
#include "project/modgw.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>
#include <utility>

namespace {

using Long = draw::Long;

// Coordinates go to the control as Long, rounded half to even; beyond the range is error 6.
Long toLong(double v) {
    return qnum::CLng(v);
}

// A line's style prefix (".BI.", ".B.", ".I.") taken off the line: bold, italic.
std::pair<bool, bool> takeStylePrefix(QString& line) {
    if (line.startsWith(QLatin1String(".BI."), Qt::CaseInsensitive)) {
        line.remove(0, 4);
        return {true, true};
    }
    if (line.startsWith(QLatin1String(".B."), Qt::CaseInsensitive)) {
        line.remove(0, 3);
        return {true, false};
    }
    if (line.startsWith(QLatin1String(".I."), Qt::CaseInsensitive)) {
        line.remove(0, 3);
        return {false, true};
    }
    return {false, false};
}

// A shade that is not finite has no grey; making one would give a colour out of range.
void requireFiniteShade(float shade) {
    if (!std::isfinite(shade)) raiseError(qmerr::Overflow, QStringLiteral("shade not finite"));
}

// Triangles count their size in inches: both scales are 1 while they draw and are put back after,
// also when the drawing fails.
class UnitScales {
public:
    explicit UnitScales(Metaugl& m) : m_(m), h_(m.HorizontalScale), v_(m.VerticalScale) {
        m.HorizontalScale = m.VerticalScale = 1;
    }
    ~UnitScales() {
        m_.HorizontalScale = h_;
        m_.VerticalScale = v_;
    }
    UnitScales(const UnitScales&) = delete;
    UnitScales& operator=(const UnitScales&) = delete;

private:
    Metaugl& m_;
    float h_, v_;
};

} // namespace

// A user distance across and down, in drawing units. A scale of 0 is error 11.
double PageCanvas::across(double d) const {
    if (HorizontalScale == 0) raiseError(qmerr::DivisionByZero, QStringLiteral("horizontal scale 0"));
    return UnitsPerInch * d / HorizontalScale;
}
double PageCanvas::down(double d) const {
    if (VerticalScale == 0) raiseError(qmerr::DivisionByZero, QStringLiteral("vertical scale 0"));
    return UnitsPerInch * d / VerticalScale;
}

// Every object a command adds is tagged with the current group and object names.
void PageCanvas::tagNew() {
    MDrawPro& d = drawing();
    if (!CurrentGroupName.isEmpty()) {
        d.TagTarget(5);
        d.ObjectTag(draw::tags::GroupName, CurrentGroupName);
    }
    if (!CurrentObjName.isEmpty()) d.ObjectTag(draw::tags::ObjName, CurrentObjName);
}

// One line from the pen to (x, y); the pen ends there, unrounded.
void PageCanvas::lineTo(double x, double y) {
    const Long x1 = toLong(PenX), y1 = toLong(PenY), x2 = toLong(x), y2 = toLong(y);
    MDrawPro& d = drawing();
    d.AddObject(draw::Line, x1, y1, x2, y2);
    d.LineStyle(CurrentLineType);
    d.LineWidth(CurrentLineWidth);
    tagNew();
    PenX = float(x);
    PenY = float(y);
}

// Line type 6: dashes and gaps of 0.1 user unit laid by the command itself, in the line's direction.
void PageCanvas::dashedRight(float length) {
    const double dir = length < 0 ? -1.0 : 1.0;
    const double total = std::fabs(double(length));
    // Whatever happens on the way, the line type is 6 again afterwards.
    struct Restore {
        Metaugl& m;
        ~Restore() { m.CurrentLineType = 6; }
    } restore{*this};
    LT(1);
    // A count of periods beyond the Long range is an overflow, as for any Long.
    const double periods = std::floor(total / 0.2);
    if (!(periods <= double(std::numeric_limits<int32_t>::max())))
        raiseError(qmerr::Overflow, QStringLiteral("dashed line too long"));
    const int n = int(periods);
    const double rest = total - n * 0.2;
    for (int i = 0; i < n; ++i) {
        lineTo(PenX + across(dir * 0.1), PenY);
        SR(float(dir * 0.1));
    }
    double lastDash = rest, lastGap = 0;
    if (0.1 < rest) {
        lastDash = 0.1;
        lastGap = rest - 0.1;
    }
    lineTo(PenX + across(dir * lastDash), PenY);
    if (lastGap > 0) SR(float(dir * lastGap));
    LT(6);
}

// Text objects: anchored at (x, y), one line each, with the line's style prefix applied.
void PageCanvas::addText(QString line, double x, double y) {
    const Long ax = toLong(x), ay = toLong(y);
    MDrawPro& d = drawing();
    d.AddObject(draw::Text, ax, ay, ax, ay);
    d.TextAngle(CurrentTextAngle);
    d.TextAlign(CurrentTextAlign);
    d.TextHeight(-CurrentTextHeight);
    const auto [bold, italic] = takeStylePrefix(line);
    if (bold) d.TextBold(true);
    if (italic) d.TextItalic(true);
    d.TextString(line);
    tagNew();
}

// Circles are measured in inches, whatever the user scales.
void PageCanvas::circle(float radius) {
    const double r = UnitsPerInch * double(radius);
    const Long x1 = toLong(PenX - r), y1 = toLong(PenY - r), x2 = toLong(PenX + r), y2 = toLong(PenY + r);
    drawing().AddObject(draw::Ellipse, x1, y1, x2, y2);
}

// Moves the pen by (dx, dy) drawing units and buffers it as the next vertex; an empty buffer first
// takes the pen where it was. A buffer without room for the vertex is error 9, with nothing changed.
void PageCanvas::vertexBy(double dx, double dy) {
    const bool empty = PolyCount <= 0;
    if ((empty ? 4 : PolyCount + 2) > Metaugl::MaxPolyValues)
        raiseError(qmerr::Subscript, QStringLiteral("polygon buffer full"));
    const Long sx = toLong(PenX), sy = toLong(PenY);
    const float nx = float(PenX + dx), ny = float(PenY + dy);
    const Long ex = toLong(nx), ey = toLong(ny);
    if (empty) {
        PolyCount = 0;
        PolyPoints[1] = sx;
        PolyPoints[2] = sy;
        PolyCount = 2;
    }
    PolyPoints[size_t(PolyCount) + 1] = ex;
    PolyPoints[size_t(PolyCount) + 2] = ey;
    PolyCount += 2;
    PenX = nx;
    PenY = ny;
}

// Drops repeated corners: a closing vertex equal to the first, a second or a fourth vertex equal to
// the one before it.
void PageCanvas::tidyBuffer() {
    auto& P = PolyPoints;
    int n = PolyCount & ~1;
    if (n >= 4 && P[size_t(n) - 1] == P[1] && P[size_t(n)] == P[2]) n -= 2;
    if (n >= 4 && P[3] == P[1] && P[4] == P[2]) {
        for (int k = 3; k + 2 <= n; ++k)
            P[size_t(k)] = P[size_t(k) + 2];
        n -= 2;
    }
    if (n >= 8 && P[7] == P[5] && P[8] == P[6]) {
        for (int k = 7; k + 2 <= n; ++k)
            P[size_t(k)] = P[size_t(k) + 2];
        n -= 2;
    }
    PolyCount = n;
}

// The buffered polygon as a new object; the pen goes to its first vertex and the buffer empties.
void PageCanvas::addBufferedPolygon() {
    const Long x = toLong(PenX), y = toLong(PenY);
    MDrawPro& d = drawing();
    d.AddObject(draw::Polygon, x, y, x, y);
    d.SetVertices(0, PolyCount / 2, &PolyPoints[1], 0);
}

void PageCanvas::polygonDone() {
    tagNew();
    PenX = float(PolyPoints[1]);
    PenY = float(PolyPoints[2]);
    PolyCount = 0;
}

void PageCanvas::requireVertices() const {
    if (PolyCount < 2) raiseError(qmerr::Subscript, QStringLiteral("polygon buffer empty"));
}

// ---- page model and drawing state --------------------------------------------------------------

void PageCanvas::NewDrawing() {
    trap(QStringLiteral("metaugl-NewDrawing"), [&] {
        if (PaperWidth == 0) {
            PaperWidth = 8.5f;
            PaperHeight = 11;
        }
        DrawableWidthInches = PaperWidth - 0.5f;
        DrawableHeightInches = PaperHeight - 0.5f;
        DrawableWidth = DrawableWidthInches * 600;
        DrawableHeight = DrawableHeightInches * 600;
        UnitsPerInch = 600;

        // The page's size is a device setting; a canvas of its own keeps it out of there.
        MDrawPro& d = drawing();
        const bool page = &d == &pageDrawing();
        const QString size =
            qnum::ShortNum(DrawableWidth) + QLatin1Char(',') + qnum::ShortNum(DrawableHeight);
        if (page && size != modgw().LastPageSize) {
            modgw().LastPageSize = size;
            PageSizeChanged = 1;
        }

        d.ClearDrawing();
        // The page's edits and node markers went with the old drawing.
        if (page) {
            editingSession().clear();
            editingSession().ShapeCounter = 0;
        }
        d.UnitsWidth(0);
        d.PageWidth(toLong(DrawableWidth));
        d.PageHeight(toLong(DrawableHeight));
        d.UnitsWidth(toLong(DrawableWidth));
        d.UnitsHeight(toLong(DrawableHeight));
        d.UnitsLeft(0);
        d.UnitsTop(0);
        d.CoordinateMode(3);

        CurrentTextAlign = 0;
        CurrentTextHeight = -83.3;
        CurrentTextAngle = 0;

        d.CurrentObject(4);
        d.TextAlign(0);
        d.TextMode(1);
        d.TextHeight(-83.3);
        d.TextAngle(0);
        d.FontName(QStringLiteral("Arial"));
        d.LineStyle(0);
        d.LineWidth(4);
        d.DrawOptions(d.DrawOptions() | 4096);
        d.BackgroundColor(draw::White);
    });
}

void PageCanvas::Z(float x, float y) {
    if (HorizontalScale == 0) HorizontalScale = 1;
    if (VerticalScale == 0) VerticalScale = 1;
    OriginX = float(UnitsPerInch * (double(x) - 0.25));
    OriginY = float((DrawableHeightInches - (double(y) - 0.25)) * UnitsPerInch);
    PenX = OriginX;
    PenY = OriginY;
}

void PageCanvas::ZC() {
    OriginX = PenX;
    OriginY = PenY;
}

void PageCanvas::SH(float s) {
    HorizontalScale = s;
}
void PageCanvas::SV(float s) {
    VerticalScale = s;
}

void PageCanvas::S(float x, float y) {
    const double tx = OriginX + across(x);
    const double ty = OriginY - down(y);
    // Each coordinate moves only when it stays on the sheet.
    if (tx >= 0 && tx <= DrawableWidth) PenX = float(tx);
    if (ty >= 0 && ty <= DrawableHeight) PenY = float(ty);
}

void PageCanvas::SL(float d) {
    PenX = float(PenX - across(d));
}
void PageCanvas::SR(float d) {
    PenX = float(PenX + across(d));
}
void PageCanvas::SU(float d) {
    PenY = float(PenY - down(d));
}
void PageCanvas::SD(float d) {
    PenY = float(PenY + down(d));
}

void PageCanvas::LT(int16_t n) {
    if (n < 1 || n > 7) n = 1;
    if (n != 6) {
        static const int16_t penStyle[] = {0, 0, 1, 3, 4, 2, 6, 5}; // by line type 1..7
        n = penStyle[n];
        if (qnum::LeadingNumber(modgw().ThickDashedLines) == 0) CurrentLineWidth = n == 0 ? 4 : 1;
    }
    CurrentLineType = n;
}

void PageCanvas::LW(int16_t n) {
    CurrentLineWidth = int16_t(std::clamp<int>(n, 0, 5) * 4);
}

// ---- lines ------------------------------------------------------------------------------------

void PageCanvas::LR(float length) {
    if (CurrentLineType == 6) return dashedRight(length);
    lineTo(PenX + across(length), PenY);
}

void PageCanvas::LL(float length) {
    lineTo(PenX - across(length), PenY);
}
void PageCanvas::LD(float length) {
    lineTo(PenX, PenY + down(length));
}
void PageCanvas::LU(float length) {
    lineTo(PenX, PenY - down(length));
}
void PageCanvas::LRTO(float dx, float dy) {
    lineTo(PenX + across(dx), PenY - down(dy));
}
void PageCanvas::LTO(float x, float y) {
    lineTo(OriginX + across(x), OriginY - down(y));
}

void PageCanvas::RE(float width, float height) {
    const Long x1 = toLong(PenX), y1 = toLong(PenY);
    const Long x2 = toLong(PenX + across(width)), y2 = toLong(PenY - down(height));
    MDrawPro& d = drawing();
    d.AddObject(draw::Rectangle, x1, y1, x2, y2);
    d.FillStyle(1);
    tagNew();
}

// ---- text -------------------------------------------------------------------------------------

void PageCanvas::A(const QString& text) {
    QString rest = text;
    for (int i = 0;; ++i) {
        double x = PenX, y = PenY;
        // Level lines step down the page, rotated ones to the right.
        if (CurrentTextAngle == 0)
            y += i * CurrentTextHeight;
        else
            x += i * CurrentTextHeight;
        const qsizetype k = rest.indexOf(QLatin1String("\\N"), 0, Qt::CaseInsensitive);
        if (k < 0) return addText(rest, x, y);
        addText(rest.left(k), x, y);
        rest = rest.mid(k + 2);
    }
}

void PageCanvas::TextLine(const QString& text) {
    addText(text, PenX, PenY);
}

QString NumberText(float value) {
    const double v = value;
    // No text stands for a value that is not finite: an overflow, as for a coordinate.
    if (!std::isfinite(v)) raiseError(qmerr::Overflow, QStringLiteral("number not finite"));
    // A value within 0.0001 of a whole number shows as that number.
    const double whole = std::round(v);
    if (std::fabs(v - whole) < 0.0001) return qnum::ShortNum(whole == 0 ? 0.0 : whole);
    // "###.##": at most two decimals rounded half away from zero, no leading zero, no trailing zeros;
    // the point stays when no decimal is left.
    const double a = std::fabs(v);
    QString digits;
    if (a < 1e15) {
        const long long hundredths = std::llround(a * 100);
        const long long ip = hundredths / 100;
        const int frac = int(hundredths % 100);
        digits = (ip > 0 ? QString::number(ip) : QString()) + QLatin1Char('.');
        if (frac % 10 != 0)
            digits += QStringLiteral("%1").arg(frac, 2, 10, QLatin1Char('0'));
        else if (frac != 0)
            digits += QString::number(frac / 10);
        if (hundredths == 0) return digits;
    } else {
        digits = QString::number(a, 'f', 0) + QLatin1Char('.');
    }
    return v < 0 ? QLatin1Char('-') + digits : digits;
}

double PageCanvas::TextWidth(const QString& text) const {
    QString line = text;
    draw::Style style = drawing().defaults();
    std::tie(style.textBold, style.textItalic) = takeStylePrefix(line);
    style.textHeight = -CurrentTextHeight;
    const draw::TextFace face = draw::textFace(style);
    return face.advance(line) * face.scale / 600.0;
}

void PageCanvas::AN(float value) {
    TextLine(NumberText(value));
}

void PageCanvas::AD(double angle) {
    CurrentTextAngle = angle;
}
void PageCanvas::AL() {
    CurrentTextAlign = 0;
}
void PageCanvas::AC() {
    CurrentTextAlign = 1;
}
void PageCanvas::AR() {
    CurrentTextAlign = 2;
}
void PageCanvas::AP(float size) {
    CurrentTextHeight = double(size) / 72 * 600;
}

void PageCanvas::AF(const QString& fontName) {
    MDrawPro& d = drawing();
    try {
        d.CurrentObject(4);
        d.FontName(fontName);
    } catch (const QmError&) {
        // A font the control refuses leaves the previous one, without a message.
    }
}

// ---- circles, polygons and markers ------------------------------------------------------------

int32_t GreyOf(float shade) {
    requireFiniteShade(shade);
    const float g = std::floor((1 - shade) * 255.0f);
    const int v = int(std::clamp(g, 0.0f, 255.0f));
    return draw::RGB(v, v, v);
}

void PageCanvas::C(float radius) {
    circle(radius);
    drawing().FillStyle(1);
    tagNew();
}

void PageCanvas::EF(float radius) {
    circle(radius);
    MDrawPro& d = drawing();
    d.FillStyle(0);
    d.FillColor(CurrentLineColor);
    tagNew();
}

void PageCanvas::EFS(float radius, float shade) {
    requireFiniteShade(shade);
    if (shade > 1) shade = 1;
    const int32_t grey = GreyOf(shade);
    circle(radius);
    MDrawPro& d = drawing();
    d.FillStyle(0);
    d.FillColor(grey);
    d.LineColor(grey);
    tagNew();
}

void PageCanvas::PRTO(float dx, float dy) {
    vertexBy(across(dx), -down(dy));
}
void PageCanvas::PU(float d) {
    vertexBy(0, -down(d));
}
void PageCanvas::PL(float d) {
    vertexBy(-across(d), 0);
}
void PageCanvas::PR(float d) {
    vertexBy(across(d), 0);
}

void PageCanvas::PFC(int32_t colour) {
    requireVertices();
    tidyBuffer();
    addBufferedPolygon();
    MDrawPro& d = drawing();
    d.FillStyle(0);
    d.FillColor(colour);
    d.LineWidth(4);
    d.LineStyle(0);
    d.LineColor(draw::Black);
    polygonDone();
}

void PageCanvas::PFS(float shade) {
    requireVertices();
    const int32_t grey = GreyOf(shade);
    addBufferedPolygon();
    MDrawPro& d = drawing();
    d.FillStyle(0);
    d.FillColor(grey);
    d.LineColor(grey);
    polygonDone();
}

void PageCanvas::DrawSquareMarker(float width, float height, float shade) {
    if (std::fabs(width) <= 0.01 || std::fabs(height) <= 0.01) return;
    requireFiniteShade(shade); // before the buffer and the pen change
    PR(width);
    PU(height);
    PL(width);
    PFS(shade);
}

void PageCanvas::TRIF(float size) {
    UnitScales inches(*this);
    const float w = 0.866f * size, h = 0.5f * size;
    SR(w);
    SD(h);
    PL(2 * w);
    PRTO(w, h + size);
    PRTO(w, -(h + size));
    PFC(CurrentLineColor);
    SL(w);
    SU(h);
}

void PageCanvas::TRI(float size) {
    UnitScales inches(*this);
    const float w = 0.866f * size, h = 0.5f * size;
    SR(w);
    SD(h);
    LL(2 * w);
    LRTO(w, h + size);
    LRTO(w, -(h + size));
    SL(w);
    SU(h);
}

void PageCanvas::DrawBMP(const QString& file, float width, float height) {
    const Long x1 = toLong(PenX), y1 = toLong(PenY);
    const Long x2 = toLong(PenX + UnitsPerInch * double(width));
    const Long y2 = toLong(PenY - UnitsPerInch * double(height));
    if (!FileExists(file)) {
        ui().MsgBox(QStringLiteral("BMP File Not Found: ") + file);
        return;
    }
    MDrawPro& d = drawing();
    d.Picture(LoadPicture(file));
    d.AddObject(draw::Bitmap, x1, y1, x2, y2);
    d.ObjectSelected(false);
    tagNew();
}

// ---- the page's drawing control and canvas -------------------------------------------------------

namespace {
MDrawPro*& pageControl() {
    static MDrawPro* control = new MDrawPro; // lives as long as the program; windows only show it
    return control;
}
} // namespace

MDrawPro& pageDrawing() {
    return *pageControl();
}

void ResetPageDrawing() {
    delete pageControl();
    pageControl() = new MDrawPro;
}

MDrawPro& PageCanvas::drawing() const {
    return target_ ? *target_ : pageDrawing();
}

PageCanvas& pageCanvas() {
    static PageCanvas canvas;
    return canvas;
}

