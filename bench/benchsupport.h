// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the benches share: a program folder a report page can be drawn in, the system printer
// writing PDF, a crowded page drawn through the drawing commands, and the view and timing helpers
// of the mouse benches. Header-only, as every bench is a program of its own file.
#include "drawcmd/pagecanvas.h"
#include "platform/dates.h"
#include "platform/sampledb.h"
#include "platform/gui/drawview.h"
#include "platform/printer.h"
#include "platform/progfolder.h"
#include "platform/uiservice.h"
#include "project/modgw.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QPrinter>
#include <QProcess>
#include <QSqlQuery>
#include <QString>
#include <algorithm>
#include <cstdio>
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

// The message service of a bench that prints: the Save dialog every print to a file asks in is
// answered with the printer's file, any box with its default button.
class PrintingUi : public UiService {
public:
    int MsgBox(const QString& text, int style, const QString&) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return vb::DefaultAnswer(style);
    }
    std::optional<QString> InputBox(const QString&, const QString&, const QString&) override { return std::nullopt; }

protected:
    FileDialogChoice chooseFile(const FileDialogRequest&) override { return {SystemPrinter().outputFileName()}; }
};

// Sends what the system printer prints to the PDF file pdf.
inline void printToPdf(const QString& pdf) {
    QPrinter& printer = SystemPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    static PrintingUi ui;
    setUi(&ui);
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
    pageCanvas().reset();
    modgw().ThickDashedLines = QStringLiteral("0");
    pageCanvas().PaperWidth = 11;
    pageCanvas().PaperHeight = 8.5f;
    pageCanvas().NewDrawing();
    pageDrawing().Redraw(false);
    pageCanvas().SH(1);
    pageCanvas().SV(1);
    pageCanvas().AP(8);
    for (int i = 0; pageDrawing().count() < n; ++i) {
        const float x = 0.3f + float(i % 97) / 97 * 9.5f;
        const float y = 0.3f + float((i * 7) % 89) / 89 * 7.2f;
        pageCanvas().Z(x + 0.25f, y + 0.25f);
        switch (pieces[size_t(i) % pieces.size()]) {
        case Piece::Rule:
            pageCanvas().LT(1);
            pageCanvas().LR(0.4f);
            break;
        case Piece::StyledRise:
            pageCanvas().LT(5);
            pageCanvas().LU(0.3f);
            break;
        case Piece::DashedAcross:
            pageCanvas().LT(6);
            pageCanvas().LR(0.5f);
            break;
        case Piece::Label:
            pageCanvas().A(QStringLiteral("MW-%1").arg(i));
            break;
        case Piece::Dot:
            pageCanvas().EFS(0.05f, 0.3f);
            break;
        case Piece::FilledBox:
            pageCanvas().PR(0.2f);
            pageCanvas().PU(0.1f);
            pageCanvas().PL(0.2f);
            pageCanvas().PFC(0xC0C0FF);
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

// ---- the bulk database benches: a project, its records as exchange lines, sqlite3's own import

// A project of params parameters (P01, P02, ...) and sources MW-1 to MW-<sources> in the folder
// root, dates month first, the program folder below root; its database not yet made. Gives the
// parameter names.
inline QStringList setUpSampleProject(const QString& root, int params, int sources) {
    SetProgramFolder(root + QStringLiteral("/qmar2002"));
    qdate::SetDayFirst(0);
    const QString folder = root + u'/';
    ModGW& m = modgw();
    m.NumParams = params;
    QStringList names;
    for (int p = 1; p <= params; ++p) {
        names << QStringLiteral("P%1").arg(p, 2, 10, QLatin1Char('0'));
        m.ParamTable[p][1] = names.last();
    }
    m.NumSources = sources;
    for (int s = 1; s <= sources; ++s)
        m.SourceTable[s][1] = QStringLiteral("MW-%1").arg(s);
    m.ProjectFile = folder + QStringLiteral("bench.qlp");
    m.DatabaseFile = folder + QStringLiteral("bench.mdb");
    m.DataFolder = folder;
    return names;
}

// Record i as a Tab-separated line: the sources sampled in turn once a week, every tenth record a
// duplicate, "<" values and "-" here and there.
inline QString sampleRecordLine(int i, int params, int sources) {
    static const QDate first(1985, 1, 7);
    QString line = QStringLiteral("MW-%1\t%2\t%3")
                       .arg(i % sources + 1)
                       .arg(qdate::Format(first.addDays(7 * (i / sources))), i % 10 == 9 ? "D" : "");
    for (int p = 1; p <= params; ++p) {
        const int x = (i * 31 + p * 17) % 1000;
        line += u'\t';
        line += x < 50 ? QStringLiteral("<0.5") : x < 60 ? QStringLiteral("-") : QString::number(x / 10.0);
    }
    return line;
}

inline qint64 recordCount(const QString& path) {
    SampleDb db;
    db.open(path);
    QSqlQuery q = db.prepare(QStringLiteral("SELECT COUNT(*) FROM \"Data\""));
    SampleDb::exec(q);
    return q.next() ? q.value(0).toLongLong() : -1;
}

// The sqlite3 command line's .import of the Tab-separated file data into a new database at db, a
// table of the same shape and index as ours, run as a process of its own. Gives the seconds from
// its start to its exit (negative when it failed) and what it printed: the count of rows stored.
inline double cliImport(const QString& db, const QString& data, const QStringList& names, QByteArray& out) {
    QString script =
        QStringLiteral("CREATE TABLE \"Data\" (\"Source\" TEXT COLLATE NOCASE, \"Samp_Date\" TEXT, "
                       "\"Dup\" TEXT COLLATE NOCASE");
    for (const QString& n : names)
        script += QStringLiteral(", \"%1\" TEXT").arg(n);
    script += QStringLiteral(
                  ");\nCREATE INDEX \"Well-Date-Dup\" ON \"Data\" (\"Source\", \"Samp_Date\", \"Dup\");\n"
                  ".mode tabs\n.import '%1' Data\nSELECT COUNT(*) FROM \"Data\";\n")
                  .arg(data);
    QProcess cli;
    QElapsedTimer t;
    t.start();
    cli.start(QStringLiteral("sqlite3"), {db});
    cli.write(script.toUtf8());
    cli.closeWriteChannel();
    if (!cli.waitForFinished(300000) || cli.exitCode() != 0) {
        std::fprintf(stderr, "sqlite3 failed: %s\n", cli.readAllStandardError().constData());
        return -1;
    }
    const double seconds = double(t.nsecsElapsed()) / 1e9;
    out = cli.readAllStandardOutput();
    return seconds;
}

} // namespace bench
