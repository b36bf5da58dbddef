// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/forms/frmchoosecolor.h"

#include "drawwin/colors.h"
#include "drawwin/drawwinstate.h"
#include "platform/gui/controls.h"
#include "platform/gui/spreadgrid.h"
#include "platform/uiservice.h"
#include "project/modgw.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {
constexpr int Pairs = 5;
}

frmChooseColor::frmChooseColor() {
    setObjectName(QStringLiteral("frmChooseColor"));
    setWindowTitle(QStringLiteral("Choose Color"));

    SSColor = new SpreadGrid(QStringLiteral("SSColor"), this);
    SSColor->setMaxRows(ChooserRows);
    SSColor->setMaxCols(2 * Pairs);
    for (int b = 1; b <= Pairs; ++b) {
        SSColor->setColumnHeader(2 * b - 1, QStringLiteral("Name"));
        SSColor->setColumnHeader(2 * b, QStringLiteral("Color"));
        SSColor->setColWidth(2 * b - 1, 12);
        SSColor->setColWidth(2 * b, 5);
    }
    // A chooser, not an editor: every cell only takes clicks.
    for (int c = 1; c <= 2 * Pairs; ++c) SSColor->setColumnLocked(c, true);
    SSColor->setEditTriggers(QAbstractItemView::NoEditTriggers);

    Command1 = NamedButton(this, QStringLiteral("Command1"), QStringLiteral("Use Color Picker"));
    Command2 = NamedButton(this, QStringLiteral("Command2"), QStringLiteral("Cancel"));

    auto* lay = new QVBoxLayout(this);
    lay->addWidget(SSColor, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    lay->addLayout(buttons);
    const int gridWidth = SSColor->verticalHeader()->width() + SSColor->horizontalHeader()->length() +
                          2 * SSColor->frameWidth() + 24;
    const int gridHeight = SSColor->horizontalHeader()->sizeHint().height() + SSColor->verticalHeader()->length() +
                           2 * SSColor->frameWidth();
    resize(gridWidth, std::min(gridHeight + 60, 760));

    connect(SSColor, &SpreadGrid::cellClicked, this, &frmChooseColor::SSColor_Click);
    SSColor->installEventFilter(this);
    connect(Command1, &QPushButton::clicked, this, &frmChooseColor::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmChooseColor::Command2_Click);
    Form_Load();
}

void frmChooseColor::Form_Load() {
    if (const QScreen* s = screen()) {
        const QRect a = s->geometry();
        move(int((a.width() - width()) * 0.5), int((a.height() - height()) * 0.35));
    }
    const QList<ColorEntry> colors = ColorTableEntries();
    for (int i = 1; i <= colors.size(); ++i) {
        const ChooserCell at = ChooserCellOf(i);
        SSColor->setText(at.row, at.nameCol, colors[i - 1].name);
        SSColor->setBackColor({at.row, at.nameCol + 1, at.row, at.nameCol + 1}, ParseColorText(colors[i - 1].rgb));
    }
    if (!colors.isEmpty()) SSColor->setActiveCell(1, 2);
    // The active cell scrolled the grid, still at its unshown size, to the first colour column; it
    // opens at the left, each name beside its swatch.
    SSColor->horizontalScrollBar()->setValue(0);
}

void frmChooseColor::SSColor_Click(int row, int col) {
    // A name picks the colour beside it; a cell that holds no colour picks nothing.
    if (!ChooserColorAt(row, col, modgw().ColorCount)) return;
    if (col % 2 == 1) ++col;
    drawwin().ChosenColor = SSColor->backColor(row, col);
    accept();
}

bool frmChooseColor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == SSColor && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            SSColor_Click(SSColor->activeRow(), SSColor->activeCol());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmChooseColor::Command1_Click() {
    const int32_t last = drawwin().ChosenColor;
    if (const std::optional<int> c = ui().ColorDialog(last >= 0 ? last : 0)) {
        drawwin().ChosenColor = *c;
        accept();
    }
}

void frmChooseColor::Command2_Click() {
    reject();
}

void frmChooseColor::reject() {
    drawwin().ChosenColor = -1;
    QDialog::reject();
}
