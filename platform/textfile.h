// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

class QSaveFile;

// The one text-file reader and writer. Written lines end in CR LF; readers accept CR LF, LF or CR.
// Text is read as UTF-8 when the bytes are valid UTF-8 (a leading byte-order mark dropped), else as
// Latin-1. It is written as Latin-1 when every character fits and those bytes read back as the same
// text, else as UTF-8, so every text written reads back exactly. Every write goes beside the target
// first and replaces it only when every byte is on disk: a failed write leaves the old file.
namespace qtext {

QString Decode(const QByteArray& bytes);
QByteArray Encode(const QString& text);

// Splits at CR LF, LF or CR. A final line end does not make an extra empty line.
QStringList SplitLines(const QString& text);

// The file's lines; raises error 53 when it cannot be opened.
QStringList ReadLines(const QString& path);
// The file's bytes as they are; raises error 53 when it cannot be read.
QByteArray ReadBytes(const QString& path);

// Writes the lines, each followed by CR LF, whole or not at all. Raises error 61 when the disk takes
// not all of it, error 75 when the file cannot be created or put in place.
void WriteLines(const QString& path, const QStringList& lines);
// Writes raw bytes whole or not at all; raises as WriteLines.
void WriteBytes(const QString& path, const QByteArray& bytes);

// A write held back: the bytes are on disk beside the target when it is made (raising as WriteBytes),
// and replace the target only at commit(). Dropped uncommitted, it leaves the old file as it was, so
// a change that must go together with another one needs no writing back of old bytes.
class PendingFile {
public:
    PendingFile(const QString& path, const QByteArray& bytes);
    PendingFile(const QString& path, const QStringList& lines);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;
    void commit(); // raises error 75 when the file cannot be put in place

private:
    QString path_;
    std::unique_ptr<QSaveFile> file_;
};

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
