// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPageLayout>
#include <QPageSize>
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
    // The button that Enter presses, counted from the first; a question whose Yes destroys data
    // makes No its default.
    DefaultButton1 = 0,
    DefaultButton2 = 256,
    DefaultButton3 = 512,
};
enum MsgResult : int { OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };
// The answers of the style's buttons, in the order shown ({Yes, No} for YesNo).
QList<int> Buttons(int style);
// The answer of the button Enter presses: the one the style names, the first when it names none
// of the set.
int DefaultAnswer(int style);
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
    int filterIndex = 0;         // the 0-based entry of the filter the dialog opens on
};

// What the dialog itself gave: the path as chosen and the 0-based entry of the filter it was on.
struct FileDialogChoice {
    QString path;
    int filterIndex = 0;
};

namespace filedialog {
// The extension (without the dot) of the filter's entry at the 0-based index: the first pattern of
// the entry that names one ("*.qlp" gives "qlp"); "" for "*.*", "*" or an index past the end.
QString FilterExtension(const QString& filter, int index);
// The path a save dialog returns: a bare name typed without an extension (no "." in it) gets the
// extension of the chosen filter entry, or the request's defaultExt where the entry names none.
QString WithExtension(const QString& path, const QString& filter, int index, const QString& defaultExt);
// WithExtension, and when that named another file that exists, the question whether to replace it
// under askTitle (none asked without one): "" when the user says No.
QString CompletedName(const QString& path, const QString& filter, int index, const QString& defaultExt,
                      const std::optional<QString>& askTitle);
} // namespace filedialog

// The printer set-up dialog's settings: the printer's device name, or the file of "Print to File
// (PDF)", and what it prints with.
struct PrinterSetupChoice {
    QString printerName; // "" for Print to File (PDF)
    int copies = 1;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QPageSize::PageSizeId paperSize = QPageSize::Letter;
    QString outputFile; // the PDF file printed to, "" for a printer
};

// The font dialog's fields. `color` is a colour as the program stores it: red + 256 green + 65536 blue.
struct FontChoice {
    QString family;
    double size = 0; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    int color = 0;
};

class UiService {
public:
    virtual ~UiService() = default;
    // style: one button set plus one icon and a default button, as in vb::MsgStyle. An empty title
    // means the program's default title; titleEmpty marks a box given no title of its own, which
    // the window shows under the program's name too.
    virtual int MsgBox(const QString& text, int style = vb::OKOnly, const QString& title = {}) = 0;
    // nullopt when the user cancels.
    virtual std::optional<QString> InputBox(const QString& prompt, const QString& title = {},
                                            const QString& defaultText = {}) = 0;
    // The chosen path, or "" when the user cancels. Every file dialog goes through here, so that a
    // save dialog's name typed without an extension gets the chosen type's: the project database
    // is named from it, and Open lists only files of the type.
    QString FileDialog(const FileDialogRequest& request);
    // The same dialog, with the filter entry the user left it on: where the type chosen, not the
    // name typed, decides what is written.
    FileDialogChoice FileDialogWithType(const FileDialogRequest& request);
    // The printer set-up dialog, opened on the current settings; nullopt when the user cancels. The
    // default cancels.
    virtual std::optional<PrinterSetupChoice> PrinterDialog(const PrinterSetupChoice& current);
    // The colour dialog, opened on a colour (red + 256 green + 65536 blue); nullopt when the user
    // cancels. The default cancels.
    virtual std::optional<int> ColorDialog(int current);
    // The font dialog, opened on the current choice; `flags` are the caller's classic dialog flags
    // (kept for the record). nullopt when the user cancels. The default cancels.
    virtual std::optional<FontChoice> FontDialog(const FontChoice& current, int flags = 0);

protected:
    // The dialog itself; the default cancels.
    virtual FileDialogChoice chooseFile(const FileDialogRequest& request);
};

// The box's title when none is given.
QString defaultMsgTitle();
// The title of a box given none of its own (shown as the program's name).
inline const QString titleEmpty = QStringLiteral("\x01");

UiService& ui();
// Installs a service (not owned); nullptr restores the quiet default, which answers every box with
// its default button, cancels every file dialog and writes the text to stderr.
void setUi(UiService* service);

// Shortcut for the warning boxes of input checks: exclamation icon, OK, empty title.
void warn(const QString& text);

// The save dialogs' question before a file is replaced ("<name> already exists. Do you want to
// replace it?", No by default), under the dialog's title; true for Yes.
bool AskToReplace(const QString& path, const QString& dialogTitle);
