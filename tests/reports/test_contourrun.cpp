// SPDX-License-Identifier: GPL-3.0-or-later
// The date contour maps against the recording engine: the calls, their order and their arguments.
// Places are inches from the page's lower left corner; the expected numbers are worked out by hand
// from the definition each test sets up (wide limits 0..1000 by 0..500 make one map 7.3 wide and
// 500 x 6.9 / 1000 = 3.45 high, its top 0.7 + 3.45 = 4.15, its caption at 0.8 + 7.3 / 2 = 4.45 and
// 4.15 + 0.15 + 0.05 = 4.35). At the end, the run on the fixture site through the form's hook, and
// once on the program's own engine.
#include "platform/contour/plotdoc.h"
#include "platform/contour/plotshape.h"
#include "project/importexport.h"
#include "project/modgw.h"
#include "project/projectfile.h"
#include "project/sampledbops.h"
#include "reportdefs/windowhooks.h"
#include "reports/contourrun.h"
#include "reports/drawprint.h"
#include "pagefixture.h"
#include "support/contourrecorder.h"
#include "support/pdftools.h"
#include "support/programstate.h"
#include "support/scriptedui.h"
#include "support/testenv.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>
#include <memory>

namespace {

// One parameter (Lead) of the fixture's four; wide limits, Kriging, filled, plan view; a text logo.
class ContourRun : public ProgramStateTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFile::copy(QStringLiteral(QMAR_RESOURCE_DIR "/usqmar.qlh"), program.file("usqmar.qlh")));
        logo("Riverside Labs", "Water Quality", "Section 4", "0", "");
        dir = program.path() + QStringLiteral("proj/");
        QDir().mkpath(dir);
        ModGW& g = modgw();
        g.DataFolder = dir;
        g.DateSumFile = dir + QStringLiteral("site.dcf");
        g.ContourFileTitle = QStringLiteral("SITE.DCF");
        g.NumParams = 4;
        const QStringList names{"pH", "Cond", "Lead", "Level"};
        const QStringList full{"pH Value", "Conductivity", "Lead, total", "Water Level"};
        for (int p = 1; p <= 4; ++p) {
            g.ParamTable[p][1] = names[p - 1];
            g.ParamTable[p][6] = full[p - 1];
        }
        const QStringList client{"Riverside Plating Works", "", "1450 Industrial Way", "Riverside", "Not shown"};
        for (int k = 1; k <= client.size(); ++k) g.ClientInfo[k] = client[k - 1];
        auto& d = g.DateSum;
        const QStringList info{"Riverside Plating", "  Lead Plume", "", "   ", "03/01/1998,03/31/1998", "Page 1"};
        for (int k = 1; k <= 6; ++k) d.DateInfo[k] = info[k - 1];
        map({"", "0,1000", "0,500", "Kriging", "Proportional", "Y", "2D"});
        params({3});
        auto& n = g.ReportNotes;
        n.GeneralNoteCount = 3;
        n.GeneralNotes[1] = QStringLiteral("Values in mg/L");
        n.GeneralNotes[3] = QStringLiteral("ND = not detected");
    }

    void logo(const char* l1, const char* l2, const char* l3, const char* kind, const char* file) {
        writeRaw(program.file("logo.txt"), QByteArray(l1) + "\r\n" + l2 + "\r\n" + l3 + "\r\n" + kind + "\r\n" +
                                               file + "\r\n12\r\n10\r\n8\r\n");
    }
    static void map(const QStringList& rows) {
        for (int k = 1; k <= rows.size(); ++k) modgw().DateSum.DateMapInfo[k] = rows[k - 1];
    }
    static void params(const QList<int>& ps) {
        auto& d = modgw().DateSum;
        d.DateParCount = int16_t(ps.size());
        for (int j = 1; j <= ps.size(); ++j) d.DateParams[j] = int16_t(ps[j - 1]);
    }

    // The line that starts with start (the skip + 1st such line) and the n - 1 after it; empty when
    // there is none.
    QStringList from(const QString& start, int n, int skip = 0) const {
        for (int i = 0; i < rec->calls.size(); ++i)
            if (rec->calls[i].startsWith(start) && skip-- == 0) return rec->calls.mid(i, n);
        return {};
    }
    QStringList matching(const QString& part) const { return rec->calls.filter(part); }
    QString gridData(const QString& file, const QString& limits, int algorithm, const QString& grid) const {
        return QStringLiteral("GridData(DataFile=\"%1%2\", %3Algorithm=%4, ShowReport=false, OutGrid=\"%1%5\")")
            .arg(dir, file, limits)
            .arg(algorithm)
            .arg(grid);
    }

    // A new recorder numbers its shapes from 1 again.
    void fresh() {
        rec.reset();
        rec = std::make_unique<ContourRecorder>();
    }

    TempProgramFolder program;
    ScriptedUi ui;
    std::unique_ptr<ContourRecorder> rec = std::make_unique<ContourRecorder>();
    QString dir;
};

