// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QString>

// The drawing file formats. Every reader fills an empty model (sheet, extent and objects in stacking
// order, ids from 1) and raises QmError: 321 for a damaged, foreign or newer file, 53 for a file that
// cannot be read, 61706 for an image too large to hold. Every writer writes the whole file or none
// of it (platform/textfile.h) and raises 75 when it cannot.
namespace draw {

class DrawModel;

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
void writeBmp(const DrawModel& model, const QString& path, const QSize& pixels);

} // namespace draw
