// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/frmdatagrid.h"
#include "drawcmd/pagecanvas.h"
#include "drawwin/forms/drawarea.h"
#include "drawwin/graphicssetup.h"
#include "drawwin/shippedpictures.h"
#include "platform/gui/forms.h"
#include "platform/gui/helpviewer.h"
#include "platform/gui/spreadgrid.h"
#include "platform/textfile.h"
#include "project/modgw.h"
#include "reportdefs/forms/frmheadinglogo.h"
#include "reportdefs/headings.h"
#include "reportdefs/reportdeftest.h"
#include "reports/gwgraph.h"
#include "support/menus.h"
#include "support/scriptedui.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString kTyped = QStringLiteral(QMAR_TEST_DATA "/reportdefs/heading_typed.qlh");
const QString kTextLogo = QStringLiteral(QMAR_TEST_DATA "/reportdefs/logo_textlogo.txt");
const QString kCaption = QStringLiteral("Heading/Logo Editor");

class HeadingLogoForm : public ReportDefTest {
protected:
    void SetUp() override { modgw().CentralDataPath = pf.path(); }

    static frmHeadingLogo& form() { return forms::form<frmHeadingLogo>(); }

    // Column 1 of the grid, rows 1..16.
    static QStringList gridTexts(frmHeadingLogo& f) {
        QStringList out;
        for (int r = 1; r <= 16; ++r)
            out << f.SS3->text(r, 1);
        return out;
    }

    // Types text into a cell, emptied first, as a user does and commits it.
    static void typeInto(frmHeadingLogo& f, int row, const QString& text) {
        f.SS3->setText(row, 1, QString());
        f.SS3->setActiveCell(row, 1);
        f.SS3->setFocus();
        QTest::keyClicks(f.SS3, text);
        f.SS3->commitEdit();
    }

    QString logoTxt() const { return pf.file("logo.txt"); }
    static QStringList listOf(const HeadingRowTexts& rows) { return QStringList(rows.begin() + 1, rows.end()); }
};

QByteArray crlf(const QStringList& lines) {
    QByteArray out;
    for (const QString& l : lines)
        out += l.toLatin1() + "\r\n";
    return out;
}

} // namespace

TEST_F(HeadingLogoForm, ControlsCarryTheirCaptionsAndTheGridItsDefaultTexts) {
    frmHeadingLogo& f = form();
    EXPECT_EQ(f.windowTitle(), kCaption);
    EXPECT_EQ(menuCaptions(f.MenuBar->actions()), QStringList({"&File", "&Edit"}));
    EXPECT_EQ(menuCaptions(f.mnuFile->actions()),
              QStringList({"&Open Heading File", "&Save Heading File", "Save Heading File &As"}));
    EXPECT_EQ(menuCaptions(f.mnuEdit->actions()), QStringList({"&Cut", "C&opy", "&Paste"}));
    EXPECT_EQ(f.Frame1->title(), "Logo Information");
    EXPECT_EQ(f.Option1->text(), "Use Graphic Logo");
    EXPECT_EQ(f.Option2->text(), "Use Text Logo");
    EXPECT_EQ(f.Command5->text(), "Browse...");
    EXPECT_EQ(f.Label7->text(), "Heading File:");
    EXPECT_EQ(f.btnOK->text(), "OK");
    EXPECT_EQ(f.btnCancel->text(), "Cancel");
    EXPECT_EQ(f.btnHelp->text(), "Help");
    QStringList labels;
    for (QLabel* l : f.Frame1->findChildren<QLabel*>())
        labels << l->text();
    for (const char* t : {"Logo Text Line 1", "Logo Text Line 2", "Logo Text Line 3", "Font Size",
                          "Logo Filename (.BMP format)"})
        EXPECT_TRUE(labels.contains(t)) << t;
    for (QWidget* w : std::initializer_list<QWidget*>{f.Textln1, f.Textsz3, f.Text2, f.SS3})
        EXPECT_EQ(w->accessibleName(), w->objectName());

    ASSERT_EQ(f.SS3->maxRows(), 16);
    EXPECT_EQ(f.SS3->maxCols(), 1);
    EXPECT_EQ(f.SS3->columnHeader(1), "New Text");
    EXPECT_EQ(f.SS3->rowHeader(1), "SOURCE");
    EXPECT_EQ(f.SS3->rowHeader(10), "Ref, Elevation");
    EXPECT_EQ(f.SS3->rowHeader(16), "Elevation");
    // The grid starts with the texts the reports print, whatever the texts in memory are: without
    // a heading file, the defaults.
    headinglogo().HeadingLines[1] = QStringLiteral("in memory");
    forms::unload<frmHeadingLogo>();
    EXPECT_EQ(gridTexts(form()), listOf(DefaultHeadingTexts()));
}

