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
    """Chooses item from the menu of that caption on owner's menu bar. The item is looked for below that
    menu first: another window's hidden menu may hold an item of the same caption, placed nowhere."""
    opened = find(owner, role="menu item", name=menu)
    opened.click()
    here = lambda n: n.roleName == "menu item" and n.name == item and n.showing  # noqa: E731
    if wait_until(lambda: _search(opened, here) is not None, 2):
        _search(opened, here).click()
    else:
        find(app, role="menu item", name=item).click()


def open_report_form(app, main, item, caption):
    """Reports > item on the main window; the definition form of that caption."""
    choose(app, main, "Reports", item)
    return window(app, caption)


def leave_form(proc, app, form, caption, exit_item="Return to Main Menu", answer="No"):
    """File > exit_item on a definition form, answer to saving first; the form closes, the program lives."""
    choose(app, form, "File", exit_item)
    if answer:
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


# ---- the drawing window: a demo page previewed, the mouse on it, parts of the screen

PREVIEW = "Screen Preview"
SOURCE_CHOOSER = "Select Sources to Preview"


def open_demo_page(app, main):
    """Reports > Source Summary, the demo definition opened and MW-2 previewed; the page drawn.
    Returns the definition form, the drawing window, its toolbar and its page view."""
    form = open_report_form(app, main, "Source Summary", "Source Summary Report")
    choose(app, form, "File", "Open")
    window(app, "Open")
    settle(0.5)
    type_text("millbrook.wsf")
    keys("Return")
    window_closed(app, "Open")
    find(form, role="menu item", name="Preview").click()
    chooser = window(app, SOURCE_CHOOSER)
    find(chooser, role="list item", name="MW-2").click()
    find(chooser, role="push button", name="OK").click()
    preview = wait_showing(app, PREVIEW)
    toolbar = find(preview, role="tool bar", name="Toolbar1")
    view = find(preview, name="MDraw")
    settle(1)
    return form, preview, toolbar, view


def leave_demo_page(proc, app, main, form, preview):
    """File > Exit Screen Preview, back to the data editor, File > Exit: no further page comes, the
    program ends with status 0 and the walk has passed."""
    choose(app, preview, "File", "Exit Screen Preview")
    wait_for(f"the window {PREVIEW!r} is still showing", lambda: not showing(app, PREVIEW), 10)
    window_closed(app, SOURCE_CHOOSER)
    settle(1)
    if showing(app, PREVIEW):
        fail("a page came after Exit Screen Preview")
    alive(proc, app)
    choose(app, form, "File", "Return to Data Editor")
    window_closed(app, "Source Summary Report")
    choose(app, main, "File", "Exit")
    stop(proc)
    if proc.returncode != 0:
        fail(f"the program ended with exit status {proc.returncode}")
    print("1 passed, 0 failed")


def mouse(*args):
    """One xdotool command line of mouse steps ("mousemove", "x", "y", "click", "1"); the program must live."""
    subprocess.run(["xdotool", *args], check=True)
    _still_running("mouse " + " ".join(args))


def centre(node):
    (x, y), (w, h) = node.position, node.size
    if w <= 0 or h <= 0:
        fail(f"{node.name!r} has no place on the screen")
    return x + w // 2, y + h // 2


def press_tool(bar, name):
    """Clicks a toolbar button with the mouse where the accessibility bus says it lies; it must go down."""
    button = find(bar, name=name)
    x, y = centre(button)
    mouse("mousemove", str(x), str(y), "click", "1")
    settle(0.4)
    wait_for(f"{name!r} is not down after a click", lambda: button.checked, 3)
    return button


def drag(points, steps=8, pause=0.03):
    """Presses the left button at the first screen point, moves through the others in steps, lets go at
    the last: a drag as a hand makes it, each move its own X event."""
    x, y = points[0]
    mouse("mousemove", str(round(x)), str(round(y)))
    settle(0.2)
    mouse("mousedown", "1")
    for (ax, ay), (bx, by) in zip(points, points[1:]):
        for k in range(1, steps + 1):
            mouse("mousemove", str(round(ax + (bx - ax) * k / steps)), str(round(ay + (by - ay) * k / steps)))
            time.sleep(pause)
    settle(0.1)
    mouse("mouseup", "1")
    settle(0.4)


def view_point(view, fx, fy):
    """A screen point of a view at fractions of its width and height."""
    (x, y), (w, h) = view.position, view.size
    return round(x + fx * w), round(y + fy * h)


_grabs = None


