// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/rundata.h"

#include "platform/dates.h"
#include "platform/numbers.h"
#include "platform/progfolder.h"
#include "platform/qmerror.h"
#include "platform/sampledb.h"
#include "platform/textfile.h"
#include "platform/uiservice.h"
#include "project/modgw.h"
#include "reports/gwgraph.h"

#include <QDate>
#include <QHash>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace rundata {

QString RunFilePath() { return ProgramFolder() + QLatin1String(RunFileName); }

QString DataFilePath(const QString& definitionPath, const QString& ext) {
    const QString dotExt = u'.' + ext;
    const qsizetype n = definitionPath.size();
    // Only a true extension is cut: a shorter name, or a "." that belongs to the folder, keeps
    // every character of the name.
    if (n >= 5 && definitionPath[n - 4] == u'.') {
        const QString tail = definitionPath.right(3);
        if (!tail.contains(u'/') && !tail.contains(u'.') && definitionPath[n - 5] != u'/')
            return definitionPath.left(n - 4) + dotExt;
    }
    return definitionPath + dotExt;
}

QString CutMean(float mean) {
    if (mean == 0.0f || !std::isfinite(mean)) return QStringLiteral("0");
    // The seven significant digits d1..d7 of |mean| and its decimal exponent e: |mean| reads as
    // d1.d2...d7 x 10^e.
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6e", std::fabs(double(mean)));
    const std::string text(buf);
    const std::string digits = text.substr(0, 1) + text.substr(2, 6);
    const int e = std::atoi(text.c_str() + text.find('e') + 1);
    // The whole part of |mean| x 10^k has e + k + 1 digits; three of them are kept.
    const int k = e < 0 ? 5 : e < 2 ? 2 : 0;
    const int whole = e + k + 1;
    if (whole <= 0) return QStringLiteral("0");
    const int kept = std::min(whole, 3);
    const std::string cut = digits.substr(0, size_t(kept)) + 'e' + std::to_string(e + 1 - kept);
    const double magnitude = std::strtod(cut.c_str(), nullptr);
    return qnum::ShortNum(mean < 0 ? -magnitude : magnitude);
}

} // namespace rundata

namespace {

// One source's dated records, in the query's order: the record line's head (date and Dup) and
// every field as stored text.
struct SourceRecord {
    QDate date;
    QString head;
    QStringList fields;
};

// Reads sources through one prepared statement on a connection of its own, each source once.
class RecordReader {
public:
    RecordReader() {
        db_.open(modgw().DatabaseFile);
        query_ = db_.prepare(QStringLiteral(
            R"(SELECT * FROM "Data" WHERE "Source" = ? ORDER BY "Samp_Date", "Dup")"));
    }

    const QList<SourceRecord>& records(const QString& source) {
        auto it = cache_.find(source);
        if (it != cache_.end()) return *it;
        QList<SourceRecord> list;
        query_.bindValue(0, source);
        SampleDb::exec(query_);
        const int count = query_.record().count();
        fieldCount_ = count;
        while (query_.next()) {
            const auto date = qdate::FromIso(query_.value(1).toString());
            if (!date) continue; // a record without a date belongs to no run
            SourceRecord r;
            r.date = *date;
            r.head = qdate::Format(*date) + query_.value(2).toString();
            r.fields.reserve(count);
            for (int i = 0; i < count; ++i) r.fields << query_.value(i).toString();
            list << r;
        }
        SampleDb::checkRead(query_);
        query_.finish();
        return *cache_.insert(source, list);
    }

