// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// The help viewer: HTML pages in the program folder's help/ folder, one per context number
// ("1003.html"), with "index.html" as the contents.
namespace help {
constexpr int HELP_CONTEXT = 1;
constexpr int HELP_QUIT = 2;
constexpr int HELP_CONTENTS = 3;
} // namespace help

// Shows the contents or a context topic, or closes the viewer (HELP_QUIT). Returns 1 when it worked.
int WinHelpA(QWidget* owner, const QString& helpFile, int command, int data);
// The page the viewer shows now, "" when closed (tests).
QString HelpPageShown();
