# The Stiff graph and groundwater elevation forms on the demo project, as a person uses them: sets
# chosen by clicks, parameters and sources picked by mouse and by keyboard, episode dates, a scale and
# titles typed with capitals and symbols, Escape, the clipboard and arrows; each form is left with No
# to saving, and the program lives on. Then a new user's site in metres (below).
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e  # noqa: E402
from e2e import click_cell, expect_cell, keys, type_text  # noqa: E402

proc, app, main = e2e.start_past_splash()

# ---- Stiff graph
form = e2e.open_report_form(app, main, "Stiff Graph", "Stiff Graph Report")
SS1 = e2e.find(form, role="table", name="SS1")
SS2 = e2e.find(form, role="table", name="SS2")
SS3 = e2e.find(form, role="table", name="SS3")
SS5 = e2e.find(form, role="table", name="SS5")
SS6 = e2e.find(form, role="table", name="SS6")
click_cell(SS1, 1, 1)                                    # set 1 takes the picks
e2e.find(form, role="list item", name="6) Ca").click()
e2e.settle()
keys("Down", "Return")                                   # Mg by keyboard, into the next row
expect_cell(SS1, 1, 1, "Ca")
expect_cell(SS1, 2, 1, "Mg")
click_cell(SS2, 1, 1)
for source in ("1) MW-1", "3) MW-3"):
    e2e.find(form, role="list item", name=source).click()
expect_cell(SS2, 2, 1, "MW-3")
click_cell(SS3, 1, 1)                                    # now set 2
e2e.find(form, role="list item", name="11) Cl").click()
expect_cell(SS3, 1, 1, "Cl")
expect_cell(SS1, 3, 1, "")

click_cell(SS5, 1, 1)
type_text("03/11/1998")
keys("Tab")
type_text("03/12/1998")
keys("Return")
click_cell(SS5, 2, 1)
type_text("Spring Round")
keys("Escape")                                           # the cell keeps what it had
keys("Up", "ctrl+c", "Down", "ctrl+v")                   # the start date copied a row down
keys("Right")
type_text("06/10/1998")
keys("Down", "Down", "Up")
expect_cell(SS5, 1, 1, "03/11/1998")
expect_cell(SS5, 1, 2, "03/12/1998")
expect_cell(SS5, 2, 1, "03/11/1998")
expect_cell(SS5, 2, 2, "06/10/1998")
click_cell(SS6, 1, 1)
type_text("Millbrook Major Ions (Q1 & Q2)")
keys("Return")
expect_cell(SS6, 1, 1, "Millbrook Major Ions (Q1 & Q2)")
e2e.alive(proc, app)
e2e.screenshot("frmStiff")
e2e.leave_form(proc, app, form, "Stiff Graph Report")

# ---- groundwater elevation
form = e2e.open_report_form(app, main, "Groundwater Elevation Graph", "Groundwater Elevation Graph")
SS1 = e2e.find(form, role="table", name="SS1")
SS2 = e2e.find(form, role="table", name="SS2")
SS3 = e2e.find(form, role="table", name="SS3")
click_cell(SS1, 1, 1)
for source in ("1) MW-1", "2) MW-2", "3) MW-3"):
    e2e.find(form, role="list item", name=source).click()
e2e.settle()
keys("Down", "Return")                                   # MW-4 by keyboard ends the set
e2e.find(form, role="list item", name="9) PZ-1").click() # the first source of set 2
expect_cell(SS1, 1, 4, "MW-4")
expect_cell(SS1, 2, 1, "PZ-1")
e2e.find(form, role="list item", name="1) WL_Elev").click()
expect_cell(SS2, 1, 1, "1")
expect_cell(SS1, 1, 5, "90,115,5")
expect_cell(SS1, 2, 5, "90,115,5")

