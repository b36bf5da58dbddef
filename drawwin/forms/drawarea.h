// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawwin/toolbar.h"
#include "drawwin/zoom.h"
#include "reports/windowhooks.h"

#include <QDialog>
#include <QHash>
#include <QPixmap>

class DrawView;
class MDrawPro;
class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QMenuBar;
class QTimer;
class QToolBar;

// The drawing window "Screen Preview": every report page and every edit of a drawing is shown here,
// in MDraw, which shows the page's drawing control. The report drivers show it modally once per page;
// Next Page hides it and the run goes on, Exit Screen Preview and the close box leave the preview.
class DrawArea : public QDialog {
    Q_OBJECT
public:
    DrawArea(); // runs Form_Load
    ~DrawArea() override;

    // Shows the window modally for one report page; returns when the user goes on or leaves, and
    // which. A window closed by its close box is unloaded here, and the next page loads it anew.
    static PreviewResult ShowPage();

    // ---- controls
    QMenuBar* menuBar = nullptr;
    QToolBar* Toolbar1 = nullptr;       // buttons 1 to 19
    QToolBar* PagingBar = nullptr;      // buttons 20 to 23, kept in view beside Toolbar1
    QHash<QString, QPixmap> ImageList1; // the tool pictures by key
    DrawView* MDraw = nullptr;          // the page
    DrawView* MDraw3 = nullptr;         // the style palette strip
    QTimer* Timer1 = nullptr;           // palette single/double click
    QTimer* Timer3 = nullptr;           // deferred palette commands
    QListWidget* List1 = nullptr;
    QLabel* lblCurrentX = nullptr;
    QLabel* lblStatus = nullptr; // status line under the page

    // Toolbar buttons by position 1 to 23, across both bars.
    QAction* Button(int position) const;
    QString ButtonImage(int position) const; // the picture key a button shows, "" for none

    // ---- menus
    QMenu *mnuFile, *mnuDrawing, *mnuEdit, *mnuZoom, *mnuTools, *mnuUtilities;
    QAction *mnuPrint, *mnuPrintSetup, *mnuExit;
    QAction *mnuNewDrawing, *mnuOpenDrawing, *mnuSaveDrawing, *mnuSaveDrawingAs;
    QAction *mnuUndo, *mnuCut, *mnuCopy, *mnuPaste, *mnuMoveUp, *mnuMoveBack, *mnuMoveToFront, *mnuMoveToBack,
        *mnuGroup, *mnuUnGroup;
    QAction *mnuZoomWindow, *mnuZoomScreenWidth, *mnuZoomPage, *mnuRefresh;
    QAction *mnuAddNodes, *mnuSelect;
    QAction *mnuGraphicsSystem, *mnuDefineHeadingsLogo, *mnuDefineColors, *mnuChooseFill, *mnuChooseColor;
    QAction* mnuHelp;

    // ---- operations other code calls
    void nextpage();
    void zoompage();
    void zoomscreenwidth();
    void ZoomIn(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    MDrawPro& palette() { return *palette_; }

    // ---- handlers
    void Form_Load();
    void Form_Activate();
    void Form_Unload();
    void mnuExit_Click();
    void mnuHelp_Click();
    void mnuZoomWindow_Click();
    void mnuChooseFill_Click();
    void mnuChooseColor_Click();
    void mnuDefineColors_Click();
    void mnuGraphicsSystem_Click();
    void MDraw3_ObjectClicked();
    void MDraw3_PointClicked(int button, int shift, double x, double y);
    void Timer1_Timer();
    void Timer3_Timer();
    void Toolbar1_ButtonClick(QAction* button);
    void mnuAddNodes_Click();
    void mnuSelect_Click();
    void MDraw_PointClicked(int button, int shift, double x, double y);
    void MDraw_ObjectClicked();
    void MDraw_KeyDown(int keyCode, int shift);
    void mnuNewDrawing_Click();
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    void mnuPrint_Click();
    void mnuPrintSetup_Click();
    void MDraw_EditAction(int code);
    void mnuUndo_Click();
    void mnuCut_Click();
    void mnuCopy_Click();
    void mnuPaste_Click();
    void mnuGroup_Click();
    void mnuUnGroup_Click();
    void mnuMoveUp1_Click();
    void mnuMoveBack1_Click();
    void mnuMovetoFront_Click();
    void mnuMovetoBack_Click();
    void mnuRefresh_Click();

    // The buttons' pressed states and the node button's picture, as the tool commands take them.
    ToolButtons buttonStates() const;
    void setButtonStates(const ToolButtons& states);

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitPalette(); // every swatch in view, whatever the strip's height
    void buildMenus();
    void buildToolbar();
    void connectFileCommands(); // the File and Drawing menus (drawareafiles.cpp)

    MDrawPro* palette_ = nullptr;
    QList<QAction*> buttons_;
    bool unloadRequested_ = false;
    bool leftPreview_ = false; // Exit Screen Preview or the close box since the page was shown
    bool leftProgram_ = false; // the program lost the focus since the window was last active
};

// Fits the width of a drawing control's sheet to the control, top edge at the top, as Zoom Screen
// Width does; the palette strip and the fill chooser show their sheets so.
void FitViewToWidth(DrawView& view);

// Fills in the start-up and report steps that belong to the drawing window: the shipped pictures,
// the fill chooser loaded hidden at start-up and unloaded at shut-down, and the preview of report pages.
void RegisterDrawingWindow();
