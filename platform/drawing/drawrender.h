// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drawing/drawobject.h"
#include "platform/drawing/outputoptions.h"

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QTransform>

class QPainter;

// The one renderer of drawings: screen, printer, PDF and images all paint through paintSheet.
namespace draw {

class DrawModel;

// Paints the sheet (background and objects, back to front) so that it fills target, given in the
// painter's current coordinates; the options say which objects show and with which patterns.
void paintSheet(QPainter& p, const DrawModel& model, const QRectF& target, const OutputOptions& options = {});

// Where a turned object's frame lies: the turn of its angle about the frame's centre (identity for an
// unturned object and for the kinds that turn their points instead).
QTransform objectTransform(const DrawObject& o);

// Paints one object with the painter in drawing units.
void paintObject(QPainter& p, const DrawObject& o);

// The extent an object paints, in drawing units (a text measured with its font; pen width left out);
// for a turned object the box around it as turned.
QRectF objectBounds(const DrawObject& o);

// The extent a text's glyphs paint, in drawing units (for a turned text the box around them as
// turned); empty for a text that paints nothing. Layout checks use it: what prints, not the line.
QRectF textInkBounds(const DrawObject& o);

// Whether a point (drawing units) touches an object: lines and polylines within tol of a segment
// (half the pen included), turned frames and texts within tol of their turned box, the other kinds
// within tol of their painted extent.
bool hitTest(const DrawObject& o, const QPointF& u, double tol);

// Counter-clockwise on the y-down sheet, exact at quarter turns.
QTransform turn(double degrees);

struct FontFace;

// The face a text is set in, as the renderer sets it: texts are laid out with their font at a fixed
// reference size and scaled, so that their shape does not depend on the output's resolution. File
// writers place and space text by it, so that files show text where the sheet does.
struct TextFace {
    FontFace* face;
    double scale; // drawing units per reference pixel at the style's height
    const QFont& font() const;
    double ascent() const; // reference pixels
    double descent() const;
    // From the anchor, the middle of the line, down to the baseline, in reference pixels.
    double baseline() const { return (ascent() - descent()) / 2; }
    // The advance of a text in reference pixels, kerned, measured once.
    double advance(const QString& text) const;
};
TextFace textFace(const Style& s);

// Dash lengths of a pen style in drawing units, alternately on and off; empty for a solid line.
QVector<double> dashPattern(int lineStyle, int lineWidth);

// The sheet as an image at the options' resolution, and as a one-page PDF whose page is the sheet
// with the given margin around it.
QImage renderImage(const DrawModel& model, const OutputOptions& options);
QByteArray renderPdf(const DrawModel& model, const OutputOptions& options, double marginInches = 0);
// The same, written whole or not at all; a failed write raises error 75.
void writePng(const DrawModel& model, const QString& path, const OutputOptions& options);
void writePdf(const DrawModel& model, const QString& path, const OutputOptions& options,
              double marginInches = 0);

// The screen as it is, at a resolution (dots per inch) for images.
inline QImage renderImage(const DrawModel& model, double dpi) {
    return renderImage(model, OutputOptions::screen(dpi));
}
inline QByteArray renderPdf(const DrawModel& model, double marginInches = 0) {
    return renderPdf(model, OutputOptions::screen(), marginInches);
}
inline void writePng(const DrawModel& model, const QString& path, double dpi) {
    writePng(model, path, OutputOptions::screen(dpi));
}
inline void writePdf(const DrawModel& model, const QString& path, double marginInches = 0) {
    writePdf(model, path, OutputOptions::screen(), marginInches);
}

} // namespace draw
