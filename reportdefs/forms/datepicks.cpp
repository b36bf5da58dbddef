// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportdefs/forms/datepicks.h"

#include "platform/gui/spreadgrid.h"
#include "project/modgw.h"
#include "reportdefs/notesblock.h"

#include <algorithm>

bool PickDateParameter(SpreadGrid& grid, int p, int rows) {
    ModGW& m = modgw();
    if (p < 1 || p > m.NumParams) return false;
    const int r = std::clamp(grid.activeRow(), 1, rows);
    grid.setText(r, 1, m.ParamTable[p][1]);
    m.DateSum.DateParams[r] = int16_t(p);
    grid.setActiveCell(std::min(r + 1, rows), 1);
    return true;
}

void ForgetDateNotes() {
    ModGW& m = modgw();
    notesblock::ClearNotes(m.ReportNotes);
    m.DateSum.DateEpisodeCount = 0;
}
