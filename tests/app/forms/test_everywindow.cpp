// SPDX-License-Identifier: GPL-3.0-or-later
// Every window of the program opens inside the screen's available area, frame included, with its
// OK, Cancel, Help and other command buttons in view: ctest runs WindowFit on the offscreen
// platform's screen and again on the screens of tests/data/screens/ (1920 x 1080 at 200 %, and
// 1366 x 768), whose windows have frames. And every date typed into a form is checked when left.
#include "app/forms/frmabout200x.h"
#include "app/forms/frmdatagrid.h"
#include "app/forms/frmgotowell.h"
#include "app/forms/frmgwadd.h"
#include "app/forms/frmgwredef.h"
#include "app/forms/frmprojinfo.h"
#include "drawwin/forms/drawarea.h"
#include "drawwin/forms/frmbitmapsize.h"
#include "drawwin/forms/frmchoosecolor.h"
#include "drawwin/forms/frmcolor.h"
#include "drawwin/forms/frmfill.h"
#include "drawwin/forms/frmfolderpick.h"
#include "drawwin/forms/frmgraphicssystem.h"
#include "drawwin/forms/frmnewdrawing.h"
#include "drawwin/forms/frmprinting.h"
#include "drawcmd/pagecanvas.h"
#include "platform/contour/plotdoc.h"
#include "platform/gui/drawview.h"
#include "platform/gui/forms.h"
#include "platform/gui/guiui.h"
#include "platform/gui/helpviewer.h"
#include "platform/gui/plotwindow.h"
#include "platform/dates.h"
#include "platform/gui/spreadgrid.h"
#include "platform/progfolder.h"
#include "project/modgw.h"
#include "project/projectfile.h"
#include "reportdefs/forms/frmdatecontour.h"
#include "reportdefs/forms/frmdatesum.h"
#include "reportdefs/forms/frmgwelev.h"
#include "reportdefs/forms/frmheadinglogo.h"
#include "reportdefs/forms/frmpar1sum.h"
#include "reportdefs/forms/frmstiff.h"
#include "reportdefs/forms/frmwellnotes.h"
#include "reportdefs/forms/frmwellsum.h"
#include "reportdefs/forms/frmwellwlist.h"
#include "reports/forms/frmdrawprint.h"
#include "support/programstate.h"
#include "support/scriptedui.h"
#include "support/testenv.h"
#include "sitefixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

void expectFits(QWidget& w, const QString& name) {
    QCoreApplication::processEvents();
    const QRect frame = w.frameGeometry();
    if (!(w.windowFlags() & Qt::FramelessWindowHint))
        EXPECT_FALSE(w.windowHandle()->frameMargins().isNull()) << qPrintable(name) << ": no frame to check";
    EXPECT_TRUE(w.screen()->availableGeometry().contains(frame))
        << qPrintable(name) << " at " << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
    static const QStringList commands = {"OK", "Cancel", "Help", "Close", "Yes", "No", "Open", "Save"};
    for (QPushButton* b : w.findChildren<QPushButton*>()) {
        const QString caption = b->text().remove(u'&');
        if (b->isVisibleTo(&w) && (commands.contains(caption) || b->property("keepInView").toBool()))
            EXPECT_EQ(b->visibleRegion().boundingRect(), b->rect()) << qPrintable(name + ": " + caption + " out of view");
    }
}

// What a window must show unscrolled: the drawing window's line widths and styles (palette objects
// 29 to 40), the source summary's Report Info values (its last row).
void expectPartsInView(QDialog& d) {
    auto inView = [&](QWidget* w, const QRect& r) {
        EXPECT_TRUE(QRegion(r).subtracted(w->visibleRegion()).isEmpty()) << qPrintable(d.objectName());
    };
    if (auto* a = qobject_cast<DrawArea*>(&d))
        for (const draw::DrawObject* o : {a->palette().find(29), a->palette().find(40)})
            inView(a->MDraw3, QRect(a->MDraw3->unitsToPixel(QPoint(o->x1, o->y1)).toPoint(),
                                    a->MDraw3->unitsToPixel(QPoint(o->x2, o->y2)).toPoint()));
    if (auto* f = qobject_cast<frmWellSum*>(&d))
        inView(f->SSRepInfo->viewport(), f->SSRepInfo->visualRect(f->SSRepInfo->model()->index(6, 0)));
}

class WindowFit : public ProgramStateTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(SeedProgramFolder(0)); // help pages, colours, headings
        ModGW& m = modgw();
        m.ProjectFile = makeSite(pf.path());
        m.DatabaseFile = pf.file("site.mdb");
        m.DataFolder = pf.path();
        ASSERT_TRUE(OpenProjectInfo());
        pageCanvas().PaperWidth = 11;
        pageCanvas().PaperHeight = 8.5f;
        RegisterDrawingWindow();
        RegisterPlotWindow([this]() -> QPrinter& { return printer; });
    }
    TempProgramFolder pf;
    QPrinter printer;
};

// Each form as the program shows it; the modal hook checks it.
template <class... Forms> void showEach() {
    (..., (forms::showModal(forms::form<Forms>()), forms::unload<Forms>()));
}
// A box the message service runs in its own loop is checked once it is up.
void checkBoxWhenShown(const QString& name) {
    QTimer::singleShot(50, [name] {
        expectFits(*QApplication::activeModalWidget(), name);
        QApplication::activeModalWidget()->close();
    });
}

