# A source summary definition made on the demo project as a person makes one: two parameter picks
# (mouse, then keyboard), report information typed with the clipboard and Escape, the source list
# picked, a general note written, then Return to Data Editor, Yes to saving and a name typed into
# Save As. The file's bytes are checked, and the form shows the definition again when reopened.
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e  # noqa: E402
from e2e import click_cell, expect_cell, keys, type_text  # noqa: E402

proc, app, main = e2e.start_past_splash()


def open_form():
    return e2e.open_report_form(app, main, "Source Summary", "Source Summary Report")


# ---- the definition
form = open_form()
SS = e2e.find(form, role="table", name="SS")
SS2 = e2e.find(form, role="table", name="SS2")
info = e2e.find(form, role="table", name="SSRepInfo")
click_cell(SS, 1, 2)
e2e.find(form, role="list item", name="2) pH").click()   # pH into slot 2, the first graph
e2e.settle()
keys("Down", "Down", "Down", "Return")                   # TDS into slot 3, where the caret went
expect_cell(SS, 1, 2, "2")
expect_cell(SS, 2, 2, "pH")
expect_cell(SS, 1, 3, "5")
expect_cell(SS, 4, 3, "Solids")
expect_cell(SS2, 1, 1, "pH (field)")
expect_cell(SS2, 2, 2, "0,1500,250")

click_cell(info, 1, 1)
type_text("Millbrook Q3 Report")
keys("Return")                                           # commits, one row down
type_text("Draft: do not use")
keys("Escape")                                           # the cell gets its old text back
keys("ctrl+Home", "ctrl+c", "Down", "Down", "ctrl+v")    # the title into the third row
click_cell(info, 5, 1)
type_text("B")
keys("Down", "Next")
expect_cell(info, 1, 1, "Millbrook Q3 Report")
expect_cell(info, 2, 1, "")
expect_cell(info, 3, 1, "Millbrook Q3 Report")
expect_cell(info, 5, 1, "B")

# ---- the source list
e2e.find(form, role="push button", name="Edit Source List").click()
picker = e2e.window(app, "Create Well List")
for source in ("MW-1", "MW-3"):
    e2e.find(picker, role="list item", name=source).click()
    e2e.find(picker, role="push button", name=">").click()
e2e.find(picker, role="push button", name="OK").click()
e2e.window_closed(app, "Create Well List")
e2e.find(form, role="list item", name="MW-3")

# ---- a general note
e2e.find(form, role="push button", name="Edit Notes").click()
notes = e2e.window(app, "Source Summary Notes")
e2e.find(notes, name="MemoGenNotes").click()
type_text("Filtered in field.")
keys("Return")
type_text("Values in mg/L")
e2e.find(notes, role="push button", name="OK").click()
e2e.window_closed(app, "Source Summary Notes")
e2e.alive(proc, app)
e2e.screenshot("wellsum")

# ---- leaving the form: Yes to saving, a name typed without its extension
e2e.choose(app, form, "File", "Return to Data Editor")
e2e.find(app, role="push button", name="Yes").click()
save_as = e2e.window(app, "Save As")
e2e.settle(0.5)
type_text("Q3 report")
keys("Return")
e2e.window_closed(app, "Save As")
e2e.window_closed(app, "Source Summary Report")
e2e.alive(proc, app)

folder = os.path.join(os.environ["XDG_DATA_HOME"], "qmar2002", "demo")
path = os.path.join(folder, "Q3 report.wsf")
e2e.wait_for(f"{path} was not written", lambda: os.path.exists(path))
with open(path, "rb") as f:
    written = f.read()
slot2 = ["2", "pH", "(field)", "", "units", "6.5-8.5", "pH (field)", "5,9,.5"]
slot3 = ["5", "Total", "Dissolved", "Solids", "mg/L", "500", "Total Dissolved Solids", "0,1500,250"]
lines = (["2", "MW-1", "MW-3"] + [""] * 8 + slot2 + slot3 + [""] * 64 +
         ["Millbrook Q3 Report", "", "Millbrook Q3 Report", "", "B", "", ""] +
         ["2", "Filtered in field.\u00b6", "Values in mg/L", "0", "0"])
expected = "".join(line + "\r\n" for line in lines).encode("latin-1")
if written != expected:
    e2e.fail(f"the file holds {written!r}, not {expected!r}")

# ---- the form reopens the file it closed on
form = open_form()
SS = e2e.find(form, role="table", name="SS")
info = e2e.find(form, role="table", name="SSRepInfo")
expect_cell(SS, 1, 2, "2")
expect_cell(SS, 3, 3, "Dissolved")
expect_cell(info, 1, 1, "Millbrook Q3 Report")
e2e.find(form, role="list item", name="MW-1")
e2e.choose(app, form, "File", "Return to Data Editor")   # nothing changed: no question
e2e.window_closed(app, "Source Summary Report")
e2e.finish(proc, app, main)
