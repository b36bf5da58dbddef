// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/shippedpictures.h"

#include "platform/progfolder.h"
#include "platform/textfile.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <functional>

namespace shipped {

namespace {

constexpr int ToolSize = 24;
// A pattern tile covers a sixth of an inch: 16 pixels on screen, 100 dots on paper.
constexpr int ScreenTile = 16;
constexpr int PrintTile = 100;

void setDpi(QImage& img, double dpi) {
    const int dpm = int(std::lround(dpi / 0.0254));
    img.setDotsPerMeterX(dpm);
    img.setDotsPerMeterY(dpm);
}

QByteArray bmpBytes(const QImage& img) {
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "BMP");
    return bytes;
}

// ---- fill patterns, drawn in a 16 by 16 tile with 1-unit pens ---------------------------------

using PatternPainter = std::function<void(QPainter&)>;

void lines(QPainter& p, std::initializer_list<QLineF> ls) {
    for (const QLineF& l : ls) p.drawLine(l);
}

const std::vector<PatternPainter>& patterns() {
    static const std::vector<PatternPainter> all = {
        // 0 solid
        [](QPainter& p) { p.fillRect(QRectF(0, 0, 16, 16), Qt::black); },
        // 1 horizontal lines
        [](QPainter& p) { lines(p, {{0, 3.5, 16, 3.5}, {0, 11.5, 16, 11.5}}); },
        // 2 vertical lines
        [](QPainter& p) { lines(p, {{3.5, 0, 3.5, 16}, {11.5, 0, 11.5, 16}}); },
        // 3 rising diagonals
        [](QPainter& p) { lines(p, {{-8, 16, 8, 0}, {0, 16, 16, 0}, {8, 16, 24, 0}}); },
        // 4 falling diagonals
        [](QPainter& p) { lines(p, {{-8, 0, 8, 16}, {0, 0, 16, 16}, {8, 0, 24, 16}}); },
        // 5 square grid
        [](QPainter& p) { lines(p, {{0, 7.5, 16, 7.5}, {7.5, 0, 7.5, 16}}); },
        // 6 diagonal cross-hatch
        [](QPainter& p) { lines(p, {{0, 16, 16, 0}, {-8, 8, 8, -8}, {8, 24, 24, 8}, {0, 0, 16, 16}}); },
        // 7 sparse dots
        [](QPainter& p) {
            p.fillRect(QRectF(3, 3, 1, 1), Qt::black);
            p.fillRect(QRectF(11, 11, 1, 1), Qt::black);
        },
        // 8 dense dots
        [](QPainter& p) {
            for (int y = 1; y < 16; y += 4)
                for (int x = (y / 4) % 2 ? 3 : 1; x < 16; x += 4) p.fillRect(QRectF(x, y, 1, 1), Qt::black);
        },
        // 9 bricks
        [](QPainter& p) { lines(p, {{0, 0.5, 16, 0.5}, {0, 8.5, 16, 8.5}, {0.5, 0, 0.5, 8}, {8.5, 8, 8.5, 16}}); },
        // 10 gravel
        [](QPainter& p) {
            p.drawEllipse(QRectF(1.5, 1.5, 5, 4));
            p.drawEllipse(QRectF(9.5, 8.5, 5, 5));
            p.drawEllipse(QRectF(2.5, 11.5, 3, 2));
        },
        // 11 waves
        [](QPainter& p) {
            for (double base : {4.5, 12.5}) {
                QPainterPath w;
                w.moveTo(0, base);
                for (int x = 1; x <= 16; ++x) w.lineTo(x, base + 2 * std::sin(x * M_PI / 8));
                p.drawPath(w);
            }
        },
        // 12 dashes
        [](QPainter& p) { lines(p, {{1, 3.5, 7, 3.5}, {9, 11.5, 15, 11.5}}); },
        // 13 sand
        [](QPainter& p) {
            static const int pts[][2] = {{1, 2}, {6, 1}, {12, 3}, {3, 7}, {9, 6}, {14, 8},
                                         {2, 12}, {7, 10}, {11, 13}, {5, 15}, {15, 14}};
            for (const auto& pt : pts) p.fillRect(QRectF(pt[0], pt[1], 1, 1), Qt::black);
        },
    };
    return all;
}

// ---- symbols, 64 by 64 --------------------------------------------------------------------------

struct Symbol {
    const char* name;
    std::function<void(QPainter&)> paint;
};

const std::vector<Symbol>& symbols() {
    static const std::vector<Symbol> all = {
        {"well.bmp",
         [](QPainter& p) {
             p.drawEllipse(QRectF(12, 12, 40, 40));
             p.drawLine(QLineF(32, 4, 32, 60));
             p.drawLine(QLineF(4, 32, 60, 32));
         }},
        {"wellfilled.bmp",
         [](QPainter& p) {
             p.setBrush(Qt::black);
             p.drawEllipse(QRectF(14, 14, 36, 36));
         }},
        {"triangle.bmp",
         [](QPainter& p) { p.drawPolygon(QPolygonF({QPointF(32, 8), QPointF(56, 52), QPointF(8, 52)})); }},
        {"square.bmp", [](QPainter& p) { p.drawRect(QRectF(14, 14, 36, 36)); }},
        {"northarrow.bmp",
         [](QPainter& p) {
             p.setBrush(Qt::black);
             p.drawPolygon(QPolygonF({QPointF(32, 6), QPointF(44, 44), QPointF(32, 36), QPointF(20, 44)}));
             QFont f(QStringLiteral("Arial"));
             f.setPixelSize(16);
             f.setBold(true);
             p.setFont(f);
             p.drawText(QRectF(0, 44, 64, 20), Qt::AlignCenter, QStringLiteral("N"));
         }},
    };
    return all;
}

// ---- tool pictures --------------------------------------------------------------------------------

const QColor Ink(30, 30, 30);
const QColor NodeRed(220, 0, 0);
const QColor NodeBlue(0, 0, 220);

void node(QPainter& p, QPointF c, const QColor& col = NodeRed) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(col);
    p.drawEllipse(c, 2.6, 2.6);
    p.restore();
}

