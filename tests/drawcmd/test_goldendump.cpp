// SPDX-License-Identifier: GPL-3.0-or-later
// The golden page dumps: a difference shows where and what, a missing file says how to make one, and
// the update switch writes the file that the next run then matches.
#include "drawtest.h"

#include "support/golden.h"
#include "support/testenv.h"

#include <QTemporaryDir>

namespace {

// Sets or clears the update switch for one test; the run's own setting comes back after.
class UpdateSwitch {
public:
    explicit UpdateSwitch(bool on) : had_(qEnvironmentVariableIsSet(kName)), was_(qgetenv(kName)) {
        if (on)
            qputenv(kName, "1");
        else
            qunsetenv(kName);
    }
    ~UpdateSwitch() {
        if (had_)
            qputenv(kName, was_);
        else
            qunsetenv(kName);
    }

private:
    static constexpr const char* kName = "QMAR_UPDATE_GOLDEN";
    bool had_;
    QByteArray was_;
};

QStringList numbered(int n) {
    QStringList out;
    for (int i = 1; i <= n; ++i)
        out << QStringLiteral("%1 line frame=%1,0,%1,0").arg(i);
    return out;
}

} // namespace

using GoldenDump = DrawCmdTest;

TEST_F(GoldenDump, ADifferenceShowsItsLineNumbersBothVersionsAndOneLineAround) {
    const QStringList expected = numbered(10);
    QStringList actual = expected;
    actual[4] = QStringLiteral("5 line frame=5,1,5,0");
    actual.insert(8, QStringLiteral("new"));
    actual.removeLast();
    EXPECT_EQ(lineDiff(expected, actual), QStringList({
                                              "@@ file line 4, drawing line 4",
                                              "  4 line frame=4,0,4,0",
                                              "- 5 line frame=5,0,5,0",
                                              "+ 5 line frame=5,1,5,0",
                                              "  6 line frame=6,0,6,0",
                                              "@@ file line 8, drawing line 8",
                                              "  8 line frame=8,0,8,0",
                                              "+ new",
                                              "  9 line frame=9,0,9,0",
                                              "- 10 line frame=10,0,10,0",
                                          }));
    EXPECT_TRUE(lineDiff(expected, expected).isEmpty());
}

TEST_F(GoldenDump, AMismatchAndAMissingFileFailWithWhatToDo) {
    UpdateSwitch off(false);
    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("page.dump"));
    const ::testing::AssertionResult missing = matchesGoldenFile(numbered(2), path);
    EXPECT_FALSE(missing);
    EXPECT_NE(std::string(missing.message()).find("QMAR_UPDATE_GOLDEN=1"), std::string::npos)
        << missing.message();

    writeRaw(path, "1 line frame=1,0,1,0\r\n2 line frame=2,0,2,9\r\n");
    const ::testing::AssertionResult differs = matchesGoldenFile(numbered(2), path);
    EXPECT_FALSE(differs);
    const std::string text = differs.message();
    EXPECT_NE(text.find("- 2 line frame=2,0,2,9\n+ 2 line frame=2,0,2,0"), std::string::npos) << text;
}

TEST_F(GoldenDump, TheUpdateSwitchWritesTheDumpOfThePageThatThenMatches) {
    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("pages/new.dump"));
    penAt(600, 600);
    c.LR(1);
    c.A(QStringLiteral("x"));
    {
        UpdateSwitch on(true);
        EXPECT_TRUE(matchesGoldenFile(draw::dumpDrawing(page()), path));
    }
    // One line an object, each ending in LF alone, so that a review reads it as it is.
    const QStringList dump = draw::dumpDrawing(page());
    ASSERT_EQ(dump.size(), 2);
    EXPECT_EQ(readRaw(path), (dump.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    UpdateSwitch off(false);
    EXPECT_TRUE(matchesGoldenFile(draw::dumpDrawing(page()), path));
    c.LR(1);
    EXPECT_FALSE(matchesGoldenFile(draw::dumpDrawing(page()), path));
    EXPECT_EQ(goldenPagePath(QStringLiteral("samplepage")),
              QStringLiteral(QMAR_TEST_DATA "/pages/samplepage.dump"));
}
