// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drawing/picture.h"

#include "platform/filenames.h"
#include "platform/qmerror.h"

#include <QFileInfo>
#include <QImageReader>

QImage LoadPicture(const QString& path) {
    const QString file = qfile::Resolve(path);
    if (path.isEmpty() || !QFileInfo(file).isFile()) raiseError(qmerr::FileNotFound, path);
    QImageReader reader(file);
    reader.setAutoTransform(false);
    QImage image = reader.read();
    if (image.isNull()) raiseError(InvalidPictureError, path);
    return image;
}
