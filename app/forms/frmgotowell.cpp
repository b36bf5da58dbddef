// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/frmgotowell.h"
#include "platform/gui/controls.h"

#include "project/modgw.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

frmGoToWell::frmGoToWell() {
    setObjectName(QStringLiteral("frmGoToWell"));
    setWindowTitle(QStringLiteral("Go To Source"));
    Label1 = new QLabel(QStringLiteral("Source Name"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setAccessibleName(QStringLiteral("List1"));
    Label1->setBuddy(List1);
    Command1 = NamedButton(this, QStringLiteral("Command1"), QStringLiteral("OK"));
    Command1->setDefault(true);
    Command2 = NamedButton(this, QStringLiteral("Command2"), QStringLiteral("Cancel"));

    auto* lay = new QGridLayout(this);
    lay->addWidget(Label1, 0, 0);
    lay->addWidget(List1, 1, 0, 3, 1);
    lay->addWidget(Command1, 1, 1);
    lay->addWidget(Command2, 2, 1);
    lay->setRowStretch(3, 1);
    resize(300, 320);

    connect(Command1, &QPushButton::clicked, this, &frmGoToWell::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmGoToWell::Command2_Click);
    connect(List1, &QListWidget::itemDoubleClicked, this, &frmGoToWell::List1_DblClick);
    Form_Load();
}

void frmGoToWell::Form_Load() {
    // Closed by its close box the dialog chooses nothing.
    modgw().GoToSource = 0;
    if (const QScreen* s = screen()) {
        const QRect a = s->geometry();
        move(a.width() / 2 - width() / 2, a.height() / 2 - height() / 2);
    }
    const ModGW& m = modgw();
    for (int i = 1; i <= m.NumSources; ++i)
        List1->addItem(m.SourceTable[i][1]);
}

void frmGoToWell::Command1_Click() {
    const QList<QListWidgetItem*> sel = List1->selectedItems();
    modgw().GoToSource = sel.isEmpty() ? 0 : List1->row(sel.first()) + 1;
    accept();
}

void frmGoToWell::Command2_Click() {
    modgw().GoToSource = 0;
    reject();
}

void frmGoToWell::List1_DblClick() {
    Command1_Click();
}
