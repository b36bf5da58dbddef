// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/importexport.h"

#include "platform/dates.h"
#include "platform/filenames.h"
#include "platform/linestream.h"
#include "platform/numbers.h"
#include "platform/qmerror.h"
#include "platform/sampledb.h"
#include "platform/textfile.h"
#include "platform/uiservice.h"
#include "project/modgw.h"
#include "project/sampledbops.h"

#include <QFileInfo>
#include <QSet>
#include <QStringList>
#include <algorithm>

namespace exchange {
int FormatOf(const QString& path) {
    const QString ext = path.right(3).toUpper();
    if (ext == QLatin1String("TXT")) return Tab;
    if (ext == QLatin1String("CSV")) return Comma;
    if (ext == QLatin1String("LDL")) return Lines;
    return 0;
}
} // namespace exchange

namespace {

QString separatorName(int format) {
    return format == exchange::Comma ? QStringLiteral("a comma") : QStringLiteral("a Tab");
}

QString ltrimBlanks(const QString& s) {
    qsizetype i = 0;
    while (i < s.size() && s[i] == u' ')
        ++i;
    return i ? s.mid(i) : s;
}

QString rtrimBlanks(const QString& s) {
    qsizetype n = s.size();
    while (n > 0 && s[n - 1] == u' ')
        --n;
    return s.left(n);
}

bool isBlank(const QString& s) {
    return rtrimBlanks(s).isEmpty();
}

// A date has at least two of "/", "-" and "."; most values ("6.5", "-", "<0.5") have fewer, and
// are passed over without parsing.
bool mayBeDate(const QString& s) {
    int marks = 0;
    for (QChar c : s)
        if ((c == u'/' || c == u'-' || c == u'.') && ++marks == 2) return true;
    return false;
}

// ---- export

int fieldSize(int field) {
    return field == 0 ? sampledb::SourceSize : field == 2 ? sampledb::DupSize : sampledb::ValueSize;
}

// Why the import would not read the value of field `field` (0 Source, 1 Samp_Date as written, 2
// Dup, then the parameters; `last` the line's last field) of the record'th record (0-based) back as
// it is; "" when it would. Each reason follows a rule of the import below.
QString unexportable(const QString& v, int field, int last, int record, int format) {
    if (v.contains(u'\r') || v.contains(u'\n')) return QStringLiteral("holds a line break");
    if (field == 1) return {};
    if (v.size() > fieldSize(field))
        return QStringLiteral("is longer than %1 characters").arg(fieldSize(field));
    if (field == 0 && isBlank(v)) return QStringLiteral("is blank");
    if (format == exchange::Lines) {
        // The record length is read from the first two lines holding "/", and a date inside a
        // record means records of other lengths.
        if (mayBeDate(v) && qdate::Parse(v)) return QStringLiteral("reads as a date");
        if (v.contains(u'/') && (record == 0 || (record == 1 && field == 0)))
            return QStringLiteral("holds a \"/\" before the date of the second record");
        return {};
    }
    if (v.contains(format == exchange::Comma ? u',' : u'\t'))
        return QStringLiteral("holds ") + separatorName(format);
    // The import removes every double quote, the leading blanks of every value but the date and
    // the trailing blanks of a line.
    if (v.contains(u'"')) return QStringLiteral("holds a double quote");
    if (v.startsWith(u' ')) return QStringLiteral("begins with a blank");
    if (field == last && v.endsWith(u' ')) return QStringLiteral("ends with a blank at the end of the line");
    return {};
}

} // namespace

