// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/contour/contourdoc.h"
#include "platform/drawing/mdrawpro.h"

#include <functional>
#include <memory>
#include <vector>

// The program's own contouring engine: each plot document is a drawing of its own (600 units per
// inch, y down), so the renderer, the object dump and printing serve it like any page.
namespace contour {

class PlotShape;
class PlotApplication;

class PlotDocument : public Document {
public:
    explicit PlotDocument(int number);
    ~PlotDocument() override;

    int number() const { return number_; } // 1 for the program's first plot
    MDrawPro& drawing() { return drawing_; }
    const MDrawPro& drawing() const { return drawing_; }
    int windowState() const { return windowState_; }
    bool landscape() const { return orientation_ == 2; }
    double pageWidthInches() const;
    double pageHeightInches() const;
    const std::vector<std::unique_ptr<PlotShape>>& shapes() const { return shapes_; }

    DocWindow& Windows(int index) override;
    PageSettings& PageSetup() override;
    ShapeCollection& Shapes() override;
    Shape& Import(const QString& FileName) override;

    // The maps of grids already in memory, as the grid-file members make them after reading.
    Shape& addContourMap(const ContourGrid& grid);
    Shape& addWireFrame(const ContourGrid& grid);

private:
    class Members;
    friend class Members;
    friend class PlotShape;
    Shape& adopt(std::unique_ptr<PlotShape> shape);
    void setOrientation(int orientation);

    int number_;
    MDrawPro drawing_;
    std::vector<std::unique_ptr<PlotShape>> shapes_;
    std::unique_ptr<Members> members_;
    int windowState_ = 1;
    int orientation_ = 2;
};

class PlotApplication : public Application {
public:
    PlotApplication();
    ~PlotApplication() override;

    int WindowState() const override { return windowState_; }
    void WindowState(int state) override;
    bool Visible() const override { return visible_; }
    void Visible(bool on) override;
    DocumentCollection& Documents() override;
    void GridData(const GridDataArgs& args) override;

    // The documents still open, oldest first.
    std::vector<std::shared_ptr<PlotDocument>> documents() const;
    // The user closed the document's window. It is let go at the next Add, so that a run still
    // building it never holds a dangling reference.
    void closeDocument(const PlotDocument* doc);
    void reset(); // tests: no documents, numbering from 1, hidden

private:
    class Collection;
    std::unique_ptr<Collection> collection_;
    std::vector<std::shared_ptr<PlotDocument>> documents_;
    std::vector<std::shared_ptr<PlotDocument>> closed_;
    std::vector<std::shared_ptr<PlotDocument>> unshown_;
    int windowState_ = 1;
    bool visible_ = false;
    int made_ = 0;
};

// The program's engine, the one application() gives unless a test installed another.
PlotApplication& engine();

} // namespace contour
