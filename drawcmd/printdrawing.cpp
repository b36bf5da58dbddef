// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawcmd/printdrawing.h"

#include "drawcmd/editingsession.h"
#include "drawcmd/pagecanvas.h"
#include "drawcmd/undorecord.h"
#include "platform/drawing/drawrender.h"
#include "platform/drawing/objecttags.h"
#include "platform/drawing/picture.h"
#include "platform/filenames.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"
#include "platform/uiservice.h"
#include "project/modgw.h"

#include <QBuffer>
#include <QCursor>
#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QPrinter>
#include <cmath>

namespace {

using draw::DrawObject;
using draw::Long;

namespace tags = draw::tags;

const QString kSolidPattern = QStringLiteral("F0_sc.BMP");
constexpr double SheetMargin = 100; // units around the sheet where an object still counts as on it

bool isSolidPattern(const QString& name) {
    return name.left(2).compare(QLatin1String("F0"), Qt::CaseInsensitive) == 0;
}

// Keeps the page's redrawing on again however printing ends.
struct RedrawOnAfter {
    MDrawPro& d;
    ~RedrawOnAfter() { d.Redraw(true); }
};

struct WaitCursor {
    WaitCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
};

// The area an object covers on the sheet: its frame, or for a text the box of its line.
QRectF extentOf(const DrawObject& o) {
    return draw::objectBounds(o);
}

// The print picture of every pattern-filled object, by object id; names the last missing pattern.
QHash<Long, QImage> printPatterns(const MDrawPro& d, QString& missing) {
    const QString folder = modgw().FillPath;
    QHash<Long, QImage> out;
    for (int i = 0; i < d.count(); ++i) {
        const DrawObject& o = d.at(i);
        const QString fill = o.tag(tags::Fill);
        if (fill.isEmpty()) continue;
        const int32_t color = qnum::CLng(qnum::LeadingNumber(o.tag(tags::Color)));
        QString name = fill;
        if (!FileExists(folder + name)) missing = fill;
        if (color != draw::White) {
            out.insert(o.id, ColoredFill(name, color)); // a missing pattern prints solid in the colour
            continue;
        }
        // White keeps the pattern's own black and white; a missing one prints as the solid pattern.
        if (FileExists(folder + name))
            out.insert(o.id, LoadPicture(folder + name));
        else if (FileExists(folder + kSolidPattern))
            out.insert(o.id, LoadPicture(folder + kSolidPattern));
        else
            out.insert(o.id, ColoredFill(name, draw::Black));
    }
    return out;
}

// The sheet fitted into the printable area, centred, in the printer's device pixels.
QRectF printTarget(const QPrinter& pr, double sheetW, double sheetH) {
    const double w = pr.width(), h = pr.height();
    if (sheetW <= 0 || sheetH <= 0 || w <= 0 || h <= 0) return {};
    const double s = std::min(w / sheetW, h / sheetH);
    return QRectF((w - sheetW * s) / 2, (h - sheetH * s) / 2, sheetW * s, sheetH * s);
}

} // namespace

void removedeletedobjects() {
    trap(QStringLiteral("removedeletedobjects"), [&] {
        MDrawPro& d = pageDrawing();
        const double pw = d.PageWidth(), ph = d.PageHeight();
        d.CurrentObject(5);
        d.ObjectCursor(13);
        d.ObjectCursor(14);
        while (d.CurrentObject() > 10) {
            const DrawObject& o = *d.find(d.ObjectId());
            const QRectF r = extentOf(o);
            // Deleted in the window, or wholly off the sheet and its margin: one corner outside is
            // not enough, a shape reaching onto the sheet stays.
            const bool off = o.tag(tags::Change) == tags::Yes || r.right() <= -SheetMargin ||
                             r.left() > pw + SheetMargin || r.bottom() <= -SheetMargin ||
                             r.top() > ph + SheetMargin;
            d.TagTarget(5);
            d.ObjectTag(tags::Change, off ? tags::Yes : QString());
            d.ObjectSelected(off);
            const QString fill = d.ObjectTag(tags::Fill);
            const qsizetype cut = std::max(fill.lastIndexOf(u'\\'), fill.lastIndexOf(u'/'));
            if (cut >= 0) d.ObjectTag(tags::Fill, fill.mid(cut + 1));
            d.ObjectCursor(0);
        }
        d.DeleteObjects(2);
        undoRecord().clear();
    });
}

