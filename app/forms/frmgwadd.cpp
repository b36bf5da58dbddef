// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/frmgwadd.h"

#include "platform/gui/spreadgrid.h"
#include "platform/gui/controls.h"
#include "project/addrecords.h"
#include "project/modgw.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

namespace {
constexpr int RecordColumns = 100;
}

frmGWAdd::frmGWAdd() {
    setObjectName(QStringLiteral("frmGWAdd"));
    setWindowTitle(QStringLiteral("Add Records"));
    SSAdd = new SpreadGrid(QStringLiteral("SSAdd"), this);
    Label1 = new QLabel(QStringLiteral("Master Source List"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setAccessibleName(QStringLiteral("List1"));
    Label1->setBuddy(List1);
    auto button = [this](const QString& name, const QString& text) { return NamedButton(this, name, text); };
    btnOK = button(QStringLiteral("btnOK"), QStringLiteral("OK"));
    btnOK->setDefault(true);
    btnCancel = button(QStringLiteral("btnCancel"), QStringLiteral("Cancel"));
    btnHelp = button(QStringLiteral("btnHelp"), QStringLiteral("Help"));

    auto* lay = new QGridLayout(this);
    lay->addWidget(SSAdd, 0, 0, 6, 1);
    lay->addWidget(Label1, 0, 1);
    lay->addWidget(List1, 1, 1);
    lay->addWidget(btnOK, 2, 1);
    lay->addWidget(btnCancel, 3, 1);
    lay->addWidget(btnHelp, 4, 1);
    lay->setRowStretch(1, 1);
    lay->setColumnStretch(0, 1);
    resize(900, 560);

    connect(List1, &QListWidget::itemClicked, this, &frmGWAdd::List1_Click);
    connect(btnOK, &QPushButton::clicked, this, &frmGWAdd::btnOK_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmGWAdd::btnCancel_Click);
    // Help has no topic of its own.
    Form_Load();
}

void frmGWAdd::Form_Load() {
    if (const QScreen* s = screen()) {
        const QRect a = s->geometry();
        move(int((a.width() - width()) * 0.5), int((a.height() - height()) * 0.35));
    }
    const ModGW& m = modgw();
    // One field a row, one new record a column; dates stay text so that "/" can be required.
    SSAdd->setMaxRows(3 + m.NumParams);
    SSAdd->setMaxCols(RecordColumns);
    SSAdd->setColWidth(0, 10);
    for (int c = 1; c <= RecordColumns; ++c)
        SSAdd->setColWidth(c, 9);
    SSAdd->setRowHeader(1, QStringLiteral("Source "));
    SSAdd->setRowHeader(2, QStringLiteral("Samp_Date "));
    SSAdd->setRowHeader(3, QStringLiteral("Dup Code"));
    for (int i = 1; i <= m.NumParams; ++i)
        SSAdd->setRowHeader(3 + i, m.ParamTable[i][1] + u' ');
    SSAdd->setEnterAction(SpreadGrid::EnterDown);
    for (int i = 1; i <= m.NumSources; ++i)
        List1->addItem(m.SourceTable[i][1]);
}

void frmGWAdd::List1_Click() {
    const int row = List1->currentRow();
    if (row < 0) return;
    SSAdd->setText(1, std::max(SSAdd->activeCol(), 1), modgw().SourceTable[row + 1][1]);
}

void frmGWAdd::btnOK_Click() {
    SSAdd->commitEdit(); // a cell still open for editing counts
    const int rows = SSAdd->maxRows();
    QList<AddColumn> columns;
    for (int c = 1; c <= SSAdd->usedColCount(); ++c) {
        AddColumn col;
        for (int r = 1; r <= rows; ++r)
            col << SSAdd->text(r, c);
        columns << col;
    }
    if (AddRecords(columns) == AddResult::Added) accept();
}

void frmGWAdd::btnCancel_Click() {
    reject();
}
