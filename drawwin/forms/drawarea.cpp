// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/forms/drawarea.h"

#include "drawcmd/pagecanvas.h"
#include "drawwin/drawwinstate.h"
#include "drawwin/editing.h"
#include "drawwin/forms/frmchoosecolor.h"
#include "drawwin/forms/frmcolor.h"
#include "drawwin/forms/frmfill.h"
#include "drawwin/forms/frmgraphicssystem.h"
#include "drawwin/windowhooks.h"
#include "drawwin/palette.h"
#include "drawwin/shippedpictures.h"
#include "platform/drawing/picture.h"
#include "platform/files.h"
#include "platform/gui/drawview.h"
#include "platform/gui/controls.h"
#include "platform/gui/forms.h"
#include "platform/gui/helpviewer.h"
#include "platform/qmerror.h"
#include "platform/timings.h"
#include "platform/uiservice.h"
#include "project/modgw.h"
#include "reportdefs/forms/frmheadinglogo.h"

#include <QAction>
#include <QApplication>
#include <QBitmap>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <cmath>

namespace {

constexpr int ButtonCount = 23;
constexpr int FirstPagingButton = 20; // the separator before Previous Page, Next Page and Goto Page
constexpr int PaletteWidthPx = 615 / 15; // the palette strip keeps its designed width

struct ButtonSetup {
    const char* image; // nullptr: no picture
    const char* key;
    int style; // 0 push, 1 check, 3 separator
    const char* tip;
    const char* item; // its entry in the Tools menu, by which the keyboard reaches it
};

const ButtonSetup kButtons[ButtonCount] = {
    {"addnode", "Add Node", 1, "Add Nodes", "&Add Nodes"},
    {"shownode", "ShowHide Nodes", 0, "Show/Hide Nodes", "S&how/Hide Nodes"},
    {"select", "Select Objects", 1, "Object Select/Move/Resize/Delete", "&Select - Move - Resize"},
    {"rotate", "Rotate Objects", 1, "Rotate Objects", "&Rotate Objects"},
    {nullptr, "", 3, "", nullptr},
    {"nodepoly", "Add Node Polygon", 0, "Add Node Polygon", "Add Node &Polygon"},
    {"nodelens", "Add Node Lens", 0, "Add Node Lens", "Add Node L&ens"},
    {"nodeline", "Add Node Line", 0, "Add Node Line", "Add Node &Line"},
    {"nodearrow", "Add Node Arrow", 0, "Add Node Arrow", "Add Node Arro&w"},
    {nullptr, "", 3, "", nullptr},
    {"freepoly", "Free Polygon", 1, "Draw Freehand Polygon", "Draw Freehand Pol&ygon"},
    {"freeline", "Free Line", 1, "Draw Freehand Line", "Draw Freehand Li&ne"},
    {"freerect", "Free Rectangle", 1, "Draw Freehand Rectangle", "Draw Freehand Re&ctangle"},
    {"freeroundrect", "Free Rounded Rect", 1, "Draw Freehand Rounded Rectangle", "Draw Freehand R&ounded Rectangle"},
    {"free-ellipse", "Free Ellipse", 1, "Draw Freehand Ellipse", "Draw Freehand Ell&ipse"},
    {"freetext", "Free Text", 1, "Add Freehand Text", "Add Freehand &Text"},
    {"freeimage", "Free Image", 1, "Add Symbol", "Add Sy&mbol"},
    {"freetextdialog", "Free Text Dialog", 0, "Show Font Dialog", "Show &Font Dialog"},
    {"freeimagedialog", "Free Image Dialog", 0, "Select Symbol Bitmap File", "Select Symbol &Bitmap File"},
    {nullptr, "", 3, "", nullptr},
    {"prevarrow", "Previous Page", 0, "Previous Page", "Pre&vious Page"},
    {"nextarrow", "Next Page", 0, "Next Page", "Ne&xt Page"},
    {"gotopage", "Goto Page", 0, "Goto Page", "&Goto Page"},
};

const char* const kImageProperty = "image";

zoom::Geometry geometryOf(const DrawView& view) {
    const draw::DrawModel& d = *view.model();
    return {d.pageWidth(), d.pageHeight(), double(view.ClientWidth()), double(view.ClientHeight()),
            double(view.width()), double(view.height())};
}

// Redraw is off while the view values change, so the control paints once.
void applyView(DrawView& view, const zoom::View& v) {
    draw::DrawModel& d = *view.model();
    d.setRedraw(false);
    view.ViewWidth(v.width);
    view.ViewHeight(v.height);
    if (v.setsLeft) view.ViewLeft(v.left);
    view.ViewTop(v.top);
    d.setRedraw(true);
}

// A tool picture as the toolbar shows it: its white is the toolbar's own background.
QPixmap toolPixmap(const QImage& img) {
    QPixmap pm = QPixmap::fromImage(img);
    pm.setMask(pm.createMaskFromColor(Qt::white));
    return pm;
}

} // namespace