void arrowHead(QPainter& p, QPointF tip, QPointF from) {
    const QLineF l(tip, from);
    QLineF a = l;
    a.setLength(6);
    QLineF b = a;
    a.setAngle(l.angle() + 28);
    b.setAngle(l.angle() - 28);
    p.save();
    p.setBrush(p.pen().color());
    p.drawPolygon(QPolygonF({tip, a.p2(), b.p2()}));
    p.restore();
}

void pointer(QPainter& p) {
    p.save();
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(6, 3), QPointF(6, 19), QPointF(10, 15), QPointF(13, 21), QPointF(15, 20),
                             QPointF(12, 14), QPointF(17, 14)}));
    p.restore();
}

void page(QPainter& p) {
    p.save();
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(5, 3), QPointF(15, 3), QPointF(19, 7), QPointF(19, 21), QPointF(5, 21)}));
    p.drawPolyline(QPolygonF({QPointF(15, 3), QPointF(15, 7), QPointF(19, 7)}));
    p.restore();
}

void letterA(QPainter& p, QRectF r, int px, bool bold) {
    QFont f(QStringLiteral("Times New Roman"));
    f.setPixelSize(px);
    f.setBold(bold);
    p.setFont(f);
    p.drawText(r, Qt::AlignCenter, QStringLiteral("A"));
}

