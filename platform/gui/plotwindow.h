// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QList>
#include <functional>
#include <memory>

class DrawView;
class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPrinter;

namespace contour {
class PlotDocument;
}

// The window of one plot document, captioned "Plot N": shown beside the program, not modal, open
// until the user closes it. File: Print (one job on the system printer, named "Plot N"; the status
// line below the page says where it went), Save As (PDF or PNG), Close. Closing lets the engine
// forget the document.
class PlotWindow : public QDialog {
    Q_OBJECT
public:
    explicit PlotWindow(std::shared_ptr<contour::PlotDocument> doc);
    ~PlotWindow() override;

    contour::PlotDocument& document() const { return *doc_; }
    static QList<PlotWindow*> openWindows();

    QMenuBar* menuBar = nullptr;
    QMenu* mnuFile = nullptr;
    QAction *mnuPrint = nullptr, *mnuSaveAs = nullptr, *mnuClose = nullptr;
    DrawView* View = nullptr;
    QLabel* lblStatus = nullptr;

    void mnuPrint_Click();
    void mnuSaveAs_Click();

private:
    std::shared_ptr<contour::PlotDocument> doc_;
};

// Makes every new plot document open in a window of its own; printer gives the printer that Print
// prints on, folder the folder its PDF is proposed in while nothing was printed to a file yet.
void RegisterPlotWindow(std::function<QPrinter&()> printer, std::function<QString()> folder = {});
