// SPDX-License-Identifier: GPL-3.0-or-later
#include "testenv.h"

#include "platform/progfolder.h"

#include <QFile>

TempProgramFolder::TempProgramFolder() : previous_(ProgramFolder()) { SetProgramFolder(dir_.path()); }

TempProgramFolder::~TempProgramFolder() { SetProgramFolder(previous_); }

QString TempProgramFolder::path() const { return dir_.path() + QStringLiteral("/"); }

void writeRaw(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

QByteArray readRaw(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
