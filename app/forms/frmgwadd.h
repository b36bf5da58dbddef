// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class SpreadGrid;

// Add Records: new sample records typed one a column (source, date, duplicate code, then one row per
// parameter) and appended in one transaction. OK closes the dialog only when every record was stored.
class frmGWAdd : public QDialog {
    Q_OBJECT
public:
    frmGWAdd();

    SpreadGrid* SSAdd;
    QLabel* Label1; // "Master Source List"
    QListWidget* List1;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QPushButton* btnHelp;

    void Form_Load();
    void List1_Click();
    void btnOK_Click();
    void btnCancel_Click();
};
