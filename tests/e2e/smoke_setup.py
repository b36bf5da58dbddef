# Graphics/System Setup from the main window, through the keyboard as a person works: the menu by its
# access keys, a margin text typed, Full Page and both stamp labels, OK; then "device.cfg" holds them.
# The setup again: Escape stores nothing. The folder picker from the fills folder's Browse (reached
# by Tab): a new folder made there, the picker and the setup left by Escape.
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e  # noqa: E402
from e2e import keys, type_text  # noqa: E402

proc, app = e2e.start()
e2e.find(app, name="v. 2002.5").click()
e2e.gone(app, "v. 2002.5")
main = e2e.find(app, role="frame")
folder = os.path.join(os.environ["XDG_DATA_HOME"], "qmar2002")
cfg = os.path.join(folder, "device.cfg")


def device():
    with open(cfg, "rb") as f:
        return f.read().decode("latin-1").split("\r\n")[:-1]


def open_setup():
    e2e.find(main, role="table", name="SS").click()
    keys("alt+u")
    keys("g")
    return e2e.window(app, "Graphics/System Setup")


# ---- OK stores the choices
setup = open_setup()
e2e.find(setup, role="radio button", name="Full Page")
margin = e2e.find(setup, name="Text1(1)")
margin.click()
keys("ctrl+a")
type_text("1.5,-3")
keys("Tab")                                    # on to the font field
keys("ctrl+a")
type_text("Courier New")
e2e.find(setup, role="radio button", name="Full Page").click()
e2e.find(setup, role="check box", name="Label Current Date").click()
e2e.find(setup, role="check box", name="Label Filename").click()
e2e.screenshot("setup")
e2e.find(setup, role="push button", name="OK").click()
e2e.window_closed(app, "Graphics/System Setup")
e2e.alive(proc, app)
d = device()
if len(d) != 20:
    e2e.fail(f"device.cfg holds {len(d)} lines")
if d[1] != "1.5,-3" or d[2] != "Courier New":
    e2e.fail(f"device.cfg lines 2 and 3 are {d[1]!r}, {d[2]!r}")
if d[11] != "PAGE":
    e2e.fail(f"device.cfg line 12 is {d[11]!r}, not 'PAGE'")
if d[12] != " 3":
    e2e.fail(f"device.cfg line 13 is {d[12]!r}, not ' 3'")

# ---- the setup shows what was stored; Escape leaves it as it was
setup = open_setup()
margin = e2e.find(setup, name="Text1(1)")
e2e.wait_for(f"the margin field shows {margin.text!r}", lambda: margin.text == "1.5,-3")
margin.click()
keys("ctrl+a")
type_text("0,0")
keys("Escape")
e2e.window_closed(app, "Graphics/System Setup")
if device() != d:
    e2e.fail("Escape changed device.cfg")

# ---- the folder picker from the fills folder's Browse
setup = open_setup()
e2e.find(setup, name="Text1(4)").click()
keys("Tab", "space")                           # the Browse button beside it
picker = e2e.window(app, "Select a Folder")
path = e2e.find(picker, name="Text1")
fills = os.path.join(folder, "fills") + "/"
e2e.wait_for(f"the picker's path is {path.text!r}", lambda: path.text == fills)
e2e.find(picker, name="Text2").click()
type_text("Plots #1 (New)")
e2e.find(picker, role="push button", name="Create New Folder").click()
e2e.wait_for("the new folder was not made", lambda: os.path.isdir(os.path.join(fills, "Plots #1 (New)")))
e2e.screenshot("folderpick")
keys("Escape")
e2e.window_closed(app, "Select a Folder")
fillfield = e2e.find(setup, name="Text1(4)")
if fillfield.text != fills:
    e2e.fail(f"Escape in the picker changed the fills field to {fillfield.text!r}")
keys("Escape")
e2e.window_closed(app, "Graphics/System Setup")
e2e.alive(proc, app)

e2e.find(main, role="menu item", name="File").click()
e2e.find(app, role="menu item", name="Exit").click()
e2e.stop(proc)
print("1 passed, 0 failed")
