// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drawing/picture.h"

#include "platform/drawing/drawcodecs.h"
#include "platform/filenames.h"
#include "platform/qmerror.h"

#include <QFileInfo>

QImage LoadPicture(const QString& path) {
    const QString file = qfile::Resolve(path);
    if (path.isEmpty() || !QFileInfo(file).isFile()) raiseError(qmerr::FileNotFound, path);
    return draw::readImageFile(file, qmerr::InvalidPicture);
}
