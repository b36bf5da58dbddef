// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportdefs/forms/frmgwelev.h"

#include "platform/gui/controls.h"
#include "platform/gui/spreadgrid.h"
#include "project/modgw.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int MaxSets = GWElevDefinition::MaxSets;
constexpr int Positions = GWElevDefinition::Positions;
constexpr int ScaleCol = GWElevGrids::ScaleCol;
constexpr int InfoRows = GWElevDefinition::InfoRows;
constexpr int ParScale = 4;  // ParamTable: the parameter's default scale
constexpr int SrcRefElev = 4; // SourceTable: the source's reference elevation

const QStringList kInfoRows = {QStringLiteral("Main Title"), QStringLiteral("Sec. Title, Line 1"),
                               QStringLiteral("Sec. Title, Line 2"), QStringLiteral("Sec. Title, Line 3")};

} // namespace

frmGWElev::frmGWElev() : ReportForm(ReportKind::GWElev) {
    List2 = MakeList2();
    SS1 = new SpreadGrid(QStringLiteral("SS1"), this);
    SS2 = new SpreadGrid(QStringLiteral("SS2"), this);
    SS3 = new SpreadGrid(QStringLiteral("SS3"), this);
    Label1 = Caption(QStringLiteral("Master Parameter List"), List1, QStringLiteral("Label1"));
    Label2 = Caption(QStringLiteral("Master Source List"), List2, QStringLiteral("Label2"));
    Label3 = Caption(QStringLiteral("Parameter Information"), SS2, QStringLiteral("Label3"));
    Label4 = Caption(QStringLiteral("Source Sets"), SS1, QStringLiteral("Label4"));
    Label5 = Caption(QStringLiteral("Report Information"), SS3, QStringLiteral("Label5"));
    Command1 = NamedButton(this, QStringLiteral("Command1"), QStringLiteral("Edit Mode"));
    Command2 = NamedButton(this, QStringLiteral("Command2"), QStringLiteral("Edit Notes"));

    // The two lists on the left; the parameter and report information above the sets beside them.
    auto* lay = new QGridLayout(this);
    lay->setMenuBar(MenuBar);
    QVBoxLayout* lists = ListColumn(Label1, 1, Label2, 1);
    auto* par = new QVBoxLayout;
    par->addWidget(Label3);
    par->addWidget(SS2);
    par->addStretch(1);
    par->addWidget(Command1);
    par->addWidget(Command2);
    auto* info = new QVBoxLayout;
    info->addWidget(Label5);
    info->addWidget(SS3);
    info->addStretch(1);
    auto* upper = new QHBoxLayout;
    upper->addLayout(par);
    upper->addSpacing(12);
    upper->addLayout(info);
    upper->addStretch();
    auto* grids = new QVBoxLayout;
    grids->addLayout(upper);
    grids->addSpacing(8);
    grids->addWidget(Label4);
    grids->addWidget(SS1);
    grids->addStretch(1);
    lay->addLayout(lists, 0, 0);
    lay->addLayout(grids, 0, 1);
    lay->setColumnStretch(1, 1);
    List1->setMinimumWidth(200);

    OnPick(List1, [this] { List1_Click(); });
    OnPick(List2, [this] { List2_Click(); });
    connect(SS1, &SpreadGrid::cellClicked, this, &frmGWElev::SS1_Click);
    connect(SS2, &SpreadGrid::cellClicked, this, &frmGWElev::SS2_Click);
    connect(SS3, &SpreadGrid::cellClicked, this, &frmGWElev::SS3_Click);
    connect(Command1, &QPushButton::clicked, this, &frmGWElev::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmGWElev::Command2_Click);
    Form_Load();
}

// ---- grids

void frmGWElev::SetupGrids() {
    // The load fills the source list with the parameter list.
    FillSourceList(List2);
    QStringList headers;
    for (int p = 1; p <= Positions; ++p)
        headers << QStringLiteral("Source %1").arg(p);
    SetColumns(SS1, MaxSets, headers << QStringLiteral("Scale: St, End, Inc"));
    for (int p = 1; p <= Positions; ++p) {
        SS1->setColWidth(p, 12);
        // A typed name would never reach the file: the sources come from the list with their
        // reference elevations.
        SS1->setColumnLocked(p, true);
    }
    SS1->setColWidth(ScaleCol, 18);
    SS1->setColWidth(0, 3);
    FitColumns(SS1, 14);

    SetRows(SS2, {QStringLiteral("Parameter #"), QStringLiteral("Depth/Elev. (D/E)")});
    SS2->setColWidth(0, 16);
    SS2->setColWidth(1, 8);
    FitGrid(SS2);

    SetRows(SS3, kInfoRows);
    SS3->setColWidth(0, 16);
    SS3->setColWidth(1, 40);
    FitGrid(SS3);
}

QList<SpreadGrid*> frmGWElev::Grids() const { return {SS1, SS2, SS3}; }
QList<SpreadGrid*> frmGWElev::TypedGrids() const { return {SS1, SS3}; }

