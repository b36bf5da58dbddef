// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/colors.h"
#include "drawwin/drawwinstate.h"
#include "drawwin/forms/frmchoosecolor.h"
#include "drawwin/forms/frmcolor.h"
#include "platform/gui/forms.h"
#include "platform/gui/spreadgrid.h"
#include "platform/textfile.h"
#include "project/modgw.h"
#include "support/menus.h"
#include "support/programstate.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int White = 0xFFFFFF;

class ColorWindows : public ProgramStateTest {
protected:
    // Colours "C1" to "Cn", colour i being i 0 0.
    void table(int n) {
        ModGW& m = modgw();
        m.ColorCount = n;
        for (int i = 1; i <= n; ++i) m.ColorTable[i] = {QString(), QStringLiteral("C%1").arg(i), QStringLiteral("%1 0 0").arg(i)};
    }
    static void clickCell(SpreadGrid* g, int row, int col) {
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(g->model()->index(row - 1, col - 1)).center());
    }
    static void shot(QWidget& widget, const QString& name) {
        const QString folder = qEnvironmentVariable("QMAR_SHOTS");
        if (folder.isEmpty()) return;
        QDir().mkpath(folder);
        widget.grab().save(folder + "/" + name + ".png");
    }
    // The definition window on a colour file of two colours, shown and active so that typing reaches it.
    frmColor& definitions() {
        modgw().ColorFile = pf.file("two.col");
        qtext::WriteLines(pf.file("two.col"), {"2", "Red", "255 0 0", "Navy", "0 0 128"});
        modgw().ColorCount = 0;
        loadcolors();
        frmColor& f = forms::form<frmColor>();
        f.show();
        QApplication::setActiveWindow(&f);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&f));
        return f;
    }

    TempProgramFolder pf;
};

} // namespace

// ---- the chooser

TEST_F(ColorWindows, TheChooserShowsThirtyOneColoursAndANameCellPicksItsColour) {
    table(31);
    modgw().ColorTable[31][2] = "0 128 255";
    frmChooseColor& c = forms::form<frmChooseColor>();
    EXPECT_EQ(c.windowTitle(), "Choose Color");
    SpreadGrid* g = c.SSColor;
    EXPECT_EQ(g->maxRows(), 30);
    EXPECT_EQ(g->maxCols(), 10);
    EXPECT_EQ(g->columnHeader(1), "Name");
    EXPECT_EQ(g->columnHeader(10), "Color");
    EXPECT_EQ(g->text(30, 1), "C30");
    EXPECT_EQ(g->text(1, 3), "C31");
    EXPECT_EQ(g->backColor(1, 4), 0 + 256 * 128 + 65536 * 255);
    EXPECT_EQ(g->backColor(2, 4), White);
    c.resize(c.width() / 2, c.height()); // as on a narrow screen
    c.show();
    shot(c, "choose-color");
    EXPECT_EQ(g->horizontalScrollBar()->value(), 0); // at the left, each name beside its swatch

    clickCell(g, 1, 3);
    EXPECT_EQ(drawwin().ChosenColor, 256 * 128 + 65536 * 255);
    EXPECT_FALSE(c.isVisible());
    EXPECT_EQ(c.result(), QDialog::Accepted);
}

TEST_F(ColorWindows, CancelTheCloseBoxAndAnEmptyCellPickNothing) {
    table(3);
    frmChooseColor& c = forms::form<frmChooseColor>();
    c.show();
    drawwin().ChosenColor = 77; // an earlier pick
    clickCell(c.SSColor, 4, 2);
    clickCell(c.SSColor, 1, 3);
    EXPECT_TRUE(c.isVisible());
    EXPECT_EQ(drawwin().ChosenColor, 77);

    c.close();
    EXPECT_FALSE(c.isVisible());
    EXPECT_EQ(drawwin().ChosenColor, -1);

    drawwin().ChosenColor = 77;
    c.show();
    c.Command2->click();
    EXPECT_FALSE(c.isVisible());
    EXPECT_EQ(drawwin().ChosenColor, -1);
}

