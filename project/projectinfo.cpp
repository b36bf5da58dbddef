// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/projectinfo.h"

#include "platform/filenames.h"
#include "platform/files.h"
#include "platform/textfile.h"
#include "platform/uiservice.h"
#include "project/helpers.h"
#include "project/modgw.h"
#include "project/sampledbops.h"
#include "project/typeddates.h"

#include <QFile>
#include <algorithm>
#include <tuple>

namespace {

const QString kProjectFilter = QStringLiteral("Quillmare Project Files (*.qlp)|*.qlp|");

QString rtrimBlanks(QString s) {
    while (s.endsWith(u' '))
        s.chop(1);
    return s;
}

// A field that would break the record line it is written into.
bool breaksRecord(const QString& s) {
    return s.contains(u'|') || s.contains(u'\t') || s.contains(u'\r') || s.contains(u'\n');
}

template <class Rows> QString unwritableRow(const Rows& rows, const QString& what) {
    for (int r = 0; r < rows.size(); ++r)
        for (const QString& f : rows[r])
            if (breaksRecord(f))
                return QStringLiteral(
                           "%1 row %2 holds a \"|\", a Tab or a line break.  Please remove it and try again.")
                    .arg(what)
                    .arg(r + 1);
    return {};
}

// Why the parameter names cannot be taken, "" when they can. Leaves them in NewParamNames.
QString invalidParameters(const QList<ParamRow>& params) {
    ModGW& m = modgw();
    m.NewParamCount = int(params.size());
    for (int i = 1; i <= m.NewParamCount; ++i)
        m.NewParamNames[i] = params[i - 1][0];
    for (int i = 1; i <= m.NewParamCount; ++i) {
        const QString& name = m.NewParamNames[i];
        if (name.isEmpty())
            return QStringLiteral("Parameter Name #%1 is empty.  Please name it and try again.").arg(i);
        if (name.contains(u'.'))
            return QStringLiteral(
                       "Parameter Name #%1 is invalid because it contains a period.  Please rename "
                       "it and try again.")
                .arg(i);
        for (const char* own : {"Source", "Samp_Date", "Dup"})
            if (name.compare(QLatin1String(own), Qt::CaseInsensitive) == 0)
                return QStringLiteral("Parameter Name #%1 is invalid because Source, Samp_Date and Dup are "
                                      "fields of the database.  Please rename it and try again.")
                    .arg(i);
    }
    QStringList upper;
    for (int i = 1; i <= m.NewParamCount; ++i)
        upper << m.NewParamNames[i].toUpper();
    upper.sort();
    for (qsizetype i = 1; i < upper.size(); ++i)
        if (upper[i] == upper[i - 1])
            return QStringLiteral("Duplicate Parameters Found - Rename and Try Again.");
    return {};
}

// Why the fields cannot be taken, "" when they can.
QString refusal(const ProjectInfoFields& f) {
    // Each box is one line of the project file.
    for (const auto& [box, name] :
         {std::pair{&f.reportStartDate, "Start Date"}, std::pair{&f.reportEndDate, "End Date"},
          std::pair{&f.lessThanFactor, "\"<\" Factor"}})
        if (box->contains(u'\r') || box->contains(u'\n'))
            return QStringLiteral("The %1 holds a line break.  Please remove it and try again.")
                .arg(QLatin1String(name));
    for (const auto& [box, field] : {std::pair{&f.reportStartDate, typeddates::Field::ReportStart},
                                     std::pair{&f.reportEndDate, typeddates::Field::ReportEnd}})
        if (QString why = typeddates::Problem(field, *box); !why.isEmpty()) return why;
    // The tables hold 500 rows; inserting rows can make a full grid longer than that.
    for (const auto& [rows, limit, what] : {std::tuple{f.sources.size(), ModGW::MaxSources, "Source List"},
                                            std::tuple{f.params.size(), ModGW::MaxParams, "Parameter List"}})
        if (rows > limit)
            return QStringLiteral("The %1 holds more than %2 rows.  Please delete some and try again.")
                .arg(QLatin1String(what))
                .arg(limit);
    QString why = unwritableRow(f.sources, QStringLiteral("Source"));
    if (why.isEmpty()) why = UnwritableParameters(f.params);
    if (why.isEmpty()) why = invalidParameters(f.params);
    return why;
}

// The client lines of the text, or nullopt when Text2Array refused it (and said so).
std::optional<std::array<QString, 10>> clientLines(QString text) {
    ModGW& m = modgw();
    m.TextLineCount = 0;
    text.replace(u'\n', QStringLiteral("\r\n"));
    Text2Array(text);
    if (m.TextLineCount == 0 && !text.trimmed().isEmpty()) return std::nullopt; // too many lines
    std::array<QString, 10> client;
    for (int i = 1; i <= 10 && i <= m.TextLineCount; ++i)
        client[i - 1] = m.TextLines[i];
    return client;
}

// Whether the names differ from those the form opened with (OldParamNames); letter case and order
// count.
bool parameterNamesChanged() {
    const ModGW& m = modgw();
    if (m.NewParamCount != m.OldParamCount) return true;
    for (int i = 1; i <= m.NewParamCount; ++i)
        if (m.NewParamNames[i] != m.OldParamNames[i]) return true;
    return false;
}

ProjectInfoResult failed(std::optional<QmError> error = std::nullopt) {
    return {ProjectInfoOutcome::Failed, {}, std::move(error)};
}

// Rebuilds the database, then puts the staged project file in place.
ProjectInfoResult redefine(const ProjectSnapshot& before, bool hadFile, qtext::PendingFile& staged) {
    if (!RedefineDb()) {
        // The staged file is dropped; a project file that could not be read gets the project as it
        // stood before OK rather than nothing.
        before.restore();
        if (!hadFile) {
            try {
                WriteProjectFile(modgw().ProjectFile);
            } catch (const QmError& e) {
                return failed(e);
            }
        }
        return failed();
    }
    // The tables now match the rebuilt database: the form closes even when the file cannot be put in
    // place, and the next OK of the form writes it.
    try {
        staged.commit();
    } catch (const QmError& e) {
        return {ProjectInfoOutcome::Redefined, {}, e};
    }
    return {ProjectInfoOutcome::Redefined, {}, std::nullopt};
}

} // namespace

