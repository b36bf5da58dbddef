// SPDX-License-Identifier: GPL-3.0-or-later
// The toolbar's commands and the page events that finish a tool's work, without the window: buttons
// go in and come out as ToolButtons, the page is the drawing commands' control.
#include "drawcmd/drawtest.h"
#include "drawwin/drawwinstate.h"
#include "drawwin/nodemarkers.h"
#include "drawwin/palette.h"
#include "drawwin/shippedpictures.h"
#include "drawwin/toolbar.h"
#include "platform/drawing/objecttags.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

namespace {

using namespace toolbar;
constexpr int32_t Red = draw::RGB(255, 0, 0);
constexpr int32_t Blue = draw::RGB(0, 0, 255);
const int ModeButtons[] = {1, 3, 4, 11, 12, 13, 14, 15, 16, 17};

class Toolbar : public DrawCmdTest {
protected:
    void SetUp() override {
        DrawCmdTest::SetUp();
        modgw().FillPath = pf.file("fills/");
        QDir().mkpath(modgw().FillPath);
    }
    ToolbarOutcome click(int position, const char* key) {
        if (position) b.Value[size_t(position)] = b.down(position) ? 0 : 1; // a check button toggles first
        return ToolbarButtonClick(QString::fromLatin1(key), b, pal);
    }
    QList<int> downButtons() const {
        QList<int> out;
        for (int i = 1; i <= ButtonCount; ++i)
            if (b.down(i)) out << i;
        return out;
    }
    // A symbol bitmap on disk.
    QString symbolFile() {
        const QString path = pf.file("symbols/well.bmp");
        QDir().mkpath(pf.file("symbols"));
        QImage img(8, 8, QImage::Format_RGB32);
        img.fill(Qt::black);
        img.save(path, "BMP");
        return path;
    }
    static draw::DrawObject& last() { return page().at(page().count() - 1); }
    // Picks the marker with this id as the window's click does.
    static void pickMarker(draw::Long id) {
        page().ObjectId(id);
        NodeObjectClicked();
    }
    static draw::Long marker(int x, int y) {
        AddNodeMarker(x, y);
        return page().ObjectId();
    }
    static QList<int> nodes() {
        QList<int> out;
        for (int k = 1; k <= editingSession().SelectedNodeCount; ++k) out << editingSession().SelectedNodes[size_t(k)];
        return out;
    }

    TempProgramFolder pf;
    ScriptedUi ui;
    ToolButtons b;
    MDrawPro pal;
};

} // namespace

TEST_F(Toolbar, EveryModeButtonPutDownReleasesEveryOtherModeButton) {
    b.Value[FreeImage] = 0;
    drawwin().SymbolFile = symbolFile();
    const char* keys[] = {"Add Node", "", "Select Objects", "Rotate Objects", "", "", "", "", "", "",
                          "Free Polygon", "Free Line", "Free Rectangle", "Free Rounded Rect", "Free Ellipse",
                          "Free Text", "Free Image"};
    for (int m : ModeButtons) {
        for (int o : ModeButtons) b.Value[size_t(o)] = o == m ? 0 : 1;
        click(m, keys[m - 1]);
        EXPECT_EQ(downButtons(), QList<int>{m}) << keys[m - 1];
    }
    EXPECT_EQ(page().EditMode(), 12);
    EXPECT_EQ(drawwin().FreeShapeTool, 7);
}

TEST_F(Toolbar, FreeLineOverFreeRectangleThenReleasedKeepsTheTool) {
    click(13, "Free Rectangle");
    EXPECT_EQ(page().EditMode(), 2);
    click(12, "Free Line");
    EXPECT_EQ(downButtons(), QList<int>{12});
    EXPECT_EQ(page().EditMode(), 8);
    EXPECT_EQ(drawwin().FreeShapeTool, 2);
    click(12, "Free Line");
    EXPECT_TRUE(downButtons().isEmpty());
    EXPECT_EQ(page().EditMode(), 0);
    EXPECT_EQ(drawwin().FreeShapeTool, 2);
}

