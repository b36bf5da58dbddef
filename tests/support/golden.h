// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace draw {
class DrawModel;
}

// Golden page dumps: the object dump of a drawn page (platform/drawing/drawdump.h) compared line by
// line with a file under tests/data/pages/, with a readable diff when they differ:
//   EXPECT_TRUE(matchesGoldenPage(pageDrawing(), "samplepage"));
// With QMAR_UPDATE_GOLDEN=1 in the environment the file is written from the drawing instead and the
// check passes. A file written so counts only once its positions were checked by hand.

// tests/data/pages/<name>.dump in the source tree.
QString goldenPagePath(const QString& name);

// A golden page also keeps to draw::layoutFaults (platform/drawing/drawlayout.h).
::testing::AssertionResult matchesGoldenPage(const draw::DrawModel& model, const QString& name);
// The same for any listing and file.
::testing::AssertionResult matchesGoldenFile(const QStringList& lines, const QString& path);

// The differences of two listings in hunks: "@@ file line F, drawing line D", then " " for a line of
// context, "-" for a line only expected, "+" for one only actual. Empty when they are equal.
QStringList lineDiff(const QStringList& expected, const QStringList& actual);
