// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gui/plotwindow.h"

#include "platform/contour/plotdoc.h"
#include "platform/drawing/drawrender.h"
#include "platform/gui/controls.h"
#include "platform/gui/drawview.h"
#include "platform/gui/forms.h"
#include "platform/gui/printersetup.h"
#include "platform/printer.h"
#include "platform/qmerror.h"
#include "platform/uiservice.h"
#include "platform/windowhooks.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QVBoxLayout>

namespace {

QList<PlotWindow*>& windows() {
    static QList<PlotWindow*> list;
    return list;
}

std::function<QPrinter&()>& printerSource() {
    static std::function<QPrinter&()> source;
    return source;
}

std::function<QString()>& folderSource() {
    static std::function<QString()> source;
    return source;
}

constexpr double PngDotsPerInch = 200;

} // namespace

PlotWindow::PlotWindow(std::shared_ptr<contour::PlotDocument> doc) : doc_(std::move(doc)) {
    setObjectName(QStringLiteral("PlotWindow"));
    setWindowTitle(QStringLiteral("Plot %1").arg(doc_->number()));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setSizeGripEnabled(true);

    menuBar = new QMenuBar(this);
    mnuFile = NamedMenu(menuBar, QStringLiteral("mnuFile"), QStringLiteral("&File"));
    mnuPrint = NamedMenuItem(mnuFile, QStringLiteral("mnuPrint"), QStringLiteral("&Print"),
                             QStringLiteral("Ctrl+P"));
    mnuSaveAs = NamedMenuItem(mnuFile, QStringLiteral("mnuSaveAs"), QStringLiteral("Save &As..."));
    mnuFile->addSeparator();
    mnuClose = NamedMenuItem(mnuFile, QStringLiteral("mnuClose"), QStringLiteral("&Close"));
    connect(mnuPrint, &QAction::triggered, this, &PlotWindow::mnuPrint_Click);
    connect(mnuSaveAs, &QAction::triggered, this, &PlotWindow::mnuSaveAs_Click);
    connect(mnuClose, &QAction::triggered, this, &QWidget::close);

    View = new DrawView(this);
    View->setObjectName(QStringLiteral("View"));
    View->setAccessibleName(QStringLiteral("View"));
    View->setModel(&doc_->drawing());

    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(menuBar);
    layout->addWidget(View, 1);
    layout->addWidget(lblStatus);
    // Wanted size; the window opens fitted to the screen's available area, and the page, always
    // shown whole, grows and shrinks with the window.
    resize(990, 800);
    windows().append(this);
}

PlotWindow::~PlotWindow() {
    windows().removeAll(this);
    contour::engine().closeDocument(doc_.get());
}

QList<PlotWindow*> PlotWindow::openWindows() {
    return windows();
}

void PlotWindow::mnuPrint_Click() {
    if (!printerSource()) return;
    QPrinter& printer = printerSource()();
    if (!EnsurePrintTarget(printer)) return;
    try {
        PrintJob job(printer);
        if (!job.open({windowTitle(), folderSource() ? folderSource()() : QString()})) return;
        PrintFittedSheet(job, doc_->drawing(), doc_->landscape() ? QPageLayout::Landscape : QPageLayout::Portrait);
        job.end(true);
        lblStatus->setText(PrintedText(job.pages(), job.target()));
    } catch (const QmError& e) {
        if (e.number() == qmerr::Printer)
            ui().MsgBox(kAddPrinterMessage);
        else
            ui().MsgBox(QStringLiteral("The plot could not be printed: ") + e.detail());
    }
}

void PlotWindow::mnuSaveAs_Click() {
    FileDialogRequest req;
    req.save = true;
    req.title = QStringLiteral("Save As");
    req.filter = QStringLiteral("PDF Files (*.pdf)|*.pdf|PNG Files (*.png)|*.png|");
    req.defaultExt = QStringLiteral("pdf");
    req.fileName = windowTitle() + QStringLiteral(".pdf");
    const QString path = ui().FileDialog(req);
    if (path.isEmpty()) return;
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext != QLatin1String("pdf") && ext != QLatin1String("png")) {
        ui().MsgBox(QStringLiteral("A plot is saved as a PDF file (.pdf) or a PNG picture (.png)."));
        return;
    }
    try {
        if (ext == QLatin1String("png"))
            draw::writePng(doc_->drawing(), path, PngDotsPerInch);
        else
            draw::writePdf(doc_->drawing(), path);
    } catch (const QmError&) {
        ui().MsgBox(QStringLiteral("The file could not be written: ") + path);
    }
}

void RegisterPlotWindow(std::function<QPrinter&()> printer, std::function<QString()> folder) {
    printerSource() = std::move(printer);
    folderSource() = std::move(folder);
    contour::plotHooks().showDocument = [](std::shared_ptr<contour::PlotDocument> doc) {
        const int state = doc->windowState();
        auto* w = new PlotWindow(std::move(doc));
        // Opened from a modal form, the window would be blocked by it: it joins the modal windows
        // instead, so that it can be looked at, printed and closed before the form is used again.
        if (QApplication::activeModalWidget()) w->setWindowModality(Qt::ApplicationModal);
        forms::fitToScreen(*w);
        if (state == 3)
            w->showMaximized();
        else if (state == 2)
            w->showMinimized();
        else
            w->show();
    };
}
