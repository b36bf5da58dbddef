// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/frmprojinfo.h"

#include "app/forms/frmgwredef.h"
#include "platform/filenames.h"
#include "platform/gui/forms.h"
#include "platform/gui/controls.h"
#include "platform/gui/helpviewer.h"
#include "platform/gui/spreadgrid.h"
#include "platform/progfolder.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"
#include "platform/uiservice.h"
#include "project/helpers.h"
#include "project/modgw.h"
#include "project/sampledbops.h"

#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <optional>
#include <tuple>

namespace {

const QString kProjectFilter = QStringLiteral("Quillmare Project Files (*.qlp)|*.qlp|");
const QString kSetFilter = QStringLiteral("Parameter Set Files (*.par)|*.par|");

const QStringList kSourceHeaders = {QStringLiteral("Source"), QStringLiteral("X Pos."),
                                    QStringLiteral("Y Pos."), QStringLiteral("Ref. Elev.")};
const QStringList kParamHeaders = {QStringLiteral("Name"),      QStringLiteral("Units"),
                                   QStringLiteral("MCL/Stnd."), QStringLiteral("Scale St.,End,Inc."),
                                   QStringLiteral("Def. Text"), QStringLiteral("Full Name"),
                                   QStringLiteral("Split 1"),   QStringLiteral("Split 2"),
                                   QStringLiteral("Split 3"),   QStringLiteral("Chemical Code")};

QString rtrimBlanks(QString s) {
    while (s.endsWith(u' '))
        s.chop(1);
    return s;
}

// A field that would break the record line it is written into.
bool breaksRecord(const QString& s) {
    return s.contains(u'|') || s.contains(u'\t') || s.contains(u'\r') || s.contains(u'\n');
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

std::function<void()>& frmProjInfo::RedefineDialog() {
    static std::function<void()> f;
    return f;
}

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

    Text3 = new QPlainTextEdit(this);
    Text3->setObjectName(QStringLiteral("Text3"));
    Text3->setAccessibleName(QStringLiteral("Text3"));
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
    Form_Load();
}

void frmProjInfo::Form_Load() {
    if (const QScreen* s = screen()) {
        const QRect a = s->geometry();
        move(int((a.width() - width()) * 0.5), int((a.height() - height()) * 0.35));
    }
    ModGW& m = modgw();
    if (m.NewProjectMode != -1) {
        m.OldParamCount = m.NumParams;
        for (int i = 1; i <= m.NumParams; ++i)
            m.OldParamNames[i] = m.ParamTable[i][1];
        QString client;
        for (int i = 1; i <= 9; ++i)
            client += rtrimBlanks(m.ClientInfo[i]) + u'\n';
        client += m.ClientInfo[10];
        Text3->setPlainText(client);
        QList<QStringList> sources;
        for (int i = 1; i <= m.NumSources; ++i)
            sources << QStringList(
                {m.SourceTable[i][1], m.SourceTable[i][2], m.SourceTable[i][3], m.SourceTable[i][4]});
        SSWell->setRows(sources);
        QList<QStringList> params;
        for (int i = 1; i <= m.NumParams; ++i) {
            QStringList r;
            for (int k = 1; k <= 10; ++k)
                r << m.ParamTable[i][k];
            params << r;
        }
        SS->setRows(params);
    }
    txtStartDate->setText(m.ReportStartDate);
    txtEndDate->setText(m.ReportEndDate);
    txtLessThan->setText(m.LessThanFactor);
    for (SpreadGrid* g : {SS, SSWell}) {
        g->setEnterAction(SpreadGrid::EnterRight);
        g->setReplaceOnEdit(m.CellEditMode == QLatin1String("1"));
    }
}

// ---- reading the form

void frmProjInfo::commitGrids() {
    for (SpreadGrid* g : {SS, SSWell})
        g->commitEdit();
}

QList<SourceRow> frmProjInfo::sourceRows() const {
    QList<SourceRow> out;
    for (int r = 1; r <= SSWell->usedRowCount(); ++r)
        out << SourceRow{SSWell->text(r, 1), SSWell->text(r, 2), SSWell->text(r, 3), SSWell->text(r, 4)};
    return out;
}

QList<ParamRow> frmProjInfo::paramRows() const {
    QList<ParamRow> out;
    for (int r = 1; r <= SS->usedRowCount(); ++r) {
        ParamRow row;
        for (int k = 0; k < 10; ++k)
            row[k] = SS->text(r, k + 1);
        out << row;
    }
    return out;
}

template <class Rows> bool frmProjInfo::fieldsWritable(const Rows& rows, const QString& what) const {
    for (int r = 0; r < rows.size(); ++r)
        for (const QString& f : rows[r])
            if (breaksRecord(f)) {
                warn(QStringLiteral(
                         "%1 row %2 holds a \"|\", a Tab or a line break.  Please remove it and try again.")
                         .arg(what)
                         .arg(r + 1));
                return false;
            }
    return true;
}

bool frmProjInfo::parametersValid(const QList<ParamRow>& params) {
    ModGW& m = modgw();
    m.NewParamCount = int(params.size());
    for (int i = 1; i <= m.NewParamCount; ++i)
        m.NewParamNames[i] = params[i - 1][0];
    for (int i = 1; i <= m.NewParamCount; ++i) {
        const QString& name = m.NewParamNames[i];
        if (name.isEmpty()) {
            warn(QStringLiteral("Parameter Name #%1 is empty.  Please name it and try again.").arg(i));
            return false;
        }
        if (name.contains(u'.')) {
            warn(QStringLiteral("Parameter Name #%1 is invalid because it contains a period.  Please rename "
                                "it and try again.")
                     .arg(i));
            return false;
        }
        for (const char* own : {"Source", "Samp_Date", "Dup"})
            if (name.compare(QLatin1String(own), Qt::CaseInsensitive) == 0) {
                warn(QStringLiteral(
                         "Parameter Name #%1 is invalid because Source, Samp_Date and Dup are fields of "
                         "the database.  Please rename it and try again.")
                         .arg(i));
                return false;
            }
    }
    List1->clear();
    for (int i = 1; i <= m.NewParamCount; ++i)
        List1->addItem(m.NewParamNames[i].toUpper());
    for (int i = 1; i < List1->count(); ++i)
        if (List1->item(i)->text() == List1->item(i - 1)->text()) {
            warn(QStringLiteral("Duplicate Parameters Found - Rename and Try Again."));
            return false;
        }
    return true;
}

// ---- OK and Cancel

void frmProjInfo::btnOK_Click() {
    ModGW& m = modgw();
    commitGrids();
    m.RedefineConfirmed = 0;

    // Everything is read and checked before the project changes.
    std::array<QString, 11> client;
    m.TextLineCount = 0;
    QString text = Text3->toPlainText();
    text.replace(u'\n', QStringLiteral("\r\n"));
    Text2Array(text);
    if (m.TextLineCount == 0 && !text.trimmed().isEmpty()) return; // too many lines: reported
    for (int i = 1; i <= 10 && i <= m.TextLineCount; ++i)
        client[i] = m.TextLines[i];
    const QList<SourceRow> sources = sourceRows();
    const QList<ParamRow> params = paramRows();
    // Each box is one line of the project file.
    for (const auto& [box, name] : {std::pair{txtStartDate, "Start Date"}, std::pair{txtEndDate, "End Date"},
                                    std::pair{txtLessThan, "\"<\" Factor"}})
        if (box->text().contains(u'\r') || box->text().contains(u'\n')) {
            warn(QStringLiteral("The %1 holds a line break.  Please remove it and try again.")
                     .arg(QLatin1String(name)));
            return;
        }
    // The tables hold 500 rows; inserting rows can make a full grid longer than that.
    for (const auto& [rows, limit, what] : {std::tuple{sources.size(), ModGW::MaxSources, "Source List"},
                                            std::tuple{params.size(), ModGW::MaxParams, "Parameter List"}})
        if (rows > limit) {
            warn(QStringLiteral("The %1 holds more than %2 rows.  Please delete some and try again.")
                     .arg(QLatin1String(what))
                     .arg(limit));
            return;
        }
    if (!fieldsWritable(sources, QStringLiteral("Source"))) return;
    if (!fieldsWritable(params, QStringLiteral("Parameter"))) return;
    if (!parametersValid(params)) return;

    const bool newProject = m.NewProjectMode == -1;
    m.ParamsChanged = 0;
    if (!newProject) {
        bool changed = m.NewParamCount != m.OldParamCount;
        for (int i = 1; !changed && i <= m.NewParamCount; ++i)
            changed = m.NewParamNames[i] != m.OldParamNames[i];
        if (changed) {
            m.ParamsChanged = -1;
            if (RedefineDialog()) {
                RedefineDialog()();
            } else {
                forms::showModal(forms::form<frmGWRedef>());
                forms::unload<frmGWRedef>();
            }
        }
    }
    const bool takeParams = newProject || m.ParamsChanged == 0 || m.RedefineConfirmed == -1;

    QString newFile, newDb;
    if (newProject) {
        FileDialogRequest r;
        r.save = true;
        r.title = QStringLiteral("Save Project As...");
        r.filter = kProjectFilter;
        r.initDir = m.CentralDataPath;
        r.overwritePrompt = true;
        newFile = ui().FileDialog(r);
        if (newFile.isEmpty()) {
            reject();
            return;
        }
        newDb = newFile.left(newFile.size() - 4) + QStringLiteral(".mdb");
        if (FileExists(newDb)) {
            warn(QStringLiteral("The database %1 already exists.  Please choose another project name.")
                     .arg(newDb));
            return;
        }
    }

    const ProjectSnapshot before;
    // A rebuilt database and its project file go together: the new file is staged beside the old one
    // and put in place only once the database is rebuilt, so a failed rebuild leaves both as they were.
    const bool redefine = m.RedefineConfirmed == -1;
    const bool hadFile = redefine && FileExists(m.ProjectFile);
    for (int i = 1; i <= 10; ++i)
        m.ClientInfo[i] = client[i];
    m.ReportStartDate = txtStartDate->text();
    m.ReportEndDate = txtEndDate->text();
    m.LessThanFactor = txtLessThan->text();
    for (int i = 1; i <= m.NumSources; ++i)
        for (int k = 1; k <= 4; ++k)
            m.SourceTable[i][k].clear();
    m.NumSources = int(sources.size());
    for (int i = 1; i <= m.NumSources; ++i)
        for (int k = 1; k <= 4; ++k)
            m.SourceTable[i][k] = sources[i - 1][k - 1];
    if (takeParams) {
        for (int i = 1; i <= m.NumParams; ++i)
            for (int k = 1; k <= 10; ++k)
                m.ParamTable[i][k].clear();
        m.NumParams = int(params.size());
        for (int i = 1; i <= m.NumParams; ++i)
            for (int k = 1; k <= 10; ++k)
                m.ParamTable[i][k] = params[i - 1][k - 1];
    }

    if (newProject) {
        m.ProjectFile = newFile;
        m.DatabaseFile = newDb;
        m.DataFolder = qfile::FolderOf(newFile);
        if (!CreateDb()) {
            before.restore();
            return;
        }
    }
    std::optional<qtext::PendingFile> staged;
    try {
        if (redefine) staged.emplace(m.ProjectFile, ProjectFileLines());
        else WriteProjectFile(m.ProjectFile);
    } catch (const QmError& e) {
        showError(e, QStringLiteral("btnOK_Click"));
        if (newProject) QFile::remove(qfile::Resolve(newDb));
        before.restore();
        return;
    }
    if (redefine) {
        if (!RedefineDb()) {
            // The staged file is dropped; a project file that could not be read gets the project as
            // it stood before OK rather than nothing.
            before.restore();
            if (!hadFile) {
                try {
                    WriteProjectFile(m.ProjectFile);
                } catch (const QmError& e) {
                    showError(e, QStringLiteral("btnOK_Click"));
                }
            }
            return;
        }
        // The tables now match the rebuilt database: the form closes even when the file cannot be
        // put in place, and the next OK of the form writes it.
        try {
            staged->commit();
        } catch (const QmError& e) {
            showError(e, QStringLiteral("btnOK_Click"));
        }
    }
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
    if (!fieldsWritable(rows, QStringLiteral("Parameter"))) return;
    try {
        WriteParameterSet(path, rows);
    } catch (const QmError& e) {
        showError(e, QStringLiteral("Save Set"));
    }
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
