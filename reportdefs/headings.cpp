// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportdefs/headings.h"

#include "platform/filenames.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"
#include "platform/uiservice.h"
#include "project/modgw.h"
#include "reportdefs/notesblock.h"

#include <algorithm>
#include <limits>
#include <vector>

HeadingLogo& headinglogo() {
    static HeadingLogo h;
    return h;
}

namespace {

constexpr int LogoLines = 8;

// A line of the heading or logo file is written as typed; only a line break is refused, since it
// would shift every line after it.
const auto& AsTyped = notesblock::NoteLine;

QString leftTrimmed(const QString& s) {
    qsizetype b = 0;
    while (b < s.size() && s[b] == u' ')
        ++b;
    return s.mid(b);
}

// Only 1 means the bitmap logo, so a kind that is no 16-bit number reads as the text logo it shows.
int16_t logoKindOf(const QString& line) {
    const double v = qnum::RoundHalfEven(qnum::LeadingNumber(line));
    if (v < std::numeric_limits<int16_t>::min() || v > std::numeric_limits<int16_t>::max()) return 0;
    return int16_t(v);
}

struct LineSlot {
    int line; // line of the heading file, 1 being the banner
    int slot; // of HeadingLines
};

// Which heading file lines a run of each report kind prints, and where they go. The groundwater
// elevation kind also splits lines 11..14 into label and value pairs (slots 2..9).
const std::vector<LineSlot>& slotsOf(int kind) {
    static const std::array<std::vector<LineSlot>, 7> table{{
        {},
        {{2, 1}, {3, 2}, {4, 3}, {5, 4}, {6, 5}, {7, 6}, {15, 7}},
        {{2, 4}, {4, 2}, {7, 5}, {8, 1}, {15, 3}},
        {{4, 2}, {5, 3}, {9, 1}, {10, 4}, {16, 5}},
        {{4, 2}, {9, 1}},
        {{2, 1}, {4, 10}, {17, 11}},
        {{4, 1}},
    }};
    return table[kind];
}

constexpr int ElevationKind = 5;

} // namespace

const HeadingRowTexts& DefaultHeadingTexts() {
    static const HeadingRowTexts texts{
        QString(),
        QStringLiteral("SOURCE"),
        QStringLiteral("Sampling Dates"),
        QStringLiteral("NOTES"),
        QStringLiteral("Units"),
        QStringLiteral("PARAMETER"),
        QStringLiteral("Date, Sampled"),
        QStringLiteral("Project Dates"),
        QStringLiteral("EPISODE"),
        QStringLiteral("SCALE MAX"),
        QStringLiteral("Ref, Elevation"),
        QStringLiteral("Dates"),
        QStringLiteral("Water, Depth"),
        QStringLiteral("Water, Elevation"),
        QStringLiteral("LEGEND"),
        QStringLiteral("Distance"),
        QStringLiteral("Elevation"),
    };
    return texts;
}

std::optional<HeadingRowTexts> readHeadingFile(const QString& path) {
    qtext::LineReader in(path);
    if (in.next() != HeadingBanner) return std::nullopt;
    HeadingRowTexts rows;
    for (int r = 1; r <= HeadingRows; ++r)
        rows[r] = in.next();
    return rows;
}

QStringList headingFileLines(const HeadingRowTexts& rows) {
    QStringList out{HeadingBanner};
    for (int r = 1; r <= HeadingRows; ++r)
        out << AsTyped(rows[r]);
    return out;
}

void writeHeadingFile(const QString& path, const HeadingRowTexts& rows) {
    const QStringList lines = headingFileLines(rows);
    if (path.isEmpty()) raiseError(qmerr::PathFileAccess);
    qtext::WriteLines(path, lines);
}

bool OpenHeadingFile() {
    const QString path = modgw().DialogFileName;
    bool read = false;
    trap(QStringLiteral("OpenHeadingFile"), [&] {
        const auto rows = readHeadingFile(path);
        if (!rows) {
            ui().MsgBox(QStringLiteral("Incorrect Heading File Format: ") + path);
            return;
        }
        HeadingLogo& h = headinglogo();
        for (int r = 1; r <= HeadingRows; ++r)
            h.HeadingLines[r] = (*rows)[r];
        read = true;
    });
    return read;
}

bool SaveHeadingFile() {
    return trap(QStringLiteral("SaveHeadingFile"), [&] {
        HeadingRowTexts rows;
        const HeadingLogo& h = headinglogo();
        for (int r = 1; r <= HeadingRows; ++r)
            rows[r] = h.HeadingLines[r];
        writeHeadingFile(modgw().DialogFileName, rows);
    });
}

bool OfferHeadingFileForReports(const QString& path, QStringList& asked) {
    ModGW& m = modgw();
    const QString current = qfile::Absolute(RunHeadingFile(m.HeadingFile));
    if (qfile::Absolute(path) == current) return true;
    if (asked.contains(path)) return false;
    asked << path;
    const QString question = QStringLiteral("The reports print the headings of %1.\r\n\r\nPrint the headings "
                                            "of %2 from now on?")
                                 .arg(qfile::Normalize(current), path);
    if (ui().MsgBox(question, vb::YesNo | vb::Question, titleEmpty) != vb::Yes) return false;
    m.HeadingFile = path;
    return true;
}

