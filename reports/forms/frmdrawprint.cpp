// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/forms/frmdrawprint.h"
#include "platform/gui/controls.h"
#include "platform/gui/forms.h"
#include "platform/gui/printersetup.h"

#include "project/modgw.h"
#include "reportdefs/windowhooks.h"
#include "reports/drawprint.h"
#include "reports/gwgraph.h"
#include "reports/windowhooks.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

frmDrawPrint::frmDrawPrint() {
    setObjectName(QStringLiteral("frmDrawPrint"));
    setWindowTitle(QStringLiteral("Draw/Print"));
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setAccessibleName(QStringLiteral("List1"));
    List1->setSelectionMode(QAbstractItemView::MultiSelection); // a click toggles its item
    Option1 = new QRadioButton(QStringLiteral("Select All"), this);
    Option1->setObjectName(QStringLiteral("Option1"));
    Option1->setAutoExclusive(false); // a click on the list must be able to clear it
    Command1 = NamedButton(this, QStringLiteral("Command1"), QStringLiteral("OK"));
    Command1->setDefault(true);
    Command2 = NamedButton(this, QStringLiteral("Command2"), QStringLiteral("Cancel"));
    Label1 = new QLabel(QStringLiteral("% Complete:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));

    auto* lay = new QGridLayout(this);
    lay->addWidget(List1, 0, 0, 4, 1);
    lay->addWidget(Command1, 0, 1);
    lay->addWidget(Command2, 1, 1);
    lay->addWidget(Option1, 2, 1);
    lay->addWidget(Label1, 4, 0, 1, 2);
    lay->setRowStretch(3, 1);
    resize(340, 320);
    SetTabOrder({List1, Command1, Command2, Option1});

    connect(Command1, &QPushButton::clicked, this, &frmDrawPrint::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmDrawPrint::Command2_Click);
    connect(Option1, &QRadioButton::clicked, this, &frmDrawPrint::Option1_Click);
    connect(List1, &QListWidget::itemClicked, this, &frmDrawPrint::List1_Click);
    connect(List1, &QListWidget::itemDoubleClicked, this, &frmDrawPrint::List1_DblClick);
    Form_Load();
}

void frmDrawPrint::Form_Load() {
    if (const QScreen* s = screen()) {
        const QRect a = s->geometry();
        move(a.width() / 2 - width() / 2, a.height() / 2 - height() / 2);
    }
    LoadDrawingWindowOnce();
    const float code = modgw().ReportCode;
    setWindowTitle(RunDialogCaption(code));
    List1->addItems(RunDialogItems(code));
}

void frmDrawPrint::Command1_Click() {
    QList<int> positions;
    for (const QListWidgetItem* item : List1->selectedItems())
        positions << List1->row(item);
    const bool printing = !positions.isEmpty() && PrintToPrinterFor(modgw().ReportCode) == 1;
    // With nowhere to print, Print Setup first; cancelled there, nothing is printed.
    if (printing && !EnsurePrintTarget()) {
        reject();
        return;
    }
    const bool ran = RunChosen(modgw().ReportCode, positions);
    // A printed run stays on its line saying what was sent where, until the user closes the dialog.
    if (printing && ran && !PrintRunSummary().isEmpty() && isVisible()) {
        List1->clearSelection();
        Option1->setChecked(false);
        return;
    }
    accept();
}

void frmDrawPrint::Command2_Click() {
    reject();
}

void frmDrawPrint::Option1_Click() {
    List1->selectAll();
    Option1->setChecked(true);
}

void frmDrawPrint::List1_Click() {
    Option1->setChecked(false);
}

void frmDrawPrint::List1_DblClick() {
    Command1_Click();
}

void RegisterRunDialog() {
    reportDefHooks().showRunDialog = [] {
        // Every run starts from a fresh load.
        forms::unload<frmDrawPrint>();
        forms::showModal(forms::form<frmDrawPrint>());
        forms::unload<frmDrawPrint>();
    };
    reportHooks().showProgress = [](const QString& text) {
        if (!forms::isLoaded<frmDrawPrint>()) return;
        QLabel* label = forms::form<frmDrawPrint>().Label1;
        label->setText(text);
        label->repaint();
    };
}
