// SPDX-License-Identifier: GPL-3.0-or-later
#include "dbtest.h"
#include "platform/qmerror.h"
#include "project/windowhooks.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class Restructure : public DbTest {
protected:
    // pH, Cl and TCE with four records, one of them with empty values.
    void makeSite() {
        useProject({"pH", "Cl", "TCE"});
        insert(file("site.mdb"), {{"MW-1", "1999-03-04", "", "6.5", "12", "<1"},
                                  {"MW-1", "1925-06-30", "A", "6.6", "14", "3"},
                                  {"MW-2", "2000-06-15", "", "7.2", "", "-"},
                                  {"O'Brien 3", "2002-05-01", "B", "7.0", "31", "12"}});
    }
    // The confirmed mapping of the redefine dialog: new parameter i comes from from[i - 1].
    void redefine(const QStringList& params, const QStringList& from) {
        setParams(params);
        ModGW& m = modgw();
        m.OldParamCount = int(from.size());
        for (int i = 1; i <= m.OldParamCount; ++i)
            m.OldParamNames[i] = from[i - 1];
    }
    // What a failed rebuild must leave: the live file and the backup byte for byte, nothing else.
    struct Files {
        QByteArray live, backup;
        QStringList names;
    };
    Files files() const {
        return {readRaw(file("site.mdb")), readRaw(file("TEMP.MDB")),
                QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name)};
    }
    void expectUnchanged(const Files& before) const {
        const Files now = files();
        EXPECT_EQ(now.live, before.live);
        EXPECT_EQ(now.backup, before.backup);
        EXPECT_EQ(now.names, before.names);
    }
};

} // namespace

TEST_F(Restructure, CreateDbMakesTheTableOnceAndReportsAnExistingFile) {
    useProject({}, false);
    ASSERT_TRUE(CreateDb());
    EXPECT_EQ(fieldsOf(file("site.mdb")), QStringList({"Source", "Samp_Date", "Dup"}));
    const QByteArray made = readRaw(file("site.mdb"));
    ScriptedUi ui;
    ui.answer(vb::OK, "Error 3204 in CreateDb.  Please contact Kalvex");
    EXPECT_FALSE(CreateDb());
    EXPECT_EQ(readRaw(file("site.mdb")), made);

    // A folder that is not there: the engine makes no database.
    modgw().DatabaseFile = file("gone/site.mdb");
    ui.answer(vb::OK, "Could not create database");
    EXPECT_FALSE(CreateDb());
    EXPECT_EQ(ui.texts.last(), "Could not create database");
    EXPECT_EQ(ui.styles.last(), vb::OKOnly | vb::Critical);
    EXPECT_EQ(ui.titles.last(), titleEmpty);
    EXPECT_FALSE(QFile::exists(file("gone")));
}

TEST_F(Restructure, RedefineCopiesEveryRecordThroughTheMappingAndKeepsTheOldFileAsTempMdb) {
    makeSite();
    const QByteArray old = readRaw(file("site.mdb"));
    QStringList steps;
    projectHooks().releaseDatabase = [&] {
        steps << "release";
        // The live file is still in place when the window lets go of it.
        EXPECT_EQ(readRaw(file("site.mdb")), old);
    };
    projectHooks().rebindDatabase = [&] {
        steps << "rebind";
        EXPECT_EQ(fieldsOf(file("site.mdb")).size(), 3 + 5);
    };
    // Cl renamed, TCE copied twice, a new parameter at the end, pH dropped.
    redefine({"Chloride", "TCE", "TCE2", "Zinc", "Cl"}, {"Cl", "TCE", "TCE", "", "Cl"});
    ASSERT_TRUE(RedefineDb());
    EXPECT_EQ(steps, QStringList({"release", "rebind"}));
    EXPECT_EQ(fieldsOf(file("site.mdb")),
              QStringList({"Source", "Samp_Date", "Dup", "Chloride", "TCE", "TCE2", "Zinc", "Cl"}));
    EXPECT_EQ(dump(file("site.mdb")),
              QList<QStringList>({{"MW-1", "1999-03-04", "(null)", "12", "<1", "<1", "(null)", "12"},
                                  {"MW-1", "1925-06-30", "A", "14", "3", "3", "(null)", "14"},
                                  {"MW-2", "2000-06-15", "(null)", "(null)", "-", "-", "(null)", "(null)"},
                                  {"O'Brien 3", "2002-05-01", "B", "31", "12", "12", "(null)", "31"}}));
    EXPECT_EQ(readRaw(file("TEMP.MDB")), old);
    // The rebuilt table keeps its index.
    SampleDb db;
    db.open(file("site.mdb"));
    QSqlQuery q(db.database());
    ASSERT_TRUE(q.exec("SELECT name FROM sqlite_master WHERE type = 'index'"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "Well-Date-Dup");
    db.close();

    // A second rebuild replaces the backup, whatever the case of its name; nothing else is left.
    projectHooks().reset();
    QFile::rename(file("TEMP.MDB"), file("temp.mdb"));
    const QByteArray first = readRaw(file("site.mdb"));
    redefine({"Chloride"}, {"Chloride"});
    ASSERT_TRUE(RedefineDb());
    EXPECT_EQ(readRaw(file("TEMP.MDB")), first);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"site.mdb", "TEMP.MDB"}));
    EXPECT_EQ(dump(file("site.mdb")).value(1), QStringList({"MW-1", "1925-06-30", "A", "14"}));
}