TEST_F(ContourRun, OneParameterFromFrameToRedraw) {
    writeRaw(dir + "SITE.GRD", "an earlier run's grid");
    RunContourMaps();
    EXPECT_FALSE(QFile::exists(dir + "SITE.GRD"));
    const QString size8 = QStringLiteral("shape %1.Font.Size = 8");
    QStringList expected{"Application.WindowState = 1", "Application.Visible = true", "Documents.Add",
                         "Window.AutoRedraw = false", "Window.WindowState = 1", "PageSetup.Orientation = 2",
                         "Shapes.AddRectangle(0.5, 8, 10.5, 0.5) = shape 1",
                         "Shapes.AddRectangle(8.3, 8, 10.5, 0.5) = shape 2",
                         "Shapes.AddText(8.4, 7.9, \"NOTES\") = shape 3", size8.arg(3),
                         "Shapes.AddText(8.4, 7.7, \"Values in mg/L\") = shape 4", size8.arg(4),
                         "Shapes.AddText(8.4, 7.46, \"ND = not detected\") = shape 5", size8.arg(5),
                         "Shapes.AddPolyline(8.3, 1.25, 10.5, 1.25) = shape 6",
                         "Shapes.AddPolyline(8.3, 2, 10.5, 2) = shape 7"};
    auto centred = [&](const QString& add, int shape, const char* size) {
        expected << add + QStringLiteral(" = shape %1").arg(shape);
        if (size) expected << QStringLiteral("shape %1.Font.Size = %2").arg(shape).arg(QLatin1String(size));
        expected << QStringLiteral("shape %1.Font.HAlign = 2").arg(shape)
                 << QStringLiteral("shape %1.Font.VAlign = 4").arg(shape);
    };
    centred("Shapes.AddText(9.4, 1.85, \"Riverside Plating Works\")", 8, "8");
    centred("Shapes.AddText(9.4, 1.55, \"1450 Industrial Way\")", 9, "8");
    centred("Shapes.AddText(9.4, 1.4, \"Riverside\")", 10, "8");
    expected << "Shapes.AddPolyline(8.3, 2.9, 10.5, 2.9) = shape 11";
    centred("Shapes.AddText(9.4, 2.75, \"Lead Plume\")", 12, "8");
    centred("Shapes.AddText(9.4, 2.3, \"03/01/1998 - 03/31/1998\")", 13, "8");
    centred("Shapes.AddText(9.4, 2.15, \"Page 1\")", 14, "8");
    expected << "Shapes.AddPolyline(8.3, 3.1, 10.5, 3.1) = shape 15";
    centred("Shapes.AddText(9.4, 3, \"Riverside Plating\")", 16, nullptr);
    centred("Shapes.AddText(9.4, 1.075, \"Riverside Labs\")", 17, "12");
    centred("Shapes.AddText(9.4, 0.925, \"Water Quality\")", 18, "10");
    centred("Shapes.AddText(9.4, 0.725, \"Section 4\")", 19, "8");
    expected << gridData("SITE.TXT", "xMin=0, xMax=1000, yMin=0, yMax=500, ", 2, "SITE.GRD")
             << QStringLiteral("Shapes.AddContourMap(\"%1SITE.GRD\") = shape 20").arg(dir) << "shape 20.Width = 7.3"
             << "shape 20.Height = 3.45" << "shape 20.left = 0.8" << "shape 20.top = 4.15"
             << "shape 20.Overlays(1).FillContours = true";
    centred("Shapes.AddText(4.45, 4.35, \"Lead, total\")", 21, "24");
    expected << "Window.AutoRedraw = true";
    EXPECT_EQ(rec->calls, expected);
    EXPECT_TRUE(ui.texts.isEmpty()) << ui.texts.join(u'|').toStdString();
}

