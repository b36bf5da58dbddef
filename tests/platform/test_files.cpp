// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/filenames.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"
#include "support/testenv.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

TEST(TextFile, ReadsAllThreeLineEndsAndWritesCrLf) {
    TempProgramFolder pf;
    writeRaw(pf.file("mixed.txt"), "a\r\nb\nc\rd");
    EXPECT_EQ(qtext::ReadLines(pf.file("mixed.txt")), QStringList({"a", "b", "c", "d"}));
    writeRaw(pf.file("trail.txt"), "a\r\n\r\n");
    EXPECT_EQ(qtext::ReadLines(pf.file("trail.txt")), QStringList({"a", ""}));
    qtext::WriteLines(pf.file("out.txt"), {"x", "", "y"});
    EXPECT_EQ(readRaw(pf.file("out.txt")), QByteArray("x\r\n\r\ny\r\n"));
}

TEST(TextFile, EncodingIsLatin1WhenItFitsElseUtf8AndReadsBackTheSame) {
    TempProgramFolder pf;
    const QString notes = QStringLiteral("Well ") + QChar(0xB6) + QStringLiteral(" caf") + QChar(0xE9);
    qtext::WriteLines(pf.file("l1.txt"), {notes});
    EXPECT_EQ(readRaw(pf.file("l1.txt")), QByteArray("Well \xB6 caf\xE9\r\n"));
    EXPECT_EQ(qtext::ReadLines(pf.file("l1.txt")), QStringList{notes});

    const QString wide = notes + QChar(0x20AC); // the euro sign is beyond Latin-1
    qtext::WriteLines(pf.file("u8.txt"), {wide});
    EXPECT_EQ(readRaw(pf.file("u8.txt")), (wide + "\r\n").toUtf8());
    EXPECT_EQ(qtext::ReadLines(pf.file("u8.txt")), QStringList{wide});
}

TEST(TextFile, ErrorsCarryTheirNumbersAndAFailedWriteKeepsTheOldFile) {
    TempProgramFolder pf;
    try {
        qtext::ReadLines(pf.file("nothere.txt"));
        FAIL();
    } catch (const QmError& e) {
        EXPECT_EQ(e.number(), 53);
    }
    qtext::LineReader r(QStringList{"one"});
    EXPECT_EQ(r.next(), "one");
    EXPECT_TRUE(r.atEnd());
    try {
        r.next();
        FAIL();
    } catch (const QmError& e) {
        EXPECT_EQ(e.number(), 62);
    }
    EXPECT_THROW(qtext::WriteLines(pf.file("nofolder/x.txt"), {"a"}), QmError);
}

TEST(FileNames, ExactNameFirstThenCaseInsensitiveMatch) {
    TempProgramFolder pf;
    writeRaw(pf.file("DEVICE.CFG"), "x");
    EXPECT_EQ(qfile::Resolve("device.cfg"), pf.file("DEVICE.CFG")); // bare name in the program folder
    EXPECT_EQ(qfile::ForWriting("device.cfg"), pf.file("DEVICE.CFG"));
    writeRaw(pf.file("device.cfg"), "y"); // an exact match wins over another spelling
    EXPECT_EQ(qfile::Resolve("device.cfg"), pf.file("device.cfg"));
    QDir().mkpath(pf.file("Sites/Alpha"));
    writeRaw(pf.file("Sites/Alpha/ALPHA.QLP"), "z");
    EXPECT_EQ(qfile::Resolve(pf.path() + "sites\\alpha\\alpha.qlp"), pf.file("Sites/Alpha/ALPHA.QLP"));
    EXPECT_EQ(qfile::Resolve(pf.file("none.txt")), pf.file("none.txt"));
    EXPECT_EQ(qfile::FolderOf("C:\\sites\\alpha.qlp"), "C:/sites/");
    EXPECT_EQ(qfile::NameOf("C:\\sites\\alpha.qlp"), "alpha.qlp");
}
