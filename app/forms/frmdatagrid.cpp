// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/frmdatagrid.h"

#include "app/forms/frmabout200x.h"
#include "app/forms/frmgwadd.h"
#include "app/forms/frmgotowell.h"
#include "app/forms/frmprojinfo.h"
#include "app/startup.h"
#include "drawwin/forms/frmgraphicssystem.h"
#include "drawwin/windowhooks.h"
#include "platform/dates.h"
#include "platform/filenames.h"
#include "platform/files.h"
#include "platform/gui/datacontrol.h"
#include "platform/gui/controls.h"
#include "platform/gui/forms.h"
#include "platform/gui/helpviewer.h"
#include "platform/gui/spreadgrid.h"
#include "platform/qmerror.h"
#include "platform/timings.h"
#include "platform/uiservice.h"
#include "project/importexport.h"
#include "project/modgw.h"
#include "project/projectfile.h"
#include "project/sampledbops.h"
#include "project/windowhooks.h"
#include "reportdefs/forms/frmdatecontour.h"
#include "reportdefs/forms/frmdatesum.h"
#include "reportdefs/forms/frmgwelev.h"
#include "reportdefs/forms/frmstiff.h"
#include "reportdefs/forms/frmheadinglogo.h"
#include "reportdefs/forms/frmpar1sum.h"
#include "reportdefs/forms/frmwellsum.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <optional>

namespace {
QPushButton* button(QWidget* parent, const QString& name, const QString& caption, int widthTwips) {
    QPushButton* b = NamedButton(parent, name, caption);
    b->setFixedWidth(widthTwips / 15);
    return b;
}

const QString kCaption = QStringLiteral("Quillmare 2002");
const QString kReportGuard = QStringLiteral("You must first open a project before producing reports.");
} // namespace

frmDatAGrid::frmDatAGrid() {
    setObjectName(QStringLiteral("frmDatAGrid"));
    setWindowTitle(kCaption);
    auto* central = new QWidget(this);
    setCentralWidget(central);

    SS = new SpreadGrid(QStringLiteral("SS"), central);
    // The grid is bound: it holds the source's records and nothing more.
    SS->setMaxRows(0);
    SS->setMaxCols(3);
    SS->setColWidth(2, 11);
    datGW = new DataControl(QStringLiteral("datGW"), central);
    datGW->setFixedWidth(1140 / 15);

    Label1 = new QLabel(QStringLiteral("Source:"), central);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(QStringLiteral("Record"), central);
    Label2->setObjectName(QStringLiteral("Label2"));
    // Access letters clear of the menu bar's (File, Edit, Reports, Utilities, Help, About).
    Command3 = button(central, QStringLiteral("Command3"), QStringLiteral("&Prev"), 735);
    Command4 = button(central, QStringLiteral("Command4"), QStringLiteral("&Next"), 735);
    Command6 = button(central, QStringLiteral("Command6"), QStringLiteral("&GoTo"), 735);
    Command1 = button(central, QStringLiteral("Command1"), QStringLiteral("A&dd"), 855);
    Command2 = button(central, QStringLiteral("Command2"), QStringLiteral("De&lete"), 855);

    // The bottom row keeps the designed left positions: source buttons under the source label,
    // record buttons under the "Record" label.
    auto* lay = new QGridLayout(central);
    lay->setContentsMargins(16, 8, 16, 8);
    lay->addWidget(SS, 0, 0, 1, 11);
    lay->setColumnMinimumWidth(0, (1080 - 240) / 15);
    lay->addWidget(Label1, 1, 1, 1, 3);
    lay->addWidget(Label2, 1, 5, 1, 2);
    lay->addWidget(Command3, 2, 1);
    lay->addWidget(Command4, 2, 2);
    lay->addWidget(Command6, 2, 3);
    lay->setColumnMinimumWidth(4, (4200 - 3255) / 15);
    lay->addWidget(Command1, 2, 5);
    lay->addWidget(Command2, 2, 6);
    lay->setColumnMinimumWidth(7, (6840 - 5895) / 15);
    lay->addWidget(datGW, 2, 8);
    lay->setColumnStretch(10, 1);
    lay->setRowStretch(0, 1);

    connect(Command3, &QPushButton::clicked, this, &frmDatAGrid::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmDatAGrid::Command4_Click);
    connect(Command6, &QPushButton::clicked, this, &frmDatAGrid::Command6_Click);
    connect(Command1, &QPushButton::clicked, this, &frmDatAGrid::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmDatAGrid::Command2_Click);
    connect(SS, &SpreadGrid::userEdited, this, &frmDatAGrid::SS_Edited);
    connect(SS, &SpreadGrid::userTextRefused, this, [this](int, int col) {
        if (col == 2) warnBadDate();
    });
    // The data control's current record is the grid's active row.
    connect(SS->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { datGW->setCurrentRecord(SS->activeRow()); });
    connect(datGW, &DataControl::moveTo, this,
            [this](int record) { SS->setActiveCell(record, std::max(SS->activeCol(), 1)); });

    // Rebuilding or clearing the database takes it for itself: the grid lets go of it meanwhile.
    projectHooks().releaseDatabase = [this] { unbindGrid(); };
    projectHooks().rebindDatabase = [this] {
        modgw().CurrentSource = 1;
        navigateTo(1);
    };
    projectHooks().setCellEditMode = [this](bool replace) { SS->setReplaceOnEdit(replace); };

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &frmDatAGrid::Timer1_Timer);

    buildMenus();
}

