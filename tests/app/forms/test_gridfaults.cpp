// SPDX-License-Identifier: GPL-3.0-or-later
// The main grid when the database refuses: an emptied or invalid date, a damaged file, another
// program holding the database, a disk that is full. Each is reported and the window goes on.
#include "app/forms/frmdatagrid.h"
#include "app/startup.h"
#include "platform/boundrecords.h"
#include "platform/dates.h"
#include "platform/gui/datacontrol.h"
#include "platform/gui/forms.h"
#include "platform/gui/spreadgrid.h"
#include "platform/sampledb.h"
#include "platform/textfile.h"
#include "project/modgw.h"
#include "support/datatable.h"
#include "support/faultydisk.h"
#include "support/programstate.h"
#include "support/scriptedui.h"
#include "support/testenv.h"
#include "sitefixture.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class GridFaults : public ProgramStateTest {
protected:
    void SetUp() override {
        qtext::WriteLines(pf.file("defcolor.col"), {"1", "Black", "0 0 0"});
        site = makeSite(pf.path());
        qtext::WriteLines(pf.file("qmarrecent.txt"), {site});
        w = &forms::form<frmDatAGrid>();
        w->Form_Load();
        w->Timer1->stop();
        w->show();
        w->SS->setReplaceOnEdit(true);
        qdate::SetDayFirst(0);
        w->SetupDataGrid();
        w->BindSource(1);
    }
    QString db() const { return pf.file("site.mdb"); }
    QList<QStringList> stored(const QString& source) const { return boundRecords(db(), source); }
    void type(int row, int col, const QString& text) {
        w->SS->setActiveCell(row, col);
        QTest::keyClicks(w->SS, text);
    }

    TempProgramFolder pf;
    QString site;
    frmDatAGrid* w = nullptr;
};

} // namespace

// MW-1's first record is dated 11/20/1998.
TEST_F(GridFaults, AnEmptiedOrInvalidDateIsRefusedWithBadDateFormatAndTheStoredDateStays) {
    ScriptedUi ui;
    const QList<QStringList> before = stored("MW-1");

    // Delete on the date cell.
    ui.answer(vb::OK, "Bad Date Format");
    w->SS->setSelectedBlock({1, 2, 1, 2});
    QTest::keyClick(w->SS, Qt::Key_Delete);
    EXPECT_EQ(ui.styles.last(), vb::Exclamation);
    EXPECT_EQ(ui.titles.last(), titleEmpty);
    EXPECT_EQ(w->SS->text(1, 2), "11/20/1998");
    EXPECT_EQ(stored("MW-1"), before);

    // A block with the date in it: the other cells are cleared, the date stays; one message.
    ui.answer(vb::OK, "Bad Date Format");
    w->SS->setSelectedBlock({1, 2, 1, 4});
    QTest::keyClick(w->SS, Qt::Key_Delete);
    EXPECT_EQ(w->SS->text(1, 2), "11/20/1998");
    EXPECT_EQ(stored("MW-1")[0], QStringList({"MW-1", "1998-11-20", "", "", "14", "3", "2.4", "97.9"}));

    // Typed and confirmed with Enter: the warning, and the cell stays open for a better date.
    ui.answer(vb::OK, "Bad Date Format");
    type(2, 2, "13/45/99");
    QTest::keyClick(w->SS, Qt::Key_Return);
    QLineEdit* open = w->SS->findChild<QLineEdit*>();
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->text(), "13/45/99");
    QTest::keyClick(open, Qt::Key_Escape);
    EXPECT_EQ(w->SS->text(2, 2), "03/04/1999");

    // Typed and left for a button: the warning, and the stored date shows again.
    ui.answer(vb::OK, "Bad Date Format");
    type(2, 2, "2/30/2001");
    w->SS->commitEdit();
    EXPECT_EQ(w->SS->text(2, 2), "03/04/1999");
    EXPECT_EQ(stored("MW-1")[1][1], "1999-03-04");
    EXPECT_EQ(ui.texts.size(), 4) << qPrintable(ui.texts.join(" / "));
}

TEST_F(GridFaults, ADamagedFileIsReportedWhenASourceIsRead) {
    ScriptedUi ui;
    {
        SampleDb d;
        d.open(db());
        d.begin();
        for (int i = 0; i < 400; ++i)
            d.insert({"SP-4", qdate::ToIso(QDate(1990, 1, 1).addDays(i)), "", "7.25", "1234.567"});
        d.commit();
    }
    w->datGW->records().release();
    // The last page damaged: SP-4's first records read, its later ones do not.
    QByteArray bytes = readRaw(db());
    for (qsizetype i = bytes.size() - 4096; i < bytes.size(); ++i)
        bytes[i] = char(0xA5);
    writeRaw(db(), bytes);
    modgw().CurrentSource = 3;
    ui.answer(vb::OK, "Error 3000 in BindSource.  Please contact Kalvex");
    w->Command4->click();
    EXPECT_EQ(w->Label1->text(), "Source: SP-4");
    EXPECT_EQ(w->SS->maxRows(), 0); // nothing rather than part of the records
    // The window goes on with the sources it can read.
    w->Command3->click();
    EXPECT_EQ(w->Label1->text(), "Source: O'Brien 3");
    EXPECT_EQ(w->SS->maxRows(), 2);
}

