// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/golden.h"

#include "platform/drawing/drawlayout.h"

#include "platform/drawing/drawdump.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <vector>

namespace {

constexpr int ContextLines = 1;
constexpr int MaxShownLines = 80; // a wholly different page is not worth scrolling through

struct Op {
    char kind; // ' ', '-' or '+'
    int expectedLine;
    int actualLine; // 0-based positions the op stands at
};

// The edit script of a longest common subsequence; listings too large for the table are compared
// position by position.
std::vector<Op> editScript(const QStringList& e, const QStringList& a) {
    const int n = int(e.size()), m = int(a.size());
    std::vector<Op> ops;
    if (qint64(n) * m > 4'000'000) {
        for (int i = 0; i < std::max(n, m); ++i) {
            if (i < n && i < m && e[i] == a[i]) {
                ops.push_back({' ', i, i});
                continue;
            }
            if (i < n) ops.push_back({'-', i, std::min(i, m)});
            if (i < m) ops.push_back({'+', std::min(i, n), i});
        }
        return ops;
    }
    std::vector<std::vector<int>> lcs(size_t(n) + 1, std::vector<int>(size_t(m) + 1, 0));
    for (int i = n - 1; i >= 0; --i)
        for (int j = m - 1; j >= 0; --j)
            lcs[i][j] = e[i] == a[j] ? lcs[i + 1][j + 1] + 1 : std::max(lcs[i + 1][j], lcs[i][j + 1]);
    int i = 0, j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && e[i] == a[j]) {
            ops.push_back({' ', i++, j++});
        } else if (i < n && (j == m || lcs[i + 1][j] >= lcs[i][j + 1])) {
            ops.push_back({'-', i++, j}); // what went before what came, as diffs show it
        } else {
            ops.push_back({'+', i, j++});
        }
    }
    return ops;
}

} // namespace

QStringList lineDiff(const QStringList& expected, const QStringList& actual) {
    const std::vector<Op> ops = editScript(expected, actual);
    std::vector<bool> shown(ops.size(), false);
    for (size_t k = 0; k < ops.size(); ++k) {
        if (ops[k].kind == ' ') continue;
        const size_t from = k >= size_t(ContextLines) ? k - ContextLines : 0;
        for (size_t c = from; c <= std::min(ops.size() - 1, k + ContextLines); ++c)
            shown[c] = true;
    }
    QStringList out;
    for (size_t k = 0; k < ops.size(); ++k) {
        if (!shown[k]) continue;
        if (k == 0 || !shown[k - 1])
            out << QStringLiteral("@@ file line %1, drawing line %2")
                       .arg(ops[k].expectedLine + 1)
                       .arg(ops[k].actualLine + 1);
        const Op& op = ops[k];
        const QString& text = op.kind == '+' ? actual[op.actualLine] : expected[op.expectedLine];
        out << QString(QLatin1Char(op.kind)) + QLatin1Char(' ') + text;
    }
    return out;
}

QString goldenPagePath(const QString& name) {
    return QStringLiteral(QMAR_TEST_DATA "/pages/") + name + QStringLiteral(".dump");
}

::testing::AssertionResult matchesGoldenFile(const QStringList& lines, const QString& path) {
    if (qEnvironmentVariable("QMAR_UPDATE_GOLDEN") == QLatin1String("1")) {
        // Plain LF and UTF-8, so that the file reads well in a review of the change.
        QDir().mkpath(QFileInfo(path).absolutePath());
        const QString text = lines.isEmpty() ? QString() : lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
        qtext::WriteBytes(path, text.toUtf8());
        std::fprintf(stderr, "golden file written: %s (check its positions by hand before it counts)\n",
                     qPrintable(path));
        return ::testing::AssertionSuccess();
    }
    if (!QFileInfo::exists(path))
        return ::testing::AssertionFailure()
               << "no golden file " << path.toStdString()
               << "; run the test with QMAR_UPDATE_GOLDEN=1 to write it, then check it by hand";
    const QStringList expected = qtext::ReadLines(path);
    if (expected == lines) return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure();
    failure << "the dump differs from " << path.toStdString() << " (- file, + drawing):\n";
    const QStringList diff = lineDiff(expected, lines);
    for (int k = 0; k < std::min<int>(int(diff.size()), MaxShownLines); ++k)
        failure << diff[k].toStdString() << '\n';
    if (diff.size() > MaxShownLines)
        failure << "... and " << (diff.size() - MaxShownLines) << " lines more\n";
    failure << "after a reviewed change, QMAR_UPDATE_GOLDEN=1 writes the file anew";
    return failure;
}

::testing::AssertionResult matchesGoldenPage(const draw::DrawModel& model, const QString& name) {
    if (const QStringList f = draw::layoutFaults(model); !f.isEmpty())
        return ::testing::AssertionFailure() << f.join(u'\n').toStdString();
    return matchesGoldenFile(draw::dumpDrawing(model), goldenPagePath(name));
}
