// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportdefs/forms/frmheadinglogo.h"

#include "platform/gui/controls.h"
#include "platform/gui/forms.h"
#include "platform/gui/helpviewer.h"
#include "platform/gui/spreadgrid.h"
#include "platform/uiservice.h"
#include "project/modgw.h"
#include "reportdefs/forms/reportform.h"
#include "reportdefs/headings.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

const QString kCaption = QStringLiteral("Heading/Logo Editor");
const QString kHeadingFilter = QStringLiteral("Quillmare Heading Files (*.qlh)|*.qlh|");
constexpr int HelpContext = 1022;

QLineEdit* textBox(const QString& name, QWidget* parent) {
    auto* t = new QLineEdit(parent);
    t->setObjectName(name);
    t->setAccessibleName(name);
    return t;
}

QLabel* caption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setBuddy(buddy);
    return l;
}

} // namespace

frmHeadingLogo::frmHeadingLogo() {
    setObjectName(QStringLiteral("frmHeadingLogo"));
    setWindowTitle(kCaption);

    MenuBar = new QMenuBar(this);
    mnuFile = NamedMenu(MenuBar, QStringLiteral("mnuFile"), QStringLiteral("&File"));
    mnuOpen = NamedMenuItem(mnuFile, QStringLiteral("mnuOpen"), QStringLiteral("&Open Heading File"));
    mnuSave = NamedMenuItem(mnuFile, QStringLiteral("mnuSave"), QStringLiteral("&Save Heading File"));
    mnuSaveAs = NamedMenuItem(mnuFile, QStringLiteral("mnuSaveAs"), QStringLiteral("Save Heading File &As"));
    mnuEdit = NamedMenu(MenuBar, QStringLiteral("mnuEdit"), QStringLiteral("&Edit"));
    mnuCut = NamedMenuItem(mnuEdit, QStringLiteral("mnuCut"), QStringLiteral("&Cut"));
    mnuCopy = NamedMenuItem(mnuEdit, QStringLiteral("mnuCopy"), QStringLiteral("C&opy"));
    mnuPaste = NamedMenuItem(mnuEdit, QStringLiteral("mnuPaste"), QStringLiteral("&Paste"));

    Frame1 = new QGroupBox(QStringLiteral("Logo Information"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Option1 = new QRadioButton(QStringLiteral("Use Graphic Logo"), Frame1);
    Option1->setObjectName(QStringLiteral("Option1"));
    Option2 = new QRadioButton(QStringLiteral("Use Text Logo"), Frame1);
    Option2->setObjectName(QStringLiteral("Option2"));
    Textln1 = textBox(QStringLiteral("Textln1"), Frame1);
    Textln2 = textBox(QStringLiteral("Textln2"), Frame1);
    Textln3 = textBox(QStringLiteral("Textln3"), Frame1);
    Textsz1 = textBox(QStringLiteral("Textsz1"), Frame1);
    Textsz2 = textBox(QStringLiteral("Textsz2"), Frame1);
    Textsz3 = textBox(QStringLiteral("Textsz3"), Frame1);
    Text2 = textBox(QStringLiteral("Text2"), Frame1);
    Command5 = NamedButton(Frame1, QStringLiteral("Command5"), QStringLiteral("Browse..."));

    auto* logo = new QGridLayout(Frame1);
    auto* options = new QHBoxLayout;
    options->addWidget(Option1);
    options->addWidget(Option2);
    options->addStretch();
    logo->addLayout(options, 0, 0, 1, 4);
    const QList<QLineEdit*> lines{Textln1, Textln2, Textln3};
    const QList<QLineEdit*> sizes{Textsz1, Textsz2, Textsz3};
    for (int i = 0; i < 3; ++i) {
        logo->addWidget(caption(QStringLiteral("Logo Text Line %1").arg(i + 1), lines[i], Frame1), i + 1, 0);
        logo->addWidget(lines[i], i + 1, 1);
        logo->addWidget(caption(QStringLiteral("Font Size"), sizes[i], Frame1), i + 1, 2);
        logo->addWidget(sizes[i], i + 1, 3);
        sizes[i]->setMaximumWidth(60);
    }
    logo->addWidget(caption(QStringLiteral("Logo Filename (.BMP format)"), Text2, Frame1), 4, 0);
    logo->addWidget(Text2, 4, 1);
    logo->addWidget(Command5, 4, 2, 1, 2);
    logo->setColumnStretch(1, 1);

    SS3 = new SpreadGrid(QStringLiteral("SS3"), this);
    SS3->setMaxRows(HeadingRows);
    SS3->setMaxCols(1);
    const HeadingRowTexts& defaults = DefaultHeadingTexts();
    for (int r = 1; r <= HeadingRows; ++r)
        SS3->setRowHeader(r, defaults[r]);
    SS3->setColumnHeader(1, QStringLiteral("New Text"));
    SS3->setColWidth(0, 18);
    SS3->setColWidth(1, 30);
    // All sixteen rows in view; the text column takes the width there is.
    SS3->horizontalHeader()->setStretchLastSection(true);
    SS3->setFixedHeight(SS3->verticalHeader()->length() + SS3->horizontalHeader()->sizeHint().height() +
                        2 * SS3->frameWidth());
    SS3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Label7 = caption(QStringLiteral("Heading File:"), SS3, this);
    Label7->setObjectName(QStringLiteral("Label7"));

    btnOK = NamedButton(this, QStringLiteral("btnOK"), QStringLiteral("OK"));
    btnCancel = NamedButton(this, QStringLiteral("btnCancel"), QStringLiteral("Cancel"));
    btnHelp = NamedButton(this, QStringLiteral("btnHelp"), QStringLiteral("Help"));
    btnOK->setDefault(true);

    auto* lay = new QVBoxLayout(this);
    lay->setMenuBar(MenuBar);
    lay->addWidget(Frame1);
    lay->addWidget(Label7);
    lay->addWidget(SS3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {btnOK, btnCancel, btnHelp})
        buttons->addWidget(b);
    lay->addLayout(buttons);
    forms::keepInView({btnOK, btnCancel, btnHelp});
    resize(620, sizeHint().height());
    // Each text line is followed by its size, as they stand side by side.
    SetTabOrder({Option1, Option2, Textln1, Textsz1, Textln2, Textsz2, Textln3, Textsz3, Text2, Command5, SS3, btnOK,
                 btnCancel, btnHelp});

    connect(mnuOpen, &QAction::triggered, this, &frmHeadingLogo::mnuOpen_Click);
    connect(mnuSave, &QAction::triggered, this, &frmHeadingLogo::mnuSave_Click);
    connect(mnuSaveAs, &QAction::triggered, this, &frmHeadingLogo::mnuSaveAs_Click);
    connect(mnuCut, &QAction::triggered, this, &frmHeadingLogo::mnuCut_Click);
    connect(mnuCopy, &QAction::triggered, this, &frmHeadingLogo::mnuCopy_Click);
    connect(mnuPaste, &QAction::triggered, this, &frmHeadingLogo::mnuPaste_Click);
    connect(btnOK, &QPushButton::clicked, this, &frmHeadingLogo::btnOK_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmHeadingLogo::btnCancel_Click);
    connect(btnHelp, &QPushButton::clicked, this, &frmHeadingLogo::btnHelp_Click);
    connect(Command5, &QPushButton::clicked, this, &frmHeadingLogo::Command5_Click);
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, &frmHeadingLogo::btnHelp_Click);
    Form_Load();
}

void frmHeadingLogo::Form_Load() {
    trap(QStringLiteral("Form_Load"), [&] {
        if (const QScreen* s = screen()) {
            const QRect a = s->geometry();
            move(int((a.width() - width()) * 0.5), int((a.height() - height()) * 0.35));
        }
        const ModGW& m = modgw();
        const LogoFileData d = LoadLogoForEditor();
        const QList<QLineEdit*> lines{Textln1, Textln2, Textln3};
        const QList<QLineEdit*> sizes{Textsz1, Textsz2, Textsz3};
        for (int i = 1; i <= 3; ++i) {
            QFont font = lines[i - 1]->font();
            if (!m.DefaultFont.isEmpty()) font.setFamily(m.DefaultFont);
            lines[i - 1]->setFont(font);
            lines[i - 1]->setText(d.Textln[i]);
            sizes[i - 1]->setText(d.Textsz[i]);
        }
        if (d.LogoKind == 1)
            Option1->setChecked(true);
        else
            Option2->setChecked(true);
        Text2->setText(d.LogoFile);
        SS3->setReplaceOnEdit(m.CellEditMode == QLatin1String("1"));
        // The texts the reports print now, so that one edit saved keeps the other fifteen; the
        // current heading file stays empty, so Save asks for a name.
        const HeadingRowTexts rows = CurrentHeadingTexts();
        for (int r = 1; r <= HeadingRows; ++r)
            SS3->setText(r, 1, rows[r]);
    });
}

// ---- logo

void frmHeadingLogo::btnOK_Click() {
    trap(QStringLiteral("btnOK_Click"), [&] {
        SS3->commitEdit();
        LogoFileData d;
        d.Textln = {QString(), Textln1->text(), Textln2->text(), Textln3->text()};
        d.Textsz = {QString(), Textsz1->text(), Textsz2->text(), Textsz3->text()};
        d.LogoKind = Option1->isChecked() ? 1 : 0;
        d.LogoFile = Text2->text();
        // A settings file that could not be written keeps the editor open with what was typed.
        if (SaveLogoFile(d)) accept();
    });
}

void frmHeadingLogo::btnCancel_Click() { reject(); }

void frmHeadingLogo::btnHelp_Click() {
    trap(QStringLiteral("btnHelp_Click"),
         [&] { modgw().HelpResult = WinHelpA(this, modgw().HelpFile, help::HELP_CONTEXT, HelpContext); });
}

void frmHeadingLogo::Command5_Click() {
    trap(QStringLiteral("Browse Logo Button"), [&] {
        FileDialogRequest r;
        r.title = QStringLiteral("Select Logo File");
        r.filter = QStringLiteral("Logo Files (*.bmp)|*.bmp");
        r.defaultExt = QStringLiteral("bmp");
        r.initDir = modgw().CentralDataPath;
        const QString path = ui().FileDialog(r);
        if (!path.isEmpty()) Text2->setText(path);
    });
}

// ---- the heading file

void frmHeadingLogo::takeGrid() {
    SS3->commitEdit();
    HeadingLogo& h = headinglogo();
    for (int r = 1; r <= HeadingRows; ++r)
        h.HeadingLines[r] = SS3->text(r, 1);
}

void frmHeadingLogo::adoptHeadingFile(const QString& path) {
    headingFile_ = path;
    setWindowTitle(kCaption + QStringLiteral(" - Heading File: ") + path);
}

void frmHeadingLogo::mnuOpen_Click() {
    trap(QStringLiteral("Menu Open Heading File"), [&] {
        SS3->commitEdit();
        FileDialogRequest r;
        r.title = QStringLiteral("Open");
        r.filter = kHeadingFilter;
        r.initDir = modgw().CentralDataPath;
        const QString path = ui().FileDialog(r);
        if (path.isEmpty()) return;
        modgw().DialogFileName = path;
        // A file that is not a whole heading file leaves the grid, the texts and the current file
        // alone, so that a later Save cannot write over it.
        if (!OpenHeadingFile()) return;
        const HeadingLogo& h = headinglogo();
        for (int r = 1; r <= HeadingRows; ++r)
            SS3->setText(r, 1, h.HeadingLines[r]);
        adoptHeadingFile(path);
    });
}

void frmHeadingLogo::mnuSave_Click() {
    if (headingFile_.isEmpty()) {
        mnuSaveAs_Click();
        return;
    }
    trap(QStringLiteral("SaveHeadingFile"), [&] {
        modgw().DialogFileName = headingFile_;
        takeGrid();
        if (SaveHeadingFile()) OfferHeadingFileForReports(headingFile_, offered_);
    });
}

void frmHeadingLogo::mnuSaveAs_Click() {
    trap(QStringLiteral("Menu Save Heading File As"), [&] {
        SS3->commitEdit();
        FileDialogRequest r;
        r.save = true;
        r.title = QStringLiteral("Save As");
        r.filter = kHeadingFilter;
        r.initDir = modgw().CentralDataPath;
        r.overwritePrompt = true; // as every Save As of the program: replacing a file is asked first
        const QString path = ui().FileDialog(r);
        if (path.isEmpty()) return;
        modgw().DialogFileName = path;
        takeGrid();
        if (!SaveHeadingFile()) return;
        adoptHeadingFile(path);
        OfferHeadingFileForReports(path, offered_);
    });
}

void frmHeadingLogo::mnuCut_Click() {
    trap(QStringLiteral("mnuCut_Click"), [&] {
        SS3->commitEdit();
        SS3->cut();
    });
}

void frmHeadingLogo::mnuCopy_Click() {
    trap(QStringLiteral("mnuCopy_Click"), [&] {
        SS3->commitEdit();
        SS3->copy();
    });
}

void frmHeadingLogo::mnuPaste_Click() {
    trap(QStringLiteral("mnuPaste_Click"), [&] {
        SS3->commitEdit();
        SS3->paste();
    });
}

void ShowHeadingLogoEditor() {
    forms::showModal(forms::form<frmHeadingLogo>());
    forms::unload<frmHeadingLogo>();
}
