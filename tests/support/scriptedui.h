// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/uiservice.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

// A message service for tests: every box is recorded; each answer is taken from the plan in order.
// A box with no planned answer fails the running test (and answers OK).
class ScriptedUi : public UiService {
public:
    ScriptedUi();  // installs itself
    ~ScriptedUi() override; // restores the quiet default and fails on unused answers

    // Plans the answer to the next box. With expected text, the box's text must contain it.
    ScriptedUi& answer(int result, const QString& expectedText = {});
    ScriptedUi& input(std::optional<QString> result, const QString& expectedPrompt = {});
    // Plans the answer of the next file dialog ("" = cancelled), left on the filter entry of the
    // 0-based index (-1: the entry the dialog opened on). The service completes the path as it does
    // a real dialog's.
    ScriptedUi& file(const QString& path, const QString& expectedTitle = {}, int filterIndex = -1);
    // Plans the answer of the next printer set-up dialog (nullopt = cancelled).
    ScriptedUi& printer(std::optional<PrinterSetupChoice> choice);
    // Plans the answer of the next colour dialog / font dialog (nullopt = cancelled).
    ScriptedUi& color(std::optional<int> choice);
    ScriptedUi& font(std::optional<FontChoice> choice);
    // Every box from now on is answered OK / default without failing.
    ScriptedUi& allowAny() { allowAny_ = true; return *this; }

    int MsgBox(const QString& text, int style, const QString& title) override;
    std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    std::optional<PrinterSetupChoice> PrinterDialog(const PrinterSetupChoice& current) override;
    std::optional<int> ColorDialog(int current) override;
    std::optional<FontChoice> FontDialog(const FontChoice& current, int flags) override;
    QList<int> colorRequests;       // the colour every colour dialog opened on
    QList<FontChoice> fontRequests; // the choice every font dialog opened on
    QList<int> fontFlags;           // the flags of every font dialog
    QList<FileDialogRequest> fileRequests; // every file dialog asked for
    QList<PrinterSetupChoice> printerRequests; // the settings every printer dialog opened on

    QStringList texts;   // every box's text, in order
    QList<int> styles;   // every message box's style, its default button included
    QList<int> defaults; // every message box's answer to Enter (vb::DefaultAnswer)
    QStringList titles;  // every message box's title as given

protected:
    FileDialogChoice chooseFile(const FileDialogRequest& request) override;

private:
    struct Planned {
        int kind; // 0 message, 1 input, 2 file, 3 printer, 4 colour, 5 font
        int result; // the answer; for a file dialog the filter entry (-1 as it opened)
        std::optional<QString> inputResult;
        QString expected;
        std::optional<PrinterSetupChoice> printerResult = std::nullopt;
        std::optional<int> colorResult = std::nullopt;
        std::optional<FontChoice> fontResult = std::nullopt;
    };
    std::deque<Planned> plan_;
    bool nextIs(int kind) const { return !plan_.empty() && plan_.front().kind == kind; }
    bool allowAny_ = false;
};
