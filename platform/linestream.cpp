// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linestream.h"

#include "platform/filenames.h"
#include "platform/qmerror.h"

namespace qtext {

namespace {
constexpr qint64 BlockSize = 256 * 1024;

QStringDecoder utf8Decoder() {
    // The mark is kept here and dropped once by the reader, as Decode does: a second one is text.
    return QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
}
// True when the bytes end inside a multi-byte UTF-8 sequence.
bool cutShort(const char* p, qint64 n) {
    qint64 i = n - 1;
    int continuation = 0;
    while (i >= 0 && continuation < 3 && (uchar(p[i]) & 0xC0) == 0x80) {
        --i;
        ++continuation;
    }
    if (i < 0) return false;
    const uchar lead = uchar(p[i]);
    const int needed = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    return continuation < needed;
}
} // namespace

LineStream::LineStream(const QString& path) : file_(qfile::Resolve(path)), path_(path) {
    if (path.isEmpty() || !file_.open(QIODevice::ReadOnly)) raiseError(qmerr::FileNotFound, path);
    // One invalid sequence anywhere makes the whole file Latin-1.
    QStringDecoder check = utf8Decoder();
    block_.resize(BlockSize);
    QString out(BlockSize + 4, Qt::Uninitialized);
    qint64 last = 0;
    for (;;) {
        const qint64 n = file_.read(block_.data(), BlockSize);
        if (n < 0) raiseError(qmerr::FileNotFound, path);
        if (n == 0) break;
        last = n;
        check.appendToBuffer(out.data(), QByteArrayView(block_.constData(), n));
        if (check.hasError()) break;
    }
    // The decoder holds back a sequence the end of the file cuts off; it is invalid too.
    utf8_ = !check.hasError() && !cutShort(block_.constData(), last);
    rewind();
}

void LineStream::rewind() {
    if (!file_.seek(0)) raiseError(qmerr::FileNotFound, path_);
    decoder_ = utf8Decoder();
    text_.clear();
    pos_ = 0;
    atStart_ = true;
    eof_ = false;
    line_ = 0;
}

bool LineStream::fill() {
    if (eof_) return false;
    const qint64 n = file_.read(block_.data(), BlockSize);
    if (n < 0) raiseError(qmerr::FileNotFound, path_);
    if (n == 0) {
        eof_ = true;
        return false;
    }
    text_.remove(0, pos_);
    pos_ = 0;
    const QByteArrayView bytes(block_.constData(), n);
    if (utf8_) {
        QString decoded = decoder_.decode(bytes);
        if (atStart_ && decoded.startsWith(QChar(0xFEFF))) decoded.remove(0, 1);
        text_ += decoded;
    } else {
        text_ += QString::fromLatin1(bytes);
    }
    atStart_ = false;
    return true;
}

bool LineStream::next(QString& line) {
    for (qsizetype from = pos_;;) {
        const QChar* d = text_.constData();
        const qsizetype size = text_.size();
        qsizetype i = from;
        while (i < size && d[i] != u'\r' && d[i] != u'\n')
            ++i;
        // A CR last in the text read so far may be the first half of CR LF.
        if (i < size && !(d[i] == u'\r' && i + 1 == size && !eof_)) {
            line = text_.mid(pos_, i - pos_);
            pos_ = i + 1;
            if (d[i] == u'\r' && pos_ < size && d[pos_] == u'\n') ++pos_;
            ++line_;
            return true;
        }
        const qsizetype scanned = i - pos_;
        if (fill()) {
            from = pos_ + scanned; // what was searched stays searched
            continue;
        }
        if (i < size) { // the CR at the very end ends its line
            from = i;
            continue;
        }
        if (pos_ >= size) return false;
        line = text_.mid(pos_);
        pos_ = size;
        ++line_;
        return true;
    }
}

} // namespace qtext
