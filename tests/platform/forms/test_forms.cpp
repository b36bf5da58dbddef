// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gui/forms.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

// A 1920 x 1080 screen at 200 %, less a panel, and a frame with a title bar.
const QRect Screen(0, 0, 960, 520);
const QMargins Frame(1, 20, 1, 1);

QRect outer(const forms::Placement& p, const QMargins& frame) {
    return QRect(p.framePos, p.size).marginsAdded(QMargins(0, 0, frame.left() + frame.right(),
                                                           frame.top() + frame.bottom()));
}

TEST(Placement, KeepsAWindowThatFitsWhereItAsked) {
    const auto p = forms::place(Screen, Frame, {400, 300}, {200, 100}, QPoint(100, 50));
    EXPECT_EQ(p.framePos, QPoint(100, 50));
    EXPECT_EQ(p.size, QSize(400, 300));
    EXPECT_FALSE(p.scroll);
}

TEST(Placement, ShrinksAWindowLargerThanTheScreenAndKeepsItsFrameOnIt) {
    // The project form asks for 980 x 680 at (-10, -49).
    const auto p = forms::place(Screen, Frame, {980, 680}, {500, 400}, QPoint(-10, -49));
    EXPECT_EQ(p.size, QSize(958, 499));
    EXPECT_EQ(p.framePos, QPoint(0, 0));
    EXPECT_EQ(outer(p, Frame), Screen);
    EXPECT_FALSE(p.scroll);
}

TEST(Placement, MovesAWindowHangingOffAnEdgeBackOntoTheScreen) {
    auto p = forms::place(Screen, Frame, {400, 300}, {}, QPoint(900, 500));
    EXPECT_EQ(p.size, QSize(400, 300));
    EXPECT_EQ(p.framePos, QPoint(960 - 402, 520 - 321));
    p = forms::place(Screen, Frame, {400, 300}, {}, QPoint(-300, -5));
    EXPECT_EQ(p.framePos, QPoint(0, 0));
}

TEST(Placement, CentresInTheAvailableAreaWhenNoPositionIsAsked) {
    // A panel on the left and one on top: the area does not start at the origin.
    const QRect area(40, 30, 920, 490);
    const auto p = forms::place(area, Frame, {400, 300}, {}, std::nullopt);
    const QRect o = outer(p, Frame);
    EXPECT_EQ(o.center(), area.center());
    EXPECT_TRUE(area.contains(o));
    const auto big = forms::place(area, Frame, {2000, 2000}, {}, std::nullopt);
    EXPECT_EQ(outer(big, Frame), area);
}

TEST(Placement, AWindowThatCannotShrinkEnoughScrolls) {
    auto p = forms::place(Screen, Frame, {1200, 400}, {1000, 300}, QPoint(10, 10));
    EXPECT_TRUE(p.scroll);
    EXPECT_EQ(p.size, QSize(958, 400));
    EXPECT_TRUE(Screen.contains(outer(p, Frame)));
    // Too tall only, by less than the title bar.
    p = forms::place(Screen, Frame, {300, 510}, {300, 510}, std::nullopt);
    EXPECT_TRUE(p.scroll);
    EXPECT_EQ(p.size, QSize(300, 499));
}

TEST(Placement, NeverSmallerThanTheWindowsMinimumWhenThatFits) {
    const auto p = forms::place(Screen, Frame, {100, 80}, {250, 120}, QPoint(0, 0));
    EXPECT_EQ(p.size, QSize(250, 120));
    EXPECT_FALSE(p.scroll);
}

TEST(Placement, NoScreenLeavesTheWindowAsAsked) {
    const auto p = forms::place(QRect(), Frame, {400, 300}, {500, 400}, QPoint(-10, 7));
    EXPECT_EQ(p.size, QSize(400, 300));
    EXPECT_EQ(p.framePos, QPoint(-10, 7));
    EXPECT_FALSE(p.scroll);
}

// ---- on a window

QRect available(const QWidget& w) { return w.screen()->availableGeometry(); }