void frmDatAGrid::buildMenus() {
    QMenuBar* bar = menuBar();
    mnuFile = NamedMenu(bar, QStringLiteral("mnuFile"), QStringLiteral("&File"));
    mnuNewProject = NamedMenuItem(mnuFile, QStringLiteral("mnuNewProject"), QStringLiteral("&New Project"));
    mnuOpenProject = NamedMenuItem(mnuFile, QStringLiteral("mnuOpenProject"), QStringLiteral("&Open Project"));
    mnuEditProject = NamedMenuItem(mnuFile, QStringLiteral("mnuEditProject"), QStringLiteral("E&dit  Project Info"));
    mnuFile->addSeparator();
    mnuImport = NamedMenuItem(mnuFile, QStringLiteral("mnuImport"), QStringLiteral("&Import"));
    mnuExport = NamedMenuItem(mnuFile, QStringLiteral("mnuExport"), QStringLiteral("&Export"));
    mnuFile->addSeparator();
    mnuExit = NamedMenuItem(mnuFile, QStringLiteral("mnuExit"), QStringLiteral("E&xit"));

    mnuEdit = NamedMenu(bar, QStringLiteral("mnuEdit"), QStringLiteral("&Edit"));
    mnuCut = NamedMenuItem(mnuEdit, QStringLiteral("mnuCut"), QStringLiteral("Cu&t"));
    mnuCut->setShortcut(QKeySequence(QStringLiteral("Ctrl+X")));
    mnuCopy = NamedMenuItem(mnuEdit, QStringLiteral("mnuCopy"), QStringLiteral("&Copy"));
    mnuCopy->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    mnuPaste = NamedMenuItem(mnuEdit, QStringLiteral("mnuPaste"), QStringLiteral("&Paste"));
    mnuPaste->setShortcut(QKeySequence(QStringLiteral("Ctrl+V")));

    mnuReports = NamedMenu(bar, QStringLiteral("mnuReports"), QStringLiteral("&Reports"));
    mnuSourceSummary = NamedMenuItem(mnuReports, QStringLiteral("mnuSourceSummary"), QStringLiteral("&Source Summary"));
    mnuParameterSummary =
        NamedMenuItem(mnuReports, QStringLiteral("mnuParameterSummary"), QStringLiteral("&Parameter Summary"));
    mnuDateSummary = NamedMenuItem(mnuReports, QStringLiteral("mnuDateSummary"), QStringLiteral("&Date Summary"));
    mnuDateContour = NamedMenuItem(mnuReports, QStringLiteral("mnuDateContour"), QStringLiteral("Date &Contour"));
    mnuStiff = NamedMenuItem(mnuReports, QStringLiteral("mnuStiff"), QStringLiteral("S&tiff Graph"));
    mnuGWElev = NamedMenuItem(mnuReports, QStringLiteral("mnuGWElev"), QStringLiteral("&Groundwater Elevation Graph"));

    mnuUtilities = NamedMenu(bar, QStringLiteral("mnuUtilities"), QStringLiteral("&Utilities"));
    mnuClearDatabase =
        NamedMenuItem(mnuUtilities, QStringLiteral("mnuClearDatabase"), QStringLiteral("&Clear Database"));
    mnuGraphicsSystem =
        NamedMenuItem(mnuUtilities, QStringLiteral("mnuGraphicsSystem"), QStringLiteral("&Graphics/System Setup"));
    mnuHeadingLogo =
        NamedMenuItem(mnuUtilities, QStringLiteral("mnuHeadingLogo"), QStringLiteral("&Define Headings/Logo"));

    // Help and About are commands on the menu bar itself.
    mnuHelp = NamedBarCommand(bar, QStringLiteral("mnuHelp"), QStringLiteral("&Help"));
    mnuAbout = NamedBarCommand(bar, QStringLiteral("mnuAbout"), QStringLiteral("&About"));

    connect(mnuExit, &QAction::triggered, this, &QWidget::close);
    connect(mnuHelp, &QAction::triggered, this, &frmDatAGrid::mnuHelp_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmDatAGrid::mnuAbout_Click);
    connect(mnuCut, &QAction::triggered, this, &frmDatAGrid::mnuCut_Click);
    connect(mnuCopy, &QAction::triggered, this, &frmDatAGrid::mnuCopy_Click);
    connect(mnuPaste, &QAction::triggered, this, &frmDatAGrid::mnuPaste_Click);
    connect(mnuNewProject, &QAction::triggered, this, &frmDatAGrid::mnuNewProject_Click);
    connect(mnuOpenProject, &QAction::triggered, this, &frmDatAGrid::mnuOpenProject_Click);
    connect(mnuEditProject, &QAction::triggered, this, &frmDatAGrid::mnuEditProject_Click);
    connect(mnuImport, &QAction::triggered, this, &frmDatAGrid::mnuImport_Click);
    connect(mnuExport, &QAction::triggered, this, &frmDatAGrid::mnuExport_Click);
    connect(mnuClearDatabase, &QAction::triggered, this, &frmDatAGrid::mnuClearDB_Click);
    connect(mnuSourceSummary, &QAction::triggered, this, [this] {
        if (!guardReports()) return;
        forms::showModal(forms::form<frmWellSum>());
        forms::unload<frmWellSum>();
    });
    // The other report windows come later; without a project their commands only warn.
    connect(mnuParameterSummary, &QAction::triggered, this, [this] {
        if (!guardReports()) return;
        forms::showModal(forms::form<frmPar1Sum>());
        forms::unload<frmPar1Sum>();
    });
    // The headings and the logo belong to the program, not to a project.
    connect(mnuHeadingLogo, &QAction::triggered, this, [] { ShowHeadingLogoEditor(); });
    connect(mnuGraphicsSystem, &QAction::triggered, this, [] { ShowGraphicsSystemSetup(); });
    connect(mnuDateSummary, &QAction::triggered, this, [this] {
        if (!guardReports()) return;
        forms::showModal(forms::form<frmDateSum>());
        forms::unload<frmDateSum>();
    });
    connect(mnuDateContour, &QAction::triggered, this, [this] {
        if (!guardReports()) return;
        forms::showModal(forms::form<frmDateContour>());
        forms::unload<frmDateContour>();
    });
    connect(mnuStiff, &QAction::triggered, this, [this] {
        if (!guardReports()) return;
        forms::showModal(forms::form<frmStiff>());
        forms::unload<frmStiff>();
    });
    connect(mnuGWElev, &QAction::triggered, this, [this] {
        if (!guardReports()) return;
        forms::showModal(forms::form<frmGWElev>());
        forms::unload<frmGWElev>();
    });
}

