// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <cstdint>

// The named colours (ModGW's ColorTable and ColorCount) and the colour definition file (".col"):
// line 1 the number of colours, then per colour a name line and an "R G B" line.

struct ColorEntry {
    QString name;
    QString rgb; // "R G B" as typed; from the picker three whole numbers 0 to 255
};

// The colour of a colour text: a colour name of the table (letter case ignored, the last match
// counting) stands for its RGB text; "" gives black and a text without a blank -1, both silently;
// otherwise three whole numbers 0 to 255, red first. A missing value or one out of range is
// reported ("Missing 1 Color Value: ", "Color values must be in the range of 0 to 255: ") and gives
// white.
int32_t ParseColorText(const QString& text);

// The RGB text of a colour as the picker writes it: "255 128 0".
QString RgbText(int32_t color);

// The table's colours, 1 to ColorCount.
QList<ColorEntry> ColorTableEntries();

// Reads ColorFile, or "defcolor.col" of the program folder when ColorFile cannot be opened, into the
// table. Neither file: "Color File not Found: " and the table stays. Other faults are reported
// ("loadcolors") and keep the colours read before them.
void loadcolors();

// Writes the colours (at most 150) to file. On success the table becomes these colours and ColorFile
// the file; a failure is reported ("Error N in savecolors.") and leaves the file, the table and
// ColorFile as they were. True when written.
bool savecolors(const QString& file, const QList<ColorEntry>& colors);

// The colour chooser's grid: colour i stands in row ((i - 1) mod 30) + 1, its name in column
// 2b - 1 and its colour in column 2b of pair b = (i - 1) / 30 + 1.
constexpr int ChooserRows = 30;
struct ChooserCell {
    int row;
    int nameCol;
};
ChooserCell ChooserCellOf(int colorNumber);
// The colour a click on a cell picks: its number, 0 for a cell of no colour.
int ChooserColorAt(int row, int col, int colorCount);