// Shaped as the large forms are: a menu bar in the layout, a tall body, buttons at the bottom right.
struct BigForm : QDialog {
    QMenuBar* menu = new QMenuBar(this);
    QLineEdit* first = new QLineEdit(this);
    QLineEdit* second = new QLineEdit(this);
    QPushButton* btnOK = new QPushButton(QStringLiteral("OK"), this);
    explicit BigForm(QSize body) {
        menu->addMenu(QStringLiteral("&Edit"));
        auto* filler = new QWidget(this);
        filler->setMinimumSize(body);
        auto* lay = new QVBoxLayout(this);
        lay->setMenuBar(menu);
        lay->addWidget(first);
        lay->addWidget(filler);
        lay->addWidget(second);
        lay->addWidget(btnOK, 0, Qt::AlignRight);
        // Tab order other than creation order: it must survive the move into the scroll area.
        QWidget::setTabOrder(second, first);
        QWidget::setTabOrder(first, btnOK);
    }
    QList<QWidget*> tabs() {
        QList<QWidget*> order;
        for (QWidget* w = nextInFocusChain(); w != this && order.size() < 20; w = w->nextInFocusChain())
            if (w->focusPolicy() & Qt::TabFocus) order << w;
        return order;
    }
};

TEST(FitToScreen, AFormTooLargeForTheScreenScrollsWithItsControlsReachable) {
    const QRect area = available(BigForm({10, 10}));
    BigForm f(area.size() + QSize(400, 300));
    f.resize(area.size() + QSize(500, 500));
    f.move(area.topLeft() - QPoint(50, 50));
    const QList<QWidget*> before = f.tabs();
    forms::fitToScreen(f);
    EXPECT_TRUE(area.contains(QRect(f.pos(), f.size())));

    auto* scroller = f.findChild<QScrollArea*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(scroller, nullptr);
    EXPECT_EQ(f.menu->parentWidget(), &f) << "the menu bar stays above the scrolled part";
    EXPECT_TRUE(scroller->widget()->isAncestorOf(f.btnOK));
    EXPECT_EQ(f.tabs(), before);

    f.show();
    QCoreApplication::processEvents();
    EXPECT_GT(scroller->verticalScrollBar()->maximum(), 0);
    EXPECT_GT(scroller->horizontalScrollBar()->maximum(), 0);
    scroller->ensureWidgetVisible(f.btnOK);
    const QRect shown(f.btnOK->mapTo(scroller->viewport(), QPoint(0, 0)), f.btnOK->size());
    EXPECT_TRUE(scroller->viewport()->rect().contains(shown));

    // Shown again, it is not wrapped twice.
    f.hide();
    forms::fitToScreen(f);
    EXPECT_EQ(f.findChildren<QScrollArea*>().size(), 1);
}

TEST(FitToScreen, ALargeFormThatCanShrinkIsClampedNotScrolled) {
    BigForm f({100, 100});
    const QRect area = available(f);
    f.resize(area.width() * 2, area.height() * 2);
    forms::fitToScreen(f);
    EXPECT_EQ(f.findChild<QScrollArea*>(), nullptr);
    EXPECT_EQ(QRect(f.pos(), f.size()), area);
}

TEST(FitToScreen, AMaximisedWindowIsLeftToTheWindowManager) {
    BigForm f({100, 100});
    f.resize(5000, 5000);
    f.setWindowState(Qt::WindowMaximized);
    forms::fitToScreen(f);
    EXPECT_EQ(f.size(), QSize(5000, 5000));
}

TEST(FitToScreen, ShowModalFitsEveryFormBeforeItShows) {
    // The main window is up, so the frame the window manager gives is known.
    QWidget main;
    main.show();
    ASSERT_FALSE(main.windowHandle()->frameMargins().isNull());
    BigForm f({100, 100});
    const QRect area = available(f);
    f.resize(area.width() + 300, area.height() + 200);
    f.move(area.right() - 50, area.bottom() - 50);
    QRect seen;
    forms::setModalHook([&](QDialog& form) {
        seen = form.frameGeometry();
        form.reject();
    });
    forms::showModal(f);
    forms::setModalHook({});
    EXPECT_TRUE(area.contains(seen)) << seen.x() << "," << seen.y() << " " << seen.width() << "x" << seen.height();
}

} // namespace
