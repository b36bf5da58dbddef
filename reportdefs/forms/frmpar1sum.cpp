// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportdefs/forms/frmpar1sum.h"

#include "platform/gui/controls.h"
#include "platform/gui/spreadgrid.h"
#include "project/modgw.h"

#include <QApplication>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int ParRows = Par1SumDefinition::MaxPar1Params;
constexpr int SourceRows = Par1SumDefinition::MaxPar1Sources;
constexpr int InfoRows = Par1SumDefinition::InfoRows;

const QStringList kInfoRows = {QStringLiteral("Main Title"), QStringLiteral("Sec. Title, Line 1"),
                               QStringLiteral("Sec. Title, Line 2"), QStringLiteral("Sec. Title, Line 3"),
                               QStringLiteral("Label for Standard")};

bool isEnter(const QKeyEvent* e) {
    const auto mods = e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier | Qt::ShiftModifier);
    return (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && !mods;
}

} // namespace

frmPar1Sum::frmPar1Sum() : ReportForm(ReportKind::Par1Sum) {
    List2 = MakeList2();
    SS = MakeGrid(QStringLiteral("SS"), ParRows, {QStringLiteral("Par. Name")});
    SS2 = MakeGrid(QStringLiteral("SS2"), SourceRows, {QStringLiteral("Source Name")});
    SS3 = MakeRows(QStringLiteral("SS3"), kInfoRows, 1, true);
    // The names show the chosen numbers: only a pick or Delete changes them, so the grid never
    // shows a definition other than the one Save writes.
    SS->setColumnLocked(1, true);
    Label1 = Caption(QStringLiteral("Master Parameter List"), List1, QStringLiteral("Label1"));
    Label2 = Caption(QStringLiteral("Master Source List"), List2, QStringLiteral("Label2"));
    Label3 = Caption(QStringLiteral("Chosen Parameters"), SS, QStringLiteral("Label3"));
    Label4 = Caption(QStringLiteral("Chosen Sources"), SS2, QStringLiteral("Label4"));
    Label5 = Caption(QStringLiteral("Report Information"), SS3, QStringLiteral("Label5"));
    Command1 = NamedButton(this, QStringLiteral("Command1"), QStringLiteral("Edit Notes"));
    Command2 = NamedButton(this, QStringLiteral("Command2"), QStringLiteral("Edit Mode"));

    // The master lists on the left, the chosen parameters beside them, sources and information on
    // the right with the buttons.
    auto* lay = new QGridLayout(this);
    lay->setMenuBar(MenuBar);
    QVBoxLayout* lists = ListColumn(Label1, 3, Label2, 2);
    auto* chosen = new QVBoxLayout;
    chosen->addWidget(Label3);
    chosen->addWidget(SS, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(Label4);
    right->addWidget(SS2);
    right->addSpacing(12);
    right->addWidget(Label5);
    right->addWidget(SS3);
    right->addSpacing(12);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    buttons->addStretch();
    right->addLayout(buttons);
    right->addStretch();
    lay->addLayout(lists, 0, 0);
    lay->addLayout(chosen, 0, 1);
    lay->addLayout(right, 0, 2);
    lay->setColumnStretch(0, 1);
    List1->setMinimumWidth(200);
    resize(1000, 600);

    connect(List1, &QListWidget::itemClicked, this, &frmPar1Sum::List1_Click);
    connect(List2, &QListWidget::itemClicked, this, &frmPar1Sum::List2_Click);
    List1->installEventFilter(this);
    List2->installEventFilter(this);
    connect(SS2, &SpreadGrid::cellClicked, this, &frmPar1Sum::SS2_Click);
    connect(SS3, &SpreadGrid::cellClicked, this, &frmPar1Sum::SS3_Click);
    connect(Command1, &QPushButton::clicked, this, &frmPar1Sum::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmPar1Sum::Command2_Click);
    // Enter in SS3 is seen before the open cell's editor takes it (see enterInSS3).
    qApp->installEventFilter(this);
    FillSourceList(List2);
    Form_Load();
}

bool frmPar1Sum::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // A pick by keyboard: the arrows move through the list, Enter or Space picks.
        if ((watched == List1 || watched == List2) &&
            (isEnter(key) || (key->key() == Qt::Key_Space && !key->modifiers()))) {
            if (watched == List1) List1_Click();
            else List2_Click();
            return true;
        }
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && isEnter(key) && (w == SS3 || SS3->isAncestorOf(w)) && SS3->activeRow() >= 1 &&
            SS3->activeRow() < InfoRows) {
            enterInSS3();
            return true;
        }
    }
    return ReportForm::eventFilter(watched, event);
}

