// SPDX-License-Identifier: GPL-3.0-or-later
// The bulk database work on 100,000 records of 20 parameters: import of a Tab-separated file, export
// of the same, and a restructure (one parameter renamed, one added). For scale, the sqlite3 command
// line's .import of the same rows into an empty table of the same shape, index included.
#include "benchsupport.h"
#include "platform/dates.h"
#include "platform/progfolder.h"
#include "platform/sampledb.h"
#include "platform/textfile.h"
#include "project/importexport.h"
#include "project/modgw.h"
#include "project/sampledbops.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

double seconds(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    constexpr int records = 100000;
    constexpr int params = 20;

    ModGW& m = modgw();
    const QStringList names = bench::setUpSampleProject(dir.path(), params, 50);
    QStringList lines;
    lines.reserve(records);
    for (int i = 0; i < records; ++i)
        lines << bench::sampleRecordLine(i, params, 50);
    const QString data = folder + QStringLiteral("data.txt");
    qtext::WriteLines(data, lines);

    if (!CreateDb()) return 1;
    m.DialogFileName = data;
    m.ExchangeFormat = exchange::Tab;
    QElapsedTimer t;
    t.start();
    if (!ImportGWData()) return 1;
    const double import = seconds(t);
    const qint64 imported = bench::recordCount(m.DatabaseFile);

    m.DialogFileName = folder + QStringLiteral("out.txt");
    t.restart();
    if (!ExportGWData()) return 1;
    const double exportTime = seconds(t);

    // P01 becomes Q01 with its values, P21 is new and empty.
    m.NumParams = params + 1;
    m.ParamTable[1][1] = QStringLiteral("Q01");
    m.ParamTable[params + 1][1] = QStringLiteral("P21");
    m.OldParamCount = params + 1;
    for (int p = 1; p <= params; ++p)
        m.OldParamNames[p] = names[p - 1];
    m.OldParamNames[params + 1].clear();
    t.restart();
    if (!RedefineDb()) return 1;
    const double restructure = seconds(t);

    // The command line's import into a table of the same shape.
    QByteArray stored;
    const double cliImport = bench::cliImport(folder + QStringLiteral("cli.db"), data, names, stored);
    if (cliImport < 0) return 1;

    std::printf("records: %lld imported (%d a file), sqlite3 stored %s", imported, records, stored.constData());
    std::printf("import      %7.3f s\n", import);
    std::printf("sqlite3     %7.3f s  (.import of the same rows, same table and index)\n", cliImport);
    std::printf("ratio       %7.2f    (import / sqlite3; 2.00 at most)\n", import / cliImport);
    std::printf("export      %7.3f s\n", exportTime);
    std::printf("restructure %7.3f s\n", restructure);
    return 0;
}