def grab_screen(name, x1, y1, x2, y2):
    """The screen between two corners as a PNG in a folder of the walk's own; its path."""
    global _grabs
    if _grabs is None:
        import tempfile
        _grabs = tempfile.mkdtemp()
    x1, y1, x2, y2 = round(x1), round(y1), round(x2), round(y2)
    path = os.path.join(_grabs, name + ".png")
    subprocess.run(["import", "-window", "root", "-crop", f"{x2 - x1}x{y2 - y1}+{x1}+{y1}", "+repage", path],
                   check=True)
    return path


def grab(view, name, box=(0.05, 0.05, 0.95, 0.95)):
    """The screen inside box (fractions of the view: left, top, right, bottom) as a PNG; its path."""
    return grab_screen(name, *view_point(view, *box[:2]), *view_point(view, *box[2:]))


def changed_pixels(before, after, fuzz=None):
    """How many pixels differ between two grabs of one size; fuzz ("10%") lets near colours pass."""
    args = ["compare", "-metric", "AE"] + (["-fuzz", fuzz] if fuzz else []) + [before, after, "null:"]
    r = subprocess.run(args, capture_output=True, text=True)
    if r.returncode not in (0, 1):
        fail(f"compare failed: {r.stderr.strip()}")
    return int(float(r.stderr.split()[0]))


def message_boxes(app):
    return [w for w in app.children if w.showing and w.roleName == "alert"]


def box_saying(app, text, timeout=10):
    """The message box showing text; a screenshot and a failure naming the boxes there are when none does."""
    found = []

    def shown():
        found[:] = [b for b in message_boxes(app) if _search(b, lambda n: n.name == text) is not None]
        return bool(found)

    if not wait_until(shown, timeout):
        screenshot("no_box")
        fail(f"no message box says {text!r}; boxes: {[b.name for b in message_boxes(app)]}")
    return found[0]


def answer_box(app, box, button="OK"):
    find(box, role="push button", name=button).click()
    wait_for("the message box is still shown", lambda: not message_boxes(app), 5)


def file_dialog(app, title, path):
    """Types a full path into the file dialog of that title and confirms it."""
    wait_showing(app, title)
    settle(0.5)
    keys("ctrl+a")
    type_text(path)
    keys("Return")
    window_closed(app, title)



def print_to_file(app, path):
    """Print Setup on "Print to File (PDF)", as with no printer installed: path typed, then Print."""
    dialog = window(app, "Print Setup")
    x, y = centre(find(dialog, role="text", name="Output file:"))
    mouse("mousemove", str(x), str(y), "click", "1")
    keys("ctrl+a")
    type_text(path)
    find(dialog, role="push button", name="Print").click()
    window_closed(app, "Print Setup")


def pdf_pages(pdf, shot):
    """The text of each page of the PDF, as many as pdfinfo counts; the first page drawn as shot."""
    info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True).stdout
    count = int(next(line.split()[-1] for line in info.splitlines() if line.startswith("Pages:")))
    folder = os.environ.get("E2E_SHOTS", os.environ["HOME"])
    os.makedirs(folder, exist_ok=True)
    subprocess.run(["pdftoppm", "-png", "-r", "60", "-singlefile", pdf, os.path.join(folder, shot)])
    return subprocess.run(["pdftotext", pdf, "-"], capture_output=True, text=True).stdout.split("\f")[:count]


def batch_print_demo(proc, app, main, kind, pdf, first):
    """A demo report kind (menu, form, chooser, exit, definition) batch printed whole to pdf, named in
    the Save dialog (pdf None: cancelled there, nothing printed): items, page texts."""
    form = open_report_form(app, main, kind[0], kind[1])
    choose(app, form, "File", "Open")
    file_dialog(app, "Open", kind[4])
    choose(app, form, "File", "Batch Print")
    dialog = window(app, kind[2])
    items = [n.name for n in dialog.findChildren(lambda n: n.roleName == "list item")]
    find(dialog, name="Select All").click()
    find(dialog, role="push button", name="OK").click()
    if first:
        print_to_file(app, pdf[:-4])                       # a bare name gets ".pdf"
    if pdf is None:
        wait_showing(app, "Print to File")
        keys("Escape")
        window_closed(app, kind[2])
        return leave_form(proc, app, form, kind[1], kind[3], None)
    file_dialog(app, "Print to File", pdf)
    line = lambda: dialog.findChild(lambda n: n.name.endswith(" printed to " + pdf), retry=False)  # noqa: E731
    wait_for("the run dialog does not say where the pages went", line, 60)
    said = int(line().name.split()[0])
    find(dialog, role="push button", name="Cancel").click()
    leave_form(proc, app, form, kind[1], kind[3], None)
    pages = pdf_pages(pdf, kind[4])
    if len(pages) != said or any(f.endswith(".pending") for f in os.listdir(os.path.dirname(pdf))):
        fail(f"{pdf}: {len(pages)} pages, the dialog says {said}; {os.listdir(os.path.dirname(pdf))}")
    return items, pages
