// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The report drivers: each reads the run file, the layout and the logo once, then draws the pages
// of the chosen items one after another, printing or previewing each (HandOverPage), and stops
// when the user leaves the preview. A missing run file or a layout that cannot be read ends the
// run after its message; an item whose data cannot be read is passed over. Each traps its own
// faults ("Error N in wellsumstart.  Please contact Kalvex").
void wellsumstart();
void parsumstart();
void datesumstart();
void gwelevstart();
void stiffstart();

// The table pages of a source summary for its records: 39 rows a page, at least one page.
int WellSumTablePages(int records);
