// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportdefs/forms/reportform.h"

#include "platform/files.h"
#include "platform/gui/controls.h"
#include "platform/gui/forms.h"
#include "platform/gui/helpviewer.h"
#include "platform/gui/printersetup.h"
#include "platform/gui/spreadgrid.h"
#include "platform/uiservice.h"
#include "project/modgw.h"
#include "project/typeddates.h"
#include "reportdefs/forms/frmwellnotes.h"
#include "reportdefs/notesblock.h"
#include "reportdefs/windowhooks.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>

int PickIntoRow(SpreadGrid& grid, int rows, const QList<std::pair<int, QString>>& cells) {
    const int r = std::clamp(grid.activeRow(), 1, rows);
    for (const auto& [col, text] : cells)
        grid.setText(r, col, text);
    grid.setActiveCell(std::min(r + 1, rows), 1);
    return r;
}

ReportForm::ReportForm(ReportKind kind) : kind_(ReportKindOf(kind)) {
    setObjectName(kind_.formName);
    setWindowTitle(kind_.caption);
    buildMenus();
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setAccessibleName(QStringLiteral("List1"));
}

ReportForm::~ReportForm() = default;

void ReportForm::buildMenus() {
    MenuBar = new QMenuBar(this);
    mnuFile = NamedMenu(MenuBar, QStringLiteral("mnuFile"), QStringLiteral("&File"));
    mnuNew = NamedMenuItem(mnuFile, QStringLiteral("mnuNew"), QStringLiteral("&New"));
    mnuOpen = NamedMenuItem(mnuFile, QStringLiteral("mnuOpen"), QStringLiteral("&Open"));
    mnuSave = NamedMenuItem(mnuFile, QStringLiteral("mnuSave"), QStringLiteral("&Save"));
    mnuSaveAs = NamedMenuItem(mnuFile, QStringLiteral("mnuSaveAs"), QStringLiteral("Save &As"));
    mnuFile->addSeparator();
    mnuBatchPrint = NamedMenuItem(mnuFile, QStringLiteral("mnuBatchPrint"), QStringLiteral("&Batch Print"));
    mnuPrintSetup = NamedMenuItem(mnuFile, QStringLiteral("mnuPrintSetup"), QStringLiteral("&Print Setup"));
    mnuFile->addSeparator();
    mnuExit = NamedMenuItem(mnuFile, QStringLiteral("mnuExit"), kind_.exitCaption);
    mnuEdit = NamedMenu(MenuBar, QStringLiteral("mnuEdit"), QStringLiteral("&Edit"));
    mnuDelete = NamedMenuItem(mnuEdit, QStringLiteral("mnuDelete"), kind_.deleteCaption);
    mnuDraw = NamedBarCommand(MenuBar, QStringLiteral("mnuDraw"), QStringLiteral("Previe&w"));
    mnuHelp = NamedBarCommand(MenuBar, QStringLiteral("mnuHelp"), QStringLiteral("&Help"));

    connect(mnuNew, &QAction::triggered, this, &ReportForm::mnuNew_Click);
    connect(mnuOpen, &QAction::triggered, this, &ReportForm::mnuOpen_Click);
    connect(mnuSave, &QAction::triggered, this, &ReportForm::mnuSave_Click);
    connect(mnuSaveAs, &QAction::triggered, this, &ReportForm::mnuSaveAs_Click);
    connect(mnuBatchPrint, &QAction::triggered, this, &ReportForm::mnuBatchPrint_Click);
    connect(mnuPrintSetup, &QAction::triggered, this, &ReportForm::mnuPrintSetup_Click);
    connect(mnuExit, &QAction::triggered, this, &ReportForm::mnuExit_Click);
    connect(mnuDelete, &QAction::triggered, this, [this] { mnuDelete_Click(); });
    connect(mnuDraw, &QAction::triggered, this, &ReportForm::mnuDraw_Click);
    connect(mnuHelp, &QAction::triggered, this, &ReportForm::mnuHelp_Click);
    // F1 anywhere on the form, an open cell included, shows the form's page as Help does.
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, &ReportForm::mnuHelp_Click);
}

QString& ReportForm::CurrentPath() { return modgw().*kind_.path; }

// ---- load and close

