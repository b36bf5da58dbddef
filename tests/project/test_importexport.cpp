// SPDX-License-Identifier: GPL-3.0-or-later
#include "dbtest.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"
#include "project/importexport.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QFile>

namespace {

class Exchange : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        useProject({"pH", "Cl", "TCE"});
        insert(file("site.mdb"), records);
        original = dump(file("site.mdb"));
    }
    bool exportAs(const QString& name) {
        modgw().DialogFileName = file(name);
        modgw().ExchangeFormat = exchange::FormatOf(name);
        return ExportGWData();
    }
    bool importFrom(const QString& name) {
        modgw().DialogFileName = file(name);
        modgw().ExchangeFormat = exchange::FormatOf(name);
        return ImportGWData();
    }
    bool importText(const QString& name, const QByteArray& bytes) {
        writeRaw(file(name), bytes);
        return importFrom(name);
    }
    // The records of the file stored after the fixture's, without the fixture's.
    QList<QStringList> added() { return dump(file("site.mdb")).mid(original.size()); }
    void emptyDatabase() {
        QFile::remove(file("site.mdb"));
        SampleDb db;
        db.create(file("site.mdb"), {"pH", "Cl", "TCE"});
    }
    // Stored out of order; a 1925 sample, empty values, "<" values and "-".
    const QList<QStringList> records = {{"MW-2", "2000-06-15", "", "7.2", "", "-"},
                                        {"MW-1", "1999-03-04", "A", "6.5", "12", "<1"},
                                        {"mw-1", "1925-06-30", "", "6.6", "14", "3"},
                                        {"MW-1", "1999-03-04", "", "6.4", "11", "<1"}};
    QList<QStringList> original;
};

