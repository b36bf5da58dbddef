// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/progfolder.h"

#include "platform/dates.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"
#include "platform/uiservice.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
QString& overrideFolder() {
    static QString f;
    return f;
}
} // namespace

QString ProgramFolder() {
    QString f = overrideFolder();
    if (f.isEmpty()) {
        QString base = qEnvironmentVariable("XDG_DATA_HOME");
        if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.local/share");
        f = base + QStringLiteral("/qmar2002");
    }
    if (!f.endsWith(u'/')) f += u'/';
    return f;
}

namespace {
bool& folderIsNew() {
    static bool created = false;
    return created;
}
} // namespace

void SetProgramFolder(const QString& folder) {
    overrideFolder() = folder;
    folderIsNew() = false;
}

QString ResourceFolder() {
    const QString env = qEnvironmentVariable("QMAR_RESOURCES");
    QString f = env.isEmpty() ? QStringLiteral(QMAR_RESOURCE_DIR) : env;
    if (!f.endsWith(u'/')) f += u'/';
    return f;
}

QString BuiltResourceFolder() {
    QString f = qEnvironmentVariable("QMAR_BUILT_RESOURCES");
#ifdef QMAR_BUILT_RESOURCE_DIR
    if (f.isEmpty()) f = QStringLiteral(QMAR_BUILT_RESOURCE_DIR);
#endif
    if (!f.isEmpty() && !f.endsWith(u'/')) f += u'/';
    return f;
}

namespace {
// A whole field "mm/dd/yyyy": the demo's shipped dates (tab-separated in the project files, comma-
// separated in the definitions' date pairs).
QString reorderDate(const QString& field, int dayFirst) {
    static const QRegularExpression shipped(QStringLiteral("^\\d\\d/\\d\\d/\\d\\d\\d\\d$"));
    if (!shipped.match(field).hasMatch()) return field;
    const std::optional<QDate> d = qdate::Parse(field, 0);
    return d ? qdate::Format(*d, dayFirst) : field;
}

// The demo's text files: the project, its records and its report definitions.
bool holdsDemoDates(const QString& rel) {
    static const QRegularExpression textFile(QStringLiteral("\\.(qlp|txt|wsf|psf|gwf|stf|dsf|dcf)$"),
                                             QRegularExpression::CaseInsensitiveOption);
    return rel.startsWith(QLatin1String("demo/")) && textFile.match(rel).hasMatch();
}

// The copy of one shipped file, its dates in the user's order where it holds demo dates.
QByteArray seededBytes(const QString& from, const QString& rel, int dayFirst) {
    QByteArray bytes = qtext::ReadBytes(from);
    if (!holdsDemoDates(rel)) return bytes;
    QStringList lines = qtext::SplitLines(qtext::Decode(bytes));
    for (QString& line : lines) {
        QStringList fields = line.split(u'\t');
        for (QString& f : fields) {
            QStringList parts = f.split(u',');
            for (QString& part : parts)
                part = reorderDate(part, dayFirst);
            f = parts.join(u',');
        }
        line = fields.join(u'\t');
    }
    QString text;
    for (const QString& l : lines)
        text += l + QLatin1String("\r\n");
    return qtext::Encode(text);
}

struct SeedFailures {
    int count = 0;
    int number = 0;
    QString first;
};

void copyMissing(const QString& src, const QString& dest, int dayFirst, SeedFailures& failed) {
    if (src.isEmpty() || !QFileInfo(src).isDir()) return;
    QDirIterator it(src, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString rel = QDir(src).relativeFilePath(from);
        const QString to = dest + rel;
        if (QFileInfo::exists(to)) continue;
        try {
            if (!QDir().mkpath(QFileInfo(to).absolutePath())) raiseError(qmerr::PathNotFound, to);
            qtext::WriteBytes(to, seededBytes(from, rel, dayFirst));
        } catch (const QmError& e) {
            if (failed.count++ == 0) {
                failed.number = e.number();
                failed.first = rel;
            }
        }
    }
}
} // namespace

bool ProgramFolderIsNew() {
    return folderIsNew();
}

bool SeedProgramFolder(int dayFirst) {
    const QString dest = ProgramFolder();
    const bool existed = QFileInfo(dest).isDir();
    if (!QDir().mkpath(dest)) return false;
    folderIsNew() = !existed;
    SeedFailures failed;
    copyMissing(ResourceFolder(), dest, dayFirst, failed);
    copyMissing(BuiltResourceFolder(), dest, dayFirst, failed);
    const QString recent = dest + QStringLiteral("qmarrecent.txt");
    const QStringList demos =
        QDir(dest + QStringLiteral("demo")).entryList({QStringLiteral("*.qlp")}, QDir::Files, QDir::Name);
    // An incomplete folder names no demo (one without its database is no project to open); the next
    // start completes the folder and names it then.
    if (failed.count == 0 && !demos.isEmpty() && !QFileInfo::exists(recent)) {
        QStringList lines(10);
        lines[0] = dest + QStringLiteral("demo/") + demos.first();
        try {
            qtext::WriteLines(recent, lines);
        } catch (const QmError& e) {
            failed.count = 1;
            failed.number = e.number();
            failed.first = QStringLiteral("qmarrecent.txt");
        }
    }
    if (failed.count > 0) {
        QString text = QStringLiteral("Error %1: \"%2\"").arg(failed.number).arg(failed.first);
        if (failed.count == 2) text += QStringLiteral(" and 1 other file");
        if (failed.count > 2) text += QStringLiteral(" and %1 other files").arg(failed.count - 1);
        text += QStringLiteral(" could not be written into the program folder %1.").arg(dest);
        ui().MsgBox(text, vb::Exclamation);
    }
    return true;
}

bool SeedProgramFolder() {
    // The order start-up will take from the system, found without fixing it yet.
    const qdate::DateOrder kept = qdate::order();
    qdate::SetOrderFromSystem();
    const int dayFirst = qdate::order().DayFirst;
    qdate::order() = kept;
    return SeedProgramFolder(dayFirst);
}
