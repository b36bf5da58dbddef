// SPDX-License-Identifier: GPL-3.0-or-later
// Printing the page: deleted and off-sheet objects dropped, print patterns in their colours, node
// markers left off, the drawing as it was afterwards. Pages go to PDF files, read back with poppler.
#include "drawtest.h"

#include "drawcmd/printdrawing.h"
#include "drawwin/drawwinstate.h"
#include "drawwin/nodemarkers.h"
#include "drawwin/shippedpictures.h"
#include "platform/drawing/drawrender.h"
#include "platform/drawing/picture.h"
#include "support/pdftools.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPrinter>

namespace {

using draw::DrawObject;

class Print : public DrawCmdTest {
protected:
    void SetUp() override {
        DrawCmdTest::SetUp();
        modgw().FillPath = pf.file("fills/");
        shipped::WriteMissing();
        QPrinter& pr = SystemPrinter();
        pr.setOutputFormat(QPrinter::PdfFormat);
        pr.setPageSize(QPageSize(QPageSize::Letter));
        pr.setPageMargins(QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);
    }

    // An object of the page by drawing it through the control, as the window's edits leave them.
    static DrawObject& rect(int x1, int y1, int x2, int y2) {
        page().AddObject(draw::Rectangle, x1, y1, x2, y2);
        return page().at(page().count() - 1);
    }
    static DrawObject& text(const QString& s, int x, int y) {
        page().AddObject(draw::Text, x, y, x, y);
        page().TextString(s);
        page().TextHeight(-150);
        return page().at(page().count() - 1);
    }
    static QStringList ids() {
        QStringList out;
        for (int i = 0; i < page().count(); ++i) out << QString::number(obj(i).id);
        return out;
    }
    QString printTo(const QString& name) {
        const QString path = pf.file(name);
        SystemPrinter().setOutputFileName(path);
        PrintDrawArea();
        return path;
    }
    // The printed page as an image, 100 dots per inch.
    QImage rendered(const QString& pdf) { return pdfPageImage(pdf, pf.file("render"), 100); }

    TempProgramFolder pf;
};

} // namespace

TEST_F(Print, RemovesDeletedAndWhollyOffSheetObjectsOnly) {
    const QStringList keep = {
        QString::number(rect(-300, 500, -99, 700).id),   // reaches a unit into the margin
        QString::number(rect(6400, 10, 6500, 20).id),    // left edge on the margin's edge
        QString::number(rect(-500, 100, 200, 300).id),   // first corner off, the rest on the sheet
        QString::number(rect(100, -99, 200, -200).id),
    };
    rect(-300, 500, -100, 700);                           // wholly in the margin's outside
    rect(6401, 10, 6500, 20);
    rect(100, 4901, 200, 5000);
    DrawObject& soft = rect(-1000, -1000, -1000, -1000); // Delete in the window
    soft.setTag("Change", "T");
    rect(100, 100, 200, 200).setTag("Change", "T");       // deleted, whatever its place
    page().at(0).selected = true;
    recordFirst();

    removedeletedobjects();
    EXPECT_EQ(ids(), keep);
    for (int i = 0; i < page().count(); ++i) {
        EXPECT_EQ(obj(i).tag("Change"), "");
        EXPECT_FALSE(obj(i).selected);
    }
    EXPECT_EQ(undoRecord().UndoCount(), 0);
}

TEST_F(Print, AFillTagWithAFolderIsCutToTheFileName) {
    rect(10, 10, 20, 20).setTag("Fill", "C:\\QMAR\\FILLS\\F3.bmp");
    rect(10, 10, 20, 20).setTag("Fill", "/home/me/fills/F4.bmp");
    rect(10, 10, 20, 20).setTag("Fill", "F5.bmp");
    removedeletedobjects();
    EXPECT_EQ(obj(0).tag("Fill"), "F3.bmp");
    EXPECT_EQ(obj(1).tag("Fill"), "F4.bmp");
    EXPECT_EQ(obj(2).tag("Fill"), "F5.bmp");
}

TEST_F(Print, ColouringKeepsWhiteAndTurnsBlackIntoTheColour) {
    const QImage grid = shipped::FillPattern(5, false);
    const QImage red = ColoredPattern(grid, draw::RGB(200, 0, 0));
    EXPECT_EQ(red.size(), grid.size());
    for (int y = 0; y < grid.height(); ++y)
        for (int x = 0; x < grid.width(); ++x)
            EXPECT_EQ(red.pixelColor(x, y), grid.pixelColor(x, y) == Qt::black ? QColor(200, 0, 0) : QColor(Qt::white));
}

