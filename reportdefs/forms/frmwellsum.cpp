// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportdefs/forms/frmwellsum.h"

#include "platform/gui/controls.h"
#include "platform/gui/forms.h"
#include "platform/gui/spreadgrid.h"
#include "project/modgw.h"
#include "reportdefs/forms/frmwellwlist.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int Slots = WellSumDefinition::Slots;
constexpr int TableRows = 6;
constexpr int GraphRows = 6;
constexpr int GraphCols = 3;
constexpr int InfoRows = WellSumDefinition::InfoRows;

const QStringList kTableRows = {QStringLiteral("Parameter#"), QStringLiteral("Part 1"), QStringLiteral("Part 2"),
                                QStringLiteral("Part 3"),     QStringLiteral("Units"),  QStringLiteral("Standard")};
const QStringList kGraphRows = {QStringLiteral("Parameters 1,2,3"), QStringLiteral("Scale: St,End,Inc"),
                                QStringLiteral("Parameters 4,5,6"), QStringLiteral("Scale: St,End,Inc"),
                                QStringLiteral("Parameters 7,8,9"), QStringLiteral("Scale: St,End,Inc")};
const QStringList kInfoRows = {QStringLiteral("Main Title"),
                               QStringLiteral("Secondary Title, Line 1"),
                               QStringLiteral("Secondary Title, Line 2"),
                               QStringLiteral("Secondary Title, Line 3"),
                               QStringLiteral("Print Table/Graph/Both (T/G/B) "),
                               QStringLiteral("Label for Standard"),
                               QStringLiteral("Date to Begin Highlight")};

// The fields of a project parameter the slot takes (ParamTable columns).
constexpr int ParUnits = 2, ParStandard = 3, ParScale = 4, ParFullName = 6, ParSplit1 = 7, ParSplit2 = 8,
              ParSplit3 = 9;

} // namespace

frmWellSum::frmWellSum() : ReportForm(ReportKind::WellSum) {
    List2 = MakeList2();
    // The report's sources change only through the picker.
    List2->setSelectionMode(QAbstractItemView::NoSelection);
    SS = MakeRows(QStringLiteral("SS"), kTableRows, Slots, true);
    SS2 = MakeRows(QStringLiteral("SS2"), kGraphRows, GraphCols, true);
    SSRepInfo = MakeRows(QStringLiteral("SSRepInfo"), kInfoRows, 1, true);
    Label1 = Caption(QStringLiteral("Master Parameters"), List1, QStringLiteral("Label1"));
    Label2 = Caption(QStringLiteral("Source List"), List2, QStringLiteral("Label2"));
    Label3 = Caption(QStringLiteral("Table Page Headings"), SS, QStringLiteral("Label3"));
    Label4 = Caption(QStringLiteral("Graph Page Headings and Scale"), SS2, QStringLiteral("Label4"));
    Label5 = Caption(QStringLiteral("Report Info"), SSRepInfo, QStringLiteral("Label5"));
    Command1 = NamedButton(this, QStringLiteral("Command1"), QStringLiteral("Edit Source List"));
    Command2 = NamedButton(this, QStringLiteral("Command2"), QStringLiteral("Edit Notes"));
    Command3 = NamedButton(this, QStringLiteral("Command3"), QStringLiteral("Edit Mode"));

    // The lists on the left, one above the other; the grids at their designed widths beside them.
    auto* lay = new QGridLayout(this);
    lay->setMenuBar(MenuBar);
    QVBoxLayout* lists = ListColumn(Label1, 3, Label2, 2);
    for (QPushButton* b : {Command1, Command2, Command3})
        lists->addWidget(b);
    auto* graphs = new QVBoxLayout;
    graphs->addWidget(Label4);
    graphs->addWidget(SS2);
    graphs->addStretch();
    auto* info = new QVBoxLayout;
    info->addWidget(Label5);
    info->addWidget(SSRepInfo);
    info->addStretch();
    auto* lower = new QHBoxLayout;
    lower->addLayout(graphs);
    lower->addSpacing(12);
    lower->addLayout(info);
    lower->addStretch();
    auto* grids = new QVBoxLayout;
    grids->addWidget(Label3);
    grids->addWidget(SS);
    grids->addSpacing(12);
    grids->addLayout(lower);
    grids->addStretch();
    lay->addLayout(lists, 0, 0);
    lay->addLayout(grids, 0, 1);
    lay->setColumnStretch(1, 1);
    List1->setMinimumWidth(160);
    resize(1140, 560);

    OnPick(List1, [this] { List1_Click(); });
    connect(Command1, &QPushButton::clicked, this, &frmWellSum::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmWellSum::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmWellSum::Command3_Click);
    Form_Load();
}

// ---- grids

void frmWellSum::SetupGrids() {
    SS->setGridEditMode(true);
    SS->setColWidth(0, 10);
    for (int c = 1; c <= Slots; ++c)
        SS->setColWidth(c, 9);
    for (SpreadGrid* g : {SS, SS2, SSRepInfo})
        FitGrid(g);
    // On a narrow screen (a high scale) the graph and Report Info columns give up characters, down
    // to ten and twelve, so that Report Info's values stand in view, not beyond a scroll; the room
    // leaves the window's frame, its margin and a vertical scroll bar.
    const int room = screen() ? screen()->availableGeometry().width() - 48 : QWIDGETSIZE_MAX;
    for (int graph = 16, info = 24;; --graph, info -= 2) {
        for (int c = 1; c <= GraphCols; ++c)
            SS2->setColWidth(c, std::max(graph, 10));
        SSRepInfo->setColWidth(1, std::max(info, 12));
        FitGrid(SS2);
        FitGrid(SSRepInfo);
        layout()->activate();
        if (SSRepInfo->mapTo(this, QPoint(SSRepInfo->width(), 0)).x() <= room || (graph <= 10 && info <= 12))
            break;
    }
}

