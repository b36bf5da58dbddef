// SPDX-License-Identifier: GPL-3.0-or-later
#include "dbtest.h"
#include "project/addrecords.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QSqlQuery>

namespace {

class AddTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        useProject({"pH", "Cl", "TCE"});
        modgw().ParamTable[3][5] = "<1";
        insert(file("site.mdb"), {{"MW-1", "1999-03-04", "", "6.5", "12", "<1"}});
        before = readRaw(file("site.mdb"));
    }
    QList<QStringList> added() { return dump(file("site.mdb")).mid(1); }
    QByteArray before;
};

} // namespace

TEST_F(AddTest, AnEmptyDateIsCarriedFromTheLeftAndEmptyCellsTakeTheDefaultText) {
    const QList<AddColumn> cols = {
        {" A ", " 4/7/95 ", " D ", "7.1", "", "  "},
        {"B", "", "", "", "", ""},
        {"C", "", "", "6.9"},
        {"D", "4/7/05", "", "1", "2", "3"},
        {"E", "4/7/15"},
        {"F", "4/7/00"},
        {"G", "12/31/1925"},
    };
    EXPECT_EQ(AddRecords(cols), AddResult::Added);
    EXPECT_EQ(added(), QList<QStringList>({{"A", "1995-04-07", "D", "7.1", "-", "  "},
                                           {"B", "1995-04-07", "(null)", "-", "-", "<1"},
                                           {"C", "1995-04-07", "(null)", "6.9", "-", "<1"},
                                           {"D", "2005-04-07", "(null)", "1", "2", "3"},
                                           {"E", "2015-04-07", "(null)", "-", "-", "<1"},
                                           {"F", "2000-04-07", "(null)", "-", "-", "<1"},
                                           {"G", "1925-12-31", "(null)", "-", "-", "<1"}}));
    // The index is not unique: the same source, date and code again is one more record.
    EXPECT_EQ(AddRecords({{"MW-1", "3/4/1999", ""}}), AddResult::Added);
    EXPECT_EQ(added().size(), 8);
    EXPECT_EQ(AddRecords({}), AddResult::Nothing);
}

TEST_F(AddTest, EveryRefusalShowsItsMessageAndAddsNothing) {
    struct Case {
        QList<AddColumn> cols;
        const char* message;
    };
    const QList<Case> cases = {
        {{{"A", "", ""}, {"B", "1/2/2001"}}, "Bad Date Format"},
        {{{"A", "1/2/2001"}, {"B", "12-3-95"}}, "Bad Date Format"},
        {{{"A", "1/2/2001"}, {"B", "2/30/2001"}}, "Bad Date Format"},
        {{{"A", "1/2/2001"}, {"B", "", "", "123456789"}},
         "Cannot Add: Either source name is longer than 10 characters or data is longer than 8 characters.  "
         "Shorten one of these and try again."},
        {{{"A", "1/2/2001"}, {"MW-1234567", "1/3/2001"}, {"MW-12345678", "1/3/2001"}},
         "Cannot Add: Either source name is longer than 10 characters"},
        {{{"A", "1/2/2001", "ABCD"}}, "Cannot Add: Either source name"},
        {{{"A", "1/2/2001"}, {"  ", "1/2/2001"}}, "Cannot Add: error #  3315 occured: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        ScriptedUi ui;
        ui.answer(vb::OK, c.message);
        EXPECT_EQ(AddRecords(c.cols), AddResult::Refused);
        EXPECT_EQ(ui.styles.value(0), vb::Exclamation);
        EXPECT_EQ(ui.titles.value(0), titleEmpty);
        EXPECT_EQ(readRaw(file("site.mdb")), before);
    }
    // An engine that keeps duplicates out.
    {
        SampleDb db;
        db.open(file("site.mdb"));
        QSqlQuery q(db.database());
        ASSERT_TRUE(q.exec("CREATE UNIQUE INDEX \"one\" ON \"Data\" (\"Source\", \"Samp_Date\", \"Dup\")"));
    }
    const QByteArray unique = readRaw(file("site.mdb"));
    ScriptedUi ui;
    ui.answer(vb::OK, "Cannot Add:  Duplicate Record Found");
    EXPECT_EQ(AddRecords({{"MW-2", "1/2/2001", "X"}, {"mw-2", "1/2/2001", "X"}}), AddResult::Refused);
    EXPECT_EQ(readRaw(file("site.mdb")), unique);
}
