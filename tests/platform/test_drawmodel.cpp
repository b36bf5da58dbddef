// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing control's object model through the members the drawing code uses.
#include "platform/drawing/drawdump.h"
#include "platform/drawing/mdrawpro.h"
#include "platform/qmerror.h"
#include "support/errorof.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using draw::Long;

namespace {

// Four rectangles with ids 1 to 4, the second and fourth selected.
void fourObjects(MDrawPro& d) {
    d.ClearDrawing();
    for (int i = 0; i < 4; ++i) {
        d.AddObject(2, 100 * i, 0, 100 * i + 50, 50);
        d.ObjectSelected(i % 2 == 1);
    }
}

QList<Long> order(const MDrawPro& d) {
    QList<Long> ids;
    for (int i = 0; i < d.count(); ++i)
        ids << d.at(i).id;
    return ids;
}

// The ids a walk visits: start with the first code, step with the second.
QList<Long> walk(MDrawPro& d, int first, int next) {
    QList<Long> ids;
    d.CurrentObject(5);
    d.ObjectCursor(13);
    for (d.ObjectCursor(first); d.CurrentObject() > 10; d.ObjectCursor(next))
        ids << d.ObjectId();
    return ids;
}

} // namespace

TEST(DrawModel, IdsFollowCreationOrderAfterAClearAndTheNewObjectIsCurrent) {
    MDrawPro d;
    d.AddObject(1, 0, 0, 10, 10);
    d.ClearDrawing();
    d.AddObject(4, 0, 0, 10, 10);
    EXPECT_EQ(d.ObjectId(), 1);
    EXPECT_GT(d.CurrentObject(), 10);
    EXPECT_EQ(d.ObjectType(), 4);
    d.AddObject(10, 5, 5, 5, 5);
    d.AddObject(12, 0, 0, 10, 10);
    EXPECT_EQ(d.ObjectId(), 3);
    EXPECT_EQ(order(d), QList<Long>({1, 2, 3}));
    EXPECT_EQ(d.find(2)->kind, draw::Text);
    EXPECT_EQ(d.find(9), nullptr);
    EXPECT_EQ(errorOf([&] { d.AddObject(7, 0, 0, 1, 1); }), qmerr::NoSuchObject);
    EXPECT_EQ(errorOf([&] { d.ObjectId(9); }), qmerr::NoSuchObject);
    EXPECT_EQ(d.count(), 3);
}

TEST(DrawModel, WalksVisitAllObjectsOrTheSelectedOnesInStackingOrder) {
    MDrawPro d;
    fourObjects(d);
    EXPECT_EQ(walk(d, 14, 0), QList<Long>({1, 2, 3, 4}));
    EXPECT_EQ(walk(d, 10, 7), QList<Long>({2, 4}));
    EXPECT_EQ(d.CurrentObject(), 5); // after the end: no object
    EXPECT_EQ(d.CountObjects(2), 2);
    EXPECT_EQ(d.CountObjects(0), 4);
    d.ClearDrawing();
    EXPECT_TRUE(walk(d, 14, 0).isEmpty());
    EXPECT_TRUE(walk(d, 10, 7).isEmpty());

    // A walk follows its object when the stacking order changes under it.
    fourObjects(d);
    d.CurrentObject(5);
    d.ObjectCursor(13);
    d.ObjectCursor(14);
    d.ObjectCursor(0); // on 2
    d.ObjectAction(3); // 2 to the front: 1 3 4 2
    d.ObjectCursor(0);
    EXPECT_EQ(d.CurrentObject(), 5);
}