LogoFileData readLogoFile(const QString& path) {
    const QStringList lines = qtext::ReadLines(path);
    LogoFileData d;
    d.Lines = int(std::min<qsizetype>(lines.size(), LogoLines));
    const auto line = [&](int n) { return lines.value(n - 1); };
    for (int i = 1; i <= 3; ++i) {
        d.Textln[i] = line(i);
        d.Textsz[i] = line(5 + i);
    }
    d.LogoKind = logoKindOf(line(4));
    d.LogoFile = line(5);
    return d;
}

QStringList logoFileLines(const LogoFileData& d) {
    QStringList out;
    for (int i = 1; i <= 3; ++i)
        out << AsTyped(d.Textln[i]);
    out << (d.LogoKind == 1 ? QStringLiteral("1") : QStringLiteral("0"));
    out << AsTyped(d.LogoFile);
    for (int i = 1; i <= 3; ++i)
        out << AsTyped(d.Textsz[i]);
    return out;
}

void writeLogoFile(const QString& path, const LogoFileData& data) {
    qtext::WriteLines(path, logoFileLines(data));
}

LogoFileData LoadLogoForEditor() {
    LogoFileData d;
    try {
        d = readLogoFile(LogoFileName);
    } catch (const QmError&) {
        // Nothing to show yet: the editor starts empty and OK writes the first file.
        d = LogoFileData{};
    }
    HeadingLogo& h = headinglogo();
    h.LogoKind = d.LogoKind;
    h.LogoFile = d.LogoFile;
    return d;
}

bool SaveLogoFile(const LogoFileData& data) {
    headinglogo().LogoFile = data.LogoFile;
    return trap(QStringLiteral("SaveLogoFile"), [&] { writeLogoFile(LogoFileName, data); });
}

void GetLogoData() {
    LogoFileData d;
    if (!trap(QStringLiteral("GetLogoData"), [&] { d = readLogoFile(LogoFileName); })) return;
    HeadingLogo& h = headinglogo();
    for (int i = 1; i <= 3; ++i)
        if (d.Lines >= i) h.LogoText[i] = d.Textln[i];
    if (d.Lines >= 4) h.LogoKind = d.LogoKind;
    if (d.Lines >= 5) h.LogoFile = d.LogoFile;
    static constexpr std::array<float, 4> defaults{0, 11, 11, 8};
    for (int i = 1; i <= 3; ++i) {
        const bool given = d.Lines >= 5 + i && !d.Textsz[i].isEmpty();
        const float size = given ? float(qnum::LeadingNumber(d.Textsz[i])) : defaults[i];
        h.LogoTextSize[i] = std::clamp(size, 6.0f, 24.0f);
    }
}

QString RunHeadingFile(const QString& setting) {
    // Heading files of the older format are no longer read; the shipped file stands in for them,
    // and for no heading file at all (a first start names none).
    if (setting.endsWith(QStringLiteral("hdg")) || setting.isEmpty()) return QStringLiteral("usqmar.qlh");
    return setting;
}

HeadingRowTexts CurrentHeadingTexts() {
    try {
        const QString path = RunHeadingFile(modgw().HeadingFile);
        if (FileExists(path))
            if (const auto rows = readHeadingFile(path)) return *rows;
    } catch (const QmError&) {
        // A short or unreadable file: the reports keep the texts they have, the editor the defaults.
    }
    return DefaultHeadingTexts();
}

void ReadRunHeadings(int kind) {
    if (kind < 1 || kind > 6) raiseError(qmerr::InvalidArgument);
    ModGW& m = modgw();
    m.HeadingFile = RunHeadingFile(m.HeadingFile);
    if (!FileExists(m.HeadingFile)) {
        ui().MsgBox(QStringLiteral("Heading file: ") + m.HeadingFile + QStringLiteral(" could not be found"));
        return;
    }
    qtext::LineReader in(m.HeadingFile);
    if (in.next() != HeadingBanner) {
        ui().MsgBox(QStringLiteral("Incorrect format in Heading File: ") + m.HeadingFile);
        return;
    }
    const std::vector<LineSlot>& taken = slotsOf(kind);
    int last = 0;
    for (const LineSlot& s : taken)
        last = std::max(last, s.line);
    QStringList lines{HeadingBanner}; // lines[k - 1] is line k
    while (lines.size() < last)
        lines << in.next();

    // Taken only once every line is there: a short file leaves the texts of the last run whole.
    HeadingLogo& h = headinglogo();
    for (const LineSlot& s : taken)
        h.HeadingLines[s.slot] = lines[s.line - 1];
    if (kind == ElevationKind) {
        for (int i = 1; i <= 4; ++i) {
            const QString& line = lines[10 + i - 1];
            const qsizetype comma = line.indexOf(u',');
            h.HeadingLines[2 * i] = comma < 0 ? line : line.left(comma);
            h.HeadingLines[2 * i + 1] = comma < 0 ? QString() : leftTrimmed(line.mid(comma + 1));
        }
    }
}
