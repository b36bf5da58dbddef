// SPDX-License-Identifier: GPL-3.0-or-later
// The contour data files of the date contour run, on the run-data fixture site
// (tests/data/rundata/site: the project file and its records, listed in runsite.txt) with a few
// records of its own added per test. Each expected file is written out by hand from those records.
#include "platform/qmerror.h"
#include "platform/sampledb.h"
#include "platform/uiservice.h"
#include "project/importexport.h"
#include "project/modgw.h"
#include "project/projectfile.h"
#include "project/sampledbops.h"
#include "reports/contourdata.h"
#include "runsitefixture.h"
#include "support/programstate.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

// Sources MW-1, "O'Brien 3" and MW-2 with the fixture's records, MW-8 and MW-9 with the records
// below, one record of MW-1 without a date; parameters pH, Cond, Lead, Level; "<" factor .5.
class ContourData : public ProgramStateTest {
protected:
    void SetUp() override {
        dir = program.path() + QStringLiteral("proj/");
        QDir().mkpath(dir);
        ASSERT_NO_FATAL_FAILURE(runsite::open(dir));
        ModGW& g = modgw();
        SampleDb db;
        db.open(g.DatabaseFile);
        db.insert({"MW-1", "", "", "8", "1", "1", "1"});
        // On the day: MW-8 once with pH "-" and nothing else; MW-9 twice, pH in one record only,
        // Lead "<4" and 2. The day after, a record of MW-9 that no one-day episode takes.
        db.insert({"MW-8", "1998-03-21", "", "-", "", "", ""});
        db.insert({"MW-9", "1998-03-21", "", "7", "", "<4", ""});
        db.insert({"MW-9", "1998-03-21", "B", "", "", "2", ""});
        db.insert({"MW-9", "1998-03-22", "", "100", "100", "100", "100"});

        g.DateSumFile = dir + QStringLiteral("site.dcf");
        g.ContourFileTitle = QStringLiteral("SITE.DCF");
        definition({1, 2, 3}, QStringLiteral("03/21/1998"));
    }

    void definition(const QList<int>& params, const QString& episode) {
        auto& d = modgw().DateSum;
        d.DateParCount = int16_t(params.size());
        for (int j = 1; j <= params.size(); ++j) d.DateParams[j] = int16_t(params[j - 1]);
        const QList<QStringList> sources{{"MW-1", "1200", "830"}, {"O'Brien 3", "1620", "700"},
                                         {"MW-2", "1410", "955.5"}, {"MW-8", "1000", "600"},
                                         {"MW-9", "1500", "500"}};
        d.DateSourceCount = int16_t(sources.size());
        for (int k = 1; k <= sources.size(); ++k)
            for (int f = 1; f <= 3; ++f) d.DateSources[k][f] = sources[k - 1][f - 1];
        d.DateInfo[5] = episode;
    }

    // The file's bytes as text, so that a difference prints readably.
    static std::string bytesOf(const QString& path) { return readRaw(path).toStdString(); }

    std::string dataFiles() const {
        return QDir(dir)
            .entryList({QStringLiteral("*.TXT"), QStringLiteral("*.txt")}, QDir::Files, QDir::Name)
            .join(u' ')
            .toStdString();
    }

    TempProgramFolder program;
    ScriptedUi ui;
    QString dir;
};

