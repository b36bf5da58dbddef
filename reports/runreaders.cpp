// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/runreaders.h"

#include "platform/numbers.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"
#include "project/modgw.h"
#include "reportdefs/gwelevfile.h"
#include "reportdefs/notesblock.h"
#include "reportdefs/par1sumfile.h"
#include "reportdefs/wellsumfile.h"
#include "reports/gwgraph.h"
#include "reports/rundata.h"

#include <QStringView>

namespace {

using qtext::LineReader;

constexpr QChar Pilcrow(0x00B6);
constexpr int CountLimit = 32767;

// Notes are stored as their box showed them, a typed line break marked by a pilcrow; a page
// prints the line without it.
QString noteLine(QString s) {
    if (s.endsWith(Pilcrow)) s.chop(1);
    return s;
}

int16_t readCount(LineReader& in) {
    return notesblock::ReadCount(in, CountLimit);
}

void skip(LineReader& in, int lines) {
    for (int i = 0; i < lines; ++i)
        in.next();
}

void readNotes(LineReader& in, int16_t& count, OneBased<QString>& notes) {
    notes.clear();
    count = readCount(in);
    for (int i = 1; i <= count; ++i)
        notes[i] = noteLine(in.next());
}

// Skips a count line and the lines it counts.
void skipCounted(LineReader& in) {
    skip(in, readCount(in));
}

QString trimLeft(QStringView s) {
    qsizetype i = 0;
    while (i < s.size() && s[i] == u' ')
        ++i;
    return s.mid(i).toString();
}

QString trimRight(QStringView s) {
    qsizetype n = s.size();
    while (n > 0 && s[n - 1] == u' ')
        --n;
    return s.left(n).toString();
}

// Whether the text starts with a number (blanks and a sign allowed before it): what tells a
// reading from a remark.
bool hasLeadingNumber(QStringView s) {
    qsizetype i = 0;
    while (i < s.size() && (s[i] == u' ' || s[i] == u'\t'))
        ++i;
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) ++i;
    if (i < s.size() && s[i] == u'.') ++i;
    return i < s.size() && s[i].isDigit() && s[i].unicode() < 128;
}

// A scale text "start,end,inc" split as the summaries keep it: without a comma the whole text
// trimmed is the start; otherwise the start is the text before the first comma (left-trimmed when
// trimStart) and end and increment follow only when a second comma does.
void splitScale(const QString& text, QString& start, QString& end, QString& inc, bool trimStart) {
    end.clear();
    inc.clear();
    const qsizetype first = text.indexOf(u',');
    if (first < 0) {
        start = trimStart ? text.trimmed() : trimLeft(text);
        return;
    }
    start = trimStart ? trimLeft(QStringView(text).left(first)) : text.left(first);
    const qsizetype second = text.indexOf(u',', first + 1);
    if (second < 0) return;
    end = trimLeft(QStringView(text).mid(first + 1, second - first - 1));
    inc = trimLeft(QStringView(text).mid(second + 1));
}

void startRun(const RunFile& file, RunHead& r) {
    r.ReportFile = file.ReportFile;
    r.ItemCount = file.ItemCount;
}

// The general notes of a definition file, as a page prints them.
void takeGeneralNotes(RunHead& r, const ReportNotesBlock& notes) {
    r.RunGeneralNoteCount = notes.GeneralNoteCount;
    for (int i = 1; i <= r.RunGeneralNoteCount; ++i)
        r.RunGeneralNotes[i] = noteLine(notes.GeneralNotes[i]);
}

// Fixed-size item blocks (date summary, Stiff): skips the header and the items before this one,
// each a block of ItemBlockLines and its counted notes, then reads the item's caption and title.
template <typename Run, typename Item> void readItemHead(LineReader& in, const Run& run, int item, Item& v) {
    skip(in, run.HeaderLineCount);
    for (int i = 1; i < item; ++i) {
        skip(in, run.ItemBlockLines);
        skipCounted(in);
    }
    v.ItemCaption = in.next();
    v.ItemTitle = in.next();
}

// ---- source summary

