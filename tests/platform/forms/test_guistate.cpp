// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gui/forms.h"
#include "platform/gui/guistate.h"
#include "platform/gui/printersetup.h"

#include <QDialog>
#include <QPointer>
#include <QPrinterInfo>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
class Probe : public QDialog {};
} // namespace

TEST(GuiState, TheResetUnloadsEveryFormAndGivesBackTheModalHookAndThePrinterList) {
    QPointer<Probe> loaded = &forms::form<Probe>();
    int hooked = 0;
    forms::setModalHook([&](QDialog& d) {
        ++hooked;
        d.accept();
    });
    SetPrinterNames([] { return QStringList{"Nowhere"}; });

    resetGuiState();

    EXPECT_TRUE(loaded.isNull());
    EXPECT_FALSE(forms::isLoaded<Probe>());
    EXPECT_EQ(PrinterNames(), QPrinterInfo::availablePrinterNames());
    // Shown for real now: the dialog runs its own loop until it is closed.
    QDialog d;
    QTimer::singleShot(0, &d, [&] { d.reject(); });
    EXPECT_EQ(forms::showModal(d), QDialog::Rejected);
    EXPECT_EQ(hooked, 0);
}
