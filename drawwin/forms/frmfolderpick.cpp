// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/forms/frmfolderpick.h"

#include "drawwin/drawwinstate.h"
#include "drawwin/folderpick.h"
#include "platform/filenames.h"
#include "platform/gui/controls.h"
#include "platform/uiservice.h"
#include "project/modgw.h"

#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>

namespace {
QLineEdit* textBox(const QString& name, QWidget* parent) {
    auto* t = new QLineEdit(parent);
    t->setObjectName(name);
    t->setAccessibleName(name);
    return t;
}
} // namespace

frmFolderPick::frmFolderPick() {
    setObjectName(QStringLiteral("frmFolderPick"));
    setWindowTitle(QStringLiteral("Select a Folder"));

    folders_ = new QFileSystemModel(this);
    folders_->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
    folders_->setReadOnly(true);
    folders_->setRootPath(QStringLiteral("/"));
    FolderTreeview1 = new QTreeView(this);
    FolderTreeview1->setObjectName(QStringLiteral("FolderTreeview1"));
    FolderTreeview1->setAccessibleName(QStringLiteral("FolderTreeview1"));
    FolderTreeview1->setModel(folders_);
    for (int c = 1; c < folders_->columnCount(); ++c) FolderTreeview1->hideColumn(c);
    FolderTreeview1->header()->hide();

    Text1 = textBox(QStringLiteral("Text1"), this);
    Text2 = textBox(QStringLiteral("Text2"), this);
    auto* label = new QLabel(QStringLiteral("New Folder Name"), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setBuddy(Text2);
    Command4 = NamedButton(this, QStringLiteral("Command4"), QStringLiteral("Create New Folder"));
    Command1 = NamedButton(this, QStringLiteral("Command1"), QStringLiteral("OK"));
    Command1->setDefault(true);
    Command2 = NamedButton(this, QStringLiteral("Command2"), QStringLiteral("Cancel"));

    auto* lay = new QGridLayout(this);
    lay->addWidget(FolderTreeview1, 0, 0, 1, 3);
    lay->addWidget(Text1, 1, 0, 1, 3);
    lay->addWidget(label, 2, 0);
    lay->addWidget(Text2, 2, 1);
    lay->addWidget(Command4, 2, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    lay->addLayout(buttons, 3, 0, 1, 3);
    lay->setRowStretch(0, 1);
    lay->setColumnStretch(1, 1);
    resize(420, 460);

    connect(FolderTreeview1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& i) {
                if (i.isValid()) FolderTreeview1_FolderSelected(folders_->filePath(i));
            });
    // The tree fills in as the folders are read: the selected folder is brought into view again
    // once the folders on its way are there.
    connect(folders_, &QFileSystemModel::directoryLoaded, this, [this](const QString& dir) {
        const QString selected = SelectedPath();
        const QString inside = dir.endsWith(u'/') ? dir : dir + u'/';
        if (!selected.isEmpty() && (selected == dir || selected.startsWith(inside)))
            FolderTreeview1->scrollTo(FolderTreeview1->currentIndex(), QAbstractItemView::PositionAtCenter);
    });
    connect(Command1, &QPushButton::clicked, this, &frmFolderPick::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmFolderPick::Command2_Click);
    connect(Command4, &QPushButton::clicked, this, &frmFolderPick::Command4_Click);
    Form_Load();
}

void frmFolderPick::Form_Load() {
    if (const QScreen* s = screen()) {
        const QRect a = s->geometry();
        move(int((a.width() - width()) * 0.5), int((a.height() - height()) * 0.35));
    }
    const QString start = drawwin().PickedFolder;
    setSelectedPath(start);
    // The path field shows the starting folder from the start, also one the tree cannot show.
    Text1->setText(start);
}

QString frmFolderPick::SelectedPath() const {
    const QModelIndex i = FolderTreeview1->currentIndex();
    return i.isValid() ? folders_->filePath(i) : QString();
}

void frmFolderPick::setSelectedPath(const QString& path) {
    if (path.isEmpty()) return;
    QString p = qfile::Absolute(path);
    if (p.size() > 1 && p.endsWith(u'/')) p.chop(1);
    const QModelIndex i = folders_->index(p);
    if (!i.isValid()) return;
    FolderTreeview1->setCurrentIndex(i);
    FolderTreeview1->scrollTo(i, QAbstractItemView::PositionAtCenter);
    FolderTreeview1->expand(i);
}

void frmFolderPick::FolderTreeview1_FolderSelected(const QString& path) { Text1->setText(path); }

void frmFolderPick::Command1_Click() {
    modgw().DialogFileName = Text1->text();
    accept();
}

void frmFolderPick::Command2_Click() {
    modgw().DialogFileName.clear();
    QDialog::reject();
}

void frmFolderPick::reject() { Command2_Click(); }

void frmFolderPick::Command4_Click() {
    const folderpick::NewFolderResult r = folderpick::CreateNewFolder(Text1->text(), Text2->text());
    if (!r.message.isEmpty()) ui().MsgBox(r.message);
}