TEST_F(Print, TheColouredWorkFileAndItsFallbackToTheSolidPattern) {
    const QString temp = pf.file("fills/Temp.bmp");
    QString name = "F5_sc.bmp";
    int32_t blue = draw::RGB(0, 0, 255);
    createcoloredFPtemp(name, blue);
    EXPECT_EQ(name, "F5_sc.bmp");
    const QImage grid = shipped::FillPattern(5, false);
    const QImage made(temp);
    ASSERT_EQ(made.size(), grid.size());
    EXPECT_EQ(made.pixelColor(7, 7), QColor(0, 0, 255));    // on the grid line
    EXPECT_EQ(made.pixelColor(2, 2), QColor(Qt::white));

    for (QString missing : {QString(), QStringLiteral("nosuch_sc.bmp")}) {
        int32_t green = draw::RGB(0, 160, 0);
        createcoloredFPtemp(missing, green);
        EXPECT_EQ(missing, "F0_sc.BMP");
        const QImage solid(temp);
        EXPECT_EQ(solid.pixelColor(0, 0), QColor(0, 160, 0));
        EXPECT_EQ(solid.pixelColor(solid.width() - 1, solid.height() - 1), QColor(0, 160, 0));
    }
}

TEST_F(Print, AWorkFileThatCannotBeWrittenIsReported) {
    modgw().FillPath = pf.file("no such folder/");
    ScriptedUi ui;
    ui.answer(1, "in createcoloredFPtemp.  Please contact Kalvex");
    QString name = "F0_sc.bmp";
    int32_t c = 0;
    createcoloredFPtemp(name, c);
}

TEST_F(Print, OneLandscapePagePerCallWithoutTheDeletedObjects) {
    text("Kept text", 1000, 1000);
    DrawObject& gone = text("Deleted text", 1000, 2000);
    gone.setTag("Change", "T");
    gone.setFrame(-1000, -1000, -1000, -1000);

    const QString first = printTo("first.pdf");
    EXPECT_EQ(pdfInfo(first, "Pages"), "1");
    EXPECT_TRUE(pdfInfo(first, "Page size").startsWith("792 x 612")) << pdfInfo(first, "Page size").toStdString();
    const QString words = pdfText(first);
    EXPECT_TRUE(words.contains("Kept text"));
    EXPECT_FALSE(words.contains("Deleted text"));
    EXPECT_EQ(page().count(), 1);

    const QString second = printTo("second.pdf");
    EXPECT_EQ(pdfInfo(second, "Pages"), "1");
}

TEST_F(Print, ASheetTallerThanWidePrintsPortraitASquareOneLandscape) {
    pageCanvas().PaperWidth = 8.5f;
    pageCanvas().PaperHeight = 11;
    c.NewDrawing();
    EXPECT_TRUE(pdfInfo(printTo("tall.pdf"), "Page size").startsWith("612 x 792"));
    pageCanvas().PaperWidth = 9;
    pageCanvas().PaperHeight = 9;
    c.NewDrawing();
    EXPECT_TRUE(pdfInfo(printTo("square.pdf"), "Page size").startsWith("792 x 612"));
}

TEST_F(Print, PatternsPrintInTheirColourAndMarkersStayOffThePaper) {
    // A grid pattern in red over the left half of the sheet; the screen shows its own picture.
    DrawObject& box = rect(0, 0, 3000, 4800);
    page().ObjectId(box.id);
    page().FillPictureFile(LoadPicture(pf.file("fills/F1_sc.bmp")));
    box.setTag("Fill", "F5.bmp");
    box.setTag("Color", QString::number(draw::RGB(255, 0, 0)));
    AddNodeMarker(4500, 2400);
    pageDrawing().at(1).setTag("nodeselected", "T");
    pageDrawing().at(1).style.fillColor = draw::RGB(0, 0, 255);
    const QStringList before = draw::dumpDrawing(page());
    const QImage screenPicture = box.style.fillPicture;

    const QImage img = rendered(printTo("pattern.pdf"));
    ASSERT_FALSE(img.isNull());
    // The sheet fills the printable area, a quarter inch in; the box spans 5 by 8 inches of it.
    int red = 0, black = 0;
    for (int y = 60; y < 760; ++y) {
        for (int x = 40; x < 500; ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.red() > 200 && c.green() < c.red() - 60 && std::abs(c.green() - c.blue()) < 30)
                ++red;
            else if (c.lightness() < 60)
                ++black;
        }
    }
    EXPECT_GT(red, 5000);
    EXPECT_EQ(black, 0);
    // Where the marker sits (4500, 2400 units: 7.75 and 4.25 inches on the page) the paper is white.
    EXPECT_EQ(img.pixelColor(775, 425), QColor(Qt::white));

    EXPECT_EQ(draw::dumpDrawing(page()), before);
    EXPECT_EQ(page().at(0).style.fillPicture, screenPicture);
    EXPECT_TRUE(page().Redraw());
}

