// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/frmabout200x.h"

#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QVBoxLayout>

namespace {
// The product picture: a cross-section with wells reaching a water table.
QPixmap productPicture() {
    QPixmap pm(200, 150);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 60);
    sky.setColorAt(0, QColor(170, 205, 235));
    sky.setColorAt(1, QColor(230, 240, 250));
    p.fillRect(0, 0, 200, 60, sky);
    p.fillRect(0, 60, 200, 90, QColor(194, 170, 120));
    QPainterPath water;
    water.moveTo(0, 100);
    water.cubicTo(60, 90, 120, 110, 200, 98);
    water.lineTo(200, 150);
    water.lineTo(0, 150);
    p.fillPath(water, QColor(70, 130, 180));
    p.setPen(QPen(Qt::black, 2));
    for (int x : {40, 100, 160}) {
        p.drawLine(x, 45, x, 125);
        p.drawRect(x - 5, 40, 10, 5);
    }
    return pm;
}
} // namespace

frmAbout200x::frmAbout200x() {
    setObjectName(QStringLiteral("frmAbout200x"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAccessibleName(QStringLiteral("frmAbout200x"));
    setStyleSheet(QStringLiteral("frmAbout200x { background: white; border: 2px solid #404040; }"));
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("Image1"));
    Image1->setPixmap(productPicture());
    auto makeLabel = [this](const QString& name, const QString& text, int pt, bool bold = false) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        QFont f(QStringLiteral("Arial"), pt);
        f.setBold(bold);
        l->setFont(f);
        l->installEventFilter(this);
        labels << l;
        return l;
    };
    auto* title = makeLabel(QStringLiteral("Label1"), QStringLiteral("Quillmare 2002"), 22, true);
    makeLabel(QStringLiteral("Label2"), QStringLiteral("Groundwater Data Management and Reporting"), 10);
    makeLabel(QStringLiteral("Label3"), QStringLiteral("Sampling results, time-series graphs, tables,"), 9);
    makeLabel(QStringLiteral("Label4"), QStringLiteral("Stiff diagrams, site maps and contours"), 9);
    makeLabel(QStringLiteral("Label7"), QStringLiteral("Licensed under the GNU GPL, version 3 or later"), 8);
    makeLabel(QStringLiteral("Label10"), QStringLiteral("Kalvex"), 9, true);
    makeLabel(QStringLiteral("Label11"), QStringLiteral(""), 8);
    makeLabel(QStringLiteral("Label12"), QStringLiteral("Click anywhere to continue"), 8);
    Label5 = new QLabel(QStringLiteral("v. 2002.5"), this);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->setFont(QFont(QStringLiteral("Arial"), 10));
    Label5->installEventFilter(this);
    Image1->installEventFilter(this);

    auto* text = new QVBoxLayout;
    text->addWidget(title);
    text->addWidget(Label5);
    for (int i = 1; i < labels.size(); ++i) text->addWidget(labels[i]);
    text->addStretch();
    auto* lay = new QGridLayout(this);
    lay->setContentsMargins(18, 18, 18, 18);
    lay->setHorizontalSpacing(18);
    lay->addWidget(Image1, 0, 0, Qt::AlignTop);
    lay->addLayout(text, 0, 1);
    Form_Load();
}

void frmAbout200x::Form_Load() {
    adjustSize();
    if (const QScreen* s = screen()) {
        const QRect a = s->geometry();
        move(int((a.width() - width()) * 0.5), int((a.height() - height()) * 0.35));
    }
}

void frmAbout200x::Form_Click() { accept(); }

void frmAbout200x::mousePressEvent(QMouseEvent*) { Form_Click(); }

void frmAbout200x::keyPressEvent(QKeyEvent* event) {
    // The box has no button to take Enter.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return Form_Click();
    QDialog::keyPressEvent(event);
}

bool frmAbout200x::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && watched != this) {
        Form_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
