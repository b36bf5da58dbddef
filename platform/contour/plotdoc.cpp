// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/contour/plotdoc.h"

#include "platform/contour/mapshapes.h"
#include "platform/contour/plotshape.h"
#include "platform/drawing/drawrender.h"
#include "platform/drawing/picture.h"
#include "platform/qmerror.h"
#include "platform/windowhooks.h"

#include <QFontMetricsF>
#include <QSet>
#include <algorithm>
#include <cmath>

namespace contour {

using draw::Long;

// ---- interfaces: members a shape lacks ------------------------------------------------------------

TextFont& Shape::Font() {
    raiseCallFailed(QStringLiteral("only a text has a font"));
}
Overlay& Shape::Overlays(int) {
    raiseCallFailed(QStringLiteral("only a contour map has overlays"));
}
double Shape::ViewRotation() const {
    raiseCallFailed(QStringLiteral("only a map has a view"));
}
void Shape::ViewRotation(double) {
    raiseCallFailed(QStringLiteral("only a map has a view"));
}
double Shape::ViewTilt() const {
    raiseCallFailed(QStringLiteral("only a map has a view"));
}
void Shape::ViewTilt(double) {
    raiseCallFailed(QStringLiteral("only a map has a view"));
}

void raiseCallFailed(const QString& reason) {
    raiseError(qmerr::EngineCallFailed, reason);
}

namespace {
Application* installed = nullptr;

void checkFinite(double v, const char* what) {
    if (!std::isfinite(v)) raiseCallFailed(QStringLiteral("%1 is not a number").arg(QLatin1String(what)));
}
void checkSize(double v, const char* what) {
    checkFinite(v, what);
    if (v < 0) raiseCallFailed(QStringLiteral("%1 below 0").arg(QLatin1String(what)));
}
} // namespace

Application& application() {
    return installed ? *installed : engine();
}
void setApplication(Application* app) {
    installed = app;
}

// ---- shapes: common ------------------------------------------------------------------------------

void PlotShape::relayout() {
    MDrawPro& m = doc_.drawing_;
    const bool redraw = m.redraw();
    if (redraw) m.setRedraw(false);
    if (!ids_.empty()) {
        const QSet<Long> old(ids_.begin(), ids_.end());
        m.removeIf([&](const draw::DrawObject& o) { return old.contains(o.id); });
        ids_.clear();
    }
    layOut();
    // Shapes added later stay in front.
    QVector<Long> later;
    bool after = false;
    for (const auto& s : doc_.shapes_) {
        if (after) later += QVector<Long>(s->ids_.begin(), s->ids_.end());
        if (s.get() == this) after = true;
    }
    if (!later.isEmpty()) m.restack(later, draw::DrawModel::Restack::ToFront);
    if (redraw) m.setRedraw(true);
}

draw::DrawObject& PlotShape::addObject(draw::Kind kind, Long x1, Long y1, Long x2, Long y2) {
    draw::DrawObject& o = doc_.drawing_.add(kind, x1, y1, x2, y2);
    ids_.push_back(o.id);
    return o;
}

draw::DrawObject& PlotShape::addPath(draw::Kind kind, const std::vector<QPointF>& pts) {
    QVector<QPoint> v;
    v.reserve(qsizetype(pts.size()));
    for (const QPointF& p : pts)
        v.append(units(p));
    draw::DrawObject& o = addObject(kind, 0, 0, 0, 0);
    doc_.drawing_.setVertices(o, v);
    return o;
}

QPoint PlotShape::units(QPointF in) const {
    return QPoint(int(std::lround(in.x() * UnitsPerInch)),
                  int(std::lround((doc_.pageHeightInches() - in.y()) * UnitsPerInch)));
}

QPointF PlotShape::inches(QPointF u) const {
    return QPointF(u.x() / UnitsPerInch, doc_.pageHeightInches() - u.y() / UnitsPerInch);
}

draw::Style textStyle(double points, int hAlign) {
    draw::Style s;
    s.textHeight = -points / PointsPerInch * UnitsPerInch;
    s.textAlign = std::clamp(hAlign - 1, 0, 2);
    return s;
}

QRectF textBox(const QString& text, double points, int hAlign) {
    draw::DrawObject o;
    o.kind = draw::Text;
    o.text = text;
    o.style = textStyle(points, hAlign);
    return draw::objectBounds(o);
}

namespace {

// A shape whose objects are drawn to fill a box of its own: rectangles, polylines, pictures.
class BoxShape : public PlotShape {
public:
    using PlotShape::PlotShape;
    double Width() const override { return w_; }
    void Width(double v) override {
        checkSize(v, "Width");
        w_ = v;
        relayout();
    }
    double Height() const override { return h_; }
    void Height(double v) override {
        checkSize(v, "Height");
        h_ = v;
        relayout();
    }
    double left() const override { return left_; }
    void left(double v) override {
        checkFinite(v, "left");
        left_ = v;
        relayout();
    }
    double top() const override { return top_; }
    void top(double v) override {
        checkFinite(v, "top");
        top_ = v;
        relayout();
    }

protected:
    double left_ = 0, top_ = 0, w_ = 0, h_ = 0;
};

class RectangleShape : public BoxShape {
public:
    RectangleShape(PlotDocument& doc, double l, double t, double r, double b) : BoxShape(doc) {
        left_ = std::min(l, r);
        top_ = std::max(t, b);
        w_ = std::fabs(r - l);
        h_ = std::fabs(t - b);
    }

protected:
    void layOut() override {
        const QPoint a = units({left_, top_}), b = units({left_ + w_, top_ - h_});
        draw::DrawObject& o = addObject(draw::Rectangle, a.x(), a.y(), b.x(), b.y());
        o.style.fill = draw::FillMode::None; // a frame: what lies beneath stays seen
    }
};

class PolylineShape : public BoxShape {
public:
    PolylineShape(PlotDocument& doc, std::vector<QPointF> pts) : BoxShape(doc), pts_(std::move(pts)) {
        const auto [x0, x1] =
            std::minmax_element(pts_.begin(), pts_.end(), [](auto a, auto b) { return a.x() < b.x(); });
        const auto [y0, y1] =
            std::minmax_element(pts_.begin(), pts_.end(), [](auto a, auto b) { return a.y() < b.y(); });
        bounds_ = QRectF(x0->x(), y0->y(), x1->x() - x0->x(), y1->y() - y0->y());
        left_ = bounds_.left();
        top_ = bounds_.bottom();
        w_ = bounds_.width();
        h_ = bounds_.height();
    }

protected:
    void layOut() override {
        // The points as given, stretched from their own bounds to the box; a line with no width or
        // height only moves along that axis.
        const double sx = bounds_.width() > 0 ? w_ / bounds_.width() : 1;
        const double sy = bounds_.height() > 0 ? h_ / bounds_.height() : 1;
        std::vector<QPointF> placed;
        for (const QPointF& p : pts_)
            placed.emplace_back(left_ + (p.x() - bounds_.left()) * sx,
                                top_ - (bounds_.bottom() - p.y()) * sy);
        addPath(draw::Polyline, placed);
    }

private:
    std::vector<QPointF> pts_;
    QRectF bounds_; // y up: bottom() is the highest y
};

class PictureShape : public BoxShape {
public:
    PictureShape(PlotDocument& doc, QImage image) : BoxShape(doc), image_(std::move(image)) {
        // Its own size at its resolution, shrunk to fit the page, at the page's upper left corner.
        const double dpmX = image_.dotsPerMeterX() > 0 ? image_.dotsPerMeterX() : 96 / 0.0254;
        const double dpmY = image_.dotsPerMeterY() > 0 ? image_.dotsPerMeterY() : 96 / 0.0254;
        w_ = image_.width() / (dpmX * 0.0254);
        h_ = image_.height() / (dpmY * 0.0254);
        const double fit = std::min({1.0, doc.pageWidthInches() / w_, doc.pageHeightInches() / h_});
        w_ *= fit;
        h_ *= fit;
        left_ = 0;
        top_ = doc.pageHeightInches();
    }

protected:
    void layOut() override {
        const QPoint a = units({left_, top_}), b = units({left_ + w_, top_ - h_});
        doc_.drawing().nextPicture = image_;
        addObject(draw::Bitmap, a.x(), a.y(), b.x(), b.y());
        doc_.drawing().nextPicture = QImage();
    }

private:
    QImage image_;
};

// A text placed by a point and its alignments; its box is the box of its line.
class TextShape : public PlotShape, public TextFont {
public:
    TextShape(PlotDocument& doc, double x, double y, QString text)
        : PlotShape(doc), x_(x), y_(y), text_(std::move(text)) {}

