// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The page routines: each draws one page of the current item from the run state into the page
// started by NewDrawing, through the drawing commands, and traps its own errors (the page keeps
// what was drawn).
void drawwellsumtable(); // table page CurPage of the current source
void drawwellsumgraph(); // graph page of the current source
void drawparsum();       // the current parameter
void drawdatesumtable(); // table page of the current episode
void drawdatesummaps();  // map CurMap of the current episode
void drawstiff();        // the current episode's Stiff page
void drawgwelev();       // the current source set
