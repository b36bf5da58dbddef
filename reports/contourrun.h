// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The date contour maps of the definition in memory, drawn by the contouring engine in a new plot
// document: the page frame, the right-hand column (notes, client lines, titles and episode, logo)
// and one contour map per chosen parameter, gridded from the data file the data step wrote for it.
//
// A call the engine cannot do is passed over and the run goes on; a parameter whose data cannot be
// gridded says so ("Could not grid ...") and is left out; any other fault ends the run with the
// message naming RunContourMaps. The document is redrawn at the end either way, so what was built
// shows.
void RunContourMaps();

// The episodes the definition's episode row names: "start,end" or one date each, several parted by
// ";" ("03/01/1998,03/31/1998; 06/01/1998,06/30/1998"), in row order.
QStringList ContourEpisodes(const QString& row);

// The date contour form's Batch Print: the maps of each chosen episode (the run's selection, by
// position among ContourEpisodes), one page each, as one printed run (BeginPrintRun). An episode
// whose data or maps cannot be made ends the run, its job dropped.
void PrintContourMaps();

// Fills the date contour form's run: for each episode of the definition, the data files first, the
// maps only when they were written.
void RegisterContourRun();
