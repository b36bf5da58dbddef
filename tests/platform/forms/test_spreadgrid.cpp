// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gui/spreadgrid.h"
#include "support/programstate.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

class GridTest : public ProgramStateTest {
protected:
    SpreadGrid g{QStringLiteral("SS"), nullptr};

    void SetUp() override {
        g.setMaxRows(20);
        g.setMaxCols(6);
        g.resize(640, 420);
        g.show();
        QApplication::setActiveWindow(&g);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&g));
        g.setFocus();
    }

    // Closed editors linger until deferred deletes run.
    template <class W> W* openEditor() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (W* w : g.viewport()->findChildren<W*>())
            if (w->isVisible()) return w;
        return nullptr;
    }
    void type(const QString& keys) { QTest::keyClicks(&g, keys); }
    // Keys as the window system delivers them: to the focused widget (the open editor, if any),
    // capitals and shifted symbols with Shift pressed first and released after.
    QWidget* focused() { return QApplication::focusWidget() ? QApplication::focusWidget() : &g; }
    void key(Qt::Key k, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(focused(), k, mods); }
    void typeAsAPerson(const QString& text) {
        for (const QChar c : text) {
            const bool shifted = c.isUpper() || QStringLiteral("<>_:?\"!@#$%^&*()+{}|~").contains(c);
            QTest::keyClick(focused(), c.toLatin1(), shifted ? Qt::ShiftModifier : Qt::NoModifier);
        }
    }
    void enter() { QTest::keyClick(&g, Qt::Key_Return); }
    QString clip() const { return QGuiApplication::clipboard()->text(); }
};

} // namespace

TEST_F(GridTest, CellsAreOneBasedAndTheUsedCountsTakeTheLastTextInAnyRowOrColumn) {
    g.setText(1, 1, "a");
    g.setText(5, 3, "x");
    g.setText(3, 2, " ");   // blanks are text
    EXPECT_EQ(g.text(5, 3), "x");
    EXPECT_EQ(g.usedRowCount(), 5);   // rows 2 and 4 are blank and still count
    EXPECT_EQ(g.usedColCount(), 3);
    g.setText(5, 3, "");
    EXPECT_EQ(g.usedRowCount(), 3);
    EXPECT_EQ(g.usedColCount(), 2);

    g.setText(0, 1, "no");
    g.setText(21, 1, "no");
    g.setText(1, 7, "no");
    EXPECT_EQ(g.usedRowCount(), 3);
    EXPECT_EQ(g.usedColCount(), 2);
    EXPECT_EQ(g.text(21, 1), "");

    // A smaller grid drops what falls outside; growing again does not bring it back.
    g.setMaxRows(2);
    EXPECT_EQ(g.usedRowCount(), 1);
    g.setMaxRows(20);
    EXPECT_EQ(g.text(3, 2), "");
}

TEST_F(GridTest, HeadersDefaultToLettersAndNumbersAndTheClassicAddressReachesThem) {
    g.setMaxCols(28);
    EXPECT_EQ(g.columnHeader(1), "A");
    EXPECT_EQ(g.columnHeader(27), "AA");
    EXPECT_EQ(g.rowHeader(3), "3");
    g.Row = 0, g.Col = 2;
    g.setText("Units");
    g.Row = 4, g.Col = 0;
    g.setText("Dup Code");
    EXPECT_EQ(g.columnHeader(2), "Units");
    EXPECT_EQ(g.rowHeader(4), "Dup Code");
    EXPECT_EQ(g.model()->headerData(1, Qt::Horizontal).toString(), "Units");
    g.Row = 2, g.Col = 3;
    g.setText("cell");
    EXPECT_EQ(g.text(2, 3), "cell");
    EXPECT_EQ(g.text(), "cell");
}

