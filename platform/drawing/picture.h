// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

// The picture loader: a bitmap file into a picture for the drawing control. Bare names resolve in
// the program folder and a name in another case is found. A missing file raises error 53, a file
// that is no readable picture error 481.
QImage LoadPicture(const QString& path);
