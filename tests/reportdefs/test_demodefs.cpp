// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dates.h"
#include "platform/progfolder.h"
#include "reportdefs/datecontourfile.h"
#include "reportdefs/datesumfile.h"
#include "reportdefs/gwelevfile.h"
#include "reportdefs/par1sumfile.h"
#include "reportdefs/stifffile.h"
#include "reportdefs/wellsumfile.h"
#include "support/testenv.h"

#include <gtest/gtest.h>

// The demo ships one definition of each kind; each must read back through its own reader in
// either day order, its episode dates written the way the user types dates.
TEST(DemoDefinitions, ReadBackInTheUsersDayOrder) {
    for (int dayFirst : {0, 1}) {
        SCOPED_TRACE(dayFirst);
        TempProgramFolder pf;
        qdate::SetDayFirst(dayFirst);
        ASSERT_TRUE(SeedProgramFolder(dayFirst));
        const auto demo = [&](const char* name) { return pf.file(QStringLiteral("demo/") + name); };

        const WellSumFileData wsf = readWellSumFile(demo("millbrook.wsf"));
        EXPECT_EQ(wsf.Definition.NumWellList, 2);
        EXPECT_EQ(wsf.Definition.WellSumGrid[6][1], "14");

        const Par1SumFileData psf = readPar1SumFile(demo("millbrook.psf"));
        EXPECT_EQ(psf.Definition.Par1ParCount, 3);
        EXPECT_EQ(psf.Definition.Par1Sources[3], "MW-3");

        const GWElevFileData gwf = readGWElevFile(demo("millbrook.gwf"));
        EXPECT_EQ(gwf.Definition.GWElevSetCount, 2);
        EXPECT_EQ(gwf.Definition.GWElevSetSources[2][4], "MW-8");

        const StiffFileData stf = readStiffFile(demo("millbrook.stf"));
        EXPECT_EQ(stf.Definition.StiffEpisodeCount, 2);
        EXPECT_EQ(stf.Definition.StiffEpisodes[1][2], dayFirst ? "01/09/1998" : "09/01/1998");
        EXPECT_EQ(stf.Definition.StiffSources[2][3], "MW-7");

        const DateSumFileData dsf = readDateSumFile(demo("millbrook.dsf"));
        EXPECT_EQ(dsf.Definition.DateSourceCount, 5);
        EXPECT_EQ(dsf.Definition.DateEpisodes[2][1], dayFirst ? "31/03/1998" : "03/31/1998");
        EXPECT_EQ(dsf.Definition.DateMapInfo[6], "1,2,3");

        const DateContourFileData dcf = readDateContourFile(demo("plume.dcf"));
        EXPECT_EQ(dcf.Definition.DateSourceCount, 9);
        EXPECT_EQ(dcf.Definition.DateInfo[5], dayFirst ? "01/03/1998,31/03/1998" : "03/01/1998,03/31/1998");
        EXPECT_EQ(dcf.Definition.DateMapInfo[4], "Kriging");
    }
    qdate::SetDayFirst(0);
}
