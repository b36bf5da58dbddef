// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/uiservice.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

// The program's font dialog: family, size, bold, italic, underline, strikeout and colour, with a
// sample. The family is kept as typed or picked, so a name the system maps to another face (Arial)
// comes back as the user gave it. The colour button asks ui() for the colour dialog.
class FontDialog : public QDialog {
    Q_OBJECT
public:
    explicit FontDialog(const FontChoice& current, QWidget* parent = nullptr);

    QComboBox* cboFontName = nullptr; // editable: every family of the system
    QComboBox* cboFontSize = nullptr; // editable: the usual sizes
    QCheckBox* chkBold = nullptr;
    QCheckBox* chkItalic = nullptr;
    QCheckBox* chkUnderline = nullptr;
    QCheckBox* chkStrikeout = nullptr;
    QPushButton* cmdColor = nullptr;  // "Color..."
    QLabel* lblColor = nullptr;       // the chosen colour
    QLabel* lblSample = nullptr;      // the choice as it will look
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

    // The fields now; a size that is not a positive number keeps the size the dialog opened with.
    FontChoice choice() const;

    void cmdColor_Click();

private:
    void refreshSample();
    double openedSize_ = 0;
    int color_ = 0;
};
