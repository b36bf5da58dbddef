// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportdefs/forms/frmdatecontour.h"

#include "platform/gui/controls.h"
#include "reportdefs/forms/datepicks.h"
#include "platform/gui/spreadgrid.h"
#include "project/modgw.h"
#include "project/typeddates.h"
#include "reports/contourrun.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

using Cells = DateContourGrids;

constexpr int MethodRow = 4;
constexpr int ScaleRow = 5;
constexpr int EpisodeRow = 5; // of the report information

const QStringList kInfoRows = {QStringLiteral("Main Title"),         QStringLiteral("Sec. Title, Line 1"),
                               QStringLiteral("Sec. Title, Line 2"), QStringLiteral("Sec. Title, Line 3"),
                               QStringLiteral("Episode Start,End"),  QStringLiteral("Page Text")};
const QStringList kMapRows = {QStringLiteral("Base Map File"),       QStringLiteral("X: Start, End"),
                              QStringLiteral("Y: Start, End"),       QStringLiteral("Gridding Method"),
                              QStringLiteral("Scale Type"),          QStringLiteral("Fill Contours (Y/N)"),
                              QStringLiteral("View (2D/3D,Rot,Tilt)")};

} // namespace

frmDateContour::frmDateContour() : ReportForm(ReportKind::DateContour) {
    List2 = MakeList2();
    SS1 = MakeGrid(QStringLiteral("SS1"), Cells::ParamRows, {QStringLiteral("Par. Name")});
    SS2 = MakeGrid(QStringLiteral("SS2"), Cells::SourceRows,
                   {QStringLiteral("Source"), QStringLiteral("X Pos."), QStringLiteral("Y Pos.")});
    SS3 = MakeRows(QStringLiteral("SS3"), kInfoRows);
    SS4 = MakeRows(QStringLiteral("SS4"), kMapRows);
    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("Text1"));
    // One note line per line of the box: the lines are cut only where the user pressed Enter.
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text1->setTabChangesFocus(true);
    CtrlTabLeaves(Text1);
    Label1 = Caption(QStringLiteral("Master Parameter List"), List1, QStringLiteral("Label1"));
    Label2 = Caption(QStringLiteral("Master Source List"), List2, QStringLiteral("Label2"));
    Label3 = Caption(QStringLiteral("Chosen Parameter(s)"), SS1, QStringLiteral("Label3"));
    Label4 = Caption(QStringLiteral("Chosen Sources"), SS2, QStringLiteral("Label4"));
    Label5 = Caption(QStringLiteral("Report Information"), SS3, QStringLiteral("Label5"));
    Label6 = Caption(QStringLiteral("Map Information"), SS4, QStringLiteral("Label6"));
    Label7 = Caption(QStringLiteral("Notes"), Text1, QStringLiteral("Label7"));
    Command1 = NamedButton(this, QStringLiteral("Command1"), QStringLiteral("Edit Mode"));

    // The master lists and the button on the left; parameters and sources; then the report and
    // map information with the notes box below them.
    auto* lay = new QGridLayout(this);
    lay->setMenuBar(MenuBar);
    QVBoxLayout* lists = ListColumn(Label1, 1, Label2, 1);
    lists->addWidget(Command1);
    auto* chosen = new QVBoxLayout;
    chosen->addWidget(Label3);
    chosen->addWidget(SS1);
    chosen->addSpacing(8);
    chosen->addWidget(Label4);
    chosen->addWidget(SS2);
    chosen->addStretch();
    auto* info = new QVBoxLayout;
    info->addWidget(Label5);
    info->addWidget(SS3);
    info->addSpacing(8);
    info->addWidget(Label6);
    info->addWidget(SS4);
    info->addSpacing(8);
    info->addWidget(Label7);
    info->addWidget(Text1, 1);
    lay->addLayout(lists, 0, 0);
    lay->addLayout(chosen, 0, 1);
    lay->addLayout(info, 0, 2);
    lay->setColumnStretch(3, 1);
    List1->setMinimumWidth(150);
    sizeGrids();

    OnPick(List1, [this] { List1_Click(); });
    OnPick(List2, [this] { List2_Click(); });
    connect(Command1, &QPushButton::clicked, this, &frmDateContour::Command1_Click);
    connect(SS2, &SpreadGrid::cellClicked, this, &frmDateContour::SS2_Click);
    connect(SS3, &SpreadGrid::cellClicked, this, &frmDateContour::SS3_Click);
    connect(SS4, &SpreadGrid::cellClicked, this, &frmDateContour::SS4_Click);
    connect(Text1, &QPlainTextEdit::textChanged, this, &frmDateContour::Text1_Change);
    Form_Load();
}

// ---- grids

void frmDateContour::SetupGrids() {
    FillSourceList(List2);
    // The episode row may name several episodes, parted by ";": each is checked.
    SS3->setTextCheck([](int row, int, const QString& text) {
        if (row != EpisodeRow) return QString();
        for (const QString& episode : ContourEpisodes(text))
            if (const QString problem = typeddates::Problem(typeddates::Field::ContourEpisode, episode); !problem.isEmpty())
                return problem;
        return QString();
    });

    // Only picks put a parameter's number behind its name; a typed name would reach nothing.
    SS1->setColumnLocked(1, true);
    QString methods;
    for (const QString& method : DateContourMethods())
        methods += method + u'\t';
    SS4->setDropDownTabList(MethodRow, 1, methods);
    SS4->setDropDown(ScaleRow, 1, {QStringLiteral("Proportional"), QStringLiteral("Exaggerated")});
}

