// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/runsteps.h"

RunDataSteps& runDataSteps() {
    static RunDataSteps s;
    return s;
}

std::function<bool()>& runDataStep(ReportRange range) {
    RunDataSteps& s = runDataSteps();
    switch (range) {
    case ReportRange::WellSum: return s.wellSum;
    case ReportRange::Par1Sum: return s.par1Sum;
    case ReportRange::DateSum: return s.dateSum;
    case ReportRange::Stiff: return s.stiff;
    case ReportRange::GWElev: break;
    }
    return s.gwElev;
}

bool RunDataStep(ReportRange range) {
    const std::function<bool()>& step = runDataStep(range);
    return step ? step() : true;
}