    // The field position of parameter number p, or -1 for an empty column. A valid number the
    // table has no field for is an error.
    int position(int p) {
        if (p < 1 || p > modgw().NumParams) return -1;
        if (fieldCount_ < 0) fieldCount_ = db_.fields().size();
        if (p + 2 >= fieldCount_) throw QmError(dberr::ItemNotFound);
        return p + 2;
    }

private:
    SampleDb db_;
    QSqlQuery query_;
    QHash<QString, QList<SourceRecord>> cache_;
    int fieldCount_ = -1;
};

// The project's report window; a side whose text is no date stays open.
struct Window {
    std::optional<QDate> start = qdate::Parse(modgw().ReportStartDate);
    std::optional<QDate> end = qdate::Parse(modgw().ReportEndDate);
    bool holds(const QDate& d) const { return !(start && d < *start) && !(end && d > *end); }
};

// A parameter number as a definition grid holds it as text; 0 when empty or no number.
int ParamNumber(const QString& text) {
    bool ok = false;
    const int p = text.trimmed().toInt(&ok);
    return ok ? p : 0;
}

QString ParamField(int p, int field) {
    if (p < 1 || p > modgw().NumParams || p > ModGW::MaxParams) return {};
    return modgw().ParamTable[p][field];
}

QString Caption(const char* what, int index, int count) {
    return QStringLiteral("%1 %2 of %3").arg(QLatin1String(what)).arg(index).arg(count);
}

void AppendItemNotes(QStringList& out, int item) {
    const auto& notes = modgw().ReportNotes;
    if (item < 1 || item > ReportNotesBlock::MaxItems) {
        out << QStringLiteral("0");
        return;
    }
    const int m = qBound(0, int(notes.ItemNoteCount[item]), ReportNotesBlock::MaxLines);
    out << qnum::ShortNum(m);
    for (int k = 1; k <= m; ++k) out << notes.ItemNotes[item][k];
}

void AppendGeneralNotes(QStringList& out) {
    const auto& notes = modgw().ReportNotes;
    const int m = qBound(0, int(notes.GeneralNoteCount), ReportNotesBlock::MaxLines);
    out << qnum::ShortNum(m);
    for (int k = 1; k <= m; ++k) out << notes.GeneralNotes[k];
}

// n, then the source's record lines inside the window: head, then "," and each column's value.
void AppendRecords(QStringList& out, const QList<SourceRecord>& records, const QList<int>& columns,
                   const Window& window) {
    const qsizetype countAt = out.size();
    out << QString();
    int n = 0;
    for (const SourceRecord& r : records) {
        if (!window.holds(r.date)) continue;
        QString line = r.head;
        for (int pos : columns) {
            line += u',';
            if (pos >= 0) line += r.fields.value(pos);
        }
        out << line;
        ++n;
    }
    out[countAt] = qnum::ShortNum(n);
}

int SelectedCount() {
    return qBound(0, int(gwgraph().NumSelected), GwGraph::MaxSelected);
}

// Writes both files together: neither is touched unless both are ready.
void WriteRun(const QStringList& runLines, const QString& dataPath, const QStringList& dataLines) {
    qtext::PendingSet files;
    files.add(dataPath, dataLines);
    files.add(rundata::RunFilePath(), runLines); // the run file names the data: it goes last
    files.commit();
}

// The date summary's message has no "in": "Error 9 CreateDateData.  Please contact Kalvex".
template <class Step>
bool RunDateStep(Step step) {
    try {
        step();
        return true;
    } catch (const QmError& e) {
        ui().MsgBox(QStringLiteral("Error %1 CreateDateData.  Please contact Kalvex").arg(e.number()));
        return false;
    }
}

// "log.mas" of the date summary and the Stiff diagram: the data file, and the count between blanks.
QStringList EpisodeRunLines(const QString& dataPath, int count) {
    return {dataPath, QStringLiteral(" %1 ").arg(count)};
}

// A sampling episode of a definition, both ends counted.
struct Episode {
    QDate start;
    QDate end;
    bool holds(const QDate& d) const { return start <= d && d <= end; }
};

// Episode t of a definition's list; a position outside the list is error 9, a date text that is no
// date error 13.
template <class Episodes>
Episode EpisodeAt(const Episodes& episodes, int count, int t) {
    if (t < 1 || t > count || t >= int(episodes[1].size())) throw QmError(qmerr::Subscript);
    const auto start = qdate::Parse(episodes[1][t].trimmed());
    const auto end = qdate::Parse(episodes[2][t].trimmed());
    if (!start || !end) throw QmError(qmerr::TypeMismatch);
    return {*start, *end};
}

// The scale end of a date-summary column: the number after the first "," of the scale text.
QString ScaleEnd(const QString& scale) {
    const qsizetype comma = scale.indexOf(u',');
    if (comma < 0) return QStringLiteral("100");
    return qnum::ShortNum(qnum::LeadingNumber(QStringView(scale).mid(comma + 1)));
}

// Adds a value to a single-precision sum as the report arithmetic does: wide, then stored single.
void AddTo(float& sum, double v) { sum = float(double(sum) + v); }

// One source's values in an episode, one line per column: "-" without a record in the episode; else
// per column over the records that hold a text for it ("<" and "-" texts count and add 0): empty
// without one, the stored text of a single one, the cut mean of more. A record without a value must
// not pull the mean down. An empty column (position -1) has empty values.
void AppendDateValues(QStringList& out, const QList<SourceRecord>& records, const QList<int>& columns,
                      const Episode& episode) {
    std::vector<float> sums(size_t(columns.size()), 0.0f);
    std::vector<int> counts(size_t(columns.size()), 0);
    QStringList last(columns.size());
    bool anyRecord = false;
    for (const SourceRecord& r : records) {
        if (!episode.holds(r.date)) continue;
        anyRecord = true;
        for (qsizetype j = 0; j < columns.size(); ++j) {
            if (columns[j] < 0) continue;
            const QString& text = r.fields.value(columns[j]);
            if (text.isEmpty()) continue;
            AddTo(sums[size_t(j)], qnum::LeadingNumber(text));
            ++counts[size_t(j)];
            last[j] = text;
        }
    }
    for (qsizetype j = 0; j < columns.size(); ++j) {
        const int n = counts[size_t(j)];
        if (columns[j] < 0) out << QString();
        else if (!anyRecord) out << QStringLiteral("-");
        else if (n == 0) out << QString();
        else if (n == 1) out << last[j];
        else out << rundata::CutMean(float(double(sums[size_t(j)]) / n));
    }
}

// One Stiff source's means in an episode, one line per row, each over the records that hold a text
// for that row: a "<" text counts as the number after the sign times the "<" factor; "0" for a row
// without any such record, and for an empty row.
void AppendStiffValues(QStringList& out, const QList<SourceRecord>& records, const QList<int>& columns,
                       const Episode& episode, double lessThanFactor) {
    std::vector<float> sums(size_t(columns.size()), 0.0f);
    std::vector<int> counts(size_t(columns.size()), 0);
    for (const SourceRecord& r : records) {
        if (!episode.holds(r.date)) continue;
        for (qsizetype j = 0; j < columns.size(); ++j) {
            if (columns[j] < 0) continue;
            const QString& text = r.fields.value(columns[j]);
            if (text.isEmpty()) continue;
            if (text.startsWith(u'<'))
                AddTo(sums[size_t(j)], qnum::LeadingNumber(QStringView(text).mid(1)) * lessThanFactor);
            else
                AddTo(sums[size_t(j)], qnum::LeadingNumber(text));
            ++counts[size_t(j)];
        }
    }
    for (size_t j = 0; j < sums.size(); ++j)
        out << (counts[j] == 0 ? QStringLiteral("0") : qnum::ShortNum(float(double(sums[j]) / counts[j])));
}

} // namespace

