// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportdefs/forms/frmstiff.h"

#include "platform/gui/controls.h"
#include "platform/gui/spreadgrid.h"
#include "project/modgw.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int MaxEpisodes = StiffDefinition::MaxEpisodes;
constexpr int ParamRows = StiffDefinition::ParamRows;
constexpr int SourceRows = StiffDefinition::SourceRows;
constexpr int InfoRows = StiffDefinition::InfoRows;

const QStringList kInfoRows = {QStringLiteral("Main Title"), QStringLiteral("Sec. Title, Line 1"),
                               QStringLiteral("Sec. Title, Line 2"), QStringLiteral("Sec. Title, Line 3")};

} // namespace

frmStiff::frmStiff() : ReportForm(ReportKind::Stiff) {
    List2 = MakeList2();
    SS1 = MakeGrid(QStringLiteral("SS1"), ParamRows, {QStringLiteral("Par. Name")});
    SS2 = MakeGrid(QStringLiteral("SS2"), SourceRows, {QStringLiteral("Source")});
    SS3 = MakeGrid(QStringLiteral("SS3"), ParamRows, {QStringLiteral("Par. Name")});
    SS4 = MakeGrid(QStringLiteral("SS4"), SourceRows, {QStringLiteral("Source")});
    SS5 = new SpreadGrid(QStringLiteral("SS5"), this);
    SS6 = new SpreadGrid(QStringLiteral("SS6"), this);
    Label1 = Caption(QStringLiteral("Master Parameter List"), List1, QStringLiteral("Label1"));
    Label2 = Caption(QStringLiteral("Master Source List"), List2, QStringLiteral("Label2"));
    lblSet1 = Caption(QStringLiteral("SET 1"), SS1, QStringLiteral("lblSet1"));
    lblSet2 = Caption(QStringLiteral("SET 2"), SS3, QStringLiteral("lblSet2"));
    lblPar1 = Caption(QStringLiteral("Chosen Parameters"), SS1, QStringLiteral("lblPar1"));
    lblSrc1 = Caption(QStringLiteral("Chosen Sources"), SS2, QStringLiteral("lblSrc1"));
    lblPar2 = Caption(QStringLiteral("Chosen Parameters"), SS3, QStringLiteral("lblPar2"));
    lblSrc2 = Caption(QStringLiteral("Chosen Sources"), SS4, QStringLiteral("lblSrc2"));
    Label3 = Caption(QStringLiteral("Sampling Episodes"), SS5, QStringLiteral("Label3"));
    Label4 = Caption(QStringLiteral("Report Information"), SS6, QStringLiteral("Label4"));
    Command1 = NamedButton(this, QStringLiteral("Command1"), QStringLiteral("Edit Mode"));
    Command2 = NamedButton(this, QStringLiteral("Command2"), QStringLiteral("Edit Notes"));

    // The lists on the left; the two sets side by side, the episodes beside them and the report
    // information below.
    auto* lay = new QGridLayout(this);
    lay->setMenuBar(MenuBar);
    QVBoxLayout* lists = ListColumn(Label1, 1, Label2, 1);
    auto* sets = new QGridLayout;
    sets->addWidget(lblSet1, 0, 0);
    sets->addWidget(lblSet2, 0, 1);
    sets->addWidget(lblPar1, 1, 0);
    sets->addWidget(lblPar2, 1, 1);
    sets->addWidget(SS1, 2, 0);
    sets->addWidget(SS3, 2, 1);
    sets->addWidget(lblSrc1, 3, 0);
    sets->addWidget(lblSrc2, 3, 1);
    sets->addWidget(SS2, 4, 0);
    sets->addWidget(SS4, 4, 1);
    sets->setRowStretch(5, 1);
    sets->setHorizontalSpacing(16);
    auto* episodes = new QVBoxLayout;
    episodes->addWidget(Label3);
    episodes->addWidget(SS5);
    episodes->addStretch(1);
    auto* upper = new QHBoxLayout;
    upper->addLayout(sets);
    upper->addSpacing(16);
    upper->addLayout(episodes);
    upper->addStretch();
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* lower = new QHBoxLayout;
    auto* info = new QVBoxLayout;
    info->addWidget(Label4);
    info->addWidget(SS6);
    info->addStretch(1);
    lower->addLayout(info);
    lower->addSpacing(16);
    lower->addLayout(buttons);
    lower->addStretch();
    auto* grids = new QVBoxLayout;
    grids->addLayout(upper);
    grids->addSpacing(8);
    grids->addLayout(lower);
    grids->addStretch(1);
    lay->addLayout(lists, 0, 0);
    lay->addLayout(grids, 0, 1);
    lay->setColumnStretch(1, 1);
    List1->setMinimumWidth(200);

    OnPick(List1, [this] { List1_Click(); });
    OnPick(List2, [this] { List2_Click(); });
    connect(SS1, &SpreadGrid::cellClicked, this, &frmStiff::SS1_Click);
    connect(SS2, &SpreadGrid::cellClicked, this, &frmStiff::SS2_Click);
    connect(SS3, &SpreadGrid::cellClicked, this, &frmStiff::SS3_Click);
    connect(SS4, &SpreadGrid::cellClicked, this, &frmStiff::SS4_Click);
    connect(SS5, &SpreadGrid::cellClicked, this, &frmStiff::SS5_Click);
    connect(SS6, &SpreadGrid::cellClicked, this, &frmStiff::SS6_Click);
    connect(Command1, &QPushButton::clicked, this, &frmStiff::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmStiff::Command2_Click);
    Form_Load();
    showActiveSet();
}