void readRun(const RunFile& file, WellSumRun& r) {
    startRun(file, r);
    const WellSumFileData data = readWellSumFile(r.ReportFile);
    const WellSumDefinition& d = data.Definition;
    // The last slot with a parameter number; all eleven when none has one.
    r.SlotCount = WellSumRun::Slots;
    for (int j = 1; j <= WellSumRun::Slots; ++j) {
        const auto& f = d.WellSumGrid[j];
        if (!f[1].isEmpty()) r.SlotCount = int16_t(j);
        for (int k = 1; k <= 3; ++k)
            r.SlotParts[j][k] = f[1 + k];
        r.SlotUnits[j] = f[5];
        r.SlotStandard[j] = f[6];
        r.SlotLabel[j] = f[7];
        splitScale(f[8], r.SlotScale[j][1], r.SlotScale[j][2], r.SlotScale[j][3], true);
    }
    for (int i = 1; i <= 4; ++i)
        r.ReportTitles[i] = d.WellSumInfo[i];
    r.TableGraphOption = d.WellSumInfo[5].toUpper();
    r.StandardLabel = d.WellSumInfo[6];
    r.HighlightDate = d.WellSumInfo[7];
    takeGeneralNotes(r, data.Notes);
}

void readItem(const WellSumRun& run, int item, WellSumItem& v) {
    LineReader in(rundata::DataFilePath(run.ReportFile, QStringLiteral("WSD")));
    for (int i = 1; i < item; ++i) {
        skip(in, 2);
        skipCounted(in);
        skipCounted(in);
    }
    v.ItemName = in.next();
    v.ItemCaption = in.next();
    v.RecordCount = readCount(in);
    const int columns = qMax<int>(1, run.SlotCount);
    for (int r = 1; r <= v.RecordCount; ++r) {
        const QString line = in.next();
        // Date, then one value per slot; a line with fewer fields leaves the rest empty and the
        // last slot takes whatever follows.
        OneBased<QString>& values = v.RecordValues[r];
        values.resize(columns);
        qsizetype at = line.indexOf(u',');
        v.RecordDates[r] = at < 0 ? line : line.left(at);
        for (int j = 1; j <= columns && at >= 0; ++j) {
            const qsizetype from = at + 1;
            at = j < columns ? line.indexOf(u',', from) : -1;
            values[j] = at < 0 ? line.mid(from) : line.mid(from, at - from);
        }
    }
    readNotes(in, v.RunItemNoteCount, v.RunItemNotes);
}

// ---- parameter summary

void readRun(const RunFile& file, ParSumRun& r) {
    startRun(file, r);
    const Par1SumFileData data = readPar1SumFile(r.ReportFile);
    r.RunSourceCount = data.Definition.Par1SourceCount;
    for (int i = 1; i <= 4; ++i)
        r.ReportTitles[i] = data.Definition.Par1Info[i];
    r.StandardLabel = data.Definition.Par1Info[5];
    takeGeneralNotes(r, data.Notes);
}

void readItem(const ParSumRun& run, int item, ParSumItem& v) {
    v.ItemSourceCount = run.RunSourceCount;
    LineReader in(rundata::DataFilePath(run.ReportFile, QStringLiteral("PSD")));
    for (int i = 1; i < item; ++i) {
        skip(in, 5);
        for (int s = 1; s <= run.RunSourceCount; ++s) {
            in.next();
            skipCounted(in);
        }
        skipCounted(in);
    }
    v.ParFullName = in.next();
    v.ParUnits = in.next();
    v.ParStandard = in.next();
    splitScale(in.next(), v.ParScaleStart, v.ParScaleEnd, v.ParScaleInc, false);
    v.ItemCaption = in.next();
    for (int s = 1; s <= v.ItemSourceCount; ++s) {
        v.ParSourceNames[s] = in.next();
        const int16_t n = readCount(in);
        v.ParRecordCount[s] = n;
        OneBased<QString>& dates = v.ParRecordDates[s];
        OneBased<QString>& values = v.ParRecordValues[s];
        for (int r = 1; r <= n; ++r) {
            const QString line = in.next();
            dates[r] = line.left(10);
            const qsizetype at = line.indexOf(u',');
            values[r] = at < 0 ? QString() : trimRight(QStringView(line).mid(at + 1));
        }
    }
    readNotes(in, v.RunItemNoteCount, v.RunItemNotes);
}

