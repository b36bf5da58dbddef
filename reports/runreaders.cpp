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

// The reports' titles, notes and per-item state start empty with every format reader.
void clearCommon(GwGraph& g) {
    for (QString& t : g.ReportTitles)
        t.clear();
    g.StandardLabel.clear();
    g.RunGeneralNoteCount = 0;
    g.RunGeneralNotes.clear();
    g.ItemCaption.clear();
    g.RunItemNoteCount = 0;
    g.RunItemNotes.clear();
    g.HeaderLineCount = 0;
    g.ItemBlockLines = 0;
}

void clearItemNotes(GwGraph& g) {
    g.ItemCaption.clear();
    g.RunItemNoteCount = 0;
    g.RunItemNotes.clear();
}

// The general notes of a definition file, as a page prints them.
void takeGeneralNotes(GwGraph& g, const ReportNotesBlock& notes) {
    g.RunGeneralNoteCount = notes.GeneralNoteCount;
    for (int i = 1; i <= g.RunGeneralNoteCount; ++i)
        g.RunGeneralNotes[i] = noteLine(notes.GeneralNotes[i]);
}

// Fixed-size item blocks (date summary, Stiff): skips the header and the items before CurItem,
// each a block of ItemBlockLines and its counted notes, then reads the item's caption and title.
void readItemHead(LineReader& in, GwGraph& g) {
    skip(in, g.HeaderLineCount);
    for (int item = 1; item < g.CurItem; ++item) {
        skip(in, g.ItemBlockLines);
        skipCounted(in);
    }
    g.ItemCaption = in.next();
    g.ReportTitles[5] = in.next();
}

// ---- source summary

void clearWellSumItem(GwGraph& g) {
    clearItemNotes(g);
    g.ItemName.clear();
    g.RecordCount = 0;
    g.RecordDates.clear();
    g.RecordValues.clear();
}

void readWellSumFormat() {
    GwGraph& g = gwgraph();
    clearCommon(g);
    clearWellSumItem(g);
    const WellSumFileData data = readWellSumFile(g.ReportFile);
    const WellSumDefinition& d = data.Definition;
    // The last slot with a parameter number; all eleven when none has one.
    g.SlotCount = GwGraph::Slots;
    for (int j = 1; j <= GwGraph::Slots; ++j) {
        const auto& f = d.WellSumGrid[j];
        if (!f[1].isEmpty()) g.SlotCount = int16_t(j);
        for (int k = 1; k <= 3; ++k)
            g.SlotParts[j][k] = f[1 + k];
        g.SlotUnits[j] = f[5];
        g.SlotStandard[j] = f[6];
        g.SlotLabel[j] = f[7];
        splitScale(f[8], g.SlotScale[j][1], g.SlotScale[j][2], g.SlotScale[j][3], true);
    }
    for (int i = 1; i <= 4; ++i)
        g.ReportTitles[i] = d.WellSumInfo[i];
    g.TableGraphOption = d.WellSumInfo[5].toUpper();
    g.StandardLabel = d.WellSumInfo[6];
    g.HighlightDate = d.WellSumInfo[7];
    takeGeneralNotes(g, data.Notes);
}

void readWellSumData() {
    GwGraph& g = gwgraph();
    clearWellSumItem(g);
    LineReader in(rundata::DataFilePath(g.ReportFile, QStringLiteral("WSD")));
    for (int item = 1; item < g.CurItem; ++item) {
        skip(in, 2);
        skipCounted(in);
        skipCounted(in);
    }
    g.ItemName = in.next();
    g.ItemCaption = in.next();
    g.RecordCount = readCount(in);
    const int columns = qMax<int>(1, g.SlotCount);
    for (int r = 1; r <= g.RecordCount; ++r) {
        const QString line = in.next();
        // Date, then one value per slot; a line with fewer fields leaves the rest empty and the
        // last slot takes whatever follows.
        OneBased<QString>& values = g.RecordValues[r];
        values.resize(columns);
        qsizetype at = line.indexOf(u',');
        g.RecordDates[r] = at < 0 ? line : line.left(at);
        for (int j = 1; j <= columns && at >= 0; ++j) {
            const qsizetype from = at + 1;
            at = j < columns ? line.indexOf(u',', from) : -1;
            values[j] = at < 0 ? line.mid(from) : line.mid(from, at - from);
        }
    }
    readNotes(in, g.RunItemNoteCount, g.RunItemNotes);
}