const QHash<QString, std::function<void(QPainter&)>>& tools() {
    using P = QPainter;
    static const QHash<QString, std::function<void(P&)>> all = {
        {"addnode",
         [](P& p) {
             node(p, {8, 14});
             node(p, {16, 8});
             p.drawLine(QLineF(17, 15, 17, 22));
             p.drawLine(QLineF(13.5, 18.5, 20.5, 18.5));
         }},
        {"shownode",
         [](P& p) {
             p.drawPolyline(QPolygonF({QPointF(4, 18), QPointF(11, 6), QPointF(20, 16)}));
             node(p, {4, 18});
             node(p, {11, 6});
             node(p, {20, 16});
         }},
        {"hidenode",
         [](P& p) {
             p.drawPolyline(QPolygonF({QPointF(4, 18), QPointF(11, 6), QPointF(20, 16)}));
             for (QPointF c : {QPointF(4, 18), QPointF(11, 6), QPointF(20, 16)}) {
                 p.save();
                 p.setBrush(Qt::white);
                 p.drawEllipse(c, 2.6, 2.6);
                 p.restore();
             }
         }},
        {"select", [](P& p) { pointer(p); }},
        {"rotate",
         [](P& p) {
             p.drawArc(QRectF(4, 4, 16, 16), 30 * 16, 280 * 16);
             arrowHead(p, QPointF(19, 7), QPointF(14, 3));
         }},
        {"nodepoly",
         [](P& p) {
             const QPolygonF poly({QPointF(4, 18), QPointF(9, 5), QPointF(20, 8), QPointF(18, 20)});
             p.save();
             p.setBrush(QColor(200, 220, 255));
             p.drawPolygon(poly);
             p.restore();
             for (QPointF c : poly) node(p, c, NodeBlue);
         }},
        {"nodelens",
         [](P& p) {
             QPainterPath lens;
             lens.moveTo(4, 12);
             lens.quadTo(12, 2, 20, 12);
             lens.quadTo(12, 22, 4, 12);
             p.save();
             p.setBrush(QColor(200, 220, 255));
             p.drawPath(lens);
             p.restore();
             node(p, {4, 12}, NodeBlue);
             node(p, {12, 7}, NodeBlue);
             node(p, {20, 12}, NodeBlue);
         }},
        {"nodeline",
         [](P& p) {
             const QPolygonF l({QPointF(3, 18), QPointF(10, 7), QPointF(15, 15), QPointF(21, 5)});
             p.drawPolyline(l);
             for (QPointF c : l) node(p, c, NodeBlue);
         }},
        {"nodearrow",
         [](P& p) {
             p.drawLine(QLineF(4, 19, 18, 6));
             arrowHead(p, QPointF(20, 4), QPointF(4, 19));
             node(p, {4, 19}, NodeBlue);
         }},
        {"freepoly",
         [](P& p) {
             p.save();
             p.setBrush(QColor(255, 230, 170));
             p.drawPolygon(QPolygonF({QPointF(3, 16), QPointF(8, 4), QPointF(20, 6), QPointF(16, 13), QPointF(21, 20),
                                      QPointF(9, 20)}));
             p.restore();
         }},
        {"freeline", [](P& p) { p.drawPolyline(QPolygonF({QPointF(3, 19), QPointF(9, 6), QPointF(15, 17), QPointF(21, 5)})); }},
        {"freerect", [](P& p) { p.drawRect(QRectF(4, 6, 16, 12)); }},
        {"freeroundrect", [](P& p) { p.drawRoundedRect(QRectF(4, 6, 16, 12), 4, 4); }},
        {"free-ellipse", [](P& p) { p.drawEllipse(QRectF(3, 6, 18, 12)); }},
        {"freetext", [](P& p) { letterA(p, QRectF(0, 0, 24, 24), 20, true); }},
        {"freetextdialog",
         [](P& p) {
             letterA(p, QRectF(0, 0, 15, 18), 15, false);
             letterA(p, QRectF(9, 6, 15, 18), 13, true);
         }},
        {"freeimage",
         [](P& p) {
             p.save();
             p.setBrush(QColor(220, 235, 255));
             p.drawRect(QRectF(3, 5, 18, 14));
             p.setBrush(QColor(60, 140, 60));
             p.drawPolygon(QPolygonF({QPointF(4, 18), QPointF(10, 10), QPointF(14, 15), QPointF(16, 12), QPointF(20, 18)}));
             p.restore();
         }},
        {"freeimagedialog",
         [](P& p) {
             p.save();
             p.setBrush(QColor(240, 200, 90));
             p.drawPolygon(QPolygonF({QPointF(2, 7), QPointF(8, 7), QPointF(10, 9), QPointF(21, 9), QPointF(21, 19),
                                      QPointF(2, 19)}));
             p.restore();
         }},
        {"prevarrow",
         [](P& p) {
             p.drawLine(QLineF(20, 12, 7, 12));
             arrowHead(p, QPointF(4, 12), QPointF(20, 12));
         }},
        {"nextarrow",
         [](P& p) {
             p.drawLine(QLineF(4, 12, 17, 12));
             arrowHead(p, QPointF(20, 12), QPointF(4, 12));
         }},
        {"gotopage",
         [](P& p) {
             page(p);
             QFont f(QStringLiteral("Arial"));
             f.setPixelSize(9);
             p.setFont(f);
             p.drawText(QRectF(5, 8, 14, 12), Qt::AlignCenter, QStringLiteral("#"));
         }},
    };
    return all;
}

