// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drawing/drawobject.h"

#include <QString>
#include <QStringList>

// A plain, deterministic listing of a drawing for tests and diagnosis: one line per object in
// stacking order (back first), e.g.
//   3 polygon frame=1148,1140,1252,1230 vertices=1252,1230;1148,1230;1200,1140 line=0,4,0 fill=255
//   4 text frame=600,600,600,600 text="Well 1" font="Arial",-100,0,0 color=0 tags={objname=a}
// Only what the kind paints is listed; flags follow as " selected" and " group=N".
namespace draw {

class DrawModel;

QString dumpObject(const DrawObject& o);
QStringList dumpDrawing(const DrawModel& model);

} // namespace draw
