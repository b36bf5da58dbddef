// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drawing/mdrawpro.h"

#include <QString>
#include <array>
#include <cstdint>

// The variables of the drawing commands: the page model, the pen and text state and the polygon
// buffer. Every canvas has its own.
struct Metaugl {
    static constexpr int PolyCapacity = 501;  // PolyPoints elements 1 to 501
    static constexpr int MaxPolyValues = 500; // 250 whole vertices

    // ---- page
    float PaperWidth = 0; // inches; 0 = no size set
    float PaperHeight = 0;
    float DrawableWidthInches = 0;
    float DrawableHeightInches = 0;
    float DrawableWidth = 0; // drawing units
    float DrawableHeight = 0;
    int UnitsPerInch = 0; // 600 once a drawing was started
    int16_t PageSizeChanged = 0;

    // ---- drawing state
    float OriginX = 0, OriginY = 0; // drawing units, y down
    float PenX = 0, PenY = 0;
    float HorizontalScale = 0, VerticalScale = 0;
    int16_t CurrentLineType = 0;
    int16_t CurrentLineWidth = 0;
    int16_t CurrentTextAlign = 0;
    double CurrentTextHeight = 0;
    double CurrentTextAngle = 0;
    QString CurrentGroupName;
    QString CurrentObjName;
    // The fill of EF and TRIF: the palette's line colour on the page's canvas.
    int32_t CurrentLineColor = 0;

    // ---- polygon buffer of the drawing commands alone: PR, PL, PU and PRTO append vertices (x then y,
    // drawing units, 1-based; the first vertex is where the pen stood), PFC and PFS make them a polygon
    // and empty it. Node picking keeps its own list (EditingSession::SelectedNodes).
    std::array<int32_t, PolyCapacity + 1> PolyPoints{};
    int32_t PolyCount = 0; // values held, two a vertex

    void reset() { *this = Metaugl{}; }
    bool operator==(const Metaugl&) const = default;
};

// The drawing commands over one target drawing. They measure in inches with y up, keep a pen, an
// origin and two user scales, and add objects to the target in drawing units with y down. The
// commands raise their faults to the calling routine: error 11 for a user scale of 0, 6 for a
// coordinate beyond the Long range, 9 for a full or empty polygon buffer. A canvas over a drawing of
// its own changes nothing else; over the page's drawing control, a new drawing also empties the
// page's editing session and keeps the page size in LastPageSize.
class PageCanvas : public Metaugl {
public:
    // Over the page's drawing control, whichever control that is when a command draws.
    PageCanvas() = default;
    explicit PageCanvas(MDrawPro& target) : target_(&target) {}
    PageCanvas(const PageCanvas&) = delete;
    PageCanvas& operator=(const PageCanvas&) = delete;

    MDrawPro& drawing() const;

    // ---- page model and drawing state
    void NewDrawing();
    void Z(float x, float y);
    void ZC();
    void SH(float s);
    void SV(float s);
    void S(float x, float y);
    void SL(float d);
    void SR(float d);
    void SU(float d);
    void SD(float d);
    void LT(int16_t n);
    void LW(int16_t n);

    // ---- lines
    void LR(float length);
    void LL(float length);
    void LD(float length);
    void LU(float length);
    void LRTO(float dx, float dy);
    void LTO(float x, float y);
    void RE(float width, float height);

    // ---- text
    void A(const QString& text);
    void TextLine(const QString& text);
    void AN(float value);
    void AD(double angle);
    void AL();
    void AC();
    void AR();
    void AP(float size);
    void AF(const QString& fontName);
    // The width in inches of a line as A would draw it now: current font, size and style prefix.
    double TextWidth(const QString& text) const;

    // ---- circles, polygons and markers
    void C(float radius);
    void EF(float radius);
    void EFS(float radius, float shade);
    void PRTO(float dx, float dy);
    void PU(float d);
    void PL(float d);
    void PR(float d);
    void PFC(int32_t colour);
    void PFS(float shade);
    void DrawSquareMarker(float width, float height, float shade);
    void TRIF(float size);
    void TRI(float size);
    void DrawBMP(const QString& file, float width, float height);

private:
    double across(double d) const;
    double down(double d) const;
    void tagNew();
    void lineTo(double x, double y);
    void dashedRight(float length);
    void addText(QString line, double x, double y);
    void circle(float radius);
    void vertexBy(double dx, double dy);
    void tidyBuffer();
    void addBufferedPolygon();
    void polygonDone();
    void requireVertices() const;

    MDrawPro* target_ = nullptr; // none: the page's drawing control
};

// The text AN draws for a value; a value that is not finite is error 6.
QString NumberText(float value);
// The grey of a shade from 0 (white) to 1 (black) as an RGB value; a shade that is not finite is error 6.
int32_t GreyOf(float shade);

// The page's drawing control. It belongs to this layer, so pages are drawn with no window open; the
// drawing window shows this same control.
MDrawPro& pageDrawing();
// A new, empty control in its place, as the program starts with (tests). Views showing the old one
// are left showing nothing.
void ResetPageDrawing();

// The canvas over the page's drawing control, which the drawing window and the report runs draw on.
PageCanvas& pageCanvas();
