// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;

// The main window: the samples of one source in a grid, source navigation, and the menus that open
// every other window.
class frmDatAGrid : public QMainWindow {
    Q_OBJECT
public:
    frmDatAGrid();

    QWidget* SS = nullptr;       // the data grid
    QLabel* Label1 = nullptr;    // "Source: <name>"
    QLabel* Label2 = nullptr;    // "Record"
    QPushButton* Command3 = nullptr; // Prev
    QPushButton* Command4 = nullptr; // Next
    QPushButton* Command6 = nullptr; // GoTo
    QPushButton* Command1 = nullptr; // Add
    QPushButton* Command2 = nullptr; // Delete
    QTimer* Timer1 = nullptr;

    QMenu* mnuFile = nullptr;
    QAction* mnuNewProject = nullptr;
    QAction* mnuOpenProject = nullptr;
    QAction* mnuEditProject = nullptr;
    QAction* mnuImport = nullptr;
    QAction* mnuExport = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuEdit = nullptr;
    QAction* mnuCut = nullptr;
    QAction* mnuCopy = nullptr;
    QAction* mnuPaste = nullptr;
    QMenu* mnuReports = nullptr;
    QAction* mnuSourceSummary = nullptr;
    QAction* mnuParameterSummary = nullptr;
    QAction* mnuDateSummary = nullptr;
    QAction* mnuDateContour = nullptr;
    QAction* mnuStiff = nullptr;
    QAction* mnuGWElev = nullptr;
    QMenu* mnuUtilities = nullptr;
    QAction* mnuClearDatabase = nullptr;
    QAction* mnuGraphicsSystem = nullptr;
    QAction* mnuHeadingLogo = nullptr;
    QAction* mnuHelp = nullptr;
    QAction* mnuAbout = nullptr;

    void Form_Load();
    void Form_Unload();
    void Timer1_Timer();
    void mnuHelp_Click();
    void mnuAbout_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    bool unloaded_ = false;
};
