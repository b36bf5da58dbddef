// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

// Every message box and input box of the program goes through the one installed UiService. The
// window layer installs one that shows real dialogs; tests install a scripted one.
namespace vb {
// Button sets and icons keep their classic values so callers can combine them.
enum MsgStyle : int {
    OKOnly = 0,
    OKCancel = 1,
    AbortRetryIgnore = 2,
    YesNoCancel = 3,
    YesNo = 4,
    RetryCancel = 5,
    Critical = 16,
    Question = 32,
    Exclamation = 48,
    Information = 64,
};
enum MsgResult : int { OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };
} // namespace vb

// What a file dialog is asked for; the filter is in the classic "Description (*.ext)|*.ext|" form.
struct FileDialogRequest {
    bool save = false;
    QString title;
    QString filter;
    QString defaultExt;
    QString initDir;
    QString fileName;
    bool overwritePrompt = true; // save dialogs ask before replacing a file
};

class UiService {
public:
    virtual ~UiService() = default;
    // style: one button set plus one icon, as in vb::MsgStyle. An empty title means the program's
    // default title; use titleEmpty for a box whose title bar is blank.
    virtual int MsgBox(const QString& text, int style = vb::OKOnly, const QString& title = {}) = 0;
    // nullopt when the user cancels.
    virtual std::optional<QString> InputBox(const QString& prompt, const QString& title = {},
                                            const QString& defaultText = {}) = 0;
    // The chosen path, or "" when the user cancels.
    virtual QString FileDialog(const FileDialogRequest& request) = 0;
};

// The box's title when none is given.
QString defaultMsgTitle();
// Titles passed as this text are shown blank.
inline const QString titleEmpty = QStringLiteral("\x01");

UiService& ui();
// Installs a service (not owned); nullptr restores the quiet default, which answers every box with
// its first button and writes the text to stderr.
void setUi(UiService* service);

// Shortcut for the warning boxes of input checks: exclamation icon, OK, empty title.
void warn(const QString& text);
