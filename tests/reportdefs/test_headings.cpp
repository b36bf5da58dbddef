// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qmerror.h"
#include "project/modgw.h"
#include "reportdefs/headings.h"
#include "reportdefs/reportdeftest.h"
#include "support/scriptedui.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <optional>

namespace {

const QString kTyped = QStringLiteral(QMAR_TEST_DATA "/reportdefs/heading_typed.qlh");
const QString kTextLogo = QStringLiteral(QMAR_TEST_DATA "/reportdefs/logo_textlogo.txt");

class Headings : public ReportDefTest {};

// The rows of heading_typed.qlh: blanks typed around a text, empty rows, the last one too.
HeadingRowTexts typedRows() {
    return {QString(),
            "  WELL  ",
            "Sample Dates",
            "",
            "Units",
            "ANALYTE",
            "Date, Sampled",
            "",
            "ROUND",
            "SCALE MAX",
            "Ref, Elevation",
            "Dates",
            "Water,Depth",
            "Water,   Elevation ",
            "LEGEND",
            "Distance (ft)",
            ""};
}

void setHeadingLines(const QString& prefix) {
    for (int i = 1; i <= HeadingLogo::MaxHeadingLines; ++i)
        headinglogo().HeadingLines[i] = prefix + QString::number(i);
}

// HeadingLines 1..72, readable in a failure.
QStringList headingLines() {
    const auto& h = headinglogo().HeadingLines;
    return QStringList(h.begin() + 1, h.end());
}

} // namespace

TEST_F(Headings, TheHeadingFileKeepsRowsAsTypedInSeventeenLines) {
    writeHeadingFile(pf.file("typed.qlh"), typedRows());
    const QByteArray bytes = readRaw(pf.file("typed.qlh"));
    EXPECT_EQ(bytes, readRaw(kTyped));
    EXPECT_EQ(bytes.count("\r\n"), 17);

    const auto rows = readHeadingFile(kTyped);
    ASSERT_TRUE(rows);
    EXPECT_EQ(*rows, typedRows());

    HeadingRowTexts empty;
    writeHeadingFile(pf.file("empty.qlh"), empty);
    EXPECT_EQ(readRaw(pf.file("empty.qlh")),
              QByteArray("Quillmare 5.0.3") + QByteArray(17, '\0').replace('\0', "\r\n"));
}

TEST_F(Headings, OpenHeadingFileTakesAWholeFileIntoTheEditorRows) {
    ScriptedUi ui;
    setHeadingLines("old ");
    modgw().DialogFileName = QStringLiteral(QMAR_TEST_DATA "/REPORTDEFS/Heading_Typed.QLH");
    ASSERT_TRUE(OpenHeadingFile());
    const HeadingRowTexts rows = typedRows();
    for (int r = 1; r <= 16; ++r)
        EXPECT_EQ(headinglogo().HeadingLines[r], rows[r]) << r;
    EXPECT_EQ(headinglogo().HeadingLines[17], "old 17"); // the editor owns rows 1..16 only
}

