// SPDX-License-Identifier: GPL-3.0-or-later
// Windows bitmaps: the sheet rendered at a chosen pixel size, its resolution recording the sheet's
// size in inches; a bitmap read back is one picture filling a sheet of its size.
#include "platform/drawing/drawcodecs.h"
#include "platform/drawing/drawmodel.h"
#include "platform/drawing/drawrender.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"

#include <QBuffer>
#include <QPainter>
#include <cmath>
#include <limits>

namespace draw {

namespace {

constexpr double UnitsPerInch = 600;
constexpr double MetresPerInch = 0.0254;
constexpr double UnstatedDpi = 96;

// Dots per metre that put pixels across a side of so many drawing units.
int dotsPerMetre(int pixels, Long units) {
    return int(std::lround(pixels / (units / UnitsPerInch * MetresPerInch)));
}

// A side of the sheet in drawing units from its pixels and stated resolution; 0 when the
// resolution gives no usable sheet (under a dot an inch means a sheet of yards, not a drawing).
Long sheetSide(int pixels, int dotsPerMetre) {
    if (dotsPerMetre * MetresPerInch < 1) return 0;
    const double units = std::round(pixels / (dotsPerMetre * MetresPerInch) * UnitsPerInch);
    return units >= 1 && units <= std::numeric_limits<Long>::max() ? Long(units) : 0;
}

// The few header fields the reader needs and Qt's bitmap reader does not give back.
struct BmpHeader {
    QPoint dotsPerMetre; // (0, 0) when the file states none; the image read carries a default instead
    qint64 needed = 0;   // bytes the file must hold for its pixels, 0 when they are compressed
    QSize size;          // invalid when the header is too short to say
};

BmpHeader bmpHeader(const QByteArray& bytes) {
    auto le = [&](qsizetype at, int n) {
        quint32 v = 0;
        for (int i = n - 1; i >= 0; --i)
            v = v << 8 | uchar(bytes[at + i]);
        return v;
    };
    constexpr qsizetype InfoHeader = 14; // after the file header
    BmpHeader h;
    if (bytes.size() < InfoHeader + 12) return h;
    const quint32 offset = le(10, 4);
    const quint32 infoSize = le(InfoHeader, 4);
    qint64 width, height, bits;
    quint32 compression = 0;
    if (infoSize == 12) { // the old core header
        width = le(InfoHeader + 4, 2);
        height = le(InfoHeader + 6, 2);
        bits = le(InfoHeader + 10, 2);
    } else {
        if (infoSize < 40 || bytes.size() < InfoHeader + 40) return h;
        width = qint32(le(InfoHeader + 4, 4));
        height = qAbs(qint64(qint32(le(InfoHeader + 8, 4))));
        bits = le(InfoHeader + 14, 2);
        compression = le(InfoHeader + 16, 4);
        h.dotsPerMetre = QPoint(qint32(le(InfoHeader + 24, 4)), qint32(le(InfoHeader + 28, 4)));
    }
    if (width <= std::numeric_limits<int>::max() && height <= std::numeric_limits<int>::max())
        h.size = QSize(int(width), int(height));
    // Uncompressed rows (plain or with colour masks) have a known length: a shorter file is cut off.
    // Only sizes the reader would take are worked out, so the product stays far inside 64 bits.
    if ((compression == 0 || compression == 3) && width > 0 && bits > 0 && bits <= 64 &&
        width * height <= MaxImagePixels)
        h.needed = qint64(offset) + (width * bits + 31) / 32 * 4 * height;
    return h;
}

} // namespace

void writeBmp(const DrawModel& model, const QString& path, const QSize& pixels, const OutputOptions& options) {
    if (pixels.width() <= 0 || pixels.height() <= 0)
        raiseError(qmerr::InvalidArgument, QStringLiteral("a bitmap of %1 x %2 pixels").arg(pixels.width()).arg(pixels.height()));
    if (qint64(pixels.width()) * pixels.height() > MaxImagePixels) raiseError(qmerr::ImageTooLarge, path);
    QImage image(pixels, QImage::Format_RGB32);
    if (image.isNull()) raiseError(qmerr::ImageTooLarge, path);
    image.fill(Qt::white);
    if (model.pageWidth() > 0 && model.pageHeight() > 0) {
        image.setDotsPerMeterX(dotsPerMetre(pixels.width(), model.pageWidth()));
        image.setDotsPerMeterY(dotsPerMetre(pixels.height(), model.pageHeight()));
    }
    {
        QPainter p(&image);
        paintSheet(p, model, QRectF(QPointF(0, 0), QSizeF(pixels)), options);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "BMP")) raiseError(qmerr::ImageTooLarge, path);
    qtext::WriteBytes(path, bytes);
}

void readBmp(const QString& path, DrawModel& into) {
    const QByteArray bytes = qtext::ReadBytes(path);
    if (!bytes.startsWith("BM")) damagedFile(path, QStringLiteral("not a Windows bitmap"));
    const BmpHeader header = bmpHeader(bytes);
    if (header.size.isValid()) checkImageSize(header.size, path);
    // Qt's reader would give back what it found of a cut-off file.
    if (bytes.size() < header.needed) damagedFile(path, QStringLiteral("cut off"));
    const QImage image = decodeImage(bytes, "bmp", path);

    const QPoint dpm = header.dotsPerMetre;
    Long width = sheetSide(image.width(), dpm.x());
    Long height = sheetSide(image.height(), dpm.y());
    // A file states no resolution, or one that makes no sheet: the screen's.
    const int unstated = int(std::lround(UnstatedDpi / MetresPerInch));
    if (width == 0 || height == 0) {
        width = sheetSide(image.width(), unstated);
        height = sheetSide(image.height(), unstated);
    }

    DrawModel loaded;
    loaded.setRedraw(false);
    loaded.setPageWidth(width);
    loaded.setPageHeight(height);
    loaded.setUnitsLeft(0);
    loaded.setUnitsTop(0);
    loaded.setUnitsWidth(width);
    loaded.setUnitsHeight(height);
    DrawObject& o = loaded.add(Bitmap, 0, 0, width, height);
    o.picture = image;
    adoptLoaded(into, std::move(loaded), path);
}

} // namespace draw
