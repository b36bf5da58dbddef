// SPDX-License-Identifier: GPL-3.0-or-later
// The report drivers over the run files the run-data steps write from a test database, with a page
// sink that records every page handed on (which item, table page and map it showed, whether it was
// printed) and leaves the preview where a test says.
#include "drawcmd/pagecanvas.h"
#include "drawcmd/printdrawing.h"
#include "drawwin/drawfiles.h"
#include "platform/drawing/drawdump.h"
#include "platform/printer.h"
#include "platform/qmerror.h"
#include "platform/progfolder.h"
#include "platform/sampledb.h"
#include "platform/textfile.h"
#include "project/importexport.h"
#include "project/modgw.h"
#include "project/projectfile.h"
#include "project/sampledbops.h"
#include "platform/contour/plotdoc.h"
#include "reportdefs/datecontourfile.h"
#include "reportdefs/datesumfile.h"
#include "reportdefs/gwelevfile.h"
#include "reportdefs/par1sumfile.h"
#include "reportdefs/stifffile.h"
#include "reportdefs/wellsumfile.h"
#include "reports/contourdata.h"
#include "reports/contourrun.h"
#include "reports/drawprint.h"
#include "reports/drivers.h"
#include "reports/gwgraph.h"
#include "reports/rundata.h"
#include "pagefixture.h"
#include "support/pdftools.h"
#include "support/programstate.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QPrinter>
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace {

struct Page {
    int item = 0, page = 0, map = 0;
    bool printed = false;
};

class Drivers : public ProgramStateTest {
protected:
    void SetUp() override {
        dir = program.path() + QStringLiteral("proj/");
        QDir().mkpath(dir);
        QFile::copy(QStringLiteral(QMAR_RESOURCE_DIR "/usqmar.qlh"), program.file("usqmar.qlh"));
        QFile::copy(QStringLiteral(QMAR_RESOURCE_DIR "/logo.txt"), program.file("logo.txt"));
        ModGW& m = modgw();
        m.HeadingFile = program.file("usqmar.qlh");
        m.DatabaseFile = dir + QStringLiteral("site.mdb");
        m.NumParams = 5;
        for (int p = 1; p <= 5; ++p) {
            m.ParamTable[p][1] = QStringLiteral("P%1").arg(p);
            m.ParamTable[p][2] = QStringLiteral("mg/L");
            m.ParamTable[p][4] = QStringLiteral("0,100,10");
            m.ParamTable[p][6] = QStringLiteral("Parameter %1").arg(p);
        }
        reportHooks().previewPage = [this] { return handedOn(false); };
        reportHooks().printPage = [this] {
            handedOn(true);
            return true;
        };
    }

    PreviewResult handedOn(bool printed) {
        const GwGraph& g = gwgraph();
        pages.append({g.CurItem, g.CurPage, g.CurMap, printed});
        // Every page is whole when it is handed on: redrawing back on, landscape paper.
        EXPECT_TRUE(pageDrawing().Redraw());
        EXPECT_EQ(pageCanvas().PaperWidth, 11);
        EXPECT_EQ(pageCanvas().PaperHeight, 8.5f);
        return pages.size() == leaveOnPage ? PreviewResult::Left : PreviewResult::NextPage;
    }

    // "item/page" for table pages, "item/graph" for the graph page.
    QStringList wellSumPages() const {
        QStringList out;
        for (const Page& p : pages)
            out << QStringLiteral("%1/%2").arg(p.item).arg(p.page ? QString::number(p.page) : "graph");
        return out;
    }
    // "item/table" and "item/map m" for date summaries.
    QStringList dateSumPages() const {
        QStringList out;
        for (const Page& p : pages)
            out << QStringLiteral("%1/%2").arg(p.item).arg(p.map ? QStringLiteral("map %1").arg(p.map)
                                                                 : "table");
        return out;
    }
    QList<int> items() const {
        QList<int> out;
        for (const Page& p : pages)
            out << p.item;
        return out;
    }

    // Sources MW-1.. with the given number of records each, one a day, every parameter filled.
    void database(const QList<int>& recordCounts) {
        QFile::remove(modgw().DatabaseFile);
        SampleDb db;
        db.create(modgw().DatabaseFile, {"P1", "P2", "P3", "P4", "P5"});
        db.begin();
        for (int s = 0; s < recordCounts.size(); ++s)
            for (int r = 0; r < recordCounts[s]; ++r)
                db.insert({QStringLiteral("MW-%1").arg(s + 1),
                           QDate(1998, 1, 1).addDays(r).toString(Qt::ISODate), "", "7.1", "12", "3", "0.5",
                           "80"});
        db.commit();
        db.close();
    }

    void choose(int count) {
        GwGraph& g = gwgraph();
        g.NumSelected = int16_t(count);
        for (int i = 1; i <= count; ++i) {
            g.SelectedNames[i] = QStringLiteral("MW-%1").arg(i);
            g.SelectedIndex[i] = int16_t(i);
            g.SelectedParam[i] = int16_t(i);
        }
    }

    // A source summary of the sources in the database, every one chosen, printing as mode says.
    void wellSumRun(const QList<int>& recordCounts, const QString& mode) {
        database(recordCounts);
        WellSumDefinition def;
        def.NumWellList = int16_t(recordCounts.size());
        for (int i = 1; i <= def.NumWellList; ++i)
            def.WellList[i] = QStringLiteral("MW-%1").arg(i);
        def.WellSumGrid[1][1] = QStringLiteral("1");
        def.WellSumGrid[2][1] = QStringLiteral("2");
        def.WellSumInfo[1] = QStringLiteral("Plant");
        def.WellSumInfo[5] = mode;
        ModGW& m = modgw();
        m.WellSum = def;
        m.WellSumFile = dir + QStringLiteral("plant.wsf");
        writeWellSumFile(m.WellSumFile, def, m.ReportNotes);
        choose(def.NumWellList);
        ASSERT_TRUE(CreateWellData());
    }

    // A parameter summary of parameters 1..count over two sources.
    void parSumRun(int count) {
        database({3, 2});
        Par1SumDefinition def;
        def.Par1ParCount = int16_t(count);
        for (int i = 1; i <= count; ++i)
            def.Par1Params[i] = int16_t(i);
        def.Par1SourceCount = 2;
        def.Par1Sources[1] = QStringLiteral("MW-1");
        def.Par1Sources[2] = QStringLiteral("MW-2");
        ModGW& m = modgw();
        m.Par1Sum = def;
        m.Par1SumFile = dir + QStringLiteral("plant.psf");
        writePar1SumFile(m.Par1SumFile, def, m.ReportNotes);
        choose(count);
        ASSERT_TRUE(CreatePar1Data());
    }

    // A groundwater elevation report of `count` sets of two sources each.
    void gwElevRun(int count) {
        database({4, 4});
        ModGW& m = modgw();
        GWElevDefinition& def = m.GWElev;
        def.GWElevParameter = 5;
        def.GWElevKind = QStringLiteral("E");
        def.GWElevSetCount = int16_t(count);
        for (int t = 1; t <= count; ++t) {
            def.GWElevSetSources[t][1] = QStringLiteral("MW-1");
            def.GWElevSetSources[t][2] = QStringLiteral("MW-2");
            def.GWElevSetValues[t][1] = QStringLiteral("100");
            def.GWElevSetValues[t][2] = QStringLiteral("98");
            def.GWElevSetScales[t] = QStringLiteral("60,110,10");
        }
        m.GWElevFile = dir + QStringLiteral("plant.gwf");
        choose(count);
        ASSERT_TRUE(CreateGWElevData());
    }

    // A date summary of one parameter at one source over two episodes, with the given map lines
    // (parameter columns per map).
    void dateSumRun(const QStringList& maps) {
        database({3});
        ModGW& m = modgw();
        DateSumDefinition& def = m.DateSum;
        def = DateSumDefinition{};
        def.DateEpisodeCount = 2;
        def.DateEpisodes[1][1] = QStringLiteral("01/01/1998");
        def.DateEpisodes[2][1] = QStringLiteral("01/02/1998");
        def.DateEpisodes[1][2] = QStringLiteral("01/03/1998");
        def.DateEpisodes[2][2] = QStringLiteral("01/31/1998");
        def.DateParCount = 1;
        def.DateParams[1] = 1;
        def.DateSourceCount = 1;
        def.DateSources[1] = {"", "MW-1", "A", "50", "50"};
        def.DateInfo[1] = QStringLiteral("Plant");
        def.DateMapInfo[1] = def.DateMapInfo[2] = QStringLiteral("0,100,10");
        def.DateMapInfo[3] = QStringLiteral("ft");
        def.DateMapInfo[4] = QStringLiteral("1");
        for (int k = 0; k < maps.size(); ++k)
            def.DateMapInfo[5 + k] = maps[k];
        m.DateSumFile = dir + QStringLiteral("plant.dsf");
        choose(2);
        for (int i = 1; i <= 2; ++i)
            gwgraph().SelectedNames[i] = def.DateEpisodes[1][i] + " - " + def.DateEpisodes[2][i];
        ASSERT_TRUE(CreateDateData());
    }

    // A Stiff report of one parameter row and one source per set, run for `episodes` episodes.
    void stiffRun(int episodes) {
        database({2});
        ModGW& m = modgw();
        StiffDefinition& def = m.Stiff;
        def.StiffEpisodeCount = 2;
        for (int t = 1; t <= 2; ++t) {
            def.StiffEpisodes[1][t] = QStringLiteral("01/0%1/1998").arg(t);
            def.StiffEpisodes[2][t] = QStringLiteral("01/31/1998");
        }
        for (int s = 1; s <= 2; ++s) {
            def.StiffParams[s][1] = int16_t(s);
            def.StiffSources[s][1] = QStringLiteral("MW-1");
            def.StiffParCount[s] = 1;
            def.StiffSourceCount[s] = 1;
        }
        def.StiffInfo[1] = QStringLiteral("Plant");
        m.StiffFile = dir + QStringLiteral("plant.stf");
        choose(episodes);
        ASSERT_TRUE(CreateStiffData());
    }

    TempProgramFolder program;
    ScriptedUi ui;
    QString dir;
    QList<Page> pages;
    qsizetype leaveOnPage = -1;
};

} // namespace

