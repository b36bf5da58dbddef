// SPDX-License-Identifier: GPL-3.0-or-later
// Windows bitmaps: a page written at a chosen pixel size with its sheet in the resolution, and a
// bitmap read back as one picture on a sheet of its size.
#include "platform/drawing/drawcodecs.h"
#include "platform/drawing/drawdump.h"
#include "platform/drawing/mdrawpro.h"
#include "platform/drawing/objecttags.h"
#include "platform/drawing/picture.h"
#include "support/errorof.h"
#include "support/testenv.h"

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace draw;

namespace {

void put32(QByteArray& b, int at, qint32 v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((quint32(v) >> (8 * i)) & 0xFF);
}

QByteArray bmpBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

// An 8-bit bitmap of 16 x 2 pixels whose header says its palette has three colours (red first)
// while its pixels run through the indices up to 255.
QByteArray shortPaletteBmp() {
    QImage image(16, 2, QImage::Format_Indexed8);
    image.setColorTable(QList<QRgb>(256, qRgb(255, 0, 0)));
    for (int i = 0; i < 32; ++i) image.setPixel(i % 16, i / 16, i < 16 ? i * 17 : 255);
    QByteArray b = bmpBytes(image);
    put32(b, 46, 3);
    return b;
}

class BmpFile : public ::testing::Test {
protected:
    BmpFile() {
        // 10.5 by 8 inches, a red block over the left half of the upper half.
        page.PageWidth(6300);
        page.PageHeight(4800);
        page.UnitsWidth(6300);
        page.UnitsHeight(4800);
        page.AddObject(2, 0, 0, 3150, 2400);
        page.LineStyle(5);
        page.FillColor(RGB(255, 0, 0));
    }
    QString file(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }

    QTemporaryDir dir;
    MDrawPro page;
};

} // namespace

TEST_F(BmpFile, APageIsWrittenAtTheOutputSizeWithItsSheetInTheResolution) {
    page.OutputWidth(630);
    page.OutputHeight(300); // not the sheet's proportions: the picture is stretched to it
    page.SaveDrawing(file(QStringLiteral("p.bmp")), 0, 1);

    const QImage image(file(QStringLiteral("p.bmp")), "BMP");
    ASSERT_EQ(image.size(), QSize(630, 300));
    EXPECT_EQ(image.pixel(100, 50), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(400, 50), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(100, 250), qRgb(255, 255, 255));
    // 630 pixels over 10.5 inches, 300 over 8.
    EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, 60, 0.02);
    EXPECT_NEAR(image.dotsPerMeterY() * 0.0254, 37.5, 0.02);

    // Read back: one bitmap on a sheet of the written size, the pixels as written.
    MDrawPro back;
    back.LoadDrawing(file(QStringLiteral("p.bmp")), 0, 1);
    EXPECT_NEAR(back.PageWidth(), 6300, 1);
    EXPECT_NEAR(back.PageHeight(), 4800, 1);
    EXPECT_EQ(back.UnitsWidth(), back.PageWidth());
    EXPECT_EQ(back.UnitsHeight(), back.PageHeight());
    ASSERT_EQ(back.count(), 1);
    const DrawObject& o = back.at(0);
    EXPECT_EQ(o.id, 1);
    EXPECT_EQ(o.kind, Bitmap);
    EXPECT_EQ(QRect(o.x1, o.y1, o.x2 - o.x1, o.y2 - o.y1), QRect(0, 0, back.PageWidth(), back.PageHeight()));
    EXPECT_EQ(o.picture.convertToFormat(QImage::Format_RGB32), image.convertToFormat(QImage::Format_RGB32));
}

TEST_F(BmpFile, WithoutAnOutputSizeTheBitmapIsSixtyPixelsAnInch) {
    page.SaveDrawing(file(QStringLiteral("p.bmp")), 0, 1);
    EXPECT_EQ(QImage(file(QStringLiteral("p.bmp"))).size(), QSize(630, 480));
}

TEST_F(BmpFile, DeletedObjectsAndNodeMarkersStayOutOfTheBitmap) {
    page.AddObject(2, 3150, 0, 6300, 2400); // over the white upper right
    page.LineStyle(5);
    page.FillColor(0);
    page.TagTarget(5);
    page.ObjectTag(tags::Change, tags::Yes);
    page.AddObject(2, 0, 2400, 3150, 4800);
    page.LineStyle(5);
    page.FillColor(0);
    page.ObjectTag(tags::NodeSelected, tags::No);
    writeBmp(page, file(QStringLiteral("p.bmp")), QSize(63, 48));
    const QImage image(file(QStringLiteral("p.bmp")));
    EXPECT_EQ(image.pixel(10, 10), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(50, 10), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(10, 40), qRgb(255, 255, 255));
}

