// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gui/spreadgrid.h"

#include "platform/dates.h"
#include "platform/uiservice.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTimer>
#include <algorithm>
#include <climits>

namespace {

constexpr int White = 0xFFFFFF;
constexpr double DefaultColChars = 9;

quint64 cellKey(int row, int col) { return (quint64(quint32(row)) << 32) | quint32(col); }
int keyRow(quint64 key) { return int(key >> 32); }
int keyCol(quint64 key) { return int(key & 0xFFFFFFFFu); }

// Date cells keep their dates as ISO text, so a change of the display order never swaps day and
// month of what is stored.
bool isIsoDate(const QString& s) { return s.size() == 10 && qdate::FromIso(s).has_value(); }

QString columnLetters(int col) {
    QString s;
    for (int n = col; n > 0; n = (n - 1) / 26) s.prepend(QChar(u'A' + (n - 1) % 26));
    return s;
}

QColor rgbColor(int rgb) { return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

// Tab between cells, CR LF after each row; readers also take LF or CR alone.
QList<QStringList> parseClipText(QString t) {
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    if (t.endsWith(u'\n')) t.chop(1);
    QList<QStringList> rows;
    if (t.isEmpty()) return rows;
    for (const QString& line : t.split(u'\n')) rows.append(line.split(u'\t'));
    return rows;
}

} // namespace

// ---- model -------------------------------------------------------------------------------------

// Texts row by row; rows and row lists are only as long as their last text, so a large empty grid
// costs nothing. Addressing here is 1-based like the grid's.
class SpreadGridModel : public QAbstractTableModel {
public:
    struct CellAttr {
        QStringList items;
        bool locked = false;
        int back = -1;
    };
    struct ColAttr {
        bool date = false;
        int dayFirst = 0;
        bool locked = false;
    };

