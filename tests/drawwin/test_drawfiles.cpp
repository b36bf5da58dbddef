// SPDX-License-Identifier: GPL-3.0-or-later
// The Drawing menu and File > Print without the window: save questions, file dialogs and format
// codes, the page replaced only when it should be, printing to PDF files read back with poppler.
#include "drawcmd/drawtest.h"
#include "drawcmd/printdrawing.h"
#include "drawwin/drawfiles.h"
#include "drawwin/drawwinstate.h"
#include "drawwin/toolbar.h"
#include "platform/drawing/objecttags.h"
#include "platform/textfile.h"
#include "support/pdftools.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPrinter>
#include <gtest/gtest.h>

namespace {

const int ModeButtons[] = {1, 3, 4, 11, 12, 13, 14, 15, 16, 17};

class DrawFiles : public DrawCmdTest {
protected:
    void SetUp() override {
        DrawCmdTest::SetUp();
        modgw().DataFolder = pf.path();
        for (int b : ModeButtons) buttons.Value[size_t(b)] = 1;
        // The size dialog as the user confirms it; tests change what it does.
        dialogs.newDrawingSize = [this] {
            ++sizeAsked;
            pageCanvas().PaperWidth = 8.5f;
            pageCanvas().PaperHeight = 11;
            drawwin().NewDrawingConfirmed = 1;
        };
        dialogs.bitmapSize = [this] {
            ++bitmapAsked;
            return true;
        };
    }

    // A rectangle drawn as the user's tools leave it; the drawing is then changed.
    static draw::Long rect(int x1, int y1, int x2, int y2) {
        page().AddObject(draw::Rectangle, x1, y1, x2, y2);
        drawwin().DrawingModified = 1;
        return page().at(page().count() - 1).id;
    }
    static QList<draw::Long> ids() {
        QList<draw::Long> out;
        for (int i = 0; i < page().count(); ++i) out << page().at(i).id;
        return out;
    }
    bool anyModeButtonDown() const {
        for (int b : ModeButtons)
            if (buttons.down(b)) return true;
        return false;
    }
    // A file a test can never write: its folder is a plain file.
    QString unwritable(const QString& name) {
        writeRaw(pf.file("plain"), "x");
        return pf.file("plain/" + name);
    }
    // Whether the page of a one-page PDF is wider than tall ("Page size: 842 x 595 pts (A4)").
    static bool landscape(const QString& pdf) {
        const QStringList size = pdfInfo(pdf, "Page size").split(' ');
        return size.size() >= 3 && size[0].toDouble() > size[2].toDouble();
    }

    TempProgramFolder pf;
    ScriptedUi ui;
    ToolButtons buttons;
    DrawingFileDialogs dialogs;
    int sizeAsked = 0;
    int bitmapAsked = 0;
};

// The native file of a page with one rectangle, written as Save As writes it.
QString savedPage(const QString& path) {
    MDrawPro& d = pageDrawing();
    d.SaveDrawing(path, 0, 10);
    return path;
}

} // namespace

TEST(DrawingFileTypes, SaveAsNames) {
    EXPECT_EQ(SaveAsName("/d/report", 1), "/d/report.dxf");
    EXPECT_EQ(SaveAsName("/d/report.kdf", 1), "/d/report.dxf");
    EXPECT_EQ(SaveAsName("/d/report.DXF", 1), "/d/report.DXF");
    EXPECT_EQ(SaveAsName("/d/report.v2", 2), "/d/report.v2.bmp"); // ".v2" is no four-character extension
    EXPECT_EQ(SaveAsName("/d/map.1/page", 0), "/d/map.1/page.kdf");
    EXPECT_EQ(SaveAsName("/d/a.txt", 4), "/d/a.emf");
}