TEST_F(Headings, AHeadingFileThatIsNotWholeChangesNothing) {
    const QByteArray full = readRaw(kTyped);
    struct Case {
        const char* what;
        std::optional<QByteArray> bytes; // none: no file
        QString message;                 // "%1" stands for the path
    };
    const QList<Case> cases{
        {"another banner", "Quillmare 5.0.2\r\n" + full.mid(full.indexOf('\n') + 1),
         "Incorrect Heading File Format: %1"},
        {"the banner in another case", "quillmare 5.0.3\r\n" + full.mid(full.indexOf('\n') + 1),
         "Incorrect Heading File Format: %1"},
        {"a blank after the banner", "Quillmare 5.0.3 \r\n" + full.mid(full.indexOf('\n') + 1),
         "Incorrect Heading File Format: %1"},
        {"16 lines", full.left(full.size() - 2), "Error 62 in OpenHeadingFile.  Please contact Kalvex"},
        {"the banner alone", "Quillmare 5.0.3\r\n", "Error 62 in OpenHeadingFile.  Please contact Kalvex"},
        {"an empty file", QByteArray(), "Error 62 in OpenHeadingFile.  Please contact Kalvex"},
        {"no file", std::nullopt, "Error 53 in OpenHeadingFile.  Please contact Kalvex"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        setHeadingLines("kept ");
        const QString path = pf.file("bad.qlh");
        QFile::remove(path);
        if (c.bytes) writeRaw(path, *c.bytes);
        modgw().DialogFileName = path;
        ScriptedUi ui;
        ui.answer(vb::OK);
        EXPECT_FALSE(OpenHeadingFile());
        EXPECT_EQ(ui.texts.value(0), QString(c.message).replace("%1", path));
        EXPECT_EQ(ui.styles.value(0), vb::OKOnly);
        EXPECT_EQ(ui.titles.value(0), "");
        for (int r = 1; r <= 16; ++r)
            EXPECT_EQ(headinglogo().HeadingLines[r], "kept " + QString::number(r));
    }
}

TEST_F(Headings, SaveHeadingFileWritesTheRowsOrReportsAndLeavesTheOldFile) {
    const HeadingRowTexts rows = typedRows();
    for (int r = 1; r <= 16; ++r)
        headinglogo().HeadingLines[r] = rows[r];
    headinglogo().HeadingLines[17] = QStringLiteral("not a row");
    const QString path = pf.file("mine.qlh");
    modgw().DialogFileName = path;
    {
        ScriptedUi ui;
        ASSERT_TRUE(SaveHeadingFile());
    }
    ASSERT_EQ(readRaw(path), readRaw(kTyped));

    struct Case {
        const char* what;
        QString target;
        QString row1;
        int error;
    };
    const QList<Case> cases{
        {"a folder that does not exist", pf.file("gone/mine.qlh"), "X", 75},
        {"no name", QString(), "X", 75},
        {"a row holding a line break", path, "two\r\nlines", 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        headinglogo().HeadingLines[1] = c.row1;
        modgw().DialogFileName = c.target;
        ScriptedUi ui;
        const QString text = routineError("SaveHeadingFile", c.error);
        ui.answer(vb::OK, text);
        EXPECT_FALSE(SaveHeadingFile());
        EXPECT_EQ(readRaw(path), readRaw(kTyped));
    }
}

TEST_F(Headings, LogoFileKeepsTextsAndSizesAsTyped) {
    const LogoFileData d = readLogoFile(kTextLogo);
    EXPECT_EQ(d.Lines, 8);
    EXPECT_EQ(d.Textln[1], "Riverside Plating Works");
    EXPECT_EQ(d.Textln[2], "  Environmental Group");
    EXPECT_EQ(d.Textln[3], "");
    EXPECT_EQ(d.LogoKind, 0);
    EXPECT_EQ(d.LogoFile, "/srv/logos/river.bmp");
    EXPECT_EQ(d.Textsz[1], "14");
    EXPECT_EQ(d.Textsz[2], "");
    EXPECT_EQ(d.Textsz[3], "large");

    writeLogoFile(pf.file("copy.txt"), d);
    EXPECT_EQ(readRaw(pf.file("copy.txt")), readRaw(kTextLogo));

    // Only the graphic logo writes "1"; the bitmap path is written either way.
    LogoFileData g = d;
    g.LogoKind = 1;
    EXPECT_EQ(logoFileLines(g).value(3), "1");
    g.LogoKind = 2;
    EXPECT_EQ(logoFileLines(g).value(3), "0");
    EXPECT_EQ(logoFileLines(g).value(4), "/srv/logos/river.bmp");
    g.Textsz[2] = QStringLiteral("1\n2");
    EXPECT_THROW(logoFileLines(g), QmError);
}

TEST_F(Headings, TheEditorReadsLogoTxtFromTheProgramFolder) {
    HeadingLogo& h = headinglogo();
    struct Case {
        const char* what;
        std::optional<QByteArray> bytes; // none: no file
        QString text1;
        int16_t kind;
        QString bitmap;
    };
    const QList<Case> cases{
        {"the hand-written file", readRaw(kTextLogo), "Riverside Plating Works", 0, "/srv/logos/river.bmp"},
        {"no file", std::nullopt, "", 0, ""},
        {"an empty file", QByteArray(), "", 0, ""},
        {"three lines", "A\r\nB\r\nC\r\n", "A", 0, ""},
        {"the graphic logo", "A\r\n\r\n\r\n1\r\nlogo.bmp\r\n", "A", 1, "logo.bmp"},
        {"a kind rounding to 1", "A\r\n\r\n\r\n 1.4 \r\nlogo.bmp\r\n", "A", 1, "logo.bmp"},
        {"a kind beyond 16 bits", "A\r\n\r\n\r\n99999\r\nlogo.bmp\r\n", "A", 0, "logo.bmp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(pf.file("logo.txt"));
        if (c.bytes) writeRaw(pf.file("LOGO.TXT"), *c.bytes); // any case finds it
        h.LogoKind = 7;
        h.LogoFile = QStringLiteral("stale.bmp");
        ScriptedUi ui; // no box
        const LogoFileData d = LoadLogoForEditor();
        EXPECT_EQ(d.Textln[1], c.text1);
        EXPECT_EQ(d.LogoKind, c.kind);
        EXPECT_EQ(d.LogoFile, c.bitmap);
        EXPECT_EQ(h.LogoKind, c.kind);
        EXPECT_EQ(h.LogoFile, c.bitmap);
        QFile::remove(pf.file("LOGO.TXT"));
    }
}

TEST_F(Headings, SaveLogoFileWritesLogoTxtOrReportsTheFailure) {
    LogoFileData d = readLogoFile(kTextLogo);
    writeRaw(pf.file("Logo.txt"), "old\r\n");
    {
        ScriptedUi ui;
        ASSERT_TRUE(SaveLogoFile(d));
    }
    // The file of that name is replaced, not doubled.
    EXPECT_EQ(readRaw(pf.file("Logo.txt")), readRaw(kTextLogo));
    EXPECT_FALSE(QFile::exists(pf.file("logo.txt")));
    EXPECT_EQ(headinglogo().LogoFile, "/srv/logos/river.bmp");

    QFile::remove(pf.file("Logo.txt"));
    ASSERT_TRUE(QDir(pf.path()).mkdir("logo.txt")); // something that cannot be replaced by a file
    d.LogoFile = QStringLiteral("/srv/logos/other.bmp");
    ScriptedUi ui;
    ui.answer(vb::OK, QStringLiteral("Error 75 in SaveLogoFile.  Please contact Kalvex"));
    EXPECT_FALSE(SaveLogoFile(d));
    EXPECT_EQ(headinglogo().LogoFile, "/srv/logos/other.bmp");
}

TEST_F(Headings, GetLogoDataAppliesDefaultsAndLimits) {
    HeadingLogo& h = headinglogo();
    writeRaw(pf.file("logo.txt"), readRaw(kTextLogo));
    GetLogoData();
    EXPECT_EQ(h.LogoText[1], "Riverside Plating Works");
    EXPECT_EQ(h.LogoText[2], "  Environmental Group");
    EXPECT_EQ(h.LogoText[3], "");
    EXPECT_EQ(h.LogoKind, 0);
    EXPECT_EQ(h.LogoFile, "/srv/logos/river.bmp");
    EXPECT_EQ(h.LogoTextSize[1], 14.0f);
    EXPECT_EQ(h.LogoTextSize[2], 11.0f); // empty: the default
    EXPECT_EQ(h.LogoTextSize[3], 6.0f);  // no number: 0, held at the smallest

    writeRaw(pf.file("logo.txt"), "A\r\nB\r\nC\r\n1\r\nx.bmp\r\n4\r\n30\r\n \r\n");
    GetLogoData();
    EXPECT_EQ(h.LogoKind, 1);
    EXPECT_EQ(h.LogoTextSize[1], 6.0f);
    EXPECT_EQ(h.LogoTextSize[2], 24.0f);
    EXPECT_EQ(h.LogoTextSize[3], 6.0f); // a blank is not empty: its number is 0

    // Missing lines keep the texts, kind and bitmap the last run read; missing sizes take defaults.
    writeRaw(pf.file("logo.txt"), "New 1\r\nNew 2\r\n");
    GetLogoData();
    EXPECT_EQ(h.LogoText[1], "New 1");
    EXPECT_EQ(h.LogoText[2], "New 2");
    EXPECT_EQ(h.LogoText[3], "C");
    EXPECT_EQ(h.LogoKind, 1);
    EXPECT_EQ(h.LogoFile, "x.bmp");
    EXPECT_EQ(h.LogoTextSize[1], 11.0f);
    EXPECT_EQ(h.LogoTextSize[2], 11.0f);
    EXPECT_EQ(h.LogoTextSize[3], 8.0f);

    QFile::remove(pf.file("logo.txt"));
    {
        ScriptedUi ui;
        ui.answer(vb::OK, QStringLiteral("Error 53 in GetLogoData.  Please contact Kalvex"));
        GetLogoData();
    }
    EXPECT_EQ(h.LogoText[1], "New 1");
    EXPECT_EQ(h.LogoTextSize[3], 8.0f);
}

TEST_F(Headings, ARunTakesTheLinesOfItsKind) {
    ScriptedUi ui;
    modgw().HeadingFile = kTyped;
    struct Case {
        int kind;
        QList<std::pair<int, QString>> texts;
    };
    const QList<Case> cases{
        {1,
         {{1, "  WELL  "},
          {2, "Sample Dates"},
          {3, ""},
          {4, "Units"},
          {5, "ANALYTE"},
          {6, "Date, Sampled"},
          {7, "LEGEND"}}},
        {2, {{1, ""}, {2, ""}, {3, "LEGEND"}, {4, "  WELL  "}, {5, "Date, Sampled"}}},
        {3, {{1, "ROUND"}, {2, ""}, {3, "Units"}, {4, "SCALE MAX"}, {5, "Distance (ft)"}}},
        {4, {{1, "ROUND"}, {2, ""}}},
        // Lines 11..14 split at the first comma, the value left-trimmed only.
        {5,
         {{1, "  WELL  "},
          {2, "Ref"},
          {3, "Elevation"},
          {4, "Dates"},
          {5, ""},
          {6, "Water"},
          {7, "Depth"},
          {8, "Water"},
          {9, "Elevation "},
          {10, ""},
          {11, ""}}},
        {6, {{1, ""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        setHeadingLines("earlier ");
        ReadRunHeadings(c.kind);
        QStringList expected;
        for (int i = 1; i <= 72; ++i)
            expected << "earlier " + QString::number(i);
        for (const auto& [slot, text] : c.texts)
            expected[slot - 1] = text;
        EXPECT_EQ(headingLines(), expected);
    }
    EXPECT_EQ(modgw().HeadingFile, kTyped);
    EXPECT_THROW(ReadRunHeadings(7), QmError);
}

TEST_F(Headings, ARunReportsAHeadingFileItCannotUse) {
    ModGW& m = modgw();
    // An older heading file's name gives the shipped file of the program folder.
    writeRaw(pf.file("usqmar.qlh"), readRaw(kTyped));
    m.HeadingFile = QStringLiteral("/old/headings.hdg");
    {
        ScriptedUi ui;
        setHeadingLines("earlier ");
        ReadRunHeadings(6);
    }
    EXPECT_EQ(m.HeadingFile, "usqmar.qlh");
    EXPECT_EQ(headinglogo().HeadingLines[1], "");

    m.HeadingFile = pf.file("HEADINGS.HDG"); // only "hdg" in lower case is the older kind
    {
        ScriptedUi ui;
        ui.answer(vb::OK, QStringLiteral("Heading file: ") + pf.file("HEADINGS.HDG") + " could not be found");
        setHeadingLines("earlier ");
        ReadRunHeadings(1);
        EXPECT_EQ(headinglogo().HeadingLines[1], "earlier 1");
    }

    m.HeadingFile = pf.file("wrong.qlh");
    writeRaw(m.HeadingFile, "Quillmare 5.0.3x\r\n" + readRaw(kTyped).mid(17));
    {
        ScriptedUi ui;
        ui.answer(vb::OK, QStringLiteral("Incorrect format in Heading File: ") + m.HeadingFile);
        setHeadingLines("earlier ");
        ReadRunHeadings(1);
        EXPECT_EQ(headinglogo().HeadingLines[1], "earlier 1");
    }

    // A file long enough for the kind serves it; one too short gives 62 and changes nothing.
    m.HeadingFile = pf.file("short.qlh");
    writeRaw(m.HeadingFile, "Quillmare 5.0.3\r\nA\r\nB\r\nC\r\n");
    ScriptedUi ui;
    setHeadingLines("earlier ");
    ReadRunHeadings(6);
    EXPECT_EQ(headinglogo().HeadingLines[1], "C");
    setHeadingLines("earlier ");
    try {
        ReadRunHeadings(5);
        ADD_FAILURE() << "no error";
    } catch (const QmError& e) {
        EXPECT_EQ(e.number(), 62);
    }
    EXPECT_EQ(headinglogo().HeadingLines[1], "earlier 1");
}
