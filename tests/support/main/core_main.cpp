// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/progfolder.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Core tests run with a GUI application (offscreen) so that fonts and images are available, but
// link no widgets. The program folder is a temporary one, never the user's.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    SetProgramFolder(home.path() + QStringLiteral("/qmar2002"));
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
