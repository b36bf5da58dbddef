// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/palette.h"

#include "drawcmd/editingsession.h"
#include "drawcmd/pagecanvas.h"
#include "drawcmd/printdrawing.h"
#include "drawwin/drawwinstate.h"
#include "drawwin/shippedpictures.h"
#include "platform/drawing/objecttags.h"
#include "platform/drawing/picture.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"
#include "project/helpers.h"
#include "project/modgw.h"

#include <algorithm>

namespace {

namespace tags = draw::tags;

const QString kPaletteFile = QStringLiteral("fillpalette.txt");
const QString kSolid = QStringLiteral("F0_sc.bmp");
const QString kTemp = QStringLiteral("Temp.bmp");

constexpr int FillCount = 10;
constexpr int ColorCount = 14;
constexpr int FirstFillSwatch = 3;   // object id of fill swatch 1
constexpr int FirstColorSwatch = 13; // object id of colour swatch 1
constexpr int FillIndicator = 27;
constexpr int LineIndicator = 28;
constexpr int WidthMarker = 29;
constexpr int StyleMarker = 36;
constexpr int SheetWidth = 500;
constexpr int SheetHeight = 11000;
constexpr int UsedHeight = 6000; // the line-style marker's lowest place ends at 5950

void tag(MDrawPro& pal, const QString& value) {
    pal.TagTarget(5);
    pal.ObjectTag(tags::Selected, value);
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

// The number after a swatch tag's name: "color12" less 5 characters gives 12.
int tagNumber(const QString& s, int nameLength) {
    return int(qnum::LeadingNumber(StrTail(s, nameLength)));
}

bool thickDashedLines() {
    return qnum::LeadingNumber(modgw().ThickDashedLines) != 0;
}

// Reads the palette file; a short one gives the defaults for its missing lines and raises error 62
// once the palette is set, so that the palette is still built whole.
bool readFile(EditingSession& m) {
    qtext::LineReader in(kPaletteFile);
    bool shortFile = false;
    for (int i = 1; i <= FillCount; ++i) {
        shortFile = shortFile || in.atEnd();
        m.PaletteFills[size_t(i)] = shortFile ? kSolid : in.next();
    }
    for (int i = 1; i <= ColorCount; ++i) {
        shortFile = shortFile || in.atEnd();
        m.PaletteColors[size_t(i)] = shortFile ? draw::White : qnum::CLng(qnum::LeadingNumber(in.next()));
    }
    return !shortFile;
}

// A first palette of ten different shipped patterns and fourteen different colours: white fill
// (colour 1) and black lines (colour 8) to begin with. Ten solid patterns and fourteen white colours
// would show a strip of black and white boxes, and white lines for the filled markers of report pages.
void writeDefaultFile(EditingSession& m) {
    static const int32_t colors[ColorCount] = {
        draw::White,           draw::RGB(255, 0, 0),   draw::RGB(255, 255, 0), draw::RGB(0, 255, 0),
        draw::RGB(0, 255, 255), draw::RGB(0, 0, 255),  draw::RGB(255, 0, 255), draw::Black,
        draw::RGB(128, 128, 128), draw::RGB(128, 0, 0), draw::RGB(255, 128, 0), draw::RGB(0, 128, 0),
        draw::RGB(0, 0, 128),  draw::RGB(128, 64, 0)};
    QStringList lines;
    for (int i = 1; i <= FillCount; ++i) {
        m.PaletteFills[size_t(i)] = shipped::FillPatternName(i - 1, false);
        lines << m.PaletteFills[size_t(i)];
    }
    for (int i = 1; i <= ColorCount; ++i) {
        m.PaletteColors[size_t(i)] = colors[i - 1];
        lines << QString::number(colors[i - 1]);
    }
    qtext::WriteLines(kPaletteFile, lines);
}

void buildObjects(MDrawPro& pal, const MDrawPro& page, const std::function<void()>& fitView) {
    const EditingSession& m = editingSession();
    pal.ClearDrawing();
    pal.UnitsWidth(0);
    pal.PageWidth(SheetWidth);
    pal.PageHeight(SheetHeight);
    pal.UnitsWidth(SheetWidth);
    pal.UnitsHeight(SheetHeight);
    pal.UnitsLeft(0);
    pal.UnitsTop(0);
    if (fitView) fitView();

    const QString folder = modgw().FillPath;
    // 1 the fill sample, 2 its frame one place behind it. The sample shows the current fill as a click
    // leaves it, the pattern in its colour; the bare pattern would show the solid one black.
    pal.AddObject(draw::Rectangle, 50, 20, 450, 320);
    pal.DrawOptions(page.DrawOptions() | 4096);
    if (!fillPicture(pal, folder + kTemp)) fillPicture(pal, folder + m.CurrentFillPattern);
    pal.AddObject(draw::Rectangle, 0, -30, 500, 370);
    solidBox(pal, draw::RGB(0, 0, 125), true);
    pal.ObjectSelected(true);
    pal.ObjectAction(4);
    pal.ObjectSelected(false);

    // 3 to 12 the fill swatches; a missing pattern shows the solid one of the same folder.
    for (int i = 1; i <= FillCount; ++i) {
        const int y = 400 + 290 * (i - 1);
        pal.AddObject(draw::Rectangle, 50, y, 450, y + 260);
        if (!fillPicture(pal, folder + m.PaletteFills[size_t(i)])) fillPicture(pal, folder + kSolid);
        tag(pal, tags::FillSwatch(i));
    }
    // 13 to 26 the colour swatches, two columns of seven.
    for (int i = 1; i <= ColorCount; ++i) {
        const int row = (i - 1) % 7;
        const int x = i <= 7 ? 55 : 270;
        pal.AddObject(draw::Rectangle, x, 3350 + 170 * row, x + 175, 3490 + 170 * row);
        solidBox(pal, m.PaletteColors[size_t(i)], false);
        tag(pal, tags::ColorSwatch(i));
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
    tag(pal, tags::LineWidthSwatch(0));
    for (int k = 1; k <= 5; ++k) {
        const int lift = k >= 3 ? 10 : 0;
        pal.AddObject(draw::Rectangle, 90, 4952 + 94 * k - lift, 430, 4952 + 106 * k - lift);
        solidBox(pal, draw::Black, true);
        tag(pal, tags::LineWidthSwatch(k));
    }

    // 36 the line-style marker, 37 to 40 the styles.
    pal.AddObject(draw::Rectangle, 60, 5550, 460, 5650);
    solidBox(pal, draw::RGB(255, 200, 0), true);
    const int styles[] = {0, 0, 2, 1};
    for (int s = 0; s <= 3; ++s) {
        pal.AddObject(draw::Line, 90, 5600 + 100 * s, s == 1 ? 390 : 430, 5600 + 100 * s);
        pal.LineStyle(styles[s]);
        tag(pal, tags::LineStyleSwatch(s));
    }
}

void moveMarker(MDrawPro& pal, int marker, int top) {
    pal.ObjectId(marker);
    pal.SetObjectCoords(60, top, 460, top + 100, 0);
}

void lineWidthClicked(MDrawPro& pal, MDrawPro& page, int k) {
    auto apply = [k](MDrawPro& d) {
        if (k == 0) {
            d.LineStyle(5); // no visible line
        } else {
            d.LineStyle(0);
            d.LineWidth(4 * k);
        }
    };
    page.CurrentObject(4);
    apply(page);
    moveMarker(pal, WidthMarker, 100 * k + 4900);
    if (page.CountObjects(2) >= 1) {
        page.CurrentObject(2);
        apply(page);
    }
}

void lineStyleClicked(MDrawPro& pal, MDrawPro& page, int style) {
    const bool thinDashes = !thickDashedLines();
    auto apply = [&](MDrawPro& d) {
        d.LineStyle(style);
        if (thinDashes) d.LineWidth(1);
    };
    page.CurrentObject(4);
    apply(page);
    moveMarker(pal, StyleMarker, 100 * style + 5550);
    // A style reaches the drawing only for a single selected object.
    if (page.CountObjects(2) == 1) {
        page.CurrentObject(2);
        apply(page);
    }
}

// The sample shows the coloured pattern: it is the second object in stacking order, its frame lying
// behind it.
void showSample(MDrawPro& pal) {
    pal.CurrentObject(5);
    pal.ObjectCursor(13);
    pal.ObjectCursor(14);
    pal.ObjectCursor(0);
    if (pal.CurrentObject() > 10) pal.FillPictureFile(LoadPicture(modgw().FillPath + kTemp));
}

// The current fill on the page's selection, with the tags printing rebuilds the fill from.
void fillSelection(MDrawPro& page) {
    const EditingSession& m = editingSession();
    if (page.CountObjects(2) < 1) return;
    page.CurrentObject(2);
    page.TagTarget(2);
    if (m.CurrentFillPattern.startsWith(QLatin1String("F0"))) {
        page.FillStyle(0);
        page.FillColor(m.CurrentFillColor);
        page.ObjectTag(tags::Fill, QString());
    } else {
        page.FillPictureFile(LoadPicture(modgw().FillPath + kTemp));
        page.ObjectTag(tags::Fill, m.CurrentFillPattern.left(m.CurrentFillPattern.size() - 7) + QStringLiteral(".bmp"));
    }
    page.ObjectTag(tags::Color, QString::number(m.CurrentFillColor));
    page.TagTarget(5);
}

} // namespace

std::optional<zoom::View> PaletteView(const zoom::Geometry& g) {
    if (!(g.clientWidth > 0) || !(g.clientHeight > 0)) return std::nullopt;
    const double scale = std::min(g.clientWidth / SheetWidth, g.clientHeight / UsedHeight);
    zoom::View v;
    v.width = qnum::RoundHalfEven(SheetWidth * scale);
    v.height = qnum::RoundHalfEven(SheetHeight * scale);
    v.left = (v.width - g.controlWidth) / 2; // negative: the sheet moves right, into the middle
    v.top = 0;
    return v;
}

void createFillPalette(MDrawPro& pal, const MDrawPro& page, const std::function<void()>& fitView) {
    EditingSession& m = editingSession();
    trap(QStringLiteral("createFillPalette"), [&] {
        bool whole = true;
        if (FileExists(kPaletteFile))
            whole = readFile(m);
        else
            writeDefaultFile(m);
        if (!whole) showError(qmerr::PastEndOfFile, QStringLiteral("createFillPalette"));
        m.CurrentFillPattern = m.PaletteFills[1];
        m.CurrentFillColor = m.PaletteColors[1];
        pageCanvas().CurrentLineColor = m.PaletteColors[8];
        createcoloredFPtemp(m.CurrentFillPattern, m.CurrentFillColor);
        buildObjects(pal, page, fitView);
    });
}

bool SaveFillPalette() {
    const EditingSession& m = editingSession();
    QStringList lines;
    for (int i = 1; i <= FillCount; ++i) lines << m.PaletteFills[size_t(i)];
    // Colours in the classic numeric print form: a blank for the sign, the digits, a blank after.
    for (int i = 1; i <= ColorCount; ++i) {
        const int32_t c = m.PaletteColors[size_t(i)];
        lines << (c < 0 ? QString() : QStringLiteral(" ")) + QString::number(c) + QLatin1Char(' ');
    }
    return trap(QStringLiteral("SaveFillPalette"), [&] { qtext::WriteLines(kPaletteFile, lines); });
}

PaletteTimer PaletteObjectClicked(MDrawPro& pal, MDrawPro& page) {
    DrawWin& w = drawwin();
    try {
        pal.TagTarget(5);
        const QString s = pal.ObjectTag(tags::Selected);
        if (s.startsWith(QLatin1String("linewidth"))) {
            lineWidthClicked(pal, page, tagNumber(s, 9));
            return PaletteTimer::Leave;
        }
        if (s.startsWith(QLatin1String("linestyle"))) {
            lineStyleClicked(pal, page, tagNumber(s, 9));
            return PaletteTimer::Leave;
        }
        if (w.PaletteClickPending != 1) {
            w.PaletteClickPending = 1;
            return PaletteTimer::Start;
        }
        // The second click: the chooser opens from the deferred timer, outside this event.
        w.PaletteClickPending = 0;
        if (s.startsWith(QLatin1String("fill"))) {
            w.PaletteSwatchIndex = int16_t(tagNumber(s, 4));
            w.ChosenFill.clear();
            w.PendingPreviewCommand = 35;
        } else if (s.startsWith(QLatin1String("color"))) {
            w.PaletteSwatchIndex = int16_t(tagNumber(s, 5));
            w.PendingPreviewCommand = 40;
        }
        return PaletteTimer::Stop;
    } catch (const QmError&) {
        return PaletteTimer::Leave;
    }
}

void PaletteSingleClick(MDrawPro& pal, MDrawPro& page) {
    EditingSession& m = editingSession();
    trap(QStringLiteral("Timer"), [&] {
        pal.Redraw(true);
        drawwin().PaletteClickPending = 0;
        pal.TagTarget(5);
        const QString s = pal.ObjectTag(tags::Selected);
        if (s.startsWith(QLatin1String("fill"))) {
            const int i = tagNumber(s, 4);
            if (i < 1 || i > FillCount) return;
            m.CurrentFillPattern = m.PaletteFills[size_t(i)];
            createcoloredFPtemp(m.CurrentFillPattern, m.CurrentFillColor);
        } else if (s.startsWith(QLatin1String("color"))) {
            const int i = tagNumber(s, 5);
            if (i < 1 || i > ColorCount) return;
            m.CurrentFillColor = m.PaletteColors[size_t(i)];
            pal.ObjectId(FillIndicator);
            pal.FillColor(m.CurrentFillColor);
            page.CurrentObject(4);
            createcoloredFPtemp(m.CurrentFillPattern, m.CurrentFillColor);
        } else {
            return;
        }
        showSample(pal);
        fillSelection(page);
    });
}

void PaletteRightClick(MDrawPro& pal, MDrawPro& page, double x, double y) {
    // Only the colour rows count; a point between two swatches counts to the one above it.
    if (y < 3350 || y > 4510) return;
    int row = 1;
    while (row < 7 && !(y < 3350 + 170 * row)) ++row;
    const int swatch = x < 251 ? row : row + 7;
    Metaugl& m = pageCanvas();
    trap(QStringLiteral("MDraw3-PointClicked"), [&] {
        m.CurrentLineColor = editingSession().PaletteColors[size_t(swatch)];
        page.CurrentObject(4);
        page.LineColor(m.CurrentLineColor);
        pal.ObjectId(LineIndicator);
        pal.FillColor(m.CurrentLineColor);
        if (page.CountObjects(2) >= 1) {
            page.CurrentObject(2);
            page.LineColor(m.CurrentLineColor);
        }
    });
}

void RefreshStyleSample(MDrawPro& pal) {
    try {
        moveMarker(pal, WidthMarker, 5000);
    } catch (const QmError&) {
        // A palette not built (its file could not be read) has no marker to move.
    }
}

void ApplyChosenColor(MDrawPro& pal, int32_t color) {
    const int i = drawwin().PaletteSwatchIndex;
    if (color == -1 || i < 1 || i > ColorCount) return;
    pal.ObjectId(FirstColorSwatch + i - 1);
    pal.FillColor(color);
    editingSession().PaletteColors[size_t(i)] = color;
    SaveFillPalette();
}

void ApplyChosenFill(MDrawPro& pal, const QString& fill) {
    const int i = drawwin().PaletteSwatchIndex;
    if (fill.isEmpty() || i < 1 || i > FillCount) return;
    pal.ObjectId(FirstFillSwatch + i - 1);
    const QString file = modgw().FillPath + fill;
    if (FileExists(file)) pal.FillPictureFile(LoadPicture(file));
    editingSession().PaletteFills[size_t(i)] = fill;
    SaveFillPalette();
}
