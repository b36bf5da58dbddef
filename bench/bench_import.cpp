// SPDX-License-Identifier: GPL-3.0-or-later
// Import of a large Tab-separated file (400,000 records of 20 parameters, 50 sources) through
// ImportGWData, as the Import menu runs it: its time and its peak memory above the process's
// memory at rest just before, beside the sqlite3 command line's .import of the same file into a
// table of the same shape and index, run as a process of its own (its time from start to exit,
// its peak memory as the kernel counted it).
#include "benchsupport.h"
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

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    constexpr int records = 400000;
    constexpr int params = 20;
    constexpr int sources = 50;

    ModGW& m = modgw();
    const QStringList names = bench::setUpSampleProject(dir.path(), params, sources);

    // Written a block at a time, so that making the file leaves no memory behind to hide the
    // import's.
    const QString data = folder + QStringLiteral("data.txt");
    {
        QFile f(data);
        if (!f.open(QIODevice::WriteOnly)) return 1;
        QByteArray block;
        for (int i = 0; i < records; ++i) {
            block += bench::sampleRecordLine(i, params, sources).toLatin1() + "\r\n";
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
    const qint64 imported = bench::recordCount(m.DatabaseFile);

    // The command line's import into a table of the same shape.
    QByteArray stored;
    const double cliImport = bench::cliImport(folder + QStringLiteral("cli.db"), data, names, stored);
    if (cliImport < 0) return 1;
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children); // sqlite3 is the only child: its peak resident memory

    std::printf("file: %d records, %.1f MB; imported %lld, sqlite3 stored %s", records, fileMb, imported,
                stored.constData());
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
