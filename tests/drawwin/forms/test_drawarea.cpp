// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawareafixture.h"

#include "drawwin/forms/frmfill.h"
#include "platform/textfile.h"
#include "platform/timings.h"
#include "reports/gwgraph.h"
#include "support/menus.h"
#include "support/scriptedui.h"

#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class DrawAreaTest : public DrawAreaFixture {
protected:
    // The text on the page the window shows.
    static QString pageText() {
        for (int i = 0; i < pageDrawing().count(); ++i)
            if (pageDrawing().at(i).kind == draw::Text) return pageDrawing().at(i).text;
        return {};
    }

    // A report run in small: each page drawn from a new drawing through the drawing commands, then
    // previewed, while the user has not left the preview; left says whether they did.
    QStringList runReport(int pages) {
        QStringList drawn;
        left = false;
        for (int item = 1; item <= pages && !left; ++item) {
            pageDrawing().Redraw(false);
            pageCanvas().NewDrawing();
            pageCanvas().SH(1);
            pageCanvas().SV(1);
            pageCanvas().Z(0.5f, 0.5f);
            pageCanvas().RE(10, 7.5f);
            pageCanvas().S(1, 7);
            pageCanvas().AP(18);
            pageCanvas().A(QStringLiteral("Page %1").arg(item));
            pageDrawing().Redraw(true);
            drawn << QStringLiteral("Page %1").arg(item);
            left = HandOverPage() == PreviewResult::Left;
            drawwin().DrawingFileName.clear();
        }
        return drawn;
    }
    bool left = false;
};


} // namespace

TEST_F(DrawAreaTest, TwoPagesPreviewedOneAfterTheOtherByNextPage) {
    QStringList shown;
    forms::setModalHook([&](QDialog& d) {
        auto& w = static_cast<DrawArea&>(d);
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.windowTitle(), "Screen Preview");
        shown << pageText();
        clickButton(w, 22);
        EXPECT_FALSE(w.isVisible());
    });
    EXPECT_EQ(runReport(2), QStringList({"Page 1", "Page 2"}));
    EXPECT_EQ(shown, QStringList({"Page 1", "Page 2"}));
    EXPECT_FALSE(left);
    ASSERT_TRUE(forms::isLoaded<DrawArea>());
    EXPECT_FALSE(win().isVisible());
}

