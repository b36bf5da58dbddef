// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportdefs/reportkinds.h"

#include "platform/uiservice.h"

#include <array>

namespace {

const QString kDataEditor = QStringLiteral("&Return to Data Editor");
const QString kMainMenu = QStringLiteral("&Return to Main Menu");
const QString kDeleteParameter = QStringLiteral("&Delete Parameter");
const QString kEpisodeGuard =
    QStringLiteral("You must enter at least one sampling episode before editing notes.");

const std::array<ReportKindInfo, 6>& kinds() {
    static const std::array<ReportKindInfo, 6> table{{
        {ReportKind::WellSum, QStringLiteral("frmWellSum"), QStringLiteral("Source Summary Report"),
         QStringLiteral("wsf"), QStringLiteral("Well/Source Summary Files (*.wsf)|*.wsf|"),
         QStringLiteral("Well/Source Summary Files (*.wsf)|*.wsf|"),
         QStringLiteral("You must create or open a source/well summary file."), 1, 2, 1,
         QStringLiteral("You must select sources before editing notes."), 1013,
         QStringLiteral("Open Source Summary File"), QStringLiteral("Source Summary-PrintSetup"),
         QStringLiteral("Save Source Summary File"), kDataEditor, kDeleteParameter, &ModGW::WellSumFile,
         &ModGW::LastWellSumFile, QStringLiteral("Source Summary")},
        {ReportKind::Par1Sum, QStringLiteral("frmPar1Sum"), QStringLiteral("Parameter Summary Report"),
         QStringLiteral("psf"), QStringLiteral("Parameter Summary Files (*.psf)|*.psf|"),
         QStringLiteral("Parameter Summary Files (*.psf)|*.psf|"),
         QStringLiteral("You must create or open a parameter summary file."), 3, 4, 2,
         QStringLiteral("You must select parameters before editing notes."), 1014,
         QStringLiteral("Open Parameter Summary File"), QStringLiteral("Parameter Summary-PrintSetup"),
         QStringLiteral("Save Parameter Summary File"), kDataEditor, kDeleteParameter,
         &ModGW::Par1SumFile, &ModGW::LastPar1SumFile, QStringLiteral("Parameter Summary")},
        {ReportKind::DateSum, QStringLiteral("frmDateSum"), QStringLiteral("Date Summary Report"),
         QStringLiteral("dsf"), QStringLiteral("Date Summary Files (*.dsf)|*.dsf|"),
         QStringLiteral("Date Summary Files (*.dsf)|*.dsf|"),
         QStringLiteral("You must create or open a date summary file."), 5, 6, 3, kEpisodeGuard, 1015,
         QStringLiteral("Open Date Summary File"), QStringLiteral("Date Summary-PrintSetup"),
         QStringLiteral("Save Date Summary File"), kMainMenu, kDeleteParameter, &ModGW::DateSumFile,
         &ModGW::LastDateSumFile, QStringLiteral("Date Summary")},
        {ReportKind::Stiff, QStringLiteral("frmStiff"), QStringLiteral("Stiff Graph Report"),
         QStringLiteral("stf"), QStringLiteral("Stiff Graph Files (*.stf)|*.stf|"),
         QStringLiteral("Stiff Graph Files (*.stf)|*.stf|"),
         QStringLiteral("You must create or open a stiff graph file."), 7, 8, 5, kEpisodeGuard, 1017,
         QStringLiteral("Open Stiff Graph File"), QStringLiteral("Stiff Graph-PrintSetup"),
         QStringLiteral("Save Stiff Graph File"), kMainMenu, kDeleteParameter, &ModGW::StiffFile,
         &ModGW::LastStiffFile, QStringLiteral("Stiff Graph")},
        {ReportKind::GWElev, QStringLiteral("frmGWElev"), QStringLiteral("Groundwater Elevation Graph"),
         QStringLiteral("gwf"), QStringLiteral("Groundwater Graph Files (*.gwf)|*.gwf|"),
         QStringLiteral("Grounwater Graph Files (*.gwf)|*.gwf|"),
         QStringLiteral("You must create or open a groundwater elevation file."), 9, 10, 6,
         QStringLiteral("You must enter at least one source set before editing notes."), 1018,
         QStringLiteral("Open Groundwater Elevation File"), QStringLiteral("Groundwater Elevation-PrintSetup"),
         QStringLiteral("Save Groundwater Elevation File"), kMainMenu, QStringLiteral("&Delete Well"),
         &ModGW::GWElevFile, &ModGW::LastGWElevFile, QStringLiteral("Groundwater Elevation")},
        // The date contour form shares the date summary's path; its Preview runs the contour maps
        // itself, its Batch Print prints them, and it keeps its notes on the form.
        {ReportKind::DateContour, QStringLiteral("frmDateContour"), QStringLiteral("Date Contour Report"),
         QStringLiteral("dcf"), QStringLiteral("Date Contour Files (*.dcf)|*.dcf|"),
         QStringLiteral("Date Contour Files (*.dcf)|*.dcf|"),
         QStringLiteral("You must create or open a date contour file."), 0, 6.1f, 0, QString(), 1016,
         QStringLiteral("Open Date Contour File"), QStringLiteral("Date Contour-PrintSetup"),
         QStringLiteral("Save Date Contour File"), kMainMenu, kDeleteParameter, &ModGW::DateSumFile, &ModGW::LastDateContourFile,
         QStringLiteral("Date Contour")},
    }};
    return table;
}

} // namespace

const ReportKindInfo& ReportKindOf(ReportKind kind) { return kinds()[int(kind) - 1]; }

QString SaveFirstText(SaveFirstAction action) {
    switch (action) {
    case SaveFirstAction::New:
        return QStringLiteral("Would you like to save the current file before starting a new file?");
    case SaveFirstAction::Open:
        return QStringLiteral("Would you like to save the current file before opening another file?");
    case SaveFirstAction::Preview:
        return QStringLiteral("Would you like to save the current file before drawing to the screen?");
    case SaveFirstAction::BatchPrint:
        return QStringLiteral("Would you like to save the current file before printing?");
    case SaveFirstAction::Quit: break;
    }
    return QStringLiteral("Would you like to save the current file before quitting?");
}

bool SaveFirst(SaveFirstAction action, const std::function<bool()>& save) {
    ModGW& m = modgw();
    if (m.ReportDirty != 1) return true;
    const int answer = ui().MsgBox(SaveFirstText(action), vb::YesNoCancel | vb::Question, titleEmpty);
    if (answer == vb::Cancel) return false;
    if (answer == vb::Yes && !save()) return false;
    m.ReportDirty = 0;
    return true;
}
