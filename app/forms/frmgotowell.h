// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

// Picks one source of the open project by name; the choice is left in GoToSource (0 for none).
class frmGoToWell : public QDialog {
    Q_OBJECT
public:
    frmGoToWell();
    QLabel* Label1;
    QListWidget* List1;
    QPushButton* Command1; // OK
    QPushButton* Command2; // Cancel

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void List1_DblClick();
};
