// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing window's small dialogs driven through their controls: "Choose New Drawing Size",
// "Size of Bitmap" and the "Printing..." notice.
#include "drawcmd/pagecanvas.h"
#include "drawwin/drawwinstate.h"
#include "drawwin/forms/frmbitmapsize.h"
#include "drawwin/forms/frmnewdrawing.h"
#include "drawwin/forms/frmprinting.h"
#include "platform/gui/forms.h"
#include "platform/gui/helpviewer.h"
#include "platform/textfile.h"
#include "platform/timings.h"
#include "project/modgw.h"
#include "support/programstate.h"
#include "support/testenv.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class NewDrawingForm : public ProgramStateTest {
protected:
    static frmNewDrawing& form() { return forms::form<frmNewDrawing>(); }
    static QStringList texts(const frmNewDrawing& f) { return {f.Text1->text(), f.Text2->text(), f.Text3->text()}; }
    static void pick(frmNewDrawing& f, int row) {
        QListWidgetItem* item = f.List1->item(row);
        f.List1->scrollToItem(item);
        QTest::mouseClick(f.List1->viewport(), Qt::LeftButton, {}, f.List1->visualItemRect(item).center());
    }
    TempProgramFolder pf;
};

class BitmapSizeForm : public ProgramStateTest {
protected:
    void SetUp() override {
        pageCanvas().PaperWidth = 11;
        pageCanvas().PaperHeight = 8.5f;
        pageCanvas().NewDrawing(); // 6300 by 4800 units, a new paper size
    }
    static frmBitmapSize& form() { return forms::form<frmBitmapSize>(); }
    static void type(QLineEdit* box, const QString& text) {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }
    TempProgramFolder pf;
};

} // namespace

TEST_F(NewDrawingForm, ControlsAndTheFifteenPortraitSizes) {
    frmNewDrawing& f = form();
    EXPECT_EQ(f.windowTitle(), "Choose New Drawing Size");
    ASSERT_EQ(f.List1->count(), 15);
    EXPECT_EQ(f.List1->item(0)->text(), "A 8.5 x 11 in.");
    EXPECT_EQ(f.List1->item(9)->text(), "ARCH E 35 x 48 in.");
    EXPECT_EQ(f.List1->item(14)->text(), "A4 210 x 297 mm");
    EXPECT_TRUE(f.Option2->isChecked());
    EXPECT_EQ(f.Option2->text(), "Portrait");
    EXPECT_EQ(f.Option1->text(), "Landscape");
    EXPECT_EQ(f.Command1->text(), "OK");
    EXPECT_EQ(f.Command2->text(), "Cancel");
    EXPECT_EQ(f.Command3->text(), "Help");
    QStringList captions;
    for (const QLabel* l : f.findChildren<QLabel*>()) captions << l->text();
    for (const QGroupBox* g : f.findChildren<QGroupBox*>()) captions << g->title();
    for (const char* c : {"Paper Size", "Horizontal", "Vertical", "Units", "Dimensions", "Orientation"})
        EXPECT_TRUE(captions.contains(c)) << c;
    EXPECT_EQ(texts(f), QStringList({"", "", ""}));

    for (int row = 0; row < 15; ++row) {
        pick(f, row);
        EXPECT_LE(f.Text1->text().toDouble(), f.Text2->text().toDouble()) << row;
    }
    EXPECT_EQ(texts(f), QStringList({"210", "297", "mm"}));
}

TEST_F(NewDrawingForm, A4LandscapeGivesItsSizeInInches) {
    frmNewDrawing& f = form();
    f.Option1->click();
    pick(f, 14);
    EXPECT_EQ(texts(f), QStringList({"297", "210", "mm"}));
    drawwin().NewDrawingConfirmed = 0;
    f.Command1->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_NEAR(pageCanvas().PaperWidth, 11.69291, 0.000005);
    EXPECT_NEAR(pageCanvas().PaperHeight, 8.26772, 0.000005);
    EXPECT_EQ(drawwin().NewDrawingConfirmed, 1);
}

TEST_F(NewDrawingForm, OrientationSwapsTheSidesOnlyWhenTheyAreTheOtherWayRound) {
    frmNewDrawing& f = form();
    pick(f, 2);
    EXPECT_EQ(texts(f), QStringList({"11", "17", "inches"}));
    f.Option1->click();
    EXPECT_EQ(texts(f), QStringList({"17", "11", "inches"}));
    f.Option2->click();
    f.Option1->click();
    f.Option2->click();
    EXPECT_EQ(texts(f), QStringList({"11", "17", "inches"}));

    f.Text1->setText("10");
    f.Text2->setText("10");
    f.Option1->click();
    EXPECT_EQ(texts(f), QStringList({"10", "10", "inches"}));
    // Typed sides already landscape stay when Landscape is chosen.
    f.Option2->click();
    f.Text1->setText("14");
    f.Text2->setText("8.5");
    f.Option1->click();
    EXPECT_EQ(texts(f), QStringList({"14", "8.5", "inches"}));
}

