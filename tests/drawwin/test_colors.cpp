// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/colors.h"
#include "platform/textfile.h"
#include "project/modgw.h"
#include "support/programstate.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

constexpr int32_t White = 0xFFFFFF;

class Colors : public ProgramStateTest {
protected:
    void table(const QList<ColorEntry>& colors) {
        ModGW& m = modgw();
        m.ColorCount = int(colors.size());
        for (int i = 1; i <= colors.size(); ++i) {
            m.ColorTable[i][1] = colors[i - 1].name;
            m.ColorTable[i][2] = colors[i - 1].rgb;
        }
    }
    TempProgramFolder pf;
};

} // namespace

TEST_F(Colors, ColourTextsByValueAndByNameAreReadSilently) {
    ScriptedUi ui; // no box is planned: none may come
    table({{"Red", "255 0 0"}, {"Sky", "0 0 200"}, {"sky", "0 0 255"}});
    EXPECT_EQ(ParseColorText("255 0 0"), 255);
    EXPECT_EQ(ParseColorText("0 0 255"), 16711680);
    EXPECT_EQ(ParseColorText("RED"), 255);
    EXPECT_EQ(ParseColorText("SKY"), 16711680); // the last of two matching names
    EXPECT_EQ(ParseColorText("254.5 0 0"), 254); // halves to the even neighbour
    EXPECT_EQ(ParseColorText("10abc 20 30"), 10 + 256 * 20 + 65536 * 30);
    EXPECT_EQ(ParseColorText(""), 0);
    EXPECT_EQ(ParseColorText("255"), -1);
    EXPECT_EQ(ParseColorText("Purple"), -1);
}

TEST_F(Colors, AMissingValueOrOneOutOfRangeIsReportedAndGivesWhite) {
    ScriptedUi ui;
    ui.answer(1, "Missing 1 Color Value: 255 0");
    EXPECT_EQ(ParseColorText("255 0"), White);
    for (const char* text : {"256 0 0", "-1 0 0", "99999 0 0", "1e12 0 0", "255.5 0 0", "0 0 300"}) {
        ui.answer(1, QStringLiteral("Color values must be in the range of 0 to 255: ") + text);
        EXPECT_EQ(ParseColorText(text), White) << text;
    }
    // A name stands for its text, and the message shows the text.
    table({{"Bad", "1 2"}});
    ui.answer(1, "Missing 1 Color Value: 1 2");
    EXPECT_EQ(ParseColorText("bad"), White);
    ASSERT_EQ(ui.styles.size(), 8);
    for (int style : ui.styles) EXPECT_EQ(style, vb::OKOnly);
}

TEST_F(Colors, PickerColoursAsText) {
    EXPECT_EQ(RgbText(65535), "255 255 0");
    EXPECT_EQ(RgbText(0), "0 0 0");
    EXPECT_EQ(RgbText(1 + 256 * 2 + 65536 * 3), "1 2 3");
}

TEST_F(Colors, SavedColoursReadBackAndBecomeTheTable) {
    modgw().ColorFile = pf.file("old.col");
    const QList<ColorEntry> colors{{"Black", "0 0 0"}, {"Café Red", "200 10 10"}, {"", ""}};
    ASSERT_TRUE(savecolors(pf.file("mine.col"), colors));
    EXPECT_EQ(readRaw(pf.file("mine.col")), QByteArray("3\r\nBlack\r\n0 0 0\r\nCaf\xe9 Red\r\n200 10 10\r\n\r\n\r\n"));
    EXPECT_EQ(modgw().ColorFile, pf.file("mine.col"));
    EXPECT_EQ(modgw().ColorCount, 3);
    EXPECT_EQ(modgw().ColorTable[2][1], "Café Red");

    table({});
    loadcolors();
    EXPECT_EQ(ColorTableEntries().size(), 3);
    EXPECT_EQ(ColorTableEntries()[1].rgb, "200 10 10");
    EXPECT_EQ(ParseColorText("café red"), 200 + 256 * 10 + 65536 * 10);
}

TEST_F(Colors, AFailedSaveIsReportedAndLeavesTableAndFileName) {
    table({{"Black", "0 0 0"}});
    modgw().ColorFile = pf.file("old.col");
    QDir().mkpath(pf.file("taken.col")); // a folder where the file would go
    ScriptedUi ui;
    ui.answer(1, "in savecolors.  Please contact Kalvex");
    EXPECT_FALSE(savecolors(pf.file("taken.col"), {{"Red", "255 0 0"}, {"Blue", "0 0 255"}}));
    EXPECT_TRUE(QFileInfo(pf.file("taken.col")).isDir());
    EXPECT_EQ(modgw().ColorFile, pf.file("old.col"));
    EXPECT_EQ(modgw().ColorCount, 1);
    EXPECT_EQ(modgw().ColorTable[1][1], "Black");
}

TEST_F(Colors, TheChooserStandsColoursInThirtyRowsOfFivePairs) {
    EXPECT_EQ(ChooserCellOf(1).row, 1);
    EXPECT_EQ(ChooserCellOf(1).nameCol, 1);
    EXPECT_EQ(ChooserCellOf(30).row, 30);
    EXPECT_EQ(ChooserCellOf(31).row, 1);
    EXPECT_EQ(ChooserCellOf(31).nameCol, 3);
    EXPECT_EQ(ChooserCellOf(150).nameCol, 9);
    EXPECT_EQ(ChooserColorAt(1, 3, 31), 31);
    EXPECT_EQ(ChooserColorAt(1, 4, 31), 31);
    EXPECT_EQ(ChooserColorAt(2, 3, 31), 0);
    EXPECT_EQ(ChooserColorAt(30, 2, 31), 30);
    EXPECT_EQ(ChooserColorAt(31, 1, 150), 0);
    EXPECT_EQ(ChooserColorAt(30, 10, 150), 150);
}
