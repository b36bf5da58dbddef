// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/frmgwadd.h"
#include "platform/dates.h"
#include "platform/gui/forms.h"
#include "platform/gui/spreadgrid.h"
#include "platform/sampledb.h"
#include "project/modgw.h"
#include "project/projectfile.h"
#include "support/datatable.h"
#include "support/programstate.h"
#include "support/testenv.h"
#include "sitefixture.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class GWAdd : public ProgramStateTest {
protected:
    void SetUp() override {
        makeSite(pf.path());
        ModGW& m = modgw();
        m.ProjectFile = pf.file("site.qlp");
        m.DatabaseFile = pf.file("site.mdb");
        m.DataFolder = pf.path();
        ASSERT_TRUE(OpenProjectInfo());
    }
    frmGWAdd& form() { return forms::form<frmGWAdd>(); }
    // The records of a source as stored, in date order.
    QList<QStringList> stored(const QString& where) {
        return dataRecords(pf.file("site.mdb"), where, "\"Samp_Date\", \"Source\"");
    }
    TempProgramFolder pf;
};

} // namespace

TEST_F(GWAdd, TheGridHasOneFieldARowAndTheListTheSources) {
    frmGWAdd& f = form();
    EXPECT_EQ(f.windowTitle(), "Add Records");
    EXPECT_EQ(f.SSAdd->accessibleName(), "SSAdd");
    EXPECT_EQ(f.SSAdd->maxRows(), 3 + 5);
    EXPECT_EQ(f.SSAdd->maxCols(), 100);
    QStringList headers;
    for (int r = 1; r <= 8; ++r)
        headers << f.SSAdd->rowHeader(r);
    EXPECT_EQ(headers,
              QStringList({"Source ", "Samp_Date ", "Dup Code", "pH ", "Cl ", "TCE ", "Nitrate ", "Elev "}));
    EXPECT_EQ(f.SSAdd->enterAction(), SpreadGrid::EnterDown);
    EXPECT_FALSE(f.SSAdd->isDateColumn(1)); // dates are typed text, "/" required
    EXPECT_EQ(f.Label1->text(), "Master Source List");
    ASSERT_EQ(f.List1->count(), 4);
    EXPECT_EQ(f.List1->item(2)->text(), "O'Brien 3");

    // A click on a source writes it into the first row of the active column.
    f.SSAdd->setActiveCell(5, 3);
    f.List1->setCurrentRow(2);
    f.List1_Click();
    EXPECT_EQ(f.SSAdd->text(1, 3), "O'Brien 3");
}

TEST_F(GWAdd, OkStoresTheTypedRecordsAndCloses) {
    frmGWAdd& f = form();
    f.show();
    // Typed as a user does: Enter moves down the column.
    f.SSAdd->setFocus();
    f.SSAdd->setActiveCell(1, 1);
    for (const char* text : {"SP-4", "4/7/95", "", "6.8", "", "  "}) {
        QTest::keyClicks(f.SSAdd, text);
        QTest::keyClick(f.SSAdd, Qt::Key_Return);
    }
    EXPECT_EQ(f.SSAdd->activeRow(), 7);
    f.SSAdd->setText(1, 2, "MW-2");
    f.SSAdd->setText(4, 2, "7.0");
    // A source still being typed when OK is pressed counts.
    f.SSAdd->setActiveCell(1, 3);
    QTest::keyClicks(f.SSAdd, "MW-3");
    f.btnOK->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    // Empty cells take the parameter's Def. Text ("-", TCE "<1"); blanks stay blanks.
    EXPECT_EQ(stored("\"Samp_Date\" = '1995-04-07'"),
              QList<QStringList>({{"MW-2", "1995-04-07", "(null)", "7.0", "-", "<1", "-", "-"},
                                  {"MW-3", "1995-04-07", "(null)", "-", "-", "<1", "-", "-"},
                                  {"SP-4", "1995-04-07", "(null)", "6.8", "-", "  ", "-", "-"}}));
}