TEST_F(GridTest, TypingReplacesOrAddsToTheTextAndEnterMovesDownOrRight) {
    QSignalSpy edited(&g, &SpreadGrid::userEdited);
    g.setText(1, 1, "abc");
    g.setText(2, 1, "abc");
    g.setActiveCell(1, 1);
    g.setReplaceOnEdit(true);
    type("xy");
    enter();
    EXPECT_EQ(g.text(1, 1), "xy");
    EXPECT_EQ(g.activeRow(), 2);
    EXPECT_EQ(g.activeCol(), 1);
    ASSERT_EQ(edited.count(), 1);
    EXPECT_EQ(edited[0], QVariantList({1, 1, 1, 1}));

    g.setReplaceOnEdit(false);
    type("d");
    enter();
    EXPECT_EQ(g.text(2, 1), "abcd");
    EXPECT_EQ(g.activeRow(), 3);

    // Enter without editing moves too; 8 moves right and stops at the last column.
    g.setEnterAction(SpreadGrid::EnterRight);
    g.setActiveCell(1, 5);
    type("r");
    enter();
    EXPECT_EQ(g.text(1, 5), "r");
    EXPECT_EQ(g.activeCol(), 6);
    enter();
    EXPECT_EQ(g.activeCol(), 6);
    EXPECT_EQ(g.activeRow(), 1);

    // Escape leaves the text as it was.
    g.setActiveCell(1, 1);
    type("zz");
    QTest::keyClick(&g, Qt::Key_Escape);
    EXPECT_EQ(g.text(1, 1), "xy");
    EXPECT_EQ(edited.count(), 3);
}

TEST_F(GridTest, EditModeKeepsTheActiveCellOpenAcrossMovesUntilSwitchedOff) {
    g.setText(1, 1, "ab");
    g.setText(2, 1, "cd");
    g.setReplaceOnEdit(false);
    g.setActiveCell(1, 1);
    g.setGridEditMode(true);
    ASSERT_NE(openEditor<QLineEdit>(), nullptr);
    type("1");
    enter();
    EXPECT_EQ(g.text(1, 1), "ab1");
    EXPECT_EQ(g.activeRow(), 2);
    ASSERT_NE(openEditor<QLineEdit>(), nullptr);   // reopened on the new cell
    type("2");
    g.setGridEditMode(false);   // closing keeps what was typed
    EXPECT_FALSE(g.gridEditMode());
    EXPECT_EQ(openEditor<QLineEdit>(), nullptr);
    EXPECT_EQ(g.text(2, 1), "cd2");

    // With replace-on-edit the opened cell's text is selected, so typing replaces it.
    g.setReplaceOnEdit(true);
    g.setGridEditMode(true);
    type("new");
    g.setGridEditMode(false);
    EXPECT_EQ(g.text(2, 1), "new");
}

TEST_F(GridTest, LockedCellsRefuseTypingPasteCutAndDeleteButCodeStillWritesThem) {
    QSignalSpy edited(&g, &SpreadGrid::userEdited);
    g.setLocked(1, 1, true);
    g.setColumnLocked(2, true);
    g.setText(1, 1, "p1");
    g.setText(2, 2, "p2");
    g.setText(2, 1, "free");
    EXPECT_EQ(g.text(1, 1), "p1");

    g.setActiveCell(1, 1);
    type("x");
    enter();
    EXPECT_EQ(g.text(1, 1), "p1");
    EXPECT_EQ(openEditor<QLineEdit>(), nullptr);

    g.setSelectedBlock({1, 1, 2, 2});
    QTest::keyClick(&g, Qt::Key_Delete);
    EXPECT_EQ(g.text(1, 1), "p1");
    EXPECT_EQ(g.text(2, 2), "p2");
    EXPECT_EQ(g.text(2, 1), "");

    QGuiApplication::clipboard()->setText("a\tb\r\nc\td\r\n");
    g.setSelectedBlock({1, 1, 1, 1});
    g.paste();
    EXPECT_EQ(g.text(1, 1), "p1");
    EXPECT_EQ(g.text(1, 2), "");   // column 2 is locked
    EXPECT_EQ(g.text(2, 1), "c");
    EXPECT_EQ(g.text(2, 2), "p2");
    EXPECT_EQ(edited.count(), 2);   // the Delete and the paste
}