// 39 rows a page and at least one: record 79 of 79 gets a page of its own.
TEST_F(Drivers, SourceSummaryTablePagesFollowTheRecordCount) {
    wellSumRun({0, 39, 40, 78, 79}, "T");
    wellsumstart();
    EXPECT_EQ(wellSumPages(), QStringList({"1/1", "2/1", "3/1", "3/2", "4/1", "4/2", "5/1", "5/2", "5/3"}));
}

TEST_F(Drivers, PrintChoiceOfTheSourceSummary) {
    wellSumRun({40, 1}, "T");
    wellsumstart();
    EXPECT_EQ(wellSumPages(), QStringList({"1/1", "1/2", "2/1"}));

    pages.clear();
    wellSumRun({40, 1}, "G");
    wellsumstart();
    EXPECT_EQ(wellSumPages(), QStringList({"1/graph", "2/graph"}));

    // "B", or anything else: the table pages, then the graph page.
    for (const QString mode : {"B", ""}) {
        SCOPED_TRACE(mode.toStdString());
        pages.clear();
        wellSumRun({40, 1}, mode);
        wellsumstart();
        EXPECT_EQ(wellSumPages(), QStringList({"1/1", "1/2", "1/graph", "2/1", "2/graph"}));
    }
}

TEST_F(Drivers, LeavingThePreviewEndsTheRun) {
    parSumRun(5);
    leaveOnPage = 2;
    EXPECT_EQ(parsumstart(), RunOutcome::Cancelled);
    EXPECT_EQ(items(), QList<int>({1, 2}));

    // On the first of a source's table pages: no further page of it, nor of any later source.
    pages.clear();
    wellSumRun({79, 3}, "B");
    leaveOnPage = 1;
    EXPECT_EQ(wellsumstart(), RunOutcome::Cancelled);
    EXPECT_EQ(wellSumPages(), QStringList({"1/1"}));
}

