// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QTimer;

// The notice "Printing..." that File > Print shows for a moment before the page prints; its timer
// closes it.
class frmPrinting : public QDialog {
    Q_OBJECT
public:
    frmPrinting(); // runs Form_Load

    QLabel* Label1 = nullptr;
    QTimer* Timer1 = nullptr;

    void Form_Load();
    void Timer1_Timer();
};
