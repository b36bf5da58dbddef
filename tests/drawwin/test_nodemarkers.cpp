// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawcmd/drawtest.h"
#include "drawwin/nodemarkers.h"

#include <gtest/gtest.h>

namespace {

constexpr int32_t Red = draw::RGB(255, 0, 0);
constexpr int32_t Blue = draw::RGB(0, 0, 255);

class NodeMarkers : public DrawCmdTest {
protected:
    static QPointF centre(const draw::DrawObject& o) { return {(o.x1 + o.x2) / 2.0, (o.y1 + o.y2) / 2.0}; }
    // Selects marker i as a click in the window does: blue and tagged "T".
    static void pick(int i) {
        draw::DrawObject& o = pageDrawing().at(i);
        o.setTag("nodeselected", "T");
        o.style.fillColor = Blue;
    }
    // A plain object of the drawing: a rectangle through the drawing commands.
    static void drawBox() {
        pageCanvas().SH(1);
        pageCanvas().SV(1);
        pageCanvas().Z(1, 1);
        pageCanvas().RE(2, 1);
    }
};

} // namespace

TEST_F(NodeMarkers, AMarkerIsARedDiscOfAFiftiethOfAnInchEachSide) {
    AddNodeMarker(1000, 2000);
    ASSERT_EQ(page().count(), 1);
    const draw::DrawObject& m = obj(0);
    EXPECT_EQ(m.kind, draw::Ellipse);
    EXPECT_EQ(QRect(QPoint(m.x1, m.y1), QPoint(m.x2, m.y2)), QRect(QPoint(976, 1976), QPoint(1024, 2024)));
    EXPECT_EQ(m.style.fill, draw::FillMode::Solid);
    EXPECT_EQ(m.style.fillColor, Red);
    EXPECT_EQ(m.style.lineWidth, 0);
    EXPECT_EQ(m.style.lineStyle, 0);
    EXPECT_EQ(m.style.lineColor, draw::Black);
    EXPECT_EQ(m.tag("nodeselected"), "F");
}

TEST_F(NodeMarkers, HideThenShowBringsEveryMarkerBackRedAtItsCentre) {
    drawBox();
    AddNodeMarker(1000, 2000);
    AddNodeMarker(3001, 407);
    pick(2);
    page().at(0).selected = true; // the user's selection of a drawing object
    editingSession().SelectedNodes[1] = 3001;
    editingSession().SelectedNodes[2] = 407;
    editingSession().SelectedNodeCount = 2;

    HideNodeMarkers();
    ASSERT_EQ(page().count(), 1); // only the box is left
    EXPECT_FALSE(obj(0).selected);
    EXPECT_EQ(editingSession().NodeCount, 2);
    EXPECT_FLOAT_EQ(editingSession().NodeTable[2][0], 3001);
    EXPECT_FLOAT_EQ(editingSession().NodeTable[2][1], 407);

    ShowNodeMarkers();
    ASSERT_EQ(page().count(), 3);
    EXPECT_EQ(centre(obj(1)), QPointF(1000, 2000));
    EXPECT_EQ(centre(obj(2)), QPointF(3001, 407));
    for (int i : {1, 2}) {
        EXPECT_EQ(obj(i).tag("nodeselected"), "F");
        EXPECT_EQ(obj(i).style.fillColor, Red);
    }
    // The selected-node list is not the markers' business.
    EXPECT_EQ(editingSession().SelectedNodeCount, 2);
    EXPECT_EQ(editingSession().NodeCount, 2);
}

TEST_F(NodeMarkers, AHalfUnitCentreSurvivesHidingAndComesBackRoundedToEven) {
    AddNodeMarker(1000, 2000);
    page().at(0).setFrame(977, 1977, 1024, 2024); // moved by the user: centre 1000.5
    HideNodeMarkers();
    EXPECT_FLOAT_EQ(editingSession().NodeTable[1][0], 1000.5f);
    ShowNodeMarkers();
    // 976.5 and 1024.5 round to the even 976 and 1024.
    EXPECT_EQ(obj(0).x1, 976);
    EXPECT_EQ(obj(0).x2, 1024);
}

TEST_F(NodeMarkers, HidingWithNoMarkersDeletesNothingAndClearsTheSelection) {
    drawBox();
    drawBox();
    page().at(1).selected = true;
    editingSession().NodeCount = 7;
    HideNodeMarkers();
    EXPECT_EQ(editingSession().NodeCount, 0);
    EXPECT_EQ(page().count(), 2);
    EXPECT_EQ(page().selectedCount(), 0);
}

TEST_F(NodeMarkers, ANewPageShowsNoMarkers) {
    AddNodeMarker(1000, 2000);
    HideNodeMarkers();
    pageCanvas().NewDrawing();
    ShowNodeMarkers();
    EXPECT_EQ(page().count(), 0);
}

TEST_F(NodeMarkers, DeselectingTurnsOnlySelectedMarkersRed) {
    drawBox();
    page().at(0).style.fillColor = Blue; // a blue drawing object is no marker
    AddNodeMarker(1000, 2000);
    AddNodeMarker(2000, 2000);
    const QStringList before = draw::dumpDrawing(page());
    DeselectNodeMarkers();
    EXPECT_EQ(draw::dumpDrawing(page()), before);

    pick(2);
    DeselectNodeMarkers();
    EXPECT_EQ(draw::dumpDrawing(page()), before);
}

TEST_F(NodeMarkers, DrawingCommandsAndNodePickingKeepTheirOwnBuffers) {
    editingSession().SelectedNodes[1] = 1000;
    editingSession().SelectedNodes[2] = 2000;
    editingSession().SelectedNodeCount = 2;
    // A triangle drawn through the polygon buffer starts at the pen, not at a picked node.
    pageCanvas().SH(1);
    pageCanvas().SV(1);
    pageCanvas().Z(1, 1);
    pageCanvas().PR(1);
    pageCanvas().PU(1);
    pageCanvas().PFC(0);
    EXPECT_EQ(pageCanvas().PolyCount, 0);
    EXPECT_EQ(editingSession().SelectedNodeCount, 2);
    EXPECT_EQ(page().at(0).vertices.first(), QPoint(450, 4350));
    // A new page takes the markers away, and with them their selection.
    pageCanvas().NewDrawing();
    EXPECT_EQ(editingSession().SelectedNodeCount, 0);
}

TEST_F(NodeMarkers, MarkersBeyondTheTableStayOnThePage) {
    for (int i = 0; i < EditingSession::MaxNodes + 2; ++i) AddNodeMarker(100 + i, 100);
    HideNodeMarkers();
    EXPECT_EQ(editingSession().NodeCount, EditingSession::MaxNodes);
    EXPECT_EQ(page().count(), 2);
}
