// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/forms/frmgraphicssystem.h"

#include "drawwin/devicesettings.h"
#include "drawwin/drawwinstate.h"
#include "drawwin/forms/frmfill.h"
#include "drawwin/forms/frmfolderpick.h"
#include "drawwin/graphicssetup.h"
#include "platform/gui/controls.h"
#include "platform/gui/forms.h"
#include "platform/gui/helpviewer.h"
#include "platform/qmerror.h"
#include "platform/uiservice.h"
#include "project/modgw.h"
#include "project/windowhooks.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

constexpr int HelpContext = 1023;
const QString kTextAdjFilter = QStringLiteral("TextBox Adj. Files (*.txb)|*.txb");

FileDialogRequest textAdjRequest(bool save, const QString& title) {
    FileDialogRequest r;
    r.save = save;
    r.title = title;
    r.filter = kTextAdjFilter;
    r.defaultExt = QStringLiteral("txb");
    r.initDir = modgw().CentralDataPath;
    return r;
}

} // namespace

frmGraphicsSystem::frmGraphicsSystem() {
    setObjectName(QStringLiteral("frmGraphicsSystem"));
    setWindowTitle(QStringLiteral("Graphics/System Setup"));

    const QStringList captions{QString(),
                               QStringLiteral("Margin Offsets (X,Y) in."),
                               QStringLiteral("Default Font "),
                               QStringLiteral("Text Box Adjustment File"),
                               QStringLiteral("Path to Fill Files"),
                               QStringLiteral("Path to Symbol Files"),
                               QStringLiteral("Central Data Path"),
                               QStringLiteral("Heading File")};
    auto* grid = new QGridLayout;
    for (int i = 1; i <= 7; ++i) {
        auto* t = new QLineEdit(this);
        t->setObjectName(QStringLiteral("Text1_%1").arg(i));
        t->setAccessibleName(QStringLiteral("Text1(%1)").arg(i));
        Text1[i] = t;
        auto* l = new QLabel(captions[i], this);
        l->setBuddy(t);
        grid->addWidget(l, i - 1, 0);
        grid->addWidget(t, i - 1, 1);
    }
    Text1[1]->setMaximumWidth(120);
    btnFontChoose = NamedButton(this, QStringLiteral("btnFontChoose"), QStringLiteral("Choose..."));
    btnOpenTextAdj = NamedButton(this, QStringLiteral("btnOpenTextAdj"), QStringLiteral("Open..."));
    btnSaveTextAdj = NamedButton(this, QStringLiteral("btnSaveTextAdj"), QStringLiteral("Save..."));
    btnFillPath = NamedButton(this, QStringLiteral("btnFillPath"), QStringLiteral("Browse..."));
    btnSymbolPath = NamedButton(this, QStringLiteral("btnSymbolPath"), QStringLiteral("Browse..."));
    btnCentralPath = NamedButton(this, QStringLiteral("btnCentralPath"), QStringLiteral("Browse..."));
    Command1 = NamedButton(this, QStringLiteral("Command1"), QStringLiteral("Browse..."));
    grid->addWidget(btnFontChoose, 1, 2);
    auto* adj = new QHBoxLayout;
    adj->addWidget(btnOpenTextAdj);
    adj->addWidget(btnSaveTextAdj);
    grid->addLayout(adj, 2, 2);
    grid->addWidget(btnFillPath, 3, 2);
    grid->addWidget(btnSymbolPath, 4, 2);
    grid->addWidget(btnCentralPath, 5, 2);
    grid->addWidget(Command1, 6, 2);
    grid->setColumnStretch(1, 1);

    FrameZoom = new QGroupBox(QStringLiteral("After Opening A File, Zoom To..."), this);
    FrameZoom->setObjectName(QStringLiteral("FrameZoom"));
    Option1 = new QRadioButton(QStringLiteral("Screen Width"), FrameZoom);
    Option1->setObjectName(QStringLiteral("Option1"));
    Option2 = new QRadioButton(QStringLiteral("Full Page"), FrameZoom);
    Option2->setObjectName(QStringLiteral("Option2"));
    auto* zoomLay = new QVBoxLayout(FrameZoom);
    zoomLay->addWidget(Option1);
    zoomLay->addWidget(Option2);

    FrameEdit = new QGroupBox(QStringLiteral("Default Edit Mode for Spreadsheet Cells"), this);
    FrameEdit->setObjectName(QStringLiteral("FrameEdit"));
    OptionAddText = new QRadioButton(QStringLiteral("Add to Text"), FrameEdit);
    OptionAddText->setObjectName(QStringLiteral("OptionAddText"));
    OptionReplaceText = new QRadioButton(QStringLiteral("Replace Text"), FrameEdit);
    OptionReplaceText->setObjectName(QStringLiteral("OptionReplaceText"));
    auto* editLay = new QVBoxLayout(FrameEdit);
    editLay->addWidget(OptionAddText);
    editLay->addWidget(OptionReplaceText);

    Check1 = new QCheckBox(QStringLiteral("Label Current Date"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check2 = new QCheckBox(QStringLiteral("Label Filename"), this);
    Check2->setObjectName(QStringLiteral("Check2"));
    chkThickDashed = new QCheckBox(QStringLiteral("Thick Dashed Lines"), this);
    chkThickDashed->setObjectName(QStringLiteral("chkThickDashed"));
    auto* checks = new QVBoxLayout;
    checks->addWidget(Check1);
    checks->addWidget(Check2);
    checks->addWidget(chkThickDashed);
    checks->addStretch();

    auto* options = new QHBoxLayout;
    options->addWidget(FrameZoom);
    options->addWidget(FrameEdit);
    options->addLayout(checks);

    Command10 = NamedButton(this, QStringLiteral("Command10"), QStringLiteral("OK"));
    Command9 = NamedButton(this, QStringLiteral("Command9"), QStringLiteral("Cancel"));
    Command8 = NamedButton(this, QStringLiteral("Command8"), QStringLiteral("Help"));
    Command10->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {Command10, Command9, Command8}) buttons->addWidget(b);

    auto* lay = new QVBoxLayout(this);
    lay->addLayout(grid);
    lay->addLayout(options);
    lay->addLayout(buttons);
    resize(640, sizeHint().height());

    connect(Command10, &QPushButton::clicked, this, &frmGraphicsSystem::Command10_Click);
    connect(Command9, &QPushButton::clicked, this, &frmGraphicsSystem::Command9_Click);
    connect(Command8, &QPushButton::clicked, this, &frmGraphicsSystem::Command8_Click);
    connect(btnFontChoose, &QPushButton::clicked, this, &frmGraphicsSystem::btnFontChoose_Click);
    connect(btnOpenTextAdj, &QPushButton::clicked, this, &frmGraphicsSystem::btnOpenTextAdj_Click);
    connect(btnSaveTextAdj, &QPushButton::clicked, this, &frmGraphicsSystem::btnSaveTextAdj_Click);
    connect(btnFillPath, &QPushButton::clicked, this, &frmGraphicsSystem::btnFillPath_Click);
    connect(btnSymbolPath, &QPushButton::clicked, this, &frmGraphicsSystem::btnSymbolPath_Click);
    connect(btnCentralPath, &QPushButton::clicked, this, &frmGraphicsSystem::btnCentralPath_Click);
    connect(Command1, &QPushButton::clicked, this, &frmGraphicsSystem::Command1_Click);
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, &frmGraphicsSystem::Command8_Click);
    // Tab goes from each field to its buttons.
    SetTabOrder({Text1[1], Text1[2], btnFontChoose, Text1[3], btnOpenTextAdj, btnSaveTextAdj, Text1[4], btnFillPath,
                 Text1[5], btnSymbolPath, Text1[6], btnCentralPath, Text1[7], Command1, Option1, Option2,
                 OptionAddText, OptionReplaceText, Check1, Check2, chkThickDashed, Command10, Command9, Command8});
    Form_Load();
}