TEST_F(Restructure, AFailureAnywhereLeavesTheLiveDatabaseAndTheBackupAsTheyWere) {
    makeSite();
    insert(file("site.mdb"), {{"MW-9", "2001-01-01", "", "7", "1", "2"}});
    // An old backup that must survive every failure.
    QFile::copy(file("site.mdb"), file("TEMP.MDB"));
    insert(file("site.mdb"), {{"MW-9", "2001-04-01", "", "7", "1", "2"}});
    const Files before = files();
    struct Case {
        const char* step;
        qint64 at;
    };
    for (const Case& c : {Case{"backup", 1}, Case{"copy", 2}, Case{"copy", 5}, Case{"rotate", 1}}) {
        SCOPED_TRACE(std::string(c.step) + " " + std::to_string(c.at));
        QStringList steps;
        projectHooks().releaseDatabase = [&] { steps << "release"; };
        projectHooks().rebindDatabase = [&] { steps << "rebind"; };
        dbFaultHook() = [c](QStringView step, qint64 n) {
            if (step == QLatin1String(c.step) && n == c.at) raiseError(qmerr::PathFileAccess, "injected");
        };
        redefine({"pH", "Cl", "TCE", "Zinc"}, {"pH", "Cl", "TCE", ""});
        ScriptedUi ui;
        ui.answer(vb::OK,
                  "Error 75 in RedefineDb.  Please contact Kalvex\r\n\r\ninjected\r\n\r\nThe database site.mdb "
                  "has not been changed.");
        EXPECT_FALSE(RedefineDb());
        expectUnchanged(before);
        // The window lets go of the file and is bound again, whatever failed.
        EXPECT_EQ(steps, QStringList({"release", "rebind"}));
    }
    dbFaultHook() = nullptr;
    projectHooks().reset();

    // A record the new table refuses, and a mapping to a field the old table lacks.
    {
        SampleDb db;
        db.open(file("site.mdb"));
        QSqlQuery q(db.database());
        ASSERT_TRUE(q.exec("UPDATE \"Data\" SET \"Cl\" = '123456789' WHERE \"Source\" = 'MW-2'"));
    }
    const Files refused = files();
    redefine({"pH", "Cl"}, {"pH", "Cl"});
    {
        ScriptedUi ui;
        ui.answer(vb::OK, "Error 3163 in RedefineDb.  Please contact Kalvex\r\n\r\nData, 123456789, is longer "
                          "than 8 characters.");
        EXPECT_FALSE(RedefineDb());
    }
    expectUnchanged(refused);
    redefine({"pH", "Cl"}, {"pH", "cl"});
    {
        ScriptedUi ui;
        ui.answer(vb::OK, "Error 3265 in RedefineDb.");
        EXPECT_FALSE(RedefineDb());
    }
    expectUnchanged(refused);
}

