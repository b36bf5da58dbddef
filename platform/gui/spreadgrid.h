// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QStringList>
#include <QTableView>
#include <functional>
#include <optional>

class SpreadGridModel;
class SpreadGridDelegate;

// A block of cells, 1-based and inclusive; row2/col2 below or left of row/col are put in order.
struct CellBlock {
    int row = 1;
    int col = 1;
    int row2 = 1;
    int col2 = 1;
};

// The spreadsheet grid of every window. Cells are addressed (row, col), both 1-based, everywhere in
// this class; the headers are row 0 and column 0 only where a member says so (the classic Text,
// setColWidth). The grid is a QTableView over a model of its own, so assistive technology sees a
// table named after the window's name for it (SS, SS1, ...) with ordinary table cells.
//
// Tab moves from cell to cell; Ctrl+Tab and Ctrl+Shift+Tab leave the grid for the next or previous
// control. While a cell is open, the keys its editor does not take are the grid's: Up, Down and the
// Page keys commit the cell and move; the others (modifiers alone, F1) are left to the window.
//
// Texts changed by code never raise userEdited; typing, the Delete key and the clipboard commands do.
// Cell kinds, locks, colours and row captions are the window's design: clearing, inserting and
// deleting rows move and clear texts only.
class SpreadGrid : public QTableView {
    Q_OBJECT
public:
    // What Enter does, by the classic numbers the windows set.
    enum EnterAction : int { EnterStay = 0, EnterDown = 2, EnterRight = 8 };

    explicit SpreadGrid(QWidget* parent = nullptr);
    SpreadGrid(const QString& name, QWidget* parent);
    ~SpreadGrid() override;

    // ---- size and contents
    int maxRows() const;
    void setMaxRows(int rows);   // texts beyond a smaller size are dropped
    int maxCols() const;
    void setMaxCols(int cols);
    // The last row (column) holding text in any column (row); blank rows (columns) before it count.
    int usedRowCount() const;
    int usedColCount() const;

    // The shown text: a date column gives its dates in the column's order. Outside the grid: "".
    QString text(int row, int col) const;
    // Sets a text from code; outside the grid nothing happens. A date column keeps a text that
    // parses as a date (in its order, or ISO) as that date; any other text as it is.
    void setText(int row, int col, const QString& text);
    std::optional<QDate> date(int row, int col) const;
    // Bulk fill: replaces every text of the grid with these rows from row 1, column 1; the grid
    // grows to hold them.
    void setRows(const QList<QStringList>& rows);
    // Writes one column downwards from firstRow; the grid grows to hold the values.
    void setColumnData(int col, const QStringList& values, int firstRow = 1);
    void clearBlock(const CellBlock& block);
    // Rows below move down; a used row pushed past the last one makes the grid a row longer.
    void insertRows(int row, int count = 1);
    // Rows below move up; the grid keeps its size.
    void deleteRows(int row, int count = 1);

    // ---- headers; by default letters over the columns and numbers beside the rows
    QString columnHeader(int col) const;
    void setColumnHeader(int col, const QString& text);
    QString rowHeader(int row) const;
    void setRowHeader(int row, const QString& text);
    void setColumnHeadersVisible(bool visible);
    void setRowHeadersVisible(bool visible);
    // Widths in characters of the grid's font; column 0 is the row-header column.
    double colWidth(int col) const;
    void setColWidth(int col, double chars);

    // ---- cell kinds
    // Every cell of the column shows and reads dates day first (1) or month first (0).
    void setDateColumn(int col, int dayFirst);
    void setTextColumn(int col);
    bool isDateColumn(int col) const;
    // A drop-down list cell. The user can only pick an item, but a stored text that is not in the
    // list is shown and kept until then. An empty list makes it a text cell again.
    void setDropDown(int row, int col, const QStringList& items);
    // The classic item text: each item followed by a Tab.
    void setDropDownTabList(int row, int col, const QString& tabItems);
    QStringList dropDownItems(int row, int col) const;
    // Locked cells refuse every user edit; code can still write them.
    void setLocked(int row, int col, bool locked);
    void setColumnLocked(int col, bool locked);
    bool isLocked(int row, int col) const;
    // A check of what the user types into a cell: the message saying what is wrong, "" when the
    // text will do. A refused text is not taken; once the event that left the cell is done, the
    // message is shown and the cell opens again holding the text, for correction.
    using TextCheck = std::function<QString(int row, int col, const QString& text)>;
    void setTextCheck(TextCheck check);
    // Back colours as R + 256 G + 65536 B; a cell without one is white (&HFFFFFF).
    int backColor(int row, int col) const;
    void setBackColor(const CellBlock& block, int rgb);

