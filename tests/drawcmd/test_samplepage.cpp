// SPDX-License-Identifier: GPL-3.0-or-later
// A page with every kind of drawing command, rendered to PNG and PDF and checked at a few points.
// Set QMAR_SAMPLE_OUT to a folder to keep the two files for a look. The same page drawn on a canvas
// of its own must match the dump too, and leave the page, its canvas and its session as they were.
//
// Its objects are checked one by one against tests/data/pages/samplepage.dump. Every position there
// was worked out by hand from the inch positions below and compared line by line: the 11 by 8.5 inch
// paper gives a 6300 by 4800 unit sheet, Z(0.5, 0.5) puts the origin at (150, 4650), and with both
// scales 1 the paper point (X, Y) from the origin is the sheet point (150 + 600 X, 4650 - 600 Y),
// rounded half to even (S(2.5, 6.5) is (1650, 750); circles of radius r inches span 600 r each way;
// text lines step down by the text height, AP(10) being 83.33 units). The triangles take 0.866 and
// 0.5 of their size across and down (TRIF(0.15) at (3150, 2670): 3228,2715 3072,2715 3150,2580).
// Line type 6 lays 15 dashes of 60 units, 60 apart, from x = 450, and ends on a dash of length 0
// at 2250, since 3 inches are 15 whole periods. Shades are floor((1 - s) 255) grey: 0.5 gives 127
// (8355711), 0.2 gives 204 (13421772).
#include "drawtest.h"

#include "platform/drawing/drawrender.h"
#include "support/golden.h"
#include "support/testenv.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

// Everything is placed from the page origin at (0.5, 0.5) inch on the paper, that is the sheet point
// (150, 4650).
void drawSamplePage(PageCanvas& c, const QString& bitmap) {
    Metaugl& m = c;
    c.SH(1);
    c.SV(1);
    c.Z(0.5f, 0.5f);
    c.LW(2);
    c.RE(10, 7.5f); // the frame: (150, 4650) to (6150, 150)

    c.S(5, 7.05f);
    c.AP(18);
    c.AC();
    c.A(QStringLiteral(".B.Sample Page"));

    // Alignments at a marked anchor, level and rotated.
    c.AP(10);
    const char* names[] = {"Left aligned", "Centred", "Right aligned"};
    for (int i = 0; i < 3; ++i) {
        c.S(2.5f, 6.5f - 0.3f * i);
        c.C(0.02f);
        if (i == 0)
            c.AL();
        else if (i == 1)
            c.AC();
        else
            c.AR();
        c.A(QString::fromLatin1(names[i]));
    }
    c.AD(90);
    for (int i = 0; i < 3; ++i) {
        c.S(8.5f + 0.4f * i, 4.5f);
        c.C(0.02f);
        if (i == 0)
            c.AL();
        else if (i == 1)
            c.AC();
        else
            c.AR();
        c.A(QString::fromLatin1(names[i]));
    }
    c.AD(0);
    c.AL();
    c.S(4.2f, 6.5f);
    c.A(QStringLiteral(".I.Two lines\\Nof text"));

    // Line types: solid, broken styles and the software dashes.
    for (int16_t t = 1; t <= 6; ++t) {
        c.S(0.5f, 5.4f - 0.25f * (t - 1));
        c.LT(t);
        c.LR(3);
        c.SR(0.1f);
        c.AN(float(t));
    }
    c.LT(1);

    // Circles: outline, filled with the line colour, grey.
    m.CurrentLineColor = draw::RGB(200, 0, 0);
    c.S(5, 4.8f);
    c.C(0.35f);
    c.S(6, 4.8f);
    c.EF(0.3f);
    c.S(7, 4.8f);
    c.EFS(0.3f, 0.5f);

    // A grey box, a blue polygon and a grey polygon.
    c.S(1, 1.5f);
    c.DrawSquareMarker(1.5f, 1, 0.5f);
    c.S(3.5f, 1.5f);
    c.PR(1.5f);
    c.PRTO(-0.5f, 1);
    c.PL(1);
    c.PFC(draw::RGB(0, 0, 255));
    c.S(5.5f, 1.5f);
    c.PRTO(1, 0.25f);
    c.PRTO(-0.25f, 0.75f);
    c.PL(0.5f);
    c.PFS(0.2f);

    // Markers and a number.
    m.CurrentLineColor = draw::RGB(0, 150, 0);
    c.S(5, 3.3f);
    c.TRIF(0.15f);
    c.S(5.6f, 3.3f);
    c.TRI(0.15f);
    c.S(6.2f, 3.3f);
    c.AN(3.14159f);

    // A bitmap stretched into its frame.
    c.S(7.5f, 0.5f);
    c.DrawBMP(bitmap, 2, 1);
}

