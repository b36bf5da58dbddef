# Typing as a person does, with real key events through the X server, in every grid: the main
# window's records, Add Records and the project form's lists. Capitals and symbols (Shift held),
# modifier keys alone, F1, moving with arrows and Page keys while a cell is open, the clipboard,
# Escape and Enter. The program must live through all of it and keep what was typed.
import os
import sqlite3
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e  # noqa: E402
from e2e import click_cell, expect_cell, keys, type_text  # noqa: E402

started = time.time()
lap = started


def timed(phase):
    global lap
    print(f"{phase}: {time.time() - lap:.1f} s")
    lap = time.time()


proc, app = e2e.start()
e2e.find(app, name="v. 2002.5").click()
e2e.gone(app, "v. 2002.5")


def close_help_if_open():
    # F1 has no topic in a grid; should a help window come up anyway, it is closed again.
    if any(w.name == "Quillmare 2002 Help" for w in app.children):
        keys("Escape")
        e2e.window_closed(app, "Quillmare 2002 Help")


# ---- the main window: the records of MW-1 (Source, Samp_Date, Dup, WL_Elev, pH, Cond, Temp, TDS)
main = e2e.find(app, role="frame")
SS = e2e.find(main, role="table", name="SS")
e2e.find(app, role="label", name="Source: MW-1")
kept_ph_row5 = e2e.cell_text(SS, 5, 5)

click_cell(SS, 1, 5)
type_text("<0.5")
keys("Shift_L", "Control_L", "F1")           # alone: nothing happens
close_help_if_open()
e2e.screenshot("main-typed")
keys("Down")                                  # commits and moves down
expect_cell(SS, 1, 5, "<0.5")
type_text("pH")
keys("Up")
expect_cell(SS, 2, 5, "pH")
click_cell(SS, 3, 3)
type_text("a_b")
keys("Next")                                  # Page Down
expect_cell(SS, 3, 3, "a_b")
click_cell(SS, 4, 6)
type_text("MW-3")
keys("Prior")                                 # Page Up
expect_cell(SS, 4, 6, "MW-3")
click_cell(SS, 5, 5)
type_text("zzz")
keys("Shift_L", "Control_L", "F1")           # the cell stays open...
keys("Escape")                                # ...and Escape gives the old value back
click_cell(SS, 6, 4)
type_text("99.5")
keys("Return")
expect_cell(SS, 6, 4, "99.5")
# Alt alone takes the keyboard to the menu bar, as in any window with menus: the cell keeps what
# was typed, and Escape comes back.
click_cell(SS, 7, 4)
type_text("98.5")
keys("Alt_L", "Escape")
expect_cell(SS, 7, 4, "98.5")
expect_cell(SS, 5, 5, kept_ph_row5)
# A block chosen with Shift+Down, carried by Ctrl+C and Ctrl+V.
click_cell(SS, 1, 5)
keys("shift+Down", "ctrl+c")
click_cell(SS, 10, 7)
keys("ctrl+v")
expect_cell(SS, 10, 7, "<0.5")
expect_cell(SS, 11, 7, "pH")
# F2 opens the cell; Ctrl+C there copies its text.
click_cell(SS, 12, 4)
kept_wl_row12 = e2e.cell_text(SS, 12, 4)
keys("F2", "Control_L", "ctrl+c", "Escape")
click_cell(SS, 13, 8)
keys("ctrl+v")
expect_cell(SS, 13, 8, kept_wl_row12)
e2e.screenshot("main-walked")
# Tab moves from cell to cell; Ctrl+Tab and Ctrl+Shift+Tab leave the grid, to the next and the
# previous control, from where Shift+Tab and Tab come back.
click_cell(SS, 14, 5)
keys("Tab")
e2e.wait_for("Tab left the grid", lambda: SS.focused)
keys("ctrl+Tab")
e2e.wait_for("Ctrl+Tab did not leave the grid", lambda: not SS.focused)
keys("shift+Tab")
e2e.wait_for("Shift+Tab did not come back to the grid", lambda: SS.focused)
keys("ctrl+shift+Tab")
e2e.wait_for("Ctrl+Shift+Tab did not leave the grid", lambda: not SS.focused)
keys("Tab")
e2e.wait_for("Tab did not come back to the grid", lambda: SS.focused)
e2e.alive(proc, app)

timed("main window")

# ---- Add Records: one field a row, one new record a column; Enter moves down
e2e.find(main, role="push button", name="Add").click()
add = e2e.window(app, "Add Records")
SSAdd = e2e.find(add, role="table", name="SSAdd")
click_cell(SSAdd, 1, 1)
type_text("MW-3")
keys("Shift_L", "Control_L")
keys("Return")
type_text("05/05/2004")   # the same day either way round
keys("Return")
type_text("a_b")
keys("Return")
type_text("101.5")
keys("Down")
type_text("<0.5")
keys("F1")
close_help_if_open()
keys("Next")
expect_cell(SSAdd, 5, 1, "<0.5")
e2e.screenshot("add-typed")
# The second record takes source and date from the first by the clipboard.
click_cell(SSAdd, 1, 1)
keys("shift+Down", "ctrl+c")
click_cell(SSAdd, 1, 2)
keys("ctrl+v")
expect_cell(SSAdd, 2, 2, "05/05/2004")
click_cell(SSAdd, 3, 2)
type_text("B")
keys("Down")
type_text("zz")
keys("Escape")
click_cell(SSAdd, 5, 2)
type_text("pH")
keys("Up")
expect_cell(SSAdd, 3, 2, "B")
expect_cell(SSAdd, 4, 2, "")
expect_cell(SSAdd, 5, 2, "pH")
keys("ctrl+Tab")
e2e.wait_for("Ctrl+Tab did not leave the Add Records grid", lambda: not SSAdd.focused)
e2e.screenshot("add-walked")
e2e.find(add, role="push button", name="OK").click()
e2e.window_closed(app, "Add Records")
e2e.alive(proc, app)

