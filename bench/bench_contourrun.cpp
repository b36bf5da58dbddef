// SPDX-License-Identifier: GPL-3.0-or-later
// The date contour run of the demo project with four maps over its ten sources, as the form's
// Preview runs it: the data files, then gridding, contouring and laying out the page on the
// program's own engine. Limit 2 s a run. With a file name, the last run's page is also written
// there as a PDF (or a PNG picture, by its extension), to be looked at.
#include "platform/contour/plotdoc.h"
#include "platform/drawing/drawrender.h"
#include "platform/progfolder.h"
#include "platform/uiservice.h"
#include "project/modgw.h"
#include "project/projectfile.h"
#include "reportdefs/datecontourfile.h"
#include "reportdefs/windowhooks.h"
#include "reports/contourdata.h"
#include "reports/contourrun.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Counts the boxes the run shows; the quiet service answers them and writes them out.
class CountingUi : public UiService {
public:
    int MsgBox(const QString& text, int, const QString&) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        ++boxes;
        return vb::OK;
    }
    std::optional<QString> InputBox(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    int boxes = 0;
};

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    CountingUi ui;
    setUi(&ui);
    QTemporaryDir home;
    const QString folder = home.path() + QStringLiteral("/qmar2002/");
    SetProgramFolder(folder);
    if (!SeedProgramFolder(0) || !QFile::exists(folder + QStringLiteral("demo/millbrook.mdb"))) {
        std::fprintf(stderr, "the demo project could not be set up (is the demo database built?)\n");
        return 2;
    }

    ModGW& m = modgw();
    m.ProjectFile = folder + QStringLiteral("demo/millbrook.qlp");
    m.DatabaseFile = folder + QStringLiteral("demo/millbrook.mdb");
    m.DataFolder = folder + QStringLiteral("demo/");
    if (!OpenProjectInfo()) return 2;
    m.DateSumFile = folder + QStringLiteral("demo/plume.dcf");
    const auto dcf = LoadDateContourFile(m.DateSumFile);
    if (!dcf) return 2;
    CommitDateContour(*dcf);
    m.ContourFileTitle = ContourFileTitleOf(m.DateSumFile);

    // Four parameters over all ten sources: groundwater elevation, conductivity, dissolved solids
    // and chloride, filled.
    auto& d = m.DateSum;
    const int params[] = {1, 3, 5, 11};
    d.DateParCount = 4;
    for (int j = 1; j <= 4; ++j) d.DateParams[j] = int16_t(params[j - 1]);
    d.DateSourceCount = int16_t(m.NumSources);
    for (int k = 1; k <= m.NumSources; ++k)
        for (int f = 1; f <= 3; ++f) d.DateSources[k][f] = m.SourceTable[k][f];
    d.DateMapInfo[6] = QStringLiteral("Y");

    const auto run = DateContourRun(CreateDateContourData, RunContourMaps);
    std::vector<double> ms;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        run();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    const auto docs = contour::engine().documents();
    const int objects = docs.empty() ? 0 : docs.back()->drawing().count();
    std::printf("date contour run, 4 maps over %d sources (data files, gridding, contours, page): "
                "median %.1f ms, slowest %.1f ms (limit 2000 ms); %d objects, %d messages\n",
                m.NumSources, ms[ms.size() / 2], ms.back(), objects, ui.boxes);

    if (argc > 1 && !docs.empty()) {
        const QString out = QString::fromLocal8Bit(argv[1]);
        if (out.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
            draw::writePng(docs.back()->drawing(), out, 150);
        else
            draw::writePdf(docs.back()->drawing(), out);
        std::printf("page written to %s\n", qPrintable(out));
    }
    setUi(nullptr);
    return ms.back() < 2000 && ui.boxes == 0 && objects > 0 ? 0 : 1;
}
