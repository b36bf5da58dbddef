// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

// The run dialog: the user picks the items of the current definition (ReportCode says which kind)
// and OK runs the report for them.
class frmDrawPrint : public QDialog {
    Q_OBJECT
public:
    frmDrawPrint();
    QListWidget* List1;
    QRadioButton* Option1; // Select All
    QPushButton* Command1; // OK
    QPushButton* Command2; // Cancel
    QLabel* Label1;        // the run's progress line

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Option1_Click();
    void List1_Click();
    void List1_DblClick();
};

// Shows the run dialog for the definition forms' Preview and Batch Print, and its progress line
// for the run.
void RegisterRunDialog();
