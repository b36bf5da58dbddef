// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gui/forms.h"

#include <QApplication>
#include <QHash>

namespace forms {

namespace {
QHash<std::type_index, QWidget*>& registry() {
    static QHash<std::type_index, QWidget*> r;
    return r;
}
ModalHook& hook() {
    static ModalHook h;
    return h;
}
} // namespace

QWidget*& slot(std::type_index type) { return registry()[type]; }

void unloadAll() {
    const auto all = registry().values();
    for (auto it = registry().begin(); it != registry().end(); ++it) it.value() = nullptr;
    for (QWidget* w : all) delete w;
}

int showModal(QDialog& form) {
    if (hook()) {
        form.setModal(true);
        form.show();
        QPointer<QDialog> guard(&form);
        hook()(form);
        if (guard && guard->isVisible()) guard->hide();
        return guard ? guard->result() : QDialog::Rejected;
    }
    return form.exec();
}

void setModalHook(ModalHook h) { hook() = std::move(h); }

} // namespace forms