DrawArea::DrawArea() {
    setObjectName(QStringLiteral("DrawArea"));
    setWindowTitle(QStringLiteral("Screen Preview"));
    setSizeGripEnabled(true);
    palette_ = new MDrawPro(this);

    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    Toolbar1 = new QToolBar(this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setAccessibleName(QStringLiteral("Toolbar1"));
    Toolbar1->setIconSize(QSize(24, 24));
    Toolbar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    Toolbar1->setMovable(false);
    // The paging buttons sit in a bar of their own at the right end that never gives up room: on a
    // narrow screen the tool buttons go to the overflow menu, Next Page stays in view.
    PagingBar = new QToolBar(this);
    PagingBar->setObjectName(QStringLiteral("PagingBar"));
    PagingBar->setAccessibleName(QStringLiteral("PagingBar"));
    PagingBar->setIconSize(Toolbar1->iconSize());
    PagingBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    PagingBar->setMovable(false);
    PagingBar->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);

    MDraw = new DrawView(this);
    MDraw->setObjectName(QStringLiteral("MDraw"));
    MDraw->setAccessibleName(QStringLiteral("MDraw"));
    MDraw->setModel(&pageDrawing());
    MDraw3 = new DrawView(this);
    MDraw3->setObjectName(QStringLiteral("MDraw3"));
    MDraw3->setAccessibleName(QStringLiteral("MDraw3"));
    MDraw3->setModel(palette_);
    MDraw3->setFixedWidth(PaletteWidthPx);
    MDraw3->installEventFilter(this);

    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setAccessibleName(QStringLiteral("List1"));
    List1->hide();
    lblCurrentX = new QLabel(QStringLiteral("Invisible CurrentX"), this);
    lblCurrentX->setObjectName(QStringLiteral("lblCurrentX"));
    lblCurrentX->hide();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(timings().paletteClickMs);
    connect(Timer1, &QTimer::timeout, this, &DrawArea::Timer1_Timer);
    Timer3 = new QTimer(this);
    Timer3->setObjectName(QStringLiteral("Timer3"));
    Timer3->setInterval(timings().deferredCommandMs);
    connect(Timer3, &QTimer::timeout, this, &DrawArea::Timer3_Timer);
    Timer3->start();

    // The toolbar across the top; under it the palette strip at its own width and the page beside it.
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    lay->setMenuBar(menuBar);
    auto* bars = new QHBoxLayout;
    bars->setSpacing(0);
    bars->addWidget(Toolbar1, 1);
    bars->addWidget(PagingBar);
    lay->addLayout(bars);
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    row->addWidget(MDraw3);
    row->addWidget(MDraw, 1);
    lay->addLayout(row, 1);
    // The status line: what the last print sent where.
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setContentsMargins(4, 2, 4, 2);
    lay->addWidget(lblStatus);

    if (const QScreen* s = screen()) {
        const QRect avail = s->availableGeometry();
        resize(int(avail.width() * 0.85), int(avail.height() * 0.85));
        move(avail.center() - rect().center());
    }

    buildMenus();
    buildToolbar();
    connect(&pageDrawing(), &draw::DrawModel::pointClicked, this, &DrawArea::MDraw_PointClicked);
    connect(&pageDrawing(), &draw::DrawModel::objectClicked, this, &DrawArea::MDraw_ObjectClicked);
    connect(&pageDrawing(), &draw::DrawModel::keyDown, this, &DrawArea::MDraw_KeyDown);
    connect(&pageDrawing(), &draw::DrawModel::editAction, this, &DrawArea::MDraw_EditAction);
    // The zoom frame is no drawing of the user's: it is neither styled by Escape nor a change.
    connect(MDraw, &DrawView::objectDrawn, this, [](draw::Long id) {
        if (drawwin().ZoomWindowPending != 1) ObjectDrawn(id);
    });
    connect(palette_, &draw::DrawModel::objectClicked, this, &DrawArea::MDraw3_ObjectClicked);
    connect(palette_, &draw::DrawModel::pointClicked, this, &DrawArea::MDraw3_PointClicked);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive) leftProgram_ = true;
    });
    Form_Load();
}