TEST_F(GridFaults, ADatabaseAnotherProgramHoldsIsNamedAsTheCause) {
    ScriptedUi ui;
    SampleDb other;
    other.open(db());
    QSqlQuery lock(other.database());
    ASSERT_TRUE(lock.exec("BEGIN EXCLUSIVE"));
    const QString inUse = "The sample database " + db() + " is in use by another program.";
    ui.answer(vb::OK, inUse);
    type(1, 4, "7.7");
    w->SS->commitEdit();
    EXPECT_EQ(ui.styles.last(), vb::Exclamation);
    EXPECT_EQ(w->SS->text(1, 4), "6.6");
    ui.answer(vb::OK, inUse);
    w->Command4->click();
    EXPECT_EQ(w->SS->maxRows(), 0);
    ASSERT_TRUE(lock.exec("ROLLBACK"));
    w->Command3->click();
    EXPECT_EQ(w->SS->maxRows(), 3);
}

TEST_F(GridFaults, AFullDiskIsReportedByEveryHandlerAndNothingIsLost) {
    ScriptedUi ui;
    const QList<QStringList> before = stored("MW-1");
    {
        // No file of ours may grow past 1 kB: the engine's journal cannot be written.
        FileSizeLimit full(1024);
        ui.answer(vb::OK, "Error 3000 in SS_Change.  Please contact Kalvex");
        type(1, 4, "7.7");
        QTest::keyClick(w->SS, Qt::Key_Return);
        EXPECT_EQ(w->SS->text(1, 4), "6.6");

        ui.answer(vb::OK, "Error 3000 in SS_Change.  Please contact Kalvex");
        w->SS->setSelectedBlock({2, 5, 2, 5});
        QTest::keyClick(w->SS, Qt::Key_Delete);
        EXPECT_EQ(w->SS->text(2, 5), "12");

        ui.answer(vb::OK, "Database Record Error:  Select 'Exit' and then return");
        w->SS->setActiveCell(2, 1);
        w->Command2->click();

        // Clear Database cannot copy the file: the reason is given and nothing changes.
        ui.answer(vb::Yes, "Do you wish to continue?")
            .answer(vb::OK, "Error 75 in ClearDB.  Please contact Kalvex\r\n\r\n" + db() + " cannot be copied");
        w->mnuClearDatabase->trigger();
        EXPECT_TRUE(ui.texts.last().endsWith("File too large\r\n\r\nThe database site.mdb has not been changed."))
            << qPrintable(ui.texts.last());
        EXPECT_FALSE(QFile::exists(pf.file("TEMP.MDB")));
        EXPECT_EQ(w->SS->maxRows(), 3);

        // Reading is no write: navigation goes on.
        w->Command4->click();
        EXPECT_EQ(w->SS->maxRows(), 1);
        w->Command3->click();
        EXPECT_EQ(w->SS->maxRows(), 3);
    }
    EXPECT_EQ(stored("MW-1"), before);
    // The disk has room again: the same edit is written.
    type(1, 4, "7.7");
    QTest::keyClick(w->SS, Qt::Key_Return);
    EXPECT_EQ(stored("MW-1")[0][3], "7.7");
}

// The same on a real disk that fills up, where the test may mount one.
TEST_F(GridFaults, OnADiskThatIsFullTheGridReportsAndGoesOn) {
    SmallDisk disk(1 << 20);
    if (!disk.ok()) GTEST_SKIP() << "no right to mount a small disk";
    ScriptedUi ui;
    const QString there = makeSite(disk.path());
    ui.file(there, "Open");
    w->mnuOpenProject->trigger();
    ASSERT_EQ(w->SS->maxRows(), 3);
    const QByteArray bytes = readRaw(disk.file("site.mdb"));
    disk.fillLeaving(0);

    ui.answer(vb::OK, "Error 3000 in SS_Change.  Please contact Kalvex");
    type(1, 4, "7.7");
    QTest::keyClick(w->SS, Qt::Key_Return);
    EXPECT_EQ(w->SS->text(1, 4), "6.6");
    ui.answer(vb::OK, "Database Record Error:  Select 'Exit' and then return");
    w->Command2->click();
    ui.answer(vb::Yes, "Do you wish to continue?")
        .answer(vb::OK, "Error 75 in ClearDB.  Please contact Kalvex");
    w->mnuClearDatabase->trigger();
    EXPECT_TRUE(ui.texts.last().contains("No space left on device")) << qPrintable(ui.texts.last());
    w->Command4->click();
    EXPECT_EQ(w->Label1->text(), "Source: MW-2");
    EXPECT_EQ(readRaw(disk.file("site.mdb")), bytes);
    w->datGW->records().release(); // before the disk goes
}
