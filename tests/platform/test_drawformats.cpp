// SPDX-License-Identifier: GPL-3.0-or-later
// Every drawing file format of the table, through the drawing control: a page comes back, a damaged
// file is refused and the page stays, a refused write keeps the old file; and files that other
// programs wrote (tests/data/drawings, see PROVENANCE.md there) are read.
#include "platform/drawing/drawdump.h"
#include "platform/drawing/drawformats.h"
#include "platform/drawing/mdrawpro.h"
#include "platform/qmerror.h"
#include "support/errorof.h"
#include "support/faultydisk.h"
#include "support/testenv.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace draw;

namespace {

// Ten thousand objects of the kinds every shape format keeps, on an 11 by 8.5 inch sheet, saved
// through the control in the row's format.
struct DrawingFormats : ::testing::TestWithParam<DrawingFormat> {
    DrawingFormats() {
        page.setPageWidth(6600);
        page.setPageHeight(5100);
        page.setUnitsWidth(6600);
        page.setUnitsHeight(5100);
        for (int i = 0; i < 10000; ++i) {
            const int x = (i * 37) % 6000, y = (i * 91) % 4600;
            const Kind kind = std::array{Line, Rectangle, Ellipse, Polygon, Text}[i % 5];
            DrawObject& o = page.add(kind, x, y, x + 300, y + 200);
            o.style.lineColor = RGB(i % 256, 0, 0);
            o.style.fillColor = RGB(0, i % 7 * 30, 0);
            if (o.kind == Polygon) page.setVertices(o, {QPoint(x, y), QPoint(x + 300, y), QPoint(x + 150, y + 200)});
            if (o.kind == Text) o.text = QStringLiteral("Well %1").arg(i);
        }
        page.SaveDrawing(file("page"), 0, GetParam().code);
    }
    QString file(const char* stem) const { return dir.filePath(QLatin1String(stem) + GetParam().extension); }
    void load(MDrawPro& into, const QString& path) const { into.LoadDrawing(path, 0, GetParam().code); }

    QTemporaryDir dir;
    MDrawPro page;
};

} // namespace

TEST_P(DrawingFormats, APageComesBackThroughTheControl) {
    ASSERT_EQ(formatOfName(file("page")), formatOfCode(GetParam().code));
    MDrawPro back;
    back.AddObject(Rectangle, 1, 2, 3, 4);
    load(back, file("page"));
    EXPECT_NEAR(back.PageWidth(), 6600, 1);
    EXPECT_NEAR(back.PageHeight(), 5100, 1);
    if (GetParam().raster) {
        ASSERT_EQ(back.count(), 1);
        EXPECT_EQ(back.at(0).kind, Bitmap);
        return;
    }
    ASSERT_EQ(back.count(), 10000);
    EXPECT_EQ(back.at(0).id, 1);
    for (int i = 0; i < 10000; i += 997) EXPECT_EQ(back.at(i).kind, page.at(i).kind) << i;
}

TEST_P(DrawingFormats, DamagedFilesRaise321AndLeaveThePage) {
    const QByteArray whole = readRaw(file("page"));
    QByteArray garbled = whole;
    garbled[garbled.size() / 2] = char(0xFF); // somewhere in a record: may or may not matter
    garbled.replace(0, 8, QByteArray(8, 'x'));
    QList<QByteArray> damaged = {"Sample results\r\nMW-1,12.5\r\n", garbled};
    for (qsizetype cut : {0, 3, 30, 40, 100}) damaged << whole.left(cut);
    damaged << whole.left(whole.size() / 2) << whole.left(whole.size() * 2 / 3);
    MDrawPro into;
    into.AddObject(Rectangle, 1, 2, 3, 4);
    const QStringList before = dumpDrawing(into);
    const Long width = into.PageWidth();
    for (const QByteArray& bytes : damaged) {
        SCOPED_TRACE(bytes.left(40).toStdString());
        writeRaw(file("bad"), bytes);
        QString detail;
        EXPECT_EQ(errorOf([&] { load(into, file("bad")); }, &detail), 321);
        EXPECT_TRUE(detail.startsWith(file("bad"))) << detail.toStdString();
        EXPECT_EQ(dumpDrawing(into), before);
        EXPECT_EQ(into.PageWidth(), width);
    }
    EXPECT_EQ(errorOf([&] { load(into, file("missing")); }), 53);
    EXPECT_EQ(dumpDrawing(into), before);
}