frmDatAGrid::~frmDatAGrid() {
    projectHooks().releaseDatabase = nullptr;
    projectHooks().rebindDatabase = nullptr;
    projectHooks().setCellEditMode = nullptr;
}

void frmDatAGrid::Form_Load() {
    InitializeSystem();
    SetupDataGrid();
    ModGW& m = modgw();
    SS->setReplaceOnEdit(m.CellEditMode == QLatin1String("1"));
    if (FileExists(m.RecentProjects[1])) openProject(m.RecentProjects[1], QStringLiteral("Form_Load"));
    Timer1->start(timings().splashDelayMs);
}

void frmDatAGrid::SetupDataGrid() {
    // The date kind belongs to the whole column, however many records it shows.
    SS->setDateColumn(2, qdate::order().DayFirst);
}

// ---- binding

void frmDatAGrid::fillGrid() {
    const BoundRecords& r = datGW->records();
    const bool redraw = SS->redraw();
    SS->setRedraw(false);
    SS->setMaxRows(r.recordCount());
    SS->setMaxCols(std::max(r.fieldCount(), 3));
    for (int c = 1; c <= r.fieldCount(); ++c)
        SS->setColumnHeader(c, r.fieldNames()[c - 1]);
    SS->setRows(r.rows());
    SS->setRedraw(redraw);
    datGW->setCurrentRecord(SS->activeRow());
}

