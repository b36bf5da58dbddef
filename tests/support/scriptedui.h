// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/uiservice.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

// A message service for tests: every box is recorded; each answer is taken from the plan in order.
// A box with no planned answer fails the running test (and answers with its first button).
class ScriptedUi : public UiService {
public:
    ScriptedUi();  // installs itself
    ~ScriptedUi() override; // restores the quiet default and fails on unused answers

    // Plans the answer to the next box. With expected text, the box's text must contain it.
    ScriptedUi& answer(int result, const QString& expectedText = {});
    ScriptedUi& input(std::optional<QString> result, const QString& expectedPrompt = {});
    // Plans the answer of the next file dialog ("" = cancelled).
    ScriptedUi& file(const QString& path, const QString& expectedTitle = {});
    // Every box from now on is answered OK / default without failing.
    ScriptedUi& allowAny() { allowAny_ = true; return *this; }

    int MsgBox(const QString& text, int style, const QString& title) override;
    std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    QString FileDialog(const FileDialogRequest& request) override;
    QList<FileDialogRequest> fileRequests; // every file dialog asked for

    QStringList texts;   // every box's text, in order
    QList<int> styles;   // every message box's style
    QStringList titles;  // every message box's title as given

private:
    struct Planned {
        int kind; // 0 message, 1 input, 2 file
        int result;
        std::optional<QString> inputResult;
        QString expected;
    };
    std::deque<Planned> plan_;
    bool nextIs(int kind) const { return !plan_.empty() && plan_.front().kind == kind; }
    bool allowAny_ = false;
};