TEST_F(Drivers, APrintedRunPrintsEveryPageAndNeverPreviews) {
    gwElevRun(3);
    gwgraph().PrintToPrinter = 1;
    ui.file(dir + QStringLiteral("run.pdf"));
    leaveOnPage = 1; // a preview would leave; a printed page has no preview to leave
    EXPECT_EQ(gwelevstart(), RunOutcome::Done);
    EXPECT_EQ(items(), QList<int>({1, 2, 3}));
    for (const Page& p : pages)
        EXPECT_TRUE(p.printed);
}

// A printed run is one job: its pages, in run order, reach the PDF's name when the run completes; a
// run stopped at page 2, by the user (1) or a fault (2), leaves the earlier file.
TEST_F(Drivers, APrintedRunIsOneJobPutInPlaceOnlyWhenItCompletes) {
    for (const int stop : {0, 1, 2}) {
        wellSumRun({3, 2, 1}, "T");
        const QString pdf = dir + QStringLiteral("run.pdf");
        qtext::WriteBytes(pdf, "earlier");
        SystemPrinter().setOutputFileName(pdf);
        int printed = 0;
        reportHooks().printPage = [&] {
            const bool sent = PrintRunPage();
            EXPECT_EQ(qtext::ReadBytes(pdf), "earlier"); // the job is still open
            if (++printed == 2 && stop == 2) raiseError(qmerr::DiskFull);
            return sent && !(printed == 2 && stop == 1);
        };
        ui.file(pdf);
        if (stop == 2) ui.answer(vb::OK, "Error 61 in wellsumstart.  Please contact Kalvex");
        gwgraph().PrintToPrinter = 1;
        const RunOutcome outcomes[] = {RunOutcome::Done, RunOutcome::Cancelled, RunOutcome::Failed};
        EXPECT_EQ(wellsumstart(), outcomes[stop]);
        if (!stop) EXPECT_EQ(ui.fileRequests[0].fileName, pdf); // the name Print Setup gave, proposed first
        EXPECT_EQ(QDir(dir).entryList({"run.*"}), QStringList{"run.pdf"});
        EXPECT_EQ(PrintRunSummary(), stop ? "" : "3 pages printed to " + pdf);
        const QString text = stop ? qtext::ReadBytes(pdf) : pdfInfo(pdf, "Pages") + pdfText(pdf);
        const QRegularExpression inOrder("^3.*MW-1.*MW-2.*MW-3", QRegularExpression::DotMatchesEverythingOption);
        EXPECT_TRUE(stop ? text == "earlier" : inOrder.match(text).hasMatch()) << text.left(300).toStdString();
    }
}

