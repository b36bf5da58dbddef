# Editing in the drawing window as a person does it, with real X mouse and key events: a demo page
# previewed, a new empty drawing, two rectangles A and B dragged out and saved as ".kdf" (their frames
# in the file tell how screen pixels map to drawing units). Then, with "Select Objects": A selected by
# a click, moved by a drag and resized from its bottom right handle; with "Rotate Objects": A turned a
# quarter turn, Ctrl+Z, turned again, deselected, selected, Delete, Ctrl+Z; with "Select Objects"
# again: Edit > Copy and Paste, A and B band-selected and grouped, the group ungrouped, B alone sent
# to the back. What the page shows is compared with grabs of the screen taken before; what the drawing
# holds is read back from the file after each Drawing > Save Drawing.
import json
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e  # noqa: E402
from e2e import keys  # noqa: E402

MOVE = (-20, 150)      # screen pixels A is dragged by
RESIZE = (50, 30)      # and its bottom right handle after that
TURN_RADIUS = 40       # pixels from A's centre where the turning drag runs
HANDLE_OUT = 2         # the handles sit this many pixels outside the selected objects


def edit(item):
    e2e.choose(app, preview, "Edit", item)
    e2e.settle(0.3)


def click_at(x, y):
    e2e.mouse("mousemove", str(round(x)), str(round(y)), "click", "1")
    e2e.settle(0.4)


def read_drawing():
    with open(saved, encoding="utf-8") as f:
        objects = json.load(f)["objects"]
    for o in objects:
        o.setdefault("group", 0)
    return objects


def save_drawing(what):
    """Drawing > Save Drawing, which writes the named file again without asking; its objects."""
    with open(saved, "rb") as f:
        before = f.read()

    def written():
        with open(saved, "rb") as f:
            return f.read() != before

    e2e.choose(app, preview, "Drawing", "Save Drawing")
    e2e.wait_for(f"Save Drawing did not write the file {what}", written, 5)
    e2e.settle(0.3)
    if e2e.message_boxes(app):
        e2e.fail(f"Save Drawing asked {what}: {[b.name for b in e2e.message_boxes(app)]}")
    return read_drawing()


def close(a, b, tol):
    return len(a) == len(b) and all(abs(p - q) <= tol for p, q in zip(a, b))


def expect_frame(obj, frame, what):
    # The mouse lands on whole pixels: a pixel and a half of drawing units either way.
    if not close(obj["frame"], frame, 1.5 * unit):
        e2e.fail(f"{what}: frame {obj['frame']}, expected about {[round(v) for v in frame]}")


def angle_of(obj):
    return (obj["angle"] + 180) % 360 - 180


def differs(before, after, what, at_least):
    n = e2e.changed_pixels(before, after, fuzz="10%")
    if n < at_least:
        e2e.screenshot("editing_" + what.replace(" ", "_"))
        e2e.fail(f"{what}: only {n} pixels changed, expected at least {at_least}")
    return n


def same(before, after, what, at_most=20):
    n = e2e.changed_pixels(before, after, fuzz="10%")
    if n > at_most:
        e2e.screenshot("editing_" + what.replace(" ", "_"))
        e2e.fail(f"{what}: {n} pixels differ, expected at most {at_most}")
    return n


proc, app, main = e2e.start_past_splash()
saved = os.path.join(os.environ["HOME"], "edited.kdf")
form, preview, toolbar, view = e2e.open_demo_page(app, main)

# ---- a new empty drawing and two rectangles on it
e2e.choose(app, preview, "Drawing", "New Drawing")
if e2e.wait_until(lambda: e2e.message_boxes(app), 1):
    e2e.answer_box(app, e2e.message_boxes(app)[0], "No")  # the report page is not kept
sizes = e2e.wait_showing(app, "Choose New Drawing Size")
e2e.find(sizes, role="list item", name="A 8.5 x 11 in.").click()
e2e.find(sizes, role="push button", name="OK").click()
e2e.window_closed(app, "Choose New Drawing Size")
e2e.settle(1)

