// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/contour/plotdoc.h"
#include "platform/drawing/drawdump.h"
#include "platform/gui/drawview.h"
#include "platform/gui/plotwindow.h"
#include "support/menus.h"
#include "support/programstate.h"
#include "support/scriptedui.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>

using namespace contour;

namespace {

ContourGrid hillAndHollow() {
    ContourGrid g;
    g.nx = 101;
    g.ny = 71;
    g.xMin = 0;
    g.xMax = 100;
    g.yMin = 0;
    g.yMax = 70;
    g.z.resize(size_t(g.nx) * g.ny);
    for (int j = 0; j < g.ny; ++j)
        for (int i = 0; i < g.nx; ++i) {
            const double x = g.xAt(i), y = g.yAt(j);
            g.at(i, j) = 50 * std::exp(-((x - 30) * (x - 30) + (y - 40) * (y - 40)) / 400) -
                         30 * std::exp(-((x - 70) * (x - 70) + (y - 25) * (y - 25)) / 300) + 0.2 * x;
        }
    return g;
}

QString logoFile(const QTemporaryDir& dir) {
    QImage img(420, 130, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setBrush(QColor(30, 90, 160));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRect(5, 5, 410, 120), 20, 20);
    p.setPen(Qt::white);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(60);
    p.setFont(f);
    p.drawText(img.rect(), Qt::AlignCenter, QStringLiteral("LOGO"));
    p.end();
    const QString path = dir.filePath(QStringLiteral("logo.png"));
    img.save(path);
    return path;
}

// A page with one of everything a plot holds: the frame and column of the contour report, texts in
// each alignment, rules, a picture, a filled two-dimensional map, the same map turned 45 degrees and
// tilted 30, and a wireframe of it.
void drawSample(Document& d, const QString& logo) {
    DocWindow& win = d.Windows(1);
    win.AutoRedraw(false);
    d.PageSetup().Orientation(2);
    ShapeCollection& s = d.Shapes();
    s.AddRectangle(0.5, 8, 10.5, 0.5);
    s.AddRectangle(8.3, 8, 10.5, 0.5);
    s.AddText(8.4, 7.9, "NOTES").Font().Size(8);
    s.AddText(8.4, 7.7, "Left-aligned, top at y (unset)").Font().Size(8);
    s.AddText(8.4, 7.58, "Values in mg/l").Font().Size(8);
    Shape& right = s.AddText(10.4, 0.6, "Right, bottom at y");
    right.Font().Size(8);
    right.Font().HAlign(3);
    right.Font().VAlign(3);
    Shape& logoShape = d.Import(logo);
    logoShape.left(8.35);
    logoShape.top(1.2);
    logoShape.Height(0.65);
    logoShape.Width(2.1);
    s.AddPolyline({8.3, 1.25, 10.5, 1.25});
    s.AddPolyline({8.3, 2.0, 10.5, 2.0});
    const char* client[] = {"Millbrook Water Board", "12 Station Road", "Millbrook"};
    for (int k = 1; k <= 3; ++k) {
        Shape& t = s.AddText(9.4, 2.0 - k * 0.15, client[k - 1]);
        t.Font().Size(8);
        t.Font().HAlign(2);
        t.Font().VAlign(4);
    }
    s.AddPolyline({8.3, 2.9, 10.5, 2.9});
    const char* titles[] = {"Groundwater levels", "Spring episode", "01/03/2024 - 30/04/2024"};
    for (int k = 0; k < 3; ++k) {
        Shape& t = s.AddText(9.4, 2.75 - k * 0.15, titles[k]);
        t.Font().Size(8);
        t.Font().HAlign(2);
        t.Font().VAlign(4);
    }
    s.AddPolyline({8.3, 3.1, 10.5, 3.1});
    Shape& title = s.AddText(9.4, 3.0, "Date Contour Report");
    title.Font().HAlign(2);
    title.Font().VAlign(4);

    auto& doc = static_cast<PlotDocument&>(d);
    const ContourGrid grid = hillAndHollow();
    const double h = 70 * 3.4 / 100;
    Shape& flat = doc.addContourMap(grid);
    flat.Width(3.4);
    flat.Height(h);
    flat.left(0.75);
    flat.top(4.45 + h);
    flat.Overlays(1).FillContours(true);
    Shape& turned = doc.addContourMap(grid);
    turned.Width(3.4);
    turned.Height(h);
    turned.ViewRotation(45);
    turned.ViewTilt(30);
    const double th = turned.Height() * 3.4 / turned.Width();
    turned.Width(3.4);
    turned.Height(th);
    turned.left(4.7);
    turned.top(4.45 + h);
    Shape& wire = doc.addWireFrame(grid);
    wire.ViewRotation(45);
    wire.ViewTilt(30);
    wire.Width(7.3);
    wire.Height(3.1);
    wire.left(0.75);
    wire.top(3.85);
    for (auto [x, text] : {std::pair{0.75 + 1.7, "Filled, plan"}, {4.7 + 1.7, "Rotation 45, tilt 30"}}) {
        Shape& c = s.AddText(x, 4.45 + h + 0.15, text);
        c.Font().Size(12);
        c.Font().HAlign(2);
        c.Font().VAlign(4);
    }
    win.AutoRedraw(true);
}

int pdfPages(const QString& path, QString* size = nullptr) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {path});
    p.waitForFinished();
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    if (size) {
        const qsizetype at = out.indexOf(QStringLiteral("Page size:"));
        *size = at < 0 ? QString() : out.mid(at + 10).section(QLatin1Char('\n'), 0, 0).trimmed();
    }
    const qsizetype at = out.indexOf(QStringLiteral("Pages:"));
    return at < 0 ? 0 : out.mid(at + 6).section(QLatin1Char('\n'), 0, 0).trimmed().toInt();
}

