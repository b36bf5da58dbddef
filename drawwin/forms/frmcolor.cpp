// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/forms/frmcolor.h"

#include "drawwin/colors.h"
#include "platform/gui/controls.h"
#include "platform/gui/helpviewer.h"
#include "platform/gui/spreadgrid.h"
#include "platform/qmerror.h"
#include "platform/uiservice.h"
#include "project/modgw.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr int Rows = 150;
constexpr int White = 0xFFFFFF;
const QString kFilter = QStringLiteral("Color Definition Files (*.col)|*.col");

FileDialogRequest colorFileDialog(bool save) {
    FileDialogRequest r;
    r.save = save;
    r.title = save ? QStringLiteral("Save Color Definition File") : QStringLiteral("Open Color Definition File");
    r.filter = kFilter;
    r.defaultExt = QStringLiteral("col");
    r.initDir = modgw().CentralDataPath;
    return r;
}

// The file Save writes: the colour file, or the default one the table came from when none is set.
QString saveTarget() {
    const QString& f = modgw().ColorFile;
    return f.isEmpty() ? QStringLiteral("defcolor.col") : f;
}

} // namespace

frmColor::frmColor() {
    setObjectName(QStringLiteral("frmColor"));

    MenuBar = new QMenuBar(this);
    mnuFile = NamedMenu(MenuBar, QStringLiteral("mnuFile"), QStringLiteral("File"));
    mnuOpenColorFile = NamedMenuItem(mnuFile, QStringLiteral("mnuOpenColorFile"), QStringLiteral("&Open Color File"));
    mnuSaveColorFile = NamedMenuItem(mnuFile, QStringLiteral("mnuSaveColorFile"), QStringLiteral("&Save Color File"));
    mnuSaveColorFileAs = NamedMenuItem(mnuFile, QStringLiteral("mnuSaveColorFileAs"), QStringLiteral("Save &As"));

    SSColor = new SpreadGrid(QStringLiteral("SSColor"), this);
    SSColor->setMaxRows(Rows);
    SSColor->setMaxCols(3);
    SSColor->setColumnHeader(1, QStringLiteral("Name"));
    SSColor->setColumnHeader(2, QStringLiteral("RGB Values"));
    SSColor->setColumnHeader(3, QStringLiteral("Color"));
    SSColor->setColWidth(1, 18);
    SSColor->setColWidth(2, 14);
    SSColor->setColWidth(3, 8);
    SSColor->setColumnLocked(3, true); // the colour shows what column 2 says
    SSColor->horizontalHeader()->setStretchLastSection(true);

    btnEditMode = NamedButton(this, QStringLiteral("btnEditMode"), QStringLiteral("Edit Mode"));
    Command1 = NamedButton(this, QStringLiteral("Command1"), QStringLiteral("Use Color Picker"));
    Command2 = NamedButton(this, QStringLiteral("Command2"), QStringLiteral("Refresh"));
    Command3 = NamedButton(this, QStringLiteral("Command3"), QStringLiteral("OK"));
    Command3->setDefault(true);
    Command4 = NamedButton(this, QStringLiteral("Command4"), QStringLiteral("Cancel"));
    Command5 = NamedButton(this, QStringLiteral("Command5"), QStringLiteral("Help"));

    auto* lay = new QVBoxLayout(this);
    lay->setMenuBar(MenuBar);
    auto* row = new QHBoxLayout;
    row->addWidget(SSColor, 1);
    auto* side = new QVBoxLayout;
    for (QPushButton* b : {btnEditMode, Command1, Command2}) side->addWidget(b);
    side->addStretch();
    for (QPushButton* b : {Command3, Command4, Command5}) side->addWidget(b);
    row->addLayout(side);
    lay->addLayout(row, 1);
    const int gridWidth = SSColor->verticalHeader()->sizeHint().width() + SSColor->horizontalHeader()->length() +
                          2 * SSColor->frameWidth() + 24;
    resize(gridWidth + Command1->sizeHint().width() + 40, 520);

    connect(mnuOpenColorFile, &QAction::triggered, this, &frmColor::mnuOpenColorFile_Click);
    connect(mnuSaveColorFile, &QAction::triggered, this, &frmColor::mnuSaveColorFile_Click);
    connect(mnuSaveColorFileAs, &QAction::triggered, this, &frmColor::mnuSaveColorFileAs_Click);
    connect(btnEditMode, &QPushButton::clicked, this, &frmColor::btnEditMode_Click);
    connect(Command1, &QPushButton::clicked, this, &frmColor::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmColor::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmColor::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmColor::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &frmColor::Command5_Click);
    // Only the user's edits count as changes; the window's own filling does not.
    connect(SSColor, &SpreadGrid::userEdited, this, [this] { ColorsChanged = 1; });
    Form_Load();
}