namespace exchange {

Result ExportRecords(const QString& path, int layout, const QString& databaseFile, int params) {
    SampleDb db;
    db.open(databaseFile);
    const QStringList fields = db.fields();
    const int n = sampledb::FixedFields + params;
    if (fields.size() < n)
        raiseError(dberr::ItemNotFound,
                   QStringLiteral("Table Data has fewer fields than the project has parameters."));
    QString columns;
    for (int k = 0; k < n; ++k)
        columns += (k ? QStringLiteral(", ") : QString()) + sampledb::QuoteIdent(fields[k]);
    QSqlQuery q = db.prepare(QStringLiteral("SELECT %1 FROM \"Data\" ORDER BY \"Source\", \"Samp_Date\", "
                                            "\"Dup\", %2")
                                 .arg(columns, db.rowIdName()));
    SampleDb::exec(q);
    const QChar sep = layout == Comma ? u',' : u'\t';
    QStringList lines;
    QStringList values;
    for (int record = 0; q.next(); ++record) {
        values.clear();
        for (int k = 0; k < n; ++k)
            values << q.value(k).toString();
        if (!qdate::FromIso(values[1]))
            return {false, QStringLiteral("Cannot Export: the record of %1 has no date (\"%2\"), so the file "
                                          "could not be imported.  Nothing was written.")
                               .arg(values[0], values[1])};
        values[1] = qdate::IsoToDisplay(values[1]);
        for (int k = 0; k < n; ++k) {
            const QString why = unexportable(values[k], k, n - 1, record, layout);
            if (why.isEmpty()) continue;
            return {false,
                    QStringLiteral("Cannot Export: %1 of the record of %2 dated %3 %4, which this file "
                                   "format cannot hold: \"%5\".  Nothing was written.")
                        .arg(fields[k], values[0], values[1], why, values[k])};
        }
        if (layout == Lines)
            lines << values;
        else
            lines << values.join(sep);
    }
    // A page that cannot be read ends next() like the last record: the file would be a part.
    SampleDb::checkRead(q);
    db.close();
    qtext::WriteLines(path, lines);
    return {true, {}};
}

} // namespace exchange

bool ExportGWData() {
    const ModGW& m = modgw();
    bool done = false;
    trap(QStringLiteral("ExportGWData"), [&] {
        const exchange::Result r =
            exchange::ExportRecords(m.DialogFileName, m.ExchangeFormat, m.DatabaseFile, m.NumParams);
        if (!r.done) warn(r.message);
        done = r.done;
    });
    return done;
}

// ---- import

namespace {

// A file the import refuses before or while storing; the text is shown as it is.
struct Refusal {
    QString text;
};

// A separated line that holds nothing but blanks and double quotes.
bool skipped(const QString& line) {
    for (QChar c : line)
        if (c != u' ' && c != u'"') return false;
    return true;
}

// The date text of a file as stored: ISO, after the two-digit-year rule.
QString importDate(const QString& text) {
    const auto d = qdate::Parse(qdate::FixTwoDigitYear(text));
    if (!d) raiseError(dberr::BadDate, QStringLiteral("\"%1\" is not a date").arg(text));
    return qdate::ToIso(*d);
}

QString description(const QmError& e) {
    if (e.number() == qmerr::FileNotFound) return QStringLiteral("File not found: ") + e.detail();
    if (!e.detail().isEmpty()) return e.detail();
    switch (e.number()) {
    case qmerr::InvalidArgument:
        return QStringLiteral("Invalid procedure call or argument");
    case qmerr::PathFileAccess:
        return QStringLiteral("Path/File access error");
    default:
        return QStringLiteral("Application-defined or object-defined error");
    }
}

// What the user is told of a fault while importing, naming the line of the file when there is one.
QString importFaultText(const QmError& e, int line) {
    QString text;
    switch (e.number()) {
    case dberr::DuplicateKey:
        text = QStringLiteral("Cannot Import:  Duplicate Record Found");
        break;
    case dberr::FieldTooSmall:
        // The value and its field, where the check names them.
        text = e.detail().isEmpty()
                   ? QStringLiteral("Cannot Import: Either source name is longer than 10 characters or data "
                                    "is longer than 8 characters.  Shorten one of these and try again.")
                   : QStringLiteral("Cannot Import: ") + e.detail();
        break;
    default:
        text = QStringLiteral("Cannot Import: error # ") + qnum::CaptionNum(e.number()) +
               QStringLiteral(" occured: ") + description(e);
    }
    if (line > 0)
        text += QStringLiteral("\r\n\r\nLine %1 of the file.  No record of the file has been imported.")
                    .arg(line);
    return text;
}

// A separator inside a quoted value would split the value once the quotes are gone. A value is
// quoted when a double quote opens it (after leading blanks); a quote elsewhere, as in 12", is text.
bool quotedSeparator(const QString& line, QChar sep) {
    bool quoted = false;
    bool fieldStart = true;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < line.size() && line[i + 1] == u'"')
                    ++i; // a doubled quote stays inside
                else
                    quoted = false;
            } else if (c == sep) {
                return true;
            }
        } else if (c == sep) {
            fieldStart = true;
        } else if (c == u'"' && fieldStart) {
            quoted = true;
            fieldStart = false;
        } else if (c != u' ') {
            fieldStart = false;
        }
    }
    return false;
}

