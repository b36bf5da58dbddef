# A source summary run on the demo project as a person runs one: the demo definition opened, Preview,
# two sources chosen by mouse and keyboard, Enter for OK. The run data file lies beside the
# definition; the preview shows every page of both sources one after another by Next Page (Escape
# does not leave it), and the run ends after the last. A second run is left on its second page by
# Exit Screen Preview: no further page comes, and the program lives on. Then Batch Print (no printer
# here: the first asks for a PDF file in Print Setup) gives for every report kind of the demo one PDF
# of the pages its preview shows, in run order, every page under the report's title; each run asks
# for its file in the Save dialog, leaves the earlier files as they were, and Cancel there prints nothing.
import math
import functools
import hashlib
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e  # noqa: E402
from e2e import keys, type_text, wait_until  # noqa: E402

PREVIEW = "Screen Preview"
CHOOSER = "Select Sources to Preview"

proc, app = e2e.start()
e2e.find(app, name="v. 2002.5").click()
e2e.gone(app, "v. 2002.5")
main = e2e.find(app, role="frame")
folder = os.path.join(os.environ["XDG_DATA_HOME"], "qmar2002", "demo")
data_file = os.path.join(folder, "millbrook.WSD")


showing = functools.partial(e2e.showing, app)
wait_showing = functools.partial(e2e.wait_showing, app)


def wait_hidden(name, timeout=10):
    e2e.wait_for(f"the window {name!r} is still showing", lambda: not showing(name), timeout)


def heading_box():
    """The message box of a run whose heading file is missing, if one shows."""
    for w in app.children:
        if w.showing and w.name not in (PREVIEW, CHOOSER) and w.roleName in ("alert", "dialog"):
            queue = [w]
            while queue:
                for child in queue.pop(0).children:
                    if child is not None and child.name.startswith("Heading file:"):
                        return child
                    if child is not None:
                        queue.append(child)
    return None


def preview(choose):
    """Preview on the form, the sources chosen by choose(dialog), then Enter."""
    e2e.find(form, role="menu item", name="Preview").click()
    dialog = e2e.window(app, CHOOSER)
    choose(dialog)
    keys("Return")                                   # OK is the dialog's default button
    # A program folder whose settings name no heading file says so once per run; the pages are
    # drawn with the built-in headings after OK.
    wait_until(lambda: showing(PREVIEW) or heading_box() is not None, 10)
    box = heading_box()
    if box is not None:
        print("NOTE:", box.name)
        keys("Return")
    return wait_showing(PREVIEW)


def next_page(window):
    e2e.find(window, role="push button", name="Next Page").click()
    e2e.settle(0.7)                                  # the next page is drawn and shown, or the run ends


def pages_of(path):
    """Pages a source summary of print choice "B" shows per source: its 39-row table pages and
    the graph page."""
    with open(path, "rb") as f:
        lines = f.read().decode("latin-1").split("\r\n")
    pages, i = [], 0
    while i + 2 < len(lines) and lines[i]:
        n = int(lines[i + 2])
        pages.append(max(1, math.ceil(n / 39)) + 1)
        i += 3 + n
        i += 1 + int(lines[i])
    return pages


# ---- the demo definition, opened on the source summary form
e2e.find(main, role="menu item", name="Reports").click()
e2e.find(app, role="menu item", name="Source Summary").click()
form = e2e.window(app, "Source Summary Report")
e2e.find(form, role="menu item", name="File").click()
e2e.find(app, role="menu item", name="Open").click()
e2e.window(app, "Open")
e2e.settle(0.5)
type_text("millbrook.wsf")
keys("Return")
e2e.window_closed(app, "Open")
e2e.find(form, role="list item", name="MW-3")
if os.path.exists(data_file):
    e2e.fail("the demo ships a run data file")


# ---- first run: both sources, every page
def mouse_then_keyboard(dialog):
    e2e.find(dialog, role="list item", name="MW-2").click()
    keys("Down", "space")                            # MW-3 joins the choice


