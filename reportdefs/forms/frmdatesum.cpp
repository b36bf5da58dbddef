// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportdefs/forms/frmdatesum.h"

#include "platform/gui/controls.h"
#include "reportdefs/forms/datepicks.h"
#include "platform/gui/spreadgrid.h"
#include "project/modgw.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

using Cells = DateSumGrids;

const QStringList kInfoRows = {QStringLiteral("Main Title"), QStringLiteral("Sec. Title, Line 1"),
                               QStringLiteral("Sec. Title, Line 2"), QStringLiteral("Sec. Title, Line 3"),
                               QStringLiteral("Label for Standard")};

QStringList mapRows() {
    QStringList rows = {QStringLiteral("X: St, End, Inc"), QStringLiteral("Y: St, End, Inc"),
                        QStringLiteral("Distance Unit"), QStringLiteral("Source Radius Mult.")};
    for (int n = 1; n <= 10; ++n)
        rows << QStringLiteral("Pars. on Map %1").arg(n);
    return rows;
}

} // namespace

frmDateSum::frmDateSum() : ReportForm(ReportKind::DateSum) {
    List2 = MakeList2();
    SS5 = MakeGrid(QStringLiteral("SS5"), Cells::EpisodeRows, {QStringLiteral("Start Date"), QStringLiteral("End Date")});
    SS1 = MakeGrid(QStringLiteral("SS1"), Cells::ParamRows, {QStringLiteral("Par. Name")});
    SS2 = MakeGrid(QStringLiteral("SS2"), Cells::SourceRows,
                   {QStringLiteral("Source"), QStringLiteral("Abv/Blw"), QStringLiteral("X Pos."),
                    QStringLiteral("Y Pos.")});
    SS3 = MakeRows(QStringLiteral("SS3"), kInfoRows);
    SS4 = MakeRows(QStringLiteral("SS4"), mapRows());
    Label1 = Caption(QStringLiteral("Master Parameter List"), List1, QStringLiteral("Label1"));
    Label2 = Caption(QStringLiteral("Master Source List"), List2, QStringLiteral("Label2"));
    Label3 = Caption(QStringLiteral("Sampling Episodes"), SS5, QStringLiteral("Label3"));
    Label4 = Caption(QStringLiteral("Chosen Parameters"), SS1, QStringLiteral("Label4"));
    Label5 = Caption(QStringLiteral("Chosen Sources"), SS2, QStringLiteral("Label5"));
    Label6 = Caption(QStringLiteral("Report Information"), SS3, QStringLiteral("Label6"));
    Label7 = Caption(QStringLiteral("Map Information"), SS4, QStringLiteral("Label7"));
    Command1 = NamedButton(this, QStringLiteral("Command1"), QStringLiteral("Edit Notes"));
    Command2 = NamedButton(this, QStringLiteral("Command2"), QStringLiteral("Edit Mode"));

    // The master lists and buttons on the left; episodes and parameters, then sources and report
    // information, then the map information, each column at its grids' widths.
    auto* lay = new QGridLayout(this);
    lay->setMenuBar(MenuBar);
    QVBoxLayout* lists = ListColumn(Label1, 1, Label2, 1);
    lists->addWidget(Command1);
    lists->addWidget(Command2);
    auto column = [](std::initializer_list<QWidget*> widgets) {
        auto* c = new QVBoxLayout;
        for (QWidget* w : widgets) {
            if (qobject_cast<QLabel*>(w) && c->count() > 0) c->addSpacing(8);
            c->addWidget(w);
        }
        c->addStretch();
        return c;
    };
    lay->addLayout(lists, 0, 0);
    lay->addLayout(column({Label3, SS5, Label4, SS1}), 0, 1);
    lay->addLayout(column({Label5, SS2, Label6, SS3}), 0, 2);
    lay->addLayout(column({Label7, SS4}), 0, 3);
    lay->setColumnStretch(4, 1);
    List1->setMinimumWidth(150);
    sizeGrids();

    OnPick(List1, [this] { List1_Click(); });
    OnPick(List2, [this] { List2_Click(); });
    connect(Command1, &QPushButton::clicked, this, &frmDateSum::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmDateSum::Command2_Click);
    connect(SS2, &SpreadGrid::cellClicked, this, &frmDateSum::SS2_Click);
    connect(SS3, &SpreadGrid::cellClicked, this, &frmDateSum::SS3_Click);
    connect(SS4, &SpreadGrid::cellClicked, this, &frmDateSum::SS4_Click);
    connect(SS5, &SpreadGrid::cellClicked, this, &frmDateSum::SS5_Click);
    Form_Load();
}

// ---- grids

void frmDateSum::SetupGrids() {
    FillSourceList(List2);
    CheckEpisodeDates(SS5);

    // Only picks put a parameter's number behind its name; a typed name would reach nothing.
    SS1->setColumnLocked(1, true);
}