    double Width() const override { return box().width() / UnitsPerInch; }
    void Width(double v) override {
        checkSize(v, "Width");
        scaleTo(v, Width());
    }
    double Height() const override { return box().height() / UnitsPerInch; }
    void Height(double v) override {
        checkSize(v, "Height");
        scaleTo(v, Height());
    }
    double left() const override { return inches(box().topLeft()).x(); }
    void left(double v) override {
        checkFinite(v, "left");
        x_ += v - left();
        relayout();
    }
    double top() const override { return inches(box().topLeft()).y(); }
    void top(double v) override {
        checkFinite(v, "top");
        y_ += v - top();
        relayout();
    }
    TextFont& Font() override { return *this; }

    double Size() const override { return size_; }
    void Size(double points) override {
        checkFinite(points, "Size");
        if (points <= 0) raiseCallFailed(QStringLiteral("a text size must be above 0"));
        size_ = points;
        relayout();
    }
    int HAlign() const override { return hAlign_; }
    void HAlign(int a) override {
        if (a < 1 || a > 3) raiseCallFailed(QStringLiteral("no horizontal alignment %1").arg(a));
        hAlign_ = a;
        relayout();
    }
    int VAlign() const override { return vAlign_; }
    void VAlign(int a) override {
        if (a < 1 || a > 4) raiseCallFailed(QStringLiteral("no vertical alignment %1").arg(a));
        vAlign_ = a;
        relayout();
    }

protected:
    void layOut() override {
        const QPoint a = anchor();
        draw::DrawObject& o = addObject(draw::Text, a.x(), a.y(), a.x(), a.y());
        o.style = textStyle(size_, hAlign_);
        o.text = text_;
    }

private:
    // The drawing's anchor is the middle of the line: moved from y by the vertical alignment.
    QPoint anchor() const {
        const QPoint at = units({x_, y_});
        const QRectF b = textBox(text_, size_, hAlign_);
        double dy = 0;
        switch (vAlign_) {
        case 1:
            dy = -b.top();
            break;
        case 2: {
            QFont f(textStyle(size_, hAlign_).fontName);
            f.setPixelSize(256);
            const QFontMetricsF fm(f);
            const double cell = fm.ascent() + fm.descent();
            dy = cell > 0 ? -b.height() / 2 * (fm.ascent() - fm.descent()) / cell : 0;
            break;
        }
        case 3:
            dy = -b.bottom();
            break;
        default:
            break;
        }
        return QPoint(at.x(), at.y() + int(std::lround(dy)));
    }
    QRectF box() const { return textBox(text_, size_, hAlign_).translated(anchor()); }
    void scaleTo(double wanted, double now) {
        if (now <= 0 || wanted <= 0) return;
        size_ *= wanted / now;
        relayout();
    }

