// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/drivers.h"

#include "drawcmd/pagecanvas.h"
#include "platform/qmerror.h"
#include "reports/gwgraph.h"
#include "reports/pageparts.h"
#include "reports/pages.h"
#include "reports/runreaders.h"

#include <algorithm>
#include <optional>

namespace {

// The reading done once per run: the run file and heading texts, the layout, the logo, and the
// paper. Without the run file or the layout there is nothing sound to draw from: the run ends.
template <typename Run>
std::optional<Run> StartRun(int kind, int16_t GwGraph::*itemCount, std::optional<Run> (*readRun)(const RunFile&)) {
    if (!getheadingdata(kind)) return std::nullopt;
    GwGraph& g = gwgraph();
    std::optional<Run> run = readRun({g.ReportFile, g.*itemCount});
    if (!run) return std::nullopt;
    GetLogoData();
    PageCanvas& m = pageCanvas();
    m.PaperWidth = 11;
    m.PaperHeight = 8.5f;
    return run;
}

// Redrawing off while a page is built, so its many objects show once; back on however the building
// ends, or the window would show nothing after a fault.
class RedrawOff {
public:
    explicit RedrawOff(MDrawPro& drawing) : drawing_(drawing) { drawing_.Redraw(false); }
    ~RedrawOff() { drawing_.Redraw(true); }
    RedrawOff(const RedrawOff&) = delete;
    RedrawOff& operator=(const RedrawOff&) = delete;

private:
    MDrawPro& drawing_;
};

// One page: a fresh drawing on the page's canvas, built under its page routine's trap, then printed
// or previewed; left is set when the user left the preview (or the page could not be printed).
// NewDrawing keeps the line state of the last page drawn, so every page starts solid at width 4.
template <typename Build> void PageStep(bool& left, const char* routine, Build build) {
    {
        PageCanvas& c = pageCanvas();
        const RedrawOff off(c.drawing());
        c.NewDrawing();
        c.LT(1);
        c.LW(1);
        trap<PageFault>(QString::fromLatin1(routine), [&] { build(c); });
    }
    if (HandOverPage() == PreviewResult::Left) left = true;
}

// The items of a run in order, each read as the walk reaches it (CurItem says which). An item whose
// data cannot be read is passed over: drawing it would show another item's data or none. The walk
// ends with the run's items or when the user has left the preview.
template <typename Run, typename Item> class RunItems {
public:
    using Reader = std::optional<Item> (*)(const Run&, int);
    RunItems(const Run& run, Reader read, const bool& left) : run_(run), read_(read), left_(left) {}

    struct End {};
    class Iterator {
    public:
        explicit Iterator(RunItems& walk) : walk_(walk) {}
        const Item& operator*() const { return *walk_.current_; }
        Iterator& operator++() {
            walk_.advance();
            return *this;
        }
        bool operator!=(End) const { return walk_.current_.has_value(); }

    private:
        RunItems& walk_;
    };
    Iterator begin() {
        advance();
        return Iterator(*this);
    }
    End end() const { return {}; }

private:
    void advance() {
        current_.reset();
        while (next_ <= run_.ItemCount && !left_) {
            gwgraph().CurItem = int16_t(next_);
            current_ = read_(run_, next_++);
            if (current_) return;
        }
    }

    const Run& run_;
    Reader read_;
    const bool& left_;
    int next_ = 1;
    std::optional<Item> current_;
};

// One page per item.
template <typename Run, typename Item>
void ItemPages(bool& left, const Run& run, std::optional<Item> (*readItem)(const Run&, int), const char* routine,
               void (*build)(const Run&, const Item&, int, const PageContext&, PageCanvas&)) {
    const PageContext ctx = RunPageContext();
    for (const Item& item : RunItems<Run, Item>(run, readItem, left))
        PageStep(left, routine, [&](PageCanvas& c) { build(run, item, 0, ctx, c); });
}

// Runs a driver's body under the driver's own error trap: a fault ends the run with its message. A
// run starts from a clean run state, whatever the last one left; a printed run is one print job,
// closed however the run ends. The body returns whether the run could start and sets left when the
// user left the preview.
template <typename Body> RunOutcome RunTrapped(const char* name, Body body) {
    gwgraph().resetRun();
    const bool printing = gwgraph().PrintToPrinter == 1;
    if (printing && !BeginPrintRun()) return RunOutcome::Cancelled; // the Save dialog cancelled: nothing printed
    bool started = false, left = false;
    const bool done = trap(QString::fromLatin1(name), [&] { started = body(left); });
    if (printing) EndPrintRun(done && !left);
    if (!done || !started) return RunOutcome::Failed;
    return left ? RunOutcome::Cancelled : RunOutcome::Done;
}

} // namespace