TEST_F(DrawFiles, NewDrawingOfAnUnchangedPageAsksNothingAndStartsTheConfirmedSize) {
    drawwin().DrawingFileName = pf.file("old.kdf");
    rect(10, 10, 100, 100);
    drawwin().DrawingModified = 0;
    recordFirst();
    editingSession().SelectedNodeCount = 4;
    drawwin().LastDrawnId = 1;
    page().EditMode(11);

    EXPECT_EQ(FileNewDrawing(buttons, dialogs), PageZoom::Default);
    EXPECT_TRUE(ui.texts.isEmpty());
    EXPECT_EQ(sizeAsked, 1);
    EXPECT_EQ(page().count(), 0);
    EXPECT_EQ(page().PageWidth(), 4800); // 8.5 by 11 paper less half an inch each way
    EXPECT_EQ(page().PageHeight(), 6300);
    EXPECT_EQ(drawwin().DrawingFileName, "");
    EXPECT_EQ(undoRecord().UndoCount(), 0);
    EXPECT_EQ(editingSession().SelectedNodeCount, 0);
    EXPECT_EQ(drawwin().LastDrawnId, 0);
    EXPECT_EQ(page().EditMode(), 0);
    EXPECT_FALSE(anyModeButtonDown());
}

TEST_F(DrawFiles, NewDrawingOfAChangedPageAsksAndCancelOrAnUnconfirmedSizeKeepsIt) {
    const draw::Long id = rect(10, 10, 100, 100);
    drawwin().DrawingFileName = pf.file("old.kdf");
    page().EditMode(11);
    ui.answer(vb::Cancel, "Would you like to save the current DRAWING before creating a new one?");
    EXPECT_EQ(FileNewDrawing(buttons, dialogs), PageZoom::Keep);
    EXPECT_EQ(ui.styles.last(), vb::YesNoCancel | vb::Question);
    EXPECT_EQ(ui.titles.last(), titleEmpty);
    EXPECT_EQ(sizeAsked, 0);
    EXPECT_EQ(ids(), QList<draw::Long>{id});
    EXPECT_EQ(page().EditMode(), 11); // Cancel leaves the tools as well
    EXPECT_TRUE(anyModeButtonDown());

    // No, then the size dialog left without OK: the tools are released, the page and its name stay,
    // and it still counts as changed.
    dialogs.newDrawingSize = [this] { ++sizeAsked; };
    ui.answer(vb::No);
    EXPECT_EQ(FileNewDrawing(buttons, dialogs), PageZoom::Keep);
    EXPECT_EQ(sizeAsked, 1);
    EXPECT_EQ(ids(), QList<draw::Long>{id});
    EXPECT_EQ(drawwin().DrawingFileName, pf.file("old.kdf"));
    EXPECT_EQ(drawwin().DrawingModified, 1);
    EXPECT_FALSE(anyModeButtonDown());
    EXPECT_EQ(page().EditMode(), 0);
}

TEST_F(DrawFiles, YesWhoseSaveIsCancelledOrFailsEndsTheCommandWithNothingReplaced) {
    const draw::Long id = rect(10, 10, 100, 100);
    // A report page has no name: Yes goes through Save As, whose Cancel ends everything.
    ui.answer(vb::Yes).file("", "Save Drawing As");
    EXPECT_EQ(FileNewDrawing(buttons, dialogs), PageZoom::Keep);
    EXPECT_EQ(sizeAsked, 0);
    EXPECT_EQ(ids(), QList<draw::Long>{id});
    EXPECT_EQ(drawwin().DrawingModified, 1);

    // A save that fails says so; Open then shows no dialog of its own.
    drawwin().DrawingFileName = unwritable("page.kdf");
    ui.answer(vb::Yes, "before opening another?").answer(vb::OK, "Error 75 in Preview Save.  Please contact Kalvex");
    EXPECT_EQ(FileOpenDrawing(buttons, dialogs), PageZoom::Keep);
    EXPECT_EQ(ids(), QList<draw::Long>{id});
    EXPECT_EQ(drawwin().DrawingModified, 1);
    EXPECT_EQ(drawwin().DrawingFileName, pf.file("plain/page.kdf"));

    // Yes with a save that works goes on to the new drawing.
    drawwin().DrawingFileName = pf.file("kept.kdf");
    ui.answer(vb::Yes);
    EXPECT_EQ(FileNewDrawing(buttons, dialogs), PageZoom::Default);
    EXPECT_TRUE(QFileInfo::exists(pf.file("kept.kdf")));
    EXPECT_EQ(page().count(), 0);
}

