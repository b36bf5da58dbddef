// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/frmdatagrid.h"

#include "app/forms/frmabout200x.h"
#include "app/startup.h"
#include "platform/gui/forms.h"
#include "platform/gui/helpviewer.h"
#include "platform/timings.h"
#include "project/helpers.h"
#include "project/modgw.h"
#include "project/projectfile.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTimer>

namespace {
QPushButton* button(QWidget* parent, const QString& name, const QString& caption, int widthTwips) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setFixedWidth(widthTwips / 15);
    return b;
}
} // namespace

frmDatAGrid::frmDatAGrid() {
    setObjectName(QStringLiteral("frmDatAGrid"));
    setWindowTitle(QStringLiteral("Quillmare 2002"));
    auto* central = new QWidget(this);
    setCentralWidget(central);

    auto* grid = new QTableView(central);
    SS = grid;
    SS->setObjectName(QStringLiteral("SS"));
    SS->setAccessibleName(QStringLiteral("SS"));

    Label1 = new QLabel(QStringLiteral("Source:"), central);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(QStringLiteral("Record"), central);
    Label2->setObjectName(QStringLiteral("Label2"));
    Command3 = button(central, QStringLiteral("Command3"), QStringLiteral("Prev"), 735);
    Command4 = button(central, QStringLiteral("Command4"), QStringLiteral("Next"), 735);
    Command6 = button(central, QStringLiteral("Command6"), QStringLiteral("GoTo"), 735);
    Command1 = button(central, QStringLiteral("Command1"), QStringLiteral("Add"), 855);
    Command2 = button(central, QStringLiteral("Command2"), QStringLiteral("Delete"), 855);

    // The bottom row keeps the designed left positions: source buttons under the source label,
    // record buttons under the "Record" label.
    auto* lay = new QGridLayout(central);
    lay->setContentsMargins(16, 8, 16, 8);
    lay->addWidget(SS, 0, 0, 1, 9);
    lay->setColumnMinimumWidth(0, (1080 - 240) / 15);
    lay->addWidget(Label1, 1, 1, 1, 3);
    lay->addWidget(Label2, 1, 5, 1, 2);
    lay->addWidget(Command3, 2, 1);
    lay->addWidget(Command4, 2, 2);
    lay->addWidget(Command6, 2, 3);
    lay->setColumnMinimumWidth(4, (4200 - 3255) / 15);
    lay->addWidget(Command1, 2, 5);
    lay->addWidget(Command2, 2, 6);
    lay->setColumnStretch(8, 1);
    lay->setRowStretch(0, 1);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &frmDatAGrid::Timer1_Timer);

    buildMenus();
}