    int rows = 500;
    int cols = 26;
    QList<QStringList> texts;
    QHash<quint64, CellAttr> cells;
    QHash<int, ColAttr> colAttrs;
    QHash<int, QString> rowHeaders;
    QHash<int, QString> colHeaders;
    int quiet = 0;          // > 0: the caller notifies once for a whole block
    bool batching = false;  // redraw off
    bool batchDirty = false;

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : rows; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : cols; }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        const int r = index.row() + 1, c = index.column() + 1;
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return shown(r, c);
        case Qt::BackgroundRole: {
            const auto it = cells.constFind(cellKey(r, c));
            if (it != cells.cend() && it->back >= 0) return rgbColor(it->back);
            return {};
        }
        default:
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
        const int n = section + 1;
        if (orientation == Qt::Horizontal) {
            const auto it = colHeaders.constFind(n);
            return it != colHeaders.cend() ? *it : columnLetters(n);
        }
        const auto it = rowHeaders.constFind(n);
        return it != rowHeaders.cend() ? *it : QString::number(n);
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (!index.isValid()) return Qt::NoItemFlags;
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (!locked(index.row() + 1, index.column() + 1)) f |= Qt::ItemIsEditable;
        return f;
    }

    bool inside(int r, int c) const { return r >= 1 && r <= rows && c >= 1 && c <= cols; }

    QString stored(int r, int c) const {
        if (r < 1 || r > texts.size()) return {};
        const QStringList& row = texts[r - 1];
        return c >= 1 && c <= row.size() ? row[c - 1] : QString();
    }

    void store(int r, int c, const QString& s) {
        if (r > texts.size()) {
            if (s.isEmpty()) return;
            texts.resize(r);
        }
        QStringList& row = texts[r - 1];
        if (c > row.size()) {
            if (s.isEmpty()) return;
            row.resize(c);
        }
        row[c - 1] = s;
    }

    const ColAttr* colAttr(int c) const {
        const auto it = colAttrs.constFind(c);
        return it != colAttrs.cend() ? &*it : nullptr;
    }
    const CellAttr* cellAttr(int r, int c) const {
        const auto it = cells.constFind(cellKey(r, c));
        return it != cells.cend() ? &*it : nullptr;
    }
    bool isDate(int c) const {
        const ColAttr* a = colAttr(c);
        return a && a->date;
    }
    bool locked(int r, int c) const {
        const ColAttr* a = colAttr(c);
        const CellAttr* ca = cellAttr(r, c);
        return (a && a->locked) || (ca && ca->locked);
    }
    QStringList items(int r, int c) const {
        const CellAttr* ca = cellAttr(r, c);
        return ca ? ca->items : QStringList();
    }

    QString shown(int r, int c) const {
        const QString s = stored(r, c);
        const ColAttr* a = colAttr(c);
        if (a && a->date && isIsoDate(s)) return qdate::Format(*qdate::FromIso(s), a->dayFirst);
        return s;
    }

    // What a date column keeps of a text: its date as ISO, blanks as nothing, anything else as is.
    QString normalise(int c, const QString& s) const {
        const ColAttr* a = colAttr(c);
        if (!a || !a->date || s.isEmpty() || isIsoDate(s)) return s;
        if (s.trimmed().isEmpty()) return {};
        const auto d = qdate::Parse(s, a->dayFirst);
        return d ? qdate::ToIso(*d) : s;
    }

    void notify(int r, int c, int r2, int c2) {
        if (quiet > 0 || rows == 0 || cols == 0) return;
        if (batching) {
            batchDirty = true;
            return;
        }
        r = std::clamp(r, 1, rows), r2 = std::clamp(r2, 1, rows);
        c = std::clamp(c, 1, cols), c2 = std::clamp(c2, 1, cols);
        emit dataChanged(index(r - 1, c - 1), index(r2 - 1, c2 - 1));
    }
    void notifyAll() { notify(1, 1, rows, cols); }
    void notifyHeader(Qt::Orientation o, int n) {
        if (batching) {
            batchDirty = true;
            return;
        }
        emit headerDataChanged(o, n - 1, n - 1);
    }

    void endBatch() {
        batching = false;
        if (!batchDirty) return;
        batchDirty = false;
        notifyAll();
        if (rows > 0) emit headerDataChanged(Qt::Vertical, 0, rows - 1);
        if (cols > 0) emit headerDataChanged(Qt::Horizontal, 0, cols - 1);
    }

    void setRows(int n) {
        n = std::max(0, n);
        if (n == rows) return;
        if (n > rows) {
            beginInsertRows({}, rows, n - 1);
            rows = n;
            endInsertRows();
            return;
        }
        beginRemoveRows({}, n, rows - 1);
        rows = n;
        if (texts.size() > n) texts.resize(n);
        for (auto it = cells.begin(); it != cells.end();)
            it = keyRow(it.key()) > n ? cells.erase(it) : std::next(it);
        for (auto it = rowHeaders.begin(); it != rowHeaders.end();)
            it = it.key() > n ? rowHeaders.erase(it) : std::next(it);
        endRemoveRows();
    }

    void setCols(int n) {
        n = std::max(0, n);
        if (n == cols) return;
        if (n > cols) {
            beginInsertColumns({}, cols, n - 1);
            cols = n;
            endInsertColumns();
            return;
        }
        beginRemoveColumns({}, n, cols - 1);
        cols = n;
        for (QStringList& row : texts)
            if (row.size() > n) row.resize(n);
        for (auto it = cells.begin(); it != cells.end();)
            it = keyCol(it.key()) > n ? cells.erase(it) : std::next(it);
        for (auto it = colHeaders.begin(); it != colHeaders.end();)
            it = it.key() > n ? colHeaders.erase(it) : std::next(it);
        for (auto it = colAttrs.begin(); it != colAttrs.end();)
            it = it.key() > n ? colAttrs.erase(it) : std::next(it);
        endRemoveColumns();
    }
};

// ---- delegate ----------------------------------------------------------------------------------

// Line editors for text and date cells, a fixed list for drop-down cells. Every commit goes through
// the grid's user path, which checks locks, dates and list items.
class SpreadGridDelegate : public QStyledItemDelegate {
public:
    explicit SpreadGridDelegate(SpreadGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    mutable QPointer<QWidget> current;   // the open editor

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
        const QStringList items = m_grid->dropDownItems(index.row() + 1, index.column() + 1);
        if (!items.isEmpty()) {
            auto* combo = new QComboBox(parent);
            combo->addItems(items);
            combo->setFrame(false);
            auto* self = const_cast<SpreadGridDelegate*>(this);
            // A pick from the open list is the whole edit.
            QObject::connect(combo, &QComboBox::activated, self, [self, combo] {
                emit self->commitData(combo);
                emit self->closeEditor(combo, NoHint);
            });
            current = combo;
            return combo;
        }
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        current = edit;
        return edit;
    }

