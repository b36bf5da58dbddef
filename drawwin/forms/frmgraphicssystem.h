// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <array>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct GraphicsSetupFields;

// "Graphics/System Setup": the shared drawing and system settings. OK stores them all and writes
// "DEVICE.CFG"; Cancel and the close box store nothing (text adjustment values already opened stay).
class frmGraphicsSystem : public QDialog {
    Q_OBJECT
public:
    frmGraphicsSystem(); // runs Form_Load

    // Text1(1) to Text1(7): margin offsets, default font, text adjustment file, fills folder, symbols
    // folder, central data folder, heading file. Element 0 is unused.
    std::array<QLineEdit*, 8> Text1{};
    QPushButton* btnFontChoose = nullptr;  // "Choose..."
    QPushButton* btnOpenTextAdj = nullptr; // "Open..."
    QPushButton* btnSaveTextAdj = nullptr; // "Save..."
    QPushButton* btnFillPath = nullptr;    // "Browse..."
    QPushButton* btnSymbolPath = nullptr;
    QPushButton* btnCentralPath = nullptr;
    QPushButton* Command1 = nullptr;       // heading file "Browse..."
    QGroupBox* FrameZoom = nullptr;
    QRadioButton* Option1 = nullptr;       // "Screen Width"
    QRadioButton* Option2 = nullptr;       // "Full Page"
    QGroupBox* FrameEdit = nullptr;
    QRadioButton* OptionAddText = nullptr;
    QRadioButton* OptionReplaceText = nullptr;
    QCheckBox* Check1 = nullptr;           // "Label Current Date"
    QCheckBox* Check2 = nullptr;           // "Label Filename"
    QCheckBox* chkThickDashed = nullptr;
    QPushButton* Command10 = nullptr;      // OK
    QPushButton* Command9 = nullptr;       // Cancel
    QPushButton* Command8 = nullptr;       // Help

    void Form_Load();
    void Command10_Click();
    void Command9_Click();
    void Command8_Click();
    void btnFontChoose_Click();
    void btnOpenTextAdj_Click();
    void btnSaveTextAdj_Click();
    void btnFillPath_Click();
    void btnSymbolPath_Click();
    void btnCentralPath_Click();
    void Command1_Click();

    GraphicsSetupFields fields() const;

protected:
    void reject() override; // Escape and the close box: Cancel

private:
    void browseFolder(const QString& setting, QLineEdit* field);
    QString fillPathAtLoad_;
};

// Shows the setup modally and unloads it: the main window's and the drawing window's Utilities menu.
void ShowGraphicsSystemSetup();
