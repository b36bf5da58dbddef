// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include "drawcmd/editingsession.h"
#include "drawwin/devicesettings.h"
#include "drawwin/windowhooks.h"
#include "platform/dates.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/progfolder.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"
#include "platform/uiservice.h"
#include "project/modgw.h"

#include <QStringList>

namespace {

const QString kInitWhere = QStringLiteral("initialize system");

// Reads a 16-bit setting; a value out of range is reported and leaves the start-up value in place,
// so that one bad line does not cost the rest of start-up.
void readInt16(const QString& line, int16_t& target) {
    try {
        target = qnum::ReadInt16(line);
    } catch (const QmError& e) {
        showError(e, kInitWhere);
    }
}

void readDeviceFile(ModGW& m) {
    qtext::LineReader in(QStringLiteral("DEVICE.CFG"));
    // Lines 1 and 2 are required; a file too short for them is reported and the defaults stand.
    if (in.atEnd()) raiseError(qmerr::PastEndOfFile);
    m.DataFolder = in.next();
    if (in.atEnd()) raiseError(qmerr::PastEndOfFile);
    m.MarginOffsets = in.next();
    const MarginOffsetPair offsets = ParseMarginOffsets(m.MarginOffsets);
    m.MarginOffsetX = offsets.x;
    m.MarginOffsetY = offsets.y;
    QString* textLines[] = {&m.DefaultFont,  &m.TextAdjustFile, &m.FillPath,  &m.SymbolPath,
                            &m.CentralDataPath, &m.HeadingFile, &m.DeviceLine9, &m.ColorFile,
                            &m.PromptFile,   &m.ZoomAfterOpen,  &m.DateStampOption};
    for (QString* t : textLines) { // lines 3 to 13
        if (in.atEnd()) return;
        *t = in.next();
    }
    if (in.atEnd()) return;
    readInt16(in.next(), m.BitmapWidth);
    if (in.atEnd()) return;
    readInt16(in.next(), m.BitmapHeight);
    if (in.atEnd()) return;
    m.LastPageSize = in.next();
    if (in.atEnd()) return;
    readInt16(in.next(), m.DeviceLine17);
    QString* rest[] = {&m.DeviceLine18, &m.CellEditMode, &m.ThickDashedLines};
    for (QString* t : rest) {
        if (in.atEnd()) return;
        *t = in.next();
    }
}

// Runs one step of start-up; a failure is reported and start-up goes on with the next step.
template <class F> void step(F&& f) { Trapped(kInitWhere, std::forward<F>(f)); }

} // namespace

void InitializeSystem() {
    ModGW& m = modgw();
    // The program folder stands in for the current folder: bare names resolve there.
    const QString here = ProgramFolder();
    m.HelpFile = QStringLiteral("qmar2002.HLP");
    m.CrLf = QStringLiteral("\r\n");
    qdate::SetOrderFromSystem();
    // Before anything is read: a save killed part-way is completed or leaves nothing behind.
    qtext::RemoveLeftovers(here);

    if (FileExists(QStringLiteral("DEVICE.CFG"))) {
        step([&] { readDeviceFile(m); });
    } else {
        m.DataFolder = here;
        m.MarginOffsets = QStringLiteral("0,0");
        // A new user expects typing over a cell to replace it, as in a spreadsheet; a settings file
        // lost later gets the plain defaults.
        if (ProgramFolderIsNew()) m.CellEditMode = QStringLiteral("1");
    }
    if (m.DefaultFont.isEmpty()) m.DefaultFont = QStringLiteral("Arial");
    if (m.FillPath.isEmpty()) m.FillPath = here + QStringLiteral("fills/");
    if (m.SymbolPath.isEmpty()) m.SymbolPath = here + QStringLiteral("symbols/");
    if (m.PromptFile.isEmpty()) m.PromptFile = QStringLiteral("prompt.txt");
    if (!FolderIsWritable(m.DataFolder)) m.DataFolder = here;
    qtext::RemoveLeftovers(m.DataFolder);
    if (m.DeviceLine17 == 0) m.DeviceLine17 = 1;

    if (FileExists(m.TextAdjustFile)) step([&] { ReadTextAdjustFile(m.TextAdjustFile, m.TextAdjust); });

    if (FileExists(QStringLiteral("qmarrecent.txt"))) {
        step([&] {
            const QStringList lines = qtext::ReadLines(QStringLiteral("qmarrecent.txt"));
            for (int i = 1; i <= 10 && i <= lines.size(); ++i) m.RecentProjects[i] = lines[i - 1];
        });
    }

    (void)SaveDevice(); // a failure is reported; start-up goes on with the settings read
    loadcolors();
    editingSession().CurrentFillPattern = editingSession().PaletteFills[1];
    if (startupHooks().loadFillChooser) step([] { startupHooks().loadFillChooser(); });
}

void AddRecentProject() {
    ModGW& m = modgw();
    for (int i = 9; i >= 1; --i)
        if (!m.RecentProjects[i].isEmpty()) m.RecentProjects[i + 1] = m.RecentProjects[i];
    m.RecentProjects[1] = m.ProjectFile;
    try {
        QStringList lines;
        for (int i = 1; i <= 10; ++i) lines << m.RecentProjects[i];
        qtext::WriteLines(QStringLiteral("qmarrecent.txt"), lines);
    } catch (const QmError& e) {
        showError(e, QStringLiteral("AddRecentProject"));
    }
}