// Fixed sizes, before the load centres the form on them.
void frmDateContour::sizeGrids() {
    SS1->setColWidth(1, 16);
    FitGrid(SS1);
    SS2->setColWidth(0, 4);
    SS2->setColWidth(1, 14);
    SS2->setColWidth(2, 9);
    SS2->setColWidth(3, 9);
    FitColumns(SS2, 16);
    SS3->setColWidth(1, 32);
    FitGrid(SS3);
    SS4->setColWidth(1, 32);
    FitGrid(SS4);
    Text1->setMinimumHeight(12 * Text1->fontMetrics().lineSpacing());
}

QList<SpreadGrid*> frmDateContour::Grids() const { return {SS1, SS2, SS3, SS4}; }
QList<SpreadGrid*> frmDateContour::TypedGrids() const { return {SS3, SS4}; }

// A click marks the definition changed whether or not a value then changes; SS1 is written only
// by picks and Delete, which mark it themselves.
void frmDateContour::SS2_Click() { MarkChanged(); }
void frmDateContour::SS3_Click() { MarkChanged(); }
void frmDateContour::SS4_Click() { MarkChanged(); }

// Notes typed and then left unsaved would be lost without a question.
void frmDateContour::Text1_Change() { MarkChanged(); }

void frmDateContour::setNotesText(const QString& text) {
    const QSignalBlocker quiet(Text1); // the form's own writing is no edit
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    Text1->setPlainText(t);
}

// ---- the definition

void frmDateContour::ClearForm() {
    if (const int used = SS1->usedRowCount()) SS1->clearBlock({1, 1, used, 1});
    if (const int used = SS2->usedRowCount()) SS2->clearBlock({1, 1, used, 3});
    SS3->clearBlock({1, 1, Cells::InfoRows, 1});
    // The gridding method and the scale type stay for the next definition.
    SS4->clearBlock({1, 1, MethodRow - 1, 1});
    SS4->clearBlock({ScaleRow + 1, 1, Cells::MapRows, 1});
    setNotesText(QString());
}

void frmDateContour::ClearDefinition() { ClearDateContourFile(); }

std::function<void()> frmDateContour::LoadDefinition(const QString& path) {
    return Committing(LoadDateContourFile(path), [this](const DateContourFileData& data) {
        CommitDateContour(data);
        // The contour run names its files after the definition it draws.
        modgw().ContourFileTitle = ContourFileTitleOf(CurrentPath());
    });
}

void frmDateContour::FillForm() { FillDateContourForm(); }

void frmDateContour::FillDateContourForm() {
    FillGrids(QStringLiteral("FillDateContourForm"), [&] {
        const ModGW& m = modgw();
        const Cells g = DateContourGridsOf(m.DateSum, m.ReportNotes, m);
        for (int r = 1; r <= Cells::ParamRows; ++r)
            SS1->setText(r, 1, g.SS1[r]);
        for (int r = 1; r <= Cells::SourceRows; ++r)
            for (int c = 1; c <= 3; ++c)
                SS2->setText(r, c, g.SS2[r][c]);
        for (int r = 1; r <= Cells::InfoRows; ++r)
            SS3->setText(r, 1, g.SS3[r]);
        for (int r = 1; r <= Cells::MapRows; ++r)
            SS4->setText(r, 1, g.SS4[r]);
        setNotesText(g.Text1);
    });
}

DateContourGrids frmDateContour::GridsOnForm() const {
    Cells g;
    for (int r = 1; r <= Cells::ParamRows; ++r)
        g.SS1[r] = SS1->text(r, 1);
    for (int r = 1; r <= Cells::SourceRows; ++r)
        for (int c = 1; c <= 3; ++c)
            g.SS2[r][c] = SS2->text(r, c);
    for (int r = 1; r <= Cells::InfoRows; ++r)
        g.SS3[r] = SS3->text(r, 1);
    for (int r = 1; r <= Cells::MapRows; ++r)
        g.SS4[r] = SS4->text(r, 1);
    g.Text1 = Text1->toPlainText();
    return g;
}

bool frmDateContour::WriteDefinition(const QString& path) {
    if (!SaveDateContourForm(GridsOnForm(), path)) return false;
    // Save As names a new current definition; a Save gives the same title again.
    modgw().ContourFileTitle = ContourFileTitleOf(path);
    return true;
}

// The form keeps its notes in Text1; it has no notes editor.
int frmDateContour::ItemCount() { return 0; }

void frmDateContour::Closing() { ForgetNotes(modgw().DateSum.DateEpisodeCount); }

// ---- picks and delete

void frmDateContour::List1_Click() {
    Pick(List1, modgw().NumParams, [&](int p) { PickDateParameter(*SS1, p, Cells::ParamRows); });
}

void frmDateContour::List2_Click() {
    Pick(List2, modgw().NumSources,
         [&](int s) { PickDateSource(*SS2, s, Cells::SourceRows, {{1, 1}, {2, 2}, {3, 3}}); });
}

void frmDateContour::mnuDelete_Click() {
    DeleteRow(SS1, Cells::ParamRows, [](int r) { modgw().DateSum.DateParams[r] = 0; });
}

// ---- buttons

void frmDateContour::Command1_Click() {
    trap(QStringLiteral("Command1_Click"), [&] { EditMode(); });
}
