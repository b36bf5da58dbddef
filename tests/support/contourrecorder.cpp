// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/contourrecorder.h"

using namespace contour;

namespace {

QString num(double v) {
    return QString::number(v);
}
QString flag(bool on) {
    return on ? QStringLiteral("true") : QStringLiteral("false");
}
QString quoted(const QString& s) {
    return QLatin1Char('"') + s + QLatin1Char('"');
}

class RecShape : public Shape, public TextFont, public Overlay {
public:
    RecShape(ContourRecorder& rec, int n) : rec_(rec), name_(QStringLiteral("shape %1").arg(n)) {}

    double Width() const override { return w_; }
    void Width(double v) override { set("Width", v, w_); }
    double Height() const override { return h_; }
    void Height(double v) override { set("Height", v, h_); }
    double left() const override { return l_; }
    void left(double v) override { set("left", v, l_); }
    double top() const override { return t_; }
    void top(double v) override { set("top", v, t_); }
    TextFont& Font() override { return *this; }
    Overlay& Overlays(int index) override {
        overlay_ = index;
        return *this;
    }
    double ViewRotation() const override { return rot_; }
    void ViewRotation(double v) override { view("ViewRotation", v, rot_); }
    double ViewTilt() const override { return tilt_; }
    void ViewTilt(double v) override { view("ViewTilt", v, tilt_); }

    double Size() const override { return size_; }
    void Size(double v) override { set("Font.Size", v, size_); }
    int HAlign() const override { return int(ha_); }
    void HAlign(int v) override { set("Font.HAlign", v, ha_); }
    int VAlign() const override { return int(va_); }
    void VAlign(int v) override { set("Font.VAlign", v, va_); }

    bool FillContours() const override { return fill_; }
    void FillContours(bool on) override {
        rec_.record(QStringLiteral("FillContours"),
                    name_ + QStringLiteral(".Overlays(%1).FillContours = ").arg(overlay_) + flag(on));
        fill_ = on;
    }

private:
    void set(const char* member, double v, double& field) {
        const QString m = QString::fromLatin1(member);
        rec_.record(m.section(QLatin1Char('.'), -1),
                    name_ + QLatin1Char('.') + m + QStringLiteral(" = ") + num(v));
        field = v;
    }
    void view(const char* member, double v, double& field) {
        set(member, v, field);
        if (rec_.viewedSize.isValid()) {
            w_ = rec_.viewedSize.width();
            h_ = rec_.viewedSize.height();
        }
    }

    ContourRecorder& rec_;
    QString name_;
    double w_ = 0, h_ = 0, l_ = 0, t_ = 0, rot_ = 0, tilt_ = 0, size_ = 0, ha_ = 0, va_ = 0;
    int overlay_ = 0;
    bool fill_ = false;
};

class RecDocument : public Document, public DocWindow, public PageSettings, public ShapeCollection {
public:
    explicit RecDocument(ContourRecorder& rec) : rec_(rec) {}

    DocWindow& Windows(int) override { return *this; }
    PageSettings& PageSetup() override { return *this; }
    ShapeCollection& Shapes() override { return *this; }
    Shape& Import(const QString& FileName) override {
        return add(QStringLiteral("Import"),
                   QStringLiteral("Document.Import(FileName=%1)").arg(quoted(FileName)));
    }

    bool AutoRedraw() const override { return redraw_; }
    void AutoRedraw(bool on) override {
        rec_.record(QStringLiteral("AutoRedraw"), QStringLiteral("Window.AutoRedraw = ") + flag(on));
        redraw_ = on;
    }
    int WindowState() const override { return state_; }
    void WindowState(int s) override {
        rec_.record(QStringLiteral("WindowState"), QStringLiteral("Window.WindowState = %1").arg(s));
        state_ = s;
    }
    int Orientation() const override { return orientation_; }
    void Orientation(int o) override {
        rec_.record(QStringLiteral("Orientation"), QStringLiteral("PageSetup.Orientation = %1").arg(o));
        orientation_ = o;
    }