// ---- date summary

// An axis line "St,End,Inc": a part that is missing or blank is taken from "0,100,10", so no
// axis ends up with a zero range or step from a short line.
void readAxis(const QString& line, float& start, float& end, float& inc) {
    const QStringList parts = line.split(u',');
    const double defaults[3] = {0, 100, 10};
    float* out[3] = {&start, &end, &inc};
    for (int k = 0; k < 3; ++k) {
        QString part = k < parts.size() ? parts[k] : QString();
        if (k == 2 && parts.size() > 3) part = QStringList(parts.mid(2)).join(u',');
        *out[k] = float(part.trimmed().isEmpty() ? defaults[k] : qnum::LeadingNumber(part));
    }
}

void readRun(const RunFile& file, DateSumRun& r) {
    startRun(file, r);
    LineReader in(r.ReportFile);
    const int16_t P = readCount(in);
    r.ItemParCount = P;
    for (int p = 1; p <= P; ++p) {
        for (int line = 1; line <= 3; ++line)
            r.ParLabel[line][p] = in.next();
        r.DateParUnits[p] = in.next();
        r.DateParStandard[p] = in.next();
        r.ParScaleMax[p] = in.next();
    }
    const int16_t S = readCount(in);
    r.RunSourceCount = S;
    for (int s = 1; s <= S; ++s) {
        r.RunSourceName[s] = in.next();
        r.RunSourceAbove[s] = in.next() == QLatin1String("A") ? 1 : 0;
        r.RunSourceX[s] = float(qnum::LeadingNumber(in.next()));
        r.RunSourceY[s] = float(qnum::LeadingNumber(in.next()));
    }
    for (int i = 1; i <= 4; ++i)
        r.ReportTitles[i] = in.next();
    r.StandardLabel = in.next();
    readAxis(in.next(), r.MapXStart, r.MapXEnd, r.MapXInc);
    readAxis(in.next(), r.MapYStart, r.MapYEnd, r.MapYInc);
    r.MapDistanceUnit = in.next();
    r.MapRadiusMult = float(qnum::LeadingNumber(in.next()));
    // Maps end at the first empty line; lines after it are read but not drawn.
    int16_t maps = DateSumRun::MaxMaps;
    for (int m = 1; m <= DateSumRun::MaxMaps; ++m) {
        const QString line = in.next();
        if (line.trimmed().isEmpty()) {
            if (maps == DateSumRun::MaxMaps) maps = int16_t(m - 1);
            continue;
        }
        const QStringList fields = line.split(u',');
        for (int k = 1; k <= fields.size(); ++k)
            r.MapParams[m][k] = qnum::ReadInt16(fields[k - 1]);
        r.MapParCount[m] = int16_t(fields.size());
    }
    r.DateMapCount = maps;
    readNotes(in, r.RunGeneralNoteCount, r.RunGeneralNotes);
    r.HeaderLineCount = 22 + 6 * P + 4 * S + r.RunGeneralNoteCount;
    r.ItemBlockLines = S * P + 2;
}

void readItem(const DateSumRun& run, int item, DateSumItem& v) {
    v.ItemSourceCount = run.RunSourceCount;
    LineReader in(run.ReportFile);
    readItemHead(in, run, item, v);
    for (int s = 1; s <= run.RunSourceCount; ++s) {
        OneBased<QString>& values = v.RecordValues[s];
        for (int p = 1; p <= run.ItemParCount; ++p)
            values[p] = in.next();
    }
    readNotes(in, v.RunItemNoteCount, v.RunItemNotes);
}

// ---- Stiff

