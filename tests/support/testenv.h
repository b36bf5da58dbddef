// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh, empty program folder for one test; restored to the run's own temporary folder after.
class TempProgramFolder {
public:
    TempProgramFolder();
    ~TempProgramFolder();
    QString path() const; // with closing "/"
    QString file(const QString& name) const { return path() + name; }

private:
    QTemporaryDir dir_;
    QString previous_;
};

// Writes text with the given bytes as they are (no conversion of line ends).
void writeRaw(const QString& path, const QByteArray& bytes);
QByteArray readRaw(const QString& path);