TEST_F(ContourData, NamesTheFilesAfterTheDefinitionThenByNumber) {
    EXPECT_EQ(ContourFilePath(1, "TXT"), dir + "SITE.TXT");
    EXPECT_EQ(ContourFilePath(1, "GRD"), dir + "SITE.GRD");
    EXPECT_EQ(ContourFilePath(2, "TXT"), dir + "F2.TXT");
    EXPECT_EQ(ContourFilePath(12, "GRD"), dir + "F12.GRD");
    // Up to the first dot; a name without one gets one.
    modgw().ContourFileTitle = QStringLiteral("PLUME.V2.DCF");
    EXPECT_EQ(ContourFilePath(1, "TXT"), dir + "PLUME.TXT");
    modgw().ContourFileTitle = QStringLiteral("PLUME");
    EXPECT_EQ(ContourFilePath(1, "GRD"), dir + "PLUME.GRD");
    // Without a title, the definition path's bare name in capitals.
    modgw().ContourFileTitle.clear();
    modgw().DateSumFile = QStringLiteral("/elsewhere/north.dcf");
    EXPECT_EQ(ContourFilePath(1, "TXT"), dir + "NORTH.TXT");
    // A definition named like the second parameter's file must not share it; "F1" and "F02" do not.
    for (const char* title : {"F2.DCF", "F10.DCF"}) {
        modgw().ContourFileTitle = QString::fromLatin1(title);
        EXPECT_EQ(ContourFilePath(1, "TXT"), dir + "F1.TXT") << title;
    }
    modgw().ContourFileTitle = QStringLiteral("F1.DCF");
    EXPECT_EQ(ContourFilePath(1, "TXT"), dir + "F1.TXT");
    modgw().ContourFileTitle = QStringLiteral("F02.DCF");
    EXPECT_EQ(ContourFilePath(1, "TXT"), dir + "F02.TXT");
    // A file there under another spelling is the one meant, by the data step and the run alike.
    modgw().ContourFileTitle = QStringLiteral("SITE.DCF");
    writeRaw(dir + "site.grd", "old grid");
    EXPECT_EQ(ContourFilePath(1, "GRD"), dir + "site.grd");
}

// A one-day episode over three parameters: SITE.TXT, F2.TXT, F3.TXT. pH: MW-1's two records of the
// day 7.2 and 7.1, "O'Brien 3" one, MW-2 none ("-"), MW-8 "-" (a text that adds 0), MW-9 7 (its
// record without pH does not halve it; the day after is left out). Cond: MW-8's and MW-9's records
// hold none, so no value. Lead: MW-1 "-" and "<.005" (.0025), MW-9 "<4" (2) and 2.
TEST_F(ContourData, OneDayEpisodeOfThreeParameters) {
    ASSERT_TRUE(CreateDateContourData());
    EXPECT_EQ(dataFiles(), "F2.TXT F3.TXT SITE.TXT");
    EXPECT_EQ(bytesOf(dir + "SITE.TXT"),
              "1200\t830\t7.15\r\n1620\t700\t6.6\r\n1410\t955.5\t-\r\n1000\t600\t0\r\n1500\t500\t7\r\n");
    EXPECT_EQ(bytesOf(dir + "F2.TXT"),
              "1200\t830\t517.5\r\n1620\t700\t310\r\n1410\t955.5\t-\r\n1000\t600\t-\r\n1500\t500\t-\r\n");
    EXPECT_EQ(bytesOf(dir + "F3.TXT"),
              "1200\t830\t.00125\r\n1620\t700\t.008\r\n1410\t955.5\t-\r\n1000\t600\t-\r\n1500\t500\t2\r\n");
}

// Both ends of an episode count, blanks around its dates are no matter, and the report window
// (which ends in 2000) plays no part: MW-2's records of 05/05/2002 and 05/20/2002 give pH 5.7 twice,
// Cond 1.2 and "<1" (.5), Level -5.678 twice. A parameter number the project does not have, and a
// source row without a name, give "-".
TEST_F(ContourData, EpisodeWithBothEndsAfterTheReportWindow) {
    definition({1, 2, 4, 0, 7}, QStringLiteral(" 05/05/2002 , 05/20/2002 "));
    auto& d = modgw().DateSum;
    d.DateSourceCount = 2;
    d.DateSources[1][1] = QStringLiteral("MW-2");
    d.DateSources[2] = {QString(), QString(), QStringLiteral("1"), QStringLiteral("2")};
    ASSERT_TRUE(CreateDateContourData());
    EXPECT_EQ(bytesOf(dir + "SITE.TXT"), "1200\t830\t5.7\r\n1\t2\t-\r\n");
    EXPECT_EQ(bytesOf(dir + "F2.TXT"), "1200\t830\t.85\r\n1\t2\t-\r\n");
    EXPECT_EQ(bytesOf(dir + "F3.TXT"), "1200\t830\t-5.678\r\n1\t2\t-\r\n");
    EXPECT_EQ(bytesOf(dir + "F4.TXT"), "1200\t830\t-\r\n1\t2\t-\r\n");
    EXPECT_EQ(bytesOf(dir + "F5.TXT"), "1200\t830\t-\r\n1\t2\t-\r\n");
}

