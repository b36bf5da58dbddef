// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/uiservice.h"

class QWidget;

// The message service of the running program: real message, input and file boxes.
class GuiUi : public UiService {
public:
    int MsgBox(const QString& text, int style, const QString& title) override;
    std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    std::optional<PrinterSetupChoice> PrinterDialog(const PrinterSetupChoice& current) override;
    // The platform's colour dialog, and the program's own font dialog (platform/gui/fontdialog.h).
    std::optional<int> ColorDialog(int current) override;
    std::optional<FontChoice> FontDialog(const FontChoice& current, int flags) override;

protected:
    FileDialogChoice chooseFile(const FileDialogRequest& request) override;
};

// "Desc (*.a)|*.a|Other|*.b|" -> "Desc (*.a);;Other (*.b)"
QString qtFilterFromClassic(const QString& classic);
