// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/fillchooser.h"

#include "platform/drawing/mdrawpro.h"
#include "platform/drawing/objecttags.h"
#include "platform/drawing/picture.h"
#include "platform/files.h"
#include "platform/qmerror.h"

#include <QDir>
#include <algorithm>

namespace fillchooser {

const QString kTooManyMessage = QStringLiteral(
    "There are more than 500 fill files in this folder.  Only the first 500 will be shown in the Choose Fill "
    "Dialog.");

bool NaturalLess(const QString& a, const QString& b) {
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            // Compare the two numbers by value: leading zeros dropped, then length, then digits.
            qsizetype ie = i, je = j;
            while (ie < a.size() && a[ie].isDigit())
                ++ie;
            while (je < b.size() && b[je].isDigit())
                ++je;
            qsizetype is = i, js = j;
            while (is + 1 < ie && a[is] == u'0')
                ++is;
            while (js + 1 < je && b[js] == u'0')
                ++js;
            if (ie - is != je - js) return ie - is < je - js;
            const int c = QStringView(a).mid(is, ie - is).compare(QStringView(b).mid(js, je - js));
            if (c != 0) return c < 0;
            i = ie;
            j = je;
            continue;
        }
        const QChar ca = a[i].toCaseFolded(), cb = b[j].toCaseFolded();
        if (ca != cb) return ca < cb;
        ++i;
        ++j;
    }
    if ((i < a.size()) != (j < b.size())) return j < b.size();
    return a < b;
}

QStringList ListBitmaps(const QString& folder) {
    QStringList listed = QDir(folder).entryList({QStringLiteral("*.bmp")}, QDir::Files, QDir::NoSort);
    std::sort(listed.begin(), listed.end(), NaturalLess);
    return listed;
}

QStringList SwatchFiles(const QStringList& listed) {
    QStringList out;
    for (const QString& s : listed) {
        if (s.right(7).toUpper() != QLatin1String("_SC.BMP")) continue;
        if (s.left(4).toUpper() == QLatin1String("TEMP")) continue;
        if (s.startsWith(QLatin1String("cutt")) || s.startsWith(QLatin1String("quicksoil")) ||
            s.startsWith(QLatin1String("samp")) || s.startsWith(QLatin1String("well")))
            continue;
        out << s;
    }
    return out;
}

QString Label(const QString& file) {
    const qsizetype bar = file.indexOf(u'_');
    return bar < 0 ? file : file.left(bar);
}

int WindowWidth(int n) {
    return (n / 10 + 1) * ColumnWidth;
}

bool Centred(int n) {
    return n >= 120;
}

QRect SwatchRect(int i, int n) {
    const int k = n / 10;
    const int p = (i - 1) % 10 + 1;
    const int c = (i - 1) / 10;
    const int x = 600 * c + 250 + 50 * (k - 6);
    const int y = 700 * (p - 1) + 500;
    return QRect(x, y, 500, 500);
}

int StepSwatch(int i, int n, int dx, int dy) {
    if (n < 1) return 0;
    i = std::clamp(i, 1, n);
    const int place = (i - 1) % 10 + dy, column = (i - 1) / 10 + dx;
    if (place < 0 || place > 9 || column < 0 || column > (n - 1) / 10) return i;
    const int j = column * 10 + place + 1;
    return dx == 0 && j > n ? i : std::min(j, n);
}

void BuildSwatches(MDrawPro& canvas, const QStringList& files, const QString& fillPath, int width, int height,
                   int32_t drawOptions, int unitsLeft) {
    canvas.ClearDrawing();
    canvas.UnitsWidth(0);
    canvas.PageWidth(width);
    canvas.PageHeight(height);
    canvas.UnitsWidth(width);
    canvas.UnitsHeight(height);
    canvas.UnitsLeft(unitsLeft);
    canvas.UnitsTop(0);
    canvas.DrawOptions(drawOptions | 4096);
    canvas.CurrentObject(4);
    canvas.TextAlign(0);
    canvas.TextMode(1);
    canvas.TextHeight(-150);
    canvas.TextAngle(0);
    canvas.FontName(QStringLiteral("Arial"));
    canvas.TextColor(draw::RGB(0, 64, 128));

    const int n = int(files.size());
    for (int i = 1; i <= n; ++i) {
        const QString& s = files[i - 1];
        const QRect r = SwatchRect(i, n);
        canvas.AddObject(draw::Rectangle, r.left(), r.top(), r.left() + 500, r.top() + 500);
        // A listed file that cannot be read still gets its swatch, without picture.
        if (FileExists(fillPath + s)) {
            try {
                canvas.FillPictureFile(LoadPicture(fillPath + s));
            } catch (const QmError&) {
            }
        }
        canvas.TagTarget(5);
        canvas.ObjectTag(draw::tags::Selected, s);
        const int lx = r.left(), ly = r.top() - 80;
        canvas.AddObject(draw::Text, lx, ly, lx, ly);
        canvas.TextString(Label(s));
        canvas.SetObjectCoords(lx, ly, lx, ly, 0);
    }
}

} // namespace fillchooser
