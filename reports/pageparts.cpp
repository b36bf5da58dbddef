// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/pageparts.h"

#include "drawcmd/pagecanvas.h"
#include "platform/dates.h"
#include "platform/drawing/drawrender.h"
#include "platform/drawing/objecttags.h"
#include "platform/numbers.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"
#include "platform/uiservice.h"
#include "project/helpers.h"
#include "project/modgw.h"
#include "reports/gwgraph.h"
#include "reports/rundata.h"
#include "reports/windowhooks.h"

#include <QDate>
#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Names every object drawn while it lives (the object name only when one is given), and clears the
// names however it ends, so that a fault part-way never leaves the rest of the page tagged as a
// page part.
class TaggedAs {
public:
    TaggedAs(Metaugl& m, const QString& group, const QString& obj = {}) : m_(m), obj_(!obj.isEmpty()) {
        m_.CurrentGroupName = group;
        if (obj_) m_.CurrentObjName = obj;
    }
    ~TaggedAs() {
        m_.CurrentGroupName.clear();
        if (obj_) m_.CurrentObjName.clear();
    }
    TaggedAs(const TaggedAs&) = delete;
    TaggedAs& operator=(const TaggedAs&) = delete;

private:
    Metaugl& m_;
    bool obj_;
};

int16_t& itemCountOf(GwGraph& g, int kind) {
    switch (kind) {
    case 1:
        return g.ItemSourceCount;
    case 2:
        return g.ParItemCount;
    case 3:
        return g.DateItemCount;
    case 4:
        return g.StiffItemCount;
    default:
        return g.GWElevItemCount;
    }
}

constexpr int DateContourKind = 6;

// The whole number a date part starts with: digits only, so that a duplicate code behind the year
// ("1998E2") is never read as an exponent. No digits give 0; nullopt beyond the 16-bit range.
std::optional<int> datePart(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    int v = 0;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i) {
        v = v * 10 + (text[i].unicode() - '0');
        if (v > 32767) return std::nullopt;
    }
    return v;
}

// One stored note line as lines of at most width inches.
QStringList wrapNoteLine(PageCanvas& c, QString rest, double width) {
    QStringList out;
    while (c.TextWidth(rest) > width) {
        // The longest head that ends before a blank and fits; else as many characters as fit, at
        // least one, so that a word longer than the box still ends.
        qsizetype cut = 0;
        for (qsizetype i = rest.indexOf(u' ', 1); i > 0; i = rest.indexOf(u' ', i + 1)) {
            if (c.TextWidth(rest.left(i)) > width) break;
            cut = i;
        }
        if (cut == 0) {
            cut = 1;
            while (cut < rest.size() && c.TextWidth(rest.left(cut + 1)) <= width)
                ++cut;
        }
        QString head = rest.left(cut);
        while (head.endsWith(u' '))
            head.chop(1);
        out << head;
        qsizetype next = cut;
        while (next < rest.size() && rest[next] == u' ')
            ++next;
        rest = rest.mid(next);
        if (rest.isEmpty()) return out;
    }
    out << rest;
    return out;
}

} // namespace

QStringList FitNoteLines(PageCanvas& c, const QStringList& lines, double width, int maxLines) {
    QStringList out;
    QString paragraph;
    bool open = false;
    const auto flow = [&] {
        while (paragraph.endsWith(u' '))
            paragraph.chop(1);
        out << wrapNoteLine(c, paragraph, width);
        paragraph.clear();
        open = false;
    };
    // The editor keeps a blank at the end of each line it wrapped, so such a line flows on into the
    // next; a pilcrow, or a line without the blank, ends the paragraph.
    for (QString line : lines) {
        const bool hardEnd = line.endsWith(Pilcrow);
        if (hardEnd) line.chop(1);
        paragraph += line;
        open = true;
        if (hardEnd || !line.endsWith(u' ')) flow();
        if (out.size() >= maxLines) break;
    }
    if (open && out.size() < maxLines) flow();
    return out.mid(0, std::max(maxLines, 0));
}

