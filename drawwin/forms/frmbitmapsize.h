// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// "Size of Bitmap": the pixel size a drawing is saved at as a bitmap, proposed from the sheet after
// a change of paper size, the other side following while "Constrain Proportions" is ticked. OK
// stores it (BitmapWidth, BitmapHeight, "DEVICE.CFG"); the close box cancels the save.
class frmBitmapSize : public QDialog {
    Q_OBJECT
public:
    frmBitmapSize(); // runs Form_Load

    QLineEdit* Text1 = nullptr;    // "Width (pixels)"
    QLineEdit* Text2 = nullptr;    // "Height (pixels)"
    QCheckBox* Check1 = nullptr;   // "Constrain Proportions"
    QPushButton* Command1 = nullptr; // "OK"

    void Form_Load();
    void Text1_Change();
    void Text2_Change();
    void Command1_Click();

private:
    bool updating_ = false; // while one box is written from the other
};
