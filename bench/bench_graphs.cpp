// SPDX-License-Identifier: GPL-3.0-or-later
// The time-series graphs of the summaries.
//  1. A source graph page of nine graphs of 200 records each (seven linear scales, two logarithmic;
//     monthly samples over 16 years), drawn from run values: limit 10 ms; drawn and printed to a
//     PDF file: limit 25 ms.
//  2. A printed source summary run of 100 sources, as the run dialog starts it: the driver reads
//     the run files, draws each source's table pages and graph page and prints every page to PDF.
//     Each source has 48 records (twelve years sampled quarterly, so two table pages) in 11
//     columns: 300 pages. Limit 5 s.
#include "bench/benchsupport.h"
#include "drawcmd/pagecanvas.h"
#include "drawcmd/printdrawing.h"
#include "platform/textfile.h"
#include "project/modgw.h"
#include "reportdefs/wellsumfile.h"
#include "reports/drivers.h"
#include "reports/gwgraph.h"
#include "reports/pagecontext.h"
#include "reports/pages.h"
#include "reports/rundata.h"
#include "reports/windowhooks.h"

#include <QDate>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int GraphRecords = 200;
constexpr int RunSources = 100;
constexpr int RunRecords = 48;
constexpr int Columns = 11;

// A value of slot k for record r: a slow wave with a few "<" and missing values among them.
QString valueText(int k, int r) {
    if (r % 23 == 5) return QStringLiteral("-");
    if (r % 17 == 3) return QStringLiteral("<1");
    const double v = 40 + 35 * std::sin(0.11 * r + k) + (k * 7 + r * 13) % 11;
    return QString::number(k >= 9 ? v * v : v, 'f', 1);
}

QString dateText(int r) {
    return QDate(1986, 2, 14).addMonths(r).toString(QStringLiteral("MM/dd/yyyy"));
}

// One source with nine graphs, as the readers read it.
WellSumRun graphRun;
WellSumItem graphSource;
void fillGraphPage() {
    WellSumRun& r = graphRun;
    WellSumItem& g = graphSource;
    g.ItemName = QStringLiteral("MW-1");
    g.ItemCaption = QStringLiteral("Source 1 of 1");
    r.TableGraphOption = QStringLiteral("B");
    r.StandardLabel = QStringLiteral("Standard");
    for (int k = 2; k <= 10; ++k) {
        r.SlotScale[k][1] = k >= 9 ? QStringLiteral("LOG") : QStringLiteral("0");
        r.SlotScale[k][2] = k >= 9 ? QStringLiteral("5") : QStringLiteral("100");
        r.SlotScale[k][3] = k >= 9 ? QStringLiteral("1") : QStringLiteral("20");
        r.SlotStandard[k] = QStringLiteral("60");
        r.SlotLabel[k] = QStringLiteral("Parameter %1").arg(k);
        r.SlotUnits[k] = QStringLiteral("mg/L");
    }
    g.RecordCount = GraphRecords;
    for (int r = 1; r <= GraphRecords; ++r) {
        g.RecordDates[r] = dateText(r);
        for (int k = 1; k <= Columns; ++k)
            g.RecordValues[r][k] = valueText(k, r);
    }
}

