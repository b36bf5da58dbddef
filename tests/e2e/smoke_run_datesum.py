# A date summary run on the demo project as a person runs one: the demo definition opened by typing
# its name, Preview, one episode chosen by mouse, Enter for OK. The preview shows the episode's
# table page, Next Page goes on to its map pages one by one, and Next Page on the last map ends the
# run. The pages are told apart by what the screen shows; the program lives on and the form is
# left as usual.
import hashlib
import functools
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e  # noqa: E402
from e2e import keys, type_text, wait_until  # noqa: E402

PREVIEW = "Screen Preview"
CHOOSER = "Select Episodes to Preview"
FORM = "Date Summary Report"

proc, app = e2e.start()
e2e.find(app, name="v. 2002.5").click()
e2e.gone(app, "v. 2002.5")
main = e2e.find(app, role="frame")
folder = os.path.join(os.environ["XDG_DATA_HOME"], "qmar2002", "demo")
data_file = os.path.join(folder, "millbrook.DSD")


showing = functools.partial(e2e.showing, app)
wait_showing = functools.partial(e2e.wait_showing, app)


def other_box():
    """A message box or dialog other than the form, the preview and the chooser, if one shows."""
    for w in app.children:
        if w.showing and w.name not in (FORM, PREVIEW, CHOOSER) and w.roleName in ("alert", "dialog"):
            return w
    return None


def screen_digest():
    """A digest of what the screen shows, to tell two pages apart."""
    shot = subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"], capture_output=True, check=False)
    if shot.returncode != 0 or not shot.stdout:
        return None
    return hashlib.sha1(shot.stdout).hexdigest()


def next_page(window):
    e2e.find(window, role="push button", name="Next Page").click()
    e2e.settle(0.7)                                  # the next page is drawn and shown, or the run ends


def maps_of(path):
    """Maps a date summary run draws per episode: the map lines of the header before the first
    empty one."""
    with open(path, "rb") as f:
        lines = f.read().decode("latin-1").split("\r\n")
    p = int(lines[0])
    i = 1 + 6 * p
    s = int(lines[i])
    i += 1 + 4 * s + 4 + 1 + 2 + 2               # titles, standard label, axes, unit, radius
    maps = 0
    while maps < 10 and lines[i + maps].strip():
        maps += 1
    return maps


# ---- the demo definition, its name typed into the Open dialog
e2e.find(main, role="menu item", name="Reports").click()
e2e.find(app, role="menu item", name="Date Summary").click()
form = e2e.window(app, FORM)
e2e.find(form, role="menu item", name="File").click()
e2e.find(app, role="menu item", name="Open").click()
e2e.window(app, "Open")
e2e.settle(0.5)
type_text("millbrook.dsf")
keys("Return")
e2e.window_closed(app, "Open")
e2e.settle(0.5)
if os.path.exists(data_file):
    e2e.fail("the demo ships a run data file")

# ---- Preview, one episode by mouse, Enter for OK
e2e.find(form, role="menu item", name="Preview").click()
dialog = e2e.window(app, CHOOSER)
# The episodes read in the day/month order of the desktop: the second is the September round.
episodes = [c for c in e2e.find(dialog, role="list", name="List1").children if c.roleName == "list item"]
if len(episodes) != 2:
    e2e.fail(f"the chooser lists {[e.name for e in episodes]}, not the demo's two episodes")
episodes[1].click()
keys("Return")                                       # OK is the dialog's default button
wait_until(lambda: showing(PREVIEW) or other_box() is not None, 10)
box = other_box()
if box is not None and not showing(PREVIEW):
    # A program folder whose settings name no heading file says so once per run.
    print("NOTE: a box showed:", box.name)
    keys("Return")
window = wait_showing(PREVIEW)
e2e.wait_for(f"{data_file} was not written beside the definition", lambda: os.path.exists(data_file))
maps = maps_of(data_file)
if maps < 1:
    e2e.fail("the demo date summary has no map")

# ---- the table page, then each map page by Next Page, then the end of the run
e2e.settle(0.5)
e2e.screenshot("datesum_table")
seen = [screen_digest()]
for m in range(1, maps + 1):
    next_page(window)
    if not showing(PREVIEW):
        e2e.fail(f"the run ended before map {m} of {maps}")
    window = e2e.window(app, PREVIEW)
    e2e.settle(0.5)
    e2e.screenshot(f"datesum_map{m}")
    seen.append(screen_digest())
if None not in seen and len(set(seen)) != len(seen):
    e2e.fail("a map page shows what the page before it showed")
next_page(window)                                    # Next Page on the last map ends the run
e2e.wait_for(f"the window {PREVIEW!r} is still showing", lambda: not showing(PREVIEW), 10)
e2e.window_closed(app, CHOOSER)
e2e.settle(1)
if showing(PREVIEW):
    e2e.fail(f"a page came after the last of {1 + maps}")
if other_box() is not None:
    e2e.fail(f"a box showed during the run: {other_box().name!r}")
e2e.alive(proc, app)

# ---- the form is left as usual, the program closed
e2e.find(form, role="menu item", name="File").click()
e2e.find(app, role="menu item", name="Return to Main Menu").click()
if wait_until(lambda: other_box() is not None, 1.5):
    e2e.find(app, role="push button", name="No").click()  # nothing was changed, nothing to save
e2e.window_closed(app, FORM)
e2e.find(main, role="menu item", name="File").click()
e2e.find(app, role="menu item", name="Exit").click()
e2e.stop(proc)
print("1 passed, 0 failed")
