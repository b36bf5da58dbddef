// SPDX-License-Identifier: GPL-3.0-or-later
// Text objects at the pen: line splitting, style prefixes, the text state and numbers.
#include "drawtest.h"

#include "support/scriptedui.h"

#include <limits>

using TextCommands = DrawCmdTest;

TEST_F(TextCommands, LinesOfATextStepDownByTheTextHeight) {
    penAt(600, 600);
    c.AP(12);
    c.AL();
    c.A(QStringLiteral("Well\\NMW-1"));
    ASSERT_EQ(objects(), 2);
    EXPECT_EQ(dumpObject(obj(0)),
              "1 text frame=600,600,600,600 text=\"Well\" font=\"Arial\",-100,0,0 color=0");
    EXPECT_EQ(obj(1).kind, draw::Text);
    expectFrame(obj(1), 600, 700, 600, 700);
    EXPECT_EQ(obj(1).text, "MW-1");
    EXPECT_DOUBLE_EQ(obj(1).style.textHeight, -100);
    EXPECT_FLOAT_EQ(pageCanvas().PenY, 600); // text never moves the pen
}

TEST_F(TextCommands, SplittingTakesEitherCaseAndKeepsEmptyLines) {
    penAt(600, 600);
    c.AP(12);
    c.A(QStringLiteral("a\\nb"));
    c.A(QString());
    c.A(QStringLiteral("c\\N"));
    c.A(QStringLiteral("d\\N\\Ne"));
    QStringList texts;
    for (int i = 0; i < objects(); ++i)
        texts << obj(i).text;
    EXPECT_EQ(texts, QStringList({"a", "b", "", "c", "", "d", "", "e"}));
    EXPECT_EQ(obj(7).y1, 800);
    c.TextLine(QStringLiteral("f\\Ng")); // one line, as it stands
    EXPECT_EQ(last().text, "f\\Ng");
}

TEST_F(TextCommands, EachLineTakesItsOwnStylePrefix) {
    penAt(600, 600);
    c.A(QStringLiteral(".B.Bold\\N.i.Italic\\N.bI.Both\\N.U.Other\\NPlain"));
    ASSERT_EQ(objects(), 5);
    auto flags = [](int i) {
        return QStringLiteral("%1%2").arg(obj(i).style.textBold).arg(obj(i).style.textItalic);
    };
    EXPECT_EQ(obj(0).text, "Bold");
    EXPECT_EQ(flags(0), "10");
    EXPECT_EQ(obj(1).text, "Italic");
    EXPECT_EQ(flags(1), "01");
    EXPECT_EQ(obj(2).text, "Both");
    EXPECT_EQ(flags(2), "11");
    EXPECT_EQ(obj(3).text, ".U.Other");
    EXPECT_EQ(flags(3), "00");
    EXPECT_EQ(flags(4), "00");
    c.TextLine(QStringLiteral(".B.x"));
    EXPECT_EQ(last().text, "x");
    EXPECT_TRUE(last().style.textBold);
}

TEST_F(TextCommands, RotatedLinesStepRightAndAlignmentAndAngleAreHandedOn) {
    penAt(1200, 2400);
    c.AP(12);
    c.AD(90);
    c.AR();
    c.A(QStringLiteral("one\\Ntwo"));
    expectFrame(obj(0), 1200, 2400, 1200, 2400);
    expectFrame(obj(1), 1300, 2400, 1300, 2400);
    EXPECT_DOUBLE_EQ(obj(1).style.textAngle, 90);
    EXPECT_EQ(obj(1).style.textAlign, 2);
    c.AC();
    c.AD(0);
    c.A(QStringLiteral("c"));
    EXPECT_EQ(last().style.textAlign, 1);
    EXPECT_DOUBLE_EQ(last().style.textAngle, 0);
}

TEST_F(TextCommands, BeforeTheFirstPointSizeTextHasCellHeightAndStacksUpwards) {
    penAt(600, 600);
    c.A(QStringLiteral("a\\Nb"));
    EXPECT_DOUBLE_EQ(obj(0).style.textHeight, 83.3);
    EXPECT_EQ(obj(1).y1, 517); // 600 - 83.3
}

TEST_F(TextCommands, FontNamesGoToTheDefaultsAndARefusedNameIsIgnoredQuietly) {
    ScriptedUi ui; // no box may appear
    penAt(600, 600);
    c.AF(QStringLiteral("Times New Roman"));
    c.A(QStringLiteral("t"));
    EXPECT_EQ(last().style.fontName, "Times New Roman");
    c.AF(QString());
    c.A(QStringLiteral("u"));
    EXPECT_EQ(last().style.fontName, "Times New Roman");
    c.NewDrawing();
    c.A(QStringLiteral("v"));
    EXPECT_EQ(last().style.fontName, "Arial");
}

TEST_F(TextCommands, NumbersShowWithAtMostTwoDecimalsOrAsWholeNumbers) {
    EXPECT_EQ(NumberText(3.14159f), "3.14");
    EXPECT_EQ(NumberText(0.5f), ".5");
    EXPECT_EQ(NumberText(12), "12");
    EXPECT_EQ(NumberText(-2.5f), "-2.5");
    EXPECT_EQ(NumberText(2.999f), "3.");
    EXPECT_EQ(NumberText(0.125f), ".13");
    EXPECT_EQ(NumberText(-0.25f), "-.25");
    EXPECT_EQ(NumberText(1500.5f), "1500.5");
    EXPECT_EQ(NumberText(0), "0");
    EXPECT_EQ(NumberText(-7), "-7");
    // Within 0.0001 of a whole number, from either side, the whole number.
    EXPECT_EQ(NumberText(2.99995f), "3");
    EXPECT_EQ(NumberText(12.00005f), "12");
    EXPECT_EQ(NumberText(-0.00001f), "0");
    EXPECT_EQ(NumberText(2.9998f), "3.");

    penAt(600, 600);
    c.AP(12);
    c.AR();
    c.AN(3.14159f);
    EXPECT_EQ(last().text, "3.14");
    EXPECT_EQ(last().style.textAlign, 2);
    EXPECT_EQ(last().x1, 600);
}

TEST_F(TextCommands, ANumberThatIsNotFiniteIsAnOverflowAndDrawsNothing) {
    penAt(600, 600);
    const float inf = std::numeric_limits<float>::infinity();
    for (float v : {inf, -inf, std::numeric_limits<float>::quiet_NaN()}) {
        EXPECT_EQ(errorOf([&] { c.AN(v); }), qmerr::Overflow) << v;
        EXPECT_EQ(errorOf([&] { NumberText(v); }), qmerr::Overflow) << v;
    }
    EXPECT_EQ(objects(), 0);
    c.AN(std::numeric_limits<float>::max()); // the largest finite value still shows
    EXPECT_EQ(objects(), 1);
}
