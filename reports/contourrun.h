// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The date contour maps of the definition in memory, drawn by the contouring engine in a new plot
// document: the page frame, the right-hand column (notes, client lines, titles and episode, logo)
// and one contour map per chosen parameter, gridded from the data file the data step wrote for it.
//
// A call the engine cannot do is passed over and the run goes on; a parameter whose data cannot be
// gridded says so ("Could not grid ...") and is left out; any other fault ends the run with the
// message naming RunContourMaps. The document is redrawn at the end either way, so what was built
// shows.
void RunContourMaps();

// Fills the date contour form's run: the data files first, the maps only when they were written.
void RegisterContourRun();
