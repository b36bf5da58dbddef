// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class SpreadGrid;

// The heading and logo editor: the logo settings ("logo.txt", written by OK) and a heading file
// edited in the grid and kept through its own File menu. Which heading file the reports use is a
// setting of its own; the editor never changes it.
class frmHeadingLogo : public QDialog {
    Q_OBJECT
public:
    frmHeadingLogo();

    QMenuBar* MenuBar = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuSave = nullptr;
    QAction* mnuSaveAs = nullptr;
    QMenu* mnuEdit = nullptr;
    QAction* mnuCut = nullptr;
    QAction* mnuCopy = nullptr;
    QAction* mnuPaste = nullptr;

    QGroupBox* Frame1 = nullptr; // "Logo Information"
    QRadioButton* Option1 = nullptr; // "Use Graphic Logo"
    QRadioButton* Option2 = nullptr; // "Use Text Logo"
    QLineEdit* Textln1 = nullptr;
    QLineEdit* Textln2 = nullptr;
    QLineEdit* Textln3 = nullptr;
    QLineEdit* Textsz1 = nullptr;
    QLineEdit* Textsz2 = nullptr;
    QLineEdit* Textsz3 = nullptr;
    QLineEdit* Text2 = nullptr; // the logo bitmap
    QPushButton* Command5 = nullptr; // "Browse..."
    QLabel* Label7 = nullptr; // "Heading File:"
    SpreadGrid* SS3 = nullptr; // rows: the default texts; column 1: the texts replacing them
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;
    QPushButton* btnHelp = nullptr;

    void Form_Load();
    void btnOK_Click();
    void btnCancel_Click();
    void btnHelp_Click();
    void Command5_Click();
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    void mnuCut_Click();
    void mnuCopy_Click();
    void mnuPaste_Click();

    // The heading file the editor opened or saved last; "" until then.
    const QString& HeadingFileName() const { return headingFile_; }

private:
    void takeGrid();
    void adoptHeadingFile(const QString& path);

    QString headingFile_;
    QStringList offered_; // heading files already offered to the reports
};

// Shows the editor modally and unloads it: the main window's and the drawing window's
// Define Headings/Logo.
void ShowHeadingLogoEditor();
