// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawcmd/editingsession.h"
#include "drawcmd/pagecanvas.h"
#include "drawwin/drawwinstate.h"
#include "drawwin/forms/drawarea.h"
#include "drawwin/forms/frmfill.h"
#include "drawwin/shippedpictures.h"
#include "drawwin/windowhooks.h"
#include "platform/drawing/drawrender.h"
#include "platform/gui/drawview.h"
#include "platform/gui/forms.h"
#include "platform/qmerror.h"
#include "project/modgw.h"
#include "reports/gwgraph.h"
#include "support/programstate.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class FillChooserWindow : public ProgramStateTest {
protected:
    void SetUp() override { modgw().FillPath = pf.file("fills/"); }
    // Clicks the middle of an object of the chooser's canvas.
    static void clickObject(frmFill& f, int index) {
        const draw::DrawObject& o = f.canvas().at(index);
        const QPointF c = f.MDraw2->unitsToPixel(QPointF((o.x1 + o.x2) / 2.0, (o.y1 + o.y2) / 2.0));
        QTest::mouseClick(f.MDraw2, Qt::LeftButton, {}, c.toPoint());
    }
    static QStringList swatches(frmFill& f) {
        QStringList out;
        for (int i = 0; i < f.canvas().count(); ++i)
            if (f.canvas().at(i).kind == draw::Rectangle) out << f.canvas().at(i).tag("selected");
        return out;
    }
    TempProgramFolder pf;
};

} // namespace

TEST_F(FillChooserWindow, StartUpLoadsTheChooserAndTheDrawingWindowHidden) {
    RegisterDrawingWindow();
    ASSERT_TRUE(startupHooks().loadFillChooser);
    startupHooks().loadFillChooser();
    ASSERT_TRUE(forms::isLoaded<frmFill>());
    ASSERT_TRUE(forms::isLoaded<DrawArea>());
    frmFill& f = forms::form<frmFill>();
    EXPECT_FALSE(f.isVisible());
    EXPECT_FALSE(forms::form<DrawArea>().isVisible());
    EXPECT_EQ(f.windowTitle(), "Choose A Fill Pattern");
    // The drawing window's Load ran: palette built, palette file written, current pattern set.
    EXPECT_EQ(forms::form<DrawArea>().palette().count(), 40);
    EXPECT_EQ(editingSession().CurrentFillPattern, "F0_sc.bmp");
    // The shipped patterns: one swatch per screen version, the work file left out.
    EXPECT_EQ(swatches(f).size(), shipped::FillPatternCount());
    EXPECT_EQ(f.canvas().DrawOptions() & 4096, 4096);

    startupHooks().unloadFillChooser();
    EXPECT_FALSE(forms::isLoaded<frmFill>());
}

TEST_F(FillChooserWindow, StartUpLoadsTheChooserEvenWhenTheShippedPicturesCannotBeWritten) {
    writeRaw(pf.file("fills"), "a file where the fills folder should be");
    RegisterDrawingWindow();
    ScriptedUi ui;
    ui.answer(1, "Error 75 in createcoloredFPtemp."); // the palette's work file has no folder either
    EXPECT_THROW(startupHooks().loadFillChooser(), QmError);
    EXPECT_TRUE(forms::isLoaded<frmFill>());
    EXPECT_TRUE(forms::isLoaded<DrawArea>());
}

TEST_F(FillChooserWindow, APickSetsChosenFillAndHidesTheWindow) {
    shipped::WriteMissing();
    frmFill& f = forms::form<frmFill>();
    const QStringList names = swatches(f);
    forms::setModalHook([&](QDialog&) { clickObject(f, 2); });
    forms::showModal(f);
    EXPECT_EQ(drawwin().ChosenFill, names[1]);
    EXPECT_FALSE(f.isVisible());
    EXPECT_TRUE(forms::isLoaded<frmFill>());

    // A label carries no name: the choice is empty.
    forms::setModalHook([&](QDialog&) { clickObject(f, 3); });
    forms::showModal(f);
    EXPECT_EQ(drawwin().ChosenFill, "");
    EXPECT_FALSE(f.isVisible());

    // By keys: from swatch 1 across to 11, down to 13, up to 12, Enter; Escape picks nothing.
    for (const auto& [keys, chosen] : {std::pair{QList{Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Return}, names.value(11)},
                                       std::pair{QList{Qt::Key_Down, Qt::Key_Escape}, QString()}}) {
        forms::setModalHook([&](QDialog&) { drawwin().ChosenFill.clear(); for (Qt::Key k : keys) QTest::keyClick(f.MDraw2, k); });
        forms::showModal(f);
        EXPECT_EQ(std::pair(drawwin().ChosenFill, f.isVisible()), std::pair(chosen, false));
    }
}