TEST_F(ColorWindows, ThePickerPicksOnOKAndTheChooserStaysOnCancel) {
    table(1);
    frmChooseColor& c = forms::form<frmChooseColor>();
    c.show();
    ScriptedUi ui;
    ui.color(std::nullopt).color(4660);
    c.Command1->click();
    EXPECT_TRUE(c.isVisible());
    c.Command1->click();
    EXPECT_FALSE(c.isVisible());
    EXPECT_EQ(drawwin().ChosenColor, 4660);
    EXPECT_EQ(ui.colorRequests.size(), 2);
}

// ---- the definitions

TEST_F(ColorWindows, TheDefinitionsShowTheTableAndThePickerWritesTheValues) {
    modgw().CellEditMode = "1";
    frmColor& f = definitions();
    EXPECT_EQ(f.windowTitle(), "Define Colors - " + pf.file("two.col"));
    SpreadGrid* g = f.SSColor;
    EXPECT_EQ(g->maxRows(), 150);
    EXPECT_EQ(QStringList({g->columnHeader(1), g->columnHeader(2), g->columnHeader(3)}),
              QStringList({"Name", "RGB Values", "Color"}));
    EXPECT_EQ(g->text(2, 1), "Navy");
    EXPECT_EQ(g->backColor(2, 3), 128 * 65536);
    EXPECT_TRUE(g->replaceOnEdit());
    EXPECT_EQ(menuCaptions(f.mnuFile->actions()), QStringList({"&Open Color File", "&Save Color File", "Save &As"}));
    EXPECT_EQ(f.ColorsChanged, 0);

    ScriptedUi ui;
    ui.color(65535).color(std::nullopt);
    g->setActiveCell(2, 1);
    f.Command1->click();
    EXPECT_EQ(ui.colorRequests, QList<int>({128 * 65536}));
    EXPECT_EQ(g->text(2, 2), "255 255 0");
    EXPECT_EQ(g->backColor(2, 3), 65535);
    EXPECT_EQ(f.ColorsChanged, 1);
    f.ColorsChanged = 0;
    f.Command1->click(); // cancelled: nothing changes
    EXPECT_EQ(g->text(2, 2), "255 255 0");
    EXPECT_EQ(f.ColorsChanged, 0);
    // The table in memory changes only by saving.
    EXPECT_EQ(modgw().ColorTable[2][2], "0 0 128");
    shot(f, "define-colors");
}

TEST_F(ColorWindows, RefreshRepaintsTheUsedRowsAndWhitensTheRest) {
    frmColor& f = definitions();
    SpreadGrid* g = f.SSColor;
    g->setBackColor({5, 3, 5, 3}, 255);
    g->setText(3, 1, "Lime");
    g->setText(3, 2, "0 255 0");
    f.Command2->click();
    EXPECT_EQ(g->backColor(3, 3), 256 * 255);
    EXPECT_EQ(g->backColor(5, 3), White);
    EXPECT_EQ(f.ColorsChanged, 0); // the window's own writing is no edit

    // Typing is.
    g->setActiveCell(4, 1);
    QTest::keyClicks(g, "Teal");
    QTest::keyClick(g, Qt::Key_Return);
    EXPECT_EQ(g->text(4, 1), "Teal");
    EXPECT_EQ(f.ColorsChanged, 1);
}