void frmGWElev::SS1_Click() { MarkChanged(); }
void frmGWElev::SS2_Click() { MarkChanged(); }
void frmGWElev::SS3_Click() { MarkChanged(); }

GWElevGrids frmGWElev::GridsOnForm() const {
    GWElevGrids g;
    g.SS2[1] = SS2->text(1, 1);
    g.SS2[2] = SS2->text(2, 1);
    for (int r = 1; r <= MaxSets; ++r)
        for (int c = 1; c <= ScaleCol; ++c)
            g.SS1[r][c] = SS1->text(r, c);
    for (int r = 1; r <= InfoRows; ++r)
        g.SS3[r] = SS3->text(r, 1);
    return g;
}

// ---- the definition

void frmGWElev::ClearForm() {
    SS1->clearBlock({1, 1, MaxSets, ScaleCol});
    SS2->clearBlock({1, 1, 2, 1});
    SS3->clearBlock({1, 1, InfoRows, 1});
}

void frmGWElev::ClearDefinition() { ClearGWElevFile(); }

std::function<void()> frmGWElev::LoadDefinition(const QString& path) {
    return Committing(LoadGWElevFile(path), CommitGWElev);
}

void frmGWElev::FillForm() { FillGWElevForm(); }

void frmGWElev::FillGWElevForm() {
    FillGrids(QStringLiteral("FillGWElevForm"), [&] {
        const GWElevGrids g = GWElevGridsOf(modgw().GWElev);
        SS2->setText(1, 1, g.SS2[1]);
        SS2->setText(2, 1, g.SS2[2]);
        for (int r = 1; r <= MaxSets; ++r)
            for (int c = 1; c <= ScaleCol; ++c)
                SS1->setText(r, c, g.SS1[r][c]);
        for (int r = 1; r <= InfoRows; ++r)
            SS3->setText(r, 1, g.SS3[r]);
    });
}

bool frmGWElev::WriteDefinition(const QString& path) { return SaveGWElevFile(GridsOnForm(), path); }

int frmGWElev::ItemCount() {
    // Sets entered since the last save count: the notes editor lists them from this count.
    CommitGrids();
    ModGW& m = modgw();
    m.GWElev.GWElevSetCount = int16_t(SS1->usedRowCount());
    return m.GWElev.GWElevSetCount;
}

void frmGWElev::Closing() { ForgetNotes(modgw().GWElev.GWElevSetCount); }

// The run draws the definition variables, saved or opened: a scale there that cannot be drawn
// would be replaced on the page without a word.
QString frmGWElev::RunRefusal() const { return GWElevScaleRefusal(modgw().GWElev); }

// ---- picks and delete

void frmGWElev::List1_Click() {
    Pick(List1, modgw().NumParams, [&](int k) {
        ModGW& m = modgw();
        SS2->setText(1, 1, QString::number(k));
        GWElevDefinition& d = m.GWElev;
        d.GWElevParameter = int16_t(k);
        d.GWElevSetCount = int16_t(SS1->usedRowCount());
        // Scales typed or picked before stay; rows added later get none until the next pick.
        for (int i = 1; i <= d.GWElevSetCount; ++i)
            if (SS1->text(i, ScaleCol).isEmpty()) SS1->setText(i, ScaleCol, m.ParamTable[k][ParScale]);
    });
}

void frmGWElev::List2_Click() {
    trap(QStringLiteral("List2_Click"), [&] {
        ModGW& m = modgw();
        const int k = List2->currentRow() + 1;
        if (k < 1 || k > m.NumSources) return;
        ClosedCells closed(Grids());
        const int r = std::clamp(SS1->activeRow(), 1, MaxSets);
        const int c = std::max(SS1->activeCol(), 1);
        // The scale column holds no source.
        if (c > Positions) return;
        const QString name = m.SourceTable[k][1];
        SS1->setText(r, c, name);
        m.GWElev.GWElevSetSources[r][c] = name;
        m.GWElev.GWElevSetValues[r][c] = m.SourceTable[k][SrcRefElev];
        // Four picks fill a set; after the last set the caret stays where it is.
        if (c < Positions) SS1->setActiveCell(r, c + 1);
        else if (r < MaxSets) SS1->setActiveCell(r + 1, 1);
        MarkChanged();
    });
}

void frmGWElev::mnuDelete_Click() {
    trap(QStringLiteral("mnuDelete_Click"), [&] {
        ClosedCells closed(Grids());
        const int r = std::clamp(SS1->activeRow(), 1, MaxSets);
        const int c = std::max(SS1->activeCol(), 1);
        if (c > Positions) return;
        SS1->setText(r, c, QString());
        GWElevDefinition& d = modgw().GWElev;
        d.GWElevSetSources[r][c].clear();
        d.GWElevSetValues[r][c].clear();
        MarkChanged();
    });
}

// ---- buttons

void frmGWElev::Command1_Click() {
    trap(QStringLiteral("Command1_Click"), [&] { EditMode(); });
}

void frmGWElev::Command2_Click() {
    trap(QStringLiteral("Command2_Click"), [&] { EditNotes(); });
}
