// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing window's File and Drawing menus as the user works them: the dialogs they open driven
// through their controls, files written and read back, printing to PDF, Print Setup with printers
// the test names.
#include "drawareafixture.h"

#include "drawcmd/printdrawing.h"
#include "drawwin/forms/frmbitmapsize.h"
#include "drawwin/forms/frmnewdrawing.h"
#include "drawwin/forms/frmprinting.h"
#include "drawwin/toolbar.h"
#include "platform/gui/printersetup.h"
#include "platform/printer.h"
#include "platform/timings.h"
#include "support/menus.h"
#include "support/pdftools.h"
#include "support/scriptedui.h"

#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

class DrawFileMenus : public DrawAreaFixture {
protected:
    void SetUp() override {
        DrawAreaFixture::SetUp();
        modgw().DataFolder = pf.path();
        timings().printNoticeMs = 20;
    }

    static void rect(int x1, int y1, int x2, int y2) {
        page().AddObject(draw::Rectangle, x1, y1, x2, y2);
        drawwin().DrawingModified = 1;
    }

    ScriptedUi ui;
};

} // namespace

TEST_F(DrawFileMenus, TheFileAndDrawingMenus) {
    DrawArea& w = win();
    EXPECT_EQ(menuCaptions(w.mnuFile->actions()),
              QStringList({"&Print", "Print Set&up", "-", "&Exit Screen Preview"}));
    EXPECT_EQ(menuCaptions(w.mnuDrawing->actions()),
              QStringList({"&New Drawing", "&Open Drawing...", "&Save Drawing", "Save Drawing &As..."}));
}

TEST_F(DrawFileMenus, NewDrawingOfA4LandscapeFromItsDialog) {
    DrawArea& w = win();
    w.Button(toolbar::SelectObjects)->setChecked(true);
    page().EditMode(11);
    rect(10, 10, 200, 200);
    drawwin().DrawingFileName = pf.file("old.kdf");
    QStringList dialogs;
    forms::setModalHook([&](QDialog& d) {
        dialogs << d.windowTitle();
        auto& f = static_cast<frmNewDrawing&>(d);
        f.Option1->click();
        f.List1->setCurrentRow(14);
        f.Command1->click();
    });
    ui.answer(vb::No, "before creating a new one?");
    w.mnuNewDrawing->trigger();
    EXPECT_EQ(dialogs, QStringList{"Choose New Drawing Size"});
    EXPECT_FALSE(forms::isLoaded<frmNewDrawing>());
    EXPECT_EQ(page().count(), 0);
    EXPECT_EQ(page().PageWidth(), 6716); // (11.69291 - 0.5) x 600
    EXPECT_EQ(page().PageHeight(), 4661);
    EXPECT_EQ(drawwin().DrawingFileName, "");
    EXPECT_EQ(drawwin().DrawingModified, 0);
    EXPECT_FALSE(w.Button(toolbar::SelectObjects)->isChecked());
    EXPECT_EQ(page().EditMode(), 0);
}

TEST_F(DrawFileMenus, SaveAsBitmapAsksItsSizeAndTheCloseBoxCancels) {
    DrawArea& w = win();
    rect(600, 600, 1800, 1200);
    modgw().BitmapWidth = 0;
    bool closeBox = true;
    forms::setModalHook([&](QDialog& d) {
        auto& f = static_cast<frmBitmapSize&>(d);
        EXPECT_EQ(f.Text1->text(), "630");
        if (closeBox) {
            f.close();
            return;
        }
        f.Text1->selectAll();
        QTest::keyClicks(f.Text1, "315");
        EXPECT_EQ(f.Text2->text(), "240");
        f.Command1->click();
    });
    ui.file(pf.file("page"), "Save Drawing As", 2);
    w.mnuSaveDrawingAs->trigger();
    EXPECT_FALSE(QFileInfo::exists(pf.file("page.bmp")));
    EXPECT_EQ(drawwin().DrawingModified, 1);
    EXPECT_EQ(drawwin().DrawingFileName, "");

    closeBox = false;
    ui.file(pf.file("page"), "Save Drawing As", 2).answer(vb::OK, "File Saved:  " + pf.file("page.bmp"));
    w.mnuSaveDrawingAs->trigger();
    EXPECT_EQ(QImage(pf.file("page.bmp")).size(), QSize(315, 240));
    EXPECT_EQ(modgw().BitmapWidth, 315);
    EXPECT_EQ(drawwin().DrawingFileName, pf.file("page.bmp"));
    EXPECT_EQ(drawwin().DrawingModified, 0);
}