TEST_F(ContourRun, ReversedLimitsAreReportedAndSwapped) {
    map({"", "1000,0", "500,0"});
    ui.answer(vb::OK, "Your X maximum value is less than your X minumum value.")
        .answer(vb::OK, "Your Y maximum value is less than your Y minumum value.");
    RunContourMaps();
    EXPECT_EQ(matching("GridData"), QStringList{gridData("SITE.TXT", "xMin=0, xMax=1000, yMin=0, yMax=500, ", 2,
                                                          "SITE.GRD")});
    EXPECT_EQ(from("shape 20.", 4),
              QStringList({"shape 20.Width = 7.3", "shape 20.Height = 3.45", "shape 20.left = 0.8", "shape 20.top = 4.15"}));
}

// Limits carry whether they were given: -1 is a limit like any other. Without one axis's limits, or
// with an axis of no length, the map takes the whole place; so it does when exaggerated.
TEST_F(ContourRun, LimitsAndAspect) {
    const QString wholePlace = "shape 20.Width = 7.3|shape 20.Height = 6.9|shape 20.left = 0.8|shape 20.top = 7.6";
    struct Case {
        const char *x, *y, *scale, *limits, *box;
    } cases[] = {
        {"-1,100", "0,50", "", "xMin=-1, xMax=100, yMin=0, yMax=50, ",
         "shape 20.Width = 7.3|shape 20.Height = 3.41584|shape 20.left = 0.8|shape 20.top = 4.11584"},
        {"0-1000", "0,500", "", "", nullptr},
        {"0,1000", "500", "", "", nullptr},
        {"0,1000", "", "", "", nullptr},
        {"-1000,0", "0,500", "", "xMin=-1000, xMax=0, yMin=0, yMax=500, ", nullptr},
        {"0,1000", "5,5", "", "xMin=0, xMax=1000, yMin=5, yMax=5, ", nullptr},
        {"0,1000", "0,500", "Exaggerated", "xMin=0, xMax=1000, yMin=0, yMax=500, ", nullptr},
        {"0,1000", "0,500", "exaggerated", "xMin=0, xMax=1000, yMin=0, yMax=500, ",
         "shape 20.Width = 7.3|shape 20.Height = 3.45|shape 20.left = 0.8|shape 20.top = 4.15"},
        // Taller than wide: 6.9 high, 500 x 7.3 / 1000 = 3.65 wide, centred on 3.9.
        {"0,500", "0,1000", "", "xMin=0, xMax=500, yMin=0, yMax=1000, ",
         "shape 20.Width = 3.65|shape 20.Height = 6.9|shape 20.left = 2.075|shape 20.top = 7.6"},
    };
    for (const Case& c : cases) {
        fresh();
        map({"", c.x, c.y, "Kriging", c.scale});
        RunContourMaps();
        const std::string which = std::string(c.x) + " / " + c.y + " " + c.scale;
        EXPECT_EQ(matching("GridData"), QStringList{gridData("SITE.TXT", c.limits, 2, "SITE.GRD")}) << which;
        EXPECT_EQ(from("shape 20.", 4).join(u'|').toStdString(), (c.box ? QString::fromLatin1(c.box) : wholePlace).toStdString())
            << which;
    }
}