DrawArea::~DrawArea() = default;

void DrawArea::buildMenus() {
    auto add = [](QMenu* menu, const QString& name, const QString& caption, const QString& keys = {}) {
        return NamedMenuItem(menu, name, caption, keys);
    };
    auto menu = [this](const QString& name, const QString& caption) { return NamedMenu(menuBar, name, caption); };
    mnuFile = menu(QStringLiteral("mnuFile"), QStringLiteral("&File"));
    mnuPrint = add(mnuFile, QStringLiteral("mnuPrint"), QStringLiteral("&Print"));
    mnuPrintSetup = add(mnuFile, QStringLiteral("mnuPrintSetup"), QStringLiteral("Print Set&up"));
    mnuFile->addSeparator();
    mnuExit = add(mnuFile, QStringLiteral("mnuExit"), QStringLiteral("&Exit Screen Preview"));

    mnuDrawing = menu(QStringLiteral("mnuDrawing"), QStringLiteral("&Drawing"));
    mnuNewDrawing = add(mnuDrawing, QStringLiteral("mnuNewDrawing"), QStringLiteral("&New Drawing"));
    mnuOpenDrawing = add(mnuDrawing, QStringLiteral("mnuOpenDrawing"), QStringLiteral("&Open Drawing..."));
    mnuSaveDrawing = add(mnuDrawing, QStringLiteral("mnuSaveDrawing"), QStringLiteral("&Save Drawing"));
    mnuSaveDrawingAs = add(mnuDrawing, QStringLiteral("mnuSaveDrawingAs"), QStringLiteral("Save Drawing &As..."));

    mnuEdit = menu(QStringLiteral("mnuEdit"), QStringLiteral("&Edit"));
    mnuUndo = add(mnuEdit, QStringLiteral("mnuUndo"), QStringLiteral("&Undo"), QStringLiteral("Ctrl+Z"));
    mnuEdit->addSeparator();
    mnuCut = add(mnuEdit, QStringLiteral("mnuCut"), QStringLiteral("Cu&t"), QStringLiteral("Ctrl+X"));
    mnuCopy = add(mnuEdit, QStringLiteral("mnuCopy"), QStringLiteral("&Copy"), QStringLiteral("Ctrl+C"));
    mnuPaste = add(mnuEdit, QStringLiteral("mnuPaste"), QStringLiteral("&Paste"), QStringLiteral("Ctrl+V"));
    mnuEdit->addSeparator();
    mnuMoveUp = add(mnuEdit, QStringLiteral("mnuMoveUp"), QStringLiteral("&Move Up 1"));
    mnuMoveBack = add(mnuEdit, QStringLiteral("mnuMoveBack"), QStringLiteral("Move &Back 1"));
    mnuMoveToFront = add(mnuEdit, QStringLiteral("mnuMoveToFront"), QStringLiteral("Move to &Front"));
    mnuMoveToBack = add(mnuEdit, QStringLiteral("mnuMoveToBack"), QStringLiteral("Move to Bac&k"));
    mnuEdit->addSeparator();
    mnuGroup = add(mnuEdit, QStringLiteral("mnuGroup"), QStringLiteral("&Group"));
    mnuUnGroup = add(mnuEdit, QStringLiteral("mnuUnGroup"), QStringLiteral("U&nGroup"));

    mnuZoom = menu(QStringLiteral("mnuZoom"), QStringLiteral("&Zoom"));
    mnuZoomWindow = add(mnuZoom, QStringLiteral("mnuZoomWindow"), QStringLiteral("Zoom &Window"), QStringLiteral("Ctrl+W"));
    mnuZoomScreenWidth =
        add(mnuZoom, QStringLiteral("mnuZoomScreenWidth"), QStringLiteral("Zoom Scr&een Width"), QStringLiteral("Ctrl+R"));
    mnuZoomPage = add(mnuZoom, QStringLiteral("mnuZoomPage"), QStringLiteral("Zoom &Page"), QStringLiteral("Ctrl+P"));
    mnuRefresh = add(mnuZoom, QStringLiteral("mnuRefresh"), QStringLiteral("&Refresh"));

    mnuTools = menu(QStringLiteral("mnuTools"), QStringLiteral("&Tools"));
    // Every toolbar button in toolbar order; Add Nodes and Select are the menu's own commands for
    // buttons 1 and 3.
    for (int b = 1; b <= ButtonCount; ++b) {
        const QString item = QString::fromLatin1(kButtons[b - 1].item);
        if (b == toolbar::AddNode) {
            mnuAddNodes = add(mnuTools, QStringLiteral("mnuAddNodes"), item, QStringLiteral("Ctrl+A"));
        } else if (b == toolbar::SelectObjects) {
            mnuSelect = add(mnuTools, QStringLiteral("mnuSelect"), item, QStringLiteral("Ctrl+E"));
        } else if (kButtons[b - 1].style == 3) {
            mnuTools->addSeparator();
        } else {
            QAction* tool = add(mnuTools, QStringLiteral("mnuTool%1").arg(b), item);
            connect(tool, &QAction::triggered, this, [this, b] {
                QAction* button = Button(b);
                if (button->isCheckable()) button->toggle(); // as a click on the button does
                Toolbar1_ButtonClick(button);
            });
        }
    }

    mnuUtilities = menu(QStringLiteral("mnuUtilities"), QStringLiteral("&Utilities"));
    mnuGraphicsSystem =
        add(mnuUtilities, QStringLiteral("mnuGraphicsSystem"), QStringLiteral("&Graphics/System Setup"));
    mnuDefineHeadingsLogo =
        add(mnuUtilities, QStringLiteral("mnuDefineHeadingsLogo"), QStringLiteral("&Define Headings/Logo"));
    mnuDefineColors = add(mnuUtilities, QStringLiteral("mnuDefineColors"), QStringLiteral("Define &Colors"));
    mnuChooseFill = add(mnuUtilities, QStringLiteral("mnuChooseFill"), QStringLiteral("Choose &Fill"));
    mnuChooseColor = add(mnuUtilities, QStringLiteral("mnuChooseColor"), QStringLiteral("Choose Co&lors"));

    // Help is a command on the menu bar itself.
    mnuHelp = NamedBarCommand(menuBar, QStringLiteral("mnuHelp"), QStringLiteral("&Help"));

    connect(mnuExit, &QAction::triggered, this, &DrawArea::mnuExit_Click);
    connect(mnuZoomWindow, &QAction::triggered, this, &DrawArea::mnuZoomWindow_Click);
    connect(mnuZoomScreenWidth, &QAction::triggered, this, &DrawArea::zoomscreenwidth);
    connect(mnuZoomPage, &QAction::triggered, this, &DrawArea::zoompage);
    connect(mnuGraphicsSystem, &QAction::triggered, this, &DrawArea::mnuGraphicsSystem_Click);
    connect(mnuDefineHeadingsLogo, &QAction::triggered, this, [] { ShowHeadingLogoEditor(); });
    connect(mnuDefineColors, &QAction::triggered, this, &DrawArea::mnuDefineColors_Click);
    connect(mnuChooseFill, &QAction::triggered, this, &DrawArea::mnuChooseFill_Click);
    connect(mnuChooseColor, &QAction::triggered, this, &DrawArea::mnuChooseColor_Click);
    connect(mnuHelp, &QAction::triggered, this, &DrawArea::mnuHelp_Click);
    connect(mnuAddNodes, &QAction::triggered, this, &DrawArea::mnuAddNodes_Click);
    connect(mnuSelect, &QAction::triggered, this, &DrawArea::mnuSelect_Click);
    connectFileCommands();
    connect(mnuUndo, &QAction::triggered, this, &DrawArea::mnuUndo_Click);
    connect(mnuCut, &QAction::triggered, this, &DrawArea::mnuCut_Click);
    connect(mnuCopy, &QAction::triggered, this, &DrawArea::mnuCopy_Click);
    connect(mnuPaste, &QAction::triggered, this, &DrawArea::mnuPaste_Click);
    connect(mnuMoveUp, &QAction::triggered, this, &DrawArea::mnuMoveUp1_Click);
    connect(mnuMoveBack, &QAction::triggered, this, &DrawArea::mnuMoveBack1_Click);
    connect(mnuMoveToFront, &QAction::triggered, this, &DrawArea::mnuMovetoFront_Click);
    connect(mnuMoveToBack, &QAction::triggered, this, &DrawArea::mnuMovetoBack_Click);
    connect(mnuGroup, &QAction::triggered, this, &DrawArea::mnuGroup_Click);
    connect(mnuUnGroup, &QAction::triggered, this, &DrawArea::mnuUnGroup_Click);
    connect(mnuRefresh, &QAction::triggered, this, &DrawArea::mnuRefresh_Click);
}

