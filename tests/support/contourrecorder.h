// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/contour/contourdoc.h"

#include <QSizeF>
#include <QStringList>
#include <memory>
#include <vector>

// A contouring engine for tests of the contour run: installs itself in place of the program's engine
// and records, in order, every call that adds something or sets a value, as one line each:
//   "Application.Visible = true", "Documents.Add", "Shapes.AddText(8.4, 7.9, \"NOTES\") = shape 3",
//   "shape 3.Font.Size = 8", "shape 5.Overlays(1).FillContours = true", "GridData(...)".
// Reads are not recorded; a shape reads back what was last set (0 before). A call whose member name
// is in failing raises 432 and is recorded with " failed". After a view is set, a map reads back
// viewedSize as its Width and Height when that is set.
class ContourRecorder : public contour::Application {
public:
    ContourRecorder();
    ~ContourRecorder() override;

    QStringList calls;
    QStringList failing;
    QSizeF viewedSize;

    int WindowState() const override { return windowState_; }
    void WindowState(int state) override;
    bool Visible() const override { return visible_; }
    void Visible(bool on) override;
    contour::DocumentCollection& Documents() override;
    void GridData(const GridDataArgs& args) override;

    // Records the call, or raises 432 when its member is one of failing.
    void record(const QString& member, const QString& line);
    int nextShape() { return ++shapes_; }

private:
    class Docs;
    std::unique_ptr<Docs> docs_;
    int windowState_ = 0;
    bool visible_ = false;
    int shapes_ = 0;
};
