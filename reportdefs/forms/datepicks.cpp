// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportdefs/forms/datepicks.h"

#include "platform/gui/spreadgrid.h"
#include "project/modgw.h"
#include "reportdefs/forms/reportform.h"

void PickDateParameter(SpreadGrid& grid, int p, int rows) {
    ModGW& m = modgw();
    const int r = PickIntoRow(grid, rows, {{1, m.ParamTable[p][1]}});
    m.DateSum.DateParams[r] = int16_t(p);
}

void PickDateSource(SpreadGrid& grid, int s, int rows, const QList<std::pair<int, int>>& colField) {
    ModGW& m = modgw();
    QList<std::pair<int, QString>> cells;
    for (const auto& [col, field] : colField)
        cells.append({col, m.SourceTable[s][field]});
    const int r = PickIntoRow(grid, rows, cells);
    for (const auto& [col, text] : cells)
        m.DateSum.DateSources[r][col] = text;
}
