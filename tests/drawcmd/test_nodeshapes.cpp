// SPDX-License-Identifier: GPL-3.0-or-later
// Vertices below are worked by hand at 600 units an inch: an arrow head is 90 units long and 72 wide,
// a lens side point i lies r·f from its tip along the axis and h·√f off it, f = 0.01, 0.03, .., 0.55.
#include "drawcmd/nodeshapes.h"
#include "drawtest.h"
#include "drawwin/nodemarkers.h"
#include "platform/uiservice.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QDir>
#include <QImage>
#include <algorithm>

namespace {

using draw::DrawObject;
constexpr int32_t Red = draw::RGB(255, 0, 0);
constexpr int32_t Blue = draw::RGB(0, 0, 255);
constexpr int32_t Green = draw::RGB(0, 128, 0);

class NodeShapes : public DrawCmdTest {
protected:
    void SetUp() override {
        DrawCmdTest::SetUp();
        modgw().FillPath = pf.file("fills/");
        QDir().mkpath(modgw().FillPath);
    }

    static void select(std::initializer_list<QPoint> nodes) {
        for (const QPoint& p : nodes)
            ASSERT_TRUE(AppendSelectedNode(p.x(), p.y()));
    }
    // Places a marker and picks it as a click does.
    static void markAndPick(int x, int y) {
        AddNodeMarker(x, y);
        page().ObjectId(last().id);
        ASSERT_EQ(PickNodeMarker(), NodePick::Selected);
    }
    static QVector<QPoint> pts(std::initializer_list<QPoint> p) { return QVector<QPoint>(p); }
    static void writeTempBmp() {
        QImage img(8, 8, QImage::Format_RGB32);
        img.fill(Qt::green);
        ASSERT_TRUE(img.save(modgw().FillPath + "Temp.bmp", "BMP"));
    }
    static std::vector<int32_t> nodeList() {
        const EditingSession& m = editingSession();
        return {m.SelectedNodes.begin() + 1, m.SelectedNodes.begin() + 1 + m.SelectedNodeCount};
    }

    TempProgramFolder pf;
    ScriptedUi ui_;
};

// ---- arrows

struct ArrowCase {
    QPoint from, to;
    QVector<QPoint> shaft, head;
};

TEST_F(NodeShapes, ArrowsPointAtTheNodePickedLastWithAStraightenedShaft) {
    const ArrowCase cases[] = {
        {{1000, 1000},
         {2000, 1000},
         pts({{2000, 1000}, {1000, 1000}}),
         pts({{2000, 1000}, {1910, 964}, {1910, 1036}})},
        {{1000, 2000},
         {1000, 1000},
         pts({{1000, 1000}, {1000, 2000}}),
         pts({{1000, 1000}, {964, 1090}, {1036, 1090}})},
        {{1000, 1000},
         {2000, 2000},
         pts({{2000, 2000}, {1000, 1000}}),
         pts({{2000, 2000}, {1962, 1911}, {1911, 1962}})},
        // 20 and 24 units off level are straightened, 25 is not
        {{1000, 1000},
         {2000, 1020},
         pts({{2000, 1020}, {1000, 1020}}),
         pts({{2000, 1020}, {1910, 984}, {1910, 1056}})},
        {{1000, 1000}, {2000, 1024}, pts({{2000, 1024}, {1000, 1024}}), {}},
        {{1000, 1000}, {2000, 1025}, pts({{2000, 1025}, {1000, 1000}}), {}},
        {{1000, 1000}, {1024, 2000}, pts({{1024, 2000}, {1024, 1000}}), {}},
        // both on one point: the head turns back along the x axis
        {{1000, 1000},
         {1000, 1000},
         pts({{1000, 1000}, {1000, 1000}}),
         pts({{1000, 1000}, {1090, 1036}, {1090, 964}})},
    };
    for (const ArrowCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.from.x() << "," << c.from.y() << " -> " << c.to.x() << "," << c.to.y());
        pageCanvas().NewDrawing();
        pageCanvas().CurrentLineColor = Green;
        select({c.from, c.to});
        MakeNodeArrow();
        ASSERT_EQ(objects(), 2);
        const DrawObject& shaft = obj(0);
        const DrawObject& head = obj(1);
        EXPECT_EQ(shaft.kind, draw::Polyline);
        EXPECT_EQ(shaft.vertices, c.shaft);
        if (!c.head.isEmpty()) EXPECT_EQ(head.vertices, c.head);
        EXPECT_EQ(head.kind, draw::Polygon);
        EXPECT_EQ(shaft.style.lineColor, Green);
        EXPECT_EQ(head.style.fill, draw::FillMode::Solid);
        EXPECT_EQ(head.style.fillColor, Green);
        EXPECT_EQ(head.style.lineStyle, draw::NoLine);
        EXPECT_TRUE(shaft.selected && head.selected); // moved together next
        EXPECT_EQ(page().currentId(), head.id);
        EXPECT_EQ(editingSession().SelectedNodeCount, 0);
        EXPECT_TRUE(shaft.tag("Fill").isEmpty() && head.tag("Color").isEmpty());
    }
}