void ReportForm::Form_Load() {
    trap(QStringLiteral("Form_Load"), [&] {
        if (QLayout* l = layout(); l && !l->menuBar()) l->setMenuBar(MenuBar);
        forms::keepInView(findChildren<QPushButton*>(Qt::FindDirectChildrenOnly));
        if (const QScreen* s = screen()) {
            const QRect a = s->geometry();
            if (QLayout* l = layout()) resize(size().expandedTo(l->sizeHint()));
            move(int((a.width() - width()) * 0.5), int((a.height() - height()) * 0.35));
        }
        ModGW& m = modgw();
        CurrentPath().clear();
        m.ReportDirty = 0; // nothing on a new form is changed yet
        SetupGrids();
        QStringList names;
        for (int n = 1; n <= m.NumParams; ++n)
            names << m.ParamTable[n][1];
        FillNumberedList(List1, names);
        for (SpreadGrid* g : TypedGrids())
            g->setReplaceOnEdit(m.CellEditMode == QLatin1String("1"));
        for (SpreadGrid* g : Grids())
            connect(g, &SpreadGrid::userEdited, this, [this, g] { GridChange(g); });
        const QString last = m.*kind_.lastPath;
        if (!(FileExists(last) && OpenDefinition(last))) ClearDefinition();
    });
}

bool ReportForm::Form_Unload() {
    if (!CommitGrids()) return false;
    if (!saveFirst(SaveFirstAction::Quit)) return false;
    Closing();
    modgw().*kind_.lastPath = CurrentPath();
    return true;
}

void ReportForm::closeEvent(QCloseEvent* event) {
    bool closes = false;
    trap(QStringLiteral("Form_Unload"), [&] { closes = Form_Unload(); });
    if (closes) event->accept();
    else event->ignore();
}

void ReportForm::reject() { close(); }

