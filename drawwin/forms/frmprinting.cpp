// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/forms/frmprinting.h"

#include "platform/timings.h"

#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

frmPrinting::frmPrinting() {
    setObjectName(QStringLiteral("frmPrinting"));
    setWindowTitle(QStringLiteral("Printing"));
    Label1 = new QLabel(QStringLiteral("Printing..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(Label1);
    resize(220, 80);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &frmPrinting::Timer1_Timer);
    Form_Load();
}

void frmPrinting::Form_Load() {
    if (const QScreen* s = screen()) {
        const QRect a = s->geometry();
        move((a.width() - width()) / 2, (a.height() - height()) / 2);
    }
    Timer1->start(timings().printNoticeMs);
}

// Ends the notice's modal showing; whoever showed it unloads it.
void frmPrinting::Timer1_Timer() {
    accept();
}
