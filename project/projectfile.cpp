// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/projectfile.h"

#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"
#include "platform/uiservice.h"
#include "project/modgw.h"

namespace {

QString rtrimBlanks(QString s) {
    qsizetype n = s.size();
    while (n > 0 && s[n - 1] == u' ')
        --n;
    s.truncate(n);
    return s;
}

int readCount(qtext::LineReader& in, int max) {
    const int n = qnum::ReadInt16(in.next());
    if (n > max) raiseError(qmerr::Subscript);
    return n;
}

} // namespace

QStringList SplitRecord(const QString& line, int n, bool tabToo) {
    QStringList out;
    QString rest = line;
    for (int i = 1; i < n; ++i) {
        qsizetype p = rest.indexOf(u'|');
        if (p < 0 && tabToo) p = rest.indexOf(u'\t');
        if (p < 0) raiseError(qmerr::InvalidArgument);
        out << rtrimBlanks(rest.left(p));
        rest = rest.mid(p + 1);
    }
    out << rest;
    return out;
}

ProjectData ReadProjectFile(const QString& path) {
    ProjectData d;
    qtext::LineReader in(path);
    in.next(); // the first line carries nothing
    for (QString& c : d.clientInfo)
        c = in.next();
    const int sources = readCount(in, ModGW::MaxSources);
    for (int i = 0; i < sources; ++i) {
        const QStringList f = SplitRecord(in.next(), 4, true);
        SourceRow r;
        std::copy(f.begin(), f.end(), r.begin());
        d.sources << r;
    }
    const int params = readCount(in, ModGW::MaxParams);
    for (int i = 0; i < params; ++i) {
        const QStringList f = SplitRecord(in.next(), 10, true);
        ParamRow r;
        std::copy(f.begin(), f.end(), r.begin());
        d.params << r;
    }
    if (!in.atEnd()) d.reportStartDate = in.next();
    if (!in.atEnd()) d.reportEndDate = in.next();
    if (!in.atEnd()) d.lessThanFactor = in.next();
    return d;
}

ProjectData ProjectData::fromModGW(const ModGW& m) {
    ProjectData d;
    std::copy(m.ClientInfo.begin() + 1, m.ClientInfo.end(), d.clientInfo.begin());
    for (int i = 1; i <= m.NumSources; ++i)
        d.sources << SourceRow{m.SourceTable[i][1], m.SourceTable[i][2], m.SourceTable[i][3],
                               m.SourceTable[i][4]};
    for (int i = 1; i <= m.NumParams; ++i) {
        ParamRow r;
        std::copy(m.ParamTable[i].begin() + 1, m.ParamTable[i].end(), r.begin());
        d.params << r;
    }
    d.reportStartDate = m.ReportStartDate;
    d.reportEndDate = m.ReportEndDate;
    d.lessThanFactor = m.LessThanFactor;
    return d;
}

void ProjectData::toModGW(ModGW& m) const {
    std::copy(clientInfo.begin(), clientInfo.end(), m.ClientInfo.begin() + 1);
    // Rows past the new counts are emptied: the procedures read a table only up to its count, but a
    // row that later comes back into use must not bring old values with it.
    for (int i = 1; i <= std::min(m.NumSources, int(ModGW::MaxSources)); ++i)
        m.SourceTable[i] = {};
    for (int i = 1; i <= std::min(m.NumParams, int(ModGW::MaxParams)); ++i)
        m.ParamTable[i] = {};
    m.NumSources = int(sources.size());
    for (int i = 1; i <= m.NumSources; ++i)
        std::copy(sources[i - 1].begin(), sources[i - 1].end(), m.SourceTable[i].begin() + 1);
    m.NumParams = int(params.size());
    for (int i = 1; i <= m.NumParams; ++i)
        std::copy(params[i - 1].begin(), params[i - 1].end(), m.ParamTable[i].begin() + 1);
    if (reportStartDate) m.ReportStartDate = *reportStartDate;
    if (reportEndDate) m.ReportEndDate = *reportEndDate;
    if (lessThanFactor) m.LessThanFactor = *lessThanFactor;
}

QStringList ProjectFileLines() {
    const ProjectData d = ProjectData::fromModGW(modgw());
    QStringList out;
    out << QString();
    out += QStringList(d.clientInfo.begin(), d.clientInfo.end());
    out << QString::number(d.sources.size());
    for (const SourceRow& r : d.sources)
        out << QStringList(r.begin(), r.end()).join(u'|');
    out << QString::number(d.params.size());
    for (const ParamRow& r : d.params)
        out << QStringList(r.begin(), r.end()).join(u'|');
    out << *d.reportStartDate << *d.reportEndDate << *d.lessThanFactor;
    return out;
}

void WriteProjectFile(const QString& path) {
    qtext::WriteLines(path, ProjectFileLines());
}

QList<ParamRow> ReadParameterSet(const QString& path) {
    qtext::LineReader in(path);
    const int n = qnum::ReadInt16(in.next());
    QList<ParamRow> out;
    for (int i = 0; i < n; ++i) {
        const QStringList f = SplitRecord(in.next(), 10, false);
        ParamRow r;
        std::copy(f.begin(), f.end(), r.begin());
        out << r;
    }
    return out;
}

void WriteParameterSet(const QString& path, const QList<ParamRow>& rows) {
    QStringList out;
    out << QString::number(rows.size());
    for (const ParamRow& r : rows)
        out << QStringList(r.begin(), r.end()).join(u'|');
    qtext::WriteLines(path, out);
}

bool OpenProjectInfo() {
    ModGW& m = modgw();
    if (!FileExists(m.ProjectFile)) {
        warn(QStringLiteral("Cannot open project because ") + m.ProjectFile +
             QStringLiteral(" file is missing"));
        return false;
    }
    ProjectData d;
    // Read whole first: a file that fails part way leaves the open project's tables intact.
    if (!trap(QStringLiteral("OpenProjectInfo"), [&] { d = ReadProjectFile(m.ProjectFile); })) return false;
    d.toModGW(m);
    return true;
}

void ClearProjArrays() {
    ProjectData().toModGW(modgw());
}

bool LoadParameters(QList<ParamRow>& list) {
    return trap(QStringLiteral("LoadParameters"), [&] {
        const QList<ParamRow> set = ReadParameterSet(modgw().DialogFileName);
        if (list.size() + set.size() > ModGW::MaxParams) raiseError(qmerr::Subscript);
        list += set;
    });
}

ProjectSnapshot::ProjectSnapshot() {
    const ModGW& m = modgw();
    ProjectFile = m.ProjectFile;
    DatabaseFile = m.DatabaseFile;
    DataFolder = m.DataFolder;
    tables = ProjectData::fromModGW(m);
    CurrentSource = m.CurrentSource;
}

void ProjectSnapshot::restore() const {
    ModGW& m = modgw();
    m.ProjectFile = ProjectFile;
    m.DatabaseFile = DatabaseFile;
    m.DataFolder = DataFolder;
    tables.toModGW(m);
    m.CurrentSource = CurrentSource;
}
