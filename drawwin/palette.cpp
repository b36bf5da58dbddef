// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/palette.h"

#include "drawcmd/metaugl.h"
#include "drawcmd/printdrawing.h"
#include "platform/drawing/objecttags.h"
#include "platform/drawing/picture.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"
#include "project/modgw.h"

namespace {

const QString kPaletteFile = QStringLiteral("fillpalette.txt");
const QString kSolid = QStringLiteral("F0_sc.bmp");

void tag(MDrawPro& pal, const QString& value) {
    pal.TagTarget(5);
    pal.ObjectTag(draw::tags::Selected, value);
}

// The pattern file as a fill picture of the current object; nothing when the file is missing.
bool fillPicture(MDrawPro& pal, const QString& file) {
    if (!FileExists(file)) return false;
    pal.FillPictureFile(LoadPicture(file));
    return true;
}

void solidBox(MDrawPro& pal, int32_t color, bool noLine) {
    pal.FillStyle(0);
    pal.FillColor(color);
    if (noLine) pal.LineStyle(5);
}

void readOrCreateFile(Metaugl& m) {
    if (FileExists(kPaletteFile)) {
        qtext::LineReader in(kPaletteFile);
        for (int i = 1; i <= 10; ++i) m.PaletteFills[size_t(i)] = in.next();
        for (int i = 1; i <= 14; ++i) m.PaletteColors[size_t(i)] = qnum::CLng(qnum::LeadingNumber(in.next()));
        return;
    }
    QStringList lines;
    for (int i = 1; i <= 10; ++i) {
        m.PaletteFills[size_t(i)] = kSolid;
        lines << kSolid;
    }
    for (int i = 1; i <= 14; ++i) {
        m.PaletteColors[size_t(i)] = draw::White;
        lines << QString::number(draw::White);
    }
    qtext::WriteLines(kPaletteFile, lines);
}

} // namespace

void createFillPalette(MDrawPro& pal, const MDrawPro& page, const std::function<void()>& fitView) {
    Metaugl& m = metaugl();
    try {
        readOrCreateFile(m);
        m.CurrentFillPattern = m.PaletteFills[1];
        m.CurrentFillColor = m.PaletteColors[1];
        m.CurrentLineColor = m.PaletteColors[8];
        createcoloredFPtemp(m.CurrentFillPattern, m.CurrentFillColor);

        pal.ClearDrawing();
        pal.UnitsWidth(0);
        pal.PageWidth(500);
        pal.PageHeight(11000);
        pal.UnitsWidth(500);
        pal.UnitsHeight(11000);
        pal.UnitsLeft(0);
        pal.UnitsTop(0);
        if (fitView) fitView();

        const QString folder = modgw().FillPath;
        // 1 the fill sample, 2 its frame one place behind it.
        pal.AddObject(draw::Rectangle, 50, 20, 450, 320);
        pal.DrawOptions(page.DrawOptions() | 4096);
        fillPicture(pal, folder + m.CurrentFillPattern);
        pal.AddObject(draw::Rectangle, 0, -30, 500, 370);
        solidBox(pal, draw::RGB(0, 0, 125), true);
        pal.ObjectSelected(true);
        pal.ObjectAction(4);
        pal.ObjectSelected(false);

        // 3 to 12 the fill swatches; a missing pattern shows the solid one of the same folder.
        for (int i = 1; i <= 10; ++i) {
            const int y = 400 + 290 * (i - 1);
            pal.AddObject(draw::Rectangle, 50, y, 450, y + 260);
            if (!fillPicture(pal, folder + m.PaletteFills[size_t(i)])) fillPicture(pal, folder + kSolid);
            tag(pal, draw::tags::FillSwatch(i));
        }
        // 13 to 26 the colour swatches, two columns of seven.
        for (int i = 1; i <= 14; ++i) {
            const int row = (i - 1) % 7;
            const int x = i <= 7 ? 55 : 270;
            pal.AddObject(draw::Rectangle, x, 3350 + 170 * row, x + 175, 3490 + 170 * row);
            solidBox(pal, m.PaletteColors[size_t(i)], false);
            tag(pal, draw::tags::ColorSwatch(i));
        }
        // 27 and 28 the fill and line colour indicators.
        pal.AddObject(draw::Rectangle, 230, 4700, 390, 4850);
        solidBox(pal, draw::White, false);
        pal.LineColor(draw::RGB(20, 20, 20));
        pal.AddObject(draw::Rectangle, 120, 4610, 270, 4760);
        solidBox(pal, draw::Black, false);
        pal.LineColor(draw::RGB(120, 120, 120));

        // 29 the line-width marker, 30 to 35 the widths.
        pal.AddObject(draw::Rectangle, 60, 5000, 460, 5100);
        solidBox(pal, draw::RGB(0, 150, 255), true);
        pal.AddObject(draw::Line, 90, 4952, 430, 4952);
        pal.LineStyle(2);
        tag(pal, draw::tags::LineWidthSwatch(0));
        for (int k = 1; k <= 5; ++k) {
            const int lift = k >= 3 ? 10 : 0;
            pal.AddObject(draw::Rectangle, 90, 4952 + 94 * k - lift, 430, 4952 + 106 * k - lift);
            solidBox(pal, draw::Black, true);
            tag(pal, draw::tags::LineWidthSwatch(k));
        }

        // 36 the line-style marker, 37 to 40 the styles.
        pal.AddObject(draw::Rectangle, 60, 5550, 460, 5650);
        solidBox(pal, draw::RGB(255, 200, 0), true);
        const int styles[] = {0, 0, 2, 1};
        for (int s = 0; s <= 3; ++s) {
            pal.AddObject(draw::Line, 90, 5600 + 100 * s, s == 1 ? 390 : 430, 5600 + 100 * s);
            pal.LineStyle(styles[s]);
            tag(pal, draw::tags::LineStyleSwatch(s));
        }
    } catch (const QmError& e) {
        showError(e, QStringLiteral("createFillPalette"));
    }
}

void SaveFillPalette() {
    const Metaugl& m = metaugl();
    QStringList lines;
    for (int i = 1; i <= 10; ++i) lines << m.PaletteFills[size_t(i)];
    // Colours in the classic numeric print form: a blank for the sign, the digits, a blank after.
    for (int i = 1; i <= 14; ++i) {
        const int32_t c = m.PaletteColors[size_t(i)];
        lines << (c < 0 ? QString() : QStringLiteral(" ")) + QString::number(c) + QLatin1Char(' ');
    }
    qtext::WriteLines(kPaletteFile, lines);
}