void ReportForm::keyPressEvent(QKeyEvent* event) {
    // The forms have no Cancel button: Escape belongs to the grids' cells, never closes the form.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ReportForm::mnuExit_Click() { close(); }

// ---- the definition's file

bool ReportForm::saveFirst(SaveFirstAction action) {
    return SaveFirst(action, [this] { return Save(); });
}

bool ReportForm::CommitGrids() {
    bool taken = true;
    for (SpreadGrid* g : Grids())
        taken = g->commitEdit() && taken;
    return taken;
}

void ReportForm::CheckEpisodeDates(SpreadGrid* grid) {
    grid->setTextCheck([](int, int col, const QString& text) {
        return typeddates::Problem(col == 1 ? typeddates::Field::EpisodeStart : typeddates::Field::EpisodeEnd, text);
    });
}

void ReportForm::NewDefinition() {
    {
        ClosedCells closed(Grids());
        ClearForm();
    }
    ClearDefinition();
}

bool ReportForm::OpenDefinition(const QString& path) {
    const std::function<void()> commit = LoadDefinition(path);
    if (!commit) return false;
    NewDefinition();
    CurrentPath() = path;
    commit();
    FillForm();
    return true;
}

void ReportForm::mnuNew_Click() {
    trap(QStringLiteral("mnuNew_Click"), [&] {
        if (!CommitGrids()) return;
        if (saveFirst(SaveFirstAction::New)) NewDefinition();
    });
}

void ReportForm::mnuOpen_Click() {
    trap(kind_.openErrorName, [&] {
        if (!CommitGrids()) return;
        if (!saveFirst(SaveFirstAction::Open)) return;
        FileDialogRequest r;
        r.title = QStringLiteral("Open");
        r.filter = kind_.openFilter;
        r.initDir = modgw().DataFolder;
        const QString path = ui().FileDialog(r);
        if (!path.isEmpty()) OpenDefinition(path);
    });
}

bool ReportForm::Save() {
    if (!CommitGrids()) return false;
    if (CurrentPath().isEmpty()) return SaveAs();
    if (!WriteDefinition(CurrentPath())) return false;
    modgw().ReportDirty = 0;
    return true;
}

bool ReportForm::SaveAs() {
    bool written = false;
    trap(kind_.saveAsErrorName, [&] {
        if (!CommitGrids()) return;
        ModGW& m = modgw();
        FileDialogRequest r;
        r.save = true;
        r.title = QStringLiteral("Save As");
        r.filter = kind_.saveFilter;
        r.fileName = CurrentPath();
        r.initDir = m.DataFolder;
        r.overwritePrompt = true;
        // A name typed without an extension gets the kind's: the report data file is named by
        // cutting the last four characters.
        m.DialogFileName = ui().FileDialog(r);
        if (m.DialogFileName.isEmpty()) return;
        const QString path = m.DialogFileName;
        if (!WriteDefinition(path)) return;
        CurrentPath() = path;
        m.ReportDirty = 0;
        written = true;
    });
    return written;
}

void ReportForm::mnuSave_Click() {
    trap(QStringLiteral("mnuSave_Click"), [&] { Save(); });
}

void ReportForm::mnuSaveAs_Click() { SaveAs(); }

// ---- runs, printer, help

void ReportForm::RunReport(SaveFirstAction action, float code) {
    if (!CommitGrids() || !saveFirst(action)) return;
    if (CurrentPath().isEmpty()) {
        ui().MsgBox(kind_.mustOpenText);
        return;
    }
    if (const QString refusal = RunRefusal(); !refusal.isEmpty()) {
        warn(refusal);
        return;
    }
    const ReportDefHooks& hooks = reportDefHooks();
    if (code > 0) {
        modgw().ReportCode = code;
        if (hooks.showRunDialog) hooks.showRunDialog();
    } else if (hooks.runDateContour) {
        hooks.runDateContour();
    }
}

void ReportForm::mnuDraw_Click() {
    BeforeRun(QStringLiteral("mnuDraw_Click"));
    trap(QStringLiteral("mnuDraw_Click"), [&] { RunReport(SaveFirstAction::Preview, kind_.previewCode); });
}

void ReportForm::mnuBatchPrint_Click() {
    BeforeRun(QStringLiteral("mnuBatchPrint_Click"));
    trap(QStringLiteral("mnuBatchPrint_Click"),
         [&] { RunReport(SaveFirstAction::BatchPrint, kind_.batchPrintCode); });
}

void ReportForm::mnuPrintSetup_Click() {
    trap(kind_.printSetupErrorName, [] { ShowPrinterDialog(); });
}

void ReportForm::mnuHelp_Click() {
    trap(QStringLiteral("mnuHelp_Click"), [&] {
        modgw().HelpResult = WinHelpA(this, modgw().HelpFile, help::HELP_CONTEXT, kind_.helpContext);
    });
}

// ---- shared steps of the kinds' handlers

void ReportForm::EditNotes() {
    if (ItemCount() == 0) {
        warn(kind_.notesGuardText);
        return;
    }
    modgw().ReportCode = float(kind_.notesKind);
    forms::showModal(forms::form<frmWellNotes>());
    forms::unload<frmWellNotes>();
}

void ReportForm::EditMode() {
    const QList<SpreadGrid*> grids = TypedGrids();
    if (grids.isEmpty()) return;
    const bool on = !grids.first()->gridEditMode();
    for (SpreadGrid* g : grids)
        g->setGridEditMode(on);
}

ReportForm::ClosedCells::ClosedCells(QList<SpreadGrid*> grids)
    : grids_(std::move(grids)), focus_(QApplication::focusWidget()) {
    for (SpreadGrid* g : grids_) {
        modes_ << g->gridEditMode();
        g->commitEdit();
        g->setGridEditMode(false);
    }
}

ReportForm::ClosedCells::~ClosedCells() {
    for (int i = 0; i < grids_.size(); ++i)
        grids_[i]->setGridEditMode(modes_[i]);
    // An open cell takes the focus; a pick from a list keeps it in the list.
    if (focus_ && QApplication::focusWidget() != focus_) focus_->setFocus();
}

void ReportForm::MarkChanged() { modgw().ReportDirty = 1; }

void ReportForm::FillGrids(const QString& where, const std::function<void()>& fill) {
    trap(where, [&] {
        ClosedCells closed(Grids());
        // Painting resumes however the fill ends: a grid left without it would never show again.
        struct Quiet {
            QList<SpreadGrid*> grids;
            explicit Quiet(QList<SpreadGrid*> g) : grids(std::move(g)) {
                for (SpreadGrid* grid : grids)
                    grid->setRedraw(false);
            }
            ~Quiet() {
                for (SpreadGrid* grid : grids)
                    grid->setRedraw(true);
            }
        } quiet(Grids());
        fill();
    });
}

void ReportForm::Pick(QListWidget* list, int count, const std::function<void(int)>& write) {
    trap(list->objectName() + QStringLiteral("_Click"), [&] {
        const int n = list->currentRow() + 1;
        if (n < 1 || n > count) return;
        ClosedCells closed(Grids());
        write(n);
        MarkChanged();
    });
}

void ReportForm::DeleteRow(SpreadGrid* grid, int rows, const std::function<void(int)>& clear) {
    trap(QStringLiteral("mnuDelete_Click"), [&] {
        ClosedCells closed(Grids());
        const int r = std::clamp(grid->activeRow(), 1, rows);
        grid->setText(r, 1, QString());
        clear(r);
        MarkChanged();
    });
}

int ReportForm::TakeEpisodes(const SpreadGrid* grid, int16_t& count, EpisodeTable& episodes) {
    CommitGrids();
    count = int16_t(grid->usedRowCount());
    for (int e = 1; e <= count; ++e) {
        episodes[1][e] = grid->text(e, 1);
        episodes[2][e] = grid->text(e, 2);
    }
    return count;
}

void ReportForm::ForgetNotes(int16_t& itemCount) {
    notesblock::ClearNotes(modgw().ReportNotes);
    itemCount = 0;
}

void ReportForm::GridChange(SpreadGrid*) { MarkChanged(); }

void ReportForm::FillNumberedList(QListWidget* list, const QStringList& names) {
    list->clear();
    for (int n = 1; n <= names.size(); ++n)
        list->addItem(QString::number(n) + QStringLiteral(") ") + names[n - 1]);
}

void ReportForm::FitGrid(SpreadGrid* grid) {
    const int frame = 2 * grid->frameWidth();
    const QHeaderView* rows = grid->verticalHeader();
    const QHeaderView* cols = grid->horizontalHeader();
    const int headerW = rows->isHidden() ? 0 : rows->sizeHint().width();
    const int headerH = cols->isHidden() ? 0 : cols->sizeHint().height();
    grid->setFixedSize(cols->length() + headerW + frame, rows->length() + headerH + frame);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void ReportForm::FitColumns(SpreadGrid* grid, int visibleRows) {
    const int frame = 2 * grid->frameWidth();
    // A row-header width set in characters is fixed; its size hint knows only the captions.
    const QHeaderView* rows = grid->verticalHeader();
    const int rowsW = std::max(rows->sizeHint().width(), rows->minimumWidth());
    const int bar = grid->verticalScrollBar()->sizeHint().width();
    grid->setFixedWidth(grid->horizontalHeader()->length() + rowsW + bar + frame);
    grid->setFixedHeight(grid->horizontalHeader()->sizeHint().height() +
                         visibleRows * grid->verticalHeader()->defaultSectionSize() + frame);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

// ---- building a kind's controls

QLabel* ReportForm::Caption(const QString& text, QWidget* buddy, const QString& name) {
    auto* l = new QLabel(text, this);
    l->setObjectName(name);
    l->setBuddy(buddy);
    return l;
}

SpreadGrid* ReportForm::MakeGrid(const QString& name, int rows, const QStringList& headers) {
    auto* g = new SpreadGrid(name, this);
    SetColumns(g, rows, headers);
    return g;
}

void ReportForm::SetColumns(SpreadGrid* grid, int rows, const QStringList& headers) {
    grid->setMaxRows(rows);
    grid->setMaxCols(int(headers.size()));
    for (int c = 1; c <= headers.size(); ++c)
        grid->setColumnHeader(c, headers[c - 1]);
}

SpreadGrid* ReportForm::MakeRows(const QString& name, const QStringList& rowCaptions, int cols,
                                 bool columnHeaders) {
    auto* g = new SpreadGrid(name, this);
    SetRows(g, rowCaptions, cols, columnHeaders);
    return g;
}

void ReportForm::SetRows(SpreadGrid* grid, const QStringList& rowCaptions, int cols,
                         bool columnHeaders) {
    grid->setMaxRows(int(rowCaptions.size()));
    grid->setMaxCols(cols);
    for (int r = 1; r <= rowCaptions.size(); ++r)
        grid->setRowHeader(r, rowCaptions[r - 1]);
    if (!columnHeaders) grid->setColumnHeadersVisible(false);
}

QListWidget* ReportForm::MakeList2() {
    auto* list = new QListWidget(this);
    list->setObjectName(QStringLiteral("List2"));
    list->setAccessibleName(QStringLiteral("List2"));
    return list;
}

QVBoxLayout* ReportForm::ListColumn(QLabel* caption1, int stretch1, QLabel* caption2, int stretch2) {
    auto* lists = new QVBoxLayout;
    lists->addWidget(caption1);
    lists->addWidget(List1, stretch1);
    lists->addWidget(caption2);
    lists->addWidget(List2, stretch2);
    return lists;
}

void ReportForm::FillSourceList(QListWidget* list) {
    const ModGW& m = modgw();
    QStringList sources;
    for (int n = 1; n <= m.NumSources; ++n)
        sources << m.SourceTable[n][1];
    FillNumberedList(list, sources);
}

void ReportForm::OnPick(QListWidget* list, std::function<void()> pick) {
    connect(list, &QListWidget::itemClicked, this, [pick] { pick(); });
    picks_.insert(list, std::move(pick));
    list->installEventFilter(this);
}

bool ReportForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        if (auto it = picks_.constFind(watched); it != picks_.constEnd()) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
                (*it)();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