// The project's sources as the database compares them: Source is COLLATE NOCASE, which folds ASCII
// letters only.
QString nocaseKey(const QString& s) {
    QString k = s;
    for (QChar& c : k)
        if (c >= u'A' && c <= u'Z') c = QChar(c.unicode() + (u'a' - u'A'));
    return k;
}

// Which records of the file are stored: all, or only those of the project's sources.
class SourceFilter {
public:
    explicit SourceFilter(const QStringList& known) {
        for (const QString& s : known)
            known_.insert(nocaseKey(s));
    }
    bool known(const QString& source) const { return known_.contains(nocaseKey(source)); }
    // Counts a record of the file; the first pass gathers what the question names.
    void count(const QString& source, int line) {
        if (known(source)) return;
        ++unknown.records;
        for (const QString& s : unknown.first)
            if (nocaseKey(s) == nocaseKey(source)) return;
        if (unknown.first.size() < exchange::UnknownSources::Named) {
            unknown.first << source;
            unknown.lines << line;
        } else {
            unknown.more = true;
        }
    }
    exchange::UnknownSources unknown;
    bool onlyKnown = false; // the answer: store the project's sources only

private:
    QSet<QString> known_;
};

// Reads the file in two passes: a first one gathers the sources a filter asks about (and refuses a
// file whose layout is wrong, before the question), the second checks and stores record by record.
// Both stream the file, so memory does not grow with its size.
class Importer {
public:
    // params: the project's parameters; tableParams: the parameter fields of table Data.
    Importer(qtext::LineStream& in, SampleDb& db, int params, int tableParams)
        : in_(in), db_(db), params_(params), tableParams_(tableParams) {}
    int line = 0;      // 1-based number of the line being read, for the messages
    qint64 stored = 0; // records stored

    // The first pass: every record's source into filter. False for a file with no records.
    bool gather(int layout, SourceFilter& filter) {
        if (layout == exchange::Lines) {
            if (!recordLength()) return false;
            eachRecord([&](const QStringList& r) {
                line = recordLine_;
                sampledb::CheckField(0, r[0]);
                filter.count(r[0], line);
            });
        } else {
            const QChar sep = separatorOf(layout);
            if (!valueCount(sep)) return false;
            eachLine(sep, [&](QStringView text) {
                // A source the database would refuse is named before any question.
                const QString source = firstField(text, sep);
                sampledb::CheckField(0, source);
                filter.count(source, line);
            });
        }
        return true;
    }

    // The second pass: stores the records, those of unknown sources only when filter allows.
    void store(int layout, const SourceFilter* filter) {
        in_.rewind();
        if (layout == exchange::Lines) {
            if (recordLength()) storeRecords(filter);
        } else {
            const QChar sep = separatorOf(layout);
            if (valueCount(sep)) storeLines(sep, filter);
        }
    }

private:
    static QChar separatorOf(int layout) { return layout == exchange::Comma ? u',' : u'\t'; }

    bool nextLine(QString& l) {
        if (!in_.next(l)) return false;
        line = int(in_.lineNumber());
        return true;
    }

    // ---- separated lines

    // The first line that is not skipped as blank gives the record length; false for none.
    bool valueCount(QChar sep) {
        in_.rewind();
        QString l;
        while (nextLine(l))
            if (!skipped(l)) break;
        if (in_.lineNumber() == 0 || skipped(l)) return false;
        const int p = int(l.count(sep)) - 2;
        if (p < 0)
            throw Refusal{
                QStringLiteral(
                    "Cannot Import: line %1, the first line of the file, holds fewer than "
                    "the three values Source, Samp_Date and Dup.  No record of the file has been imported.")
                    .arg(line)};
        k_ = std::min({p, params_, tableParams_});
        firstLine_ = line;
        return true;
    }

    // Calls each(text) for every line from the first counted one: text is the line without its
    // double quotes and trailing blanks, as if one separator followed its last value.
    template <class Each> void eachLine(QChar sep, Each each) {
        in_.rewind();
        QString raw;
        while (nextLine(raw)) {
            if (line < firstLine_) continue;
            if (quotedSeparator(raw, sep))
                throw Refusal{
                    QStringLiteral("Cannot Import: line %1 holds %2 inside a quoted value, which cannot "
                                   "be imported whole.  No record of the file has been imported.")
                        .arg(line)
                        .arg(separatorName(sep == u',' ? exchange::Comma : exchange::Tab))};
            if (skipped(raw)) continue;
            if (raw.contains(u'"')) raw.remove(u'"');
            qsizetype end = raw.size();
            while (end > 0 && raw[end - 1] == u' ')
                --end;
            each(QStringView(raw).left(end));
        }
    }

