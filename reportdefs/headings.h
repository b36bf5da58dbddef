// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

// The heading texts and the logo settings. The heading editor and the report runs share them: the
// editor uses HeadingLines 1..16 (its grid rows), a run fills the slots its report kind prints.
struct HeadingLogo {
    static constexpr int MaxHeadingLines = 72;

    std::array<QString, MaxHeadingLines + 1> HeadingLines;

    // Logo settings: the editor reads LogoKind and LogoFile; a run reads all of them.
    std::array<QString, 4> LogoText;     // lines 1..3
    int16_t LogoKind = 0;                // 1 bitmap logo, anything else text logo
    QString LogoFile;                    // the bitmap
    std::array<float, 4> LogoTextSize{}; // points, 1..3

    void reset() { *this = HeadingLogo{}; }
};

HeadingLogo& headinglogo();

// ---- the heading file (".qlh"): the banner, then the 16 rows of the editor's grid as typed

inline const QString HeadingBanner = QStringLiteral("Quillmare 5.0.3");
constexpr int HeadingRows = 16;
using HeadingRowTexts = std::array<QString, HeadingRows + 1>; // rows 1..16

// The texts the rows replace, 1..16: the editor's row captions.
const HeadingRowTexts& DefaultHeadingTexts();

// Rows 1..16 as stored, blanks kept; nothing when the first line is not the banner. Raises 53 when
// the file cannot be opened and 62 when it ends before its 17th line.
std::optional<HeadingRowTexts> readHeadingFile(const QString& path);
// Raises 5 for a row holding a line break.
QStringList headingFileLines(const HeadingRowTexts& rows);
void writeHeadingFile(const QString& path, const HeadingRowTexts& rows);

// The editor's procedures over headinglogo() and modgw().DialogFileName.
//
// Reads the heading file named by DialogFileName into HeadingLines 1..16. Only a whole file in the
// format is taken: a file that is not one gives "Incorrect Heading File Format: " and its path, a
// short or unreadable one the error message naming OpenHeadingFile; either way HeadingLines stay as
// they were and the result is false, so that the editor does not adopt the file.
bool OpenHeadingFile();
// Writes HeadingLines 1..16 to the file named by DialogFileName (the editor takes its grid into
// them first). A failure is reported naming SaveHeadingFile, leaves the old file and gives false.
bool SaveHeadingFile();

// After the editor saved the heading file at path: when the reports print another one, asks whether
// they print this one from now on (Yes, No); Yes makes it the HeadingFile setting, which the settings
// file takes with the others when the program closes. Asked at most once a file: asked names the
// files already offered in this editor. True when the reports print path now.
bool OfferHeadingFileForReports(const QString& path, QStringList& asked);

// The heading file a run reads for the HeadingFile setting: "usqmar.qlh" for none or for a file of
// the older ".hdg" format.
QString RunHeadingFile(const QString& setting);
// What the editor opens with: the texts the reports print now, rows 1..16 of the heading file a run
// reads (chosen in the Graphics/System Setup), or the default texts when that file cannot be read
// whole. Shows no box.
HeadingRowTexts CurrentHeadingTexts();

// ---- the logo settings file "logo.txt" in the program folder

inline const QString LogoFileName = QStringLiteral("logo.txt");

// The eight lines of "logo.txt": texts and sizes as typed, the kind and the bitmap path.
struct LogoFileData {
    std::array<QString, 4> Textln; // texts 1..3
    int16_t LogoKind = 0;          // 1 bitmap logo; written "1", any other kind "0"
    QString LogoFile;              // the bitmap
    std::array<QString, 4> Textsz; // sizes 1..3, as typed
    int Lines = 0;                 // how many of the eight lines the file held
};

// A file may hold fewer lines: the missing ones read empty and Lines says how many were there. The
// kind is the leading number of line 4 rounded; one that is no 16-bit number is 0, a text logo like
// every kind but 1. Raises 53 when the file cannot be opened.
LogoFileData readLogoFile(const QString& path);
// Raises 5 for a text holding a line break.
QStringList logoFileLines(const LogoFileData& data);
void writeLogoFile(const QString& path, const LogoFileData& data);

// What the editor shows: "logo.txt" as read, LogoKind and LogoFile set from it. A missing, unreadable
// or empty file gives empty boxes and the text logo.
LogoFileData LoadLogoForEditor();
// The editor's OK: LogoFile := the bitmap path, then "logo.txt" written whole. A failure is reported
// naming SaveLogoFile and gives false; the old file stays.
bool SaveLogoFile(const LogoFileData& data);

// ---- what a report run reads

// The logo settings of a run from "logo.txt": present text lines replace LogoText, line 4 the kind,
// line 5 LogoFile; a size line that is present and not empty gives its leading number, else 11, 11
// and 8; every size is then held within 6..24. A file that cannot be read is reported naming
// GetLogoData and changes nothing.
void GetLogoData();

// The heading file part of a run's heading read, for report kind 1..6 (source summary, parameter
// summary, date summary, Stiff, groundwater elevation, date contour): a HeadingFile ending in "hdg"
// becomes "usqmar.qlh"; a missing file or one without the banner is reported ("Heading file: ...
// could not be found", "Incorrect format in Heading File: ...") and changes nothing; else the kind's
// lines go into their slots of HeadingLines. Raises 62 for a file that ends before the kind's last
// line (nothing is taken then) and 5 for another kind; the run's heading reader owns the trap.
void ReadRunHeadings(int kind);
