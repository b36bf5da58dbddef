# The drawing tools on a report page as a person uses them, with real X mouse and key events: a
# source summary page previewed from the demo definition, "Free Polygon" pressed, three points
# clicked and a fourth double-clicked, "Free Text" pressed, a click, "Hello Q" typed, Escape. The
# page must then show both where they were drawn (compared with the same part of the screen before),
# and the program leaves the preview and ends as usual.
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e  # noqa: E402
from e2e import keys, type_text  # noqa: E402

DOUBLE_CLICK_GAP = 0.6      # longer than any double-click interval, so single clicks stay single


def click(fx, fy, repeat=1):
    x, y = e2e.view_point(view, fx, fy)
    e2e.mouse("mousemove", str(x), str(y))
    e2e.settle(0.2)                                  # the rubber segment follows the pointer here
    e2e.mouse("click", "--repeat", str(repeat), "--delay", "60", "1")
    time.sleep(DOUBLE_CLICK_GAP)
    if proc.poll() is not None:
        e2e.fail(f"the program ended (exit status {proc.returncode}) on a click at ({x}, {y})")


# Where the shapes go: blank page between the demo table and its title block.
POLYGON = [(0.50, 0.15), (0.64, 0.18), (0.62, 0.40), (0.52, 0.36)]
POLYGON_BOX = (0.48, 0.12, 0.66, 0.43)
TEXT_AT = (0.50, 0.60)
TEXT_BOX = (0.48, 0.50, 0.66, 0.70)

proc, app, main = e2e.start_past_splash()
form, preview, toolbar, view = e2e.open_demo_page(app, main)
polygon_before = e2e.grab(view, "polygon_before", POLYGON_BOX)
text_before = e2e.grab(view, "text_before", TEXT_BOX)

# ---- a free polygon: three clicks and a double click
e2e.press_tool(toolbar, "Free Polygon")
for fx, fy in POLYGON[:-1]:
    click(fx, fy)
click(*POLYGON[-1], repeat=2)
e2e.alive(proc, app)

# ---- a free text, typed and ended by Escape
e2e.press_tool(toolbar, "Free Text")
click(*TEXT_AT)
type_text("Hello Q")
keys("Escape")
e2e.settle(0.5)
e2e.alive(proc, app)
if not e2e.showing(app, e2e.PREVIEW):
    e2e.fail("the preview was left while drawing")
e2e.screenshot("tools_polygon_text")

polygon_changed = e2e.changed_pixels(polygon_before, e2e.grab(view, "polygon_after", POLYGON_BOX))
text_changed = e2e.changed_pixels(text_before, e2e.grab(view, "text_after", TEXT_BOX))
print(f"NOTE: pixels changed: {polygon_changed} where the polygon was drawn, {text_changed} where the text was")
if polygon_changed < 400:
    e2e.fail(f"no polygon on the page: only {polygon_changed} pixels changed where it was drawn")
if text_changed < 40:
    e2e.fail(f"no text on the page: only {text_changed} pixels changed where it was typed")

e2e.leave_demo_page(proc, app, main, form, preview)
