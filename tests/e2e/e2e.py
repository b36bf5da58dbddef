# Shared helpers of the end-to-end tests: start the program, find its windows and controls by name.
import os
import subprocess
import sys
import time

os.environ.setdefault("GTK_MODULES", "")
# The options live on the module's config object; set on the module they would do nothing.
from dogtail.config import config  # noqa: E402

config.searchShowingOnly = False
config.defaultDelay = 0.2
config.actionDelay = 0.2
config.typingDelay = 0.02
config.searchBackoffDuration = 0.2
config.searchCutoffCount = 20
config.logDebugToFile = False
config.logDebugToStdOut = False
from dogtail import tree  # noqa: E402

_program = None   # the program under test, once started


def _report_exception(kind, value, tb):
    # dogtail's own hook sends a test's traceback to its silenced debug log.
    import traceback
    traceback.print_exception(kind, value, tb, file=sys.stdout)
    if _program is not None and _program.poll() is not None:
        print(f"FAIL: the program ended (exit status {_program.returncode})")
    else:
        print(f"FAIL: {kind.__name__}: {value}")
    sys.stdout.flush()


sys.excepthook = _report_exception


def start(timeout=20):
    global _program
    proc = _program = subprocess.Popen([os.environ["QMAR_PROGRAM"]])
    deadline = time.time() + timeout
    while time.time() < deadline:
        for app in tree.root.applications():
            if app.name in ("qmar2002", "Quillmare 2002"):
                return proc, app
        time.sleep(0.3)
    proc.kill()
    fail("the program did not appear on the accessibility bus")


def start_past_splash():
    """Starts the program and clicks its splash away: the process, the application and the main window."""
    proc, app = start()
    find(app, name="v. 2002.5").click()
    gone(app, "v. 2002.5")
    return proc, app, find(app, role="frame")


def choose(app, owner, menu, item):
    """Chooses item from the menu of that caption on owner's menu bar; the menus open as top-level windows."""
    find(owner, role="menu item", name=menu).click()
    find(app, role="menu item", name=item).click()


def open_report_form(app, main, item, caption):
    """Reports > item on the main window; the definition form of that caption."""
    choose(app, main, "Reports", item)
    return window(app, caption)


def leave_form(proc, app, form, caption, exit_item="Return to Main Menu", answer="No"):
    """File > exit_item on a definition form, answer to saving first; the form closes, the program lives."""
    choose(app, form, "File", exit_item)
    find(app, role="push button", name=answer).click()
    window_closed(app, caption)
    alive(proc, app)


def finish(proc, app, main):
    """File > Exit on the main window; the program ends and the walk has passed."""
    choose(app, main, "File", "Exit")
    stop(proc)
    print("1 passed, 0 failed")


def find(node, role=None, name=None, timeout=10):
    """A control below node by role and accessible name; grids' cells are reached with cell()."""
    deadline = time.time() + timeout
    while time.time() < deadline:
        found = _search(node, lambda n: (role is None or n.roleName == role) and (name is None or n.name == name))
        if found is not None:
            return found
        time.sleep(0.3)
    fail(f"no {role or 'node'} named {name!r}")


def _search(node, matches):
    # Breadth first, never into a table: a grid has thousands of cells, each a call over the bus.
    # Cells are reached through cell() instead.
    queue = [node]
    while queue:
        for child in queue.pop(0).children:
            if child is None:
                continue
            if matches(child):
                return child
            if child.roleName != "table":
                queue.append(child)
    return None


def window(app, name, timeout=10):
    """One of the program's top-level windows (main window, dialogs, message boxes) by its title."""
    deadline = time.time() + timeout
    while time.time() < deadline:
        for w in app.children:
            if w.name == name:
                return w
        time.sleep(0.2)
    fail(f"no window {name!r}")


def gone(node, name, timeout=10):
    wait_for(f"{name!r} is still shown", lambda: _search(node, lambda n: n.name == name) is None, timeout)


def window_closed(app, name, timeout=10):
    wait_for(f"the window {name!r} did not close", lambda: all(w.name != name for w in app.children), timeout)


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def stop(proc):
    try:
        proc.wait(timeout=10)
    except subprocess.TimeoutExpired:
        proc.kill()
        fail("the program did not end")


# ---- typing through the X server, as a person's keyboard does

def keys(*names, delay=40):
    """Presses keys (xdotool names: "Down", "shift+Down", "ctrl+c", "Shift_L") in the focused window."""
    subprocess.run(["xdotool", "key", "--delay", str(delay), *names], check=True)
    settle()
    _still_running(" ".join(names))


def type_text(text, delay=40):
    """Types text key by key; capitals and symbols go with Shift held, as on a keyboard."""
    subprocess.run(["xdotool", "type", "--delay", str(delay), text], check=True)
    settle()
    _still_running(repr(text))


def _still_running(typed):
    if _program is not None and _program.poll() is not None:
        fail(f"the program ended (exit status {_program.returncode}) on typing {typed}")


def settle(seconds=0.15):
    time.sleep(seconds)


def wait_for(what, condition, timeout=5):
    deadline = time.time() + timeout
    while time.time() < deadline:
        if condition():
            return
        time.sleep(0.1)
    fail(what)


def wait_until(condition, timeout):
    """Whether condition came true within timeout seconds; for waits whose failure the caller tells."""
    deadline = time.time() + timeout
    while time.time() < deadline:
        if condition():
            return True
        time.sleep(0.1)
    return False


def showing(app, name):
    """Whether a top-level window of that title is showing (a hidden one may stay in the tree)."""
    return any(w.name == name and w.showing for w in app.children)


def wait_showing(app, name, timeout=10):
    """The top-level window of that title once it shows; a screenshot and a failure if it does not."""
    if not wait_until(lambda: showing(app, name), timeout):
        screenshot("not_showing")
        fail(f"the window {name!r} is not showing; windows: {[(w.name, w.showing) for w in app.children]}")
    return window(app, name)


def cell(table, row, col):
    """A grid's cell, 1-based as the program counts them."""
    return table.queryTable().getAccessibleAt(row - 1, col - 1)


def cell_text(table, row, col):
    return cell(table, row, col).name


def click_cell(table, row, col):
    cell(table, row, col).click()
    settle()


def expect_cell(table, row, col, text):
    wait_for(f"{table.name} cell ({row}, {col}) shows {cell_text(table, row, col)!r}, not {text!r}",
             lambda: cell_text(table, row, col) == text)


def screenshot(name):
    """Saves the screen when E2E_SHOTS names a folder, for a person to look at."""
    folder = os.environ.get("E2E_SHOTS")
    if folder:
        os.makedirs(folder, exist_ok=True)
        subprocess.run(["import", "-window", "root", os.path.join(folder, name + ".png")], check=False)


def alive(proc, app):
    """The program still runs, is on the accessibility bus and answers."""
    if proc.poll() is not None:
        fail(f"the program ended (exit status {proc.returncode})")
    if not any(a.name == app.name for a in tree.root.applications()):
        fail("the program left the accessibility bus")
    try:
        app.children
    except Exception as e:  # noqa: BLE001
        fail(f"the program does not answer: {e}")