timed("Add Records")

# ---- the project form: the source list and the parameter list; Enter moves right
e2e.find(main, role="menu item", name="File").click()
e2e.find(app, role="menu item", name="Edit  Project Info").click()
form = e2e.window(app, "Project Information")
SSWell = e2e.find(form, role="table", name="SSWell")
params = e2e.find(form, role="table", name="SS")
click_cell(SSWell, 1, 1)
keys(*["Down"] * 10)
type_text("MW-9")
keys("Return")
type_text("1000")
keys("Tab")
type_text("2000")
keys("Tab")
type_text("100.5")
keys("Up")
expect_cell(SSWell, 11, 1, "MW-9")
expect_cell(SSWell, 11, 4, "100.5")
click_cell(params, 1, 1)
keys("Next", "Next", "Next", "ctrl+Home")
# In edit mode the active cell is always open: every move below leaves one cell open and opens the next.
e2e.find(form, role="push button", name="Edit Mode").click()
click_cell(params, 1, 1)
keys(*["Down"] * 20)
type_text("pH_Lab")
keys("Shift_L", "Control_L", "F1")
close_help_if_open()
keys("Return")
type_text("SU")
keys("Return")
type_text("<0.5")
keys("Down", "Up", "Tab", "Tab", "Tab")
type_text("Lab pH")
keys("Escape")
e2e.screenshot("project-typed")
expect_cell(params, 21, 1, "pH_Lab")
expect_cell(params, 21, 2, "SU")
expect_cell(params, 21, 3, "<0.5")
expect_cell(params, 21, 6, "")
e2e.find(form, role="push button", name="Edit Mode").click()
# The scale of pH, copied into the new parameter, with the keyboard alone.
click_cell(params, 21, 1)
keys("ctrl+Home", "Down", "Right", "Right", "Right", "ctrl+c")
keys(*["Down"] * 19, "ctrl+v")
expect_cell(params, 21, 4, "5,9,.5")
e2e.screenshot("project-walked")
e2e.find(form, role="push button", name="OK").click()
redef = e2e.window(app, "Redefine Quillmare Database")
e2e.find(redef, role="push button", name="OK").click()
e2e.window_closed(app, "Project Information")
e2e.alive(proc, app)

timed("project form")
e2e.find(main, role="menu item", name="File").click()
e2e.find(app, role="menu item", name="Exit").click()
e2e.stop(proc)

# ---- what the project and its database hold now
folder = os.path.join(os.environ["XDG_DATA_HOME"], "qmar2002", "demo")
with open(os.path.join(folder, "millbrook.qlp"), "rb") as f:
    project = f.read().decode("latin-1")
for line in ("MW-9|1000|2000|100.5", "pH_Lab|SU|<0.5|5,9,.5|"):
    if line not in project:
        e2e.fail(f"the project file does not hold {line!r}")
db = sqlite3.connect(os.path.join(folder, "millbrook.mdb"))
columns = [r[1] for r in db.execute('PRAGMA table_info("Data")')]
if "pH_Lab" not in columns:
    e2e.fail(f"the database has no column pH_Lab: {columns}")
mw1 = db.execute('SELECT "Dup", "WL_Elev", "pH", "Cond", "Temp", "TDS" FROM "Data" '
                 'WHERE "Source" = \'MW-1\' ORDER BY "Samp_Date", "Dup"').fetchall()
expected = {  # row of the grid: (column, value)
    1: [("pH", "<0.5")], 2: [("pH", "pH")], 3: [("Dup", "a_b")], 4: [("Cond", "MW-3")],
    6: [("WL_Elev", "99.5")], 7: [("WL_Elev", "98.5")], 10: [("Temp", "<0.5")], 11: [("Temp", "pH")], 13: [("TDS", kept_wl_row12)],
}
names = ["Dup", "WL_Elev", "pH", "Cond", "Temp", "TDS"]
for row, checks in expected.items():
    for column, value in checks:
        got = mw1[row - 1][names.index(column)]
        if got != value:
            e2e.fail(f"MW-1 record {row}: {column} is {got!r}, not {value!r}")
if mw1[4][names.index("pH")] != kept_ph_row5:
    e2e.fail("Escape did not keep the old value")
added = {r[0]: r[1:] for r in db.execute('SELECT "Dup", "Samp_Date", "WL_Elev", "pH" FROM "Data" '
                                          'WHERE "Source" = \'MW-3\' AND "Samp_Date" = \'2004-05-05\'')}
if added.keys() != {"a_b", "B"} or added["a_b"][1:] != ("101.5", "<0.5") or added["B"][2] != "pH":
    e2e.fail(f"Add Records stored {added}")
db.close()
print(f"typing walk took {time.time() - started:.0f} s")
print("1 passed, 0 failed")
