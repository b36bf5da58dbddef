// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawcmd/metaugl.h"

#include "drawcmd/undorecord.h"
#include "platform/drawing/objecttags.h"
#include "platform/drawing/drawrender.h"
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

Metaugl& metaugl() {
    static Metaugl m;
    return m;
}

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

namespace {

using Long = draw::Long;

Metaugl& M() {
    return metaugl();
}

// Coordinates go to the control as Long, rounded half to even; beyond the range is error 6.
Long toLong(double v) {
    return qnum::CLng(v);
}

// A user distance across and down, in drawing units. A scale of 0 is error 11.
double across(double d) {
    if (M().HorizontalScale == 0) raiseError(qmerr::DivisionByZero, QStringLiteral("horizontal scale 0"));
    return M().UnitsPerInch * d / M().HorizontalScale;
}
double down(double d) {
    if (M().VerticalScale == 0) raiseError(qmerr::DivisionByZero, QStringLiteral("vertical scale 0"));
    return M().UnitsPerInch * d / M().VerticalScale;
}

// Every object a command adds is tagged with the current group and object names.
void tagNew() {
    MDrawPro& d = pageDrawing();
    if (!M().CurrentGroupName.isEmpty()) {
        d.TagTarget(5);
        d.ObjectTag(draw::tags::GroupName, M().CurrentGroupName);
    }
    if (!M().CurrentObjName.isEmpty()) d.ObjectTag(draw::tags::ObjName, M().CurrentObjName);
}

// One line from the pen to (x, y); the pen ends there, unrounded.
void lineTo(double x, double y) {
    Metaugl& m = M();
    const Long x1 = toLong(m.PenX), y1 = toLong(m.PenY), x2 = toLong(x), y2 = toLong(y);
    MDrawPro& d = pageDrawing();
    d.AddObject(draw::Line, x1, y1, x2, y2);
    d.LineStyle(m.CurrentLineType);
    d.LineWidth(m.CurrentLineWidth);
    tagNew();
    m.PenX = float(x);
    m.PenY = float(y);
}

// Line type 6: dashes and gaps of 0.1 user unit laid by the command itself, in the line's direction.
void dashedRight(float length) {
    const double dir = length < 0 ? -1.0 : 1.0;
    const double total = std::fabs(double(length));
    // Whatever happens on the way, the line type is 6 again afterwards.
    struct Restore {
        ~Restore() { M().CurrentLineType = 6; }
    } restore;
    LT(1);
    // A count of periods beyond the Long range is an overflow, as for any Long.
    const double periods = std::floor(total / 0.2);
    if (!(periods <= double(std::numeric_limits<int32_t>::max())))
        raiseError(qmerr::Overflow, QStringLiteral("dashed line too long"));
    const int n = int(periods);
    const double rest = total - n * 0.2;
    for (int i = 0; i < n; ++i) {
        lineTo(M().PenX + across(dir * 0.1), M().PenY);
        SR(float(dir * 0.1));
    }
    double lastDash = rest, lastGap = 0;
    if (0.1 < rest) {
        lastDash = 0.1;
        lastGap = rest - 0.1;
    }
    lineTo(M().PenX + across(dir * lastDash), M().PenY);
    if (lastGap > 0) SR(float(dir * lastGap));
    LT(6);
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

// Text objects: anchored at (x, y), one line each, with the line's style prefix applied.
void addText(QString line, double x, double y) {
    Metaugl& m = M();
    const Long ax = toLong(x), ay = toLong(y);
    MDrawPro& d = pageDrawing();
    d.AddObject(draw::Text, ax, ay, ax, ay);
    d.TextAngle(m.CurrentTextAngle);
    d.TextAlign(m.CurrentTextAlign);
    d.TextHeight(-m.CurrentTextHeight);
    const auto [bold, italic] = takeStylePrefix(line);
    if (bold) d.TextBold(true);
    if (italic) d.TextItalic(true);
    d.TextString(line);
    tagNew();
}

// Circles are measured in inches, whatever the user scales.
void circle(float radius) {
    Metaugl& m = M();
    const double r = m.UnitsPerInch * double(radius);
    const Long x1 = toLong(m.PenX - r), y1 = toLong(m.PenY - r), x2 = toLong(m.PenX + r),
               y2 = toLong(m.PenY + r);
    pageDrawing().AddObject(draw::Ellipse, x1, y1, x2, y2);
}

// Moves the pen by (dx, dy) drawing units and buffers it as the next vertex; an empty buffer first
// takes the pen where it was. A buffer without room for the vertex is error 9, with nothing changed.
void vertexBy(double dx, double dy) {
    Metaugl& m = M();
    const bool empty = m.PolyCount <= 0;
    if ((empty ? 4 : m.PolyCount + 2) > Metaugl::MaxPolyValues)
        raiseError(qmerr::Subscript, QStringLiteral("polygon buffer full"));
    const Long sx = toLong(m.PenX), sy = toLong(m.PenY);
    const float nx = float(m.PenX + dx), ny = float(m.PenY + dy);
    const Long ex = toLong(nx), ey = toLong(ny);
    if (empty) {
        m.PolyCount = 0;
        m.PolyPoints[1] = sx;
        m.PolyPoints[2] = sy;
        m.PolyCount = 2;
    }
    m.PolyPoints[size_t(m.PolyCount) + 1] = ex;
    m.PolyPoints[size_t(m.PolyCount) + 2] = ey;
    m.PolyCount += 2;
    m.PenX = nx;
    m.PenY = ny;
}

// Drops repeated corners: a closing vertex equal to the first, a second or a fourth vertex equal to
// the one before it.
void tidyBuffer() {
    Metaugl& m = M();
    auto& P = m.PolyPoints;
    int n = m.PolyCount & ~1;
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
    m.PolyCount = n;
}

// The buffered polygon as a new object; the pen goes to its first vertex and the buffer empties.
void addBufferedPolygon() {
    Metaugl& m = M();
    const Long x = toLong(m.PenX), y = toLong(m.PenY);
    MDrawPro& d = pageDrawing();
    d.AddObject(draw::Polygon, x, y, x, y);
    d.SetVertices(0, m.PolyCount / 2, &m.PolyPoints[1], 0);
}

void polygonDone() {
    Metaugl& m = M();
    tagNew();
    m.PenX = float(m.PolyPoints[1]);
    m.PenY = float(m.PolyPoints[2]);
    m.PolyCount = 0;
}

void requireVertices() {
    if (M().PolyCount < 2) raiseError(qmerr::Subscript, QStringLiteral("polygon buffer empty"));
}

// Triangles count their size in inches: both scales are 1 while they draw and are put back after,
// also when the drawing fails.
struct UnitScales {
    float h = M().HorizontalScale, v = M().VerticalScale;
    UnitScales() { M().HorizontalScale = M().VerticalScale = 1; }
    ~UnitScales() {
        M().HorizontalScale = h;
        M().VerticalScale = v;
    }
};

} // namespace

// ---- page model and drawing state --------------------------------------------------------------

void NewDrawing() {
    Metaugl& m = M();
    try {
        if (m.PaperWidth == 0) {
            m.PaperWidth = 8.5f;
            m.PaperHeight = 11;
        }
        m.DrawableWidthInches = m.PaperWidth - 0.5f;
        m.DrawableHeightInches = m.PaperHeight - 0.5f;
        m.DrawableWidth = m.DrawableWidthInches * 600;
        m.DrawableHeight = m.DrawableHeightInches * 600;
        m.UnitsPerInch = 600;

        const QString size =
            qnum::ShortNum(m.DrawableWidth) + QLatin1Char(',') + qnum::ShortNum(m.DrawableHeight);
        if (size != modgw().LastPageSize) {
            modgw().LastPageSize = size;
            m.PageSizeChanged = 1;
        }

        MDrawPro& d = pageDrawing();
        d.ClearDrawing();
        undoRecord().clear();
        d.UnitsWidth(0);
        d.PageWidth(toLong(m.DrawableWidth));
        d.PageHeight(toLong(m.DrawableHeight));
        d.UnitsWidth(toLong(m.DrawableWidth));
        d.UnitsHeight(toLong(m.DrawableHeight));
        d.UnitsLeft(0);
        d.UnitsTop(0);
        d.CoordinateMode(3);

        m.CurrentTextAlign = 0;
        m.CurrentTextHeight = -83.3;
        m.CurrentTextAngle = 0;

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

        m.NodeCount = 0;
        m.SelectedNodeCount = 0; // the markers went with the old drawing
        m.ShapeCounter = 0;
    } catch (const QmError& e) {
        showError(e, QStringLiteral("metaugl-NewDrawing"));
    }
}

void Z(float x, float y) {
    Metaugl& m = M();
    if (m.HorizontalScale == 0) m.HorizontalScale = 1;
    if (m.VerticalScale == 0) m.VerticalScale = 1;
    m.OriginX = float(m.UnitsPerInch * (double(x) - 0.25));
    m.OriginY = float((m.DrawableHeightInches - (double(y) - 0.25)) * m.UnitsPerInch);
    m.PenX = m.OriginX;
    m.PenY = m.OriginY;
}

void ZC() {
    M().OriginX = M().PenX;
    M().OriginY = M().PenY;
}

void SH(float s) {
    M().HorizontalScale = s;
}
void SV(float s) {
    M().VerticalScale = s;
}

void S(float x, float y) {
    Metaugl& m = M();
    const double tx = m.OriginX + across(x);
    const double ty = m.OriginY - down(y);
    // Each coordinate moves only when it stays on the sheet.
    if (tx >= 0 && tx <= m.DrawableWidth) m.PenX = float(tx);
    if (ty >= 0 && ty <= m.DrawableHeight) m.PenY = float(ty);
}

void SL(float d) {
    M().PenX = float(M().PenX - across(d));
}
void SR(float d) {
    M().PenX = float(M().PenX + across(d));
}
void SU(float d) {
    M().PenY = float(M().PenY - down(d));
}
void SD(float d) {
    M().PenY = float(M().PenY + down(d));
}

void LT(int16_t n) {
    Metaugl& m = M();
    if (n < 1 || n > 7) n = 1;
    if (n != 6) {
        static const int16_t penStyle[] = {0, 0, 1, 3, 4, 2, 6, 5}; // by line type 1..7
        n = penStyle[n];
        if (qnum::LeadingNumber(modgw().ThickDashedLines) == 0) m.CurrentLineWidth = n == 0 ? 4 : 1;
    }
    m.CurrentLineType = n;
}

void LW(int16_t n) {
    M().CurrentLineWidth = int16_t(std::clamp<int>(n, 0, 5) * 4);
}

// ---- lines ------------------------------------------------------------------------------------

void LR(float length) {
    if (M().CurrentLineType == 6) return dashedRight(length);
    lineTo(M().PenX + across(length), M().PenY);
}

void LL(float length) {
    lineTo(M().PenX - across(length), M().PenY);
}
void LD(float length) {
    lineTo(M().PenX, M().PenY + down(length));
}
void LU(float length) {
    lineTo(M().PenX, M().PenY - down(length));
}
void LRTO(float dx, float dy) {
    lineTo(M().PenX + across(dx), M().PenY - down(dy));
}
void LTO(float x, float y) {
    lineTo(M().OriginX + across(x), M().OriginY - down(y));
}

void RE(float width, float height) {
    Metaugl& m = M();
    const Long x1 = toLong(m.PenX), y1 = toLong(m.PenY);
    const Long x2 = toLong(m.PenX + across(width)), y2 = toLong(m.PenY - down(height));
    MDrawPro& d = pageDrawing();
    d.AddObject(draw::Rectangle, x1, y1, x2, y2);
    d.FillStyle(1);
    tagNew();
}

// ---- text -------------------------------------------------------------------------------------

void A(const QString& text) {
    Metaugl& m = M();
    QString rest = text;
    for (int i = 0;; ++i) {
        double x = m.PenX, y = m.PenY;
        // Level lines step down the page, rotated ones to the right.
        if (m.CurrentTextAngle == 0)
            y += i * m.CurrentTextHeight;
        else
            x += i * m.CurrentTextHeight;
        const qsizetype k = rest.indexOf(QLatin1String("\\N"), 0, Qt::CaseInsensitive);
        if (k < 0) return addText(rest, x, y);
        addText(rest.left(k), x, y);
        rest = rest.mid(k + 2);
    }
}

void TextLine(const QString& text) {
    addText(text, M().PenX, M().PenY);
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

double TextWidth(const QString& text) {
    QString line = text;
    draw::Style style = pageDrawing().defaults();
    std::tie(style.textBold, style.textItalic) = takeStylePrefix(line);
    style.textHeight = -M().CurrentTextHeight;
    const draw::TextFace face = draw::textFace(style);
    return face.advance(line) * face.scale / 600.0;
}

void AN(float value) {
    TextLine(NumberText(value));
}

void AD(double angle) {
    M().CurrentTextAngle = angle;
}
void AL() {
    M().CurrentTextAlign = 0;
}
void AC() {
    M().CurrentTextAlign = 1;
}
void AR() {
    M().CurrentTextAlign = 2;
}
void AP(float size) {
    M().CurrentTextHeight = double(size) / 72 * 600;
}

void AF(const QString& fontName) {
    MDrawPro& d = pageDrawing();
    try {
        d.CurrentObject(4);
        d.FontName(fontName);
    } catch (const QmError&) {
        // A font the control refuses leaves the previous one, without a message.
    }
}

// ---- circles, polygons and markers ------------------------------------------------------------

namespace {
// A shade that is not finite has no grey; making one would give a colour out of range.
void requireFiniteShade(float shade) {
    if (!std::isfinite(shade)) raiseError(qmerr::Overflow, QStringLiteral("shade not finite"));
}
} // namespace

int32_t GreyOf(float shade) {
    requireFiniteShade(shade);
    const float g = std::floor((1 - shade) * 255.0f);
    const int v = int(std::clamp(g, 0.0f, 255.0f));
    return draw::RGB(v, v, v);
}

void C(float radius) {
    circle(radius);
    pageDrawing().FillStyle(1);
    tagNew();
}

void EF(float radius) {
    circle(radius);
    MDrawPro& d = pageDrawing();
    d.FillStyle(0);
    d.FillColor(M().CurrentLineColor);
    tagNew();
}

void EFS(float radius, float shade) {
    requireFiniteShade(shade);
    if (shade > 1) shade = 1;
    const int32_t grey = GreyOf(shade);
    circle(radius);
    MDrawPro& d = pageDrawing();
    d.FillStyle(0);
    d.FillColor(grey);
    d.LineColor(grey);
    tagNew();
}

void PRTO(float dx, float dy) {
    vertexBy(across(dx), -down(dy));
}
void PU(float d) {
    vertexBy(0, -down(d));
}
void PL(float d) {
    vertexBy(-across(d), 0);
}
void PR(float d) {
    vertexBy(across(d), 0);
}

void PFC(int32_t colour) {
    requireVertices();
    tidyBuffer();
    addBufferedPolygon();
    MDrawPro& d = pageDrawing();
    d.FillStyle(0);
    d.FillColor(colour);
    d.LineWidth(4);
    d.LineStyle(0);
    d.LineColor(draw::Black);
    polygonDone();
}

void PFS(float shade) {
    requireVertices();
    const int32_t grey = GreyOf(shade);
    addBufferedPolygon();
    MDrawPro& d = pageDrawing();
    d.FillStyle(0);
    d.FillColor(grey);
    d.LineColor(grey);
    polygonDone();
}

void DrawSquareMarker(float width, float height, float shade) {
    if (std::fabs(width) <= 0.01 || std::fabs(height) <= 0.01) return;
    requireFiniteShade(shade); // before the buffer and the pen change
    PR(width);
    PU(height);
    PL(width);
    PFS(shade);
}

void TRIF(float size) {
    UnitScales inches;
    const float w = 0.866f * size, h = 0.5f * size;
    SR(w);
    SD(h);
    PL(2 * w);
    PRTO(w, h + size);
    PRTO(w, -(h + size));
    PFC(M().CurrentLineColor);
    SL(w);
    SU(h);
}

void TRI(float size) {
    UnitScales inches;
    const float w = 0.866f * size, h = 0.5f * size;
    SR(w);
    SD(h);
    LL(2 * w);
    LRTO(w, h + size);
    LRTO(w, -(h + size));
    SL(w);
    SU(h);
}

void DrawBMP(const QString& file, float width, float height) {
    Metaugl& m = M();
    const Long x1 = toLong(m.PenX), y1 = toLong(m.PenY);
    const Long x2 = toLong(m.PenX + m.UnitsPerInch * double(width));
    const Long y2 = toLong(m.PenY - m.UnitsPerInch * double(height));
    if (!FileExists(file)) {
        ui().MsgBox(QStringLiteral("BMP File Not Found: ") + file);
        return;
    }
    MDrawPro& d = pageDrawing();
    d.Picture(LoadPicture(file));
    d.AddObject(draw::Bitmap, x1, y1, x2, y2);
    d.ObjectSelected(false);
    tagNew();
}

bool AppendSelectedNode(int32_t x, int32_t y) {
    Metaugl& m = metaugl();
    if (m.SelectedNodeCount + 2 > Metaugl::MaxPolyValues) return false;
    m.SelectedNodes[size_t(m.SelectedNodeCount + 1)] = x;
    m.SelectedNodes[size_t(m.SelectedNodeCount + 2)] = y;
    m.SelectedNodeCount += 2;
    return true;
}

void RemoveSelectedNode(int32_t x, int32_t y) {
    Metaugl& m = metaugl();
    if (m.SelectedNodeCount < 2) return;
    int at = m.SelectedNodeCount - 1; // x of the last pair, unless the node's own centre is found
    for (int k = m.SelectedNodeCount - 1; k >= 1; k -= 2) {
        if (m.SelectedNodes[size_t(k)] == x && m.SelectedNodes[size_t(k + 1)] == y) {
            at = k;
            break;
        }
    }
    for (int k = at; k + 2 <= m.SelectedNodeCount; ++k)
        m.SelectedNodes[size_t(k)] = m.SelectedNodes[size_t(k + 2)];
    m.SelectedNodeCount -= 2;
}