TEST_F(DrawFileMenus, SaveReleasesTheToolsAndOpenBringsTheDrawingBackAtTheDefaultZoom) {
    DrawArea& w = win();
    w.show();
    rect(600, 600, 1800, 1200);
    rect(2400, 600, 3000, 3000);
    w.Button(toolbar::FreePolygon + 2)->setChecked(true); // Free Rectangle
    page().EditMode(2);
    drawwin().DrawingFileName = pf.file("two.kdf");
    w.mnuSaveDrawing->trigger();
    EXPECT_TRUE(ui.texts.isEmpty());
    EXPECT_FALSE(w.Button(toolbar::FreePolygon + 2)->isChecked());
    EXPECT_EQ(page().EditMode(), 0);
    ASSERT_TRUE(QFileInfo::exists(pf.file("two.kdf")));

    forms::setModalHook([](QDialog& d) { static_cast<frmNewDrawing&>(d).Command1->click(); });
    w.mnuNewDrawing->trigger();
    EXPECT_EQ(page().count(), 0);

    modgw().ZoomAfterOpen = "PAGE";
    w.ZoomIn(100, 100, 400, 400);
    ui.file(pf.file("two.kdf"), "Open Drawing File");
    w.mnuOpenDrawing->trigger();
    EXPECT_EQ(page().count(), 2);
    EXPECT_EQ(drawwin().DrawingFileName, pf.file("two.kdf"));
    const double opened[] = {w.MDraw->ViewLeft(), w.MDraw->ViewTop(), w.MDraw->ViewWidth(), w.MDraw->ViewHeight()};
    w.zoompage();
    EXPECT_EQ(opened[0], w.MDraw->ViewLeft());
    EXPECT_EQ(opened[1], w.MDraw->ViewTop());
    EXPECT_EQ(opened[2], w.MDraw->ViewWidth());
    EXPECT_EQ(opened[3], w.MDraw->ViewHeight());
    w.hide();
}

TEST_F(DrawFileMenus, PrintDuringAPreviewShowsTheNoticeAndLeavesThePageOpen) {
    QPrinter& pr = SystemPrinter();
    pr.setOutputFormat(QPrinter::PdfFormat);
    pr.setOutputFileName(pf.file("page.pdf"));
    ui.file(pf.file("page.pdf"));
    rect(600, 600, 1800, 1200);
    QStringList seen;
    forms::setModalHook([&](QDialog& d) {
        if (auto* notice = qobject_cast<frmPrinting*>(&d)) {
            seen << notice->Label1->text();
            EXPECT_FALSE(QFileInfo::exists(pf.file("page.pdf")));
            EXPECT_TRUE(QTest::qWaitFor([&] { return !notice->isVisible(); }, 2000));
            return;
        }
        auto& w = static_cast<DrawArea&>(d);
        w.mnuPrint->trigger();
        EXPECT_TRUE(w.isVisible()); // still on the same page
        EXPECT_FALSE(forms::isLoaded<frmPrinting>());
        seen << "printed";
        w.nextpage();
    });
    EXPECT_EQ(DrawArea::ShowPage(), PreviewResult::NextPage);
    EXPECT_EQ(seen, QStringList({"Printing...", "printed"}));
    EXPECT_EQ(pdfInfo(pf.file("page.pdf"), "Pages"), "1");
    EXPECT_EQ(ui.texts, QStringList{"Print to File"});
}

TEST_F(DrawFileMenus, PrintWithNoPrinterOpensPrintSetupOnAFileAndACancelPrintsNothing) {
    QPrinter& pr = SystemPrinter();
    pr.setOutputFormat(QPrinter::PdfFormat);
    pr.setOutputFileName(QString());
    forms::setModalHook([](QDialog&) { ADD_FAILURE() << "the notice showed: a print began"; });
    ui.printer(std::nullopt);
    win().mnuPrint->trigger();
    ASSERT_EQ(ui.printerRequests.size(), 1);
    EXPECT_EQ(ui.printerRequests[0].printerName, ""); // on "Print to File (PDF)"
}

TEST_F(DrawFileMenus, PrintSetupHandsAnInstalledPrinterOnAndNamesOneThatIsNot) {
    SetPrinterNames([] { return QStringList{"Office Laser", "Plotter"}; });
    QPrinter& p = SystemPrinter();
    p.setCopyCount(1);
    p.setPageOrientation(QPageLayout::Portrait);
    p.setPageSize(QPageSize(QPageSize::Letter));
    DrawArea& w = win();

    ui.printer(PrinterSetupChoice{"Plotter", 3, QPageLayout::Landscape, QPageSize::A4});
    w.mnuPrintSetup->trigger();
    ASSERT_EQ(ui.printerRequests.size(), 1);
    EXPECT_EQ(ui.printerRequests[0].copies, 1); // the dialog opens on the printer's settings
    EXPECT_EQ(p.copyCount(), 3);
    EXPECT_EQ(p.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(p.pageLayout().pageSize().id(), QPageSize::A4);

    // No copies keeps the copies; the other values are taken.
    ui.printer(PrinterSetupChoice{"Office Laser", 0, QPageLayout::Portrait, QPageSize::Legal});
    w.mnuPrintSetup->trigger();
    EXPECT_EQ(p.copyCount(), 3);
    EXPECT_EQ(p.pageLayout().pageSize().id(), QPageSize::Legal);

    ui.printer(PrinterSetupChoice{"Gone Printer", 5, QPageLayout::Landscape, QPageSize::A3})
        .answer(vb::OK, "Error 482 in DrawArea-PrintSetup.  Please contact Kalvex");
    w.mnuPrintSetup->trigger();
    ui.printer(std::nullopt);
    w.mnuPrintSetup->trigger();
    EXPECT_EQ(ui.texts.size(), 1);
    EXPECT_EQ(p.copyCount(), 3);
    EXPECT_EQ(p.pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_EQ(p.pageLayout().pageSize().id(), QPageSize::Legal);
}
