// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/contour/contourgrid.h"

#include <QString>
#include <vector>

// The contouring engine as the contour run addresses it: an application with plot documents, each a
// page of shapes. The run talks only to these interfaces; the program's own engine implements them
// (plotdoc.h), and tests put a recorder in its place with setApplication().
//
// Page coordinates are inches, x to the right from the left edge, y upwards from the lower edge.
// A call that cannot be done raises QmError 432 with the reason.
namespace contour {

// A text's font settings. HAlign: 1 left, 2 centred, 3 right. VAlign: 1 top, 2 baseline, 3 bottom,
// 4 vertical centre at the text's y.
class TextFont {
public:
    virtual ~TextFont() = default;
    virtual double Size() const = 0; // points
    virtual void Size(double points) = 0;
    virtual int HAlign() const = 0;
    virtual void HAlign(int align) = 0;
    virtual int VAlign() const = 0;
    virtual void VAlign(int align) = 0;
};

// A layer of a contour map.
class Overlay {
public:
    virtual ~Overlay() = default;
    virtual bool FillContours() const = 0;
    virtual void FillContours(bool on) = 0;
};

// Every shape has a box: Width and Height, and left and top of its upper left corner, in inches. The
// members a kind of shape lacks raise 432.
class Shape {
public:
    virtual ~Shape() = default;
    virtual double Width() const = 0;
    virtual void Width(double inches) = 0;
    virtual double Height() const = 0;
    virtual void Height(double inches) = 0;
    virtual double left() const = 0;
    virtual void left(double inches) = 0;
    virtual double top() const = 0;
    virtual void top(double inches) = 0;

    virtual TextFont& Font();             // texts
    virtual Overlay& Overlays(int index); // contour maps: 1 is the contours
    // Maps: rotation about the vertical and elevation of the view (90 looks straight down), degrees.
    virtual double ViewRotation() const;
    virtual void ViewRotation(double degrees);
    virtual double ViewTilt() const;
    virtual void ViewTilt(double degrees);
};

class ShapeCollection {
public:
    virtual ~ShapeCollection() = default;
    virtual Shape& AddRectangle(double left, double top, double right, double bottom) = 0;
    virtual Shape& AddText(double x, double y, const QString& text) = 0;
    // xy holds x1, y1, x2, y2, ...
    virtual Shape& AddPolyline(const std::vector<double>& xy) = 0;
    virtual Shape& AddContourMap(const QString& gridFile) = 0;
    virtual Shape& AddBaseMap(const QString& file) = 0;
    virtual Shape& AddWireFrame(const QString& gridFile) = 0;
};

// WindowState: 1 normal, 2 minimised, 3 maximised.
class DocWindow {
public:
    virtual ~DocWindow() = default;
    virtual bool AutoRedraw() const = 0;
    virtual void AutoRedraw(bool on) = 0;
    virtual int WindowState() const = 0;
    virtual void WindowState(int state) = 0;
};

// Orientation: 1 portrait, 2 landscape.
class PageSettings {
public:
    virtual ~PageSettings() = default;
    virtual int Orientation() const = 0;
    virtual void Orientation(int orientation) = 0;
};

class Document {
public:
    virtual ~Document() = default;
    virtual DocWindow& Windows(int index) = 0;
    virtual PageSettings& PageSetup() = 0;
    virtual ShapeCollection& Shapes() = 0;
    virtual Shape& Import(const QString& FileName) = 0; // a picture file
};

class DocumentCollection {
public:
    virtual ~DocumentCollection() = default;
    virtual Document& Add() = 0;
};

class Application {
public:
    virtual ~Application() = default;
    virtual int WindowState() const = 0;
    virtual void WindowState(int state) = 0;
    virtual bool Visible() const = 0;
    virtual void Visible(bool on) = 0;
    virtual DocumentCollection& Documents() = 0;
    virtual void GridData(const GridDataArgs& args) = 0;
};

// The installed application: the program's own engine unless a test installed another (not owned;
// nullptr restores the engine).
Application& application();
void setApplication(Application* app);

// Raises 432 with the reason.
[[noreturn]] void raiseCallFailed(const QString& reason);

} // namespace contour