void frmGraphicsSystem::Form_Load() {
    if (const QScreen* s = screen()) {
        const QRect a = s->geometry();
        move(int((a.width() - width()) * 0.5), int((a.height() - height()) * 0.35));
    }
    const GraphicsSetupFields f = GraphicsSetupFromSettings();
    const QString texts[] = {QString(), f.marginOffsets, f.defaultFont, f.textAdjustFile, f.fillPath,
                             f.symbolPath, f.centralDataPath, f.headingFile};
    for (int i = 1; i <= 7; ++i) Text1[i]->setText(texts[i]);
    (f.zoomScreenWidth ? Option1 : Option2)->setChecked(true);
    (f.replaceText ? OptionReplaceText : OptionAddText)->setChecked(true);
    Check1->setChecked(f.labelDate);
    Check2->setChecked(f.labelFilename);
    chkThickDashed->setChecked(f.thickDashed);
    fillPathAtLoad_ = modgw().FillPath;
}

GraphicsSetupFields frmGraphicsSystem::fields() const {
    GraphicsSetupFields f;
    f.marginOffsets = Text1[1]->text();
    f.defaultFont = Text1[2]->text();
    f.textAdjustFile = Text1[3]->text();
    f.fillPath = Text1[4]->text();
    f.symbolPath = Text1[5]->text();
    f.centralDataPath = Text1[6]->text();
    f.headingFile = Text1[7]->text();
    f.zoomScreenWidth = Option1->isChecked();
    f.replaceText = OptionReplaceText->isChecked();
    f.labelDate = Check1->isChecked();
    f.labelFilename = Check2->isChecked();
    f.thickDashed = chkThickDashed->isChecked();
    return f;
}

