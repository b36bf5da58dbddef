// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/runsteps.h"

#include "reports/drivers.h"
#include "reports/rundata.h"

RunDataSteps::RunDataSteps()
    : wellSum{CreateWellData, wellsumstart}, par1Sum{CreatePar1Data, parsumstart},
      dateSum{CreateDateData, datesumstart}, stiff{CreateStiffData, stiffstart}, gwElev{CreateGWElevData,
                                                                                        gwelevstart} {}

RunDataSteps& runDataSteps() {
    static RunDataSteps s;
    return s;
}

namespace {

RunDataSteps::Kind& kindOf(ReportRange range) {
    RunDataSteps& s = runDataSteps();
    switch (range) {
    case ReportRange::WellSum:
        return s.wellSum;
    case ReportRange::Par1Sum:
        return s.par1Sum;
    case ReportRange::DateSum:
        return s.dateSum;
    case ReportRange::Stiff:
        return s.stiff;
    case ReportRange::GWElev:
        break;
    }
    return s.gwElev;
}

} // namespace

std::function<bool()>& runDataStep(ReportRange range) {
    return kindOf(range).step;
}

std::function<void()>& runDriver(ReportRange range) {
    return kindOf(range).driver;
}

bool RunDataStep(ReportRange range) {
    const std::function<bool()>& step = runDataStep(range);
    return step && step();
}

void RunDriver(ReportRange range) {
    const std::function<void()>& driver = runDriver(range);
    if (driver) driver();
}
