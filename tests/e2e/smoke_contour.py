# The date contour report of the demo project as a person runs it: the demo definition opened on the
# date contour form, Preview. The data file is written beside the definition, named after it; the
# map is gridded beside it; the plot window opens with the page and no message comes. The plot
# window prints its map to a one-page PDF named in Print Setup (no printer here) and the Save dialog,
# says so and closes. Batch Print of two episodes gives a page of maps each; the form and program leave.
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e  # noqa: E402
from e2e import keys, type_text  # noqa: E402

PLOT = "Plot 1"
FORM = "Date Contour Report"

proc, app = e2e.start()
e2e.find(app, name="v. 2002.5").click()
e2e.gone(app, "v. 2002.5")
main = e2e.find(app, role="frame")
folder = os.path.join(os.environ["XDG_DATA_HOME"], "qmar2002", "demo")
grid_file = os.path.join(folder, "PLUME.GRD")


def showing_boxes():
    return [w.name for w in app.children if w.showing and w.roleName == "alert"]


# ---- the demo definition on its form
e2e.find(main, role="menu item", name="Reports").click()
e2e.find(app, role="menu item", name="Date Contour").click()
form = e2e.window(app, FORM)
e2e.find(form, role="menu item", name="File").click()
e2e.find(app, role="menu item", name="Open").click()
e2e.window(app, "Open")
e2e.settle(0.5)
type_text("plume.dcf")
keys("Return")
e2e.window_closed(app, "Open")
SS1 = e2e.find(form, role="table", name="SS1")
e2e.expect_cell(SS1, 1, 1, "WL_Elev")
if os.path.exists(grid_file):
    e2e.fail(f"the demo ships {grid_file}")

# ---- Preview: data file, grid, plot window
e2e.find(form, role="menu item", name="Preview").click()
deadline = time.time() + 20
while time.time() < deadline and not any(w.name == PLOT and w.showing for w in app.children):
    if showing_boxes():
        e2e.screenshot("contour_box")
        e2e.fail(f"a message box came: {showing_boxes()}")
    time.sleep(0.2)
plot = e2e.window(app, PLOT)
e2e.find(plot, name="View")
e2e.settle(1)
if showing_boxes():
    e2e.fail(f"a message box came: {showing_boxes()}")
data_file = os.path.join(folder, "PLUME.TXT")
if not os.path.exists(data_file):
    e2e.fail(f"no data file beside the definition: {sorted(os.listdir(folder))}")
if not os.path.exists(os.path.join(folder, "millbrook.txt")):
    e2e.fail("the demo's import file is gone")
with open(data_file, "rb") as f:
    lines = f.read().split(b"\r\n")
if len(lines) != 10 or lines[-1] != b"" or not lines[0].startswith(b"1250\t2840\t"):
    e2e.fail(f"the data file holds {lines!r}, not the nine sources of the definition")
if not os.path.exists(grid_file) or os.path.getsize(grid_file) == 0:
    e2e.fail("no grid was written beside the data file")
e2e.screenshot("contour_plot")
e2e.alive(proc, app)

# ---- Print: no printer, so Print Setup first; the map on one page
pdf = os.path.join(os.environ["HOME"], "plot.pdf")
e2e.choose(app, plot, "File", "Print")
e2e.print_to_file(app, pdf)
e2e.file_dialog(app, "Print to File", pdf)
e2e.find(plot, role="label", name="1 page printed to " + pdf, timeout=15)
if len(e2e.pdf_pages(pdf, "contour_printed")) != 1 or showing_boxes():
    e2e.fail(f"{pdf} is no one-page map, or a message box came: {showing_boxes()}")

# ---- the plot window closes; the form and the program leave
e2e.find(plot, role="menu item", name="File").click()
e2e.find(app, role="menu item", name="Close").click()
e2e.window_closed(app, PLOT)

# ---- a second episode, in the date order the row shows; Batch Print of both: two pages of maps
SS3 = e2e.find(form, role="table", name="SS3")
first = e2e.cell_text(SS3, 5, 1)
second = "01/06/1998,30/06/1998" if first.startswith("01/03/") else "06/01/1998,06/30/1998"
e2e.click_cell(SS3, 5, 1)
type_text(f"{first}; {second}")
keys("Return")
e2e.choose(app, form, "File", "Batch Print")
e2e.answer_box(app, e2e.box_saying(app, "Would you like to save the current file before printing?"), "Yes")
dialog = e2e.window(app, "Draw/Print")
e2e.find(dialog, name="Select All").click()
e2e.find(dialog, role="push button", name="OK").click()
maps = os.path.join(os.environ["HOME"], "maps.pdf")
e2e.file_dialog(app, "Print to File", maps)
e2e.find(dialog, name="2 pages printed to " + maps, timeout=60)
pages = e2e.pdf_pages(maps, "contour_batch")
if len(pages) != 2 or any(e.replace(",", " - ") not in p or "Groundwater Elevation" not in p
                          for e, p in zip((first, second), pages)):
    e2e.fail(f"{maps} is not the two episodes' maps: {pages}")
e2e.find(dialog, role="push button", name="Cancel").click()
e2e.find(form, role="menu item", name="File").click()
e2e.find(app, role="menu item", name="Return to Main Menu").click()
e2e.window_closed(app, FORM)
e2e.alive(proc, app)
e2e.find(main, role="menu item", name="File").click()
e2e.find(app, role="menu item", name="Exit").click()
e2e.stop(proc)
print("1 passed, 0 failed")
