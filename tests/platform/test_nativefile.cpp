// SPDX-License-Identifier: GPL-3.0-or-later
// Native drawing files: every field of every object comes back, pictures are stored once, and a file
// that is damaged, foreign or newer is refused with the page left as it was.
#include "platform/drawing/drawcodecs.h"
#include "platform/drawing/drawdump.h"
#include "platform/drawing/mdrawpro.h"
#include "platform/drawing/objecttags.h"
#include "support/errorof.h"
#include "support/testenv.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <limits>

using namespace draw;

namespace {

QImage gradient(int w, int h, QImage::Format format, int seed) {
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgba((x * 37 + seed) % 256, (y * 53 + seed) % 256, (x * y + seed) % 256, 255));
    return image.convertToFormat(format);
}

// An 8 by 8 fill pattern of one bit a pixel, as the fill chooser loads them.
QImage pattern() {
    QImage p(8, 8, QImage::Format_Mono);
    p.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            p.setPixel(x, y, (x + y) % 4 == 0 ? 1 : 0);
    return p;
}

// A page with every kind, a turned text and rectangle, a group, tags in a set order, a pattern fill,
// a bitmap with transparency, and values no default holds; restacked so that ids and stacking differ.
void samplePage(DrawModel& d) {
    d.clear();
    d.setPageWidth(6900);
    d.setPageHeight(4500);
    d.setUnitsLeft(-30);
    d.setUnitsTop(12);
    d.setUnitsWidth(6901);
    d.setUnitsHeight(4499);
    d.setCoordinateMode(3);
    d.setDrawOptions(4096 | 2);
    d.setBackgroundColor(RGB(250, 240, 230));
    Style& def = d.defaults();
    def.lineWidth = 4;
    def.fontName = QStringLiteral("Times New Roman");
    def.textHeight = -83.3;
    def.textColor = RGB(1, 2, 3);
    def.fill = FillMode::Picture;
    def.fillPicture = pattern();

    DrawObject& line = d.add(Line, 100, 4000, 900, 3500);
    line.style.lineStyle = DashDot;
    line.style.lineColor = RGB(200, 0, 0);
    line.setTag(tags::GroupName, QStringLiteral("axes"));
    line.setTag(tags::ObjName, QStringLiteral("x axis"));

    DrawObject& rect = d.add(Rectangle, 1000, 1000, 1600, 1400);
    rect.angle = 30.25;
    rect.style.fill = FillMode::Solid;
    rect.style.fillColor = RGB(0, 128, 255);
    rect.style.lineStyle = NoLine;

    DrawObject& round = d.add(RoundRect, 1700, 1000, 2200, 1300);
    round.style.fill = FillMode::Picture;
    round.style.fillPicture = pattern();
    round.setTag(tags::Fill, QStringLiteral("Diag.bmp"));
    round.setTag(tags::Color, QString::number(RGB(0, 0, 255)));

    DrawObject& ellipse = d.add(Ellipse, 2300, 1000, 2700, 1500);
    ellipse.style.fill = FillMode::None;
    ellipse.style.lineWidth = 0;
    ellipse.style.pictureStyle = 2;
    ellipse.style.pictureBackColor = RGB(9, 9, 9);

    DrawObject& polyline = d.add(Polyline, 0, 0, 0, 0);
    d.setVertices(polyline, {QPoint(100, 100), QPoint(400, 300), QPoint(250, 50)});
    polyline.setFrame(100, 100, 700, 600); // stretched after it was set: the vertices keep their bounds
    polyline.angle = -12.5;

    DrawObject& polygon = d.add(Polygon, 0, 0, 0, 0);
    d.setVertices(polygon, {QPoint(3000, 3000), QPoint(3300, 3100), QPoint(3100, 3400), QPoint(3000, 3000)});
    polygon.style.fill = FillMode::Solid;
    polygon.style.fillColor = RGB(255, 255, 0);

    DrawObject& text = d.add(Text, 3500, 2000, 3500, 2000);
    text.text = QStringLiteral("Turned \"MW-1\" \\ 2\u00B0 \u6C34 tab\there\nline two \x01");
    text.style.textAngle = 45.5;
    text.style.textAlign = 1;
    text.style.textHeight = -0.1 - 0.2; // a value with no short decimal form
    text.style.textBold = true;
    text.style.textItalic = true;
    text.style.textUnderline = true;
    text.style.textStrikeout = true;
    text.style.textMode = 2;
    text.style.fontName = QStringLiteral("Courier New");
    text.angle = 45.5;

    DrawObject& bitmap = d.add(Bitmap, 4000, 100, 4600, 500);
    bitmap.picture = gradient(30, 20, QImage::Format_ARGB32, 7);
    bitmap.picture.setPixel(0, 0, qRgba(10, 20, 30, 40));
    bitmap.setTag(QStringLiteral("zeta"), QStringLiteral("last"));
    bitmap.setTag(QStringLiteral("alpha"), QStringLiteral("first? no, second"));

    DrawObject& far = d.add(Rectangle, std::numeric_limits<Long>::min(), -5, std::numeric_limits<Long>::max(), 5);
    far.style.lineColor = RGB(255, 255, 255);

    // A group of the ellipse and the polygon, then the text sent to the back.
    d.clearSelection();
    ellipse.selected = true;
    polygon.selected = true;
    d.groupSelected();
    d.restack({text.id}, DrawModel::Restack::ToBack);
    line.selected = true;
}