QImage ColoredPattern(const QImage& pattern, int32_t color) {
    QImage out = pattern.convertToFormat(QImage::Format_RGB32);
    const int c[3] = {color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF};
    // Per channel: white stays white, black becomes the colour, greys lie between.
    auto mix = [](int p, int c) { return 255 - ((255 - p) * (255 - c) + 127) / 255; };
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb p = line[x];
            line[x] = qRgb(mix(qRed(p), c[0]), mix(qGreen(p), c[1]), mix(qBlue(p), c[2]));
        }
    }
    return out;
}

QImage ColoredFill(QString& patternFile, int32_t color) {
    const QString folder = modgw().FillPath;
    if (patternFile.isEmpty() || !FileExists(folder + patternFile)) patternFile = kSolidPattern;
    if (isSolidPattern(patternFile)) {
        QImage solid(16, 16, QImage::Format_RGB32);
        solid.fill(draw::toQColor(color));
        return solid;
    }
    return ColoredPattern(LoadPicture(folder + patternFile), color);
}

void createcoloredFPtemp(QString& patternFile, int32_t& color) {
    trap(QStringLiteral("createcoloredFPtemp"), [&] {
        const QImage img = ColoredFill(patternFile, color);
        QByteArray bytes;
        QBuffer buf(&bytes);
        buf.open(QIODevice::WriteOnly);
        img.save(&buf, "BMP");
        qtext::WriteBytes(qfile::ForWriting(modgw().FillPath + QStringLiteral("Temp.bmp")), bytes);
    });
}

draw::OutputOptions PrintOutputOptions(const MDrawPro& d, QString& missingPattern) {
    draw::OutputOptions options;
    options.patterns = draw::OutputOptions::Patterns::Print;
    options.printPatterns = printPatterns(d, missingPattern);
    options.hideNodeMarkers = true;
    options.dropDeleted = true;
    return options;
}

void PrintDrawing(PrintJob& job) {
    MDrawPro& d = pageDrawing();
    RedrawOnAfter redrawOn{d};
    d.Redraw(false);
    removedeletedobjects();

    QString missing;
    const draw::OutputOptions options = PrintOutputOptions(d, missing);
    if (!missing.isEmpty()) ui().MsgBox(QStringLiteral("Missing Fill Pattern File: ") + missing);

    // Landscape unless the sheet is taller than wide.
    const Metaugl& m = pageCanvas();
    double sheetW = m.DrawableWidth, sheetH = m.DrawableHeight;
    if (sheetW <= 0 || sheetH <= 0) {
        sheetW = d.PageWidth();
        sheetH = d.PageHeight();
    }
    WaitCursor wait;
    QPainter& p = job.newPage(sheetH <= sheetW ? QPageLayout::Landscape : QPageLayout::Portrait);
    draw::paintSheet(p, d, printTarget(SystemPrinter(), d.PageWidth(), d.PageHeight()), options);
}

QString PrintDrawing() {
    PrintJob job(SystemPrinter());
    PrintDrawing(job);
    job.end(true);
    return PrintedText(job.pages(), job.target());
}

void ShowPrintError(const QmError& e, const QString& routine) {
    if (e.number() == qmerr::Printer)
        ui().MsgBox(kAddPrinterMessage);
    else
        showError(e, routine);
}

QString PrintDrawArea(const QString& routine) {
    try {
        return PrintDrawing();
    } catch (const QmError& e) {
        ShowPrintError(e, routine);
        return {};
    }
}