TEST_F(GridTest, TheClipboardCarriesBlocksAsTabTextWithCrLfRows) {
    QSignalSpy edited(&g, &SpreadGrid::userEdited);
    g.setText(1, 1, "a");
    g.setText(1, 2, "b");
    g.setText(1, 3, "c");
    g.setText(2, 1, "d");
    g.setText(2, 3, "f");
    g.setSelectedBlock({1, 1, 2, 3});
    g.GridAction(22);
    EXPECT_EQ(clip(), "a\tb\tc\r\nd\t\tf\r\n");

    g.setSelectedBlock({5, 2, 5, 2});   // a paste starts at the selection's top-left cell
    g.GridAction(24);
    EXPECT_EQ(g.text(5, 2), "a");
    EXPECT_EQ(g.text(5, 4), "c");
    EXPECT_EQ(g.text(6, 3), "");
    EXPECT_EQ(g.text(6, 4), "f");
    ASSERT_EQ(edited.count(), 1);
    EXPECT_EQ(edited[0], QVariantList({5, 2, 6, 4}));

    // Cut copies, then empties the block.
    g.setSelectedBlock({5, 2, 6, 4});
    g.GridAction(23);
    EXPECT_EQ(clip(), "a\tb\tc\r\nd\t\tf\r\n");
    EXPECT_EQ(g.usedRowCount(), 2);

    // Text from elsewhere may end its lines in LF alone; what does not fit the grid is left out.
    QGuiApplication::clipboard()->setText("1\t2\n3\t4");
    g.setSelectedBlock({19, 6, 19, 6});
    g.paste();
    EXPECT_EQ(g.text(19, 6), "1");
    EXPECT_EQ(g.text(20, 6), "3");
    EXPECT_EQ(g.usedColCount(), 6);

    // The keyboard's copy and paste do the same.
    g.setSelectedBlock({19, 6, 20, 6});
    QTest::keyClick(&g, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clip(), "1\r\n3\r\n");
    g.setSelectedBlock({10, 1, 10, 1});
    QTest::keyClick(&g, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(g.text(11, 1), "3");
}

TEST_F(GridTest, ADateColumnShowsAndReadsDatesInItsOrder) {
    g.setText(3, 2, "13/01/2002");   // a text column first: the text is kept as it is
    g.setDateColumn(2, 1);
    EXPECT_EQ(g.date(3, 2), QDate(2002, 1, 13));

    g.setText(1, 2, "2002-05-01");   // as the database hands it over
    EXPECT_EQ(g.text(1, 2), "01/05/2002");
    g.setDateColumn(2, 0);
    EXPECT_EQ(g.text(1, 2), "05/01/2002");
    EXPECT_EQ(g.date(1, 2), QDate(2002, 5, 1));
    EXPECT_TRUE(g.isDateColumn(2));
    EXPECT_FALSE(g.isDateColumn(1));

    g.setActiveCell(2, 2);
    type("1/5/02");
    enter();
    EXPECT_EQ(g.date(2, 2), QDate(2002, 1, 5));
    g.setDateColumn(2, 1);
    g.setActiveCell(2, 2);
    type("1/5/02");
    enter();
    EXPECT_EQ(g.date(2, 2), QDate(2002, 5, 1));
    EXPECT_EQ(g.text(2, 2), "01/05/2002");

    // A typed text that is no date keeps the cell open; Escape gives the old date back.
    type("31/31/2002");
    enter();
    EXPECT_NE(openEditor<QLineEdit>(), nullptr);
    QTest::keyClick(&g, Qt::Key_Escape);
    EXPECT_EQ(g.text(2, 2), "01/05/2002");

    // A stored text that is no date is still shown, and copied as shown.
    g.setText(4, 2, "n/a");
    EXPECT_EQ(g.text(4, 2), "n/a");
    EXPECT_EQ(g.date(4, 2), std::nullopt);
    g.setSelectedBlock({1, 2, 2, 2});
    g.copy();
    EXPECT_EQ(clip(), "01/05/2002\r\n01/05/2002\r\n");
    QGuiApplication::clipboard()->setText("not a date\r\n7/8/1999\r\n");
    g.setSelectedBlock({5, 2, 5, 2});
    g.paste();
    EXPECT_EQ(g.text(5, 2), "");
    EXPECT_EQ(g.date(6, 2), QDate(1999, 8, 7));
}

TEST_F(GridTest, ADropDownCellOffersItsListAndKeepsAForeignStoredText) {
    QSignalSpy edited(&g, &SpreadGrid::userEdited);
    g.setDropDownTabList(4, 1, "Proportional\tExaggerated\t");
    EXPECT_EQ(g.dropDownItems(4, 1), QStringList({"Proportional", "Exaggerated"}));
    g.setText(4, 1, "Linear");
    EXPECT_EQ(g.text(4, 1), "Linear");

    g.setActiveCell(4, 1);
    QTest::keyClick(&g, Qt::Key_F2);
    auto* combo = openEditor<QComboBox>();
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->currentIndex(), -1);
    enter();   // nothing picked
    EXPECT_EQ(g.text(4, 1), "Linear");
    EXPECT_EQ(edited.count(), 0);

    g.setActiveCell(4, 1);
    QTest::keyClick(&g, Qt::Key_F2);
    combo = openEditor<QComboBox>();
    ASSERT_NE(combo, nullptr);
    combo->setCurrentIndex(1);
    enter();
    EXPECT_EQ(g.text(4, 1), "Exaggerated");
    EXPECT_EQ(edited.count(), 1);

    // Only items can be pasted in; clearing the texts keeps the list.
    QGuiApplication::clipboard()->setText("Linear\r\n");
    g.setSelectedBlock({4, 1, 4, 1});
    g.paste();
    EXPECT_EQ(g.text(4, 1), "Exaggerated");
    g.Row = 1, g.Col = 1, g.Row2 = 10, g.Col2 = 1;
    g.BlockActive = true;
    g.GridAction(3);
    EXPECT_EQ(g.text(4, 1), "");
    EXPECT_EQ(g.dropDownItems(4, 1).size(), 2);
}