TEST_F(Restructure, TheRedefineCheckComparesNamesWithLetterCase) {
    makeSite();
    EXPECT_EQ(FirstUnknownField(file("site.mdb"), {"pH", "", "TCE"}), std::nullopt);
    EXPECT_EQ(FirstUnknownField(file("site.mdb"), {"Cl", "tce", "Zn"}), QString("tce"));
    // The fixed fields are no parameters.
    EXPECT_EQ(FirstUnknownField(file("site.mdb"), {"Source"}), QString("Source"));
    EXPECT_THROW(FirstUnknownField(file("none.mdb"), {"pH"}), QmError);
}

TEST_F(Restructure, ClearEmptiesTheDatabaseAndKeepsTheOldOne) {
    makeSite();
    const QByteArray old = readRaw(file("site.mdb"));
    int rebinds = 0;
    projectHooks().rebindDatabase = [&] { ++rebinds; };
    ASSERT_TRUE(ClearDB());
    EXPECT_EQ(rebinds, 1);
    EXPECT_TRUE(dump(file("site.mdb")).isEmpty());
    EXPECT_EQ(fieldsOf(file("site.mdb")), QStringList({"Source", "Samp_Date", "Dup", "pH", "Cl", "TCE"}));
    EXPECT_EQ(readRaw(file("TEMP.MDB")), old);

    // A missing database is reported; no backup appears.
    QFile::remove(file("site.mdb"));
    QFile::remove(file("TEMP.MDB"));
    ScriptedUi ui;
    ui.answer(vb::OK, "Error 3024 in ClearDB.");
    EXPECT_FALSE(ClearDB());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(Restructure, AProgramThatHasTheDatabaseOpenWritesIntoTheRebuiltOne) {
    makeSite();
    const QByteArray old = readRaw(file("site.mdb"));
    // Another program with the database open and idle, as a second window on the project is.
    SampleDb other;
    other.open(file("site.mdb"));
    ASSERT_TRUE(ClearDB());
    QSqlQuery q(other.database());
    ASSERT_TRUE(q.exec("INSERT INTO \"Data\" (\"Source\", \"Samp_Date\") VALUES ('MW-7', '2003-01-01')"))
        << qPrintable(q.lastError().text());
    other.close();
    EXPECT_EQ(dump(file("site.mdb")),
              QList<QStringList>({{"MW-7", "2003-01-01", "(null)", "(null)", "(null)", "(null)"}}));
    EXPECT_EQ(readRaw(file("TEMP.MDB")), old);
}

TEST_F(Restructure, ARebuildRefusesWhileAnotherProgramHoldsTheDatabase) {
    makeSite();
    const Files before = files();
    SampleDb other;
    other.open(file("site.mdb"));
    QSqlQuery reading(other.database());
    ASSERT_TRUE(reading.exec("BEGIN"));
    ASSERT_TRUE(reading.exec("SELECT COUNT(*) FROM \"Data\""));
    ASSERT_TRUE(reading.next());
    QStringList steps;
    projectHooks().releaseDatabase = [&] { steps << "release"; };
    projectHooks().rebindDatabase = [&] { steps << "rebind"; };
    ScriptedUi ui;
    ui.answer(vb::OK, "The sample database " + file("site.mdb") +
                          " is in use by another program.  Close it there and try again.\r\n\r\nThe "
                          "database site.mdb has not been changed.");
    EXPECT_FALSE(ClearDB());
    EXPECT_EQ(ui.styles.last(), vb::Exclamation);
    EXPECT_EQ(steps, QStringList({"release", "rebind"}));
    reading.finish();
    ASSERT_TRUE(reading.exec("COMMIT"));
    expectUnchanged(before);
}

namespace {

// Runs RedefineDb in a child process that dies at the named step, as a killed program does.
bool killedAt(const char* step, qint64 at) {
    const pid_t child = fork();
    if (child == 0) {
        dbFaultHook() = [step, at](QStringView s, qint64 n) {
            if (s == QLatin1String(step) && n == at) _exit(3);
        };
        RedefineDb();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 3;
}

} // namespace

TEST_F(Restructure, AKillAtAnyPointIsSettledAtTheNextOpen) {
    struct Case {
        const char* step;
        qint64 at;
        bool committed;
    };
    for (const Case& c : {Case{"backup", 1, false}, Case{"copy", 3, false}, Case{"rotate", 1, false},
                          Case{"rotate", 2, true}}) {
        SCOPED_TRACE(std::string(c.step) + " " + std::to_string(c.at));
        for (const QString& name : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden))
            QFile::remove(file(name));
        makeSite();
        writeRaw(file("TEMP.MDB"), "the backup of the rebuild before");
        const QByteArray live = readRaw(file("site.mdb"));
        const QList<QStringList> records = dump(file("site.mdb"));
        redefine({"Cl", "pH"}, {"Cl", "pH"});
        ASSERT_TRUE(killedAt(c.step, c.at));
        // What the kill left: the copy that was to become the backup, beside the live file.
        const QStringList left = QDir(dir.path()).entryList({".qmar-backup-*"}, QDir::Files | QDir::Hidden);
        ASSERT_EQ(left.size(), 1);
        EXPECT_TRUE(left[0].endsWith("-site.mdb"));

        RecoverInterruptedRebuild(file("site.mdb"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                  QStringList({"TEMP.MDB", "site.mdb"}));
        if (c.committed) {
            EXPECT_EQ(fieldsOf(file("site.mdb")), QStringList({"Source", "Samp_Date", "Dup", "Cl", "pH"}));
            EXPECT_EQ(dump(file("site.mdb")).value(1), QStringList({"MW-1", "1925-06-30", "A", "14", "6.6"}));
            EXPECT_EQ(readRaw(file("TEMP.MDB")), live);
        } else {
            EXPECT_EQ(dump(file("site.mdb")), records);
            EXPECT_EQ(fieldsOf(file("site.mdb")), QStringList({"Source", "Samp_Date", "Dup", "pH", "Cl", "TCE"}));
            EXPECT_EQ(readRaw(file("TEMP.MDB")), "the backup of the rebuild before");
        }
    }
}

TEST_F(Restructure, WhatTheEarlierRotationLeftIsSettledAtTheNextOpen) {
    makeSite();
    const QByteArray live = readRaw(file("site.mdb"));
    useProject({"pH"}, false);
    {
        SampleDb fresh;
        fresh.create(file(".qmar-new-4242.mdb"), {"pH"});
    }
    const QByteArray fresh = readRaw(file(".qmar-new-4242.mdb"));

    // Killed between the renames: no live file; the old one is TEMP.MDB, the old backup set aside.
    QFile::rename(file("site.mdb"), file("TEMP.MDB"));
    writeRaw(file(".qmar-oldbackup-4242.mdb"), "older backup");
    RecoverInterruptedRebuild(file("site.mdb"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              QStringList({"TEMP.MDB", "site.mdb"}));
    EXPECT_EQ(readRaw(file("site.mdb")), fresh);
    EXPECT_EQ(readRaw(file("TEMP.MDB")), live);

    // Killed after the old backup was set aside: it comes back. A new database still being filled,
    // with its journal, and a copy cut short by a kill go, whichever process left them; another
    // database's copy stays.
    QFile::remove(file("TEMP.MDB"));
    writeRaw(file(".qmar-oldbackup-77.mdb"), "older backup");
    writeRaw(file(".qmar-new-77.mdb"), fresh);
    writeRaw(file(".qmar-new-77.mdb-journal"), "journal");
    writeRaw(file(".qmar-backup-99-site.mdb"), live.left(40));
    writeRaw(file(".qmar-backup-99-other.mdb"), live);
    RecoverInterruptedRebuild(file("site.mdb"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              QStringList({".qmar-backup-99-other.mdb", "TEMP.MDB", "site.mdb"}));
    EXPECT_EQ(readRaw(file("TEMP.MDB")), "older backup");
    EXPECT_EQ(readRaw(file("site.mdb")), fresh);

    // While another program holds the database, its files are left alone.
    writeRaw(file(".qmar-backup-5-site.mdb"), live);
    {
        SampleDb other;
        other.open(file("site.mdb"));
        QSqlQuery lock(other.database());
        ASSERT_TRUE(lock.exec("BEGIN EXCLUSIVE"));
        RecoverInterruptedRebuild(file("site.mdb"));
        EXPECT_TRUE(QFile::exists(file(".qmar-backup-5-site.mdb")));
    }
    RecoverInterruptedRebuild(file("site.mdb"));
    EXPECT_FALSE(QFile::exists(file(".qmar-backup-5-site.mdb")));
    EXPECT_EQ(readRaw(file("TEMP.MDB")), "older backup");
}
