// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How a report run ended: every chosen item drawn; stopped by the user leaving the preview (or a
// page that could not be printed); or ended by a fault, a missing run file or a layout that could
// not be read, after its message.
enum class RunOutcome { Done, Cancelled, Failed };

// The report drivers: each reads the run file, the layout and the logo once, then draws the pages
// of the chosen items one after another, printing or previewing each (HandOverPage), and stops
// when the user leaves the preview. An item whose data cannot be read is passed over. Each traps
// its own faults ("Error N in wellsumstart.  Please contact Kalvex").
RunOutcome wellsumstart();
RunOutcome parsumstart();
RunOutcome datesumstart();
RunOutcome gwelevstart();
RunOutcome stiffstart();

// The table pages of a source summary for its records: 39 rows a page, at least one page.
int WellSumTablePages(int records);
