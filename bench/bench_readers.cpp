// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the last item of a 100-item source summary data file: 200 records of 11 values and 5 note
// lines a source, so the reader skips 99 blocks first. Limit 5 ms.
#include "platform/progfolder.h"
#include "platform/textfile.h"
#include "reports/runreaders.h"

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
    constexpr int items = 100;
    constexpr int records = 200;
    constexpr int columns = 11;
    constexpr int notes = 5;

    QStringList lines;
    for (int i = 1; i <= items; ++i) {
        lines << QStringLiteral("MW-%1").arg(i) << QStringLiteral("Source %1 of %2").arg(i).arg(items)
              << QString::number(records);
        for (int r = 0; r < records; ++r) {
            QString line = QStringLiteral("%1/%2/19%3")
                               .arg(r % 12 + 1, 2, 10, QChar(u'0'))
                               .arg(r % 28 + 1, 2, 10, QChar(u'0'))
                               .arg(80 + r / 12);
            for (int j = 1; j <= columns; ++j)
                line += QStringLiteral(",%1").arg((r * 7 + j * i) % 1000 / 10.0);
            lines << line;
        }
        lines << QString::number(notes);
        for (int k = 1; k <= notes; ++k)
            lines << QStringLiteral("Note %1 of source %2").arg(k).arg(i) + QChar(0xB6);
    }
    const QString definition = home.path() + QStringLiteral("/big.wsf");
    qtext::WriteLines(home.path() + QStringLiteral("/big.WSD"), lines);

    WellSumRun source;
    source.ReportFile = definition;
    source.SlotCount = columns;
    std::vector<double> runs;
    WellSumItem g;
    for (int run = 0; run < 21; ++run) {
        QElapsedTimer t;
        t.start();
        const auto item = readWellSumItem(source, items);
        if (!item) {
            std::fprintf(stderr, "getwellsumdata failed\n");
            return 1;
        }
        runs.push_back(double(t.nsecsElapsed()) / 1e6);
        g = *item;
    }
    if (g.ItemName != QStringLiteral("MW-100") || g.RecordCount != records ||
        g.RecordValues[records][columns].isEmpty() ||
        g.RunItemNotes[notes] != QStringLiteral("Note 5 of source 100")) {
        std::fprintf(stderr, "item 100 not read as written\n");
        return 1;
    }
    std::sort(runs.begin(), runs.end());
    std::printf("getwellsumdata, item %d of %d (%d records x %d columns each; %lld lines): median %.2f ms "
                "(min %.2f, max %.2f; limit 5 ms)\n",
                items, items, records, columns, qlonglong(lines.size()), runs[runs.size() / 2], runs.front(),
                runs.back());
    return runs[runs.size() / 2] < 5 ? 0 : 1;
}
