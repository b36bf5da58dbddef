# The colour definitions from the drawing window, as a person uses them: a source summary of the demo
# previewed, Utilities > Define Colors, a colour typed into the first free row (a name with capitals and
# symbols, Tab, its values), Escape over a second try, the clipboard and arrows, Refresh, then Cancel.
# The grid keeps what was typed until Cancel, the colour file stays as it was, the program lives on.
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e  # noqa: E402
from e2e import click_cell, expect_cell, keys, type_text  # noqa: E402

home = os.path.join(os.environ["XDG_DATA_HOME"], "qmar2002")
colour_file = os.path.join(home, "defcolor.col")
# Settings naming the shipped heading and colour files, so that a report page can be previewed; the
# first start fills in the rest of the program folder.
os.makedirs(home, exist_ok=True)
settings = [home + "/", "0,0", "Arial", "", home + "/fills/", home + "/symbols/", "", home + "/usqmar.qlh", "",
            colour_file, "prompt.txt", "PAGE", "0", "0", "0", "", "1", "", "1", "0"]
with open(os.path.join(home, "DEVICE.CFG"), "wb") as f:
    f.write("".join(line + "\r\n" for line in settings).encode("latin-1"))
proc, app = e2e.start()
e2e.find(app, name="v. 2002.5").click()
e2e.gone(app, "v. 2002.5")
main = e2e.find(app, role="frame")

with open(colour_file, "rb") as f:
    shipped = f.read()
count = int(shipped.split(b"\r\n")[0])

# ---- a page in the drawing window
e2e.find(main, role="menu item", name="Reports").click()
e2e.find(app, role="menu item", name="Source Summary").click()
form = e2e.window(app, "Source Summary Report")
e2e.find(form, role="menu item", name="File").click()
e2e.find(app, role="menu item", name="Open").click()
e2e.settle(0.5)
type_text(os.path.join(home, "demo", "millbrook.wsf"))
keys("Return")
e2e.find(form, role="list item", name="MW-2")
e2e.find(form, role="menu item", name="Preview").click()
run = e2e.window(app, "Select Sources to Preview")
e2e.find(run, role="list item", name="MW-2").click()
e2e.find(run, role="push button", name="OK").click()
preview = e2e.window(app, "Screen Preview", timeout=30)

# ---- the colour definitions
e2e.find(preview, role="menu item", name="Utilities").click()
e2e.find(app, role="menu item", name="Define Colors").click()
define = e2e.window(app, "Define Colors - " + colour_file)
SS = e2e.find(define, role="table", name="SSColor")
expect_cell(SS, 1, 1, "Black")
row = count + 1
click_cell(SS, 1, 1)
keys(*["Down"] * (row - 1), delay=20)            # to the first free row, below the visible ones
type_text("Sea Green #2")
keys("Tab")
type_text("46 139 87")
keys("Return")                                   # commits, one row down
type_text("Not Kept")
keys("Escape")                                   # the cell gets its old text back
keys("Up", "ctrl+c", "Down", "ctrl+v")           # the values copied a row down
keys("Left", "Page_Down", "Page_Up")
expect_cell(SS, row, 1, "Sea Green #2")
expect_cell(SS, row, 2, "46 139 87")
expect_cell(SS, row + 1, 1, "")
expect_cell(SS, row + 1, 2, "46 139 87")
e2e.find(define, role="push button", name="Refresh").click()
e2e.alive(proc, app)
e2e.screenshot("define-colors")
expect_cell(SS, row, 1, "Sea Green #2")

# Cancel closes without a question and without saving.
e2e.find(define, role="push button", name="Cancel").click()
e2e.window_closed(app, "Define Colors - " + colour_file)
with open(colour_file, "rb") as f:
    if f.read() != shipped:
        e2e.fail("Cancel changed the colour file")
e2e.alive(proc, app)

# ---- leaving the preview and the program
e2e.find(preview, role="menu item", name="File").click()
e2e.find(app, role="menu item", name="Exit Screen Preview").click()
# Exit hides the window; it stays loaded for the next run.
e2e.wait_for("the preview is still shown", lambda: all(w.name != "Screen Preview" or not w.showing for w in app.children))
e2e.find(form, role="menu item", name="File").click()
e2e.find(app, role="menu item", name="Return to Data Editor").click()
e2e.window_closed(app, "Source Summary Report")
e2e.find(main, role="menu item", name="File").click()
e2e.find(app, role="menu item", name="Exit").click()
e2e.stop(proc)
print("1 passed, 0 failed")
