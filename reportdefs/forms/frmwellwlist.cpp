// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportdefs/forms/frmwellwlist.h"

#include "platform/gui/controls.h"
#include "platform/gui/helpviewer.h"
#include "platform/uiservice.h"
#include "project/modgw.h"
#include "reportdefs/forms/reportform.h"
#include "reportdefs/reportkinds.h"
#include "reportdefs/wellwlist.h"

#include <QGridLayout>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

QListWidget* sourceList(const QString& name, QWidget* parent) {
    auto* l = new QListWidget(parent);
    l->setObjectName(name);
    l->setAccessibleName(name);
    l->setSelectionMode(QAbstractItemView::ExtendedSelection);
    return l;
}

QStringList entries(const QListWidget& l) {
    QStringList out;
    for (int i = 0; i < l.count(); ++i)
        out << l.item(i)->text();
    return out;
}

QList<int> selectedRows(const QListWidget& l) {
    QList<int> rows;
    for (int i = 0; i < l.count(); ++i)
        if (l.item(i)->isSelected()) rows << i;
    return rows;
}

void setEntries(QListWidget& l, const QStringList& items) {
    l.clear();
    l.addItems(items);
}

// Moves the given rows of one list to the end of the other.
void moveEntries(QListWidget& from, QListWidget& to, const QList<int>& rows) {
    QStringList a = entries(from), b = entries(to);
    wellwlist::MoveEntries(a, b, rows);
    setEntries(from, a);
    setEntries(to, b);
}

QList<int> allRows(const QListWidget& l) {
    QList<int> rows;
    for (int i = 0; i < l.count(); ++i)
        rows << i;
    return rows;
}

} // namespace

frmWellWList::frmWellWList() {
    setObjectName(QStringLiteral("frmWellWList"));
    setWindowTitle(QStringLiteral("Create Well List"));
    List1 = sourceList(QStringLiteral("List1"), this);
    List2 = sourceList(QStringLiteral("List2"), this);
    Label1 = new QLabel(QStringLiteral("Master Source List"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setBuddy(List1);
    Label2 = new QLabel(QStringLiteral("Table Source List"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setBuddy(List2);
    Command1 = NamedButton(this, QStringLiteral("Command1"), QStringLiteral(">>"));
    Command2 = NamedButton(this, QStringLiteral("Command2"), QStringLiteral("<<"));
    Command3 = NamedButton(this, QStringLiteral("Command3"), QStringLiteral(">"));
    Command4 = NamedButton(this, QStringLiteral("Command4"), QStringLiteral("<"));
    Command1->setToolTip(QStringLiteral("Move every source to the table list"));
    Command2->setToolTip(QStringLiteral("Move every source back to the master list"));
    Command3->setToolTip(QStringLiteral("Move the selected sources to the table list"));
    Command4->setToolTip(QStringLiteral("Move the selected sources back to the master list"));
    btnOK = NamedButton(this, QStringLiteral("btnOK"), QStringLiteral("OK"));
    btnOK->setDefault(true);
    btnCancel = NamedButton(this, QStringLiteral("btnCancel"), QStringLiteral("Cancel"));
    btnHelp = NamedButton(this, QStringLiteral("btnHelp"), QStringLiteral("Help"));

    auto* arrows = new QVBoxLayout;
    arrows->addStretch(1);
    // The moves of the selection first, then the moves of everything; Tab goes down them in turn.
    for (QPushButton* b : {Command3, Command4, Command1, Command2})
        arrows->addWidget(b);
    arrows->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {btnOK, btnCancel, btnHelp})
        buttons->addWidget(b);
    auto* lay = new QGridLayout(this);
    lay->addWidget(Label1, 0, 0);
    lay->addWidget(Label2, 0, 2);
    lay->addWidget(List1, 1, 0);
    lay->addLayout(arrows, 1, 1);
    lay->addWidget(List2, 1, 2);
    lay->addLayout(buttons, 2, 0, 1, 3);
    lay->setRowStretch(1, 1);
    resize(440, 380);
    SetTabOrder({List1, Command3, Command4, Command1, Command2, List2, btnOK, btnCancel, btnHelp});

    connect(Command1, &QPushButton::clicked, this, &frmWellWList::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmWellWList::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmWellWList::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmWellWList::Command4_Click);
    connect(btnOK, &QPushButton::clicked, this, &frmWellWList::btnOK_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmWellWList::btnCancel_Click);
    connect(btnHelp, &QPushButton::clicked, this, &frmWellWList::btnHelp_Click);
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, &frmWellWList::btnHelp_Click);
    Form_Load();
}

void frmWellWList::Form_Load() {
    trap(QStringLiteral("Form_Load"), [&] {
        if (const QScreen* s = screen()) {
            const QRect a = s->geometry();
            move(a.width() / 2 - width() / 2, a.height() / 2 - height() / 2);
        }
        // Built anew each time: the definition's current list is not shown.
        const ModGW& m = modgw();
        for (int i = 1; i <= std::min(m.NumSources, ModGW::MaxSources); ++i)
            List1->addItem(m.SourceTable[i][1]);
    });
}

void frmWellWList::Command1_Click() {
    trap(QStringLiteral("Command1_Click"), [&] { moveEntries(*List1, *List2, allRows(*List1)); });
}

void frmWellWList::Command2_Click() {
    trap(QStringLiteral("Command2_Click"), [&] { moveEntries(*List2, *List1, allRows(*List2)); });
}

void frmWellWList::Command3_Click() {
    trap(QStringLiteral("Command3_Click"), [&] { moveEntries(*List1, *List2, selectedRows(*List1)); });
}

void frmWellWList::Command4_Click() {
    trap(QStringLiteral("Command4_Click"), [&] { moveEntries(*List2, *List1, selectedRows(*List2)); });
}

void frmWellWList::btnOK_Click() {
    trap(QStringLiteral("btnOK_Click"), [&] {
        if (!wellwlist::TakeWellList(entries(*List2))) {
            warn(wellwlist::TooManySourcesText());
            return;
        }
        accept();
    });
}

void frmWellWList::btnCancel_Click() {
    trap(QStringLiteral("btnCancel_Click"), [&] { reject(); });
}

void frmWellWList::btnHelp_Click() {
    // The source summary form's page: only that form shows the picker.
    trap(QStringLiteral("btnHelp_Click"), [&] {
        const int page = ReportKindOf(ReportKind::WellSum).helpContext;
        modgw().HelpResult = WinHelpA(this, modgw().HelpFile, help::HELP_CONTEXT, page);
    });
}
