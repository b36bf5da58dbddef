// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class DrawView;
class MDrawPro;
class QListWidget;

// The fill chooser "Choose A Fill Pattern": a swatch for each screen pattern of the fills folder; a
// click on a swatch sets ChosenFill and hides the window. Loaded hidden at start-up and kept loaded.
class frmFill : public QDialog {
    Q_OBJECT
public:
    frmFill(); // runs Form_Load
    ~frmFill() override;

    QListWidget* File1 = nullptr; // the bitmap files of the fills folder, as listed
    DrawView* MDraw2 = nullptr;
    MDrawPro& canvas() { return *canvas_; }

    void Form_Load();
    void MDraw2_ObjectClicked();
    // The narrowest width, in pixels, that shows the whole caption.
    int TitleWidth() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    MDrawPro* canvas_ = nullptr;
};