void frmDatAGrid::unbindGrid() {
    datGW->records().release();
    SS->setMaxRows(0);
    datGW->setCurrentRecord(0);
}

void frmDatAGrid::BindSource(int i) {
    SS->commitEdit();
    const ModGW& m = modgw();
    const QString name = i >= 1 && i <= ModGW::MaxSources ? m.SourceTable[i][1] : QString();
    Label1->setText(QStringLiteral("Source: ") + name);
    BoundRecords& r = datGW->records();
    r.setSource(name);
    try {
        r.refresh();
    } catch (const QmError&) {
        unbindGrid();
        throw;
    }
    fillGrid();
}

void frmDatAGrid::bindProject() {
    ModGW& m = modgw();
    m.CurrentSource = 1;
    setWindowTitle(kCaption + QStringLiteral(": ") + m.ProjectFile);
    RecoverInterruptedRebuild(m.DatabaseFile);
    datGW->records().setDatabaseName(m.DatabaseFile);
    BindSource(1);
}

void frmDatAGrid::navigateTo(int source) {
    try {
        BindSource(source);
        SS->setActiveCell(1, 1);
    } catch (const QmError& e) {
        ReportDbFault(e, QStringLiteral("BindSource"));
    }
}

bool frmDatAGrid::openProject(const QString& path, const QString& where) {
    ModGW& m = modgw();
    const ProjectSnapshot before;
    m.ProjectFile = path;
    m.DatabaseFile = path.left(path.size() - 4) + QStringLiteral(".mdb");
    m.DataFolder = qfile::FolderOf(path);
    if (!OpenProjectInfo()) {
        before.restore();
        return false;
    }
    try {
        bindProject();
        return true;
    } catch (const QmError& e) {
        ReportDbFault(e, where);
    }
    // Never half open: the project that was open before comes back, or none.
    before.restore();
    if (m.ProjectFile.isEmpty()) {
        setWindowTitle(kCaption);
        Label1->setText(QStringLiteral("Source:"));
        unbindGrid();
        return false;
    }
    setWindowTitle(kCaption + QStringLiteral(": ") + m.ProjectFile);
    datGW->records().setDatabaseName(m.DatabaseFile);
    navigateTo(m.CurrentSource);
    return false;
}

void frmDatAGrid::SS_Edited(int row, int col, int row2, int col2) {
    BoundRecords& r = datGW->records();
    std::optional<QmError> refused;
    for (int i = row; i <= std::min(row2, r.recordCount()); ++i)
        for (int k = col; k <= std::min(col2, r.fieldCount()); ++k) {
            const QString now = SS->text(i, k);
            if (now == r.text(i, k)) continue;
            try {
                r.setText(i, k, now);
            } catch (const QmError& e) {
                // The cell shows what the database holds.
                SS->setText(i, k, r.rows()[i - 1][k - 1]);
                if (!refused) refused = e;
            }
        }
    if (!refused) return;
    if (refused->number() == dberr::BadDate)
        warnBadDate();
    else if (refused->number() == dberr::Engine)
        showError(*refused, QStringLiteral("SS_Change"));
    else
        warn(refused->detail());
}

