// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/textfile.h"

#include "platform/filenames.h"
#include "platform/qmerror.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace qtext {

QString Decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString s = utf8.decode(bytes);
    if (!utf8.hasError()) {
        if (s.startsWith(QChar(0xFEFF))) s.remove(0, 1);
        return s;
    }
    return QString::fromLatin1(bytes);
}

QByteArray Encode(const QString& text) {
    for (QChar c : text)
        if (c.unicode() > 0xFF) return text.toUtf8();
    return text.toLatin1();
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

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QSaveFile f(qfile::ForWriting(path));
    if (!f.open(QIODevice::WriteOnly)) raiseError(qmerr::PathFileAccess, path);
    if (f.write(bytes) != bytes.size() || !f.commit()) {
        f.cancelWriting();
        raiseError(qmerr::PathFileAccess, path);
    }
}

void WriteLines(const QString& path, const QStringList& lines) {
    QString text;
    for (const QString& l : lines) {
        text += l;
        text += QLatin1String("\r\n");
    }
    WriteBytes(path, Encode(text));
}

LineReader::LineReader(const QString& path) : lines_(ReadLines(path)) {}

QString LineReader::next() {
    if (atEnd()) raiseError(qmerr::PastEndOfFile);
    return lines_[pos_++];
}

} // namespace qtext