TEST_F(ContourRun, GriddingMethodByItsExactName) {
    const std::pair<const char*, int> methods[] = {{"Inverse Distance", 1},
                                                   {"Natural Neighbor", 5},
                                                   {"Triangulation with Linear Interpolation", 9},
                                                   {"kriging", 0},
                                                   {"", 0}};
    for (const auto& [name, algorithm] : methods) {
        fresh();
        modgw().DateSum.DateMapInfo[4] = QString::fromLatin1(name);
        RunContourMaps();
        EXPECT_EQ(matching("GridData"), QStringList{gridData("SITE.TXT", "xMin=0, xMax=1000, yMin=0, yMax=500, ",
                                                              algorithm, "SITE.GRD")})
            << name;
    }
}

// Four maps in the order chosen, files named F2 to F4 after the first; captions 12 points, 0.15
// above each map. Wide: 3.4 by 500 x 3.4 / 1000 = 1.7, tops 4.45 + 1.7 and 0.7 + 1.7.
TEST_F(ContourRun, TwoToFourMapsTakeTheirPlaces) {
    params({3, 1, 2, 4});
    map({"", "0,1000", "0,500", "Kriging", "Proportional", "N"});
    RunContourMaps();
    const QString limits = "xMin=0, xMax=1000, yMin=0, yMax=500, ";
    EXPECT_EQ(matching("GridData"),
              QStringList({gridData("SITE.TXT", limits, 2, "SITE.GRD"), gridData("F2.TXT", limits, 2, "F2.GRD"),
                           gridData("F3.TXT", limits, 2, "F3.GRD"), gridData("F4.TXT", limits, 2, "F4.GRD")}));
    EXPECT_TRUE(matching("FillContours").isEmpty());
    const char* places[][3] = {{"0.75", "6.15", "Lead, total"},
                               {"4.7", "6.15", "pH Value"},
                               {"0.75", "2.4", "Conductivity"},
                               {"4.7", "2.4", "Water Level"}};
    const char* captions[] = {"2.45, 6.3", "6.4, 6.3", "2.45, 2.55", "6.4, 2.55"};
    for (int k = 0; k < 4; ++k) {
        const QStringList calls = from("Shapes.AddContourMap", 9, k);
        ASSERT_EQ(calls.size(), 9) << k;
        const QString shape = calls[0].section(QStringLiteral(" = "), 1);
        EXPECT_EQ(calls.mid(1, 4), QStringList({shape + ".Width = 3.4", shape + ".Height = 1.7",
                                                shape + ".left = " + places[k][0], shape + ".top = " + places[k][1]}));
        EXPECT_TRUE(calls[5].startsWith(QStringLiteral("Shapes.AddText(%1, \"%2\")").arg(captions[k], places[k][2])))
            << calls[5].toStdString();
        EXPECT_TRUE(calls[6].endsWith(".Font.Size = 12"));
    }
    // Free aspect: the four quarters; taller than wide: 3.15 high, 500 x 3.15 / 1000 = 1.575 wide,
    // the left-hand maps ending at 4.15.
    params({3, 1});
    for (const auto& [x, y, boxes] :
         {std::tuple{"0,1000", "", "3.4 3.15 0.75 7.5|3.4 3.15 4.7 7.5"},
          std::tuple{"0,500", "0,1000", "1.575 3.15 2.575 7.6|1.575 3.15 4.7 7.6"}}) {
        fresh();
        map({"", x, y});
        RunContourMaps();
        QStringList got;
        for (int k = 0; k < 2; ++k) {
            QStringList values;
            for (const QString& line : from("Shapes.AddContourMap", 5, k).mid(1))
                values << line.section(QStringLiteral(" = "), 1);
            got << values.join(u' ');
        }
        EXPECT_EQ(got.join(u'|'), QString::fromLatin1(boxes)) << x << " / " << y;
    }
}

