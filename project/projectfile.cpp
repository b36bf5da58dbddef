// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/projectfile.h"

#include "platform/numbers.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"
#include "platform/uiservice.h"
#include "project/helpers.h"
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

QStringList ProjectFileLines() {
    const ModGW& m = modgw();
    QStringList out;
    out << QString();
    for (int i = 1; i <= 10; ++i)
        out << m.ClientInfo[i];
    out << QString::number(m.NumSources);
    for (int i = 1; i <= m.NumSources; ++i) {
        const auto& r = m.SourceTable[i];
        out << QStringList({r[1], r[2], r[3], r[4]}).join(u'|');
    }
    out << QString::number(m.NumParams);
    for (int i = 1; i <= m.NumParams; ++i) {
        QStringList f;
        for (int k = 1; k <= 10; ++k)
            f << m.ParamTable[i][k];
        out << f.join(u'|');
    }
    out << m.ReportStartDate << m.ReportEndDate << m.LessThanFactor;
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
    try {
        // Read whole first: a file that fails part way leaves the open project's tables intact.
        d = ReadProjectFile(m.ProjectFile);
    } catch (const QmError& e) {
        showError(e, QStringLiteral("OpenProjectInfo"));
        return false;
    }
    ClearProjArrays();
    for (int i = 0; i < 10; ++i)
        m.ClientInfo[i + 1] = d.clientInfo[i];
    m.NumSources = int(d.sources.size());
    for (int i = 0; i < m.NumSources; ++i)
        for (int k = 0; k < 4; ++k)
            m.SourceTable[i + 1][k + 1] = d.sources[i][k];
    m.NumParams = int(d.params.size());
    for (int i = 0; i < m.NumParams; ++i)
        for (int k = 0; k < 10; ++k)
            m.ParamTable[i + 1][k + 1] = d.params[i][k];
    if (d.reportStartDate) m.ReportStartDate = *d.reportStartDate;
    if (d.reportEndDate) m.ReportEndDate = *d.reportEndDate;
    if (d.lessThanFactor) m.LessThanFactor = *d.lessThanFactor;
    return true;
}

void ClearProjArrays() {
    ModGW& m = modgw();
    for (int i = 1; i <= 10; ++i)
        m.ClientInfo[i].clear();
    for (int i = 1; i <= m.NumSources && i <= ModGW::MaxSources; ++i)
        for (int k = 1; k <= 4; ++k)
            m.SourceTable[i][k].clear();
    for (int i = 1; i <= m.NumParams && i <= ModGW::MaxParams; ++i)
        for (int k = 1; k <= 10; ++k)
            m.ParamTable[i][k].clear();
    m.NumSources = 0;
    m.NumParams = 0;
}

bool LoadParameters(QList<ParamRow>& list) {
    try {
        const QList<ParamRow> set = ReadParameterSet(modgw().DialogFileName);
        if (list.size() + set.size() > ModGW::MaxParams) raiseError(qmerr::Subscript);
        list += set;
        return true;
    } catch (const QmError& e) {
        showError(e, QStringLiteral("LoadParameters"));
        return false;
    }
}

struct ProjectState {
    QString ProjectFile, DatabaseFile, DataFolder;
    std::array<QString, 11> ClientInfo;
    QList<SourceRow> sources;
    QList<ParamRow> params;
    QString ReportStartDate, ReportEndDate, LessThanFactor;
    int CurrentSource = 0;
};

ProjectSnapshot::ProjectSnapshot() : state_(new ProjectState) {
    const ModGW& m = modgw();
    ProjectState& s = *state_;
    s.ProjectFile = m.ProjectFile;
    s.DatabaseFile = m.DatabaseFile;
    s.DataFolder = m.DataFolder;
    s.ClientInfo = m.ClientInfo;
    for (int i = 1; i <= m.NumSources; ++i)
        s.sources << SourceRow{m.SourceTable[i][1], m.SourceTable[i][2], m.SourceTable[i][3],
                               m.SourceTable[i][4]};
    for (int i = 1; i <= m.NumParams; ++i) {
        ParamRow r;
        for (int k = 0; k < 10; ++k)
            r[k] = m.ParamTable[i][k + 1];
        s.params << r;
    }
    s.ReportStartDate = m.ReportStartDate;
    s.ReportEndDate = m.ReportEndDate;
    s.LessThanFactor = m.LessThanFactor;
    s.CurrentSource = m.CurrentSource;
}

ProjectSnapshot::~ProjectSnapshot() {
    delete state_;
}

void ProjectSnapshot::restore() const {
    ModGW& m = modgw();
    const ProjectState& s = *state_;
    ClearProjArrays();
    m.ProjectFile = s.ProjectFile;
    m.DatabaseFile = s.DatabaseFile;
    m.DataFolder = s.DataFolder;
    m.ClientInfo = s.ClientInfo;
    m.NumSources = int(s.sources.size());
    for (int i = 0; i < m.NumSources; ++i)
        for (int k = 0; k < 4; ++k)
            m.SourceTable[i + 1][k + 1] = s.sources[i][k];
    m.NumParams = int(s.params.size());
    for (int i = 0; i < m.NumParams; ++i)
        for (int k = 0; k < 10; ++k)
            m.ParamTable[i + 1][k + 1] = s.params[i][k];
    m.ReportStartDate = s.ReportStartDate;
    m.ReportEndDate = s.ReportEndDate;
    m.LessThanFactor = s.LessThanFactor;
    m.CurrentSource = s.CurrentSource;
}