    double x_, y_;
    QString text_;
    double size_ = 10;
    int hAlign_ = 1;
    int vAlign_ = 1;
};

// Turns any fault inside a member into the call's failure with its reason.
template <class F> decltype(auto) guarded(F&& f) {
    try {
        return f();
    } catch (const QmError& e) {
        if (e.number() == qmerr::EngineCallFailed) throw;
        if (e.number() == qmerr::FileNotFound)
            raiseCallFailed(QStringLiteral("file not found: ") + e.detail());
        if (e.number() == qmerr::InvalidPicture)
            raiseCallFailed(QStringLiteral("not a picture: ") + e.detail());
        raiseCallFailed(QStringLiteral("error %1: %2").arg(e.number()).arg(e.detail()));
    } catch (const std::exception& e) {
        raiseCallFailed(QString::fromLocal8Bit(e.what()));
    }
}

} // namespace

// ---- document ------------------------------------------------------------------------------------

class PlotDocument::Members : public DocWindow, public PageSettings, public ShapeCollection {
public:
    explicit Members(PlotDocument& doc) : doc_(doc) {}

    bool AutoRedraw() const override { return doc_.drawing_.redraw(); }
    void AutoRedraw(bool on) override { doc_.drawing_.setRedraw(on); }
    int WindowState() const override { return doc_.windowState_; }
    void WindowState(int state) override {
        if (state < 1 || state > 3) raiseCallFailed(QStringLiteral("no window state %1").arg(state));
        doc_.windowState_ = state;
    }
    int Orientation() const override { return doc_.orientation_; }
    void Orientation(int o) override { doc_.setOrientation(o); }

