// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's Utilities > Graphics/System Setup: the edit mode chosen there is the grid's at once.
#include "app/forms/frmdatagrid.h"
#include "drawwin/forms/frmgraphicssystem.h"
#include "platform/gui/forms.h"
#include "platform/gui/spreadgrid.h"
#include "platform/textfile.h"
#include "project/modgw.h"
#include "support/programstate.h"
#include "support/testenv.h"

#include <QAction>
#include <QRadioButton>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
class SetupMenu : public ProgramStateTest {
protected:
    void SetUp() override { qtext::WriteLines(pf.file("defcolor.col"), {"1", "Black", "0 0 0"}); }
    TempProgramFolder pf;
};
} // namespace

TEST_F(SetupMenu, TheChosenEditModeIsTheMainGridsAtOnce) {
    frmDatAGrid& w = forms::form<frmDatAGrid>();
    w.Form_Load();
    w.Timer1->stop();
    for (const bool replace : {false, true}) {
        int shown = 0;
        forms::setModalHook([&](QDialog& d) {
            auto* s = qobject_cast<frmGraphicsSystem*>(&d);
            ASSERT_NE(s, nullptr);
            ++shown;
            (replace ? s->OptionReplaceText : s->OptionAddText)->setChecked(true);
            s->Command10->click();
        });
        w.mnuGraphicsSystem->trigger();
        forms::setModalHook(nullptr);
        EXPECT_EQ(shown, 1);
        EXPECT_EQ(w.SS->replaceOnEdit(), replace);
        EXPECT_EQ(modgw().CellEditMode, replace ? "1" : "0");
        EXPECT_EQ(qtext::ReadLines(pf.file("DEVICE.CFG"))[18], replace ? "1" : "0");
        EXPECT_FALSE(forms::isLoaded<frmGraphicsSystem>());
    }
}
