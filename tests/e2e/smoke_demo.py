# A first start opens onto the demo project: the grid shows the first source, Next moves to the
# second, and the go-to dialog lists the sources.
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e  # noqa: E402

proc, app = e2e.start()
e2e.find(app, name="v. 2002.5").click()
time.sleep(0.5)
e2e.find(app, role="label", name="Source: MW-1")
grid = e2e.find(app, role="table", name="SS")
cells = grid.findChildren(lambda n: n.roleName == "table cell" and n.name == "MW-1")
if not cells:
    e2e.fail("the grid shows no record of MW-1")
e2e.find(app, role="push button", name="Next").click()
e2e.find(app, role="label", name="Source: MW-2")
e2e.find(app, role="push button", name="GoTo").click()
dialog = e2e.find(app, name="Go To Source")
e2e.find(dialog, role="list item", name="MW-4")
e2e.find(dialog, role="push button", name="Cancel").click()
e2e.find(app, role="label", name="Source: MW-2")
e2e.find(app, role="menu item", name="File").click()
e2e.find(app, role="menu item", name="Exit").click()
e2e.stop(proc)
print("1 passed, 0 failed")
