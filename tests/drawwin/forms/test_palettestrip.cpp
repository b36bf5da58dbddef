// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawcmd/editingsession.h"
#include "drawcmd/pagecanvas.h"
#include "drawwin/drawwinstate.h"
#include "drawwin/forms/drawarea.h"
#include "drawwin/forms/frmchoosecolor.h"
#include "drawwin/forms/frmcolor.h"
#include "drawwin/forms/frmfill.h"
#include "drawwin/shippedpictures.h"
#include "platform/drawing/objecttags.h"
#include "platform/gui/drawview.h"
#include "platform/gui/forms.h"
#include "platform/gui/spreadgrid.h"
#include "platform/textfile.h"
#include "platform/timings.h"
#include "project/modgw.h"
#include "support/programstate.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

constexpr int ClickMs = 40;

// The palette strip of the drawing window, clicked as a person clicks it, with a short click timer.
class PaletteStrip : public ProgramStateTest {
protected:
    void SetUp() override {
        modgw().FillPath = pf.file("fills/");
        shipped::WriteMissing();
        timings().paletteClickMs = ClickMs;
        pageCanvas().PaperWidth = 11;
        pageCanvas().PaperHeight = 8.5f;
        pageCanvas().NewDrawing();
        MDrawPro& page = pageDrawing();
        for (int i = 0; i < 3; ++i) page.AddObject(draw::Rectangle, 600 + 700 * i, 600, 1200 + 700 * i, 1200);
        page.find(1)->selected = page.find(2)->selected = true;
        w = &forms::form<DrawArea>();
        w->resize(900, 700);
        w->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        w->hide();
        ProgramStateTest::TearDown();
    }
    QPoint centreOf(int id) {
        const draw::DrawObject& o = *w->palette().find(id);
        return w->MDraw3->unitsToPixel(QPointF((o.x1 + o.x2) / 2.0, (o.y1 + o.y2) / 2.0)).toPoint();
    }
    void click(int id, Qt::MouseButton b = Qt::LeftButton) { QTest::mouseClick(w->MDraw3, b, {}, centreOf(id)); }
    const draw::DrawObject& pageObject(int id) { return *pageDrawing().find(id); }

    TempProgramFolder pf;
    DrawArea* w = nullptr;
};

// Saves a window's picture when QMAR_SHOTS names a folder, for a person to look at.
void shot(QWidget& widget, const QString& name, int scale = 1) {
    const QString folder = qEnvironmentVariable("QMAR_SHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    QImage img = widget.grab().toImage();
    if (scale > 1) img = img.scaled(img.size() * scale);
    img.save(folder + "/" + name + ".png");
}

} // namespace

TEST_F(PaletteStrip, OneClickAppliesAfterTheIntervalTwoOpenTheChooserOnceAndChangeNothing) {
    click(14); // colour 2, red
    EXPECT_EQ(editingSession().CurrentFillColor, draw::White);
    EXPECT_TRUE(w->Timer1->isActive());
    QTest::qWait(ClickMs * 3);
    EXPECT_FALSE(w->Timer1->isActive());
    EXPECT_EQ(editingSession().CurrentFillColor, draw::RGB(255, 0, 0));
    EXPECT_EQ(pageObject(1).style.fillColor, draw::RGB(255, 0, 0));
    EXPECT_EQ(pageObject(3).style.fillColor, draw::White);
    shot(*w->MDraw3, "strip-after-red", 3);

    int shows = 0;
    forms::setModalHook([&](QDialog& d) {
        EXPECT_TRUE(qobject_cast<frmFill*>(&d));
        ++shows;
        d.close();
    });
    click(6); // fill swatch 4, twice
    click(6);
    QTest::qWait(ClickMs * 3);
    EXPECT_EQ(shows, 1);
    EXPECT_EQ(drawwin().PendingPreviewCommand, 0);
    EXPECT_EQ(editingSession().CurrentFillPattern, "F0_sc.bmp");
    EXPECT_EQ(pageObject(1).style.fill, draw::FillMode::Solid);
    EXPECT_EQ(pageDrawing().selectedCount(), 2);

    click(6);
    QTest::qWait(ClickMs * 3);
    EXPECT_EQ(editingSession().CurrentFillPattern, "F3_sc.bmp");
    EXPECT_EQ(pageObject(2).tag(draw::tags::Fill), "F3.bmp");
    EXPECT_EQ(pageObject(2).tag(draw::tags::Color), "255");
    shot(*w->MDraw3, "strip-after-pattern", 3);
    shot(*w, "drawarea-after-pattern");
}