click_cell(SS1, 2, 5)
keys("Delete")
type_text("100,120,2")
keys("Return")
click_cell(SS1, 1, 2)
type_text("Typed")                                       # a source cell takes no typing
keys("Escape", "Right", "Left")
click_cell(SS2, 2, 1)
type_text("E")
keys("Return")
click_cell(SS3, 1, 1)
type_text("Water Levels (ft MSL) & Trends")
keys("Down")
type_text("Wells MW-1 to MW-4")
keys("Escape", "Up", "ctrl+c", "Down", "Down", "ctrl+v", "Up")
expect_cell(SS1, 2, 5, "100,120,2")
expect_cell(SS1, 1, 2, "MW-2")
expect_cell(SS2, 2, 1, "E")
expect_cell(SS3, 1, 1, "Water Levels (ft MSL) & Trends")
expect_cell(SS3, 2, 1, "")
expect_cell(SS3, 3, 1, "Water Levels (ft MSL) & Trends")
e2e.alive(proc, app)
e2e.screenshot("frmGWElev")
e2e.leave_form(proc, app, form, "Groundwater Elevation Graph")

# ---- a new user's site in metres: the water level in m under a long full name; a scale of half
# metres is refused on Save and on Preview with the message, one of whole metres previews its page.
e2e.choose(app, main, "File", "Edit  Project Info")
form = e2e.window(app, "Project Information")
params = e2e.find(form, role="table", name="SS")
for col, text in ((2, "m"), (6, "Groundwater Elevation above Site Datum (m)")):
    click_cell(params, 1, col)
    keys("Delete")
    type_text(text)
    keys("Return")
e2e.find(form, role="push button", name="OK").click()
e2e.window_closed(app, "Project Information")

form = e2e.open_report_form(app, main, "Groundwater Elevation Graph", "Groundwater Elevation Graph")
e2e.choose(app, form, "File", "Open")
gwf = os.path.join(os.environ["XDG_DATA_HOME"], "qmar2002", "demo", "millbrook.gwf")
e2e.file_dialog(app, "Open", gwf)
SS1 = e2e.find(form, role="table", name="SS1")
type_scale = lambda text: (click_cell(SS1, 1, 5), keys("Delete"), type_text(text), keys("Return"))  # noqa: E731
type_scale("45,50,0.5")
REFUSED = ('Source Set 1: the scale "45,50,0.5" cannot be drawn as typed.  The scale is three whole numbers, '
           'bottom, top and step, e.g. "45,50,1": the top above the bottom and a step of 1 or more, for at most '
           '100 ticks.')
e2e.choose(app, form, "File", "Save")
e2e.answer_box(app, e2e.box_saying(app, REFUSED))
e2e.find(form, role="menu item", name="Preview").click()
SAVE_FIRST = "Would you like to save the current file before drawing to the screen?"
e2e.find(e2e.box_saying(app, SAVE_FIRST), role="push button", name="Yes").click()
e2e.answer_box(app, e2e.box_saying(app, REFUSED))
if e2e.showing(app, "Select Source Sets to Preview"):
    e2e.fail("a scale that cannot be drawn started a run")
type_scale("45,50,1")
e2e.find(form, role="menu item", name="Preview").click()
e2e.find(e2e.box_saying(app, SAVE_FIRST), role="push button", name="Yes").click()
chooser = e2e.window(app, "Select Source Sets to Preview")
e2e.find(chooser, role="list item", name="Set 1").click()
e2e.find(chooser, role="push button", name="OK").click()
preview = e2e.wait_showing(app, e2e.PREVIEW)
e2e.settle(1)
e2e.screenshot("gwelev-metres-page")
e2e.choose(app, preview, "File", "Exit Screen Preview")
e2e.wait_for("the preview is still showing", lambda: not e2e.showing(app, e2e.PREVIEW), 10)
e2e.window_closed(app, "Select Source Sets to Preview")
with open(gwf, "rb") as f:
    if b"\r\n45,50,1\r\n" not in f.read():
        e2e.fail("the scale 45,50,1 was not saved")
e2e.alive(proc, app)
e2e.choose(app, form, "File", "Return to Main Menu")     # saved: closing asks nothing
e2e.window_closed(app, "Groundwater Elevation Graph")

e2e.finish(proc, app, main)
