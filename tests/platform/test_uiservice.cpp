// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uiservice.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <gtest/gtest.h>

namespace {
const QString kProject = QStringLiteral("Quillmare Project Files (*.qlp)|*.qlp|");
const QString kExchange = QStringLiteral("Tab Separated (*.txt)|*.txt|Comma Separated (*.csv)|*.csv|"
                                         "Line Delimited (*.ldl)|*.ldl");
} // namespace

TEST(FileDialogs, TheExtensionOfAFilterEntryIsItsFirstConcretePattern) {
    EXPECT_EQ(filedialog::FilterExtension(kProject, 0), "qlp");
    EXPECT_EQ(filedialog::FilterExtension(kExchange, 1), "csv");
    EXPECT_EQ(filedialog::FilterExtension(kExchange, 2), "ldl"); // the last entry without its "|"
    EXPECT_EQ(filedialog::FilterExtension(kExchange, 3), "");
    EXPECT_EQ(filedialog::FilterExtension(kExchange, -1), "");
    EXPECT_EQ(filedialog::FilterExtension("Pictures (*.bmp;*.dib)|*.bmp;*.dib|All (*.*)|*.*|", 0), "bmp");
    EXPECT_EQ(filedialog::FilterExtension("All (*.*)|*.*|Any|*|Odd|*.?x;*.emf", 0), "");
    EXPECT_EQ(filedialog::FilterExtension("All (*.*)|*.*|Any|*|Odd|*.?x;*.emf", 1), "");
    EXPECT_EQ(filedialog::FilterExtension("All (*.*)|*.*|Any|*|Odd|*.?x;*.emf", 2), "emf");
    EXPECT_EQ(filedialog::FilterExtension("", 0), "");
}

TEST(FileDialogs, ANameWithoutExtensionGetsTheChosenTypes) {
    using filedialog::WithExtension;
    EXPECT_EQ(WithExtension("/d/riverside", kProject, 0, {}), "/d/riverside.qlp");
    EXPECT_EQ(WithExtension("/d/all", kExchange, 1, {}), "/d/all.csv");
    EXPECT_EQ(WithExtension("/d/all", kExchange, 2, {}), "/d/all.ldl");
    // A name that has one keeps it, whatever the type: "data.csv" exported with the Tab type
    // stays comma-separated, "data.dat" stays to be refused.
    EXPECT_EQ(WithExtension("/d/data.csv", kExchange, 0, {}), "/d/data.csv");
    EXPECT_EQ(WithExtension("/d/data.dat", kExchange, 0, {}), "/d/data.dat");
    EXPECT_EQ(WithExtension("/d/river.side", kProject, 0, {}), "/d/river.side");
    // A dot in a folder name is not the file's.
    EXPECT_EQ(WithExtension("/d/v1.2/riverside", kProject, 0, {}), "/d/v1.2/riverside.qlp");
    // Without a concrete pattern the default extension, with or without its dot, else nothing.
    EXPECT_EQ(WithExtension("/d/logo", "All (*.*)|*.*|", 0, "bmp"), "/d/logo.bmp");
    EXPECT_EQ(WithExtension("/d/logo", "All (*.*)|*.*|", 0, ".bmp"), "/d/logo.bmp");
    EXPECT_EQ(WithExtension("/d/logo", "All (*.*)|*.*|", 0, {}), "/d/logo");
    EXPECT_EQ(WithExtension("", kProject, 0, {}), "");
}

TEST(FileDialogs, EverySaveDialogCompletesTheNameAndAsksBeforeReplacingUnderIt) {
    TempProgramFolder pf;
    ScriptedUi ui;
    FileDialogRequest save;
    save.save = true;
    save.title = "Save Project As...";
    save.filter = kProject;
    ui.file(pf.file("riverside"));
    EXPECT_EQ(ui.FileDialog(save), pf.file("riverside.qlp"));
    ui.file(pf.file("all"), {}, 2);
    save.filter = kExchange;
    EXPECT_EQ(ui.FileDialog(save), pf.file("all.ldl"));
    ui.file("");
    EXPECT_EQ(ui.FileDialog(save), "");

    // An open dialog returns the name as chosen.
    FileDialogRequest open = save;
    open.save = false;
    ui.file(pf.file("all"), {}, 2);
    EXPECT_EQ(ui.FileDialog(open), pf.file("all"));

    // The dialog asked about "riverside"; the file that would be replaced is "riverside.qlp", so the
    // service asks, with No the default, and No cancels.
    writeRaw(pf.file("RIVERSIDE.QLP"), "old");
    save.filter = kProject;
    ui.file(pf.file("riverside"))
        .answer(vb::No, "riverside.qlp already exists.\r\nDo you want to replace it?");
    EXPECT_EQ(ui.FileDialog(save), "");
    EXPECT_EQ(ui.styles.last(), vb::YesNo | vb::Exclamation | vb::DefaultButton2);
    EXPECT_EQ(ui.defaults.last(), vb::No);
    EXPECT_EQ(ui.titles.last(), "Save Project As...");
    ui.file(pf.file("riverside")).answer(vb::Yes, "already exists");
    EXPECT_EQ(ui.FileDialog(save), pf.file("riverside.qlp"));
    // Without the prompt, or for a name the dialog itself asked about, nothing more is asked.
    save.overwritePrompt = false;
    ui.file(pf.file("riverside"));
    EXPECT_EQ(ui.FileDialog(save), pf.file("riverside.qlp"));
    save.overwritePrompt = true;
    ui.file(pf.file("RIVERSIDE.QLP"));
    EXPECT_EQ(ui.FileDialog(save), pf.file("RIVERSIDE.QLP"));
    EXPECT_EQ(ui.texts.count("riverside.qlp already exists.\r\nDo you want to replace it?"), 2);
}

TEST(MessageBoxes, TheDefaultButtonIsTheOneTheStyleNames) {
    EXPECT_EQ(vb::Buttons(vb::YesNo | vb::Question), QList<int>({vb::Yes, vb::No}));
    EXPECT_EQ(vb::Buttons(vb::Exclamation), QList<int>({vb::OK}));
    EXPECT_EQ(vb::DefaultAnswer(vb::YesNo | vb::Question), vb::Yes);
    EXPECT_EQ(vb::DefaultAnswer(vb::YesNo | vb::Question | vb::DefaultButton2), vb::No);
    EXPECT_EQ(vb::DefaultAnswer(vb::YesNoCancel | vb::DefaultButton3), vb::Cancel);
    EXPECT_EQ(vb::DefaultAnswer(vb::AbortRetryIgnore | vb::DefaultButton2), vb::Retry);
    // A button the set does not have: the first.
    EXPECT_EQ(vb::DefaultAnswer(vb::OKCancel | vb::DefaultButton3), vb::OK);
    EXPECT_EQ(vb::DefaultAnswer(vb::OKOnly | vb::DefaultButton2), vb::OK);

    // Unattended, a question that destroys data is answered No.
    setUi(nullptr);
    EXPECT_EQ(ui().MsgBox("Clear?", vb::YesNo | vb::Question | vb::DefaultButton2), vb::No);
    EXPECT_EQ(ui().MsgBox("Go on?", vb::YesNo | vb::Question), vb::Yes);
    FileDialogRequest r;
    r.save = true;
    r.filter = kProject;
    EXPECT_EQ(ui().FileDialog(r), "");
}