bool near(QRgb c, int r, int g, int b, int tolerance = 3) {
    return std::abs(qRed(c) - r) <= tolerance && std::abs(qGreen(c) - g) <= tolerance &&
           std::abs(qBlue(c) - b) <= tolerance;
}

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

} // namespace

using SamplePage = DrawCmdTest;

TEST_F(SamplePage, RendersToPngAndPdfWithItsFrameFillsAndText) {
    QTemporaryDir tmp;
    const QString out = qEnvironmentVariable("QMAR_SAMPLE_OUT", tmp.path());
    QDir().mkpath(out);
    QImage symbol(64, 32, QImage::Format_RGB32);
    symbol.fill(Qt::white);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x)
            if ((x / 8 + y / 8) % 2) symbol.setPixel(x, y, qRgb(0, 120, 0));
    const QString bmp = tmp.path() + QStringLiteral("/symbol.bmp");
    ASSERT_TRUE(symbol.save(bmp, "BMP"));

    drawSamplePage(c, bmp);

    // The objects, by hand from the inch positions; every object against the page's dump.
    EXPECT_TRUE(matchesGoldenPage(page(), "samplepage"));
    const draw::DrawObject& frame = obj(0);
    EXPECT_EQ(frame.kind, draw::Rectangle);
    expectFrame(frame, 150, 4650, 6150, 150);
    EXPECT_EQ(last().kind, draw::Bitmap);
    expectFrame(last(), 4650, 4350, 5850, 3750);
    int texts = 0, polygons = 0;
    for (int i = 0; i < objects(); ++i) {
        texts += obj(i).kind == draw::Text;
        polygons += obj(i).kind == draw::Polygon;
    }
    EXPECT_EQ(texts, 16);
    EXPECT_EQ(polygons, 4);

    // PNG at 150 dpi: 4 units a pixel.
    const QString png = out + QStringLiteral("/samplepage.png");
    draw::writePng(page(), png, 150);
    QImage image(png);
    ASSERT_EQ(image.size(), QSize(1575, 1200));
    EXPECT_TRUE(near(image.pixel(10, 10), 255, 255, 255)) << "background outside the frame";
    EXPECT_TRUE(near(image.pixel(900, 350), 255, 255, 255)) << "empty space inside the frame";
    EXPECT_LT(qGray(image.pixel(37, 600)), 60) << "left edge of the frame";
    EXPECT_LT(qGray(image.pixel(800, 1162)), 60) << "bottom edge of the frame";
    EXPECT_TRUE(near(image.pixel(300, 862), 127, 127, 127)) << "centre of the grey box";
    EXPECT_TRUE(near(image.pixel(600, 862), 0, 0, 255)) << "inside the blue polygon";

    const QString pdf = out + QStringLiteral("/samplepage.pdf");
    draw::writePdf(page(), pdf, 0.25);
    EXPECT_TRUE(readRaw(pdf).startsWith("%PDF"));
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdfinfo.isEmpty() || pdftotext.isEmpty()) GTEST_SKIP() << "poppler-utils not installed";
    EXPECT_TRUE(run(pdfinfo, {pdf}).contains(QStringLiteral("792 x 612 pts"))); // 11 by 8.5 inches
    const QString text = run(pdftotext, {pdf, QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("Sample Page"))) << qPrintable(text);
    EXPECT_TRUE(text.contains(QStringLiteral("Right aligned")));
}

TEST_F(SamplePage, DrawnOnACanvasOfItsOwnIsTheSamePageAndLeavesThePageAlone) {
    QTemporaryDir tmp;
    const QString bmp = tmp.path() + QStringLiteral("/symbol.bmp");
    QImage symbol(64, 32, QImage::Format_RGB32);
    symbol.fill(Qt::white);
    ASSERT_TRUE(symbol.save(bmp, "BMP"));
    editingSession().NodeCount = 3;
    modgw().LastPageSize = QStringLiteral("kept");
    const Metaugl pageState = pageCanvas();
    MDrawPro own;
    PageCanvas canvas(own);
    canvas.PaperWidth = 11;
    canvas.PaperHeight = 8.5f;
    canvas.NewDrawing();
    drawSamplePage(canvas, bmp);
    EXPECT_TRUE(matchesGoldenPage(own, "samplepage"));
    EXPECT_EQ(objects(), 0);
    EXPECT_TRUE(pageCanvas() == pageState);
    EXPECT_EQ(editingSession().NodeCount, 3);
    EXPECT_EQ(modgw().LastPageSize, "kept");
}
