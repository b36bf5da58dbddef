// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportdefs/wellwlist.h"

#include "project/modgw.h"

#include <algorithm>

namespace wellwlist {

void MoveEntries(QStringList& from, QStringList& to, QList<int> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.removeIf([&](int r) { return r < 0 || r >= from.size(); });
    for (int r : rows)
        to << from[r];
    for (auto it = rows.crbegin(); it != rows.crend(); ++it)
        from.removeAt(*it);
}

QString TooManySourcesText() { return QStringLiteral("A source summary can list at most 200 sources."); }

bool TakeWellList(const QStringList& names) {
    if (names.size() > WellSumDefinition::MaxWellList) return false;
    ModGW& m = modgw();
    WellSumDefinition& d = m.WellSum;
    for (int i = 1; i <= WellSumDefinition::MaxWellList; ++i)
        d.WellList[i] = i <= names.size() ? names[i - 1] : QString();
    d.NumWellList = int16_t(names.size());
    m.ReportDirty = 1;
    return true;
}

} // namespace wellwlist
