// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gui/application.h"
#include "platform/gui/guistate.h"
#include "platform/progfolder.h"
#include "support/programstate.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// Widget tests run offscreen, on a screen of their own when a configuration file is given, with a
// temporary program folder.
int main(int argc, char** argv) {
    if (!qgetenv("QT_QPA_PLATFORM").startsWith("offscreen")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    SetProgramFolder(home.path() + QStringLiteral("/qmar2002"));
    Application app(argc, argv);
    registerGuiReset(resetGuiState);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