TEST_F(GridTest, ChangesMadeByCodeRaiseNoUserEdit) {
    QSignalSpy edited(&g, &SpreadGrid::userEdited);
    g.setText(1, 1, "a");
    g.setRows({{"1", "2"}, {"3"}});
    g.setColumnData(3, {"x", "y"});
    g.setDateColumn(4, 0);
    g.setText(1, 4, "1/2/2003");
    g.insertRows(1);
    g.deleteRows(1);
    g.Row = 1, g.Col = 1;
    g.GridAction(3);
    g.GridAction(12);
    g.setActiveCell(2, 2);
    EXPECT_EQ(edited.count(), 0);
    EXPECT_EQ(g.text(2, 1), "3");
    EXPECT_EQ(g.text(2, 3), "y");
}

TEST_F(GridTest, InsertAndDeleteMoveTextsButNeverPushATextOutOfTheGrid) {
    g.setMaxRows(5);
    g.setRows({{"r1"}, {"r2"}, {"r3"}, {"r4"}, {"r5"}});
    g.setRowHeader(4, "Scale Type");
    g.Row = 2, g.Col = 1;
    g.BlockActive = false;
    g.GridAction(7);
    EXPECT_EQ(g.maxRows(), 6);
    EXPECT_EQ(g.text(2, 1), "");
    EXPECT_EQ(g.text(6, 1), "r5");
    EXPECT_EQ(g.rowHeader(4), "Scale Type");   // captions belong to the place, not the text
    g.GridAction(5);
    EXPECT_EQ(g.text(2, 1), "r2");
    EXPECT_EQ(g.text(5, 1), "r5");
    EXPECT_EQ(g.text(6, 1), "");

    g.Row = 1, g.Row2 = 2;
    g.BlockActive = true;
    g.GridAction(5);
    EXPECT_EQ(g.text(1, 1), "r3");
    EXPECT_EQ(g.usedRowCount(), 3);
    EXPECT_EQ(g.maxRows(), 6);

    // Without a block only the addressed cell is cleared.
    g.BlockActive = false;
    g.Row = 2;
    g.GridAction(3);
    EXPECT_EQ(g.text(1, 1), "r3");
    EXPECT_EQ(g.text(2, 1), "");
    EXPECT_EQ(g.text(3, 1), "r5");
}

