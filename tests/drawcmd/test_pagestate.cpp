// SPDX-License-Identifier: GPL-3.0-or-later
// The page model, the pen, origin and scale commands, line settings and the tagging rule.
#include "drawtest.h"

#include "support/scriptedui.h"

using PageState = DrawCmdTest;

TEST_F(PageState, NewDrawingSizesTheSheetFromThePaperAndRecordsTheSize) {
    Metaugl& m = pageCanvas();
    EXPECT_EQ(page().PageWidth(), 6300);
    EXPECT_EQ(page().PageHeight(), 4800);
    EXPECT_EQ(page().UnitsWidth(), 6300);
    EXPECT_EQ(page().UnitsHeight(), 4800);
    EXPECT_EQ(modgw().LastPageSize, "6300,4800");
    EXPECT_EQ(m.PageSizeChanged, 1);
    EXPECT_EQ(m.UnitsPerInch, 600);
    EXPECT_FLOAT_EQ(m.DrawableHeightInches, 8.0f);

    // The same size again is no change; no size at all is a portrait letter page.
    m.PageSizeChanged = 0;
    c.NewDrawing();
    EXPECT_EQ(m.PageSizeChanged, 0);
    m.PaperWidth = 0;
    c.NewDrawing();
    EXPECT_FLOAT_EQ(m.PaperWidth, 8.5f);
    EXPECT_FLOAT_EQ(m.PaperHeight, 11.0f);
    EXPECT_EQ(page().PageWidth(), 4800);
    EXPECT_EQ(page().PageHeight(), 6300);
    EXPECT_EQ(modgw().LastPageSize, "4800,6300");
    EXPECT_EQ(m.PageSizeChanged, 1);
}

TEST_F(PageState, NewDrawingEmptiesTheSheetAndResetsTextAndDefaultsButKeepsThePen) {
    Metaugl& m = pageCanvas();
    c.Z(2, 3);
    c.SH(2);
    c.LT(5);
    c.LW(2);
    c.AP(20);
    c.AC();
    c.AD(45);
    m.CurrentGroupName = QStringLiteral("g");
    c.PR(1);
    editingSession().NodeCount = 7;
    editingSession().ShapeCounter = 3;
    page().CurrentObject(4);
    page().LineStyle(3);
    page().FontName(QStringLiteral("Courier New"));
    c.LR(1);
    const float penX = m.PenX, originY = m.OriginY;

    c.NewDrawing();
    EXPECT_EQ(objects(), 0);
    EXPECT_FLOAT_EQ(m.PenX, penX);
    EXPECT_FLOAT_EQ(m.OriginY, originY);
    EXPECT_FLOAT_EQ(m.HorizontalScale, 2);
    EXPECT_EQ(m.CurrentLineType, 2);
    EXPECT_EQ(m.CurrentLineWidth, 8);
    EXPECT_EQ(m.CurrentGroupName, "g");
    EXPECT_EQ(m.PolyCount, 4);
    EXPECT_EQ(editingSession().NodeCount, 0);
    EXPECT_EQ(editingSession().ShapeCounter, 0);
    EXPECT_EQ(m.CurrentTextAlign, 0);
    EXPECT_DOUBLE_EQ(m.CurrentTextHeight, -83.3);
    EXPECT_DOUBLE_EQ(m.CurrentTextAngle, 0);
    const draw::Style& d = page().defaults();
    EXPECT_EQ(d.lineStyle, 0);
    EXPECT_EQ(d.lineWidth, 4);
    EXPECT_EQ(d.fontName, "Arial");
    EXPECT_DOUBLE_EQ(d.textHeight, -83.3);
    EXPECT_EQ(d.textMode, 1);
    EXPECT_TRUE(page().DrawOptions() & 4096);
    EXPECT_EQ(page().BackgroundColor(), draw::White);

    // Ids start again at 1 on each new drawing.
    m.CurrentGroupName.clear();
    c.LR(1);
    EXPECT_EQ(last().id, 1);
}