TEST_P(DrawingFormats, ARefusedWriteKeepsTheOldFile) {
    const QString nowhere = dir.filePath(QStringLiteral("no/such/folder/a") + GetParam().extension);
    EXPECT_EQ(errorOf([&] { page.SaveDrawing(nowhere, 0, GetParam().code); }), qmerr::PathFileAccess);
    EXPECT_FALSE(QFile::exists(nowhere));
    writeRaw(file("page"), "old");
    {
        FileSizeLimit full(64);
        EXPECT_EQ(errorOf([&] { page.SaveDrawing(file("page"), 0, GetParam().code); }), 61);
    }
    EXPECT_EQ(readRaw(file("page")), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QFileInfo(file("page")).fileName()});
}

INSTANTIATE_TEST_SUITE_P(Table, DrawingFormats, ::testing::ValuesIn(drawingFormats()),
                         [](const auto& info) { return std::string(info.param.extension + 1); });

TEST(DrawingFormatTable, CodesAndNamesPickOneRowAndOthersAreRefused) {
    QStringList rows;
    for (const DrawingFormat& f : drawingFormats()) {
        rows << QStringLiteral("%1 %2").arg(QLatin1String(f.extension)).arg(f.code);
        EXPECT_EQ(formatOfCode(f.code), &f);
        EXPECT_EQ(formatOfName(QStringLiteral("/d/A") + QString::fromLatin1(f.extension).toUpper()), &f);
    }
    // In the order of the save dialog's type entries.
    EXPECT_EQ(rows, QStringList({".kdf 10", ".dxf 13", ".bmp 1", ".wmf 2", ".emf 4"}));
    for (const char* other : {"", "kdf", "a.kdf.txt", "/d/notes.txt", "a.kd"})
        EXPECT_EQ(formatOfName(other), nullptr) << other;

    MDrawPro page;
    page.AddObject(Rectangle, 0, 0, 10, 10);
    EXPECT_EQ(errorOf([&] { page.SaveDrawing(QStringLiteral("/tmp/a.xyz"), 0, 7); }), qmerr::InvalidArgument);
    EXPECT_EQ(errorOf([&] { page.LoadDrawing(QStringLiteral("/tmp/a.xyz"), 0, 7); }), qmerr::InvalidArgument);
    EXPECT_EQ(page.count(), 1);
}

// Each file's sheet, its first object's frame, and its objects' kinds with the texts.
TEST(DrawingFormatTable, FilesOfOtherProgramsAreRead) {
    const QString glyphs = QStringLiteral(" polygon").repeated(8); // the text as outlines
    const struct { QString name; QSize sheet; QRect first; QString objects; } files[] = {
        {"ezdxf-site-r12.dxf", {6600, 5100}, {600, 4500, 5400, 0}, "line polygon ellipse polyline text:MW-1 12.5"},
        {"ezdxf-site-r2000.dxf", {6600, 5100}, {600, 4500, 5400, 0},
         "line polygon ellipse polyline text:MW-1 12.5 text:Site plan text:north well field ellipse polygon"},
        {"inkscape-site.emf", {2409, 1819}, {120, 120, 960, 600}, "polygon polygon polyline polygon" + glyphs},
        {"inkscape-site.wmf", {2400, 1800}, {120, 120, 960, 600}, "polygon polygon polyline polygon" + glyphs},
    };
    const QDir dir(QStringLiteral(QMAR_TEST_DATA "/drawings"));
    QStringList named;
    for (const auto& f : files) {
        SCOPED_TRACE(f.name.toStdString());
        named << f.name;
        MDrawPro page;
        page.LoadDrawing(dir.filePath(f.name), 0, formatOfName(f.name)->code);
        EXPECT_EQ(QSize(page.PageWidth(), page.PageHeight()), f.sheet);
        ASSERT_GT(page.count(), 0);
        EXPECT_EQ(page.at(0).frameRect().toRect(), f.first);
        QStringList objects;
        for (int i = 0; i < page.count(); ++i)
            objects << kindName(page.at(i).kind) + (page.at(i).kind == Text ? ":" + page.at(i).text : QString());
        EXPECT_EQ(objects.join(u' '), f.objects);
    }
    named << QStringLiteral("PROVENANCE.md"); // and nothing no test reads
    EXPECT_EQ(dir.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase), named);
}