TEST_F(ColorWindows, OpenSaveAndSaveAsRoundTripAndSetTheCaption) {
    frmColor& f = definitions();
    qtext::WriteLines(pf.file("other.col"), {"1", "Olive", "128 128 0"});
    ScriptedUi ui;
    ui.file(pf.file("other.col"), "Open Color Definition File");
    f.mnuOpenColorFile->trigger();
    const FileDialogRequest& open = ui.fileRequests.last();
    EXPECT_EQ(open.filter, "Color Definition Files (*.col)|*.col");
    EXPECT_EQ(open.defaultExt, "col");
    EXPECT_EQ(modgw().ColorFile, pf.file("other.col"));
    EXPECT_EQ(modgw().ColorCount, 1);
    EXPECT_EQ(f.SSColor->text(1, 1), "Olive");
    EXPECT_EQ(f.SSColor->text(2, 1), "");
    EXPECT_EQ(f.windowTitle(), "Define Colors - " + pf.file("other.col"));

    f.SSColor->setText(2, 1, "Black");
    f.SSColor->setText(2, 2, "0 0 0");
    f.ColorsChanged = 1;
    f.mnuSaveColorFile->trigger();
    EXPECT_EQ(f.ColorsChanged, 0);
    EXPECT_EQ(qtext::ReadLines(pf.file("other.col")), QStringList({"2", "Olive", "128 128 0", "Black", "0 0 0"}));

    ui.file(pf.file("copy.col"), "Save Color Definition File");
    f.mnuSaveColorFileAs->trigger();
    EXPECT_TRUE(ui.fileRequests.last().save);
    EXPECT_EQ(qtext::ReadLines(pf.file("copy.col")), qtext::ReadLines(pf.file("other.col")));
    EXPECT_EQ(modgw().ColorFile, pf.file("copy.col"));
    EXPECT_EQ(f.windowTitle(), "Define Colors - " + pf.file("copy.col"));

    // Cancelled dialogs change nothing.
    ui.file("").file("");
    f.mnuOpenColorFile->trigger();
    f.mnuSaveColorFileAs->trigger();
    EXPECT_EQ(modgw().ColorFile, pf.file("copy.col"));
}

TEST_F(ColorWindows, ChangesAreOfferedForSavingBeforeOpeningAndOnOKAndTheCloseBox) {
    frmColor& f = definitions();
    ScriptedUi ui;
    const QString exiting = "Would you like to save the current COLOR FILE before exiting?";
    // Open: Cancel stops before the dialog.
    f.ColorsChanged = 1;
    ui.answer(vb::Cancel, "before opening another?");
    f.mnuOpenColorFile->trigger();
    EXPECT_TRUE(ui.fileRequests.isEmpty());
    EXPECT_EQ(ui.styles.last(), vb::YesNoCancel | vb::Question);

    // OK: Cancel keeps the window, No closes without saving.
    ui.answer(vb::Cancel, exiting);
    f.Command3->click();
    EXPECT_TRUE(f.isVisible());
    f.SSColor->setText(1, 1, "Scarlet");
    ui.answer(vb::No, exiting);
    f.close(); // the close box is OK
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(qtext::ReadLines(pf.file("two.col")).at(1), "Red");

    // Yes saves and closes.
    f.show();
    f.ColorsChanged = 1;
    ui.answer(vb::Yes, exiting);
    f.Command3->click();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(qtext::ReadLines(pf.file("two.col")).at(1), "Scarlet");
    EXPECT_EQ(modgw().ColorTable[1][1], "Scarlet");

    // Cancel never asks.
    f.show();
    f.ColorsChanged = 1;
    f.Command4->click();
    EXPECT_FALSE(f.isVisible());
}

TEST_F(ColorWindows, AFailedSaveKeepsTheChangesTheFileNameAndTheWindow) {
    frmColor& f = definitions();
    QFile::remove(pf.file("two.col"));
    QDir().mkpath(pf.file("two.col")); // a folder in the file's place
    f.SSColor->setText(1, 1, "Scarlet");
    f.ColorsChanged = 1;
    ScriptedUi ui;
    ui.answer(vb::Yes, "before exiting?");
    ui.answer(vb::OK, "in savecolors.  Please contact Kalvex");
    f.Command3->click();
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(f.ColorsChanged, 1);
    EXPECT_EQ(modgw().ColorFile, pf.file("two.col"));
    EXPECT_EQ(modgw().ColorTable[1][1], "Red");

    // Save As to a place that fails keeps the old file name too.
    QDir().mkpath(pf.file("taken.col"));
    ui.file(pf.file("taken.col"));
    ui.answer(vb::OK, "in savecolors.");
    f.mnuSaveColorFileAs->trigger();
    EXPECT_EQ(modgw().ColorFile, pf.file("two.col"));
    EXPECT_EQ(f.windowTitle(), "Define Colors - " + pf.file("two.col"));
    EXPECT_EQ(f.ColorsChanged, 1);
}