TEST_F(FillChooserWindow, AFolderWithoutScreenPatternsGivesAnEmptyNarrowChooser) {
    QDir().mkpath(pf.file("fills"));
    writeRaw(pf.file("fills/brick.bmp"), "x");
    writeRaw(pf.file("fills/TEMP_sc.bmp"), "x");
    frmFill& f = forms::form<frmFill>();
    EXPECT_EQ(f.canvas().count(), 0);
    EXPECT_EQ(f.width(), f.TitleWidth());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(f.x(), screen.left() + screen.width() / 4);
}

TEST_F(FillChooserWindow, AMissingFolderIsNoFailure) {
    modgw().FillPath = pf.file("no such folder/");
    ScriptedUi ui;
    ui.answer(1, "Error 75 in createcoloredFPtemp."); // the drawing window's palette has no folder for its work file
    frmFill& f = forms::form<frmFill>();
    EXPECT_EQ(f.canvas().count(), 0);
}

TEST_F(FillChooserWindow, BeyondFiveHundredFilesOnlyTheFirstFiveHundredAreLookedAt) {
    const QString fills = pf.file("fills/");
    QDir().mkpath(fills);
    for (int i = 0; i < 499; ++i) writeRaw(fills + QStringLiteral("a%1.bmp").arg(i, 3, 10, QLatin1Char('0')), "x");
    writeRaw(fills + "b_sc.bmp", "x"); // 500th
    writeRaw(fills + "c_sc.bmp", "x"); // 501st
    ScriptedUi ui;
    ui.answer(1, "There are more than 500 fill files in this folder.  Only the first 500 will be shown in the "
                 "Choose Fill Dialog.");
    frmFill& f = forms::form<frmFill>();
    EXPECT_EQ(swatches(f), QStringList({"b_sc.bmp"}));
}

TEST_F(FillChooserWindow, SwatchesComeInNaturalOrderAndTheWindowShowsThemAndItsWholeCaption) {
    const QString fills = pf.file("fills/");
    QDir().mkpath(fills);
    for (int i = 0; i < 13; ++i)
        shipped::FillPattern(i % shipped::FillPatternCount(), false).save(fills + QStringLiteral("F%1_sc.bmp").arg(i));
    frmFill& f = forms::form<frmFill>();
    EXPECT_EQ(swatches(f), QStringList({"F0_sc.bmp", "F1_sc.bmp", "F2_sc.bmp", "F3_sc.bmp", "F4_sc.bmp", "F5_sc.bmp",
                                        "F6_sc.bmp", "F7_sc.bmp", "F8_sc.bmp", "F9_sc.bmp", "F10_sc.bmp",
                                        "F11_sc.bmp", "F12_sc.bmp"}));

    // Wide enough for the caption in a bold title bar with its buttons.
    QFont bold = f.font();
    bold.setBold(true);
    EXPECT_GE(f.width(), QFontMetrics(bold).horizontalAdvance(f.windowTitle()) + 100);
    // Every swatch and label lies inside the canvas as shown, at the designed size, the columns
    // in the middle.
    f.show();
    QApplication::processEvents();
    const QRect inside = f.MDraw2->contentsRect();
    int leftmost = inside.right(), rightmost = inside.left();
    for (int i = 0; i < f.canvas().count(); ++i) {
        const QRectF box = draw::objectBounds(f.canvas().at(i));
        const QRectF px(f.MDraw2->unitsToPixel(box.topLeft()), f.MDraw2->unitsToPixel(box.bottomRight()));
        EXPECT_TRUE(QRectF(inside).contains(px)) << i;
        if (f.canvas().at(i).kind == draw::Rectangle) {
            EXPECT_NEAR(px.width(), 500 / 15.0, 1.5) << i;
            leftmost = std::min(leftmost, int(px.left()));
            rightmost = std::max(rightmost, int(px.right()));
        }
    }
    EXPECT_NEAR(leftmost - inside.left(), inside.right() - rightmost, 25);
    f.hide();
}
