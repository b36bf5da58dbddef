// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the benches share: a program folder a report page can be drawn in, the system printer
// writing PDF, a crowded page drawn through the drawing commands, and the view and timing helpers
// of the mouse benches. Header-only, as every bench is a program of its own file.
#include "drawcmd/metaugl.h"
#include "platform/gui/drawview.h"
#include "platform/printer.h"
#include "platform/progfolder.h"
#include "project/modgw.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QPrinter>
#include <QString>
#include <algorithm>
#include <vector>

namespace bench {

// Makes folder the program folder, with the heading file and logo a page's heading draws and the
// date stamp a run prints.
inline void setUpReportFolder(const QString& folder) {
    SetProgramFolder(folder);
    QFile::copy(QStringLiteral(QMAR_RESOURCE_DIR "/usqmar.qlh"), folder + QStringLiteral("/usqmar.qlh"));
    QFile::copy(QStringLiteral(QMAR_RESOURCE_DIR "/logo.txt"), folder + QStringLiteral("/logo.txt"));
    modgw().HeadingFile = folder + QStringLiteral("/usqmar.qlh");
    modgw().DateStampOption = QStringLiteral("3");
}

// Sends what the system printer prints to the PDF file pdf.
inline void printToPdf(const QString& pdf) {
    QPrinter& printer = SystemPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
}

// What one step of fillPage draws at its spot.
enum class Piece {
    Rule,         // a solid line across
    StyledRise,   // a line of type 5 going up
    DashedAcross, // a line of type 6, laid as dashes by the command
    Label,        // a well name
    Dot,          // a shaded circle
    FilledBox,    // a filled polygon
};

// The kinds the report pages are mostly made of, in about their shares.
inline const std::vector<Piece> reportPieces = {Piece::Rule, Piece::Rule, Piece::Label, Piece::Dot,
                                                Piece::FilledBox};

// n objects spread over an 11 by 8.5 inch page, the step i drawing pieces[i % pieces.size()].
// A step may add more than one object (a dashed line, a long label); the page stops at n.
inline void fillPage(int n, const std::vector<Piece>& pieces = reportPieces) {
    metaugl().reset();
    modgw().ThickDashedLines = QStringLiteral("0");
    metaugl().PaperWidth = 11;
    metaugl().PaperHeight = 8.5f;
    NewDrawing();
    pageDrawing().Redraw(false);
    SH(1);
    SV(1);
    AP(8);
    for (int i = 0; pageDrawing().count() < n; ++i) {
        const float x = 0.3f + float(i % 97) / 97 * 9.5f;
        const float y = 0.3f + float((i * 7) % 89) / 89 * 7.2f;
        Z(x + 0.25f, y + 0.25f);
        switch (pieces[size_t(i) % pieces.size()]) {
        case Piece::Rule:
            LT(1);
            LR(0.4f);
            break;
        case Piece::StyledRise:
            LT(5);
            LU(0.3f);
            break;
        case Piece::DashedAcross:
            LT(6);
            LR(0.5f);
            break;
        case Piece::Label:
            A(QStringLiteral("MW-%1").arg(i));
            break;
        case Piece::Dot:
            EFS(0.05f, 0.3f);
            break;
        case Piece::FilledBox:
            PR(0.2f);
            PU(0.1f);
            PL(0.2f);
            PFC(0xC0C0FF);
            break;
        }
    }
    pageDrawing().Redraw(true);
}

// The view the mouse benches time: the page drawing at the size of a large window, shown.
inline void showView(DrawView& view) {
    view.setModel(&pageDrawing());
    view.resize(1100, 860);
    view.show();
    QApplication::processEvents();
}

// Counts the view's paint events, so an event that painted nothing is not mistaken for a fast one.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// One mouse event at px with the buttons held after it; presses and releases are of the left button.
inline void send(DrawView& view, QEvent::Type type, QPointF px, Qt::MouseButtons held) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, px, view.mapToGlobal(px), button, held, Qt::NoModifier);
    QApplication::sendEvent(&view, &e);
}

struct Figures {
    double median = 0, max = 0;
};

inline Figures figures(std::vector<double> runs) {
    std::sort(runs.begin(), runs.end());
    return {runs[runs.size() / 2], runs.back()};
}

} // namespace bench