// A single map turned: read back after the turn, held within 7.3 by 3.5 and centred on (4.4, 5.75);
// the wireframe below, 1.4 times as high, its top raised so that its foot stays 0.6 above the page
// edge; the caption at the upper left. Turned, the recorder's map reads back 8 by 5: 5.6 by 3.5.
TEST_F(ContourRun, ThreeDimensionalView) {
    rec->viewedSize = QSizeF(8, 5);
    map({"", "0,1000", "0,500", "Kriging", "", "N", "3D"});
    RunContourMaps();
    const QString grid = dir + "SITE.GRD";
    EXPECT_EQ(from("Shapes.AddContourMap", 24),
              QStringList({"Shapes.AddContourMap(\"" + grid + "\") = shape 20", "shape 20.Width = 7.3",
                           "shape 20.Height = 3.45", "shape 20.left = 0.8", "shape 20.top = 4.15",
                           "shape 20.ViewRotation = 45", "shape 20.ViewTilt = 30", "shape 20.Width = 5.6",
                           "shape 20.Height = 3.5", "shape 20.top = 7.5", "shape 20.left = 1.6",
                           "Shapes.AddWireFrame(\"" + grid + "\") = shape 21", "shape 21.ViewRotation = 45",
                           "shape 21.ViewTilt = 30", "shape 21.Width = 5.6", "shape 21.Height = 4.9",
                           "shape 21.top = 4.7", "shape 21.top = 5.5", "shape 21.left = 1.6",
                           "Shapes.AddText(1, 7.5, \"Lead, total\") = shape 22", "shape 22.Font.Size = 24",
                           "shape 22.Font.HAlign = 1", "shape 22.Font.VAlign = 4", "Window.AutoRedraw = true"}));

    // Wider than 7.3 after the turn: 10 by 3 becomes 7.3 by 2.19; the wireframe's foot is clear.
    struct Case {
        const char* view;
        int maps;
        const char* turn;
    } cases[] = {{"3D,60,20", 1, "shape 20.ViewRotation = 60|shape 20.ViewTilt = 20|shape 20.Width = 7.3|"
                                "shape 20.Height = 2.19|shape 20.top = 6.845|shape 20.left = 0.75"},
                 {"3d", 1, nullptr},
                 {"3D", 2, nullptr},
                 {"3D,60,20", 2, nullptr},
                 {"2D,60,20", 1, nullptr}};
    for (const Case& c : cases) {
        fresh();
        rec->viewedSize = QSizeF(10, 3);
        map({"", "0,1000", "0,500", "Kriging", "", "N", c.view});
        params(c.maps == 1 ? QList<int>{3} : QList<int>{3, 1});
        RunContourMaps();
        if (!c.turn) {
            EXPECT_TRUE(matching("View").isEmpty()) << c.view;
            EXPECT_TRUE(matching("AddWireFrame").isEmpty()) << c.view;
            continue;
        }
        EXPECT_EQ(from("shape 20.ViewRotation", 6).join(u'|').toStdString(), c.turn);
        EXPECT_EQ(from("shape 21.", 6).join(u'|').toStdString(),
                  "shape 21.ViewRotation = 60|shape 21.ViewTilt = 20|shape 21.Width = 7.3|shape 21.Height = 3.066|"
                  "shape 21.top = 3.783|shape 21.left = 0.75");
    }
}

// A base map in the data folder lies on the contour map, placed and turned alike; a missing one is
// passed over without a word.
TEST_F(ContourRun, BaseMapOnTheContourMap) {
    writeRaw(dir + "roads.dxf", "0\r\nEOF\r\n");
    map({"roads.dxf"});
    RunContourMaps();
    EXPECT_EQ(from("Shapes.AddBaseMap", 5),
              QStringList({"Shapes.AddBaseMap(\"" + dir + "roads.dxf\") = shape 21", "shape 21.Width = 7.3",
                           "shape 21.Height = 3.45", "shape 21.left = 0.8", "shape 21.top = 4.15"}));
    fresh();
    rec->viewedSize = QSizeF(8, 5);
    map({"roads.dxf", "0,1000", "0,500", "Kriging", "", "N", "3D"});
    RunContourMaps();
    EXPECT_EQ(from("Shapes.AddBaseMap", 11).mid(5).join(u'|').toStdString(),
              "shape 21.ViewRotation = 45|shape 21.ViewTilt = 30|shape 21.Width = 5.6|shape 21.Height = 3.5|"
              "shape 21.top = 7.5|shape 21.left = 1.6");
    for (const char* missing : {"", "rivers.dxf"}) {
        fresh();
        map({missing});
        RunContourMaps();
        EXPECT_TRUE(matching("AddBaseMap").isEmpty()) << missing;
    }
}