    // ---- editing behaviour
    // On: typing into a cell replaces its text; off: adds to it.
    bool replaceOnEdit() const;
    void setReplaceOnEdit(bool replace);
    // On: the active cell is always open for editing, also after a move.
    bool gridEditMode() const;
    void setGridEditMode(bool on);
    int enterAction() const;
    void setEnterAction(int action);   // other numbers than 2 and 8 keep the active cell
    // Writes a cell still open for editing through the user path (raising userEdited when its text
    // changed) and closes it; in edit mode the active cell opens again. Windows call it before they
    // read, refill or rebind the grid from a menu or button the cell never lost its focus to. False
    // when the text check refused the open cell's text: the cell stays open and says why.
    bool commitEdit();

    // ---- position
    int activeRow() const;
    int activeCol() const;
    void setActiveCell(int row, int col);
    // The user's selected block; the active cell when nothing is selected.
    CellBlock selectedBlock() const;
    void setSelectedBlock(const CellBlock& block);
    int topRow() const;   // first visible row and column
    void setTopRow(int row);
    int leftCol() const;
    void setLeftCol(int col);

    // Off: no repainting and no per-cell change notices until it is switched on again.
    bool redraw() const;
    void setRedraw(bool on);

    // ---- clipboard, on the selected block: Tab between cells, CR LF after every row. These are
    // user commands (key or menu) and raise userEdited.
    void copy();
    void cut();
    void paste();

    // ---- classic addressing: the addressed cell (Row, Col) and, with BlockActive, the block
    // Row..Row2 by Col..Col2, as the numbered actions and text()/setText(s) use them.
    int Row = 1;
    int Col = 1;
    int Row2 = 1;
    int Col2 = 1;
    bool BlockActive = false;
    // The addressed cell's text; row 0 is the column header, column 0 the row header.
    QString text() const;
    void setText(const QString& text);
    // 0 or 1 make the addressed cell active, 3 and 12 clear the addressed block, 5 delete and
    // 7 insert the addressed rows, 22 copy, 23 cut, 24 paste. Other numbers do nothing.
    void GridAction(int action);

signals:
    // A user edit changed texts in this block (one cell for a typed edit; the pasted, cut or
    // cleared block otherwise).
    void userEdited(int row, int col, int row2, int col2);
    // A typed text the cell refused (a date that does not parse); the cell keeps what it held.
    void userTextRefused(int row, int col);
    void cellClicked(int row, int col);
    // The user selected a block of more than one cell.
    void blockSelected(int row, int col, int row2, int col2);
    void gotFocus();

protected:
    using QTableView::edit;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    friend class SpreadGridDelegate;

    void init();
    QModelIndex cellIndex(int row, int col) const;
    CellBlock clip(const CellBlock& block) const;
    CellBlock addressedBlock() const;
    int charWidth() const;
    void applyColWidth(int col);
    // The user path for one cell: refuses locked cells, dates that do not parse and texts that are
    // not in a drop-down list. True when the cell is willing to take the text.
    bool acceptsUserText(int row, int col, const QString& text) const;
    bool applyUserText(int row, int col, const QString& text);   // true when the text changed
    void clearUserBlock(const CellBlock& block);
    void enterMove();
    void closeOpenEditor();
    // Keys while a cell is open: see keyPressEvent.
    static bool leavesGrid(const QKeyEvent* event);   // Ctrl+Tab, Ctrl+Shift+Tab
    void leaveGrid(const QKeyEvent* event);
    bool openCellTakesItsText();
    void keyLeftByOpenCell(QKeyEvent* event);
    // The message of the text check for a text, "" without one.
    QString textProblem(int row, int col, const QString& text) const;
    // A typed text the cell did not take: a checked cell says why (see setTextCheck), others beep.
    void refuseUserText(int row, int col, const QString& text);
    void showRefusal();

    SpreadGridModel* m_model = nullptr;
    SpreadGridDelegate* m_delegate = nullptr;
    QHash<int, double> m_colWidths;
    bool m_replaceOnEdit = true;
    bool m_editMode = false;
    int m_enterAction = EnterDown;
    bool m_redraw = true;
    bool m_selectingByCode = false;
    bool m_keyToCell = false;   // a key is on its way from the grid to the open cell
    TextCheck m_textCheck;
    struct Refusal {
        int row = 0, col = 0;
        QString text, message;
    };
    std::optional<Refusal> m_refusal;   // to be shown once the event that left the cell is done
    bool m_showingRefusal = false;
};