int WellSumTablePages(int records) {
    constexpr int RowsPerPage = 39;
    return std::max(1, (records + RowsPerPage - 1) / RowsPerPage);
}

RunOutcome wellsumstart() {
    return RunTrapped("wellsumstart", [](bool& left) {
        const auto run = StartRun(1, &GwGraph::ItemSourceCount, readWellSumRun);
        if (!run) return false;
        const PageContext ctx = RunPageContext();
        GwGraph& g = gwgraph();
        const QString& mode = run->TableGraphOption;
        for (const WellSumItem& item : RunItems<WellSumRun, WellSumItem>(*run, readWellSumItem, left)) {
            if (mode != QLatin1String("G")) {
                const int pages = WellSumTablePages(item.RecordCount);
                for (int page = 1; page <= pages && !left; ++page) {
                    g.CurPage = int16_t(page);
                    PageStep(left, "drawwellsumtable", [&](PageCanvas& c) { buildWellSumTablePage(*run, item, page, ctx, c); });
                }
            }
            if (mode != QLatin1String("T") && !left) {
                g.CurPage = 0; // not a table page
                PageStep(left, "drawwellsumgraph", [&](PageCanvas& c) { buildWellSumGraphPage(*run, item, 0, ctx, c); });
            }
        }
        return true;
    });
}

RunOutcome parsumstart() {
    return RunTrapped("parsumstart", [](bool& left) {
        const auto run = StartRun(2, &GwGraph::ParItemCount, readParSumRun);
        if (!run) return false;
        ItemPages(left, *run, readParSumItem, "drawparsum", buildParSumPage);
        return true;
    });
}

RunOutcome datesumstart() {
    return RunTrapped("datesumstart", [](bool& left) {
        const auto run = StartRun(3, &GwGraph::DateItemCount, readDateSumRun);
        if (!run) return false;
        const PageContext ctx = RunPageContext();
        GwGraph& g = gwgraph();
        for (const DateSumItem& item : RunItems<DateSumRun, DateSumItem>(*run, readDateSumItem, left)) {
            g.CurMap = 0; // not a map page
            PageStep(left, "drawdatesumtable", [&](PageCanvas& c) { buildDateSumTablePage(*run, item, 0, ctx, c); });
            // One page per map after the episode's table.
            for (int map = 1; map <= std::min<int>(run->DateMapCount, DateSumRun::MaxMaps) && !left; ++map) {
                g.CurMap = int16_t(map);
                PageStep(left, "drawdatesummaps", [&](PageCanvas& c) { buildDateSumMapPage(*run, item, map, ctx, c); });
            }
        }
        return true;
    });
}

RunOutcome gwelevstart() {
    return RunTrapped("gwelevstart", [](bool& left) {
        const auto run = StartRun(5, &GwGraph::GWElevItemCount, readGWElevRun);
        if (run) ItemPages(left, *run, readGWElevItem, "drawgwelev", buildGWElevPage);
        return run.has_value();
    });
}

RunOutcome stiffstart() {
    return RunTrapped("stiffstart", [](bool& left) {
        const auto run = StartRun(4, &GwGraph::StiffItemCount, readStiffRun);
        if (run) ItemPages(left, *run, readStiffItem, "drawstiff", buildStiffPage);
        return run.has_value();
    });
}