// Fixed sizes, before the load centres the form on them.
void frmDateSum::sizeGrids() {
    SS1->setColWidth(1, 16);
    FitGrid(SS1);
    SS5->setColWidth(0, 3);
    SS5->setColWidth(1, 11);
    SS5->setColWidth(2, 11);
    FitColumns(SS5, 12);
    SS2->setColWidth(0, 3);
    SS2->setColWidth(1, 12);
    SS2->setColWidth(2, 8);
    SS2->setColWidth(3, 8);
    SS2->setColWidth(4, 8);
    FitColumns(SS2, 12);
    SS3->setColWidth(1, 26);
    FitGrid(SS3);
    SS4->setColWidth(1, 18);
    FitGrid(SS4);
}

QList<SpreadGrid*> frmDateSum::Grids() const { return {SS5, SS1, SS2, SS3, SS4}; }
QList<SpreadGrid*> frmDateSum::TypedGrids() const { return {SS3, SS4, SS5}; }

// A click marks the definition changed whether or not a value then changes; SS1 is written only
// by picks and Delete, which mark it themselves.
void frmDateSum::SS2_Click() { MarkChanged(); }
void frmDateSum::SS3_Click() { MarkChanged(); }
void frmDateSum::SS4_Click() { MarkChanged(); }
void frmDateSum::SS5_Click() { MarkChanged(); }

// ---- the definition

void frmDateSum::ClearForm() {
    SS1->clearBlock({1, 1, Cells::ParamRows, 1});
    if (const int used = SS2->usedRowCount()) SS2->clearBlock({1, 1, used, 4});
    SS3->clearBlock({1, 1, Cells::InfoRows, 1});
    SS4->clearBlock({1, 1, Cells::MapRows, 1});
    if (const int used = SS5->usedRowCount()) SS5->clearBlock({1, 1, used, 2});
}

void frmDateSum::ClearDefinition() { ClearDateFile(); }

std::function<void()> frmDateSum::LoadDefinition(const QString& path) {
    return Committing(LoadDateFile(path), CommitDateSum);
}

void frmDateSum::FillForm() { FillDateForm(); }

void frmDateSum::FillDateForm() {
    FillGrids(QStringLiteral("FillDateForm"), [&] {
        const Cells g = DateSumGridsOf(modgw().DateSum, modgw());
        for (int r = 1; r <= Cells::EpisodeRows; ++r)
            for (int c = 1; c <= 2; ++c)
                SS5->setText(r, c, g.SS5[r][c]);
        for (int r = 1; r <= Cells::ParamRows; ++r)
            SS1->setText(r, 1, g.SS1[r]);
        for (int r = 1; r <= Cells::SourceRows; ++r)
            for (int c = 1; c <= 4; ++c)
                SS2->setText(r, c, g.SS2[r][c]);
        for (int r = 1; r <= Cells::InfoRows; ++r)
            SS3->setText(r, 1, g.SS3[r]);
        for (int r = 1; r <= Cells::MapRows; ++r)
            SS4->setText(r, 1, g.SS4[r]);
    });
}

DateSumGrids frmDateSum::GridsOnForm() const {
    Cells g;
    for (int r = 1; r <= Cells::EpisodeRows; ++r)
        for (int c = 1; c <= 2; ++c)
            g.SS5[r][c] = SS5->text(r, c);
    for (int r = 1; r <= Cells::ParamRows; ++r)
        g.SS1[r] = SS1->text(r, 1);
    for (int r = 1; r <= Cells::SourceRows; ++r)
        for (int c = 1; c <= 4; ++c)
            g.SS2[r][c] = SS2->text(r, c);
    for (int r = 1; r <= Cells::InfoRows; ++r)
        g.SS3[r] = SS3->text(r, 1);
    for (int r = 1; r <= Cells::MapRows; ++r)
        g.SS4[r] = SS4->text(r, 1);
    return g;
}

// The axis rows the save fills in go to the variables and the file; the grid shows them when the
// file is opened again.
bool frmDateSum::WriteDefinition(const QString& path) {
    TakeDateSumGrids(GridsOnForm(), modgw().DateSum);
    return SaveDateFile(path);
}

// The notes editor lists the episodes as they stand on the form.
int frmDateSum::ItemCount() {
    DateSumDefinition& d = modgw().DateSum;
    return TakeEpisodes(SS5, d.DateEpisodeCount, d.DateEpisodes);
}

void frmDateSum::Closing() { ForgetNotes(modgw().DateSum.DateEpisodeCount); }

// ---- picks and delete

void frmDateSum::List1_Click() {
    Pick(List1, modgw().NumParams, [&](int p) { PickDateParameter(*SS1, p, Cells::ParamRows); });
}

void frmDateSum::List2_Click() {
    // Name and positions; the Abv/Blw text typed in column 2 stays.
    Pick(List2, modgw().NumSources,
         [&](int s) { PickDateSource(*SS2, s, Cells::SourceRows, {{1, 1}, {3, 2}, {4, 3}}); });
}

void frmDateSum::mnuDelete_Click() {
    DeleteRow(SS1, Cells::ParamRows, [](int r) { modgw().DateSum.DateParams[r] = 0; });
}

// ---- buttons

void frmDateSum::Command1_Click() {
    trap(QStringLiteral("Command1_Click"), [&] { EditNotes(); });
}

void frmDateSum::Command2_Click() {
    trap(QStringLiteral("Command2_Click"), [&] { EditMode(); });
}