// A row's scale "St,Max,Step": the start is not used. Without a comma the row runs to 1000 by 250;
// with one comma only, the step is a quarter of the maximum.
void readStiffScale(const QString& text, float& max, float& step) {
    const qsizetype first = text.indexOf(u',');
    if (first < 0) {
        max = 1000;
        step = 250;
        return;
    }
    const QStringView rest = QStringView(text).mid(first + 1);
    const qsizetype second = rest.indexOf(u',');
    max = float(qnum::LeadingNumber(second < 0 ? rest : rest.left(second)));
    step = second < 0 ? max / 4 : float(qnum::LeadingNumber(rest.mid(second + 1)));
}

void readRun(const RunFile& file, StiffRun& r) {
    startRun(file, r);
    LineReader in(r.ReportFile);
    for (int s = 1; s <= 2; ++s) {
        r.StiffParCount[s] = readCount(in);
        for (int j = 1; j <= r.StiffParCount[s]; ++j) {
            r.StiffParName[j][s] = in.next();
            r.StiffParUnits[j][s] = in.next();
            readStiffScale(in.next(), r.StiffScaleMax[j][s], r.StiffScaleStep[j][s]);
        }
        r.StiffSourceCount[s] = readCount(in);
    }
    readNotes(in, r.RunGeneralNoteCount, r.RunGeneralNotes);
    for (int i = 1; i <= 4; ++i)
        r.ReportTitles[i] = in.next();
    const int p1 = r.StiffParCount[1], p2 = r.StiffParCount[2];
    const int q1 = r.StiffSourceCount[1], q2 = r.StiffSourceCount[2];
    r.HeaderLineCount = 3 * (p1 + p2) + r.RunGeneralNoteCount + 9;
    r.ItemBlockLines = (p1 + 1) * q1 + (p2 + 1) * q2 + 2;
}

void readItem(const StiffRun& run, int item, StiffItem& v) {
    LineReader in(run.ReportFile);
    readItemHead(in, run, item, v);
    for (int s = 1; s <= 2; ++s)
        for (int r = 1; r <= run.StiffSourceCount[s]; ++r) {
            v.StiffSourceName[r][s] = in.next();
            for (int j = 1; j <= run.StiffParCount[s]; ++j)
                v.StiffValue[r][j][s] = in.next();
        }
    readNotes(in, v.RunItemNoteCount, v.RunItemNotes);
}

// ---- groundwater elevation

void readRun(const RunFile& file, GWElevRun& r) {
    startRun(file, r);
    LineReader in(r.ReportFile);
    r.GWElevIsElevation = in.next().toUpper() == QLatin1String("E") ? 1 : 0;
    r.GWUnits = in.next();
    for (int i = 1; i <= 4; ++i)
        r.ReportTitles[i] = in.next();
    readNotes(in, r.RunGeneralNoteCount, r.RunGeneralNotes);
    r.ItemCount = readCount(in);
    r.HeaderLineCount = r.RunGeneralNoteCount + 8;
}

// Skips one set block, returning its lines.
int skipGWElevBlock(LineReader& in) {
    skip(in, 2);
    const int sources = readCount(in);
    int lines = 3;
    for (int j = 1; j <= sources; ++j) {
        skip(in, 2);
        const int readings = readCount(in);
        skip(in, readings);
        lines += 3 + readings;
    }
    const int notes = readCount(in);
    skip(in, notes);
    return lines + 1 + notes;
}