// Empty notes keep their line's place, empty client lines theirs; blank titles and no main title
// add nothing; without a "," the episode shows as typed.
TEST_F(ContourRun, EmptyLinesKeepTheirPlaces) {
    ModGW& g = modgw();
    g.ReportNotes.GeneralNoteCount = 4;
    g.ReportNotes.GeneralNotes = {};
    g.ReportNotes.GeneralNotes[4] = QStringLiteral("Fourth");
    g.ClientInfo = {};
    g.ClientInfo[4] = QStringLiteral("Only line 4");
    g.DateSum.DateInfo = {};
    g.DateSum.DateInfo[5] = QStringLiteral(" 03/21/1998");
    logo("", "", "", "0", "");
    RunContourMaps();
    EXPECT_EQ(matching("AddText"), QStringList({"Shapes.AddText(8.4, 7.9, \"NOTES\") = shape 3",
                                                "Shapes.AddText(8.4, 7.34, \"Fourth\") = shape 4",
                                                "Shapes.AddText(9.4, 1.4, \"Only line 4\") = shape 7",
                                                "Shapes.AddText(9.4, 2.3, \"03/21/1998\") = shape 9",
                                                "Shapes.AddText(4.45, 4.35, \"Lead, total\") = shape 12"}));
}

// A text logo sits in the column under the client box, its extra gap above line 1 when line 2 is
// empty; a bitmap logo is imported from the program folder unless its path is absolute.
TEST_F(ContourRun, Logos) {
    logo("Riverside Labs", "", "Section 4", "0", "missing.bmp");
    RunContourMaps();
    EXPECT_EQ(matching("\"Riverside Labs\"") + matching("\"Section 4\""),
              QStringList({"Shapes.AddText(9.4, 1.025, \"Riverside Labs\") = shape 17",
                           "Shapes.AddText(9.4, 0.725, \"Section 4\") = shape 18"}));

    QImage(20, 10, QImage::Format_RGB32).save(program.file("Logo.BMP"), "BMP");
    const QString elsewhere = dir + "firm.bmp";
    QImage(20, 10, QImage::Format_RGB32).save(elsewhere, "BMP");
    const struct {
        QString file, imported;
    } found[] = {{"logo.bmp", program.file("Logo.BMP")}, {elsewhere, elsewhere},
                 {QString(elsewhere).replace(u'/', u'\\'), elsewhere}};
    for (const auto& f : found) {
        fresh();
        logo("Riverside Labs", "", "", "1", f.file.toUtf8().constData());
        RunContourMaps();
        const QStringList calls = from("Document.Import", 5);
        ASSERT_EQ(calls.size(), 5) << f.file.toStdString();
        EXPECT_EQ(calls[0].toStdString(), ("Document.Import(FileName=\"" + f.imported + "\") = shape 17").toStdString());
        EXPECT_EQ(calls.mid(1).join(u'|').toStdString(),
                  "shape 17.left = 8.35|shape 17.top = 1.2|shape 17.Height = 0.65|shape 17.Width = 2.1");
        EXPECT_TRUE(matching("Riverside Labs").isEmpty());
    }
    fresh();
    logo("", "", "", "1", "logos\\none.bmp");
    ui.answer(vb::OK, "Logo File was not found: " + program.file("logos/none.bmp"));
    RunContourMaps();
    EXPECT_TRUE(matching("Import").isEmpty());
    EXPECT_FALSE(matching("AddContourMap").isEmpty());
}

