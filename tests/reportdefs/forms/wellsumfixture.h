// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/gui/forms.h"
#include "platform/gui/spreadgrid.h"
#include "project/modgw.h"
#include "reportdefs/forms/frmwellsum.h"
#include "reportdefs/reportdeftest.h"
#include "reportdefs/wellsumfile.h"
#include "reportdefs/windowhooks.h"
#include "reportformtest.h"

#include <QFile>
#include <QListWidget>
#include <gtest/gtest.h>

// The source summary form, for test_wellsum.cpp and test_wellsum_prompt.cpp.
class WellSumForm : public ReportFormTest<frmWellSum> {
protected:
    // Picks parameter p (1-based) with the caret in column col of SS.
    static void pick(frmWellSum& f, int col, int p) {
        f.SS->setActiveCell(1, col);
        f.List1->setCurrentRow(p - 1);
        f.List1_Click();
    }

    // A saved definition with TCE in slot 3 and the main title "Site report".
    QString savedDefinition(const QString& name = QStringLiteral("saved.wsf")) {
        WellSumDefinition d;
        d.WellSumGrid[3][1] = QStringLiteral("3");
        d.WellSumGrid[3][5] = QStringLiteral("ug/L");
        d.WellSumInfo[1] = QStringLiteral("Site report");
        writeWellSumFile(pf.file(name), d, ReportNotesBlock{});
        return pf.file(name);
    }
};