void writeIfMissing(const QString& path, const QImage& img) {
    if (QFileInfo::exists(path)) return;
    QDir().mkpath(QFileInfo(path).absolutePath());
    qtext::WriteBytes(path, bmpBytes(img));
}

} // namespace

const QStringList& ToolKeys() {
    static const QStringList keys = {"addnode",   "shownode",      "select",         "rotate",    "hidenode",
                                     "nodepoly",  "nodelens",      "nodeline",       "nodearrow", "freepoly",
                                     "freeline",  "freerect",      "freeroundrect",  "free-ellipse",
                                     "freetext",  "freetextdialog", "freeimage",     "freeimagedialog",
                                     "prevarrow", "nextarrow",     "gotopage"};
    return keys;
}

QImage ToolPicture(const QString& key) {
    QImage img(ToolSize, ToolSize, QImage::Format_RGB32);
    img.fill(Qt::white);
    setDpi(img, 96);
    const auto it = tools().find(key);
    if (it == tools().end()) return img;
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Ink, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    it.value()(p);
    return img;
}

int FillPatternCount() {
    return int(patterns().size());
}

QImage FillPattern(int n, bool print) {
    const int size = print ? PrintTile : ScreenTile;
    QImage img(size, size, QImage::Format_RGB32);
    img.fill(Qt::white);
    setDpi(img, print ? 600 : 96);
    if (n < 0 || n >= FillPatternCount()) return img;
    QPainter p(&img);
    // Pure black on white, so that colouring a pattern gives clean colour on white.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.scale(double(size) / ScreenTile, double(size) / ScreenTile);
    p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    patterns()[size_t(n)](p);
    return img;
}

QString FillPatternName(int n, bool print) {
    return QStringLiteral("F%1%2").arg(n).arg(print ? QStringLiteral(".bmp") : QStringLiteral("_sc.bmp"));
}

QStringList SymbolNames() {
    QStringList out;
    for (const Symbol& s : symbols()) out << QString::fromLatin1(s.name);
    return out;
}

QImage SymbolPicture(const QString& name) {
    QImage img(64, 64, QImage::Format_RGB32);
    img.fill(Qt::white);
    setDpi(img, 96);
    for (const Symbol& s : symbols()) {
        if (name != QLatin1String(s.name)) continue;
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::black, 3));
        s.paint(p);
    }
    return img;
}

void WriteMissing() {
    const QString home = ProgramFolder();
    for (int n = 0; n < FillPatternCount(); ++n) {
        writeIfMissing(home + QStringLiteral("fills/") + FillPatternName(n, false), FillPattern(n, false));
        writeIfMissing(home + QStringLiteral("fills/") + FillPatternName(n, true), FillPattern(n, true));
    }
    for (const QString& s : SymbolNames()) writeIfMissing(home + QStringLiteral("symbols/") + s, SymbolPicture(s));
    for (const QString& k : ToolKeys()) writeIfMissing(home + k + QStringLiteral(".bmp"), ToolPicture(k));
}

} // namespace shipped
