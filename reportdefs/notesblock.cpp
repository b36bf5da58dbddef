// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportdefs/notesblock.h"

#include "platform/numbers.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"

namespace notesblock {

namespace {

constexpr int MaxLines = ReportNotesBlock::MaxLines;
constexpr int MaxItems = ReportNotesBlock::MaxItems;

QString checkedLine(const QString& s) {
    if (s.contains(u'\r') || s.contains(u'\n')) raiseError(qmerr::InvalidArgument);
    return s;
}

void readLines(qtext::LineReader& in, int16_t& count, std::array<QString, MaxLines + 1>& lines) {
    count = ReadCount(in, MaxLines);
    for (int k = 1; k <= MaxLines; ++k)
        lines[k] = k <= count ? in.next() : QString();
}

void appendLines(QStringList& out, int count, const std::array<QString, MaxLines + 1>& lines,
                 CountStyle style) {
    out << CountLine(count, style, MaxLines);
    for (int k = 1; k <= count; ++k)
        out << NoteLine(lines[k]);
}

} // namespace

QString TrimBlanks(const QString& s) {
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && s[b] == u' ')
        ++b;
    while (e > b && s[e - 1] == u' ')
        --e;
    return s.mid(b, e - b);
}

QString ValueLine(const QString& s) { return checkedLine(TrimBlanks(s)); }

QString NoteLine(const QString& s) { return checkedLine(s); }

QString CountLine(int n, CountStyle style, int limit) {
    if (n < 0 || n > limit) raiseError(qmerr::Subscript);
    const QString digits = QString::number(n);
    return style == CountStyle::Padded ? QStringLiteral(" ") + digits + QStringLiteral(" ") : digits;
}

int16_t ReadCount(qtext::LineReader& in, int limit) {
    const int16_t n = qnum::ReadInt16(in.next());
    if (n < 0 || n > limit) raiseError(qmerr::Subscript);
    return n;
}

void ReadGeneralNotes(qtext::LineReader& in, ReportNotesBlock& notes) {
    readLines(in, notes.GeneralNoteCount, notes.GeneralNotes);
}

void ReadItemNotes(qtext::LineReader& in, ReportNotesBlock& notes, int items) {
    if (items < 0) raiseError(qmerr::Subscript);
    for (int i = 1; i <= MaxItems; ++i) {
        if (i <= items) {
            readLines(in, notes.ItemNoteCount[i], notes.ItemNotes[i]);
        } else {
            notes.ItemNoteCount[i] = 0;
            for (QString& l : notes.ItemNotes[i])
                l.clear();
        }
    }
    // The 201st item has no place to go.
    if (items > MaxItems) raiseError(qmerr::Subscript);
}

void AppendGeneralNotes(QStringList& out, const ReportNotesBlock& notes, CountStyle style) {
    appendLines(out, notes.GeneralNoteCount, notes.GeneralNotes, style);
}

void AppendItemNotes(QStringList& out, const ReportNotesBlock& notes, int items, CountStyle style) {
    if (items < 0 || items > MaxItems) raiseError(qmerr::Subscript);
    for (int i = 1; i <= items; ++i)
        appendLines(out, notes.ItemNoteCount[i], notes.ItemNotes[i], style);
}

void ClearNotes(ReportNotesBlock& notes) {
    notes.GeneralNoteCount = 0;
    for (QString& l : notes.GeneralNotes)
        l.clear();
    for (int i = 0; i <= MaxItems; ++i) {
        notes.ItemNoteCount[i] = 0;
        for (QString& l : notes.ItemNotes[i])
            l.clear();
    }
}

} // namespace notesblock
