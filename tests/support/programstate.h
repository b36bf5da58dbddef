// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

// The whole program back to its start: the windows' part when the test program has windows, then
// resetProgramState.
void resetTestProgram();
// Widget test programs register the windows' part (resetGuiState) before the tests run.
void registerGuiReset(void (*reset)());

// The base of every fixture: each test starts from the program's start and leaves it so. The first
// reset runs before the fixture's members are made, so that a ScriptedUi member stays installed;
// the second in TearDown, while they are still there (a fixture's own TearDown calls this one last).
class ProgramStateTest : public ::testing::Test {
protected:
    ProgramStateTest() { resetTestProgram(); }
    void TearDown() override { resetTestProgram(); }
};
