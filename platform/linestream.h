// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringDecoder>

namespace qtext {

// A text file's lines one at a time, for files too large to hold whole: the same lines and the
// same decoding as ReadLines (UTF-8 when the whole file is valid UTF-8, a leading byte-order mark
// dropped, else Latin-1; lines end at CR LF, LF or CR). The encoding is decided by one scan of the
// bytes when the file is opened; memory stays at a read buffer and the longest line.
class LineStream {
public:
    // Raises error 53 when the file cannot be opened or read.
    explicit LineStream(const QString& path);
    // The next line into line; false at the end of the file.
    bool next(QString& line);
    // Back to the first line.
    void rewind();
    // 1-based number of the line read last; 0 before the first.
    qint64 lineNumber() const { return line_; }

private:
    bool fill(); // decodes the next block into text_; false at the end of the file
    QFile file_;
    QString path_;
    bool utf8_ = true;
    QStringDecoder decoder_;
    QByteArray block_;
    QString text_;      // decoded text not yet given out
    qsizetype pos_ = 0; // start of the next line in text_
    bool atStart_ = true;
    bool eof_ = false;
    qint64 line_ = 0;
};

} // namespace qtext