QList<QStringList> sorted(QList<QStringList> rows) {
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace

TEST_F(Exchange, TheFormatComesFromTheLastThreeCharacters) {
    EXPECT_EQ(exchange::FormatOf("/a/data.TXT"), exchange::Tab);
    EXPECT_EQ(exchange::FormatOf("data.Csv"), exchange::Comma);
    EXPECT_EQ(exchange::FormatOf("x.ldl"), exchange::Lines);
    EXPECT_EQ(exchange::FormatOf("data.dat"), 0);
}

TEST_F(Exchange, ExportWritesEveryRecordInOrderWithFourDigitYears) {
    ASSERT_TRUE(exportAs("all.txt"));
    EXPECT_EQ(readRaw(file("all.txt")), "mw-1\t06/30/1925\t\t6.6\t14\t3\r\n"
                                        "MW-1\t03/04/1999\t\t6.4\t11\t<1\r\n"
                                        "MW-1\t03/04/1999\tA\t6.5\t12\t<1\r\n"
                                        "MW-2\t06/15/2000\t\t7.2\t\t-\r\n");
    qdate::SetDayFirst(1);
    ASSERT_TRUE(exportAs("all.csv"));
    EXPECT_EQ(qtext::ReadLines(file("all.csv")).value(0), "mw-1,30/06/1925,,6.6,14,3");
    ASSERT_TRUE(exportAs("all.ldl"));
    const QStringList l = qtext::ReadLines(file("all.ldl"));
    ASSERT_EQ(l.size(), 4 * 6);
    EXPECT_EQ(l.mid(18), QStringList({"MW-2", "15/06/2000", "", "7.2", "", "-"}));
}

TEST_F(Exchange, EachFormatImportsBackIntoAnEmptyDatabaseGivingTheSameRecords) {
    for (int dayFirst : {0, 1})
        for (const char* name : {"back.txt", "back.csv", "back.ldl"}) {
            SCOPED_TRACE(std::string(name) + (dayFirst ? " day first" : " month first"));
            qdate::SetDayFirst(dayFirst);
            ASSERT_TRUE(exportAs(name));
            emptyDatabase();
            ASSERT_TRUE(importFrom(name));
            EXPECT_EQ(sorted(dump(file("site.mdb"))), sorted(original));
            // Importing the same file twice doubles the records.
            ASSERT_TRUE(importFrom(name));
            EXPECT_EQ(dump(file("site.mdb")).size(), 2 * original.size());
            emptyDatabase();
            insert(file("site.mdb"), records);
        }
}

TEST_F(Exchange, SeparatedLinesLoseQuotesAndBlanksAndFollowTheFirstLine) {
    ASSERT_TRUE(importText("q.csv", "\"MW-1\",\"3/4/95\",  D , 7.1 ,  12,<1   \r\n"
                                    "\r\n"
                                    "   \r\n"
                                    "  MW-2,4/7/05,,,,\r\n"
                                    "MW-3,4/7/15,,1,2,3\r\n"
                                    "MW-4,4/7/00,,1,2,3\r\n"
                                    "MW-5,12/31/1925,,1,2,3\r\n"));
    EXPECT_EQ(added(), QList<QStringList>({{"MW-1", "1995-03-04", "D ", "7.1 ", "12", "<1"},
                                           {"MW-2", "2005-04-07", "(null)", "(null)", "(null)", "(null)"},
                                           {"MW-3", "2015-04-07", "(null)", "1", "2", "3"},
                                           {"MW-4", "2000-04-07", "(null)", "1", "2", "3"},
                                           {"MW-5", "1925-12-31", "(null)", "1", "2", "3"}}));
    // More values than parameters: the rest are dropped. Fewer: the missing parameters stay empty.
    original = dump(file("site.mdb"));
    ASSERT_TRUE(importText("wide.txt", "A\t1/2/2001\t\t1\t2\t3\t4\t5\r\nB\t1/3/2001\t\t1\t2\t3\t4\t5\r\n"));
    EXPECT_EQ(added().value(1), QStringList({"B", "2001-01-03", "(null)", "1", "2", "3"}));
    original = dump(file("site.mdb"));
    ASSERT_TRUE(importText("narrow.txt", "C\t1/2/2001\t\t1\r\nD\t1/3/2001\t\t5\t6\r\n"));
    EXPECT_EQ(added(), QList<QStringList>({{"C", "2001-01-02", "(null)", "1", "(null)", "(null)"},
                                           {"D", "2001-01-03", "(null)", "5", "(null)", "(null)"}}));
}

TEST_F(Exchange, OverlongSourcesAndValuesAreReportedAndCut) {
    ScriptedUi ui;
    ui.answer(vb::OK, "Source Name, MW-1234567890, is longer than 10 characters.")
        .answer(vb::OK, "Data, 123456789, is longer than 8 characters.");
    ASSERT_TRUE(importText("long.txt", "MW-1234567890\t1/2/2001\t\t123456789\t1\t2\r\n"));
    EXPECT_EQ(added(), QList<QStringList>({{"MW-1234567", "2001-01-02", "(null)", "12345678", "1", "2"}}));
}

TEST_F(Exchange, AQuoteInsideAValueIsNoQuotedValue) {
    // Only a quote that opens a value makes it quoted; the quotes go, the commas still split.
    ASSERT_TRUE(importText("inch.csv", "MW-1,3/4/95,,12\",7,1\r\n\"MW-2\" ,3/4/95,,1,2,3\r\n"));
    EXPECT_EQ(added(), QList<QStringList>({{"MW-1", "1995-03-04", "(null)", "12", "7", "1"},
                                           {"MW-2 ", "1995-03-04", "(null)", "1", "2", "3"}}));
}

TEST_F(Exchange, AnyFailureStoresNothingOfTheFileAndNamesTheLine) {
    const QByteArray before = readRaw(file("site.mdb"));
    struct Case {
        const char* name;
        QByteArray text;
        const char* message;
    };
    const QList<Case> cases = {
        {"date.txt", "A\t1/2/2001\t\t1\t2\t3\r\n\r\nB\t13/45/2001\t\t1\t2\t3\r\n",
         "Cannot Import: error #  3421 occured: \"13/45/2001\" is not a date\r\n\r\nLine 3 of the file.  No "
         "record "
         "of the file has been imported."},
        {"nodate.txt", "A\t1/2/2001\t\t1\r\nB\t\t\t1\r\n", "error #  3421 occured: \"\" is not a date"},
        {"short.txt", "A\t1/2/2001\t\t1\t2\t3\r\nB\t1/2/2001\r\n",
         "error #  5 occured: the line holds fewer values"},
        {"dup.csv", "A,1/2/2001,,1\r\nB,1/2/2001,ABCD,1\r\n",
         "Cannot Import: Either source name is longer than 10 characters or data is longer than 8 "
         "characters.  "
         "Shorten one of these and try again.\r\n\r\nLine 2 of the file."},
        {"source.csv", "A,1/2/2001,,1\r\n  ,1/2/2001,,1\r\n", "error #  3315 occured"},
        {"quoted.csv", "A,1/2/2001,,1\r\n\"B,C\",1/2/2001,,1\r\n",
         "Cannot Import: line 2 holds a comma inside a quoted value, which cannot be imported whole."},
        {"quoted.txt", "A\t1/2/2001\t\t1\r\nB\t\"1\t2\"\t\t1\r\n",
         "line 2 holds a Tab inside a quoted value"},
        {"doubled.csv", "A,1/2/2001,,1\r\n \"B\"\"x,C\",1/2/2001,,1\r\n", "line 2 holds a comma inside"},
        // Record 2's date has no "/", so two records read as one: B's lines would become A's values.
        {"merged.ldl", "A\r\n1/2/2001\r\n\r\n1\r\n2\r\n3\r\nB\r\n1-3-2001\r\n\r\n4\r\n5\r\n6\r\n",
         "Cannot Import: line 8 holds the date \"1-3-2001\" inside the record that begins on line 1, whose "
         "date is on line 2."},
        {"pairs.ldl",
         "A\r\n1/2/2001\r\n1\r\nB\r\n1.3.2001\r\n2\r\nC\r\n1/4/2001\r\n3\r\nD\r\n1/5/2001\r\n4\r\n",
         "line 5 holds the date"},
        {"few.csv", "\r\n  \r\nA,1/2/2001\r\nB,1/2/2001,,1\r\n",
         "Cannot Import: line 3, the first line of the file, holds fewer than the three values"},
        {"ends.ldl", "A\r\n1/2/2001\r\n\r\n1\r\n2\r\n3\r\nB\r\n1/3/2001\r\n\r\n1\r\n2\r\n",
         "Cannot Import: the file ends inside the record that begins on line 7; each record has 6 lines."},
        {"baddate.ldl", "A\r\n1/2/2001\r\n\r\n1\r\n2\r\n3\r\nB\r\nsoon/\r\n\r\n1\r\n2\r\n3\r\n",
         "Cannot Import: line 8 should hold the date of the record that begins on line 7, but holds "
         "\"soon/\"."},
        {"nodate.ldl", "A\r\n\r\n1\r\n", "Cannot Import: the file holds no date"},
        {"close.ldl", "A\r\n1/2/2001\r\n1/3/2001\r\n", "the dates on lines 2 and 3 are too close together"},
        {"value.ldl", "A\r\n1/2/2001\r\n\r\n1\r\n2\r\n3\r\nB\r\n1/3/2001\r\n\r\n123456789\r\n2\r\n3\r\n",
         "Either source name is longer than 10 characters or data is longer than 8 characters.  Shorten one "
         "of "
         "these and try again.\r\n\r\nLine 7 of the file."},
        {"missing.txt", QByteArray(), "Cannot Import: error #  53 occured: File not found"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUi ui;
        ui.answer(vb::OK, c.message);
        if (c.text.isNull()) {
            EXPECT_FALSE(importFrom(c.name));
        } else {
            EXPECT_FALSE(importText(c.name, c.text));
        }
        EXPECT_EQ(ui.styles.value(0), vb::Exclamation);
        EXPECT_EQ(readRaw(file("site.mdb")), before);
    }
    // A failure injected after half the records: the database is exactly as before.
    QByteArray many;
    for (int i = 1; i <= 100; ++i)
        many += QStringLiteral("S%1\t5/%2/2001\t\t7\t8\t9\r\n").arg(i).arg(i % 28 + 1).toLatin1();
    dbFaultHook() = [](QStringView step, qint64 n) {
        if (step == u"import" && n == 50) raiseError(qmerr::PathFileAccess, "injected");
    };
    ScriptedUi ui;
    ui.answer(vb::OK, "Cannot Import: error #  75 occured: injected\r\n\r\nLine 50 of the file.");
    EXPECT_FALSE(importText("many.txt", many));
    EXPECT_EQ(readRaw(file("site.mdb")), before);
    EXPECT_EQ(dump(file("site.mdb")), original);
}

TEST_F(Exchange, OneValueALineSkipsBlankLinesBetweenRecordsAndDropsExtraValues) {
    // Four values a record for three parameters; the record length comes from the first two dates.
    ASSERT_TRUE(importText("four.ldl", "A\r\n1/2/01\r\n\r\n1\r\n2\r\n3\r\n4\r\n"
                                       "B \r\n1/3/2001\r\nD\r\n5\r\n \r\n7\r\n8\r\n"
                                       "\r\n\r\n"
                                       "C\r\n1/4/2001\r\n\r\n9\r\n10\r\n11\r\n12\r\n"));
    EXPECT_EQ(added(), QList<QStringList>({{"A", "2001-01-02", "(null)", "1", "2", "3"},
                                           {"B ", "2001-01-03", "D", "5", " ", "7"},
                                           {"C", "2001-01-04", "(null)", "9", "10", "11"}}));
    // A file of one record.
    original = dump(file("site.mdb"));
    ASSERT_TRUE(importText("one.ldl", "E\r\n2/2/1999\r\nX\r\n1\r\n"));
    EXPECT_EQ(added(), QList<QStringList>({{"E", "1999-02-02", "X", "1", "(null)", "(null)"}}));
}

TEST_F(Exchange, AValueHoldingTheSeparatorIsReportedAndNoFileIsWritten) {
    insert(file("site.mdb"), {{"MW-3", "2001-01-01", "", "1,5", "a\tb", ""}});
    writeRaw(file("out.csv"), "old\r\n");
    writeRaw(file("out.txt"), "old\r\n");
    {
        ScriptedUi ui;
        ui.answer(vb::OK,
                  "Cannot Export: pH of the record of MW-3 dated 01/01/2001 holds a comma, which this "
                  "file format cannot hold: \"1,5\".  Nothing was written.");
        EXPECT_FALSE(exportAs("out.csv"));
        ui.answer(vb::OK, "Cl of the record of MW-3 dated 01/01/2001 holds a Tab");
        EXPECT_FALSE(exportAs("out.txt"));
    }
    EXPECT_EQ(readRaw(file("out.csv")), "old\r\n");
    EXPECT_EQ(readRaw(file("out.txt")), "old\r\n");
    ASSERT_TRUE(exportAs("out.ldl"));
    EXPECT_TRUE(qtext::ReadLines(file("out.ldl")).contains("a\tb"));

    insert(file("site.mdb"), {{"MW-4", "2001-01-01", "", "x\r\ny", "", ""}});
    ScriptedUi ui;
    ui.answer(vb::OK, "holds a line break");
    EXPECT_FALSE(exportAs("out.ldl"));
}

TEST_F(Exchange, ExportAndImportReportAMissingDatabase) {
    QFile::remove(file("site.mdb"));
    writeRaw(file("in.txt"), "A\t1/2/2001\t\t1\r\n");
    ScriptedUi ui;
    ui.answer(vb::OK, "Error 3024 in ExportGWData.  Please contact Kalvex");
    EXPECT_FALSE(exportAs("out.txt"));
    EXPECT_FALSE(QFile::exists(file("out.txt")));
    ui.answer(vb::OK, "Cannot Import: error #  3024 occured: The sample database");
    EXPECT_FALSE(importFrom("in.txt"));
    EXPECT_FALSE(QFile::exists(file("site.mdb")));
}
