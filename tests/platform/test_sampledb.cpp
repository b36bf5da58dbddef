// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/boundrecords.h"
#include "platform/dates.h"
#include "platform/qmerror.h"
#include "platform/sampledb.h"
#include "support/errorof.h"
#include "support/programstate.h"
#include "support/testenv.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SampleDbTest : public ProgramStateTest {
protected:
    QString file(const QString& name) const { return dir.path() + u'/' + name; }
    // A database of two parameters with records of three sources, stored out of order.
    QString makeSite() {
        const QString path = file("site.mdb");
        SampleDb db;
        db.create(path, {"pH", "Cl"});
        db.insert({"O'Brien", "2002-05-01", "B", "7.1", "12"});
        db.insert({"MW-1", "1999-03-04", "", "6.5", "<1"});
        db.insert({"O'Brien", "1998-12-31", "", "7.0", "-"});
        db.insert({"o'brien", "2002-05-01", "A", "7.2", ""});
        db.insert({"MW-2", "2000-01-01", "", "", ""});
        return path;
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(SampleDbTest, OpeningNeverCreatesAndRefusesWhatIsNotADatabase) {
    SampleDb db;
    EXPECT_EQ(errorOf([&] { db.open(file("none.mdb")); }), dberr::FileNotFound);
    EXPECT_FALSE(QFile::exists(file("none.mdb")));
    EXPECT_FALSE(db.isOpen());

    writeRaw(file("text.mdb"), "Standard Jet DB\r\nnot ours at all");
    try {
        db.open(file("text.mdb"));
        FAIL() << "a text file opened";
    } catch (const QmError& e) {
        EXPECT_EQ(e.number(), dberr::NotADatabase);
        EXPECT_TRUE(e.detail().contains("is not a sample database")) << qPrintable(e.detail());
    }
    writeRaw(file("empty.mdb"), "");
    EXPECT_EQ(errorOf([&] { db.open(file("empty.mdb")); }), dberr::NotADatabase);

    // An SQLite file without table Data.
    {
        SampleDb other;
        other.create(file("other.mdb"), {});
        QSqlQuery q(other.database());
        ASSERT_TRUE(q.exec("DROP TABLE \"Data\""));
    }
    EXPECT_EQ(errorOf([&] { db.open(file("other.mdb")); }), dberr::TableNotFound);
    EXPECT_FALSE(db.isOpen());
}

TEST_F(SampleDbTest, CreateMakesTableDataWithItsIndexAndRefusesAnExistingFile) {
    SampleDb db;
    db.create(file("a.mdb"), {"pH", "Odd \"name\"", "rowid"});
    EXPECT_EQ(db.fields(), QStringList({"Source", "Samp_Date", "Dup", "pH", "Odd \"name\"", "rowid"}));
    QSqlQuery q(db.database());
    ASSERT_TRUE(q.exec("SELECT name FROM sqlite_master WHERE type = 'index'"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "Well-Date-Dup");
    // A parameter called rowid does not hide the row id the program uses.
    EXPECT_NE(db.rowIdName().toLower(), "rowid");
    db.close();

    SampleDb none;
    none.create(file("b.mdb"), {});
    EXPECT_EQ(none.fields(), QStringList({"Source", "Samp_Date", "Dup"}));

    // File names compare without regard to case: A.MDB is a.mdb.
    SampleDb again;
    EXPECT_EQ(errorOf([&] { again.create(file("A.MDB"), {}); }), dberr::DatabaseExists);
    EXPECT_FALSE(QFile::exists(file("A.MDB")));
}

TEST_F(SampleDbTest, InsertChecksSizesSourceAndDate) {
    SampleDb db;
    db.create(file("c.mdb"), {"pH"});
    EXPECT_EQ(errorOf([&] { db.insert({"12345678901", "2002-05-01", "", "1"}); }), dberr::FieldTooSmall);
    EXPECT_EQ(errorOf([&] { db.insert({"MW-1", "2002-05-01", "ABCD", "1"}); }), dberr::FieldTooSmall);
    EXPECT_EQ(errorOf([&] { db.insert({"MW-1", "2002-05-01", "", "123456789"}); }), dberr::FieldTooSmall);
    EXPECT_EQ(errorOf([&] { db.insert({"", "2002-05-01", "", "1"}); }), dberr::ZeroLengthSource);
    EXPECT_EQ(errorOf([&] { db.insert({"MW-1", "2002-02-30", "", "1"}); }), dberr::BadDate);
    EXPECT_EQ(errorOf([&] { db.insert({"1234567890", "2002-05-01", "ABC", "12345678"}); }), 0);
    QSqlQuery q(db.database());
    ASSERT_TRUE(q.exec("SELECT COUNT(*) FROM Data"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 1);
}

TEST_F(SampleDbTest, BindingASourceWithAQuoteGivesItsRecordsInDateAndDupOrder) {
    BoundRecords r;
    r.setDatabaseName(makeSite());
    r.setSource("O'Brien");
    r.refresh();
    EXPECT_EQ(r.fieldNames(), QStringList({"Source", "Samp_Date", "Dup", "pH", "Cl"}));
    ASSERT_EQ(r.recordCount(), 3); // the source compares without regard to case
    EXPECT_EQ(r.rows()[0], QStringList({"O'Brien", "1998-12-31", "", "7.0", "-"}));
    EXPECT_EQ(r.rows()[1], QStringList({"o'brien", "2002-05-01", "A", "7.2", ""}));
    EXPECT_EQ(r.rows()[2], QStringList({"O'Brien", "2002-05-01", "B", "7.1", "12"}));
    EXPECT_EQ(r.text(1, 2), "12/31/1998");

    // Day first shows the same records day first.
    qdate::SetDayFirst(1);
    r.refresh();
    EXPECT_EQ(r.text(1, 2), "31/12/1998");
    EXPECT_EQ(r.text(3, 2), "01/05/2002");

    // A source no record has, and one that looks like an injection, give nothing.
    r.setSource("x' OR '1'='1");
    r.refresh();
    EXPECT_EQ(r.recordCount(), 0);
}

TEST_F(SampleDbTest, EditsAreCheckedAndWrittenThrough) {
    const QString path = makeSite();
    BoundRecords r;
    r.setDatabaseName(path);
    r.setSource("MW-1");
    r.refresh();
    ASSERT_EQ(r.recordCount(), 1);

    r.setText(1, 4, "6.8");
    r.setText(1, 2, "3/5/99"); // month first, two-digit year
    r.setText(1, 3, "D");
    EXPECT_EQ(r.text(1, 2), "03/05/1999");
    EXPECT_EQ(errorOf([&] { r.setText(1, 5, "123456789"); }), dberr::FieldTooSmall);
    EXPECT_EQ(errorOf([&] { r.setText(1, 3, "DDDD"); }), dberr::FieldTooSmall);
    EXPECT_EQ(errorOf([&] { r.setText(1, 1, "MW-1-ABCDEF"); }), dberr::FieldTooSmall);
    EXPECT_EQ(errorOf([&] { r.setText(1, 1, ""); }), dberr::ZeroLengthSource);
    EXPECT_EQ(errorOf([&] { r.setText(1, 2, "13/45/1999"); }), dberr::BadDate);
    // A record without a date would drop out of every report.
    EXPECT_EQ(errorOf([&] { r.setText(1, 2, ""); }), dberr::BadDate);
    EXPECT_EQ(errorOf([&] { r.setText(1, 2, "  "); }), dberr::BadDate);
    EXPECT_EQ(r.text(1, 5), "<1"); // refused edits change nothing
    r.setText(1, 5, "");

    BoundRecords again;
    again.setDatabaseName(path);
    again.setSource("mw-1");
    again.refresh();
    ASSERT_EQ(again.recordCount(), 1);
    EXPECT_EQ(again.rows()[0], QStringList({"MW-1", "1999-03-05", "D", "6.8", ""})); // the date kept
    EXPECT_EQ(again.text(1, 2), "03/05/1999");
    SampleDb raw;
    raw.open(path);
    QSqlQuery iso(raw.database());
    ASSERT_TRUE(iso.exec("SELECT Samp_Date, Cl IS NULL FROM Data WHERE Source = 'MW-1'"));
    ASSERT_TRUE(iso.next());
    EXPECT_EQ(iso.value(0).toString(), "1999-03-05"); // stored as ISO text, sorting by date
    EXPECT_TRUE(iso.value(1).toBool());
}

TEST_F(SampleDbTest, DeleteRefreshAndRelease) {
    const QString path = makeSite();
    BoundRecords r;
    r.setDatabaseName(path);
    r.setSource("O'Brien");
    r.refresh();
    r.deleteRecord(2);
    ASSERT_EQ(r.recordCount(), 2);
    EXPECT_EQ(r.text(2, 3), "B");
    r.refresh();
    EXPECT_EQ(r.recordCount(), 2);
    EXPECT_EQ(errorOf([&] { r.deleteRecord(3); }), qmerr::Subscript);

    r.release();
    EXPECT_FALSE(r.isOpen());
    EXPECT_EQ(r.recordCount(), 0);
    // Released, the file can be moved away; binding again finds it missing and holds nothing.
    ASSERT_TRUE(QFile::rename(path, file("TEMP.MDB")));
    EXPECT_EQ(errorOf([&] { r.refresh(); }), dberr::FileNotFound);
    EXPECT_EQ(r.recordCount(), 0);
    EXPECT_FALSE(QFile::exists(path));
}

namespace {
// The detail of the fault f raises, prefixed with its number.
QString faultOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const QmError& e) {
        return QString::number(e.number()) + u' ' + e.detail();
    }
    return {};
}
} // namespace

TEST_F(SampleDbTest, ALockedOrDamagedDatabaseIsReportedWithTheEnginesReason) {
    const QString path = makeSite();
    const QByteArray whole = readRaw(path);

    // Another program holds the database: the cause is named, not a missing table; a connection
    // that was open already is refused the same way.
    {
        BoundRecords r;
        r.setDatabaseName(path);
        r.setSource("MW-1");
        r.refresh();
        SampleDb holder;
        holder.open(path);
        QSqlQuery lock(holder.database());
        ASSERT_TRUE(lock.exec("BEGIN EXCLUSIVE"));
        SampleDb db;
        EXPECT_EQ(faultOf([&] { db.open(path); }),
                  "3045 The sample database " + path +
                      " is in use by another program.  Close it there and try again.");
        EXPECT_FALSE(db.isOpen());
        EXPECT_EQ(errorOf([&] { r.refresh(); }), dberr::InUse);
        EXPECT_EQ(r.recordCount(), 0);
    }

    // Cut short after its first page: the engine's reason.
    writeRaw(file("cut.mdb"), whole.left(4096 + 100));
    const QString cut = faultOf([&] {
        SampleDb db;
        db.open(file("cut.mdb"));
        BoundRecords r;
        r.setDatabaseName(file("cut.mdb"));
        r.setSource("MW-1");
        r.refresh();
    });
    EXPECT_TRUE(cut.startsWith("3343 The sample database " + file("cut.mdb") + " cannot be read: ")) << qPrintable(cut);
    EXPECT_TRUE(cut.contains("malformed")) << qPrintable(cut);

    // A page past the first records damaged: reading the source fails rather than showing the
    // records before it as all there are.
    {
        SampleDb db;
        db.open(path);
        db.begin();
        for (int i = 0; i < 400; ++i)
            db.insert({"SP-4", qdate::ToIso(QDate(1990, 1, 1).addDays(i)), "", "7.25", "1234.567"});
        db.commit();
    }
    QByteArray damaged = readRaw(path);
    for (qsizetype i = damaged.size() - 4096; i < damaged.size(); ++i)
        damaged[i] = char(0xA5);
    writeRaw(file("damaged.mdb"), damaged);
    BoundRecords r;
    r.setDatabaseName(file("damaged.mdb"));
    r.setSource("SP-4");
    const QString read = faultOf([&] { r.refresh(); });
    EXPECT_TRUE(read.startsWith("3000 ")) << qPrintable(read);
    EXPECT_TRUE(read.contains("malformed")) << qPrintable(read);
    EXPECT_EQ(r.recordCount(), 0);
}
