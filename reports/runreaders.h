// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The readers of a run: each format reader reads the run's definition or data-file header once,
// each data reader item CurItem of the data file, into the run state (gwgraph()). A reader that
// fails shows its message and returns false: a failed format reader ends the run, a failed data
// reader skips that item's pages. Per-item state starts empty, so no page shows stale data.
bool getwellsumformat();
bool getwellsumdata();
bool getparsumformat();
bool getparsumdata();
bool getdatesumformat();
bool getdatesumdata();
bool getgwelevformat();
bool getgwelevdata();
bool getstiffformat();
bool getstiffdata();
