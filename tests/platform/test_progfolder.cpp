// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dates.h"
#include "platform/progfolder.h"
#include "platform/sampledb.h"
#include "platform/textfile.h"
#include "project/importexport.h"
#include "project/modgw.h"
#include "project/projectfile.h"
#include "project/sampledbops.h"
#include "support/faultydisk.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <gtest/gtest.h>

TEST(ProgramFolder, SeedingCopiesTheResourcesButNeverOverwrites) {
    TempProgramFolder pf;
    writeRaw(pf.file("logo.txt"), "mine\r\n");
    ASSERT_TRUE(SeedProgramFolder());
    EXPECT_EQ(readRaw(pf.file("logo.txt")), QByteArray("mine\r\n"));
    EXPECT_EQ(readRaw(pf.file("defcolor.col")), readRaw(ResourceFolder() + "defcolor.col"));
    EXPECT_TRUE(QFile::exists(pf.file("help/index.html")));
    EXPECT_TRUE(readRaw(pf.file("usqmar.qlh")).startsWith("Quillmare 5.0.3\r\nSOURCE\r\n"));
    EXPECT_FALSE(ProgramFolderIsNew()); // the folder was there before
}

namespace {
QString field(const QString& line, int i) {
    return line.split(u'\t').value(i);
}
} // namespace

TEST(ProgramFolder, TheDemoFollowsTheUsersDayOrderAndImportsItsOwnText) {
    for (int dayFirst : {0, 1}) {
        SCOPED_TRACE(dayFirst);
        TempProgramFolder pf;
        qdate::SetDayFirst(dayFirst);
        ASSERT_TRUE(SeedProgramFolder(dayFirst));
        const QStringList qlp = qtext::ReadLines(pf.file("demo/millbrook.qlp"));
        ASSERT_GE(qlp.size(), 3);
        EXPECT_EQ(qlp[qlp.size() - 3], "01/01/1998");
        EXPECT_EQ(qlp[qlp.size() - 2], dayFirst ? "31/12/2003" : "12/31/2003");
        EXPECT_EQ(qlp.last(), ".5");
        const QStringList txt = qtext::ReadLines(pf.file("demo/millbrook.txt"));
        EXPECT_EQ(field(txt.value(0), 1), dayFirst ? "17/03/1998" : "03/17/1998");
        // Only the dates change.
        const QStringList shipped = qtext::ReadLines(ResourceFolder() + "demo/millbrook.txt");
        ASSERT_EQ(txt.size(), shipped.size());
        EXPECT_EQ(field(txt.last(), 0), field(shipped.last(), 0));
        EXPECT_EQ(txt.last().section(u'\t', 2), shipped.last().section(u'\t', 2));

        // Importing the demo's own text gives its records, with no message but their count.
        ScriptedUi ui;
        ui.answer(vb::OK, "records imported from millbrook.txt.");
        ModGW& m = modgw();
        m.reset();
        m.ProjectFile = pf.file("demo/millbrook.qlp");
        ASSERT_TRUE(OpenProjectInfo());
        EXPECT_EQ(m.ReportEndDate, dayFirst ? "31/12/2003" : "12/31/2003");
        m.DatabaseFile = pf.file("again.mdb");
        m.DialogFileName = pf.file("demo/millbrook.txt");
        m.ExchangeFormat = exchange::FormatOf(m.DialogFileName);
        ASSERT_TRUE(CreateDb());
        ASSERT_TRUE(ImportGWData());
        SampleDb db;
        db.open(m.DatabaseFile);
        QSqlQuery q = db.prepare("SELECT COUNT(*) FROM Data WHERE Samp_Date = '1998-03-17'");
        SampleDb::exec(q);
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(0).toInt(), 6); // MW-1 to MW-5 and the duplicate of MW-4
    }
    qdate::SetDayFirst(0);
    modgw().reset();
}

TEST(ProgramFolder, AFirstStartIsKnownByTheFolderItCreated) {
    TempProgramFolder pf;
    SetProgramFolder(pf.file("new/qmar2002"));
    ASSERT_TRUE(SeedProgramFolder(0));
    EXPECT_TRUE(ProgramFolderIsNew());
    EXPECT_TRUE(QFile::exists(pf.file("new/qmar2002/defcolor.col")));
    ASSERT_TRUE(SeedProgramFolder(0)); // the next start
    EXPECT_FALSE(ProgramFolderIsNew());
}

TEST(ProgramFolder, FilesThatCannotBeCopiedAreReportedAndNoDemoIsNamed) {
    TempProgramFolder pf;
    ScriptedUi ui;
    ui.answer(vb::OK, "could not be written into the program folder " + pf.path());
    {
        // The demo's database is far larger than this.
        FileSizeLimit limit(32 * 1024);
        ASSERT_TRUE(SeedProgramFolder(0));
    }
    EXPECT_FALSE(QFile::exists(pf.file("demo/millbrook.mdb")));
    EXPECT_FALSE(QDir(pf.file("demo")).entryList(QDir::Files | QDir::Hidden).contains("millbrook.mdb"));
    EXPECT_TRUE(QFile::exists(pf.file("demo/millbrook.qlp")));
    EXPECT_FALSE(QFile::exists(pf.file("qmarrecent.txt"))); // a project without its database is no start
    EXPECT_TRUE(QFile::exists(pf.file("defcolor.col")));    // the small files are there

    // Room again: the next start completes the folder and names the demo.
    ASSERT_TRUE(SeedProgramFolder(0));
    EXPECT_EQ(readRaw(pf.file("demo/millbrook.mdb")), readRaw(BuiltResourceFolder() + "demo/millbrook.mdb"));
    EXPECT_EQ(qtext::ReadLines(pf.file("qmarrecent.txt")).value(0), pf.file("demo/millbrook.qlp"));
}

TEST(ProgramFolder, OnAFullDiskSeedingReportsWhatItCouldNotCopy) {
    SmallDisk disk(256 * 1024);
    if (!disk.ok()) GTEST_SKIP() << "no tmpfs can be mounted here";
    const QString previous = ProgramFolder();
    SetProgramFolder(disk.file("qmar2002"));
    ScriptedUi ui;
    ui.answer(vb::OK, "Error 61");
    disk.fillLeaving(64 * 1024);
    const bool seeded = SeedProgramFolder(0);
    SetProgramFolder(previous);
    ASSERT_TRUE(seeded);
    const QByteArray mdb = readRaw(disk.file("qmar2002/demo/millbrook.mdb"));
    EXPECT_TRUE(mdb.isEmpty() || mdb == readRaw(BuiltResourceFolder() + "demo/millbrook.mdb"));
    EXPECT_FALSE(QFile::exists(disk.file("qmar2002/qmarrecent.txt")));
}