// Files a developer wants to look at are copied to the folder QMAR_KEEP_OUTPUT names, when set.
void keep(const QString& path) {
    const QString folder = qEnvironmentVariable("QMAR_KEEP_OUTPUT");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    const QString target = QDir(folder).filePath(QFileInfo(path).fileName());
    QFile::remove(target);
    QFile::copy(path, target);
}

class PlotWindowTest : public ProgramStateTest {
protected:
    void SetUp() override {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("printed.pdf")));
        RegisterPlotWindow([this]() -> QPrinter& { return printer; });
    }
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    QTemporaryDir dir;
    QPrinter printer{QPrinter::HighResolution};
};

TEST_F(PlotWindowTest, EachDocumentOpensInAWindowOfItsOwn) {
    Application& app = application();
    app.Visible(true);
    Document& first = app.Documents().Add();
    ASSERT_EQ(PlotWindow::openWindows().size(), 1);
    PlotWindow* w1 = PlotWindow::openWindows().first();
    EXPECT_EQ(w1->windowTitle(), "Plot 1");
    EXPECT_TRUE(w1->isVisible());
    EXPECT_FALSE(w1->isModal());
    EXPECT_EQ(&w1->document(), &first);
    EXPECT_EQ(w1->View->model(), &w1->document().drawing());
    EXPECT_EQ(menuCaptions(w1->menuBar->actions()), QStringList({"&File"}));
    EXPECT_EQ(menuCaptions(w1->mnuFile->actions()), QStringList({"&Print", "Save &As...", "-", "&Close"}));

    app.Documents().Add();
    ASSERT_EQ(PlotWindow::openWindows().size(), 2);
    EXPECT_EQ(PlotWindow::openWindows()[1]->windowTitle(), "Plot 2");
    EXPECT_TRUE(w1->isVisible()); // the first stays open beside the second

    // Close: the window goes, the engine lets the document go at the next Add.
    std::weak_ptr<PlotDocument> doc1 = engine().documents().front();
    w1->mnuClose->trigger();
    settle();
    EXPECT_EQ(PlotWindow::openWindows().size(), 1);
    EXPECT_EQ(engine().documents().size(), 1u);
    app.Documents().Add();
    EXPECT_TRUE(doc1.expired());
    EXPECT_EQ(PlotWindow::openWindows().last()->windowTitle(), "Plot 3");
}