TEST_F(NodeShapes, AThreeNodeArrowBendsAndItsHeadFollowsTheLastSegment) {
    select({{2000, 2000}, {2010, 1020}, {3000, 1000}});
    MakeNodeArrow();
    ASSERT_EQ(objects(), 2);
    EXPECT_EQ(obj(0).vertices, pts({{3000, 1000}, {2010, 1000}, {2010, 2000}}));
    EXPECT_EQ(obj(1).vertices, pts({{3000, 1000}, {2910, 964}, {2910, 1036}}));

    // the first node is straightened against the middle one as already straightened: 24 off 1000,
    // though 44 off the 1020 it was picked at
    c.NewDrawing();
    select({{1000, 976}, {2010, 1020}, {3000, 1000}});
    MakeNodeArrow();
    EXPECT_EQ(obj(0).vertices, pts({{3000, 1000}, {2010, 1000}, {1000, 1000}}));
}

TEST_F(NodeShapes, AnArrowOfAnotherCountOrOutOfRangeAddsNothingAndKeepsTheNodes) {
    select({{1000, 1000}, {1100, 1000}, {1200, 1000}, {1300, 1000}});
    ui_.answer(vb::OK, "You must select 2-3 nodes to create an arrow.");
    MakeNodeArrow();
    EXPECT_EQ(objects(), 0);
    EXPECT_EQ(editingSession().SelectedNodeCount, 8);

    c.NewDrawing();
    markAndPick(1000, 1000);
    markAndPick(40000, 1000); // 39000 apart: beyond a 16-bit difference
    const int before = objects();
    const std::vector<int32_t> nodes = nodeList();
    EXPECT_EQ(errorOf([] { MakeNodeArrow(); }), qmerr::Overflow);
    EXPECT_EQ(objects(), before);
    EXPECT_EQ(nodeList(), nodes);
    EXPECT_EQ(obj(0).style.fillColor, Blue);
    EXPECT_EQ(obj(1).tag("nodeselected"), "T");
}

// ---- lenses

const QPoint LensNodes[] = {{1000, 2000}, {2000, 1800}, {3000, 2000}, {2000, 2200}};

TEST_F(NodeShapes, AFourNodeLensRunsFromTheLeftTipOverTheTopAndBackAlongTheBottom) {
    select({LensNodes[0], LensNodes[1], LensNodes[2], LensNodes[3]});
    MakeNodeLens();
    ASSERT_EQ(objects(), 1);
    const QVector<QPoint>& v = obj(0).vertices;
    ASSERT_EQ(v.size(), 44);
    EXPECT_EQ(v.mid(0, 5), pts({{1000, 2000}, {1010, 1980}, {1030, 1965}, {1060, 1951}, {1100, 1937}}));
    EXPECT_EQ(v[10], QPoint(1550, 1852));
    EXPECT_EQ(v[11], QPoint(2000, 1800));
    EXPECT_EQ(v[12], QPoint(2450, 1852));
    EXPECT_EQ(v[21], QPoint(2990, 1980));
    EXPECT_EQ(v[22], QPoint(3000, 2000));
    EXPECT_EQ(v[23], QPoint(2990, 2020));
    EXPECT_EQ(v[33], QPoint(2000, 2200));
    EXPECT_EQ(v[34], QPoint(1550, 2148));
    EXPECT_EQ(v[43], QPoint(1010, 2020));
    EXPECT_EQ(editingSession().SelectedNodeCount, 0);
    EXPECT_EQ(page().currentId(), obj(0).id);

    // the same four nodes picked in every other order give the same polygon
    const QVector<QPoint> first = v;
    std::array<int, 4> order = {0, 1, 2, 3};
    while (std::next_permutation(order.begin(), order.end())) {
        c.NewDrawing();
        for (int i : order)
            AppendSelectedNode(LensNodes[i].x(), LensNodes[i].y());
        MakeNodeLens();
        ASSERT_EQ(objects(), 1);
        EXPECT_EQ(obj(0).vertices, first) << order[0] << order[1] << order[2] << order[3];
    }
}