TEST_F(DrawFiles, OpenReadsTheFileIntoThePageWhichFollowsItsSheet) {
    const draw::Long first = rect(100, 200, 300, 400);
    rect(500, 600, 700, 800);
    savedPage(pf.file("two.kdf"));
    pageCanvas().PaperWidth = 8.5f;
    pageCanvas().PaperHeight = 11;
    pageCanvas().NewDrawing(); // a portrait page of 4800 by 6300
    rect(1, 1, 2, 2);
    drawwin().DrawingModified = 0;
    recordFirst();
    editingSession().SelectedNodeCount = 2;
    editingSession().NodeCount = 3;
    drawwin().FileDialogName = pf.file("last.kdf");

    ui.file(pf.file("two.kdf"), "Open Drawing File");
    EXPECT_EQ(FileOpenDrawing(buttons, dialogs), PageZoom::Default);
    ASSERT_EQ(ui.fileRequests.size(), 1);
    const FileDialogRequest& r = ui.fileRequests[0];
    EXPECT_FALSE(r.save);
    EXPECT_EQ(r.filter, "Kalvex Drawing Format (*.kdf)|*.kdf|Drawing Exchange Format (*.dxf)|*.dxf|Windows Bitmap (*.bmp)|*.bmp|"
                        "Windows Meta File (*.wmf)|*.wmf|Enhanced Meta File (*.emf)|*.emf|"
                        "All Drawing Files (*.kdf,*.dxf,*.bmp,*.wmf,*.emf)|*.kdf;*.dxf;*.bmp;*.wmf;*.emf");
    EXPECT_EQ(r.defaultExt, "");
    EXPECT_EQ(r.initDir, modgw().DataFolder);
    EXPECT_EQ(r.fileName, pf.file("last.kdf")); // what the dialog returned last

    ASSERT_EQ(page().count(), 2);
    EXPECT_EQ(page().at(0).id, first);
    EXPECT_EQ(page().at(0).x1, 100);
    EXPECT_EQ(page().at(1).y2, 800);
    EXPECT_EQ(drawwin().DrawingFileName, pf.file("two.kdf"));
    EXPECT_EQ(drawwin().FileDialogName, pf.file("two.kdf"));
    EXPECT_EQ(pageCanvas().DrawableWidth, 6300);
    EXPECT_EQ(pageCanvas().DrawableHeight, 4800);
    EXPECT_FLOAT_EQ(pageCanvas().DrawableHeightInches, 8);
    EXPECT_EQ(pageCanvas().PaperWidth, 8.5f); // the next new drawing's paper stays
    EXPECT_EQ(undoRecord().UndoCount(), 0);
    EXPECT_EQ(editingSession().SelectedNodeCount, 0);
    EXPECT_EQ(editingSession().NodeCount, 0);
    EXPECT_EQ(drawwin().DrawingModified, 0);
    EXPECT_FALSE(anyModeButtonDown());
}

TEST_F(DrawFiles, OpenRefusesOtherNamesAndAFailedLoadLeavesThePage) {
    const draw::Long id = rect(10, 10, 100, 100);
    drawwin().DrawingModified = 0;
    drawwin().DrawingFileName = pf.file("mine.kdf");
    writeRaw(pf.file("notes.txt"), "hello");
    ui.file(pf.file("notes.txt")).answer(vb::OK, "notes.txt is not a drawing file.");
    EXPECT_EQ(FileOpenDrawing(buttons, dialogs), PageZoom::Keep);
    EXPECT_EQ(ids(), QList<draw::Long>{id});
    EXPECT_EQ(drawwin().DrawingFileName, pf.file("mine.kdf"));

    writeRaw(pf.file("broken.kdf"), "{\"format\": ");
    ui.file(pf.file("broken.kdf")).answer(vb::OK, "Error 321 in Preview Open.  Please contact Kalvex");
    EXPECT_EQ(FileOpenDrawing(buttons, dialogs), PageZoom::Keep);
    EXPECT_EQ(ids(), QList<draw::Long>{id});
    EXPECT_EQ(drawwin().DrawingFileName, pf.file("mine.kdf"));
    EXPECT_EQ(page().PageWidth(), 6300);

    // Cancel in the dialog ends the command without a word.
    ui.file("");
    EXPECT_EQ(FileOpenDrawing(buttons, dialogs), PageZoom::Keep);
    EXPECT_EQ(ui.texts.size(), 5); // three dialogs and two messages
}