TEST_F(BmpFile, ABitmapStatingNoResolutionIsTakenAtNinetySixDotsAnInch) {
    QImage image(192, 48, QImage::Format_RGB32);
    image.fill(qRgb(0, 128, 0));
    QByteArray bytes = bmpBytes(image);
    put32(bytes, 38, 0);
    put32(bytes, 42, 0);
    writeRaw(file(QStringLiteral("plain.bmp")), bytes);
    page.LoadDrawing(file(QStringLiteral("plain.bmp")), 0, 1);
    EXPECT_EQ(page.PageWidth(), 1200);
    EXPECT_EQ(page.PageHeight(), 300);
    ASSERT_EQ(page.count(), 1);
    EXPECT_EQ(page.at(0).picture.pixel(5, 5), qRgb(0, 128, 0));

    // A stated resolution of one dot a metre would make a sheet of miles.
    put32(bytes, 38, 1);
    put32(bytes, 42, 1);
    writeRaw(file(QStringLiteral("coarse.bmp")), bytes);
    page.LoadDrawing(file(QStringLiteral("coarse.bmp")), 0, 1);
    EXPECT_EQ(page.PageWidth(), 1200);
}

TEST_F(BmpFile, AFileThatIsNoBitmapOrTooLargeIsRefusedAndThePageStays) {
    const QStringList before = dumpDrawing(page);
    QImage small(40, 30, QImage::Format_RGB32);
    small.fill(Qt::blue);
    const QByteArray bmp = bmpBytes(small);

    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    small.save(&buffer, "PNG");
    writeRaw(file(QStringLiteral("png.bmp")), png);
    QByteArray huge = bmp;
    put32(huge, 18, 12000);
    put32(huge, 22, 12000);
    writeRaw(file(QStringLiteral("huge.bmp")), huge);
    // Rows of 2^31 pixels of 65535 bits: their byte count overflows 64 bits.
    QByteArray rows = bmp;
    for (auto [at, v] : {std::pair{18, 0x7FFFFFFF}, {22, 0x7FFFFFFF}, {26, 1 | 0xFFFF << 16}}) put32(rows, at, v);
    writeRaw(file(QStringLiteral("rows.bmp")), rows);

    for (const auto& [name, error] : {std::pair{QStringLiteral("png.bmp"), 321},
                                      {QStringLiteral("huge.bmp"), 61706},
                                      {QStringLiteral("rows.bmp"), 61706}}) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(errorOf([&] { page.LoadDrawing(file(name), 0, 1); }), error);
        EXPECT_EQ(dumpDrawing(page), before);
        EXPECT_EQ(page.PageWidth(), 6300);
    }

    // Indices beyond the palette: black, as a drawing and as a logo, fill or symbol; painted safely.
    writeRaw(file(QStringLiteral("palette.bmp")), shortPaletteBmp());
    page.LoadDrawing(file(QStringLiteral("palette.bmp")), 0, 1);
    ASSERT_EQ(page.count(), 1);
    const QImage picture = page.at(0).picture;
    EXPECT_EQ(picture.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(picture.pixel(1, 0), qRgb(0, 0, 0));
    EXPECT_EQ(LoadPicture(file(QStringLiteral("palette.bmp"))), picture);
    writeBmp(page, file(QStringLiteral("painted.bmp")), QSize(32, 4));
    EXPECT_EQ(QImage(file(QStringLiteral("painted.bmp"))).pixel(31, 0), qRgb(0, 0, 0));
}

TEST_F(BmpFile, ABitmapTooLargeToMakeIsRefusedAndNothingIsWritten) {
    EXPECT_EQ(errorOf([&] { writeBmp(page, file(QStringLiteral("big.bmp")), QSize(20000, 20000)); }), 61706);
    EXPECT_EQ(errorOf([&] { writeBmp(page, file(QStringLiteral("none.bmp")), QSize(0, 10)); }), 5);
    EXPECT_FALSE(QFile::exists(file(QStringLiteral("big.bmp"))));
    EXPECT_FALSE(QFile::exists(file(QStringLiteral("none.bmp"))));
}
