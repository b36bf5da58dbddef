// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/folderpick.h"
#include "support/programstate.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using folderpick::CreateNewFolder;

namespace {
class NewFolder : public ProgramStateTest {
protected:
    TempProgramFolder pf;
    ScriptedUi ui; // fails the test on any box not planned
};
} // namespace

TEST_F(NewFolder, IsMadeInsideThePathOnceThenReportedAsExisting) {
    QDir().mkpath(pf.file("data"));
    folderpick::NewFolderResult r = CreateNewFolder(pf.file("data"), "plots");
    EXPECT_TRUE(r.created);
    EXPECT_EQ(r.message, "");
    EXPECT_EQ(r.folder, pf.file("data/plots"));
    EXPECT_TRUE(QFileInfo(pf.file("data/plots")).isDir());

    // A path that ends in a separator gets no second one; a second press finds the folder there.
    r = CreateNewFolder(pf.file("data/"), "plots");
    EXPECT_FALSE(r.created);
    EXPECT_EQ(r.folder, pf.file("data/plots"));
    EXPECT_EQ(r.message, "The New Folder Name that you have entered already exists.  Edit it and try again.");
}

TEST_F(NewFolder, WithoutANameOrAPathNothingIsMade) {
    for (const QString& path : {pf.path(), QString()}) {
        const folderpick::NewFolderResult r = CreateNewFolder(path, "");
        EXPECT_FALSE(r.created);
        EXPECT_EQ(r.message, "Enter a New Folder Name and try again.");
    }
    // An empty path would be the root.
    const folderpick::NewFolderResult r = CreateNewFolder("", "qmar-new-folder-test");
    EXPECT_FALSE(r.created);
    EXPECT_EQ(r.message, "Invalid Path or Folder Already Exists -- you cannot create new folder here");
    EXPECT_FALSE(QFileInfo::exists("/qmar-new-folder-test"));
}

TEST_F(NewFolder, APathThatIsNoFolderOrAFolderThatTakesNoFilesIsRefused) {
    const QString invalid = "Invalid Path or Folder Already Exists -- you cannot create new folder here";
    EXPECT_EQ(CreateNewFolder(pf.file("missing"), "plots").message, invalid);
    EXPECT_FALSE(QFileInfo::exists(pf.file("missing")));
    writeRaw(pf.file("afile"), "x");
    EXPECT_EQ(CreateNewFolder(pf.path(), "afile").message, invalid);
    EXPECT_EQ(CreateNewFolder(pf.file("afile"), "plots").message, invalid);
}
