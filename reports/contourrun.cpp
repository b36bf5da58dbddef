// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/contourrun.h"

#include "drawcmd/pagecanvas.h"
#include "platform/contour/contourdoc.h"
#include "platform/contour/contourgrid.h"
#include "platform/contour/plotdoc.h"
#include "platform/filenames.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/qmerror.h"
#include "platform/uiservice.h"
#include "platform/windowhooks.h"
#include "project/modgw.h"
#include "reportdefs/datecontourfile.h"
#include "reportdefs/headings.h"
#include "reportdefs/windowhooks.h"
#include "reports/contourdata.h"
#include "reports/gwgraph.h"
#include "reports/pageparts.h"

#include <QFile>
#include <QPointF>
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>

namespace {

using contour::Shape;
using contour::ShapeCollection;

const QString Where = QStringLiteral("RunContourMaps");

constexpr int DateContourKind = 6;
constexpr int MapPlaces = 4;

// The right-hand column, inches from the page's lower left corner.
constexpr double ColumnLeft = 8.3;
constexpr double ColumnRight = 10.5;
constexpr double ColumnMiddle = 9.4;
constexpr double NotesX = 8.4;
constexpr double ColumnTextSize = 8;
constexpr double ColumnGap = 0.03; // the least room between a text and a rule
constexpr double ColumnTextWidth = ColumnRight - ColumnLeft - 2 * ColumnGap;

// Font alignments of the engine.
constexpr int AlignLeft = 1;
constexpr int AlignCentre = 2;
constexpr int AlignMiddle = 4;

// One statement on the engine: one it cannot do (432) is passed over and the run goes on; false
// then. Any other fault ends the run.
template <class F> bool attempt(F&& statement) {
    try {
        statement();
        return true;
    } catch (const QmError& e) {
        if (e.number() != qmerr::EngineCallFailed) throw;
        return false;
    }
}

// The shape one statement adds; nullptr when the engine could not add it, so that the statements
// setting it up are passed over with it.
template <class F> Shape* added(F&& add) {
    Shape* s = nullptr;
    attempt([&] { s = &add(); });
    return s;
}

// A text and its size made to fit width inches by FitTextSize, measured in the engine's face.
void fitText(QString& text, double& size, double width) {
    MDrawPro measured;
    PageCanvas measure(measured);
    measure.AP(float(size));
    text = FitTextSize(measure, text, width);
    size = std::round(measure.CurrentTextHeight / 600 * 72 * 2) / 2; // half points, as it steps
}

// A text at the engine's own size that is wider than its room: the size it would take there, in half
// points down to 5, and where even 5 points is too wide, narrowed to the room. The size is known only
// once the text stands, so it cannot be cut as the sized texts are.
void narrowTo(Shape& t, double width) {
    const double wide = t.Width();
    if (wide <= width) return;
    contour::TextFont& font = t.Font();
    font.Size(std::max(5.0, std::floor(font.Size() * width / wide * 2) / 2));
    if (t.Width() > width) t.Width(width);
}

// A text with the settings given (no size: the engine's own; 0: that alignment left as it is),
// with a width fitted to it.
void addText(ShapeCollection& shapes, double x, double y, QString text, std::optional<double> size,
             int hAlign, int vAlign, double width = 0) {
    if (size && width > 0) fitText(text, *size, width);
    Shape* t = added([&]() -> Shape& { return shapes.AddText(x, y, text); });
    if (!t) return;
    if (size) attempt([&] { t->Font().Size(*size); });
    if (hAlign) attempt([&] { t->Font().HAlign(hAlign); });
    if (vAlign) attempt([&] { t->Font().VAlign(vAlign); });
    if (!size && width > 0) attempt([&] { narrowTo(*t, width); });
}

void addRule(ShapeCollection& shapes, double y) {
    attempt([&] { shapes.AddPolyline({ColumnLeft, y, ColumnRight, y}); });
}

QString leftTrimmed(const QString& s) {
    qsizetype i = 0;
    while (i < s.size() && s[i] == u' ')
        ++i;
    return s.mid(i);
}

// Notes heading, notes, client lines, titles with the episode, and the main title.
void DrawColumn(ShapeCollection& shapes) {
    getheadingdata(DateContourKind);
    const ModGW& m = modgw();
    addText(shapes, NotesX, 7.9, headinglogo().HeadingLines[1], ColumnTextSize, 0, 0,
            ColumnRight - 0.1 - NotesX);
    const ReportNotesBlock& notes = m.ReportNotes;
    const int noteCount = std::clamp<int>(notes.GeneralNoteCount, 0, ReportNotesBlock::MaxLines);
    QStringList stored;
    for (int k = 1; k <= noteCount; ++k)
        stored << notes.GeneralNotes[k];
    // Flowed and wrapped to the column as the report pages do theirs, measured in the engine's face
    // at its size, down to the title band.
    MDrawPro measured;
    PageCanvas measure(measured);
    measure.AP(float(ColumnTextSize));
    const QStringList lines =
        FitNoteLines(measure, stored, ColumnRight - 0.1 - NotesX, NoteLinesAbove(7.7f, 3.1f));
    for (int k = 1; k <= lines.size(); ++k) // an empty line keeps its place
        if (!lines[k - 1].isEmpty())
            addText(shapes, NotesX, 7.7 - (k - 1) * 0.12, lines[k - 1], ColumnTextSize, 0, 0);

    addRule(shapes, 1.25);
    addRule(shapes, 2.0);
    for (int k = 1; k <= 4; ++k)
        if (!m.ClientInfo[k].isEmpty())
            addText(shapes, ColumnMiddle, 2.0 - k * 0.15, m.ClientInfo[k], ColumnTextSize, AlignCentre,
                    AlignMiddle, ColumnTextWidth);

    addRule(shapes, 2.9);
    const auto& info = m.DateSum.DateInfo;
    for (int k = 2; k <= 6; ++k) {
        QString text = leftTrimmed(info[k]);
        if (text.isEmpty()) continue;
        const qsizetype comma = text.indexOf(u',');
        if (k == 5 && comma >= 0) text = text.left(comma) + QStringLiteral(" - ") + text.mid(comma + 1);
        addText(shapes, ColumnMiddle, 2.9 - (k - 1) * 0.15, text, ColumnTextSize, AlignCentre, AlignMiddle,
                ColumnTextWidth);
    }
    addRule(shapes, 3.1);
    if (!info[1].isEmpty())
        addText(shapes, ColumnMiddle, 3.0, info[1], std::nullopt, AlignCentre, AlignMiddle, ColumnTextWidth);
}

// The logo block under the client box: the bitmap, or the three text lines where a report page
// draws them (the extra gap above line 1 when line 2 is empty, else above line 3).
void DrawLogo(contour::Document& doc, ShapeCollection& shapes) {
    GetLogoData();
    const HeadingLogo& h = headinglogo();
    if (h.LogoKind != 1) {
        const bool secondLine = !h.LogoText[2].isEmpty();
        const std::array<double, 4> y{0, secondLine ? 1.075 : 1.025, secondLine ? 0.925 : 0.875, 0.725};
        for (int i = 1; i <= 3; ++i)
            if (!h.LogoText[i].isEmpty())
                addText(shapes, ColumnMiddle, y[i], h.LogoText[i], double(h.LogoTextSize[i]), AlignCentre,
                        AlignMiddle, ColumnTextWidth);
        return;
    }
    // A bare or relative name lies in the program folder, as everywhere else.
    const QString path = qfile::Absolute(h.LogoFile);
    if (!FileExists(path)) {
        ui().MsgBox(QStringLiteral("Logo File was not found: ") + path);
        return;
    }
    Shape* logo = added([&]() -> Shape& { return doc.Import(qfile::Resolve(path)); });
    if (!logo) return;
    attempt([&] { logo->left(8.35); });
    attempt([&] { logo->top(1.2); });
    attempt([&] { logo->Height(0.65); });
    attempt([&] { logo->Width(2.1); });
}

// One axis's limits "start,end"; without a "," none are given. Reversed ends are reported and
// swapped.
struct AxisLimits {
    bool given = false;
    double min = 0;
    double max = 0;
    double range() const { return max - min; }
};

AxisLimits ReadAxisLimits(const QString& text, QChar axis) {
    AxisLimits a;
    const qsizetype comma = text.indexOf(u',');
    if (comma < 0) return a;
    a.min = qnum::LeadingNumber(QStringView(text).left(comma));
    a.max = qnum::LeadingNumber(QStringView(text).mid(comma + 1));
    // A number too large for a double is no limit the engine could grid over.
    a.given = std::isfinite(a.min) && std::isfinite(a.max);
    if (a.given && a.min > a.max) {
        ui().MsgBox(QStringLiteral("Your %1 maximum value is less than your %1 minumum value.").arg(axis));
        std::swap(a.min, a.max);
    }
    return a;
}

struct View3D {
    bool on = false;
    double rotation = 45;
    double tilt = 30;
};

// "3D", or "3D,rotation,tilt"; only a single map is shown turned.
View3D ReadView(const QString& text, int parCount) {
    View3D v;
    const qsizetype comma = text.indexOf(u',');
    v.on = (comma < 0 ? text : text.left(comma)) == QStringLiteral("3D") && parCount == 1;
    if (!v.on || comma < 0) return v;
    const QString rest = text.mid(comma + 1);
    const qsizetype next = rest.indexOf(u',');
    if (next >= 0) {
        v.rotation = qnum::LeadingNumber(QStringView(rest).left(next));
        v.tilt = qnum::LeadingNumber(QStringView(rest).mid(next + 1));
    }
    return v;
}

// The maps' size W by H and the upper left corner of each, 1..4.
struct MapLayout {
    double W = 0;
    double H = 0;
    std::array<QPointF, MapPlaces + 1> at;
};

MapLayout LayOutMaps(int parCount, double xr, double yr, bool freeAspect) {
    MapLayout m;
    const bool wide = xr >= yr;
    if (parCount == 1) {
        if (freeAspect) {
            m.W = 7.3;
            m.H = 6.9;
            m.at[1] = {0.8, 7.6};
        } else if (wide) {
            m.W = 7.3;
            m.H = yr * 6.9 / xr;
            m.at[1] = {0.8, 0.7 + m.H};
        } else {
            m.W = xr * 7.3 / yr;
            m.H = 6.9;
            // A map nearly as wide as high would reach past the frame centred on 3.9; it keeps the
            // wide map's left edge instead, which leaves its labels room inside the frame.
            m.at[1] = {std::max(3.9 - m.W / 2, 0.8), 7.6};
        }
        return m;
    }
    if (freeAspect) {
        m.W = 3.4;
        m.H = 3.15;
        m.at = {QPointF(), {0.75, 7.5}, {4.7, 7.5}, {0.75, 3.85}, {4.7, 3.85}};
        return m;
    }
    if (wide) {
        m.W = 3.4;
        m.H = yr * 3.4 / xr;
        m.at = {QPointF(), {0.75, 4.45 + m.H}, {4.7, 4.45 + m.H}, {0.75, 0.7 + m.H}, {4.7, 0.7 + m.H}};
    } else {
        m.W = xr * 3.15 / yr;
        m.H = 3.15;
        m.at = {QPointF(), {4.15 - m.W, 4.45 + m.H}, {4.7, 4.45 + m.H}, {4.15 - m.W, 0.7 + m.H},
                {4.7, 0.7 + m.H}};
    }
    return m;
}

// What every map of the run shares.
struct MapRun {
    AxisLimits x, y;
    int algorithm = 0;
    bool fill = false;
    View3D view;
    MapLayout layout;
    int parCount = 0;
};

MapRun ReadMapRows() {
    const DateContourDefinition& d = modgw().DateSum;
    MapRun r;
    r.parCount = d.DateParCount;
    r.x = ReadAxisLimits(d.DateMapInfo[2], u'X');
    r.y = ReadAxisLimits(d.DateMapInfo[3], u'Y');
    // Without both limits, or with an axis of no length, the map cannot keep the data's aspect: it
    // takes the whole place instead of ending up 0 high or divided by 0.
    const bool freeAspect = !r.x.given || !r.y.given || r.x.max == 0 || r.y.max == 0 || r.x.range() == 0 ||
                            r.y.range() == 0 || d.DateMapInfo[5] == QStringLiteral("Exaggerated");
    r.algorithm = GriddingMethodNumber(d.DateMapInfo[4]); // 0 for no known name
    r.fill = d.DateMapInfo[6] == QStringLiteral("Y");
    r.view = ReadView(d.DateMapInfo[7], r.parCount);
    r.layout = LayOutMaps(r.parCount, r.x.range(), r.y.range(), freeAspect);
    return r;
}

// Turns a map to the view and fits it, centred, into the upper half of the page; w and h become
// the size it was given.
void TurnAndFit(Shape& map, const View3D& v, double& w, double& h) {
    attempt([&] { map.ViewRotation(v.rotation); });
    attempt([&] { map.ViewTilt(v.tilt); });
    attempt([&] { w = map.Width(); });
    attempt([&] { h = map.Height(); });
    if (h > 3.5) {
        w = w * 3.5 / h;
        h = 3.5;
    }
    if (w > 7.3) {
        h = h * 7.3 / w;
        w = 7.3;
    }
    attempt([&] { map.Width(w); });
    attempt([&] { map.Height(h); });
    attempt([&] { map.top(5.75 + map.Height() / 2); });
    attempt([&] { map.left(4.4 - map.Width() / 2); });
}

void Place(Shape& map, const MapLayout& l, int k) {
    attempt([&] { map.Width(l.W); });
    attempt([&] { map.Height(l.H); });
    attempt([&] { map.left(l.at[k].x()); });
    attempt([&] { map.top(l.at[k].y()); });
}

QString FullNameOf(int param) {
    const ModGW& m = modgw();
    return param >= 1 && param <= m.NumParams && param <= ModGW::MaxParams ? m.ParamTable[param][6] : QString();
}

// The map of parameter k: gridded from its data file, contoured, with the base map and, turned,
// the wireframe beneath; then its caption. A parameter that cannot be gridded is reported and left
// out, so that no stale grid is drawn in its place.
void DrawMap(contour::Application& app, ShapeCollection& shapes, const MapRun& r, int k) {
    if (k > MapPlaces) raiseError(qmerr::Subscript, QStringLiteral("a page has places for four maps"));
    const ModGW& m = modgw();
    const QString dataFile = ContourFilePath(k, QStringLiteral("TXT"));
    const QString gridFile = ContourFilePath(k, QStringLiteral("GRD"));
    QFile::remove(gridFile);

    GridDataArgs args;
    args.DataFile = dataFile;
    if (r.x.given && r.y.given) {
        args.xMin = r.x.min;
        args.xMax = r.x.max;
        args.yMin = r.y.min;
        args.yMax = r.y.max;
    }
    args.Algorithm = r.algorithm;
    args.ShowReport = false;
    args.OutGrid = gridFile;
    Shape* map = nullptr;
    try {
        app.GridData(args);
        map = &shapes.AddContourMap(gridFile);
    } catch (const QmError& e) {
        if (e.number() != qmerr::EngineCallFailed) throw;
        ui().MsgBox(QStringLiteral("Could not grid ") + dataFile + QStringLiteral(": ") + e.detail() +
                    QStringLiteral("."));
        return;
    }
    Place(*map, r.layout, k);
    if (r.fill) attempt([&] { map->Overlays(1).FillContours(true); });
    double w = r.layout.W, h = r.layout.H;
    if (r.view.on) TurnAndFit(*map, r.view, w, h);

    const QString& baseName = m.DateSum.DateMapInfo[1];
    const QString basePath = m.DataFolder + baseName;
    if (!baseName.isEmpty() && FileExists(basePath)) {
        if (Shape* base = added([&]() -> Shape& { return shapes.AddBaseMap(qfile::Resolve(basePath)); })) {
            Place(*base, r.layout, k);
            if (r.view.on) TurnAndFit(*base, r.view, w, h);
        }
    }

    if (r.view.on) {
        if (Shape* wire = added([&]() -> Shape& { return shapes.AddWireFrame(gridFile); })) {
            attempt([&] { wire->ViewRotation(r.view.rotation); });
            attempt([&] { wire->ViewTilt(r.view.tilt); });
            attempt([&] { wire->Width(w); });
            attempt([&] { wire->Height(h * 1.4); });
            attempt([&] { wire->top(2.25 + wire->Height() / 2); });
            attempt([&] {
                if (wire->top() - wire->Height() < 0.6) wire->top(wire->Height() + 0.6);
            });
            attempt([&] { wire->left(4.4 - wire->Width() / 2); });
        }
    }

    const QString name = FullNameOf(m.DateSum.DateParams[k]);
    const double size = r.parCount == 1 ? 24 : 12;
    // As large as its room lets it be: up to the column, or the map's width.
    if (r.view.on) {
        addText(shapes, 1.0, 7.5, name, size, AlignLeft, AlignMiddle, ColumnLeft - ColumnGap - 1.0);
        return;
    }
    double x = 0, y = 0, width = 0;
    const bool placed = attempt([&] {
        x = map->left() + map->Width() / 2;
        y = map->top() + 0.15 + (r.parCount == 1 ? 0.05 : 0);
        width = map->Width();
    });
    if (placed) addText(shapes, x, y, name, size, AlignCentre, AlignMiddle, width);
}

// Everything but the final redraw; window is set as soon as the document has one, document as
// soon as it is made.
void BuildDocument(contour::DocWindow*& window, contour::Document*& document) {
    contour::Application& app = contour::application();
    attempt([&] { app.WindowState(1); });
    attempt([&] { app.Visible(true); });
    // Without a document or its shapes there is nothing to draw on: a failure here ends the run.
    contour::Document& doc = app.Documents().Add();
    document = &doc;
    attempt([&] { window = &doc.Windows(1); });
    contour::PageSettings* page = nullptr;
    attempt([&] { page = &doc.PageSetup(); });
    if (window) {
        attempt([&] { window->AutoRedraw(false); });
        attempt([&] { window->WindowState(1); });
    }
    if (page) attempt([&] { page->Orientation(2); });
    ShapeCollection& shapes = doc.Shapes();

    attempt([&] { shapes.AddRectangle(0.5, 8, 10.5, 0.5); });
    attempt([&] { shapes.AddRectangle(ColumnLeft, 8, ColumnRight, 0.5); });
    DrawColumn(shapes);
    DrawLogo(doc, shapes);

    const MapRun r = ReadMapRows();
    for (int k = 1; k <= r.parCount; ++k)
        DrawMap(app, shapes, r, k);
}

// The maps built and redrawn; what was built and the fault that stopped the building, if any.
std::pair<contour::Document*, std::optional<QmError>> BuildMaps() {
    contour::DocWindow* window = nullptr;
    contour::Document* doc = nullptr;
    std::optional<QmError> fault;
    try {
        BuildDocument(window, doc);
    } catch (const QmError& e) {
        fault = e;
    }
    // Also after a fault: the window then shows what was built rather than nothing.
    if (window) {
        try {
            attempt([&] { window->AutoRedraw(true); });
        } catch (const QmError& e) {
            if (!fault) fault = e;
        }
    }
    return {doc, fault};
}

// The definition's episode row names one episode for the length of a scope: the data step and the
// page column read it there.
class EpisodeScope {
public:
    explicit EpisodeScope(const QString& episode)
        : row_(modgw().DateSum.DateInfo[5]), kept_(std::exchange(row_, episode)) {}
    ~EpisodeScope() { row_ = kept_; }
    EpisodeScope(const EpisodeScope&) = delete;
    EpisodeScope& operator=(const EpisodeScope&) = delete;

private:
    QString& row_;
    QString kept_;
};

// The maps of one episode as a printed page: built in a plot document that no window shows, then
// moved onto the report page, which the run prints. False when nothing could be built or printed.
bool ContourPage() {
    // No window is to show it, however the building ends.
    auto& show = contour::plotHooks().showDocument;
    struct Restore {
        decltype(show) hook;
        std::remove_reference_t<decltype(show)> kept;
        ~Restore() { hook = std::move(kept); }
    } restore{show, std::exchange(show, nullptr)};
    const auto [doc, fault] = BuildMaps();
    auto* plot = dynamic_cast<contour::PlotDocument*>(doc);
    if (plot) contour::engine().closeDocument(plot); // never to be shown later
    if (fault) showError(*fault, Where);
    if (fault || !plot) return false;
    PageCanvas& c = pageCanvas();
    c.PaperWidth = 11;
    c.PaperHeight = 8.5f;
    c.NewDrawing();
    c.drawing().replaceWith(std::move(plot->drawing()));
    return HandOverPage() == PreviewResult::NextPage; // a page that could not be printed ends the run
}

} // namespace

