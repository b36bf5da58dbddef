// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/forms/frmbitmapsize.h"

#include "drawcmd/pagecanvas.h"
#include "drawwin/drawfiles.h"
#include "platform/gui/controls.h"
#include "platform/gui/forms.h"
#include "project/modgw.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

frmBitmapSize::frmBitmapSize() {
    setObjectName(QStringLiteral("frmBitmapSize"));
    setWindowTitle(QStringLiteral("Size of Bitmap"));
    Text1 = NamedTextBox(this, QStringLiteral("Text1"));
    Text2 = NamedTextBox(this, QStringLiteral("Text2"));
    Check1 = new QCheckBox(QStringLiteral("Constrain Proportions"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Command1 = NamedButton(this, QStringLiteral("Command1"), QStringLiteral("OK"));
    Command1->setDefault(true);

    auto* lay = new QFormLayout(this);
    lay->addRow(QStringLiteral("Width (pixels)"), Text1);
    lay->addRow(QStringLiteral("Height (pixels)"), Text2);
    lay->addRow(Check1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    lay->addRow(buttons);

    connect(Text1, &QLineEdit::textChanged, this, &frmBitmapSize::Text1_Change);
    connect(Text2, &QLineEdit::textChanged, this, &frmBitmapSize::Text2_Change);
    connect(Command1, &QPushButton::clicked, this, &frmBitmapSize::Command1_Click);
    Form_Load();
}

void frmBitmapSize::Form_Load() {
    adjustSize();
    forms::moveOnScreen(*this, 0.5, 0.5);
    ProposeBitmapSize();
    // The box is ticked after both sides are shown, so that neither is computed from the other.
    Text1->setText(QString::number(modgw().BitmapWidth));
    Text2->setText(QString::number(modgw().BitmapHeight));
    Check1->setChecked(true);
}

void frmBitmapSize::Text1_Change() {
    if (!Check1->isChecked() || updating_) return;
    const Metaugl& m = pageCanvas();
    if (const auto h = ProportionalSide(Text1->text(), m.DrawableWidth, m.DrawableHeight)) {
        updating_ = true;
        Text2->setText(QString::number(*h));
        updating_ = false;
    }
}

void frmBitmapSize::Text2_Change() {
    if (!Check1->isChecked() || updating_) return;
    const Metaugl& m = pageCanvas();
    if (const auto w = ProportionalSide(Text2->text(), m.DrawableHeight, m.DrawableWidth)) {
        updating_ = true;
        Text1->setText(QString::number(*w));
        updating_ = false;
    }
}

void frmBitmapSize::Command1_Click() {
    StoreBitmapSize(Text1->text(), Text2->text());
    accept();
}