bool samePicture(const QImage& a, const QImage& b) {
    if (a.isNull() || b.isNull()) return a.isNull() == b.isNull();
    return a.size() == b.size() && a.format() == b.format() &&
           a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}

void expectSameStyle(const Style& a, const Style& b, const QString& what) {
    SCOPED_TRACE(what.toStdString());
    EXPECT_EQ(a.lineStyle, b.lineStyle);
    EXPECT_EQ(a.lineWidth, b.lineWidth);
    EXPECT_EQ(a.lineColor, b.lineColor);
    EXPECT_EQ(a.fill, b.fill);
    EXPECT_EQ(a.fillColor, b.fillColor);
    EXPECT_TRUE(samePicture(a.fillPicture, b.fillPicture));
    EXPECT_EQ(a.pictureStyle, b.pictureStyle);
    EXPECT_EQ(a.pictureBackColor, b.pictureBackColor);
    EXPECT_EQ(a.fontName, b.fontName);
    EXPECT_EQ(a.textHeight, b.textHeight); // exactly, not nearly
    EXPECT_EQ(a.textAngle, b.textAngle);
    EXPECT_EQ(a.textAlign, b.textAlign);
    EXPECT_EQ(a.textMode, b.textMode);
    EXPECT_EQ(a.textBold, b.textBold);
    EXPECT_EQ(a.textItalic, b.textItalic);
    EXPECT_EQ(a.textStrikeout, b.textStrikeout);
    EXPECT_EQ(a.textUnderline, b.textUnderline);
    EXPECT_EQ(a.textColor, b.textColor);
}

// Field by field; ids are compared by the caller, since a load numbers the objects anew.
void expectSameDrawing(const DrawModel& a, const DrawModel& b) {
    EXPECT_EQ(a.pageWidth(), b.pageWidth());
    EXPECT_EQ(a.pageHeight(), b.pageHeight());
    EXPECT_EQ(a.unitsLeft(), b.unitsLeft());
    EXPECT_EQ(a.unitsTop(), b.unitsTop());
    EXPECT_EQ(a.unitsWidth(), b.unitsWidth());
    EXPECT_EQ(a.unitsHeight(), b.unitsHeight());
    EXPECT_EQ(a.coordinateMode(), b.coordinateMode());
    EXPECT_EQ(a.drawOptions(), b.drawOptions());
    EXPECT_EQ(a.backgroundColor(), b.backgroundColor());
    expectSameStyle(a.defaults(), b.defaults(), QStringLiteral("defaults"));
    ASSERT_EQ(a.count(), b.count());
    for (int i = 0; i < a.count(); ++i) {
        const DrawObject& x = a.at(i);
        const DrawObject& y = b.at(i);
        const QString what = QStringLiteral("object at %1: ").arg(i) + dumpObject(x);
        SCOPED_TRACE(what.toStdString());
        EXPECT_EQ(x.kind, y.kind);
        EXPECT_EQ(QList<Long>({x.x1, x.y1, x.x2, x.y2}), QList<Long>({y.x1, y.y1, y.x2, y.y2}));
        EXPECT_EQ(x.vertices, y.vertices);
        EXPECT_EQ(QList<Long>({x.vx1, x.vy1, x.vx2, x.vy2}), QList<Long>({y.vx1, y.vy1, y.vx2, y.vy2}));
        EXPECT_EQ(x.angle, y.angle);
        expectSameStyle(x.style, y.style, what);
        EXPECT_EQ(x.text, y.text);
        EXPECT_TRUE(samePicture(x.picture, y.picture));
        EXPECT_EQ(x.tags, y.tags);
        EXPECT_EQ(x.group, y.group);
    }
}

