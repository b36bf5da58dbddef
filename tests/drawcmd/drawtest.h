// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawcmd/editingsession.h"
#include "drawcmd/pagecanvas.h"
#include "drawcmd/undorecord.h"
#include "platform/drawing/drawdump.h"
#include "platform/qmerror.h"
#include "project/modgw.h"
#include "support/errorof.h"
#include "support/programstate.h"

#include <gtest/gtest.h>

// A fresh drawing state and an empty 11 by 8.5 inch page (sheet 6300 by 4800 units), thick dashed
// lines off.
class DrawCmdTest : public ProgramStateTest {
protected:
    void SetUp() override {
        modgw().ThickDashedLines = QStringLiteral("0");
        c.PaperWidth = 11;
        c.PaperHeight = 8.5f;
        c.NewDrawing();
    }

    // The page's canvas, which the commands under test draw on.
    PageCanvas& c = pageCanvas();

    static MDrawPro& page() { return pageDrawing(); }
    static int objects() { return pageDrawing().count(); }
    static const draw::DrawObject& obj(int i) { return pageDrawing().at(i); }
    static const draw::DrawObject& last() { return pageDrawing().at(pageDrawing().count() - 1); }

    // Puts the pen at (x, y) drawing units, scales 1: Z of the paper point that maps there.
    static void penAt(double x, double y) {
        PageCanvas& c = pageCanvas();
        c.SH(1);
        c.SV(1);
        c.Z(float(x / 600 + 0.25), float(c.DrawableHeightInches - y / 600 + 0.25));
    }

    // Fills the undo record with the first object, as an edit start would; its selection stays.
    static void recordFirst() {
        draw::DrawObject& o = pageDrawing().at(0);
        const bool was = o.selected;
        o.selected = true;
        ASSERT_EQ(undoRecord().record(pageDrawing()), 1);
        o.selected = was;
    }

    static void expectFrame(const draw::DrawObject& o, int x1, int y1, int x2, int y2) {
        EXPECT_EQ(o.x1, x1);
        EXPECT_EQ(o.y1, y1);
        EXPECT_EQ(o.x2, x2);
        EXPECT_EQ(o.y2, y2);
    }
};
