// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/contourdata.h"

#include "platform/dates.h"
#include "platform/filenames.h"
#include "platform/numbers.h"
#include "platform/qmerror.h"
#include "platform/sampledb.h"
#include "platform/textfile.h"
#include "platform/uiservice.h"
#include "project/modgw.h"
#include "project/typeddates.h"
#include "reportdefs/datecontourfile.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <optional>
#include <vector>

QString ContourFilePath(int k, const QString& ext) {
    const ModGW& g = modgw();
    QString name;
    if (k >= 2) {
        name = QStringLiteral("F%1.").arg(k);
    } else {
        const QString title =
            g.ContourFileTitle.isEmpty() ? ContourFileTitleOf(g.DateSumFile) : g.ContourFileTitle;
        const qsizetype dot = title.indexOf(u'.');
        name = dot < 0 ? title + u'.' : title.left(dot + 1);
        // A definition named like a later parameter's file ("F2.DCF") would share that file, and
        // map 1 would show parameter 2; its first parameter takes the name no later one has.
        static const QRegularExpression later(QStringLiteral("^F([2-9]|[1-9][0-9]+)\\.$"));
        if (later.match(name).hasMatch()) name = QStringLiteral("F1.");
    }
    // Another spelling of the name already there is written over, not doubled beside it.
    return qfile::ForWriting(g.DataFolder + name + ext);
}

namespace {

// A sampling episode, both ends counted.
struct Episode {
    QDate start;
    QDate end;
    bool holds(const QDate& d) const { return start <= d && d <= end; }
};

// The episode row "start,end", or a single date for a one-day episode. A text the run cannot take
// is refused with the message that says why: the form checked it when typed, a file written
// elsewhere was not.
std::optional<Episode> TakeEpisode(const QString& text) {
    const QString problem =
        text.trimmed().isEmpty() ? QStringLiteral("You must enter at least one valid date for the sampling episode.")
                                 : typeddates::EpisodeProblem(text);
    if (!problem.isEmpty()) {
        ui().MsgBox(problem);
        return std::nullopt;
    }
    const qsizetype comma = text.indexOf(u',');
    if (comma < 0) {
        const QDate day = *qdate::Parse(text);
        return Episode{day, day};
    }
    return Episode{*qdate::Parse(text.left(comma).trimmed()), *qdate::Parse(text.mid(comma + 1).trimmed())};
}

struct DatedRecord {
    QDate date;
    QStringList fields;
};

// Each source's dated records, read once through one bound statement on a connection of its own.
class RecordReader {
public:
    explicit RecordReader(const QString& database) {
        db_.open(database);
        fieldCount_ = int(db_.fields().size());
        query_ = db_.prepare(QStringLiteral(
            R"(SELECT * FROM "Data" WHERE "Source" = ? ORDER BY "Samp_Date", "Dup")"));
    }

    const QList<DatedRecord>& records(const QString& source) {
        const auto it = cache_.constFind(source);
        if (it != cache_.constEnd()) return *it;
        QList<DatedRecord> list;
        query_.bindValue(0, source);
        SampleDb::exec(query_);
        const int count = query_.record().count();
        while (query_.next()) {
            const auto date = qdate::FromIso(query_.value(1).toString());
            if (!date) continue; // a record without a date lies in no episode
            DatedRecord r{*date, {}};
            r.fields.reserve(count);
            for (int i = 0; i < count; ++i) r.fields << query_.value(i).toString();
            list << r;
        }
        SampleDb::checkRead(query_);
        query_.finish();
        return *cache_.insert(source, list);
    }

    // The field of parameter number p, or -1 when the number names no parameter of the project (a
    // deleted row of the definition). A parameter the table has no field for is an error.
    int position(int p) const {
        if (p < 1 || p > modgw().NumParams) return -1;
        const int pos = p + sampledb::FixedFields - 1;
        if (pos >= fieldCount_) throw QmError(dberr::ItemNotFound);
        return pos;
    }

private:
    SampleDb db_;
    QSqlQuery query_;
    QHash<QString, QList<DatedRecord>> cache_;
    int fieldCount_ = 0;
};

// The source's mean of one field over the episode, over the records that hold a text for it: a
// record that was not tested for the parameter must not pull the mean down, nor put a 0 on the map
// where nothing was measured. "<" counts as the number after the sign times the "<" factor, any
// other text as its leading number ("-" adds 0). "-" when no record holds a text: the map leaves
// the source out.
QString ContourValue(const QList<DatedRecord>& records, int pos, const Episode& episode, double lessThanFactor) {
    if (pos < 0) return QStringLiteral("-");
    float sum = 0.0f;
    int c = 0;
    for (const DatedRecord& r : records) {
        if (!episode.holds(r.date)) continue;
        const QString& text = r.fields.value(pos);
        if (text.isEmpty()) continue;
        const double v = text.startsWith(u'<') ? qnum::LeadingNumber(QStringView(text).mid(1)) * lessThanFactor
                                               : qnum::LeadingNumber(text);
        sum = float(double(sum) + v); // added wide, kept single
        ++c;
    }
    if (c == 0) return QStringLiteral("-");
    return qnum::ShortNum(float(double(sum) / c));
}

} // namespace

bool CreateDateContourData() {
    const ModGW& g = modgw();
    const DateContourDefinition& def = g.DateSum;
    // The map run reads the last run's files even when this one writes none: a set cut short
    // there is finished first.
    qtext::RemoveLeftovers(g.DataFolder);
    const auto episode = TakeEpisode(def.DateInfo[5]);
    if (!episode) return false;
    try {
        const int params = def.DateParCount;
        const int sources = def.DateSourceCount;
        if (params < 0 || params > DateContourDefinition::MaxParams || sources < 0 ||
            sources > DateContourDefinition::MaxSources)
            throw QmError(qmerr::Subscript);
        const double lessThanFactor = qnum::LeadingNumber(g.LessThanFactor);

        RecordReader reader(g.DatabaseFile);
        std::vector<QStringList> files(size_t(params) + 1);
        for (int j = 1; j <= params; ++j) {
            const int pos = reader.position(def.DateParams[j]);
            for (int k = 1; k <= sources; ++k) {
                const auto& s = def.DateSources[k];
                files[size_t(j)] << s[2] + u'\t' + s[3] + u'\t' +
                                        ContourValue(reader.records(s[1]), pos, *episode, lessThanFactor);
            }
        }
        // Every file is ready before any is replaced, so a failure leaves the last run's set whole.
        qtext::PendingSet pending;
        for (int j = 1; j <= params; ++j) pending.add(ContourFilePath(j, QStringLiteral("TXT")), files[size_t(j)]);
        pending.commit();
        return true;
    } catch (const QmError& e) {
        ui().MsgBox(QStringLiteral("Error %1 CreateDateContourData.  Please contact Kalvex").arg(e.number()));
        return false;
    }
}