bool CreateWellData() {
    return trap(QStringLiteral("CreateWellData"), [] {
        const ModGW& g = modgw();
        const auto& def = g.WellSum;
        const QString dataPath = rundata::DataFilePath(g.WellSumFile, QStringLiteral("WSD"));

        int valueColumns = 1;
        for (int j = WellSumDefinition::Slots; j >= 2; --j) {
            if (!def.WellSumGrid[j][1].trimmed().isEmpty()) {
                valueColumns = j;
                break;
            }
        }
        RecordReader reader;
        QList<int> columns;
        for (int j = 1; j <= valueColumns; ++j) columns << reader.position(ParamNumber(def.WellSumGrid[j][1]));

        const Window window;
        QStringList out;
        const int count = SelectedCount();
        for (int i = 1; i <= count; ++i) {
            const QString& name = gwgraph().SelectedNames[i];
            out << name << Caption("Source", gwgraph().SelectedIndex[i], def.NumWellList);
            AppendRecords(out, reader.records(name), columns, window);
            AppendItemNotes(out, gwgraph().SelectedIndex[i]);
        }
        WriteRun({g.WellSumFile, qnum::ShortNum(count)}, dataPath, out);
    });
}

bool CreatePar1Data() {
    return trap(QStringLiteral("CreatePar1Data"), [] {
        const ModGW& g = modgw();
        const auto& def = g.Par1Sum;
        const QString dataPath = rundata::DataFilePath(g.Par1SumFile, QStringLiteral("PSD"));
        RecordReader reader;
        const Window window;
        const int sources = qBound(0, int(def.Par1SourceCount), Par1SumDefinition::MaxPar1Sources);
        QStringList out;
        const int count = SelectedCount();
        for (int i = 1; i <= count; ++i) {
            const int p = gwgraph().SelectedParam[i];
            const QList<int> columns{reader.position(p)};
            out << ParamField(p, 6) << ParamField(p, 2) << ParamField(p, 3) << ParamField(p, 4)
                << Caption("Parameter", gwgraph().SelectedIndex[i], def.Par1ParCount);
            for (int s = 1; s <= sources; ++s) {
                out << def.Par1Sources[s];
                AppendRecords(out, reader.records(def.Par1Sources[s]), columns, window);
            }
            AppendItemNotes(out, gwgraph().SelectedIndex[i]);
        }
        WriteRun({g.Par1SumFile, qnum::ShortNum(count)}, dataPath, out);
    });
}