    static QString firstField(QStringView text, QChar sep) {
        const qsizetype at = text.indexOf(sep);
        return ltrimBlanks((at < 0 ? text : text.left(at)).toString());
    }

    void storeLines(QChar sep, const SourceFilter* filter) {
        QStringList values;
        eachLine(sep, [&](QStringView text) {
            qsizetype pos = 0;
            auto cut = [&](bool trimRest) {
                if (pos > text.size())
                    raiseError(qmerr::InvalidArgument,
                               QStringLiteral("the line holds fewer values than the first line of the file"));
                qsizetype at = text.indexOf(sep, pos);
                if (at < 0) at = text.size();
                const QStringView f = text.mid(pos, at - pos);
                pos = at + 1;
                if (trimRest)
                    while (pos < text.size() && text[pos] == u' ')
                        ++pos;
                return f;
            };
            values.clear();
            values << ltrimBlanks(cut(false).toString());
            if (filter && filter->onlyKnown && !filter->known(values[0])) return;
            values << isoDate(cut(false));
            values << ltrimBlanks(cut(true).toString());
            for (int j = 0; j < k_; ++j)
                values << cut(true).toString();
            // A value too long for its field refuses the file (insert checks every field first).
            db_.insert(values);
            DbFaultPoint(u"import", ++stored);
        });
    }

    // ---- one value a line

    // The record length, the distance between the first two date lines; false for a file of
    // blank lines.
    bool recordLength() {
        in_.rewind();
        qint64 d1 = -1, d2 = -1;
        bool blank = true;
        QString l;
        while (d2 < 0 && nextLine(l)) {
            if (l.contains(u'/')) (d1 < 0 ? d1 : d2) = line;
            if (blank && !isBlank(l)) blank = false;
        }
        if (d1 < 0) {
            if (blank) return false;
            throw Refusal{
                QStringLiteral("Cannot Import: the file holds no date, so it is not laid out one value "
                               "a line.  No record of the file has been imported.")};
        }
        qint64 n = in_.lineNumber();
        if (d2 < 0)
            while (in_.next(l))
                ++n;
        const int p = int(d2 >= 0 ? d2 - d1 - 3 : n - d1 + 1 - 2);
        if (p < 0)
            throw Refusal{
                QStringLiteral(
                    "Cannot Import: the dates on lines %1 and %2 are too close together for "
                    "records of Source, Samp_Date and Dup.  No record of the file has been imported.")
                    .arg(d1)
                    .arg(d2)};
        length_ = 3 + p;
        k_ = std::min({p, params_, tableParams_});
        return true;
    }

    // Calls each(lines) for every record, its lines checked for the layout first: the date where
    // it belongs and no date among the others, which would mean records of other lengths and
    // reading on would mix one record into another. recordLine_ is the record's first line.
    template <class Each> void eachRecord(Each each) {
        in_.rewind();
        QStringList r;
        QString l;
        while (nextLine(l)) {
            if (isBlank(l)) continue;
            recordLine_ = line;
            r.clear();
            r << l;
            while (r.size() < length_ && nextLine(l))
                r << l;
            if (r.size() < length_)
                throw Refusal{
                    QStringLiteral("Cannot Import: the file ends inside the record that begins on line "
                                   "%1; each record has %2 lines.  No record of the file has been imported.")
                        .arg(recordLine_)
                        .arg(length_)};
            if (!qdate::Parse(r[1]))
                throw Refusal{
                    QStringLiteral(
                        "Cannot Import: line %1 should hold the date of the record that "
                        "begins on line %2, but holds \"%3\".  No record of the file has been imported.")
                        .arg(recordLine_ + 1)
                        .arg(recordLine_)
                        .arg(r[1])};
            for (int j = 0; j < length_; ++j)
                if (j != 1 && mayBeDate(r[j]) && qdate::Parse(r[j]))
                    throw Refusal{QStringLiteral("Cannot Import: line %1 holds the date \"%2\" inside the "
                                                 "record that begins on line %3, whose date is on line %4.  "
                                                 "No record of the file has been imported.")
                                      .arg(recordLine_ + j)
                                      .arg(r[j])
                                      .arg(recordLine_)
                                      .arg(recordLine_ + 1)};
            each(r);
        }
    }

