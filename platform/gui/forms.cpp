// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gui/forms.h"

#include <QApplication>
#include <QHash>
#include <QLayout>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QWindow>
#include <algorithm>

namespace forms {

namespace {
QHash<std::type_index, QWidget*>& registry() {
    static QHash<std::type_index, QWidget*> r;
    return r;
}
ModalHook& hook() {
    static ModalHook h;
    return h;
}

const char* const ScrollerName = "formScroller";
const char* const InViewProperty = "keepInView";

// Fits one axis: the extent shrinks to the room, the start moves inside [lo, hi) with the frame.
void fitAxis(int lo, int room, int frameBefore, int frameAfter, int& start, int& extent, bool centre) {
    extent = std::max(1, std::min(extent, room - frameBefore - frameAfter));
    const int outer = frameBefore + extent + frameAfter;
    if (centre) start = lo + (room - outer) / 2;
    start = std::clamp(start, lo, std::max(lo, lo + room - outer));
}

// A window not yet shown has no frame; the window manager will give it one like the others have (the
// widest of them, since a maximised window may have lost its borders).
QMargins frameOf(const QWidget& window) {
    auto margins = [](const QWidget& w) {
        const QWindow* h = w.windowHandle();
        return h && w.isVisible() ? h->frameMargins() : QMargins();
    };
    if (const QMargins own = margins(window); !own.isNull()) return own;
    QMargins m;
    for (const QWidget* w : QApplication::topLevelWidgets()) {
        if (w->windowType() != Qt::Window && w->windowType() != Qt::Dialog) continue;
        const QMargins f = margins(*w);
        m = QMargins(std::max(m.left(), f.left()), std::max(m.top(), f.top()), std::max(m.right(), f.right()),
                     std::max(m.bottom(), f.bottom()));
    }
    return m;
}

// The widgets Tab visits, in order, so that moving them keeps the order.
QList<QWidget*> tabOrder(QWidget& window) {
    QList<QWidget*> order;
    for (QWidget* w = window.nextInFocusChain(); w && w != &window; w = w->nextInFocusChain()) {
        if (order.contains(w)) break;
        if (window.isAncestorOf(w) && w->focusPolicy() & Qt::TabFocus) order << w;
    }
    return order;
}

// Moves the form's layout, and with it its controls, into a scroll area; the menu bar stays on top.
void scrollContent(QWidget& window) {
    QLayout* inner = window.layout();
    if (!inner || qobject_cast<QMainWindow*>(&window) ||
        window.findChild<QScrollArea*>(QLatin1String(ScrollerName), Qt::FindDirectChildrenOnly))
        return;
    const QList<QWidget*> order = tabOrder(window);
    QWidget* menu = inner->menuBar();
    inner->setMenuBar(nullptr);
    auto* content = new QWidget;
    content->setLayout(inner);
    auto* area = new QScrollArea;
    area->setObjectName(QLatin1String(ScrollerName));
    area->setFrameShape(QFrame::NoFrame);
    area->setFocusPolicy(Qt::NoFocus);
    area->setWidgetResizable(true);
    area->setWidget(content);
    auto* outer = new QVBoxLayout(&window);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setMenuBar(menu);
    outer->addWidget(area);
    // Taken out of the scrolled layout, in the order Tab visits them.
    QList<QWidget*> commands;
    for (QWidget* w : order)
        if (qobject_cast<QPushButton*>(w) && w->property(InViewProperty).toBool()) commands << w;
    if (!commands.isEmpty()) {
        auto* row = new QHBoxLayout;
        row->setContentsMargins(inner->contentsMargins());
        row->addStretch();
        for (QWidget* b : commands)
            row->addWidget(b);
        outer->addLayout(row);
    }
    window.setMinimumSize(0, 0);
    outer->activate();
    for (qsizetype i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}
} // namespace

QWidget*& slot(std::type_index type) { return registry()[type]; }

void unloadAll() {
    const auto all = registry().values();
    for (auto it = registry().begin(); it != registry().end(); ++it) it.value() = nullptr;
    for (QWidget* w : all) delete w;
}

Placement place(const QRect& available, const QMargins& frame, QSize wanted, QSize minimum,
                std::optional<QPoint> framePos) {
    Placement p{framePos.value_or(available.topLeft()), wanted};
    if (!available.isValid()) return p;
    const int roomW = available.width() - frame.left() - frame.right();
    const int roomH = available.height() - frame.top() - frame.bottom();
    p.scroll = minimum.width() > roomW || minimum.height() > roomH;
    if (!p.scroll) p.size = p.size.expandedTo(minimum);
    int x = p.framePos.x(), y = p.framePos.y(), w = p.size.width(), h = p.size.height();
    fitAxis(available.left(), available.width(), frame.left(), frame.right(), x, w, !framePos);
    fitAxis(available.top(), available.height(), frame.top(), frame.bottom(), y, h, !framePos);
    p.framePos = {x, y};
    p.size = {w, h};
    return p;
}

void fitToScreen(QWidget& window) {
    if (!window.isWindow() || window.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) return;
    const QScreen* screen = window.screen();
    if (!screen) return;
    if (QLayout* l = window.layout()) l->activate();
    const QSize wanted = window.testAttribute(Qt::WA_Resized) ? window.size() : window.sizeHint();
    const QSize minimum = window.minimumSize().expandedTo(window.minimumSizeHint());
    std::optional<QPoint> at;
    if (window.testAttribute(Qt::WA_Moved)) at = window.pos();
    const Placement p = place(screen->availableGeometry(), frameOf(window), wanted, minimum, at);
    if (p.scroll) scrollContent(window);
    window.resize(p.size);
    window.move(p.framePos);
}

void keepInView(const QList<QPushButton*>& buttons) {
    for (QPushButton* b : buttons)
        b->setProperty(InViewProperty, true);
}

void moveOnScreen(QWidget& window, double across, double down) {
    if (const QScreen* s = window.screen()) {
        const QRect a = s->geometry();
        window.move(int((a.width() - window.width()) * across), int((a.height() - window.height()) * down));
    }
}

int showModal(QDialog& form) {
    fitToScreen(form);
    if (hook()) {
        form.setModal(true);
        form.show();
        QPointer<QDialog> guard(&form);
        hook()(form);
        if (guard && guard->isVisible()) guard->hide();
        return guard ? guard->result() : QDialog::Rejected;
    }
    return form.exec();
}

void setModalHook(ModalHook h) { hook() = std::move(h); }

} // namespace forms