QJsonObject parsed(const QString& path) {
    return QJsonDocument::fromJson(readRaw(path)).object();
}

class NativeFile : public ::testing::Test {
protected:
    QString file(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }
    // Writes a variation of a saved sample page.
    QString variant(const QString& name, const std::function<void(QJsonObject&)>& change) {
        DrawModel d;
        samplePage(d);
        writeNative(d, file(QStringLiteral("base.kdf")));
        QJsonObject root = parsed(file(QStringLiteral("base.kdf")));
        change(root);
        writeRaw(file(name), QJsonDocument(root).toJson());
        return file(name);
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(NativeFile, APageComesBackFieldByFieldWithIdsFromOneInStackingOrder) {
    DrawModel original;
    samplePage(original);
    writeNative(original, file(QStringLiteral("page.kdf")));
    MDrawPro page;
    page.AddObject(2, 0, 0, 10, 10);
    page.LoadDrawing(file(QStringLiteral("page.kdf")), 0, 10);

    expectSameDrawing(original, page);
    for (int i = 0; i < page.count(); ++i)
        EXPECT_EQ(page.at(i).id, i + 1);
    EXPECT_EQ(page.selectedCount(), 0);
    EXPECT_EQ(page.CurrentObject(), 5) << "nothing is current after a load";
    EXPECT_EQ(page.find(1)->kind, Text) << "the text went to the back before the save";

    // Saved again, the file is the same bytes: nothing drifts on a second trip.
    page.SaveDrawing(file(QStringLiteral("again.kdf")), 0, 10);
    EXPECT_EQ(readRaw(file(QStringLiteral("again.kdf"))), readRaw(file(QStringLiteral("page.kdf"))));
}

TEST_F(NativeFile, TheFileIsVersionedJsonWithEachDistinctPictureOnce) {
    DrawModel d;
    samplePage(d);
    // Fifty copies of one picture, two equal ones made apart and one of a kind.
    const QImage shared = gradient(16, 16, QImage::Format_RGB32, 1);
    for (int i = 0; i < 50; ++i)
        d.add(Bitmap, i, 0, i + 10, 10).picture = shared;
    d.add(Bitmap, 0, 0, 5, 5).picture = gradient(16, 16, QImage::Format_RGB32, 1);
    d.add(Bitmap, 0, 0, 5, 5).picture = gradient(16, 16, QImage::Format_RGB32, 2);
    writeNative(d, file(QStringLiteral("p.kdf")));

    const QJsonObject root = parsed(file(QStringLiteral("p.kdf")));
    EXPECT_EQ(root.value(QStringLiteral("format")).toString(), QStringLiteral("Kalvex Drawing Format"));
    EXPECT_EQ(root.value(QStringLiteral("version")).toInt(), 1);
    // The pattern (defaults and the rounded rectangle), the sample's bitmap, the shared and the odd one.
    EXPECT_EQ(root.value(QStringLiteral("pictures")).toArray().size(), 4);
    const QJsonArray objects = root.value(QStringLiteral("objects")).toArray();
    ASSERT_EQ(objects.size(), d.count());
    // Each distinct style once too: the rounded rectangle's pattern equals the defaults' one made
    // apart, and the polyline, the bitmaps and the 52 added last keep the defaults.
    EXPECT_EQ(root.value(QStringLiteral("styles")).toArray().size(), 7);
    EXPECT_EQ(objects[0].toObject().value(QStringLiteral("kind")).toString(), QStringLiteral("text"));
    const QJsonArray tags = objects[7].toObject().value(QStringLiteral("tags")).toArray();
    ASSERT_EQ(tags.size(), 2);
    EXPECT_EQ(tags[0].toArray()[0].toString(), QStringLiteral("zeta")) << "tags keep the order they were set in";

    // One object a line, lines ended as the program ends them.
    const QByteArray bytes = readRaw(file(QStringLiteral("p.kdf")));
    EXPECT_GE(bytes.count("\r\n"), d.count());
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));

    MDrawPro back;
    back.LoadDrawing(file(QStringLiteral("p.kdf")), 0, 10);
    expectSameDrawing(d, back);
    EXPECT_EQ(back.at(back.count() - 3).picture.cacheKey(), back.at(back.count() - 4).picture.cacheKey())
        << "copies of one picture share it again after the load";
}