// Every printed run to a PDF asks once where it goes, proposing the report and its one item in the
// project's folder, then in the last printed to; cancelled, it draws nothing. A printer asks nothing.
TEST_F(Drivers, EveryPrintedRunAsksOnceWhereItsPdfGoes) {
    const QString out = (modgw().DataFolder = dir) + QStringLiteral("out/");
    const std::tuple<QString, float, std::function<void()>> runs[] = {
        {"Source Summary MW-1", 2, [&] { wellSumRun({2}, "T"); wellsumstart(); }},
        {"Stiff Graph 01-01-1998 - 01-31-1998", 8,
         [&] { stiffRun(1); gwgraph().SelectedNames[1] = "01/01/1998 - 01/31/1998"; stiffstart(); }},
        {"Parameter Summary", 4, [&] { parSumRun(2); parsumstart(); }},
        {"Drawing", 0, [] { EXPECT_EQ(FilePrintDrawing({}), ""); }}};
    gwgraph().PrintToPrinter = 1;
    for (const auto& [title, code, run] : runs) {
        const bool cancel = ui.fileRequests.size() >= 2, first = ui.fileRequests.isEmpty();
        modgw().ReportCode = code;
        pages.clear();
        ui.file(cancel ? QString() : out + title);
        run();
        EXPECT_EQ(ui.fileRequests.last().fileName, (first ? dir : out) + title + QStringLiteral(".pdf"));
        EXPECT_EQ(pages.isEmpty(), cancel);
    }
    SystemPrinter().setOutputFormat(QPrinter::NativeFormat);
    if (SystemPrinter().outputFormat() == QPrinter::NativeFormat) wellsumstart();
    EXPECT_EQ(ui.fileRequests.size(), 4);
}

