// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "project/projectinfo.h"

#include <QDialog>

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
// "<" factor of a new project (NewProjectMode -1) or of the open one. OK hands the fields to
// ApplyProjectInfo (project/projectinfo.h), which checks everything before it changes the project,
// then writes the project file and creates or rebuilds the database; a changed parameter list is
// confirmed in the redefine dialog frmGWRedef, shown through forms::showModal.
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
    QListWidget* List1; // hidden and sorted; the duplicate check itself is ApplyProjectInfo's
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

private:
    void layoutControls();
    void connectControls();
    SpreadGrid* activeGrid() const;
    void commitGrids();
    QList<ParamRow> paramRows() const;
    ProjectInfoFields fields() const;
};
