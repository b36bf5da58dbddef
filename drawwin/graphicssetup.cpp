// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/graphicssetup.h"

#include "drawwin/devicesettings.h"
#include "platform/numbers.h"
#include "platform/progfolder.h"
#include "project/modgw.h"

namespace {

// A folder setting as stored: never empty (an empty folder would be the root), always closed.
QString closedFolder(const QString& typed, const QString& defaultName) {
    if (typed.isEmpty()) return ProgramFolder() + defaultName + u'/';
    if (typed.endsWith(u'/') || typed.endsWith(u'\\')) return typed;
    return typed + u'/';
}

} // namespace

void DateStampTicks(const QString& option, bool& labelDate, bool& labelFilename) {
    // Rounded as a double: a huge value ticks the file name and nothing overflows.
    double n = qnum::RoundHalfEven(qnum::LeadingNumber(option));
    labelFilename = n >= 2;
    if (labelFilename) n -= 2;
    labelDate = n == 1;
}

GraphicsSetupFields GraphicsSetupFromSettings() {
    const ModGW& m = modgw();
    GraphicsSetupFields f;
    f.marginOffsets = m.MarginOffsets;
    f.defaultFont = m.DefaultFont;
    f.textAdjustFile = m.TextAdjustFile;
    f.fillPath = m.FillPath;
    f.symbolPath = m.SymbolPath;
    f.centralDataPath = m.CentralDataPath;
    f.headingFile = m.HeadingFile;
    f.zoomScreenWidth = m.ZoomAfterOpen == QLatin1String("SW");
    f.replaceText = m.CellEditMode == QLatin1String("1");
    DateStampTicks(m.DateStampOption, f.labelDate, f.labelFilename);
    f.thickDashed = m.ThickDashedLines == QLatin1String("1");
    return f;
}

GraphicsSetupResult ApplyGraphicsSetup(const GraphicsSetupFields& f, const QString& fillPathAtLoad) {
    ModGW& m = modgw();
    // Offsets the user did not retype keep their values, even where they differ from the text's.
    if (f.marginOffsets != m.MarginOffsets) {
        m.MarginOffsets = f.marginOffsets;
        const MarginOffsetPair p = ParseMarginOffsets(f.marginOffsets);
        m.MarginOffsetX = p.x;
        m.MarginOffsetY = p.y;
    }
    m.DefaultFont = f.defaultFont;
    m.TextAdjustFile = f.textAdjustFile;
    m.FillPath = closedFolder(f.fillPath, QStringLiteral("fills"));
    m.SymbolPath = closedFolder(f.symbolPath, QStringLiteral("symbols"));
    m.CentralDataPath = f.centralDataPath;
    m.HeadingFile = f.headingFile;
    m.ZoomAfterOpen = f.zoomScreenWidth ? QStringLiteral("SW") : QStringLiteral("PAGE");
    m.CellEditMode = f.replaceText ? QStringLiteral("1") : QStringLiteral("0");
    const int stamp = (f.labelDate ? 1 : 0) + (f.labelFilename ? 2 : 0);
    m.DateStampOption = u' ' + QString::number(stamp);
    m.ThickDashedLines = f.thickDashed ? QStringLiteral("1") : QStringLiteral("0");
    GraphicsSetupResult r;
    r.saved = SaveDevice();
    r.replaceOnEdit = m.CellEditMode == QLatin1String("1");
    r.fillChooserReload = m.FillPath != fillPathAtLoad;
    return r;
}