// A parameter whose data cannot be gridded, or whose grid cannot be drawn, is reported and left
// out; the other parameters are drawn, and no earlier grid stands in for the missing one.
TEST_F(ContourRun, AParameterThatCannotBeGriddedIsLeftOut) {
    params({3, 1});
    writeRaw(dir + "SITE.GRD", "an earlier run's grid");
    rec->failing << "GridData";
    ui.answer(vb::OK, "Could not grid " + dir + "SITE.TXT: GridData set to fail.")
        .answer(vb::OK, "Could not grid " + dir + "F2.TXT: GridData set to fail.");
    RunContourMaps();
    EXPECT_FALSE(QFile::exists(dir + "SITE.GRD"));
    EXPECT_TRUE(matching("AddContourMap").isEmpty());
    EXPECT_TRUE(matching("Lead, total").isEmpty());
    EXPECT_EQ(rec->calls.last(), "Window.AutoRedraw = true");

    fresh();
    rec->failing = QStringList{"AddContourMap"};
    ui.answer(vb::OK, "Could not grid " + dir + "SITE.TXT: AddContourMap set to fail.")
        .answer(vb::OK, "Could not grid " + dir + "F2.TXT: AddContourMap set to fail.");
    RunContourMaps();
    const QStringList tail = from("GridData", 100);
    ASSERT_EQ(tail.size(), 5);
    EXPECT_TRUE(tail[1].startsWith("Shapes.AddContourMap") && tail[1].endsWith(" failed"));
    EXPECT_TRUE(tail[2].startsWith("GridData(DataFile=\"" + dir + "F2.TXT\""));
    EXPECT_TRUE(tail[3].endsWith(" failed"));
    EXPECT_EQ(tail[4], "Window.AutoRedraw = true");
}

// A statement the engine cannot do is passed over; any other fault ends the run with its message,
// and the document is redrawn all the same. A page has places for four maps only.
TEST_F(ContourRun, FailedStatementsAndFaults) {
    rec->failing << "HAlign" << "Orientation" << "AddPolyline";
    RunContourMaps();
    EXPECT_EQ(matching("failed").size(), 1 + 4 + 11); // the page setup, the rules, centred texts
    EXPECT_EQ(rec->calls.filter("AddText").size(), 14);
    EXPECT_EQ(rec->calls.last(), "Window.AutoRedraw = true");

    fresh();
    params({1, 2, 3, 4, 1});
    ui.answer(vb::OK, "Error 9 in RunContourMaps.  Please contact Kalvex");
    RunContourMaps();
    EXPECT_EQ(matching("AddContourMap").size(), 4);
    EXPECT_EQ(rec->calls.last(), "Window.AutoRedraw = true");

    fresh();
    rec->failing << "Add";
    ui.answer(vb::OK, "Error 432 in RunContourMaps.  Please contact Kalvex");
    RunContourMaps();
    EXPECT_EQ(rec->calls, QStringList({"Application.WindowState = 1", "Application.Visible = true",
                                      "Documents.Add failed"}));
}

// ---- on the fixture site, through the form's run

class ContourRunOnSite : public ContourRun {
protected:
    void SetUp() override {
        ContourRun::SetUp();
        ModGW& g = modgw();
        g.ProjectFile = dir + QStringLiteral("runsite.qlp");
        ASSERT_TRUE(QFile::copy(QStringLiteral(QMAR_TEST_DATA "/rundata/site/runsite.qlp"), g.ProjectFile));
        ASSERT_TRUE(OpenProjectInfo());
        g.DatabaseFile = dir + QStringLiteral("runsite.mdb");
        ASSERT_TRUE(CreateDb());
        ASSERT_TRUE(exchange::ImportRecords(QStringLiteral(QMAR_TEST_DATA "/rundata/site/runsite.txt"),
                                            exchange::Tab, g.DatabaseFile, g.NumParams)
                        .done);
        auto& d = g.DateSum;
        const QList<QStringList> sources{{"MW-1", "1200", "830"}, {"O'Brien 3", "1620", "700"},
                                         {"MW-2", "1410", "955.5"}};
        d.DateSourceCount = 3;
        for (int k = 1; k <= 3; ++k)
            for (int f = 1; f <= 3; ++f) d.DateSources[k][f] = sources[k - 1][f - 1];
        d.DateInfo[5] = QStringLiteral("01/01/1997,12/31/2002");
        map({"", "1100,1700", "600,1000", "Inverse Distance", "Proportional", "Y", "2D"});
        params({1});
        RegisterContourRun();
    }
};