TEST_F(PlotWindowTest, TheSamplePlotPrintsAndSaves) {
    Application& app = application();
    app.Visible(true);
    Document& d = app.Documents().Add();
    drawSample(d, logoFile(dir));
    PlotWindow* w = PlotWindow::openWindows().first();
    const QStringList dump = draw::dumpDrawing(w->document().drawing());
    // The page's own shapes besides the maps' objects.
    EXPECT_EQ(dump.filter(QStringLiteral(" rect ")).size(), 2);
    EXPECT_EQ(dump.filter(QStringLiteral(" bitmap ")).size(), 1);
    EXPECT_EQ(dump.filter(QRegularExpression("text frame=6240,\\d+,6240,\\d+ text=\"Right, bottom at y\" "
                                             "font=\"Arial\",-66.6667,0,2 "))
                  .size(),
              1);
    EXPECT_GT(dump.filter(QStringLiteral(" polygon ")).size(), 5000); // the wireframe's cells
    EXPECT_TRUE(d.Windows(1).AutoRedraw());

    // The window shows the page.
    w->resize(1100, 900);
    const QImage shown = w->grab().toImage();
    int ink = 0;
    for (int y = 0; y < shown.height(); y += 4)
        for (int x = 0; x < shown.width(); x += 4)
            ink += qGray(shown.pixel(x, y)) < 128;
    EXPECT_GT(ink, 500);
    const QString window = dir.filePath(QStringLiteral("window.png"));
    shown.save(window);

    // Print: one job, one landscape page.
    ScriptedUi ui;
    ui.file(dir.filePath(QStringLiteral("printed.pdf")));
    w->mnuPrint->trigger();
    const QString printed = printer.outputFileName();
    ASSERT_TRUE(QFileInfo::exists(printed));
    EXPECT_EQ(w->lblStatus->text(), "1 page printed to " + printed); // after the Save dialog
    QString size;
    EXPECT_EQ(pdfPages(printed, &size), 1);
    const double pw = size.section(' ', 0, 0).toDouble(), ph = size.section(' ', 2, 2).toDouble();
    EXPECT_GT(pw, ph) << size.toStdString();

    // Save As: PNG and PDF through the renderer; another type is refused with a message.
    const QString png = dir.filePath(QStringLiteral("plot.png"));
    const QString pdf = dir.filePath(QStringLiteral("plot.pdf"));
    ui.file(png, QStringLiteral("Save As")).file(pdf).file(dir.filePath(QStringLiteral("plot.jpg")));
    ui.answer(vb::OK, QStringLiteral("PDF file (.pdf) or a PNG picture (.png)"));
    w->mnuSaveAs->trigger();
    w->mnuSaveAs->trigger();
    w->mnuSaveAs->trigger();
    const QImage saved(png);
    EXPECT_EQ(saved.size(), QSize(2200, 1700));
    EXPECT_EQ(pdfPages(pdf, &size), 1);
    EXPECT_TRUE(size.startsWith(QStringLiteral("792 x 612"))) << size.toStdString();
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("plot.jpg"))));
    // The picture is the page: white paper, dark frame lines, grey bands.
    EXPECT_EQ(saved.pixelColor(20, 20), QColor(Qt::white));
    int darkest = 255;
    for (int x = 97; x <= 103; ++x) // across the page border at x = 0.5 inch
        darkest = std::min(darkest, qGray(saved.pixel(x, 400)));
    EXPECT_LT(darkest, 160);

    // The printed page turned into a picture, to be looked at.
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
            {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("100"),
             QStringLiteral("-singlefile"), printed, dir.filePath(QStringLiteral("printed"))});
    ASSERT_TRUE(p.waitForFinished());
    EXPECT_TRUE(QImage(dir.filePath(QStringLiteral("printed.png"))).width() > 1000);
    for (const QString& f : {printed, dir.filePath(QStringLiteral("printed.png")), png, pdf, window})
        keep(f);
}

TEST_F(PlotWindowTest, PrintingWithNoPrinterOpensPrintSetupAndACancelPrintsNothing) {
    printer.setOutputFileName(QString());
    application().Visible(true);
    application().Documents().Add();
    ScriptedUi ui;
    ui.printer(std::nullopt);
    PlotWindow::openWindows().first()->mnuPrint->trigger();
    EXPECT_EQ(ui.printerRequests.size(), 1);
}

} // namespace
