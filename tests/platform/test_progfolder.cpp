// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/progfolder.h"
#include "support/testenv.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(ProgramFolder, SeedingCopiesTheResourcesButNeverOverwrites) {
    TempProgramFolder pf;
    writeRaw(pf.file("logo.txt"), "mine\r\n");
    ASSERT_TRUE(SeedProgramFolder());
    EXPECT_EQ(readRaw(pf.file("logo.txt")), QByteArray("mine\r\n"));
    EXPECT_TRUE(QFile::exists(pf.file("defcolor.col")));
    EXPECT_TRUE(QFile::exists(pf.file("help/index.html")));
    EXPECT_TRUE(readRaw(pf.file("usqmar.qlh")).startsWith("Quillmare 5.0.3\r\nSOURCE\r\n"));
}