TEST_F(PageState, NewDrawingReportsItsOwnErrors) {
    ScriptedUi ui;
    ui.answer(vb::OK, QStringLiteral("Error 6 in metaugl-NewDrawing.  Please contact Kalvex"));
    pageCanvas().PaperWidth = 1e7f; // a sheet beyond the Long range
    c.NewDrawing();
    EXPECT_EQ(ui.texts.size(), 1);
}

TEST_F(PageState, ZPlacesOriginAndPenOnThePaperMeasuredFromItsLowerLeftCorner) {
    Metaugl& m = pageCanvas();
    c.Z(0.25f, 0.25f);
    EXPECT_FLOAT_EQ(m.OriginX, 0);
    EXPECT_FLOAT_EQ(m.OriginY, 4800);
    c.Z(0.25f, 8.25f);
    EXPECT_FLOAT_EQ(m.OriginY, 0);
    c.Z(1, 2); // 0.75 in from the sheet's left, 6.25 in from its top
    EXPECT_FLOAT_EQ(m.OriginX, 450);
    EXPECT_FLOAT_EQ(m.OriginY, 3750);
    EXPECT_FLOAT_EQ(m.PenX, 450);
    EXPECT_FLOAT_EQ(m.PenY, 3750);
    // Scales of 0 become 1, others stay.
    EXPECT_FLOAT_EQ(m.HorizontalScale, 1);
    EXPECT_FLOAT_EQ(m.VerticalScale, 1);
    c.SH(2);
    c.Z(1, 2);
    EXPECT_FLOAT_EQ(m.HorizontalScale, 2);
}

TEST_F(PageState, PenMovesDivideByTheUserScales) {
    Metaugl& m = pageCanvas();
    c.Z(1, 2);
    c.SH(2);
    c.SR(1);
    EXPECT_FLOAT_EQ(m.PenX, 750); // 300 units, not 1200
    c.SL(0.5f);
    EXPECT_FLOAT_EQ(m.PenX, 600);
    c.SV(0.5f);
    c.SU(1);
    EXPECT_FLOAT_EQ(m.PenY, 3750 - 1200);
    c.SD(0.25f);
    EXPECT_FLOAT_EQ(m.PenY, 3750 - 900);
    c.ZC();
    EXPECT_FLOAT_EQ(m.OriginX, 600);
    EXPECT_FLOAT_EQ(m.OriginY, 2850);
}

TEST_F(PageState, SMovesEachCoordinateOnlyWhenItStaysOnTheSheet) {
    Metaugl& m = pageCanvas();
    c.Z(1, 2);
    c.S(2, 1);
    EXPECT_FLOAT_EQ(m.PenX, 1650);
    EXPECT_FLOAT_EQ(m.PenY, 3150);
    c.S(-1, 3); // x would be 450 - 600 < 0
    EXPECT_FLOAT_EQ(m.PenX, 1650);
    EXPECT_FLOAT_EQ(m.PenY, 1950);
    c.S(20, -2); // x beyond 6300, y 4950 beyond 4800: nothing moves
    EXPECT_FLOAT_EQ(m.PenX, 1650);
    EXPECT_FLOAT_EQ(m.PenY, 1950);
    c.S(0, -1.75f); // exactly on the lower edge
    EXPECT_FLOAT_EQ(m.PenY, 4800);
}