namespace {

// A text split at a blank into two lines: balanced, the split whose wider line is narrowest; else
// the longest first line at most width wide. Empty when it has no blank (or, not balanced, when
// its first word alone is wider).
std::pair<QString, QString> splitAtBlank(PageCanvas& c, const QString& text, double width, bool balanced) {
    std::pair<QString, QString> best;
    double bestWidth = 0;
    for (qsizetype i = text.indexOf(u' ', 1); i > 0; i = text.indexOf(u' ', i + 1)) {
        QString first = text.left(i).trimmed(), second = text.mid(i).trimmed();
        if (first.isEmpty() || second.isEmpty()) continue;
        const double w = balanced ? std::max(c.TextWidth(first), c.TextWidth(second)) : c.TextWidth(first);
        if (!balanced && w > width) break;
        if (best.first.isEmpty() || !balanced || w < bestWidth) {
            best = {std::move(first), std::move(second)};
            bestWidth = w;
        }
    }
    return best;
}

// A text between its brackets (two characters; none when empty).
QString bracketed(const QString& text, const QString& brackets) {
    return brackets.isEmpty() ? text : brackets.left(1) + text + brackets.mid(1);
}

// The longest head of a text that fits with "..." after it, between its brackets.
QString cutToFit(PageCanvas& c, const QString& text, double width, const QString& brackets = {}) {
    QString cut = text;
    while (!cut.isEmpty() && c.TextWidth(bracketed(cut + QStringLiteral("..."), brackets)) > width)
        cut.chop(1);
    return bracketed(cut + QStringLiteral("..."), brackets);
}

} // namespace

QString FitTextSize(PageCanvas& c, const QString& text, double width, const QString& brackets,
                    double bandHeight) {
    constexpr double SmallestSize = 5;
    const QString all = bracketed(text, brackets);
    if (c.TextWidth(all) <= width) return all;
    const double size = c.CurrentTextHeight / 600 * 72;
    for (double points = size - 0.5; points >= SmallestSize - 1e-6; points -= 0.5) {
        c.AP(float(points));
        if (c.TextWidth(all) <= width) return all;
    }
    // In a heading band: two lines, the largest size at which both fit and the pair stands in the
    // band, the pen raised half a line so that the pair is centred where the line would be.
    if (bandHeight > 0) {
        const auto twoLines = [&](double points, const std::pair<QString, QString>& lines) {
            c.SU(float(points / 72 / 2 * c.VerticalScale));
            const QString second =
                c.TextWidth(lines.second) > width ? cutToFit(c, lines.second, width) : lines.second;
            return lines.first + QStringLiteral("\\N") + second;
        };
        for (double points = size; points >= SmallestSize - 1e-6; points -= 0.5) {
            if (2 * points / 72 > bandHeight) continue;
            c.AP(float(points));
            const auto lines = splitAtBlank(c, all, width, true);
            if (!lines.first.isEmpty() &&
                std::max(c.TextWidth(lines.first), c.TextWidth(lines.second)) <= width)
                return twoLines(points, lines);
        }
        // Too long for two whole lines: as much as the first line holds, the rest cut.
        if (2 * SmallestSize / 72 <= bandHeight) {
            c.AP(float(SmallestSize));
            const auto lines = splitAtBlank(c, all, width, false);
            if (!lines.first.isEmpty()) return twoLines(SmallestSize, lines);
        }
    }
    c.AP(float(SmallestSize));
    return cutToFit(c, text, width, brackets);
}

void FitA(PageCanvas& c, const QString& text, double width, const QString& brackets, double bandHeight) {
    const float penX = c.PenX, penY = c.PenY;
    const double height = c.CurrentTextHeight;
    c.A(FitTextSize(c, text, width, brackets, bandHeight));
    c.PenX = penX;
    c.PenY = penY;
    c.CurrentTextHeight = height;
}

void KnockOut(PageCanvas& c, const QString& text) {
    draw::DrawObject o;
    o.kind = draw::Text;
    o.style = c.drawing().defaults();
    o.style.textHeight = -c.CurrentTextHeight;
    o.style.textAlign = c.CurrentTextAlign;
    o.style.textAngle = c.CurrentTextAngle;
    o.x1 = o.x2 = draw::Long(std::lround(c.PenX));
    o.y1 = o.y2 = draw::Long(std::lround(c.PenY));
    o.text = text;
    const QRectF cell = draw::objectBounds(o);
    if (cell.isEmpty()) return;
    constexpr double Margin = 0.01 * 600; // drawing units round the text's line box
    const QRectF r = cell.adjusted(-Margin, -Margin, Margin, Margin);
    MDrawPro& d = c.drawing();
    d.AddObject(draw::Rectangle, draw::Long(std::floor(r.left())), draw::Long(std::floor(r.top())),
                draw::Long(std::ceil(r.right())), draw::Long(std::ceil(r.bottom())));
    d.FillStyle(0);
    d.FillColor(draw::White);
    d.LineStyle(draw::NoLine);
}

int NoteLinesAbove(float firstY, float bottomY) {
    constexpr double Pitch = 0.12, HalfLine = 0.065; // an 8-point line's box reaches 0.062 below its middle
    const double room = double(firstY) - HalfLine - double(bottomY);
    return room < 0 ? 0 : int(std::floor(room / Pitch + 1e-6)) + 1;
}