void DrawArea::buildToolbar() {
    // The buttons exist from the start; Load gives them their pictures, keys, styles and tips.
    for (int b = 1; b <= ButtonCount; ++b) {
        QToolBar* bar = b >= FirstPagingButton ? PagingBar : Toolbar1;
        auto* a = new QAction(bar);
        a->setObjectName(QStringLiteral("Button%1").arg(b));
        bar->addAction(a);
        buttons_ << a;
    }
    connect(Toolbar1, &QToolBar::actionTriggered, this, &DrawArea::Toolbar1_ButtonClick);
    connect(PagingBar, &QToolBar::actionTriggered, this, &DrawArea::Toolbar1_ButtonClick);
}

QAction* DrawArea::Button(int position) const {
    return position >= 1 && position <= buttons_.size() ? buttons_[position - 1] : nullptr;
}

QString DrawArea::ButtonImage(int position) const {
    const QAction* a = Button(position);
    return a ? a->property(kImageProperty).toString() : QString();
}

void DrawArea::Form_Load() {
    trap(QStringLiteral("DrawArea-Load"), [&] {
        createFillPalette(*palette_, pageDrawing(), [this] { fitPalette(); });
        drawwin().TextPointSize = 10;

        // A tool picture that is missing or unreadable is replaced by the built-in one, so that the
        // toolbar is always complete.
        ImageList1.clear();
        for (const QString& key : shipped::ToolKeys()) {
            QImage img;
            try {
                img = LoadPicture(key + QStringLiteral(".bmp"));
            } catch (const QmError&) {
                img = shipped::ToolPicture(key);
            }
            ImageList1.insert(key, toolPixmap(img));
        }

        for (int b = 1; b <= ButtonCount; ++b) {
            const ButtonSetup& setup = kButtons[b - 1];
            QAction* a = Button(b);
            if (setup.image) {
                a->setProperty(kImageProperty, QString::fromLatin1(setup.image));
                a->setIcon(QIcon(ImageList1.value(QString::fromLatin1(setup.image))));
            }
            // The key is the button's text (and so its accessible name); the tip is what shows.
            a->setData(QString::fromLatin1(setup.key));
            a->setText(QString::fromLatin1(setup.key));
            a->setSeparator(setup.style == 3);
            a->setCheckable(setup.style == 1);
            a->setToolTip(QString::fromLatin1(setup.tip));
        }
    });
}