TEST(DrawModel, StyleMembersAddressTheCurrentObjectTheSelectionOrTheDefaults) {
    MDrawPro d;
    fourObjects(d);
    d.CurrentObject(4);
    d.LineWidth(12);
    d.FillColor(draw::RGB(1, 2, 3));
    EXPECT_EQ(d.LineWidth(), 12);
    d.AddObject(9, 0, 0, 0, 0);
    EXPECT_EQ(d.LineWidth(), 12); // the new object took the defaults
    EXPECT_EQ(d.at(0).style.lineWidth, 1);

    d.CurrentObject(2);
    d.LineColor(draw::RGB(255, 0, 0));
    EXPECT_EQ(d.LineColor(), draw::RGB(255, 0, 0));
    for (Long id : {1, 2, 3, 4, 5})
        EXPECT_EQ(d.find(id)->style.lineColor, id % 2 == 0 ? draw::RGB(255, 0, 0) : draw::Black) << id;

    d.ObjectId(3);
    d.TextHeight(-120);
    EXPECT_DOUBLE_EQ(d.find(3)->style.textHeight, -120);
    EXPECT_EQ(errorOf([&] { d.FontName(QStringLiteral(" ")); }), qmerr::FontRefused);
    d.ClearDrawing();
    EXPECT_EQ(errorOf([&] { d.LineStyle(2); }), qmerr::NoSuchObject);
    d.CurrentObject(2);
    EXPECT_EQ(errorOf([&] { d.LineStyle(); }), qmerr::NoSuchObject); // nothing selected to read from
}

TEST(DrawModel, FillStyleAndPictureReplaceEachOther) {
    MDrawPro d;
    d.AddObject(2, 0, 0, 100, 100);
    EXPECT_EQ(d.FillStyle(), 0);
    QImage pattern(8, 8, QImage::Format_RGB32);
    pattern.fill(Qt::black);
    d.FillPictureFile(pattern);
    EXPECT_EQ(d.at(0).style.fill, draw::FillMode::Picture);
    EXPECT_EQ(d.FillStyle(), 0);
    d.FillStyle(1);
    EXPECT_EQ(d.at(0).style.fill, draw::FillMode::None);
    EXPECT_TRUE(d.at(0).style.fillPicture.isNull());
    d.FillPictureFile(QImage());
    EXPECT_EQ(d.at(0).style.fill, draw::FillMode::Solid);
}

TEST(DrawModel, TagsReadEmptyWhenAbsentAndAnEmptyValueRemovesThem) {
    MDrawPro d;
    d.AddObject(1, 0, 0, 1, 1);
    d.TagTarget(5);
    EXPECT_EQ(d.ObjectTag(QStringLiteral("Fill")), "");
    d.ObjectTag(QStringLiteral("Fill"), QStringLiteral("F3.bmp"));
    d.ObjectTag(QStringLiteral("Color"), QStringLiteral("255"));
    EXPECT_EQ(d.ObjectTag(QStringLiteral("Fill")), "F3.bmp");
    EXPECT_EQ(d.ObjectTag(QStringLiteral("fill")), ""); // keys are exact
    d.ObjectTag(QStringLiteral("Fill"), QString());
    EXPECT_EQ(d.at(0).tags.size(), 1);

    fourObjects(d);
    d.TagTarget(2);
    d.ObjectTag(QStringLiteral("Change"), QStringLiteral("T"));
    d.TagTarget(5);
    EXPECT_EQ(d.find(2)->tag(QStringLiteral("Change")), "T");
    EXPECT_EQ(d.find(3)->tag(QStringLiteral("Change")), "");
}

TEST(DrawModel, CollapsingAFrameAndRestoringItGivesTheSameShapeBack) {
    MDrawPro d;
    d.AddObject(9, 0, 0, 0, 0);
    const Long v[] = {100, 100, 300, 100, 200, 400};
    d.SetVertices(0, 3, v, 0);
    Long x1, y1, x2, y2;
    d.GetObjectCoords(x1, y1, x2, y2);
    EXPECT_EQ(QList<Long>({x1, y1, x2, y2}), QList<Long>({100, 100, 300, 400}));
    d.SetObjectCoords(-1000, -1000, -1000, -1000);
    EXPECT_EQ(d.at(0).placedVertices(), QVector<QPointF>(3, QPointF(-1000, -1000)));
    d.SetObjectCoords(100, 100, 300, 400);
    EXPECT_EQ(d.at(0).placedVertices(), QVector<QPointF>({{100, 100}, {300, 100}, {200, 400}}));
    // A resized frame stretches the shape.
    d.SetObjectCoords(100, 100, 500, 250);
    EXPECT_EQ(d.at(0).placedVertices(), QVector<QPointF>({{100, 100}, {500, 100}, {300, 250}}));
}