// ---- parameter summary

void clearParSumItem(GwGraph& g) {
    clearItemNotes(g);
    g.ParFullName.clear();
    g.ParUnits.clear();
    g.ParStandard.clear();
    g.ParScaleStart.clear();
    g.ParScaleEnd.clear();
    g.ParScaleInc.clear();
    g.ParSourceNames.clear();
    g.ParRecordCount.clear();
    g.ParRecordDates.clear();
    g.ParRecordValues.clear();
}

void readParSumFormat() {
    GwGraph& g = gwgraph();
    clearCommon(g);
    clearParSumItem(g);
    g.RunSourceCount = 0;
    const Par1SumFileData data = readPar1SumFile(g.ReportFile);
    g.RunSourceCount = data.Definition.Par1SourceCount;
    g.ItemSourceCount = g.RunSourceCount;
    for (int i = 1; i <= 4; ++i)
        g.ReportTitles[i] = data.Definition.Par1Info[i];
    g.StandardLabel = data.Definition.Par1Info[5];
    takeGeneralNotes(g, data.Notes);
}

void readParSumData() {
    GwGraph& g = gwgraph();
    clearParSumItem(g);
    g.ItemSourceCount = g.RunSourceCount;
    LineReader in(rundata::DataFilePath(g.ReportFile, QStringLiteral("PSD")));
    for (int item = 1; item < g.CurItem; ++item) {
        skip(in, 5);
        for (int s = 1; s <= g.RunSourceCount; ++s) {
            in.next();
            skipCounted(in);
        }
        skipCounted(in);
    }
    g.ParFullName = in.next();
    g.ParUnits = in.next();
    g.ParStandard = in.next();
    splitScale(in.next(), g.ParScaleStart, g.ParScaleEnd, g.ParScaleInc, false);
    g.ItemCaption = in.next();
    for (int s = 1; s <= g.ItemSourceCount; ++s) {
        g.ParSourceNames[s] = in.next();
        const int16_t n = readCount(in);
        g.ParRecordCount[s] = n;
        OneBased<QString>& dates = g.ParRecordDates[s];
        OneBased<QString>& values = g.ParRecordValues[s];
        for (int r = 1; r <= n; ++r) {
            const QString line = in.next();
            dates[r] = line.left(10);
            const qsizetype at = line.indexOf(u',');
            values[r] = at < 0 ? QString() : trimRight(QStringView(line).mid(at + 1));
        }
    }
    readNotes(in, g.RunItemNoteCount, g.RunItemNotes);
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

void readDateSumFormat() {
    GwGraph& g = gwgraph();
    clearCommon(g);
    g.RecordValues.clear();
    g.ItemParCount = 0;
    for (auto& l : g.ParLabel)
        l.clear();
    g.DateParUnits.clear();
    g.DateParStandard.clear();
    g.ParScaleMax.clear();
    g.RunSourceCount = 0;
    g.RunSourceName.clear();
    g.RunSourceAbove.clear();
    g.RunSourceX.clear();
    g.RunSourceY.clear();
    g.DateMapCount = 0;
    g.MapParCount.fill(0);
    for (auto& m : g.MapParams)
        m.clear();

    LineReader in(g.ReportFile);
    const int16_t P = readCount(in);
    g.ItemParCount = P;
    for (int p = 1; p <= P; ++p) {
        for (int line = 1; line <= 3; ++line)
            g.ParLabel[line][p] = in.next();
        g.DateParUnits[p] = in.next();
        g.DateParStandard[p] = in.next();
        g.ParScaleMax[p] = in.next();
    }
    const int16_t S = readCount(in);
    g.RunSourceCount = S;
    g.ItemSourceCount = S;
    for (int s = 1; s <= S; ++s) {
        g.RunSourceName[s] = in.next();
        g.RunSourceAbove[s] = in.next() == QLatin1String("A") ? 1 : 0;
        g.RunSourceX[s] = float(qnum::LeadingNumber(in.next()));
        g.RunSourceY[s] = float(qnum::LeadingNumber(in.next()));
    }
    for (int i = 1; i <= 4; ++i)
        g.ReportTitles[i] = in.next();
    g.StandardLabel = in.next();
    readAxis(in.next(), g.MapXStart, g.MapXEnd, g.MapXInc);
    readAxis(in.next(), g.MapYStart, g.MapYEnd, g.MapYInc);
    g.MapDistanceUnit = in.next();
    g.MapRadiusMult = float(qnum::LeadingNumber(in.next()));
    // Maps end at the first empty line; lines after it are read but not drawn.
    int16_t maps = GwGraph::MaxMaps;
    for (int m = 1; m <= GwGraph::MaxMaps; ++m) {
        const QString line = in.next();
        if (line.trimmed().isEmpty()) {
            if (maps == GwGraph::MaxMaps) maps = int16_t(m - 1);
            continue;
        }
        const QStringList fields = line.split(u',');
        for (int k = 1; k <= fields.size(); ++k)
            g.MapParams[m][k] = qnum::ReadInt16(fields[k - 1]);
        g.MapParCount[m] = int16_t(fields.size());
    }
    g.DateMapCount = maps;
    readNotes(in, g.RunGeneralNoteCount, g.RunGeneralNotes);
    g.HeaderLineCount = 22 + 6 * P + 4 * S + g.RunGeneralNoteCount;
    g.ItemBlockLines = S * P + 2;
}

void readDateSumData() {
    GwGraph& g = gwgraph();
    clearItemNotes(g);
    g.ReportTitles[5].clear();
    g.RecordValues.clear();
    g.ItemSourceCount = g.RunSourceCount;
    LineReader in(g.ReportFile);
    readItemHead(in, g);
    for (int s = 1; s <= g.RunSourceCount; ++s) {
        OneBased<QString>& values = g.RecordValues[s];
        for (int p = 1; p <= g.ItemParCount; ++p)
            values[p] = in.next();
    }
    readNotes(in, g.RunItemNoteCount, g.RunItemNotes);
}

// ---- Stiff

void clearStiffItem(GwGraph& g) {
    clearItemNotes(g);
    g.ReportTitles[5].clear();
    g.StiffSourceName.clear();
    g.StiffValue.clear();
}

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

void readStiffFormat() {
    GwGraph& g = gwgraph();
    clearCommon(g);
    clearStiffItem(g);
    g.StiffParCount.fill(0);
    g.StiffSourceCount.fill(0);
    g.StiffParName.clear();
    g.StiffParUnits.clear();
    g.StiffScaleMax.clear();
    g.StiffScaleStep.clear();

    LineReader in(g.ReportFile);
    for (int s = 1; s <= 2; ++s) {
        g.StiffParCount[s] = readCount(in);
        for (int j = 1; j <= g.StiffParCount[s]; ++j) {
            g.StiffParName[j][s] = in.next();
            g.StiffParUnits[j][s] = in.next();
            readStiffScale(in.next(), g.StiffScaleMax[j][s], g.StiffScaleStep[j][s]);
        }
        g.StiffSourceCount[s] = readCount(in);
    }
    readNotes(in, g.RunGeneralNoteCount, g.RunGeneralNotes);
    for (int i = 1; i <= 4; ++i)
        g.ReportTitles[i] = in.next();
    const int p1 = g.StiffParCount[1], p2 = g.StiffParCount[2];
    const int q1 = g.StiffSourceCount[1], q2 = g.StiffSourceCount[2];
    g.HeaderLineCount = 3 * (p1 + p2) + g.RunGeneralNoteCount + 9;
    g.ItemBlockLines = (p1 + 1) * q1 + (p2 + 1) * q2 + 2;
}

void readStiffData() {
    GwGraph& g = gwgraph();
    clearStiffItem(g);
    LineReader in(g.ReportFile);
    readItemHead(in, g);
    for (int s = 1; s <= 2; ++s)
        for (int r = 1; r <= g.StiffSourceCount[s]; ++r) {
            g.StiffSourceName[r][s] = in.next();
            for (int j = 1; j <= g.StiffParCount[s]; ++j)
                g.StiffValue[r][j][s] = in.next();
        }
    readNotes(in, g.RunItemNoteCount, g.RunItemNotes);
}

// ---- groundwater elevation

void clearGWElevItem(GwGraph& g) {
    clearItemNotes(g);
    g.ReportTitles[5].clear();
    g.GWScaleLow = g.GWScaleHigh = g.GWScaleStep = 0;
    g.ItemSourceCount = 0;
    g.GWSourceName.clear();
    g.GWRefElev.clear();
    g.GWRecordCount.clear();
    g.GWDate.clear();
    g.GWValueText.clear();
    g.GWValue.clear();
    g.GWMissing.clear();
}

void readGWElevFormat() {
    GwGraph& g = gwgraph();
    clearCommon(g);
    clearGWElevItem(g);
    g.GWElevIsElevation = 0;
    g.GWUnits.clear();
    LineReader in(g.ReportFile);
    g.GWElevIsElevation = in.next().toUpper() == QLatin1String("E") ? 1 : 0;
    g.GWUnits = in.next();
    for (int i = 1; i <= 4; ++i)
        g.ReportTitles[i] = in.next();
    readNotes(in, g.RunGeneralNoteCount, g.RunGeneralNotes);
    g.GWElevItemCount = readCount(in);
    g.HeaderLineCount = g.RunGeneralNoteCount + 8;
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

void readGWElevData() {
    GwGraph& g = gwgraph();
    clearGWElevItem(g);
    LineReader in(g.ReportFile);
    skip(in, g.HeaderLineCount);
    // Earlier sets are skipped by their own counts, so any set can be read, whether or not the
    // sets before it read well.
    int blockLines = 0;
    for (int item = 1; item < g.CurItem; ++item)
        blockLines += skipGWElevBlock(in);
    g.ReportTitles[5] = in.next();

    const GWScaleParts scale = ParseGWScale(in.next());
    g.GWScaleLow = scale.low;
    g.GWScaleHigh = scale.high;
    g.GWScaleStep = scale.step;

    const double lessThan = qnum::LeadingNumber(modgw().LessThanFactor);
    g.ItemSourceCount = readCount(in);
    int lines = 3;
    for (int j = 1; j <= g.ItemSourceCount; ++j) {
        g.GWSourceName[j] = in.next();
        const float ref = float(qnum::LeadingNumber(in.next()));
        g.GWRefElev[j] = ref;
        const int16_t k = readCount(in);
        g.GWRecordCount[j] = k;
        lines += 3 + k;
        for (int r = 1; r <= k; ++r) {
            // A line without a comma is a date without a reading.
            const QString line = in.next();
            const qsizetype at = line.indexOf(u',');
            g.GWDate[j][r] = trimRight(at < 0 ? QStringView(line) : QStringView(line).left(at));
            const QString text = at < 0 ? QString() : trimLeft(QStringView(line).mid(at + 1));
            g.GWValueText[j][r] = text;
            // Missing unless a number leads the text (after an optional "<"); a flag, so a real
            // reading of any value stays a reading.
            const bool below = text.startsWith(u'<');
            const QStringView number = below ? QStringView(text).mid(1) : QStringView(text);
            const bool missing = !hasLeadingNumber(number);
            g.GWMissing[j][r] = missing;
            float v = 0;
            if (!missing) {
                const double read = qnum::LeadingNumber(number);
                const double value = below ? read * lessThan : read;
                v = float(g.GWElevIsElevation == 1 ? value : ref - value);
            }
            g.GWValue[j][r] = v;
        }
    }
    int16_t notes = 0;
    readNotes(in, notes, g.RunItemNotes);
    g.RunItemNoteCount = notes;
    // Lines of the sets read so far, this one included.
    g.ItemBlockLines = blockLines + lines + 1 + notes;
}

} // namespace

// Each reader runs under its own trap; the macro keeps the name in its message the reader's own.
#define TRAPPED_READER(name, body) \
    bool name() { return Trapped(QStringLiteral(#name), body); }

TRAPPED_READER(getwellsumformat, readWellSumFormat)
TRAPPED_READER(getwellsumdata, readWellSumData)
TRAPPED_READER(getparsumformat, readParSumFormat)
TRAPPED_READER(getparsumdata, readParSumData)
TRAPPED_READER(getdatesumformat, readDateSumFormat)
TRAPPED_READER(getdatesumdata, readDateSumData)
TRAPPED_READER(getgwelevformat, readGWElevFormat)
TRAPPED_READER(getgwelevdata, readGWElevData)
TRAPPED_READER(getstiffformat, readStiffFormat)
TRAPPED_READER(getstiffdata, readStiffData)

#undef TRAPPED_READER
