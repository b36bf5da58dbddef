# Drawing files and printing from the drawing window as a person works them, with real X mouse and
# key events: a source summary page of the demo previewed, a rectangle drawn on it, the page saved
# as a ".kdf" file, a new empty drawing started from "Choose New Drawing Size", the saved file opened
# again (the page must look as it did when saved), and File > Print, which on this machine without a
# printer opens Print Setup on "Print to File (PDF)" first: a bare name typed there gets ".pdf", the
# page goes to that PDF and the status line says so. The program then leaves the preview as usual.
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e  # noqa: E402



def grab(name):
    return e2e.grab(view, name)


def changed_pixels(before, after):
    return e2e.changed_pixels(before, after, fuzz="10%")


proc, app, main = e2e.start_past_splash()
saved = os.path.join(os.environ["HOME"], "drawn.kdf")
form, preview, toolbar, view = e2e.open_demo_page(app, main)

# ---- a rectangle dragged out with "Free Rectangle"
button = e2e.press_tool(toolbar, "Free Rectangle")
e2e.drag([e2e.view_point(view, 0.50, 0.18), e2e.view_point(view, 0.64, 0.40)], pause=0.05)
e2e.alive(proc, app)

# ---- Save As ".kdf": the message names the file, and the tool is let go
e2e.choose(app, preview, "Drawing", "Save Drawing As...")
e2e.file_dialog(app, "Save Drawing As", saved)
e2e.answer_box(app, e2e.box_saying(app, "File Saved:  " + saved))
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
e2e.choose(app, preview, "Drawing", "New Drawing")
sizes = e2e.wait_showing(app, "Choose New Drawing Size")
e2e.find(sizes, role="list item", name="A 8.5 x 11 in.").click()
e2e.find(sizes, role="push button", name="OK").click()
e2e.window_closed(app, "Choose New Drawing Size")
e2e.settle(1)
if e2e.message_boxes(app):
    e2e.fail(f"New Drawing after a save asked: {[b.name for b in e2e.message_boxes(app)]}")
blank = grab("blank")
if changed_pixels(as_saved, blank) < 2000:
    e2e.fail("the page did not change for the new drawing")

# ---- the saved file opened again looks as it did when saved
e2e.choose(app, preview, "Drawing", "Open Drawing...")
e2e.file_dialog(app, "Open Drawing File", saved)
e2e.settle(1)
if e2e.message_boxes(app):
    e2e.screenshot("drawfiles_open_box")
    e2e.fail(f"Open showed a message: {[b.name for b in e2e.message_boxes(app)]}")
reopened = grab("reopened")
e2e.screenshot("drawfiles_reopened")
differ = changed_pixels(as_saved, reopened)
print(f"NOTE: {differ} pixels differ between the page as saved and as opened again")
if differ > 200:
    e2e.fail(f"the opened page differs from the saved one in {differ} pixels")

# ---- Print: no printer, so Print Setup on "Print to File (PDF)" first; the notice; one page
pdf = os.path.join(os.environ["HOME"], "page.pdf")
e2e.choose(app, preview, "File", "Print")
e2e.print_to_file(app, pdf[:-4])
e2e.file_dialog(app, "Print to File", pdf)         # then the Save dialog
e2e.find(preview, role="label", name="1 page printed to " + pdf, timeout=15)
if len(e2e.pdf_pages(pdf, "drawfiles_printed")) != 1 or not e2e.showing(app, e2e.PREVIEW):
    e2e.fail(f"{pdf} does not hold the one page shown, or the preview was left by printing")
e2e.alive(proc, app)

e2e.leave_demo_page(proc, app, main, form, preview)