void frmDatAGrid::warnBadDate() {
    // The box takes the focus from a cell still open, which commits the same text again: one box.
    if (warningBadDate_) return;
    warningBadDate_ = true;
    warn(QStringLiteral("Bad Date Format"));
    warningBadDate_ = false;
}

void frmDatAGrid::Timer1_Timer() {
    Timer1->stop();
    forms::showModal(forms::form<frmAbout200x>());
    forms::unload<frmAbout200x>();
}

// ---- source navigation and records

void frmDatAGrid::Command3_Click() {
    ModGW& m = modgw();
    m.CurrentSource -= 1;
    if (m.CurrentSource >= 1) {
        navigateTo(m.CurrentSource);
    } else {
        m.CurrentSource = 1;
        warn(QStringLiteral("This is the first source."));
    }
}

void frmDatAGrid::Command4_Click() {
    ModGW& m = modgw();
    m.CurrentSource += 1;
    if (m.CurrentSource <= m.NumSources) {
        navigateTo(m.CurrentSource);
    } else {
        m.CurrentSource = m.NumSources;
        warn(QStringLiteral("This is the last source."));
    }
}

void frmDatAGrid::Command6_Click() {
    SS->commitEdit();
    forms::showModal(forms::form<frmGoToWell>());
    forms::unload<frmGoToWell>();
    ModGW& m = modgw();
    if (m.GoToSource > 0) {
        m.CurrentSource = m.GoToSource;
        navigateTo(m.CurrentSource);
    }
}

void frmDatAGrid::Command1_Click() {
    if (modgw().ProjectFile.isEmpty()) return;
    SS->commitEdit();
    const int result = forms::showModal(forms::form<frmGWAdd>());
    forms::unload<frmGWAdd>();
    // The keyboard comes back where it left, ready to add more.
    Command1->setFocus();
    if (result != QDialog::Accepted) return;
    const bool redraw = SS->redraw();
    SS->setRedraw(false);
    refreshBinding();
    SetupDataGrid();
    SS->setRedraw(redraw);
}

void frmDatAGrid::refreshBinding() {
    try {
        BindSource(modgw().CurrentSource);
    } catch (const QmError& e) {
        ReportDbFault(e, QStringLiteral("BindSource"));
    }
    SS->setFocus();
}

void frmDatAGrid::Command2_Click() {
    SS->commitEdit();
    BoundRecords& r = datGW->records();
    if (r.recordCount() < 1) return;
    try {
        const int top = SS->topRow();
        const int left = SS->leftCol();
        const int row = std::clamp(SS->activeRow(), 1, r.recordCount());
        const int col = std::max(SS->activeCol(), 1);
        SS->setRedraw(false);
        r.deleteRecord(row);
        r.refresh();
        fillGrid();
        SS->setTopRow(top);
        SS->setLeftCol(left);
        SS->setActiveCell(std::min(row, r.recordCount()), col);
        SS->setRedraw(true);
    } catch (const QmError&) {
        if (!r.isOpen()) SS->setMaxRows(0);
        warn(QStringLiteral("Database Record Error:  Select 'Exit' and then return"));
        SS->setRedraw(true);
    }
}

void frmDatAGrid::mnuCut_Click() {
    SS->GridAction(23);
}
void frmDatAGrid::mnuCopy_Click() {
    SS->GridAction(22);
}
void frmDatAGrid::mnuPaste_Click() {
    SS->GridAction(24);
}

// ---- projects

void frmDatAGrid::mnuNewProject_Click() {
    SS->commitEdit();
    ModGW& m = modgw();
    // A cancelled new project leaves the open one as it was, tables and all.
    const ProjectSnapshot before;
    m.NewProjectMode = -1;
    ClearProjArrays();
    const int result = forms::showModal(forms::form<frmProjInfo>());
    forms::unload<frmProjInfo>();
    m.NewProjectMode = 0;
    if (result != QDialog::Accepted || m.ProjectFile.isEmpty()) {
        before.restore();
        return;
    }
    try {
        bindProject();
    } catch (const QmError& e) {
        ReportDbFault(e, QStringLiteral("New Project"));
    }
}