TEST_F(PaletteStrip, ARightClickOnAColourSetsOnlyTheLineColour) {
    click(14, Qt::RightButton);
    EXPECT_FALSE(w->Timer1->isActive());
    EXPECT_EQ(pageCanvas().CurrentLineColor, draw::RGB(255, 0, 0));
    EXPECT_EQ(pageObject(1).style.lineColor, draw::RGB(255, 0, 0));
    EXPECT_EQ(w->palette().find(28)->style.fillColor, draw::RGB(255, 0, 0));
    QTest::qWait(ClickMs * 3);
    EXPECT_EQ(editingSession().CurrentFillColor, draw::White);
    EXPECT_EQ(pageObject(1).style.fillColor, draw::White);

    // A right click on a width swatch does not pick it.
    const int width = pageObject(1).style.lineWidth;
    ASSERT_NE(width, 12);
    click(33, Qt::RightButton);
    EXPECT_EQ(pageObject(1).style.lineWidth, width);
    click(33);
    EXPECT_EQ(pageObject(1).style.lineWidth, 12);
    const draw::DrawObject& marker = *w->palette().find(29);
    EXPECT_EQ(marker.y1, 5200);
    EXPECT_EQ(marker.y2, 5300);
    shot(*w->MDraw3, "strip-after-right-click-and-width", 3);
}

TEST_F(PaletteStrip, AColourPickedForSwatchNineRecoloursItAndItsLineOfTheFile) {
    ModGW& m = modgw();
    m.ColorCount = 2;
    m.ColorTable[1] = {QString(), "Red", "255 0 0"};
    m.ColorTable[2] = {QString(), "Blue", "0 0 255"};
    forms::setModalHook([](QDialog& d) {
        auto* c = qobject_cast<frmChooseColor*>(&d);
        ASSERT_TRUE(c);
        SpreadGrid* g = c->SSColor;
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(g->model()->index(0, 0)).center());
        EXPECT_FALSE(d.isVisible());
    });
    click(21);
    click(21);
    QTest::qWait(ClickMs * 3);
    EXPECT_FALSE(forms::isLoaded<frmChooseColor>());
    EXPECT_EQ(w->palette().find(21)->style.fillColor, 255);
    EXPECT_EQ(editingSession().PaletteColors[9], 255);
    EXPECT_EQ(qtext::ReadLines(pf.file("fillpalette.txt")).at(18), " 255 ");
    EXPECT_EQ(editingSession().CurrentFillColor, draw::White);

    // From the menu the chooser works on the same swatch; its close box picks nothing.
    forms::setModalHook([](QDialog& d) { d.close(); });
    w->mnuChooseColor->trigger();
    EXPECT_EQ(drawwin().ChosenColor, -1);
    EXPECT_EQ(w->palette().find(21)->style.fillColor, 255);
}

TEST_F(PaletteStrip, DefineColorsOpensTheDefinitionsAndUnloadsThem) {
    modgw().ColorFile = pf.file("defcolor.col");
    qtext::WriteLines(pf.file("defcolor.col"), {"1", "Red", "255 0 0"});
    QString caption;
    forms::setModalHook([&](QDialog& d) {
        caption = d.windowTitle();
        d.close();
    });
    w->mnuDefineColors->trigger();
    EXPECT_EQ(caption, "Define Colors - " + pf.file("defcolor.col"));
    EXPECT_FALSE(forms::isLoaded<frmColor>());
}
