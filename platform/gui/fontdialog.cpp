// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gui/fontdialog.h"

#include "platform/gui/controls.h"
#include "platform/numbers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QCheckBox* check(const QString& name, const QString& caption, bool on, QWidget* parent) {
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(name);
    c->setChecked(on);
    return c;
}

QColor qcolor(int c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

QString sizeText(double size) { return size > 0 ? QString::number(size, 'g', 6) : QString(); }

} // namespace

FontDialog::FontDialog(const FontChoice& current, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FontDialog"));
    setWindowTitle(QStringLiteral("Font"));
    openedSize_ = current.size;
    color_ = current.color;

    cboFontName = new QComboBox(this);
    cboFontName->setObjectName(QStringLiteral("cboFontName"));
    cboFontName->setAccessibleName(QStringLiteral("cboFontName"));
    cboFontName->setEditable(true);
    cboFontName->setInsertPolicy(QComboBox::NoInsert);
    cboFontName->addItems(QFontDatabase::families());
    cboFontName->setEditText(current.family);

    cboFontSize = new QComboBox(this);
    cboFontSize->setObjectName(QStringLiteral("cboFontSize"));
    cboFontSize->setAccessibleName(QStringLiteral("cboFontSize"));
    cboFontSize->setEditable(true);
    cboFontSize->setInsertPolicy(QComboBox::NoInsert);
    for (int s : {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
        cboFontSize->addItem(QString::number(s));
    cboFontSize->setEditText(sizeText(current.size));
    cboFontSize->setMaximumWidth(90);

    auto* style = new QWidget(this);
    chkBold = check(QStringLiteral("chkBold"), QStringLiteral("Bold"), current.bold, style);
    chkItalic = check(QStringLiteral("chkItalic"), QStringLiteral("Italic"), current.italic, style);
    chkUnderline = check(QStringLiteral("chkUnderline"), QStringLiteral("Underline"), current.underline, style);
    chkStrikeout = check(QStringLiteral("chkStrikeout"), QStringLiteral("Strikeout"), current.strikeout, style);
    auto* styleLay = new QVBoxLayout(style);
    styleLay->setContentsMargins(0, 0, 0, 0);
    for (QCheckBox* c : {chkBold, chkItalic, chkUnderline, chkStrikeout}) styleLay->addWidget(c);

    cmdColor = NamedButton(this, QStringLiteral("cmdColor"), QStringLiteral("Color..."));
    lblColor = new QLabel(this);
    lblColor->setObjectName(QStringLiteral("lblColor"));
    lblColor->setAccessibleName(QStringLiteral("lblColor"));
    lblColor->setFixedSize(40, 20);
    lblColor->setFrameShape(QFrame::Box);
    lblColor->setAutoFillBackground(true);

    lblSample = new QLabel(QStringLiteral("AaBbYyZz 123"), this);
    lblSample->setObjectName(QStringLiteral("lblSample"));
    lblSample->setAlignment(Qt::AlignCenter);
    lblSample->setFrameShape(QFrame::StyledPanel);
    lblSample->setMinimumSize(280, 70);

    btnOK = NamedButton(this, QStringLiteral("btnOK"), QStringLiteral("OK"));
    btnCancel = NamedButton(this, QStringLiteral("btnCancel"), QStringLiteral("Cancel"));
    btnOK->setDefault(true);

    auto* fields = new QGridLayout;
    auto* fontLabel = new QLabel(QStringLiteral("&Font:"), this);
    fontLabel->setBuddy(cboFontName);
    auto* sizeLabel = new QLabel(QStringLiteral("&Size:"), this);
    sizeLabel->setBuddy(cboFontSize);
    fields->addWidget(fontLabel, 0, 0);
    fields->addWidget(sizeLabel, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("Style:"), this), 0, 2);
    fields->addWidget(cboFontName, 1, 0);
    fields->addWidget(cboFontSize, 1, 1);
    fields->addWidget(style, 1, 2, 2, 1);
    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(cmdColor);
    colorRow->addWidget(lblColor);
    colorRow->addStretch();
    fields->addLayout(colorRow, 2, 0, 1, 2);
    fields->setColumnStretch(0, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);

    auto* lay = new QVBoxLayout(this);
    lay->addLayout(fields);
    lay->addWidget(new QLabel(QStringLiteral("Sample:"), this));
    lay->addWidget(lblSample);
    lay->addLayout(buttons);

    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdColor, &QPushButton::clicked, this, &FontDialog::cmdColor_Click);
    connect(cboFontName, &QComboBox::editTextChanged, this, &FontDialog::refreshSample);
    connect(cboFontSize, &QComboBox::editTextChanged, this, &FontDialog::refreshSample);
    for (QCheckBox* c : {chkBold, chkItalic, chkUnderline, chkStrikeout})
        connect(c, &QCheckBox::toggled, this, &FontDialog::refreshSample);
    refreshSample();
}

FontChoice FontDialog::choice() const {
    FontChoice c;
    c.family = cboFontName->currentText().trimmed();
    const double size = qnum::LeadingNumber(cboFontSize->currentText());
    c.size = size > 0 ? size : openedSize_;
    c.bold = chkBold->isChecked();
    c.italic = chkItalic->isChecked();
    c.underline = chkUnderline->isChecked();
    c.strikeout = chkStrikeout->isChecked();
    c.color = color_;
    return c;
}

void FontDialog::cmdColor_Click() {
    if (const std::optional<int> c = ui().ColorDialog(color_)) {
        color_ = *c;
        refreshSample();
    }
}

void FontDialog::refreshSample() {
    const FontChoice c = choice();
    QFont f(c.family);
    // The sample stays readable whatever size is asked for.
    f.setPointSizeF(std::clamp(c.size > 0 ? c.size : 10.0, 6.0, 36.0));
    f.setBold(c.bold);
    f.setItalic(c.italic);
    f.setUnderline(c.underline);
    f.setStrikeOut(c.strikeout);
    lblSample->setFont(f);
    QPalette p = lblSample->palette();
    p.setColor(QPalette::WindowText, qcolor(c.color));
    lblSample->setPalette(p);
    QPalette swatch = lblColor->palette();
    swatch.setColor(QPalette::Window, qcolor(c.color));
    lblColor->setPalette(swatch);
}
