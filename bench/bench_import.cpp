// SPDX-License-Identifier: GPL-3.0-or-later
// Import of a large Tab-separated file (400,000 records of 20 parameters, 50 sources) through
// ImportGWData, as the Import menu runs it: its time and its peak memory above the process's
// memory at rest just before, beside the sqlite3 command line's .import of the same file into a
// table of the same shape and index, run as a process of its own (its time from start to exit,
// its peak memory as the kernel counted it).
#include "platform/dates.h"
#include "platform/progfolder.h"
#include "platform/sampledb.h"
#include "project/importexport.h"
#include "project/modgw.h"
#include "project/sampledbops.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <malloc.h>
#include <string>
#include <sys/resource.h>

namespace {

double seconds(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e9;
}

// A field of /proc/self/status in kB ("VmRSS", "VmHWM").
long statusKb(const char* field) {
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ':';
    while (std::getline(in, line))
        if (line.rfind(key, 0) == 0) return std::stol(line.substr(key.size()));
    return -1;
}

// The peak from here on starts at the memory held now.
void resetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
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
    constexpr int records = 400000;
    constexpr int params = 20;
    constexpr int sources = 50;
    qdate::SetDayFirst(0);

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

    // Written a block at a time, so that making the file leaves no memory behind to hide the
    // import's. 50 sources sampled once a week, every tenth record a duplicate, "<" values and "-".
    const QString data = folder + QStringLiteral("data.txt");
    {
        QFile f(data);
        if (!f.open(QIODevice::WriteOnly)) return 1;
        QByteArray block;
        const QDate first(1985, 1, 7);
        for (int i = 0; i < records; ++i) {
            block += QStringLiteral("MW-%1\t%2\t%3")
                         .arg(i % sources + 1)
                         .arg(qdate::Format(first.addDays(i / sources % 5000)), i % 10 == 9 ? "D" : "")
                         .toLatin1();
            for (int p = 1; p <= params; ++p) {
                const int x = (i * 31 + p * 17) % 1000;
                block += '\t';
                block += x < 50 ? QByteArray("<0.5") : x < 60 ? QByteArray("-") : QByteArray::number(x / 10.0);
            }
            block += "\r\n";
            if (block.size() > (1 << 20)) {
                f.write(block);
                block.clear();
            }
        }
        f.write(block);
    }
    const double fileMb = double(QFile(data).size()) / 1e6;

    if (!CreateDb()) return 1;
    m.DialogFileName = data;
    m.ExchangeFormat = exchange::Tab;
    malloc_trim(0);
    const long restKb = statusKb("VmRSS");
    resetPeak();
    QElapsedTimer t;
    t.start();
    if (!ImportGWData()) return 1;
    const double import = seconds(t);
    const long peakKb = statusKb("VmHWM");
    const qint64 imported = recordCount(m.DatabaseFile);

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
    if (!cli.waitForFinished(300000) || cli.exitCode() != 0) {
        std::fprintf(stderr, "sqlite3 failed: %s\n", cli.readAllStandardError().constData());
        return 1;
    }
    const double cliImport = seconds(t);
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children); // sqlite3 is the only child: its peak resident memory

    std::printf("file: %d records, %.1f MB; imported %lld, sqlite3 stored %s", records, fileMb, imported,
                cli.readAllStandardOutput().constData());
    std::printf("import time         %7.3f s   (ImportGWData: both passes, checks, one transaction)\n", import);
    std::printf("sqlite3 .import     %7.3f s   (sqlite3 process from start to exit, same table and index)\n",
                cliImport);
    std::printf("time ratio          %7.2f     (import / sqlite3; 1.30 at most)\n", import / cliImport);
    std::printf("memory at rest      %7.1f MB  (this process before the import, VmRSS)\n", restKb / 1024.0);
    std::printf("import peak         %7.1f MB  (VmHWM during the import, less the memory at rest; under 60)\n",
                (peakKb - restKb) / 1024.0);
    std::printf("sqlite3 peak        %7.1f MB  (the sqlite3 process's whole peak resident memory)\n",
                children.ru_maxrss / 1024.0);
    return 0;
}
