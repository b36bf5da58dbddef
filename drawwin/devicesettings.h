// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>
#include <cstdint>

// The settings files that start-up reads and the graphics/system setup writes: "DEVICE.CFG" and the
// text adjustment files (".txb"). They sit below start-up so that the setup dialog and start-up
// share one writer and one reader.

// Writes the 20 settings of ModGW to "DEVICE.CFG"; true when they were written. A failure is
// reported ("Error N in SaveDevice.") and leaves the old file; the settings in memory stand.
[[nodiscard]] bool SaveDevice();

// The margin text "X,Y" in inches: the number before the first comma and the number after it,
// each held to -2..2. A text without a comma gives 0, 0.
struct MarginOffsetPair {
    float x = 0;
    float y = 0;
};
MarginOffsetPair ParseMarginOffsets(const QString& text);

// A text adjustment file: line 1 a font name (skipped here), then TextAdjust 1 to 6 as 16-bit whole
// numbers, each the leading number of its line rounded half to even. A file that ends early repeats
// the last line read for the rest (a file of only its font line gives 0 six times). Raises QmError:
// 53 unreadable, 62 empty, 6 a value out of range; the values set before the fault stay set.
void ReadTextAdjustFile(const QString& path, std::array<int16_t, 7>& values);

// Writes the font line, then values 1 to 6. Raises as qtext::WriteLines; a failed write leaves the
// old file.
void WriteTextAdjustFile(const QString& path, const QString& font, const std::array<int16_t, 7>& values);
