// SPDX-License-Identifier: GPL-3.0-or-later
// The source summary's run data for 100 sources of 200 records each, with all 11 slots in use: the
// queries, the record lines and both files written. Limit 0.3 s.
#include "platform/dates.h"
#include "platform/progfolder.h"
#include "platform/sampledb.h"
#include "platform/textfile.h"
#include "project/modgw.h"
#include "reports/gwgraph.h"
#include "reports/rundata.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir home;
    SetProgramFolder(home.path() + QStringLiteral("/qmar2002"));
    QDir().mkpath(home.path() + QStringLiteral("/qmar2002"));
    constexpr int sources = 100;
    constexpr int records = 200;
    constexpr int params = 11;

    ModGW& m = modgw();
    m.DatabaseFile = home.path() + QStringLiteral("/big.mdb");
    m.NumParams = params;
    {
        QStringList names;
        for (int p = 1; p <= params; ++p) names << QStringLiteral("P%1").arg(p);
        SampleDb db;
        db.create(m.DatabaseFile, names);
        db.begin();
        const QDate first(1990, 1, 1);
        for (int s = 1; s <= sources; ++s) {
            for (int i = 0; i < records; ++i) {
                QStringList v{QStringLiteral("MW-%1").arg(s), qdate::ToIso(first.addDays(i * 7)),
                              i % 10 == 0 ? QStringLiteral("D") : QString()};
                for (int p = 1; p <= params; ++p) v << QString::number((i * 7 + p * s) % 1000 / 10.0);
                db.insert(v);
            }
        }
        db.commit();
    }
    m.WellSumFile = home.path() + QStringLiteral("/big.wsf");
    m.WellSum.NumWellList = sources;
    for (int j = 1; j <= WellSumDefinition::Slots; ++j) m.WellSum.WellSumGrid[j][1] = QString::number(j);
    GwGraph& g = gwgraph();
    g.NumSelected = sources;
    for (int i = 1; i <= sources; ++i) {
        g.SelectedNames[i] = QStringLiteral("MW-%1").arg(i);
        g.SelectedIndex[i] = int16_t(i);
    }

    std::vector<double> runs;
    for (int run = 0; run < 7; ++run) {
        QElapsedTimer t;
        t.start();
        if (!CreateWellData()) {
            std::fprintf(stderr, "CreateWellData failed\n");
            return 1;
        }
        runs.push_back(double(t.nsecsElapsed()) / 1e9);
    }
    const QStringList lines = qtext::ReadLines(rundata::DataFilePath(m.WellSumFile, QStringLiteral("WSD")));
    // Per source: name, caption, count, the records, the note count.
    if (lines.size() != sources * (records + 4) || lines.value(2) != QString::number(records)) {
        std::fprintf(stderr, "data file not as expected (%lld lines)\n", qlonglong(lines.size()));
        return 1;
    }
    std::sort(runs.begin(), runs.end());
    std::printf("CreateWellData, %d sources x %d records, %d slots: median %.3f s (min %.3f, max %.3f; "
                "limit 0.3 s)\n",
                sources, records, params, runs[runs.size() / 2], runs.front(), runs.back());
    return runs[runs.size() / 2] < 0.3 ? 0 : 1;
}
