// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/filenames.h"
#include "platform/files.h"
#include "platform/linestream.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"
#include "support/errorof.h"
#include "support/faultydisk.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

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

namespace {
// About the size of a project file: more than one page of the disk.
QStringList longText() {
    QStringList l;
    for (int i = 0; i < 150; ++i)
        l << QStringLiteral("MW-%1|1250|2840|118.42 and some more text").arg(i);
    return l;
}

int writeError(const QString& path, const QStringList& lines) {
    try {
        qtext::WriteLines(path, lines);
    } catch (const QmError& e) {
        return e.number();
    }
    return 0;
}

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}
} // namespace

TEST(TextFile, AWriteCutShortKeepsTheOldFileAndRaisesDiskFull) {
    TempProgramFolder pf;
    const QString path = pf.file("project.qlp");
    writeRaw(path, "old\r\n");
    {
        FileSizeLimit limit(4096);
        EXPECT_EQ(writeError(path, longText()), 61);
        // Staged and dropped: the old file stands and nothing is left beside it.
        try {
            qtext::PendingFile staged(path, longText());
            ADD_FAILURE() << "staged a file past the limit";
        } catch (const QmError& e) {
            EXPECT_EQ(e.number(), 61);
        }
        // Made in pieces: cut short by the disk, or given up by its maker, likewise.
        for (const auto& [pieces, raises, error] : {std::tuple(100, false, 61), std::tuple(10, true, 53)})
            EXPECT_EQ(errorOf([&] {
                          qtext::PendingFile staged(path, [&](const qtext::ByteSink& put) {
                              for (int i = 0; i < pieces; ++i)
                                  put(QByteArray(100, 'x'));
                              if (raises) raiseError(53, path);
                          });
                      }),
                      error);
    }
    EXPECT_EQ(readRaw(path), QByteArray("old\r\n"));
    EXPECT_EQ(filesIn(pf.path()), QStringList{"project.qlp"});
    {
        qtext::PendingFile staged(path, QStringList{"new"});
        EXPECT_EQ(readRaw(path), QByteArray("old\r\n")); // not before commit
    }
    EXPECT_EQ(readRaw(path), QByteArray("old\r\n"));
    qtext::PendingFile staged(path, QStringList{"new"});
    staged.commit();
    EXPECT_EQ(readRaw(path), QByteArray("new\r\n"));
    EXPECT_EQ(filesIn(pf.path()), QStringList{"project.qlp"});
}

TEST(TextFile, OnAFullDiskAWriteKeepsTheOldFile) {
    SmallDisk disk(64 * 1024);
    if (!disk.ok()) GTEST_SKIP() << "no tmpfs can be mounted here";
    const QString path = disk.file("project.qlp");
    writeRaw(path, "old\r\n");
    disk.fillLeaving(4096);
    EXPECT_EQ(writeError(path, longText()), 61);
    EXPECT_EQ(readRaw(path), QByteArray("old\r\n"));
    EXPECT_EQ(filesIn(disk.path()), QStringList({".filler", "project.qlp"}));
    disk.fillLeaving(0);
    EXPECT_EQ(writeError(disk.file("new.txt"), {"a"}), 61);
    EXPECT_FALSE(QFile::exists(disk.file("new.txt")));
}

