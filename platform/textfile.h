// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The one text-file reader and writer. Written lines end in CR LF; readers accept CR LF, LF or CR.
// Text is written as Latin-1 when every character fits, else UTF-8; read as UTF-8 when the bytes are
// valid UTF-8, else Latin-1. Every write goes through QSaveFile, so a failed write leaves the old file.
namespace qtext {

QString Decode(const QByteArray& bytes);
QByteArray Encode(const QString& text);

// Splits at CR LF, LF or CR. A final line end does not make an extra empty line.
QStringList SplitLines(const QString& text);

// The file's lines; raises error 53 when it cannot be opened.
QStringList ReadLines(const QString& path);

// Writes the lines, each followed by CR LF; raises error 75 when the file cannot be written.
void WriteLines(const QString& path, const QStringList& lines);
// Writes raw bytes whole or not at all; raises error 75 on failure.
void WriteBytes(const QString& path, const QByteArray& bytes);

// Sequential reading with the classic end-of-file rules: next() past the end raises error 62.
class LineReader {
public:
    explicit LineReader(const QString& path); // raises error 53 when the file cannot be opened
    explicit LineReader(QStringList lines) : lines_(std::move(lines)) {}
    bool atEnd() const { return pos_ >= lines_.size(); }
    QString next();
    int lineNumber() const { return int(pos_); } // 1-based number of the line read last

private:
    QStringList lines_;
    qsizetype pos_ = 0;
};

} // namespace qtext
