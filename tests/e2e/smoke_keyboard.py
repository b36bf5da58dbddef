# The program by keys alone: the project form crossed by Tab and left by Enter, its client lines kept;
# a report by Alt letters; a tool and the fill and colour choosers from the drawing window's menus.
import os, subprocess, sys  # noqa: E401
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e  # noqa: E402
from e2e import keys  # noqa: E402
def back_to(title="^Quillmare 2002"):
    # The window below gets the keyboard back as a window manager would give it (the X server runs none).
    subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title, "windowfocus", "--sync"], check=True)
def focus_walk(window, steps):
    for key, name in steps:
        keys(key)
        e2e.wait_for(f"{key} did not take the keyboard to {name}", lambda: e2e.find(window, name=name).focused, 3)
def opened(opening, title, moves):
    keys(*opening)
    e2e.wait_showing(app, title)
    keys(*moves)
    e2e.wait_for(f"{title} is still showing after {moves}", lambda: not e2e.showing(app, title))
proc, app = e2e.start()
e2e.find(app, name="v. 2002.5")
keys("Return")  # the splash, the About box, closes by Enter
client = open(project := os.path.join(os.environ["XDG_DATA_HOME"], "qmar2002", "demo", "millbrook.qlp"), "rb").read().split(b"\r\n")[1:11]
back_to()
keys("alt+f", "d")
focus_walk(e2e.wait_showing(app, "Project Information"), [
    ("Tab", "SSWell"), ("ctrl+shift+Tab", "Text3"), ("ctrl+Tab", "SSWell"), ("ctrl+Tab", "txtStartDate"), ("Tab", "txtEndDate"),
    ("Tab", "txtLessThan"), ("Tab", "OK"), ("Tab", "Cancel"), ("Tab", "Help"), ("Tab", "Edit Mode"), ("Tab", "SS"), ("ctrl+Tab", "Text3"),
    ("shift+Tab", "SS"), ("ctrl+Tab", "Text3"), ("Tab", "SSWell"), ("ctrl+Tab", "txtStartDate")])
keys("Return")  # OK is the default
e2e.window_closed(app, "Project Information")
if open(project, "rb").read().split(b"\r\n")[1:11] != client: e2e.fail("the client lines changed on the way")  # noqa: E701
back_to()
opened(["alt+d"], "Add Records", ["Escape"])
back_to()
e2e.wait_for("the keyboard is not back on Add", lambda: e2e.find(app, role="push button", name="Add").focused)
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
e2e.wait_for("Tools > Draw Freehand Rectangle left its button up", lambda: e2e.find(preview, name="Free Rectangle").checked)
opened(["alt+u", "f"], "Choose A Fill Pattern", ["Right", "Down", "Escape"])
opened(["alt+u", "f"], "Choose A Fill Pattern", ["Down", "Return"])
opened(["alt+u", "l"], "Choose Color", ["Right", "Down", "Escape"])
opened(["alt+u", "l"], "Choose Color", ["Down", "space"])
keys("alt+f", "e", "alt+f", "r")
e2e.window_closed(app, "Source Summary Report")
back_to()
subprocess.run(["xdotool", "key", "--delay", "40", "alt+f", "x"], check=True)  # the program ends here
e2e.stop(proc)
print("1 passed, 0 failed")