TEST_F(NodeShapes, ALensTakesTheFirstOfTiedPairsAsTopAndBottom) {
    // pairs (1, 2) and (3, 4) are both 0 apart: nodes 1 and 2 are top and bottom
    select({{2000, 1800}, {2000, 2200}, {1000, 1900}, {1000, 2100}});
    MakeNodeLens();
    ASSERT_EQ(objects(), 1);
    EXPECT_EQ(obj(0).vertices[11], QPoint(2000, 1800));
    EXPECT_EQ(obj(0).vertices[33], QPoint(2000, 2200));
}

TEST_F(NodeShapes, AThreeNodeLensIsAHalfLensClosedByAStraightSide) {
    select({{1000, 2000}, {2000, 1800}, {2000, 2200}});
    MakeNodeLens();
    ASSERT_EQ(objects(), 1);
    const QVector<QPoint> left = obj(0).vertices;
    ASSERT_EQ(left.size(), 23);
    EXPECT_EQ(left.mid(0, 3), pts({{2000, 1800}, {1550, 1852}, {1450, 1866}}));
    EXPECT_EQ(left.mid(10, 3), pts({{1010, 1980}, {1000, 2000}, {1010, 2020}}));
    EXPECT_EQ(left.mid(21, 2), pts({{1550, 2148}, {2000, 2200}}));

    c.NewDrawing();
    select({{2000, 2200}, {3000, 2000}, {2000, 1800}});
    MakeNodeLens();
    const QVector<QPoint> right = obj(0).vertices;
    ASSERT_EQ(right.size(), 23);
    for (int i = 0; i < 23; ++i) // the mirror image about x = 2000
        EXPECT_EQ(right[i], QPoint(4000 - left[i].x(), left[i].y())) << i;
}

TEST_F(NodeShapes, ALensThatCannotBeBuiltAddsNothingAndLeavesTheNodesBlue) {
    struct Bad {
        QVector<QPoint> nodes;
        int error;
    } const cases[] = {
        {pts({{1000, 2000}, {2000, 2000}, {2010, 2000}, {3000, 2000}}), qmerr::DivisionByZero}, // no height
        {pts({{2000, 1800}, {2000, 2200}, {2000, 1000}, {3000, 2000}}),
         qmerr::DivisionByZero},                                                  // tip above centre
        {pts({{2000, 1800}, {2000, 2200}, {2000, 3000}}), qmerr::DivisionByZero}, // half lens, same
        {pts({{2000, 1800}, {2000, 2200}, {-48000, 2000}}), qmerr::Overflow},     // 50000 long
    };
    for (const Bad& c : cases) {
        pageCanvas().NewDrawing();
        for (const QPoint& p : c.nodes)
            markAndPick(p.x(), p.y());
        const int before = objects();
        const std::vector<int32_t> nodes = nodeList();
        EXPECT_EQ(errorOf([] { MakeNodeLens(); }), c.error);
        EXPECT_EQ(objects(), before);
        EXPECT_EQ(nodeList(), nodes);
        for (int i = 0; i < objects(); ++i)
            EXPECT_EQ(obj(i).style.fillColor, Blue);
    }

    c.NewDrawing();
    select({{1000, 1000}, {2000, 1000}});
    ui_.answer(vb::OK, "You must select 3-4 nodes to create a lens.");
    MakeNodeLens();
    EXPECT_EQ(objects(), 0);
    EXPECT_EQ(editingSession().SelectedNodeCount, 4);
}

// ---- fills and tags of node polygons and lenses