TEST(TextFile, EveryTextWeWriteReadsBackExactly) {
    TempProgramFolder pf;
    const QChar bom(0xFEFF);
    // Latin-1 bytes that happen to be valid UTF-8 ("\xD8\xBD" is one Arabic letter) go as UTF-8.
    const QString pipe = QStringLiteral("Pipe ") + QChar(0xD8) + QChar(0xBD) + QStringLiteral(" in");
    qtext::WriteLines(pf.file("pipe.txt"), {pipe});
    EXPECT_EQ(readRaw(pf.file("pipe.txt")), (pipe + "\r\n").toUtf8());
    EXPECT_EQ(qtext::ReadLines(pf.file("pipe.txt")), QStringList{pipe});

    // A leading U+FEFF is text of ours, not a byte-order mark to drop.
    const QString marked = QString(bom) + QStringLiteral("first");
    qtext::WriteLines(pf.file("bom.txt"), {marked, "second"});
    EXPECT_EQ(qtext::ReadLines(pf.file("bom.txt")), QStringList({marked, "second"}));

    const QStringList texts = {
        pipe,
        marked,
        QString(bom),
        QString(bom) + bom + QStringLiteral("x"),
        QStringLiteral("\u00EF\u00BB\u00BFabc"), // the mark's own bytes as Latin-1 text
        QStringLiteral("\u00C3\u00A9t\u00E9"),   // "é" spelled in UTF-8 bytes
        QStringLiteral("x") + bom,
        QStringLiteral("Well \u00B6 caf\u00E9"),
        QString(),
    };
    for (const QString& t : texts)
        EXPECT_EQ(qtext::Decode(qtext::Encode(t)), t) << qPrintable(t);
    // Latin-1 stays for every text that reads back as itself.
    EXPECT_EQ(qtext::Encode(QStringLiteral("Well \u00B6 caf\u00E9")), QByteArray("Well \xB6 caf\xE9"));

    // Another program's UTF-8 file with a byte-order mark reads without it.
    writeRaw(pf.file("theirs.txt"), "\xEF\xBB\xBF"
                                    "abc\r\n");
    EXPECT_EQ(qtext::ReadLines(pf.file("theirs.txt")), QStringList{"abc"});
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

TEST(FileNames, ANameBeginningWithAColonIsAFileNameNeverAResource) {
    TempProgramFolder pf;
    qtext::WriteLines(":notes.txt", {"x"});
    EXPECT_EQ(readRaw(pf.file(":notes.txt")), QByteArray("x\r\n"));
    EXPECT_EQ(qfile::Resolve(":notes.txt"), pf.file(":notes.txt"));
    EXPECT_EQ(qfile::ForWriting(":NOTES.txt"), pf.file(":notes.txt"));
    EXPECT_EQ(qtext::ReadLines(":notes.txt"), QStringList{"x"});
    // The program carries resources of this name; to the file helpers it is a folder ":" that is not there.
    ASSERT_TRUE(QFile::exists(":/qpdf/qpdfa_metadata.xml"));
    EXPECT_EQ(qfile::Absolute(":/qpdf/qpdfa_metadata.xml"), pf.path() + ":/qpdf/qpdfa_metadata.xml");
    EXPECT_FALSE(FileExists(":/qpdf/qpdfa_metadata.xml"));
    EXPECT_THROW(qtext::ReadLines(":/qpdf/qpdfa_metadata.xml"), QmError);
}

TEST(Files, AFolderWhereTheProbeIsCutShortIsNotWritable) {
    TempProgramFolder pf;
    {
        // The probe's six bytes do not fit: a buffered write would still report them written.
        FileSizeLimit limit(4);
        EXPECT_FALSE(FolderIsWritable(pf.path()));
    }
    EXPECT_EQ(filesIn(pf.path()), QStringList());
    EXPECT_TRUE(FolderIsWritable(pf.path()));
    EXPECT_EQ(filesIn(pf.path()), QStringList());

    // Written as the writer names it (over a file of the same name in another case), and never left.
    writeRaw(pf.file("TESTZZZ.WHO"), "old");
    EXPECT_TRUE(FolderIsWritable(pf.path()));
    EXPECT_EQ(filesIn(pf.path()), QStringList());
}

TEST(Files, AFolderOnAFullDiskIsNotWritable) {
    SmallDisk disk(64 * 1024);
    if (!disk.ok()) GTEST_SKIP() << "no tmpfs can be mounted here";
    EXPECT_TRUE(FolderIsWritable(disk.path()));
    disk.fillLeaving(0);
    EXPECT_FALSE(FolderIsWritable(disk.path()));
    EXPECT_EQ(filesIn(disk.path()), QStringList{".filler"});
}

TEST(TextFile, StreamedLinesAreTheLinesReadWholeAcrossBlockEnds) {
    TempProgramFolder pf;
    // The stream reads 256 KiB blocks: a CR LF, a UTF-8 letter and a lone CR cut by a block's end,
    // a Latin-1 byte far behind the first block, marks, blank and unended last lines.
    const QByteArray pad(256 * 1024 - 1, 'x');
    for (const QByteArray& bytes : {QByteArray(), QByteArray("\r\n"), QByteArray("a"), QByteArray("a\r\n\r\n"),
                                    QByteArray("a\rb\nc\r\nd"), QByteArray("\xEF\xBB\xBF" "abc\r\n"),
                                    QByteArray("caf\xE9\r\n"), pad + "\r\nnext\r\n", pad + "\xC3\xA9\r\n", pad + "\rnext",
                                    pad + "\r", "a\r\n" + pad + "\xE9", pad + pad + "\n\n\xE2\x82\xAC"}) {
        writeRaw(pf.file("s.txt"), bytes);
        qtext::LineStream in(pf.file("s.txt"));
        for (int pass = 0; pass < 2; ++pass, in.rewind()) {
            QStringList got;
            for (QString l; in.next(l);)
                got << l;
            EXPECT_EQ(got, qtext::ReadLines(pf.file("s.txt"))) << bytes.left(12).toStdString();
            EXPECT_EQ(in.lineNumber(), got.size());
        }
    }
    EXPECT_THROW(qtext::LineStream(pf.file("none.txt")), QmError);
}

// Notes a save of ours never writes, as found in shared and copied project folders, are set aside
// with one message and nothing they name moves; a link or FIFO is never opened or removed. The last
// note is ours: completed. Then a set whose save fails at each rename keeps the old files whole.
TEST(PendingSet, RecoveryMovesOnlyWhatASaveOfOursWroteAndAFailedSetKeepsTheOldOne) {
    TempProgramFolder pf;
    const QString data = pf.file("site/"), out = pf.file("outside/"), db = data + "site.mdb";
    const QString pending = db + ".qmpending-7-1", doc = out + "doc", theirs = out + "site.mdb.qmpending-7-1";
    const struct { QString folder; QStringList lines; int make = 0; } cases[] = {
        {data, {doc, db}}, {pf.path(), {out + "photos", pf.file("photos")}},
        {data, {"site.mdb.qmpending-7-1", "site.mdb"}}, {data, {pending, data + "doc"}},
        {data, {theirs, out + "site.mdb"}}, {data, {pending, db, pending}},
        {data, {data + "../site/site.mdb.qmpending-7-1", data + "../site/site.mdb"}},
        {data, {pending, db}, 1}, {data, {pending, db}, 2}, {data, {pending, db}, 3}, {data, {pending, db}}};
    for (const auto& [folder, lines, make] : cases) {
        QDir(data).removeRecursively(), QDir().mkpath(data), QDir().mkpath(out + "photos");
        writeRaw(db, "old"), writeRaw(pending, "new"), writeRaw(doc, "doc"), writeRaw(theirs, "theirs");
        if (make == 1) QFile::remove(pending), QFile::link(doc, pending);
        if (make == 2) QFile::remove(pending), ::mkfifo(pending.toUtf8(), 0600);
        if (make == 3) QFile::remove(db), QDir().mkdir(db);
        const QString note = QFileInfo(folder).canonicalFilePath() + "/qmcommit-7-2";
        writeRaw(note, QFile::encodeName(lines.join(u'\n') + u'\n'));
        const bool ours = &lines == &cases[std::size(cases) - 1].lines;
        ScriptedUi ui;
        if (!ours)
            ui.answer(vb::OK, "The note " + note + " of an unfinished save names files this program did not "
                              "write. It was set aside as qmcommit-7-2.bad and no file was changed.");
        qtext::RemoveLeftovers(data);
        SCOPED_TRACE(lines.join(u' ').toStdString());
        EXPECT_EQ(QFile::exists(note + ".bad"), !ours);
        EXPECT_EQ(QFileInfo(db).isFile() ? readRaw(db) : "dir", ours ? "new" : make == 3 ? "dir" : "old");
        EXPECT_EQ(readRaw(doc) + readRaw(theirs), "doctheirs");
        EXPECT_FALSE(QFile::exists(pf.file("photos")) || QFile::exists(out + "site.mdb") || QFile::exists(note));
        EXPECT_EQ(QFileInfo(pending).isSymLink() || QFileInfo::exists(pending), make == 1 || make == 2);
    }
    const QStringList names{pf.file("page-1.bmp"), pf.file("page-2.bmp"), pf.file("page.dxf")};
    for (const QString& n : names) writeRaw(n, "old");
    for (int failing = 1, renames = 0; renames >= failing - 1; ++failing) { // until a pass fails none
        renames = 0;
        qtext::renameFaultHook() = [&] { return ++renames == failing ? EIO : 0; };
        QString why;
        qtext::PendingSet set;
        for (const QString& n : names) set.add(n, QByteArray("new"));
        const int error = errorOf([&] { set.commit(); }, &why);
        const bool failed = renames >= failing;
        EXPECT_EQ(QString::number(error) + why, failed ? "75" + names.last() : "0") << failing; // the file saved
        for (const QString& n : names) EXPECT_EQ(readRaw(n), failed ? "old" : "new") << failing;
        EXPECT_EQ(filesIn(pf.path()), QStringList({"page-1.bmp", "page-2.bmp", "page.dxf", "qmcommit-7-2.bad"}));
    }
    qtext::renameFaultHook() = nullptr;
}
