// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drawing/drawcodecs.h"
#include "platform/drawing/drawformats.h"
#include "platform/drawing/mdrawpro.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"

#include <QBuffer>
#include <QImageReader>
#include <algorithm>

namespace draw {

void damagedFile(const QString& path, const QString& what) {
    raiseError(qmerr::DamagedFile, path + QStringLiteral(": ") + what);
}

void checkImageSize(const QSize& size, const QString& path) {
    if (size.width() <= 0 || size.height() <= 0) damagedFile(path, QStringLiteral("an image without pixels"));
    if (qint64(size.width()) * size.height() > MaxImagePixels)
        raiseError(qmerr::ImageTooLarge,
                   QStringLiteral("%1: an image of %2 x %3 pixels").arg(path).arg(size.width()).arg(size.height()));
}

namespace {

// A palette image whose pixels point past its colour table (Qt's readers keep such indices) would
// be painted and saved from whatever lies beyond the table: the missing entries become black.
void completeColourTable(QImage& image) {
    int needed = 0;
    if (image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB) {
        needed = 2;
    } else if (image.format() == QImage::Format_Indexed8) {
        for (int y = 0; y < image.height() && needed < 256; ++y) {
            const uchar* row = image.constScanLine(y);
            for (int x = 0; x < image.width(); ++x) needed = std::max(needed, row[x] + 1);
        }
    }
    if (needed <= image.colorCount()) return;
    QList<QRgb> table = image.colorTable();
    table.resize(needed, qRgb(0, 0, 0));
    image.setColorTable(table);
}

} // namespace

QImage decodeImage(const QByteArray& bytes, const char* format, const QString& path, int damagedError) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format ? QByteArray(format) : QByteArray());
    reader.setAutoTransform(false);
    auto damaged = [&](const QString& what) { raiseError(damagedError, path + QStringLiteral(": ") + what); };
    // The size from the header, before any pixel is decoded: a damaged header may claim any size.
    const QSize size = reader.size();
    if (!size.isValid()) damaged(QStringLiteral("no image it can read"));
    if (size.width() <= 0 || size.height() <= 0) damaged(QStringLiteral("an image without pixels"));
    checkImageSize(size, path);
    // The reader's own allocation limit would refuse what our limit allows.
    reader.setAllocationLimit(0);
    QImage image = reader.read();
    if (image.isNull()) {
        // Either the pixels are damaged or there was no room for them.
        if (QImage(size, QImage::Format_ARGB32).isNull())
            raiseError(qmerr::ImageTooLarge, path + QStringLiteral(": ") + reader.errorString());
        damaged(reader.errorString());
    }
    completeColourTable(image);
    return image;
}

QImage readImageFile(const QString& file, int damagedError) {
    return decodeImage(qtext::ReadBytes(file), nullptr, file, damagedError);
}

void adoptLoaded(DrawModel& into, DrawModel&& loaded, const QString& path) {
    for (int i = 0; i < loaded.count(); ++i)
        if (loaded.at(i).group < 0 || loaded.at(i).group > MaxGroup)
            damagedFile(path, QStringLiteral("group number %1").arg(loaded.at(i).group));
    into.replaceWith(std::move(loaded));
}

OutputOptions fileOutputOptions() {
    OutputOptions o = OutputOptions::screen();
    o.hideNodeMarkers = true;
    o.dropDeleted = true;
    return o;
}

namespace {

// The shape formats take no pixel size.
template <void (*Write)(const DrawModel&, const QString&)>
void writeShapes(const DrawModel& model, const QString& path, const QSize&) {
    Write(model, path);
}

void writeBitmap(const DrawModel& model, const QString& path, const QSize& pixels) {
    writeBmp(model, path, pixels);
}

constexpr DrawingFormat kFormats[] = {
    {10, ".kdf", "Kalvex Drawing Format (*.kdf)|*.kdf", readNative, writeShapes<writeNative>, false},
    {13, ".dxf", "Drawing Exchange Format (*.dxf)|*.dxf", readDxf, writeShapes<writeDxf>, false},
    {1, ".bmp", "Windows Bitmap (*.bmp)|*.bmp", readBmp, writeBitmap, true},
    {2, ".wmf", "Windows Meta File (*.wmf)|*.wmf", readWmf, writeShapes<writeWmf>, false},
    {4, ".emf", "Enhanced Meta File (*.emf)|*.emf", readEmf, writeShapes<writeEmf>, false},
};

const DrawingFormat& knownFormat(int code) {
    const DrawingFormat* f = formatOfCode(code);
    if (!f) raiseError(qmerr::InvalidArgument, QStringLiteral("drawing file format %1").arg(code));
    return *f;
}

} // namespace

std::span<const DrawingFormat> drawingFormats() {
    return kFormats;
}

const DrawingFormat* formatOfCode(int code) {
    for (const DrawingFormat& f : kFormats)
        if (f.code == code) return &f;
    return nullptr;
}

const DrawingFormat* formatOfName(const QString& name) {
    for (const DrawingFormat& f : kFormats)
        if (name.endsWith(QLatin1String(f.extension), Qt::CaseInsensitive)) return &f;
    return nullptr;
}

} // namespace draw

void MDrawPro::LoadDrawing(const QString& file, int, int code) {
    const draw::DrawingFormat& format = draw::knownFormat(code);
    // The whole file goes into a model of its own first, so that a failure leaves this drawing.
    draw::DrawModel loaded;
    format.read(file, loaded);
    replaceWith(std::move(loaded));
    cursor_ = -1;
    cursorId_ = 0;
    target_ = Target::Current;
}

void MDrawPro::SaveDrawing(const QString& file, int, int code) {
    const draw::DrawingFormat& format = draw::knownFormat(code);
    QSize pixels(OutputWidth(), OutputHeight());
    // No output size set: the bitmap dialog's own proposal, 60 pixels an inch of the sheet.
    if (format.raster && (pixels.width() <= 0 || pixels.height() <= 0))
        pixels = QSize(std::max<Long>(1, (pageWidth() + 5) / 10), std::max<Long>(1, (pageHeight() + 5) / 10));
    format.write(*this, file, pixels);
}