TEST_F(HeadingLogoForm, ItOpensOnTheSetUpHeadingFileAndOneEditSavedKeepsTheOtherFifteen) {
    // The heading file chosen in the Graphics/System Setup is what the reports print.
    const QString chosen = pf.file("site.qlh");
    QFile::copy(kTyped, chosen);
    GraphicsSetupFields setup = GraphicsSetupFromSettings();
    setup.headingFile = chosen;
    ApplyGraphicsSetup(setup, modgw().FillPath);
    const auto rows = readHeadingFile(chosen);
    ASSERT_TRUE(rows);
    const QStringList old = listOf(*rows);

    frmHeadingLogo& f = form();
    f.show();
    EXPECT_EQ(gridTexts(f), old);
    EXPECT_EQ(f.windowTitle(), kCaption); // no current heading file yet
    typeInto(f, 4, QStringLiteral("Units of measure"));
    ScriptedUi ui;
    ui.file(pf.file("new.qlh"), "Save As") // offered to the reports; No leaves them on the set-up file
        .answer(vb::No, "The reports print the headings of " + chosen + ".\r\n\r\nPrint the headings of " +
                            pf.file("new.qlh") + " from now on?");
    f.mnuSave->trigger();
    QStringList expected = QStringList{"Quillmare 5.0.3"} + old;
    expected[4] = "Units of measure";
    EXPECT_EQ(qtext::ReadLines(pf.file("new.qlh")), expected);
    EXPECT_EQ(readRaw(chosen), readRaw(kTyped));
    f.hide();
}

TEST_F(HeadingLogoForm, LoadShowsLogoTxtAndAMissingOrEmptyFileGivesTheTextLogo) {
    QFile::copy(kTextLogo, logoTxt());
    modgw().DefaultFont = QStringLiteral("Courier New");
    modgw().CellEditMode = QStringLiteral("0");
    const LogoFileData d = readLogoFile(kTextLogo);
    {
        frmHeadingLogo& f = form();
        EXPECT_EQ(f.Textln1->text(), d.Textln[1]);
        EXPECT_EQ(f.Textln3->text(), d.Textln[3]);
        EXPECT_EQ(f.Textsz1->text(), d.Textsz[1]);
        EXPECT_EQ(f.Textsz2->text(), d.Textsz[2]); // sizes as the file holds them, blank or not
        EXPECT_EQ(f.Textsz3->text(), d.Textsz[3]);
        EXPECT_EQ(f.Text2->text(), d.LogoFile);
        EXPECT_FALSE(d.LogoFile.isEmpty());
        EXPECT_TRUE(f.Option2->isChecked());
        EXPECT_EQ(f.Textln2->font().family(), "Courier New");
        EXPECT_FALSE(f.SS3->replaceOnEdit());
        forms::unload<frmHeadingLogo>();
    }

    // The graphic logo.
    writeRaw(logoTxt(), "A\r\nB\r\nC\r\n1\r\nlogo.bmp\r\n10\r\n10\r\n8\r\n");
    EXPECT_TRUE(form().Option1->isChecked());
    forms::unload<frmHeadingLogo>();

    for (const bool exists : {false, true}) {
        QFile::remove(logoTxt());
        if (exists) writeRaw(logoTxt(), "");
        frmHeadingLogo& f = form();
        for (QLineEdit* t : {f.Textln1, f.Textln2, f.Textln3, f.Textsz1, f.Textsz2, f.Textsz3, f.Text2})
            EXPECT_EQ(t->text(), "") << t->objectName().toStdString();
        EXPECT_TRUE(f.Option2->isChecked());
        EXPECT_FALSE(f.Option1->isChecked());
        forms::unload<frmHeadingLogo>();
    }
}

