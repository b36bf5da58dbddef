// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/importexport.h"

#include "platform/dates.h"
#include "platform/filenames.h"
#include "platform/numbers.h"
#include "platform/qmerror.h"
#include "platform/sampledb.h"
#include "platform/textfile.h"
#include "platform/uiservice.h"
#include "project/modgw.h"
#include "project/sampledbops.h"

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
    try {
        const exchange::Result r =
            exchange::ExportRecords(m.DialogFileName, m.ExchangeFormat, m.DatabaseFile, m.NumParams);
        if (!r.done) warn(r.message);
        return r.done;
    } catch (const QmError& e) {
        showError(e, QStringLiteral("ExportGWData"));
        return false;
    }
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

class Importer {
public:
    // params: the project's parameters; tableParams: the parameter fields of table Data.
    Importer(const QStringList& lines, SampleDb& db, int params, int tableParams)
        : lines_(lines), db_(db), params_(params), tableParams_(tableParams) {}
    int line = 0; // 1-based number of the line being read, for the messages

    void separated(QChar sep) {
        // The first line that is not skipped as blank gives the record length.
        qsizetype first = 0;
        while (first < lines_.size() && skipped(lines_[first]))
            ++first;
        if (first == lines_.size()) return;
        const int p = int(lines_[first].count(sep)) - 2;
        if (p < 0)
            throw Refusal{
                QStringLiteral(
                    "Cannot Import: line %1, the first line of the file, holds fewer than "
                    "the three values Source, Samp_Date and Dup.  No record of the file has been imported.")
                    .arg(first + 1)};
        const int k = std::min({p, params_, tableParams_});
        QStringList values;
        qint64 stored = 0;
        for (qsizetype i = first; i < lines_.size(); ++i) {
            line = int(i + 1);
            const QString& raw = lines_[i];
            if (quotedSeparator(raw, sep))
                throw Refusal{
                    QStringLiteral("Cannot Import: line %1 holds %2 inside a quoted value, which cannot "
                                   "be imported whole.  No record of the file has been imported.")
                        .arg(line)
                        .arg(separatorName(sep == u',' ? exchange::Comma : exchange::Tab))};
            if (skipped(raw)) continue;
            QString l = raw;
            if (l.contains(u'"')) l.remove(u'"');
            qsizetype end = l.size();
            while (end > 0 && l[end - 1] == u' ')
                --end;
            // The line as if one separator followed its last value.
            const QStringView text = QStringView(l).left(end);
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
            const QStringView date = cut(false);
            if (lastIso_.isEmpty() || date != lastDate_) {
                lastIso_ = importDate(date.toString());
                lastDate_ = date.toString();
            }
            values << lastIso_;
            values << ltrimBlanks(cut(true).toString());
            for (int j = 0; j < k; ++j)
                values << cut(true).toString();
            // A value too long for its field refuses the file (insert checks every field first).
            db_.insert(values);
            DbFaultPoint(u"import", ++stored);
        }
    }

    void oneValueALine() {
        const qsizetype n = lines_.size();
        // The record length is the distance between the first two date lines.
        qsizetype d1 = -1, d2 = -1;
        for (qsizetype i = 0; i < n && d2 < 0; ++i)
            if (lines_[i].contains(u'/')) (d1 < 0 ? d1 : d2) = i;
        if (d1 < 0) {
            if (std::all_of(lines_.begin(), lines_.end(), isBlank)) return;
            throw Refusal{
                QStringLiteral("Cannot Import: the file holds no date, so it is not laid out one value "
                               "a line.  No record of the file has been imported.")};
        }
        const int p = int(d2 >= 0 ? d2 - d1 - 3 : n - d1 - 2);
        if (p < 0)
            throw Refusal{
                QStringLiteral(
                    "Cannot Import: the dates on lines %1 and %2 are too close together for "
                    "records of Source, Samp_Date and Dup.  No record of the file has been imported.")
                    .arg(d1 + 1)
                    .arg(d2 + 1)};
        const qsizetype length = 3 + p;
        // The layout holds throughout before anything is stored.
        for (qsizetype i = 0; i < n;) {
            if (isBlank(lines_[i])) {
                ++i;
                continue;
            }
            if (i + length > n)
                throw Refusal{
                    QStringLiteral("Cannot Import: the file ends inside the record that begins on line "
                                   "%1; each record has %2 lines.  No record of the file has been imported.")
                        .arg(i + 1)
                        .arg(length)};
            if (!qdate::Parse(lines_[i + 1]))
                throw Refusal{
                    QStringLiteral(
                        "Cannot Import: line %1 should hold the date of the record that "
                        "begins on line %2, but holds \"%3\".  No record of the file has been imported.")
                        .arg(i + 2)
                        .arg(i + 1)
                        .arg(lines_[i + 1])};
            // A date among the other lines means the records are not all of this length (a date
            // without "/" was missed above), and reading on would mix one record into another.
            for (qsizetype j = i; j < i + length; ++j)
                if (j != i + 1 && mayBeDate(lines_[j]) && qdate::Parse(lines_[j]))
                    throw Refusal{QStringLiteral("Cannot Import: line %1 holds the date \"%2\" inside the "
                                                 "record that begins on line %3, whose date is on line %4.  "
                                                 "No record of the file has been imported.")
                                      .arg(j + 1)
                                      .arg(lines_[j])
                                      .arg(i + 1)
                                      .arg(i + 2)};
            i += length;
        }
        const int k = std::min({p, params_, tableParams_});
        QStringList values;
        qint64 stored = 0;
        for (qsizetype i = 0; i < n;) {
            if (isBlank(lines_[i])) {
                ++i;
                continue;
            }
            line = int(i + 1);
            values = {lines_[i], importDate(lines_[i + 1]), lines_[i + 2]};
            for (int j = 0; j < k; ++j)
                values << lines_[i + 3 + j];
            // A value too long for its field is named with its own line.
            for (int f = 0; f < values.size(); ++f) {
                line = int(i + 1 + f);
                sampledb::CheckField(f, values[f]);
            }
            line = int(i + 1);
            db_.insert(values);
            DbFaultPoint(u"import", ++stored);
            i += length;
        }
    }

private:
    const QStringList& lines_;
    SampleDb& db_;
    int params_;
    int tableParams_;
    // Records of one sampling episode follow each other with one date text.
    QString lastDate_;
    QString lastIso_;
};

} // namespace

namespace exchange {

Result ImportRecords(const QString& path, int layout, const QString& databaseFile, int params) {
    const QStringList lines = qtext::ReadLines(path);
    SampleDb db;
    db.open(databaseFile);
    Importer in(lines, db, params, int(db.fields().size()) - sampledb::FixedFields);
    db.begin();
    try {
        if (layout == Lines)
            in.oneValueALine();
        else
            in.separated(layout == Comma ? u',' : u'\t');
    } catch (const Refusal& r) {
        db.rollback();
        return {false, r.text};
    } catch (const QmError& e) {
        db.rollback();
        return {false, importFaultText(e, in.line)};
    }
    db.commit();
    return {true, {}};
}

} // namespace exchange

bool ImportGWData() {
    const ModGW& m = modgw();
    try {
        const exchange::Result r =
            exchange::ImportRecords(m.DialogFileName, m.ExchangeFormat, m.DatabaseFile, m.NumParams);
        if (!r.done) warn(r.message);
        return r.done;
    } catch (const QmError& e) {
        warn(importFaultText(e, 0));
        return false;
    }
}