void frmColor::Form_Load() {
    if (const QScreen* s = screen()) {
        const QRect a = s->geometry();
        move(int((a.width() - width()) * 0.5), int((a.height() - height()) * 0.35));
    }
    showCaption();
    showTable();
    SSColor->setReplaceOnEdit(modgw().CellEditMode == QLatin1String("1"));
}

void frmColor::showCaption() {
    setWindowTitle(QStringLiteral("Define Colors - ") + modgw().ColorFile);
}

void frmColor::showTable() {
    const QList<ColorEntry> colors = ColorTableEntries();
    QList<QStringList> rows;
    for (const ColorEntry& c : colors) rows.append({c.name, c.rgb});
    SSColor->setRows(rows);
    SSColor->setMaxRows(Rows);
    SSColor->setBackColor({1, 3, Rows, 3}, White);
    for (int i = 1; i <= colors.size(); ++i) SSColor->setBackColor({i, 3, i, 3}, ParseColorText(colors[i - 1].rgb));
}

void frmColor::btnEditMode_Click() {
    SSColor->setGridEditMode(!SSColor->gridEditMode());
}

void frmColor::Command1_Click() {
    SSColor->commitEdit();
    const int r = SSColor->activeRow();
    const std::optional<int> c = ui().ColorDialog(SSColor->backColor(r, 3));
    if (!c) return;
    SSColor->setBackColor({r, 3, r, 3}, *c);
    SSColor->setText(r, 2, RgbText(*c));
    ColorsChanged = 1;
}

void frmColor::Command2_Click() {
    SSColor->commitEdit();
    const int n = SSColor->usedRowCount();
    for (int r = 1; r <= n; ++r) SSColor->setBackColor({r, 3, r, 3}, ParseColorText(SSColor->text(r, 2)));
    if (n < Rows) SSColor->setBackColor({n + 1, 3, Rows, 3}, White);
}

bool frmColor::offerSave(const QString& question) {
    if (ColorsChanged != 1) return true;
    const int answer = ui().MsgBox(question, vb::YesNoCancel | vb::Question, titleEmpty);
    if (answer == vb::Cancel) return false;
    if (answer == vb::Yes) {
        mnuSaveColorFile_Click();
        return ColorsChanged == 0; // a failed save keeps the window and what was typed
    }
    return true;
}

void frmColor::Command3_Click() {
    SSColor->commitEdit();
    if (offerSave(QStringLiteral("Would you like to save the current COLOR FILE before exiting?"))) accept();
}

void frmColor::Command4_Click() {
    reject();
}

void frmColor::Command5_Click() {
    modgw().HelpResult = WinHelpA(this, modgw().HelpFile, help::HELP_CONTENTS, 0);
}

void frmColor::closeEvent(QCloseEvent* event) {
    if (isVisible()) Command3_Click();
    if (isVisible())
        event->ignore();
    else
        event->accept();
}

bool frmColor::savecolors(const QString& file) {
    SSColor->commitEdit();
    QList<ColorEntry> colors;
    const int n = SSColor->usedRowCount();
    for (int r = 1; r <= n; ++r) colors.append({SSColor->text(r, 1), SSColor->text(r, 2)});
    return ::savecolors(file, colors);
}

void frmColor::mnuOpenColorFile_Click() {
    SSColor->commitEdit();
    trap(QStringLiteral("OpenColorFile menu"), [&] {
        if (!offerSave(QStringLiteral("Would you like to save the current COLOR FILE before opening another?")))
            return;
        const QString path = ui().FileDialog(colorFileDialog(false));
        if (path.isEmpty()) return;
        modgw().ColorFile = path;
        loadcolors();
        showTable();
        showCaption();
        ColorsChanged = 0;
    });
}

void frmColor::mnuSaveColorFile_Click() {
    if (!savecolors(saveTarget())) return;
    showCaption();
    ColorsChanged = 0;
}

void frmColor::mnuSaveColorFileAs_Click() {
    SSColor->commitEdit();
    trap(QStringLiteral("DesItems Save"), [&] {
        const QString path = ui().FileDialog(colorFileDialog(true));
        if (path.isEmpty()) return;
        if (!savecolors(path)) return;
        showCaption();
        ColorsChanged = 0;
    });
}
