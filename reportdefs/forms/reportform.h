// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/qmerror.h"
#include "project/modgw.h"
#include "reportdefs/reportkinds.h"

#include <QDialog>
#include <QHash>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QMenuBar;
class QVBoxLayout;
class SpreadGrid;

// Sampling episodes as the Stiff and date definitions hold them: [1 start, 2 end][episode].
using EpisodeTable = decltype(StiffDefinition::StiffEpisodes);
static_assert(std::is_same_v<EpisodeTable, decltype(DateSumDefinition::DateEpisodes)>);

// A pick's cells, (column, text), into the caret's row of grid (within 1..rows); the caret moves on
// to the next row's first cell, and in the last row it stays. Gives the row written.
int PickIntoRow(SpreadGrid& grid, int rows, const QList<std::pair<int, QString>>& cells);

// What the six report-definition forms share: the File, Edit, Preview and Help menus, the
// parameter list, the picks from the master lists, the save-first prompt, New, Open, Save, Save As,
// the hand-over to the run dialog, Print Setup, Edit Notes, Edit Mode, Help and closing. The
// definition itself lives in the data module; the form shows it and each kind says, through the
// virtuals below, how.
//
// A kind's constructor builds its controls and layout and calls Form_Load() last.
class ReportForm : public QDialog {
    Q_OBJECT
public:
    ~ReportForm() override;

    const ReportKindInfo& Kind() const { return kind_; }

    QMenuBar* MenuBar = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* mnuNew = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuSave = nullptr;
    QAction* mnuSaveAs = nullptr;
    QAction* mnuBatchPrint = nullptr;
    QAction* mnuPrintSetup = nullptr;
    QAction* mnuExit = nullptr; // "Return to Data Editor" or "Return to Main Menu"
    QMenu* mnuEdit = nullptr;
    QAction* mnuDelete = nullptr;
    QAction* mnuDraw = nullptr; // "Previe&w", on the menu bar
    QAction* mnuHelp = nullptr;
    QListWidget* List1 = nullptr; // the project's parameters as "n) name"
    // The project's sources as "n) name", or the well summary's own sources; made by the kinds
    // that have it (MakeList2).
    QListWidget* List2 = nullptr;

    void mnuNew_Click();
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    void mnuBatchPrint_Click();
    void mnuPrintSetup_Click();
    void mnuExit_Click();
    void mnuDraw_Click();
    void mnuHelp_Click();
    virtual void mnuDelete_Click() = 0;

    // The save-first prompt with the quitting text and the steps of closing; false while the form
    // stays open (Cancel, or a save that wrote nothing).
    bool Form_Unload();

    // Save and Save As as the menus run them; true when the definition was written.
    bool Save();
    bool SaveAs();

protected:
    explicit ReportForm(ReportKind kind);

    // The common load: centred, no current path, the kind's grids, the parameter list, the grids'
    // replace-on-edit, then the file that was current when the form last closed, when it still
    // exists and reads whole. Otherwise the kind's Clear runs: the form shows nothing of an earlier
    // definition that a Save could write unseen.
    void Form_Load();

    // ---- what each kind puts in the pattern
    virtual void SetupGrids() = 0;
    // Every grid of the definition: a user edit in any of them marks the definition changed, and
    // they are committed before an action reads them.
    virtual QList<SpreadGrid*> Grids() const = 0;
    // The grids typed into freely: their replace-on-edit follows CellEditMode at load, and Edit
    // Mode switches them together, the first one's mode deciding.
    virtual QList<SpreadGrid*> TypedGrids() const { return Grids(); }
    // A user edit in grid; marks the definition changed.
    virtual void GridChange(SpreadGrid* grid);
    // New's clearing of the form's own lists and grids; their cells are closed meanwhile.
    virtual void ClearForm() = 0;
    // The kind's reset of its definition variables.
    virtual void ClearDefinition() = 0;
    // Reads a file whole into a copy of the kind's own, reporting its failure under the reader's
    // name. Gives the step that puts what it read into the definition variables; none when the
    // read failed, and nothing has changed then.
    virtual std::function<void()> LoadDefinition(const QString& path) = 0;
    virtual void FillForm() = 0;
    // Takes the grids and writes the definition through the kind's writer, which reports its own
    // failure and gives false.
    virtual bool WriteDefinition(const QString& path) = 0;
    // The items of the definition that notes can be written for; none refuses Edit Notes.
    virtual int ItemCount() = 0;
    // Further steps when the form closes after the prompt (kinds that empty the shared notes).
    virtual void Closing() {}
    // Steps of Preview and Batch Print before the save-first prompt and the hand-over; where names
    // the handler for an error report.
    virtual void BeforeRun(const QString& where) { Q_UNUSED(where); }
    // Why the definition as the run would take it cannot be run ("" when it can); warned, and no run.
    virtual QString RunRefusal() const { return {}; }

