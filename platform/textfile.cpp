// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/textfile.h"

#include "platform/filenames.h"
#include "platform/qmerror.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <cerrno>
#include <unistd.h>

namespace qtext {

QString Decode(const QByteArray& bytes) {
    // The mark is dropped here, once: a second one is text.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString s = utf8.decode(bytes);
    if (!utf8.hasError()) {
        if (s.startsWith(QChar(0xFEFF))) s.remove(0, 1);
        return s;
    }
    return QString::fromLatin1(bytes);
}

namespace {
// The reader drops one leading mark, so a text that begins with U+FEFF gets one more in front.
QByteArray utf8(const QString& text) {
    QByteArray b = text.toUtf8();
    if (text.startsWith(QChar(0xFEFF))) b.prepend("\xEF\xBB\xBF");
    return b;
}
} // namespace

QByteArray Encode(const QString& text) {
    bool plain = true;
    for (QChar c : text) {
        if (c.unicode() > 0xFF) return utf8(text);
        if (c.unicode() > 0x7F) plain = false;
    }
    const QByteArray latin1 = text.toLatin1();
    // Latin-1 bytes that happen to be valid UTF-8 would read back as other text.
    if (plain || Decode(latin1) == text) return latin1;
    return utf8(text);
}

QStringList SplitLines(const QString& text) {
    QStringList out;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            out << text.mid(start, i - start);
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') ++i;
            start = i + 1;
        }
    }
    if (start < n) out << text.mid(start);
    return out;
}

QStringList ReadLines(const QString& path) {
    QFile f(qfile::Resolve(path));
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly)) raiseError(qmerr::FileNotFound, path);
    return SplitLines(Decode(f.readAll()));
}

QByteArray ReadBytes(const QString& path) {
    QFile f(qfile::Resolve(path));
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly)) raiseError(qmerr::FileNotFound, path);
    QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) raiseError(qmerr::FileNotFound, path);
    return bytes;
}

namespace {
QByteArray linesText(const QStringList& lines) {
    QString text;
    for (const QString& l : lines) {
        text += l;
        text += QLatin1String("\r\n");
    }
    return Encode(text);
}

int writeErrorNumber(int err) {
    return err == ENOSPC || err == EDQUOT || err == EFBIG ? qmerr::DiskFull : qmerr::PathFileAccess;
}
} // namespace

PendingFile::PendingFile(const QString& path, const QStringList& lines)
    : PendingFile(path, linesText(lines)) {}

PendingFile::PendingFile(const QString& path, const QByteArray& bytes)
    : path_(path), file_(std::make_unique<QSaveFile>(qfile::ForWriting(path))) {
    // Unbuffered and checked here: a buffer flushed only at commit() can fail unnoticed and leave a
    // cut file in place of the old one.
    if (!file_->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) raiseError(qmerr::PathFileAccess, path);
    const int fd = file_->handle();
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int number = writeErrorNumber(n < 0 ? errno : ENOSPC);
            file_->cancelWriting();
            raiseError(number, path);
        }
        p += n;
        left -= n;
    }
    // Space some file systems only claim when the data goes to disk.
    if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) {
        const int number = writeErrorNumber(errno);
        file_->cancelWriting();
        raiseError(number, path);
    }
}

PendingFile::~PendingFile() {
    if (file_ && file_->isOpen()) file_->cancelWriting();
}

void PendingFile::commit() {
    if (!file_->commit()) raiseError(qmerr::PathFileAccess, path_);
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    PendingFile(path, bytes).commit();
}

void WriteLines(const QString& path, const QStringList& lines) {
    WriteBytes(path, linesText(lines));
}

LineReader::LineReader(const QString& path) : lines_(ReadLines(path)) {}

QString LineReader::next() {
    if (atEnd()) raiseError(qmerr::PastEndOfFile);
    return lines_[pos_++];
}

} // namespace qtext