window = preview(mouse_then_keyboard)
e2e.wait_for(f"{data_file} was not written beside the definition", lambda: os.path.exists(data_file))
per_source = pages_of(data_file)
if len(per_source) != 2:
    e2e.fail(f"the run data file holds {len(per_source)} sources, not 2")
total = sum(per_source)
e2e.screenshot("run_page1")
keys("Escape")                                       # the preview is not left by Escape
e2e.settle(0.5)
if not showing(PREVIEW):
    e2e.fail("Escape left the preview")
for page in range(1, total):
    next_page(window)
    if not showing(PREVIEW):
        e2e.fail(f"the run ended after page {page} of {total}")
    window = e2e.window(app, PREVIEW)
next_page(window)                                    # Next Page on the last page ends the run
wait_hidden(PREVIEW)
e2e.window_closed(app, CHOOSER)
e2e.settle(1)
if showing(PREVIEW):
    e2e.fail(f"a page came after the last of {total}")
e2e.alive(proc, app)


# ---- second run: left on page 2
def select_all(dialog):
    e2e.find(dialog, name="Select All").click()


window = preview(select_all)
next_page(window)
window = wait_showing(PREVIEW)
e2e.screenshot("run_page2")
e2e.find(window, role="menu item", name="File").click()
e2e.find(app, role="menu item", name="Exit Screen Preview").click()
wait_hidden(PREVIEW)
e2e.window_closed(app, CHOOSER)
e2e.settle(1.5)
if showing(PREVIEW):
    e2e.fail("a page came after Exit Screen Preview")
e2e.alive(proc, app)

# ---- the form is back and leaves as usual
e2e.find(form, role="menu item", name="File").click()
e2e.find(app, role="menu item", name="Return to Data Editor").click()
e2e.window_closed(app, "Source Summary Report")

# ---- Batch Print of every kind, all items, each to a PDF of its own
md5 = lambda f: hashlib.md5(open(f, "rb").read()).hexdigest()  # noqa: E731
sums = {}
KINDS = [("Source Summary", "Source Summary Report", "Sources", "Data Editor", "millbrook.wsf"),
         ("Parameter Summary", "Parameter Summary Report", "Parameters", "Data Editor", "millbrook.psf"),
         ("Date Summary", "Date Summary Report", "Episodes", "Main Menu", "millbrook.dsf"),
         ("Stiff Graph", "Stiff Graph Report", "Episodes", "Main Menu", "millbrook.stf"),
         ("Groundwater Elevation Graph", "Groundwater Elevation Graph", "Source Sets", "Main Menu", "millbrook.gwf")]
for n, (menu, caption, items, leave, definition) in enumerate(KINDS):
    kind = (menu, caption, f"Select {items} to Print", "Return to " + leave, definition)
    pdf = f"{os.environ['HOME']}/{definition[10:]}.pdf"
    items, pages = e2e.batch_print_demo(proc, app, main, kind, pdf, n == 0)
    sums[pdf] = md5(pdf)
    # Pages per item as the preview shows them: a source's table pages and graph, an episode's table
    # and its 2 maps, one page for every other item; each page says which item of how many it shows.
    per_item = pages_of(data_file) if n == 0 else [1 + 2 if n == 2 else 1] * len(items)
    for at, k in enumerate(k for k, count in enumerate(per_item, 1) for _ in range(count)):
        if len(pages) != sum(per_item) or "Millbrook Landfill" not in pages[at] or f"{k} of {len(items)}" not in pages[at]:
            e2e.fail(f"{definition}: page {at + 1} of {len(pages)} is not of item {k} of {items}, as {per_item} says")
    if any(md5(f) != s for f, s in sums.items()):
        e2e.fail(f"run {n + 1} printed over an earlier run's PDF")
before = sorted(os.listdir(os.environ["HOME"]))
e2e.batch_print_demo(proc, app, main, kind, None, False)
if sorted(os.listdir(os.environ["HOME"])) != before or any(md5(f) != s for f, s in sums.items()):
    e2e.fail(f"a print cancelled in the Save dialog changed the files: {before}")
e2e.find(main, role="menu item", name="File").click()
e2e.find(app, role="menu item", name="Exit").click()
e2e.stop(proc)
print("1 passed, 0 failed")
