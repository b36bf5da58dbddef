// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QAction;
class QMenu;
class QMenuBar;
class QPushButton;
class SpreadGrid;

// The colour definitions "Define Colors - <ColorFile>": the colour table edited in a grid (name, RGB
// text, the colour), kept in colour definition files through the File menu. The table in memory
// changes only by Open and by saving; OK and the close box offer to save what was edited.
class frmColor : public QDialog {
    Q_OBJECT
public:
    frmColor(); // runs Form_Load

    QMenuBar* MenuBar = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* mnuOpenColorFile = nullptr;
    QAction* mnuSaveColorFile = nullptr;
    QAction* mnuSaveColorFileAs = nullptr;
    SpreadGrid* SSColor = nullptr;
    QPushButton* btnEditMode = nullptr; // "Edit Mode"
    QPushButton* Command1 = nullptr;    // "Use Color Picker"
    QPushButton* Command2 = nullptr;    // "Refresh"
    QPushButton* Command3 = nullptr;    // "OK"
    QPushButton* Command4 = nullptr;    // "Cancel"
    QPushButton* Command5 = nullptr;    // "Help"

    // 1 once the grid was edited by the user and not saved since.
    int ColorsChanged = 0;

    void Form_Load();
    void btnEditMode_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void mnuOpenColorFile_Click();
    void mnuSaveColorFile_Click();
    void mnuSaveColorFileAs_Click();
    // Copies the grid into the table and writes it to file; true when written.
    bool savecolors(const QString& file);

protected:
    void closeEvent(QCloseEvent* event) override; // the close box is OK

private:
    void showTable();
    void showCaption();
    // After the question: true when the window may go on (No, or Yes and saved).
    bool offerSave(const QString& question);
};
