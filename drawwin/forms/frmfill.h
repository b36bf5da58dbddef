// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class DrawView;
class MDrawPro;
class QFrame;
class QListWidget;

// The fill chooser "Choose A Fill Pattern": a swatch for each screen pattern of the fills folder; a
// click on a swatch sets ChosenFill and hides the window. Loaded hidden at start-up and kept loaded.
// From the keyboard the arrows move a frame from swatch to swatch, Enter or Space picks the framed
// one and Escape closes the window without a pick.
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
    // The framed swatch (1-based), 0 when there is none.
    int currentSwatch() const { return current_; }
    // The narrowest width, in pixels, that shows the whole caption.
    int TitleWidth() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeFocusFrame();

    MDrawPro* canvas_ = nullptr;
    QStringList swatches_; // the pattern files, in swatch order
    int current_ = 0;
    QFrame* focusFrame_ = nullptr;
};