    void destroyEditor(QWidget* editor, const QModelIndex& index) const override {
        if (current == editor) current = nullptr;
        QStyledItemDelegate::destroyEditor(editor, index);
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        const QString text = index.data(Qt::EditRole).toString();
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly));   // -1 keeps a foreign text
            return;
        }
        if (auto* edit = qobject_cast<QLineEdit*>(editor)) edit->setText(text);
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
        QString text;
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            if (combo->currentIndex() < 0) return;   // nothing picked: the stored text stays
            text = combo->currentText();
        } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
            text = edit->text();
        } else {
            return;
        }
        const int r = index.row() + 1, c = index.column() + 1;
        if (!m_grid->acceptsUserText(r, c, text)) {
            m_grid->refuseUserText(r, c, text);
            return;
        }
        if (m_grid->applyUserText(r, c, text)) emit m_grid->userEdited(r, c, r, c);
    }

    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex&) const override {
        editor->setGeometry(option.rect);
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        if (m_grid->dropDownItems(index.row() + 1, index.column() + 1).isEmpty()) return;
        // The drop-down button, so the user sees which cells offer a list.
        const int w = std::min(option.rect.height(), 16);
        QStyleOption arrow;
        arrow.rect = QRect(option.rect.right() - w + 1, option.rect.top(), w, option.rect.height());
        arrow.palette = option.palette;
        arrow.state = QStyle::State_Enabled;
        painter->fillRect(arrow.rect, option.palette.button());
        m_grid->style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, painter, m_grid);
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor && event->type() == QEvent::KeyPress) {
            auto* keyEvent = static_cast<QKeyEvent*>(event);
            // Ctrl+Tab leaves the grid; the view would take it for Tab.
            if (SpreadGrid::leavesGrid(keyEvent)) {
                m_grid->leaveGrid(keyEvent);
                return true;
            }
            const int key = keyEvent->key();
            const bool leaves = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab ||
                                key == Qt::Key_Backtab;
            // A date that does not parse keeps the editor open, as a refused entry should.
            if (leaves && refused(editor)) return true;
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                emit commitData(editor);
                emit closeEditor(editor, NoHint);
                m_grid->enterMove();
                return true;
            }
        }
        // A checked text is not lost when the cell loses its focus: the cell stays open. A focus
        // lost to another window or a popup (the message saying why among them) is no leaving.
        if (editor && event->type() == QEvent::FocusOut) {
            const Qt::FocusReason why = static_cast<QFocusEvent*>(event)->reason();
            auto* edit = qobject_cast<QLineEdit*>(editor);
            const QModelIndex index = m_grid->currentIndex();
            if (edit && !m_grid->textProblem(index.row() + 1, index.column() + 1, edit->text()).isEmpty()) {
                if (why != Qt::ActiveWindowFocusReason && why != Qt::PopupFocusReason) refused(editor);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    // True when the open cell's text is one the cell does not take; the grid is told.
    bool refused(QWidget* editor) const {
        auto* edit = qobject_cast<QLineEdit*>(editor);
        const QModelIndex index = m_grid->currentIndex();
        if (!edit || m_grid->acceptsUserText(index.row() + 1, index.column() + 1, edit->text())) return false;
        m_grid->refuseUserText(index.row() + 1, index.column() + 1, edit->text());
        return true;
    }

    SpreadGrid* m_grid;
};

// ---- grid --------------------------------------------------------------------------------------

SpreadGrid::SpreadGrid(QWidget* parent) : QTableView(parent) { init(); }

SpreadGrid::SpreadGrid(const QString& name, QWidget* parent) : QTableView(parent) {
    init();
    setObjectName(name);
}

SpreadGrid::~SpreadGrid() = default;

void SpreadGrid::init() {
    // Controls without a caption carry their given name for assistive technology.
    connect(this, &QObject::objectNameChanged, this, [this](const QString& name) { setAccessibleName(name); });
    m_model = new SpreadGridModel;
    m_model->setParent(this);
    m_delegate = new SpreadGridDelegate(this);
    setModel(m_model);
    setItemDelegate(m_delegate);
    setSelectionMode(ContiguousSelection);
    setSelectionBehavior(SelectItems);
    setEditTriggers(DoubleClicked | EditKeyPressed);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setVerticalScrollMode(ScrollPerItem);
    setHorizontalScrollMode(ScrollPerItem);

    const int rowHeight = fontMetrics().height() + 6;
    verticalHeader()->setMinimumSectionSize(rowHeight / 2);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setMinimumSectionSize(charWidth());
    horizontalHeader()->setDefaultSectionSize(qRound(DefaultColChars * charWidth()) + 8);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setHighlightSections(false);

    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { emit cellClicked(index.row() + 1, index.column() + 1); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (m_selectingByCode) return;
        const CellBlock b = selectedBlock();
        if (b.row != b.row2 || b.col != b.col2) emit blockSelected(b.row, b.col, b.row2, b.col2);
    });
    setCurrentIndex(m_model->index(0, 0));
}

QModelIndex SpreadGrid::cellIndex(int row, int col) const { return m_model->index(row - 1, col - 1); }