TEST_F(DrawFiles, ABitmapOpensOnASheetOfItsSizeShownWhole) {
    QImage img(300, 150, QImage::Format_RGB32);
    img.fill(Qt::red);
    img.setDotsPerMeterX(3780); // 96 dots an inch
    img.setDotsPerMeterY(3780);
    ASSERT_TRUE(img.save(pf.file("photo.BMP"), "BMP"));
    ui.file(pf.file("photo.BMP"));
    EXPECT_EQ(FileOpenDrawing(buttons, dialogs), PageZoom::Whole);
    ASSERT_EQ(page().count(), 1);
    EXPECT_EQ(page().at(0).kind, draw::Bitmap);
    EXPECT_NEAR(pageCanvas().DrawableWidth, 300 * 600 / 96.0, 1);
    EXPECT_NEAR(pageCanvas().DrawableHeight, 150 * 600 / 96.0, 1);
}

TEST_F(DrawFiles, SaveWithoutANameGoesThroughSaveAsAndItsCancelKeepsTheChange) {
    rect(10, 10, 100, 100);
    ui.file("", "Save Drawing As");
    EXPECT_EQ(FileSaveDrawing(buttons, dialogs), SaveOutcome::Cancelled);
    EXPECT_EQ(drawwin().DrawingModified, 1);
    EXPECT_EQ(drawwin().DrawingFileName, "");
    EXPECT_TRUE(QDir(pf.path()).entryList(QDir::Files).isEmpty());

    ui.file(pf.file("first"), "Save Drawing As").answer(vb::OK, "File Saved:  " + pf.file("first.kdf"));
    EXPECT_EQ(FileSaveDrawing(buttons, dialogs), SaveOutcome::Saved);
    EXPECT_EQ(drawwin().DrawingFileName, pf.file("first.kdf"));
    EXPECT_EQ(drawwin().DrawingModified, 0);
    EXPECT_TRUE(QFileInfo::exists(pf.file("first.kdf")));
}

TEST_F(DrawFiles, SaveWritesTheNamedFileWithoutDeletedObjectsAndReleasesTheTools) {
    const draw::Long keep = rect(10, 10, 100, 100);
    const draw::Long gone = rect(-1000, -1000, -1000, -1000);
    page().ObjectId(gone);
    page().TagTarget(5);
    page().ObjectTag(draw::tags::Change, draw::tags::Yes);
    page().EditMode(13);
    recordFirst();
    drawwin().DrawingFileName = pf.file("page.KDF");

    EXPECT_EQ(FileSaveDrawing(buttons, dialogs), SaveOutcome::Saved);
    EXPECT_TRUE(ui.texts.isEmpty()); // Save says nothing
    EXPECT_EQ(drawwin().DrawingModified, 0);
    EXPECT_EQ(ids(), QList<draw::Long>{keep});
    EXPECT_EQ(undoRecord().UndoCount(), 0);
    EXPECT_EQ(page().EditMode(), 0);
    EXPECT_FALSE(anyModeButtonDown());

    MDrawPro back;
    back.LoadDrawing(pf.file("page.KDF"), 0, 10);
    EXPECT_EQ(back.count(), 1);
}

