// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QPushButton;
class SpreadGrid;

// The colour chooser "Choose Color": the named colours in five Name/Color column pairs of 30 rows. A
// click on a colour or its name picks it into ChosenColor and closes; "Use Color Picker" offers the
// platform's colour dialog instead. Cancel and the close box leave ChosenColor -1. From the keyboard
// the arrows move over the grid, Enter or Space picks as a click does and Escape cancels.
class frmChooseColor : public QDialog {
    Q_OBJECT
public:
    frmChooseColor(); // runs Form_Load

    SpreadGrid* SSColor = nullptr;
    QPushButton* Command1 = nullptr; // "Use Color Picker"
    QPushButton* Command2 = nullptr; // "Cancel"

    void Form_Load();
    void SSColor_Click(int row, int col);
    void Command1_Click();
    void Command2_Click();

protected:
    void reject() override; // the close box and Escape cancel
    bool eventFilter(QObject* watched, QEvent* event) override;
};