TEST_F(Toolbar, LineToolsMakeAnInvisibleDefaultPenSolidAndRedrawTheSample) {
    shipped::WriteMissing();
    createFillPalette(pal, page(), [] {});
    const draw::DrawObject* widthMarker = pal.find(29);
    ASSERT_TRUE(widthMarker);
    pal.ObjectId(29);
    pal.SetObjectCoords(widthMarker->x1, 5300, widthMarker->x2, 5300 + (widthMarker->y2 - widthMarker->y1));

    page().defaults().lineStyle = 3;
    page().defaults().lineWidth = 2;
    click(12, "Free Line");
    EXPECT_EQ(page().defaults().lineStyle, 3);
    EXPECT_EQ(page().defaults().lineWidth, 2);
    EXPECT_EQ(pal.find(29)->y1, 5300) << "no reset, no redraw";

    page().defaults().lineStyle = 5;
    click(11, "Free Polygon");
    EXPECT_EQ(page().defaults().lineStyle, 5) << "the polygon tool keeps the pen";

    click(15, "Free Ellipse");
    EXPECT_EQ(page().defaults().lineStyle, 0);
    EXPECT_EQ(page().defaults().lineWidth, 4);
    EXPECT_NE(pal.find(29)->y1, 5300);
}

TEST_F(Toolbar, PagingButtonsOtherThanNextPageDoNothing) {
    page().EditMode(11);
    b.Value[3] = 1;
    EXPECT_EQ(click(0, "Previous Page"), ToolbarOutcome::Done);
    EXPECT_EQ(click(0, "Goto Page"), ToolbarOutcome::Done);
    EXPECT_EQ(click(0, ""), ToolbarOutcome::Done);
    EXPECT_EQ(page().EditMode(), 11);
    EXPECT_EQ(downButtons(), QList<int>{3});
    EXPECT_EQ(click(0, "Next Page"), ToolbarOutcome::NextPage);
    EXPECT_TRUE(ui.texts.isEmpty());
}

