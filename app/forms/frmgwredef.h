// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class SpreadGrid;

// Confirms a changed parameter list: for each new parameter the old field its values come from.
// OK leaves that mapping in OldParamNames and sets RedefineConfirmed to -1; Cancel sets it to 0.
class frmGWRedef : public QDialog {
    Q_OBJECT
public:
    frmGWRedef();

    SpreadGrid* SS;
    QLabel* Label1;
    QPushButton* Command1; // OK
    QPushButton* Command2; // Cancel

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
};
