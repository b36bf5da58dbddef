// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files.h"
#include "platform/qmerror.h"
#include "project/helpers.h"
#include "project/modgw.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QDir>
#include <QFontMetrics>
#include <gtest/gtest.h>

TEST(Helpers, FileExistsAndFolderIsWritable) {
    TempProgramFolder pf;
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists(pf.path())); // a folder is no file
    EXPECT_FALSE(FileExists(pf.file("missing.txt")));
    writeRaw(pf.file("here.txt"), "x");
    EXPECT_TRUE(FileExists(pf.file("here.txt")));
    EXPECT_TRUE(FileExists("HERE.TXT"));
    EXPECT_TRUE(FolderIsWritable(pf.path()));
    EXPECT_TRUE(FolderIsWritable(pf.path() + "/"));
    EXPECT_FALSE(QFile::exists(pf.file("testzzz.who")));
    EXPECT_FALSE(FolderIsWritable(pf.file("no/such/folder")));
    EXPECT_FALSE(FolderIsWritable(""));
}

TEST(Helpers, StrTail) {
    EXPECT_EQ(StrTail("12.5,3", 5), "3"); // 5 is the comma's position
    EXPECT_EQ(StrTail("abc", 0), "abc");
    EXPECT_EQ(StrTail("abc", -2), "abc");
    EXPECT_EQ(StrTail("abc", 3), "");
    EXPECT_THROW(StrTail("abc", 4), QmError);
}

TEST(Helpers, Text2ArrayCountsLinesWithoutTrailingBlankOnes) {
    ModGW& m = modgw();
    Text2Array("one\r\ntwo\r\n  \r\n");
    EXPECT_EQ(m.TextLineCount, 2);
    EXPECT_EQ(m.TextLines[1], "one");
    EXPECT_EQ(m.TextLines[2], "two");
    Text2Array("");
    EXPECT_EQ(m.TextLineCount, 0);
    Text2Array("last line unterminated");
    EXPECT_EQ(m.TextLineCount, 1);

    QString lines;
    for (int i = 1; i <= 200; ++i) lines += QString::number(i) + "\r\n";
    Text2Array(lines);
    EXPECT_EQ(m.TextLineCount, 200);
    {
        ScriptedUi ui;
        ui.answer(vb::OK, "Error 9 in Text2Array.  Please contact Kalvex");
        Text2Array(lines + "201\r\n");
    }
    EXPECT_EQ(m.TextLineCount, 200); // unchanged after the error
}

TEST(Helpers, Text2Wrap32MarksHardBreaksOnly) {
    ModGW& m = modgw();
    const QStringList shown{"Short first", "a long paragraph ", "wrapped in two"};
    Text2Wrap32(QStringLiteral("Short first\r\na long paragraph wrapped in two"), shown);
    ASSERT_EQ(m.TextLineCount, 3);
    EXPECT_EQ(m.TextLines[1], QStringLiteral("Short first") + Pilcrow);
    EXPECT_EQ(m.TextLines[2], "a long paragraph ");
    EXPECT_EQ(m.TextLines[3], "wrapped in two");
    Text2Wrap32(QStringLiteral("ends with break\r\n"), {"ends with break", ""});
    EXPECT_EQ(m.TextLines[1], QStringLiteral("ends with break") + Pilcrow);
}

TEST(Helpers, WrapLikeMemoWrapsAtWordsAndKeepsHardBreaks) {
    QFont f("Arial", 10);
    const QString text = "Short first\r\na long paragraph that certainly does not fit the narrow box";
    const int width = QFontMetrics(f).horizontalAdvance("a long paragraph");
    const QStringList shown = WrapLikeMemo(text, f, width + 4);
    ASSERT_GE(shown.size(), 3);
    EXPECT_EQ(shown[0], "Short first");
    EXPECT_EQ(shown.mid(1).join(""), "a long paragraph that certainly does not fit the narrow box");
    Text2Wrap32(text, shown);
    EXPECT_EQ(modgw().TextLineCount, shown.size());
    EXPECT_TRUE(modgw().TextLines[1].endsWith(Pilcrow));
    for (int i = 2; i <= shown.size(); ++i) EXPECT_FALSE(modgw().TextLines[i].endsWith(Pilcrow));
}
