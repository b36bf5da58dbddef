// SPDX-License-Identifier: GPL-3.0-or-later
// The time-series graphs of the source and parameter pages: one routine draws a graph box for both,
// and each page hands it what differs (scale, standard, records, date window, captions).
// Positions are inches from the page origin with y upwards; the value axis starts 0.05 above the
// box's lower edge and runs 1.4 up.
#include "reports/pages/summarybodies.h"

#include "drawcmd/pagecanvas.h"
#include "platform/dates.h"
#include "platform/numbers.h"
#include "project/modgw.h"
#include "reports/pageparts.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace {

constexpr float BoxWidth = 1.7f;
constexpr float BoxHeight = 1.5f;
constexpr float AxisBase = 0.05f; // above the box's lower edge
constexpr float AxisHeight = 1.4f;
constexpr float DecadeHeight = 0.28f; // five decades fill the axis
constexpr double LogLowest = 1;
constexpr double LogHighest = 100000;
constexpr float LogTopExponent = 5;
constexpr int MaxTicks = 100;         // more would print as a solid block
constexpr int CircleRecordLimit = 40; // from this many records on, circles would hide the line
constexpr double DaysPerYear = 365;
// The room of the texts beside a box: a caption may reach 0.25 past either side (the column rule
// stands 0.25 right of the last column's boxes), a tick label from the frame or the box to its left
// (with its standard marker) up to 0.1 left of its own box.
constexpr float CaptionWidth = BoxWidth + 2 * 0.25f - 2 * 0.03f;
constexpr float TickLabelWidth = 0.45f - 0.03f;

// The value axis of a graph, from the three scale texts.
struct ValueScale {
    float start = 0;
    float end = 5;
    float inc = 1;
    float range = 5;
    bool log = false;

    // A plotted value held to the axis: a linear value (start already taken off) to 0..range, a
    // logarithmic one to 1..100000.
    double held(double v) const {
        return log ? std::clamp(v, LogLowest, LogHighest) : std::clamp(v, 0.0, double(range));
    }
    // Height of a held value above the axis base.
    double height(double v) const { return log ? std::log10(v) * DecadeHeight : v * AxisHeight / range; }
};

// End 0 means the default 0 to 5 by 1. A scale that cannot be drawn (no range, no step, or more
// ticks than fit) takes the same default rather than ending the page.
ValueScale valueScale(const QString& startText, const QString& endText, const QString& incText) {
    ValueScale s;
    s.log = startText.trimmed().toUpper() == QStringLiteral("LOG");
    const float start = float(qnum::LeadingNumber(startText));
    const float end = float(qnum::LeadingNumber(endText));
    const float inc = float(qnum::LeadingNumber(incText));
    const float range = end - start;
    const bool drawable = end != 0 && std::isfinite(range) && range > 0 && inc > 0 &&
                          std::floor(range / inc + 1) <= float(MaxTicks);
    if (drawable) {
        s.start = start;
        s.end = end;
        s.inc = inc;
        s.range = range;
    }
    // The logarithmic axis always spans 10^0 to 10^5; the scale texts only choose its ticks.
    if (s.log) s.end = float(LogHighest);
    return s;
}

// A stored value as a plotted value: "-" and empty texts are missing; "<" values count as the
// detection limit times the factor. The start is taken off and the value held to the axis.
std::optional<double> plotted(const QString& text, const ValueScale& s, double lessThanFactor) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t == QStringLiteral("-")) return std::nullopt;
    const double v = t.startsWith(u'<') ? qnum::LeadingNumber(QStringView(t).mid(1)) * lessThanFactor
                                        : qnum::LeadingNumber(t);
    if (std::isnan(v)) return std::nullopt;
    return s.held(v - s.start);
}

// The whole-box geometry of one graph: B its lower left corner.
struct Box {
    float x = 0;
    float y = 0;
    float base() const { return y + AxisBase; }
};

void strokeTo(PageCanvas& c, float x, float y, float dx) {
    c.S(x, y);
    c.LR(dx);
}

void drawStandard(PageCanvas& c, const Box& b, const ValueScale& s, const QString& standardText) {
    const double v = qnum::LeadingNumber(standardText);
    if (!(v > 0 && v <= s.end)) return;
    // Linear standards below a raised start still show, under the axis base.
    const double h =
        s.log ? s.height(std::clamp(v, LogLowest, LogHighest)) : (v - s.start) * AxisHeight / s.range;
    c.S(b.x + BoxWidth, b.base() + float(h));
    drawStandardMarker(c);
}

