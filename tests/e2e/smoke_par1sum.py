# The heading and logo editor and the parameter summary form, used as a person uses them: a logo line
# and heading rows typed with capitals and symbols, OK; then two picks, the report information typed
# with Enter going down the rows, Escape and the clipboard, and the form closed without saving.
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e  # noqa: E402
from e2e import click_cell, expect_cell, keys, type_text  # noqa: E402

proc, app, main = e2e.start_past_splash()
folder = os.path.join(os.environ["XDG_DATA_HOME"], "qmar2002")

# ---- Utilities > Define Headings/Logo
e2e.choose(app, main, "Utilities", "Define Headings/Logo")
editor = e2e.window(app, "Heading/Logo Editor")
line1 = e2e.find(editor, name="Textln1")
line1.click()
keys("ctrl+a")
type_text("Kalvex & Sons, Inc. #7")
SS3 = e2e.find(editor, role="table", name="SS3")
click_cell(SS3, 1, 1)
type_text("WELL (A/B) #1")
keys("Return")                                  # the grid's own Enter: one row down
type_text("Sample Dates: Q3'02")
keys("Up", "ctrl+c", "Down", "Down", "ctrl+v")  # the first row again in the third
click_cell(SS3, 4, 1)
type_text("Units?")
keys("Escape")                                  # takes the typing back, the editor stays
expect_cell(SS3, 1, 1, "WELL (A/B) #1")
expect_cell(SS3, 2, 1, "Sample Dates: Q3'02")
expect_cell(SS3, 3, 1, "WELL (A/B) #1")
expect_cell(SS3, 4, 1, "Units")                 # the text the reports print, as the editor opened
e2e.alive(proc, app)
e2e.screenshot("headinglogo")
walk = os.path.join(folder, "walk.qlh")
e2e.choose(app, editor, "File", "Save Heading File")
e2e.file_dialog(app, "Save As", walk)
e2e.wait_for("Save offered the heading file to the reports in no box", lambda: e2e.message_boxes(app), 10)
e2e.answer_box(app, e2e.message_boxes(app)[0], "Yes")  # the reports print it from now on
e2e.find(editor, role="push button", name="OK").click()
e2e.window_closed(app, "Heading/Logo Editor")

logo = os.path.join(folder, "logo.txt")
with open(logo, "rb") as f:
    written = f.read()
expected = b"Kalvex & Sons, Inc. #7\r\nEnvironmental Consulting\r\nMonitoring Program\r\n0\r\n\r\n12\r\n9\r\n9\r\n"
if written != expected:
    e2e.fail(f"logo.txt holds {written!r}, not {expected!r}")
if any(name.endswith(".qlh") and name not in ("usqmar.qlh", "walk.qlh") for name in os.listdir(folder)):
    e2e.fail("OK saved the heading grid")

# ---- Reports > Parameter Summary
form = e2e.open_report_form(app, main, "Parameter Summary", "Parameter Summary Report")
SS = e2e.find(form, role="table", name="SS")
SS2 = e2e.find(form, role="table", name="SS2")
info = e2e.find(form, role="table", name="SS3")
click_cell(SS, 1, 1)
e2e.find(form, role="list item", name="2) pH").click()
e2e.settle()
keys("Down", "Down", "Down", "Return")          # TDS into row 2, where the caret went
expect_cell(SS, 1, 1, "pH")
expect_cell(SS, 2, 1, "TDS")
click_cell(SS2, 1, 1)
e2e.find(form, role="list item", name="3) MW-3").click()
expect_cell(SS2, 1, 1, "MW-3")

click_cell(info, 1, 1)
type_text("Millbrook Q3 Summary")
keys("Return")                                  # on to the next row
type_text("Draft: do NOT use!")
keys("Escape")
keys("Up", "ctrl+c", "Down", "Down", "ctrl+v")  # the title into the third row
click_cell(info, 5, 1)
type_text("MCL (mg/L)")
keys("Return", "Up", "Next")
expect_cell(info, 1, 1, "Millbrook Q3 Summary")
expect_cell(info, 2, 1, "")
expect_cell(info, 3, 1, "Millbrook Q3 Summary")
expect_cell(info, 5, 1, "MCL (mg/L)")
e2e.alive(proc, app)
e2e.screenshot("par1sum")

# ---- closing without saving
before = set(os.listdir(os.path.join(folder, "demo")))
e2e.leave_form(proc, app, form, "Parameter Summary Report", exit_item="Return to Data Editor")
if set(os.listdir(os.path.join(folder, "demo"))) != before:
    e2e.fail("No to saving wrote a file")

e2e.finish(proc, app, main)
with open(os.path.join(folder, "device.cfg"), encoding="latin-1") as f:
    if f.read().splitlines()[7] != walk:
        e2e.fail("the settings do not name walk.qlh as the heading file")
