// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawcmd/editingsession.h"
#include "drawcmd/pagecanvas.h"

#include <QString>
#include <cstdint>

// The drawing commands through which every report page is drawn, as free commands on the current
// canvas (pagecanvas.h), and the variables they keep. What of them the drawing window keeps about
// the page (node markers, picked nodes, the palette) is the page's editing session (editingsession.h).

// The variables of the current canvas.
Metaugl& metaugl();

// clang-format off: one line a command

// ---- page model and drawing state
inline void NewDrawing() { currentCanvas().NewDrawing(); }
inline void Z(float x, float y) { currentCanvas().Z(x, y); }
inline void ZC() { currentCanvas().ZC(); }
inline void SH(float s) { currentCanvas().SH(s); }
inline void SV(float s) { currentCanvas().SV(s); }
inline void S(float x, float y) { currentCanvas().S(x, y); }
inline void SL(float d) { currentCanvas().SL(d); }
inline void SR(float d) { currentCanvas().SR(d); }
inline void SU(float d) { currentCanvas().SU(d); }
inline void SD(float d) { currentCanvas().SD(d); }
inline void LT(int16_t n) { currentCanvas().LT(n); }
inline void LW(int16_t n) { currentCanvas().LW(n); }

// ---- lines
inline void LR(float length) { currentCanvas().LR(length); }
inline void LL(float length) { currentCanvas().LL(length); }
inline void LD(float length) { currentCanvas().LD(length); }
inline void LU(float length) { currentCanvas().LU(length); }
inline void LRTO(float dx, float dy) { currentCanvas().LRTO(dx, dy); }
inline void LTO(float x, float y) { currentCanvas().LTO(x, y); }
inline void RE(float width, float height) { currentCanvas().RE(width, height); }

// ---- text
inline void A(const QString& text) { currentCanvas().A(text); }
inline void TextLine(const QString& text) { currentCanvas().TextLine(text); }
inline void AN(float value) { currentCanvas().AN(value); }
inline void AD(double angle) { currentCanvas().AD(angle); }
inline void AL() { currentCanvas().AL(); }
inline void AC() { currentCanvas().AC(); }
inline void AR() { currentCanvas().AR(); }
inline void AP(float size) { currentCanvas().AP(size); }
inline void AF(const QString& fontName) { currentCanvas().AF(fontName); }
// The width in inches of a line as A would draw it now: current font, size and style prefix.
// Pages fit their texts into the room they have with it.
inline double TextWidth(const QString& text) { return currentCanvas().TextWidth(text); }

// ---- circles, polygons and markers
inline void C(float radius) { currentCanvas().C(radius); }
inline void EF(float radius) { currentCanvas().EF(radius); }
inline void EFS(float radius, float shade) { currentCanvas().EFS(radius, shade); }
inline void PRTO(float dx, float dy) { currentCanvas().PRTO(dx, dy); }
inline void PU(float d) { currentCanvas().PU(d); }
inline void PL(float d) { currentCanvas().PL(d); }
inline void PR(float d) { currentCanvas().PR(d); }
inline void PFC(int32_t colour) { currentCanvas().PFC(colour); }
inline void PFS(float shade) { currentCanvas().PFS(shade); }
inline void DrawSquareMarker(float w, float h, float shade) { currentCanvas().DrawSquareMarker(w, h, shade); }
inline void TRIF(float size) { currentCanvas().TRIF(size); }
inline void TRI(float size) { currentCanvas().TRI(size); }
inline void DrawBMP(const QString& file, float w, float h) { currentCanvas().DrawBMP(file, w, h); }

// clang-format on