    Shape& AddRectangle(double l, double t, double r, double b) override {
        return add(QStringLiteral("AddRectangle"),
                   QStringLiteral("Shapes.AddRectangle(%1, %2, %3, %4)").arg(num(l), num(t), num(r), num(b)));
    }
    Shape& AddText(double x, double y, const QString& text) override {
        return add(QStringLiteral("AddText"),
                   QStringLiteral("Shapes.AddText(%1, %2, %3)").arg(num(x), num(y), quoted(text)));
    }
    Shape& AddPolyline(const std::vector<double>& xy) override {
        QStringList v;
        for (double d : xy)
            v << num(d);
        return add(QStringLiteral("AddPolyline"),
                   QStringLiteral("Shapes.AddPolyline(") + v.join(QStringLiteral(", ")) + ')');
    }
    Shape& AddContourMap(const QString& f) override {
        return add(QStringLiteral("AddContourMap"),
                   QStringLiteral("Shapes.AddContourMap(%1)").arg(quoted(f)));
    }
    Shape& AddBaseMap(const QString& f) override {
        return add(QStringLiteral("AddBaseMap"), QStringLiteral("Shapes.AddBaseMap(%1)").arg(quoted(f)));
    }
    Shape& AddWireFrame(const QString& f) override {
        return add(QStringLiteral("AddWireFrame"), QStringLiteral("Shapes.AddWireFrame(%1)").arg(quoted(f)));
    }

private:
    Shape& add(const QString& member, const QString& line) {
        if (rec_.failing.contains(member)) {
            rec_.record(member, line);
        }
        const int n = rec_.nextShape();
        rec_.record(member, line + QStringLiteral(" = shape %1").arg(n));
        shapes_.push_back(std::make_unique<RecShape>(rec_, n));
        return *shapes_.back();
    }

    ContourRecorder& rec_;
    std::vector<std::unique_ptr<RecShape>> shapes_;
    bool redraw_ = true;
    int state_ = 0, orientation_ = 0;
};

} // namespace

class ContourRecorder::Docs : public DocumentCollection {
public:
    explicit Docs(ContourRecorder& rec) : rec_(rec) {}
    Document& Add() override {
        rec_.record(QStringLiteral("Add"), QStringLiteral("Documents.Add"));
        docs_.push_back(std::make_unique<RecDocument>(rec_));
        return *docs_.back();
    }

private:
    ContourRecorder& rec_;
    std::vector<std::unique_ptr<RecDocument>> docs_;
};

ContourRecorder::ContourRecorder() : docs_(std::make_unique<Docs>(*this)) {
    setApplication(this);
}

ContourRecorder::~ContourRecorder() {
    setApplication(nullptr);
}

void ContourRecorder::record(const QString& member, const QString& line) {
    if (failing.contains(member)) {
        calls << line + QStringLiteral(" failed");
        raiseCallFailed(member + QStringLiteral(" set to fail"));
    }
    calls << line;
}

void ContourRecorder::WindowState(int state) {
    record(QStringLiteral("WindowState"), QStringLiteral("Application.WindowState = %1").arg(state));
    windowState_ = state;
}

void ContourRecorder::Visible(bool on) {
    record(QStringLiteral("Visible"), QStringLiteral("Application.Visible = ") + flag(on));
    visible_ = on;
}

DocumentCollection& ContourRecorder::Documents() {
    return *docs_;
}

void ContourRecorder::GridData(const GridDataArgs& a) {
    QStringList parts{QStringLiteral("DataFile=") + quoted(a.DataFile)};
    if (a.xMin) parts << QStringLiteral("xMin=") + num(*a.xMin);
    if (a.xMax) parts << QStringLiteral("xMax=") + num(*a.xMax);
    if (a.yMin) parts << QStringLiteral("yMin=") + num(*a.yMin);
    if (a.yMax) parts << QStringLiteral("yMax=") + num(*a.yMax);
    parts << QStringLiteral("Algorithm=%1").arg(a.Algorithm)
          << QStringLiteral("ShowReport=") + flag(a.ShowReport)
          << QStringLiteral("OutGrid=") + quoted(a.OutGrid);
    record(QStringLiteral("GridData"), QStringLiteral("GridData(") + parts.join(QStringLiteral(", ")) + ')');
}
