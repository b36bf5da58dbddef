// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gui/memobox.h"
#include "project/helpers.h"
#include "project/modgw.h"
#include "project/windowhooks.h"
#include "support/programstate.h"
#include "support/scriptedui.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString Notes = QStringLiteral(
    "Samples were taken after three well volumes were purged.\r\n"
    "\r\n"
    "Values marked with < lie below the detection limit; the limit follows the sign. Duplicate results "
    "are shown as reported by the laboratory, without averaging.\r\n"
    "Supercalifragilisticexpialidociousandthensomemorewithoutanyblanks ends it");

// The lines as the caret walks them on screen: start of a line to its end, then down.
QStringList linesByCaret(const MemoBox& box) {
    QStringList out;
    QTextCursor c(box.document());
    c.movePosition(QTextCursor::Start);
    for (;;) {
        QTextCursor line = c;
        line.movePosition(QTextCursor::StartOfLine);
        line.movePosition(QTextCursor::EndOfLine, QTextCursor::KeepAnchor);
        const QTextLayout* l = c.block().layout();
        const QTextLine tl = l->lineForTextPosition(c.positionInBlock());
        // EndOfLine stops before a wrapped line's trailing blank; the box shows the blank at the end.
        out << c.block().text().mid(tl.textStart(), tl.textLength());
        EXPECT_TRUE(out.last().startsWith(line.selectedText()));
        if (!c.movePosition(QTextCursor::Down)) break;
    }
    return out;
}

QStringList stored() {
    QStringList out;
    for (int i = 1; i <= modgw().TextLineCount; ++i) {
        QString l = modgw().TextLines[i];
        if (l.endsWith(Pilcrow)) l.chop(1);
        out << l;
    }
    return out;
}

class MemoBoxTest : public ProgramStateTest {
protected:
    void SetUp() override {
        box = std::make_unique<MemoBox>(QStringLiteral("MemoGenNotes"));
        box->setFontName(QStringLiteral("Arial"));
        ServeMemo(1, box.get());
        projectHooks().memoBox = ServedMemo;
    }
    std::unique_ptr<MemoBox> box;
};

} // namespace

TEST_F(MemoBoxTest, StoredLinesAreTheLinesTheBoxShowsAtEveryWidth) {
    EXPECT_EQ(box->font().pointSize(), 8);
    EXPECT_EQ(box->accessibleName(), "MemoGenNotes");
    box->setText(Notes);
    box->show();
    const QFontMetricsF fm(box->font());
    int previous = 0;
    for (int twips : {3500, 2500}) {
        SCOPED_TRACE(twips);
        box->setBoxWidthTwips(twips);
        const int px = box->wrapWidthPixels();
        ASSERT_EQ(px, (twips + 7) / MemoBox::TwipsPerPixel);
        // The whole width is in view: nothing scrolls sideways.
        EXPECT_GE(box->viewport()->width(), px);
        const QStringList shown = box->displayedLines();
        EXPECT_EQ(shown, linesByCaret(*box));
        Text2Wrap32(1);
        EXPECT_EQ(stored(), shown);
        EXPECT_GT(shown.size(), previous); // narrower, more lines
        previous = int(shown.size());
        // Each line fits, and a wrapped line could not have taken the next line's first word.
        for (int i = 0; i < shown.size(); ++i) {
            const QString line = shown[i];
            EXPECT_LE(fm.horizontalAdvance(line.trimmed()), px + 1) << line.toStdString();
            const bool hard = modgw().TextLines[i + 1].endsWith(Pilcrow);
            if (hard || i + 1 == shown.size() || !line.endsWith(u' ')) continue;
            const QString next = shown[i + 1].section(u' ', 0, 0);
            EXPECT_GT(fm.horizontalAdvance(line + next), px - 1) << line.toStdString();
        }
    }
    // Marks: one on each line that ends a paragraph, the empty paragraph included; none on the last.
    Text2Wrap32(1);
    const ModGW& m = modgw();
    QStringList marks;
    for (int i = 1; i <= m.TextLineCount; ++i)
        if (m.TextLines[i].endsWith(Pilcrow)) marks << m.TextLines[i];
    ASSERT_EQ(marks.size(), 3);
    EXPECT_TRUE(marks[0].endsWith("purged." + QString(Pilcrow)));
    EXPECT_EQ(marks[1], QString(Pilcrow));
    EXPECT_TRUE(marks[2].endsWith("averaging." + QString(Pilcrow)));
    EXPECT_FALSE(m.TextLines[m.TextLineCount].endsWith(Pilcrow));
}

TEST_F(MemoBoxTest, AnEmptyBoxShowsNoLineAndAFinalBreakShowsAnEmptyOne) {
    box->setText(QString());
    EXPECT_TRUE(box->displayedLines().isEmpty());
    modgw().TextLineCount = 7;
    Text2Wrap32(1);
    EXPECT_EQ(modgw().TextLineCount, 0);
    box->setText(QStringLiteral("ends with break\r\n"));
    EXPECT_EQ(box->displayedLines(), QStringList({"ends with break", ""}));
    Text2Wrap32(1);
    EXPECT_EQ(modgw().TextLineCount, 2);
    EXPECT_EQ(modgw().TextLines[1], QStringLiteral("ends with break") + Pilcrow);
}

TEST_F(MemoBoxTest, EveryKindOfBreakIsAParagraphBreak) {
    box->setText(QStringLiteral("a\rb\nc\r\nd"));
    EXPECT_EQ(box->text(), "a\r\nb\r\nc\r\nd");
    box->setText(QString());
    box->show();
    box->setFocus();
    QTest::keyClicks(box.get(), "one");
    QTest::keyClick(box.get(), Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(box.get(), "two");
    QApplication::clipboard()->setText(QStringLiteral("\r\nthree\rfour"));
    box->paste();
    EXPECT_EQ(box->text(), "one\r\ntwo\r\nthree\r\nfour");
    Text2Wrap32(1);
    EXPECT_EQ(stored(), QStringList({"one", "two", "three", "four"}));
}

TEST_F(MemoBoxTest, ChangeFiresForTypingAndSettingText) {
    int changes = 0;
    QObject::connect(box.get(), &MemoBox::Change, [&] { ++changes; });
    box->setText(QStringLiteral("x"));
    EXPECT_GE(changes, 1);
    changes = 0;
    box->setBoxWidthTwips(2000); // re-wrapping is no change of the text
    EXPECT_EQ(changes, 0);
    QTest::keyClicks(box.get(), "y");
    EXPECT_GE(changes, 1);
}

TEST_F(MemoBoxTest, Text2Wrap32ReportsABoxThatIsGone) {
    box.reset();
    ScriptedUi ui;
    ui.answer(vb::OK, "Error 9 in Text2Wrap32.  Please contact Kalvex");
    Text2Wrap32(1);
}