TEST_F(Print, MissingPatternsGiveOneMessageNamingTheLast) {
    DrawObject& a = rect(600, 600, 1800, 1800);
    a.setTag("Fill", "nosuch.bmp");
    a.setTag("Color", QString::number(draw::RGB(0, 0, 255)));
    DrawObject& b = rect(3000, 600, 4200, 1800);
    b.setTag("Fill", "gone.bmp");
    b.setTag("Color", "16777215");
    ScriptedUi ui;
    ui.answer(1, "Missing Fill Pattern File: gone.bmp");
    const QImage img = rendered(printTo("missing.pdf"));
    EXPECT_EQ(ui.texts, QStringList({"Missing Fill Pattern File: gone.bmp"}));
    // The solid pattern stands in: in the object's colour, or as its own black when the colour is white.
    // Centres (1200, 1200) and (3600, 1200) units lie at 2.25 and 6.25 inches across, 2.25 down.
    ASSERT_FALSE(img.isNull());
    const QColor blue = img.pixelColor(225, 225), black = img.pixelColor(625, 225);
    EXPECT_TRUE(blue.red() < 10 && blue.green() < 10 && blue.blue() > 245) << blue.name().toStdString();
    EXPECT_LT(black.lightness(), 10) << black.name().toStdString();
}

TEST_F(Print, WithNoPrinterTheUserIsToldToAddOneAndRedrawComesBack) {
    SystemPrinter().setOutputFileName(QString());
    ScriptedUi ui;
    ui.answer(1, kAddPrinterMessage);
    PrintDrawArea();
    EXPECT_TRUE(page().Redraw());
}

TEST_F(Print, ImagesMadeWithThePrintOptionsShowWhatThePaperShows) {
    DrawObject& box = rect(0, 0, 3000, 4800);
    page().ObjectId(box.id);
    page().FillPictureFile(LoadPicture(pf.file("fills/F1_sc.bmp")));
    box.setTag("Fill", "F5.bmp");
    box.setTag("Color", QString::number(draw::RGB(255, 0, 0)));
    AddNodeMarker(4500, 2400);
    DrawObject& deleted = rect(3600, 600, 4200, 1200);
    page().ObjectId(deleted.id);
    page().FillColor(0);
    deleted.setTag("Change", "T");
    const QStringList before = draw::dumpDrawing(page());

    QString missing;
    draw::OutputOptions options = PrintOutputOptions(page(), missing);
    EXPECT_EQ(missing, "");
    options.dotsPerInch = 100; // 6 units a pixel
    const QImage paper = draw::renderImage(page(), options);
    const QImage screen = draw::renderImage(page(), 100);
    auto reds = [](const QImage& img) { // over the patterned box, every fourth pixel each way
        int n = 0;
        for (int y = 0; y < 800; y += 4)
            for (int x = 0; x < 500; x += 4)
                n += img.pixelColor(x, y).red() > 200 && img.pixelColor(x, y).green() < 100;
        return n;
    };
    EXPECT_GT(reds(paper), 1000);
    EXPECT_EQ(reds(screen), 0);
    EXPECT_EQ(paper.pixelColor(750, 400), QColor(Qt::white)); // the marker
    EXPECT_EQ(screen.pixelColor(750, 400), QColor(Qt::red));
    EXPECT_EQ(paper.pixelColor(650, 150), QColor(Qt::white)); // the deleted box
    EXPECT_EQ(screen.pixelColor(650, 150), QColor(Qt::black));
    EXPECT_EQ(draw::dumpDrawing(page()), before); // making the options removes nothing
}