TEST_F(DrawAreaTest, ExitScreenPreviewStopsTheRunAndKeepsTheWindowLoaded) {
    int shows = 0;
    forms::setModalHook([&](QDialog& d) {
        ++shows;
        static_cast<DrawArea&>(d).mnuExit->trigger();
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(runReport(2), QStringList({"Page 1"}));
    EXPECT_EQ(shows, 1);
    EXPECT_TRUE(left);
    EXPECT_TRUE(forms::isLoaded<DrawArea>());
}

TEST_F(DrawAreaTest, TheCloseBoxStopsTheRunAndTheNextRunBuildsTheWindowAnew) {
    forms::setModalHook([](QDialog& d) { d.close(); });
    EXPECT_EQ(runReport(2), QStringList({"Page 1"}));
    EXPECT_TRUE(left);
    EXPECT_FALSE(forms::isLoaded<DrawArea>());

    // The next run: the first page loads the window and Load runs again.
    drawwin().TextPointSize = 14;
    QList<DrawArea*> windows;
    forms::setModalHook([&](QDialog& d) {
        windows << static_cast<DrawArea*>(&d);
        clickButton(static_cast<DrawArea&>(d), 22);
    });
    EXPECT_EQ(runReport(2), QStringList({"Page 1", "Page 2"}));
    ASSERT_EQ(windows.size(), 2);
    EXPECT_EQ(windows[0], windows[1]);
    EXPECT_EQ(drawwin().TextPointSize, 10);
    EXPECT_EQ(windows[0]->palette().count(), 40);
}

TEST_F(DrawAreaTest, EscapeBelongsToTheDrawingAndDoesNotLeave) {
    forms::setModalHook([](QDialog& d) {
        auto& w = static_cast<DrawArea&>(d);
        QSignalSpy keys(&pageDrawing(), &draw::DrawModel::keyDown);
        QTest::keyClick(w.MDraw, Qt::Key_Escape);
        EXPECT_TRUE(w.isVisible());
        ASSERT_EQ(keys.count(), 1);
        EXPECT_EQ(keys[0][0].toInt(), 27);
        clickButton(w, 22);
    });
    EXPECT_EQ(runReport(1), QStringList({"Page 1"}));
    EXPECT_FALSE(left);
}

TEST_F(DrawAreaTest, ToolbarButtonsGetTheirPicturesKeysStylesAndTips) {
    DrawArea& w = win();
    // The buttons across the top, in their order.
    QList<QAction*> shown = w.Toolbar1->actions();
    for (QToolBar* bar : w.findChildren<QToolBar*>())
        if (bar != w.Toolbar1) shown += bar->actions();
    ASSERT_EQ(shown.size(), 23);
    for (int b = 1; b <= 23; ++b) EXPECT_EQ(shown[b - 1], w.Button(b)) << b;
    EXPECT_EQ(w.ImageList1.size(), 21);
    EXPECT_TRUE(w.ImageList1.contains("hidenode"));
    const struct {
        int b;
        const char* image;
        const char* key;
        int style;
        const char* tip;
    } expected[] = {
        {1, "addnode", "Add Node", 1, "Add Nodes"},
        {2, "shownode", "ShowHide Nodes", 0, "Show/Hide Nodes"},
        {3, "select", "Select Objects", 1, "Object Select/Move/Resize/Delete"},
        {5, "", "", 3, ""},
        {9, "nodearrow", "Add Node Arrow", 0, "Add Node Arrow"},
        {15, "free-ellipse", "Free Ellipse", 1, "Draw Freehand Ellipse"},
        {17, "freeimage", "Free Image", 1, "Add Symbol"},
        {18, "freetextdialog", "Free Text Dialog", 0, "Show Font Dialog"},
        {19, "freeimagedialog", "Free Image Dialog", 0, "Select Symbol Bitmap File"},
        {20, "", "", 3, ""},
        {22, "nextarrow", "Next Page", 0, "Next Page"},
        {23, "gotopage", "Goto Page", 0, "Goto Page"},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.b);
        QAction* a = w.Button(e.b);
        EXPECT_EQ(w.ButtonImage(e.b), e.image);
        EXPECT_EQ(a->data().toString(), e.key);
        EXPECT_EQ(a->isSeparator(), e.style == 3);
        EXPECT_EQ(a->isCheckable(), e.style == 1);
        if (e.style != 3) {
            EXPECT_EQ(a->toolTip(), e.tip);
            EXPECT_FALSE(a->icon().isNull());
        }
    }
    // Every button is up after Load.
    for (QAction* a : shown) EXPECT_FALSE(a->isChecked());
}

TEST_F(DrawAreaTest, AMissingOrBrokenToolPictureIsReplacedAndTheToolbarStaysWhole) {
    QFile::remove(pf.file("nextarrow.bmp"));
    writeRaw(pf.file("select.bmp"), "not a picture");
    ScriptedUi ui; // no box is planned: none may come
    DrawArea& w = win();
    EXPECT_EQ(w.ImageList1.size(), 21);
    EXPECT_FALSE(w.ImageList1.value("nextarrow").isNull());
    EXPECT_FALSE(w.ImageList1.value("select").isNull());
    EXPECT_EQ(w.Button(22)->data().toString(), "Next Page");
    EXPECT_EQ(w.Button(22)->toolTip(), "Next Page");
    EXPECT_FALSE(w.Button(22)->icon().isNull());
    EXPECT_EQ(w.Button(23)->data().toString(), "Goto Page");
    EXPECT_TRUE(w.Button(3)->isCheckable());
}

TEST_F(DrawAreaTest, MenusCarryTheirCaptionsAndShortcuts) {
    DrawArea& w = win();
    EXPECT_EQ(menuCaptions(w.menuBar->actions(), true),
              QStringList({"&File", "&Drawing", "&Edit", "&Zoom", "&Tools", "&Utilities", "&Help"}));
    EXPECT_EQ(menuCaptions(w.mnuFile->actions(), true), QStringList({"&Print", "Print Set&up", "-", "&Exit Screen Preview"}));
    EXPECT_EQ(menuCaptions(w.mnuDrawing->actions(), true),
              QStringList({"&New Drawing", "&Open Drawing...", "&Save Drawing", "Save Drawing &As..."}));
    EXPECT_EQ(menuCaptions(w.mnuEdit->actions(), true),
              QStringList({"&Undo [Ctrl+Z]", "-", "Cu&t [Ctrl+X]", "&Copy [Ctrl+C]", "&Paste [Ctrl+V]", "-", "&Move Up 1",
                           "Move &Back 1", "Move to &Front", "Move to Bac&k", "-", "&Group", "U&nGroup"}));
    EXPECT_EQ(menuCaptions(w.mnuZoom->actions(), true), QStringList({"Zoom &Window [Ctrl+W]", "Zoom Scr&een Width [Ctrl+R]",
                                                           "Zoom &Page [Ctrl+P]", "&Refresh"}));
    EXPECT_EQ(menuCaptions(w.mnuTools->actions(), true),
              QStringList({"&Add Nodes [Ctrl+A]", "S&how/Hide Nodes", "&Select - Move - Resize [Ctrl+E]", "&Rotate Objects", "-",
                           "Add Node &Polygon", "Add Node L&ens", "Add Node &Line", "Add Node Arro&w", "-", "Draw Freehand Pol&ygon",
                           "Draw Freehand Li&ne", "Draw Freehand Re&ctangle", "Draw Freehand R&ounded Rectangle", "Draw Freehand Ell&ipse",
                           "Add Freehand &Text", "Add Sy&mbol", "Show &Font Dialog", "Select Symbol &Bitmap File", "-", "Pre&vious Page",
                           "Ne&xt Page", "&Goto Page"}));
    EXPECT_EQ(menuCaptions(w.mnuUtilities->actions(), true),
              QStringList({"&Graphics/System Setup", "&Define Headings/Logo", "Define &Colors", "Choose &Fill",
                           "Choose Co&lors"}));
}

TEST_F(DrawAreaTest, ThePaletteStripRunsDownTheLeftAtItsOwnWidthAndThePageFillsTheRest) {
    DrawArea& w = win();
    w.resize(900, 600);
    w.show();
    QApplication::processEvents();
    EXPECT_EQ(w.MDraw3->width(), 41);
    EXPECT_EQ(w.MDraw3->x(), 0);
    EXPECT_EQ(w.MDraw->x(), 41);
    EXPECT_EQ(w.MDraw->width(), w.width() - 41);
    EXPECT_EQ(w.MDraw->y(), w.Toolbar1->geometry().bottom() + 1);
    EXPECT_EQ(w.MDraw3->y(), w.MDraw->y());
    EXPECT_EQ(w.MDraw3->height(), w.MDraw->height());
    // The palette's sheet is fitted to the strip's width.
    EXPECT_EQ(w.MDraw3->ViewWidth(), 39);
    EXPECT_EQ(w.MDraw3->ViewHeight(), 858); // 39 / (500 / 11000)
    w.hide();
}

TEST_F(DrawAreaTest, OnASmallScreenThePagingButtonsStayInView) {
    // The test screen is 800 pixels wide: the window opens narrower still.
    DrawArea& w = win();
    ASSERT_LE(w.width(), 800);
    w.show();
    for (int width : {w.width(), 560, 420}) {
        SCOPED_TRACE(width);
        w.resize(width, 500);
        QApplication::processEvents();
        for (int b = 21; b <= 23; ++b) {
            QToolButton* button = buttonWidget(w, b);
            ASSERT_TRUE(button) << b;
            EXPECT_TRUE(button->isVisible()) << b;
            EXPECT_TRUE(w.rect().contains(QRect(button->mapTo(&w, QPoint(0, 0)), button->size()))) << b;
        }
        // The tool buttons that do not fit are still reached through the bar's overflow.
        EXPECT_TRUE(buttonWidget(w, 1)->isVisible());
    }
    w.hide();
}

TEST_F(DrawAreaTest, EachShowingOpensAtTheDefaultZoom) {
    modgw().ZoomAfterOpen = "SW";
    forms::setModalHook([](QDialog& d) {
        auto& w = static_cast<DrawArea&>(d);
        EXPECT_EQ(w.MDraw->ViewWidth(), w.MDraw->ClientWidth());
        EXPECT_EQ(w.MDraw->ViewTop(), 0);
        w.MDraw->ViewWidth(5000); // the user zooms in
        clickButton(w, 22);
    });
    runReport(2);

    modgw().ZoomAfterOpen = "";
    forms::setModalHook([](QDialog& d) {
        auto& w = static_cast<DrawArea&>(d);
        const auto v = zoom::Page({6300, 4800, double(w.MDraw->ClientWidth()), double(w.MDraw->ClientHeight()),
                                   double(w.MDraw->width()), double(w.MDraw->height())});
        ASSERT_TRUE(v);
        EXPECT_EQ(w.MDraw->ViewWidth(), v->width);
        EXPECT_EQ(w.MDraw->ViewHeight(), v->height);
        EXPECT_EQ(w.MDraw->ViewLeft(), v->left);
        EXPECT_EQ(w.MDraw->ViewTop(), v->top);
        clickButton(w, 22);
    });
    runReport(1);
}

TEST_F(DrawAreaTest, ZoomWindowZoomsToTheDraggedFrameAndGivesTheModeBack) {
    DrawArea& w = win();
    w.resize(1000, 700);
    w.show();
    QApplication::processEvents();
    w.zoompage();
    pageDrawing().EditMode(11);
    const int before = pageDrawing().count();

    w.mnuZoomWindow->trigger();
    EXPECT_EQ(pageDrawing().EditMode(), 2);
    EXPECT_EQ(drawwin().ZoomWindowPending, 1);
    const QPoint a(200, 150), b(400, 300);
    const double ux1 = w.MDraw->PixelToUnitsX(a.x()), ux2 = w.MDraw->PixelToUnitsX(b.x());
    const double uy1 = w.MDraw->PixelToUnitsY(a.y()), uy2 = w.MDraw->PixelToUnitsY(b.y());
    QTest::mousePress(w.MDraw, Qt::LeftButton, {}, b);
    QTest::mouseMove(w.MDraw, QPoint(300, 220));
    QTest::mouseMove(w.MDraw, a);
    QTest::mouseRelease(w.MDraw, Qt::LeftButton, {}, a);

    EXPECT_EQ(pageDrawing().count(), before); // the frame went
    EXPECT_EQ(pageDrawing().EditMode(), 11);
    EXPECT_EQ(drawwin().ZoomWindowPending, 0);
    // The frame's width fills the inside across, its height down; its top left corner is at the top left.
    EXPECT_NEAR(w.MDraw->ViewWidth(), (w.MDraw->width() - 2) * 6300 / (ux2 - ux1), 5);
    EXPECT_NEAR(w.MDraw->ViewHeight(), (w.MDraw->height() - 2) * 4800 / (uy2 - uy1), 5);
    EXPECT_NEAR(w.MDraw->PixelToUnitsX(0), ux1, 1);
    EXPECT_NEAR(w.MDraw->PixelToUnitsY(0), uy1, 1);

    // A click without a drag draws no frame: no zoom, nothing deleted, the mode back.
    const double width = w.MDraw->ViewWidth();
    w.mnuZoomWindow->trigger();
    QTest::mouseClick(w.MDraw, Qt::LeftButton, {}, QPoint(300, 300));
    EXPECT_EQ(w.MDraw->ViewWidth(), width);
    EXPECT_EQ(pageDrawing().count(), before);
    EXPECT_EQ(pageDrawing().EditMode(), 11);
    EXPECT_EQ(drawwin().ZoomWindowPending, 0);

    // Zoom Screen Width keeps the horizontal position the zoom frame left.
    const double left = w.MDraw->ViewLeft();
    w.mnuZoomScreenWidth->trigger();
    EXPECT_EQ(w.MDraw->ViewLeft(), left);
    EXPECT_EQ(w.MDraw->ViewTop(), 0);
    w.hide();
}

TEST_F(DrawAreaTest, AZoomFrameThatIsGoneIsReportedInTheClickHandlersOwnName) {
    DrawArea& w = win();
    w.resize(1000, 700);
    w.show();
    QApplication::processEvents();
    w.zoompage();
    pageDrawing().EditMode(11);
    w.mnuZoomWindow->trigger();
    QTest::mousePress(w.MDraw, Qt::LeftButton, {}, QPoint(200, 150));
    QTest::mouseMove(w.MDraw, QPoint(300, 220));
    QTest::mouseRelease(w.MDraw, Qt::LeftButton, {}, QPoint(400, 300));
    ASSERT_NE(w.MDraw->lastDrawnId(), 0);

    // The click handler runs again for the frame it already deleted.
    w.mnuZoomWindow->trigger();
    ScriptedUi ui;
    ui.answer(1, "Error 23010 in MDraw-PointClicked.  Please contact Kalvex");
    w.MDraw_PointClicked(1, 0, 300, 300);
    EXPECT_EQ(pageDrawing().EditMode(), 11);
    EXPECT_EQ(drawwin().ZoomWindowPending, 0);
    w.hide();
}

TEST_F(DrawAreaTest, TheDeferredTimerRunsChooseFillOnceAndItsPickChangesTheSwatch) {
    DrawArea& w = win();
    int chooserShows = 0;
    forms::setModalHook([&](QDialog& d) {
        auto* f = qobject_cast<frmFill*>(&d);
        ASSERT_TRUE(f);
        ++chooserShows;
        // Pick the third swatch.
        const draw::DrawObject& sw = f->canvas().at(4);
        const QPointF c = f->MDraw2->unitsToPixel(QPointF((sw.x1 + sw.x2) / 2.0, (sw.y1 + sw.y2) / 2.0));
        QTest::mouseClick(f->MDraw2, Qt::LeftButton, {}, c.toPoint());
        EXPECT_FALSE(f->isVisible());
    });
    drawwin().PaletteSwatchIndex = 3;
    drawwin().PendingPreviewCommand = 35;
    QTest::qWait(60);
    EXPECT_EQ(chooserShows, 1);
    EXPECT_EQ(drawwin().PendingPreviewCommand, 0);
    const QString picked = drawwin().ChosenFill;
    ASSERT_TRUE(picked.endsWith("_sc.bmp")) << picked.toStdString();
    EXPECT_EQ(editingSession().PaletteFills[3], picked);
    EXPECT_EQ(qtext::ReadLines(pf.file("fillpalette.txt")).at(2), picked);
    EXPECT_EQ(w.palette().find(5)->style.fill, draw::FillMode::Picture);

    // While nothing is pending the timer does nothing.
    QTest::qWait(40);
    EXPECT_EQ(chooserShows, 1);
}

TEST_F(DrawAreaTest, ZoomWindowAskedTwiceStillGivesTheSelectModeBack) {
    DrawArea& w = win();
    w.resize(1000, 700);
    w.show();
    QApplication::processEvents();
    w.zoompage();
    pageDrawing().EditMode(11);
    w.mnuZoomWindow->trigger();
    w.mnuZoomWindow->trigger();
    QTest::mousePress(w.MDraw, Qt::LeftButton, {}, QPoint(200, 150));
    QTest::mouseMove(w.MDraw, QPoint(300, 220));
    QTest::mouseMove(w.MDraw, QPoint(400, 300));
    QTest::mouseRelease(w.MDraw, Qt::LeftButton, {}, QPoint(400, 300));
    EXPECT_EQ(pageDrawing().EditMode(), 11);
    EXPECT_EQ(drawwin().ZoomWindowPending, 0);
    w.hide();
}

TEST_F(DrawAreaTest, AChooserClosedWithoutAPickLeavesTheSwatchAsItWas) {
    DrawArea& w = win();
    drawwin().ChosenFill = "F5_sc.bmp"; // an earlier pick
    drawwin().PaletteSwatchIndex = 2;
    const QString before = editingSession().PaletteFills[2];
    forms::setModalHook([](QDialog& d) { d.close(); });
    w.mnuChooseFill_Click();
    EXPECT_EQ(drawwin().ChosenFill, "");
    EXPECT_EQ(editingSession().PaletteFills[2], before);
}

TEST_F(DrawAreaTest, ComingBackFromADialogItOpenedReappliesTheDefaultZoom) {
    modgw().ZoomAfterOpen = "SW";
    DrawArea& w = win();
    w.resize(1000, 700);
    w.show();
    QApplication::setActiveWindow(&w);
    QApplication::processEvents();
    w.MDraw->ViewWidth(5000); // the user zoomed in
    QDialog other(&w);
    other.show();
    QApplication::setActiveWindow(&other);
    QApplication::processEvents();
    EXPECT_EQ(w.MDraw->ViewWidth(), 5000);
    other.hide();
    QApplication::setActiveWindow(&w);
    QApplication::processEvents();
    EXPECT_EQ(w.MDraw->ViewWidth(), w.MDraw->ClientWidth());
    w.hide();
}

TEST_F(DrawAreaTest, ThePaletteClickTimerWaitsAQuarterSecondAndOnlyTheDeferredTimerRunsFromTheStart) {
    timings().reset();
    DrawArea& w = win();
    EXPECT_EQ(w.Timer1->interval(), 250);
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_EQ(w.Timer3->interval(), 10);
    EXPECT_TRUE(w.Timer3->isActive());
    EXPECT_EQ(w.lblCurrentX->text(), "Invisible CurrentX");
}

TEST_F(DrawAreaTest, TheWindowOnlySaysHowThePageWasLeftAndTheRunStateIsSetByTheCore) {
    forms::setModalHook([](QDialog& d) { static_cast<DrawArea&>(d).mnuExit->trigger(); });
    EXPECT_EQ(DrawArea::ShowPage(), PreviewResult::Left);
    forms::setModalHook([](QDialog& d) { d.close(); });
    EXPECT_EQ(DrawArea::ShowPage(), PreviewResult::Left);
    forms::setModalHook([&](QDialog& d) { clickButton(static_cast<DrawArea&>(d), 22); });
    EXPECT_EQ(DrawArea::ShowPage(), PreviewResult::NextPage);

    // Through the page sink a previewed page also stops being a saved drawing.
    drawwin().DrawingFileName = pf.file("saved.qdr");
    EXPECT_EQ(HandOverPage(), PreviewResult::NextPage);
    EXPECT_EQ(drawwin().DrawingFileName, "");
}