void readItem(const GWElevRun& run, int item, GWElevItem& v) {
    LineReader in(run.ReportFile);
    skip(in, run.HeaderLineCount);
    // Earlier sets are skipped by their own counts, so any set can be read, whether or not the
    // sets before it read well.
    int blockLines = 0;
    for (int i = 1; i < item; ++i)
        blockLines += skipGWElevBlock(in);
    v.ItemTitle = in.next();

    const GWScaleParts scale = ParseGWScale(in.next());
    v.GWScaleLow = scale.low;
    v.GWScaleHigh = scale.high;
    v.GWScaleStep = scale.step;

    const double lessThan = qnum::LeadingNumber(modgw().LessThanFactor);
    v.ItemSourceCount = readCount(in);
    int lines = 3;
    for (int j = 1; j <= v.ItemSourceCount; ++j) {
        v.GWSourceName[j] = in.next();
        const float ref = float(qnum::LeadingNumber(in.next()));
        v.GWRefElev[j] = ref;
        const int16_t k = readCount(in);
        v.GWRecordCount[j] = k;
        lines += 3 + k;
        for (int r = 1; r <= k; ++r) {
            // A line without a comma is a date without a reading.
            const QString line = in.next();
            const qsizetype at = line.indexOf(u',');
            v.GWDate[j][r] = trimRight(at < 0 ? QStringView(line) : QStringView(line).left(at));
            const QString text = at < 0 ? QString() : trimLeft(QStringView(line).mid(at + 1));
            v.GWValueText[j][r] = text;
            // Missing unless a number leads the text (after an optional "<"); a flag, so a real
            // reading of any value stays a reading.
            const bool below = text.startsWith(u'<');
            const QStringView number = below ? QStringView(text).mid(1) : QStringView(text);
            const bool missing = !hasLeadingNumber(number);
            v.GWMissing[j][r] = missing;
            float value = 0;
            if (!missing) {
                const double read = qnum::LeadingNumber(number);
                const double reading = below ? read * lessThan : read;
                value = float(run.GWElevIsElevation == 1 ? reading : ref - reading);
            }
            v.GWValue[j][r] = value;
        }
    }
    // The count is taken once its notes are read.
    int16_t notes = 0;
    readNotes(in, notes, v.RunItemNotes);
    v.RunItemNoteCount = notes;
    // Lines of the sets read so far, this one included.
    v.ItemBlockLines = blockLines + lines + 1 + notes;
}

// A value read under the trap of its routine; nothing when the reading failed.
template <typename V, typename Read> std::optional<V> trappedValue(const char* name, Read read) {
    V v;
    if (!trap(QString::fromLatin1(name), [&] { read(v); })) return std::nullopt;
    return v;
}

} // namespace

// Each kind's readers, named in their messages as the routines the run calls them by.
std::optional<WellSumRun> readWellSumRun(const RunFile& file) {
    return trappedValue<WellSumRun>("getwellsumformat", [&](WellSumRun& r) { readRun(file, r); });
}
std::optional<WellSumItem> readWellSumItem(const WellSumRun& run, int item) {
    return trappedValue<WellSumItem>("getwellsumdata", [&](WellSumItem& v) { readItem(run, item, v); });
}
std::optional<ParSumRun> readParSumRun(const RunFile& file) {
    return trappedValue<ParSumRun>("getparsumformat", [&](ParSumRun& r) { readRun(file, r); });
}
std::optional<ParSumItem> readParSumItem(const ParSumRun& run, int item) {
    return trappedValue<ParSumItem>("getparsumdata", [&](ParSumItem& v) { readItem(run, item, v); });
}
std::optional<DateSumRun> readDateSumRun(const RunFile& file) {
    return trappedValue<DateSumRun>("getdatesumformat", [&](DateSumRun& r) { readRun(file, r); });
}
std::optional<DateSumItem> readDateSumItem(const DateSumRun& run, int item) {
    return trappedValue<DateSumItem>("getdatesumdata", [&](DateSumItem& v) { readItem(run, item, v); });
}
std::optional<StiffRun> readStiffRun(const RunFile& file) {
    return trappedValue<StiffRun>("getstiffformat", [&](StiffRun& r) { readRun(file, r); });
}
std::optional<StiffItem> readStiffItem(const StiffRun& run, int item) {
    return trappedValue<StiffItem>("getstiffdata", [&](StiffItem& v) { readItem(run, item, v); });
}
std::optional<GWElevRun> readGWElevRun(const RunFile& file) {
    return trappedValue<GWElevRun>("getgwelevformat", [&](GWElevRun& r) { readRun(file, r); });
}
std::optional<GWElevItem> readGWElevItem(const GWElevRun& run, int item) {
    return trappedValue<GWElevItem>("getgwelevdata", [&](GWElevItem& v) { readItem(run, item, v); });
}