TEST_F(HeadingLogoForm, OkWritesLogoTxtAsTypedAndNeverTheHeadingGrid) {
    modgw().HeadingFile = QStringLiteral("usqmar.qlh");
    frmHeadingLogo& f = form();
    f.show();
    f.Textln1->setText(QStringLiteral("  Kalvex & Sons  "));
    f.Textln2->setText(QStringLiteral("Line 2"));
    f.Textsz1->setText(QStringLiteral("12"));
    f.Textsz2->setText(QStringLiteral("big"));
    f.Textsz3->setText(QString());
    f.Text2->setText(QStringLiteral("/pics/logo.bmp"));
    f.Option2->setChecked(true);
    typeInto(f, 1, QStringLiteral("WELL"));
    ScriptedUi ui; // OK asks nothing about the changed grid
    f.btnOK->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(readRaw(logoTxt()),
              crlf({"  Kalvex & Sons  ", "Line 2", "", "0", "/pics/logo.bmp", "12", "big", ""}));
    EXPECT_EQ(headinglogo().LogoFile, "/pics/logo.bmp");
    EXPECT_EQ(modgw().HeadingFile, "usqmar.qlh");
    EXPECT_EQ(QDir(pf.path()).entryList({"*.qlh"}, QDir::Files), QStringList());
    forms::unload<frmHeadingLogo>();

    // The graphic logo writes 1; Cancel writes nothing.
    frmHeadingLogo& g = form();
    EXPECT_EQ(g.Textln1->text(), "  Kalvex & Sons  ");
    g.Option1->setChecked(true);
    g.btnOK->click();
    EXPECT_EQ(readRaw(logoTxt()).split('\n').value(3), "1\r");
    forms::unload<frmHeadingLogo>();
    const QByteArray before = readRaw(logoTxt());
    frmHeadingLogo& h = form();
    h.show();
    h.Textln1->setText(QStringLiteral("changed"));
    h.btnCancel->click();
    EXPECT_FALSE(h.isVisible());
    EXPECT_EQ(h.result(), QDialog::Rejected);
    EXPECT_EQ(readRaw(logoTxt()), before);
}

TEST_F(HeadingLogoForm, OkThatCannotWriteLogoTxtSaysSoAndStaysOpen) {
    QDir().mkpath(logoTxt()); // a folder where the file should be
    frmHeadingLogo& f = form();
    f.show();
    f.Textln1->setText(QStringLiteral("Kalvex"));
    ScriptedUi ui;
    ui.answer(vb::OK, "in SaveLogoFile.");
    f.btnOK->click();
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(f.Textln1->text(), "Kalvex");
    f.hide();
}

TEST_F(HeadingLogoForm, BrowsePutsTheChosenBitmapIntoTheFilenameBox) {
    frmHeadingLogo& f = form();
    f.Text2->setText(QStringLiteral("old.bmp"));
    ScriptedUi ui;
    ui.file(QString(), "Select Logo File");
    f.Command5->click();
    EXPECT_EQ(f.Text2->text(), "old.bmp");
    ui.file(pf.file("site.bmp"));
    f.Command5->click();
    EXPECT_EQ(f.Text2->text(), pf.file("site.bmp"));
    ASSERT_EQ(ui.fileRequests.size(), 2);
    const FileDialogRequest& r = ui.fileRequests[0];
    EXPECT_FALSE(r.save);
    EXPECT_EQ(r.filter, "Logo Files (*.bmp)|*.bmp");
    EXPECT_EQ(r.defaultExt, "bmp");
    EXPECT_EQ(r.initDir, pf.path());
}

TEST_F(HeadingLogoForm, SaveOnAFreshEditorIsSaveAsAndThenWritesBackWithoutADialog) {
    frmHeadingLogo& f = form();
    f.show();
    typeInto(f, 1, QStringLiteral("  WELL  "));
    typeInto(f, 16, QStringLiteral("Elev. (ft)"));
    ScriptedUi ui;
    ui.file(QString(), "Save As"); // cancelled: nothing written, nothing adopted
    f.mnuSave->trigger();
    EXPECT_EQ(f.windowTitle(), kCaption);
    EXPECT_TRUE(f.HeadingFileName().isEmpty());

    ui.file(pf.file("site"), "Save As") // typed without the extension
        .answer(vb::Yes, "Print the headings of " + pf.file("site.qlh") + " from now on?");
    f.mnuSave->trigger();
    const QString path = pf.file("site.qlh");
    EXPECT_EQ(modgw().HeadingFile, path); // the reports print it now, and no later Save asks
    ASSERT_EQ(ui.fileRequests.size(), 2);
    const FileDialogRequest& r = ui.fileRequests[1];
    EXPECT_TRUE(r.save);
    EXPECT_TRUE(r.overwritePrompt); // replacing a heading file is asked first
    EXPECT_EQ(r.filter, "Quillmare Heading Files (*.qlh)|*.qlh|");
    EXPECT_EQ(r.initDir, pf.path());
    // The other rows as the editor opened them: the texts the reports print.
    QStringList rows = listOf(DefaultHeadingTexts());
    rows[0] = "  WELL  ";
    rows[15] = "Elev. (ft)";
    EXPECT_EQ(readRaw(path), crlf(QStringList{"Quillmare 5.0.3"} + rows));
    EXPECT_EQ(f.windowTitle(), kCaption + " - Heading File: " + path);

    typeInto(f, 2, QStringLiteral("Dates"));
    f.mnuSave->trigger(); // no dialog planned: Save goes to the same file
    EXPECT_EQ(readRaw(path).split('\n').value(2), "Dates\r");
    EXPECT_EQ(ui.fileRequests.size(), 2);
    f.hide();
}

