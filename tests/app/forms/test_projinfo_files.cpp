// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/frmprojinfo.h"
#include "platform/gui/forms.h"
#include "platform/gui/spreadgrid.h"
#include "platform/textfile.h"
#include "project/modgw.h"
#include "project/projectfile.h"
#include "project/sampledbops.h"
#include "support/faultydisk.h"
#include "support/programstate.h"
#include "support/scriptedui.h"
#include "support/testenv.h"
#include "sitefixture.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

// The project form's OK with a sixth parameter and a confirmed rebuild of the database.
class ProjInfoFiles : public ProgramStateTest {
protected:
    void SetUp() override {
        site = makeSite(pf.path());
        ModGW& m = modgw();
        m.ProjectFile = site;
        m.DatabaseFile = pf.file("site.mdb");
        m.DataFolder = pf.path();
        ASSERT_TRUE(OpenProjectInfo());
        project = readRaw(site);
        database = readRaw(m.DatabaseFile);
        // The redefine dialog answered OK, which leaves RedefineConfirmed at -1.
        forms::setModalHook([](QDialog& d) {
            modgw().RedefineConfirmed = -1;
            d.accept();
        });
    }
    frmProjInfo& addZinc() {
        frmProjInfo& f = forms::form<frmProjInfo>();
        f.SS->setText(6, 1, "Zinc");
        f.Text3->setPlainText("Other client");
        return f;
    }
    TempProgramFolder pf;
    QString site;
    QByteArray project, database;
};

} // namespace

TEST_F(ProjInfoFiles, AProjectFileTheDiskCannotTakeIsReportedAndNothingIsRebuilt) {
    ScriptedUi ui;
    ui.answer(vb::OK, "Error 61 in btnOK_Click.");
    frmProjInfo& f = addZinc();
    {
        FileSizeLimit limit(256);
        f.btnOK->click();
    }
    EXPECT_NE(f.result(), QDialog::Accepted);
    EXPECT_EQ(readRaw(site), project);
    EXPECT_EQ(readRaw(pf.file("site.mdb")), database);
    EXPECT_EQ(modgw().NumParams, 5);
    EXPECT_EQ(modgw().ClientInfo[1], "Riverside Plating Works");
}

TEST_F(ProjInfoFiles, TheOldProjectFileStandsUntilTheDatabaseIsRebuilt) {
    int rotations = 0;
    dbFaultHook() = [&](QStringView step, qint64) {
        if (step != u"rotate") return;
        ++rotations;
        // A kill here leaves the old database with its own project file.
        EXPECT_EQ(readRaw(site), project);
    };
    frmProjInfo& f = addZinc();
    f.btnOK->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_GT(rotations, 0);
    const ProjectData d = ReadProjectFile(site);
    ASSERT_EQ(d.params.size(), 6);
    EXPECT_EQ(d.params[5][0], "Zinc");
    EXPECT_EQ(d.clientInfo[0], "Other client");
    EXPECT_EQ(QDir(pf.path()).entryList({"*.qlp*"}, QDir::Files | QDir::Hidden), QStringList{"site.qlp"});
}