TEST_F(ContourRunOnSite, TheMapsFollowOnlyWrittenData) {
    reportDefHooks().runDateContour();
    EXPECT_TRUE(QFile::exists(dir + "SITE.TXT"));
    EXPECT_EQ(matching("GridData"),
              QStringList{gridData("SITE.TXT", "xMin=1100, xMax=1700, yMin=600, yMax=1000, ", 1, "SITE.GRD")});

    fresh();
    modgw().DateSum.DateInfo[5] = QStringLiteral("03/01/98,03/31/98");
    ui.answer(vb::OK, "Please specify the century when entering episode dates.");
    reportDefHooks().runDateContour();
    EXPECT_TRUE(rec->calls.isEmpty()) << rec->calls.join(u'|').toStdString();

    modgw().DateSum.DateInfo[5] = QStringLiteral("01/01/1997,12/31/2002; 11/01/1997,06/30/2002");
    reportDefHooks().runDateContour();
    EXPECT_EQ(matching("Documents.Add").size(), 2); // a plot for each episode
}

// The program's own engine grids the three sources' means and draws the map in a new document.
TEST_F(ContourRunOnSite, OnTheProgramsEngine) {
    contour::setApplication(nullptr);
    reportDefHooks().runDateContour();
    EXPECT_TRUE(ui.texts.isEmpty()) << ui.texts.join(u'|').toStdString();
    const auto docs = contour::engine().documents();
    ASSERT_EQ(docs.size(), 1u);
    EXPECT_TRUE(docs[0]->landscape());
    EXPECT_TRUE(docs[0]->drawing().redraw());
    EXPECT_TRUE(QFile::exists(dir + "SITE.GRD"));
    // The map, laid out in lines and bands, and its caption last.
    const auto& shapes = docs[0]->shapes();
    ASSERT_GE(shapes.size(), 2u);
    EXPECT_GT(shapes[shapes.size() - 2]->objectIds().size(), 10u);
    const MDrawPro& drawing = docs[0]->drawing();
    EXPECT_EQ(drawing.at(drawing.count() - 1).text, "pH Value");
    // Its labels of four digits beside the map at 0.8 inch stand along the side, inside the border.
    EXPECT_TRUE(pageIsClear(drawing, QRectF(300, 300, 6000, 4500))); // the border 0.5 inch in
    contour::setApplication(rec.get());
}

// Batch Print of two episodes: one job, a page of maps under its dates each; no plot window left.
TEST_F(ContourRunOnSite, BatchPrintOfTwoEpisodesIsOnePdfOfTheirMaps) {
    contour::setApplication(nullptr);
    modgw().DateSum.DateInfo[5] = QStringLiteral("01/01/1997,12/31/2002; 11/01/1997,06/30/2002");
    modgw().ReportCode = 6.1f;
    ui.file(dir + QStringLiteral("maps.pdf"));
    EXPECT_TRUE(RunChosen(6.1f, {0, 1}));
    EXPECT_EQ(ui.texts, QStringList{"Print to File"}); // the Save dialog, and no message
    const QStringList pages = pdfText(dir + "maps.pdf").split(u'\f');
    EXPECT_TRUE(pages.value(0).contains("01/01/1997 - 12/31/2002") && pages.value(0).contains("pH Value"));
    EXPECT_TRUE(pages.value(1).contains("11/01/1997 - 06/30/2002") && pages.value(1).contains("pH Value"));
    EXPECT_TRUE(contour::engine().documents().empty());
    contour::setApplication(rec.get());
}

} // namespace