TEST_F(NodeShapes, NodePolygonsAreFilledFromThePaletteAndOutlinedBlack) {
    editingSession().CurrentFillColor = Green;
    page().CurrentObject(4);
    page().LineWidth(9);
    page().LineStyle(2);
    page().LineColor(Red);
    select({{1000, 1000}, {2000, 1000}, {1500, 2000}});
    MakeNodePolygon();
    ASSERT_EQ(objects(), 1);
    const DrawObject& solid = obj(0);
    EXPECT_EQ(solid.vertices, pts({{1000, 1000}, {2000, 1000}, {1500, 2000}}));
    EXPECT_EQ(solid.style.fill, draw::FillMode::Solid);
    EXPECT_EQ(solid.style.fillColor, Green);
    EXPECT_EQ(solid.tag("Fill"), "");
    EXPECT_EQ(solid.tag("Color"), QString::number(Green));
    EXPECT_EQ(solid.style.lineWidth, 4);
    EXPECT_EQ(solid.style.lineStyle, 0);
    EXPECT_EQ(solid.style.lineColor, draw::Black);
    EXPECT_EQ(pageCanvas().PenX, 1000); // the pen stands on the first node
    EXPECT_EQ(pageCanvas().PenY, 1000);

    writeTempBmp();
    editingSession().CurrentFillPattern = "F12_sc.bmp";
    select({LensNodes[0], LensNodes[1], LensNodes[2], LensNodes[3]});
    MakeNodeLens();
    ASSERT_EQ(objects(), 2);
    const DrawObject& lens = obj(1);
    EXPECT_EQ(lens.style.fill, draw::FillMode::Picture);
    EXPECT_EQ(lens.style.fillPicture.pixelColor(0, 0), QColor(Qt::green));
    EXPECT_EQ(lens.tag("Fill"), "F12.bmp");
    EXPECT_EQ(lens.tag("Color"), QString::number(Green));
    EXPECT_EQ(lens.style.lineWidth, 4);
    EXPECT_EQ(lens.style.lineColor, draw::Black);
}

TEST_F(NodeShapes, APatternFillThatCannotBeMadeAddsNothingAndKeepsTheNodes) {
    editingSession().CurrentFillPattern = "F12_sc.bmp"; // no Temp.bmp in the fills folder
    select({{1000, 1000}, {2000, 1000}, {1500, 2000}});
    EXPECT_EQ(errorOf([] { MakeNodePolygon(); }), qmerr::FileNotFound);
    select({{2500, 2000}});
    EXPECT_EQ(errorOf([] { MakeNodeLens(); }), qmerr::FileNotFound);
    EXPECT_EQ(objects(), 0);
    EXPECT_EQ(editingSession().SelectedNodeCount, 8);

    writeTempBmp();
    editingSession().CurrentFillPattern = "F1.bm"; // too short to name a print file
    EXPECT_EQ(errorOf([] { MakeNodePolygon(); }), qmerr::InvalidArgument);
    EXPECT_EQ(objects(), 0);
    EXPECT_EQ(editingSession().SelectedNodeCount, 8);

    // a solid "F0" name is never shortened
    editingSession().CurrentFillPattern = "F0";
    MakeNodePolygon();
    EXPECT_EQ(objects(), 1);
    EXPECT_EQ(PrintPatternName("f0_sc.bmp"), "f0.bmp"); // only a capital "F0" is solid
}

TEST_F(NodeShapes, OneNodeMakesAShapeOfOneVertexAndNoNodeMakesNothing) {
    MakeNodePolygon();
    MakeNodeLine();
    EXPECT_EQ(objects(), 0);
    select({{1200, 800}});
    MakeNodePolygon();
    select({{1200, 800}});
    MakeNodeLine();
    ASSERT_EQ(objects(), 2);
    EXPECT_EQ(obj(0).vertices.size(), 1);
    EXPECT_EQ(obj(1).vertices.size(), 1);
}

// ---- node lines

TEST_F(NodeShapes, NodeLinesGatherAtTheBackInTheOrderMadeAndMoveNothingElse) {
    page().CurrentObject(4);
    page().LineWidth(7);
    page().LineStyle(1);
    page().AddObject(draw::Rectangle, 100, 100, 900, 900);
    const draw::Long box = page().currentId();
    page().AddObject(draw::Ellipse, 200, 200, 800, 800);
    const draw::Long disc = page().currentId();
    page().ObjectSelected(true); // the user's selection stays where it is
    pageCanvas().CurrentLineColor = Green;

    const float penX = pageCanvas().PenX;
    QVector<draw::Long> lines;
    for (int i = 0; i < 3; ++i) {
        select({{100 * i, 0}, {100 * i, 500}});
        MakeNodeLine();
        lines.append(page().currentId());
        EXPECT_EQ(pageCanvas().PenX, penX);
    }
    ASSERT_EQ(objects(), 5);
    EXPECT_EQ(obj(0).id, lines[0]);
    EXPECT_EQ(obj(1).id, lines[1]);
    EXPECT_EQ(obj(2).id, lines[2]);
    EXPECT_EQ(obj(3).id, box);
    EXPECT_EQ(obj(4).id, disc);
    EXPECT_TRUE(obj(4).selected);
    EXPECT_EQ(editingSession().ShapeCounter, 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(obj(i).style.lineColor, Green);
        EXPECT_EQ(obj(i).style.lineWidth, 7); // the defaults' pen
        EXPECT_EQ(obj(i).style.lineStyle, 1);
        EXPECT_FALSE(obj(i).selected);
    }
}