// ---- grids

void frmStiff::SetupGrids() {
    // The load fills the source list with the parameter list.
    FillSourceList(List2);
    CheckEpisodeDates(SS5);
    for (SpreadGrid* g : {SS1, SS3}) {
        // Only picks put a parameter's number behind its name; a typed name would reach nothing.
        g->setColumnLocked(1, true);
        g->setColWidth(0, 3);
        g->setColWidth(1, 16);
        FitGrid(g);
    }
    for (SpreadGrid* g : {SS2, SS4}) {
        g->setColWidth(0, 3);
        g->setColWidth(1, 16);
        FitGrid(g);
    }
    SetColumns(SS5, MaxEpisodes, {QStringLiteral("Start Date"), QStringLiteral("End Date")});
    SS5->setColWidth(0, 3);
    SS5->setColWidth(1, 12);
    SS5->setColWidth(2, 12);
    FitColumns(SS5, 14);

    SetRows(SS6, kInfoRows);
    SS6->setColWidth(0, 16);
    SS6->setColWidth(1, 44);
    FitGrid(SS6);
}

QList<SpreadGrid*> frmStiff::Grids() const { return {SS5, SS1, SS2, SS3, SS4, SS6}; }
QList<SpreadGrid*> frmStiff::TypedGrids() const { return {SS5, SS6}; }

StiffGrids frmStiff::GridsOnForm() const {
    StiffGrids g;
    for (int r = 1; r <= MaxEpisodes; ++r) {
        g.SS5[r][1] = SS5->text(r, 1);
        g.SS5[r][2] = SS5->text(r, 2);
    }
    for (int r = 1; r <= ParamRows; ++r) {
        g.SS1[r] = SS1->text(r, 1);
        g.SS3[r] = SS3->text(r, 1);
    }
    for (int r = 1; r <= SourceRows; ++r) {
        g.SS2[r] = SS2->text(r, 1);
        g.SS4[r] = SS4->text(r, 1);
    }
    for (int r = 1; r <= InfoRows; ++r)
        g.SS6[r] = SS6->text(r, 1);
    return g;
}

// ---- the active set

int frmStiff::activeSet() const { return modgw().StiffActiveSet == 1 ? 1 : 2; }

void frmStiff::setActiveSet(int set) {
    modgw().StiffActiveSet = int16_t(set);
    showActiveSet();
}

void frmStiff::showActiveSet() {
    // The set that picks go to is the one whose heading stands out.
    for (QLabel* l : {lblSet1, lblSet2}) {
        QFont f = l->font();
        f.setBold((l == lblSet1) == (activeSet() == 1));
        l->setFont(f);
    }
}

