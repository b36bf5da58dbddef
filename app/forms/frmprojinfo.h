// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "project/projectfile.h"

#include <QDialog>
#include <functional>

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class SpreadGrid;

// The project information form: client lines, source list, parameter list, report date window and
// "<" factor of a new project (NewProjectMode -1) or of the open one. OK checks everything before
// it changes the project, then writes the project file and creates or rebuilds the database.
class frmProjInfo : public QDialog {
    Q_OBJECT
public:
    frmProjInfo();

    QMenuBar* MenuBar;
    QMenu* mnuParameters;
    QAction* mnuOpenSet;
    QAction* mnuSaveSet;
    QMenu* mnuEdit;
    QAction* mnuCut;
    QAction* mnuCopy;
    QAction* mnuPaste;
    QAction* mnuInsertRow;
    QAction* mnuDeleteRow;

    QPlainTextEdit* Text3; // client lines
    SpreadGrid* SSWell;    // sources
    SpreadGrid* SS;        // parameters
    QLineEdit* txtStartDate;
    QLineEdit* txtEndDate;
    QLineEdit* txtLessThan;
    QListWidget* List1; // hidden, sorted: the duplicate check
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QPushButton* btnHelp;
    QPushButton* Command1; // Edit Mode

    void Form_Load();
    void btnOK_Click();
    void btnCancel_Click();
    void btnHelp_Click();
    void Command1_Click();
    void mnuOpenSet_Click();
    void mnuSaveSet_Click();
    void mnuCut_Click();
    void mnuCopy_Click();
    void mnuPaste_Click();
    void mnuInsertRow_Click();
    void mnuDeleteRow_Click();

    // When set, shown instead of the redefine dialog frmGWRedef (tests); it sets RedefineConfirmed.
    static std::function<void()>& RedefineDialog();

private:
    SpreadGrid* activeGrid() const;
    void commitGrids();
    QList<SourceRow> sourceRows() const;
    QList<ParamRow> paramRows() const;
    // Warns and gives false when a field of a used row holds "|", a Tab or a line break.
    template <class Rows> bool fieldsWritable(const Rows& rows, const QString& what) const;
    bool parametersValid(const QList<ParamRow>& params);
};