bool CreateGWElevData() {
    return trap(QStringLiteral("CreateGWElevData"), [] {
        const ModGW& g = modgw();
        const auto& def = g.GWElev;
        const QString dataPath = rundata::DataFilePath(g.GWElevFile, QStringLiteral("GWD"));
        RecordReader reader;
        const Window window;
        const int p = def.GWElevParameter;
        const QList<int> columns{reader.position(p)};
        const int count = SelectedCount();

        QStringList out;
        out << def.GWElevKind << ParamField(p, 2);
        for (int k = 1; k <= GWElevDefinition::InfoRows; ++k) out << def.GWElevInfo[k];
        AppendGeneralNotes(out);
        out << qnum::ShortNum(count);
        for (int i = 1; i <= count; ++i) {
            const int t = gwgraph().SelectedIndex[i];
            if (t < 1 || t > GWElevDefinition::MaxSets) throw QmError(qmerr::Subscript);
            out << Caption("Source Set", t, def.GWElevSetCount) << def.GWElevSetScales[t];
            int m = 0;
            for (int j = GWElevDefinition::Positions; j >= 1; --j) {
                if (!def.GWElevSetSources[t][j].isEmpty()) {
                    m = j;
                    break;
                }
            }
            out << qnum::ShortNum(m);
            for (int j = 1; j <= m; ++j) {
                const QString& name = def.GWElevSetSources[t][j];
                out << name << def.GWElevSetValues[t][j];
                if (name.isEmpty()) {
                    out << QStringLiteral("0"); // an empty position has no records
                    continue;
                }
                AppendRecords(out, reader.records(name), columns, window);
            }
            AppendItemNotes(out, t);
        }
        WriteRun({dataPath, qnum::ShortNum(count)}, dataPath, out);
    });
}

