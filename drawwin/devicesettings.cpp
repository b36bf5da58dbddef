// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/devicesettings.h"

#include "platform/numbers.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"
#include "project/helpers.h"
#include "project/modgw.h"

#include <QStringList>
#include <algorithm>

bool SaveDevice() {
    const ModGW& m = modgw();
    return trap(QStringLiteral("SaveDevice"), [&] {
        qtext::WriteLines(QStringLiteral("device.cfg"),
                          {m.DataFolder, m.MarginOffsets, m.DefaultFont, m.TextAdjustFile, m.FillPath,
                           m.SymbolPath, m.CentralDataPath, m.HeadingFile, m.DeviceLine9, m.ColorFile,
                           m.PromptFile, m.ZoomAfterOpen, m.DateStampOption, QString::number(m.BitmapWidth),
                           QString::number(m.BitmapHeight), m.LastPageSize, QString::number(m.DeviceLine17),
                           m.DeviceLine18, m.CellEditMode, m.ThickDashedLines});
    });
}

MarginOffsetPair ParseMarginOffsets(const QString& text) {
    const qsizetype comma = text.indexOf(u',');
    if (comma < 0) return {};
    const double x = qnum::LeadingNumber(text);
    const double y = qnum::LeadingNumber(StrTail(text, int(comma) + 1));
    return {float(std::clamp(x, -2.0, 2.0)), float(std::clamp(y, -2.0, 2.0))};
}

void ReadTextAdjustFile(const QString& path, std::array<int16_t, 7>& values) {
    qtext::LineReader in(path);
    QString line = in.next(); // the font name; an empty file fails here
    for (int i = 1; i <= 6; ++i) {
        if (!in.atEnd()) line = in.next();
        values[i] = qnum::ReadInt16(line);
    }
}

void WriteTextAdjustFile(const QString& path, const QString& font, const std::array<int16_t, 7>& values) {
    QStringList lines{font};
    for (int i = 1; i <= 6; ++i) lines << QString::number(values[i]);
    qtext::WriteLines(path, lines);
}
