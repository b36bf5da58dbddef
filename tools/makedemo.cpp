// SPDX-License-Identifier: GPL-3.0-or-later
// Makes the demo project's sample database at build time with the program's own CreateDb and
// import, from the project file and its Tab-separated exchange file beside it:
//   makedemo <project.qlp> <database.mdb>
#include "platform/dates.h"
#include "platform/uiservice.h"
#include "project/importexport.h"
#include "project/modgw.h"
#include "project/projectfile.h"
#include "project/sampledbops.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace {
// Any message but the import's count of the records stored means the demo data is not as it
// should be.
class CountingUi : public UiService {
public:
    int boxes = 0;
    int MsgBox(const QString& text, int style, const QString&) override {
        if (style == vb::Information) return vb::OK;
        ++boxes;
        std::fprintf(stderr, "makedemo: %s\n", qPrintable(text));
        return vb::OK;
    }
    std::optional<QString> InputBox(const QString&, const QString&, const QString&) override { return {}; }
};
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: makedemo <project.qlp> <database.mdb>\n");
        return 2;
    }
    CountingUi ui;
    setUi(&ui);
    const QString project = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    const QString target = QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath();
    QDir().mkpath(QFileInfo(target).absolutePath());
    // Built under another name, so that a failed run leaves no database behind.
    const QString building = target + QStringLiteral(".building");
    QFile::remove(building);

    qdate::SetDayFirst(0); // the exchange file is written month first
    ModGW& m = modgw();
    m.ProjectFile = project;
    bool ok = OpenProjectInfo();
    if (ok) {
        m.DatabaseFile = building;
        m.DialogFileName = project.left(project.size() - 4) + QStringLiteral(".txt");
        m.ExchangeFormat = exchange::FormatOf(m.DialogFileName);
        ok = CreateDb() && ImportGWData();
    }
    setUi(nullptr);
    if (!ok || ui.boxes > 0) {
        QFile::remove(building);
        return 1;
    }
    QFile::remove(target);
    if (!QFile::rename(building, target)) return 1;
    return 0;
}