TEST_F(DrawFiles, AFailedSaveSaysSoAndKeepsTheChange) {
    rect(10, 10, 100, 100);
    drawwin().DrawingFileName = unwritable("page.kdf");
    ui.answer(vb::OK, "Error 75 in Preview Save.  Please contact Kalvex");
    EXPECT_EQ(FileSaveDrawing(buttons, dialogs), SaveOutcome::Failed);
    EXPECT_EQ(drawwin().DrawingModified, 1);

    ui.file(unwritable("other"), "Save Drawing As").answer(vb::OK, "Error 75 in Preview SaveAs.  Please contact Kalvex");
    EXPECT_EQ(FileSaveDrawingAs(buttons, dialogs), SaveOutcome::Failed);
    EXPECT_EQ(drawwin().DrawingModified, 1);
    EXPECT_EQ(drawwin().DrawingFileName, pf.file("plain/page.kdf"));
}

TEST_F(DrawFiles, SaveAsTakesTheFormatFromTheChosenTypeAndAsksBeforeANewNameReplacesAFile) {
    rect(10, 10, 100, 100);
    drawwin().DrawingFileName = pf.file("site.kdf");
    // The dialog starts on the name less its extension and on its type; no folder, no default type.
    ui.file(pf.file("site.kdf"), "Save Drawing As", 1).answer(vb::OK, "File Saved:  " + pf.file("site.dxf"));
    EXPECT_EQ(FileSaveDrawingAs(buttons, dialogs), SaveOutcome::Saved);
    const FileDialogRequest& r = ui.fileRequests.last();
    EXPECT_TRUE(r.save);
    EXPECT_EQ(r.fileName, pf.file("site"));
    EXPECT_EQ(r.filterIndex, 0);
    EXPECT_EQ(r.filter, kSaveDrawingFilter);
    EXPECT_EQ(r.filter.count('|'), 9); // five entries, as Open's without all drawing files
    EXPECT_TRUE(kOpenDrawingFilter.startsWith(r.filter + "|All Drawing Files"));
    EXPECT_EQ(r.initDir, "");
    EXPECT_EQ(r.defaultExt, "");
    EXPECT_TRUE(r.overwritePrompt);
    EXPECT_EQ(drawwin().DrawingFileName, pf.file("site.dxf"));
    EXPECT_TRUE(QFileInfo::exists(pf.file("site.dxf")));
    EXPECT_FALSE(QFileInfo::exists(pf.file("site.kdf")));
    MDrawPro back;
    back.LoadDrawing(pf.file("site.dxf"), 0, 13);
    EXPECT_EQ(back.count(), 1);

    // "site.kdf" chosen with DXF again: the dialog asked about site.kdf, not about site.dxf, which
    // exists now. No leaves everything.
    drawwin().DrawingModified = 1;
    const QByteArray before = readRaw(pf.file("site.dxf"));
    ui.file(pf.file("site.kdf"), {}, 1).answer(vb::No, "site.dxf already exists.\r\nDo you want to replace it?");
    EXPECT_EQ(FileSaveDrawingAs(buttons, dialogs), SaveOutcome::Cancelled);
    EXPECT_EQ(ui.fileRequests.last().filterIndex, 1); // it opened on the drawing's type
    EXPECT_EQ(ui.styles.last(), vb::YesNo | vb::Exclamation | vb::DefaultButton2);
    EXPECT_EQ(readRaw(pf.file("site.dxf")), before);
    EXPECT_EQ(drawwin().DrawingModified, 1);

    // A name with a dot that is no extension gets the type's extension added.
    ui.file(pf.file("report.v2"), {}, 3).answer(vb::OK, "report.v2.wmf");
    EXPECT_EQ(FileSaveDrawingAs(buttons, dialogs), SaveOutcome::Saved);
    EXPECT_TRUE(QFileInfo::exists(pf.file("report.v2.wmf")));
    ui.file(pf.file("plan"), {}, 4).answer(vb::OK, "plan.emf");
    EXPECT_EQ(FileSaveDrawingAs(buttons, dialogs), SaveOutcome::Saved);
    EXPECT_TRUE(QFileInfo::exists(pf.file("plan.emf")));
    EXPECT_EQ(bitmapAsked, 0);
}