bool getheadingdata(int kind) {
    const QString where = QStringLiteral("getheadingdata");
    const bool read = trap(where, [&] {
        if (kind < 1 || kind > DateContourKind) raiseError(qmerr::InvalidArgument);
        if (kind != DateContourKind) {
            // Both lines are read before either is taken, so a broken run file leaves the last run's
            // values whole; the caller ends the run rather than draw another run's report.
            qtext::LineReader run(rundata::RunFilePath());
            const QString reportFile = run.next();
            const int16_t count = qnum::ReadInt16(run.next());
            GwGraph& g = gwgraph();
            g.ReportFile = reportFile;
            itemCountOf(g, kind) = count;
        }
    });
    if (!read) return false;
    // The pages are drawn with the heading texts they had.
    trap(where, [&] { ReadRunHeadings(kind); });
    return true;
}

void drawlogo(PageCanvas& c) {
    const HeadingLogo& h = headinglogo();
    trap(QStringLiteral("drawlogo"), [&] {
        c.SV(1);
        const TaggedAs logo(c, draw::tags::LogoGroup);
        if (h.LogoKind == 1) {
            const QString type = h.LogoFile.right(3).toUpper();
            if (type != QStringLiteral("BMP")) {
                ui().MsgBox(QStringLiteral("Unsupported Logo File Format: ") + type);
                return;
            }
            c.SR(0.025f);
            c.SD(0.025f);
            c.DrawBMP(h.LogoFile, 2.25f, -0.65f);
            return;
        }
        // Two lines or three: the extra gap sits above the first line when line 2 is empty, above
        // the third otherwise, so that the block keeps its height.
        const bool secondLine = !h.LogoText[2].isEmpty();
        c.AC();
        c.SR(1.15f);
        c.SD(0.175f);
        if (!secondLine) c.SD(0.05f);
        // The lines keep within the page's right-hand column, 2.3 inches wide.
        constexpr double LineWidth = 2.3 - 2 * 0.03;
        for (int i = 1; i <= 2; ++i) {
            c.AP(h.LogoTextSize[i]);
            FitA(c, h.LogoText[i], LineWidth);
            c.SD(0.15f);
        }
        if (secondLine) c.SD(0.05f);
        c.AP(h.LogoTextSize[3]);
        FitA(c, h.LogoText[3], LineWidth);
    });
}

void DrawDateStamp(PageCanvas& c, int16_t mode) {
    if (mode != 0) return;
    const ModGW& mg = modgw();
    const QString today = qdate::FormatShort(QDate::currentDate());
    const QString& reportFile = gwgraph().ReportFile;
    QString stamp;
    const double option = qnum::LeadingNumber(mg.DateStampOption);
    if (option == 1)
        stamp = today;
    else if (option == 2)
        stamp = reportFile;
    else if (option == 3)
        stamp = today + QStringLiteral("  ") + reportFile;

    // The object is made even with no text, so that it is there to be found by its name.
    const TaggedAs names(c, draw::tags::GraphicsSystemGroup, draw::tags::DateStampObj);
    c.SV(1);
    c.SH(1);
    c.Z(0.7f + mg.MarginOffsetX, 7.8f + mg.MarginOffsetY);
    c.S(0.1f, -7.17f);
    c.AP(6);
    c.AL();
    // Under the frame, as far as its right edge (a file name is shown whole, never split at "\N").
    c.TextLine(FitTextSize(c, stamp, 9.6 - 0.1));
    c.AD(0);
}

void drawlogo() {
    drawlogo(currentCanvas());
}

void DrawDateStamp(int16_t mode) {
    DrawDateStamp(currentCanvas(), mode);
}

std::optional<double> DTN(const QString& dateText) {
    const qsizetype first = dateText.indexOf(u'/');
    const qsizetype second = first < 0 ? -1 : dateText.indexOf(u'/', first + 1);
    if (second < 0) return std::nullopt;
    const auto a = datePart(dateText);
    const auto b = datePart(StrTail(dateText, int(first + 1)));
    const auto c = datePart(StrTail(dateText, int(second + 1)));
    if (!a || !b || !c) return std::nullopt;
    const bool dayFirst = qdate::order().DayFirst == 1;
    const int month = dayFirst ? *b : *a;
    const int day = dayFirst ? *a : *b;
    const int year = *c;
    return year * 36.5 + month * 3 + day / 10.0;
}

void incseg() {
    GwGraph& g = gwgraph();
    ++g.ProgressCount;
    QString text = QStringLiteral("% Complete: ");
    // A page that counts no steps shows the bare label rather than failing.
    if (g.ProgressTotal != 0) {
        const double percent = std::round(double(g.ProgressCount) / g.ProgressTotal * 100);
        if (percent != 0) text += QString::number(percent, 'f', 0);
    }
    if (reportHooks().showProgress) reportHooks().showProgress(text);
}