// Ticks, their labels and the dotted grid lines; returns the height of the highest tick above the
// axis base. A logarithmic tick stands at its exponent, where values of that power plot.
float drawTicks(PageCanvas& c, const Box& b, const ValueScale& s) {
    const int count = int(std::floor(s.range / s.inc + 1));
    float top = 0;
    for (int k = 0; k < count; ++k) {
        const float v = s.start + float(k) * s.inc;
        float h = 0;
        if (s.log) {
            if (v < 0 || v > LogTopExponent + 1e-4f) continue;
            h = v * DecadeHeight;
        } else {
            h = float(k) * s.inc * AxisHeight / s.range;
        }
        const float y = b.base() + h;
        top = std::max(top, h);
        strokeTo(c, b.x, y, -0.05f);
        c.AR();
        c.AP(8);
        c.S(b.x - 0.1f, y);
        if (s.log) {
            c.A(QStringLiteral("10"));
            c.AP(6);
            c.S(b.x - 0.05f, y + 0.05f);
        }
        FitA(c, NumberText(v), TickLabelWidth);
        c.LT(5);
        strokeTo(c, b.x, y, BoxWidth);
        c.LT(1);
    }
    return top;
}

// The records' x positions, inches from the box's left edge, from the date window; nullopt for a
// record whose date text is no date.
class DateAxis {
public:
    explicit DateAxis(const ParSumDateWindow& w) : window_(w) {
        if (w.earliest && w.latest) span_ = (*w.latest - *w.earliest) * 10;
    }
    bool usable() const { return window_.earliest && window_.latest; }
    // Days from the window's start; a window of one day puts everything at the box's middle.
    float xOfDays(double days) const {
        if (!(span_ > 0)) return BoxWidth / 2;
        return float(days * BoxWidth / span_);
    }
    std::optional<float> xOf(const QString& date) const {
        const std::optional<double> n = DTN(date);
        if (!n || !usable()) return std::nullopt;
        return xOfDays((*n - *window_.earliest) * 10);
    }
    double span() const { return span_; }
    const ParSumDateWindow& window() const { return window_; }

private:
    ParSumDateWindow window_;
    double span_ = 0;
};

struct Point {
    float x;
    float h; // above the axis base
};

// The series line in record order, bridging missing values. Two records of one date make one point
// at the mean of both, each converted alike; a missing second leaves the first's value alone.
std::vector<Point> linePoints(const QStringList& dates, const QStringList& values, const DateAxis& axis,
                              const ValueScale& s, double factor) {
    std::vector<Point> points;
    const int n = int(dates.size());
    for (int i = 0; i < n; ++i) {
        const std::optional<double> v = plotted(values.value(i), s, factor);
        const std::optional<float> x = axis.xOf(dates[i]);
        if (!v || !x) continue;
        double value = *v;
        if (i + 1 < n && dates[i + 1] == dates[i]) {
            if (const std::optional<double> second = plotted(values.value(i + 1), s, factor))
                value = (value + *second) / 2;
            ++i;
        }
        points.push_back({*x, float(s.height(value))});
    }
    return points;
}

// Labels 0.1 below the box (0.2 when staggered); year lines up across the box. Positions are
// inches from the data origin, the box's left edge on the axis base.
void yearLabel(PageCanvas& c, float x, const QString& text, bool lower) {
    c.S(x, -AxisBase - (lower ? 0.2f : 0.1f));
    c.A(text);
}

void drawYearAxis(PageCanvas& c, const DateAxis& axis) {
    const ParSumDateWindow& w = axis.window();
    const QString y1 = w.earliestText.right(4);
    const QString y2 = w.latestText.right(4);
    const int first = int(qnum::LeadingNumber(y1));
    const int last = int(qnum::LeadingNumber(y2));
    c.AC();
    c.AP(7);
    const auto label = [](const QString& year) { return QStringLiteral("'") + year.right(2); };
    if (first == last || !(axis.span() > 0)) {
        yearLabel(c, BoxWidth / 2, label(y1), false);
        return;
    }
    const auto yearEnd = [](const QString& year) {
        const bool dayFirst = qdate::order().DayFirst == 1;
        return DTN((dayFirst ? QStringLiteral("31/12/") : QStringLiteral("12/31/")) + year);
    };
    const std::optional<double> end1 = yearEnd(y1);
    const std::optional<double> end2 = yearEnd(y2);
    if (!end1 || !end2) return;
    const double l1 = (*end1 - *w.earliest) * 10;
    const double l2 = DaysPerYear - (*end2 - *w.latest) * 10;
    const int fullYears = last - first - 1;
    const bool staggered = fullYears > 6;
    const auto yearLine = [&c, &axis](double days) {
        c.S(axis.xOfDays(days), -AxisBase);
        c.LU(BoxHeight);
    };
    yearLabel(c, axis.xOfDays(l1 / 2), label(y1), false);
    double line = l1;
    yearLine(line);
    for (int j = 1; j <= fullYears; ++j) {
        yearLabel(c, axis.xOfDays(line + DaysPerYear / 2), label(QString::number(first + j)),
                  staggered && j % 2 == 1);
        line += DaysPerYear;
        yearLine(line);
    }
    yearLabel(c, axis.xOfDays(line + l2 / 2), label(y2), staggered && fullYears % 2 == 0);
}