CellBlock SpreadGrid::clip(const CellBlock& b) const {
    CellBlock o{std::min(b.row, b.row2), std::min(b.col, b.col2), std::max(b.row, b.row2), std::max(b.col, b.col2)};
    o.row = std::max(o.row, 1), o.col = std::max(o.col, 1);
    o.row2 = std::min(o.row2, m_model->rows), o.col2 = std::min(o.col2, m_model->cols);
    return o;   // empty when row > row2 or col > col2
}

CellBlock SpreadGrid::addressedBlock() const {
    return BlockActive ? CellBlock{Row, Col, Row2, Col2} : CellBlock{Row, Col, Row, Col};
}

// ---- size and contents

int SpreadGrid::maxRows() const { return m_model->rows; }
int SpreadGrid::maxCols() const { return m_model->cols; }

void SpreadGrid::setMaxRows(int rows) {
    m_model->setRows(rows);
    if (!currentIndex().isValid()) setCurrentIndex(m_model->index(0, 0));
}

void SpreadGrid::setMaxCols(int cols) {
    const int old = m_model->cols;
    m_model->setCols(cols);
    for (int c = old + 1; c <= m_model->cols; ++c) applyColWidth(c);
    if (!currentIndex().isValid()) setCurrentIndex(m_model->index(0, 0));
}

int SpreadGrid::usedRowCount() const {
    for (qsizetype r = m_model->texts.size(); r >= 1; --r)
        for (const QString& s : m_model->texts[r - 1])
            if (!s.isEmpty()) return int(r);
    return 0;
}

int SpreadGrid::usedColCount() const {
    int used = 0;
    for (const QStringList& row : m_model->texts)
        for (qsizetype c = row.size(); c > used; --c)
            if (!row[c - 1].isEmpty()) {
                used = int(c);
                break;
            }
    return used;
}

QString SpreadGrid::text(int row, int col) const { return m_model->inside(row, col) ? m_model->shown(row, col) : QString(); }

void SpreadGrid::setText(int row, int col, const QString& text) {
    if (!m_model->inside(row, col)) return;
    m_model->store(row, col, m_model->normalise(col, text));
    m_model->notify(row, col, row, col);
}

std::optional<QDate> SpreadGrid::date(int row, int col) const {
    if (!m_model->inside(row, col) || !m_model->isDate(col)) return std::nullopt;
    return qdate::FromIso(m_model->stored(row, col));
}

void SpreadGrid::setRows(const QList<QStringList>& rows) {
    int width = 0;
    for (const QStringList& r : rows) width = std::max(width, int(r.size()));
    if (rows.size() > m_model->rows) setMaxRows(int(rows.size()));
    if (width > m_model->cols) setMaxCols(width);
    m_model->texts = rows;
    for (auto it = m_model->colAttrs.cbegin(); it != m_model->colAttrs.cend(); ++it) {
        if (!it->date) continue;
        const int c = it.key();
        for (QStringList& row : m_model->texts)
            if (c <= row.size() && !row[c - 1].isEmpty()) row[c - 1] = m_model->normalise(c, row[c - 1]);
    }
    m_model->notifyAll();
}

void SpreadGrid::setColumnData(int col, const QStringList& values, int firstRow) {
    if (col < 1 || firstRow < 1 || values.isEmpty()) return;
    const int last = firstRow + int(values.size()) - 1;
    if (last > m_model->rows) setMaxRows(last);
    if (col > m_model->cols) setMaxCols(col);
    for (int i = 0; i < values.size(); ++i) m_model->store(firstRow + i, col, m_model->normalise(col, values[i]));
    m_model->notify(firstRow, col, last, col);
}

void SpreadGrid::clearBlock(const CellBlock& block) {
    const CellBlock b = clip(block);
    if (b.row > b.row2 || b.col > b.col2) return;
    for (int r = b.row; r <= std::min(b.row2, int(m_model->texts.size())); ++r)
        for (int c = b.col; c <= b.col2; ++c) m_model->store(r, c, QString());
    m_model->notify(b.row, b.col, b.row2, b.col2);
}

void SpreadGrid::insertRows(int row, int count) {
    if (row < 1 || row > m_model->rows || count < 1) return;
    if (row <= m_model->texts.size()) m_model->texts.insert(row - 1, count, QStringList());
    if (m_model->texts.size() > m_model->rows) {
        const int used = usedRowCount();
        if (used > m_model->rows) setMaxRows(used);   // never push a text out of the grid
        m_model->texts.resize(std::min<qsizetype>(m_model->texts.size(), m_model->rows));
    }
    m_model->notify(row, 1, m_model->rows, m_model->cols);
}

