// SPDX-License-Identifier: GPL-3.0-or-later
#include "dbtest.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"
#include "project/importexport.h"
#include "support/errorof.h"
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
        // The sources the files below name, so that only the cases about unknown sources ask.
        QStringList known{"A", "B", "B ", "C", "D", "E", "MW-1", "MW-2", "MW-2 ", "MW-3", "MW-4", "MW-5", "MW-1234567"};
        for (int i = 1; i <= 100; ++i)
            known << QStringLiteral("S%1").arg(i);
        setSources(known);
    }
    static void setSources(const QStringList& names) {
        ModGW& m = modgw();
        m.NumSources = int(names.size());
        for (int i = 1; i <= m.NumSources; ++i)
            m.SourceTable[i] = {QString(), names[i - 1]};
    }
    // The project has the sources of its records, so that what it exports imports back.
    bool exportAs(const QString& name) {
        QStringList stored;
        if (QFile::exists(file("site.mdb")))
            for (const QStringList& r : dump(file("site.mdb")))
                stored << r[0];
        setSources(stored);
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

// A file an import refuses whole: its name, its text and the message shown.
struct RefusedFile {
    const char* name;
    QByteArray text;
    const char* message;
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

TEST_F(Exchange, AValueTooLongForItsFieldRefusesTheFileWithOneMessage) {
    const QByteArray before = readRaw(file("site.mdb"));
    const QList<RefusedFile> cases = {
        {"value.txt", "A\t1/2/2001\t\t1\t2\t3\r\nB\t1/2/2001\t\t1\t1234567890\t3\r\n",
         "Cannot Import: Data, 1234567890, is longer than 8 characters.\r\n\r\nLine 2 of the file.  No "
         "record of the file has been imported."},
        {"source.csv", "MW-1234567890,1/2/2001,,1,2,3\r\n",
         "Cannot Import: Source Name, MW-1234567890, is longer than 10 characters.\r\n\r\nLine 1 of"},
        {"dup.csv", "A,1/2/2001,,1\r\n\r\nB,1/2/2001,ABCD,1\r\n",
         "Cannot Import: Dup Code, ABCD, is longer than 3 characters.\r\n\r\nLine 3 of"},
        // The last value keeps no trailing blanks, the others keep theirs: "1234567 " fits, "12345678 "
        // does not.
        {"blanks.txt", "A\t1/2/2001\t\t1234567 \t12345678 \t3  \r\n",
         "Data, 12345678 , is longer than 8 characters.\r\n\r\nLine 1 of"},
        {"value.ldl", "A\r\n1/2/2001\r\n\r\n1\r\n2\r\n3\r\nB\r\n1/3/2001\r\n\r\n123456789\r\n2\r\n3\r\n",
         "Cannot Import: Data, 123456789, is longer than 8 characters.\r\n\r\nLine 10 of the file."},
        {"source.ldl", "A\r\n1/2/2001\r\n\r\n1\r\n2\r\n3\r\nMW-12345678\r\n1/3/2001\r\n\r\n1\r\n2\r\n3\r\n",
         "Source Name, MW-12345678, is longer than 10 characters.\r\n\r\nLine 7 of"},
        {"dup.ldl", "A\r\n1/2/2001\r\nDUP1\r\n1\r\n2\r\n3\r\n",
         "Dup Code, DUP1, is longer than 3 characters.\r\n\r\nLine 3 of"},
    };
    for (const RefusedFile& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUi ui;
        ui.answer(vb::OK, c.message);
        EXPECT_FALSE(importText(c.name, c.text));
        EXPECT_EQ(ui.texts.size(), 1);
        EXPECT_EQ(ui.styles.value(0), vb::Exclamation);
        EXPECT_EQ(readRaw(file("site.mdb")), before);
    }
    // Values that just fit are stored whole.
    ASSERT_TRUE(importText("fit.txt", "MW-1234567\t1/2/2001\tA B\t12345678\t1234567 \t1\r\n"));
    EXPECT_EQ(added(),
              QList<QStringList>({{"MW-1234567", "2001-01-02", "A B", "12345678", "1234567 ", "1"}}));
}

TEST_F(Exchange, AQuoteInsideAValueIsNoQuotedValue) {
    // Only a quote that opens a value makes it quoted; the quotes go, the commas still split.
    ASSERT_TRUE(importText("inch.csv", "MW-1,3/4/95,,12\",7,1\r\n\"MW-2\" ,3/4/95,,1,2,3\r\n"));
    EXPECT_EQ(added(), QList<QStringList>({{"MW-1", "1995-03-04", "(null)", "12", "7", "1"},
                                           {"MW-2 ", "1995-03-04", "(null)", "1", "2", "3"}}));
}

TEST_F(Exchange, AnyFailureStoresNothingOfTheFileAndNamesTheLine) {
    const QByteArray before = readRaw(file("site.mdb"));
    const QList<RefusedFile> cases = {
        {"date.txt", "A\t1/2/2001\t\t1\t2\t3\r\n\r\nB\t13/45/2001\t\t1\t2\t3\r\n",
         "Cannot Import: error #  3421 occured: \"13/45/2001\" is not a date\r\n\r\nLine 3 of the file.  No "
         "record "
         "of the file has been imported."},
        {"nodate.txt", "A\t1/2/2001\t\t1\r\nB\t\t\t1\r\n", "error #  3421 occured: \"\" is not a date"},
        {"short.txt", "A\t1/2/2001\t\t1\t2\t3\r\nB\t1/2/2001\r\n",
         "error #  5 occured: the line holds fewer values"},
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
        {"missing.txt", QByteArray(), "Cannot Import: error #  53 occured: File not found"},
    };
    for (const RefusedFile& c : cases) {
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

TEST_F(Exchange, SourcesTheProjectLacksAreAskedAboutOnceAndNoStoresNothing) {
    // "HC-9" is a typo for a source of the project; "hc-9" is the same source to the database.
    struct Case { const char* name; QByteArray text; const char* question; };
    const QList<Case> cases = {
        {"typo.txt", "A\t1/2/2001\t\t1\r\nHC-9\t1/2/2001\t\t2\r\nmw-1\t1/3/2001\t\t3\r\nhc-9\t1/3/2001\t\t4\r\n"
                     "Q1\t1/4/2001\t\t5\r\n",
         "3 lines of the file name sources that the project does not have: HC-9 (line 2), Q1 (line 5).  "
         "Records of a source the project does not have cannot be shown or deleted.\r\n\r\nImport only the "
         "lines of the project's sources?  No imports nothing."},
        {"typo.ldl", "A\r\n1/2/2001\r\n\r\n1\r\nHC-9\r\n1/2/2001\r\n\r\n2\r\nmw-1\r\n1/3/2001\r\n\r\n3\r\n",
         "1 record of the file names a source that the project does not have: HC-9 (line 5).  Records"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray before = readRaw(file("site.mdb"));
        {
            ScriptedUi ui;
            ui.answer(vb::No, c.question);
            EXPECT_FALSE(importText(c.name, c.text));
            EXPECT_EQ(ui.styles.value(0), vb::YesNo | vb::Question | vb::DefaultButton2);
            EXPECT_EQ(ui.texts.size(), 1);
            EXPECT_EQ(readRaw(file("site.mdb")), before);
        }
        ScriptedUi ui;
        ui.answer(vb::Yes, c.question).answer(vb::OK, "2 records imported from " + QString(c.name));
        EXPECT_TRUE(importFrom(c.name));
        QStringList sources;
        for (const QStringList& r : added())
            sources << r[0];
        EXPECT_EQ(sources, QStringList({"A", "mw-1"}));
        original = dump(file("site.mdb"));
    }
    // More than five unknown sources: the first five and "...". A value too long for its field
    // near the end of a file stores nothing, whatever the answer.
    QByteArray many;
    for (int i = 1; i <= 300; ++i)
        many += QStringLiteral("%1\t5/%2/2001\t\t%3\r\n")
                    .arg(i % 50 ? QStringLiteral("MW-1") : QStringLiteral("X%1").arg(i), QString::number(i % 28 + 1),
                         i == 299 ? QStringLiteral("123456789") : QStringLiteral("7"))
                    .toLatin1();
    const QByteArray before = readRaw(file("site.mdb"));
    ScriptedUi ui;
    ui.answer(vb::Yes, "6 lines of the file name sources that the project does not have: X50 (line 50), X100 "
                       "(line 100), X150 (line 150), X200 (line 200), X250 (line 250), ...")
        .answer(vb::OK, "Data, 123456789, is longer than 8 characters.\r\n\r\nLine 299 of the file.");
    EXPECT_FALSE(importText("many.txt", many));
    EXPECT_EQ(readRaw(file("site.mdb")), before);
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

TEST_F(Exchange, EveryExportImportsBackOrIsRefusedWithTheReason) {
    // Awkward records beside the fixture's ("MW-1", "MW-2", "mw-1"): "AA" sorts first, "AB" second.
    struct Case {
        const char* layouts;
        QList<QStringList> records;
        const char* refusal; // "" when the records go out and come back as they are
    };
    const QList<Case> cases = {
        // The separated import removes every double quote and the blanks it trims.
        {"txt csv",
         {{"\"MW-5", "2001-01-01", "", "1", "2", "3"}},
         "Source of the record of \"MW-5 dated 01/01/2001 holds a double quote"},
        {"txt csv",
         {{"ZZ", "2001-01-01", "\"A", "1", "2", "3"}},
         "Cannot Export: Dup of the record of ZZ dated 01/01/2001 holds a double quote, which this file "
         "format cannot hold: \"\"A\".  Nothing was written."},
        {"txt csv",
         {{"ZZ", "2001-01-01", "", "12\"", "2", "3"}},
         "pH of the record of ZZ dated 01/01/2001 holds a double quote"},
        {"txt csv",
         {{" MW-5", "2001-01-01", "", "1", "2", "3"}},
         "Source of the record of  MW-5 dated 01/01/2001 begins with a blank"},
        {"txt csv",
         {{"ZZ", "2001-01-01", " A", "1", "2", "3"}},
         "Dup of the record of ZZ dated 01/01/2001 begins with a blank"},
        {"txt csv",
         {{"ZZ", "2001-01-01", "", "1", " 2", "3"}},
         "Cl of the record of ZZ dated 01/01/2001 begins with a blank"},
        {"txt csv",
         {{"ZZ", "2001-01-01", "", "1", "2", "3 "}},
         "TCE of the record of ZZ dated 01/01/2001 ends with a blank at the end of the line"},
        {"txt csv", {{"MW 5  ", "2001-01-01", "A  ", "7 ", "1/2/2003", "<0.5"}}, ""},
        {"txt", {{"ZZ", "2001-01-01", "", "a,b", "", "x"}}, ""},
        {"csv", {{"ZZ", "2001-01-01", "", "a\tb", "", "x"}}, ""},
        {"txt csv ldl",
         {{"ZZ", "2001-01-01", "", "'x", QString::fromUtf8("\xc3\x84\xc3\xb6\xc3\xbc"),
           QString::fromUtf8("\xe2\x82\xac"
                             "5")}},
         ""},
        // One value a line keeps blanks and quotes, but finds the records by their dates.
        {"ldl", {{" \"MW 5 ", "2001-01-01", " \"A", " 7 ", "", "3 "}}, ""},
        {"ldl",
         {{"ZZ", "2001-01-01", "", "1/2/2003", "", ""}},
         "pH of the record of ZZ dated 01/01/2001 reads as a date"},
        {"ldl", {{"ZZ", "2001-01-01", "", "1-2-2003", "", ""}}, "reads as a date"},
        {"ldl", {{"ZZ/1", "2001-01-01", "", "n/a", "", "a/b/c"}}, ""},
        {"ldl",
         {{"AA", "2001-01-01", "", "n/a", "", ""}},
         "pH of the record of AA dated 01/01/2001 holds a \"/\" before the date of the second record"},
        {"ldl",
         {{"A/A", "2001-01-01", "", "", "", ""}},
         "Source of the record of A/A dated 01/01/2001 holds a"},
        {"ldl",
         {{"AA", "2001-01-01", "", "", "", ""}, {"AB/1", "2001-01-01", "", "", "", ""}},
         "Source of the record of AB/1 dated 01/01/2001 holds a \"/\" before the date of the second record"},
        {"ldl", {{"AA", "2001-01-01", "", "", "", ""}, {"AB", "2001-01-01", "n/a", "", "", ""}}, ""},
        {"txt csv ldl",
         {{"   ", "2001-01-01", "", "1", "", ""}},
         "Source of the record of     dated 01/01/2001 is blank"},
        {"txt csv ldl",
         {{"ZZ", "", "", "1", "", ""}},
         "Cannot Export: the record of ZZ has no date (\"\"), so the file could not be imported.  Nothing "
         "was "
         "written."},
    };
    for (const Case& c : cases) {
        for (const QString& layout : QString::fromLatin1(c.layouts).split(u' ')) {
            const QString name = "awkward." + layout;
            SCOPED_TRACE((name + ": " + c.records.last().join(u'|')).toStdString());
            emptyDatabase();
            insert(file("site.mdb"), records);
            insert(file("site.mdb"), c.records);
            const QList<QStringList> stored = sorted(dump(file("site.mdb")));
            QFile::remove(file(name));
            ScriptedUi ui;
            if (*c.refusal) {
                ui.answer(vb::OK, c.refusal);
                EXPECT_FALSE(exportAs(name));
                EXPECT_FALSE(QFile::exists(file(name)));
                continue;
            }
            ASSERT_TRUE(exportAs(name));
            emptyDatabase();
            ui.answer(vb::OK, QStringLiteral("%1 records imported from %2.").arg(stored.size()).arg(name));
            EXPECT_TRUE(importFrom(name));
            EXPECT_EQ(sorted(dump(file("site.mdb"))), stored);
        }
    }
}

TEST_F(Exchange, RandomRecordsImportBackUnlessTheExportRefusesThem) {
    // Plain values, one in eight with a character one of the layouts treats specially.
    const QString plain = QStringLiteral("aZ1.-<'");
    const QString special = QStringLiteral(" \"\t,/");
    quint32 seed = 20021;
    auto next = [&](int n) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 16) % quint32(n));
    };
    auto value = [&](int minLen, int maxLen) {
        QString s;
        const int len = minLen + next(maxLen - minLen + 1);
        for (int i = 0; i < len; ++i)
            s += plain[next(int(plain.size()))];
        if (len > 0 && next(8) == 0) s[next(len)] = special[next(int(special.size()))];
        return s;
    };
    for (const char* layout : {"txt", "csv", "ldl"}) {
        SCOPED_TRACE(layout);
        const QString name = QStringLiteral("random.") + layout;
        int written = 0, refused = 0;
        for (int round = 0; round < 60; ++round) {
            emptyDatabase();
            QList<QStringList> rs;
            for (int r = 0; r < 2; ++r)
                rs << QStringList{
                    value(1, 10), QDate(1990 + next(30), 1 + next(12), 1 + next(28)).toString(Qt::ISODate),
                    value(0, 3),  value(0, 8),
                    value(0, 8),  value(0, 8)};
            insert(file("site.mdb"), rs);
            const QList<QStringList> stored = sorted(dump(file("site.mdb")));
            QFile::remove(file(name));
            ScriptedUi ui;
            ui.allowAny();
            if (!exportAs(name)) {
                ++refused;
                ASSERT_EQ(ui.texts.size(), 1);
                EXPECT_TRUE(ui.texts[0].startsWith("Cannot Export: ")) << qPrintable(ui.texts[0]);
                EXPECT_FALSE(QFile::exists(file(name)));
                continue;
            }
            ++written;
            emptyDatabase();
            const bool imported = importFrom(name);
            SCOPED_TRACE(readRaw(file(name)).toStdString());
            ASSERT_TRUE(imported) << qPrintable(ui.texts.value(0));
            ASSERT_EQ(sorted(dump(file("site.mdb"))), stored);
        }
        // Both outcomes occur, so the draw tests something.
        EXPECT_GT(written, 5);
        EXPECT_GT(refused, 5);
    }
}

TEST_F(Exchange, TheTypedCallsTakeFileLayoutAndDatabaseAndShowNothing) {
    const QString db = file("site.mdb");
    modgw().reset(); // no project: the calls read nothing of it
    ScriptedUi ui;   // and show no box
    for (int layout : {exchange::Tab, exchange::Comma, exchange::Lines}) {
        SCOPED_TRACE(layout);
        const QString out = file(QStringLiteral("typed%1.dat").arg(layout));
        exchange::Result r = exchange::ExportRecords(out, layout, db, 3);
        ASSERT_TRUE(r.done) << qPrintable(r.message);
        EXPECT_TRUE(r.message.isEmpty());
        emptyDatabase();
        r = exchange::ImportRecords(out, layout, db, 3);
        ASSERT_TRUE(r.done) << qPrintable(r.message);
        EXPECT_EQ(sorted(dump(db)), sorted(original));
        EXPECT_EQ(r.stored, original.size());
    }
    // Fewer parameters than the table has: the others stay out of the file and empty coming in.
    ASSERT_TRUE(exchange::ExportRecords(file("two.txt"), exchange::Tab, db, 2).done);
    EXPECT_EQ(qtext::ReadLines(file("two.txt")).value(0), "mw-1\t06/30/1925\t\t6.6\t14");
    emptyDatabase();
    writeRaw(file("all.txt"), "A\t1/2/2001\t\t1\t2\t3\r\n");
    ASSERT_TRUE(exchange::ImportRecords(file("all.txt"), exchange::Tab, db, 1).done);
    EXPECT_EQ(dump(db), QList<QStringList>({{"A", "2001-01-02", "(null)", "1", "(null)", "(null)"}}));

    // Refusals come back as the message, naming the line; nothing is stored or written.
    writeRaw(file("bad.csv"), "B,1/2/2001,,1\r\nC,1/2/2001,ABCD,1\r\n");
    exchange::Result r = exchange::ImportRecords(file("bad.csv"), exchange::Comma, db, 3);
    EXPECT_FALSE(r.done);
    EXPECT_EQ(r.message,
              "Cannot Import: Dup Code, ABCD, is longer than 3 characters.\r\n\r\nLine 2 of the file.  "
              "No record of the file has been imported.");
    EXPECT_EQ(dump(db).size(), 1);
    insert(db, {{"ZZ", "2001-01-01", "", "a,b", "", ""}});
    r = exchange::ExportRecords(file("bad.csv"), exchange::Comma, db, 3);
    EXPECT_FALSE(r.done);
    EXPECT_TRUE(r.message.startsWith("Cannot Export: pH of the record of ZZ dated 01/01/2001 holds a comma"));
    EXPECT_EQ(readRaw(file("bad.csv")), "B,1/2/2001,,1\r\nC,1/2/2001,ABCD,1\r\n");

    // Faults before the records are read are raised, for the caller's trap.
    EXPECT_EQ(errorOf([&] { exchange::ImportRecords(file("none.txt"), exchange::Tab, db, 3); }),
              qmerr::FileNotFound);
    EXPECT_EQ(errorOf([&] { exchange::ExportRecords(file("x.txt"), exchange::Tab, file("none.mdb"), 3); }),
              dberr::FileNotFound);
}

TEST_F(Exchange, ADatabaseThatFailsPartWayIsReportedAndNothingIsWritten) {
    {
        SampleDb db;
        db.open(file("site.mdb"));
        db.begin();
        for (int i = 0; i < 400; ++i)
            db.insert({"SP-4", qdate::ToIso(QDate(1990, 1, 1).addDays(i)), "", "7.25", "1234.567", "1"});
        db.commit();
    }
    // The last page damaged: the records before it read, the rest do not.
    QByteArray bytes = readRaw(file("site.mdb"));
    for (qsizetype i = bytes.size() - 4096; i < bytes.size(); ++i)
        bytes[i] = char(0xA5);
    writeRaw(file("site.mdb"), bytes);
    writeRaw(file("out.txt"), "old\r\n");
    ScriptedUi ui;
    ui.answer(vb::OK, "Error 3000 in ExportGWData.  Please contact Kalvex");
    EXPECT_FALSE(exportAs("out.txt"));
    EXPECT_EQ(readRaw(file("out.txt")), "old\r\n");
    EXPECT_EQ(
        errorOf([&] { exchange::ExportRecords(file("new.ldl"), exchange::Lines, file("site.mdb"), 3); }),
        dberr::Engine);
    EXPECT_FALSE(QFile::exists(file("new.ldl")));
}
