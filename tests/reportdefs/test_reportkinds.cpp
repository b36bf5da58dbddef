// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/modgw.h"
#include "reportdefs/reportkinds.h"
#include "support/programstate.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

namespace {
class SaveFirstPrompt : public ProgramStateTest {};
} // namespace

TEST_F(SaveFirstPrompt, AsksOnlyAboutAChangedDefinition) {
    ScriptedUi ui;
    int saves = 0;
    EXPECT_TRUE(SaveFirst(SaveFirstAction::New, [&] { return ++saves, true; }));
    EXPECT_TRUE(ui.texts.isEmpty());
    EXPECT_EQ(saves, 0);
}

TEST_F(SaveFirstPrompt, YesSavesNoDeclinesCancelStops) {
    ModGW& m = modgw();
    struct Case {
        int answer;
        bool saved;
        bool goesOn;
        int16_t dirtyAfter;
    };
    for (const Case c : {Case{vb::Yes, true, true, 0}, Case{vb::Yes, false, false, 1}, Case{vb::No, false, true, 0},
                         Case{vb::Cancel, false, false, 1}}) {
        SCOPED_TRACE(c.answer);
        m.ReportDirty = 1;
        ScriptedUi ui;
        ui.answer(c.answer, "before printing?");
        int saves = 0;
        // A save that writes nothing (Save As cancelled, a failed write) stops the action.
        EXPECT_EQ(SaveFirst(SaveFirstAction::BatchPrint, [&] { return ++saves, c.saved; }), c.goesOn);
        EXPECT_EQ(saves, c.answer == vb::Yes ? 1 : 0);
        EXPECT_EQ(m.ReportDirty, c.dirtyAfter);
        EXPECT_EQ(ui.styles.value(0), vb::YesNoCancel | vb::Question);
        EXPECT_EQ(ui.titles.value(0), titleEmpty);
    }
}

TEST(ReportKinds, EachKindHasItsOwnCodesAndPaths) {
    const ReportKindInfo& ws = ReportKindOf(ReportKind::WellSum);
    EXPECT_EQ(ws.previewCode, 1.0f);
    EXPECT_EQ(ws.batchPrintCode, 2.0f);
    EXPECT_EQ(ws.helpContext, 1013);
    EXPECT_EQ(ReportKindOf(ReportKind::DateContour).batchPrintCode, 6.1f);
    EXPECT_EQ(ReportKindOf(ReportKind::DateContour).path, ReportKindOf(ReportKind::DateSum).path);
    EXPECT_NE(ReportKindOf(ReportKind::DateContour).lastPath, ReportKindOf(ReportKind::DateSum).lastPath);
    EXPECT_EQ(ReportKindOf(ReportKind::GWElev).saveFilter, "Grounwater Graph Files (*.gwf)|*.gwf|");
    for (int k = 1; k <= 6; ++k) {
        const ReportKindInfo& info = ReportKindOf(ReportKind(k));
        EXPECT_EQ(int(info.kind), k);
        // Save As completes a bare name with the kind's extension, taken from its filter.
        EXPECT_TRUE(info.saveFilter.endsWith("|*." + info.extension + "|")) << k;
    }
}
