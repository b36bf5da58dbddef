# The two date forms on the demo project as a person fills them: episodes typed into the date
# summary with the clipboard, arrows and Escape, parameters and sources picked by mouse and by
# keyboard, an Abv/Blw text typed; on the date contour form picks, a gridding method chosen from
# its drop-down list and notes typed with capitals and symbols. Each form is left with No to saving;
# the program stays alive and writes no file.
import glob
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e  # noqa: E402
from e2e import click_cell, expect_cell, keys, type_text  # noqa: E402

proc, app, main = e2e.start_past_splash()

# ---- the date summary
form = e2e.open_report_form(app, main, "Date Summary", "Date Summary Report")
SS5 = e2e.find(form, role="table", name="SS5")
SS1 = e2e.find(form, role="table", name="SS1")
SS2 = e2e.find(form, role="table", name="SS2")
SS3 = e2e.find(form, role="table", name="SS3")
SS4 = e2e.find(form, role="table", name="SS4")

click_cell(SS5, 1, 1)
type_text("3/1/1998")
keys("Tab")
type_text("3/12/1998")
keys("Return")                                     # commits, one row down
keys("Left")
type_text("6/1/1998")
keys("Tab")
type_text("Draft?")
keys("Escape")                                     # the cell gets its old (empty) text back
type_text("6/11/1998")
keys("Down")
keys("Up", "Up", "ctrl+c", "Down", "Down", "ctrl+v")   # the first episode's end into row 3
expect_cell(SS5, 1, 1, "3/1/1998")
expect_cell(SS5, 1, 2, "3/12/1998")
expect_cell(SS5, 2, 1, "6/1/1998")
expect_cell(SS5, 2, 2, "6/11/1998")
expect_cell(SS5, 3, 2, "3/12/1998")

click_cell(SS1, 1, 1)
e2e.find(form, role="list item", name="2) pH").click()
e2e.settle()
keys("Down", "Down", "Down", "Return")             # 5) TDS into row 2, where the caret went
expect_cell(SS1, 1, 1, "pH")
expect_cell(SS1, 2, 1, "TDS")

click_cell(SS2, 1, 1)
e2e.find(form, role="list item", name="3) MW-3").click()
e2e.settle()
keys("Down", "space")                              # 4) MW-4 into row 2
click_cell(SS2, 1, 2)
type_text("A")
keys("Return")
expect_cell(SS2, 1, 1, "MW-3")
expect_cell(SS2, 1, 2, "A")
expect_cell(SS2, 1, 3, "1985")
expect_cell(SS2, 2, 1, "MW-4")
expect_cell(SS2, 2, 4, "1730")

click_cell(SS3, 1, 1)
type_text("Millbrook Q1 & Q2 (1998) Summary")
keys("Return")
click_cell(SS4, 3, 1)
type_text("Feet")
keys("Down", "Page_Down")
expect_cell(SS3, 1, 1, "Millbrook Q1 & Q2 (1998) Summary")
expect_cell(SS4, 3, 1, "Feet")
e2e.alive(proc, app)
e2e.screenshot("datesum")
e2e.leave_form(proc, app, form, "Date Summary Report")

# ---- the date contour
form = e2e.open_report_form(app, main, "Date Contour", "Date Contour Report")
SS1 = e2e.find(form, role="table", name="SS1")
SS2 = e2e.find(form, role="table", name="SS2")
SS3 = e2e.find(form, role="table", name="SS3")
SS4 = e2e.find(form, role="table", name="SS4")
expect_cell(SS1, 1, 1, "")                         # the date summary's picks are not shown here

click_cell(SS1, 1, 1)
e2e.find(form, role="list item", name="14) Fe").click()
click_cell(SS2, 1, 1)
for source in ("1) MW-1", "2) MW-2", "8) MW-8"):
    e2e.find(form, role="list item", name=source).click()
expect_cell(SS1, 1, 1, "Fe")
expect_cell(SS2, 3, 1, "MW-8")
expect_cell(SS2, 3, 3, "1120")

click_cell(SS3, 1, 1)
type_text("Iron Plume, Q1-1998")
keys("Down", "Down", "Down", "Down")
type_text("3/1/1998,3/12/1998")
keys("Return")
expect_cell(SS3, 1, 1, "Iron Plume, Q1-1998")
expect_cell(SS3, 5, 1, "3/1/1998,3/12/1998")

# The gridding method from its drop-down list.
click_cell(SS4, 4, 1)
keys("F2", "alt+Down")                            # the cell's list opens
e2e.settle(0.5)
type_text("Kr")                                    # the list's own search finds it
keys("Return")
expect_cell(SS4, 4, 1, "Kriging")
click_cell(SS4, 7, 1)
type_text("3D,30,45")
keys("Return")
expect_cell(SS4, 7, 1, "3D,30,45")

notes = e2e.find(form, name="Text1")
notes.click()
type_text("Fe & Mn in ug/L; ND = <10!")
keys("Return")
type_text("Contours by KRIGING (default).")
keys("Up", "End", "BackSpace")
expected_notes = "Fe & Mn in ug/L; ND = <10\nContours by KRIGING (default)."
e2e.wait_for(f"the notes read {notes.text!r}", lambda: notes.text == expected_notes)
e2e.alive(proc, app)
e2e.screenshot("datecontour")
e2e.leave_form(proc, app, form, "Date Contour Report")

folder = os.path.join(os.environ["XDG_DATA_HOME"], "qmar2002")
shipped = {os.path.join(folder, "demo", n) for n in ("millbrook.dsf", "plume.dcf")}
written = [p for p in glob.glob(os.path.join(folder, "**", "*.d[sc]f"), recursive=True) if p not in shipped]
if written:
    e2e.fail(f"No to saving wrote {written}")

e2e.finish(proc, app, main)
