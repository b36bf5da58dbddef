// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gui/datacontrol.h"

#include <QHBoxLayout>
#include <QToolButton>
#include <algorithm>

DataControl::DataControl(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    setAccessibleName(name);
    auto* lay = new QHBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    auto add = [&](const QString& text, const QString& caption, auto target) {
        auto* b = new QToolButton(this);
        b->setText(text);
        b->setAccessibleName(caption);
        b->setToolTip(caption);
        b->setAutoRaise(false);
        lay->addWidget(b);
        connect(b, &QToolButton::clicked, this, [this, target] { go(target()); });
    };
    add(QStringLiteral("|<"), QStringLiteral("First Record"), [] { return 1; });
    add(QStringLiteral("<"), QStringLiteral("Previous Record"), [this] { return current_ - 1; });
    add(QStringLiteral(">"), QStringLiteral("Next Record"), [this] { return current_ + 1; });
    add(QStringLiteral(">|"), QStringLiteral("Last Record"), [this] { return records_.recordCount(); });
}

void DataControl::setCurrentRecord(int record) {
    current_ = std::clamp(record, 0, records_.recordCount());
}

void DataControl::go(int record) {
    if (records_.recordCount() == 0) return;
    setCurrentRecord(std::max(record, 1));
    emit moveTo(current_);
}