TEST_F(HeadingLogoForm, OpenShowsTheFileAndSaveWritesItBackToTheSameFile) {
    const QString path = pf.file("typed.qlh");
    QFile::copy(kTyped, path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    frmHeadingLogo& f = form();
    f.show();
    ScriptedUi ui;
    ui.file(path, "Open");
    f.mnuOpen->trigger();
    EXPECT_EQ(ui.fileRequests.value(0).filter, "Quillmare Heading Files (*.qlh)|*.qlh|");
    EXPECT_EQ(ui.fileRequests.value(0).initDir, pf.path());
    const auto rows = readHeadingFile(kTyped);
    ASSERT_TRUE(rows);
    for (int r = 1; r <= 16; ++r) {
        EXPECT_EQ(f.SS3->text(r, 1), (*rows)[r]) << r;
        EXPECT_EQ(headinglogo().HeadingLines[r], (*rows)[r]) << r;
    }
    EXPECT_EQ(f.windowTitle(), kCaption + " - Heading File: " + path);

    typeInto(f, 3, QStringLiteral("REMARKS"));
    ui.answer(vb::No, "Print the headings of " + path);
    f.mnuSave->trigger();
    f.mnuSave->trigger(); // offered once
    QList<QByteArray> expected = readRaw(kTyped).split('\n');
    expected[3] = "REMARKS\r";
    EXPECT_EQ(readRaw(path), expected.join('\n'));
    EXPECT_EQ(ui.fileRequests.size(), 1);
    f.hide();
}

TEST_F(HeadingLogoForm, AFileThatIsNotAWholeHeadingFileChangesNothing) {
    const QString good = pf.file("good.qlh");
    QFile::copy(kTyped, good);
    QFile::setPermissions(good, QFile::ReadOwner | QFile::WriteOwner);
    writeRaw(pf.file("other.qlh"), "Heading file\r\nWELL\r\n");
    writeRaw(pf.file("short.qlh"), "Quillmare 5.0.3\r\nWELL\r\nDates\r\n");
    modgw().CellEditMode = QStringLiteral("1"); // typing replaces a cell's text
    frmHeadingLogo& f = form();
    f.show();
    ScriptedUi ui;
    ui.file(good);
    f.mnuOpen->trigger();
    typeInto(f, 1, QStringLiteral("typed, not saved"));
    const QStringList shown = gridTexts(f);
    const QString lines = headinglogo().HeadingLines[1] + headinglogo().HeadingLines[16];

    ui.file(pf.file("other.qlh")).answer(vb::OK, "Incorrect Heading File Format: " + pf.file("other.qlh"));
    f.mnuOpen->trigger();
    ui.file(pf.file("short.qlh")).answer(vb::OK, "Error 62 in OpenHeadingFile.");
    f.mnuOpen->trigger();
    EXPECT_EQ(gridTexts(f), shown);
    EXPECT_EQ(headinglogo().HeadingLines[1] + headinglogo().HeadingLines[16], lines);
    EXPECT_EQ(f.windowTitle(), kCaption + " - Heading File: " + good);

    // Save still writes the file that was opened whole, never the rejected one.
    ui.answer(vb::No, "Print the headings of " + good);
    f.mnuSave->trigger();
    EXPECT_EQ(readRaw(pf.file("other.qlh")), "Heading file\r\nWELL\r\n");
    EXPECT_EQ(readRaw(good).split('\n').value(1), "typed, not saved\r");
    f.hide();
}

TEST_F(HeadingLogoForm, ARejectedFileOnAFreshEditorLeavesSaveAsSaveAs) {
    writeRaw(pf.file("other.qlh"), "Heading file\r\n");
    frmHeadingLogo& f = form();
    ScriptedUi ui;
    ui.file(pf.file("other.qlh")).answer(vb::OK, "Incorrect Heading File Format");
    f.mnuOpen->trigger();
    EXPECT_EQ(f.windowTitle(), kCaption);
    ui.file(QString(), "Save As");
    f.mnuSave->trigger();
    EXPECT_EQ(readRaw(pf.file("other.qlh")), "Heading file\r\n");
}

TEST_F(HeadingLogoForm, CutCopyAndPasteWorkOnTheSelectedCells) {
    frmHeadingLogo& f = form();
    f.show();
    typeInto(f, 1, QStringLiteral("WELL"));
    typeInto(f, 2, QStringLiteral("Dates"));
    f.SS3->setSelectedBlock({1, 1, 2, 1});
    f.mnuCopy->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "WELL\r\nDates\r\n");
    f.SS3->setSelectedBlock({5, 1, 5, 1});
    f.mnuPaste->trigger();
    EXPECT_EQ(f.SS3->text(5, 1), "WELL");
    EXPECT_EQ(f.SS3->text(6, 1), "Dates");
    f.SS3->setSelectedBlock({1, 1, 1, 1});
    f.mnuCut->trigger();
    EXPECT_EQ(f.SS3->text(1, 1), "");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "WELL\r\n");
    f.hide();
}