void SpreadGrid::deleteRows(int row, int count) {
    if (row < 1 || row > m_model->rows || count < 1) return;
    if (row <= m_model->texts.size())
        m_model->texts.remove(row - 1, std::min<qsizetype>(count, m_model->texts.size() - (row - 1)));
    m_model->notify(row, 1, m_model->rows, m_model->cols);
}

// ---- headers

QString SpreadGrid::columnHeader(int col) const {
    return m_model->headerData(col - 1, Qt::Horizontal, Qt::DisplayRole).toString();
}

void SpreadGrid::setColumnHeader(int col, const QString& text) {
    if (col < 1 || col > m_model->cols) return;
    m_model->colHeaders.insert(col, text);
    m_model->notifyHeader(Qt::Horizontal, col);
}

QString SpreadGrid::rowHeader(int row) const { return m_model->headerData(row - 1, Qt::Vertical, Qt::DisplayRole).toString(); }

void SpreadGrid::setRowHeader(int row, const QString& text) {
    if (row < 1 || row > m_model->rows) return;
    m_model->rowHeaders.insert(row, text);
    m_model->notifyHeader(Qt::Vertical, row);
}

void SpreadGrid::setColumnHeadersVisible(bool visible) { horizontalHeader()->setVisible(visible); }
void SpreadGrid::setRowHeadersVisible(bool visible) { verticalHeader()->setVisible(visible); }

int SpreadGrid::charWidth() const { return std::max(1, fontMetrics().horizontalAdvance(u'0')); }

double SpreadGrid::colWidth(int col) const {
    const auto it = m_colWidths.constFind(col);
    if (it != m_colWidths.cend()) return *it;
    if (col == 0) return double(verticalHeader()->sizeHint().width() - 8) / charWidth();
    return DefaultColChars;
}

void SpreadGrid::setColWidth(int col, double chars) {
    if (col < 0 || chars < 0) return;
    m_colWidths.insert(col, chars);
    applyColWidth(col);
}

void SpreadGrid::applyColWidth(int col) {
    const auto it = m_colWidths.constFind(col);
    if (it == m_colWidths.cend()) return;
    const int px = qRound(*it * charWidth()) + 8;
    if (col == 0) verticalHeader()->setFixedWidth(px);
    else if (col <= m_model->cols) QTableView::setColumnWidth(col - 1, px);
}

// ---- cell kinds

void SpreadGrid::setDateColumn(int col, int dayFirst) {
    if (col < 1 || col > m_model->cols) return;
    auto& a = m_model->colAttrs[col];
    a.date = true;
    a.dayFirst = dayFirst ? 1 : 0;
    // Texts already there become dates where they read as one in this order.
    for (int r = 1; r <= m_model->texts.size(); ++r) {
        const QString s = m_model->stored(r, col);
        if (!s.isEmpty()) m_model->store(r, col, m_model->normalise(col, s));
    }
    m_model->notify(1, col, m_model->rows, col);
}

void SpreadGrid::setTextColumn(int col) {
    const auto it = m_model->colAttrs.find(col);
    if (it == m_model->colAttrs.end() || !it->date) return;
    // Dates keep the look they had.
    for (int r = 1; r <= m_model->texts.size(); ++r) {
        const QString s = m_model->stored(r, col);
        if (isIsoDate(s)) m_model->store(r, col, m_model->shown(r, col));
    }
    it->date = false;
    m_model->notify(1, col, m_model->rows, col);
}

bool SpreadGrid::isDateColumn(int col) const { return m_model->isDate(col); }

void SpreadGrid::setDropDown(int row, int col, const QStringList& items) {
    if (!m_model->inside(row, col)) return;
    m_model->cells[cellKey(row, col)].items = items;
    m_model->notify(row, col, row, col);
}

void SpreadGrid::setDropDownTabList(int row, int col, const QString& tabItems) {
    QStringList items = tabItems.split(u'\t');
    if (!items.isEmpty() && items.last().isEmpty()) items.removeLast();   // the last item's Tab
    setDropDown(row, col, items);
}

QStringList SpreadGrid::dropDownItems(int row, int col) const { return m_model->items(row, col); }

void SpreadGrid::setLocked(int row, int col, bool locked) {
    if (!m_model->inside(row, col)) return;
    m_model->cells[cellKey(row, col)].locked = locked;
}

void SpreadGrid::setColumnLocked(int col, bool locked) {
    if (col < 1 || col > m_model->cols) return;
    m_model->colAttrs[col].locked = locked;
}

bool SpreadGrid::isLocked(int row, int col) const { return m_model->locked(row, col); }