// ---- showing, paging and leaving ----------------------------------------------------------------

PreviewResult DrawArea::ShowPage() {
    QPointer<DrawArea> w = &forms::form<DrawArea>();
    w->unloadRequested_ = false;
    w->leftPreview_ = false;
    w->raise(); // above the run dialog, even one opened after the window was first shown
    forms::showModal(*w);
    const bool left = w && w->leftPreview_;
    if (w && w->unloadRequested_) forms::unload<DrawArea>();
    return left ? PreviewResult::Left : PreviewResult::NextPage;
}

void DrawArea::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Form_Activate();
}

// Activation counts between the program's own windows: coming back from a dialog re-applies the
// default zoom, coming back from another program leaves the view as the user left it.
void DrawArea::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) return;
    if (!isActiveWindow())
        leftProgram_ = false;
    else if (!leftProgram_)
        Form_Activate();
}

void DrawArea::Form_Activate() {
    if (layout()) layout()->activate();
    if (modgw().ZoomAfterOpen == QLatin1String("SW"))
        zoomscreenwidth();
    else
        zoompage();
}

void DrawArea::nextpage() {
    hide();
}

void DrawArea::mnuExit_Click() {
    leftPreview_ = true;
    hide();
}

void DrawArea::Form_Unload() {
    leftPreview_ = true;
}

