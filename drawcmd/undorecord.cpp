// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawcmd/undorecord.h"

#include "platform/drawing/mdrawpro.h"
#include "platform/drawing/objecttags.h"

int UndoRecord::record(const MDrawPro& d) {
    int selected = 0;
    int recorded = 0;
    for (int i = 0; i < d.count(); ++i) {
        const draw::DrawObject& o = d.at(i);
        if (!o.selected) continue;
        ++selected;
        if (recorded == MaxUndo) continue;
        Entry& e = entries_[size_t(++recorded)];
        e.id = o.id;
        e.placement = draw::placementOf(o);
    }
    if (selected > 0) count_ = int16_t(recorded);
    return selected;
}

int UndoRecord::restore(MDrawPro& d) const {
    int restored = 0;
    for (int i = 1; i <= count_; ++i) {
        // An object gone since (a hidden marker, a zoom frame) is skipped, not an error.
        draw::DrawObject* o = d.find(entries_[size_t(i)].id);
        if (!o) continue;
        draw::applyPlacement(*o, entries_[size_t(i)].placement);
        o->setTag(draw::tags::Change, QString());
        ++restored;
    }
    return restored;
}