// What one graph shows; the pages fill it from their own run state.
struct GraphData {
    QString scaleStart, scaleEnd, scaleInc;
    QString standard;
    QStringList dates, values; // one per record, in date order
    ParSumDateWindow window;
    struct Caption {
        float aboveTopTick;
        QString text;
        QString brackets; // drawn round the text, kept whole when it is fitted
    };
    std::vector<Caption> captions; // centred over the box in 10 points
};

void drawGraph(PageCanvas& c, const GraphData& d, float x, float y) {
    const Box b{x, y};
    const ValueScale s = valueScale(d.scaleStart, d.scaleEnd, d.scaleInc);
    c.S(b.x, b.y);
    c.RE(BoxWidth, BoxHeight);
    drawStandard(c, b, s, d.standard);
    const float top = drawTicks(c, b, s);
    c.AC();
    c.AP(10);
    // Over the highest tick; where one caption would sit on the box's top edge (a scale ending
    // between ticks), they all stand over the scale's end instead, clear above the box.
    constexpr float CaptionHalf = 0.08f; // of a 10-point line
    float over = top;
    for (const GraphData::Caption& caption : d.captions)
        if (std::fabs(AxisBase + top + caption.aboveTopTick - BoxHeight) < CaptionHalf) over = AxisHeight;
    for (const GraphData::Caption& caption : d.captions) {
        c.S(b.x + BoxWidth / 2, b.base() + over + caption.aboveTopTick);
        FitA(c, caption.text, CaptionWidth, caption.brackets);
    }

    // A graph without records, or without a date to place them by, keeps its box and scale only.
    const DateAxis axis(d.window);
    if (d.dates.isEmpty() || !axis.usable()) return;
    c.S(b.x, b.base());
    c.ZC();
    const double factor = qnum::LeadingNumber(modgw().LessThanFactor);
    const std::vector<Point> points = linePoints(d.dates, d.values, axis, s, factor);
    for (size_t i = 0; i < points.size(); ++i) {
        if (i == 0)
            c.S(points[i].x, points[i].h);
        else
            c.LTO(points[i].x, points[i].h);
    }
    if (d.dates.size() < CircleRecordLimit) {
        for (qsizetype r = 0; r < d.dates.size(); ++r) {
            const std::optional<double> v = plotted(d.values.value(r), s, factor);
            const std::optional<float> px = axis.xOf(d.dates[r]);
            if (!v || !px) continue;
            c.S(*px, float(s.height(*v)));
            c.C(0.02f);
        }
    }
    drawYearAxis(c, axis);
}

} // namespace

void drawWellSumGraphBox(PageCanvas& c, const WellSumRunPage& p, int slot, float x, float y) {
    const WellSumRun& g = p.run;
    GraphData d;
    d.scaleStart = g.SlotScale[slot][1];
    d.scaleEnd = g.SlotScale[slot][2];
    d.scaleInc = g.SlotScale[slot][3];
    d.standard = g.SlotStandard[slot];
    // The graphs plot by date alone.
    for (int r = 1; r <= p.item.RecordCount; ++r) {
        d.dates << p.item.RecordDates[r].left(10);
        d.values << p.item.RecordValues[r][slot];
    }
    // The source's own first and last records span its graphs.
    if (!d.dates.isEmpty()) {
        d.window.earliest = DTN(d.dates.first());
        d.window.latest = DTN(d.dates.last());
        d.window.earliestText = d.dates.first();
        d.window.latestText = d.dates.last();
    }
    d.captions = {{0.35f, g.SlotLabel[slot], {}}, {0.2f, g.SlotUnits[slot], QStringLiteral("()")}};
    drawGraph(c, d, x, y);
}

void drawParSumGraphBox(PageCanvas& c, const ParSumRunPage& p, int source, float x, float y, const ParSumDateWindow& dates) {
    const ParSumItem& g = p.item;
    GraphData d;
    d.scaleStart = g.ParScaleStart;
    d.scaleEnd = g.ParScaleEnd;
    d.scaleInc = g.ParScaleInc;
    d.standard = g.ParStandard;
    const int count = g.ParRecordCount[source];
    const OneBased<QString>& recordDates = g.ParRecordDates[source];
    const OneBased<QString>& recordValues = g.ParRecordValues[source];
    for (int r = 1; r <= count; ++r) {
        d.dates << recordDates[r];
        d.values << recordValues[r];
    }
    d.window = dates;
    d.captions = {{0.2f, g.ParSourceNames[source], {}}};
    drawGraph(c, d, x, y);
}
