// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gui/printersetup.h"
#include "support/programstate.h"
#include "support/scriptedui.h"

#include <QPrinter>
#include <gtest/gtest.h>

namespace {

class PrinterSetup : public ProgramStateTest {
protected:
    void SetUp() override {
        SetPrinterNames([] { return QStringList{"Office Laser", "Plotter", "Plotter"}; });
        printer.setOutputFileName(QStringLiteral("/dev/null"));
        printer.setCopyCount(2);
        printer.setPageOrientation(QPageLayout::Portrait);
        printer.setPageSize(QPageSize(QPageSize::Letter));
    }
    QPrinter printer;
};

} // namespace

TEST_F(PrinterSetup, AMatchedNameTakesCopiesOrientationAndPaper) {
    EXPECT_TRUE(ApplyPrinterChoice(printer, {"Plotter", 4, QPageLayout::Landscape, QPageSize::A3}));
    EXPECT_EQ(printer.copyCount(), 4);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A3);
    const PrinterSetupChoice now = PrinterSettingsOf(printer);
    EXPECT_EQ(now.copies, 4);
    EXPECT_EQ(now.paperSize, QPageSize::A3);
}

TEST_F(PrinterSetup, ACopyCountBelowOneKeepsTheCopies) {
    EXPECT_TRUE(ApplyPrinterChoice(printer, {"Office Laser", 0, QPageLayout::Landscape, QPageSize::Legal}));
    EXPECT_EQ(printer.copyCount(), 2);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::Legal);
}

TEST_F(PrinterSetup, AnUnmatchedOrEmptyNameChangesNothing) {
    for (const char* name : {"plotter", "Plotter ", ""}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(ApplyPrinterChoice(printer, {name, 5, QPageLayout::Landscape, QPageSize::A4}));
        EXPECT_EQ(printer.copyCount(), 2);
        EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
        EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::Letter);
    }
    SetPrinterNames([] { return QStringList(); });
    EXPECT_FALSE(ApplyPrinterChoice(printer, {"Plotter", 5, QPageLayout::Landscape, QPageSize::A4}));
}

TEST_F(PrinterSetup, TheDialogGoesThroughTheMessageService) {
    ScriptedUi ui;
    ui.printer(std::nullopt);
    EXPECT_FALSE(ShowPrinterDialog());
    ASSERT_EQ(ui.printerRequests.size(), 1);
    setUi(nullptr);
    // Unattended, the quiet service cancels the dialog.
    EXPECT_FALSE(ShowPrinterDialog());
    setUi(&ui);
}
