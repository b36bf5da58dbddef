// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

// "Choose New Drawing Size": a paper size from the list, or typed, and its orientation. OK sets
// PaperWidth, PaperHeight and NewDrawingConfirmed; Cancel and the close box leave them.
class frmNewDrawing : public QDialog {
    Q_OBJECT
public:
    frmNewDrawing(); // runs Form_Load

    QListWidget* List1 = nullptr;  // "Paper Size"
    QLineEdit* Text1 = nullptr;    // "Horizontal"
    QLineEdit* Text2 = nullptr;    // "Vertical"
    QLineEdit* Text3 = nullptr;    // "Units"
    QRadioButton* Option2 = nullptr; // "Portrait"
    QRadioButton* Option1 = nullptr; // "Landscape"
    QPushButton* Command1 = nullptr; // "OK"
    QPushButton* Command2 = nullptr; // "Cancel"
    QPushButton* Command3 = nullptr; // "Help"

    void Form_Load();
    void List1_Click();
    void Option1_Click();
    void Option2_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

private:
    void swapSides();
};
