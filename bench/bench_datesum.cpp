// SPDX-License-Identifier: GPL-3.0-or-later
// One date-summary episode drawn as a previewed run draws it: the driver reads the run files and
// draws the episode's table page and its ten map pages (39 sources, 9 parameters, every map
// showing three of them), each page handed to a preview that goes straight on. The time covers
// reading, drawing and the hand-over, not painting. Limit 60 ms for the eleven pages.
#include "bench/benchsupport.h"
#include "drawcmd/pagecanvas.h"
#include "platform/textfile.h"
#include "project/modgw.h"
#include "reports/drivers.h"
#include "reports/gwgraph.h"
#include "reports/rundata.h"
#include "reports/windowhooks.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Sources = 39;
constexpr int Params = 9;
constexpr int Maps = 10;

// The date-summary data file of one episode and "log.mas" naming it.
void writeRun(const QString& folder) {
    QStringList d{QString::number(Params)};
    for (int p = 1; p <= Params; ++p)
        d << QStringLiteral("Param %1").arg(p) << QStringLiteral("total") << QString() << QStringLiteral("mg/L")
          << QString::number(10 * p) << QString::number(20 * p);
    d << QString::number(Sources);
    for (int s = 1; s <= Sources; ++s)
        d << QStringLiteral("MW-%1").arg(s) << (s % 2 ? QStringLiteral("A") : QStringLiteral("Blw"))
          << QString::number(100 + (s * 37) % 800) << QString::number(100 + (s * 53) % 800);
    d << QStringLiteral("Millbrook Landfill") << QStringLiteral("Date Summary") << QString() << QString();
    d << QStringLiteral("Standard") << QStringLiteral("0,1000,100") << QStringLiteral("0,1000,100")
      << QStringLiteral("ft") << QStringLiteral("1");
    for (int m = 1; m <= Maps; ++m)
        d << QStringLiteral("%1,%2,%3").arg((m - 1) % Params + 1).arg(m % Params + 1).arg((m + 1) % Params + 1);
    d << QStringLiteral("1") << QStringLiteral("Values in mg/L.");
    d << QStringLiteral("03/01/1998 - 03/31/1998") << QStringLiteral("Episode 1 of 1");
    for (int s = 1; s <= Sources; ++s)
        for (int p = 1; p <= Params; ++p)
            d << ((s + p) % 7 == 0 ? QStringLiteral("-") : QString::number((s * 13 + p * 7) % (25 * p)));
    d << QStringLiteral("1") << QStringLiteral("MW-3 dry.");
    const QString data = folder + QStringLiteral("/plant.DSD");
    qtext::WriteLines(data, d);
    qtext::WriteLines(rundata::RunFilePath(), {data, QStringLiteral("1")});
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir home;
    const QString folder = home.path();
    bench::setUpReportFolder(folder);
    modgw().LessThanFactor = QStringLiteral("0.5");
    writeRun(folder);

    int pages = 0;
    int objects = 0;
    reportHooks().previewPage = [&] {
        ++pages;
        objects += pageDrawing().count();
        return PreviewResult::NextPage;
    };
    gwgraph().PrintToPrinter = 0;

    std::vector<double> runs;
    for (int run = 0; run < 21; ++run) {
        pages = objects = 0;
        QElapsedTimer t;
        t.start();
        datesumstart();
        runs.push_back(double(t.nsecsElapsed()) / 1e6);
        if (pages != 1 + Maps) {
            std::fprintf(stderr, "%d pages drawn, not %d\n", pages, 1 + Maps);
            return 1;
        }
    }
    std::sort(runs.begin(), runs.end());
    std::printf("a date-summary episode of %d sources, %d parameters and %d maps (%d pages, %d objects)\n",
                Sources, Params, Maps, pages, objects);
    std::printf("  median %.2f ms (min %.2f, max %.2f); limit 60 ms\n", runs[runs.size() / 2], runs.front(),
                runs.back());
    return runs[runs.size() / 2] < 60 ? 0 : 1;
}
