// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/frmprojinfo.h"

#include "app/forms/frmgwredef.h"
#include "platform/gui/forms.h"
#include "platform/gui/controls.h"
#include "platform/gui/helpviewer.h"
#include "platform/gui/spreadgrid.h"
#include "platform/progfolder.h"
#include "platform/qmerror.h"
#include "platform/uiservice.h"
#include "project/modgw.h"
#include "project/projectinfo.h"
#include "project/typeddates.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString kSetFilter = QStringLiteral("Parameter Set Files (*.par)|*.par|");

const QStringList kSourceHeaders = {QStringLiteral("Source"), QStringLiteral("X Pos."),
                                    QStringLiteral("Y Pos."), QStringLiteral("Ref. Elev.")};
const QStringList kParamHeaders = {QStringLiteral("Name"),      QStringLiteral("Units"),
                                   QStringLiteral("MCL/Stnd."), QStringLiteral("Scale St.,End,Inc."),
                                   QStringLiteral("Def. Text"), QStringLiteral("Full Name"),
                                   QStringLiteral("Split 1"),   QStringLiteral("Split 2"),
                                   QStringLiteral("Split 3"),   QStringLiteral("Chemical Code")};

template <size_t N> QList<QStringList> asGridRows(const QList<std::array<QString, N>>& rows) {
    QList<QStringList> out;
    for (const auto& r : rows)
        out << QStringList(r.begin(), r.end());
    return out;
}

// The used rows of a grid, N cells each.
template <size_t N> QList<std::array<QString, N>> gridRows(const SpreadGrid& g) {
    QList<std::array<QString, N>> out;
    for (int r = 1; r <= g.usedRowCount(); ++r) {
        std::array<QString, N> row;
        for (size_t k = 0; k < N; ++k)
            row[k] = g.text(r, int(k) + 1);
        out << row;
    }
    return out;
}

// A date box is checked when it is left: a date that is none is said so, once the event that left
// the box is done, and the box takes the focus back with the text typed, for correction.
void checkWhenLeft(QLineEdit* box, typeddates::Field field) {
    auto pending = std::make_shared<bool>(false);
    QObject::connect(box, &QLineEdit::editingFinished, box, [box, field, pending] {
        if (*pending || typeddates::Problem(field, box->text()).isEmpty()) return;
        *pending = true; // the box loses the focus again to the message
        QTimer::singleShot(0, box, [box, field, pending] {
            // A form closed meanwhile (Cancel) has nothing to correct.
            if (const QString why = typeddates::Problem(field, box->text()); !why.isEmpty() && box->isVisible()) {
                ui().MsgBox(why);
                box->setFocus(Qt::OtherFocusReason);
                box->selectAll();
            }
            *pending = false;
        });
    });
}

SpreadGrid* makeGrid(const QString& name, const QStringList& headers, QWidget* parent) {
    auto* g = new SpreadGrid(name, parent);
    g->setMaxRows(ModGW::MaxSources);
    g->setMaxCols(int(headers.size()));
    for (int c = 1; c <= headers.size(); ++c)
        g->setColumnHeader(c, headers[c - 1]);
    return g;
}

QLabel* caption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setBuddy(buddy);
    return l;
}

} // namespace

frmProjInfo::frmProjInfo() {
    setObjectName(QStringLiteral("frmProjInfo"));
    setWindowTitle(QStringLiteral("Project Information"));

    MenuBar = new QMenuBar(this);
    mnuParameters = NamedMenu(MenuBar, QStringLiteral("mnuParameters"), QStringLiteral("&Parameters"));
    mnuOpenSet = NamedMenuItem(mnuParameters, QStringLiteral("mnuOpenSet"), QStringLiteral("&Open Set"));
    mnuSaveSet = NamedMenuItem(mnuParameters, QStringLiteral("mnuSaveSet"), QStringLiteral("&Save Set"));
    mnuEdit = NamedMenu(MenuBar, QStringLiteral("mnuEdit"), QStringLiteral("&Edit"));
    // The key names are part of the captions; the grids take those keys themselves.
    mnuCut = NamedMenuItem(mnuEdit, QStringLiteral("mnuCut"), QStringLiteral("&Cut       Shift+Del"));
    mnuCopy = NamedMenuItem(mnuEdit, QStringLiteral("mnuCopy"), QStringLiteral("Cop&y     Ctrl+Ins"));
    mnuPaste = NamedMenuItem(mnuEdit, QStringLiteral("mnuPaste"), QStringLiteral("&Paste    Shift+Ins"));
    mnuEdit->addSeparator();
    mnuInsertRow = NamedMenuItem(mnuEdit, QStringLiteral("mnuInsertRow"), QStringLiteral("&Insert Row"));
    mnuDeleteRow = NamedMenuItem(mnuEdit, QStringLiteral("mnuDeleteRow"), QStringLiteral("&Delete Row"));

    Text3 = NamedMultiLineBox(this, QStringLiteral("Text3"));
    Text3->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text3->setFixedHeight(Text3->fontMetrics().lineSpacing() * 10 + 12);
    SSWell = makeGrid(QStringLiteral("SSWell"), kSourceHeaders, this);
    SS = makeGrid(QStringLiteral("SS"), kParamHeaders, this);
    SS->setColWidth(4, 16);
    SS->setColWidth(6, 16);
    SS->setColWidth(10, 12);
    auto lineEdit = [this](const QString& name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        e->setAccessibleName(name);
        return e;
    };
    txtStartDate = lineEdit(QStringLiteral("txtStartDate"));
    txtEndDate = lineEdit(QStringLiteral("txtEndDate"));
    txtLessThan = lineEdit(QStringLiteral("txtLessThan"));
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setAccessibleName(QStringLiteral("List1"));
    List1->setSortingEnabled(true);
    List1->hide();
    auto button = [this](const QString& name, const QString& text) { return NamedButton(this, name, text); };
    btnOK = button(QStringLiteral("btnOK"), QStringLiteral("OK"));
    btnCancel = button(QStringLiteral("btnCancel"), QStringLiteral("Cancel"));
    btnHelp = button(QStringLiteral("btnHelp"), QStringLiteral("Help"));
    Command1 = button(QStringLiteral("Command1"), QStringLiteral("Edit Mode"));
    btnOK->setDefault(true);
    layoutControls();
    connectControls();
    Form_Load();
}