TEST_F(Toolbar, ShowHideNodesTwiceHidesThenBringsBackEveryMarkerUnselected) {
    const draw::Long a = marker(1000, 2000);
    marker(3000, 2000);
    pickMarker(a);
    click(0, "ShowHide Nodes");
    EXPECT_EQ(b.NodesImage, "hidenode");
    EXPECT_EQ(page().count(), 0);
    EXPECT_EQ(editingSession().NodesHidden, 1);
    click(0, "ShowHide Nodes");
    EXPECT_EQ(b.NodesImage, "shownode");
    ASSERT_EQ(page().count(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(page().at(i).tag(draw::tags::NodeSelected), "F");
        EXPECT_EQ(page().at(i).style.fillColor, Red);
    }
    EXPECT_EQ(page().at(0).x1, 976);
}

TEST_F(Toolbar, FreeImageWithoutASymbolSaysSoAndLeavesTheModeAsItWas) {
    click(13, "Free Rectangle");
    ui.answer(vb::OK, "Please select a Symbol File before attempting to place a symbol.");
    click(17, "Free Image");
    EXPECT_EQ(downButtons(), (QList<int>{13, 17}));
    EXPECT_EQ(page().EditMode(), 2);
    EXPECT_EQ(drawwin().FreeShapeTool, 3);
}

TEST_F(Toolbar, FontDialogSetsNewTextSizeAndEscapeGivesTheNewTextItsHeight) {
    FontChoice twelve;
    twelve.family = "Times New Roman";
    twelve.size = 12;
    ui.font(twelve);
    click(0, "Free Text Dialog");
    ASSERT_EQ(ui.fontRequests.size(), 1);
    EXPECT_EQ(ui.fontRequests[0].size, 10);
    EXPECT_EQ(ui.fontFlags[0], 259);
    EXPECT_EQ(drawwin().TextPointSize, 12);
    EXPECT_EQ(page().defaults().fontName, "Times New Roman");

    click(16, "Free Text");
    page().AddObject(draw::Text, 600, 600, 600, 600);
    page().TextString("Well 4");
    ObjectDrawn(page().ObjectId());
    DrawingKeyDown(27);
    EXPECT_DOUBLE_EQ(last().style.textHeight, -100);

    // Styled once: a second Escape leaves a later change alone.
    last().style.textHeight = -50;
    DrawingKeyDown(27);
    EXPECT_DOUBLE_EQ(last().style.textHeight, -50);
}

TEST_F(Toolbar, FontDialogOnASelectedTextOpensOnItsPointSizeAndKeepsItsHeightBelowSix) {
    page().AddObject(draw::Text, 600, 600, 600, 600);
    page().TextString("Well 4");
    page().TextHeight(-100);
    page().ObjectSelected(true);
    FontChoice four;
    four.family = "Courier New";
    four.size = 4;
    four.bold = true;
    four.color = Blue;
    ui.font(four);
    click(0, "Free Text Dialog");
    EXPECT_EQ(ui.fontRequests[0].size, 12) << "|-100| x 72 / 600";
    EXPECT_DOUBLE_EQ(last().style.textHeight, -100);
    EXPECT_EQ(last().style.fontName, "Courier New");
    EXPECT_TRUE(last().style.textBold);
    EXPECT_EQ(last().style.textColor, Blue);
    EXPECT_EQ(drawwin().TextPointSize, 10);

    four.size = 18;
    ui.font(four);
    click(0, "Free Text Dialog");
    EXPECT_DOUBLE_EQ(last().style.textHeight, -150);
}

TEST_F(Toolbar, FontSizesRoundHalfToEvenAndCancelChangesNothingSilently) {
    FontChoice c;
    c.family = "Arial";
    c.size = 10.5;
    ui.font(c);
    click(0, "Free Text Dialog");
    EXPECT_EQ(drawwin().TextPointSize, 10);
    ui.font(std::nullopt);
    click(0, "Free Text Dialog");
    EXPECT_EQ(drawwin().TextPointSize, 10);
    EXPECT_TRUE(ui.texts.isEmpty());
    EXPECT_EQ(PointsOfTextHeight(-100, 600), 12);
    EXPECT_EQ(PointsOfTextHeight(87.5, 600), 10);
}

TEST_F(Toolbar, SymbolDialogReleasesEveryModeButtonAndCancelKeepsTheSymbol) {
    drawwin().SymbolFile = "/keep/me.bmp";
    modgw().SymbolPath = pf.file("symbols/");
    for (int m : ModeButtons) b.Value[size_t(m)] = 1;
    page().EditMode(4);
    ui.file("", "Select Symbol File");
    click(0, "Free Image Dialog");
    EXPECT_TRUE(downButtons().isEmpty());
    EXPECT_EQ(page().EditMode(), 0);
    EXPECT_EQ(drawwin().SymbolFile, "/keep/me.bmp");
    ASSERT_EQ(ui.fileRequests.size(), 1);
    EXPECT_EQ(ui.fileRequests[0].filter, "Windows Bitmap (*.bmp)|*.bmp");
    EXPECT_EQ(ui.fileRequests[0].defaultExt, "bmp");
    EXPECT_EQ(ui.fileRequests[0].initDir, pf.file("symbols/"));

    const QString sym = symbolFile();
    ui.file(sym);
    click(0, "Free Image Dialog");
    EXPECT_EQ(drawwin().SymbolFile, sym);
}

TEST_F(Toolbar, NodeShapesNeedTheirNodeCountsAndPolygonWithoutNodesStillDeselects) {
    const draw::Long a = marker(1000, 2000), c = marker(3000, 2000);
    pickMarker(a);
    pickMarker(c);
    ui.answer(vb::OK, "You must select 3-4 nodes to create a lens.");
    click(0, "Add Node Lens");
    EXPECT_EQ(page().count(), 2);
    EXPECT_EQ(editingSession().SelectedNodeCount, 4);
    EXPECT_EQ(page().find(a)->style.fillColor, Blue);

    marker(2000, 1800);
    pickMarker(page().ObjectId());
    marker(2000, 2200);
    pickMarker(page().ObjectId());
    ui.answer(vb::OK, "You must select 2-3 nodes to create an arrow.");
    click(0, "Add Node Arrow");
    EXPECT_EQ(page().count(), 4);

    click(0, "Add Node Lens");
    EXPECT_EQ(page().count(), 5);
    EXPECT_EQ(last().kind, draw::Polygon);
    EXPECT_EQ(editingSession().SelectedNodeCount, 0);
    EXPECT_EQ(page().find(a)->tag(draw::tags::NodeSelected), "F");
    EXPECT_EQ(page().find(a)->style.fillColor, Red);

    pickMarker(a);
    editingSession().SelectedNodeCount = 0; // the list emptied while a marker still shows blue
    click(0, "Add Node Polygon");
    EXPECT_EQ(page().count(), 5);
    EXPECT_EQ(page().find(a)->style.fillColor, Red);
}

TEST_F(Toolbar, DeselectingANodeRemovesItsOwnCentre) {
    const draw::Long a = marker(1000, 1000), m = marker(2000, 1000), c = marker(3000, 1000);
    pickMarker(a);
    pickMarker(m);
    pickMarker(c);
    EXPECT_EQ(nodes(), (QList<int>{1000, 1000, 2000, 1000, 3000, 1000}));
    EXPECT_EQ(drawwin().DrawingModified, 1);
    pickMarker(m);
    EXPECT_EQ(nodes(), (QList<int>{1000, 1000, 3000, 1000}));
    EXPECT_EQ(page().find(m)->style.fillColor, Red);

    // A marker moved since it was picked no longer finds its centre: the last pair goes.
    page().find(a)->offset(50, 0);
    pickMarker(a);
    EXPECT_EQ(nodes(), (QList<int>{1000, 1000}));

    // Objects that are no markers are left alone.
    page().AddObject(draw::Rectangle, 0, 0, 100, 100);
    NodeObjectClicked();
    EXPECT_EQ(nodes(), (QList<int>{1000, 1000}));
}

TEST_F(Toolbar, A251stNodeStaysUnselectedAndUnlisted) {
    for (int i = 0; i < 250; ++i) pickMarker(marker(100 + 20 * i, 1000));
    EXPECT_EQ(editingSession().SelectedNodeCount, 500);
    const draw::Long extra = marker(100, 3000);
    pickMarker(extra);
    EXPECT_EQ(editingSession().SelectedNodeCount, 500);
    EXPECT_EQ(page().find(extra)->tag(draw::tags::NodeSelected), "F");
    EXPECT_EQ(page().find(extra)->style.fillColor, Red);
}

TEST_F(Toolbar, EscapeStylesOnlyTheShapeTheFreeToolJustDrew) {
    pageCanvas().CurrentLineColor = Blue;
    click(12, "Free Line");
    // A selected object elsewhere must neither move in the stacking order nor take the style.
    page().AddObject(draw::Rectangle, 0, 0, 100, 100);
    const draw::Long other = page().ObjectId();
    page().ObjectSelected(true);
    page().AddObject(draw::Polyline, 0, 0, 0, 0);
    const draw::Long line = page().ObjectId();
    ObjectDrawn(line);
    DrawingKeyDown(27);
    EXPECT_EQ(page().indexOf(line), 0);
    EXPECT_EQ(page().indexOf(other), 1);
    EXPECT_EQ(page().find(line)->style.lineColor, Blue);
    EXPECT_EQ(editingSession().ShapeCounter, 1);

    // Escape with nothing just drawn only marks the drawing changed; the current object stays as is.
    drawwin().DrawingModified = 0;
    page().ObjectId(other);
    DrawingKeyDown(27);
    EXPECT_EQ(page().indexOf(other), 1);
    EXPECT_EQ(editingSession().ShapeCounter, 1);
    EXPECT_EQ(drawwin().DrawingModified, 1);

    // A rectangle drawn with a line tool chosen is not a line to restack.
    page().AddObject(draw::Rectangle, 200, 200, 300, 300);
    ObjectDrawn(page().ObjectId());
    DrawingKeyDown(27);
    EXPECT_EQ(page().indexOf(page().ObjectId()), 2);
}

TEST_F(Toolbar, EscapeFillsAFreePolygonSolidFromThePalette) {
    editingSession().CurrentFillPattern = "F0_sc.bmp";
    editingSession().CurrentFillColor = draw::RGB(0, 200, 0);
    click(11, "Free Polygon");
    page().AddObject(draw::Polygon, 0, 0, 0, 0);
    ObjectDrawn(page().ObjectId());
    DrawingKeyDown(27);
    EXPECT_EQ(last().style.fillColor, draw::RGB(0, 200, 0));
    EXPECT_EQ(last().tag(draw::tags::Fill), "");
    EXPECT_EQ(last().tag(draw::tags::Color), QString::number(draw::RGB(0, 200, 0)));
    EXPECT_EQ(last().style.lineWidth, 4);
}

TEST_F(Toolbar, ASymbolReplacesOnlyTheFrameItsGestureDrew) {
    page().AddObject(draw::Rectangle, 0, 0, 100, 100);
    PlaceSymbol(0);
    EXPECT_EQ(page().count(), 1) << "a click without a frame deletes nothing";

    drawwin().SymbolFile = symbolFile();
    page().AddObject(draw::Bitmap, 600, 600, 900, 800);
    const draw::Long frame = page().ObjectId();
    PlaceSymbol(frame);
    ASSERT_EQ(page().count(), 2);
    EXPECT_EQ(page().find(frame), nullptr);
    EXPECT_EQ(last().kind, draw::Bitmap);
    EXPECT_EQ(QRect(QPoint(last().x1, last().y1), QPoint(last().x2, last().y2)), QRect(QPoint(600, 600), QPoint(900, 800)));
    EXPECT_EQ(last().picture.size(), QSize(8, 8));
    EXPECT_EQ(last().style.pictureBackColor, draw::White);
    EXPECT_FALSE(last().selected);
    EXPECT_EQ(drawwin().DrawingModified, 1);

    drawwin().SymbolFile = pf.file("gone.bmp");
    page().AddObject(draw::Bitmap, 0, 0, 50, 50);
    ui.answer(vb::OK, "Please select a Symbol File before attempting to place a symbol.");
    PlaceSymbol(page().ObjectId());
    EXPECT_EQ(page().count(), 2);
}

TEST_F(Toolbar, ToolsMenuCommandsSetTheButtonsThemselves) {
    b.Value[12] = 1;
    page().EditMode(8);
    AddNodesMenu(b);
    EXPECT_EQ(downButtons(), QList<int>{1});
    EXPECT_EQ(page().EditMode(), 0);
    page().EditMode(4);
    AddNodesMenu(b);
    EXPECT_TRUE(downButtons().isEmpty());
    EXPECT_EQ(page().EditMode(), 4) << "releasing Add Node leaves the mode";

    SelectMenu(b);
    EXPECT_EQ(downButtons(), QList<int>{3});
    EXPECT_EQ(page().EditMode(), 11);
    SelectMenu(b);
    EXPECT_TRUE(downButtons().isEmpty());
    EXPECT_EQ(page().EditMode(), 0);
}

TEST_F(Toolbar, KeysAndMarkersMarkTheDrawingChanged) {
    DrawingKeyDown(65);
    EXPECT_EQ(drawwin().DrawingModified, 1);
    drawwin().DrawingModified = 0;
    AddNodeAt(1000.4, 1999.5);
    EXPECT_EQ(drawwin().DrawingModified, 1);
    EXPECT_EQ(QRect(QPoint(last().x1, last().y1), QPoint(last().x2, last().y2)),
              QRect(QPoint(976, 1976), QPoint(1024, 2024)));
}