// ---- selecting nodes

TEST_F(NodeShapes, DeselectingANodeTakesItsOwnCentreOffTheList) {
    markAndPick(1000, 1000);
    markAndPick(2000, 1000);
    markAndPick(3000, 1000);
    EXPECT_EQ(nodeList(), (std::vector<int32_t>{1000, 1000, 2000, 1000, 3000, 1000}));
    page().ObjectId(obj(0).id);
    EXPECT_EQ(PickNodeMarker(), NodePick::Deselected);
    EXPECT_EQ(obj(0).style.fillColor, Red);
    EXPECT_EQ(obj(0).tag("nodeselected"), "F");
    EXPECT_EQ(nodeList(), (std::vector<int32_t>{2000, 1000, 3000, 1000}));

    // a marker moved since it was picked gives back the last pair
    page().ObjectId(obj(1).id);
    page().SetObjectCoords(476, 476, 524, 524);
    EXPECT_EQ(PickNodeMarker(), NodePick::Deselected);
    EXPECT_EQ(nodeList(), (std::vector<int32_t>{2000, 1000}));

    page().AddObject(draw::Rectangle, 0, 0, 10, 10);
    EXPECT_EQ(PickNodeMarker(), NodePick::NotAMarker);
    EXPECT_EQ(nodeList(), (std::vector<int32_t>{2000, 1000}));
}

TEST_F(NodeShapes, A251stNodeStaysUnselectedAndUnlisted) {
    for (int i = 0; i < 250; ++i)
        ASSERT_TRUE(AppendSelectedNode(i, i));
    AddNodeMarker(5000, 3000);
    EXPECT_EQ(PickNodeMarker(), NodePick::ListFull);
    EXPECT_EQ(last().tag("nodeselected"), "F");
    EXPECT_EQ(last().style.fillColor, Red);
    EXPECT_EQ(editingSession().SelectedNodeCount, 500);
    RemoveSelectedNode(7, 7);
    EXPECT_EQ(editingSession().SelectedNodeCount, 498);
    EXPECT_EQ(editingSession().SelectedNodes[15], 8); // the pairs after it moved up
}

// ---- free-shape tools

TEST_F(NodeShapes, FreeToolsSetTheModeAndMakeAnInvisibleShapePenVisible) {
    struct Tool {
        FreeToolResult (*set)();
        int number, kind;
        bool reset;
    } const tools[] = {
        {SetToolPolygon, 1, 9, false},    {SetToolLine, 2, 8, true},    {SetToolRectangle, 3, 2, true},
        {SetToolRoundedRect, 4, 3, true}, {SetToolEllipse, 5, 4, true}, {SetToolText, 6, 10, false},
        {SetToolImage, 7, 12, false},
    };
    for (const Tool& t : tools) {
        SCOPED_TRACE(t.number);
        page().CurrentObject(4);
        page().LineStyle(draw::NoLine);
        page().LineWidth(1);
        page().AddObject(draw::Rectangle, 0, 0, 10, 10); // the tool addresses the defaults, not this
        const FreeToolResult r = t.set();
        EXPECT_EQ(r.FreeShapeTool, t.number);
        EXPECT_EQ(r.EditMode, t.kind);
        EXPECT_EQ(r.PenReset, t.reset);
        EXPECT_EQ(page().EditMode(), t.kind);
        EXPECT_EQ(page().CurrentObject(), 4);
        EXPECT_EQ(page().defaults().lineStyle, t.reset ? 0 : int(draw::NoLine));
        EXPECT_EQ(page().defaults().lineWidth, t.reset ? 4 : 1);
        EXPECT_EQ(last().style.lineWidth, 1);
        EXPECT_EQ(SetFreeTool(t.number).FreeShapeTool, t.number);
    }

    page().CurrentObject(4);
    page().LineStyle(3);
    page().LineWidth(2);
    EXPECT_FALSE(SetToolLine().PenReset);
    EXPECT_EQ(page().defaults().lineStyle, 3);
    EXPECT_EQ(page().defaults().lineWidth, 2);
    EXPECT_EQ(SetFreeTool(8).FreeShapeTool, 0);
}

} // namespace
