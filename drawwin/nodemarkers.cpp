// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/nodemarkers.h"

#include "drawcmd/editingsession.h"
#include "drawcmd/pagecanvas.h"
#include "platform/drawing/objecttags.h"
#include "platform/numbers.h"

#include <functional>

namespace {

namespace tags = draw::tags;
constexpr int32_t Red = draw::RGB(255, 0, 0);
constexpr int32_t Blue = draw::RGB(0, 0, 255);

// A half unit kept in a hidden centre is rounded away here, halves to even.
void addMarker(double x, double y) {
    MDrawPro& d = pageDrawing();
    const int upi = pageCanvas().UnitsPerInch > 0 ? pageCanvas().UnitsPerInch : 600;
    const double h = 0.04 * upi;
    d.AddObject(draw::Ellipse, qnum::CLng(x - h), qnum::CLng(y - h), qnum::CLng(x + h), qnum::CLng(y + h));
    d.FillStyle(0);
    d.FillColor(Red);
    d.LineWidth(0);
    d.LineStyle(0);
    d.LineColor(draw::Black);
    d.TagTarget(5);
    d.ObjectTag(tags::NodeSelected, tags::No);
}

// Visits every object of the page in stacking order, each as the current object.
void walk(const std::function<void(MDrawPro&)>& visit) {
    MDrawPro& d = pageDrawing();
    d.CurrentObject(5);
    d.ObjectCursor(13);
    d.ObjectCursor(14);
    while (d.CurrentObject() > 10) {
        visit(d);
        d.ObjectCursor(0);
    }
}

} // namespace

bool IsNodeMarker(const MDrawPro& control) {
    return !control.ObjectTag(tags::NodeSelected).isEmpty();
}

void AddNodeMarker(int32_t x, int32_t y) {
    addMarker(x, y);
}

void ShowNodeMarkers() {
    const EditingSession& m = editingSession();
    for (int i = 1; i <= m.NodeCount; ++i)
        addMarker(m.NodeTable[size_t(i)][0], m.NodeTable[size_t(i)][1]);
}

void HideNodeMarkers() {
    EditingSession& m = editingSession();
    m.NodeCount = 0;
    walk([&m](MDrawPro& d) {
        d.TagTarget(5);
        // Markers beyond the table's rows stay on the page rather than being lost.
        if (IsNodeMarker(d) && m.NodeCount < EditingSession::MaxNodes) {
            d.ObjectSelected(true);
            ++m.NodeCount;
            int32_t x1, y1, x2, y2;
            d.GetObjectCoords(x1, y1, x2, y2, 0);
            m.NodeTable[size_t(m.NodeCount)] = {float((double(x1) + x2) / 2), float((double(y1) + y2) / 2)};
        } else {
            d.ObjectSelected(false);
        }
    });
    pageDrawing().DeleteObjects(2);
}

void DeselectNodeMarkers() {
    walk([](MDrawPro& d) {
        d.TagTarget(5);
        if (d.ObjectTag(tags::NodeSelected) == tags::Yes) {
            d.ObjectTag(tags::NodeSelected, tags::No);
            d.FillColor(Red);
        }
    });
}

NodePick PickNodeMarker() {
    MDrawPro& d = pageDrawing();
    d.TagTarget(5);
    const QString tag = d.ObjectTag(tags::NodeSelected);
    if (tag != tags::No && tag != tags::Yes) return NodePick::NotAMarker;
    int32_t x1, y1, x2, y2;
    d.GetObjectCoords(x1, y1, x2, y2, 0);
    const int32_t cx = qnum::CLng((double(x1) + x2) / 2), cy = qnum::CLng((double(y1) + y2) / 2);
    if (tag == tags::No) {
        if (!AppendSelectedNode(cx, cy)) return NodePick::ListFull;
        d.FillColor(Blue);
        d.ObjectTag(tags::NodeSelected, tags::Yes);
        return NodePick::Selected;
    }
    d.FillColor(Red);
    RemoveSelectedNode(cx, cy);
    d.ObjectTag(tags::NodeSelected, tags::No);
    return NodePick::Deselected;
}
