// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The tags the program gives drawing objects (DrawObject::tag, MDrawPro::ObjectTag), spelled in this
// one place. Tag values are text; an empty value is no tag.
namespace draw::tags {

// Every object a drawing command adds carries the group and object names current at the time; page
// parts find their own objects again by them.
inline const QString GroupName = QStringLiteral("groupname");
inline const QString ObjName = QStringLiteral("objname");
// The names the date stamp of a page is drawn under: it finds its text again by ObjName.
inline const QString GraphicsSystemGroup = QStringLiteral("graphicssystem");
inline const QString DateStampObj = QStringLiteral("datefile");
// The group of the logo block of a report page.
inline const QString LogoGroup = QStringLiteral("logo");

// Pattern fills: the print pattern's file name in the fills folder ("" for no pattern), and the
// colour laid over it as decimal RGB (white keeps the pattern's own black and white).
inline const QString Fill = QStringLiteral("Fill");
inline const QString Color = QStringLiteral("Color");

// Yes on an object deleted in the window or lying off the sheet: printing and saving drop it.
inline const QString Change = QStringLiteral("Change");
// Node markers: No unselected, Yes selected. Copied is Yes on the markers selected at the last
// node-mode Copy.
inline const QString NodeSelected = QStringLiteral("nodeselected");
inline const QString Copied = QStringLiteral("Copied");

inline const QString Yes = QStringLiteral("T");
inline const QString No = QStringLiteral("F");

// Swatches of the style palette and of the fill chooser carry one tag naming what a click on them
// picks: a pattern file name in the chooser, one of the values below on the palette.
inline const QString Selected = QStringLiteral("selected");
inline QString FillSwatch(int i) {
    return QStringLiteral("fill%1").arg(i);
}
inline QString ColorSwatch(int i) {
    return QStringLiteral("color%1").arg(i);
}
inline QString LineWidthSwatch(int k) {
    return QStringLiteral("linewidth%1").arg(k);
}
inline QString LineStyleSwatch(int m) {
    return QStringLiteral("linestyle%1").arg(m);
}

} // namespace draw::tags