// Every refused episode says why and writes nothing: no new file, and the last run's stays.
TEST_F(ContourData, RefusedEpisodesWriteNoFile) {
    writeRaw(dir + "SITE.TXT", "last run\r\n");
    const QString noDate = "You must enter at least one valid date for the sampling episode.";
    const QString century = "Please specify the century when entering episode dates.";
    const QString first = "The first date of your sampling episode is not valid.";
    const QString second = "The second date of your sampling episode is not valid.";
    const std::pair<const char*, QString> cases[] = {
        {"", noDate},
        {"spring", noDate},
        {"02/30/1998", noDate},
        {"03/01/98,03/21/1998", century},
        {"03/01/1998,03/21/98", century},
        {"whenever,03/21/98", century},  // whatever the first date
        {"03/01/1998, 3/21/98 ", century}, // blanks do not hide the two-digit year
        {"spring,03/21/1998", first},
        {",03/21/1998", first},
        {"03/01/1998,", second},
        {"03/01/1998,03/21/1998,x", second},
        {"03/21/98", century}, // one date needs its century too
        {"03-21-98", century},
        {"03/21/98 x,03/22/1998", first}, // text after a date
    };
    for (const auto& [episode, message] : cases) {
        modgw().DateSum.DateInfo[5] = QString::fromLatin1(episode);
        ui.answer(vb::OK, message);
        EXPECT_FALSE(CreateDateContourData()) << episode;
        EXPECT_EQ(ui.texts.last(), message) << episode;
    }
    EXPECT_EQ(dataFiles(), "SITE.TXT");
    EXPECT_EQ(bytesOf(dir + "SITE.TXT"), "last run\r\n");
}

// Any other fault: its number in the step's message (without "in"), false, and the last run's files
// all as they were, also when only a later file of the set fails.
TEST_F(ContourData, FaultsLeaveTheLastRunsFiles) {
    writeRaw(dir + "SITE.TXT", "last run\r\n");
    auto error = [](int n) { return QStringLiteral("Error %1 CreateDateContourData.  Please contact Kalvex").arg(n); };

    const QString database = modgw().DatabaseFile;
    modgw().DatabaseFile = dir + "gone.mdb";
    ui.answer(vb::OK, error(3024));
    EXPECT_FALSE(CreateDateContourData());
    modgw().DatabaseFile = database;

    // A parameter of the project that the database has no field for.
    modgw().NumParams = 5;
    modgw().DateSum.DateParams[2] = 5;
    ui.answer(vb::OK, error(3265));
    EXPECT_FALSE(CreateDateContourData());
    modgw().NumParams = 4;
    modgw().DateSum.DateParams[2] = 2;

    // F3.TXT cannot be written: SITE.TXT and F2.TXT stay unwritten too.
    ASSERT_TRUE(QDir().mkpath(dir + "F3.TXT"));
    ui.answer(vb::OK, error(75));
    EXPECT_FALSE(CreateDateContourData());
    EXPECT_FALSE(QFile::exists(dir + "F2.TXT"));
    QDir(dir + "F3.TXT").removeRecursively();

    modgw().DataFolder = dir + "nowhere/";
    ui.answer(vb::OK, error(75));
    EXPECT_FALSE(CreateDateContourData());

    EXPECT_EQ(ui.texts.size(), 4);
    EXPECT_EQ(dataFiles(), "SITE.TXT");
    EXPECT_EQ(bytesOf(dir + "SITE.TXT"), "last run\r\n");
}

// The data file of the first parameter is written under the name the run reads it by, over a file
// of that name in other capitals rather than beside it.
TEST_F(ContourData, WritesOverAnotherSpellingOfTheName) {
    writeRaw(dir + "Site.txt", "last run\r\n");
    definition({3}, QStringLiteral("03/21/1998"));
    ASSERT_TRUE(CreateDateContourData());
    EXPECT_EQ(dataFiles(), "Site.txt");
    EXPECT_EQ(bytesOf(ContourFilePath(1, "TXT")).substr(0, 16), "1200\t830\t.00125\r");
}

} // namespace