a1, a2 = e2e.view_point(view, 0.36, 0.35), e2e.view_point(view, 0.46, 0.45)
b1, b2 = e2e.view_point(view, 0.56, 0.35), e2e.view_point(view, 0.66, 0.45)
# Where A ends up, in screen pixels: moved, then its bottom right corner dragged.
left, top = a1[0] + MOVE[0], a1[1] + MOVE[1]
right, bottom = a2[0] + MOVE[0] + RESIZE[0], a2[1] + MOVE[1] + RESIZE[1]
cx, cy = (left + right) / 2, (top + bottom) / 2
reach = max(right - left, bottom - top) / 2 + 15       # A's square, turned or not, with its marks
a_square = (cx - reach, cy - reach, cx + reach, cy + reach)
blank_a = e2e.grab_screen("blank_a", *a_square)
whole = (0.02, 0.02, 0.98, 0.98)

e2e.press_tool(toolbar, "Free Rectangle")
e2e.drag([a1, a2])
e2e.drag([b1, b2])
e2e.alive(proc, app)
e2e.choose(app, preview, "Drawing", "Save Drawing As...")
e2e.file_dialog(app, "Save Drawing As", saved)
e2e.answer_box(app, e2e.box_saying(app, "File Saved:  " + saved))
drawn = read_drawing()
if [o["kind"] for o in drawn] != ["rect", "rect"]:
    e2e.fail(f"two rectangles were drawn, the file holds {[o['kind'] for o in drawn]}")
A0, B0 = drawn[0]["frame"], drawn[1]["frame"]
# Drawing units a screen pixel spans, from A as dragged out; B, dragged as large, must agree.
ux = (A0[2] - A0[0]) / (a2[0] - a1[0])
uy = (A0[3] - A0[1]) / (a2[1] - a1[1])
unit = max(ux, uy)
if not close([B0[2] - B0[0], B0[3] - B0[1]], [A0[2] - A0[0], A0[3] - A0[1]], 2 * unit) or ux <= 0:
    e2e.fail(f"the rectangles do not have the size they were dragged to: A {A0}, B {B0}")

# ---- select A by a click, move it by a drag, resize it from its bottom right handle
e2e.press_tool(toolbar, "Select Objects")
a_box = (a1[0] - 10, a1[1] - 10, a2[0] + 10, a2[1] + 10)
plain = e2e.grab_screen("a_plain", *a_box)
click_at((a1[0] + a2[0]) / 2, (a1[1] + a2[1]) / 2)
differs(plain, e2e.grab_screen("a_selected", *a_box), "no selection marks after a click on A", 30)
mid = ((a1[0] + a2[0]) / 2, (a1[1] + a2[1]) / 2)
e2e.drag([mid, (mid[0] + MOVE[0], mid[1] + MOVE[1])])
corner = (a2[0] + MOVE[0] + HANDLE_OUT, a2[1] + MOVE[1] + HANDLE_OUT)
e2e.drag([corner, (corner[0] + RESIZE[0], corner[1] + RESIZE[1])])
e2e.alive(proc, app)

objs = save_drawing("after the move and resize")
moved = [A0[0] + MOVE[0] * ux, A0[1] + MOVE[1] * uy, A0[2] + MOVE[0] * ux, A0[3] + MOVE[1] * uy]
resized = moved[:2] + [moved[2] + RESIZE[0] * ux, moved[3] + RESIZE[1] * uy]
expect_frame(objs[0], resized, "A after the move and the resize")
if objs[1]["frame"] != B0 or any(o["angle"] for o in objs):
    e2e.fail(f"B changed, or something turned, by a move and resize of A: {objs}")
A1 = objs[0]["frame"]

