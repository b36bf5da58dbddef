// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dates.h"

#include <QLocale>
#include <QStringList>

namespace qdate {

DateOrder& order() {
    static DateOrder o;
    return o;
}

void SetDayFirst(int dayFirst) {
    order().DayFirst = dayFirst ? 1 : 0;
    order().DateFormat = dayFirst ? QStringLiteral("dd/mm/yyyy") : QStringLiteral("mm/dd/yyyy");
}

void SetOrderFromPattern(const QString& pattern) {
    // Skip quoted literals; find the first of M and d. Year-first patterns keep day first.
    qsizetype m = -1, d = -1, y = -1;
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'\'') {
            quoted = !quoted;
            continue;
        }
        if (quoted) continue;
        if (c == u'M' && m < 0) m = i;
        if (c == u'd' && d < 0) d = i;
        if (c == u'y' && y < 0) y = i;
    }
    const bool yearFirst = y >= 0 && (m < 0 || y < m) && (d < 0 || y < d);
    SetDayFirst(!(m >= 0 && d >= 0 && m < d && !yearFirst));
}

void SetOrderFromSystem() { SetOrderFromPattern(QLocale::system().dateFormat(QLocale::ShortFormat)); }

QString FixTwoDigitYear(const QString& text) {
    const QString t = text.trimmed();
    if (t.size() < 3 || t[t.size() - 3] != u'/') return text;
    // Two digits only: a sign or a blank in their place is no year ("5/1/-2" is no date).
    const QChar d1 = t[t.size() - 2], d2 = t[t.size() - 1];
    if (d1 < u'0' || d1 > u'9' || d2 < u'0' || d2 > u'9') return text;
    const int y = (d1.unicode() - u'0') * 10 + (d2.unicode() - u'0');
    return t.left(t.size() - 2) + QString::number(y > 30 ? 1900 + y : 2000 + y);
}

std::optional<QDate> Parse(const QString& raw) { return Parse(raw, order().DayFirst); }

std::optional<QDate> Parse(const QString& raw, int dayFirst) {
    QString t = raw.trimmed();
    const qsizetype blank = t.indexOf(u' ');
    if (blank > 0) t = t.left(blank);
    if (t.isEmpty()) return std::nullopt;
    t = FixTwoDigitYear(t);
    QChar sep;
    for (QChar c : t)
        if (c == u'/' || c == u'-' || c == u'.') {
            sep = c;
            break;
        }
    if (sep.isNull()) return std::nullopt;
    const QStringList parts = t.split(sep);
    if (parts.size() != 3) return std::nullopt;
    int v[3];
    for (int i = 0; i < 3; ++i) {
        if (parts[i].isEmpty() || parts[i].size() > 4) return std::nullopt;
        for (QChar c : parts[i])
            if (!c.isDigit()) return std::nullopt;
        v[i] = parts[i].toInt();
    }
    int year, month, day;
    if (parts[0].size() == 4) {
        year = v[0], month = v[1], day = v[2];
    } else {
        if (parts[2].size() != 4 && parts[2].size() != 2) return std::nullopt;
        year = parts[2].size() == 2 ? (v[2] > 30 ? 1900 + v[2] : 2000 + v[2]) : v[2];
        if (dayFirst) day = v[0], month = v[1];
        else month = v[0], day = v[1];
    }
    const QDate d(year, month, day);
    if (!d.isValid() || year < 100) return std::nullopt;
    return d;
}

bool IsDate(const QString& text) { return Parse(text).has_value(); }

QString Format(const QDate& d) { return Format(d, order().DayFirst); }

QString Format(const QDate& d, int dayFirst) {
    if (!d.isValid()) return {};
    return d.toString(dayFirst ? QStringLiteral("dd/MM/yyyy") : QStringLiteral("MM/dd/yyyy"));
}

QString FormatShort(const QDate& d) {
    if (!d.isValid()) return {};
    return d.toString(order().DayFirst ? QStringLiteral("d/M/yyyy") : QStringLiteral("M/d/yyyy"));
}

QString ToIso(const QDate& d) { return d.isValid() ? d.toString(Qt::ISODate) : QString(); }

std::optional<QDate> FromIso(const QString& iso) {
    const QDate d = QDate::fromString(iso.left(10), Qt::ISODate);
    if (!d.isValid()) return std::nullopt;
    return d;
}

QString IsoToDisplay(const QString& iso) {
    const auto d = FromIso(iso);
    return d ? Format(*d) : iso;
}

} // namespace qdate