TEST(DrawModel, GroupsMergeAndUngroupAsAWhole) {
    MDrawPro d;
    fourObjects(d);
    d.ObjectAction(0); // 2 and 4
    const int g = d.find(2)->group;
    EXPECT_NE(g, 0);
    EXPECT_EQ(d.find(4)->group, g);
    EXPECT_EQ(d.find(1)->group, 0);
    d.clearSelection();
    d.selectGroupOf(4);
    EXPECT_EQ(d.selectedIds(), QVector<Long>({2, 4}));
    // Grouping 1 with 2 takes 4 along.
    d.clearSelection();
    d.find(1)->selected = d.find(2)->selected = true;
    d.ObjectAction(0);
    EXPECT_EQ(d.find(1)->group, d.find(4)->group);
    EXPECT_EQ(d.find(3)->group, 0);
    d.clearSelection();
    d.find(4)->selected = true;
    d.ObjectAction(1);
    for (Long id : {1, 2, 3, 4})
        EXPECT_EQ(d.find(id)->group, 0);
}

TEST(DrawModel, StackingMovesKeepTheMovedObjectsInTheirOrder) {
    MDrawPro d;
    fourObjects(d); // 2 and 4 selected
    d.CurrentObject(2);
    d.ObjectAction(2);
    EXPECT_EQ(order(d), QList<Long>({2, 4, 1, 3}));
    d.ObjectAction(3);
    EXPECT_EQ(order(d), QList<Long>({1, 3, 2, 4}));
    d.ObjectAction(4);
    EXPECT_EQ(order(d), QList<Long>({1, 2, 4, 3}));
    d.ObjectAction(4);
    EXPECT_EQ(order(d), QList<Long>({2, 4, 1, 3}));
    d.ObjectAction(4); // already at the back
    EXPECT_EQ(order(d), QList<Long>({2, 4, 1, 3}));
    d.ObjectAction(5);
    EXPECT_EQ(order(d), QList<Long>({1, 2, 4, 3}));
    // On the current object alone.
    d.ObjectId(3);
    d.ObjectAction(2);
    EXPECT_EQ(order(d), QList<Long>({3, 1, 2, 4}));
    d.ObjectAction(5);
    EXPECT_EQ(order(d), QList<Long>({1, 3, 2, 4}));
}

TEST(DrawModel, DeletingSelectedOrCurrentObjects) {
    MDrawPro d;
    fourObjects(d);
    d.DeleteObjects(2);
    EXPECT_EQ(order(d), QList<Long>({1, 3}));
    d.ObjectId(1);
    d.DeleteObjects(4);
    EXPECT_EQ(order(d), QList<Long>({3}));
    EXPECT_EQ(d.CurrentObject(), 5);
    EXPECT_EQ(d.find(1), nullptr);
    d.AddObject(1, 0, 0, 1, 1);
    EXPECT_EQ(d.ObjectId(), 5); // ids are not reused before a clear
}

TEST(DrawModel, PastedObjectsGetNewIdsStaySelectedAndKeepTheirGroup) {
    MDrawPro d;
    fourObjects(d);
    d.CurrentObject(2);
    d.ObjectAction(0);
    d.CopyObjects(257, 2);
    d.PasteObjects(3, 2);
    EXPECT_EQ(d.selectedIds(), QVector<Long>({5, 6}));
    EXPECT_EQ(d.find(5)->group, d.find(6)->group);
    EXPECT_NE(d.find(5)->group, d.find(2)->group);
    EXPECT_FALSE(d.find(2)->selected);
    // The pasted selection moves as one, its corner to (100, 100).
    Long x1, y1, x2, y2;
    d.GetObjectCoords(x1, y1, x2, y2);
    EXPECT_EQ(QList<Long>({x1, y1, x2, y2}), QList<Long>({100, 0, 350, 50}));
    d.OffsetObjects(100 - x1, 100 - y1, 12288);
    EXPECT_EQ(draw::dumpObject(*d.find(5)),
              QStringLiteral("5 rect frame=100,100,150,150 line=0,1,0 fill=16777215 selected group=%1")
                  .arg(d.find(5)->group));
    EXPECT_EQ(d.find(2)->x1, 100);
}

TEST(DrawModel, RedrawOffHoldsBackChangeNoticesUntilItComesBackOn) {
    MDrawPro d;
    QSignalSpy changed(&d, &draw::DrawModel::changed);
    d.Redraw(false);
    d.AddObject(1, 0, 0, 1, 1);
    d.LineWidth(4);
    EXPECT_EQ(changed.count(), 0);
    d.Redraw(true);
    EXPECT_EQ(changed.count(), 1);
    d.Refresh();
    EXPECT_EQ(changed.count(), 2);
}

