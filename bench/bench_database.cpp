// SPDX-License-Identifier: GPL-3.0-or-later
// The bulk database work on 100,000 records of 20 parameters: import of a Tab-separated file, export
// of the same, and a restructure (one parameter renamed, one added). For scale, the sqlite3 command
// line's .import of the same rows into an empty table of the same shape, index included.
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

qint64 recordCount(const QString& path) {
    SampleDb db;
    db.open(path);
    QSqlQuery q = db.prepare(QStringLiteral("SELECT COUNT(*) FROM \"Data\""));
    SampleDb::exec(q);
    return q.next() ? q.value(0).toLongLong() : -1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    SetProgramFolder(dir.path() + QStringLiteral("/qmar2002"));
    const QString folder = dir.path() + u'/';
    constexpr int records = 100000;
    constexpr int params = 20;
    qdate::SetDayFirst(0);

    ModGW& m = modgw();
    m.NumParams = params;
    QStringList names;
    for (int p = 1; p <= params; ++p) {
        names << QStringLiteral("P%1").arg(p, 2, 10, QLatin1Char('0'));
        m.ParamTable[p][1] = names.last();
    }
    m.ProjectFile = folder + QStringLiteral("bench.qlp");
    m.DatabaseFile = folder + QStringLiteral("bench.mdb");
    m.DataFolder = folder;

    // 50 sources sampled once a week, every tenth record a duplicate; "<" values and "-" here and there.
    QStringList lines;
    lines.reserve(records);
    const QDate first(1985, 1, 7);
    for (int i = 0; i < records; ++i) {
        QStringList v{QStringLiteral("MW-%1").arg(i % 50 + 1), qdate::Format(first.addDays(7 * (i / 50))),
                      i % 10 == 9 ? QStringLiteral("D") : QString()};
        for (int p = 1; p <= params; ++p) {
            const int x = (i * 31 + p * 17) % 1000;
            v << (x < 50 ? QStringLiteral("<0.5") : x < 60 ? QStringLiteral("-") : QString::number(x / 10.0));
        }
        lines << v.join(u'\t');
    }
    const QString data = folder + QStringLiteral("data.txt");
    qtext::WriteLines(data, lines);

    if (!CreateDb()) return 1;
    m.DialogFileName = data;
    m.ExchangeFormat = exchange::Tab;
    QElapsedTimer t;
    t.start();
    if (!ImportGWData()) return 1;
    const double import = seconds(t);
    const qint64 imported = recordCount(m.DatabaseFile);

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
    const QString cliDb = folder + QStringLiteral("cli.db");
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
    t.restart();
    cli.start(QStringLiteral("sqlite3"), {cliDb});
    cli.write(script.toUtf8());
    cli.closeWriteChannel();
    if (!cli.waitForFinished(120000) || cli.exitCode() != 0) {
        std::fprintf(stderr, "sqlite3 failed: %s\n", cli.readAllStandardError().constData());
        return 1;
    }
    const double cliImport = seconds(t);

    std::printf("records: %lld imported (%d a file), sqlite3 stored %s", imported, records,
                cli.readAllStandardOutput().constData());
    std::printf("import      %7.3f s\n", import);
    std::printf("sqlite3     %7.3f s  (.import of the same rows, same table and index)\n", cliImport);
    std::printf("ratio       %7.2f    (import / sqlite3; 2.00 at most)\n", import / cliImport);
    std::printf("export      %7.3f s\n", exportTime);
    std::printf("restructure %7.3f s\n", restructure);
    return 0;
}