QString UnwritableParameters(const QList<ParamRow>& rows) {
    return unwritableRow(rows, QStringLiteral("Parameter"));
}

ProjectInfoFields LoadProjectInfo() {
    ModGW& m = modgw();
    ProjectInfoFields f;
    f.reportStartDate = m.ReportStartDate;
    f.reportEndDate = m.ReportEndDate;
    f.lessThanFactor = m.LessThanFactor;
    if (m.NewProjectMode == -1) return f;
    const ProjectData d = ProjectData::fromModGW(m);
    m.OldParamCount = int(d.params.size());
    for (int i = 1; i <= m.OldParamCount; ++i)
        m.OldParamNames[i] = d.params[i - 1][0];
    // Lines 1 to 9 lose their trailing blanks; the last one is shown as it is.
    for (int i = 0; i < 9; ++i)
        f.clientText += rtrimBlanks(d.clientInfo[i]) + u'\n';
    f.clientText += d.clientInfo[9];
    f.sources = d.sources;
    f.params = d.params;
    return f;
}

ProjectInfoResult ApplyProjectInfo(const ProjectInfoFields& fields, const ConfirmRedefine& confirmRedefine) {
    ModGW& m = modgw();
    m.RedefineConfirmed = 0;

    // Everything is read and checked before the project changes.
    const auto client = clientLines(fields.clientText);
    if (!client) return failed();
    if (QString why = refusal(fields); !why.isEmpty())
        return {ProjectInfoOutcome::Refused, why, std::nullopt};

    const bool newProject = m.NewProjectMode == -1;
    m.ParamsChanged = 0;
    if (!newProject && parameterNamesChanged()) {
        m.ParamsChanged = -1;
        m.RedefineConfirmed = confirmRedefine && confirmRedefine() ? -1 : 0;
    }
    const bool redefining = m.RedefineConfirmed == -1;
    const bool takeParams = newProject || m.ParamsChanged == 0 || redefining;

    QString newFile, newDb;
    if (newProject) {
        FileDialogRequest r;
        r.save = true;
        r.title = QStringLiteral("Save Project As...");
        r.filter = kProjectFilter;
        r.initDir = m.CentralDataPath;
        r.overwritePrompt = true;
        newFile = ui().FileDialog(r);
        if (newFile.isEmpty()) return {ProjectInfoOutcome::SaveCancelled, {}, std::nullopt};
        newDb = newFile.left(newFile.size() - 4) + QStringLiteral(".mdb");
        if (FileExists(newDb))
            return {ProjectInfoOutcome::Refused,
                    QStringLiteral("The database %1 already exists.  Please choose another project name.")
                        .arg(newDb),
                    std::nullopt};
    }

    const ProjectSnapshot before;
    // A rebuilt database and its project file go together: the new file is staged beside the old one
    // and put in place only once the database is rebuilt, so a failed rebuild leaves both as they were.
    const bool hadFile = redefining && FileExists(m.ProjectFile);
    ProjectData d;
    d.clientInfo = *client;
    d.sources = fields.sources;
    d.params = takeParams ? fields.params : before.tables.params;
    d.reportStartDate = fields.reportStartDate;
    d.reportEndDate = fields.reportEndDate;
    d.lessThanFactor = fields.lessThanFactor;
    d.toModGW(m);

    if (newProject) {
        m.ProjectFile = newFile;
        m.DatabaseFile = newDb;
        m.DataFolder = qfile::FolderOf(newFile);
        if (!CreateDb()) {
            before.restore();
            return failed();
        }
    }
    std::optional<qtext::PendingFile> staged;
    try {
        if (redefining)
            staged.emplace(m.ProjectFile, ProjectFileLines());
        else
            WriteProjectFile(m.ProjectFile);
    } catch (const QmError& e) {
        if (newProject) QFile::remove(qfile::Resolve(newDb));
        before.restore();
        return failed(e);
    }
    if (redefining) return redefine(before, hadFile, *staged);
    if (newProject) return {ProjectInfoOutcome::Created, {}, std::nullopt};
    if (m.ParamsChanged == -1) return {ProjectInfoOutcome::KeptParameters, {}, std::nullopt};
    return {ProjectInfoOutcome::Saved, {}, std::nullopt};
}
