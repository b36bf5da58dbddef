// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/numbers.h"

#include "platform/qmerror.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

namespace qnum {

double LeadingNumber(QStringView text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t')) ++i;
    std::string buf;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) buf += char(text[i++].unicode());
    bool digits = false, point = false;
    while (i < n) {
        const QChar c = text[i];
        if (c.unicode() >= '0' && c.unicode() <= '9') {
            buf += char(c.unicode());
            digits = true;
        } else if (c == u'.' && !point) {
            buf += '.';
            point = true;
        } else {
            break;
        }
        ++i;
    }
    if (!digits) return 0.0;
    // An exponent counts only when at least one digit follows it.
    if (i < n && (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
        qsizetype j = i + 1;
        std::string exp = "e";
        if (j < n && (text[j] == u'-' || text[j] == u'+')) exp += char(text[j++].unicode());
        bool expDigits = false;
        while (j < n && text[j].unicode() >= '0' && text[j].unicode() <= '9') {
            exp += char(text[j++].unicode());
            expDigits = true;
        }
        if (expDigits) buf += exp;
    }
    const double v = std::strtod(buf.c_str(), nullptr);
    return std::isfinite(v) ? v : 0.0;
}

double RoundHalfEven(double v) { return std::nearbyint(v); }

int16_t CInt16(double v) {
    const double r = std::nearbyint(v);
    if (!(r >= std::numeric_limits<int16_t>::min() && r <= std::numeric_limits<int16_t>::max()))
        raiseError(qmerr::Overflow);
    return static_cast<int16_t>(r);
}

int32_t CLng(double v) {
    const double r = std::nearbyint(v);
    if (!(r >= std::numeric_limits<int32_t>::min() && r <= std::numeric_limits<int32_t>::max()))
        raiseError(qmerr::Overflow);
    return static_cast<int32_t>(r);
}

int16_t ReadInt16(QStringView text) { return CInt16(LeadingNumber(text)); }

QString ShortNum(double v) {
    const float f = static_cast<float>(v);
    if (f == 0.0f || !std::isfinite(f)) return QStringLiteral("0");
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.7G", static_cast<double>(f));
    QString s = QString::fromLatin1(buf);
    const qsizetype e = s.indexOf(u'E');
    QString mant = e < 0 ? s : s.left(e);
    QString exp = e < 0 ? QString() : s.mid(e);
    if (mant.contains(u'.')) {
        while (mant.endsWith(u'0')) mant.chop(1);
        if (mant.endsWith(u'.')) mant.chop(1);
    }
    if (mant.startsWith(QLatin1String("0."))) mant.remove(0, 1);
    else if (mant.startsWith(QLatin1String("-0."))) mant.remove(1, 1);
    if (!exp.isEmpty()) {
        // Two exponent digits at least, with its sign: E+07, E-05.
        const QChar sign = exp.size() > 1 && (exp[1] == u'-' || exp[1] == u'+') ? exp[1] : QChar(u'+');
        QString digits = exp.mid(exp[1] == u'-' || exp[1] == u'+' ? 2 : 1);
        while (digits.size() > 2 && digits.startsWith(u'0')) digits.remove(0, 1);
        if (digits.size() < 2) digits.prepend(u'0');
        exp = QStringLiteral("E") + sign + digits;
    }
    return mant + exp;
}

QString CaptionNum(double v) {
    const QString s = ShortNum(v);
    return v < 0 ? s : QStringLiteral(" ") + s;
}

} // namespace qnum
