// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

// Builds the source summary's source list from the project's sources. OK makes the built list the
// definition's (WellList, NumWellList) and closes with Accepted; the caller shows the new list.
class frmWellWList : public QDialog {
    Q_OBJECT
public:
    frmWellWList();
    QLabel* Label1;
    QLabel* Label2;
    QListWidget* List1; // master: every project source
    QListWidget* List2; // the report's list, built here
    QPushButton* Command1; // all to List2
    QPushButton* Command2; // all to List1
    QPushButton* Command3; // selected to List2
    QPushButton* Command4; // selected to List1
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QPushButton* btnHelp;

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void btnOK_Click();
    void btnCancel_Click();
    void btnHelp_Click();
};
