// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drawing/mdrawpro.h"

#include <QString>
#include <array>
#include <cstdint>

// The drawing commands through which every report page is drawn. They measure in inches with y up,
// keep a pen, an origin and two user scales, and add objects to the page's drawing control in drawing
// units with y down. The commands raise their faults to the calling routine: error 11 for a user scale
// of 0, 6 for a coordinate beyond the Long range, 9 for a full or empty polygon buffer.
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

    // ---- polygon buffer of the drawing commands alone: PR, PL, PU and PRTO append vertices (x then y,
    // drawing units, 1-based; the first vertex is where the pen stood), PFC and PFS make them a polygon
    // and empty it. Node picking keeps its own list, SelectedNodes below.
    std::array<int32_t, PolyCapacity + 1> PolyPoints{};
    int32_t PolyCount = 0; // values held, two a vertex

    // ---- state shared with the drawing window
    int32_t CurrentLineColor = 0;
    QString CurrentFillPattern;
    int32_t CurrentFillColor = 0;
    int16_t NodeCount = 0;
    int16_t ShapeCounter = 0;

    // ---- style palette: pattern file names and colours, 1-based (entry 0 is never saved)
    std::array<QString, 11> PaletteFills;
    std::array<int32_t, 15> PaletteColors{};

    // ---- node markers: centres of hidden markers (rows 1 to NodeCount, x then y, drawing units)
    static constexpr int MaxNodes = 500;
    std::array<std::array<float, 2>, MaxNodes + 1> NodeTable{};
    int16_t NodesHidden = 0; // 1 while "ShowHide Nodes" keeps the markers hidden
    // The selected nodes, x then y in the order picked; a list of its own, so that drawing commands
    // and node picking never share a buffer.
    std::array<int32_t, PolyCapacity + 1> SelectedNodes{};
    int32_t SelectedNodeCount = 0;

    void reset() { *this = Metaugl{}; }
};

Metaugl& metaugl();

// The page's drawing control. It belongs to this layer, so pages are drawn with no window open; the
// drawing window shows this same control.
MDrawPro& pageDrawing();
// A new, empty control in its place, as the program starts with (tests). Views showing the old one
// are left showing nothing.
void ResetPageDrawing();

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
// Pages fit their texts into the room they have with it.
double TextWidth(const QString& text);
// The text AN draws for a value; a value that is not finite is error 6.
QString NumberText(float value);

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
// The grey of a shade from 0 (white) to 1 (black) as an RGB value; a shade that is not finite is error 6.
int32_t GreyOf(float shade);

// ---- selected-node list (SelectedNodes, SelectedNodeCount)
// Appends a node's centre; false when the list already holds 250 nodes, and the node is not listed.
bool AppendSelectedNode(int32_t x, int32_t y);
// Takes a deselected node's own centre off the list: the last pair equal to (x, y), or the last pair
// when none is (the marker has moved since it was picked). Nothing when the list is empty.
void RemoveSelectedNode(int32_t x, int32_t y);
