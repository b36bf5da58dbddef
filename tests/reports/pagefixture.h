// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawcmd/pagecanvas.h"
#include "platform/qmerror.h"
#include "reports/pages.h"
#include "platform/drawing/drawrender.h"
#include "platform/drawing/drawlayout.h"

#include <QDir>
#include <QList>
#include <QStringList>
#include <gtest/gtest.h>

// What the page tests share: a page started as the page step starts every page, and the objects
// drawn on it.

// An 11 by 8.5 inch page, thin solid lines.
inline void newPage() {
    PageCanvas& c = pageCanvas();
    c.PaperWidth = 11;
    c.PaperHeight = 8.5f;
    c.NewDrawing();
    c.LT(1);
    c.LW(1);
}

// A run and the item a page shows as one value: the two never name a field alike, so a test sets
// either through one name.
template <typename Run, typename Item> struct PageValues : Run, Item {};

// A page built on the page's canvas as the page step builds it, in the context the run takes from
// the settings, under its routine's trap.
template <typename Run, typename Item>
void buildPage(const char* routine, void (*build)(const Run&, const Item&, int, const PageContext&, PageCanvas&),
               const PageValues<Run, Item>& v, int page = 0) {
    const PageContext ctx = RunPageContext();
    trap<PageFault>(QString::fromLatin1(routine), [&] { build(v, v, page, ctx, pageCanvas()); });
}

inline QList<draw::DrawObject> pageObjects() {
    QList<draw::DrawObject> all;
    for (int i = 0; i < pageDrawing().count(); ++i) all << pageDrawing().at(i);
    return all;
}

// The first text object showing text; nullptr when there is none.
inline const draw::DrawObject* textObject(const QString& text) {
    for (int i = 0; i < pageDrawing().count(); ++i) {
        const draw::DrawObject& o = pageDrawing().at(i);
        if (o.kind == draw::Text && o.text == text) return &o;
    }
    return nullptr;
}

// With QMAR_PAGE_SHOTS naming a folder, the page as a PNG there at 100 dpi, for a person to look at.
inline void shootPage(const QString& name) {
    const QString dir = qEnvironmentVariable("QMAR_PAGE_SHOTS");
    if (dir.isEmpty()) return;
    QDir().mkpath(dir);
    draw::writePng(pageDrawing(), dir + QStringLiteral("/") + name + QStringLiteral(".png"), 100);
}

// The page keeps its texts clear of rules and of each other, and with a frame inside it.
inline ::testing::AssertionResult pageIsClear(const draw::DrawModel& page = pageDrawing(),
                                              const QRectF& frame = {}) {
    const QStringList faults = draw::layoutFaults(page, frame);
    if (faults.isEmpty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << faults.join(QLatin1Char('\n')).toStdString();
}