    Shape& AddRectangle(double l, double t, double r, double b) override {
        for (double v : {l, t, r, b})
            checkFinite(v, "a corner");
        return doc_.adopt(std::make_unique<RectangleShape>(doc_, l, t, r, b));
    }
    Shape& AddText(double x, double y, const QString& text) override {
        checkFinite(x, "x");
        checkFinite(y, "y");
        return doc_.adopt(std::make_unique<TextShape>(doc_, x, y, text));
    }
    Shape& AddPolyline(const std::vector<double>& xy) override {
        if (xy.size() < 4 || xy.size() % 2 != 0)
            raiseCallFailed(QStringLiteral("a polyline needs pairs of numbers for two points or more"));
        std::vector<QPointF> pts;
        for (size_t i = 0; i < xy.size(); i += 2) {
            checkFinite(xy[i], "a point");
            checkFinite(xy[i + 1], "a point");
            pts.emplace_back(xy[i], xy[i + 1]);
        }
        return doc_.adopt(std::make_unique<PolylineShape>(doc_, std::move(pts)));
    }
    Shape& AddContourMap(const QString& gridFile) override {
        return doc_.addContourMap(guarded([&] { return readGridFile(gridFile); }));
    }
    Shape& AddBaseMap(const QString& file) override {
        return doc_.adopt(guarded([&] { return makeBaseMap(doc_, file); }));
    }
    Shape& AddWireFrame(const QString& gridFile) override {
        return doc_.addWireFrame(guarded([&] { return readGridFile(gridFile); }));
    }

private:
    PlotDocument& doc_;
};

PlotDocument::PlotDocument(int number) : number_(number), members_(std::make_unique<Members>(*this)) {
    drawing_.setPageWidth(Long(11 * UnitsPerInch));
    drawing_.setUnitsWidth(drawing_.pageWidth());
    drawing_.setPageHeight(Long(8.5 * UnitsPerInch));
    drawing_.setUnitsHeight(drawing_.pageHeight());
}

PlotDocument::~PlotDocument() = default;

double PlotDocument::pageWidthInches() const {
    return landscape() ? 11 : 8.5;
}
double PlotDocument::pageHeightInches() const {
    return landscape() ? 8.5 : 11;
}

DocWindow& PlotDocument::Windows(int index) {
    if (index != 1) raiseCallFailed(QStringLiteral("a document has window 1 only"));
    return *members_;
}

PageSettings& PlotDocument::PageSetup() {
    return *members_;
}
ShapeCollection& PlotDocument::Shapes() {
    return *members_;
}

Shape& PlotDocument::Import(const QString& FileName) {
    QImage image = guarded([&] { return LoadPicture(FileName); });
    return adopt(std::make_unique<PictureShape>(*this, std::move(image)));
}

Shape& PlotDocument::addContourMap(const ContourGrid& grid) {
    return adopt(guarded([&] { return makeContourMap(*this, grid); }));
}

Shape& PlotDocument::addWireFrame(const ContourGrid& grid) {
    return adopt(guarded([&] { return makeWireFrame(*this, grid); }));
}

Shape& PlotDocument::adopt(std::unique_ptr<PlotShape> shape) {
    shapes_.push_back(std::move(shape));
    PlotShape& s = *shapes_.back();
    s.relayout();
    return s;
}

void PlotDocument::setOrientation(int o) {
    if (o != 1 && o != 2) raiseCallFailed(QStringLiteral("no orientation %1").arg(o));
    if (o == orientation_) return;
    orientation_ = o;
    drawing_.setPageWidth(Long(pageWidthInches() * UnitsPerInch));
    drawing_.setUnitsWidth(drawing_.pageWidth());
    drawing_.setPageHeight(Long(pageHeightInches() * UnitsPerInch));
    drawing_.setUnitsHeight(drawing_.pageHeight());
    // Shapes keep their page positions, measured from the lower edge.
    for (const auto& s : shapes_)
        s->relayout();
    drawing_.refresh();
}

// ---- application ---------------------------------------------------------------------------------

class PlotApplication::Collection : public DocumentCollection {
public:
    explicit Collection(PlotApplication& app) : app_(app) {}
    Document& Add() override {
        app_.closed_.clear();
        auto doc = std::make_shared<PlotDocument>(++app_.made_);
        app_.documents_.push_back(doc);
        if (app_.visible_ && plotHooks().showDocument)
            plotHooks().showDocument(doc);
        else
            app_.unshown_.push_back(doc);
        return *doc;
    }

private:
    PlotApplication& app_;
};

PlotApplication::PlotApplication() : collection_(std::make_unique<Collection>(*this)) {}
PlotApplication::~PlotApplication() = default;

void PlotApplication::WindowState(int state) {
    if (state < 1 || state > 3) raiseCallFailed(QStringLiteral("no window state %1").arg(state));
    windowState_ = state;
}

void PlotApplication::Visible(bool on) {
    visible_ = on;
    if (!on || !plotHooks().showDocument) return;
    // Documents made while hidden appear now.
    auto waiting = std::move(unshown_);
    unshown_.clear();
    for (auto& doc : waiting)
        if (std::find(documents_.begin(), documents_.end(), doc) != documents_.end())
            plotHooks().showDocument(doc);
}

DocumentCollection& PlotApplication::Documents() {
    return *collection_;
}

void PlotApplication::GridData(const GridDataArgs& args) {
    guarded([&] { ::GridData(args); });
}

std::vector<std::shared_ptr<PlotDocument>> PlotApplication::documents() const {
    return documents_;
}

void PlotApplication::closeDocument(const PlotDocument* doc) {
    auto it =
        std::find_if(documents_.begin(), documents_.end(), [&](const auto& d) { return d.get() == doc; });
    if (it == documents_.end()) return;
    closed_.push_back(*it);
    documents_.erase(it);
}

void PlotApplication::reset() {
    documents_.clear();
    closed_.clear();
    unshown_.clear();
    windowState_ = 1;
    visible_ = false;
    made_ = 0;
}

PlotApplication& engine() {
    static PlotApplication app;
    return app;
}

} // namespace contour