TEST_F(Drivers, EveryPageStartsSolidAtWidth4) {
    // The state a drawing window edit or an earlier page can leave: hairline dots.
    pageCanvas().CurrentLineType = 2;
    pageCanvas().CurrentLineWidth = 0;
    gwElevRun(1);
    bool framed = false;
    reportHooks().previewPage = [this, &framed] {
        const MDrawPro& d = pageDrawing();
        for (int i = 0; i < d.count() && !framed; ++i) {
            const draw::DrawObject& o = d.at(i);
            if (o.kind != draw::Line) continue;
            framed = true; // the frame's first line, drawn in the line state the page started with
            EXPECT_EQ(o.style.lineStyle, draw::Solid);
            EXPECT_EQ(o.style.lineWidth, 4);
        }
        return handedOn(false);
    };
    gwelevstart();
    EXPECT_EQ(pages.size(), 1);
    EXPECT_TRUE(framed);
}

TEST_F(Drivers, DateSummaryTablePageThenOnePagePerMap) {
    dateSumRun({});
    datesumstart();
    EXPECT_EQ(dateSumPages(), QStringList({"1/table", "2/table"}));

    pages.clear();
    dateSumRun({"1", "1"});
    datesumstart();
    EXPECT_EQ(dateSumPages(),
              QStringList({"1/table", "1/map 1", "1/map 2", "2/table", "2/map 1", "2/map 2"}));

    // Leaving on a map page ends the episode's maps and the run.
    pages.clear();
    leaveOnPage = 2;
    datesumstart();
    EXPECT_EQ(dateSumPages(), QStringList({"1/table", "1/map 1"}));
}

TEST_F(Drivers, StiffWithoutEpisodesReadsTheHeaderAndDrawsNothing) {
    stiffRun(0);
    stiffstart();
    EXPECT_TRUE(pages.isEmpty());
    EXPECT_TRUE(ui.texts.isEmpty());
}

// A run after one that faults ended part-way, in a page and then between pages, draws the pages a
// run on a fresh start draws.
class RunAfterAFault : public Drivers, public ::testing::WithParamInterface<int> {};

TEST_P(RunAfterAFault, DrawsThePagesOfAFreshRun) {
    const struct {
        const char* driverName;
        const char* pageName;
        std::function<void()> files;
        RunOutcome (*driver)();
    } kinds[] = {
        {"wellsumstart", "drawwellsumtable", [this] { wellSumRun({40, 1}, "B"); }, wellsumstart},
        {"parsumstart", "drawparsum", [this] { parSumRun(3); }, parsumstart},
        {"datesumstart", "drawdatesumtable", [this] { dateSumRun({"1"}); }, datesumstart},
        {"stiffstart", "drawstiff", [this] { stiffRun(2); }, stiffstart},
        {"gwelevstart", "drawgwelev", [this] { gwElevRun(2); }, gwelevstart},
    };
    const auto& kind = kinds[GetParam()];
    kind.files();
    QList<QStringList> drawn;
    bool fail = false;
    int steps = 0;
    reportHooks().showProgress = [&](const QString&) {
        if (fail && ++steps == 3) raiseError(qmerr::DiskFull);
    };
    reportHooks().previewPage = [&] {
        if (fail) raiseError(qmerr::DiskFull);
        drawn << draw::dumpDrawing(pageDrawing());
        return handedOn(false);
    };
    kind.driver();
    const QList<QStringList> fresh = std::exchange(drawn, {});
    ASSERT_GT(fresh.size(), 1);

    fail = true;
    for (const char* name : {kind.pageName, kind.driverName})
        ui.answer(vb::OK, QStringLiteral("Error 61 in %1.  Please contact Kalvex").arg(name));
    EXPECT_EQ(kind.driver(), RunOutcome::Failed);
    fail = false;
    kind.driver();
    EXPECT_EQ(drawn, fresh);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, RunAfterAFault, ::testing::Range(0, 5));