bool CreateDateData() {
    return RunDateStep([] {
        const ModGW& g = modgw();
        const auto& def = g.DateSum;
        // The reader holds 9 columns and 39 sources; a larger definition is refused whole.
        const int params = def.DateParCount;
        const int sources = def.DateSourceCount;
        if (params < 0 || params > 9 || sources < 0 || sources > 39) throw QmError(qmerr::Subscript);
        const int count = SelectedCount();
        QList<Episode> episodes;
        for (int i = 1; i <= count; ++i)
            episodes << EpisodeAt(def.DateEpisodes, def.DateEpisodeCount, gwgraph().SelectedIndex[i]);
        const QString dataPath = rundata::DataFilePath(g.DateSumFile, QStringLiteral("DSD"));

        RecordReader reader;
        QList<int> columns;
        QStringList out;
        out << qnum::ShortNum(params);
        for (int j = 1; j <= params; ++j) {
            const int p = def.DateParams[j];
            columns << reader.position(p);
            out << ParamField(p, 7) << ParamField(p, 8) << ParamField(p, 9) << ParamField(p, 2)
                << ParamField(p, 3) << ScaleEnd(ParamField(p, 4));
        }
        out << qnum::ShortNum(sources);
        for (int k = 1; k <= sources; ++k)
            for (int f = 1; f <= DateSumDefinition::SourceFields; ++f) out << def.DateSources[k][f];
        for (int k = 1; k <= 5; ++k) out << def.DateInfo[k];
        for (int k = 1; k <= DateSumDefinition::MapRows; ++k) out << def.DateMapInfo[k];
        AppendGeneralNotes(out);

        for (int i = 1; i <= count; ++i) {
            const int t = gwgraph().SelectedIndex[i];
            out << gwgraph().SelectedNames[i] << Caption("Episode", t, def.DateEpisodeCount);
            for (int k = 1; k <= sources; ++k)
                AppendDateValues(out, reader.records(def.DateSources[k][1]), columns, episodes[i - 1]);
            AppendItemNotes(out, t);
        }
        WriteRun(EpisodeRunLines(dataPath, count), dataPath, out);
    });
}

bool CreateStiffData() {
    return trap(QStringLiteral("CreateStiffData"), [] {
        const ModGW& g = modgw();
        const auto& def = g.Stiff;
        constexpr int Sets = StiffDefinition::Sets;
        // Each set's rows are those the form showed when the run started.
        for (int s = 1; s <= Sets; ++s) {
            if (def.StiffParCount[s] < 0 || def.StiffParCount[s] > StiffDefinition::ParamRows ||
                def.StiffSourceCount[s] < 0 || def.StiffSourceCount[s] > StiffDefinition::SourceRows)
                throw QmError(qmerr::Subscript);
        }
        const int count = SelectedCount();
        QList<Episode> episodes;
        for (int i = 1; i <= count; ++i)
            episodes << EpisodeAt(def.StiffEpisodes, def.StiffEpisodeCount, gwgraph().SelectedIndex[i]);
        const QString dataPath = rundata::DataFilePath(g.StiffFile, QStringLiteral("STD"));
        const double lessThanFactor = qnum::LeadingNumber(g.LessThanFactor);

        RecordReader reader;
        std::array<QList<int>, Sets + 1> columns;
        QStringList out;
        for (int s = 1; s <= Sets; ++s) {
            out << qnum::ShortNum(def.StiffParCount[s]);
            for (int r = 1; r <= def.StiffParCount[s]; ++r) {
                const int p = def.StiffParams[s][r];
                columns[s] << reader.position(p);
                out << ParamField(p, 6) << ParamField(p, 2) << ParamField(p, 4);
            }
            out << qnum::ShortNum(def.StiffSourceCount[s]);
        }
        AppendGeneralNotes(out);
        for (int k = 1; k <= StiffDefinition::InfoRows; ++k) out << def.StiffInfo[k];

        for (int i = 1; i <= count; ++i) {
            const int t = gwgraph().SelectedIndex[i];
            out << gwgraph().SelectedNames[i] << Caption("Episode", t, def.StiffEpisodeCount);
            for (int s = 1; s <= Sets; ++s) {
                for (int r = 1; r <= def.StiffSourceCount[s]; ++r) {
                    const QString& name = def.StiffSources[s][r];
                    out << name;
                    AppendStiffValues(out, reader.records(name), columns[s], episodes[i - 1], lessThanFactor);
                }
            }
            AppendItemNotes(out, t);
        }
        WriteRun(EpisodeRunLines(dataPath, count), dataPath, out);
    });
}