int SpreadGrid::backColor(int row, int col) const {
    const auto* a = m_model->cellAttr(row, col);
    return a && a->back >= 0 ? a->back : White;
}

void SpreadGrid::setBackColor(const CellBlock& block, int rgb) {
    const CellBlock b = clip(block);
    if (b.row > b.row2 || b.col > b.col2) return;
    for (int r = b.row; r <= b.row2; ++r)
        for (int c = b.col; c <= b.col2; ++c) m_model->cells[cellKey(r, c)].back = rgb & White;
    m_model->notify(b.row, b.col, b.row2, b.col2);
}

// ---- editing behaviour

bool SpreadGrid::replaceOnEdit() const { return m_replaceOnEdit; }
void SpreadGrid::setReplaceOnEdit(bool replace) { m_replaceOnEdit = replace; }

bool SpreadGrid::gridEditMode() const { return m_editMode; }

void SpreadGrid::setGridEditMode(bool on) {
    m_editMode = on;
    // The view opens the editor itself whenever the active cell moves.
    setEditTriggers(on ? (DoubleClicked | EditKeyPressed | CurrentChanged) : (DoubleClicked | EditKeyPressed));
    if (!on) closeOpenEditor();
    else if (state() != EditingState && currentIndex().isValid()) edit(currentIndex());
}

bool SpreadGrid::commitEdit() {
    if (state() != EditingState || !m_delegate->current) return true;
    if (auto* lineEdit = qobject_cast<QLineEdit*>(m_delegate->current.data())) {
        const QString text = lineEdit->text();
        if (!textProblem(activeRow(), activeCol(), text).isEmpty()) {
            refuseUserText(activeRow(), activeCol(), text);
            return false;
        }
    }
    closeOpenEditor();
    if (m_editMode && currentIndex().isValid()) edit(currentIndex());
    return true;
}

void SpreadGrid::setTextCheck(TextCheck check) { m_textCheck = std::move(check); }

QString SpreadGrid::textProblem(int row, int col, const QString& text) const {
    return m_textCheck ? m_textCheck(row, col, text) : QString();
}

void SpreadGrid::refuseUserText(int row, int col, const QString& text) {
    emit userTextRefused(row, col);
    const QString message = textProblem(row, col, text);
    if (message.isEmpty()) {
        QApplication::beep();
        return;
    }
    if (m_refusal || m_showingRefusal) return;
    // Not within the key, focus or click that left the cell: a box shown there would take the
    // rest of that event.
    m_refusal = Refusal{row, col, text, message};
    QTimer::singleShot(0, this, &SpreadGrid::showRefusal);
}

void SpreadGrid::showRefusal() {
    if (!m_refusal) return;
    const Refusal r = *std::exchange(m_refusal, std::nullopt);
    if (!isVisible()) return; // its window closed meanwhile
    m_showingRefusal = true;
    ui().MsgBox(r.message);
    // The cell opens again with the text typed, wherever the click went meanwhile.
    if (activeRow() != r.row || activeCol() != r.col || state() != EditingState) {
        setActiveCell(r.row, r.col);
        if (state() != EditingState) edit(currentIndex());
    }
    if (auto* lineEdit = qobject_cast<QLineEdit*>(m_delegate->current.data())) {
        lineEdit->setText(r.text);
        lineEdit->setFocus(Qt::OtherFocusReason);
    }
    m_showingRefusal = false;
}

int SpreadGrid::enterAction() const { return m_enterAction; }
void SpreadGrid::setEnterAction(int action) { m_enterAction = action; }

bool SpreadGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    QWidget* before = m_delegate->current;
    if (!QTableView::edit(index, trigger, event)) return false;
    auto* lineEdit = qobject_cast<QLineEdit*>(m_delegate->current.data());
    if (lineEdit && lineEdit != before) {
        if (m_replaceOnEdit) lineEdit->selectAll();
        else lineEdit->end(false);
    }
    return true;
}