// A fault of ours in a page ends that page, still shown, and the run goes on; lack of memory there
// ends the run under the driver's name.
TEST_F(Drivers, APageTrapsOurFaultsAndLeavesLackOfMemoryToTheDriver) {
    for (const bool memory : {false, true}) {
        wellSumRun({3, 2, 1}, "T");
        pages.clear();
        int steps = 0;
        reportHooks().showProgress = [&](const QString&) {
            if (++steps == 3) memory ? throw std::bad_alloc() : raiseError(qmerr::DiskFull);
        };
        ui.answer(vb::OK, memory ? "Error 7 in wellsumstart.  Please contact Kalvex"
                                 : "Error 61 in drawwellsumtable.  Please contact Kalvex");
        wellsumstart();
        EXPECT_EQ(pages.size(), memory ? 0 : 3);
    }
}

TEST_F(Drivers, WithoutTheRunFileNothingIsDrawn) {
    // The run file of a run before: the run must not draw it again.
    parSumRun(2);
    QFile::remove(rundata::RunFilePath());
    ui.answer(vb::OK, "getheadingdata");
    parsumstart();
    EXPECT_TRUE(pages.isEmpty());
}

TEST_F(Drivers, AFailedFormatReaderEndsTheRunAndAFailedItemReaderSkipsTheItem) {
    wellSumRun({2, 2}, "B");
    QFile::remove(modgw().WellSumFile);
    ui.answer(vb::OK, "getwellsumformat");
    wellsumstart();
    EXPECT_TRUE(pages.isEmpty());

    // The run file counts three parameters, the data file holds two: the third is not drawn,
    // neither from the second's data nor from none.
    parSumRun(2);
    writeRaw(rundata::RunFilePath(), (modgw().Par1SumFile + "\r\n3\r\n").toUtf8());
    ui.answer(vb::OK, "getparsumdata");
    parsumstart();
    EXPECT_EQ(items(), QList<int>({1, 2}));
}

