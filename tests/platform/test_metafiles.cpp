// SPDX-License-Identifier: GPL-3.0-or-later
// Windows metafiles (WMF, EMF): our own pages written and read back, files of other programs written
// here byte by byte from the published record layouts, and damaged files.
#include "platform/drawing/drawcodecs.h"
#include "platform/drawing/drawmodel.h"
#include "platform/drawing/drawrender.h"
#include "platform/drawing/objecttags.h"
#include "support/errorof.h"
#include "support/programstate.h"

#include <QFile>
#include <QFontMetricsF>
#include <QTemporaryDir>
#include <QtEndian>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

using draw::DrawModel;
using draw::DrawObject;
using draw::FillMode;
using draw::Long;

namespace {

// ---- bytes as the format descriptions lay them out, little-endian

struct Bytes {
    QByteArray b;
    Bytes& u8(int v) {
        b.append(char(v));
        return *this;
    }
    Bytes& u16(int v) {
        char c[2];
        qToLittleEndian<quint16>(quint16(v), c);
        b.append(c, 2);
        return *this;
    }
    Bytes& u32(quint32 v) {
        char c[4];
        qToLittleEndian<quint32>(v, c);
        b.append(c, 4);
        return *this;
    }
    Bytes& raw(const QByteArray& r) {
        b.append(r);
        return *this;
    }
};

// A WMF record: size in 16-bit words, function, then 16-bit parameters.
QByteArray wmf(quint16 function, std::initializer_list<int> words, const QByteArray& tail = {}) {
    Bytes r;
    r.u32(quint32(3 + words.size() + (tail.size() + 1) / 2)).u16(function);
    for (int w : words)
        r.u16(w);
    r.raw(tail);
    if (tail.size() % 2) r.u8(0);
    return r.b;
}

// An EMF record: type, size in bytes, then 32-bit parameters and any further bytes.
QByteArray emf(quint32 type, std::initializer_list<qint64> params, const QByteArray& tail = {}) {
    Bytes r;
    r.u32(type).u32(quint32(8 + 4 * params.size() + tail.size()));
    for (qint64 v : params)
        r.u32(quint32(v));
    r.raw(tail);
    return r.b;
}

QByteArray points16(std::initializer_list<QPoint> pts) {
    Bytes r;
    for (const QPoint& p : pts)
        r.u16(p.x()).u16(p.y());
    return r.b;
}

Long colour(int r, int g, int b) {
    return draw::RGB(r, g, b);
}

struct MetafileFiles : ProgramStateTest {
    QTemporaryDir dir;
    QString file(const QString& name) const { return dir.filePath(name); }
    QString writeFile(const QString& name, const QByteArray& bytes) {
        QFile f(file(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return file(name);
    }
};

// ---- a page with every kind

QImage checker(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(20 * x, 255 - 20 * y, (x + y) % 2 ? 200 : 30));
    return image;
}

DrawObject& box(DrawModel& m, draw::Kind kind, QRect r) {
    return m.add(kind, r.left(), r.top(), r.right(), r.bottom());
}

// Letter, landscape: every kind, three texts (one turned), a pattern fill, a bitmap, a turned
// rectangle, a group, and a deleted object that no file shows.
void samplePage(DrawModel& m) {
    m.setPageWidth(6600);
    m.setPageHeight(5100);
    m.setUnitsWidth(6600);
    m.setUnitsHeight(5100);
    DrawObject& line = m.add(draw::Line, 100, 100, 1100, 600);
    line.style.lineColor = colour(255, 0, 0);
    line.style.lineWidth = 8;
    line.style.lineStyle = draw::Dash;
    DrawObject& patterned = box(m, draw::Rectangle, QRect(QPoint(200, 700), QPoint(1400, 1500)));
    patterned.style.fill = FillMode::Picture;
    patterned.style.fillPicture = checker(8, 8);
    patterned.style.lineColor = colour(0, 0, 255);
    patterned.style.lineWidth = 4;
    DrawObject& round = box(m, draw::RoundRect, QRect(QPoint(1600, 700), QPoint(2800, 1500)));
    round.style.fillColor = colour(255, 255, 0);
    DrawObject& ellipse = box(m, draw::Ellipse, QRect(QPoint(3000, 700), QPoint(4200, 1500)));
    ellipse.style.fill = FillMode::None;
    ellipse.style.lineColor = colour(0, 160, 0);
    ellipse.style.lineWidth = 12;
    DrawObject& polyline = m.add(draw::Polyline, 0, 0, 0, 0);
    m.setVertices(polyline, {QPoint(100, 2000), QPoint(600, 2400), QPoint(1100, 2000), QPoint(1600, 2400)});
    polyline.style.lineColor = colour(10, 20, 30);
    polyline.style.lineStyle = draw::Dot;
    DrawObject& polygon = m.add(draw::Polygon, 0, 0, 0, 0);
    m.setVertices(polygon, {QPoint(2000, 2000), QPoint(2600, 2000), QPoint(2300, 2500)});
    polygon.style.fillColor = colour(200, 100, 50);
    polygon.style.lineStyle = draw::NoLine;
    DrawObject& left = m.add(draw::Text, 300, 3000, 300, 3000);
    left.text = QStringLiteral("Left text");
    left.style.textHeight = -100;
    left.style.textBold = true;
    left.style.textColor = colour(0, 0, 128);
    DrawObject& turned = m.add(draw::Text, 2000, 3000, 2000, 3000);
    turned.text = QStringLiteral("Turned");
    turned.style.textAlign = 1;
    turned.style.textAngle = 30;
    turned.style.textHeight = -150;
    turned.style.textItalic = true;
    turned.style.fontName = QStringLiteral("Times New Roman");
    DrawObject& right = m.add(draw::Text, 4000, 3000, 4000, 3000);
    right.text = QStringLiteral("Right");
    right.style.textAlign = 2;
    right.style.textHeight = 120; // a cell height
    right.style.textUnderline = true;
    m.nextPicture = checker(12, 9);
    box(m, draw::Bitmap, QRect(QPoint(4500, 2000), QPoint(5700, 2900)));
    DrawObject& turnedBox = box(m, draw::Rectangle, QRect(QPoint(4500, 3500), QPoint(5700, 4300)));
    turnedBox.angle = 30;
    turnedBox.style.fillColor = colour(90, 90, 250);
    DrawObject& a = box(m, draw::Rectangle, QRect(QPoint(300, 4000), QPoint(900, 4600)));
    DrawObject& b = box(m, draw::Ellipse, QRect(QPoint(1000, 4000), QPoint(1600, 4600)));
    a.selected = b.selected = true;
    m.groupSelected();
    m.clearSelection();
    DrawObject& gone = box(m, draw::Rectangle, QRect(QPoint(-1000, -1000), QPoint(-1000, -1000)));
    gone.setTag(draw::tags::Change, draw::tags::Yes);
}

void expectNear(const QPointF& got, const QPointF& want, double tol, const char* what) {
    EXPECT_NEAR(got.x(), want.x(), tol) << what;
    EXPECT_NEAR(got.y(), want.y(), tol) << what;
}

void expectFrame(const DrawObject& got, const DrawObject& want) {
    const QRectF g = got.frameRect(), w = want.frameRect();
    expectNear(g.topLeft(), w.topLeft(), 1, "frame corner");
    expectNear(g.bottomRight(), w.bottomRight(), 1, "frame corner");
}

void expectSamePixels(const QImage& got, const QImage& want) {
    ASSERT_EQ(got.size(), want.size());
    for (int y = 0; y < want.height(); ++y)
        for (int x = 0; x < want.width(); ++x)
            ASSERT_EQ(got.pixel(x, y) & 0xFFFFFF, want.pixel(x, y) & 0xFFFFFF) << x << "," << y;
}

struct Format {
    const char* name;
    void (*write)(const DrawModel&, const QString&);
    void (*read)(const QString&, DrawModel&);
    bool turnsShapes; // EMF turns frames by a world transform; WMF writes them as polygons
};

void PrintTo(const Format& f, std::ostream* os) {
    *os << f.name;
}

const Format Wmf{"wmf", draw::writeWmf, draw::readWmf, false};
const Format Emf{"emf", draw::writeEmf, draw::readEmf, true};

struct RoundTrip : MetafileFiles, ::testing::WithParamInterface<Format> {
    void roundTrip(const DrawModel& m, DrawModel& back) {
        const QString path = file(QStringLiteral("page.") + GetParam().name);
        GetParam().write(m, path);
        GetParam().read(path, back);
    }
};

TEST_P(RoundTrip, APageComesBackWithItsKindsFramesStylesAndTexts) {
    DrawModel m;
    samplePage(m);
    DrawModel back;
    roundTrip(m, back);
    EXPECT_EQ(back.pageWidth(), 6600);
    EXPECT_EQ(back.pageHeight(), 5100);
    EXPECT_EQ(back.unitsWidth(), 6600);
    EXPECT_EQ(back.unitsHeight(), 5100);
    ASSERT_EQ(back.count(), m.count() - 1) << "the deleted object stays out";
    for (int i = 0; i < back.count(); ++i) {
        const DrawObject& want = m.at(i);
        const DrawObject& got = back.at(i);
        SCOPED_TRACE(QStringLiteral("object %1 (%2)").arg(i).arg(draw::kindName(want.kind)).toStdString());
        EXPECT_EQ(got.id, i + 1);
        EXPECT_EQ(got.group, 0) << "metafiles hold no groups";
        if (want.angle != 0 && !GetParam().turnsShapes) {
            // The turned rectangle as the polygon of its turned corners.
            ASSERT_EQ(got.kind, draw::Polygon);
            const QPolygonF corners = draw::objectTransform(want).map(QPolygonF(want.frameRect()));
            const QVector<QPointF> placed = got.placedVertices();
            ASSERT_EQ(placed.size(), 4);
            for (int k = 0; k < 4; ++k)
                expectNear(placed[k], corners[k], 1, "turned corner");
            EXPECT_EQ(got.style.fillColor, want.style.fillColor);
            continue;
        }
        ASSERT_EQ(got.kind, want.kind);
        EXPECT_NEAR(got.angle, want.angle, 0.01);
        switch (want.kind) {
        case draw::Line:
            EXPECT_EQ(QPoint(got.x1, got.y1), QPoint(want.x1, want.y1));
            EXPECT_EQ(QPoint(got.x2, got.y2), QPoint(want.x2, want.y2));
            break;
        case draw::Polyline:
        case draw::Polygon: {
            const QVector<QPointF> g = got.placedVertices(), w = want.placedVertices();
            ASSERT_EQ(g.size(), w.size());
            for (qsizetype k = 0; k < w.size(); ++k)
                expectNear(g[k], w[k], 1, "vertex");
            break;
        }
        case draw::Text:
            expectNear(QPointF(got.x1, got.y1), QPointF(want.x1, want.y1), 1, "anchor");
            EXPECT_EQ(got.text, want.text);
            EXPECT_EQ(got.style.textAlign, want.style.textAlign);
            EXPECT_NEAR(got.style.textAngle, want.style.textAngle, 0.1);
            EXPECT_NEAR(got.style.textHeight, want.style.textHeight, 1);
            EXPECT_EQ(got.style.fontName, want.style.fontName);
            EXPECT_EQ(got.style.textBold, want.style.textBold);
            EXPECT_EQ(got.style.textItalic, want.style.textItalic);
            EXPECT_EQ(got.style.textUnderline, want.style.textUnderline);
            EXPECT_EQ(got.style.textColor, want.style.textColor);
            break;
        case draw::Bitmap:
            expectFrame(got, want);
            expectSamePixels(got.picture, want.picture);
            break;
        default:
            expectFrame(got, want);
            EXPECT_EQ(got.style.fill, want.style.fill);
            if (want.style.fill == FillMode::Solid) EXPECT_EQ(got.style.fillColor, want.style.fillColor);
            if (want.style.fill == FillMode::Picture) {
                expectSamePixels(got.style.fillPicture, want.style.fillPicture);
                EXPECT_EQ(got.style.fillPicture.dotsPerMeterX(), want.style.fillPicture.dotsPerMeterX());
            }
            break;
        }
        if (want.kind != draw::Text && want.kind != draw::Bitmap) {
            EXPECT_EQ(got.style.lineColor, want.style.lineColor);
            EXPECT_EQ(got.style.lineStyle, want.style.lineStyle);
            if (want.style.lineStyle != draw::NoLine) EXPECT_EQ(got.style.lineWidth, want.style.lineWidth);
        }
    }
}

TEST_P(RoundTrip, TheSheetAndAnExtentOtherThanTheSheet) {
    // A4 landscape, with coordinates at twice the sheet's units: objects come back on the sheet.
    DrawModel m;
    m.setPageWidth(7016);
    m.setPageHeight(4961);
    m.setUnitsLeft(-200);
    m.setUnitsTop(100);
    m.setUnitsWidth(14032);
    m.setUnitsHeight(9922);
    box(m, draw::Rectangle, QRect(QPoint(-200, 100), QPoint(1800, 2100)));
    DrawObject& t = m.add(draw::Text, 7000, 5000, 7000, 5000);
    t.text = QStringLiteral("x");
    t.style.textHeight = -200;
    DrawModel back;
    roundTrip(m, back);
    EXPECT_EQ(back.pageWidth(), 7016);
    EXPECT_EQ(back.pageHeight(), 4961);
    ASSERT_EQ(back.count(), 2);
    EXPECT_EQ(back.at(0).frameRect(), QRectF(0, 0, 1000, 1000));
    EXPECT_NEAR(back.at(1).x1, 3600, 1);
    EXPECT_NEAR(back.at(1).y1, 2450, 1);
    EXPECT_NEAR(back.at(1).style.textHeight, -100, 1);
}

TEST_P(RoundTrip, AnEmptyPageAndTextsTheRendererWouldNotShow) {
    DrawModel m;
    m.setPageWidth(600);
    m.setPageHeight(300);
    DrawObject& none = m.add(draw::Text, 10, 10, 10, 10);
    none.text = QStringLiteral("no height");
    none.style.textHeight = 0;
    DrawModel back;
    roundTrip(m, back);
    EXPECT_EQ(back.count(), 0);
    EXPECT_EQ(back.pageWidth(), 600);
    EXPECT_EQ(back.pageHeight(), 300);
}

TEST_P(RoundTrip, AFileShortOfItsLastTwoBytesRaises321) {
    DrawModel m, back;
    samplePage(m);
    const QString path = file(QStringLiteral("page.") + GetParam().name);
    GetParam().write(m, path);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString cut = writeFile(QStringLiteral("cut.") + GetParam().name, f.readAll().chopped(2));
    EXPECT_EQ(errorOf([&] { GetParam().read(cut, back); }), 321);
}

TEST_P(RoundTrip, ATurnedBitmapTurnsByTheWorldTransformOrAsTurnedPixels) {
    DrawModel m;
    m.setPageWidth(3000);
    m.setPageHeight(1800);
    m.setUnitsWidth(3000);
    m.setUnitsHeight(1800);
    m.nextPicture = checker(40, 20);
    DrawObject& o = box(m, draw::Bitmap, QRect(QPoint(600, 600), QPoint(1800, 1200)));
    o.angle = 30;
    DrawModel back;
    roundTrip(m, back);
    ASSERT_EQ(back.count(), 1);
    const DrawObject& got = back.at(0);
    ASSERT_EQ(got.kind, draw::Bitmap);
    if (GetParam().turnsShapes) {
        EXPECT_NEAR(got.angle, 30, 0.01);
        expectFrame(got, o);
        expectSamePixels(got.picture, o.picture);
    } else {
        // Upright pixels over the box the turned picture covers, white in its corners.
        EXPECT_EQ(got.angle, 0);
        const QRectF covered = draw::objectTransform(o).mapRect(o.frameRect());
        expectNear(got.frameRect().topLeft(), covered.topLeft(), 1, "covered box");
        expectNear(got.frameRect().bottomRight(), covered.bottomRight(), 1, "covered box");
        EXPECT_EQ(got.picture.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
    }
}

TEST_P(RoundTrip, ASheetBeyondSixteenBitsAt600AnInchStillComesBack) {
    DrawModel m;
    m.setPageWidth(36000); // 60 inches
    m.setPageHeight(1200);
    m.setUnitsWidth(36000);
    m.setUnitsHeight(1200);
    box(m, draw::Rectangle, QRect(QPoint(30000, 100), QPoint(35000, 1100)));
    DrawModel back;
    roundTrip(m, back);
    EXPECT_NEAR(back.pageWidth(), 36000, 2);
    EXPECT_NEAR(back.pageHeight(), 1200, 2);
    ASSERT_EQ(back.count(), 1);
    EXPECT_NEAR(back.at(0).x1, 30000, 2);
    EXPECT_NEAR(back.at(0).x2, 35000, 2);
}

INSTANTIATE_TEST_SUITE_P(Metafiles, RoundTrip, ::testing::Values(Wmf, Emf),
                         [](const ::testing::TestParamInfo<Format>& info) { return std::string(info.param.name); });

// ---- what our files say of themselves

TEST_F(MetafileFiles, OurWmfIsPlaceableAt600UnitsAnInchWithTheSheetAsItsBox) {
    DrawModel m;
    m.setPageWidth(6600);
    m.setPageHeight(5100);
    draw::writeWmf(m, file("sheet.wmf"));
    QFile f(file("sheet.wmf"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray b = f.readAll();
    const uchar* d = reinterpret_cast<const uchar*>(b.constData());
    EXPECT_EQ(qFromLittleEndian<quint32>(d), 0x9AC6CDD7u);
    EXPECT_EQ(qFromLittleEndian<qint16>(d + 10), 6600); // right
    EXPECT_EQ(qFromLittleEndian<qint16>(d + 12), 5100); // bottom
    EXPECT_EQ(qFromLittleEndian<quint16>(d + 14), 600);  // units an inch
    quint16 sum = 0;
    for (int i = 0; i < 20; i += 2)
        sum ^= qFromLittleEndian<quint16>(d + i);
    EXPECT_EQ(qFromLittleEndian<quint16>(d + 20), sum);
    EXPECT_EQ(qFromLittleEndian<quint32>(d + 28) * 2, quint32(b.size() - 22)) << "size in words";
}

TEST_F(MetafileFiles, OurEmfHasASixHundredDpiDeviceAndItsFrameInHundredthsOfAMillimetre) {
    DrawModel m;
    m.setPageWidth(6600); // 11 by 8.5 inches: 279.4 by 215.9 mm
    m.setPageHeight(5100);
    draw::writeEmf(m, file("sheet.emf"));
    QFile f(file("sheet.emf"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray b = f.readAll();
    const uchar* d = reinterpret_cast<const uchar*>(b.constData());
    auto i32 = [&](int at) { return qFromLittleEndian<qint32>(d + at); };
    EXPECT_EQ(i32(16), 6599); // bounds, inclusive device pixels
    EXPECT_EQ(i32(20), 5099);
    EXPECT_EQ(i32(32), 27939); // frame, inclusive hundredths of a millimetre
    EXPECT_EQ(i32(36), 21589);
    EXPECT_EQ(qFromLittleEndian<quint32>(d + 40), 0x464D4520u);
    EXPECT_EQ(qFromLittleEndian<quint32>(d + 48), quint32(b.size()));
    EXPECT_EQ(i32(72), 6600); // device pixels
    EXPECT_EQ(i32(80), 279);  // millimetres
    EXPECT_EQ(i32(100), 279400); // micrometres
    EXPECT_EQ(i32(104), 215900);
}

// ---- files of other programs

QByteArray placeable(int left, int top, int right, int bottom, int inch) {
    Bytes p;
    p.u32(0x9AC6CDD7).u16(0).u16(left).u16(top).u16(right).u16(bottom).u16(inch).u32(0);
    quint16 sum = 0;
    for (int i = 0; i < 20; i += 2)
        sum ^= qFromLittleEndian<quint16>(p.b.constData() + i);
    p.u16(sum);
    return p.b;
}

QByteArray wmfFile(const QByteArray& records) {
    Bytes h;
    h.u16(1).u16(9).u16(0x0300).u32(quint32(9 + records.size() / 2)).u16(4).u32(64).u16(0);
    return h.b + records;
}

// The distance from the middle of a line to its baseline, as the renderer lays text out.
double baselineOffset(const QString& face, bool bold, double em) {
    QFont font(face);
    font.setPixelSize(256);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    const QFontMetricsF fm(font);
    return (fm.ascent() - fm.descent()) / 2 * em / 256;
}

TEST_F(MetafileFiles, AWmfWithPlaceableHeaderPensBrushesPolyPolygonsSavedStatesAndText) {
    // Two inches by one at 1440 units an inch: the sheet is 1200 by 600 drawing units.
    Bytes face;
    face.raw("Times New Roman").u8(0);
    QByteArray r;
    r += wmf(0x0103, {8});                           // anisotropic mapping
    r += wmf(0x020B, {0, 0});                        // window origin y, x
    r += wmf(0x020C, {1440, 2880});                  // window extent y, x
    r += wmf(0x02FA, {0, 48, 0, 0x00FF, 0x0000});    // pen: solid, 48 wide, red -> slot 0
    r += wmf(0x02FC, {0, 0x0000, 0x00FF, 0});        // brush: solid blue -> slot 1
    r += wmf(0x012D, {0});
    r += wmf(0x012D, {1});
    r += wmf(0x0626, {15, 4}, "note");               // a comment escape
    r += wmf(0x041B, {720, 1440, 0, 0});             // rectangle bottom, right, top, left
    r += wmf(0x001E, {});                            // save
    r += wmf(0x02FA, {5, 0, 0, 0, 0});               // no pen -> slot 2
    r += wmf(0x012D, {2});
    r += wmf(0x0538, {2, 3, 4, 1440, 0, 2880, 0, 2880, 720, 0, 720, 480, 720, 480, 1200, 0, 1200});
    r += wmf(0x0127, {0xFFFF});                      // restore the last save: the red pen
    r += wmf(0x01F0, {2});
    r += wmf(0x0418, {1440, 2880, 720, 1440});       // ellipse
    r += wmf(0x0209, {0xA000, 0x0000});              // text colour RGB(0, 160, 0)
    r += wmf(0x012E, {24 | 6});                      // baseline, centred
    r += wmf(0x02FB, {0xFF10, 0, 900, 900, 700, 0, 0, 0, 0}, face.b); // -240 high, turned 90, bold -> slot 2
    r += wmf(0x012D, {2});
    Bytes textOut; // length, the characters, then the point y, x
    textOut.u16(2).raw("Hi").u16(1080).u16(720);
    r += wmf(0x0521, {}, textOut.b);
    r += wmf(0x0999, {1, 2, 3});                     // a record nobody knows
    r += wmf(0x0000, {});
    const QString path = writeFile("foreign.wmf", placeable(0, 0, 2880, 1440, 1440) + wmfFile(r));

    DrawModel m;
    draw::readWmf(path, m);
    EXPECT_EQ(m.pageWidth(), 1200);
    EXPECT_EQ(m.pageHeight(), 600);
    ASSERT_EQ(m.count(), 5);
    const DrawObject& rect = m.at(0);
    EXPECT_EQ(rect.kind, draw::Rectangle);
    EXPECT_EQ(rect.frameRect(), QRectF(0, 0, 600, 300));
    EXPECT_EQ(rect.style.lineColor, colour(255, 0, 0));
    EXPECT_EQ(rect.style.lineWidth, 20);
    EXPECT_EQ(rect.style.fillColor, colour(0, 0, 255));
    const DrawObject& triangle = m.at(1);
    EXPECT_EQ(triangle.kind, draw::Polygon);
    EXPECT_EQ(triangle.style.lineStyle, draw::NoLine);
    EXPECT_EQ(triangle.vertices, (QVector<QPoint>{{600, 0}, {1200, 0}, {1200, 300}}));
    EXPECT_EQ(m.at(2).vertices, (QVector<QPoint>{{0, 300}, {200, 300}, {200, 500}, {0, 500}}));
    const DrawObject& ellipse = m.at(3);
    EXPECT_EQ(ellipse.kind, draw::Ellipse);
    EXPECT_EQ(ellipse.frameRect(), QRectF(600, 300, 600, 300));
    EXPECT_EQ(ellipse.style.lineColor, colour(255, 0, 0)) << "the saved pen is back";
    EXPECT_EQ(ellipse.style.lineStyle, draw::Solid);
    const DrawObject& text = m.at(4);
    EXPECT_EQ(text.kind, draw::Text);
    EXPECT_EQ(text.text, QStringLiteral("Hi"));
    EXPECT_EQ(text.style.fontName, QStringLiteral("Times New Roman"));
    EXPECT_DOUBLE_EQ(text.style.textHeight, -100);
    EXPECT_DOUBLE_EQ(text.style.textAngle, 90);
    EXPECT_TRUE(text.style.textBold);
    EXPECT_EQ(text.style.textAlign, 1);
    EXPECT_EQ(text.style.textColor, colour(0, 160, 0));
    // The baseline runs up through (300, 450); the middle of the line lies to its left.
    EXPECT_NEAR(text.x1, 300 - baselineOffset("Times New Roman", true, 100), 1);
    EXPECT_EQ(text.y1, 450);
}

TEST_F(MetafileFiles, AWmfWithoutPlaceableHeaderIs1440UnitsAnInchFramedByItsWindow) {
    QByteArray r;
    r += wmf(0x0103, {8});
    r += wmf(0x020B, {100, 100});     // window origin
    r += wmf(0x020C, {1440, 2880});   // two inches by one
    r += wmf(0x0214, {100, 100});     // move to y, x
    r += wmf(0x0213, {1540, 2980});   // line to
    r += wmf(0x001E, {});
    r += wmf(0x020B, {0, 0});
    r += wmf(0x0214, {0, 0});
    r += wmf(0x0127, {1});            // back to the first save: origin and pen position
    r += wmf(0x0213, {100, 2980});
    r += wmf(0x0000, {});
    DrawModel m;
    draw::readWmf(writeFile("plain.wmf", wmfFile(r)), m);
    EXPECT_EQ(m.pageWidth(), 1200);
    EXPECT_EQ(m.pageHeight(), 600);
    ASSERT_EQ(m.count(), 2);
    EXPECT_EQ(m.at(0).kind, draw::Line);
    EXPECT_EQ(QRect(QPoint(m.at(0).x1, m.at(0).y1), QPoint(m.at(0).x2, m.at(0).y2)), QRect(QPoint(0, 0), QPoint(1200, 600)));
    EXPECT_EQ(QRect(QPoint(m.at(1).x1, m.at(1).y1), QPoint(m.at(1).x2, m.at(1).y2)), QRect(QPoint(1200, 600), QPoint(1200, 0)));
    EXPECT_EQ(m.at(0).style.lineWidth, 0) << "the default pen is a hairline";
    EXPECT_EQ(m.at(0).style.lineColor, draw::Black);
}

// The 88-byte header without extensions, followed by a description when one is given (UTF-16).
QByteArray emfHeader(int boundsRight, int boundsBottom, int frameRight, int frameBottom, int deviceW, int deviceH,
                     int mmW, int mmH, quint32 bytes, quint32 records, const QString& description = {}) {
    Bytes text;
    for (QChar c : description)
        text.u16(c.unicode());
    Bytes h;
    h.u32(1).u32(quint32(88 + text.b.size())).u32(0).u32(0).u32(boundsRight).u32(boundsBottom);
    h.u32(0).u32(0).u32(frameRight).u32(frameBottom);
    h.u32(0x464D4520).u32(0x10000).u32(quint32(bytes + text.b.size())).u32(records).u16(4).u16(0);
    h.u32(quint32(description.size())).u32(description.isEmpty() ? 0 : 88).u32(0);
    h.u32(deviceW).u32(deviceH).u32(mmW).u32(mmH);
    return h.b + text.b;
}

TEST_F(MetafileFiles, AnEmfWith16BitRecordsACommentSavedStatesStockObjectsAndMapping) {
    // A 96 dpi reference device; the frame is one inch by a half: 600 by 300 drawing units. The
    // window of 200 by 100 maps onto 96 by 48 pixels: one logical unit is three drawing units.
    QByteArray r;
    r += emf(70, {8}, "whatever");                                     // a comment
    r += emf(17, {8});                                                 // anisotropic
    r += emf(9, {200, 100});                                           // window extent
    r += emf(11, {96, 48});                                            // viewport extent
    r += emf(87, {0, 0, 0, 0, 3}, points16({{0, 0}, {100, 0}, {100, 50}}));   // polyline16
    r += emf(39, {1, 0, 0x00A000, 0});                                 // solid green brush, handle 1
    r += emf(37, {1});
    r += emf(33, {});                                                  // save
    r += emf(37, {0x80000005});                                        // the stock null brush
    r += emf(86, {0, 0, 0, 0, 3}, points16({{0, 0}, {50, 0}, {0, 50}}));      // polygon16, unfilled
    r += emf(34, {-1});                                                // restore: green again
    r += emf(86, {0, 0, 0, 0, 3}, points16({{100, 50}, {200, 50}, {200, 100}}));
    r += emf(85, {0, 0, 0, 0, 4}, points16({{0, 100}, {0, 50}, {50, 50}, {50, 0}})); // one Bezier piece
    r += emf(0x4321, {1, 2});                                          // unknown
    r += emf(14, {0, 16, 20});
    // A description inside the header record, where a longer header would hold its extensions.
    const QByteArray header = emfHeader(95, 47, 2539, 1269, 960, 480, 254, 127, quint32(88 + r.size()), 15,
                                        QStringLiteral("Some program\0A drawing\0\0"));
    DrawModel m;
    draw::readEmf(writeFile("foreign.emf", header + r), m);
    EXPECT_EQ(m.pageWidth(), 600);
    EXPECT_EQ(m.pageHeight(), 300);
    ASSERT_EQ(m.count(), 4);
    EXPECT_EQ(m.at(0).kind, draw::Polyline);
    EXPECT_EQ(m.at(0).vertices, (QVector<QPoint>{{0, 0}, {300, 0}, {300, 150}}));
    EXPECT_EQ(m.at(1).kind, draw::Polygon);
    EXPECT_EQ(m.at(1).style.fill, FillMode::None);
    EXPECT_EQ(m.at(1).vertices, (QVector<QPoint>{{0, 0}, {150, 0}, {0, 150}}));
    EXPECT_EQ(m.at(2).style.fill, FillMode::Solid);
    EXPECT_EQ(m.at(2).style.fillColor, colour(0, 160, 0));
    EXPECT_EQ(m.at(2).vertices, (QVector<QPoint>{{300, 150}, {600, 150}, {600, 300}}));
    const DrawObject& curve = m.at(3);
    EXPECT_EQ(curve.kind, draw::Polyline);
    ASSERT_GT(curve.vertices.size(), 4) << "the curve is laid out as a line along it";
    EXPECT_EQ(curve.vertices.first(), QPoint(0, 300));
    EXPECT_EQ(curve.vertices.last(), QPoint(150, 0));
    // A point of the curve halfway: (0.5^3 * 0 + 3 * 0.125 * (0 + 50) + 0.125 * 50, ...) logical.
    EXPECT_EQ(curve.vertices[8], QPoint(qRound(25 * 3.0), qRound(50 * 3.0)));
}

TEST_F(MetafileFiles, AnEmfTurnsShapesByItsWorldTransformAndPlacesTextAtItsReference) {
    auto f32 = [](float v) {
        quint32 bits;
        std::memcpy(&bits, &v, 4);
        return qint64(bits);
    };
    const float c = 0, s = 1;
    QByteArray r;
    // A quarter turn counter-clockwise about (300, 150): x' = y - 150 + 300, y' = -x + 300 + 150.
    r += emf(35, {f32(c), f32(-s), f32(s), f32(c), f32(150), f32(450)});
    r += emf(43, {200, 100, 400, 200});                                // rectangle
    r += emf(36, {f32(1), 0, 0, f32(1), 0, 0, 1});                     // identity again
    r += emf(22, {24});                                                // baseline, left
    Bytes text;
    text.u32(0).u32(0).u32(0).u32(0).u32(1).u32(0).u32(0);            // bounds, mode, scales
    text.u32(100).u32(200).u32(2).u32(60).u32(0x100).u32(0);          // reference, 2 chars, no rect
    text.u16('O').u16('K');
    r += emf(84, {}, text.b);
    r += emf(14, {0, 16, 20});
    // One pixel a drawing unit: 600 pixels an inch, frame 1 by 0.5 inch.
    const QByteArray header = emfHeader(599, 299, 2539, 1269, 6000, 3000, 254, 127, quint32(88 + r.size()), 6);
    DrawModel m;
    draw::readEmf(writeFile("turned.emf", header + r), m);
    ASSERT_EQ(m.count(), 2);
    const DrawObject& rect = m.at(0);
    EXPECT_EQ(rect.kind, draw::Rectangle);
    EXPECT_DOUBLE_EQ(rect.angle, 90);
    EXPECT_EQ(rect.frameRect(), QRectF(200, 100, 200, 100));
    const DrawObject& t = m.at(1);
    EXPECT_EQ(t.text, QStringLiteral("OK"));
    EXPECT_EQ(t.x1, 100);
    EXPECT_NEAR(t.y1, 200 - baselineOffset("Arial", false, -draw::Style{}.textHeight), 1);
}

TEST_F(MetafileFiles, AnEmfPathFillsAndStrokesItsFiguresAndAHatchBrushBecomesAPattern) {
    QByteArray r;
    r += emf(39, {1, 0, 0x0000FF, 0}); // solid red brush
    r += emf(37, {1});
    r += emf(59, {});                  // begin path
    r += emf(27, {0, 0});
    r += emf(54, {100, 0});
    r += emf(54, {100, 100});
    r += emf(61, {});                  // close figure
    r += emf(27, {200, 0});
    r += emf(89, {0, 0, 0, 0, 2}, points16({{300, 0}, {300, 100}})); // polyline-to, 16-bit
    r += emf(60, {});                  // end path
    r += emf(63, {});                  // stroke and fill
    r += emf(59, {});
    r += emf(27, {0, 200});
    r += emf(54, {100, 200});
    r += emf(60, {});
    r += emf(64, {});                  // stroke
    r += emf(39, {2, 2, 0x00FF00, 4}); // green cross hatch
    r += emf(37, {2});
    r += emf(43, {400, 200, 500, 300});
    r += emf(14, {0, 16, 20});
    const QByteArray header = emfHeader(599, 299, 2539, 1269, 6000, 3000, 254, 127, quint32(88 + r.size()), 21);
    DrawModel m;
    draw::readEmf(writeFile("path.emf", header + r), m);
    ASSERT_EQ(m.count(), 4);
    EXPECT_EQ(m.at(0).kind, draw::Polygon);
    EXPECT_EQ(m.at(0).vertices, (QVector<QPoint>{{0, 0}, {100, 0}, {100, 100}}));
    EXPECT_EQ(m.at(0).style.fillColor, colour(255, 0, 0));
    EXPECT_EQ(m.at(1).kind, draw::Polygon) << "a filled figure closes";
    EXPECT_EQ(m.at(1).vertices, (QVector<QPoint>{{200, 0}, {300, 0}, {300, 100}}));
    EXPECT_EQ(m.at(2).kind, draw::Polyline);
    EXPECT_EQ(m.at(2).vertices, (QVector<QPoint>{{0, 200}, {100, 200}}));
    const DrawObject& hatched = m.at(3);
    EXPECT_EQ(hatched.style.fill, FillMode::Picture);
    const QImage tile = hatched.style.fillPicture;
    ASSERT_EQ(tile.size(), QSize(8, 8));
    EXPECT_EQ(tile.pixel(0, 3) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(tile.pixel(3, 7) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(tile.pixel(3, 3) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(MetafileFiles, ForeignDamage) {
    // A WMF that never ends, a record whose size runs past the file, an EMF of the wrong signature.
    DrawModel m;
    EXPECT_EQ(errorOf([&] { draw::readWmf(writeFile("open.wmf", wmfFile(wmf(0x0103, {8}))), m); }), 321);
    QByteArray longRecord = wmf(0x0418, {1, 2, 3, 4});
    longRecord[0] = char(100);
    EXPECT_EQ(errorOf([&] { draw::readWmf(writeFile("long.wmf", wmfFile(longRecord + wmf(0, {}))), m); }), 321);
    QByteArray shortPoints = wmf(0x0325, {1000, 0, 0});
    EXPECT_EQ(errorOf([&] { draw::readWmf(writeFile("points.wmf", wmfFile(shortPoints + wmf(0, {}))), m); }), 321);
    QByteArray eof = emf(14, {0, 16, 20});
    QByteArray header = emfHeader(9, 9, 99, 99, 96, 96, 25, 25, quint32(88 + eof.size()), 2);
    header.replace(40, 4, "XXXX");
    EXPECT_EQ(errorOf([&] { draw::readEmf(writeFile("sig.emf", header + eof), m); }), 321);
    // A frame from the most negative left edge: read without overflow onto a sheet in range.
    QByteArray wide = emfHeader(9, 9, 99, 99, 96, 96, 25, 25, quint32(88 + eof.size()), 2) + eof;
    wide.replace(24, 4, QByteArray("\0\0\0\x80", 4));
    DrawModel sheet;
    EXPECT_EQ(errorOf([&] { draw::readEmf(writeFile("wide.emf", wide), sheet); }), 0);
    EXPECT_GT(sheet.pageWidth(), 500000000);
    QByteArray zero = emf(14, {0, 16, 20});
    zero[4] = 0;
    EXPECT_EQ(errorOf([&] {
                  draw::readEmf(writeFile("zero.emf", emfHeader(9, 9, 99, 99, 96, 96, 25, 25, 108, 2) + zero), m);
              }),
              321);
    EXPECT_EQ(m.count(), 0);
}

} // namespace