void DrawArea::closeEvent(QCloseEvent* event) {
    Form_Unload();
    unloadRequested_ = true;
    event->accept();
}

// Escape belongs to the drawing (it styles a shape just drawn); it does not leave the window.
void DrawArea::reject() {}

void DrawArea::mnuHelp_Click() {
    modgw().HelpResult = WinHelpA(this, modgw().HelpFile, help::HELP_CONTENTS, 0);
}

// ---- zoom ---------------------------------------------------------------------------------------

void FitViewToWidth(DrawView& view) {
    if (const auto v = zoom::ScreenWidth(geometryOf(view))) applyView(view, *v);
}

void DrawArea::fitPalette() {
    if (const auto v = PaletteView(geometryOf(*MDraw3))) applyView(*MDraw3, *v);
}

bool DrawArea::eventFilter(QObject* watched, QEvent* event) {
    if (watched == MDraw3 && event->type() == QEvent::Resize) fitPalette();
    return QDialog::eventFilter(watched, event);
}

void DrawArea::zoompage() {
    if (const auto v = zoom::Page(geometryOf(*MDraw))) applyView(*MDraw, *v);
}

void DrawArea::zoomscreenwidth() {
    if (const auto v = zoom::ScreenWidth(geometryOf(*MDraw))) applyView(*MDraw, *v);
}

void DrawArea::ZoomIn(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const MDrawPro& d = pageDrawing();
    const zoom::Extent e{d.UnitsLeft(), d.UnitsTop(), d.UnitsWidth(), d.UnitsHeight()};
    if (const auto v = zoom::In(x1, y1, x2, y2, geometryOf(*MDraw), e)) {
        applyView(*MDraw, *v);
        pageDrawing().Refresh();
    }
}

