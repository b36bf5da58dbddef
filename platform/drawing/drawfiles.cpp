// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drawing/drawcodecs.h"
#include "platform/drawing/mdrawpro.h"
#include "platform/qmerror.h"

void MDrawPro::LoadDrawing(const QString&, int, int) {
    throw QmError(321);
}

void MDrawPro::SaveDrawing(const QString&, int, int) {
    throw QmError(75);
}
