# The program by keys alone: the project form crossed by Tab and left by Enter, its client lines kept;
# a report by Alt letters; a tool and the fill and colour choosers from the drawing window's menus.
import os, subprocess, sys  # noqa: E401

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e  # noqa: E402
from e2e import keys  # noqa: E402

MAIN = "^Quillmare 2002"
def back_to(title):
    # The window below gets the keyboard back as a window manager would give it (the X server runs none).
    subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title, "windowfocus", "--sync"], check=True)
def focus_walk(window, steps):
    for key, name in steps:
        keys(key)
        node = e2e.find(window, name=name)
        e2e.wait_for(f"{key} did not take the keyboard to {name}", lambda: node.focused, 3)
def chooser(item, title, moves):
    keys("alt+u", item)
    e2e.wait_showing(app, title)
    keys(*moves)
    e2e.wait_for(f"{title} is still showing after {moves}", lambda: not e2e.showing(app, title))
proc, app = e2e.start()
e2e.find(app, name="v. 2002.5")
keys("Return")  # the splash, the About box, closes by Enter
main = e2e.find(app, role="frame")
project = os.path.join(os.environ["XDG_DATA_HOME"], "qmar2002", "demo", "millbrook.qlp")
client = open(project, "rb").read().split(b"\r\n")[1:11]
back_to(MAIN)
keys("alt+f", "d")
form = e2e.wait_showing(app, "Project Information")
focus_walk(form, [("Tab", "SSWell"), ("ctrl+shift+Tab", "Text3"), ("ctrl+Tab", "SSWell"), ("ctrl+Tab", "txtStartDate"),
                  ("Tab", "txtEndDate"), ("Tab", "txtLessThan"), ("Tab", "OK"), ("Tab", "Cancel"), ("Tab", "Help"),
                  ("Tab", "Edit Mode"), ("Tab", "SS"), ("ctrl+Tab", "Text3"), ("shift+Tab", "SS"),
                  ("ctrl+Tab", "Text3"), ("Tab", "SSWell"), ("ctrl+Tab", "txtStartDate")])
keys("Return")  # OK is the default
e2e.window_closed(app, "Project Information")
if open(project, "rb").read().split(b"\r\n")[1:11] != client:
    e2e.fail("the client lines changed on the way through the project form")
back_to(MAIN)
keys("alt+d")
e2e.wait_showing(app, "Add Records")
keys("Escape")
back_to(MAIN)
e2e.wait_for("the keyboard is not back on Add", lambda: e2e.find(main, role="push button", name="Add").focused)
keys("alt+r", "s")
e2e.wait_showing(app, "Source Summary Report")
keys("alt+f", "o")
e2e.file_dialog(app, "Open", "millbrook.wsf")
back_to("Source Summary Report")
keys("alt+w")
focus_walk(e2e.wait_showing(app, e2e.SOURCE_CHOOSER), [("Down", "List1"), ("space", "List1"), ("Tab", "OK")])
keys("Return")
preview = e2e.wait_showing(app, e2e.PREVIEW, 30)
keys("alt+t", "c")
tool = e2e.find(e2e.find(preview, role="tool bar", name="Toolbar1"), name="Free Rectangle")
e2e.wait_for("Tools > Draw Freehand Rectangle did not put its button down", lambda: tool.checked)
chooser("f", "Choose A Fill Pattern", ["Right", "Down", "Escape"])
chooser("f", "Choose A Fill Pattern", ["Down", "Return"])
chooser("l", "Choose Color", ["Right", "Down", "Escape"])
chooser("l", "Choose Color", ["Down", "space"])
keys("alt+f", "e", "alt+f", "r")
e2e.window_closed(app, "Source Summary Report")
back_to(MAIN)
subprocess.run(["xdotool", "key", "--delay", "40", "alt+f", "x"], check=True)  # the program ends here
e2e.stop(proc)
print("1 passed, 0 failed")