void SpreadGrid::closeOpenEditor() {
    QWidget* editor = m_delegate->current;
    if (state() != EditingState || !editor) return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

bool SpreadGrid::acceptsUserText(int row, int col, const QString& text) const {
    if (!m_model->inside(row, col) || m_model->locked(row, col)) return false;
    const QStringList items = m_model->items(row, col);
    if (!items.isEmpty()) return text.isEmpty() || items.contains(text);
    if (m_model->isDate(col))
        return text.trimmed().isEmpty() || qdate::Parse(text, m_model->colAttr(col)->dayFirst).has_value();
    return textProblem(row, col, text).isEmpty();
}

bool SpreadGrid::applyUserText(int row, int col, const QString& text) {
    if (!acceptsUserText(row, col, text)) return false;
    const QString value = m_model->normalise(col, text);
    if (value == m_model->stored(row, col)) return false;
    m_model->store(row, col, value);
    m_model->notify(row, col, row, col);
    return true;
}

void SpreadGrid::clearUserBlock(const CellBlock& block) {
    const CellBlock b = clip(block);
    if (b.row > b.row2 || b.col > b.col2) return;
    bool changed = false;
    ++m_model->quiet;
    for (int r = b.row; r <= b.row2; ++r)
        for (int c = b.col; c <= b.col2; ++c) changed |= applyUserText(r, c, QString());
    --m_model->quiet;
    m_model->notify(b.row, b.col, b.row2, b.col2);
    if (changed) emit userEdited(b.row, b.col, b.row2, b.col2);
}

void SpreadGrid::enterMove() {
    const int r = activeRow(), c = activeCol();
    if (r < 1 || c < 1) return;
    if (m_enterAction == EnterDown && r < m_model->rows) setActiveCell(r + 1, c);
    else if (m_enterAction == EnterRight && c < m_model->cols) setActiveCell(r, c + 1);
}

bool SpreadGrid::leavesGrid(const QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    return ctrl && (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab);
}

bool SpreadGrid::openCellTakesItsText() {
    auto* lineEdit = qobject_cast<QLineEdit*>(m_delegate->current.data());
    if (!lineEdit || acceptsUserText(activeRow(), activeCol(), lineEdit->text())) return true;
    // A refused entry (a date that does not parse) keeps the cell open, as Enter does.
    refuseUserText(activeRow(), activeCol(), lineEdit->text());
    return false;
}

void SpreadGrid::leaveGrid(const QKeyEvent* event) {
    if (state() == EditingState && m_delegate->current) {
        if (!openCellTakesItsText()) return;
        closeOpenEditor();
    }
    const bool back = event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
    // The widget's own chain, not the view's, which would move from cell to cell.
    QWidget::focusNextPrevChild(!back);
}

void SpreadGrid::keyLeftByOpenCell(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        // Commit and move, as in a spreadsheet; in edit mode the new cell opens by itself.
        event->accept();
        if (!openCellTakesItsText()) return;
        closeOpenEditor();
        QTableView::keyPressEvent(event);
        return;
    default:
        // Modifiers alone and keys nobody here takes are the window's.
        event->ignore();
        return;
    }
}

void SpreadGrid::keyPressEvent(QKeyEvent* event) {
    if (leavesGrid(event)) return leaveGrid(event);
    if (state() == EditingState && m_delegate->current) {
        // The key goes to the open cell (it may have been sent to the grid itself). One the cell
        // does not take propagates back here and is then the grid's, handled once: sending it to
        // the cell again would loop until the stack ran out.
        if (m_keyToCell) return keyLeftByOpenCell(event);
        m_keyToCell = true;
        QCoreApplication::sendEvent(m_delegate->current, event);
        m_keyToCell = false;
        // The cell's parents saw an ignored key already, on its way back here.
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Copy)) return copy();
    if (event->matches(QKeySequence::Cut)) return cut();
    if (event->matches(QKeySequence::Paste)) return paste();
    const auto mods = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !mods) return enterMove();
    if (event->key() == Qt::Key_Delete && !mods) return clearUserBlock(selectedBlock());
    const QString typed = event->text();
    if (!typed.isEmpty() && typed[0].isPrint() && !mods) {
        const QModelIndex index = currentIndex();
        if (!index.isValid() || !edit(index, AllEditTriggers, event)) return;
        if (auto* lineEdit = qobject_cast<QLineEdit*>(m_delegate->current.data())) {
            lineEdit->setText(m_replaceOnEdit ? typed : lineEdit->text() + typed);
            lineEdit->end(false);
        } else if (m_delegate->current) {
            QCoreApplication::sendEvent(m_delegate->current, event);   // a list finds the typed item
        }
        return;
    }
    QTableView::keyPressEvent(event);
}

void SpreadGrid::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    emit gotFocus();
}

// ---- position

int SpreadGrid::activeRow() const { return currentIndex().row() + 1; }
int SpreadGrid::activeCol() const { return currentIndex().column() + 1; }

void SpreadGrid::setActiveCell(int row, int col) {
    if (m_model->rows == 0 || m_model->cols == 0) return;
    const QModelIndex index = cellIndex(std::clamp(row, 1, m_model->rows), std::clamp(col, 1, m_model->cols));
    setCurrentIndex(index);
    scrollTo(index);
}

