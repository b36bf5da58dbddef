// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The drawing window on a new drawing, for the tests that drive it as the user does.
#include "viewfixture.h"

#include "drawcmd/editingsession.h"
#include "drawcmd/pagecanvas.h"
#include "drawwin/drawwinstate.h"
#include "drawwin/forms/drawarea.h"
#include "drawwin/shippedpictures.h"
#include "platform/gui/forms.h"
#include "project/modgw.h"
#include "support/testenv.h"

#include <QToolBar>
#include <QToolButton>

// A new 11 by 8.5 inch drawing and the drawing window registered, the fill patterns and shipped
// pictures written to a temporary program folder.
class DrawAreaFixture : public ProgramStateTest {
protected:
    void SetUp() override {
        modgw().FillPath = pf.file("fills/");
        shipped::WriteMissing();
        pageCanvas().PaperWidth = 11;
        pageCanvas().PaperHeight = 8.5f;
        pageCanvas().NewDrawing();
        RegisterDrawingWindow();
    }

    static DrawArea& win() { return forms::form<DrawArea>(); }
    static DrawView* view() { return win().MDraw; }
    static MDrawPro& page() { return pageDrawing(); }

    // The tool button that shows a toolbar button, whichever bar of the window holds it.
    static QToolButton* buttonWidget(DrawArea& w, int position) {
        for (QToolBar* bar : w.findChildren<QToolBar*>())
            if (auto* b = qobject_cast<QToolButton*>(bar->widgetForAction(w.Button(position)))) return b;
        return nullptr;
    }
    static void clickButton(DrawArea& w, int position) {
        QToolButton* b = buttonWidget(w, position);
        ASSERT_TRUE(b) << "no button " << position;
        b->click();
    }
    static void press(int position) { clickButton(win(), position); }
    static void drag(QPoint from, QPoint to) { dragMouse(view(), from, to); }

    TempProgramFolder pf;
};

// The window shown with its sheet (10.5 by 8 inches, 6300 by 4800 units) at 630 by 480 pixels and
// the sheet's corner on pixel (1, 1), so unit u lies on pixel 1 + u / 10.
class ShownDrawArea : public DrawAreaFixture {
protected:
    void SetUp() override {
        DrawAreaFixture::SetUp();
        DrawArea& w = win();
        w.resize(1000, 760);
        w.show();
        QApplication::processEvents();
        ASSERT_EQ(page().UnitsWidth(), 6300);
        ASSERT_EQ(page().UnitsHeight(), 4800);
        ASSERT_GE(w.MDraw->width(), 662);
        ASSERT_GE(w.MDraw->height(), 512);
        w.MDraw->ViewWidth(630);
        w.MDraw->ViewHeight(480);
        w.MDraw->ViewLeft(-1);
        w.MDraw->ViewTop(-1);
        QApplication::processEvents();
    }

    static QPoint at(double ux, double uy) { return view()->unitsToPixel(QPointF(ux, uy)).toPoint(); }
};
