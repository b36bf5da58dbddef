# Drawing files and printing from the drawing window as a person works them, with real X mouse and
# key events: a source summary page of the demo previewed, a rectangle drawn on it, the page saved
# as a ".kdf" file, a new empty drawing started from "Choose New Drawing Size", the saved file opened
# again (the page must look as it did when saved), and File > Print, which on this machine without a
# printer ends in the message to add one. The program then leaves the preview and ends as usual.
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e  # noqa: E402
from e2e import keys, type_text  # noqa: E402

PREVIEW = "Screen Preview"
CHOOSER = "Select Sources to Preview"
ADD_PRINTER = ("You must Add a Printer before attempting to print.  "
               "See Start < (Settings) < Control Panel < Printers.")


def mouse(*args):
    subprocess.run(["xdotool", *args], check=True)


def centre(node):
    (x, y), (w, h) = node.position, node.size
    if w <= 0 or h <= 0:
        e2e.fail(f"{node.name!r} has no place on the screen")
    return x + w // 2, y + h // 2


def page_point(fx, fy):
    """A screen point of the page view at fractions of its width and height."""
    (x, y), (w, h) = view.position, view.size
    return round(x + fx * w), round(y + fy * h)


shots = tempfile.mkdtemp()


def grab(name, box=(0.05, 0.05, 0.95, 0.95)):
    """The screen inside box (fractions of the page view) as a PNG."""
    (x1, y1), (x2, y2) = page_point(*box[:2]), page_point(*box[2:])
    path = os.path.join(shots, name + ".png")
    subprocess.run(["import", "-window", "root", "-crop", f"{x2 - x1}x{y2 - y1}+{x1}+{y1}", "+repage", path],
                   check=True)
    return path


def changed_pixels(before, after):
    r = subprocess.run(["compare", "-metric", "AE", "-fuzz", "10%", before, after, "null:"],
                       capture_output=True, text=True)
    if r.returncode not in (0, 1):
        e2e.fail(f"compare failed: {r.stderr.strip()}")
    return int(float(r.stderr.split()[0]))


def menu(window, top, item):
    e2e.find(window, role="menu item", name=top).click()
    e2e.find(app, role="menu item", name=item).click()


def boxes():
    return [w for w in app.children if w.showing and w.roleName == "alert"]


def box_saying(text, timeout=10):
    """The message box showing text; a failure naming the boxes there are when none does."""
    found = []

    def shown():
        found[:] = [b for b in boxes() if e2e._search(b, lambda n: n.name == text) is not None]
        return bool(found)

    if not e2e.wait_until(shown, timeout):
        e2e.screenshot("drawfiles_no_box")
        e2e.fail(f"no message box says {text!r}; boxes: {[b.name for b in boxes()]}")
    return found[0]


def file_dialog(title, path):
    """Types a full path into the file dialog of that title and confirms it."""
    e2e.wait_showing(app, title)
    e2e.settle(0.5)
    keys("ctrl+a")
    type_text(path)
    keys("Return")
    e2e.window_closed(app, title)


proc, app = e2e.start()
e2e.find(app, name="v. 2002.5").click()
e2e.gone(app, "v. 2002.5")
main = e2e.find(app, role="frame")
saved = os.path.join(os.environ["HOME"], "drawn.kdf")

# ---- a source summary page of the demo in the drawing window
menu(main, "Reports", "Source Summary")
form = e2e.window(app, "Source Summary Report")
menu(form, "File", "Open")
e2e.window(app, "Open")
e2e.settle(0.5)
type_text("millbrook.wsf")
keys("Return")
e2e.window_closed(app, "Open")
e2e.find(form, role="menu item", name="Preview").click()
chooser = e2e.window(app, CHOOSER)
e2e.find(chooser, role="list item", name="MW-2").click()
e2e.find(chooser, role="push button", name="OK").click()
preview = e2e.wait_showing(app, PREVIEW)
toolbar = e2e.find(preview, role="tool bar", name="Toolbar1")
view = e2e.find(preview, name="MDraw")
e2e.settle(1)

