// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>

class DataControl;
class QmError;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;
class SpreadGrid;

// The main window: the samples of one source in a grid, source navigation, and the menus that open
// every other window.
class frmDatAGrid : public QMainWindow {
    Q_OBJECT
public:
    frmDatAGrid();

    SpreadGrid* SS = nullptr;        // the data grid
    DataControl* datGW = nullptr;    // the current source's records, bound to SS
    QLabel* Label1 = nullptr;        // "Source: <name>"
    QLabel* Label2 = nullptr;        // "Record"
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

    ~frmDatAGrid() override;

    void Form_Load();
    void Form_Unload();
    void Timer1_Timer();
    void SetupDataGrid();

    void Command3_Click(); // Prev
    void Command4_Click(); // Next
    void Command6_Click(); // GoTo
    void Command1_Click(); // Add
    void Command2_Click(); // Delete
    void mnuCut_Click();
    void mnuCopy_Click();
    void mnuPaste_Click();
    void mnuNewProject_Click();
    void mnuOpenProject_Click();
    void mnuEditProject_Click();
    void mnuImport_Click();
    void mnuExport_Click();
    void mnuClearDB_Click();
    void mnuHelp_Click();
    void mnuAbout_Click();

    // Shows source i: the source label and the grid bound to its records. Raises QmError when the
    // records cannot be read; the grid is then empty.
    void BindSource(int i);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void fillGrid();
    void unbindGrid();
    void bindProject();
    void navigateTo(int source);
    bool openProject(const QString& path, const QString& where);
    void SS_Edited(int row, int col, int row2, int col2);
    // An empty or invalid date in the date column: the cell keeps the stored date.
    void warnBadDate();
    // False, after the warning, when no project is open.
    bool guardReports();
    // The file and layout of an import or export; false when the action ends here.
    bool chooseExchangeFile(bool save);
    // Reads the shown source's records again, the grid taking the focus.
    void refreshBinding();
    bool unloaded_ = false;
    bool warningBadDate_ = false;
};