TEST_F(DrawFiles, ABitmapIsAlwaysWrittenAtTheChosenSize) {
    rect(600, 600, 1200, 1200);
    modgw().BitmapWidth = 0;
    modgw().BitmapHeight = 0;
    // The size dialog closed without OK cancels the Save As.
    dialogs.bitmapSize = [this] {
        ++bitmapAsked;
        return false;
    };
    ui.file(pf.file("pic"), {}, 2);
    EXPECT_EQ(FileSaveDrawingAs(buttons, dialogs), SaveOutcome::Cancelled);
    EXPECT_EQ(bitmapAsked, 1);
    EXPECT_FALSE(QFileInfo::exists(pf.file("pic.bmp")));
    EXPECT_EQ(drawwin().DrawingModified, 1);

    dialogs.bitmapSize = [this] {
        ++bitmapAsked;
        modgw().BitmapWidth = 630;
        modgw().BitmapHeight = 480;
        return true;
    };
    ui.file(pf.file("pic"), {}, 2).answer(vb::OK, "File Saved:  ");
    EXPECT_EQ(FileSaveDrawingAs(buttons, dialogs), SaveOutcome::Saved);
    EXPECT_EQ(QImage(pf.file("pic.bmp")).size(), QSize(630, 480));

    // Printing leaves its own output size in the control; Save still writes the chosen one.
    page().OutputWidth(5100);
    page().OutputHeight(6600);
    EXPECT_EQ(FileSaveDrawing(buttons, dialogs), SaveOutcome::Saved);
    EXPECT_EQ(QImage(pf.file("pic.bmp")).size(), QSize(630, 480));

    // No size chosen yet: what the dialog would propose, 60 pixels an inch of the sheet.
    modgw().BitmapWidth = 0;
    EXPECT_EQ(BitmapOutputSize(), (std::array<int, 2>{630, 480}));
    EXPECT_EQ(FileSaveDrawing(buttons, dialogs), SaveOutcome::Saved);
    EXPECT_EQ(QImage(pf.file("pic.bmp")).size(), QSize(630, 480));
    EXPECT_EQ(bitmapAsked, 2);
}

TEST_F(DrawFiles, PrintShowsTheNoticeThenPrintsOnePageOrientedByTheSheet) {
    QPrinter& pr = SystemPrinter();
    pr.setOutputFormat(QPrinter::PdfFormat);
    rect(600, 600, 1200, 1200);
    page().AddObject(draw::Text, 3000, 2000, 3000, 2000);
    page().TextString("GONE TEXT");
    page().TagTarget(5);
    page().ObjectTag(draw::tags::Change, draw::tags::Yes);
    page().AddObject(draw::Text, 3000, 3000, 3000, 3000);
    page().TextString("KEPT TEXT");

    QStringList order;
    ui.file(pf.file("wide.pdf"));
    FilePrintDrawing([&] {
        order << "notice";
        EXPECT_EQ(ui.fileRequests.size(), 1); // where the PDF goes is asked first
        EXPECT_FALSE(QFileInfo::exists(pf.file("wide.pdf")));
    });
    EXPECT_EQ(ui.texts, QStringList{"Print to File"}); // the Save dialog, and no message
    EXPECT_EQ(pdfInfo(pf.file("wide.pdf"), "Pages"), "1");
    EXPECT_TRUE(landscape(pf.file("wide.pdf")));
    const QString text = pdfText(pf.file("wide.pdf"));
    EXPECT_TRUE(text.contains("KEPT TEXT"));
    EXPECT_FALSE(text.contains("GONE TEXT"));
    EXPECT_EQ(order, QStringList{"notice"});
    EXPECT_EQ(page().count(), 2);

    // A sheet taller than wide prints portrait.
    pageCanvas().PaperWidth = 8.5f;
    pageCanvas().PaperHeight = 11;
    pageCanvas().NewDrawing();
    rect(600, 600, 1200, 1200);
    ui.file(pf.file("tall.pdf"));
    FilePrintDrawing({});
    EXPECT_EQ(pdfInfo(pf.file("tall.pdf"), "Pages"), "1");
    EXPECT_FALSE(landscape(pf.file("tall.pdf")));
}