void frmStiff::SS1_Click() { setActiveSet(1); }

void frmStiff::SS2_Click() {
    setActiveSet(1);
    MarkChanged();
}

void frmStiff::SS3_Click() { setActiveSet(2); }

void frmStiff::SS4_Click() {
    setActiveSet(2);
    MarkChanged();
}

void frmStiff::SS5_Click() { MarkChanged(); }
void frmStiff::SS6_Click() { MarkChanged(); }

// ---- the definition

void frmStiff::ClearForm() {
    SS1->clearBlock({1, 1, ParamRows, 1});
    SS3->clearBlock({1, 1, ParamRows, 1});
    SS2->clearBlock({1, 1, SourceRows, 1});
    SS4->clearBlock({1, 1, SourceRows, 1});
    SS5->clearBlock({1, 1, MaxEpisodes, 2});
    SS6->clearBlock({1, 1, InfoRows, 1});
}

void frmStiff::ClearDefinition() { ClearStiffFile(); }

std::function<void()> frmStiff::LoadDefinition(const QString& path) {
    return Committing(LoadStiffFile(path), CommitStiff);
}

void frmStiff::FillForm() { FillStiffForm(); }

void frmStiff::FillStiffForm() {
    FillGrids(QStringLiteral("FillStiffForm"), [&] {
        const StiffGrids g = StiffGridsOf(modgw().Stiff, modgw());
        for (int r = 1; r <= MaxEpisodes; ++r) {
            SS5->setText(r, 1, g.SS5[r][1]);
            SS5->setText(r, 2, g.SS5[r][2]);
        }
        for (int r = 1; r <= ParamRows; ++r) {
            SS1->setText(r, 1, g.SS1[r]);
            SS3->setText(r, 1, g.SS3[r]);
        }
        for (int r = 1; r <= SourceRows; ++r) {
            SS2->setText(r, 1, g.SS2[r]);
            SS4->setText(r, 1, g.SS4[r]);
        }
        for (int r = 1; r <= InfoRows; ++r)
            SS6->setText(r, 1, g.SS6[r]);
    });
}

bool frmStiff::WriteDefinition(const QString& path) { return SaveStiffFile(GridsOnForm(), path); }

// The notes editor lists the episodes as they stand on the form.
int frmStiff::ItemCount() {
    StiffDefinition& d = modgw().Stiff;
    return TakeEpisodes(SS5, d.StiffEpisodeCount, d.StiffEpisodes);
}

void frmStiff::Closing() { ForgetNotes(modgw().Stiff.StiffEpisodeCount); }

// ---- runs

// The run takes each set's row counts from the definition: Preview and Batch Print store them from
// the form before the hand-over.
void frmStiff::BeforeRun(const QString& where) {
    trap(where, [&] {
        CommitGrids();
        TakeStiffRowCounts(GridsOnForm(), modgw().Stiff);
    });
}

// ---- picks and delete

void frmStiff::List1_Click() {
    const int s = activeSet();
    Pick(List1, modgw().NumParams, [&](int k) {
        const int r = PickIntoRow(*(s == 1 ? SS1 : SS3), ParamRows, {{1, modgw().ParamTable[k][1]}});
        modgw().Stiff.StiffParams[s][r] = int16_t(k);
    });
}

void frmStiff::List2_Click() {
    const int s = activeSet();
    Pick(List2, modgw().NumSources, [&](int k) {
        const QString name = modgw().SourceTable[k][1];
        const int r = PickIntoRow(*(s == 1 ? SS2 : SS4), SourceRows, {{1, name}});
        modgw().Stiff.StiffSources[s][r] = name;
    });
}

void frmStiff::mnuDelete_Click() {
    const int s = activeSet();
    DeleteRow(s == 1 ? SS1 : SS3, ParamRows, [s](int r) { modgw().Stiff.StiffParams[s][r] = 0; });
}

// ---- buttons

void frmStiff::Command1_Click() {
    trap(QStringLiteral("Command1_Click"), [&] { EditMode(); });
}

void frmStiff::Command2_Click() {
    trap(QStringLiteral("Command2_Click"), [&] { EditNotes(); });
}