TEST(DrawModel, SheetSettingsAreChangesLikeAnyOther) {
    draw::DrawModel m;
    QSignalSpy changed(&m, &draw::DrawModel::changed);
    const std::vector<std::function<void()>> setters = {
        [&] { m.setPageWidth(5100); },  [&] { m.setPageHeight(6600); },   [&] { m.setUnitsLeft(-10); },
        [&] { m.setUnitsTop(20); },     [&] { m.setUnitsWidth(5000); },   [&] { m.setUnitsHeight(6000); },
        [&] { m.setCoordinateMode(1); }, [&] { m.setDrawOptions(4096); }, [&] { m.setBackgroundColor(255); },
    };
    for (size_t i = 0; i < setters.size(); ++i) {
        setters[i]();
        EXPECT_EQ(changed.count(), int(i) + 1) << "setter " << i;
    }
    EXPECT_EQ(QList<Long>({m.pageWidth(), m.pageHeight(), m.unitsLeft(), m.unitsTop(), m.unitsWidth(),
                           m.unitsHeight(), m.coordinateMode(), m.drawOptions(), m.backgroundColor()}),
              QList<Long>({5100, 6600, -10, 20, 5000, 6000, 1, 4096, 255}));
    // The mouse mode changes no drawing; with redrawing off the sheet waits like the objects do.
    m.setEditMode(11);
    EXPECT_EQ(changed.count(), 9);
    m.setRedraw(false);
    m.setPageWidth(100);
    EXPECT_EQ(changed.count(), 9);
    m.setRedraw(true);
    EXPECT_EQ(changed.count(), 10);

    MDrawPro d;
    d.PageWidth(1234);
    d.DrawOptions(7);
    EXPECT_EQ(d.pageWidth(), 1234);
    EXPECT_EQ(d.drawOptions(), 7);
}

TEST(DrawModel, TheCurrentObjectIsForgottenWithItAndAnObjectMadeCurrentIsAddressed) {
    draw::DrawModel m;
    const Long a = m.add(draw::Rectangle, 0, 0, 10, 10).id;
    m.setCurrent(a);
    m.remove(a);
    EXPECT_EQ(m.currentId(), 0);
    m.setCurrent(m.add(draw::Line, 0, 0, 1, 1).id);
    m.clear();
    EXPECT_EQ(m.currentId(), 0);

    // The facade addressing the selection turns to an object a view makes current.
    MDrawPro d;
    fourObjects(d);
    d.CurrentObject(2);
    d.setCurrent(3);
    EXPECT_EQ(d.CurrentObject(), 13);
    d.LineWidth(9);
    EXPECT_EQ(d.find(3)->style.lineWidth, 9);
    EXPECT_EQ(d.find(2)->style.lineWidth, 1);
    EXPECT_EQ(d.find(4)->style.lineWidth, 1);
}

TEST(DrawDump, ListsEachObjectWithWhatItPaints) {
    MDrawPro d;
    d.AddObject(8, 0, 0, 0, 0);
    const Long v[] = {10, 20, 30, 40};
    d.SetVertices(0, 2, v, 0);
    d.LineStyle(2);
    d.AddObject(10, 5, 6, 5, 6);
    d.TextString(QStringLiteral("say \"hi\""));
    d.TextBold(true);
    d.TextAngle(90);
    d.TagTarget(5);
    d.ObjectTag(QStringLiteral("groupname"), QStringLiteral("g"));
    d.ObjectTag(QStringLiteral("objname"), QStringLiteral("o"));
    d.AddObject(4, 0, 0, 10, 10);
    d.FillStyle(1);
    EXPECT_EQ(
        draw::dumpDrawing(d),
        QStringList({"1 polyline frame=10,20,30,40 vertices=10,20;30,40 line=2,1,0",
                     "2 text frame=5,6,5,6 text=\"say \\\"hi\\\"\" font=\"Arial\",-83.3,90,0,bold color=0 "
                     "tags={groupname=g;objname=o}",
                     "3 ellipse frame=0,0,10,10 line=0,1,0 fill=none"}));
}
