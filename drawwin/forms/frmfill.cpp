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
}

void frmFill::MDraw2_ObjectClicked() {
    canvas_->TagTarget(5);
    drawwin().ChosenFill = canvas_->ObjectTag(draw::tags::Selected);
    hide();
}

void frmFill::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    MDraw2->setGeometry(rect());
}