# ---- turn A a quarter turn counter-clockwise, undo it, turn it again
e2e.press_tool(toolbar, "Rotate Objects")          # the save let go of "Select Objects"
click_at(cx, cy)
before_turn = e2e.grab_screen("before_turn", *a_square)
arc = [(cx + TURN_RADIUS * math.cos(math.radians(d)), cy - TURN_RADIUS * math.sin(math.radians(d)))
       for d in (0, 30, 60, 90)]
e2e.drag(arc, steps=4)
turned = e2e.grab_screen("turned", *a_square)
e2e.screenshot("editing_turned")
differs(before_turn, turned, "A turned", 150)
keys("ctrl+z")
e2e.settle(0.3)
e2e.screenshot("editing_undone")
same(before_turn, e2e.grab_screen("undone", *a_square), "A after Undo of the turn")
e2e.drag(arc, steps=4)
same(turned, e2e.grab_screen("turned_again", *a_square), "A turned a second time")

# ---- Delete and Undo
click_at(cx + reach + 20, cy)                      # on the empty page: nothing selected
turned_plain = e2e.grab_screen("turned_plain", *a_square)
click_at(cx, cy)
keys("Delete")
same(blank_a, e2e.grab_screen("deleted", *a_square), "the page where A was after Delete")
keys("ctrl+z")
e2e.settle(0.3)
same(turned_plain, e2e.grab_screen("delete_undone", *a_square), "A after Undo of the Delete")
e2e.alive(proc, app)

# ---- Copy and Paste through the Edit menu
e2e.press_tool(toolbar, "Select Objects")
click_at(cx, cy)
before_paste = e2e.grab(view, "before_paste", whole)
edit("Copy")
edit("Paste")
differs(before_paste, e2e.grab(view, "pasted", whole), "the page after Paste", 150)

# ---- A and B in a band, grouped
band_from = (min(cx - reach, b1[0]) - 10, b1[1] - 12)
band_to = (max(cx + reach, b2[0]) + 10, cy + reach + 10)
e2e.drag([band_from, band_to])
edit("Group")
objs = save_drawing("after Group")
if len(objs) != 3:
    e2e.fail(f"Paste did not add one object: {len(objs)} objects")
groups = [o["group"] for o in objs]
if not (groups[0] and groups[0] == groups[1] and groups[2] != groups[0]):
    e2e.fail(f"A and B are not one group, or the pasted copy joined it: groups {groups}")

# ---- UnGroup, then B alone to the back
e2e.press_tool(toolbar, "Select Objects")
click_at((b1[0] + b2[0]) / 2, (b1[1] + b2[1]) / 2)   # selects the group
edit("UnGroup")
click_at(cx + reach + 20, cy)
click_at((b1[0] + b2[0]) / 2, (b1[1] + b2[1]) / 2)   # B alone, now that the group is gone
edit("Move to Back")
objs = save_drawing("after Move to Back")
e2e.screenshot("editing_done")
print("NOTE: objects at the end:", [(o["kind"], o["frame"], o["angle"], o["group"]) for o in objs])
if len(objs) != 3 or objs[0]["frame"] != B0:
    e2e.fail(f"B is not at the back: {[o['frame'] for o in objs]}")
if any(o["group"] for o in objs):
    e2e.fail(f"UnGroup left groups: {[o['group'] for o in objs]}")
a, pasted = objs[1], objs[2]
if a["frame"] != A1 or abs(angle_of(a) - 90) > 3:
    e2e.fail(f"A is not where the resize left it, a quarter turn round: {a}")
if (pasted["kind"] != "rect" or pasted["frame"][:2] != [100, 100] or pasted["angle"] != a["angle"]
        or pasted["frame"][2] - 100 != A1[2] - A1[0] or pasted["frame"][3] - 100 != A1[3] - A1[1]):
    e2e.fail(f"the pasted copy is not A at (100, 100): {pasted}")

e2e.leave_demo_page(proc, app, main, form, preview)