    // A reader's result as LoadDefinition gives it: commit puts it into the definition variables.
    template <class Data, class Commit>
    static std::function<void()> Committing(std::optional<Data> read, Commit commit) {
        if (!read) return {};
        return [data = std::make_shared<const Data>(std::move(*read)), commit] { commit(*data); };
    }

    // ---- shared steps for the kinds' handlers
    // While it lives, the grids have no open cell: code can write their cells without an open
    // editor writing its old text back later. The cells were committed first; edit mode opens the
    // active cell again at the end, and the focus stays where it was.
    class ClosedCells {
    public:
        explicit ClosedCells(QList<SpreadGrid*> grids);
        ~ClosedCells();
        ClosedCells(const ClosedCells&) = delete;
        ClosedCells& operator=(const ClosedCells&) = delete;

    private:
        QList<SpreadGrid*> grids_;
        QList<bool> modes_;
        QPointer<QWidget> focus_;
    };

    // The guard, then the notes editor for the kind.
    void EditNotes();
    // Switches the edit mode of TypedGrids() together.
    void EditMode();
    void MarkChanged();
    // Writes every open cell of the grids, so that the prompt and the writer see what was typed.
    // False when a cell refused its text (a date that is none): the action stops there.
    bool CommitGrids();
    // The episode grid's cells, start dates in column 1 and end dates in column 2, are checked as
    // dates when left.
    static void CheckEpisodeDates(SpreadGrid* grid);
    // Writes the definition into the grids through fill, with their cells closed and without
    // repainting cell by cell; where names the procedure for an error report.
    void FillGrids(const QString& where, const std::function<void()>& fill);
    // A pick from a master list: its current entry n (from 1), when it is one of count, goes to
    // write with the grids' cells closed, and the definition is marked changed. An error is
    // reported under the list's handler, "<list>_Click".
    void Pick(QListWidget* list, int count, const std::function<void(int)>& write);
    // Delete of the caret's row of grid (within 1..rows): the row emptied with the grids' cells
    // closed, clear(row) for its slot of the definition, and the definition marked changed.
    void DeleteRow(SpreadGrid* grid, int rows, const std::function<void(int)>& clear);
    // The sampling episodes as the grid shows them, saved or not: every used row (start, end) is
    // one, blank rows between included. Gives their count.
    int TakeEpisodes(const SpreadGrid* grid, int16_t& count, EpisodeTable& episodes);
    // Closing a form that shares the notes and its items: a later run must see neither.
    static void ForgetNotes(int16_t& itemCount);
    // A list's entries as "n) name", n from 1.
    static void FillNumberedList(QListWidget* list, const QStringList& names);
    // Sizes a grid to show all its rows and columns, and no more.
    static void FitGrid(SpreadGrid* grid);
    // A grid too long to show whole: all its columns, the rows below visibleRows a scroll bar away.
    static void FitColumns(SpreadGrid* grid, int visibleRows);

    // ---- building a kind's controls
    // A caption whose mnemonic moves to buddy.
    QLabel* Caption(const QString& text, QWidget* buddy, const QString& name);
    // A grid with a column per header.
    SpreadGrid* MakeGrid(const QString& name, int rows, const QStringList& headers);
    // The same shape given to a grid made earlier.
    static void SetColumns(SpreadGrid* grid, int rows, const QStringList& headers);
    // A grid with a row per caption and cols columns; their headings are shown only when asked.
    SpreadGrid* MakeRows(const QString& name, const QStringList& rowCaptions, int cols = 1,
                         bool columnHeaders = false);
    // The same shape given to a grid made earlier.
    static void SetRows(SpreadGrid* grid, const QStringList& rowCaptions, int cols = 1,
                        bool columnHeaders = false);
    // The "List2" list beside List1.
    QListWidget* MakeList2();
    // The two master lists one above the other under their captions, each with its share of the
    // height.
    QVBoxLayout* ListColumn(QLabel* caption1, int stretch1, QLabel* caption2, int stretch2);
    // The project's sources as "n) name".
    static void FillSourceList(QListWidget* list);
    // A pick by mouse or keyboard: a click on an entry, or Enter or Space after the arrows moved
    // through the list, calls pick.
    void OnPick(QListWidget* list, std::function<void()> pick);
    bool eventFilter(QObject* watched, QEvent* event) override;
    QString& CurrentPath();

    void reject() override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildMenus();
    // New after its prompt: the form's lists and grids and the definition emptied; the path stays.
    void NewDefinition();
    // Reads path whole; only then New, the path, the definition and the form.
    bool OpenDefinition(const QString& path);
    void RunReport(SaveFirstAction action, float code);
    bool saveFirst(SaveFirstAction action);

    const ReportKindInfo& kind_;
    QHash<QObject*, std::function<void()>> picks_;
};