TEST_F(PageState, LineTypesMapToPenStylesAndSetTheWidthWhenThickDashesAreOff) {
    Metaugl& m = pageCanvas();
    const int16_t style[8] = {0, 0, 1, 3, 4, 2, 6, 5};
    for (int16_t n = 1; n <= 7; ++n) {
        m.CurrentLineWidth = 12;
        c.LT(n);
        EXPECT_EQ(m.CurrentLineType, style[n]) << n;
        EXPECT_EQ(m.CurrentLineWidth, n == 6 ? 12 : n == 1 ? 4 : 1) << n;
    }
    c.LT(0);
    EXPECT_EQ(m.CurrentLineType, 0);
    c.LT(8);
    EXPECT_EQ(m.CurrentLineType, 0);
    c.LT(-3);
    EXPECT_EQ(m.CurrentLineType, 0);

    modgw().ThickDashedLines = QStringLiteral("1");
    m.CurrentLineWidth = 12;
    c.LT(5);
    EXPECT_EQ(m.CurrentLineType, 2);
    EXPECT_EQ(m.CurrentLineWidth, 12);
    modgw().ThickDashedLines = QStringLiteral(" 0 (off)");
    c.LT(5);
    EXPECT_EQ(m.CurrentLineWidth, 1);
}

TEST_F(PageState, LineWidthsAreClampedAndCountFourUnitsAStep) {
    Metaugl& m = pageCanvas();
    c.LW(-3);
    EXPECT_EQ(m.CurrentLineWidth, 0);
    c.LW(3);
    EXPECT_EQ(m.CurrentLineWidth, 12);
    c.LW(9);
    EXPECT_EQ(m.CurrentLineWidth, 20);
}

TEST_F(PageState, CoordinatesAreRoundedHalfToEvenOnlyWhenHandedToTheControl) {
    Metaugl& m = pageCanvas();
    penAt(0, 600);
    m.PenX = 100.5f;
    c.LR(0);
    EXPECT_EQ(last().x1, 100);
    m.PenX = 101.5f;
    c.LR(0);
    EXPECT_EQ(last().x1, 102);
    EXPECT_FLOAT_EQ(m.PenX, 101.5f); // the pen keeps its fraction
}

TEST_F(PageState, ScaleOfZeroAndCoordinatesBeyondLongAreRaisedAndAddNothing) {
    Metaugl& m = pageCanvas();
    c.Z(1, 2);
    c.SH(0);
    EXPECT_EQ(errorOf([&] { c.LR(1); }), 11);
    EXPECT_EQ(errorOf([&] { c.SR(1); }), 11);
    EXPECT_EQ(errorOf([&] { c.S(1, 1); }), 11);
    c.SH(1);
    c.SV(0);
    EXPECT_EQ(errorOf([&] { c.LU(1); }), 11);
    EXPECT_EQ(errorOf([&] { c.RE(1, 1); }), 11);
    EXPECT_EQ(objects(), 0);
    c.SV(1e-7f); // 600 / 1e-7 units: beyond the Long range
    EXPECT_EQ(errorOf([&] { c.LD(1); }), 6);
    EXPECT_EQ(objects(), 0);
    EXPECT_FLOAT_EQ(m.PenY, 3750);
}

TEST_F(PageState, EveryAddedObjectIsTaggedWithTheCurrentNames) {
    Metaugl& m = pageCanvas();
    penAt(600, 600);
    m.CurrentGroupName = QStringLiteral("graphicssystem");
    m.CurrentObjName = QStringLiteral("datefile");
    c.LR(1);
    c.A(QStringLiteral("x"));
    c.C(0.1f);
    m.CurrentGroupName.clear();
    c.RE(1, 1);
    m.CurrentObjName.clear();
    m.CurrentGroupName = QStringLiteral("table");
    c.PR(1);
    c.PU(1);
    c.PFC(0);
    m.CurrentGroupName.clear();
    c.LL(1);
    ASSERT_EQ(objects(), 6);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(obj(i).tag(QStringLiteral("groupname")), "graphicssystem") << i;
        EXPECT_EQ(obj(i).tag(QStringLiteral("objname")), "datefile") << i;
    }
    EXPECT_EQ(obj(3).tag(QStringLiteral("groupname")), "");
    EXPECT_EQ(obj(3).tag(QStringLiteral("objname")), "datefile");
    EXPECT_EQ(obj(4).tags.size(), 1);
    EXPECT_EQ(obj(4).tag(QStringLiteral("groupname")), "table");
    EXPECT_TRUE(obj(5).tags.isEmpty());
}