void DrawArea::mnuZoomWindow_Click() {
    MDrawPro& d = pageDrawing();
    DrawWin& w = drawwin();
    // Asked again before the drag: the mode to go back to stays the one from before the first ask,
    // or the page would be left drawing frames.
    if (w.ZoomWindowPending != 1) w.EditModeBeforeZoom = int16_t(d.EditMode());
    d.EditMode(2);
    d.CurrentObject(4);
    d.FillStyle(1);
    w.ZoomWindowPending = 1;
}

void DrawArea::MDraw_PointClicked(int, int, double x, double y) {
    DrawWin& w = drawwin();
    if (w.ZoomWindowPending != 1) {
        if (Button(toolbar::AddNode)->isChecked())
            AddNodeAt(MDraw->PixelToUnitsX(std::round(x)), MDraw->PixelToUnitsY(std::round(y)));
        else if (Button(toolbar::FreeImage)->isChecked() && w.FreeShapeTool == 7)
            PlaceSymbol(MDraw->lastDrawnId());
        return;
    }
    MDrawPro& d = pageDrawing();
    trap(QStringLiteral("MDraw-PointClicked"), [&] {
        // The frame just dragged gives the zoom and goes; a click that drew no frame zooms nothing.
        // A frame that is gone by now is the control's object error.
        const draw::Long frame = MDraw->lastDrawnId();
        if (frame) {
            d.ObjectId(frame);
            int32_t x1, y1, x2, y2;
            d.GetObjectCoords(x1, y1, x2, y2, 0);
            d.DeleteObjects(4);
            ZoomIn(x1, y1, x2, y2);
        }
    });
    d.EditMode(w.EditModeBeforeZoom);
    w.ZoomWindowPending = 0;
}

// ---- toolbar and deferred commands ----------------------------------------------------------

ToolButtons DrawArea::buttonStates() const {
    ToolButtons b;
    for (int i = 1; i <= toolbar::ButtonCount; ++i) b.Value[size_t(i)] = Button(i)->isChecked() ? 1 : 0;
    b.NodesImage = ButtonImage(toolbar::ShowHideNodes);
    return b;
}

void DrawArea::setButtonStates(const ToolButtons& b) {
    for (int i = 1; i <= toolbar::ButtonCount; ++i)
        if (Button(i)->isCheckable()) Button(i)->setChecked(b.down(i));
    QAction* nodes = Button(toolbar::ShowHideNodes);
    if (nodes->property(kImageProperty).toString() != b.NodesImage) {
        nodes->setProperty(kImageProperty, b.NodesImage);
        nodes->setIcon(QIcon(ImageList1.value(b.NodesImage)));
    }
}

void DrawArea::Toolbar1_ButtonClick(QAction* button) {
    MDraw->finishShape(); // a shape half drawn ends as a click elsewhere would end it
    ToolButtons states = buttonStates();
    const ToolbarOutcome r = ToolbarButtonClick(button->data().toString(), states, *palette_);
    setButtonStates(states);
    if (r == ToolbarOutcome::NextPage) nextpage();
}

void DrawArea::mnuAddNodes_Click() {
    ToolButtons states = buttonStates();
    AddNodesMenu(states);
    setButtonStates(states);
}

void DrawArea::mnuSelect_Click() {
    ToolButtons states = buttonStates();
    SelectMenu(states);
    setButtonStates(states);
}

void DrawArea::MDraw_ObjectClicked() {
    // With "Add Node" down a click places a marker instead (PointClicked).
    if (!Button(toolbar::AddNode)->isChecked()) NodeObjectClicked();
}

void DrawArea::MDraw_KeyDown(int keyCode, int) {
    DrawingKeyDown(keyCode);
}

// ---- the Edit menu and the control's edit actions ------------------------------------------------

void DrawArea::MDraw_EditAction(int code) {
    EditAction(code);
}

void DrawArea::mnuUndo_Click() {
    EditUndo();
}

void DrawArea::mnuCut_Click() {
    EditCut();
}

void DrawArea::mnuCopy_Click() {
    EditCopy();
}

