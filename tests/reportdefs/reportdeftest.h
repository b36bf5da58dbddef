// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "project/modgw.h"
#include "project/projectfile.h"
#include "support/programstate.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

// Shared by the report definition tests, the file tests and the form tests alike.

// Closes a note paragraph in a definition file.
inline const QChar kMark(0xB6);

// The box shown when routine raises error n: "Error 75 in SaveDateFile.  Please contact Kalvex".
inline QString routineError(const char* routine, int n) {
    return QStringLiteral("Error %1 in %2.  Please contact Kalvex").arg(n).arg(QLatin1String(routine));
}

// A definition file that cannot be opened: its bytes (none: no file at all) and the error raised.
struct BadFile {
    const char* what;
    std::optional<QByteArray> bytes;
    int error;
};

// A save that must fail: what spoils the definition first, the path written to and the error raised.
struct FailedSave {
    const char* what;
    std::function<void()> spoil;
    QString target;
    int error;
};

// A count line and that many lines "line", joined by CRLF without a closing one: a notes block
// one longer than a file may hold when n is 31.
inline QByteArray countedLines(int n) {
    QList<QByteArray> l{QByteArray::number(n)};
    for (int i = 1; i <= n; ++i)
        l << "line";
    return l.join("\r\n");
}

// The bytes of the CRLF file at path with line (from 1) replaced.
inline QByteArray fileWith(const QString& path, int line, const QByteArray& replacement) {
    QList<QByteArray> l = readRaw(path).split('\n');
    l[line - 1] = replacement + '\r';
    return l.join('\n');
}

// A fresh program folder for each test.
class ReportDefTest : public ProgramStateTest {
protected:
    // The program folder's file name holding bytes; with none, no such file at all.
    QString badFile(const QString& name, const std::optional<QByteArray>& bytes) {
        const QString path = pf.file(name);
        QFile::remove(path);
        if (bytes) writeRaw(path, *bytes);
        return path;
    }

    // Each bad file, written as the program folder's fileName and opened by open() as the current
    // file, raises routine's error box; what content() gives of the definition arrange() set up
    // stays as it was, and so does the current path.
    void expectEachRefused(const QList<BadFile>& cases, const char* routine, const QString& fileName,
                           QString& current, const std::function<void()>& arrange,
                           const std::function<QStringList()>& content, const std::function<bool()>& open) {
        for (const BadFile& c : cases) {
            SCOPED_TRACE(c.what);
            arrange();
            const QStringList before = content();
            const QString path = badFile(fileName, c.bytes);
            current = path;
            {
                ScriptedUi ui;
                const QString text = routineError(routine, c.error);
                ui.answer(vb::OK, text);
                EXPECT_FALSE(open());
                EXPECT_EQ(ui.texts.value(0), text);
            }
            EXPECT_EQ(content(), before);
            EXPECT_EQ(current, path);
        }
    }

    // Each save that a case spoils, after arrange() set the definition up, fails with routine's
    // error box and leaves the file at path and the current path as they were; unchanged() checks
    // what else must stay.
    void expectEachSaveFails(const QList<FailedSave>& cases, const char* routine, const QString& path,
                             const QString& current, const std::function<bool(const QString&)>& save,
                             const std::function<void()>& arrange = {},
                             const std::function<void()>& unchanged = {}) {
        const QByteArray saved = readRaw(path);
        const QString currentBefore = current;
        for (const FailedSave& c : cases) {
            SCOPED_TRACE(c.what);
            if (arrange) arrange();
            c.spoil();
            ScriptedUi ui;
            const QString text = routineError(routine, c.error);
            ui.answer(vb::OK, text);
            EXPECT_FALSE(save(c.target));
            EXPECT_EQ(ui.texts.value(0), text);
            EXPECT_EQ(readRaw(path), saved);
            EXPECT_EQ(current, currentBefore);
            if (unchanged) unchanged();
        }
    }

    TempProgramFolder pf;
};

// The test site's project open from a copy in the program folder: parameters pH, Cl, TCE, Nitrate,
// Elev; sources MW-1, MW-2, O'Brien 3, SP-4. A fixture's own SetUp calls this one first.
class SiteProjectTest : public ReportDefTest {
protected:
    void SetUp() override {
        const QString qlp = pf.file("site.qlp");
        QFile::copy(QStringLiteral(QMAR_TEST_DATA "/site.qlp"), qlp);
        ModGW& m = modgw();
        m.ProjectFile = qlp;
        m.DataFolder = pf.path();
        ASSERT_TRUE(OpenProjectInfo());
    }
};

// Driving a report form as a person does. The forms are templates here so that the file tests,
// which have no windows, can share this header.

// Picks parameter p (1-based) of the form's list with the caret in row of SS1.
template <class Form> void pickParam(Form& f, int row, int p) {
    f.SS1->setActiveCell(row, 1);
    f.List1->setCurrentRow(p - 1);
    f.List1_Click();
}
// Picks source s (1-based) of the form's list with the caret in row of SS2.
template <class Form> void pickSource(Form& f, int row, int s) {
    f.SS2->setActiveCell(row, 1);
    f.List2->setCurrentRow(s - 1);
    f.List2_Click();
}
// The same where the form itself decides where a pick goes.
template <class Form> void pickParameter(Form& f, int p) {
    f.List1->setCurrentRow(p - 1);
    f.List1_Click();
}
template <class Form> void pickSource(Form& f, int s) {
    f.List2->setCurrentRow(s - 1);
    f.List2_Click();
}
// A left click in a cell of a grid; rows and columns from 1.
template <class Grid> void click(Grid* g, int row, int col) {
    const QRect cell = g->visualRect(g->model()->index(row - 1, col - 1));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell.center());
}