CellBlock SpreadGrid::selectedBlock() const {
    const QItemSelection selection = selectionModel()->selection();
    if (selection.isEmpty()) return {activeRow(), activeCol(), activeRow(), activeCol()};
    CellBlock b{INT_MAX, INT_MAX, 0, 0};
    for (const QItemSelectionRange& range : selection) {
        b.row = std::min(b.row, range.top() + 1);
        b.col = std::min(b.col, range.left() + 1);
        b.row2 = std::max(b.row2, range.bottom() + 1);
        b.col2 = std::max(b.col2, range.right() + 1);
    }
    return b;
}

void SpreadGrid::setSelectedBlock(const CellBlock& block) {
    const CellBlock b = clip(block);
    if (b.row > b.row2 || b.col > b.col2) return;
    m_selectingByCode = true;
    selectionModel()->setCurrentIndex(cellIndex(b.row, b.col), QItemSelectionModel::NoUpdate);
    selectionModel()->select(QItemSelection(cellIndex(b.row, b.col), cellIndex(b.row2, b.col2)),
                             QItemSelectionModel::ClearAndSelect);
    m_selectingByCode = false;
}

int SpreadGrid::topRow() const { return rowAt(0) + 1; }

void SpreadGrid::setTopRow(int row) {
    executeDelayedItemsLayout();
    updateGeometries();
    verticalScrollBar()->setValue(std::max(row, 1) - 1);
}

int SpreadGrid::leftCol() const { return columnAt(0) + 1; }

void SpreadGrid::setLeftCol(int col) {
    executeDelayedItemsLayout();
    updateGeometries();
    horizontalScrollBar()->setValue(std::max(col, 1) - 1);
}

bool SpreadGrid::redraw() const { return m_redraw; }

void SpreadGrid::setRedraw(bool on) {
    if (on == m_redraw) return;
    m_redraw = on;
    if (!on) {
        m_model->batching = true;
        setUpdatesEnabled(false);
        return;
    }
    m_model->endBatch();
    setUpdatesEnabled(true);
    viewport()->update();
}

// ---- clipboard

void SpreadGrid::copy() {
    const CellBlock b = clip(selectedBlock());
    if (b.row > b.row2 || b.col > b.col2) return;
    QString out;
    for (int r = b.row; r <= b.row2; ++r) {
        for (int c = b.col; c <= b.col2; ++c) {
            if (c > b.col) out += u'\t';
            out += m_model->shown(r, c);
        }
        out += QStringLiteral("\r\n");
    }
    QGuiApplication::clipboard()->setText(out);
}

void SpreadGrid::cut() {
    copy();
    clearUserBlock(selectedBlock());
}

void SpreadGrid::paste() {
    const QList<QStringList> rows = parseClipText(QGuiApplication::clipboard()->text());
    const CellBlock at = selectedBlock();
    if (rows.isEmpty() || at.row < 1 || at.col < 1) return;
    bool changed = false;
    int lastRow = at.row, lastCol = at.col;
    ++m_model->quiet;
    for (int i = 0; i < rows.size() && at.row + i <= m_model->rows; ++i)
        for (int j = 0; j < rows[i].size() && at.col + j <= m_model->cols; ++j) {
            changed |= applyUserText(at.row + i, at.col + j, rows[i][j]);
            lastRow = std::max(lastRow, at.row + i), lastCol = std::max(lastCol, at.col + j);
        }
    --m_model->quiet;
    m_model->notify(at.row, at.col, lastRow, lastCol);
    if (changed) emit userEdited(at.row, at.col, lastRow, lastCol);
}

// ---- classic addressing

QString SpreadGrid::text() const {
    if (Row == 0 && Col >= 1) return columnHeader(Col);
    if (Col == 0 && Row >= 1) return rowHeader(Row);
    return text(Row, Col);
}

void SpreadGrid::setText(const QString& text) {
    if (Row == 0 && Col >= 1) return setColumnHeader(Col, text);
    if (Col == 0 && Row >= 1) return setRowHeader(Row, text);
    setText(Row, Col, text);
}

void SpreadGrid::GridAction(int action) {
    const CellBlock b = clip(addressedBlock());
    switch (action) {
    case 0:
    case 1:
        setActiveCell(Row, Col);
        break;
    case 3:
    case 12:
        clearBlock(b);
        break;
    case 5:
        deleteRows(b.row, b.row2 - b.row + 1);
        break;
    case 7:
        insertRows(b.row, b.row2 - b.row + 1);
        break;
    case 22:
        copy();
        break;
    case 23:
        cut();
        break;
    case 24:
        paste();
        break;
    default:
        break;
    }
}