void frmDatAGrid::mnuOpenProject_Click() {
    SS->commitEdit();
    const QString where = QStringLiteral("Open File");
    trap(where, [&] {
        FileDialogRequest r;
        r.title = QStringLiteral("Open");
        r.filter = QStringLiteral("Quillmare Project Files (*.qlp)|*.qlp|");
        r.initDir = modgw().DataFolder;
        const QString path = ui().FileDialog(r);
        if (path.isEmpty()) return;
        if (openProject(path, where)) AddRecentProject();
    });
}

void frmDatAGrid::mnuEditProject_Click() {
    ModGW& m = modgw();
    if (m.ProjectFile.isEmpty()) {
        warn(QStringLiteral("You must first open a project before you can EDIT PROJECT INFORMATION."));
        return;
    }
    SS->commitEdit();
    const int result = forms::showModal(forms::form<frmProjInfo>());
    forms::unload<frmProjInfo>();
    if (result != QDialog::Accepted) return;
    // The source list may have changed under the shown source.
    m.CurrentSource = std::clamp(m.CurrentSource, 1, std::max(m.NumSources, 1));
    navigateTo(m.CurrentSource);
}

// ---- import, export and clearing

bool frmDatAGrid::chooseExchangeFile(bool save) {
    ModGW& m = modgw();
    FileDialogRequest r;
    r.save = save;
    r.title = save ? QStringLiteral("Export Data") : QStringLiteral("Import Data");
    r.filter = QStringLiteral("Tab Separated (*.txt)|*.txt|Comma Separated (*.csv)|*.csv|"
                              "Line Delimited (*.ldl)|*.ldl");
    r.initDir = m.DataFolder;
    r.overwritePrompt = false;
    m.DialogFileName = ui().FileDialog(r);
    if (m.DialogFileName.isEmpty()) return false;
    m.ExchangeFormat = exchange::FormatOf(m.DialogFileName);
    if (m.ExchangeFormat == 0) {
        ui().MsgBox(QStringLiteral("Please choose one of the 3 file formats listed."));
        return false;
    }
    return true;
}

void frmDatAGrid::mnuExport_Click() {
    if (modgw().ProjectFile.isEmpty()) {
        warn(QStringLiteral("You must first open a project before you can EXPORT DATA."));
        return;
    }
    SS->commitEdit();
    trap(QStringLiteral("Export Menu"), [&] {
        if (!chooseExchangeFile(true)) return;
        ExportGWData();
        SS->setFocus();
    });
}

void frmDatAGrid::mnuImport_Click() {
    if (modgw().ProjectFile.isEmpty()) {
        warn(QStringLiteral("You must first open a project before you can IMPORT DATA."));
        return;
    }
    SS->commitEdit();
    trap(QStringLiteral("Import Menu"), [&] {
        if (!chooseExchangeFile(false)) return;
        ImportGWData();
        const bool redraw = SS->redraw();
        SS->setRedraw(false);
        refreshBinding();
        SS->setRedraw(redraw);
    });
}

void frmDatAGrid::mnuClearDB_Click() {
    // Without a project there is nothing to clear.
    if (modgw().ProjectFile.isEmpty()) {
        warn(QStringLiteral("You must first open a project before you can CLEAR THE DATABASE."));
        return;
    }
    SS->commitEdit();
    if (ui().MsgBox(
            QStringLiteral("This function clears all the data from the project .MDB file.  A copy of the "
                           "old .MDB file is saved in TEMP.MDB.  Do you wish to continue?"),
            vb::YesNo | vb::Question | vb::DefaultButton2, titleEmpty) != vb::Yes)
        return;
    // The binding hooks let go of the file while it is rebuilt and show source 1 afterwards.
    ClearDB();
}

bool frmDatAGrid::guardReports() {
    if (!modgw().ProjectFile.isEmpty()) return true;
    warn(kReportGuard);
    return false;
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
    SS->commitEdit();
    datGW->records().release();
    (void)SaveDevice(); // a failure is reported; closing goes on
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