QList<SpreadGrid*> frmWellSum::Grids() const { return {SS, SS2, SSRepInfo}; }

void frmWellSum::GridChange(SpreadGrid* grid) {
    if (grid == SS) SS_Change();
    else if (grid == SS2) SS2_Change();
    else SSRepInfo_Change();
}

void frmWellSum::SS_Change() { MarkChanged(); }
void frmWellSum::SS2_Change() { MarkChanged(); }
void frmWellSum::SSRepInfo_Change() { MarkChanged(); }

// ---- the definition

void frmWellSum::ClearForm() {
    List2->clear();
    SS->clearBlock({1, 1, TableRows, Slots});
    SS2->clearBlock({1, 1, GraphRows, GraphCols});
    SSRepInfo->clearBlock({1, 1, InfoRows, 1});
}

void frmWellSum::ClearDefinition() { ClearWellFile(); }

std::function<void()> frmWellSum::LoadDefinition(const QString& path) {
    return Committing(LoadWellFile(path), CommitWellSum);
}

void frmWellSum::FillForm() { FillWellForm(); }

void frmWellSum::fillSourceList() {
    const WellSumDefinition& d = modgw().WellSum;
    List2->clear();
    for (int i = 1; i <= d.NumWellList; ++i)
        List2->addItem(d.WellList[i]);
}

void frmWellSum::FillWellForm() {
    FillGrids(QStringLiteral("FillWellForm"), [&] {
        fillSourceList();
        const WellSumGrids g = WellSumGridsOf(modgw().WellSum);
        for (int r = 1; r <= TableRows; ++r)
            for (int c = 1; c <= Slots; ++c)
                SS->setText(r, c, g.SS[r][c]);
        for (int r = 1; r <= GraphRows; ++r)
            for (int c = 1; c <= GraphCols; ++c)
                SS2->setText(r, c, g.SS2[r][c]);
        for (int r = 1; r <= InfoRows; ++r)
            SSRepInfo->setText(r, 1, g.SSRepInfo[r]);
    });
}

bool frmWellSum::WriteDefinition(const QString& path) {
    WellSumGrids g;
    for (int r = 1; r <= TableRows; ++r)
        for (int c = 1; c <= Slots; ++c)
            g.SS[r][c] = SS->text(r, c);
    for (int r = 1; r <= GraphRows; ++r)
        for (int c = 1; c <= GraphCols; ++c)
            g.SS2[r][c] = SS2->text(r, c);
    for (int r = 1; r <= InfoRows; ++r)
        g.SSRepInfo[r] = SSRepInfo->text(r, 1);
    TakeWellSumGrids(g, modgw().WellSum);
    return SaveWellFile(path);
}

int frmWellSum::ItemCount() { return modgw().WellSum.NumWellList; }

// ---- picks and delete

void frmWellSum::List1_Click() {
    Pick(List1, modgw().NumParams, [&](int p) {
        const auto& par = modgw().ParamTable[p];
        const int s = std::clamp(SS->activeCol(), 1, Slots);
        const QStringList fields = {QString::number(p), par[ParSplit1], par[ParSplit2],
                                    par[ParSplit3],     par[ParUnits],  par[ParStandard]};
        for (int r = 1; r <= TableRows; ++r)
            SS->setText(r, s, fields[r - 1]);
        if (const auto cell = GraphCellOf(s)) {
            SS2->setText(cell->labelRow, cell->col, par[ParFullName]);
            SS2->setText(cell->scaleRow, cell->col, par[ParScale]);
        }
        // On to the next slot; after the last one the caret stays there.
        SS->setActiveCell(2, std::min(s + 1, Slots));
    });
}

void frmWellSum::mnuDelete_Click() {
    trap(QStringLiteral("mnuDelete_Click"), [&] {
        ClosedCells closed(Grids());
        const int s = std::clamp(SS->activeCol(), 1, Slots);
        SS->clearBlock({1, s, TableRows, s});
        if (const auto cell = GraphCellOf(s)) {
            SS2->setText(cell->labelRow, cell->col, QString());
            SS2->setText(cell->scaleRow, cell->col, QString());
        }
        // The definition the form shows changed: closing must offer to save it.
        MarkChanged();
    });
}

// ---- buttons

void frmWellSum::Command1_Click() {
    trap(QStringLiteral("Command1_Click"), [&] {
        forms::showModal(forms::form<frmWellWList>());
        forms::unload<frmWellWList>();
        fillSourceList();
    });
}

void frmWellSum::Command2_Click() {
    trap(QStringLiteral("Command2_Click"), [&] { EditNotes(); });
}

void frmWellSum::Command3_Click() {
    trap(QStringLiteral("Command3_Click"), [&] { EditMode(); });
}