void frmDatAGrid::buildMenus() {
    QMenuBar* bar = menuBar();
    auto add = [this](QMenu* menu, const QString& name, const QString& caption) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(name);
        return a;
    };
    mnuFile = bar->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuNewProject = add(mnuFile, QStringLiteral("mnuNewProject"), QStringLiteral("&New Project"));
    mnuOpenProject = add(mnuFile, QStringLiteral("mnuOpenProject"), QStringLiteral("&Open Project"));
    mnuEditProject = add(mnuFile, QStringLiteral("mnuEditProject"), QStringLiteral("E&dit  Project Info"));
    mnuFile->addSeparator();
    mnuImport = add(mnuFile, QStringLiteral("mnuImport"), QStringLiteral("&Import"));
    mnuExport = add(mnuFile, QStringLiteral("mnuExport"), QStringLiteral("&Export"));
    mnuFile->addSeparator();
    mnuExit = add(mnuFile, QStringLiteral("mnuExit"), QStringLiteral("E&xit"));

    mnuEdit = bar->addMenu(QStringLiteral("&Edit"));
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    mnuCut = add(mnuEdit, QStringLiteral("mnuCut"), QStringLiteral("Cu&t"));
    mnuCut->setShortcut(QKeySequence(QStringLiteral("Ctrl+X")));
    mnuCopy = add(mnuEdit, QStringLiteral("mnuCopy"), QStringLiteral("&Copy"));
    mnuCopy->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    mnuPaste = add(mnuEdit, QStringLiteral("mnuPaste"), QStringLiteral("&Paste"));
    mnuPaste->setShortcut(QKeySequence(QStringLiteral("Ctrl+V")));

    mnuReports = bar->addMenu(QStringLiteral("&Reports"));
    mnuReports->setObjectName(QStringLiteral("mnuReports"));
    mnuSourceSummary = add(mnuReports, QStringLiteral("mnuSourceSummary"), QStringLiteral("&Source Summary"));
    mnuParameterSummary =
        add(mnuReports, QStringLiteral("mnuParameterSummary"), QStringLiteral("&Parameter Summary"));
    mnuDateSummary = add(mnuReports, QStringLiteral("mnuDateSummary"), QStringLiteral("&Date Summary"));
    mnuDateContour = add(mnuReports, QStringLiteral("mnuDateContour"), QStringLiteral("Date &Contour"));
    mnuStiff = add(mnuReports, QStringLiteral("mnuStiff"), QStringLiteral("S&tiff Graph"));
    mnuGWElev = add(mnuReports, QStringLiteral("mnuGWElev"), QStringLiteral("&Groundwater Elevation Graph"));

    mnuUtilities = bar->addMenu(QStringLiteral("&Utilities"));
    mnuUtilities->setObjectName(QStringLiteral("mnuUtilities"));
    mnuClearDatabase = add(mnuUtilities, QStringLiteral("mnuClearDatabase"), QStringLiteral("&Clear Database"));
    mnuGraphicsSystem =
        add(mnuUtilities, QStringLiteral("mnuGraphicsSystem"), QStringLiteral("&Graphics/System Setup"));
    mnuHeadingLogo = add(mnuUtilities, QStringLiteral("mnuHeadingLogo"), QStringLiteral("&Define Headings/Logo"));

    // Help and About are commands on the menu bar itself.
    mnuHelp = bar->addAction(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuAbout = bar->addAction(QStringLiteral("&About"));
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));

    connect(mnuExit, &QAction::triggered, this, &QWidget::close);
    connect(mnuHelp, &QAction::triggered, this, &frmDatAGrid::mnuHelp_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmDatAGrid::mnuAbout_Click);
}

void frmDatAGrid::Form_Load() {
    InitializeSystem();
    // The window takes the screen; the grid takes all of it but the margins and the bottom row.
    if (const QScreen* s = QGuiApplication::primaryScreen()) setGeometry(s->availableGeometry());
    ModGW& m = modgw();
    if (!FileExists(m.RecentProjects[1])) {
        Timer1->start(timings().splashDelayMs);
        return;
    }
    m.ProjectFile = m.RecentProjects[1];
    m.DatabaseFile = m.ProjectFile.left(m.ProjectFile.size() - 4) + QStringLiteral(".mdb");
    m.DataFolder = m.ProjectFile.left(m.ProjectFile.lastIndexOf(u'/') + 1);
    OpenProjectInfo();
    m.CurrentSource = 1;
    setWindowTitle(QStringLiteral("Quillmare 2002: ") + m.ProjectFile);
    Label1->setText(QStringLiteral("Source: ") + m.SourceTable[1][1]);
    Timer1->start(timings().splashDelayMs);
}

void frmDatAGrid::Timer1_Timer() {
    Timer1->stop();
    forms::showModal(forms::form<frmAbout200x>());
    forms::unload<frmAbout200x>();
}

void frmDatAGrid::mnuHelp_Click() {
    modgw().HelpResult = WinHelpA(this, modgw().HelpFile, help::HELP_CONTENTS, 0);
}

void frmDatAGrid::mnuAbout_Click() {
    forms::showModal(forms::form<frmAbout200x>());
    forms::unload<frmAbout200x>();
}

void frmDatAGrid::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    SaveDevice();
    modgw().HelpResult = WinHelpA(this, QString(), help::HELP_QUIT, 0);
    if (startupHooks().unloadFillChooser) startupHooks().unloadFillChooser();
}

void frmDatAGrid::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
    // Every other window goes with the main window.
    QApplication::closeAllWindows();
    QApplication::quit();
}