namespace {

// The demo project at its longest: 10-character source names, 40-character parameter names with longer
// units and headings, 8-character values, six-digit coordinates on a 250 grid (sources on the maps' grid
// lines), each one-line note three paragraphs as the notes editor stores them, wider than a notes box.
void lengthenDemo(const QString& folder) {
    static const QRegularExpression source(R"(\b(MW|PZ|SW)-(\d)\b)"), place(R"(^\d{3,4}(,\d{4})?(,\d+)?$)");
    static const QRegularExpression oneNote(R"((?<=^|\n) *1 *\n[^\n]*\.\x{B6}?(?=\n|$))");
    const QString notes = "9\nSamples were taken by low-flow purging \nafter the water level had been measured and \n"
                          "the field readings were steady.\u00B6\nA value below the reporting limit shows that \n"
                          "limit after a less-than sign; a dash marks a \nparameter that was not analysed.\u00B6\n"
                          "MW-3 and MW-5 were redeveloped in May 1999 \nand resampled; their earlier results are \n"
                          "kept for comparison.\u00B6";
    const auto coordinate = [](QString v) { return QString::number(100000 + qRound(v.toDouble() / 250) * 250); };
    QMap<QString, QString> longNames; // filled from the project file, which goes first
    for (const QString name : {"millbrook.qlp", "millbrook.txt", "millbrook.wsf", "millbrook.psf",
                               "millbrook.dsf", "millbrook.stf", "millbrook.gwf", "plume.dcf"}) {
        const QChar separator = name.endsWith("txt") ? u'\t' : u'|';
        QStringList lines;
        for (QString line : qtext::ReadLines(folder + name)) {
            QStringList f = longNames.value(line, line).replace(source, "\\1-\\2-NORTH").split(separator);
            if (f.size() == 4) { // a source: name, x, y, reference elevation
                f = {f[0], coordinate(f[1]), coordinate(f[2]), f[3]};
            } else if (f.size() == 10) { // a parameter: the full name becomes the first heading line
                longNames[f[5]] = (f[5] + ", total recoverable, as reported by the lab").left(40);
                f[1] += " filtered";
                f[6] = std::exchange(f[5], longNames[f[5]]);
            } else if (f.size() > 10) { // a record: numbers written to eight characters
                for (qsizetype k = 3; k < f.size(); ++k) {
                    const bool less = f[k].startsWith(u'<');
                    bool number = false;
                    const double v = f[k].mid(less ? 1 : 0).toDouble(&number);
                    if (number) f[k] = (less ? "<" : "") + QString::number(v, 'f', 7).left(less ? 7 : 8);
                }
            } else if (!name.endsWith("wsf") && place.match(line).hasMatch()) { // map positions, limits
                f = line.split(u',');
                for (qsizetype k = 0; k < std::min<qsizetype>(f.size(), 2); ++k) f[k] = coordinate(f[k]);
                f = QStringList{f.join(u',')};
            }
            lines << f.join(separator);
        }
        qtext::WriteLines(folder + name, QStringList{lines.join(u'\n').replace(oneNote, notes)});
    }
}

// Printed runs of every kind over the demo project as it ships and lengthened: its definitions, its
// database and the program folder's heading and logo files. Each page goes through PrintDrawArea into a
// PDF of its own, in the folder QMAR_DEMO_PDF names (to be looked at, with the contour map) or another.
class DemoRuns : public ProgramStateTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        ASSERT_TRUE(SeedProgramFolder(0));
        ModGW& m = modgw();
        m.ProjectFile = program.file("demo/millbrook.qlp");
        m.DatabaseFile = program.file("demo/millbrook.mdb");
        if (!QFile::exists(m.DatabaseFile)) GTEST_SKIP() << "the demo database is built with the program";
        m.DataFolder = program.file("demo/");
        if (GetParam()) lengthenDemo(m.DataFolder);
        ASSERT_TRUE(OpenProjectInfo());
        if (GetParam()) { // its records stored anew
            ASSERT_TRUE(QFile::remove(m.DatabaseFile) && CreateDb());
            const QString records = m.DataFolder + "millbrook.txt";
            ASSERT_TRUE(exchange::ImportRecords(records, exchange::Tab, m.DatabaseFile, m.NumParams).done);
        }
        m.HeadingFile = program.file("usqmar.qlh");
        m.DateStampOption = QStringLiteral("2");
        out = qEnvironmentVariable("QMAR_DEMO_PDF");
        if (out.isEmpty()) out = program.file("pdf");
        QDir().mkpath(out);
        reportHooks().previewPage = [] {
            ADD_FAILURE() << "a printed run previewed a page";
            return PreviewResult::Left;
        };
        reportHooks().printPage = [this] {
            SystemPrinter().setOutputFormat(QPrinter::PdfFormat);
            SystemPrinter().setOutputFileName(
                QStringLiteral("%1/%2-%3.pdf").arg(out, kind).arg(++printed, 2, 10, QChar(u'0')));
            EXPECT_TRUE(pageIsClear()) << kind.toStdString() << " page " << printed;
            PrintDrawArea();
            return true;
        };
        gwgraph().PrintToPrinter = 1;
    }

    // Every item of the definition chosen, the run-data step, then the driver.
    int run(const QString& name, int items, bool (*step)(), RunOutcome (*driver)()) {
        kind = GetParam() ? "long-" + name : name;
        printed = 0;
        GwGraph& g = gwgraph();
        g.NumSelected = int16_t(items);
        for (int i = 1; i <= items; ++i)
            g.SelectedIndex[i] = int16_t(i);
        EXPECT_TRUE(step());
        ui.file(out + QStringLiteral("/run.pdf")); // the run's own job, which the pages bypass
        EXPECT_EQ(driver(), RunOutcome::Done) << name.toStdString();
        return printed;
    }
    QStringList itemNames(float code) {
        const QStringList list = RunDialogItems(code);
        for (int i = 1; i <= list.size(); ++i) {
            gwgraph().SelectedNames[i] = list[i - 1];
            gwgraph().SelectedParam[i] = modgw().Par1Sum.Par1Params[i];
        }
        return list;
    }

    TempProgramFolder program;
    ScriptedUi ui;
    QString out;
    QString kind;
    int printed = 0;
};

} // namespace

