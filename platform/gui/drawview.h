// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drawing/mdrawpro.h"

#include <QPixmap>
#include <QPointer>
#include <QWidget>

// Shows the sheet of a drawing control. The view values are in this widget's pixels: ViewWidth and
// ViewHeight the size at which the whole page is displayed, ViewLeft and ViewTop the position of the
// widget over that page (negative values move the page right and down). Until a view width is set
// the whole page is fitted and centred. While the control's Redraw is off the widget keeps showing
// what it showed.
class DrawView : public QWidget {
    Q_OBJECT
public:
    explicit DrawView(QWidget* parent = nullptr);

    void setModel(MDrawPro* model);
    MDrawPro* model() const { return model_; }

    double ViewLeft() const { return view_.left(); }
    void ViewLeft(double v);
    double ViewTop() const { return view_.top(); }
    void ViewTop(double v);
    double ViewWidth() const { return view_.width(); }
    void ViewWidth(double v);
    double ViewHeight() const { return view_.height(); }
    void ViewHeight(double v);
    int ClientWidth() const { return contentsRect().width(); }
    int ClientHeight() const { return contentsRect().height(); }
    // A widget pixel as drawing units.
    double PixelToUnitsX(double px) const;
    double PixelToUnitsY(double py) const;
    // Where the page lies, in widget pixels.
    QRectF sheetRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void modelChanged();
    void viewChanged();

    QPointer<MDrawPro> model_;
    QRectF view_; // left, top, width, height; width 0 = fitted
    QPixmap frame_;
    bool stale_ = true;
};