TEST_F(GridTest, RedrawOffHoldsBackChangeNoticesUntilItIsOnAgain) {
    QSignalSpy changed(g.model(), &QAbstractItemModel::dataChanged);
    g.setRedraw(false);
    for (int r = 1; r <= 20; ++r) g.setText(r, 1, QString::number(r));
    g.setColumnHeader(1, "Source");
    EXPECT_EQ(changed.count(), 0);
    EXPECT_FALSE(g.redraw());
    g.setRedraw(true);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(g.model()->index(19, 0).data().toString(), "20");
}

TEST_F(GridTest, FirstVisibleRowAndColumnSurviveARefill) {
    g.setMaxRows(300);
    g.setMaxCols(40);
    g.setTopRow(120);
    g.setLeftCol(7);
    EXPECT_EQ(g.topRow(), 120);
    EXPECT_EQ(g.leftCol(), 7);

    // The main window's record delete: remember, refill with redraw off, restore.
    const int top = g.topRow(), left = g.leftCol();
    g.setRedraw(false);
    QList<QStringList> rows(299, QStringList{"s", "2002-05-01"});
    g.setRows(rows);
    g.setTopRow(top);
    g.setLeftCol(left);
    g.setRedraw(true);
    EXPECT_EQ(g.topRow(), 120);
    EXPECT_EQ(g.leftCol(), 7);

    g.Row = 250, g.Col = 3;
    g.GridAction(0);
    EXPECT_EQ(g.activeRow(), 250);
    EXPECT_EQ(g.activeCol(), 3);
    EXPECT_LE(g.topRow(), 250);   // scrolled into view
    EXPECT_GT(g.topRow(), 200);
}

TEST_F(GridTest, ClicksAndBlockSelectionsAreReportedWithOneBasedCells) {
    QSignalSpy clicked(&g, &SpreadGrid::cellClicked);
    QSignalSpy block(&g, &SpreadGrid::blockSelected);
    const QRect cell = g.visualRect(g.model()->index(2, 1));   // row 3, column 2
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked[0][0].toInt(), 3);
    EXPECT_EQ(clicked[0][1].toInt(), 2);
    const QRect far = g.visualRect(g.model()->index(4, 3));
    QTest::mouseClick(g.viewport(), Qt::LeftButton, Qt::ShiftModifier, far.center());
    ASSERT_GE(block.count(), 1);
    const auto last = block.last();
    EXPECT_EQ(last[0].toInt(), 3);
    EXPECT_EQ(last[1].toInt(), 2);
    EXPECT_EQ(last[2].toInt(), 5);
    EXPECT_EQ(last[3].toInt(), 4);
    const CellBlock b = g.selectedBlock();
    EXPECT_EQ(b.row2, 5);
    EXPECT_EQ(b.col2, 4);
}

TEST_F(GridTest, AssistiveTechnologySeesATableNamedAfterTheGridWithItsCells) {
    g.setObjectName("SS1");
    g.setColumnHeader(2, "Samp_Date");
    g.setText(1, 2, "value");
    EXPECT_EQ(g.accessibleName(), "SS1");
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&g);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::Table);
    EXPECT_EQ(iface->text(QAccessible::Name), "SS1");
    ASSERT_NE(iface->tableInterface(), nullptr);
    QAccessibleInterface* cell = iface->tableInterface()->cellAt(0, 1);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->text(QAccessible::Name), "value");
    EXPECT_EQ(iface->tableInterface()->columnDescription(1), "Samp_Date");
}

TEST_F(GridTest, BackColoursAreRgbNumbersAndWhiteByDefault) {
    EXPECT_EQ(g.backColor(1, 3), 0xFFFFFF);
    g.setBackColor({1, 3, 2, 3}, 255 + 256 * 128);
    EXPECT_EQ(g.backColor(2, 3), 33023);
    EXPECT_EQ(g.model()->index(1, 2).data(Qt::BackgroundRole).value<QColor>(), QColor(255, 128, 0));
}