INSTANTIATE_TEST_SUITE_P(ShippedAndLong, DemoRuns, ::testing::Bool());

TEST_P(DemoRuns, EveryKindPrintsOnePagePerItemAndPage) {
    ModGW& m = modgw();
    // Source summary: per source its 39-row table pages and the graph page, as the definition says.
    m.WellSumFile = program.file("demo/millbrook.wsf");
    ASSERT_TRUE(OpenWellFile());
    const int sources = int(itemNames(2).size());
    const int wellSumPages = run("wellsum", sources, CreateWellData, wellsumstart);
    int expected = 0;
    const QStringList data = qtext::ReadLines(rundata::DataFilePath(m.WellSumFile, "WSD"));
    for (int line = 0, s = 0; s < sources; ++s) {
        const int n = data.value(line + 2).toInt();
        expected += WellSumTablePages(n) + (m.WellSum.WellSumInfo[5].toUpper() == "T" ? 0 : 1);
        line += 3 + n;
        line += 1 + data.value(line).toInt();
    }
    EXPECT_GT(sources, 0);
    EXPECT_EQ(wellSumPages, expected);

    m.Par1SumFile = program.file("demo/millbrook.psf");
    ASSERT_TRUE(OpenPar1File());
    const int params = int(itemNames(4).size());
    EXPECT_GT(params, 0);
    EXPECT_EQ(run("parsum", params, CreatePar1Data, parsumstart), params);

    // Date summary: per episode its table page and one page per map.
    m.DateSumFile = program.file("demo/millbrook.dsf");
    ASSERT_TRUE(OpenDateFile());
    const int episodes = int(itemNames(6).size());
    int maps = 0;
    while (maps < 10 && !m.DateSum.DateMapInfo[5 + maps].isEmpty())
        ++maps;
    EXPECT_GT(episodes, 0);
    EXPECT_EQ(run("datesum", episodes, CreateDateData, datesumstart), episodes * (1 + maps));

    m.StiffFile = program.file("demo/millbrook.stf");
    ASSERT_TRUE(OpenStiffFile());
    TakeStiffRowCounts(StiffGridsOf(m.Stiff, m), m.Stiff);
    const int stiffEpisodes = int(itemNames(8).size());
    EXPECT_GT(stiffEpisodes, 0);
    EXPECT_EQ(run("stiff", stiffEpisodes, CreateStiffData, stiffstart), stiffEpisodes);

    m.GWElevFile = program.file("demo/millbrook.gwf");
    ASSERT_TRUE(OpenGWElevFile());
    const int sets = int(itemNames(10).size());
    EXPECT_GT(sets, 0);
    EXPECT_EQ(run("gwelev", sets, CreateGWElevData, gwelevstart), sets);

    EXPECT_EQ(ui.texts, QStringList(5, "Print to File")) << ui.texts.join("\n").toStdString(); // no message
}

TEST_P(DemoRuns, ContourMapKeepsItsTextsInsideTheFrame) {
    modgw().DateSumFile = program.file("demo/plume.dcf");
    ASSERT_TRUE(OpenDateContourFile());
    if (GetParam()) modgw().DateSum.DateInfo[1] += QStringLiteral(" and the North Extension"); // 57 characters
    modgw().ContourFileTitle = ContourFileTitleOf(modgw().DateSumFile);
    contour::setApplication(nullptr);
    ASSERT_TRUE(CreateDateContourData());
    RunContourMaps();
    const MDrawPro& plot = contour::engine().documents().back()->drawing();
    draw::writePng(plot, out + (GetParam() ? "/long-contour.png" : "/contour.png"), 100);
    // 0.03 inside the border 0.5 inch in; the last label under the map 0.05 clear of the column at 8.3.
    EXPECT_TRUE(pageIsClear(plot, QRectF(318, 318, 5964, 4464)));
    for (int i = 0; i < plot.count(); ++i)
        if (plot.at(i).text == (GetParam() ? "103500" : "3500"))
            EXPECT_LE(draw::textInkBounds(plot.at(i)).right(), 4950);
}