void DrawArea::mnuPaste_Click() {
    // With no nodes copied in node mode Paste runs Tools > Select first, which sets the buttons.
    ToolButtons states = buttonStates();
    EditPaste(states);
    setButtonStates(states);
}

void DrawArea::mnuGroup_Click() {
    EditGroup();
}

void DrawArea::mnuUnGroup_Click() {
    EditUnGroup();
}

void DrawArea::mnuMoveUp1_Click() {
    EditRestack(5);
}

void DrawArea::mnuMoveBack1_Click() {
    EditRestack(4);
}

void DrawArea::mnuMovetoFront_Click() {
    EditRestack(3);
}

void DrawArea::mnuMovetoBack_Click() {
    EditRestack(2);
}

void DrawArea::mnuRefresh_Click() {
    EditRefresh();
}

void DrawArea::Timer3_Timer() {
    DrawWin& w = drawwin();
    // Cleared before the command runs, so that it runs once.
    if (w.PendingPreviewCommand == 35) {
        w.PendingPreviewCommand = 0;
        mnuChooseFill_Click();
    } else if (w.PendingPreviewCommand == 40) {
        w.PendingPreviewCommand = 0;
        mnuChooseColor_Click();
    }
}

void DrawArea::mnuChooseFill_Click() {
    DrawWin& w = drawwin();
    // Emptied first: a chooser closed without a pick must not bring back the last pick.
    w.ChosenFill.clear();
    forms::showModal(forms::form<frmFill>());
    trap(QStringLiteral("mnuChooseFill"), [&] { ApplyChosenFill(*palette_, w.ChosenFill); });
}

void DrawArea::mnuChooseColor_Click() {
    DrawWin& w = drawwin();
    w.ChosenColor = -1;
    forms::showModal(forms::form<frmChooseColor>());
    forms::unload<frmChooseColor>();
    trap(QStringLiteral("mnuChooseColor"), [&] { ApplyChosenColor(*palette_, w.ChosenColor); });
}

void DrawArea::mnuDefineColors_Click() {
    forms::showModal(forms::form<frmColor>());
    forms::unload<frmColor>();
}

void DrawArea::mnuGraphicsSystem_Click() {
    ShowGraphicsSystemSetup();
}

// ---- the style palette ----------------------------------------------------------------------------

void DrawArea::MDraw3_ObjectClicked() {
    // Only the left button picks a swatch; a right click sets the line colour alone (PointClicked).
    if (MDraw3->clickButton() != 1) return;
    switch (PaletteObjectClicked(*palette_, pageDrawing())) {
    case PaletteTimer::Start:
        Timer1->start();
        break;
    case PaletteTimer::Stop:
        Timer1->stop();
        break;
    case PaletteTimer::Leave:
        break;
    }
}

void DrawArea::Timer1_Timer() {
    Timer1->stop();
    PaletteSingleClick(*palette_, pageDrawing());
}

void DrawArea::MDraw3_PointClicked(int button, int, double x, double y) {
    if (button != 2) return;
    PaletteRightClick(*palette_, pageDrawing(), MDraw3->PixelToUnitsX(std::round(x)),
                      MDraw3->PixelToUnitsY(std::round(y)));
}

// ---- registration -------------------------------------------------------------------------------

void RegisterDrawingWindow() {
    startupHooks().loadFillChooser = [] {
        // The chooser is loaded even when a shipped picture could not be written; the error is
        // reported after.
        try {
            shipped::WriteMissing();
        } catch (const QmError&) {
            forms::form<frmFill>();
            throw;
        }
        forms::form<frmFill>();
    };
    startupHooks().unloadFillChooser = [] { forms::unload<frmFill>(); };
    reportHooks().loadDrawingWindow = [] { forms::form<DrawArea>(); };
    reportHooks().previewPage = [] {
        const PreviewResult result = DrawArea::ShowPage();
        drawwin().DrawingFileName.clear(); // a previewed page is not a saved drawing
        return result;
    };
}