TEST_F(NewDrawingForm, EmptyOrUnusableSidesGiveTheDefaultPageAndCancelConfirmsNothing) {
    {
        frmNewDrawing& f = form();
        f.Command1->click();
        EXPECT_EQ(pageCanvas().PaperWidth, 8.5f);
        EXPECT_EQ(pageCanvas().PaperHeight, 11.f);
        EXPECT_EQ(drawwin().NewDrawingConfirmed, 1);
        forms::unload<frmNewDrawing>();
    }
    {
        frmNewDrawing& f = form();
        f.Text1->setText("-3");
        f.Text2->setText("20");
        f.Text3->setText("inches");
        f.Command1->click();
        EXPECT_EQ(pageCanvas().PaperWidth, 8.5f);
        forms::unload<frmNewDrawing>();
    }
    for (const bool closeBox : {false, true}) {
        frmNewDrawing& f = form();
        pageCanvas().PaperWidth = 11;
        drawwin().NewDrawingConfirmed = 0;
        f.show();
        pick(f, 5);
        if (closeBox)
            f.close();
        else
            f.Command2->click();
        EXPECT_EQ(f.result(), QDialog::Rejected);
        EXPECT_EQ(drawwin().NewDrawingConfirmed, 0);
        EXPECT_EQ(pageCanvas().PaperWidth, 11.f);
        forms::unload<frmNewDrawing>();
    }
}

TEST_F(NewDrawingForm, HelpAsksForContextZeroWhichIsTheContents) {
    QDir().mkpath(pf.file("help"));
    writeRaw(pf.file("help/index.html"), "<p>Contents</p>");
    modgw().HelpFile = "qmar2002.HLP";
    form().Command3->click();
    EXPECT_EQ(modgw().HelpResult, 1);
    EXPECT_EQ(HelpPageShown(), "index.html");
}

TEST_F(BitmapSizeForm, ProposesTheSheetOnceAfterAPaperChangeThenShowsTheLastSize) {
    modgw().BitmapWidth = 1000;
    modgw().BitmapHeight = 700;
    {
        frmBitmapSize& f = form();
        EXPECT_EQ(f.windowTitle(), "Size of Bitmap");
        EXPECT_EQ(f.Check1->text(), "Constrain Proportions");
        EXPECT_TRUE(f.Check1->isChecked());
        EXPECT_EQ(f.Text1->text(), "630");
        EXPECT_EQ(f.Text2->text(), "480");
        EXPECT_EQ(pageCanvas().PageSizeChanged, 0);
        type(f.Text1, "800");
        EXPECT_EQ(f.Text2->text(), "610"); // 4800 / 6300 x 800 = 609.5, to even
        f.Command1->click();
        EXPECT_EQ(f.result(), QDialog::Accepted);
        forms::unload<frmBitmapSize>();
    }
    EXPECT_EQ(modgw().BitmapWidth, 800);
    EXPECT_EQ(modgw().BitmapHeight, 610);
    frmBitmapSize& again = form();
    EXPECT_EQ(again.Text1->text(), "800");
    EXPECT_EQ(again.Text2->text(), "610");
}

TEST_F(BitmapSizeForm, TheOtherSideFollowsOnlyForAUsableValueWhileConstrained) {
    frmBitmapSize& f = form();
    type(f.Text1, "630");
    EXPECT_EQ(f.Text2->text(), "480");
    type(f.Text2, "240");
    EXPECT_EQ(f.Text1->text(), "315");
    for (const char* leaves : {"0", "wide"}) {
        type(f.Text1, leaves);
        EXPECT_EQ(f.Text2->text(), "240") << leaves;
    }
    // Beyond the Integer range (pasted at once): the other box stays as it was.
    f.Text1->setText("99999");
    EXPECT_EQ(f.Text2->text(), "240");
    f.Check1->click();
    type(f.Text1, "1000");
    EXPECT_EQ(f.Text2->text(), "240");
}

TEST_F(BitmapSizeForm, OkHoldsEachSideTo100To2000AndWritesTheSettings) {
    frmBitmapSize& f = form();
    f.Check1->setChecked(false);
    f.Text1->setText("50");
    f.Text2->setText("5000");
    f.Command1->click();
    EXPECT_EQ(modgw().BitmapWidth, 100);
    EXPECT_EQ(modgw().BitmapHeight, 2000);
    const QStringList lines = qtext::ReadLines(pf.file("DEVICE.CFG"));
    ASSERT_EQ(lines.size(), 20);
    EXPECT_EQ(lines[13], "100");
    EXPECT_EQ(lines[14], "2000");
}

TEST_F(BitmapSizeForm, TheCloseBoxStoresNothing) {
    modgw().BitmapWidth = 640;
    pageCanvas().PageSizeChanged = 0;
    frmBitmapSize& f = form();
    f.show();
    type(f.Text1, "1200");
    f.close();
    EXPECT_EQ(f.result(), QDialog::Rejected);
    EXPECT_EQ(modgw().BitmapWidth, 640);
    EXPECT_FALSE(QFile::exists(pf.file("DEVICE.CFG")));
}

TEST_F(NewDrawingForm, ThePrintingNoticeClosesItselfAfterItsTime) {
    timings().printNoticeMs = 30;
    bool shown = false;
    forms::setModalHook([&](QDialog& d) {
        auto& n = static_cast<frmPrinting&>(d);
        shown = n.isVisible() && n.Label1->text() == "Printing...";
        EXPECT_TRUE(n.Timer1->isActive());
        EXPECT_EQ(n.Timer1->interval(), 30);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !n.isVisible(); }, 2000));
    });
    EXPECT_EQ(forms::showModal(forms::form<frmPrinting>()), QDialog::Accepted);
    EXPECT_TRUE(shown);
    forms::unload<frmPrinting>();
}
