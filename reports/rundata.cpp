// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/rundata.h"

#include "platform/dates.h"
#include "platform/numbers.h"
#include "platform/progfolder.h"
#include "platform/qmerror.h"
#include "platform/sampledb.h"
#include "platform/textfile.h"
#include "project/modgw.h"
#include "reports/gwgraph.h"

#include <QDate>
#include <QHash>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>

#include <optional>

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
    qtext::PendingFile data(dataPath, dataLines);
    qtext::PendingFile run(rundata::RunFilePath(), runLines);
    data.commit();
    run.commit();
}

template <class Step>
bool RunStep(const char* where, Step step) {
    try {
        step();
        return true;
    } catch (const QmError& e) {
        showError(e, QLatin1String(where));
        return false;
    }
}

} // namespace

bool CreateWellData() {
    return RunStep("CreateWellData", [] {
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
    return RunStep("CreatePar1Data", [] {
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
    return RunStep("CreateGWElevData", [] {
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