void frmProjInfo::layoutControls() {
    auto* dates = new QGroupBox(QStringLiteral("Date Range for Reports"), this);
    auto* dl = new QGridLayout(dates);
    dl->addWidget(caption(QStringLiteral("Start Date"), txtStartDate, dates), 0, 0);
    dl->addWidget(txtStartDate, 0, 1);
    dl->addWidget(caption(QStringLiteral("End Date"), txtEndDate, dates), 1, 0);
    dl->addWidget(txtEndDate, 1, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(dates);
    auto* factor = new QHBoxLayout;
    factor->addWidget(caption(QStringLiteral("\"<\" Factor"), txtLessThan, this));
    factor->addWidget(txtLessThan);
    right->addLayout(factor);
    right->addStretch();
    for (QPushButton* b : {btnOK, btnCancel, btnHelp, Command1})
        right->addWidget(b);

    auto* lay = new QGridLayout(this);
    lay->setMenuBar(MenuBar);
    auto* clientBox = new QVBoxLayout;
    clientBox->addWidget(caption(QStringLiteral("Client Info  "), Text3, this));
    clientBox->addWidget(Text3);
    clientBox->addStretch();
    auto* sourceBox = new QVBoxLayout;
    sourceBox->addWidget(caption(QStringLiteral("Source List "), SSWell, this));
    sourceBox->addWidget(SSWell);
    lay->addLayout(clientBox, 0, 0);
    lay->addLayout(sourceBox, 0, 1);
    lay->addLayout(right, 0, 2);
    lay->addWidget(caption(QStringLiteral("Parameter List"), SS, this), 1, 0, 1, 3);
    lay->addWidget(SS, 2, 0, 1, 3);
    lay->setRowStretch(2, 1);
    lay->setColumnStretch(0, 1);
    lay->setColumnStretch(1, 1);
    resize(980, 680);
    // Across the top row from the left, then the parameter list below.
    SetTabOrder({Text3, SSWell, txtStartDate, txtEndDate, txtLessThan, btnOK, btnCancel, btnHelp, Command1, SS});
}

void frmProjInfo::connectControls() {
    checkWhenLeft(txtStartDate, typeddates::Field::ReportStart);
    checkWhenLeft(txtEndDate, typeddates::Field::ReportEnd);
    connect(btnOK, &QPushButton::clicked, this, &frmProjInfo::btnOK_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmProjInfo::btnCancel_Click);
    connect(btnHelp, &QPushButton::clicked, this, &frmProjInfo::btnHelp_Click);
    connect(Command1, &QPushButton::clicked, this, &frmProjInfo::Command1_Click);
    connect(mnuOpenSet, &QAction::triggered, this, &frmProjInfo::mnuOpenSet_Click);
    connect(mnuSaveSet, &QAction::triggered, this, &frmProjInfo::mnuSaveSet_Click);
    connect(mnuCut, &QAction::triggered, this, &frmProjInfo::mnuCut_Click);
    connect(mnuCopy, &QAction::triggered, this, &frmProjInfo::mnuCopy_Click);
    connect(mnuPaste, &QAction::triggered, this, &frmProjInfo::mnuPaste_Click);
    connect(mnuInsertRow, &QAction::triggered, this, &frmProjInfo::mnuInsertRow_Click);
    connect(mnuDeleteRow, &QAction::triggered, this, &frmProjInfo::mnuDeleteRow_Click);
    int gridNumber = 1;
    for (SpreadGrid* g : {SS, SSWell}) {
        connect(g, &SpreadGrid::gotFocus, this, [gridNumber] { modgw().ProjInfoActiveGrid = gridNumber; });
        connect(g, &SpreadGrid::cellClicked, this, [g](int row, int col) {
            g->Row = row;
            g->Col = col;
            g->BlockActive = false;
        });
        connect(g, &SpreadGrid::blockSelected, this, [g](int row, int col, int row2, int col2) {
            g->Row = row;
            g->Col = col;
            g->Row2 = row2;
            g->Col2 = col2;
            g->BlockActive = true;
        });
        ++gridNumber;
    }
}

void frmProjInfo::Form_Load() {
    if (const QScreen* s = screen()) {
        const QRect a = s->geometry();
        move(int((a.width() - width()) * 0.5), int((a.height() - height()) * 0.35));
    }
    const ProjectInfoFields f = LoadProjectInfo();
    Text3->setPlainText(f.clientText);
    SSWell->setRows(asGridRows(f.sources));
    SS->setRows(asGridRows(f.params));
    txtStartDate->setText(f.reportStartDate);
    txtEndDate->setText(f.reportEndDate);
    txtLessThan->setText(f.lessThanFactor);
    for (SpreadGrid* g : {SS, SSWell}) {
        g->setEnterAction(SpreadGrid::EnterRight);
        g->setReplaceOnEdit(modgw().CellEditMode == QLatin1String("1"));
    }
}

// ---- reading the form

void frmProjInfo::commitGrids() {
    for (SpreadGrid* g : {SS, SSWell})
        g->commitEdit();
}

QList<ParamRow> frmProjInfo::paramRows() const {
    return gridRows<10>(*SS);
}

ProjectInfoFields frmProjInfo::fields() const {
    ProjectInfoFields f;
    f.clientText = Text3->toPlainText();
    f.sources = gridRows<4>(*SSWell);
    f.params = paramRows();
    f.reportStartDate = txtStartDate->text();
    f.reportEndDate = txtEndDate->text();
    f.lessThanFactor = txtLessThan->text();
    return f;
}

// ---- OK and Cancel

void frmProjInfo::btnOK_Click() {
    commitGrids();
    const ProjectInfoResult r = ApplyProjectInfo(fields(), [] { // asked only for a changed list
        forms::showModal(forms::form<frmGWRedef>());
        forms::unload<frmGWRedef>();
        return modgw().RedefineConfirmed == -1;
    });
    if (!r.warning.isEmpty()) warn(r.warning);
    if (r.error) showError(*r.error, QStringLiteral("btnOK_Click"));
    if (r.outcome == ProjectInfoOutcome::SaveCancelled)
        reject();
    else if (r.closesForm())
        accept();
}

void frmProjInfo::btnCancel_Click() {
    reject();
}

void frmProjInfo::btnHelp_Click() {
    modgw().HelpResult = WinHelpA(this, modgw().HelpFile, help::HELP_CONTEXT, 1003);
}

void frmProjInfo::Command1_Click() {
    const bool on = !SS->gridEditMode();
    SS->setGridEditMode(on);
    SSWell->setGridEditMode(on);
}

// ---- parameter sets

void frmProjInfo::mnuOpenSet_Click() {
    FileDialogRequest r;
    r.title = QStringLiteral("Open Parameter Set File");
    r.filter = kSetFilter;
    r.initDir = ProgramFolder();
    const QString path = ui().FileDialog(r);
    if (path.isEmpty()) return;
    modgw().DialogFileName = path;
    commitGrids();
    // The set goes after the rows the grid holds now, so that edits made on the form stay.
    QList<ParamRow> list = paramRows();
    if (!LoadParameters(list)) return;
    if (list.isEmpty()) return;
    const bool redraw = SS->redraw();
    SS->setRedraw(false);
    for (int i = 0; i < list.size(); ++i)
        for (int k = 0; k < 10; ++k)
            SS->setText(i + 1, k + 1, list[i][k]);
    SS->setRedraw(redraw);
}

void frmProjInfo::mnuSaveSet_Click() {
    FileDialogRequest r;
    r.save = true;
    r.title = QStringLiteral("Save Parameter Set File As");
    r.filter = kSetFilter;
    r.initDir = ProgramFolder();
    r.overwritePrompt = true;
    const QString path = ui().FileDialog(r);
    if (path.isEmpty()) return;
    commitGrids();
    const QList<ParamRow> rows = paramRows();
    if (const QString why = UnwritableParameters(rows); !why.isEmpty()) {
        warn(why);
        return;
    }
    trap(QStringLiteral("Save Set"), [&] { WriteParameterSet(path, rows); });
}

// ---- Edit menu: the grid that last had the focus

SpreadGrid* frmProjInfo::activeGrid() const {
    return modgw().ProjInfoActiveGrid == 1 ? SS : SSWell;
}

void frmProjInfo::mnuCut_Click() {
    activeGrid()->GridAction(23);
}
void frmProjInfo::mnuCopy_Click() {
    activeGrid()->GridAction(22);
}
void frmProjInfo::mnuPaste_Click() {
    activeGrid()->GridAction(24);
}
void frmProjInfo::mnuInsertRow_Click() {
    activeGrid()->GridAction(7);
}
void frmProjInfo::mnuDeleteRow_Click() {
    activeGrid()->GridAction(5);
}