TEST_F(NativeFile, ALoadedPageGoesOnFromItsOwnIdsAndGroups) {
    DrawModel d;
    samplePage(d);
    writeNative(d, file(QStringLiteral("g.kdf")));
    MDrawPro page;
    for (int i = 0; i < 30; ++i)
        page.AddObject(1, i, i, i + 1, i + 1);
    page.ObjectSelected(true);
    page.LoadDrawing(file(QStringLiteral("g.kdf")), 0, 10);
    int loadedGroup = 0;
    for (int i = 0; i < page.count(); ++i)
        loadedGroup = std::max(loadedGroup, page.at(i).group);
    ASSERT_GT(loadedGroup, 0);

    page.AddObject(2, 0, 0, 5, 5);
    EXPECT_EQ(page.ObjectId(), d.count() + 1);
    page.ObjectSelected(true);
    page.ObjectAction(0); // group the new object alone
    EXPECT_NE(page.find(d.count() + 1)->group, loadedGroup) << "a new group must not join one read from the file";
    int members = 0;
    for (int i = 0; i < page.count(); ++i)
        members += page.at(i).group == loadedGroup;
    EXPECT_EQ(members, 2);
}

TEST_F(NativeFile, DamagedForeignOrNewerFilesAreRefusedAndThePageStays) {
    MDrawPro page;
    samplePage(page);
    const QStringList before = dumpDrawing(page);
    const Long width = page.PageWidth();

    DrawModel d;
    samplePage(d);
    writeNative(d, file(QStringLiteral("good.kdf")));
    writeRaw(file(QStringLiteral("array.kdf")), "[1, 2, 3]");

    auto set = [](const QString& key, const QJsonValue& v) { return [=](QJsonObject& r) { r[key] = v; }; };
    auto onFirstObject = [](const std::function<void(QJsonObject&)>& f) {
        return [=](QJsonObject& r) {
            QJsonArray objects = r[QStringLiteral("objects")].toArray();
            QJsonObject o = objects[0].toObject();
            f(o);
            objects[0] = o;
            r[QStringLiteral("objects")] = objects;
        };
    };
    const QStringList bad = {
        file(QStringLiteral("array.kdf")),
        variant(QStringLiteral("newer.kdf"), set(QStringLiteral("version"), 2)),
        variant(QStringLiteral("version0.kdf"), set(QStringLiteral("version"), 0)),
        variant(QStringLiteral("foreign.kdf"), set(QStringLiteral("format"), QStringLiteral("Other Drawing"))),
        variant(QStringLiteral("nosheet.kdf"), [](QJsonObject& r) { r.remove(QStringLiteral("sheet")); }),
        variant(QStringLiteral("kind.kdf"), onFirstObject([](QJsonObject& o) { o[QStringLiteral("kind")] = QStringLiteral("star"); })),
        variant(QStringLiteral("frame.kdf"), onFirstObject([](QJsonObject& o) { o[QStringLiteral("frame")] = QJsonArray{1, 2, 3}; })),
        variant(QStringLiteral("fraction.kdf"), onFirstObject([](QJsonObject& o) { o[QStringLiteral("frame")] = QJsonArray{1, 2.5, 3, 4}; })),
        variant(QStringLiteral("huge.kdf"), onFirstObject([](QJsonObject& o) { o[QStringLiteral("frame")] = QJsonArray{1, 2, 3e12, 4}; })),
        variant(QStringLiteral("group.kdf"), onFirstObject([](QJsonObject& o) { o[QStringLiteral("group")] = 2147483647; })),
        variant(QStringLiteral("odd.kdf"), onFirstObject([](QJsonObject& o) { o[QStringLiteral("vertices")] = QJsonArray{1, 2, 3}; })),
        variant(QStringLiteral("style.kdf"), [](QJsonObject& r) {
            QJsonArray styles = r[QStringLiteral("styles")].toArray();
            QJsonObject s = styles[0].toObject();
            s.remove(QStringLiteral("textColor"));
            styles[0] = s;
            r[QStringLiteral("styles")] = styles;
        }),
        variant(QStringLiteral("styleref.kdf"), onFirstObject([](QJsonObject& o) { o[QStringLiteral("style")] = -1; })),
        variant(QStringLiteral("picref.kdf"), onFirstObject([](QJsonObject& o) { o[QStringLiteral("picture")] = 99; })),
        variant(QStringLiteral("tag.kdf"), onFirstObject([](QJsonObject& o) { o[QStringLiteral("tags")] = QJsonArray{QJsonArray{QStringLiteral("a")}}; })),
        variant(QStringLiteral("base64.kdf"), [](QJsonObject& r) {
            QJsonArray pictures = r[QStringLiteral("pictures")].toArray();
            QJsonObject p = pictures[0].toObject();
            p[QStringLiteral("png")] = QStringLiteral("!!not base64!!");
            pictures[0] = p;
            r[QStringLiteral("pictures")] = pictures;
        }),
        variant(QStringLiteral("notpng.kdf"), [](QJsonObject& r) {
            QJsonArray pictures = r[QStringLiteral("pictures")].toArray();
            QJsonObject p = pictures[0].toObject();
            p[QStringLiteral("png")] = QString::fromLatin1(QByteArray("GIF89a and so on").toBase64());
            pictures[0] = p;
            r[QStringLiteral("pictures")] = pictures;
        }),
    };
    for (const QString& f : bad) {
        SCOPED_TRACE(f.toStdString());
        QString detail;
        EXPECT_EQ(errorOf([&] { page.LoadDrawing(f, 0, 10); }, &detail), 321);
        EXPECT_TRUE(detail.startsWith(f)) << detail.toStdString();
        EXPECT_EQ(dumpDrawing(page), before);
        EXPECT_EQ(page.PageWidth(), width);
    }
}