QStringList ContourEpisodes(const QString& row) {
    QStringList episodes;
    for (const QString& part : row.split(u';')) {
        const QString episode = part.trimmed();
        if (!episode.isEmpty()) episodes << episode;
    }
    return episodes;
}

void RunContourMaps() {
    if (const auto fault = BuildMaps().second) showError(*fault, Where);
}

void PrintContourMaps() {
    GwGraph& g = gwgraph();
    const QStringList episodes = ContourEpisodes(modgw().DateSum.DateInfo[5]);
    QStringList chosen;
    for (int n = 1; n <= std::clamp<int>(g.NumSelected, 0, GwGraph::MaxSelected); ++n)
        if (const int at = g.SelectedIndex[size_t(n)]; at >= 1 && at <= episodes.size()) chosen << episodes[at - 1];
    g.resetRun();
    g.PrintToPrinter = 1;
    if (chosen.isEmpty() || !BeginPrintRun()) return;
    // An episode whose data or maps cannot be made stops the run: a job with a page missing is no
    // sound print of it.
    bool complete = true;
    const bool done = trap(QStringLiteral("PrintContourMaps"), [&] {
        for (const QString& episode : chosen) {
            const EpisodeScope scope(episode);
            complete = CreateDateContourData() && ContourPage();
            if (!complete) return;
        }
    });
    EndPrintRun(done && complete);
}

void RegisterContourRun() {
    // Each episode of the definition gets its maps in a plot window of its own.
    reportDefHooks().runDateContour = [] {
        const auto run = DateContourRun(CreateDateContourData, RunContourMaps);
        const QStringList episodes = ContourEpisodes(modgw().DateSum.DateInfo[5]);
        if (episodes.size() < 2) return run(); // the row as it stands, its faults reported as ever
        for (const QString& episode : episodes) {
            const EpisodeScope scope(episode);
            run();
        }
    };
}
