// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/forms/frmfill.h"

#include "drawwin/drawwinstate.h"
#include "drawwin/fillchooser.h"
#include "drawwin/forms/drawarea.h"
#include "platform/drawing/mdrawpro.h"
#include "platform/drawing/objecttags.h"
#include "platform/gui/drawview.h"
#include "platform/gui/forms.h"
#include "platform/uiservice.h"
#include "project/modgw.h"

#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QGuiApplication>
#include <QListWidget>
#include <QScreen>

namespace {
constexpr int TwipsPerPixel = 15;
}

frmFill::frmFill() {
    setObjectName(QStringLiteral("frmFill"));
    setWindowTitle(QStringLiteral("Choose A Fill Pattern"));
    canvas_ = new MDrawPro(this);
    File1 = new QListWidget(this);
    File1->setObjectName(QStringLiteral("File1"));
    File1->setAccessibleName(QStringLiteral("File1"));
    File1->hide();
    MDraw2 = new DrawView(this);
    MDraw2->setObjectName(QStringLiteral("MDraw2"));
    MDraw2->setAccessibleName(QStringLiteral("MDraw2"));
    MDraw2->setModel(canvas_);
    connect(canvas_, &draw::DrawModel::objectClicked, this, &frmFill::MDraw2_ObjectClicked);
    MDraw2->installEventFilter(this);
    focusFrame_ = new QFrame(MDraw2);
    focusFrame_->setObjectName(QStringLiteral("focusFrame"));
    focusFrame_->setFrameStyle(QFrame::Box | QFrame::Plain);
    focusFrame_->setLineWidth(2);
    focusFrame_->setAttribute(Qt::WA_TransparentForMouseEvents);
    focusFrame_->setForegroundRole(QPalette::Highlight);
    Form_Load();
}

frmFill::~frmFill() = default;

// Width enough for the caption in the title bar: its text, in the bold face title bars use, and the
// bar's icon and buttons.
int frmFill::TitleWidth() const {
    QFont f = font();
    f.setBold(true);
    return QFontMetrics(f).horizontalAdvance(windowTitle()) * 5 / 4 + 150;
}

void frmFill::Form_Load() {
    const QString folder = modgw().FillPath;
    QStringList listed = fillchooser::ListBitmaps(folder);
    File1->clear();
    File1->addItems(listed);
    if (listed.size() > fillchooser::MaxListed) {
        ui().MsgBox(fillchooser::kTooManyMessage);
        listed = listed.mid(0, fillchooser::MaxListed);
    }
    const QStringList files = fillchooser::SwatchFiles(listed);
    const int n = int(files.size());
    swatches_ = files;
    current_ = n > 0 ? 1 : 0;

    // Width by columns, and never so narrow that the caption is cut; a very wide chooser is held to
    // the screen and shows its canvas smaller.
    const int layoutTwips = fillchooser::WindowWidth(n);
    const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                          : QRect(0, 0, 1024, 768);
    const int w = std::min(std::max(layoutTwips / TwipsPerPixel, TitleWidth()), screen.width());
    const int h = std::min(fillchooser::DesignHeight / TwipsPerPixel, screen.height());
    resize(w, h);
    const int left = fillchooser::Centred(n) ? (screen.width() - w) / 2 : screen.width() / 4;
    move(screen.left() + left, screen.top() + (screen.height() - h) / 2);
    MDraw2->setGeometry(rect());

    // The sheet is the control's width; where that is wider than the swatches need, they stand in
    // its middle.
    const int sheetTwips = std::max(layoutTwips, w * TwipsPerPixel);
    const int unitsLeft = -(sheetTwips - layoutTwips) / 2;

    // Reading the drawing window's options loads that window, hidden, when it is not loaded yet.
    const int32_t options = forms::form<DrawArea>().MDraw->model()->drawOptions();
    fillchooser::BuildSwatches(*canvas_, files, folder, sheetTwips, fillchooser::DesignHeight, options,
                               unitsLeft);

    FitViewToWidth(*MDraw2);
    placeFocusFrame();
}

void frmFill::MDraw2_ObjectClicked() {
    canvas_->TagTarget(5);
    drawwin().ChosenFill = canvas_->ObjectTag(draw::tags::Selected);
    hide();
}

void frmFill::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    MDraw2->setGeometry(rect());
    placeFocusFrame();
}

void frmFill::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    MDraw2->setFocus();
    placeFocusFrame();
}

void frmFill::placeFocusFrame() {
    focusFrame_->setVisible(current_ > 0);
    if (current_ < 1) return;
    const QRectF units = fillchooser::SwatchRect(current_, int(swatches_.size()));
    const QRectF px(MDraw2->unitsToPixel(units.topLeft()), MDraw2->unitsToPixel(units.bottomRight()));
    focusFrame_->setGeometry(px.toAlignedRect().adjusted(-3, -3, 3, 3));
}

bool frmFill::eventFilter(QObject* watched, QEvent* event) {
    if (watched != MDraw2 || event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const int n = int(swatches_.size());
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Left: current_ = fillchooser::StepSwatch(current_, n, -1, 0); break;
    case Qt::Key_Right: current_ = fillchooser::StepSwatch(current_, n, 1, 0); break;
    case Qt::Key_Up: current_ = fillchooser::StepSwatch(current_, n, 0, -1); break;
    case Qt::Key_Down: current_ = fillchooser::StepSwatch(current_, n, 0, 1); break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (current_ < 1) return true;
        drawwin().ChosenFill = swatches_[current_ - 1];
        hide();
        return true;
    case Qt::Key_Escape: reject(); return true;
    default: return false;
    }
    placeFocusFrame();
    return true;
}
