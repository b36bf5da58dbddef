// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/helpers.h"

#include "platform/qmerror.h"
#include "project/modgw.h"
#include "project/windowhooks.h"

#include <QFontMetricsF>
#include <QTextLayout>

QString StrTail(const QString& s, int n) {
    if (n <= 0) return s;
    if (n > s.size()) raiseError(qmerr::InvalidArgument);
    return s.mid(n);
}

void Text2Array(QString text) {
    ModGW& m = modgw();
    trap(QStringLiteral("Text2Array"), [&] {
        const QString crlf = QStringLiteral("\r\n");
        if (!text.endsWith(crlf)) text += crlf;
        int count = 0;
        qsizetype start = 0;
        for (;;) {
            const qsizetype p = text.indexOf(crlf, start);
            if (p < 0) break;
            if (count >= ModGW::MaxTextLines) raiseError(qmerr::Subscript);
            m.TextLines[++count] = text.mid(start, p - start);
            start = p + 2;
        }
        while (count > 0) {
            QString l = m.TextLines[count];
            while (l.endsWith(u' ')) l.chop(1);
            if (!l.isEmpty() && l != crlf) break;
            --count;
        }
        m.TextLineCount = int16_t(count);
    });
}

QStringList WrapLikeMemo(const QString& text, const QFont& font, int widthPx) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QStringList out;
    const QStringList paragraphs = t.split(u'\n');
    for (const QString& para : paragraphs) {
        if (para.isEmpty()) {
            out << QString();
            continue;
        }
        QTextLayout layout(para, font);
        QTextOption opt;
        opt.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(opt);
        layout.beginLayout();
        for (;;) {
            QTextLine line = layout.createLine();
            if (!line.isValid()) break;
            line.setLineWidth(qMax(1, widthPx));
            out << para.mid(line.textStart(), line.textLength());
        }
        layout.endLayout();
    }
    return out;
}

void Text2Wrap32(const QString& rawText, const QStringList& displayed) {
    ModGW& m = modgw();
    for (auto& l : m.TextLines) l.clear();
    QString text = rawText;
    // The box keeps its breaks as CR LF; accept LF alone as well.
    if (!text.contains(QLatin1String("\r\n"))) text.replace(u'\n', QLatin1String("\r\n"));
    trap(QStringLiteral("Text2Wrap32"), [&] {
        int count = int(displayed.size());
        if (count > 1000) count = 1000;
        m.TextLineCount = int16_t(count);
        QList<qsizetype> breaks;
        for (qsizetype p = text.indexOf(QLatin1String("\r\n")); p >= 0;
             p = text.indexOf(QLatin1String("\r\n"), p + 2)) {
            if (breaks.size() >= 600) raiseError(qmerr::Subscript);
            breaks << p + 1; // 1-based position
        }
        qsizetype p = 0;
        int b = 0;
        for (int i = 1; i <= count; ++i) {
            if (i > ModGW::MaxTextLines) raiseError(qmerr::Subscript);
            QString line = displayed[i - 1];
            p += line.size();
            if (b < breaks.size() && breaks[b] == p + 1) {
                line += Pilcrow;
                p += 2;
                ++b;
            }
            m.TextLines[i] = line;
        }
    });
}

void Text2Wrap32(int kind) {
    QString text;
    QStringList lines;
    const auto& memoBox = projectHooks().memoBox;
    if (!memoBox || !memoBox(kind, text, lines)) {
        showError(qmerr::Subscript, QStringLiteral("Text2Wrap32"));
        return;
    }
    Text2Wrap32(text, lines);
}