TEST_F(HeadingLogoForm, EscapeInAnOpenCellTakesBackTheTypingAndKeepsTheEditorOpen) {
    frmHeadingLogo& f = form();
    f.show();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    typeInto(f, 1, QStringLiteral("WELL"));
    f.SS3->setActiveCell(1, 1);
    f.SS3->setFocus();
    QTest::keyClicks(f.SS3, "XY");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(f.SS3->text(1, 1), "WELL");
    f.hide();
}

TEST_F(HeadingLogoForm, HelpShowsItsPage) {
    QDir().mkpath(pf.file("help"));
    writeRaw(pf.file("help/1022.html"), "<html><body>Headings</body></html>");
    frmHeadingLogo& f = form();
    f.btnHelp->click();
    EXPECT_EQ(HelpPageShown(), "1022.html");
    WinHelpA(nullptr, QString(), help::HELP_QUIT, 0);
}

TEST_F(HeadingLogoForm, TheMainWindowShowsItWithoutAProject) {
    frmDatAGrid& w = forms::form<frmDatAGrid>();
    modgw().ProjectFile.clear();
    int shown = 0;
    forms::setModalHook([&](QDialog& d) {
        ++shown;
        ASSERT_NE(qobject_cast<frmHeadingLogo*>(&d), nullptr);
        static_cast<frmHeadingLogo&>(d).btnCancel->click();
    });
    ScriptedUi ui;
    w.mnuHeadingLogo->trigger();
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(forms::isLoaded<frmHeadingLogo>());
}

TEST_F(HeadingLogoForm, TheDrawingWindowShowsItAlsoWhileAPreviewPageIsUp) {
    modgw().FillPath = pf.file("fills/");
    shipped::WriteMissing();
    pageCanvas().PaperWidth = 11;
    pageCanvas().PaperHeight = 8.5f;
    pageCanvas().NewDrawing();
    RegisterDrawingWindow();
    QStringList shown;
    forms::setModalHook([&](QDialog& d) {
        shown << d.objectName();
        if (auto* editor = qobject_cast<frmHeadingLogo*>(&d)) {
            editor->Textln1->setText(QStringLiteral("From the preview"));
            editor->btnOK->click();
        } else if (auto* preview = qobject_cast<DrawArea*>(&d)) {
            preview->mnuDefineHeadingsLogo->trigger();
            EXPECT_TRUE(preview->isVisible()); // the page stays up under the editor
            preview->mnuExit->trigger();
        }
    });
    HandOverPage();
    EXPECT_EQ(shown, QStringList({"DrawArea", "frmHeadingLogo"}));
    EXPECT_FALSE(forms::isLoaded<frmHeadingLogo>());
    EXPECT_TRUE(readRaw(logoTxt()).startsWith("From the preview\r\n"));
}
