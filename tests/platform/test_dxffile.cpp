// SPDX-License-Identifier: GPL-3.0-or-later
// DXF drawing files: our own pages come back with their kinds, frames, styles, texts, tags and
// groups; foreign files written here by hand from the public description of the format are read
// from their geometry; damaged files are refused.
#include "platform/drawing/drawcodecs.h"
#include "platform/drawing/drawmodel.h"
#include "platform/drawing/dxfrecords.h"
#include "platform/drawing/objecttags.h"
#include "support/errorof.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <utility>

using namespace draw;

namespace {

QImage pattern() {
    QImage p(8, 8, QImage::Format_Mono);
    p.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    p.fill(0);
    for (int i = 0; i < 8; ++i)
        p.setPixel(i, 7 - i, 1);
    return p;
}

QImage picture() {
    QImage image(32, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x)
            image.setPixel(x, y, qRgb(x * 8, y * 16, 100));
    return image;
}

bool samePixels(const QImage& a, const QImage& b) {
    return !a.isNull() && a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

// A letter page turned sideways with every kind, a turned rectangle and text, a pattern fill, a
// group, tags and texts that the format must escape.
void samplePage(DrawModel& m) {
    m.setPageWidth(6300);
    m.setPageHeight(4800);
    m.setUnitsWidth(6300);
    m.setUnitsHeight(4800);
    DrawObject& line = m.add(Line, 1300, 900, 100, 200); // drawn right to left
    line.style.lineColor = RGB(255, 0, 0);
    line.style.lineStyle = Dash;
    line.style.lineWidth = 8;
    line.setTag(tags::GroupName, QStringLiteral("frame"));
    line.group = 1;
    DrawObject& rect = m.add(Rectangle, 600, 600, 1800, 1400);
    rect.angle = 30;
    rect.style.fillColor = RGB(0, 0, 200);
    rect.style.lineColor = RGB(0, 128, 0);
    rect.group = 1;
    DrawObject& round = m.add(RoundRect, 2000, 500, 3200, 1300);
    round.style.fill = FillMode::None;
    DrawObject& ellipse = m.add(Ellipse, 3400, 500, 4200, 1700);
    ellipse.angle = 15;
    ellipse.style.fill = FillMode::Picture;
    ellipse.style.fillPicture = pattern();
    ellipse.style.fillColor = RGB(255, 255, 0);
    ellipse.setTag(tags::Fill, QStringLiteral("diag.bmp"));
    ellipse.setTag(tags::Color, QStringLiteral("65535"));
    DrawObject& poly = m.add(Polyline, 0, 0, 0, 0);
    m.setVertices(poly, {QPoint(100, 3000), QPoint(700, 3600), QPoint(1300, 3100)});
    poly.style.lineWidth = 0;
    DrawObject& gon = m.add(Polygon, 0, 0, 0, 0);
    m.setVertices(gon, {QPoint(2000, 3000), QPoint(2600, 3900), QPoint(1700, 3700)});
    gon.style.lineStyle = NoLine;
    gon.style.fillColor = RGB(250, 200, 0);
    DrawObject& text = m.add(Text, 3000, 2500, 3000, 2500);
    text.text = QStringLiteral(" MW-1 \u20AC 3\\4 50%% \u00FC");
    text.style.textAngle = 45;
    text.style.textAlign = 1;
    text.style.textHeight = -100;
    text.style.textBold = true;
    text.style.textColor = RGB(0, 0, 255);
    text.setTag(tags::ObjName, QStringLiteral("label & more=x"));
    DrawObject& longText = m.add(Text, 5000, 4000, 5000, 4000);
    longText.text = QString(300, u'x') + QStringLiteral("end");
    longText.style.textAlign = 2;
    m.nextPicture = picture();
    m.add(Bitmap, 1000, 2500, 1600, 2800).angle = 90;
}

class DxfFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file(const QString& name) const { return dir.filePath(name); }

    void write(const QString& name, const QByteArray& bytes) const {
        QFile f(file(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray bytes(const QString& name) const {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

// A DXF file from its group pairs, each "code value" on a line of its own, laid out as the public
// description of the format lays them out.
QByteArray dxf(const char* pairs) {
    QByteArray out;
    for (const QByteArray& pair : QByteArray(pairs).split('\n'))
        if (const qsizetype space = pair.indexOf(' '); space > 0)
            out += pair.left(space).rightJustified(3, ' ') + '\n' + pair.mid(space + 1) + '\n';
    return out;
}

QString points(const QVector<QPointF>& v) {
    QStringList l;
    for (const QPointF& p : v)
        l << QString::number(p.x()) + ',' + QString::number(p.y());
    return l.join(' ');
}

// An entity record as text: its kind and what it gives beyond the defaults.
QString describe(const dxf::Entity& e) {
    const dxf::Entity none;
    const dxf::Attributes &a = e.attrib, &an = none.attrib;
    const char* kinds[] = {"line", "poly",  "circle", "arc",   "ellipse",
                           "text", "mtext", "solid",  "hatch", "image"};
    QStringList f{kinds[e.type]};
    auto add = [&](bool given, const QString& text) {
        if (given) f << text;
    };
    auto n = [](double v) { return QString::number(v); };
    add(a.layer != an.layer || a.linetype != an.linetype,
        QString::fromStdString("layer=" + a.layer + ',' + a.linetype));
    add(a.color != an.color || a.color24 != an.color24 || a.weight != an.weight,
        QStringLiteral("color=%1,%2,%3").arg(a.color).arg(a.color24).arg(a.weight));
    add(a.paperSpace, "paper");
    add(e.mirrored, "mirrored");
    add(e.invisible, "invisible");
    add(e.closed, "closed");
    add(e.mesh, "mesh");
    add(e.hasData, "data=" + e.data.toByteArray());
    add(!e.pts.isEmpty(), "pts=" + points(e.pts));
    // The table's polylines have two vertices.
    add(e.bulges.count(0.0) != e.bulges.size(), "bulges=" + points({{e.bulges.value(0), e.bulges.value(1)}}));
    add(e.r != none.r, "c=" + points({e.c}) + " r=" + n(e.r) + " a=" + n(e.a1) + ".." + n(e.a2));
    add(e.ip != none.ip,
        "ip=" + points({e.ip, e.ap}) + " height=" + n(e.height) + " rotation=" + n(e.rotation));
    add(e.hjust || e.vjust || e.attach != none.attach,
        QStringLiteral("just=%1,%2,%3").arg(e.hjust).arg(e.vjust).arg(e.attach));
    add(!e.text.isEmpty(), "text=" + e.text);
    for (const QVector<QPointF>& loop : e.loops)
        f << "loop=" + points(loop);
    for (const QVector<QPointF>& loop : dxf::fillLoops(e.raw))
        f << "fill=" + points(loop);
    add(e.type == dxf::Entity::ImageE,
        "uv=" + points({e.u, e.v}) + QStringLiteral(" px=%1,%2 ref=%3").arg(e.pw).arg(e.ph).arg(e.ref));
    return f.join(' ');
}

// The records of a file as text: the header's settings, layers and images, then the entities; or
// the error and its detail.
QString records(const char* pairs) {
    const QByteArray bytes = dxf(pairs);
    QStringList out;
    const auto read = [&] {
        const dxf::Records r = dxf::readRecords(bytes, QStringLiteral("f.dxf"));
        if (r.insUnits)
            out << QStringLiteral("units=%1 limits=").arg(r.insUnits) + points({*r.limMin, *r.limMax});
        for (auto l = r.layers.cbegin(); l != r.layers.cend(); ++l)
            out << QStringLiteral("layer %1=%2,%3,%4,%5")
                       .arg(l.key(), QString::number(l->color), l->linetype, QString::number(l->weight),
                            l->hidden ? "hidden" : "shown");
        for (auto i = r.imageFiles.cbegin(); i != r.imageFiles.cend(); ++i)
            out << "image " + i.key() + '=' + *i;
        for (size_t i = 0; i < r.entities.size(); ++i)
            out << describe(r.entities[i]);
    };
    QString detail;
    if (const int error = errorOf(read, &detail)) return QStringLiteral("%1 %2").arg(error).arg(detail);
    return out.join(QStringLiteral(" | "));
}

// Reading's first stage alone: pairs written by hand become entity records, built here or through
// dxflib, or a damaged file is refused.
TEST(DxfRecords, PairsBecomeEntityRecords) {
    const std::pair<const char*, const char*> cases[] = {
        {"0 SECTION\n2 HEADER\n9 $INSUNITS\n70 4\n9 $LIMMIN\n10 1\n20 2\n9 $LIMMAX\n10 30\n20 40\n0 ENDSEC\n"
         "0 SECTION\n2 TABLES\n0 TABLE\n2 LAYER\n0 LAYER\n2 Walls\n70 1\n62 3\n6 DASHED\n370 25\n0 ENDTAB\n"
         "0 ENDSEC\n0 SECTION\n2 ENTITIES\n0 LINE\n8 Walls\n62 1\n420 255\n370 50\n6 DOT\n67 1\n60 1\n"
         "10 1\n20 2\n11 3\n21 4\n0 ENDSEC\n0 EOF\n",
         "units=4 limits=1,2 30,40 | layer WALLS=65280,DASHED,25,hidden | "
         "line layer=Walls,DOT color=1,255,50 paper invisible pts=1,2 3,4"},
        {"0 SECTION\n2 ENTITIES\n0 LWPOLYLINE\n90 2\n70 1\n10 0\n20 0\n42 1\n10 2\n20 0\n230 -1\n0 POLYLINE\n"
         "66 1\n70 1\n0 VERTEX\n10 4\n20 1\n0 VERTEX\n10 6\n20 1\n42 0.5\n0 SEQEND\n0 CIRCLE\n10 2\n20 1\n"
         "40 0.5\n230 -1\n0 ARC\n10 9\n20 2\n40 1\n50 0\n51 90\n0 ENDSEC\n0 EOF\n",
         "poly mirrored closed pts=0,0 2,0 bulges=1,0 | poly closed pts=4,1 6,1 bulges=0,0.5 | "
         "circle mirrored c=2,1 r=0.5 a=0..0 | arc c=9,2 r=1 a=0..1.5708"},
        {"0 SECTION\n2 HEADER\n9 $ACADVER\n1 AC1015\n0 ENDSEC\n0 SECTION\n2 ENTITIES\n0 TEXT\n10 1\n20 2\n"
         "11 3\n21 4\n40 0.25\n50 90\n72 1\n73 2\n1 MW-1 \x80\n1001 OTHER\n1000 x=1\n1001 QMAR2002\n"
         "1000 v=1&k=6\n1000 &f=1,2,3,4\n0 MTEXT\n10 5\n20 6\n40 0.2\n71 5\n3 first \n1 second\n0 ENDSEC\n"
         "0 EOF\n",
         "text data=v=1&k=6&f=1,2,3,4 ip=1,2 3,4 height=0.25 rotation=90 just=1,2,1 text=MW-1 \u20AC | "
         "mtext ip=5,6 0,0 height=0.2 rotation=0 just=0,0,5 text=first second"},
        {"0 SECTION\n2 ENTITIES\n0 HATCH\n70 1\n91 1\n92 1\n93 3\n72 1\n10 4\n20 0\n11 6\n21 0\n72 1\n10 6\n"
         "20 0\n11 5\n21 1\n72 1\n10 5\n20 1\n11 4\n21 0\n0 HATCH\n70 1\n91 1\n92 1\n93 3\n72 1\n10 4\n20 0\n"
         "11 6\n21 0\n72 1\n10 6\n20 0\n11 5\n21 1\n72 1\n10 5\n20 1\n11 4\n21 0\n1001 QMAR2002\n"
         "1000 v=1&r=fill\n0 IMAGE\n10 1\n20 1\n11 0.01\n21 0\n12 0\n22 0.01\n13 32\n23 16\n340 0A2\n"
         "0 ENDSEC\n0 SECTION\n2 OBJECTS\n0 IMAGEDEF\n5 A2\n1 pic.bmp\n0 ENDSEC\n0 EOF\n",
         "image A2=pic.bmp | hatch loop=4,0 6,0 5,1 | hatch data=v=1&r=fill fill=4,0 6,0 5,1 | "
         "image ip=1,1 0,0 height=0 rotation=0 uv=0.01,0 0,0.01 px=32,16 ref=A2"},
        {"0 SECTION\n2 ENTITIES\n0 LINE\n10 left\n0 ENDSEC\n0 EOF\n", "321 f.dxf: no number on line 8"},
    };
    for (const auto& [pairs, expected] : cases)
        EXPECT_EQ(records(pairs), QString::fromUtf8(expected));
}

TEST_F(DxfFile, PageComesBackWithKindsFramesStylesTextsTagsAndGroups) {
    DrawModel page;
    samplePage(page);
    writeDxf(page, file("page.dxf"));
    ASSERT_TRUE(QFile::exists(file("page-1.bmp"))) << "the bitmap is written beside the drawing";

    DrawModel back;
    readDxf(file("page.dxf"), back);
    EXPECT_EQ(back.pageWidth(), 6300);
    EXPECT_EQ(back.pageHeight(), 4800);
    ASSERT_EQ(back.count(), page.count());
    for (int i = 0; i < page.count(); ++i) {
        const DrawObject &a = page.at(i), &b = back.at(i);
        SCOPED_TRACE(kindName(a.kind).toStdString());
        EXPECT_EQ(b.id, i + 1);
        EXPECT_EQ(b.kind, a.kind);
        EXPECT_NEAR(b.x1, a.x1, 1);
        EXPECT_NEAR(b.y1, a.y1, 1);
        EXPECT_NEAR(b.x2, a.x2, 1);
        EXPECT_NEAR(b.y2, a.y2, 1);
        EXPECT_DOUBLE_EQ(b.angle, a.angle);
        EXPECT_EQ(b.style.lineColor, a.style.lineColor);
        EXPECT_EQ(b.style.lineStyle, a.style.lineStyle);
        EXPECT_EQ(b.style.lineWidth, a.style.lineWidth);
        EXPECT_EQ(b.style.fill, a.style.fill);
        EXPECT_EQ(b.style.fillColor, a.style.fillColor);
        EXPECT_EQ(b.text, a.text);
        EXPECT_EQ(b.tags, a.tags);
        EXPECT_EQ(b.group, a.group);
        if (a.kind == Polyline || a.kind == Polygon) EXPECT_EQ(b.placedVertices(), a.placedVertices());
        if (a.kind == Text) {
            EXPECT_EQ(b.style.textAlign, a.style.textAlign);
            EXPECT_DOUBLE_EQ(b.style.textAngle, a.style.textAngle);
            EXPECT_DOUBLE_EQ(b.style.textHeight, a.style.textHeight);
            EXPECT_EQ(b.style.textColor, a.style.textColor);
            EXPECT_EQ(b.style.textBold, a.style.textBold);
            EXPECT_EQ(b.style.fontName, a.style.fontName);
        }
    }
    EXPECT_TRUE(samePixels(back.at(3).style.fillPicture, pattern())) << "the pattern comes back";
    EXPECT_TRUE(samePixels(back.at(8).picture, picture())) << "the bitmap comes back";
}

TEST_F(DxfFile, FileIsPlainDxfInInchesWithYUp) {
    DrawModel page;
    samplePage(page);
    writeDxf(page, file("page.dxf"));
    const QByteArray text = bytes("page.dxf");
    EXPECT_TRUE(text.contains("\r\n  9\r\n$ACADVER\r\n  1\r\nAC1015\r\n"));
    EXPECT_TRUE(text.contains("  9\r\n$LIMMAX\r\n 10\r\n10.5\r\n 20\r\n8.0\r\n"));
    EXPECT_TRUE(text.endsWith("  0\r\nEOF\r\n"));
    // The line from (1300, 900) to (100, 200): x / 600 and (4800 - y) / 600, in red by true colour
    // and by the nearest index colour.
    EXPECT_TRUE(text.contains("  0\r\nLINE\r\n"));
    EXPECT_TRUE(text.contains(" 10\r\n2.166666666666667\r\n 20\r\n6.5\r\n"));
    EXPECT_TRUE(text.contains(" 62\r\n1\r\n420\r\n16711680\r\n"));
    for (const char* entity : {"LWPOLYLINE", "HATCH", "ELLIPSE", "TEXT", "IMAGE", "IMAGEDEF"})
        EXPECT_TRUE(text.contains(QByteArray("  0\r\n") + entity + "\r\n")) << entity;
    EXPECT_TRUE(text.contains("1001\r\nQMAR2002\r\n"));
    // Characters outside Latin-1, and the backslash, go as \U+ escapes; a percent pair is quoted.
    EXPECT_TRUE(text.contains("  1\r\n MW-1 \\U+20AC 3\\U+005C4 50%%%% \xFC\r\n"));
    // Every group code is a number on a line of its own.
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype i = 0; i + 1 < lines.size(); i += 2) {
        bool ok = false;
        lines[i].trimmed().toInt(&ok);
        ASSERT_TRUE(ok) << "line " << i + 1 << ": " << lines[i].constData();
    }
}

TEST_F(DxfFile, ShapeChangedInAnotherProgramIsReadFromItsGeometry) {
    DrawModel page;
    page.setPageWidth(6000);
    page.setPageHeight(3000);
    page.setUnitsWidth(6000);
    page.setUnitsHeight(3000);
    DrawObject& rect = page.add(Rectangle, 600, 600, 1200, 1200);
    rect.setTag(tags::ObjName, QStringLiteral("box"));
    rect.group = 4;
    page.add(Line, 0, 0, 600, 0);
    writeDxf(page, file("edit.dxf"));
    // Another program drags the rectangle's first corner (1, 3) to (0.5, 3.5).
    QByteArray text = bytes("edit.dxf");
    const QByteArray corner = " 10\r\n1.0\r\n 20\r\n3.0\r\n";
    ASSERT_EQ(text.count(corner), 2) << "the fill and the outline";
    text.replace(text.lastIndexOf(corner), corner.size(), " 10\r\n0.5\r\n 20\r\n3.5\r\n");
    write("edit.dxf", text);

    DrawModel back;
    readDxf(file("edit.dxf"), back);
    ASSERT_EQ(back.count(), 3) << "the fill, the outline and the line";
    EXPECT_EQ(back.at(0).kind, Polygon);
    EXPECT_EQ(back.at(0).style.fill, FillMode::Solid);
    EXPECT_EQ(back.at(1).kind, Polygon);
    EXPECT_EQ(back.at(1).vertices.first(), QPoint(300, 900));
    EXPECT_EQ(back.at(1).tag(tags::ObjName), QStringLiteral("box"));
    EXPECT_EQ(back.at(1).group, 4);
    EXPECT_EQ(back.at(2).kind, Line) << "the untouched line keeps its own data";
}

TEST_F(DxfFile, ForeignR12FileIsReadFromItsGeometry) {
    write("r12.dxf", dxf("999 written by hand\n0 SECTION\n2 HEADER\n9 $ACADVER\n1 AC1009\n9 $LIMMIN\n"
                         "10 0.0\n20 0.0\n9 $LIMMAX\n10 12.0\n20 9.0\n0 ENDSEC\n0 SECTION\n2 TABLES\n"
                         "0 TABLE\n2 LAYER\n70 1\n0 LAYER\n2 WALLS\n70 0\n62 1\n6 DASHED\n0 ENDTAB\n"
                         "0 ENDSEC\n0 SECTION\n2 BLOCKS\n0 BLOCK\n8 0\n2 PART\n70 0\n10 0.0\n20 0.0\n"
                         "0 LINE\n8 0\n10 0.0\n20 0.0\n11 9.0\n21 9.0\n0 ENDBLK\n0 ENDSEC\n0 SECTION\n"
                         "2 ENTITIES\n0 LINE\n8 0\n62 5\n10 1.0\n20 1.0\n11 3.0\n21 2.0\n0 POLYLINE\n"
                         "8 WALLS\n66 1\n70 1\n10 0.0\n20 0.0\n0 VERTEX\n8 WALLS\n10 4.0\n20 1.0\n"
                         "0 VERTEX\n8 WALLS\n10 6.0\n20 1.0\n0 VERTEX\n8 WALLS\n10 5.0\n20 3.0\n0 SEQEND\n"
                         "8 WALLS\n0 CIRCLE\n8 0\n10 6.0\n20 4.5\n40 1.0\n0 SPLINE\n8 0\n70 8\n71 3\n"
                         "72 8\n73 4\n74 0\n40 0.0\n40 0.0\n40 0.0\n40 0.0\n40 1.0\n40 1.0\n40 1.0\n"
                         "40 1.0\n10 0.0\n20 0.0\n10 1.0\n20 2.0\n10 2.0\n20 0.0\n10 3.0\n20 2.0\n0 TEXT\n"
                         "8 0\n10 1.0\n20 8.0\n40 0.25\n1 Well MW-1 at 20%%dC\n0 ARC\n8 0\n10 9.0\n"
                         "20 2.0\n40 1.0\n50 0.0\n51 90.0\n0 ENDSEC\n0 EOF\n"));
    DrawModel back;
    readDxf(file("r12.dxf"), back);
    EXPECT_EQ(back.pageWidth(), 7200) << "12 inches from the limits";
    EXPECT_EQ(back.pageHeight(), 5400);
    ASSERT_EQ(back.count(), 5) << "the spline and the block's line stay out";

    const DrawObject& line = back.at(0);
    EXPECT_EQ(line.kind, Line);
    EXPECT_EQ(QRect(line.x1, line.y1, line.x2, line.y2), QRect(600, 4800, 1800, 4200));
    EXPECT_EQ(line.style.lineColor, RGB(0, 0, 255)) << "index colour 5";

    const DrawObject& walls = back.at(1);
    EXPECT_EQ(walls.kind, Polygon);
    EXPECT_EQ(walls.vertices, (QVector<QPoint>{{2400, 4800}, {3600, 4800}, {3000, 3600}}));
    EXPECT_EQ(walls.style.lineColor, RGB(255, 0, 0)) << "the layer's colour";
    EXPECT_EQ(walls.style.lineStyle, Dash) << "the layer's line type";
    EXPECT_EQ(walls.style.fill, FillMode::None);

    const DrawObject& circle = back.at(2);
    EXPECT_EQ(circle.kind, Ellipse);
    EXPECT_EQ(circle.frameRect(), QRectF(3000, 2100, 1200, 1200));
    EXPECT_EQ(circle.style.fill, FillMode::None);

    const DrawObject& text = back.at(3);
    EXPECT_EQ(text.kind, Text);
    EXPECT_EQ(text.text, QStringLiteral("Well MW-1 at 20\u00B0C"));
    EXPECT_EQ(text.style.textAlign, 0);
    EXPECT_EQ(text.x1, 600);
    EXPECT_NEAR(text.y1, 600 - 0.25 * 600 * 0.3465 / 0.716, 1) << "the anchor is the line's middle";
    EXPECT_NEAR(text.style.textHeight, -0.25 * 600 / 0.716, 0.5);

    const DrawObject& arc = back.at(4);
    EXPECT_EQ(arc.kind, Polyline);
    EXPECT_EQ(arc.vertices.first(), QPoint(6000, 4200));
    EXPECT_EQ(arc.vertices.last(), QPoint(5400, 3600));
    EXPECT_GT(arc.vertices.size(), 5);
}

TEST_F(DxfFile, ForeignFillsMultilineTextAndEllipses) {
    write("fills.dxf", dxf("0 SECTION\n2 HEADER\n9 $LIMMIN\n10 0\n20 0\n9 $LIMMAX\n10 10\n20 5\n0 ENDSEC\n"
                           "0 SECTION\n2 ENTITIES\n0 SOLID\n8 0\n62 3\n10 0\n20 2\n11 2\n21 2\n12 0\n"
                           "22 3\n13 2\n23 3\n0 HATCH\n8 0\n420 255\n10 0\n20 0\n30 0\n2 SOLID\n70 1\n"
                           "71 0\n91 1\n92 1\n93 3\n72 1\n10 4\n20 0\n11 6\n21 0\n72 1\n10 6\n20 0\n11 5\n"
                           "21 1\n72 1\n10 5\n20 1\n11 4\n21 0\n97 0\n75 0\n76 1\n98 0\n0 MTEXT\n8 0\n"
                           "10 3\n20 4\n40 0.2\n71 1\n1 {\\fArial|b1;First}\\Psecond 5%%d\n0 ELLIPSE\n"
                           "8 0\n10 8\n20 2\n11 1\n21 1\n40 0.5\n41 0\n42 6.283185307179586\n"
                           "0 LWPOLYLINE\n8 0\n90 2\n70 0\n10 0\n20 1\n42 1\n10 2\n20 1\n0 ENDSEC\n0 EOF\n"));
    DrawModel back;
    readDxf(file("fills.dxf"), back);
    ASSERT_EQ(back.count(), 6);
    const DrawObject& solid = back.at(0);
    EXPECT_EQ(solid.kind, Polygon);
    EXPECT_EQ(solid.vertices, (QVector<QPoint>{{0, 1800}, {1200, 1800}, {1200, 1200}, {0, 1200}}));
    EXPECT_EQ(solid.style.fill, FillMode::Solid);
    EXPECT_EQ(solid.style.fillColor, RGB(0, 255, 0));
    EXPECT_EQ(solid.style.lineStyle, NoLine);
    const DrawObject& hatch = back.at(1);
    EXPECT_EQ(hatch.kind, Polygon);
    EXPECT_EQ(hatch.vertices.size(), 3);
    EXPECT_EQ(hatch.style.fillColor, RGB(0, 0, 255)) << "true colour 0x0000FF";
    EXPECT_EQ(back.at(2).text, QStringLiteral("First"));
    EXPECT_EQ(back.at(3).text, QStringLiteral("second 5\u00B0"));
    EXPECT_LT(back.at(2).y1, back.at(3).y1) << "lines run down";
    EXPECT_EQ(back.at(2).x1, 1800);
    const DrawObject& ellipse = back.at(4);
    EXPECT_EQ(ellipse.kind, Ellipse);
    EXPECT_DOUBLE_EQ(ellipse.angle, 45);
    EXPECT_NEAR(ellipse.frameRect().width(), 2 * 600 * std::sqrt(2.0), 1);
    EXPECT_NEAR(ellipse.frameRect().height(), 600 * std::sqrt(2.0), 1);
    EXPECT_EQ(ellipse.frameRect().center(), QPointF(4800, 1800));
    const DrawObject& arc = back.at(5); // a half circle below the chord from (0, 1) to (2, 1)
    EXPECT_EQ(arc.kind, Polyline);
    EXPECT_EQ(arc.frameRect(), QRectF(0, 2400, 1200, 600));
}

TEST_F(DxfFile, ForeignEntitiesThatDoNotShowStayOutAndMirroredOnesTurn) {
    write("show.dxf", dxf("0 SECTION\n2 HEADER\n9 $LIMMIN\n10 -5\n20 0\n9 $LIMMAX\n10 5\n20 5\n0 ENDSEC\n"
                          "0 SECTION\n2 TABLES\n0 TABLE\n2 LAYER\n0 LAYER\n2 OFF\n70 0\n62 -1\n0 LAYER\n"
                          "2 FROZEN\n70 1\n62 1\n0 ENDTAB\n0 ENDSEC\n0 SECTION\n2 ENTITIES\n0 LINE\n"
                          "8 OFF\n10 0\n20 0\n11 1\n21 1\n0 LINE\n8 FROZEN\n10 0\n20 0\n11 1\n21 1\n"
                          "0 LINE\n8 0\n60 1\n10 0\n20 0\n11 1\n21 1\n0 LINE\n8 0\n67 1\n10 0\n20 0\n"
                          "11 1\n21 1\n"
                          // A circle seen from below: its own x runs to the left.
                          "0 CIRCLE\n8 0\n10 2\n20 1\n40 0.5\n210 0\n220 0\n230 -1\n0 ENDSEC\n0 EOF\n"));
    DrawModel back;
    readDxf(file("show.dxf"), back);
    ASSERT_EQ(back.count(), 1) << "lines on a layer off or frozen, invisible or on paper stay out";
    EXPECT_EQ(back.at(0).kind, Ellipse);
    EXPECT_EQ(back.at(0).frameRect(), QRectF(1500, 2100, 600, 600)) << "centre at x = -2 inches";
}

TEST_F(DxfFile, SheetWithoutLimitsIsTheExtentOfTheDrawing) {
    write("extent.dxf", dxf("0 SECTION\n2 ENTITIES\n0 LINE\n10 1\n20 1\n11 3\n21 2\n0 LINE\n10 2\n20 4\n"
                            "11 5\n21 3\n0 ENDSEC\n0 EOF\n"));
    DrawModel back;
    readDxf(file("extent.dxf"), back);
    EXPECT_EQ(back.pageWidth(), 2400);
    EXPECT_EQ(back.pageHeight(), 1800);
    EXPECT_EQ(QRect(back.at(0).x1, back.at(0).y1, back.at(0).x2, back.at(0).y2), QRect(0, 1800, 1200, 1200));

    // Millimetres: 254 mm are 10 inches.
    write("mm.dxf", dxf("0 SECTION\n2 HEADER\n9 $INSUNITS\n70 4\n9 $LIMMIN\n10 0\n20 0\n9 $LIMMAX\n"
                        "10 254\n20 127\n0 ENDSEC\n0 EOF\n"));
    readDxf(file("mm.dxf"), back);
    EXPECT_EQ(back.pageWidth(), 6000);
    EXPECT_EQ(back.pageHeight(), 3000);
    EXPECT_EQ(back.count(), 0);
}

TEST_F(DxfFile, DamagedOrTruncatedFilesAreRefusedAndLeaveTheDrawing) {
    DrawModel page;
    samplePage(page);
    writeDxf(page, file("good.dxf"));
    const QByteArray good = bytes("good.dxf");
    const QByteArray badPolyline = dxf("0 SECTION\n2 ENTITIES\n0 LWPOLYLINE\n90 2000000000\n10 0\n20 0\n"
                                       "0 ENDSEC\n0 EOF\n");
    const std::pair<const char*, QByteArray> cases[] = {
        {"cut inside a value", good.left(good.indexOf("LWPOLYLINE") + 4)},
        {"no end mark", good.left(good.lastIndexOf("  0\r\nEOF"))},
        {"a word for a group code", QByteArray(good).replace("\r\n 20\r\n", "\r\nxx\r\n")},
        {"a word for a coordinate", QByteArray(good).replace(" 10\r\n2.166666666666667", " 10\r\nleft")},
        {"a polyline announcing two billion vertices", badPolyline},
        {"binary DXF", QByteArray("AutoCAD Binary DXF\r\n\x1a\0", 22) + QByteArray(100, '\0')},
        {"no section", dxf("0 LINE\n10 0\n0 EOF\n")},
        {"a section left open", dxf("0 SECTION\n2 ENTITIES\n0 EOF\n")},
        {"group 2147483647", QByteArray(good).replace("&g=1", "&g=2147483647")},
    };
    for (const auto& [what, content] : cases) {
        SCOPED_TRACE(what);
        write("bad.dxf", content);
        DrawModel into;
        into.add(Line, 1, 2, 3, 4);
        EXPECT_EQ(errorOf([&] { readDxf(file("bad.dxf"), into); }), 321);
        EXPECT_EQ(into.count(), 1);
    }
}

TEST_F(DxfFile, AnExistingDrawingStaysWhenItsBitmapCannotBeWritten) {
    DrawModel page;
    samplePage(page);
    write("kept.dxf", "old");
    ASSERT_TRUE(QDir(dir.path()).mkdir("kept-1.bmp"));
    EXPECT_NE(errorOf([&] { writeDxf(page, file("kept.dxf")); }), 0);
    EXPECT_EQ(bytes("kept.dxf"), QByteArray("old"));
}

TEST_F(DxfFile, TenThousandObjectsComeBack) {
    DrawModel page;
    page.setPageWidth(6300);
    page.setPageHeight(4800);
    page.setUnitsWidth(6300);
    page.setUnitsHeight(4800);
    const Kind kinds[] = {Line, Rectangle, RoundRect, Ellipse, Polyline, Polygon, Text, Bitmap};
    page.nextPicture = picture();
    for (int i = 0; i < 10000; ++i) {
        const Long x = 100 + (i * 61) % 6000, y = 100 + (i * 37) % 4500;
        DrawObject& o = page.add(kinds[i % 8], x, y, x + 150, y + 90);
        o.setTag(tags::GroupName, QStringLiteral("graph"));
        o.setTag(tags::ObjName, QStringLiteral("item%1").arg(i % 200));
        if (o.kind == Polyline || o.kind == Polygon)
            page.setVertices(o, {QPoint(x, y), QPoint(x + 40, y + 90), QPoint(x + 150, y + 10)});
        if (o.kind == Text) o.text = QStringLiteral("MW-%1 12.5 mg/L").arg(i);
        o.angle = (i % 3) * 30;
    }
    // Speed is measured by bench_drawfiles; here every object must come back.
    DrawModel back;
    writeDxf(page, file("big.dxf"));
    readDxf(file("big.dxf"), back);
    ASSERT_EQ(back.count(), 10000);
    for (int i = 0; i < 10000; i += 997) {
        EXPECT_EQ(back.at(i).kind, page.at(i).kind) << i;
        EXPECT_EQ(back.at(i).tag(tags::ObjName), page.at(i).tag(tags::ObjName)) << i;
    }
}

} // namespace