// EnterAction 8 moves right, and SS3 has one column: Enter goes on to the next row, so that the
// rows are typed one after the other. The last row keeps the grid's own Enter.
void frmPar1Sum::enterInSS3() {
    const int r = SS3->activeRow();
    SS3->commitEdit();
    SS3->setActiveCell(r + 1, 1);
}

// ---- grids

void frmPar1Sum::SetupGrids() {
    SS->setColWidth(0, 4);
    SS->setColWidth(1, 22);
    SS2->setColWidth(0, 3);
    SS2->setColWidth(1, 22);
    SS3->setColWidth(0, 18);
    SS3->setColWidth(1, 36);
    SS3->setEnterAction(SpreadGrid::EnterRight);
    FitGrid(SS2);
    FitGrid(SS3);
    SS->horizontalHeader()->setStretchLastSection(true);
    SS->setMinimumWidth(SS->horizontalHeader()->length() + SS->verticalHeader()->sizeHint().width() + 24);
}

QList<SpreadGrid*> frmPar1Sum::Grids() const { return {SS, SS2, SS3}; }
QList<SpreadGrid*> frmPar1Sum::TypedGrids() const { return {SS3}; }

void frmPar1Sum::GridChange(SpreadGrid* grid) {
    if (grid != SS) MarkChanged();
}

void frmPar1Sum::SS2_Click() { MarkChanged(); }
void frmPar1Sum::SS3_Click() { MarkChanged(); }

// ---- the definition

void frmPar1Sum::ClearForm() {
    SS->clearBlock({1, 1, ParRows, 1});
    SS2->clearBlock({1, 1, SourceRows, 1});
    SS3->clearBlock({1, 1, InfoRows, 1});
}

void frmPar1Sum::ClearDefinition() { ClearPar1File(); }

std::function<void()> frmPar1Sum::LoadDefinition(const QString& path) {
    return Committing(LoadPar1File(path), CommitPar1Sum);
}

void frmPar1Sum::FillForm() { FillPar1Form(); }

void frmPar1Sum::FillPar1Form() {
    FillGrids(QStringLiteral("FillPar1Form"), [&] {
        const Par1SumGrids g = Par1SumGridsOf(modgw().Par1Sum, modgw());
        for (int r = 1; r <= g.SSRows; ++r)
            SS->setText(r, 1, g.SS[r]);
        for (int r = 1; r <= g.SS2Rows; ++r)
            SS2->setText(r, 1, g.SS2[r]);
        for (int r = 1; r <= InfoRows; ++r)
            SS3->setText(r, 1, g.SS3[r]);
    });
}

bool frmPar1Sum::WriteDefinition(const QString& path) {
    Par1SumGrids g;
    for (int r = 1; r <= SourceRows; ++r)
        g.SS2[r] = SS2->text(r, 1);
    for (int r = 1; r <= InfoRows; ++r)
        g.SS3[r] = SS3->text(r, 1);
    TakePar1SumGrids(g, modgw().Par1Sum);
    return SavePar1File(path);
}

int frmPar1Sum::ItemCount() { return modgw().Par1Sum.Par1ParCount; }

// ---- picks and delete

void frmPar1Sum::List1_Click() {
    Pick(List1, modgw().NumParams, [&](int k) {
        ModGW& m = modgw();
        const int r = PickIntoRow(*SS, ParRows, {{1, Par1ParamName(m, k)}});
        PickPar1Param(m.Par1Sum, r, k);
    });
}

void frmPar1Sum::List2_Click() {
    Pick(List2, modgw().NumSources, [&](int k) {
        const QString name = modgw().SourceTable[k][1];
        const int r = PickIntoRow(*SS2, SourceRows, {{1, name}});
        // The count is the grid's used rows, taken when the definition is saved.
        modgw().Par1Sum.Par1Sources[r] = name;
    });
}

void frmPar1Sum::mnuDelete_Click() {
    DeleteRow(SS, ParRows, [](int r) { DeletePar1Param(modgw().Par1Sum, r); });
}

// ---- buttons

void frmPar1Sum::Command1_Click() {
    trap(QStringLiteral("Command1_Click"), [&] { EditNotes(); });
}

void frmPar1Sum::Command2_Click() {
    trap(QStringLiteral("Command2_Click"), [&] { EditMode(); });
}