// Median milliseconds of 31 runs of a step.
double median(const std::function<void()>& step) {
    std::vector<double> runs;
    for (int run = 0; run < 31; ++run) {
        QElapsedTimer t;
        t.start();
        step();
        runs.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

void drawGraphPage() {
    static const PageContext context = RunPageContext(); // taken once a run, as the driver does
    PageCanvas& c = pageCanvas();
    c.NewDrawing();
    c.LT(1);
    c.LW(1);
    buildWellSumGraphPage(graphRun, graphSource, 0, context, c);
}

// The definition, the data file of all sources and "log.mas" of a printed run.
void writeRun(const QString& folder) {
    WellSumDefinition def;
    def.NumWellList = RunSources;
    for (int s = 1; s <= RunSources; ++s)
        def.WellList[s] = QStringLiteral("MW-%1").arg(s);
    for (int j = 1; j <= Columns; ++j) {
        def.WellSumGrid[j][1] = QString::number(j);
        def.WellSumGrid[j][2] = QStringLiteral("Param");
        def.WellSumGrid[j][3] = QString::number(j);
        def.WellSumGrid[j][5] = QStringLiteral("mg/L");
        def.WellSumGrid[j][6] = QStringLiteral("60");
        def.WellSumGrid[j][7] = QStringLiteral("Parameter %1").arg(j);
        def.WellSumGrid[j][8] = j >= 9 ? QStringLiteral("LOG,5,1") : QStringLiteral("0,100,20");
    }
    def.WellSumInfo[1] = QStringLiteral("Millbrook Landfill");
    def.WellSumInfo[2] = QStringLiteral("Quarterly Monitoring");
    def.WellSumInfo[5] = QStringLiteral("B");
    def.WellSumInfo[6] = QStringLiteral("Standard");
    ReportNotesBlock notes;
    notes.GeneralNoteCount = 1;
    notes.GeneralNotes[1] = QStringLiteral("Values as reported.");
    const QString definition = folder + QStringLiteral("/plant.wsf");
    writeWellSumFile(definition, def, notes);

    QStringList data;
    for (int s = 1; s <= RunSources; ++s) {
        data << QStringLiteral("MW-%1").arg(s) << QStringLiteral("Source %1 of %2").arg(s).arg(RunSources)
             << QString::number(RunRecords);
        for (int r = 0; r < RunRecords; ++r) {
            QString line = QDate(1990, 1, 15).addMonths(3 * r).toString(QStringLiteral("MM/dd/yyyy"));
            for (int j = 1; j <= Columns; ++j)
                line += u',' + valueText(j + s, r);
            data << line;
        }
        data << QStringLiteral("0");
    }
    qtext::WriteLines(rundata::DataFilePath(definition, QStringLiteral("WSD")), data);
    qtext::WriteLines(rundata::RunFilePath(), {definition, QString::number(RunSources)});
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir home;
    const QString folder = home.path();
    bench::setUpReportFolder(folder);
    ModGW& mg = modgw();
    mg.DefaultFont = QStringLiteral("Arial");
    mg.LessThanFactor = QStringLiteral(".5");
    mg.ClientInfo[1] = QStringLiteral("Millbrook County");

    const QString pdf = folder + QStringLiteral("/page.pdf");
    bench::printToPdf(pdf);

    pageCanvas().PaperWidth = 11;
    pageCanvas().PaperHeight = 8.5f;
    fillGraphPage();
    drawGraphPage();
    std::printf("a graph page of 9 graphs of %d records: %d objects\n", GraphRecords, pageDrawing().count());
    const double drawn = median(drawGraphPage);
    const double printed = median([] {
        drawGraphPage();
        PrintDrawArea();
    });
    const bool pagePrinted = QFileInfo(pdf).size() > 0;
    std::printf("  drawn: median %.2f ms (limit 10 ms)\n", drawn);
    std::printf("  drawn and printed to PDF: median %.2f ms (limit 25 ms)%s\n", printed,
                pagePrinted ? "" : "  NO PDF WRITTEN");

    writeRun(folder);
    gwgraph().reset();
    gwgraph().PrintToPrinter = 1;
    int pages = 0;
    reportHooks().printPage = [&pages] {
        ++pages;
        PrintDrawArea();
        return true;
    };
    QElapsedTimer t;
    t.start();
    wellsumstart();
    const double runMs = double(t.nsecsElapsed()) / 1e6;
    std::printf(
        "a printed source summary run of %d sources of %d records, %d pages: %.0f ms (limit 5000 ms)\n",
        RunSources, RunRecords, pages, runMs);
    const bool ok = drawn < 10 && printed < 25 && runMs < 5000 && pagePrinted && pages == RunSources * 3;
    return ok ? 0 : 1;
}
