// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/drivers.h"

#include "drawcmd/metaugl.h"
#include "platform/qmerror.h"
#include "reports/gwgraph.h"
#include "reports/pageparts.h"
#include "reports/pages.h"
#include "reports/runreaders.h"

#include <algorithm>

namespace {

using PageRoutine = void (*)();

// The reading done once per run: the run file and heading texts, the layout, the logo, and the
// paper. Without the run file or the layout there is nothing sound to draw from: the run ends.
bool StartRun(int kind, bool (*formatReader)()) {
    if (!getheadingdata(kind)) return false;
    if (!formatReader()) return false;
    GetLogoData();
    Metaugl& m = metaugl();
    m.PaperWidth = 11;
    m.PaperHeight = 8.5f;
    return true;
}

// Redrawing off while a page is built, so its many objects show once; back on however the building
// ends, or the window would show nothing after a fault.
class RedrawOff {
public:
    RedrawOff() { pageDrawing().Redraw(false); }
    ~RedrawOff() { pageDrawing().Redraw(true); }
    RedrawOff(const RedrawOff&) = delete;
    RedrawOff& operator=(const RedrawOff&) = delete;
};

// One page: a fresh drawing, then printed or previewed. NewDrawing keeps the line state of the last
// page drawn, so every page starts solid at width 4.
void PageStep(PageRoutine draw) {
    {
        RedrawOff off;
        NewDrawing();
        LT(1);
        LW(1);
        draw();
    }
    HandOverPage();
}

bool Cancelled() {
    return gwgraph().CancelReport != 0;
}

// The items of a run, one page each, while the user stays in the preview. An item whose data
// cannot be read has no page: drawing it would show another item's data or none.
void ItemPages(int count, bool (*dataReader)(), PageRoutine draw) {
    for (int item = 1; item <= count && !Cancelled(); ++item) {
        gwgraph().CurItem = int16_t(item);
        if (dataReader()) PageStep(draw);
    }
}

// Runs a driver's body under the driver's own error trap: a fault ends the run with its message. A
// printed run is one print job, closed however the run ends.
template <typename Body> void RunTrapped(const char* name, Body body) {
    const bool printing = gwgraph().PrintToPrinter == 1;
    if (printing) BeginPrintRun();
    const bool done = Trapped(QString::fromLatin1(name), body);
    if (printing) EndPrintRun(done && !Cancelled());
}

} // namespace

int WellSumTablePages(int records) {
    constexpr int RowsPerPage = 39;
    return std::max(1, (records + RowsPerPage - 1) / RowsPerPage);
}

void wellsumstart() {
    RunTrapped("wellsumstart", [] {
        if (!StartRun(1, getwellsumformat)) return;
        GwGraph& g = gwgraph();
        const QString mode = g.TableGraphOption;
        for (int item = 1; item <= g.ItemSourceCount && !Cancelled(); ++item) {
            g.CurItem = int16_t(item);
            if (!getwellsumdata()) continue;
            if (mode != QLatin1String("G")) {
                const int pages = WellSumTablePages(g.RecordCount);
                for (int page = 1; page <= pages && !Cancelled(); ++page) {
                    g.CurPage = int16_t(page);
                    PageStep(drawwellsumtable);
                }
            }
            if (mode != QLatin1String("T") && !Cancelled()) {
                g.CurPage = 0; // not a table page
                PageStep(drawwellsumgraph);
            }
        }
        g.RecordDates.clear();
        g.RecordValues.clear();
    });
}

void parsumstart() {
    RunTrapped("parsumstart", [] {
        if (!StartRun(2, getparsumformat)) return;
        GwGraph& g = gwgraph();
        ItemPages(g.ParItemCount, getparsumdata, drawparsum);
        g.ParRecordDates.clear();
        g.ParRecordValues.clear();
    });
}

void datesumstart() {
    RunTrapped("datesumstart", [] {
        if (!StartRun(3, getdatesumformat)) return;
        GwGraph& g = gwgraph();
        for (int item = 1; item <= g.DateItemCount && !Cancelled(); ++item) {
            g.CurItem = int16_t(item);
            if (!getdatesumdata()) continue;
            g.CurMap = 0; // not a map page
            PageStep(drawdatesumtable);
            // One page per map after the episode's table.
            for (int map = 1; map <= std::min<int>(g.DateMapCount, GwGraph::MaxMaps) && !Cancelled(); ++map) {
                g.CurMap = int16_t(map);
                PageStep(drawdatesummaps);
            }
        }
        g.RecordValues.clear();
    });
}

void gwelevstart() {
    RunTrapped("gwelevstart", [] {
        if (!StartRun(5, getgwelevformat)) return;
        ItemPages(gwgraph().GWElevItemCount, getgwelevdata, drawgwelev);
    });
}

void stiffstart() {
    RunTrapped("stiffstart", [] {
        if (!StartRun(4, getstiffformat)) return;
        ItemPages(gwgraph().StiffItemCount, getstiffdata, drawstiff);
    });
}
