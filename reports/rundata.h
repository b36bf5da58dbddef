// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The run-data step of the drawn reports: before a driver draws, the chosen items (gwgraph()) and
// the definition in memory (modgw()) are copied with their sample records into the run file
// "log.mas" and one data file beside the definition, which the driver then reads. Each step builds
// both files in memory and writes them only after the last query, so a failed step (reported
// through ui(), result false) leaves both as they were.
namespace rundata {

inline constexpr char RunFileName[] = "log.mas";

// "log.mas" in the program folder.
QString RunFilePath();

// The data file of a definition: its extension of four characters (a "." and three more) replaced
// by "." + ext ("WSD", "PSD", "DSD", "STD", "GWD"), else "." + ext appended.
QString DataFilePath(const QString& definitionPath, const QString& ext);

// The date summary's value of two or more records: their mean cut, never rounded up, to three
// significant digits (below 1 to five decimals, below 100 to two, beyond that to whole numbers).
// The cut works on the mean as its seven significant digits read, so two records of 5.7 stay
// "5.7", and on its size, so a negative mean keeps its sign: -5.678 gives "-5.67".
QString CutMean(float mean);

} // namespace rundata

bool CreateWellData();   // source summary, ".WSD"
bool CreatePar1Data();   // parameter summary, ".PSD"
bool CreateGWElevData(); // groundwater elevation, ".GWD"
// Date summary, ".DSD": more than 9 parameters or 39 sources, which its reader cannot hold, are
// refused before anything is written.
bool CreateDateData();
bool CreateStiffData();  // Stiff diagram, ".STD"