TEST_F(GridTest, TenThousandRowsFillFast) {
    QList<QStringList> rows;
    for (int r = 0; r < 10000; ++r) {
        QStringList row{"MW-1", "2002-05-01", ""};
        for (int p = 0; p < 20; ++p) row << QString::number(r + p);
        rows << row;
    }
    g.setDateColumn(2, 0);
    QElapsedTimer t;
    t.start();
    g.setRedraw(false);
    g.setMaxRows(int(rows.size()));
    g.setRows(rows);
    g.setRedraw(true);
    g.repaint();
    const qint64 ms = t.elapsed();
    EXPECT_EQ(g.usedRowCount(), 10000);
    EXPECT_EQ(g.text(10000, 2), "05/01/2002");
    // Far above the expected few tens of ms; a per-cell cost would exceed it many times over.
    EXPECT_LT(ms, 500) << ms << " ms";
    RecordProperty("fill_ms", int(ms));
}

TEST_F(GridTest, CommitEditWritesAnOpenCellAndCodeChangesReachAnOpenEditor) {
    QSignalSpy edited(&g, &SpreadGrid::userEdited);
    g.setText(1, 1, "old");
    g.setActiveCell(1, 1);
    type("typed");
    ASSERT_NE(openEditor<QLineEdit>(), nullptr);
    g.commitEdit();
    EXPECT_EQ(g.text(1, 1), "typed");
    EXPECT_EQ(openEditor<QLineEdit>(), nullptr);   // closed: edit mode is off
    EXPECT_EQ(edited.count(), 1);
    g.commitEdit();   // nothing open: nothing happens
    EXPECT_EQ(edited.count(), 1);

    // In edit mode the cell opens again, showing what was committed.
    g.setReplaceOnEdit(false);
    g.setGridEditMode(true);
    type("!");
    g.commitEdit();
    EXPECT_EQ(g.text(1, 1), "typed!");
    auto* editor = openEditor<QLineEdit>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "typed!");

    // Code refilling the grid under the open cell: the editor shows the new text, and moving on
    // never writes the old one back.
    g.setRedraw(false);
    g.setRows({{"refilled"}, {"second"}});
    g.setRedraw(true);
    EXPECT_EQ(editor->text(), "refilled");
    g.setActiveCell(2, 1);
    EXPECT_EQ(g.text(1, 1), "refilled");
    g.setActiveCell(1, 1);
    g.setRows({{"again"}, {"second"}});
    g.setActiveCell(2, 1);
    EXPECT_EQ(g.text(1, 1), "again");
    EXPECT_EQ(edited.count(), 2);
    g.setGridEditMode(false);
}

TEST_F(GridTest, KeysTheOpenCellDoesNotTakeAreTheGridsOnceAndNeverComeBackToTheCell) {
    QSignalSpy edited(&g, &SpreadGrid::userEdited);
    g.setActiveCell(1, 1);
    typeAsAPerson("MW-3");
    // Modifiers alone and keys nobody takes do nothing.
    key(Qt::Key_Shift);
    key(Qt::Key_Control);
    key(Qt::Key_Alt);
    key(Qt::Key_F1);
    auto* editor = openEditor<QLineEdit>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "MW-3");
    EXPECT_EQ(edited.count(), 0);

    // Up and Down commit the typed text and move, as in a spreadsheet.
    key(Qt::Key_Down);
    EXPECT_EQ(g.text(1, 1), "MW-3");
    EXPECT_EQ(g.activeRow(), 2);
    EXPECT_EQ(openEditor<QLineEdit>(), nullptr);
    typeAsAPerson("pH");
    key(Qt::Key_Up);
    EXPECT_EQ(g.text(2, 1), "pH");
    EXPECT_EQ(g.activeRow(), 1);

    // So do the Page keys.
    g.setActiveCell(3, 2);
    typeAsAPerson("<0.5");
    key(Qt::Key_PageDown);
    EXPECT_EQ(g.text(3, 2), "<0.5");
    EXPECT_GT(g.activeRow(), 3);
    EXPECT_EQ(g.activeCol(), 2);
    g.setActiveCell(4, 2);
    typeAsAPerson("a_b");
    key(Qt::Key_PageUp);
    EXPECT_EQ(g.text(4, 2), "a_b");
    EXPECT_LT(g.activeRow(), 4);
    EXPECT_EQ(edited.count(), 4);

    // A key sent to the grid itself while the cell is open still reaches the cell first.
    g.setActiveCell(6, 1);
    type("x");
    QTest::keyClick(&g, Qt::Key_Shift);
    QTest::keyClick(&g, 'Y', Qt::ShiftModifier);
    QTest::keyClick(&g, Qt::Key_Down);
    EXPECT_EQ(g.text(6, 1), "xY");
    EXPECT_EQ(g.activeRow(), 7);
}

