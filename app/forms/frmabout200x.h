// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;

// The About box: product picture and version; any click, Enter or Escape closes it.
class frmAbout200x : public QDialog {
    Q_OBJECT
public:
    frmAbout200x();
    QLabel* Image1;
    QLabel* Label5;
    QList<QLabel*> labels; // Label1 to Label4, Label7, Label10 to Label12

    void Form_Load();
    void Form_Click(); // also the handler of the picture and of every label

protected:
    void mousePressEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
