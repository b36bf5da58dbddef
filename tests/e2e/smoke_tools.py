# The drawing tools on a report page as a person uses them, with real X mouse and key events: a
# source summary page previewed from the demo definition, "Free Polygon" pressed, three points
# clicked and a fourth double-clicked, "Free Text" pressed, a click, "Hello Q" typed, Escape. The
# page must then show both where they were drawn (compared with the same part of the screen before),
# and the program leaves the preview and ends as usual.
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e  # noqa: E402
from e2e import keys, type_text  # noqa: E402

PREVIEW = "Screen Preview"
CHOOSER = "Select Sources to Preview"
DOUBLE_CLICK_GAP = 0.6      # longer than any double-click interval, so single clicks stay single


def mouse(*args):
    subprocess.run(["xdotool", *args], check=True)


def centre(node):
    (x, y), (w, h) = node.position, node.size
    if w <= 0 or h <= 0:
        e2e.fail(f"{node.name!r} has no place on the screen")
    return x + w // 2, y + h // 2


def press_button(bar, name):
    """Clicks a toolbar button with the mouse where the accessibility bus says it lies."""
    button = e2e.find(bar, name=name)
    x, y = centre(button)
    mouse("mousemove", str(x), str(y), "click", "1")
    e2e.settle(0.4)
    e2e.wait_for(f"{name!r} is not down after a click", lambda: button.checked, 3)


def page_point(fx, fy):
    """A screen point of the page view at fractions of its width and height."""
    (x, y), (w, h) = view.position, view.size
    return round(x + fx * w), round(y + fy * h)


def click(fx, fy, repeat=1):
    x, y = page_point(fx, fy)
    mouse("mousemove", str(x), str(y))
    e2e.settle(0.2)                                  # the rubber segment follows the pointer here
    mouse("click", "--repeat", str(repeat), "--delay", "60", "1")
    time.sleep(DOUBLE_CLICK_GAP)
    if proc.poll() is not None:
        e2e.fail(f"the program ended (exit status {proc.returncode}) on a click at ({x}, {y})")


shots = tempfile.mkdtemp()


def grab(name, box):
    """The screen inside box (fractions of the page view: left, top, right, bottom) as a PNG."""
    (x1, y1), (x2, y2) = page_point(*box[:2]), page_point(*box[2:])
    path = os.path.join(shots, name + ".png")
    subprocess.run(["import", "-window", "root", "-crop", f"{x2 - x1}x{y2 - y1}+{x1}+{y1}", "+repage", path],
                   check=True)
    return path


def changed_pixels(before, after):
    r = subprocess.run(["compare", "-metric", "AE", before, after, "null:"], capture_output=True, text=True)
    if r.returncode not in (0, 1):
        e2e.fail(f"compare failed: {r.stderr.strip()}")
    return int(float(r.stderr.split()[0]))


# Where the shapes go: blank page between the demo table and its title block.
POLYGON = [(0.50, 0.15), (0.64, 0.18), (0.62, 0.40), (0.52, 0.36)]
POLYGON_BOX = (0.48, 0.12, 0.66, 0.43)
TEXT_AT = (0.50, 0.60)
TEXT_BOX = (0.48, 0.50, 0.66, 0.70)

proc, app = e2e.start()
e2e.find(app, name="v. 2002.5").click()
e2e.gone(app, "v. 2002.5")
main = e2e.find(app, role="frame")

# ---- a source summary page of the demo in the drawing window
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
e2e.find(form, role="menu item", name="Preview").click()
chooser = e2e.window(app, CHOOSER)
e2e.find(chooser, role="list item", name="MW-2").click()
e2e.find(chooser, role="push button", name="OK").click()
preview = e2e.wait_showing(app, PREVIEW)
toolbar = e2e.find(preview, role="tool bar", name="Toolbar1")
view = e2e.find(preview, name="MDraw")
e2e.settle(1)                                        # the page is drawn
polygon_before = grab("polygon_before", POLYGON_BOX)
text_before = grab("text_before", TEXT_BOX)

# ---- a free polygon: three clicks and a double click
press_button(toolbar, "Free Polygon")
for fx, fy in POLYGON[:-1]:
    click(fx, fy)
click(*POLYGON[-1], repeat=2)
e2e.alive(proc, app)

# ---- a free text, typed and ended by Escape
press_button(toolbar, "Free Text")
click(*TEXT_AT)
type_text("Hello Q")
keys("Escape")
e2e.settle(0.5)
e2e.alive(proc, app)
if not e2e.showing(app, PREVIEW):
    e2e.fail("the preview was left while drawing")
e2e.screenshot("tools_polygon_text")

polygon_changed = changed_pixels(polygon_before, grab("polygon_after", POLYGON_BOX))
text_changed = changed_pixels(text_before, grab("text_after", TEXT_BOX))
print(f"NOTE: pixels changed: {polygon_changed} where the polygon was drawn, {text_changed} where the text was")
if polygon_changed < 400:
    e2e.fail(f"no polygon on the page: only {polygon_changed} pixels changed where it was drawn")
if text_changed < 40:
    e2e.fail(f"no text on the page: only {text_changed} pixels changed where it was typed")

# ---- out of the preview, back to the form, and the program ends
e2e.find(preview, role="menu item", name="File").click()
e2e.find(app, role="menu item", name="Exit Screen Preview").click()
e2e.wait_for(f"the window {PREVIEW!r} is still showing", lambda: not e2e.showing(app, PREVIEW), 10)
e2e.window_closed(app, CHOOSER)
e2e.settle(1)
if e2e.showing(app, PREVIEW):
    e2e.fail("a page came after Exit Screen Preview")
e2e.alive(proc, app)
e2e.find(form, role="menu item", name="File").click()
e2e.find(app, role="menu item", name="Return to Data Editor").click()
e2e.window_closed(app, "Source Summary Report")
e2e.find(main, role="menu item", name="File").click()
e2e.find(app, role="menu item", name="Exit").click()
e2e.stop(proc)
if proc.returncode != 0:
    e2e.fail(f"the program ended with exit status {proc.returncode}")
print("1 passed, 0 failed")
