// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drawing/outputoptions.h"
#include "platform/errors.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// The drawing file formats. Every reader fills an empty model (sheet, extent and objects in stacking
// order, ids from 1) and raises QmError: 321 for a damaged, foreign or newer file, 53 for a file that
// cannot be read, 61706 for an image too large to hold. Every writer writes the whole file or none
// of it (platform/textfile.h) and raises 75 when it cannot.
namespace draw {

class DrawModel;

// ---- shared by the codecs

// The largest image a reader makes or a writer renders.
constexpr qint64 MaxImagePixels = 100'000'000;

// Raises 321 naming the file and what is wrong with it.
[[noreturn]] void damagedFile(const QString& path, const QString& what);
// Raises 61706 when an image of this size is too large to hold; a side not above 0 is too small to
// be an image and raises 321.
void checkImageSize(const QSize& size, const QString& path);
// The one decoder of every picture the program loads. An image held in bytes (format as QImageReader
// names it, empty to guess): its size is checked before any pixel is decoded (61706); bytes that are
// no such image raise damagedError. A palette image comes back with a colour table that covers
// every pixel (missing entries black), so it is safe to paint and to save.
QImage decodeImage(const QByteArray& bytes, const char* format, const QString& path,
                   int damagedError = qmerr::DamagedFile);
// A picture file read whole (53 when it cannot be read) and decoded as above.
QImage readImageFile(const QString& file, int damagedError = qmerr::DamagedFile);

// Group numbers a file may hold: far beyond any drawing's, far enough below the int range that the
// next group number never overflows.
constexpr int MaxGroup = 1'000'000'000;
// The end of every reader that builds its objects apart: the model read becomes into's, or a group
// number beyond MaxGroup raises 321.
void adoptLoaded(DrawModel& into, DrawModel&& loaded, const QString& path);

// What a drawing file shows: the screen's patterns, without node markers and deleted objects (a
// saved page is a page as it would print, not the editor's aids).
OutputOptions fileOutputOptions();

// Native drawing files (".kdf"): every object comes back exactly.
void readNative(const QString& path, DrawModel& into);
void writeNative(const DrawModel& model, const QString& path);

// DXF, in inches with y up.
void readDxf(const QString& path, DrawModel& into);
void writeDxf(const DrawModel& model, const QString& path);

// Windows metafiles: placeable WMF and enhanced EMF.
void readWmf(const QString& path, DrawModel& into);
void writeWmf(const DrawModel& model, const QString& path);
void readEmf(const QString& path, DrawModel& into);
void writeEmf(const DrawModel& model, const QString& path);

// Windows bitmaps: the sheet rendered at a pixel size; read back as one bitmap object on a sheet of
// the image's size.
void readBmp(const QString& path, DrawModel& into);
void writeBmp(const DrawModel& model, const QString& path, const QSize& pixels,
              const OutputOptions& options = fileOutputOptions());

} // namespace draw