    void storeRecords(const SourceFilter* filter) {
        QStringList values;
        eachRecord([&](const QStringList& r) {
            if (filter && filter->onlyKnown && !filter->known(r[0])) return;
            values = {r[0], isoDate(r[1]), r[2]};
            for (int j = 0; j < k_; ++j)
                values << r[3 + j];
            // A value too long for its field is named with its own line.
            for (int f = 0; f < values.size(); ++f) {
                line = recordLine_ + f;
                sampledb::CheckField(f, values[f]);
            }
            line = recordLine_;
            db_.insert(values);
            DbFaultPoint(u"import", ++stored);
        });
    }

    // Records of one sampling episode follow each other with one date text.
    QString isoDate(QStringView date) {
        if (lastIso_.isEmpty() || date != lastDate_) {
            lastIso_ = importDate(date.toString());
            lastDate_ = date.toString();
        }
        return lastIso_;
    }

    qtext::LineStream& in_;
    SampleDb& db_;
    int params_;
    int tableParams_;
    int k_ = 0;          // parameter values stored a record
    int firstLine_ = 0;  // separated: the line that gave the record length
    int length_ = 0;     // one value a line: the lines of a record
    int recordLine_ = 0; // one value a line: the record's first line
    QString lastDate_;
    QString lastIso_;
};

} // namespace

namespace exchange {

Result ImportRecords(const QString& path, int layout, const QString& databaseFile, int params,
                     const std::optional<QStringList>& knownSources, const AskUnknownSources& askUnknown) {
    qtext::LineStream lines(path);
    SampleDb db;
    db.open(databaseFile);
    Importer in(lines, db, params, int(db.fields().size()) - sampledb::FixedFields);
    std::optional<SourceFilter> filter;
    if (knownSources) filter.emplace(*knownSources);
    db.begin();
    try {
        if (filter && in.gather(layout, *filter) && filter->unknown.records > 0) {
            filter->unknown.layout = layout;
            if (!askUnknown || !askUnknown(filter->unknown)) {
                db.rollback();
                return {false, {}};
            }
            filter->onlyKnown = true;
        }
        in.store(layout, filter ? &*filter : nullptr);
    } catch (const Refusal& r) {
        db.rollback();
        return {false, r.text};
    } catch (const QmError& e) {
        db.rollback();
        return {false, importFaultText(e, in.line)};
    }
    db.commit();
    return {true, {}, in.stored};
}

QString UnknownSourcesQuestion(const UnknownSources& u) {
    const QString what = u.layout == Lines ? QStringLiteral("record") : QStringLiteral("line");
    QStringList named;
    for (qsizetype i = 0; i < u.first.size(); ++i)
        named << QStringLiteral("%1 (line %2)").arg(u.first[i]).arg(u.lines.value(i));
    QString names = named.join(QStringLiteral(", "));
    if (u.more) names += QStringLiteral(", ...");
    const QString count = u.records == 1 ? QStringLiteral("1 %1 of the file names a source").arg(what)
                                         : QStringLiteral("%1 %2s of the file name sources").arg(u.records).arg(what);
    return QStringLiteral("%1 that the project does not have: %2.  Records of a source the project does not "
                          "have cannot be shown or deleted.\r\n\r\nImport only the %3s of the project's "
                          "sources?  No imports nothing.")
        .arg(count, names, what);
}

} // namespace exchange

bool ImportGWData() {
    const ModGW& m = modgw();
    QStringList sources;
    for (int i = 1; i <= m.NumSources; ++i)
        sources << m.SourceTable[i][1];
    try {
        const exchange::Result r = exchange::ImportRecords(
            m.DialogFileName, m.ExchangeFormat, m.DatabaseFile, m.NumParams, sources,
            [](const exchange::UnknownSources& u) {
                return ui().MsgBox(exchange::UnknownSourcesQuestion(u),
                                   vb::YesNo | vb::Question | vb::DefaultButton2, titleEmpty) == vb::Yes;
            });
        if (!r.done && !r.message.isEmpty()) warn(r.message);
        if (r.done)
            ui().MsgBox(QStringLiteral("%1 %2 imported from %3.")
                            .arg(r.stored)
                            .arg(r.stored == 1 ? QStringLiteral("record") : QStringLiteral("records"),
                                 QFileInfo(m.DialogFileName).fileName()),
                        vb::Information);
        return r.done;
    } catch (const QmError& e) {
        warn(importFaultText(e, 0));
        return false;
    }
}