# ---- a rectangle dragged out with "Free Rectangle"
button = e2e.find(toolbar, name="Free Rectangle")
x, y = centre(button)
mouse("mousemove", str(x), str(y), "click", "1")
e2e.wait_for("'Free Rectangle' is not down after a click", lambda: button.checked, 3)
(x1, y1), (x2, y2) = page_point(0.50, 0.18), page_point(0.64, 0.40)
mouse("mousemove", str(x1), str(y1))
e2e.settle(0.2)
mouse("mousedown", "1")
for k in range(1, 9):
    mouse("mousemove", str(x1 + (x2 - x1) * k // 8), str(y1 + (y2 - y1) * k // 8))
    e2e.settle(0.05)
mouse("mouseup", "1")
e2e.settle(0.5)
e2e.alive(proc, app)

# ---- Save As ".kdf": the message names the file, and the tool is let go
menu(preview, "Drawing", "Save Drawing As...")
file_dialog("Save Drawing As", saved)
box = box_saying("File Saved:  " + saved)
e2e.find(box, role="push button", name="OK").click()
e2e.wait_for("the message box is still shown", lambda: not boxes(), 5)
if not os.path.exists(saved) or os.path.getsize(saved) == 0:
    e2e.fail(f"{saved} was not written")
with open(saved, "rb") as f:
    head = f.read(200)
if not head.lstrip().startswith(b"{"):
    e2e.fail(f"{saved} is not a native drawing file: {head[:60]!r}")
e2e.wait_for("'Free Rectangle' is still down after Save As", lambda: not button.checked, 3)
e2e.settle(0.5)
as_saved = grab("as_saved")
e2e.screenshot("drawfiles_saved")

# ---- a new drawing: letter size, portrait, an empty page
menu(preview, "Drawing", "New Drawing")
sizes = e2e.wait_showing(app, "Choose New Drawing Size")
e2e.find(sizes, role="list item", name="A 8.5 x 11 in.").click()
e2e.find(sizes, role="push button", name="OK").click()
e2e.window_closed(app, "Choose New Drawing Size")
e2e.settle(1)
if boxes():
    e2e.fail(f"New Drawing after a save asked: {[b.name for b in boxes()]}")
blank = grab("blank")
if changed_pixels(as_saved, blank) < 2000:
    e2e.fail("the page did not change for the new drawing")

# ---- the saved file opened again looks as it did when saved
menu(preview, "Drawing", "Open Drawing...")
file_dialog("Open Drawing File", saved)
e2e.settle(1)
if boxes():
    e2e.screenshot("drawfiles_open_box")
    e2e.fail(f"Open showed a message: {[b.name for b in boxes()]}")
reopened = grab("reopened")
e2e.screenshot("drawfiles_reopened")
differ = changed_pixels(as_saved, reopened)
print(f"NOTE: {differ} pixels differ between the page as saved and as opened again")
if differ > 200:
    e2e.fail(f"the opened page differs from the saved one in {differ} pixels")

# ---- Print: the notice, then the message that there is no printer
menu(preview, "File", "Print")
box = box_saying(ADD_PRINTER, 15)
e2e.screenshot("drawfiles_no_printer")
e2e.find(box, role="push button", name="OK").click()
e2e.wait_for("the message box is still shown", lambda: not boxes(), 5)
if not e2e.showing(app, PREVIEW):
    e2e.fail("the preview was left by printing")
e2e.alive(proc, app)

# ---- out of the preview, back to the form, and the program ends
menu(preview, "File", "Exit Screen Preview")
e2e.wait_for(f"the window {PREVIEW!r} is still showing", lambda: not e2e.showing(app, PREVIEW), 10)
e2e.window_closed(app, CHOOSER)
e2e.settle(1)
menu(form, "File", "Return to Data Editor")
e2e.window_closed(app, "Source Summary Report")
menu(main, "File", "Exit")
e2e.stop(proc)
if proc.returncode != 0:
    e2e.fail(f"the program ended with exit status {proc.returncode}")
print("1 passed, 0 failed")