void frmGraphicsSystem::Command10_Click() {
    const GraphicsSetupResult r = ApplyGraphicsSetup(fields(), fillPathAtLoad_);
    if (projectHooks().setCellEditMode) projectHooks().setCellEditMode(r.replaceOnEdit);
    if (r.fillChooserReload) {
        // Built anew, hidden, so that its swatches come from the new folder.
        forms::unload<frmFill>();
        forms::form<frmFill>();
    }
    // Settings that did not reach the file keep the dialog open, so OK can be tried again.
    if (r.saved) accept();
}

void frmGraphicsSystem::Command9_Click() { QDialog::reject(); }

void frmGraphicsSystem::reject() { Command9_Click(); }

void frmGraphicsSystem::Command8_Click() {
    modgw().HelpResult = WinHelpA(this, modgw().HelpFile, help::HELP_CONTEXT, HelpContext);
}

void frmGraphicsSystem::btnFontChoose_Click() {
    FontChoice current;
    current.family = Text1[2]->text();
    // 1: the screen fonts. A cancelled dialog leaves the field.
    if (const std::optional<FontChoice> c = ui().FontDialog(current, 1)) Text1[2]->setText(c->family);
}

void frmGraphicsSystem::btnOpenTextAdj_Click() {
    const QString path = ui().FileDialog(textAdjRequest(false, QStringLiteral("Open Text Adjustment File")));
    if (path.isEmpty()) return;
    // The values take effect at once, whether the dialog is left by OK or Cancel; the file's name
    // becomes the setting only through OK.
    if (!trap(QStringLiteral("Open File"), [&] { ReadTextAdjustFile(path, modgw().TextAdjust); })) return;
    Text1[3]->setText(path);
}

void frmGraphicsSystem::btnSaveTextAdj_Click() {
    FileDialogRequest r = textAdjRequest(true, QStringLiteral("Save Text Adjustment File"));
    r.fileName = Text1[3]->text();
    const QString path = ui().FileDialog(r);
    if (path.isEmpty()) return;
    // The font line is the setting, not the field's unsaved text.
    if (!trap(QStringLiteral("Save File"),
              [&] { WriteTextAdjustFile(path, modgw().DefaultFont, modgw().TextAdjust); }))
        return;
    Text1[3]->setText(path);
}

void frmGraphicsSystem::browseFolder(const QString& setting, QLineEdit* field) {
    drawwin().PickedFolder = setting;
    modgw().DialogFileName.clear();
    forms::showModal(forms::form<frmFolderPick>());
    forms::unload<frmFolderPick>();
    if (!modgw().DialogFileName.isEmpty()) field->setText(modgw().DialogFileName);
}

// The pickers open on the settings as stored, not on the fields' unsaved text.
void frmGraphicsSystem::btnFillPath_Click() { browseFolder(modgw().FillPath, Text1[4]); }
void frmGraphicsSystem::btnSymbolPath_Click() { browseFolder(modgw().SymbolPath, Text1[5]); }
void frmGraphicsSystem::btnCentralPath_Click() { browseFolder(modgw().CentralDataPath, Text1[6]); }

void frmGraphicsSystem::Command1_Click() {
    trap(QStringLiteral("Browse for Heading File"), [&] {
        FileDialogRequest r;
        r.title = QStringLiteral("Choose Quillmare Heading File");
        r.filter = QStringLiteral("Quillmare Heading Files (*.qlh)|*.qlh");
        r.initDir = modgw().CentralDataPath;
        const QString path = ui().FileDialog(r);
        if (!path.isEmpty()) Text1[7]->setText(path);
    });
}

void ShowGraphicsSystemSetup() {
    forms::showModal(forms::form<frmGraphicsSystem>());
    forms::unload<frmGraphicsSystem>();
}
