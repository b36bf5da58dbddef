// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The run-data fixture site (tests/data/rundata/site): sources MW-1, "O'Brien 3" and MW-2;
// parameters pH, Cond, Lead and Level; report window 01/01/1998 to 12/31/2000; "<" factor .5.
#include "platform/qmerror.h"
#include "project/importexport.h"
#include "project/modgw.h"
#include "project/projectfile.h"
#include "project/sampledbops.h"
#include "reports/gwgraph.h"

#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include <utility>

namespace runsite {

// Opens the site as the project in folder (ending in "/"), its database made and its records
// imported from runsite.txt. Fails fatally: call under ASSERT_NO_FATAL_FAILURE.
inline void open(const QString& folder) {
    ModGW& g = modgw();
    g.ProjectFile = folder + QStringLiteral("runsite.qlp");
    g.DataFolder = folder;
    ASSERT_TRUE(QFile::copy(QStringLiteral(QMAR_TEST_DATA "/rundata/site/runsite.qlp"), g.ProjectFile));
    ASSERT_TRUE(OpenProjectInfo());
    g.DatabaseFile = folder + QStringLiteral("runsite.mdb");
    ASSERT_TRUE(CreateDb());
    const exchange::Result imported = exchange::ImportRecords(
        QStringLiteral(QMAR_TEST_DATA "/rundata/site/runsite.txt"), exchange::Tab, g.DatabaseFile, g.NumParams);
    ASSERT_TRUE(imported.done) << imported.message.toStdString();
}

// The run's selected items, by name and index, as the run dialog leaves them.
inline void select(const QList<std::pair<QString, int>>& items) {
    GwGraph& r = gwgraph();
    r.NumSelected = int16_t(items.size());
    for (int i = 1; i <= items.size(); ++i) {
        r.SelectedNames[i] = items[i - 1].first;
        r.SelectedIndex[i] = int16_t(items[i - 1].second);
    }
}

// The notes of item `item` in the definition's notes.
inline void itemNotes(int item, const QStringList& lines) {
    auto& n = modgw().ReportNotes;
    n.ItemNoteCount[item] = int16_t(lines.size());
    for (int k = 1; k <= lines.size(); ++k)
        n.ItemNotes[item][k] = lines[k - 1];
}

} // namespace runsite