TEST_F(DrawFiles, PrintWithoutAPrinterAsksForOneAndOtherFaultsNameMnuPrint) {
    QPrinter& pr = SystemPrinter();
    pr.setOutputFormat(QPrinter::PdfFormat);
    ui.file(unwritable("page.pdf"));
    ui.answer(vb::OK, "Error 75 in mnuPrint.  Please contact Kalvex");
    FilePrintDrawing({});
}

TEST(NewDrawingPaper, MillimetresTheDefaultAndSidesThatLeaveNoPage) {
    const PaperInches a4 = NewDrawingPaper("297", "210", "mm");
    EXPECT_NEAR(a4.width, 11.69291, 0.000005);
    EXPECT_NEAR(a4.height, 8.26772, 0.000005);
    const PaperInches typed = NewDrawingPaper("17", "22", "MM"); // not exactly "mm": inches
    EXPECT_EQ(typed.width, 17);
    EXPECT_EQ(typed.height, 22);
    EXPECT_FLOAT_EQ(NewDrawingPaper("0.51", "30", "inches").width, 0.51f);
    for (const auto& [w, h] : QList<std::pair<QString, QString>>{
             {"", ""}, {"0", "11"}, {"-8.5", "11"}, {"eight", "11"}, {"8.5", "0.5"}, {"12.7", "0"}, {"1e300", "11"}}) {
        SCOPED_TRACE(qPrintable(w + " by " + h));
        const PaperInches p = NewDrawingPaper(w, h, w == "12.7" ? "mm" : "inches");
        EXPECT_EQ(p.width, 8.5f);
        EXPECT_EQ(p.height, 11.f);
    }
    EXPECT_TRUE(OrientationSwaps("8.5", "11", true));
    EXPECT_FALSE(OrientationSwaps("8.5", "11", false));
    EXPECT_TRUE(OrientationSwaps("11", "8.5", false));
    EXPECT_FALSE(OrientationSwaps("10", "10", true));
    EXPECT_FALSE(OrientationSwaps("10", "10", false));
}

TEST_F(DrawFiles, TheBitmapSizeIsProposedOnceFollowsTheProportionAndIsHeldTo100To2000) {
    // The 11 by 8.5 page of SetUp changed the paper size: 6300 by 4800 units.
    modgw().BitmapWidth = 777;
    ProposeBitmapSize();
    EXPECT_EQ(modgw().BitmapWidth, 630);
    EXPECT_EQ(modgw().BitmapHeight, 480);
    EXPECT_EQ(pageCanvas().PageSizeChanged, 0);
    modgw().BitmapWidth = 777;
    ProposeBitmapSize();
    EXPECT_EQ(modgw().BitmapWidth, 777);

    EXPECT_EQ(ProportionalSide("630", 6300, 4800), std::optional<int16_t>(480));
    EXPECT_EQ(ProportionalSide("480", 4800, 6300), std::optional<int16_t>(630));
    EXPECT_EQ(ProportionalSide("1.5", 6300, 4800), std::optional<int16_t>(2)); // 2 pixels: 1.5 to even
    for (const char* none : {"0", "-5", "pixels", "", "40000", "1e30"})
        EXPECT_EQ(ProportionalSide(none, 6300, 4800), std::nullopt) << none;
    EXPECT_EQ(ProportionalSide("30000", 4800, 6300), std::nullopt); // the other side beyond Integer
    EXPECT_EQ(ProportionalSide("100", 0, 4800), std::nullopt);

    StoreBitmapSize("50", "5000");
    EXPECT_EQ(modgw().BitmapWidth, 100);
    EXPECT_EQ(modgw().BitmapHeight, 2000);
    const QStringList lines = qtext::ReadLines(pf.file("DEVICE.CFG"));
    ASSERT_GE(lines.size(), 15);
    EXPECT_EQ(lines[13], "100");
    EXPECT_EQ(lines[14], "2000");
    StoreBitmapSize("1e30", "640.5");
    EXPECT_EQ(modgw().BitmapWidth, 2000);
    EXPECT_EQ(modgw().BitmapHeight, 640);
}