TEST_F(GridTest, F2ThenCopyEscapeAndShiftArrowsWorkWithTheKeyboardAlone) {
    QSignalSpy edited(&g, &SpreadGrid::userEdited);
    g.setText(5, 2, "MW-1");
    g.setText(6, 2, "MW-2");
    g.setActiveCell(5, 2);
    key(Qt::Key_F2);
    ASSERT_NE(openEditor<QLineEdit>(), nullptr);
    key(Qt::Key_Control);
    key(Qt::Key_C, Qt::ControlModifier);   // the cell's own copy: its selected text
    EXPECT_EQ(clip(), "MW-1");
    key(Qt::Key_F2);
    key(Qt::Key_Escape);
    EXPECT_EQ(openEditor<QLineEdit>(), nullptr);
    EXPECT_EQ(g.text(5, 2), "MW-1");

    // Shift+Down selects a block that Ctrl+C and Ctrl+V carry.
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clip(), "MW-1\r\nMW-2\r\n");
    g.setActiveCell(10, 3);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(g.text(11, 3), "MW-2");
    EXPECT_EQ(edited.count(), 1);

    // Shift+Down in an open cell commits it and starts the block there.
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.visualRect(g.model()->index(0, 3)).center());
    typeAsAPerson("Q");
    key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(g.text(1, 4), "Q");
    const CellBlock b = g.selectedBlock();
    EXPECT_EQ(b.row, 1);
    EXPECT_EQ(b.row2, 2);
    EXPECT_EQ(b.col, 4);
}

TEST_F(GridTest, InEditModeArrowsMoveTheOpenCellAndARefusedDateKeepsItOpen) {
    g.setDateColumn(3, 1);
    g.setActiveCell(1, 1);
    g.setGridEditMode(true);
    typeAsAPerson("MW-3");
    key(Qt::Key_Down);
    EXPECT_EQ(g.text(1, 1), "MW-3");
    EXPECT_EQ(g.activeRow(), 2);
    ASSERT_NE(openEditor<QLineEdit>(), nullptr);   // opened again on the new cell

    g.setActiveCell(2, 3);
    typeAsAPerson("31/31/2002");
    key(Qt::Key_Down);
    EXPECT_EQ(g.activeRow(), 2);
    auto* editor = openEditor<QLineEdit>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "31/31/2002");
    key(Qt::Key_Escape);
    EXPECT_EQ(g.text(2, 3), "");
    g.setGridEditMode(false);
}

TEST(GridFocusTest, CtrlTabLeavesTheGridWhileTabMovesFromCellToCell) {
    QWidget window;
    auto* before = new QLineEdit(&window);
    auto* grid = new SpreadGrid(QStringLiteral("SS"), &window);
    auto* after = new QLineEdit(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(before);
    layout->addWidget(grid);
    layout->addWidget(after);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    grid->setFocus();
    grid->setActiveCell(1, 1);

    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_EQ(grid->activeCol(), 2);
    QTest::keyClick(grid, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_TRUE(after->hasFocus());
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(before->hasFocus());

    // From an open cell: what was typed is kept.
    grid->setFocus();
    QTest::keyClicks(grid, "MW");
    ASSERT_NE(QApplication::focusWidget(), grid);   // the cell's editor
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_TRUE(after->hasFocus());
    EXPECT_EQ(grid->text(1, 2), "MW");
    grid->setFocus();
    QTest::keyClicks(grid, "x");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(before->hasFocus());
    EXPECT_EQ(grid->text(1, 2), "x");
}
