// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/forms/frmnewdrawing.h"

#include "drawcmd/pagecanvas.h"
#include "drawwin/drawfiles.h"
#include "drawwin/drawwinstate.h"
#include "platform/gui/controls.h"
#include "platform/gui/forms.h"
#include "platform/gui/helpviewer.h"
#include "project/modgw.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
QLabel* label(const QString& caption, QWidget* buddy, QWidget* parent) {
    auto* l = new QLabel(caption, parent);
    l->setBuddy(buddy);
    return l;
}
} // namespace

frmNewDrawing::frmNewDrawing() {
    setObjectName(QStringLiteral("frmNewDrawing"));
    setWindowTitle(QStringLiteral("Choose New Drawing Size"));

    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setAccessibleName(QStringLiteral("List1"));

    auto* dims = new QGroupBox(QStringLiteral("Dimensions"), this);
    Text1 = NamedTextBox(dims, QStringLiteral("Text1"));
    Text2 = NamedTextBox(dims, QStringLiteral("Text2"));
    Text3 = NamedTextBox(dims, QStringLiteral("Text3"));
    auto* dimsLay = new QGridLayout(dims);
    dimsLay->addWidget(label(QStringLiteral("Horizontal"), Text1, dims), 0, 0);
    dimsLay->addWidget(Text1, 0, 1);
    dimsLay->addWidget(label(QStringLiteral("Vertical"), Text2, dims), 1, 0);
    dimsLay->addWidget(Text2, 1, 1);
    dimsLay->addWidget(label(QStringLiteral("Units"), Text3, dims), 2, 0);
    dimsLay->addWidget(Text3, 2, 1);

    auto* orientation = new QGroupBox(QStringLiteral("Orientation"), this);
    Option2 = new QRadioButton(QStringLiteral("Portrait"), orientation);
    Option2->setObjectName(QStringLiteral("Option2"));
    Option1 = new QRadioButton(QStringLiteral("Landscape"), orientation);
    Option1->setObjectName(QStringLiteral("Option1"));
    auto* orientLay = new QVBoxLayout(orientation);
    orientLay->addWidget(Option2);
    orientLay->addWidget(Option1);

    Command1 = NamedButton(this, QStringLiteral("Command1"), QStringLiteral("OK"));
    Command1->setDefault(true);
    Command2 = NamedButton(this, QStringLiteral("Command2"), QStringLiteral("Cancel"));
    Command3 = NamedButton(this, QStringLiteral("Command3"), QStringLiteral("Help"));

    auto* lay = new QGridLayout(this);
    lay->addWidget(label(QStringLiteral("Paper Size"), List1, this), 0, 0);
    lay->addWidget(List1, 1, 0, 3, 1);
    lay->addWidget(dims, 1, 1);
    lay->addWidget(orientation, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    buttons->addWidget(Command3);
    lay->addLayout(buttons, 4, 0, 1, 2);
    lay->setRowStretch(3, 1);

    // A click or an arrow key that picks another entry, as the list reports a new choice.
    connect(List1, &QListWidget::currentRowChanged, this, &frmNewDrawing::List1_Click);
    // An option's click comes when it becomes the chosen one, by the mouse or by code.
    connect(Option1, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Option1_Click();
    });
    connect(Option2, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Option2_Click();
    });
    connect(Command1, &QPushButton::clicked, this, &frmNewDrawing::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmNewDrawing::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmNewDrawing::Command3_Click);
    Form_Load();
}

void frmNewDrawing::Form_Load() {
    adjustSize();
    forms::moveOnScreen(*this, 0.5, 0.35);
    for (const PaperSizeEntry& e : kPaperSizes) List1->addItem(QString::fromLatin1(e.caption));
    Option2->setChecked(true);
}

void frmNewDrawing::List1_Click() {
    const int row = List1->currentRow();
    if (row < 0 || row >= int(kPaperSizes.size())) return;
    const PaperSizeEntry& e = kPaperSizes[size_t(row)];
    Text1->setText(QString::fromLatin1(e.width));
    Text2->setText(QString::fromLatin1(e.height));
    Text3->setText(QString::fromLatin1(e.unit));
    // Every entry is portrait.
    if (Option1->isChecked()) swapSides();
}

void frmNewDrawing::swapSides() {
    const QString w = Text1->text();
    Text1->setText(Text2->text());
    Text2->setText(w);
}

void frmNewDrawing::Option1_Click() {
    if (OrientationSwaps(Text1->text(), Text2->text(), true)) swapSides();
}

void frmNewDrawing::Option2_Click() {
    if (OrientationSwaps(Text1->text(), Text2->text(), false)) swapSides();
}

void frmNewDrawing::Command1_Click() {
    const PaperInches p = NewDrawingPaper(Text1->text(), Text2->text(), Text3->text());
    pageCanvas().PaperWidth = p.width;
    pageCanvas().PaperHeight = p.height;
    drawwin().NewDrawingConfirmed = 1;
    accept();
}

void frmNewDrawing::Command2_Click() {
    reject();
}

void frmNewDrawing::Command3_Click() {
    modgw().HelpResult = WinHelpA(this, modgw().HelpFile, help::HELP_CONTEXT, 0);
}