TEST_F(NativeFile, AFileFromAnotherJsonWriterReadsTheSame) {
    // Another writer: members sorted by name (tables before the objects), indented, LF line ends,
    // with members this version does not know.
    DrawModel d;
    samplePage(d);
    const QString f = variant(QStringLiteral("other.kdf"), [](QJsonObject& r) {
        r[QStringLiteral("comment")] = QJsonObject{{QStringLiteral("nested"), QJsonArray{1, true, QJsonValue()}}};
        QJsonArray objects = r[QStringLiteral("objects")].toArray();
        QJsonObject o = objects[0].toObject();
        o[QStringLiteral("note")] = QStringLiteral("later");
        objects[0] = o;
        r[QStringLiteral("objects")] = objects;
    });
    MDrawPro page;
    page.LoadDrawing(f, 0, 10);
    expectSameDrawing(d, page);

    // Escapes JSON allows, a character outside the basic plane among them.
    QByteArray text = readRaw(file(QStringLiteral("base.kdf")));
    const QByteArray from = "\"text\":\"Turned";
    ASSERT_TRUE(text.contains(from));
    text.replace(from, "\"text\":\"\\u6c34\\ud83d\\ude00\\/ Turned");
    writeRaw(file(QStringLiteral("escapes.kdf")), text);
    page.LoadDrawing(file(QStringLiteral("escapes.kdf")), 0, 10);
    EXPECT_TRUE(page.find(1)->text.startsWith(QStringLiteral("\u6C34\U0001F600/ Turned")));

    // Half a surrogate pair, and nesting no drawing needs, are damage.
    QByteArray half = readRaw(file(QStringLiteral("base.kdf")));
    half.replace(from, "\"text\":\"\\ud83d Turned");
    writeRaw(file(QStringLiteral("half.kdf")), half);
    EXPECT_EQ(errorOf([&] { page.LoadDrawing(file(QStringLiteral("half.kdf")), 0, 10); }), 321);
    QByteArray deep = readRaw(file(QStringLiteral("base.kdf")));
    deep.insert(1, "\"deep\":" + QByteArray(10000, '[') + QByteArray(10000, ']') + ",");
    writeRaw(file(QStringLiteral("deep.kdf")), deep);
    EXPECT_EQ(errorOf([&] { page.LoadDrawing(file(QStringLiteral("deep.kdf")), 0, 10); }), 321);
}

TEST_F(NativeFile, APictureTooLargeToHoldIsRefusedBeforeItIsDecoded) {
    // A PNG claiming 20000 by 20000 pixels, with no pixel data behind its header.
    const QByteArray png = QByteArray::fromHex("89504e470d0a1a0a0000000d4948445200004e2000004e2008020000006c12d16e"
                                               "000000004944415435af061e0000000049454e44ae426082");
    const QString f = variant(QStringLiteral("big.kdf"), [&](QJsonObject& r) {
        QJsonArray pictures = r[QStringLiteral("pictures")].toArray();
        QJsonObject p = pictures[0].toObject();
        p[QStringLiteral("png")] = QString::fromLatin1(png.toBase64());
        pictures[0] = p;
        r[QStringLiteral("pictures")] = pictures;
    });
    MDrawPro page;
    page.AddObject(1, 0, 0, 1, 1);
    EXPECT_EQ(errorOf([&] { page.LoadDrawing(f, 0, 10); }), 61706);
    EXPECT_EQ(page.count(), 1);
}
