// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/colors.h"

#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"
#include "platform/uiservice.h"
#include "project/modgw.h"

#include <QStringList>
#include <algorithm>

namespace {

constexpr int32_t White = 0xFFFFFF;

// The leading number, rounded half to even; kept as a double so that a huge value is out of range
// rather than an overflow.
double wholeValue(const QString& s) {
    return qnum::RoundHalfEven(qnum::LeadingNumber(s));
}

bool inRange(double v) {
    return v >= 0 && v <= 255;
}

} // namespace

int32_t ParseColorText(const QString& text) {
    const ModGW& m = modgw();
    QString t = text;
    for (int i = 1; i <= m.ColorCount && i <= ModGW::MaxColors; ++i)
        if (text.compare(m.ColorTable[i][1], Qt::CaseInsensitive) == 0) t = m.ColorTable[i][2];

    if (t.isEmpty()) return 0;
    const qsizetype first = t.indexOf(u' ');
    if (first < 0) return -1;
    const double r = wholeValue(t.left(first));
    const QString u = t.mid(first + 1);
    const qsizetype second = u.indexOf(u' ');
    if (second < 0) {
        ui().MsgBox(QStringLiteral("Missing 1 Color Value: ") + t);
        return White;
    }
    const double g = wholeValue(u.left(second));
    const double b = wholeValue(u.mid(second + 1));
    if (!inRange(r) || !inRange(g) || !inRange(b)) {
        ui().MsgBox(QStringLiteral("Color values must be in the range of 0 to 255: ") + t);
        return White;
    }
    return int32_t(r) + 256 * int32_t(g) + 65536 * int32_t(b);
}

QString RgbText(int32_t color) {
    int32_t rest = color;
    const int32_t b = rest >= 65536 ? rest / 65536 : 0;
    rest -= b * 65536;
    const int32_t g = rest >= 256 ? rest / 256 : 0;
    rest -= g * 256;
    return QStringLiteral("%1 %2 %3").arg(rest).arg(g).arg(b);
}

QList<ColorEntry> ColorTableEntries() {
    const ModGW& m = modgw();
    QList<ColorEntry> out;
    for (int i = 1; i <= m.ColorCount && i <= ModGW::MaxColors; ++i) out.append({m.ColorTable[i][1], m.ColorTable[i][2]});
    return out;
}

void loadcolors() {
    ModGW& m = modgw();
    QString file = m.ColorFile;
    if (!FileExists(file)) file = QStringLiteral("defcolor.col");
    if (!FileExists(file)) {
        ui().MsgBox(QStringLiteral("Color File not Found: ") + m.ColorFile);
        return;
    }
    int read = 0;
    try {
        qtext::LineReader in(file);
        const int16_t count = qnum::ReadInt16(in.next());
        // The table holds 150 colours; the count never claims more than were actually read.
        for (int i = 1; i <= count; ++i) {
            if (i > ModGW::MaxColors) raiseError(qmerr::Subscript);
            const QString name = in.next();
            const QString rgb = in.next();
            m.ColorTable[i][1] = name;
            m.ColorTable[i][2] = rgb;
            read = i;
        }
        m.ColorCount = read;
    } catch (const QmError& e) {
        m.ColorCount = read;
        showError(e, QStringLiteral("loadcolors"));
    }
}

bool savecolors(const QString& file, const QList<ColorEntry>& colors) {
    const int n = int(std::min<qsizetype>(colors.size(), ModGW::MaxColors));
    QStringList lines{QString::number(n)};
    for (int i = 0; i < n; ++i) lines << colors[i].name << colors[i].rgb;
    if (!trap(QStringLiteral("savecolors"), [&] { qtext::WriteLines(file, lines); })) return false;
    // The table follows the file only once the file holds it.
    ModGW& m = modgw();
    for (int i = 1; i <= ModGW::MaxColors; ++i) {
        m.ColorTable[i][1] = i <= n ? colors[i - 1].name : QString();
        m.ColorTable[i][2] = i <= n ? colors[i - 1].rgb : QString();
    }
    m.ColorCount = n;
    m.ColorFile = file;
    return true;
}

ChooserCell ChooserCellOf(int colorNumber) {
    const int i = colorNumber - 1;
    return {i % ChooserRows + 1, 2 * (i / ChooserRows) + 1};
}

int ChooserColorAt(int row, int col, int colorCount) {
    if (row < 1 || row > ChooserRows || col < 1) return 0;
    const int pair = (col + 1) / 2; // a name column and the colour column to its right
    const int i = (pair - 1) * ChooserRows + row;
    return i <= colorCount ? i : 0;
}