TEST_F(WindowFit, EveryWindowOpensInsideTheScreenWithItsButtonsInView) {
    const QString screen = qEnvironmentVariable("QMAR_SCREEN"); // as configured, "960x540"
    const QSize area = QGuiApplication::primaryScreen()->availableGeometry().size();
    if (!screen.isEmpty()) ASSERT_EQ(QStringLiteral("%1x%2").arg(area.width()).arg(area.height()), screen);
    // The main window is up first, as in the program, so that windows not yet shown know the frame.
    frmDatAGrid& main = forms::form<frmDatAGrid>();
    main.Timer1->stop();
    main.resize(area * 3 / 4);
    forms::fitToScreen(main);
    main.show();
    expectFits(main, "frmDatAGrid");
    QStringList seen;
    forms::setModalHook([&](QDialog& d) {
        seen << d.objectName();
        expectFits(d, d.objectName());
        if (!screen.isEmpty()) expectPartsInView(d); // on the screens people have
        d.reject();
    });
    showEach<frmAbout200x, frmGoToWell, frmProjInfo, frmGWAdd, frmGWRedef, frmWellSum, frmPar1Sum, frmGWElev,
             frmStiff, frmDateSum, frmDateContour, frmWellWList, frmWellNotes, frmHeadingLogo, frmDrawPrint,
             DrawArea, frmFill, frmChooseColor, frmColor, frmGraphicsSystem, frmFolderPick, frmNewDrawing,
             frmBitmapSize, frmPrinting>();
    GuiUi gui;
    gui.FontDialog({QStringLiteral("Arial"), 10}, 0);
    gui.ColorDialog(0);
    checkBoxWhenShown(QStringLiteral("message box"));
    gui.MsgBox(QStringLiteral("Would you like to save the current file before starting a new file?"), vb::YesNoCancel, QString());
    checkBoxWhenShown(QStringLiteral("input box"));
    gui.InputBox(QStringLiteral("Enter the new name"), QString(), QString());
    checkBoxWhenShown(QStringLiteral("file dialog"));
    gui.FileDialog({.title = QStringLiteral("Open"), .initDir = pf.path()});
    EXPECT_EQ(seen.size(), 26) << qPrintable(seen.join(u' '));

    WinHelpA(&main, QString(), help::HELP_CONTEXT, 1003);
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == QLatin1String("Quillmare 2002 Help")) expectFits(*w, "help viewer");
    contour::application().Visible(true);
    contour::application().Documents().Add();
    expectFits(*PlotWindow::openWindows().last(), "plot window");
    forms::setModalHook({});
}

class TypedDates : public WindowFit {};
template <class Form> QDialog& formOf() { return forms::form<Form>(); }

// Each form's date cells and boxes in both date orders: a date that is none is refused when the cell
// or box is left by Tab, with the message saying which; the text typed stays for correction.
TEST_F(TypedDates, EveryDateTypedIntoAFormIsCheckedWhenLeft) {
    const char *first = "The first date of your sampling episode is not valid.",
               *second = "The second date of your sampling episode is not valid.",
               *century = "Please specify the century when entering episode dates.",
               *start = "The Start Date of the Date Range for Reports is not valid.",
               *end = "The End Date of the Date Range for Reports is not valid.";
    struct Case { QDialog& (*form)(); const char* control; int row, col; const char *text, *mdy, *dmy; };
    const auto stiff = &formOf<frmStiff>, dateSum = &formOf<frmDateSum>, contour = &formOf<frmDateContour>,
               project = &formOf<frmProjInfo>;
    const Case cases[] = {
        {stiff, "SS5", 1, 1, "13/03/1998", first, ""},     {stiff, "SS5", 2, 2, "03/13/1998", "", second},
        {dateSum, "SS5", 1, 1, "13/03/1998", first, ""},   {dateSum, "SS5", 3, 2, "03/13/1998", "", second},
        {contour, "SS3", 5, 1, "13/03/1998,03/13/1998", first, second},
        {contour, "SS3", 5, 1, "3/1/98,3/4/98", century, century}, {contour, "SS3", 5, 1, "3/1/1998", "", ""},
        {contour, "SS3", 5, 1, "03/21/98", century, century}, {contour, "SS3", 5, 1, "03/21/98 x,03/22/1998", first, first},
        {project, "txtStartDate", 0, 0, "13/03/1998", start, ""}, {project, "txtEndDate", 0, 0, "03/13/1998", "", end},
    };
    for (int dayFirst : {0, 1})
        for (const Case& c : cases) {
            qdate::SetDayFirst(dayFirst);
            QString why = QString::fromLatin1(dayFirst ? c.dmy : c.mdy);
            const QString text = QString::fromLatin1(c.text);
            if (!why.isEmpty()) why += dayFirst ? "  Use dd/mm/yyyy." : "  Use mm/dd/yyyy."; // the form expected
            SCOPED_TRACE(std::string(c.control) + " " + c.text + (dayFirst ? " dmy" : " mdy"));
            ScriptedUi ui;
            if (!why.isEmpty()) ui.answer(vb::OK, why);
            QDialog& f = c.form();
            f.show();
            QApplication::setActiveWindow(&f);
            QWidget* control = f.findChild<QWidget*>(QString::fromLatin1(c.control));
            auto* grid = qobject_cast<SpreadGrid*>(control);
            control->setFocus();
            if (auto* box = qobject_cast<QLineEdit*>(control)) box->clear();
            if (grid) grid->setActiveCell(c.row, c.col);
            QTest::keyClicks(control, text);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QApplication::processEvents();
            // Refused: the text typed is still open for correction, and nothing was taken.
            auto* open = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            EXPECT_EQ(open && open->text() == text, !why.isEmpty());
            if (grid) EXPECT_EQ(grid->text(c.row, c.col), why.isEmpty() ? text : "");
            forms::unloadAll();
        }
}

} // namespace
